// CONNECTIONTYPE blocks loaded through the host: the connection type with
// every group, connection numbers, every message, and files that end
// inside the block.
#include "topo_load.h"

using V = std::vector<std::string>;

TEST_F(TopoLoad, ConnectionTypeWithEveryGroup) {
    Outcome r = load("conntype_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    // The record comes from the first assignment; the defaults of a block
    // without MAXCONNECTIONS and VALIDATION; IPX files 1, BOTH 2.
    EXPECT_EQ(rows("SELECT networkid, connectionno, connectionname, connectionscope, connectiontype, networktypes, "
                   "addresstype, prefix, valcheck, maxconn FROM domainconntypes ORDER BY rowid"),
              (V{"1|1|PE-CE|INTERNAL|POINT-TO-POINT|2|ADDRESS-FIXED|30|NODE-UNIQUE|100",
                 "1|2|DIAL|EXTERNAL|NETWORK-REMOTE|1|UNNUMBERED:LOOPBACK0|0|NETWORK-UNIQUE|99999"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequence, variablename, displayname, variabletype, updatestatus, "
                   "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec FROM domainconnvars"),
              V{"1|1|1|VLAN|VLAN|NUMBER|VARIABLE-UNASSIGNED|0|0|0||||"});
    EXPECT_EQ(rows("SELECT networkid, connectionno, domainname, nodetype, nattype, authserver, minconn, maxconn, "
                   "secondaryip FROM domainfixedconn ORDER BY rowid"),
              (V{"1|1|NORTH|PE|NONE|NONE|1|10|0", "1|1|NORTH|CE|OUTSIDE|TACACS|1|1|0", "1|2|NORTH|CE|NONE|NONE|0|1|0"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, domainname, nodetype, instanceno, interfacename FROM "
                   "domainintnames ORDER BY rowid"),
              (V{"1|1|NORTH|PE|1|Serial0/0", "1|1|NORTH|PE|2|Serial0/1"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, peruser, isdn, async, dialout, dialin FROM domainremotetypes"),
              V{"1|2|0|1|0|0|0"});
    EXPECT_EQ(rows("SELECT networkid, connectionno, interfacetype, encapsulationtype, isauthenticated, subinterface, "
                   "authenticationtype, conntype FROM domaininttypes ORDER BY rowid"),
              (V{"1|1|SERIAL|PPP|1|0|CHAP|POINT-TO-POINT", "1|2|BRI|PPP|0|0|NONE|POINT-TO-POINT"}));
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, scope, connectionname, backupconnname FROM "
                   "domainnodeconnbkp"), V{"1|NORTH|CE|NODE|DIAL|PE-CE"});
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequenceno, domainname, nodetype, subsequenceno, trackinterface, "
                   "trackpriority FROM hsrpmember ORDER BY rowid"),
              (V{"1|1|1|NORTH|PE|1|Serial0/0|10", "1|1|1|NORTH|CE|2||0"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequenceno, addresstype, authenticated, subsequenceno, "
                   "hsrppriority FROM hsrpconnections ORDER BY rowid"),
              (V{"1|1|1|ADDRESS-FIXED|1|1|110", "1|1|1|ADDRESS-FIXED|1|2|100"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, domainname, nodetype, interfacemode FROM apsmember ORDER BY rowid"),
              (V{"1|1|NORTH|PE|0", "1|1|NORTH|CE|1"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequence, variablename FROM domainconnfilters"), V{"1|1|1|SITEID"});
    // The HSRP group's address is filed as its statement is read, the
    // link's when the block ends; an unnumbered link has none.
    EXPECT_EQ(rows("SELECT networkid, namedpointtype, namedendpoint, addresspoolname, sequence, scope, \"offset\", "
                   "ipaddress, poolname, servicetype, hosttype, nattype, poolowner, poolownervar, poolclass FROM "
                   "addressassign ORDER BY rowid"),
              (V{"1|3|PE-CE:HSRP1|LINKS|1|NORTH||10.VLAN.LINKID.254|||||||",
                 "1|1|PE-CE|LINKS|1|NORTH||10.VLAN.LINKID.1|||||||"}));
    EXPECT_EQ(rows("SELECT networkid, namedpointtype, namedendpoint, addresspoolname, sequence, variablename, "
                   "minvalue, maxvalue FROM addressdependency"), V{"1|1|PE-CE|LINKS|1|VLAN|1|200"});
    EXPECT_EQ(rows("SELECT networkid, connectionname, sequenceno, variablename FROM domaininstvars"),
              V{"1|PE-CE|1|VLAN"});
    // Loaded again, nothing changes.
    expect_reload_unchanged("conntype_valid.ndl", "domainconntypes");
}

namespace {

// The domain, node types, pool and system list of conntype_valid.ndl, then
// `blocks`; *first_line takes the line on which `blocks` begins.
std::string with_topology(const std::string &blocks, int *first_line = nullptr) {
    const std::string text = data_text("conntype_valid.ndl");
    std::string head = text.substr(0, text.find("CONNECTIONS BEGIN"));
    if (first_line) *first_line = static_cast<int>(std::count(head.begin(), head.end(), '\n')) + 1;
    return head + blocks;
}

}  // namespace

TEST_F(TopoLoad, ConnectionTypeFlagsAreAllReportedInOnePass) {
    int at = 0;
    std::string text = with_topology("CONNECTIONTYPE BAD BEGIN\n"                                               // +0
                                     "  TYPE = ring\n"                                                         // +1
                                     "  SCOPE = global\n"                                                      // +2
                                     "  ROUTEDPROTOCOLS = appletalk\n"                                         // +3
                                     "  VALIDATION = strict\n"                                                 // +4
                                     "  VALIDATIONPOOL = NOPOOL\n"                                             // +5
                                     "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" , PREFIX = 30 )\n"
                                     "  INSTANCEID = ( LINKID )\n"                                             // +7
                                     "  INSTANCEID = ( BW )\n"                                                 // +8
                                     "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = \"1\" , PREFIX = 30 )\n"
                                     "END\n"                                                                   // +10
                                     "CONNECTIONTYPE BAD BEGIN\n"                                              // +11
                                     "  ADDRESSOWNER = \"SOUTH\"\n"                                            // +12
                                     "  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 1 , PERUSER = TRUE )\n"
                                     "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"                    // +14
                                     "END\n",
                                     &at);
    Outcome r = load_text(text);
    EXPECT_EQ(r.ret, 2);
    auto line = [at](int n) { return std::to_string(at + n); };
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Invalid value for Network TYPE : RING @" + line(2) + "\n",
                 "ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ " + line(3) + "\n",
                 "ERROR: Invalid value for ROUTEDPROTOCOLS, ('IP','IPX'  or 'BOTH' expected) : APPLETALK @" + line(4) + "\n",
                 "ERROR: Wrong value for 'VALIDATION': 'STRICT' @ " + line(5) + "\n",
                 "ERROR: Invalid poolname. Not defined : NOPOOL @" + line(6) + "\n",
                 "ERROR: Multiple 'INSTANCEID' for same ipaddress assignement in connection type 'BAD' : @ " + line(8) + "\n",
                 "ERROR: Validation type STRICT is invalid @" + line(9) + "\n",
                 // The closing form only flags a host pool without SELECTIONMETHOD.
                 "ERROR: SELECTIONMETHOD should be defined for addresstype 'ADDRESS-HOST-POOL' in connection block "
                 "'BAD' : @ " + line(9) + "\n",
                 "ERROR: Connection already defined :BAD @" + line(11) + "\n",
                 "ERROR : Invalid domain Name for owner info : SOUTH @ " + line(12) + "\n",
                 "ERROR: Attribute valid for remote connections only: PERUSER @ " + line(13) + "\n"}));
}

TEST_F(TopoLoad, ConnectionTypeStatementsThatStopTheBlock) {
    struct Case {
        std::string body, message;
    };
    const std::string ip = "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" , PREFIX = 30 )\n";
    const std::string pool(31, 'P'), owner(201, 'O');
    // Each body is the block's; its last message is the one that stopped it.
    const Case cases[] = {
        {"  COLOUR = RED\n", "ERROR: Invalid attribute name : COLOUR @2\n"},
        {"  TYPE POINT-TO-POINT\n", "ERROR: Invalid syntax '=' expected:POINT-TO-POINT @3\n"},
        {"  MAXCONNECTIONS = many\n", "Numeric value is expected for max connections.many @3\n"},
        {"  TYPE = (\n", "ERROR: Invalid syntax variable type expected\n"},
        {"  VALIDATIONPOOL = " + pool + "\n", "ERROR: Token size exceed maximum limit : '" + pool + "' @ 3\n"},
        {"  ADDRESSOWNER = \"" + owner + "\"\n", "ERROR: Token size exceed maximum limit : '" + owner + "' @ 2\n"},
        {"  ADDRESSOWNER = \"NORTH\"\n  ADDRESSOWNER = \"NORTH\"\n",
         "ERROR: Duplicate specification for ADDRESSOWNER : @ 3\n"},
        {"  SELECTIONMETHOD = ( POOLNAME = CORE )\n",
         "ERROR: IPADDRESS need to be given before giving 'SELECTIONMETHOD': @ 2\n"},
        {ip + "  VARIABLE = ( NAME = VLAN , TYPE = NUMBER )\n", "ERROR: Give VARIABLE definition before IPADDRESS: @ 3\n"},
        {"  VARIABLE = ( NAME = BW , TYPE = NUMBER )\n" + ip,
         "ERROR: Duplicate variable defined for  connection : X BW @2\n"},
        {"  TYPE = POINT-TO-POINT\n", "ERROR: IP address not defined for connection : X @4\n"},
        {"  IPADDRESS = ( ADDRESSTYPE = ADDRESS-HOST-POOL , OFFSET = \"1\" , PREFIX = 30 )\n" + ip,
         "ERROR: SELECTIONMETHOD should be defined for addresstype 'ADDRESS-HOST-POOL' in connection block 'X' : @ 2\n"},
        {ip + "  INSTANCEID = ( NOSUCH )\n" + ip,
         "ERROR: variable 'NOSUCH' used in instanceid for connection block 'X' is not defined(define proper "
         "addressowner): @ 3  \n"},
        {ip + "  INSTANCEID = ( NOSUCH )\n",
         "ERROR: variable  'NOSUCH' used in instaceid for connection block 'X' is not defined(define proper "
         "addressowner): @ 3  \n"},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 1 )\n  MEMBERFILTER = ( NOSUCH )\n" + ip,
         "Filter variables specified are not present in all the member nodes\nfor connection X\n"},
        {"  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 1 ,\n", "ERROR: Invalid attribute name : END @ 4\n"},
    };
    for (const Case &c : cases) {
        int at = 0;
        Outcome r = load_text(with_topology("CONNECTIONTYPE X BEGIN\n" + c.body + "END\n", &at));
        EXPECT_EQ(r.ret, 2) << c.body;
        V errors = errors_of(r.messages);
        ASSERT_FALSE(errors.empty()) << c.body;
        // The lines of the cases are counted from the block's first (1).
        std::string message = c.message;
        size_t at_sign = message.rfind('@');
        size_t digits = at_sign == std::string::npos ? at_sign : message.find_first_of("0123456789", at_sign);
        if (digits != std::string::npos) {
            size_t end = message.find_first_not_of("0123456789", digits);
            int n = std::stoi(message.substr(digits, end - digits));
            message.replace(digits, end - digits, std::to_string(at + n - 1));
        }
        EXPECT_EQ(errors.back(), message) << c.body;
    }
    const std::string longname(81, 'N');
    Outcome r = load_text(with_topology("CONNECTIONTYPE " + longname + " BEGIN\nEND\n"));
    EXPECT_EQ(errors_of(r.messages).front().substr(0, 40), "ERROR: Token exceeds maximum size: '" + longname.substr(0, 4));
    r = load_text(with_topology("CONNECTIONTYPE X\nEND\n"));
    EXPECT_EQ(errors_of(r.messages).front().rfind("ERROR: Keword 'BEGIN' expected :END @", 0), 0u);
}

