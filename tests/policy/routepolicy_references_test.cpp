// The route-policy reference checks over record lists built in place: the
// existence tests with their context matching, and the two sweeps with one
// message per missing object.
#include <cstdio>
#include <cstring>
#include <string>

#include "block_test.h"
#include "policy.h"
#include "policy_blocks.h"
#include "records_policy.h"
#include "records_routing.h"

namespace {

template <size_t N>
void put(text_field<N> &field, const char *text) {
    field = text;
}

std::string text() {
    std::string s = log_text;
    for (size_t at; (at = s.find("<br>")) != std::string::npos;) s.erase(at, 4);
    return s;
}

class References : public Block {
protected:
    static void routemap(const char *node, const char *name, const char *c1 = "", const char *c2 = "",
                         const char *repeatby = "") {
        domain_route_map_rec *r = alloc_record<domain_route_map_rec>();
        put(r->domainname, "D");
        put(r->nodetype, node);
        put(r->routemap, name);
        put(r->context1, c1);
        put(r->context2, c2);
        put(r->repeatby, repeatby);
        append_record(prdomainroutemap, r);
    }
    static void prefixlist(const char *name, const char *c1 = "") {
        domain_prefix_hdr_rec *r = alloc_record<domain_prefix_hdr_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->listname, name);
        put(r->context1, c1);
        append_record(prdomainprefixhdr, r);
    }
    static void filterlist(const char *start, const char *type) {
        domain_filter_list_rec *r = alloc_record<domain_filter_list_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->aclseqstart, start);
        put(r->filtertype, type);
        append_record(prdomainfilterlist, r);
    }
    static void acl(const char *name, int start, const char *usage = "route-filter", const char *owner = "D") {
        domain_access_list_rec *r = alloc_record<domain_access_list_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->aclname, name);
        r->aclstart = start;
        put(r->usage, usage);
        put(r->owner, owner);
        append_record(prdomainaccesslist, r);
    }
    static void match(const char *map, const char *type, const char *value) {
        route_map_match_list_rec *r = alloc_record<route_map_match_list_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->routemap, map);
        put(r->matchtype, type);
        put(r->matchvalue, value);
        append_record(prroutemapmatchlist, r);
    }
    static domain_bgp_info_rec *neighbor(const char *c1 = "") {
        domain_bgp_info_rec *r = alloc_record<domain_bgp_info_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->context1, c1);
        append_record(prdomainbgpinfo, r);
        return r;
    }
    static domain_dist_list_rec *distribute(const char *name, int listtype) {
        domain_dist_list_rec *r = alloc_record<domain_dist_list_rec>();
        put(r->domainname, "D");
        put(r->nodetype, "PE");
        put(r->acl, name);
        r->listtype = listtype;
        append_record(prdomaindistlist, r);
        return r;
    }
    static std::string missing(const char *what, const char *label, const char *name, const char *node = "PE") {
        return std::string("WARNING: ") + what + " not defined :\nDomainname:  D\nNodeType:  " + node + "\n" + label +
               ": " + name + "\n";
    }
    // Runs a sweep with the log captured.
    template <class Sweep>
    std::string sweep(Sweep s, int expected) {
        log_text.clear();
        g_error = 0;
        EXPECT_EQ(s(), expected);
        EXPECT_EQ(g_error, 0);  // findings never fail the run
        return text();
    }
};

