// The timed loop of the whole-load benchmarks: a generated NDL text parsed
// from a file, checked and written in every iteration, against raw SQLite
// inserting the same rows in the same iteration.
#ifndef NDL_BENCH_DATABASE_TIMED_LOAD_H
#define NDL_BENCH_DATABASE_TIMED_LOAD_H

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench_repo.h"
#include "database.h"
#include "driver.h"
#include "raw_insert.h"
#include "runstate.h"
#include "tokenizer.h"

using clock_type = std::chrono::steady_clock;

inline double seconds_since(clock_type::time_point from) {
    return std::chrono::duration<double>(clock_type::now() - from).count();
}

// Seconds per iteration of each step; `ok` is false when an iteration
// failed (the benchmark is then marked skipped).
struct LoadTimes {
    double parse = 0, checks = 0, write = 0, raw = 0;
    double arena_bytes = 0;  // records and texts held after the checks
    bool ok = false;
};

// Each iteration parses `text`, runs `checks` (timed on their own), writes
// every table and rolls back; the raw inserts are timed outside the load's
// time and reported in their own counter.
inline LoadTimes time_loads(benchmark::State &state, const std::string &text,
                            const std::function<void()> &checks = {}) {
    Repo repo;
    std::string ndl = repo.dir + "/bench.ndl";
    if (FILE *f = std::fopen(ndl.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    sqlite3 *raw = nullptr;
    sqlite3_open(repo.path.c_str(), &raw);
    LoadTimes t;
    for (auto _ : state) {
        repo.bind();
        FILE *fp = std::fopen(ndl.c_str(), "r");
        reset_tokenizer();
        auto t0 = clock_type::now();
        int parsed = parse(fp, nullptr, 1);
        t.parse += seconds_since(t0);
        std::fclose(fp);
        if (!parsed || g_error) {
            state.SkipWithError("the generated network did not parse");
            break;
        }
        t0 = clock_type::now();
        if (checks) checks();
        t.checks += seconds_since(t0);
        t.arena_bytes = static_cast<double>(text_arena_bytes());
        t0 = clock_type::now();
        int written = print_info(nullptr);
        t.write += seconds_since(t0);
        OCITransRollback(repo.svc, repo.err, 0);
        if (!written) {
            state.SkipWithError("write failed");
            break;
        }
        state.PauseTiming();
        t0 = clock_type::now();
        raw_insert(raw);
        t.raw += seconds_since(t0);
        releasememory("ALL");
        state.ResumeTiming();
    }
    sqlite3_close(raw);
    releasememory("ALL");
    double it = static_cast<double>(state.iterations());
    if (it == 0) return t;
    t.parse /= it;
    t.checks /= it;
    t.write /= it;
    t.raw /= it;
    t.ok = true;
    return t;
}

#endif
