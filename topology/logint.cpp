// The LOGICALINTERFACE block: the loopback and tunnel interfaces of one node
// type and how each gets its addresses. Statements are written
// "LOOPBACK # n . KEY ..."; an IPADDRESS statement opens an assignment of
// its interface and the others add to the open one.
#include <cstring>
#include <memory>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

const char kAssignFirstMsg[] = "ERROR: IPADDRESS need to be given before giving '%s': @ %d\n";
const char kPoolVarMsg[] =
    "ERROR: POOLOWNERVAR  '%s' used in SELECTIONMETHOD for logical interface block is not "
    "defined(define proper addressowner): @ %d  \n";
const char kInstanceMsg[] =
    "ERROR: variable  '%s' used in instaceid for logical interface block is not defined(define proper "
    "addressowner): @ %d  \n";

struct logint_ctx {
    logint_ctx() {}  // provided, so that the assignment's rows are not zeroed
    char domainname[kName] = "";
    char nodetype[kName] = "";
    char devicetype[kName] = "";
    bool open = false;  // an assignment is open
    char inttype[kName] = "";
    char intno[30] = "";
    char endpoint[kText] = "";  // "domain:nodetype:LOOPBACKn" of the open assignment
    address_assignment a;
};

int check_validationpool(block_reader &r, const keyword_rule &, void *) {
    if (!validate_addresspools(r.tok, "IP")) return r.fail("ERROR: Invalid poolname. Not defined : %s @%d\n", r.tok, Line);
    return 0;
}

int check_validation(block_reader &r, const keyword_rule &, void *) {
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(ValidationTypes, r.tok))
        return r.fail("ERROR: Wrong value for 'VALIDATION': '%s' @ %d\n", r.tok, Line);
    return 0;
}

// A group statement's own step: rec is its statement.
int open_interface(block_reader &r, const keyword_rule &rule, void *rec);
int take_selmethod(block_reader &r, const keyword_rule &rule, void *rec);
int take_instances(block_reader &r, const keyword_rule &rule, void *rec);
int take_dependency(block_reader &r, const keyword_rule &rule, void *rec);

// The attributes go into the open assignment; the groups are read by their
// own readers. The found flags and the mandatory check are per assignment.
constinit keyword_table_of loopbacktokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        with_checks(token_row("LOOPBACK", TOKEN_LOOPBACK),
                    "opens each statement: `LOOPBACK#n.KEYWORD`, n a number or a word, a loopback of the "
                    "node type's interfaces"),
        with_checks(token_row("TUNNEL", TOKEN_LOOPBACK), "opens a statement as LOOPBACK does: `TUNNEL#n.KEYWORD`"),
        token_row("#", TOKEN_HASH),
        with_entry(read_by(token_row("IPADDRESS", TOKEN_GROUP, 80, 1), open_interface), &ipaddress_def,
                   "`LOOPBACK#N.IPADDRESS = ( ... )` or `TUNNEL#N.IPADDRESS = ( ... )`: it opens the address "
                   "assignment of that interface, and the statements of the interface after it add to it"),
        with_entry(read_by(token_row("DEPENDENCY", TOKEN_GROUP, 80), take_dependency), &dependency_def,
                   "`LOOPBACK#N.DEPENDENCY = ( ... )` or `TUNNEL#N.DEPENDENCY = ( ... )`, after an IPADDRESS "
                   "of the same interface number, to whose assignment it adds"),
        with_entry(read_by(token_row("INSTANCEID", TOKEN_GROUP, 0), take_instances), &instances_def,
                   "`LOOPBACK#N.INSTANCEID = ( NAME , ... )` or `TUNNEL#N.INSTANCEID = ( NAME , ... )`: variable "
                   "names, comma-separated, added to the assignment the last IPADDRESS opened"),
        with_entry(read_by(token_row("SELECTIONMETHOD", TOKEN_GROUP, 30), take_selmethod), &selmethod_def,
                   "`LOOPBACK#N.SELECTIONMETHOD = ( ... )` or `TUNNEL#N.SELECTIONMETHOD = ( ... )`, added to the "
                   "assignment the last IPADDRESS opened"),
        {.name = "ADDRESSOWNER", .maxlen = 200,
         .toolong_msg = "ERROR: Token size exceed maximum limit : '%s' @ %d\n", .toolong_err = on_error::fail,
         .field = NDL_TEXT(assignment_attrs, owner), .after = check_addressowner,
         .checks = "an owner such as `DOMAIN.TYPE`"},
        {.name = "VALIDATIONPOOL", .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(assignment_attrs, validationpool), .before = check_validationpool,
         .checks = "a pool of the ADDRESSPOOL block"},
        {.name = "VALIDATION", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(assignment_attrs, validation),
         .before = check_validation, .values = ValidationTypes},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.equal_msg = "ERROR: Invalid syntax '=' :%s @ %d\n"}};

