// The CLASS lists of a QOSPOLICY: one sub-queue each, with its queue
// attributes, its match rule (named or embedded) and, in a CLASS-BASED
// policy, its own mark, police, shape and drop rules.
#include <cstring>
#include <string>

#include "lookup.h"
#include "policy_blocks.h"
#include "registry.h"
#include "validations.h"

namespace {

// The classes of each policy, by name.
lookup::sub_index<qos_policy_class_rec, qos_sub_queue_class_rec, &qos_policy_class_rec::subqueuelist,
                  &qos_sub_queue_class_rec::subqueuename>
    classes_of_policy(prqospolicydesclist);

const char kClassBasedRules[] =
    "ERROR: 'POLICERULE, SHAPERULE, MARKRULE, DROPRULE' can be given to only queuetype 'CLASS-BASED': @ %d\n";
// The USAGE of the match rule that a class's own MATCHRULE entries build,
// whatever its policy's QUEUETYPE.
const char kInlineMatchUsage[] = "CLASS";
const value_table BandwidthTypes[] = {"PERCENT", "ABSOLUTE", ""};
const value_table QueuePriorities[] = {"HIGH", "MEDIUM", "NORMAL", "LOW", ""};

struct class_desc {
    qos_scope scope;  // the policy's names and contexts
    qos_sub_queue_class_rec rec;
    qos_policy_class_rec *policy;
    int number;
    const char *usage;       // of the match rules a class refers to
    bool rules;              // a keyword that makes a rule of the class was met
    bool name_has_variable;  // the class NAME holds a variable
    qos_match_rule_class_rec *match;
    char name[kText];  // "%d-%s-cl-%d": the rules made in the class
    qos_rule_site site;
};

class_desc &cls(void *ctx) { return *static_cast<class_desc *>(ctx); }

bool is_type(const class_desc &c, const char *queuetype) { return !std::strcmp(c.policy->queuetype, queuetype); }

// What a class's own rules take as their repeatby: the class's, when given.
qos_rule_site &site_now(class_desc &c) {
    c.site.repeatby = c.rec.repeatby[0] ? c.rec.repeatby : " ";
    return c.site;
}

int name_first(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (cls(ctx).rules)
        return r.fail("ERROR: token '%s' should be given before 'POLICERULE', 'SHAPERULE', 'DROPRULE', 'MATCHRULE', "
                      "'MARKRULE': @ %d\n",
                      rule.name, Line);
    return 0;
}

int name_value(block_reader &r, const keyword_rule &, void *ctx) {
    class_desc &c = cls(ctx);
    const qos_scope &s = c.scope;
    int type = 0;
    if (!validate_commandvar(s.domainname, s.nodetype, s.context1, s.context2, s.context3, r.tok, &type)) {
        flag_check(r);
        return 1;
    }
    c.name_has_variable = g_varused != 0;
    if (!casestrcmp(r.tok, "DEFAULT")) {
        if (!is_type(c, "CLASS-BASED"))
            return r.fail("ERROR: 'DEFAULT' can be given to only queuetype 'CLASS-BASED': @ %d\n", Line);
        c.rec.isdefault = 1;
    }
    return 0;
}

int class_based_only(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (!is_type(cls(ctx), "CLASS-BASED"))
        return r.fail("ERROR: '%s' can be given to only queuetype 'CLASS-BASED': @ %d\n", rule.name, Line);
    return 0;
}

int bytes_place(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (!is_type(cls(ctx), "CLASS-BASED") && !is_type(cls(ctx), "CUSTOM"))
        return r.fail("ERROR: '%s' can be given to only queuetype 'CLASS-BASED' or 'CUSTOM': @ %d\n", rule.name, Line);
    return 0;
}

int priority_place(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (!is_type(cls(ctx), "PRIORITY"))
        return r.fail("ERROR: '%s' can be given to only queuetype 'PRIORITY': @ %d\n", rule.name, Line);
    return 0;
}

int fairqueue_place(block_reader &r, const keyword_rule &rule, void *ctx) {
    if (!is_type(cls(ctx), "CLASS-BASED") || !cls(ctx).rec.isdefault)
        return r.fail("ERROR: '%s' can be given to only to 'DEFAULT' queuetype 'CLASS-BASED': @ %d\n", rule.name,
                      Line);
    return 0;
}

int number_value(block_reader &r, const keyword_rule &, void *ctx) {
    const qos_scope &s = cls(ctx).scope;
    if (!validate_numberfunction(s.domainname, s.nodetype, s.context1, s.context2, s.context3, r.tok)) {
        flag_check(r);
        return 1;
    }
    return 0;
}

int bandwidthtype_value(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(BandwidthTypes, r.tok))
        return r.fail("Error: Bandwidth type can only be either ABSOLUTE or PERCENT @%d\n", Line);
    return 0;
}

