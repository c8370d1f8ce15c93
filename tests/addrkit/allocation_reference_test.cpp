// The allocation and aggregation procedures against the step-by-step
// searches of bruteforce.h, on small parents with seeded random used lists
// (holes, overlaps, blocks outside the parent). Called directly, so that
// g_errorcode can be read after every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "addrmodel.h"
#include "bruteforce.h"
#include "procedures.h"
#include "procframe.h"

namespace {

using brute::Net;
using u64 = std::uint64_t;

struct Out {
    char buf[32767];
    int ind = 0;
};

struct Call {
    Out a, b, err;
    int n1 = 0, n2 = 0, n3 = 0;
};

std::string text(ip_t a) { return denumberize(a); }

std::vector<ip_t> addresses_of(const char *list) {
    std::vector<ip_t> out;
    std::vector<std::string_view> items;
    std::string err;
    read_items(list, 100000, items, err);
    for (auto i : items) out.push_back(numberize(i));
    return out;
}

std::vector<int> ints_of(const char *list) {
    std::vector<int> out;
    std::vector<std::string_view> items;
    std::string err;
    read_items(list, 100000, items, err);
    for (auto i : items) out.push_back(list_int(i));
    return out;
}

struct Lists {
    std::string nets, prefixes;
};
Lists lists_of(const std::vector<Net> &v) {
    Lists l;
    for (const Net &n : v) {
        l.nets += text(n.address) + " ";
        l.prefixes += std::to_string(n.prefix) + " ";
    }
    return l;
}

class Scenarios {
public:
    explicit Scenarios(unsigned seed) : rng_(seed) {}
    int pick(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<unsigned>(hi - lo + 1)); }

    // A parent of PREFIX: mostly inside 10/8, sometimes at the very top of
    // the space.
    ip_t parent(int prefix) {
        ip_t base = pick(0, 5) == 0 ? 0xFFFFFF00u : 0x0A000000u + (static_cast<ip_t>(rng_()) & 0xFFFF00u);
        return base & mask_of(prefix);
    }
    // Aligned used blocks around and inside the parent.
    std::vector<Net> used(ip_t parent, int prefix, int most) {
        std::vector<Net> v;
        int n = pick(0, most);
        const long long size = static_cast<long long>(block_size(prefix));
        for (int i = 0; i < n; ++i) {
            int p = std::clamp(pick(prefix - 1, 32), std::max(prefix - 1, 2), 32);
            long long at = static_cast<long long>(parent) + pick(-static_cast<int>(size / 4), static_cast<int>(size + size / 4));
            at = std::clamp(at, 0LL, 0xFFFFFFFFLL);
            v.push_back({static_cast<ip_t>(at) & mask_of(p), p});
        }
        return v;
    }
    // Distinct addresses of [first, last].
    std::vector<ip_t> hosts(u64 first, u64 last, int most) {
        std::vector<ip_t> v;
        if (first > last) return v;
        int n = pick(0, most);
        for (int i = 0; i < n; ++i) v.push_back(static_cast<ip_t>(first + rng_() % (last - first + 1)));
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        std::shuffle(v.begin(), v.end(), rng_);
        return v;
    }

private:
    std::mt19937 rng_;
};

