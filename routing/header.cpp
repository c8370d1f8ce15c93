// What the routing blocks share: the header, the body loop, the block-level
// rows, the key rules of the sub-attribute lists, the protocol declaration
// and the label-switching blocks, which have nothing else.
#include <cstdlib>
#include <cstring>

#include "registry.h"
#include "routing_blocks.h"
#include "validations.h"

const value_table MandOpt[] = {"M", "O", ""};
const value_table StubTypes[] = {"stub", "nssa", ""};
const value_table RedistributeProtocols[] = {"connected", "static", "ospf", "bgp", "eigrp", "rip", "igrp", ""};
const value_table Direction[] = {"in", "out", ""};

const char kRoutingEofMsg[] = "Error: Unexpected end of file @ %d \n";
const char kMaxLenMsg[] = "Token exceeded the max length: %s @%d\n";
const char kDupMsg[] = "ERROR: Duplicate token: '%s' @ %d\n";
const char kBadKeyMsg[] = "Error: Invalid attribute name : %s @ %d\n";
const char kSeparatorMsg[] = "Error:',' or ')' expected : %s @ %d\n";
const char kNumberMsg[] = "Error:Number (1 to 32) expected : %s @ %d\n";
const char kMaxDefinedMsg[] = "ERROR: Maximum of three contexts can be defined: @ %d\n";

// ---- header and body ----

void start_block(routing_block &b, const char *protocol) {
    b = routing_block{};
    std::strcpy(b.instancename, kInstanceUnset);
    b.protocol = protocol;
    b.asn = b.process;
}

namespace {

// A name of the header: 1 when it fits its field and `known` accepts it.
template <class Known>
bool header_name(block_reader &r, char (&field)[kName], Known known) {
    return store_text(field, sizeof field, r.tok, kName - 1) && known();
}

// Where the domain or node type is expected: 1 when the block stops there.
int header_end(block_reader &r, const header_spec &h) {
    if (r.ended && !h.eof_is_name) return r.eof();
    if (h.eof_is_name && r.kind == TOKEN_ERROR) return r.fail(r.eof_msg, Line);
    return 0;
}

}  // namespace

int read_header(block_reader &r, const header_spec &h, routing_block &b) {
    r.read();
    if (header_end(r, h)) return 1;
    if (!header_name(r, b.domainname, [&] { return validate_domain(b.domainname) != 0; })) {
        if (!h.lenient) return r.fail(h.domain_msg, r.tok, Line);
        r.flag(h.domain_msg, r.tok, Line);
    }
    // Where a word is expected, the end of the file is a token its check
    // refuses.
    r.read();
    if (!r.is(".")) return h.dot_line_only ? r.fail(h.dot_msg, Line) : r.fail(h.dot_msg, r.tok, Line);
    r.read();
    if (header_end(r, h)) return 1;
    char devicetype[kName];
    if (!header_name(r, b.nodetype, [&] { return validate_node(b.domainname, b.nodetype, devicetype) != 0; })) {
        if (!h.lenient) return r.fail(h.node_msg, r.tok, Line);
        r.flag(h.node_msg, r.tok, Line);
    }
    if (h.after_node && h.after_node(r, b)) return 1;
    if (h.process_msg) {
        r.read_upper();
        if (std::strcmp(r.tok, kProcessRow.name) != 0) return r.fail(h.process_msg, r.tok, Line);
        r.read();
        if (r.kind != TOKEN_NUMBER)
            return h.number_named ? r.fail(h.number_msg, b.protocol, r.tok, Line) : r.fail(h.number_msg, r.tok, Line);
        std::memcpy(b.process, r.tok, sizeof b.process - 1);
    }
    if (h.mo_msg) {
        r.read_upper();
        if (!validate_var(MandOpt, r.tok)) return r.fail(h.mo_msg, r.tok, Line);
        std::strcpy(b.mandatory, r.tok);
    }
    r.read();
    if (r.kind != TOKEN_BEGIN) return r.fail(h.begin_msg, r.tok, Line);
    return 0;
}

int read_body(block_reader &r, routing_block &b) { return read_attributes(r, &b); }

bool declare_protocol(const routing_block &b, const char *asn) {
    return validate_protocols(b.domainname, b.nodetype, b.protocol, asn, b.mandatory, "", "", b.usagecondition,
                              b.ownercontext, b.instancename) == 0;
}

// ---- block-level rows ----

const char kBlockEqualMsg[] = "Error: '=' expected : %s @%d\n";

int owner_context(block_reader &r, const keyword_rule &, void *rec) {
    routing_block &b = *static_cast<routing_block *>(rec);
    int kind = 0;
    if (!validate_context(b.domainname, b.nodetype, r.tok, &kind)) return fail_pending(r);
    return 0;
}

