// tests/data/routing/cuts.ndl cut off inside every kind of routing block:
// between attributes, after a keyword, after "=", inside a list, after a
// ",", where an entry starts. Each cut is refused with the message of the
// step that meets the end of the file (its token empty, its line the one
// the file ends on), then the skip meets the end; the stored rows stay.
#include <sstream>

#include "routing_load.h"

namespace {

const char *const kAllTables[] = {
    "DOMAINSTATICROUTE", "DOMAINPROTOCOLS",   "DOMAINPASSIVEINT", "DOMAINADDRSUMMARY",  "DOMAINREDIST",
    "DOMAINOSPFDEFAULT", "DOMAINNODEAREAS",   "DOMAINNODEAREARANGES", "DOMAINCONNAREAS", "DOMAINDISTLIST",
    "DOMAINOFFSETLIST",  "DOMAINBGPPEER",     "DOMAINBGPPEERRULE", "DOMAINBGPINFO",     "DOMAINBGPNETWORK",
    "DOMAINBGPADDRAGRR", "PIMRPCLASS",        "PIMACCEPTCLASS",   "PIMBSRCLASS",        "PIMREGISTERCLASS",
    "PIMMEMBERRATECLASS", "PIMMEMBERCLASS",   "PIMRPFILTERCLASS", "PIMAUTORPCLASS",     "MSDPCLASS",
    "MSDPNEIGHBORCLASS", "IGMPINTCLASS",      "IGMPINTADDRCLASS", "DVMRPINTCLASS"};

// The file up to line `line` (1-based), of which only `start` is kept
// (empty: the file ends with the line before).
struct Cut {
    int line;
    std::string start;
    V errors;
};

// The messages that recur, with their line.
std::string at(const char *fmt, int line) {
    char text[200];
    std::snprintf(text, sizeof text, fmt, line);
    return text;
}
std::string eof_at(int l) { return at("Error: Unexpected end of file @ %d \n", l); }
std::string separator(int l) { return at("Error:',' or ')' expected :  @ %d\n", l); }
std::string bad_key(int l) { return at("Error: Invalid attribute name :  @ %d\n", l); }
std::string bad_body(int l) { return at("Error: Invalid attribute name :  @%d\n", l); }
std::string mo(int l) { return at("Error: Syntax error. M/O expected :  @%d \n", l); }
std::string begin_kw(int l) { return at("Error: Keyword 'BEGIN' expected :  @%d\n", l); }
std::string line_equal(int l) { return at("Error: Invalid syntax '=' expected @ %d\n", l); }
std::string line_open(int l) { return at("Error: Invalid syntax '(' expected @ %d\n", l); }
std::string equal(int l) { return at("Error: Invalid syntax '=' expected :  @ %d\n", l); }
std::string open_paren(int l) { return at("Error: Invalid syntax '(' expected :  @ %d\n", l); }
std::string label_dot(int l) { return at("Error:  '.' expected as a qualifer for node type @ %d\n", l); }

}  // namespace

class RoutingCuts : public RoutingLoad {
protected:
    void SetUp() override {
        RoutingLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Outcome whole = files("topo.ndl,cuts.ndl");
        ASSERT_EQ(whole.ret, 0) << ::testing::PrintToString(whole.messages);
        std::istringstream in(read_text(std::string(kRouting) + "/cuts.ndl"));
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        // Every table holds rows the cuts must leave alone.
        for (const char *t : kAllTables) ASSERT_FALSE(dump_rows(t).empty()) << t;
    }

    void expect_cuts(const std::vector<Cut> &cuts) {
        std::vector<CutText> texts;
        for (const Cut &c : cuts) {
            ASSERT_LE(static_cast<size_t>(c.line), lines.size()) << c.line;
            ASSERT_EQ(lines[c.line - 1].rfind(c.start, 0), 0u) << c.line << ": " << c.start;
            std::string text;
            for (int i = 0; i < c.line - 1; ++i) text += lines[i] + "\n";
            texts.push_back({text + c.start, c.errors});
        }
        expect_cuts_refused(texts);
    }

