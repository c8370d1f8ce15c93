// The MEMBER, INTERFACETYPES and filter groups of connection types in
// process: what each files, its messages, and the lookups of the customer
// blocks.
#include <cstring>
#include <string>

#include "block_test.h"
#include "records_customer.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

// Domain NORTH with node types PE and CE, and a connection type BACKUP.
void topology() {
    add_domain("NORTH", {"PE", "CE"}, "ROUTER");
    domain_conn_type_rec *ct = add(prdomainconntypes);
    ct->connectionno = 9;
    ct->connectionname = "BACKUP";
}

auto members(const char *networktype) {
    return [networktype](FILE *fp, FILE *, const char *) { return extract_members(fp, 3, "P2P", networktype); };
}
int interfaces(FILE *fp, FILE *, const char *) { return extract_interfaces(fp, 3); }
int memberfilters(FILE *fp, FILE *, const char *) { return extract_memberfilters(fp, 3); }

void fresh_topology() {
    releasememory("TOPOLOGY");
    topology();
}

}  // namespace

TEST_F(Block, MemberFilesItsNodeTypeInterfacesAndBackup) {
    topology();
    EXPECT_EQ(run(members("POINT-TO-POINT"),
                  "= ( NODE = NORTH.PE , natType = inside , AUTHSERVER = radius , MINCONN = 1 , MAXCONN = 4 ,\n"
                  "    SECONDARYIP = 2 , INTERFACES = \"Serial0/0, Serial0/1 ,Serial0/2\" ,\n"
                  "    BACKUPINTERFACE = BACKUP , BACKUPTYPE = domain )"),
              0);
    EXPECT_EQ(log(), "");
    const domain_fixed_conn_rec *f = prdomainfixedconn;
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->connectionno, 3);
    EXPECT_STREQ(f->domainname, "NORTH");
    EXPECT_STREQ(f->nodetype, "PE");
    EXPECT_STREQ(f->nattype, "INSIDE");
    EXPECT_STREQ(f->authserver, "RADIUS");
    EXPECT_EQ(f->minconn, 1);
    EXPECT_EQ(f->maxconn, 4);
    EXPECT_EQ(f->secondaryip, 2);
    ASSERT_EQ(count(prdomainintnames), 3);
    EXPECT_EQ(prdomainintnames->next->next->instanceno, 3);
    EXPECT_STREQ(prdomainintnames->next->next->interfacename, "Serial0/2");
    ASSERT_NE(prdomainnodeconnbkp, nullptr);
    EXPECT_STREQ(prdomainnodeconnbkp->scope, "DOMAIN");
    EXPECT_STREQ(prdomainnodeconnbkp->connectionname, "P2P");
    EXPECT_STREQ(prdomainnodeconnbkp->backupconnname, "BACKUP");
    EXPECT_EQ(prdomainremotetypes, nullptr);
    EXPECT_EQ(validate_domainfixedconn("NORTH", "PE", 3), 1);
    EXPECT_EQ(validate_domainfixedconn("NORTH", "PE", 4), 0);

    // Defaults, the missing MAXCONN, a second member of the same node type.
    EXPECT_EQ(run(members("POINT-TO-POINT"), "= ( NODE = NORTH.PE , MINCONN = 1 )"), 0);
    EXPECT_EQ(log(),
              "ERROR: Duplicate MEMBER in connection for same domain and nodetype. :  @1\n<br>"
              "ERROR: token 'MAXCONN' not found in MEMBER block @ 1\n<br>");
    const domain_fixed_conn_rec *d = prdomainfixedconn->next;
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d->nattype, "NONE");
    EXPECT_STREQ(d->authserver, "NONE");
    EXPECT_EQ(d->maxconn, 9999);
    EXPECT_EQ(d->secondaryip, 0);
}

TEST_F(Block, RemoteMembersTakeDialUpFlags) {
    topology();
    EXPECT_EQ(run(members("NETWORK-REMOTE"), "= ( NODE = NORTH.CE , MINCONN = 0 , MAXCONN = 1 , isdn = true ,\n"
                                             "    DIALIN = TRUE , PERUSER = FALSE )"),
              0);
    EXPECT_EQ(log(), "");
    ASSERT_EQ(count(prdomainremotetypes), 1);
    const domain_remote_type_rec *rt = prdomainremotetypes;
    EXPECT_EQ(rt->connectionno, 3);
    EXPECT_EQ(rt->isdn, 1);
    EXPECT_EQ(rt->dialin, 1);
    EXPECT_EQ(rt->peruser + rt->async + rt->dialout, 0);
    // Also without any dial-up attribute.
    EXPECT_EQ(run(members("NETWORK-REMOTE"), "= ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 1 )"), 0);
    EXPECT_EQ(count(prdomainremotetypes), 2);
    // Not on another type of connection.
    EXPECT_EQ(run(members("POINT-TO-POINT"), "= ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 1 , ASYNC = maybe )"), 0);
    EXPECT_EQ(log(),
              "ERROR: Duplicate MEMBER in connection for same domain and nodetype. :  @1\n<br>"
              "ERROR: Invalid value for boolean attribute: MAYBE @ 1\n<br>"
              "ERROR: Attribute valid for remote connections only: ASYNC @ 1\n<br>");
    EXPECT_EQ(count(prdomainremotetypes), 2);
}

