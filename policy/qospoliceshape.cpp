// QOSPOLICERULES and QOSSHAPERULES: police rules with their actions and
// shape rules, free-standing or read inside a QOSPOLICY; at the policy level
// they may carry REPEATBY and a match rule of their own, named or embedded.
#include <cstring>

#include "lookup.h"
#include "policy.h"
#include "policy_blocks.h"
#include "validations.h"

namespace {

struct police_desc {
    qos_scope scope;
    qos_police_rule_class_rec rec;
    qos_match_rule_class_rec *match;  // the embedded match rule, once made
};

struct shape_desc {
    qos_scope scope;
    qos_shape_rule_class_rec rec;
    qos_match_rule_class_rec *match;
};

police_desc &police(void *ctx) { return *static_cast<police_desc *>(ctx); }
shape_desc &shape(void *ctx) { return *static_cast<shape_desc *>(ctx); }

// Messages that differ between the police and the shape reader.
struct rule_texts {
    const char *name_embedded;
    const char *repeatby_place;
    const char *matchrulename_place;
    const char *matchrule_place;
    const char *missing_match;
    const char *usage;
    qos_level level;  // where REPEATBY and match rules may stand
};

const rule_texts kPolice{"ERROR: Invalid keyword : %s @ %d\n",
                         "Error: REPEATBY in POLICERULE can appear only when embedded in QOSPOLICY @%d\n",
                         "Error: MATCHRULENAME in POLICERULE can appear only when embedded in QOSPOLICY @%d\n",
                         "Error: MATCHRULE in POLICERULE can appear only when embedded in QOSPOLICY @%d\n",
                         "Error: MATCHRULE %s @%d referred by POLICE RULE in QOSPOLICY is missing \n",
                         "POLICERULE",
                         QOSINTPOLICE};
const rule_texts kShape{"Error: Invalid keyword : '%s' @ %d\n",
                        "Error: REPEATBY in SHAPERULE can appear only when embedded in QOSPOLICY @%d\n",
                        "Error: MATCHRULENAME in SHAPERULE can appear only when embedded in QOSPOLICY @%d\n",
                        "Error: MATCHRULE in SHAPERULE can appear only when embedded in QOSPOLICY @%d\n",
                        "Error: MATCHRULE %s @%d referred by SHAPE RULE in QOSPOLICY is missing \n",
                        "SHAPERULE",
                        QOSINTSHAPE};

const rule_texts &texts_of(block_reader &r);

bool at_policy_level(const qos_scope &s, const rule_texts &t) { return s.embedded && s.level == t.level; }

int name_global(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (static_cast<qos_scope *>(ctx)->embedded) return r.fail(texts_of(r).name_embedded, rule.name, Line);
    return 0;
}

int repeatby_place(block_reader &r, const keyword_rule &, void *ctx) {
    const rule_texts &t = texts_of(r);
    if (!at_policy_level(*static_cast<qos_scope *>(ctx), t)) return r.fail(t.repeatby_place, Line);
    return 0;
}

int police_repeatby(block_reader &r, const keyword_rule &, void *ctx) {
    return take_repeatby(r, police(ctx).scope, police(ctx).rec.repeatby);
}

int shape_repeatby(block_reader &r, const keyword_rule &, void *ctx) {
    return take_repeatby(r, shape(ctx).scope, shape(ctx).rec.repeatby);
}

int matchrulename_place(block_reader &r, const keyword_rule &, void *ctx) {
    const rule_texts &t = texts_of(r);
    if (r.keys->found("MATCHRULE"))
        return r.fail("ERROR: MATCHRULENAME cannot be given along with MATCHRULE : @ %d\n", Line);
    if (!at_policy_level(*static_cast<qos_scope *>(ctx), t)) return r.fail(t.matchrulename_place, Line);
    return 0;
}

// A police rule's referred match rule must exist; a shape rule's is held to
// the same, so that a policy never stores a reference to nothing.
int matchrulename_value(block_reader &r, const keyword_rule &, void *ctx) {
    const qos_scope &s = *static_cast<qos_scope *>(ctx);
    const rule_texts &t = texts_of(r);
    if (!matchrule_exists(s.domainname, s.nodetype, r.tok, 1)) return r.fail(t.missing_match, r.tok, Line);
    validate_matchusage(r.tok, s.domainname, s.nodetype, t.usage);
    return 0;
}

// MATCHRULE: the first builds the rule's own match rule, named after the
// rule and the run-wide counter; each reads one match entry into it.
int matchrule_group(block_reader &r, qos_scope &s, qos_match_rule_class_rec *&match, const char *rulename,
                    const char *usage2, const char *repeatby, text_field<kText> &matchrulename) {
    const rule_texts &t = texts_of(r);
    if (r.keys->found("MATCHRULENAME"))
        return r.fail("ERROR: MATCHRULE cannot be given along with MATCHRULENAME : @ %d\n", Line);
    if (!at_policy_level(s, t)) return r.fail(t.matchrule_place, Line);
    if (!match) {
        qos_match_rule_class_rec tmpl{};
        tmpl.domainname = s.domainname;
        tmpl.nodetype = s.nodetype;
        bool police_rule = &t == &kPolice;
        int &counter = police_rule ? policeuniquenumber : matchuniquenumber;
        tmpl.matchrulename.format(police_rule ? "%s-POL-%d" : "%s-SH-%d",
                      rulename, counter++);
        tmpl.owner = rulename;
        tmpl.usage1 = t.usage;
        tmpl.usage2 = usage2;
        tmpl.context1 = s.context1;
        tmpl.context2 = s.context2;
        tmpl.context3 = s.context3;
        tmpl.repeatby = repeatby;
        match = add_embedded_matchrule(tmpl);
        matchrulename = match->matchrulename;
    }
    if (extract_matchdata(r.fp, match)) return 1;
    std::strcpy(s.previous, "MATCHRULE");
    return 0;
}

int police_matchrule(block_reader &r, void *ctx) {
    police_desc &d = police(ctx);
    return matchrule_group(r, d.scope, d.match, d.rec.policerulename, d.rec.usage2, d.rec.repeatby,
                           d.rec.matchrulename);
}

int shape_matchrule(block_reader &r, void *ctx) {
    shape_desc &d = shape(ctx);
    return matchrule_group(r, d.scope, d.match, d.rec.shaperulename, d.rec.usage2, d.rec.repeatby,
                           d.rec.matchrulename);
}

int new_action(block_reader &r, const keyword_rule &rule, void *ctx) {
    auto *a = alloc_record<qos_police_action_class_rec>();
    a->actiontype = rule.name;
    a->action = r.tok;
    append_record(police(ctx).rec.actionlist, a);
    return 0;
}

// EXCEEDACTIONVALUE and the others stand right after their action.
int action_value_place(block_reader &r, const keyword_rule &rule, void *ctx) {
    size_t n = std::strlen(rule.name) - std::strlen("VALUE");
    const char *previous = static_cast<qos_scope *>(ctx)->previous;
    if (std::strlen(previous) != n || std::strncmp(previous, rule.name, n) != 0) return r.fail(rule.order_msg, Line);
    return 0;
}

int action_value(block_reader &r, const keyword_rule &, void *ctx) {
    qos_police_action_class_rec *a = police(ctx).rec.actionlist.tail;
    assert(a && !a->next);  // action_value_place: the action just read is the list's last
    a->actionvalue = r.tok;
    return 0;
}

int bitratetype_value(block_reader &r, const keyword_rule &, void *) {
    if (std::strcmp(r.tok, "average") && std::strcmp(r.tok, "peak"))
        return r.fail("Error: Invalid value for BITRATETYPE  %s @%d\n", r.tok, Line);
    return 0;
}

constexpr keyword_rule text_row(const char *name, int mandatory, int maxlen, field_ref field) {
    return {.name = name, .mandatory = mandatory, .maxlen = maxlen, .field = field};
}

constexpr keyword_rule context_row() {
    return {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
            .kind_msg = "Error: Specify CONTEXT within quotes: %s @ %d\n", .repeatable = true, .after = context_check,
            .checks = "a context of the node type, such as `\"BYHOST()\"`"};
}

// REPEATBY, MATCHRULENAME and MATCHRULE stand at a policy's level only.
constexpr char kPolicyLevelOnly[] =
    "a context of the node type; only at the policy level of a QOSPOLICY (a rule written between its DESCRIPTION "
    "and first CLASS), never in a free-standing rule nor in a class";

constexpr char kPolicyLevelMatchRule[] =
    "`MATCHRULE = ( TYPE = ... , VALUE = ... )`, a match written in the list; only at the policy level of a "
    "QOSPOLICY, as MATCHRULENAME";

constexpr keyword_rule repeatby_row(attr_check store) {
    return {.name = "REPEATBY", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
            .kind_msg = "Error: Specify repeatby value within quotes: %s @ %d\n", .before = repeatby_place,
            .after = store, .checks = kPolicyLevelOnly};
}

constexpr keyword_rule action_row(const char *name, int mandatory) {
    return {.name = name, .mandatory = mandatory, .maxlen = 30, .after = new_action, .tag = kLower,
            .checks = "an action; its value, where it takes one, follows as the keyword's ...VALUE"};
}

constexpr keyword_rule action_value_row(const char *name, const char *order_msg) {
    return {.name = name, .maxlen = 30, .kind = value_kind::quoted,
            .kind_msg = "Error: Specify Police Rule action within quotes: %s @ %d\n", .order_msg = order_msg,
            .before = action_value_place, .after = action_value, .checks = "after its action; the action's value"};
}

constexpr keyword_rule matchrulename_row(int maxlen, field_ref field) {
    return {.name = "MATCHRULENAME", .maxlen = maxlen, .field = field, .before = matchrulename_place,
            .after = matchrulename_value,
            .checks = "not with MATCHRULE; a match rule of the node type; only at the policy level of a QOSPOLICY "
                      "(`POLICERULE = ( ... )` or `SHAPERULE = ( ... )` between its DESCRIPTION and first CLASS), "
                      "never in a free-standing rule nor in a class"};
}

constinit keyword_table_of policerules_desctokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(police_desc, rec.policerulename),
         .before = name_global, .checks = "not in a rule written inside a QOSPOLICY"},
        context_row(),
        repeatby_row(police_repeatby),
        text_row("BITRATE", 1, 100, NDL_TEXT(police_desc, rec.bitrate)),
        text_row("BURSTSIZE", 1, 100, NDL_TEXT(police_desc, rec.burstsize)),
        text_row("EXCEEDRATE", 0, 100, NDL_TEXT(police_desc, rec.exceedrate)),
        text_row("VIOLATERATE", 0, 100, NDL_TEXT(police_desc, rec.violaterate)),
        action_row("EXCEEDACTION", 1),
        action_value_row("EXCEEDACTIONVALUE", "Error EXCEEDACTIONVALUE should come immediately after EXCEEDACTION @%d\n"),
        action_row("CONFIRMACTION", 1),
        action_value_row("CONFIRMACTIONVALUE",
                         "Error CONFIRMACTIONVALUE should come immediately after CONFIRMACTION @%d\n"),
        action_row("VIOLATEACTION", 0),
        action_value_row("VIOLATEACTIONVALUE",
                         "Error VIOLATEACTIONVALUE should come immediately after VIOLATEACTION @%d\n"),
        matchrulename_row(30, NDL_TEXT(police_desc, rec.matchrulename)),
        text_row("EXCESSBURSTSIZE", 0, 100, NDL_TEXT(police_desc, rec.excessburstsize)),
        with_entry(token_row("MATCHRULE", TOKEN_GROUP, 100), &match_data_def, kPolicyLevelMatchRule),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "Error: Duplicate token :  %s  @ %d\n"}};

