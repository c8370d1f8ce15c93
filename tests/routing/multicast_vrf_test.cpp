// The VRF block in process: no table stores its rows, so its lists are read
// here; and what a multicast sub-block leaves behind when its block fails.
#include <cstring>
#include <string>

#include "block_test.h"
#include "records_routing.h"
#include "records_topology.h"
#include "routing_blocks.h"

namespace {

class MulticastBlock : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        add_domain("D", {"PE"});
    }
};

TEST_F(MulticastBlock, EntriesAreNumberedAndFollowTheirVrf) {
    ASSERT_EQ(run(parse_vrf,
                  "D . PE BEGIN\n"
                  "DESCRIPTION = ( VRFGROUPNAME = blue , CONTEXT = \"BYHOST()\" , CONTEXT = \"IFHOST()\" ,"
                  " VRFGROUPNAME = green )\n"
                  "VRF = ( VRFCLASS = GOLD , VRFNAME = \"gold vrf\" , SHARED = true , SHARED = FALSE , NODEUNIQUE = True ,"
                  " RDSCHEME = AUTO , RDPREFIX = \"65000\" , POOLCLASS = RD , OWNER = \"D\" )\n"
                  "MEMBERFILTER = ( VARIABLENAME = SITE , VARIABLEVALUE = \"Porto\" )\n"
                  "ROUTETARGET = ( TYPE = both , POLICY = \"P\" , REPEATBY = \"BYHOST()\" )\n"
                  "ROUTETARGET = ( TYPE = import , )\n"
                  "VRF = ( )\n"
                  "ROUTETARGET = ( TYPE = export )\n"
                  "MEMBERFILTER = ( )\n"
                  "END\n"),
              0)
        << log();
    EXPECT_EQ(log(), "");
    const vrf_description_rec *d = prvrfdescription.head;
    ASSERT_EQ(count(d), 1);
    EXPECT_STREQ(d->vrfgroupname, "GREEN");  // upper-cased, the last value counts
    EXPECT_STREQ(d->domainname, "D");
    EXPECT_STREQ(d->nodetype, "PE");
    EXPECT_STREQ(d->context1, "BYHOST()");
    EXPECT_STREQ(d->context2, "IFHOST()");
    EXPECT_STREQ(d->context3, "");

    const vrf_class_rec *gold = prvrfclass.head;
    ASSERT_EQ(count(gold), 2);
    const vrf_class_rec *second = gold->next;
    EXPECT_STREQ(gold->vrfclass, "GOLD");
    EXPECT_STREQ(gold->vrfname, "gold vrf");
    EXPECT_EQ(gold->vrfno, 1);
    EXPECT_EQ(gold->shared, 1);  // a later value never clears a TRUE
    EXPECT_EQ(gold->nodeunique, 1);
    EXPECT_STREQ(gold->rdscheme, "AUTO");
    EXPECT_STREQ(gold->rdprefix, "65000");
    EXPECT_STREQ(gold->poolclass, "RD");
    EXPECT_STREQ(gold->owner, "D");
    EXPECT_EQ(second->vrfno, 2);
    EXPECT_STREQ(second->vrfclass, "");

    const vrf_member_filter_rec *f = prvrfmemberfilter.head;
    ASSERT_EQ(count(f), 2);
    EXPECT_STREQ(f->variablename, "SITE");
    EXPECT_STREQ(f->variablevalue, "Porto");
    EXPECT_STREQ(f->vrfclass, "GOLD");
    EXPECT_STREQ(f->next->vrfclass, "");

    const vrf_route_target_rec *t = prvrfroutetarget.head;
    ASSERT_EQ(count(t), 3);
    EXPECT_EQ(t->sequence, 1);
    EXPECT_STREQ(t->type, "both");
    EXPECT_STREQ(t->policy, "P");
    EXPECT_STREQ(t->repeatby, "BYHOST()");
    EXPECT_STREQ(t->vrfclass, "GOLD");
    EXPECT_EQ(t->next->sequence, 2);
    EXPECT_EQ(t->next->next->sequence, 1);  // numbered again after the second VRF
    EXPECT_STREQ(t->next->next->vrfclass, "");

    // An empty block adds nothing; nothing is ever declared.
    ASSERT_EQ(run(parse_vrf, "D . PE BEGIN END"), 0);
    EXPECT_EQ(count(prvrfclass.head), 2);
    EXPECT_EQ(prdomainprotocols.head, nullptr);
    // The VRF lists go with the routing lists.
    releasememory("ROUTING");
    EXPECT_EQ(prvrfdescription.head, nullptr);
    EXPECT_EQ(prvrfclass.head, nullptr);
    EXPECT_EQ(prvrfmemberfilter.head, nullptr);
    EXPECT_EQ(prvrfroutetarget.head, nullptr);
}

