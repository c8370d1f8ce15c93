// Procedures that only answer yes or no about addresses and networks.
#include <algorithm>
#include <vector>

#include "addrmodel.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// One network's last address, without wrapping at the top of the space.
std::uint64_t end_of(ip_t network, int prefix) { return network + block_size(prefix) - 1; }

// The assigned blocks must not overlap the network [n, b].
int check_assigned(Proc &p, const char *network, int prefix, ip_t n, const char *assigned,
                   const char *assignedprefixes) {
    std::vector<Network> blocks;
    if (!read_networks(assigned, assignedprefixes, "Error : No of prefix is less than the no of addr : %d %d\n",
                       blocks, p.message()))
        return p.fail();
    std::uint64_t b = end_of(n, prefix);
    for (const Network &k : blocks) {
        std::uint64_t a = k.address, e = end_of(k.address, k.prefix);
        bool conflict = (a <= n && n <= e) || (a <= b && b <= e) || (n <= a && a <= b);
        if (conflict) {
            std::string text(k.text);
            return p.fail("Error : Assigned network (%s/%d) conflicts another network : %s/%d\n", network, prefix,
                          text.c_str(), k.prefix);
        }
    }
    return p.done();
}

}  // namespace

int C_validate_multicastaddr(const char *address, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    // An unreadable text reads as 255.255.255.255, which is no multicast
    // address either.
    if (get_class(numberize(address)) != 'd')
        return p.fail("Error : %s is not a valid multicast address.\n", address);
    if (multicast_reservedrange(address) == 0)
        return p.fail("Error : %s is a reserved multicast address. \n", address);
    return p.done();
}
PROC_GUARD

int C_check_subipaddress2(const char *network, int prefix, const char *address, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    if (prefix < 2 || prefix > 32) return p.fail("Error : Invalid prefix specified: %d\n", prefix);
    // Only readability is checked: host bits and classes pass as before.
    ip_t n, a;
    if (parse_ipaddress(network, &n, p.message()) || parse_ipaddress(address, &a, p.message())) return p.fail();
    if (a < n || a > end_of(n, prefix))
        return p.fail("Error : ip '%s' is not in network %s:%d \n", address, network, prefix);
    return p.done();
}
PROC_GUARD

int C_check_subipaddress(const char *first, const char *last, const char *network, int prefix, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t n, f, l;
    if (validate_network(network, prefix, &n, p.message()) || validate_ipaddress(first, &f, p.message()) ||
        validate_ipaddress(last, &l, p.message()))
        return p.fail();
    if (!(f <= n && end_of(n, prefix) <= l))
        return p.fail("Error : ip '%s:%d' is not between '%s' and '%s'\n", network, prefix, first, last);
    return p.done();
}
PROC_GUARD

int C_ipaddress_innet(const char *network, int prefix, const char *parent, int parentprefix, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t par, n;
    if (validate_network(parent, parentprefix, &par, p.message()) ||
        validate_network(network, prefix, &n, p.message()))
        return p.fail();
    if (!(par <= n && n + block_size(prefix) <= par + block_size(parentprefix)))
        return p.fail("Error : Network %s/%d is not a subnet of the parent network : %s/%d\n", network, prefix,
                      parent, parentprefix);
    return p.done();
}
PROC_GUARD

int C_validate_ipaddress_fornw(const char *network, int prefix, const char *addresses, ERR_ARGS) try {
    Proc p(err, errlen, errind, false);
    ip_t n;
    if (validate_network(network, prefix, &n, p.message())) return p.fail();
    std::vector<std::string_view> items;
    if (!read_items(addresses, kMaxListItems, items, p.message())) return p.fail();
    std::uint64_t b = end_of(n, prefix);
    // Items are checked in list order; the first bad one ends the check.
    std::vector<ip_t> good;  // the items before the first bad one
    good.reserve(items.size());
    bool bad = false;
    std::string bad_message;
    for (size_t i = 0; i < items.size() && !bad; ++i) {
        ip_t a;
        if (validate_ipaddress(items[i], &a, bad_message)) {
            bad = true;
        } else if (prefix == 32 ? a != n : !(n < a && a < b)) {
            bad_message = strprintf("Error : IP address %s is invalid for the network/prefix: %s %d",
                                    std::string(items[i]).c_str(), network, prefix);
            bad = true;
        } else {
            good.push_back(a);
        }
    }
    // A repeated address fails at its second appearance, if that comes
    // before the first bad item.
    size_t dup = first_repeat(good);
    if (dup < good.size())
        return p.fail("Error : Duplicate ip address %s . Address already assigned\n", std::string(items[dup]).c_str());
    if (bad) {
        p.message() = bad_message;
        return p.fail();
    }
    return p.done();
}
PROC_GUARD

int C_validate_network(const char *network, int prefix, const char *assigned, const char *assignedprefixes,
                       ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t n;
    if (validate_network(network, prefix, &n, p.message())) return p.fail();
    char cls = get_class(n);
    if (cls == 'd' || cls == 'e') return p.fail("Error: ipaddress %s comes in class %c \n", network, cls);
    ip_t b = block_last(n, prefix);
    cls = get_class(b);
    if (cls == 'd' || cls == 'e')
        return p.fail("Error: pool contains ipaddress %s belonging to class %c \n", denumberize(b), cls);
    return check_assigned(p, network, prefix, n, assigned, assignedprefixes);
}
PROC_GUARD

int C_validate_subnetwork(const char *network, int prefix, const char *parent, int parentprefix,
                          const char *assigned, const char *assignedprefixes, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t n, par;
    if (validate_network(network, prefix, &n, p.message()) ||
        validate_network(parent, parentprefix, &par, p.message()))
        return p.fail();
    if (n < par || n + block_size(prefix) > par + block_size(parentprefix))
        return p.fail("Error : Network %s/%d is not a subnet of the parent network : %s %d\n", network, prefix,
                      parent, parentprefix);
    return check_assigned(p, network, prefix, n, assigned, assignedprefixes);
}
PROC_GUARD

int C_ValidateAddressRange(const char *first, const char *last, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t f, l;
    if (validate_ipaddress(first, &f, p.message()) || validate_ipaddress(last, &l, p.message())) return p.fail();
    if (f >= l)
        return p.fail("Error : Start ip ipaddress (%s) greater than or equal to end ip address (%s)\n", first, last);
    return p.done();
}
PROC_GUARD

int C_ValidateIPAddressInRange(const char *first, const char *last, const char *address, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    ip_t f, l, a;
    if (validate_ipaddress(first, &f, p.message()) || validate_ipaddress(last, &l, p.message()) ||
        validate_ipaddress(address, &a, p.message()))
        return p.fail();
    if (a < f || a > l)
        return p.fail("Error : Ipaddress (%s) not within range for the pool (%s - %s)\n", address, first, last);
    return p.done();
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
