// The block parsers of the ROUTING section and what they share: the block
// header (domain . node [PROCESS n] [M|O] BEGIN), the block-level rows
// INSTANCENAME, OWNINGCONTEXT and USAGE-CONDITION, the key rules of the
// sub-attribute lists "KEY = ( K = v , ... )" (each key once, CONTEXT up
// to three times, PREFIX as a number or AUTO) and the protocol declaration
// at END. Everything is written on the core block framework: a block is
// its keyword_table and its reader, a sub-attribute list an entry with a
// table of its own.
//
// Every block parser has the driver's signature: 0 when the block was read
// to its END (errors may be flagged), 1 after an error that stopped it
// (logged, g_error set, the token kept for skip_block).
#ifndef NDL_ROUTING_BLOCKS_H
#define NDL_ROUTING_BLOCKS_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "block.h"
#include "records_routing.h"
#include "sections.h"

// ---- value lists ----
extern const value_table MandOpt[];
extern const value_table StubTypes[];
extern const value_table RedistributeProtocols[];
extern const value_table Direction[];

// ---- messages several readers share ----
extern const char kRoutingEofMsg[];  // "Error: Unexpected end of file @ %d \n"
extern const char kMaxLenMsg[];      // "Token exceeded the max length: %s @%d\n"
extern const char kDupMsg[];         // "ERROR: Duplicate token: '%s' @ %d\n"
extern const char kBadKeyMsg[];      // "Error: Invalid attribute name : %s @ %d\n"
extern const char kSeparatorMsg[];   // "Error:',' or ')' expected : %s @ %d\n"
extern const char kNumberMsg[];      // "Error:Number (1 to 32) expected : %s @ %d\n"
extern const char kMaxDefinedMsg[];  // "ERROR: Maximum of three contexts can be defined: @ %d\n"

// ---- the block being read ----

struct ospf_area;

// Header values and counters of one routing block.
struct routing_block {
    char domainname[kName];
    char nodetype[kName];
    char process[kText];        // PROCESS number (OSPF, EIGRP, IGRP)
    char mandatory[kName];      // "M" or "O"
    char usagecondition[kText];
    char ownercontext[kName];
    char instancename[kName];   // "GLOBAL" until INSTANCENAME
    const char *protocol;       // what the rows and the declaration record
    const char *asn;            // what the sub-readers get: the process, or "0"
    int redistseq = 1;          // next REDISTRIBUTION sequence
    int distseq = 1;            // next DISTRIBUTE sequence
    int offsetseq = 1;          // next OFFSET sequence
    int routes = 0;             // static routes read
    int networks = 0;           // RIP/EIGRP NETWORK lists read
    ospf_area *area = nullptr;  // the OSPF area being collected
};

// The header messages of one block kind (Line last in each; the token
// before it where the format has a %s).
struct header_spec {
    const char *domain_msg;   // unknown domain (token)
    const char *dot_msg;      // "." missing (token unless dot_line_only)
    bool dot_line_only;
    const char *node_msg;     // unknown node type (token)
    const char *process_msg;  // PROCESS missing (token); null: no PROCESS
    const char *number_msg;   // no number after PROCESS (token)
    bool number_named;        // number_msg names the block first
    const char *mo_msg;       // M/O wrong (token); null: no M/O
    const char *begin_msg;    // BEGIN missing (token)
    bool lenient;             // unknown domain or node only flagged
    // The end of the file where the domain or node type is expected: the
    // eof message, or (true) a name like any other, which its check
    // reports; a token error there is then the eof message.
    bool eof_is_name = false;
    // What a block reads between the node type and M/O (BGP's ASN n):
    // 0 read, 1 stopped.
    int (*after_node)(block_reader &r, routing_block &b) = nullptr;
};

