// Whole TOPOLOGY loads of generated networks of N domains and N node types:
// the parse of the NDL text (parse, as a run does it after the logon) and
// the write of every table (print_info), against raw SQLite inserting the
// same rows with prepared statements in one transaction, measured in the
// same iteration. Reports parse and write time, MB/s of NDL and the ratio
// of the loader's time to the raw inserts.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_repo.h"
#include "raw_insert.h"
#include "generated_network.h"
#include "database.h"
#include "runstate.h"
#include "table_desc.h"
#include "tokenizer.h"

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point from) {
    return std::chrono::duration<double>(clock_type::now() - from).count();
}

void BM_TopologyLoad(benchmark::State &state) {
    Repo repo;
    std::string ndl = repo.dir + "/bench.ndl";
    std::string text = generate(static_cast<int>(state.range(0)));
    if (FILE *f = std::fopen(ndl.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    sqlite3 *raw = nullptr;
    sqlite3_open(repo.path.c_str(), &raw);
    double parse_s = 0, write_s = 0, raw_s = 0;
    for (auto _ : state) {
        repo.bind();
        FILE *fp = std::fopen(ndl.c_str(), "r");
        reset_tokenizer();
        auto t0 = clock_type::now();
        int parsed = parse(fp, nullptr, 1);
        parse_s += seconds_since(t0);
        std::fclose(fp);
        if (!parsed || g_error) {
            state.SkipWithError("the generated network did not parse");
            break;
        }
        t0 = clock_type::now();
        int written = print_info(nullptr);
        write_s += seconds_since(t0);
        OCITransRollback(repo.svc, repo.err, 0);
        if (!written) {
            state.SkipWithError("write failed");
            break;
        }
        // The baseline is reported in its counter, outside the load's time.
        state.PauseTiming();
        t0 = clock_type::now();
        raw_insert(raw);
        raw_s += seconds_since(t0);
        releasememory("ALL");
        state.ResumeTiming();
    }
    sqlite3_close(raw);
    releasememory("ALL");
    double it = static_cast<double>(state.iterations());
    if (it == 0) return;
    state.counters["parse_ms"] = parse_s / it * 1e3;
    state.counters["write_ms"] = write_s / it * 1e3;
    state.counters["raw_insert_ms"] = raw_s / it * 1e3;
    state.counters["ndl_MB_per_s"] = static_cast<double>(text.size()) / 1e6 / (parse_s / it);
    state.counters["write_vs_raw"] = write_s / raw_s;
    state.counters["load_vs_raw"] = (parse_s + write_s) / raw_s;
}

BENCHMARK(BM_TopologyLoad)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int addtooutput() { return 1; }

BENCHMARK_MAIN();