TEST_F(References, ContextMatchingStrictOnlyForVariableNames) {
    routemap("PE", "RM-<LOCALVAR(HOSTNAME)>", "BYHOST()");
    routemap("PE", "PLAIN", "BYHOST()");
    routemap("PE", "SECOND", "BYHOST()", "BYNODE()");
    // A variable name matches under the same first context only...
    EXPECT_EQ(validate_routemapexists("D", "PE", "BYHOST()", "", "", "RM-<LOCALVAR(HOSTNAME)>", 0), 1);
    EXPECT_EQ(validate_routemapexists("D", "PE", "", "", "", "RM-<LOCALVAR(HOSTNAME)>", 0), 0);
    // ...unless the caller is loose; "<" with nothing after it is no variable.
    EXPECT_EQ(validate_routemapexists("D", "PE", "", "", "", "RM-<LOCALVAR(HOSTNAME)>", 1), 1);
    EXPECT_EQ(validate_routemapexists("D", "PE", "X", "", "", "PLAIN", 0), 1);
    // The same non-empty second context matches; an empty one never does.
    routemap("PE", "V<A>", "C1", "C2");
    EXPECT_EQ(validate_routemapexists("D", "PE", "other", "C2", "", "V<A>", 0), 1);
    EXPECT_EQ(validate_routemapexists("D", "PE", "other", "", "", "V<A>", 0), 0);
    EXPECT_EQ(validate_routemapexists("D", "CE", "", "", "", "PLAIN", 1), 0);

    prefixlist("PL-<LOCALVAR(HOSTNAME)>", "BYHOST()");
    EXPECT_EQ(validate_prefixlistexists("D", "PE", "BYHOST()", "", "", "PL-<LOCALVAR(HOSTNAME)>", 0), 1);
    EXPECT_EQ(validate_prefixlistexists("D", "PE", "", "", "", "PL-<LOCALVAR(HOSTNAME)>", 0), 0);

    filterlist("10", "COMMUNITY");
    EXPECT_EQ(validate_filterlistexists("D", "PE", "10", "COMMUNITY"), 1);
    EXPECT_EQ(validate_filterlistexists("D", "PE", "10", "ASN"), 0);

    // The first route map of the name gives its contexts.
    char c1[kText] = "x", c2[kText] = "x", c3[kText] = "x", rb[kText] = "x";
    EXPECT_EQ(get_routemapcontext("D", "PE", "SECOND", c1, c2, c3, rb), 1);
    EXPECT_STREQ(c1, "BYHOST()");
    EXPECT_STREQ(c2, "BYNODE()");
    EXPECT_STREQ(rb, "");
    std::strcpy(c1, "kept");
    EXPECT_EQ(get_routemapcontext("D", "PE", "NONE", c1, c2, c3, rb), 0);
    EXPECT_STREQ(c1, "kept");
}

TEST_F(References, AccessListsByNameStartOrPolicy) {
    acl("A", 0);
    acl(" ", 110);
    acl("POL-ACL", 0, "QOSPOLICY", "GOLD");
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "A", 0), 1);
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "110", 0), 1);
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "111", 0), 0);
    // A QoS policy's own list is found only while that policy is read.
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "POL-ACL", 0), 0);
    g_policyname = "GOLD";
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "POL-ACL", 0), 1);
    g_policyname = "SILVER";
    EXPECT_EQ(validate_accesslistexists("D", "PE", "", "", "", "POL-ACL", 0), 0);
    g_policyname = "";
}

