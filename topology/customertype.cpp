// The CUSTOMER-TYPE block: one customer connection type of a service type,
// where it connects into the network, the node types at the customer's side
// with their loopbacks and tunnels, address types and mode, and its group
// entries. The block's own record is appended at its END; the records of its
// groups as they are read.
#include <cstring>
#include <memory>

#include "records_customer.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

const value_table CustSiteTypes[] = {"CUSTOMER", "DATACENTER", "NOC", "OBSOLETE", ""};
const value_table addressmodes[] = {"AUTOMATIC", "MANUAL", ""};
const value_table RemoteAddrTypes[] = {"STATIC", "DYNAMIC", "PAT", "NONE", ""};

const char kDuplicateMsg[] = "ERROR: Duplicate token: '%s' @ %d\n";
const char kEqualMsg[] = "ERROR: Invalid syntax '=' expected : %s @ %d\n";
const char kHashMsg[] = "ERROR: Keyword '#' expected: %s @%d\n";

// Bounded: a value that does not fit (it has been reported already, or
// cannot occur) leaves the field empty rather than cut.
void keep(text_ref field, const char *value) { field.store(value, field.size() - 1); }

// The block's working state; what it has not handed to the lists is freed
// with it.
struct customer_ctx : customer_block {
    customer_ctx() : customer_block{} {
        type = alloc_record<cust_conn_type_rec>();
        type->addressmode = "AUTOMATIC";
        type->custsitetype = "CUSTOMER";
        type->routingenabled = 1;
        const char *defaults[] = {"STATIC", "DYNAMIC", "NONE"};
        for (const char *d : defaults) std::strcpy(addrtypes[addrcount++], d);
    }
    ~customer_ctx() {
        if (!type) return;
        for (cust_conn_qos_policy_rec *p = type->qospolicylist; p;) {
            cust_conn_qos_policy_rec *next = p->next;
            free_record(p);
            p = next;
        }
        free_record(type);
    }
    customer_ctx(const customer_ctx &) = delete;
    std::unordered_set<std::string> qoslistnames;  // the names in the type's QoS policy list
    customer_ctx &operator=(const customer_ctx &) = delete;
};

customer_ctx &ctx_of(void *rec) { return *static_cast<customer_ctx *>(rec); }

// "=" (else `equal_msg`, given the token and Line, or Line only) and the
// value, any token, into r.tok: false when the block stops.
bool read_equal_value(block_reader &r, const char *equal_msg, bool with_token) {
    if (!r.expect("=", equal_msg, with_token)) return false;
    r.read();
    return true;
}

// ---- attributes: each reads its own "=" and value ----

int take_domain(block_reader &r, const keyword_rule &, void *rec) {
    customer_ctx &ctx = ctx_of(rec);
    if (ctx.domain_given) r.flag(kDuplicateMsg, r.tok, Line);
    ctx.domain_given = true;
    if (!read_equal_value(r, kEqualMsg, true)) return 1;
    if (!validate_domain(r.tok)) r.flag("ERROR : Domain not defined  : %s \n @%d", r.tok, Line);
    keep(ctx.type->domainname, r.tok);
    return 0;
}

int take_servicetype(block_reader &r, const keyword_rule &, void *rec) {
    customer_ctx &ctx = ctx_of(rec);
    if (ctx.nodetypes) return r.fail("ERROR: SERVICETYPE has to be given before NODETYPE: @ %d\n", Line);
    if (ctx.service_given) r.flag(kDuplicateMsg, r.tok, Line);
    ctx.service_given = true;
    if (!read_equal_value(r, kEqualMsg, true)) return 1;
    converttocap(r.tok, r.tok, sizeof r.tok);
    // It goes into the 30 characters of every record of the block.
    if (!store_text(ctx.type->servicetype, r.tok, kName - 1))
        return r.fail(kTooLongMsg, r.tok, Line);
    if (!validate_servicename(r.tok)) r.flag("ERROR : Service not defined  : %s \n @%d", r.tok, Line);
    return 0;
}

int take_routingenabled(block_reader &r, const keyword_rule &, void *rec) {
    if (!read_equal_value(r, "ERROR: token '=' expected for ROUTINGENABLED:  @ %d\n", false)) return 1;
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(Boolean, r.tok))
        r.flag("ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : %s @%d\n", r.tok, Line);
    if (std::strcmp(r.tok, "FALSE") == 0) ctx_of(rec).type->routingenabled = 0;
    return 0;
}

