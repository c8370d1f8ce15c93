#!/usr/bin/env python3
"""Seeded cases for the address procedures, answered by Python's ipaddress.

    addr_oracle.py [--seed N] [--count N]

Prints one case per line, fields separated by tabs:

    PROCEDURE  N  ARG1 .. ARGN  RETURN  EXPECT ...

where every EXPECT is NAME=VALUE (VALUE "<null>" for a NULL indicator) or
NAME^PREFIX (a text that starts with PREFIX).

The answers come from ipaddress. Where the library answers otherwise on
purpose, the difference is one of the exceptions below, applied here and
nowhere else:

  X1  Octets are decimal digits of any length with a value up to 255, so
      leading zeros are accepted; ipaddress refuses them. Such texts are
      normalised before ipaddress sees them.
  X2  Class D (multicast) addresses are refused wherever an address is
      validated: all procedures but C_check_subipaddress2, C_ConvertIP and
      C_validate_multicastaddr.
  X3  Class E (240.0.0.0/4) addresses are ordinary addresses, except that
      C_validate_network refuses a network that starts or ends in class D
      or E.
  X4  Networks take prefixes 2..32; C_compute_network 1..32; the masks and
      C_ExtractNetworkBroadcast 0..32. A network with host bits set is
      refused (ipaddress strict mode), but C_ExtractNetworkBroadcast and
      C_compute_network clear them.
  X5  C_check_subipaddress2 counts from the network text as given (host bits
      are not cleared).
  X6  C_validate_ipaddress_fornw takes only addresses strictly between the
      network and broadcast addresses, so a /31 takes none (ipaddress gives
      it two hosts); the host of a /32 is its own address (as ipaddress).
  X7  C_ConvertIP: CONVERTFIP gives the value as a signed 32-bit number,
      CONVERTUIP its upper 16 bits, any other mode (case matters) the lower
      16 bits.
  X8  C_GetIPAddressList pages by 1000 and answers next = 1000 (the number
      written, not the next start), or -1 on the last page; a start past the
      end succeeds with an empty page.
  X9  C_PoolRanges: a repeated address starts a new run.
  X10 Prefix list items are read like the standard text-to-int conversion
      (a non-number is 0). Lists split on blanks only.
  X11 Text results longer than their declared buffer fail the call with
      "Error : Result too long" (the host declares 32767 bytes for lists).
"""

import argparse
import ipaddress
import random
import re
import sys

LIST_BUFFER = 32767
MAX_ITEMS = 5000
NULL = "<null>"


# ---------------------------------------------------------------- helpers


def parse(text):
    """The address of TEXT as the library reads it (X1), or None."""
    if not re.fullmatch(r"[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+", text):
        return None
    octets = [int(o) for o in text.split(".")]
    if any(o > 255 for o in octets):
        return None
    return ipaddress.IPv4Address(".".join(str(o) for o in octets))


def list_int(text):
    """X10."""
    m = re.match(r"[ \t\n\v\f\r]*([+-]?[0-9]+)", text)
    return int(m.group(1)) if m else 0


def items(text):
    return [t for t in text.split(" ") if t]


def dotted(a):
    return str(ipaddress.IPv4Address(int(a)))


def is_class_d(a):
    return a.is_multicast


def is_class_de(a):
    return a.is_multicast or a in ipaddress.ip_network("240.0.0.0/4")


class Refused(Exception):
    """A check failed with this error-text prefix."""


def check_address(text):
    """validate_ipaddress (X1, X2)."""
    a = parse(text)
    if a is None:
        raise Refused("Error: Invalid ipaddress specified: %s\n" % text)
    if is_class_d(a):
        raise Refused("Error: ipaddress %s comes in class d \n" % text)
    return a


def check_network(text, prefix):
    """validate_network (X4): strict ipaddress network."""
    if not 2 <= prefix <= 32:
        raise Refused("Error : Invalid prefix specified: %d\n" % prefix)
    a = check_address(text)
    try:
        return ipaddress.ip_network((a, prefix), strict=True)
    except ValueError:
        raise Refused("Error : Network (%s) is not for prefix: %d\n" % (text, prefix))