int priority_value(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(QueuePriorities, r.tok))
        return r.fail("Error: QUEUEPRIORITY can be either high,medium,low,normal @%d\n", Line);
    return 0;
}

int droptype_value(block_reader &r, const keyword_rule &, void *ctx) {
    class_desc &c = cls(ctx);
    c.rules = true;
    return attach_droptype(r, site_now(c), c.scope);
}

int matchrulename_place(block_reader &r, const keyword_rule &, void *ctx) {
    if (cls(ctx).rec.isdefault) return r.fail("ERROR: MATCHRULENAME cannot be given for default class: @ %d\n", Line);
    if (r.keys->found("MATCHRULE"))
        return r.fail("ERROR: MATCHRULENAME cannot be given along with MATCHRULE: @ %d\n", Line);
    return 0;
}

int matchrulename_value(block_reader &r, const keyword_rule &, void *ctx) {
    const class_desc &c = cls(ctx);
    const qos_scope &s = c.scope;
    if (!matchrule_exists(s.domainname, s.nodetype, r.tok, 1))
        return r.fail("Error: MATCHRULE %s @%d referred by CLASS in QOSPOLICY is missing \n", r.tok, Line);
    validate_matchusage(r.tok, s.domainname, s.nodetype, c.usage);
    return 0;
}

int rulename_place(block_reader &r, const keyword_rule &, void *ctx) {
    if (!is_type(cls(ctx), "CLASS-BASED")) return r.fail(kClassBasedRules, Line);
    return 0;
}

int rulename_value(block_reader &r, const keyword_rule &rule, void *ctx) {
    return extract_commonqosdata(r, rule.name, r.tok, site_now(cls(ctx)));
}

int repeatby_value(block_reader &r, const keyword_rule &, void *ctx) {
    return take_repeatby(r, cls(ctx).scope, cls(ctx).rec.repeatby);
}

// The first MATCHRULE makes the class's match rule; each reads one entry.
int class_matchrule(block_reader &r, class_desc &c) {
    if (c.rec.isdefault) return r.fail("ERROR: MATCHRULE cannot be given for default class: @ %d\n", Line);
    if (r.keys->found("MATCHRULENAME"))
        return r.fail("ERROR: MATCHRULE cannot be given along with MATCHRULENAME: @ %d\n", Line);
    if (!r.keys->found("NAME")) return r.fail("Error: class name should be given before giving match rules @%d\n", Line);
    c.rules = true;
    if (!c.match) {
        const qos_policy_class_rec &p = *c.policy;
        qos_match_rule_class_rec t{};
        copy_scope(t, p);
        if (is_type(c, "CLASS-BASED"))
            t.matchrulename.format("%.100s-%d-%d", c.rec.subqueuename.c_str(), p.policyid, c.number);
        else
            t.matchrulename = c.name;
        t.owner = c.rec.subqueuename;
        t.usage1 = kInlineMatchUsage;
        t.usage2 = p.direction;
        t.repeatby = site_now(c).repeatby;
        c.match = add_embedded_matchrule(t);
        c.rec.matchrule = c.match->matchrulename;
        c.rec.matchdnf = 1;
    }
    return extract_matchdata(r.fp, c.match);
}

int take_matchrule(block_reader &r, const keyword_rule &, void *ctx) { return class_matchrule(r, cls(ctx)); }

int class_group(block_reader &r, void *ctx) {
    class_desc &c = cls(ctx);
    if (const keyword_rule *row = own_row(r)) return row->after(r, *row, ctx);
    if (!is_type(c, "CLASS-BASED")) return r.fail(kClassBasedRules, Line);
    c.rules = true;
    char keyword[kTokenSize];
    std::memcpy(keyword, r.tok, sizeof keyword);
    return extract_commonqosdata(r, keyword, "", site_now(c));
}

