// Every message class of the multicast and VRF blocks, each with its own
// spelling, and the files that end inside one of them.
#include "routing_load.h"

namespace {

const std::string kIf = "INTERFACE = \"INT(INTERFACE.A)\"";

std::string pim(const std::string &body) { return "ROUTING-PIM CORE.PE M BEGIN " + body + " END"; }
std::string igmp(const std::string &body) { return "ROUTING-IGMP CORE.P M BEGIN " + body + " END"; }
std::string msdp(const std::string &body) { return "ROUTING-MSDP CORE.PE M BEGIN " + body + " END"; }
std::string dvmrp(const std::string &body) { return "ROUTING-DVMRP EDGE.CE M BEGIN " + body + " END"; }
std::string vrf(const std::string &body) {
    return "VRF CORE.PE BEGIN DESCRIPTION = ( VRFGROUPNAME = G ) " + body + " END";
}

}  // namespace

using MulticastMessages = RoutingLoad;

TEST_F(MulticastMessages, HeadersAndBodies) {
    check({
        {"ROUTING-PIM ZZ . PE M BEGIN END", {"Error: Domain undefined ZZ \n @2"}},
        {"ROUTING-IGMP CORE PE M BEGIN END", {"Error:  '.' expected as a qualifer for node type @ 2\n"}},
        {"ROUTING-DVMRP CORE . XX M BEGIN END", {"Error: Invalid node . Not defined : XX  @2\n"}},
        {"ROUTING-MSDP CORE . XX M BEGIN END", {"Error: Invalid node. Not defined : XX  @2\n"}},
        {"ROUTING-PIM CORE . PE X BEGIN END", {"Error: Syntax error. M/O expected : X @2 \n"}},
        {"ROUTING-IGMP CORE . P M GO END", {"Error: Keyword 'BEGIN' expected : GO @2\n"}},
        {pim("USAGE-CONDITION = \"BYHOST()\""),
         {"Error: USAGE-CONDITION is applicable only for Optional protocols.@ 2\n"}},
        {"ROUTING-DVMRP EDGE.CE O BEGIN USAGE-CONDITION \"BYHOST()\" END",
         {"Error: Invalid syntax '=' expected @ 2\n"}},
        {"ROUTING-IGMP CORE.P O BEGIN USAGE-CONDITION = \"BYFOO()\" END",
         {"ERROR : Invalid Function name : BYFOO @ 2\n"}},
        {pim("FOO"), {"Error: Invalid attribute name : FOO @ 2\n"}},
        {igmp("RP = ( )"), {"Error: Invalid attribute name : RP @ 2\n"}},
        {pim("") + "\n" + pim(""), {"Error: Protocl PIM has already been defined for CORE:PE @4\n"}},
        {igmp("") + "\n" + igmp(""), {"Error: Protocl IGMP has already been defined for CORE:P @4\n"}},
        {dvmrp("") + "\n" + dvmrp(""), {"Error: Protocl DVMRP has already been defined for EDGE:CE @4\n"}},
        {msdp("ORIGINATORID = \"INT(INTERFACE.A)\"") + "\n" + msdp(""),
         {"Error: Protocl MSDP has already been defined for CORE:PE @4\n"}},
        // A token the tokenizer refused ends the body as END does; its last
        // character is then read as a block keyword.
        {pim(std::string(300, 'W')),
         {"ERROR : Token length exceeds maximum token length  : " + std::string(299, 'W') + " @ 2\n",
          "Error: Invalid block type : W @ 2\n"}},
    });
}

