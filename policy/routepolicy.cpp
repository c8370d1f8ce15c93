// The pieces that the route-policy blocks of the ROUTING section share.
#include "routepolicy.h"

#include <cstring>

#include "registry.h"
#include "runstate.h"
#include "validations.h"

const value_table AccessListTypes[] = {"permit", "deny", ""};
const char kMaxLength[] = "Token exceeded the max length: %s @%d\n";
const char kInvalidName[] = "ERROR: Invalid attribute name : %s @ %d\n";
const char kDuplicate[] = "ERROR: Duplicate token: '%s' @ %d\n";
const char kSeparator[] = "ERROR:',' or ')' expected : %s @ %d\n";
const char kEqualLine[] = "ERROR: Invalid syntax '=' expected @ %d\n";
const char kOpenLine[] = "ERROR: Invalid syntax '(' expected @ %d\n";
const char kEqualToken[] = "ERROR: Invalid syntax '=' expected : %s @ %d\n";
const char kOpenToken[] = "ERROR: Invalid syntax '(' expected : %s @ %d\n";
const char kBlockInvalid[] = "ERROR: Invalid attribute name : %s @%d\n";

int lower_value_in(block_reader &r, const value_table *table, const char *msg) {
    converttolow(r.tok, r.tok, sizeof r.tok);
    return validate_var(table, r.tok) ? 0 : r.fail(msg, r.tok, Line);
}

int mandatory_only(block_reader &r, const char *table, const char *msg) {
    return r.check_mandatory(table, msg, r.start_line) ? 0 : 1;
}

int prefix_length(block_reader &r) {
    if (!casestrcmp(r.tok, "AUTO")) {
        std::strcpy(r.tok, "-1");
        return 0;
    }
    int32_t n = 0;
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &n) || n < 1 || n > 32)
        return r.fail("ERROR:Number (1 to 32) expected : %s @ %d\n", r.tok, Line);
    return 0;
}

int permit_deny(block_reader &r, const keyword_rule &, void *) {
    return lower_value_in(r, AccessListTypes, "ERROR: permit/deny expected : %s @ %d\n");
}

// A longer name than the field is no declared one (reported as such): the
// field stays empty. The end of the file is an empty name, which the
// domain or node lookup refuses.
bool read_head_name(block_reader &r, text_ref field) {
    r.read();
    if (r.kind == TOKEN_ERROR) {
        r.fail(kEofMsg, Line);
        return false;
    }
    field.store(r.tok, kName - 1);
    return true;
}

bool read_head(block_reader &r, text_ref domainname, text_ref nodetype, const head_spec &h) {
    const char *domain_msg = "ERROR: Domain undefined %s \n @%d";
    const char *node_msg = "ERROR: Invalid node . Not defined : %s  @%d\n";
    if (!read_head_name(r, domainname)) return false;
    if (!validate_domain(r.tok)) {
        if (h.strict) return !r.fail(domain_msg, r.tok, Line);
        r.flag(domain_msg, r.tok, Line);
    }
    if (!r.expect(".", h.dot_msg, h.dot_token)) return false;
    if (!read_head_name(r, nodetype)) return false;
    char devicetype[kName];
    if (!validate_node(domainname, r.tok, devicetype)) {
        if (h.strict) return !r.fail(node_msg, r.tok, Line);
        r.flag(node_msg, r.tok, Line);
    }
    return r.expect("BEGIN", h.begin_msg);
}

int add_context(block_reader &r, const context_slots &s, const char *aggregation_msg, const char *fourth_msg) {
    int kind = 0;
    if (!validate_context(s.domainname, s.nodetype, r.tok, &kind)) return fail_pending(r);
    if (kind != 1) return r.fail(aggregation_msg, r.tok, Line);
    text_ref slot = s.context1.empty() ? s.context1 : s.context2.empty() ? s.context2 : s.context3.empty() ? s.context3 : text_ref();
    if (!slot.size()) return r.fail(fourth_msg, Line);
    slot.store(r.tok, kText - 1);
    return 0;
}

int read_description(block_reader &r, const entry_def &def, void *entry, void *owner, text_ref name,
                     const context_slots &s) {
    for (text_ref t : {name, s.context1, s.context2, s.context3}) t.clear();
    if (read_entry(r.fp, def, entry, owner)) {
        name.clear();
        return 1;
    }
    return 0;
}

void check_name_owner(block_reader &r, const context_slots &s, const char *name, const char *owner,
                      const char *warning_msg) {
    int type = 0;
    if (!validate_commandvar(s.domainname, s.nodetype, s.context1, s.context2, s.context3, name, &type))
        flag_pending(r);
    bool variables = g_varused;
    if (!validate_commandvar(s.domainname, s.nodetype, s.context1, s.context2, s.context3, owner, &type))
        flag_pending(r);
    if (!variables && !s.context1.empty() && !is_ifcontext(s.context1))
        logmsg(warning_msg, name, s.domainname, s.nodetype, r.start_line);
}