    std::vector<std::string> lines;
};

TEST_F(RoutingCuts, StaticAndOspfBlocks) {
    const std::string ip1 = "  IP = ( NETWORK = \"0.0.0.0\" ";
    const std::string area = "  AREA # 0 . NETWORK = ( \"INT(INTERFACE.Serial0)\" ";
    const std::string range = "  AREA # 1 . RANGE = ( ADDRESS = \"EVALIP(10.1.0.0)\" , PREFIX = ";
    const std::string summary = "  SUMMARY = ( ADDRESS = \"EVALIP(10.128.0.0)\" , PREFIX = 9 , TAG = ";
    expect_cuts({
        // The header: where a name is expected the block's end-of-file
        // message, elsewhere the message of the missing word.
        {5, "ROUTING-STATIC ", {eof_at(5)}},
        {5, "ROUTING-STATIC CORE ", {"Error: '.' expected as a qualifer for node type :  \n @5"}},
        {5, "ROUTING-STATIC CORE . ", {eof_at(5)}},
        {5, "ROUTING-STATIC CORE . PE ", {"Error: Keyword 'BEGIN' expected :  \n @5"}},
        // The body and its INSTANCENAME, whose "=" and name are not checked.
        {6, "", {"Error: Invalid attribute : @6\n"}},
        {6, "  INSTANCENAME ", {"Error: Invalid attribute : @6\n"}},
        {6, "  INSTANCENAME = ", {"Error: Invalid attribute : @6\n"}},
        {7, "  IP ", {line_equal(7)}},
        {7, "  IP = ", {line_open(7)}},
        {7, "  IP = ( ", {bad_key(7)}},
        {7, "  IP = ( NETWORK ", {line_equal(7)}},
        {7, "  IP = ( NETWORK = ", {"Error: Specify Source IP address within quotes:  @ 7\n"}},
        // Cut inside its quotes, the value is a token error: no quoted text.
        {7, "  IP = ( NETWORK = \"0.0", {"Error: Specify Source IP address within quotes: 0.0 @ 7\n"}},
        {7, ip1, {separator(7)}},
        {7, ip1 + ", ", {bad_key(7)}},
        {7, ip1 + ", PREFIX = ", {"Error:Number (1 to 32) expected :  @ 7\n"}},
        // An unquoted destination is only reported; the "," is missing.
        {7, ip1 + ", PREFIX = 0 , DESTINATION = ",
         {"Error: Specify destination address/name within quotes:  @ 7\n", separator(7)}},
        {7, ip1 + ", PREFIX = 0 , DESTINATION = \"INT(INTERFACE.Serial0)\" , WEIGHT = ", {separator(7)}},
        {8, "  IP = ( NETWORK = \"EVALIP(10.2.0.0)\" , CONTEXT = ", {"Error: Specify context  within quotes:  @ 8\n"}},
        {9, "", {"Error: Invalid attribute : @9\n"}},

        {10, "ROUTING-OSPF ", {eof_at(10)}},
        {10, "ROUTING-OSPF CORE ", {"Error:'.' expected as a qualifer for node type :  \n @10"}},
        {10, "ROUTING-OSPF CORE . ", {eof_at(10)}},
        {10, "ROUTING-OSPF CORE . PE ", {"Error: Syntax error . Keyword 'PROCESS' expected:   @10\n"}},
        {10, "ROUTING-OSPF CORE . PE PROCESS ", {"Error: Syntax error. Numeric field expected for OSPF processid:   @10\n"}},
        {10, "ROUTING-OSPF CORE . PE PROCESS 10 ", {mo(10)}},
        {10, "ROUTING-OSPF CORE . PE PROCESS 10 O ", {begin_kw(10)}},
        {11, "", {bad_body(11)}},
        {11, "  INSTANCENAME ", {"Error: '=' expected :  @11\n"}},
        // An empty instance name, owning context or usage condition is
        // taken; the body's next token is the end again.
        {11, "  INSTANCENAME = ", {bad_body(11)}},
        {12, "  OWNINGCONTEXT = ", {bad_body(12)}},
        {13, "  USAGE-CONDITION ", {line_equal(13)}},
        {13, "  USAGE-CONDITION = ", {bad_body(13)}},
        {14, "  AREA ", {"Error: Keyword '#' expected:  @14\n"}},
        // An empty area id is only reported; the "." after it is missing.
        {14, "  AREA # ",
         {"Error: Areaid must be a number or a connection variable @14\n",
          "Error: Attribute qualifier '.' expected:  @ 14\n"}},
        {14, "  AREA # 0 ", {"Error: Attribute qualifier '.' expected:  @ 14\n"}},
        {14, "  AREA # 0 . ", {"Error : Invalid attribute name for OSPF AREA :  @14\n"}},
        {14, "  AREA # 0 . NETWORK ", {equal(14)}},
        {14, "  AREA # 0 . NETWORK = ", {"Error: Invalid syntax '(' expected:  @ 14\n"}},
        {14, "  AREA # 0 . NETWORK = ( ", {"Error: Invalid syntax . Value  expected within quotes :  @ 14\n"}},
        {14, area, {"Error: Invalid syntax '=' or ')' expected :  @ 14\n"}},
        {14, area + ", ", {"Error: Invalid syntax . Value  expected within quotes :  @ 14\n"}},
        {15, "  AREA # 0 . AUTHENTICATION ", {"Error: Invalid syntax '=' expected  @ 15\n"}},
        {15, "  AREA # 0 . AUTHENTICATION = ", {"Error: Invalid syntax boolean value expected :  @ 15\n"}},
        {16, "  AREA # 1 . STUB ", {equal(16)}},
        {16, "  AREA # 1 . STUB = ", {"Error: Invalid syntax boolean value expected :  @ 16\n"}},
        {17, "  AREA # 1 . RANGE ", {equal(17)}},
        {17, "  AREA # 1 . RANGE = ", {open_paren(17)}},
        {17, "  AREA # 1 . RANGE = ( ", {bad_key(17)}},
        {17, "  AREA # 1 . RANGE = ( ADDRESS = ", {"Error: Specify  range address within quotes:  @ 17\n"}},
        {17, range, {"Error:Number (1 to 32) expected :  @ 17\n"}},
        {17, range + "16 , INSTANCENAME = ", {"Error: Invalid syntax '=' or ')' expected :  @ 17\n"}},
        {18, "", {bad_body(18)}},
        {18, "  SUMMARY ", {equal(18)}},
        {18, "  SUMMARY = ( ", {bad_key(18)}},
        {18, "  SUMMARY = ( ADDRESS = ", {"Error: Specify Summary IP address within quotes:  @ 18\n"}},
        {18, summary, {"Error: Specify tag value within quotes:  @ 18\n"}},
        {18, summary + "\"77\" ", {separator(18)}},
        {23, "", {bad_body(23)}},
    });
}

