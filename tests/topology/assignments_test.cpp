// The address assignment groups in process: what each reader stores, its
// messages, and the checks of the variables an assignment names.
#include <cstring>

#include "block_test.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

ipaddress_group ip;
dependency_list deps;
selmethod_group sel;
domain_inst_var_rec *first;

auto ipaddress(const char *context) {
    return [context](FILE *fp, FILE *, const char *) { return extract_ipaddress(fp, &ip, context); };
}
int dependency(FILE *fp, FILE *, const char *) { return extract_dependency(fp, deps); }
auto selmethod(const char *type) {
    return [type](FILE *fp, FILE *, const char *) { return extract_selmethod(fp, type, &sel); };
}
int instances(FILE *fp, FILE *, const char *) { return extract_instances(fp, "D:N:LOOPBACK0", 0, &first); }

void add_servicetype(const char *servicetype, const char *hosttype) {
    service_type_rec *r = add(prservicetypes);
    r->servicetype = servicetype;
    r->hosttype = hosttype;
}

}  // namespace

TEST_F(Block, IpaddressGroupAsksForWhatItsTypeNeeds) {
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( addresstype = address-fixed , ADDRESS = \"10.0.0.1\" , PREFIX = 30 )"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_STREQ(ip.addresstype, "ADDRESS-FIXED");
    EXPECT_STREQ(ip.address, "10.0.0.1");
    EXPECT_STREQ(ip.prefix, "30");
    EXPECT_STREQ(ip.offset, "");

    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = UNNUMBERED , ADDRESS = \"LOOPBACK0\" )"), 0);
    EXPECT_STREQ(ip.prefix, "0");
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = ADDRESS-UNASSIGNED )"), 0);
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = \"4\" , PREFIX = 29 )"), 0);
    EXPECT_STREQ(ip.offset, "4");
    EXPECT_STREQ(ip.address, "");
    EXPECT_EQ(log(), "");

    // A host pool's prefix may be a variable in a connection type only.
    const char pool[] = "= ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = \"1\" , PREFIX = LEN )";
    EXPECT_EQ(run(ipaddress("CONNECTION"), pool), 0);
    EXPECT_EQ(log(), "");
    EXPECT_STREQ(ip.prefix, "LEN");
    EXPECT_EQ(run(ipaddress("LOGICALINT"), pool), 0);
    EXPECT_EQ(log(), "ERROR: Number expected for prefix :LEN @ 1\n<br>");
    // A number beyond 32 bits is no number either; an unknown type is
    // flagged and asks for a prefix.
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = DHCP , PREFIX = 99999999999 )"), 0);
    EXPECT_EQ(log(), "ERROR: ADDRESSTYPE 'DHCP' is not valid: @ 1\n<br>"
                     "ERROR: Number expected for prefix :99999999999 @ 1\n<br>");
    EXPECT_STREQ(ip.prefix, "99999999999");
}

