// What every QoS rule block shares: the block frame (qualifier, BEGIN, group
// keywords up to END), the parenthesised attribute list, the table-driven
// handling of one list entry, and the CONTEXT, REPEATBY and NAME checks.
#include <cstring>

#include "policy_blocks.h"
#include "registry.h"
#include "validations.h"
#include "valtext.h"

const char kQosTooLong[] = "Error: token size exceeds datbase field size :  '%s' @ %d\n";

namespace {

// The one loop of every QoS list: "=", "(", KEY = value items separated by
// ",", up to ")"; a "," right before ")" and an empty list are taken.
// `entry` gets each KEY = value; `group` each group keyword (null: a group
// keyword is no attribute here). The end of the file is a token like any
// other: no keyword, no value that the list's checks take, no separator.
template <class Entry>
int read_list(block_reader &r, Entry &&entry, int (*group)(block_reader &r, void *ctx), void *ctx) {
    if (!r.expect("=", "Error: Invalid syntax '=' expected @ %d\n", false)) return 1;
    if (!r.expect("(", "Error: Invalid syntax '(' expected @ %d\n", false)) return 1;
    r.read_upper();
    for (;;) {
        if (r.kind == TOKEN_RPAREN) return 0;
        if (r.kind == TOKEN_GROUP && group) {
            set_foundflag(r.table, r.tok);
            if (group(r, ctx)) return 1;
        } else if (r.kind == TOKEN_ATTRIBUTE) {
            attribute_entry e{};
            std::memcpy(e.name, r.tok, sizeof e.name);
            e.kind = r.kind;
            if (!r.expect("=", "Error: Invalid syntax '=' expected @ %d\n", false)) return 1;
            r.read();
            std::memcpy(e.value, r.tok, sizeof e.value);
            e.valuekind = r.kind;
            e.line = Line;
            if (entry(e)) return 1;
        } else {
            // A list may word this refusal its own way.
            int handled = r.keys->options.other ? r.keys->options.other(r, ctx) : -1;
            if (handled == 1) return 1;
            if (handled == -1) return r.fail("invalid attribute in variable list: %s @%d\n", r.tok, Line);
        }
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail("Error:',' or ')' expected : %s @ %d\n", r.tok, Line);
        r.read_upper();
    }
}

}  // namespace

void flag_check(block_reader &r) {
    g_error = 1;
    keep_error_token(r.kind, r.tok);
    addtooutput();
}

int extract_variablelist(block_reader &r, std::vector<attribute_entry> &entries) {
    entries.clear();
    return read_list(
        r,
        [&](const attribute_entry &e) {
            entries.push_back(e);
            return 0;
        },
        nullptr, nullptr);
}

int read_checked_list(block_reader &r, void *ctx, const char *objectword, const char *missing, const char *given) {
    std::vector<attribute_entry> entries;
    if (extract_variablelist(r, entries) || walk_list(r, entries, ctx)) return 1;
    if (given) set_foundflag(r.table, given);
    return r.check_mandatory(objectword, missing, r.start_line) ? 0 : 1;
}

int read_numbered(block_reader &r, int32_t expected, const char *order_msg, int32_t *number) {
    if (!r.expect("#", "Error: Keyword '#' expected: %s @%d\n")) return 1;
    r.read();
    if (r.kind != TOKEN_NUMBER) return r.fail("route map sequence  number expected: %s  @%d\n", r.tok, Line);
    if (!parse_int32(r.tok, number) || *number != expected) return r.fail(order_msg, expected, r.tok, Line);
    return 0;
}

int read_rule_list(block_reader &r, void *ctx, int (*group)(block_reader &r, void *ctx)) {
    return read_list(r, [&](const attribute_entry &e) { return take_entry(r, e, ctx); }, group, ctx);
}

int take_entry(block_reader &r, const attribute_entry &e, void *ctx) {
    qos_scope &s = *static_cast<qos_scope *>(ctx);
    const keyword_rule *rule = r.keys->rule(e.name);
    std::memcpy(r.tok, e.value, sizeof e.value);
    r.kind = e.valuekind;
    s.line = e.line;
    if (!rule) return r.fail("invalid attribute in variable list: %s @%d\n", e.name, e.line);
    if (!set_foundflag(r.table, rule->name) && !rule->repeatable)
        return r.fail(r.keys->options.dup_msg, rule->name, e.line);
    if (rule->before && rule->before(r, *rule, ctx)) return 1;
    if (rule->kind == value_kind::quoted && r.kind != TOKEN_QUOTED)
        return r.fail(rule->kind_msg, rule->name, Line);
    // Every value bound for a field is held to its keyword's longest value.
    if (rule->length != length_rule::own && rule->maxlen &&
        std::strlen(r.tok) > static_cast<size_t>(rule->maxlen))
        return r.fail(kQosTooLong, r.tok, e.line);
    if (rule->upper) converttocap(r.tok, r.tok, sizeof r.tok);
    if (rule->tag & kLower) converttolow(r.tok, r.tok, sizeof r.tok);
    if (rule->field.size) text_ref(rule->field, ctx).store(r.tok, rule->field.size - 1);
    if (rule->after && rule->after(r, *rule, ctx)) return 1;
    valtext::copy_field(s.previous, sizeof s.previous, rule->name);
    return 0;
}