TEST(AllocationReference, SubnetSearchesAgreeWithTheCandidateScan) {
    Scenarios g(25105);
    for (int round = 0; round < 400; ++round) {
        int prefix = g.pick(22, 32);
        ip_t parent = g.parent(prefix);
        std::vector<Net> used = g.used(parent, prefix, 12);
        Lists l = lists_of(used);
        std::string ptext = text(parent);
        Call c;
        for (int wanted = prefix - 1; wanted <= 32; ++wanted) {
            brute::Found want = brute::next_subnw(parent, prefix, used, wanted);
            g_errorcode = -1;
            int rc = C_get_next_subnw(ptext.c_str(), prefix, l.nets.c_str(), l.prefixes.c_str(), wanted, c.a.buf,
                                      4000, &c.a.ind, c.err.buf, 4000, &c.err.ind);
            std::string where = ptext + "/" + std::to_string(prefix) + " used " + l.nets + " wanted " + std::to_string(wanted);
            ASSERT_EQ(g_errorcode, want.code) << where;
            ASSERT_EQ(rc, want.address ? 0 : 2) << where;
            if (want.address) {
                ASSERT_EQ(std::string(c.a.buf), text(*want.address)) << where;
            }
        }

        std::vector<unsigned> nets;
        std::vector<int> prefixes;
        for (const Net &n : used) {
            nets.push_back(n.address);
            prefixes.push_back(n.prefix);
        }
        std::optional<Net> want = brute::largest_subnw(parent, prefix, used);
        int best = 0;
        int rc = C_get_largest_subnw(ptext.c_str(), prefix, nets.data(), prefixes.data(), static_cast<int>(nets.size()),
                                     &best, c.a.buf, 4000, &c.a.ind, c.err.buf, 4000, &c.err.ind);
        std::string where = ptext + "/" + std::to_string(prefix) + " used " + l.nets;
        if (want) {
            ASSERT_EQ(rc, 0) << where;
            EXPECT_EQ(std::string(c.a.buf), text(want->address)) << where;
            EXPECT_EQ(best, want->prefix) << where;
        } else {
            ASSERT_EQ(rc, 4) << where;
            EXPECT_EQ(g_errorcode, 4);
            EXPECT_EQ(best, 32);
            EXPECT_EQ(c.a.ind, 0);
            EXPECT_EQ(c.err.ind, -1);
        }
        rc = C_get_maxsubnw_size(ptext.c_str(), prefix, l.nets.c_str(), l.prefixes.c_str(), &c.n1, &c.n2, &c.n3,
                                 c.err.buf, 4000, &c.err.ind);
        ASSERT_EQ(rc, 0) << where;
        EXPECT_EQ(c.n1, static_cast<int>(block_size(prefix)));
        u64 total = 0;
        for (const Net &n : used) total += block_size(n.prefix);
        EXPECT_EQ(c.n2, static_cast<int>(total));
        EXPECT_EQ(c.n3, want ? static_cast<int>(block_size(want->prefix)) : 0) << where;
        EXPECT_EQ(g_errorcode, 0);
    }
}

TEST(AllocationReference, HostAddressesAgreeWithTheWalk) {
    Scenarios g(25104);
    for (int round = 0; round < 600; ++round) {
        int prefix = g.pick(24, 32);
        ip_t n = g.parent(prefix);
        const u64 b = block_last(n, prefix);
        std::string ntext = text(n);
        Call c;
        auto join = [](const std::vector<ip_t> &v) {
            std::string s;
            for (ip_t a : v) s += text(a) + " ";
            return s;
        };
        // Dense lists, so that the networks fill up now and then.
        int most = g.pick(0, 1) ? 8 : static_cast<int>(block_size(prefix)) + 4;

        std::vector<ip_t> used = g.hosts(u64{n} + 1, b - 1, most);
        std::string list = join(used);
        std::optional<ip_t> want = prefix == 32 ? std::optional<ip_t>(n) : brute::free_host(u64{n} + 1, b - 1, used);
        int rc = C_get_ipaddress_fornw(c.a.buf, 4000, &c.a.ind, ntext.c_str(), prefix, list.c_str(), c.err.buf, 4000,
                                       &c.err.ind);
        ASSERT_EQ(rc, want ? 0 : 2) << ntext << "/" << prefix << " " << list;
        if (want) {
            EXPECT_EQ(std::string(c.a.buf), text(*want));
        }

        used = g.hosts(n, b, most);
        list = join(used);
        want = brute::free_host(n, b, used);
        rc = C_get_ipaddress_nat(c.a.buf, 4000, &c.a.ind, ntext.c_str(), prefix, list.c_str(), c.err.buf, 4000,
                                 &c.err.ind);
        ASSERT_EQ(rc, want ? 0 : 2) << ntext << "/" << prefix << " " << list;
        if (want) {
            EXPECT_EQ(std::string(c.a.buf), text(*want));
        }

        used = g.hosts(u64{n} + 1, b, most);
        list = join(used);
        std::optional<ip_t> one, two;
        if (prefix < 31) one = brute::free_host(u64{n} + 1, b - 1, used);
        if (one) {
            used.push_back(*one);
            two = brute::free_host(u64{n} + 1, b, used);
        }
        rc = C_get_ipaddress_forptopnw(c.a.buf, 4000, &c.a.ind, c.b.buf, 4000, &c.b.ind, ntext.c_str(), prefix,
                                       list.c_str(), c.err.buf, 4000, &c.err.ind);
        ASSERT_EQ(rc, two ? 0 : 2) << ntext << "/" << prefix << " " << list;
        if (one && two) {
            EXPECT_EQ(std::string(c.a.buf), text(*one));
            EXPECT_EQ(std::string(c.b.buf), text(*two));
        }
    }
}

