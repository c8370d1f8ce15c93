// The address assignment groups (IPADDRESS, DEPENDENCY, SELECTIONMETHOD,
// INSTANCEID), the checks of the variables they name, and the records a
// finished assignment files.
#include <cstring>

#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

const value_table AddressTypes[] = {"ADDRESS-FIXED",     "NETWORK-FIXED",          "UNNUMBERED",
                                    "ADDRESS-UNASSIGNED", "ADDRESS-HOST-POOL", "ADDRESS-CONNECTION-POOL",
                                    ""};
const value_table ValidationTypes[] = {"NETWORK-UNIQUE", "NODE-UNIQUE", "NONE", ""};
const value_table hostpoolowners[] = {"GLOBAL", "COMMUNITY", ""};

namespace {

lookup::group_index<domain_inst_var_rec, &domain_inst_var_rec::connectionname> instancevars_of_endpoint(
    prdomaininstancevars);

const char kLimitMsg[] = "ERROR: Token size exceed maximum limit : '%s' @ %d\n";

bool same(const char *a, const char *b) { return std::strcmp(a, b) == 0; }

// ---- IPADDRESS ----

struct ip_reading {
    ipaddress_group g;
    bool anyprefix;  // a connection type's host pool: any token is a prefix
};

int check_addresstype(block_reader &r, const keyword_rule &, void *rec) {
    const char *type = static_cast<ip_reading *>(rec)->g.addresstype;
    if (!validate_var(AddressTypes, type)) r.flag("ERROR: ADDRESSTYPE '%s' is not valid: @ %d\n", type, Line);
    return 0;
}

// Only flagged: the prefix is kept as written. A number that does not fit
// 32 bits is no number either.
int check_prefix(block_reader &r, const keyword_rule &, void *rec) {
    if (static_cast<ip_reading *>(rec)->anyprefix) return 0;
    int32_t n;
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &n))
        r.flag("ERROR: Number expected for prefix :%s @ %d\n", r.tok, Line);
    return 0;
}

const char kIpEqualMsg[] = "ERROR: Invalid syntax '=' expected :%s @ %d\n";

