// QOSPOLICY: the quality-of-service policies of a node type. Each policy is
// a DESCRIPTION followed by its policy-level rules, its own access lists and
// its numbered CLASS lists; the rules are read by the rule readers in their
// embedded mode, under names generated from the run's policy count.
#include <cstring>

#include "lookup.h"
#include "policy_blocks.h"
#include "registry.h"
#include "validations.h"

namespace {

const value_table QOSQueuetypes[] = {"CLASS-BASED", "PRIORITY", "CUSTOM", ""};
const value_table Direction[] = {"in", "out", ""};

// ---------------------------------------------------------- description

struct policy_desc {
    qos_scope scope;
    qos_policy_class_rec rec;
};

int direction_value(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(Direction, r.tok)) return r.fail("ERROR: Invalid value for DIRECTION: '%s' @ %d\n", r.tok, Line);
    return 0;
}

int queuetype_value(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(QOSQueuetypes, r.tok)) return r.fail("ERROR: Wrong value for QUEUETYPE: '%s' @ %d\n", r.tok, Line);
    return 0;
}

int not_an_attribute(block_reader &r, void *) { return r.fail("invalid attribute in variable list @%d\n", Line); }

constinit keyword_table_of QOSpolicies_desctokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(policy_desc, rec.policyname)},
        {.name = "OWNER", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(policy_desc, rec.owner)},
        {.name = "QUEUEGROUPNAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(policy_desc, rec.classrulename)},
        {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "Error: Specify CONTEXT within quotes: %s @ %d\n", .repeatable = true, .after = context_check,
         .checks = "a context of the node type, such as `\"BYHOST()\"`"},
        {.name = "DIRECTION", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(policy_desc, rec.direction),
         .after = direction_value, .tag = kLower, .checks = "`in` or `out`"},
        {.name = "USAGE", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(policy_desc, rec.usage1), .upper = true},
        {.name = "QUEUETYPE", .maxlen = 30, .field = NDL_TEXT(policy_desc, rec.queuetype), .upper = true,
         .after = queuetype_value, .checks = "`CLASS-BASED`, `PRIORITY` or `CUSTOM`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle,
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .other = not_an_attribute,
     .others = "Any other word is refused with \"invalid attribute in variable list\"."}};

const entry_def policy_description_def{.keys = &QOSpolicies_desctokens};

using Q = qos_policy_class_rec;
lookup::keyed_index<Q, &Q::domainname, &Q::nodetype, &Q::policyname> policy_by_name(prqospolicydesclist);
lookup::keyed_index<Q, &Q::domainname, &Q::nodetype, &Q::classrulename> policy_by_group(prqospolicydesclist);
lookup::lowest_free<Q, &Q::policyid, &Q::domainname, &Q::nodetype> free_policyid(prqospolicydesclist);

// Duplicates and the variables of the names: 1 ok, 0 reported. Sub-queues
// are read back by their queue group name alone, so one name serves one
// policy of a node type whatever its queue type: a second policy of that
// name would get the first one's classes at every reload.
int validate_policydesc(block_reader &r, const qos_policy_class_rec &rec) {
    if (policy_by_name.find(rec.domainname, rec.nodetype, rec.policyname) ||
        policy_by_group.find(rec.domainname, rec.nodetype, rec.classrulename)) {
        r.fail("Error: duplicate QOSPOLICY description: '%s' @ %d\n ", rec.policyname.c_str(), Line);
        return 0;
    }
    int type = 0;
    if (!validate_commandvar(rec.domainname, rec.nodetype, rec.context1, rec.context2, rec.context3,
                             rec.classrulename, &type)) {
        flag_check(r);
        return 0;
    }
    if (!g_varused && rec.context1[0] && !is_ifcontext(rec.context1))
        logmsg("WARNING: QOSPolicy '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
               "QUEUEGROUPNAME, may cause duplicate entries: @ %d \n",
               rec.classrulename.c_str(), rec.domainname.c_str(), rec.nodetype.c_str(), Line);
    if (!validate_commandvar(rec.domainname, rec.nodetype, rec.context1, rec.context2, rec.context3, rec.owner,
                             &type)) {
        flag_check(r);
        return 0;
    }
    return 1;
}