// The header of the label-switching blocks, which ROUTING-PIM, ROUTING-IGMP
// and ROUTING-DVMRP share.
// BGP's is the same with its ASN after the node type.
inline constexpr header_spec kLabelHeader{
    .domain_msg = "Error: Domain undefined %s \n @%d",
    .dot_msg = "Error:  '.' expected as a qualifer for node type @ %d\n",
    .dot_line_only = true,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = nullptr,
    .number_msg = nullptr,
    .number_named = false,
    .mo_msg = "Error: Syntax error. M/O expected : %s @%d \n",
    .begin_msg = "Error: Keyword 'BEGIN' expected : %s @%d\n",
    .lenient = false,
};

// PROCESS in the head of the blocks whose header_spec has a process_msg:
// a row of their tables, compared by read_header.
inline constexpr keyword_rule kProcessRow =
    with_checks(token_row("PROCESS", TOKEN_WORD), "in the block's head after the node type: `PROCESS n`, n a number");

// Starts a block: instance "GLOBAL", the protocol name and counters.
void start_block(routing_block &b, const char *protocol);
// Reads the header: 0 read (errors may be flagged), 1 stopped.
int read_header(block_reader &r, const header_spec &h, routing_block &b);
// The body up to END through the block's table: 0 at END, 1 stopped.
int read_body(block_reader &r, routing_block &b);
// Declares the protocol at END; a second declaration fails with `dup_msg`
// formatted by the caller's arguments.
bool declare_protocol(const routing_block &b, const char *asn);


// Block-level rows that the unicast blocks share, and their checks.
extern const char kBlockEqualMsg[];  // "Error: '=' expected : %s @%d\n"
// A block-level value that is a token error ends the body as END does.
int body_value(block_reader &r, const keyword_rule &, void *);
int owner_context(block_reader &r, const keyword_rule &, void *rec);
// Only an optional protocol has a usage condition; its "=" comes after
// that check.
int usage_condition(block_reader &r, const keyword_rule &, void *rec);

// The instance of a routing block without INSTANCENAME.
inline constexpr char kInstanceUnset[] = "GLOBAL";

// The instance name and the owning context go into 30-character fields: a
// longer value is refused and stops the block.
constexpr keyword_rule instancename_row() {
    return {.name = "INSTANCENAME", .length = length_rule::field, .toolong_msg = kMaxLenMsg,
            .toolong_err = on_error::fail, .equal_msg = kBlockEqualMsg,
            .field = NDL_TEXT(routing_block, instancename), .repeatable = true, .before = body_value,
            .checks = "a name of up to 30 characters", .unset = kInstanceUnset};
}

constexpr keyword_rule ownercontext_row() {
    return {.name = "OWNINGCONTEXT", .length = length_rule::field, .toolong_msg = kMaxLenMsg,
            .toolong_err = on_error::fail, .equal_msg = kBlockEqualMsg,
            .field = NDL_TEXT(routing_block, ownercontext), .repeatable = true, .before = body_value,
            .after = owner_context, .checks = "a context of the node type, such as `\"BYHOST()\"`"};
}

constexpr keyword_rule usagecondition_row() {
    return {.name = "USAGE-CONDITION", .type = TOKEN_GROUP, .kind = value_kind::none, .repeatable = true,
            .after = usage_condition,
            .checks = "`= \"condition\"`, only in an optional (`O`) block: a context of the node type, such as "
                      "`\"BYHOST()\"`"};
}

// ---- sub-attribute lists ----

// The first member of every list entry (entries start zeroed): the keys
// met (by row index, for the one-time rule) and the PREFIX value.
struct list_base {
    uint32_t seen;
    bool prefix_given;
    int32_t prefix;
    char prefixtext[8];
};

