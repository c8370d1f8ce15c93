// Entries of the TOPOLOGY and CUSTOMER block parsers. Every block parser
// has the driver's signature: it is called after its block keyword, returns
// 0 when the block was read to its END (errors may have been flagged) and 1
// after an error that stopped it (logged, g_error set, the token kept for
// skip_block).
#ifndef NDL_TOPOLOGY_TOPOLOGY_H
#define NDL_TOPOLOGY_TOPOLOGY_H

#include <cstdint>
#include <cstdio>

#include "records_common.h"
#include "tokenizer.h"

// ---- value lists of the variable and list blocks ----
extern const value_table Boolean[];
extern const value_table Constraints[];
extern const value_table VariableTypes[];   // the modes
extern const value_table DomainVarTypes[];  // the types
extern const value_table systemlists[];

// ---- NETWORK, variables, NETWORKVARS ----
int parse_network(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkvars(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);

// The eleven results of one VARIABLE definition, and the line it began on.
struct var_def {
    int32_t line;
    char displayname[kName];
    char name[kName];
    char mode[kName];  // upper case; "VARIABLE-UNASSIGNED" by default
    char type[kName];  // upper case; "STRING" by default
    char value[kText];
    char minvalue[kText];
    char maxvalue[kText];
    char listname[kText];
    char defaultvalue[kText];
    char uniquec[kText];
    int16_t isoptional;
};
// Reads one definition "= ( KEY = value , ... )" right after the keyword
// that opened it: 0 read up to ")" (errors may be flagged), 1 stopped.
int parse_variables(FILE *fp, var_def *def);
// The loop of a block made of VARIABLE definitions up to END: VARIABLE or
// any plain word opens one, which `each` checks and files (0 go on, 1 stop).
// Any other token fails with `invalid_msg` (token, Line, kind). 0 at END.
class block_reader;
int read_variable_block(block_reader &r, const char *invalid_msg,
                        int (*each)(block_reader &r, var_def &def, void *ctx), void *ctx);

// ---- LISTDEFS, SYSTEMLIST and the list splitter ----
int parse_listdefs(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_systemlist(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int extract_lists(FILE *fp);
int extract_listelements(const char *text, const char *listname);
int extract_systemlist(FILE *fp, char *displayname, char *value);
// Splits a comma-separated text into `rows` (room for `capacity` rows of up
// to 300 characters); *count takes the number of items. 0 done, 1 with the
// message formatted into g_errormsg (not logged): a bad separator, more
// items than the rows hold, or an item longer than 300 characters.
int extractlist(const char *text, value_table *rows, int capacity, int *count);
// The scan that every list splitter shares: white space between items is
// skipped, an item runs until `ends_item` says so (it may be empty, as
// between two commas), after an item only "," may follow, and a trailing
// comma adds nothing. `each` gets every item (0 go on, 1 stop). 0 done,
// 1 stopped by `each`, 2 a character other than "," where one was expected.
int scan_list(const char *text, bool (*ends_item)(char c),
              int (*each)(const char *item, size_t len, void *ctx), void *ctx);


// ---- DOMAIN, NODES, ADDRESSPOOL ----
// The keywords of the DOMAIN block; the NODES block has the same ones and
// reads with this table too (the two blocks never nest).
extern token_entry domaintokens[];
int parse_domains(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_nodes(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_addresspools(FILE *fp, FILE *loadfp = nullptr, const char *arg = nullptr);
int parse_networkpool(FILE *fp);
// One domain_service_rec per service of the comma-separated `services`
// (letters and "-" only), each with `source`: 0, or 1 with the message in
// g_errormsg (not logged).
int formatSource(const char *domainname, const char *nodetype, const char *services,
                 const char *source);

// MINVALUE or MAXVALUE text of a definition as an int: 0 when empty, and 0
// for a text that is no number or lies outside 32 bits (parse_variables has
// reported those already with the attribute's number message).
int32_t variable_bound(const char *text);
// Files the results of a definition into a variable record of a domain,
// node type (and later blocks of the same columns): every text field of
// those records is at least as wide as the definition's, so nothing is cut.
template <class Rec>
void fill_variable_record(const var_def &def, Rec *rec) {
    auto put = [](auto &field, const char *value) {
        std::snprintf(field, sizeof field, "%s", value);
    };
    static_assert(sizeof rec->variablename >= sizeof def.name);
    rec->line = def.line;
    put(rec->variablename, def.name);
    put(rec->displayname, def.displayname);
    put(rec->variabletype, def.type);
    put(rec->updatestatus, def.mode);
    put(rec->defaultvalue, def.defaultvalue);
    put(rec->listname, def.listname);
    put(rec->variablevalue, def.value);
    put(rec->uniquec, def.uniquec);
    rec->isoptional = def.isoptional;
    rec->minvalue = variable_bound(def.minvalue);
    rec->maxvalue = variable_bound(def.maxvalue);
}

#endif
