// Each address procedure as the agent calls it, through the host: argument
// order, return codes, indicators and error texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "call_check.h"
#include "host.h"

namespace {

using addrtest::Case;
const std::string N = "<null>";

using AddrProcedures = addrtest::ProcedureSuite;

std::string addresses(const char *prefix, int from, int to) {
    std::string s;
    for (int i = from; i <= to; ++i) s += prefix + std::to_string(i) + " ";
    return s;
}

TEST_F(AddrProcedures, AddressChecks) {
    run({
        {"C_validate_multicastaddr", {"239.1.1.1"}, 0, {{"error", N}}},
        {"C_validate_multicastaddr", {"224.0.2.0"}, 0, {{"error", N}}},
        {"C_validate_multicastaddr", {"224.0.0.5"}, 2, {{"error", "Error : 224.0.0.5 is a reserved multicast address. \n"}}},
        {"C_validate_multicastaddr", {"224.0.1.255"}, 2, {{"error", "^Error : 224.0.1.255 is a reserved"}}},
        {"C_validate_multicastaddr", {"10.1.1.1"}, 2, {{"error", "Error : 10.1.1.1 is not a valid multicast address.\n"}}},
        {"C_validate_multicastaddr", {"junk"}, 2, {{"error", "Error : junk is not a valid multicast address.\n"}}},
        {"C_ValidateAddressRange", {"10.0.0.1", "10.0.0.2"}, 0, {{"error", N}}},
        {"C_ValidateAddressRange", {"10.0.0.1", "10.0.0.1"}, 2,
         {{"error", "Error : Start ip ipaddress (10.0.0.1) greater than or equal to end ip address (10.0.0.1)\n"}}},
        {"C_ValidateAddressRange", {"010.0.0.1", "240.0.0.1"}, 0, {{"error", N}}},
        {"C_ValidateAddressRange", {"10.0.0.1", "224.0.0.1"}, 2, {{"error", "Error: ipaddress 224.0.0.1 comes in class d \n"}}},
        {"C_ValidateIPAddressInRange", {"10.0.0.1", "10.0.0.9", "10.0.0.9"}, 0, {{"error", N}}},
        {"C_ValidateIPAddressInRange", {"10.0.0.1", "10.0.0.9", "10.0.0.10"}, 2,
         {{"error", "Error : Ipaddress (10.0.0.10) not within range for the pool (10.0.0.1 - 10.0.0.9)\n"}}},
        {"C_ValidateIPAddressInRange", {"10.0.0.1", "10.0.0.9", "10.0.0"}, 2,
         {{"error", "Error: Invalid ipaddress specified: 10.0.0\n"}}},
    });
}

TEST_F(AddrProcedures, ContainmentChecks) {
    run({
        {"C_check_subipaddress2", {"10.0.0.0", "24", "10.0.0.255"}, 0, {{"error", N}}},
        {"C_check_subipaddress2", {"10.0.0.0", "1", "10.0.0.1"}, 2, {{"error", "Error : Invalid prefix specified: 1\n"}}},
        {"C_check_subipaddress2", {"10.0.0.0", "24", "10.0.1.0"}, 2,
         {{"error", "Error : ip '10.0.1.0' is not in network 10.0.0.0:24 \n"}}},
        // Junk is an error, not 255.255.255.255.
        {"C_check_subipaddress2", {"junk", "24", "255.255.255.255"}, 2, {{"error", "Error: Invalid ipaddress specified: junk\n"}}},
        {"C_check_subipaddress2", {"255.255.255.0", "24", "x"}, 2, {{"error", "Error: Invalid ipaddress specified: x\n"}}},
        {"C_check_subipaddress2", {"255.255.255.0", "24", "255.255.255.255"}, 0, {{"error", N}}},
        {"C_check_subipaddress2", {"224.0.0.0", "8", "224.1.2.3"}, 0, {{"error", N}}},
        {"C_check_subipaddress", {"10.0.0.0", "10.0.1.255", "10.0.1.0", "24"}, 0, {{"error", N}}},
        {"C_check_subipaddress", {"10.0.0.0", "10.0.1.254", "10.0.1.0", "24"}, 2,
         {{"error", "Error : ip '10.0.1.0:24' is not between '10.0.0.0' and '10.0.1.254'\n"}}},
        {"C_check_subipaddress", {"10.0.0.0", "10.0.1.255", "10.0.1.1", "24"}, 2,
         {{"error", "Error : Network (10.0.1.1) is not for prefix: 24\n"}}},
        {"C_ipaddress_innet", {"10.0.1.0", "24", "10.0.0.0", "16"}, 0, {{"error", N}}},
        {"C_ipaddress_innet", {"10.1.0.0", "16", "10.0.0.0", "16"}, 2,
         {{"error", "Error : Network 10.1.0.0/16 is not a subnet of the parent network : 10.0.0.0/16\n"}}},
        // The parent is checked first.
        {"C_ipaddress_innet", {"junk", "24", "10.0.0.1", "16"}, 2, {{"error", "Error : Network (10.0.0.1) is not for prefix: 16\n"}}},
        {"C_ipaddress_innet", {"255.255.255.0", "24", "255.255.0.0", "16"}, 0, {{"error", N}}},
    });
}

TEST_F(AddrProcedures, AddressesForANetwork) {
    run({
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", ""}, 0, {{"error", N}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", " 10.0.0.1  10.0.0.254 "}, 0, {{"error", N}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.0"}, 2,
         {{"error", "Error : IP address 10.0.0.0 is invalid for the network/prefix: 10.0.0.0 24"}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.255"}, 2, {{"error", "^Error : IP address 10.0.0.255 is invalid"}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.1 10.0.0.2 10.0.0.1 10.0.1.1"}, 2,
         {{"error", "Error : Duplicate ip address 10.0.0.1 . Address already assigned\n"}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", "10.0.0.1 10.0.1.1 10.0.0.1"}, 2, {{"error", "^Error : IP address 10.0.1.1"}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.7", "32", "10.0.0.7"}, 0, {{"error", N}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "25", "10.0.0.1 1.2.3"}, 2, {{"error", "Error: Invalid ipaddress specified: 1.2.3\n"}}},
        {"C_validate_ipaddress_fornw", {"10.0.0.0", "24", addresses("10.0.0.", 1, 1) + std::string(5000, ' ') + "x"}, 2,
         {{"error", "Error: Invalid ipaddress specified: x\n"}}},
    });
}

