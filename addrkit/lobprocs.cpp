// The *Lob variants: each reads its list CLOBs (prefixes before networks),
// then runs the procedure it stands for; list results go to CLOBs through
// the bodies that the scalar procedures write to their buffers with.
#include "lobprocs.h"

#include <string>

#include "listprocs.h"
#include "lobframe.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// The working texts the NAT allocation reads its used lists into, NUL
// included.
constexpr std::size_t kNatNetworkText = 30000;
constexpr std::size_t kNatPrefixText = 3000;

}  // namespace

int C_get_maxsubnw_sizeLob(OCIExtProcContext *ctx, const char *parent, int prefix, Clob used, Clob usedprefixes,
                           int *parentsize, int *usedtotal, int *largest, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    *usedtotal = *largest = 0;
    Lobs lobs(p, ctx);
    static constexpr ListClob kUsed{"Error in get lob len for address tab %d", "Error in read on network tab \n%s",
                                    "network", true};
    static constexpr ListClob kPrefixes{"Error in get lob len for prefix tab %d", "Error in read on prefix tab \n%s",
                                        "prefix", true};
    std::string nets, prefs;
    if (!lobs.read(usedprefixes, kPrefixes, prefs) || !lobs.read(used, kUsed, nets)) return p.fail();
    return C_get_maxsubnw_size(parent, prefix, nets.c_str(), prefs.c_str(), parentsize, usedtotal, largest, err,
                               errlen, errind);
}
PROC_GUARD

int C_PoolRangesLob(OCIExtProcContext *ctx, Clob addresses, ClobRef ranges, ClobRef masks, char *common,
                    int commonlen, int *commonind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    LobOut r(lobs, ranges, "Error in OCILobWrite(1) -- %d %d %s\n", "Error in OCILobWrite (3)-- %d %d %s\n");
    LobOut m(lobs, masks, "Error in OCILobWrite (2) -- %d %d %s\n", "Error in OCILobWrite (4) -- %d %d %s\n");
    OutText &rr = p.result(r), &mm = p.result(m), &c = p.result(common, commonlen, commonind);
    static constexpr ListClob kAddresses{"Error in get lob len for network tab %d", "Error in read on network tab \n%s",
                                         "network", true};
    std::string list;
    if (!lobs.read(addresses, kAddresses, list, kMaxPoolAddresses * kCharsPerItem)) return p.fail();
    return pool_ranges(p, list.c_str(), rr, mm, c);
}
PROC_GUARD

int C_get_ipaddress_fornwLob(OCIExtProcContext *ctx, char *res, int reslen, int *resind, const char *network,
                             int prefix, Clob used, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(res, reslen, resind);
    Lobs lobs(p, ctx);
    std::string list;
    if (!lobs.read(used, kIpaddressTab2, list)) return p.fail();
    ip_t n;
    std::string ignored;
    if (validate_network(network, prefix, &n, ignored)) return p.fail("Error: Invalid network\n");
    return C_get_ipaddress_fornw(res, reslen, resind, network, prefix, list.c_str(), err, errlen, errind);
}
PROC_GUARD

