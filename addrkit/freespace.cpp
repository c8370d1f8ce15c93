#include "freespace.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace {

using u64 = std::uint64_t;

u64 align_up(u64 x, u64 size) { return (x + size - 1) & ~(size - 1); }

// The digit search behind least_split: bits are chosen from the top, with
// the carry that the bits below must send up, and whether t still equals
// the prefix of LO or of HI.
class SplitSearch {
public:
    SplitSearch(u64 n, u64 lo, u64 hi) : n_(n), lo_(lo), hi_(hi) {}

    // Least popcount(t) + popcount(u) over bits below I, where t + u agrees
    // with N there and sends CARRY up; INT_MAX when impossible.
    int best(int i, int carry, bool tight_lo, bool tight_hi) {
        if (i == 0) return carry ? kNone : 0;
        int &m = memo_[i][carry][tight_lo][tight_hi];
        if (m != kUnknown) return m;
        m = kNone;
        for (int t = 0; t < 2; ++t)
            for (int cin = 0; cin < 2; ++cin) {
                Step s;
                if (!step(i - 1, carry, tight_lo, tight_hi, t, cin, s)) continue;
                int rest = best(i - 1, cin, s.tight_lo, s.tight_hi);
                if (rest != kNone) m = std::min(m, s.cost + rest);
            }
        return m;
    }

    std::pair<int, u64> solve() {
        int total = best(kBits, 0, true, true);
        if (total == kNone) return {-1, 0};
        // The largest t: from the top, a 1 wherever some state still reaches
        // the least total. At most eight states are alive at once.
        struct State {
            int carry;
            bool tight_lo, tight_hi;
            int spent;
        };
        std::vector<State> alive = {{0, true, true, 0}};
        u64 t = 0;
        for (int i = kBits; i > 0; --i) {
            for (int bit = 1; bit >= 0; --bit) {
                std::vector<State> next;
                for (const State &st : alive)
                    for (int cin = 0; cin < 2; ++cin) {
                        Step s;
                        if (!step(i - 1, st.carry, st.tight_lo, st.tight_hi, bit, cin, s)) continue;
                        int rest = best(i - 1, cin, s.tight_lo, s.tight_hi);
                        if (rest == kNone || st.spent + s.cost + rest != total) continue;
                        State ns{cin, s.tight_lo, s.tight_hi, st.spent + s.cost};
                        if (std::none_of(next.begin(), next.end(), [&](const State &o) {
                                return o.carry == ns.carry && o.tight_lo == ns.tight_lo && o.tight_hi == ns.tight_hi;
                            }))
                            next.push_back(ns);
                    }
                if (!next.empty()) {
                    t |= static_cast<u64>(bit) << (i - 1);
                    alive = std::move(next);
                    break;
                }
            }
        }
        return {total, t};
    }

private:
    static constexpr int kBits = 34;
    static constexpr int kNone = INT_MAX;
    static constexpr int kUnknown = -1;
    struct Step {
        int cost;
        bool tight_lo, tight_hi;
    };

    // Bit B of t is T and the carry into it CIN: the bit of u follows from N.
    bool step(int b, int carry, bool tight_lo, bool tight_hi, int t, int cin, Step &s) const {
        int lo = static_cast<int>(lo_ >> b & 1), hi = static_cast<int>(hi_ >> b & 1);
        if ((tight_lo && t < lo) || (tight_hi && t > hi)) return false;
        int u = static_cast<int>(n_ >> b & 1) + 2 * carry - t - cin;
        if (u < 0 || u > 1) return false;
        s = {t + u, tight_lo && t == lo, tight_hi && t == hi};
        return true;
    }

    u64 n_, lo_, hi_;
    int memo_[kBits + 1][2][2][2] = {};
    bool init_ = [this] {
        for (auto &a : memo_)
            for (auto &b : a)
                for (auto &c : b)
                    for (int &d : c) d = kUnknown;
        return true;
    }();
};

}  // namespace

std::pair<int, std::uint64_t> least_split(std::uint64_t n, std::uint64_t lo, std::uint64_t hi) {
    if (lo > hi || hi > n) return {-1, 0};
    return SplitSearch(n, lo, hi).solve();
}

std::vector<Span> spans_of(const std::vector<Network> &nets) {
    std::vector<Span> out;
    out.reserve(nets.size());
    for (const Network &n : nets) out.push_back(block_span(n.address, n.prefix));
    return out;
}

std::vector<Span> merge_spans(std::vector<Span> spans) {
    // Plain integers sort fastest: the first address above, the position below.
    std::vector<u64> order(spans.size());
    for (size_t i = 0; i < spans.size(); ++i) order[i] = spans[i].first << 32 | i;
    std::sort(order.begin(), order.end());
    std::vector<Span> out;
    for (u64 key : order) {
        const Span &s = spans[key & 0xFFFFFFFFu];
        if (s.first >= s.end) continue;
        if (!out.empty() && s.first <= out.back().end)
            out.back().end = std::max(out.back().end, s.end);
        else
            out.push_back(s);
    }
    return out;
}