constinit keyword_table_of shaperules_desctokens{
    {
        {.name = "NAME", .maxlen = 100, .field = NDL_TEXT(shape_desc, rec.shaperulename), .before = name_global,
         .checks = "not in a rule written inside a QOSPOLICY"},
        repeatby_row(shape_repeatby),
        context_row(),
        text_row("BITRATE", 0, 100, NDL_TEXT(shape_desc, rec.bitrate)),
        text_row("BURSTSIZE", 0, 100, NDL_TEXT(shape_desc, rec.burstsize)),
        {.name = "BITRATETYPE", .maxlen = 30, .field = NDL_TEXT(shape_desc, rec.bitratetype),
         .after = bitratetype_value, .tag = kLower, .checks = "`average` or `peak`"},
        text_row("SUSTAINEDRATE", 0, 100, NDL_TEXT(shape_desc, rec.sustainedrate)),
        text_row("QUEUELENGTH", 0, 100, NDL_TEXT(shape_desc, rec.queuelength)),
        text_row("EXCESSBURSTSIZE", 0, 100, NDL_TEXT(shape_desc, rec.excessburstsize)),
        matchrulename_row(100, NDL_TEXT(shape_desc, rec.matchrulename)),
        with_entry(token_row("MATCHRULE", TOKEN_GROUP), &match_data_def, kPolicyLevelMatchRule),
        text_row("EXCEEDRATE", 0, 100, NDL_TEXT(shape_desc, rec.excessrate)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "ERROR: Duplicate keyword : '%s' @ %d\n"}};

}  // namespace

