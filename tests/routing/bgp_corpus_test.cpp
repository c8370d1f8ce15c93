// The BGP corpus: every table the BGP blocks fill, in the column order of
// its writer, the counters that number the rows and the declarations.
#include "routing_load.h"

TEST_F(RoutingLoad, BgpCorpusStoresEveryTableInColumnOrder) {
    Outcome r = files("topo.ndl,bgp.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    // The corpus names route maps and lists it does not define: the
    // reference checks warn about each, and nothing else is said.
    V said;
    for (const std::string &m : r.messages)
        if (m.rfind("WARNING: ", 0) != 0) said.push_back(m);
    EXPECT_EQ(said, kClean);
    EXPECT_EQ(r.messages.size(), kClean.size() + 24);

    // The router and cluster ids go with the declaration (the second
    // ROUTERID wins); another instance of the same AS is a process of its
    // own; a quoted AS number is kept as written.
    EXPECT_EQ(table("DOMAINPROTOCOLS", "networkid, domainname, nodetype, protocol, asn, mandatory, routerid, "
                                       "clusterid, usagecondition, ndlversion"),
              (V{"1|CORE|PE|BGP|65000|O|EVALIP(10.0.0.1)|7|BYHOST()|1", "1|CORE|PE|BGP|65000|M||||1",
                 "1|EDGE|CE|BGP|65100|M||||1"}));
    // Route map in before out, as the columns have them.
    EXPECT_EQ(table("DOMAINBGPPEER", "networkid, domainname, nodetype, peername, updatesource, remoteas, passwordreqd, "
                                     "routemapin, routemapout, filterlistin, filterlistout, distlistin, distlistout, "
                                     "prefixlistin, prefixlistout, routereflector, nexthopself, weight, ebgp_multihop, "
                                     "defaultoriginate, defaultoriginate_rm, sendcommunity, ndlversion"),
              (V{"1|CORE|PE|RR|LOCALINT(INTERFACE.Loopback0)|65000|0|RR-IN|RR-OUT|F1|F2|D1|D2|P1|P2|1|1|10|2|1|RR-DEF|1|1",
                 "1|CORE|PE|CLIENTS|||0|||||||||0|0|||0||0|1"}));
    // One row per variable; an empty member list adds none.
    EXPECT_EQ(table("DOMAINBGPPEERRULE", "networkid, domainname, nodetype, peername, variablename, variablevalue, "
                                         "ndlversion"), (V{"1|CORE|PE|RR|HOSTNAME|pe1|1", "1|CORE|PE|RR|NODEID|3|1"}));
    // Neighbors numbered per block; without a peer group the peer name is
    // a blank; the peer of the first block serves the second.
    EXPECT_EQ(table("DOMAINBGPINFO", "networkid, domainname, nodetype, sequence, neighbor, context1, context2, "
                                     "context3, updatesource, remoteas, passwordreqd, routemapin, routemapout, "
                                     "filterlistin, filterlistout, distlistin, distlistout, prefixlistin, "
                                     "prefixlistout, routereflector, nexthopself, weight, ebgpmultihop, "
                                     "defaultoriginate, defaultoriginate_rm, sendcommunity, peername, ndlversion"),
              (V{"1|CORE|PE|1|EVALIP(10.0.0.2)|BYHOST()|BYSERVICE(UNICAST.ALL.ALL)||LOCALINT(INTERFACE.Loopback0)|65001|1|"
                 "N-IN|N-OUT|NF1|NF2|ND1|ND2|NP1|NP2|1|1|20|3|1|N-DEF|1|RR|1",
                 "1|CORE|PE|2|EVALIP(10.0.0.3)|||||65002|0|||||||||0|0|5||0||0| |1",
                 "1|CORE|PE|1|EVALIP(10.9.0.1)||||||0|||||||||0|0|||0||0|RR|1"}));
    // "0.0.0.0" with its prefix 0 given first; no PREFIX is mask 0.
    EXPECT_EQ(table("DOMAINBGPNETWORK", "networkid, domainname, nodetype, protocol, asn, networkno, networkaddr, "
                                        "networkmask, routemapname, ndlversion"),
              (V{"1|CORE|PE|BGP|65000|1|EVALIP(10.1.0.0)|16|NET-RM|1", "1|CORE|PE|BGP|65000|2|0.0.0.0|0||1",
                 "1|CORE|PE|BGP|65000|3|EVALIP(10.2.0.0)|0||1", "1|CORE|PE|BGP|65000|1|EVALIP(10.9.0.0)|24||1"}));
    // AUTO is -1; the address is stored as written (no trailing blank).
    EXPECT_EQ(table("DOMAINBGPADDRAGRR", "networkid, domainname, nodetype, networkno, networkaddr, networkprefix, "
                                         "asset, summaryonly, advertisemap, supressmap, attributemap, context1, "
                                         "context2, context3, ndlversion"),
              (V{"1|CORE|PE|1|EVALIP(10.0.0.0)|-1|1|0|AG-A|AG-S|AG-T|BYHOST()|BYSERVICE(UNICAST.ALL.ALL)|BYHOST()|1",
                 "1|CORE|PE|2|EVALIP(10.0.0.0)|8|0|1|||||||1", "1|CORE|PE|1|0.0.0.0|0|0|0|||||||1"}));
    // The shared lists carry the AS number; their sequences restart per block.
    EXPECT_EQ(table("DOMAINREDIST", "networkid, domainname, nodetype, protocol, asn, redistprotocol, redistasn, "
                                    "metric, metrictype, route_map, tag, weight, match, ndlversion, context1, "
                                    "context2, context3, sequence"),
              (V{"1|CORE|PE|BGP|65000|ospf|10|||||||1||||1", "1|CORE|PE|BGP|65000|static||||ST-BGP||||1||||2",
                 "1|CORE|PE|BGP|65000|connected||||||||1||||1"}));
    EXPECT_EQ(table("DOMAINDISTLIST", "networkid, domainname, nodetype, protocol, sequence, asn, context1, context2, "
                                      "context3, listtype, acl, direction, type, interfacename, redistprotocol, "
                                      "redistasn, ndlversion"),
              (V{"1|CORE|PE|BGP|1|65000||||0|ACL-BGP|in|0|INT(INTERFACE.Serial0)|||1"}));
}

TEST_F(RoutingLoad, BgpPeersAreFoundAcrossTheBlocksOfANodeType) {
    // A peer of one AS serves a neighbor and a member list of another AS
    // and instance on the same node type, but not another node type.
    Outcome r = blocks(
        "ROUTING-BGP CORE.PE ASN 1 M BEGIN PEER = ( PEER-NAME = G ) END\n"
        "ROUTING-BGP CORE.PE ASN 2 M BEGIN INSTANCENAME = X\n"
        "  NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.1)\" , PEER-GROUP = G )\n"
        "  PEER-MEMBER # G = ( HOSTNAME = h )\n"
        "END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT peername FROM domainbgpinfo"), V{"G"});
    EXPECT_EQ(rows("SELECT variablevalue FROM domainbgppeerrule"), V{"h"});
    r = blocks(
        "ROUTING-BGP CORE.PE ASN 1 M BEGIN PEER = ( PEER-NAME = G ) END\n"
        "ROUTING-BGP CORE.P ASN 1 M BEGIN NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.1)\" , PEER-GROUP = G ) END\n",
        "updateversion");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages), V{"Error: Invalid peer name. Not defined : G @ 3\n"});
    // A peer name once per node type, whatever the AS number.
    r = blocks(
        "ROUTING-BGP CORE.PE ASN 1 M BEGIN PEER = ( PEER-NAME = G ) END\n"
        "ROUTING-BGP CORE.PE ASN 2 M BEGIN PEER = ( PEER-NAME = G ) END\n",
        "updateversion");
    EXPECT_EQ(errors_of(r.messages), V{"Error: Duplicate peer name. Already defined : G @ 3\n"});
}
