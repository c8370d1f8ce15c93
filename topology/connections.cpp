// The CONNECTIONS block: which domains may be connected to which, with the
// scope of such connections and how many a pair may have. Each entry is
// written "domain1 TO domain2 = ( SCOPE = s , MIN = n , MAX = n )", MIN and
// MAX in either order.
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

const value_table Scope[] = {"INTERNAL", "EXTERNAL", ""};

namespace {

const char kEqualMsg[] = "ERROR: Invalid syntax '=' expected: %s @ %d\n";
const char kCommaMsg[] = "ERROR: Invalid syntax ',' expected: %s @ %d\n";
const char kScopeMsg[] = "ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ %d\n";

// The two limits, in either order.
constexpr keyword_rule kMinRow =
    with_checks(token_row("MIN", TOKEN_ATTRIBUTE, 0, 1), "a number, after SCOPE (MIN and MAX in either order)");
constexpr keyword_rule kMaxRow =
    with_checks(token_row("MAX", TOKEN_ATTRIBUTE, 0, 1), "a number above 0 and not below MIN");

constinit keyword_table_of connectiontokens{{
    with_checks(token_row("TO", TOKEN_TO, 0, 1), "between two domains defined before it: "
                                                 "`DOMAIN TO DOMAIN = ( SCOPE = ... , MIN = n , MAX = n )`"),
    token_row("BEGIN", TOKEN_BEGIN),
    kMinRow,
    kMaxRow,
    with_checks(token_row("SCOPE", TOKEN_SCOPE, 30, 1), "first in the parentheses", Scope),
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
    token_row("END", TOKEN_END),
}};

struct limits {
    bool min_seen = false, max_seen = false;
    bool repeated = false;  // MIN or MAX twice: the entry is refused
    int32_t minconn = 0, maxconn = 0;
    char maxtext[kTokenSize] = "";
};

// ", MIN = n" or ", MAX = n": `second` picks the messages of the second pair.
int read_limit(block_reader &r, limits &l, bool second) {
    if (!r.expect(",", kCommaMsg)) return 1;
    r.read_upper();
    if (r.kind != TOKEN_ATTRIBUTE)
        return r.fail(second ? "ERROR: Invalid syntax variable type expected: %s @ %d\n"
                             : "ERROR: Invalid syntax variable type expected :%s @ %d\n",
                      r.tok, Line);
    bool is_min = r.is(kMinRow.name);
    char name[kName];
    std::snprintf(name, sizeof name, "%s", is_min ? kMinRow.name : kMaxRow.name);
    bool &seen = is_min ? l.min_seen : l.max_seen;
    // The same limit twice would leave the other one unset.
    if (seen) {
        r.flag("ERROR: Duplicate token: '%s' @ %d\n", name, Line);
        l.repeated = true;
    }
    seen = true;
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected :%s@ %d\n")) return 1;
    r.read();
    int32_t n = 0;
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &n)) {
        if (second) return r.fail("ERROR: Invalid syntax a number value expected for %s :%s @d\n", name, r.tok);
        return r.fail("ERROR: Invalid syntax  value expeced for :%s @d\n", name);
    }
    if (is_min) {
        l.minconn = n;
    } else {
        l.maxconn = n;
        std::memcpy(l.maxtext, r.tok, sizeof l.maxtext);
    }
    return 0;
}

// A domain of an entry: unknown ones are flagged, and one that does not fit
// its field is refused (the field stays empty).
void take_domain(block_reader &r, text_field<kName> &field, const char *unknown_msg) {
    if (!validate_domain(r.tok)) r.flag(unknown_msg, r.tok, Line);
    if (!store_text(field, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
}

// One entry, its first domain in r.tok: 0 read on, 1 stop.
int read_connection(block_reader &r) {
    domain_connection_rec rec{};
    take_domain(r, rec.domainname1, "ERROR: Invalid (FOR) domain name for connection definition : %s @ %d\n");
    char first[kTokenSize];
    std::memcpy(first, r.tok, sizeof first);
    // The end of the file here is the missing TO too.
    r.read();
    if (r.kind != TOKEN_TO) return r.fail("ERROR: Keyword 'TO' expected after %s : %s @ %d\n", first, r.tok, Line);
    r.read();
    take_domain(r, rec.domainname2, "ERROR: Invalid (TO) domain name for connection definition : %s @ %d\n");
    if (!r.expect("=", kEqualMsg)) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected @ %d\n", false)) return 1;
    r.read_upper();
    if (r.kind != TOKEN_SCOPE) return r.fail("ERROR: Invalid syntax keyword 'SCOPE' expected :%s @ %d\n", r.tok, Line);
    if (!r.expect("=", kEqualMsg)) return 1;
    r.read_upper();
    if (!validate_var(Scope, r.tok)) return r.fail(kScopeMsg, Line);
    rec.conntype = r.tok;  // one of the scopes
    limits l;
    if (read_limit(r, l, false) || read_limit(r, l, true)) return 1;
    if (!r.expect(")", "ERROR: Invalid syntax ')' expected:%s @ %d\n")) return 1;
    if (validate_domainconnections(rec.domainname1, rec.domainname2, rec.conntype))
        r.flag("ERROR: Duplicate definition of connections : %s TO %s  @%d \n", rec.domainname1.c_str(), rec.domainname2.c_str(),
               Line);
    if (l.repeated) return 0;
    rec.maxconn = l.maxconn;
    rec.minconn = l.minconn;
    domain_connection_rec *filed = alloc_record<domain_connection_rec>();
    *filed = rec;
    append_record(prdomainconnections, filed);
    if (rec.maxconn == 0 || rec.maxconn < rec.minconn)
        r.flag("ERROR: Invalid value for max connections : %s @%d \n", l.maxtext, Line);
    return 0;
}

}  // namespace

int parse_connections(FILE *fp, FILE *, const char *) {
    block_reader r(fp, connectiontokens);
    if (prdomainconnections) {
        flag_error(TOKEN_WORD, "", "ERROR: Redefinition of CONNECTIONS block: @ %d\n", Line);
        return 1;
    }
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @ %d \n")) return 1;
    for (;;) {
        r.read();
        if (r.kind == TOKEN_END) return 0;
        if (r.kind == TOKEN_ERROR) return r.fail("ERROR: Invalid Input %s @%d\n", r.tok, Line);
        // Any other token, the end of the file too, is a first domain.
        if (read_connection(r)) return 1;
    }
}

namespace {

constexpr block_unique connections_unique[] = {
    {.what = "A pair of domains in its order (`A TO B`, not `B TO A`) with its SCOPE",
     .within = "the network", .message = "ERROR: Duplicate definition of connections : %s TO %s  @%d \n",
     .part = "  NORTH TO NORTH = ( SCOPE = INTERNAL , MIN = 0 , MAX = 100 )\n"},
    {.what = "MIN, and MAX", .within = "a pair's parentheses", .message = "ERROR: Duplicate token: '%s' @ %d\n",
     .part = "MIN = 0 , "},
    {.what = "The CONNECTIONS block, once it has given a pair", .within = "the load",
     .message = "ERROR: Redefinition of CONNECTIONS block: @ %d\n"},
};

const block_doc connections_doc{.header = "BEGIN",
                                .needs = "DOMAIN",
                                .example = "CONNECTIONS BEGIN\n"
                                           "  NORTH TO NORTH = ( SCOPE = INTERNAL , MIN = 0 , MAX = 100 )\n"
                                           "END\n",
                                .unique = connections_unique};

}  // namespace

block_keys connections_keys() { return {&connectiontokens, nullptr, &connections_doc}; }
