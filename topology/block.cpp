// The block-reading framework: token reading with end-of-file detection,
// the flag/fail conventions and the table-driven attribute loop.
#include "block.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "topology.h"

const char kTooLongMsg[] = "ERROR: token size exceeds datbase field size :  '%s' @ %d\n";
const char kEofMsg[] = "ERROR: Unexpected end of file @ %d \n";
const char kEofSpacedMsg[] = "ERROR : Unexpected end of file @ %d \n";

bool parse_int32(const char *text, int32_t *out) {
    *out = 0;
    const char *p = text;
    if (*p == '-' || *p == '+') ++p;
    if (!*p) return false;
    for (const char *q = p; *q; ++q)
        if (*q < '0' || *q > '9') return false;
    errno = 0;
    char *end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (errno == ERANGE || *end || v < INT32_MIN || v > INT32_MAX) return false;
    *out = static_cast<int32_t>(v);
    return true;
}

bool store_text(char *field, size_t size, const char *value, size_t maxlen) {
    size_t len = std::strlen(value);
    if (len > maxlen || len >= size) {
        field[0] = '\0';
        return false;
    }
    std::memcpy(field, value, len + 1);
    return true;
}

block_reader::block_reader(FILE *f, token_entry *t, const char *eof)
    : fp(f), table(t), start_line(Line), eof_msg(eof) {
    tok[0] = '\0';
    if (table) {
        hash_init(table, buckets);
        clear_foundflag(table);
    } else {
        for (auto &b : buckets) b = nullptr;
    }
}

int block_reader::read() {
    if (ended) return kind = TOKEN_EOF;
    kind = get_token(fp, tok, buckets);
    // A quoted string cut by the end of the file comes back as a token
    // error: the file ended inside the block all the same.
    if (kind == TOKEN_EOF || (kind == TOKEN_ERROR && std::feof(fp))) {
        ended = true;
        kind = TOKEN_EOF;
        flag_error(TOKEN_EOF, "", eof_msg, Line);
    }
    return kind;
}

int block_reader::read_upper() {
    read();
    converttocap(tok, tok, sizeof tok);
    return kind;
}

bool block_reader::is(const char *text) const { return casestrcmp(tok, text) == 0; }

void block_reader::report(const char *fmt, va_list ap) {
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    g_error = 1;
    keep_error_token(kind, tok);
    addtooutput();
}

int block_reader::fail(const char *fmt, ...) {
    if (ended) return 1;
    va_list ap;
    va_start(ap, fmt);
    report(fmt, ap);
    va_end(ap);
    return 1;
}

void block_reader::flag(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    report(fmt, ap);
    va_end(ap);
}

bool block_reader::expect(const char *text, const char *fmt, bool with_token) {
    read();
    if (ended) return false;
    if (is(text)) return true;
    if (with_token) fail(fmt, tok, Line);
    else fail(fmt, Line);
    return false;
}

bool block_reader::read_name(char *field, size_t size, size_t maxlen, const char *toolong_fmt) {
    read();
    if (ended) return false;
    if (kind == TOKEN_ERROR) {
        fail(eof_msg, Line);
        return false;
    }
    if (!store_text(field, size, tok, maxlen)) {
        fail(toolong_fmt, tok, Line);
        return false;
    }
    return true;
}

int block_reader::check_mandatory(const char *objectword, const char *fmt, int line) {
    char missing[kName] = "";
    if (validate_mandatoryfields("CISCO", objectword, table, missing)) return 1;
    flag(fmt, missing, line);
    return 0;
}

char *rule_text(const attr_rule &rule, void *rec) {
    if (!rule.field.size || rule.field.type != field_ref::text) return nullptr;
    return static_cast<char *>(rec) + rule.field.offset;
}

