// The checks only the command-line build makes: four more comparisons of
// the stored topology with the parsed one inside the topology inventory
// check, and the start number of an AS-path or community list. Linked into
// cfgload only, this unit installs them before main.
#include <cstdlib>
#include <cstring>

#include "cli_checks.h"
#include "database.h"
#include "lookup.h"
#include "older_layout.h"
#include "records_policy.h"
#include "records_topology.h"
#include "runstate.h"
#include "table_desc.h"

namespace {

// Walks the stored rows; one without a matching parsed row is reported, and
// refuses the section unless overwritedata makes it a warning. The parsed
// rows with the keys are found through an index, in list order; `matches`
// may ask more of them.
template <auto... Keys, class T, class Matches, class Report>
int compare(T *stored, T *parsed, Matches matches, Report report) {
    if (!stored) return 1;
    record_list<T> list;
    list = parsed;
    lookup::group_index<T, Keys...> index(list);
    for (T *s = stored; s; s = s->next) {
        if (index.each([&](const T &p) { return matches(*s, p) != 0; }, s->*Keys...)) continue;
        report(*s, overwritedata ? "WARNING" : "ERROR");
        if (!overwritedata) return 0;
    }
    return 1;
}

template <class T>
int any(const T &, const T &) { return 1; }

// The stored rows of one table, read afresh for the check and freed after.
template <class T>
struct stored_rows {
    T *head = nullptr;
    explicit stored_rows(const char *table) {
        for (size_t i = 0; i < ndldb::kAllReadersCount; ++i) {
            const ndldb::reader_desc &d = *ndldb::kAllReaders[i];
            if (strcasecmp(d.table, table) != 0) continue;
            ndldb::raw_list list;
            ndldb::read_table(d, &list);
            head = static_cast<T *>(list.head);
            return;
        }
    }
    ~stored_rows() {
        while (head) {
            T *next = head->next;
            free_record(head);
            head = next;
        }
    }
    stored_rows(const stored_rows &) = delete;
    stored_rows &operator=(const stored_rows &) = delete;
};

template <class T, class Check>
int check_table(const char *table, const record_list<T> &parsed, Check check) {
    stored_rows<T> stored(table);
    if (g_loaderror == 1) return 0;
    return check(stored.head, parsed.head);
}

int inventory_step(int point) {
    switch (point) {
    case after_domainvariables:
        return check_table("domainconnections", prdomainconnections, NDL_validate_domainconnections);
    case after_domainnodevars:
        return check_table("domainservices", prdomainservices, NDL_validate_domainservice) &&
               check_table("domainintnames", prdomainintnames, NDL_validate_domainintnames);
    case after_hsrpconnections:
        return check_table("ipaddresspools", praddresspools, NDL_validate_ipaddresspools);
    default:
        return 1;
    }
}

int filterlist_header(const char *domainname, const char *nodetype, const char *seqstart) {
    int sequence = filterlist_start_number(seqstart);
    if (sequence < 0) {
        logmsg("ERROR: FLT-SEQSTART must be a number for this loader, no variable: %s @%d\n", seqstart, Line);
        g_error = 1;
        return 0;
    }
    if (validate_filterlist(domainname, nodetype, sequence)) {
        logmsg("ERROR: Duplicate use of community/asn list sequence (%d) for : %s/%s @%d\n", sequence, domainname,
               nodetype, Line);
        g_error = 1;
        return 0;
    }
    return 1;
}

const bool installed = [] {
    g_cli_checks.inventory_step = inventory_step;
    g_cli_checks.filterlist_header = filterlist_header;
    g_cli_checks.rp_beside_auto_rp = true;
    return true;
}();

}  // namespace

int NDL_validate_ipaddresspools(ip_address_pool_rec *stored, ip_address_pool_rec *parsed) {
    using R = ip_address_pool_rec;
    return compare<&R::addresspoolname, &R::protocoltype, &R::startaddress, &R::endaddress>(
        stored, parsed, any<R>, [](const R &s, const char *level) {
            logmsg("%s: Validation address pool %s is changed/deleted. \n", level, s.addresspoolname.c_str());
        });
}

int NDL_validate_domainintnames(domain_int_name_rec *stored, domain_int_name_rec *parsed) {
    using R = domain_int_name_rec;
    return compare<&R::connectionno, &R::domainname, &R::nodetype, &R::interfacename>(
        stored, parsed, any<R>, [](const R &s, const char *level) {
            logmsg("%s:Domain : %s\nNodetype :%s\nInterface : %s for connection %d is missing.\n", level,
                   s.domainname.c_str(), s.nodetype.c_str(), s.interfacename.c_str(), s.connectionno);
        });
}

int NDL_validate_domainconnections(domain_connection_rec *stored, domain_connection_rec *parsed) {
    using R = domain_connection_rec;
    // The new range must cover the stored one.
    auto covers = [](const R &s, const R &p) { return s.maxconn <= p.maxconn && s.minconn >= p.minconn; };
    return compare<&R::domainname1, &R::domainname2, &R::conntype>(
        stored, parsed, covers, [](const R &s, const char *level) {
            logmsg("%s:Connection specification between  Domain1 '%s' Domain2 '%s' is modified/deleted\n", level,
                   s.domainname1.c_str(), s.domainname2.c_str());
        });
}

int NDL_validate_domainservice(domain_service_rec *stored, domain_service_rec *parsed) {
    using R = domain_service_rec;
    return compare<&R::domainname, &R::nodetype, &R::servicename>(
        stored, parsed, any<R>, [](const R &s, const char *level) {
            logmsg("%s:Service '%s' of Domain '%s' Nodetype '%s' is being deleted\n", level, s.servicename.c_str(),
                   s.domainname.c_str(), s.nodetype.c_str());
        });
}

namespace {

int32_t start_number(const domain_filter_list_rec &r) { return filterlist_start_number(r.aclseqstart); }
lookup::keyed_index<domain_filter_list_rec, &domain_filter_list_rec::domainname, &domain_filter_list_rec::nodetype,
                    start_number>
    filterlists_by_number(prdomainfilterlist);

}  // namespace

int validate_filterlist(const char *domainname, const char *nodetype, int sequence) {
    return filterlists_by_number.find(domainname, nodetype, sequence) ? 1 : 0;
}
