// The multicast blocks (ROUTING-PIM, ROUTING-IGMP, ROUTING-MSDP,
// ROUTING-DVMRP) and the way all their sub-blocks are read:
// "KEY = ( K = v , ... )" with the sub-block's own table, keys upper-cased
// as everywhere else, each key once (CONTEXT up to three times), the
// reader's checks after ")" in its own order, then one record appended and
// the block's counter of that kind advanced. Values go into their fields
// only when they fit; a ")" right after "(" or after a "," closes the list.
#ifndef NDL_ROUTING_MULTICAST_H
#define NDL_ROUTING_MULTICAST_H

#include <cstring>

#include "registry.h"
#include "routing_blocks.h"

// The sub-block kinds a block numbers, each from 1.
enum mcast_counter {
    kNoSeq = -1,
    kSeqMember,
    kSeqRate,
    kSeqBsr,
    kSeqRpAccept,
    kSeqRp,
    kSeqAutoRpFilter,
    kSeqMappingAgent,
    kSeqPeer,
    kCounters
};

// One multicast block while it is read. The routing block comes first: the
// shared block rows (USAGE-CONDITION) see a routing_block.
struct mcast_block {
    routing_block b;
    int32_t seq[kCounters];  // the number the next sub-block of each kind gets
    msdp_class_rec msdp;     // ROUTING-MSDP: the block's own record
};

// Instance "GLOBAL", no owning context, every counter at 1.
void start_mcast(mcast_block &m, const char *protocol);

// Header, body up to END and the protocol declaration (process "1"): 0
// read, 1 stopped.
int read_mcast(block_reader &r, mcast_block &m, const header_spec &h);
// A whole ROUTING-PIM, -IGMP or -DVMRP block.
int parse_mcast(FILE *fp, keyword_table &keys, const char *protocol);

extern const char kMcastEqualMsg[];  // "Error: Invalid syntax '=' expected @ %d\n"
extern const char kMaxGivenMsg[];    // "ERROR: Maximum of three contexts can be given: @ %d\n"
extern const char kInterfaceMsg[];   // "Error: Interfacename  expected: %s @ %d\n"

// What every multicast block holds unique (read_mcast's check).
inline constexpr block_unique kMulticastUnique[] = {
    {.what = "The protocol (one block of each)", .within = "the node type",
     .message = "Error: Protocl %s has already been defined for %s:%s @%d\n"},
};

// The body loop of the blocks, and the loop of every sub-block list.
inline constexpr loop_options kMcastBody{.invalid_msg = kBadKeyMsg, .error_ends = true};

inline constexpr loop_options kMcastList{.style = loop_style::separated,
                                         .invalid_msg = kBadKeyMsg,
                                         .dup_msg = kDupMsg,
                                         .dup_err = on_error::fail,
                                         .equal_msg = kMcastEqualMsg,
                                         .equal_token = false,
                                         .separator_msg = kSeparatorMsg,
                                         .close_early = true,
                                         .error_ends = true};

// A sub-block of `keys` into a record of `size` bytes made by `init`,
// checked by `check` after its ")".
constexpr entry_def mcast_entry(keyword_table &keys, size_t size, void (*init)(void *, void *),
                                int (*check)(block_reader &, void *, void *)) {
    return {.keys = &keys,
            .eof_msg = kRoutingEofMsg,
            .equal_msg = kMcastEqualMsg,
            .equal_token = false,
            .open_msg = "Error: Invalid syntax '(' expected @ %d\n",
            .open_token = false,
            .size = size,
            .init = init,
            .check = check};
}

// The block table's row of a sub-block keyword.
constexpr keyword_rule subblock_row(const char *name, const entry_def &def, entry_file file) {
    return {.name = name, .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true, .entry = &def,
            .file = file};
}

// A key whose value is kept as given (refused when it does not fit): the
// tables give longest values that nothing checks; what a value must fit is
// its field.
// `checks`: what the value means and what the reader holds it to, for the
// reference.
constexpr keyword_rule mcast_key(const char *name, field_ref field, int mandatory = 0, int maxlen = 0,
                                 const char *checks = nullptr) {
    return {.name = name, .mandatory = mandatory, .maxlen = maxlen, .length = length_rule::field,
            .toolong_msg = kMaxLenMsg, .toolong_err = on_error::fail, .field = field, .checks = checks};
}

// What the readers' checks after ")" take, for the reference.
#define MCAST_INTERFACE                                                                                         \
    "an interface function such as `\"LOCALINT(INTERFACE.Ethernet0)\"` (a bare name is refused), checked when " \
    "the list closes"
#define MCAST_NUMBER                                                                                       \
    "a number, a NUMBER variable, `EVALEXP(...)` or `LOOKUP(...)`, checked when the list closes (left out, " \
    "it passes)"
#define MCAST_KEPT "stored as written, unchecked"

// USAGE-CONDITION of ROUTING-PIM, -IGMP and -DVMRP (an attribute there).
constexpr keyword_rule mcast_usage_row() {
    keyword_rule k = usagecondition_row();
    k.type = TOKEN_ATTRIBUTE;
    return k;
}

