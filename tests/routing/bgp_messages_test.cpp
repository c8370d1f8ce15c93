// Every message of the BGP block and its lists, each with its own spelling,
// and the file that ends inside the block or one of its lists.
#include "routing_load.h"

namespace {

const std::string kBlock = "ROUTING-BGP CORE.PE ASN 1 M BEGIN\n";

// One list of the block on line 3 (a peer G declared on line 2 first when
// `peer`).
std::string list(const std::string &keyword, const std::string &body, bool peer = false) {
    return "ROUTING-BGP CORE.PE ASN 1 M BEGIN" + std::string(peer ? " PEER = ( PEER-NAME = G )" : "") + "\n" +
           keyword + " = ( " + body + " )\nEND";
}

}  // namespace

using BgpMessages = RoutingLoad;

TEST_F(BgpMessages, HeaderAndBlockAttributes) {
    const std::string longid = "\"LOCALIP(INTERFACE.GigabitEthernet0)\"";
    check({
        {"ROUTING-BGP ZZ . PE ASN 1 M BEGIN END", {"Error: Domain undefined ZZ \n @2"}},
        {"ROUTING-BGP CORE PE ASN 1 M BEGIN END", {"Error:  '.' expected as a qualifer for node type @ 2\n"}},
        {"ROUTING-BGP CORE . XX ASN 1 M BEGIN END", {"Error: Invalid node . Not defined : XX  @2\n"}},
        // ASN is compared as written, and no "=" follows it.
        {"ROUTING-BGP CORE.PE asn 1 M BEGIN END", {"Error: Syntax error . Keyword 'ASN' expected: asn  @2\n"}},
        {"ROUTING-BGP CORE.PE ASN = 1 M BEGIN END",
         {"Error: Syntax error. Numeric field or Quoted string expected for ASN field: =  @2\n"}},
        {"ROUTING-BGP CORE.PE ASN \"<X\" M BEGIN END", {"ERROR: '>' expected for expression: '<X' @ 2\n"}},
        {"ROUTING-BGP CORE.PE ASN 1 X BEGIN END", {"Error: Syntax error. M/O expected : X @2 \n"}},
        {"ROUTING-BGP CORE.PE ASN 1 M GO END", {"Error: Keyword 'BEGIN' expected : GO @2\n"}},
        {kBlock + "FOO END", {"Error: Invalid attribute name encountered : FOO @3\n"}},
        {kBlock + "BEGIN END", {"Error: Invalid attribute name encountered : BEGIN @3\n"}},
        {kBlock + "USAGE-CONDITION = \"BYHOST()\" END",
         {"Error: USAGE-CONDITION is applicable only for Optional protocols.@ 3\n"}},
        {"ROUTING-BGP CORE.PE ASN 1 O BEGIN USAGE-CONDITION \"BYHOST()\" END",
         {"Error: Invalid syntax '=' expected @ 2\n"}},
        {kBlock + "ROUTERID \"EVALIP(10.0.0.1)\" END", {"Error: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "ROUTERID = EVALIP END", {"Error: Specify bgp network within quotes: EVALIP @ 3\n"}},
        {kBlock + "ROUTERID = \"10.0.0.1\" END", {"ERROR : Function name expected : 10.0.0.1 @ 3\n"}},
        {kBlock + "ROUTERID = \"INT(INTERFACE.A)\" END",
         {"Error:valid ip network is required for the bgp network statement: INT(INTERFACE.A) @ 3\n"}},
        {kBlock + "ROUTERID = " + longid + " END",
         {"ERROR: Token length exceeds max size: 'LOCALIP(INTERFACE.GigabitEthernet0)' @ 3\n"}},
        {kBlock + "CLUSTERID = 7 END", {"Error: Specify bgp network within quotes: 7 @ 3\n"}},
        {kBlock + "CLUSTERID = \"" + std::string(31, 'C') + "\" END",
         {"ERROR: Token length exceeds max size: '" + std::string(31, 'C') + "' @ 3\n"}},
        {kBlock + "INSTANCENAME BLUE END", {"Error: Invalid syntax '=' expected @ 3\n"}},
        // Names held to their 30-character fields: refused, never cut.
        {kBlock + "INSTANCENAME = " + std::string(31, 'I') + " END",
         {"Token exceeded the max length: " + std::string(31, 'I') + " @3\n"}},
        {kBlock + "OWNINGCONTEXT = \"BYFOO()\" END", {"ERROR : Invalid Function name : BYFOO @ 3\n"}},
        // A second declaration is refused at its END; another instance is not.
        {"ROUTING-BGP CORE.PE ASN 1 M BEGIN END\nROUTING-BGP CORE.PE ASN 1 O BEGIN END",
         {"Error: Protocl BGP has already been defined for CORE:PE 1@4\n"}},
        {"ROUTING-BGP CORE.PE ASN 1 M BEGIN INSTANCENAME = B END\n"
         "ROUTING-BGP CORE.PE ASN 1 M BEGIN INSTANCENAME = B END\n"
         "ROUTING-BGP CORE.PE ASN 1 M BEGIN END",
         {"Error: Protocl BGP has already been defined for CORE:PE 1@4\n"}},
        // A token the tokenizer refused ends the body as END does; its last
        // character is then read as a block keyword.
        {kBlock + std::string(300, 'W') + " END",
         {"ERROR : Token length exceeds maximum token length  : " + std::string(299, 'W') + " @ 3\n",
          "Error: Invalid block type : W @ 3\n"}},
    });
}

TEST_F(BgpMessages, Neighbors) {
    auto nb = [](const std::string &body, bool peer = false) { return list("NEIGHBOR", body, peer); };
    const std::string addr = "NEIGHBOR = \"EVALIP(10.0.0.1)\" , ";
    check({
        {nb("NEIGHBOR = EVALIP"), {"Error: Specify  neighbor within quotes: EVALIP @ 3\n"}},
        {nb(""), {"ERRor: Neighbor not specifed. @ 3\n"}},
        {nb("REMOTEAS = 1"), {"ERRor: Neighbor not specifed. @ 3\n"}},
        {nb(addr + "REMOTEAS = 1 , REMOTEAS = 2"), {"ERROR: Duplicate token: 'REMOTEAS' @ 3\n"}},
        {nb(addr + "REMOTEAS = abc"), {"ERRor: Temote asn expected (NUMBER or STRING) : abc @ 3\n"}},
        {nb(addr + "REMOTEAS = \"" + std::string(31, 'A') + "\""),
         {"ERROR: Token exceeded the max length: " + std::string(31, 'A') + " @3\n"}},
        {nb("NEIGHBOR = \"INT(INTERFACE.A)\""),
         {"Error:ip address  is required for neighbor: INT(INTERFACE.A) @ 3\n"}},
        {nb("NEIGHBOR = \"10.0.0.1\""), {"ERROR : Function name expected : 10.0.0.1 @ 3\n"}},
        {nb(addr + "PEER-GROUP = NOPE", true), {"Error: Invalid peer name. Not defined : NOPE @ 3\n"}},
        {nb(addr + "PEER-GROUP = 5", true), {"ERRor: Peer group name expected : 5 @ 3\n"}},
        // Peers come first.
        {kBlock + "NEIGHBOR = ( " + addr + "PEER-GROUP = G )\nPEER = ( PEER-NAME = G )\nEND",
         {"Error: Invalid peer name. Not defined : G @ 3\n"}},
        {nb(addr + "CONTEXT = BYHOST"), {"Error: Specify  context within quotes: BYHOST @ 3\n"}},
        {nb(addr + "CONTEXT = \"BYFOO()\""), {"ERROR : Invalid Function name : BYFOO @ 3\n"}},
        {nb(addr + "CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , "
                   "CONTEXT = \"BYHOST()\""),
         {"ERROR: Maximum of three contexts can be given: @ 3\n"}},
        {nb(addr + "EBGP-MULTI-HOP = \"3\""), {"ERRor: Number expected for EBGP-MULTI-HOP : 3 @ 3\n"}},
        {nb(addr + "WEIGHT = abc"), {"ERRor: Number expected for weight : abc @ 3\n"}},
        {nb(addr + "WEIGHT = \"<X\""), {"ERROR: '>' expected for expression: '<X' @ 3\n"}},
        {nb(addr + "ROUTEMAP-IN = RM"), {"Error: Specify routmap name within quotes : RM @ 3\n"}},
        {nb(addr + "ROUTEMAP-IN = \"" + std::string(101, 'R') + "\""),
         {"Token exceeded the max length: " + std::string(101, 'R') + " @3\n"}},
        {nb(addr + "ROUTEMAP-OUT = \"" + std::string(101, 'R') + "\""),
         {"ERROR: Token exceeded the max length: " + std::string(101, 'R') + " @3\n"}},
        {nb(addr + "PREFIXLIST-OUT = P"), {"Error: Specify prefix list name within quotes : P @ 3\n"}},
        {nb(addr + "DISTLIST-IN = D"), {"Error: Specify dist list name within quotes : D @ 3\n"}},
        {nb(addr + "FILTERLIST-OUT = F"), {"Error: Specify filter list name within quotes : F @ 3\n"}},
        // The names are checked once the list is read.
        {nb(addr + "FILTERLIST-IN = \"<X\" , FOO = 1"), {"ERRor: Invalid attribute name : FOO @ 3\n"}},
        {nb(addr + "FILTERLIST-IN = \"<X\""), {"ERROR: '>' expected for expression: '<X' @ 3\n"}},
        {nb(addr + "UPDATE-SOURCE = u"), {"Error: Specify update-source value within quotes: u @ 3\n"}},
        {nb(addr + "AUTHENTICATED = YES"), {"ERRor: Invalid syntax boolean value expected @3\n"}},
        {nb(addr + "ADDRTYPE = " + std::string(31, 'T')),
         {"Token exceeded the max length: " + std::string(31, 'T') + " @3\n"}},
        {nb(addr + "COLOR = 1"), {"ERRor: Invalid attribute name : COLOR @ 3\n"}},
        {nb("NEIGHBOR \"EVALIP(10.0.0.1)\""), {"ERRor: Invalid syntax '=' expected @ 3\n"}},
        {nb("NEIGHBOR = \"EVALIP(10.0.0.1)\" REMOTEAS = 1"), {"Error:',' or ')' expected : REMOTEAS @ 3\n"}},
        {kBlock + "NEIGHBOR ( ) END", {"ERRor: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "NEIGHBOR = NEIGHBOR END", {"ERRor: Invalid syntax '(' expected @ 3\n"}},
    });
}

TEST_F(BgpMessages, PeersAndMembers) {
    auto peer = [](const std::string &body) { return list("PEER", "PEER-NAME = P , " + body); };
    const std::string g = kBlock.substr(0, kBlock.size() - 1) + " PEER = ( PEER-NAME = G )\n";
    check({
        {list("PEER", "REMOTEAS = 1"), {"Error : Mandatory field 'PEER-NAME' in bgppeertokens is not defined: 3\n"}},
        {list("PEER", ""), {"Error : Mandatory field 'PEER-NAME' in bgppeertokens is not defined: 3\n"}},
        {list("PEER", "PEER-NAME = G", true), {"Error: Duplicate peer name. Already defined : G @ 3\n"}},
        {list("PEER", "PEER-NAME = 5"), {"Error: Peer group name expected : 5 @ 3\n"}},
        {list("PEER", "PEER-NAME = \"" + std::string(101, 'P') + "\""),
         {"ERROR: Token exceeded the max length: " + std::string(101, 'P') + " @3\n"}},
        // A peer's weight is a plain number.
        {peer("WEIGHT = \"5\""), {"Error: Number expected for weight : 5 @ 3\n"}},
        {peer("REMOTEAS = x"), {"Error: Remote asn expected : x @ 3\n"}},
        {peer("REMOTEAS = \"" + std::string(31, 'A') + "\""),
         {"Token exceeded the max length: " + std::string(31, 'A') + " @3\n"}},
        {peer("EBGP-MULTI-HOP = x"), {"Error: Number expected for EBGP-MULTI-HOP : x @ 3\n"}},
        {peer("UPDATE-SOURCE = \"EVALIP(10.0.0.1)\""),
         {"Error: Interfacename  is required for update source : EVALIP(10.0.0.1) @ 3\n"}},
        {peer("UPDATE-SOURCE = u"), {"Error: Specify update-source value within quotes: u @ 3\n"}},
        {peer("DEFAULT-ORIGINATE = maybe"), {"Error: Invalid syntax boolean value expected  MAYBE @ 3\n"}},
        {peer("NEXT-HOP-SELF = 1"), {"Error: Invalid syntax boolean value expected @3\n"}},
        // Names checked at the attribute, without contexts.
        {peer("ROUTEMAP = \"<X\" , FOO = 1"), {"ERROR: '>' expected for expression: '<X' @ 3\n"}},
        {peer("ROUTEMAP-OUT = R"), {"Error: Specify routmap name within quotes : R @ 3\n"}},
        {peer("FILTERLIST-OUT = \"" + std::string(101, 'F') + "\""),
         {"ERROR: Token exceeded the max length: " + std::string(101, 'F') + " @3\n"}},
        {peer("DISTLIST-OUT = \"" + std::string(101, 'D') + "\""),
         {"Token exceeded the max length: " + std::string(101, 'D') + " @3\n"}},
        {peer("PEER-NAME = Q"), {"ERROR: Duplicate token: 'PEER-NAME' @ 3\n"}},
        {peer("COLOR = 1"), {"Error: Invalid attribute name : COLOR @ 3\n"}},
        {peer("WEIGHT 1"), {"Error: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "PEER ( ) END", {"Error: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "PEER = PEER-NAME END", {"Error: Invalid syntax '(' expected @ 3\n"}},
        {g + "PEER-MEMBER G = ( HOSTNAME = h )\nEND", {"Error: Keyword '#' expected: G @3\n"}},
        {g + "PEER-MEMBER # \"G\" = ( HOSTNAME = h )\nEND", {"Error: bgp peer name expected : G @3\n"}},
        {g + "PEER-MEMBER # WEIGHT = ( HOSTNAME = h )\nEND", {"Error: bgp peer name expected : WEIGHT @3\n"}},
        {g + "PEER-MEMBER # NOPE = ( HOSTNAME = h )\nEND", {"Error: Invalid peer name. Not defined : NOPE @ 3\n"}},
        {g + "PEER-MEMBER # G ( HOSTNAME = h )\nEND", {"Error: Invalid syntax '=' expected @ 3\n"}},
        {g + "PEER-MEMBER # G = HOSTNAME END", {"Error: Invalid syntax '(' expected @ 3\n"}},
        // A keyword of the neighbor lists is no variable name.
        {g + "PEER-MEMBER # G = ( weight = 5 )\nEND", {"Error: Invalid attribute name : weight @ 3\n"}},
        {g + "PEER-MEMBER # G = ( NOSUCH = 5 )\nEND",
         {"ERROR : Invalid node/domain/connection attribute  : NOSUCH @3 \n"}},
        {g + "PEER-MEMBER # G = ( HOSTNAME 5 )\nEND", {"Error: Invalid syntax '=' expected @ 3\n"}},
        {g + "PEER-MEMBER # G = ( HOSTNAME = h NODEID = 1 )\nEND", {"Error:',' or ')' expected : NODEID @ 3\n"}},
    });
}

TEST_F(BgpMessages, NetworksAndAggregates) {
    auto net = [](const std::string &body) { return list("NETWORK", body); };
    auto agg = [](const std::string &body) { return list("AGGREGATE", body); };
    const std::string a = "NETWORK = \"EVALIP(10.0.0.0)\"";
    const std::string any = "NETWORK = \"0.0.0.0\"";
    check({
        // The "0.0.0.0" rule holds in either order.
        {net(any + " , PREFIX = 8"), {"Error:Value 0 expected for prefix : 8 @ 3\n"}},
        {net("PREFIX = 8 , " + any), {"Error:Value 0 expected for prefix : 8 @ 3\n"}},
        {net(a + " , PREFIX = 0"), {"Error:Number (1 to 32) expected : 0 @ 3\n"}},
        {net("PREFIX = 0 , " + a), {"Error:Number (1 to 32) expected : 0 @ 3\n"}},
        {net(a + " , PREFIX = 33"), {"Error:Number (1 to 32) expected : 33 @ 3\n"}},
        // Range-checked before it becomes a number: no wrap.
        {net(a + " , PREFIX = 4294967304"), {"Error:Number (1 to 32) expected : 4294967304 @ 3\n"}},
        {net(a + " , PREFIX = x"), {"Error:Number (1 to 32) expected : X @ 3\n"}},
        {net("NETWORK = n"), {"Error: Specify bgp network within quotes: n @ 3\n"}},
        {net("NETWORK = \"INT(INTERFACE.A)\""),
         {"Error:valid ip network is required for the bgp network statement: INT(INTERFACE.A) @ 3\n"}},
        {net("NETWORK = \"" + std::string(101, 'N') + "\""),
         {"ERROR : Function name expected : " + std::string(101, 'N') + " @ 3\n"}},
        {net(a + " , ROUTEMAP = R"), {"Error: Specify routemap name within quotes : R @ 3\n"}},
        {net(a + " , ROUTEMAP = \"" + std::string(31, 'R') + "\""),
         {"Token exceeded the max length: " + std::string(31, 'R') + " @3\n"}},
        {net(""), {"Error: Network address not specifed. @ 3\n"}},
        {net("PREFIX = 8"), {"Error: Network address not specifed. @ 3\n"}},
        {net(a + " , " + a), {"ERROR: Duplicate token: 'NETWORK' @ 3\n"}},
        {net("NETWORK \"x\""), {"Error: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "NETWORK ( ) END", {"Error: Invalid syntax '=' expected @ 3\n"}},
        {kBlock + "NETWORK = x END", {"Error: Invalid syntax '(' expected @ 3\n"}},
        {agg(a + " , PREFIX = 8"), {"Error : Mandatory field 'AS-SET' for AGGREGATE is not defined: 3\n"}},
        {agg(a + " , AS-SET = TRUE"), {"Error : Mandatory field 'PREFIX' for AGGREGATE is not defined: 3\n"}},
        {agg(a + " , PREFIX = 33"), {"Error: Number (1 to 32) expected : 33 @ 3\n"}},
        {agg("PREFIX = 0 , AS-SET = TRUE , " + a), {"Error: Number (1 to 32) expected : 0 @ 3\n"}},
        {agg("PREFIX = 8 , AS-SET = TRUE , " + any), {"Error:Value 0 expected for prefix : 8 @ 3\n"}},
        {agg(a + " , AS-SET = yes"), {"Error: Invalid syntax boolean value expected @3\n"}},
        {agg(a + " , SUMMARY-ONLY = yes"), {"Error: Invalid syntax boolean value expected  YES @ 3\n"}},
        {agg(a + " , SUPPRESS-MAP = \"" + std::string(81, 'S') + "\""),
         {"Token exceeded the max length: " + std::string(81, 'S') + " @3\n"}},
        {agg(a + " , ADVERTISE-MAP = A"), {"Error: Specify routemap name within quotes : A @ 3\n"}},
        {agg(a + " , ATTRIBUTE-MAP = \"<X\""), {"ERROR: '>' expected for expression: '<X' @ 3\n"}},
        {agg(a + " , CONTEXT = X"), {"Error: Specify context  within quotes: X @ 3\n"}},
        {agg(a + " , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , "
                 "CONTEXT = \"BYHOST()\""),
         {"ERROR: Maximum of three contexts can be given: @ 3\n"}},
        {agg("NETWORK = x"), {"Error: Specify aggregate address within quotes: x @ 3\n"}},
        {agg("NETWORK = \"INT(INTERFACE.A)\""),
         {"Error: ip address/network is required for the bgp address aggregate: INT(INTERFACE.A) @ 3\n"}},
        {agg(""), {"Error: Aggregate address not specifed. @ 3\n"}},
        {agg(a + " , AS-SET = TRUE , AS-SET = TRUE"), {"ERROR: Duplicate token: 'AS-SET' @ 3\n"}},
        {agg("NETWORK \"x\""), {"Error: Invalid syntax '=' expected : x @ 3\n"}},
        {kBlock + "AGGREGATE ( ) END", {"Error: Invalid syntax '=' expected : ( @ 3\n"}},
        {kBlock + "AGGREGATE = x END", {"Error: Invalid syntax '(' expected : x @ 3\n"}},
    });
}

TEST_F(BgpMessages, FileEndingInsideTheBlockOrAListIsAnError) {
    // "ASN" is the text of the token the file ends in: the number after it
    // is missing.
    const std::string b = "ROUTING-BGP CORE.PE ASN 1 M BEGIN";
    check_cut_short({
        {"ROUTING-BGP CORE.PE ASN",
         {"Error: Syntax error. Numeric field or Quoted string expected for ASN field:   @2\n"}},
        {b, {"Error: Invalid attribute name encountered :  @2\n"}},
        {b + " ROUTERID =", {"Error: Specify bgp network within quotes:  @ 2\n"}},
        {b + " NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.1)\" ,", {"ERRor: Invalid attribute name :  @ 2\n"}},
        {b + " PEER = ( PEER-NAME = G", {"Error: Peer group name expected : G @ 2\n"}},
        {b + " PEER = ( PEER-NAME = G ) PEER-MEMBER # G = ( HOSTNAME = h ,", {"Error: Invalid attribute name :  @ 2\n"}},
        {b + " PEER = ( PEER-NAME = G ) PEER-MEMBER # G = ( HOSTNAME =", {"Error:',' or ')' expected :  @ 2\n"}},
        {b + " NETWORK = ( NETWORK = \"EVALIP(10.0.", {"Error: Specify bgp network within quotes: EVALIP(10.0. @ 2\n"}},
        {b + " AGGREGATE = ( NETWORK = \"EVALIP(10.0.0.0)\"", {"Error:',' or ')' expected :  @ 2\n"}},
        {b + " REDISTRIBUTION = (", {"Error: Invalid attribute name :  @ 2\n"}},
    });
}
