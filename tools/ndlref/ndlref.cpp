// Prints the reference of NDL for designers, in Markdown, from the tables
// the parser reads with: the sections in the driver's order, each section's
// blocks in its dispatch rows, each block's keyword table and, to any
// depth, the tables of its entries, with what each block keeps beside its
// table (how it opens, its own rules, its smallest example). The chapter on
// the frame of a file is written by hand (frame.md beside this file) and
// placed first; the example files of docs/examples/ are listed last.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "block.h"
#include "driver.h"
#include "evaluator.h"
#include "registry.h"
#include "runstate.h"
#include "sections.h"
#include "tokenizer.h"
#include "validations.h"

namespace {

// Nothing here parses, so nothing should log; what does goes to standard
// error, never into the reference.
void to_stderr(void *, const char *message) { std::fprintf(stderr, "%s\n", message); }

std::string out;
// The tree whose sources and texts the reference is printed from.
std::filesystem::path source_root = NDL_SOURCE_DIR;

void put(const std::string &text) { out += text; }

bool is_word(const char *name) { return std::isalpha(static_cast<unsigned char>(name[0])) != 0; }

// Rows a designer writes: attributes and entries, and the words a block
// reads with its own code; BEGIN, END and punctuation are the frame.
bool listed(const keyword_rule &rule) {
    if (rule.kind != value_kind::token) return true;
    return is_word(rule.name) && std::strcmp(rule.name, "BEGIN") != 0 && std::strcmp(rule.name, "END") != 0;
}

std::string keyword_cell(const keyword_rule &rule) {
    return *rule.name ? std::string("`").append(rule.name).append("`") : std::string("*any word*");
}

std::string mandatory_cell(const keyword_rule &rule) {
    if (rule.mandatory_when) return std::string("when ") + rule.mandatory_when;
    switch (rule.mandatory) {
    case 0: return "";
    case 2: return "yes, vendor-checked";
    default: return "yes";
    }
}

size_t list_capacity(const keyword_rule &rule) { return rule.field.size / sizeof(value_table); }

// A row whose own check reads an entry names it: the entry is listed too.
bool opens_entry(const keyword_rule &rule) { return rule.entry && rule.entry->keys; }

std::string one_of(const value_table *values);

std::string value_cell(const keyword_rule &rule) {
    if (opens_entry(rule)) return "entry (below)";
    if (rule.refused) return "none: the keyword is refused";
    switch (rule.kind) {
    case value_kind::token: return rule.checks ? rule.checks : "read by the block's own code";
    case value_kind::quoted: return "quoted text";
    case value_kind::number: return "number";
    case value_kind::word: return "word, not a number";
    // What its own check takes says more than "any token".
    case value_kind::name:
    case value_kind::any:
        if (rule.checks) return rule.checks;
        return rule.values ? one_of(rule.values) : "any token";
    case value_kind::list:
        if (rule.field.size && rule.field.type == field_ref::rows)
            return "quoted list, comma-separated, up to " + std::to_string(list_capacity(rule)) + " items";
        return "quoted list, comma-separated";
    // What follows such a keyword, if anything, its check reads.
    case value_kind::none:
        if (rule.checks) return rule.checks;
        return rule.after ? "read by the keyword's own code" : "none (the keyword alone)";
    case value_kind::entry: return "entry (below)";
    }
    return "";
}

std::string longest_cell(const keyword_rule &rule) {
    const field_ref &f = rule.field;
    std::string own = rule.maxlen ? std::to_string(rule.maxlen) + " (own check)" : "own check";
    if (opens_entry(rule) || rule.refused) return "";
    switch (rule.kind) {
    case value_kind::token: return rule.maxlen ? std::to_string(rule.maxlen) : "";
    case value_kind::none:
    case value_kind::entry: return "";
    default: break;
    }
    if (f.size && f.type == field_ref::int32) return "32-bit";
    // A list's rows are split by the loop; only a check of its own holds
    // the items to a length.
    if (f.size && f.type == field_ref::rows) return rule.maxlen ? own : "300 per item";
    if (rule.length == length_rule::own) return own;
    if (rule.length == length_rule::table && rule.maxlen) return std::to_string(rule.maxlen);
    return std::to_string(f.size ? f.size - 1 : kTokenSize - 1);
}

// "one of `A`, `B`": a list of fixed values.
std::string one_of(const value_table *values) {
    std::string text = "one of ";
    for (const value_table *v = values; **v; ++v) text += (v == values ? "" : ", ") + value_word(*v);
    return text;
}

std::string notes_cell(const keyword_rule &rule) {
    std::vector<std::string> notes;
    // A token row's step reads it (read_by): no check of a value.
    bool checked = (rule.before || rule.after) && rule.kind != value_kind::token;
    // The loop lets a repeatable keyword come again; a check of its own may
    // still refuse a second one.
    if (rule.repeatable)
        notes.push_back(checked && rule.kind != value_kind::entry ? "repeats as its own check allows" : "may repeat");
    if (rule.upper) notes.push_back("stored upper case");
    if (rule.lower) notes.push_back("stored lower case");
    bool read_alone = rule.kind == value_kind::entry || rule.kind == value_kind::none;
    // A row without a value of its own says its check in the value column.
    bool in_value = rule.kind == value_kind::token || rule.kind == value_kind::none;
    bool any_value = rule.kind == value_kind::any || rule.kind == value_kind::name;
    in_value |= any_value && rule.checks;
    if (rule.values && !(any_value && !rule.checks)) notes.push_back(one_of(rule.values));
    if (rule.checks && !in_value) notes.push_back(rule.checks);
    else if (!read_alone && checked && !rule.values) notes.push_back("checked further");
    if (rule.unset) notes.push_back(std::string("left out: `") + rule.unset + "`");
    std::string cell;
    for (const std::string &n : notes) cell += (cell.empty() ? "" : "; ") + n;
    return cell;
}

// `word`: the block names what its other words open, so the line about
// them is not needed.
void style_line(const keyword_table &table, bool has_rows, bool word, bool own_code) {
    const loop_options &o = table.options;
    if (own_code) {
        // No attribute loop reads the table: its rows say how each is written.
        put("Each keyword is read by its own code, written as its row says.\n");
    } else if (has_rows) {
        switch (o.style) {
        case loop_style::block: put("Written `KEYWORD = value`, one after another, up to `END`.\n"); break;
        case loop_style::separated: put("Written `KEYWORD = value`, separated by `,`, up to `)`.\n"); break;
        case loop_style::ordered:
            put("Each keyword once, in this order, separated by `,`, up to `)`.\n");
            break;
        }
    } else {
        put("No keywords of its own.\n");
    }
    if (!o.other || word) return;
    // What the block's code does with other words is kept beside its table.
    if (!o.others) throw std::runtime_error("a table whose code reads other words does not say what it does");
    put(std::string(o.others) + "\n");
}

std::string entry_form(const keyword_rule &rule, const entry_def &e) {
    // An entry that the keyword's own code reads: its form is kept beside
    // the table.
    if (rule.kind != value_kind::entry) {
        if (!rule.written) throw std::runtime_error(std::string("no written form for ") + rule.name);
        return "Written " + std::string(rule.written) + ".\n";
    }
    std::string key = *rule.name ? rule.name : "word";
    std::string form = e.begin_end ? "`" + key + " BEGIN ... END`" : "`" + key + " = ( ... )`";
    if (e.repeated) form += ", and more entries after it as `, ( ... )`";
    return "Written " + form + ".\n";
}

// Where each entry table was written first: an entry met again (in another
// block, or inside itself) refers to it.
std::map<const keyword_table *, std::string> written_at;

// The table's rows, then each entry's own table under its path. `follows`:
// the keywords that may come after an entry, not a list of their own.
void write_table(const keyword_table &table, const keyword_rule *word, const std::string &path,
                 bool follows = false) {
    std::vector<const keyword_rule *> rows;
    bool own_code = true;  // every row read by a step of its own (read_by)
    for (const keyword_rule &rule : table.rows()) {
        if (!listed(rule)) continue;
        rows.push_back(&rule);
        own_code &= rule.kind == value_kind::token && rule.after;
    }
    if (word) rows.push_back(word);
    if (follows)
        put("After it, these keywords, read by their own code, up to the first other word.\n");
    else
        style_line(table, !rows.empty(), word != nullptr,
                   own_code && !rows.empty() && !word && table.options.style == loop_style::block);
    if (rows.empty()) return;
    put("\n| Keyword | Mandatory | Value | Longest | Notes |\n|---|---|---|---|---|\n");
    for (const keyword_rule *rule : rows)
        put("| " + keyword_cell(*rule) + " | " + mandatory_cell(*rule) + " | " + value_cell(*rule) + " | " +
            longest_cell(*rule) + " | " + notes_cell(*rule) + " |\n");
    for (const keyword_rule *rule : rows) {
        if (!opens_entry(*rule)) continue;
        std::string here = path + " › " + (*rule->name ? rule->name : "*word*");
        // Entries chosen by a value read before them: one heading each.
        for (const entry_def *e = rule->entry; e; e = e->otherwise) {
            std::string at_here = e->when ? here + " (`" + e->when + "`)" : here;
            put("\n#### " + at_here + "\n\n" + entry_form(*rule, *e));
            if (e->when) put("These keywords when the value the block has read before it is `" + std::string(e->when) + "`.\n");
            auto [at, added] = written_at.emplace(e->keys, at_here);
            if (added)
                write_table(*e->keys, nullptr, at_here);
            else
                put("Its keywords are those of " + at->second + ", above.\n");
            if (!e->then) continue;
            put("\n");
            auto [then_at, then_added] = written_at.emplace(e->then, at_here);
            if (then_added)
                write_table(*e->then, nullptr, at_here, true);
            else
                put("After it, the keywords that may follow " + then_at->second + ", above.\n");
        }
    }
}

// GitHub's anchor of a heading: lower case, letters, digits, "-" and "_"
// kept, blanks as "-"; the n-th heading of the same text gets "-n".
std::map<std::string, int> anchors_used;
std::string anchor(const std::string &heading) {
    std::string a;
    for (unsigned char c : heading) {
        if (std::isalnum(c) || c == '-' || c == '_') a += static_cast<char>(std::tolower(c));
        else if (c == ' ') a += '-';
    }
    int n = anchors_used[a]++;
    return n ? a + "-" + std::to_string(n) : a;
}

std::string read_file(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string toc;

std::string heading(const std::string &level, const std::string &text) {
    std::string id = anchor(text);
    std::string link = "[" + text + "](#" + id + ")";
    if (level == "##") toc += "- " + link + "\n";
    if (level == "###") toc += "  - " + link + "\n";
    put("\n" + level + " " + text + "\n");
    return id;
}

// The example of `doc` as block `keyword` writes it: a block read by
// another's parser takes its own keyword.
std::string example_of(const block_doc &doc, const std::string &keyword) {
    std::string text = doc.example;
    return keyword + text.substr(text.find_first_of(" \n"));
}

void write_doc(const block_doc &doc, const std::string &keyword) {
    put("Opens with `" + keyword + " " + doc.header + "` and ends with `END`.\n");
    bool any = false;
    for (const block_rule &rule : doc.rules) {
        if (!rule.text) continue;
        if (!any) put("\nIts own code holds:\n\n");
        any = true;
        put("- " + std::string(rule.text));
        if (rule.values) put(": " + one_of(rule.values));
        put(".\n");
    }
    if (!doc.example) return;
    put("\nThe smallest block that loads (every keyword marked mandatory, nothing else)");
    if (*doc.needs) put(", after the examples of " + std::string(doc.needs));
    if (*doc.before) put(*doc.needs ? " and the blocks it shows first" : ", after the blocks it shows first");
    put(":\n\n```\n");
    if (*doc.before) put(std::string(doc.before) + "\n");
    put(example_of(doc, keyword) + "```\n");
}

// A block's own value tables, as Markdown.
class markdown_out : public reference_out {
public:
    void text(std::string_view paragraph) override {
        put("\n" + std::string(paragraph) + "\n");
        in_table_ = false;
    }
    void table(std::initializer_list<std::string_view> head) override {
        std::string line = "\n|", rule = "|";
        for (std::string_view h : head) {
            line += " " + std::string(h) + " |";
            rule += "---|";
        }
        put(line + "\n" + rule + "\n");
        in_table_ = true;
    }
    void row(std::initializer_list<std::string_view> cells) override {
        if (!in_table_) throw std::runtime_error("a row of a value list without its table");
        std::string line = "|";
        for (std::string_view c : cells) line += " " + std::string(c) + " |";
        put(line + "\n");
    }

    void example(std::string_view blocks) override {
        if (blocks.empty()) throw std::runtime_error("a value list's example is empty");
        put("\nFor example (it loads after what the block's own example needs):\n\n```\n" + std::string(blocks) +
            "```\n");
        in_table_ = false;
    }

private:
    bool in_table_ = false;
};

void write_lists(const block_doc &doc, const std::string &block) {
    if (!doc.lists) return;
    put("\n#### " + block + ": values and names\n");
    markdown_out md;
    doc.lists(md);
}

// ---- what must be unique ----

// A message as the index keys it: one line, without the blanks around it.
std::string message_key(const std::string &text) {
    std::string key;
    for (char c : text) key += c == '\n' || c == '\t' ? ' ' : c;
    size_t from = key.find_first_not_of(' '), to = key.find_last_not_of(' ');
    return from == std::string::npos ? "" : key.substr(from, to - from + 1);
}

// What the index of messages says of a message that a uniqueness row (or
// a keyword table's repeat) gives, by the message's key: each cause once,
// with the blocks that give it.
struct repeat_cause {
    std::string text;
    std::vector<std::string> blocks;  // links to their uniqueness tables
};
std::map<std::string, std::vector<repeat_cause>> repeat_causes;

void add_repeat_cause(const char *message, const std::string &text, const std::string &link) {
    std::vector<repeat_cause> &causes = repeat_causes[message_key(message)];
    auto same = std::find_if(causes.begin(), causes.end(), [&](const repeat_cause &c) { return c.text == text; });
    if (same == causes.end()) causes.push_back({text, {link}});
    else if (std::find(same->blocks.begin(), same->blocks.end(), link) == same->blocks.end())
        same->blocks.push_back(link);
}

// "Its name" as the middle of a sentence; a keyword stays as written.
std::string lower_first(std::string text) {
    if (text.size() > 1 && std::islower(static_cast<unsigned char>(text[1])))
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// Each block's heading, for the index to link to (the first of a name).
std::map<std::string, std::string> block_anchor;

std::string quoted_message(const char *text) {
    std::string cell;
    for (char c : message_key(text)) cell += c == '|' ? std::string("\\|") : std::string(1, c);
    return "\"" + cell + "\"";
}

// The keyword tables of a block and of its entries, to any depth, by the
// message a repeated keyword gets (empty: none, the loop reads it again).
void keyword_repeats(const keyword_table &table, const std::string &place, std::set<const keyword_table *> &seen,
                     std::map<std::string, std::vector<std::string>> &by_message) {
    if (!seen.insert(&table).second) return;
    bool any = false;
    for (const keyword_rule &rule : table.rows())
        any |= listed(rule) && !rule.repeatable && rule.kind != value_kind::token;
    // An ordered run takes each keyword once by its form.
    if (any && table.options.style != loop_style::ordered) {
        std::vector<std::string> &places = by_message[table.options.dup_msg ? table.options.dup_msg : ""];
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
    }
    for (const keyword_rule &rule : table.rows()) {
        if (!opens_entry(rule)) continue;
        for (const entry_def *e = rule.entry; e; e = e->otherwise) {
            std::string here = place + " › " + (*rule.name ? rule.name : "*word*");
            keyword_repeats(*e->keys, here, seen, by_message);
            if (e->then) keyword_repeats(*e->then, here, seen, by_message);
        }
    }
}

std::string places_text(const std::vector<std::string> &places) {
    std::string text;
    for (size_t i = 0; i < places.size(); ++i)
        text += (i ? i + 1 == places.size() ? " and " : ", " : "") + places[i];
    return text;
}

// The block's uniqueness: each keyword of its tables (the loop's check),
// then the names and entries its own code holds unique.
void write_unique(const block_doc *doc, const keyword_table *table, const std::string &block) {
    std::map<std::string, std::vector<std::string>> by_message;
    if (table) {
        std::set<const keyword_table *> seen;
        keyword_repeats(*table, block, seen, by_message);
    }
    bool own = doc && !doc->unique.empty();
    if (by_message.empty() && !own) return;
    std::string id = anchor(block + ": what must be unique");
    std::string link = "[" + block + "](#" + id + ")";
    put("\n#### " + block + ": what must be unique\n\n| What | Unique within | A repeat gets |\n|---|---|---|\n");
    for (const auto &[message, places] : by_message) {
        std::string what = "Each keyword of " + places_text(places) + ", but those that may repeat";
        if (message.empty()) {
            put("| " + what + " | the block or entry it stands in | no message of the keyword loop: the keyword is "
                "read again, unless its own check refuses it (its Value or Notes say *once*) |\n");
            continue;
        }
        put("| " + what + " | the block or entry it stands in | " + quoted_message(message.c_str()) + " |\n");
        add_repeat_cause(message.c_str(), "a keyword that stands once given again, in a block or entry of", link);
    }
    if (!own) return;
    for (const block_unique &u : doc->unique) {
        if (!u.what || !u.within || !u.message)
            throw std::runtime_error(block + ": a uniqueness row without its what, within or message");
        std::string gets = quoted_message(u.message);
        if (u.loads) gets += ", a warning: the load goes on";
        if (u.means) gets += "; " + std::string(u.means);
        put("| " + std::string(u.what) + " | " + u.within + " | " + gets + " |\n");
        add_repeat_cause(u.message, lower_first(u.what) + " again, within " + u.within + ": the uniqueness of", link);
    }
}

// The type of a name the loader defines, by the code the variable tables
// give it.
std::string type_name(int code) {
    for (const char *name : {"STRING", "NUMBER", "BOOLEAN"}) {
        int c = 0;
        if (getdatatypes(name, &c) && c == code) return name;
    }
    throw std::runtime_error("a variable type without a name: " + std::to_string(code));
}

std::string names_of(const system_var_entry *table) {
    std::string text;
    for (const system_var_entry *v = table; v->name; ++v)
        text += std::string(v == table ? "" : ", ") + "`" + v->name + "` (" + type_name(v->type) + ")";
    return text;
}

// The variables every load knows without a definition, from the tables the
// variable lookups read first.
void write_system_names() {
    heading("##", "Names the loader defines");
    put("\nThese variables exist without a definition, in the place the table names. A value may use them as "
        "it uses a variable of its own: by name in an address (`\"10.255.0.NODEID\"`), through a variable "
        "function elsewhere (`LOCALVAR(HOSTNAME)`). A connection's names collide with a definition of the same "
        "name: a connection type's `VARIABLE = ( NAME = LINKID , ... )` gives "
        "\"ERROR: Duplicate variable defined for  connection : CORE-LINK LINKID\", although the file defines "
        "LINKID once. In the other places a VARIABLE of the same name is taken as any other, and the DOMAIN and "
        "NODES blocks must even define some of these names themselves (their chapters say which).\n\n"
        "| where | names (type) |\n|---|---|\n");
    const std::pair<const char *, const system_var_entry *> tables[] = {
        {"a connection (CONNECTIONTYPE, and the values written for it)", connsystemvar},
        {"a node (the node type's values)", nodesystemvar},
        {"a domain (every node type of it)", domainsystemvar},
        {"a community (SERVICE-TYPE)", communitysystemvar},
        {"a customer (CUSTOMER-TYPE)", customersystemvars},
    };
    for (const auto &[where, table] : tables) put("| " + std::string(where) + " | " + names_of(table) + " |\n");
    put("\nThe NODES block gives some variable names a meaning of their own (its chapter lists them), and "
        "SYSTEMLIST takes only the lists of the system that its chapter names.\n");
}

// The first word of each line of `text` that opens a block.
std::vector<std::string> block_words(const std::string &text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || std::isspace(static_cast<unsigned char>(line[0]))) continue;
        std::string word = line.substr(0, line.find(' '));
        if (word != "END") words.push_back(word);
    }
    return words;
}

std::string node_id(const std::string &block) {
    std::string id;
    for (char c : block) id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return id;
}

// What must be defined before what: each block's needs and the blocks its
// example shows first, the data its example loads by.
void write_order_picture() {
    heading("##", "What is defined before what");
    put("\nAn arrow runs from a block to a block that names what it defines: the second loads only after "
        "the first, in the same load or a stored one. The arrows are those that every block of its kind needs; "
        "a block that names more, by its keywords, needs the blocks that define those names before it too (a "
        "QOSPOLICY's MATCHRULENAME a QOSMATCHRULES block, a LOGICALINTERFACE's VALIDATIONPOOL the ADDRESSPOOL, "
        "a LOGICAL-PATH MEMBER's CONNECTION the CONNECTIONTYPE), except the lists that routing blocks name, which "
        "are looked for after the last file.\n\n```mermaid\n"
        "flowchart LR\n");
    std::vector<std::pair<std::string, std::string>> edges;
    for (int i = 0; const char *name = section_name(i); ++i) {
        const section_def *def = registered_section(name);
        if (!def || !def->blocks) continue;
        put("  subgraph " + std::string(name) + "\n");
        std::vector<std::string> seen;
        for (const block_entry *b = def->blocks; b->kind; ++b) {
            std::string block = b->keyword;
            if (std::find(seen.begin(), seen.end(), block) != seen.end()) continue;
            seen.push_back(block);
            put("    " + std::string(name) + "_" + node_id(block) + "[" + block + "]\n");
            if (!b->keys) continue;
            const block_doc *doc = b->keys().doc;
            if (!doc) continue;
            std::vector<std::string> from = block_words(doc->before);
            std::istringstream needs(doc->needs);
            for (std::string w; needs >> w;) from.push_back(w);
            for (const std::string &f : from) edges.push_back({f, std::string(name) + "_" + node_id(block)});
        }
        put("  end\n");
    }
    // A need names a block of its own section, else of the nearest before it.
    for (const auto &[from, to] : edges) {
        std::string section = to.substr(0, to.find('_'));
        std::string at;
        for (int i = 0; const char *name = section_name(i); ++i) {
            const section_def *def = registered_section(name);
            bool has = false;
            for (const block_entry *b = def && def->blocks ? def->blocks : nullptr; b && b->kind; ++b)
                has |= from == b->keyword;
            if (has) at = name;
            if (section == name) break;
        }
        if (at.empty()) throw std::runtime_error("a block needs an unknown block: " + from);
        put("  " + at + "_" + node_id(from) + " --> " + to + "\n");
    }
    put("```\n");
}

// ---- the index of messages ----

// Messages of a family (by a pattern) whose text does not say what the
// designer did: the block that must define the name first, or the cause.
struct specific_cause {
    std::regex pattern;
    std::string block, cause;  // one of them
    std::string name;          // with a block: what the message misses, "a domain"
    std::string line;          // in messages.txt, for a pattern that meets no message
    bool met = false;
};

struct message_family {
    std::string title, cause, means, fix;
    std::vector<std::regex> patterns;
    std::vector<std::string> messages;  // in the order met
    std::vector<specific_cause> specific;
    bool each = false;  // every message needs a cause of its own
};

struct message_index {
    std::vector<message_family> families;
    std::map<std::string, std::string> given_by;  // source path -> what gives its messages
};

std::string trim(const std::string &text) {
    size_t from = text.find_first_not_of(" \t"), to = text.find_last_not_of(" \t");
    return from == std::string::npos ? "" : text.substr(from, to - from + 1);
}

message_index read_families(const std::filesystem::path &path) {
    message_index index;
    std::istringstream in(read_file(path));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || (line[0] == '#' && line.rfind("## ", 0) != 0)) continue;
        if (line.rfind("## ", 0) == 0) {
            index.families.push_back({line.substr(3), "", "", "", {}, {}, {}});
            continue;
        }
        size_t colon = line.find(": ");
        if (colon == std::string::npos) throw std::runtime_error("messages.txt: a line of no kind: " + line);
        std::string kind = line.substr(0, colon), text = line.substr(colon + 2);
        if (kind == "given-by") {
            size_t bar = text.find(" | ");
            index.given_by[text.substr(0, bar)] = text.substr(bar + 3);
            continue;
        }
        if (index.families.empty()) throw std::runtime_error("messages.txt: a line before the first family");
        message_family &f = index.families.back();
        if (kind == "match") f.patterns.emplace_back(text, std::regex::ECMAScript | std::regex::icase);
        else if (kind == "cause") f.cause = text;
        else if (kind == "means") f.means = text;
        else if (kind == "fix") f.fix = text;
        else if (kind == "each") f.each = text == "its own cause";
        else if (kind == "defined-by" || kind == "when") {
            size_t bar = text.find(" | ");
            if (bar == std::string::npos) throw std::runtime_error("messages.txt: a line without its ' | ': " + line);
            specific_cause c{std::regex(text.substr(0, bar), std::regex::ECMAScript | std::regex::icase), "", "", "",
                             line};
            std::string rest = text.substr(bar + 3);
            if (kind == "when") {
                c.cause = rest;
            } else {
                size_t second = rest.find(" | ");
                if (second == std::string::npos)
                    throw std::runtime_error("messages.txt: a defined-by line without the name it misses: " + line);
                c.block = rest.substr(0, second);
                c.name = rest.substr(second + 3);
            }
            f.specific.push_back(std::move(c));
        }
        else throw std::runtime_error("messages.txt: an unknown line: " + line);
    }
    for (const message_family &f : index.families)
        if (f.patterns.empty() || f.cause.empty() || f.fix.empty())
            throw std::runtime_error("messages.txt: the family '" + f.title + "' lacks a match, a cause or a fix");
    return index;
}

