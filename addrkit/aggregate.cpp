// Summaries of a list of networks: one covering block, the block of a given
// prefix that must hold them all, and the fewest blocks that cover exactly
// the same addresses.
#include <algorithm>
#include <vector>

#include "addrmodel.h"
#include "freespace.h"
#include "listprocs.h"
#include "procedures.h"
#include "procframe.h"

namespace {

constexpr const char *kFewerPrefixes = "Error : No of prefix is less than the no of addr : %d %d\n";

// The lists as aggregation reads them: host bits cleared, empty lists refused.
bool read_aggregated(Proc &p, const char *networks, const char *prefixes, const char *end_message,
                     std::vector<Network> &out) {
    PairedLists how{kFewerPrefixes, end_message, true, true};
    return read_networks(networks, prefixes, how, out, p.message());
}

// The lowest first address and the highest last address of NETS.
void span_ends(const std::vector<Network> &nets, ip_t &low, ip_t &high) {
    low = nets.front().address;
    high = block_last(nets.front().address, nets.front().prefix);
    for (const Network &n : nets) {
        low = std::min(low, n.address);
        high = std::max(high, block_last(n.address, n.prefix));
    }
}

}  // namespace

int C_aggregate_toone(const char *networks, const char *prefixes, char *res, int reslen, int *resind, int *prefix,
                      ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    std::vector<Network> nets;
    if (!read_aggregated(p, networks, prefixes, "Error : No of prefix is not equal to the no of addr : %d %d\n", nets))
        return p.fail();
    ip_t low, high, net;
    span_ends(nets, low, high);
    findsubnet(low, high, &net, prefix);
    out.put_ip(net);
    return p.done();
}
PROC_GUARD

int C_aggregate_toprefix(const char *networks, const char *prefixes, char *res, int reslen, int *resind, int limit,
                         ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    std::vector<Network> nets;
    if (!read_aggregated(p, networks, prefixes, kFewerPrefixes, nets)) return p.fail();
    if (limit < 1 || limit > 32) return p.fail("Error : Invalid prefix value : %d\n", limit);
    ip_t low, high, net;
    span_ends(nets, low, high);
    findsubnetforprefix(low, high, &net, limit);
    out.put_ip(net);
    const Span parent = block_span(net, limit);
    for (const Network &n : nets) {
        Span s = block_span(n.address, n.prefix);
        if (s.first < parent.first || s.end > parent.end) {
            char item[16], text[16];
            format_ip(n.address, item);
            format_ip(net, text);
            return p.fail("Error : Network %s/%d is outside the parent network : %s %d\n", item, n.prefix, text, limit);
        }
    }
    return p.done();
}
PROC_GUARD

int aggregate_blocks(Proc &p, const char *networks, const char *prefixes, OutText &out_nets, OutText &out_prefs) {
    std::vector<Network> items;
    if (!read_aggregated(p, networks, prefixes, kFewerPrefixes, items)) return p.fail();
    // The union of the inputs, run by run, in the fewest aligned blocks.
    std::vector<Block> blocks;
    for (const Span &run : merge_spans(spans_of(items))) cover_span(run, blocks);
    for (const Block &b : blocks) {
        out_nets.put_ip(b.network, " ");
        out_prefs.put(strprintf("%d ", b.prefix));
    }
    return p.done();
}

int C_aggregate(const char *networks, const char *prefixes, char *nets, int netslen, int *netsind, char *prefs,
                int prefslen, int *prefsind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out_nets = p.result(nets, netslen, netsind);
    return aggregate_blocks(p, networks, prefixes, out_nets, p.result(prefs, prefslen, prefsind));
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
