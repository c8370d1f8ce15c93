// What the reference says of every block, held against loads: its smallest
// example loads onto the examples it names; without any one keyword marked
// mandatory, or the part of the example that one of its rules needs, it
// fails with the loader's message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "block.h"
#include "driver.h"
#include "repo_test.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

struct block_at {
    int section;
    const block_entry *entry;
    block_keys keys;
    std::string name() const { return entry->keyword; }
};

std::vector<block_at> all_blocks() {
    std::vector<block_at> blocks;
    for (int i = 0; const char *name = section_name(i); ++i) {
        const section_def *def = registered_section(name);
        if (!def || !def->blocks) continue;
        for (const block_entry *b = def->blocks; b->kind; ++b)
            if (b->keys) blocks.push_back({i, b, b->keys()});
    }
    return blocks;
}

// The block a need names: of the needing block's section, else of the
// nearest section before it.
const block_at *find_need(const std::vector<block_at> &blocks, const std::string &name, int section) {
    for (int s = section; s >= 0; --s)
        for (const block_at &b : blocks)
            if (b.section == s && b.name() == name && b.keys.doc && b.keys.doc->example) return &b;
    return nullptr;
}

// A block's text as block `b` writes it: another block read by the same
// parser takes its own keyword.
std::string with_keyword(const block_at &b, const std::string &text) {
    return b.name() + text.substr(text.find_first_of(" \n"));
}

std::string example_of(const block_at &b) { return with_keyword(b, b.keys.doc->example); }

// ---- finding a keyword in an example ----

bool word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

// The end of the value that starts at `at` (blanks first): a quoted text,
// a group in parentheses, or a word.
size_t value_end(const std::string &s, size_t at) {
    while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at]))) ++at;
    if (at >= s.size()) return at;
    if (s[at] == '"') return s.find('"', at + 1) + 1;
    if (s[at] == '(') {
        int depth = 0;
        for (size_t i = at; i < s.size(); ++i) {
            if (s[i] == '"') i = s.find('"', i + 1);
            else if (s[i] == '(') ++depth;
            else if (s[i] == ')' && --depth == 0) return i + 1;
        }
        return s.size();
    }
    while (at < s.size() && !std::isspace(static_cast<unsigned char>(s[at])) && s[at] != ',' && s[at] != '(' &&
           s[at] != ')')
        ++at;
    return at;
}