int take_addressmode(block_reader &r, const keyword_rule &, void *rec) {
    if (!read_equal_value(r, "ERROR: token '=' expected for ADDRESSMODE:  @ %d\n", false)) return 1;
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(addressmodes, r.tok))
        r.flag("ERROR : Invalid value for ADDRESSMODE attribute : %s @%d\n", r.tok, Line);
    keep(ctx_of(rec).type->addressmode, r.tok);
    return 0;
}

int take_addresstype(block_reader &r, const keyword_rule &, void *rec) {
    customer_ctx &ctx = ctx_of(rec);
    if (!read_equal_value(r, "ERROR: token '=' expected for ADDRESSTYPE:  @ %d\n", false)) return 1;
    if (r.kind != TOKEN_QUOTED) return r.fail("ERROR: Give ADDRESSTYPES in double quotes: '%s' @ %d\n", r.tok, Line);
    converttocap(r.tok, r.tok, sizeof r.tok);
    int count = 0;
    if (extractlist(r.tok, ctx.addrtypes, static_cast<int>(std::size(ctx.addrtypes)), &count)) return fail_pending(r);
    ctx.addrcount = count;
    for (int i = 0; i < count; ++i)
        if (!validate_var(RemoteAddrTypes, ctx.addrtypes[i]))
            r.flag("ERROR : Invalid value for ADDRESSTYPE attribute : %s @%d\n", ctx.addrtypes[i], Line);
    return 0;
}

// LOOPBACK or TUNNEL # [node type #] node instance # interface instance =
// TRUE|FALSE, for a node type of the block.
int take_loopback(block_reader &r, const keyword_rule &rule, void *rec) {
    customer_ctx &ctx = ctx_of(rec);
    const char *loopbacktype = rule.name;
    if (!ctx.nodetypes) return r.fail("ERROR: Give nodetypes before enabling loopbacks @ %d \n", Line);
    custnode_ref ref{};
    if (read_custnode_ref(r, ctx, "ERROR: Node instance  number expected for loopback    %s @ %d\n", &ref)) return 1;
    cust_conn_node_rec *node = ref.node;
    if (ref.nodeinstance < 1 || ref.nodeinstance > node->noofnodeinstance)
        return r.fail("ERROR: nodeinstance number exceeded max node instances for the nodetype @ %d \n", Line);
    if (!r.expect("#", kHashMsg)) return 1;
    r.read();
    // The instance is written into its row as a number: digits only, and
    // no longer than its field. The end of the file is an empty instance,
    // which no interface has.
    char lbinstance[decltype(cust_conn_node_lb_rec::lbinstance)::capacity];
    if ((r.kind != TOKEN_NUMBER && r.kind != TOKEN_EOF) ||
        !store_text(lbinstance, sizeof lbinstance, r.tok, sizeof lbinstance - 1))
        return r.fail("ERROR: Invalid %s instance, a number is expected : '%s' @ %d\n", loopbacktype, r.tok, Line);
    if (!validate_nodelogint(ctx.type->domainname, node->nodetype, lbinstance, loopbacktype))
        return r.fail("ERROR: %s instance %s does not exist for nodetype %s @ %d\n", loopbacktype, lbinstance,
                      node->nodetype.c_str(), Line);
    if (validate_nodeloopback(node, loopbacktype, ref.nodeinstance, lbinstance))
        return r.fail("ERROR: duplicate definition of %s for node %d instance %s @ %d\n", loopbacktype,
                      ref.nodeinstance, lbinstance, Line);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected @ %d\n", false)) return 1;
    r.read();
    bool on = std::strcmp(r.tok, "TRUE") == 0;
    if (!on && std::strcmp(r.tok, "FALSE") != 0) return r.fail("ERROR: Invalid value TRUE/FALSE is expected @ %d\n", Line);
    auto *lb = alloc_record<cust_conn_node_lb_rec>();
    lb->isloopback = on ? 1 : 0;
    lb->nodeinstance = ref.nodeinstance;
    lb->lbinstance = lbinstance;
    keep(lb->loopbacktype, loopbacktype);
    append_record(node->loopbacklist, lb);
    return 0;
}

