// Access lists are shared between the ROUTING, FIREWALL and QOS sections, each
// list serving one of them by its usage. Before such a section is parsed, the
// stored lists that it will declare anew go, with their entries; the lists of
// the other sections stay, to be written back and referred to.
#include <cstdlib>
#include <cstring>

#include "lookup.h"
#include "records_policy.h"
#include "registry.h"
#include "runstate.h"
#include "validations.h"

const value_table RoutingAccessUsages[] = {"route-filter", ""};
const value_table QosAccessUsages[] = {"QOS", ""};
const value_table FirewallAccessUsages[] = {"snmp",    "vty",     "aux",       "patpool",
                                            "tftp",    "pim",     "console",   "interface",
                                            "dynamicpool", "distributelist", ""};

namespace {

// The kept access lists by domain, node type and sequence.
lookup::keyed_index<domain_access_list_rec, &domain_access_list_rec::domainname,
                    &domain_access_list_rec::nodetype, &domain_access_list_rec::sequence>
    acls_by_sequence(prdomainaccesslist);

// Replaces the list by whole copies of the records it keeps, in order.
template <class T, class Keep>
void keep_only(record_list<T> &list, Keep keep) {
    record_list<T> kept;
    for (T *r = list.head; r; r = r->next) {
        if (!keep(*r)) continue;
        T *copy = alloc_record<T>();
        if (!copy) continue;
        std::memcpy(copy, r, sizeof(T));
        kept.append(copy);
    }
    for (T *r = list.head; r;) {
        T *next = r->next;
        free_record(r);
        r = next;
    }
    list = kept;
}

// An entry stays with its access list.
template <class T>
bool list_kept(const T &entry) {
    return acls_by_sequence.find(entry.domainname, entry.nodetype, entry.sequence) != nullptr;
}

}  // namespace

void filter_accesslists() {
    const char *section = g_section.sectionname;
    const value_table *usages = std::strcmp(section, "ROUTING") == 0    ? RoutingAccessUsages
                                : std::strcmp(section, "QOS") == 0      ? QosAccessUsages
                                : std::strcmp(section, "FIREWALL") == 0 ? FirewallAccessUsages
                                                                        : nullptr;
    if (!usages) return;
    keep_only(prdomainaccesslist,
              [&](const domain_access_list_rec &r) { return !validate_var(usages, r.usage); });
    keep_only(prdomainacllist, list_kept<domain_acl_list_rec>);
    keep_only(prdomainextacl, list_kept<domain_ext_acl_rec>);
}
