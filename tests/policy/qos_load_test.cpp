// QOS rule blocks loaded through the host after their topology: the rows of
// every rule kind, the rules read back (entries folded, actions by the
// nested query) under a new version, every message of an invalid file in
// one pass, and files that end inside a block.
#include "policy_load.h"

using V = std::vector<std::string>;

namespace {

class QosLoad : public TopoLoad {
protected:
    static constexpr const char *kPolicy = NDL_TEST_DATA "/policy";
    Outcome load_qos(const std::string &qosfile, const std::string &mode = "") {
        return load("qos_topology.ndl," + qosfile, mode, kPolicy);
    }
    // A QOS section written into the test's folder, after the topology.
    Outcome load_qos_text(const std::string &text, const std::string &mode = "") {
        std::ofstream(dir + "/q.ndl") << "NETWORKNAME = QOSLAB, SECTION = QOS\n" << text;
        std::filesystem::copy_file(std::string(kPolicy) + "/qos_topology.ndl", dir + "/qos_topology.ndl",
                                   std::filesystem::copy_options::overwrite_existing);
        return load("qos_topology.ndl,q.ndl", mode, dir);
    }
    // The named columns of one version's rows, in the order they were written.
    V table(const std::string &name, const std::string &columns, int version = 1) {
        return rows("SELECT " + columns + " FROM " + name + " WHERE ndlversion = " + std::to_string(version) +
                    " ORDER BY rowid");
    }
};

const std::string kLong = "O'BRIEN-" + std::string(92, 'X');

}  // namespace

TEST_F(QosLoad, EveryRuleKindIsStored) {
    Outcome r = load_qos("qos_rules.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, (V{"\n --- FILE:  " + std::string(kPolicy) + "\\qos_rules.ndl --- \n",
                             "WARNING: QOSMATCHRULE 'SILVER' for 'CORE.PE' has a CONTEXT and does not have any "
                             "variables in the NAME, may cause duplicate entries:  \n\n",
                             "<left>---- Global Validations ----</left>", "files  successfully loaded \n"}));
    EXPECT_EQ(table("qosmatchruleclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
                                         "context3, matchrulename, matchdnf, sequence, matchtype, matchvalue, "
                                         "matchnegated, repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL|CLASS| ||||GOLD|0|1|ip dscp|ef|0||1",
                 "1|CORE|PE|GLOBAL|CLASS| ||||GOLD|0|2|any||1||1",
                 "1|CORE|PE|GLOBAL|POLICERULE| |BYHOST()|||SILVER|1|1|qos-group|5|0||1"}));
    EXPECT_EQ(table("qosmarkruleclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
                                        "context3, markrulename, sequence, marktype, markvalue, repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL| | ||||SETPREC|1|ip precedence|5| |1"}));
    EXPECT_EQ(table("qospoliceruleclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
                                          "context3, policerulename, sequence, matchrulename, bitrate, burstsize, "
                                          "excessburstsize, exceedrate, violaterate, repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL| | ||||LIMIT|1||8000|1500|||| |1",
                 "1|CORE|PE|GLOBAL| | ||||LIMIT-<VAR(RATE)>|1||<VAR(RATE)>|1500|||| |1",
                 "1|CORE|PE|GLOBAL| | ||||" + kLong + "|1||1|2|||| |1"}));
    EXPECT_EQ(table("qospoliceactionclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, "
                                            "context2, context3, policerulename, sequence, subsequence, actiontype, "
                                            "action, actionvalue, repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL| | ||||LIMIT|1|1|EXCEEDACTION|drop|| |1",
                 "1|CORE|PE|GLOBAL| | ||||LIMIT|1|2|CONFIRMACTION|set-prec-transmit|3| |1",
                 "1|CORE|PE|GLOBAL| | ||||LIMIT|1|3|VIOLATEACTION|drop|| |1",
                 "1|CORE|PE|GLOBAL| | ||||LIMIT-<VAR(RATE)>|1|1|EXCEEDACTION|transmit|| |1",
                 "1|CORE|PE|GLOBAL| | ||||LIMIT-<VAR(RATE)>|1|2|CONFIRMACTION|transmit|| |1",
                 "1|CORE|PE|GLOBAL| | ||||" + kLong + "|1|1|EXCEEDACTION|continue|| |1",
                 "1|CORE|PE|GLOBAL| | ||||" + kLong + "|1|2|CONFIRMACTION|set-qos-continue|4| |1"}));
    EXPECT_EQ(table("qosshaperuleclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
                                         "context3, shaperulename, sequence, matchrulename, bitratetype, bitrate, "
                                         "sustainedrate, excessrate, burstsize, excessburstsize, queuelength, "
                                         "repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL| | ||||SHAPE1|1||peak|64000|||||40| |1",
                 "1|CORE|PE|GLOBAL| | ||||SHAPE2|1||AVERAGE|128000|||||| |1"}));
    EXPECT_EQ(table("qosdropruleclass", "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
                                        "context3, droprulename, droptype, sequence, dropsubtype, dropparam1, "
                                        "dropparam2, repeatby, ndlversion"),
              (V{"1|CORE|PE|GLOBAL| | ||||WRED1|RED|1|precedence|10|40| |1",
                 "1|CORE|PE|GLOBAL| | ||||WRED1|RED|2|precedence|20|| |1",
                 "1|CORE|PE|GLOBAL| | ||||TAIL|TAILDROP|1|||| |1"}));
}