// The first word `key` (any word when empty) in [from, to) outside quotes
// and nested parentheses; with `opens`, only one whose "= (" follows on its
// line (an entry). npos: none.
size_t find_key(const std::string &s, size_t from, size_t to, const std::string &key, bool opens,
                bool anywhere = false) {
    int depth = 0;
    for (size_t i = from; i < to; ++i) {
        char c = s[i];
        if (c == '"') {
            i = s.find('"', i + 1);
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if ((depth && !anywhere) || !word_char(c) || (i > from && (word_char(s[i - 1]) || (s[i - 1] == '.' && key.empty()))))
            continue;
        size_t end = i;
        while (end < to && (word_char(s[end]) || (key.empty() && s[end] == '.'))) ++end;
        if (!key.empty() && s.compare(i, end - i, key) != 0) continue;
        if (end == i) continue;
        if (opens) {
            size_t eq = s.find('=', end), nl = s.find('\n', end);
            if (eq == std::string::npos || eq > nl) continue;
            size_t open = s.find_first_not_of(" \t", eq + 1);
            if (open == std::string::npos || s[open] != '(') continue;
        }
        return i;
    }
    return std::string::npos;
}

// [from, to): the inside of the entries `path` of the example, or of the
// block when the path is empty; false when the example does not open them.
bool inside(const std::string &example, const std::vector<std::string> &path, size_t &from, size_t &to) {
    from = example.find('\n') + 1;
    to = example.rfind("END");
    for (const std::string &entry : path) {
        size_t at = find_key(example, from, to, entry, true);
        if (at == std::string::npos) return false;
        size_t open = example.find('(', at);
        to = value_end(example, open) - 1;
        from = open + 1;
    }
    return true;
}

// The example without `key` inside the entries `path`: at the block's
// level its whole line goes, in an entry the keyword, its value and one
// comma; a word that the block's own code reads (`inline`) goes alone
// wherever it stands, with its value and one comma. Empty when the
// example does not hold it.
std::string without(const std::string &example, const std::vector<std::string> &path, const std::string &key,
                    bool inline_word = false) {
    size_t from = 0, to = 0;
    if (!inside(example, path, from, to)) return "";
    size_t at = find_key(example, from, to, key, false, inline_word);
    if (at == std::string::npos) return "";
    size_t end = at;
    while (end < to && (word_char(example[end]) || (key.empty() && example[end] == '.'))) ++end;
    // "# 1 # 1" or "#0." between a keyword and its "=".
    size_t eq = example.find_first_not_of(" \t#0123456789.", end);
    if (eq != std::string::npos && example[eq] == '=') end = value_end(example, eq + 1);
    if (path.empty() && !inline_word) {
        at = example.rfind('\n', at) + 1;
        end = example.find('\n', end) + 1;
        return example.substr(0, at) + example.substr(end);
    }
    size_t comma = example.find_first_not_of(" \t\n", end);
    if (comma < to && example[comma] == ',') {
        end = comma + 1;
    } else {
        size_t before = example.find_last_not_of(" \t\n", at - 1);
        if (example[before] == ',') at = before;
    }
    return example.substr(0, at) + " " + example.substr(end);
}

// Every mandatory keyword of a table and, to any depth, of the entries it
// opens, with the path of entries it stands in.
struct mandatory_key {
    std::vector<std::string> path;
    const keyword_rule *rule;
};

void mandatory_keys(const keyword_table &table, const keyword_rule *word, const std::vector<std::string> &path,
                    std::set<const keyword_table *> &open, std::vector<mandatory_key> &out) {
    std::vector<const keyword_rule *> rows;
    for (const keyword_rule &rule : table.rows()) rows.push_back(&rule);
    if (word) rows.push_back(word);
    for (const keyword_rule *rule : rows) {
        if (rule->mandatory || rule->mandatory_when) out.push_back({path, rule});
        if (!rule->entry || !rule->entry->keys) continue;
        std::vector<std::string> inner = path;
        inner.push_back(rule->name);
        // An entry inside itself is walked once.
        for (const entry_def *e = rule->entry; e; e = e->otherwise) {
            if (!open.insert(e->keys).second) continue;
            mandatory_keys(*e->keys, nullptr, inner, open, out);
            open.erase(e->keys);
        }
    }
}

class BlockExamples : public RepoTest {
protected:
    std::vector<block_at> blocks = all_blocks();

    // The files of a load of `text` as block `b`'s section holds it, after
    // the examples `b` needs: one file per section up to its own.
    int load(const block_at &b, const std::string &text, const std::string &more = "") {
        std::vector<const block_at *> order;
        add_needs(b.keys.doc->needs, b.section, order);
        add_needs(more, b.section, order);
        std::string files;
        for (int s = 0; s <= b.section; ++s) {
            std::string file = "NETWORKNAME = LAB, SECTION = " + std::string(section_name(s)) + "\n";
            for (const block_at *n : order)
                if (n->section == s) file += std::string(n->keys.doc->before) + example_of(*n);
            if (s == b.section) file += b.keys.doc->before + text;
            std::string name = "s" + std::to_string(s) + ".ndl";
            write_file(name, file);
            files += (files.empty() ? "" : ",") + name;
        }
        // Each load into a repository of its own.
        renew_repository();
        extproc::Session fresh(db);
        EXPECT_TRUE(fresh.ok()) << fresh.error();
        return parse(dir, files).ret;
    }

    void add_needs(const std::string &needs, int section, std::vector<const block_at *> &order) {
        for (size_t at = 0; at < needs.size();) {
            size_t end = needs.find(' ', at);
            if (end == std::string::npos) end = needs.size();
            std::string name = needs.substr(at, end - at);
            at = end + 1;
            if (name.empty()) continue;
            const block_at *n = find_need(blocks, name, section);
            ASSERT_NE(n, nullptr) << "a need of " << name << ", which has no example";
            add_needs(n->keys.doc->needs, n->section, order);
            if (std::find(order.begin(), order.end(), n) == order.end()) order.push_back(n);
        }
    }
};

TEST_F(BlockExamples, EveryBlockHasAnExample) {
    for (const block_at &b : blocks) {
        EXPECT_TRUE(b.keys.doc && b.keys.doc->example && b.keys.doc->header)
            << section_name(b.section) << " " << b.name() << " keeps no example beside its table";
    }
}

// A keyword that its block's own code reads (read_by) is dispatched by its
// name to the first such row: a second one of that name in its table would
// never be read, and a table the blocks do not reach is not in the
// reference.
TEST_F(BlockExamples, EachKeywordWithAStepOfItsOwnIsReachedByItsName) {
    std::set<const keyword_table *> seen;
    std::vector<const keyword_table *> todo;
    for (const block_at &b : blocks) todo.push_back(b.keys.table);
    size_t steps = 0;
    while (!todo.empty()) {
        const keyword_table *table = todo.back();
        todo.pop_back();
        if (!table || !seen.insert(table).second) continue;
        std::set<std::string> names;
        for (const keyword_rule &k : table->rows()) {
            if (k.kind == value_kind::token && k.after) {
                ++steps;
                EXPECT_TRUE(names.insert(k.name).second) << k.name << " has two rows with steps of their own";
            }
            for (const entry_def *e = k.entry; e; e = e->otherwise) {
                todo.push_back(e->keys);
                todo.push_back(e->then);
            }
        }
    }
    EXPECT_GE(steps, 38u) << "keywords read by steps of their own are no longer reached from the blocks";
}

TEST_F(BlockExamples, TheExampleLoadsAndEachMandatoryKeywordIsAskedFor) {
    // Keywords mandatory only with another value, and the rules whose
    // examples meet that value (the rules' own test loads them).
    std::set<const keyword_rule *> when_rows;
    std::vector<std::string> shown;
    for (const block_at &b : blocks)
        if (b.keys.doc)
            for (const block_rule &r : b.keys.doc->rules)
                if (r.example && r.part) shown.push_back(r.part);
    for (const block_at &b : blocks) {
        if (!b.keys.doc || !b.keys.doc->example) continue;
        SCOPED_TRACE(std::string(section_name(b.section)) + " " + b.name());
        std::string example = example_of(b);
        ASSERT_EQ(load(b, example), 0) << example << log;
        std::vector<std::string> examples{example};
        for (const block_rule &r : b.keys.doc->rules)
            if (r.example) examples.push_back(with_keyword(b, r.example));

        std::vector<mandatory_key> keys;
        std::set<const keyword_table *> open{b.keys.table};
        mandatory_keys(*b.keys.table, b.keys.word, {}, open, keys);
        for (const mandatory_key &k : keys) {
            std::string where;
            for (const std::string &p : k.path) where += (p.empty() ? "*word*" : p) + " › ";
            where += *k.rule->name ? k.rule->name : "*word*";
            if (k.rule->mandatory_when) {
                when_rows.insert(k.rule);
                continue;
            }
            // Inside an entry: the first of the block's examples (its own,
            // then its rules') that opens it; none, nothing is asked.
            std::string base;
            for (const std::string &candidate : examples) {
                bool opened = true;
                for (size_t n = 1; n <= k.path.size() && opened; ++n)
                    opened = !without(candidate, {k.path.begin(), k.path.begin() + (n - 1)}, k.path[n - 1]).empty();
                if (opened) {
                    base = candidate;
                    break;
                }
            }
            if (base.empty()) continue;
            bool inline_word = k.rule->kind == value_kind::token && !k.rule->entry;
            std::string less = without(base, k.path, k.rule->name, inline_word);
            ASSERT_FALSE(less.empty()) << "the example lacks the mandatory " << where << ":\n" << base;
            EXPECT_NE(load(b, less), 0) << "loads without the mandatory " << where << ":\n" << less << log;
            EXPECT_NE(log.find("ERROR"), std::string::npos) << where << ":\n" << log;
        }
    }
    for (const keyword_rule *row : when_rows) {
        bool held = false;
        for (const std::string &part : shown) held |= part.find(row->name) != std::string::npos;
        EXPECT_TRUE(held) << row->name << " is mandatory when " << row->mandatory_when
                          << ", and no rule's example shows it";
    }
}

TEST_F(BlockExamples, EachRuleOfABlocksOwnCodeIsHeld) {
    for (const block_at &b : blocks) {
        if (!b.keys.doc) continue;
        for (const block_rule &r : b.keys.doc->rules) {
            SCOPED_TRACE(b.name() + ": " + (r.text ? r.text : r.part ? r.part : ""));
            if (!r.part) continue;
            std::string example = r.example ? with_keyword(b, r.example) : example_of(b);
            if (r.example) {
                ASSERT_EQ(load(b, example), 0) << example << log;
            }
            size_t at = example.find(r.part);
            ASSERT_NE(at, std::string::npos) << "the example lacks " << r.part;
            std::string less = example.substr(0, at) + r.instead + example.substr(at + std::strlen(r.part));
            EXPECT_NE(load(b, less), 0) << less << log;
            if (r.message) {
                EXPECT_NE(log.find(r.message), std::string::npos) << less << log;
            }
        }
    }
}

// A message's format as a pattern of its log line: "%s" any text, "%d" a
// number, the blanks at its ends left out.
std::regex logged(const std::string &format) {
    std::string text = format;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    std::string pattern;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
            pattern += text[++i] == 's' ? "[\\s\\S]*?" : "-?[0-9]+";
            continue;
        }
        if (std::strchr("\\^$.|?*+()[]{}", text[i])) pattern += '\\';
        pattern += text[i];
    }
    return std::regex(pattern);
}

