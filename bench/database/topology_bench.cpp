// Whole TOPOLOGY loads of generated networks of N domains and N node types:
// the parse of the NDL text (parse, as a run does it after the logon) and
// the write of every table (print_info), against raw SQLite inserting the
// same rows with prepared statements in one transaction, measured in the
// same iteration. Reports parse and write time, MB/s of NDL and the ratio
// of the loader's time to the raw inserts.
#include <benchmark/benchmark.h>

#include <string>

#include "generated_network.h"
#include "timed_load.h"

namespace {

void BM_TopologyLoad(benchmark::State &state) {
    std::string text = generate(static_cast<int>(state.range(0)));
    LoadTimes t = time_loads(state, text);
    if (!t.ok) return;
    state.counters["parse_ms"] = t.parse * 1e3;
    state.counters["write_ms"] = t.write * 1e3;
    state.counters["raw_insert_ms"] = t.raw * 1e3;
    state.counters["ndl_MB_per_s"] = static_cast<double>(text.size()) / 1e6 / t.parse;
    state.counters["write_vs_raw"] = t.write / t.raw;
    state.counters["load_vs_raw"] = (t.parse + t.write) / t.raw;
}

BENCHMARK(BM_TopologyLoad)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
