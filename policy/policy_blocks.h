// The block parsers of the FIREWALL and QOS sections and what they share
// among themselves: access lists, the QoS match, mark, police, shape and
// drop rules, their lookups, and the embedded readers that a QOSPOLICY
// calls. Every block parser has the driver's signature and returns 0 when
// the block was read (errors may be flagged) and 1 after an error that
// stopped it (logged, g_error set, the token kept for skip_block).
#ifndef NDL_POLICY_POLICY_BLOCKS_H
#define NDL_POLICY_POLICY_BLOCKS_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "block.h"
#include "policy.h"
#include "records_policy.h"
#include "sections.h"

// Where a rule reader is called from: a free-standing block, or a QOSPOLICY
// at its policy level (INT) or in one of its classes (CLASS).
enum qos_level { QOS_GLOBAL = 0, QOSINTPOLICE, QOSINTSHAPE, QOSCLASSPOLICE, QOSCLASSSHAPE };

// ---- the shared attribute list: "= ( KEY = value , ... )" ----

struct attribute_entry {
    char name[300];   // the keyword, upper case
    char value[300];  // the value token as read
    int kind;         // the keyword's token kind
    int valuekind;    // the value's token kind
    int line;         // Line when the value was read
};

// Reads the list with `r` (made over the list's table), up to and with its
// ")": 0, or 1 after a reported error. The list grows as it is read.
int extract_variablelist(block_reader &r, std::vector<attribute_entry> &entries);

// Bit of keyword_rule::tag: the value is stored lower-cased.
constexpr int kLower = 1;

// The longest-value message of every QoS list, policy and class (value,
// line): not the framework's "ERROR: token size ..." but "Error: ...".
extern const char kQosTooLong[];

// What every QoS rule reader checks with; the context of every list
// reader begins with one.
struct qos_scope {
    const char *domainname;
    const char *nodetype;
    text_ref context1, context2, context3;  // the record's
    char previous[300];  // the keyword of the entry before this one
    int line;            // the line of the entry in hand
    int embedded;        // read inside a QOSPOLICY
    qos_level level;     // and from which level
};

// The scope of a rule record (anything with the names and contexts).
template <class Rule>
qos_scope scope_of(Rule &rule, int embedded = 0, qos_level level = QOS_GLOBAL) {
    qos_scope s{};
    s.domainname = rule.domainname;
    s.nodetype = rule.nodetype;
    s.context1 = rule.context1;
    s.context2 = rule.context2;
    s.context3 = rule.context3;
    s.embedded = embedded;
    s.level = level;
    return s;
}

// The start values of a free-standing rule.
template <class Rule>
void global_rule(Rule &rec, const char *domainname, const char *nodetype) {
    store_text(rec.domainname, domainname, kText - 1);
    store_text(rec.nodetype, nodetype, kText - 1);
    rec.owner = "GLOBAL";
    rec.usage1 = " ";
    rec.usage2 = " ";
    rec.repeatby = " ";
    rec.sequence = 1;
}

// Copies the names and contexts of one record into another.
template <class To, class From>
void copy_scope(To &to, const From &from) {
    to.domainname = from.domainname;
    to.nodetype = from.nodetype;
    to.context1 = from.context1;
    to.context2 = from.context2;
    to.context3 = from.context3;
}

// A rule's last check: 1 when it may be added; else 0 with `message` set to
// `missing` (the first value it lacks) or, when a rule of its name and
// sequence stands already, to `dup_fmt` with the name.
template <class Rule>
int rule_verdict(const Rule &rule, const text_field<kText> Rule::*name,
                 int (*exists)(const char *, const char *, const char *, int32_t), const char *missing,
                 const char *dup_fmt, char *message) {
    if (missing) {
        std::snprintf(message, kMsgSize, "%s", missing);
        return 0;
    }
    if (!exists(rule.domainname, rule.nodetype, rule.*name, rule.sequence)) return 1;
    std::snprintf(message, kMsgSize, dup_fmt, (rule.*name).c_str());
    return 0;
}