// What the reference says must be unique is what a load refuses: the
// example with the repeat logs the row's message.
TEST_F(BlockExamples, EachRepeatOfAUniqueNameGetsItsMessage) {
    int held = 0;
    for (const block_at &b : blocks) {
        if (!b.keys.doc) continue;
        for (const block_unique &u : b.keys.doc->unique) {
            SCOPED_TRACE(b.name() + ": " + u.what + " within " + u.within);
            std::string example = u.example ? with_keyword(b, u.example) : example_of(b);
            if (u.example) {
                ASSERT_EQ(load(b, example, u.needs), 0) << example << log;
            }
            std::string repeated;
            if (!u.part) {
                repeated = example + (u.again ? u.again : example);
            } else {
                size_t at = example.find(u.part);
                ASSERT_NE(at, std::string::npos) << "the example lacks " << u.part;
                size_t end = at + std::strlen(u.part);
                repeated = example.substr(0, end) + (u.again ? u.again : u.part) + example.substr(end);
            }
            int ret = load(b, repeated, u.needs);
            if (u.loads) EXPECT_EQ(ret, 0) << repeated << log;
            else EXPECT_NE(ret, 0) << repeated << log;
            EXPECT_TRUE(std::regex_search(log, logged(u.message))) << u.message << "\n" << repeated << log;
            ++held;
        }
    }
    EXPECT_GE(held, 40);
}

