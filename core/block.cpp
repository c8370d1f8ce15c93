// The block-reading framework: keyword tables, token reading with
// end-of-file detection, the flag/fail conventions, the table-driven
// attribute loop and entries nested to any depth.
#include "block.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

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

bool store_text_slot(text_slot &field, size_t size, const char *value, size_t maxlen) {
    size_t len = std::strlen(value);
    if (len > maxlen || len >= size) {
        field.clear();
        return false;
    }
    text_access::assign(&field, value, len);
    return true;
}

bool text_ref::store(const char *value, size_t maxlen) {
    if (slot_) return store_text_slot(*slot_, size_, value, maxlen);
    if (array_) return store_text(array_, size_, value, maxlen);
    return false;
}

void text_ref::store_cut(const char *value) {
    size_t len = std::strlen(value);
    if (len >= size_) len = size_ ? size_ - 1 : 0;
    if (slot_) {
        text_access::assign(slot_, value, len);
    } else if (array_) {
        std::memmove(array_, value, len);
        array_[len] = '\0';
    }
}

void text_ref::clear() {
    if (slot_) slot_->clear();
    else if (array_) array_[0] = '\0';
}

text_ref::text_ref(const field_ref &f, void *base) {
    if (!f.size || f.type != field_ref::text) return;
    char *p = static_cast<char *>(base) + f.offset;
    if (f.slot) slot_ = reinterpret_cast<text_slot *>(p);
    else array_ = p;
    size_ = f.size;
}

// ---- lists ----

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

namespace {

bool ends_list_item(char c) { return is_blank(c) || c == ','; }

struct rows_ctx {
    value_table *rows;
    int capacity;
    int count;
};

int put_row(const char *item, size_t len, void *p) {
    rows_ctx &ctx = *static_cast<rows_ctx *>(p);
    // More items than the caller's rows, or an item beyond a row: refused.
    if (ctx.count >= ctx.capacity || len >= sizeof(value_table)) return 1;
    std::memcpy(ctx.rows[ctx.count], item, len);
    ctx.rows[ctx.count][len] = '\0';
    ++ctx.count;
    return 0;
}

}  // namespace

int scan_list(const char *text, bool (*ends_item)(char c),
              int (*each)(const char *item, size_t len, void *ctx), void *ctx) {
    bool want_item = true;
    for (const char *p = text; *p;) {
        if (is_blank(*p)) {
            ++p;
            continue;
        }
        if (want_item) {
            const char *start = p;
            while (*p && !ends_item(*p)) ++p;
            if (each(start, static_cast<size_t>(p - start), ctx)) return 1;
            want_item = false;
        } else if (*p == ',') {
            want_item = true;
            ++p;
        } else {
            return 2;
        }
    }
    return 0;
}

int extractlist(const char *text, value_table *rows, int capacity, int *count) {
    rows_ctx ctx{rows, capacity, 0};
    if (scan_list(text, ends_list_item, put_row, &ctx)) {
        setmsg("ERROR : Invalid format for list attribute : %s @ %d \n", text, Line);
        return 1;
    }
    *count = ctx.count;
    return 0;
}

// ---- keyword tables ----

int keyword_table::mark_found(const keyword_rule &rule) {
    for (int i = first_same_[&rule - rows_]; i >= 0; i = next_same_[i]) {
        if (tokens_[i].found) return 0;
        tokens_[i].found = 1;
    }
    return 1;
}

const keyword_rule *keyword_table::row(const char *name) const {
    for (const keyword_rule &k : rows())
        if (k.name[0] == name[0] && std::strcmp(k.name, name) == 0) return &k;
    return nullptr;
}

const keyword_rule *keyword_table::rule(const char *name) const {
    const keyword_rule *k = row(name);
    return k && k->kind != value_kind::token ? k : nullptr;
}

bool keyword_table::found(const char *name) const {
    for (size_t i = 0; i < count_; ++i)
        if (rows_[i].name[0] == name[0] && std::strcmp(rows_[i].name, name) == 0) return tokens_[i].found != 0;
    return false;
}

// ---- the reader ----