TEST_F(AddrProcedures, NetworksAgainstAssignedBlocks) {
    std::string many_nets, many_prefixes;
    for (int i = 0; i < 5001; ++i) {
        many_nets += "10.1.0.0 ";
        many_prefixes += "24 ";
    }
    run({
        {"C_validate_network", {"10.0.0.0", "24", "10.0.0.128", "25"}, 2,
         {{"error", "Error : Assigned network (10.0.0.0/24) conflicts another network : 10.0.0.128/25\n"}}},
        {"C_validate_network", {"10.0.0.0", "24", "10.0.1.0 9.0.0.0", "24 8"}, 0, {{"error", N}}},
        {"C_validate_network", {"10.0.0.0", "24", "", ""}, 0, {{"error", N}}},
        {"C_validate_network", {"10.0.0.0", "24", "10.0.1.0 10.0.2.0", "24"}, 2,
         {{"error", "Error : No of prefix is less than the no of addr : 1 2\n"}}},
        {"C_validate_network", {"10.0.0.0", "24", "", "24"}, 2, {{"error", "Error : No of prefix is less than the no of addr : 1 0\n"}}},
        {"C_validate_network", {"224.0.0.0", "4", "", ""}, 2, {{"error", "Error: ipaddress 224.0.0.0 comes in class d \n"}}},
        {"C_validate_network", {"240.0.0.0", "4", "", ""}, 2, {{"error", "Error: ipaddress 240.0.0.0 comes in class e \n"}}},
        {"C_validate_network", {"192.0.0.0", "2", "", ""}, 2,
         {{"error", "Error: pool contains ipaddress 255.255.255.255 belonging to class e \n"}}},
        {"C_validate_network", {"10.0.0.0", "24", "10.0.1.1", "24"}, 2, {{"error", "Error : Network (10.0.1.1) is not for prefix: 24\n"}}},
        {"C_validate_network", {"10.0.0.0", "24", many_nets, many_prefixes}, 2, {{"error", "Error : List holds more than 5000 items\n"}}},
        {"C_validate_subnetwork", {"10.0.1.0", "24", "10.0.0.0", "16", "10.0.0.0 10.0.2.0", "24 23"}, 0, {{"error", N}}},
        {"C_validate_subnetwork", {"10.1.0.0", "24", "10.0.0.0", "16", "", ""}, 2,
         {{"error", "Error : Network 10.1.0.0/24 is not a subnet of the parent network : 10.0.0.0 16\n"}}},
        {"C_validate_subnetwork", {"10.0.1.0", "24", "10.0.0.0", "16", "10.0.0.0", "23"}, 2,
         {{"error", "Error : Assigned network (10.0.1.0/24) conflicts another network : 10.0.0.0/23\n"}}},
        {"C_validate_subnetwork", {"240.0.1.0", "24", "240.0.0.0", "16", "", ""}, 0, {{"error", N}}},
    });
}