def read_networks(nets_text, prefixes_text, message):
    prefixes = [list_int(p) for p in items(prefixes_text)]
    nets = items(nets_text)
    out = []
    for i, t in enumerate(nets):
        if i >= len(prefixes):
            raise Refused(message % (len(prefixes), i + 1))
        out.append((t, prefixes[i], check_network(t, prefixes[i])))
    if len(out) != len(prefixes):
        raise Refused(message % (len(prefixes), len(out)))
    return out


def covering_prefix(s, e):
    """The prefix of the smallest network holding both addresses."""
    for p in range(32, -1, -1):
        if e in ipaddress.ip_network((s, p), strict=False):
            return p
    raise AssertionError


def fits(text):
    return len(text) < LIST_BUFFER


TOO_LONG = "Error : Result too long"


# --------------------------------------------------------------- generators


SPECIAL = ["0.0.0.0", "255.255.255.255", "127.0.0.1", "126.255.255.255", "223.255.255.255",
           "224.0.0.0", "224.0.0.5", "224.0.0.255", "224.0.1.255", "224.0.2.0", "239.255.255.255",
           "240.0.0.0", "10.0.0.0", "128.0.0.0", "191.255.255.255", "192.0.0.0"]
JUNK = ["1.2.3", "1.2.3.4.5", "1..2.3", "256.1.1.1", "a.b.c.d", "", "1.2.3.4.", "-1.2.3.4", "1.2.3.04x"]


class Gen:
    def __init__(self, seed):
        self.r = random.Random(seed)

    def value(self):
        r = self.r.random()
        if r < 0.45:
            return self.r.getrandbits(32)
        if r < 0.6:
            return int(parse(self.r.choice(SPECIAL)))
        if r < 0.8:
            return 0x0A000000 + self.r.getrandbits(16)  # a crowded corner of 10/8
        return (self.r.randrange(1, 224) << 24) + self.r.getrandbits(24)

    def text(self, v):
        """A dotted text of V, sometimes with leading zeros (X1)."""
        octets = [(v >> s) & 255 for s in (24, 16, 8, 0)]
        if self.r.random() < 0.06:
            return ".".join(("0" * self.r.randrange(1, 3)) + str(o) for o in octets)
        return ".".join(str(o) for o in octets)

    def address(self, junk=0.05):
        if self.r.random() < junk:
            return self.r.choice(JUNK)
        return self.text(self.value())

    def prefix(self, lo=0, hi=32, wild=0.05):
        if self.r.random() < wild:
            return self.r.choice([-1, 0, 1, 33, 40])
        return self.r.randint(lo, hi)

    def network(self, lo=2, hi=32, aligned=0.9):
        p = self.prefix(lo, hi)
        v = self.value()
        if 0 <= p <= 32 and self.r.random() < aligned:
            v &= (0xFFFFFFFF << (32 - p)) & 0xFFFFFFFF
        return self.text(v), p

    def inside(self, net_text, p, spread=2):
        """An address in (or near) the block net/p."""
        base = parse(net_text)
        base = int(base) if base is not None else 0
        size = 1 << (32 - max(0, min(32, p)))
        off = self.r.randrange(-spread, size + spread)
        return self.text(max(0, min(0xFFFFFFFF, base + off)))


def case(proc, args, ret, **expect):
    return proc, [str(a) for a in args], ret, expect


def error_case(proc, args, refused, **nulls):
    return case(proc, args, 2, error=str(refused), **{k: NULL for k in nulls})


# ------------------------------------------------------------- procedures


def extract_network_broadcast(g):
    text, p = g.address(), g.prefix()
    args = [text, p]
    try:
        if not 0 <= p <= 32:
            raise Refused("Error : Invalid prefix :%d\n" % p)
        a = check_address(text)
    except Refused as e:
        return error_case("C_ExtractNetworkBroadcast", args, e, network=1, broadcast=1)
    net = ipaddress.ip_network((a, p), strict=False)
    return case("C_ExtractNetworkBroadcast", args, 0, network=str(net.network_address),
                broadcast=str(net.broadcast_address), error=NULL)