TEST_F(RoutingCuts, SharedListsAndDistanceVectorBlocks) {
    const std::string passive = "  PASSIVE-INTERFACE = ( \"INT(INTERFACE.Serial0)\" ";
    const std::string redist = "  REDISTRIBUTION = ( PROTOCOL = static , METRIC = ";
    const std::string dist = "  DISTRIBUTE = ( LIST-NAME = \"ACL-IN\" , INTERFACE = ";
    const std::string rip = "  NETWORK = ( INTERFACE = \"INT(INTERFACE.Eth0)\" , SUMMARY-ADDRESS = ";
    const std::string offset = "  OFFSET = ( LIST-NAME = \"ACL-OFF\" , DIRECTION = ";
    expect_cuts({
        {19, "  PASSIVE-INTERFACE ", {equal(19)}},
        {19, "  PASSIVE-INTERFACE = ", {line_open(19)}},
        {19, "  PASSIVE-INTERFACE = ( ", {"Error: Invalid syntax interface identifiers expected within quotes @ 19\n"}},
        {19, passive, {"Error: Invalid syntax '=' or ')' expected @ 19\n"}},
        {19, passive + ", ", {"Error: Invalid syntax interface identifiers expected within quotes @ 19\n"}},
        {20, "  REDISTRIBUTION ", {line_equal(20)}},
        {20, "  REDISTRIBUTION = ", {open_paren(20)}},
        {20, "  REDISTRIBUTION = ( ", {bad_key(20)}},
        {20, "  REDISTRIBUTION = ( PROTOCOL ", {equal(20)}},
        {20, "  REDISTRIBUTION = ( PROTOCOL = ", {"Error:protocol type expected:  @ 20\n"}},
        {20, redist, {"Error:numeric value  or string expected for metric expected:  @ 20\n"}},
        {20, redist + "10 , METRIC-TYPE = ", {"Error: value for metric-type expected :  @ 20\n"}},
        {20, redist + "10 , METRIC-TYPE = type-1 , CONTEXT = ", {"Error: Specify  context within quotes:  @ 20\n"}},
        {21, "  DISTRIBUTE ", {"Error: Invalid syntax '=' expected :  \n @21"}},
        {21, "  DISTRIBUTE = ", {open_paren(21)}},
        {21, "  DISTRIBUTE = ( LIST-NAME ", {"Error: Invalid syntax '=' expected :  \n @21"}},
        {21, "  DISTRIBUTE = ( LIST-NAME = ", {"Error: Specify listname value within quotes:  @ 21\n"}},
        {21, dist, {"Error: Specify routemap value within quotes:  @ 21\n"}},
        {21, dist + "\"INT(INTERFACE.Serial0)\" , DIRECTION = ", {"Error: in/out expected  :  @ 21\n"}},
        {21, dist + "\"INT(INTERFACE.Serial0)\" , DIRECTION = in , PROTOCOL = ",
         {"Error: protocol name expected  :  @ 21\n"}},
        {21, dist + "\"INT(INTERFACE.Serial0)\" , DIRECTION = in , PROTOCOL = rip ", {separator(21)}},
        {22, "  DEFAULT ", {line_equal(22)}},
        {22, "  DEFAULT = ( ", {bad_key(22)}},
        {22, "  DEFAULT = ( METRIC = ", {"Error:numeric value  or string expected for metric expected:  @ 22\n"}},
        {22, "  DEFAULT = ( METRIC = 5 , METRIC-TYPE = ", {"Error: value for metric-type expected :  @ 22\n"}},

        {24, "ROUTING-RIP ", {eof_at(24)}},
        {24, "ROUTING-RIP CORE ", {"Error:'.' expected as a qualifer for node type :  @24\n"}},
        {24, "ROUTING-RIP CORE . ", {eof_at(24)}},
        {24, "ROUTING-RIP CORE . P ", {mo(24)}},
        {24, "ROUTING-RIP CORE . P M ", {"Keyword 'BEGIN' expected :  @24\n"}},
        {25, "", {bad_body(25)}},
        {25, "  NETWORK ", {equal(25)}},
        {25, "  NETWORK = ", {open_paren(25)}},
        {25, "  NETWORK = ( ", {bad_key(25)}},
        {25, "  NETWORK = ( INTERFACE = ", {"Error: Specify interfacename within quotes:  @ 25\n"}},
        {25, rip, {"Error: Specify  range address within quotes:  @ 25\n"}},
        {25, rip + "\"EVALIP(10.3.0.0)\" , SUMMARY-PREFIX = ", {"Error:Number (1 to 32) expected :  @ 25\n"}},
        {25, rip + "\"EVALIP(10.3.0.0)\" , SUMMARY-PREFIX = 16 , AUTHENTICATION = ",
         {"Error: Invalid syntax boolean value expected @25\n"}},
        {26, "  PASSIVE-INTERFACE = ( \"INT(INTERFACE.Eth2)\" ", {"Error: Invalid syntax '=' or ')' expected @ 26\n"}},
        {27, "  OFFSET ", {"Error: Invalid syntax '=' expected :  \n @27"}},
        {27, "  OFFSET = ( LIST-NAME = ", {"Error: Specify listname value within quotes:  @ 27\n"}},
        {27, offset, {"Error: in/out expected  :  @ 27\n"}},
        {27, offset + "in , OFFSET = ", {"Error: Offset value can only be numeric:  @27\n"}},
        {27, offset + "in , OFFSET = 3 , ", {bad_key(27)}},
        {27, offset + "in , OFFSET = 3 , INTERFACE = ", {"Error: Specify interface value within quotes:  @ 27\n"}},
        {28, "", {bad_body(28)}},

        {29, "ROUTING-EIGRP ", {eof_at(29)}},
        {29, "ROUTING-EIGRP EDGE ", {"Error: '.' expected as a qualifer for node type @ 29\n"}},
        {29, "ROUTING-EIGRP EDGE . CE ", {"Error: Syntax error . Keyword 'PROCESS' expected:   @29\n"}},
        {29, "ROUTING-EIGRP EDGE . CE PROCESS ", {"Error: Syntax error. Numeric field expected for EIGRP processid:   @29\n"}},
        {29, "ROUTING-EIGRP EDGE . CE PROCESS 100 ", {mo(29)}},
        {30, "", {bad_body(30)}},
        {30, "  NETWORK = ( INTERFACE = \"INT(INTERFACE.Serial0)\" ", {separator(30)}},
        {32, "ROUTING-IGRP EDGE . CE PROCESS ", {"Error: Syntax error. Numeric field expected for IGRP processid:   @32\n"}},
        {33, "", {bad_body(33)}},

        {34, "MPLS ", {eof_at(34)}},
        {34, "MPLS CORE ", {label_dot(34)}},
        {34, "MPLS CORE . ", {eof_at(34)}},
        {34, "MPLS CORE . P ", {mo(34)}},
        {34, "MPLS CORE . P M ", {begin_kw(34)}},
        {35, "", {bad_key(35)}},
        {36, "LDP CORE . P O BEGIN ", {bad_key(36)}},
        {37, "RSPVP CORE . PE O ", {begin_kw(37)}},
        {38, "TAGSWITCHING EDGE . CE ", {mo(38)}},
    });
}

