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

// A quoted text cut by the end of the file is a token error too, one the
// tokenizer says nothing of, and the end follows it. Where a step refuses
// a token error (a name, a value that must be quoted, an entry's start) its
// own message says so; where the block takes it as END, the block's checks
// speak, and a block they let stand is the end of the file.
TEST_F(TopoLoad, CutTextsMeetEachTopologyBlockAsItsStepsSay) {
    expect_cut_texts(kData, {"roundtrip_topology.ndl"}, {
        // Names: the block's end-of-file text.
        {"\n\nNETWORK", {"ERROR: Unexpected end of file @ 5 \n", kSkipToEnd}},
        {"SYSTEMLIST", {"ERROR : Unexpected end of file @ 20 \n", kSkipToEnd}},
        {"SERVICE-TYPE", {"ERROR :Unexpected end of file @ 42 \n", kSkipToEnd}},
        {"\nDOMAIN", {"ERROR : Unexpected end of file @ 72 \n", kSkipToEnd}},
        {"NODES", {"ERROR : Unexpected end of file @ 91 \n", kSkipToEnd}},
        {"ADDRESSPOOL", {"ERROR: Unexpected end of file @ 127 ", kSkipToEnd}},
        {"LOGICALINTERFACE", {"ERROR: Unexpected end of file :Cut @ 136\n", kSkipToEnd}},
        {"CONNECTIONTYPE", {"ERROR: Unexpected end of file @ 168 \n", kSkipToEnd}},
        {"LOGICAL-PATH", {"ERROR: Unexpected end of file @ 202 \n", kSkipToEnd}},
        // Loops that refuse any token but their keywords.
        {"  ORGANIZATION = \"O'Brien & Sons\"", {"ERROR : Invalid Input :CUT @6 \n", kSkipToEnd}},
        {"LISTDEFS BEGIN", {"ERROR : Invalid Input CUT @15 -1\n", kSkipToEnd}},
        {"NETWORKVARS BEGIN", {"ERROR : Invalid Input : CUT @25 -1\n", kSkipToEnd}},
        {"INTERFACE-BANDWIDTH-LIST BEGIN", {"ERROR : Invalid Input CUT @37 -1\n", kSkipToEnd}},
        {"SERVICE-TYPE VPN BEGIN", {"ERROR : Invalid Input : CUT @42 \n", kSkipToEnd}},
        {"DOMAIN NORTH BEGIN", {"ERROR : Invalid Input : CUT @72\n", kSkipToEnd}},
        {"NODES NORTH.PE BEGIN", {"ERROR : Invalid Input CUT @91 \n", kSkipToEnd}},
        {"ADDRESSPOOL NETWORK-ADDR-POOL BEGIN", {"ERROR: Invalid Input : Cut @127 \n", kSkipToEnd}},
        {"CONNECTIONS BEGIN", {"ERROR: Invalid Input Cut @164\n", kSkipToEnd}},
        // Values that must be quoted strings, or words.
        {"  ORGANIZATION =", {"ERROR : Invalid syntax specify value within quoted string: Cut @ 6\n", kSkipToEnd}},
        {"  LIST = ( NAME = SITEKINDS , ELEMENT =", {"ERROR : Quoted string expected :Cut @16\n", kSkipToEnd}},
        {"  SITEVARS = (", {"ERROR: Invalid token, variable name expected : Cut @ 33\n", kSkipToEnd}},
        {"  INTERFACE = ( NAME = Serial , BANDWIDTH =", {"ERROR : Quoted string expected :Cut @38\n", kSkipToEnd}},
        {"  HOSTTYPE =", {"ERROR : String expected for HOSTTYPE'S: Cut @ 44\n", kSkipToEnd}},
        {"  TYPE = ( SERVICETYPE = VPN , HOSTTYPE =", {"ERROR : String expected for Interfaces: Cut @ 63\n", kSkipToEnd}},
        {"  LOOPBACKS = ( STARTADDR =", {"ERROR: Invalid keyword start ip address expected: Cut @128\n", kSkipToEnd}},
        {"  LOOPBACK#0.ADDRESSOWNER =",
         {"ERROR : Invalid domain Name for owner info : Cut @ 138\n", "ERROR :Invalid syntax variable type expected : Cut @138\n",
          kSkipToEnd}},
        {"  NORTH TO SOUTH = ( SCOPE =",
         {"ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ 165\n", kSkipToEnd}},
        {"  MEMBER = ( NODE =", {"ERROR: Unexpected end of file :Cut @ 174\n", kSkipToEnd}},
        {"MAXCONN = 40 , INTERFACES =", {"ERROR: String expected for Interfaces: Cut @ 174\n", kSkipToEnd}},
        {"  INTERFACETYPES = ( TYPE =", {"ERROR: Unexpected end of file :Cut @ 177\n", kSkipToEnd}},
        {"  MEMBERFILTER = (", {"ERROR: Invalid token, variable name expected : Cut @ 179\n", kSkipToEnd}},
        {"  TYPE = TUNNEL\n  ENCAPSULATION =", {"ERROR: Invalid Encapsulation type:Cut @204\n", kSkipToEnd}},
        // Values taken as they are: what must follow them meets the end.
        {"  VARIABLE = ( NAME = ASNUMBER , MODE =", {"ERROR : Syntax error ',' or ')' expected : @28\n", kSkipToEnd}},
        {"  CLASS = ( NAME =", {"ERROR: Invalid syntax '=' or ')' expected : @ 58\n", kSkipToEnd}},
        {"  SUBPOOLS =", {"ERROR : Invalid Input  @64 -2\n", kSkipToEnd}},
        {"  NORTH TO",
         {"ERROR: Invalid (TO) domain name for connection definition : Cut @ 165\n", "ERROR: Invalid syntax '=' expected:  @ 165\n",
          kSkipToEnd}},
        {"  HSRP#2.MEMBER = ( NORTH.PE , TRACKINTERFACE =", {"ERROR: Invalid syntax ',' or ')'  expected : @ 186\n", kSkipToEnd}},
        {"MEMBERTYPE = INGRESS ,\n             INTERFACE =", {"ERROR: Invalid syntax ',' expected: @ 211\n", kSkipToEnd}},
        // Loops that end at it as at END: their closing checks refuse the
        // block, or it stands and is the end of the file.
        {"  LISTVARIABLE = ( NAME = T1 , VALUE = 1544 )", {"ERROR : Unexpected end of file @ 21 \n", kSkipToEnd}},
        {"POOL-CLASS BEGIN", {"ERROR : Unexpected end of file @ 57 \n", kSkipToEnd}},
        {"DISPLAYNAME = Gold , DEFAULT = TRUE )", {"ERROR : Unexpected end of file @ 58 \n", kSkipToEnd}},
        {"POOL-TYPE BEGIN", {"ERROR: token 'TYPE' not found in POOLTYPES block @ 62\n"}},
        {"  SUBPOOLS = \"WAN, LOOPBACK\"", {"ERROR : Unexpected end of file @ 64 \n", kSkipToEnd}},
        {"LOGICALINTERFACE NORTH.PE BEGIN",
         {"ERROR: token 'IPADDRESS' not found in LOGICALINTERFACE IPADDRESS block:  @ 136\n"}},
        {"  LOOPBACK#0.INSTANCEID = ( SNMPVERSION )", {"ERROR: Unexpected end of file : @ 142\n", kSkipToEnd}},
        {"  TYPE = POINT-TO-POINT", {"ERROR: IP address not defined for connection : PE-CPE @169\n", kSkipToEnd}},
        {"  INSTANCEID = ( CIRCUIT )", {"ERROR: Unexpected end of file @ 183 \n", kSkipToEnd}},
        {"  MAXCONN = 20", {"ERROR: token 'MEMBER' is missing for logicalconnection block 'Core-Gre':  @ 209\n", kSkipToEnd}},
        {"  MEMBERFILTER = ( SITENAME , CUSTOMERID )", {"ERROR: Unexpected end of file @ 213 \n", kSkipToEnd}},
    });
}

