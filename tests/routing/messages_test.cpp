// Every message class of the routing blocks, each with its own spelling,
// and the file that ends inside a block.
#include "routing_load.h"

using RoutingMessages = RoutingLoad;

TEST_F(RoutingMessages, HeadersOfEveryBlock) {
    check({
        {"ROUTING-OSPF NOWHERE . PE PROCESS 1 M BEGIN END", {"Error: Domain undefined: NOWHERE \n @2"}},
        {"ROUTING-OSPF CORE PE PROCESS 1 M BEGIN END", {"Error:'.' expected as a qualifer for node type : PE \n @2"}},
        {"ROUTING-OSPF CORE . XX PROCESS 1 M BEGIN END", {"Error: Invalid node . Not defined : XX  @2\n"}},
        {"ROUTING-OSPF CORE . PE PROC 1 M BEGIN END", {"Error: Syntax error . Keyword 'PROCESS' expected: PROC  @2\n"}},
        {"ROUTING-OSPF CORE . PE PROCESS x O BEGIN END",
         {"Error: Syntax error. Numeric field expected for OSPF processid: x  @2\n"}},
        {"ROUTING-OSPF CORE . PE PROCESS 1 X BEGIN END", {"Error: Syntax error. M/O expected : X @2 \n"}},
        {"ROUTING-OSPF CORE . PE PROCESS 1 M START END", {"Error: Keyword 'BEGIN' expected : START @2\n"}},
        {"ROUTING-EIGRP ZZ . PE PROCESS 1 M BEGIN END", {"Error: Domain undefined ZZ \n @2"}},
        {"ROUTING-EIGRP CORE PE PROCESS 1 M BEGIN END", {"Error: '.' expected as a qualifer for node type @ 2\n"}},
        {"ROUTING-IGRP CORE . PE PROCESS y M BEGIN END",
         {"Error: Syntax error. Numeric field expected for IGRP processid: y  @2\n"}},
        {"ROUTING-RIP CORE PE M BEGIN END", {"Error:'.' expected as a qualifer for node type : PE @2\n"}},
        {"ROUTING-RIP CORE . PE M GO END", {"Keyword 'BEGIN' expected : GO @2\n"}},
        // Static routes: an unknown domain and node are only reported.
        {"ROUTING-STATIC ZZ . YY BEGIN END",
         {"Error: Domain undefined : ZZ \n @2", "Error: Invalid node . Not defined : YY  @2\n"}},
        {"ROUTING-STATIC CORE : PE BEGIN END", {"Error: '.' expected as a qualifer for node type : : \n @2"}},
        {"ROUTING-STATIC CORE . PE GO END", {"Error: Keyword 'BEGIN' expected : GO \n @2"}},
        {"MPLS CORE PE M BEGIN END", {"Error:  '.' expected as a qualifer for node type @ 2\n"}},
        {"LDP ZZ . PE M BEGIN END", {"Error: Domain undefined ZZ \n @2"}},
        {"TAGSWITCHING CORE . PE Q BEGIN END", {"Error: Syntax error. M/O expected : Q @2 \n"}},
    });
}

