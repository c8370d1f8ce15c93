// The LOGICAL-PATH block: one logical connection (a tunnel) between node
// types, its MEMBER node types and the MEMBERFILTER variables by which
// member nodes are matched. Its connection number comes from the counter
// that connection types draw from too.
#include <cstddef>
#include <cstring>

#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

lookup::keyed_index<vc_class_rec, &vc_class_rec::connectionname> paths_by_name(prlogconntypes);
lookup::keyed_index<vc_member_filter_rec, &vc_member_filter_rec::connectionno, &vc_member_filter_rec::variablename>
    vcfilters_by_name(prvcconnfilters);

const value_table LogConnTypes[] = {"TUNNEL", ""};
const value_table LogEncapsulationTypes[] = {"GRE", ""};
const value_table LogConnModes[] = {"STRICT", "LOOSE", ""};
const value_table LogPathTypes[] = {"UNIDIRECTIONAL", "BIDIRECTIONAL", ""};
const value_table LogConnMemberTypes[] = {"INGRESS", "EGRESS", ""};

const char kInvalidNameMsg[] = "ERROR: Invalid attribute name : %s @ %d\n";

// ---- the block's attributes ----

// The values that must be in a list, compared as written; the row's tag
// says which. Only listed values are stored, and they fit their fields.
struct listed_value {
    const value_table *values;
    const char *msg;
};
constexpr listed_value kListed[] = {
    {LogConnTypes, "ERROR: Invalid logical connection type:%s @%d\n"},
    {LogEncapsulationTypes, "ERROR: Invalid Encapsulation type:%s @%d\n"},
    {Scope, "ERROR: Invalid Scope:%s @%d\n"},
    {LogConnModes, "ERROR: Invalid Mode (STRICT/LOOSE):%s @%d\n"},
    {LogPathTypes, "ERROR: Invalid Pathtype (unidirectional/bidirectional):%s @%d\n"},
};

int check_listed(block_reader &r, const keyword_rule &rule, void *) {
    const listed_value &v = kListed[rule.tag];
    return validate_var(v.values, r.tok) ? 0 : r.fail(v.msg, r.tok, Line);
}

int take_authentication(block_reader &r, const keyword_rule &, void *rec) {
    static_cast<vc_class_rec *>(rec)->isauthenticated = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

// The number message takes no line: its text ends in "@d".
int take_pathmaxconn(block_reader &r, const keyword_rule &rule, void *rec) {
    int32_t n = 0;
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &n))
        return r.fail("ERROR: Invalid syntax a number value expected for %s :%s @d\n", rule.name, r.tok);
    if (n < 1) return r.fail("ERROR: MAXCONN should be >=1 :%d @%d\n", n, Line);
    static_cast<vc_class_rec *>(rec)->maxconn = n;
    return 0;
}

constexpr keyword_rule listed(const char *name, int mandatory, int tag, field_ref field, const char *unset = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = 80, .length = length_rule::field,
                        .field = field, .before = check_listed, .tag = tag, .values = kListed[tag].values,
                        .unset = unset};
}

// What MODE, PATHTYPE and MAXCONN of a path are when left out.
constexpr char kPathModeUnset[] = "LOOSE";
constexpr char kPathTypeUnset[] = "UNIDIRECTIONAL";
#define PATH_MAXCONN_UNSET 99

int read_group(block_reader &r, void *rec);
int take_members(block_reader &r, const keyword_rule &, void *rec);
int take_memberfilters(block_reader &r, const keyword_rule &, void *rec);

constinit keyword_table_of logicalconnectiontokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        listed("TYPE", 1, 0, NDL_TEXT(vc_class_rec, connectiontype)),
        listed("ENCAPSULATION", 1, 1, NDL_TEXT(vc_class_rec, encapsulationtype)),
        {.name = "AUTHENTICATION", .maxlen = 80, .length = length_rule::own, .after = take_authentication,
         .checks = "TRUE authenticates; any other word does not"},
        listed("SCOPE", 1, 2, NDL_TEXT(vc_class_rec, scope)),
        listed("MODE", 0, 3, NDL_TEXT(vc_class_rec, pathmode), kPathModeUnset),
        listed("PATHTYPE", 0, 4, NDL_TEXT(vc_class_rec, pathtype), kPathTypeUnset),
        {.name = "MAXCONN", .maxlen = 80, .length = length_rule::own, .before = take_pathmaxconn,
         .checks = "a number of at least 1", .unset = NDL_TEXT_OF(PATH_MAXCONN_UNSET)},
        with_entry(read_by(token_row("MEMBER", TOKEN_GROUP, 80, 1), take_members), &vcmember_def, kMemberForm),
        with_entry(read_by(token_row("MEMBERFILTER", TOKEN_GROUP, 80), take_memberfilters), &memberfilter_def,
                   kMemberFilterForm),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    // The block's loop runs to END, the end of the file (a cut block is
    // refused with the end-of-file message) or a token error.
    {.invalid_msg = "ERROR: Invalid attribute name : %s @%d\n",
     .equal_msg = "ERROR: Invalid syntax '=' expected:%s @%d\n",
     .eof_ends = true,
     .error_ends = true,
     .other = read_group,
     .others = "Any other word is refused with \"ERROR: Invalid attribute name\"."}};

