// ROUTING loads of the route-policy blocks through the host: the rows each
// table gets, the references that routing records and route-map clauses
// make (found under their contexts, by a start number, in access lists
// stored by an earlier load, or missing), every error of a file in one pass.
#include "../topology/topo_load.h"

namespace {

using V = std::vector<std::string>;

std::string missing(const char *what, const char *label, const char *name) {
    return std::string("WARNING: ") + what + " not defined :\nDomainname:  D\nNodeType:  PE\n" + label + ": " + name +
           "\n";
}
std::string acl_in_map(const char *map, const char *acl) {
    return std::string("WARNING: ACL used for ROUTE MAP not defined :\nDomainname: D\nNodeType:  PE\nRouteMapName: ") +
           map + " \nACL Name :" + acl + "\n";
}

class RoutePolicyLoad : public TopoLoad {
protected:
    void SetUp() override {
        TopoLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(load("network.ndl", "", kPolicy).ret, 0);
        ASSERT_EQ(load("firewall.ndl", "", kPolicy).ret, 0);
    }
    Outcome policy(const std::string &files) { return load(files, "", kPolicy); }
    V policy_rows() {
        V all;
        const std::pair<const char *, const char *> tables[] = {
            {"domainroutemap", "networkid, domainname, nodetype, context1, context2, context3, routemap, usage, owner, "
                               "sequence, type, repeatby, mapseqinc, ndlversion"},
            {"routemapmatchlist", "networkid, domainname, nodetype, routemap, sequence, matchsequence, matchtype, "
                                  "matchvalue, ndlversion"},
            {"routemapsetlist", "networkid, domainname, nodetype, routemap, sequence, setsequence, settype, setvalue, "
                                "ndlversion"},
            {"domainprefixhdr", "networkid, domainname, nodetype, sequence, context1, context2, context3, listname, "
                                "ndlversion"},
            {"domainprefixlist", "networkid, domainname, nodetype, sequence, subsequence, repeatby, type, network, "
                                 "length, lelen, gelen, ndlversion"},
            {"domainfilterlist", "networkid, domainname, nodetype, sequence, aclseqstart, aclseqinc, context1, "
                                 "context2, context3, filtertype, type, substring, ndlversion"},
            {"domainmapclass", "networkid, domainname, nodetype, mapclassname, context1, context2, context3, usage, "
                               "owner, burstsizein, burstexcessin, cirin, burstsizeout, burstexcessout, cirout, "
                               "customqueue, priorityqueue, average, peak, ndlversion"},
        };
        for (const auto &[t, columns] : tables) {
            V part = rows(std::string("SELECT '") + t + "', " + columns + " FROM " + t);
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }
    static constexpr const char *kPolicy = NDL_TEST_DATA "/policy";
};

TEST_F(RoutePolicyLoad, RowsAndReferences) {
    Outcome r = policy("routepolicy.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages,
              (V{
                  // At the end of the section: the route maps, prefix and filter
                  // lists. A variable name is looked for under the reference's
                  // contexts only (none here, the map's is BYHOST()), a plain
                  // name anywhere, a repeating map's clauses anywhere.
                  missing("RouteMap used for DEFAULT-ORIGINATE", "RouteMapName", "NONE"),
                  missing("RouteMap used for REDISTRIBUTE ROUTEMAP", "RouteMapName", "RM-<LOCALVAR(HOSTNAME)>"),
                  missing("PREFIXLIST used for DISTRIBUTE LIST", "PreFixName", "PL-OUT"),
                  "WARNING: PREFIX LIST used for ROUTE MAP not defined :\nDomainname:  D\nNodeType:  PE\n"
                  "RouteMapName: RM-<LOCALVAR(HOSTNAME)> \nPrefixList Name :PL-<LOCALVAR(HOSTNAME)>\n",
                  // 50 is a community list, no AS-path list.
                  "WARNING: ASN LIST used for ROUTE MAP not defined :\nDomainname:  D\nNodeType:  PE\n"
                  "RouteMapName: LOOSE \nASN List Name :50\n",
                  // After the last file: the access lists. MGMT and 110 (by its
                  // start number) were stored by the firewall load, RF is this
                  // file's, CON-<...> stands under the map's context.
                  "<left>---- Global Validations ----</left>",
                  missing("ACL used for DISTRIBUTE LIST", "ACLName", "ROUTES"),
                  acl_in_map("LOOSE", "NO-ACL"),
                  "files  successfully loaded \n",
              }));
    EXPECT_EQ(policy_rows(),
              (V{
                  "domainroutemap|1|D|PE|BYHOST()|||RM-<LOCALVAR(HOSTNAME)>|ospf|D.PE|10|permit||0|1",
                  "domainroutemap|1|D|PE|BYHOST()|||RM-<LOCALVAR(HOSTNAME)>|ospf|D.PE|20|deny||0|1",
                  "domainroutemap|1|D|PE||||LOOSE|bgp|D.PE|10|deny|BYHOST()|10|1",
                  "routemapmatchlist|1|D|PE|RM-<LOCALVAR(HOSTNAME)>|10|1|ip address|MGMT|1",
                  "routemapmatchlist|1|D|PE|RM-<LOCALVAR(HOSTNAME)>|10|2|ip address|CON-<LOCALVAR(HOSTNAME)>|1",
                  "routemapmatchlist|1|D|PE|RM-<LOCALVAR(HOSTNAME)>|10|3|ip address prefix-list|"
                  "PL-<LOCALVAR(HOSTNAME)>|1",
                  "routemapmatchlist|1|D|PE|LOOSE|10|1|ip address prefix-list|PL-<LOCALVAR(HOSTNAME)>|1",
                  "routemapmatchlist|1|D|PE|LOOSE|10|2|community|50|1",
                  "routemapmatchlist|1|D|PE|LOOSE|10|3|as-path|50|1",
                  "routemapmatchlist|1|D|PE|LOOSE|10|4|ip address|NO-ACL|1",
                  "routemapsetlist|1|D|PE|RM-<LOCALVAR(HOSTNAME)>|10|1|tag|<LOCALVAR(NODEID)>|1",
                  "routemapsetlist|1|D|PE|LOOSE|10|1|local-preference|200|1",
                  "domainprefixhdr|1|D|PE|1|IFHOST()|||PL-<LOCALVAR(HOSTNAME)>|1",
                  // The second block numbers on.
                  "domainprefixhdr|1|D|PE|2||||PL-IN|1",
                  "domainprefixlist|1|D|PE|1|1||permit|EVALIP(10.0.0.0)|8|24|16|1",
                  "domainprefixlist|1|D|PE|2|1||permit|EVALIP(10.1.0.0)|-1|0|0|1",
                  "domainprefixlist|1|D|PE|2|2|BYHOST()|deny|EVALIP(0.0.0.0)|0|0|0|1",
                  "domainfilterlist|1|D|PE|1|50|1||||COMMUNITY|permit|65000:50|1",
                  "domainfilterlist|1|D|PE|1|<LOCALVAR(NODEID)>|2|IFHOST()|||ASN|deny|_65001_|1",
                  "domainfilterlist|1|D|PE|2|<LOCALVAR(NODEID)>|2|IFHOST()|||ASN|permit|.*|1",
                  "domainmapclass|1|D|CE|FR-<LOCALVAR(HOSTNAME)>||||framerelay|D.CE||||8000||64000|"
                  "<LOCALVAR(NODEID)>||||1",
                  "domainmapclass|1|D|CE|ATM||||atm|D.CE||||||100||||200|1",
              }));

    // Another section's load reads the rows back and writes them unchanged.
    V before = policy_rows();
    ASSERT_EQ(load_text("NETWORKNAME = LAB, SECTION = QOS\n").ret, 0);
    EXPECT_EQ(policy_rows(), before);
}

// The access lists that stored routing rows name are checked after the last
// file of any policy load; what is missing is reported and the load written.
TEST_F(RoutePolicyLoad, StoredReferencesMeetTheNextFirewallLoad) {
    ASSERT_EQ(policy("routepolicy.ndl").ret, 0);
    V before = policy_rows();
    // A FIREWALL section without lists drops the stored firewall lists.
    Outcome r = load_text("NETWORKNAME = LAB, SECTION = FIREWALL\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, (V{
                              "<left>---- Global Validations ----</left>",
                              missing("ACL used for DISTRIBUTE LIST", "ACLName", "MGMT"),
                              missing("ACL used for DISTRIBUTE LIST", "ACLName", "110"),
                              missing("ACL used for DISTRIBUTE LIST", "ACLName", "ROUTES"),
                              acl_in_map("RM-<LOCALVAR(HOSTNAME)>", "MGMT"),
                              acl_in_map("RM-<LOCALVAR(HOSTNAME)>", "CON-<LOCALVAR(HOSTNAME)>"),
                              acl_in_map("LOOSE", "NO-ACL"),
                              "files  successfully loaded \n",
                          }));
    EXPECT_EQ(rows("SELECT aclname FROM domainaccesslist"), V{"RF"});
    EXPECT_EQ(policy_rows(), before);
}

