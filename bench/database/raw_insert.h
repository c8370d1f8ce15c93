// The baseline of the load benchmarks: the rows that the writers write,
// inserted by raw SQLite through prepared statements bound from the same
// record fields (entries of two-level lists row by row), in one transaction
// that is rolled back.
#ifndef NDL_BENCH_DATABASE_RAW_INSERT_H
#define NDL_BENCH_DATABASE_RAW_INSERT_H

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "table_desc.h"

inline void raw_bind(sqlite3_stmt *st, const ndldb::writer_desc &d, char *rec, char *entry, int position) {
    using namespace ndldb;
    for (size_t c = 0; c < d.nvals; ++c) {
        const value_desc &v = d.vals[c];
        char *base = v.target ? entry : rec;
        int pos = static_cast<int>(c) + 1;
        if (v.kind == val_text) sqlite3_bind_text(st, pos, text_access::get(base + v.offset), -1, SQLITE_STATIC);
        else if (v.kind == val_digits) sqlite3_bind_int(st, pos, std::atoi(text_access::get(base + v.offset)));
        else if (v.kind == val_int && v.size == 4) sqlite3_bind_int(st, pos, *reinterpret_cast<int32_t *>(base + v.offset));
        else if (v.kind == val_int) sqlite3_bind_int(st, pos, *reinterpret_cast<uint16_t *>(base + v.offset));
        else if (v.kind == val_pos) sqlite3_bind_int(st, pos, position);
        else sqlite3_bind_int(st, pos, 1);
    }
}

inline void raw_insert(sqlite3 *h) {
    using namespace ndldb;
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    for (size_t w = 0; w < kAllWritersCount; ++w) {
        const writer_desc &d = *kAllWriters[w];
        if (!d.list.head || !d.list.head()) continue;
        const char *from = std::strstr(d.insert, "INTO ") + 5;
        std::string table(from, std::strcspn(from, " "));
        std::string sql = "INSERT INTO " + table + " VALUES (?";
        for (size_t c = 1; c < d.nvals; ++c) sql += ",?";
        sql += ")";
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr);
        auto next = [](char *p, size_t off) {
            char *n;
            std::memcpy(&n, p + off, sizeof n);
            return n;
        };
        for (char *rec = static_cast<char *>(d.list.head()); rec; rec = next(rec, d.nextoff)) {
            if (d.sub.headoff == kDropped) {
                raw_bind(st, d, rec, nullptr, 1);
                sqlite3_step(st);
                sqlite3_reset(st);
                continue;
            }
            int position = 1;
            for (char *e = next(rec, d.sub.headoff); e; e = next(e, d.sub.nextoff), ++position) {
                raw_bind(st, d, rec, e, position);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
}

#endif
