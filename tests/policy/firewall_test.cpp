// FIREWALL, ROUTING and QOS loads through the host: the access lists and
// their entries as stored, every error of a file in one pass, and what each
// section's load keeps of the others' lists.
#include "../topology/topo_load.h"

namespace {

class FirewallLoad : public TopoLoad {
protected:
    void SetUp() override {
        TopoLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(load("network.ndl", "", kPolicy).ret, 0);
    }
    Outcome policy(const std::string &files, const std::string &mode = "") { return load(files, mode, kPolicy); }
    std::vector<std::string> lists() {
        return rows("SELECT domainname, nodetype, sequence, aclname, aclstart, usage, ndlversion FROM "
                    "domainaccesslist ORDER BY ndlversion, nodetype, sequence");
    }
    std::vector<std::string> entries() {
        return rows("SELECT 'acl', nodetype, sequence, subsequence FROM domainacllist UNION ALL "
                    "SELECT 'ext', nodetype, sequence, subsequence FROM domainextacl ORDER BY 2, 3, 4");
    }
    static constexpr const char *kPolicy = NDL_TEST_DATA "/policy";
    static constexpr const char *kWarning =
        "WARNING: ACCESSLIST 'MGMT' for 'D.PE' has a CONTEXT and does not have any variables in the ACL-NAME, "
        "may cause duplicate entries : @ 5. \n\n";
};

TEST_F(FirewallLoad, CorpusRows) {
    Outcome r = policy("firewall.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    std::vector<std::string> expected{kWarning};
    expected.insert(expected.end(), kClean.begin(), kClean.end());
    EXPECT_EQ(r.messages, expected);
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, sequence, acltype, nametype, aclname, aclstart, aclinc, "
                   "owner, context1, context2, context3, direction, usage, ndlversion FROM domainaccesslist ORDER BY "
                   "nodetype DESC, sequence"),
              (std::vector<std::string>{
                  "1|D|PE|1|standard-named|STRING|MGMT|0|0|D.PE|BYHOST()||| |snmp|1",
                  "1|D|PE|2|extended|SEQUENCE| |110|10|D||||in|vty|1",
                  "1|D|PE|3|standard|STRING|CON-<LOCALVAR(HOSTNAME)>|0|0|D.PE|BYHOST()||| |console|1",
                  "1|D|CE|1|standard|STRING|CE|0|0|D.CE|||| |aux|1",
              }));
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, sequence, subsequence, repeatby, type, protocoltype, "
                   "protocol, source, sourceprefix, sourceportoptype, sourceportop, sourceporttype, sourceport, dest, "
                   "destprefix, destportoptype, destportop, destporttype, destport, precedence, tos, established, log, "
                   "ndlversion FROM domainacllist ORDER BY nodetype DESC, sequence, subsequence"),
              (std::vector<std::string>{
                  "1|D|PE|1|1||permit|IGNORE|ip|LOCALIP(INTERFACE)|-1|IGNORE||IGNORE|||0|IGNORE||IGNORE||||-1|0|1",
                  "1|D|PE|1|2||deny|USER|tcp||0|IGNORE||IGNORE||IP(INTERFACE)|0|USER|eq|USER|22|||-1|1|1",
                  "1|D|PE|3|1||permit|IGNORE|ip||0|IGNORE||AUTO|||0|IGNORE||IGNORE||critical|8|-1|0|1",
                  "1|D|CE|1|1||permit|IGNORE|ip||0|IGNORE||IGNORE|||0|IGNORE||IGNORE||||-1|0|1",
              }));
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, sequence, subsequence, repeatby, type, protocol, "
                   "hostnetworkno, hostdncb, mask, maskdncb, ndlversion FROM domainextacl ORDER BY sequence, "
                   "subsequence"),
              (std::vector<std::string>{
                  "1|D|PE|2|1||permit|ip|LOCALIP(INTERFACE)|0|24|0|1",
                  "1|D|PE|2|2|BYHOST()|deny|ip|IP(INTERFACE)|0|0|-1|1",
              }));
    // The rows read back and written again unchanged.
    std::vector<std::string> before = lists(), before_entries = entries();
    ASSERT_EQ(load_text("NETWORKNAME = LAB, SECTION = QOS\n").ret, 0);
    EXPECT_EQ(lists(), before);
    EXPECT_EQ(entries(), before_entries);
}

TEST_F(FirewallLoad, EveryErrorInOnePass) {
    ASSERT_EQ(policy("firewall.ndl").ret, 0);
    std::vector<std::string> stored = lists();
    Outcome r = policy("firewall_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages), (std::vector<std::string>{
                                         "ERROR: Domain undefined X \n @2",
                                         "ERROR: Invalid node . Not defined : PE  @3\n",
                                         "ERROR: Invalid value for ACL-TYPE attribute specified : odd @ 4\n",
                                         "ERROR: Invalid usage attribute specified : route-filter @ 4\n",
                                         "ERROR: Duplicate token: 'ACL-TYPE' @ 5\n",
                                         "ERROR: Duplicate field 'TYPE' in FORMAT : @ 6\n",
                                         "ERROR: Invalid attribute name : MASK @ 12\n",
                                         "ERROR : Number expected for ACL-SEQSTART field: 4294967296 @ 16\n",
                                         "ERROR: ACL-NAME must not be empty : @ 21\n",
                                         "ERROR: NETWORK not specified for a network entry of an access list. @26\n",
                                         "ERROR: No formats declared for access list @32\n",
                                         "ERROR: Invalid attribute name :  @ 36\n",
                                         "Exiting due to errors \n",
                                     }));
    EXPECT_EQ(lists(), stored);  // a failed load changes nothing
}

