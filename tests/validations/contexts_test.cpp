// Contexts and their parameters, address expressions under contexts,
// command values and dynamic variables.
#include <string>

#include "world.h"

namespace {

using Contexts = World;

struct Case {
    const char *text;
    int valid;
    const char *message;
};

const char *const kBadParameters = "ERROR : Invalid parameters in context : @7 \n";

TEST_F(Contexts, ContextGrammarAndParameters) {
    const std::string longdomain = "@" + std::string(299, 'D') + ".PE.BYHOST()";
    const std::string longdomainmsg = "ERROR : Invalid domainname specified : " + std::string(299, 'D') + " @7 \n";
    const std::string longname = std::string(299, 'B') + "()";
    const std::string longnamemsg = "ERROR : Invalid Function name : " + std::string(299, 'B') + " @ 7\n";
    const Case cases[] = {
        {"", 1, ""},
        {"BYHOST()", 1, ""},
        {"BYHOST(a)", 1, ""},
        {"IFHOST(a.X)", 1, ""},
        {"BYHOST(a.NOPE)", 0, kBadParameters},
        {"BYHOST(a.X.c)", 0, kBadParameters},
        {"BYCONN(PE-CE)", 1, ""},
        {"IFCONN(PE-CE.LOOPBACKN.anything)", 1, ""},
        {"BYCONN(PE-CE.OTHER)", 0, kBadParameters},
        {"BYCONN(LONE)", 0, kBadParameters},
        {"BYCOMM(VPN.SRV-ANY.AUTO.not.examined)", 1, ""},
        {"BYCOMM(BAD)", 0, kBadParameters},
        {"BYNOTSUBSCOMM(ALL.BAD)", 0, kBadParameters},
        {"BYCOMMHOST(ALL.ALL.ALL.HOSTA)", 1, ""},
        {"BYCOMMHOST(ALL.ALL.ALL.HOSTB)", 0, kBadParameters},
        {"IFSUBSCOMM(VPN.ALL.ALL.ALL.ALL.x)", 1, ""},
        {"IFSUBSCOMM(VPN.ALL.ALL.ALL.ALL.x.y)", 0, kBadParameters},
        {"BYSUBSCOMMNAT(ALL.ALL.ALL.ALL.BAD)", 0, kBadParameters},
        {"BYSERVICE(UNICAST.ALL.ALL)", 1, ""},
        {"BYSERVICE(UNICAST.ALL.ALL.x)", 0, kBadParameters},
        {"BYSERVICE(BROADCAST)", 0, kBadParameters},
        {"BYRP()", 1, ""},
        {"BYMAPAGENT(x)", 0, kBadParameters},
        {"BYCUST(VPN.GOLD)", 1, ""},
        {"BYCUST(ALL.ALL)", 1, ""},
        {"BYCUST(ALL)", 0, kBadParameters},
        {"BYCUST(ALL.SILVER)", 0, kBadParameters},
        {"BYSNMPCOMM(ALL)", 1, ""},
        {"BYSNMPCOMM(PUBLIC)", 0, kBadParameters},
        {"BYRASPOOL(any.thing.at.all)", 1, ""},
        {"IFHOSTEDSERVICE(x.y.z.w.v.u.t.s)", 1, ""},
        {"@EDGE.CE.BYHOST()", 1, ""},
        {"$CORE.P.#EDGE.CE.BYHOST()", 0, "ERROR : Syntax error . Function name expected: $CORE.P.#EDGE.CE.BYHOST() @ 7\n"},
        {"@CORE.P.@EDGE.CE.BYHOST()", 0,
         "ERROR: Wrong context, connection does not exist between node 'CORE.P' and 'EDGE.CE':  "
         "'@CORE.P.@EDGE.CE.BYHOST()' @ 7\n"},
        {"@EDGE", 0, "ERROR:'.' expected after : @EDGE @7\n"},
        {"@EDGE.ZZ.BYHOST()", 0, "ERROR : Invalid domainname/nodetype specified : EDGE,ZZ @7 \n"},
        {"BYHOST", 0, "ERROR : Function name expected : BYHOST @ 7\n"},
        {"BYFOO()", 0, "ERROR : Invalid Function name : BYFOO @ 7\n"},
        {"BYHOST(", 0, "ERROR : ')' expected @ 7\n"},
        {"BYHOST(a))x", 0, "ERROR : ')' expected @ 7\n"},
        {longdomain.c_str(), 0, longdomainmsg.c_str()},
        {longname.c_str(), 0, longnamemsg.c_str()},
    };
    for (const Case &c : cases) {
        int kind = 0;
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_context("CORE", "PE", c.text, &kind), c.valid) << c.text;
        if (c.valid && c.text[0]) {
            EXPECT_EQ(kind, 1) << c.text;
        }
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    // Only "@" needs a connection: "$" and "#" only move the context.
    int kind = 0;
    EXPECT_EQ(validate_context("CORE", "P", "@EDGE.CE.BYHOST()", &kind), 0);
    EXPECT_EQ(validate_context("CORE", "P", "$EDGE.CE.BYHOST()", &kind), 1);
    EXPECT_EQ(validate_context("CORE", "P", "#EDGE.CE.BYHOST()", &kind), 1);
    EXPECT_TRUE(log_text.empty());
}

TEST_F(Contexts, ContextConnectionsAreCollected) {
    char rdom[kName] = "CORE", rnode[kName] = "PE";
    int connlist[kConnListSize] = {9, 9, 9};
    int kind = 0;
    ASSERT_EQ(parse_context("CORE", "PE", rdom, rnode, "BYCONN(PE-CE)", &kind, connlist), 1);
    EXPECT_EQ(connlist[0], 1);
    EXPECT_EQ(connlist[1], 0);
    ASSERT_EQ(parse_context("CORE", "PE", rdom, rnode, "@EDGE.CE.BYCONN(PE-P)", &kind, connlist), 1);
    EXPECT_EQ(connlist[0], 1);  // the prefix's connection, then the one named
    EXPECT_EQ(connlist[1], 2);
    EXPECT_EQ(connlist[2], 0);
    EXPECT_STREQ(rdom, "EDGE");
    ASSERT_EQ(parse_context("CORE", "PE", rdom, rnode, "BYHOST()", &kind, connlist), 1);
    EXPECT_EQ(connlist[0], 0);  // emptied first

    int connectionno = -1;
    EXPECT_EQ(validate_parameters("CORE", "PE", "PE-P", "BYCONN", &connectionno, connlist), 1);
    EXPECT_EQ(connectionno, 2);
    EXPECT_EQ(validate_parameters("CORE", "PE", "", "BYHOST", &connectionno, connlist), 1);
    EXPECT_EQ(connectionno, 0);
}

TEST_F(Contexts, ConditionalContexts) {
    EXPECT_EQ(is_ifcontext("IF"), 0);
    EXPECT_EQ(is_ifcontext("IFHOST()"), 1);
    EXPECT_EQ(is_ifcontext("IFX"), 1);
    EXPECT_EQ(is_ifcontext("BYHOST()"), 0);
    EXPECT_EQ(is_ifcontext(""), 0);
}

TEST_F(Contexts, AddressesUnderContexts) {
    struct AddrCase {
        const char *c1, *c2, *c3, *expr;
        int valid, type;
        const char *message;
    } cases[] = {
        {"", "", "", "", 1, 0, ""},
        {"", "", "", "LOCALIP(CONN.PE-CE)", 1, 0, ""},
        {"BYCONN(PE-CE)", "", "", "IP()", 1, 0, ""},
        {"BYCONN(PE-CE)", "", "", "VAR(VLAN)", 1, 12, ""},
        {"", "", "", "VAR(VLAN)", 0, 0, "ERROR : Invalid node/domain/connection attribute  : VLAN @7 \n"},
        {"", "", "", "IP()", 0, 0,
         "ERROR: Function should have valid parameter if remote connection context is not set: 'IP' @ 7\n"},
        // Each further context checks the expression again, from an empty list.
        {"BYCONN(PE-CE)", "BYHOST()", "", "IP()", 0, 0,
         "ERROR: Function should have valid parameter if remote connection context is not set: 'IP' @ 7\n"},
        {"BYCONN(PE-CE)", "", "BYCONN(PE-P)", "IP()", 1, 0, ""},
        {"BYCONN(LONE)", "", "", "IP()", 0, 0, kBadParameters},
        {"", "", "BYFOO()", "", 0, 0, "ERROR : Invalid Function name : BYFOO @ 7\n"},
        {"@EDGE.CE.BYHOST()", "", "", "IP(CONN.PE-P)", 0, 0,
         "ERROR: Invalid connectionname specified for domain (EDGE) nodetype (CE) with CONN attribute :PE-P @7\n"},
    };
    for (const AddrCase &c : cases) {
        int kind = 0, type = -1;
        g_errormsg[0] = '\0';
        EXPECT_EQ(check_addrandvars("CORE", "PE", c.c1, c.c2, c.c3, c.expr, &kind, &type), c.valid) << c.expr;
        if (c.valid) {
            EXPECT_EQ(type, c.type) << c.expr;
        } else {
            EXPECT_STREQ(g_errormsg, c.message) << c.c1 << " " << c.expr;
        }
    }
}

TEST_F(Contexts, CommandValues) {
    const std::string longexpr = "<" + std::string(301, 'V') + ">";
    const std::string longexprmsg = "ERROR: Invalid expression: '" + longexpr + "' @ 7\n";
    struct CmdCase {
        const char *c1, *value;
        int valid, type, used;
        const char *message;
    } cases[] = {
        {"", "", 1, 0, 0, ""},
        {"", "<VAR(X)>", 1, 12, 1, ""},
        {"", "  <VAR(X)>  <VAR(NL)>", 1, 12, 1, ""},
        {"", "mtu <VAR(X)>", 1, 8, 1, ""},
        {"", "plain text", 1, 8, 0, ""},
        {"", "<VAR(S)>", 1, 11, 1, ""},
        {"", "<VAR(X)> <VAR(S)>", 1, 11, 1, ""},
        {"", "<LOCALIP(CONN.PE-CE)>", 1, 11, 1, ""},
        {"BYCONN(PE-CE)", "vlan <VAR(VLAN)>", 1, 8, 1, ""},
        {"", "<VAR(VLAN)>", 0, 0, 1, "ERROR : Invalid node/domain/connection attribute  : VLAN @7 \n"},
        {"", "<VAR(NOPE)>", 0, 0, 1, "ERROR : Invalid node/domain/connection attribute  : NOPE @7 \n"},
        {"", "<VAR(X)", 0, 0, 0, "ERROR: '>' expected for expression: '<VAR(X)' @ 7\n"},
        {"", "<VAR(X) >", 0, 0, 0, "ERROR: '>' expected for expression: '<VAR(X) >' @ 7\n"},
        {"", "<a,b>", 0, 0, 0, "ERROR: '>' expected for expression: '<a,b>' @ 7\n"},
        {"", longexpr.c_str(), 0, 0, 0, longexprmsg.c_str()},
    };
    for (const CmdCase &c : cases) {
        int type = -1;
        g_varused = 7;
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_commandvar("CORE", "PE", c.c1, "", "", c.value, &type), c.valid) << c.value;
        EXPECT_EQ(g_varused, c.used) << c.value;
        if (c.valid) {
            EXPECT_EQ(type, c.type) << c.value;
        } else {
            EXPECT_STREQ(g_errormsg, c.message) << c.value;
        }
    }
    EXPECT_TRUE(log_text.empty());
}

TEST_F(Contexts, DynamicVariables) {
    const Case cases[] = {
        {"", 1, ""},
        {"<X,1,10>", 1, ""},
        {"< X , 1 , 10 >", 1, ""},
        {"from <X,1,10> and <S,2,3> on", 1, ""},
        {"<X,99999999999999999999,100000000000000000000>", 1, ""},
        {"<X,10,10>", 0, "ERROR : End point (10 ) should exceed start point (10): X  @ 7\n"},
        {"<X,9,08>", 0, "ERROR : End point (08 ) should exceed start point (9): X  @ 7\n"},
        {"<X;1,10>", 0, "ERROR : Invalid dynamic variable ',' expected : <X;1,10>  @ 7\n"},
        {"<X,1;10>", 0, "ERROR : Invalid dynamic variable ',' expected : <X,1;10>  @ 7\n"},
        {"<X,1,10", 0, "ERROR : Invalid dynamic variable '>' expected : <X,1,10  @ 7\n"},
        {"<NOPE,1,10>", 0, "ERROR : Invalid variable (NOPE) used in dynamic variable @ 7\n"},
    };
    for (const Case &c : cases) {
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_dynamicvar("CORE", "PE", c.text), c.valid) << c.text;
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
}

}  // namespace
