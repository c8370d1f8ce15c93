// The statement writer: one writer routine for every described table, the
// NETWORKS/PROJECT and POLICYVERSIONS writers and print_info.
// Statements are built in a growable buffer, so no row is ever cut, and
// every text value has its quotes doubled on the way in.
#include <cassert>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "database.h"
#include "records_policy.h"
#include "records_topology.h"
#include "runstate.h"
#include "table_desc.h"

namespace ndldb {
namespace {

const void *field(const value_desc &v, const void *rec, const void *entry) {
    return static_cast<const char *>(v.target ? entry : rec) + v.offset;
}

int32_t int_value(const value_desc &v, const void *rec, const void *entry, int pos, int qosseq) {
    switch (v.kind) {
    case val_netid:
        return networkid;
    case val_version:
        return g_ndlversion;
    case val_pos:
        return pos;
    case val_qosseq:
        return qosseq;
    case val_digits:  // its writer has refused any other text
        return static_cast<int32_t>(std::strtol(text_access::get(field(v, rec, entry)), nullptr, 10));
    default:
        break;
    }
    if (v.size == sizeof(uint16_t)) {
        uint16_t u;
        std::memcpy(&u, field(v, rec, entry), sizeof u);
        return u;
    }
    int32_t i;
    std::memcpy(&i, field(v, rec, entry), sizeof i);
    return i;
}

// A statement format split once per table: each piece is a run of its text
// and the value that follows it ("%d" or "%s"), or the text's last run.
struct piece {
    size_t at, len;         // the run, in pieces::runs
    const value_desc *val;  // null after the last value
    bool number;
};
// Runs up to this long are copied as one block: a row is mostly short runs
// ("','") between short values.
constexpr size_t kBlock = 16;
struct pieces {
    std::vector<piece> parts;
    std::string runs;  // every run, with a block's room after the last
    size_t bound = 0;  // the longest row: every text at its width, every quote doubled
};

// Each "%d" and "%s" of `fmt` takes the next value; the entry's values are
// skipped for a record written without an entry. False when the format and
// the values do not pair off: a placeholder left without a value would read
// past them.
bool split_format(pieces &out, const char *fmt, const writer_desc &d, bool with_entry) {
    out.parts.clear();
    out.runs.clear();
    out.bound = 1;  // the NUL
    size_t next = 0;
    const char *run = fmt;
    auto add_run = [&out](const char *text, size_t len, const value_desc *v, bool number) {
        out.parts.push_back({out.runs.size(), len, v, number});
        out.runs.append(text, len);
        out.bound += len;
    };
    auto skip_entry = [&] {
        while (next < d.nvals && !with_entry && d.vals[next].target == 1) ++next;
    };
    for (const char *p = std::strchr(fmt, '%'); p; p = std::strchr(p, '%')) {
        if (p[1] != 'd' && p[1] != 's') {
            ++p;
            continue;
        }
        skip_entry();
        if (next == d.nvals) return false;
        const value_desc *v = &d.vals[next++];
        add_run(run, static_cast<size_t>(p - run), v, p[1] == 'd');
        out.bound += p[1] == 'd' ? 11 : 2 * v->size;
        p += 2;
        run = p;
    }
    skip_entry();
    add_run(run, std::strlen(run), nullptr, false);
    out.runs.append(kBlock, '\0');
    return next == d.nvals;
}

char *put_run(char *w, const pieces &fmt, const piece &p) {
    const char *s = fmt.runs.data() + p.at;
    if (p.len <= kBlock) std::memcpy(w, s, kBlock);  // the rest is written over
    else std::memcpy(w, s, p.len);                   // the table's "INSERT INTO ... VALUES ("
    return w + p.len;
}

// A text field with its quotes doubled; the text ends at its NUL, and never
// beyond its field. NUL and the quote are both at most '\'': one
// comparison passes most bytes.
char *put_quoted(char *w, const char *s, size_t size) {
    for (const char *end = s + size; s < end; ++s, ++w) {
        const char c = *s;
        *w = c;  // a NUL is written over or ends the row
        if (static_cast<unsigned char>(c) <= '\'') {
            if (c == '\0') break;
            if (c == '\'') *++w = '\'';
        }
    }
    return w;
}

// The room a row is written in, kept from row to row: the statement last
// written, NUL-terminated, while `used` is not 0.
struct row_room {
    std::vector<char> bytes;
    size_t used = 0;
    const char *c_str() const { return used ? bytes.data() : ""; }
};
row_room insert_buffer;  // the statement being written

// The statement of one row, written in place into room for the table's
// longest row (and a block more); its length.
size_t format_row(row_room &out, const pieces &fmt, const void *rec, const void *entry, int pos, int qosseq) {
    if (out.bytes.size() < fmt.bound + kBlock) out.bytes.resize(fmt.bound + kBlock);
    char *const start = out.bytes.data();
    char *w = start;
    for (const piece &p : fmt.parts) {
        w = put_run(w, fmt, p);
        if (!p.val) break;
        if (p.number) w = std::to_chars(w, w + 11, int_value(*p.val, rec, entry, pos, qosseq)).ptr;
        else w = put_quoted(w, text_access::get(field(*p.val, rec, entry)), p.val->size);
    }
    *w = '\0';
    out.used = static_cast<size_t>(w - start) + 1;
    return out.used - 1;
}

size_t format_row(row_room &out, const char *fmt, const writer_desc &d, const void *rec, const void *entry,
                  int pos, int qosseq) {
    pieces split;
    if (!split_format(split, fmt, d, entry != nullptr)) return SIZE_MAX;
    return format_row(out, split, rec, entry, pos, qosseq);
}

// A description whose INSERT and values do not pair off writes nothing.
int unpaired_format() {
    logmsg("ERROR: %s: its INSERT and its values do not pair off\n", g_tablename);
    return 0;
}

void set_label(const char *label) { std::snprintf(g_tablename, sizeof g_tablename, "%s", label); }

// Writes into the load file; a failed write fails the table, so a load
// file is never taken for whole when part of it is missing.
int put(FILE *loadfp, const char *text) {
    if (std::fputs(text, loadfp) != EOF) return 1;
    logmsg("ERROR: cannot write the load file: %s\n", std::strerror(errno));
    return 0;
}

// Runs the statement (NUL-terminated, `len` long), or writes it to the
// load file in file mode.
int emit(FILE *loadfp, const char *sql, size_t len) {
    if (createfile) return put(loadfp, sql) && put(loadfp, ";\n");
    return run_statement(sql, len);
}

int emit(FILE *loadfp, const char *sql) { return emit(loadfp, sql, std::strlen(sql)); }

int emit_row(FILE *loadfp, size_t len) {
    if (len == SIZE_MAX) return unpaired_format();
    return emit(loadfp, insert_buffer.bytes.data(), len);
}

int emit_delete(FILE *loadfp, const char *del, const char *comment) {
    char sql[200];
    std::snprintf(sql, sizeof sql, del, networkid);
    if (createfile && comment && !put(loadfp, comment)) return 0;
    return emit(loadfp, sql);
}

int table_end(FILE *loadfp) { return !createfile || put(loadfp, "\n\n"); }

// The list number of a QoS policy entry: it rises with every change of
// the entry's list name (its first text value).
int next_qosseq(const writer_desc &d, const void *entry, const void *prev, int seq) {
    if (!prev) return 1;
    for (size_t i = 0; i < d.nvals; ++i) {
        const value_desc &v = d.vals[i];
        if (v.target != 1 || v.kind != val_text) continue;
        const char *a = text_access::get(field(v, nullptr, entry));
        const char *b = text_access::get(field(v, nullptr, prev));
        return std::strcmp(a, b) != 0 ? seq + 1 : seq;
    }
    return seq;
}

const void *link_of(const void *rec, size_t off) {
    const void *next;
    std::memcpy(&next, static_cast<const char *>(rec) + off, sizeof next);
    return next;
}

// The formats of the table being written, split once for all its rows.
pieces table_format, empty_format;

}  // namespace

int run_statement(const char *sql) { return run_statement(sql, std::strlen(sql)); }

int run_statement(const char *sql, size_t len) {
    if (!envhp) {
        g_loaderror = 1;
        return 0;
    }
    sword status = OCIStmtPrepare(stmthp, errhp, reinterpret_cast<const text *>(sql),
                                  static_cast<ub4>(len), OCI_NTV_SYNTAX, OCI_DEFAULT);
    checkerr(errhp, status);
    if (status != OCI_SUCCESS && status != OCI_SUCCESS_WITH_INFO) {
        g_loaderror = 1;
        return 0;
    }
    status = OCIStmtExecute(svchp, stmthp, errhp, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    if (status == OCI_SUCCESS || status == OCI_SUCCESS_WITH_INFO) return 1;
    checkerr(errhp, status);
    cleanup();
    return g_loaderror == 1 ? 0 : 1;
}

// Rows the layer still has on their way to a server are stored before the
// table is done, so that a failure among them is reported as this table's.
int sync_rows() {
    if (createfile) return 1;
    if (!envhp) {
        g_loaderror = 1;
        return 0;
    }
    sword status = ocix_sync(svchp, errhp);
    if (status == OCI_SUCCESS) return 1;
    checkerr(errhp, status);
    cleanup();
    return g_loaderror == 1 ? 0 : 1;
}

int write_table(const writer_desc &d, FILE *loadfp) {
    set_label(d.label);
    row_room &sql = insert_buffer;
    bool sub = d.sub.headoff != kDropped;
    if (!split_format(table_format, d.insert, d, sub) ||
        (sub && d.insert_empty && !split_format(empty_format, d.insert_empty, d, false)))
        return unpaired_format();
    if (d.del && !emit_delete(loadfp, d.del, d.comment)) return 0;
    for (const void *rec = d.list.head(); rec; rec = link_of(rec, d.nextoff)) {
        if (!sub) {
            if (!emit_row(loadfp, format_row(sql, table_format, rec, nullptr, 0, 0))) return 0;
            continue;
        }
        const void *entry = link_of(rec, d.sub.headoff);
        if (!entry && d.insert_empty) {
            if (!emit_row(loadfp, format_row(sql, empty_format, rec, nullptr, 1, 0))) return 0;
            continue;
        }
        int pos = 0, seq = 0;
        for (const void *prev = nullptr; entry; prev = entry, entry = link_of(entry, d.sub.nextoff)) {
            seq = next_qosseq(d, entry, prev, seq);
            if (!emit_row(loadfp, format_row(sql, table_format, rec, entry, ++pos, seq))) return 0;
        }
    }
    if (!sync_rows() || !table_end(loadfp)) return 0;
    g_tablename[0] = '\0';
    return 1;
}

namespace {

// NETWORKS and PROJECT: `rewrite` deletes and inserts the network's row
// (else only a new network gets one), and the PROJECT check follows.
int write_network(FILE *loadfp, bool rewrite) {
    set_label("table NETWORKS");
    const writer_desc &d = k_w_networks;
    if (rewrite && !emit_delete(loadfp, d.del, d.comment)) return 0;
    if (!rewrite && !g_newnetwork) {
        g_tablename[0] = '\0';
        return 1;
    }
    // Without a NETWORK record the row still names the network the run is
    // bound to, rather than reading through an empty list.
    network_rec bound{};
    bound.networkname = oldnetworkname;
    const network_rec *rec = prnetwork ? static_cast<network_rec *>(prnetwork) : &bound;
    if (!emit_row(loadfp, format_row(insert_buffer, d.insert, d, rec, nullptr, 0, 0)) ||
        !table_end(loadfp))
        return 0;

    // The PROJECT row is checked against the database in every mode.
    if (!envhp) {
        g_loaderror = 1;
        return 0;
    }
    char query[1000];
    std::snprintf(query, sizeof query, " SELECT version FROM project WHERE networkid = %d", networkid);
    checkerr(errhp, OCIStmtPrepare(stmthp1, errhp, reinterpret_cast<const text *>(query),
                                   static_cast<ub4>(std::strlen(query)), OCI_NTV_SYNTAX, OCI_DEFAULT));
    if (g_loaderror == 1 || !envhp) return 0;
    int version = 0;
    sword status = OCIDefineByPos(stmthp1, &defnp, errhp, 1, &version, 4, SQLT_INT, nullptr, nullptr, nullptr,
                                  OCI_DEFAULT);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        cleanup();
        return 0;
    }
    status = OCIStmtExecute(svchp, stmthp1, errhp, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    if (status == OCI_NO_DATA) {
        set_label("table PROJECT");
        char sql[300];
        std::snprintf(sql, sizeof sql,
                      "INSERT INTO PROJECT VALUES (%d,%d,'%s','%s',%d,'%s',SYSDATE,SYSDATE,%d,'%s')", networkid, 1,
                      "ALPHA", "Initial Version", 1, "tavlo", 0, "");
        if (!emit(loadfp, sql) || !table_end(loadfp)) return 0;
    } else if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        cleanup();
        return 0;
    }
    g_tablename[0] = '\0';
    return 1;
}

}  // namespace

int print_network(const writer_desc *, FILE *loadfp) {
    return write_network(loadfp, overwritedata && g_topologyparsed);
}

int print_network_always(const writer_desc *, FILE *loadfp) { return write_network(loadfp, true); }

int print_policyversions(const writer_desc *, FILE *loadfp) {
    set_label("table POLICYVERSIONS");
    char sql[200];
    if (overwritedata && (g_topologyparsed || g_customerparsed)) {
        if (!emit_delete(loadfp, "DELETE POLICYVERSIONS WHERE networkid=%d \n", "-- Delete POLICYVERSIONS\n"))
            return 0;
        g_ndlversion = 1;
    } else if (g_createversion || g_ndlversion < 1) {
        ++g_ndlversion;
    } else {
        std::snprintf(sql, sizeof sql, "DELETE POLICYVERSIONS WHERE networkid=%d and ndlversion=%d \n", networkid,
                      g_ndlversion);
        if (!emit(loadfp, sql)) return 0;
    }
    std::snprintf(sql, sizeof sql, "INSERT INTO POLICYVERSIONS VALUES (%d,%d,' ')", networkid, g_ndlversion);
    return emit(loadfp, sql);
}

int print_domainaccesslist(const writer_desc *d, FILE *loadfp) {
    // Access lists of a QoS policy are stored with the usage QOS.
    for (domain_access_list_rec *r = prdomainaccesslist; r; r = r->next)
        if (std::strcmp(r->usage, "QOSPOLICY") == 0) r->usage = "QOS";
    return write_table(*d, loadfp);
}

}  // namespace ndldb

using namespace ndldb;

int print_info(FILE *loadfp) {
    g_tablename[0] = '\0';
    const layout_rules &rules = layout();
    for (size_t i = 0; i < rules.count; ++i) {
        const write_step &step = rules.order[i];
        int ok = step.special ? step.special(step.first, loadfp)
                              : write_table(*step.first, loadfp) && (!step.second || write_table(*step.second, loadfp));
        if (!ok) return 0;
    }
    return 1;
}