TEST_F(AddrProcedures, MasksAndConversions) {
    run({
        {"C_compute_mask", {"24"}, 0, {{"result", "255.255.255.0"}, {"error", N}}},
        {"C_compute_mask", {"0"}, 0, {{"result", "0.0.0.0"}}},
        {"C_compute_mask", {"32"}, 0, {{"result", "255.255.255.255"}}},
        {"C_compute_mask", {"33"}, 2, {{"result", N}, {"error", "Error :Invalid prefix :33\n"}}},
        {"C_compute_inversemask", {"24"}, 0, {{"result", "0.0.0.255"}}},
        {"C_compute_inversemask", {"0"}, 0, {{"result", "255.255.255.255"}}},
        {"C_compute_inversemask", {"-1"}, 2, {{"result", N}, {"error", "Error : Invalid prefix :-1\n"}}},
        {"C_compute_network", {"10.1.2.3", "8"}, 0, {{"result", "10.0.0.0"}, {"error", N}}},
        {"C_compute_network", {"10.1.2.3", "0"}, 2, {{"result", N}, {"error", "Error : Invalid prefix value specifed: 0\n"}}},
        {"C_compute_network", {"224.1.2.3", "8"}, 2, {{"result", N}, {"error", "Error: ipaddress 224.1.2.3 comes in class d \n"}}},
        {"C_ExtractNetworkBroadcast", {"10.1.2.3", "8"}, 0, {{"network", "10.0.0.0"}, {"broadcast", "10.255.255.255"}, {"error", N}}},
        {"C_ExtractNetworkBroadcast", {"10.1.2.3", "0"}, 0, {{"network", "0.0.0.0"}, {"broadcast", "255.255.255.255"}}},
        {"C_ExtractNetworkBroadcast", {"10.1.2.3", "33"}, 2, {{"network", N}, {"broadcast", N}, {"error", "Error : Invalid prefix :33\n"}}},
        {"C_ExtractNetworkBroadcast", {"1.2.3", "8"}, 2, {{"network", N}, {"broadcast", N}, {"error", "Error: Invalid ipaddress specified: 1.2.3\n"}}},
        {"C_ConvertIP", {"0.1.0.2", "CONVERTFIP"}, 0, {{"result", "65538"}}},
        {"C_ConvertIP", {"0.1.0.2", "CONVERTUIP"}, 0, {{"result", "1"}}},
        {"C_ConvertIP", {"0.1.0.2", "CONVERTLIP"}, 0, {{"result", "2"}}},
        {"C_ConvertIP", {"0.1.0.2", "convertfip"}, 0, {{"result", "2"}}},
        {"C_ConvertIP", {"255.255.255.255", "CONVERTFIP"}, 0, {{"result", "-1"}}},
        {"C_ConvertIP", {"128.0.0.0", "CONVERTFIP"}, 0, {{"result", "-2147483648"}}},
        {"C_ConvertIP", {"224.0.255.1", "CONVERTUIP"}, 0, {{"result", "57344"}}},
        {"C_ConvertIP", {"1.2.3.4.5", "CONVERTFIP"}, 2, {{"result", N}, {"error", "Error : Invalid ip address specified: 1.2.3.4.5\n"}}},
    });
}