// CONNECTION (tag 0) and CONNECTION-VARIABLE (tag 1): for the node types of
// the block, or else for the node its CONNECTTO names.
int take_connection(block_reader &r, const keyword_rule &rule, void *rec) {
    customer_ctx &ctx = ctx_of(rec);
    int mode = kNodeMode;
    if (!ctx.node) {
        if (!ctx.type->connectto[0]) return r.fail("ERROR: Give CONNECTTO token before CONNECTION @ %d\n", Line);
        mode = kConnectToMode;
    }
    return rule.tag ? extract_custconnvariables(r.fp, ctx, mode) : extract_custnodeinterfaces(r.fp, ctx, mode);
}

// NODE-VARIABLE (tag 0) and HSRP-VARIABLE (tag 1).
int take_nodevariables(block_reader &r, const keyword_rule &rule, void *rec) {
    return rule.tag ? extract_custhsrpvariables(r.fp, ctx_of(rec)) : extract_custnodevariables(r.fp, ctx_of(rec));
}

// ---- groups read by the framework ----

int one_conntype(block_reader &r, const keyword_rule &, void *rec) {
    if (ctx_of(rec).conntype_given) return r.fail(kDuplicateMsg, r.tok, Line);
    return 0;
}

int file_conntype(block_reader &, const keyword_rule &, void *entry, void *owner) {
    std::unique_ptr<custconntype_group, decltype(&free_record<custconntype_group>)> g(
        static_cast<custconntype_group *>(entry), free_record<custconntype_group>);
    customer_ctx &ctx = ctx_of(owner);
    ctx.conntype_given = true;
    cust_conn_type_rec &t = *ctx.type;
    keep(t.connectto, g->connectto);
    keep(t.scope1, g->scope[0]);
    keep(t.scope2, g->scope[1]);
    keep(t.scope3, g->scope[2]);
    t.directconnect = g->directconnect;
    // Its domain and node type serve the connections of a block without
    // NODETYPE groups (a refusal was reported with the group).
    int connlist[kConnListSize];
    validate_owner(t.connectto, ctx.connectdomain, ctx.connectnode, connlist);
    return 0;
}

int file_qoslist(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    std::unique_ptr<custqoslist_group, decltype(&free_record<custqoslist_group>)> g(
        static_cast<custqoslist_group *>(entry), free_record<custqoslist_group>);
    customer_ctx &ctx = ctx_of(owner);
    return store_qospolicylist(r, ctx.type->qospolicylist, ctx.qoslistnames, g->name, g->policies, g->count);
}

int file_poolclassmap(block_reader &, const keyword_rule &, void *entry, void *) {
    append_record(prpoolclassmap, static_cast<pool_class_mapping_rec *>(entry));
    return 0;
}

int file_custvar(block_reader &r, var_def &def, void *owner) {
    customer_ctx &ctx = ctx_of(owner);
    const cust_conn_type_rec &t = *ctx.type;
    if (validate_custvars(t.servicetype, t.conntypename, def.name))
        r.flag("ERROR: Duplicate variable defined for customer connectiontype : %s %s @%d\n", t.conntypename.c_str(),
               def.name, Line);
    cust_var_rec *rec = alloc_record<cust_var_rec>();
    rec->servicetype = t.servicetype;
    rec->conntypename = t.conntypename;
    fill_variable_record(def, rec);
    rec->line = Line;  // where the definition ended
    rec->sequence = ++ctx.variables;
    append_record(prcustvars, rec);
    return 0;
}

// NODETYPE = ( NODETYPE = name , NOOFINSTANCES = number ), checked against
// the block's domain.
struct nodetype_group {
    cust_conn_node_rec rec;
    const customer_ctx *block;
};

int node_defined(block_reader &r, const keyword_rule &, void *entry) {
    auto &g = *static_cast<nodetype_group *>(entry);
    char devicetype[kName];
    if (!validate_node(g.block->type->domainname, g.rec.nodetype, devicetype))
        r.flag("ERROR: Invalid node . Not defined : %s  @%d\n", g.rec.nodetype.c_str(), Line);
    return 0;
}

constinit keyword_table_of customernodetypetokens{
    {
        {.name = "NODETYPE", .mandatory = 1, .maxlen = 80,
         .toolong_msg = "ERROR: Token size exceeds maximum limit: '%s' @ %d\n", .toolong_err = on_error::fail,
         .field = NDL_TEXT(nodetype_group, rec.nodetype), .after = node_defined,
         .checks = "a node type of the block's DOMAIN"},
        {.name = "NOOFINSTANCES", .mandatory = 1, .kind = value_kind::number,
         .kind_msg = "ERROR: Number expected for nodeinstance : %s @ %d\n",
         .field = NDL_INT(nodetype_group, rec.noofnodeinstance)},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token: %s @ %d\n",
     .dup_err = on_error::fail,
     .equal_msg = "ERROR: Invalid syntax '=' expected @ %d\n",
     .equal_token = false,
     .separator_msg = "ERROR: ',' or ')' expected : %s @ %d\n"}};

