// A token the tokenizer cannot read (over-long: it has logged it and failed
// the run) where a block of the TOPOLOGY or CUSTOMER section expects its
// next keyword. Where the block's loop takes it as its end, the block ends
// there with no message of its own and closes as at END (its closing
// checks speak), and the section reads the rest as block keywords: the
// token's last character, then whatever the lost part of the block leaves
// out. The run stays refused and nothing stored changes.
#include "topo_load.h"

namespace {

constexpr const char *kCustomerData = NDL_TEST_DATA "/customer";

// The token's last character, read by the section as a block keyword.
std::string rest_at(int line) { return "Error: Invalid block type : W @ " + std::to_string(line) + "\n"; }

}  // namespace

TEST_F(TopoLoad, TokenErrorsWhereTopologyBlocksExpectAKeyword) {
    expect_token_errors(kData, {"roundtrip_topology.ndl"}, {
        // SYSTEMLIST: the list keeps the entry before; E1 is lost.
        {"  LISTVARIABLE = ( NAME = T1 , VALUE = 1544 )",
         {overlong_msg(21), rest_at(22),
          "One of entry in BANDWIDTH list is not present in Systemlist definitions: 'E1' @ 38\n"}},
        // POOL-CLASS: GOLD is filed, SILVER lost.
        {"DISPLAYNAME = Gold , DEFAULT = TRUE )", {overlong_msg(58), rest_at(59), "Invalid poolclass: Silver  @156\n"}},
        // POOL-TYPE: the mandatory check of its END.
        {"POOL-TYPE BEGIN", {overlong_msg(62), "ERROR: token 'TYPE' not found in POOLTYPES block @ 62\n", rest_at(63)}},
        {"  SUBPOOLS = \"WAN, LOOPBACK\"", {overlong_msg(64), rest_at(65)}},
        // LOGICALINTERFACE: the open assignment is finished as at END.
        {"  LOOPBACK#0.INSTANCEID = ( SNMPVERSION )", {overlong_msg(142), rest_at(143)}},
        // CONNECTIONTYPE: the checks after its loop refuse it (the skip
        // takes the rest), and what names it is then refused too.
        {"  TYPE = POINT-TO-POINT",
         {overlong_msg(169), "ERROR: IP address not defined for connection : PE-CPE @169\n",
          "ERROR: Invalid connection type specified : PE-CPE @ 194\n", "ERROR: Invalid Connectionname :PE-CPE @212\n",
          "ERROR: Invalid attribute name : ) @212\n"}},
        {"  INSTANCEID = ( CIRCUIT )", {overlong_msg(183), rest_at(184)}},
        // LOGICAL-PATH: the mandatory check after its loop.
        {"  MAXCONN = 20",
         {overlong_msg(209), "ERROR: token 'MEMBER' is missing for logicalconnection block 'Core-Gre':  @ 209\n"}},
        {"  MEMBERFILTER = ( SITENAME , CUSTOMERID )", {overlong_msg(213), rest_at(214)}},
        // A block whose loop refuses any other token says so after it.
        {"  ORGANIZATION = \"O'Brien & Sons\"",
         {overlong_msg(6), "ERROR : Invalid Input :" + std::string(299, 'W') + " @6 \n"}},
    });
}

TEST_F(TopoLoad, TokenErrorsWhereACustomerTypeExpectsAnAttribute) {
    expect_token_errors(kCustomerData, {"topology.ndl", "customer_valid.ndl"}, {
        // The end of the block: no service type given yet.
        {"CUSTOMER-TYPE GOLD DATACENTER BEGIN",
         {overlong_msg(6), "ERROR: ServiceType attribute has not been specified for customer connection : GOLD @ 6\n"}},
        {"  NODE-VARIABLE # PE # 1 = ( HOSTNAME = \"pe1\" )", {overlong_msg(31), rest_at(32)}},
        // As a value it is a token like any other: its checks speak, and
        // its last character is no attribute or no separator.
        {"  DOMAIN =",
         {overlong_msg(8), "ERROR : Domain not defined  : " + std::string(299, 'W') + " \n @8",
          "ERROR: Invalid attribute name : W @8\n"}},
        {"  ROUTINGENABLED =",
         {overlong_msg(9),
          "ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : " + std::string(299, 'W') + " @9\n",
          "ERROR: Invalid attribute name : W @9\n"}},
        {"( NAME = PE-CE , VLAN =", {overlong_msg(28), "ERROR: ',' or ')' expected : W @ 28\n"}},
    });
}
