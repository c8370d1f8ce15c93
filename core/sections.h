// How the section libraries join the driver. The driver owns the section
// frame (headers, the order rules, the block loop and skip_block); each
// section library owns its dispatcher, its block rows and its closing
// steps, and registers the dispatcher under its section name. A section
// that no library registers is still read: every block keyword of it is an
// invalid block type.
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

// One block keyword of a section and its parser; a table ends with kind 0.
struct block_entry {
    int kind;
    block_parser parse;
    const char *arg;  // protocol or list kind handed to the parser
    block_keys (*keys)() = nullptr;  // the parser's keywords
};

struct section_def {
    const char *name;           // as in sectionnames
    const block_entry *blocks;  // null: none yet
    // At the end of the file and at the next header; 0 fails the section.
    int (*closing)() = nullptr;
    // After a block read without error: nonzero ends the section at once
    // (the check has logged and kept the token).
    int (*after_block)(int kind, const char *token) = nullptr;
};

// The block loop of a section (start checks, blocks, skip_block, closing
// steps, the next header): 1 success, 0 failure.
int run_section(FILE *fp, FILE *loadfp, const section_def &def);

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

using section_dispatcher = int (*)(FILE *fp, FILE *loadfp);
// Called once per section library, from its registration object; `def` is
// the section's block rows, for whoever lists them. A second registration
// of a section replaces the first.
void register_section(section_slot section, section_dispatcher dispatcher, const section_def *def = nullptr);
// The sections in the driver's order (i from 0; null past the last).
const char *section_name(int i);
// What a section library registered under `name` (null: none, or no rows).
const section_def *registered_section(const char *name);

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
