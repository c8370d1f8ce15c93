// The address model: dotted quads, classes, checks, covering blocks, lists.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "addrmodel.h"

namespace {

ip_t ip(const char *text) { return numberize(text); }

TEST(DottedQuad, AcceptsExactlyFourDecimalOctets) {
    struct Case {
        const char *text;
        int ok;
    } cases[] = {
        {"1.2.3.4", 1},       {"0.0.0.0", 1},     {"255.255.255.255", 1}, {"001.002.003.004", 1},
        {"0000.0.0.1", 1},    {"1.2.3", 0},       {"1.2.3.4.5", 0},       {"1..2.3", 0},
        {"256.1.1.1", 0},     {"1.2.3.4.", 0},    {".1.2.3", 0},          {"", 0},
        {"1.2.3.-4", 0},      {"1.2.3.4 ", 0},    {"a.b.c.d", 0},         {"1.2.3.99999999999", 0},
    };
    for (const Case &c : cases) {
        unsigned char b[4];
        EXPECT_EQ(inet_pton4(c.text, b), c.ok) << c.text;
    }
    EXPECT_EQ(ip("001.002.003.004"), 0x01020304u);
    EXPECT_EQ(ip("junk"), 0xFFFFFFFFu);  // indistinguishable from the top address
}

TEST(DottedQuad, FormatsEveryOctetLikePrintf) {
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        ip_t a = rng();
        if (i < 256) a = static_cast<ip_t>(i) * 0x01010101u;
        char mine[16], theirs[32];
        format_ip(a, mine);
        std::snprintf(theirs, sizeof theirs, "%u.%u.%u.%u", a >> 24, (a >> 16) & 255, (a >> 8) & 255, a & 255);
        ASSERT_STREQ(mine, theirs);
        ASSERT_EQ(ip(mine), a);
    }
    EXPECT_STREQ(denumberize(0x0A000001u), "10.0.0.1");
    unsigned char bytes[4] = {255, 255, 255, 255};
    char small[15];
    EXPECT_FALSE(inet_ntop4(bytes, small, sizeof small));  // 15 characters need 16 bytes
    char enough[16];
    EXPECT_TRUE(inet_ntop4(bytes, enough, sizeof enough));
}

TEST(AddressClass, LettersByValue) {
    EXPECT_EQ(get_class(ip("126.255.255.255")), 'a');
    EXPECT_EQ(get_class(ip("127.0.0.1")), 'b');
    EXPECT_EQ(get_class(ip("191.255.255.255")), 'b');
    EXPECT_EQ(get_class(ip("223.255.255.255")), 'c');
    EXPECT_EQ(get_class(ip("239.255.255.255")), 'd');
    EXPECT_EQ(get_class(ip("240.0.0.0")), 'e');
    EXPECT_EQ(multicast_reservedrange("224.0.1.255"), 0);
    EXPECT_EQ(multicast_reservedrange("224.0.0.0"), 0);
    EXPECT_EQ(multicast_reservedrange("224.0.2.0"), 2);
    EXPECT_EQ(multicast_reservedrange("junk"), 2);
}

TEST(AddressChecks, CodesAndMessages) {
    std::string err;
    ip_t a = 0;
    EXPECT_EQ(validate_ipaddress("1.2.3", &a, err), 1);
    EXPECT_EQ(err, "Error: Invalid ipaddress specified: 1.2.3\n");
    EXPECT_EQ(validate_ipaddress("224.1.1.1", &a, err), 5);
    EXPECT_EQ(err, "Error: ipaddress 224.1.1.1 comes in class d \n");
    EXPECT_EQ(validate_ipaddress("250.1.1.1", &a, err), 0);  // class E passes
    EXPECT_EQ(parse_ipaddress("224.1.1.1", &a, err), 0);

    EXPECT_EQ(validate_network("10.0.0.0", 8, &a, err), 0);
    EXPECT_EQ(a, ip("10.0.0.0"));
    EXPECT_EQ(validate_network("10.0.0.1", 8, &a, err), 1);
    EXPECT_EQ(err, "Error : Network (10.0.0.1) is not for prefix: 8\n");
    EXPECT_EQ(validate_network("10.0.0.0", 1, &a, err), 1);
    EXPECT_EQ(err, "Error : Invalid prefix specified: 1\n");
    EXPECT_EQ(validate_network("10.0.0.0", 33, &a, err), 1);
    EXPECT_EQ(validate_network("224.0.0.0", 4, &a, err), 5);

    EXPECT_EQ(compute_network("10.1.2.3", 8, &a, err), 0);
    EXPECT_EQ(a, ip("10.0.0.0"));
    EXPECT_EQ(compute_network("10.1.2.3", 0, &a, err), 2);
    EXPECT_EQ(err, "Error : Invalid prefix value : 0\n");
    EXPECT_EQ(compute_network("x", 8, &a, err), 2);

    EXPECT_EQ(set_bits_from_right(0), 0u);
    EXPECT_EQ(set_bits_from_right(8), 255u);
    EXPECT_EQ(set_bits_from_right(32), 0xFFFFFFFFu);
    EXPECT_EQ(mask_of(0), 0u);
    EXPECT_EQ(mask_of(24), 0xFFFFFF00u);
    EXPECT_EQ(block_last(ip("255.255.255.0"), 24), 0xFFFFFFFFu);
}

