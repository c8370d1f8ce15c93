// Lookups of the route-policy objects that other records refer to by name,
// and the sweeps that report every reference finding nothing.
#include <type_traits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lookup.h"
#include "policy_blocks.h"
#include "records_policy.h"
#include "records_routing.h"
#include "registry.h"
#include "runstate.h"
#include "valtext.h"

const char *g_policyname = "";

namespace {

// A name with a variable ("<" and more text) is looked up only among the
// objects of the reference's contexts.
bool names_variable(const char *name) {
    const char *open = std::strchr(name, '<');
    return open && open[1];
}

// The object stands under the reference's contexts: the same first context
// (two empty ones are the same), or the same non-empty second or third.
bool context_matches(const char *c1, const char *c2, const char *c3, const char *ref1, const char *ref2,
                     const char *ref3, bool strict) {
    return !strict || !std::strcmp(c1, ref1) || (c2[0] && !std::strcmp(c2, ref2)) ||
           (c3[0] && !std::strcmp(c3, ref3));
}

}  // namespace

namespace {

// The references of a node type are looked up among its own objects of
// that name only; the contexts decide among those.
using AL = domain_access_list_rec;
lookup::group_index<AL, &AL::domainname, &AL::nodetype, &AL::aclname> acls_by_name(prdomainaccesslist);
lookup::group_index<AL, &AL::domainname, &AL::nodetype, &AL::aclstart> acls_by_start(prdomainaccesslist);
using RM = domain_route_map_rec;
lookup::group_index<RM, &RM::domainname, &RM::nodetype, &RM::routemap> routemaps_by_name(prdomainroutemap);
using PH = domain_prefix_hdr_rec;
lookup::group_index<PH, &PH::domainname, &PH::nodetype, &PH::listname> prefixes_by_name(prdomainprefixhdr);
using FL = domain_filter_list_rec;
lookup::keyed_index<FL, &FL::domainname, &FL::nodetype, &FL::filtertype, &FL::aclseqstart> filterlists_by_start(
    prdomainfilterlist);

// The number a name stands for when it is one as "%d" writes it.
bool written_number(const char *name, int32_t *n) {
    char *end = nullptr;
    long v = std::strtol(name, &end, 10);
    if (end == name || *end || v < INT32_MIN || v > INT32_MAX) return false;
    char again[16];
    std::snprintf(again, sizeof again, "%ld", v);
    if (std::strcmp(again, name) != 0) return false;
    *n = static_cast<int32_t>(v);
    return true;
}

}  // namespace

int validate_accesslistexists(const char *domainname, const char *nodetype, const char *context1,
                              const char *context2, const char *context3, const char *aclname, int loose) {
    bool strict = !loose && names_variable(aclname);
    auto answers = [&](const domain_access_list_rec &r) {
        if (!context_matches(r.context1, r.context2, r.context3, context1, context2, context3, strict))
            return false;
        // A QoS policy's own access list serves only that policy, while it
        // is read.
        return std::strcmp(r.usage, "QOSPOLICY") != 0 ||
               (g_policyname && g_policyname[0] && !std::strcmp(r.owner, g_policyname));
    };
    // Named by its name, or by its start number as "%d" writes it.
    if (acls_by_name.each(answers, domainname, nodetype, aclname)) return 1;
    int32_t start = 0;
    return written_number(aclname, &start) && acls_by_start.each(answers, domainname, nodetype, start) ? 1 : 0;
}

namespace {

// An object of the node type whose `field` is the name, under the
// reference's contexts: 1, else 0.
template <class Rec, class Index>
int named_exists(Index &index, const char *domainname, const char *nodetype, const char *context1,
                 const char *context2, const char *context3, const char *name, int loose) {
    bool strict = !loose && names_variable(name);
    return index.each(
               [&](const Rec &r) {
                   return context_matches(r.context1, r.context2, r.context3, context1, context2, context3, strict);
               },
               domainname, nodetype, name)
               ? 1
               : 0;
}

}  // namespace

int validate_routemapexists(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *name, int loose) {
    return named_exists<RM>(routemaps_by_name, domainname, nodetype, context1, context2, context3, name, loose);
}

