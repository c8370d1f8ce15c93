// The neighbors and peer groups of a ROUTING-BGP block: NEIGHBOR lists,
// PEER groups (looked up by name across every block of the node type) and
// the PEER-MEMBER variables of a peer group.
#include <cstdlib>
#include <cstring>

#include "bgp.h"
#include "registry.h"
#include "validations.h"

namespace {

constexpr char kErrMaxLenMsg[] = "ERROR: Token exceeded the max length: %s @%d\n";
constexpr char kRoutemapQuotesMsg[] = "Error: Specify routmap name within quotes : %s @ %d\n";
constexpr char kPrefixQuotesMsg[] = "Error: Specify prefix list name within quotes : %s @ %d\n";
constexpr char kDistQuotesMsg[] = "Error: Specify dist list name within quotes : %s @ %d\n";
constexpr char kFilterQuotesMsg[] = "Error: Specify filter list name within quotes : %s @ %d\n";
constexpr char kUpdateQuotesMsg[] = "Error: Specify update-source value within quotes: %s @ %d\n";
constexpr char kUndefinedPeerMsg[] = "Error: Invalid peer name. Not defined : %s @ %d\n";
constexpr char kLineEqualMsg[] = "Error: Invalid syntax '=' expected @ %d\n";
constexpr char kLineOpenMsg[] = "Error: Invalid syntax '(' expected @ %d\n";

// A flag of a list: TRUE or FALSE into its int field.
constexpr keyword_rule flag_key(const char *name, field_ref field, int msg) {
    return {.name = name, .length = length_rule::own, .field = field, .upper = true, .after = bgp_boolean,
            .tag = msg, .checks = "`TRUE` or `FALSE`"};
}

// ---- NEIGHBOR ----

struct neighbor_entry {
    bgp_entry head;
    domain_bgp_info_rec rec;
};
using NB = neighbor_entry;

int neighbor_context(block_reader &r, const keyword_rule &rule, void *rec) {
    if (r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    domain_bgp_info_rec &e = static_cast<NB *>(rec)->rec;
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    if (kind != 1) return r.fail("Error:ip address/network is required for the context: %s @ %d\n", r.tok, Line);
    return 0;
}

// Its slot last, once its length is known to fit.
int neighbor_context_slot(block_reader &r, const keyword_rule &, void *rec) {
    domain_bgp_info_rec &e = static_cast<NB *>(rec)->rec;
    return put_context(r, {e.context1, e.context2, e.context3}, "ERROR: Maximum of three contexts can be given: @ %d\n")
               ? 0
               : 1;
}

// The peer group must be declared before (in any block of the node type).
int peer_group(block_reader &r, const keyword_rule &rule, void *rec) {
    if (word_or_quoted(r, rule, rec)) return 1;
    const bgp_block &b = block_of(rec);
    if (!validate_domainbgppeer(b.domainname, b.nodetype, r.tok)) return r.fail(kUndefinedPeerMsg, r.tok, Line);
    return 0;
}

// A number, or a value checked under the contexts given so far.
int neighbor_weight(block_reader &r, const keyword_rule &rule, void *rec) {
    if (number_or_quoted(r, rule, rec)) return 1;
    domain_bgp_info_rec &e = static_cast<NB *>(rec)->rec;
    int type = 0;
    if (!validate_commandvar(e.domainname, e.nodetype, e.context1, e.context2, e.context3, r.tok, &type))
        return fail_pending(r);
    return 0;
}

constinit keyword_table_of bgpneighbortokens{
    {
        bgp_key({.name = "NEIGHBOR", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
                 .kind_msg = "Error: Specify  neighbor within quotes: %s @ %d\n", .field = NDL_TEXT(NB, rec.neighbor)}),
        bgp_key({.name = "PEER-GROUP", .maxlen = 30, .kind_msg = "ERRor: Peer group name expected : %s @ %d\n",
                 .field = NDL_TEXT(NB, rec.peername), .before = peer_group, .checks = "a PEER given before it"},
                kErrMaxLenMsg),
        bgp_key({.name = "CONTEXT", .maxlen = 100, .kind_msg = "Error: Specify  context within quotes: %s @ %d\n",
                 .repeatable = true, .before = neighbor_context, .after = neighbor_context_slot,
                 .checks = "a context of the node type, such as `\"BYHOST()\"`; at most three"}),
        flag_key("DEFAULT-ORIGINATE", NDL_INT(NB, rec.defaultoriginate), kBoolNeighbor),
        bgp_key({.name = "ROUTEMAP", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(NB, rec.defaultoriginate_rm)},
                kErrMaxLenMsg),
        bgp_key({.name = "ROUTEMAP-IN", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(NB, rec.routemapin)}),
        bgp_key({.name = "ROUTEMAP-OUT", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(NB, rec.routemapout)},
                kErrMaxLenMsg),
        bgp_key({.name = "FILTERLIST-IN", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kFilterQuotesMsg,
                 .field = NDL_TEXT(NB, rec.filterlistin)}),
        bgp_key({.name = "FILTERLIST-OUT", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kFilterQuotesMsg,
                 .field = NDL_TEXT(NB, rec.filterlistout)}),
        bgp_key({.name = "PREFIXLIST-IN", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kPrefixQuotesMsg,
                 .field = NDL_TEXT(NB, rec.prefixlistin)},
                kErrMaxLenMsg),
        bgp_key({.name = "PREFIXLIST-OUT", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kPrefixQuotesMsg,
                 .field = NDL_TEXT(NB, rec.prefixlistout)},
                kErrMaxLenMsg),
        bgp_key({.name = "DISTLIST-IN", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kDistQuotesMsg,
                 .field = NDL_TEXT(NB, rec.distlistin)}),
        bgp_key({.name = "DISTLIST-OUT", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kDistQuotesMsg,
                 .field = NDL_TEXT(NB, rec.distlistout)}),
        bgp_key({.name = "EBGP-MULTI-HOP", .maxlen = 100, .kind = value_kind::number,
                 .kind_msg = "ERRor: Number expected for EBGP-MULTI-HOP : %s @ %d\n",
                 .field = NDL_TEXT(NB, rec.ebgpmultihop)},
                kErrMaxLenMsg),
        flag_key("NEXT-HOP-SELF", NDL_INT(NB, rec.nexthopself), kBoolNeighbor),
        flag_key("ROUTE-REFLECTOR-CLIENT", NDL_INT(NB, rec.routereflector), kBoolNeighbor),
        flag_key("AUTHENTICATED", NDL_INT(NB, rec.passwordreqd), kBoolNeighbor),
        flag_key("SEND-COMMUNITY", NDL_INT(NB, rec.sendcommunity), kBoolNeighbor),
        bgp_key({.name = "UPDATE-SOURCE", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kUpdateQuotesMsg,
                 .field = NDL_TEXT(NB, rec.updatesource)}),
        bgp_key({.name = "REMOTEAS", .maxlen = 30, .kind_msg = "ERRor: Temote asn expected (NUMBER or STRING) : %s @ %d\n",
                 .field = NDL_TEXT(NB, rec.remoteas), .before = number_or_quoted,
                 .checks = "a number or a quoted text, stored as written, unchecked"},
                kErrMaxLenMsg),
        bgp_key({.name = "WEIGHT", .maxlen = 30, .kind_msg = "ERRor: Number expected for weight : %s @ %d\n",
                 .field = NDL_TEXT(NB, rec.weight), .before = neighbor_weight,
                 .checks = "a number, or quoted: " NDL_COMMAND_VALUE},
                kErrMaxLenMsg),
        // Not stored: held to its 30-character field.
        bgp_key({.name = "ADDRTYPE", .maxlen = 30, .field = NDL_TEXT(NB, rec.addrtype), .upper = true}),
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "ERRor: Invalid attribute name : %s @ %d\n", .dup_msg = kDupMsg,
     .dup_err = on_error::fail, .equal_msg = "ERRor: Invalid syntax '=' expected @ %d\n", .equal_token = false,
     .separator_msg = kSeparatorMsg, .close_early = true}};

void init_neighbor(void *entry, void *owner) {
    NB &e = *static_cast<NB *>(entry);
    const bgp_block &b = bgp_of(owner);
    e.head.block = &b;
    e.rec.domainname = b.domainname;
    e.rec.nodetype = b.nodetype;
    e.rec.instancename = b.instancename;
    e.rec.peername = " ";
    e.rec.addrtype = "IPV4";
}

int check_neighbor(block_reader &r, void *entry, void *) {
    domain_bgp_info_rec &e = static_cast<NB *>(entry)->rec;
    if (!e.neighbor[0]) return r.fail("ERRor: Neighbor not specifed. @ %d\n", Line);
    if (mandatory_or_fail(r, "bgpneighbortokens", "ERRor : Mandatory field '%s' in NEIGHBOUR is not defined: %d\n"))
        return 1;
    int kind = address_kind(e.domainname, e.nodetype, e.neighbor, e.context1, e.context2, e.context3);
    if (!kind) return fail_pending(r);
    if (kind != 1) return r.fail("Error:ip address  is required for neighbor: %s @ %d\n", e.neighbor.c_str(), r.start_line);
    // The names of route maps and lists, under the neighbor's contexts.
    for (const char *name : {e.defaultoriginate_rm, e.routemapin, e.routemapout, e.prefixlistin, e.prefixlistout,
                             e.distlistin, e.distlistout, e.filterlistin, e.filterlistout}) {
        int type = 0;
        if (name[0] && !validate_commandvar(e.domainname, e.nodetype, e.context1, e.context2, e.context3, name, &type))
            return fail_pending(r);
    }
    return 0;
}

}  // namespace

const entry_def neighbor_entry_def{.keys = &bgpneighbortokens,
                                   .eof_msg = kRoutingEofMsg,
                                   .equal_msg = "ERRor: Invalid syntax '=' expected @ %d\n",
                                   .equal_token = false,
                                   .open_msg = "ERRor: Invalid syntax '(' expected @ %d\n",
                                   .open_token = false,
                                   .size = sizeof(NB),
                                   .init = init_neighbor,
                                   .check = check_neighbor};

// Numbered once it is read whole.
int file_neighbor(block_reader &, const keyword_rule &, void *entry, void *owner) {
    file_record<domain_bgp_info_rec, NB>(prdomainbgpinfo, entry)->sequence = bgp_of(owner).neighborseq++;
    return 0;
}

namespace {

// ---- PEER ----

struct peer_entry {
    bgp_entry head;
    domain_bgp_peer_rec rec;
};
using PE = peer_entry;

// A peer name is declared once per domain and node type.
int peer_name(block_reader &r, const keyword_rule &rule, void *rec) {
    if (word_or_quoted(r, rule, rec)) return 1;
    const bgp_block &b = block_of(rec);
    if (validate_domainbgppeer(b.domainname, b.nodetype, r.tok))
        return r.fail("Error: Duplicate peer name. Already defined : %s @ %d\n", r.tok, Line);
    return 0;
}

int update_source(block_reader &r, const keyword_rule &rule, void *rec) {
    if (r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    const bgp_block &b = block_of(rec);
    if (address_kind(b.domainname, b.nodetype, r.tok) != 2)
        return r.fail("Error: Interfacename  is required for update source : %s @ %d\n", r.tok, Line);
    return 0;
}

// A route map or list named in a peer: checked at once, without contexts.
constexpr keyword_rule peer_list_key(const char *name, field_ref field, const char *quotes, const char *toolong) {
    return bgp_key({.name = name, .maxlen = 100, .kind = value_kind::quoted, .kind_msg = quotes, .field = field,
                    .before = quoted_commandvar, .checks = "quoted: " NDL_COMMAND_VALUE},
                   toolong);
}

constinit keyword_table_of bgppeertokens{
    {
        bgp_key({.name = "PEER-NAME", .mandatory = 1, .maxlen = 100, .kind_msg = "Error: Peer group name expected : %s @ %d\n",
                 .field = NDL_TEXT(PE, rec.peername), .before = peer_name,
                 .checks = "a name no other PEER of the node type has"},
                kErrMaxLenMsg),
        flag_key("DEFAULT-ORIGINATE", NDL_INT(PE, rec.defaultoriginate), kBoolToken),
        peer_list_key("ROUTEMAP", NDL_TEXT(PE, rec.defaultoriginate_rm), kRoutemapQuotesMsg, kMaxLenMsg),
        peer_list_key("ROUTEMAP-IN", NDL_TEXT(PE, rec.routemapin), kRoutemapQuotesMsg, kMaxLenMsg),
        peer_list_key("ROUTEMAP-OUT", NDL_TEXT(PE, rec.routemapout), kRoutemapQuotesMsg, kErrMaxLenMsg),
        peer_list_key("FILTERLIST-IN", NDL_TEXT(PE, rec.filterlistin), kFilterQuotesMsg, kMaxLenMsg),
        peer_list_key("FILTERLIST-OUT", NDL_TEXT(PE, rec.filterlistout), kFilterQuotesMsg, kErrMaxLenMsg),
        peer_list_key("PREFIXLIST-IN", NDL_TEXT(PE, rec.prefixlistin), kPrefixQuotesMsg, kErrMaxLenMsg),
        peer_list_key("PREFIXLIST-OUT", NDL_TEXT(PE, rec.prefixlistout), kPrefixQuotesMsg, kErrMaxLenMsg),
        peer_list_key("DISTLIST-IN", NDL_TEXT(PE, rec.distlistin), kDistQuotesMsg, kMaxLenMsg),
        peer_list_key("DISTLIST-OUT", NDL_TEXT(PE, rec.distlistout), kDistQuotesMsg, kMaxLenMsg),
        bgp_key({.name = "EBGP-MULTI-HOP", .maxlen = 30, .kind = value_kind::number,
                 .kind_msg = "Error: Number expected for EBGP-MULTI-HOP : %s @ %d\n",
                 .field = NDL_TEXT(PE, rec.ebgp_multihop)},
                kErrMaxLenMsg),
        flag_key("NEXT-HOP-SELF", NDL_INT(PE, rec.nexthopself), kBoolLine),
        flag_key("ROUTE-REFLECTOR-CLIENT", NDL_INT(PE, rec.routereflector), kBoolLine),
        flag_key("AUTHENTICATED", NDL_INT(PE, rec.passwordreqd), kBoolLine),
        flag_key("SEND-COMMUNITY", NDL_INT(PE, rec.sendcommunity), kBoolLine),
        bgp_key({.name = "UPDATE-SOURCE", .maxlen = 100, .kind = value_kind::quoted, .kind_msg = kUpdateQuotesMsg,
                 .field = NDL_TEXT(PE, rec.updatesource), .before = update_source,
                 .checks = "a quoted interface of the node type"}),
        bgp_key({.name = "WEIGHT", .maxlen = 30, .kind = value_kind::number,
                 .kind_msg = "Error: Number expected for weight : %s @ %d\n", .field = NDL_TEXT(PE, rec.weight)}),
        bgp_key({.name = "REMOTEAS", .maxlen = 30, .kind_msg = "Error: Remote asn expected : %s @ %d\n",
                 .field = NDL_TEXT(PE, rec.remoteas), .before = number_or_quoted,
                 .checks = "a number or a quoted text, stored as written, unchecked"}),
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .dup_err = on_error::fail,
     .equal_msg = kLineEqualMsg, .equal_token = false, .separator_msg = kSeparatorMsg, .close_early = true}};

void init_peer(void *entry, void *owner) {
    PE &e = *static_cast<PE *>(entry);
    const bgp_block &b = bgp_of(owner);
    e.head.block = &b;
    e.rec.domainname = b.domainname;
    e.rec.nodetype = b.nodetype;
    e.rec.instancename = b.instancename;
}

int check_peer(block_reader &r, void *, void *) {
    return mandatory_or_fail(r, "bgppeertokens", "Error : Mandatory field '%s' in bgppeertokens is not defined: %d\n");
}

}  // namespace

const entry_def peer_entry_def{.keys = &bgppeertokens,
                               .eof_msg = kRoutingEofMsg,
                               .equal_msg = kLineEqualMsg,
                               .equal_token = false,
                               .open_msg = kLineOpenMsg,
                               .open_token = false,
                               .size = sizeof(PE),
                               .init = init_peer,
                               .check = check_peer};

int file_peer(block_reader &, const keyword_rule &, void *entry, void *) {
    file_record<domain_bgp_peer_rec, PE>(prdomainbgppeer, entry);
    return 0;
}

// ---- PEER-MEMBER # peer = ( variable = value , ... ) ----

// Each variable is a row at once: a failure keeps the rows before it.
int extract_bgppeermember(block_reader &owner, const keyword_rule &, void *rec) {
    const bgp_block &b = bgp_of(rec);
    block_reader r(owner.fp, bgpneighbortokens, kRoutingEofMsg);
    // The end of the file is a token like any other here: each step's own
    // check refuses it (an empty value is taken, the "," after it is not).
    r.read();
    if (r.kind != TOKEN_HASH) return r.fail("Error: Keyword '#' expected: %s @%d\n", r.tok, Line);
    r.read();
    if (r.kind != TOKEN_WORD) return r.fail("Error: bgp peer name expected : %s @%d\n", r.tok, Line);
    if (!validate_domainbgppeer(b.domainname, b.nodetype, r.tok)) return r.fail(kUndefinedPeerMsg, r.tok, Line);
    // A token holds at most 299 characters: every copy below fits.
    char peername[kText];
    assert(std::strlen(r.tok) < sizeof peername);
    store_text(peername, sizeof peername, r.tok, kText - 1);
    if (!r.expect("=", kLineEqualMsg, false) || !r.expect("(", kLineOpenMsg, false)) return 1;
    r.read();
    // An empty list, or a "," directly before ")", ends without a row.
    while (r.kind != TOKEN_RPAREN) {
        if (r.kind != TOKEN_WORD) return r.fail(kBadKeyMsg, r.tok, Line);
        int type = 0;
        if (!validate_vars(b.domainname, b.nodetype, r.tok, "VAR", &type, nullptr)) return fail_pending(r);
        domain_bgp_peer_rule_rec *row = alloc_record<domain_bgp_peer_rule_rec>();
        store_text(row->variablename, r.tok, kText - 1);
        if (!r.expect("=", kLineEqualMsg, false)) {
            free_record(row);
            return 1;
        }
        r.read();
        // Taken as written, whatever its kind (a token error's text too).
        store_text(row->variablevalue, r.tok, kText - 1);
        row->domainname = b.domainname;
        row->nodetype = b.nodetype;
        row->peername = peername;
        row->instancename = b.instancename;
        append_record(prdomainbgppeerrule, row);
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail(kSeparatorMsg, r.tok, Line);
        r.read();
    }
    return 0;
}

