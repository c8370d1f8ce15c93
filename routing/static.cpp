// ROUTING-STATIC: the static IP routes of one node type, one IP list each.
// The block declares no protocol and has no M/O flag.
#include <cstdlib>
#include <cstring>

#include "registry.h"
#include "routing_blocks.h"
#include "validations.h"

namespace {

struct static_entry {
    list_base base;
    domain_static_route_rec rec;
};
using SE = static_entry;

constexpr char kListEqualMsg[] = "Error: Invalid syntax '=' expected @ %d\n";
// The loop hands (token, Line) to its "=" message; this text shows the line.
constexpr char kKeyEqualMsg[] = "%.0sError: Invalid syntax '=' expected @ %d\n";

int static_context(block_reader &r, const keyword_rule &, void *rec) {
    domain_static_route_rec &e = static_cast<SE *>(rec)->rec;
    int kind = 0;
    if (!context_checked(r, e.domainname, e.nodetype, &kind)) return 1;
    if (kind != 1) return r.fail("Error:ip address function required for context : %s @ %d\n", r.tok, Line);
    put_context(r, {e.context1, e.context2, e.context3}, "ERROR: Maximum of three contexts can be given: @ %d\n");
    return 0;
}

constinit keyword_table_of ipstaticroutetokens{
    {
        {.name = "NETWORK", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify Source IP address within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .field = NDL_TEXT(SE, rec.sourceaddr), .repeatable = true,
         .before = key_once, .checks = "once in the list; an address function of the node type, or `\"0.0.0.0\"`"},
        {.name = "PREFIX", .maxlen = 30, .length = length_rule::own, .upper = true, .repeatable = true,
         .before = key_once, .after = prefix_value, .tag = 1, .checks = "once; a number up to 32, or AUTO"},
        {.name = "CONTEXT", .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify context  within quotes: %s @ %d\n", .toolong_msg = kMaxLenMsg,
         .toolong_err = on_error::fail, .repeatable = true, .after = static_context,
         .checks = "a context of the node type, such as `\"BYHOST()\"`; at most three"},
        // Unquoted is reported, and the value is taken all the same.
        {.name = "DESTINATION", .mandatory = 1, .maxlen = 100, .kind = value_kind::quoted,
         .kind_msg = "Error: Specify destination address/name within quotes: %s @ %d\n", .kind_err = on_error::flag,
         .toolong_msg = kMaxLenMsg, .toolong_err = on_error::fail, .field = NDL_TEXT(SE, rec.destination),
         .repeatable = true, .before = key_once,
         .checks = "once in the list; an address or interface function of the node type (`\"IP(CONN.PE-CE)\"`, "
                   "`\"LOCALINT(INTERFACE.Null0)\"`), never a bare interface name"},
        {.name = "WEIGHT", .maxlen = 30, .toolong_msg = kMaxLenMsg, .toolong_err = on_error::fail,
         .field = NDL_TEXT(SE, rec.weight), .repeatable = true, .before = key_once,
         .checks = "once in the list; a number, or a numeric function of the node type"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = kBadKeyMsg, .dup_msg = kDupMsg, .equal_msg = kKeyEqualMsg,
     .separator_msg = kSeparatorMsg}};

void init_static(void *entry, void *owner) {
    domain_static_route_rec &e = static_cast<SE *>(entry)->rec;
    const routing_block &b = *static_cast<routing_block *>(owner);
    e.domainname = b.domainname;
    e.nodetype = b.nodetype;
    e.protocol = "IP";
}

int check_static(block_reader &r, void *entry, void *) {
    SE &s = *static_cast<SE *>(entry);
    domain_static_route_rec &e = s.rec;
    if (!e.sourceaddr[0]) return r.fail("Error: Source address not specified for static route . @ %d\n", r.start_line);
    if (!e.destination[0])
        return r.fail("Error: Destination address not specified for static route . @ %d\n", r.start_line);
    if (mandatory_or_fail(r, "ipstaticroutetokens",
                          "Error : Mandatory field '%s' for 'IP' in 'ROUTIN-STATIC' block is not defined: %d\n"))
        return 1;
    // Whichever of NETWORK and PREFIX came first.
    if (check_prefix(r, s.base, e.sourceaddr)) return 1;
    e.sourcemask = s.base.prefix_given ? s.base.prefix : 0;
    if (std::strcmp(e.sourceaddr, "0.0.0.0") != 0) {
        int kind = address_kind(e.domainname, e.nodetype, e.sourceaddr, e.context1, e.context2, e.context3);
        if (!kind) return fail_pending(r);
        if (kind != 1) return r.fail("Error:ip address/network is required for the SOURCE: %s @ %d\n", e.sourceaddr.c_str(), Line);
    }
    int kind = address_kind(e.domainname, e.nodetype, e.destination, e.context1, e.context2, e.context3);
    if (!kind) return fail_pending(r);
    if (kind != 1 && kind != 2)
        return r.fail("Error:ip address or interface is required for DESTINATION : %s @ %d\n", e.destination.c_str(), Line);
    // The numbers check leaves no message of its own.
    if (e.weight[0] &&
        !validate_numberfunction(e.domainname, e.nodetype, e.context1, e.context2, e.context3, e.weight))
        return r.fail("Error: Numeric value expected for WEIGHT : %s @ %d\n", e.weight.c_str(), Line);
    return 0;
}

const entry_def ip_entry{.keys = &ipstaticroutetokens,
                         .eof_msg = kRoutingEofMsg,
                         .equal_msg = kListEqualMsg,
                         .equal_token = false,
                         .open_msg = "Error: Invalid syntax '(' expected @ %d\n",
                         .open_token = false,
                         .size = sizeof(SE),
                         .init = init_static,
                         .check = check_static};

int file_static(block_reader &, const keyword_rule &, void *entry, void *owner) {
    routing_block &b = *static_cast<routing_block *>(owner);
    domain_static_route_rec *rec = alloc_record<domain_static_route_rec>();
    std::memcpy(rec, &static_cast<SE *>(entry)->rec, sizeof *rec);
    free_record(static_cast<SE *>(entry));
    rec->addrno = ++b.routes;
    append_record(prdomainstaticroute, rec);
    return 0;
}

// INSTANCENAME: the token after it is taken for "=" unseen, the next is
// the name of the routes that follow.
int static_instance(block_reader &r, const keyword_rule &, void *rec) {
    routing_block &b = *static_cast<routing_block *>(rec);
    // A token error among them ends the body as END does.
    if (r.read() == TOKEN_ERROR || r.read() == TOKEN_ERROR) return r.error_ends() ? 1 : 0;
    // The end of the file for both: the name is empty and the body's next
    // token, the end again, is no attribute.
    if (r.eof_reads >= 2) return r.fail(r.keys->options.invalid_msg, r.tok, Line);
    if (!store_text(b.instancename, sizeof b.instancename, r.tok, kName - 1)) return r.fail(kMaxLenMsg, r.tok, Line);
    return 0;
}

int not_implemented(block_reader &r, const keyword_rule &, void *) {
    return r.fail("Error: Protocol Type IPX  not yet implemented : %s \n @%d", r.tok, Line);
}

constinit keyword_table_of staticroutetokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "INSTANCENAME", .kind = value_kind::none, .repeatable = true, .after = static_instance,
         .checks = "`= name`, up to 30 characters: the instance of the routes after it"},
        {.name = "IP", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true, .entry = &ip_entry,
         .file = file_static},
        {.name = "IPX", .type = TOKEN_GROUP, .kind = value_kind::none, .repeatable = true, .after = not_implemented,
         .checks = "none: refused, IPX routes are not implemented"},
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "Error: Invalid attribute :%s @%d\n", .error_ends = true}};

const header_spec kStaticHeader{
    .domain_msg = "Error: Domain undefined : %s \n @%d",
    .dot_msg = "Error: '.' expected as a qualifer for node type : %s \n @%d",
    .dot_line_only = false,
    .node_msg = "Error: Invalid node . Not defined : %s  @%d\n",
    .process_msg = nullptr,
    .number_msg = nullptr,
    .number_named = false,
    .mo_msg = nullptr,
    .begin_msg = "Error: Keyword 'BEGIN' expected : %s \n @%d",
    .lenient = true,
};

}  // namespace

int parse_staticroute(FILE *fp, FILE *, const char *) {
    block_reader r(fp, staticroutetokens, kRoutingEofMsg);
    routing_block b;
    start_block(b, "IP");
    if (read_header(r, kStaticHeader, b)) return 1;
    return read_body(r, b);
}

namespace {

const block_doc staticroute_doc = node_block_doc("DOMAIN.TYPE BEGIN",
                                                 "ROUTING-STATIC NORTH.PE BEGIN\n"
                                                 "END\n");

}  // namespace

block_keys staticroute_keys() { return {&staticroutetokens, nullptr, &staticroute_doc}; }
