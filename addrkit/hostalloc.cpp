// Free addresses inside a network, given the addresses or blocks in use:
// the first free host, NAT and point-to-point addresses, an address at an
// offset, and NAT addresses taken as blocks.
#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "addrmodel.h"
#include "freespace.h"
#include "listprocs.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// Where used addresses may lie: strictly inside the network (hosts),
// anywhere in it (NAT), or past its network address (point-to-point).
enum class Band { Hosts, Nat, PointToPoint };

// Checks the network and reads the used list: every item an address, in
// the band, and none twice. False after p.fail().
bool read_used_hosts(Proc &p, const char *network, int prefix, const char *used, Band band, ip_t &n,
                     std::vector<Span> &spans) {
    std::vector<Address> items;
    if (validate_network(network, prefix, &n, p.message()) || !read_addresses(used, kMaxListItems, items, p.message())) {
        p.fail();
        return false;
    }
    const std::uint64_t b = block_last(n, prefix);
    char net[16];
    format_ip(n, net);
    std::vector<ip_t> values;
    values.reserve(items.size());
    for (const Address &a : items) {
        bool inside = band == Band::Nat ? n <= a.value && a.value <= b
                      : band == Band::Hosts ? n < a.value && a.value < b
                                            : n < a.value && a.value <= b;
        if (!inside) {
            std::string text(a.text);
            if (band == Band::Hosts)
                p.fail("Error : IP address %s is invalid for the network/prefix : %s %d", text.c_str(), net, prefix);
            else if (band == Band::Nat)
                p.fail("Error : ip address %s is invalid for the network/prefix : %s %d", text.c_str(), net, prefix);
            else
                p.fail("Error : IP address %s is invalid for the network/prefix", text.c_str());
            return false;
        }
        values.push_back(a.value);
        spans.push_back({a.value, std::uint64_t{a.value} + 1});
    }
    size_t dup = first_repeat(values);
    if (dup < items.size()) {
        p.fail("Error :Duplicate ip address %s . Address already assigned\n", std::string(items[dup].text).c_str());
        return false;
    }
    return true;
}

// The first free address of [first, end), or none.
std::optional<ip_t> first_free(Span range, std::vector<Span> used) {
    return FreeSpace(range, std::move(used)).first_fit(0);
}

// One search of the NAT allocators: a free block of 2^BITS addresses of the
// pool; while there is none the exponent is halved (not the size), as the
// subnet search is asked again, down to single addresses, which are never
// the pool's network or broadcast address. g_errorcode is left as that last
// search would leave it.
std::optional<ip_t> next_nat_block(const FreeSpace &pool, int pool_prefix, int &bits) {
    while (true) {
        if (32 - bits < pool_prefix) {
            g_errorcode = 2;
        } else if (auto a = pool.first_fit(bits, bits == 0)) {
            g_errorcode = 0;
            return a;
        } else {
            g_errorcode = 4;
        }
        if (bits == 0) return std::nullopt;
        bits /= 2;
    }
}

// The pool and its used blocks as the subnet search reads them; else the
// g_errorcode that search gives.
int open_pool(const char *pool, int prefix, const char *used, const char *usedprefixes, ip_t &n,
              std::vector<Span> &spans, std::string &err) {
    if (validate_network(pool, prefix, &n, err)) return 3;
    std::vector<Network> blocks;
    if (extractipandprefixlst(used, usedprefixes, blocks, err)) return 2;
    spans = spans_of(blocks);
    return 0;
}

int highest_bit(std::uint64_t r) { return static_cast<int>(std::bit_width(r)) - 1; }

// Every address of BLOCKS as "%s " into ADDRS and, when given, "32 " per
// address into PREFIXES; stops once a result no longer fits.
void put_addresses(const std::vector<Block> &blocks, OutText &addrs, OutText *prefixes) {
    for (const Block &b : blocks)
        for (std::uint64_t a = b.network, end = a + block_size(b.prefix); a < end; ++a)
            if (!addrs.put_ip(static_cast<ip_t>(a), " ") || (prefixes && !prefixes->put("32 "))) return;
}

}  // namespace

