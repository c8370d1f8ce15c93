#include "bruteforce.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace brute {

namespace {

using u64 = std::uint64_t;

u64 size_of(int prefix) { return u64{1} << (32 - prefix); }
u64 last_of(const Net &n) { return n.address + size_of(n.prefix) - 1; }

// A candidate [c, c + s - 1] against a used block: c inside it, the
// candidate's last address inside it, or the block inside the candidate.
bool overlaps(u64 c, u64 s, const Net &u) {
    u64 ul = last_of(u);
    return (u.address <= c && c <= ul) || (u.address <= c + s - 1 && c + s - 1 <= ul) ||
           (c <= u.address && ul <= c + s - 1);
}

u64 cleared(u64 a, int bits) { return bits >= 64 ? 0 : a & ~((u64{1} << bits) - 1); }

void bestfit(u64 first, u64 end, Net &out) {
    int n = static_cast<int>(std::bit_width(first ^ end));
    u64 f = cleared(first, n);
    while (!(f >= first && f + (u64{1} << n) <= end)) {
        if (n < 1) break;
        --n;
        f = cleared(first, n);
    }
    out = {static_cast<ip>(f), 32 - std::min(n, 32)};
}

// Every pair exchanged when out of order, then equal addresses dropped.
void sort_pairs(std::vector<Net> &v) {
    for (size_t i = 0; i < v.size(); ++i)
        for (size_t j = 0; j < v.size(); ++j)
            if (v[i].address < v[j].address) std::swap(v[i], v[j]);
    std::vector<Net> out;
    for (size_t i = 0; i < v.size(); ++i)
        if (i + 1 == v.size() || v[i + 1].address != v[i].address) out.push_back(v[i]);
    v = out;
}

bool get_in_seq(const std::vector<Net> &v, size_t &pos, Net &out) {
    if (pos >= v.size()) return false;
    size_t k = pos;
    while (k + 1 < v.size() && v[k + 1].address <= v[k].address + size_of(v[k].prefix)) ++k;
    bestfit(v[pos].address, v[k].address + size_of(v[k].prefix), out);
    while (pos < v.size() && v[pos].address < out.address + size_of(out.prefix)) ++pos;
    return true;
}

// The sliding window of the contiguous NAT search.
Nat contiguous_window(ip pool, int prefix, const std::vector<Net> &used, int count) {
    Nat r;
    const int least = std::popcount(static_cast<unsigned>(count));
    const u64 end = pool + size_of(prefix);
    if (size_of(prefix) < static_cast<u64>(count)) return r;
    u64 w = pool;
    std::vector<Net> best;
    size_t best_blocks = 99999;
    while (w + count - 1 < end) {
        bool moved = true;
        while (moved && w + count - 1 < end) {
            moved = false;
            for (const Net &u : used)
                if (overlaps(w, static_cast<u64>(count), u)) {
                    w = last_of(u) + 1;
                    moved = true;
                    break;
                }
        }
        if (w + count - 1 >= end) break;
        std::vector<Net> singles;
        for (int i = 0; i < count; ++i) singles.push_back({static_cast<ip>(w + i), 32});
        std::vector<Net> blocks = aggregate(singles);
        if (blocks.size() < best_blocks) {
            best_blocks = blocks.size();
            best = blocks;
        }
        if (static_cast<int>(best_blocks) == least) break;
        ++w;
    }
    r.ok = !best.empty();
    r.blocks = best;
    return r;
}

}  // namespace

Found next_subnw(ip parent, int prefix, std::vector<Net> used, int wanted) {
    if (wanted < prefix || wanted > 32) return {std::nullopt, 2};
    if (wanted == 32) {
        used.push_back({parent, 32});
        used.push_back({static_cast<ip>(parent + size_of(prefix) - 1), 32});
    }
    const u64 s = size_of(wanted), end = parent + size_of(prefix);
    u64 c = parent;
    while (c < end) {
        bool hit = false;
        for (size_t j = 0; j < used.size() && c < end; ++j)
            if (overlaps(c, s, used[j])) {
                hit = true;
                c += s;
            }
        if (!hit) return {static_cast<ip>(c), 0};
    }
    return {std::nullopt, 4};
}

