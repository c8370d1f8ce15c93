// The one way a block parser is written, in every section: a keyword_table
// that declares each keyword of the block once (its token kind, mandatory
// flag, longest value, value kind, field, messages and own checks), a
// block_reader over the open file and that table, and read_attributes,
// which walks the table. The tokenizer's keyword rows come from the same
// table. A block then is its table plus the checks that really are its own.
//
// What the framework does for every block:
//  - hashes the keyword rows when it is compiled (keyword_table_of) and
//    clears their found flags (block_reader);
//  - a file that ends inside the block is never an implicit END: its token
//    (TOKEN_EOF, empty text) goes to the branch that meets it, whose own
//    message is logged (an expected "=" or ",", an invalid keyword...);
//    where a loop would take it as END (loop_options::eof_ends, or a block
//    that checks r.ended) it is "Unexpected end of file @ line" (eof());
//  - a token error (over-long: the tokenizer has logged it and set g_error;
//    or a quoted text cut by the end of the file, its text what was read,
//    nothing logged) is a token like any other to the branch that meets it;
//    where a loop takes it as its end (loop_options::error_ends, or
//    r.error_ends() in a loop of the block's own) the loop ends as at END,
//    with no message; a cut text taken so, in a block whose steps then
//    accept it, is "Unexpected end of file @ line" (run_block);
//  - fail(...) formats, sets g_error, keeps the token for skip_block, logs
//    and answers 1 (stop the block); flag(...) does the same and reads on;
//  - the attribute loop refuses duplicates, checks "=", the value's kind
//    (quoted / number / word / list), its length against the keyword's
//    longest value and the field's size (a flagged value never overruns
//    its field: it is refused and the field stays empty), converts numbers
//    with range checks, stores, then runs the keyword's own check;
//  - entries: a row of kind `entry` reads "KEY = ( ... )" (or, repeated,
//    "KEY = ( ... ) , ( ... )", or a nested "KEY BEGIN ... END") with the
//    entry's own table into a record of its own, then hands it to the row's
//    `file` step; entry tables hold entry rows in turn, to any depth;
//  - check_mandatory reports the first missing mandatory keyword at END
//    (vendor "CISCO").
//
// Worked example, a block "THING name BEGIN COLOUR = "red" SIZE = 3 END":
//
//   constinit keyword_table_of thingtokens{{
//       token_row("BEGIN", TOKEN_BEGIN),
//       {.name = "COLOUR", .mandatory = 1, .maxlen = 30, .kind = value_kind::quoted,
//        .kind_msg = "ERROR : quoted string expected : %s @ %d\n",
//        .field = NDL_TEXT(thing_rec, colour)},
//       {.name = "SIZE", .kind = value_kind::number,
//        .kind_msg = "ERROR : SIZE must be a number : %s @ %d\n",
//        .kind_err = on_error::flag, .field = NDL_INT(thing_rec, size)},
//       token_row("END", TOKEN_END)},
//      {.invalid_msg = "ERROR : Invalid Input :%s @%d \n",
//       .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
//       .equal_msg = "ERROR: '=' expected : %s @ %d\n"}};
//
//   int parse_thing(FILE *fp, FILE *, const char *) {
//       block_reader r(fp, thingtokens);
//       thing_rec *rec = alloc_record<thing_rec>();
//       if (!r.read_name(rec->name, kName - 1, kTooLongMsg)) { free_record(rec); return 1; }
//       if (!r.expect("BEGIN", "ERROR: 'BEGIN' expected : %s @ %d \n")) { free_record(rec); return 1; }
//       if (read_attributes(r, rec)) { free_record(rec); return 1; }   // up to END
//       r.check_mandatory("thing", "ERROR: '%s' not given : @ %d\n", r.start_line);
//       append_record(prthings, rec);   // filled completely before appending
//       return 0;
//   }
#ifndef NDL_CORE_BLOCK_H
#define NDL_CORE_BLOCK_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "records_common.h"
#include "runstate.h"
#include "tokenizer.h"

