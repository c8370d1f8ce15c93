// VARIABLE definitions, shared by every block that declares variables, and
// the NETWORKVARS block of network-wide variables.
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

var_def &def_of(void *rec) { return *static_cast<var_def *>(rec); }

int type_first(block_reader &r, const keyword_rule &, void *) {
    if (r.keys->found("VALUE") || r.keys->found("DEFAULTVALUE"))
        return r.fail("ERROR: Give TYPE before DEFAULTVALUE,VALUE or LISTNAME fields : @ %d\n", Line);
    return 0;
}

// VALUE (tag 0) and DEFAULTVALUE (tag 1), checked against the type known so
// far.
int typed_value(block_reader &r, const keyword_rule &rule, void *rec) {
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
    assert(std::strlen(r.tok) < kText);
    store_text(field, kText, r.tok, kText - 1);
    return 0;
}

int uniquecons(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(Constraints, r.tok))
        r.flag("ERROR :Syntax error . Invalid constraint specified :%s @%d\n", r.tok, Line);
    return 0;
}

// MINVALUE (tag 0) and MAXVALUE (tag 1): the text is kept either way.
int range_bound(block_reader &r, const keyword_rule &rule, void *rec) {
    int32_t n;
    if (r.kind == TOKEN_NUMBER && !parse_int32(r.tok, &n)) r.flag(rule.kind_msg, r.tok, Line);
    if (std::strcmp(def_of(rec).type, "RANGE") != 0)
        r.flag(rule.tag ? "ERROR : MAXVALUE attribute can be specified only for RANGE types : @%d\n"
                        : "ERROR : MINVALUE attribute can be specified only for RANGE types : @%d\n",
               Line);
    return 0;
}

