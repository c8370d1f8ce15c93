// QOSPOLICY and QOS-SERVICE-ENROLLVAR blocks loaded through the host after
// their topology: the rows of the policies, their classes and the rules they
// make, the generated names, the policies and sub-queues read back under a
// new version, the enrolment variables rewritten, the customer policy check
// against stored customer types, every message of an invalid file in one
// pass, and files that end inside a policy.
#include "policy_load.h"

using V = std::vector<std::string>;

namespace {

class QosPolicyLoad : public TopoLoad {
protected:
    static constexpr const char *kPolicy = NDL_TEST_DATA "/policy";
    Outcome load_policies(const std::string &mode = "") {
        return load("qos_topology.ndl,qos_policies.ndl", mode, kPolicy);
    }
    // A QOS section alone, written into the test's folder, for the network
    // that an earlier load stored.
    Outcome load_qos_text(const std::string &text) {
        std::ofstream(dir + "/q.ndl") << "NETWORKNAME = QOSLAB, SECTION = QOS\n" << text;
        return load("q.ndl", "", dir);
    }
    // The named columns of one version's rows, in the order they were written.
    V table(const std::string &name, const std::string &columns, int version = 1) {
        return rows("SELECT " + columns + " FROM " + name + " WHERE ndlversion = " + std::to_string(version) +
                    " ORDER BY rowid");
    }
    // A customer type of the network that names `policy` (none when empty).
    void store_customer_type(const std::string &type, const std::string &policy) {
        sql("INSERT INTO custconntypes ("
            "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, "
            "domainname, addressmode, routingenabled, directconnect, custsitetype"
            ") VALUES (1,'DIA','" + type + "','CORE.PE','','','','CORE','STATIC',0,1,'CPE')");
        if (!policy.empty())
            sql("INSERT INTO custconnqospolicy ("
                "networkid, servicetype, conntypename, sequence, qospolicylistname, policyname"
                ") VALUES (1,'DIA','" + type + "',1,'LIST1','" + policy + "')");
    }
};

const char kGoldPolicy[] = "QOSPOLICY CORE.PE M BEGIN\n"
                           "  DESCRIPTION = ( NAME = GOLD-IN , OWNER = \"CORE\" , QUEUEGROUPNAME = GOLDQ , "
                           "DIRECTION = in , USAGE = X , QUEUETYPE = CLASS-BASED )\n"
                           "  CLASS # 1 = ( NAME = DEFAULT )\n"
                           "END\n";

}  // namespace

