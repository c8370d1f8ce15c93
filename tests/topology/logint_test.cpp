// LOGICALINTERFACE blocks loaded through the host: interfaces, their
// address assignments and every message.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

// A node type NORTH.PE and a pool LOOPBACKS; the block starts on line 15.
std::string with_node(const std::string &block) {
    return std::string("NETWORKNAME = LAB, SECTION = TOPOLOGY\n") +
           "DOMAIN NORTH BEGIN\n"
           "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"PT\" )\n"
           "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"L\" )\n"
           "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
           "END\n"
           "NODES NORTH.PE BEGIN\n"
           "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
           "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\" )\n"
           "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 9 )\n"
           "END\n"
           "ADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n"
           "  LOOPBACKS = ( STARTADDR = \"10.255.0.1\" , ENDADDR = \"10.255.0.254\" , PROTOCOL = IP )\n"
           "END\n" +
           block;
}

// One statement after an open assignment of LOOPBACK#0 (statement line 18;
// a message about the value that ends it names line 19).
std::string after_open(const std::string &statement) {
    return with_node("LOGICALINTERFACE NORTH.PE BEGIN\n"
                     "  LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" , PREFIX = 32 )\n"
                     "  LOOPBACK#0.VALIDATION = NONE\n  " +
                     statement + "\nEND\n");
}

}  // namespace

TEST_F(TopoLoad, LogicalInterfacesAndTheirAssignments) {
    Outcome r = load("logint_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    // One record per interface, from its first assignment.
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, devicetype, inttype, intno, addresstype, prefix, "
                   "dependency, valcheck FROM domainnodelogint ORDER BY rowid"),
              (V{"1|NORTH|PE|ROUTER|LOOPBACK|0|ADDRESS-FIXED|32|RACK|NODE-UNIQUE",
                 "1|NORTH|PE|ROUTER|TUNNEL|N|UNNUMBERED|0| |NETWORK-UNIQUE",
                 "1|NORTH|PE|ROUTER|LOOPBACK|1|ADDRESS-UNASSIGNED|0| |NONE",
                 "1|NORTH|PE|ROUTER|LOOPBACK|2|ADDRESS-HOST-POOL|32| |NONE",
                 "1|NORTH|PE|ROUTER|TUNNEL|3|ADDRESS-CONNECTION-POOL|30|RACK|NETWORK-UNIQUE"}));
    // Unnumbered and unassigned interfaces have no address records.
    EXPECT_EQ(rows("SELECT networkid, namedpointtype, namedendpoint, addresspoolname, sequence, scope, \"offset\", "
                   "ipaddress, poolname, servicetype, hosttype, nattype, poolowner, poolownervar, poolclass FROM "
                   "addressassign ORDER BY rowid"),
              (V{"1|1|NORTH:PE:LOOPBACK0|LOOPBACKS|0|NORTH.PE||10.255.SITEID.NODEID|||||||",
                 "1|1|NORTH:PE:LOOPBACK0||0|||10.254.0.0|||||||",
                 "1|1|NORTH:PE:LOOPBACK2||0|NORTH.PE|1|||VPN|PE|NONE|COMMUNITY|RACK|Gold",
                 "1|4|NORTH:PE:TUNNEL3||0||2||CORE||||GLOBAL||"}));
    EXPECT_EQ(rows("SELECT networkid, namedpointtype, namedendpoint, addresspoolname, sequence, variablename, "
                   "minvalue, maxvalue FROM addressdependency ORDER BY rowid"),
              (V{"1|1|NORTH:PE:LOOPBACK0|LOOPBACKS|0|RACK|1|40", "1|4|NORTH:PE:TUNNEL3||0|RACK|2|9"}));
    EXPECT_EQ(rows("SELECT networkid, connectionname, sequenceno, variablename FROM domaininstvars ORDER BY rowid"),
              (V{"1|NORTH:PE:LOOPBACK0|0|RACK", "1|NORTH:PE:LOOPBACK0|0|SITEID"}));
}