TEST_F(Block, IpaddressGroupSyntaxStopsTheBlock) {
    struct Case {
        const char *text, *message;
    };
    const std::string a81(81, '1');
    const Case cases[] = {
        {"( ADDRESSTYPE", "ERROR: Invalid syntax '=' expected :( @ 1\n"},
        {"= ADDRESSTYPE", "ERROR: Invalid syntax '(' expected :ADDRESSTYPE @ 1\n"},
        {"= ( ADDRESS = \"1.1.1.1\"", "ERROR: Invalid syntax Keword 'ADDRESSTYPE' expected :ADDRESS @ 1\n"},
        {"= ( ADDRESSTYPE ADDRESS-FIXED", "ERROR: Invalid syntax '=' expected :ADDRESS-FIXED @ 1\n"},
        {"= ( ADDRESSTYPE = \"ADDRESS-FIXED\"", "ERROR: Invalid syntax variable name expected :ADDRESS-FIXED @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-FIXED ADDRESS", "ERROR: Invalid syntax ',' expected:ADDRESS @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-FIXED , PREFIX", "ERROR: Invalid syntax Keyword,  'ADDRESS' expected :PREFIX @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = 10", "ERROR: Invalid syntax ipaddress expected in quoted string:10 @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-HOST-POOL OFFSET", "ERROR: Invalid syntax ',' expected :OFFSET @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-HOST-POOL , ADDRESS", "ERROR: Invalid syntax Keyword 'OFFSET' expected:ADDRESS @ 1\n"},
        {"= ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = 4", "ERROR: Number expected for offset :4 @ 1\n"},
        {"= ( ADDRESSTYPE = NETWORK-FIXED , ADDRESS = \"1.1.1.0\" , OFFSET",
         "ERROR:Invalid syntax Keyword 'PREFIX' expected:OFFSET @ 1\n"},
        {"= ( ADDRESSTYPE = UNNUMBERED , ADDRESS = \"1.1.1.0\" , PREFIX = 3 )",
         "ERROR: Invalid syntax ')' expected:, @ 1\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(ipaddress("LOGICALINT"), std::string(c.text) + " "), 1) << c.text;
        EXPECT_EQ(log(), std::string(c.message) + "<br>") << c.text;
    }
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"" + a81 + "\""), 1);
    EXPECT_EQ(log(), "ERROR: Token size exceed maximum limit : '" + a81 + "' @ 1\n<br>");
    EXPECT_EQ(run(ipaddress("LOGICALINT"), "= ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"1.1.1.1\" ,\n"), 1);
    EXPECT_EQ(log(), "ERROR:Invalid syntax Keyword 'PREFIX' expected: @ 2\n<br>");
}