namespace {

// A cut text that a block's steps took as their end, until the block is
// done. Its error state is set aside meanwhile: what the steps refuse after
// it raises g_error anew, and a block they accept gets the end of the file.
struct cut_end {
    const char *eof_msg = nullptr;  // null: none
    int error = 0;                  // g_error before it
} pending_cut;

void note_cut_end(const char *eof_msg) {
    if (pending_cut.eof_msg) return;
    pending_cut.eof_msg = eof_msg;
    pending_cut.error = g_error;
    g_error = 0;
}

}  // namespace

int run_block(int (*parse)(FILE *, FILE *, const char *), FILE *fp, FILE *loadfp, const char *arg) {
    pending_cut.eof_msg = nullptr;
    int rc = parse(fp, loadfp, arg);
    const char *eof_msg = pending_cut.eof_msg;
    if (!eof_msg) return rc;
    pending_cut.eof_msg = nullptr;
    bool refused = rc || g_error;
    g_error |= pending_cut.error;
    if (refused) return rc;
    logmsg(eof_msg, Line);
    g_error = 1;
    keep_error_token(TOKEN_EOF, "");
    return 1;
}

block_reader::block_reader(FILE *f, keyword_table &k, const char *eof)
    : fp(f), keys(&k), table(k.tokens()), buckets(k.buckets()), start_line(Line), eof_msg(eof) {
    tok[0] = '\0';
    clear_foundflag(table);
}

int block_reader::read() {
    kind = get_token(fp, tok, buckets);
    if (kind == TOKEN_EOF) {
        // Handed to the block's branches: each says what the end of the
        // file means where it meets it. Read again, it is the end again.
        if (ended) {
            ++eof_reads;
            tok[0] = '\0';
        } else {
            ended = true;
            eof_reads = 1;
        }
        keep_error_token(TOKEN_EOF, tok);
    }
    // A quoted text cut by the end of the file is a token error like any
    // other to the block's steps; only the end that follows it is the end.
    cut = kind == TOKEN_ERROR && tokenizer_at_end();
    return kind;
}

int block_reader::eof() {
    if (!eof_said && !said_at_eof) {
        flag(eof_msg, Line);
        eof_said = true;
    }
    g_error = 1;
    keep_error_token(TOKEN_EOF, "");
    return 1;
}

bool block_reader::error_ends() {
    if (kind != TOKEN_ERROR) return false;
    error_ended = true;
    if (cut) note_cut_end(eof_msg);
    return true;
}

int block_reader::read_upper() {
    read();
    if (token_has_lower()) converttocap(tok, tok, sizeof tok);
    return kind;
}

void block_reader::push_back() { setnexttoken(tok, kind); }

void block_reader::vreport(const char *fmt, va_list ap) {
    if (ended) said_at_eof = true;
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    g_error = 1;
    keep_error_token(kind, tok);
    addtooutput();
}

int block_reader::fail(const char *fmt, ...) {
    if (eof_said) return 1;
    va_list ap;
    va_start(ap, fmt);
    vreport(fmt, ap);
    va_end(ap);
    return 1;
}

void block_reader::flag(const char *fmt, ...) {
    if (eof_said) return;
    va_list ap;
    va_start(ap, fmt);
    vreport(fmt, ap);
    va_end(ap);
}

int block_reader::report(on_error how, const char *fmt, bool with_token) {
    if (how == on_error::fail) return with_token ? fail(fmt, tok, Line) : fail(fmt, Line);
    if (with_token) flag(fmt, tok, Line);
    else flag(fmt, Line);
    return 0;
}