TEST_F(MulticastMessages, TheListsOfEverySubBlock) {
    check({
        {pim("MEMBER ( " + kIf + " )"), {"Error: Invalid syntax '=' expected @ 2\n"}},
        {pim("MEMBER = " + kIf), {"Error: Invalid syntax '(' expected @ 2\n"}},
        {pim("MEMBER = ( COLOR = 1 )"), {"Error: Invalid attribute name : COLOR @ 2\n"}},
        {pim("MEMBER = ( " + kIf + " , interface = \"INT(INTERFACE.B)\" )"),
         {"ERROR: Duplicate token: 'INTERFACE' @ 2\n"}},
        {pim("MEMBER = ( INTERFACE \"INT(INTERFACE.A)\" )"), {"Error: Invalid syntax '=' expected @ 2\n"}},
        {pim("MEMBER = ( " + kIf + " MODE = dense-mode )"), {"Error:',' or ')' expected : MODE @ 2\n"}},
        {pim("MEMBER = ( " + kIf + " , , )"), {"Error: Invalid attribute name : , @ 2\n"}},
        {pim("MEMBER = ( " + kIf + " , CONTEXT = BYHOST )"),
         {"Error: Specify context  within quotes: BYHOST @ 2\n"}},
        {pim("MEMBER = ( " + kIf + " , CONTEXT = \"BYFOO()\" )"), {"ERROR : Invalid Function name : BYFOO @ 2\n"}},
        // The fourth context is reported and dropped; the list is read on.
        {pim("MEMBER = ( " + kIf +
             " , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" ,"
             " MODE = Sparse-Mode )"),
         {"ERROR: Maximum of three contexts can be given: @ 2\n", "Error: Invalid PIM mode :Sparse-Mode @ 2\n"}},
        {pim("MEMBER = ( INTERFACE = \"EVALIP(10.0.0.1)\" )"),
         {"Error: Interfacename is expected: EVALIP(10.0.0.1) @ 2\n"}},
        {pim("MEMBER = ( MODE = dense-mode )"), {"Error: Interfacename is expected:  @ 2\n"}},
        // "The last token read" is the closing parenthesis.
        {pim("MEMBER = ( " + kIf + " , INRATE = abc )"),
         {"Error: Numeric expression is expected for inrate: ) @ 2\n"}},
        {pim("RATE = ( " + kIf + " , RATE = 1 , DIRECTION = IN )"), {"Error: Invalid Direction value :IN @ 2\n"}},
        {pim("RATE = ( " + kIf + " , RATE = x )"), {"Error: Numeric expression is expected for rate: x @ 2\n"}},
        {pim("RATE = ( " + kIf + " )"),
         {"Error : Mandatory field 'RATE' for 'RATE' in 'ROUTING-PIM' block is not defined: 2\n"}},
        {pim("REGISTER = ( RATE = 10 )"), {"Error: Interface is  expected for register source: ) @ 2\n"}},
        {pim("REGISTER = ( SOURCE = \"INT(INTERFACE.A)\" , RATE = x )"),
         {"Error: Numeric expression is expected for registerrate: ) @ 2\n"}},
        {pim("REGISTER = ( SOURCE = \"INT(INTERFACE.A)\" , ACCEPTRATE = y , )"),
         {"Error: Numeric expression is expected for acceptregisterrate: ) @ 2\n"}},
    });
}

TEST_F(MulticastMessages, RendezvousPointSubBlocks) {
    const std::string rp = "RP = \"EVALIP(10.0.0.1)\"";
    check({
        {pim("RP = ( MODE = static , " + rp + " , ACL-NAME = \"A\" )"), {"Error: Invalid RP mode :static @ 2\n"}},
        {pim("RP = ( MODE = STATIC , RP = x , ACL-NAME = \"A\" )"),
         {"Error: Please specify RP within quotes: x @ 2\n"}},
        {pim("RP = ( MODE = STATIC , " + rp + " , ACL-NAME = A )"),
         {"Error: Please specify ACL within quotes: A @ 2\n"}},
        {pim("RP = ( MODE = BSR , " + rp + " )"),
         {"Error : Mandatory field 'ACL-NAME' for 'RP' in 'ROUTING-PIM' block is not defined: 2\n"}},
        {pim("RPACCEPT = ( AUTO-RP = TRUE , " + rp + " )"),
         {"Error : RP should not be specified when AUTO-RP is true. 2\n"}},
        // TRUE in any case is TRUE.
        {pim("RPACCEPT = ( AUTO-RP = true , RP = \"10.0.0.9\" , ACL-NAME = \"a1\" )"),
         {"Error : RP should not be specified when AUTO-RP is true. 2\n"}},
        {pim("RPACCEPT = ( RP = \"10.0.0.9\" , AUTO-RP = tRUE )"),
         {"Error : RP should not be specified when AUTO-RP is true. 2\n"}},
        {pim("BSR = ( " + kIf + " , PRIORITY = abc )"),
         {"Error: Numeric expression is expected for priority: ) @ 2\n"}},
        {pim("BSR = ( " + kIf + " , HASH-MASK-LEN = x )"),
         {"Error: Numeric expression is expected for masklen: ) @ 2\n"}},
        {pim("BSR = ( PRIORITY = 5 )"), {"Error: Interfacename  expected:  @ 2\n"}},
        {pim("BSR = ( " + kIf + " , CONTEXT = \"BYHOST()\" )"), {"Error: Invalid attribute name : CONTEXT @ 2\n"}},
        {pim("MAPPINGAGENT = ( CONTEXT = \"BYHOST()\" )"),
         {"Error : Mandatory field 'INTERFACE' for 'MAPPINGAGENT' in 'ROUTING-PIM' block is not defined: 2\n"}},
        {pim("MAPPINGAGENT = ( INTERFACE = \"EVALIP(10.0.0.1)\" )"),
         {"Error: Interfacename  expected: EVALIP(10.0.0.1) @ 2\n"}},
        {pim("AUTORPFILTER = ( RPLIST = \"A\" , RPLIST = \"B\" )"), {"ERROR: Duplicate token: 'RPLIST' @ 2\n"}},
    });
}