// The texts that most blocks share.
extern const char kTooLongMsg[];  // "ERROR: token size exceeds datbase field size :  '%s' @ %d\n"
extern const char kEofMsg[];      // "ERROR: Unexpected end of file @ %d \n"
extern const char kEofSpacedMsg[];  // "ERROR : Unexpected end of file @ %d \n"

// Range-checked conversion of a decimal text (optional sign, digits only):
// false for anything else or a value outside 32 bits; *out is then 0.
bool parse_int32(const char *text, int32_t *out);

// Bounded copy: the value goes in when it has at most `maxlen` characters
// and fits the field; else the field is emptied and the answer is false.
bool store_text(char *field, size_t size, const char *value, size_t maxlen);
bool store_text_slot(text_slot &field, size_t size, const char *value, size_t maxlen);
template <size_t N>
bool store_text(text_field<N> &field, const char *value, size_t maxlen) {
    return store_text_slot(field, N, value, maxlen);
}
template <size_t N>
bool store_text(char (&field)[N], const char *value, size_t maxlen) {
    return store_text(field, N, value, maxlen);
}

struct field_ref;

// Either kind of text field (a record's text_field, or a char array of a
// block's own struct), for the helpers that serve both. Empty when made
// without one: reads as "", takes nothing.
class text_ref {
public:
    text_ref() = default;
    text_ref(const text_ref &other) : array_(other.array_), slot_(other.slot_), size_(other.size_) {}
    text_ref &operator=(const text_ref &other) = default;
    template <size_t N>
    text_ref(char (&field)[N]) : array_(field), size_(N) {}
    template <size_t N>
    text_ref(text_field<N> &field) : slot_(&field), size_(N) {}
    // The text field a table row names inside `base` (empty when the row
    // stores no text).
    text_ref(const field_ref &f, void *base);

    operator const char *() const { return slot_ ? slot_->c_str() : array_ ? array_ : ""; }
    bool empty() const { return !*static_cast<const char *>(*this); }
    size_t size() const { return size_; }
    // store_text's rule: refused (and emptied) beyond `maxlen` or the field.
    bool store(const char *value, size_t maxlen);
    // A bounded copy, cut to the field.
    void set(const char *value) { store_cut(value); }
    void clear();

private:
    void store_cut(const char *value);
    char *array_ = nullptr;
    text_slot *slot_ = nullptr;
    size_t size_ = 0;
};

// The scan that every list splitter shares: white space between items is
// skipped, an item runs until `ends_item` says so (it may be empty, as
// between two commas), after an item only "," may follow, and a trailing
// comma adds nothing. `each` gets every item (0 go on, 1 stop). 0 done,
// 1 stopped by `each`, 2 a character other than "," where one was expected.
int scan_list(const char *text, bool (*ends_item)(char c),
              int (*each)(const char *item, size_t len, void *ctx), void *ctx);
// White space as the list splitters see it.
bool is_blank(char c);
// Splits a comma-separated text into `rows` (room for `capacity` rows of up
// to 300 characters); *count takes the number of items. 0 done, 1 with the
// message formatted into g_errormsg (not logged): a bad separator, more
// items than the rows hold, or an item longer than 300 characters.
int extractlist(const char *text, value_table *rows, int capacity, int *count);

enum class value_kind {
    token,   // a row for the tokenizer only (BEGIN, END, punctuation, a
             // keyword the block reads itself): no attribute
    quoted,  // a quoted string
    number,  // a number token; into an int field with range checks
    word,    // a plain word (not quoted)
    name,    // any token but a token error (which is the end-of-file message)
    any,     // any token; the rule's check decides
    list,    // a quoted comma-separated list, split into value_table rows
    none,    // a keyword that stands alone (no "=", no value)
    entry,   // an entry with a table and record of its own (entry_def)
};
enum class on_error { fail, flag };
// Who holds a value to its length: the loop, against the keyword's longest
// value (or the field when that is 0); the loop against the field only; or
// the keyword's own check.
enum class length_rule { table, field, own };

