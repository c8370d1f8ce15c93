// The route-policy blocks of the ROUTING section in process: route maps with
// their sequences and clauses, prefix lists and their numbering, AS-path and
// community lists, map classes, and the messages of each.
#include <cstring>
#include <string>

#include "block_test.h"
#include "policy.h"
#include "records_policy.h"
#include "records_topology.h"

namespace {

// The log without its "<br>" separators.
std::string text() {
    std::string s = log_text;
    for (size_t at; (at = s.find("<br>")) != std::string::npos;) s.erase(at, 4);
    return s;
}

class RoutePolicy : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        std::strcpy(g_section.sectionname, "ROUTING");
        add_domain("D", {"PE", "CE"});
    }
    int routemap(const std::string &body) { return run(parse_routemap, "D . PE BEGIN\n" + body + "\nEND\n"); }
    int prefixlist(const std::string &body) { return run(parse_prefixlist, "D . PE BEGIN\n" + body + "\nEND\n"); }
    int filterlist(const char *type, const std::string &body) {
        log_text.clear();
        g_error = 0;
        return parse_asncommlist(open("D . PE BEGIN\n" + body + "\nEND\n"), nullptr, type);
    }
    int mapclass(const std::string &body, const std::string &head = "D . CE") {
        return run(parse_domainmapclass, head + " BEGIN\n" + body + "\nEND\n");
    }
    static constexpr const char *kMap = "DESCRIPTION = ( NAME = \"RM\" , USAGE = BGP , OWNER = \"D.PE\" )\n";
};

// ---------------------------------------------------------------- ROUTEMAP

TEST_F(RoutePolicy, RouteMapSequencesAndClauses) {
    ASSERT_EQ(routemap(std::string(kMap) +
                       "TYPE # 10 = ( ACTION = Permit )\n"
                       "MATCH # 10 = ( MATCHNAME = \"IP Address\" , MATCHVALUE = \"ACL1\" )\n"
                       "MATCH # 10 = ( MATCHVALUE = \"PL1\" , MATCHNAME = \"ip address prefix-list\" )\n"
                       "SET # 10 = ( SETNAME = \"Metric\" , SETVALUE = \"5\" )\n"
                       "TYPE # 20 = ( ACTION = deny , REPEATBY = \"BYHOST()\" , MAP-SEQINC = 5 )\n"
                       "MATCH # 20 = ( MATCHNAME = \"tag\" , MATCHVALUE = \"7\" )"),
              0)
        << text();
    EXPECT_EQ(text(), "");
    domain_route_map_rec *a = prdomainroutemap.head, *b = a->next;
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(a->routemap, "RM");
    EXPECT_STREQ(a->usage, "bgp");
    EXPECT_STREQ(a->owner, "D.PE");
    EXPECT_EQ(a->sequence, 10);
    EXPECT_STREQ(a->type, "permit");
    EXPECT_EQ(a->mapseqinc, 0);
    EXPECT_EQ(b->sequence, 20);
    EXPECT_STREQ(b->repeatby, "BYHOST()");
    EXPECT_EQ(b->mapseqinc, 5);

    route_map_match_list_rec *m = prroutemapmatchlist.head;
    ASSERT_EQ(count(m), 3);
    EXPECT_STREQ(m->matchtype, "ip address");
    EXPECT_EQ(m->matchsequence, 1);
    EXPECT_EQ(m->next->matchsequence, 2);
    EXPECT_EQ(m->next->next->sequence, 20);
    EXPECT_EQ(m->next->next->matchsequence, 1);  // the counter starts again at each TYPE
    ASSERT_NE(prroutemapsetlist.head, nullptr);
    EXPECT_STREQ(prroutemapsetlist.head->settype, "metric");
    EXPECT_EQ(prroutemapsetlist.head->setsequence, 1);

    // Contexts: three are stored, a fourth stops the block.
    ASSERT_EQ(routemap("DESCRIPTION = ( NAME = \"C\" , USAGE = ospf , OWNER = \"D\" , CONTEXT = \"BYHOST()\" ,"
                       " CONTEXT = \"IFHOST()\" , CONTEXT = \"IFNOTHOST()\" )\nTYPE # 1 = ( ACTION = permit )"),
              0);
    EXPECT_EQ(text(), "WARNING: ROUTEMAP 'C' for 'D.PE' has a CONTEXT and does not have any variables in the NAME, "
                     "may cause duplicate entries : @ 2. \n\n");
    EXPECT_STREQ(prdomainroutemap.tail->context3, "IFNOTHOST()");
    EXPECT_EQ(routemap("DESCRIPTION = ( NAME = \"C4\" , USAGE = ospf , OWNER = \"D\" , CONTEXT = \"BYHOST()\" ,"
                       " CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" )"),
              1);
    EXPECT_EQ(text(), "ERROR: maximum of three contexts can be specified: @ 2\n");
}

