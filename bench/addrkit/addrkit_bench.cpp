// Validation, list, allocation and aggregation procedures on lists of up to
// 5000 items, called as the agent calls them. Each benchmark reports its
// calls per second, those of Python's ipaddress doing the same work on the
// same lists (measured in this run by ipaddress_baseline.py), and the ratio
// of the two; the allocation benchmarks also their ratio to the step-by-step
// searches of tests/addrkit/bruteforce.cpp, timed in this run on the same
// lists already read into numbers.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "addrmodel.h"
#include "bruteforce.h"
#include "procedures.h"

namespace {

constexpr int kItems = 5000;

std::string dotted(unsigned a) {
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." + std::to_string((a >> 8) & 255) +
           "." + std::to_string(a & 255);
}

std::string join(const std::vector<std::string> &v) {
    std::string s;
    for (const std::string &x : v) s += x + " ";
    return s;
}

// The lists every benchmark (and the baseline) works on.
struct Lists {
    std::string hosts;         // 5000 distinct hosts of 10.0.0.0/16, shuffled
    std::string blocks;        // 5000 /24 blocks of 10/8, shuffled
    std::string block_prefixes;
    std::string pool;          // 5000 addresses in runs, shuffled
    // 5000 blocks of /28 to /32 packed from the start of 10.0.0.0/8,
    // shuffled: the next free /32 lies past all of them.
    std::string packed, packed_prefixes;
    // Blocks scattered over the NAT pool 10.0.0.0/16.
    std::string nat_used, nat_prefixes, contiguous_used, contiguous_prefixes;
    static void texts(const std::vector<brute::Net> &nets, std::string &addrs, std::string &prefixes) {
        std::vector<std::string> a, p;
        for (const brute::Net &n : nets) {
            a.push_back(dotted(n.address));
            p.push_back(std::to_string(n.prefix));
        }
        addrs = join(a);
        prefixes = join(p);
    }
    Lists() {
        std::mt19937 rng(5000);
        std::vector<std::string> h, b, p, pool_items;
        std::vector<unsigned> values;
        for (unsigned i = 1; i < 65535; ++i) values.push_back(0x0A000000u + i);
        std::shuffle(values.begin(), values.end(), rng);
        for (int i = 0; i < kItems; ++i) h.push_back(dotted(values[static_cast<size_t>(i)]));
        std::vector<unsigned> nets;
        for (unsigned i = 0; i < kItems; ++i) nets.push_back(0x0A000000u + (i << 8));
        std::shuffle(nets.begin(), nets.end(), rng);
        for (unsigned n : nets) {
            b.push_back(dotted(n));
            p.push_back("24");
        }
        unsigned a = 0x0B000000u;
        while (pool_items.size() < static_cast<size_t>(kItems)) {
            unsigned run = 1 + rng() % 40;
            for (unsigned i = 0; i < run && pool_items.size() < static_cast<size_t>(kItems); ++i) pool_items.push_back(dotted(a++));
            a += 1 + rng() % 300;
        }
        std::shuffle(pool_items.begin(), pool_items.end(), rng);
        std::vector<brute::Net> packed_nets, nat_nets, contiguous_nets;
        // Largest first, so that every block is aligned and no hole is left.
        std::vector<int> sizes;
        for (int i = 0; i < kItems; ++i) sizes.push_back(28 + static_cast<int>(rng() % 5));
        std::sort(sizes.begin(), sizes.end());
        unsigned at = 0x0A000000u;
        for (int prefix : sizes) {
            packed_nets.push_back({at, prefix});
            at += 1u << (32 - prefix);
        }
        std::shuffle(packed_nets.begin(), packed_nets.end(), rng);
        auto scatter = [&](int count, int shortest, std::vector<brute::Net> &out) {
            for (int i = 0; i < count; ++i) {
                int prefix = shortest + static_cast<int>(rng() % static_cast<unsigned>(31 - shortest));
                unsigned a = (0x0A000000u + static_cast<unsigned>(rng() & 0xFFFFu)) & ~((1u << (32 - prefix)) - 1);
                out.push_back({a, prefix});
            }
        };
        // Scattered blocks: no /22 is left free for natx, a few long runs
        // for the contiguous search.
        scatter(1000, 28, nat_nets);
        scatter(200, 26, contiguous_nets);
        std::vector<std::string> pk, pkp;
        for (const brute::Net &n : packed_nets) {
            pk.push_back(dotted(n.address));
            pkp.push_back(std::to_string(n.prefix));
        }
        packed = join(pk);
        packed_prefixes = join(pkp);
        texts(nat_nets, nat_used, nat_prefixes);
        texts(contiguous_nets, contiguous_used, contiguous_prefixes);
        hosts = join(h);
        blocks = join(b);
        block_prefixes = join(p);
        pool = join(pool_items);
    }
};

const Lists &lists() {
    static const Lists l;
    return l;
}

// Python's calls per second, by workload name.
std::map<std::string, double> &baseline() {
    static std::map<std::string, double> b;
    return b;
}

void measure_baseline() {
    if (!*NDL_PYTHON || access(NDL_PYTHON, X_OK) != 0) {
        std::fprintf(stderr, "python3 not found: no ipaddress baseline\n");
        return;
    }
    const Lists &l = lists();
    char path[] = "/tmp/addrkit_bench_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    close(fd);
    {
        std::ofstream w(path);
        w << "fornw\t10.0.0.0\t16\t" << l.hosts << "\n";
        w << "validate_network\t11.0.0.0\t24\t" << l.blocks << "\t" << l.block_prefixes << "\n";
        w << "validate_subnetwork\t10.200.0.0\t24\t10.0.0.0\t8\t" << l.blocks << "\t" << l.block_prefixes << "\n";
        w << "pool_ranges\t" << l.pool << "\n";
        w << "net_pool_ranges\t" << l.blocks << "\t" << l.block_prefixes << "\t1\n";
        w << "address_list\t10.0.0.0\t16\t0\n";
        w << "next_subnw\t10.0.0.0\t8\t" << l.packed << "\t" << l.packed_prefixes << "\t32\n";
        w << "aggregate\t" << l.blocks << "\t" << l.block_prefixes << "\n";
        w << "natx\t10.0.0.0\t16\t" << l.nat_used << "\t" << l.nat_prefixes << "\t1024\n";
        w << "natnet_contiguous\t10.0.0.0\t16\t" << l.contiguous_used << "\t" << l.contiguous_prefixes << "\t1024\n";
    }
    std::string cmd = std::string(NDL_PYTHON) + " " + NDL_BENCH_BASELINE + " " + path;
    if (FILE *p = popen(cmd.c_str(), "r")) {
        char name[64];
        double rate;
        while (std::fscanf(p, "%63s %lf", name, &rate) == 2) baseline()[name] = rate;
        pclose(p);
    }
    unlink(path);
}

// The step-by-step searches' calls per second, by workload name.
std::map<std::string, double> &brute_rates() {
    static std::map<std::string, double> b;
    return b;
}

template <class F>
void time_brute(const char *workload, F call) {
    int calls = 0;
    auto t0 = std::chrono::steady_clock::now();
    double seconds = 0;
    do {
        benchmark::DoNotOptimize(call());
        ++calls;
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    } while (seconds < 0.3);
    brute_rates()[workload] = calls / seconds;
}

// The lists read as the procedures read them, for the step-by-step searches.
std::vector<brute::Net> read(const std::string &nets, const std::string &prefixes) {
    std::vector<Network> items;
    std::string err;
    extractipandprefixlst(nets, prefixes, items, err);
    std::vector<brute::Net> out;
    for (const Network &n : items) out.push_back({n.address, n.prefix});
    return out;
}

void measure_brute() {
    const Lists &l = lists();
    time_brute("next_subnw", [&] {
        return brute::next_subnw(0x0A000000u, 8, read(l.packed, l.packed_prefixes), 32).address;
    });
    time_brute("aggregate", [&] { return brute::aggregate(read(l.blocks, l.block_prefixes)).size(); });
    time_brute("natx", [&] { return brute::natx(0x0A000000u, 16, read(l.nat_used, l.nat_prefixes), 1024, false).ok; });
    time_brute("natnet_contiguous", [&] {
        return brute::natnet(0x0A000000u, 16, read(l.contiguous_used, l.contiguous_prefixes), 1024, 1, 0).ok;
    });
}

// Runs CALL for the benchmark's iterations and reports the rates.
template <class F>
void run(benchmark::State &state, const char *workload, F call) {
    int failures = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) failures += call() != 0;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (failures) state.SkipWithError("the procedure failed");
    double rate = static_cast<double>(state.iterations()) / seconds;
    state.counters["calls/s"] = rate;
    auto it = baseline().find(workload);
    if (it != baseline().end() && it->second > 0) {
        state.counters["python calls/s"] = it->second;
        state.counters["x python"] = rate / it->second;
    }
    it = brute_rates().find(workload);
    if (it != brute_rates().end() && it->second > 0) {
        state.counters["brute calls/s"] = it->second;
        state.counters["x brute"] = rate / it->second;
    }
}

