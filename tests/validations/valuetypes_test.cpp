// Type codes, dotted addresses over variables, interface references, IP
// function arguments and address-function expressions.
#include <memory>
#include <string>

#include "records_topology.h"
#include "world.h"

namespace {

using Values = World;

struct Case {
    const char *text;
    int valid;
    const char *message;  // what g_errormsg holds after a refusal
};

const int kConn1[] = {1, 0};
const int kNoConn[] = {0};

TEST_F(Values, TypeNamesAndStaticLists) {
    int code = -1;
    EXPECT_EQ(getdatatypes("RANGE", &code), 1);
    EXPECT_EQ(code, 12);
    EXPECT_EQ(getdatatypes("number", &code), 0);  // names are upper case
    EXPECT_EQ(code, 0);

    struct {
        const char *list;
        int in, out;
    } lists[] = {{"NL", 17, 12}, {"WL", 17, 17}, {"NOLIST", 17, 12}, {"WL", 11, 11}};
    for (auto &l : lists) {
        code = l.in;
        EXPECT_EQ(check_listtype(l.list, &code), 1);
        EXPECT_EQ(code, l.out) << l.list;
    }
    int kind = 0, scope = 0;
    EXPECT_EQ(validate_func(Functions, "LOCALIP", &kind, &scope), 1);
    EXPECT_EQ(kind * 10 + scope, 11);
    EXPECT_EQ(validate_func(Functions, "AGGRBYPOOL", &kind, &scope), 1);
    EXPECT_EQ(kind * 10 + scope, 12);
    EXPECT_EQ(validate_func(Functions, "localip", &kind, &scope), 0);
}

TEST_F(Values, AddressesWithVariables) {
    struct AddrCase {
        const char *text;
        const int *conns;
        int valid;
        const char *message;
    } cases[] = {
        {"10.0.0.1", kNoConn, 1, ""},
        {"10.0.X+1.1", kNoConn, 1, ""},
        {"10.0.X/2.1", kNoConn, 1, ""},  // a slash reads as a plus
        {"10.0.4/2.1", kNoConn, 1, ""},
        {"10.0.VLAN.1", kConn1, 1, ""},
        {"10.0.NL.1", kNoConn, 1, ""},  // a list of numbers is a NUMBER
        {"10.0.S.1", kNoConn, 0, "ERROR: variable 'S' is not of type 'NUMBER': @ 7\n"},
        {"10.0.WL.1", kNoConn, 0, "ERROR: variable 'WL' is not of type 'NUMBER': @ 7\n"},
        {"10.0.DESCR.1", kConn1, 0, "ERROR: variable 'DESCR' is not of type 'NUMBER': @ 7\n"},
        {"10.0.VLAN.1", kNoConn, 0, "ERROR: variable  'VLAN' is not defined in the context:  @ 7\n"},
        {"300.0.0.1", kNoConn, 0, "IPaddress octet has value > 255 @ 7\n"},
        {"10.0.0256.1", kNoConn, 0, "IPaddress octet has value > 255 @ 7\n"},
        {"10.0.1", kNoConn, 0, "ERROR: Invalid ip address format. Number of octets neq 4  : 10.0.1 @7\n"},
        {"1.2.3.4.5", kNoConn, 0, "ERROR: Invalid ip address format. Number of octets neq 4  : 1.2.3.4.5 @7\n"},
        {"", kNoConn, 0, "ERROR: Invalid format for ipaddress :  @7\n"},
        {".1.2.3", kNoConn, 0, "ERROR: Invalid format for ipaddress : .1.2.3 @7\n"},
        {"10.0.X+.1", kNoConn, 0, "ERROR: Invalid format for ipaddress : 10.0.X+.1 @7\n"},
    };
    for (const AddrCase &c : cases) {
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_ipaddr("CORE", "PE", c.text, c.conns), c.valid) << c.text;
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    // The inverted sense of the scratch-list form, whose count ends at 0.
    value_table names[kAddrVarNames];
    int count = 0;
    EXPECT_EQ(validate_ipaddress("CORE", "PE", kNoConn, "10.X.X+1.1", names, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_STREQ(names[0], "X");
    EXPECT_EQ(validate_ipaddress("CORE", "PE", kNoConn, "10.S.0.1", names, &count), 1);
    EXPECT_TRUE(log_text.empty());  // checks never log
}

TEST_F(Values, AddressVariablesBeyondTheScratchListAreRefused) {
    std::string octet[2];
    for (int i = 0; i <= kAddrVarNames; ++i) {
        std::string name = "V" + std::to_string(i);
        add(prdomainnodevars, [&](domain_node_var_rec &r) {
            set(r.domainname, "CORE");
            set(r.nodetype, "PE");
            set(r.variablename, name.c_str());
            set(r.variabletype, "NUMBER");
        });
        std::string &o = octet[i % 2];
        o += (o.empty() ? "" : "+") + name;
    }
    std::string address = octet[0] + "." + octet[1] + ".0.1";
    // Exactly the documented room, on the heap so that a write past it shows.
    auto names = std::make_unique<value_table[]>(kAddrVarNames);
    int count = 0;
    EXPECT_EQ(validate_ipaddress("CORE", "PE", kNoConn, address.c_str(), names.get(), &count), 1);
    EXPECT_EQ(count, kAddrVarNames);
    EXPECT_EQ(std::string(g_errormsg).rfind("ERROR: Too many variables in ipaddress : V0+", 0), 0u);
}

TEST_F(Values, InterfaceReferences) {
    const Case cases[] = {
        {"", 1, ""},
        {"RP", 1, ""},
        {"MAPAGENT", 1, ""},
        {"INTERFACE.Gi0", 1, ""},
        {"CONN.PE-CE", 1, ""},
        {"CONN.PE-CE.LOOPBACKN", 1, ""},
        {"RP.x", 0, "ERROR. Invalid specfication for interface : RP.x @7\n"},
        {"INTERFACE", 0, "ERROR. Invalid specfication for interface : INTERFACE @7\n"},
        {"INTERFACE.a.b", 0, "ERROR. Invalid specfication for interface : INTERFACE.a.b @7\n"},
        {"CONN", 0, "ERROR. Invalid specfication for interface : CONN @7\n"},
        {"CONN.PE-CE.X", 0, "ERROR. Invalid specfication for interface : CONN.PE-CE.X @7\n"},
        {"CONN.LONE", 0, "ERROR. Invalid connection name in interface function : LONE  @7\n"},
        {"LOOPBACK.0", 0, "ERROR. Invalid specfication for interface : LOOPBACK.0 @7\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(validate_int("CORE", "PE", c.text, "INT", kNoConn), c.valid) << c.text;
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
}

TEST_F(Values, IpFunctionArguments) {
    const std::string longpool = "CONNECTIONPOOL.LOOPBACK" + std::string(290, 'Z');
    const std::string longpoolmsg = "ERROR: Invalid connection pool: '" + longpool.substr(15) + "' @ 7\n";
    const Case cases[] = {
        {"CONN.PE-CE", 1, ""},
        {"CONN.PE-CE.LOOPBACKN", 1, ""},
        {"CONN", 0, "ERROR :Invalid specification of CONN attribute : CONN @7\n"},
        {"CONN.PE-CE.X", 0, "ERROR :Invalid specification of CONN attribute : CONN.PE-CE.X @7\n"},
        {"CONN.LONE", 0,
         "ERROR: Invalid connectionname specified for domain (CORE) nodetype (PE) with CONN attribute :LONE "
         "@7\n"},
        {"INTERFACE.any.thing", 1, ""},
        {"INTSERVICE.DNS", 1, ""},
        {"INTSERVICE.ALL", 1, ""},
        {"INTSERVICE", 0, "ERROR: Invalid specification of INTSERVICE attribute (ALL/service name expected) @7\n"},
        {"INTSERVICE.FTP", 0, "ERROR: Invalid specfication for service name : FTP @7\n"},
        {"NAT.STATIC", 1, ""},
        {"ALLPRIVATE.ALL", 1, ""},
        {"NAT", 0, "ERROR: Invalid specfication nat/local/private (ALL/STATIC/DYNAMIC/PAT is expected) @7\n"},
        {"LOCAL.FOO", 0, "ERROR: Invalid specfication nat/local/private (ALL/STATIC/DYNAMIC/PAT is expected) @7\n"},
        {"ALLLOCAL.ALL.X", 0, "ERROR: Invalid specfication nat/local/private : X @7\n"},
        {"CONNECTIONPOOL.PE-CE.INSTV", 1, ""},
        {"CONNECTIONPOOL.LOOPBACK0.LBV", 1, ""},  // joined as CORE:PE:LOOPBACK0
        {"CONNECTIONPOOL.POOL1.PV", 1, ""},       // the pool's end point PE-P
        {"CONNECTIONPOOL", 0, "ERROR. Invalid format for connection pool (Connection Name expected) @7\n"},
        {"CONNECTIONPOOL.NOPOOL", 0, "ERROR: Invalid connection pool: 'NOPOOL' @ 7\n"},
        {"CONNECTIONPOOL.PE-CE.BAD", 0, "ERROR: Invalid connection pool variable : BAD @7\n"},
        {longpool.c_str(), 0, longpoolmsg.c_str()},
        {"COMMPOOL.VPN", 1, ""},
        {"SUBSCOMMPOOL.ALL.SRV-ANY.HOST-HOST.HOSTA.PAT", 1, ""},
        {"COMMPOOL.ALL.ALL.ALL.ALL.ALL.x.POOLVAR", 1, ""},
        {"COMMPOOL.XYZ", 0, "ERROR: Invalid format for community pool (servicetype) expected) : 'COMMPOOL.XYZ' @7\n"},
        {"COMMPOOL.ALL.BAD", 0, "ERROR: Invalid community pool communication type: BAD @7\n"},
        {"COMMPOOL.ALL.ALL.BAD", 0, "ERROR: Invalid community pool subs type : BAD @7\n"},
        {"GLOBALPOOL.ALL.ALL.ALL.HOSTB", 0, "ERROR: Invalid community pool host type : HOSTB @7\n"},
        {"COMMPOOL.ALL.ALL.ALL.HOSTA.BAD", 0, "ERROR: Invalid community pool NATTYPE : BAD @7\n"},
        {"COMMPOOL.ALL.ALL.ALL.ALL.ALL.x.NOVAR", 0, "ERROR: Invalid community pool variable : NOVAR @7\n"},
        {"NAMEDCOMMPOOL.a.COMM.x.y.POOLVAR", 1, ""},
        {"NAMEDCOMMPOOL.a", 1, ""},
        {"NAMEDCOMMPOOL.a..x", 0, "ERROR: Invalid NAMEDCOMMPOOL attribute, communityname expected:  @ 7\n"},
        {"NAMEDCOMMPOOL.a.COMM.x.y.NOVAR", 0, "ERROR: Invalid community pool variable : NOVAR @7\n"},
        {"LOCALSERVER.a.b.c", 1, ""},
        {"REGREMOTECLIENT.a.b.c.d", 0,
         "ERROR: Invalid syntax for arguments (application.priority) expected: 'REGREMOTECLIENT.a.b.c.d' @ 7\n"},
        {"EXTSERVER.a.b", 1, ""},
        {"SERVER.a.b.c", 0, "ERROR: Invalid syntax for service. Arguments  expected: 'SERVER.a.b.c' @ 7\n"},
        {"SUBSCOMM.N", 1, ""},
        {"SUBSCOMM", 0, "ERROR: Invalid specification for SUBSCOMM function (SUBSCOMM.NAME) expected: SUBSCOMM  @7\n"},
        {"SNMPROSTRING.a.b", 1, ""},
        {"SNMPRWSTRING.a", 0,
         "ERROR: Invalid specification for 'SNMPRWSTRING' function (SUBSCOMM.NAME.roletype) expected: "
         "SNMPRWSTRING.a  @7\n"},
        {"RP", 1, ""},
        {"BSR.x", 0, "ERROR: Invalid specification for IP function: x  @7\n"},
        {"GROUPID", 1, ""},
        {"GROUPID.y", 0, "ERROR: Invalid specification for 'GROUPID' function: y  @7\n"},
        {"BOGUS", 0, "ERROR: Invalid specification for ip address function : BOGUS  @7\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(validate_ip("CORE", "PE", c.text, "IP", kNoConn), c.valid) << c.text;
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    // Empty arguments stand only inside a connection context.
    EXPECT_EQ(validate_ip("CORE", "PE", "", "IP", kConn1), 1);
    EXPECT_EQ(validate_ip("CORE", "PE", "", "IP", kNoConn), 0);
    EXPECT_STREQ(g_errormsg,
                 "ERROR: Function should have valid parameter if remote connection context is not set: 'IP' @ 7\n");
}

TEST_F(Values, AddressFunctionExpressions) {
    const std::string longdomain = "@" + std::string(299, 'D') + ".CE.IP()";
    const std::string longdomainmsg = "ERROR : Invalid domainname specified : " + std::string(299, 'D') + " @7 \n";
    const std::string longname = std::string(299, 'F') + "(x)";
    const std::string longnamemsg = "ERROR:  Invalid Function name : " + std::string(299, 'F') + " @ 7\n";
    struct ExprCase {
        const char *text;
        int valid, kind, type;
        const char *message;
    } cases[] = {
        {"LOCALIP(CONN.PE-CE)", 1, 1, 0, ""},
        {"  IP( CONN.PE-CE )  ", 1, 1, 0, ""},
        {"LOCALINT(CONN.PE-CE.LOOPBACKN)", 1, 2, 0, ""},
        {"VAR(X)", 1, 3, 12, ""},
        {"LOCALVAR(S)", 1, 3, 11, ""},
        {"EVALIP(10.0.X.1)", 1, 1, 0, ""},
        {"EVALIP(10.0.S.1)", 0, 1, 0, "ERROR: variable 'S' is not of type 'NUMBER': @ 7\n"},
        {"@EDGE.CE.LOCALIP(CONN.PE-P)", 1, 1, 0, ""},  // LOCAL functions stay on the local node
        {"@EDGE.CE.IP(CONN.PE-CE)", 1, 1, 0, ""},
        {"@EDGE.CE.IP()", 1, 1, 0, ""},  // the prefix gives a connection
        {"$EDGE.CE.IP(CONN.PE-CE)", 1, 1, 0, ""},
        {"@EDGE.CE.IP(CONN.PE-P)", 0, 1, 0,
         "ERROR: Invalid connectionname specified for domain (EDGE) nodetype (CE) with CONN attribute :PE-P @7\n"},
        {"@CORE.P.@EDGE.CE.IP()", 0, 0, 0,
         "ERROR: Wrong context specified, No connection exists in the context:  @CORE.P.@EDGE.CE.IP() @ 7\n"},
        {"@EDGE.CE.$CORE.P.IP()", 0, 0, 0, "ERROR: Function name expected: @EDGE.CE.$CORE.P.IP() @ 7\n"},
        {"@EDGE", 0, 0, 0, "ERROR:  '.' expected after : @EDGE @7\n"},
        {"@NOPE.CE.IP()", 0, 0, 0, "ERROR : Invalid domainname specified : NOPE @7 \n"},
        {"@EDGE.ZZ.IP()", 0, 0, 0, "ERROR : Invalid domainname/nodetype specified : EDGE,ZZ @7 \n"},
        {"@EDGE.CE.", 0, 0, 0, "ERROR : function name expected : @EDGE.CE. @7 \n"},
        {"", 0, 0, 0, "ERROR : function name expected :  @7 \n"},
        {"LOCALIP", 0, 0, 0, "ERROR : Function name expected : LOCALIP @ 7\n"},
        {"LOCALIP(CONN.PE-CE", 0, 1, 0, "ERROR : ')' expected @ 7\n"},
        {"FOO(x)", 0, 0, 0, "ERROR:  Invalid Function name : FOO @ 7\n"},
        {longdomain.c_str(), 0, 0, 0, longdomainmsg.c_str()},
        {longname.c_str(), 0, 0, 0, longnamemsg.c_str()},
    };
    for (const ExprCase &c : cases) {
        char rdom[kName] = "", rnode[kName] = "";
        int connlist[kConnListSize] = {0};
        int kind = 0, type = -1;
        g_errormsg[0] = '\0';
        int got = parse_ipaddrandvars("CORE", "PE", rdom, rnode, c.text, &kind, connlist, &type);
        EXPECT_EQ(got, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(kind, c.kind) << c.text;
            EXPECT_EQ(type, c.type) << c.text;
        } else {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    // A prefix hands its node and connections back.
    char rdom[kName] = "", rnode[kName] = "";
    int connlist[kConnListSize] = {0};
    int kind = 0, type = 0;
    ASSERT_EQ(parse_ipaddrandvars("CORE", "PE", rdom, rnode, "@EDGE.CE.IP()", &kind, connlist, &type), 1);
    EXPECT_STREQ(rdom, "EDGE");
    EXPECT_STREQ(rnode, "CE");
    EXPECT_EQ(connlist[0], 1);
    EXPECT_EQ(connlist[1], 0);
    // A given remote context is where scope-2 functions are checked.
    ASSERT_EQ(parse_ipaddrandvars("CORE", "PE", rdom, rnode, "IP(CONN.PE-CE)", &kind, connlist, &type), 1);
    EXPECT_EQ(parse_ipaddrandvars("CORE", "PE", rdom, rnode, "IP(CONN.PE-P)", &kind, connlist, &type), 0);
}

}  // namespace