// MEMBER and MEMBERFILTER. A failed group does not stop the block, which
// reads on from the next token; but a file that ended inside the group
// (reported there) ends the block too.
int take_members(block_reader &r, const keyword_rule &, void *rec) {
    return extract_vcmembers(r.fp, static_cast<vc_class_rec *>(rec)->connectionno);
}

int take_memberfilters(block_reader &r, const keyword_rule &, void *rec) {
    return extract_vcmemberfilters(r.fp, static_cast<vc_class_rec *>(rec)->connectionno);
}

int read_group(block_reader &r, void *rec) {
    if (r.kind != TOKEN_GROUP) return -1;
    set_foundflag(r.table, r.tok);
    const keyword_rule &row = *own_row(r);
    int failed = row.after(r, row, rec);
    return failed && g_prevtokentype == TOKEN_EOF ? 1 : 0;
}

// ---- MEMBER ----

// NODE again: no attribute after the head.
int repeated_node(block_reader &r, const keyword_rule &rule, void *) { return r.fail(kInvalidNameMsg, rule.name, Line); }

int check_membermaxconn(block_reader &r, const keyword_rule &, void *rec) {
    int32_t n = static_cast<vc_member_class_rec *>(rec)->maxconn;
    return n < 1 ? r.fail("ERROR: MAXCONN should be >=1 :%d @%d\n", n, Line) : 0;
}

int check_membertype(block_reader &r, const keyword_rule &, void *) {
    return validate_var(LogConnMemberTypes, r.tok) ? 0 : r.fail("ERROR: Invalid Membertype :%s @%d\n", r.tok, Line);
}

int check_connection(block_reader &r, const keyword_rule &, void *) {
    return validate_domainconntypes(r.tok) ? 0 : r.fail("ERROR: Invalid Connectionname :%s @%d\n", r.tok, Line);
}

// Texts of up to 300 characters: every token fits them.
constinit keyword_table_of logconnmembertokens{
    {
        {.name = "NODE", .mandatory = 1, .maxlen = 30, .before = repeated_node,
         .checks = "first in the parentheses, a node type `DOMAIN.TYPE`; not again"},
        {.name = "MINCONN", .mandatory = 1, .kind = value_kind::number,
         .kind_msg = "ERROR: Number is expected for minconn : %s @ %d\n", .field = NDL_INT(vc_member_class_rec, minconn)},
        {.name = "MAXCONN", .mandatory = 1, .kind = value_kind::number,
         .kind_msg = "ERROR: Number is expected for maxconn : %s @ %d\n", .field = NDL_INT(vc_member_class_rec, maxconn),
         .after = check_membermaxconn, .checks = "at least 1"},
        {.name = "MEMBERTYPE", .mandatory = 1, .length = length_rule::field,
         .field = NDL_TEXT(vc_member_class_rec, membertype), .upper = true, .after = check_membertype,
         .values = LogConnMemberTypes},
        {.name = "INTERFACE", .type = TOKEN_LIST, .maxlen = 80, .length = length_rule::field,
         .field = NDL_TEXT(vc_member_class_rec, interface)},
        {.name = "CONNECTION", .maxlen = 80, .length = length_rule::field,
         .field = NDL_TEXT(vc_member_class_rec, connectionname), .before = check_connection,
         .checks = "a CONNECTIONTYPE defined before it"},
        {.name = "TUNNELSOURCE", .maxlen = 80, .length = length_rule::field,
         .field = NDL_TEXT(vc_member_class_rec, tunnelsource)},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = kInvalidNameMsg,
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = kMemberEqualMsg,
     .separator_msg = "ERROR: Invalid syntax ',' expected:%s @ %d\n"}};

const domain_node_rules kPathMemberNode{
    .domain_eof_msg = kGroupEofMsg,
    .unknown_domain = "ERROR: Domain undefined :%s @ %d\n",
    .dot_msg = "ERROR:'.' expected as a qualifer for node type:%s @ %d\n",
    .node_msg = "ERROR: Node expected expected : %s @%d\n",
    .unknown_node = "ERROR: Invalid node type : %s  @%d\n",
};