// Reads a list whose entries are handled as they come (`ctx` begins with a
// qos_scope): each KEY = value goes to take_entry, each group keyword
// (marked found) to `group`, which reads what follows it. 0, or 1 stopped.
int read_rule_list(block_reader &r, void *ctx, int (*group)(block_reader &r, void *ctx));
// Walks a list read by extract_variablelist, the found flags cleared first.
int walk_list(block_reader &r, const std::vector<attribute_entry> &entries, void *ctx);
// Reads a whole list (extract_variablelist, then walk_list) and checks its
// mandatory keywords from the list's first line; `given` (if any) counts as
// found. 0, or 1 stopped.
int read_checked_list(block_reader &r, void *ctx, const char *objectword, const char *missing,
                      const char *given = nullptr);
// "# n" after a group keyword, where n must be `expected` (else
// `order_msg` with expected, token, Line): 0, or 1 stopped.
int read_numbered(block_reader &r, int32_t expected, const char *order_msg, int32_t *number);

// Acts on one entry through its table row (`ctx` begins with a qos_scope):
// the duplicate check (unless the row is repeatable), the row's `before`
// check, the quotes check, the length check with kQosTooLong (unless the
// row checks its own), the stored value and the row's `after` check. The
// value stands in r.tok / r.kind for the checks. 0 go on, 1 stop (reported).
int take_entry(block_reader &r, const attribute_entry &e, void *rec);

// CONTEXT: quotes (by the row), a valid context with an aggregation
// function (flagged), at most three (fail), length 100, the next free
// context of `s`.
int take_context(block_reader &r, const qos_scope &s);
// A check has left its message in g_errormsg: it is logged and flagged,
// and the reading goes on.
void flag_check(block_reader &r);
// A CONTEXT row's `after` check (take_context on the list's scope).
int context_check(block_reader &r, const keyword_rule &rule, void *ctx);
// TRUE 1, FALSE 0 (the value upper-cased), else `msg` (Line) fails.
int true_false(block_reader &r, const char *msg, uint16_t *flag);
// The vendor check of a word and its value against the CISCO table
// `tablename`: an error is flagged, a warning logged, both with the text
// and `line`; *result as validatecfgvaltypes answers.
void check_vendor(block_reader &r, const char *tablename, const char *word, const char *value,
                  const qos_scope &s, int line, int *result);
// REPEATBY of an embedded rule: quoted, a valid aggregation function, at
// most 100 characters, into `field` (kText).
int take_repeatby(block_reader &r, const qos_scope &s, text_ref field);
// The NAME's variables against the qualifier and the contexts (a failure
// is flagged) and the warning on a CONTEXT that the NAME does not use.
void check_rule_name(block_reader &r, const qos_scope &s, const char *name, const char *warning);

// ---- the frame of every rule block ----

// The form of every QoS list, "= ( KEY = value , ... )", as the reference
// names it (read_list reads it, not the table's loop).
constexpr loop_style kQosListStyle = loop_style::separated;
// The mandatory group keyword of a rule block.
constexpr keyword_rule qos_group_row(const char *name, const entry_def *entry, const char *written) {
    return with_entry(token_row(name, TOKEN_GROUP, 0, 1), entry, written);
}
// How a rule written inside another list is written, for the reference.
inline constexpr char kInnerMatchRule[] = "`MATCHRULE = ( TYPE = ... , VALUE = ... )`, a match written in the list";
// The keywords of a block of DESCRIPTION lists (QOSMARKRULES, QOSDROPRULES,
// QOSPOLICERULES, QOSSHAPERULES), each list read with `description`'s.
struct rule_block_rows {
    keyword_rule rows[6];
};
constexpr rule_block_rows qos_rule_block_rows(const entry_def *description) {
    return {{token_row("BEGIN", TOKEN_BEGIN),
             qos_group_row("DESCRIPTION", description, "`DESCRIPTION = ( ... )`: one rule each"),
             token_row("(", TOKEN_LPAREN),
             token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END)}};
}

