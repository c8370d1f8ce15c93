// A token the tokenizer cannot read (over-long: it has logged it and failed
// the run) in the body of every routing block kind, where an INSTANCENAME
// or OWNINGCONTEXT value stands, and where a multicast list expects a key.
// It ends the body as END does (the protocol is then declared, a static
// block ends with 0) and the list as ")" does, with no message of its own;
// what follows is read on, the token's last character first. The run stays
// refused and nothing stored changes.
#include "routing_load.h"

namespace {

std::string rest_at(int line) { return "Error: Invalid block type : W @ " + std::to_string(line) + "\n"; }

// The global validations after the file, as long as the BGP network that
// names this route map was read.
const std::string kNetRm =
    "WARNING: RouteMap used for BGP-NETWORK not defined :\nDomainname:  CORE\nNodeType:  PE\nRouteMapName: NET-RM\n";

}  // namespace

TEST_F(RoutingLoad, TokenErrorsEndBodiesAndLists) {
    expect_token_errors(kRouting, {"topo.ndl", "cuts.ndl"}, {
        {"  INSTANCENAME = BLUE", {overlong_msg(6), rest_at(7), kNetRm}},
        {"  INSTANCENAME =", {overlong_msg(6), rest_at(6), kNetRm}},
        {"  DEFAULT = ( METRIC = 5 , METRIC-TYPE = type-2 )", {overlong_msg(22), rest_at(23), kNetRm}},
        // Ended before its areas: the END check of OSPF speaks.
        {"PROCESS 10 O BEGIN\n  INSTANCENAME =", {overlong_msg(11), "Error : Area not defined for OSPF : 10 @11\n", kNetRm}},
        {"  OWNINGCONTEXT =", {overlong_msg(12), "Error : Area not defined for OSPF : 10 @12\n", kNetRm}},
        {"  OFFSET = ( LIST-NAME = \"ACL-OFF\" , DIRECTION = in , OFFSET = 3 , INTERFACE = \"INT(INTERFACE.Eth1)\" )",
         {overlong_msg(27), rest_at(28), kNetRm}},
        {"  NETWORK = ( INTERFACE = \"INT(INTERFACE.Serial0)\" )", {overlong_msg(30), rest_at(31), kNetRm}},
        {"ROUTING-IGRP EDGE . CE PROCESS 10 O BEGIN", {overlong_msg(32), rest_at(33), kNetRm}},
        {"MPLS CORE . P M BEGIN", {overlong_msg(34), rest_at(35), kNetRm}},
        {"  DISTRIBUTE = ( LIST-NAME = \"ACL-BGP\" , INTERFACE = \"INT(INTERFACE.Serial0)\" , DIRECTION = in )",
         {overlong_msg(51), rest_at(52), kNetRm}},
        {"ASN 65000 O BEGIN\n  INSTANCENAME = BLUE\n  OWNINGCONTEXT =", {overlong_msg(41), rest_at(41)}},
        {"  AUTORPFILTER = ( RPLIST = \"RPL\" , GROUPLIST = \"GL\" )", {overlong_msg(62), rest_at(63), kNetRm}},
        // A list ends at it as at ")": its record stands, and the body
        // meets the rest.
        {"MODE = sparse-mode ,", {overlong_msg(56), "Error: Invalid attribute name : W @ 56\n", kNetRm}},
        {"ADDRTYPE = STATIC , ADDRESS = \"239.1.1.1\" )", {overlong_msg(66), rest_at(67), kNetRm}},
        {"  REDISTRIBUTE = ( ACL = \"A1\" , ROUTEMAP = \"M1\" )", {overlong_msg(72), rest_at(73), kNetRm}},
        {"SUMMARYMASK = \"16\" )", {overlong_msg(75), rest_at(76), kNetRm}},
        {"  ROUTETARGET = ( TYPE = both , POLICY = \"P1\" )", {overlong_msg(81), rest_at(82), kNetRm}},
        // A RANGE's INSTANCENAME is a value like any other: too long for
        // its field.
        {"PREFIX = 16 , INSTANCENAME =", {overlong_msg(17), "Token exceeded the max length: " + std::string(299, 'W') + " @17\n", kNetRm}},
        // A PEER-MEMBER value is taken whatever its kind; the token's last
        // character then stands where "," or ")" must.
        {"PEER-MEMBER # RR = ( HOSTNAME =", {overlong_msg(46), "Error:',' or ')' expected : W @ 46\n"}},
        // Where BGP and VRF read the domain or the node type it is the end
        // of the file to them.
        {"ROUTING-BGP", {overlong_msg(39), "Error: Unexpected end of file @ 39 \n"}},
        {"ROUTING-BGP CORE .", {overlong_msg(39), "Error: Unexpected end of file @ 39 \n"}},
        {"VRF", {overlong_msg(77), "Error: Unexpected end of file @ 77 \n", kNetRm}},
        {"VRF CORE .", {overlong_msg(77), "Error: Unexpected end of file @ 77 \n", kNetRm}},
    });
}

