// The one way a block parser is written: a block_reader over the open file
// and the block's keyword table, and, for keyword = value attributes, a
// table of attr_rule rows that read_attributes walks. A block then is its
// tables plus the checks that really are its own.
//
// What the framework does for every block:
//  - hashes the keyword table and clears its found flags (block_reader);
//  - a file that ends inside the block is "Unexpected end of file @ line"
//    and stops the block, never an implicit END (read);
//  - fail(...) formats, sets g_error, keeps the token for skip_block, logs
//    and answers 1 (stop the block); flag(...) does the same and reads on;
//  - the attribute loop refuses duplicates, checks "=", the value's kind
//    (quoted / number / word / list), its length against the keyword's
//    maximum and the field's size (a flagged value never overruns its
//    field: it is refused and the field stays empty), converts numbers with
//    range checks, stores, then runs the keyword's own check;
//  - check_mandatory reports the first missing mandatory keyword at END
//    (vendor "CISCO").
//
// Worked example, a block "THING name BEGIN COLOUR = "red" SIZE = 3 END":
//
//   token_entry thingtokens[] = {
//       {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 30, 0, nullptr},
//       {"COLOUR", 6, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
//       {"SIZE", 4, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
//       {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
//       {nullptr, 0, 0, 0, 0, 0, 0, nullptr}};
//   const attr_rule thingrules[] = {
//       {.keyword = "COLOUR", .kind = value_kind::quoted,
//        .kind_msg = "ERROR : quoted string expected : %s @ %d\n",
//        .maxlen = 30, .field = NDL_TEXT(thing_rec, colour)},
//       {.keyword = "SIZE", .kind = value_kind::number,
//        .kind_msg = "ERROR : SIZE must be a number : %s @ %d\n",
//        .kind_err = on_error::flag, .field = NDL_INT(thing_rec, size)},
//       {}};
//   const attr_loop thingloop = {.rules = thingrules,
//       .invalid_msg = "ERROR : Invalid Input :%s @%d \n",
//       .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
//       .equal_msg = "ERROR: '=' expected : %s @ %d\n"};
//
//   int parse_thing(FILE *fp, FILE *, const char *) {
//       block_reader r(fp, thingtokens);
//       thing_rec *rec = alloc_record<thing_rec>();
//       if (!r.read_name(rec->name, kName - 1, kTooLongMsg)) { free(rec); return 1; }
//       if (!r.expect("BEGIN", "ERROR: 'BEGIN' expected : %s @ %d \n")) { ...; return 1; }
//       if (read_attributes(r, thingloop, rec)) { ...; return 1; }   // up to END
//       r.check_mandatory("thing", "ERROR: '%s' not given : @ %d\n", r.start_line);
//       append_record(prthings, rec);   // filled completely before appending
//       return 0;
//   }
#ifndef NDL_TOPOLOGY_BLOCK_H
#define NDL_TOPOLOGY_BLOCK_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

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

class block_reader {
public:
    // Hashes `table` (may be null: no keywords) and clears its found flags.
    // `eof_msg` takes the line: the block's own "Unexpected end of file".
    block_reader(FILE *fp, token_entry *table, const char *eof_msg = kEofMsg);

    // Reads the next token into tok/kind. At the end of the file (or a
    // quoted string cut by it) logs eof_msg, keeps TOKEN_EOF for skip_block
    // and sets `ended`; the kind is then TOKEN_EOF.
    int read();
    // The same, with tok upper-cased (keywords; names kept as written need
    // read()).
    int read_upper();
    // tok equals `text` ignoring case.
    bool is(const char *text) const;

