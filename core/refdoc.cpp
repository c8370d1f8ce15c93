// The pieces of the reference that the section libraries share when they
// print their own value tables.
#include <string>

#include "sections.h"
#include "validations.h"

std::string values_text(const value_table *values, const char *last) {
    std::string text;
    for (const value_table *v = values; **v; ++v) {
        if (v != values) text += v[1][0] ? ", " : last;
        text += "`" + std::string(*v) + "`";
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