void nodetype_defaults(void *entry, void *owner) {
    auto &g = *static_cast<nodetype_group *>(entry);
    g.block = &ctx_of(owner);
    g.rec.servicetype = g.block->type->servicetype;
    g.rec.conntypename = g.block->type->conntypename;
}

int nodetype_checks(block_reader &r, void *entry, void *) {
    const cust_conn_node_rec &n = static_cast<nodetype_group *>(entry)->rec;
    r.check_mandatory("cusomernodetypes",
                      "ERROR: token '%s' is missing for NODETYPE in CUSTOMER-TYPE  block : @ %d\n", r.start_line);
    if (n.noofnodeinstance == 0) r.flag("ERROR :No of nodeinstances not specified  : %s @ %d \n", n.nodetype.c_str(), Line);
    cust_conn_node_rec *known = nullptr;
    if (validate_customernode(n.servicetype, n.conntypename, n.nodetype, &known))
        r.flag("ERROR :Duplicate entry for node type  : %s @ %d \n", n.nodetype.c_str(), Line);
    return 0;
}

const entry_def nodetype_entry{.keys = &customernodetypetokens,
                               .equal_msg = "ERROR: Invalid syntax '=' expected @ %d\n",
                               .equal_token = false,
                               .open_msg = "ERROR: Invalid syntax '(' expected @ %d\n",
                               .open_token = false,
                               .size = sizeof(nodetype_group),
                               .init = nodetype_defaults,
                               .check = nodetype_checks};

int file_nodetype(block_reader &, const keyword_rule &, void *entry, void *owner) {
    std::unique_ptr<nodetype_group, decltype(&free_record<nodetype_group>)> g(static_cast<nodetype_group *>(entry),
                                                                          free_record<nodetype_group>);
    customer_ctx &ctx = ctx_of(owner);
    cust_conn_node_rec *rec = alloc_record<cust_conn_node_rec>();
    *rec = g->rec;
    append_record(prcustconnnodes, rec);
    ctx.node = rec;
    ++ctx.nodetypes;
    return 0;
}

// Tokens that are no attribute of the block.
int not_an_attribute(block_reader &r, void *) {
    // TYPE is a keyword of the block without a meaning.
    if (r.kind == TOKEN_GROUP || r.kind == TOKEN_ATTRIBUTE)
        return r.fail("ERROR: Invalid attribute name encountered : %s @%d\n", r.tok, Line);
    return -1;
}

// The attributes read their own "=" and value (kind none): their messages
// differ from keyword to keyword.
constexpr keyword_rule own_reader(const char *name, int type, int maxlen, attr_check step, int tag,
                                  const char *checks, const value_table *values = nullptr, int mandatory = 0) {
    return keyword_rule{.name = name, .type = type, .mandatory = mandatory, .maxlen = maxlen,
                        .kind = value_kind::none, .after = step, .tag = tag, .checks = checks, .values = values};
}

constexpr char kConnectionForm[] =
    "`CONNECTION # [TYPE #] n # m = ( ... )` after the NODETYPEs, or `CONNECTION # m = ( ... )` after "
    "CONNECTIONTYPE's CONNECTTO";

constexpr char kConnVarForm[] =
    "`CONNECTION-VARIABLE # [TYPE #] n # m = ( NAME = connection , VARIABLE = value , ... )`: NAME first, then "
    "variables of that connection type and the keywords below";
constexpr char kHsrpVarForm[] =
    "`HSRP-VARIABLE # [TYPE #] n # m # g = ( NAME = connection , KEYWORD = value , ... )`, as CONNECTION-VARIABLE "
    "with the HSRP group number g after the instances: NAME first, then only the keywords below";