int walk_list(block_reader &r, const std::vector<attribute_entry> &entries, void *ctx) {
    clear_foundflag(r.table);
    for (const attribute_entry &e : entries)
        if (take_entry(r, e, ctx)) return 1;
    return 0;
}

int context_check(block_reader &r, const keyword_rule &, void *ctx) {
    return take_context(r, *static_cast<qos_scope *>(ctx));
}

int true_false(block_reader &r, const char *msg, uint16_t *flag) {
    if (!std::strcmp(r.tok, "TRUE")) *flag = 1;
    else if (!std::strcmp(r.tok, "FALSE")) *flag = 0;
    else return r.fail(msg, Line);
    return 0;
}

int take_context(block_reader &r, const qos_scope &s) {
    int kind = 0;
    // One context alone is what the combined address check would parse.
    if (!validate_context(s.domainname, s.nodetype, r.tok, &kind)) flag_check(r);
    else if (kind != 1) r.flag("Error:context should have a aggregation function: %s @ %d\n", r.tok, Line);
    text_ref slot = s.context1.empty() ? s.context1 : s.context2.empty() ? s.context2 : s.context3.empty() ? s.context3 : text_ref();
    if (!slot.size()) return r.fail("Error: Maximum of three contexts can be defined :  @%d\n", Line);
    if (std::strlen(r.tok) > 100) return r.fail(kQosTooLong, r.tok, s.line);
    slot.store(r.tok, 100);
    return 0;
}

int take_repeatby(block_reader &r, const qos_scope &s, text_ref field) {
    int kind = 0;
    if (!validate_context(s.domainname, s.nodetype, r.tok, &kind)) {
        flag_check(r);
        return 1;
    }
    if (kind != 1) return r.fail("Error: Repeatby field should have a aggregation function: %s @ %d\n", r.tok, Line);
    if (!field.store(r.tok, 100)) return r.fail("Token exceeded the max length: %s @%d\n", r.tok, Line);
    return 0;
}

void check_rule_name(block_reader &r, const qos_scope &s, const char *name, const char *warning) {
    int type = 0;
    if (!validate_commandvar(s.domainname, s.nodetype, s.context1, s.context2, s.context3, name, &type))
        flag_check(r);
    if (!g_varused && s.context1[0] && !is_ifcontext(s.context1))
        logmsg(warning, name, s.domainname, s.nodetype);
}

void check_vendor(block_reader &r, const char *tablename, const char *word, const char *value,
                  const qos_scope &s, int line, int *result) {
    const vendor_value_entry *table = nullptr;
    char message[kMsgSize];
    *result = 0;
    if (!get_vendorspecific_validation("CISCO", tablename, &table)) return;
    *result = validatecfgvaltypes(table, word, value, message, s.domainname, s.nodetype, s.context1,
                                  s.context2, s.context3);
    if (*result == 1) r.flag("%s : @ %d\n", message, line);
    else if (*result) logmsg("%s : @ %d\n", message, line);
}

// The end of the file is an unknown domain (and then no "."), or an
// unknown node type (and then no BEGIN).
int read_rule_qualifier(block_reader &r, char *domainname, char *nodetype) {
    char devicetype[kName];
    return parse_validate_domainnode(r.fp, r.buckets, domainname, nodetype, devicetype) ? 1 : 0;
}

int open_rule_block(block_reader &r, char *domainname, char *nodetype) {
    if (read_rule_qualifier(r, domainname, nodetype)) return 1;
    return r.expect("BEGIN", "Error: Keyword 'BEGIN' expected : %s @%d\n") ? 0 : 1;
}

int read_rule_items(block_reader &r, int (*item)(block_reader &r, void *ctx), void *ctx) {
    for (;;) {
        r.read_upper();
        if (r.kind == TOKEN_END || r.error_ends()) return 0;
        // Attributes stand only in tables that declare them (QOSPOLICY); the
        // end of the file is neither.
        if (r.kind != TOKEN_GROUP && r.kind != TOKEN_ATTRIBUTE)
            return r.fail("Error: Invalid attribute name : %s @%d\n", r.tok, Line);
        set_foundflag(r.table, r.tok);
        if (item(r, ctx)) return 1;
    }
}

int rule_block(FILE *fp, keyword_table &keys, int (*item)(block_reader &r, void *ctx), const char *objectword,
               const char *missing, int missing_result) {
    block_reader r(fp, keys);
    char domainname[kName], nodetype[kName];
    const char *qualifier[2] = {domainname, nodetype};
    if (open_rule_block(r, domainname, nodetype) || read_rule_items(r, item, qualifier)) return 1;
    // Flagged at END, which stays the kept token: recovery resumes right
    // after the block.
    if (!r.check_mandatory(objectword, missing, r.start_line)) return missing_result;
    return 0;
}
