// The ACCESSLIST block: descriptions, their entries, the kind of entry a
// description holds, the numbering and every message of the block.
#include <cstring>
#include <string>

#include "block_test.h"
#include "policy_blocks.h"
#include "records_topology.h"

namespace {

class Acl : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        section("FIREWALL");
        add_domain("D", {"PE", "CE"});
    }
    static void section(const char *name) { std::strcpy(g_section.sectionname, name); }
    // One block for D.PE holding `body` between BEGIN and END.
    int block(const std::string &body) { return run(parse_accesslist, "D . PE BEGIN\n" + body + "\nEND\n"); }
    // One description of a named snmp list, then `formats`.
    int named(const std::string &formats, const std::string &extra = "") {
        return block("DESCRIPTION = ( ACL-TYPE = standard , ACL-NAME = \"A\" , NAME-TYPE = STRING , USAGE = snmp , "
                     "OWNER = \"D\"" + extra + " )\n" + formats);
    }
};

TEST_F(Acl, NamedAndNumberedListsWithTheirEntries) {
    ASSERT_EQ(block("DESCRIPTION = ( ACL-TYPE = Standard , ACL-NAME = \"MGMT\" , NAME-TYPE = string , USAGE = SNMP ,"
                    " OWNER = \"D.PE\" , CONTEXT = \"IFHOST()\" )\n"
                    "FORMAT = ( TYPE = permit )\n"
                    "FORMAT = ( TYPE = Deny , PROTOCOL = udp , PROTOCOL = tcp , SOURCE = \"LOCALIP(INTERFACE)\" ,"
                    " SOURCE-PREFIX = 32 , SOURCE-PORTOP = AUTO , SOURCE-PORT = \"80\" , DEST = \"IP(INTERFACE)\" ,"
                    " DEST-PREFIX = AUTO , DEST-PORTOP = \"Range\" , DEST-PORT = auto , PRECEDENCE = Flash ,"
                    " TOS = \"min-delay\" , ESTABLISHED = false , LOG = true , REPEATBY = \"BYHOST()\" )\n"
                    "DESCRIPTION = ( ACL-TYPE = extended , NAME-TYPE = SEQUENCE , ACL-SEQSTART = 110 ,"
                    " ACL-SEQINC = 10 , USAGE = vty , OWNER = \"D\" , DIRECTION = IN )\n"
                    "FORMAT = ( TYPE = permit , NETWORK = \"LOCALIP(INTERFACE)\" , MASK = 24 , MASK-DNCB = AUTO ,"
                    " NETWORK-DNCB = 1 , PROTOCOL = AUTO )"),
              0)
        << log();
    EXPECT_EQ(log(), "");  // a conditional context: no duplicate warning
    domain_access_list_rec *a = prdomainaccesslist.head, *b = a->next;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->sequence, 1);
    EXPECT_STREQ(a->acltype, "standard");
    EXPECT_STREQ(a->nametype, "STRING");
    EXPECT_STREQ(a->usage, "snmp");
    EXPECT_STREQ(a->owner, "D.PE");
    EXPECT_STREQ(a->context1, "IFHOST()");
    EXPECT_STREQ(a->direction, " ");
    EXPECT_EQ(b->sequence, 2);
    EXPECT_STREQ(b->aclname, " ");
    EXPECT_EQ(b->aclstart, 110);
    EXPECT_EQ(b->aclinc, 10);
    EXPECT_STREQ(b->direction, "in");
    EXPECT_STREQ(b->context1, "");

    domain_acl_list_rec *e1 = prdomainacllist.head, *e2 = e1->next;
    ASSERT_NE(e2, nullptr);
    EXPECT_EQ(e1->subsequence, 1);
    EXPECT_STREQ(e1->protocoltype, "IGNORE");
    EXPECT_STREQ(e1->protocol, "ip");
    EXPECT_STREQ(e1->sourceportoptype, "IGNORE");
    EXPECT_STREQ(e1->destporttype, "IGNORE");
    EXPECT_EQ(e1->sourceprefix, 0);
    EXPECT_EQ(e1->established, -1);
    EXPECT_EQ(e1->log, 0);
    EXPECT_EQ(e2->subsequence, 2);
    EXPECT_STREQ(e2->type, "deny");
    EXPECT_STREQ(e2->protocoltype, "USER");
    EXPECT_STREQ(e2->protocol, "tcp");  // the second PROTOCOL wins, silently
    EXPECT_EQ(e2->sourceprefix, 32);
    EXPECT_STREQ(e2->sourceportoptype, "AUTO");
    EXPECT_STREQ(e2->sourceportop, "");
    EXPECT_STREQ(e2->sourceporttype, "USER");
    EXPECT_STREQ(e2->sourceport, "80");
    EXPECT_EQ(e2->destprefix, -1);
    EXPECT_STREQ(e2->destportoptype, "USER");
    EXPECT_STREQ(e2->destportop, "range");
    EXPECT_STREQ(e2->destporttype, "AUTO");
    EXPECT_STREQ(e2->precedence, "flash");
    EXPECT_STREQ(e2->tos, "min-delay");
    EXPECT_EQ(e2->established, 0);
    EXPECT_EQ(e2->log, 1);
    EXPECT_STREQ(e2->repeatby, "BYHOST()");

    domain_ext_acl_rec *x = prdomainextacl.head;
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->sequence, 2);
    EXPECT_EQ(x->subsequence, 1);
    EXPECT_STREQ(x->hostnetworkno, "LOCALIP(INTERFACE)");
    EXPECT_STREQ(x->protocol, "ip");  // AUTO leaves ip
    EXPECT_EQ(x->mask, 24);
    EXPECT_EQ(x->maskdncb, -1);
    EXPECT_EQ(x->hostdncb, 1);

    // A second block numbers on after the largest sequence of the node type.
    ASSERT_EQ(named("FORMAT = ( TYPE = permit )", ", ACL-NAME = \"B\""), 0) << log();
    EXPECT_EQ(prdomainaccesslist.tail->sequence, 3);
}