TEST_F(RoutingCuts, BgpBlock) {
    const std::string bgp = "ROUTING-BGP CORE . PE ASN ";
    const std::string peer = "  PEER = ( PEER-NAME = RR , REMOTEAS = ";
    const std::string member = "  PEER-MEMBER # RR = ( HOSTNAME ";
    const std::string neighbor = "  NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.2)\" ";
    const std::string network = "  NETWORK = ( NETWORK = \"EVALIP(10.1.0.0)\" , PREFIX = ";
    const std::string aggregate = "  AGGREGATE = ( NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = ";
    const std::string encountered = "Error: Invalid attribute name encountered :  @";
    expect_cuts({
        // Only a token error is the end of the file where a name is
        // expected: the end itself is an unknown domain or node type.
        {39, "ROUTING-BGP ", {"Error: Domain undefined  \n @39"}},
        {39, "ROUTING-BGP CORE ", {label_dot(39)}},
        {39, "ROUTING-BGP CORE . ", {"Error: Invalid node . Not defined :   @39\n"}},
        {39, "ROUTING-BGP CORE . PE ", {"Error: Syntax error . Keyword 'ASN' expected:   @39\n"}},
        {39, bgp, {"Error: Syntax error. Numeric field or Quoted string expected for ASN field:   @39\n"}},
        {39, bgp + "65000 ", {mo(39)}},
        {39, bgp + "65000 O ", {begin_kw(39)}},
        {40, "", {encountered + std::string("40\n")}},
        {40, "  INSTANCENAME ", {line_equal(40)}},
        {40, "  INSTANCENAME = ", {encountered + std::string("40\n")}},
        {41, "  OWNINGCONTEXT = ", {encountered + std::string("41\n")}},
        {42, "  USAGE-CONDITION ", {line_equal(42)}},
        {42, "  USAGE-CONDITION = ", {encountered + std::string("42\n")}},
        {43, "  ROUTERID ", {line_equal(43)}},
        {43, "  ROUTERID = ", {"Error: Specify bgp network within quotes:  @ 43\n"}},
        {44, "  CLUSTERID = ", {"Error: Specify bgp network within quotes:  @ 44\n"}},
        {45, "  PEER ", {line_equal(45)}},
        {45, "  PEER = ", {line_open(45)}},
        {45, "  PEER = ( ", {bad_key(45)}},
        {45, "  PEER = ( PEER-NAME ", {line_equal(45)}},
        {45, "  PEER = ( PEER-NAME = ", {"Error: Peer group name expected :  @ 45\n"}},
        {45, peer, {"Error: Remote asn expected :  @ 45\n"}},
        {45, peer + "65000 , NEXT-HOP-SELF = ", {"Error: Invalid syntax boolean value expected @45\n"}},
        // A "," may come before the ")", so a key is what the end meets.
        {45, peer + "65000 , NEXT-HOP-SELF = TRUE , ", {bad_key(45)}},
        {46, "  PEER-MEMBER ", {"Error: Keyword '#' expected:  @46\n"}},
        {46, "  PEER-MEMBER # ", {"Error: bgp peer name expected :  @46\n"}},
        {46, "  PEER-MEMBER # RR ", {line_equal(46)}},
        {46, "  PEER-MEMBER # RR = ", {line_open(46)}},
        {46, "  PEER-MEMBER # RR = ( ", {bad_key(46)}},
        {46, member, {line_equal(46)}},
        // The value is taken whatever it is, the "," after it is missing.
        {46, member + "= ", {separator(46)}},
        {46, member + "= \"pe1\" , ", {bad_key(46)}},
        {47, "  NEIGHBOR ", {"ERRor: Invalid syntax '=' expected @ 47\n"}},
        {47, "  NEIGHBOR = ", {"ERRor: Invalid syntax '(' expected @ 47\n"}},
        {47, "  NEIGHBOR = ( ", {"ERRor: Invalid attribute name :  @ 47\n"}},
        {47, "  NEIGHBOR = ( NEIGHBOR ", {"ERRor: Invalid syntax '=' expected @ 47\n"}},
        {47, "  NEIGHBOR = ( NEIGHBOR = ", {"Error: Specify  neighbor within quotes:  @ 47\n"}},
        {47, neighbor, {separator(47)}},
        {47, neighbor + ", ", {"ERRor: Invalid attribute name :  @ 47\n"}},
        {47, neighbor + ", REMOTEAS = ", {"ERRor: Temote asn expected (NUMBER or STRING) :  @ 47\n"}},
        {47, neighbor + ", REMOTEAS = 65001 , PEER-GROUP = ", {"ERRor: Peer group name expected :  @ 47\n"}},
        {47, neighbor + ", REMOTEAS = 65001 , PEER-GROUP = RR , SEND-COMMUNITY = ",
         {"ERRor: Invalid syntax boolean value expected @47\n"}},
        {48, "", {encountered + std::string("48\n")}},
        {48, "  NETWORK ", {line_equal(48)}},
        {48, "  NETWORK = ", {line_open(48)}},
        {48, "  NETWORK = ( ", {bad_key(48)}},
        {48, "  NETWORK = ( NETWORK = ", {"Error: Specify bgp network within quotes:  @ 48\n"}},
        {48, network, {"Error:Number (1 to 32) expected :  @ 48\n"}},
        {48, network + "16 , ROUTEMAP = ", {"Error: Specify routemap name within quotes :  @ 48\n"}},
        {49, "  AGGREGATE ", {equal(49)}},
        {49, "  AGGREGATE = ", {open_paren(49)}},
        {49, "  AGGREGATE = ( ", {bad_key(49)}},
        {49, "  AGGREGATE = ( NETWORK = ", {"Error: Specify aggregate address within quotes:  @ 49\n"}},
        {49, aggregate, {"Error: Number (1 to 32) expected :  @ 49\n"}},
        {49, aggregate + "8 , AS-SET = ", {"Error: Invalid syntax boolean value expected @49\n"}},
        {49, aggregate + "8 , AS-SET = TRUE , CONTEXT = ", {"Error: Specify context  within quotes:  @ 49\n"}},
        {50, "  REDISTRIBUTION = ( PROTOCOL = ospf , ASN = ",
         {"Error:number or string expected for processid/asn:  @ 50\n"}},
        {51, "  DISTRIBUTE = ( LIST-NAME = \"ACL-BGP\" , INTERFACE = \"INT(INTERFACE.Serial0)\" , DIRECTION = in ",
         {separator(51)}},
        {52, "", {encountered + std::string("52\n")}},
    });
}