def compute_network(g):
    text, p = g.address(), g.prefix()
    args = [text, p]
    try:
        a = check_address(text)
        if not 1 <= p <= 32:
            raise Refused("Error : Invalid prefix value specifed: %d\n" % p)
    except Refused as e:
        return error_case("C_compute_network", args, e, result=1)
    net = ipaddress.ip_network((a, p), strict=False)
    return case("C_compute_network", args, 0, result=str(net.network_address), error=NULL)


def masks(g):
    p = g.prefix(wild=0.15)
    inverse = g.r.random() < 0.5
    proc = "C_compute_inversemask" if inverse else "C_compute_mask"
    if not 0 <= p <= 32:
        msg = ("Error : Invalid prefix :%d\n" if inverse else "Error :Invalid prefix :%d\n") % p
        return case(proc, [p], 2, result=NULL, error=msg)
    net = ipaddress.ip_network((0, p))
    return case(proc, [p], 0, result=str(net.hostmask if inverse else net.netmask), error=NULL)


def convert_ip(g):
    text = g.address()
    mode = g.r.choice(["CONVERTFIP", "CONVERTUIP", "CONVERTLIP", "convertfip", ""])
    a = parse(text)
    if a is None:
        return case("C_ConvertIP", [text, mode], 2, result=NULL,
                    error="Error : Invalid ip address specified: %s\n" % text)
    v = int(a)
    if mode == "CONVERTFIP":
        n = v - (1 << 32) if v >= 1 << 31 else v
    elif mode == "CONVERTUIP":
        n = v >> 16
    else:
        n = v & 0xFFFF
    return case("C_ConvertIP", [text, mode], 0, result=str(n), error=NULL)


def check_subipaddress2(g):
    net, p = g.network(aligned=0.7)
    addr = g.inside(net, p) if g.r.random() < 0.8 else g.address()
    args = [net, p, addr]
    if not 2 <= p <= 32:
        return case("C_check_subipaddress2", args, 2, error="Error : Invalid prefix specified: %d\n" % p)
    n, a = parse(net), parse(addr)
    if n is None or a is None:
        bad = net if n is None else addr
        return case("C_check_subipaddress2", args, 2, error="Error: Invalid ipaddress specified: %s\n" % bad)
    # X5: from the text as given.
    if int(n) <= int(a) <= int(n) + (1 << (32 - p)) - 1:
        return case("C_check_subipaddress2", args, 0, error=NULL)
    return case("C_check_subipaddress2", args, 2,
                error="Error : ip '%s' is not in network %s:%d \n" % (addr, net, p))


def check_subipaddress(g):
    net, p = g.network()
    first, last = g.inside(net, p, 300), g.inside(net, p, 300)
    n = parse(net)
    if n is not None and 0 <= p <= 32 and g.r.random() < 0.6:
        first = g.text(max(0, int(n) - g.r.randrange(0, 300)))
        last = g.text(min(0xFFFFFFFF, int(n) + (1 << (32 - p)) - 1 + g.r.randrange(0, 300)))
    args = [first, last, net, p]
    try:
        n = check_network(net, p)
        f, l = check_address(first), check_address(last)
    except Refused as e:
        return error_case("C_check_subipaddress", args, e)
    if f <= n.network_address and n.broadcast_address <= l:
        return case("C_check_subipaddress", args, 0, error=NULL)
    return case("C_check_subipaddress", args, 2,
                error="Error : ip '%s:%d' is not between '%s' and '%s'\n" % (net, p, first, last))


def ipaddress_innet(g):
    parent, pp = g.network(2, 28)
    if g.r.random() < 0.7 and 0 <= pp <= 32:
        p = g.r.randint(max(pp - 2, 0), 32)
        child = g.inside(parent, pp, 0)
        c = parse(child)
        if c is not None:
            child = g.text(int(c) & ((0xFFFFFFFF << (32 - p)) & 0xFFFFFFFF))
    else:
        child, p = g.network()
    args = [child, p, parent, pp]
    try:
        par = check_network(parent, pp)
        net = check_network(child, p)
    except Refused as e:
        return error_case("C_ipaddress_innet", args, e)
    if net.subnet_of(par):
        return case("C_ipaddress_innet", args, 0, error=NULL)
    return case("C_ipaddress_innet", args, 2,
                error="Error : Network %s/%d is not a subnet of the parent network : %s/%d\n"
                % (child, p, parent, pp))


