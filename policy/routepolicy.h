// What the policy blocks share: the block head "domain . node BEGIN" of the
// route-policy blocks (ROUTEMAP, PREFIXLIST, ASNLIST, COMMUNITYLIST,
// MAP-CLASS) with each block's own messages, the CONTEXT attribute of their
// descriptions, and (with ACCESSLIST) the way a check's pending message is
// logged and the permit/deny words.
#ifndef NDL_POLICY_ROUTEPOLICY_H
#define NDL_POLICY_ROUTEPOLICY_H

#include "block.h"
#include "records_common.h"

extern const value_table AccessListTypes[];  // permit, deny

// The "." message of a block head, and whether an unknown domain or node
// type stops the block (else it is flagged and the block is read on).
struct head_spec {
    const char *dot_msg;
    bool dot_token;  // the message takes (token, Line), else (Line)
    bool strict;
    const char *begin_msg = "ERROR: Keyword 'BEGIN' expected : %s @%d\n";
};
// Reads "domain . nodetype BEGIN" into two 31-byte fields: true read (an
// unknown name may be flagged), false stopped (reported).
bool read_head(block_reader &r, text_ref domainname, text_ref nodetype, const head_spec &h);

// Where a description keeps its contexts, and the block's messages for a
// context without an aggregation function (token, Line) and a fourth one
// (Line).
struct context_slots {
    const char *domainname, *nodetype;
    text_ref context1, context2, context3;
};
int add_context(block_reader &r, const context_slots &s, const char *aggregation_msg, const char *fourth_msg);

// The value, lower-cased in place, is one of `table`: 0, else fails with
// `msg` (token, Line).
int lower_value_in(block_reader &r, const value_table *table, const char *msg);

// A list "( )" without a single attribute: its checks run and say what is
// missing (they refuse it, so the block stops). For the tables' `other`
// handlers.
template <int (*Check)(block_reader &, void *, void *)>
int empty_list(block_reader &r, void *rec) {
    if (r.kind != TOKEN_RPAREN) return -1;
    for (const token_entry *e = r.table; e->name; ++e)
        if (e->found) return -1;
    Check(r, rec, nullptr);
    return 1;
}

// What the reference says of a list read with empty_list.
inline constexpr char kEmptyListOthers[] =
    "An empty `( )` is refused by the entry's checks, which name the first keyword missing, and ends the block. "
    "Any other word is refused with \"ERROR: Invalid attribute name\".";

// The longest-value message of these blocks (token, Line).
extern const char kMaxLength[];

// The messages the "( KEY = value , ... )" lists of these blocks share.
extern const char kInvalidName[];  // (token, Line)
extern const char kDuplicate[];    // (token, Line)
extern const char kSeparator[];    // (token, Line)
extern const char kEqualLine[];    // (Line)
extern const char kOpenLine[];     // (Line)
extern const char kEqualToken[];   // (token, Line)
extern const char kOpenToken[];    // (token, Line)
// A word in a block that is none of its keywords (token, Line).
extern const char kBlockInvalid[];

// A separated list's loop: an unknown or repeated keyword stops the block.
constexpr loop_options list_options(const char *equal_msg, bool equal_token, const char *separator_msg,
                                    int (*other)(block_reader &, void *),
                                    const char *others = kEmptyListOthers) {
    return {.style = loop_style::separated,
            .invalid_msg = kInvalidName,
            .dup_msg = kDuplicate,
            .dup_err = on_error::fail,
            .equal_msg = equal_msg,
            .equal_token = equal_token,
            .separator_msg = separator_msg,
            .other = other,
            .others = others};
}

// An entry "= ( ... )" whose "=" and "(" messages take the line only.
constexpr entry_def line_entry(keyword_table *keys, int (*check)(block_reader &, void *, void *)) {
    return {.keys = keys,
            .equal_msg = kEqualLine,
            .equal_token = false,
            .open_msg = kOpenLine,
            .open_token = false,
            .check = check};
}

// An entry "= ( ... )" whose "=" and "(" messages take the token.
constexpr entry_def list_entry(keyword_table *keys, int (*check)(block_reader &, void *, void *),
                               size_t size = 0) {
    return {.keys = keys, .equal_msg = kEqualToken, .open_msg = kOpenToken, .size = size, .check = check};
}

// A word of the block that opens an entry, any number of times: `open`
// reads `entry` (through the rule) with what it reads first.
// `written`: how the entry is written, for the reference.
constexpr keyword_rule group_key(const char *name, int mandatory, attr_check open, const entry_def *entry,
                                 const char *written) {
    return keyword_rule{.name = name, .type = TOKEN_GROUP, .mandatory = mandatory, .kind = value_kind::none,
                        .repeatable = true, .after = open, .entry = entry, .written = written};
}

// The list's mandatory keywords: 0 all there, else 1 (logged with `msg`).
int mandatory_only(block_reader &r, const char *table, const char *msg);

// A prefix length in r.tok: AUTO (any case) leaves "-1", else a number
// from 1 to 32. 0, or 1 stopped.
int prefix_length(block_reader &r);

// A permit/deny TYPE, lower-cased; another word stops the block.
int permit_deny(block_reader &r, const keyword_rule &, void *);
constexpr keyword_rule permit_deny_key(field_ref field) {
    return keyword_rule{.name = "TYPE", .mandatory = 1, .maxlen = 30, .toolong_msg = kMaxLength,
                        .toolong_err = on_error::fail, .field = field, .before = permit_deny,
                        .checks = "`permit` or `deny`, in any case"};
}

// A keyword whose value is a quoted string of at most `maxlen` characters.
constexpr keyword_rule quoted_key(const char *name, int mandatory, int maxlen, const char *quote_msg,
                                  field_ref field, attr_check after = nullptr, const char *checks = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = maxlen, .kind = value_kind::quoted,
                        .kind_msg = quote_msg, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
                        .field = field, .after = after, .checks = checks};
}

// A description's CONTEXT, up to three times; `add` files each one.
constexpr keyword_rule context_key(attr_check add) {
    keyword_rule k = quoted_key("CONTEXT", 0, 200, "ERROR: Specify context value within quotes: %s @ %d\n", {}, add);
    k.repeatable = true;
    k.checks = "a context of the node type with an aggregation function, such as `\"BYHOST()\"`; at most three";
    return k;
}

// The name of the block head: any token but a token error, cut to the
// field (a longer one is no declared one).
bool read_head_name(block_reader &r, text_ref field);

// A DESCRIPTION entry: its name and contexts start empty; a refused one
// leaves the name empty, so that what follows it is refused too.
int read_description(block_reader &r, const entry_def &def, void *entry, void *owner, text_ref name,
                     const context_slots &s);

// A description's NAME and OWNER may use the variables of its contexts
// (flagged when not); a NAME without any under a non-interface CONTEXT
// warns with `warning_msg` (name, domain, node type, line).
void check_name_owner(block_reader &r, const context_slots &s, const char *name, const char *owner,
                      const char *warning_msg);

#endif
