// The block parsers of the TOPOLOGY and CUSTOMER sections. Every block
// parser has the driver's signature: it is called after its block keyword,
// returns 0 when the block was read to its END (errors may have been
// flagged) and 1 after an error that stopped it (logged, g_error set, the
// token kept for skip_block).
#ifndef NDL_TOPOLOGY_BLOCKS_H
#define NDL_TOPOLOGY_BLOCKS_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "block.h"
#include "records_topology.h"
#include "sections.h"
#include "topology.h"
#include "validations.h"

// The customer blocks' records, for the files that read those blocks.
struct cust_conn_node_lb_rec;
struct cust_conn_node_rec;
struct cust_conn_qos_policy_rec;
struct cust_conn_type_rec;

// ---- VARIABLE definitions ----
// A plain word that opens a definition, as the reference names it
// (word_opens_variable reads it with the VARIABLE row, whose entry this is).
inline constexpr keyword_rule kVariableWord{.name = "", .kind = value_kind::entry, .repeatable = true,
                                            .entry = &variable_entry};
// The keywords of a block made of VARIABLE definitions up to END
// (NETWORKVARS, DOMAIN, NODES): VARIABLE, or any plain word, opens a
// definition that `file` files; any other token fails with `invalid_msg`
// (token, Line, kind).
constexpr auto variable_block_keys(entry_file file, const char *invalid_msg) {
    return keyword_table_of{{token_row("BEGIN", TOKEN_BEGIN),
                             {.name = "VARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry,
                              .repeatable = true, .entry = kVariableWord.entry, .file = file},
                             token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN),
                             token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END)},
                            {.invalid_msg = invalid_msg, .other = word_opens_variable}};
}

// A block's step for one definition, as an entry's file step: the
// definition is freed after it.
using var_step = int (*)(block_reader &r, var_def &def, void *owner);
template <var_step Step>
int file_definition(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    var_def *def = static_cast<var_def *>(entry);
    int status = Step(r, *def, owner);
    free_record(def);
    return status;
}