TEST_F(RoutingCuts, MulticastAndVrfBlocks) {
    const std::string reg = "  REGISTER = ( SOURCE ";
    const std::string rp = "  RP = ( MODE = ";
    const std::string msdp_peer = "  PEER = ( NEIGHBOR = ";
    const std::string dvmrp = "  MEMBER = ( INTERFACE = \"INT(INTERFACE.Serial0)\" , METRIC = ";
    const std::string vrf = "  DESCRIPTION = ( VRFGROUPNAME ";
    const std::string vrf_equal = "ERROR: Invalid syntax '=' expected : @ %d\n";
    expect_cuts({
        {53, "ROUTING-PIM ", {eof_at(53)}},
        {53, "ROUTING-PIM CORE ", {label_dot(53)}},
        {53, "ROUTING-PIM CORE . ", {eof_at(53)}},
        {53, "ROUTING-PIM CORE . PE ", {mo(53)}},
        {53, "ROUTING-PIM CORE . PE O ", {begin_kw(53)}},
        {54, "", {bad_key(54)}},
        {54, "  USAGE-CONDITION ", {line_equal(54)}},
        {54, "  USAGE-CONDITION = ", {bad_key(54)}},
        {55, "  REGISTER ", {line_equal(55)}},
        {55, "  REGISTER = ", {line_open(55)}},
        {55, "  REGISTER = ( ", {bad_key(55)}},
        {55, reg, {line_equal(55)}},
        {55, reg + "= ", {separator(55)}},
        {55, reg + "= \"INT(INTERFACE.Loopback0)\" , ", {bad_key(55)}},
        {55, reg + "= \"INT(INTERFACE.Loopback0)\" , RATE = 10 ", {separator(55)}},
        {56, "  MEMBER = ( INTERFACE = \"INT(INTERFACE.Serial0)\" , MODE = ", {"Error: Invalid PIM mode : @ 56\n"}},
        {56, "  MEMBER = ( INTERFACE = \"INT(INTERFACE.Serial0)\" , MODE = sparse-mode , CONTEXT = ",
         {"Error: Specify context  within quotes:  @ 56\n"}},
        {57, "  RATE = ( INTERFACE = \"INT(INTERFACE.Serial0)\" , RATE = 20 , DIRECTION = ",
         {"Error: Invalid Direction value : @ 57\n"}},
        {58, rp, {"Error: Invalid RP mode : @ 58\n"}},
        {58, rp + "STATIC , RP = ", {"Error: Please specify RP within quotes:  @ 58\n"}},
        {58, rp + "STATIC , RP = \"EVALIP(10.0.0.1)\" , ACL-NAME = ", {"Error: Please specify ACL within quotes:  @ 58\n"}},
        {59, "  RPACCEPT = ( RP = \"EVALIP(10.0.0.3)\" , ACL-NAME = \"ACC\" , AUTO-RP = FALSE ", {separator(59)}},
        // A TRUE key takes the end as an empty value.
        {59, "  RPACCEPT = ( RP = \"EVALIP(10.0.0.3)\" , ACL-NAME = \"ACC\" , AUTO-RP = ", {separator(59)}},
        {60, "  BSR = ( INTERFACE = ", {separator(60)}},
        {60, "  BSR = ( INTERFACE = \"INT(INTERFACE.Loopback0)\" , PRIORITY = 7 ", {separator(60)}},
        {61, "  MAPPINGAGENT = ( ", {bad_key(61)}},
        {62, "  AUTORPFILTER = ( RPLIST = ", {separator(62)}},
        {63, "", {bad_key(63)}},
        {64, "ROUTING-IGMP CORE . P ", {mo(64)}},
        {65, "", {bad_key(65)}},
        {65, "  MEMBER = ( INTERFACE = \"INT(INTERFACE.Eth0)\" , ACL = ", {separator(65)}},
        {66, "  GROUP = ( INTERFACE = \"INT(INTERFACE.Eth0)\" , ADDRTYPE = ",
         {"Error: Invalid addresstype for IGMP :  @ 66\n"}},
        {66, "  GROUP = ( INTERFACE = \"INT(INTERFACE.Eth0)\" , ADDRTYPE = STATIC , ADDRESS = \"239.1.1.1\" ",
         {separator(66)}},
        {67, "", {bad_key(67)}},
        {68, "ROUTING-MSDP ", {eof_at(68)}},
        {68, "ROUTING-MSDP CORE . ", {eof_at(68)}},
        {68, "ROUTING-MSDP CORE . PE ", {mo(68)}},
        {69, "", {bad_key(69)}},
        {69, "  ORIGINATORID ", {"ERROR: token '=' is expected:  @ 69\n"}},
        // An empty value is taken; the body's next token is the end again.
        {69, "  ORIGINATORID = ", {bad_key(69)}},
        {70, "  BORDERSAADDRESS = ", {bad_key(70)}},
        {71, "  PEER = ( ", {bad_key(71)}},
        {71, msdp_peer, {separator(71)}},
        {71, msdp_peer + "\"10.0.0.9\" , ", {bad_key(71)}},
        {71, msdp_peer + "\"10.0.0.9\" , CONNECTSOURCE = \"INT(INTERFACE.Loopback0)\" , DEFAULTPEER = ", {separator(71)}},
        {72, "  REDISTRIBUTE ", {line_equal(72)}},
        {72, "  REDISTRIBUTE = ( ACL = ", {separator(72)}},
        {73, "", {bad_key(73)}},
        {74, "ROUTING-DVMRP EDGE . CE ", {mo(74)}},
        {75, "", {bad_key(75)}},
        {75, dvmrp, {separator(75)}},
        {75, dvmrp + "3 , SUMMARYADDRESS = \"10.1.0.0\" , SUMMARYMASK = ", {separator(75)}},
        {76, "", {bad_key(76)}},

        // As the shared domain-node reader has it: the end of the file is an
        // unknown domain, then the "." is missing; an unknown node type is
        // only reported.
        {77, "VRF ", {"Error: domain undefined: '' @ 77 \n", "Error: '.' expected as a qualifer for node type @ 77\n"}},
        {77, "VRF CORE ", {"Error: '.' expected as a qualifer for node type @ 77\n"}},
        {77, "VRF CORE . ", {"Error: Invalid node . Not defined :   @77\n", begin_kw(77)}},
        {77, "VRF CORE . PE ", {begin_kw(77)}},
        {78, "", {bad_body(78)}},
        {78, "  DESCRIPTION ", {at(vrf_equal.c_str(), 78)}},
        {78, "  DESCRIPTION = ", {"ERROR: Invalid syntax '(' expected : @ 78\n"}},
        {78, "  DESCRIPTION = ( ", {"ERROR: Invalid attribute name :  @ 78\n"}},
        {78, vrf, {at(vrf_equal.c_str(), 78)}},
        {78, vrf + "= ", {separator(78)}},
        {78, vrf + "= blue , CONTEXT = ", {"Error: Specify  context within quotes:  @ 78\n"}},
        {79, "  VRF ", {at(vrf_equal.c_str(), 79)}},
        {79, "  VRF = ( VRFCLASS = GOLD , ", {"ERROR: Invalid attribute name :  @ 79\n"}},
        {79, "  VRF = ( VRFCLASS = GOLD , SHARED = ", {separator(79)}},
        {80, "  MEMBERFILTER = ( VARIABLENAME = ", {separator(80)}},
        {81, "  ROUTETARGET = ( TYPE = both , POLICY = \"P1\" ", {separator(81)}},
        {82, "", {bad_body(82)}},
    });
}