TEST_F(RoutePolicy, RouteMapReportsAndStoresWhatItMay) {
    // A clause of a sequence without TYPE, an unknown match word and an
    // unknown action are reported but stored; the file fails.
    ASSERT_EQ(routemap(std::string(kMap) +
                       "TYPE # 10 = ( ACTION = allow )\n"
                       "MATCH # 30 = ( MATCHNAME = \"colour\" , MATCHVALUE = \"red\" )"),
              0);
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(text(), "ERROR: permit/deny expected : allow @ 3\n"
                     "ERROR: Wrong value: 'colour'  : @ 4\n"
                     "ERROR : Route map (RM) with sequence 30 not defined before the match directive. Use the TYPE "
                     "directive @4");
    EXPECT_STREQ(prdomainroutemap.head->type, "allow");
    EXPECT_EQ(count(prroutemapmatchlist.head), 1);

    // A second description of the same name is accepted but flagged; its
    // TYPE numbers start afresh.
    releasememory("ROUTING");
    ASSERT_EQ(routemap(std::string(kMap) + "TYPE # 10 = ( ACTION = permit )\n" + kMap +
                       "TYPE # 10 = ( ACTION = permit )"),
              0);
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(text(), "ERROR: Duplicate definition for route map. Already defined for node : RM @ 4\n");
}