int validate_prefixlistexists(const char *domainname, const char *nodetype, const char *context1,
                              const char *context2, const char *context3, const char *name, int loose) {
    return named_exists<PH>(prefixes_by_name, domainname, nodetype, context1, context2, context3, name, loose);
}

int validate_filterlistexists(const char *domainname, const char *nodetype, const char *name, const char *listtype) {
    return filterlists_by_start.find(domainname, nodetype, listtype, name) ? 1 : 0;
}

int get_routemapcontext(const char *domainname, const char *nodetype, const char *name, char *context1,
                        char *context2, char *context3, char *repeatby) {
    const domain_route_map_rec *r = find_routemap(domainname, nodetype, name);
    if (!r) return 0;
    valtext::copy_field(context1, kText, r->context1.c_str());
    valtext::copy_field(context2, kText, r->context2.c_str());
    valtext::copy_field(context3, kText, r->context3.c_str());
    valtext::copy_field(repeatby, kText, r->repeatby.c_str());
    return 1;
}

namespace {

// One sweep's findings: each missing object is one message; none changes
// the run's state, so a load with findings is still written.
struct sweep {
    bool found_any = false;

    // A record's text goes to the log as its characters.
    template <class T>
    static auto plain(const T &value) {
        if constexpr (std::is_base_of_v<text_slot, T>) return value.c_str();
        else return value;
    }
    template <class... Args>
    void report(const char *fmt, const Args &...args) {
        logmsg(fmt, plain(args)...);
        found_any = true;
    }

    using exists_fn = int (*)(const char *, const char *, const char *, const char *, const char *, const char *,
                              int);
    // A non-empty reference that `exists` does not find, under the contexts.
    void check(exists_fn exists, const char *domainname, const char *nodetype, const char *name, const char *fmt,
               const char *c1 = "", const char *c2 = "", const char *c3 = "", int loose = 0) {
        if (name[0] && !exists(domainname, nodetype, c1, c2, c3, name, loose))
            report(fmt, domainname, nodetype, name);
    }
    void check_filter(const char *domainname, const char *nodetype, const char *name, const char *fmt) {
        if (name[0] && !validate_filterlistexists(domainname, nodetype, name, "ASN"))
            report(fmt, domainname, nodetype, name);
    }
};

// The route map of a match clause with its contexts and whether it repeats.
struct clause_map {
    char context1[kText] = "", context2[kText] = "", context3[kText] = "", repeatby[kText] = "";
};

// Looks up the clause's route map; one that is missing is reported (the
// clause is then checked without contexts).
clause_map map_of(sweep &s, const route_map_match_list_rec &m) {
    clause_map c;
    if (!get_routemapcontext(m.domainname, m.nodetype, m.routemap, c.context1, c.context2, c.context3,
                             c.repeatby))
        s.report("ERROR : Routemap in match list not found in routemap table :\nDomainname:  %s\nNodeType:  "
                 "%s\nRouteMapName: %s\n",
                 m.domainname, m.nodetype, m.routemap);
    return c;
}

const char kRouteMapIn[] =
    "WARNING: RouteMap used for BGP ROUTEMAP-IN not defined :\nDomainname:  %s\nNodeType:  %s\nRouteMapName: %s\n";
const char kRouteMapOut[] =
    "WARNING: RouteMap used for BGP ROUTEMAP-OUT not defined :\nDomainname:  %s\nNodeType:  %s\nRouteMapName: %s\n";
const char kDefaultRm[] = "WARNING: RouteMap used for BGP DEFAULTORIGINATE_RM not defined :\nDomainname:  "
                          "%s\nNodeType:  %s\nRouteMapName: %s\n";
const char kDistIn[] = "WARNING: ACL used for BGP DISTLIST-IN not defined :\nDomainname:  %s\nNodeType:  %s\nACLName: %s\n";
const char kDistOut[] =
    "WARNING: ACL used for BGP DISTLIST-OUT not defined :\nDomainname:  %s\nNodeType:  %s\nACLName: %s\n";

}  // namespace

