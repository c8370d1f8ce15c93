// The CLOB variants on lists of 5000 items against their scalar twins on the
// same lists, in the same run: each benchmark times the variant (its lists
// read from CLOBs, its list results written to one reused CLOB) and the
// scalar call for call, and reports the variant's cost as a multiple of the
// scalar's ("x scalar", the target is 1.5 at most). The benchmark's own time
// is that of both.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host.h"
#include "lobprocs.h"
#include "oci.h"
#include "procedures.h"

namespace {

constexpr int kItems = 5000;

std::string dotted(unsigned a) {
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." + std::to_string((a >> 8) & 255) +
           "." + std::to_string(a & 255);
}

struct Lists {
    std::string hosts, blocks, prefixes, pool, last_of_range;
    Lists() {
        for (unsigned i = 0; i < kItems; ++i) {
            hosts += dotted(0x0A000001u + i * 7) + " ";
            blocks += dotted(0x0A000000u + (i << 8)) + " ";
            prefixes += "24 ";
            // Runs of ten addresses.
            pool += dotted(0x0B000000u + (i / 10) * 20 + i % 10) + " ";
        }
        last_of_range = dotted(0x0A000000u + kItems - 1);
    }
};

const Lists &lists() {
    static const Lists l;
    return l;
}

// One host session, its CLOBs filled with the lists, and the buffers.
struct Bed {
    extproc::Session session;
    OCILobLocator *hosts = nullptr, *blocks = nullptr, *prefixes = nullptr, *pool = nullptr;
    OCILobLocator *out1 = nullptr, *out2 = nullptr;
    std::vector<char> a = std::vector<char>(1 << 18), b = std::vector<char>(1 << 18), c = std::vector<char>(4000),
                      err = std::vector<char>(4000);
    int ia = 0, ib = 0, ic = 0, ierr = 0, n1 = 0, n2 = 0, n3 = 0;