int C_get_ipaddress_fornw(char *res, int reslen, int *resind, const char *network, int prefix, const char *used,
                          ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    ip_t n;
    std::vector<Span> spans;
    if (!read_used_hosts(p, network, prefix, used, Band::Hosts, n, spans)) return kStatusFailed;
    // A single address is its own host.
    const Span whole = block_span(n, prefix);
    auto found = prefix == 32 && spans.empty() ? std::optional<ip_t>(n)
                                               : first_free({whole.first + 1, whole.end - 1}, std::move(spans));
    if (!found) return p.fail("Error : No Free address available for this network : %s %d\n", denumberize(n), prefix);
    out.put_ip(*found);
    return p.done();
}
PROC_GUARD

int C_get_ipaddress_nat(char *res, int reslen, int *resind, const char *network, int prefix, const char *used,
                        ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    ip_t n;
    std::vector<Span> spans;
    if (!read_used_hosts(p, network, prefix, used, Band::Nat, n, spans)) return kStatusFailed;
    auto found = first_free(block_span(n, prefix), std::move(spans));
    if (!found) return p.fail("Error : No Free address available for this network: %s %d\n", denumberize(n), prefix);
    out.put_ip(*found);
    return p.done();
}
PROC_GUARD

int C_get_ipaddress_forptopnw(char *first, int firstlen, int *firstind, char *second, int secondlen, int *secondind,
                              const char *network, int prefix, const char *used, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &one = p.result(first, firstlen, firstind);
    OutText &two = p.result(second, secondlen, secondind);
    ip_t n;
    std::vector<Span> spans;
    if (!read_used_hosts(p, network, prefix, used, Band::PointToPoint, n, spans)) return kStatusFailed;
    const std::uint64_t b = block_last(n, prefix);
    // The first end lies below the broadcast address, the second may be it.
    std::optional<ip_t> a, z;
    if (b > n) {
        FreeSpace space({std::uint64_t{n} + 1, b + 1}, std::move(spans));
        a = space.first_fit(0);
        if (a && *a < b) {
            space.take({*a, std::uint64_t{*a} + 1});
            z = space.first_fit(0);
        }
    }
    if (!z) return p.fail("Error : No Free address available for this network : %s %d\n", denumberize(n), prefix);
    one.put_ip(*a);
    two.put_ip(*z);
    return p.done();
}
PROC_GUARD

int C_get_ipaddress_foroff(char *res, int reslen, int *resind, const char *network, int prefix, unsigned int offset,
                           ERR_ARGS) try {
    Proc p(err, errlen, errind);
    // Its failures leave the result's indicator NOT NULL.
    OutText &out = p.result(res, reslen, resind, true);
    ip_t n;
    if (validate_network(network, prefix, &n, p.message())) return p.fail();
    std::uint64_t a = std::uint64_t{n} + offset;
    if (offset == 0 || a > block_last(n, prefix))
        return p.fail("Error : Ip address %s  computed with the provided offset is invalid for the network/prefix :",
                      denumberize(static_cast<ip_t>(a)));
    out.put_ip(static_cast<ip_t>(a));
    return p.done();
}
PROC_GUARD

int C_get_ipaddress_natx(char *res, int reslen, int *resind, const char *pool, int prefix, const char *used,
                         const char *usedprefixes, int count, int contiguous, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    if (count == 0) return p.done();
    auto failed = [&] {
        return p.fail("Error :Failed to allocated %d of addresses from this pool : %s %d\n", count, pool, prefix);
    };
    if (count < 0) {
        g_errorcode = 2;
        return failed();
    }
    ip_t n;
    std::vector<Span> spans;
    if (int code = open_pool(pool, prefix, used, usedprefixes, n, spans, p.message())) {
        g_errorcode = code;
        return failed();
    }
    FreeSpace space(block_span(n, prefix), std::move(spans));
    std::vector<Block> blocks;
    std::uint64_t taken = 0, after_last = 0;
    while (taken < static_cast<std::uint64_t>(count)) {
        int bits = highest_bit(count - taken);
        auto s = next_nat_block(space, prefix, bits);
        if (!s || (contiguous && !blocks.empty() && *s != after_last)) break;
        blocks.push_back({*s, 32 - bits});
        space.take(block_span(*s, 32 - bits));
        taken += block_size(32 - bits);
        after_last = std::uint64_t{*s} + block_size(32 - bits);
    }
    if (taken != static_cast<std::uint64_t>(count)) return failed();
    put_addresses(blocks, out, nullptr);
    return p.done();
}
PROC_GUARD