// Which keywords follow ADDRESSTYPE depends on its value: the loop walks
// them itself, each after its "," and at its place.
constinit keyword_table_of ipaddresstokens{
    {
        // Any word fits the field; an unknown type is only flagged.
        {.name = "PREFIX", .maxlen = 100, .toolong_msg = kLimitMsg, .toolong_err = on_error::fail,
         .order_msg = "ERROR:Invalid syntax Keyword 'PREFIX' expected:%s @ %d\n",
         .field = NDL_TEXT(ip_reading, g.prefix), .before = check_prefix,
         .checks = "a number, last in the parentheses (any word for a connection type's ADDRESS-HOST-POOL)",
         .mandatory_when = "ADDRESSTYPE is ADDRESS-FIXED, NETWORK-FIXED, ADDRESS-HOST-POOL or ADDRESS-CONNECTION-POOL"},
        {.name = "ADDRESSTYPE", .mandatory = 1, .maxlen = 80, .kind = value_kind::word,
         .length = length_rule::field, .kind_msg = "ERROR: Invalid syntax variable name expected :%s @ %d\n",
         .order_msg = "ERROR: Invalid syntax Keword 'ADDRESSTYPE' expected :%s @ %d\n",
         .field = NDL_TEXT(ip_reading, g.addresstype), .upper = true, .after = check_addresstype,
         .checks = "first in the parentheses", .values = AddressTypes},
        {.name = "OFFSET", .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Number expected for offset :%s @ %d\n", .toolong_msg = kLimitMsg,
         .toolong_err = on_error::fail, .order_msg = "ERROR: Invalid syntax Keyword 'OFFSET' expected:%s @ %d\n",
         .field = NDL_TEXT(ip_reading, g.offset), .checks = "after ADDRESSTYPE",
         .mandatory_when = "ADDRESSTYPE is ADDRESS-HOST-POOL or ADDRESS-CONNECTION-POOL"},
        {.name = "ADDRESS", .maxlen = 80, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Invalid syntax ipaddress expected in quoted string:%s @ %d\n",
         .toolong_msg = kLimitMsg, .toolong_err = on_error::fail,
         .order_msg = "ERROR: Invalid syntax Keyword,  'ADDRESS' expected :%s @ %d\n",
         .field = NDL_TEXT(ip_reading, g.address),
         .checks = "after ADDRESSTYPE. For ADDRESS-FIXED and NETWORK-FIXED a dotted address with no function "
                   "around it, each of its four parts a number or arithmetic over NUMBER variables "
                   "(`\"10.255.0.NODEID\"`, never `\"EVALIP(...)\"`): the variables of the connection type, or of "
                   "the node type ADDRESSOWNER names (an interface without ADDRESSOWNER has none)",
         .mandatory_when = "ADDRESSTYPE is ADDRESS-FIXED, UNNUMBERED or NETWORK-FIXED"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    // The form the reference names: read_ipaddress walks the keywords itself.
    {.style = loop_style::separated, .equal_msg = kIpEqualMsg}};

// [","] KEYWORD "=" value, the keyword at its place: 0 read on, 1 stop.
int read_in_place(block_reader &r, const char *keyword, const char *comma_msg, void *rec) {
    if (comma_msg && !r.expect(",", comma_msg)) return 1;
    const keyword_rule &rule = *r.keys->rule(keyword);
    r.read_upper();
    if (!r.is(keyword)) return r.fail(rule.order_msg, r.tok, Line);
    set_foundflag(r.table, keyword);
    return read_keyword(r, rule, rec);
}

int read_ipaddress(block_reader &r, ip_reading &ip, const char *context) {
    if (!r.expect("=", kIpEqualMsg)) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected :%s @ %d\n")) return 1;
    if (read_in_place(r, "ADDRESSTYPE", nullptr, &ip)) return 1;
    const char *type = ip.g.addresstype;
    ip.anyprefix = same(context, "CONNECTION") && same(type, "ADDRESS-HOST-POOL");
    if (same(type, "ADDRESS-FIXED") || same(type, "UNNUMBERED") || same(type, "NETWORK-FIXED")) {
        if (read_in_place(r, "ADDRESS", "ERROR: Invalid syntax ',' expected:%s @ %d\n", &ip)) return 1;
    } else if (same(type, "ADDRESS-HOST-POOL") || same(type, "ADDRESS-CONNECTION-POOL")) {
        if (read_in_place(r, "OFFSET", "ERROR: Invalid syntax ',' expected :%s @ %d\n", &ip)) return 1;
    }
    if (!same(type, "ADDRESS-UNASSIGNED") && !same(type, "UNNUMBERED") &&
        read_in_place(r, "PREFIX", "ERROR: Invalid syntax ',' expected:%s @ %d\n", &ip))
        return 1;
    return r.expect(")", "ERROR: Invalid syntax ')' expected:%s @ %d\n") ? 0 : 1;
}

// ---- DEPENDENCY ----

// A number over its length gets the size message; the number message is
// for anything else (also a number beyond 32 bits).
int number_length(block_reader &r, const keyword_rule &rule, void *) {
    if (r.kind == TOKEN_NUMBER && std::strlen(r.tok) > static_cast<size_t>(rule.maxlen))
        return r.fail(kTooLongMsg, r.tok, Line);
    return 0;
}

constinit keyword_table_of dependencytokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 30, .kind = value_kind::word,
         .kind_msg = "ERROR: Invalid syntax variable name expected:%s @ %d\n", .toolong_err = on_error::fail,
         .order_msg = "ERROR: Invalid syntax Keword 'NAME' expected :%s @ %d\n",
         .field = NDL_TEXT(dependency_entry, name)},
        {.name = "MINVALUE", .mandatory = 1, .maxlen = 30, .kind = value_kind::number,
         .kind_msg = "ERROR:Invalid syntax min value expected:%s @ %d\n",
         .order_msg = "ERROR: Invalid syntax Keyword 'MINVALUE' expected :%s @ %d\n",
         .field = NDL_INT(dependency_entry, minvalue), .before = number_length, .checks = "up to 30 digits"},
        {.name = "MAXVALUE", .mandatory = 1, .maxlen = 30, .kind = value_kind::number,
         .kind_msg = "ERROR: Invalid syntax min value expected :%s @ %d\n",
         .order_msg = "ERROR: Invalid syntax Keword 'MAXVALUE' expected :%s @ %d\n",
         .field = NDL_INT(dependency_entry, maxvalue), .before = number_length, .checks = "up to 30 digits"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::ordered,
     .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
     .separator_msg = "ERROR: Invalid syntax ',' expected :%s @ %d\n",
     .close_msg = "ERROR: Invalid syntax ')' expected :%s @ %d\n"}};

}  // namespace