    Bed() : session(path()) {
        const Lists &l = lists();
        hosts = clob(l.hosts);
        blocks = clob(l.blocks);
        prefixes = clob(l.prefixes);
        pool = clob(l.pool);
        out1 = clob("");
        out2 = clob("");
    }
    static std::string path() {
        static std::string p = "/tmp/addrkit_lob_bench_" + std::to_string(getpid()) + ".db";
        return p;
    }
    ~Bed() { unlink(path().c_str()); }
    OCILobLocator *clob(const std::string &text) {
        const auto &h = session.handles();
        OCILobLocator *lob = nullptr;
        OCIDescriptorAlloc(h.env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr);
        ub4 amount = static_cast<ub4>(text.size());
        if (amount)
            OCILobWrite(h.svc, h.err, lob, &amount, 1, const_cast<char *>(text.data()), amount, OCI_ONE_PIECE,
                        nullptr, nullptr, 0, SQLCS_IMPLICIT);
        return lob;
    }
    OCIExtProcContext *ctx() const { return session.handles().ctx; }
    int len(const std::vector<char> &v) const { return static_cast<int>(v.size()); }
};

Bed &bed() {
    static Bed b;
    return b;
}

// One workload: the scalar and its variant on the same lists.
struct Pair {
    std::function<int()> scalar, lob;
};

std::map<std::string, Pair> &pairs() {
    static std::map<std::string, Pair> p;
    if (!p.empty()) return p;
    Bed &o = bed();
    const Lists &l = lists();
    p["validate_network"] = {
        [&] { return C_validate_network("11.0.0.0", 24, l.blocks.c_str(), l.prefixes.c_str(), o.err.data(), o.len(o.err), &o.ierr); },
        [&] { return C_validate_networkLob(o.ctx(), "11.0.0.0", 24, o.blocks, o.prefixes, o.err.data(), o.len(o.err), &o.ierr); }};
    p["fornw"] = {
        [&] { return C_get_ipaddress_fornw(o.c.data(), o.len(o.c), &o.ic, "10.0.0.0", 16, l.hosts.c_str(), o.err.data(), o.len(o.err), &o.ierr); },
        [&] { return C_get_ipaddress_fornwLob(o.ctx(), o.c.data(), o.len(o.c), &o.ic, "10.0.0.0", 16, o.hosts, o.err.data(), o.len(o.err), &o.ierr); }};
    p["next_subnw"] = {
        [&] { return C_get_next_subnw("10.0.0.0", 8, l.blocks.c_str(), l.prefixes.c_str(), 24, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr); },
        [&] { return C_get_next_subnwLob(o.ctx(), "10.0.0.0", 8, o.blocks, o.prefixes, 24, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr); }};
    p["aggregate"] = {
        [&] { return C_aggregate(l.blocks.c_str(), l.prefixes.c_str(), o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, o.err.data(), o.len(o.err), &o.ierr); },
        [&] {
            OCILobLocator *n = o.out1, *f = o.out2;
            return C_aggregateLob(o.ctx(), o.blocks, o.prefixes, &n, &f, o.err.data(), o.len(o.err), &o.ierr);
        }};
    p["pool_ranges"] = {
        [&] { return C_PoolRanges(l.pool.c_str(), o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr); },
        [&] {
            OCILobLocator *r = o.out1, *m = o.out2;
            return C_PoolRangesLob(o.ctx(), o.pool, &r, &m, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr);
        }};
    p["net_pool_ranges"] = {
        [&] { return C_NetPoolRanges(l.blocks.c_str(), l.prefixes.c_str(), 1, o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr); },
        [&] {
            OCILobLocator *r = o.out1, *m = o.out2;
            return C_NetPoolRangesLob(o.ctx(), o.blocks, o.prefixes, 1, &r, &m, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr);
        }};
    p["address_range"] = {
        [&] { return C_GetAddressRange(o.a.data(), o.len(o.a), &o.ia, "10.0.0.0", l.last_of_range.c_str(), o.err.data(), o.len(o.err), &o.ierr); },
        [&] {
            OCILobLocator *r = o.out1;
            return C_GetAddressRangeLob(o.ctx(), &r, "10.0.0.0", l.last_of_range.c_str(), o.err.data(), o.len(o.err), &o.ierr);
        }};
    p["natnet_expanded"] = {
        [&] { return C_get_ipaddress_natnet(o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, "10.0.0.0", 8, l.blocks.c_str(), l.prefixes.c_str(), 1000, 0, 1, o.err.data(), o.len(o.err), &o.ierr); },
        [&] {
            OCILobLocator *n = o.out1, *f = o.out2;
            return C_get_ipaddress_natnetLob(o.ctx(), &n, &f, "10.0.0.0", 8, o.blocks, o.prefixes, 1000, 0, 1, o.err.data(), o.len(o.err), &o.ierr);
        }};
    return p;
}

// CPU time of this thread, so that other work on the machine does not count.
double cpu_seconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Each iteration calls the variant and then its scalar, each timed on its
// own: both see the same machine, call for call.
void BM_Lob(benchmark::State &state, const std::string &workload) {
    const Pair &pair = pairs().at(workload);
    if (pair.scalar() != 0 || pair.lob() != 0) {
        state.SkipWithError("the procedure failed");
        return;
    }
    int failures = 0;
    double lob = 0, scalar = 0;
    for (auto _ : state) {
        double t0 = cpu_seconds();
        failures += pair.lob() != 0;
        double t1 = cpu_seconds();
        failures += pair.scalar() != 0;
        lob += t1 - t0;
        scalar += cpu_seconds() - t1;
    }
    if (failures) state.SkipWithError("the procedure failed");
    double n = static_cast<double>(state.iterations());
    state.counters["calls/s"] = n / lob;
    state.counters["scalar calls/s"] = n / scalar;
    state.counters["x scalar"] = lob / scalar;
}

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (const auto &[name, pair] : pairs())
        benchmark::RegisterBenchmark(("BM_Lob/" + name).c_str(), BM_Lob, name);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
