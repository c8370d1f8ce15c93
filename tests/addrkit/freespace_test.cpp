// The free-space engine against exhaustive searches on small ranges.
#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <random>
#include <vector>

#include "freespace.h"

namespace {

using u64 = std::uint64_t;

TEST(FreeSpaceEngine, LeastSplitMatchesEveryT) {
    for (u64 n = 0; n <= 70; ++n)
        for (u64 lo = 0; lo <= n; ++lo)
            for (u64 hi = lo; hi <= n; ++hi) {
                int best = INT_MAX;
                u64 at = 0;
                for (u64 t = lo; t <= hi; ++t) {
                    int cost = std::popcount(t) + std::popcount(n - t);
                    if (cost <= best) {
                        best = cost;
                        at = t;
                    }
                }
                auto [cost, t] = least_split(n, lo, hi);
                ASSERT_EQ(cost, best) << n << " " << lo << " " << hi;
                ASSERT_EQ(t, at) << n << " " << lo << " " << hi;
            }
    EXPECT_EQ(least_split(5, 3, 2).first, -1);
    // Wide numbers: t = 2^31 splits 2^32 with no carry.
    EXPECT_EQ(least_split(u64{1} << 32, 1, u64{1} << 31), (std::pair<int, u64>{2, u64{1} << 31}));
}

// Blocks of the greedy cover, counted without the engine.
int blocks_of(u64 w, u64 count) {
    int n = 0;
    for (u64 a = w, end = w + count; a < end; ++n) {
        u64 s = a ? a & (~a + 1) : u64{1} << 32;
        while (a + s > end) s >>= 1;
        a += s;
    }
    return n;
}

TEST(FreeSpaceEngine, WindowsGapsAndFitsMatchAnExhaustiveScan) {
    std::mt19937 rng(2501);
    const u64 base = 0x0A000000, size = 2048;
    for (int round = 0; round < 150; ++round) {
        std::vector<Span> used;
        std::vector<char> busy(size, 0);
        int blocks = static_cast<int>(rng() % 12);
        for (int i = 0; i < blocks; ++i) {
            u64 len = 1 + rng() % 300, at = base + rng() % (size + 200) - 100;
            used.push_back({at, at + len});
            for (u64 a = at; a < at + len; ++a)
                if (a >= base && a < base + size) busy[a - base] = 1;
        }
        FreeSpace space({base, base + size}, used);
        for (u64 count : {u64{1}, u64{2}, u64{3}, u64{5}, u64{7}, u64{16}, u64{37}, u64{64}, u64{100}, u64{255},
                          u64{256}, u64{700}}) {
            int best = INT_MAX;
            std::optional<ip_t> want;
            for (u64 w = 0; w + count <= size; ++w) {
                bool free = true;
                for (u64 a = w; a < w + count && free; ++a) free = !busy[a];
                if (!free) continue;
                int b = blocks_of(base + w, count);
                if (b < best) {
                    best = b;
                    want = static_cast<ip_t>(base + w);
                }
            }
            ASSERT_EQ(space.best_window(count), want) << "round " << round << " count " << count;
        }
        for (int bits = 0; bits <= 11; ++bits) {
            std::optional<ip_t> want;
            for (u64 c = 0; c + (u64{1} << bits) <= size && !want; c += u64{1} << bits) {
                bool free = true;
                for (u64 a = c; a < c + (u64{1} << bits) && free; ++a) free = !busy[a];
                if (free) want = static_cast<ip_t>(base + c);
            }
            ASSERT_EQ(space.first_fit(bits), want) << "round " << round << " bits " << bits;
        }
        // Taking what was found moves the next search on.
        if (auto a = space.first_fit(3)) {
            space.take({*a, *a + 8u});
            auto b = space.first_fit(3);
            EXPECT_TRUE(!b || *b > *a);
            EXPECT_NE(space.first_fit(0), std::optional<ip_t>(*a));
        }
    }
}

TEST(FreeSpaceEngine, MergingAndCoversReachTheTopOfTheSpace) {
    std::vector<Span> merged = merge_spans({{10, 20}, {0, 5}, {5, 7}, {15, 30}, {40, 41}, {41, 41}});
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].end, 7u);
    EXPECT_EQ(merged[1].first, 10u);
    EXPECT_EQ(merged[1].end, 30u);

    std::vector<Block> blocks;
    cover_span({0xFFFFFFFDu, u64{1} << 32}, blocks);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].network, 0xFFFFFFFDu);
    EXPECT_EQ(blocks[0].prefix, 32);
    EXPECT_EQ(blocks[1].network, 0xFFFFFFFEu);
    EXPECT_EQ(blocks[1].prefix, 31);
    blocks.clear();
    cover_span({0, u64{1} << 32}, blocks);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].prefix, 0);

    // A full block at the top has no free address and no wrap to 0.0.0.0.
    FreeSpace top({0xFFFFFFFCu, u64{1} << 32}, {{0xFFFFFFFCu, u64{1} << 32}});
    EXPECT_FALSE(top.first_fit(0));
    Block b;
    EXPECT_FALSE(top.largest_fit(b));
    FreeSpace last({0xFFFFFFFCu, u64{1} << 32}, {{0xFFFFFFFCu, 0xFFFFFFFEu}});
    EXPECT_EQ(last.first_fit(1), std::optional<ip_t>(0xFFFFFFFEu));
    EXPECT_EQ(last.first_fit(0, true), std::optional<ip_t>(0xFFFFFFFEu));
    FreeSpace ends({0xFFFFFFFCu, u64{1} << 32}, {{0xFFFFFFFCu, 0xFFFFFFFFu}});
    EXPECT_EQ(ends.first_fit(0), std::optional<ip_t>(0xFFFFFFFFu));
    EXPECT_EQ(ends.first_fit(0, true), std::optional<ip_t>());
    EXPECT_EQ(last.best_window(2), std::optional<ip_t>(0xFFFFFFFEu));
}

}  // namespace