// Where a value goes in the record: a text (a record's text_field, or a
// char array of a block's own struct; bounded by its width), an int32
// field, or rows of value_table (capacity = size / 301).
struct field_ref {
    size_t offset = 0;
    size_t size = 0;  // 0: the value is not stored by the loop
    enum { text, int32, rows } type = text;
    size_t count = 0;  // rows: the int32 field that takes the number of items
    bool slot = false;  // text: a text_field (else a char array)
};
#define NDL_TEXT(rec, member)                                                                   \
    field_ref {                                                                                 \
        offsetof(rec, member), text_width<decltype(rec::member)>::size, field_ref::text, 0, \
            text_width<decltype(rec::member)>::slot                                             \
    }
#define NDL_INT(rec, member) \
    field_ref { offsetof(rec, member), sizeof(int32_t), field_ref::int32 }
#define NDL_ROWS(rec, member, countmember)                                                     \
    field_ref {                                                                               \
        offsetof(rec, member), sizeof(static_cast<rec *>(nullptr)->member), field_ref::rows, \
            offsetof(rec, countmember)                                                        \
    }

class block_reader;
struct keyword_rule;
struct entry_def;

// A keyword's own check, run with the value token in r.tok / r.kind:
// `before` ahead of the kind and length checks, `after` once the value is
// stored. Answer 0 to read on, 1 to stop the block (after r.fail).
using attr_check = int (*)(block_reader &r, const keyword_rule &rule, void *rec);
// What the owner of an entry does with it once it is read: `r` is the
// owner's reader, `entry` the entry's record (the step owns it from here:
// it appends it or frees it). 0 read on, 1 stop.
using entry_file = int (*)(block_reader &r, const keyword_rule &rule, void *entry, void *owner);

// One keyword of a block, declared once: the tokenizer's row and the
// attribute loop's rule. A table's rows keep their order (the first missing
// mandatory keyword is the first in that order).
struct keyword_rule {
    const char *name = nullptr;   // upper case
    int type = TOKEN_ATTRIBUTE;   // the token kind the tokenizer returns
    int mandatory = 0;            // 0 optional; 1 mandatory; 2 also vendor-checked
    int maxlen = 0;               // longest value
    value_kind kind = value_kind::any;
    length_rule length = length_rule::table;
    const char *kind_msg = nullptr;  // wrong kind or bad number: (token, Line)
    on_error kind_err = on_error::fail;
    const char *toolong_msg = kTooLongMsg;  // (value, Line)
    on_error toolong_err = on_error::flag;  // flagged: the field stays empty
    const char *equal_msg = nullptr;  // no "=" after it: this text instead of the table's
    // Ordered tables: another keyword in this place (token, Line), or
    // (Line) without `order_token`.
    const char *order_msg = nullptr;
    on_error order_err = on_error::fail;
    bool order_token = true;
    field_ref field{};
    bool upper = false;       // stored upper-cased
    bool lower = false;       // stored lower-cased
    bool repeatable = false;  // may come again (each entry opens a record)
    // In the table (so the tokenizer knows the word), yet refused wherever
    // it stands: the reference says so.
    bool refused = false;
    // Values: ahead of the kind and length checks. Entries: once the
    // keyword is read, before the entry (with the owner's record).
    attr_check before = nullptr;
    // Values: once stored. A token row: the step its block's own code runs
    // on the keyword (read_by); the loop never runs it.
    attr_check after = nullptr;
    int tag = 0;              // free for the block's checks
    // Kind entry: how the entry is read. Other kinds: the entry that the
    // keyword's own check reads (it reads through this, so the reference
    // lists what is read).
    const entry_def *entry = nullptr;
    entry_file file = nullptr;         // kind entry: what the owner does with it
    // For the reference: what the keyword's own check (before, after, or
    // the block's code for a token row) holds it to; and, for a keyword
    // that is mandatory only with another value, that value.
    const char *checks = nullptr;
    const char *mandatory_when = nullptr;
    const value_table *values = nullptr;  // the values its check allows, ended by ""
    // A row whose own code reads its entry: how the entry is written
    // (`LOOPBACK#N.IPADDRESS = ( ... )`), for the reference.
    const char *written = nullptr;
    // What is stored when the keyword is left out, where that is not empty.
    const char *unset = nullptr;
};

