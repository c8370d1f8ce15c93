// What a host process keeps after its calls: one process loads the sample
// network grown to 1800 copies (about 30 MB, every block kind), then the
// sample itself twice, through the host as the agent calls the loader. The
// library is a guest: what a run builds goes back when the call returns, so
// the resident memory after the last call should exceed the memory before
// the first by little (the target: at most 16 MB, the library's own code and
// the repository's page cache among it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "host.h"
#include "sample_network.h"

namespace {

// VmRSS of this process, in MB.
double resident_mb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

std::string file_list() {
    std::string files;
    for (const char *f : sample::kFiles) {
        if (!files.empty()) files += ',';
        files += f;
    }
    return files;
}

void BM_ResidentAfterCalls(benchmark::State &state) {
    char tmpl[] = "/tmp/ndl-resident-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    {
        auto files = sample::network(static_cast<int>(state.range(0)));
        for (size_t f = 0; f < files.size(); ++f) std::ofstream(dir + "/" + sample::kFiles[f]) << files[f];
    }
    setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
    double before = 0, after_big = 0, after = 0;
    bool ok = true;
    for (auto _ : state) {
        std::filesystem::remove(dir + "/repo.db");
        extproc::Session session(dir + "/repo.db");
        if (!session.ok()) {
            state.SkipWithError(std::string(session.error()).c_str());
            break;
        }
        auto load = [&](const std::string &from) {
            extproc::CallResult r =
                session.call("cfgproc", "NDL_parsefile", {from, file_list(), "initializedata"});
            return r.ok() && r.ret == 0;
        };
        before = resident_mb();
        ok = load(dir);
        after_big = resident_mb();
        ok = ok && load(NDL_EXAMPLES_DIR) && load(NDL_EXAMPLES_DIR);
        after = resident_mb();
        if (!ok) state.SkipWithError("a load failed");
    }
    std::filesystem::remove_all(dir);
    if (!ok) return;
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_big_MB"] = after_big;
    state.counters["rss_after_MB"] = after;
    state.counters["kept_MB"] = after - before;
}
BENCHMARK(BM_ResidentAfterCalls)->Arg(1800)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