int validate_filters() {
    sweep s;
    for (domain_bgp_network_rec *r = prdomainbgpnetwork; r; r = r->next)
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemapname,
                "WARNING: RouteMap used for BGP-NETWORK not defined :\nDomainname:  %s\nNodeType:  %s\nRouteMapName: "
                "%s\n");
    for (domain_ospf_default_rec *r = prdomainospfdefault; r; r = r->next)
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemap,
                "WARNING: RouteMap used for DEFAULT-ORIGINATE not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nRouteMapName: %s\n");
    for (domain_bgp_peer_rec *r = prdomainbgppeer; r; r = r->next) {
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemapin, kRouteMapIn);
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemapout, kRouteMapOut);
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->defaultoriginate_rm, kDefaultRm);
        s.check_filter(r->domainname, r->nodetype, r->filterlistin,
                       "WARNING: FILTERLIST used for BGP FILTERLIST-IN not defined :\nDomainname:  %s\nNodeType:  "
                       "%s\nASNListName: %s\n");
        s.check_filter(r->domainname, r->nodetype, r->filterlistout,
                       "WARNING: FILTERLIST used for BGP FILTERLIST-OUT not defined :\nDomainname:  %s\nNodeType:  "
                       "%s\nASNListName: %s\n");
        s.check(validate_prefixlistexists, r->domainname, r->nodetype, r->prefixlistin,
                "WARNING: PREFIXLIST used for BGP PREFIXLIST-IN not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nPreFixListName: %s\n");
        s.check(validate_prefixlistexists, r->domainname, r->nodetype, r->prefixlistout,
                "WARNING: PREFIXLIST used for BGP PREFIXLIST-OUT not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nPreFixListName: %s\n");
    }
    for (domain_redist_rec *r = prdomainredist; r; r = r->next)
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->route_map,
                "WARNING: RouteMap used for REDISTRIBUTE ROUTEMAP not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nRouteMapName: %s\n");
    for (domain_dist_list_rec *r = prdomaindistlist; r; r = r->next)
        if (r->listtype == 1)
            s.check(validate_prefixlistexists, r->domainname, r->nodetype, r->acl,
                    "WARNING: PREFIXLIST used for DISTRIBUTE LIST not defined :\nDomainname:  %s\nNodeType:  "
                    "%s\nPreFixName: %s\n",
                    r->context1, r->context2, r->context3);
    for (domain_bgp_addr_agrr_rec *r = prdomainbgpaddragrr; r; r = r->next) {
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->attributemap,
                "WARNING: RouteMap used for BGP AGGREGATE ATTRIBUTE-MAP not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nRouteMapName: %s\n",
                r->context1, r->context2, r->context3);
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->supressmap,
                "WARNING: RouteMap used for BGP AGGREGATE SUPPRESS-MAP not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nRouteMapName: %s\n");
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->advertisemap,
                "WARNING: RouteMap used for BGP AGGREGATE ADVERTISE-MAP not defined :\nDomainname:  %s\nNodeType:  "
                "%s\nRouteMapName: %s\n");
    }
    for (domain_bgp_info_rec *r = prdomainbgpinfo; r; r = r->next) {
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemapin, kRouteMapIn, r->context1,
                r->context2, r->context3);
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->routemapout, kRouteMapOut, r->context1,
                r->context2, r->context3);
        s.check(validate_routemapexists, r->domainname, r->nodetype, r->defaultoriginate_rm, kDefaultRm,
                r->context1, r->context2, r->context3);
        s.check_filter(r->domainname, r->nodetype, r->filterlistin,
                       "WARNING: FILTERLIST used for BGP FILTERLIST-IN not defined ::\nDomainname:  %s\nNodeType:  "
                       "%s\nFilterListName: %s\n");
        s.check_filter(r->domainname, r->nodetype, r->filterlistout,
                       "WARNING: FILTERLIST used for BGP FILTERLIST-OUT not defined : :\nDomainname:  %s\nNodeType:  "
                       "%s\nFilterListName: %s\n");
        s.check(validate_prefixlistexists, r->domainname, r->nodetype, r->prefixlistin,
                "WARNING: PREFIXLIST used for BGP PREFIXLIST-IN not defined ::\nDomainname:  %s\nNodeType:  "
                "%s\nPrefixListName: %s\n",
                r->context1, r->context2, r->context3);
        s.check(validate_prefixlistexists, r->domainname, r->nodetype, r->prefixlistout,
                "WARNING: PREFIXLIST used for BGP PREFIXLIST-OUT not defined ::\nDomainname:  %s\nNodeType:  "
                "%s\nPrefixListName: %s\n",
                r->context1, r->context2, r->context3);
    }
    for (route_map_match_list_rec *m = prroutemapmatchlist; m; m = m->next) {
        clause_map c = map_of(s, *m);
        int loose = c.repeatby[0] ? 1 : 0;
        const char *value = m->matchvalue;
        if (!value[0]) continue;
        if (!std::strcmp(m->matchtype, "ip address prefix-list")) {
            if (!validate_prefixlistexists(m->domainname, m->nodetype, c.context1, c.context2, c.context3, value,
                                           loose))
                s.report("WARNING: PREFIX LIST used for ROUTE MAP not defined :\nDomainname:  %s\nNodeType:  "
                         "%s\nRouteMapName: %s \nPrefixList Name :%s\n",
                         m->domainname, m->nodetype, m->routemap, value);
        } else if (!std::strcmp(m->matchtype, "community")) {
            if (!validate_filterlistexists(m->domainname, m->nodetype, value, "COMMUNITY"))
                s.report("WARNING: FILTERLIST used for ROUTE MAP not defined :\nDomainname:  %s\nNodeType:  "
                         "%s\nRouteMapName: %s \nCommunity List Name :%s\n",
                         m->domainname, m->nodetype, m->routemap, value);
        } else if (!std::strcmp(m->matchtype, "as-path")) {
            if (!validate_filterlistexists(m->domainname, m->nodetype, value, "ASN"))
                s.report("WARNING: ASN LIST used for ROUTE MAP not defined :\nDomainname:  %s\nNodeType:  "
                         "%s\nRouteMapName: %s \nASN List Name :%s\n",
                         m->domainname, m->nodetype, m->routemap, value);
        }
    }
    return s.found_any ? 1 : 0;
}