void cover_span(Span span, std::vector<Block> &out) {
    for (u64 a = span.first; a < span.end;) {
        Block b;
        bestfit(static_cast<ip_t>(a), span.end, 0, &b.network, &b.prefix);
        out.push_back(b);
        a += block_size(b.prefix);
    }
}

FreeSpace::FreeSpace(Span range, std::vector<Span> used) : range_(range) {
    for (auto &h : hints_)
        for (u64 &x : h) x = range.first;
    u64 at = range.first;
    for (const Span &s : merge_spans(std::move(used))) {
        if (s.end <= at) continue;
        if (s.first >= range.end) break;
        if (s.first > at) gaps_.push_back({at, s.first});
        at = s.end;
    }
    if (at < range.end) gaps_.push_back({at, range.end});
}

std::optional<ip_t> FreeSpace::first_fit(int bits, bool skip_ends) const {
    u64 size = u64{1} << bits;
    u64 &hint = hints_[skip_ends][bits];
    auto g = std::partition_point(gaps_.begin(), gaps_.end(), [&](const Span &s) { return s.end <= hint; });
    for (; g != gaps_.end(); ++g) {
        u64 lo = std::max(g->first, hint), end = g->end;
        if (skip_ends) {
            lo = std::max(lo, range_.first + 1);
            end = std::min(end, range_.end - 1);
        }
        u64 c = align_up(lo, size);
        if (c + size <= end) {
            hint = c;
            return static_cast<ip_t>(c);
        }
    }
    hint = range_.end;
    return std::nullopt;
}

bool FreeSpace::largest_fit(Block &out) const {
    int best = -1;
    for (const Span &g : gaps_) {
        for (int k = static_cast<int>(std::bit_width(g.end - g.first)) - 1; k > best; --k) {
            u64 c = align_up(g.first, u64{1} << k);
            if (c + (u64{1} << k) <= g.end) {
                best = k;
                out = {static_cast<ip_t>(c), 32 - k};
                break;
            }
        }
    }
    return best >= 0;
}

// A window [w, w + count) splits at a multiple M of Q (the top bit of count)
// into a part that grows to M and one that shrinks from it; its fewest
// blocks are popcount(M - w) + popcount(w + count - M), least over the M it
// holds. With t = (-w) mod Q and c = count - Q that is 1 + popcount(t) +
// popcount(c - t) for t <= c, else popcount(t) + popcount(count - t): it
// depends on w mod Q only, and the windows of a gap are searched by their t.
std::optional<ip_t> FreeSpace::best_window(std::uint64_t count) const {
    const u64 q = std::bit_floor(count), c = count - q;
    const int least = std::popcount(count);
    // The least blocks over LO <= t <= HI, and the largest such t (the
    // earliest window).
    auto over_t = [&](u64 lo, u64 hi) {
        std::pair<int, u64> a{-1, 0}, b{-1, 0};
        if (lo <= std::min(hi, c)) {
            a = least_split(c, lo, std::min(hi, c));
            ++a.first;
        }
        if (std::max(lo, c + 1) <= hi) b = least_split(count, std::max(lo, c + 1), hi);
        if (b.first >= 0 && (a.first < 0 || b.first <= a.first)) return b;
        return a;
    };
    int best = INT_MAX;
    u64 found = 0;
    for (const Span &g : gaps_) {
        if (g.end - g.first < count) continue;
        // Past Q starts the remainders repeat, never earlier.
        u64 starts = std::min(g.end - g.first - count + 1, q);
        u64 t0 = (q - g.first % q) % q;
        // The first starts have t = t0, t0 - 1, ..., then Q - 1, Q - 2, ...
        u64 n1 = std::min(starts, t0 + 1);
        auto [cost, t] = over_t(t0 + 1 - n1, t0);
        u64 w = g.first + (t0 - t);
        if (starts > n1) {
            auto [cost2, t2] = over_t(q - (starts - n1), q - 1);
            if (cost2 < cost) {
                cost = cost2;
                w = g.first + n1 + (q - 1 - t2);
            }
        }
        if (cost < best) {
            best = cost;
            found = w;
            if (best == least) break;
        }
    }
    if (best == INT_MAX) return std::nullopt;
    return static_cast<ip_t>(found);
}

void FreeSpace::take(Span span) {
    auto g = std::partition_point(gaps_.begin(), gaps_.end(), [&](const Span &s) { return s.end <= span.first; });
    while (g != gaps_.end() && g->first < span.end) {
        Span left{g->first, std::min(span.first, g->end)}, right{std::max(span.end, g->first), g->end};
        bool keep_left = left.first < left.end && g->first < span.first, keep_right = right.first < right.end;
        if (keep_left && keep_right) {
            *g = left;
            g = gaps_.insert(g + 1, right) + 1;
        } else if (keep_left) {
            *g++ = left;
        } else if (keep_right) {
            *g++ = right;
        } else {
            g = gaps_.erase(g);
        }
    }
}