TEST_F(Acl, UsagesAreTheSectionsOwn) {
    auto with_usage = [this](const char *name, const char *usage) {
        return block(std::string("DESCRIPTION = ( ACL-TYPE = standard , ACL-NAME = \"") + name +
                     "\" , NAME-TYPE = STRING , USAGE = " + usage + " , OWNER = \"D\" )\nFORMAT = ( TYPE = permit )");
    };
    section("QOS");
    for (const char *usage : {"QOS", "Qos", "qos"}) {
        EXPECT_EQ(with_usage(usage, usage), 0);
        EXPECT_EQ(log(), "");
        EXPECT_STREQ(prdomainaccesslist.tail->usage, "QOS");
    }
    section("FIREWALL");
    EXPECT_EQ(with_usage("F", "qos"), 0);
    EXPECT_EQ(log(), "ERROR: Invalid usage attribute specified : QOS @ 2\n<br>");
    EXPECT_STREQ(prdomainaccesslist.tail->usage, "QOS");  // stored all the same
    section("ROUTING");
    EXPECT_EQ(with_usage("R", "Route-Filter"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_STREQ(prdomainaccesslist.tail->usage, "route-filter");
    EXPECT_EQ(with_usage("S", "snmp"), 0);
    EXPECT_EQ(log(), "ERROR: Invalid usage attribute specified : snmp @ 2\n<br>");
}

TEST_F(Acl, DescriptionMessages) {
    const std::string start = "DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = ";
    struct Case {
        std::string body;
        int result;
        std::string log;
    } cases[] = {
        {start + "STRING , ACL-TYPE = odd , ACL-NAME = \"A\" , USAGE = bogus , OWNER = \"D\" )\nFORMAT = ( TYPE = permit )", 0,
         "ERROR: Duplicate token: 'ACL-TYPE' @ 2\n<br>ERROR: Invalid value for ACL-TYPE attribute specified : odd @ 2\n<br>"
         "ERROR: Invalid usage attribute specified : bogus @ 2\n<br>"},
        {start + "STRING , DIRECTION = sideways )", 1, "ERROR: Invalid direction attribute specified : sideways @ 2\n<br>"},
        {start + "WORD )", 1, "ERROR: Type can only be a string or sequence: WORD @ 2\n<br>"},
        {start + "STRING , NAME-TYPE = STRING )", 1,
         "ERROR: Duplicate token: 'NAME-TYPE' @ 2\n<br>"
         "ERROR: name-type can only be specifed once for an accesslist: STRING @ 2\n<br>"},
        {"DESCRIPTION = ( ACL-SEQSTART = 10 , NAME-TYPE = SEQUENCE )", 1,
         "ERROR: acl-seqtart can only be specified for a sequence type : 10 @ 2\n<br>"},
        {start + "SEQUENCE , ACL-SEQINC = x )", 1, "ERROR :Number expected fro field ACL-SEQINC: x @ 2\n<br>"},
        {start + "SEQUENCE , ACL-SEQSTART = 99999999999 )", 1,
         "ERROR : Number expected for ACL-SEQSTART field: 99999999999 @ 2\n<br>"},
        {start + "STRING , ACL-NAME = A )", 1, "ERROR: Specify accesslist name within quotes: A @ 2\n<br>"},
        {start + "STRING , ACL-NAME = \"\" )", 1, "ERROR: ACL-NAME must not be empty : @ 2\n<br>"},
        {start + "STRING , ACL-NAME = \"" + std::string(151, 'n') + "\" )", 1,
         "Token exceeded the max length: " + std::string(151, 'n') + " @2\n<br>"},
        {start + "STRING , CONTEXT = BYHOST() )", 1, "ERROR: Specify context value within quotes: BYHOST @ 2\n<br>"},
        {start + "STRING , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , "
                 "CONTEXT = \"BYHOST()\" )",
         1, "ERROR: Maximum of three contexts can be given: @ 2\n<br>"},
        {start + "STRING , COLOUR = red )", 1, "ERROR: Invalid attribute name : COLOUR @ 2\n<br>"},
        {start + "STRING USAGE = snmp )", 1, "ERROR:',' or ')' expected : USAGE @ 2\n<br>"},
        {"DESCRIPTION = ( USAGE snmp )", 1, "ERROR: Invalid syntax '=' expected @ 2\n<br>"},
        {"DESCRIPTION ( USAGE = snmp )", 1, "ERROR: Invalid syntax '=' expected @ 2\n<br>"},
        {"DESCRIPTION = USAGE = snmp )", 1, "ERROR: Invalid syntax '(' expected @ 2\n<br>"},
        {start + "STRING , USAGE = snmp )", 1, "ERROR: ACL owner not specifed. @ 2\n<br>"},
        {start + "STRING , OWNER = \"D\" )", 1, "ERROR: ACL usage not specifed. @ 2\n<br>"},
        {"DESCRIPTION = ( )", 1, "ERROR: ACL owner not specifed. @ 2\n<br>"},
        {"DESCRIPTION = ( OWNER = \"D\" , USAGE = snmp , ACL-NAME = \"A\" )", 1,
         "ERROR : Mandatory field 'ACL-TYPE' is not defined: 2\n<br>"},
        {start + "STRING , OWNER = \"<NOSUCH>\" , USAGE = snmp )", 1, "ERROR : Function name expected : NOSUCH @ 2\n<br>"},
        {start + "STRING , ACL-NAME = \"A\" , USAGE = snmp , OWNER = \"D\" , CONTEXT = \"BYHOST()\" )\n"
                 "FORMAT = ( TYPE = permit )",
         0,
         "WARNING: ACCESSLIST 'A' for 'D.PE' has a CONTEXT and does not have any variables in the ACL-NAME, may "
         "cause duplicate entries : @ 2. \n\n<br>"},
        {start + "STRING , ACL-NAME = \"A<LOCALVAR(HOSTNAME)>\" , USAGE = snmp , OWNER = \"D\" , "
                 "CONTEXT = \"BYHOST()\" )\nFORMAT = ( TYPE = permit )",
         0, ""},
        {start + "SEQUENCE , ACL-SEQSTART = 7 , USAGE = snmp , OWNER = \"D\" , CONTEXT = \"BYHOST()\" )\n"
                 "FORMAT = ( TYPE = permit )",
         0, "WARNING: Possible duplicate acl sequence. Usage of context could result in multiple acls of the same "
            "sequence 7 for : D/PE @2\n<br>"},
        {"DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING , USAGE = snmp , OWNER = \"D\" )\n"
         "DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING , USAGE = snmp , OWNER = \"D\" )",
         1, "ERROR: No formats declared for access list @3\n<br>"},
        {"FORMAT = ( TYPE = permit )", 1, "ERROR: Acl Description  has to specifed first. : FORMAT  @2\n<br>"},
        {"\"DESCRIPTION\"", 1, "ERROR: Invalid attribute name : DESCRIPTION @2\n<br>"},
    };
    for (const Case &c : cases) {
        releasememory("ACCESSLIST");
        EXPECT_EQ(block(c.body), c.result) << c.body << "\n" << log();
        EXPECT_EQ(log(), c.log) << c.body;
        EXPECT_EQ(g_error, c.log.rfind("WARNING", 0) == 0 || (c.log.empty() && !c.result) ? 0 : 1) << c.body;
    }
    // 150 characters are accepted; the same name twice on the node is refused.
    releasememory("ACCESSLIST");
    EXPECT_EQ(block(start + "STRING , ACL-NAME = \"" + std::string(150, 'n') +
                    "\" , USAGE = snmp , OWNER = \"D\" )\nFORMAT = ( TYPE = permit )"),
              0)
        << log();
    EXPECT_EQ(named("FORMAT = ( TYPE = permit )"), 0);
    EXPECT_EQ(named("FORMAT = ( TYPE = permit )"), 1);
    EXPECT_EQ(log(), "ERROR : Duplicate aclname/sequence (A/0) for domain/node (D/PE) @2\n<br>");
    EXPECT_EQ(count(prdomainaccesslist), 2);
    // A block with no description at all adds nothing.
    EXPECT_EQ(block(""), 0);
    EXPECT_EQ(run(parse_accesslist, "X . PE BEGIN END"), 0);
    EXPECT_EQ(log(), "ERROR: Domain undefined X \n @1<br>ERROR: Invalid node . Not defined : PE  @1\n<br>");
    EXPECT_EQ(run(parse_accesslist, "D PE BEGIN END"), 1);
    EXPECT_EQ(log(), "ERROR: '.' expected as a qualifer for node type @ 1\n<br>");
    EXPECT_EQ(run(parse_accesslist, "D . PE DESCRIPTION"), 1);
    EXPECT_EQ(log(), "ERROR: Keyword 'BEGIN' expected : DESCRIPTION  @1\n<br>");
}

TEST_F(Acl, EntryMessages) {
    struct Case {
        std::string formats;
        std::string log;
        int result = 1;  // 0: flagged, the block reads on
    } cases[] = {
        {"FORMAT = ( TYPE = permit , TYPE = deny )", "ERROR: Duplicate field 'TYPE' in FORMAT : @ 3\n<br>", 0},
        {"FORMAT = ( TYPE = allow )", "ERROR: Invalid value for TYPE attribute specified : allow @ 3\n<br>"},
        {"FORMAT = ( SOURCE-PREFIX = 0 )", "ERROR:Number (1 to 32) expected : 0 @ 3\n<br>"},
        {"FORMAT = ( MASK = 33 )", "ERROR:Number (1 to 32) expected : 33 @ 3\n<br>"},
        {"FORMAT = ( DEST-PREFIX = 4294967320 )", "ERROR:Number (1 to 32) expected : 4294967320 @ 3\n<br>"},
        {"FORMAT = ( SOURCE-PORT = 80 )", "ERROR: Specify sourceport within quotes (unless AUTO): 80 @ 3\n<br>"},
        {"FORMAT = ( DEST-PORTOP = eq )", "ERROR: Specify destportop within quotes (unless AUTO): EQ @ 3\n<br>"},
        {"FORMAT = ( SOURCE-PORTOP = \"neq\" )", "ERROR: Wrong operator: 'neq' @ 3 \n<br>"},
        {"FORMAT = ( LOG = maybe )", "ERROR: Invalid value for Boolean attribute specified : MAYBE @ 3\n<br>"},
        {"FORMAT = ( PRECEDENCE = urgent )",
         "ERROR: Wrong value: 'urgent'  , in PRECEDENCE for ACCESSLIST FORMAT: @ 3\n<br>"},
        {"FORMAT = ( SOURCE = LOCALIP )", "ERROR: Specify source value within quotes: LOCALIP @ 3\n<br>"},
        {"FORMAT = ( NETWORK = \"\" )", "ERROR: Network should have a aggregation function:  @ 3\n<br>"},
        {"FORMAT = ( REPEATBY = \"x\" , TYPE = permit )", "ERROR : Function name expected : x @ 3\n<br>", 0},
        {"FORMAT = ( SOURCE-PREFIX = 8 , MASK = 8 )", "ERROR: Invalid attribute name : MASK @ 3\n<br>"},
        {"FORMAT = ( TYPE = permit , SOURCE-PREFIX = 8 )\nFORMAT = ( TYPE = permit , MASK = 8 )",
         "ERROR: Invalid attribute name : MASK @ 4\n<br>"},
        {"FORMAT = ( FOO = 1 )", "ERROR: Invalid attribute name : FOO @ 3\n<br>"},
        {"FORMAT = ( TYPE permit )", "ERROR: Invalid syntax '=' expected: permit @ 3\n<br>"},
        {"FORMAT ( TYPE = permit )", "ERROR: Invalid syntax '=' expected : ( @ 3\n<br>"},
        {"FORMAT = TYPE = permit )", "ERROR: Invalid syntax '(' expected : TYPE @ 3\n<br>"},
        {"FORMAT = ( TYPE = permit ; )", "ERROR:',' or ')' expected : ; @ 3\n<br>"},
        {"FORMAT = ( LOG = TRUE )",
         "ERROR: Type field not specified . A permit/deny type for acl is required. @3\n<br>"},
        {"FORMAT = ( )", "ERROR: Type field not specified . A permit/deny type for acl is required. @3\n<br>"},
        // A network entry needs its network and protocol: both are read back
        // without a NULL default.
        {"FORMAT = ( TYPE = permit , MASK = 8 )",
         "ERROR: NETWORK not specified for a network entry of an access list. @3\n<br>"},
        {"FORMAT = ( TYPE = permit , NETWORK = \"IP(INTERFACE)\" , PROTOCOL = \"\" )",
         "ERROR: PROTOCOL not specified for a network entry of an access list. @3\n<br>"},
        // A FORMAT with only TYPE makes the description's entries address
        // entries.
        {"FORMAT = ( TYPE = permit )\nFORMAT = ( TYPE = permit , NETWORK = \"IP(INTERFACE)\" )",
         "ERROR: Invalid attribute name : NETWORK @ 4\n<br>"},
        {"FORMAT = ( TYPE = permit , TOS = \"" + std::string(31, 't') + "\" )",
         "ERROR: token size exceeds datbase field size :  '" + std::string(31, 't') + "' @ 3\n<br>", 0},
    };
    for (const Case &c : cases) {
        releasememory("ACCESSLIST");
        int result = named(c.formats);
        EXPECT_EQ(log(), c.log) << c.formats;
        EXPECT_EQ(g_error, 1) << c.formats;
        EXPECT_EQ(result, c.result) << c.formats;
    }
    EXPECT_EQ(prdomainextacl.head, nullptr);  // nothing filed for a failed entry
}

TEST_F(Acl, SubsequencesRestartWithEachDescriptionAndKindsToo) {
    ASSERT_EQ(named("FORMAT = ( TYPE = permit , SOURCE = \"IP(INTERFACE)\" )\n"
                    "FORMAT = ( TYPE = permit )\nFORMAT = ( TYPE = deny )\nFORMAT = ( TYPE = deny )\n"
                    "DESCRIPTION = ( ACL-TYPE = standard , ACL-NAME = \"B\" , NAME-TYPE = STRING , USAGE = aux ,"
                    " OWNER = \"D\" )\nFORMAT = ( TYPE = permit , NETWORK = \"IP(INTERFACE)\" )"),
              0)
        << log();
    EXPECT_EQ(prdomainacllist.tail->subsequence, 4);
    ASSERT_NE(prdomainextacl.head, nullptr);
    EXPECT_EQ(prdomainextacl->subsequence, 1);
    EXPECT_EQ(prdomainextacl->sequence, 2);
}

// The end of the file reaches the branch that meets it: a missing keyword,
// separator, node type and BEGIN.
TEST_F(Acl, EndOfFileInsideTheBlockOrAnEntry) {
    const std::string desc = "D . PE BEGIN\nDESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING , USAGE = snmp ,"
                             " OWNER = \"D\" )\n";
    const struct {
        std::string text, log;
    } cases[] = {
        {"D . PE BEGIN\nDESCRIPTION = ( ACL-TYPE = standard ,\n", "ERROR: Invalid attribute name :  @ 3\n<br>"},
        {desc + "FORMAT = ( TYPE = permit\n", "ERROR:',' or ')' expected :  @ 4\n<br>"},
        {desc + "FORMAT = ( TYPE = permit )\n", "ERROR: Invalid attribute name :  @4\n<br>"},
        {"D .", "ERROR: Invalid node . Not defined :   @1\n<br>ERROR: Keyword 'BEGIN' expected :   @1\n<br>"},
    };
    for (const auto &c : cases) {
        releasememory("ACCESSLIST");
        EXPECT_EQ(run(parse_accesslist, c.text), 1);
        EXPECT_EQ(log(), c.log) << c.text;
        EXPECT_EQ(g_prevtokentype, TOKEN_EOF);
    }
}

TEST_F(Acl, QosPolicyListsTakeTheTemplate) {
    section("QOS");
    domain_access_list_rec templ{};
    templ.owner = "POLICY1";
    templ.usage = "QOSPOLICY";
    templ.direction = "out";
    char c1[kText] = "BYHOST()", c2[kText] = "", c3[kText] = "";
    int sequence = 0;
    open("= ( ACL-TYPE = standard , ACL-NAME = \"P\" , NAME-TYPE = STRING )");
    ASSERT_EQ(extract_description(fp, "D", "PE", &sequence, c1, c2, c3, &templ, 1), 0) << log();
    EXPECT_EQ(sequence, 1);  // one more than the node type's largest
    EXPECT_STREQ(prdomainaccesslist->usage, "QOSPOLICY");
    EXPECT_STREQ(prdomainaccesslist->owner, "POLICY1");
    EXPECT_STREQ(prdomainaccesslist->direction, "out");
    EXPECT_STREQ(prdomainaccesslist->context1, "BYHOST()");
    log_text.clear();
    open("= ( ACL-TYPE = standard , USAGE = QOS )");
    EXPECT_EQ(extract_description(fp, "D", "PE", &sequence, c1, c2, c3, &templ, 1), 1);
    EXPECT_EQ(log(), "ERROR: Invalid attribute name : USAGE @ 1\n<br>");

    // Found only while its policy is read; a plain reference needs no context.
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "P", 0), 0);
    g_policyname = "POLICY1";
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "P", 0), 1);
    g_policyname = "";
}