TEST_F(Block, MemberMessages) {
    topology();
    const std::string longvalue(31, 'X');
    // Flagged: the member is filed all the same.
    EXPECT_EQ(run(members("POINT-TO-POINT"),
                  "= ( NODE = SOUTH.PE , NATTYPE = " + longvalue + " , AUTHSERVER = KERBEROS , MINCONN = 5 ,\n"
                  "    MAXCONN = 2 , SECONDARYIP = two , BACKUPINTERFACE = NOSUCH , BACKUPTYPE = LINK , MINCONN = 6 )"),
              0);
    EXPECT_EQ(log(), "ERROR: Domain undefined :SOUTH @ 1\n<br>"
                     "ERROR: Invalid node type.: PE  @1\n<br>"
                     "ERROR: token size exceeds datbase field size :  '" + longvalue + "' @ 1\n<br>"
                     "ERROR: Invalid nat type specified : " + longvalue + " @ 1\n<br>"
                     "ERROR: Invalid authserver type specified : KERBEROS @ 1\n<br>"
                     "ERROR: Number expected for SECONDARYIP: two @ 2\n<br>"
                     "ERROR: Invalid connection type specified : NOSUCH @ 2\n<br>"
                     "ERROR: Invalid backup type specified : LINK @ 2\n<br>"
                     "ERROR: Duplicate token: 'MINCONN' @ 2\n<br>"
                     "ERROR: Maximum connections (2) less than minimum connections (6) @2\n<br>");
    ASSERT_NE(prdomainfixedconn, nullptr);
    EXPECT_STREQ(prdomainfixedconn->nattype, "");
    EXPECT_EQ(prdomainfixedconn->minconn, 6);

    const std::string longname(31, 'I');
    const std::vector<Refused> cases = {
        {"( NODE", "ERROR: Invalid syntax '=' expected :( @ 1\n"},
        {"= NODE", "ERROR: Invalid syntax '(' expected :NODE @ 1\n"},
        {"= ( NATTYPE = NONE )", "ERROR: Invalid syntax Keword 'NODE' expected :NATTYPE @ 1\n"},
        {"= ( NODE = NORTH PE )", "ERROR:'.' expected as a qualifer for node type:PE @ 1\n"},
        {"= ( NODE = NORTH.\"PE\" )", "ERROR: Node expected expected : PE @1\n"},
        {"= ( NODE = NORTH.PE MINCONN = 1 )", "ERROR: Invalid syntax ',' expected:MINCONN @ 1\n"},
        {"= ( NODE = NORTH.PE , COLOUR = 1 )", "ERROR: Invalid attribute name : COLOUR @ 1\n"},
        {"= ( NODE = NORTH.PE , NODE = NORTH.CE )", "ERROR: Duplicate token: 'NODE' @ 1\n"},
        {"= ( NODE = NORTH.PE , INTERFACES = e0 )", "ERROR: String expected for Interfaces: e0 @ 1\n"},
        {"= ( NODE = NORTH.PE , INTERFACES = \"e0, " + longname + "\" )",
         "ERROR: Token exceed maximum size: '" + longname + "' @ 1\n"},
        {"= ( NODE = NORTH.PE , INTERFACES = \"e0 e1\" )",
         "ERROR : Invalid format for list attribute : e0 e1 @ 1 \n"},
    };
    // A failing member files nothing of its own.
    expect_refused(members("POINT-TO-POINT"), cases, fresh_topology,
                   [](const std::string &text) { EXPECT_EQ(prdomainfixedconn, nullptr) << text; });
    // The end of the file as a value is no number, and no "," follows it;
    // a quoted text it cuts is no quoted text.
    EXPECT_EQ(run(members("POINT-TO-POINT"), "= ( NODE = NORTH.PE ,\n MINCONN = "), 1);
    EXPECT_EQ(log(), "ERROR: Number expected for MINCONN:  @ 2\n<br>ERROR: Invalid syntax ',' expected: @ 2\n<br>");
    EXPECT_EQ(run(members("POINT-TO-POINT"), "= ( NODE = NORTH.PE , INTERFACES = \"e0"), 1);
    EXPECT_EQ(log(), "ERROR: String expected for Interfaces: e0 @ 1\n<br>");
}