def validate_multicastaddr(g):
    if g.r.random() < 0.6:
        text = g.text(0xE0000000 + g.r.choice([g.r.getrandbits(9), g.r.getrandbits(28)]))
    else:
        text = g.address()
    a = parse(text)
    if a is None or not a.is_multicast:
        return case("C_validate_multicastaddr", [text], 2,
                    error="Error : %s is not a valid multicast address.\n" % text)
    if a in ipaddress.ip_network("224.0.0.0/23"):
        return case("C_validate_multicastaddr", [text], 2,
                    error="Error : %s is a reserved multicast address. \n" % text)
    return case("C_validate_multicastaddr", [text], 0, error=NULL)


def validate_ipaddress_fornw(g):
    net, p = g.network(22, 32)
    pool = [g.inside(net, p, 1) for _ in range(g.r.randrange(0, 8))]
    if pool and g.r.random() < 0.3:
        pool.insert(g.r.randrange(len(pool) + 1), g.r.choice(pool))  # a duplicate
    if g.r.random() < 0.1:
        pool.append(g.address())
    lst = " ".join(pool)
    args = [net, p, lst]
    try:
        n = check_network(net, p)
        # X6
        hosts = (lambda a: a == n.network_address) if p == 32 else \
            (lambda a: n.network_address < a < n.broadcast_address)
        seen = set()
        for t in items(lst):
            a = check_address(t)
            if not hosts(a):
                raise Refused("Error : IP address %s is invalid for the network/prefix: %s %d" % (t, net, p))
            if a in seen:
                raise Refused("Error : Duplicate ip address %s . Address already assigned\n" % t)
            seen.add(a)
    except Refused as e:
        return case("C_validate_ipaddress_fornw", args, 2, error=str(e))
    return case("C_validate_ipaddress_fornw", args, 0, error=NULL)


def assigned_lists(g, net, p):
    nets, prefixes = [], []
    for _ in range(g.r.randrange(0, 6)):
        q = g.prefix(max(2, p - 3), 32, wild=0.02) if 0 <= p <= 32 else g.prefix()
        a = g.inside(net, p, 1 << 10)
        v = parse(a)
        if v is not None and 0 <= q <= 32 and g.r.random() < 0.95:
            a = g.text(int(v) & ((0xFFFFFFFF << (32 - q)) & 0xFFFFFFFF))
        nets.append(a)
        prefixes.append(str(q))
    if g.r.random() < 0.08 and prefixes:
        prefixes.pop() if g.r.random() < 0.5 else prefixes.append("24")
    return " ".join(nets), "  ".join(prefixes)


COUNT_MESSAGE = "Error : No of prefix is less than the no of addr : %d %d\n"


def check_conflicts(net_text, p, n, assigned, aprefixes):
    for t, q, block in read_networks(assigned, aprefixes, COUNT_MESSAGE):
        if n.overlaps(block):
            raise Refused("Error : Assigned network (%s/%d) conflicts another network : %s/%d\n"
                          % (net_text, p, t, q))


def validate_network(g):
    net, p = g.network(8, 30)
    assigned, aprefixes = assigned_lists(g, net, p)
    args = [net, p, assigned, aprefixes]
    try:
        n = check_network(net, p)
        if is_class_de(n.network_address):  # X3
            raise Refused("Error: ipaddress %s comes in class e \n" % net)
        b = n.broadcast_address
        if is_class_de(b):
            raise Refused("Error: pool contains ipaddress %s belonging to class %s \n"
                          % (b, "d" if is_class_d(b) else "e"))
        check_conflicts(net, p, n, assigned, aprefixes)
    except Refused as e:
        return case("C_validate_network", args, 2, error=str(e))
    return case("C_validate_network", args, 0, error=NULL)


