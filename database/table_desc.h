// Table descriptions: every stored table is data (its statement texts, its
// columns and the record fields they fill), and one reader routine and one
// writer routine serve all of them.
#ifndef NDL_DATABASE_TABLE_DESC_H
#define NDL_DATABASE_TABLE_DESC_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "records_common.h"

struct cust_conn_node_rec;
struct cust_conn_type_rec;

namespace ndldb {

constexpr size_t kDropped = SIZE_MAX;  // column fetched, no field keeps it
#define kNoField ::ndldb::kDropped, 0

enum col_kind : uint8_t {
    col_int,      // SQLT_INT into a 32-bit field
    col_text,     // SQLT_STR into a text field
    col_flag16,   // SQLT_INT, the low 16 bits into an unsigned 16-bit field
    col_numtext,  // SQLT_STR, its leading decimal number into a 32-bit field
    col_runid,    // SQLT_INT; the field takes the run's networkid instead
};
enum copy_rule : uint8_t { copy_plain, copy_loc };

struct column_desc {
    const char *expr;  // select item
    col_kind kind;
    copy_rule copy;
    uint8_t target;    // 0 the row's record, 1 its entry (folded tables)
    size_t offset;     // kDropped: not kept
    size_t size;
};

// A global list head of any record type: its first record, and the list's
// own ways of replacing it and appending to it, which keep its lookup
// indexes in step.
struct list_ref {
    void *(*head)();
    void (*set)(void *head, void *tail);
    void (*append)(void *rec);
};

template <class T, record_list<T> &L>
void *list_head() {
    return L.head;
}
// Through the list itself, so that its watchers (the lookup indexes) drop
// what they held of an earlier run and index the rows read now.
template <class T, record_list<T> &L>
void list_set(void *head, void *tail) {
    L.replace(static_cast<T *>(head), static_cast<T *>(tail));
}
template <class T, record_list<T> &L>
void list_append(void *rec) {
    L.append(static_cast<T *>(rec));
}

enum reader_form : uint8_t {
    form_returning,       // builds its own list and hands it back
    form_filling,         // empties its global head and appends to it
    form_filling_status,  // the same, and a failed fetch reports its status
};

struct reader_desc {
    const char *table;  // as the statement names it
    const column_desc *cols;
    size_t ncols;
    bool versioned;     // filtered on the run's policy version
    const char *order;  // ORDER BY clause, or null
    size_t recsize;
    size_t nextoff;     // offset of the next link
    const char *label;        // "Table : " label after a failed execute
    const char *fetch_label;  // ... and after a failed fetch
    reader_form form;
    list_ref list;            // null functions for nested readers
};

// ---- writers ----

enum value_kind : uint8_t {
    val_netid,    // the run's networkid
    val_version,  // the run's policy version
    val_int,      // integer field (32-bit, or 16-bit unsigned by its size)
    val_text,     // text field
    val_pos,      // 1-based position of the entry within its record
    val_qosseq,   // list number of a QoS policy entry (changes of list name)
    val_digits,   // text field of decimal digits, written as a number
};

struct value_desc {
    value_kind kind;
    uint8_t target;  // 0 the list record, 1 the entry of its sub-list
    size_t offset;
    size_t size;
};

struct sublist_ref {
    size_t headoff;  // kDropped: the table is written from one level
    size_t nextoff;  // next link of the entries
};

struct writer_desc {
    const char *label;         // "table " and the table name
    const char *del;           // DELETE text of a rewritten table, or null
    const char *comment;       // load-file line before the DELETE
    const char *insert;        // INSERT format
    const char *insert_empty;  // INSERT for a record without entries, or null
    const value_desc *vals;
    size_t nvals;
    list_ref list;
    size_t nextoff;
    sublist_ref sub;
};

struct raw_list {
    void *head = nullptr;
    void *tail = nullptr;
};

// Reads one table by its description. Result as the table readers give it:
// 1 read to the end, 0 a failed fetch, -1 a failed prepare, define or
// execute. A returning reader leaves its list in `out` (empty after a
// failure); a filling reader fills its global list head.
int read_table(const reader_desc &d, raw_list *out);
// Writes one table by its description: 1 written, 0 at the first failure.
int write_table(const writer_desc &d, FILE *loadfp);
// Runs one statement: 1 ran, 0 failed.
int run_statement(const char *sql);
int run_statement(const char *sql, size_t len);

// The section readers and the writers, in their fixed orders. A step with a
// special routine runs it (with its description or descriptions); any other
// runs the one generic reader or writer.
struct read_step {
    const reader_desc *d;
    const reader_desc *child;  // nested reader, for the special routines
    int (*special)(const reader_desc &d, const reader_desc *child);
};
struct write_step {
    const char *name;
    const writer_desc *first;
    const writer_desc *second;  // the second table of a pair, or null
    int (*special)(const writer_desc *d, FILE *loadfp);
};
struct read_section {
    const read_step *steps;
    size_t count;
};
extern const read_section kSections[5];  // topology, customer, routing, firewall, QoS
extern const write_step kWriteOrder[];
extern const size_t kWriteOrderCount;

// Special readers (reader.cpp) and writers (writer.cpp).
int read_systemlist(const reader_desc &d, const reader_desc *);
int read_matchrules(const reader_desc &d, const reader_desc *);
int read_droprules(const reader_desc &d, const reader_desc *);
int read_policerules(const reader_desc &d, const reader_desc *actions);
int read_policyclasses(const reader_desc &d, const reader_desc *subqueues);
int read_custqospolicies(const reader_desc &d, const reader_desc *);
int read_custloopbacks(const reader_desc &d, const reader_desc *);
int read_custqospolicies_of(const reader_desc &d, cust_conn_type_rec *list);
int read_custloopbacks_of(const reader_desc &d, cust_conn_node_rec *list);
int print_network(const writer_desc *, FILE *loadfp);
int print_policyversions(const writer_desc *, FILE *loadfp);
int print_domainaccesslist(const writer_desc *d, FILE *loadfp);

// The rules of the repository layout a deliverable writes. The library's
// (versioned) are the defaults; the command-line build's own unit installs
// the older ones (older_layout.cpp), so no writer or reader is copied.
struct layout_rules {
    const write_step *order;  // print_info's writers
    size_t count;
    int (*retrieve)();        // reading at the start; null: every section
    bool versioned;           // policy versions are read and written
    // The select item of a column the layout lacks, or null: as described.
    const char *(*column_expr)(const reader_desc &d, size_t col);
    // The layout has no such column (null: it has every column).
    bool (*lacks)(const char *table, const char *column);
};
const layout_rules &layout();
// A column the layout does not store reads back empty: comparing it with
// what was parsed would find a change that is none.
inline bool layout_lacks(const char *table, const char *column) {
    return layout().lacks && layout().lacks(table, column);
}
// The layout's rules, made by `rules` when a run first asks (null: the
// library's).
void install_layout(const layout_rules &(*rules)());

// Runs one section's readers in order: 1, or 0 after a failed one.
int load_section(const read_section &section);
// NETWORKS rewritten on every run, PROJECT checked: the older rule.
int print_network_always(const writer_desc *, FILE *loadfp);

// NETWORKS, written by its own routine.
extern const writer_desc k_w_networks;

// Every description, for the schema test and the benchmark.
extern const reader_desc *const kAllReaders[];
extern const size_t kAllReadersCount;
extern const writer_desc *const kAllWriters[];
extern const size_t kAllWritersCount;

}  // namespace ndldb

#endif
