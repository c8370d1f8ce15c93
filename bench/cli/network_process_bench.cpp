// Whole loads of the sample network grown to N copies (every block kind of
// every section, in every copy) as a user runs them: the host program
// loading the five section files in one call, and cfgload loading them one
// file per run, each into a new repository. The baseline, in the same
// iteration, is raw SQLite inserting the rows that the load stored into a
// new database of the same schema. Every size is loaded once and checked
// (return 0, no error in the log) before it is timed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "run_program.h"
#include "sample_network.h"
#include "stored_rows.h"

namespace {

using clock_type = std::chrono::steady_clock;
const std::string kBin = NDL_BIN_DIR;

void remove_db(const std::string &path) {
    for (const char *suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + suffix);
}

bool has_error(const std::string &log) {
    std::string lower(log);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("error") != std::string::npos;
}

// Loads into `db` by one or more program runs; false when one of them did
// not return 0 or logged an error.
using loader = std::function<bool(const std::string &dir, const std::string &db)>;

// The largest peak resident memory of the load's program runs, each run
// through peak_rss, which reports it on standard error.
long peak_kb = 0;
ProgramRun run_measured(const std::string &exe, std::vector<std::string> args) {
    args.insert(args.begin(), exe);
    ProgramRun r = run_program(NDL_BENCH_DIR "/peak_rss", std::move(args));
    size_t at = r.err.rfind("peak_kb=");
    if (at != std::string::npos) peak_kb = std::max(peak_kb, std::atol(r.err.c_str() + at + 8));
    return r;
}

bool host_load(const std::string &dir, const std::string &db) {
    std::string files;
    for (const char *f : sample::kFiles) {
        if (!files.empty()) files += ',';
        files += f;
    }
    ProgramRun r = run_measured(kBin + "/extproc", {"--repository", db, "parse", "--dir", dir, "--files", files,
                                                   "--mode", "initializedata", "--raw"});
    return r.status == 0 && !has_error(r.out);
}

bool cfgload_load(const std::string &dir, const std::string &db) {
    for (const char *f : sample::kFiles) {
        ProgramRun r = run_measured(kBin + "/cfgload", {dir + "/" + f, "u/p/" + db});
        if (r.status != 0 || has_error(r.out)) return false;
    }
    return true;
}

void time_process(benchmark::State &state, const loader &load) {
    char tmpl[] = "/tmp/ndl-network-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    double bytes = 0;
    auto files = sample::network(static_cast<int>(state.range(0)));
    for (size_t f = 0; f < files.size(); ++f) {
        if (FILE *fp = std::fopen((dir + "/" + sample::kFiles[f]).c_str(), "w")) {
            std::fwrite(files[f].data(), 1, files[f].size(), fp);
            std::fclose(fp);
        }
        bytes += static_cast<double>(files[f].size());
    }
    // cfgload names its repository relative to the working directory.
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    double load_s = 0, raw_s = 0;
    size_t rows = 0;
    remove_db("check.db");
    peak_kb = 0;
    bool ok = load(dir, "check.db");
    if (!ok) state.SkipWithError("the generated network did not load cleanly");
    for (auto _ : state) {
        if (!ok) break;
        remove_db("bench.db");
        auto t0 = clock_type::now();
        bool loaded = load(dir, "bench.db");
        load_s += std::chrono::duration<double>(clock_type::now() - t0).count();
        if (!loaded) {
            state.SkipWithError("a load failed");
            ok = false;
            break;
        }
        raw_s += stored::reinsert(dir + "/bench.db", dir + "/raw.db", &rows);
    }
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);
    if (!ok || state.iterations() == 0) return;
    double n = static_cast<double>(state.iterations());
    state.counters["ndl_MB"] = bytes / 1e6;
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["load_s"] = load_s / n;
    state.counters["s_per_MB"] = load_s / n / (bytes / 1e6);
    state.counters["raw_insert_s"] = raw_s / n;
    state.counters["load_vs_raw"] = load_s / raw_s;
    state.counters["peak_MB"] = static_cast<double>(peak_kb) * 1024 / 1e6;
    state.counters["peak_vs_ndl"] = static_cast<double>(peak_kb) * 1024 / bytes;
}

void BM_SampleNetworkHost(benchmark::State &state) { time_process(state, host_load); }
void BM_SampleNetworkCfgload(benchmark::State &state) { time_process(state, cfgload_load); }

BENCHMARK(BM_SampleNetworkHost)->Arg(18)->Arg(180)->Arg(1800)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SampleNetworkCfgload)->Arg(18)->Arg(180)->Arg(1800)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
