// A whole cfgload run of the generated network (about 12 records per
// domain: 4200 domains make 50,000 records) against the library's load of
// the same file through the host, both as processes into a new repository,
// measured in the same iteration. Reports both times and their ratio.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "generated_network.h"
#include "run_program.h"

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point from) {
    return std::chrono::duration<double>(clock_type::now() - from).count();
}

void remove_db(const std::string &path) {
    for (const char *suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
}

void BM_CfgloadAgainstLibrary(benchmark::State &state) {
    char tmpl[] = "/tmp/ndl-cfgload-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    std::string text = generate(static_cast<int>(state.range(0)));
    if (FILE *f = std::fopen((dir + "/bench.ndl").c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const std::string bin = NDL_BIN_DIR;
    double cli_s = 0, lib_s = 0;
    for (auto _ : state) {
        remove_db(dir + "/cli.db");
        remove_db(dir + "/lib.db");
        auto t0 = clock_type::now();
        ProgramRun cli = run_program(bin + "/cfgload", {"bench.ndl", "u/p/cli.db"});
        cli_s += seconds_since(t0);
        t0 = clock_type::now();
        ProgramRun lib = run_program(bin + "/extproc", {"--repository", "lib.db", "parse", "--dir", dir, "--files",
                                                        "bench.ndl", "--raw"});
        lib_s += seconds_since(t0);
        if (cli.status != 0 || lib.status != 0) {
            state.SkipWithError("a load failed");
            break;
        }
    }
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);
    double n = static_cast<double>(state.iterations());
    state.counters["cfgload_s"] = cli_s / n;
    state.counters["cfgproc_s"] = lib_s / n;
    state.counters["ratio_to_cfgproc"] = lib_s > 0 ? cli_s / lib_s : 0;
}

}  // namespace

BENCHMARK(BM_CfgloadAgainstLibrary)->Arg(1000)->Arg(4200)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
