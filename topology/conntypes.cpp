// The CONNECTIONTYPE block: one type of connection between node types, how
// its link addresses are assigned, its members, interface types, filters,
// HSRP and APS groups and its variables. An IPADDRESS group opens an address
// assignment; SELECTIONMETHOD, DEPENDENCY and INSTANCEID add to the open one.
#include <cstring>
#include <memory>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

const value_table NetworkTypes[] = {"POINT-TO-POINT", "BROADCAST", "NETWORK-REMOTE", "NETWORK-ENDPOINT", "NBMA", ""};
const value_table RoutedProtocols[] = {"IP", "IPX", "BOTH", ""};

const char kLimitMsg[] = "ERROR: Token size exceed maximum limit : '%s' @ %d\n";
const char kHostPoolMsg[] =
    "ERROR: SELECTIONMETHOD should be defined for addresstype '%s' in connection block '%s' : @ %d\n";

// What MAXCONNECTIONS and VALIDATION are when left out.
#define MAXCONNECTIONS_UNSET 99999
constexpr char kValidationUnset[] = "NETWORK-UNIQUE";

struct conntype_ctx {
    conntype_ctx() {}  // provided, so that the assignment's rows are not zeroed
    int connectionno = 0;
    char name[kText] = "";
    char type[kText] = "";
    char scope[kText] = "";
    int32_t maxconn = MAXCONNECTIONS_UNSET;
    int32_t routed = 0;
    int authenticated = 0;  // of the HSRP groups
    int assignments = 0;    // IPADDRESS groups so far
    int variables = 0;
    address_assignment a;
};

conntype_ctx &ctx_of(void *rec) { return *static_cast<conntype_ctx *>(rec); }

// ---- attributes: each keyword's own step, with the value in r.tok ----

void keep(text_ref field, const char *value) { field.set(value); }

int take_type(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(NetworkTypes, r.tok)) r.flag("ERROR: Invalid value for Network TYPE : %s @%d\n", r.tok, Line);
    keep(ctx_of(rec).type, r.tok);
    return 0;
}

int take_scope(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(Scope, r.tok))
        r.flag("ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ %d\n", Line);
    keep(ctx_of(rec).scope, r.tok);
    return 0;
}

int take_maxconn(block_reader &r, const keyword_rule &rule, void *rec) {
    if (!parse_int32(r.tok, &ctx_of(rec).maxconn)) return r.fail(rule.kind_msg, r.tok, Line);
    return 0;
}

// Only flagged; a value beyond the 30 characters of its field is refused.
int take_validation(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(ValidationTypes, r.tok)) r.flag("ERROR: Wrong value for 'VALIDATION': '%s' @ %d\n", r.tok, Line);
    char (&field)[kName] = ctx_of(rec).a.attrs.validation;
    if (!store_text(field, sizeof field, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
    return 0;
}

int take_validationpool(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_addresspools(r.tok, "IP")) r.flag("ERROR: Invalid poolname. Not defined : %s @%d\n", r.tok, Line);
    char (&field)[kName] = ctx_of(rec).a.attrs.validationpool;
    if (!store_text(field, sizeof field, r.tok, kName - 1)) return r.fail(kLimitMsg, r.tok, Line);
    return 0;
}

int take_routedprotocols(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(RoutedProtocols, r.tok))
        r.flag("ERROR: Invalid value for ROUTEDPROTOCOLS, ('IP','IPX'  or 'BOTH' expected) : %s @%d\n", r.tok, Line);
    ctx_of(rec).routed = !std::strcmp(r.tok, "IP") ? 0 : !std::strcmp(r.tok, "IPX") ? 1 : 2;
    return 0;
}

int take_owner(block_reader &r, const keyword_rule &, void *rec) {
    assignment_attrs &at = ctx_of(rec).a.attrs;
    if (!validate_owner(r.tok, at.ownerdomain, at.ownernode, at.connlist)) flag_pending(r);
    if (std::strlen(r.tok) > 200) return r.fail(kLimitMsg, r.tok, Line);
    if (std::strlen(at.owner) > 1) return r.fail("ERROR: Duplicate specification for ADDRESSOWNER : @ %d\n", Line);
    keep(at.owner, r.tok);
    return 0;
}

