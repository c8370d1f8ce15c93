// The allocation and aggregation searches as written out step by step: a
// scan over every aligned candidate, the all-pairs sort, the sliding window
// that aggregates every free window. Slow on purpose; the tests check the
// library against them on small parents and the benchmark times them.
// Inputs are numbers already read and checked; ends are 64-bit.
#ifndef NDL_TESTS_BRUTEFORCE_H
#define NDL_TESTS_BRUTEFORCE_H

#include <cstdint>
#include <optional>
#include <vector>

namespace brute {

using ip = std::uint32_t;

struct Net {
    ip address;
    int prefix;
    bool operator==(const Net &) const = default;
};

// A search of a free subnet: the address, or why none: 2 for a wanted
// prefix outside the parent's range, 4 when nothing is free.
struct Found {
    std::optional<ip> address;
    int code = 0;
};

// The next free subnet of WANTED inside PARENT/PREFIX (a /32 is never the
// parent's network or broadcast address).
Found next_subnw(ip parent, int prefix, std::vector<Net> used, int wanted);
// The largest free aligned block, growing the size while one is free.
std::optional<Net> largest_subnw(ip parent, int prefix, const std::vector<Net> &used);

// The first address START + j that is not the j-th used address (sorted),
// if it is at most LAST.
std::optional<ip> free_host(std::uint64_t start, std::uint64_t last, std::vector<ip> used);

// Scattered NAT blocks: the addresses taken, or none; and the g_errorcode
// that the last subnet search left.
struct Nat {
    bool ok = false;
    std::vector<ip> addresses;  // natx
    std::vector<Net> blocks;    // natnet
    int errorcode = 0;
};
Nat natx(ip pool, int prefix, std::vector<Net> used, int count, bool contiguous);
// natnet's blocks (before any expansion); CONTIGUOUS 0 or 1.
Nat natnet(ip pool, int prefix, std::vector<Net> used, int count, int contiguous, int expand);

// The passes of sorting and run-merging until nothing merges (disjoint
// input).
std::vector<Net> aggregate(std::vector<Net> nets);
// The fewest aligned blocks that cover exactly the addresses of NETS,
// counted over a bitmap of [base, base + size).
int least_cover(const std::vector<Net> &nets, ip base, std::uint64_t size);

}  // namespace brute

#endif