// Only an optional protocol has a usage condition; its "=" comes after
// that check.
int usage_condition(block_reader &r, const keyword_rule &, void *rec) {
    routing_block &b = *static_cast<routing_block *>(rec);
    if (std::strcmp(b.mandatory, "O") != 0)
        return r.fail("Error: USAGE-CONDITION is applicable only for Optional protocols.@ %d\n", Line);
    if (!r.expect("=", "Error: Invalid syntax '=' expected @ %d\n", false)) return 1;
    // At the end of the file the condition is empty, which is valid: the
    // body's next token is the end again.
    r.read();
    int kind = 0;
    if (!validate_context(b.domainname, b.nodetype, r.tok, &kind)) return fail_pending(r);
    // A token holds at most 299 characters: it always fits.
    assert(std::strlen(r.tok) < sizeof b.usagecondition);
    store_text(b.usagecondition, sizeof b.usagecondition, r.tok, kText - 1);
    return 0;
}

// A block-level value that is a token error ends the body as END does.
int body_value(block_reader &r, const keyword_rule &, void *) { return r.error_ends() ? 1 : 0; }

// ---- sub-attribute lists ----

int key_once(block_reader &r, const keyword_rule &rule, void *rec) {
    list_base &base = *static_cast<list_base *>(rec);
    uint32_t bit = 1u << (&rule - r.keys->rows().data());
    if (base.seen & bit) return r.fail(kDupMsg, rule.name, Line);
    base.seen |= bit;
    return 0;
}

int prefix_value(block_reader &r, const keyword_rule &rule, void *rec) {
    list_base &base = *static_cast<list_base *>(rec);
    if (std::strcmp(r.tok, "AUTO") == 0) {
        base.prefix = -1;
    } else {
        // Digits only, and within range before it becomes a number.
        int32_t n = 0;
        int low = rule.tag ? 0 : 1;
        if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &n) || n < low || n > 32)
            return r.fail(rule.kind_msg ? rule.kind_msg : kNumberMsg, r.tok, Line);
        base.prefix = n;
    }
    base.prefix_given = true;
    // "AUTO" or at most two digits: it fits.
    store_text(base.prefixtext, sizeof base.prefixtext, r.tok, sizeof base.prefixtext - 1);
    return 0;
}

int check_prefix(block_reader &r, const list_base &base, const char *address, const char *range_msg) {
    if (!base.prefix_given || base.prefix < 0) return 0;
    bool anyaddress = std::strcmp(address, "0.0.0.0") == 0;
    if (anyaddress && base.prefix != 0)
        return r.fail("Error:Value 0 expected for prefix : %s @ %d\n", base.prefixtext, Line);
    if (!anyaddress && base.prefix == 0) return r.fail(range_msg, base.prefixtext, Line);
    return 0;
}

bool put_context(block_reader &r, std::initializer_list<context_slot> slots, const char *max_msg) {
    for (text_field<kText> &slot : slots)
        if (slot.empty()) {
            store_text(slot, r.tok, kText - 1);
            return true;
        }
    r.flag(max_msg, Line);
    return false;
}

int context_checked(block_reader &r, const char *domainname, const char *nodetype, int *kind) {
    *kind = 0;
    if (validate_context(domainname, nodetype, r.tok, kind)) return 1;
    fail_pending(r);
    return 0;
}

int address_kind(const char *domainname, const char *nodetype, const char *value, const char *c1,
                 const char *c2, const char *c3) {
    int kind = 0, type = 0;
    if (!check_addrandvars(domainname, nodetype, c1, c2, c3, value, &kind, &type)) return 0;
    return kind;
}

int mandatory_or_fail(block_reader &r, const char *tablename, const char *fmt) {
    return r.check_mandatory(tablename, fmt, r.start_line) ? 0 : 1;
}

// ---- MPLS, LDP, RSPVP, TAGSWITCHING ----

namespace {

constinit keyword_table_of protocolblocktokens{{token_row("BEGIN", TOKEN_BEGIN), token_row("END", TOKEN_END)},
                                               {.invalid_msg = "Error: Invalid attribute name : %s @ %d\n",
                                                .error_ends = true}};

}  // namespace

int parse_protocolblock(FILE *fp, FILE *, const char *protocol) {
    block_reader r(fp, protocolblocktokens, kRoutingEofMsg);
    routing_block b;
    start_block(b, protocol);
    if (read_header(r, kLabelHeader, b) || read_body(r, b)) return 1;
    if (validate_protocols(b.domainname, b.nodetype, protocol, "1", b.mandatory, "", "", "", "", "GLOBAL"))
        return r.fail("Error: Protocl '%s' has already been defined for %s:%s @%d\n", protocol, b.domainname,
                      b.nodetype, Line);
    return 0;
}

namespace {

constexpr block_unique protocol_unique[] = {
    {.what = "The protocol (one block of each)", .within = "the node type",
     .message = "Error: Protocl '%s' has already been defined for %s:%s @%d\n"},
};

const block_doc protocol_doc = with_unique(node_block_doc("DOMAIN.TYPE M BEGIN",
                                                          "MPLS NORTH.PE M BEGIN\n"
                                                          "END\n", kProtocolRules),
                                           protocol_unique);

}  // namespace

block_keys protocolblock_keys() { return {&protocolblocktokens, nullptr, &protocol_doc}; }