// A C++ source's string literals, with the literals that only white space
// or comments part joined as the compiler joins them; each with whether it
// is the first argument of a log call.
struct literal {
    std::string text;
    bool logged;
    bool doc = false;  // a reference row's `.message =`: what a test finds, no message site
};

std::vector<literal> literals_of(const std::string &src) {
    std::vector<literal> found;
    std::string last_word;  // the identifier before the last "("
    bool joinable = false, after_call = false, after_doc = false;
    for (size_t i = 0; i < src.size(); ++i) {
        char c = src[i];
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
            i = src.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
            i = src.find("*/", i + 2);
            if (i == std::string::npos) break;
            ++i;
            continue;
        }
        if (c == '\'') {  // a character literal
            for (++i; i < src.size() && src[i] != '\''; ++i)
                if (src[i] == '\\') ++i;
            joinable = false;
            continue;
        }
        if (c == '"') {
            std::string text;
            for (++i; i < src.size() && src[i] != '"'; ++i) {
                if (src[i] != '\\') {
                    text += src[i];
                    continue;
                }
                char e = src[++i];
                text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
            if (joinable) found.back().text += text;
            else found.push_back({text, after_call, after_doc});
            joinable = true;
            after_call = after_doc = false;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        joinable = false;
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            size_t end = i;
            while (end < src.size() && (std::isalnum(static_cast<unsigned char>(src[end])) || src[end] == '_')) ++end;
            last_word = src.substr(i, end - i);
            i = end - 1;
            after_call = false;
            continue;
        }
        after_call = c == '(' && (last_word == "logmsg" || last_word == "setmsg" || last_word == "fail" ||
                                  last_word == "flag");
        after_doc = c == '=' && last_word == "message";
        last_word.clear();
    }
    return found;
}