TEST_F(MulticastMessages, IgmpMsdpAndDvmrpSubBlocks) {
    const std::string group = "GROUP = ( " + kIf + " , ADDRTYPE = JOIN";
    check({
        {igmp("GROUP = ( " + kIf + " , ADDRTYPE = static , ADDRESS = \"239.0.0.1\" )"),
         {"Error: Invalid addresstype for IGMP : static @ 2\n"}},
        // One context only for a group, three for a member.
        {igmp(group + " , ADDRESS = \"239.0.0.1\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" )"),
         {"ERROR: Duplicate token: 'CONTEXT' @ 2\n"}},
        {igmp("GROUP = ( INTERFACE = \"EVALIP(10.0.0.1)\" , ADDRTYPE = JOIN )"),
         {"Error : Mandatory field 'ADDRESS' for 'GROUP' in 'ROUTING-IGMP' block is not defined: 2\n"}},
        {igmp("MEMBER = ( INTERFACE = \"EVALIP(10.0.0.1)\" )"),
         {"Error: Interfacename  expected: EVALIP(10.0.0.1) @ 2\n"}},
        {igmp("MEMBER = ( ACL = \"A\" )"),
         {"Error : Mandatory field 'INTERFACE' for 'MEMBER' in 'ROUTING-IGMP' block is not defined: 2\n"}},

        {msdp("ORIGINATORID \"INT(INTERFACE.A)\""), {"ERROR: token '=' is expected:  @ 2\n"}},
        // Without an originator the block fails at END, after its declaration.
        {msdp(""), {"Error: Interfacename  expected:  @ 3\n"}},
        {msdp("ORIGINATORID = \"EVALIP(10.0.0.1)\""), {"Error: Interfacename  expected: EVALIP(10.0.0.1) @ 3\n"}},
        {msdp("USAGE-CONDITION = \"BYHOST()\""),
         {"Error: USAGE-CONDITION is applicable only for Optional protocols.@ 2\n"}},
        {msdp("REDISTRIBUTE = ( ACL = \"A\" , ACL = \"B\" )"), {"ERROR: Duplicate token: 'ACL' @ 2\n"}},
        {msdp("REDISTRIBUTE = ( CONTEXT = \"BYHOST()\" )"), {"Error: Invalid attribute name : CONTEXT @ 2\n"}},
        {msdp("PEER = ( CONNECTSOURCE = \"INT(INTERFACE.A)\" )"),
         {"Error : Mandatory field 'NEIGHBOR' for 'PEER' in 'ROUTING-MSDP' block is not defined: 2\n"}},
        {msdp("PEER = ( NEIGHBOR = \"10.0.0.1\" )"), {"Error: Interfacename  expected:  @ 2\n"}},

        {dvmrp("MEMBER = ( " + kIf + " , SUMMARYMASK = \"16\" , SUMMARYADDRESS = \"10.0.0.0\" )"),
         {"ERROR: Please specify summary address before mask: @ 2\n"}},
        {dvmrp("MEMBER = ( " + kIf + " , METRIC = x )"), {"Error: Numeric expression is expected for metric: x @ 2\n"}},
        {dvmrp("MEMBER = ( METRIC = 1 )"),
         {"Error : Mandatory field 'INTERFACE' for 'MEMBER' in 'ROUTING-DVMRP' block is not defined: 2\n"}},
        {dvmrp("MEMBER = ( INTERFACE = \"EVALIP(10.0.0.1)\" )"),
         {"Error: Interfacename  expected: EVALIP(10.0.0.1) @ 2\n"}},
    });
}

