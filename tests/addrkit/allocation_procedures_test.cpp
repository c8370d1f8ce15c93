// The subnet, aggregation, host and NAT procedures as the agent calls them:
// texts of answers and messages, indicators, and the faults mended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_check.h"

namespace {

using addrtest::Case;
using Allocation = addrtest::ProcedureSuite;
const std::string N = "<null>";

TEST_F(Allocation, NextSubnet) {
    run({
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0", "26", "26"}, 0, {{"result", "10.0.0.64"}, {"error", N}}},
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0", "25", "26"}, 0, {{"result", "10.0.0.128"}}},
        {"C_get_next_subnw", {"10.0.0.0", "30", "", "", "32"}, 0, {{"result", "10.0.0.1"}}},
        // Overlapping used blocks and blocks outside the parent.
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.64 10.0.0.0 10.1.0.0", "26 25 16", "25"}, 0, {{"result", "10.0.0.128"}}},
        {"C_get_next_subnw", {"10.0.0.0", "24", "", "", "23"}, 2,
         {{"result", N}, {"error", "Error : Invalid prefix: 23 for network : 10.0.0.0\n"}}},
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0", "24", "26"}, 2,
         {{"result", N}, {"error", "Error : No networks for the required prefix (26)  available in 10.0.0.0 24\n"}}},
        {"C_get_next_subnw", {"10.0.0.1", "24", "", "", "26"}, 2, {{"error", "Error : Network (10.0.0.1) is not for prefix: 24\n"}}},
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0 10.0.0.4", "30", "30"}, 2,
         {{"error", "Error No of prefix's is less than the no of ipaddress : 1 2\n"}}},
        {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0", "30 30", "30"}, 2,
         {{"error", "Error No of prefix's is less than the no of ipaddress : 2 1\n"}}},
        // The top of the space: full means full, not 0.0.0.0.
        {"C_get_next_subnw", {"255.255.255.252", "30", "", "", "32"}, 0, {{"result", "255.255.255.253"}}},
        {"C_get_next_subnw", {"255.255.255.252", "30", "255.255.255.253 255.255.255.254", "32 32", "32"}, 2,
         {{"result", N}, {"error", "^Error : No networks for the required prefix (32)"}}},
        {"C_get_next_subnw", {"255.255.255.252", "30", "255.255.255.252", "30", "31"}, 2, {{"result", N}}},
    });
}

TEST_F(Allocation, MaximumSubnetSize) {
    std::string many, prefixes;
    for (int i = 0; i < 3; ++i) {
        many += "0.0.0.0 ";
        prefixes += "2 ";
    }
    run({
        {"C_get_maxsubnw_size", {"10.0.0.0", "24", "10.0.0.0", "25"}, 0,
         {{"parentsize", "256"}, {"usedtotal", "128"}, {"largest", "128"}, {"error", N}}},
        {"C_get_maxsubnw_size", {"10.0.0.0", "24", "10.0.0.0", "24"}, 0, {{"usedtotal", "256"}, {"largest", "0"}, {"error", N}}},
        {"C_get_maxsubnw_size", {"10.0.0.0", "24", "10.0.0.1 10.0.0.64", "32 26"}, 0, {{"largest", "128"}}},
        // Only the parent's network and broadcast addresses are free: 1.
        {"C_get_maxsubnw_size", {"10.0.0.0", "30", "10.0.0.1 10.0.0.2", "32 32"}, 0, {{"largest", "1"}}},
        // Three /2 blocks: the total stops at the int range's top.
        {"C_get_maxsubnw_size", {"10.0.0.0", "8", many, prefixes}, 0, {{"parentsize", "16777216"}, {"usedtotal", "2147483647"}, {"largest", "0"}}},
        {"C_get_maxsubnw_size", {"10.0.0.0", "33", "", ""}, 2, {{"usedtotal", "0"}, {"error", "Error : Invalid prefix specified: 33\n"}}},
        {"C_get_maxsubnw_size", {"10.0.0.0", "24", "10.0.0.0", ""}, 2,
         {{"error", "Error No of prefix's is less than the no of ipaddress : 0 1\n"}}},
    });
}

