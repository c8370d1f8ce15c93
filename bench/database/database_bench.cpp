// Reading and writing a generated network of N rows per topology table:
// retrieve_data and print_info against raw SQLite inserting and reading the
// same rows in one transaction (the baseline, measured in the same run).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_repo.h"
#include "database.h"
#include "runstate.h"
#include "table_desc.h"

using namespace ndldb;

namespace {

// N zeroed records in every plain topology list.
void generate(int n) {
    const read_section &topo = kSections[0];
    for (size_t i = 0; i < topo.count; ++i) {
        const reader_desc &d = *topo.steps[i].d;
        if (topo.steps[i].special || d.form != form_returning) continue;
        raw_list l;
        for (int k = 0; k < n; ++k) {
            void *rec = Malloc(d.recsize);
            std::memset(rec, 0, d.recsize);
            if (l.tail) std::memcpy(static_cast<char *>(l.tail) + d.nextoff, &rec, sizeof rec);
            else l.head = rec;
            l.tail = rec;
        }
        d.list.set(l.head, l.tail);
    }
}

void BM_PrintInfo(benchmark::State &state) {
    Repo repo;
    for (auto _ : state) {
        state.PauseTiming();
        releasememory("ALL");
        generate(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        if (!print_info(nullptr)) state.SkipWithError("write failed");
    }
    releasememory("ALL");
}

void BM_RetrieveData(benchmark::State &state) {
    Repo repo;
    generate(static_cast<int>(state.range(0)));
    print_info(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        releasememory("ALL");
        state.ResumeTiming();
        if (!retrieve_data()) state.SkipWithError("read failed");
    }
    releasememory("ALL");
}

// The same tables and row counts straight through SQLite.
std::vector<std::string> topology_tables() {
    std::vector<std::string> out;
    const read_section &topo = kSections[0];
    for (size_t i = 0; i < topo.count; ++i)
        if (!topo.steps[i].special && topo.steps[i].d->form == form_returning) out.push_back(topo.steps[i].d->table);
    return out;
}

void BM_RawSqliteWrite(benchmark::State &state) {
    Repo repo;
    sqlite3 *h = nullptr;
    sqlite3_open(repo.path.c_str(), &h);
    for (auto _ : state) {
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        for (const std::string &t : topology_tables()) {
            sqlite3_exec(h, ("DELETE FROM " + t + " WHERE networkid=1").c_str(), nullptr, nullptr, nullptr);
            sqlite3_stmt *probe = nullptr;
            sqlite3_prepare_v2(h, ("SELECT * FROM " + t).c_str(), -1, &probe, nullptr);
            int cols = sqlite3_column_count(probe);
            sqlite3_finalize(probe);
            std::string sql = "INSERT INTO " + t + " VALUES (1";
            for (int c = 1; c < cols; ++c) sql += ",?";
            sql += ")";
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr);
            for (int k = 0; k < state.range(0); ++k) {
                for (int c = 1; c < cols; ++c) sqlite3_bind_text(st, c, "", 0, SQLITE_STATIC);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        }
        sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(h);
}

void BM_RawSqliteRead(benchmark::State &state) {
    Repo repo;
    generate(static_cast<int>(state.range(0)));
    print_info(nullptr);
    OCITransCommit(repo.svc, repo.err, 0);
    sqlite3 *h = nullptr;
    sqlite3_open(repo.path.c_str(), &h);
    for (auto _ : state) {
        for (const std::string &t : topology_tables()) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(h, ("SELECT * FROM " + t + " WHERE networkid=1").c_str(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(st); ++c) benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(h);
    releasememory("ALL");
}

BENCHMARK(BM_PrintInfo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSqliteWrite)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RetrieveData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSqliteRead)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