// A quoted text cut by the end of the file is a token error too, but the
// tokenizer says nothing of it and the end follows. Where the block's steps
// refuse a token error their message says so (no quoted value, no key, no
// domain); where they take it as END and then stand, the block is the end
// of the file; where the checks after END refuse it, theirs is the message.
TEST_F(RoutingLoad, CutTextsMeetEachBlockAsItsStepsSay) {
    expect_cut_texts(kRouting, {"topo.ndl", "cuts.ndl"}, {
        // ROUTING-STATIC: header names are read as names, then flagged.
        {"ROUTING-STATIC",
         {"Error: Domain undefined : Cut \n @5", "Error: '.' expected as a qualifer for node type :  \n @5", kSkipToEnd}},
        {"ROUTING-STATIC CORE", {"Error: '.' expected as a qualifer for node type : Cut \n @5", kSkipToEnd}},
        {"ROUTING-STATIC CORE .",
         {"Error: Invalid node . Not defined : Cut  @5\n", "Error: Keyword 'BEGIN' expected :  \n @5", kSkipToEnd}},
        // As the instance name or in the body it ends the body as END.
        {"  INSTANCENAME =", {"Error: Unexpected end of file @ 6 \n", kSkipToEnd}},
        {"  INSTANCENAME = BLUE", {"Error: Unexpected end of file @ 6 \n", kSkipToEnd}},
        // The IP list: no "(", no key, no quoted value; WEIGHT takes it.
        {"  IP =", {"Error: Invalid syntax '(' expected @ 7\n", kSkipToEnd}},
        {"  IP = (", {"Error: Invalid attribute name : CUT @ 7\n", kSkipToEnd}},
        {"  IP = ( NETWORK =", {"Error: Specify Source IP address within quotes: Cut @ 7\n", kSkipToEnd}},
        {"  IP = ( NETWORK = \"0.0.0.0\" ,", {"Error: Invalid attribute name : CUT @ 7\n", kSkipToEnd}},
        {"DESTINATION = \"INT(INTERFACE.Serial0)\" , WEIGHT =", {"Error:',' or ')' expected :  @ 7\n", kSkipToEnd}},
        // ROUTING-OSPF: the body ends at it, and the END checks speak.
        {"ROUTING-OSPF CORE . PE PROCESS",
         {"Error: Syntax error. Numeric field expected for OSPF processid: Cut  @10\n", kSkipToEnd}},
        {"ROUTING-OSPF CORE . PE PROCESS 10 O", {"Error: Keyword 'BEGIN' expected : Cut @10\n", kSkipToEnd}},
        {"PROCESS 10 O BEGIN", {"Error : Area not defined for OSPF : 10 @10\n", kSkipToEnd}},
        {"  OWNINGCONTEXT =", {"Error : Area not defined for OSPF : 10 @12\n", kSkipToEnd}},
        {"  USAGE-CONDITION =", {"ERROR : Function name expected : Cut @ 13\n", kSkipToEnd}},
        {"  AREA #",
         {"Error: Areaid must be a number or a connection variable @14\n", "Error: Attribute qualifier '.' expected:  @ 14\n",
          kSkipToEnd}},
        {"  AREA # 0 .", {"Error : Invalid attribute name for OSPF AREA : CUT @14\n", kSkipToEnd}},
        {"  AREA # 0 . NETWORK = (", {"Error: Invalid syntax . Value  expected within quotes : Cut @ 14\n", kSkipToEnd}},
        {"  AREA # 0 . AUTHENTICATION =", {"Error: Invalid syntax boolean value expected : CUT @ 15\n", kSkipToEnd}},
        {"  AREA # 1 . RANGE = (", {"Error: Invalid attribute name : CUT @ 17\n", kSkipToEnd}},
        {"PREFIX = 16 , INSTANCENAME =", {"Error: Invalid syntax '=' or ')' expected :  @ 17\n", kSkipToEnd}},
        {"  DEFAULT = ( METRIC = 5 , METRIC-TYPE = type-2 )", {"Error: Unexpected end of file @ 22 \n", kSkipToEnd}},
        // RIP, IGRP, the label-switching blocks.
        {"  OFFSET = (", {"Error: Invalid attribute name : CUT @ 27\n", kSkipToEnd}},
        {"ROUTING-IGRP EDGE . CE PROCESS 10 O BEGIN", {"Error: Unexpected end of file @ 32 \n", kSkipToEnd}},
        {"MPLS CORE . P M BEGIN", {"Error: Unexpected end of file @ 34 \n", kSkipToEnd}},
        // ROUTING-BGP: where the domain or node type is due it is the end.
        {"ROUTING-BGP", {"Error: Unexpected end of file @ 39 \n", kSkipToEnd}},
        {"ROUTING-BGP CORE .", {"Error: Unexpected end of file @ 39 \n", kSkipToEnd}},
        {"ASN 65000 O BEGIN", {"Error: Unexpected end of file @ 39 \n", kSkipToEnd}},
        {"  ROUTERID =", {"Error: Specify bgp network within quotes: Cut @ 43\n", kSkipToEnd}},
        {"  PEER = (", {"Error: Invalid attribute name : CUT @ 45\n", kSkipToEnd}},
        {"PEER-MEMBER # RR = ( HOSTNAME =", {"Error:',' or ')' expected :  @ 46\n", kSkipToEnd}},
        {"  NETWORK = ( NETWORK =", {"Error: Specify bgp network within quotes: Cut @ 48\n", kSkipToEnd}},
        {"  DISTRIBUTE = ( LIST-NAME = \"ACL-BGP\" , INTERFACE = \"INT(INTERFACE.Serial0)\" , DIRECTION = in )",
         {"Error: Unexpected end of file @ 51 \n", kSkipToEnd}},
        // Multicast lists end at it as at ")": the entry's checks, then the
        // body meets the end.
        {"  MEMBER = (", {"Error: Interfacename is expected:  @ 56\n", kSkipToEnd}},
        {"MODE = sparse-mode ,", {"Error: Invalid attribute name :  @ 56\n", kSkipToEnd}},
        {"  RPACCEPT = (", {"Error: Invalid attribute name :  @ 59\n", kSkipToEnd}},
        {"  RP = ( MODE =", {"Error: Invalid RP mode :Cut @ 58\n", kSkipToEnd}},
        {"  AUTORPFILTER = ( RPLIST = \"RPL\" , GROUPLIST = \"GL\" )", {"Error: Unexpected end of file @ 62 \n", kSkipToEnd}},
        {"ADDRTYPE = STATIC , ADDRESS =", {"Error:',' or ')' expected :  @ 66\n", kSkipToEnd}},
        {"  ORIGINATORID =", {"Error: Invalid attribute name :  @ 69\n", kSkipToEnd}},
        {"  REDISTRIBUTE = ( ACL = \"A1\" , ROUTEMAP = \"M1\" )", {"Error: Unexpected end of file @ 72 \n", kSkipToEnd}},
        {"SUMMARYMASK = \"16\" )", {"Error: Unexpected end of file @ 75 \n", kSkipToEnd}},
        // VRF.
        {"VRF", {"Error: Unexpected end of file @ 77 \n", kSkipToEnd}},
        {"VRF CORE .", {"Error: Unexpected end of file @ 77 \n", kSkipToEnd}},
        {"  DESCRIPTION = ( VRFGROUPNAME =", {"Error:',' or ')' expected :  @ 78\n", kSkipToEnd}},
        {"  VRF = (", {"ERROR: Invalid attribute name : CUT @ 79\n", kSkipToEnd}},
        {"  ROUTETARGET = ( TYPE = both , POLICY = \"P1\" )", {"Error: Unexpected end of file @ 81 \n", kSkipToEnd}},
    });
}
