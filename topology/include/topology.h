// What the TOPOLOGY and CUSTOMER sections offer the other sections: their
// dispatchers and the reader of VARIABLE definitions, which every block
// that declares variables shares.
#ifndef NDL_TOPOLOGY_TOPOLOGY_H
#define NDL_TOPOLOGY_TOPOLOGY_H

#include <cstdint>
#include <cstdio>

#include "records_common.h"
#include "tokenizer.h"

// The section dispatchers (registered with the driver): 1 success, 0 failure.
int parsetopologysec(FILE *fp, FILE *loadfp);
int parsecustomersec(FILE *fp, FILE *loadfp);

// The texts of a VARIABLE definition that its records keep as they are:
// X(field, the records' column, width). An attribute of the VARIABLE group
// (tools/tablegen/tables.py) that is such a text is one line here.
#define NDL_VARIABLE_TEXTS(X)                  \
    X(displayname, displayname, kName)         \
    X(name, variablename, kName)               \
    X(mode, updatestatus, kName) /* upper case; "VARIABLE-UNASSIGNED" by default */ \
    X(type, variabletype, kName) /* upper case; "STRING" by default */              \
    X(value, variablevalue, kText)             \
    X(listname, listname, kText)               \
    X(defaultvalue, defaultvalue, kText)       \
    X(uniquec, uniquec, kText)

// The results of one VARIABLE definition, and the line it began on.
struct var_def {
    int32_t line;
#define NDL_VARIABLE_FIELD(field, column, width) char field[width];
    NDL_VARIABLE_TEXTS(NDL_VARIABLE_FIELD)
#undef NDL_VARIABLE_FIELD
    char minvalue[kText];
    char maxvalue[kText];
    int16_t isoptional;
};
// Reads one definition "= ( KEY = value , ... )" right after the keyword
// that opened it: 0 read up to ")" (errors may be flagged), 1 stopped.
int parse_variables(FILE *fp, var_def *def);

// The entry that parse_variables reads, for a block's keyword row:
// {.name = "VARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry,
//  .repeatable = true, .entry = &variable_entry, .file = <the block's step>}
// hands each definition (a var_def) to the block's step.
struct entry_def;
extern const entry_def variable_entry;
// For a block whose definitions may also be opened by any plain word: its
// table's `other` handler.
class block_reader;
int word_opens_variable(block_reader &r, void *rec);

// MINVALUE or MAXVALUE text of a definition as an int: 0 when empty, and 0
// for a text that is no number or lies outside 32 bits (parse_variables has
// reported those already with the attribute's number message).
int32_t variable_bound(const char *text);
// Files the results of a definition into a variable record of a domain,
// node type (and later blocks of the same columns): every text field of
// those records is at least as wide as the definition's, so nothing is cut.
template <class Rec>
void fill_variable_record(const var_def &def, Rec *rec) {
    rec->line = def.line;
#define NDL_VARIABLE_COPY(field, column, width)                           \
    static_assert(decltype(rec->column)::capacity >= sizeof def.field); \
    rec->column = def.field;
    NDL_VARIABLE_TEXTS(NDL_VARIABLE_COPY)
#undef NDL_VARIABLE_COPY
    rec->isoptional = def.isoptional;
    rec->minvalue = variable_bound(def.minvalue);
    rec->maxvalue = variable_bound(def.maxvalue);
}

#endif