TEST_F(Block, InterfaceTypes) {
    EXPECT_EQ(run(interfaces, "= ( TYPE = serial , ENCAPSULATION = ppp , AUTHENTICATION = true , AUTHTYPE = chap ,\n"
                              "    SUBINTERFACE = FALSE , CONNECTIONTYPE = multipoint )"),
              0);
    EXPECT_EQ(log(), "");
    const domain_int_type_rec *t = prdomaininttypes;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->connectionno, 3);
    EXPECT_STREQ(t->interfacetype, "SERIAL");
    EXPECT_STREQ(t->encapsulationtype, "PPP");
    EXPECT_EQ(t->isauthenticated, 1);
    EXPECT_EQ(t->subinterface, 0);
    EXPECT_STREQ(t->authenticationtype, "CHAP");
    EXPECT_STREQ(t->conntype, "MULTIPOINT");
    EXPECT_EQ(validate_domaininttypes(3, "SERIAL", "PPP"), 1);

    // Defaults and flagged values: filed all the same, SUBINTERFACE 0.
    const std::string longvalue(31, 'E');
    EXPECT_EQ(run(interfaces, "= ( TYPE = ATM , ENCAPSULATION = " + longvalue +
                                  " , AUTHTYPE = MD5 , CONNECTIONTYPE = STAR , SUBINTERFACE = maybe , AUTHTYPE = PAP )"),
              0);
    EXPECT_EQ(log(), "ERROR: token size exceeds datbase field size :  '" + longvalue + "' @ 1\n<br>"
                     "ERROR: Invalid encapsulation type specified : " + longvalue + " @ 1\n<br>"
                     "ERROR: Invalid auth type specified : MD5 @ 1\n<br>"
                     "ERROR: Invalid connection type specified : STAR @ 1\n<br>"
                     "ERROR: Invalid value for SUBINTERFACE attribute: MAYBE @ 1\n<br>"
                     "ERROR: Duplicate token: 'AUTHTYPE' @ 1\n<br>"
                     "ERROR: token 'AUTHENTICATION' not found in INTERFACETYPES for CONNECTIONTYPE block @ 1\n<br>");
    t = prdomaininttypes->next;
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->encapsulationtype, "");
    EXPECT_EQ(t->subinterface, 0);
    EXPECT_EQ(t->isauthenticated, 0);
    EXPECT_EQ(run(interfaces, "= ( TYPE = ATM )"), 0);
    EXPECT_STREQ(prdomaininttypes->next->next->encapsulationtype, "NONE");
    EXPECT_STREQ(prdomaininttypes->next->next->authenticationtype, "NONE");
    EXPECT_STREQ(prdomaininttypes->next->next->conntype, "POINT-TO-POINT");

    expect_refused(interfaces, {
        {"= ( ENCAPSULATION = PPP )", "ERROR: Invalid sytax Keword 'TYPE' expected :ENCAPSULATION @ 1\n"},
        {"= ( TYPE = TOKENRING )", "ERROR: Invalid interface type : TOKENRING @1\n"},
        {"= ( TYPE = ATM ; ENCAPSULATION = PPP )", "ERROR: Invalid syntax ',' expected :; @ 1\n"},
        {"= ( TYPE = ATM , AUTHENTICATION = YES )", "ERROR: Invalid value for boolean attribute: YES @ 1\n"},
        {"= ( TYPE = ATM , TYPE = POS )", "ERROR: Duplicate token: 'TYPE' @ 1\n"},
    });
    EXPECT_EQ(run(interfaces, "= ( TYPE = ATM , TYPE = POS )"), 1);
    EXPECT_EQ(log(), "ERROR: Duplicate token: 'TYPE' @ 1\n<br>ERROR: Invalid attribute : TYPE @1\n<br>");
    // A quoted value cut by the end of the file is a value like any other
    // here; no "," follows it. As the type it is the group's end-of-file
    // text, with the token as read.
    EXPECT_EQ(run(interfaces, "= ( TYPE = ATM , ENCAPSULATION = \"PPP"), 1);
    EXPECT_EQ(log(), "ERROR: Invalid syntax ',' expected : @ 1\n<br>");
    EXPECT_EQ(run(interfaces, "= ( TYPE = \"atm"), 1);
    EXPECT_EQ(log(), "ERROR: Unexpected end of file :atm @ 1\n<br>");
}

