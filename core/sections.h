// How the section libraries join the driver (loader/driver.h, where they
// register). The driver owns the section frame (headers, the order rules,
// the block loop and skip_block); each section library owns its dispatcher,
// its block rows and its closing steps, and registers the dispatcher under
// its section name. A section that no library registers is still read:
// every block keyword of it is an invalid block type.
//
// The core asks a few services of the sections above it (an access list or
// a match rule exists, the checks run after the last file); a section
// provides them when it registers. The core includes no section's header.
#ifndef NDL_CORE_SECTIONS_H
#define NDL_CORE_SECTIONS_H

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "tokenizer.h"

using block_parser = int (*)(FILE *fp, FILE *loadfp, const char *arg);

class keyword_table;
struct keyword_rule;

// A rule of a block that its table does not say (its own code holds it),
// as the reference states it; the reference test holds it against a load.
struct block_rule {
    const char *text = nullptr;  // null: the table says it (a keyword's mark)
    // The values the rule allows (ended by ""), listed after its text.
    const value_table *values = nullptr;
    // The text of the example that meets the rule: left out (or written
    // `instead`), the load fails and its log holds `message`.
    const char *part = nullptr;
    const char *instead = "";
    const char *message = nullptr;
    // The whole block the rule needs, when the block's example does not
    // meet it (a keyword mandatory only with a value); it loads.
    const char *example = nullptr;
};

// A name or entry that must be unique, and within what, as the block's own
// code checks it; the reference test loads the repeat and finds `message`.
struct block_unique {
    const char *what = nullptr;    // "Its name", "A VARIABLE's NAME"
    const char *within = nullptr;  // "the network", "the node type"
    // The message as the code logs it: its format, "%s" and "%d" in it.
    const char *message = nullptr;
    // The repeat: `part` of the example followed by `again` (null: `part`
    // once more); without a part, the whole example again (or `again`
    // after it).
    const char *part = nullptr;
    const char *again = nullptr;
    // The whole block, when the block's example does not hold the part,
    // and the blocks whose examples it loads after besides the block's
    // own needs.
    const char *example = nullptr;
    const char *needs = "";
    // What the message means where its words name another thing.
    const char *means = nullptr;
    // The repeat is logged and the load goes on (a WARNING).
    bool loads = false;
};

// Where a block's own value tables are printed into the reference: the
// code that owns a table, and checks with it, writes its rows, so that the
// reference cannot say other than the check does.
class reference_out {
public:
    virtual void text(std::string_view paragraph) = 0;
    // A table: its heading row, then its rows of as many cells.
    virtual void table(std::initializer_list<std::string_view> head) = 0;
    virtual void row(std::initializer_list<std::string_view> cells) = 0;
    // Blocks that use a value of the list and load after the block's own
    // example needs (the reference test loads each).
    virtual void example(std::string_view blocks) = 0;

protected:
    ~reference_out() = default;
};

// A value as a designer writes it, in backticks: quoted where the
// tokenizer would split it (`"802.1Q"`).
std::string value_word(const char *value);
// "`A`, `B` or `C`": the values of a table, as the reference writes them.
std::string values_text(const value_table *values, const char *last = " or ");
// The words of a vendor table (by its name) and what VALUE takes beside
// each, headed `word`: the table its check reads.
void write_vendor_list(reference_out &out, const char *tablename, std::string_view word);
// `form` with "%1" as a word of the vendor table and "%2" as a VALUE that
// word takes without naming anything of the network.
std::string vendor_example(const char *tablename, std::string_view form);

// What the reference says of a block beyond its keyword table, kept beside
// that table: how it opens, what must be loaded before it, the smallest
// block that loads, and the rules of its own code.
struct block_doc {
    const char *header = nullptr;  // after the block keyword, to BEGIN: "name PROCESS n M BEGIN"
    // Blocks whose examples load before this one's, by keyword, blank
    // separated: of its own section, else of the sections before it.
    const char *needs = "";
    // Blocks of its own section that only this example needs, loaded
    // before it (and before it where another block needs it).
    const char *before = "";
    // Every keyword marked mandatory and the parts its rules need, nothing
    // else; it opens with the block keyword (another block read by the same
    // parser takes its own).
    const char *example = nullptr;
    std::span<const block_rule> rules{};
    // What must be unique, besides each keyword of its tables.
    std::span<const block_unique> unique{};
    // The value lists its own code reads (and what they depend on), and the
    // names it defines itself.
    void (*lists)(reference_out &out) = nullptr;
};

