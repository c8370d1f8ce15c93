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
};
// Reads "domain . nodetype BEGIN" into two 31-byte fields: true read (an
// unknown name may be flagged), false stopped (reported).
bool read_head(block_reader &r, char (&domainname)[kName], char (&nodetype)[kName], const head_spec &h);

// Where a description keeps its contexts, and the block's messages for a
// context without an aggregation function (token, Line) and a fourth one
// (Line).
struct context_slots {
    const char *domainname, *nodetype;
    char *context1, *context2, *context3;
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

// The longest-value message of these blocks (token, Line).
extern const char kMaxLength[];

// A keyword whose value is a quoted string of at most `maxlen` characters.
constexpr keyword_rule quoted_key(const char *name, int mandatory, int maxlen, const char *quote_msg,
                                  field_ref field, attr_check after = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = maxlen, .kind = value_kind::quoted,
                        .kind_msg = quote_msg, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
                        .field = field, .after = after};
}

#endif