// A literal is a message when it reads as one: it opens as the log's
// messages do, or ends with the line it is about, or a log call takes it
// whole. Formats of other messages ("%s @ %d") are not.
bool is_message(const literal &l) {
    static const std::regex opens("^(ERROR|Error|error|WARNING|Warning|warning)");
    static const std::regex line_at("@ ?%d");
    if (l.doc || l.text.size() < 7 || l.text[0] == '%') return false;
    return l.logged || std::regex_search(l.text, opens) || std::regex_search(l.text, line_at);
}

// The loader's sources, in their folders (both loaders log them).
const char *const kLoaderFolders[] = {"core", "loader", "topology", "routing", "policy", "database", "cli"};

// One row of the index: a message as a designer reads it in the log.
std::string message_cell(const std::string &text) {
    std::string cell;
    for (char c : text) {
        if (c == '\n' || c == '\t') c = ' ';
        if (c == '|') cell += "\\|";
        else cell += c;
    }
    cell = trim(cell);
    return cell.find('`') == std::string::npos ? "`" + cell + "`" : "``" + cell + "``";
}

// The messages of a family that needs each one's cause, and has none.
std::vector<std::string> without_cause;

// Each message's own cause: the uniqueness rows and keyword tables that
// give it, else the first of the family's patterns in messages.txt that
// it meets; empty where the family's cause says it all.
std::string cause_cell(message_family &f, const std::string &text) {
    std::string key = message_key(text);
    std::vector<std::string> causes;
    auto repeat = repeat_causes.find(key);
    if (repeat != repeat_causes.end())
        for (const repeat_cause &c : repeat->second) {
            std::string blocks;
            for (size_t i = 0; i < c.blocks.size(); ++i) blocks += (i ? ", " : " ") + c.blocks[i];
            causes.push_back(c.text + blocks);
        }
    for (specific_cause &c : f.specific) {
        if (!causes.empty()) break;
        if (!std::regex_search(text, c.pattern)) continue;
        c.met = true;
        if (!c.cause.empty()) {
            causes.push_back(c.cause);
            break;
        }
        auto at = block_anchor.find(c.block);
        if (at == block_anchor.end()) throw std::runtime_error("messages.txt: defined-by a block of no section: " + c.line);
        causes.push_back(c.name + " that no [" + c.block + "](#" + at->second + ") block defined before it");
    }
    if (causes.empty() && f.each) without_cause.push_back(f.title + ": " + key);
    std::string cell;
    for (const std::string &c : causes) cell += (cell.empty() ? "" : "; ") + c;
    if (!cell.empty()) cell[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cell[0])));
    std::string escaped;
    for (char c : cell) escaped += c == '|' ? std::string("\\|") : std::string(1, c);
    return escaped;
}