constexpr block_doc with_lists(block_doc doc, void (*lists)(reference_out &out)) {
    doc.lists = lists;
    return doc;
}

constexpr block_doc with_unique(block_doc doc, std::span<const block_unique> unique) {
    doc.unique = unique;
    return doc;
}

// The rule of every block named after a node type, as its example writes
// it (NORTH.PE, of the NODES example).
inline constexpr block_rule kNodeTypeNameRule{
    .text = "Its name is a node type that a NODES block defined, `DOMAIN.TYPE`", .part = "NORTH.PE",
    .instead = "NORTH.CE"};

inline constexpr block_rule kNodeTypeRules[] = {kNodeTypeNameRule};

// The doc of a block named after a node type, loaded after the NODES
// example.
constexpr block_doc node_block_doc(const char *header, const char *example,
                                   std::span<const block_rule> rules = kNodeTypeRules) {
    return {.header = header, .needs = "NODES", .example = example, .rules = rules};
}

// What a block reads, as the language reference lists it: its keyword
// table and, where its own code reads an entry after any word (a pool's
// name), that entry's row; and what the reference says beside them.
struct block_keys {
    const keyword_table *table = nullptr;
    const keyword_rule *word = nullptr;
    const block_doc *doc = nullptr;
};

// One block of a section, registered whole by the library that owns it:
// the keyword as a file writes it (upper case; read in any case), the kind
// the tokenizer gives it, its parser and what the parser reads. A section's
// rows are the only place its keywords are spelled: its block lookup is
// made from them when it is compiled (block_table_of).
struct block_entry {
    const char *keyword = nullptr;
    int kind = 0;
    block_parser parse = nullptr;
    const char *arg = nullptr;  // protocol or list kind handed to the parser
    block_keys (*keys)() = nullptr;  // the parser's keywords
    // After the block was read without error: nonzero ends the section at
    // once (the check has logged and kept the token).
    int (*after)(int kind, const char *token) = nullptr;
};

// The keywords of the section frame, which every block lookup knows
// beside the section's own: a header ends the section.
struct frame_keyword {
    const char *name;
    int kind;
};
inline constexpr frame_keyword kFrameKeywords[] = {{"NETWORKNAME", KW_NETWORKNAME}, {"SECTION", TOKEN_ATTRIBUTE}};

namespace block_detail {
constexpr bool same(const char *a, const char *b) {
    for (; *a == *b; ++a, ++b)
        if (!*a) return true;
    return false;
}
// Kinds the tokenizer gives other tokens, and the frame's: a block's kind
// is none of them (nor 0, which ends the rows and means "no keyword").
constexpr bool tokenizer_kind(int kind) {
    for (int k : {TOKEN_EOF, TOKEN_ERROR, TOKEN_WORD, TOKEN_NUMBER, TOKEN_LPAREN, TOKEN_RPAREN, TOKEN_EQUAL,
                  TOKEN_END, TOKEN_HASH, TOKEN_GROUP, TOKEN_ATTRIBUTE, TOKEN_LOOPBACK, TOKEN_QUOTED,
                  TOKEN_BEGIN, TOKEN_TO, TOKEN_SCOPE, TOKEN_LIST, TOKEN_AREA, KW_NETWORKNAME})
        if (k == kind) return true;
    return kind == 0;
}
}  // namespace block_detail