constinit keyword_table_of customertypestokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        own_reader("SERVICETYPE", TOKEN_ATTRIBUTE, 30, take_servicetype, 0,
                   "`= name`, a SERVICE-TYPE of the topology, before any NODETYPE; once", nullptr, 1),
        refused_row("TYPE", TOKEN_ATTRIBUTE),
        {.name = "CONNECTIONTYPE", .type = TOKEN_GROUP, .maxlen = 30, .kind = value_kind::entry,
         .before = one_conntype, .entry = &custconntype_entry, .file = file_conntype},
        own_reader("ROUTINGENABLED", TOKEN_ATTRIBUTE, 10, take_routingenabled, 0, "`= TRUE` or `= FALSE`", Boolean),
        own_reader("ADDRESSMODE", TOKEN_ATTRIBUTE, 30, take_addressmode, 0, "`= value`, in any case", addressmodes),
        own_reader("ADDRESSTYPE", TOKEN_ATTRIBUTE, 10, take_addresstype, 0,
                   "`= \"A, B\"`, a quoted list, each item in any case", RemoteAddrTypes),
        own_reader("DOMAIN", TOKEN_ATTRIBUTE, 30, take_domain, 0, "`= name`, a DOMAIN of the topology; once"),
        {.name = "NODETYPE", .type = TOKEN_GROUP, .maxlen = 30, .kind = value_kind::entry, .entry = &nodetype_entry,
         .file = file_nodetype},
        own_reader("TUNNEL", TOKEN_GROUP, 0, take_loopback, 0, "as LOOPBACK, for a tunnel interface"),
        own_reader("LOOPBACK", TOKEN_GROUP, 0, take_loopback, 0,
                   "`LOOPBACK # [TYPE #] n # m = TRUE`, after the NODETYPEs: node instance n (at most the node "
                   "type's NOOFINSTANCES), interface instance m"),
        {.name = "VARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry, .entry = &variable_entry,
         .file = file_definition<file_custvar>},
        with_entry(own_reader("CONNECTION", TOKEN_GROUP, 0, take_connection, 0, kConnectionForm), &interface_entry,
                   kConnectionForm),
        {.name = "QOSPOLICYLIST", .type = TOKEN_GROUP, .maxlen = 100, .kind = value_kind::entry,
         .entry = &custqoslist_entry, .file = file_qoslist},
        own_reader("NODE-VARIABLE", TOKEN_GROUP, 0, take_nodevariables, 0,
                   "`NODE-VARIABLE # [TYPE #] n = ( VARIABLE = value , ... )`: variables of the node type, values of "
                   "up to 100 characters"),
        with_entry(own_reader("CONNECTION-VARIABLE", TOKEN_GROUP, 0, take_connection, 1, kConnVarForm),
                   &connvar_entry, kConnVarForm),
        with_entry(own_reader("HSRP-VARIABLE", TOKEN_GROUP, 0, take_nodevariables, 1, kHsrpVarForm), &hsrpvar_entry,
                   kHsrpVarForm),
        {.name = "POOLCLASSMAP", .type = TOKEN_GROUP, .kind = value_kind::entry, .entry = &poolclassmap_entry,
         .file = file_poolclassmap},
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    // Repeated keywords are each the keyword's own business.
    {.invalid_msg = "ERROR: Invalid attribute name : %s @%d\n",
     .error_ends = true,
     .other = not_an_attribute,
     .others = "Any other word is refused with \"ERROR: Invalid attribute name\"."}};

}  // namespace

int parse_customertype(FILE *fp, FILE *, const char *) {
    block_reader r(fp, customertypestokens);
    auto ctx = std::make_unique<customer_ctx>();
    cust_conn_type_rec &t = *ctx->type;

    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kEofMsg, Line);
    if (validate_customertypes(r.tok)) return r.fail("ERROR: Customer type already defined : %s \n @%d", r.tok, Line);
    if (!store_text(t.conntypename, r.tok, kName - 1))
        return r.fail("ERROR: Token exceeds maximum size: '%s' @ %d\n", r.tok, Line);
    r.read();
    if (validate_var(CustSiteTypes, r.tok)) {
        keep(t.custsitetype, r.tok);
        r.read();
    }
    if (r.kind != TOKEN_BEGIN) return r.fail("ERROR: Keyword 'BEGIN' expected : %s @%d\n", r.tok, Line);

    if (read_attributes(r, ctx.get())) return 1;

    if (!t.servicetype[0])
        return r.fail("ERROR: ServiceType attribute has not been specified for customer connection : %s @ %d\n",
                      t.conntypename.c_str(), Line);
    r.check_mandatory("customertype", "ERROR: token '%s' is missing in CUSTOMER-TYPE  block : @ %d\n", r.start_line);
    append_record(prcustconntypes, ctx->type);
    assert(ctx->addrcount <= static_cast<int>(std::size(ctx->addrtypes)));
    for (int i = 0; i < ctx->addrcount; ++i) {
        auto *rec = alloc_record<cust_conn_addr_type_rec>();
        rec->servicetype = t.servicetype;
        rec->conntypename = t.conntypename;
        rec->sequence = i + 1;
        keep(rec->addrtype, ctx->addrtypes[i]);
        append_record(prcustconnaddrtypes, rec);
    }
    assert(prcustconntypes.tail == ctx->type);  // else the block's end would free a listed record
    ctx->type = nullptr;  // the list holds it now
    return 0;
}