// A uniqueness row whose message no code logs is stale, as is a pattern
// of messages.txt that gives no message its cause.
void check_causes(const std::set<std::string> &keys) {
    for (const auto &[text, causes] : repeat_causes)
        if (!keys.count(text)) throw std::runtime_error("a uniqueness row's message that no code logs: " + text);
}

void check_patterns_met(const message_index &index) {
    if (!without_cause.empty()) {
        std::string all;
        for (const std::string &m : without_cause) all += "\n  " + m;
        throw std::runtime_error("messages without a cause of their own (a uniqueness row, or a defined-by or when "
                                 "line of their family in tools/ndlref/messages.txt):" + all);
    }
    for (const message_family &f : index.families)
        for (const specific_cause &c : f.specific)
            if (!c.met) throw std::runtime_error("messages.txt: a line that gives no message its cause: " + c.line);
}

void write_message_index() {
    const std::filesystem::path &root = source_root;
    message_index index = read_families(root / "tools/ndlref/messages.txt");
    std::map<std::string, std::set<std::string>> sources;  // message -> what gives it
    std::vector<std::string> order;
    for (const char *folder : kLoaderFolders) {
        std::vector<std::filesystem::path> files;
        for (const auto &f : std::filesystem::directory_iterator(root / folder))
            if (f.path().extension() == ".cpp" || f.path().extension() == ".h") files.push_back(f.path());
        std::sort(files.begin(), files.end());
        for (const auto &file : files) {
            std::string rel = std::string(folder) + "/" + file.filename().string();
            auto given = index.given_by.find(rel);
            std::string by = given == index.given_by.end() ? "`" + rel + "`" : given->second;
            for (const literal &l : literals_of(read_file(file))) {
                if (!is_message(l)) continue;
                std::string text = trim(l.text);
                if (sources[text].insert(by).second && sources[text].size() == 1) order.push_back(text);
            }
        }
    }
    for (const std::string &text : order) {
        message_family *family = nullptr;
        for (message_family &f : index.families) {
            for (const std::regex &p : f.patterns)
                if (std::regex_search(text, p)) family = &f;
            if (family) break;
        }
        if (!family) throw std::runtime_error("a message without an entry in tools/ndlref/messages.txt: " + text);
        family->messages.push_back(text);
    }
    heading("##", "Messages");
    put("\nEvery message that the loader's code can log, by what causes it. `%s` stands for the word, name or "
        "value met, `%d` for a number, and the number after `@` is the line (see \"The frame of a file\" for "
        "which line). A message may come from several places; *given by* names them. Most messages are "
        "errors: the load stores nothing. A WARNING, and the few messages the family says, let it go on. Where "
        "a message's text does not say what was done, *what the designer did* says it: the uniqueness a repeat "
        "breaks (each block's \"what must be unique\" table), or the block that must define a name first.\n");
    put("\nA message's text may hold line breaks, shown here as blanks: in the log such a message reads as "
        "several lines (\"WARNING: ACL used for DISTRIBUTE LIST not defined :\" and then one line each for the "
        "domain, the node type and the name), and one that starts or ends with a line break stands apart by an "
        "empty line. Each is still one message.\n"
        "\nAn error that stops a block makes the loader skip to the next block keyword: what the rest of the "
        "block would have defined stays undefined, so later blocks that name it give messages of their own, "
        "such as \"ERROR: QOS policy '...' referred by a customer type is not defined in QOS section\" for a "
        "QOSPOLICY that the file holds but whose block stopped. Mend the first error of the log first; the "
        "messages that follow from it go with it.\n");
    std::set<std::string> keys;
    for (const std::string &text : order) keys.insert(message_key(text));
    check_causes(keys);
    for (message_family &f : index.families) {
        if (f.messages.empty()) continue;
        heading("###", f.title);
        put("\n**Cause:** " + f.cause + "\n");
        if (!f.means.empty()) put("\n**What it means:** " + f.means + "\n");
        put("\n**Fix:** " + f.fix + "\n\n| message | given by | what the designer did |\n|---|---|---|\n");
        std::vector<std::string> sorted = f.messages;
        std::sort(sorted.begin(), sorted.end());
        for (const std::string &m : sorted) {
            std::string by;
            for (const std::string &b : sources[m]) by += (by.empty() ? "" : ", ") + b;
            put("| " + message_cell(m) + " | " + by + " | " + cause_cell(f, m) + " |\n");
        }
    }
    check_patterns_met(index);
}