const entry_def dependency_def{.keys = &dependencytokens,
                               .equal_msg = "ERROR: Invalid syntax '=' expected: %s @ %d\n",
                               .open_msg = "ERROR :Invalid syntax '(' expected: %s @ %d\n",
                               .size = sizeof(dependency_entry)};

namespace {

// ---- SELECTIONMETHOD ----

struct sel_reading {
    selmethod_group g;
    bool hostpool;      // else a connection pool
    int line;           // where the group began
    unsigned seen = 0;  // keywords met, by tag
};

enum sel_tag { SEL_POOLNAME, SEL_SERVICETYPE, SEL_HOSTTYPE, SEL_NATTYPE, SEL_POOLOWNER, SEL_POOLOWNERVAR,
               SEL_POOLCLASS };

// What each keyword may not be given for: POOLNAME on a host pool, the
// host-pool keywords on a connection pool.
const char *const kWrongPoolMsg[] = {
    "ERROR: POOLNAME can be given only for pool of addresstype 'ADDRESS-CONNECTION-POOL': @ %d\n",
    "ERROR: SERVICETYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ %d\n",
    "ERROR: HOSTTYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ %d\n",
    "ERROR: NATTYPE can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ %d\n",
    "ERROR: POOLOWNER can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ %d\n",
    "ERROR: POOLOWNERVAR can be given only for pool of addresstype 'ADDRESS-HOST-POOL': @ %d\n",
    nullptr,
};

// A keyword again fails (the loop only flags repeats); then the pool kind
// and the pool class, before the value's length.
int selmethod_value(block_reader &r, const keyword_rule &rule, void *rec) {
    sel_reading &sel = *static_cast<sel_reading *>(rec);
    unsigned bit = 1u << rule.tag;
    if (sel.seen & bit) return r.fail("ERROR: Duplicate token: '%s' @ %d\n", rule.name, Line);
    sel.seen |= bit;
    const char *wrong = kWrongPoolMsg[rule.tag];
    if (wrong && (rule.tag == SEL_POOLNAME) == sel.hostpool) r.flag(wrong, Line);
    if (rule.tag == SEL_POOLCLASS && !validate_poolclass(r.tok))
        return r.fail("Invalid poolclass: %s  @%d\n", r.tok, Line);
    return 0;
}

int check_nattype(block_reader &r, const keyword_rule &, void *rec) {
    const char *value = static_cast<sel_reading *>(rec)->g.nattype;
    if (!validate_var(NatTypes, value))
        r.flag("ERROR : Invalid value for NATADDRTYPE, ('STATIC','DYNAMIC','BOTH' or 'NONE' expected) : %s @%d\n",
               value, Line);
    return 0;
}

int check_poolowner(block_reader &r, const keyword_rule &, void *rec) {
    const char *value = static_cast<sel_reading *>(rec)->g.poolowner;
    if (!validate_var(hostpoolowners, value))
        r.flag("ERROR : Invalid value for POOLOWNER, (GLOBAL or COMMUNITY ) : %s @%d\n", value, Line);
    return 0;
}

constexpr keyword_rule sel_rule(const char *name, int maxlen, field_ref field, int tag, const char *checks,
                                bool upper = false, attr_check after = nullptr, const value_table *values = nullptr) {
    return keyword_rule{.name = name, .maxlen = maxlen, .toolong_err = on_error::fail, .field = field,
                        .upper = upper, .repeatable = true, .before = selmethod_value, .after = after,
                        .tag = tag, .checks = checks, .values = values};
}
constexpr char kHostPoolOnly[] = "once; only with ADDRESSTYPE ADDRESS-HOST-POOL";

constinit keyword_table_of connpoolselmethtokens{
    {
        sel_rule("POOLNAME", 80, NDL_TEXT(sel_reading, g.poolname), SEL_POOLNAME,
                 "once; only with ADDRESSTYPE ADDRESS-CONNECTION-POOL"),
        sel_rule("SERVICETYPE", 30, NDL_TEXT(sel_reading, g.servicetype), SEL_SERVICETYPE, kHostPoolOnly, true),
        sel_rule("HOSTTYPE", 30, NDL_TEXT(sel_reading, g.hosttype), SEL_HOSTTYPE, kHostPoolOnly),
        sel_rule("NATTYPE", 30, NDL_TEXT(sel_reading, g.nattype), SEL_NATTYPE, kHostPoolOnly, true, check_nattype,
                 NatTypes),
        sel_rule("POOLOWNER", 30, NDL_TEXT(sel_reading, g.poolowner), SEL_POOLOWNER, kHostPoolOnly, true,
                 check_poolowner, hostpoolowners),
        sel_rule("POOLOWNERVAR", 30, NDL_TEXT(sel_reading, g.poolownervar), SEL_POOLOWNERVAR, kHostPoolOnly),
        sel_rule("POOLCLASS", 30, NDL_TEXT(sel_reading, g.poolclass), SEL_POOLCLASS,
                 "once; a class of the POOL-CLASS block, by its DISPLAYNAME when it has one"),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute: %s @%d\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
     .separator_msg = "ERROR:',' or ')' expected : %s @ %d\n"}};

// After ")": a host pool needs its service and NAT types, a known service
// type, and no owner variable for a GLOBAL owner.
int check_hostpool(block_reader &r, void *rec, void *) {
    sel_reading &sel = *static_cast<sel_reading *>(rec);
    if (!sel.hostpool) return 0;
    const selmethod_group &g = sel.g;
    if (!g.servicetype[0] || !g.hosttype[0] || !g.nattype[0])
        r.flag("ERROR: All the mandatory attributes are not given for 'SELECTIONMETHOD'. Attributes "
               "'SERVICETYPE','HOSTTYPE' and 'NATTYPE' are required : @ %d\n",
               sel.line);
    if (!validate_servicetype(g.servicetype, g.hosttype))
        r.flag("ERROR :servicename/hosttype is not present : %s %s @ %d\n", g.servicetype, g.hosttype, sel.line);
    if (same(g.poolowner, "GLOBAL") && g.poolownervar[0])
        r.flag("ERROR: POOLOWNERVAR does not make sense with GLOBAL poolowner: '%s' @ %d\n", g.poolownervar,
               sel.line);
    return 0;
}

}  // namespace