// The rows of a section's N blocks, checked and hashed by the compiler, so
// that it can be `constinit`:
//   constinit block_table_of thing_blocks{{
//       {"THING", 70, parse_thing, nullptr, thing_keys},
//       ...}};
// A row without its keyword, a keyword or kind given twice, or a kind the
// tokenizer gives other tokens does not compile. (Whether a function's
// address is null is no constant to the compiler: the parser is the row's
// to give.)
template <size_t N>
class block_table_of {
public:
    constexpr block_table_of(const block_entry (&rows)[N]) {
        for (size_t i = 0; i < N; ++i) {
            const block_entry &b = rows[i];
            if (!b.keyword || !*b.keyword) throw "a block row names its keyword";
            if (block_detail::tokenizer_kind(b.kind)) throw "a block's kind is one the tokenizer gives other tokens";
            for (const char *p = b.keyword; *p; ++p)
                if (*p >= 'a' && *p <= 'z') throw "a block keyword is written in upper case";
            for (size_t j = 0; j < i; ++j)
                if (rows[j].kind == b.kind || block_detail::same(rows[j].keyword, b.keyword))
                    throw "a block keyword or kind given twice in a section";
            rows_of_[i] = b;
            tokens_of_[std::size(kFrameKeywords) + i] = token_entry{b.keyword, 0, 0, 0, b.kind, 0, 0, nullptr};
        }
        for (size_t i = 0; i < std::size(kFrameKeywords); ++i)
            tokens_of_[i] = token_entry{kFrameKeywords[i].name, 0, 0, 0, kFrameKeywords[i].kind, 0, 0, nullptr};
        hash_init(tokens_of_, buckets_);
    }
    block_table_of(const block_table_of &) = delete;
    block_table_of &operator=(const block_table_of &) = delete;

    // The rows, ended by a row of kind 0.
    constexpr const block_entry *rows() const { return rows_of_; }
    // The buckets of the block keywords and the frame's.
    constexpr token_entry **buckets() { return buckets_; }

private:
    block_entry rows_of_[N + 1] = {};
    token_entry tokens_of_[std::size(kFrameKeywords) + N + 1] = {};
    token_entry *buckets_[kBuckets] = {};
};

struct section_def {
    const char *name;  // as in sectionnames
    const block_entry *blocks = nullptr;  // ended by kind 0; null: none
    token_entry **keywords = nullptr;     // the lookup of its blocks; null: the frame's only
    // At the end of the file and at the next header; 0 fails the section.
    int (*closing)() = nullptr;

    // The bare frame: every block keyword is an invalid block type.
    constexpr explicit section_def(const char *section) : name(section) {}
    template <size_t N>
    constexpr section_def(const char *section, block_table_of<N> &table, int (*close)() = nullptr)
        : name(section), blocks(table.rows()), keywords(table.buckets()), closing(close) {}
};

// The sections the driver reads, in its order.
inline constexpr const char *kSectionNames[] = {"TOPOLOGY", "CUSTOMER", "ROUTING", "FIREWALL", "QOS"};
constexpr int kSections = static_cast<int>(std::size(kSectionNames));

// One of the driver's sections, as a library names it to register. The
// name is checked where the library compiles: a name of no section is no
// constant, and its registration does not compile. The driver keeps a row
// for each section, so a registration never finds its table full.
class section_slot {
public:
    consteval section_slot(const char *name) : index(index_of(name)) {}
    const int index;

private:
    static consteval int index_of(const char *name) {
        for (int i = 0; i < kSections; ++i)
            if (std::string_view(kSectionNames[i]) == name) return i;
        throw "not a section of the driver";
    }
};

// ---- services the core asks of the sections ----
struct section_services {
    // An access list of that name for the node type (policy sections).
    int (*accesslist_exists)(const char *domainname, const char *nodetype, const char *context1,
                             const char *context2, const char *context3, const char *aclname,
                             int flag) = nullptr;
    // A match rule of that name for the node type (QoS section).
    int (*matchrule_exists)(const char *domainname, const char *nodetype, const char *rulename,
                            int32_t kind) = nullptr;
    // After the last file, when a ROUTING, FIREWALL or QOS section was
    // parsed: the route-policy reference checks (their result is logged
    // only).
    int (*after_last_file)() = nullptr;
};
// The services registered so far; an entry no section provides is null.
section_services &services();

#endif