int C_get_next_subnwLob(OCIExtProcContext *ctx, const char *parent, int prefix, Clob used, Clob usedprefixes,
                        int wanted, char *res, int reslen, int *resind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(res, reslen, resind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    if (!lobs.read(usedprefixes, kPrefixTab2, prefs) || !lobs.read(used, kNetworkTab2, nets)) return p.fail();
    // This variant leaves the secondary code as it was.
    const int code = g_errorcode;
    int status = C_get_next_subnw(parent, prefix, nets.c_str(), prefs.c_str(), wanted, res, reslen, resind, err,
                                  errlen, errind);
    g_errorcode = code;
    return status;
}
PROC_GUARD

int C_get_ipaddress_forptopnwLob(OCIExtProcContext *ctx, char *first, int firstlen, int *firstind, char *second,
                                 int secondlen, int *secondind, const char *network, int prefix, Clob used,
                                 ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(first, firstlen, firstind);
    p.result(second, secondlen, secondind);
    Lobs lobs(p, ctx);
    std::string list;
    if (!lobs.read(used, kIpaddressTab, list)) return p.fail();
    return C_get_ipaddress_forptopnw(first, firstlen, firstind, second, secondlen, secondind, network, prefix,
                                     list.c_str(), err, errlen, errind);
}
PROC_GUARD

int C_get_ipaddress_natxLob(OCIExtProcContext *ctx, char *res, int reslen, int *resind, const char *pool, int prefix,
                            Clob used, Clob usedprefixes, int count, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(res, reslen, resind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    // Each list must fit the working text it is read into.
    if (!lobs.read(usedprefixes, kPrefixTab2, prefs, kNatPrefixText - 1) ||
        !lobs.read(used, kIpaddressTab2, nets, kNatNetworkText - 1))
        return p.fail();
    return C_get_ipaddress_natx(res, reslen, resind, pool, prefix, nets.c_str(), prefs.c_str(), count, 0, err, errlen,
                                errind);
}
PROC_GUARD

int C_validate_ipaddress_fornwLob(OCIExtProcContext *ctx, const char *network, int prefix, Clob addresses,
                                  ERR_ARGS) try {
    // Like its scalar, it keeps the caller's error indicator unless it fails.
    Proc p(err, errlen, errind, false);
    Lobs lobs(p, ctx);
    std::string list;
    if (!lobs.read(addresses, kIpaddressTab2, list)) return p.fail();
    return C_validate_ipaddress_fornw(network, prefix, list.c_str(), err, errlen, errind);
}
PROC_GUARD

int C_aggregate_tooneLob(OCIExtProcContext *ctx, Clob networks, Clob prefixes, char *res, int reslen, int *resind,
                         int *prefix, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(res, reslen, resind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    if (!lobs.read(prefixes, kPrefixTab2, prefs) || !lobs.read(networks, kAddressTab, nets)) return p.fail();
    return C_aggregate_toone(nets.c_str(), prefs.c_str(), res, reslen, resind, prefix, err, errlen, errind);
}
PROC_GUARD

int C_aggregate_toprefixLob(OCIExtProcContext *ctx, Clob networks, Clob prefixes, char *res, int reslen,
                            int *resind, int limit, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    p.result(res, reslen, resind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    if (!lobs.read(prefixes, kPrefixTab2, prefs) || !lobs.read(networks, kIpaddressTab2, nets)) return p.fail();
    return C_aggregate_toprefix(nets.c_str(), prefs.c_str(), res, reslen, resind, limit, err, errlen, errind);
}
PROC_GUARD

int C_aggregateLob(OCIExtProcContext *ctx, Clob networks, Clob prefixes, ClobRef outnets, ClobRef outprefs,
                   ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    LobOut n(lobs, outnets), f(lobs, outprefs);
    OutText &nn = p.result(n), &ff = p.result(f);
    std::string nets, prefs;
    if (!lobs.read(prefixes, kPrefixTab, prefs) || !lobs.read(networks, kNewtworkTab, nets)) return p.fail();
    return aggregate_blocks(p, nets.c_str(), prefs.c_str(), nn, ff);
}
PROC_GUARD

int C_validate_networkLob(OCIExtProcContext *ctx, const char *network, int prefix, Clob assigned,
                          Clob assignedprefixes, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    if (!lobs.read(assignedprefixes, kPrefixTab, prefs) || !lobs.read(assigned, kNetworkTab, nets)) return p.fail();
    return C_validate_network(network, prefix, nets.c_str(), prefs.c_str(), err, errlen, errind);
}
PROC_GUARD

int C_validate_subnetworkLob(OCIExtProcContext *ctx, const char *network, int prefix, const char *parent,
                             int parentprefix, Clob assigned, Clob assignedprefixes, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    std::string nets, prefs;
    if (!lobs.read(assignedprefixes, kPrefixTab, prefs) || !lobs.read(assigned, kNetworkTab, nets)) return p.fail();
    return C_validate_subnetwork(network, prefix, parent, parentprefix, nets.c_str(), prefs.c_str(), err, errlen,
                                 errind);
}
PROC_GUARD

int C_GetIPAddressListLob(OCIExtProcContext *ctx, ClobRef out, const char *network, int prefix, int start, int *next,
                          ERR_ARGS) try {
    Proc p(err, errlen, errind);
    *next = 0;
    Lobs lobs(p, ctx);
    LobOut o(lobs, out);
    OutText &list = p.result(o);
    if (!lobs.ok()) return p.fail();
    // No pages: everything from START to the end of the network. A failed
    // write, even the last one, leaves no place to go on from.
    int status = address_list(p, list, network, prefix, start, 0, next);
    if (status != kStatusOk) *next = 0;
    return status;
}
PROC_GUARD

int C_GetAddressRangeLob(OCIExtProcContext *ctx, ClobRef out, const char *first, const char *last, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    LobOut o(lobs, out);
    OutText &list = p.result(o);
    if (!lobs.ok()) return p.fail();
    return address_range(p, list, first, last);
}
PROC_GUARD

int C_NetPoolRangesLob(OCIExtProcContext *ctx, Clob networks, Clob prefixes, int hostonly, ClobRef ranges,
                       ClobRef masks, char *common, int commonlen, int *commonind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    LobOut r(lobs, ranges, "Error in OCILobWrite(1) -- %d %d %s\n"), m(lobs, masks, "Error in OCILobWrite (2) -- %d %d %s\n");
    OutText &rr = p.result(r), &mm = p.result(m), &c = p.result(common, commonlen, commonind);
    std::string nets, prefs;
    if (!lobs.read(prefixes, kPrefixTab2, prefs) || !lobs.read(networks, kNetworkTab2, nets)) return p.fail();
    return net_pool_ranges(p, nets.c_str(), prefs.c_str(), hostonly, rr, mm, c);
}
PROC_GUARD

int C_get_ipaddress_natnetLob(OCIExtProcContext *ctx, ClobRef outnets, ClobRef outprefs, const char *pool, int prefix,
                              Clob used, Clob usedprefixes, int count, int contiguous, int expand, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Lobs lobs(p, ctx);
    LobOut n(lobs, outnets), f(lobs, outprefs);
    OutText &nn = p.result(n), &ff = p.result(f);
    std::string nets, prefs;
    if (!lobs.read(usedprefixes, kPrefixTab2, prefs) || !lobs.read(used, kIpaddressLobTab, nets)) return p.fail();
    return nat_networks(p, nn, ff, pool, prefix, nets.c_str(), prefs.c_str(), count, contiguous, expand);
}
PROC_GUARD