// For the reference: what validate_commandvar holds a value to. Only its
// <...> parts are looked up; the rest is stored as written.
// A number's default written once: the code takes the number, the row
// (`unset`) its text.
#define NDL_TEXT_OF(n) NDL_TEXT_OF_(n)
#define NDL_TEXT_OF_(n) #n

#define NDL_COMMAND_VALUE "its `<...>` parts must resolve on the node type; other text is stored as written, unchecked"

// A row the tokenizer needs but the attribute loop does not read.
constexpr keyword_rule token_row(const char *name, int type, int maxlen = 0, int mandatory = 0) {
    return keyword_rule{.name = name, .type = type, .mandatory = mandatory, .maxlen = maxlen,
                        .kind = value_kind::token};
}
// A keyword of the table that its block refuses wherever it stands.
constexpr keyword_rule refused_row(const char *name, int type, int maxlen = 0) {
    keyword_rule k = token_row(name, type, maxlen);
    k.refused = true;
    return k;
}
// A token row whose own code reads the list `entry`: the reference lists
// the entry's keywords under it; the loop does not use it.
constexpr keyword_rule with_entry(keyword_rule k, const entry_def *entry, const char *written = nullptr) {
    k.entry = entry;
    k.written = written;
    return k;
}

// A row with what its own check holds it to, for the reference.
constexpr keyword_rule with_checks(keyword_rule k, const char *checks, const value_table *values = nullptr) {
    k.checks = checks;
    k.values = values;
    return k;
}

// A token row that its block reads with code of its own: `step` (called
// with the keyword in r.tok) reads what follows it. The block finds the
// keyword through the table (own_row) instead of comparing texts.
constexpr keyword_rule read_by(keyword_rule k, attr_check step) {
    k.after = step;
    return k;
}

// How a run of attributes is written:
//  block     "KEY = value ..." up to END;
//  separated "KEY = value , KEY = value )", the "(" already read;
//  ordered   the table's attribute rows each once, in their order, separated
//            by "," and closed by ")".
enum class loop_style { block, separated, ordered };

struct loop_options {
    loop_style style = loop_style::block;
    const char *invalid_msg = nullptr;    // not a keyword of the table: fails (token, Line, kind)
    const char *dup_msg = nullptr;        // a keyword again (token, Line); none: accepted
    on_error dup_err = on_error::flag;    // a keyword again: flagged, or the block stops
    const char *equal_msg = nullptr;      // no "=" after the keyword: fails (token, Line)
    bool equal_token = true;              // false: the table's "=" message takes (Line) only
    const char *separator_msg = nullptr;  // separated: neither "," nor ")"; ordered: no "," (token, Line)
    const char *close_msg = nullptr;      // ordered: no ")" after the last value (token, Line)
    // separated: a ")" where a keyword is expected ends the run too (an
    // empty "( )", a "," before the ")").
    bool close_early = false;
    // The end of the file where a keyword is expected (or, separated, a
    // "," or ")") ends the run as END would: the block's end-of-file
    // message, never an accepted block. Else the token goes to the
    // branches (the invalid or separator message).
    bool eof_ends = false;
    // A token error where a keyword is expected (the tokenizer has logged
    // it and set g_error) ends the run as END (separated: ")") does, with
    // no message of its own: the block's closing steps follow.
    bool error_ends = false;
    // A token that is no keyword of the table (e.g. a word that opens a
    // definition): -1 not handled (the invalid message follows), 0 handled,
    // 1 stop the block.
    int (*other)(block_reader &r, void *rec) = nullptr;
    // For the reference: what `other` does with the words it is given.
    const char *others = nullptr;
};

