#include "addrmodel.h"

#include <algorithm>
#include <arpa/inet.h>
#include <bit>
#include <cassert>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

std::string strprintf(const char *format, ...) {
    char small[256];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::string out(static_cast<size_t>(n), '\0');
    va_start(ap, format);
    std::vsnprintf(out.data(), out.size() + 1, format, ap);
    va_end(ap);
    return out;
}

// Messages print list items, which are not NUL-terminated.
static std::string str(std::string_view v) { return std::string(v); }

int format_ip(ip_t addr, char *out) {
    char *p = out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        unsigned octet = (addr >> shift) & 0xFFu;
        if (octet >= 100) *p++ = static_cast<char>('0' + octet / 100);
        if (octet >= 10) *p++ = static_cast<char>('0' + octet / 10 % 10);
        *p++ = static_cast<char>('0' + octet % 10);
        if (shift) *p++ = '.';
    }
    *p = '\0';
    assert(p - out <= 15);  // "255.255.255.255": 16 bytes with the NUL
    return static_cast<int>(p - out);
}

int inet_pton4(std::string_view text, unsigned char dst[4]) {
    unsigned char bytes[4];
    int octets = 0;
    size_t i = 0;
    while (true) {
        if (octets == 4) return 0;
        unsigned value = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            if (value > 255) return 0;
            ++i;
        }
        if (i == start) return 0;
        bytes[octets++] = static_cast<unsigned char>(value);
        if (i == text.size()) break;
        if (text[i] != '.') return 0;
        ++i;
    }
    if (octets != 4) return 0;
    std::memcpy(dst, bytes, 4);
    return 1;
}

static ip_t from_bytes(const unsigned char b[4]) {
    ip_t net;
    std::memcpy(&net, b, 4);
    return ntohl(net);
}

ip_t numberize(std::string_view text) {
    unsigned char b[4];
    return inet_pton4(text, b) ? from_bytes(b) : 0xFFFFFFFFu;
}

bool inet_ntop4(const unsigned char src[4], char *dst, size_t size) {
    char tmp[16];
    int n = std::snprintf(tmp, sizeof tmp, "%u.%u.%u.%u", src[0], src[1], src[2], src[3]);
    if (n < 0 || static_cast<size_t>(n) >= size) return false;
    std::memcpy(dst, tmp, static_cast<size_t>(n) + 1);
    return true;
}

const char *denumberize(ip_t addr) {
    static char buffer[16];
    ip_t net = htonl(addr);
    unsigned char b[4];
    std::memcpy(b, &net, 4);
    inet_ntop4(b, buffer, sizeof buffer);
    return buffer;
}

int multicast_reservedrange(std::string_view address) {
    unsigned char b[4];
    if (!inet_pton4(address, b)) return 2;
    ip_t a = from_bytes(b);
    return a >= 0xE0000000u && a <= 0xE00001FFu ? 0 : 2;  // 224.0.0.0 .. 224.0.1.255
}

char get_class(ip_t addr) {
    if (addr < 0x7F000000u) return 'a';
    if (addr < 0xC0000000u) return 'b';
    if (addr <= 0xDFFFFFFFu) return 'c';
    if (addr < 0xF0000000u) return 'd';
    return 'e';
}

int parse_ipaddress(std::string_view text, ip_t *addr, std::string &err) {
    unsigned char b[4];
    if (!inet_pton4(text, b)) {
        err = strprintf("Error: Invalid ipaddress specified: %s\n", str(text).c_str());
        return 1;
    }
    *addr = from_bytes(b);
    return 0;
}

int validate_ipaddress(std::string_view text, ip_t *addr, std::string &err) {
    ip_t a;
    if (parse_ipaddress(text, &a, err)) return 1;
    if (get_class(a) == 'd') {
        err = strprintf("Error: ipaddress %s comes in class %c \n", str(text).c_str(), 'd');
        return 5;
    }
    *addr = a;
    return 0;
}

int validate_network(std::string_view text, int prefix, ip_t *network, std::string &err) {
    if (prefix < 2 || prefix > 32) {
        err = strprintf("Error : Invalid prefix specified: %d\n", prefix);
        return 1;
    }
    ip_t a;
    if (int rc = validate_ipaddress(text, &a, err)) return rc;
    if (a & ~mask_of(prefix)) {
        err = strprintf("Error : Network (%s) is not for prefix: %d\n", str(text).c_str(), prefix);
        return 1;
    }
    *network = a;
    return 0;
}

int compute_network(std::string_view text, int prefix, ip_t *network, std::string &err) {
    ip_t a;
    if (validate_ipaddress(text, &a, err)) return 2;
    if (prefix < 1 || prefix > 32) {
        err = strprintf("Error : Invalid prefix value : %d\n", prefix);
        return 2;
    }
    *network = a & mask_of(prefix);
    return 0;
}

ip_t set_bits_from_right(int n) {
    n = std::clamp(n, 0, 32);
    return static_cast<ip_t>((std::uint64_t{1} << n) - 1);
}

