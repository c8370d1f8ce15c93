// The group entries of a CUSTOMER-TYPE block: where it connects to, its QoS
// policy lists and pool-class mappings, the customer's connections and the
// variables of its nodes, connections and HSRP groups.
#include <cstring>
#include <memory>

#include "lookup.h"
#include "records_customer.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

lookup::tally_index<domain_node_rec, lookup::highest<&domain_node_rec::maxnode>, &domain_node_rec::domainname,
                    &domain_node_rec::nodetype>
    largest_maxnode(prdomainnodes);

const value_table NatTypes2[] = {"STATIC", "DYNAMIC", "PAT", "NONE", ""};

const char kFrameEqualMsg[] = "ERROR: Invalid syntax '=' expected @ %d\n";
const char kFrameOpenMsg[] = "ERROR: Invalid syntax '(' expected @ %d\n";
const char kPairEndMsg[] = "ERROR: ',' or ')' expected : %s @ %d\n";
const char kPairEqualMsg[] = "ERROR: Invalid syntax '=' expected :%s @ %d\n";
const char kHashMsg[] = "ERROR: Keyword '#' expected: %s @%d\n";
const char kNodeInstanceMsg[] = "ERROR: Node instance  number expected %s @%d\n";
const char kConnInstanceMsg[] = "ERROR: Connection instance  number expected %s @%d\n";
const char kNameFirstMsg[] = "Please specify the connection name before the variables. @ %d\n";
const char kBooleanMsg[] = "ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : %s @%d\n";

void keep(text_ref field, const char *value) { field.set(value); }

// ---- CONNECTIONTYPE ----

custconntype_group &conntype_of(void *rec) { return *static_cast<custconntype_group *>(rec); }

// A CONNECTTO or SCOPE value: an owner reference (its refusal is only
// flagged) of at most 80 characters.
int owner_reference(block_reader &r, bool needs_connection) {
    char domainname[kName], nodetype[kName];
    int connlist[kConnListSize];
    if (!validate_owner(r.tok, domainname, nodetype, connlist)) flag_pending(r);
    if (needs_connection && connlist[0] < 1)
        return r.fail("ERROR: Connection name is required for CONNECTTO in CONNECTIONTYPE: '%s' @ %d\n", r.tok, Line);
    if (std::strlen(r.tok) > 80) return r.fail(kTooLongMsg, r.tok, Line);
    return 0;
}

int take_connectto(block_reader &r, const keyword_rule &, void *rec) {
    if (owner_reference(r, true)) return 1;
    keep(conntype_of(rec).connectto, r.tok);
    return 0;
}

int take_scope(block_reader &r, const keyword_rule &, void *rec) {
    custconntype_group &g = conntype_of(rec);
    int free_scope = 0;
    while (free_scope < 3 && g.scope[free_scope][0]) ++free_scope;
    if (free_scope == 3) return r.fail("ERROR: Maximum of three scopes can be given: @ %d\n", Line);
    if (owner_reference(r, false)) return 1;
    keep(g.scope[free_scope], r.tok);
    return 0;
}

int take_directlyconnected(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(Boolean, r.tok)) r.flag(kBooleanMsg, r.tok, Line);
    if (std::strcmp(r.tok, "TRUE") == 0) conntype_of(rec).directconnect = 1;
    return 0;
}

constinit keyword_table_of customerconntypetokens{
    {
        {.name = "CONNECTTO", .maxlen = 80, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "ERROR: Specify connecto value within quotes: %s @ %d\n", .after = take_connectto,
         .checks = "an owner `DOMAIN.TYPE.CONN.CONNECTIONTYPE` that names a connection"},
        {.name = "SCOPE", .maxlen = 80, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "ERROR: Specify Scope within quotes: %s @ %d\n", .repeatable = true, .after = take_scope,
         .checks = "an owner such as `DOMAIN`; at most three"},
        {.name = "DIRECTLYCONNECTED", .maxlen = 10, .length = length_rule::own, .upper = true,
         .after = take_directlyconnected, .values = Boolean},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token : '%s' @ %d\n",
     .dup_err = on_error::fail,
     .equal_msg = kFrameEqualMsg,
     .equal_token = false,
     .separator_msg = kPairEndMsg}};