TEST_F(RoutingMessages, BodiesAndDeclarations) {
    check({
        {"LDP CORE . P M BEGIN WORD END", {"Error: Invalid attribute name : WORD @ 2\n"}},
        {"MPLS CORE . P M BEGIN END\nMPLS CORE . P O BEGIN END",
         {"Error: Protocl 'MPLS' has already been defined for CORE:P @4\n"}},
        {"RSPVP CORE . P M BEGIN END\nRSPVP CORE . P M BEGIN END",
         {"Error: Protocl 'RSVP' has already been defined for CORE:P @4\n"}},
        {"ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN AREA # 0 . STUB = stub END\n"
         "ROUTING-OSPF CORE.PE PROCESS 1 O BEGIN AREA # 0 . STUB = stub END",
         {"Error: Protocol OSPF has already been defined for CORE:PE 1 @4\n"}},
        {"ROUTING-RIP CORE.P M BEGIN END\nROUTING-RIP CORE.P O BEGIN END",
         {"Error: Protocl RIP has already been defined for CORE:P @4\n"}},
        {"ROUTING-EIGRP EDGE.CE PROCESS 5 M BEGIN END\nROUTING-EIGRP EDGE.CE PROCESS 5 M BEGIN END",
         {"Error: Protocol EIGRP has already been defined for EDGE:CE 5 @4\n"}},
        {"ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN\nEND", {"Error : Area not defined for OSPF : 1 @4\n"}},
        {"ROUTING-RIP CORE.P M BEGIN USAGE-CONDITION = \"BYHOST()\" END",
         {"Error: USAGE-CONDITION is applicable only for Optional protocols.@ 2\n"}},
        {"ROUTING-RIP CORE.P O BEGIN USAGE-CONDITION \"BYHOST()\" END", {"Error: Invalid syntax '=' expected @ 2\n"}},
        {"ROUTING-RIP CORE.P O BEGIN USAGE-CONDITION = \"BYFOO()\" END",
         {"ERROR : Invalid Function name : BYFOO @ 2\n"}},
        {"ROUTING-RIP CORE.P O BEGIN OWNINGCONTEXT \"BYHOST()\" END", {"Error: '=' expected : BYHOST() @2\n"}},
        {"ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN FOO END", {"Error: Invalid attribute name : FOO @2\n"}},
        {"ROUTING-EIGRP EDGE.CE PROCESS 5 M BEGIN OFFSET = ( ) END", {"Error: Invalid attribute name : OFFSET @2\n"}},
        {"ROUTING-RIP CORE.P M BEGIN DEFAULT = ( ) END", {"Error: Invalid attribute name : DEFAULT @2\n"}},
        {"ROUTING-STATIC CORE.PE BEGIN FOO END", {"Error: Invalid attribute :FOO @2\n"}},
        {"ROUTING-STATIC CORE.PE BEGIN IPX = ( ) END", {"Error: Protocol Type IPX  not yet implemented : IPX \n @2"}},
        // Names that do not fit their 30-character fields.
        {"ROUTING-STATIC CORE.PE BEGIN INSTANCENAME = " + std::string(31, 'I') + " END",
         {"Token exceeded the max length: " + std::string(31, 'I') + " @2\n"}},
        {"ROUTING-RIP CORE.P M BEGIN INSTANCENAME = " + std::string(31, 'I') + " END",
         {"Token exceeded the max length: " + std::string(31, 'I') + " @2\n"}},
        {"ROUTING-RIP CORE.P M BEGIN OWNINGCONTEXT = \"BYHOST(" + std::string(30, 'H') + ")\" END",
         {"Token exceeded the max length: BYHOST(" + std::string(30, 'H') + ") @2\n"}},
        // A token the tokenizer refused ends the body as END does; its last
        // character is then read as a block keyword.
        {"ROUTING-RIP CORE.P M BEGIN " + std::string(300, 'W') + " END",
         {"ERROR : Token length exceeds maximum token length  : " + std::string(299, 'W') + " @ 2\n",
          "Error: Invalid block type : W @ 2\n"}},
    });
}