constexpr keyword_rule attribute(const char *name, int mandatory, int maxlen, attr_check step, bool upper = true,
                                 const value_table *values = nullptr, const char *checks = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = maxlen, .length = length_rule::own,
                        .upper = upper, .after = step, .checks = checks, .values = values};
}

// ---- filing ----

void insert_connection(conntype_ctx &ctx) {
    address_assignment &a = ctx.a;
    const char *type = a.ip.addresstype;
    if (!validate_domainconntypes(ctx.name)) {
        domain_conn_type_rec *rec = alloc_record<domain_conn_type_rec>();
        rec->connectionno = ctx.connectionno;
        rec->maxconn = ctx.maxconn;
        keep(rec->connectionscope, ctx.scope);
        keep(rec->connectiontype, ctx.type);
        keep(rec->connectionname, ctx.name);
        rec->networktypes = ctx.routed;
        if (!validate_var(AddressTypes, type)) flag_error(TOKEN_WORD, "", "ERROR: Address type %s is invalid @%d\n", type, Line);
        if (!validate_var(ValidationTypes, a.attrs.validation))
            flag_error(TOKEN_WORD, "", "ERROR: Validation type %s is invalid @%d\n", a.attrs.validation, Line);
        if (!std::strcmp(type, "UNNUMBERED"))
            // The address holds at most 80 characters.
            rec->addresstype.format("UNNUMBERED:%.280s", a.ip.address);
        else
            keep(rec->addresstype, type);
        keep(rec->prefix, a.ip.prefix);
        rec->valcheck = a.attrs.validation;
        append_record(prdomainconntypes, rec);
    }
    if (!has_address_records(type)) return;
    file_address_assign(a, 1, ctx.name, ctx.assignments);
    check_address_variables(a);
    file_address_dependencies(a, 1, ctx.name, ctx.assignments);
}

// A host pool's prefix that is no number names a variable of the owner.
void check_prefix_variable(block_reader &r, conntype_ctx &ctx) {
    address_assignment &a = ctx.a;
    if (std::strcmp(a.ip.addresstype, "ADDRESS-HOST-POOL") != 0 || !a.ip.prefix[0] || checkisnumber(a.ip.prefix))
        return;
    int saved = Line, type = 0;
    Line = a.line;
    int known = validate_vars(a.attrs.ownerdomain, a.attrs.ownernode, a.ip.prefix, "VAR", &type, a.attrs.connlist);
    Line = saved;
    if (!known) flag_pending(r);
}

// Files the open assignment: `at_end` for the closing form (after END),
// else the form of an assignment finished by the next IPADDRESS. 0 read
// on, 1 stop.
int finish_assignment(block_reader &r, conntype_ctx &ctx, bool at_end) {
    address_assignment &a = ctx.a;
    const char *type = a.ip.addresstype;
    if (!std::strcmp(type, "ADDRESS-FIXED") || !std::strcmp(type, "NETWORK-FIXED")) {
        if (check_fixed_address(a)) flag_pending(r);
    } else if (!std::strcmp(type, "ADDRESS-HOST-POOL")) {
        if (!at_end) std::strcpy(a.attrs.validationpool, " ");
        if (!a.sel.servicetype[0]) {
            if (!at_end) return r.fail(kHostPoolMsg, type, ctx.name, a.line);
            r.flag(kHostPoolMsg, type, ctx.name, a.line);
        }
        if (a.sel.poolownervar[0] &&
            !validate_poolvar(ctx.name, a.attrs.connlist, a.attrs.ownerdomain, a.attrs.ownernode, a.sel.poolownervar)) {
            if (at_end)
                return r.fail("ERROR: POOLOWNERVAR  '%s' used in SELECTIONMETHOD for connection block '%s' is not "
                              "defined(define proper addressowner): @ %d \n",
                              a.sel.poolownervar, ctx.name, a.selline);
            r.flag("ERROR: POOLOWNERVAR  '%s' used in SELECTIONMETHOD for connection block '%s' is not "
                   "defined(define proper addressowner): @ %d  \n",
                   a.sel.poolownervar, ctx.name, a.selline);
        }
    }
    char unknown[kText];
    if (a.instances && !validate_instancevars(ctx.name, a.attrs.connlist, a.attrs.ownerdomain, a.attrs.ownernode,
                                              a.instances, unknown))
        return r.fail(at_end ? "ERROR: variable  '%s' used in instaceid for connection block '%s' is not "
                               "defined(define proper addressowner): @ %d  \n"
                             : "ERROR: variable '%s' used in instanceid for connection block '%s' is not "
                               "defined(define proper addressowner): @ %d  \n",
                      unknown, ctx.name, a.instline);
    if (at_end && !validate_memberfiltervars(ctx.name, ctx.connectionno))
        return r.fail("Filter variables specified are not present in all the member nodes\nfor connection %s\n",
                      ctx.name);
    check_prefix_variable(r, ctx);
    if (!at_end && !a.attrs.validationpool[0]) r.flag("ERROR: VALIDATIONPOOL is missing for IPADDRESS group: @ %d\n", a.line);
    insert_connection(ctx);
    // The dependencies belong to the assignment they were given for.
    a.dependencies.clear();
    return 0;
}