const entry_def police_description_def{.keys = &policerules_desctokens};
const entry_def shape_description_def{.keys = &shaperules_desctokens};

namespace {

const rule_texts &texts_of(block_reader &r) { return r.keys == &policerules_desctokens ? kPolice : kShape; }

void free_actions(qos_police_rule_class_rec &rec) {
    for (qos_police_action_class_rec *a = rec.actionlist; a;) {
        qos_police_action_class_rec *next = a->next;
        free_record(a);
        a = next;
    }
    rec.actionlist = nullptr;
}

// A number, a NUMBER variable or a number function; empty values are not
// given and not checked.
bool number_ok(const qos_scope &s, const char *value) {
    return !value[0] || validate_numberfunction(s.domainname, s.nodetype, s.context1, s.context2, s.context3, value);
}

int police_checks(block_reader &r, police_desc &d, int line) {
    qos_police_rule_class_rec &rec = d.rec;
    const qos_scope &s = d.scope;
    char message[kMsgSize];
    if (!validate_qospolicelist(&rec, message)) return r.fail("%s @%d\n", message, Line);
    if (s.embedded) set_foundflag(r.table, "NAME");
    if (!r.check_mandatory("qospoliceruledesc", "Error: Token '%s' not found in POLICERULE block :  @ %d\n", line))
        return 1;
    if (!s.embedded)
        check_rule_name(r, s, rec.policerulename,
                        "WARNING: QOSPOLICERULE '%s' for '%s.%s' has a CONTEXT and does not have any variables in "
                        "the NAME, may cause duplicate entries:  \n");
    if (!number_ok(s, rec.bitrate)) flag_check(r);
    for (const char *value : {rec.burstsize, rec.exceedrate, rec.excessburstsize})
        if (!number_ok(s, value)) {
            flag_check(r);
            return 1;
        }
    if (!number_ok(s, rec.violaterate))
        return r.fail("Error: Expression '%s' for VIOLATERATE in POLICERULE is in wrong format or one of the variable "
                      "is not defined, integer expression expected: @ %d\n\n",
                      rec.violaterate.c_str(), line);
    for (qos_police_action_class_rec *a = rec.actionlist; a; a = a->next) {
        int result = 0;
        if (s.embedded) {
            check_vendor(r, s.level == QOSCLASSPOLICE ? "qosclasspoliceactions" : "qosintpoliceactions", a->action,
                         a->actionvalue, s, line, &result);
        } else {
            // A free-standing rule may be used at either level: it passes
            // when either table takes the action.
            const vendor_value_entry *table = nullptr;
            get_vendorspecific_validation("CISCO", "qosintpoliceactions", &table);
            if (validatecfgvaltypes(table, a->action, a->actionvalue, message, s.domainname, s.nodetype, s.context1,
                                    s.context2, s.context3))
                check_vendor(r, "qosclasspoliceactions", a->action, a->actionvalue, s, line, &result);
        }
        if (result == 1) return 1;
    }
    return 0;
}

int shape_checks(block_reader &r, shape_desc &d, int line) {
    qos_shape_rule_class_rec &rec = d.rec;
    const qos_scope &s = d.scope;
    char message[kMsgSize];
    if (!validate_qosshaperulelist(&rec, message)) r.flag("%s @%d\n", message, Line);
    if (s.embedded) set_foundflag(r.table, "NAME");
    r.check_mandatory("qosshaperuledesc", "Error: Token '%s' not found in SHAPERULE DESCRIPTION block :  @ %d\n",
                      line);
    if (!s.embedded)
        check_rule_name(r, s, rec.shaperulename,
                        "WARNING: QOSSHAPERULE '%s' for '%s.%s' has a CONTEXT and does not have any variables in "
                        "the NAME, may cause duplicate entries:  \n");
    for (const char *value :
         {rec.bitrate, rec.sustainedrate, rec.burstsize, rec.excessburstsize, rec.excessrate, rec.queuelength})
        if (!number_ok(s, value)) {
            flag_check(r);
            return 1;
        }
    return 0;
}

int police_item(block_reader &r, void *ctx) {
    const char *const *q = static_cast<const char *const *>(ctx);
    return extract_policerule_description(r.fp, q[0], q[1], nullptr, 0, QOS_GLOBAL);
}

int shape_item(block_reader &r, void *ctx) {
    const char *const *q = static_cast<const char *const *>(ctx);
    return extract_shaperule_description(r.fp, q[0], q[1], nullptr, 0, QOS_GLOBAL);
}

}  // namespace

