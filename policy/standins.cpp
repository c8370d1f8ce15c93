// Stand-ins for what the policy sections build later. Each succeeds and
// does nothing (or looks up what the stored rows hold), so that a run goes
// from the section headers to the end. Remove each one when its real code
// arrives.
#include <cstring>

#include "policy.h"
#include "records_policy.h"

// stand-in until the QoS policy check is built.
int validate_custpolicies() { return 1; }

// stand-in until the QoS blocks are built: a match rule of that name on the
// domain and node type (the kind is not compared yet).
int matchrule_exists(const char *domainname, const char *nodetype, const char *rulename,
                     int32_t /*kind*/) {
    for (qos_match_rule_class_rec *r = prmatchruledesclist; r; r = r->next)
        if (!strcmp(r->domainname, domainname) && !strcmp(r->nodetype, nodetype) &&
            !strcmp(r->matchrulename, rulename))
            return 1;
    return 0;
}
