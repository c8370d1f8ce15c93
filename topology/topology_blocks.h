// The block parsers of the TOPOLOGY and CUSTOMER sections. Every block
// parser has the driver's signature: it is called after its block keyword,
// returns 0 when the block was read to its END (errors may have been
// flagged) and 1 after an error that stopped it (logged, g_error set, the
// token kept for skip_block).
#ifndef NDL_TOPOLOGY_BLOCKS_H
#define NDL_TOPOLOGY_BLOCKS_H

#include <cstdio>
#include <cstdlib>

#include "block.h"
#include "topology.h"

// ---- VARIABLE definitions ----
// The keywords of a block made of VARIABLE definitions up to END
// (NETWORKVARS, DOMAIN, NODES): VARIABLE, or any plain word, opens a
// definition that `file` files; any other token fails with `invalid_msg`
// (token, Line, kind).
keyword_table variable_block_keys(entry_file file, const char *invalid_msg);

// A block's step for one definition, as an entry's file step: the
// definition is freed after it.
using var_step = int (*)(block_reader &r, var_def &def, void *owner);
template <var_step Step>
int file_definition(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    var_def *def = static_cast<var_def *>(entry);
    int status = Step(r, *def, owner);
    std::free(def);
    return status;
}

// ---- NETWORK, NETWORKVARS ----
int parse_network(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkvars(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- LISTDEFS, SYSTEMLIST, GLOBALLISTS, INTERFACE-BANDWIDTH-LIST ----
// The texts that the list blocks share: their BEGIN, their entries
// "KEY = ( NAME = n , KEY = "a, b ..." )" and a repeated element.
inline constexpr char kListBeginMsg[] = "ERROR : Invalid token,  'BEGIN' expected : '%s' @ %d \n";
inline constexpr char kListInvalidMsg[] = "ERROR : Invalid Input %s @%d %d\n";
inline constexpr char kListEqualMsg[] = "ERROR : Syntax error '=' expected : %s @%d\n";
inline constexpr char kListOpenMsg[] = "ERROR : Syntax error '(' expected : %s @%d\n";
inline constexpr char kListSeparatorMsg[] = "ERROR : Syntax error ','  expected :%s @%d\n";
inline constexpr char kListCloseMsg[] = "ERROR : Syntax error ')'  expected :%s @%d\n";
inline constexpr char kListQuotedMsg[] = "ERROR : Quoted string expected :%s @%d\n";
inline constexpr char kListNameMsg[] = "ERROR :Syntax error NAME expected': %s @%d\n";
inline constexpr char kDuplicateElementMsg[] = "ERROR : Duplicate element value for list :%s %s  @ %d\n";
// How such an entry is read: its two keywords in order.
inline constexpr loop_options kListEntryOptions{.style = loop_style::ordered,
                                                .equal_msg = kListEqualMsg,
                                                .separator_msg = kListSeparatorMsg,
                                                .close_msg = kListCloseMsg};
extern const value_table systemlists[];
int parse_listdefs(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_systemlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
// Files the elements of a LIST's quoted text under `listname`: 0, or 1
// after a logged error.
int extract_listelements(const char *text, const char *listname);
// A block "BEGIN entries END" of `keys` (LISTDEFS and the lists below).
int read_list_block(FILE *fp, keyword_table &keys);
int parse_globallists(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_intbandwidthlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// ---- DOMAIN, NODES, ADDRESSPOOL ----
extern keyword_table domaintokens;
int parse_domains(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_nodes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_addresspools(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkpool(FILE *fp);
// One domain_service_rec per service of the comma-separated `services`
// (letters and "-" only), each with `source`: 0, or 1 with the message in
// g_errormsg (not logged).
int formatSource(const char *domainname, const char *nodetype, const char *services,
                 const char *source);

// ---- SERVICE-TYPE, POOL-CLASS, POOL-TYPE ----
int parse_servicetypes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_poolclass(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_pooltypes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

#endif