TEST_F(QosPolicyLoad, PoliciesClassesAndTheirRulesAreStored) {
    Outcome r = load_policies();
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(V(r.messages.begin() + 1, r.messages.end()), kClean);
    // usage2 and direction are the one direction; policy ids count per
    // node type; the policy-level rules are named by the policy count.
    EXPECT_EQ(table("qospolicyclass", "networkid, domainname, nodetype, policyname, policyid, owner, usage1, usage2, "
                                      "mandatory, context1, context2, context3, classrulename, direction, queuetype, "
                                      "markrule, policerule, shaperule, droprule, ndlversion"),
              (V{"1|CORE|PE|GOLD-IN|1|CORE|CUSTOMER|in|1||||GOLDQ|in|CLASS-BASED||1-plcy-GOLDQ||1-plcy-GOLDQ|1",
                 "1|CORE|PE|BRONZE-OUT|2|CORE|CUSTOMER|out|0||||BRONZEQ|out|PRIORITY||LIMIT|2-plcy-BRONZEQ||1"}));
    EXPECT_EQ(table("qossubqueueclass", "networkid, domainname, nodetype, classrulename, classtype, direction, "
                                        "context1, context2, context3, policyid, classname, queuetype, sequence, "
                                        "subqueuename, queuebandwidth, queuebwtype, queuelength, queuebytespercycle, "
                                        "queuepriority, isdefault, fairqueuecount, matchrule, matchdnf, markrule, "
                                        "policerule, shaperule, droprule, repeatby, ndlversion"),
              (V{"1|CORE|PE|GOLDQ|POLICY|in||||1|GOLDQ|CLASS-BASED|1|VOICE|30|PERCENT||||0||VOICE-1-1|1|1-GOLDQ-cl-1|"
                 "1-GOLDQ-cl-1||||1",
                 "1|CORE|PE|GOLDQ|POLICY|in||||1|GOLDQ|CLASS-BASED|2|DATA|||64|1500||0||VOICE|0|SETPREC||1-GOLDQ-cl-2|"
                 "1-GOLDQ-cl-2||1",
                 "1|CORE|PE|GOLDQ|POLICY|in||||1|GOLDQ|CLASS-BASED|3|DEFAULT||||||1|16||0||||TAIL||1",
                 "1|CORE|PE|BRONZEQ|POLICY|out||||2|BRONZEQ|PRIORITY|1|BULK|||20||MEDIUM|0||BULK|0||||||1",
                 "1|CORE|PE|BRONZEQ|POLICY|out||||2|BRONZEQ|PRIORITY|2|REST|||||LOW|0||2-BRONZEQ-cl-2|1||||||1"}));
    // A CLASS-BASED class's match rule: class name, policy id, class number,
    // all its entries; another queue type's: the class rule name.
    EXPECT_EQ(rows("SELECT owner, usage1, usage2, matchrulename, sequence, matchtype, matchvalue FROM qosmatchruleclass "
                   "WHERE owner <> 'GLOBAL' ORDER BY rowid"),
              (V{"1-plcy-GOLDQ|POLICERULE|in|1-plcy-GOLDQ-POL-0|1|access-group|GOLDACL",
                 "VOICE|CLASS|in|VOICE-1-1|1|access-group|GOLDACL", "VOICE|CLASS|in|VOICE-1-1|2|access-group|WEB",
                 "REST|CLASS|out|2-BRONZEQ-cl-2|1|ip precedence|0"}));
    EXPECT_EQ(rows("SELECT owner, usage1, usage2, markrulename, sequence FROM qosmarkruleclass WHERE owner <> 'GLOBAL'"),
              (V{"VOICE|CLASS|in|1-GOLDQ-cl-1|1"}));
    EXPECT_EQ(rows("SELECT owner, usage1, usage2, policerulename, sequence, matchrulename, bitrate FROM "
                   "qospoliceruleclass WHERE owner <> 'GLOBAL' ORDER BY rowid"),
              (V{"GOLDQ|POLICY|in|1-plcy-GOLDQ|1|1-plcy-GOLDQ-POL-0|64000", "VOICE|CLASS|in|1-GOLDQ-cl-1|1||1000"}));
    EXPECT_EQ(rows("SELECT owner, usage1, usage2, shaperulename, sequence, bitrate FROM qosshaperuleclass WHERE owner "
                   "<> 'GLOBAL' ORDER BY rowid"),
              (V{"DATA|CLASS|in|1-GOLDQ-cl-2|1|2000", "BRONZEQ|POLICY|out|2-plcy-BRONZEQ|1|128000"}));
    EXPECT_EQ(rows("SELECT owner, usage1, usage2, droprulename, droptype, sequence FROM qosdropruleclass WHERE owner "
                   "<> 'GLOBAL' ORDER BY rowid"),
              (V{"GOLDQ|POLICY|in|1-plcy-GOLDQ|RED|1", "DATA|CLASS|in|1-GOLDQ-cl-2|RED|1"}));
    // The policy's own access list is stored with usage QOS.
    EXPECT_EQ(rows("SELECT sequence, aclname, owner, direction, usage FROM domainaccesslist ORDER BY sequence"),
              (V{"1|WEB|CORE| |QOS", "2|GOLDACL|GOLDQ|in|QOS"}));
    EXPECT_EQ(rows("SELECT sequence, subsequence, protocol FROM domainacllist ORDER BY sequence"),
              (V{"1|1|tcp", "2|1|udp"}));
    EXPECT_EQ(rows("SELECT networkid, sequence, variablename, displayname, variabletype, updatestatus, isoptional, "
                   "minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec FROM serviceenrollvars ORDER BY "
                   "sequence"),
              (V{"1|1|BANDWIDTH|Access bandwidth|RANGE|VARIABLE-UNASSIGNED|0|64|10000||||",
                 "1|2|CLASSOFSERVICE|CLASSOFSERVICE|STRING|VARIABLE-UNASSIGNED|0|0|0|GOLD|||",
                 "1|3|SITEID|SITEID|NUMBER|FIXED-ASSIGNED|0|0|0|||7|"}));
}