// ---- the expression language ----

struct function_example {
    std::string place, example, value;
    bool listed = false;
};

std::string cell(const std::string &text) {
    std::string c;
    for (char ch : text) c += ch == '|' ? std::string("\\|") : std::string(1, ch);
    return c;
}

// What a function of the loader's tables yields: its kind in the table it
// stands in.
const char *place_of(const function_entry *table, int kind) {
    if (table == ContextFunctions) return "context";
    if (table == Expfunctions) return "number";
    switch (kind) {
    case 1: return "address";
    case 2: return "interface";
    case 3: return "variable";
    }
    throw std::runtime_error("a function of no known kind: " + std::to_string(kind));
}

void write_functions(const std::string &place, std::map<std::string, function_example> &examples) {
    auto example_of = [&](const std::string &name) -> function_example & {
        auto at = examples.find(name);
        if (at == examples.end()) throw std::runtime_error("a function without an example in functions.txt: " + name);
        if (at->second.place != place)
            throw std::runtime_error("functions.txt puts " + name + " among the " + at->second.place + " functions");
        at->second.listed = true;
        return at->second;
    };
    if (place == "arithmetic") {
        put("\nThe functions a statement may call, each with a statement and the value it leaves in `x`:\n\n"
            "| function | statement | x |\n|---|---|---|\n");
        for (int i = 0; const char *name = evaluatorFunctionName(i); ++i) {
            function_example &e = example_of(name);
            put("| `" + std::string(name) + "` | `" + cell(e.example) + "` | " + e.value + " |\n");
        }
        return;
    }
    put("\n| function | evaluated on | example |\n|---|---|---|\n");
    std::set<std::string> done;
    for (const function_entry *table : {Functions, ContextFunctions, Expfunctions})
        for (const function_entry *f = table; f->name[0]; ++f) {
            if (place_of(table, f->kind) != place || !done.insert(f->name).second) continue;
            function_example &e = example_of(f->name);
            put("| `" + std::string(f->name) + "` | " + (f->scope == 1 ? "this node" : "the context") + " | `\"" +
                cell(e.example) + "\"` |\n");
        }
}

