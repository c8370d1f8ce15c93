// The inventory checks of the TOPOLOGY and CUSTOMER sections: each stored
// table is read afresh into a list of the check's own and handed with the
// parsed list to its validator (validators.cpp), in a fixed order, stopping
// at the first refusal or failed read. Live instances are counted with the
// instance tables' own queries.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "database.h"
#include "inventory.h"
#include "runstate.h"

namespace {

// A count query names the latest row of every instance that has the
// counted design value, and counts those not marked with change type 1.
const char kCustsiteQuery[] =
    "SELECT count(*) from custsite      WHERE  networkid = %d AND connectiontype = '%s' AND changetype != 1 "
    "AND \t (networkid,version,customerid,seqno)     IN (         SELECT "
    "networkid,version,customerid,max(seqno)         FROM custsite\t\t WHERE networkid = %d AND\t\t\t\t"
    "connectiontype = '%s'          GROUP BY networkid,version,customerid       )";
const char kNodeconnQuery[] =
    "select count(*) from nodeconn \tWHERE networkid = %d AND connectionname = '%s' AND changetype != 1 AND "
    "\t(networkid,version,connectionid,seqno)    IN (\t\tSELECT networkid,version,connectionid,max(seqno)  "
    "      FROM nodeconn\t\tWHERE networkid = %d AND \t\t\t  connectionname = '%s'         GROUP BY "
    "connectionid,version,networkid      ) ";
const char kNodeinstQuery[] =
    "select count(*) from nodeinst \tWHERE  changetype != 1 AND networkid = %d AND domainname = '%s' AND "
    "nodetype = '%s' AND \t(networkid,version,domainname,domainid,nodetype,nodeid,seqno)  \tIN ( \t\tSELECT "
    "networkid,version,domainname,domainid,nodetype,nodeid,max(seqno) \t\tFROM nodeinst  \t\tWHERE networkid "
    "= %d AND  \t\t\t  domainname = '%s' AND \t\t\t  nodetype = '%s' \t\t\t  group by "
    "domainname,domainid,nodetype,nodeid,version,networkid \t\t) ";
const char kDomaininstanceQuery[] =
    "select count(*) from domaininstance \tWHERE networkid = %d AND domainname = '%s' AND changetype != 1 AND "
    "\t(networkid,version,domainname,domainid,seqno)  \tIN ( \t\tSELECT "
    "networkid,version,domainname,domainid,max(seqno) \t\tFROM domaininstance  \t\tWHERE networkid = %d AND  "
    "\t\t\t  domainname = '%s'  \t\t\t  group by domainname,domainid,version,networkid \t\t) ";

constexpr size_t kQuerySize = 2000;
// A record text holds at most 300 characters: doubled quotes fit here.
constexpr size_t kQuotedSize = 2 * kText;

struct quoted_text {
    char text[kQuotedSize];
    bool ok;
    explicit quoted_text(const char *value) : ok(sql_quote(text, sizeof text, value)) {}
};

int count_failed() {
    g_tablename[0] = '\0';
    return -1;
}

// A value that cannot be quoted within the query is a failed count, never
// a cut statement.
int refuse_value(const char *table) {
    logmsg("Table : %s \n", table);
    logmsg("Error in loading data.\n");
    g_loaderror = 1;
    return -1;
}

// The counts of one check by their query: the instance tables do not
// change while it runs, and many rows of one key (the variables of a
// domain) are counted by the same query, so each is asked once.
std::unordered_map<std::string, int> *g_counts = nullptr;

struct counts_of_check {
    std::unordered_map<std::string, int> counts;
    counts_of_check() { g_counts = &counts; }
    ~counts_of_check() { g_counts = nullptr; }
    counts_of_check(const counts_of_check &) = delete;
    counts_of_check &operator=(const counts_of_check &) = delete;
};

int run_count(const char *table, const char *query);

}  // namespace

