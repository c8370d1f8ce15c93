// LOGICAL-PATH blocks and their MEMBER and MEMBERFILTER groups in process:
// what each files, every message with its line, and the connection numbers.
#include <algorithm>
#include <cstring>
#include <string>

#include "block_test.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

// Domain NORTH with node types PE and CE, and a connection type PE-CE.
void topology() {
    add_domain("NORTH", {"PE", "CE"}, "ROUTER");
    domain_conn_type_rec *ct = add(prdomainconntypes);
    ct->connectionno = 9;
    ct->connectionname = "PE-CE";
}

auto members(int connectionno) {
    return [connectionno](FILE *fp, FILE *, const char *) { return extract_vcmembers(fp, connectionno); };
}
auto filters(int connectionno) {
    return [connectionno](FILE *fp, FILE *, const char *) { return extract_vcmemberfilters(fp, connectionno); };
}

void fresh_topology() {
    releasememory("TOPOLOGY");
    topology();
}

const char kPE[] = "= ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 2 , MEMBERTYPE = INGRESS";

}  // namespace

TEST_F(Block, PathMembersAreNumberedPerConnection) {
    topology();
    EXPECT_EQ(run(members(4), "= ( NODE = NORTH.PE , MINCONN = 2 , MAXCONN = 8 , MEMBERTYPE = ingress ,\n"
                              "    INTERFACE = \"Tunnel0, Tunnel1\" , TUNNELSOURCE = Loopback0 )"),
              0);
    EXPECT_EQ(log(), "");
    const vc_member_class_rec *m = prvcmembers;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->connectionno, 4);
    EXPECT_EQ(m->sequence, 1);
    EXPECT_STREQ(m->domainname, "NORTH");
    EXPECT_STREQ(m->nodetype, "PE");
    EXPECT_EQ(m->minconn, 2);
    EXPECT_EQ(m->maxconn, 8);
    EXPECT_STREQ(m->membertype, "INGRESS");
    EXPECT_STREQ(m->interface, "Tunnel0, Tunnel1");
    EXPECT_STREQ(m->tunnelsource, "Loopback0");
    EXPECT_STREQ(m->connectionname, "");

    // A connection type by name; no minimum-against-maximum check.
    EXPECT_EQ(run(members(4), "= ( NODE = NORTH.CE , MINCONN = 7 , MAXCONN = 1 , MEMBERTYPE = EGRESS , CONNECTION = PE-CE )"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(run(members(5), std::string(kPE) + " )"), 0);
    EXPECT_EQ(run(members(4), std::string(kPE) + " )"), 0);
    std::string filed;
    for (const vc_member_class_rec *r = prvcmembers; r; r = r->next)
        filed += std::to_string(r->connectionno) + ":" + std::to_string(r->sequence) + ":" + r->connectionname.c_str() + " ";
    EXPECT_EQ(filed, "4:1: 4:2:PE-CE 5:1: 4:3: ");
}

TEST_F(Block, PathMemberFlagsKeepTheMember) {
    topology();
    const std::string longname(31, 'D');
    EXPECT_EQ(run(members(4), "= ( NODE = SOUTH.PE , MINCONN = 1 , MAXCONN = 2 , MEMBERTYPE = EGRESS ,\n"
                              "    MINCONN = 3 )"),
              0);
    EXPECT_EQ(log(), "ERROR: Domain undefined :SOUTH @ 1\n<br>"
                     "ERROR: Invalid node type : PE  @1\n<br>"
                     "ERROR: Duplicate token: 'MINCONN' @ 2\n<br>");
    ASSERT_EQ(count(prvcmembers), 1);
    EXPECT_STREQ(prvcmembers->domainname, "SOUTH");
    EXPECT_EQ(prvcmembers->minconn, 3);
    // A domain beyond its 30 characters is refused, never cut.
    EXPECT_EQ(run(members(4), "= ( NODE = " + longname + ".PE , MINCONN = 1 , MAXCONN = 2 , MEMBERTYPE = EGRESS )"), 0);
    EXPECT_EQ(log(), "ERROR: Domain undefined :" + longname + " @ 1\n<br>"
                     "ERROR: token size exceeds datbase field size :  '" + longname + "' @ 1\n<br>"
                     "ERROR: Invalid node type : PE  @1\n<br>");
    ASSERT_EQ(count(prvcmembers), 2);
    EXPECT_STREQ(prvcmembers->next->domainname, "");
}

TEST_F(Block, PathMemberErrorsFileNothing) {
    const std::string pe = kPE;
    const std::vector<Refused> cases = {
        {"( NODE", "ERROR: Invalid syntax '=' expected :( @ 1\n"},
        {"= NODE", "ERROR: Invalid syntax '(' expected :NODE @ 1\n"},
        {"= ( MINCONN = 1 )", "ERROR: Invalid sytax Keword 'NODE' expected :MINCONN @ 1\n"},
        {"= ( NODE NORTH.PE )", "ERROR: Invalid syntax '=' expected :NORTH @ 1\n"},
        {"= ( NODE = NORTH PE )", "ERROR:'.' expected as a qualifer for node type:PE @ 1\n"},
        {"= ( NODE = NORTH.\"PE\" )", "ERROR: Node expected expected : PE @1\n"},
        {"= ( NODE = NORTH.PE MINCONN = 1 )", "ERROR: Invalid syntax ',' expected:MINCONN @ 1\n"},
        {"= ( NODE = NORTH.PE , COLOUR = 1 )", "ERROR: Invalid attribute name : COLOUR @ 1\n"},
        {"= ( NODE = NORTH.PE , MINCONN 1 )", "ERROR: Invalid syntax '=' expected :1 @ 1\n"},
        {"= ( NODE = NORTH.PE , MINCONN = one )", "ERROR: Number is expected for minconn : one @ 1\n"},
        {"= ( NODE = NORTH.PE , MINCONN = 2147483648 )",
         "ERROR: Number is expected for minconn : 2147483648 @ 1\n"},
        {"= ( NODE = NORTH.PE ,\n MAXCONN = \"2\" )", "ERROR: Number is expected for maxconn : 2 @ 2\n"},
        {"= ( NODE = NORTH.PE , MAXCONN = 0 )", "ERROR: MAXCONN should be >=1 :0 @1\n"},
        {"= ( NODE = NORTH.PE , MEMBERTYPE = transit )", "ERROR: Invalid Membertype :TRANSIT @1\n"},
        {"= ( NODE = NORTH.PE , CONNECTION = pe-ce )", "ERROR: Invalid Connectionname :pe-ce @1\n"},
        {"= ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 2 )\n",
         "ERROR: token 'MEMBERTYPE' is missing for logicalconnectionmember:  @ 1\n"},
        {pe + " , INTERFACE = Tunnel0 ,\n CONNECTION = PE-CE )",
         "ERROR: Both Interface and Connection cannot be specified. @ 2\n"},
    };
    expect_refused(members(4), cases, fresh_topology, [](const std::string &text) { EXPECT_EQ(prvcmembers, nullptr) << text; });
    // The duplicate NODE is flagged before it is refused.
    EXPECT_EQ(run(members(4), "= ( NODE = NORTH.PE , NODE = NORTH.CE )"), 1);
    EXPECT_EQ(log(), "ERROR: Duplicate token: 'NODE' @ 1\n<br>ERROR: Invalid attribute name : NODE @ 1\n<br>");
    // A domain the tokenizer refuses (reported there) is the group's end.
    const std::string huge(300, 'D'), cut = huge.substr(0, 299);
    EXPECT_EQ(run(members(4), "= ( NODE = " + huge + ".PE )"), 1);
    EXPECT_EQ(log(), "ERROR : Token length exceeds maximum token length  : " + cut + " @ 1\n<br>"
                     "ERROR: Unexpected end of file :" + cut + " @ 1\n<br>");
    // The end of the file as a value is an empty one that no "," follows;
    // a value cut inside its quotes is taken as written, and no "," follows.
    EXPECT_EQ(run(members(4), pe + " ,\n TUNNELSOURCE = "), 1);
    EXPECT_EQ(log(), "ERROR: Invalid syntax ',' expected: @ 2\n<br>");
    EXPECT_EQ(run(members(4), pe + " , INTERFACE = \"Tun"), 1);
    EXPECT_EQ(log(), "ERROR: Invalid syntax ',' expected: @ 1\n<br>");
    EXPECT_EQ(prvcmembers, nullptr);
}

TEST_F(Block, PathFiltersNumberEachGroupFromOne) {
    EXPECT_EQ(run(filters(4), "= ( SITEID , REGION )"), 0);
    EXPECT_EQ(run(filters(4), "= ( VLAN ,\n SITEID )"), 0);
    EXPECT_EQ(run(filters(5), "= ( SITEID )"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(run(filters(4), "= ( )"), 0);
    EXPECT_EQ(run(filters(4), "= ( REGION )"), 0);
    EXPECT_EQ(log(), "ERROR: Duplicate MEMBERFILTER variable: 'REGION' @ 1\n<br>");
    std::string filed;
    for (const vc_member_filter_rec *f = prvcconnfilters; f; f = f->next)
        filed += std::to_string(f->connectionno) + ":" + std::to_string(f->sequence) + ":" + f->variablename.c_str() + " ";
    EXPECT_EQ(filed, "4:1:SITEID 4:2:REGION 4:1:VLAN 4:2:SITEID 5:1:SITEID 4:1:REGION ");
    EXPECT_EQ(validate_vcconnfilters(4, "VLAN"), 1);
    EXPECT_EQ(validate_vcconnfilters(5, "VLAN"), 0);
    // They are not the connection types' filters.
    EXPECT_EQ(prdomconnfilters, nullptr);
    // Refused beyond 30 characters, as a connection type's.
    EXPECT_EQ(run(filters(4), "= ( " + std::string(31, 'V') + " )"), 1);
    EXPECT_EQ(log(), "ERROR: Token exceed maximum size: '" + std::string(31, 'V') + "' @ 1\n<br>");
}

namespace {

const std::string kBody = "  TYPE = TUNNEL\n  ENCAPSULATION = GRE\n  SCOPE = INTERNAL\n"
                          "  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 2 , MEMBERTYPE = INGRESS )\n";

}  // namespace

TEST_F(Block, PathBlockFilesItsDefaultsAndTakesTheNextNumber) {
    topology();
    g_connectionno = 6;
    EXPECT_EQ(run(parse_logicalconnection, "Gre-1 BEGIN\n" + kBody + "  AUTHENTICATION = true\nEND"), 0);
    EXPECT_EQ(log(), "");
    const vc_class_rec *p = prlogconntypes;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->connectionno, 7);
    EXPECT_STREQ(p->connectionname, "Gre-1");
    EXPECT_STREQ(p->connectiontype, "TUNNEL");
    EXPECT_STREQ(p->encapsulationtype, "GRE");
    EXPECT_STREQ(p->scope, "INTERNAL");
    EXPECT_STREQ(p->pathmode, "LOOSE");
    EXPECT_STREQ(p->pathtype, "UNIDIRECTIONAL");
    EXPECT_EQ(p->maxconn, 99);
    EXPECT_EQ(p->isauthenticated, 0);  // only "TRUE" as written
    ASSERT_NE(prvcmembers, nullptr);
    EXPECT_EQ(prvcmembers->connectionno, 7);
    EXPECT_EQ(validate_logicalconntypes("Gre-1"), 1);
    EXPECT_EQ(validate_logicalconntypes("GRE-1"), 0);

    // A repeated attribute is not reported: the later value wins. The name
    // again is flagged and filed all the same.
    EXPECT_EQ(run(parse_logicalconnection, "Gre-1 BEGIN\n" + kBody +
                                               "  MAXCONN = 5 MAXCONN = 6 AUTHENTICATION = TRUE MODE = STRICT\n"
                                               "  PATHTYPE = BIDIRECTIONAL\nEND"),
              0);
    EXPECT_EQ(log(), "ERROR: Logical Connection 'Gre-1' is already defined :@1\n<br>");
    ASSERT_EQ(count(prlogconntypes), 2);
    p = prlogconntypes->next;
    EXPECT_EQ(p->connectionno, 8);
    EXPECT_EQ(p->maxconn, 6);
    EXPECT_EQ(p->isauthenticated, 1);
    EXPECT_STREQ(p->pathmode, "STRICT");
    EXPECT_STREQ(p->pathtype, "BIDIRECTIONAL");

    // A block that fails has taken its number all the same.
    EXPECT_EQ(run(parse_logicalconnection, "X BEGIN COLOUR = RED END"), 1);
    EXPECT_EQ(run(parse_logicalconnection, "Y BEGIN\n" + kBody + "END"), 0);
    ASSERT_EQ(count(prlogconntypes), 3);
    EXPECT_EQ(prlogconntypes->next->next->connectionno, 10);
}

TEST_F(Block, PathBlockErrors) {
    const std::vector<Refused> cases = {
        {"P\nTYPE = TUNNEL", "ERROR: Keword 'BEGIN' expected :TYPE @2\n"},
        {"P BEGIN\n  COLOUR = RED END", "ERROR: Invalid attribute name : COLOUR @2\n"},
        {"P BEGIN\n  \"TYPE\" = TUNNEL END", "ERROR: Invalid attribute name : TYPE @2\n"},
        {"P BEGIN\n  TYPE TUNNEL END", "ERROR: Invalid syntax '=' expected:TUNNEL @2\n"},
        {"P BEGIN\n  TYPE = tunnel END", "ERROR: Invalid logical connection type:tunnel @2\n"},
        {"P BEGIN\n  ENCAPSULATION = IPIP END", "ERROR: Invalid Encapsulation type:IPIP @2\n"},
        {"P BEGIN\n  SCOPE = GLOBAL END", "ERROR: Invalid Scope:GLOBAL @2\n"},
        {"P BEGIN\n  MODE = loose END", "ERROR: Invalid Mode (STRICT/LOOSE):loose @2\n"},
        {"P BEGIN\n  PATHTYPE = BOTH END", "ERROR: Invalid Pathtype (unidirectional/bidirectional):BOTH @2\n"},
        // The number message carries no line: its text ends in "@d".
        {"P BEGIN\n  MAXCONN = many END", "ERROR: Invalid syntax a number value expected for MAXCONN :many @d\n"},
        {"P BEGIN\n  MAXCONN = 99999999999 END",
         "ERROR: Invalid syntax a number value expected for MAXCONN :99999999999 @d\n"},
        {"P BEGIN\n  MAXCONN = 0 END", "ERROR: MAXCONN should be >=1 :0 @2\n"},
        {"P BEGIN\n  TYPE = TUNNEL\n  ENCAPSULATION = GRE\n  SCOPE = INTERNAL\nEND",
         "ERROR: token 'MEMBER' is missing for logicalconnection block 'P':  @ 5\n"},
        {"P BEGIN\n  TYPE = TUNNEL\n  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 2 , MEMBERTYPE = INGRESS )\nEND",
         "ERROR: token 'ENCAPSULATION' is missing for logicalconnection block 'P':  @ 4\n"},
    };
    expect_refused(parse_logicalconnection, cases, fresh_topology, [](const std::string &text) { EXPECT_EQ(prlogconntypes, nullptr) << text; });
    // A block that fails keeps the groups it filed.
    EXPECT_EQ(count(prvcmembers), 1);
    // A token the tokenizer refuses (reported there, the run failed) ends
    // the loop as END does: the block is checked and filed, with no
    // message of its own.
    const std::string huge(300, 'W');
    EXPECT_EQ(run(parse_logicalconnection, "P BEGIN\n" + kBody + "  " + huge + "\nEND"), 0);
    EXPECT_EQ(log(), "ERROR : Token length exceeds maximum token length  : " + huge.substr(0, 299) + " @ 6\n<br>");
    EXPECT_EQ(count(prlogconntypes), 1);
    // So does a name it refuses: the block's end-of-file message.
    EXPECT_EQ(run(parse_logicalconnection, huge + " BEGIN\n" + kBody + "END"), 1);
    EXPECT_EQ(log(), "ERROR : Token length exceeds maximum token length  : " + huge.substr(0, 299) + " @ 1\n<br>"
                     "ERROR: Unexpected end of file @ 1 \n<br>");
}

TEST_F(Block, PathBlockThatEndsInsideReportsTheEndOnce) {
    topology();
    // Only between statements does the block's loop take the end as its END;
    // everywhere else the step that meets it refuses it.
    const struct {
        const char *text, *message;
    } cut[] = {
        {"", "ERROR: Keword 'BEGIN' expected : @1\n"},                                 // before the name
        {"P BEGIN\n  TYPE = TUNNEL\n", "ERROR: Unexpected end of file @ 3 \n"},        // between statements
        {"P BEGIN\n  TYPE =\n", "ERROR: Invalid logical connection type: @3\n"},      // before a value
        {"P BEGIN\n  TYPE = TUNNEL\n  MEMBER = ( NODE = NORTH.PE ,\n",                  // inside a member group
         "ERROR: Invalid attribute name :  @ 4\n"},
        {"P BEGIN\n  MEMBERFILTER = ( SITEID ,\n",                                     // inside a filter group
         "ERROR: Invalid token, variable name expected :  @ 3\n"},
        {"P BEGIN\n  MEMBER = ( NODE = NORTH.PE , INTERFACE = \"Tun\n",                 // inside a quoted value
         "ERROR: Invalid syntax ',' expected: @ 3\n"},
    };
    for (const auto &c : cut) {
        const char *text = c.text;
        g_connectionno = 0;
        EXPECT_EQ(run(parse_logicalconnection, text), 1) << text;
        EXPECT_EQ(log(), std::string(c.message) + "<br>") << text;
        EXPECT_EQ(g_prevtokentype, TOKEN_EOF) << text;
        EXPECT_EQ(g_connectionno, 1) << text;
    }
    EXPECT_EQ(prlogconntypes, nullptr);
}