void write_expressions() {
    std::filesystem::path dir = source_root / "tools/ndlref";
    std::map<std::string, function_example> examples;
    std::istringstream rows(read_file(dir / "functions.txt"));
    for (std::string line; std::getline(rows, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cells;
        std::istringstream in(line);
        for (std::string c; std::getline(in, c, '|');) cells.push_back(trim(c));
        if (cells.size() < 3) throw std::runtime_error("functions.txt: " + line);
        examples[cells[0]] = {cells[1], cells[2], cells.size() > 3 ? cells[3] : ""};
    }
    std::istringstream in(read_file(dir / "expressions.md"));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) heading("##", line.substr(3));
        else if (line.rfind("### ", 0) == 0) heading("###", line.substr(4));
        else if (line.rfind("@functions ", 0) == 0) write_functions(line.substr(11), examples);
        else put(line + "\n");
    }
    for (const auto &[name, e] : examples)
        if (!e.listed) throw std::runtime_error("functions.txt has an example of no function: " + name);
}

// The hand-written chapter; until it is written, its heading.
void write_frame() {
    std::string frame = read_file(source_root / "tools/ndlref/frame.md");
    size_t at = 0;
    while (at < frame.size()) {
        size_t end = frame.find('\n', at);
        std::string line = frame.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? frame.size() : end + 1;
        if (line.rfind("## ", 0) == 0) {
            heading("##", line.substr(3));
            continue;
        }
        if (line.rfind("### ", 0) == 0) {
            heading("###", line.substr(4));
            continue;
        }
        put(line + "\n");
    }
}

