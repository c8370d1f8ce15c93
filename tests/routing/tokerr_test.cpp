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