// Its keywords are all optional: the check reports nothing unless they change.
int conntype_checks(block_reader &r, void *, void *) {
    r.check_mandatory("cusomerconnect",
                      "ERROR: token '%s' is missing for CONNECTIONTYPE in CUSTOMER-TYPE  block : @ %d\n",
                      r.start_line);
    return 0;
}

// ---- QOSPOLICYLIST ----

int list_after_name(block_reader &r, const keyword_rule &, void *) {
    if (!r.keys->found("NAME"))
        return r.fail("ERROR: Give NAME before defining LIST in QOSPOLICYLIST for customer block @%d\n", Line);
    if (r.kind != TOKEN_QUOTED) return r.fail("ERROR: LIST in QOSPOLICYLIST should be in quoted strings @%d\n", Line);
    return 0;
}

// The names are held to 100 characters when they are stored, not by the
// splitter.
constinit keyword_table_of customerqoslisttokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100,
         .toolong_msg = "ERROR: Token size exceeds maximum size: '%s' @ %d\n", .toolong_err = on_error::fail,
         .field = NDL_TEXT(custqoslist_group, name)},
        {.name = "LIST", .type = TOKEN_GROUP, .mandatory = 1, .maxlen = 100, .kind = value_kind::list,
         .field = NDL_ROWS(custqoslist_group, policies, count), .before = list_after_name,
         .checks = "after NAME"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute %s @%d in CUSTOMERTYPES\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = kPairEqualMsg,
     .separator_msg = kPairEndMsg}};

int qoslist_checks(block_reader &r, void *, void *) {
    return r.check_mandatory("customerqospolicy",
                             "ERROR: token '%s' is missing for QOSPOLICYLIST in CUSTOMER-TYPE  block : @ %d\n",
                             r.start_line)
               ? 0
               : 1;
}

// ---- POOLCLASSMAP ----

int take_hosttype(block_reader &r, const keyword_rule &, void *) {
    if (!validate_hosttype(r.tok)) r.flag("Invalid hosttype: %s  @%d\n", r.tok, Line);
    return 0;
}

int take_nattype(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(NatTypes2, r.tok))
        r.flag("ERROR : Invalid value for NAT type, ('STATIC','DYNAMIC', or 'PAT' is expected) : %s @%d\n", r.tok,
               Line);
    return 0;
}

int take_class(block_reader &r, const keyword_rule &, void *) {
    if (!validate_poolclass(r.tok)) return r.fail("Invalid poolclass: %s  @%d\n", r.tok, Line);
    return 0;
}

int take_enrollall(block_reader &r, const keyword_rule &, void *rec) {
    if (std::strcmp(r.tok, "TRUE") == 0) static_cast<pool_class_mapping_rec *>(rec)->enrollforall = 1;
    return 0;
}

// Role and host types have no longest value of their own: their 30-character
// fields hold them to that.
constexpr keyword_rule mapping_text(const char *name, int maxlen, field_ref field, attr_check after,
                                    const char *checks = nullptr, const value_table *values = nullptr) {
    return keyword_rule{.name = name, .mandatory = 1, .maxlen = maxlen,
                        .length = maxlen ? length_rule::table : length_rule::field,
                        .toolong_err = on_error::fail, .field = field, .upper = true, .after = after,
                        .checks = checks, .values = values};
}