TEST_F(RoutingMessages, StaticRouteLists) {
    const std::string dest = " , DESTINATION = \"INT(INTERFACE.A)\"";
    auto ip = [](const std::string &list) { return "ROUTING-STATIC CORE.PE BEGIN\nIP = ( " + list + " )\nEND"; };
    check({
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 0" + dest), {"Error:Number (1 to 32) expected : 0 @ 3\n"}},
        // Whichever comes first, "0.0.0.0" takes only 0.
        {ip("PREFIX = 8 , NETWORK = \"0.0.0.0\"" + dest), {"Error:Value 0 expected for prefix : 8 @ 3\n"}},
        {ip("NETWORK = \"0.0.0.0\" , PREFIX = 8" + dest), {"Error:Value 0 expected for prefix : 8 @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 99999999999" + dest),
         {"Error:Number (1 to 32) expected : 99999999999 @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 33" + dest), {"Error:Number (1 to 32) expected : 33 @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = \"8\"" + dest), {"Error:Number (1 to 32) expected : 8 @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\""), {"Error: Destination address not specified for static route . @ 3\n"}},
        {ip("WEIGHT = 1" + dest), {"Error: Source address not specified for static route . @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , NETWORK = \"EVALIP(10.0.0.0)\""),
         {"ERROR: Duplicate token: 'NETWORK' @ 3\n"}},
        {ip("NETWORK \"EVALIP(10.0.0.0)\""), {"Error: Invalid syntax '=' expected @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" WEIGHT = 1"), {"Error:',' or ')' expected : WEIGHT @ 3\n"}},
        {ip("COLOR = 1"), {"Error: Invalid attribute name : COLOR @ 3\n"}},
        {ip("NETWORK = EVALIP"), {"Error: Specify Source IP address within quotes: EVALIP @ 3\n"}},
        {ip("CONTEXT = BYHOST"), {"Error: Specify context  within quotes: BYHOST @ 3\n"}},
        {ip("NETWORK = \"" + std::string(101, 'N') + "\""),
         {"Token exceeded the max length: " + std::string(101, 'N') + " @3\n"}},
        // Addresses are address functions; a literal is refused.
        {ip("NETWORK = \"10.0.0.0\"" + dest), {"ERROR : Function name expected : 10.0.0.0 @ 3\n"}},
        {ip("NETWORK = \"INT(INTERFACE.B)\"" + dest),
         {"Error:ip address/network is required for the SOURCE: INT(INTERFACE.B) @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , DESTINATION = \"VAR(X)\""),
         {"ERROR : Invalid node/domain/connection attribute  : X @3 \n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , WEIGHT = abc" + dest),
         {"Error: Numeric value expected for WEIGHT : abc @ 3\n"}},
        // Only reported: the entry goes on and is checked to its end.
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , DESTINATION = eth0"),
         {"Error: Specify destination address/name within quotes: eth0 @ 3\n",
          "ERROR : Function name expected : eth0 @ 3\n"}},
        {ip("NETWORK = \"EVALIP(10.0.0.0)\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , "
            "CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\"" + dest),
         {"ERROR: Maximum of three contexts can be given: @ 3\n"}},
        {"ROUTING-STATIC CORE.PE BEGIN IP ( ) END", {"Error: Invalid syntax '=' expected @ 2\n"}},
        {"ROUTING-STATIC CORE.PE BEGIN IP = NETWORK END", {"Error: Invalid syntax '(' expected @ 2\n"}},
    });
}

TEST_F(RoutingMessages, SharedLists) {
    auto ospf = [](const std::string &body) {
        return "ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN AREA # 0 . STUB = stub\n" + body + "\nEND";
    };
    auto rip = [](const std::string &body) { return "ROUTING-RIP CORE.P M BEGIN\n" + body + "\nEND"; };
    const std::string ifc = "INTERFACE = \"INT(INTERFACE.A)\"";
    check({
        {ospf("REDISTRIBUTION = ( PROTOCOL = isis )"),
         {"Error: Invalid redistribute protocol specified : isis @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = \"static\" )"), {"Error:protocol type expected: static @ 3\n"}},
        {ospf("REDISTRIBUTION = ( METRIC = 1 )"), {"Error :Redist protocol not specified for redistribution. @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , METRIC = abc )"),
         {"Error:numeric value  or string expected for metric expected: abc @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , METRIC = \"ten\" )"),
         {"Error:numeric value  or string expected for metric expected: ten @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , ASN = abc )"),
         {"Error:number or string expected for processid/asn: abc @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , TAG = 5 )"), {"Error: Specify tag value within quotes: 5 @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , ROUTEMAP = \"<X\" )"),
         {"ERROR: '>' expected for expression: '<X' @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , METRIC-TYPE = \"1\" )"),
         {"Error: value for metric-type expected : 1 @ 3\n"}},
        {ospf("REDISTRIBUTION ( PROTOCOL = rip )"), {"Error: Invalid syntax '=' expected @ 3\n"}},
        {ospf("REDISTRIBUTION = PROTOCOL"), {"Error: Invalid syntax '(' expected : PROTOCOL @ 4\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL rip )"), {"Error: Invalid syntax '=' expected : rip @ 3\n"}},
        {ospf("REDISTRIBUTION = ( PROTOCOL = rip , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , "
              "CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" )"),
         {"ERROR: Maximum of three contexts can be defined: @ 3\n"}},
        {ospf("DEFAULT = ( METRIC-TYPE = \"x\" )"), {"Error: value for metric-type expected : x @ 3\n"}},
        {ospf("DEFAULT = ( ROUTEMAP = \"" + std::string(81, 'R') + "\" )"),
         {"Token exceeded the max length: " + std::string(81, 'R') + " @3\n"}},
        {ospf("DISTRIBUTE = ( " + ifc + " , DIRECTION = in )"),
         {"Error : Mandatory field 'LIST-NAME' in DISTRIBUTION is not defined: 3\n"}},
        {ospf("DISTRIBUTE = ( LIST-NAME = \"A\" , " + ifc + " , DIRECTION = up )"),
         {"Error: Invalid value for DIRECTION : up @ 3\n"}},
        {ospf("DISTRIBUTE = ( LIST-NAME = \"A\" , " + ifc + " , DIRECTION = \"in\" )"),
         {"Error: in/out expected  : in @ 3\n"}},
        {ospf("DISTRIBUTE = ( LIST-NAME = \"A\" , " + ifc + " , DIRECTION = in , PROTOCOL = isis )"),
         {"Error: Invalid value for PROTOCOL : isis @ 3\n"}},
        {ospf("DISTRIBUTE = ( LIST-NAME = A )"), {"Error: Specify listname value within quotes: A @ 3\n"}},
        {ospf("DISTRIBUTE = ( LIST-NAME = \"A\" , INTERFACE = \"EVALIP(10.0.0.1)\" , DIRECTION = in )"),
         {"Error: interfacename expected : EVALIP(10.0.0.1) @ 3\n"}},
        {ospf("DISTRIBUTE ( )"), {"Error: Invalid syntax '=' expected : ( \n @3"}},
        {rip("OFFSET = ( LIST-NAME = \"A\" , DIRECTION = in , OFFSET = 12345678 )"),
         {"ERRORL Token exceeded the max length: 12345678 @3\n"}},
        {rip("OFFSET = ( LIST-NAME = \"A\" , DIRECTION = in , OFFSET = \"5\" )"),
         {"Error: Offset value can only be numeric: 5 @3\n"}},
        {rip("OFFSET = ( LIST-NAME = \"A\" , OFFSET = 5 )"),
         {"Error : Mandatory field 'DIRECTION' in offsetlist is not defined: 3\n"}},
        {rip("OFFSET = ( LIST-NAME = \"A\" , DIRECTION = in , OFFSET = 5 , INTERFACE = A )"),
         {"Error: Specify interface value within quotes: A @ 3\n"}},
        {rip("PASSIVE-INTERFACE = ( A )"), {"Error: Invalid syntax interface identifiers expected within quotes @ 3\n"}},
        {rip("PASSIVE-INTERFACE = ( \"INT(INTERFACE.A)\" \"INT(INTERFACE.B)\" )"),
         {"Error: Invalid syntax '=' or ')' expected @ 3\n"}},
        // Only reported: the interface is kept and the list goes on.
        {rip("PASSIVE-INTERFACE = ( \"EVALIP(10.0.0.1)\" , \"INT(INTERFACE.B)\" )"),
         {"Error: Interfacename  is required for passive interface : EVALIP(10.0.0.1) @ 3\n"}},
    });
}

TEST_F(RoutingMessages, OspfAreasAndRipNetworks) {
    auto ospf = [](const std::string &body) { return "ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN\n" + body + "\nEND"; };
    auto rip = [](const std::string &body) { return "ROUTING-RIP CORE.P M BEGIN\n" + body + "\nEND"; };
    check({
        {ospf("AREA 0 . STUB = stub"), {"Error: Keyword '#' expected: 0 @3\n"}},
        // Only reported: the area is built all the same. (A token that ends
        // its line is reported on the next one, as the tokenizer counts.)
        {ospf("AREA # NOSUCH . STUB = stub"), {"Error: Areaid must be a number or a connection variable @3\n"}},
        {ospf("AREA # 0 STUB = stub"), {"Error: Attribute qualifier '.' expected: STUB @ 3\n"}},
        {ospf("AREA # 0 . COLOR = red"), {"Error : Invalid attribute name for OSPF AREA : COLOR @3\n"}},
        {ospf("AREA # 0 . STUB = TRUE"), {"Error: Invalid syntax boolean value expected : true @ 4\n"}},
        {ospf("AREA # 0 . STUB TRUE"), {"Error: Invalid syntax '=' expected : TRUE @ 4\n"}},
        {ospf("AREA # 0 . AUTHENTICATION = yes"), {"Error: Invalid syntax boolean value expected : YES @ 4\n"}},
        {ospf("AREA # 0 . AUTHENTICATION yes"), {"Error: Invalid syntax '=' expected yes @ 4\n"}},
        {ospf("AREA # 0 . NETWORK = ( a )"), {"Error: Invalid syntax . Value  expected within quotes : a @ 3\n"}},
        {ospf("AREA # 0 . NETWORK = \"a\""), {"Error: Invalid syntax '(' expected: a @ 3\n"}},
        {ospf("AREA # 0 . NETWORK = ( \"EVALIP(10.0.0.1)\" )"),
         {"Error: Invalid interfacename  : EVALIP(10.0.0.1) @ 3\n"}},
        {ospf("AREA # 0 . RANGE = ( PREFIX = 8 )"), {"Error: ADDRESS not specified for OSPF range @3\n"}},
        {ospf("AREA # 0 . RANGE = ( ADDRESS = \"EVALIP(10.0.0.0)\" , PREFIX = 0 )"),
         {"Error:Number (1 to 32) expected : 0 @ 3\n"}},
        {ospf("AREA # 0 . RANGE = ( ADDRESS = \"INT(INTERFACE.A)\" )"),
         {"Error:ip address/network is required for the range: INT(INTERFACE.A) @ 3\n"}},
        {ospf("AREA # 0 . RANGE = ( ADDRESS = \"EVALIP(10.0.0.0)\" PREFIX = 8 )"),
         {"Error: Invalid syntax '=' or ')' expected : PREFIX @ 3\n"}},
        {ospf("AREA # 0 . STUB = stub SUMMARY = ( ADDRESS = \"EVALIP(10.0.0.0)\" )"),
         {"Error : Mandatory field 'PREFIX' for SUMMARY in ROUTING-OSPF is not defined: 3\n"}},
        {ospf("AREA # 0 . STUB = stub SUMMARY = ( PREFIX = 8 )"),
         {"Error : Summary address not specified for static route . @ 3\n"}},
        {ospf("AREA # 0 . STUB = stub SUMMARY = ( ADDRESS = \"EVALIP(10.0.0.0)\" , PREFIX = 8 , TAG = 8 )"),
         {"Error: Specify tag value within quotes: 8 @ 3\n"}},
        {rip("NETWORK = ( SUMMARY-PREFIX = 8 )"), {"Error Interfacename not specified for routing protocol. @ 3\n"}},
        {rip("NETWORK = ( INTERFACE = \"INT(INTERFACE.A)\" , SUMMARY-ADDRESS = \"EVALIP(10.0.0.0)\" , "
             "SUMMARY-PREFIX = 0 )"),
         {"Error:Number (1 to 32) expected : 0 @ 3\n"}},
        {rip("NETWORK = ( SUMMARY-PREFIX = 5 , INTERFACE = \"INT(INTERFACE.A)\" , SUMMARY-ADDRESS = \"0.0.0.0\" )"),
         {"Error:Value 0 expected for prefix : 5 @ 3\n"}},
        {rip("NETWORK = ( INTERFACE = \"INT(INTERFACE.A)\" , AUTHENTICATION = maybe )"),
         {"Error: Invalid syntax boolean value expected @3\n"}},
        {rip("NETWORK = ( INTERFACE = \"EVALIP(10.0.0.1)\" )"), {"Error: Interfacename  expected: EVALIP(10.0.0.1) @ 3\n"}},
        {rip("NETWORK = ( INTERFACE = A )"), {"Error: Specify interfacename within quotes: A @ 3\n"}},
        {rip("NETWORK = ( INTERFACE = \"INT(INTERFACE.A)\" , INTERFACE = \"INT(INTERFACE.A)\" )"),
         {"ERROR: Duplicate token: 'INTERFACE' @ 3\n"}},
    });
}

TEST_F(RoutingMessages, FileEndingInsideABlockIsAnError) {
    // The end of the file goes to the step that meets it; a word the file
    // ends in is that token's text. A cut quoted string is a token error,
    // no quoted value.
    check_cut_short({
        {"ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN AREA # 0 . STUB = stub", {"Error: Invalid attribute name :  @2\n"}},
        {"ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN AREA # 0 . NETWORK = ( \"INT(INTERFACE.A",
         {"Error: Invalid syntax . Value  expected within quotes : INT(INTERFACE.A @ 2\n"}},
        {"ROUTING-RIP CORE.P M BEGIN NETWORK = ( INTERFACE = \"INT(INTERFACE.A)\"",
         {"Error:',' or ')' expected :  @ 2\n"}},
        {"ROUTING-EIGRP EDGE.CE PROCESS 5", {"Error: Syntax error. Numeric field expected for EIGRP processid: 5  @2\n"}},
        {"ROUTING-STATIC CORE.PE BEGIN IP = ( NETWORK = \"0.0.0.0\" , DESTINATION = \"INT(INTERFACE.A)\" )",
         {"Error: Invalid attribute : @2\n"}},
        {"MPLS CORE.P M BEGIN", {"Error: Invalid attribute name :  @ 2\n"}},
    });
}