int insert_loglnode(logint_ctx &ctx);

// Files the open assignment: `at_end` for the closing form (at END), else
// the form of an assignment finished by the next IPADDRESS. 0 read on, 1
// stop.
int finish_assignment(block_reader &r, logint_ctx &ctx, bool at_end) {
    address_assignment &a = ctx.a;
    const char *type = a.ip.addresstype;
    if (at_end) {
        r.check_mandatory("logicalinterface",
                          "ERROR: token '%s' not found in LOGICALINTERFACE IPADDRESS block:  @ %d\n",
                          ctx.open ? a.line : r.start_line);
        if (!ctx.open) return 0;
    } else if (!r.check_mandatory("logicalinterface",
                                  "ERROR: token '%s' should be given for previous IPADDRESS:  @ %d\n", a.line)) {
        return 1;
    }
    const char *hostpool_msg =
        at_end ? "ERROR: SELECTIONMETHOD should be defined for addresstype '%s' in IPADDRESS of connection "
                 "block '%s' : @ %d\n"
               : "ERROR: SELECTIONMETHOD should be defined for addresstype '%s' for IPADDRESS in connection "
                 "block '%s' : @ %d\n";
    if (!std::strcmp(type, "ADDRESS-FIXED") || !std::strcmp(type, "NETWORK-FIXED")) {
        // Mid-block a refused address is filed all the same.
        if (check_fixed_address(a)) {
            if (at_end) return fail_pending(r);
            flag_pending(r);
        }
    } else if (!std::strcmp(type, "ADDRESS-HOST-POOL")) {
        if (!a.sel.servicetype[0]) return r.fail(hostpool_msg, type, ctx.endpoint, a.line);
        if (a.sel.poolownervar[0] && !validate_poolvar(ctx.endpoint, a.attrs.connlist, a.attrs.ownerdomain,
                                                       a.attrs.ownernode, a.sel.poolownervar)) {
            if (!at_end) return r.fail(kPoolVarMsg, a.sel.poolownervar, a.selline);
            r.flag(kPoolVarMsg, a.sel.poolownervar, a.selline);
        }
    }
    char unknown[kText];
    bool instances_known = !a.instances || validate_instancevars(ctx.endpoint, a.attrs.connlist,
                                                                 a.attrs.ownerdomain, a.attrs.ownernode,
                                                                 a.instances, unknown);
    if (!instances_known && !at_end) r.flag(kInstanceMsg, unknown, a.instline);
    if (insert_loglnode(ctx)) {
        // The statement's token, not the operation's empty one: the driver
        // resumes after this block's END, not the next block's.
        keep_error_token(r.kind, r.tok);
        return 1;
    }
    if (!instances_known && at_end) return r.fail(kInstanceMsg, unknown, a.instline);
    return 0;
}

// An attribute of the open assignment: "= value".
int read_attribute(block_reader &r, logint_ctx &ctx, const char *intno) {
    if (!ctx.open) return r.fail("ERROR: Invalid syatax. The IPaddress of the loopback needs to defined first @d\n");
    if (std::strcmp(intno, ctx.intno) != 0)
        return r.fail("ERROR: Invalid attribute name encountered : %s @%d\n", r.tok, Line);
    const keyword_rule &rule = *r.keys->rule(r.tok);
    set_foundflag(r.table, rule.name);
    if (read_keyword(r, rule, &ctx.a.attrs)) return 1;
    if (r.kind != TOKEN_WORD && r.kind != TOKEN_QUOTED)
        return r.fail("ERROR :Invalid syntax variable type expected : %s @%d\n", r.tok, Line);
    return 0;
}

// A group statement of interface `inttype` # `intno`.
struct group_statement {
    logint_ctx &ctx;
    const char *inttype;
    const char *intno;
};

group_statement &statement_of(void *rec) { return *static_cast<group_statement *>(rec); }

// IPADDRESS: the open assignment is finished, the interface's opened.
int open_interface(block_reader &r, const keyword_rule &rule, void *rec) {
    group_statement &st = statement_of(rec);
    logint_ctx &ctx = st.ctx;
    address_assignment &a = ctx.a;
    if (ctx.open && finish_assignment(r, ctx, false)) return 1;
    clear_foundflag(r.table);
    set_foundflag(r.table, rule.name);
    a.reset();
    a.line = Line;
    std::strcpy(ctx.intno, st.intno);
    std::strcpy(ctx.inttype, st.inttype);
    std::snprintf(ctx.endpoint, sizeof ctx.endpoint, "%s:%s:%s%s", ctx.domainname, ctx.nodetype, st.inttype,
                  st.intno);
    ctx.open = true;
    if (extract_ipaddress(r.fp, &a.ip, "LOGICALINT")) return 1;
    return 0;
}

