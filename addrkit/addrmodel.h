// The address model under every address procedure: dotted quads to numbers
// and back, classes, checks of addresses and networks, sorting, covering
// blocks, and the one reader of list texts.
//
// Addresses are unsigned 32-bit numbers in host order. Block ends and sizes
// are computed in 64 bits, so a block that ends at 255.255.255.255 ends there
// instead of wrapping to 0.0.0.0.
#ifndef NDL_ADDRMODEL_H
#define NDL_ADDRMODEL_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using ip_t = std::uint32_t;

// Working lists hold at most this many items; C_PoolRanges more.
constexpr int kMaxListItems = 5000;
constexpr int kMaxPoolAddresses = 30000;

// 2^(32 - prefix) for a prefix 0..32.
inline std::uint64_t block_size(int prefix) { return std::uint64_t{1} << (32 - prefix); }
// Last address of the block network/prefix.
inline ip_t block_last(ip_t network, int prefix) {
    return static_cast<ip_t>(network + block_size(prefix) - 1);
}
// Netmask of a prefix 0..32.
inline ip_t mask_of(int prefix) { return static_cast<ip_t>(~(block_size(prefix) - 1)); }

// Writes the dotted form of ADDR into OUT (16 bytes at least); returns its
// length.
int format_ip(ip_t addr, char *out);

// 1 when TEXT is exactly four dot-separated decimal octets 0..255 (leading
// zeros are digits), with the bytes in network order; else 0.
int inet_pton4(std::string_view text, unsigned char dst[4]);
// The address of TEXT; 0xFFFFFFFF when TEXT is not a dotted quad.
ip_t numberize(std::string_view text);
// "%u.%u.%u.%u" of the bytes; false (nothing written) when SIZE is too small.
bool inet_ntop4(const unsigned char src[4], char *dst, std::size_t size);
// The dotted text of ADDR in a static buffer that the next call overwrites.
const char *denumberize(ip_t addr);

// 0 when ADDRESS lies in 224.0.0.0-224.0.0.255 or 224.0.1.0-224.0.1.255.
int multicast_reservedrange(std::string_view address);
// 'a' .. 'e'; 127.x.x.x counts as 'b'.
char get_class(ip_t addr);

// The checks below put their message into ERR on failure.
// 0; 1 for a text that is no dotted quad; 5 for a class D address.
int validate_ipaddress(std::string_view text, ip_t *addr, std::string &err);
// Like validate_ipaddress, but any class passes: 0 or 1.
int parse_ipaddress(std::string_view text, ip_t *addr, std::string &err);
// 0 when the prefix is 2..32, the address valid and its host bits clear.
int validate_network(std::string_view text, int prefix, ip_t *network, std::string &err);
// 0 and the address with its host bits cleared (prefix 1..32); else 2.
int compute_network(std::string_view text, int prefix, ip_t *network, std::string &err);

// A number with the N lowest bits set (N 0..32).
ip_t set_bits_from_right(int n);

void SortIPAddress(ip_t *addrs, int count);
// The position of the earliest second appearance of a value; VALUES.size()
// when every value is there once.
std::size_t first_repeat(const std::vector<ip_t> &values);

// The smallest aligned block holding LOW and HIGH; 0.0.0.0/0 when they
// differ in the top bit.
void findsubnet(ip_t low, ip_t high, ip_t *network, int *prefix);
// As findsubnet, never longer than LIMIT.
void findsubnetforprefix(ip_t low, ip_t high, ip_t *network, int limit);
// The largest aligned block that starts at FIRST and ends before END (one
// past the last address to cover), with SLACK addresses of tolerance.
void bestfit(ip_t first, std::uint64_t end, std::uint64_t slack, ip_t *network, int *prefix);
// List texts: items separated by blanks (runs of blanks are one separator).
// Each reader refuses more than MAX items with a message in ERR.
struct Address {
    ip_t value;
    std::string_view text;  // as the caller wrote it
};
struct Network {
    ip_t address;
    int prefix;
    std::string_view text;
};

bool read_items(std::string_view list, int max, std::vector<std::string_view> &items, std::string &err);
// Decimal with the standard conversion's leniency: a non-number reads as 0;
// out-of-range values saturate instead of wrapping.
int list_int(std::string_view item);
bool read_prefixes(std::string_view list, int max, std::vector<int> &prefixes, std::string &err);
// Every item through validate_ipaddress; the first bad one ends the read.
bool read_addresses(std::string_view list, int max, std::vector<Address> &addrs, std::string &err);
// How a pair of network and prefix lists is read. The messages take the
// prefix count and the network count ("...%d %d").
struct PairedLists {
    const char *count_message;             // a network without a prefix
    const char *end_message = nullptr;     // unequal counts at the end (else count_message)
    bool refuse_empty = false;             // no items at all fails with end_message
    bool clear_host_bits = false;          // compute_network instead of validate_network
    const char *bad_message = nullptr;     // "...%s...%d" in place of the check's own message
};
// The prefix list first, then the networks, item i with prefix i.
bool read_networks(std::string_view networks, std::string_view prefixes, const PairedLists &how,
                   std::vector<Network> &out, std::string &err);
// Through validate_network, with one message for both count checks.
inline bool read_networks(std::string_view networks, std::string_view prefixes, const char *count_message,
                          std::vector<Network> &out, std::string &err) {
    return read_networks(networks, prefixes, PairedLists{count_message}, out, err);
}
// The paired reader with its own counting message; 0 or 2.
int extractipandprefixlst(std::string_view networks, std::string_view prefixes,
                          std::vector<Network> &out, std::string &err);

// printf into a std::string.
std::string strprintf(const char *format, ...) __attribute__((format(printf, 1, 2)));

#endif
