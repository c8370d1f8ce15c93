// The common validations: value types, addresses, interface references,
// contexts, command values, owners and function values. Every check leaves
// its message in g_errormsg without logging it (the calling block logs it),
// and the driver's end-of-section checks live here too.
#ifndef NDL_CORE_VALIDATIONS_H
#define NDL_CORE_VALIDATIONS_H

#include <cstdint>

#include "tokenizer.h"

// ---- end-of-section checks of the driver ----

// End-of-section checks of dynamic-list variable references.
int validateuser_vars();
int validatecustuser_vars();
// Drops the stored access lists that the section about to be parsed declares
// anew.
void filter_accesslists();
// The usages of access lists that each section declares (the filter and the
// ACCESSLIST block agree through them).
extern const value_table RoutingAccessUsages[];
extern const value_table QosAccessUsages[];
extern const value_table FirewallAccessUsages[];

// ---- shared data ----

// A connection-number list: connection numbers ended by the first value below
// 1. Every list that a check fills has room for kConnListSize entries, the
// terminator included; a producer that would go past that refuses with a
// message instead.
constexpr int kConnListSize = 256;
// The scratch name array of validate_ipaddress has room for this many rows.
constexpr int kAddrVarNames = 100;

// One row of a function table; a table ends with a row whose name is empty.
// kind: 1 IP function, 2 interface function, 3 variable function (context
// functions are all 1; EVALEXP 16, LOOKUP 15). scope: 1 evaluated on the
// local node, 2 in the current context.
struct function_entry {
    const char *name;
    int kind;
    int scope;
};
extern const function_entry Functions[];
extern const function_entry ContextFunctions[];
extern const function_entry Expfunctions[];

extern const value_table ServiceTypes[];
extern const value_table NatTypes[];

// Set by validate_commandvar when the value held a non-empty bracketed
// expression.
extern int g_varused;

// ---- value types, addresses and interface references ----

// 1 and the code of the type name (NUMBER 12, STRING 11, BOOLEAN 13,
// STATIC-LIST 17, ...); 0 with the code 0.
int getdatatypes(const char *name, int *code);
// A static-list code (17) becomes NUMBER (12) when the list holds only
// numbers or does not exist. Always 1.
int check_listtype(const char *listname, int *code);
// 1 with the row's kind and scope when the name is in the table, else 0.
int validate_func(const function_entry *table, const char *name, int *kind, int *scope);

// A dotted address of four octet expressions over NUMBER variables.
// Note the sense: 0 VALID, 1 invalid. `names` has room for kAddrVarNames
// rows; *count ends at 0 on success.
int validate_ipaddress(const char *domainname, const char *nodetype, const int *connlist,
                       const char *address, value_table *names, int *count);
// 1 for a literal dotted quad or an address that validate_ipaddress accepts.
int validate_ipaddr(const char *domainname, const char *nodetype, const char *address,
                    const int *connlist);
// Interface reference (CONN.x[.LOOPBACKN], INTERFACE.x, RP, BSR, MAPAGENT).
int validate_int(const char *domainname, const char *nodetype, const char *reference,
                 const char *funcname, const int *connlist);
// Argument text of an IP function.
int validate_ip(const char *domainname, const char *nodetype, const char *arguments,
                const char *funcname, const int *connlist);
// A whole address-function expression with optional context prefixes.
// remotedomain / remotenode (31 bytes each) name the remote context, empty
// when there is none, and receive the last prefix's node. `connlist` keeps
// what the caller passed until a prefix replaces it.
int parse_ipaddrandvars(const char *domainname, const char *nodetype, char *remotedomain,
                        char *remotenode, const char *expression, int *kind, int *connlist,
                        int *type);

// ---- contexts and command values ----

int validate_context(const char *domainname, const char *nodetype, const char *context,
                     int *kind);
int parse_context(const char *domainname, const char *nodetype, char *remotedomain,
                  char *remotenode, const char *context, int *kind, int *connlist);
// *connectionno: the connection a BYCONN-like function names, else 0.
int validate_parameters(const char *domainname, const char *nodetype, const char *arguments,
                        const char *funcname, int *connectionno, const int *connlist);
// 1 for a conditional context (at least 3 characters, beginning with "IF").
int is_ifcontext(const char *context);
// An address expression checked under up to three contexts.
int check_addrandvars(const char *domainname, const char *nodetype, const char *context1,
                      const char *context2, const char *context3, const char *expression,
                      int *kind, int *type);
// A value with bracketed variable expressions: 1 valid (its type code in
// *type: 0 empty, 12 all NUMBER, 8 NUMBER with literal text, 11 otherwise),
// 0 invalid with the message in g_errormsg.
int validate_commandvar(const char *domainname, const char *nodetype, const char *context1,
                        const char *context2, const char *context3, const char *value,
                        int *type);
// Groups of <variable, start, end>.
int validate_dynamicvar(const char *domainname, const char *nodetype, const char *value);

// ---- owners, connection lists and function values ----

// Appends the number of every pair of fixed connections, one of each node,
// that share it; ends the list with 0. The count, or -1 (message in
// g_errormsg, list ended) when the list would overflow.
int updateconnlist(const char *domainname1, const char *nodetype1, const char *domainname2,
                   const char *nodetype2, int *connlist);
// DOMAIN | DOMAIN.NODE[@DOMAIN.NODE...][.CONN.connection]; the buffers have
// room for 31 bytes each.
int validate_owner(const char *owner, char *domainname, char *nodetype, int *connlist);

// Check kinds of a vendor value table row.
struct vendor_value_entry {
    const char *word;  // null ends the table
    int kind;
};
struct vendor_validation_entry {
    const char *vendor;  // null ends the map
    const char *tablename;
    const vendor_value_entry *table;
};
extern const vendor_validation_entry globalvendorvalidationmap[];

int get_vendorspecific_validation(const char *vendor, const char *tablename,
                                  const vendor_value_entry **table);
// One word-and-value pair of a route-map or QoS rule: 0 valid, 1 error,
// 2 warning, the text in `message` (room for kMsgSize bytes; empty when
// valid).
int validatecfgvaltypes(const vendor_value_entry *table, const char *word, const char *value,
                        char *message, const char *domainname, const char *nodetype,
                        const char *context1, const char *context2, const char *context3);
// The reference's text of what VALUE takes beside a word of `kind`.
const char *vendor_value_text(int kind);
int validate_numberfunction(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *value);
int validate_expressionfunc(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *value);
int validate_lookup(const char *domainname, const char *nodetype, const char *context1,
                    const char *context2, const char *context3, const char *value);

#endif