// A class keyword with a value.
constexpr keyword_rule class_row(const char *name, int maxlen, field_ref field, attr_check before,
                                 attr_check after, bool upper, const char *checks) {
    return {.name = name, .maxlen = maxlen, .field = field, .upper = upper, .before = before, .after = after,
            .checks = checks};
}
constexpr char kClassNumber[] = "a number, or a numeric function of the node type";
constexpr char kClassRule[] = "in a CLASS-BASED policy: a rule of that kind for the node type";

constinit keyword_table_of QOSpolicies_classtokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 100, .field = NDL_TEXT(class_desc, rec.subqueuename),
         .before = name_first, .after = name_value,
         .checks = "first in the class; `DEFAULT` only for a CLASS-BASED queue"},
        class_row("BANDWIDTH", 100, NDL_TEXT(class_desc, rec.queuebandwidth), class_based_only, number_value, false,
                  "in a CLASS-BASED policy: a number, or a numeric function of the node type"),
        class_row("BANDWIDTHTYPE", 30, NDL_TEXT(class_desc, rec.queuebwtype), class_based_only, bandwidthtype_value,
                  true, "in a CLASS-BASED policy: `PERCENT` or `ABSOLUTE`"),
        class_row("QUEUELENGTH", 100, NDL_TEXT(class_desc, rec.queuelength), nullptr, number_value, false,
                  kClassNumber),
        class_row("QUEUEPRIORITY", 30, NDL_TEXT(class_desc, rec.queuepriority), priority_place, priority_value, true,
                  "in a PRIORITY policy: `HIGH`, `MEDIUM`, `NORMAL` or `LOW`"),
        class_row("BYTESPERCYCLE", 100, NDL_TEXT(class_desc, rec.queuebytespercycle), bytes_place, number_value, false,
                  "in a CLASS-BASED or CUSTOM policy: a number, or a numeric function of the node type"),
        class_row("DROPTYPE", 30, {}, class_based_only, droptype_value, true, "in a CLASS-BASED policy"),
        class_row("MARKRULENAME", 100, {}, rulename_place, rulename_value, false, kClassRule),
        class_row("MATCHRULENAME", 100, NDL_TEXT(class_desc, rec.matchrule), matchrulename_place,
                  matchrulename_value, false,
                  "not for the default class, nor with MATCHRULE: a match rule of the node type"),
        class_row("POLICERULENAME", 100, {}, rulename_place, rulename_value, false, kClassRule),
        class_row("SHAPERULENAME", 100, {}, rulename_place, rulename_value, false, kClassRule),
        class_row("DROPRULENAME", 100, {}, rulename_place, rulename_value, false, kClassRule),
        with_entry(read_by(token_row("MATCHRULE", TOKEN_GROUP, 100), take_matchrule), &match_data_def,
                   kInnerMatchRule),
        with_entry(token_row("MARKRULE", TOKEN_GROUP, 100), &mark_description_def,
                   "`MARKRULE = ( ... )`, a mark rule written in the class"),
        with_entry(token_row("POLICERULE", TOKEN_GROUP, 100), &police_description_def,
                   "`POLICERULE = ( ... )`, a police rule written in the class"),
        with_entry(token_row("SHAPERULE", TOKEN_GROUP, 100), &shape_description_def,
                   "`SHAPERULE = ( ... )`, a shape rule written in the class"),
        class_row("FAIRQUEUECOUNT", 30, NDL_TEXT(class_desc, rec.fairqueuecount), fairqueue_place, nullptr, false,
                  "only in the DEFAULT class of a CLASS-BASED policy"),
        {.name = "REPEATBY", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "Error: Specify repeatby value within quotes: %s @ %d\n", .after = repeatby_value,
         .checks = "a context of the node type, such as `\"BYHOST()\"`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = kQosListStyle, .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n"}};

}  // namespace

const entry_def qos_class_def{.keys = &QOSpolicies_classtokens};

