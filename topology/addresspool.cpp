// The ADDRESSPOOL block: named ranges of IPv4 addresses.
#include <cstdlib>
#include <cstring>

#include "block.h"
#include "records_topology.h"
#include "registry.h"
#include "topology.h"

namespace {

// clang-format off
token_entry pooltokens[] = {
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};

token_entry networkpooltokens[] = {
    {"STARTADDR", 9, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"ENDADDR", 7, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"PROTOCOL", 8, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
// clang-format on

// This block's end-of-file text has neither the blank before the colon nor
// a line break.
const char kPoolEofMsg[] = "ERROR: Unexpected end of file @ %d ";
const char kEqualMsg[] = "ERROR: Invalid keyword '=' expected: %s @%d\n";
const char kCommaMsg[] = "ERROR: Invalid syntax ',' expected: %s @%d\n";

// One address attribute of an entry, at its fixed place.
struct address_attr {
    const char *keyword;
    const char *keyword_msg;  // another keyword there: flagged, the entry goes on
    const char *quoted_msg;   // no quoted string: the block stops
    const char *invalid_msg;  // not a dotted address: flagged, stored all the same
    char (ip_address_pool_rec::*field)[kName];
};

const address_attr kStart = {"STARTADDR", "ERROR: Invalid keyword 'STARTADDR' expected: %s @%d\n",
                             "ERROR: Invalid keyword start ip address expected: %s @%d\n",
                             "ERROR: Start IP address specified is invalid : %s @%d\n",
                             &ip_address_pool_rec::startaddress};
const address_attr kEnd = {"ENDADDR", "ERROR: Invalid ketword 'ENDADDR' expected: %s @%d\n",
                           "ERROR: Invalid keyword end ip address expected: %s @%d\n",
                           "ERROR: End IP address specified is invalid : %s @%d\n",
                           &ip_address_pool_rec::endaddress};

// KEYWORD = : the keyword is flagged when it is another one, "=" must follow.
bool keyword_and_equal(block_reader &r, const char *keyword, const char *keyword_msg) {
    r.read_upper();
    if (r.ended) return false;
    if (std::strcmp(r.tok, keyword) != 0) r.flag(keyword_msg, r.tok, Line);
    return r.expect("=", kEqualMsg);
}

// A text that does not fit its field is refused (the field stays empty);
// an invalid address is reported first, so the run fails either way.
void store_flagged(block_reader &r, char *field, size_t size) {
    if (!store_text(field, size, r.tok, size - 1)) r.flag(kTooLongMsg, r.tok, Line);
}

bool read_address(block_reader &r, const address_attr &a, ip_address_pool_rec *rec) {
    if (!keyword_and_equal(r, a.keyword, a.keyword_msg)) return false;
    r.read();
    if (r.ended) return false;
    if (r.kind != TOKEN_QUOTED) {
        r.fail(a.quoted_msg, r.tok, Line);
        return false;
    }
    unsigned char octets[4];
    if (!inet_pton4(r.tok, octets)) r.flag(a.invalid_msg, r.tok, Line);
    store_flagged(r, rec->*a.field, sizeof(rec->*a.field));
    return r.expect(",", kCommaMsg);
}

// name = ( STARTADDR = "a" , ENDADDR = "b" , PROTOCOL = IP|IPX ): false
// when the block must stop (reported).
bool read_entry(block_reader &r, ip_address_pool_rec *rec) {
    // Only flagged, but kept: the name field holds any token.
    if (std::strlen(r.tok) > 30) r.flag("ERROR: Token length exceeds maximum size: '%s' @ %d\n", r.tok, Line);
    std::snprintf(rec->addresspoolname, sizeof rec->addresspoolname, "%s", r.tok);
    int line = Line;
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected: %s @%d\n")) return false;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected: %s @%d\n")) return false;
    if (!read_address(r, kStart, rec) || !read_address(r, kEnd, rec)) return false;
    if (!keyword_and_equal(r, "PROTOCOL", "ERROR: Invalid ketword 'PROTOCOL' expected: %s @%d\n")) return false;
    r.read_upper();
    if (r.ended) return false;
    if (std::strcmp(r.tok, "IP") != 0 && std::strcmp(r.tok, "IPX") != 0)
        r.flag("ERROR: Invalid keyword protocol IP/IPX expected: %s @%d\n", r.tok, Line);
    store_flagged(r, rec->protocoltype, sizeof rec->protocoltype);
    if (!r.expect(")", "ERROR: Invalid syntax ')' expected: %s @%d\n")) return false;
    if (validate_addresspools(rec->addresspoolname, rec->protocoltype))
        r.flag("ERROR: Duplicate definition address pool : %s @%d\n", rec->addresspoolname, line);
    return true;
}

}  // namespace

int parse_networkpool(FILE *fp) {
    block_reader r(fp, networkpooltokens, kPoolEofMsg);
    for (;;) {
        r.read();
        if (r.ended) return 1;
        if (r.kind == TOKEN_END) return 0;
        if (r.kind != TOKEN_WORD) return r.fail("ERROR: Invalid Input : %s @%d \n", r.tok, Line);
        ip_address_pool_rec *rec = alloc_record<ip_address_pool_rec>();
        if (!read_entry(r, rec)) {
            std::free(rec);
            return 1;
        }
        append_record(praddresspools, rec);
    }
}

int parse_addresspools(FILE *fp, FILE *, const char *) {
    block_reader r(fp, pooltokens, kPoolEofMsg);
    r.read_upper();
    if (r.ended) return 1;
    if (r.kind == TOKEN_ERROR) return r.fail(kPoolEofMsg, Line);
    if (std::strcmp(r.tok, "NETWORK-ADDR-POOL") != 0)
        r.flag("ERROR: Unknown pool type encountered, 'NETWORK-ADDR-POOL' expected: %s @ %d ", r.tok, Line);
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @%d\n")) return 1;
    return parse_networkpool(fp);
}