// The lists that one block reads and others embed (a QoS policy its rules,
// classes and access lists; police and shape rules a match).
extern const entry_def match_data_def;
extern const entry_def mark_description_def;
extern const entry_def police_description_def;
extern const entry_def shape_description_def;
extern const entry_def qos_class_def;
// A QoS policy's ACCESSLIST: a description, then more of them and FORMAT
// lines.
extern const entry_def qos_access_def;

// The qualifier ("domain . nodetype"): 0, or 1 after an error.
int read_rule_qualifier(block_reader &r, char *domainname, char *nodetype);
// The qualifier and BEGIN: 0, or 1 after an error.
int open_rule_block(block_reader &r, char *domainname, char *nodetype);
// Group keywords (and the attributes a table declares) up to END, each
// upper-cased, marked found and handed to
// `item`: 0 at END (the END token in r.tok), 1 stopped.
int read_rule_items(block_reader &r, int (*item)(block_reader &r, void *ctx), void *ctx);
// A whole block of DESCRIPTION lists: `item` gets the qualifier as two
// texts (domain, node type). A block without DESCRIPTION is flagged with
// `missing` (keyword, the block's line) and answers `missing_result`.
int rule_block(FILE *fp, keyword_table &keys, int (*item)(block_reader &r, void *ctx), const char *objectword,
               const char *missing, int missing_result);

