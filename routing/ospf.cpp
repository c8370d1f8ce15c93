// ROUTING-OSPF: one OSPF process of a node type, its areas (collected over
// consecutive AREA statements of one id), summaries, passive interfaces
// and the shared REDISTRIBUTION, DISTRIBUTE and DEFAULT lists.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lookup.h"
#include "registry.h"
#include "routing_blocks.h"
#include "validations.h"

// The area being collected.
struct ospf_area {
    char id[kText] = " ";  // a blank until the first AREA
    int authenticated = 0;
    char stubtype[kName] = "";
    std::vector<std::string> interfaces;
    int number = 0;   // its sequence number
    int ranges = 1;   // next RANGE number of the block
    bool given = false;
};

namespace {

// An area holds at most this many interfaces.
constexpr size_t kAreaInterfaces = 301;

// Areas of a node are numbered max + 1 per domain, node and protocol, so
// that no two areas of a node share a number and their interface and range
// rows can be told apart.
using NA = domain_node_area_rec;
lookup::tally_index<NA, lookup::highest<&NA::sequenceno>, &NA::domainname, &NA::nodetype, &NA::routingprotocol>
    area_numbers(prdomainnodeareas);

int next_area_number(const char *domainname, const char *nodetype, const char *protocol) {
    return area_numbers.get(domainname, nodetype, protocol) + 1;
}

void insert_ospfareas(const routing_block &b, const ospf_area &a) {
    domain_node_area_rec *area = alloc_record<domain_node_area_rec>();
    area->domainname = b.domainname;
    area->nodetype = b.nodetype;
    area->routingprotocol = "OSPF";
    area->routedprotocol = "IP";
    area->asn = b.process;
    area->areaid = a.id;
    area->sequenceno = a.number;
    area->stubtype = a.stubtype;
    append_record(prdomainnodeareas, area);
    for (const std::string &name : a.interfaces) {
        domain_conn_area_rec *conn = alloc_record<domain_conn_area_rec>();
        conn->domainname = b.domainname;
        conn->nodetype = b.nodetype;
        conn->routingprotocol = "OSPF";
        conn->routedprotocol = "IP";
        conn->asn = b.process;
        conn->sequenceno = a.number;
        store_text(conn->namedinterface, name.c_str(), kText - 1);
        conn->authenticated = a.authenticated;
        append_record(prdomainconnareas, conn);
    }
}

// ---- RANGE and SUMMARY lists ----

constexpr char kEqualMsg[] = "Error: Invalid syntax '=' expected : %s @ %d\n";
constexpr char kOpenMsg[] = "Error: Invalid syntax '(' expected : %s @ %d\n";
constexpr char kSeparatorOrMsg[] = "Error: Invalid syntax '=' or ')' expected : %s @ %d\n";

struct range_entry {
    list_base base;
    domain_node_area_range_rec rec;
    char instancename[kName];  // the range's own; no column keeps it
};
using RG = range_entry;

int range_address(block_reader &r, const keyword_rule &, void *rec) {
    domain_node_area_range_rec &e = static_cast<RG *>(rec)->rec;
    int kind = address_kind(e.domainname, e.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 1) return r.fail("Error:ip address/network is required for the range: %s @ %d\n", r.tok, Line);
    return 0;
}

constinit keyword_table_of ospfrangetokens{
    {
        {.name = "ADDRESS", .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify  range address within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(RG, rec.summaryaddr), .repeatable = true,
         .before = key_once, .after = range_address, .checks = "once; a quoted address or network of the node type"},
        {.name = "INSTANCENAME", .length = length_rule::field, .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(RG, instancename), .repeatable = true,
         .before = key_once, .checks = "once in the list"},
        {.name = "PREFIX", .maxlen = 3, .length = length_rule::own, .upper = true, .repeatable = true,
         .before = key_once, .after = prefix_value, .checks = "once; a number up to 32, or AUTO"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .equal_msg = kEqualMsg,
     .separator_msg = kSeparatorOrMsg}};

int check_range(block_reader &r, void *entry, void *) {
    RG &g = *static_cast<RG *>(entry);
    if (!g.rec.summaryaddr[0]) return r.fail("Error: ADDRESS not specified for OSPF range @%d\n", r.start_line);
    if (mandatory_or_fail(r, "ospfrangetokens", "Error : Mandatory field '%s' in ospfrangetokens is not defined: %d\n"))
        return 1;
    g.rec.summarmask = g.base.prefix_given ? g.base.prefix : 0;
    return 0;
}

const entry_def range_entry_def{.keys = &ospfrangetokens,
                                .eof_msg = kRoutingEofMsg,
                                .equal_msg = kEqualMsg,
                                .open_msg = kOpenMsg,
                                .size = sizeof(RG),
                                .check = check_range};

struct summary_entry {
    list_base base;
    domain_addr_summary_rec rec;
};
using SU = summary_entry;

int summary_address(block_reader &r, const keyword_rule &, void *rec) {
    domain_addr_summary_rec &e = static_cast<SU *>(rec)->rec;
    int kind = address_kind(e.domainname, e.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 1) return r.fail("Error:ip address/network is required for the summary: %s @ %d\n", r.tok, Line);
    return 0;
}

int summary_tag(block_reader &r, const keyword_rule &, void *rec) {
    domain_addr_summary_rec &e = static_cast<SU *>(rec)->rec;
    int type = 0;
    if (!validate_commandvar(e.domainname, e.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    return 0;
}

constinit keyword_table_of ospfsummarytokens{
    {
        {.name = "ADDRESS", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Summary IP address within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(SU, rec.summary), .repeatable = true,
         .before = key_once, .after = summary_address, .checks = "once; a quoted address or network of the node type"},
        {.name = "PREFIX", .mandatory = 1, .maxlen = 3, .length = length_rule::own, .upper = true,
         .repeatable = true, .before = key_once, .after = prefix_value, .checks = "once; a number up to 32, or AUTO"},
        {.name = "TAG", .maxlen = 80, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify tag value within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(SU, rec.tag), .repeatable = true, .before = key_once,
         .after = summary_tag, .checks = "once; " NDL_COMMAND_VALUE},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .equal_msg = kEqualMsg,
     .separator_msg = kSeparatorMsg}};

void init_summary(void *entry, void *owner) {
    domain_addr_summary_rec &e = static_cast<SU *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = "OSPF";
    e.asn = b.process;
}

int check_summary(block_reader &r, void *entry, void *) {
    SU &s = *static_cast<SU *>(entry);
    if (!s.rec.summary[0])
        return r.fail("Error : Summary address not specified for static route . @ %d\n", r.start_line);
    if (mandatory_or_fail(r, "ospfsummarytokens",
                          "Error : Mandatory field '%s' for SUMMARY in ROUTING-OSPF is not defined: %d\n"))
        return 1;
    s.rec.prefix = s.base.prefix;
    return 0;
}

const entry_def summary_entry_def{.keys = &ospfsummarytokens,
                                  .eof_msg = kRoutingEofMsg,
                                  .equal_msg = kEqualMsg,
                                  .open_msg = kOpenMsg,
                                  .size = sizeof(SU),
                                  .init = init_summary,
                                  .check = check_summary};

int file_summary(block_reader &, const keyword_rule &, void *entry, void *) {
    domain_addr_summary_rec *rec = alloc_record<domain_addr_summary_rec>();
    std::memcpy(rec, &static_cast<SU *>(entry)->rec, sizeof *rec);
    free_record(static_cast<SU *>(entry));
    append_record(prdomainaddrsummary, rec);
    return 0;
}

// ---- AREA # id . attribute = value ----

// NETWORK = ( "i1" , ... ): the area's interfaces, replacing earlier ones.
int extract_network(block_reader &r, const routing_block &b, ospf_area &a) {
    if (!r.expect("=", "Error: Invalid syntax '=' expected : %s @ %d\n")) return 1;
    if (!r.expect("(", "Error: Invalid syntax '(' expected: %s @ %d\n")) return 1;
    a.interfaces.clear();
    for (;;) {
        r.read();
        if (r.kind != TOKEN_QUOTED)
            return r.fail("Error: Invalid syntax . Value  expected within quotes : %s @ %d\n", r.tok, Line);
        // Only flagged: the name stays in the area.
        if (address_kind(b.domainname, b.nodetype, r.tok) != 2)
            r.flag("Error: Invalid interfacename  : %s @ %d\n", r.tok, Line);
        if (a.interfaces.size() == kAreaInterfaces)
            return r.fail("Error: More than 301 interfaces given for the area : %s @ %d\n", r.tok, Line);
        a.interfaces.emplace_back(r.tok);
        r.read();
        if (r.is(")")) return 0;
        if (!r.is(",")) return r.fail(kSeparatorOrMsg, r.tok, Line);
    }
}

int extract_range(block_reader &r, routing_block &b, ospf_area &a) {
    RG *g = alloc_record<RG>();
    if (!g) return 1;
    std::snprintf(g->instancename, sizeof g->instancename, "%s", b.instancename);
    domain_node_area_range_rec &e = g->rec;
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    if (read_entry(r.fp, range_entry_def, g, &b)) {
        free_record(g);
        return 1;
    }
    domain_node_area_range_rec *rec = alloc_record<domain_node_area_range_rec>();
    std::memcpy(rec, &e, sizeof *rec);
    free_record(g);
    rec->routingprotocol = "OSPF";
    rec->routedprotocol = "IP";
    rec->asn = b.process;
    rec->areaid = a.id;
    rec->sequenceno = a.number;
    rec->subsequenceno = a.ranges++;
    append_record(prdomainnodearearanges, rec);
    return 0;
}

// What an AREA statement's keyword works on.
struct area_statement {
    routing_block &b;
    ospf_area &a;
};

area_statement &statement_of(void *rec) { return *static_cast<area_statement *>(rec); }

int take_authentication(block_reader &r, const keyword_rule &, void *rec) {
    if (!r.expect("=", "Error: Invalid syntax '=' expected %s @ %d\n")) return 1;
    r.read_upper();
    if (!validate_var(Boolean, r.tok))
        return r.fail("Error: Invalid syntax boolean value expected : %s @ %d\n", r.tok, Line);
    statement_of(rec).a.authenticated = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

int take_stub(block_reader &r, const keyword_rule &, void *rec) {
    if (!r.expect("=", "Error: Invalid syntax '=' expected : %s @ %d\n")) return 1;
    r.read();
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(StubTypes, r.tok))
        return r.fail("Error: Invalid syntax boolean value expected : %s @ %d\n", r.tok, Line);
    std::strcpy(statement_of(rec).a.stubtype, r.tok);
    return 0;
}

int take_network(block_reader &r, const keyword_rule &, void *rec) {
    area_statement &st = statement_of(rec);
    return extract_network(r, st.b, st.a);
}

int take_range(block_reader &r, const keyword_rule &, void *rec) {
    area_statement &st = statement_of(rec);
    return extract_range(r, st.b, st.a);
}

// The keywords after "AREA # id .", looked up by name (the reader keeps
// the block's table).
constinit keyword_table_of ospfareatokens{{
    read_by(with_checks(token_row("AUTHENTICATION", TOKEN_WORD), "`= TRUE` or `= FALSE`", Boolean),
            take_authentication),
    read_by(with_checks(token_row("STUB", TOKEN_WORD), "`= value`, in any case (stored lower case)", StubTypes),
            take_stub),
    read_by(with_checks(token_row("NETWORK", TOKEN_WORD),
                        "`= ( \"interface\" , ... )`: interfaces of the node type, replacing those given before"),
            take_network),
    with_entry(read_by(token_row("RANGE", TOKEN_WORD), take_range), &range_entry_def,
               "`AREA # id . RANGE = ( ... )`, once for each range of the area"),
}};

const entry_def area_def{.keys = &ospfareatokens};

// The end of the file meets each step's own check: the "." and the
// attribute name are refused, so are the empty values.
int extract_area(block_reader &r, routing_block &b, ospf_area &a) {
    r.read();
    if (!r.is(".")) return r.fail("Error: Attribute qualifier '.' expected: %s @ %d\n", r.tok, Line);
    r.read_upper();
    const keyword_rule *row = ospfareatokens.row(r.tok);
    if (!row) return r.fail("Error : Invalid attribute name for OSPF AREA : %s @%d\n", r.tok, Line);
    area_statement st{b, a};
    return row->after(r, *row, &st);
}

int read_area(block_reader &r, const keyword_rule &, void *rec) {
    routing_block &b = *static_cast<routing_block *>(rec);
    ospf_area &a = *b.area;
    r.read();
    if (r.kind != TOKEN_HASH) return r.fail("Error: Keyword '#' expected: %s @%d\n", r.tok, Line);
    // At the end of the file the id is empty: flagged, and the "." after it
    // is missing.
    r.read();
    int type = 0;
    if (r.kind != TOKEN_NUMBER && !connvar_exists(b.domainname, b.nodetype, "", r.tok, &type) &&
        !nodevar_exists(b.domainname, b.nodetype, r.tok, &type))
        r.flag("Error: Areaid must be a number or a connection variable @%d\n", Line);
    bool first = std::strcmp(a.id, " ") == 0;
    if (first || std::strcmp(a.id, r.tok) != 0) {
        // Another id: the area collected so far is complete.
        if (!first) {
            insert_ospfareas(b, a);
            a.authenticated = 0;
            a.stubtype[0] = '\0';
            a.interfaces.clear();
        }
        a.number = next_area_number(b.domainname, b.nodetype, "OSPF");
    }
    store_text(a.id, sizeof a.id, r.tok, kText - 1);
    if (extract_area(r, b, a)) return 1;
    a.given = true;
    return 0;
}

constinit keyword_table_of ospftokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        kProcessRow,
        instancename_row(),
        ownercontext_row(),
        usagecondition_row(),
        with_entry({.name = "AREA", .type = TOKEN_AREA, .kind = value_kind::none, .repeatable = true,
                    .after = read_area},
                   &area_def, "`AREA # id . KEYWORD ...`, the id a number or a variable of the node type"),
        token_row("#", TOKEN_HASH),
        passiveint_row(),
        {.name = "SUMMARY", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &summary_entry_def, .file = file_summary},
        {.name = "DEFAULT", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &default_entry, .file = file_default},
        redistribution_row(),
        distribute_row(),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "Error: Invalid attribute name : %s @%d\n", .error_ends = true}};

const header_spec kOspfHeader{
    .domain_msg = "Error: Domain undefined: %s \n @%d",
    .dot_msg = "Error:'.' expected as a qualifer for node type : %s \n @%d",
    .dot_line_only = false,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = "Error: Syntax error . Keyword 'PROCESS' expected: %s  @%d\n",
    .number_msg = "Error: Syntax error. Numeric field expected for OSPF processid: %s  @%d\n",
    .number_named = false,
    .mo_msg = "Error: Syntax error. M/O expected : %s @%d \n",
    .begin_msg = "Error: Keyword 'BEGIN' expected : %s @%d\n",
    .lenient = false,
};

}  // namespace

int parse_ospf(FILE *fp, FILE *, const char *) {
    block_reader r(fp, ospftokens, kRoutingEofMsg);
    routing_block b;
    start_block(b, "OSPF");
    ospf_area area;
    b.area = &area;
    if (read_header(r, kOspfHeader, b) || read_body(r, b)) return 1;
    if (!declare_protocol(b, b.process))
        return r.fail("Error: Protocol OSPF has already been defined for %s:%s %s @%d\n", b.domainname, b.nodetype,
                      b.process, Line);
    if (!area.given) return r.fail("Error : Area not defined for OSPF : %s @%d\n", b.process, Line);
    insert_ospfareas(b, area);
    return 0;
}

namespace {

constexpr block_rule ospf_rules[] = {
    kNodeTypeNameRule,
    kMandOptRule,
    {.text = "It defines an area, with `AREA # n . KEYWORD`", .part = "  AREA # 0 . AUTHENTICATION = TRUE\n",
     .message = "Area not defined for OSPF"},
};

constexpr block_unique ospf_unique[] = {
    {.what = "Its PROCESS number with its INSTANCENAME (GLOBAL when not given)", .within = "the node type",
     .message = "Error: Protocol OSPF has already been defined for %s:%s %s @%d\n"},
};

const block_doc ospf_doc{.header = "DOMAIN.TYPE PROCESS n M BEGIN",
                         .needs = "NODES",
                         .example = "ROUTING-OSPF NORTH.PE PROCESS 1 M BEGIN\n"
                                    "  AREA # 0 . AUTHENTICATION = TRUE\n"
                                    "END\n",
                         .rules = ospf_rules,
                         .unique = ospf_unique};

}  // namespace

block_keys ospf_keys() { return {&ospftokens, nullptr, &ospf_doc}; }