namespace {
// Indexed: every rule and class looks rules up by name.
using P = qos_police_rule_class_rec;
using S = qos_shape_rule_class_rec;
lookup::keyed_index<P, &P::domainname, &P::nodetype, &P::policerulename, &P::sequence> police_by_name(
    prpoliceruledesclist);
lookup::keyed_index<S, &S::domainname, &S::nodetype, &S::shaperulename, &S::sequence> shape_by_name(
    prshaperuledesclist);
}  // namespace

int policerule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence) {
    return police_by_name.find(domainname, nodetype, name, sequence) ? 1 : 0;
}

int shaperule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence) {
    return shape_by_name.find(domainname, nodetype, name, sequence) ? 1 : 0;
}

int validate_qospolicelist(const qos_police_rule_class_rec *rule, char *message) {
    const char *text = !rule->policerulename[0] ? "Error: police rule name not mentioned "
                       : !rule->bitrate[0]      ? "Error: BITRATE not mentioned "
                       : !rule->burstsize[0]    ? "Error: BURSTSIZE not mentioned "
                                                : nullptr;
    return rule_verdict(*rule, &P::policerulename, policerule_exists, text,
                        "Error: duplicate or multiple qos police rule %s ", message);
}

int validate_qosshaperulelist(const qos_shape_rule_class_rec *rule, char *message) {
    return rule_verdict(*rule, &qos_shape_rule_class_rec::shaperulename, shaperule_exists, nullptr,
                        "Error: duplicate qos shape rule %s ", message);
}

