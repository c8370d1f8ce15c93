// QOSMARKRULES and QOSDROPRULES: mark rules (a marking type and value) and
// drop rules (a discipline with numbered sub-rules), free-standing or read
// inside a QOSPOLICY from a template record.
#include <cstring>

#include "lookup.h"
#include "policy_blocks.h"

namespace {

struct mark_desc {
    qos_scope scope;
    qos_mark_rule_class_rec rec;
};

struct drop_desc {
    qos_scope scope;
    qos_drop_rule_class_rec rec;
};

struct drop_sub {
    qos_scope scope;
    qos_drop_rule_class_elem_rec rec;
};

// Inside a policy the rule takes its name and contexts from the policy.
int mark_name_global(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (static_cast<qos_scope *>(ctx)->embedded) return r.fail("ERROR: Invalid keywork : '%s' @ %d\n", rule.name, Line);
    return 0;
}

int context_global(block_reader &r, const keyword_rule &, void *ctx) {
    if (static_cast<qos_scope *>(ctx)->embedded) return r.fail("ERROR: CONTEXT can appear only for global QOS blocks : @ %d\n", Line);
    return 0;
}

int drop_type(block_reader &r, const keyword_rule &, void *ctx) {
    if (std::strcmp(r.tok, "TAILDROP") && std::strcmp(r.tok, "RED") && std::strcmp(r.tok, "HEADDROP"))
        return r.fail("Error: Invalid DROP TYPE %s @%d\n", r.tok, static_cast<qos_scope *>(ctx)->line);
    return 0;
}

constexpr keyword_rule context_row() {
    return {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
            .kind_msg = "Error: Specify CONTEXT within quotes: %s @ %d\n", .repeatable = true,
            .before = context_global, .after = context_check,
            .checks = "only in a global QoS block; a context of the node type, such as `\"BYHOST()\"`"};
}

constinit keyword_table_of markrules_desctokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(mark_desc, rec.markrulename),
         .before = mark_name_global, .checks = "not in a rule written inside a QOSPOLICY"},
        context_row(),
        {.name = "TYPE", .mandatory = 1, .maxlen = 30, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Mark Rule type within quotes: %s @ %d\n", .field = NDL_TEXT(mark_desc, rec.marktype),
         .tag = kLower},
        {.name = "VALUE", .mandatory = 1, .maxlen = 30, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Mark Rule value within quotes: %s @ %d\n",
         .field = NDL_TEXT(mark_desc, rec.markvalue)},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "Error: Duplicate token :  %s  @ %d\n"}};

constinit keyword_table_of droprules_desctokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(drop_desc, rec.droprulename)},
        context_row(),
        {.name = "TYPE", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(drop_desc, rec.droptype), .upper = true,
         .after = drop_type, .checks = "`TAILDROP`, `RED` or `HEADDROP`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "ERROR: Duplicate keyword : '%s' @ %d\n"}};

constinit keyword_table_of dropsubrulesdatatokens{
    {
        {.name = "TYPE", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(drop_sub, rec.dropsubtype), .tag = kLower},
        {.name = "PARAM1", .maxlen = 30, .field = NDL_TEXT(drop_sub, rec.dropparam1)},
        {.name = "PARAM2", .maxlen = 30, .field = NDL_TEXT(drop_sub, rec.dropparam2)},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "Error: Duplicate token :  %s  @ %d\n"}};

const entry_def dropsub_data_def{.keys = &dropsubrulesdatatokens};

constexpr keyword_rule kDropSubRuleRow =
    with_entry(token_row("DROPSUBRULE", TOKEN_GROUP), &dropsub_data_def,
               "`DROPSUBRULE # n = ( ... )`, after the DESCRIPTION of a drop rule: its sub-rules numbered 1, 2, 3 "
               "in order");

constinit keyword_table_of dropsubrulestokens{{
    kDropSubRuleRow,
    token_row("#", TOKEN_HASH),
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
    token_row("END", TOKEN_END),
}};

void free_subrules(qos_drop_rule_class_rec *rule) {
    for (qos_drop_rule_class_elem_rec *e = rule->elemlist; e;) {
        qos_drop_rule_class_elem_rec *next = e->next;
        free_record(e);
        e = next;
    }
    rule->elemlist = nullptr;
}

int extract_subdropdata(FILE *fp, qos_drop_rule_class_rec *rule) {
    drop_sub d{};
    d.scope = scope_of(*rule);
    block_reader r(fp, *dropsub_data_def.keys);
    if (read_checked_list(r, &d, "qossubdroptype", "Error: Token '%s' not found in SUBDROPTYPE block :  @ %d\n"))
        return 1;
    auto *sub = alloc_record<qos_drop_rule_class_elem_rec>();
    *sub = d.rec;
    append_record(rule->elemlist, sub);
    return 0;
}

// DROPSUBRULE # 1, # 2 ... after a drop DESCRIPTION; the first other token,
// the end of the file too, goes back to the block. A token error ends them
// and is not handed back.
int extract_subdroptypes(FILE *fp, qos_drop_rule_class_rec *rule) {
    block_reader r(fp, dropsubrulestokens);
    for (int expected = 1;; ++expected) {
        r.read();
        if (r.error_ends()) return 0;
        if (std::strcmp(r.tok, kDropSubRuleRow.name) != 0) {
            r.push_back();
            return 0;
        }
        if (!r.expect("#", "Error: Keyword '#' expected: %s @%d\n")) return 1;
        r.read();
        if (r.kind != TOKEN_NUMBER) return r.fail("drop subtype sequence  number expected: %s  @%d\n", r.tok, Line);
        int32_t number = 0;
        if (!parse_int32(r.tok, &number) || number != expected)
            return r.fail("Error: Subdrop rule do not follow the proper sequence: %d %s @ %d\n", expected, r.tok, Line);
        if (extract_subdropdata(fp, rule)) return 1;
    }
}

int mark_item(block_reader &r, void *ctx) {
    const char *const *q = static_cast<const char *const *>(ctx);
    return extract_markrule_description(r.fp, q[0], q[1], nullptr, 0);
}

int drop_item(block_reader &r, void *ctx) {
    const char *const *q = static_cast<const char *const *>(ctx);
    return extract_droprule_description(r.fp, q[0], q[1], nullptr, 0);
}

}  // namespace

