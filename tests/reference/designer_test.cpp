// Networks written from the language reference alone, unlike its examples
// in shape: an enterprise with its customers, routing and QoS, and a
// provider with OSPF, BGP, route policy and firewall lists. Each loads into
// a fresh repository cleanly and stores what its designer wrote.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "repo_test.h"

namespace {

const std::string kNetworks = std::string(NDL_TEST_DATA) + "/designer";

using Rows = std::vector<std::string>;

class DesignerNetworks : public RepoTest {
protected:
    // Loads FILES of the folder in one run: it must end as a clean load.
    void load_clean(const std::string &files) {
        extproc::CallResult r = parse(kNetworks, files);
        EXPECT_EQ(r.ret, 0) << files << "\n" << log;
        for (const char *mark : {"ERROR", "Error", "WARNING"})
            EXPECT_EQ(log.find(mark), std::string::npos) << files << " logs " << mark << ":\n" << log;
        EXPECT_NE(log.find("files  successfully loaded"), std::string::npos) << files << "\n" << log;
    }
};

TEST_F(DesignerNetworks, EnterpriseTopologyCustomersRoutingAndQos) {
    load_clean("enterprise-topology.ndl,enterprise-customer.ndl,enterprise-routing.ndl,enterprise-qos.ndl");

    EXPECT_EQ(rows("SELECT networkname, organization FROM networks"), Rows{"ACMECORP|Acme Corporation"});
    EXPECT_EQ(rows("SELECT domainname || '.' || nodetype FROM domainnodes ORDER BY 1"),
              (Rows{"BRANCH.RTR", "DC.SPINE", "HQ.ACCESS", "HQ.CORE"}));
    EXPECT_EQ(rows("SELECT addresspoolname, startaddress FROM ipaddresspools ORDER BY 1"),
              (Rows{"CAMPUS|10.10.0.0", "LOOPBACKS|10.255.0.0", "WANLINKS|10.254.0.0"}));
    // Fixed addresses are kept as written, their variables unresolved.
    EXPECT_EQ(rows("SELECT namedendpoint, ipaddress FROM addressassign WHERE ipaddress <> '' ORDER BY 1"),
              (Rows{"HQ-DC|10.253.LINKID.0", "HQ:CORE:LOOPBACK0|10.255.0.NODEID"}));
    EXPECT_EQ(rows("SELECT listname, count(*) FROM listvalues GROUP BY listname ORDER BY 1"),
              (Rows{"FLOORS|4", "SITESIZE|3"}));
    EXPECT_EQ(rows("SELECT connectionname, connectiontype, addresstype FROM domainconntypes ORDER BY 1"),
              (Rows{"CORE-ACCESS|BROADCAST|ADDRESS-UNASSIGNED", "DC-SERVERS|BROADCAST|ADDRESS-HOST-POOL",
                    "HQ-BRANCH|POINT-TO-POINT|ADDRESS-CONNECTION-POOL", "HQ-DC|POINT-TO-POINT|NETWORK-FIXED"}));
    EXPECT_EQ(rows("SELECT conntypename, servicetype FROM custconntypes ORDER BY 1"),
              (Rows{"CAMPUSFLOOR|VPN", "HOSTEDAPP|VPN", "SMALLBRANCH|VPN"}));
    EXPECT_EQ(rows("SELECT protocol, count(*) FROM domainprotocols GROUP BY protocol ORDER BY 1"),
              (Rows{"EIGRP|2", "PIM|1"}));
    EXPECT_EQ(rows("SELECT routemap, sequence, repeatby, mapseqinc FROM domainroutemap"),
              Rows{"STATIC-IN|10|BYCONN(HQ-BRANCH)|10"});
    EXPECT_EQ(rows("SELECT conntypename, policyname FROM custconnqospolicy ORDER BY 2"),
              (Rows{"SMALLBRANCH|LAN-IN", "SMALLBRANCH|WAN-OUT"}));
    // A policy of each queue type; the policy-level shape and police rules
    // carry the match rules they name.
    EXPECT_EQ(rows("SELECT domainname || '.' || nodetype, policyname, queuetype FROM qospolicyclass ORDER BY 2"),
              (Rows{"BRANCH.RTR|LAN-IN|PRIORITY", "DC.SPINE|SERVERS-OUT|CLASS-BASED", "HQ.CORE|UPLINK-CQ|CUSTOM",
                    "BRANCH.RTR|WAN-OUT|CLASS-BASED", "BRANCH.RTR|WAN-OUT-BACKUP|CLASS-BASED"}));
    EXPECT_EQ(rows("SELECT matchrulename FROM qospoliceruleclass WHERE matchrulename <> '' UNION ALL "
                   "SELECT matchrulename FROM qosshaperuleclass WHERE matchrulename <> '' ORDER BY 1"),
              (Rows{"VOICE-POLICED", "WAN-TRAFFIC"}));
}

TEST_F(DesignerNetworks, ProviderWithOspfBgpRoutePolicyAndFirewall) {
    load_clean("sp-topology.ndl,sp-customer.ndl,sp-routing.ndl,sp-firewall.ndl");

    EXPECT_EQ(rows("SELECT protocol, count(*) FROM domainprotocols GROUP BY protocol ORDER BY 1"),
              (Rows{"BGP|3", "LDP|2", "MPLS|2", "OSPF|3", "RIP|1"}));
    EXPECT_EQ(rows("SELECT DISTINCT routemap, usage FROM domainroutemap ORDER BY 1"),
              (Rows{"CE-IN|bgp", "CE-OUT|bgp", "CONNECTED-TO-OSPF|ospf", "STATIC-TO-BGP|routepolicy",
                    "VRF-<VAR(VRFNAME)>-EXPORT|routepolicy"}));
    EXPECT_EQ(rows("SELECT routemap, sequence, settype, setvalue FROM routemapsetlist WHERE routemap = 'CE-OUT'"),
              Rows{"CE-OUT|20|as-path|prepend 65100 65100"});
    EXPECT_EQ(rows("SELECT type, network, length, lelen FROM domainprefixlist ORDER BY subsequence"),
              (Rows{"permit|EVALIP(10.0.0.0)|8|24", "permit|EVALIP(172.16.0.0)|12|24", "deny|EVALIP(0.0.0.0)|-1|0"}));
    // The route reflector and the PEs reach each other through the P routers.
    EXPECT_EQ(rows("SELECT domainname || '.' || nodetype, neighbor, peername FROM domainbgpinfo "
                   "WHERE neighbor LIKE '@%' ORDER BY 1"),
              (Rows{"CORE.RR|@CORE.P.@EDGE.PE.EACHIP(INTERFACE.Loopback0)|PE-CLIENTS",
                    "EDGE.PE|@CORE.P.@CORE.RR.EACHIP(INTERFACE.Loopback0)|RR"}));
    EXPECT_EQ(rows("SELECT peername, routemapin, routemapout, prefixlistin, filterlistin FROM domainbgppeer "
                   "WHERE peername = 'CUSTOMERS'"),
              Rows{"CUSTOMERS|CE-IN|CE-OUT|CUST-NETS|10"});
    EXPECT_EQ(rows("SELECT aclname, usage FROM domainaccesslist WHERE aclname <> ' ' ORDER BY 1"),
              (Rows{"BOGONS|route-filter", "CE-<VAR(VRFNAME)>-IN|interface", "NOC-VTY|vty"}));
}

}  // namespace
