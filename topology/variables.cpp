// VARIABLE definitions, shared by every block that declares variables, and
// the NETWORKVARS block of network-wide variables.
#include <cstring>

#include "block.h"
#include "records_topology.h"
#include "registry.h"
#include "topology.h"

const value_table Boolean[] = {"TRUE", "FALSE", ""};
const value_table Constraints[] = {"GLOBAL", "DOMAIN", "NODE", "CONN", ""};
const value_table VariableTypes[] = {"VARIABLE-UNASSIGNED", "FIXED-ASSIGNED", "DYNAMIC-ASSIGNED",
                                     "DERIVED-VAR", ""};
const value_table DomainVarTypes[] = {"NUMBER", "STRING",       "BOOLEAN",      "LIST",
                                      "RANGE",  "STATIC-LIST", "DYNAMIC-LIST", ""};

namespace {

// clang-format off
token_entry inpvartokens[] = {
    {"NAME", 4, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"MODE", 4, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"TYPE", 4, 0, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"VALUE", 5, 0, 0, TOKEN_ATTRIBUTE, 100, 0, nullptr},
    {"MINVALUE", 8, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"MAXVALUE", 8, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"DEFAULTVALUE", 12, 0, 0, TOKEN_ATTRIBUTE, 100, 0, nullptr},
    {"LISTNAME", 8, 0, 0, TOKEN_ATTRIBUTE, 100, 0, nullptr},
    {"UNIQUECONS", 10, 0, 0, TOKEN_ATTRIBUTE, 100, 0, nullptr},
    {"DISPLAYNAME", 11, 0, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"OPTIONAL", 8, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};

token_entry networkvarstokens[] = {
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 0, 0, nullptr},
    {"VARIABLE", 8, 0, 0, TOKEN_GROUP, 0, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
// clang-format on

bool keyword_found(const token_entry *table, const char *keyword) {
    for (; table->name; ++table)
        if (std::strcmp(table->name, keyword) == 0) return table->found != 0;
    return false;
}

var_def &def_of(void *rec) { return *static_cast<var_def *>(rec); }

int type_first(block_reader &r, const attr_rule &, void *) {
    if (keyword_found(r.table, "VALUE") || keyword_found(r.table, "DEFAULTVALUE"))
        return r.fail("ERROR: Give TYPE before DEFAULTVALUE,VALUE or LISTNAME fields : @ %d\n", Line);
    return 0;
}

// VALUE (tag 0) and DEFAULTVALUE (tag 1), checked against the type known so
// far.
int typed_value(block_reader &r, const attr_rule &rule, void *rec) {
    var_def &def = def_of(rec);
    char *field = rule.tag ? def.defaultvalue : def.value;
    if (std::strcmp(def.type, "BOOLEAN") == 0) {
        converttocap(r.tok, r.tok, sizeof r.tok);
        if (!validate_var(Boolean, r.tok))
            r.flag(rule.tag ? "ERROR : Invalid value for DEFAULTVALUE attribute . Valid values are "
                              "TRUE/FALSE : %s @%d\n"
                            : "ERROR : Invalid value for BOOLEAN attribute . Valid values are "
                              "TRUE/FALSE : %s @%d\n",
                   r.tok, Line);
    } else if (std::strcmp(def.type, "NUMBER") == 0) {
        if (r.kind != TOKEN_NUMBER)
            r.flag("ERROR : Invalid value for NUMBER attribute. Must be a number : %s @%d\n", r.tok,
                   Line);
    } else {
        if (r.kind != TOKEN_QUOTED)
            return r.fail("ERROR : Specify variable value within quotes : %s @%d\n", r.tok, Line);
        if (std::strlen(r.tok) > 100) return r.fail(kTooLongMsg, r.tok, Line);
    }
    // A token holds at most 299 characters: it fits the 300 of the field.
    store_text(field, kText, r.tok, kText - 1);
    return 0;
}

int uniquecons(block_reader &r, const attr_rule &, void *) {
    if (!validate_var(Constraints, r.tok))
        r.flag("ERROR :Syntax error . Invalid constraint specified :%s @%d\n", r.tok, Line);
    return 0;
}

// MINVALUE (tag 0) and MAXVALUE (tag 1): the text is kept either way.
int range_bound(block_reader &r, const attr_rule &rule, void *rec) {
    int32_t n;
    if (r.kind == TOKEN_NUMBER && !parse_int32(r.tok, &n)) r.flag(rule.kind_msg, r.tok, Line);
    if (std::strcmp(def_of(rec).type, "RANGE") != 0)
        r.flag(rule.tag ? "ERROR : MAXVALUE attribute can be specified only for RANGE types : @%d\n"
                        : "ERROR : MINVALUE attribute can be specified only for RANGE types : @%d\n",
               Line);
    return 0;
}

int optional_flag(block_reader &r, const attr_rule &, void *rec) {
    var_def &def = def_of(rec);
    def.isoptional = 1;
    if (std::strcmp(def.mode, "VARIABLE-UNASSIGNED") != 0)
        r.flag("ERROR: OPTIONAL attribute can be given only for variables of mode "
               "VARIABLE-UNASSIGNED @ %d \n",
               Line);
    if (std::strcmp(def.type, "NUMBER") != 0 && std::strcmp(def.type, "STRING") != 0)
        r.flag("ERROR: OPTIONAL attribute can be given only for variables of type NUMBER and "
               "STRING @ %d \n",
               Line);
    return 0;
}

constexpr attr_rule name_rule(const char *keyword, field_ref field, bool upper = false) {
    return attr_rule{.keyword = keyword, .maxlen = 30, .toolong_err = on_error::fail,
                     .field = field, .upper = upper};
}

const attr_rule varrules[] = {
    name_rule("NAME", NDL_TEXT(var_def, name)),
    name_rule("DISPLAYNAME", NDL_TEXT(var_def, displayname)),
    name_rule("MODE", NDL_TEXT(var_def, mode), true),
    {.keyword = "TYPE", .maxlen = 30, .toolong_err = on_error::fail,
     .field = NDL_TEXT(var_def, type), .upper = true, .before = type_first},
    {.keyword = "VALUE", .after = typed_value, .tag = 0},
    {.keyword = "DEFAULTVALUE", .after = typed_value, .tag = 1},
    {.keyword = "LISTNAME", .maxlen = 100, .toolong_err = on_error::fail,
     .field = NDL_TEXT(var_def, listname)},
    {.keyword = "UNIQUECONS", .field = NDL_TEXT(var_def, uniquec), .upper = true,
     .after = uniquecons},
    {.keyword = "MINVALUE", .kind = value_kind::number,
     .kind_msg = "ERROR : Invalid value for MINVALUE attribute. Must be a number : %s @%d\n",
     .kind_err = on_error::flag, .field = NDL_TEXT(var_def, minvalue), .after = range_bound,
     .tag = 0},
    {.keyword = "MAXVALUE", .kind = value_kind::number,
     .kind_msg = "ERROR : Invalid value for MAXVALUE attribute. Must be a number : %s @%d\n",
     .kind_err = on_error::flag, .field = NDL_TEXT(var_def, maxvalue), .after = range_bound,
     .tag = 1},
    {.keyword = "OPTIONAL", .kind = value_kind::none, .after = optional_flag},
    {},
};

const attr_loop varloop = {
    .rules = varrules,
    .separated = true,
    .invalid_msg = "ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected: %s @%d\n",
    .dup_msg = "ERROR: Duplicate token : '%s' @ %d\n",
    .equal_msg = "ERROR : Syntax error '=' expected : %s @%d\n",
    .separator_msg = "ERROR : Syntax error ',' or ')' expected :%s @%d\n",
};

// "object.variable": exactly two pieces once empty ones are dropped.
bool is_derived_reference(const char *value) {
    int pieces = 0;
    for (const char *p = value; *p;) {
        size_t n = std::strcspn(p, ".");
        if (n) ++pieces;
        p += n;
        if (*p == '.') ++p;
    }
    return pieces == 2;
}

}  // namespace

int parse_variables(FILE *fp, var_def *def) {
    block_reader r(fp, inpvartokens);
    *def = var_def{};
    def->line = Line;
    std::strcpy(def->mode, "VARIABLE-UNASSIGNED");
    std::strcpy(def->type, "STRING");

    if (!r.expect("=", "ERROR : Syntax error '=' expected : %s @%d\n")) return 1;
    if (!r.expect("(", "ERROR : Syntax error '(' expected : %s @%d\n")) return 1;
    if (read_attributes(r, varloop, def)) return 1;

    // Checks after ")": the ")" is the token kept with them.
    if (std::strcmp(def->type, "STATIC-LIST") == 0) {
        if (!validate_listvalues(def->listname))
            r.flag("ERROR : Syntax error . Please specify a valid list name: %s @%d\n", def->listname,
                   Line);
    } else if (std::strcmp(def->type, "DYNAMIC-LIST") != 0) {
        if (def->listname[0])
            r.flag("ERROR : Syntax error . List value can only be  specified for "
                   "'STATIC-LIST','DYNAMIC-LIST': %s @%d\n",
                   def->listname, Line);
        else if (std::strcmp(def->type, "RANGE") == 0 && (!def->minvalue[0] || !def->maxvalue[0]))
            r.flag("ERROR : Syntax error . A value is expected for type %s @%d\n", def->type, Line);
    }
    if (std::strcmp(def->mode, "VARIABLE-UNASSIGNED") != 0 && !def->value[0])
        r.flag("ERROR : Syntax error . A value is expected for type %s @%d\n", def->type, Line);
    if (std::strcmp(def->mode, "DERIVED-VAR") == 0 && !is_derived_reference(def->value))
        return r.fail("ERROR: Wrong value for DERIVED-VAR: @ %d\n", Line);
    if (!def->displayname[0]) std::memcpy(def->displayname, def->name, sizeof def->name);
    r.check_mandatory("variable", "ERROR: token '%s' is missing in VARIABLE block : @ %d\n", Line);
    return 0;
}

int read_variable_block(block_reader &r, const char *invalid_msg,
                        int (*each)(block_reader &r, var_def &def, void *ctx), void *ctx) {
    for (;;) {
        r.read_upper();
        if (r.ended) return 1;
        if (r.kind == TOKEN_END) return 0;
        if (r.kind != TOKEN_GROUP && r.kind != TOKEN_WORD) return r.fail(invalid_msg, r.tok, Line, r.kind);
        var_def def;
        if (parse_variables(r.fp, &def)) return 1;
        if (each(r, def, ctx)) return 1;
    }
}

namespace {

int file_networkvar(block_reader &r, var_def &def, void *ctx) {
    int &sequence = *static_cast<int *>(ctx);
    if (std::strcmp(def.mode, "FIXED-ASSIGNED") != 0)
        r.flag("ERROR: Only FIXED-ASSIGNED type of variables are allowd for Network variables :%s @%d\n",
               def.mode, Line);
    if (!validate_var(VariableTypes, def.mode))
        r.flag("ERROR: Syntsx error . Invalid mode specified :%s @%d\n", def.mode, Line);
    if (!validate_var(DomainVarTypes, def.type))
        r.flag("ERROR :Syntax error . Invalid type specified :%s @%d\n", def.type, Line);
    int datatype = 0;
    if (validate_networkvariable(def.name, &datatype))
        r.flag("ERROR Duplicate definition of network variable : %s @%d\n", def.name, Line);

    network_var_rec *rec = alloc_record<network_var_rec>();
    rec->line = def.line;
    rec->sequence = sequence++;
    std::memcpy(rec->variablename, def.name, sizeof rec->variablename);
    std::memcpy(rec->variabletype, def.type, sizeof def.type);
    std::memcpy(rec->variablevalue, def.value, sizeof rec->variablevalue);
    append_record(prnetworkvars, rec);
    return 0;
}

}  // namespace

int parse_networkvars(FILE *fp, FILE *, const char *) {
    block_reader r(fp, networkvarstokens);
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @%d\n")) return 1;
    int sequence = 1;
    return read_variable_block(r, "ERROR : Invalid Input : %s @%d %d\n", file_networkvar, &sequence);
}