lookup::tally_index<vc_member_class_rec, lookup::highest<&vc_member_class_rec::sequence>,
                    &vc_member_class_rec::connectionno>
    member_sequences(prvcmembers);

// 1 + the highest sequence already filed for the connection.
int32_t next_member_sequence(int connectionno) { return member_sequences.get(connectionno) + 1; }

void file_vcfilter(int connectionno, int sequence, const char *name) {
    vc_member_filter_rec *rec = alloc_record<vc_member_filter_rec>();
    rec->connectionno = connectionno;
    rec->sequence = sequence;
    rec->variablename = name;  // at most 30 characters
    append_record(prvcconnfilters, rec);
}

}  // namespace

// Read by extract_vcmembers, not by read_entry.
const entry_def vcmember_def{.keys = &logconnmembertokens};

int validate_logicalconntypes(const char *name) { return paths_by_name.find(name) ? 1 : 0; }

int validate_vcconnfilters(int connectionno, const char *name) {
    return vcfilters_by_name.find(connectionno, name) ? 1 : 0;
}

int extract_vcmembers(FILE *fp, int connectionno) {
    block_reader r(fp, *vcmember_def.keys, kGroupEofLineMsg);
    vc_member_class_rec m{};
    m.connectionno = connectionno;
    m.minconn = 1;
    m.maxconn = 99;
    if (!open_group(r, "NODE", "ERROR: Invalid sytax Keword 'NODE' expected :%s @ %d\n")) return 1;
    r.read();
    if (read_domain_node(r, m.domainname, m.nodetype, kPathMemberNode)) return 1;
    if (read_after_head(r, &m)) return 1;
    char missing[kName] = "";
    if (!validate_mandatoryfields("CISCO", "logicalconnectionmember", r.table, missing))
        return r.fail("ERROR: token '%s' is missing for logicalconnectionmember:  @ %d\n", missing, Line);
    if (r.keys->found("INTERFACE") && r.keys->found("CONNECTION"))
        return r.fail("ERROR: Both Interface and Connection cannot be specified. @ %d\n", Line);
    m.sequence = next_member_sequence(connectionno);
    vc_member_class_rec *rec = alloc_record<vc_member_class_rec>();
    *rec = m;
    append_record(prvcmembers, rec);
    return 0;
}

int extract_vcmemberfilters(FILE *fp, int connectionno) {
    return read_filter_names(fp, connectionno, validate_vcconnfilters, file_vcfilter);
}

int parse_logicalconnection(FILE *fp, FILE *, const char *) {
    block_reader r(fp, logicalconnectiontokens);
    vc_class_rec path{};
    path.maxconn = PATH_MAXCONN_UNSET;
    path.pathmode = kPathModeUnset;
    path.pathtype = kPathTypeUnset;
    // Taken before anything is read: a block that fails has its number too.
    path.connectionno = ++g_connectionno;

    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kEofMsg, Line);
    if (validate_logicalconntypes(r.tok)) r.flag("ERROR: Logical Connection '%s' is already defined :@%d\n", r.tok, Line);
    path.connectionname = r.tok;  // a token fits the 300 characters
    if (!r.expect("BEGIN", "ERROR: Keword 'BEGIN' expected :%s @%d\n")) return 1;
    if (read_attributes(r, &path)) return 1;

    char missing[kName] = "";
    if (!validate_mandatoryfields("CISCO", "logicalconnection", r.table, missing))
        return r.fail("ERROR: token '%s' is missing for logicalconnection block '%s':  @ %d\n", missing,
                      path.connectionname.c_str(), Line);
    vc_class_rec *rec = alloc_record<vc_class_rec>();
    *rec = path;
    append_record(prlogconntypes, rec);
    return 0;
}

namespace {

constexpr block_unique logicalpath_unique[] = {
    {.what = "Its name", .within = "the network's LOGICAL-PATH blocks (a CONNECTIONTYPE may have the same name)",
     .message = "ERROR: Logical Connection '%s' is already defined :@%d\n"},
};

const block_doc logicalpath_doc{.header = "name BEGIN",
                                .needs = "NODES",
                                .example = "LOGICAL-PATH PE-GRE BEGIN\n"
                                           "  TYPE = TUNNEL\n"
                                           "  ENCAPSULATION = GRE\n"
                                           "  SCOPE = INTERNAL\n"
                                           "  MEMBER = ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 4 ,\n"
                                           "             MEMBERTYPE = INGRESS )\n"
                                           "END\n",
                                .unique = logicalpath_unique};

}  // namespace

block_keys logicalpath_keys() { return {&logicalconnectiontokens, nullptr, &logicalpath_doc}; }