const entry_def mark_description_def{.keys = &markrules_desctokens};

namespace {
const entry_def drop_description_def{.keys = &droprules_desctokens, .then = &dropsubrulestokens};
constinit keyword_table_of markrulestokens{qos_rule_block_rows(&mark_description_def).rows};
constinit keyword_table_of droprulestokens{qos_rule_block_rows(&drop_description_def).rows};
}  // namespace

namespace {
// Rules are looked up by name for every rule and class: indexed, so that a
// whole load stays linear in its rules.
using K = qos_mark_rule_class_rec;
using D = qos_drop_rule_class_rec;
lookup::keyed_index<K, &K::domainname, &K::nodetype, &K::markrulename, &K::sequence> mark_by_name(prmarkruledesclist);
lookup::keyed_index<D, &D::domainname, &D::nodetype, &D::droprulename> drop_by_name(prdropruledesclist);
}  // namespace

int markrule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence) {
    return mark_by_name.find(domainname, nodetype, name, sequence) ? 1 : 0;
}

int droprule_exists(const char *domainname, const char *nodetype, const char *name, int32_t) {
    return drop_by_name.find(domainname, nodetype, name) ? 1 : 0;
}

int validate_qosmarklist(const qos_mark_rule_class_rec *rule, char *message) {
    const char *text = !rule->markrulename[0] ? "Error: NAME not mentioned  in markrule "
                       : !rule->marktype[0]   ? "Error: TYPE not mentioned in markrule "
                       : !rule->markvalue[0]  ? "Error: VALUE not mentioned in markrule "
                                              : nullptr;
    return rule_verdict(*rule, &K::markrulename, markrule_exists, text, "Error: Duplicate MARK RULE %s ", message);
}

int validate_droprules(const qos_drop_rule_class_rec *rule, char *message) {
    return rule_verdict(*rule, &D::droprulename, droprule_exists, nullptr, "Error: duplicate qos drop rule %s ",
                        message);
}

int setdroptype(const char *droptype, const char *domainname, const char *nodetype, const char *context1,
                const char *context2, const char *context3, const char *owner, const char *usage1,
                const char *usage2, const char *name) {
    auto *rec = alloc_record<qos_drop_rule_class_rec>();
    const char *from[] = {droptype, domainname, nodetype, context1, context2, context3, owner, usage1, usage2, name};
    text_ref to[] = {rec->droptype, rec->domainname, rec->nodetype, rec->context1, rec->context2, rec->context3,
                     rec->owner,    rec->usage1,     rec->usage2,   rec->droprulename};
    for (size_t i = 0; i < std::size(to); ++i) to[i].set(from[i]);
    rec->sequence = 1;
    char message[kMsgSize];
    if (!validate_droprules(rec, message)) {
        free_record(rec);
        setmsg("%s @%d\n", message, Line);
        return 0;
    }
    prdropruledesclist.append(rec);
    return 1;
}

