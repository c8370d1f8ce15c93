// The round trip: a TOPOLOGY file loaded into a fresh repository; then a run
// that parses only another section reads every stored table back into the
// record lists and writes it again, and a run of the same file in mode
// updateversion replaces it with itself. Every table must be unchanged.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

class RoundTrip : public TopoLoad {};

}  // namespace

TEST_F(RoundTrip, EveryTableIsReadBackAndWrittenUnchanged) {
    Outcome r = load("roundtrip_topology.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    std::map<std::string, V> first = snapshot();

    // What the blocks stored, quotes included.
    EXPECT_EQ(first["DOMAIN"].size(), 2u);
    EXPECT_EQ(first["DOMAINVARIABLES"].size(), 8u);
    EXPECT_EQ(first["DOMAINNODES"].size(), 3u);
    EXPECT_EQ(first["DOMAINNODEVARS"].size(), 7u);
    EXPECT_EQ(first["DOMAINSERVICES"].size(), 2u);
    EXPECT_EQ(first["IPADDRESSPOOLS"].size(), 3u);
    EXPECT_EQ(first["DOMAINNODELOGINT"].size(), 4u);
    EXPECT_EQ(first["ADDRESSASSIGN"].size(), 5u);
    EXPECT_EQ(first["ADDRESSDEPENDENCY"].size(), 3u);
    EXPECT_EQ(first["DOMAININSTVARS"].size(), 2u);
    EXPECT_EQ(first["DOMAINCONNECTIONS"].size(), 1u);
    EXPECT_EQ(first["DOMAINCONNTYPES"].size(), 2u);
    EXPECT_EQ(first["DOMAINCONNVARS"].size(), 2u);
    EXPECT_EQ(first["DOMAINFIXEDCONN"].size(), 3u);
    EXPECT_EQ(first["DOMAININTNAMES"].size(), 2u);
    EXPECT_EQ(first["DOMAINREMOTETYPES"].size(), 1u);
    EXPECT_EQ(first["DOMAININTTYPES"].size(), 2u);
    EXPECT_EQ(first["DOMAINNODECONNBKP"].size(), 1u);
    EXPECT_EQ(first["HSRPMEMBER"].size(), 1u);
    EXPECT_EQ(first["HSRPCONNECTIONS"].size(), 1u);
    EXPECT_EQ(first["APSMEMBER"].size(), 1u);
    EXPECT_EQ(first["DOMAINCONNFILTERS"].size(), 1u);
    EXPECT_EQ(first["VCCLASS"], V{"1|3|Core-Gre|GRE|TUNNEL|STRICT|BIDIRECTIONAL|INTERNAL|20|1"});
    EXPECT_EQ(first["VCMEMBERCLASS"], (V{"1|3|1|NORTH|PE|2|10|INGRESS|Tunnel0, it's||Joe's loopback",
                                         "1|3|2|SOUTH|CPE|0|1|EGRESS||PE-CPE|"}));
    EXPECT_EQ(first["VCMEMBERFILTERS"], (V{"1|3|1|NODEID", "1|3|1|SITENAME", "1|3|2|CUSTOMERID"}));
    EXPECT_EQ(rows("SELECT variablevalue FROM domainconnvars WHERE variablename = 'CARRIER'"), V{"Joe's"});
    EXPECT_EQ(rows("SELECT \"offset\" FROM addressassign WHERE namedpointtype = 4"), V{"it's 2"});
    EXPECT_EQ(rows("SELECT organization FROM networks"), V{"O'Brien & Sons"});
    EXPECT_EQ(rows("SELECT variablevalue FROM domainvariables WHERE domainname = 'SOUTH' AND sequence = 2"),
              V{"it's"});
    EXPECT_EQ(first["GLOBALLISTVARS"].size(), 3u);
    EXPECT_EQ(first["VALIDINTBANDWIDTH"].size(), 3u);
    EXPECT_EQ(first["SERVICETYPENAMES"].size(), 2u);
    EXPECT_EQ(first["SERVICETYPES"].size(), 3u);
    EXPECT_EQ(first["SERVICETYPEVARS"].size(), 4u);
    EXPECT_EQ(first["POOLCLASS"].size(), 2u);
    EXPECT_EQ(first["POOLTYPES"].size(), 3u);
    EXPECT_EQ(first["COMPOOLTYPES"].size(), 2u);
    EXPECT_EQ(first["POOLSEQUENCE"].size(), 5u);
    EXPECT_EQ(rows("SELECT servicename FROM servicetypenames WHERE servicetype = 'VPN'"), V{"Joe's VPN"});
    EXPECT_EQ(rows("SELECT networkid, servicetype, sequence, variablename, displayname, variabletype, updatestatus, "
                   "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec FROM "
                   "servicetypevars WHERE variablename = 'RDBASE'"),
              V{"1|VPN|2|RDBASE|RDBASE|RANGE|FIXED-ASSIGNED|0|7|99|8||it's|NODE"});

    // Another section only: the topology goes through the readers and the
    // writers untouched.
    r = load("roundtrip_routing.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    expect_same(first, snapshot());

    // The same file again replaces the topology with itself.
    r = load("roundtrip_topology.ndl", "updateversion");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    expect_same(first, snapshot());

    // And once more through the readers, after the reload.
    r = load("roundtrip_routing.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    expect_same(first, snapshot());
}

TEST_F(RoundTrip, FailedReloadLeavesEveryTableAsItWas) {
    ASSERT_EQ(load("roundtrip_topology.ndl").ret, 0);
    std::map<std::string, V> first = snapshot();
    // The same network, cut off inside a block.
    const std::string text = data_text("roundtrip_topology.ndl");
    Outcome r = load_text(text.substr(0, text.find("NODES SOUTH.CPE") + 40), "updateversion");
    EXPECT_EQ(r.ret, 2);
    expect_same(first, snapshot());
}