TEST_F(RoutePolicy, RouteMapRefusals) {
    struct Case {
        const char *body;
        const char *message;
    } cases[] = {
        {"TYPE # 10 = ( ACTION = permit )\nTYPE # 10 = ( ACTION = deny )", "ERROR: Duplicate TYPE in ROUTEMAP: @ 4 \n"},
        {"TYPE 10 = ( ACTION = permit )", "ERROR: Keyword '#' expected: 10 @3\n"},
        {"TYPE # ten = ( ACTION = permit )", "route map sequence  number expected: ten  @3\n"},
        // The sequence is range-checked, never wrapped.
        {"TYPE # 4294967306 = ( ACTION = permit )", "route map sequence  number expected: 4294967306  @3\n"},
        {"TYPE # 10 = ( ACTION = permit , MAP-SEQINC = 99999999999 )",
         "ERROR: Number expected for MAP-SEQINC field: 99999999999 @ 3\n"},
        {"TYPE # 10 = ( ACTION = permit , REPEATBY = \"BYHOST()\" )",
         "ERROR: An increment value has to be specified for the routemap action field. @ 3\n"},
        {"TYPE # 10 = ( REPEATBY = \"BYHOST()\" , MAP-SEQINC = 1 )",
         "ERROR: Action field (permit/deny) has not been specified :  @ 3\n"},
        {"TYPE # 10 = ( ACTION = permitpermitpermitpermitpermitpermit )",
         "ERROR: permit/deny expected : permitpermitpermitpermitpermitpermit @ 3\n"
         "Token exceeded the max length: permitpermitpermitpermitpermitpermit @3\n"},
        {"TYPE # 10 = ( ACTION = permit , ACTION = deny )", "ERROR: Duplicate token: 'ACTION' @ 3\n"},
        {"TYPE # 10 = ( ACTION = permit )\nMATCH # 10 = ( MATCHNAME = \"tag\" , MATCHVALUE = \"\" )",
         "ERROR: Match value not specifed. @ 4\n"},
        // A MATCH without its name or value: the empty-name and empty-value
        // checks speak before the mandatory one.
        {"TYPE # 10 = ( ACTION = permit )\nMATCH # 10 = ( MATCHNAME = \"tag\" )",
         "ERROR: Match value not specifed. @ 4\n"},
        {"TYPE # 10 = ( ACTION = permit )\nMATCH # 10 = ( MATCHVALUE = \"1\" )",
         "ERROR: Match name not specifed. @ 4\n"},
        {"TYPE # 10 = ( ACTION = permit )\nMATCH # 10 = ( )", "ERROR: Match name not specifed. @ 4\n"},
        // SET values are read back without a NULL default: an empty one is
        // refused as MATCH's are.
        {"TYPE # 10 = ( ACTION = permit )\nSET # 10 = ( SETNAME = \"tag\" , SETVALUE = \"\" )",
         "ERROR: Set value not specifed. @ 4\n"},
        {"TYPE # 10 = ( ACTION = permit )\nSET # 10 = ( SETNAME = \"\" , SETVALUE = \"1\" )",
         "ERROR: Set name not specifed. @ 4\n"},
        {"TYPE # 10 = ( ACTION = permit )\nSET # 10 = ( SETVALUE = \"1\" )",
         "ERROR : Mandatory field 'SETNAME' for SET in ROUTEMAP is not defined: 4\n"},
        {"NAME = \"X\"", "ERROR: Invalid attribute name : NAME @3\n"},
    };
    for (const Case &c : cases) {
        releasememory("ROUTING");
        EXPECT_EQ(routemap(std::string(kMap) + c.body), 1) << c.body;
        EXPECT_EQ(text(), c.message) << c.body;
    }
    struct Desc {
        const char *body;
        const char *message;
    } descs[] = {
        {"TYPE # 10 = ( ACTION = permit )", "ERROR: Route map name has to be specified first : TYPE  @2\n"},
        {"MATCH # 10 = ( MATCHNAME = \"tag\" , MATCHVALUE = \"1\" )",
         "ERROR: Route map name has to be specified first : MATCH  @2\n"},
        {"DESCRIPTION = ( NAME = \"R\" , USAGE = bgp )", "ERROR : Mandatory field 'OWNER' is not defined: 2\n"},
        {"DESCRIPTION = ( )", "ERROR : Mandatory field 'NAME' is not defined: 2\n"},
        {"DESCRIPTION = ( NAME = \"\" , USAGE = bgp , OWNER = \"D\" )", "ERROR: route map name not specifed. @ 2\n"},
        {"DESCRIPTION = ( NAME = \"R\" , USAGE = pim , OWNER = \"D\" )",
         "ERROR: Invalid  name specified  for routemap usage : pim @ 2\n"},
        {"DESCRIPTION = ( NAME = R , USAGE = bgp , OWNER = \"D\" )", "ERROR: Specify map name within quotes: R @ 2\n"},
        {"DESCRIPTION = ( NAME = \"R\" , CONTEXT = \"BYHOST()\" USAGE = bgp )",
         "ERROR:',' or ')' expected : USAGE @ 2\n"},
        {"DESCRIPTION = ( NAME = \"R\" , USAGE = bgp , OWNER = \"\" )\nTYPE # 1 = ( ACTION = permit )",
         "ERROR: owner/usage not specified for routemap : R @ 3\n"},
    };
    for (const Desc &d : descs) {
        releasememory("ROUTING");
        EXPECT_EQ(routemap(d.body), 1) << d.body;
        EXPECT_EQ(text(), d.message) << d.body;
        EXPECT_EQ(prdomainroutemap.head, nullptr) << d.body;
    }
    // The file ends inside the block: no separator, no keyword.
    EXPECT_EQ(run(parse_routemap, "D . PE BEGIN\n" + std::string(kMap) + "TYPE # 10 = ( ACTION = permit\n"), 1);
    EXPECT_EQ(text(), "ERROR:',' or ')' expected :  @ 4\n");
    EXPECT_EQ(run(parse_routemap, "D . PE BEGIN\n" + std::string(kMap)), 1);
    EXPECT_EQ(text(), "ERROR: Invalid attribute name :  @3\n");
    EXPECT_EQ(run(parse_routemap, "D PE BEGIN END"), 1);
    EXPECT_EQ(text(), "ERROR:  '.' expected as a qualifer for node type @ 1\n");
}

