// Free blocks inside a parent network: the next subnet of a size, the
// largest free block and its size. The only procedures that set g_errorcode.
#include <algorithm>
#include <climits>
#include <vector>

#include "addrmodel.h"
#include "freespace.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// Secondary results of the subnet searches.
constexpr int kBadArgument = 2;
constexpr int kBadParent = 3;
constexpr int kNothingFree = 4;

}  // namespace

int C_get_next_subnw(const char *parent, int prefix, const char *used, const char *usedprefixes, int wanted,
                     char *res, int reslen, int *resind, ERR_ARGS) try {
    g_errorcode = 0;
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    ip_t n;
    if (validate_network(parent, prefix, &n, p.message())) {
        g_errorcode = kBadParent;
        return p.fail();
    }
    if (wanted < prefix || wanted > 32) {
        g_errorcode = kBadArgument;
        return p.fail("Error : Invalid prefix: %d for network : %s\n", wanted, parent);
    }
    std::vector<Network> blocks;
    if (extractipandprefixlst(used, usedprefixes, blocks, p.message())) {
        g_errorcode = kBadArgument;
        return p.fail();
    }
    // A single host is never the parent's network or broadcast address.
    auto found = FreeSpace(block_span(n, prefix), spans_of(blocks)).first_fit(32 - wanted, wanted == 32);
    if (!found) {
        g_errorcode = kNothingFree;
        return p.fail("Error : No networks for the required prefix (%d)  available in %s %d\n", wanted, parent,
                      prefix);
    }
    out.put_ip(*found);
    return p.done();
}
PROC_GUARD

int C_get_largest_subnw(const char *parent, int prefix, const unsigned int *used, const int *usedprefixes, int count,
                        int *best, char *res, int reslen, int *resind, ERR_ARGS) try {
    g_errorcode = 0;
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    ip_t n;
    if (validate_network(parent, prefix, &n, p.message())) {
        g_errorcode = kBadParent;
        return p.fail();
    }
    // The arrays come from a caller, not from the list reader: bound them.
    if (count < 0 || count > kMaxListItems || (count > 0 && (!used || !usedprefixes))) {
        g_errorcode = kBadArgument;
        return p.fail("Error : Invalid number of used networks: %d\n", count);
    }
    std::vector<Span> spans;
    spans.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (usedprefixes[i] < 2 || usedprefixes[i] > 32) {
            g_errorcode = kBadArgument;
            return p.fail("Error : Invalid prefix specified: %d\n", usedprefixes[i]);
        }
        spans.push_back(block_span(used[i], usedprefixes[i]));
    }
    *best = 32;
    Block b;
    if (!FreeSpace(block_span(n, prefix), std::move(spans)).largest_fit(b)) {
        // Nothing at all is free: no message, the indicators as on entry.
        g_errorcode = kNothingFree;
        return kNothingFree;
    }
    out.put_ip(b.network);
    *best = b.prefix;
    return p.done();
}
PROC_GUARD

int C_get_maxsubnw_size(const char *parent, int prefix, const char *used, const char *usedprefixes, int *parentsize,
                        int *usedtotal, int *largest, ERR_ARGS) try {
    g_errorcode = 0;
    Proc p(err, errlen, errind);
    *usedtotal = 0;
    *largest = 0;
    ip_t n;
    if (validate_network(parent, prefix, &n, p.message())) return p.fail();
    *parentsize = static_cast<int>(block_size(prefix));
    std::vector<Network> blocks;
    if (extractipandprefixlst(used, usedprefixes, blocks, p.message())) return p.fail();
    // Overlaps and blocks outside the parent count as given; a total past
    // the int range stops at its top instead of wrapping.
    std::uint64_t total = 0;
    for (const Network &b : blocks) total += block_size(b.prefix);
    *usedtotal = static_cast<int>(std::min<std::uint64_t>(total, INT_MAX));
    FreeSpace space(block_span(n, prefix), spans_of(blocks));
    Block b;
    if (space.largest_fit(b)) *largest = static_cast<int>(block_size(b.prefix));
#ifdef NDL_MAXSUBNW_BY_NEXT_SUBNW
    // This build asks the next-subnet search, prefix by prefix, and that
    // search never answers the parent's network or broadcast address as a
    // single host: when only those are free the largest size is 0, and the
    // code stays as the last search left it.
    if (*largest == 1 && !space.first_fit(0, true)) {
        *largest = 0;
        g_errorcode = kNothingFree;
    } else if (*largest == 0) {
        g_errorcode = kNothingFree;
    }
#endif
    return p.done();
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
