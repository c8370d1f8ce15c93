// The baseline of the process benchmarks: the rows a load stored in its
// repository, inserted by raw SQLite into a new database of the same schema
// (tables, indexes and triggers) through prepared statements in one
// transaction. The rows are read into memory first; only the inserts and
// the commit are timed.
#ifndef NDL_BENCH_DATABASE_STORED_ROWS_H
#define NDL_BENCH_DATABASE_STORED_ROWS_H

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace stored {

using value = std::variant<std::monostate, sqlite3_int64, double, std::string>;

struct table_rows {
    std::string insert;
    std::vector<std::vector<value>> rows;
};

inline void exec(sqlite3 *db, const std::string &sql) { sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

// Each table's rows, with the INSERT that puts them back.
inline std::vector<table_rows> read_all(sqlite3 *db) {
    std::vector<table_rows> tables;
    sqlite3_stmt *names = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'", -1,
                       &names, nullptr);
    while (sqlite3_step(names) == SQLITE_ROW) {
        std::string name = reinterpret_cast<const char *>(sqlite3_column_text(names, 0));
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, ("SELECT * FROM \"" + name + "\"").c_str(), -1, &st, nullptr) != SQLITE_OK)
            continue;
        table_rows t;
        int columns = sqlite3_column_count(st);
        t.insert = "INSERT INTO \"" + name + "\" VALUES (";
        for (int c = 0; c < columns; ++c) t.insert += c ? ",?" : "?";
        t.insert += ")";
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<value> row;
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: row.emplace_back(sqlite3_column_int64(st, c)); break;
                case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(st, c)); break;
                case SQLITE_NULL: row.emplace_back(std::monostate{}); break;
                default:
                    row.emplace_back(std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                                 static_cast<size_t>(sqlite3_column_bytes(st, c))));
                }
            }
            t.rows.push_back(std::move(row));
        }
        sqlite3_finalize(st);
        if (!t.rows.empty()) tables.push_back(std::move(t));
    }
    sqlite3_finalize(names);
    return tables;
}

// Seconds that raw SQLite takes to insert the rows stored in `loaded` into
// `fresh` (made anew with the schema of `loaded`), and how many there were.
inline double reinsert(const std::string &loaded, const std::string &fresh, size_t *count = nullptr) {
    sqlite3 *src = nullptr, *dst = nullptr;
    sqlite3_open(loaded.c_str(), &src);
    std::vector<table_rows> tables = read_all(src);
    std::vector<std::string> schema;
    sqlite3_stmt *st = nullptr;
    // Tables before the indexes and triggers that name them.
    sqlite3_prepare_v2(src,
                       "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%' "
                       "ORDER BY type <> 'table'",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) schema.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    std::string journal = "delete";
    sqlite3_prepare_v2(src, "PRAGMA journal_mode", -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW) journal = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(src);

    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(fresh + suffix);
    sqlite3_open(fresh.c_str(), &dst);
    exec(dst, "PRAGMA journal_mode=" + journal);
    for (const std::string &sql : schema) exec(dst, sql);
    size_t n = 0;
    auto t0 = std::chrono::steady_clock::now();
    exec(dst, "BEGIN");
    for (const table_rows &t : tables) {
        sqlite3_stmt *ins = nullptr;
        sqlite3_prepare_v2(dst, t.insert.c_str(), -1, &ins, nullptr);
        for (const std::vector<value> &row : t.rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                int pos = static_cast<int>(c) + 1;
                if (auto *i = std::get_if<sqlite3_int64>(&row[c])) sqlite3_bind_int64(ins, pos, *i);
                else if (auto *d = std::get_if<double>(&row[c])) sqlite3_bind_double(ins, pos, *d);
                else if (auto *s = std::get_if<std::string>(&row[c]))
                    sqlite3_bind_text(ins, pos, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
                else sqlite3_bind_null(ins, pos);
            }
            sqlite3_step(ins);
            sqlite3_reset(ins);
            ++n;
        }
        sqlite3_finalize(ins);
    }
    exec(dst, "COMMIT");
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    sqlite3_close(dst);
    if (count) *count = n;
    return s;
}

}  // namespace stored

#endif