std::optional<Net> largest_subnw(ip parent, int prefix, const std::vector<Net> &used) {
    std::optional<Net> best;
    for (int p = 32; p >= prefix; --p) {
        const u64 s = size_of(p), end = parent + size_of(prefix);
        std::optional<ip> found;
        for (u64 c = parent; c < end && !found; c += s)
            if (std::none_of(used.begin(), used.end(), [&](const Net &u) { return overlaps(c, s, u); }))
                found = static_cast<ip>(c);
        if (!found) break;
        best = Net{*found, p};
    }
    return best;
}

std::optional<ip> free_host(u64 start, u64 last, std::vector<ip> used) {
    std::sort(used.begin(), used.end());
    for (size_t j = 0;; ++j) {
        u64 c = start + j;
        if (c > last) return std::nullopt;
        if (j >= used.size() || c != used[j]) return static_cast<ip>(c);
    }
}

namespace {

// The largest free block of at most 2^d addresses, halving d until one is
// found or d is 0; d is left at the block's size.
Found largest_free(ip pool, int prefix, const std::vector<Net> &used, int &d, int &errorcode) {
    while (true) {
        Found f = next_subnw(pool, prefix, used, 32 - d);
        errorcode = f.code;
        if (f.address || d == 0) return f;
        d /= 2;
    }
}

}  // namespace

Nat natx(ip pool, int prefix, std::vector<Net> used, int count, bool contiguous) {
    Nat r;
    int taken = 0;
    bool first = true;
    u64 after = 0;
    while (taken < count) {
        int d = static_cast<int>(std::bit_width(static_cast<unsigned>(count - taken))) - 1;
        Found f = largest_free(pool, prefix, used, d, r.errorcode);
        if (!f.address) break;
        if (contiguous && !first && *f.address != after) break;
        first = false;
        taken += 1 << d;
        for (u64 a = *f.address; a < *f.address + (u64{1} << d); ++a) {
            used.push_back({static_cast<ip>(a), 32});
            r.addresses.push_back(static_cast<ip>(a));
        }
        after = *f.address + (u64{1} << d);
    }
    r.ok = taken == count;
    return r;
}

Nat natnet(ip pool, int prefix, std::vector<Net> used, int count, int contiguous, int expand) {
    if (expand != 0 || count == 1) {
        used.push_back({pool, 32});
        used.push_back({static_cast<ip>(pool + size_of(prefix) - 1), 32});
    }
    if (contiguous == 1) return contiguous_window(pool, prefix, used, count);
    Nat r;
    int taken = 0;
    while (taken < count) {
        int d = static_cast<int>(std::bit_width(static_cast<unsigned>(count - taken))) - 1;
        Found f = largest_free(pool, prefix, used, d, r.errorcode);
        if (!f.address) break;
        taken += 1 << d;
        used.push_back({*f.address, 32 - d});
        r.blocks.push_back({*f.address, 32 - d});
    }
    r.ok = taken == count;
    return r;
}

std::vector<Net> aggregate(std::vector<Net> nets) {
    while (true) {
        sort_pairs(nets);
        std::vector<Net> out;
        size_t pos = 0;
        Net b;
        while (get_in_seq(nets, pos, b)) out.push_back(b);
        bool done = out.size() == nets.size();
        nets = out;
        if (done) return nets;
    }
}

int least_cover(const std::vector<Net> &nets, ip base, u64 size) {
    std::vector<char> in(size, 0);
    for (const Net &n : nets)
        for (u64 a = n.address; a <= last_of(n); ++a)
            if (a >= base && a < base + size) in[a - base] = 1;
    // best[i]: the fewest blocks for the set from offset i on; BASE is
    // aligned to SIZE, so offsets align as addresses do.
    std::vector<int> best(size + 1, 0);
    for (u64 i = size; i-- > 0;) {
        if (!in[i]) {
            best[i] = best[i + 1];
            continue;
        }
        best[i] = INT_MAX;
        for (u64 s = 1; i % s == 0 && i + s <= size; s *= 2) {
            if (!std::all_of(in.begin() + static_cast<long>(i), in.begin() + static_cast<long>(i + s),
                             [](char c) { return c; }))
                break;
            best[i] = std::min(best[i], 1 + best[i + s]);
        }
    }
    return best[0];
}

}  // namespace brute
