// HSRP statements and APS groups of connection types in process: members
// and their numbering, group addresses and priority lists, and messages.
#include <cstring>
#include <memory>
#include <string>

#include "block_test.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

// Domain NORTH with node types PE and CE, and the system list HSRPPRIORITY
// of 100, 110 and 120.
void topology(bool with_priorities = true) {
    add_domain("NORTH", {"PE", "CE"});
    if (!with_priorities) return;
    system_list_rec *list = add(pr_systemlist);
    list->listname = "HSRPPRIORITY";
    system_list_elem_rec **link = &list->elemlist.head;
    for (const char *value : {"100", "110", "120"}) {
        *link = alloc_record<system_list_elem_rec>();
        (*link)->displayname = value;
        link = &(*link)->next;
    }
}

int auth = 0;
std::unique_ptr<address_assignment> open_assignment;

int hsrp(FILE *fp, FILE *, const char *) {
    if (!open_assignment) {
        open_assignment = std::make_unique<address_assignment>();
        open_assignment->reset();
        std::strcpy(open_assignment->attrs.validationpool, "LINKS");
        std::strcpy(open_assignment->attrs.owner, "NORTH");
        std::strcpy(open_assignment->sel.poolname, "CORE");
    }
    return extract_hsrp(fp, 5, "P2P", *open_assignment, &auth);
}
int aps(FILE *fp, FILE *, const char *) { return extract_APS(fp, 5); }

std::string hsrp_rows() {
    std::string out;
    for (const hsrp_connection_rec *h = prhsrpconnections; h; h = h->next)
        out += std::to_string(h->sequenceno) + "." + std::to_string(h->subsequenceno) + ":" + h->addresstype.c_str() + ":" +
               std::to_string(h->authenticated) + ":" + h->hsrppriority.c_str() + " ";
    return out;
}

}  // namespace

TEST_F(Block, HsrpMembersAreNumberedPerGroup) {
    topology();
    EXPECT_EQ(run(hsrp, "#1.MEMBER = ( NORTH.PE , TRACKINTERFACE = \"Serial0\" , TRACKPRIORITY = 10 )"), 0);
    EXPECT_EQ(run(hsrp, "#1.member = ( NORTH.CE )"), 0);
    EXPECT_EQ(run(hsrp, "#2.MEMBER = ( NORTH.PE )"), 0);
    EXPECT_EQ(log(), "");
    std::string filed;
    for (const hsrp_member_rec *m = prhsrpmember; m; m = m->next)
        filed += std::to_string(m->connectionno) + ":" + std::to_string(m->sequenceno) + "." +
                 std::to_string(m->subsequenceno) + ":" + m->nodetype.c_str() + ":" + m->trackinterface.c_str() + ":" +
                 std::to_string(m->trackpriority) + " ";
    EXPECT_EQ(filed, "5:1.1:PE:Serial0:10 5:1.2:CE::0 5:2.1:PE::0 ");

    expect_refused(hsrp, {
        {"1.MEMBER", "ERROR: Keyword '#' expected: 1 @1\n"},
        {"#X.MEMBER", "ERROR: HSRP connection number expected :X @1\n"},
        {"#1 MEMBER", "ERROR : Attribute qualifier '.' expected :MEMBER @1\n"},
        {"#1.PRIORITY = 3", "ERROR :Invalid attribute name for HSRP : PRIORITY @1\n"},
        {"#1.MEMBER ( NORTH.PE )", "ERROR: Invalid syntax '=' expected: ( @1\n"},
        {"#1.MEMBER = NORTH.PE", "ERROR: Invalid syntax '(' expected: NORTH @1\n"},
        {"#1.MEMBER = ( \"NORTH\".PE )", "ERROR: Syntax error . Domain name expected : NORTH @ 1 \n"},
        {"#1.MEMBER = ( NORTH PE )", "ERROR: '.' expected as a qualifer for node type: PE @1\n"},
        {"#1.MEMBER = ( NORTH.5 )", "Unexpected end of file : 5 @1\n"},
        {"#1.MEMBER = ( NORTH.PE ; )", "ERROR: Invalid syntax ',' or ')'  expected :; @ 1\n"},
        {"#1.MEMBER = ( NORTH.PE , MEMBER = 1 )", "ERROR: Invalid attribute name : MEMBER @ 1\n"},
        {"#1.MEMBER = ( NORTH.PE , AUTHENTICATION = TRUE )", "ERROR: Invalid attribute : AUTHENTICATION @1\n"},
        {"#1.MEMBER = ( NORTH.PE , TRACKPRIORITY 1 )", "ERROR: Invalid syntax '=' expected :1 @ 1\n"},
        {"#1.MEMBER = ( NORTH.PE , TRACKPRIORITY = high )", "Track priority has to be numeric. :high @ 1\n"},
        {"#1.MEMBER = ( NORTH.PE , TRACKPRIORITY = 5 )", "TRACKINTERFACE is not specified for the priority :  @1\n"},
        {"#1.MEMBER = ( NORTH.PE , TRACKINTERFACE = \"<NOSUCH>\" )",
         "ERROR : Function name expected : NOSUCH @ 1\n"},
    });
    // Flagged names: the member is filed.
    EXPECT_EQ(run(hsrp, "#3.MEMBER = ( SOUTH.PE , TRACKPRIORITY = 0 , TRACKPRIORITY = 0 )"), 0);
    EXPECT_EQ(log(), "ERROR: Domain undefined SOUTH @1 \n<br>"
                     "ERROR: Invalid node . Not defined : PE  @1\n<br>"
                     "ERROR: Duplicate token: 'TRACKPRIORITY' @ 1\n<br>");
    EXPECT_EQ(prhsrpmember.tail->sequenceno, 3);
}