constinit keyword_table_of poolclassmaptokens{
    {
        mapping_text("ROLETYPE", 0, NDL_TEXT(pool_class_mapping_rec, roletype), nullptr),
        mapping_text("HOSTTYPE", 0, NDL_TEXT(pool_class_mapping_rec, hosttype), take_hosttype,
                     "a host type of a SERVICE-TYPE"),
        mapping_text("NATTYPE", 30, NDL_TEXT(pool_class_mapping_rec, nattype), take_nattype, nullptr, NatTypes2),
        mapping_text("CLASS", 30, NDL_TEXT(pool_class_mapping_rec, poolclass), take_class,
                     "a class of the POOL-CLASS block, by its DISPLAYNAME when it has one; read upper-cased, "
                     "so a class whose name has a lower-case letter cannot be given"),
        {.name = "ENROLLALL", .maxlen = 30, .length = length_rule::own, .upper = true, .after = take_enrollall,
         .checks = "`TRUE` enrols every customer; any other word does not"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute: %s in poolclassmap @ %d\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = kFrameEqualMsg,
     .equal_token = false,
     .separator_msg = kPairEndMsg}};

void poolclassmap_defaults(void *entry, void *owner) {
    auto *rec = static_cast<pool_class_mapping_rec *>(entry);
    keep(rec->conntypename, static_cast<customer_block *>(owner)->type->conntypename);
    rec->nattype = "ALL";
}

int poolclassmap_checks(block_reader &r, void *entry, void *) {
    auto *rec = static_cast<pool_class_mapping_rec *>(entry);
    r.check_mandatory("poolclassmap", "ERROR: token '%s' is missing in POOLCLASSMAP  block : @ %d\n", Line);
    if (!validate_poolclassmap(rec->conntypename, rec->roletype, rec->hosttype, rec->nattype, rec->enrollforall))
        r.flag("ERROR: duplicate/invalid poolclassmap entry for hosttype '%s', and nattype '%s' : @ %d\n",
               rec->hosttype.c_str(), rec->nattype.c_str(), Line);
    return 0;
}

// ---- CONNECTION ----

// The domain and node type a connection entry is checked against.
struct entry_scope {
    const char *domainname;
    const char *nodetype;
};

entry_scope scope_of(const customer_block &b, int mode) {
    if (mode == kConnectToMode) return {b.connectdomain, b.connectnode};
    return {b.type->domainname, b.node ? b.node->nodetype : ""};
}

struct interface_group {
    cust_conn_interface_rec rec;
    entry_scope scope;
};

int take_remotenodefilter(block_reader &r, const keyword_rule &, void *entry) {
    interface_group &g = *static_cast<interface_group *>(entry);
    return extract_custconnfilters(r.fp, g.rec.nodeinstance, g.rec.instanceno, g.rec.servicetype,
                                   g.rec.conntypename, g.rec.connectionname, g.scope.domainname, g.scope.nodetype);
}

constexpr keyword_rule interface_text(const char *name, int mandatory, int maxlen, field_ref field,
                                      bool upper = false, const char *checks = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = maxlen,
                        .length = maxlen ? length_rule::table : length_rule::field,
                        .toolong_msg = "ERROR: Token length exceeds maximum limit: '%s' @ %d\n",
                        .toolong_err = on_error::fail, .field = field, .upper = upper, .checks = checks};
}

// What validate_nodeconnections holds the three to.
constexpr char kInterfacePair[] =
    "with ENCAPSULATION, the TYPE and ENCAPSULATION of one of the INTERFACETYPES of the connection type NAME "
    "names (a connection type without INTERFACETYPES takes none)";

// Also the keywords of the variable entries, which read their pairs
// themselves.
constinit keyword_table_of customerinterfacetokens{
    {
        interface_text("NAME", 1, 30, NDL_TEXT(interface_group, rec.connectionname), false,
                       "a CONNECTIONTYPE of the topology; the node type a member of it"),
        interface_text("INTERFACETYPE", 1, 30, NDL_TEXT(interface_group, rec.interfacetype), true, kInterfacePair),
        interface_text("ENCAPSULATION", 1, 0, NDL_TEXT(interface_group, rec.encapsulationtype), true,
                       "as INTERFACETYPE"),
        interface_text("REMOTEDOMAINID", 0, 30, NDL_TEXT(interface_group, rec.remotedomain)),
        interface_text("REMOTENODEID", 0, 30, NDL_TEXT(interface_group, rec.remotenodetype)),
        refused_row("SPEED", TOKEN_ATTRIBUTE, 30),
        {.name = "REMOTENODEFILTER", .type = TOKEN_GROUP, .kind = value_kind::none, .after = take_remotenodefilter,
         .checks = "`REMOTENODEFILTER = ( VARIABLE = SAME , ... )`: variables of the node type, each SAME or "
                   "DIFFERENT"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("#", TOKEN_HASH),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d",
     .dup_err = on_error::fail,
     .equal_msg = kPairEqualMsg,
     .separator_msg = kPairEndMsg}};

}  // namespace

const entry_def interface_entry{.keys = &customerinterfacetokens,
                                .equal_msg = kFrameEqualMsg,
                                .equal_token = false,
                                .open_msg = kFrameOpenMsg,
                                .open_token = false};

namespace {

// "# number" into *value, else `number_msg`.
int read_instance(block_reader &r, const char *number_msg, int32_t *value) {
    if (!r.expect("#", kHashMsg)) return 1;
    r.read();
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, value)) return r.fail(number_msg, r.tok, Line);
    return 0;
}