TEST(AllocationReference, NatBlocksAgreeWithRepeatedSubnetSearches) {
    Scenarios g(25106);
    for (int round = 0; round < 300; ++round) {
        int prefix = g.pick(24, 32);
        ip_t pool = g.parent(prefix);
        std::vector<Net> used = g.used(pool, prefix, 10);
        Lists l = lists_of(used);
        std::string ptext = text(pool);
        const int size = static_cast<int>(block_size(prefix));
        std::string where = ptext + "/" + std::to_string(prefix) + " used " + l.nets + " " + l.prefixes;
        Call c;

        for (int contiguous = 0; contiguous < 2; ++contiguous) {
            int count = g.pick(1, size + 2);
            brute::Nat want = brute::natx(pool, prefix, used, count, contiguous);
            g_errorcode = -1;
            int rc = C_get_ipaddress_natx(c.a.buf, 32767, &c.a.ind, ptext.c_str(), prefix, l.nets.c_str(),
                                          l.prefixes.c_str(), count, contiguous, c.err.buf, 4000, &c.err.ind);
            std::string w = where + " natx " + std::to_string(count) + " " + std::to_string(contiguous);
            ASSERT_EQ(rc, want.ok ? 0 : 2) << w;
            EXPECT_EQ(g_errorcode, want.errorcode) << w;
            if (want.ok) {
                EXPECT_EQ(addresses_of(c.a.buf), want.addresses) << w;
            }
        }

        for (int contiguous = 0; contiguous < 2; ++contiguous) {
            int expand = g.pick(0, 2);
            int count = g.pick(1, contiguous ? std::min(size, 40) : size);
            brute::Nat want = brute::natnet(pool, prefix, used, count, contiguous, expand);
            int rc = C_get_ipaddress_natnet(c.a.buf, 32767, &c.a.ind, c.b.buf, 32767, &c.b.ind, ptext.c_str(), prefix,
                                            l.nets.c_str(), l.prefixes.c_str(), count, contiguous, expand, c.err.buf,
                                            4000, &c.err.ind);
            std::string w = where + " natnet " + std::to_string(count) + " " + std::to_string(contiguous) + " " +
                            std::to_string(expand);
            ASSERT_EQ(rc, want.ok ? 0 : 2) << w << " " << c.err.buf;
            if (!want.ok) continue;
            std::vector<ip_t> nets;
            std::vector<int> prefixes;
            for (const Net &b : want.blocks) {
                if (expand == 1) {
                    for (u64 a = b.address; a < b.address + block_size(b.prefix); ++a) {
                        nets.push_back(static_cast<ip_t>(a));
                        prefixes.push_back(32);
                    }
                } else {
                    nets.push_back(b.address);
                    prefixes.push_back(b.prefix);
                }
            }
            EXPECT_EQ(addresses_of(c.a.buf), nets) << w;
            EXPECT_EQ(ints_of(c.b.buf), prefixes) << w;
        }
    }
}

