// The one free-space engine under the allocation and aggregation procedures.
//
// The used blocks of a range are sorted and merged into spans once; what is
// left are the gaps between them, in address order. Every search walks the
// gaps: the first aligned fit of a size is the first fit in the first gap
// that holds one, so a call costs O(U log U) in the used blocks, however
// large the range. Ends are 64-bit, so a span may end at 2^32 without
// wrapping.
//
//     FreeSpace pool(block_span(network, 24), spans_of(used));
//     if (auto a = pool.first_fit(2)) ...   // lowest free aligned /30
//     pool.take({*a, *a + 4});               // and it is used from now on
#ifndef NDL_FREESPACE_H
#define NDL_FREESPACE_H

#include <cstdint>
#include <optional>
#include <vector>

#include "addrmodel.h"

// The addresses [first, end).
struct Span {
    std::uint64_t first;
    std::uint64_t end;
};

struct Block {
    ip_t network;
    int prefix;
};

inline Span block_span(ip_t network, int prefix) { return {network, network + block_size(prefix)}; }
std::vector<Span> spans_of(const std::vector<Network> &nets);

// Sorted by address, spans that overlap or touch merged into one (every
// span starts below 2^32).
std::vector<Span> merge_spans(std::vector<Span> spans);
// Appends the fewest aligned blocks that cover SPAN exactly, in address order.
void cover_span(Span span, std::vector<Block> &out);

class FreeSpace {
public:
    // The free addresses of RANGE: those in no USED span (in any order,
    // overlapping, or partly outside the range).
    FreeSpace(Span range, std::vector<Span> used);

    // The lowest free block of 2^BITS addresses aligned to its size. With
    // SKIP_ENDS the first and the last address of the range are not free.
    std::optional<ip_t> first_fit(int bits, bool skip_ends = false) const;
    // The largest free aligned block, the lowest of that size; false when
    // nothing is free.
    bool largest_fit(Block &out) const;
    // The lowest first address of COUNT consecutive free addresses whose
    // cover takes the fewest aligned blocks (COUNT >= 1).
    std::optional<ip_t> best_window(std::uint64_t count) const;

    // SPAN is used from now on.
    void take(Span span);

    const std::vector<Span> &gaps() const { return gaps_; }

private:
    Span range_;
    std::vector<Span> gaps_;
    // Below these no fit of 2^bits is free (by skip_ends and bits): free
    // space only shrinks, so a search goes on from where the last one ended.
    mutable std::uint64_t hints_[2][33] = {};
};

// The least popcount(t) + popcount(n - t) over LO <= t <= HI <= N, and the
// largest t that gives it; {-1, 0} when LO > HI. (The number of blocks of a
// window depends on its start through this sum; exposed for its tests.)
std::pair<int, std::uint64_t> least_split(std::uint64_t n, std::uint64_t lo, std::uint64_t hi);

#endif