// -------------------------------------------------------------- PREFIXLIST

TEST_F(RoutePolicy, PrefixListsAndTheirNumbers) {
    ASSERT_EQ(prefixlist("DESCRIPTION = ( PFX-NAME = \"P1\" )\n"
                         "FORMAT = ( TYPE = Permit , NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 8 , GREATER = 16 ,"
                         " LESS = auto )\n"
                         "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.1.0.0)\" )\n"
                         "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.2.0.0)\" , PREFIX = AUTO ,"
                         " REPEATBY = \"BYHOST()\" )\n"
                         "DESCRIPTION = ( PFX-NAME = \"P2\" )\n"
                         "FORMAT = ( TYPE = permit , NETWORK = \"EVALIP(10.3.0.0)\" , PREFIX = 32 )"),
              0)
        << text();
    EXPECT_EQ(text(), "");
    ASSERT_EQ(count(prdomainprefixhdr.head), 2);
    EXPECT_EQ(prdomainprefixhdr.head->sequence, 1);
    EXPECT_EQ(prdomainprefixhdr.tail->sequence, 2);
    domain_prefix_list_rec *e = prdomainprefixlist.head;
    ASSERT_EQ(count(e), 4);
    EXPECT_STREQ(e->type, "permit");
    EXPECT_EQ(e->length, 8);
    EXPECT_EQ(e->gelen, 16);
    EXPECT_EQ(e->lelen, -1);
    EXPECT_EQ(e->next->length, 0);
    EXPECT_EQ(e->next->next->subsequence, 3);
    EXPECT_STREQ(e->next->next->repeatby, "BYHOST()");
    EXPECT_EQ(prdomainprefixlist.tail->sequence, 2);
    EXPECT_EQ(prdomainprefixlist.tail->subsequence, 1);

    // A second block numbers on after the first: its entries never join an
    // earlier list's. Its same-named list is only warned about.
    ASSERT_EQ(prefixlist("DESCRIPTION = ( PFX-NAME = \"P1\" )\n"
                         "FORMAT = ( TYPE = permit , NETWORK = \"EVALIP(10.9.0.0)\" )"),
              0);
    EXPECT_EQ(text(), "WARNING: Possible Duplicate definition for prefix list.  : P1 @ 2\n");
    EXPECT_EQ(g_error, 0);
    EXPECT_EQ(prdomainprefixhdr.tail->sequence, 3);
    EXPECT_EQ(prdomainprefixlist.tail->sequence, 3);
    EXPECT_EQ(prdomainprefixlist.tail->subsequence, 1);
    // A block without descriptions is accepted.
    EXPECT_EQ(prefixlist(""), 0);
}