def validate_subnetwork(g):
    parent, pp = g.network(8, 24)
    if g.r.random() < 0.8 and 0 <= pp <= 32:
        p = g.r.randint(max(2, pp), 32)
        c = parse(g.inside(parent, pp, 0)) or ipaddress.IPv4Address(0)
        net = g.text(int(c) & ((0xFFFFFFFF << (32 - p)) & 0xFFFFFFFF))
    else:
        net, p = g.network()
    assigned, aprefixes = assigned_lists(g, net, p)
    args = [net, p, parent, pp, assigned, aprefixes]
    try:
        n = check_network(net, p)
        par = check_network(parent, pp)
        if not n.subnet_of(par):
            raise Refused("Error : Network %s/%d is not a subnet of the parent network : %s %d\n"
                          % (net, p, parent, pp))
        check_conflicts(net, p, n, assigned, aprefixes)
    except Refused as e:
        return case("C_validate_subnetwork", args, 2, error=str(e))
    return case("C_validate_subnetwork", args, 0, error=NULL)


def validate_address_range(g):
    first = g.address()
    v = parse(first)
    if v is not None and g.r.random() < 0.6:
        last = g.text(min(0xFFFFFFFF, int(v) + g.r.randrange(-1, 9)))
    else:
        last = g.address()
    args = [first, last]
    try:
        f, l = check_address(first), check_address(last)
        if f >= l:
            raise Refused("Error : Start ip ipaddress (%s) greater than or equal to end ip address (%s)\n"
                          % (first, last))
    except Refused as e:
        return case("C_ValidateAddressRange", args, 2, error=str(e))
    return case("C_ValidateAddressRange", args, 0, error=NULL)


def validate_address_in_range(g):
    first = g.address()
    last = g.inside(first, 24, 0)
    addr = g.inside(first, 24, 20)
    args = [first, last, addr]
    try:
        f, l, a = check_address(first), check_address(last), check_address(addr)
        if not f <= a <= l:
            raise Refused("Error : Ipaddress (%s) not within range for the pool (%s - %s)\n" % (addr, first, last))
    except Refused as e:
        return case("C_ValidateIPAddressInRange", args, 2, error=str(e))
    return case("C_ValidateIPAddressInRange", args, 0, error=NULL)


def get_ip_address_list(g):
    net, p = g.network(6, 32)
    size = 1 << (32 - p) if 0 <= p <= 32 else 1
    start = g.r.choice([0, 0, g.r.randrange(0, size + 3), max(0, size - g.r.randrange(1, 1200)),
                        size, -1, 1000])
    start = min(start, 2**31 - 1)  # an int argument
    args = [net, p, start]
    try:
        if start < 0:
            raise Refused("Error : Invalid starting index :%d\n" % start)
        if not 0 <= p <= 32:
            raise Refused("Error : Invalid prefix :%d\n" % p)
        n = check_network(net, p)
    except Refused as e:
        return case("C_GetIPAddressList", args, 2, result=NULL, next="0", error=str(e))
    if start >= n.num_addresses:  # X8
        return case("C_GetIPAddressList", args, 0, result="", next="-1", error=NULL)
    stop = min(n.num_addresses, start + 1000)
    text = "".join("%s " % n[i] for i in range(start, stop))
    nxt = "1000" if stop < n.num_addresses else "-1"
    return case("C_GetIPAddressList", args, 0, result=text, next=nxt, error=NULL)


def get_address_range(g):
    first = g.address()
    v = parse(first)
    span = g.r.choice([1, 2, 17, 999, 2100, 3000])
    last = g.text(min(0xFFFFFFFF, int(v) + span)) if v is not None and g.r.random() < 0.9 else g.address()
    args = [first, last]
    try:
        f, l = check_address(first), check_address(last)
        if f >= l:
            raise Refused("Error : Start ip ipaddress (%s) greater than or equal to end ip address\n" % first)
    except Refused as e:
        return case("C_GetAddressRange", args, 2, result=NULL, error=str(e))
    if int(l) - int(f) > 5000:
        return case("C_GetAddressRange", args, 2, result=NULL, error="^" + TOO_LONG)
    text = "".join("%s " % ipaddress.IPv4Address(x) for x in range(int(f), int(l) + 1))
    if not fits(text):  # X11
        return case("C_GetAddressRange", args, 2, result=NULL, error="^" + TOO_LONG)
    return case("C_GetAddressRange", args, 0, result=text, error=NULL)


