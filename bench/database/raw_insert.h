// The baseline of the load benchmarks: the rows that the writers write,
// inserted by raw SQLite through prepared statements bound from the same
// record fields (entries of two-level lists row by row), in one transaction
// that is rolled back.
#ifndef NDL_BENCH_DATABASE_RAW_INSERT_H
#define NDL_BENCH_DATABASE_RAW_INSERT_H

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "table_desc.h"

// The writer's statement with a "?" for each of its values, its constants
// (a quoted word, say) kept: the same rows, the same columns.
inline std::string raw_statement(const char *format) {
    std::string sql;
    for (const char *p = format; *p;) {
        if (p[0] == '\'' && p[1] == '%' && (p[2] == 's' || p[2] == 'd') && p[3] == '\'') {
            sql += '?';
            p += 4;
        } else if (p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
            sql += '?';
            p += 2;
        } else {
            sql += *p++;
        }
    }
    return sql;
}

// Binds the values a row of `d` writes; a record without an entry skips the
// entry's values, as the writer does.
inline void raw_bind(sqlite3_stmt *st, const ndldb::writer_desc &d, char *rec, char *entry, int position) {
    using namespace ndldb;
    int pos = 0;
    for (size_t c = 0; c < d.nvals; ++c) {
        const value_desc &v = d.vals[c];
        if (v.target && !entry) continue;
        char *base = v.target ? entry : rec;
        ++pos;
        if (v.kind == val_text) sqlite3_bind_text(st, pos, text_access::get(base + v.offset), -1, SQLITE_STATIC);
        else if (v.kind == val_digits) sqlite3_bind_int(st, pos, std::atoi(text_access::get(base + v.offset)));
        else if (v.kind == val_int && v.size == 4) sqlite3_bind_int(st, pos, *reinterpret_cast<int32_t *>(base + v.offset));
        else if (v.kind == val_int) sqlite3_bind_int(st, pos, *reinterpret_cast<uint16_t *>(base + v.offset));
        else if (v.kind == val_pos) sqlite3_bind_int(st, pos, position);
        else sqlite3_bind_int(st, pos, 1);
    }
}

// Every row the writers write (a record without entries gets its own row
// where the table has one), one step each; a row that fails aborts the
// process, so the baseline never counts less work than the load did.
inline void raw_insert(sqlite3 *h) {
    using namespace ndldb;
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    auto prepare = [h](const char *format) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(h, raw_statement(format).c_str(), -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "raw baseline: %s\n", sqlite3_errmsg(h));
            std::abort();
        }
        return st;
    };
    auto step = [h](sqlite3_stmt *st) {
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "raw baseline: %s\n", sqlite3_errmsg(h));
            std::abort();
        }
        sqlite3_reset(st);
    };
    auto next = [](char *p, size_t off) {
        char *n;
        std::memcpy(&n, p + off, sizeof n);
        return n;
    };
    for (size_t w = 0; w < kAllWritersCount; ++w) {
        const writer_desc &d = *kAllWriters[w];
        if (!d.list.head || !d.list.head()) continue;
        sqlite3_stmt *st = prepare(d.insert);
        sqlite3_stmt *empty = d.insert_empty && d.sub.headoff != kDropped ? prepare(d.insert_empty) : nullptr;
        for (char *rec = static_cast<char *>(d.list.head()); rec; rec = next(rec, d.nextoff)) {
            if (d.sub.headoff == kDropped) {
                raw_bind(st, d, rec, nullptr, 1);
                step(st);
                continue;
            }
            char *e = next(rec, d.sub.headoff);
            if (!e && empty) {
                raw_bind(empty, d, rec, nullptr, 1);
                step(empty);
            }
            for (int position = 1; e; e = next(e, d.sub.nextoff), ++position) {
                raw_bind(st, d, rec, e, position);
                step(st);
            }
        }
        sqlite3_finalize(st);
        sqlite3_finalize(empty);
    }
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
}

#endif
