// Connection lists between nodes, owner specifications, vendor value tables
// and number, EVALEXP and LOOKUP function values.
#include <memory>
#include <string>

#include "records_topology.h"
#include "world.h"

namespace {

using Owners = World;

struct Case {
    const char *text;
    int valid;
    const char *message;
};

TEST_F(Owners, ConnectionListsBetweenNodes) {
    int connlist[kConnListSize];
    EXPECT_EQ(updateconnlist("CORE", "PE", "EDGE", "CE", connlist), 1);
    EXPECT_EQ(connlist[0], 1);
    EXPECT_EQ(connlist[1], 0);
    EXPECT_EQ(updateconnlist("CORE", "PE", "CORE", "P", connlist), 1);
    EXPECT_EQ(connlist[0], 2);
    EXPECT_EQ(updateconnlist("EDGE", "CE", "CORE", "P", connlist), 0);
    EXPECT_EQ(connlist[0], 0);
    // Two connections of the same number: listed once for each pair.
    add(prdomainfixedconn, [](domain_fixed_conn_rec &r) {
        r.connectionno = 1;
        set(r.domainname, "EDGE");
        set(r.nodetype, "CE");
    });
    EXPECT_EQ(updateconnlist("CORE", "PE", "EDGE", "CE", connlist), 2);
    EXPECT_EQ(connlist[0], 1);
    EXPECT_EQ(connlist[1], 1);
    EXPECT_EQ(connlist[2], 0);
}

TEST_F(Owners, ConnectionListsThatWouldOverflowAreRefused) {
    for (int i = 0; i < kConnListSize + 10; ++i)
        add(prdomainfixedconn, [](domain_fixed_conn_rec &r) {
            r.connectionno = 7;
            set(r.domainname, "CORE");
            set(r.nodetype, "P");
        });
    // Exactly the documented room, on the heap so that a write past it shows.
    auto connlist = std::make_unique<int[]>(kConnListSize);
    EXPECT_EQ(updateconnlist("CORE", "P", "CORE", "P", connlist.get()), -1);
    EXPECT_STREQ(g_errormsg, "ERROR : Too many connections between 'CORE.P' and 'CORE.P' @ 7\n");
    EXPECT_EQ(connlist[kConnListSize - 1], 0);
    // The context and owner readers pass the refusal on.
    int kind = 0;
    EXPECT_EQ(validate_context("CORE", "PE", "@CORE.P.@CORE.P.BYHOST()", &kind), 0);
    EXPECT_STREQ(g_errormsg, "ERROR : Too many connections between 'CORE.P' and 'CORE.P' @ 7\n");
    char dom[kName], node[kName];
    EXPECT_EQ(validate_owner("CORE.P@CORE.P", dom, node, connlist.get()), 0);
    EXPECT_STREQ(g_errormsg, "ERROR : Too many connections between 'CORE.P' and 'CORE.P' @ 7\n");
}

TEST_F(Owners, OwnerSpecifications) {
    // A name that overruns its field, inside a text that fits; and one of
    // 299 characters, which makes the whole text too long.
    const std::string longdomain = std::string(290, 'D') + ".PE";
    const std::string longdomainmsg = "ERROR : Invalid domain Name for owner info : " + std::string(290, 'D') + " @ 7\n";
    const std::string longestdomain = std::string(299, 'D') + ".PE";
    const std::string longestdomainmsg = "ERROR : Invalid owner info " + longestdomain + "  @ 7\n";
    std::string joined = "CORE.PE";
    while (joined.size() <= 300) joined += "@CORE.P@CORE.PE";
    const std::string joinedmsg = "ERROR : Invalid owner info " + joined + "  @ 7\n";
    struct OwnerCase {
        const char *text;
        int valid;
        const char *domain, *node;
        int conn;
        const char *message;
    } cases[] = {
        {"", 1, "", "", 0, ""},
        {"CORE", 1, "CORE", "", 0, ""},
        {"CORE.PE", 1, "CORE", "PE", 0, ""},
        {"CORE.PE@EDGE.CE", 1, "EDGE", "CE", 0, ""},
        {"CORE.PE@", 1, "CORE", "PE", 0, ""},
        {"CORE.PE.CONN.PE-CE", 1, "CORE", "PE", 1, ""},
        {"CORE.PE@CORE.P.CONN.LONE", 1, "CORE", "P", 3, ""},
        {"NOPE", 0, "", "", 0, "ERROR : Invalid domain Name for owner info : NOPE @ 7\n"},
        {"CORE.ZZ", 0, "", "", 0, "ERROR : Invalid node type for domain in owner info : CORE/ZZ @ 7\n"},
        {"EDGE.CE@CORE.P", 0, "", "", 0,
         "ERROR: In owner info 'EDGE.CE@CORE.P' , no connection exists between nodetypes 'CE' , 'P'  @ 7\n"},
        {"CORE.PE@CORE", 0, "", "", 0, "ERROR: complete the owner info CORE.PE@CORE @ 7\n"},
        {"CORE.", 0, "", "", 0, "ERROR : Invalid  owner info : CORE. @ 7\n"},
        {"CORE@EDGE", 0, "", "", 0, "ERROR : Invalid owner info CORE@EDGE  @ 7\n"},
        {"CORE.PE.CONN.LONE", 0, "", "", 0, "ERROR : Undefined connection LONE in owner info '@' expected  @7\n"},
        {"CORE.PE.LINK.PE-CE", 0, "", "", 0,
         "ERROR : Invalid character in owner info Connector operator '@' expected L : CORE.PE.LINK.PE-CE @7\n"},
        {"CORE.PE.CONN", 0, "", "", 0, "ERROR: Incomplete parameter: 'CORE.PE.CONN' @ 7\n"},
        {"CORE.PE.CONN.", 0, "", "", 0, "ERROR: Incomplete parameter: 'CORE.PE.CONN.' @ 7\n"},
        {"CORE.PE.", 0, "", "", 0, "ERROR: Incomplete parameter: 'CORE.PE.' @ 7\n"},
        {longdomain.c_str(), 0, "", "", 0, longdomainmsg.c_str()},
        {longestdomain.c_str(), 0, "", "", 0, longestdomainmsg.c_str()},
        {"CORE.PE@CORE.PPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPP", 0, "", "", 0,
         "ERROR : Invalid node type for domain in owner info : CORE/PPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPPP @ 7\n"},
        {joined.c_str(), 0, "", "", 0, joinedmsg.c_str()},
    };
    for (const OwnerCase &c : cases) {
        char dom[kName] = "x", node[kName] = "x";
        int connlist[kConnListSize] = {5, 5};
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_owner(c.text, dom, node, connlist), c.valid) << c.text;
        if (c.valid) {
            EXPECT_STREQ(dom, c.domain) << c.text;
            EXPECT_STREQ(node, c.node) << c.text;
            EXPECT_EQ(connlist[0], c.conn) << c.text;
            if (c.conn) {
                EXPECT_EQ(connlist[1], 0) << c.text;
            }
        } else {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    EXPECT_TRUE(log_text.empty());
}

TEST_F(Owners, VendorValueTables) {
    const vendor_value_entry *table = nullptr;
    EXPECT_EQ(get_vendorspecific_validation("JUNIPER", "qosclassmatchtypes", &table), 0);
    EXPECT_EQ(get_vendorspecific_validation("CISCO", "qosmatchtypes", &table), 0);
    ASSERT_EQ(get_vendorspecific_validation("CISCO", "aclprecedencetypes", &table), 1);
    EXPECT_STREQ(table[6].word, "network");
    EXPECT_EQ(table[7].word, nullptr);

    struct CfgCase {
        const char *table, *word, *value;
        int result;
        const char *message;
    } cases[] = {
        {"qosclassmatchtypes", " any\t", "", 0, ""},
        {"qosclassmatchtypes", " any ", "x", 1, "ERROR: Wrong value 'x', should be empty"},
        {"qosclassmatchtypes", " bogus ", "", 1, "ERROR: Wrong value: ' bogus ' "},
        {"qosclassmatchtypes", "access-group", "ACL1", 0, ""},
        {"qosclassmatchtypes", "access-group name", "NOACL", 2, "WARNING: ACL 'NOACL' not defined "},
        {"qosclassmatchtypes", "class-map", "M1", 0, ""},
        {"qosclassmatchtypes", "class-map", "M9", 1, "ERROR: match rule 'M9' does not exists "},
        {"qosclassmatchtypes", "cos", "<VAR(X)>", 0, ""},
        {"qosclassmatchtypes", "input-interface", "<VAR(X)", 1, "ERROR: '>' expected for expression: '<VAR(X)' @ 7\n"},
        {"qosclassmatchtypes", "ip dscp", "<anything", 0, ""},
        {"qosintpolicematchtypes", "dscp", "12", 0, ""},
        {"qosintpolicematchtypes", "dscp", "abc", 1, "ERROR:  Expression Function name expected:  @ 7\n"},
        {"qosclasspoliceactions", "set-prec-transmit", "EVALEXP(<VAR(X)> / 2)", 0, ""},
        {"routemapsetval", "interface", "<VAR(S)>", 0, ""},
        {"qosdroptypes", "red", "", 1, "ERROR: Wrong value: 'red' "},
    };
    for (const CfgCase &c : cases) {
        ASSERT_EQ(get_vendorspecific_validation("CISCO", c.table, &table), 1) << c.table;
        char message[kMsgSize] = "stale";
        EXPECT_EQ(validatecfgvaltypes(table, c.word, c.value, message, "CORE", "PE", "", "", ""), c.result)
            << c.word << "=" << c.value;
        EXPECT_STREQ(message, c.message) << c.word << "=" << c.value;
    }
    EXPECT_TRUE(log_text.empty());
}

TEST_F(Owners, NumberAndFunctionValues) {
    const std::string longname = std::string(299, 'F') + "(1)";
    const std::string longnamemsg = "ERROR:  Invalid Function name : " + std::string(299, 'F') + " @ 7\n";
    const Case cases[] = {
        {"", 1, ""},
        {"123", 1, ""},
        {"<VAR(X)>", 1, ""},
        {"EVALEXP(<VAR(X)> / 2)", 1, ""},
        {"EVALEXP(42)", 1, ""},
        {"LOOKUP(<VAR(X)>)", 1, ""},
        {"LOOKUP(table <VAR(S)>)", 1, ""},
        {"<VAR(S)>", 0, "ERROR:  Invalid Function name : <VAR @ 7\n"},
        {"1 2", 0, "ERROR:  Expression Function name expected:  @ 7\n"},
        {"(1)", 0, "ERROR:  Expression Function name expected:  @ 7\n"},
        {"MAX(1)", 0, "ERROR:  Invalid Function name : MAX @ 7\n"},
        {longname.c_str(), 0, longnamemsg.c_str()},
        {"LOOKUP((<VAR(X)>)", 0, "ERROR: Syntax error, unmatched paranthesis: 'LOOKUP((<VAR(X)>)' @ 7\n"},
        {"LOOKUP(<VAR(X)>)x", 0, "ERROR: Invalid characted after EVALEXP: 'LOOKUP(<VAR(X)>)x' @ 7\n"},
        {"LOOKUP(<VAR(NOPE)>)", 0, "ERROR : Invalid node/domain/connection attribute  : NOPE @7 \n"},
        {"<VAR(X)", 0, "ERROR: '>' expected for expression: '<VAR(X)' @ 7\n"},
    };
    for (const Case &c : cases) {
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_numberfunction("CORE", "PE", "", "", "", c.text), c.valid) << c.text;
        if (!c.valid) {
            EXPECT_STREQ(g_errormsg, c.message) << c.text;
        }
    }
    EXPECT_TRUE(log_text.empty());  // none of these reaches the evaluator's own messages

    EXPECT_EQ(validate_lookup("CORE", "PE", "", "", "", "LOOK(1)"), 0);
    EXPECT_STREQ(g_errormsg, "ERROR: Invalid lookup function: 'LOOK(1)' @ 7\n");
    EXPECT_EQ(validate_lookup("CORE", "PE", "", "", "", "LOOKUP"), 0);
    EXPECT_STREQ(g_errormsg, "ERROR: Invalid lookup function: 'LOOKUP' @ 7\n");
}

TEST_F(Owners, FailedEvalexpIsLoggedOnceAndNamedByTheFunctionCheck) {
    // The expression check logs its own finding; the function check then
    // leaves the general message for its caller.
    EXPECT_EQ(validate_numberfunction("CORE", "PE", "", "", "", "EVALEXP(a + 1)"), 0);
    EXPECT_EQ(log_text, "Error in eval expression: variables not defined in <>: 'EVALEXP(a + 1)' @ 7\n<br>");
    EXPECT_STREQ(g_errormsg, "ERROR: Invalid expression: 'EVALEXP(a + 1)' @ 7\n");

    // A bracketed variable that the command-value check refuses: its message
    // reaches the log exactly once.
    log_text.clear();
    EXPECT_EQ(validate_evalexp("CORE", "PE", "", "", "", "EVALEXP(<VAR(NOPE)> + 1)"), 0);
    EXPECT_EQ(log_text, "ERROR : Invalid node/domain/connection attribute  : NOPE @7 \n<br>");
    log_text.clear();
    EXPECT_EQ(validate_evalexp("CORE", "PE", "", "", "", "EVALEXP(<VAR(S)> + 1)"), 0);
    EXPECT_EQ(log_text,
              "ERROR: One of variable in expression is not of type 'NUMBER': '(<VAR(S)> + 1)' @ 7\n<br>");
    log_text.clear();
    EXPECT_EQ(validate_evalexp("CORE", "PE", "BYCONN(PE-CE)", "", "", "EVALEXP(<VAR(VLAN)> * 2)"), 1);
    EXPECT_TRUE(log_text.empty());
}

}  // namespace