// ---- match rules ----
int parse_qosmatchrules(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int extract_matchrule_description(FILE *fp, const char *domainname, const char *nodetype,
                                  qos_match_rule_class_rec **current);
// One MATCH entry list into `rule`; the vendor table follows its usage1.
int extract_matchdata(FILE *fp, qos_match_rule_class_rec *rule);
// A match rule built by an embedding rule or class from `tmpl` (its names,
// owner, usages, contexts and repeatby): checked for a duplicate (logged
// and flagged; the rule is added all the same) and appended.
qos_match_rule_class_rec *add_embedded_matchrule(const qos_match_rule_class_rec &tmpl);
int validate_matchdesc(const qos_match_rule_class_rec *rule, char *message);
int validate_matchusage(const char *name, const char *domainname, const char *nodetype,
                        const char *usage);

// ---- mark and drop rules ----
int parse_qosmarkrules(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_qosdroprules(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int extract_markrule_description(FILE *fp, const char *domainname, const char *nodetype,
                                 const qos_mark_rule_class_rec *tmpl, int embedded);
int extract_droprule_description(FILE *fp, const char *domainname, const char *nodetype,
                                 const qos_drop_rule_class_rec *tmpl, int embedded);
int markrule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence);
int droprule_exists(const char *domainname, const char *nodetype, const char *name, int32_t firstsequence);
int validate_qosmarklist(const qos_mark_rule_class_rec *rule, char *message);
int validate_droprules(const qos_drop_rule_class_rec *rule, char *message);
// A drop rule without sub-rules: 1 appended; 0 with "%s @%d\n" formatted
// into g_errormsg, not logged (the caller logs and flags).
int setdroptype(const char *droptype, const char *domainname, const char *nodetype, const char *context1,
                const char *context2, const char *context3, const char *owner, const char *usage1,
                const char *usage2, const char *name);

// ---- police and shape rules ----
int parse_qospolicerules(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_qosshaperules(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int extract_policerule_description(FILE *fp, const char *domainname, const char *nodetype,
                                   const qos_police_rule_class_rec *tmpl, int embedded, qos_level kind);
int extract_shaperule_description(FILE *fp, const char *domainname, const char *nodetype,
                                  const qos_shape_rule_class_rec *tmpl, int embedded, qos_level kind);
int policerule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence);
int shaperule_exists(const char *domainname, const char *nodetype, const char *name, int32_t sequence);
int validate_qospolicelist(const qos_police_rule_class_rec *rule, char *message);
int validate_qosshaperulelist(const qos_shape_rule_class_rec *rule, char *message);

// ---- policies, their classes and enrolment variables ----

int parse_qospolicy(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_serviceenrollvar(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// The rules a policy or one of its classes attaches, by kind.
enum qos_rule_kind { QOS_MARK = 0, QOS_POLICE, QOS_SHAPE, QOS_DROP, QOS_RULE_KINDS };

// Where a policy (level 1) or a class (level 2) attaches a rule: what the
// rule's record takes from it, the name it gets, and the out-fields that
// take the rule names.
struct qos_rule_site {
    qos_policy_class_rec *policy;
    int level;
    text_ref owner;        // the queue group name, or the class name (read as it is filled)
    const char *usage1;    // "POLICY" or "CLASS"
    const char *repeatby;
    const char *name;      // the generated name of the rules made here
    text_ref out[QOS_RULE_KINDS];
    bool named[QOS_RULE_KINDS];  // the out-field came from a ...RULENAME
    int *counts;  // the policy's running mark, police and shape counts
};

// A rule keyword of a policy or a class: MARKRULE, POLICERULE and
// SHAPERULE read their rule (embedded) from the list that follows;
// MARKRULENAME, POLICERULENAME, SHAPERULENAME and DROPRULENAME name a rule
// (`value`). 0, or 1 after a reported error.
int extract_commonqosdata(block_reader &r, const char *keyword, const char *value, qos_rule_site &site);

// One CLASS list of `policy`, numbered `number`, appended to its
// sub-queues: 0, or 1 after a reported error.
int extract_QOSPolicy_class(FILE *fp, qos_policy_class_rec *policy, int number, int *counts);

// The DROPTYPE of a policy or class: the value checked against the vendor
// table, a drop rule of that type made under `site`'s name, and its
// out-field set. 0, or 1 after a reported error.
int attach_droptype(block_reader &r, qos_rule_site &site, const qos_scope &scope);
// For the reference: which USAGE a class's referred match rule takes.
void class_usage_lists(reference_out &out);

// 1 when no enrolment variable of that name was read yet; else 0 with the
// message formatted into g_errormsg.
int validate_servenrollvar(const char *name);

// ---- access lists ----

// One access-list description, from the "=" after DESCRIPTION to its ")",
// appended to prdomainaccesslist. In the ACCESSLIST block (embedded 0) it
// empties the three context buffers (301 bytes each) and raises *sequence
// by one; inside a QoS policy (embedded 1) the contexts and the sequence are
// the caller's and owner, usage and direction come from `templ`. 0 read, 1
// stopped (reported).
int extract_description(FILE *fp, const char *domainname, const char *nodetype, int *sequence,
                        char *context1, char *context2, char *context3,
                        const domain_access_list_rec *templ, int embedded);
// One entry of the description numbered `sequence`, from the "=" after
// FORMAT to its ")": raises *count (its subsequence) and files an address
// entry (prdomainacllist) or a network entry (prdomainextacl) by *kind: 2
// not yet known, 1 address entries, 0 network entries; the first entry
// keyword of a description decides it for all its entries. 0 read, 1
// stopped (reported).
int extract_format(FILE *fp, const char *domainname, const char *nodetype, int sequence, int *count,
                   int *kind, const char *context1, const char *context2, const char *context3);

// A QoS policy's own access lists: ACCESSLIST descriptions (embedded, usage
// QOSPOLICY, owned by the queue group name) and their FORMAT lines, up to
// the first other token, which goes back to the block. 0 read, 1 stopped.
int extract_policy_acl(FILE *fp, const qos_policy_class_rec &policy);

// The queue group name of the QoS policy being read, empty when none: its
// own access lists (usage QOSPOLICY) are found only while it is read.
extern const char *g_policyname;

// ---- the QoS blocks' keywords, for the dispatch rows ----
block_keys qosmarkrules_keys();
block_keys qosdroprules_keys();
block_keys qospolicerules_keys();
block_keys qosshaperules_keys();
block_keys qosmatchrules_keys();
block_keys qospolicy_keys();
block_keys serviceenrollvar_keys();

#endif
