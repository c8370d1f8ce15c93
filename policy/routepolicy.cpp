// The pieces that the route-policy blocks of the ROUTING section share.
#include "routepolicy.h"

#include <cstring>

#include "registry.h"
#include "runstate.h"
#include "validations.h"

const value_table AccessListTypes[] = {"permit", "deny", ""};
const char kMaxLength[] = "Token exceeded the max length: %s @%d\n";

int lower_value_in(block_reader &r, const value_table *table, const char *msg) {
    converttolow(r.tok, r.tok, sizeof r.tok);
    return validate_var(table, r.tok) ? 0 : r.fail(msg, r.tok, Line);
}

namespace {

// A domain or node-type name: any token but the end of the file. A longer
// name than the field is no declared one (reported as such): the field
// stays empty.
bool read_name(block_reader &r, char (&field)[kName]) {
    r.read();
    if (r.ended) return false;
    if (r.kind == TOKEN_ERROR) {
        r.fail(kEofMsg, Line);
        return false;
    }
    store_text(field, kName, r.tok, kName - 1);
    return true;
}

}  // namespace

bool read_head(block_reader &r, char (&domainname)[kName], char (&nodetype)[kName], const head_spec &h) {
    const char *domain_msg = "ERROR: Domain undefined %s \n @%d";
    const char *node_msg = "ERROR: Invalid node . Not defined : %s  @%d\n";
    if (!read_name(r, domainname)) return false;
    if (!validate_domain(r.tok)) {
        if (h.strict) return !r.fail(domain_msg, r.tok, Line);
        r.flag(domain_msg, r.tok, Line);
    }
    if (!r.expect(".", h.dot_msg, h.dot_token)) return false;
    if (!read_name(r, nodetype)) return false;
    char devicetype[kName];
    if (!validate_node(domainname, r.tok, devicetype)) {
        if (h.strict) return !r.fail(node_msg, r.tok, Line);
        r.flag(node_msg, r.tok, Line);
    }
    return r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @%d\n");
}

int add_context(block_reader &r, const context_slots &s, const char *aggregation_msg, const char *fourth_msg) {
    int kind = 0;
    if (!validate_context(s.domainname, s.nodetype, r.tok, &kind)) return fail_pending(r);
    if (kind != 1) return r.fail(aggregation_msg, r.tok, Line);
    char *slot = !s.context1[0] ? s.context1 : !s.context2[0] ? s.context2 : !s.context3[0] ? s.context3 : nullptr;
    if (!slot) return r.fail(fourth_msg, Line);
    store_text(slot, kText, r.tok, kText - 1);
    return 0;
}