int extract_markrule_description(FILE *fp, const char *domainname, const char *nodetype,
                                 const qos_mark_rule_class_rec *tmpl, int embedded) {
    mark_desc d{};
    qos_mark_rule_class_rec &rec = d.rec;
    if (embedded) {
        rec = *tmpl;
    } else {
        global_rule(rec, domainname, nodetype);
    }
    d.scope = scope_of(rec, embedded);

    block_reader r(fp, *mark_description_def.keys);
    if (read_checked_list(r, &d, "qosmarkdesc", "Error: Token '%s' not found in MARKRULE block :  @ %d\n",
                          embedded ? "NAME" : nullptr))
        return 1;
    if (!embedded)
        check_rule_name(r, d.scope, rec.markrulename,
                        "WARNING: QOSMARKRULE '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
                        "NAME, may cause duplicate entries:  \n");
    char message[kMsgSize];
    if (!validate_qosmarklist(&rec, message)) return r.fail("%s @%d\n", message, Line);
    int result = 0;
    check_vendor(r, "qosmarktypes", rec.marktype, rec.markvalue, d.scope, Line, &result);
    if (result == 1) return 1;
    auto *added = alloc_record<qos_mark_rule_class_rec>();
    *added = rec;
    prmarkruledesclist.append(added);
    return 0;
}

int extract_droprule_description(FILE *fp, const char *domainname, const char *nodetype,
                                 const qos_drop_rule_class_rec *tmpl, int embedded) {
    drop_desc d{};
    qos_drop_rule_class_rec &rec = d.rec;
    if (embedded) {
        rec = *tmpl;
        rec.elemlist = nullptr;
    } else {
        global_rule(rec, domainname, nodetype);
    }
    d.scope = scope_of(rec, embedded);

    block_reader r(fp, *drop_description_def.keys);
    if (read_checked_list(r, &d, "qosdropdesc", "Error: Token '%s' not found in DROPTYPE block :  @ %d\n",
                          embedded ? "NAME" : nullptr))
        return 1;
    if (!embedded)
        check_rule_name(r, d.scope, rec.droprulename,
                        "WARNING: QOSDROPRULE '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
                        "NAME, may cause duplicate entries:  \n");
    char message[kMsgSize];
    if (extract_subdroptypes(fp, &rec)) {
        free_subrules(&rec);
        return 1;
    }
    if (!validate_droprules(&rec, message)) {
        free_subrules(&rec);
        return r.fail("%s @%d\n", message, Line);
    }
    auto *added = alloc_record<qos_drop_rule_class_rec>();
    *added = rec;
    prdropruledesclist.append(added);
    return 0;
}

int parse_qosmarkrules(FILE *fp, FILE *, const char *) {
    return rule_block(fp, markrulestokens, mark_item, "qosmarkrule", "ERROR: Token '%s' not found in QOSMARKRULES @ %d\n",
                      0);
}

int parse_qosdroprules(FILE *fp, FILE *, const char *) {
    return rule_block(fp, droprulestokens, drop_item, "qosdroprule",
                      "Error: Token '%s' not found in DROPTYPE block :  @ %d\n", 1);
}

namespace {

void mark_lists(reference_out &out) {
    out.text("A mark rule's TYPE, and what its VALUE takes (another TYPE gives \"ERROR: Wrong value: '...' \"):");
    write_vendor_list(out, "qosmarktypes", "TYPE");
    out.example(vendor_example("qosmarktypes", "QOSMARKRULES NORTH.PE BEGIN\n"
                                                "  DESCRIPTION = ( NAME = EXAMPLE , TYPE = \"%1\" , VALUE = \"%2\" )\n"
                                                "END\n"));
}

constexpr block_unique qosmark_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSMARKRULES block of it)",
     .message = "Error: Duplicate MARK RULE %s "},
};
constexpr block_unique qosdrop_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSDROPRULES block of it)",
     .message = "Error: duplicate qos drop rule %s "},
};

const block_doc qosmark_doc =
    with_lists(with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                          "QOSMARKRULES NORTH.PE BEGIN\n"
                                          "  DESCRIPTION = ( NAME = MARK , TYPE = \"ip precedence\" , VALUE = \"5\" )\n"
                                          "END\n"),
                           qosmark_unique),
               mark_lists);
const block_doc qosdrop_doc = with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                         "QOSDROPRULES NORTH.PE BEGIN\n"
                                                         "  DESCRIPTION = ( NAME = WRED , TYPE = RED )\n"
                                                         "END\n"),
                                          qosdrop_unique);

}  // namespace

block_keys qosmarkrules_keys() { return {&markrulestokens, nullptr, &qosmark_doc}; }
block_keys qosdroprules_keys() { return {&droprulestokens, nullptr, &qosdrop_doc}; }
