// QOSPOLICY and QOS-SERVICE-ENROLLVAR in process with the log captured: the
// customer policy check over lists filled directly, the enrolment variables'
// sequences and duplicates, and the current policy's name, which lasts only
// while its block is read.
#include <cstring>
#include <string>

#include "block_test.h"
#include "policy.h"
#include "policy_blocks.h"
#include "records_customer.h"
#include "records_topology.h"

namespace {

void add_policy(const char *name) {
    auto *p = alloc_record<qos_policy_class_rec>();
    p->domainname = "CORE";
    p->nodetype = "PE";
    p->policyname = name;
    prqospolicydesclist.append(p);
}

cust_conn_type_rec *add_customer_type(const char *name, std::initializer_list<const char *> policies) {
    auto *t = alloc_record<cust_conn_type_rec>();
    t->conntypename = name;
    for (const char *policy : policies) {
        auto *q = alloc_record<cust_conn_qos_policy_rec>();
        q->policyname = policy;
        append_record(t->qospolicylist, q);
    }
    prcustconntypes.append(t);
    return t;
}

// The node type CORE.PE that a QOSPOLICY block names.
void add_node_type() {
    auto *d = alloc_record<domain_rec>();
    d->domainname = "CORE";
    prdomains.append(d);
    auto *n = alloc_record<domain_node_rec>();
    n->domainname = "CORE";
    n->nodetype = "PE";
    prdomainnodes.append(n);
}

const char kDescription[] = " CORE.PE M BEGIN\n DESCRIPTION = ( NAME = P , OWNER = \"CORE\" , QUEUEGROUPNAME = QG , "
                            "DIRECTION = in , USAGE = X , QUEUETYPE = CUSTOM )\n";

}  // namespace

TEST_F(Block, CustomerPolicyCheckStopsAtTheFirstUndefinedName) {
    // No customer types, or types without policies: nothing to check.
    EXPECT_EQ(validate_custpolicies(), 1);
    add_customer_type("PLAIN", {});
    EXPECT_EQ(validate_custpolicies(), 1);
    EXPECT_EQ(log(), "");

    add_policy("GOLD");
    add_policy("SILVER");
    add_customer_type("A", {"SILVER", "GOLD"});
    EXPECT_EQ(validate_custpolicies(), 1);
    // Names are compared exactly; the first miss is the one reported.
    add_customer_type("B", {"GOLD", "Silver", "BRONZE"});
    EXPECT_EQ(validate_custpolicies(), 0);
    EXPECT_EQ(log(), "ERROR: QOS policy 'Silver' referred by a customer type is not defined in QOS section\n<br>");
}

