// ROUTING-BGP: the BGP process of a node type, named by its AS number; its
// router and cluster ids, its NETWORK statements and AGGREGATE addresses,
// and (bgp_peers.cpp) its neighbors and peer groups, with the shared
// REDISTRIBUTION and DISTRIBUTE lists.
#include "bgp.h"

#include <cstdlib>
#include <cstring>

#include "registry.h"
#include "validations.h"

// ---- key rules the BGP lists share ----

int bgp_boolean(block_reader &r, const keyword_rule &rule, void *rec) {
    static const char *const msgs[] = {
        "ERRor: Invalid syntax boolean value expected @%d\n",
        "Error: Invalid syntax boolean value expected @%d\n",
        "Error: Invalid syntax boolean value expected  %s @ %d\n",
    };
    if (!validate_var(Boolean, r.tok))
        return rule.tag == kBoolToken ? r.fail(msgs[rule.tag], r.tok, Line) : r.fail(msgs[rule.tag], Line);
    int32_t value = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    std::memcpy(static_cast<char *>(rec) + rule.field.offset, &value, sizeof value);
    return 0;
}

int number_or_quoted(block_reader &r, const keyword_rule &rule, void *) {
    if (r.kind != TOKEN_NUMBER && r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    return 0;
}

int word_or_quoted(block_reader &r, const keyword_rule &rule, void *) {
    if (r.kind != TOKEN_WORD && r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    return 0;
}

int quoted_commandvar(block_reader &r, const keyword_rule &rule, void *rec) {
    if (r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    const bgp_block &b = block_of(rec);
    int type = 0;
    if (!validate_commandvar(b.domainname, b.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    return 0;
}

namespace {

// ---- NETWORK and AGGREGATE ----

// An address of a NETWORK or AGGREGATE list: quoted (else the row's
// kind_msg); "0.0.0.0" as it stands, anything else an IP address or
// network (else the check's message, or the row's tag message).
int bgp_address(block_reader &r, const keyword_rule &rule, void *rec) {
    static const char *const kind1_msgs[] = {
        "Error:valid ip network is required for the bgp network statement: %s @ %d\n",
        "Error: ip address/network is required for the bgp address aggregate: %s @ %d\n",
    };
    if (r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    if (!std::strcmp(r.tok, "0.0.0.0")) return 0;
    const bgp_block &b = block_of(rec);
    int kind = address_kind(b.domainname, b.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 1) return r.fail(kind1_msgs[rule.tag], r.tok, Line);
    return 0;
}

// PREFIX: AUTO or 0 to 32; against an address given before it at once,
// else once the list is read.
template <class E>
int bgp_prefix(block_reader &r, const keyword_rule &rule, void *rec) {
    if (prefix_value(r, rule, rec)) return 1;
    E &e = *static_cast<E *>(rec);
    if (!e.rec.networkaddr[0]) return 0;
    return check_prefix(r, e.head.base, e.rec.networkaddr, rule.kind_msg);
}

constexpr char kNetworkRangeMsg[] = "Error:Number (1 to 32) expected : %s @ %d\n";
constexpr char kAggregateRangeMsg[] = "Error: Number (1 to 32) expected : %s @ %d\n";
constexpr char kRoutemapQuotesMsg[] = "Error: Specify routemap name within quotes : %s @ %d\n";
constexpr char kLineEqualMsg[] = "Error: Invalid syntax '=' expected @ %d\n";
constexpr char kLineOpenMsg[] = "Error: Invalid syntax '(' expected @ %d\n";

struct network_entry {
    bgp_entry head;
    domain_bgp_network_rec rec;
};
using NE = network_entry;

constinit keyword_table_of bgpnetworktokens{
    {
        bgp_key({.name = "NETWORK", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
                 .kind_msg = "Error: Specify bgp network within quotes: %s @ %d\n",
                 .field = NDL_TEXT(NE, rec.networkaddr), .before = bgp_address, .tag = 0,
                 .checks = "a quoted address or network of the node type, or `\"0.0.0.0\"`"}),
        {.name = "PREFIX", .maxlen = 2, .length = length_rule::own, .kind_msg = kNetworkRangeMsg, .upper = true,
         .after = bgp_prefix<NE>, .tag = 1,
         .checks = "a number up to 32, or AUTO; 0 only with the address `\"0.0.0.0\"`"},
        bgp_key({.name = "ROUTEMAP", .maxlen = 30, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(NE, rec.routemapname), .before = quoted_commandvar,
                 .checks = "quoted: " NDL_COMMAND_VALUE}),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .dup_err = on_error::fail,
     .equal_msg = kLineEqualMsg, .equal_token = false, .separator_msg = kSeparatorMsg, .close_early = true}};

// The number goes to the list before it is read.
void init_network(void *entry, void *owner) {
    NE &e = *static_cast<NE *>(entry);
    bgp_block &b = bgp_of(owner);
    e.head.block = &b;
    e.rec.domainname = b.domainname;
    e.rec.nodetype = b.nodetype;
    e.rec.protocol = b.protocol;
    e.rec.asn = b.asn;
    e.rec.instancename = b.instancename;
    e.rec.networkno = ++b.bgpnetworks;
}

int check_network(block_reader &r, void *entry, void *) {
    NE &e = *static_cast<NE *>(entry);
    if (!e.rec.networkaddr[0]) return r.fail("Error: Network address not specifed. @ %d\n", Line);
    if (mandatory_or_fail(r, "bgpnetworktokens", "Error : Mandatory field '%s' for NETWORK is not defined: %d\n"))
        return 1;
    // Whichever of NETWORK and PREFIX came first.
    if (check_prefix(r, e.head.base, e.rec.networkaddr, kNetworkRangeMsg)) return 1;
    e.rec.networkmask = e.head.base.prefix_given ? e.head.base.prefix : 0;
    return 0;
}

const entry_def network_entry_def{.keys = &bgpnetworktokens,
                                  .eof_msg = kRoutingEofMsg,
                                  .equal_msg = kLineEqualMsg,
                                  .equal_token = false,
                                  .open_msg = kLineOpenMsg,
                                  .open_token = false,
                                  .size = sizeof(NE),
                                  .init = init_network,
                                  .check = check_network};

int file_network(block_reader &, const keyword_rule &, void *entry, void *) {
    file_record<domain_bgp_network_rec, NE>(prdomainbgpnetwork, entry);
    return 0;
}

struct aggregate_entry {
    bgp_entry head;
    domain_bgp_addr_agrr_rec rec;
};
using AE = aggregate_entry;

int aggregate_context(block_reader &r, const keyword_rule &, void *rec) {
    domain_bgp_addr_agrr_rec &e = static_cast<AE *>(rec)->rec;
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    return put_context(r, {e.context1, e.context2, e.context3}, "ERROR: Maximum of three contexts can be given: @ %d\n")
               ? 0
               : 1;
}

constinit keyword_table_of bgpaggregatetokens{
    {
        bgp_key({.name = "NETWORK", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
                 .kind_msg = "Error: Specify aggregate address within quotes: %s @ %d\n",
                 .field = NDL_TEXT(AE, rec.networkaddr), .before = bgp_address, .tag = 1,
                 .checks = "a quoted address or network of the node type, or `\"0.0.0.0\"`"}),
        {.name = "PREFIX", .mandatory = 1, .maxlen = 3, .length = length_rule::own, .kind_msg = kAggregateRangeMsg,
         .upper = true, .after = bgp_prefix<AE>, .tag = 1,
         .checks = "a number up to 32, or AUTO; 0 only with the address `\"0.0.0.0\"`"},
        {.name = "AS-SET", .mandatory = 1, .maxlen = 1, .length = length_rule::own, .field = NDL_INT(AE, rec.asset),
         .upper = true, .after = bgp_boolean, .tag = kBoolLine, .checks = "`TRUE` or `FALSE`"},
        {.name = "SUMMARY-ONLY", .maxlen = 1, .length = length_rule::own, .field = NDL_INT(AE, rec.summaryonly),
         .upper = true, .after = bgp_boolean, .tag = kBoolToken, .checks = "`TRUE` or `FALSE`"},
        bgp_key({.name = "SUPPRESS-MAP", .maxlen = 80, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(AE, rec.supressmap), .before = quoted_commandvar,
                 .checks = "quoted: " NDL_COMMAND_VALUE}),
        bgp_key({.name = "ADVERTISE-MAP", .maxlen = 80, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(AE, rec.advertisemap), .before = quoted_commandvar,
                 .checks = "quoted: " NDL_COMMAND_VALUE}),
        bgp_key({.name = "ATTRIBUTE-MAP", .maxlen = 80, .kind = value_kind::quoted, .kind_msg = kRoutemapQuotesMsg,
                 .field = NDL_TEXT(AE, rec.attributemap), .before = quoted_commandvar,
                 .checks = "quoted: " NDL_COMMAND_VALUE}),
        // Any context fits its slot: only the slots are counted.
        {.name = "CONTEXT", .maxlen = 200, .kind = value_kind::quoted, .length = length_rule::own,
         .kind_msg = "Error: Specify context  within quotes: %s @ %d\n", .repeatable = true,
         .after = aggregate_context, .checks = "a context of the node type, such as `\"BYHOST()\"`; at most three"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .dup_err = on_error::fail,
     .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n", .separator_msg = kSeparatorMsg,
     .close_early = true}};

void init_aggregate(void *entry, void *owner) {
    AE &e = *static_cast<AE *>(entry);
    bgp_block &b = bgp_of(owner);
    e.head.block = &b;
    e.rec.domainname = b.domainname;
    e.rec.nodetype = b.nodetype;
    e.rec.instancename = b.instancename;
    e.rec.networkno = ++b.aggregates;
}

int check_aggregate(block_reader &r, void *entry, void *) {
    AE &e = *static_cast<AE *>(entry);
    if (!e.rec.networkaddr[0]) return r.fail("Error: Aggregate address not specifed. @ %d\n", Line);
    if (mandatory_or_fail(r, "bgpaggregatetokens", "Error : Mandatory field '%s' for AGGREGATE is not defined: %d\n"))
        return 1;
    if (check_prefix(r, e.head.base, e.rec.networkaddr, kAggregateRangeMsg)) return 1;
    e.rec.networkprefix = e.head.base.prefix;
    return 0;
}

const entry_def aggregate_entry_def{.keys = &bgpaggregatetokens,
                                    .eof_msg = kRoutingEofMsg,
                                    .equal_msg = "Error: Invalid syntax '=' expected : %s @ %d\n",
                                    .open_msg = "Error: Invalid syntax '(' expected : %s @ %d\n",
                                    .size = sizeof(AE),
                                    .init = init_aggregate,
                                    .check = check_aggregate};

int file_aggregate(block_reader &, const keyword_rule &, void *entry, void *) {
    file_record<domain_bgp_addr_agrr_rec, AE>(prdomainbgpaddragrr, entry);
    return 0;
}

// ---- the block ----

constexpr char kIdQuotesMsg[] = "Error: Specify bgp network within quotes: %s @ %d\n";
constexpr char kIdLengthMsg[] = "ERROR: Token length exceeds max size: '%s' @ %d\n";

// ROUTERID and CLUSTERID: quoted, checked, then held to 30 characters.
int router_id(block_reader &r, const keyword_rule &, void *rec) {
    bgp_block &b = bgp_of(rec);
    if (r.kind != TOKEN_QUOTED) return r.fail(kIdQuotesMsg, r.tok, Line);
    int kind = address_kind(b.domainname, b.nodetype, r.tok);
    if (!kind) return fail_pending(r);
    if (kind != 1)
        return r.fail("Error:valid ip network is required for the bgp network statement: %s @ %d\n", r.tok, Line);
    if (!store_text(b.routerid, sizeof b.routerid, r.tok, 30)) return r.fail(kIdLengthMsg, r.tok, Line);
    return 0;
}

int cluster_id(block_reader &r, const keyword_rule &, void *rec) {
    bgp_block &b = bgp_of(rec);
    if (r.kind != TOKEN_QUOTED) return r.fail(kIdQuotesMsg, r.tok, Line);
    int type = 0;
    if (!validate_commandvar(b.domainname, b.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    if (!store_text(b.clusterid, sizeof b.clusterid, r.tok, 30)) return r.fail(kIdLengthMsg, r.tok, Line);
    return 0;
}

// The block's "=" message takes the line only.
constexpr keyword_rule block_row(keyword_rule k) {
    k.equal_msg = nullptr;
    return k;
}

// Compared as written: "asn" is no keyword here.
constexpr keyword_rule kAsnRow =
    with_checks(token_row("ASN", TOKEN_WORD),
                "in the block's head after the node type: `ASN n`, in upper case, n a number or a quoted text; "
                NDL_COMMAND_VALUE);

constinit keyword_table_of bgptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        kAsnRow,
        block_row(instancename_row()),
        block_row(ownercontext_row()),
        {.name = "ROUTERID", .maxlen = 30, .length = length_rule::own, .repeatable = true, .after = router_id,
         .checks = "a quoted address of the node type"},
        usagecondition_row(),
        {.name = "CLUSTERID", .maxlen = 30, .length = length_rule::own, .repeatable = true, .after = cluster_id,
         .checks = "quoted, up to 30 characters: " NDL_COMMAND_VALUE},
        {.name = "NETWORK", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &network_entry_def, .file = file_network},
        {.name = "AGGREGATE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &aggregate_entry_def, .file = file_aggregate},
        peer_row(),
        peermember_row(),
        neighbor_row(),
        redistribution_row(),
        distribute_row(),
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "Error: Invalid attribute name encountered : %s @%d\n", .equal_msg = kLineEqualMsg,
     .equal_token = false, .error_ends = true}};

// ASN and the AS number, kept as written (a number or a quoted value).
int read_asn(block_reader &r, routing_block &b) {
    r.read();
    if (std::strcmp(r.tok, kAsnRow.name) != 0)
        return r.fail("Error: Syntax error . Keyword 'ASN' expected: %s  @%d\n", r.tok, Line);
    r.read();
    if (r.kind != TOKEN_NUMBER && r.kind != TOKEN_QUOTED)
        return r.fail("Error: Syntax error. Numeric field or Quoted string expected for ASN field: %s  @%d\n", r.tok,
                      Line);
    int type = 0;
    if (!validate_commandvar(b.domainname, b.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    // A token holds at most 299 characters: it fits.
    assert(std::strlen(r.tok) < sizeof b.process);
    store_text(b.process, sizeof b.process, r.tok, kText - 1);
    return 0;
}

constexpr header_spec bgp_header() {
    header_spec h = kLabelHeader;
    h.after_node = read_asn;
    // Only a token error is the end of the file here: the end itself is a
    // name the domain and node checks refuse.
    h.eof_is_name = true;
    return h;
}
constexpr header_spec kBgpHeader = bgp_header();

}  // namespace

int parse_bgp(FILE *fp, FILE *, const char *) {
    block_reader r(fp, bgptokens, kRoutingEofMsg);
    bgp_block b;
    start_block(b, "BGP");
    routing_block &base = b;
    if (read_header(r, kBgpHeader, b) || read_body(r, base)) return 1;
    if (validate_protocols(b.domainname, b.nodetype, b.protocol, b.process, b.mandatory, b.routerid, b.clusterid,
                           b.usagecondition, b.ownercontext, b.instancename))
        return r.fail("Error: Protocl BGP has already been defined for %s:%s %s@%d\n", b.domainname, b.nodetype,
                      b.process, Line);
    return 0;
}

namespace {

constexpr block_unique bgp_unique[] = {
    {.what = "Its ASN with its INSTANCENAME (GLOBAL when not given)", .within = "the node type",
     .message = "Error: Protocl BGP has already been defined for %s:%s %s@%d\n"},
    {.what = "A PEER's PEER-NAME", .within = "the node type (every ROUTING-BGP block of it)",
     .message = "Error: Duplicate peer name. Already defined : %s @ %d\n", .part = "M BEGIN\n",
     .again = "  PEER = ( PEER-NAME = IBGP , REMOTEAS = 65010 )\n  PEER = ( PEER-NAME = IBGP , REMOTEAS = 65010 )\n"},
};

const block_doc bgp_doc = with_unique(node_block_doc("DOMAIN.TYPE ASN n M BEGIN",
                                                     "ROUTING-BGP NORTH.PE ASN 65010 M BEGIN\n"
                                                     "END\n", kProtocolRules),
                                      bgp_unique);

}  // namespace

block_keys bgp_keys() { return {&bgptokens, nullptr, &bgp_doc}; }
