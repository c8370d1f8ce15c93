// QOSMATCHRULES: match rules, each a DESCRIPTION followed by numbered MATCH
// entries, and the lookups of match rules that the other QoS blocks and the
// value checks make.
#include <cstring>
#include <string>

#include "lookup.h"
#include "policy.h"
#include "policy_blocks.h"
#include "registry.h"

namespace {

const value_table matchruleusages[] = {"CLASS", "POLICERULE", "SHAPERULE", "CUSTOMQUEUE", "PRIORITYQUEUE", ""};

struct match_desc {
    qos_scope scope;
    qos_match_rule_class_rec rec;
};

struct match_entry {
    qos_scope scope;
    qos_match_rule_class_elem_rec rec;
};

int usage_check(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(matchruleusages, r.tok)) r.flag("Error: Invalid USAGE  :  '%s' @ %d\n", r.tok, Line);
    return 0;
}

int matchdnf_check(block_reader &r, const keyword_rule &, void *ctx) {
    return true_false(r, "Error: MatchDNF can have have TRUE or FALSE values only @%d\n",
                      &static_cast<match_desc *>(ctx)->rec.matchdnf);
}

int negated_check(block_reader &r, const keyword_rule &, void *ctx) {
    return true_false(r, "NEGATED can have only TRUE or FALSE Values @%d\n",
                      &static_cast<match_entry *>(ctx)->rec.matchnegated);
}

