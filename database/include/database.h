// The database layer, as the layers above it use it: the OCI handle set of a
// run, the load state, status reports and quoting, and the readers, writers
// and inventory checks.
#ifndef NDL_DATABASE_DATABASE_H
#define NDL_DATABASE_DATABASE_H

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "oci.h"
#include "records_customer.h"

// Handles of the run. The environment, service and error handles belong to
// the caller in the library build; the statement handles belong to the run.
extern OCIEnv *envhp;
extern OCISvcCtx *svchp;
extern OCIError *errhp;
extern OCIStmt *stmthp;
extern OCIStmt *stmthp1;
extern OCIDefine *defnp;

extern int g_loaderror;       // an OCI call failed: readers and writers stop
extern char g_tablename[100]; // label printed by checkerr
extern int g_ndlversion;      // policy version of the run

// Logs an OCI status ("Error <label> - ..."); fatal statuses raise
// g_loaderror and drop the environment.
void checkerr(OCIError *err, sword status);
// Where the Parts log only "Error in loading data.": a failure for want of
// memory (the error record says so) is told beside it, as checkerr would.
void log_memory_cause(OCIError *err, sword status, const char *table);
// Stops the run from using the environment. The library build never frees
// the caller's handles: it forgets the environment handle, after which no
// reader or writer makes an OCI call, and raises g_loaderror.
sword cleanup();

// Copies `src` into a text field of `size` bytes (its width, NUL included).
// False, with the field empty, when the text does not fit.
inline bool textcpy(text_slot &dst, size_t size, const char *src) {
    size_t n = std::strlen(src);
    if (n >= size) {
        dst.clear();
        return false;
    }
    text_access::assign(&dst, src, n);
    return true;
}
// The same, storing "IS NULL" as the empty string. Inline, as textcpy: the
// readers copy every text they fetch through one or the other.
inline bool locstrcpy(text_slot &dst, size_t size, const char *src) {
    return textcpy(dst, size, std::strcmp(src, "IS NULL") == 0 ? "" : src);
}

// Writes `src` into `dst` (of `size` bytes) with every single quote doubled,
// ready to stand between quotes in a statement. False, with `dst` empty, when
// the quoted text does not fit.
bool sql_quote(char *dst, size_t size, const char *src);

// The highest stored policy version of the network into g_ndlversion:
// 1, or -1 on an OCI failure.
int load_policyversion();
// Reads the whole stored network into the record lists: 1, or 0 at the first
// section reader that failed.
int retrieve_data();
// Writes every table from the record lists in the fixed writer order; in
// file mode (createfile) the statements go to `loadfp` instead of running.
// 1 when all were written, 0 at the first failure (g_tablename names it).
int print_info(FILE *loadfp);
// Inventory checks: the stored rows of the section's tables against the
// parsed ones. Nonzero keeps the parsed section, 0 refuses it (a changed row
// that live instances use, or a failed read or count). A changed topology
// row that no instance uses is warned about and raises g_topologymodified.
int NDL_validateTopology();
int NDL_validateCustomer();

// ---- checks only the command-line build makes ----
// Its own unit, linked into cfgload only, installs them; in the library
// build they are null.
enum cli_inventory_point { after_domainvariables = 1, after_domainnodevars, after_hsrpconnections };
struct cli_checks {
    // Its comparisons within the topology inventory check, at the step they
    // follow; they run under overwritedata too, and only warn then. 1 to go
    // on, 0 refused.
    int (*inventory_step)(int point);
    // At an AS-path or community list header that gives its start number:
    // 1 to go on, 0 refused (logged, g_error set; the parser keeps its token).
    int (*filterlist_header)(const char *domainname, const char *nodetype, const char *seqstart);
    // An RPACCEPT may name an RP beside AUTO-RP TRUE: this build does not
    // make that check. (No member initializer: the global stays zeroed
    // before any constructor runs, so the installer's value holds.)
    bool rp_beside_auto_rp;
};
extern cli_checks g_cli_checks;

// Table readers for the inventory checks: each returns a new list of its
// table's rows for the run's network (null for none, or after a failure,
// which g_loaderror tells apart).
struct network_rec;
struct domain_rec;
struct domain_variable_rec;
struct domain_conn_type_rec;
struct domain_fixed_conn_rec;
struct domain_conn_var_rec;
struct domain_node_rec;
struct domain_node_var_rec;
struct domain_remote_type_rec;
struct domain_int_type_rec;
struct domain_inst_var_rec;
struct hsrp_member_rec;
struct hsrp_connection_rec;
struct address_assign_rec;
struct domain_node_log_int_rec;
struct service_type_rec;
struct service_type_var_rec;
struct network_var_rec;
struct pool_type_rec;
struct com_pool_type_rec;
struct pool_class_rec;
struct pool_sequence_rec;
struct aps_member_rec;
struct vc_class_rec;
struct vc_member_class_rec;
network_rec *load_network();
domain_rec *load_domains();
domain_variable_rec *load_domainvariables();
domain_conn_type_rec *load_domainconntypes();
domain_fixed_conn_rec *load_domainfixedconn();
domain_conn_var_rec *load_domainconnvars();
domain_node_rec *load_domainnodes();
domain_node_var_rec *load_domainnodevars();
domain_remote_type_rec *load_domainremotetypes();
domain_int_type_rec *load_domaininttypes();
domain_inst_var_rec *load_domaininstancevars();
hsrp_member_rec *load_hsrpmember();
hsrp_connection_rec *load_hsrpconnections();
address_assign_rec *load_addressassign();
domain_node_log_int_rec *load_domainnodelogint();
service_type_rec *load_servicetypes();
service_type_var_rec *load_servicetypevars();
network_var_rec *load_networkvars();
pool_type_rec *load_pooltypes();
com_pool_type_rec *load_pooltypemap();
pool_class_rec *load_poolclass();
pool_sequence_rec *load_poolsequence();
aps_member_rec *load_connapsmember();
vc_class_rec *load_vcclass();
vc_member_class_rec *load_vcmembers();
pool_class_mapping_rec *load_poolclassmap();

// Customer-table readers.
cust_var_rec *load_custvars();
cust_conn_type_rec *load_custconntypes();
int load_custconnqospolicies(cust_conn_type_rec *list);
cust_conn_addr_type_rec *load_custaddrtypes();
cust_conn_interface_rec *load_custconninterfaces();
cust_conn_node_rec *load_custconnnodes();
int load_custconnnodesloopback(cust_conn_node_rec *list);

#endif
