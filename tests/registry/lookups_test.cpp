// Registry lookups by family: found, not found, case, which entry wins, the
// duplicate tests' inverted answers, and the index kept in step with its list.
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "fixture.h"
#include "lookup.h"
#include "validations.h"

namespace {

domain_node_rec *node(const char *domain, const char *type, const char *device, int maxnode) {
    domain_node_rec *r = add(prdomainnodes);
    set(r->domainname, domain);
    set(r->nodetype, type);
    set(r->devicetype, device);
    r->maxnode = maxnode;
    return r;
}

domain_conn_type_rec *conntype(int no, const char *name) {
    domain_conn_type_rec *r = add(prdomainconntypes);
    r->connectionno = no;
    set(r->connectionname, name);
    return r;
}

void fixedconn(int no, const char *domain, const char *type) {
    domain_fixed_conn_rec *r = add(prdomainfixedconn);
    r->connectionno = no;
    set(r->domainname, domain);
    set(r->nodetype, type);
}

TEST_F(Registry, NamesMatchWholeAndWithCase) {
    EXPECT_EQ(validate_domain("CORE"), 0);  // empty list
    set(add(prdomains)->domainname, "CORE");
    set(add(prdomains)->domainname, "EDGE");
    EXPECT_EQ(validate_domain("CORE"), 1);
    EXPECT_EQ(validate_domain("EDGE"), 1);
    EXPECT_EQ(validate_domain("core"), 0);
    EXPECT_EQ(validate_domain("COR"), 0);
    EXPECT_EQ(validate_domain("CORES"), 0);
    EXPECT_EQ(validate_domain(""), 0);

    service_type_rec *s = add(prservicetypes);
    set(s->servicetype, "VPN");
    set(s->hosttype, "PE");
    EXPECT_EQ(validate_servicetype("VPN", "PE"), 1);
    EXPECT_EQ(validate_servicetype("VPN", "CE"), 0);
    EXPECT_EQ(validate_hosttype("PE"), 1);
    EXPECT_EQ(validate_hosttype("VPN"), 0);

    list_value_rec *l = add(prlistvalues);
    set(l->listname, "SPEEDS");
    set(l->elementvalue, "64");
    EXPECT_EQ(validate_listvalues("SPEEDS"), 1);
    EXPECT_EQ(validate_listelements("SPEEDS", "64"), 1);
    EXPECT_EQ(validate_listelements("SPEEDS", "128"), 0);
    EXPECT_EQ(validate_listelements("speeds", "64"), 0);

    EXPECT_EQ(validate_domainsnmpcommunity("public"), 0);
}

TEST_F(Registry, TwoFieldKeysDoNotRunTogether) {
    // "AB"+"C" and "A"+"BC" are different keys.
    service_type_rec *s = add(prservicetypes);
    set(s->servicetype, "AB");
    set(s->hosttype, "C");
    EXPECT_EQ(validate_servicetype("A", "BC"), 0);
    EXPECT_EQ(validate_servicetype("AB", "C"), 1);
}

TEST_F(Registry, DuplicateTestsAnswerOneForNew) {
    com_pool_type_rec cand{};
    set(cand.servicetype, "VPN");
    set(cand.hosttype, "PE");
    set(cand.communicationtype, "P2P");
    EXPECT_EQ(validate_pooltypemapentry(&cand), 1);
    *add(prpooltypemap) = cand;
    prpooltypemap->next = nullptr;
    EXPECT_EQ(validate_pooltypemapentry(&cand), 0);
    set(cand.communicationtype, "MP");
    EXPECT_EQ(validate_pooltypemapentry(&cand), 1);

    aps_member_rec aps{};
    set(aps.domainname, "D");
    set(aps.nodetype, "N");
    aps.connectionno = 3;
    EXPECT_EQ(validata_APS(&aps), 1);
    aps_member_rec *stored = add(prconnapsdatalist);
    set(stored->domainname, "D");
    set(stored->nodetype, "N");
    stored->connectionno = 3;
    EXPECT_EQ(validata_APS(&aps), 0);
    aps.connectionno = 4;
    EXPECT_EQ(validata_APS(&aps), 1);
}

TEST_F(Registry, PoolClassMapRoles) {
    EXPECT_EQ(validate_poolclassmap("DSL", "HUB", "PE", "NONE", 0), 1);
    pool_class_mapping_rec *m = add(prpoolclassmap);
    set(m->conntypename, "DSL");
    set(m->roletype, "HUB");
    set(m->hosttype, "PE");
    set(m->nattype, "NONE");
    EXPECT_EQ(validate_poolclassmap("DSL", "HUB", "PE", "NONE", 0), 0);
    EXPECT_EQ(validate_poolclassmap("DSL", "SPOKE", "PE", "NONE", 0), 1);
    // All roles at once collide with a mapping of any role.
    EXPECT_EQ(validate_poolclassmap("DSL", "SPOKE", "PE", "NONE", 1), 0);
    EXPECT_EQ(validate_poolclassmap("DSL", "SPOKE", "PE", "STATIC", 1), 1);
    // A mapping made for all roles collides with every role.
    m->enrollforall = 1;
    EXPECT_EQ(validate_poolclassmap("DSL", "SPOKE", "PE", "NONE", 0), 0);
}

TEST_F(Registry, OutArgumentsOnlyOnSuccess) {
    char device[kName] = "untouched";
    EXPECT_EQ(validate_node("D", "PE", device), 0);
    EXPECT_STREQ(device, "untouched");
    node("D", "PE", "ROUTER-A", 4);
    node("D", "PE", "ROUTER-B", 9);  // the first entry wins
    EXPECT_EQ(validate_node("D", "PE", device), 1);
    EXPECT_STREQ(device, "ROUTER-A");

    // A device type wider than the caller's 31 bytes is cut, not overrun.
    node("D", "CE", std::string(200, 'X').c_str(), 1);
    node("D", "P", "", 1);
    char small[kName];
    EXPECT_EQ(validate_node("D", "CE", small), 1);
    EXPECT_EQ(std::strlen(small), 30u);
    EXPECT_EQ(validate_node("D", "PE", device), 1);
    EXPECT_STREQ(device, "ROUTER-A");

    address_assign_rec *a = add(praddressassign);
    a->namedpointtype = 3;
    set(a->poolname, "LAN");
    set(a->namedendpoint, "HSRP1");
    char endpoint[kText] = "";
    EXPECT_EQ(validate_domainconnpools("LAN", endpoint), 0);  // type 3 does not count
    a = add(praddressassign);
    a->namedpointtype = 1;
    set(a->poolname, "LAN");
    set(a->namedendpoint, "UPLINK");
    EXPECT_EQ(validate_domainconnpools("LAN", endpoint), 1);
    EXPECT_STREQ(endpoint, "UPLINK");

    cust_conn_node_rec *entry = nullptr;
    EXPECT_EQ(validate_customernode("VPN", "DSL", "CE", &entry), 0);
    EXPECT_EQ(entry, nullptr);
    cust_conn_node_rec *cn = add(prcustconnnodes);
    set(cn->servicetype, "VPN");
    set(cn->conntypename, "DSL");
    set(cn->nodetype, "CE");
    EXPECT_EQ(validate_customernode("VPN", "DSL", "CE", &entry), 1);
    EXPECT_EQ(entry, cn);
}

TEST_F(Registry, ConnectionNamesAndNumbers) {
    EXPECT_EQ(getconnidfromname("UPLINK"), 0);
    EXPECT_EQ(getconnnamefromid(1), nullptr);
    conntype(1, "UPLINK");
    conntype(2, "BACKUP");
    conntype(3, "UPLINK");  // the first declaration wins
    conntype(4, "SPARE");
    EXPECT_EQ(getconnidfromname("UPLINK"), 1);
    EXPECT_EQ(getconnidfromname("BACKUP"), 2);
    EXPECT_STREQ(getconnnamefromid(3), "UPLINK");
    EXPECT_STREQ(getconnnamefromid(4), "SPARE");
    EXPECT_EQ(getconnnamefromid(5), nullptr);
    EXPECT_EQ(validate_domainconntypes("BACKUP"), 1);
    EXPECT_EQ(validate_domainconntypes("backup"), 0);

    domain_int_type_rec *it = add(prdomaininttypes);
    it->connectionno = 2;
    set(it->interfacetype, "SERIAL");
    set(it->encapsulationtype, "PPP");
    EXPECT_EQ(validate_domaininttypes(2, "SERIAL", "PPP"), 1);
    EXPECT_EQ(validate_domaininttypes(1, "SERIAL", "PPP"), 0);

    domain_connection_rec *dc = add(prdomainconnections);
    set(dc->domainname1, "A");
    set(dc->domainname2, "B");
    set(dc->conntype, "UPLINK");
    EXPECT_EQ(validate_domainconnections("A", "B", "UPLINK"), 1);
    EXPECT_EQ(validate_domainconnections("B", "A", "UPLINK"), 0);
}

TEST_F(Registry, NodeConnectionInstance) {
    int no = 99;
    g_errormsg[0] = '\0';
    Line = 12;
    EXPECT_EQ(validate_nodeconninst("D", "PE", "UPLINK", 1, 0, &no), 0);
    EXPECT_EQ(no, 0);
    EXPECT_STREQ(g_errormsg, "Invalid connection name :  UPLINK @12\n");
    conntype(5, "UPLINK");
    node("D", "PE", "R", 2);
    EXPECT_EQ(validate_nodeconninst("D", "PE", "UPLINK", 2, 0, &no), 1);
    EXPECT_EQ(no, 5);
    EXPECT_EQ(validate_nodeconninst("D", "PE", "UPLINK", 3, 0, &no), 0);
    EXPECT_EQ(no, 5);
    EXPECT_STREQ(g_errormsg, "Invalid node instance value : 3 @ 12\n");
    EXPECT_EQ(log_text, "");  // left for the caller to log
}

TEST_F(Registry, NodeConnections) {
    Line = 7;
    EXPECT_EQ(validate_nodeconnections("D", "PE", 1, 0, "PPP", "SERIAL", "UPLINK"), 0);
    EXPECT_EQ(log_text, "ERROR: Invalid connection name : UPLINK @7\n<br>");
    conntype(5, "UPLINK");
    log_text.clear();
    EXPECT_EQ(validate_nodeconnections("D", "PE", 1, 0, "PPP", "SERIAL", "UPLINK"), 0);
    EXPECT_EQ(log_text,
              "ERROR: Invalid encapsulation/interface type for connection UPLINK : SERIAL PPP "
              "@7\n<br>");
    domain_int_type_rec *it = add(prdomaininttypes);
    it->connectionno = 5;
    set(it->interfacetype, "SERIAL");
    set(it->encapsulationtype, "PPP");
    log_text.clear();
    // No domain: the types fitting the connection is enough.
    EXPECT_EQ(validate_nodeconnections("", "PE", 1, 0, "PPP", "SERIAL", "UPLINK"), 1);
    EXPECT_EQ(validate_nodeconnections("D", "PE", 1, 0, "PPP", "SERIAL", "UPLINK"), 0);
    fixedconn(5, "D", "PE");
    EXPECT_EQ(validate_nodeconnections("D", "", 1, 0, "PPP", "SERIAL", "UPLINK"), 1);
    EXPECT_EQ(validate_nodeconnections("D", "PE", 1, 0, "PPP", "SERIAL", "UPLINK"), 0);  // no node
    node("D", "PE", "R", 2);
    EXPECT_EQ(validate_nodeconnections("D", "PE", 2, 0, "PPP", "SERIAL", "UPLINK"), 1);
    EXPECT_EQ(validate_nodeconnections("D", "PE", 3, 0, "PPP", "SERIAL", "UPLINK"), 0);
    EXPECT_EQ(log_text, "");
}

TEST_F(Registry, LogicalInterfaceOrdinal) {
    int count = 0;
    EXPECT_EQ(check_logint("D", "PE", "R", "0", &count), 0);  // unknown node
    node("D", "PE", "R", 1);
    EXPECT_EQ(check_logint("D", "PE", "R", "X1", &count), 0);
    EXPECT_EQ(check_logint("D", "PE", "R", "NN", &count), 0);
    EXPECT_EQ(check_logint("D", "PE", "R", "N", &count), 1);
    EXPECT_EQ(count, 1);
    for (int i = 0; i < 2; ++i) {
        domain_node_log_int_rec *li = add(prdomainnodelogint);
        set(li->domainname, "D");
        set(li->nodetype, "PE");
        set(li->devicetype, "R");
        set(li->inttype, "LOOPBACK");
        set(li->intno, "0");
    }
    EXPECT_EQ(check_logint("D", "PE", "R", "0", &count), 1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(validate_logint("D", "PE", "R", "LOOPBACK", "0"), 1);
    EXPECT_EQ(validate_logint("D", "PE", "R", "TUNNEL", "0"), 0);
}

TEST_F(Registry, SystemLists) {
    system_list_rec *sl = add(pr_systemlist);
    set(sl->listname, "VENDORS");
    for (const char *v : {"ALPHA", "BETA"}) {
        system_list_elem_rec *e = alloc_record<system_list_elem_rec>();
        set(e->displayname, v);
        append_record(sl->elemlist, e);
    }
    system_list_rec *entry = nullptr;
    EXPECT_EQ(validate_systemlist("VENDORS", &entry), 1);
    EXPECT_EQ(entry, sl);
    EXPECT_EQ(systemlist_varfound(sl, "BETA"), 1);
    EXPECT_EQ(systemlist_varfound(sl, "GAMMA"), 0);

    const value_table values[] = {"ALPHA", "GAMMA", "BETA"};
    int index = -1;
    EXPECT_EQ(validate_systemlistentries("VENDORS", values, 1, &index), 1);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(validate_systemlistentries("VENDORS", values, 0, &index), 1);
    EXPECT_EQ(validate_systemlistentries("VENDORS", values, 3, &index), 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(validate_systemlistentries("OTHER", values, 0, &index), 0);
    EXPECT_EQ(index, -1);
}

TEST_F(Registry, RoutePolicyLists) {
    domain_map_class_rec *mc = add(prdomainmapclass);
    set(mc->domainname, "D");
    set(mc->nodetype, "PE");
    set(mc->mapclassname, "GOLD");
    set(mc->context2, "VRF1");
    EXPECT_EQ(validate_domainmapclass("D", "PE", "", "VRF1", "X", "GOLD"), 1);
    EXPECT_EQ(validate_domainmapclass("D", "PE", "VRF1", "X", "X", "GOLD"), 0);  // wrong place

    domain_route_map_rec *rm = add(prdomainroutemap);
    set(rm->domainname, "D");
    set(rm->nodetype, "PE");
    set(rm->routemap, "RM-IN");
    rm->sequence = 10;
    EXPECT_EQ(validate_routemap("D", "PE", "a", "b", "c", "RM-IN"), 1);
    EXPECT_EQ(validate_routemapseq("D", "PE", "RM-IN", 10), 1);
    EXPECT_EQ(validate_routemapseq("D", "PE", "RM-IN", 20), 0);
    route_map_match_list_rec *m = add(prroutemapmatchlist);
    set(m->domainname, "D");
    set(m->nodetype, "PE");
    set(m->routemap, "RM-IN");
    m->sequence = 10;
    m->matchsequence = 2;
    EXPECT_EQ(validate_routemapmatchlist("D", "PE", "RM-IN", 10, 2), 1);
    EXPECT_EQ(validate_routemapmatchlist("D", "PE", "RM-IN", 10, 3), 0);
    EXPECT_EQ(validate_routemapsetlist("D", "PE", "RM-IN", 10, 2), 0);
}

TEST_F(Registry, AccessListNameTypesAndWarning) {
    domain_access_list_rec *acl = add(prdomainaccesslist);
    set(acl->domainname, "D");
    set(acl->nodetype, "PE");
    set(acl->aclname, "MGMT");
    acl->aclstart = 100;
    Line = 40;
    EXPECT_EQ(validate_accesslist("D", "PE", "", "", "", "STRING", "MGMT", 0, 0), 1);
    EXPECT_EQ(validate_accesslist("D", "PE", "", "", "", "SEQUENCE", "MGMT", 7, 0), 0);
    EXPECT_EQ(validate_accesslist("D", "PE", "", "", "", "SEQUENCE", "", 100, 0), 1);
    EXPECT_EQ(validate_accesslist("D", "PE", "", "", "", "OTHER", "MGMT", 100, 0), 0);
    EXPECT_EQ(log_text, "");
    // A context with a SEQUENCE name warns, matched or not, unless quiet.
    const char *warning =
        "WARNING: Possible duplicate acl sequence. Usage of context could result in multiple "
        "acls of the same sequence 7 for : D/PE @40\n<br>";
    EXPECT_EQ(validate_accesslist("D", "PE", "VRF1", "", "", "SEQUENCE", "", 7, 0), 0);
    EXPECT_EQ(log_text, warning);
    log_text.clear();
    EXPECT_EQ(validate_accesslist("D", "PE", "VRF1", "", "", "SEQUENCE", "", 7, 1), 0);
    EXPECT_EQ(validate_accesslist("D", "PE", "VRF1", "", "", "STRING", "MGMT", 7, 0), 1);
    EXPECT_EQ(log_text, "");
}

// The index answers as the walk would after every way a list changes.
TEST_F(Registry, IndexFollowsItsList) {
    set(add(prdomains)->domainname, "A");
    EXPECT_EQ(validate_domain("A"), 1);  // the index attaches here
    domain_rec *b = add(prdomains);
    EXPECT_EQ(validate_domain("B"), 0);
    set(b->domainname, "B");  // the last record is filled after its append
    EXPECT_EQ(validate_domain("B"), 1);
    set(add(prdomains)->domainname, "C");
    EXPECT_EQ(validate_domain("B"), 1);

    // Released behind the index's back, then filled anew.
    releasememory("TOPOLOGY");
    EXPECT_EQ(validate_domain("A"), 0);
    set(add(prdomains)->domainname, "X");
    set(add(prdomains)->domainname, "Y");
    EXPECT_EQ(validate_domain("A"), 0);
    EXPECT_EQ(validate_domain("X"), 1);
    EXPECT_EQ(validate_domain("Y"), 1);

    // A list built elsewhere and handed over.
    domain_rec *built = alloc_record<domain_rec>();
    ASSERT_NE(built, nullptr);
    set(built->domainname, "Z");
    releasememory("TOPOLOGY");
    prdomains = built;
    EXPECT_EQ(validate_domain("Z"), 1);
    EXPECT_EQ(validate_domain("X"), 0);

    // A key changed after indexing: the walk decides.
    set(add(prdomains)->domainname, "W");
    set(built->domainname, "V");
    EXPECT_EQ(validate_domain("Z"), 0);
    EXPECT_EQ(validate_domain("W"), 1);

    // The last answer is not kept for a key its record no longer has, nor
    // given for another key its record has come to hold.
    EXPECT_EQ(validate_domain("W"), 1);
    set(prdomains.tail->domainname, "U");
    EXPECT_EQ(validate_domain("W"), 0);
    EXPECT_EQ(validate_domain("U"), 1);

    // Lookups taking turns over more keys than the index remembers answers
    // for; a remembered record that leaves its key is not given for it.
    for (const char *name : {"K1", "K2", "K3", "K4", "K5"}) set(add(prdomains)->domainname, name);
    domain_rec *k3 = prdomains.head;
    while (std::strcmp(k3->domainname, "K3") != 0) k3 = k3->next;
    for (int round = 0; round < 3; ++round)
        for (const char *name : {"K1", "K2", "K3", "K4", "K5", "K6"})
            EXPECT_EQ(validate_domain(name), std::strcmp(name, "K6") != 0 ? 1 : 0) << name;
    set(k3->domainname, "K0");
    EXPECT_EQ(validate_domain("K3"), 0);  // not answered from memory
}

}  // namespace

namespace {

// Access lists of one node type are visited in list order whatever the
// other node types hold, and the groups follow the list as it changes.
TEST_F(Registry, GroupIndexVisitsTheNodeTypesOwnRecordsInOrder) {
    using R = domain_access_list_rec;
    auto acl = [](const char *domain, const char *type, const char *name, int start) {
        R *r = add(prdomainaccesslist);
        set(r->domainname, domain);
        set(r->nodetype, type);
        set(r->aclname, name);
        r->aclstart = start;
        return r;
    };
    auto byname = [](const char *domain, const char *type, const char *name) {
        return validate_accesslist(domain, type, "", "", "", "STRING", name, 0, 1);
    };
    auto bystart = [](const char *domain, const char *type, int start) {
        return validate_accesslist(domain, type, "", "", "", "SEQUENCE", "", start, 1);
    };
    acl("D", "PE", "A", 10);
    EXPECT_EQ(byname("D", "PE", "A"), 1);  // the index attaches here
    acl("D", "CE", "B", 20);
    R *pending = acl("D", "PE", "", 0);  // the last record is filled after its append
    EXPECT_EQ(byname("D", "PE", "C"), 0);
    set(pending->aclname, "C");
    pending->aclstart = 30;
    EXPECT_EQ(byname("D", "PE", "C"), 1);
    EXPECT_EQ(bystart("D", "PE", 30), 1);
    EXPECT_EQ(bystart("D", "PE", 20), 0);  // another node type's
    EXPECT_EQ(bystart("D", "CE", 20), 1);
    acl("E", "PE", "A", 10);
    EXPECT_EQ(byname("E", "PE", "A"), 1);
    EXPECT_EQ(byname("E", "CE", "A"), 0);

    // Released and filled anew: the old groups are gone.
    releasememory("ALL");
    EXPECT_EQ(byname("D", "PE", "A"), 0);
    acl("D", "PE", "N", 1);
    acl("X", "Y", "Z", 2);
    EXPECT_EQ(byname("D", "PE", "N"), 1);
    EXPECT_EQ(byname("D", "PE", "A"), 0);

    // A key changed after indexing (against the lists' contract) is not
    // taken for its old group: the walk decides.
    set(prdomainaccesslist->nodetype, "CE");
    EXPECT_EQ(byname("D", "PE", "N"), 0);
}

}  // namespace

namespace {

// The tallies answer what the walks they replace answer: the count of the
// records with a key, and the highest number among them, as the list grows,
// while its last record is filled, and once it is released.
TEST_F(Registry, TalliesAnswerAsTheWalk) {
    record_list<domain_node_rec> nodes;
    lookup::tally_index<domain_node_rec, lookup::highest<&domain_node_rec::maxnode>, &domain_node_rec::domainname,
                        &domain_node_rec::nodetype>
        top(nodes);
    lookup::tally_index<domain_node_rec, lookup::counted, &domain_node_rec::domainname> counted(nodes);
    auto walk_top = [&](const char *d, const char *t) {
        int32_t best = 0;
        for (domain_node_rec *r = nodes; r; r = r->next)
            if (!std::strcmp(r->domainname, d) && !std::strcmp(r->nodetype, t) && r->maxnode > best) best = r->maxnode;
        return best;
    };
    auto walk_count = [&](const char *d) {
        int32_t n = 0;
        for (domain_node_rec *r = nodes; r; r = r->next) n += !std::strcmp(r->domainname, d);
        return n;
    };
    auto both_agree = [&] {
        for (const char *d : {"A", "B", "C"}) {
            EXPECT_EQ(counted.get(d), walk_count(d)) << d;
            for (const char *t : {"PE", "CE"}) EXPECT_EQ(top.get(d, t), walk_top(d, t)) << d << "." << t;
        }
    };
    both_agree();  // an empty list
    int32_t sizes[] = {5, 9, 2, 7, -1, 40};
    for (int i = 0; i < 6; ++i) {
        domain_node_rec *r = alloc_record<domain_node_rec>();
        nodes.append(r);
        both_agree();  // appended, not filled yet
        set(r->domainname, i % 3 ? "A" : "B");
        set(r->nodetype, i % 2 ? "PE" : "CE");
        r->maxnode = sizes[i];
        both_agree();
    }
    domain_node_rec *kept = nodes.head;
    nodes.clear();
    both_agree();
    nodes = kept;  // handed over again
    both_agree();
    lookup::resync_indexes();
    both_agree();
    for (domain_node_rec *r = kept; r;) {
        domain_node_rec *next = r->next;
        free_record(r);
        r = next;
    }
    nodes.clear();
}

// The lowest free number answers what trying 1, 2, 3 ... against the list
// answers: past gaps, per key, while the last record is filled, and anew
// once the list is emptied or handed over.
TEST_F(Registry, LowestFreeNumberAnswersAsTheSearch) {
    using R = hsrp_member_rec;
    record_list<R> members;
    lookup::lowest_free<R, &R::subsequenceno, &R::connectionno, &R::sequenceno> free_number(members);
    auto search = [&](int32_t conn, int32_t group) {
        int32_t n = 1;
        for (bool taken = true; taken; n += taken) {
            taken = false;
            for (R *r = members; r; r = r->next)
                taken = taken || (r->connectionno == conn && r->sequenceno == group && r->subsequenceno == n);
        }
        return n;
    };
    auto both_agree = [&] {
        for (int32_t conn : {1, 2})
            for (int32_t group : {1, 2}) EXPECT_EQ(free_number.get(conn, group), search(conn, group)) << conn << "#" << group;
    };
    both_agree();  // an empty list
    // Stored numbers with gaps and out of order, then numbers taken as
    // they come.
    int32_t numbers[][3] = {{1, 1, 2}, {1, 1, 5}, {1, 1, 1}, {2, 1, 1}, {1, 2, 3}, {1, 1, 3}, {1, 1, 4}, {1, 1, 7}};
    for (auto &n : numbers) {
        R *r = alloc_record<R>();
        members.append(r);
        both_agree();  // appended, not filled yet
        r->connectionno = n[0];
        r->sequenceno = n[1];
        r->subsequenceno = n[2];
        both_agree();
    }
    EXPECT_EQ(free_number.get(1, 1), 6);
    R *kept = members.head;
    members.clear();
    both_agree();
    members = kept;  // handed over again
    both_agree();
    for (R *r = kept; r;) {
        R *next = r->next;
        free_record(r);
        r = next;
    }
    members.clear();
}

// An index of sub-lists finds the first entry of its owner's own list, takes
// in entries linked without it (as the reader links them) and a replaced
// head, and starts over when the owners' list does.
TEST_F(Registry, SubListIndexAnswersAsTheWalk) {
    auto list = [](const char *name) {
        system_list_rec *l = add(pr_systemlist);
        set(l->listname, name);
        return l;
    };
    auto value = [](const char *display) {
        system_list_elem_rec *e = alloc_record<system_list_elem_rec>();
        set(e->displayname, display);
        return e;
    };
    system_list_rec *a = list("A");
    system_list_rec *b = list("B");
    append_record(a->elemlist, value("1"));
    EXPECT_EQ(systemlist_varfound(a, "1"), 1);  // the index attaches here
    EXPECT_EQ(systemlist_varfound(b, "1"), 0);
    append_record(a->elemlist, value("2"));
    append_record(b->elemlist, value("1"));
    EXPECT_EQ(systemlist_varfound(a, "2"), 1);
    EXPECT_EQ(systemlist_varfound(b, "1"), 1);
    EXPECT_EQ(systemlist_varfound(b, "2"), 0);
    // Linked behind the list's back, then appended to.
    a->elemlist.tail->next = value("3");
    EXPECT_EQ(systemlist_varfound(a, "3"), 1);
    append_record(a->elemlist, value("4"));
    EXPECT_EQ(systemlist_varfound(a, "4"), 1);
    int n = 0;
    for (system_list_elem_rec *e = a->elemlist; e; e = e->next) ++n;
    EXPECT_EQ(n, 4);
    // A new head: the old entries are no longer the list's.
    system_list_elem_rec *old = a->elemlist;
    a->elemlist = value("9");
    EXPECT_EQ(systemlist_varfound(a, "1"), 0);
    EXPECT_EQ(systemlist_varfound(a, "9"), 1);
    while (old) {
        system_list_elem_rec *next = old->next;
        free_record(old);
        old = next;
    }
    releasememory("ALL");
    system_list_rec *c = list("C");
    EXPECT_EQ(systemlist_varfound(c, "9"), 0);
}

// A key part that is a function of the record: a list is a list of numbers
// unless one of its elements, however late, is none.
TEST_F(Registry, ListTypeFollowsEveryElement) {
    auto element = [](const char *list, const char *value) {
        list_value_rec *r = add(prlistvalues);
        set(r->listname, list);
        set(r->elementvalue, value);
    };
    auto type_of = [](const char *list) {
        int code = 17;
        check_listtype(list, &code);
        return code;
    };
    element("L", "1");
    EXPECT_EQ(type_of("L"), 12);
    element("M", "x");
    element("L", "2");
    EXPECT_EQ(type_of("L"), 12);
    EXPECT_EQ(type_of("M"), 17);
    element("L", "two");
    EXPECT_EQ(type_of("L"), 17);
    EXPECT_EQ(type_of("N"), 12);
}

// Keys that differ a little (numbers one apart under one name, numbered
// names) get hashes of their own: a shared hash sends every lookup of
// either key through a walk of the whole list.
TEST(KeyHash, NearKeysDoNotShareAHash) {
    std::unordered_set<size_t> seen;
    size_t keys = 0;
    char name[16];
    for (int32_t n = 0; n < 50000; ++n) {
        std::snprintf(name, sizeof name, "D%d", n);
        for (size_t h : {lookup::key_hash(n, "VLAN"), lookup::key_hash(name, "PE"), lookup::key_hash(n, n % 3, 2),
                         lookup::key_hash(name)}) {
            seen.insert(h);
            ++keys;
        }
    }
    EXPECT_EQ(seen.size(), keys);
}

// The flat table behind the indexes: values that share a hash (0 too) are
// all found, and nothing is lost as the table grows.
TEST(HashSlots, SharedHashesAndGrowthKeepEveryValue) {
    lookup::hash_slots<int> slots;
    EXPECT_EQ(slots.find_if(7, [](int) { return true; }), nullptr);
    for (int v = 0; v < 1000; ++v) slots.insert(static_cast<size_t>(v % 10), v);  // ten hashes, 0 among them
    for (int v = 0; v < 1000; ++v) {
        int *found = slots.find_if(static_cast<size_t>(v % 10), [&](int x) { return x == v; });
        ASSERT_NE(found, nullptr) << v;
        EXPECT_EQ(*found, v);
    }
    EXPECT_EQ(slots.find_if(1, [](int x) { return x == 2; }), nullptr);  // another hash's value
    EXPECT_EQ(slots.find_if(11, [](int) { return true; }), nullptr);
    slots.insert(size_t{1} << 40, -1);  // above the table's size: its low bits place it
    EXPECT_NE(slots.find_if(size_t{1} << 40, [](int x) { return x == -1; }), nullptr);
    slots.clear();
    EXPECT_EQ(slots.find_if(0, [](int) { return true; }), nullptr);
    slots.insert(0, 5);
    EXPECT_EQ(*slots.find_if(0, [](int) { return true; }), 5);
    slots.clear();
    slots.clear();
    EXPECT_EQ(slots.find_if(0, [](int) { return true; }), nullptr);

    // A large table, filled, emptied and filled again.
    lookup::hash_slots<int> big;
    for (int v = 0; v < 200000; ++v) big.insert(static_cast<size_t>(v) * 7919, v);
    EXPECT_EQ(*big.find_if(size_t{199999} * 7919, [](int x) { return x == 199999; }), 199999);
    big.clear();
    EXPECT_EQ(big.find_if(size_t{5} * 7919, [](int) { return true; }), nullptr);
    big.insert(3, 3);
    EXPECT_EQ(*big.find_if(3, [](int) { return true; }), 3);
}

}  // namespace
