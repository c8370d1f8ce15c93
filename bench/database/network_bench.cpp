// Whole loads of the sample network grown to N copies (every block kind of
// every section, in every copy), parsed, checked and written in process,
// against raw SQLite inserting the same rows in the same iteration; and
// single blocks of 10,000 and 40,000 entries (MATCH groups of one
// QOSMATCHRULES block, names of one GLOBALLISTS list). Time per MB and per
// entry show whether a load grows linearly.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "block_keywords.h"
#include "sample_network.h"
#include "sections.h"
#include "timed_load.h"

namespace {

void report(benchmark::State &state, const LoadTimes &t, double bytes, double entries) {
    double load = t.parse + t.checks + t.write;
    state.counters["ndl_MB"] = bytes / 1e6;
    state.counters["load_s"] = load;
    state.counters["s_per_MB"] = load / (bytes / 1e6);
    state.counters["raw_insert_s"] = t.raw;
    state.counters["load_vs_raw"] = load / t.raw;
    state.counters["parse_s"] = t.parse;
    state.counters["checks_s"] = t.checks;
    state.counters["write_s"] = t.write;
    state.counters["write_vs_raw"] = t.write / t.raw;
    state.counters["parse_MB_per_s"] = bytes / 1e6 / t.parse;
    state.counters["records_MB"] = t.arena_bytes / 1e6;
    if (entries > 0) state.counters["us_per_entry"] = load / entries * 1e6;
}

void after_last_file() {
    if (services().after_last_file) services().after_last_file();
}

void BM_SampleNetworkInProcess(benchmark::State &state) {
    std::string text;
    for (const std::string &f : sample::network(static_cast<int>(state.range(0)))) text += f;
    LoadTimes t = time_loads(state, text, after_last_file);
    if (t.ok) report(state, t, static_cast<double>(text.size()), 0);
}
BENCHMARK(BM_SampleNetworkInProcess)->Arg(18)->Arg(180)->Arg(1800)->Unit(benchmark::kSecond)->Iterations(3);

// The tokenizer alone over the same text, read from a file as a load reads
// it: the share of the parse that is not the blocks.
void BM_SampleNetworkTokens(benchmark::State &state) {
    std::string text;
    for (const std::string &f : sample::network(static_cast<int>(state.range(0)))) text += f;
    Repo repo;
    std::string path = repo.dir + "/tokens.ndl";
    if (FILE *f = std::fopen(path.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::vector<token_entry> keywords;
    token_entry *buckets[kBuckets];
    every_block_keyword(keywords, buckets);
    char token[kTokenSize];
    size_t tokens = 0;
    for (auto _ : state) {
        FILE *fp = std::fopen(path.c_str(), "r");
        reset_tokenizer();
        while (get_token(fp, token, buckets) != TOKEN_EOF) ++tokens;
        std::fclose(fp);
    }
    double it = static_cast<double>(state.iterations());
    state.counters["ndl_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["tokens"] = static_cast<double>(tokens) / it;
    state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6 * it,
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SampleNetworkTokens)->Arg(1800)->Unit(benchmark::kMillisecond)->Iterations(3);

// The sample's TOPOLOGY and one block of `n` entries: MATCH groups of a
// QOSMATCHRULES block (kind 0) or names of a GLOBALLISTS list (kind 1).
std::string long_block(int kind, int n) {
    std::string topology = sample::read_file(std::string(NDL_EXAMPLES_DIR) + "/network.ndl");
    if (kind == 1) {
        std::string names = "  BIGVARS = ( V0";
        for (int i = 1; i < n; ++i) names += " , V" + std::to_string(i);
        size_t at = topology.find("GLOBALLISTS BEGIN\n") + std::string("GLOBALLISTS BEGIN\n").size();
        return topology.insert(at, names + " )\n");
    }
    std::string s = topology + "NETWORKNAME = SAMPLENET, SECTION = QOS\nQOSMATCHRULES NORTH.PE BEGIN\n"
                               "  DESCRIPTION = ( NAME = VOICE , USAGE = CLASS )\n";
    for (int i = 1; i <= n; ++i) s += "  MATCH # " + std::to_string(i) + " = ( TYPE = \"ip dscp\" , VALUE = \"ef\" )\n";
    return s + "END\n";
}

void BM_LongBlock(benchmark::State &state) {
    int n = static_cast<int>(state.range(1));
    std::string text = long_block(static_cast<int>(state.range(0)), n);
    LoadTimes t = time_loads(state, text, after_last_file);
    if (t.ok) report(state, t, static_cast<double>(text.size()), n);
}
BENCHMARK(BM_LongBlock)
    ->ArgNames({"names", "entries"})
    ->Args({0, 10000})
    ->Args({0, 40000})
    ->Args({1, 10000})
    ->Args({1, 40000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
