// What the loader needs of the database layer: the OCI handle set of a run,
// the load state, and the readers, writers and inventory checks. Until the
// database layer is built, load_policyversion, retrieve_data, print_info and
// the two inventory checks are stand-ins (see standins.cpp).
#ifndef NDL_CORE_DATABASE_H
#define NDL_CORE_DATABASE_H

#include <cstddef>
#include <cstdio>

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
// Stops the run from using the environment. The library build never frees
// the caller's handles, so this only forgets the environment handle.
sword cleanup();

// Copies `src` into a field of `size` bytes, storing "IS NULL" as the empty
// string; a longer text is cut to the field.
void locstrcpy(char *dst, size_t size, const char *src);

// Writes `src` into `dst` (of `size` bytes) with every single quote doubled,
// ready to stand between quotes in a statement. False, with `dst` empty, when
// the quoted text does not fit.
bool sql_quote(char *dst, size_t size, const char *src);

// Empties the lists that the named section rebuilds (always 0).
int clear_structures(const char *section);
// The highest stored policy version of the network into g_ndlversion:
// 1, or -1 on an OCI failure.
int load_policyversion();
// Reads the whole stored network into the record lists: 1, or 0 at the first
// section reader that failed.
int retrieve_data();
// Writes every table from the record lists; without a load file every
// statement runs. 1 when all were written, 0 at the first failure.
int print_info(FILE *loadfp);
// Inventory checks: nonzero keeps the parsed section, 0 refuses it.
int NDL_validateTopology();
int NDL_validateCustomer();

// Customer-table readers (built with the database layer).
cust_var_rec *load_custvars();
cust_conn_type_rec *load_custconntypes();
int load_custconnqospolicies(cust_conn_type_rec *list);
cust_conn_addr_type_rec *load_custaddrtypes();
cust_conn_interface_rec *load_custconninterfaces();
cust_conn_node_rec *load_custconnnodes();
int load_custconnnodesloopback(cust_conn_node_rec *list);
cust_node_var_rec *load_custnodevars();
cust_conn_var_rec *load_custconnvars();
cust_conn_hsrp_var_rec *load_custhsrpvars();
int load_custconnfilters();

#endif