TEST(AllocationReference, AggregationAgreesOnDisjointInputAndCoversUnionsExactly) {
    Scenarios g(25107);
    for (int round = 0; round < 300; ++round) {
        const int prefix = 20;
        ip_t base = g.parent(prefix);
        // Disjoint: aligned blocks laid side by side, some left out.
        std::vector<Net> disjoint;
        for (u64 a = base; a < base + block_size(prefix);) {
            int p = g.pick(24, 32);
            while (a % block_size(p)) ++p;
            if (g.pick(0, 3)) disjoint.push_back({static_cast<ip_t>(a), p});
            a += block_size(p);
        }
        std::shuffle(disjoint.begin(), disjoint.end(), std::mt19937(static_cast<unsigned>(round)));
        if (disjoint.empty()) continue;
        Lists l = lists_of(disjoint);
        Call c;
        int rc = C_aggregate(l.nets.c_str(), l.prefixes.c_str(), c.a.buf, 32767, &c.a.ind, c.b.buf, 32767, &c.b.ind,
                             c.err.buf, 4000, &c.err.ind);
        ASSERT_EQ(rc, 0) << c.err.buf;
        std::vector<Net> got;
        std::vector<ip_t> nets = addresses_of(c.a.buf);
        std::vector<int> prefixes = ints_of(c.b.buf);
        ASSERT_EQ(nets.size(), prefixes.size());
        for (size_t i = 0; i < nets.size(); ++i) got.push_back({nets[i], prefixes[i]});
        ASSERT_EQ(got, brute::aggregate(disjoint)) << l.nets << " / " << l.prefixes;

        // Overlapping, with host bits: exactly the union, in the fewest blocks.
        std::vector<Net> messy = g.used(base + 0x400, 22, 14);
        for (Net &n : messy)
            if (g.pick(0, 4) == 0) n.address |= 1;  // host bits are cleared, not refused
        if (messy.empty()) continue;
        l = lists_of(messy);
        rc = C_aggregate(l.nets.c_str(), l.prefixes.c_str(), c.a.buf, 32767, &c.a.ind, c.b.buf, 32767, &c.b.ind,
                         c.err.buf, 4000, &c.err.ind);
        ASSERT_EQ(rc, 0) << c.err.buf;
        nets = addresses_of(c.a.buf);
        prefixes = ints_of(c.b.buf);
        std::vector<Net> cleared, out;
        for (Net n : messy) cleared.push_back({n.address & mask_of(n.prefix), n.prefix});
        for (size_t i = 0; i < nets.size(); ++i) out.push_back({nets[i], prefixes[i]});
        // The union of the output and of the input are the same set, and
        // the output is as small as any exact cover.
        std::vector<Net> both = cleared;
        both.insert(both.end(), out.begin(), out.end());
        ip_t lo = base & mask_of(18);
        int least = brute::least_cover(cleared, lo, block_size(18));
        EXPECT_EQ(brute::least_cover(out, lo, block_size(18)), least) << l.nets;
        EXPECT_EQ(brute::least_cover(both, lo, block_size(18)), least) << l.nets;
        EXPECT_EQ(static_cast<int>(out.size()), least) << l.nets << " / " << l.prefixes;

        // One covering block: the longest prefix that holds both ends.
        int p = 0;
        rc = C_aggregate_toone(l.nets.c_str(), l.prefixes.c_str(), c.a.buf, 4000, &c.a.ind, &p, c.err.buf, 4000,
                               &c.err.ind);
        ASSERT_EQ(rc, 0);
        ip_t low = UINT32_MAX;
        u64 high = 0;
        for (const Net &n : cleared) {
            low = std::min(low, n.address);
            high = std::max<u64>(high, block_last(n.address, n.prefix));
        }
        int want = 32;
        while ((low & mask_of(want)) != (high & mask_of(want))) --want;
        EXPECT_EQ(p, want);
        EXPECT_EQ(std::string(c.a.buf), text(low & mask_of(want)));
    }
}

