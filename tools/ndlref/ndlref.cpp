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
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "block.h"
#include "runstate.h"
#include "sections.h"
#include "tokenizer.h"

// The loader's code links a log writer; nothing here parses, so nothing logs.
int addtooutput() {
    std::fprintf(stderr, "%s\n", g_errormsg);
    return 1;
}

namespace {

std::string out;

void put(const std::string &text) { out += text; }

const char *block_name(int kind) {
    for (const token_entry *e = majortokens; e->name; ++e)
        if (e->type == kind) return e->name;
    return "?";
}

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

std::string value_cell(const keyword_rule &rule) {
    if (opens_entry(rule)) return "entry (below)";
    if (rule.refused) return "none: the keyword is refused";
    switch (rule.kind) {
    case value_kind::token: return rule.checks ? rule.checks : "read by the block's own code";
    case value_kind::quoted: return "quoted text";
    case value_kind::number: return "number";
    case value_kind::word: return "word";
    case value_kind::name:
    case value_kind::any: return "any token";
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
    for (const value_table *v = values; **v; ++v) text += (v == values ? "`" : ", `") + std::string(*v) + "`";
    return text;
}

std::string notes_cell(const keyword_rule &rule) {
    std::vector<std::string> notes;
    bool checked = rule.before || rule.after;
    // The loop lets a repeatable keyword come again; a check of its own may
    // still refuse a second one.
    if (rule.repeatable)
        notes.push_back(checked && rule.kind != value_kind::entry ? "repeats as its own check allows" : "may repeat");
    if (rule.upper) notes.push_back("stored upper case");
    if (rule.lower) notes.push_back("stored lower case");
    bool read_alone = rule.kind == value_kind::entry || rule.kind == value_kind::none;
    // A row without a value of its own says its check in the value column.
    bool in_value = rule.kind == value_kind::token || rule.kind == value_kind::none;
    if (rule.values) notes.push_back(one_of(rule.values));
    if (rule.checks && !in_value) notes.push_back(rule.checks);
    else if (!read_alone && checked && !rule.values) notes.push_back("checked further");
    std::string cell;
    for (const std::string &n : notes) cell += (cell.empty() ? "" : "; ") + n;
    return cell;
}

// `word`: the block names what its other words open, so the line about
// them is not needed.
void style_line(const keyword_table &table, bool has_rows, bool word) {
    const loop_options &o = table.options;
    if (has_rows) {
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
    for (const keyword_rule &rule : table.rows())
        if (listed(rule)) rows.push_back(&rule);
    if (word) rows.push_back(word);
    if (follows)
        put("After it, these keywords, read by their own code, up to the first other word.\n");
    else
        style_line(table, !rows.empty(), word != nullptr);
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

void heading(const std::string &level, const std::string &text) {
    std::string link = "[" + text + "](#" + anchor(text) + ")";
    if (level == "##") toc += "- " + link + "\n";
    if (level == "###") toc += "  - " + link + "\n";
    put("\n" + level + " " + text + "\n");
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

// The hand-written chapter; until it is written, its heading.
void write_frame() {
    std::string frame = read_file(std::filesystem::path(NDL_SOURCE_DIR) / "tools/ndlref/frame.md");
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

// The complete example files, one per section, if there are any.
void write_example_files() {
    std::filesystem::path dir = std::filesystem::path(NDL_SOURCE_DIR) / "docs/examples";
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto &f : std::filesystem::directory_iterator(dir, ec))
        if (f.is_regular_file()) files.push_back(f.path().filename().string());
    if (files.empty()) return;
    std::sort(files.begin(), files.end());
    heading("##", "Example files");
    put("\nOne complete file per section, each loading onto the ones before it:\n\n");
    for (const std::string &f : files) put("- [" + f + "](examples/" + f + ")\n");
}

void write_reference() {
    write_frame();
    // A block whose parser is another's: its keywords are listed once.
    std::map<const keyword_table *, std::string> first_listed;
    for (int i = 0; const char *name = section_name(i); ++i) {
        heading("##", name);
        const section_def *def = registered_section(name);
        if (!def || !def->blocks) {
            put("\nNo blocks.\n");
            continue;
        }
        for (const block_entry *b = def->blocks; b->kind; ++b) {
            std::string block = block_name(b->kind);
            heading("###", block);
            put("\n");
            if (!b->keys) {
                put("Its parser names no keyword table.\n");
                continue;
            }
            block_keys keys = b->keys();
            if (keys.doc) write_doc(*keys.doc, block);
            auto [at, added] = first_listed.emplace(keys.table, block + " (" + name + ")");
            if (!added) {
                put("\nRead by the parser of " + at->second + ": the same keywords.\n");
                continue;
            }
            if (keys.doc) put("\n");
            write_table(*keys.table, keys.word, block);
        }
    }
    write_example_files();
}

}  // namespace

int main() {
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
        "means the keyword's own check holds the value to its length. Entries nested in a\n"
        "block follow its table, named by their path.\n\n## Contents\n\n" + toc + out;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::perror("ndlref: standard output");
        return 1;
    }
    return 0;
}