void SortIPAddress(ip_t *addrs, int count) {
    if (count > 1) std::sort(addrs, addrs + count);
}

size_t first_repeat(const std::vector<ip_t> &values) {
    std::vector<std::pair<ip_t, size_t>> v(values.size());
    for (size_t i = 0; i < values.size(); ++i) v[i] = {values[i], i};
    std::sort(v.begin(), v.end());
    size_t at = values.size();
    for (size_t i = 1; i < v.size(); ++i)
        if (v[i].first == v[i - 1].first) at = std::min(at, v[i].second);
    return at;
}

void findsubnet(ip_t low, ip_t high, ip_t *network, int *prefix) {
    int n = static_cast<int>(std::bit_width(low ^ high));
    *network = low & mask_of(32 - n);
    *prefix = 32 - n;
}

void findsubnetforprefix(ip_t low, ip_t high, ip_t *network, int limit) {
    int n = std::max(static_cast<int>(std::bit_width(low ^ high)), 32 - limit);
    *network = low & mask_of(32 - std::clamp(n, 0, 32));
}

void bestfit(ip_t first, std::uint64_t end, std::uint64_t slack, ip_t *network, int *prefix) {
    int n = static_cast<int>(std::bit_width(first ^ end));  // up to 33 when END is 2^32
    auto cleared = [first](int bits) { return bits >= 32 ? std::uint64_t{0} : first & ~((std::uint64_t{1} << bits) - 1); };
    std::uint64_t f = cleared(n);
    while (!(f + slack >= first && f + (std::uint64_t{1} << n) <= end + slack)) {
        if (n < 1) break;
        --n;
        f = cleared(n);
    }
    *network = static_cast<ip_t>(f);
    *prefix = 32 - std::min(n, 32);
}

bool read_items(std::string_view list, int max, std::vector<std::string_view> &items, std::string &err) {
    items.clear();
    size_t i = 0;
    while (true) {
        while (i < list.size() && list[i] == ' ') ++i;
        if (i == list.size()) return true;
        size_t start = i;
        while (i < list.size() && list[i] != ' ') ++i;
        if (static_cast<int>(items.size()) == max) {
            err = strprintf("Error : List holds more than %d items\n", max);
            return false;
        }
        items.push_back(list.substr(start, i - start));
    }
}

int list_int(std::string_view item) {
    size_t i = 0;
    while (i < item.size() && (item[i] == ' ' || (item[i] >= '\t' && item[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) negative = item[i++] == '-';
    long long value = 0;
    for (; i < item.size() && item[i] >= '0' && item[i] <= '9'; ++i) {
        value = value * 10 + (item[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool read_prefixes(std::string_view list, int max, std::vector<int> &prefixes, std::string &err) {
    std::vector<std::string_view> items;
    if (!read_items(list, max, items, err)) return false;
    prefixes.clear();
    prefixes.reserve(items.size());
    for (auto item : items) prefixes.push_back(list_int(item));
    return true;
}

bool read_addresses(std::string_view list, int max, std::vector<Address> &addrs, std::string &err) {
    std::vector<std::string_view> items;
    if (!read_items(list, max, items, err)) return false;
    addrs.clear();
    addrs.reserve(items.size());
    for (auto item : items) {
        ip_t a;
        if (validate_ipaddress(item, &a, err)) return false;
        addrs.push_back({a, item});
    }
    return true;
}

bool read_networks(std::string_view networks, std::string_view prefixes, const PairedLists &how,
                   std::vector<Network> &out, std::string &err) {
    std::vector<int> pfx;
    if (!read_prefixes(prefixes, kMaxListItems, pfx, err)) return false;
    std::vector<std::string_view> items;
    if (!read_items(networks, kMaxListItems, items, err)) return false;
    const char *end_message = how.end_message ? how.end_message : how.count_message;
    out.clear();
    out.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (i >= pfx.size()) {
            err = strprintf(how.count_message, static_cast<int>(pfx.size()), static_cast<int>(i + 1));
            return false;
        }
        ip_t a;
        int bad = how.clear_host_bits ? compute_network(items[i], pfx[i], &a, err)
                                      : validate_network(items[i], pfx[i], &a, err);
        if (bad) {
            if (how.bad_message) err = strprintf(how.bad_message, str(items[i]).c_str(), pfx[i]);
            return false;
        }
        out.push_back({a, pfx[i], items[i]});
    }
    if (out.size() != pfx.size() || (how.refuse_empty && out.empty())) {
        err = strprintf(end_message, static_cast<int>(pfx.size()), static_cast<int>(out.size()));
        return false;
    }
    return true;
}

int extractipandprefixlst(std::string_view networks, std::string_view prefixes,
                          std::vector<Network> &out, std::string &err) {
    return read_networks(networks, prefixes,
                         "Error No of prefix's is less than the no of ipaddress : %d %d\n", out, err)
               ? 0
               : 2;
}