TEST(AllocationReference, ErrorCodesAndArrayBounds) {
    Call c;
    auto next = [&](const char *parent, int prefix, const char *nets, const char *prefixes, int wanted) {
        g_errorcode = -1;
        C_get_next_subnw(parent, prefix, nets, prefixes, wanted, c.a.buf, 4000, &c.a.ind, c.err.buf, 4000, &c.err.ind);
        return g_errorcode;
    };
    EXPECT_EQ(next("10.0.0.0", 24, "", "", 26), 0);
    EXPECT_EQ(next("10.0.0.1", 24, "", "", 26), 3);
    EXPECT_EQ(next("10.0.0.0", 24, "", "", 23), 2);
    EXPECT_EQ(next("10.0.0.0", 24, "10.0.0.1", "24", 26), 2);
    EXPECT_EQ(next("10.0.0.0", 24, "10.0.0.0", "24", 26), 4);

    auto natx = [&](const char *pool, const char *nets, const char *prefixes, int count) {
        g_errorcode = -1;
        int rc = C_get_ipaddress_natx(c.a.buf, 4000, &c.a.ind, pool, 24, nets, prefixes, count, 0, c.err.buf, 4000,
                                      &c.err.ind);
        return std::pair<int, int>{rc, g_errorcode};
    };
    EXPECT_EQ(natx("10.0.0.0", "", "", 3), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(natx("10.0.0.0", "", "", 0), (std::pair<int, int>{0, -1}));  // no search made
    EXPECT_EQ(natx("10.0.0.1", "", "", 3), (std::pair<int, int>{2, 3}));
    EXPECT_EQ(natx("10.0.0.0", "10.0.0.0", "", 3), (std::pair<int, int>{2, 2}));
    EXPECT_EQ(natx("10.0.0.0", "", "", -3), (std::pair<int, int>{2, 2}));
    EXPECT_EQ(natx("10.0.0.0", "", "", 257), (std::pair<int, int>{2, 4}));
    EXPECT_STREQ(c.err.buf, "Error :Failed to allocated 257 of addresses from this pool : 10.0.0.0 24\n");

    // The size procedure leaves g_errorcode at 0, even when nothing is free.
    g_errorcode = -1;
    EXPECT_EQ(C_get_maxsubnw_size("10.0.0.0", 24, "10.0.0.0", "24", &c.n1, &c.n2, &c.n3, c.err.buf, 4000, &c.err.ind), 0);
    EXPECT_EQ(g_errorcode, 0);

    // The array procedure bounds its arrays itself.
    unsigned nets[] = {0x0A000000u, 0x0A000080u};
    int prefixes[] = {25, 25}, bad[] = {25, 33};
    int best = 0;
    auto largest = [&](const char *parent, const unsigned *n, const int *p, int count) {
        c.a.ind = c.err.ind = 7;
        return C_get_largest_subnw(parent, 24, n, p, count, &best, c.a.buf, 4000, &c.a.ind, c.err.buf, 4000, &c.err.ind);
    };
    EXPECT_EQ(largest("10.0.0.0", nets, prefixes, 1), 0);
    EXPECT_STREQ(c.a.buf, "10.0.0.128");
    EXPECT_EQ(best, 25);
    EXPECT_EQ(largest("10.0.0.0", nets, prefixes, 2), 4);
    EXPECT_EQ(g_errorcode, 4);
    EXPECT_EQ(c.a.ind, 0);
    EXPECT_EQ(c.err.ind, -1);
    EXPECT_EQ(best, 32);
    EXPECT_EQ(largest("10.0.0.0", nets, bad, 2), 2);
    EXPECT_STREQ(c.err.buf, "Error : Invalid prefix specified: 33\n");
    EXPECT_EQ(g_errorcode, 2);
    EXPECT_EQ(largest("10.0.0.0", nets, prefixes, -1), 2);
    EXPECT_STREQ(c.err.buf, "Error : Invalid number of used networks: -1\n");
    EXPECT_EQ(largest("10.0.0.0", nets, prefixes, 5001), 2);
    EXPECT_EQ(largest("10.0.0.0", nullptr, nullptr, 0), 0);
    EXPECT_EQ(best, 24);
    EXPECT_EQ(largest("10.0.0.9", nullptr, nullptr, 0), 2);
    EXPECT_EQ(g_errorcode, 3);
    EXPECT_EQ(c.a.ind, -1);
}

}  // namespace