// The rendezvous-point sub-blocks of ROUTING-PIM (pim_rp.cpp).
extern const entry_def rp_entry;
extern const entry_def rpaccept_entry;
extern const entry_def bsr_entry;
extern const entry_def mappingagent_entry;
extern const entry_def autorpfilter_entry;

// ---- checks of the readers ----

// check_addrandvars on `value` under the contexts: the kind it reports (0
// for an empty value), or -1 when it failed (its message in g_errormsg).
int kind_of(const char *domainname, const char *nodetype, const char *c1, const char *c2, const char *c3,
            const char *value);
// The value must name an interface: a failed check logs its own message,
// any other kind `msg` with `shown`. 0 passed, 1 failed.
int interface_or_fail(block_reader &r, const char *domainname, const char *nodetype, const char *c1,
                      const char *c2, const char *c3, const char *value, const char *msg, const char *shown);
// The value must be numeric (digits, empty, a numeric variable, EVALEXP or
// LOOKUP), else `msg` with `shown`. 0 passed, 1 failed.
int numeric_or_fail(block_reader &r, const char *domainname, const char *nodetype, const char *c1,
                    const char *c2, const char *c3, const char *value, const char *msg, const char *shown);
// The mandatory keys, reported with the current line. 0 complete, 1 not.
int mcast_mandatory(block_reader &r, const char *tablename, const char *fmt);
// Texts stored the way the table readers store them: "IS NULL" is empty.
void null_marker_empty(std::initializer_list<std::reference_wrapper<text_field<kText>>> fields);

// ---- record templates (every multicast record starts with domainname and
// nodetype; most have a sequence and three contexts) ----

template <class R, int C>
void init_mcast(void *entry, void *owner) {
    R &e = *static_cast<R *>(entry);
    const mcast_block &m = *static_cast<mcast_block *>(owner);
    e.domainname = m.b.domainname;
    e.nodetype = m.b.nodetype;
    if constexpr (C != kNoSeq) e.sequence = m.seq[C];
}

// Appends the sub-block's record and advances the block's counter.
template <class R, record_list<R> &L, int C>
int file_mcast(block_reader &, const keyword_rule &, void *entry, void *owner) {
    append_record(L, static_cast<R *>(entry));
    if constexpr (C != kNoSeq) ++static_cast<mcast_block *>(owner)->seq[C];
    return 0;
}

// CONTEXT: quoted, accepted by validate_context, into the first free slot.
template <class R>
int mcast_context_value(block_reader &r, const keyword_rule &, void *rec) {
    R &e = *static_cast<R *>(rec);
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    put_context(r, {e.context1, e.context2, e.context3}, kMaxGivenMsg);
    return 0;
}
template <class R>
constexpr keyword_rule mcast_context(bool repeatable = true) {
    return {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted, .length = length_rule::own,
            .kind_msg = "Error: Specify context  within quotes: %s @ %d\n", .repeatable = repeatable,
            .after = mcast_context_value<R>, .checks = "quoted: a context of the node type, such as `\"BYHOST()\"`"};
}

// A TRUE key into an int32 flag of the record; any value is taken, and
// TRUE is TRUE in any case. latest: each value sets the flag (1 for TRUE,
// 0 for anything else). sticky: TRUE sets it, anything else leaves it.
enum class truth { latest, sticky };
template <class R, int32_t R::*Flag, truth How>
int truth_value(block_reader &r, const keyword_rule &, void *rec) {
    int32_t &flag = static_cast<R *>(rec)->*Flag;
    bool is_true = casestrcmp(r.tok, "TRUE") == 0;
    if (How == truth::latest) flag = is_true;
    else if (is_true) flag = 1;
    return 0;
}
template <class R, int32_t R::*Flag, truth How>
constexpr keyword_rule truth_key(const char *name, int maxlen) {
    return {.name = name, .maxlen = maxlen, .length = length_rule::own, .after = truth_value<R, Flag, How>,
            .checks = How == truth::latest ? "`TRUE` (any case) sets it, any other word clears it"
                                           : "`TRUE` (any case) sets it, any other word leaves it"};
}

// A value that must be a row of `Table` (compared with its case), else
// `Msg` with the value; checked before it is stored.
template <const value_table *Table, const char *Msg>
int one_of(block_reader &r, const keyword_rule &, void *) {
    if (validate_var(Table, r.tok)) return 0;
    return r.fail(Msg, r.tok, Line);
}

template <class R>
int interface_of(block_reader &r, const R &e, const char *value, const char *msg, const char *shown) {
    return interface_or_fail(r, e.domainname, e.nodetype, e.context1, e.context2, e.context3, value, msg, shown);
}
template <class R>
int numeric_of(block_reader &r, const R &e, const char *value, const char *msg, const char *shown) {
    return numeric_or_fail(r, e.domainname, e.nodetype, e.context1, e.context2, e.context3, value, msg, shown);
}

// Block tables: the punctuation rows every table ends with.
#define MCAST_PUNCTUATION token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL)

#endif
