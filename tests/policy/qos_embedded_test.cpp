// The QoS rule readers as a QOSPOLICY will call them (embedded, from a
// template record, at the policy or class level), the attribute list, the
// generated match-rule names and setdroptype, in process with the log
// captured.
#include <cstring>
#include <string>

#include "block_test.h"
#include "driver.h"
#include "policy.h"
#include "policy_blocks.h"

namespace {

template <class Rule>
Rule policy_template(const char *name) {
    Rule t{};
    t.domainname = "CORE";
    t.nodetype = "PE";
    t.owner = "QG1";
    t.usage1 = "POLICY";
    t.usage2 = "in";
    t.repeatby = " ";
    t.sequence = 2;
    if constexpr (requires { t.policerulename; }) t.policerulename = name;
    if constexpr (requires { t.shaperulename; }) t.shaperulename = name;
    if constexpr (requires { t.markrulename; }) t.markrulename = name;
    if constexpr (requires { t.droprulename; }) t.droprulename = name;
    return t;
}

// Made for each run: a record's texts last only as long as the run.
int mark(FILE *fp, FILE *, const char *) {
    const auto t = policy_template<qos_mark_rule_class_rec>("1-plcy-QG1");
    return extract_markrule_description(fp, "", "", &t, 1);
}
int drop(FILE *fp, FILE *, const char *) {
    const auto t = policy_template<qos_drop_rule_class_rec>("1-plcy-QG1");
    return extract_droprule_description(fp, "", "", &t, 1);
}
int police_int(FILE *fp, FILE *, const char *) {
    const auto t = policy_template<qos_police_rule_class_rec>("QG1");
    return extract_policerule_description(fp, "", "", &t, 1, QOSINTPOLICE);
}
int police_class(FILE *fp, FILE *, const char *) {
    const auto t = policy_template<qos_police_rule_class_rec>("QG1");
    return extract_policerule_description(fp, "", "", &t, 1, QOSCLASSPOLICE);
}
int shape_int(FILE *fp, FILE *, const char *) {
    const auto t = policy_template<qos_shape_rule_class_rec>("QG1");
    return extract_shaperule_description(fp, "", "", &t, 1, QOSINTSHAPE);
}

void add_matchrule(const char *name, const char *usage) {
    auto *m = alloc_record<qos_match_rule_class_rec>();
    m->domainname = "CORE";
    m->nodetype = "PE";
    m->matchrulename = name;
    m->usage1 = usage;
    m->sequence = 1;
    prmatchruledesclist.append(m);
}

constinit keyword_table_of namelist{{{.name = "NAME", .maxlen = 100}, token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN),
                                     token_row("=", TOKEN_EQUAL)}};

const char kRates[] = "BITRATE = 8000 , BURSTSIZE = 1500 , EXCEEDACTION = drop , CONFIRMACTION = transmit";

}  // namespace

TEST_F(Block, AttributeListsTakeATrailingCommaAnEmptyListAndAnyLength) {
    std::vector<attribute_entry> entries;
    auto list = [&](const std::string &text) {
        open(text);
        block_reader r(fp, namelist);
        return extract_variablelist(r, entries);
    };
    EXPECT_EQ(list("= ( NAME = A , )"), 0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].name, "NAME");
    EXPECT_STREQ(entries[0].value, "A");
    EXPECT_EQ(entries[0].valuekind, TOKEN_WORD);
    EXPECT_EQ(list("= ( )"), 0);
    EXPECT_TRUE(entries.empty());
    // Past the 50 entries a caller once reserved: the list grows.
    std::string many = "= (";
    for (int i = 0; i < 60; ++i) many += " NAME = \"v" + std::to_string(i) + "\" ,";
    EXPECT_EQ(list(many + " NAME = last )"), 0);
    EXPECT_EQ(entries.size(), 61u);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(list("= ( NAME = A ; )"), 1);
    EXPECT_EQ(list("( NAME = A )"), 1);
    EXPECT_EQ(list("= ( COLOUR = A )"), 1);
    EXPECT_EQ(log(),
              "Error:',' or ')' expected : ; @ 1\n<br>"
              "Error: Invalid syntax '=' expected @ 1\n<br>"
              "invalid attribute in variable list: COLOUR @1\n<br>");
}