// The keyword loop's repeat message, which the reference gives each
// table: in a block's example, a keyword line given twice, or the first
// keyword of an entry given twice inside its parentheses, logs it.
TEST_F(BlockExamples, AKeywordGivenTwiceGetsItsTablesMessage) {
    int held = 0;
    for (const block_at &b : blocks) {
        if (!b.keys.doc || !b.keys.doc->example) continue;
        std::string example = example_of(b);
        bool line_done = false, entry_done = false;
        for (size_t at = example.find('\n') + 1; at < example.size();) {
            size_t end = example.find('\n', at) + 1;
            std::string line = example.substr(at, end - at);
            size_t line_at = at;
            at = end;
            size_t to = line.find_first_of(" =", 2);
            if (line.compare(0, 2, "  ") != 0 || line[2] == ' ' || to == std::string::npos) continue;
            const keyword_rule *rule = b.keys.table->row(line.substr(2, to - 2).c_str());
            bool entry = rule && rule->entry && rule->entry->keys;
            if (!rule || (rule->kind == value_kind::token && !entry)) continue;
            std::string twice;
            const char *message = nullptr;
            if (entry && !entry_done) {
                const loop_options &o = rule->entry->keys->options;
                size_t open = line.find("( "), comma = line.find(" , ");
                if (!o.dup_msg || o.style != loop_style::separated || open == std::string::npos ||
                    comma == std::string::npos)
                    continue;
                std::string first = line.substr(open + 2, comma + 3 - open - 2);
                twice = example.substr(0, line_at + open + 2) + first + example.substr(line_at + open + 2);
                message = o.dup_msg;
                entry_done = true;
            } else if (!entry && rule->kind != value_kind::entry && !rule->repeatable && !line_done) {
                const loop_options &o = b.keys.table->options;
                if (!o.dup_msg || o.style != loop_style::block) continue;
                twice = example.substr(0, end) + line + example.substr(end);
                message = o.dup_msg;
                line_done = true;
            } else {
                continue;
            }
            SCOPED_TRACE(b.name() + ": " + line);
            EXPECT_NE(load(b, twice), 0) << twice << log;
            EXPECT_TRUE(std::regex_search(log, logged(message))) << message << "\n" << twice << log;
            ++held;
        }
    }
    EXPECT_GE(held, 10);
}