TEST_F(QosPolicyLoad, PoliciesAndSubQueuesComeBackUnchangedAndReloadsDoNotGrow) {
    ASSERT_EQ(load_policies().ret, 0);
    // Another section's run reads the policies with their sub-queues and
    // writes them again under its version; the enrolment variables stay.
    std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = QOSLAB, SECTION = FIREWALL\n";
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    for (const char *t : {"qospolicyclass", "qossubqueueclass"}) {
        const std::string columns = select_list(db, t, {"ndlversion"});
        EXPECT_EQ(table(t, columns, 1), table(t, columns, 2)) << t;
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM serviceenrollvars"), (V{"3"}));

    // The same QOS section again: the counters start again (the same
    // generated names), nothing doubles, the variables are rewritten.
    V policies = dump_rows("qospolicyclass", "WHERE ndlversion = 2 ORDER BY rowid"),
      subqueues = dump_rows("qossubqueueclass", "WHERE ndlversion = 2 ORDER BY rowid");
    r = load_policies("updateversion");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(dump_rows("qospolicyclass", "WHERE ndlversion = 2 ORDER BY rowid"), policies);
    EXPECT_EQ(dump_rows("qossubqueueclass", "WHERE ndlversion = 2 ORDER BY rowid"), subqueues);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM qosmatchruleclass WHERE ndlversion = 2"), (V{"6"}));
    EXPECT_EQ(rows("SELECT sequence, variablename FROM serviceenrollvars ORDER BY sequence"),
              (V{"1|BANDWIDTH", "2|CLASSOFSERVICE", "3|SITEID"}));

    // A QOS section without enrolment variables leaves none.
    r = load_qos_text(kGoldPolicy);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT count(*) FROM serviceenrollvars"), V{"0"});
}

TEST_F(QosPolicyLoad, CustomerTypesMayNameOnlyDefinedPolicies) {
    ASSERT_EQ(load("qos_topology.ndl", "", kPolicy).ret, 0);
    store_customer_type("GOLDSITE", "GOLD-IN");
    store_customer_type("PLAIN", "");
    Outcome r = load_qos_text(kGoldPolicy);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT policyname FROM qospolicyclass"), (V{"GOLD-IN"}));

    // The first name that no policy of the section defines fails it; names
    // are compared exactly.
    store_customer_type("SILVERSITE", "gold-in");
    store_customer_type("BRONZESITE", "BRONZE");
    r = load_qos_text(kGoldPolicy);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: QOS policy 'gold-in' referred by a customer type is not defined in QOS section\n"}));
    // An empty QOS section defines none of them.
    r = load_qos_text("");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM qospolicyclass"), (V{"1"}));
}

TEST_F(QosPolicyLoad, ErrorsAreReportedInOnePass) {
    Outcome r = load("qos_topology.ndl,qos_policies_errors.ndl", "", kPolicy);
    EXPECT_EQ(r.ret, 2);
    V errors = errors_of(r.messages);
    errors.erase(errors.begin());  // the second file's line
    EXPECT_EQ(errors,
              (V{"Error: M or O needs to be specified for qospolicy @10\n",
                 "ERROR: Invalid value for DIRECTION: 'sideways' @ 13\n",
                 "ERROR: Wrong value for QUEUETYPE: 'FIFO' @ 16\n",
                 "ERROR: Token 'USAGE' not found in QOSMARKRULES @ 19\n",
                 "Error: duplicate QOSPOLICY description: 'P1' @ 22\n ",
                 // The queue group name of a policy again, whatever its
                 // queue type.
                 "Error: duplicate QOSPOLICY description: 'P6' @ 26\n ",
                 "Error: Description needs to be given before class @29\n",
                 "Error: class in Qospolicy rule do not follow the proper sequence: 1 2 @ 33\n",
                 "Policy description for class  @ 37 , should contain queuetype\n",
                 "ERROR: 'DEFAULT' can be given to only queuetype 'CLASS-BASED': @ 41\n",
                 "ERROR: 'FAIRQUEUECOUNT' can be given to only to 'DEFAULT' queuetype 'CLASS-BASED': @ 45\n",
                 "ERROR: 'BANDWIDTH' can be given to only queuetype 'CLASS-BASED': @ 49\n",
                 "ERROR: Duplicate class : 'A' @ 54\n",
                 "ERROR: MATCHRULENAME cannot be given for default class: @ 58\n",
                 "Error: class name should be given before giving match rules @62\n",
                 "Error: ACCESSLIST should be given only between POLICY DESCRIPTION and CLASS @67\n",
                 "ERROR: Wrong value: 'PURPLE'  : @ 72\n",
                 "ERROR:Both POLICERULE and POLICERULENAME cannot be given for same Policy or Class: 'POLICERULE' @ 76\n",
                 "Error: QUEUEPRIORITY can be either high,medium,low,normal @80\n",
                 "ERROR: Token 'NAME' not found in QOSMARKRULES @ 84\n",
                 "Error: No formats declared for access list @d\n",
                 "ERROR: Invalid Attribute @96\n",
                 "ERROR: token 'NAME' should be given before 'POLICERULE', 'SHAPERULE', 'DROPRULE', 'MATCHRULE', "
                 "'MARKRULE': @ 99\n",
                 "Error: Invalid attribute name : MARKRULE @103\n",
                 "ERROR: Drop rule redefinition: @ 109\n",
                 "ERROR: 'POLICERULE, SHAPERULE, MARKRULE, DROPRULE' can be given to only queuetype 'CLASS-BASED': @ "
                 "112\n",
                 "Error: MATCHRULE NOSUCH @116 referred by CLASS in QOSPOLICY is missing \n",
                 "WARNING: QOSPolicy 'Q28' for 'CORE.PE' has a CONTEXT and does not have any variables in the "
                 "QUEUEGROUPNAME, may cause duplicate entries: @ 120 \n",
                 "WARNING: QOSPolicy 'Q28' for 'CORE.PE' has a CONTEXT and does not have any variables in the NAME for "
                 "CLASS 'A', may cause duplicate entries: @ 121 \n\n",
                 "Error: MARKRULENAME NOSUCH referred by QOSPOLICY Description @122 is missing\n",
                 "ERROR:Multiple MARKRULENAME or both MARKRULE and MARKRULENAME cannot be given for same Policy or "
                 "Class: 'SETPREC' @ 126\n",
                 "Error: duplicate serviceenroll variablename : 'V1' @ 130\n ",
                 "ERROR : Invalid Input : SITE @133\n",
                 "ERROR : Keyword 'BEGIN' expected: CORE @ 135 \n"}));
    EXPECT_EQ(rows("SELECT count(*) FROM qospolicyclass"), V{"0"});
}

TEST_F(QosPolicyLoad, AFileEndingInsideAPolicyIsAnError) {
    ASSERT_EQ(load("qos_topology.ndl", "", kPolicy).ret, 0);
    const std::string description = "QOSPOLICY CORE.PE M BEGIN\n  DESCRIPTION = ( NAME = P , OWNER = \"CORE\" , "
                                    "QUEUEGROUPNAME = Q , DIRECTION = in , USAGE = X , QUEUETYPE = CLASS-BASED )\n";
    const std::string item_end = "Error: Invalid attribute name :  @5\n";
    const Cut cut[] = {
        {"QOSPOLICY", {"Error: domain undefined: '' @ 2 \n", "Error: '.' expected as a qualifer for node type @ 2\n"}},
        // The M or O word is missing, and so is BEGIN.
        {"QOSPOLICY CORE.PE ",
         {"Error: M or O needs to be specified for qospolicy @2\n", "Error: Keyword 'BEGIN' expected :  @2\n"}},
        {"QOSPOLICY CORE.PE M\n", {"Error: Keyword 'BEGIN' expected :  @3\n"}},
        {"QOSPOLICY CORE.PE M BEGIN\n  DESCRIPTION = ( NAME = P ,", {"invalid attribute in variable list @3\n"}},
        {description, {"Error: Invalid attribute name :  @4\n"}},
        {description + "  CLASS # 1 = ( NAME = A ,", {"invalid attribute in variable list:  @4\n"}},
        {description + "  CLASS # 1 = ( NAME = A , MATCHRULE = ( TYPE = \"cos\" ,",
         {"invalid attribute in variable list:  @4\n"}},
        {description + "  CLASS # 1 = ( NAME = A )\n", {item_end}},
        {description + "  ACCESSLIST = ( ACL-TYPE = extended , ACL-NAME = \"L\" , NAME-TYPE = STRING )\n", {item_end}},
        // Where the block would end as at END: never accepted.
        {"QOS-SERVICE-ENROLLVAR BEGIN\n  VARIABLE = ( NAME = V , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n",
         {"ERROR: Unexpected end of file @ 4 \n"}},
    };
    for (const Cut &c : cut) expect_refused_at_end(load_qos_text(c.text), c.messages, c.text);
    EXPECT_EQ(rows("SELECT count(*) FROM qospolicyclass"), V{"0"});
}