TEST_F(Block, EmbeddedMarkRuleTakesTheTemplateAndRefusesNameAndContext) {
    EXPECT_EQ(run(mark, "= ( TYPE = \"COS\" , VALUE = \"3\" )"), 0);
    EXPECT_EQ(log(), "");
    ASSERT_NE(prmarkruledesclist.head, nullptr);
    const qos_mark_rule_class_rec &m = *prmarkruledesclist.head;
    EXPECT_STREQ(m.markrulename, "1-plcy-QG1");
    EXPECT_STREQ(m.owner, "QG1");
    EXPECT_STREQ(m.usage1, "POLICY");
    EXPECT_STREQ(m.usage2, "in");
    EXPECT_EQ(m.sequence, 2);
    EXPECT_STREQ(m.marktype, "cos");

    EXPECT_EQ(run(mark, "= ( NAME = X , TYPE = \"cos\" , VALUE = \"3\" )"), 1);
    EXPECT_EQ(run(mark, "= ( TYPE = \"cos\" , VALUE = \"3\" , CONTEXT = \"BYHOST()\" )"), 1);
    // The same name and sequence again.
    EXPECT_EQ(run(mark, "= ( TYPE = \"cos\" , VALUE = \"4\" )"), 1);
    EXPECT_EQ(log(), "Error: Duplicate MARK RULE 1-plcy-QG1  @1\n<br>");
}

TEST_F(Block, EmbeddedDropRuleAcceptsNameButNoContext) {
    EXPECT_EQ(run(drop, "= ( NAME = D9 , TYPE = red )\nDROPSUBRULE # 1 = ( TYPE = X , PARAM1 = 1 )\nEND"), 0);
    ASSERT_NE(prdropruledesclist.head, nullptr);
    const qos_drop_rule_class_rec &d = *prdropruledesclist.head;
    EXPECT_STREQ(d.droprulename, "D9");
    EXPECT_STREQ(d.owner, "QG1");
    EXPECT_STREQ(d.droptype, "RED");
    ASSERT_NE(d.elemlist, nullptr);
    EXPECT_STREQ(d.elemlist->dropsubtype, "x");
    // END went back to the caller.
    char token[kTokenSize];
    token_entry none[] = {token_entry{}};
    token_entry *buckets[kBuckets];
    hash_init(none, buckets);
    get_token(fp, token, buckets);
    EXPECT_STREQ(token, "END");

    EXPECT_EQ(run(drop, "= ( TYPE = red , CONTEXT = \"BYHOST()\" ) END"), 1);
    EXPECT_EQ(log(), "ERROR: CONTEXT can appear only for global QOS blocks : @ 1\n<br>");
    // Inside a policy the name comes from the template.
    EXPECT_EQ(run(drop, "= ( TYPE = headdrop ) END"), 0);
    EXPECT_STREQ(prdropruledesclist.tail->droprulename, "1-plcy-QG1");
}

TEST_F(Block, PolicyLevelPoliceRuleBuildsItsMatchRuleWithTheRunCounter) {
    std::string text = std::string("= ( ") + kRates +
                       " , REPEATBY = \"BYHOST()\" ,\n MATCHRULE = ( TYPE = \"DSCP\" , VALUE = \"46\" ) ,"
                       " MATCHRULE = ( TYPE = \"qos-group\" , VALUE = \"2\" ) )";
    EXPECT_EQ(run(police_int, text), 0);
    EXPECT_EQ(log(), "");
    ASSERT_NE(prpoliceruledesclist.head, nullptr);
    const qos_police_rule_class_rec &p = *prpoliceruledesclist.head;
    EXPECT_STREQ(p.policerulename, "QG1");
    EXPECT_STREQ(p.repeatby, "BYHOST()");
    EXPECT_STREQ(p.matchrulename, "QG1-POL-0");
    ASSERT_NE(prmatchruledesclist.head, nullptr);
    const qos_match_rule_class_rec &m = *prmatchruledesclist.head;
    EXPECT_STREQ(m.matchrulename, "QG1-POL-0");
    EXPECT_STREQ(m.owner, "QG1");
    EXPECT_STREQ(m.usage1, "POLICERULE");
    EXPECT_STREQ(m.usage2, "in");
    EXPECT_STREQ(m.repeatby, "BYHOST()");
    ASSERT_NE(m.elemlist, nullptr);
    ASSERT_NE(m.elemlist->next, nullptr);
    EXPECT_STREQ(m.elemlist->matchtype, "dscp");
    EXPECT_STREQ(m.elemlist->next->matchvalue, "2");

    // The counter runs over the run (the police rule itself is now a
    // duplicate), and starts again with the next run.
    EXPECT_EQ(run(police_int, text), 1);
    EXPECT_STREQ(prmatchruledesclist.tail->matchrulename, "QG1-POL-1");
    EXPECT_EQ(policeuniquenumber, 2);
    InitialiseGlobalData();
    EXPECT_EQ(policeuniquenumber, 0);
    EXPECT_EQ(matchuniquenumber, 0);
}