// ---- groups ----

int file_variable(block_reader &r, conntype_ctx &ctx) {
    var_def def;
    if (parse_variables(r.fp, &def)) return 1;
    int type = 0;
    if (validate_domainconnvars(ctx.connectionno, def.name, &type))
        return r.fail("ERROR: Duplicate variable defined for  connection : %s %s @%d\n", ctx.name, def.name, Line);
    domain_conn_var_rec *rec = alloc_record<domain_conn_var_rec>();
    rec->connectionno = ctx.connectionno;
    rec->sequence = ++ctx.variables;
    fill_variable_record(def, rec);
    append_record(prdomainconnvars, rec);
    return 0;
}

// IPADDRESS: the open assignment is finished, a new one opened. The
// ADDRESSOWNER text, VALIDATION and VALIDATIONPOOL stay the block's; the
// owner's domain, node type and connections start over.
int open_assignment(block_reader &r, conntype_ctx &ctx) {
    address_assignment &a = ctx.a;
    if (ctx.assignments && finish_assignment(r, ctx, false)) return 1;
    assignment_attrs kept = a.attrs;
    dependency_list dependencies = std::move(a.dependencies);
    a.reset();
    a.attrs = assignment_attrs{};
    std::memcpy(a.attrs.owner, kept.owner, sizeof kept.owner);
    std::memcpy(a.attrs.validation, kept.validation, sizeof kept.validation);
    std::memcpy(a.attrs.validationpool, kept.validationpool, sizeof kept.validationpool);
    a.attrs.connlist[0] = ctx.connectionno;
    a.dependencies = std::move(dependencies);  // given before this IPADDRESS
    a.line = Line;
    ++ctx.assignments;
    return extract_ipaddress(r.fp, &a.ip, "CONNECTION");
}

// ---- group keywords: each row's own step, the keyword in r.tok ----

int take_ipaddress(block_reader &r, const keyword_rule &, void *rec) { return open_assignment(r, ctx_of(rec)); }

int take_selmethod(block_reader &r, const keyword_rule &rule, void *rec) {
    conntype_ctx &ctx = ctx_of(rec);
    if (!ctx.assignments)
        return r.fail("ERROR: IPADDRESS need to be given before giving '%s': @ %d\n", rule.name, Line);
    ctx.a.selline = Line;
    return extract_selmethod(r.fp, ctx.a.ip.addresstype, &ctx.a.sel);
}

int take_dependency(block_reader &r, const keyword_rule &, void *rec) {
    return extract_dependency(r.fp, ctx_of(rec).a.dependencies);
}

int take_instances(block_reader &r, const keyword_rule &rule, void *rec) {
    conntype_ctx &ctx = ctx_of(rec);
    address_assignment &a = ctx.a;
    if (a.instances)
        r.flag("ERROR: Multiple '%s' for same ipaddress assignement in connection type '%s' : @ %d\n", rule.name,
               ctx.name, Line);
    a.instline = Line;
    domain_inst_var_rec *first = nullptr;
    if (extract_instances(r.fp, ctx.name, ctx.assignments, &first)) return 1;
    if (!a.instances) a.instances = first;
    return 0;
}