TEST_F(TopoLoad, CutTextsMeetACustomerTypeAsItsStepsSay) {
    expect_cut_texts(kCustomerData, {"topology.ndl", "customer_valid.ndl"}, {
        {"\nCUSTOMER-TYPE", {"ERROR: Unexpected end of file @ 6 \n", kSkipToEnd}},
        // The end of the block: its checks, or the end of the file.
        {"CUSTOMER-TYPE GOLD DATACENTER BEGIN",
         {"ERROR: ServiceType attribute has not been specified for customer connection : GOLD @ 6\n", kSkipToEnd}},
        {"  ADDRESSTYPE = \"static, pat\"", {"ERROR: Unexpected end of file @ 11 \n", kSkipToEnd}},
        {"  NODE-VARIABLE # PE # 1 = ( HOSTNAME = \"pe1\" )", {"ERROR: Unexpected end of file @ 31 \n", kSkipToEnd}},
        // As an attribute's value it is checked by the attribute's rule,
        // and the end is then no attribute.
        {"  SERVICETYPE =", {"ERROR : Service not defined  : CUT \n @7", "ERROR: Invalid attribute name :  @7\n", kSkipToEnd}},
        {"  DOMAIN =", {"ERROR : Domain not defined  : Cut \n @8", "ERROR: Invalid attribute name :  @8\n", kSkipToEnd}},
        {"  ROUTINGENABLED =",
         {"ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : CUT @9\n",
          "ERROR: Invalid attribute name :  @9\n", kSkipToEnd}},
        // In the group entries.
        {"  CONNECTIONTYPE = ( CONNECTTO =", {"ERROR: Specify connecto value within quotes: Cut @ 12\n", kSkipToEnd}},
        {"  QOSPOLICYLIST = ( NAME = INBOUND , LIST =",
         {"ERROR: LIST in QOSPOLICYLIST should be in quoted strings @16\n", kSkipToEnd}},
        {"  NODETYPE = ( NODETYPE =",
         {"ERROR: Invalid node . Not defined : Cut  @20\n", "ERROR: ',' or ')' expected :  @ 20\n", kSkipToEnd}},
        {"  LOOPBACK # 1 # 0 =", {"ERROR: Invalid value TRUE/FALSE is expected @ 21\n", kSkipToEnd}},
        {"( NAME = PE-CE , VLAN =", {"ERROR: ',' or ')' expected :  @ 28\n", kSkipToEnd}},
        {"HSRPPRIORITY =", {"ERROR : String expected for HSRPPRIORITY list: Cut @ 30\n", kSkipToEnd}},
        {"  NODE-VARIABLE # PE # 1 = ( HOSTNAME =", {"ERROR: ',' or ')' expected :  @ 31\n", kSkipToEnd}},
        {"  CONNECTION # 3 = (", {"ERROR: Invalid attribute name : CUT @ 38\n", kSkipToEnd}},
    });
}