// A block's (or an entry's) keywords and how its attribute loop runs. The
// rows live in a keyword_table_of, made when the program is compiled: a
// library loads and a program starts without building one.
class keyword_table {
public:
    keyword_table(const keyword_table &) = delete;
    keyword_table &operator=(const keyword_table &) = delete;

    // The tokenizer's rows, in declaration order, ended by an empty row.
    token_entry *tokens() { return tokens_; }
    // The attribute row of `name` (upper case), or null.
    const keyword_rule *rule(const char *name) const;
    // The row of `name` whatever its kind, or null.
    const keyword_rule *row(const char *name) const;
    std::span<const keyword_rule> rows() const { return {rows_, count_}; }
    // rule() of the token that the tokenizer matched to `match` in this
    // table's buckets (none: null).
    const keyword_rule *matched_rule(const token_entry *match, const char *tok) const {
        if (!match) return nullptr;
        // A row of another table (the buckets were not this table's): by name.
        auto at = static_cast<size_t>(reinterpret_cast<uintptr_t>(match) - reinterpret_cast<uintptr_t>(tokens_));
        if (at >= count_ * sizeof(token_entry)) return rule(tok);
        return rule_of_[at / sizeof(token_entry)];
    }
    // set_foundflag(tokens(), rule.name), for a row of this table.
    int mark_found(const keyword_rule &rule);
    // The keyword was met in the current block.
    bool found(const char *name) const;
    // The rows' hash buckets: every reader of the table reads with the same
    // chains (get_token does not change them).
    token_entry **buckets() { return buckets_; }

    loop_options options;

protected:
    constexpr explicit keyword_table(const loop_options &opts) : options(opts) {}

    // Set by keyword_table_of to its own arrays.
    const keyword_rule *rows_ = nullptr;
    size_t count_ = 0;
    token_entry *tokens_ = nullptr;
    // By row: rule() of the row's name in upper case, the first row of the
    // same name, and the next row of the same name (-1: none).
    const keyword_rule *const *rule_of_ = nullptr;
    const int *first_same_ = nullptr, *next_same_ = nullptr;
    token_entry *buckets_[kBuckets] = {};
};

namespace keyword_detail {
// Equal names, `a` taken in upper case as converttocap makes it.
constexpr bool same_upper(const char *a, const char *b) {
    for (;; ++a, ++b) {
        char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 'a' + 'A') : *a;
        if (x != *b) return false;
        if (!x) return true;
    }
}
constexpr bool same(const char *a, const char *b) {
    for (; *a == *b; ++a, ++b)
        if (!*a) return true;
    return false;
}
}  // namespace keyword_detail

// A table of N keywords, everything the readers need computed by the
// compiler (hashing included), so that it can be `constinit`:
//   constinit keyword_table_of thingtokens{{ rows... }, { options }};
// Only the found flags in its token rows change while blocks are read.
template <size_t N>
class keyword_table_of : public keyword_table {
public:
    constexpr keyword_table_of(const keyword_rule (&rows)[N], const loop_options &opts = {})
        : keyword_table(opts) {
        for (size_t i = 0; i < N; ++i) {
            const keyword_rule &k = rows[i];
            rows_of_[i] = k;
            tokens_of_[i] = token_entry{k.name, 0, k.mandatory, 0, k.type, k.maxlen, 0, nullptr};
        }
        for (size_t i = 0; i < N; ++i) {
            const char *name = rows[i].name;
            // rule(): the first row of the upper-cased name, when it is no token row.
            for (size_t j = 0; j < N; ++j) {
                if (!keyword_detail::same_upper(name, rows[j].name)) continue;
                if (rows[j].kind != value_kind::token) rule_of_of_[i] = &rows_of_[j];
                break;
            }
            first_same_of_[i] = next_same_of_[i] = -1;
            for (size_t j = 0; j < N && first_same_of_[i] < 0; ++j)
                if (keyword_detail::same(rows[j].name, name)) first_same_of_[i] = static_cast<int>(j);
            for (size_t j = i + 1; j < N && next_same_of_[i] < 0; ++j)
                if (keyword_detail::same(rows[j].name, name)) next_same_of_[i] = static_cast<int>(j);
        }
        hash_init(tokens_of_, buckets_);
        rows_ = rows_of_;
        count_ = N;
        tokens_ = tokens_of_;
        rule_of_ = rule_of_of_;
        first_same_ = first_same_of_;
        next_same_ = next_same_of_;
    }

private:
    keyword_rule rows_of_[N] = {};
    token_entry tokens_of_[N + 1] = {};  // ended by an empty row
    const keyword_rule *rule_of_of_[N] = {};
    int first_same_of_[N] = {}, next_same_of_[N] = {};
};