int take_members(block_reader &r, const keyword_rule &, void *rec) {
    conntype_ctx &ctx = ctx_of(rec);
    return extract_members(r.fp, ctx.connectionno, ctx.name, ctx.type);
}

int take_interfaces(block_reader &r, const keyword_rule &, void *rec) {
    return extract_interfaces(r.fp, ctx_of(rec).connectionno);
}

int take_variable(block_reader &r, const keyword_rule &, void *rec) {
    conntype_ctx &ctx = ctx_of(rec);
    if (ctx.assignments) return r.fail("ERROR: Give VARIABLE definition before IPADDRESS: @ %d\n", Line);
    return file_variable(r, ctx);
}

int take_hsrp(block_reader &r, const keyword_rule &, void *rec) {
    conntype_ctx &ctx = ctx_of(rec);
    return extract_hsrp(r.fp, ctx.connectionno, ctx.name, ctx.a, &ctx.authenticated);
}

int take_aps(block_reader &r, const keyword_rule &, void *rec) { return extract_APS(r.fp, ctx_of(rec).connectionno); }

int take_memberfilters(block_reader &r, const keyword_rule &, void *rec) {
    return extract_memberfilters(r.fp, ctx_of(rec).connectionno);
}

constinit keyword_table_of connectiontypestokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        attribute("TYPE", 0, 30, take_type, true, NetworkTypes),
        attribute("SCOPE", 0, 30, take_scope, true, Scope),
        {.name = "MAXCONNECTIONS", .maxlen = 30, .kind = value_kind::number, .length = length_rule::own,
         .kind_msg = "Numeric value is expected for max connections.%s @%d\n", .after = take_maxconn,
         .checks = "a number of 32 bits", .unset = NDL_TEXT_OF(MAXCONNECTIONS_UNSET)},
        [] {
            keyword_rule k = attribute("VALIDATION", 0, 30, take_validation, true, ValidationTypes);
            k.unset = kValidationUnset;
            return k;
        }(),
        with_entry(read_by(token_row("IPADDRESS", TOKEN_GROUP, 80, 1), take_ipaddress), &ipaddress_def,
                   "`IPADDRESS = ( ... )`: it opens an address assignment, and the SELECTIONMETHOD and "
                   "INSTANCEID after it add to it"),
        with_entry(read_by(token_row("SELECTIONMETHOD", TOKEN_GROUP, 80), take_selmethod), &selmethod_def,
                   "`SELECTIONMETHOD = ( ... )`, after an IPADDRESS, whose assignment it adds to"),
        with_entry(read_by(token_row("DEPENDENCY", TOKEN_GROUP), take_dependency), &dependency_def,
                   "`DEPENDENCY = ( ... )`: it adds to the assignment the last IPADDRESS opened; before the first "
                   "IPADDRESS, to the first"),
        attribute("ADDRESSOWNER", 0, 200, take_owner, false, nullptr, "an owner such as `DOMAIN.TYPE`; once"),
        attribute("VALIDATIONPOOL", 0, 30, take_validationpool, false, nullptr, "a pool of the ADDRESSPOOL block"),
        with_entry(read_by(token_row("INSTANCEID", TOKEN_LIST, kInstanceIdMax), take_instances), &instances_def,
                   "`INSTANCEID = ( NAME , ... )`, after an IPADDRESS, once for each: variable names, "
                   "comma-separated"),
        attribute("ROUTEDPROTOCOLS", 0, 0, take_routedprotocols, true, RoutedProtocols),
        with_entry(read_by(token_row("MEMBER", TOKEN_GROUP, 0), take_members), &member_def, kMemberForm),
        with_entry(read_by(token_row("INTERFACETYPES", TOKEN_GROUP, 0), take_interfaces), &interfaces_def,
                   "`INTERFACETYPES = ( TYPE = type , ... )`: TYPE first, then the other keywords, comma-separated"),
        with_entry(read_by(token_row("VARIABLE", TOKEN_GROUP), take_variable), &variable_entry,
                   "`VARIABLE = ( ... )`, before any IPADDRESS"),
        with_entry(read_by(token_row("HSRP", TOKEN_GROUP), take_hsrp), &hsrp_def,
                   "`HSRP#N.MEMBER = ( ... )`, `HSRP#N.IPADDRESS = ( ... )`, `HSRP#N.AUTHENTICATION = value` or "
                   "`HSRP#N.HSRPPRIORITY = ...`, each a statement of standby group N"),
        with_entry(read_by(token_row("APS", TOKEN_GROUP), take_aps), &aps_def, "`APS = ( ... )`"),
        with_entry(read_by(token_row("MEMBERFILTER", TOKEN_GROUP, kMemberFilterMax), take_memberfilters),
                   &memberfilter_def, kMemberFilterForm),
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.equal_msg = "ERROR: Invalid syntax '=' expected:%s @%d\n"}};