// Each section's load replaces the access lists of its own usages only; the
// others stay with their entries, and new lists number on after them.
TEST_F(FirewallLoad, EachSectionReplacesOnlyItsOwnLists) {
    ASSERT_EQ(policy("qos.ndl").ret, 0);
    // A route filter as a ROUTING section stores it.
    sql("INSERT INTO domainaccesslist ("
        "networkid, domainname, nodetype, sequence, acltype, nametype, aclname, aclstart, "
        "aclinc, owner, context1, context2, context3, direction, usage, ndlversion"
        ") VALUES (1,'D','CE',7,'standard','STRING','RF',0,0,'D','','','',' ',"
        "'route-filter',1)");
    sql("INSERT INTO domainacllist ("
        "networkid, domainname, nodetype, sequence, subsequence, repeatby, type, protocoltype, "
        "protocol, source, sourceprefix, sourceportoptype, sourceportop, sourceporttype, "
        "sourceport, dest, destprefix, destportoptype, destportop, destporttype, destport, "
        "precedence, tos, established, log, ndlversion"
        ") VALUES (1,'D','CE',7,1,'','permit','IGNORE','ip','',0,'IGNORE','',"
        "'IGNORE','','',0,'IGNORE','','IGNORE','','','',-1,0,1)");
    ASSERT_EQ(policy("firewall.ndl").ret, 0);
    ASSERT_EQ(policy("firewall.ndl").ret, 0);  // again: the stored firewall lists are replaced
    const std::vector<std::string> all{
        "D|CE|7|RF|0|route-filter|1", "D|CE|8|CE|0|aux|1",
        "D|PE|1|VOICE|0|QOS|1",       "D|PE|2|MGMT|0|snmp|1",
        "D|PE|3| |110|vty|1",         "D|PE|4|CON-<LOCALVAR(HOSTNAME)>|0|console|1",
    };
    EXPECT_EQ(lists(), all);
    const std::vector<std::string> all_entries{
        "acl|CE|7|1", "acl|CE|8|1", "acl|PE|1|1", "acl|PE|2|1",
        "acl|PE|2|2", "ext|PE|3|1", "ext|PE|3|2", "acl|PE|4|1",
    };
    EXPECT_EQ(entries(), all_entries);

    // ROUTING: its route filter goes with its entry, the rest stays.
    ASSERT_EQ(policy("routing.ndl").ret, 0);
    std::vector<std::string> without_rf(all.begin() + 1, all.end());
    EXPECT_EQ(lists(), without_rf);
    EXPECT_EQ(entries(), std::vector<std::string>(all_entries.begin() + 1, all_entries.end()));

    // QOS: its list is declared anew, after the largest kept number.
    ASSERT_EQ(policy("qos.ndl").ret, 0);
    std::vector<std::string> after_qos(without_rf);
    after_qos.erase(after_qos.begin() + 1);
    after_qos.push_back("D|PE|5|VOICE|0|QOS|1");
    EXPECT_EQ(lists(), after_qos);
}

// No block builds the queue lists: every load writes them again, a FIREWALL
// load included; an access list of a QoS policy is stored with usage QOS.
TEST_F(FirewallLoad, QueuesAreCarriedForward) {
    ASSERT_EQ(policy("firewall.ndl").ret, 0);
    sql("INSERT INTO domainqueues ("
        "networkid, domainname, nodetype, queuetype, queuename, classifiertype, usage, owner, "
        "ndlversion"
        ") VALUES (1,'D','PE','custom','Q1','acl','QOS','D.PE',1)");
    sql("INSERT INTO domaincustsubq ("
        "networkid, domainname, nodetype, queuename, subqueuename, classifier, isdefault, "
        "bytecount, ndlversion"
        ") VALUES (1,'D','PE','Q1','S1','c',1,'1500',1)");
    sql("INSERT INTO domainaccesslist ("
        "networkid, domainname, nodetype, sequence, acltype, nametype, aclname, aclstart, "
        "aclinc, owner, context1, context2, context3, direction, usage, ndlversion"
        ") VALUES (1,'D','CE',9,'standard','STRING','P',0,0,'POL','','','',' ',"
        "'QOSPOLICY',1)");
    ASSERT_EQ(policy("firewall.ndl", "createversion").ret, 0);
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, queuetype, queuename, classifiertype, usage, owner, "
                   "ndlversion FROM domainqueues WHERE ndlversion=2"),
              (std::vector<std::string>{"1|D|PE|custom|Q1|acl|QOS|D.PE|2"}));
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, queuename, subqueuename, classifier, isdefault, bytecount, "
                   "ndlversion FROM domaincustsubq WHERE ndlversion=2"),
              (std::vector<std::string>{"1|D|PE|Q1|S1|c|1|1500|2"}));
    EXPECT_EQ(rows("SELECT usage FROM domainaccesslist WHERE ndlversion=2 AND aclname='P'"),
              (std::vector<std::string>{"QOS"}));
}

TEST_F(FirewallLoad, CutOffInsideAnEntryKeepsTheStoredLists) {
    ASSERT_EQ(policy("firewall.ndl").ret, 0);
    std::vector<std::string> stored = lists(), stored_entries = entries();
    Outcome r = load_text("NETWORKNAME = LAB, SECTION = FIREWALL\nACCESSLIST D.PE BEGIN\n"
                          "DESCRIPTION = ( ACL-TYPE = standard , ACL-NAME = \"N\" , NAME-TYPE = STRING ,"
                          " USAGE = snmp , OWNER = \"D\" )\nFORMAT = ( TYPE = permit ,\n");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (std::vector<std::string>{"ERROR: Invalid attribute name :  @ 5\n", "Exiting due to errors \n"}));
    EXPECT_EQ(lists(), stored);
    EXPECT_EQ(entries(), stored_entries);
}

}  // namespace
