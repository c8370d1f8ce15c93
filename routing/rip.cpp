// ROUTING-RIP, ROUTING-EIGRP and ROUTING-IGRP: a distance-vector protocol
// on a node type, its networks (the interfaces it runs on), passive
// interfaces and the shared REDISTRIBUTION, DISTRIBUTE and (RIP) OFFSET
// lists.
#include <cstdlib>
#include <cstring>

#include "registry.h"
#include "routing_blocks.h"
#include "validations.h"

namespace {

struct network_entry {
    list_base base;
    domain_conn_area_rec rec;
};
using NE = network_entry;

int network_interface(block_reader &r, const keyword_rule &, void *rec) {
    domain_conn_area_rec &e = static_cast<NE *>(rec)->rec;
    int kind = address_kind(e.domainname, e.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 2) return r.fail("Error: Interfacename  expected: %s @ %d\n", r.tok, Line);
    return 0;
}

int summary_address(block_reader &r, const keyword_rule &, void *rec) {
    domain_conn_area_rec &e = static_cast<NE *>(rec)->rec;
    if (!std::strcmp(r.tok, "0.0.0.0")) return 0;
    int kind = address_kind(e.domainname, e.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 1) return r.fail("Error:ip address/network is required for the range: %s @ %d\n", r.tok, Line);
    return 0;
}

int authentication(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(Boolean, r.tok)) return r.fail("Error: Invalid syntax boolean value expected @%d\n", Line);
    static_cast<NE *>(rec)->rec.authenticated = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

// SUMMARY-PREFIX and AUTHENTICATION are held to their values (a number up
// to 32 or AUTO, TRUE or FALSE), not to the table's lengths, which AUTO and
// TRUE exceed.
constinit keyword_table_of eigrpnetworktokens{
    {
        {.name = "INTERFACE", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify interfacename within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(NE, rec.namedinterface), .repeatable = true,
         .before = key_once, .after = network_interface, .checks = "once; a quoted interface of the node type"},
        {.name = "SUMMARY-ADDRESS", .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify  range address within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(NE, rec.summaryaddr), .repeatable = true,
         .before = key_once, .after = summary_address, .checks = "once; a quoted address or network of the node type"},
        {.name = "SUMMARY-PREFIX", .maxlen = 3, .length = length_rule::own, .upper = true, .repeatable = true,
         .before = key_once, .after = prefix_value, .tag = 1, .checks = "once; a number up to 32, or AUTO"},
        {.name = "AUTHENTICATION", .maxlen = 1, .length = length_rule::own, .upper = true, .repeatable = true,
         .before = key_once, .after = authentication, .checks = "once; `TRUE` or `FALSE`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg,
     .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n", .separator_msg = kSeparatorMsg}};

void init_network(void *entry, void *owner) {
    domain_conn_area_rec &e = static_cast<NE *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.routingprotocol = b.protocol;
    e.routedprotocol = "IP";
    e.asn = b.asn;
    e.sequenceno = 1;
}

int check_network(block_reader &r, void *entry, void *) {
    NE &n = *static_cast<NE *>(entry);
    if (!n.rec.namedinterface[0])
        return r.fail("Error Interfacename not specified for routing protocol. @ %d\n", r.start_line);
    if (mandatory_or_fail(r, "eigrpnetworktokens", "Error : Mandatory field '%s' for NETWORK  is not defined: %d\n"))
        return 1;
    // Whichever of SUMMARY-ADDRESS and SUMMARY-PREFIX came first.
    if (check_prefix(r, n.base, n.rec.summaryaddr)) return 1;
    n.rec.summarmask = n.base.prefix_given ? n.base.prefix : 0;
    return 0;
}

const entry_def network_entry_def{.keys = &eigrpnetworktokens,
                                  .eof_msg = kRoutingEofMsg,
                                  .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n",
                                  .open_msg = "Error: Invalid syntax '(' expected : %s @ %d\n",
                                  .size = sizeof(NE),
                                  .init = init_network,
                                  .check = check_network};

int file_network(block_reader &, const keyword_rule &, void *entry, void *owner) {
    domain_conn_area_rec *rec = alloc_record<domain_conn_area_rec>();
    std::memcpy(rec, &static_cast<NE *>(entry)->rec, sizeof *rec);
    free_record(static_cast<NE *>(entry));
    append_record(prdomainconnareas, rec);
    ++static_cast<routing_block *>(owner)->networks;
    return 0;
}

constexpr keyword_rule network_row() {
    return {.name = "NETWORK", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
            .entry = &network_entry_def, .file = file_network};
}

constexpr loop_options kBodyOptions{.invalid_msg = "Error: Invalid attribute name : %s @%d\n",
                                    .error_ends = true};

constinit keyword_table_of riptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        usagecondition_row(),
        instancename_row(),
        ownercontext_row(),
        network_row(),
        passiveint_row(),
        distribute_row(),
        redistribution_row(),
        {.name = "OFFSET", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &offset_entry, .file = file_offset},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    kBodyOptions};

constinit keyword_table_of eigrptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        kProcessRow,
        usagecondition_row(),
        instancename_row(),
        ownercontext_row(),
        network_row(),
        passiveint_row(),
        distribute_row(),
        redistribution_row(),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    kBodyOptions};

const header_spec kRipHeader{
    .domain_msg = "Error: Domain undefined %s \n @%d",
    .dot_msg = "Error:'.' expected as a qualifer for node type : %s @%d\n",
    .dot_line_only = false,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = nullptr,
    .number_msg = nullptr,
    .number_named = false,
    .mo_msg = "Error: Syntax error. M/O expected : %s @%d \n",
    .begin_msg = "Keyword 'BEGIN' expected : %s @%d\n",
    .lenient = false,
};

const header_spec kEigrpHeader{
    .domain_msg = "Error: Domain undefined %s \n @%d",
    .dot_msg = "Error: '.' expected as a qualifer for node type @ %d\n",
    .dot_line_only = true,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = "Error: Syntax error . Keyword 'PROCESS' expected: %s  @%d\n",
    .number_msg = "Error: Syntax error. Numeric field expected for %s processid: %s  @%d\n",
    .number_named = true,
    .mo_msg = "Error: Syntax error. M/O expected : %s @%d \n",
    .begin_msg = "Error: Keyword 'BEGIN' expected : %s @%d\n",
    .lenient = false,
};

// A block with networks also gets the protocol's area row.
void insert_area(const routing_block &b) {
    if (!b.networks) return;
    domain_node_area_rec *area = alloc_record<domain_node_area_rec>();
    area->domainname = b.domainname;
    area->nodetype = b.nodetype;
    area->routingprotocol = b.protocol;
    area->routedprotocol = "IP";
    area->asn = "0";
    area->areaid = "0";
    area->sequenceno = 1;
    append_record(prdomainnodeareas, area);
}

}  // namespace

int parse_rip(FILE *fp, FILE *, const char *) {
    block_reader r(fp, riptokens, kRoutingEofMsg);
    routing_block b;
    start_block(b, "RIP");
    b.asn = "0";
    if (read_header(r, kRipHeader, b) || read_body(r, b)) return 1;
    if (!declare_protocol(b, b.asn))
        return r.fail("Error: Protocl RIP has already been defined for %s:%s @%d\n", b.domainname, b.nodetype, Line);
    insert_area(b);
    return 0;
}

int parse_eigrp(FILE *fp, FILE *, const char *name) {
    block_reader r(fp, eigrptokens, kRoutingEofMsg);
    routing_block b;
    start_block(b, name);
    if (read_header(r, kEigrpHeader, b) || read_body(r, b)) return 1;
    if (!declare_protocol(b, b.process))
        return r.fail("Error: Protocol %s has already been defined for %s:%s %s @%d\n", name, b.domainname,
                      b.nodetype, b.process, Line);
    insert_area(b);
    return 0;
}

namespace {

constexpr block_unique rip_unique[] = {
    {.what = "The protocol with its INSTANCENAME (GLOBAL when not given)", .within = "the node type",
     .message = "Error: Protocl RIP has already been defined for %s:%s @%d\n"},
};

constexpr block_unique eigrp_unique[] = {
    {.what = "The protocol with its PROCESS number and INSTANCENAME (GLOBAL when not given)",
     .within = "the node type", .message = "Error: Protocol %s has already been defined for %s:%s %s @%d\n"},
};

const block_doc rip_doc = with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                                     "ROUTING-RIP NORTH.PE M BEGIN\n"
                                                     "END\n", kProtocolRules),
                                      rip_unique);

const block_doc eigrp_doc = with_unique(node_block_doc("DOMAIN.TYPE PROCESS n M BEGIN",
                                                       "ROUTING-EIGRP NORTH.PE PROCESS 100 M BEGIN\nEND\n",
                                                       kProtocolRules),
                                        eigrp_unique);

}  // namespace

block_keys rip_keys() { return {&riptokens, nullptr, &rip_doc}; }
block_keys eigrp_keys() { return {&eigrptokens, nullptr, &eigrp_doc}; }