struct Buffers {
    std::vector<char> a = std::vector<char>(1 << 18), b = std::vector<char>(1 << 18), c = std::vector<char>(4000),
                      err = std::vector<char>(4000);
    int ia = 0, ib = 0, ic = 0, ierr = 0;
    int len(const std::vector<char> &v) const { return static_cast<int>(v.size()); }
};

void BM_ValidateIpaddressFornw(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "fornw", [&] {
        return C_validate_ipaddress_fornw("10.0.0.0", 16, l.hosts.c_str(), o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_ValidateNetwork(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "validate_network", [&] {
        return C_validate_network("11.0.0.0", 24, l.blocks.c_str(), l.block_prefixes.c_str(), o.err.data(),
                                  o.len(o.err), &o.ierr);
    });
}

void BM_ValidateSubnetwork(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "validate_subnetwork", [&] {
        return C_validate_subnetwork("10.200.0.0", 24, "10.0.0.0", 8, l.blocks.c_str(), l.block_prefixes.c_str(),
                                     o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_PoolRanges(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "pool_ranges", [&] {
        return C_PoolRanges(l.pool.c_str(), o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, o.c.data(),
                            o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_NetPoolRanges(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "net_pool_ranges", [&] {
        return C_NetPoolRanges(l.blocks.c_str(), l.block_prefixes.c_str(), 1, o.a.data(), o.len(o.a), &o.ia,
                               o.b.data(), o.len(o.b), &o.ib, o.c.data(), o.len(o.c), &o.ic, o.err.data(),
                               o.len(o.err), &o.ierr);
    });
}

void BM_GetIPAddressListPage(benchmark::State &state) {
    Buffers o;
    int next = 0;
    run(state, "address_list", [&] {
        return C_GetIPAddressList(o.a.data(), o.len(o.a), &o.ia, "10.0.0.0", 16, 0, &next, o.err.data(), o.len(o.err),
                                  &o.ierr);
    });
}

void BM_NextSubnetOf5000Used(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "next_subnw", [&] {
        return C_get_next_subnw("10.0.0.0", 8, l.packed.c_str(), l.packed_prefixes.c_str(), 32, o.c.data(),
                                o.len(o.c), &o.ic, o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_Aggregate5000(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "aggregate", [&] {
        return C_aggregate(l.blocks.c_str(), l.block_prefixes.c_str(), o.a.data(), o.len(o.a), &o.ia, o.b.data(),
                           o.len(o.b), &o.ib, o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_NatxBlocksOf1024(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "natx", [&] {
        return C_get_ipaddress_natx(o.a.data(), o.len(o.a), &o.ia, "10.0.0.0", 16, l.nat_used.c_str(),
                                    l.nat_prefixes.c_str(), 1024, 0, o.err.data(), o.len(o.err), &o.ierr);
    });
}

void BM_NatnetContiguous1024(benchmark::State &state) {
    Buffers o;
    const Lists &l = lists();
    run(state, "natnet_contiguous", [&] {
        return C_get_ipaddress_natnet(o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b), &o.ib, "10.0.0.0", 16,
                                      l.contiguous_used.c_str(), l.contiguous_prefixes.c_str(), 1024, 1, 0, o.err.data(),
                                      o.len(o.err), &o.ierr);
    });
}

// The same checks on growing lists: the fitted complexity shows n log n.
std::string first_items(const std::string &list, int n) {
    size_t at = 0;
    for (int i = 0; i < n && at != std::string::npos; ++i) at = list.find(' ', at + 1);
    return list.substr(0, at);
}

void BM_FornwScaling(benchmark::State &state) {
    Buffers o;
    std::string hosts = first_items(lists().hosts, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            C_validate_ipaddress_fornw("10.0.0.0", 16, hosts.c_str(), o.err.data(), o.len(o.err), &o.ierr));
    state.SetComplexityN(state.range(0));
}

void BM_PoolRangesScaling(benchmark::State &state) {
    Buffers o;
    std::string pool = first_items(lists().pool, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(C_PoolRanges(pool.c_str(), o.a.data(), o.len(o.a), &o.ia, o.b.data(), o.len(o.b),
                                              &o.ib, o.c.data(), o.len(o.c), &o.ic, o.err.data(), o.len(o.err),
                                              &o.ierr));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_ValidateIpaddressFornw);
BENCHMARK(BM_FornwScaling)->RangeMultiplier(2)->Range(625, kItems)->Complexity();
BENCHMARK(BM_PoolRangesScaling)->RangeMultiplier(2)->Range(625, kItems)->Complexity();
BENCHMARK(BM_ValidateNetwork);
BENCHMARK(BM_ValidateSubnetwork);
BENCHMARK(BM_PoolRanges);
BENCHMARK(BM_NetPoolRanges);
BENCHMARK(BM_GetIPAddressListPage);
BENCHMARK(BM_NextSubnetOf5000Used);
BENCHMARK(BM_Aggregate5000);
BENCHMARK(BM_NatxBlocksOf1024);
BENCHMARK(BM_NatnetContiguous1024);

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    measure_baseline();
    measure_brute();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