// Where an entry of the connection groups belongs: its node reference in
// node mode (node instance 0 in connect-to mode), then its connection
// instance. The node type is what the records keep: a single blank when
// there is none.
struct connection_ref {
    char nodetype[kText];
    int32_t nodeinstance;
    int32_t instanceno;
};

int read_connection_ref(block_reader &r, const customer_block &b, int mode, const char *node_msg,
                        connection_ref *ref) {
    *ref = connection_ref{};
    if (mode == kNodeMode) {
        custnode_ref node{};
        if (read_custnode_ref(r, b, node_msg, &node)) return 1;
        keep(ref->nodetype, node.nodetype);
        ref->nodeinstance = node.nodeinstance;
    }
    if (!ref->nodetype[0]) std::strcpy(ref->nodetype, " ");
    return read_instance(r, kConnInstanceMsg, &ref->instanceno);
}

// What the entry is checked against: the node type it names, or in
// connect-to mode (its node type blank) the connect-to's.
entry_scope checked_scope(const customer_block &b, int mode, const connection_ref &ref) {
    entry_scope s = scope_of(b, mode);
    if (std::strcmp(ref.nodetype, " ") != 0) s.nodetype = ref.nodetype;
    return s;
}

// ---- the variable entries ----

// "= ( KEY = value , ... )": each key (upper-cased) goes to `pair` with the
// value in r.tok. 0 at ")", 1 stop.
template <class Pair>
int read_pairs(block_reader &r, Pair pair) {
    if (!r.expect("=", kFrameEqualMsg, false)) return 1;
    if (!r.expect("(", kFrameOpenMsg, false)) return 1;
    for (;;) {
        r.read_upper();
        if (r.kind == TOKEN_RPAREN) return 0;
        char key[kTokenSize];
        std::memcpy(key, r.tok, sizeof key);
        if (!r.expect("=", kPairEqualMsg)) return 1;
        r.read();
        if (pair(key)) return 1;
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail(kPairEndMsg, r.tok, Line);
    }
}

// NAME = connection: at most 30 characters, and a connection of the node
// type at that instance; its number in *connectionno.
int take_connection_name(block_reader &r, const entry_scope &s, const connection_ref &ref, char (&name)[kText],
                         int *connectionno) {
    if (std::strlen(r.tok) > 30) return r.fail(kTooLongMsg, r.tok, Line);
    keep(name, r.tok);
    if (!validate_nodeconninst(s.domainname, s.nodetype, name, ref.nodeinstance, ref.instanceno,
                               connectionno))
        return fail_pending(r);
    return 0;
}

// The entries of a quoted list that lie in a system list.
struct listed_values {
    static constexpr int kCapacity = 100;
    std::unique_ptr<value_table[]> rows{new value_table[kCapacity]};
    int count = 0;
};

// A quoted list whose every entry is in the system list `listname`.
int read_systemlist_values(block_reader &r, const char *listname, const char *quoted_msg, bool quoted_token,
                           const char *missing_msg, listed_values &values) {
    if (r.kind != TOKEN_QUOTED) return r.report(on_error::fail, quoted_msg, quoted_token);
    if (extractlist(r.tok, values.rows.get(), listed_values::kCapacity, &values.count)) return fail_pending(r);
    int index = 0;
    if (!validate_systemlistentries(listname, values.rows.get(), values.count, &index))
        return r.fail(missing_msg, index < 0 ? listname : values.rows[index], Line);
    return 0;
}

template <class Rec>
Rec *new_connection_record(const customer_block &b, const connection_ref &ref, const char *connectionname) {
    Rec *rec = alloc_record<Rec>();
    rec->networkid = networkid;
    keep(rec->servicetype, b.type->servicetype);
    keep(rec->conntypename, b.type->conntypename);
    keep(rec->nodetype, ref.nodetype);
    rec->nodeinstance = ref.nodeinstance;
    keep(rec->connectionname, connectionname);
    rec->instanceno = ref.instanceno;
    return rec;
}

template <class Rec>
void file_connection_value(record_list<Rec> &list, const customer_block &b, const connection_ref &ref,
                           const char *connectionname, int32_t sequenceno, const char *variable,
                           const char *value) {
    Rec *rec = new_connection_record<Rec>(b, ref, connectionname);
    if constexpr (requires { rec->sequenceno; }) rec->sequenceno = sequenceno;
    keep(rec->variablename, variable);
    keep(rec->variablevalue, value);
    append_record(list, rec);
}

}  // namespace