TEST_F(AddrProcedures, AddressListsPageAndEnd) {
    run({
        {"C_GetIPAddressList", {"10.0.0.0", "22", "0"}, 0, {{"result", "^10.0.0.0 10.0.0.1 "}, {"next", "1000"}, {"error", N}}},
        {"C_GetIPAddressList", {"10.0.0.0", "22", "1000"}, 0,
         {{"result", addresses("10.0.3.", 232, 255)}, {"next", "-1"}, {"error", N}}},
        {"C_GetIPAddressList", {"10.0.0.0", "22", "1024"}, 0, {{"result", ""}, {"next", "-1"}, {"error", N}}},
        {"C_GetIPAddressList", {"10.0.0.0", "22", "-1"}, 2, {{"result", N}, {"next", "0"}, {"error", "Error : Invalid starting index :-1\n"}}},
        {"C_GetIPAddressList", {"10.0.0.0", "33", "0"}, 2, {{"result", N}, {"error", "Error : Invalid prefix :33\n"}}},
        {"C_GetIPAddressList", {"10.0.0.0", "1", "0"}, 2, {{"result", N}, {"error", "Error : Invalid prefix specified: 1\n"}}},
        {"C_GetIPAddressList", {"255.255.255.252", "30", "0"}, 0, {{"result", addresses("255.255.255.", 252, 255)}, {"next", "-1"}}},
        {"C_GetAddressRange", {"10.0.0.1", "10.0.0.3"}, 0, {{"result", "10.0.0.1 10.0.0.2 10.0.0.3 "}, {"error", N}}},
        {"C_GetAddressRange", {"255.255.255.253", "255.255.255.255"}, 0, {{"result", addresses("255.255.255.", 253, 255)}}},
        {"C_GetAddressRange", {"10.0.0.3", "10.0.0.3"}, 2,
         {{"result", N}, {"error", "Error : Start ip ipaddress (10.0.0.3) greater than or equal to end ip address\n"}}},
        {"C_GetAddressRange", {"10.0.0.0", "10.1.0.0"}, 2, {{"result", N}, {"error", "Error : Result too long for its buffer of 32767 bytes\n"}}},
    });
    // The 1000-address page is whole.
    extproc::CallResult r = session_->call("addrkit", "C_GetIPAddressList", {"10.0.0.0", "22", "0"});
    std::string page = r.out("result")->value;
    EXPECT_EQ(std::count(page.begin(), page.end(), ' '), 1000);
    EXPECT_EQ(page.substr(page.size() - 11), "10.0.3.231 ");
}