TEST_F(RoutePolicy, PrefixListRefusals) {
    const std::string d = "DESCRIPTION = ( PFX-NAME = \"P\" )\n";
    struct Case {
        std::string body;
        const char *message;
    } cases[] = {
        {d + "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\" , GREATER = 24 )",
         "ERROR: Token 'GREATER' should come after PREFIX: @ 3\n"},
        {d + "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 0 )",
         "ERROR:Number (1 to 32) expected : 0 @ 3\n"},
        {d + "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 33 )",
         "ERROR:Number (1 to 32) expected : 33 @ 3\n"},
        {d + "FORMAT = ( TYPE = allow , NETWORK = \"EVALIP(10.0.0.0)\" )", "ERROR: permit/deny expected : allow @ 3\n"},
        {d + "FORMAT = ( TYPE = deny )", "ERROR : Mandatory field 'NETWORK' for FORMAT in PREFIXLIST is not defined: 3\n"},
        {d + "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\" , REPEATBY = \"\" )",
         "ERROR: Repeatby field should have a aggregation function:  @ 3\n"},
        {d + "FORMAT = ( TYPE = deny , NETWORK = \"\" )",
         "ERROR: ip address/network is required for the prefix network:  @ 3\n"},
        {d + d, "ERROR: No  filters specified for filterlist @3 \n"},
        {d, "ERROR: No  filters specified for filterlist @5 \n"},
        {"FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\" )",
         "ERROR: Prefix list name has to be specified first @2 \n"},
        // The name is read back without a NULL default: an empty one is refused.
        {"DESCRIPTION = ( PFX-NAME = \"\" )", "ERROR: PFX-NAME must not be empty : @ 2\n"},
        {"DESCRIPTION = ( CONTEXT = \"BYHOST()\" )", "ERROR : Mandatory field 'PFX-NAME' is not defined: 2\n"},
        {"DESCRIPTION = ( PFX-NAME = P )", "ERROR: Specify prefixlist name within quotes: P @ 2\n"},
        {"DESCRIPTION = ( PFX-NAME = \"P\" , CONTEXT = \"\" )",
         "ERROR: Context should have a aggregation function:  @ 2\n"},
        {"DESCRIPTION = ( PFX-NAME = \"P\" , PFX-NAME = \"Q\" )", "ERROR: Duplicate token: 'PFX-NAME' @ 2\n"},
        {"DESCRIPTION ( PFX-NAME = \"P\" )", "ERROR: Invalid syntax '=' expected @ 2\n"},
    };
    for (const Case &c : cases) {
        releasememory("ROUTING");
        EXPECT_EQ(prefixlist(c.body), 1) << c.body;
        EXPECT_EQ(text(), c.message) << c.body;
    }
    EXPECT_EQ(run(parse_prefixlist, "D . PE BEGIN\n" + d + "FORMAT = ( TYPE = deny , NETWORK = \"EVALIP(10.0.0.0)\""), 1);
    EXPECT_EQ(text(), "ERROR:',' or ')' expected :  @ 3\n");
    EXPECT_EQ(run(parse_prefixlist, "D PE BEGIN END"), 1);
    EXPECT_EQ(text(), "ERROR : '.' expected as a qualifer for node type @ 1\n");
    // An unknown node type is reported and the block read on.
    EXPECT_EQ(run(parse_prefixlist, "D . XX BEGIN END"), 0);
    EXPECT_EQ(text(), "ERROR: Invalid node . Not defined : XX  @1\n");
}

// --------------------------------------------------- ASNLIST, COMMUNITYLIST