// The lowest id from 1 that no policy of the node type holds. The list is
// emptied before a QOS section and every policy takes the next id, so the
// ids of a node type are 1, 2, ... without a gap.
int32_t next_policyid(const qos_policy_class_rec &rec) { return free_policyid.get(rec.domainname, rec.nodetype); }

// One DESCRIPTION list, from its "=" to its ")": the policy appended and
// handed back.
int extract_QOSPolicy_description(FILE *fp, const char *domainname, const char *nodetype, int mandatory,
                                  qos_policy_class_rec **out) {
    policy_desc d{};
    qos_policy_class_rec &rec = d.rec;
    store_text(rec.domainname, domainname, kText - 1);
    store_text(rec.nodetype, nodetype, kText - 1);
    rec.queuetype = "INTPOLICY";
    rec.owner = " ";
    rec.direction = " ";
    rec.usage1 = " ";
    rec.mandatory = mandatory;
    d.scope = scope_of(rec);
    int line = Line;

    block_reader r(fp, *policy_description_def.keys);
    if (read_rule_list(r, &d, nullptr)) return 1;
    if (!r.check_mandatory("qospolicydesc", "ERROR: Token '%s' not found in QOSMARKRULES @ %d\n", line)) return 1;
    if (!validate_policydesc(r, rec)) return 1;
    rec.policyid = next_policyid(rec);
    // Both columns of the table are the direction for a parsed policy.
    rec.usage2 = rec.direction;
    auto *added = alloc_record<qos_policy_class_rec>();
    *added = rec;
    prqospolicydesclist.append(added);
    *out = added;
    return 0;
}

// ---------------------------------------------------------- rules

struct rule_words {
    const char *rule;   // the keyword that embeds one (none for drop rules)
    const char *named;  // the keyword that names one
    const char *both;
    const char *multiple;
    const char *missing;
    int (*exists)(const char *domainname, const char *nodetype, const char *name, int32_t sequence);
};

const rule_words kWords[QOS_RULE_KINDS] = {
    {"MARKRULE", "MARKRULENAME",
     "ERROR: Both MARKRULE and MARKRULENAME cannot be given for same Policy or Class: '%s' @ %d\n",
     "ERROR:Multiple MARKRULENAME or both MARKRULE and MARKRULENAME cannot be given for same Policy or Class: '%s' "
     "@ %d\n",
     "Error: MARKRULENAME %s referred by QOSPOLICY Description @%d is missing\n", markrule_exists},
    {"POLICERULE", "POLICERULENAME",
     "ERROR:Both POLICERULE and POLICERULENAME cannot be given for same Policy or Class: '%s' @ %d\n",
     "ERROR:Multiple POLICERULENAME or both POLICERULE and POLICERULENAME cannot be given for same Policy or "
     "Class: '%s' @ %d\n",
     "Error: POLICERULENAME %s referred by QOSPOLICY Description @%d is missing\n", policerule_exists},
    {"SHAPERULE", "SHAPERULENAME",
     "ERROR:Both SHAPERULE and SHAPERULENAME cannot be given for same Policy or Class: '%s' @ %d\n",
     "ERROR:Multiple SHAPERULENAME or both SHAPERULE and SHAPERULENAME cannot be given for same Policy or "
     "Class: '%s' @ %d\n",
     "Error: SHAPERULE %s referred by QOSPOLICY Description @%d is missing\n", shaperule_exists},
    {nullptr, "DROPRULENAME", nullptr, "ERROR:Multiple drop rules cannot be given for same Policy or Class: '%s' @ %d\n",
     "Error: DROPRULENAME %s referred by QOSPOLICY Description @%d is missing\n", droprule_exists},
};