// A group keyword (upper case) in r.tok: IPADDRESS and VARIABLE may come
// again and are not marked found.
int read_group(block_reader &r, conntype_ctx &ctx) {
    const keyword_rule &row = *own_row(r);
    if (row.after != take_ipaddress && row.after != take_variable) set_foundflag(r.table, row.name);
    return row.after(r, row, &ctx);
}

}  // namespace

int validate_memberfiltervars(const char *, int connectionno) {
    int connlist[2] = {connectionno, 0};
    // Only the block of a connection number files its filters and members,
    // one after the other: they stand together in their lists.
    for (const domain_conn_filter_rec *f = first_filter(connectionno); f && f->connectionno == connectionno;
         f = f->next) {
        for (const domain_fixed_conn_rec *m = first_member(connectionno); m && m->connectionno == connectionno;
             m = m->next) {
            int type = 0;
            if (!validate_vars(m->domainname, m->nodetype, f->variablename, "VAR", &type, connlist)) return 0;
        }
    }
    return 1;
}

int parse_connectiontypes(FILE *fp, FILE *, const char *) {
    auto ctx = std::make_unique<conntype_ctx>();
    ctx->connectionno = ++g_connectionno;
    block_reader r(fp, connectiontypestokens);
    address_assignment &a = ctx->a;
    a.reset();
    std::strcpy(a.attrs.validation, kValidationUnset);
    a.attrs.connlist[0] = ctx->connectionno;

    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kEofMsg, Line);
    if (validate_domainconntypes(r.tok)) r.flag("ERROR: Connection already defined :%s @%d\n", r.tok, Line);
    if (std::strlen(r.tok) > 80) return r.fail("ERROR: Token exceeds maximum size: '%s' @ %d\n", r.tok, Line);
    assert(std::strlen(r.tok) < sizeof ctx->name);
    std::strcpy(ctx->name, r.tok);  // at most 80 characters
    if (!r.expect("BEGIN", "ERROR: Keword 'BEGIN' expected :%s @%d\n")) return 1;

    for (;;) {
        r.read_upper();
        // The loop runs to END, the end of the file (a cut block is refused
        // with the end-of-file message) or a token error.
        if (r.ended) return r.eof();
        if (r.kind == TOKEN_END || r.error_ends()) break;
        if (r.kind == TOKEN_GROUP || r.kind == TOKEN_LIST) {
            if (read_group(r, *ctx)) return 1;
            continue;
        }
        if (r.kind != TOKEN_ATTRIBUTE) return r.fail("ERROR: Invalid attribute name : %s @%d\n", r.tok, Line);
        set_foundflag(r.table, r.tok);
        if (read_keyword(r, *r.keys->rule(r.tok), ctx.get())) return 1;
        if (r.kind != TOKEN_WORD && r.kind != TOKEN_QUOTED && r.kind != TOKEN_NUMBER)
            return r.fail("ERROR: Invalid syntax variable type expected\n");
    }
    if (!ctx->assignments) return r.fail("ERROR: IP address not defined for connection : %s @%d\n", ctx->name, Line);
    return finish_assignment(r, *ctx, true);
}