TEST(CoveringBlocks, FindsubnetAndPrefixLimit) {
    ip_t net;
    int prefix;
    findsubnet(ip("10.0.0.0"), ip("10.0.3.255"), &net, &prefix);
    EXPECT_EQ(net, ip("10.0.0.0"));
    EXPECT_EQ(prefix, 22);
    findsubnet(ip("10.0.0.9"), ip("10.0.0.9"), &net, &prefix);
    EXPECT_EQ(prefix, 32);
    // Ends that differ in the top bit share only the whole space.
    findsubnet(ip("10.0.0.0"), ip("200.0.0.0"), &net, &prefix);
    EXPECT_EQ(net, 0u);
    EXPECT_EQ(prefix, 0);
    findsubnetforprefix(ip("10.0.0.0"), ip("10.0.1.255"), &net, 16);
    EXPECT_EQ(net, ip("10.0.0.0"));
    findsubnetforprefix(ip("10.0.1.0"), ip("10.0.1.255"), &net, 23);
    EXPECT_EQ(net, ip("10.0.0.0"));
    findsubnetforprefix(ip("10.0.0.0"), ip("200.0.0.0"), &net, 8);
    EXPECT_EQ(net, 0u);
}

TEST(CoveringBlocks, BestfitTakesTheLargestAlignedStart) {
    ip_t net;
    int prefix;
    bestfit(ip("10.0.1.0"), ip("10.0.3.0"), 0, &net, &prefix);
    EXPECT_EQ(net, ip("10.0.1.0"));
    EXPECT_EQ(prefix, 24);
    bestfit(ip("10.0.0.0"), ip("10.0.4.0"), 0, &net, &prefix);
    EXPECT_EQ(prefix, 22);
    bestfit(0, std::uint64_t{1} << 32, 0, &net, &prefix);
    EXPECT_EQ(net, 0u);
    EXPECT_EQ(prefix, 0);
    bestfit(ip("255.255.255.0"), std::uint64_t{1} << 32, 0, &net, &prefix);
    EXPECT_EQ(net, ip("255.255.255.0"));
    EXPECT_EQ(prefix, 24);
}


TEST(Lists, BlanksSeparateAndBoundsHold) {
    std::vector<std::string_view> items;
    std::string err;
    EXPECT_TRUE(read_items("", kMaxListItems, items, err));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(read_items("    ", kMaxListItems, items, err));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(read_items("  a   bb c ", kMaxListItems, items, err));
    EXPECT_EQ(items, (std::vector<std::string_view>{"a", "bb", "c"}));
    EXPECT_TRUE(read_items("a\tb", kMaxListItems, items, err));  // only the blank separates
    EXPECT_EQ(items.size(), 1u);

    std::string many;
    for (int i = 0; i < kMaxListItems; ++i) many += "1 ";
    EXPECT_TRUE(read_items(many, kMaxListItems, items, err));
    EXPECT_EQ(items.size(), static_cast<size_t>(kMaxListItems));
    many += "1";
    EXPECT_FALSE(read_items(many, kMaxListItems, items, err));
    EXPECT_EQ(err, "Error : List holds more than 5000 items\n");

    EXPECT_EQ(list_int("24"), 24);
    EXPECT_EQ(list_int("24x"), 24);
    EXPECT_EQ(list_int("x"), 0);
    EXPECT_EQ(list_int("-3"), -3);
    EXPECT_EQ(list_int("99999999999999999999"), INT_MAX);
    EXPECT_EQ(list_int("-99999999999999999999"), INT_MIN);
}

TEST(Lists, PairedNetworksCountAsTheyRead) {
    std::vector<Network> nets;
    std::string err;
    EXPECT_EQ(extractipandprefixlst("10.0.0.0 10.0.1.0", "24 24", nets, err), 0);
    ASSERT_EQ(nets.size(), 2u);
    EXPECT_EQ(nets[1].address, ip("10.0.1.0"));
    EXPECT_EQ(nets[1].text, "10.0.1.0");
    EXPECT_EQ(extractipandprefixlst("10.0.0.0 10.0.1.0 10.0.2.0", "24", nets, err), 2);
    EXPECT_EQ(err, "Error No of prefix's is less than the no of ipaddress : 1 2\n");
    EXPECT_EQ(extractipandprefixlst("10.0.0.0", "24 24 24", nets, err), 2);
    EXPECT_EQ(err, "Error No of prefix's is less than the no of ipaddress : 3 1\n");
    EXPECT_EQ(extractipandprefixlst("10.0.0.1", "24", nets, err), 2);
    EXPECT_EQ(err, "Error : Network (10.0.0.1) is not for prefix: 24\n");
    EXPECT_EQ(extractipandprefixlst("10.0.0.0", "x", nets, err), 2);  // a non-number reads as 0
    EXPECT_EQ(err, "Error : Invalid prefix specified: 0\n");
    EXPECT_EQ(extractipandprefixlst(" ", "", nets, err), 0);
    EXPECT_TRUE(nets.empty());

    std::vector<Address> addrs;
    EXPECT_FALSE(read_addresses("10.0.0.1 224.0.0.1", kMaxListItems, addrs, err));
    EXPECT_EQ(err, "Error: ipaddress 224.0.0.1 comes in class d \n");
}

}  // namespace