class block_reader {
public:
    // Hashes the table's rows (none: no keywords) and clears their found
    // flags. `eof_msg` takes the line: the block's own "Unexpected end of
    // file".
    block_reader(FILE *fp, keyword_table &keys, const char *eof_msg = kEofMsg);

    // Reads the next token into tok/kind. At the end of the file the kind
    // is TOKEN_EOF (kept for skip_block), `ended` is set and the token is
    // the caller's to report; every read after it is TOKEN_EOF again with
    // an empty text. A quoted string cut by the end of the file is a token
    // error (its text what was read, nothing logged; `cut` set), and the
    // end of the file follows it.
    int read();
    // The end of the file where the block's steps would end the block as
    // END: eof_msg with the line, unless a message was logged since the end
    // was read. Sets g_error; answers 1 (stop the block).
    int eof();
    // The current token is a token error (already logged by the
    // tokenizer, or a cut text) that the block's steps take as the end of
    // its loop: true, and remembered, so that a check that answers 1 on it
    // ends the attribute loop as END does instead of stopping the block.
    // A cut text taken so is the end of the file once the block is done,
    // unless its steps refuse it first (run_block).
    bool error_ends();
    // The same, with tok upper-cased (keywords; names kept as written need
    // read()).
    int read_upper();
    // tok equals `text` ignoring case; never at the end of the file.
    bool is(const char *text) const { return kind != TOKEN_EOF && same_word(tok, text); }
    // Hands the current token back: the next read (of any reader) gets it.
    void push_back();

