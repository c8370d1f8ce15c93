// The pieces of the reference that the section libraries share when they
// print their own value tables.
#include <cstring>
#include <string>

#include "sections.h"
#include "validations.h"

std::string value_word(const char *value) {
    // The characters that end a word for the tokenizer, and blanks.
    bool split = std::strpbrk(value, " \t=(),#.;&>") != nullptr;
    return split ? "`\"" + std::string(value) + "\"`" : "`" + std::string(value) + "`";
}

std::string values_text(const value_table *values, const char *last) {
    std::string text;
    for (const value_table *v = values; **v; ++v) {
        if (v != values) text += v[1][0] ? ", " : last;
        text += value_word(*v);
    }
    return text;
}

void write_vendor_list(reference_out &out, const char *tablename, std::string_view word) {
    const vendor_value_entry *table = nullptr;
    if (!get_vendorspecific_validation("CISCO", tablename, &table)) return;
    out.table({word, "VALUE"});
    for (const vendor_value_entry *e = table; e->word; ++e)
        out.row({"`" + std::string(e->word) + "`", vendor_value_text(e->kind)});
}

namespace {

// A VALUE the check of `kind` takes with no name of the network behind it;
// null for the kinds that name a match rule. An access list that does not
// exist is a warning only.
const char *plain_value(int kind) {
    switch (kind) {
        case 1:
        case 2: return "SOME-ACL";
        case 3: return "";
        case 4: return nullptr;
        case 8: return "8";
        default: return "1";
    }
}

void replace_all(std::string &text, std::string_view what, const std::string &with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace

std::string vendor_example(const char *tablename, std::string_view form) {
    const vendor_value_entry *table = nullptr;
    if (!get_vendorspecific_validation("CISCO", tablename, &table)) return "";
    // The first word whose VALUE is plain text, else the first one at all
    // that names no rule.
    const vendor_value_entry *pick = nullptr;
    for (const vendor_value_entry *e = table; e->word && !pick; ++e)
        if (e->kind >= 5) pick = e;
    for (const vendor_value_entry *e = table; e->word && !pick; ++e)
        if (plain_value(e->kind)) pick = e;
    if (!pick) return "";
    std::string text(form);
    replace_all(text, "%1", pick->word);
    replace_all(text, "%2", plain_value(pick->kind));
    return text;
}