const entry_def custconntype_entry{.keys = &customerconntypetokens,
                                   .equal_msg = kFrameEqualMsg,
                                   .equal_token = false,
                                   .open_msg = kFrameOpenMsg,
                                   .open_token = false,
                                   .size = sizeof(custconntype_group),
                                   .check = conntype_checks};

const entry_def custqoslist_entry{.keys = &customerqoslisttokens,
                                  .equal_msg = kFrameEqualMsg,
                                  .equal_token = false,
                                  .open_msg = kFrameOpenMsg,
                                  .open_token = false,
                                  .size = sizeof(custqoslist_group),
                                  .check = qoslist_checks};

const entry_def poolclassmap_entry{.keys = &poolclassmaptokens,
                                   .equal_msg = kFrameEqualMsg,
                                   .equal_token = false,
                                   .open_msg = kFrameOpenMsg,
                                   .open_token = false,
                                   .size = sizeof(pool_class_mapping_rec),
                                   .init = poolclassmap_defaults,
                                   .check = poolclassmap_checks};

int store_qospolicylist(block_reader &r, tail_list<cust_conn_qos_policy_rec> &list,
                        std::unordered_set<std::string> &names, const char *listname, const value_table *policies,
                        int count) {
    if (count < 1) return 0;
    if (names.count(listname)) flag_error(1, "", "ERROR: Duplicate policy list @ %d \n", Line);
    // The longest value of QOSPOLICYLIST holds every name of the list.
    if (std::strlen(listname) > 100) return r.fail(kTooLongMsg, listname, Line);
    for (int i = 0; i < count; ++i)
        if (std::strlen(policies[i]) > 100) return r.fail(kTooLongMsg, policies[i], Line);
    for (int i = 0; i < count; ++i) {
        auto *rec = alloc_record<cust_conn_qos_policy_rec>();
        keep(rec->qospolicylistname, listname);
        keep(rec->policyname, policies[i]);
        append_record(list, rec);
        names.insert(rec->qospolicylistname.c_str());
    }
    return 0;
}

int read_custnode_ref(block_reader &r, const customer_block &b, const char *instance_msg, custnode_ref *ref) {
    if (!r.expect("#", kHashMsg)) return 1;
    r.read();
    if (r.kind == TOKEN_NUMBER) {
        if (b.nodetypes > 1)
            return r.fail(
                "ERROR: Invalid token, Node type expected for customer with more than one nodetype:   '%s'  @ %d\n",
                r.tok, Line);
        ref->node = b.node;
        ref->nodetype = b.node ? b.node->nodetype : "";
    } else {
        cust_conn_node_rec *node = nullptr;
        if (!validate_customernode(b.type->servicetype, b.type->conntypename, r.tok, &node))
            return r.fail("ERROR: Invalid token,  either nodeinstance number or nodetype expected:    %s @ %d\n",
                          r.tok, Line);
        ref->node = node;
        ref->nodetype = node->nodetype;
        if (!r.expect("#", kHashMsg)) return 1;
        r.read();
    }
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &ref->nodeinstance)) return r.fail(instance_msg, r.tok, Line);
    return 0;
}

int extract_custnodeinterfaces(FILE *fp, const customer_block &b, int mode) {
    block_reader r(fp, *interface_entry.keys);
    connection_ref ref;
    if (read_connection_ref(r, b, mode, kNodeInstanceMsg, &ref)) return 1;
    auto g = std::make_unique<interface_group>();
    g->scope = checked_scope(b, mode, ref);
    cust_conn_interface_rec &rec = g->rec;
    keep(rec.servicetype, b.type->servicetype);
    keep(rec.conntypename, b.type->conntypename);
    keep(rec.nodetype, ref.nodetype);
    rec.nodeinstance = ref.nodeinstance;
    rec.instanceno = ref.instanceno;
    if (read_entry(fp, interface_entry, g.get(), nullptr)) return 1;
    // NAME, INTERFACETYPE and ENCAPSULATION are not required as such: the
    // connection check below refuses an entry without them.
    const char *nodetype = g->scope.nodetype;
    if (!validate_nodeconnections(g->scope.domainname, nodetype, rec.nodeinstance, rec.instanceno,
                                  rec.encapsulationtype, rec.interfacetype, rec.connectionname))
        r.flag("ERROR: Invalid interfacename/encapsulation/maxconn/maxnode  type for node : %s @ %d \n", nodetype,
               r.start_line);
    if (validate_customerinterfaces(rec.servicetype, rec.conntypename, rec.nodetype, rec.interfacetype,
                                    rec.encapsulationtype, rec.connectionname, rec.nodeinstance, rec.instanceno))
        r.flag("ERROR: Duplicate values for interfacetype/connectionname/encap type/instance no : %s @ %d \n",
               rec.connectionname.c_str(), r.start_line);
    cust_conn_interface_rec *filed = alloc_record<cust_conn_interface_rec>();
    *filed = rec;
    append_record(prcustconninterfaces, filed);
    return 0;
}