TEST_F(Block, ClassLevelPoliceRuleTakesNoMatchRuleOrRepeatBy) {
    EXPECT_EQ(run(police_class, std::string("= ( ") + kRates + " , MATCHRULE = ( TYPE = \"dscp\" , VALUE = \"1\" ) )"),
              1);
    EXPECT_EQ(log(), "Error: MATCHRULE in POLICERULE can appear only when embedded in QOSPOLICY @1\n<br>");
    EXPECT_EQ(run(police_class, std::string("= ( ") + kRates + " , REPEATBY = \"BYHOST()\" )"), 1);
    EXPECT_EQ(log(), "Error: REPEATBY in POLICERULE can appear only when embedded in QOSPOLICY @1\n<br>");
    EXPECT_EQ(run(police_class, std::string("= ( NAME = X , ") + kRates + " )"), 1);
    EXPECT_EQ(log(), "ERROR: Invalid keyword : NAME @ 1\n<br>");
    // Class actions are checked against the class table.
    EXPECT_EQ(run(police_class, "= ( BITRATE = 1 , BURSTSIZE = 1 , EXCEEDACTION = fly , CONFIRMACTION = drop )"), 1);
    EXPECT_EQ(log(), "ERROR: Wrong value: 'fly'  : @ 1\n<br>");
    EXPECT_EQ(prpoliceruledesclist.head, nullptr);
}

TEST_F(Block, ReferredMatchRulesMustExistAndAWrongUsageIsOnlyAWarning) {
    add_matchrule("GOLD", "CLASS");
    EXPECT_EQ(run(police_int, std::string("= ( ") + kRates + " , MATCHRULENAME = GOLD )"), 0);
    EXPECT_EQ(log(), "ERROR: Wrong USAGE for referred MATCHRULE 'GOLD' : @ 1\n<br>");
    EXPECT_EQ(g_error, 0);
    EXPECT_STREQ(prpoliceruledesclist.head->matchrulename, "GOLD");

    EXPECT_EQ(run(police_int, std::string("= ( ") + kRates + " , MATCHRULENAME = NOPE )"), 1);
    EXPECT_EQ(log(), "Error: MATCHRULE NOPE @1 referred by POLICE RULE in QOSPOLICY is missing \n<br>");
    // A shape rule's reference is held to the same.
    EXPECT_EQ(run(shape_int, "= ( BITRATE = 1 , MATCHRULENAME = NOPE )"), 1);
    EXPECT_EQ(log(), "Error: MATCHRULE NOPE @1 referred by SHAPE RULE in QOSPOLICY is missing \n<br>");
    EXPECT_EQ(run(shape_int, "= ( BITRATE = 1 , MATCHRULE = ( TYPE = \"group\" , VALUE = \"7\" ) ,"
                             " MATCHRULENAME = GOLD )"),
              1);
    // "group" names an access list, which none declares here: a warning.
    EXPECT_EQ(log(), "WARNING: ACL '7' not defined  : @ 1\n<br>"
                     "ERROR: MATCHRULENAME cannot be given along with MATCHRULE : @ 1\n<br>");
    EXPECT_STREQ(prmatchruledesclist.tail->matchrulename, "QG1-SH-0");
    EXPECT_STREQ(prmatchruledesclist.tail->usage1, "SHAPERULE");
}

TEST_F(Block, SetDropTypeRefusesADuplicateWithoutLogging) {
    Line = 1;
    EXPECT_EQ(setdroptype("RED", "CORE", "PE", "", "", "", "QG1", "POLICY", "in", "1-plcy-QG1"), 1);
    ASSERT_NE(prdropruledesclist.head, nullptr);
    EXPECT_STREQ(prdropruledesclist.head->repeatby, "");
    EXPECT_EQ(prdropruledesclist.head->sequence, 1);
    EXPECT_EQ(prdropruledesclist.head->elemlist, nullptr);
    EXPECT_EQ(setdroptype("TAILDROP", "CORE", "PE", "", "", "", "QG1", "POLICY", "in", "1-plcy-QG1"), 0);
    EXPECT_STREQ(g_errormsg, "Error: duplicate qos drop rule 1-plcy-QG1  @1\n");
    EXPECT_EQ(log(), "");
    EXPECT_EQ(droprule_exists("CORE", "PE", "1-plcy-QG1", 7), 1);
    EXPECT_EQ(matchrule_exists("CORE", "PE", "1-plcy-QG1", 1), 0);
}