// The record an embedded rule starts from: the policy's names and
// contexts, the site's owner, usage and repeatby.
template <class Rule>
Rule rule_template(const qos_rule_site &site, text_field<kText> Rule::*name, int32_t sequence) {
    const qos_policy_class_rec &p = *site.policy;
    Rule t{};
    copy_scope(t, p);
    t.owner = site.owner;
    t.usage1 = site.usage1;
    t.usage2 = p.direction;
    t.repeatby = site.repeatby;
    t.*name = site.name;
    t.sequence = sequence;
    return t;
}

int read_embedded(block_reader &r, const qos_rule_site &site, int kind, int32_t sequence) {
    bool policy_level = site.level == 1;
    if (kind == QOS_MARK) {
        auto t = rule_template(site, &qos_mark_rule_class_rec::markrulename, sequence);
        return extract_markrule_description(r.fp, t.domainname, t.nodetype, &t, 1);
    }
    if (kind == QOS_POLICE) {
        auto t = rule_template(site, &qos_police_rule_class_rec::policerulename, sequence);
        return extract_policerule_description(r.fp, t.domainname, t.nodetype, &t, 1,
                                              policy_level ? QOSINTPOLICE : QOSCLASSPOLICE);
    }
    auto t = rule_template(site, &qos_shape_rule_class_rec::shaperulename, sequence);
    return extract_shaperule_description(r.fp, t.domainname, t.nodetype, &t, 1,
                                         policy_level ? QOSINTSHAPE : QOSCLASSSHAPE);
}

// ---------------------------------------------------------- the block

struct policy_block {
    char domainname[kName];
    char nodetype[kName];
    int mandatory;
    qos_policy_class_rec *policy;  // the current one
    int expected;                  // the next CLASS number
    bool classes;                  // a class of it was read
    int counts[3];                 // running mark, police and shape counts
    char name[kText];              // "%d-plcy-%s"
    qos_rule_site site;
};

policy_block &block_of(void *rec) { return *static_cast<policy_block *>(rec); }

// ---- the keywords the block's own code reads: each row's step, the value
// (or the group's first token) in r.tok ----

int start_policy(block_reader &r, const keyword_rule &, void *rec) {
    policy_block &b = block_of(rec);
    qos_policy_class_rec *p = nullptr;
    if (extract_QOSPolicy_description(r.fp, b.domainname, b.nodetype, b.mandatory, &p)) return 1;
    b.policy = p;
    g_policyname = p->classrulename;
    b.expected = 1;
    b.classes = false;
    b.counts[0] = b.counts[1] = b.counts[2] = 1;
    ++policynumber;
    std::snprintf(b.name, sizeof b.name, "%d-plcy-%.100s", policynumber, p->classrulename.c_str());
    b.site = qos_rule_site{p, 1, p->classrulename, "POLICY", " ", b.name,
                           {p->markrule, p->policerule, p->shaperule, p->droprule}, {}, b.counts};
    return 0;
}

int read_class(block_reader &r, const keyword_rule &, void *rec) {
    policy_block &b = block_of(rec);
    if (!b.policy) return r.fail("Error: Description needs to be given before class @%d\n", Line);
    int32_t number = 0;
    if (read_numbered(r, b.expected, "Error: class in Qospolicy rule do not follow the proper sequence: %d %s @ %d\n",
                      &number))
        return 1;
    if (extract_QOSPolicy_class(r.fp, b.policy, number, b.counts)) return 1;
    ++b.expected;
    b.classes = true;
    return 0;
}

int take_accesslist(block_reader &r, const keyword_rule &, void *rec) {
    policy_block &b = block_of(rec);
    if (!b.policy || b.classes)
        return r.fail("Error: ACCESSLIST should be given only between POLICY DESCRIPTION and CLASS @%d\n", Line);
    r.push_back();
    return extract_policy_acl(r.fp, *b.policy);
}

