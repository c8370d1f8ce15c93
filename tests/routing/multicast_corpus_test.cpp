// Every multicast block with every sub-block, and a VRF block: the rows of
// the thirteen multicast tables in the column order of their writers, the
// counters that number them, and the protocols the blocks declare.
#include "routing_load.h"

TEST_F(RoutingLoad, MulticastCorpusStoresEverySubBlockInColumnOrder) {
    Outcome r = files("topo.ndl,multicast.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);

    // REGISTER has no counter; "IS NULL" is stored empty.
    EXPECT_EQ(table("PIMREGISTERCLASS", "networkid, domainname, nodetype, registersource, registerrate, "
                                        "acceptregisteracl, acceptregisterrate, ndlversion"),
              (V{"1|CORE|PE|INT(INTERFACE.Loopback0)|10||5|1",
                 "1|CORE|PE|LOCALINT(INTERFACE.Loopback1)||||1"}));
    // Members 1 and 2 with the rate list between them numbered 1 of its
    // own; member values are kept as given, "IS NULL" included.
    EXPECT_EQ(table("PIMMEMBERCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                      "namedinterface, mcastmode, neighborfilter, inrate, boundaryacl, ndlversion"),
              (V{"1|CORE|PE|1|BYHOST()|BYSERVICE(UNICAST.ALL.ALL)|IFHOST()|INT(INTERFACE.Serial0)|sparse-mode|NBR|100|"
                 "IS NULL|1",
                 "1|CORE|PE|2||||INT(INTERFACE.Serial1)|dense-mode||||1"}));
    // Keys written in lower case count as any other.
    EXPECT_EQ(table("PIMMEMBERRATECLASS", "networkid, domainname, nodetype, namedinterface, sequence, context1, "
                                          "context2, context3, direction, rate, grouplist, sourcelist, ndlversion"),
              (V{"1|CORE|PE|INT(INTERFACE.Serial0)|1||||in|20|G|S|1"}));
    EXPECT_EQ(table("PIMRPCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, mcastmode, "
                                  "rpaddress, rpacl, ndlversion"),
              (V{"1|CORE|PE|1|BYHOST()|||STATIC|EVALIP(10.0.0.1)|RP-ACL|1",
                 "1|CORE|PE|2||||BSR|EVALIP(10.0.0.2)|RP-ACL2|1"}));
    // AUTO-RP: TRUE sets the flag, any other word (False) clears it.
    EXPECT_EQ(table("PIMACCEPTCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                      "acceptrpaddr, acceptrpacl, autorp, ndlversion"),
              (V{"1|CORE|PE|1||||||1|1", "1|CORE|PE|2|IFHOST()|||EVALIP(10.0.0.3)|ACC|0|1"}));
    EXPECT_EQ(table("PIMBSRCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                   "bsrcandint, bsrcandmasklen, priority, ndlversion"),
              (V{"1|CORE|PE|1||||INT(INTERFACE.Loopback0)|30|7|1"}));
    EXPECT_EQ(table("PIMAUTORPCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                      "discoverint, ndlversion"),
              (V{"1|CORE|PE|1|BYHOST()|||INT(INTERFACE.Loopback0)|1"}));
    // An empty list is a row of empty values.
    EXPECT_EQ(table("PIMRPFILTERCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                        "rpfilter, rpgroupfilter, ndlversion"),
              (V{"1|CORE|PE|1||||||1", "1|CORE|PE|2||||RPL|GL|1"}));

    EXPECT_EQ(table("IGMPINTCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                    "namedinterface, accessgroup, ndlversion"),
              (V{"1|CORE|P|1|BYHOST()|||INT(INTERFACE.Eth0)|IGMP-ACL|1",
                 "1|CORE|P|2||||LOCALINT(INTERFACE.Eth1)||1"}));
    // Groups are numbered per domain, node type and interface.
    EXPECT_EQ(table("IGMPINTADDRCLASS", "networkid, domainname, nodetype, context1, context2, context3, "
                                        "namedinterface, sequence, addrtype, groupaddress, ndlversion"),
              (V{"1|CORE|P|BYHOST()|||INT(INTERFACE.Eth0)|1|STATIC|239.1.1.1|1",
                 "1|CORE|P||||INT(INTERFACE.Eth1)|1|JOIN|239.1.1.3|1",
                 "1|CORE|P||||INT(INTERFACE.Eth0)|2|JOIN|239.1.1.2|1",
                 "1|EDGE|CE||||INT(INTERFACE.Eth0)|1|JOIN|239.2.2.2|1"}));

    // The block's record: the second REDISTRIBUTE replaced only the keys
    // it gave; the attributes are upper-cased.
    EXPECT_EQ(table("MSDPCLASS", "networkid, domainname, nodetype, redistacl, redistasnpathacl, redistroutemap, "
                                 "originatorid, borderasaddr, ndlversion"),
              (V{"1|CORE|PE|A1|AS1|M2|INT(INTERFACE.LOOPBACK0)|EDGE|1"}));
    // The neighbour table's filter columns stand in their own order.
    EXPECT_EQ(table("MSDPNEIGHBORCLASS", "networkid, domainname, nodetype, sequence, neighbor, context1, context2, "
                                         "context3, connectsource, remoteas, description, safilterinacl, "
                                         "safilteroutacl, safilterinmap, safilteroutmap, defaultpeer, defprefixlist, "
                                         "meshgroup, ndlversion"),
              (V{"1|CORE|PE|1|10.0.0.9|BYHOST()|||INT(INTERFACE.Loopback0)|65001|peer one|AI|AO|MI|MO|1|DP|MG|1",
                 "1|CORE|PE|2|10.0.0.10||||LOCALINT(INTERFACE.Loopback1)|||||||0|||1"}));

    EXPECT_EQ(table("DVMRPINTCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                     "namedinterface, metric, metricacl, acceptfilter, neighborfilter, summaryaddr, "
                                     "summarymask, summarymetric, inoffset, outoffset, ndlversion"),
              (V{"1|EDGE|CE|1|BYHOST()|||INT(INTERFACE.Serial0)|3|MA|AF|NF|10.1.0.0|16|2|1|4|1",
                 "1|EDGE|CE|2||||INT(INTERFACE.Serial1)||||||||||1",
                 "1|EDGE|CE|3||||INT(INTERFACE.Serial2)|EVALEXP(1+2)|||||||||1"}));

    // Every multicast block declares its protocol with process 1; the MSDP
    // usage condition is upper-cased; VRF declares nothing.
    EXPECT_EQ(table("DOMAINPROTOCOLS", "networkid, domainname, nodetype, protocol, asn, mandatory, routerid, "
                                       "clusterid, usagecondition, ndlversion"),
              (V{"1|CORE|PE|PIM|1|O|||BYHOST()|1", "1|CORE|P|IGMP|1|M||||1", "1|EDGE|CE|IGMP|1|O||||1",
                 "1|CORE|PE|MSDP|1|O|||BYHOST()|1", "1|EDGE|CE|DVMRP|1|M||||1"}));
}

TEST_F(RoutingLoad, MulticastCountersRestartInEveryBlock) {
    Outcome r = blocks(
        "ROUTING-IGMP CORE.P M BEGIN\n"
        "  MEMBER = ( INTERFACE = \"INT(INTERFACE.A)\" ) MEMBER = ( INTERFACE = \"INT(INTERFACE.B)\" )\n"
        "  GROUP = ( INTERFACE = \"INT(INTERFACE.A)\" , ADDRTYPE = JOIN , ADDRESS = \"239.0.0.1\" )\n"
        "END\n"
        "ROUTING-IGMP EDGE.CE M BEGIN MEMBER = ( INTERFACE = \"INT(INTERFACE.A)\" ) END\n"
        // Another node type numbers its groups of the same interface anew.
        "ROUTING-IGMP CORE.PE M BEGIN GROUP = ( INTERFACE = \"INT(INTERFACE.A)\" , ADDRTYPE = STATIC ,"
        " ADDRESS = \"239.0.0.2\" ) END\n"
        "ROUTING-PIM CORE.P M BEGIN RP = ( MODE = AUTORP , RP = \"a\" , ACL-NAME = \"b\" )"
        " BSR = ( INTERFACE = \"INT(INTERFACE.A)\" ) RP = ( MODE = AUTORP , RP = \"c\" , ACL-NAME = \"d\" ) END\n"
        "ROUTING-PIM EDGE.CE M BEGIN RP = ( MODE = AUTORP , RP = \"e\" , ACL-NAME = \"f\" ) END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT domainname, nodetype, sequence, namedinterface FROM igmpintclass ORDER BY rowid"),
              (V{"CORE|P|1|INT(INTERFACE.A)", "CORE|P|2|INT(INTERFACE.B)", "EDGE|CE|1|INT(INTERFACE.A)"}));
    EXPECT_EQ(rows("SELECT nodetype, sequence FROM igmpintaddrclass ORDER BY rowid"), (V{"P|1", "PE|1"}));
    EXPECT_EQ(rows("SELECT nodetype, sequence, rpaddress FROM pimrpclass ORDER BY rowid"),
              (V{"P|1|a", "P|2|c", "CE|1|e"}));
    EXPECT_EQ(rows("SELECT sequence FROM pimbsrclass"), V{"1"});
}

// AUTO-RP and DEFAULTPEER take TRUE in any case, quoted or not; any other
// word is no TRUE and loads as 0.
TEST_F(RoutingLoad, TrueKeysTakeTrueInAnyCase) {
    Outcome r = files("topo.ndl,truth.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    EXPECT_EQ(rows("SELECT sequence, acceptrpaddr, acceptrpacl, autorp FROM pimacceptclass ORDER BY sequence"),
              (V{"1|||1", "2||ACC|1", "3|||1", "4|EVALIP(10.0.0.3)||0", "5|EVALIP(10.0.0.4)||0"}));
    EXPECT_EQ(rows("SELECT neighbor, defaultpeer FROM msdpneighborclass ORDER BY rowid"),
              (V{"10.0.0.9|1", "10.0.0.10|1", "10.0.0.11|0"}));
}
