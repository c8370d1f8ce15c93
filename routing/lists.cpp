// The sub-readers that several routing blocks share: REDISTRIBUTION,
// DEFAULT, DISTRIBUTE and OFFSET lists, and PASSIVE-INTERFACE. The route
// maps and lists they name are checked when the section ends.
#include <cstdlib>
#include <cstring>

#include "registry.h"
#include "routing_blocks.h"
#include "validations.h"

namespace {

// A key of a list: given once, its value held to the key's longest value.
// The message is an argument: comparing it with a default is no constant
// expression to every compiler.
constexpr keyword_rule key(keyword_rule k, const char *toolong_msg = kMaxLenMsg) {
    k.toolong_msg = toolong_msg;
    k.toolong_err = on_error::fail;
    k.repeatable = true;
    if (!k.before) k.before = key_once;
    if (!k.checks) k.checks = "once in the list";
    return k;
}
// CONTEXT may come up to three times.
constexpr keyword_rule context_key(keyword_rule k) {
    k.name = "CONTEXT";
    k.kind = value_kind::quoted;
    k.toolong_msg = kMaxLenMsg;
    k.toolong_err = on_error::fail;
    k.repeatable = true;
    if (!k.checks) k.checks = "a context of the node type; at most three";
    return k;
}

constexpr char kResolvable[] = NDL_COMMAND_VALUE;
constexpr char kNumberOrValue[] = "once; a number, or quoted: " NDL_COMMAND_VALUE;

// Entries know their node and contexts through their record.
template <class E>
int commandvar(block_reader &r, const keyword_rule &, void *rec) {
    auto &e = static_cast<E *>(rec)->rec;
    int type = 0;
    if (!validate_commandvar(e.domainname, e.nodetype, E::c1(e), E::c2(e), E::c3(e), r.tok, &type))
        return fail_pending(r);
    return 0;
}

// A number, or a quoted value that `check` accepts (else `msg`).
template <class E, bool Numeric>
int number_or_text(block_reader &r, const keyword_rule &rule, void *rec) {
    auto &e = static_cast<E *>(rec)->rec;
    if (r.kind == TOKEN_NUMBER) return 0;
    const char *msg = rule.tag == 1 ? "Error:number or string expected for processid/asn: %s @ %d\n"
                                    : "Error:numeric value  or string expected for metric expected: %s @ %d\n";
    if (r.kind != TOKEN_QUOTED) return r.fail(msg, r.tok, Line);
    if (Numeric) {
        // The numbers check leaves no message: the key's own says why.
        if (!validate_numberfunction(e.domainname, e.nodetype, E::c1(e), E::c2(e), E::c3(e), r.tok))
            return r.fail(msg, r.tok, Line);
        return 0;
    }
    return commandvar<E>(r, rule, rec);
}

// A word of a value table, compared lower-cased; the field keeps it so.
int lower_in(block_reader &r, const keyword_rule &rule, void *rec, const value_table *table, const char *msg) {
    text_ref field = rule_text(rule, rec);
    char lower[kText];
    converttolow(lower, field, sizeof lower);
    field.set(lower);
    if (!validate_var(table, lower)) return r.fail(msg, r.tok, Line);
    return 0;
}

// ---- REDISTRIBUTION ----

struct redist_entry {
    list_base base;
    domain_redist_rec rec;
    static const char *c1(const domain_redist_rec &e) { return e.context1; }
    static const char *c2(const domain_redist_rec &e) { return e.context2; }
    static const char *c3(const domain_redist_rec &e) { return e.context3; }
};
using RE = redist_entry;

int redist_protocol(block_reader &r, const keyword_rule &rule, void *rec) {
    return lower_in(r, rule, rec, RedistributeProtocols, "Error: Invalid redistribute protocol specified : %s @ %d\n");
}

int redist_context(block_reader &r, const keyword_rule &, void *rec) {
    domain_redist_rec &e = static_cast<RE *>(rec)->rec;
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    put_context(r, {e.context1, e.context2, e.context3}, kMaxDefinedMsg);
    return 0;
}

constinit keyword_table_of redistributiontokens{
    {
        key({.name = "PROTOCOL", .mandatory = 1, .maxlen = 30, .kind = value_kind::word,
             .kind_msg = "Error:protocol type expected: %s @ %d\n", .field = NDL_TEXT(RE, rec.redistprotocol),
             .after = redist_protocol, .checks = "`connected`, `static`, `ospf`, `bgp`, `eigrp`, `rip` or `igrp`"}),
        context_key({.maxlen = 200, .kind_msg = "Error: Specify  context within quotes: %s @ %d\n",
                     .after = redist_context}),
        key({.name = "PROCESSID", .maxlen = 30, .field = NDL_TEXT(RE, rec.redistasn),
             .after = number_or_text<RE, false>, .tag = 1, .checks = kNumberOrValue}),
        key({.name = "ASN", .maxlen = 30, .field = NDL_TEXT(RE, rec.redistasn), .after = number_or_text<RE, false>,
             .tag = 1, .checks = kNumberOrValue}),
        key({.name = "METRIC", .maxlen = 30, .field = NDL_TEXT(RE, rec.metric), .after = number_or_text<RE, true>,
             .checks = "once; a number, or a quoted numeric function of the node type"}),
        key({.name = "METRIC-TYPE", .maxlen = 30, .kind = value_kind::word,
             .kind_msg = "Error: value for metric-type expected : %s @ %d\n", .field = NDL_TEXT(RE, rec.metrictype)}),
        key({.name = "MATCH", .maxlen = 30, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify match value within quotes: %s @ %d\n", .field = NDL_TEXT(RE, rec.match),
             .after = commandvar<RE>, .checks = kResolvable}),
        key({.name = "TAG", .maxlen = 30, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify tag value within quotes: %s @ %d\n", .field = NDL_TEXT(RE, rec.tag),
             .after = commandvar<RE>, .checks = kResolvable}),
        key({.name = "ROUTEMAP", .maxlen = 30, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify routemap value within quotes: %s @ %d\n",
             .field = NDL_TEXT(RE, rec.route_map), .after = commandvar<RE>, .checks = kResolvable}),
        key({.name = "WEIGHT", .maxlen = 30, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify weight value within quotes: %s @ %d\n", .field = NDL_TEXT(RE, rec.weight),
             .after = commandvar<RE>, .checks = kResolvable}),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg,
     .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n", .separator_msg = kSeparatorMsg}};

void init_redist(void *entry, void *owner) {
    domain_redist_rec &e = static_cast<RE *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = b.protocol;
    e.asn = b.asn;
    e.sequence = b.redistseq;
}

int check_redist(block_reader &r, void *entry, void *) {
    if (!static_cast<RE *>(entry)->rec.redistprotocol[0])
        return r.fail("Error :Redist protocol not specified for redistribution. @ %d\n", r.start_line);
    return mandatory_or_fail(r, "redistributiontokens",
                             "Error : Mandatory field '%s' for REDISTRIBUTION is not defined: %d\n");
}

// ---- DEFAULT ----

struct default_entry_rec {
    list_base base;
    domain_ospf_default_rec rec;
    static const char *c1(const domain_ospf_default_rec &) { return ""; }
    static const char *c2(const domain_ospf_default_rec &) { return ""; }
    static const char *c3(const domain_ospf_default_rec &) { return ""; }
};
using DE = default_entry_rec;

constinit keyword_table_of ospfdefaulttokens{
    {
        key({.name = "METRIC", .maxlen = 30, .field = NDL_TEXT(DE, rec.metric), .after = number_or_text<DE, false>,
             .checks = kNumberOrValue}),
        key({.name = "METRIC-TYPE", .maxlen = 30, .kind = value_kind::word,
             .kind_msg = "Error: value for metric-type expected : %s @ %d\n", .field = NDL_TEXT(DE, rec.metrictype)}),
        key({.name = "ROUTEMAP", .maxlen = 80, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify routemap value within quotes: %s @ %d\n", .field = NDL_TEXT(DE, rec.routemap),
             .after = commandvar<DE>, .checks = kResolvable}),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg,
     .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n", .separator_msg = kSeparatorMsg}};

void init_default(void *entry, void *owner) {
    domain_ospf_default_rec &e = static_cast<DE *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = b.protocol;
    e.asn = b.asn;
}

int check_default(block_reader &r, void *, void *) {
    return mandatory_or_fail(r, "ospfdefaulttokens",
                             "Error : Mandatory field '%s' in DEFAULT for ROUTING-OSPF is not defined: %d\n");
}

// ---- DISTRIBUTE ----

struct dist_entry {
    list_base base;
    domain_dist_list_rec rec;
    static const char *c1(const domain_dist_list_rec &e) { return e.context1; }
    static const char *c2(const domain_dist_list_rec &e) { return e.context2; }
    static const char *c3(const domain_dist_list_rec &e) { return e.context3; }
};
using DI = dist_entry;

constexpr char kListQuotesMsg[] = "Error: Specify listname value within quotes: %s @ %d\n";
constexpr char kDirectionWordMsg[] = "Error: in/out expected  : %s @ %d\n";
constexpr char kInterfaceMsg[] = "Error: interfacename expected : %s @ %d\n";
constexpr char kDistEqualMsg[] = "Error: Invalid syntax '=' expected : %s \n @%d";
constexpr char kOpenMsg[] = "Error: Invalid syntax '(' expected : %s @ %d\n";

int dist_protocol(block_reader &r, const keyword_rule &rule, void *rec) {
    return lower_in(r, rule, rec, RedistributeProtocols, "Error: Invalid value for PROTOCOL : %s @ %d\n");
}
int direction(block_reader &r, const keyword_rule &rule, void *rec) {
    return lower_in(r, rule, rec, Direction, "Error: Invalid value for DIRECTION : %s @ %d\n");
}
int prefix_name(block_reader &, const keyword_rule &, void *rec) {
    static_cast<DI *>(rec)->rec.listtype = 1;
    return 0;
}
int dist_asn(block_reader &, const keyword_rule &, void *rec) {
    static_cast<DI *>(rec)->rec.type = 1;
    return 0;
}

// Distribute and offset contexts must give an address.
template <class E>
int address_context(block_reader &r, const keyword_rule &, void *rec) {
    auto &e = static_cast<E *>(rec)->rec;
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    if (kind != 1) return r.fail("Error:ip address/network is required for the context: %s @ %d\n", r.tok, Line);
    put_context(r, {e.context1, e.context2, e.context3}, kMaxDefinedMsg);
    return 0;
}

constinit keyword_table_of distributetokens{
    {
        key({.name = "LIST-NAME", .mandatory = 1, .maxlen = 80, .kind = value_kind::quoted,
             .kind_msg = kListQuotesMsg, .field = NDL_TEXT(DI, rec.acl)}),
        key({.name = "PREFIX-NAME", .maxlen = 80, .kind = value_kind::quoted, .kind_msg = kListQuotesMsg,
             .field = NDL_TEXT(DI, rec.acl), .after = prefix_name}),
        key({.name = "PROTOCOL", .maxlen = 30, .kind = value_kind::word,
             .kind_msg = "Error: protocol name expected  : %s @ %d\n", .field = NDL_TEXT(DI, rec.redistprotocol),
             .after = dist_protocol, .checks = "a routing protocol"}),
        key({.name = "ASN", .maxlen = 80, .field = NDL_TEXT(DI, rec.redistasn), .after = dist_asn}),
        context_key({.maxlen = 100, .kind_msg = "Error: Specify  context within quotes: %s @ %d\n",
                     .after = address_context<DI>}),
        key({.name = "INTERFACE", .mandatory = 1, .maxlen = 80, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify routemap value within quotes: %s @ %d\n",
             .field = NDL_TEXT(DI, rec.interfacename)}),
        key({.name = "DIRECTION", .mandatory = 1, .maxlen = 100, .kind = value_kind::word,
             .kind_msg = kDirectionWordMsg, .field = NDL_TEXT(DI, rec.direction), .after = direction,
             .checks = "`in` or `out`"}),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .equal_msg = kDistEqualMsg,
     .separator_msg = kSeparatorMsg}};

void init_dist(void *entry, void *owner) {
    domain_dist_list_rec &e = static_cast<DI *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = b.protocol;
    e.asn = b.asn;
    e.sequence = b.distseq;
}

// The interface must name an interface (else `msg`, with the value).
template <class R>
int interface_checked(block_reader &r, const R &e, const char *msg) {
    if (address_kind(e.domainname, e.nodetype, e.interfacename, e.context1, e.context2, e.context3) != 2)
        return r.fail(msg, e.interfacename.c_str(), Line);
    return 0;
}

int check_dist(block_reader &r, void *entry, void *) {
    domain_dist_list_rec &e = static_cast<DI *>(entry)->rec;
    if (!e.protocol[0] && !e.interfacename[0])
        return r.fail("Error: Interfacename not specified for routing protocol. @ %d\n", r.start_line);
    // A PREFIX-NAME names the list as well as a LIST-NAME does.
    if (r.keys->found("PREFIX-NAME")) set_foundflag(r.table, "LIST-NAME");
    if (mandatory_or_fail(r, "distributetokens", "Error : Mandatory field '%s' in DISTRIBUTION is not defined: %d\n"))
        return 1;
    int type = 0;
    if (!validate_commandvar(e.domainname, e.nodetype, e.context1, e.context2, e.context3, e.acl, &type))
        return fail_pending(r);
    if (e.redistasn[0] && !address_kind(e.domainname, e.nodetype, e.redistasn, e.context1, e.context2, e.context3))
        return fail_pending(r);
    return interface_checked(r, e, kInterfaceMsg);
}

// ---- OFFSET ----

struct offset_entry_rec {
    list_base base;
    domain_offset_list_rec rec;
};
using OE = offset_entry_rec;

constinit keyword_table_of offsetlisttokens{
    {
        key({.name = "LIST-NAME", .mandatory = 1, .maxlen = 80, .kind = value_kind::quoted,
             .kind_msg = kListQuotesMsg, .field = NDL_TEXT(OE, rec.acl)}),
        context_key({.maxlen = 100, .kind_msg = "Error: Specify  context within quotes: %s @ %d\n",
                     .after = address_context<OE>}),
        key({.name = "INTERFACE", .maxlen = 80, .kind = value_kind::quoted,
             .kind_msg = "Error: Specify interface value within quotes: %s @ %d\n",
             .field = NDL_TEXT(OE, rec.interfacename)}),
        key({.name = "DIRECTION", .mandatory = 1, .maxlen = 100, .kind = value_kind::word,
             .kind_msg = kDirectionWordMsg, .field = NDL_TEXT(OE, rec.direction), .after = direction,
             .checks = "`in` or `out`"}),
        key({.name = "OFFSET", .mandatory = 1, .maxlen = 7, .kind = value_kind::number,
             .kind_msg = "Error: Offset value can only be numeric: %s @%d\n", .field = NDL_TEXT(OE, rec.offset)},
            "ERRORL Token exceeded the max length: %s @%d\n"),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .equal_msg = kDistEqualMsg,
     .separator_msg = kSeparatorMsg}};

void init_offset(void *entry, void *owner) {
    domain_offset_list_rec &e = static_cast<OE *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = b.protocol;
    e.sequence = b.offsetseq;
}

int check_offset(block_reader &r, void *entry, void *) {
    if (mandatory_or_fail(r, "offsetlisttokens", "Error : Mandatory field '%s' in offsetlist is not defined: %d\n"))
        return 1;
    domain_offset_list_rec &e = static_cast<OE *>(entry)->rec;
    return e.interfacename[0] ? interface_checked(r, e, kInterfaceMsg) : 0;
}

}  // namespace

const entry_def redistribution_entry{.keys = &redistributiontokens,
                                     .eof_msg = kRoutingEofMsg,
                                     .equal_msg = "Error: Invalid syntax '=' expected @ %d\n",
                                     .equal_token = false,
                                     .open_msg = kOpenMsg,
                                     .size = sizeof(RE),
                                     .init = init_redist,
                                     .check = check_redist};
const entry_def default_entry{.keys = &ospfdefaulttokens,
                              .eof_msg = kRoutingEofMsg,
                              .equal_msg = "Error: Invalid syntax '=' expected @ %d\n",
                              .equal_token = false,
                              .open_msg = kOpenMsg,
                              .size = sizeof(DE),
                              .init = init_default,
                              .check = check_default};
const entry_def distribute_entry{.keys = &distributetokens,
                                 .eof_msg = kRoutingEofMsg,
                                 .equal_msg = kDistEqualMsg,
                                 .open_msg = kOpenMsg,
                                 .size = sizeof(DI),
                                 .init = init_dist,
                                 .check = check_dist};
const entry_def offset_entry{.keys = &offsetlisttokens,
                             .eof_msg = kRoutingEofMsg,
                             .equal_msg = kDistEqualMsg,
                             .open_msg = kOpenMsg,
                             .size = sizeof(OE),
                             .init = init_offset,
                             .check = check_offset};

// The counters advance only for a list that was read without error.
int file_redistribution(block_reader &, const keyword_rule &, void *entry, void *owner) {
    file_record<domain_redist_rec, RE>(prdomainredist, entry);
    ++static_cast<routing_block *>(owner)->redistseq;
    return 0;
}
int file_default(block_reader &, const keyword_rule &, void *entry, void *) {
    file_record<domain_ospf_default_rec, DE>(prdomainospfdefault, entry);
    return 0;
}
int file_distribute(block_reader &, const keyword_rule &, void *entry, void *owner) {
    file_record<domain_dist_list_rec, DI>(prdomaindistlist, entry);
    ++static_cast<routing_block *>(owner)->distseq;
    return 0;
}
int file_offset(block_reader &, const keyword_rule &, void *entry, void *owner) {
    file_record<domain_offset_list_rec, OE>(prdomainoffsetlist, entry);
    ++static_cast<routing_block *>(owner)->offsetseq;
    return 0;
}


// ---- PASSIVE-INTERFACE ----

int extract_passiveint(block_reader &r, const keyword_rule &, void *owner) {
    const routing_block &b = *static_cast<routing_block *>(owner);
    if (!r.expect("=", "Error: Invalid syntax '=' expected : %s @ %d\n")) return 1;
    if (!r.expect("(", "Error: Invalid syntax '(' expected @ %d\n", false)) return 1;
    // The end of the file is refused as an unquoted name or a missing ")".
    for (;;) {
        r.read();
        if (r.kind != TOKEN_QUOTED)
            return r.fail("Error: Invalid syntax interface identifiers expected within quotes @ %d\n", Line);
        // Only flagged: the interface is recorded all the same.
        if (address_kind(b.domainname, b.nodetype, r.tok) != 2)
            r.flag("Error: Interfacename  is required for passive interface : %s @ %d\n", r.tok, Line);
        domain_passive_int_rec *rec = alloc_record<domain_passive_int_rec>();
        rec->domainname = b.domainname;
        rec->nodetype = b.nodetype;
        rec->protocol = b.protocol;
        rec->asn = b.asn;
        store_text(rec->interfacename, r.tok, kText - 1);
        append_record(prdomainpassiveint, rec);
        r.read();
        if (r.is(")")) return 0;
        if (!r.is(",")) return r.fail("Error: Invalid syntax '=' or ')' expected @ %d\n", Line);
    }
}