int take_droptype(block_reader &r, const keyword_rule &, void *rec) {
    policy_block &b = block_of(rec);
    if (!b.policy) return r.fail("Error: Invalid Attribute @%d\n", Line);
    return attach_droptype(r, b.site, scope_of(*b.policy));
}

// A keyword of the table: its own step, else a rule of the policy level.
int policy_item(block_reader &r, void *ctx) {
    policy_block &b = *static_cast<policy_block *>(ctx);
    char keyword[kTokenSize];
    std::memcpy(keyword, r.tok, sizeof keyword);
    bool attribute = r.kind == TOKEN_ATTRIBUTE;
    if (attribute) {
        if (!r.expect("=", "Error: Invalid syntax '=' expected @ %d\n", false)) return 1;
        r.read();
    }
    const keyword_rule *row = r.keys->row(keyword);
    if (row->after) return row->after(r, *row, &b);
    // The rules of the policy level stand before its first class.
    if (!b.policy || b.classes) return r.fail("ERROR: Invalid Attribute @%d\n", Line);
    if (attribute && std::strlen(r.tok) > static_cast<size_t>(row->maxlen)) return r.fail(kQosTooLong, r.tok, Line);
    return extract_commonqosdata(r, keyword, attribute ? r.tok : "", b.site);
}

constexpr char kPolicyRuleName[] =
    "`= name`, between the policy's DESCRIPTION and its first CLASS: a rule of that kind for the node type";

constinit keyword_table_of QOSpoliciesrulestokens{{
    token_row("BEGIN", TOKEN_BEGIN),
    with_entry(read_by(token_row("DESCRIPTION", TOKEN_GROUP, 0), start_policy), &policy_description_def,
               "`DESCRIPTION = ( ... )`: it opens a policy, to which the keywords after it belong"),
    with_entry(read_by(token_row("CLASS", TOKEN_GROUP), read_class), &qos_class_def,
               "`CLASS # n = ( ... )`, after the DESCRIPTION: the policy's classes numbered 1, 2, 3 in order"),
    with_entry(read_by(token_row("ACCESSLIST", TOKEN_GROUP), take_accesslist), &qos_access_def,
               "`ACCESSLIST = ( ... )` and its `FORMAT = ( ... )` entries, as many lists as needed, between the "
               "policy's DESCRIPTION and its first CLASS. Such a list serves only the matches written in the "
               "policy (a class's MATCHRULE): a QOSMATCHRULES block names the lists of ACCESSLIST blocks"),
    read_by(with_checks(token_row("DROPTYPE", TOKEN_ATTRIBUTE, 30), "`= value`, after a DESCRIPTION"), take_droptype),
    with_checks(token_row("MARKRULENAME", TOKEN_ATTRIBUTE, 100), kPolicyRuleName),
    with_checks(token_row("POLICERULENAME", TOKEN_ATTRIBUTE, 100), kPolicyRuleName),
    with_checks(token_row("SHAPERULENAME", TOKEN_ATTRIBUTE, 100), kPolicyRuleName),
    with_checks(token_row("DROPRULENAME", TOKEN_ATTRIBUTE, 100), kPolicyRuleName),
    with_entry(token_row("POLICERULE", TOKEN_GROUP, 100), &police_description_def,
               "`POLICERULE = ( ... )`, a police rule written between the policy's DESCRIPTION and its first CLASS"),
    with_entry(token_row("SHAPERULE", TOKEN_GROUP, 100), &shape_description_def,
               "`SHAPERULE = ( ... )`, a shape rule written between the policy's DESCRIPTION and its first CLASS"),
    token_row("#", TOKEN_HASH),
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
    token_row("END", TOKEN_END),
}};

// g_policyname names the current policy only while its block is read.
struct policy_name_scope {
    ~policy_name_scope() { g_policyname = ""; }
};

}  // namespace