TEST_F(Block, DependenciesGrowWithoutBoundAndCountOnlyWholeGroups) {
    deps.clear();
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(run(dependency, "= ( NAME = V" + std::to_string(i) + " , MINVALUE = 1 , MAXVALUE = " +
                                      std::to_string(i + 1) + " )"),
                  0);
    ASSERT_EQ(deps.size(), 40u);
    EXPECT_STREQ(deps[39].name, "V39");
    EXPECT_EQ(deps[39].minvalue, 1);
    EXPECT_EQ(deps[39].maxvalue, 40);
    EXPECT_EQ(log(), "");

    struct Case {
        std::string text, message;
    };
    const std::string n31(31, 'N'), d31(31, '1');
    const Case cases[] = {
        {"( NAME", "ERROR: Invalid syntax '=' expected: ( @ 1\n"},
        {"= NAME", "ERROR :Invalid syntax '(' expected: NAME @ 1\n"},
        {"= ( MINVALUE", "ERROR: Invalid syntax Keword 'NAME' expected :MINVALUE @ 1\n"},
        {"= ( NAME X", "ERROR: Invalid syntax '=' expected :X @ 1\n"},
        {"= ( NAME = 5", "ERROR: Invalid syntax variable name expected:5 @ 1\n"},
        {"= ( NAME = " + n31, "ERROR: token size exceeds datbase field size :  '" + n31 + "' @ 1\n"},
        {"= ( NAME = X MINVALUE", "ERROR: Invalid syntax ',' expected :MINVALUE @ 1\n"},
        {"= ( NAME = X , MAXVALUE", "ERROR: Invalid syntax Keyword 'MINVALUE' expected :MAXVALUE @ 1\n"},
        {"= ( NAME = X , MINVALUE = A", "ERROR:Invalid syntax min value expected:A @ 1\n"},
        {"= ( NAME = X , MINVALUE = 2147483648", "ERROR:Invalid syntax min value expected:2147483648 @ 1\n"},
        {"= ( NAME = X , MINVALUE = " + d31, "ERROR: token size exceeds datbase field size :  '" + d31 + "' @ 1\n"},
        {"= ( NAME = X , MINVALUE = 1 , NAME", "ERROR: Invalid syntax Keword 'MAXVALUE' expected :NAME @ 1\n"},
        {"= ( NAME = X , MINVALUE = 1 , MAXVALUE = B", "ERROR: Invalid syntax min value expected :B @ 1\n"},
        {"= ( NAME = X , MINVALUE = 1 , MAXVALUE = 2 ,", "ERROR: Invalid syntax ')' expected :, @ 1\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(dependency, c.text + " "), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    EXPECT_EQ(deps.size(), 40u);
}

TEST_F(Block, SelectionMethodOfAHostPool) {
    add_servicetype("VPN", "CE");
    pool_class_rec *gold = add(prpoolclass);
    gold->value = "GOLD";
    gold->name = "Gold";

    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"),
                  "= ( SERVICETYPE = vpn , HOSTTYPE = CE , NATTYPE = pat , POOLOWNER = community ,\n"
                  "    POOLOWNERVAR = SITE , POOLCLASS = Gold )"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_STREQ(sel.servicetype, "VPN");
    EXPECT_STREQ(sel.hosttype, "CE");
    EXPECT_STREQ(sel.nattype, "PAT");
    EXPECT_STREQ(sel.poolowner, "COMMUNITY");
    EXPECT_STREQ(sel.poolownervar, "SITE");
    EXPECT_STREQ(sel.poolclass, "Gold");
    EXPECT_STREQ(sel.poolname, "");

    // Read to the end and flagged once; the owner defaults to GLOBAL.
    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"), "= ( SERVICETYPE = VPN , HOSTTYPE = CE )"), 0);
    EXPECT_EQ(log(), "ERROR: All the mandatory attributes are not given for 'SELECTIONMETHOD'. Attributes "
                     "'SERVICETYPE','HOSTTYPE' and 'NATTYPE' are required : @ 1\n<br>");
    EXPECT_STREQ(sel.poolowner, "GLOBAL");
    // The checks after ")" name the line where the group began.
    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"),
                  "= ( SERVICETYPE = VPN , HOSTTYPE = PE , NATTYPE = MANY ,\n POOLOWNER = global , "
                  "POOLOWNERVAR = SITE , POOLNAME = P1 )"),
              0);
    EXPECT_EQ(log(), "ERROR : Invalid value for NATADDRTYPE, ('STATIC','DYNAMIC','BOTH' or 'NONE' expected) : MANY @1\n<br>"
                     "ERROR: POOLNAME can be given only for pool of addresstype 'ADDRESS-CONNECTION-POOL': @ 2\n<br>"
                     "ERROR :servicename/hosttype is not present : VPN PE @ 1\n<br>"
                     "ERROR: POOLOWNERVAR does not make sense with GLOBAL poolowner: 'SITE' @ 1\n<br>");
    EXPECT_STREQ(sel.poolname, "P1");  // flagged, kept

    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"), "= ( SERVICETYPE = VPN , SERVICETYPE = VPN )"), 1);
    EXPECT_EQ(log(), "ERROR: Duplicate token: 'SERVICETYPE' @ 1\n<br>");
    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"), "= ( POOLCLASS = GOLD )"), 1);  // by the class's name
    EXPECT_EQ(log(), "Invalid poolclass: GOLD  @1\n<br>");
    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"), "= ( POOLOWNER = OTHERS )"), 0);
    EXPECT_EQ(log(), "ERROR : Invalid value for POOLOWNER, (GLOBAL or COMMUNITY ) : OTHERS @1\n<br>"
                     "ERROR: All the mandatory attributes are not given for 'SELECTIONMETHOD'. Attributes "
                     "'SERVICETYPE','HOSTTYPE' and 'NATTYPE' are required : @ 1\n<br>"
                     "ERROR :servicename/hosttype is not present :   @ 1\n<br>");
}

