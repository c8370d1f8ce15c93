// The registry: every check of a name against what the run already knows
// (entries parsed so far and rows read from the repository), the variable
// reference checks and the system-variable tables.
//
// Names are compared whole and with case; callers upper-case where needed.
// Lookups answer 1 found, 0 not found, except the duplicate tests
// (validate_pooltypemapentry, validate_poolclassmap, validata_APS), which
// answer 1 for a new entry and 0 when an equal one is already there. A check
// that explains a refusal leaves the text in g_errormsg without logging it;
// the calling block logs it. Out arguments are written only on success.
#ifndef NDL_CORE_REGISTRY_H
#define NDL_CORE_REGISTRY_H

#include <cstddef>

#include "records_common.h"
#include "tokenizer.h"

// Only the records that a check takes or gives: a file that uses a record
// includes its section's header, and a change of a table rebuilds only those.
struct aps_member_rec;
struct com_pool_type_rec;
struct cust_conn_node_rec;
struct domain_route_map_rec;
struct system_list_rec;

// ---- topology and customer lists ----

int validate_pooltypemapentry(const com_pool_type_rec *candidate);
// allroles 1: a mapping of any role type is a duplicate.
int validate_poolclassmap(const char *conntypename, const char *roletype, const char *hosttype,
                          const char *nattype, int allroles);
int validate_poolclass(const char *name);
// 1 when the name is used as a list id or as a variable name.
int globallistname_exists(const char *name);
int validate_servicetype(const char *servicetype, const char *hosttype);
int validate_servicedispname(const char *name);
int validate_servicename(const char *name);
int validate_hosttype(const char *hosttype);
int validate_servicetypevar(const char *servicetype, const char *variablename);
int validate_pooltype(const char *servicetype, const char *hosttype, const char *poolowner);
int validate_domain(const char *domainname);
int validate_domainsnmpcommunity(const char *name);
int validate_addresspools(const char *addresspoolname, const char *protocoltype);
// On success the node's device type goes into `devicetype` (of `size` bytes,
// 31 unless said otherwise), cut to fit.
int validate_node(const char *domainname, const char *nodetype, char *devicetype,
                  size_t size = kName);
// The variable lookups give the data type code of the variable (refined by
// its list type) in *datatype.
int validate_domainvariable(const char *domainname, const char *variablename, int *datatype);
int validate_networkvariable(const char *variablename, int *datatype);
int validate_custvars(const char *servicetype, const char *conntypename, const char *variablename);
int validate_domainnodevar(const char *domainname, const char *nodetype, const char *variablename,
                           int *datatype);
int validate_domainservices(const char *domainname, const char *nodetype, const char *servicename);
int validate_customertypes(const char *conntypename);
int validate_customerinterfaces(const char *servicetype, const char *conntypename,
                                const char *nodetype, const char *interfacetype,
                                const char *encapsulationtype, const char *connectionname,
                                int nodeinstance, int instanceno);
// On success *entry is the customer node found.
int validate_customernode(const char *servicetype, const char *conntypename, const char *nodetype,
                          cust_conn_node_rec **entry);
int validate_domaininttypes(int connectionno, const char *interfacetype,
                            const char *encapsulationtype);
int validate_domainconntypes(const char *connectionname);
// The first connection-type or loopback assignment from the pool: its end
// point goes into `namedendpoint` (of `size` bytes, 301 unless said
// otherwise), cut to fit.
int validate_domainconnpools(const char *poolname, char *namedendpoint, size_t size = kText);
// 0 with the message in g_errormsg (not logged). *connectionno is 0 on entry
// and the connection's number once the name is known.
int validate_nodeconninst(const char *domainname, const char *nodetype, const char *connectionname,
                          int nodeinstance, int unused, int *connectionno);
// Logs its two messages itself (unknown connection, wrong interface type).
int validate_nodeconnections(const char *domainname, const char *nodetype, int nodeinstance,
                             int unused, const char *encapsulationtype, const char *interfacetype,
                             const char *connectionname);
// The pair is tried in the order given only.
int validate_domainconnections(const char *domainname1, const char *domainname2,
                               const char *conntype);
int validate_conninstvars(const char *connectionname, const char *variablename);
// 1 with *count the next free ordinal of the interface on the node, 0 for an
// interface number that is neither "N" nor begins with a digit, or an
// unknown node.
int check_logint(const char *domainname, const char *nodetype, const char *devicetype,
                 const char *intno, int *count);
int validate_logint(const char *domainname, const char *nodetype, const char *devicetype,
                    const char *inttype, const char *intno);