// A list key that may be given once: a second one fails with kDupMsg.
int key_once(block_reader &r, const keyword_rule &rule, void *rec);
// PREFIX: AUTO (-1) or a number; tag 0: 1 to 32; tag 1: 0 to 32, the rule
// of the address "0.0.0.0" checked once the list is read (check_prefix).
// The row's kind_msg, when it has one, is its range message.
int prefix_value(block_reader &r, const keyword_rule &rule, void *rec);
// After ")": with the address "0.0.0.0" a given number must be 0, with any
// other address 1 to 32 (else `range_msg`). 0 fine, 1 failed.
int check_prefix(block_reader &r, const list_base &base, const char *address, const char *range_msg = kNumberMsg);
// Stores a CONTEXT value in the first empty of three slots; a fourth is
// flagged with `max_msg` (Line), dropped, and the answer is false.
using context_slot = std::reference_wrapper<text_field<kText>>;
bool put_context(block_reader &r, std::initializer_list<context_slot> slots, const char *max_msg);
// validate_context on the current token: 1 passed with *kind set; 0 failed
// (its message logged).
int context_checked(block_reader &r, const char *domainname, const char *nodetype, int *kind);
// check_addrandvars on a value without contexts: the kind, or 0 when the
// check failed (its message left in g_errormsg).
int address_kind(const char *domainname, const char *nodetype, const char *value, const char *c1 = "",
                 const char *c2 = "", const char *c3 = "");

// A list entry's reader after its ")": the mandatory keys, `fmt` gets
// (keyword, start line). 0 complete, 1 failed (logged).
int mandatory_or_fail(block_reader &r, const char *tablename, const char *fmt);

// Moves an entry's record onto its list (the entry is freed).
template <class R, class E>
R *file_record(record_list<R> &list, void *entry) {
    R *rec = alloc_record<R>();
    std::memcpy(rec, &static_cast<E *>(entry)->rec, sizeof(R));
    free_record(static_cast<E *>(entry));
    append_record(list, rec);
    return rec;
}

// ---- the shared sub-readers (REDISTRIBUTION, DEFAULT, DISTRIBUTE, OFFSET,
// PASSIVE-INTERFACE) ----
extern const entry_def redistribution_entry;
extern const entry_def default_entry;
extern const entry_def distribute_entry;
extern const entry_def offset_entry;
int file_redistribution(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
int file_default(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
int file_distribute(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
int file_offset(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
// PASSIVE-INTERFACE = ( "i1" , "i2" ... ): one row per interface.
int extract_passiveint(block_reader &r, const keyword_rule &rule, void *owner);

// Rows of a block table for the shared sub-readers.
constexpr keyword_rule redistribution_row() {
    return {.name = "REDISTRIBUTION", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
            .entry = &redistribution_entry, .file = file_redistribution};
}
constexpr keyword_rule distribute_row() {
    return {.name = "DISTRIBUTE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
            .entry = &distribute_entry, .file = file_distribute};
}
constexpr keyword_rule passiveint_row() {
    return {.name = "PASSIVE-INTERFACE", .type = TOKEN_LIST, .kind = value_kind::none, .repeatable = true,
            .after = extract_passiveint,
            .checks = "`= ( \"interface\" , ... )`: quoted interfaces of the node type, each a row"};
}

// ---- block parsers ----
int parse_protocolblock(FILE *fp, FILE *loadfp, const char *protocol);
int parse_staticroute(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_ospf(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_rip(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_eigrp(FILE *fp, FILE *loadfp, const char *name);
int parse_pim(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_igmp(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_msdp(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_dvmrp(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_vrf(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// The word before BEGIN in the header of a protocol block, as the examples
// write it.
inline constexpr block_rule kMandOptRule{
    .text = "Before BEGIN, `M` or `O`: the protocol is mandatory or optional for the node type",
    .values = MandOpt, .part = " M BEGIN", .instead = " X BEGIN"};

inline constexpr block_rule kProtocolRules[] = {kNodeTypeNameRule, kMandOptRule};

// ---- the blocks' keywords, for the dispatch rows ----
block_keys protocolblock_keys();
block_keys staticroute_keys();
block_keys ospf_keys();
block_keys rip_keys();
block_keys eigrp_keys();
block_keys bgp_keys();
block_keys pim_keys();
block_keys igmp_keys();
block_keys msdp_keys();
block_keys dvmrp_keys();
block_keys vrf_keys();

#endif
