// Every unicast and label-switching block once: the rows each table gets,
// in the column order of its writer, and the counters that number them.
#include "routing_load.h"

TEST_F(RoutingLoad, CorpusStoresEveryBlockInColumnOrder) {
    Outcome r = files("topo.ndl,corpus.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);

    // Static routes: numbered per block; PREFIX 0 given before "0.0.0.0"
    // is the default route; AUTO is -1.
    EXPECT_EQ(table("DOMAINSTATICROUTE", "networkid, domainname, nodetype, protocol, addrno, context1, context2, "
                                         "context3, sourceaddr, sourcemask, destination, weight, ndlversion"),
              (V{"1|CORE|PE|IP|1||||0.0.0.0|0|INT(INTERFACE.Serial0)||1",
                 "1|CORE|PE|IP|2|BYHOST()|BYSERVICE(UNICAST.ALL.ALL)||EVALIP(10.2.0.0)|-1|EVALIP(10.9.9.9)|200|1"}));
    // RSPVP declares RSVP; label switching has process 1; RIP 0.
    EXPECT_EQ(table("DOMAINPROTOCOLS", "networkid, domainname, nodetype, protocol, asn, mandatory, routerid, "
                                       "clusterid, usagecondition, ndlversion"),
              (V{"1|CORE|PE|OSPF|10|O|||BYSERVICE(UNICAST.ALL.ALL)|1", "1|CORE|P|RIP|0|M||||1",
                 "1|EDGE|CE|EIGRP|100|M||||1", "1|EDGE|CE|IGRP|10|O||||1", "1|CORE|P|MPLS|1|M||||1",
                 "1|CORE|P|LDP|1|O||||1", "1|CORE|PE|RSVP|1|O||||1", "1|EDGE|CE|TAGSWITCHING|1|M||||1"}));
    EXPECT_EQ(table("DOMAINPASSIVEINT", "networkid, domainname, nodetype, protocol, asn, interfacename, ndlversion"),
              (V{"1|CORE|PE|OSPF|10|LOCALINT(INTERFACE.Loopback0)|1", "1|CORE|PE|OSPF|10|INT(INTERFACE.Serial9)|1",
                 "1|CORE|P|RIP|0|INT(INTERFACE.Ethernet2)|1"}));
    EXPECT_EQ(table("DOMAINADDRSUMMARY", "networkid, domainname, nodetype, protocol, asn, summary, prefix, tag, "
                                         "ndlversion"), (V{"1|CORE|PE|OSPF|10|EVALIP(10.128.0.0)|9|77|1"}));
    // Protocols lower-cased; the sequence between the version and the end.
    EXPECT_EQ(table("DOMAINREDIST", "networkid, domainname, nodetype, protocol, asn, redistprotocol, redistasn, "
                                    "metric, metrictype, route_map, tag, weight, match, ndlversion, context1, "
                                    "context2, context3, sequence"),
              (V{"1|CORE|PE|OSPF|10|static||10|type-1|STATIC-IN||||1||||1",
                 "1|CORE|PE|OSPF|10|bgp|65001||||5|9|internal|1|BYHOST()|||2",
                 "1|CORE|P|RIP|0|connected||||||||1||||1"}));
    EXPECT_EQ(table("DOMAINOSPFDEFAULT", "networkid, domainname, nodetype, protocol, asn, metric, metrictype, "
                                         "routemap, ndlversion"), (V{"1|CORE|PE|OSPF|10|5|type-2|DEFAULT-OUT|1"}));
    // Areas 0, 1 and BACKBONE (a node variable) numbered 1, 2, 3; RIP and
    // EIGRP one area row each, with asn 0.
    EXPECT_EQ(table("DOMAINNODEAREAS", "networkid, domainname, nodetype, routingprotocol, routedprotocol, asn, areaid, "
                                       "sequenceno, summaryaddr, summarmask, stubtype, ndlversion"),
              (V{"1|CORE|PE|OSPF|IP|10|0|1||0||1", "1|CORE|PE|OSPF|IP|10|1|2||0|nssa|1",
                 "1|CORE|PE|OSPF|IP|10|BACKBONE|3||0||1", "1|CORE|P|RIP|IP|0|0|1||0||1",
                 "1|EDGE|CE|EIGRP|IP|0|0|1||0||1"}));
    EXPECT_EQ(table("DOMAINNODEAREARANGES", "networkid, domainname, nodetype, routingprotocol, routedprotocol, asn, "
                                            "areaid, sequenceno, subsequenceno, summaryaddr, summarmask, ndlversion"),
              (V{"1|CORE|PE|OSPF|IP|10|0|1|1|EVALIP(10.0.0.0)|16|1",
                 "1|CORE|PE|OSPF|IP|10|1|2|2|EVALIP(10.1.0.0)|-1|1"}));
    // The area's authentication on its interfaces; the EIGRP summary
    // "0.0.0.0" with its prefix 0 given first.
    EXPECT_EQ(table("DOMAINCONNAREAS", "networkid, domainname, nodetype, routingprotocol, routedprotocol, asn, "
                                       "sequenceno, namedinterface, summaryaddr, summarmask, authenticated, ndlversion"),
              (V{"1|CORE|PE|OSPF|IP|10|1|LOCALINT(INTERFACE.Loopback0)||0|1|1",
                 "1|CORE|PE|OSPF|IP|10|1|INT(INTERFACE.Serial0)||0|1|1",
                 "1|CORE|PE|OSPF|IP|10|3|INT(INTERFACE.Serial1)||0|0|1",
                 "1|CORE|P|RIP|IP|0|1|LOCALINT(INTERFACE.Ethernet0)||0|0|1",
                 "1|CORE|P|RIP|IP|0|1|INT(INTERFACE.Ethernet1)|EVALIP(10.3.0.0)|16|1|1",
                 "1|EDGE|CE|EIGRP|IP|100|1|INT(INTERFACE.Serial0)|0.0.0.0|0|0|1"}));
    // PREFIX-NAME alone names the list (listtype 1).
    EXPECT_EQ(table("DOMAINDISTLIST", "networkid, domainname, nodetype, protocol, sequence, asn, context1, context2, "
                                      "context3, listtype, acl, direction, type, interfacename, redistprotocol, "
                                      "redistasn, ndlversion"),
              (V{"1|CORE|PE|OSPF|1|10|BYHOST()|||1|PL-IN|in|0|INT(INTERFACE.Serial0)|rip||1",
                 "1|CORE|P|RIP|1|0||||0|ACL-OUT|out|0|INT(INTERFACE.Ethernet0)|||1"}));
    EXPECT_EQ(table("DOMAINOFFSETLIST", "networkid, domainname, nodetype, protocol, sequence, context1, context2, "
                                        "context3, acl, direction, \"offset\", interfacename, ndlversion"),
              (V{"1|CORE|P|RIP|1||||ACL-OFF|in|3|INT(INTERFACE.Ethernet1)|1"}));
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions"), V{"1"});
}

TEST_F(RoutingLoad, AreasOfANodeNeverShareANumber) {
    // Areas 0, 1, 0, 2 and, in a second process of the same node, 0 again:
    // five areas numbered 1 to 5; each range and interface row carries its
    // area's number, and ranges count on through the block.
    Outcome r = blocks(
        "ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN\n"
        "  AREA # 0 . NETWORK = ( \"INT(INTERFACE.A)\" )\n"
        "  AREA # 1 . RANGE = ( ADDRESS = \"EVALIP(10.1.0.0)\" , PREFIX = 16 )\n"
        "  AREA # 0 . NETWORK = ( \"INT(INTERFACE.B)\" )\n"
        "  AREA # 0 . NETWORK = ( \"INT(INTERFACE.C)\" , \"INT(INTERFACE.D)\" )\n"
        "  AREA # 2 . RANGE = ( ADDRESS = \"EVALIP(10.2.0.0)\" )\n"
        "  AREA # 2 . NETWORK = ( \"INT(INTERFACE.E)\" )\n"
        "END\n"
        "ROUTING-OSPF CORE.PE PROCESS 2 M BEGIN\n"
        "  AREA # 0 . RANGE = ( ADDRESS = \"EVALIP(10.3.0.0)\" )\n"
        "  AREA # 0 . NETWORK = ( \"INT(INTERFACE.F)\" )\n"
        "END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT asn, areaid, sequenceno FROM domainnodeareas ORDER BY rowid"),
              (V{"1|0|1", "1|1|2", "1|0|3", "1|2|4", "2|0|5"}));
    EXPECT_EQ(rows("SELECT areaid, sequenceno, subsequenceno FROM domainnodearearanges ORDER BY rowid"),
              (V{"1|2|1", "2|4|2", "0|5|1"}));
    // The last NETWORK of an area wins.
    EXPECT_EQ(rows("SELECT sequenceno, namedinterface FROM domainconnareas ORDER BY rowid"),
              (V{"1|INT(INTERFACE.A)", "3|INT(INTERFACE.C)", "3|INT(INTERFACE.D)", "4|INT(INTERFACE.E)",
                 "5|INT(INTERFACE.F)"}));
}