TEST_F(Block, HsrpGroupAddressAndPriorities) {
    topology();
    auth = 0;
    open_assignment.reset();
    EXPECT_EQ(run(hsrp, "#1.AUTHENTICATION = true\n"), 0);
    EXPECT_EQ(auth, 1);
    EXPECT_EQ(run(hsrp, "#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" )"), 0);
    EXPECT_EQ(run(hsrp, "#2.IPADDRESS = ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = \"3\" )"), 0);
    EXPECT_EQ(run(hsrp, "#3.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )"), 0);
    EXPECT_EQ(run(hsrp, "#1.AUTHENTICATION = FALSE\n"), 0);
    EXPECT_EQ(run(hsrp, "#1.HSRPPRIORITY = \"110, 100 ,120\""), 0);
    EXPECT_EQ(log(), "");
    // The first entry refreshes the address record; the others follow it.
    EXPECT_EQ(hsrp_rows(), "1.1:ADDRESS-FIXED:0:110 2.1:ADDRESS-HOST-POOL:1: 3.1:ADDRESS-UNASSIGNED:1: "
                           "1.2:ADDRESS-FIXED:0:100 1.3:ADDRESS-FIXED:0:120 ");
    std::string addresses;
    for (const address_assign_rec *a = praddressassign; a; a = a->next)
        addresses += std::to_string(a->namedpointtype) + ":" + a->namedendpoint.c_str() + ":" + a->addresspoolname.c_str() + ":" +
                     a->scope.c_str() + ":" + a->poolname.c_str() + ":" + std::to_string(a->sequence) + ":" + a->ipaddress.c_str() + ":" +
                     a->offset.c_str() + " ";
    EXPECT_EQ(addresses, "3:P2P:HSRP1:LINKS:NORTH:CORE:1:10.0.0.1: 3:P2P:HSRP2:LINKS:NORTH:CORE:1::3 ");

    // Repeats of a group's address or list are refused, not filed twice.
    EXPECT_EQ(run(hsrp, "#1.IPADDRESS = ( ADDRESSTYPE = NETWORK-FIXED , ADDRESS = \"10.0.0.0\" )"), 0);
    EXPECT_EQ(log(), "ERROR: Duplicate token: 'IPADDRESS' @ 1\n<br>");
    EXPECT_EQ(run(hsrp, "#1.HSRPPRIORITY = \"100\""), 0);
    EXPECT_EQ(log(), "ERROR: Duplicate token: 'HSRPPRIORITY' @ 1\n<br>");
    EXPECT_EQ(hsrp_rows(), "1.1:ADDRESS-FIXED:0:110 2.1:ADDRESS-HOST-POOL:1: 3.1:ADDRESS-UNASSIGNED:1: "
                           "1.2:ADDRESS-FIXED:0:100 1.3:ADDRESS-FIXED:0:120 ");
    EXPECT_EQ(std::string(praddressassign.tail->namedendpoint), std::string("P2P:HSRP2"));

    // A list before its group's address, an entry of no system list, an
    // unknown type and flag.
    EXPECT_EQ(run(hsrp, "#4.HSRPPRIORITY = \"100, 130\""), 0);
    EXPECT_EQ(log(), "One of the entries in HSRP PRIORITY list is not present in Systemlist definitions: '130' @1\n<br>"
                     "IPADDRESS for this HSRP group is not defined :@ 1\n<br>");
    EXPECT_EQ(run(hsrp, "#4.AUTHENTICATION = YES\n"), 0);
    EXPECT_EQ(log(), "ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : YES @2\n<br>");
    EXPECT_EQ(run(hsrp, "#5.IPADDRESS = ( ADDRESSTYPE = DHCP )"), 0);
    EXPECT_EQ(log(), "ERROR: Address type DHCP is invalid : @ 1\n<br>");
    EXPECT_EQ(std::string(prhsrpconnections.tail->addresstype), std::string("DHCP"));
    EXPECT_EQ(prhsrpconnections.tail->sequenceno, 5);

    // A quoted list cut by the end of the file is a token error: no
    // quoted text.
    EXPECT_EQ(run(hsrp, "#6.HSRPPRIORITY = \"110,"), 1);
    EXPECT_EQ(log(), "ERROR : String expected for PRIORITY list: 110, @ 1\n<br>");

    expect_refused(hsrp, {
        {"#11.AUTHENTICATION TRUE X", "ERROR: Invalid syntax '=' expected:TRUE @ 1\n"},
        {"#12.IPADDRESS = ADDRESSTYPE )", "ERROR: Invalid syntax '(' expected : ADDRESSTYPE @1\n"},
        {"#13.IPADDRESS = ( TYPE = X )", "ERROR: Invalid syntax Keyword 'ADDRESSTYPE' expected : TYPE @1\n"},
        {"#14.IPADDRESS = ( ADDRESSTYPE ADDRESS-FIXED )", "ERROR :Invalid syntax '=' expected :ADDRESS-FIXED @ 1\n"},
        {"#15.IPADDRESS = ( ADDRESSTYPE = \"ADDRESS-FIXED\" )", "ERROR: Invalid syntax variable name expected :ADDRESS-FIXED @ 1\n"},
        {"#16.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED )", "ERROR: Invalid syntax ',' expected:) @ 1\n"},
        {"#17.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , OFFSET )", "ERROR: Invalid syntax Keyword 'ADDRESS' expected :OFFSET @ 1\n"},
        {"#18.IPADDRESS = ( ADDRESSTYPE = NETWORK-FIXED , ADDRESS = 10 )", "ERROR: Invalid syntax ipaddress expected :10 @ 1\n"},
        {"#19.IPADDRESS = ( ADDRESSTYPE = ADDRESS-CONNECTION-POOL ; )", "ERROR: Invalid syntax ',' expected :; @ 1\n"},
        {"#20.IPADDRESS = ( ADDRESSTYPE = ADDRESS-CONNECTION-POOL , ADDRESS )", "ERROR: Invalid syntax Keyword 'OFFSET' expected:ADDRESS @ 1\n"},
        {"#21.IPADDRESS = ( ADDRESSTYPE = ADDRESS-CONNECTION-POOL , OFFSET 1 )", "ERROR: Invalid syntax '=' expected :1 @ 1\n"},
        {"#22.IPADDRESS = ( ADDRESSTYPE = ADDRESS-CONNECTION-POOL , OFFSET = 1 )", "ERROR: Number expected for offset :1 @ 1\n"},
        {"#23.IPADDRESS = ( ADDRESSTYPE = UNNUMBERED ,", "ERROR: Invalid syntax ')' expected :, @ 1\n"},
        {"#24.HSRPPRIORITY \"1\"", "ERROR : Invalid syntax '=' expected: 1 @1\n"},
        {"#25.HSRPPRIORITY = 100 )", "ERROR : String expected for PRIORITY list: 100 @ 1\n"},
    });
}

TEST_F(Block, HsrpPrioritiesWithoutTheirSystemList) {
    topology(false);
    EXPECT_EQ(run(hsrp, "#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" )"), 0);
    EXPECT_EQ(run(hsrp, "#1.HSRPPRIORITY = \"100\""), 0);
    EXPECT_EQ(log(),
              "One of the entries in HSRP PRIORITY list is not present in Systemlist definitions: 'HSRPPRIORITY' @1\n<br>");
    EXPECT_EQ(run(hsrp, "#2.HSRPPRIORITY = \"\""), 0);
    EXPECT_EQ(log(), "");
}

TEST_F(Block, ApsGroups) {
    topology();
    EXPECT_EQ(run(aps, "= ( MEMBER = NORTH.PE , MODE = protected )"), 0);
    EXPECT_EQ(run(aps, "= ( MODE = WORKING , MEMBER = NORTH.CE )"), 0);
    EXPECT_EQ(log(), "");
    // Without MODE: working, and the missing keyword flagged; a repeat of
    // the same member is flagged and filed.
    EXPECT_EQ(run(aps, "= ( MEMBER = NORTH.PE )"), 0);
    EXPECT_EQ(log(), "ERROR: token 'MODE' not found in POOLTYPES block @ 1\n<br>"
                     "ERROR: Duplicate APS block for same nodetype and domainname in connectiontype @1\n<br>");
    // Without MEMBER: empty names, defined values.
    EXPECT_EQ(run(aps, "= ( MODE = STANDBY , MODE = PROTECTED )"), 0);
    EXPECT_EQ(log(), "ERROR: Invalid value ('WORKING' or 'PROTECTED' expected)for attribute: STANDBY @1\n<br>"
                     "ERROR: Duplicate token: 'MODE' @ 1\n<br>"
                     "ERROR: token 'MEMBER' not found in POOLTYPES block @ 1\n<br>");
    std::string filed;
    for (const aps_member_rec *a = prconnapsdatalist; a; a = a->next)
        filed += std::to_string(a->connectionno) + ":" + a->domainname.c_str() + "." + a->nodetype.c_str() + ":" +
                 std::to_string(a->interfacemode) + " ";
    EXPECT_EQ(filed, "5:NORTH.PE:1 5:NORTH.CE:0 5:NORTH.PE:0 5:.:1 ");
    // The pair is checked, not the domain alone.
    EXPECT_EQ(run(aps, "= ( MEMBER = SOUTH.PE , MODE = WORKING )"), 0);
    EXPECT_EQ(log(), "ERROR: Invalid node type : PE  @1\n<br>");

    expect_refused(aps, {
        {"( MEMBER", "ERROR: Invalid syntax '=' expected :( @ 1\n"},
        {"= MEMBER", "ERROR: Invalid syntax '(' expected :MEMBER @ 1\n"},
        {"= ( NODE = X )", "ERROR: Invalid attribute: NODE @1\n"},
        {"= ( MODE WORKING )", "ERROR: Invalid syntax '=' expected :WORKING @ 1\n"},
        {"= ( MEMBER = NORTH PE )", "ERROR: . expected for domain.nodetype @1\n"},
        {"= ( MODE = WORKING ; )", "ERROR:',' or ')' expected : ; @ 1\n"},
    });
}
