// The BGP block in process: what its rows keep in memory only (the
// instance name, the neighbor's address type), the declaration it makes,
// and the member rows that survive a failing entry.
#include <cstring>
#include <string>

#include "bgp.h"
#include "block_test.h"
#include "records_topology.h"

namespace {

class Bgp : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        add_domain("D", {"R"});
        for (const char *name : {"HOSTNAME", "NODEID"}) {
            domain_node_var_rec *v = add(prdomainnodevars);
            v->domainname = "D";
            v->nodetype = "R";
            v->variablename = name;
            v->variabletype = "STRING";
        }
    }
    int bgp(const std::string &text) { return run(parse_bgp, text); }
};

TEST_F(Bgp, RowsKeepTheInstanceNameOfTheirPlaceInTheBlock) {
    ASSERT_EQ(bgp("D . R ASN 7 O BEGIN\n"
                  "  OWNINGCONTEXT = \"BYHOST()\"\n"
                  "  PEER = ( PEER-NAME = G )\n"
                  "  NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.1)\" )\n"
                  "  INSTANCENAME = BLUE\n"
                  "  NEIGHBOR = ( NEIGHBOR = \"EVALIP(10.0.0.2)\" , ADDRTYPE = ipv6 , PEER-GROUP = G )\n"
                  "  PEER-MEMBER # G = ( HOSTNAME = h )\n"
                  "  NETWORK = ( NETWORK = \"EVALIP(10.1.0.0)\" )\n"
                  "  AGGREGATE = ( NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 8 , AS-SET = TRUE )\n"
                  "END\n"),
              0)
        << log();
    EXPECT_EQ(log(), "");
    domain_bgp_info_rec *first = prdomainbgpinfo.head, *second = first->next;
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(first->instancename, "GLOBAL");
    EXPECT_STREQ(first->addrtype, "IPV4");
    EXPECT_STREQ(first->peername, " ");
    EXPECT_STREQ(second->instancename, "BLUE");
    EXPECT_STREQ(second->addrtype, "IPV6");
    EXPECT_EQ(second->sequence, 2);
    EXPECT_STREQ(prdomainbgppeer.head->instancename, "GLOBAL");
    EXPECT_STREQ(prdomainbgppeerrule.head->instancename, "BLUE");
    EXPECT_STREQ(prdomainbgpnetwork.head->instancename, "BLUE");
    EXPECT_STREQ(prdomainbgpaddragrr.head->instancename, "BLUE");
    // The declaration is made at END, with the last instance name.
    domain_protocol_rec *p = prdomainprotocols.head;
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->instancename, "BLUE");
    EXPECT_STREQ(p->ownercontext, "BYHOST()");
    EXPECT_STREQ(p->asn, "7");
}

TEST_F(Bgp, AFailingEntryKeepsTheRowsReadBeforeIt) {
    EXPECT_EQ(bgp("D . R ASN 7 M BEGIN\n"
                  "  PEER = ( PEER-NAME = G )\n"
                  "  PEER-MEMBER # G = ( HOSTNAME = h , NODEID = 1 , NOSUCH = 2 )\n"
                  "END\n"),
              1);
    EXPECT_EQ(log(), "ERROR : Invalid node/domain/connection attribute  : NOSUCH @3 \n<br>");
    ASSERT_NE(prdomainbgppeerrule.head, nullptr);
    EXPECT_STREQ(prdomainbgppeerrule.head->variablename, "HOSTNAME");
    EXPECT_STREQ(prdomainbgppeerrule.head->next->variablevalue, "1");
    EXPECT_EQ(prdomainbgppeerrule.head->next->next, nullptr);
    // The block stopped before END: nothing is declared.
    EXPECT_EQ(prdomainprotocols.head, nullptr);
}

}  // namespace