def pool_ranges(g):
    pool = []
    for _ in range(g.r.randrange(0, 5)):
        base = g.value()
        if is_class_d(ipaddress.IPv4Address(base)) and g.r.random() < 0.8:
            base ^= 0x80000000  # mostly pools that pass (X2)
        run = g.r.randrange(1, 40)
        pool += [min(0xFFFFFFFF, base + i) for i in range(run) if g.r.random() < 0.85]
    if pool and g.r.random() < 0.2:
        pool.append(g.r.choice(pool))  # X9
    texts = [g.text(v) for v in pool]
    if g.r.random() < 0.05:
        texts.append(g.address(junk=0.5))
    g.r.shuffle(texts)
    lst = "  ".join(texts)
    try:
        addrs = [check_address(t) for t in items(lst)]
        if not addrs:
            raise Refused("Error: No ip address specified. Address range computation failed \n")
    except Refused as e:
        return case("C_PoolRanges", [lst], 2, ranges=NULL, masks=NULL, commonmask=NULL, error=str(e))
    addrs.sort()
    runs, start = [], 0
    for i in range(1, len(addrs) + 1):
        if i == len(addrs) or int(addrs[i]) != int(addrs[i - 1]) + 1:
            runs.append((addrs[start], addrs[i - 1]))
            start = i
    ranges = "".join("%s %s@" % r for r in runs)
    prefixes = [covering_prefix(s, e) for s, e in runs]
    mask_text = "".join("%s " % ipaddress.ip_network((0, q)).netmask for q in prefixes)
    common = "%s " % ipaddress.ip_network((0, min(prefixes))).netmask
    if not fits(ranges) or not fits(mask_text):
        return case("C_PoolRanges", [lst], 2, ranges=NULL, masks=NULL, commonmask=NULL, error="^" + TOO_LONG)
    return case("C_PoolRanges", [lst], 0, ranges=ranges, masks=mask_text, commonmask=common, error=NULL)


def net_pool_ranges(g):
    nets, prefixes = [], []
    for _ in range(g.r.randrange(0, 6)):
        t, p = g.network(8, 32, aligned=0.97)
        nets.append(t)
        prefixes.append(str(p))
    if g.r.random() < 0.08 and prefixes:
        prefixes.pop() if g.r.random() < 0.5 else prefixes.append("24")
    hostonly = g.r.choice([0, 1, 1, 5])
    args = [" ".join(nets), " ".join(prefixes), hostonly]
    try:
        blocks = read_networks(args[0], args[1], COUNT_MESSAGE)
    except Refused as e:
        return case("C_NetPoolRanges", args, 2, ranges=NULL, masks=NULL, commonmask=NULL, error=str(e))
    if not blocks:
        return case("C_NetPoolRanges", args, 0, ranges="", masks="", commonmask="", error=NULL)
    ranges = ""
    for _, q, n in blocks:
        if hostonly:
            hosts = n.hosts()
            first = next(iter(hosts))
            last = n.broadcast_address - 1 if q < 31 else list(n.hosts())[-1]
        else:
            first, last = n.network_address, n.broadcast_address
        ranges += "%s %s@" % (first, last)
    mask_text = "".join("%s " % n.netmask for _, _, n in blocks)
    common = "%s " % ipaddress.ip_network((0, min(q for _, q, _ in blocks))).netmask
    return case("C_NetPoolRanges", args, 0, ranges=ranges, masks=mask_text, commonmask=common, error=NULL)


PROCEDURES = [extract_network_broadcast, compute_network, masks, convert_ip, check_subipaddress2,
              check_subipaddress, ipaddress_innet, validate_multicastaddr, validate_ipaddress_fornw,
              validate_network, validate_subnetwork, validate_address_range, validate_address_in_range,
              get_ip_address_list, get_address_range, pool_ranges, net_pool_ranges]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=4000)
    opts = ap.parse_args()
    g = Gen(opts.seed)
    out = sys.stdout
    for i in range(opts.count):
        proc, args, ret, expect = PROCEDURES[i % len(PROCEDURES)](g)
        fields = [proc, str(len(args))] + args + [str(ret)]
        for name, value in expect.items():
            fields.append(name + value if value.startswith("^") else name + "=" + value)
        line = "\t".join(f.replace("\n", "\\n") for f in fields)
        out.write(line + "\n")


if __name__ == "__main__":
    main()