TEST_F(RoutingLoad, InstancesAndCountersPerBlock) {
    Outcome r = blocks(
        "ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN AREA # 0 . STUB = stub END\n"
        "ROUTING-OSPF CORE.PE PROCESS 1 M BEGIN INSTANCENAME = VRF1 AREA # 0 . STUB = stub\n"
        "  REDISTRIBUTION = ( PROTOCOL = rip ) REDISTRIBUTION = ( PROTOCOL = ospf , PROCESSID = 2 )\n"
        "  DISTRIBUTE = ( LIST-NAME = \"A\" , INTERFACE = \"INT(INTERFACE.A)\" , DIRECTION = in )\n"
        "  DISTRIBUTE = ( LIST-NAME = \"B\" , INTERFACE = \"INT(INTERFACE.A)\" , DIRECTION = out )\n"
        "END\n"
        "ROUTING-STATIC CORE.P BEGIN IP = ( NETWORK = \"EVALIP(10.0.0.0)\" , DESTINATION = \"INT(INTERFACE.A)\" ) END\n"
        "ROUTING-IGRP CORE.P PROCESS 7 O BEGIN NETWORK = ( INTERFACE = \"INT(INTERFACE.A)\" ) END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    // The same process under another instance name is another declaration.
    EXPECT_EQ(rows("SELECT protocol, asn FROM domainprotocols ORDER BY rowid"), (V{"OSPF|1", "OSPF|1", "IGRP|7"}));
    EXPECT_EQ(rows("SELECT redistprotocol, redistasn, sequence FROM domainredist ORDER BY rowid"),
              (V{"rip||1", "ospf|2|2"}));
    EXPECT_EQ(rows("SELECT acl, sequence FROM domaindistlist ORDER BY rowid"), (V{"A|1", "B|2"}));
    EXPECT_EQ(rows("SELECT nodetype, addrno, sourcemask FROM domainstaticroute"), V{"P|1|0"});
    // The IGRP interface row has the process, its area row asn 0.
    EXPECT_EQ(rows("SELECT routingprotocol, asn FROM domainconnareas"), V{"IGRP|7"});
    EXPECT_EQ(rows("SELECT routingprotocol, asn, areaid FROM domainnodeareas WHERE routingprotocol = 'IGRP'"),
              V{"IGRP|0|0"});
}