TEST_F(TopoLoad, LogicalInterfaceErrorsAreAllReportedInOnePass) {
    Outcome r = load("logint_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Domain undefined:SOUTH @ 32\n",
                 "ERROR: Invalid node type. Not defined : PE  @32\n",
                 "ERROR: token 'IPADDRESS' not found in LOGICALINTERFACE IPADDRESS block:  @ 32\n",
                 "ERROR: Invalid syatax. The IPaddress of the loopback needs to defined first @d\n",
                 // Finished by the next IPADDRESS: flagged, and filed.
                 "ERROR: variable  'BOGUS' is not defined in the context:  @ 41\n",
                 "ERROR: variable  'MISSING' used in instaceid for logical interface block is not "
                 "defined(define proper addressowner): @ 44  \n",
                 "ERROR: Invalid prefix 40 @45\n",
                 "ERROR: Unknown variable in address equation : SITEID @45\n",
                 "ERROR: ADDRESSTYPE 'DHCP' is not valid: @ 45\n",
                 "ERROR : Invalid domain Name for owner info : NOWHERE @ 46\n",
                 "Address type DHCP is invalid @49\n",
                 // A host pool without SELECTIONMETHOD, in the middle and at END.
                 "ERROR: SELECTIONMETHOD should be defined for addresstype 'ADDRESS-HOST-POOL' for IPADDRESS in "
                 "connection block 'NORTH:PE:LOOPBACK4' : @ 51\n",
                 "ERROR: SELECTIONMETHOD should be defined for addresstype 'ADDRESS-HOST-POOL' in IPADDRESS of "
                 "connection block 'NORTH:PE:LOOPBACK4' : @ 57\n",
                 // Failed at END: the next block is read all the same.
                 "ERROR: Loopback addresses can have atmost one dependendent variable @67\n",
                 "ERROR: token 'VALIDATION' should be given for previous IPADDRESS:  @ 69\n",
                 "ERROR: Invalid attribute name encountered : VALIDATION @75\n",
                 "ERROR:Invalid attribute name encountered : DEPENDENCY @80\n",
                 "ERROR: IPADDRESS need to be given before giving 'SELECTIONMETHOD': @ 84\n",
                 "ERROR: Multiple 'INSTANCEID' for same ipaddress assignement in logical interface block : @ 91\n",
                 "IPaddress octet has value > 255 @ 95\n",
                 "ERROR: POOLOWNERVAR  'NOSUCH' used in SELECTIONMETHOD for logical interface block is not "
                 "defined(define proper addressowner): @ 102  \n",
                 "ERROR: variable  'UNKNOWN' used in instaceid for logical interface block is not "
                 "defined(define proper addressowner): @ 104  \n"}));
}

