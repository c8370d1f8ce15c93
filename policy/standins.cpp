// Stand-ins for what the policy sections build later. Each succeeds and
// does nothing (or looks up what the stored rows hold), so that a run goes
// from the section headers to the end. Remove each one when its real code
// arrives.
#include <cstring>

#include "policy.h"
#include "records_policy.h"

// stand-in until the route-policy reference checks are built.
int validate_aclfilters() { return 1; }

// stand-in until the route-policy reference checks are built.
int validate_filters() { return 1; }

// stand-in until the QoS policy check is built.
int validate_custpolicies() { return 1; }

// stand-in until the access-list blocks are built: an access list of that
// name declared for the domain and node type.
int validate_accesslistexists(const char *domainname, const char *nodetype,
                              const char * /*context1*/, const char * /*context2*/,
                              const char * /*context3*/, const char *aclname, int /*flag*/) {
    for (domain_access_list_rec *r = prdomainaccesslist; r; r = r->next)
        if (!strcmp(r->domainname, domainname) && !strcmp(r->nodetype, nodetype) &&
            !strcmp(r->aclname, aclname))
            return 1;
    return 0;
}
