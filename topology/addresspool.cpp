// The ADDRESSPOOL block: named ranges of IPv4 addresses.
#include <cstdlib>
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

// This block's end-of-file text has neither the blank before the colon nor
// a line break.
const char kPoolEofMsg[] = "ERROR: Unexpected end of file @ %d ";

// Only flagged, but stored: a quoted dotted address at its place.
int check_address(block_reader &r, const keyword_rule &rule, void *) {
    if (r.kind != TOKEN_QUOTED) return r.fail(rule.kind_msg, r.tok, Line);
    unsigned char octets[4];
    if (!inet_pton4(r.tok, octets))
        r.flag(rule.tag ? "ERROR: End IP address specified is invalid : %s @%d\n"
                        : "ERROR: Start IP address specified is invalid : %s @%d\n",
               r.tok, Line);
    return 0;
}

int check_protocol(block_reader &r, const keyword_rule &, void *) {
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (std::strcmp(r.tok, "IP") != 0 && std::strcmp(r.tok, "IPX") != 0)
        r.flag("ERROR: Invalid keyword protocol IP/IPX expected: %s @%d\n", r.tok, Line);
    return 0;
}

// Each keyword at its fixed place: another keyword there is flagged and the
// entry goes on. A value that does not fit its field is refused (the field
// stays empty) after its own check, so the run fails either way.
constinit keyword_table_of networkpooltokens{
    {
        {.name = "STARTADDR", .mandatory = 1, .maxlen = 30,
         .kind_msg = "ERROR: Invalid keyword start ip address expected: %s @%d\n",
         .order_msg = "ERROR: Invalid keyword 'STARTADDR' expected: %s @%d\n", .order_err = on_error::flag,
         .field = NDL_TEXT(ip_address_pool_rec, startaddress), .before = check_address, .tag = 0,
         .checks = "a quoted IPv4 address"},
        {.name = "ENDADDR", .mandatory = 1, .maxlen = 30,
         .kind_msg = "ERROR: Invalid keyword end ip address expected: %s @%d\n",
         .order_msg = "ERROR: Invalid ketword 'ENDADDR' expected: %s @%d\n", .order_err = on_error::flag,
         .field = NDL_TEXT(ip_address_pool_rec, endaddress), .before = check_address, .tag = 1,
         .checks = "a quoted IPv4 address"},
        {.name = "PROTOCOL", .mandatory = 1, .maxlen = 30,
         .order_msg = "ERROR: Invalid ketword 'PROTOCOL' expected: %s @%d\n", .order_err = on_error::flag,
         .field = NDL_TEXT(ip_address_pool_rec, protocoltype), .before = check_protocol,
         .checks = "`IP` or `IPX`, in any case"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.style = loop_style::ordered,
     .equal_msg = "ERROR: Invalid keyword '=' expected: %s @%d\n",
     .separator_msg = "ERROR: Invalid syntax ',' expected: %s @%d\n",
     .close_msg = "ERROR: Invalid syntax ')' expected: %s @%d\n"}};

const entry_def pool_entry{.keys = &networkpooltokens,
                           .eof_msg = kPoolEofMsg,
                           .equal_msg = "ERROR: Invalid syntax '=' expected: %s @%d\n",
                           .open_msg = "ERROR: Invalid syntax '(' expected: %s @%d\n",
                           .size = sizeof(ip_address_pool_rec)};

struct pool_ctx {
    const char *name;
    int line;
};

int file_pool(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    ip_address_pool_rec *rec = static_cast<ip_address_pool_rec *>(entry);
    pool_ctx &ctx = *static_cast<pool_ctx *>(owner);
    rec->addresspoolname = ctx.name;
    if (validate_addresspools(rec->addresspoolname, rec->protocoltype))
        r.flag("ERROR: Duplicate definition address pool : %s @%d\n", rec->addresspoolname.c_str(), ctx.line);
    append_record(praddresspools, rec);
    return 0;
}

// The entry keyword is the pool's name: any word.
const keyword_rule pool_row{.name = "", .kind = value_kind::entry, .entry = &pool_entry, .file = file_pool};

// name = ( STARTADDR = "a" , ENDADDR = "b" , PROTOCOL = IP|IPX ), the name
// in r.tok as written: 0 read, 1 stop.
int read_pool(block_reader &r) {
    // Only flagged, but kept: the name field holds any token.
    if (std::strlen(r.tok) > 30) r.flag("ERROR: Token length exceeds maximum size: '%s' @ %d\n", r.tok, Line);
    char name[kTokenSize];
    std::memcpy(name, r.tok, sizeof name);
    pool_ctx ctx{name, Line};
    return read_keyword(r, pool_row, &ctx) == 1 ? 1 : 0;
}

// The block's name, the one kind of pool there is.
constexpr keyword_rule kPoolKindRow =
    with_checks(token_row("NETWORK-ADDR-POOL", TOKEN_WORD), "the block's name after ADDRESSPOOL, in any case");

constinit keyword_table_of pooltokens{{token_row("BEGIN", TOKEN_BEGIN), kPoolKindRow, token_row("END", TOKEN_END)}};

}  // namespace

int parse_networkpool(FILE *fp) {
    block_reader r(fp, networkpooltokens, kPoolEofMsg);
    for (;;) {
        r.read();
        if (r.kind == TOKEN_END) return 0;
        if (r.kind != TOKEN_WORD) return r.fail("ERROR: Invalid Input : %s @%d \n", r.tok, Line);
        if (read_pool(r)) return 1;
    }
}

int parse_addresspools(FILE *fp, FILE *, const char *) {
    block_reader r(fp, pooltokens, kPoolEofMsg);
    r.read_upper();
    if (r.kind == TOKEN_ERROR) return r.fail(kPoolEofMsg, Line);
    if (std::strcmp(r.tok, kPoolKindRow.name) != 0)
        r.flag("ERROR: Unknown pool type encountered, 'NETWORK-ADDR-POOL' expected: %s @ %d ", r.tok, Line);
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @%d\n")) return 1;
    return parse_networkpool(fp);
}

namespace {

constexpr block_rule addresspool_rules[] = {
    {.text = "Its name is always NETWORK-ADDR-POOL", .part = "NETWORK-ADDR-POOL", .instead = "POOLS",
     .message = "ERROR: Unknown pool type encountered, 'NETWORK-ADDR-POOL' expected"},
};

constexpr char kPoolExample[] =
    "ADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n"
    "  CORE = ( STARTADDR = \"10.0.0.0\" , ENDADDR = \"10.0.255.255\" , PROTOCOL = IP )\n"
    "END\n";
constexpr block_unique addresspool_unique[] = {
    {.what = "A pool's name with its PROTOCOL", .within = "the network (every ADDRESSPOOL block)",
     .message = "ERROR: Duplicate definition address pool : %s @%d\n",
     .part = "  CORE = ( STARTADDR = \"10.0.0.0\" , ENDADDR = \"10.0.255.255\" , PROTOCOL = IP )\n",
     .example = kPoolExample},
};

const block_doc addresspool_doc{.header = "NETWORK-ADDR-POOL BEGIN",
                                .example = "ADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n"
                                           "END\n",
                                .rules = addresspool_rules,
                                .unique = addresspool_unique};

}  // namespace

block_keys addresspool_keys() { return {&pooltokens, &pool_row, &addresspool_doc}; }