int validate_aclfilters() {
    sweep s;
    for (domain_bgp_peer_rec *r = prdomainbgppeer; r; r = r->next) {
        s.check(validate_accesslistexists, r->domainname, r->nodetype, r->distlistin, kDistIn);
        s.check(validate_accesslistexists, r->domainname, r->nodetype, r->distlistout, kDistOut);
    }
    for (domain_dist_list_rec *r = prdomaindistlist; r; r = r->next)
        if (r->listtype != 1)
            s.check(validate_accesslistexists, r->domainname, r->nodetype, r->acl,
                    "WARNING: ACL used for DISTRIBUTE LIST not defined :\nDomainname:  %s\nNodeType:  %s\nACLName: "
                    "%s\n",
                    r->context1, r->context2, r->context3);
    for (domain_bgp_info_rec *r = prdomainbgpinfo; r; r = r->next) {
        s.check(validate_accesslistexists, r->domainname, r->nodetype, r->distlistin, kDistIn, r->context1,
                r->context2, r->context3);
        s.check(validate_accesslistexists, r->domainname, r->nodetype, r->distlistout, kDistOut, r->context1,
                r->context2, r->context3);
    }
    for (route_map_match_list_rec *m = prroutemapmatchlist; m; m = m->next) {
        clause_map c = map_of(s, *m);
        if (!m->matchvalue[0] || std::strcmp(m->matchtype, "ip address")) continue;
        if (!validate_accesslistexists(m->domainname, m->nodetype, c.context1, c.context2, c.context3,
                                       m->matchvalue, c.repeatby[0] ? 1 : 0))
            s.report("WARNING: ACL used for ROUTE MAP not defined :\nDomainname: %s\nNodeType:  %s\nRouteMapName: %s "
                     "\nACL Name :%s\n",
                     m->domainname, m->nodetype, m->routemap, m->matchvalue);
    }
    return s.found_any ? 1 : 0;
}