TEST_F(RoutePolicy, FilterListsOfBothKinds) {
    ASSERT_EQ(filterlist("ASN", "DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = 1 , CONTEXT = \"BYHOST()\" )\n"
                                "FORMAT = ( TYPE = Permit , SUBSTRING = \"_100_\" )\n"
                                "FORMAT = ( TYPE = deny , SUBSTRING = \".*\" )\n"
                                "DESCRIPTION = ( FLT-SEQSTART = \"20\" , FLT-SEQINC = 5 )\n"
                                "DESCRIPTION = ( FLT-SEQSTART = \"30\" , FLT-SEQINC = 5 )\n"
                                "FORMAT = ( TYPE = permit , SUBSTRING = \"^$\" )"),
              0)
        << text();
    EXPECT_EQ(text(), "");
    domain_filter_list_rec *f = prdomainfilterlist.head;
    ASSERT_EQ(count(f), 3);
    EXPECT_STREQ(f->filtertype, "ASN");
    EXPECT_STREQ(f->aclseqstart, "10");
    EXPECT_EQ(f->aclseqinc, 1);
    EXPECT_STREQ(f->type, "permit");
    EXPECT_STREQ(f->context1, "BYHOST()");
    EXPECT_EQ(f->next->sequence, 2);
    EXPECT_STREQ(f->next->next->aclseqstart, "30");
    EXPECT_EQ(f->next->next->sequence, 1);
    EXPECT_STREQ(f->next->next->context1, "");

    // The same start number as a community list is another list.
    ASSERT_EQ(filterlist("COMMUNITY", "DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = 1 )\n"
                                      "FORMAT = ( TYPE = permit , SUBSTRING = \"65000:1\" )"),
              0)
        << text();
    EXPECT_STREQ(prdomainfilterlist.tail->filtertype, "COMMUNITY");
}

TEST_F(RoutePolicy, FilterListRefusals) {
    const std::string d = "DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = 1 )\n";
    const std::string f = "FORMAT = ( TYPE = permit , SUBSTRING = \"x\" )\n";
    struct Case {
        std::string body;
        const char *message;
    } cases[] = {
        {"DESCRIPTION = ( FLT-SEQSTART = abc , FLT-SEQINC = 1 )",
         "Error: Specify FLT-SEQSTART value within quotes: abc @ 2\n"},
        // Read back without a NULL default: refused empty.
        {"DESCRIPTION = ( FLT-SEQSTART = \"\" , FLT-SEQINC = 1 )", "ERROR: FLT-SEQSTART must not be empty : @ 2\n"},
        {"DESCRIPTION = ( FLT-SEQSTART = 10 )", "ERROR : Mandatory field 'FLT-SEQINC' for DESCRIPTION is not defined: 2\n"},
        {"DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = 4294967297 )",
         "ERROR : Specify increment number  for community/asn filter list number: 4294967297 @ 2\n"},
        {"DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = one )",
         "ERROR : Specify increment number  for community/asn filter list number: one @ 2\n"},
        {"DESCRIPTION = ( FLT-SEQSTART = 10 , FLT-SEQINC = 1 , CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" ,"
         " CONTEXT = \"BYHOST()\" , CONTEXT = \"BYHOST()\" )",
         "ERROR: Maximum of three contexts can be given: @ 2 \n"},
        {f, "ERROR: asn/community list number has to be specified first @2 \n"},
        {d + "FORMAT = ( TYPE = allow , SUBSTRING = \"x\" )", "ERROR: permit/deny expected : allow @ 3\n"},
        {d + "FORMAT = ( TYPE = permit )", "ERROR : Mandatory field 'SUBSTRING' for FORMAT is not defined: @ 3\n"},
        {d + "FORMAT = ( TYPE = permit , SUBSTRING = x )", "ERROR: Specify substring within quotes: x @ 3\n"},
        // Two lists of one start number would merge their entries.
        {d + f + d, "ERROR: Duplicate FLT-SEQSTART '10' for ASN list of D.PE @ 4\n"},
    };
    for (const Case &c : cases) {
        releasememory("ROUTING");
        EXPECT_EQ(filterlist("ASN", c.body), 1) << c.body;
        EXPECT_EQ(text(), c.message) << c.body;
    }
    // A description without entries stores nothing and may be given again.
    releasememory("ROUTING");
    EXPECT_EQ(filterlist("ASN", d + d + f), 0) << text();
    EXPECT_EQ(count(prdomainfilterlist.head), 1);
    // A second block meets the first block's start number too.
    EXPECT_EQ(filterlist("ASN", d + f), 1);
    EXPECT_EQ(text(), "ERROR: Duplicate FLT-SEQSTART '10' for ASN list of D.PE @ 2\n");
    releasememory("ROUTING");
    log_text.clear();
    EXPECT_EQ(parse_asncommlist(open("D . PE BEGIN\n" + d + "FORMAT = ( TYPE = permit ,"), nullptr, "ASN"), 1);
    EXPECT_EQ(text(), "ERROR: Invalid attribute name :  @ 3\n");
    log_text.clear();
    EXPECT_EQ(parse_asncommlist(open("D PE BEGIN END"), nullptr, "ASN"), 1);
    EXPECT_EQ(text(), "ERROR:'.' expected as a qualifer for node type : PE @ 1\n");
}