bool block_reader::read_name(text_ref field, size_t maxlen, const char *toolong_fmt) {
    read();
    if (kind == TOKEN_ERROR) {
        fail(eof_msg, Line);
        return false;
    }
    if (!field.store(tok, maxlen)) {
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

int fail_pending(block_reader &r) {
    char text[kMsgSize];
    std::memcpy(text, g_errormsg, sizeof text);
    return r.fail("%s", text);
}

void flag_pending(block_reader &r) {
    char text[kMsgSize];
    std::memcpy(text, g_errormsg, sizeof text);
    r.flag("%s", text);
}

// ---- the attribute loop ----

namespace {

bool kind_matches(value_kind want, int kind) {
    switch (want) {
    case value_kind::quoted:
    case value_kind::list: return kind == TOKEN_QUOTED;
    case value_kind::number: return kind == TOKEN_NUMBER;
    case value_kind::word: return kind == TOKEN_WORD;
    default: return true;
    }
}

// The value token of `rule` is in r.tok: check it and store it.
int take_value(block_reader &r, const keyword_rule &rule, void *rec) {
    char *base = static_cast<char *>(rec);
    if (rule.before && rule.before(r, rule, rec)) return 1;
    if (rule.kind == value_kind::name && r.kind == TOKEN_EOF) return r.eof();
    if (rule.kind == value_kind::name && r.kind == TOKEN_ERROR) return r.fail(r.eof_msg, Line);
    if (rule.kind_msg && !kind_matches(rule.kind, r.kind) && r.report(rule.kind_err, rule.kind_msg))
        return 1;
    const field_ref &f = rule.field;
    if (rule.upper) converttocap(r.tok, r.tok, sizeof r.tok);
    if (rule.lower) converttolow(r.tok, r.tok, sizeof r.tok);
    if (f.size && f.type == field_ref::int32) {
        int32_t n = 0;
        // An out-of-range number gets the field's own number message.
        if (!parse_int32(r.tok, &n) && rule.kind_msg && kind_matches(rule.kind, r.kind) &&
            r.report(rule.kind_err, rule.kind_msg))
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
    } else if (rule.length != length_rule::own) {
        size_t maxlen = rule.length == length_rule::table && rule.maxlen
                            ? static_cast<size_t>(rule.maxlen)
                            : (f.size ? f.size - 1 : sizeof r.tok);
        if (!f.size) {
            // Not stored by the loop: only the length is checked.
            if (std::strlen(r.tok) > maxlen && r.report(rule.toolong_err, rule.toolong_msg)) return 1;
        } else if (!text_ref(f, rec).store(r.tok, maxlen) &&
                   r.report(rule.toolong_err, rule.toolong_msg)) {
            return 1;
        }
    }
    if (rule.after && rule.after(r, rule, rec)) return 1;
    return 0;
}

// "=" then the value of `rule`.
int read_value(block_reader &r, const keyword_rule &rule, void *rec) {
    if (rule.kind == value_kind::none) return rule.after && rule.after(r, rule, rec) ? 1 : 0;
    const loop_options &o = r.keys->options;
    if (!r.expect("=", rule.equal_msg ? rule.equal_msg : o.equal_msg, rule.equal_msg || o.equal_token))
        return 1;
    r.read();
    if (r.eof_said) return 1;
    return take_value(r, rule, rec);
}

enum entry_start { at_equal, after_open };

int read_entry_from(FILE *fp, const entry_def &def, void *entry, void *owner, entry_start start) {
    block_reader r(fp, *def.keys, def.eof_msg);
    if (def.begin_end) {
        if (!r.expect("BEGIN", def.open_msg, def.open_token)) return 1;
    } else if (start == at_equal) {
        if (!r.expect("=", def.equal_msg, def.equal_token)) return 1;
        if (!r.expect("(", def.open_msg, def.open_token)) return 1;
    }
    if (read_attributes(r, entry)) return 1;
    return def.check ? def.check(r, entry, owner) : 0;
}

// The entries after an entry keyword: 0 read (the next token is the
// owner's), 1 stop, 2 read and the owner's "," separator taken with them.
int read_entry_row(block_reader &r, const keyword_rule &row, void *owner) {
    const entry_def &def = *row.entry;
    entry_start start = at_equal;
    for (;;) {
        void *entry = Malloc(def.size);
        std::memset(entry, 0, def.size);
        if (def.init) def.init(entry, owner);
        if (read_entry_from(r.fp, def, entry, owner, start)) {
            free_record(entry, def.size);
            return 1;
        }
        if (row.file) {
            if (row.file(r, row, entry, owner)) return 1;
        } else {
            free_record(entry, def.size);
        }
        if (!def.repeated) return 0;
        r.read();
        if (r.eof_said) return 1;
        if (!r.is(",")) {
            r.push_back();
            return 0;
        }
        r.read();
        if (r.eof_said) return 1;
        if (!r.is("(")) {
            // In an entry the "," was the owner's separator.
            if (r.keys->options.style == loop_style::separated) {
                r.push_back();
                return 2;
            }
            return r.report(on_error::fail, def.open_msg, def.open_token);
        }
        start = after_open;
    }
}

}  // namespace

int read_keyword(block_reader &r, const keyword_rule &rule, void *rec) {
    if (rule.kind == value_kind::entry) {
        if (rule.before && rule.before(r, rule, rec)) return 1;
        return read_entry_row(r, rule, rec);
    }
    return read_value(r, rule, rec);
}

namespace {

int read_ordered(block_reader &r, void *rec) {
    const loop_options &o = r.keys->options;
    std::span<const keyword_rule> rows = r.keys->rows();
    const keyword_rule *last = nullptr;
    for (const keyword_rule &k : rows)
        if (k.kind != value_kind::token) last = &k;
    for (const keyword_rule &k : rows) {
        if (k.kind == value_kind::token) continue;
        r.read_upper();
        if (r.eof_said || (r.ended && o.eof_ends)) return r.eof();
        if (!r.is(k.name) && r.report(k.order_err, k.order_msg, k.order_token)) return 1;
        set_foundflag(r.table, k.name);
        if (read_keyword(r, k, rec) == 1) return 1;
        if (!r.expect(&k == last ? ")" : ",", &k == last ? o.close_msg : o.separator_msg)) return 1;
    }
    return 0;
}

}  // namespace

int read_attributes(block_reader &r, void *rec) {
    const loop_options &o = r.keys->options;
    if (o.style == loop_style::ordered) return read_ordered(r, rec);
    bool separated = o.style == loop_style::separated;
    for (;;) {
        // The end of the file went through a branch that read on: stop.
        if (r.ended && r.eof_reads >= 2) return r.eof();
        r.read_upper();
        if (r.eof_said || (r.ended && o.eof_ends)) return r.eof();
        if (o.error_ends && r.error_ends()) return 0;
        // A quoted string is a value, never a keyword, whatever its text.
        // Every row is in the table's buckets: a word the tokenizer matched
        // to none is no row's name.
        const keyword_rule *rule = r.kind == TOKEN_QUOTED || r.kind == TOKEN_EOF ? nullptr
                                   : r.kind == TOKEN_ERROR                       ? r.keys->rule(r.tok)
                                                                                 : r.keys->matched_rule(matched_keyword(), r.tok);
        if (!rule) {
            if (!separated && r.kind == TOKEN_END) return 0;
            if (separated && o.close_early && r.kind != TOKEN_QUOTED && r.is(")")) return 0;
            if (o.other) {
                int handled = o.other(r, rec);
                if (handled == 1) return 1;
                if (handled == 0) continue;
            }
            return r.fail(o.invalid_msg, r.tok, Line, r.kind);
        }
        if (!r.keys->mark_found(*rule) && !rule->repeatable && o.dup_msg &&
            r.report(o.dup_err, o.dup_msg))
            return 1;
        int status = read_keyword(r, *rule, rec);
        if (status == 1) return r.error_ended ? 0 : 1;
        if (separated && status != 2) {
            r.read();
            if (r.eof_said || (r.ended && o.eof_ends)) return r.eof();
            if (r.is(")")) return 0;
            if (!r.is(",")) return r.fail(o.separator_msg, r.tok, Line);
        }
    }
}

int read_entry(FILE *fp, const entry_def &def, void *entry, void *owner) {
    return read_entry_from(fp, def, entry, owner, at_equal);
}

const entry_def &entry_def::choose(const char *value) const {
    const entry_def *def = this;
    while (def->otherwise && std::strcmp(value, def->when) != 0) def = def->otherwise;
    return *def;
}