TEST_F(TopoLoad, LogicalInterfaceStatementSyntaxStopsTheBlock) {
    struct Case {
        std::string statement, message;
    };
    const std::string owner(201, 'O'), pool(31, 'P'), number(30, '1');
    const Case cases[] = {
        {"ETHERNET#0.VALIDATION = NONE", "ERROR: Keyword 'LOOPBACK'/'TUNNEL' is expected :ETHERNET @18\n"},
        {"LOOPBACK 0.VALIDATION = NONE", "ERROR: Keyword '#' expected:0 @ 18\n"},
        {"LOOPBACK#=", "ERROR: Logical interface NUM expected := @ 18\n"},
        {"LOOPBACK#X1.VALIDATION = NONE", "ERROR: Invalid interface number for loopback(NORTH PE) :X1 @18\n"},
        {"LOOPBACK#" + number + ".VALIDATION = NONE",
         "ERROR: token size exceeds datbase field size :  '" + number + "' @ 18\n"},
        {"LOOPBACK#0 VALIDATION = NONE", "ERROR: Attribute qualifier '.' expected :VALIDATION @ 18\n"},
        {"LOOPBACK#0.COLOUR = RED", "ERROR: Invalid attribute name : COLOUR @18\n"},
        {"LOOPBACK#0.VALIDATION NONE", "ERROR: Invalid syntax '=' :NONE @ 19\n"},
        {"LOOPBACK#0.VALIDATION = UNIQUE", "ERROR: Wrong value for 'VALIDATION': 'UNIQUE' @ 19\n"},
        {"LOOPBACK#0.VALIDATIONPOOL = CORE", "ERROR: Invalid poolname. Not defined : CORE @19\n"},
        {"LOOPBACK#0.ADDRESSOWNER = \"" + owner + "\"",
         "ERROR: Token size exceed maximum limit : '" + owner + "' @ 18\n"},
        {"LOOPBACK#0.ADDRESSOWNER = 5", "ERROR : Invalid domain Name for owner info : 5 @ 19\n"},
        {"LOOPBACK#0.SELECTIONMETHOD = ( POOLNAME = P )",
         "ERROR: SELECTIONMETHOD can be given only for address types of 'ADDRESS-HOST-POOL' and "
         "'ADDRESS-CONNECTION-POOL' : @ 18\n"},
    };
    for (const Case &c : cases) {
        Outcome r = load_text(after_open(c.statement));
        EXPECT_EQ(r.ret, 2) << c.statement;
        ASSERT_FALSE(errors_of(r.messages).empty()) << c.statement;
        EXPECT_EQ(errors_of(r.messages).front(), c.message) << c.statement;
    }
    // A number is an owner that no domain has, and no value of its kind.
    Outcome r = load_text(after_open("LOOPBACK#0.ADDRESSOWNER = 5"));
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Invalid domain Name for owner info : 5 @ 19\n",
                                        "ERROR :Invalid syntax variable type expected : 5 @19\n"}));

    const Case heads[] = {
        {"LOGICALINTERFACE NORTH PE BEGIN\nEND\n", "ERROR: '.' expected as a qualifier for node type:PE @ 15\n"},
        {"LOGICALINTERFACE NORTH.PE\nEND\n", "ERROR: Keyword 'BEGIN' expected :END @ 17\n"},
        {"LOGICALINTERFACE " + pool + ".PE BEGIN\nEND\n",
         "ERROR: Domain undefined:" + pool + " @ 15\n"},
    };
    for (const Case &c : heads) {
        Outcome r = load_text(with_node(c.statement));
        EXPECT_EQ(r.ret, 2) << c.statement;
        ASSERT_FALSE(errors_of(r.messages).empty()) << c.statement;
        EXPECT_EQ(errors_of(r.messages).front(), c.message) << c.statement;
    }
    // A name that is only flagged is refused when it does not fit its field.
    r = load_text(with_node("LOGICALINTERFACE " + pool + ".PE BEGIN\nEND\n"));
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR: Domain undefined:" + pool + " @ 15\n",
                                        "ERROR: token size exceeds datbase field size :  '" + pool + "' @ 15\n"}));
}

TEST_F(TopoLoad, FileEndingInsideLogicalInterfaceKeepsTheStoredRows) {
    ASSERT_EQ(load("logint_valid.ndl").ret, 0);
    V before = dump_rows("domainnodelogint", "ORDER BY rowid");
    V addresses = dump_rows("addressassign", "ORDER BY rowid");
    const std::string text = data_text("logint_valid.ndl");
    // Between statements the block's own end-of-file text.
    expect_cut_short(text.substr(0, text.find("  LOOPBACK#1.IPADDRESS")), {"ERROR: Unexpected end of file : @ 43\n"},
                     "between statements");
    EXPECT_EQ(dump_rows("domainnodelogint", "ORDER BY rowid"), before);
    EXPECT_EQ(dump_rows("addressassign", "ORDER BY rowid"), addresses);
    // Also inside a group.
    Outcome r = load_text(with_node("LOGICALINTERFACE NORTH.PE BEGIN\n  LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = UNNUMBERED ,\n"),
                  "updateversion");
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Invalid syntax Keyword,  'ADDRESS' expected : @ 17\n", "Exiting due to errors \n"}));
}