int attach_droptype(block_reader &r, qos_rule_site &site, const qos_scope &scope) {
    if (site.out[QOS_DROP][0]) return r.fail("ERROR: Drop rule redefinition: @ %d\n", Line);
    if (std::strlen(r.tok) > 30) return r.fail(kQosTooLong, r.tok, Line);
    converttocap(r.tok, r.tok, sizeof r.tok);
    int result = 0;
    check_vendor(r, "qosdroptypes", r.tok, "", scope, Line, &result);
    if (result) return 1;
    const qos_policy_class_rec &p = *site.policy;
    if (!setdroptype(r.tok, p.domainname, p.nodetype, p.context1, p.context2, p.context3, site.owner, site.usage1,
                     p.direction, site.name)) {
        flag_check(r);
        return 1;
    }
    site.out[QOS_DROP].set(site.name);
    return 0;
}

int extract_commonqosdata(block_reader &r, const char *keyword, const char *value, qos_rule_site &site) {
    const qos_policy_class_rec &p = *site.policy;
    for (int k = 0; k < QOS_RULE_KINDS; ++k) {
        const rule_words &w = kWords[k];
        text_ref out = site.out[k];
        if (w.rule && !std::strcmp(keyword, w.rule)) {
            if (k == QOS_MARK && site.level == 1) return r.fail("ERROR: Invalid token: '%s' @ %d\n", keyword, Line);
            // A rule named by its ...RULENAME keyword is the one rule of
            // its kind here.
            if (site.named[k]) return r.fail(w.both, keyword, Line);
            // A class polices once: its police rule is always the first.
            bool single = k == QOS_POLICE && site.level == 2;
            if (read_embedded(r, site, k, single ? 1 : site.counts[k])) return 1;
            if (!single) ++site.counts[k];
            out.set(site.name);
            return 0;
        }
        if (!std::strcmp(keyword, w.named)) {
            if (out[0]) return r.fail(w.multiple, value, Line);
            if (!w.exists(p.domainname, p.nodetype, value, 1)) return r.fail(w.missing, value, Line);
            out.set(value);
            site.named[k] = true;
            return 0;
        }
    }
    return r.fail("ERROR: Unknown attribute : '%s' @ %d\n", keyword, Line);
}

int parse_qospolicy(FILE *fp, FILE *, const char *) {
    policy_name_scope clear_on_exit;
    block_reader r(fp, QOSpoliciesrulestokens);
    policy_block b{};
    if (read_rule_qualifier(r, b.domainname, b.nodetype)) return 1;
    r.read_upper();
    if (r.is("M")) {
        b.mandatory = 1;
    } else if (!r.is("O")) {
        r.flag("Error: M or O needs to be specified for qospolicy @%d\n", Line);
        // Without the word, BEGIN stands in its place.
        if (r.kind == TOKEN_BEGIN) r.push_back();
    }
    if (!r.expect("BEGIN", "Error: Keyword 'BEGIN' expected : %s @%d\n")) return 1;
    return read_rule_items(r, policy_item, &b);
}

