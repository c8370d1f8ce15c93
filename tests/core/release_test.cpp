// Releasing the record lists by group: heads end empty and nothing leaks
// (the sanitizer build checks leaks), sub-lists included.
#include <gtest/gtest.h>

#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"

namespace {

template <class List>
auto add(List &head) {
    using T = std::remove_pointer_t<decltype(&*head)>;
    T *rec = alloc_record<T>();
    append_record(head, rec);
    return rec;
}

template <class T, class S>
void add_with_sub(record_list<T> &head, S T::*sub, int n) {
    T *rec = add(head);
    for (int i = 0; i < n; ++i) add(rec->*sub);
}

void fill_every_group() {
    add(prnetwork);
    add(prdomains);
    add(prdomains);
    add(prgloballistvars);
    add_with_sub(pr_systemlist, &system_list_rec::elemlist, 3);
    add_with_sub(prcustconntypes, &cust_conn_type_rec::qospolicylist, 2);
    add_with_sub(prcustconnnodes, &cust_conn_node_rec::loopbacklist, 2);
    add(prpoolclassmap);
    add(prdomainprotocols);
    add(prdomainroutemap);
    add(prvrfdescription);
    add(prdomainqueues);
    add(prdomaincustsubq);
    add_with_sub(prmatchruledesclist, &qos_match_rule_class_rec::elemlist, 2);
    add_with_sub(prpoliceruledesclist, &qos_police_rule_class_rec::actionlist, 2);
    add_with_sub(prdropruledesclist, &qos_drop_rule_class_rec::elemlist, 1);
    add_with_sub(prqospolicydesclist, &qos_policy_class_rec::subqueuelist, 3);
    add(prqosservenrollvar);
    add(prdomainaccesslist);
    add(prdomainacllist);
    add(prdomainextacl);
}

bool topology_empty() { return !prnetwork && !prdomains && !prgloballistvars && !pr_systemlist; }
bool customer_empty() { return !prcustconntypes && !prcustconnnodes && !prpoolclassmap; }
bool routing_empty() { return !prdomainprotocols && !prdomainroutemap && !prvrfdescription; }
bool firewall_empty() { return !prdomainqueues && !prdomaincustsubq; }
bool qos_empty() {
    return !prmatchruledesclist && !prpoliceruledesclist && !prdropruledesclist && !prqospolicydesclist &&
           !prqosservenrollvar;
}
bool access_empty() { return !prdomainaccesslist && !prdomainacllist && !prdomainextacl; }

TEST(ReleaseMemory, RecordsStartEmptyAndKeepOrder) {
    tail_list<domain_rec> head{};
    domain_rec *a = add(head);
    domain_rec *b = add(head);
    EXPECT_EQ(head, a);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(a->domainname[0], '\0');
    EXPECT_EQ(a->networkid, 0);
    prdomains = head;
    releasememory("TOPOLOGY");
    EXPECT_EQ(prdomains, nullptr);
}

TEST(ReleaseMemory, GroupsReleaseOnlyTheirLists) {
    fill_every_group();
    releasememory("firewall");  // names compare exactly
    EXPECT_FALSE(firewall_empty());

    releasememory("FIREWALL");
    EXPECT_TRUE(firewall_empty());
    EXPECT_FALSE(access_empty());  // access lists are a group of their own
    EXPECT_FALSE(qos_empty());

    releasememory("CUSTOMER");
    EXPECT_TRUE(customer_empty());
    EXPECT_FALSE(topology_empty());

    releasememory("ROUTING");
    EXPECT_TRUE(routing_empty());
    releasememory("QOS");
    EXPECT_TRUE(qos_empty());
    releasememory("TOPOLOGY");
    EXPECT_TRUE(topology_empty());
    releasememory("ACCESSLIST");
    EXPECT_TRUE(access_empty());
    releasememory("ROUTING");  // already empty: nothing happens
    EXPECT_TRUE(routing_empty());
}

TEST(ReleaseMemory, AllReleasesEverythingWithSubLists) {
    fill_every_group();
    releasememory("ALL");
    EXPECT_TRUE(topology_empty() && customer_empty() && routing_empty() && firewall_empty() &&
                qos_empty() && access_empty());
}

// A list's tail survives appends, taking a list built elsewhere, and release:
// a list released and filled again starts from its new first record.
TEST(RecordList, KeepsOrderAcrossAssignAndRelease) {
    auto names = [] {
        std::string s;
        for (domain_rec *r = prdomains; r; r = r->next) s += r->domainname;
        return s;
    };
    auto named = [](const char *n) {
        domain_rec *r = alloc_record<domain_rec>();
        r->domainname = n;
        return r;
    };
    tail_list<domain_rec> local{};  // as a reader builds its list
    append_record(local, named("a"));
    append_record(local, named("b"));
    prdomains = local;
    append_record(prdomains, named("c"));
    EXPECT_EQ(names(), "abc");
    releasememory("TOPOLOGY");
    EXPECT_EQ(prdomains.tail, nullptr);
    append_record(prdomains, named("d"));
    append_record(prdomains, named("e"));
    EXPECT_EQ(names(), "de");
    releasememory("ALL");
}

}  // namespace