TEST_F(QosLoad, StoredRulesComeBackWholeUnderANewVersion) {
    ASSERT_EQ(load_qos("qos_rules.ndl").ret, 0);
    // A run of another section reads the rules (entries folded into their
    // rules, actions by the nested query) and writes them again.
    std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = QOSLAB, SECTION = FIREWALL\n";
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    for (const char *t : {"qosmatchruleclass", "qosmarkruleclass", "qospoliceruleclass", "qospoliceactionclass",
                          "qosshaperuleclass", "qosdropruleclass"}) {
        const std::string columns = select_list(db, t, {"ndlversion"});
        V first = table(t, columns, 1), second = table(t, columns, 2);
        std::sort(first.begin(), first.end());
        std::sort(second.begin(), second.end());
        EXPECT_EQ(first, second) << t;
    }

    // A new QOS section replaces the stored rules: the same name is no
    // duplicate of a stored rule.
    r = load_qos_text("QOSMATCHRULES CORE.PE BEGIN\n"
                      "  DESCRIPTION = ( NAME = GOLD , USAGE = CLASS )\n"
                      "  MATCH # 1 = ( TYPE = \"cos\" , VALUE = \"1\" )\n"
                      "END\n",
                      "updateversion");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT matchrulename, sequence, matchtype FROM qosmatchruleclass WHERE ndlversion = 2"),
              (V{"GOLD|1|cos"}));
    EXPECT_EQ(rows("SELECT count(*) FROM qosmarkruleclass WHERE ndlversion = 2"), V{"0"});
}