TEST_F(MulticastMessages, VrfBlocks) {
    check({
        // An unknown domain or node type is reported and the block read on.
        {"VRF ZZ . YY BEGIN FOO END",
         {"Error: domain undefined: 'ZZ' @ 2 \n", "Error: Invalid node . Not defined : YY  @2\n",
          "Error: Invalid attribute name : FOO @2\n"}},
        {"VRF CORE PE BEGIN END", {"Error: '.' expected as a qualifer for node type @ 2\n"}},
        {"VRF CORE.PE GO END", {"Error: Keyword 'BEGIN' expected : GO @2\n"}},
        {"VRF CORE.PE BEGIN VRF = ( VRFCLASS = A ) END", {"Error: DESCRIPTION needs to be given before VRF @2\n"}},
        {vrf("MEMBERFILTER = ( )"), {"Error: VRF needs to be given before MEMBERFILTER @2\n"}},
        {vrf("ROUTETARGET = ( )"), {"Error: VRF needs to be given before ROUTETARGET @2\n"}},
        {vrf("DESCRIPTION = ( )"), {"ERROR: Duplicate token: 'DESCRIPTION' @ 2\n"}},
        {vrf("VRF ( )"), {"ERROR: Invalid syntax '=' expected :( @ 2\n"}},
        {vrf("VRF = X"), {"ERROR: Invalid syntax '(' expected :X @ 2\n"}},
        {vrf("VRF = ( VRFCLASS A )"), {"ERROR: Invalid syntax '=' expected :A @ 2\n"}},
        {vrf("VRF = ( VRFCLASS = A VRFNAME = B )"), {"Error:',' or ')' expected : VRFNAME @ 2\n"}},
        {vrf("VRF = ( ) MEMBERFILTER = ( VRFCLASS = A )"), {"ERROR: Invalid attribute name : VRFCLASS @ 2\n"}},
        // Values that do not fit their 30-character fields are refused.
        {vrf("VRF = ( VRFCLASS = " + std::string(31, 'C') + " )"),
         {"Token exceeded the max length: " + std::string(31, 'C') + " @2\n"}},
        {vrf("VRF = ( ) ROUTETARGET = ( TYPE = \"" + std::string(31, 't') + "\" )"),
         {"Token exceeded the max length: " + std::string(31, 't') + " @2\n"}},
        {"VRF CORE.PE BEGIN DESCRIPTION = ( VRFGROUPNAME = " + std::string(31, 'g') + " ) END",
         {"Token exceeded the max length: " + std::string(31, 'G') + " @2\n"}},
        {"VRF CORE.PE BEGIN DESCRIPTION = ( CONTEXT = BYHOST ) END",
         {"Error: Specify  context within quotes: BYHOST @ 2\n"}},
        {"VRF CORE.PE BEGIN DESCRIPTION = ( CONTEXT = \"BYFOO()\" ) END",
         {"ERROR : Invalid Function name : BYFOO @ 2\n"}},
        {"VRF CORE.PE BEGIN DESCRIPTION = ( CONTEXT = \"BYRASPOOL(" + std::string(190, 'P') + ")\" ) END",
         {"Token exceeded the max length: BYRASPOOL(" + std::string(190, 'P') + ") @2\n"}},
        {"VRF CORE.PE BEGIN DESCRIPTION = ( CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" ,"
         " CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" ) FOO END",
         {"ERROR: Maximum of three contexts can be given: @ 2\n", "Error: Invalid attribute name : FOO @2\n"}},
    });
}

TEST_F(MulticastMessages, AFileThatEndsInsideABlock) {
    // A value cut inside its quotes is taken as these keys take any value;
    // then no "," or ")" follows.
    const std::string quoted = "( INTERFACE = \"INT(INTERFACE.A";
    const std::string separator = "Error:',' or ')' expected :  @ 2\n";
    check_cut_short({{"ROUTING-PIM CORE.PE M BEGIN MEMBER = ( " + kIf + " ,", {"Error: Invalid attribute name :  @ 2\n"}},
                     {"ROUTING-PIM CORE.PE M BEGIN BSR = " + quoted, {separator}},
                     {"ROUTING-IGMP CORE.P M BEGIN MEMBER = " + quoted, {separator}},
                     {"ROUTING-MSDP CORE.PE M BEGIN PEER = ( NEIGHBOR = \"10.0", {separator}},
                     {"ROUTING-DVMRP EDGE.CE M BEGIN MEMBER = ( " + kIf, {separator}},
                     {"ROUTING-PIM CORE.PE M BEGIN ", {"Error: Invalid attribute name :  @ 2\n"}},
                     {"VRF CORE.PE BEGIN DESCRIPTION = ( VRFGROUPNAME = \"G", {separator}},
                     {"VRF CORE.PE BEGIN", {"Error: Invalid attribute name :  @2\n"}}});
}