int extract_policerule_description(FILE *fp, const char *domainname, const char *nodetype,
                                   const qos_police_rule_class_rec *tmpl, int embedded, qos_level kind) {
    police_desc d{};
    if (embedded) {
        d.rec = *tmpl;
        d.rec.actionlist = nullptr;
    } else {
        global_rule(d.rec, domainname, nodetype);
    }
    d.scope = scope_of(d.rec, embedded, kind);
    int line = Line;
    block_reader r(fp, *police_description_def.keys);
    if (read_rule_list(r, &d, police_matchrule) || police_checks(r, d, line)) {
        free_actions(d.rec);
        return 1;
    }
    auto *added = alloc_record<qos_police_rule_class_rec>();
    *added = d.rec;
    prpoliceruledesclist.append(added);
    return 0;
}

int extract_shaperule_description(FILE *fp, const char *domainname, const char *nodetype,
                                  const qos_shape_rule_class_rec *tmpl, int embedded, qos_level kind) {
    shape_desc d{};
    if (embedded) {
        d.rec = *tmpl;
    } else {
        global_rule(d.rec, domainname, nodetype);
    }
    d.rec.bitratetype = "AVERAGE";
    d.scope = scope_of(d.rec, embedded, kind);
    int line = Line;
    block_reader r(fp, *shape_description_def.keys);
    if (read_rule_list(r, &d, shape_matchrule) || shape_checks(r, d, line)) return 1;
    auto *added = alloc_record<qos_shape_rule_class_rec>();
    *added = d.rec;
    prshaperuledesclist.append(added);
    return 0;
}