TEST_F(QosLoad, ErrorsAreReportedInOnePass) {
    Outcome r = load_qos("qos_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    V errors = errors_of(r.messages);
    errors.erase(errors.begin());  // the second file's line
    EXPECT_EQ(errors,
              (V{"Error: Invalid USAGE  :  'BOGUS' @ 5\n",
                 "WARNING: QOSMATCHRULE 'M1' for 'CORE.PE' has a CONTEXT and does not have any variables in the NAME, "
                 "may cause duplicate entries:  \n\n",
                 "Error: Match in QosMatch rule do not follow the proper sequence: 2 3 @ 7\n",
                 // Two DESCRIPTIONs in a row, and a rule without entries at END.
                 "Error: Atleast one MATCH should be specified after previous match descripton @11\n",
                 "NEGATED can have only TRUE or FALSE Values @15\n",
                 "Error: Atleast one MATCH should be specified after previous match descripton @22\n",
                 "Error: duplicate Match name M5   @23\n",
                 "Error: DESCRIPTION needs to be given before match @26\n",
                 "Error: Token 'DESCRIPTION' not found in MATCHRULE block :  @ 28\n",
                 "ERROR: Token 'DESCRIPTION' not found in QOSMARKRULES @ 30\n",
                 "ERROR: Wrong value: 'nonsense'  : @ 33\n",
                 "Error: Specify Mark Rule type within quotes: TYPE @ 36\n",
                 // An empty drop block keeps its END: the next block is read.
                 "Error: Token 'DESCRIPTION' not found in DROPTYPE block :  @ 38\n",
                 "Error: Invalid DROP TYPE WRED @41\n",
                 "Error: Subdrop rule do not follow the proper sequence: 1 2 @ 45\n",
                 "Error: Token 'EXCEEDACTION' not found in POLICERULE block :  @ 48\n",
                 "Error CONFIRMACTIONVALUE should come immediately after CONFIRMACTION @51\n",
                 "Error: REPEATBY in POLICERULE can appear only when embedded in QOSPOLICY @55\n",
                 "ERROR: Wrong value: 'fly'  : @ 58\n",
                 "Error: Token 'DESCRIPTION' not found in POLICERULE block :  @ 61\n",
                 "Error: Invalid value for BITRATETYPE  fast @64\n",
                 "Error: MATCHRULENAME in SHAPERULE can appear only when embedded in QOSPOLICY @67\n",
                 "Error: Token 'DESCRIPTION' not found in SHAPERULE block :  @ 69\n",
                 "Error: token size exceeds datbase field size :  '1234567890123456789012345678901' @ 72\n",
                 // The line of the repeated keyword, not of the list's end.
                 "Error: Duplicate token :  NAME  @ 76\n",
                 "ERROR: match rule 'NOSUCH' does not exists  : @ 80\n",
                 "Error: Maximum of three contexts can be defined :  @84\n"}));
    EXPECT_EQ(rows("SELECT count(*) FROM qosmatchruleclass"), V{"0"});
}

TEST_F(QosLoad, AFileEndingInsideARuleBlockIsAnError) {
    const std::string match = "QOSMATCHRULES CORE.PE BEGIN\n  DESCRIPTION = ( NAME = M , USAGE = CLASS )\n";
    const std::string drop = "QOSDROPRULES CORE.PE BEGIN\n  DESCRIPTION = ( NAME = D , TYPE = RED )\n";
    const Cut cut[] = {
        // No qualifier: an unknown domain, then no ".".
        {"QOSMATCHRULES",
         {"Error: domain undefined: '' @ 2 \n", "Error: '.' expected as a qualifer for node type @ 2\n"}},
        {"QOSSHAPERULES CORE.PE\n", {"Error: Keyword 'BEGIN' expected :  @3\n"}},
        {match + "  MATCH # 1 = ( TYPE = \"cos\" ,", {"invalid attribute in variable list:  @4\n"}},
        {match + "  MATCH # 1 = ( TYPE = \"cos\" , VALUE = \"1\" )\n", {"Error: Invalid attribute name :  @5\n"}},
        {"QOSMARKRULES CORE.PE BEGIN\n  DESCRIPTION = ( NAME = K , TYPE = \"cos\" , VALUE = \"1\" )\n",
         {"Error: Invalid attribute name :  @4\n"}},
        {"QOSPOLICERULES CORE.PE BEGIN\n  DESCRIPTION = ( NAME = P , BITRATE = 1 , BURSTSIZE = 1 ,\n",
         {"invalid attribute in variable list:  @4\n"}},
        {"QOSSHAPERULES CORE.PE BEGIN\n  DESCRIPTION = ( NAME = S , BITRATE = 1 )\n",
         {"Error: Invalid attribute name :  @4\n"}},
        // The sub-rules end quietly; the block meets the end.
        {drop + "  DROPSUBRULE # 1 = ( TYPE = X )\n", {"Error: Invalid attribute name :  @5\n"}},
        // A value cut inside its quotes is taken; no "," or ")" follows.
        {drop + "  DROPSUBRULE # 1 = ( TYPE = \"X", {"Error:',' or ')' expected :  @ 4\n"}},
    };
    for (const Cut &c : cut) expect_refused_at_end(load_qos_text(c.text), c.messages, c.text);
    EXPECT_EQ(rows("SELECT count(*) FROM qosmatchruleclass"), V{"0"});
}