TEST_F(Block, EnrolmentVariablesAreNumberedPerBlockAndUnique) {
    networkid = 7;
    const char *block = "BEGIN\n"
                        " VARIABLE = ( NAME = SPEED , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 64 , "
                        "MAXVALUE = 2048 )\n"
                        " VARIABLE = ( NAME = COS , MODE = VARIABLE-UNASSIGNED , TYPE = STRING , DEFAULTVALUE = \"G\" )\n"
                        " VARIABLE = ( NAME = SITE , MODE = FIXED-ASSIGNED , TYPE = NUMBER , VALUE = 3 )\n"
                        "END\n";
    EXPECT_EQ(run(parse_serviceenrollvar, block), 0) << log();
    EXPECT_EQ(g_error, 0) << log();
    EXPECT_EQ(run(parse_serviceenrollvar,
                  "BEGIN VARIABLE = ( NAME = PORT , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER , OPTIONAL ) END"),
              0)
        << log();
    std::string seen;
    for (service_enroll_var_rec *v = prqosservenrollvar; v; v = v->next)
        seen += std::to_string(v->networkid) + ":" + std::to_string(v->sequence) + ":" + v->variablename.c_str() + ":" +
                v->displayname.c_str() + ":" + v->updatestatus.c_str() + ":" + std::to_string(v->minvalue) + "-" +
                std::to_string(v->maxvalue) + ":" + v->defaultvalue.c_str() + ":" + v->variablevalue.c_str() + ":" +
                std::to_string(v->isoptional) + " ";
    EXPECT_EQ(seen, "7:1:SPEED:SPEED:VARIABLE-UNASSIGNED:64-2048:::0 7:2:COS:COS:VARIABLE-UNASSIGNED:0-0:G::0 "
                    "7:3:SITE:SITE:FIXED-ASSIGNED:0-0::3:0 7:1:PORT:PORT:VARIABLE-UNASSIGNED:0-0:::1 ");

    // A name already read, in this block or an earlier one, stops the block.
    EXPECT_EQ(run(parse_serviceenrollvar,
                  "BEGIN\n VARIABLE = ( NAME = NEW , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                  " VARIABLE = ( NAME = COS , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\nEND\n"),
              1);
    EXPECT_EQ(log(), "Error: duplicate serviceenroll variablename : 'COS' @ 3\n <br>");
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(validate_servenrollvar("NEW"), 0);
    EXPECT_EQ(validate_servenrollvar("new"), 1);
}

TEST_F(Block, ThePolicyNameLastsOnlyWhileItsBlockIsRead) {
    add_node_type();
    auto qospolicy = [&](const std::string &rest) {
        int status = run(parse_qospolicy, kDescription + rest);
        return status;
    };
    EXPECT_EQ(qospolicy(" CLASS # 1 = ( NAME = A )\nEND\n"), 0) << log();
    EXPECT_EQ(g_error, 0) << log();
    EXPECT_STREQ(g_policyname, "");
    ASSERT_TRUE(prqospolicydesclist.head);
    EXPECT_EQ(prqospolicydesclist.head->subqueuelist->sequence, 1);
    EXPECT_EQ(policynumber, 1);

    // Stopped inside a class, and at the end of the file.
    releasememory("QOS");
    EXPECT_EQ(qospolicy(" CLASS # 1 = ( NAME = A , BANDWIDTH = 5 )\nEND\n"), 1);
    EXPECT_STREQ(g_policyname, "");
    releasememory("QOS");
    EXPECT_EQ(qospolicy(" CLASS # 1 = ( NAME = A )\n"), 1);
    EXPECT_EQ(log(), "Error: Invalid attribute name :  @4\n<br>");
    EXPECT_STREQ(g_policyname, "");
    // The policy count numbers the policies of the whole run.
    EXPECT_EQ(policynumber, 3);
}

// Every QoS list, policy and class words an over-long value one way, with
// the value and its line.
TEST_F(Block, OverLongQosValuesAreRefusedWithTheQosText) {
    add_node_type();
    const std::string n31(31, 'N'), n101(101, 'N');
    auto too_long = [](const std::string &value, int line) {
        return "Error: token size exceeds datbase field size :  '" + value + "' @ " + std::to_string(line) + "\n";
    };
    const std::string head = "CORE . PE BEGIN\n";
    expect_refused(parse_qosmatchrules, {{head + "DESCRIPTION = ( NAME = " + n101 + " , USAGE = CLASS )\nEND\n",
                                          too_long(n101, 2)}});
    // The context is no valid one either: flagged first, then refused.
    EXPECT_EQ(run(parse_qosmatchrules, head + "DESCRIPTION = ( NAME = M , USAGE = CLASS , CONTEXT = \"" + n101 +
                                           "\" )\nEND\n"),
              1);
    EXPECT_EQ(log().substr(log().find("<br>") + 4), too_long(n101, 2) + "<br>");
    expect_refused(parse_qosmatchrules, {{head + "DESCRIPTION = ( NAME = M , USAGE = CLASS )\nMATCH # 1 = ( TYPE = \"" +
                                              n31 + "\" , VALUE = \"1\" )\nEND\n",
                                          too_long(n31, 3)}});
    expect_refused(parse_qosmarkrules, {{head + "DESCRIPTION = ( NAME = K , TYPE = \"cos\" , VALUE = \"" + n31 +
                                             "\" )\nEND\n",
                                         too_long(n31, 2)}});
    expect_refused(parse_qosdroprules,
                   {{head + "DESCRIPTION = ( NAME = " + n31 + " , TYPE = RED )\nEND\n", too_long(n31, 2)},
                    {head + "DESCRIPTION = ( NAME = D , TYPE = RED )\nDROPSUBRULE # 1 = ( TYPE = " + n31 + " )\nEND\n",
                     too_long(n31, 3)}});
    expect_refused(parse_qospolicerules, {{head + "DESCRIPTION = ( NAME = " + n101 +
                                               " , BITRATE = 1 , BURSTSIZE = 1 , EXCEEDACTION = drop , "
                                               "CONFIRMACTION = transmit )\nEND\n",
                                           too_long(n101, 2)}});
    expect_refused(parse_qosshaperules,
                   {{head + "DESCRIPTION = ( NAME = S , BITRATE = " + n101 + " )\nEND\n", too_long(n101, 2)}});
    const std::string policy = std::string(kDescription);
    expect_refused(parse_qospolicy,
                   {{" CORE.PE M BEGIN\n DESCRIPTION = ( NAME = " + n101 + " , OWNER = \"CORE\" )\nEND\n",
                     too_long(n101, 2)},
                    // The line after the word's line end, where the message is made.
                    {policy + " MARKRULENAME = " + n101 + "\nEND\n", too_long(n101, 4)},
                    {policy + " DROPTYPE = " + n31 + "\nEND\n", too_long(n31, 4)},
                    {policy + " CLASS # 1 = ( NAME = " + n101 + " )\nEND\n", too_long(n101, 3)}},
                   [] { releasememory("QOS"); });
}