TEST_F(Block, MemberFiltersNumberEachGroupFromOne) {
    EXPECT_EQ(run(memberfilters, "= ( VLAN , SITEID )"), 0);
    EXPECT_EQ(run(memberfilters, "= ( REGION , VLAN )"), 0);
    EXPECT_EQ(log(), "ERROR: Duplicate MEMBERFILTER variable: 'VLAN' @ 1\n<br>");
    std::string filed;
    for (const domain_conn_filter_rec *f = prdomconnfilters; f; f = f->next)
        filed += std::to_string(f->connectionno) + ":" + std::to_string(f->sequence) + ":" + f->variablename.c_str() + " ";
    EXPECT_EQ(filed, "3:1:VLAN 3:2:SITEID 3:1:REGION 3:2:VLAN ");
    EXPECT_EQ(validate_domainconnfilters(3, "REGION"), 1);
    EXPECT_EQ(validate_domainconnfilters(4, "REGION"), 0);
    EXPECT_EQ(run(memberfilters, "= ( )"), 0);
    EXPECT_EQ(count(prdomconnfilters), 4);

    const std::string longname(31, 'V');
    expect_refused(memberfilters, {
        {"( VLAN )", "ERROR: Invalid syntax '=' expected @ 1\n"},
        {"= VLAN )", "ERROR: Invalid syntax '(' expected @ 1\n"},
        {"= ( \"VLAN\" )", "ERROR: Invalid token, variable name expected : VLAN @ 1\n"},
        {"= ( ZONE ; SITEID )", "ERROR: ',' or ')' expected : ; @ 1\n"},
    });
    EXPECT_EQ(run(memberfilters, "= ( " + longname + " )"), 1);
    EXPECT_EQ(log(), "ERROR: Token exceed maximum size: '" + longname + "' @ 1\n<br>");
}

TEST_F(Block, CustomerFiltersAndLookups) {
    topology();
    domain_variable_rec *v = add(prdomainvariables);
    v->domainname = "NORTH";
    v->variablename = "VLAN";
    v->variabletype = "NUMBER";
    auto filters = [](FILE *fp, FILE *, const char *) {
        return extract_custconnfilters(fp, 1, 2, "VPN", "GOLD", "BACKUP", "NORTH", "PE");
    };
    EXPECT_EQ(run(filters, "= ( VLAN = same , VLAN = DIFFERENT )"), 0);
    EXPECT_EQ(log(), "");
    ASSERT_EQ(count(prcustconnfilters), 2);
    const cust_conn_filter_rec *f = prcustconnfilters;
    EXPECT_STREQ(f->remotevariablename, "VLAN");
    EXPECT_STREQ(f->remotevarcondition, "SAME");
    EXPECT_STREQ(f->connectionname, "BACKUP");
    EXPECT_EQ(f->nodeinstance, 1);
    EXPECT_EQ(f->instanceno, 2);
    EXPECT_EQ(run(filters, "= ( )"), 0);
    EXPECT_EQ(run(filters, "= ( VLAN = EQUAL )"), 1);
    EXPECT_EQ(log(), "Variable value can be only SAME/DIFFERENT : EQUAL @ 1\n<br>");
    EXPECT_EQ(run(filters, "= ( COLOUR = SAME )"), 1);
    EXPECT_EQ(log(), "Variable 'COLOUR' is not defined.  @ 1\n<br>");
    EXPECT_EQ(count(prcustconnfilters), 2);

    cust_conn_node_lb_rec lb[2] = {};
    lb[0].loopbacktype = "LOOPBACK";
    lb[0].lbinstance = "0";
    lb[0].nodeinstance = 1;
    lb[0].next = &lb[1];
    lb[1].loopbacktype = "TUNNEL";
    lb[1].lbinstance = "1";
    lb[1].nodeinstance = 2;
    EXPECT_EQ(validate_custconnlb(lb, "TUNNEL", 2, "1"), 1);
    EXPECT_EQ(validate_custconnlb(lb, "TUNNEL", 1, "1"), 0);
    EXPECT_EQ(validate_custconnlb(&lb[1], "LOOPBACK", 1, "0"), 0);

    domain_node_log_int_rec *l = add(prdomainnodelogint);
    l->domainname = "NORTH";
    l->nodetype = "PE";
    l->inttype = "LOOPBACK";
    l->intno = "0";
    EXPECT_EQ(validate_nodelogint("NORTH", "PE", "0", "LOOPBACK"), 1);
    EXPECT_EQ(validate_nodelogint("NORTH", "PE", "0", "TUNNEL"), 0);
    EXPECT_EQ(validate_nodelogint("NORTH", "CE", "0", "LOOPBACK"), 0);
}