TEST_F(References, FiltersSweepReportsEachMissingObjectOnce) {
    EXPECT_EQ(sweep(validate_filters, 0), "");  // nothing to check
    routemap("PE", "RM", "", "", "BYHOST()");
    prefixlist("PL");
    filterlist("20", "ASN");
    filterlist("30", "COMMUNITY");
    prefixlist("PL-<LOCALVAR(HOSTNAME)>", "BYNODE()");

    domain_bgp_info_rec *n = neighbor();
    put(n->routemapin, "RM");
    put(n->routemapout, "RM-OUT");
    put(n->filterlistin, "30");  // a community list's number is no AS-path list
    put(n->filterlistout, "20");
    put(n->prefixlistout, "PL-OUT");
    domain_redist_rec *rd = alloc_record<domain_redist_rec>();
    put(rd->domainname, "D");
    put(rd->nodetype, "PE");
    put(rd->route_map, "REDIST");
    append_record(prdomainredist, rd);
    distribute("PL", 1);
    distribute("PL-MISSING", 1);
    distribute("ACL-IS-NOT-CHECKED-HERE", 0);

    match("RM", "ip address prefix-list", "PL-<LOCALVAR(HOSTNAME)>");  // loose: the map repeats
    match("RM", "ip address prefix-list", "NOPL");
    match("RM", "community", "30");
    match("RM", "as-path", "30");
    match("RM", "metric", "5");  // not looked up
    match("RM", "community", "");  // empty: not looked up
    match("GHOST", "tag", "1");

    EXPECT_EQ(sweep(validate_filters, 1),
              missing("RouteMap used for REDISTRIBUTE ROUTEMAP", "RouteMapName", "REDIST") +
                  missing("PREFIXLIST used for DISTRIBUTE LIST", "PreFixName", "PL-MISSING") +
                  missing("RouteMap used for BGP ROUTEMAP-OUT", "RouteMapName", "RM-OUT") +
                  "WARNING: FILTERLIST used for BGP FILTERLIST-IN not defined ::\nDomainname:  D\nNodeType:  "
                  "PE\nFilterListName: 30\n"
                  "WARNING: PREFIXLIST used for BGP PREFIXLIST-OUT not defined ::\nDomainname:  D\nNodeType:  "
                  "PE\nPrefixListName: PL-OUT\n"
                  "WARNING: PREFIX LIST used for ROUTE MAP not defined :\nDomainname:  D\nNodeType:  "
                  "PE\nRouteMapName: RM \nPrefixList Name :NOPL\n"
                  "WARNING: ASN LIST used for ROUTE MAP not defined :\nDomainname:  D\nNodeType:  "
                  "PE\nRouteMapName: RM \nASN List Name :30\n"
                  "ERROR : Routemap in match list not found in routemap table :\nDomainname:  D\nNodeType:  "
                  "PE\nRouteMapName: GHOST\n");
}

TEST_F(References, AclSweepAndTheContextsOfReferences) {
    acl("ACL-<LOCALVAR(HOSTNAME)>", 0);
    prdomainaccesslist.tail->context1 = "BYHOST()";
    acl(" ", 110);
    routemap("PE", "RM", "BYHOST()");
    routemap("PE", "RM-OTHER", "BYNODE()");

    // A neighbour under the list's context finds it; one under no context
    // does not, as its name holds a variable.
    domain_bgp_info_rec *in_context = neighbor("BYHOST()");
    put(in_context->distlistin, "ACL-<LOCALVAR(HOSTNAME)>");
    domain_bgp_info_rec *bare = neighbor();
    put(bare->distlistout, "ACL-<LOCALVAR(HOSTNAME)>");
    domain_bgp_peer_rec *peer = alloc_record<domain_bgp_peer_rec>();
    put(peer->domainname, "D");
    put(peer->nodetype, "PE");
    put(peer->distlistin, "110");  // by its start number
    put(peer->distlistout, "120");
    append_record(prdomainbgppeer, peer);
    distribute("110", 0);
    distribute("PREFIXES-ARE-NOT-CHECKED-HERE", 1);
    match("RM", "ip address", "ACL-<LOCALVAR(HOSTNAME)>");        // the map's context: found
    match("RM-OTHER", "ip address", "ACL-<LOCALVAR(HOSTNAME)>");  // another context: missing
    match("GHOST", "ip address", "110");

    EXPECT_EQ(sweep(validate_aclfilters, 1),
              missing("ACL used for BGP DISTLIST-OUT", "ACLName", "120") +
                  missing("ACL used for BGP DISTLIST-OUT", "ACLName", "ACL-<LOCALVAR(HOSTNAME)>") +
                  "WARNING: ACL used for ROUTE MAP not defined :\nDomainname: D\nNodeType:  PE\nRouteMapName: "
                  "RM-OTHER \nACL Name :ACL-<LOCALVAR(HOSTNAME)>\n"
                  "ERROR : Routemap in match list not found in routemap table :\nDomainname:  D\nNodeType:  "
                  "PE\nRouteMapName: GHOST\n");
}

}  // namespace