int nat_networks(Proc &p, OutText &out_nets, OutText &out_prefs, const char *pool, int prefix, const char *used,
                 const char *usedprefixes, int count, int contiguous, int expand) {
    if (count == 0) return p.done();
    ip_t n;
    if (validate_network(pool, prefix, &n, p.message()))
        return p.fail("Invalid network address or prefix : %s / %d ", pool, prefix);
    auto failed = [&] {
        return p.fail("Error :Failed to allocate %d of addresses from this pool : %s %d\n", count, pool, prefix);
    };
    if (count < 0) {
        g_errorcode = 2;
        return failed();
    }
    const Span whole = block_span(n, prefix);
    const std::uint64_t wanted = static_cast<std::uint64_t>(count);
    // Expanded results, and a single address, never take the pool's network
    // or broadcast address.
    std::vector<Span> reserved;
    if (expand != 0 || count == 1) reserved = {{whole.first, whole.first + 1}, {whole.end - 1, whole.end}};
    std::vector<Block> blocks;

    if (contiguous == 1) {
        if (wanted > block_size(prefix))
            return p.fail("Error :Failed to allocate %d addresses from this pool : %s %d\n", count, pool, prefix);
        std::vector<Network> items;
        PairedLists how{"Error No of prefix's is less than the no of ipaddress : %d %d\n"};
        how.bad_message = "Invalid network address or prefix : %s / %d ";
        if (!read_networks(used, usedprefixes, how, items, p.message())) return p.fail();
        std::vector<Span> spans = spans_of(items);
        spans.insert(spans.end(), reserved.begin(), reserved.end());
        auto w = FreeSpace(whole, std::move(spans)).best_window(wanted);
        if (!w)
            return p.fail("Error :Failed to allocate contiguous %d addresses from this pool : %s %d\n", count, pool,
                          prefix);
        cover_span({*w, *w + wanted}, blocks);
    } else if (contiguous == 0) {
        std::vector<Span> spans;
        if (int code = open_pool(pool, prefix, used, usedprefixes, n, spans, p.message())) {
            g_errorcode = code;
            return failed();
        }
        spans.insert(spans.end(), reserved.begin(), reserved.end());
        FreeSpace space(whole, std::move(spans));
        std::uint64_t taken = 0;
        while (taken < wanted) {
            int bits = highest_bit(wanted - taken);
            auto s = next_nat_block(space, prefix, bits);
            if (!s) break;
            blocks.push_back({*s, 32 - bits});
            space.take(block_span(*s, 32 - bits));
            taken += block_size(32 - bits);
        }
        if (taken != wanted) return failed();
    } else {
        // Any other mode allocates nothing.
        return failed();
    }

    if (expand == 1) {
        put_addresses(blocks, out_nets, &out_prefs);
    } else {
        for (const Block &b : blocks) {
            out_nets.put_ip(b.network, " ");
            out_prefs.put(strprintf("%d ", b.prefix));
        }
    }
    return p.done();
}

int C_get_ipaddress_natnet(char *nets, int netslen, int *netsind, char *prefs, int prefslen, int *prefsind,
                           const char *pool, int prefix, const char *used, const char *usedprefixes, int count,
                           int contiguous, int expand, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out_nets = p.result(nets, netslen, netsind);
    return nat_networks(p, out_nets, p.result(prefs, prefslen, prefsind), pool, prefix, used, usedprefixes, count,
                        contiguous, expand);
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