namespace {

// The USAGE of the match rules a class refers to, by its policy's
// QUEUETYPE; any other queue type takes CLASS.
struct queue_usage {
    const char *queuetype;
    const char *usage;
};
const queue_usage kQueueUsages[] = {{"CUSTOM", "CUSTOMQUEUE"}, {"PRIORITY", "PRIORITYQUEUE"}};
const char kOtherQueueUsage[] = "CLASS";

const char *match_usage(const char *queuetype) {
    for (const queue_usage &q : kQueueUsages)
        if (!std::strcmp(queuetype, q.queuetype)) return q.usage;
    return kOtherQueueUsage;
}

}  // namespace

void class_usage_lists(reference_out &out) {
    out.text("A class's MATCHRULENAME takes the USAGE that its policy's QUEUETYPE gives; a rule of another USAGE "
             "is logged as \"ERROR: Wrong USAGE for referred MATCHRULE\", which does not fail the load. The rule "
             "that a class's own MATCHRULE entries build is stored with USAGE `" + std::string(kInlineMatchUsage) +
             "` whatever the QUEUETYPE:");
    out.table({"QUEUETYPE", "USAGE of the referred MATCHRULE"});
    for (const queue_usage &q : kQueueUsages)
        out.row({"`" + std::string(q.queuetype) + "`", "`" + std::string(q.usage) + "`"});
    out.row({"any other", "`" + std::string(kOtherQueueUsage) + "`"});
    auto example = [&](const char *queuetype, const char *usage) {
        out.example("QOSMATCHRULES NORTH.PE BEGIN\n"
                    "  DESCRIPTION = ( NAME = EXAMPLE , USAGE = " + std::string(usage) + " )\n"
                    "  MATCH # 1 = ( TYPE = \"ip dscp\" , VALUE = \"ef\" )\n"
                    "END\n"
                    "QOSPOLICY NORTH.PE M BEGIN\n"
                    "  DESCRIPTION = ( NAME = EXAMPLE , OWNER = \"NORTH\" , QUEUEGROUPNAME = EXAMPLE ,\n"
                    "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = " + std::string(queuetype) + " )\n"
                    "  CLASS # 1 = ( NAME = FIRST , MATCHRULENAME = EXAMPLE )\n"
                    "END\n");
    };
    for (const queue_usage &q : kQueueUsages) example(q.queuetype, q.usage);
    example("CLASS-BASED", kOtherQueueUsage);
    out.text("A police rule's MATCHRULENAME takes USAGE `POLICERULE`, a shape rule's `SHAPERULE`.");
}

int extract_QOSPolicy_class(FILE *fp, qos_policy_class_rec *policy, int number, int *counts) {
    block_reader r(fp, *qos_class_def.keys);
    if (!std::strcmp(policy->queuetype, "INTPOLICY"))
        return r.fail("Policy description for class  @ %d , should contain queuetype\n", Line);
    class_desc c{};
    c.scope = scope_of(*policy);
    c.policy = policy;
    c.number = number;
    c.usage = match_usage(policy->queuetype);
    std::snprintf(c.name, sizeof c.name, "%d-%.100s-cl-%d", policynumber, policy->classrulename.c_str(), number);
    qos_sub_queue_class_rec &rec = c.rec;
    c.site = qos_rule_site{policy, 2, rec.subqueuename, "CLASS", " ", c.name,
                           {rec.markrule, rec.policerule, rec.shaperule, rec.droprule}, {}, counts};
    int line = Line;

    if (read_rule_list(r, &c, class_group)) return 1;
    if (!r.check_mandatory("qosclass", "ERROR: Token '%s' not found in QOSMARKRULES @ %d\n", line)) return 1;
    if (!c.name_has_variable && rec.matchrule[0] && policy->context1[0] && !is_ifcontext(policy->context1))
        logmsg("WARNING: QOSPolicy '%s' for '%s.%s' has a CONTEXT and does not have any variables in the NAME for "
               "CLASS '%s', may cause duplicate entries: @ %d \n\n",
               policy->classrulename.c_str(), policy->domainname.c_str(), policy->nodetype.c_str(), rec.subqueuename.c_str(), Line);
    if (classes_of_policy.find(policy, rec.subqueuename))
        return r.fail("ERROR: Duplicate class : '%s' @ %d\n", rec.subqueuename.c_str(), Line);
    rec.sequence = number;
    auto *added = alloc_record<qos_sub_queue_class_rec>();
    *added = rec;
    added->next = nullptr;
    append_record(policy->subqueuelist, added);
    return 0;
}