    // Formats the message into g_errormsg, sets g_error, keeps the current
    // token (kind and text) for skip_block and logs. fail answers 1 so that
    // a parser can `return r.fail(...)`.
    int fail(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    void flag(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    // fail and flag are silent once eof_msg has been logged.
    // fail or flag with (token, Line), or (Line) only.
    int report(on_error how, const char *fmt, bool with_token = true);

    // Reads one token that must be `text` (any case). Else fails with
    // `fmt`, given (token, Line), or only Line when `with_token` is false.
    // Inline: a block reads most of its punctuation so, and its registers
    // serve the call to the tokenizer better than a frame of its own.
    bool expect(const char *text, const char *fmt, bool with_token = true) {
        read();
        if (is(text)) return true;
        report(on_error::fail, fmt, with_token);
        return false;
    }

    // Reads the name after a block keyword: a token error fails with the
    // reader's end-of-file message; the end of the file itself is an empty
    // name (the step after it refuses it); longer than `maxlen` (or the
    // field) fails with `toolong_fmt` (token, Line); else it is stored as
    // written.
    bool read_name(text_ref field, size_t maxlen, const char *toolong_fmt);

    // At END: the first mandatory keyword not met is logged with `fmt`
    // (keyword, line) and g_error set; vendor "CISCO". 1 complete, 0 not.
    int check_mandatory(const char *objectword, const char *fmt, int line);

    FILE *fp;
    keyword_table *keys;
    token_entry *table;  // keys->tokens()
    token_entry **buckets;  // keys->buckets()
    char tok[kTokenSize];
    int kind = 0;
    int start_line;     // Line when the reader was made
    bool ended = false; // the end of the file has been read
    int eof_reads = 0;  // how often it was read
    bool eof_said = false;    // eof_msg logged
    bool said_at_eof = false; // a message logged after the end was read
    bool error_ended = false; // error_ends() took a token error as the end
    bool cut = false;         // the token is a quoted text cut by the end of the file
    const char *eof_msg;

private:
    void vreport(const char *fmt, va_list ap);
};

// The row of r.tok (upper case) in the reader's table that its own code
// reads (read_by), or null. The same keyword may stand before it as an
// attribute of the table's loop.
inline const keyword_rule *own_row(const block_reader &r) {
    for (const keyword_rule &k : r.keys->rows())
        if (k.name[0] == r.tok[0] && k.kind == value_kind::token && k.after && std::strcmp(k.name, r.tok) == 0)
            return &k;
    return nullptr;
}

// How an entry is read. Forms: "= ( ... )" (the attribute loop of the
// entry's table, separated or ordered) or "BEGIN ... END" (block style);
// `repeated` takes "( ... ) , ( ... )" after one keyword.
struct entry_def {
    keyword_table *keys = nullptr;
    const char *eof_msg = kEofMsg;
    bool begin_end = false;
    const char *equal_msg = nullptr;  // "=" before "(" (token, Line)
    bool equal_token = true;
    const char *open_msg = nullptr;   // "(" or BEGIN (token, Line), or (Line)
    bool open_token = true;
    bool repeated = false;
    // A fresh record for one entry (default: `size` zeroed bytes), set up
    // for `owner` (its defaults).
    size_t size = 0;
    void (*init)(void *entry, void *owner) = nullptr;
    // Checks after ")" or END, on the entry's reader: 0 the entry stands
    // (errors may be flagged), 1 stop.
    int (*check)(block_reader &r, void *entry, void *owner) = nullptr;
    // An entry whose keywords a value read before it chooses: this one when
    // the value is `when`, else `otherwise` (read by the keyword's own
    // check, through choose()).
    const char *when = nullptr;
    const entry_def *otherwise = nullptr;
    const entry_def &choose(const char *value) const;
    // Keywords that may follow the entry, read by the code that read it
    // (DROPSUBRULE # n after a drop rule): named for the reference only.
    keyword_table *then = nullptr;
};

// A block as the section driver runs every block. Where the block's steps took a
// quoted text cut by the end of the file as their end and then let the
// block stand (0, and no error raised since), the cut block is "Unexpected
// end of file" (the reader's own text, with the line): logged, the end kept
// for skip_block, 1.
int run_block(int (*parse)(FILE *, FILE *, const char *), FILE *fp, FILE *loadfp, const char *arg);

// Reads attributes into `rec` until END (block style) or ")" (separated
// and ordered styles): 0 at the end of the run, 1 when the block must stop
// (reported).
int read_attributes(block_reader &r, void *rec);

// What follows a keyword of the table that the caller has just read (for
// `other` handlers that open an entry with a word): its "=" and value, or
// its entries. 0 read on, 1 stop, 2 read and the owner's "," taken too.
int read_keyword(block_reader &r, const keyword_rule &rule, void *rec);

// Reads one entry of `def` into the caller's record: from its "=" (or
// BEGIN) to its ")" (or END) and its checks. 0 read, 1 stopped.
int read_entry(FILE *fp, const entry_def &def, void *entry, void *owner);

// The message a check left in g_errormsg (checks format without logging),
// logged under the reader's token: fail answers 1, flag reads on.
int fail_pending(block_reader &r);
void flag_pending(block_reader &r);

// The text field of a rule inside `rec` (empty when the rule stores none).
inline text_ref rule_text(const keyword_rule &rule, void *rec) { return text_ref(rule.field, rec); }

#endif