int take_selmethod(block_reader &r, const keyword_rule &rule, void *rec) {
    address_assignment &a = statement_of(rec).ctx.a;
    set_foundflag(r.table, rule.name);
    a.selline = Line;
    return extract_selmethod(r.fp, a.ip.addresstype, &a.sel);
}

int take_instances(block_reader &r, const keyword_rule &rule, void *rec) {
    logint_ctx &ctx = statement_of(rec).ctx;
    address_assignment &a = ctx.a;
    if (a.instances)
        return r.fail("ERROR: Multiple '%s' for same ipaddress assignement in logical interface block : @ %d\n",
                      rule.name, Line);
    set_foundflag(r.table, rule.name);
    a.instline = Line;
    return extract_instances(r.fp, ctx.endpoint, 0, &a.instances);
}

// Only for the interface whose assignment is open.
int take_dependency(block_reader &r, const keyword_rule &rule, void *rec) {
    group_statement &st = statement_of(rec);
    if (std::strcmp(st.intno, st.ctx.intno) != 0)
        return r.fail("ERROR:Invalid attribute name encountered : %s @%d\n", rule.name, Line);
    set_foundflag(r.table, rule.name);
    return extract_dependency(r.fp, st.ctx.a.dependencies);
}

// A group statement: the keyword is in r.tok. IPADDRESS opens an
// assignment; the others need one open.
int read_group(block_reader &r, logint_ctx &ctx, const char *inttype, const char *intno) {
    const keyword_rule &row = *own_row(r);
    group_statement st{ctx, inttype, intno};
    if (row.after != open_interface && !ctx.open) return r.fail(kAssignFirstMsg, row.name, Line);
    return row.after(r, row, &st);
}

// One statement, its kind keyword upper-cased in r.tok.
int read_statement(block_reader &r, logint_ctx &ctx) {
    if (r.kind != TOKEN_LOOPBACK)
        return r.fail("ERROR: Keyword 'LOOPBACK'/'TUNNEL' is expected :%s @%d\n", r.tok, Line);
    const char *inttype = r.keys->row(r.tok)->name;  // LOOPBACK or TUNNEL
    if (!r.expect("#", "ERROR: Keyword '#' expected:%s @ %d\n")) return 1;
    r.read();
    if (r.kind != TOKEN_WORD && r.kind != TOKEN_NUMBER)
        return r.fail("ERROR: Logical interface NUM expected :%s @ %d\n", r.tok, Line);
    int count = 0;
    if (!check_logint(ctx.domainname, ctx.nodetype, ctx.devicetype, r.tok, &count))
        return r.fail("ERROR: Invalid interface number for loopback(%s %s) :%s @%d\n", ctx.domainname,
                      ctx.nodetype, r.tok, Line);
    // The number is stored in a field of 29 characters: a longer one is refused.
    char intno[sizeof ctx.intno];
    if (!store_text(intno, sizeof intno, r.tok, sizeof intno - 1)) return r.fail(kTooLongMsg, r.tok, Line);
    if (!r.expect(".", "ERROR: Attribute qualifier '.' expected :%s @ %d\n")) return 1;
    r.read_upper();
    if (r.kind == TOKEN_ATTRIBUTE) return read_attribute(r, ctx, intno);
    if (r.kind == TOKEN_GROUP) return read_group(r, ctx, inttype, intno);
    return r.fail("ERROR: Invalid attribute name : %s @%d\n", r.tok, Line);
}

// Reads a name of the block's head ("domain" or "nodetype"): 0, or 1 stop.
int read_head_name(block_reader &r, char *field, bool known, const char *unknown_msg) {
    if (!known) r.flag(unknown_msg, r.tok, Line);
    // Only flagged, but never cut: a name beyond its field is refused.
    if (!store_text(field, kName, r.tok, kName - 1)) return r.fail(kTooLongMsg, r.tok, Line);
    return 0;
}