TEST_F(Allocation, AggregateToOneAndToPrefix) {
    run({
        {"C_aggregate_toone", {"10.0.0.0 10.0.1.0", "24 24"}, 0, {{"result", "10.0.0.0"}, {"prefix", "23"}, {"error", N}}},
        {"C_aggregate_toone", {"10.0.0.0 10.0.2.0", "24 24"}, 0, {{"result", "10.0.0.0"}, {"prefix", "22"}}},
        {"C_aggregate_toone", {"10.0.0.77", "24"}, 0, {{"result", "10.0.0.0"}, {"prefix", "24"}}},
        // Ends that differ in the top bit share only the whole space.
        {"C_aggregate_toone", {"10.0.0.0 200.0.0.0", "8 8"}, 0, {{"result", "0.0.0.0"}, {"prefix", "0"}}},
        {"C_aggregate_toone", {"10.0.0.0", "24 24"}, 2,
         {{"result", N}, {"error", "Error : No of prefix is not equal to the no of addr : 2 1\n"}}},
        {"C_aggregate_toone", {"", ""}, 2, {{"error", "Error : No of prefix is not equal to the no of addr : 0 0\n"}}},
        {"C_aggregate_toone", {"10.0.0.0 10.0.1.0", "24"}, 2,
         {{"error", "Error : No of prefix is less than the no of addr : 1 2\n"}}},
        {"C_aggregate_toone", {"224.0.0.0", "4"}, 2, {{"error", "Error: ipaddress 224.0.0.0 comes in class d \n"}}},
        {"C_aggregate_toprefix", {"10.0.0.0 10.0.1.0", "24 24", "16"}, 0, {{"result", "10.0.0.0"}, {"error", N}}},
        {"C_aggregate_toprefix", {"10.0.0.0 10.0.1.0", "24 24", "24"}, 2,
         {{"result", N}, {"error", "Error : Network 10.0.1.0/24 is outside the parent network : 10.0.0.0 24\n"}}},
        {"C_aggregate_toprefix", {"10.0.0.0", "24", "0"}, 2, {{"result", N}, {"error", "Error : Invalid prefix value : 0\n"}}},
        {"C_aggregate_toprefix", {"10.0.0.0", "24", "33"}, 2, {{"error", "Error : Invalid prefix value : 33\n"}}},
        {"C_aggregate_toprefix", {"", "", "16"}, 2, {{"error", "Error : No of prefix is less than the no of addr : 0 0\n"}}},
    });
}

TEST_F(Allocation, AggregateCoversTheUnion) {
    run({
        {"C_aggregate", {"10.0.0.0 10.0.1.0", "24 24"}, 0, {{"networklist", "10.0.0.0 "}, {"prefixlist", "23 "}, {"error", N}}},
        {"C_aggregate", {"10.0.1.0 10.0.2.0", "24 24"}, 0, {{"networklist", "10.0.1.0 10.0.2.0 "}, {"prefixlist", "24 24 "}}},
        {"C_aggregate", {"10.0.0.1", "24"}, 0, {{"networklist", "10.0.0.0 "}, {"prefixlist", "24 "}}},
        // A /16 and a /24 inside it give the /16; overlapping runs end at
        // the largest end.
        {"C_aggregate", {"10.1.5.0 10.1.0.0", "24 16"}, 0, {{"networklist", "10.1.0.0 "}, {"prefixlist", "16 "}}},
        {"C_aggregate", {"10.0.0.0 10.0.0.128 10.0.0.0 10.0.1.0", "24 25 25 24"}, 0,
         {{"networklist", "10.0.0.0 "}, {"prefixlist", "23 "}}},
        // Runs across 128.0.0.0: exactly their addresses.
        {"C_aggregate", {"127.255.255.254 128.0.0.0", "31 31"}, 0,
         {{"networklist", "127.255.255.254 128.0.0.0 "}, {"prefixlist", "31 31 "}}},
        {"C_aggregate", {"128.0.0.0 0.0.0.0", "1 1"}, 0, {{"networklist", "0.0.0.0 "}, {"prefixlist", "0 "}}},
        {"C_aggregate", {"255.255.255.254 255.255.255.252", "31 31"}, 0,
         {{"networklist", "255.255.255.252 "}, {"prefixlist", "30 "}}},
        {"C_aggregate", {"", ""}, 2,
         {{"networklist", N}, {"prefixlist", N}, {"error", "Error : No of prefix is less than the no of addr : 0 0\n"}}},
        {"C_aggregate", {"10.0.0.0", "0"}, 2, {{"networklist", N}, {"error", "Error : Invalid prefix value : 0\n"}}},
    });
}