namespace {
constinit keyword_table_of policerulestokens{qos_rule_block_rows(&police_description_def).rows};
constinit keyword_table_of shaperulestokens{qos_rule_block_rows(&shape_description_def).rows};
}  // namespace

int parse_qospolicerules(FILE *fp, FILE *, const char *) {
    return rule_block(fp, policerulestokens, police_item, "qospolicerule",
                      "Error: Token '%s' not found in POLICERULE block :  @ %d\n", 1);
}

int parse_qosshaperules(FILE *fp, FILE *, const char *) {
    return rule_block(fp, shaperulestokens, shape_item, "qosshaperule",
                      "Error: Token '%s' not found in SHAPERULE block :  @ %d\n", 1);
}

namespace {

// The actions as the check above reads them: a rule inside a policy by its
// level's table, a free-standing one by either.
void police_lists(reference_out &out) {
    out.text("EXCEEDACTION, CONFIRMACTION and VIOLATEACTION, and what the ...ACTIONVALUE after each takes. "
             "A rule inside a QOSPOLICY class is held to the class's list, one at the policy level to the "
             "policy's, a free-standing rule to either. At the policy level:");
    write_vendor_list(out, "qosintpoliceactions", "action");
    out.text("In a class:");
    write_vendor_list(out, "qosclasspoliceactions", "action");
    for (const char *table : {"qosintpoliceactions", "qosclasspoliceactions"})
        out.example(vendor_example(table, "QOSPOLICERULES NORTH.PE BEGIN\n"
                                          "  DESCRIPTION = ( NAME = EXAMPLE , BITRATE = 2000000 , BURSTSIZE = 375000 ,\n"
                                          "                  CONFIRMACTION = %1 , EXCEEDACTION = drop )\n"
                                          "END\n"));
    out.text("A police match (MATCHRULE, or the rule MATCHRULENAME names, of USAGE `POLICERULE`) takes these TYPEs:");
    write_vendor_list(out, "qosintpolicematchtypes", "TYPE");
}

constexpr block_unique qospolice_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSPOLICERULES block of it)",
     .message = "Error: duplicate or multiple qos police rule %s "},
};
constexpr block_unique qosshape_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSSHAPERULES block of it)",
     .message = "Error: duplicate qos shape rule %s "},
};

const block_doc qospolice_doc = with_lists(
    with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                               "QOSPOLICERULES NORTH.PE BEGIN\n"
                               "  DESCRIPTION = ( NAME = LIMIT , BITRATE = 2000000 , BURSTSIZE = 375000 ,\n"
                               "                  CONFIRMACTION = transmit , EXCEEDACTION = drop )\n"
                               "END\n"),
                qospolice_unique),
    police_lists);
const block_doc qosshape_doc = with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                          "QOSSHAPERULES NORTH.PE BEGIN\n"
                                                          "  DESCRIPTION = ( NAME = SHAPE )\n"
                                                          "END\n"),
                                           qosshape_unique);

}  // namespace

block_keys qospolicerules_keys() { return {&policerulestokens, nullptr, &qospolice_doc}; }
block_keys qosshaperules_keys() { return {&shaperulestokens, nullptr, &qosshape_doc}; }