TEST_F(Acl, ListsAreFoundByNameOrStartNumberUnderTheirContexts) {
    ASSERT_EQ(block("DESCRIPTION = ( ACL-TYPE = extended , NAME-TYPE = SEQUENCE , ACL-SEQSTART = 110 , USAGE = vty ,"
                    " OWNER = \"D\" )\nFORMAT = ( TYPE = permit )\n"
                    "DESCRIPTION = ( ACL-TYPE = standard , ACL-NAME = \"V<LOCALVAR(HOSTNAME)>\" , NAME-TYPE = STRING ,"
                    " USAGE = vty , OWNER = \"D\" , CONTEXT = \"BYHOST()\" )\nFORMAT = ( TYPE = permit )"),
              0)
        << log();
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "110", 0), 1);
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "111", 0), 0);
    EXPECT_EQ(validate_accesslistexists("D", "CE", "", "", "", "110", 0), 0);
    const char *named = "V<LOCALVAR(HOSTNAME)>";
    EXPECT_EQ(validate_accesslistexists("D", "PE", "BYHOST()", "", "", named, 0), 1);
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", named, 0), 0);  // a variable: contexts count
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", named, 1), 1);  // unless loose
    EXPECT_EQ(validate_accesslistexists("D", "PE", "X", "BYHOST()", "", named, 0), 0);
}

}  // namespace