int getinstancecount(const char *table, const char *format, ...) {
    char query[kQuerySize];
    va_list ap;
    va_start(ap, format);
    int length = std::vsnprintf(query, sizeof query, format, ap);
    va_end(ap);
    if (length < 0 || static_cast<size_t>(length) >= sizeof query) return refuse_value(table);
    if (!g_counts) return run_count(table, query);
    auto known = g_counts->find(query);
    if (known != g_counts->end()) return known->second;
    int count = run_count(table, query);
    // A failed count stops the check: nothing to keep.
    if (count >= 0) g_counts->emplace(query, count);
    return count;
}

namespace {

int run_count(const char *table, const char *query) {
    std::snprintf(g_tablename, sizeof g_tablename, "%s", table);

    // Once the environment is dropped nothing more is asked of it.
    if (!envhp) {
        g_loaderror = 1;
        return count_failed();
    }
    checkerr(errhp, OCIStmtPrepare(stmthp, errhp, reinterpret_cast<const text *>(query),
                                   static_cast<ub4>(std::strlen(query)), OCI_NTV_SYNTAX, OCI_DEFAULT));
    if (g_loaderror == 1 || !envhp) {
        cleanup();
        return count_failed();
    }
    int32_t count = 0;
    sword status =
        OCIDefineByPos(stmthp, &defnp, errhp, 1, &count, 4, SQLT_INT, nullptr, nullptr, nullptr, OCI_DEFAULT);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        cleanup();
        return count_failed();
    }
    status = OCIStmtExecute(svchp, stmthp, errhp, 0, 0, nullptr, nullptr, OCI_DEFAULT);
    if (status != OCI_SUCCESS && status != OCI_NO_DATA) {
        logmsg("Table : %s \n", g_tablename);
        checkerr(errhp, status);
        cleanup();
        return count_failed();
    }
    do {
        status = OCIStmtFetch(stmthp, errhp, 1, OCI_FETCH_NEXT, OCI_DEFAULT);
    } while (status == OCI_SUCCESS || status == OCI_SUCCESS_WITH_INFO);
    if (status == OCI_NO_DATA) {
        g_tablename[0] = '\0';
        return count;
    }
    logmsg("Table : %s \n", g_tablename);
    log_memory_cause(errhp, status, g_tablename);
    logmsg("Error in loading data.\n");
    g_loaderror = 1;
    g_tablename[0] = '\0';
    cleanup();
    return -1;
}

}  // namespace

int count_custsite(const char *conntypename) {
    quoted_text c(conntypename);
    if (!c.ok) return refuse_value("custsite");
    return getinstancecount("custsite", kCustsiteQuery, networkid, c.text, networkid, c.text);
}

int count_nodeconn(const char *connectionname) {
    quoted_text c(connectionname);
    if (!c.ok) return refuse_value("nodeconn");
    return getinstancecount("nodeconn", kNodeconnQuery, networkid, c.text, networkid, c.text);
}

int count_nodeinst(const char *domainname, const char *nodetype) {
    quoted_text d(domainname), n(nodetype);
    if (!d.ok || !n.ok) return refuse_value("nodeinst");
    return getinstancecount("nodeinst", kNodeinstQuery, networkid, d.text, n.text, networkid, d.text, n.text);
}

int count_domaininstance(const char *domainname) {
    quoted_text d(domainname);
    if (!d.ok) return refuse_value("domaininstance");
    return getinstancecount("domaininstance", kDomaininstanceQuery, networkid, d.text, networkid, d.text);
}

namespace {

// The stored lists belong to the check alone and go when their step ends.
template <class T>
void free_records(T *rec) {
    while (rec) {
        T *next = rec->next;
        free_record(rec);
        rec = next;
    }
}
void free_records(cust_conn_type_rec *rec) {
    for (cust_conn_type_rec *r = rec; r; r = r->next) free_records(r->qospolicylist.head);
    free_records<cust_conn_type_rec>(rec);
}
void free_records(cust_conn_node_rec *rec) {
    for (cust_conn_node_rec *r = rec; r; r = r->next) free_records(r->loopbacklist.head);
    free_records<cust_conn_node_rec>(rec);
}

template <class T>
struct stored_list {
    T *head;
    explicit stored_list(T *h) : head(h) {}
    stored_list(const stored_list &) = delete;
    stored_list &operator=(const stored_list &) = delete;
    ~stored_list() { free_records(head); }
};

// One table: its stored rows read afresh (and their sub-lists, when the
// table has them), then compared with the parsed list. 1 to go on.
template <class T>
int check_table(T *(*reader)(), int (*validator)(T *, T *), const record_list<T> &parsed,
                int (*sublists)(T *) = nullptr) {
    stored_list<T> stored(reader());
    if (g_loaderror == 1) return 0;
    if (sublists) {
        sublists(stored.head);
        if (g_loaderror == 1) return 0;
    }
    return validator(stored.head, parsed.head);
}

// The command-line build's own comparisons at one point of the order.
int cli_step(int point) { return !g_cli_checks.inventory_step || g_cli_checks.inventory_step(point); }

}  // namespace