// ---- NETWORK, NETWORKVARS ----
int parse_network(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkvars(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- LISTDEFS, SYSTEMLIST, GLOBALLISTS, INTERFACE-BANDWIDTH-LIST ----
// The texts that the list blocks share: their BEGIN, their entries
// "KEY = ( NAME = n , KEY = "a, b ..." )" and a repeated element.
inline constexpr char kListBeginMsg[] = "ERROR : Invalid token,  'BEGIN' expected : '%s' @ %d \n";
inline constexpr char kListInvalidMsg[] = "ERROR : Invalid Input %s @%d %d\n";
inline constexpr char kListEqualMsg[] = "ERROR : Syntax error '=' expected : %s @%d\n";
inline constexpr char kListOpenMsg[] = "ERROR : Syntax error '(' expected : %s @%d\n";
inline constexpr char kListSeparatorMsg[] = "ERROR : Syntax error ','  expected :%s @%d\n";
inline constexpr char kListCloseMsg[] = "ERROR : Syntax error ')'  expected :%s @%d\n";
inline constexpr char kListQuotedMsg[] = "ERROR : Quoted string expected :%s @%d\n";
inline constexpr char kListNameMsg[] = "ERROR :Syntax error NAME expected': %s @%d\n";
inline constexpr char kDuplicateElementMsg[] = "ERROR : Duplicate element value for list :%s %s  @ %d\n";
// How such an entry is read: its two keywords in order.
inline constexpr loop_options kListEntryOptions{.style = loop_style::ordered,
                                                .equal_msg = kListEqualMsg,
                                                .separator_msg = kListSeparatorMsg,
                                                .close_msg = kListCloseMsg};
extern const value_table systemlists[];
int parse_listdefs(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_systemlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
// Files the elements of a LIST's quoted text under `listname`: 0, or 1
// after a logged error.
int extract_listelements(const char *text, const char *listname);
// A block "BEGIN entries END" of `keys` (LISTDEFS and the lists below).
int read_list_block(FILE *fp, keyword_table &keys);
int parse_globallists(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_intbandwidthlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- DOMAIN, NODES, ADDRESSPOOL ----
int parse_domains(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_nodes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_addresspools(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkpool(FILE *fp);
// One domain_service_rec per service of the comma-separated `services`
// (letters and "-" only), each with `source`: 0, or 1 with the message in
// g_errormsg (not logged).
int formatSource(const char *domainname, const char *nodetype, const char *services,
                 const char *source);

// ---- address assignment groups ----
// IPADDRESS, DEPENDENCY, SELECTIONMETHOD and INSTANCEID, shared by the
// blocks that say how their addresses are assigned. Every reader returns 0
// when its group was read (errors may have been flagged) and 1 after an
// error that stops the calling block (reported, the token kept).
extern const value_table AddressTypes[];
extern const value_table ValidationTypes[];
extern const value_table hostpoolowners[];
// The longest instance identifier.
constexpr int kInstanceIdMax = 30;

// "= ( ADDRESSTYPE = t [, ADDRESS = "a" | , OFFSET = "o"] [, PREFIX = p] )":
// the type upper-cased, the prefix "0" and the rest empty until given.
struct ipaddress_group {
    char addresstype[kText];
    char address[kText];
    char prefix[kText];
    char offset[kText];
};
// `context` "LOGICALINT" or "CONNECTION" (where a host pool's prefix may be
// any token).
int extract_ipaddress(FILE *fp, ipaddress_group *group, const char *context);

// The lists that the readers here read, for the rows that open them: each
// reader reads through its entry, so the reference lists what is read.
extern const entry_def ipaddress_def;   // IPADDRESS
extern const entry_def dependency_def;  // DEPENDENCY
extern const entry_def selmethod_def;   // SELECTIONMETHOD
extern const entry_def instances_def;   // INSTANCEID: names, no keywords

// "= ( NAME = n , MINVALUE = m , MAXVALUE = x )": appended once read whole.
struct dependency_entry {
    char name[kName];
    int32_t minvalue;
    int32_t maxvalue;
};
using dependency_list = std::vector<dependency_entry>;
int extract_dependency(FILE *fp, dependency_list &entries);

// "= ( KEY = value , ... )" for the pool an address is drawn from; only
// for ADDRESS-HOST-POOL and ADDRESS-CONNECTION-POOL assignments.
struct selmethod_group {
    char poolname[kText];
    char servicetype[kText];
    char hosttype[kText];
    char nattype[kText];
    char poolowner[kText];  // "GLOBAL" unless given
    char poolownervar[kText];
    char poolclass[kText];
};
int extract_selmethod(FILE *fp, const char *addresstype, selmethod_group *group);

// "= ( id , id ... )": one domain_inst_var_rec per identifier under
// `endpoint` and `sequence`; *first the first one filed (null for none).
int extract_instances(FILE *fp, const char *endpoint, int sequence, domain_inst_var_rec **first);

// The owner of an assignment as validate_owner gives it (all empty when no
// owner was given). A variable is known to it when every connection of the
// list declares it, or else the owner's node or its connections do.
// validate_instancevars: 1 when every identifier filed under `endpoint`
// from `first` on is known, else 0 with the first unknown in `name` (of
// kText bytes).
int validate_instancevars(const char *endpoint, const int *connlist, const char *domainname,
                          const char *nodetype, const domain_inst_var_rec *first, char *name);
int validate_poolvar(const char *endpoint, const int *connlist, const char *domainname,
                     const char *nodetype, const char *variable);

// What one IPADDRESS assignment collects until it is finished.
struct assignment_attrs {  // the attributes a block reads into it
    char owner[kText];     // ADDRESSOWNER
    char ownerdomain[kName];
    char ownernode[kName];
    int connlist[kConnListSize];
    char validation[kName];
    char validationpool[kName];
};
struct address_assignment {
    // Made as reset() leaves it: the variable rows (30 KB) are written
    // before they are read, so they are not zeroed.
    address_assignment() { reset(); }
    ipaddress_group ip;
    selmethod_group sel;
    assignment_attrs attrs;
    dependency_list dependencies;
    // The variables of the address expression, as validate_ipaddress left them.
    value_table names[kAddrVarNames];
    int namecount;
    domain_inst_var_rec *instances;
    int line, selline, instline;  // of IPADDRESS, SELECTIONMETHOD, INSTANCEID
    // Everything empty, as when an IPADDRESS opens the assignment.
    void reset();
};
// ADDRESSOWNER's own check: the owner's domain, node type and connections.
int check_addressowner(block_reader &r, const keyword_rule &rule, void *attrs);
// validate_ipaddress on the assignment's address for its owner, with Line at
// the IPADDRESS line meanwhile: 0 valid, 1 refused (message in g_errormsg).
int check_fixed_address(address_assignment &a);
// ADDRESS-FIXED, NETWORK-FIXED, ADDRESS-HOST-POOL or ADDRESS-CONNECTION-POOL:
// the types that get address records.
bool has_address_records(const char *addresstype);
// The address record of a finished assignment.
void file_address_assign(const address_assignment &a, int pointtype, const char *endpoint,
                         int sequence);
// The same from its parts (an HSRP group's address in its connection type's
// pool and owner).
void file_address_record(const ipaddress_group &ip, const selmethod_group &sel, const assignment_attrs &attrs,
                         int pointtype, const char *endpoint, int sequence);
// The address-expression variables: DOMAINID, NODEID and LINKID join the
// dependencies, the first dependency's own name is accepted, any other is
// flagged.
void check_address_variables(address_assignment &a);
// One address_dependency_rec per dependency, in order.
void file_address_dependencies(const address_assignment &a, int pointtype, const char *endpoint,
                               int sequence);

// ---- LOGICALINTERFACE ----
int parse_logint(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- CONNECTIONS ----
// The scopes of connections: INTERNAL, EXTERNAL.
extern const value_table Scope[];
int parse_connections(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- connection members, interface types and filters ----
// How a "domain . nodetype" pair is read, its domain already in r.tok: the
// messages of the block that reads it (null: that check is not made). Both
// names are only flagged when unknown, and refused (flagged, the field left
// empty) when they do not fit their 30 characters.
struct domain_node_rules {
    const char *domain_eof_msg = nullptr;  // a token error as the domain (token, Line)
    const char *domain_msg = nullptr;      // the domain is not a word (token, Line)
    const char *unknown_domain = nullptr;  // (token, Line)
    const char *dot_msg = nullptr;         // no "." (token, Line), or (Line) without dot_token
    bool dot_token = true;
    const char *node_msg = nullptr;      // the node type is not a word (token, Line)
    const char *unknown_node = nullptr;  // the pair is no node type (token, Line)
};
// 0 read (errors may be flagged), 1 stop.
int read_domain_node(block_reader &r, text_field<kName> &domainname, text_field<kName> &nodetype,
                     const domain_node_rules &rules);
// The texts of the member and interface groups of connection types and
// logical paths.
inline constexpr char kMemberEqualMsg[] = "ERROR: Invalid syntax '=' expected :%s @ %d\n";
inline constexpr char kMemberOpenMsg[] = "ERROR: Invalid syntax '(' expected :%s @ %d\n";
inline constexpr char kGroupEofMsg[] = "ERROR: Unexpected end of file :%s @ %d\n";
// The same where the end of the file itself is reported: its token is empty.
inline constexpr char kGroupEofLineMsg[] = "ERROR: Unexpected end of file : @ %d\n";
// "= ( KEYWORD =": the opening of a member or interface group, with their
// "=" and "(" messages; another first keyword fails with `keyword_msg`
// (token, Line). The keyword is marked found.
bool open_group(block_reader &r, const char *keyword, const char *keyword_msg);
// After the fixed head of a "( ... )" group of a separated table: ")" ends
// it, "," goes on with the attribute loop, anything else is the table's
// separator message. 0 read, 1 stop.
int read_after_head(block_reader &r, void *rec);

// "= ( NODE = domain . nodetype , KEY = value ... )" of a connection type
// `connectionno` named `connectionname`, its TYPE so far `networktype`
// (NETWORK-REMOTE members may take the dial-up flags).
int extract_members(FILE *fp, int connectionno, const char *connectionname, const char *networktype);
// "= ( TYPE = type , KEY = value ... )".
int extract_interfaces(FILE *fp, int connectionno);
// What those two read, for the reference.
extern const entry_def member_def;
// How a MEMBER list is written (it opens with NODE), for the reference.
inline constexpr char kMemberForm[] =
    "`MEMBER = ( NODE = DOMAIN.TYPE , ... )`: NODE first, then the other keywords, comma-separated";
extern const entry_def interfaces_def;
// 1 when the node type is a member of the connection.
int validate_domainfixedconn(const char *domainname, const char *nodetype, int connectionno);
// The first member (filter) record of a connection number, or null: the
// records of one connection type's block follow each other in their list.
domain_fixed_conn_rec *first_member(int connectionno);

// The longest member-filter variable.
constexpr int kMemberFilterMax = 30;
// "= ( name , name ... )": each name (a word of at most kMemberFilterMax
// characters) goes to `file` with its sequence from 1; a name that `known`
// finds for the connection is flagged and filed again. 0, or 1 stop.
int read_filter_names(FILE *fp, int connectionno, int (*known)(int connectionno, const char *name),
                      void (*file)(int connectionno, int sequence, const char *name));
// What read_filter_names reads: names, no keywords.
extern const entry_def memberfilter_def;
inline constexpr char kMemberFilterForm[] =
    "`MEMBERFILTER = ( NAME , ... )`: variable names, comma-separated; `( )` names none";
int extract_memberfilters(FILE *fp, int connectionno);
int validate_domainconnfilters(int connectionno, const char *name);
domain_conn_filter_rec *first_filter(int connectionno);
// "= ( variable = SAME|DIFFERENT , ... )" of a customer interface: each
// variable must be known to the node type and the named connection.
int extract_custconnfilters(FILE *fp, int nodeinstance, int instanceno, const char *servicetype,
                            const char *conntypename, const char *connectionname, const char *domainname,
                            const char *nodetype);
// 1 when the loopback sub-list from `first` on holds that entry.
int validate_custconnlb(const cust_conn_node_lb_rec *first, const char *loopbacktype, int nodeinstance,
                        const char *lbinstance);
// validate_custconnlb on the node's whole loopback sub-list, by an index.
int validate_nodeloopback(const cust_conn_node_rec *node, const char *loopbacktype, int nodeinstance,
                          const char *lbinstance);
// 1 when the node type has that logical interface.
int validate_nodelogint(const char *domainname, const char *nodetype, const char *intno, const char *inttype);

// ---- HSRP and APS ----
// One statement "# n . MEMBER = ( ... )", "# n . AUTHENTICATION = flag",
// "# n . IPADDRESS = ( ... )" or "# n . HSRPPRIORITY = "list"" of a
// connection type, after its HSRP; the group's address takes the pool,
// owner and selection method of `a`, the connection type's open
// assignment. `authenticated` is the connection type's flag, in and out.
int extract_hsrp(FILE *fp, int connectionno, const char *connectionname, const address_assignment &a,
                 int *authenticated);
// "= ( MEMBER = domain . nodetype , MODE = WORKING|PROTECTED )".
int extract_APS(FILE *fp, int connectionno);
// What extract_hsrp and extract_APS read, for the reference.
extern const entry_def hsrp_def;
extern const entry_def aps_def;

// ---- CONNECTIONTYPE ----
int parse_connectiontypes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
// 1 when every member-filter variable of the connection is known to every
// member node type of it.
int validate_memberfiltervars(const char *connectionname, int connectionno);

// ---- LOGICAL-PATH ----
int parse_logicalconnection(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
// "= ( NODE = domain . nodetype , KEY = value ... )" of logical path `connectionno`.
int extract_vcmembers(FILE *fp, int connectionno);
extern const entry_def vcmember_def;  // what it reads, for the reference
// "= ( name , name ... )", numbered from 1 in each group.
int extract_vcmemberfilters(FILE *fp, int connectionno);
// 1 when a logical path of that name (exact) has been filed.
int validate_logicalconntypes(const char *name);
int validate_vcconnfilters(int connectionno, const char *name);

// ---- CUSTOMER-TYPE ----
int parse_customertype(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// What one CUSTOMER-TYPE block has read so far, for its group entries.
struct customer_block {
    cust_conn_type_rec *type;  // the block's record, appended at its END
    bool domain_given, service_given, conntype_given;
    // The domain and node type that the CONNECTTO names.
    char connectdomain[kName];
    char connectnode[kName];
    cust_conn_node_rec *node;  // the last NODETYPE group's record
    int nodetypes;             // NODETYPE groups read
    int variables;             // VARIABLE groups read
    value_table addrtypes[20];
    int addrcount;
};
// The modes of the connection entries: node mode refers to the block's
// domain and its NODETYPE groups, connect-to mode (a block without them) to
// the node type that its CONNECTTO names.
enum { kNodeMode = 0, kConnectToMode = 1 };

// "# instance" (a block with at most one NODETYPE group: its last one) or
// "# nodetype # instance" after a group keyword; `instance_msg` (token, Line)
// when no instance number follows. 0 read, 1 stop.
struct custnode_ref {
    cust_conn_node_rec *node;  // null: no NODETYPE group
    const char *nodetype;
    int32_t nodeinstance;
};
int read_custnode_ref(block_reader &r, const customer_block &b, const char *instance_msg, custnode_ref *ref);

// The group entries: each reads from the token after its keyword to its
// ")" and appends its records. 0 read (errors may be flagged), 1 stop.
extern const entry_def custconntype_entry;  // CONNECTIONTYPE: a custconntype_group
struct custconntype_group {
    char connectto[kText];
    char scope[3][kText];
    int32_t directconnect;
};
extern const entry_def custqoslist_entry;  // QOSPOLICYLIST: a custqoslist_group
struct custqoslist_group {
    char name[kText];
    value_table policies[100];
    int32_t count;
};
// Appends one record per policy of the list to the sub-list, whose list
// names so far are `names`: 0, or 1 stop.
int store_qospolicylist(block_reader &r, tail_list<cust_conn_qos_policy_rec> &list,
                        std::unordered_set<std::string> &names, const char *listname, const value_table *policies,
                        int count);
extern const entry_def poolclassmap_entry;  // POOLCLASSMAP: files its pool_class_mapping_rec
// CONNECTION "# ... = ( NAME = n , ... )": the entry it reads.
extern const entry_def interface_entry;
int extract_custnodeinterfaces(FILE *fp, const customer_block &b, int mode);
int extract_custconnvariables(FILE *fp, const customer_block &b, int mode);
// The pairs CONNECTION-VARIABLE and HSRP-VARIABLE read, for the reference.
extern const entry_def connvar_entry, hsrpvar_entry;
int extract_custnodevariables(FILE *fp, const customer_block &b);
int extract_custhsrpvariables(FILE *fp, const customer_block &b);

// ---- SERVICE-TYPE, POOL-CLASS, POOL-TYPE ----
int parse_servicetypes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_poolclass(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_pooltypes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- the blocks' keywords, for the dispatch rows ----
block_keys network_keys();
block_keys listdefs_keys();
block_keys systemlist_keys();
block_keys networkvars_keys();
block_keys domain_keys();
block_keys nodes_keys();
block_keys addresspool_keys();
block_keys globallists_keys();
block_keys intbandwidthlist_keys();
block_keys servicetypes_keys();
block_keys poolclass_keys();
block_keys pooltypes_keys();
block_keys logint_keys();
block_keys connections_keys();
block_keys connectiontypes_keys();
block_keys logicalpath_keys();
block_keys customertype_keys();

#endif