TEST_F(TopoLoad, ConnectionNumbersRiseAtEveryBlock) {
    const std::string ip = "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n";
    Outcome r = load_text(with_topology("CONNECTIONTYPE A BEGIN\n" + ip + "END\n"
                                        "CONNECTIONTYPE B BEGIN\n  COLOUR = RED\nEND\n"
                                        "CONNECTIONTYPE C BEGIN\n" + ip +
                                        "  MEMBER = ( NODE = NORTH.PE , MINCONN = 1 , MAXCONN = 1 )\nEND\n"));
    EXPECT_EQ(r.ret, 2);
    // The failed block took number 2 all the same.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainconntypes"), V{"0"});
    r = load_text(with_topology("CONNECTIONTYPE A BEGIN\n" + ip + "END\n"
                                "CONNECTIONTYPE B BEGIN\n" + ip + "END\n"));
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT connectionno, connectionname FROM domainconntypes ORDER BY rowid"), (V{"1|A", "2|B"}));
}

TEST_F(TopoLoad, ConnectionNameWithPercentSignsIsFiledUnchanged) {
    Outcome r = load_text(with_topology("CONNECTIONTYPE 50%s%d BEGIN\n"
                                "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" , PREFIX = 30 )\n"
                                "  HSRP#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.2\" )\n"
                                "END\n"));
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT namedendpoint FROM addressassign ORDER BY rowid"), (V{"50%s%d:HSRP1", "50%s%d"}));
}

TEST_F(TopoLoad, FileEndingInsideConnectionTypeKeepsTheStoredRows) {
    ASSERT_EQ(load("conntype_valid.ndl").ret, 0);
    V before = dump_rows("domainconntypes", "ORDER BY rowid");
    const std::string text = data_text("conntype_valid.ndl");
    // Between statements (the block's end-of-file text), inside a group
    // (the group's step), inside a quoted value (no quoted text to the
    // group's step).
    const struct {
        const char *cut_at;
        V errors;
    } cuts[] = {
        {"  INTERFACETYPES = ( TYPE = BRI", {"ERROR: Unexpected end of file @ 70 \n"}},
        {"VLAN , MINVALUE", {"ERROR: Invalid syntax variable name expected: @ 53\n"}},
        {"rial0/1\"", {"ERROR: String expected for Interfaces: Serial0/0, Se @ 44\n"}},
    };
    for (const auto &[cut_at, errors] : cuts) {
        expect_cut_short(text.substr(0, text.find(cut_at)), errors, cut_at);
        EXPECT_EQ(dump_rows("domainconntypes", "ORDER BY rowid"), before);
    }
}