// --------------------------------------------------------------- MAP-CLASS

TEST_F(RoutePolicy, MapClassesOfBothUsages) {
    ASSERT_EQ(mapclass("DESCRIPTION = ( NAME = \"FR\" , USAGE = FrameRelay , OWNER = \"D.CE\" )\n"
                       "ATTRIBUTES = ( COMMITTEDRATEIN = 128 , BURSTSIZEIN = \"16\" , CUSTOMQUEUE = \"q1\" ,"
                       " PEAK = 9 , AVERAGE = 8 , PRIORITYQUEUE = \"p\" , BURSTEXCESSIN = 1 , BURSTSIZEOUT = 2 ,"
                       " BURSTEXCESSOUT = 3 , COMMITTEDRATEOUT = 4 )\n"
                       "ATTRIBUTES = ( )\n"
                       "DESCRIPTION = ( NAME = \"A\" , USAGE = ATM , OWNER = \"D.CE\" )\n"
                       "ATTRIBUTES = ( SUSTCELLRATEFORWARD = 64 , PEAKCELLRATEBACKWARD = 1 ,"
                       " MAXBURSTSIZEBACKWARD = 2 , SUSTCELLRATEBACKWARD = 3 , PEAKCELLRATEFORWARD = 4 ,"
                       " MAXBURSTSIZEFORWARD = 5 )\n"
                       "DESCRIPTION = ( NAME = \"NONE\" , USAGE = atm , OWNER = \"D.CE\" )"),
              0)
        << text();
    EXPECT_EQ(text(), "");
    domain_map_class_rec *c = prdomainmapclass.head;
    ASSERT_EQ(count(c), 3);
    EXPECT_STREQ(c->usage, "framerelay");
    EXPECT_STREQ(c->cirin, "128");
    EXPECT_STREQ(c->burstsizein, "16");
    EXPECT_STREQ(c->customqueue, "q1");
    EXPECT_STREQ(c->peak, "9");
    EXPECT_STREQ(c->average, "8");
    EXPECT_STREQ(c->priorityqueue, "p");
    EXPECT_STREQ(c->burstexcessin, "1");
    EXPECT_STREQ(c->burstsizeout, "2");
    EXPECT_STREQ(c->burstexcessout, "3");
    EXPECT_STREQ(c->cirout, "4");
    domain_map_class_rec *empty = c->next, *atm = empty->next;
    EXPECT_STREQ(empty->mapclassname, "FR");  // two ATTRIBUTES, two rows of one class
    EXPECT_STREQ(empty->cirin, "");
    EXPECT_STREQ(empty->peak, "");
    EXPECT_STREQ(atm->usage, "atm");
    EXPECT_STREQ(atm->cirout, "64");
    EXPECT_STREQ(atm->burstsizein, "1");
    EXPECT_STREQ(atm->burstexcessin, "2");
    EXPECT_STREQ(atm->cirin, "3");
    EXPECT_STREQ(atm->burstsizeout, "4");
    EXPECT_STREQ(atm->burstexcessout, "5");

    // A class of a name already defined for the node type: flagged, read on.
    EXPECT_EQ(mapclass("DESCRIPTION = ( NAME = \"FR\" , USAGE = atm , OWNER = \"D.CE\" )\nATTRIBUTES = ( )"), 0);
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(text(), "ERROR: Duplicate definition for mapclass. Already defined for node : FR @ 2\n");
    EXPECT_EQ(count(prdomainmapclass.head), 4);
}