namespace {

constexpr block_rule customertype_rules[] = {
    {.text = "SERVICETYPE names a SERVICE-TYPE block of the topology", .part = "SERVICETYPE = VPN",
     .instead = "SERVICETYPE = DIA", .message = "ERROR : Service not defined"},
};

constexpr char kServiceLine[] = "  SERVICETYPE = VPN\n";
// A customer type with a node of the NODES example.
constexpr char kCustomerNode[] = "CUSTOMER-TYPE BUSINESS BEGIN\n"
                                 "  SERVICETYPE = VPN\n"
                                 "  DOMAIN = NORTH\n"
                                 "  NODETYPE = ( NODETYPE = PE , NOOFINSTANCES = 1 )\n"
                                 "END\n";
constexpr block_unique customertype_unique[] = {
    {.what = "Its name", .within = "the network (every CUSTOMER-TYPE)",
     .message = "ERROR: Customer type already defined : %s \n @%d"},
    {.what = "A VARIABLE's NAME", .within = "the customer type",
     .message = "ERROR: Duplicate variable defined for customer connectiontype : %s %s @%d\n", .part = kServiceLine,
     .again = "  VARIABLE = ( NAME = CONTRACTID , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
              "  VARIABLE = ( NAME = CONTRACTID , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"},
    {.what = "A NODETYPE entry's NODETYPE", .within = "the customer type",
     .message = "ERROR :Duplicate entry for node type  : %s @ %d \n",
     .part = "  NODETYPE = ( NODETYPE = PE , NOOFINSTANCES = 1 )\n", .example = kCustomerNode, .needs = "NODES"},
    {.what = "A QOSPOLICYLIST's NAME", .within = "the customer type",
     .message = "ERROR: Duplicate policy list @ %d \n", .part = kServiceLine,
     .again = "  QOSPOLICYLIST = ( NAME = INBOUND , LIST = \"PE-IN\" )\n"
              "  QOSPOLICYLIST = ( NAME = INBOUND , LIST = \"PE-OUT\" )\n"},
    {.what = "A POOLCLASSMAP's HOSTTYPE and NATTYPE with its ROLETYPE (an entry of ENROLLALL = TRUE takes every "
             "ROLETYPE)",
     .within = "the customer type",
     .message = "ERROR: duplicate/invalid poolclassmap entry for hosttype '%s', and nattype '%s' : @ %d\n",
     .part = kServiceLine,
     .again = "  POOLCLASSMAP = ( ROLETYPE = PRIMARY , HOSTTYPE = CPE , NATTYPE = PAT , CLASS = GOLD )\n"
              "  POOLCLASSMAP = ( ROLETYPE = PRIMARY , HOSTTYPE = CPE , NATTYPE = PAT , CLASS = GOLD )\n",
     .needs = "POOL-CLASS"},
    {.what = "A LOOPBACK (or TUNNEL) of a node instance and interface instance, `# n # m`",
     .within = "the node type of the customer type",
     .message = "ERROR: duplicate definition of %s for node %d instance %s @ %d\n",
     .part = "  NODETYPE = ( NODETYPE = PE , NOOFINSTANCES = 1 )\n",
     .again = "  LOOPBACK # 1 # 0 = TRUE\n  LOOPBACK # 1 # 0 = TRUE\n", .example = kCustomerNode,
     .needs = "LOGICALINTERFACE"},
};

const block_doc customertype_doc{.header = "name BEGIN",
                                 .needs = "SERVICE-TYPE",
                                 .example = "CUSTOMER-TYPE BUSINESS BEGIN\n"
                                            "  SERVICETYPE = VPN\n"
                                            "END\n",
                                 .rules = customertype_rules,
                                 .unique = customertype_unique};

}  // namespace

block_keys customertype_keys() { return {&customertypestokens, nullptr, &customertype_doc}; }
