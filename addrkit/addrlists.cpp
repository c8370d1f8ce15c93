// The addresses of a network or a range, and the ranges and masks of pools.
#include <algorithm>
#include <vector>

#include "addrmodel.h"
#include "listprocs.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// Addresses of one page of a network listing.
constexpr int kPageSize = 1000;

// Writes every address FIRST .. LAST (inclusive) as "%s "; stops at the first
// piece that does not fit, which fails the call.
void put_addresses(OutText &out, std::uint64_t first, std::uint64_t last) {
    for (std::uint64_t a = first; a <= last; ++a)
        if (!out.put_ip(static_cast<ip_t>(a), " ")) return;
}

// "%s %s@" for the range and "%s " for the mask of its covering block.
void put_range(OutText &ranges, OutText &masks, ip_t first, ip_t last, int mask_prefix) {
    ranges.put_ip(first, " ");
    ranges.put_ip(last, "@");
    masks.put_ip(mask_of(mask_prefix), " ");
}

}  // namespace

int address_list(Proc &p, OutText &out, const char *network, int prefix, int start, std::uint64_t page, int *next) {
    *next = 0;
    if (start < 0) return p.fail("Error : Invalid starting index :%d\n", start);
    if (prefix < 0 || prefix > 32) return p.fail("Error : Invalid prefix :%d\n", prefix);
    ip_t n;
    if (validate_network(network, prefix, &n, p.message())) return p.fail();
    std::uint64_t last = block_size(prefix) - 1;
    std::uint64_t from = static_cast<std::uint64_t>(start);
    if (from > last) {
        // The end of the paging: an empty page, still a success.
        p.note(strprintf("Invalid index '%d' passed ", start));
        *next = -1;
        return p.done();
    }
    std::uint64_t to = page ? std::min(last, from + page - 1) : last;
    put_addresses(out, n + from, n + to);
    *next = to < last ? static_cast<int>(page) : -1;
    if (out.overflowed()) *next = 0;
    return p.done();
}

int C_GetIPAddressList(char *res, int reslen, int *resind, const char *network, int prefix, int start, int *next,
                       ERR_ARGS) try {
    Proc p(err, errlen, errind);
    return address_list(p, p.result(res, reslen, resind), network, prefix, start, kPageSize, next);
}
PROC_GUARD

int address_range(Proc &p, OutText &out, const char *first, const char *last) {
    ip_t f, l;
    if (validate_ipaddress(first, &f, p.message()) || validate_ipaddress(last, &l, p.message())) return p.fail();
    if (f >= l) return p.fail("Error : Start ip ipaddress (%s) greater than or equal to end ip address\n", first);
    put_addresses(out, f, l);
    return p.done();
}

int C_GetAddressRange(char *res, int reslen, int *resind, const char *first, const char *last, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    return address_range(p, p.result(res, reslen, resind), first, last);
}
PROC_GUARD

int pool_ranges(Proc &p, const char *addresses, OutText &r, OutText &m, OutText &c) {
    std::vector<Address> items;
    if (!read_addresses(addresses, kMaxPoolAddresses, items, p.message())) return p.fail();
    if (items.empty()) return p.fail("Error: No ip address specified. Address range computation failed \n");
    std::vector<ip_t> v(items.size());
    std::transform(items.begin(), items.end(), v.begin(), [](const Address &a) { return a.value; });
    SortIPAddress(v.data(), static_cast<int>(v.size()));
    int smallest = 32;
    // A run goes on while each address is the one after the previous; a
    // repeated address starts a new run.
    for (size_t i = 0; i < v.size() && !r.overflowed() && !m.overflowed(); ++i) {
        ip_t s = v[i];
        while (i + 1 < v.size() && std::uint64_t{v[i + 1]} == std::uint64_t{v[i]} + 1) ++i;
        ip_t net;
        int prefix;
        findsubnet(s, v[i], &net, &prefix);
        put_range(r, m, s, v[i], prefix);
        smallest = std::min(smallest, prefix);
    }
    c.put_ip(mask_of(smallest), " ");
    return p.done();
}

int C_PoolRanges(const char *addresses, char *ranges, int rangeslen, int *rangesind, char *masks, int maskslen,
                 int *masksind, char *common, int commonlen, int *commonind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &r = p.result(ranges, rangeslen, rangesind);
    OutText &m = p.result(masks, maskslen, masksind);
    return pool_ranges(p, addresses, r, m, p.result(common, commonlen, commonind));
}
PROC_GUARD

int net_pool_ranges(Proc &p, const char *networks, const char *prefixes, int hostonly, OutText &r, OutText &m,
                    OutText &c) {
    std::vector<Network> nets;
    if (!read_networks(networks, prefixes, "Error : No of prefix is less than the no of addr : %d %d\n", nets,
                       p.message()))
        return p.fail();
    if (nets.empty()) return p.done();
    int smallest = 32;
    for (const Network &net : nets) {
        ip_t first = net.address, last = block_last(net.address, net.prefix);
        // A /31 or /32 has no network and broadcast addresses to leave out.
        if (hostonly && net.prefix < 31) {
            ++first;
            --last;
        }
        put_range(r, m, first, last, net.prefix);
        smallest = std::min(smallest, net.prefix);
    }
    c.put_ip(mask_of(smallest), " ");
    return p.done();
}

int C_NetPoolRanges(const char *networks, const char *prefixes, int hostonly, char *ranges, int rangeslen,
                    int *rangesind, char *masks, int maskslen, int *masksind, char *common, int commonlen,
                    int *commonind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &r = p.result(ranges, rangeslen, rangesind);
    OutText &m = p.result(masks, maskslen, masksind);
    return net_pool_ranges(p, networks, prefixes, hostonly, r, m, p.result(common, commonlen, commonind));
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