int insert_loglnode(logint_ctx &ctx) {
    address_assignment &a = ctx.a;
    const char *type = a.ip.addresstype;
    int32_t prefix = 0;
    parse_int32(a.ip.prefix, &prefix);  // a flagged prefix counts as 0
    if (!validate_logint(ctx.domainname, ctx.nodetype, ctx.devicetype, ctx.inttype, ctx.intno)) {
        domain_node_log_int_rec *rec = alloc_record<domain_node_log_int_rec>();
        rec->domainname = ctx.domainname;
        rec->devicetype = ctx.devicetype;
        rec->nodetype = ctx.nodetype;
        rec->inttype = ctx.inttype;
        rec->intno = ctx.intno;
        rec->addresstype = type;
        if (!validate_var(AddressTypes, type)) flag_error(TOKEN_WORD, "", "Address type %s is invalid @%d\n", type, Line);
        rec->prefix = prefix;
        rec->dependency = a.dependencies.empty() ? " " : a.dependencies.front().name;
        rec->valcheck = a.attrs.validation;
        if (!validate_var(ValidationTypes, rec->valcheck))
            flag_error(TOKEN_WORD, "", "ERROR: Validation type %s is invalid @%d\n", rec->valcheck.c_str(), Line);
        append_record(prdomainnodelogint, rec);
    }
    if (!has_address_records(type)) return 0;
    if (prefix < 1 || prefix > 32) flag_error(TOKEN_WORD, "", "ERROR: Invalid prefix %d @%d\n", prefix, Line);
    int pointtype = std::strcmp(ctx.inttype, "TUNNEL") == 0 ? 4 : 1;
    file_address_assign(a, pointtype, ctx.endpoint, 0);
    if (a.dependencies.size() > 1) {
        flag_error(TOKEN_WORD, "", "ERROR: Loopback addresses can have atmost one dependendent variable @%d\n", Line);
        return 1;
    }
    check_address_variables(a);
    file_address_dependencies(a, pointtype, ctx.endpoint, 0);
    return 0;
}

}  // namespace

int parse_logint(FILE *fp, FILE *, const char *) {
    block_reader r(fp, loopbacktokens, kGroupEofLineMsg);
    auto ctx = std::make_unique<logint_ctx>();
    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kGroupEofMsg, r.tok, Line);
    if (read_head_name(r, ctx->domainname, validate_domain(r.tok), "ERROR: Domain undefined:%s @ %d\n")) return 1;
    if (!r.expect(".", "ERROR: '.' expected as a qualifier for node type:%s @ %d\n")) return 1;
    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kGroupEofMsg, r.tok, Line);
    bool known = validate_node(ctx->domainname, r.tok, ctx->devicetype);
    if (read_head_name(r, ctx->nodetype, known, "ERROR: Invalid node type. Not defined : %s  @%d\n")) return 1;
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected :%s @ %d\n")) return 1;
    for (;;) {
        r.read_upper();
        // The statements run to END, the end of the file (a cut block is
        // refused with the end-of-file message) or a token error.
        if (r.ended) return r.eof();
        if (r.kind == TOKEN_END || r.error_ends()) return finish_assignment(r, *ctx, true);
        if (read_statement(r, *ctx)) return 1;
    }
}

namespace {

constexpr char kFixedLoopback[] =
    "LOGICALINTERFACE NORTH.PE BEGIN\n"
    "  LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.0.1\" , PREFIX = 32 )\n"
    "  LOOPBACK#0.VALIDATION = NONE\n"
    "END\n";
constexpr char kPoolLoopback[] =
    "LOGICALINTERFACE NORTH.PE BEGIN\n"
    "  LOOPBACK#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-CONNECTION-POOL , OFFSET = \"1\" , PREFIX = 32 )\n"
    "  LOOPBACK#1.VALIDATION = NONE\n"
    "END\n";
constexpr block_rule logint_rules[] = {
    {.text = "Its name is a node type of the NODES blocks, `DOMAIN.TYPE`", .part = "NORTH.PE",
     .instead = "NORTH.CE", .message = "ERROR: Invalid node type. Not defined"},
    {.text = "An interface's IPADDRESS comes before its other statements",
     .part = "  LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"},
    // The keywords that ADDRESSTYPE asks for.
    {.part = "ADDRESS = \"10.0.0.1\" , ", .example = kFixedLoopback},
    {.part = " , PREFIX = 32", .example = kFixedLoopback},
    {.part = "OFFSET = \"1\" , ", .message = "ERROR: Invalid syntax Keyword 'OFFSET' expected",
     .example = kPoolLoopback},
};

constexpr block_unique logint_unique[] = {
    {.what = "INSTANCEID", .within = "an interface's IPADDRESS assignment",
     .message = "ERROR: Multiple '%s' for same ipaddress assignement in logical interface block : @ %d\n",
     .part = "  LOOPBACK#0.VALIDATION = NONE\n",
     .again = "  LOOPBACK#0.INSTANCEID = ( NODEID )\n  LOOPBACK#0.INSTANCEID = ( NODEID )\n"},
};

const block_doc logint_doc{.header = "DOMAIN.TYPE BEGIN",
                           .needs = "NODES",
                           .example = "LOGICALINTERFACE NORTH.PE BEGIN\n"
                                      "  LOOPBACK#0.IPADDRESS = ( ADDRESSTYPE = ADDRESS-UNASSIGNED )\n"
                                      "  LOOPBACK#0.VALIDATION = NONE\n"
                                      "END\n",
                           .rules = logint_rules,
                           .unique = logint_unique};

}  // namespace

block_keys logint_keys() { return {&loopbacktokens, nullptr, &logint_doc}; }