int optional_flag(block_reader &r, const keyword_rule &, void *rec) {
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

constexpr keyword_rule name_rule(const char *keyword, int mandatory, field_ref field, bool upper = false) {
    return keyword_rule{.name = keyword, .mandatory = mandatory, .maxlen = 30,
                        .toolong_err = on_error::fail, .field = field, .upper = upper};
}

constinit keyword_table_of inpvartokens{
    {
        name_rule("NAME", 1, NDL_TEXT(var_def, name)),
        {.name = "MODE", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(var_def, mode), .upper = true,
         .checks = "every mode but VARIABLE-UNASSIGNED takes a VALUE; DERIVED-VAR's has two parts joined by a dot "
                   "(`\"A.B\"`), else \"Wrong value for DERIVED-VAR\"",
         .values = VariableTypes},
        {.name = "TYPE", .maxlen = 30, .toolong_err = on_error::fail, .field = NDL_TEXT(var_def, type),
         .upper = true, .before = type_first, .checks = "given before VALUE, DEFAULTVALUE and LISTNAME",
         .values = DomainVarTypes},
        // The value's length is checked only for quoted types.
        {.name = "VALUE", .maxlen = 100, .length = length_rule::own, .after = typed_value, .tag = 0,
         .checks = "TRUE or FALSE for a BOOLEAN, a number for a NUMBER, else a quoted text of up to 100 characters",
         .mandatory_when = "MODE is FIXED-ASSIGNED, DYNAMIC-ASSIGNED or DERIVED-VAR"},
        {.name = "MINVALUE", .kind = value_kind::number,
         .kind_msg = "ERROR : Invalid value for MINVALUE attribute. Must be a number : %s @%d\n",
         .kind_err = on_error::flag, .field = NDL_TEXT(var_def, minvalue), .after = range_bound, .tag = 0,
         .checks = "for a RANGE"},
        {.name = "MAXVALUE", .kind = value_kind::number,
         .kind_msg = "ERROR : Invalid value for MAXVALUE attribute. Must be a number : %s @%d\n",
         .kind_err = on_error::flag, .field = NDL_TEXT(var_def, maxvalue), .after = range_bound, .tag = 1,
         .checks = "for a RANGE"},
        {.name = "DEFAULTVALUE", .maxlen = 100, .length = length_rule::own, .after = typed_value, .tag = 1,
         .checks = "as VALUE"},
        {.name = "LISTNAME", .maxlen = 100, .toolong_err = on_error::fail,
         .field = NDL_TEXT(var_def, listname),
         .checks = "only with TYPE STATIC-LIST (a LIST of the LISTDEFS block) or DYNAMIC-LIST, never with LIST"},
        // Held to its field only.
        {.name = "UNIQUECONS", .maxlen = 100, .length = length_rule::field,
         .field = NDL_TEXT(var_def, uniquec), .upper = true, .after = uniquecons, .values = Constraints},
        name_rule("DISPLAYNAME", 0, NDL_TEXT(var_def, displayname)),
        {.name = "OPTIONAL", .kind = value_kind::none, .after = optional_flag,
         .checks = "none (the keyword alone): only for a VARIABLE-UNASSIGNED NUMBER or STRING"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected: %s @%d\n",
     .dup_msg = "ERROR: Duplicate token : '%s' @ %d\n",
     .equal_msg = "ERROR : Syntax error '=' expected : %s @%d\n",
     .separator_msg = "ERROR : Syntax error ',' or ')' expected :%s @%d\n"}};

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

namespace {

void variable_defaults(void *entry, void *) {
    var_def *def = static_cast<var_def *>(entry);
    *def = var_def{};
    def->line = Line;
    std::strcpy(def->mode, "VARIABLE-UNASSIGNED");
    std::strcpy(def->type, "STRING");
}

// Checks after ")": the ")" is the token kept with them.
int variable_checks(block_reader &r, void *entry, void *) {
    var_def *def = static_cast<var_def *>(entry);
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

}  // namespace

const entry_def variable_entry{.keys = &inpvartokens,
                               .equal_msg = "ERROR : Syntax error '=' expected : %s @%d\n",
                               .open_msg = "ERROR : Syntax error '(' expected : %s @%d\n",
                               .size = sizeof(var_def),
                               .init = variable_defaults,
                               .check = variable_checks};

int parse_variables(FILE *fp, var_def *def) {
    variable_defaults(def, nullptr);
    return read_entry(fp, variable_entry, def, nullptr);
}

int word_opens_variable(block_reader &r, void *rec) {
    if (r.kind != TOKEN_WORD) return -1;
    return read_keyword(r, *r.keys->row("VARIABLE"), rec) == 1 ? 1 : 0;
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
    rec->variablename = def.name;
    rec->variabletype = def.type;
    rec->variablevalue = def.value;
    append_record(prnetworkvars, rec);
    return 0;
}

constinit keyword_table_of networkvarstokens =
    variable_block_keys(file_definition<file_networkvar>, "ERROR : Invalid Input : %s @%d %d\n");

}  // namespace

int parse_networkvars(FILE *fp, FILE *, const char *) {
    block_reader r(fp, networkvarstokens);
    if (!r.expect("BEGIN", "ERROR: Keyword 'BEGIN' expected : %s @%d\n")) return 1;
    int sequence = 1;
    return read_attributes(r, &sequence);
}

namespace {

constexpr char kFixedVariable[] =
    "NETWORKVARS BEGIN\n"
    "  VARIABLE = ( NAME = ASNUMBER , MODE = FIXED-ASSIGNED , VALUE = \"65010\" )\n"
    "END\n";
constexpr block_rule networkvars_rules[] = {
    {.text = "Its variables are FIXED-ASSIGNED", .part = "MODE = FIXED-ASSIGNED",
     .instead = "MODE = VARIABLE-UNASSIGNED",
     .message = "Only FIXED-ASSIGNED type of variables are allowd for Network variables",
     .example = kFixedVariable},
    {.part = " , VALUE = \"65010\"", .message = "A value is expected for type STRING", .example = kFixedVariable},
};

constexpr block_unique networkvars_unique[] = {
    {.what = "A VARIABLE's NAME", .within = "the network (every NETWORKVARS block of it)",
     .message = "ERROR Duplicate definition of network variable : %s @%d\n",
     .part = "  VARIABLE = ( NAME = ASNUMBER , MODE = FIXED-ASSIGNED , VALUE = \"65010\" )\n",
     .example = kFixedVariable},
};

const block_doc networkvars_doc{.header = "BEGIN",
                                .example = "NETWORKVARS BEGIN\n"
                                           "END\n",
                                .rules = networkvars_rules,
                                .unique = networkvars_unique};

}  // namespace

block_keys networkvars_keys() { return {&networkvarstokens, &kVariableWord, &networkvars_doc}; }
