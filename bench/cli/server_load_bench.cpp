// The sample network grown to 67, 667 and 2,000 copies (about 1, 10 and
// 30 MB, every block kind) loaded by the host program into a new repository
// on each backend, loaded again onto it (updateversion, which reads every
// stored row back), and loaded as a new version (createversion), the
// backends taking turns within each iteration. Reports each backend's
// wall time and CPU time (the client's, and on the server the cluster's
// processes' too), the ratios server/SQLite, and the client's peak resident
// memory over the size of the NDL text (each load runs through peak_rss). The server is the one the
// tests use: PGHOST, PGPORT, NDL_TEST_PG_USER, NDL_TEST_PG_PASSWORD, as
// scripts/pg-cluster.sh start prints them.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <libpq-fe.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "run_program.h"
#include "sample_network.h"

namespace {

const std::string kBin = NDL_BIN_DIR;

std::string env(const char *name) {
    const char *v = std::getenv(name);
    return v ? v : "";
}

std::string server_uri(const std::string &db) {
    return "postgresql://" + env("NDL_TEST_PG_USER") + ":" + env("NDL_TEST_PG_PASSWORD") + "@/" + db +
           "?host=" + env("PGHOST") + "&port=" + env("PGPORT");
}

bool server_sql(const std::string &sql) {
    PGconn *c = PQconnectdb(server_uri("postgres").c_str());
    bool ok = PQstatus(c) == CONNECTION_OK;
    if (ok) {
        PGresult *r = PQexec(c, sql.c_str());
        ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        PQclear(r);
    }
    PQfinish(c);
    return ok;
}

// Seconds of CPU in a /proc/PID/stat: its own, and with CHILDREN that of
// the children it has reaped (a server's ended sessions).
double proc_cpu(const std::string &pid, bool children) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t paren = text.rfind(')');
    if (paren == std::string::npos) return 0;
    std::istringstream fields(text.substr(paren + 2));
    std::string f;
    double ticks = 0;
    for (int i = 3; fields >> f && i <= 17; ++i)
        if (i == 14 || i == 15 || (children && (i == 16 || i == 17))) ticks += std::atof(f.c_str());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The cluster's CPU so far: the postmaster with its ended sessions, and
// every process it still runs (pg-cluster.sh keeps its data in PGHOST/data).
double server_cpu() {
    std::ifstream pidfile(env("PGHOST") + "/data/postmaster.pid");
    std::string master;
    if (!(pidfile >> master)) return 0;
    double total = proc_cpu(master, true);
    if (DIR *d = opendir("/proc")) {
        while (dirent *e = readdir(d)) {
            std::string pid = e->d_name;
            if (pid.find_first_not_of("0123456789") != std::string::npos || pid == master) continue;
            std::ifstream st("/proc/" + pid + "/stat");
            std::string text((std::istreambuf_iterator<char>(st)), std::istreambuf_iterator<char>());
            size_t paren = text.rfind(')');
            std::istringstream fields(paren == std::string::npos ? "" : text.substr(paren + 2));
            std::string state, ppid;
            if (fields >> state >> ppid && ppid == master) total += proc_cpu(pid, false);
        }
        closedir(d);
    }
    return total;
}

double children_cpu() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Cost {
    double wall = 0, cpu = 0;
    long peak_kb = 0;  // the largest of the client's runs
};

// One load of the network in DIR into REPOSITORY in MODE, added to COST;
// false when it did not load cleanly.
bool load(const std::string &dir, const std::string &repository, const char *mode, bool server, Cost &cost) {
    std::string files;
    for (const char *f : sample::kFiles) files += (files.empty() ? "" : ",") + std::string(f);
    double cpu0 = children_cpu() + (server ? server_cpu() : 0);
    auto t0 = std::chrono::steady_clock::now();
    ProgramRun r = run_program(NDL_BENCH_DIR "/peak_rss", {kBin + "/extproc", "--repository", repository, "parse",
                                                           "--dir", dir, "--files", files, "--mode", mode, "--raw"});
    cost.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cost.cpu += children_cpu() + (server ? server_cpu() : 0) - cpu0;
    size_t at = r.err.rfind("peak_kb=");
    if (at != std::string::npos) cost.peak_kb = std::max(cost.peak_kb, std::atol(r.err.c_str() + at + 8));
    return r.status == 0 && r.out.find("rror") == std::string::npos;
}

void BM_BothBackends(benchmark::State &state) {
    if (env("PGHOST").empty() || env("NDL_TEST_PG_USER").empty()) {
        state.SkipWithError("no server: eval \"$(scripts/pg-cluster.sh start DIR)\" first");
        return;
    }
    char tmpl[] = "/tmp/ndl-server-bench-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    double bytes = 0;
    auto files = sample::network(static_cast<int>(state.range(0)));
    for (size_t f = 0; f < files.size(); ++f) {
        std::ofstream(dir + "/" + sample::kFiles[f], std::ios::binary) << files[f];
        bytes += static_cast<double>(files[f].size());
    }
    Cost fresh[2], reload[2], created[2];  // [0] SQLite, [1] the server
    bool ok = true;
    for (auto _ : state) {
        std::filesystem::remove(dir + "/bench.db");
        const std::string name = "ndl_bench_" + std::to_string(getpid());
        ok = server_sql("DROP DATABASE IF EXISTS " + name) && server_sql("CREATE DATABASE " + name);
        const std::string repos[2] = {dir + "/bench.db", server_uri(name)};
        for (int b = 0; ok && b < 2; ++b) ok = load(dir, repos[b], "initializedata", b == 1, fresh[b]);
        for (int b = 0; ok && b < 2; ++b) ok = load(dir, repos[b], "updateversion", b == 1, reload[b]);
        for (int b = 0; ok && b < 2; ++b) ok = load(dir, repos[b], "createversion", b == 1, created[b]);
        server_sql("DROP DATABASE IF EXISTS " + name);
        if (!ok) {
            state.SkipWithError("a load did not end cleanly");
            break;
        }
    }
    std::filesystem::remove_all(dir);
    if (!ok || state.iterations() == 0) return;
    double n = static_cast<double>(state.iterations());
    state.counters["ndl_MB"] = bytes / 1e6;
    state.counters["sqlite_fresh_s"] = fresh[0].wall / n;
    state.counters["server_fresh_s"] = fresh[1].wall / n;
    state.counters["fresh_wall_ratio"] = fresh[1].wall / fresh[0].wall;
    state.counters["fresh_cpu_ratio"] = fresh[1].cpu / fresh[0].cpu;
    state.counters["sqlite_reload_s"] = reload[0].wall / n;
    state.counters["server_reload_s"] = reload[1].wall / n;
    state.counters["reload_wall_ratio"] = reload[1].wall / reload[0].wall;
    state.counters["reload_cpu_ratio"] = reload[1].cpu / reload[0].cpu;
    state.counters["sqlite_create_s"] = created[0].wall / n;
    state.counters["server_create_s"] = created[1].wall / n;
    state.counters["create_wall_ratio"] = created[1].wall / created[0].wall;
    state.counters["create_cpu_ratio"] = created[1].cpu / created[0].cpu;
    // The client's peak over the NDL text, on each backend.
    for (int b = 0; b < 2; ++b)
        state.counters[b ? "server_peak_per_ndl" : "sqlite_peak_per_ndl"] =
            static_cast<double>(std::max({fresh[b].peak_kb, reload[b].peak_kb, created[b].peak_kb})) * 1024 / bytes;
}

BENCHMARK(BM_BothBackends)->Arg(67)->Arg(667)->Arg(2000)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