// A block whose own code reads the words its table lacks says what it does
// with any other: a stray word in its example gets the message it quotes.
TEST_F(BlockExamples, AnOtherWordGetsTheMessageTheBlockQuotes) {
    const std::string refused = "Any other word is refused with \"";
    int held = 0;
    for (const block_at &b : blocks) {
        const char *others = b.keys.table->options.others;
        if (!others || b.keys.word || !b.keys.doc || !b.keys.doc->example) continue;
        std::string said = others;
        size_t at = said.find(refused);
        if (at == std::string::npos) continue;
        at += refused.size();
        std::string message = said.substr(at, said.find('"', at) - at);
        SCOPED_TRACE(b.name() + ": " + message);
        std::string example = example_of(b);
        size_t end = example.rfind("END");
        ASSERT_NE(end, std::string::npos);
        std::string stray = example.substr(0, end) + "  STRAYWORD = 1\n" + example.substr(end);
        EXPECT_NE(load(b, stray), 0) << stray << log;
        EXPECT_NE(log.find(message), std::string::npos) << stray << log;
        ++held;
    }
    EXPECT_GE(held, 3) << "POOL-TYPE, LOGICAL-PATH and CUSTOMER-TYPE say what they refuse";
}

// The examples a block's value lists give: each uses a value of its list
// (or every reserved name) and loads where the block's example loads.
class list_examples : public reference_out {
public:
    void text(std::string_view) override {}
    void table(std::initializer_list<std::string_view>) override {}
    void row(std::initializer_list<std::string_view>) override { ++rows; }
    void example(std::string_view blocks) override { examples.emplace_back(blocks); }
    std::vector<std::string> examples;
    int rows = 0;
};