int NDL_validateTopology() {
    counts_of_check counts;
    // Under overwritedata only the command-line build's comparisons run.
    if (overwritedata)
        return cli_step(after_domainvariables) && cli_step(after_domainnodevars) && cli_step(after_hsrpconnections);
    return check_table(load_network, NDL_validate_network, prnetwork) &&
           check_table(load_domains, NDL_validate_domains, prdomains) &&
           check_table(load_domainvariables, NDL_validate_domainvariables, prdomainvariables) &&
           cli_step(after_domainvariables) &&
           check_table(load_domainconntypes, NDL_validate_domainconntypes, prdomainconntypes) &&
           check_table(load_domainfixedconn, NDL_validate_domainfixedconn, prdomainfixedconn) &&
           check_table(load_domainconnvars, NDL_validate_domainconnvars, prdomainconnvars) &&
           check_table(load_domainnodes, NDL_validate_domainnodes, prdomainnodes) &&
           check_table(load_domainnodevars, NDL_validate_domainnodevars, prdomainnodevars) &&
           cli_step(after_domainnodevars) &&
           check_table(load_domainremotetypes, NDL_validate_domainremotetypes, prdomainremotetypes) &&
           check_table(load_domaininttypes, NDL_validate_domaininttypes, prdomaininttypes) &&
           check_table(load_domaininstancevars, NDL_validate_domaininstancevars, prdomaininstancevars) &&
           check_table(load_hsrpmember, NDL_validate_hsrpmember, prhsrpmember) &&
           check_table(load_hsrpconnections, NDL_validate_hsrpconnections, prhsrpconnections) &&
           cli_step(after_hsrpconnections) &&
           check_table(load_addressassign, NDL_validate_addressassign, praddressassign) &&
           check_table(load_domainnodelogint, NDL_validate_domainnodelogint, prdomainnodelogint) &&
           check_table(load_servicetypes, NDL_validate_servicetypes, prservicetypes) &&
           check_table(load_servicetypevars, NDL_validate_servicetypevars, prservicetypevars) &&
           check_table(load_networkvars, NDL_validate_networkvars, prnetworkvars) &&
           check_table(load_pooltypes, NDL_validate_pooltypes, prpooltypes) &&
           check_table(load_pooltypemap, NDL_validate_pooltypemap, prpooltypemap) &&
           check_table(load_poolclass, NDL_validate_poolclass, prpoolclass) &&
           check_table(load_poolsequence, NDL_validate_poolsequence, prpoolsequence) &&
           check_table(load_connapsmember, NDL_validate_connapsmember, prconnapsdatalist) &&
           check_table(load_vcclass, NDL_validate_vcclass, prlogconntypes) &&
           check_table(load_vcmembers, NDL_validate_vcmemberclass, prvcmembers);
}

int NDL_validateCustomer() {
    counts_of_check counts;
    return check_table(load_custconntypes, NDL_validate_custconntypes, prcustconntypes,
                       load_custconnqospolicies) &&
           check_table(load_custvars, NDL_validate_custvars, prcustvars) &&
           check_table(load_custaddrtypes, NDL_validate_custaddrtypes, prcustconnaddrtypes) &&
           check_table(load_custconnnodes, NDL_validate_custconnnodes, prcustconnnodes,
                       load_custconnnodesloopback) &&
           check_table(load_custconninterfaces, NDL_validate_custconninterfaces, prcustconninterfaces) &&
           check_table(load_poolclassmap, NDL_validate_poolclassmap, prpoolclassmap);
}