namespace {

void qospolicy_lists(reference_out &out) {
    class_usage_lists(out);
    out.text("DROPTYPE, at the policy level or in a class, is one of these (in any case, stored upper case):");
    write_vendor_list(out, "qosdroptypes", "drop type");
    out.example(vendor_example("qosdroptypes",
                               "QOSPOLICY NORTH.PE M BEGIN\n"
                               "  DESCRIPTION = ( NAME = EXAMPLE , OWNER = \"NORTH\" , QUEUEGROUPNAME = EXAMPLE ,\n"
                               "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
                               "  CLASS # 1 = ( NAME = DEFAULT , DROPTYPE = %1 )\n"
                               "END\n"));
}

// A policy of one class, and the policies its rows add after it.
constexpr char kOnePolicy[] = "QOSPOLICY NORTH.PE M BEGIN\n"
                              "  DESCRIPTION = ( NAME = GOLD , OWNER = \"NORTH\" , QUEUEGROUPNAME = GOLD-Q ,\n"
                              "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
                              "  CLASS # 1 = ( NAME = DEFAULT )\n"
                              "END\n";
constexpr char kPolicyClass[] = "  CLASS # 1 = ( NAME = DEFAULT )\n";
constexpr char kPolicyDuplicate[] = "Error: duplicate QOSPOLICY description: '%s' @ %d\n ";
// One rule of a kind, named or written, at the policy's level or in a
// class: `again` names the rule of `needs` twice at the policy's level.
constexpr block_unique rule_name_row(const rule_words &w, const char *what, const char *again, const char *needs) {
    return {.what = what,
            .within = "the policy's level, or a class", .message = w.multiple,
            .part = "QUEUETYPE = CLASS-BASED )\n", .again = again, .example = kOnePolicy, .needs = needs};
}

constexpr block_unique qospolicy_unique[] = {
    {.what = "A DESCRIPTION's NAME", .within = "the node type (every QOSPOLICY block of it)",
     .message = kPolicyDuplicate, .part = kPolicyClass,
     .again = "  DESCRIPTION = ( NAME = GOLD , OWNER = \"NORTH\" , QUEUEGROUPNAME = SILVER-Q ,\n"
              "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
              "  CLASS # 1 = ( NAME = DEFAULT )\n",
     .example = kOnePolicy},
    {.what = "A DESCRIPTION's QUEUEGROUPNAME", .within = "the node type (every QOSPOLICY block of it)",
     .message = kPolicyDuplicate, .part = kPolicyClass,
     .again = "  DESCRIPTION = ( NAME = SILVER , OWNER = \"NORTH\" , QUEUEGROUPNAME = GOLD-Q ,\n"
              "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
              "  CLASS # 1 = ( NAME = DEFAULT )\n",
     .example = kOnePolicy,
     .means = "the name it quotes is the NAME of the second policy, although its QUEUEGROUPNAME is the one shared"},
    {.what = "A CLASS's NAME", .within = "the policy", .message = "ERROR: Duplicate class : '%s' @ %d\n",
     .part = kPolicyClass, .again = "  CLASS # 2 = ( NAME = DEFAULT )\n", .example = kOnePolicy},
    {.what = "DROPTYPE, after a DROPTYPE or DROPRULENAME (in a class a second DROPTYPE is a repeated keyword)",
     .within = "the policy's level, or a class", .message = "ERROR: Drop rule redefinition: @ %d\n",
     .part = "QUEUETYPE = CLASS-BASED )\n", .again = "  DROPTYPE = RED\n  DROPTYPE = RED\n", .example = kOnePolicy},
    rule_name_row(kWords[QOS_MARK], "MARKRULENAME (one mark rule, named or written as MARKRULE)", "  MARKRULENAME = MARK\n  MARKRULENAME = MARK\n", "QOSMARKRULES"),
    rule_name_row(kWords[QOS_POLICE], "POLICERULENAME (one police rule, named or written as POLICERULE)",
                  "  POLICERULENAME = LIMIT\n  POLICERULENAME = LIMIT\n", "QOSPOLICERULES"),
    rule_name_row(kWords[QOS_SHAPE], "SHAPERULENAME (one shape rule, named or written as SHAPERULE)",
                  "  SHAPERULENAME = SHAPE\n  SHAPERULENAME = SHAPE\n", "QOSSHAPERULES"),
    rule_name_row(kWords[QOS_DROP], "DROPRULENAME (one drop rule, named or given by DROPTYPE)", "  DROPRULENAME = WRED\n  DROPRULENAME = WRED\n", "QOSDROPRULES"),
};

const block_doc qospolicy_doc = with_lists(with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                                                      "QOSPOLICY NORTH.PE M BEGIN\n"
                                                                      "END\n"),
                                                       qospolicy_unique),
                                           qospolicy_lists);

}  // namespace

block_keys qospolicy_keys() { return {&QOSpoliciesrulestokens, nullptr, &qospolicy_doc}; }