TEST_F(BlockExamples, EachValueListsExampleLoads) {
    int lists = 0;
    for (const block_at &b : blocks) {
        if (!b.keys.doc || !b.keys.doc->lists) continue;
        SCOPED_TRACE(std::string(section_name(b.section)) + " " + b.name());
        list_examples out;
        b.keys.doc->lists(out);
        EXPECT_GT(out.rows, 0);
        EXPECT_FALSE(out.examples.empty()) << "a value list without an example";
        for (const std::string &example : out.examples) {
            ++lists;
            EXPECT_EQ(load(b, example), 0) << example << log;
            EXPECT_EQ(log.find("ERROR"), std::string::npos) << example << log;
        }
    }
    EXPECT_GE(lists, 12);
}

// The example with the value of `key` inside the entries `path` replaced
// by `value`; empty when the example does not hold the keyword.
std::string with_value(const std::string &example, const std::vector<std::string> &path, const std::string &key,
                       const std::string &value) {
    size_t from = 0, to = 0;
    if (!inside(example, path, from, to)) return "";
    size_t at = find_key(example, from, to, key, false);
    if (at == std::string::npos) return "";
    size_t eq = example.find_first_not_of(" \t", at + key.size());
    if (eq == std::string::npos || example[eq] != '=') return "";
    size_t start = example.find_first_not_of(" \t", eq + 1), end = value_end(example, eq + 1);
    return example.substr(0, start) + value + example.substr(end);
}

// Every keyword with a list of values, to any depth, with its path and
// what the other rows of its table say they need ("ADDRESSTYPE is ...").
struct listed_key {
    std::vector<std::string> path;
    const keyword_rule *rule;
    std::string needs;
};

void listed_keys(const keyword_table &table, const std::vector<std::string> &path,
                 std::set<const keyword_table *> &open, std::vector<listed_key> &out) {
    std::string needs;
    for (const keyword_rule &rule : table.rows())
        if (rule.mandatory_when) needs += std::string(rule.mandatory_when) + "\n";
    for (const keyword_rule &rule : table.rows()) {
        if (rule.values && *rule.name) out.push_back({path, &rule, needs});
        if (!rule.entry || !rule.entry->keys) continue;
        std::vector<std::string> inner = path;
        inner.push_back(rule.name);
        for (const entry_def *e = rule.entry; e; e = e->otherwise)
            if (open.insert(e->keys).second) {
                listed_keys(*e->keys, inner, open, out);
                open.erase(e->keys);
            }
    }
}

// A keyword's list of values, as the reference writes it, holds values
// the block takes: the example with the list's last value loads, written
// as the reference writes it (quoted where the value has a dot). A value
// that the reference says another keyword must come with is passed over.
TEST_F(BlockExamples, AValueOfEachKeywordsListLoads) {
    int held = 0;
    for (const block_at &b : blocks) {
        if (!b.keys.doc || !b.keys.doc->example) continue;
        std::vector<listed_key> keys;
        std::set<const keyword_table *> open{b.keys.table};
        listed_keys(*b.keys.table, {}, open, keys);
        for (const listed_key &k : keys) {
            const value_table *last = k.rule->values;
            while (last[1][0]) ++last;
            auto needed = [&](const char *v) {
                std::string value = v;
                for (size_t at = k.needs.find(value); at != std::string::npos; at = k.needs.find(value, at + 1)) {
                    size_t end = at + value.size();
                    bool whole = (at == 0 || !word_char(k.needs[at - 1])) &&
                                 (end == k.needs.size() || !word_char(k.needs[end]));
                    if (whole) return true;
                }
                return false;
            };
            while (last != k.rule->values && needed(*last)) --last;
            if (needed(*last)) continue;
            std::string word = value_word(*last);
            word = word.substr(1, word.size() - 2);  // without the backticks
            if (k.rule->kind == value_kind::quoted && word[0] != '"') word = "\"" + word + "\"";
            std::string example = with_value(example_of(b), k.path, k.rule->name, word);
            if (example.empty()) continue;
            SCOPED_TRACE(b.name() + " " + k.rule->name + " = " + word);
            EXPECT_EQ(load(b, example), 0) << example << log;
            ++held;
        }
    }
    EXPECT_GE(held, 10);
}

}  // namespace