TEST_F(RoutePolicy, MapClassRefusals) {
    const std::string atm = "DESCRIPTION = ( NAME = \"A\" , USAGE = atm , OWNER = \"D\" )\n";
    struct Case {
        std::string body;
        const char *message;
    } cases[] = {
        {atm + "ATTRIBUTES = ( BURSTSIZEIN = 16 )", "ERROR: Invalid attribute name : BURSTSIZEIN @ 3\n"},
        {atm + "ATTRIBUTES = ( PEAK = fast )", "ERROR: Numeric value expected for PEAK : fast @ 3\n"},
        {atm + "ATTRIBUTES = ( PEAK = 1 PEAK = 2 )", "ERROR : ',' or ')' expected : PEAK @ 3\n"},
        {atm + "ATTRIBUTES = ( PEAK = 1 , PEAK = 2 )", "ERROR: Duplicate token: 'PEAK' @ 3\n"},
        {"DESCRIPTION = ( NAME = \"A\" , USAGE = ethernet , OWNER = \"D\" )",
         "ERROR: Invalid  name specified  for mapclass usage : ethernet @ 2\n"},
        {"DESCRIPTION = ( NAME = \"A\" , USAGE = atm , TYPE = x )", "ERROR: Invalid attribute name : TYPE @ 2\n"},
        {"DESCRIPTION = ( NAME = \"A\" , USAGE = atm )",
         "ERROR : Mandatory field 'OWNER' for DESCRIPTION in MAPCLASS not defined: 2\n"},
        // Read back without a NULL default: an empty owner is refused.
        {"DESCRIPTION = ( NAME = \"A\" , USAGE = atm , OWNER = \"\" )", "ERROR: OWNER must not be empty : @ 2\n"},
        {"DESCRIPTION = ( NAME = \"A\" , USAGE = atm , OWNER = D )",
         "ERROR :Specify mapclass owner within quotes: D @ 2\n"},
        {"ATTRIBUTES = ( PEAK = 1 )", "ERROR: Map class name has to be specified first : ATTRIBUTES  @2\n"},
        {atm + "ATTRIBUTES ( PEAK = 1 )", "ERROR: Invalid syntax '=' expected @ 3\n"},
    };
    for (const Case &c : cases) {
        releasememory("ROUTING");
        EXPECT_EQ(mapclass(c.body), 1) << c.body;
        EXPECT_EQ(text(), c.message) << c.body;
        EXPECT_EQ(prdomainmapclass.head, nullptr) << c.body;
    }
    EXPECT_EQ(run(parse_domainmapclass, "D . CE BEGIN\n" + atm + "ATTRIBUTES = ( PEAK = 1\n"), 1);
    EXPECT_EQ(text(), "ERROR : ',' or ')' expected :  @ 4\n");
    EXPECT_EQ(run(parse_domainmapclass, "D . CE BEGIN\n" + atm + "ATTRIBUTES = (\n"), 1);
    EXPECT_EQ(text(), "ERROR: Invalid attribute name :  @ 4\n");
    // Unlike the other route-policy blocks, an unknown domain or node type
    // stops the block.
    EXPECT_EQ(mapclass("", "X . CE"), 1);
    EXPECT_EQ(text(), "ERROR: Domain undefined X \n @1");
    EXPECT_EQ(mapclass("", "D . XX"), 1);
    EXPECT_EQ(text(), "ERROR: Invalid node . Not defined : XX  @1\n");
}

}  // namespace