int validate_listvalues(const char *listname);
int validate_listelements(const char *listname, const char *elementvalue);
int validate_intbandwidth(const char *interfacetype, const char *bandwidth);
// On success *entry is the system list's header.
int validate_systemlist(const char *listname, system_list_rec **entry);
int systemlist_varfound(const system_list_rec *list, const char *value);
// 1 when the list exists and holds every value; at the first missing one its
// index goes into *index and the answer is 0. A list that does not exist
// gives 0 with *index -1, so that the caller's message names the list.
int validate_systemlistentries(const char *listname, const value_table *values, int count,
                               int *index);
int validata_APS(const aps_member_rec *candidate);
// 0 when the connection type is unknown.
int getconnidfromname(const char *connectionname);
// The connection type's name, null when unknown.
const char *getconnnamefromid(int connectionno);

// ---- routing and route-policy lists ----

int validate_domainbgppeer(const char *domainname, const char *nodetype, const char *peername);
// One of the three contexts must equal the entry's context in the same place.
int validate_domainmapclass(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *mapclassname);
int validate_prefixlist(const char *domainname, const char *nodetype, const char *listname,
                        const char *context1, const char *context2, const char *context3);
// nametype "STRING" matches by name, "SEQUENCE" by start sequence; a SEQUENCE
// with a context is warned about unless quiet.
int validate_accesslist(const char *domainname, const char *nodetype, const char *context1,
                        const char *context2, const char *context3, const char *nametype,
                        const char *aclname, int sequence, int quiet);
int validate_routemap(const char *domainname, const char *nodetype, const char *context1,
                      const char *context2, const char *context3, const char *routemap);
// The first route map record of that name for the node type, or null.
domain_route_map_rec *find_routemap(const char *domainname, const char *nodetype, const char *routemap);
int validate_routemapseq(const char *domainname, const char *nodetype, const char *routemap,
                         int sequence);
int validate_routemapmatchlist(const char *domainname, const char *nodetype, const char *routemap,
                               int sequence, int matchsequence);
int validate_routemapsetlist(const char *domainname, const char *nodetype, const char *routemap,
                             int sequence, int setsequence);

// ---- variables and variable references ----

// Data type codes.
enum { DT_STRING = 11, DT_NUMBER = 12, DT_BOOLEAN = 13, DT_STATICLIST = 17 };

// A row of a system-variable table; a table ends with a row without a name.
struct system_var_entry {
    const char *name;
    int type;
};
extern const system_var_entry connsystemvar[];
extern const system_var_entry nodesystemvar[];
extern const system_var_entry domainsystemvar[];
extern const system_var_entry communitysystemvar[];
extern const system_var_entry customersystemvars[];

// The value lists of variable definitions.
extern const value_table Boolean[];
extern const value_table Constraints[];
extern const value_table VariableTypes[];   // the modes
extern const value_table DomainVarTypes[];  // the types

// 1 when the value is a row of the table (the table ends at its first empty
// row, so an empty value never matches).
int validate_var(const value_table *table, const char *value);
// 1 and the row's type when the name is a row of the table; a null table
// answers 0.
int validate_systemvar(const system_var_entry *table, const char *name, int *type);
int validate_domainconnvars(int connectionno, const char *variablename, int *type);
int connvar_exists(const char *domainname, const char *nodetype, const char *connectionname,
                   const char *variablename, int *type);
int nodevar_exists(const char *domainname, const char *nodetype, const char *variablename,
                   int *type);
int conn_exists(const char *domainname, const char *nodetype, const char *connectionname);
int validate_anycommunityvar(const char *variablename, int *type);
int validate_anycommunitypoolvar(const char *variablename);
int validate_customervars(const char *variablename, int *type);
// A dotted variable reference: 1 with *type set, 0 with the message in
// g_errormsg (not logged). `kind` is not read. `connlist` holds connection
// numbers, ended by the first below 1 (may be null).
int validate_vars(const char *domainname, const char *nodetype, const char *reference,
                  const char *kind, int *type, const int *connlist);
// 1 when the same protocol (domain, node type, protocol, asn, instance name)
// is already declared; else files it and answers 0.
int validate_protocols(const char *domainname, const char *nodetype, const char *protocol,
                       const char *asn, const char *mandatory, const char *routerid,
                       const char *clusterid, const char *usagecondition,
                       const char *ownercontext, const char *instancename);

// validateuser_vars, validatecustuser_vars and filter_accesslists are
// declared with the driver's checks in validations.h.

#endif
