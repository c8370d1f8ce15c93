// Lookups of the route-policy objects that other records refer to by name.
#include <cstdio>
#include <cstring>

#include "policy_blocks.h"
#include "records_policy.h"

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

int validate_accesslistexists(const char *domainname, const char *nodetype, const char *context1,
                              const char *context2, const char *context3, const char *aclname, int loose) {
    bool strict = !loose && names_variable(aclname);
    for (domain_access_list_rec *r = prdomainaccesslist; r; r = r->next) {
        if (std::strcmp(r->domainname, domainname) || std::strcmp(r->nodetype, nodetype)) continue;
        if (!context_matches(r->context1, r->context2, r->context3, context1, context2, context3, strict))
            continue;
        char start[16];
        std::snprintf(start, sizeof start, "%d", r->aclstart);
        if (std::strcmp(r->aclname, aclname) && std::strcmp(start, aclname)) continue;
        // A QoS policy's own access list serves only that policy, while it
        // is read.
        if (!std::strcmp(r->usage, "QOSPOLICY") &&
            !(g_policyname && g_policyname[0] && !std::strcmp(r->owner, g_policyname)))
            continue;
        return 1;
    }
    return 0;
}