TEST_F(RoutePolicyLoad, EveryErrorInOnePass) {
    ASSERT_EQ(policy("routepolicy.ndl").ret, 0);
    V stored = policy_rows();
    Outcome r = policy("routepolicy_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{
                  // A second definition of a route map or map class is read on.
                  "ERROR: Duplicate definition for route map. Already defined for node : A @ 5\n",
                  "ERROR: permit/deny expected : allow @ 6\n",
                  "ERROR : Route map (A) with sequence 30 not defined before the match directive. Use the TYPE "
                  "directive @7",
                  "ERROR: Set value not specifed. @ 8\n",
                  "ERROR: Domain undefined X \n @10",
                  "ERROR: Invalid node . Not defined : PE  @10\n",
                  "ERROR: PFX-NAME must not be empty : @ 13\n",
                  "ERROR: Token 'LESS' should come after PREFIX: @ 17\n",
                  "ERROR: Duplicate FLT-SEQSTART '10' for ASN list of D.PE @ 22\n",
                  "ERROR : Specify increment number  for community/asn filter list number: 99999999999 @ 25\n",
                  "ERROR: Duplicate definition for mapclass. Already defined for node : M @ 30\n",
                  "ERROR: Invalid attribute name : BURSTSIZEIN @ 31\n",
                  "ERROR: Domain undefined X \n @33",
                  "ERROR:',' or ')' expected :  @ 38\n",
                  "Exiting due to errors \n",
              }));
    EXPECT_EQ(policy_rows(), stored);  // a failed load changes nothing
}

}  // namespace
