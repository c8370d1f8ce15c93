// The inventory check of a TOPOLOGY section over a generated network of N
// node types (N/100 domains, two variables and one logical interface per
// node type) whose instance tables hold 10*N rows filled by SQL: an
// unchanged section (every stored row found, no count), and one that drops
// 1% of its node types, each counted against the node instances (none live,
// so each only warns). The baseline, in the same run, is raw SQLite reading
// the same stored rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_repo.h"
#include "timed_load.h"
#include "database.h"
#include "records_topology.h"
#include "runstate.h"

namespace {

template <size_t N>
void put(text_field<N> &field, const char *fmt, int a, int b = 0) {
    field.format(fmt, a, b);
}

// The parsed lists of the network; node types whose number ends in 99 are
// left out when `drop` is set.
void generate(int n, bool drop) {
    releasememory("ALL");
    for (int d = 0; d < n / 100; ++d) {
        auto *dom = alloc_record<domain_rec>();
        put(dom->domainname, "D%d", d);
        append_record(prdomains, dom);
        for (const char *name : {"COUNTRYCODE", "LOCATIONCODE", "SITENAME"}) {
            auto *v = alloc_record<domain_variable_rec>();
            put(v->domainname, "D%d", d);
            v->variablename = name;
            append_record(prdomainvariables, v);
        }
    }
    for (int i = 0; i < n; ++i) {
        if (drop && i % 100 == 99) continue;
        auto *node = alloc_record<domain_node_rec>();
        put(node->domainname, "D%d", i / 100);
        put(node->nodetype, "N%d", i % 100);
        node->devicetype = "router";
        append_record(prdomainnodes, node);
        for (const char *name : {"HOSTNAME", "NODEID"}) {
            auto *v = alloc_record<domain_node_var_rec>();
            put(v->domainname, "D%d", i / 100);
            put(v->nodetype, "N%d", i % 100);
            v->variablename = name;
            append_record(prdomainnodevars, v);
        }
        auto *li = alloc_record<domain_node_log_int_rec>();
        put(li->domainname, "D%d", i / 100);
        put(li->nodetype, "N%d", i % 100);
        li->devicetype = "router";
        li->inttype = "Loopback";
        li->intno = "0";
        append_record(prdomainnodelogint, li);
    }
}

// 10*N instance rows: three node instances of every node type, each with a
// history of two rows (the latest deleted for the node types dropped), one
// domain instance per node type and three connection instances.
void fill_instances(const std::string &path, int n) {
    sqlite3 *h = nullptr;
    sqlite3_open(path.c_str(), &h);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *node = nullptr, *dom = nullptr, *conn = nullptr;
    sqlite3_prepare_v2(h, "INSERT INTO nodeinst VALUES (1,1,?,?,?,?,?,?)", -1, &node, nullptr);
    sqlite3_prepare_v2(h, "INSERT INTO domaininstance VALUES (1,1,?,?,1,0)", -1, &dom, nullptr);
    sqlite3_prepare_v2(h, "INSERT INTO nodeconn VALUES (1,1,?,1,?,0)", -1, &conn, nullptr);
    char dname[32], ntype[32], cname[32];
    for (int i = 0; i < n; ++i) {
        std::snprintf(dname, sizeof dname, "D%d", i / 100);
        std::snprintf(ntype, sizeof ntype, "N%d", i % 100);
        for (int k = 0; k < 3; ++k)
            for (int seq = 1; seq <= 2; ++seq) {
                sqlite3_bind_text(node, 1, dname, -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(node, 2, i / 100);
                sqlite3_bind_text(node, 3, ntype, -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(node, 4, i * 3 + k);
                sqlite3_bind_int(node, 5, seq);
                sqlite3_bind_int(node, 6, seq == 2 && i % 100 == 99 ? 1 : 0);
                sqlite3_step(node);
                sqlite3_reset(node);
            }
        sqlite3_bind_text(dom, 1, dname, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(dom, 2, i);
        sqlite3_step(dom);
        sqlite3_reset(dom);
        for (int k = 0; k < 3; ++k) {
            std::snprintf(cname, sizeof cname, "C%d", i % 50);
            sqlite3_bind_int(conn, 1, i * 3 + k);
            sqlite3_bind_text(conn, 2, cname, -1, SQLITE_TRANSIENT);
            sqlite3_step(conn);
            sqlite3_reset(conn);
        }
    }
    sqlite3_finalize(node);
    sqlite3_finalize(dom);
    sqlite3_finalize(conn);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);
}

// The stored rows of the checked tables, every column, straight through SQLite.
void raw_read(sqlite3 *h) {
    for (const char *t : {"domain", "domainvariables", "domainnodes", "domainnodevars", "domainnodelogint"}) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(h, (std::string("SELECT * FROM ") + t + " WHERE networkid=1").c_str(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        sqlite3_finalize(st);
    }
}

void check(benchmark::State &state, bool drop) {
    int n = static_cast<int>(state.range(0));
    Repo repo;
    fill_instances(repo.path, n);
    networkid = 1;
    generate(n, false);
    if (!print_info(nullptr)) {
        state.SkipWithError("write failed");
        return;
    }
    OCITransCommit(repo.svc, repo.err, 0);
    generate(n, drop);
    sqlite3 *raw = nullptr;
    sqlite3_open(repo.path.c_str(), &raw);
    double check_s = 0, raw_s = 0;
    for (auto _ : state) {
        repo.bind();
        networkid = 1;
        auto t0 = clock_type::now();
        int kept = NDL_validateTopology();
        check_s += seconds_since(t0);
        if (!kept || g_topologymodified != (drop ? 1 : 0)) {
            state.SkipWithError("unexpected check result");
            break;
        }
        state.PauseTiming();
        t0 = clock_type::now();
        raw_read(raw);
        raw_s += seconds_since(t0);
        state.ResumeTiming();
    }
    sqlite3_close(raw);
    releasememory("ALL");
    double it = static_cast<double>(state.iterations());
    if (it == 0) return;
    state.counters["check_ms"] = check_s / it * 1e3;
    state.counters["raw_read_ms"] = raw_s / it * 1e3;
    state.counters["check_vs_raw"] = check_s / raw_s;
}

void BM_CheckUnchanged(benchmark::State &state) { check(state, false); }
void BM_CheckDroppedNodeTypes(benchmark::State &state) { check(state, true); }

BENCHMARK(BM_CheckUnchanged)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDroppedNodeTypes)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
