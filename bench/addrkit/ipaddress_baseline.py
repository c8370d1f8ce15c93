#!/usr/bin/env python3
"""The baseline of addrkit_bench: Python's ipaddress doing the work of each
procedure on the same lists.

    ipaddress_baseline.py WORKLOADS [SECONDS]

WORKLOADS has one line per benchmark: NAME, then its arguments, separated by
tabs. Prints NAME<TAB>calls per second for each.
"""

import ipaddress
import sys
import time

A = ipaddress.IPv4Address
N = ipaddress.ip_network


def fornw(net, prefix, lst):
    n = N((A(net), int(prefix)))
    low, high = n.network_address, n.broadcast_address
    seen = set()
    for t in lst.split():
        a = A(t)
        if not low < a < high or a in seen:
            return 2
        seen.add(a)
    return 0


def conflicts(n, nets, prefixes):
    ps = [int(p) for p in prefixes.split()]
    blocks = [N((A(t), ps[i])) for i, t in enumerate(nets.split())]
    return 2 if any(n.overlaps(b) for b in blocks) else 0


def validate_network(net, prefix, nets, prefixes):
    return conflicts(N((A(net), int(prefix))), nets, prefixes)


def validate_subnetwork(net, prefix, parent, pprefix, nets, prefixes):
    n = N((A(net), int(prefix)))
    if not n.subnet_of(N((A(parent), int(pprefix)))):
        return 2
    return conflicts(n, nets, prefixes)


def pool_ranges(lst):
    addrs = sorted(A(t) for t in lst.split())
    ranges, masks, smallest = [], [], 32
    start = 0
    for i in range(1, len(addrs) + 1):
        if i == len(addrs) or int(addrs[i]) != int(addrs[i - 1]) + 1:
            s, e = addrs[start], addrs[i - 1]
            p = 32 - (int(s) ^ int(e)).bit_length()
            ranges.append("%s %s@" % (s, e))
            masks.append("%s " % N((s, p), strict=False).netmask)
            smallest = min(smallest, p)
            start = i
    return "".join(ranges), "".join(masks), "%s " % N((0, smallest)).netmask


def net_pool_ranges(nets, prefixes, hostonly):
    ps = [int(p) for p in prefixes.split()]
    ranges, masks = [], []
    for i, t in enumerate(nets.split()):
        n = N((A(t), ps[i]))
        if int(hostonly) and ps[i] < 31:
            ranges.append("%s %s@" % (n[1], n[-2]))
        else:
            ranges.append("%s %s@" % (n[0], n[-1]))
        masks.append("%s " % n.netmask)
    return "".join(ranges), "".join(masks), "%s " % N((0, min(ps))).netmask


def address_list(net, prefix, start):
    n = N((A(net), int(prefix)))
    start = int(start)
    return "".join("%s " % n[i] for i in range(start, min(start + 1000, n.num_addresses)))


def used_gaps(pool, nets, prefixes, reserve_ends=False):
    """The free spans [first, end) of POOL around the collapsed used blocks."""
    ps = [int(p) for p in prefixes.split()]
    used = [N((A(t), ps[i])) for i, t in enumerate(nets.split())]
    if reserve_ends:
        used += [N((pool.network_address, 32)), N((pool.broadcast_address, 32))]
    lo, end = int(pool.network_address), int(pool.broadcast_address) + 1
    gaps, at = [], lo
    for b in ipaddress.collapse_addresses(used):
        first, last = int(b.network_address), int(b.broadcast_address)
        if last < at or first >= end:
            continue
        if first > at:
            gaps.append([at, first])
        at = max(at, last + 1)
    if at < end:
        gaps.append([at, end])
    return gaps


def first_fit(gaps, size, skip=None):
    for g in gaps:
        lo, end = g
        if skip:
            lo, end = max(lo, skip[0] + 1), min(end, skip[1])
        c = (lo + size - 1) // size * size
        if c + size <= end:
            return c
    return None


def take(gaps, first, end):
    out = []
    for lo, hi in gaps:
        if hi <= first or lo >= end:
            out.append([lo, hi])
            continue
        if lo < first:
            out.append([lo, first])
        if end < hi:
            out.append([end, hi])
    gaps[:] = out


def next_subnw(parent, prefix, nets, prefixes, wanted):
    pool = N((A(parent), int(prefix)))
    size = 1 << (32 - int(wanted))
    skip = (int(pool.network_address), int(pool.broadcast_address)) if int(wanted) == 32 else None
    c = first_fit(used_gaps(pool, nets, prefixes), size, skip)
    return str(A(c)) if c is not None else None


def aggregate(nets, prefixes):
    ps = [int(p) for p in prefixes.split()]
    blocks = ipaddress.collapse_addresses(N((A(t), ps[i]), strict=False) for i, t in enumerate(nets.split()))
    return " ".join(str(b) for b in blocks)


def natx(pool_text, prefix, nets, prefixes, count):
    pool = N((A(pool_text), int(prefix)))
    gaps = used_gaps(pool, nets, prefixes)
    ends = (int(pool.network_address), int(pool.broadcast_address))
    count, taken, out = int(count), 0, []
    while taken < count:
        d = (count - taken).bit_length() - 1
        while True:
            c = first_fit(gaps, 1 << d, ends if d == 0 else None) if 32 - d >= pool.prefixlen else None
            if c is not None or d == 0:
                break
            d //= 2
        if c is None:
            return None
        take(gaps, c, c + (1 << d))
        taken += 1 << d
        out.extend(str(A(a)) for a in range(c, c + (1 << d)))
    return " ".join(out)


def natnet_contiguous(pool_text, prefix, nets, prefixes, count):
    pool = N((A(pool_text), int(prefix)))
    count = int(count)
    least = bin(count).count("1")
    best = None
    for lo, end in used_gaps(pool, nets, prefixes, count == 1):
        for w in range(lo, end - count + 1):
            blocks = list(ipaddress.summarize_address_range(A(w), A(w + count - 1)))
            if best is None or len(blocks) < len(best):
                best = blocks
            if len(best) == least:
                return best
    return best


WORK = {
    "fornw": fornw,
    "validate_network": validate_network,
    "validate_subnetwork": validate_subnetwork,
    "pool_ranges": pool_ranges,
    "net_pool_ranges": net_pool_ranges,
    "address_list": address_list,
    "next_subnw": next_subnw,
    "aggregate": aggregate,
    "natx": natx,
    "natnet_contiguous": natnet_contiguous,
}


def main():
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 0.3
    with open(sys.argv[1]) as f:
        for line in f:
            name, *args = line.rstrip("\n").split("\t")
            fn = WORK[name]
            calls, t0 = 0, time.perf_counter()
            while True:
                fn(*args)
                calls += 1
                elapsed = time.perf_counter() - t0
                if elapsed >= seconds:
                    break
            print("%s\t%.3f" % (name, calls / elapsed), flush=True)


if __name__ == "__main__":
    main()
