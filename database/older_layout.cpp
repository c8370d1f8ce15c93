// The older, unversioned repository layout that the command-line build
// writes, derived from the library's table descriptions rather than copied:
// no policy versions, every table emptied and refilled, a few shorter rows
// and tables that the layout does not have. Linked into cfgload only, this
// unit installs them before main; they are derived at the first run.
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "database.h"
#include "older_layout.h"
#include "records_policy.h"
#include "runstate.h"
#include "table_desc.h"

namespace ndldb {
namespace {

struct absent_column {
    const char *table;
    const char *column;
};
struct shorter_row {
    const char *table;
    size_t keep;
};
struct delete_text {
    const char *table;
    const char *del;      // null: the plain text
    const char *comment;  // null: the plain comment
};

// What the older layout lacks and writes otherwise, from the tables'
// declaration.
#include "older_layout.inc"

bool same_name(const char *a, const char *b) { return strcasecmp(a, b) == 0; }

bool absent_table(const char *table) {
    for (const char *t : kAbsentTables)
        if (same_name(t, table)) return true;
    return false;
}

const char *table_of(const writer_desc &d) { return d.label + std::strlen("table "); }

// The column a select item reads: "NVL(col,...)" or the bare name.
std::string column_of(const char *expr) {
    if (strncasecmp(expr, "NVL(", 4) != 0) return expr;
    const char *start = expr + 4;
    return std::string(start, std::strcspn(start, ","));
}

bool older_lacks(const char *table, const char *column) {
    for (const absent_column &a : kAbsentColumns)
        if (same_name(a.table, table) && same_name(a.column, column)) return true;
    return false;
}

const char *older_column_expr(const reader_desc &d, size_t col) {
    if (!older_lacks(d.table, column_of(d.cols[col].expr).c_str())) return nullptr;
    return d.cols[col].kind == col_text ? "''" : "0";
}

// `fmt` with its first `keep` placeholders ("%d", "%s" and the quotes
// around it) and ")" after them; the placeholder `digits` (counted from 0)
// becomes an unquoted "%d".
std::string rewrite_format(const char *fmt, size_t keep, size_t digits) {
    std::string out;
    size_t seen = 0;
    for (const char *p = fmt; *p; ++p) {
        bool quoted = p[0] == '\'' && p[1] == '%' && p[2] == 's' && p[3] == '\'';
        bool plain = p[0] == '%' && (p[1] == 'd' || p[1] == 's');
        if (!quoted && !plain) {
            out += *p;
            continue;
        }
        if (seen == keep) return out.substr(0, out.find_last_of(',')) + ")";
        out += seen == digits ? "%d" : std::string(p, quoted ? 4 : 2);
        p += quoted ? 3 : 1;
        ++seen;
    }
    return out;
}

// One derived writer and the storage its description points into.
struct older_writer {
    writer_desc d{};
    std::vector<value_desc> vals;
    std::string insert, insert_empty, del, comment;
};

// The older writer of `d`, or `d` itself where the layouts agree.
const writer_desc *derive(const writer_desc &d, std::deque<older_writer> &store) {
    const char *table = table_of(d);
    size_t version = d.nvals;
    for (size_t i = 0; i < d.nvals; ++i)
        if (d.vals[i].kind == val_version) version = i;
    size_t keep = version;
    for (const shorter_row &r : kShorterRows)
        if (same_name(r.table, table)) keep = r.keep;
    bool filterlist = same_name(table, kFilterList);
    bool versioned = version < d.nvals;
    if (keep == d.nvals && !filterlist && !versioned) return &d;

    older_writer &w = store.emplace_back();
    w.d = d;
    w.vals.assign(d.vals, d.vals + keep);
    size_t digits = SIZE_MAX;
    if (filterlist) {
        w.vals[kFilterListStart].kind = val_digits;
        digits = kFilterListStart;
    }
    size_t with_entry = keep, without_entry = 0;
    for (const value_desc &v : w.vals)
        if (v.target == 0) ++without_entry;
    w.insert = rewrite_format(d.insert, with_entry, digits);
    if (d.insert_empty) w.insert_empty = rewrite_format(d.insert_empty, without_entry, digits);
    if (versioned) {
        // Every table is rewritten: emptied for the network and refilled.
        w.del = std::string("DELETE ") + table + " WHERE networkid=%d";
        w.comment = "-- Delete ";
        for (const char *c = table; *c; ++c) w.comment += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
        w.comment += "\n";
        for (const delete_text &t : kDeleteTexts) {
            if (!same_name(t.table, table)) continue;
            if (t.del) w.del = t.del;
            if (t.comment) w.comment = t.comment;
        }
    }
    w.d.vals = w.vals.data();
    w.d.nvals = w.vals.size();
    w.d.insert = w.insert.c_str();
    w.d.insert_empty = d.insert_empty ? w.insert_empty.c_str() : nullptr;
    if (versioned) {
        w.d.del = w.del.c_str();
        w.d.comment = w.comment.c_str();
    }
    return &w.d;
}

// The start number is written as a number here: a text that is none (a
// variable of the newer loaders) is refused rather than written wrong.
int print_domainfilterlist(const writer_desc *d, FILE *loadfp) {
    for (const domain_filter_list_rec *r = prdomainfilterlist; r; r = r->next) {
        if (filterlist_start_number(r->aclseqstart) < 0) {
            logmsg("ERROR: FLT-SEQSTART '%s' of the %s list of %s.%s is not a number; this loader writes it "
                   "as a number\n",
                   r->aclseqstart.c_str(), r->filtertype.c_str(), r->domainname.c_str(), r->nodetype.c_str());
            return 0;
        }
    }
    return write_table(*d, loadfp);
}

struct older_rules {
    std::deque<older_writer> writers;
    std::vector<write_step> order;
    std::vector<read_step> topology_steps;
    read_section topology{};
    layout_rules rules{};
};

int retrieve_older();

// Built at the first run, not at load: a program starts without
// allocating, and a failure here is the run's own (out of memory) and
// leaves nothing half built for the next call.
older_rules &build() {
    static older_rules o;
    if (!o.order.empty()) return o;
    older_rules fresh;
    for (size_t i = 0; i < kWriteOrderCount; ++i) {
        write_step step = kWriteOrder[i];
        if (step.special == print_network) {
            step.special = print_network_always;
        } else if (step.first == nullptr || absent_table(table_of(*step.first))) {
            continue;  // POLICYVERSIONS, and the tables the layout lacks
        }
        if (step.first) step.first = derive(*step.first, fresh.writers);
        if (step.second) step.second = derive(*step.second, fresh.writers);
        if (step.first && same_name(table_of(*step.first), kFilterList)) step.special = print_domainfilterlist;
        fresh.order.push_back(step);
    }
    const read_section &topology = kSections[0];
    for (size_t i = 0; i < topology.count; ++i)
        if (!absent_table(topology.steps[i].d->table)) fresh.topology_steps.push_back(topology.steps[i]);
    // Swapped whole: the writers' texts and the steps keep their places.
    o.writers.swap(fresh.writers);
    o.topology_steps.swap(fresh.topology_steps);
    o.order.swap(fresh.order);
    o.topology = {o.topology_steps.data(), o.topology_steps.size()};
    o.rules = {o.order.data(), o.order.size(), retrieve_older, false, older_column_expr, older_lacks};
    return o;
}

// The stored sections read at the start depend on the file's first section.
int retrieve_older() {
    enum { T, C, R, F, Q };
    static const std::vector<int> kNone;
    const char *first = g_section.sectionname;
    std::vector<int> sections;
    if (std::strcmp(first, "TOPOLOGY") == 0) sections = overwritedata ? kNone : std::vector<int>{R, C, F, Q};
    else if (std::strcmp(first, "ROUTING") == 0) sections = {T, C, F, Q};
    else if (std::strcmp(first, "FIREWALL") == 0) sections = {T, C, R, F, Q};
    else if (std::strcmp(first, "QOS") == 0) sections = {T, C, R, F};
    else if (std::strcmp(first, "CUSTOMER") == 0) sections = overwritedata ? std::vector<int>{T} : std::vector<int>{T, R, F, Q};
    else {
        logmsg("ERROR: wrong section name\n");
        return 0;
    }
    for (int s : sections)
        if (!load_section(s == T ? build().topology : kSections[s])) return 0;
    return 1;
}

}  // namespace

const layout_rules &older_layout() { return build().rules; }

}  // namespace ndldb

int filterlist_start_number(const char *text) {
    if (!*text || std::strlen(text) > 10) return -1;
    for (const char *c = text; *c; ++c)
        if (!std::isdigit(static_cast<unsigned char>(*c))) return -1;
    long long value = std::strtoll(text, nullptr, 10);
    return value > INT_MAX ? -1 : static_cast<int>(value);
}

namespace {

const bool installed = [] {
    ndldb::install_layout(ndldb::older_layout);
    ocix_expect_layout(OCIX_LAYOUT_UNVERSIONED);
    return true;
}();

}  // namespace