TEST_F(Allocation, HostAddresses) {
    run({
        {"C_get_ipaddress_fornw", {"10.0.0.0", "30", "10.0.0.1"}, 0, {{"result", "10.0.0.2"}, {"error", N}}},
        {"C_get_ipaddress_fornw", {"10.0.0.0", "30", "10.0.0.1 10.0.0.2"}, 2,
         {{"result", N}, {"error", "Error : No Free address available for this network : 10.0.0.0 30\n"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.0", "30", "10.0.0.0"}, 2,
         {{"error", "Error : IP address 10.0.0.0 is invalid for the network/prefix : 10.0.0.0 30"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.9 10.0.0.1 10.0.0.9"}, 2,
         {{"error", "Error :Duplicate ip address 10.0.0.9 . Address already assigned\n"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.7", "32", ""}, 0, {{"result", "10.0.0.7"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.6", "31", ""}, 2, {{"error", "^Error : No Free address"}}},
        {"C_get_ipaddress_fornw", {"255.255.255.252", "30", "255.255.255.254 255.255.255.253"}, 2,
         {{"result", N}, {"error", "Error : No Free address available for this network : 255.255.255.252 30\n"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.1 1.2.3"}, 2,
         {{"result", N}, {"error", "Error: Invalid ipaddress specified: 1.2.3\n"}}},
        {"C_get_ipaddress_fornw", {"10.0.0.1", "24", ""}, 2, {{"result", N}, {"error", "Error : Network (10.0.0.1) is not for prefix: 24\n"}}},
        {"C_get_ipaddress_nat", {"10.0.0.0", "24", "224.0.0.1"}, 2, {{"result", N}, {"error", "Error: ipaddress 224.0.0.1 comes in class d \n"}}},
        {"C_get_ipaddress_nat", {"10.0.0.0", "30", ""}, 0, {{"result", "10.0.0.0"}, {"error", N}}},
        {"C_get_ipaddress_nat", {"10.0.0.0", "30", "10.0.0.0 10.0.0.2 10.0.0.3"}, 0, {{"result", "10.0.0.1"}}},
        {"C_get_ipaddress_nat", {"10.0.0.0", "30", "10.0.0.4"}, 2,
         {{"error", "Error : ip address 10.0.0.4 is invalid for the network/prefix : 10.0.0.0 30"}}},
        // A full /30 at the top of the space has no free address.
        {"C_get_ipaddress_nat", {"255.255.255.252", "30", "255.255.255.252 255.255.255.253 255.255.255.254 255.255.255.255"}, 2,
         {{"result", N}, {"error", "Error : No Free address available for this network: 255.255.255.252 30\n"}}},
        {"C_get_ipaddress_forptopnw", {"10.0.0.0", "30", "10.0.0.1"}, 0, {{"first", "10.0.0.2"}, {"second", "10.0.0.3"}, {"error", N}}},
        {"C_get_ipaddress_forptopnw", {"10.0.0.0", "29", "10.0.0.1 10.0.0.3"}, 0, {{"first", "10.0.0.2"}, {"second", "10.0.0.4"}}},
        {"C_get_ipaddress_forptopnw", {"10.0.0.0", "31", ""}, 2,
         {{"first", N}, {"second", N}, {"error", "Error : No Free address available for this network : 10.0.0.0 31\n"}}},
        {"C_get_ipaddress_forptopnw", {"10.0.0.0", "30", "10.0.0.0"}, 2,
         {{"first", N}, {"error", "Error : IP address 10.0.0.0 is invalid for the network/prefix"}}},
        {"C_get_ipaddress_forptopnw", {"255.255.255.252", "30", "255.255.255.253 255.255.255.254"}, 2, {{"first", N}}},
    });
}

TEST_F(Allocation, AddressAtAnOffset) {
    run({
        {"C_get_ipaddress_foroff", {"10.0.0.0", "30", "3"}, 0, {{"result", "10.0.0.3"}, {"error", N}}},
        // Failures leave the result NOT NULL (and empty).
        {"C_get_ipaddress_foroff", {"10.0.0.0", "30", "0"}, 2,
         {{"result", ""},
          {"error", "Error : Ip address 10.0.0.0  computed with the provided offset is invalid for the network/prefix :"}}},
        {"C_get_ipaddress_foroff", {"10.0.0.0", "30", "4"}, 2, {{"result", ""}, {"error", "^Error : Ip address 10.0.0.4  computed"}}},
        // An offset that wraps past 255.255.255.255 (-1 is 4294967295).
        {"C_get_ipaddress_foroff", {"255.255.255.252", "30", "-1"}, 2, {{"error", "^Error : Ip address 255.255.255.251  computed"}}},
        {"C_get_ipaddress_foroff", {"255.255.255.252", "30", "3"}, 0, {{"result", "255.255.255.255"}}},
        {"C_get_ipaddress_foroff", {"10.0.0.1", "30", "1"}, 2, {{"result", ""}, {"error", "Error : Network (10.0.0.1) is not for prefix: 30\n"}}},
    });
}

TEST_F(Allocation, ScatteredNatAddresses) {
    run({
        // A block of 2 (the pool's network address included) and one of 1.
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "", "", "3", "0"}, 0,
         {{"result", "10.0.0.0 10.0.0.1 10.0.0.2 "}, {"error", N}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "", "", "1", "0"}, 0, {{"result", "10.0.0.1 "}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "", "", "0", "0"}, 0, {{"result", ""}, {"error", N}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "10.0.0.2", "32", "3", "0"}, 0, {{"result", "10.0.0.0 10.0.0.1 10.0.0.3 "}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "10.0.0.2", "32", "3", "1"}, 2,
         {{"result", N}, {"error", "Error :Failed to allocated 3 of addresses from this pool : 10.0.0.0 24\n"}}},
        // No /29 is free: the exponent halves from 3 to 1, so /31 blocks
        // come first.
        {"C_get_ipaddress_natx", {"10.0.0.0", "28", "10.0.0.2 10.0.0.12", "32 32", "8", "0"}, 0,
         {{"result", "10.0.0.0 10.0.0.1 10.0.0.4 10.0.0.5 10.0.0.6 10.0.0.7 10.0.0.8 10.0.0.9 "}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "", "", "-1", "0"}, 2,
         {{"result", N}, {"error", "Error :Failed to allocated -1 of addresses from this pool : 10.0.0.0 24\n"}}},
        {"C_get_ipaddress_natx", {"10.0.0.0", "24", "", "", "300", "0"}, 2, {{"error", "^Error :Failed to allocated 300 "}}},
        {"C_get_ipaddress_natx", {"10.0.0.1", "24", "", "", "3", "0"}, 2, {{"error", "^Error :Failed to allocated 3 "}}},
    });
}

TEST_F(Allocation, NatNetworks) {
    run({
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "0", "0", "0"}, 0,
         {{"networklist", ""}, {"prefixlist", ""}, {"error", N}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "0", "0"}, 0,
         {{"networklist", "10.0.0.0 10.0.0.2 "}, {"prefixlist", "31 32 "}, {"error", N}}},
        // Expanded: network and broadcast reserved, single addresses.
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "0", "1"}, 0,
         {{"networklist", "10.0.0.2 10.0.0.3 10.0.0.1 "}, {"prefixlist", "32 32 32 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "0", "2"}, 0,
         {{"networklist", "10.0.0.2 10.0.0.1 "}, {"prefixlist", "31 32 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "1", "0"}, 0,
         {{"networklist", "10.0.0.0 10.0.0.2 "}, {"prefixlist", "31 32 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "1", "1"}, 0,
         {{"networklist", "10.0.0.1 10.0.0.2 10.0.0.3 "}, {"prefixlist", "32 32 32 "}}},
        // The first window that takes one block.
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "10.0.0.0", "32", "4", "1", "0"}, 0,
         {{"networklist", "10.0.0.4 "}, {"prefixlist", "30 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "30", "10.0.0.1", "32", "3", "1", "0"}, 2,
         {{"networklist", N}, {"prefixlist", N}, {"error", "Error :Failed to allocate contiguous 3 addresses from this pool : 10.0.0.0 30\n"}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "300", "1", "0"}, 2,
         {{"error", "Error :Failed to allocate 300 addresses from this pool : 10.0.0.0 24\n"}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "10.0.0.1", "24", "3", "1", "0"}, 2,
         {{"error", "Invalid network address or prefix : 10.0.0.1 / 24 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "10.0.0.0 10.0.0.4", "30", "3", "1", "0"}, 2,
         {{"error", "Error No of prefix's is less than the no of ipaddress : 1 2\n"}}},
        {"C_get_ipaddress_natnet", {"10.0.0.1", "24", "", "", "3", "0", "0"}, 2,
         {{"networklist", N}, {"prefixlist", N}, {"error", "Invalid network address or prefix : 10.0.0.1 / 24 "}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "3", "2", "0"}, 2,
         {{"error", "Error :Failed to allocate 3 of addresses from this pool : 10.0.0.0 24\n"}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "24", "", "", "-4", "0", "0"}, 2,
         {{"error", "Error :Failed to allocate -4 of addresses from this pool : 10.0.0.0 24\n"}}},
        {"C_get_ipaddress_natnet", {"10.0.0.0", "30", "", "", "5", "0", "0"}, 2, {{"error", "^Error :Failed to allocate 5 of"}}},
    });
}

}  // namespace