const entry_def selmethod_def{.keys = &connpoolselmethtokens,
                              .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
                              .open_msg = "ERROR: Invalid syntax '(' expected :%s @ %d\n",
                              .size = sizeof(sel_reading),
                              .check = check_hostpool};

namespace {

// ---- INSTANCEID ----

constinit keyword_table_of instancetokens{{
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
}};

// ---- the variables named ----

bool known_variable(const int *connlist, const char *domainname, const char *nodetype, const char *name) {
    int type = 0;
    if (connlist && connlist[0] >= 1) {
        bool everywhere = true;
        for (const int *c = connlist; *c >= 1 && everywhere; ++c)
            everywhere = validate_domainconnvars(*c, name, &type);
        if (everywhere) return true;
    }
    return nodevar_exists(domainname, nodetype, name, &type) ||
           connvar_exists(domainname, nodetype, "", name, &type);
}

}  // namespace

// Read by extract_ipaddress and extract_instances, not by read_entry.
const entry_def ipaddress_def{.keys = &ipaddresstokens};
const entry_def instances_def{.keys = &instancetokens};

int extract_ipaddress(FILE *fp, ipaddress_group *group, const char *context) {
    block_reader r(fp, *ipaddress_def.keys);
    ip_reading ip{};
    std::strcpy(ip.g.prefix, "0");
    int status = read_ipaddress(r, ip, context);
    *group = ip.g;
    return status;
}