TEST_F(Block, SelectionMethodOfAConnectionPoolAndItsSyntax) {
    EXPECT_EQ(run(selmethod("ADDRESS-CONNECTION-POOL"),
                  "= ( POOLNAME = P1 , SERVICETYPE = S , HOSTTYPE = H , NATTYPE = NONE , POOLOWNER = GLOBAL , "
                  "POOLOWNERVAR = V )"),
              0);
    EXPECT_EQ(log(), "ERROR: SERVICETYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ 1\n<br>"
                     "ERROR: HOSTTYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ 1\n<br>"
                     "ERROR: NATTYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ 1\n<br>"
                     "ERROR: POOLOWNER can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ 1\n<br>"
                     "ERROR: POOLOWNERVAR can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ 1\n<br>");
    EXPECT_STREQ(sel.poolname, "P1");

    // Any other address type fails before the group is read.
    EXPECT_EQ(run(selmethod("ADDRESS-FIXED"), "= ( POOLNAME = P1 )"), 1);
    EXPECT_EQ(log(), "ERROR: SELECTIONMETHOD can be given only for address types of 'ADDRESS-HOST-POOL' and "
                     "'ADDRESS-CONNECTION-POOL' : @ 1\n<br>");
    EXPECT_EQ(g_prevtokentype, TOKEN_WORD);
    EXPECT_STREQ(g_prevtoken, "");

    const std::string p81(81, 'P'), s31(31, 'S');
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        {"( POOLNAME", "ERROR: Invalid syntax '=' expected :( @ 1\n"},
        {"= POOLNAME", "ERROR: Invalid syntax '(' expected :POOLNAME @ 1\n"},
        {"= ( POOL = P", "ERROR: Invalid attribute: POOL @1\n"},
        {"= ( POOLNAME P", "ERROR: Invalid syntax '=' expected :P @ 1\n"},
        {"= ( POOLNAME = P POOLCLASS", "ERROR:',' or ')' expected : POOLCLASS @ 1\n"},
        {"= ( POOLNAME = " + p81, "ERROR: token size exceeds datbase field size :  '" + p81 + "' @ 1\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(selmethod("ADDRESS-CONNECTION-POOL"), c.text + " "), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    EXPECT_EQ(run(selmethod("ADDRESS-HOST-POOL"), "= ( HOSTTYPE = " + s31 + " "), 1);
    EXPECT_EQ(log(), "ERROR: token size exceeds datbase field size :  '" + s31 + "' @ 1\n<br>");
}

TEST_F(Block, InstanceIdentifiersAreFiledAsWritten) {
    EXPECT_EQ(run(instances, "= ( Site , RACK )"), 0);
    EXPECT_EQ(log(), "");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, prdomaininstancevars.head);
    EXPECT_STREQ(first->connectionname, "D:N:LOOPBACK0");
    EXPECT_EQ(first->sequenceno, 0);
    EXPECT_STREQ(first->variablename, "Site");
    ASSERT_NE(first->next, nullptr);
    EXPECT_STREQ(first->next->variablename, "RACK");

    EXPECT_EQ(run(instances, "= ( )"), 0);
    EXPECT_EQ(first, nullptr);

    const std::string i31(31, 'I');
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        {"( A )", "ERROR: Invalid syntax '=' expected : ( @ 1\n"},
        {"= A", "ERROR: Invalid syntax '(' expected : A @ 1\n"},
        {"= ( 12 )", "ERROR: Invalid syntax instance identifiers expected:12 @ 1\n"},
        {"= ( " + i31 + " )", "ERROR: Token size exceed maximum limit : '" + i31 + "' @ 1\n"},
        {"= ( A B )", "ERROR: Invalid syntax '=' or ')' expected :B @ 1\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(instances, c.text + " "), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    // Those filed before the failure stay.
    EXPECT_EQ(count(prdomaininstancevars), 3);
}

TEST_F(Block, VariablesOfAnAssignmentAreKnownToItsOwner) {
    domain_node_var_rec *nv = add(prdomainnodevars);
    nv->domainname = "D";
    nv->nodetype = "N";
    nv->variablename = "RACK";
    nv->variabletype = "NUMBER";
    for (int c : {3, 4}) {
        domain_conn_var_rec *cv = add(prdomainconnvars);
        cv->connectionno = c;
        cv->variablename = c == 3 ? "VLAN" : "SLOT";
        cv->variabletype = "NUMBER";
    }
    domain_conn_var_rec *cv = add(prdomainconnvars);
    cv->connectionno = 4;
    cv->variablename = "VLAN";
    cv->variabletype = "NUMBER";

    const int both[] = {3, 4, 0}, none[] = {0};
    EXPECT_EQ(validate_poolvar("E", both, "", "", "VLAN"), 1);  // in every connection
    EXPECT_EQ(validate_poolvar("E", both, "", "", "SLOT"), 0);  // in one only
    EXPECT_EQ(validate_poolvar("E", both, "D", "N", "RACK"), 1);
    EXPECT_EQ(validate_poolvar("E", none, "D", "N", "RACK"), 1);
    EXPECT_EQ(validate_poolvar("E", none, "D", "", "RACK"), 0);
    EXPECT_EQ(validate_poolvar("E", none, "D", "N", "NODEID"), 1);

    // From the first record on, of the same end point only.
    EXPECT_EQ(run(instances, "= ( LATER )"), 0);
    EXPECT_EQ(run([](FILE *fp, FILE *, const char *) { return extract_instances(fp, "OTHER", 0, &first); },
                  "= ( ELSEWHERE )"),
              0);
    EXPECT_EQ(run(instances, "= ( RACK , VLAN , UNKNOWN )"), 0);
    domain_inst_var_rec *mine = prdomaininstancevars.head->next->next;
    char name[kText] = "";
    EXPECT_EQ(validate_instancevars("D:N:LOOPBACK0", both, "D", "N", mine, name), 0);
    EXPECT_STREQ(name, "UNKNOWN");
    EXPECT_EQ(validate_instancevars("D:N:LOOPBACK0", both, "D", "N", mine->next->next->next, name), 1);
    EXPECT_EQ(validate_instancevars("OTHER", both, "D", "N", prdomaininstancevars.head, name), 0);
    EXPECT_STREQ(name, "ELSEWHERE");
}

TEST_F(Block, LogicalInterfaceFilesARefusedAddressOnlyInTheMiddle) {
    add(prdomains)->domainname = "D";
    domain_node_rec *node = add(prdomainnodes);
    node->domainname = "D";
    node->nodetype = "N";
    node->devicetype = "ROUTER";
    const std::string head =
        "D.N BEGIN\n LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"300.0.0.1\" , PREFIX = 32 )\n"
        " LOOPBACK#0.VALIDATION = NONE\n";
    // At END the refusal stops the block before anything is filed.
    EXPECT_EQ(run(parse_logint, head + "END\n"), 1);
    EXPECT_EQ(log(), "IPaddress octet has value > 255 @ 2\n<br>");
    EXPECT_EQ(prdomainnodelogint.head, nullptr);
    EXPECT_EQ(praddressassign.head, nullptr);
    // Finished by the next IPADDRESS it is flagged and filed.
    EXPECT_EQ(run(parse_logint, head + " LOOPBACK#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"
                                       " LOOPBACK#1.VALIDATION = NONE\nEND\n"),
              0);
    EXPECT_EQ(log(), "IPaddress octet has value > 255 @ 2\n<br>");
    ASSERT_NE(praddressassign.head, nullptr);
    EXPECT_STREQ(praddressassign->ipaddress, "300.0.0.1");
    EXPECT_EQ(praddressassign->next, nullptr);
    ASSERT_NE(prdomainnodelogint.head, nullptr);
    EXPECT_STREQ(prdomainnodelogint->intno, "0");
    ASSERT_NE(prdomainnodelogint->next, nullptr);
    EXPECT_STREQ(prdomainnodelogint->next->intno, "1");

    // A failed filing keeps END as the token: the driver goes on with the
    // next block instead of skipping it.
    EXPECT_EQ(run(parse_logint, "D.N BEGIN\n LOOPBACK#2.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = "
                                "\"10.0.0.2\" , PREFIX = 32 )\n LOOPBACK#2.VALIDATION = NONE\n"
                                " LOOPBACK#2.DEPENDENCY = ( NAME = A , MINVALUE = 1 , MAXVALUE = 2 )\n"
                                " LOOPBACK#2.DEPENDENCY = ( NAME = B , MINVALUE = 1 , MAXVALUE = 2 )\nEND\n"),
              1);
    EXPECT_EQ(log(), "ERROR: Loopback addresses can have atmost one dependendent variable @7\n<br>");
    EXPECT_STREQ(g_prevtoken, "END");
    EXPECT_EQ(g_prevtokentype, TOKEN_END);
    EXPECT_EQ(praddressassign->next->sequence, 0);  // the address record stays
    EXPECT_EQ(praddressdependency.head, nullptr);
}