TEST_F(AddrProcedures, PoolRanges) {
    std::string pool;
    for (int i = 0; i < 30000; ++i) pool += "10." + std::to_string(i >> 16) + "." + std::to_string((i >> 8) & 255) + "." + std::to_string(i & 255) + " ";
    run({
        {"C_PoolRanges", {"10.0.0.9 10.0.0.2 10.0.0.1 10.0.0.3"}, 0,
         {{"ranges", "10.0.0.1 10.0.0.3@10.0.0.9 10.0.0.9@"}, {"masks", "255.255.255.252 255.255.255.255 "},
          {"commonmask", "255.255.255.252 "}, {"error", N}}},
        {"C_PoolRanges", {"10.0.0.1 10.0.0.1"}, 0, {{"ranges", "10.0.0.1 10.0.0.1@10.0.0.1 10.0.0.1@"}}},
        {"C_PoolRanges", {"10.0.0.255 200.0.0.0 10.0.1.0"}, 0,
         {{"ranges", "10.0.0.255 10.0.1.0@200.0.0.0 200.0.0.0@"}, {"masks", "255.255.254.0 255.255.255.255 "},
          {"commonmask", "255.255.254.0 "}}},
        {"C_PoolRanges", {"255.255.255.254 255.255.255.255"}, 0, {{"ranges", "255.255.255.254 255.255.255.255@"}}},
        // A run across 128.0.0.0 is covered by the whole space.
        {"C_PoolRanges", {"128.0.0.0 127.255.255.255"}, 0,
         {{"ranges", "127.255.255.255 128.0.0.0@"}, {"masks", "0.0.0.0 "}, {"commonmask", "0.0.0.0 "}}},
        {"C_PoolRanges", {"   "}, 2,
         {{"ranges", N}, {"masks", N}, {"commonmask", N}, {"error", "Error: No ip address specified. Address range computation failed \n"}}},
        {"C_PoolRanges", {"10.0.0.1 224.0.0.1"}, 2, {{"ranges", N}, {"error", "Error: ipaddress 224.0.0.1 comes in class d \n"}}},
        {"C_PoolRanges", {pool}, 0, {{"ranges", "10.0.0.0 10.0.117.47@"}, {"commonmask", "255.255.128.0 "}}},
        {"C_PoolRanges", {pool + "10.1.0.0"}, 2, {{"ranges", N}, {"error", "Error : List holds more than 30000 items\n"}}},
    });
}

TEST_F(AddrProcedures, NetPoolRanges) {
    run({
        {"C_NetPoolRanges", {"10.0.0.0", "30", "1"}, 0,
         {{"ranges", "10.0.0.1 10.0.0.2@"}, {"masks", "255.255.255.252 "}, {"commonmask", "255.255.255.252 "}, {"error", N}}},
        {"C_NetPoolRanges", {"10.0.0.0 10.1.0.0", "30 16", "0"}, 0,
         {{"ranges", "10.0.0.0 10.0.0.3@10.1.0.0 10.1.255.255@"}, {"masks", "255.255.255.252 255.255.0.0 "}, {"commonmask", "255.255.0.0 "}}},
        {"C_NetPoolRanges", {"", "", "1"}, 0, {{"ranges", ""}, {"masks", ""}, {"commonmask", ""}, {"error", N}}},
        // No network or broadcast address to leave out of a /31 or /32.
        {"C_NetPoolRanges", {"10.0.0.0 10.0.0.9", "31 32", "1"}, 0, {{"ranges", "10.0.0.0 10.0.0.1@10.0.0.9 10.0.0.9@"}}},
        {"C_NetPoolRanges", {"255.255.255.252", "30", "0"}, 0, {{"ranges", "255.255.255.252 255.255.255.255@"}}},
        {"C_NetPoolRanges", {"10.0.0.0 10.0.1.0", "24", "0"}, 2,
         {{"ranges", N}, {"masks", N}, {"commonmask", N}, {"error", "Error : No of prefix is less than the no of addr : 1 2\n"}}},
        {"C_NetPoolRanges", {"10.0.0.0", "24 24", "0"}, 2,
         {{"ranges", N}, {"masks", N}, {"commonmask", N}, {"error", "Error : No of prefix is less than the no of addr : 2 1\n"}}},
        {"C_NetPoolRanges", {"10.0.0.1", "24", "0"}, 2, {{"ranges", N}, {"error", "Error : Network (10.0.0.1) is not for prefix: 24\n"}}},
    });
}

}  // namespace