int extract_dependency(FILE *fp, dependency_list &entries) {
    dependency_entry entry{};
    if (read_entry(fp, dependency_def, &entry, nullptr)) return 1;
    entries.push_back(entry);
    return 0;
}

int extract_selmethod(FILE *fp, const char *addresstype, selmethod_group *group) {
    *group = selmethod_group{};
    std::strcpy(group->poolowner, "GLOBAL");
    bool hostpool = same(addresstype, "ADDRESS-HOST-POOL");
    if (!hostpool && !same(addresstype, "ADDRESS-CONNECTION-POOL")) {
        flag_error(TOKEN_WORD, "",
                   "ERROR: SELECTIONMETHOD can be given only for address types of 'ADDRESS-HOST-POOL' and "
                   "'ADDRESS-CONNECTION-POOL' : @ %d\n",
                   Line);
        return 1;
    }
    sel_reading sel{*group, hostpool, Line};
    int status = read_entry(fp, selmethod_def, &sel, nullptr);
    *group = sel.g;
    return status;
}

int extract_instances(FILE *fp, const char *endpoint, int sequence, domain_inst_var_rec **first) {
    *first = nullptr;
    block_reader r(fp, *instances_def.keys);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected : %s @ %d\n")) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected : %s @ %d\n")) return 1;
    for (;;) {
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (r.kind != TOKEN_WORD)
            return r.fail("ERROR: Invalid syntax instance identifiers expected:%s @ %d\n", r.tok, Line);
        if (std::strlen(r.tok) > static_cast<size_t>(kInstanceIdMax)) return r.fail(kLimitMsg, r.tok, Line);
        domain_inst_var_rec *rec = alloc_record<domain_inst_var_rec>();
        rec->connectionname = endpoint;
        rec->sequenceno = sequence;
        rec->variablename = r.tok;
        append_record(prdomaininstancevars, rec);
        if (!*first) *first = rec;
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail("ERROR: Invalid syntax '=' or ')' expected :%s @ %d\n", r.tok, Line);
    }
}

int validate_instancevars(const char *endpoint, const int *connlist, const char *domainname,
                          const char *nodetype, const domain_inst_var_rec *first, char *name) {
    auto unknown = [&](const domain_inst_var_rec &r) {
        if (known_variable(connlist, domainname, nodetype, r.variablename)) return false;
        std::snprintf(name, kText, "%s", r.variablename.c_str());
        return true;
    };
    // The endpoint's identifiers from `first` on, in list order, when
    // `first` is one of them.
    bool from_first = false;
    if (first && same(first->connectionname, endpoint) &&
        instancevars_of_endpoint.each(
            [&](const domain_inst_var_rec &r) {
                from_first = from_first || &r == first;
                return from_first && unknown(r);
            },
            endpoint))
        return 0;
    if (from_first) return 1;
    for (const domain_inst_var_rec *r = first; r; r = r->next)
        if (same(r->connectionname, endpoint) && unknown(*r)) return 0;
    return 1;
}

