// The ROUTING-BGP block (bgp.cpp: the block, its NETWORK and AGGREGATE
// lists) and its neighbors and peer groups (bgp_peers.cpp): what the two
// halves share.
#ifndef NDL_ROUTING_BGP_H
#define NDL_ROUTING_BGP_H

#include <cstdio>

#include "routing_blocks.h"

// One ROUTING-BGP block: the header values of every routing block (its
// AS number in `process`), and its own values and counters.
struct bgp_block : routing_block {
    char routerid[kText] = "";
    char clusterid[kText] = "";
    int neighborseq = 1;  // stored in a neighbor's row, then advanced
    int bgpnetworks = 0;  // advanced before each NETWORK list is read
    int aggregates = 0;   // advanced before each AGGREGATE list is read
};

// The block behind a sub-reader's owner pointer (always a bgp_block).
inline bgp_block &bgp_of(void *owner) { return static_cast<bgp_block &>(*static_cast<routing_block *>(owner)); }

// The first member of every BGP list entry: the PREFIX value and the block
// the entry belongs to.
struct bgp_entry {
    list_base base;
    const bgp_block *block;
};
inline const bgp_block &block_of(void *entry) { return *static_cast<bgp_entry *>(entry)->block; }

// ---- key rules of the BGP lists ----

// A list key whose over-long value stops the list (`msg`, or kMaxLenMsg).
constexpr keyword_rule bgp_key(keyword_rule k, const char *toolong = kMaxLenMsg) {
    k.toolong_msg = toolong;
    k.toolong_err = on_error::fail;
    return k;
}
// TRUE or FALSE into the row's int field (1 for TRUE); the row's tag picks
// the message of any other word.
enum bgp_boolean_msg { kBoolNeighbor, kBoolLine, kBoolToken };
int bgp_boolean(block_reader &r, const keyword_rule &rule, void *rec);
// A number or a quoted string, else the row's kind_msg (token, Line).
int number_or_quoted(block_reader &r, const keyword_rule &rule, void *rec);
// A word or a quoted string, else the row's kind_msg (token, Line).
int word_or_quoted(block_reader &r, const keyword_rule &rule, void *rec);
// Quoted (else the row's kind_msg), then accepted by validate_commandvar
// without contexts (else its message): route-map and list names.
int quoted_commandvar(block_reader &r, const keyword_rule &rule, void *rec);

// ---- rows of the block table for the neighbor and peer readers ----
extern const entry_def neighbor_entry_def;
extern const entry_def peer_entry_def;
// Numbered once it is read whole.
int file_neighbor(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
int file_peer(block_reader &r, const keyword_rule &rule, void *entry, void *owner);
// PEER-MEMBER # peer = ( variable = value , ... ): each variable a row.
int extract_bgppeermember(block_reader &owner, const keyword_rule &rule, void *rec);

constexpr keyword_rule neighbor_row() {
    return {.name = "NEIGHBOR", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
            .entry = &neighbor_entry_def, .file = file_neighbor};
}

constexpr keyword_rule peer_row() {
    return {.name = "PEER", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
            .entry = &peer_entry_def, .file = file_peer};
}

constexpr keyword_rule peermember_row() {
    return {.name = "PEER-MEMBER", .type = TOKEN_GROUP, .kind = value_kind::none, .repeatable = true,
            .after = extract_bgppeermember,
            .checks = "`PEER-MEMBER # peer = ( variable = value , ... )`: a PEER given before it, node variables "
                      "of the node type"};
}

int parse_bgp(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

#endif