// The TRUE keys take any value, and TRUE in any case: AUTO-RP and
// DEFAULTPEER are set or cleared by their value, SHARED and NODEUNIQUE set
// by TRUE, which a later value of the entry never clears.
TEST_F(MulticastBlock, TrueKeysTakeAnyValue) {
    struct {
        const char *value;
        int latest, sticky;
    } cases[] = {{"TRUE", 1, 1},  {"true", 1, 1},    {"True", 1, 1},        {"yes", 0, 0},
                 {"FALSE", 0, 0}, {"TRUEX", 0, 0}, {"\"tRuE\"", 1, 1}, {"\"\"", 0, 0}};
    for (const auto &c : cases) {
        const std::string v = c.value;
        ASSERT_EQ(run(parse_pim, "D . PE M BEGIN RPACCEPT = ( AUTO-RP = " + v + " ) END"), 0) << log();
        EXPECT_EQ(log(), "") << v;
        ASSERT_NE(prpimacceptrp.head, nullptr);
        EXPECT_EQ(prpimacceptrp.tail->autorp, c.latest) << v;
        ASSERT_EQ(run(parse_vrf, "D . PE BEGIN DESCRIPTION = ( ) VRF = ( SHARED = " + v + " , NODEUNIQUE = " + v + " ) END"), 0)
            << log();
        EXPECT_EQ(log(), "") << v;
        EXPECT_EQ(prvrfclass.tail->shared, c.sticky) << v;
        EXPECT_EQ(prvrfclass.tail->nodeunique, c.sticky) << v;
        releasememory("ROUTING");
    }
    ASSERT_EQ(run(parse_vrf, "D . PE BEGIN DESCRIPTION = ( ) VRF = ( SHARED = TRUE , SHARED = no ) END"), 0) << log();
    EXPECT_EQ(prvrfclass.tail->shared, 1);
}

TEST_F(MulticastBlock, EntriesReadBeforeAFailureStay) {
    EXPECT_EQ(run(parse_vrf,
                  "D . PE BEGIN DESCRIPTION = ( ) VRF = ( VRFCLASS = A ) ROUTETARGET = ( TYPE = x )"
                  " VRF = ( VRFCLASS = A VRFNAME = B ) END"),
              1);
    EXPECT_EQ(log(), "Error:',' or ')' expected : VRFNAME @ 1\n<br>");
    EXPECT_EQ(count(prvrfdescription.head), 1);
    EXPECT_EQ(count(prvrfclass.head), 1);
    EXPECT_EQ(count(prvrfroutetarget.head), 1);
}

TEST_F(MulticastBlock, AFourthContextIsDroppedAndTheSubBlockStillStored) {
    EXPECT_EQ(run(parse_pim, "D . PE M BEGIN MEMBER = ( INTERFACE = \"INT(INTERFACE.A)\" , CONTEXT = \"BYHOST()\" ,"
                             " CONTEXT = \"IFHOST()\" , CONTEXT = \"BYRP()\" , CONTEXT = \"BYBSR()\" ) END"),
              0);
    EXPECT_EQ(log(), "ERROR: Maximum of three contexts can be given: @ 1\n<br>");
    EXPECT_EQ(g_error, 1);
    const pim_member_class_rec *m = prpimmember.head;
    ASSERT_EQ(count(m), 1);
    EXPECT_STREQ(m->context3, "BYRP()");
    // A later failure in the block keeps the rows already read.
    EXPECT_EQ(run(parse_igmp, "D . PE M BEGIN MEMBER = ( INTERFACE = \"INT(INTERFACE.A)\" ) MEMBER = ( ACL = x ) END"),
              1);
    EXPECT_EQ(count(prigmpmember.head), 1);
    EXPECT_EQ(prigmpmember.head->sequence, 1);
}

}  // namespace