constinit keyword_table_of matchrules_desctokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(match_desc, rec.matchrulename)},
        {.name = "USAGE", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(match_desc, rec.usage1), .upper = true,
         .after = usage_check, .values = matchruleusages},
        {.name = "MATCHDNF", .maxlen = 1, .length = length_rule::own, .upper = true, .after = matchdnf_check,
         .checks = "`TRUE` or `FALSE`"},
        {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "Error: Specify CONTEXT within quotes: %s @ %d\n", .repeatable = true, .after = context_check,
         .checks = "a context of the node type, such as `\"BYHOST()\"`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "Error: Duplicate token :  %s  @ %d\n"}};

constinit keyword_table_of matchrules_matchtokens{
    {
        {.name = "TYPE", .mandatory = 1, .maxlen = 30, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Match type within quotes: %s @ %d\n", .field = NDL_TEXT(match_entry, rec.matchtype),
         .tag = kLower},
        {.name = "VALUE", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Match Rule Value within quotes: %s @ %d\n",
         .field = NDL_TEXT(match_entry, rec.matchvalue)},
        {.name = "NEGATED", .length = length_rule::own, .upper = true, .after = negated_check,
         .checks = "`TRUE` or `FALSE`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "Error: Duplicate token :  %s  @ %d\n"}};

// The lists that DESCRIPTION and MATCH open (read by their block's code and
// by the rules that embed a match).
const entry_def match_description_def{.keys = &matchrules_desctokens};
}  // namespace

const entry_def match_data_def{.keys = &matchrules_matchtokens};

namespace {

int open_matchrule(block_reader &r, const keyword_rule &, void *ctx);

constinit keyword_table_of matchrulestokens{{
    token_row("BEGIN", TOKEN_BEGIN),
    read_by(qos_group_row("DESCRIPTION", &match_description_def,
                          "`DESCRIPTION = ( ... )`: it opens a match rule, to which the MATCHes after it belong"),
            open_matchrule),
    qos_group_row("MATCH", &match_data_def, "`MATCH # n = ( ... )`: the rule's matches numbered 1, 2, 3 in order"),
    token_row("#", TOKEN_HASH),
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
    token_row("END", TOKEN_END),
}};

struct match_block {
    char domainname[kName];
    char nodetype[kName];
    qos_match_rule_class_rec *current;
    int expected;  // the next MATCH number; 1 right after a DESCRIPTION
};

constexpr const char kNoMatchMsg[] = "Error: Atleast one MATCH should be specified after previous match descripton @%d\n";

int open_matchrule(block_reader &r, const keyword_rule &, void *ctx) {
    match_block &b = *static_cast<match_block *>(ctx);
    if (b.expected == 1) return r.fail(kNoMatchMsg, Line);
    if (extract_matchrule_description(r.fp, b.domainname, b.nodetype, &b.current)) return 1;
    b.expected = 1;
    return 0;
}

int match_item(block_reader &r, void *ctx) {
    match_block &b = *static_cast<match_block *>(ctx);
    if (const keyword_rule *row = own_row(r)) return row->after(r, *row, ctx);
    if (!b.current) return r.fail("Error: DESCRIPTION needs to be given before match @%d\n", Line);
    int32_t number = 0;
    if (read_numbered(r, b.expected, "Error: Match in QosMatch rule do not follow the proper sequence: %d %s @ %d\n",
                      &number))
        return 1;
    if (extract_matchdata(r.fp, b.current)) return 1;
    ++b.expected;
    return 0;
}

// The vendor table of a match entry follows the usage of its rule; the
// reference prints the same rows.
struct usage_table {
    const char *usage;
    const char *table;
};
const usage_table kMatchTables[] = {
    {"CLASS", "qosclassmatchtypes"},        {"CUSTOMQUEUE", "qosclassmatchtypes"},
    {"PRIORITYQUEUE", "qosclassmatchtypes"}, {"SHAPERULE", "qosintshapematchtypes"},
    {"POLICERULE", "qosintpolicematchtypes"},
};

const char *match_table(const char *usage) {
    for (const usage_table &t : kMatchTables)
        if (!std::strcmp(usage, t.usage)) return t.table;
    return nullptr;
}

}  // namespace

namespace {
// Every rule and class of a QOS section looks rules up by name: an index
// keeps a whole load linear in its rules.
using M = qos_match_rule_class_rec;
lookup::keyed_index<M, &M::domainname, &M::nodetype, &M::matchrulename, &M::sequence> match_by_name(
    prmatchruledesclist);
lookup::keyed_index<M, &M::domainname, &M::nodetype, &M::matchrulename> match_by_rule(prmatchruledesclist);
}  // namespace

int matchrule_exists(const char *domainname, const char *nodetype, const char *rulename, int32_t firstsequence) {
    return match_by_name.find(domainname, nodetype, rulename, firstsequence) ? 1 : 0;
}

int validate_matchdesc(const qos_match_rule_class_rec *rule, char *message) {
    return rule_verdict(*rule, &qos_match_rule_class_rec::matchrulename, matchrule_exists, nullptr,
                        "Error: duplicate Match name %s  ", message);
}

int validate_matchusage(const char *name, const char *domainname, const char *nodetype, const char *usage) {
    // A warning only: the run does not fail on it. A name stands for one
    // rule of the node type (a second one is refused or flagged), so the
    // first rule of that name is the one to compare.
    const qos_match_rule_class_rec *m = match_by_rule.find(domainname, nodetype, name);
    if (m && std::strcmp(m->usage1, usage) != 0)
        logmsg("ERROR: Wrong USAGE for referred MATCHRULE '%s' : @ %d\n", name, Line);
    return 1;
}

qos_match_rule_class_rec *add_embedded_matchrule(const qos_match_rule_class_rec &tmpl) {
    auto *rec = alloc_record<qos_match_rule_class_rec>();
    *rec = tmpl;
    rec->matchdnf = 1;
    rec->sequence = 1;
    rec->elemlist = nullptr;
    char message[kMsgSize];
    if (!validate_matchdesc(rec, message)) {
        logmsg("%s @%d\n", message, Line);
        g_error = 1;
    }
    prmatchruledesclist.append(rec);
    return rec;
}

int extract_matchrule_description(FILE *fp, const char *domainname, const char *nodetype,
                                  qos_match_rule_class_rec **current) {
    match_desc d{};
    qos_match_rule_class_rec &rec = d.rec;
    store_text(rec.domainname, domainname, kText - 1);
    store_text(rec.nodetype, nodetype, kText - 1);
    rec.owner = "GLOBAL";
    rec.usage1 = " ";
    rec.usage2 = " ";
    rec.matchdnf = 1;
    rec.sequence = 1;
    d.scope = scope_of(rec);
    int line = Line;

    block_reader r(fp, *match_description_def.keys);
    std::vector<attribute_entry> entries;
    if (extract_variablelist(r, entries) || walk_list(r, entries, &d)) return 1;
    check_rule_name(r, d.scope, rec.matchrulename,
                    "WARNING: QOSMATCHRULE '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
                    "NAME, may cause duplicate entries:  \n\n");
    if (!r.check_mandatory("qosmatchdesc", "Error: Token '%s' not found in DESCRIPTION of MATCHRULE block:  @ %d\n",
                           line))
        return 1;
    char message[kMsgSize];
    if (!validate_matchdesc(&rec, message)) return r.fail("%s @%d\n", message, Line);
    auto *added = alloc_record<qos_match_rule_class_rec>();
    *added = rec;
    prmatchruledesclist.append(added);
    *current = added;
    return 0;
}

int extract_matchdata(FILE *fp, qos_match_rule_class_rec *rule) {
    match_entry m{};
    m.scope = scope_of(*rule);
    block_reader r(fp, *match_data_def.keys);
    if (read_checked_list(r, &m, "qossubmatch",
                          "Error: Token '%s' not found in MATCH subblock of QOSMATCHRULES:  @ %d\n"))
        return 1;
    int result = 0;
    // A rule of an invalid usage has been reported: no table to check with.
    if (const char *table = match_table(rule->usage1))
        check_vendor(r, table, m.rec.matchtype, m.rec.matchvalue, m.scope, Line, &result);
    auto *entry = alloc_record<qos_match_rule_class_elem_rec>();
    *entry = m.rec;
    entry->next = nullptr;
    append_record(rule->elemlist, entry);
    return 0;
}

int parse_qosmatchrules(FILE *fp, FILE *, const char *) {
    block_reader r(fp, matchrulestokens);
    match_block b{};
    if (open_rule_block(r, b.domainname, b.nodetype) || read_rule_items(r, match_item, &b)) return 1;
    // Missing DESCRIPTION or MATCH: flagged, and the block counts as read.
    if (!r.check_mandatory("qosmatchrule", "Error: Token '%s' not found in MATCHRULE block :  @ %d\n", r.start_line))
        return 0;
    // A rule without entries would store no row, and references to it
    // would dangle after a reload: refused at END.
    if (b.expected == 1) return r.fail(kNoMatchMsg, Line);
    return 0;
}

namespace {

// A MATCH's TYPE, by the USAGE of its rule: the rows of kMatchTables, one
// list per vendor table.
void match_lists(reference_out &out) {
    for (const usage_table &t : kMatchTables) {
        std::string usages;
        for (const usage_table &u : kMatchTables) {
            if (std::strcmp(u.table, t.table) != 0) continue;
            if (usages.empty() && &u != &t) break;  // listed with an earlier usage
            usages += (usages.empty() ? "`" : ", `") + std::string(u.usage) + "`";
        }
        if (usages.empty()) continue;
        out.text("A MATCH's TYPE in a rule of USAGE " + usages +
                 ", and what its VALUE takes (another TYPE gives \"ERROR: Wrong value: '...' \"):");
        write_vendor_list(out, t.table, "TYPE");
        out.example(vendor_example(t.table, "QOSMATCHRULES NORTH.PE BEGIN\n"
                                            "  DESCRIPTION = ( NAME = EXAMPLE , USAGE = " +
                                                std::string(t.usage) +
                                                " )\n"
                                                "  MATCH # 1 = ( TYPE = \"%1\" , VALUE = \"%2\" )\n"
                                                "END\n"));
    }
}

constexpr block_unique qosmatch_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSMATCHRULES block of it)",
     .message = "Error: duplicate Match name %s  "},
};

const block_doc qosmatch_doc = with_lists(with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                         "QOSMATCHRULES NORTH.PE BEGIN\n"
                                                         "  DESCRIPTION = ( NAME = VOICE , USAGE = CLASS )\n"
                                                         "  MATCH # 1 = ( TYPE = \"ip dscp\" , VALUE = \"ef\" )\n"
                                                         "END\n"),
                                                      qosmatch_unique),
                                          match_lists);

}  // namespace

block_keys qosmatchrules_keys() { return {&matchrulestokens, nullptr, &qosmatch_doc}; }