namespace {

const attr_rule *find_rule(const attr_rule *rules, const char *keyword) {
    for (; rules->keyword; ++rules)
        if (std::strcmp(rules->keyword, keyword) == 0) return rules;
    return nullptr;
}

bool kind_matches(value_kind want, int kind) {
    switch (want) {
    case value_kind::quoted:
    case value_kind::list: return kind == TOKEN_QUOTED;
    case value_kind::number: return kind == TOKEN_NUMBER;
    case value_kind::word: return kind == TOKEN_WORD;
    default: return true;
    }
}

// 0 read on, 1 stop.
int report(block_reader &r, on_error how, const char *fmt) {
    if (how == on_error::fail) return r.fail(fmt, r.tok, Line);
    r.flag(fmt, r.tok, Line);
    return 0;
}

// The value token of `rule` is in r.tok: check it and store it.
int take_value(block_reader &r, const attr_rule &rule, void *rec) {
    char *base = static_cast<char *>(rec);
    if (rule.before && rule.before(r, rule, rec)) return 1;
    if (rule.kind_msg && !kind_matches(rule.kind, r.kind) && report(r, rule.kind_err, rule.kind_msg))
        return 1;
    const field_ref &f = rule.field;
    if (rule.upper) converttocap(r.tok, r.tok, sizeof r.tok);
    if (f.size && f.type == field_ref::int32) {
        int32_t n = 0;
        // An out-of-range number gets the field's own number message.
        if (!parse_int32(r.tok, &n) && rule.kind_msg && kind_matches(rule.kind, r.kind) &&
            report(r, rule.kind_err, rule.kind_msg))
            return 1;
        std::memcpy(base + f.offset, &n, sizeof n);
    } else if (f.size && f.type == field_ref::rows) {
        int count = 0;
        int capacity = static_cast<int>(f.size / sizeof(value_table));
        if (extractlist(r.tok, reinterpret_cast<value_table *>(base + f.offset), capacity, &count)) {
            g_error = 1;
            keep_error_token(r.kind, r.tok);
            addtooutput();
            return 1;
        }
        int32_t n = count;
        std::memcpy(base + f.count, &n, sizeof n);
    } else {
        size_t maxlen = rule.maxlen ? rule.maxlen : (f.size ? f.size - 1 : sizeof r.tok);
        char scratch[1];
        char *field = f.size ? base + f.offset : scratch;
        size_t size = f.size ? f.size : sizeof r.tok;
        if (!f.size) {
            // Not stored by the loop: only the length is checked.
            if (std::strlen(r.tok) > maxlen && report(r, rule.toolong_err, rule.toolong_msg)) return 1;
        } else if (!store_text(field, size, r.tok, maxlen) &&
                   report(r, rule.toolong_err, rule.toolong_msg)) {
            return 1;
        }
    }
    if (rule.after && rule.after(r, rule, rec)) return 1;
    return 0;
}

}  // namespace

int read_attributes(block_reader &r, const attr_loop &loop, void *rec) {
    for (;;) {
        r.read_upper();
        if (r.ended) return 1;
        // A quoted string is a value, never a keyword, whatever its text.
        const attr_rule *rule = r.kind == TOKEN_QUOTED ? nullptr : find_rule(loop.rules, r.tok);
        if (!rule) {
            if (!loop.separated && r.kind == TOKEN_END) return 0;
            if (loop.other) {
                int handled = loop.other(r, rec);
                if (handled == 1) return 1;
                if (handled == 0) continue;
            }
            return r.fail(loop.invalid_msg, r.tok, Line, r.kind);
        }
        if (r.table && !set_foundflag(r.table, rule->keyword)) r.flag(loop.dup_msg, r.tok, Line);
        if (rule->kind != value_kind::none) {
            if (!r.expect("=", loop.equal_msg)) return 1;
            r.read();
            if (r.ended) return 1;
            if (take_value(r, *rule, rec)) return 1;
        } else if (rule->after && rule->after(r, *rule, rec)) {
            return 1;
        }
        if (loop.separated) {
            r.read();
            if (r.ended) return 1;
            if (r.is(")")) return 0;
            if (!r.is(",")) return r.fail(loop.separator_msg, r.tok, Line);
        }
    }
}