// The names in DIR of its files (or of its folders), sorted.
std::vector<std::string> names_in(const std::filesystem::path &dir, bool folders) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &f : std::filesystem::directory_iterator(dir, ec))
        if (folders ? f.is_directory() : f.is_regular_file()) names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The complete example files, one per section, if there are any; then the
// networks of the folders beside them, each its files in load order.
void write_example_files() {
    std::filesystem::path dir = source_root / "docs/examples";
    std::vector<std::string> files = names_in(dir, false);
    if (files.empty()) return;
    heading("##", "Example files");
    put("\nOne complete file per section, each loading onto the ones before it:\n\n");
    for (const std::string &f : files) put("- [" + f + "](examples/" + f + ")\n");
    std::vector<std::string> networks = names_in(dir, true);
    if (networks.empty()) return;
    put("\nWhole networks of their own, each into a repository of its own, its files loaded in order (the first "
        "lines of its first file say how):\n\n");
    for (const std::string &n : networks) {
        std::string line = "- " + n + ":";
        for (const std::string &f : names_in(dir / n, false))
            line += " [" + f + "](examples/" + n + "/" + f + ")";
        put(line + "\n");
    }
}

void write_reference() {
    write_frame();
    write_expressions();
    // A block whose parser is another's: its keywords are listed once.
    std::map<const keyword_table *, std::string> first_listed;
    std::set<const block_doc *> unique_written;
    for (int i = 0; const char *name = section_name(i); ++i) {
        heading("##", name);
        const section_def *def = registered_section(name);
        if (!def || !def->blocks) {
            put("\nNo blocks.\n");
            continue;
        }
        for (const block_entry *b = def->blocks; b->kind; ++b) {
            std::string block = b->keyword;
            block_anchor.emplace(block, heading("###", block));
            put("\n");
            if (!b->keys) {
                put("Its parser names no keyword table.\n");
                continue;
            }
            block_keys keys = b->keys();
            if (keys.doc) write_doc(*keys.doc, block);
            auto [at, added] = first_listed.emplace(keys.table, block + " (" + name + ")");
            // A doc shared with the first block is written there.
            bool own_doc = keys.doc && unique_written.insert(keys.doc).second;
            if (!added) {
                put("\nRead by the parser of " + at->second + ": the same keywords.\n");
                if (own_doc) write_unique(keys.doc, nullptr, block);
                continue;
            }
            if (keys.doc) put("\n");
            write_table(*keys.table, keys.word, block);
            if (keys.doc) write_lists(*keys.doc, block);
            write_unique(own_doc ? keys.doc : nullptr, keys.table, block);
        }
    }
    write_system_names();
    write_order_picture();
    write_message_index();
    write_example_files();
}

}  // namespace

// `--root DIR`: another tree's sources and texts (a test's copy).
int main(int argc, char **argv) {
    set_log({to_stderr, nullptr});
    if (argc == 3 && std::strcmp(argv[1], "--root") == 0) source_root = argv[2];
    else if (argc != 1) {
        std::fprintf(stderr, "usage: ndlref [--root DIR]\n");
        return 2;
    }
    try {
        write_reference();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ndlref: %s\n", e.what());
        return 1;
    }
    std::string text = "# NDL reference\n\n"
        "Generated by `ndlref` from the loader's own keyword tables: do not edit it by hand.\n"
        "Sections come in the order the loader lists them, blocks in the order of their\n"
        "section's dispatch rows. *Longest* is the longest value in characters; *own check*\n"
        "means the keyword's own check holds the value to its length. *left out* in the Notes\n"
        "is the value the loader takes for an optional keyword that the block does not give\n"
        "(without it, an empty text or 0). Entries nested in a block follow its table, named\n"
        "by their path.\n\n"
        "## Contents\n\n" + toc + out;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::perror("ndlref: standard output");
        return 1;
    }
    return 0;
}