int validate_poolvar(const char *, const int *connlist, const char *domainname, const char *nodetype,
                     const char *variable) {
    return known_variable(connlist, domainname, nodetype, variable) ? 1 : 0;
}

// ---- a finished assignment ----

void address_assignment::reset() {
    ip = ipaddress_group{};
    std::strcpy(ip.prefix, "0");
    sel = selmethod_group{};
    attrs = assignment_attrs{};
    dependencies.clear();
    namecount = 0;
    instances = nullptr;
    line = selline = instline = 0;
}

int check_addressowner(block_reader &r, const keyword_rule &, void *rec) {
    assignment_attrs &a = *static_cast<assignment_attrs *>(rec);
    if (!validate_owner(a.owner, a.ownerdomain, a.ownernode, a.connlist)) {
        flag_pending(r);
    }
    return 0;
}

int check_fixed_address(address_assignment &a) {
    int saved = Line;
    Line = a.line;
    int refused = validate_ipaddress(a.attrs.ownerdomain, a.attrs.ownernode, a.attrs.connlist, a.ip.address,
                                     a.names, &a.namecount);
    Line = saved;
    return refused;
}

bool has_address_records(const char *type) {
    return same(type, "ADDRESS-FIXED") || same(type, "NETWORK-FIXED") || same(type, "ADDRESS-HOST-POOL") ||
           same(type, "ADDRESS-CONNECTION-POOL");
}

void file_address_assign(const address_assignment &a, int pointtype, const char *endpoint, int sequence) {
    file_address_record(a.ip, a.sel, a.attrs, pointtype, endpoint, sequence);
}

void file_address_record(const ipaddress_group &ip, const selmethod_group &sel, const assignment_attrs &attrs,
                         int pointtype, const char *endpoint, int sequence) {
    address_assign_rec *rec = alloc_record<address_assign_rec>();
    rec->namedpointtype = pointtype;
    rec->namedendpoint = endpoint;
    rec->addresspoolname = attrs.validationpool;
    rec->scope = attrs.owner;
    rec->poolname = sel.poolname;
    rec->offset = ip.offset;
    rec->sequence = sequence;
    rec->ipaddress = ip.address;
    rec->servicetype = sel.servicetype;
    rec->hosttype = sel.hosttype;
    rec->nattype = sel.nattype;
    rec->poolowner = sel.poolowner;
    rec->poolownervar = sel.poolownervar;
    rec->poolclass = sel.poolclass;
    append_record(praddressassign, rec);
}

void check_address_variables(address_assignment &a) {
    for (int i = 0; i < a.namecount; ++i) {
        const char *name = a.names[i];
        if (same(name, "DOMAINID") || same(name, "NODEID") || same(name, "LINKID")) {
            dependency_entry entry{};
            std::strcpy(entry.name, name);  // one of the three names above
            entry.minvalue = 1;
            entry.maxvalue = 999999;
            a.dependencies.push_back(entry);
        } else if (a.dependencies.empty() || !same(name, a.dependencies.front().name)) {
            flag_error(TOKEN_WORD, "", "ERROR: Unknown variable in address equation : %s @%d\n", name, Line);
        }
    }
}

void file_address_dependencies(const address_assignment &a, int pointtype, const char *endpoint,
                               int sequence) {
    for (const dependency_entry &d : a.dependencies) {
        address_dependency_rec *rec = alloc_record<address_dependency_rec>();
        rec->namedpointtype = pointtype;
        rec->namedendpoint = endpoint;
        rec->addresspoolname = a.attrs.validationpool;
        rec->sequence = sequence;
        rec->variablename = d.name;
        rec->minvalue = d.minvalue;
        rec->maxvalue = d.maxvalue;
        append_record(praddressdependency, rec);
    }
}