    // Formats the message into g_errormsg, sets g_error, keeps the current
    // token (kind and text) for skip_block and logs. fail answers 1 so that
    // a parser can `return r.fail(...)`; after `ended` it only answers 1
    // (the end of the file has been reported already).
    int fail(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    void flag(const char *fmt, ...) __attribute__((format(printf, 2, 3)));

    // Reads one token that must be `text` (any case). Else fails with
    // `fmt`, given (token, Line), or only Line when `with_token` is false.
    bool expect(const char *text, const char *fmt, bool with_token = true);

    // Reads a name (any token but the end of the file or a token error,
    // which give the EOF message): longer than `maxlen` (or the field)
    // fails with `toolong_fmt` (token, Line); else it is stored as written.
    bool read_name(char *field, size_t size, size_t maxlen, const char *toolong_fmt);
    template <size_t N>
    bool read_name(char (&field)[N], size_t maxlen, const char *toolong_fmt) {
        return read_name(field, N, maxlen, toolong_fmt);
    }

    // At END: the first mandatory keyword not met is logged with `fmt`
    // (keyword, line) and g_error set; vendor "CISCO". 1 complete, 0 not.
    int check_mandatory(const char *objectword, const char *fmt, int line);

    FILE *fp;
    token_entry *table;
    token_entry *buckets[kBuckets];
    char tok[kTokenSize];
    int kind = 0;
    int start_line;     // Line when the reader was made
    bool ended = false; // the file ended inside the block (reported)
    const char *eof_msg;

private:
    void report(const char *fmt, va_list ap);
};

enum class value_kind {
    quoted,  // a quoted string
    number,  // a number token; into an int field with range checks
    word,    // a plain word (not quoted)
    any,     // any token; the rule's check decides
    list,    // a quoted comma-separated list, split into value_table rows
    none,    // a keyword that stands alone (no "=", no value)
};
enum class on_error { fail, flag };

// Where a value goes in the record: a text array (bounded by its size), an
// int32 field, or rows of value_table (capacity = size / 301).
struct field_ref {
    size_t offset = 0;
    size_t size = 0;  // 0: the value is not stored by the loop
    enum { text, int32, rows } type = text;
    size_t count = 0;  // rows: the int32 field that takes the number of items
};
#define NDL_TEXT(rec, member) \
    field_ref { offsetof(rec, member), sizeof(static_cast<rec *>(nullptr)->member), field_ref::text }
#define NDL_INT(rec, member) \
    field_ref { offsetof(rec, member), sizeof(int32_t), field_ref::int32 }
#define NDL_ROWS(rec, member, countmember)                                                     \
    field_ref {                                                                               \
        offsetof(rec, member), sizeof(static_cast<rec *>(nullptr)->member), field_ref::rows, \
            offsetof(rec, countmember)                                                        \
    }

struct attr_rule;
// A keyword's own check, run with the value token in r.tok / r.kind:
// `before` ahead of the kind and length checks, `after` once the value is
// stored. Answer 0 to read on, 1 to stop the block (after r.fail).
using attr_check = int (*)(block_reader &r, const attr_rule &rule, void *rec);

// One keyword of an attribute table; a table ends with a row without keyword.
struct attr_rule {
    const char *keyword = nullptr;  // upper case, as in the keyword table
    value_kind kind = value_kind::any;
    const char *kind_msg = nullptr;  // wrong kind or bad number: (token, Line)
    on_error kind_err = on_error::fail;
    size_t maxlen = 0;               // 0: bounded by the field only
    const char *toolong_msg = kTooLongMsg;  // (value, Line)
    on_error toolong_err = on_error::flag;  // flagged: the field stays empty
    field_ref field{};
    bool upper = false;              // stored upper-cased
    attr_check before = nullptr;
    attr_check after = nullptr;
    int tag = 0;                     // free for the block's checks
};

// How a run of attributes is written and where it ends.
struct attr_loop {
    const attr_rule *rules = nullptr;
    // Block style: "KEY = value" pairs up to END. Entry style (`separated`):
    // "KEY = value , KEY = value )", the ")" already after the "(".
    bool separated = false;
    const char *invalid_msg = nullptr;  // not a keyword of the table: fails (token, Line, kind)
    const char *dup_msg = nullptr;      // a keyword again: flagged (token, Line)
    const char *equal_msg = nullptr;    // no "=" after the keyword: fails (token, Line)
    const char *separator_msg = nullptr;  // entry style: neither "," nor ")" (token, Line)
    // A token that is no keyword of the table (e.g. VARIABLE): -1 not
    // handled (the invalid message follows), 0 handled, 1 stop the block.
    int (*other)(block_reader &r, void *rec) = nullptr;
};

// Reads attributes into `rec` until END (block style) or ")" (entry
// style): 0 at the end of the run, 1 when the block must stop (reported).
int read_attributes(block_reader &r, const attr_loop &loop, void *rec);

// The text field of a rule inside `rec` (null when the rule stores none).
char *rule_text(const attr_rule &rule, void *rec);

#endif