namespace {

constexpr block_rule connectiontype_rules[] = {
    {.text = "It gives IPADDRESS", .part = "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n",
     .message = "ERROR: IP address not defined for connection"},
};

// A connection type with a member, for the rows that name one.
constexpr char kMemberExample[] = "CONNECTIONTYPE PE-PE BEGIN\n"
                                  "  MEMBER = ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 10 )\n"
                                  "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"
                                  "END\n";
constexpr char kIpaddress[] = "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n";

constexpr block_unique connectiontype_unique[] = {
    {.what = "Its name", .within = "the network (every CONNECTIONTYPE)",
     .message = "ERROR: Connection already defined :%s @%d\n"},
    {.what = "A VARIABLE's NAME", .within = "the connection type",
     .message = "ERROR: Duplicate variable defined for  connection : %s %s @%d\n",
     .part = "BEGIN\n", .again = "  VARIABLE = ( NAME = CIRCUIT , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n"
                                 "  VARIABLE = ( NAME = CIRCUIT , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n"},
    {.what = "A VARIABLE's NAME", .within = "the names the loader defines for every connection (see \"Names the "
                                             "loader defines\")",
     .message = "ERROR: Duplicate variable defined for  connection : %s %s @%d\n",
     .part = "BEGIN\n", .again = "  VARIABLE = ( NAME = LINKID , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n",
     .means = "\"Duplicate\" although the file defines the name once: the other definition is the loader's"},
    {.what = "ADDRESSOWNER", .within = "the block (it stands for all its IPADDRESS groups)",
     .message = "ERROR: Duplicate specification for ADDRESSOWNER : @ %d\n", .part = kIpaddress,
     .again = "  ADDRESSOWNER = \"NORTH.PE\"\n  ADDRESSOWNER = \"NORTH.PE\"\n"},
    {.what = "INSTANCEID", .within = "an IPADDRESS group (the one before it)",
     .message = "ERROR: Multiple '%s' for same ipaddress assignement in connection type '%s' : @ %d\n",
     .part = kIpaddress, .again = "  INSTANCEID = ( NODEID )\n  INSTANCEID = ( NODEID )\n",
     .example = kMemberExample},
    {.what = "A MEMBER's NODE", .within = "the connection type",
     .message = "ERROR: Duplicate MEMBER in connection for same domain and nodetype. :  @%d\n",
     .part = "  MEMBER = ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 10 )\n", .example = kMemberExample},
    {.what = "A variable of MEMBERFILTER", .within = "the connection type (every MEMBERFILTER of it)",
     .message = "ERROR: Duplicate MEMBERFILTER variable: '%s' @ %d\n", .part = kIpaddress,
     .again = "  MEMBERFILTER = ( HOSTNAME , HOSTNAME )\n", .example = kMemberExample},
    {.what = "An APS entry's MEMBER", .within = "the connection type",
     .message = "ERROR: Duplicate APS block for same nodetype and domainname in connectiontype @%d\n",
     .part = kIpaddress,
     .again = "  APS = ( MEMBER = NORTH.PE , MODE = WORKING )\n  APS = ( MEMBER = NORTH.PE , MODE = PROTECTED )\n",
     .example = kMemberExample},
    {.what = "An HSRP group's IPADDRESS", .within = "the group (`HSRP#n.`)",
     .message = "ERROR: Duplicate token: '%s' @ %d\n", .part = kIpaddress,
     .again = "  HSRP#1.MEMBER = ( NORTH.PE )\n"
              "  HSRP#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"
              "  HSRP#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n",
     .example = kMemberExample, .means = "the keyword it quotes is IPADDRESS"},
};

const block_doc connectiontype_doc{.header = "name BEGIN",
                                   .needs = "NODES",
                                   .example = "CONNECTIONTYPE PE-PE BEGIN\n"
                                              "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"
                                              "END\n",
                                   .rules = connectiontype_rules,
                                   .unique = connectiontype_unique};

}  // namespace

block_keys connectiontypes_keys() { return {&connectiontypestokens, nullptr, &connectiontype_doc}; }