namespace {

// ---- CONNECTION-VARIABLE and HSRP-VARIABLE: NAME first, then the other
// pairs, each key's own step ----

struct pair_ctx {
    const customer_block &b;
    const connection_ref &ref;
    entry_scope s;
    int32_t group = 0;  // HSRP-VARIABLE: the standby group
    char name[kText] = "";
    int connectionno = 0;
};

pair_ctx &pair_of(void *rec) { return *static_cast<pair_ctx *>(rec); }

int take_pair_name(block_reader &r, const keyword_rule &, void *rec) {
    pair_ctx &c = pair_of(rec);
    return take_connection_name(r, c.s, c.ref, c.name, &c.connectionno);
}

// A key whose value is a quoted list of the system list of its name: each
// entry filed as a value of the key. The messages are the key's own.
struct listed_pair {
    const char *quoted_msg;  // (Line), or (token, Line) with quoted_token
    bool quoted_token;
    const char *missing_msg;  // (entry, Line)
};
constexpr listed_pair kListedPairs[] = {
    {"ERROR: BANDWIDTH List should be given in quoted strings @%d\n", false,
     "One of entry in BANDWIDTH list is not present in Systemlist definitions: '%s'  @%d\n"},
    {"ERROR : String expected for HSRPPRIORITY list: %s @ %d\n", true,
     "One of the entries in HSRP PRIORITY list is not present in Systemlist definition: '%s' @%d\n"},
};

template <auto &List>
int take_listed(block_reader &r, const keyword_rule &rule, void *rec) {
    pair_ctx &c = pair_of(rec);
    const listed_pair &p = kListedPairs[rule.tag];
    listed_values values;
    if (read_systemlist_values(r, rule.name, p.quoted_msg, p.quoted_token, p.missing_msg, values)) return 1;
    for (int i = 0; i < values.count; ++i)
        file_connection_value(List, c.b, c.ref, c.name, c.group, rule.name, values.rows[i]);
    return 0;
}

constexpr keyword_rule listed_row(const char *name, int tag, attr_check step, const char *checks) {
    keyword_rule k = with_checks(token_row(name, TOKEN_WORD), checks);
    k.tag = tag;
    return read_by(k, step);
}

int take_trackinterface(block_reader &r, const keyword_rule &rule, void *rec) {
    pair_ctx &c = pair_of(rec);
    int type = 0;
    if (!validate_commandvar(c.s.domainname, c.s.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    file_connection_value(prcusthsrpvars, c.b, c.ref, c.name, c.group, rule.name, r.tok);
    return 0;
}

int take_trackpriority(block_reader &r, const keyword_rule &rule, void *rec) {
    pair_ctx &c = pair_of(rec);
    if (r.kind != TOKEN_NUMBER) return r.fail(" TRACKPRIORITY value has to be numeric. @%d\n", Line);
    file_connection_value(prcusthsrpvars, c.b, c.ref, c.name, c.group, rule.name, r.tok);
    return 0;
}

constexpr keyword_rule kPairNameRow =
    read_by(with_checks(token_row("NAME", TOKEN_ATTRIBUTE, 30),
                        "first: a connection of the node type at that instance"),
            take_pair_name);

// Looked up by name only: the reader keeps customerinterfacetokens.
constinit keyword_table_of connvarpairs{
    {kPairNameRow,
     listed_row("BANDWIDTH", 0, take_listed<prcustconnvars>, "a quoted list of the system list BANDWIDTH")},
    {.style = loop_style::separated}};

constinit keyword_table_of hsrpvarpairs{
    {kPairNameRow,
     listed_row("HSRPPRIORITY", 1, take_listed<prcusthsrpvars>, "a quoted list of the system list HSRPPRIORITY"),
     read_by(with_checks(token_row("TRACKINTERFACE", TOKEN_WORD), "an interface variable of the node type"),
             take_trackinterface),
     read_by(with_checks(token_row("TRACKPRIORITY", TOKEN_WORD), "a number"), take_trackpriority)},
    {.style = loop_style::separated}};

// The pair of `key`: NAME first; a key without a row of `pairs` goes to
// `other` (null: it is refused).
int take_pair(block_reader &r, const keyword_table &pairs, const char *key, pair_ctx &c,
              int (*other)(block_reader &r, const char *key, pair_ctx &c)) {
    const keyword_rule *row = pairs.row(key);
    if (row && row->after == take_pair_name) return row->after(r, *row, &c);
    if (!c.name[0]) return r.fail(kNameFirstMsg, Line);
    if (row) return row->after(r, *row, &c);
    if (other) return other(r, key, c);
    return r.fail("Invalid variable specified. %s @ %d\n", key, Line);
}

// A variable of the connection type.
int take_connection_variable(block_reader &r, const char *key, pair_ctx &c) {
    int type = 0;
    if (!validate_domainconnvars(c.connectionno, key, &type))
        return r.fail("Invalid variable '%s' for the connection %s : %d \n", key, c.name, Line);
    file_connection_value(prcustconnvars, c.b, c.ref, c.name, 0, key, r.tok);
    return 0;
}

}  // namespace

const entry_def connvar_entry{.keys = &connvarpairs};
const entry_def hsrpvar_entry{.keys = &hsrpvarpairs};

namespace {

int extract_pairs(block_reader &r, const keyword_table &pairs, pair_ctx &c,
                  int (*other)(block_reader &r, const char *key, pair_ctx &c)) {
    return read_pairs(r, [&](const char *key) { return take_pair(r, pairs, key, c, other); });
}

}  // namespace

int extract_custconnvariables(FILE *fp, const customer_block &b, int mode) {
    block_reader r(fp, customerinterfacetokens);
    connection_ref ref;
    if (read_connection_ref(r, b, mode, kNodeInstanceMsg, &ref)) return 1;
    pair_ctx c{b, ref, checked_scope(b, mode, ref)};
    return extract_pairs(r, connvarpairs, c, take_connection_variable);
}

int extract_custhsrpvariables(FILE *fp, const customer_block &b) {
    block_reader r(fp, customerinterfacetokens);
    connection_ref ref;
    if (read_connection_ref(r, b, kNodeMode, kNodeInstanceMsg, &ref)) return 1;
    int32_t group = 0;
    if (read_instance(r, "ERROR: HSRP group  number expected %s @%d\n", &group)) return 1;
    pair_ctx c{b, ref, checked_scope(b, kNodeMode, ref), group};
    return extract_pairs(r, hsrpvarpairs, c, nullptr);
}

int extract_custnodevariables(FILE *fp, const customer_block &b) {
    block_reader r(fp, customerinterfacetokens);
    custnode_ref ref{};
    if (read_custnode_ref(r, b, "ERROR: Node instance  number expected :   %s @ %d\n", &ref)) return 1;
    entry_scope s = scope_of(b, kNodeMode);
    if (ref.nodeinstance > largest_maxnode.get(s.domainname, ref.nodetype)) return r.fail("Invalid node instance value.  %s @ %d\n", r.tok, Line);
    return read_pairs(r, [&](const char *key) {
        int type = 0;
        if (!validate_domainnodevar(s.domainname, ref.nodetype, key, &type))
            return r.fail("Invalid node variable specified. %s @ %d\n", key, Line);
        if (std::strlen(r.tok) > 100) return r.fail(kTooLongMsg, r.tok, Line);
        cust_node_var_rec *rec = alloc_record<cust_node_var_rec>();
        rec->networkid = networkid;
        keep(rec->servicetype, b.type->servicetype);
        keep(rec->conntypename, b.type->conntypename);
        keep(rec->nodetype, ref.nodetype);
        rec->nodeinstance = ref.nodeinstance;
        keep(rec->variablename, key);
        keep(rec->variablevalue, r.tok);
        append_record(prcustnodevars, rec);
        return 0;
    });
}
