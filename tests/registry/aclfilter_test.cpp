// The access-list filter: before a ROUTING, FIREWALL or QOS section exactly
// the stored lists whose usage belongs to that section go, with their entries.
#include <cstring>
#include <string>
#include <vector>

#include "fixture.h"
#include "validations.h"

namespace {

void acl(const char *domain, int sequence, const char *usage) {
    domain_access_list_rec *r = add(prdomainaccesslist);
    set(r->domainname, domain);
    set(r->nodetype, "PE");
    r->sequence = sequence;
    set(r->usage, usage);
    set(r->aclname, usage);
}

void entries(const char *domain, int sequence) {
    domain_acl_list_rec *e = add(prdomainacllist);
    set(e->domainname, domain);
    set(e->nodetype, "PE");
    e->sequence = sequence;
    domain_ext_acl_rec *x = add(prdomainextacl);
    set(x->domainname, domain);
    set(x->nodetype, "PE");
    x->sequence = sequence;
}

void stored_network() {
    acl("D", 1, "route-filter");
    acl("D", 2, "snmp");
    acl("D", 3, "QOS");
    acl("D", 4, "distributelist");
    acl("D", 5, "other");
    for (int seq = 1; seq <= 5; ++seq) entries("D", seq);
    entries("D", 9);  // no access list of its own
}

std::vector<int> acl_sequences() {
    std::vector<int> out;
    for (domain_access_list_rec *r = prdomainaccesslist; r; r = r->next) out.push_back(r->sequence);
    return out;
}
template <class T>
std::vector<int> entry_sequences(T *head) {
    std::vector<int> out;
    for (T *r = head; r; r = r->next) out.push_back(r->sequence);
    return out;
}

void before(const char *section) {
    std::snprintf(g_section.sectionname, sizeof g_section.sectionname, "%s", section);
    filter_accesslists();
}

TEST_F(Registry, FilterBySection) {
    struct Case {
        const char *section;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {"ROUTING", {2, 3, 4, 5}},
        {"FIREWALL", {1, 3, 5}},
        {"QOS", {1, 2, 4, 5}},
        {"TOPOLOGY", {1, 2, 3, 4, 5}},
        {"CUSTOMER", {1, 2, 3, 4, 5}},
    };
    for (const Case &c : cases) {
        releasememory("ALL");
        stored_network();
        before(c.section);
        EXPECT_EQ(acl_sequences(), c.kept) << c.section;
        std::vector<int> kept_entries = c.kept;
        if (std::strcmp(c.section, "TOPOLOGY") == 0 || std::strcmp(c.section, "CUSTOMER") == 0)
            kept_entries.push_back(9);  // untouched lists keep even orphans
        EXPECT_EQ(entry_sequences(prdomainacllist.head), kept_entries) << c.section;
        EXPECT_EQ(entry_sequences(prdomainextacl.head), kept_entries) << c.section;
    }
}

TEST_F(Registry, FilterKeepsWholeRecordsAndMatchesEntriesExactly) {
    acl("D", 2, "snmp");
    domain_access_list_rec *kept = prdomainaccesslist;
    set(kept->context1, "VRF1");
    kept->aclstart = 100;
    entries("D", 2);
    set(prdomainacllist->source, "10.0.0.0");
    entries("d", 2);  // another domain by case
    domain_acl_list_rec *other = add(prdomainacllist);
    set(other->domainname, "D");
    set(other->nodetype, "CE");  // another node type
    other->sequence = 2;

    before("ROUTING");
    ASSERT_NE(prdomainaccesslist.head, nullptr);
    EXPECT_NE(prdomainaccesslist.head, kept);  // a fresh copy
    EXPECT_STREQ(prdomainaccesslist->context1, "VRF1");
    EXPECT_EQ(prdomainaccesslist->aclstart, 100);
    EXPECT_STREQ(prdomainaccesslist->usage, "snmp");
    ASSERT_EQ(entry_sequences(prdomainacllist.head), std::vector<int>{2});
    EXPECT_STREQ(prdomainacllist->source, "10.0.0.0");
    EXPECT_STREQ(prdomainacllist->domainname, "D");
    EXPECT_EQ(entry_sequences(prdomainextacl.head), std::vector<int>{2});

    // The lists go on growing at the tail after the filter.
    acl("D", 6, "vty");
    EXPECT_EQ(acl_sequences(), (std::vector<int>{2, 6}));
    EXPECT_EQ(validate_accesslist("D", "PE", "", "", "", "STRING", "vty", 0, 0), 1);
}

}  // namespace
