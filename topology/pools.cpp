// The POOL-CLASS block (classes of address pools) and the POOL-TYPE block
// (who owns the pools of a service's host types, how hosts communicate and
// the ordered sub-pools).
#include <cstdlib>
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

const value_table communicationtypes[] = {"SRV-CLIENT", "SRV-ANY", "ANY-ANY", ""};
const value_table poolvalidationlist[] = {"NETWORKUNIQUE", "POOLUNIQUE", "NONE", ""};
// VALIDATION of a pool type left out.
constexpr char kPoolValidationUnset[] = "POOLUNIQUE";

constexpr char kOpenMsg[] = "ERROR: Invalid syntax '(' expected @%s  %d\n";
constexpr char kEqualMsg[] = "ERROR: Invalid syntax '=' expected : %s @ %d\n";
constexpr char kEqualSpacedMsg[] = "ERROR : Invalid syntax '=' expected : %s @ %d\n";
constexpr char kClassInvalidMsg[] = "ERROR : Invalid Input %s @%d \n";

// ---- POOL-CLASS BEGIN CLASS = ( NAME = v , DISPLAYNAME = n , ... ) ... END ----

struct class_entry {
    pool_class_rec rec;
    bool named;
    bool displayed;
};

class_entry &class_of(void *entry) { return *static_cast<class_entry *>(entry); }

int class_name(block_reader &r, const keyword_rule &, void *entry) {
    class_entry &c = class_of(entry);
    if (c.named) return r.fail("ERROR: Duplicate token NAME @ %d\n", Line);
    c.named = true;
    if (!c.displayed) c.rec.name = c.rec.value;
    return 0;
}

int class_displayname(block_reader &, const keyword_rule &, void *entry) {
    class_of(entry).displayed = true;
    return 0;
}

// Only the exact text TRUE sets the flag.
int class_default(block_reader &r, const keyword_rule &, void *entry) {
    class_of(entry).rec.isdefault = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

int class_shared(block_reader &r, const keyword_rule &, void *entry) {
    if (!validate_var(Boolean, r.tok))
        r.flag("ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : %s @%d\n", r.tok, Line);
    class_of(entry).rec.isshared = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

// A keyword may come again (NAME excepted): the later value is taken.
constinit keyword_table_of classtokens{
    {
        {.name = "NAME", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(class_entry, rec.value), .repeatable = true, .after = class_name,
         .checks = "once"},
        {.name = "DISPLAYNAME", .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(class_entry, rec.name), .repeatable = true, .after = class_displayname,
         .checks = "the name other blocks give the class by (POOLCLASS, a POOLCLASSMAP's CLASS); NAME when not "
                   "given"},
        // Compared only, never stored as text.
        {.name = "DEFAULT", .length = length_rule::own, .repeatable = true, .after = class_default,
         .checks = "`TRUE` makes the class the default; any other word does not"},
        {.name = "SHAREDCLASS", .maxlen = 30, .length = length_rule::own, .repeatable = true,
         .after = class_shared, .values = Boolean},
        token_row("=", TOKEN_EQUAL),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
    },
    {.style = loop_style::separated,
     .invalid_msg = kClassInvalidMsg,
     .equal_msg = kEqualMsg,
     .separator_msg = "ERROR: Invalid syntax '=' or ')' expected :%s @ %d\n"}};

int class_complete(block_reader &r, void *entry, void *) {
    if (!class_of(entry).named) return r.fail("ERROR : token NAME is not found in CLASS block.@%d \n", Line);
    return 0;
}

int file_class(block_reader &, const keyword_rule &, void *entry, void *) {
    pool_class_rec *rec = alloc_record<pool_class_rec>();
    *rec = class_of(entry).rec;
    free_record(&class_of(entry));
    append_record(prpoolclass, rec);
    return 0;
}

const entry_def class_def{.keys = &classtokens,
                          .eof_msg = kEofSpacedMsg,
                          .equal_msg = kEqualSpacedMsg,
                          .open_msg = kOpenMsg,
                          .size = sizeof(class_entry),
                          .check = class_complete};

constinit keyword_table_of poolclasstokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "CLASS", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &class_def, .file = file_class},
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kClassInvalidMsg, .error_ends = true}};

// ---- POOL-TYPE BEGIN TYPE = ( ... ) SUBPOOLS = "..." POOLTYPEMAP = ( ... ) ... END ----

constexpr int kHostTypes = 10;
constexpr int kSubPools = 9;

// What a TYPE entry states; it lasts until the next TYPE entry.
struct type_entry {
    char servicetype[kName];
    value_table hosttypes[kHostTypes];
    int32_t hostcount;
    char poolowner[kName];
    char validation[kName];
};

struct pooltype_ctx {
    bool typed = false;  // a TYPE entry came before in this block
    type_entry type{};
    value_table subpools[kSubPools] = {};
    int32_t subcount = 0;
};

// Every row of a list holds at most the keyword's longest value.
int check_rows(block_reader &r, const keyword_rule &rule, const value_table *rows, int count) {
    for (int i = 0; i < count; ++i)
        if (std::strlen(rows[i]) > static_cast<size_t>(rule.maxlen)) return r.fail(kTooLongMsg, rows[i], Line);
    return 0;
}

int type_hosttypes(block_reader &r, const keyword_rule &rule, void *entry) {
    type_entry &t = *static_cast<type_entry *>(entry);
    return check_rows(r, rule, t.hosttypes, t.hostcount);
}

int type_validation(block_reader &r, const keyword_rule &, void *entry) {
    if (!validate_var(poolvalidationlist, static_cast<type_entry *>(entry)->validation))
        return r.fail("ERROR: Validation type is not valid: '%s'  @ %d\n", r.tok, Line);
    return 0;
}

constinit keyword_table_of pooltypestypetokens{
    {
        {.name = "SERVICETYPE", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(type_entry, servicetype), .upper = true},
        {.name = "HOSTTYPE", .type = TOKEN_LIST, .mandatory = 1, .maxlen = 30, .kind = value_kind::list,
         .kind_msg = "ERROR : String expected for Interfaces: %s @ %d\n", .equal_msg = kEqualSpacedMsg,
         .field = NDL_ROWS(type_entry, hosttypes, hostcount), .after = type_hosttypes,
         .checks = "host types of the SERVICE-TYPE, each up to 30 characters"},
        {.name = "POOLOWNER", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(type_entry, poolowner)},
        {.name = "VALIDATION", .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(type_entry, validation), .upper = true, .after = type_validation,
         .values = poolvalidationlist, .unset = kPoolValidationUnset},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR : Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: duplicate token : '%s' @ %d\n",
     .equal_msg = kEqualMsg,
     .separator_msg = "ERROR :  ',' or ')' expected : %s @ %d\n"}};

void type_defaults(void *entry, void *) { std::strcpy(static_cast<type_entry *>(entry)->validation, kPoolValidationUnset); }

// After ")": one pool type per host type, then the mandatory keywords.
int type_complete(block_reader &r, void *entry, void *) {
    type_entry &t = *static_cast<type_entry *>(entry);
    for (int i = 0; i < t.hostcount; ++i) {
        const char *hosttype = t.hosttypes[i];
        if (validate_pooltype(t.servicetype, hosttype, t.poolowner))
            r.flag("ERROR: Syntax error. Duplicate definition for pooltype : %s/%s/%s @ %d\n", t.servicetype,
                   hosttype, t.poolowner, Line);
        if (!validate_servicetype(t.servicetype, hosttype))
            r.flag("ERROR : Syntax error. Service type not defined : %s/%s @ %d\n", t.servicetype, hosttype,
                   Line);
        pool_type_rec *rec = alloc_record<pool_type_rec>();
        rec->servicetype = t.servicetype;
        rec->hosttype = hosttype;
        rec->poolowner = t.poolowner;
        rec->validation = t.validation;
        append_record(prpooltypes, rec);
    }
    r.check_mandatory("poolowner", "ERROR: token '%s' is missing in TYPE for POOLTYPE block : @ %d\n",
                      r.start_line);
    return 0;
}

const entry_def type_def{.keys = &pooltypestypetokens,
                         .eof_msg = kEofSpacedMsg,
                         .equal_msg = kEqualSpacedMsg,
                         .open_msg = kOpenMsg,
                         .size = sizeof(type_entry),
                         .init = type_defaults,
                         .check = type_complete};

// The entry becomes the block's current TYPE.
int take_type(block_reader &, const keyword_rule &, void *entry, void *owner) {
    pooltype_ctx &ctx = *static_cast<pooltype_ctx *>(owner);
    ctx.type = *static_cast<type_entry *>(entry);
    ctx.typed = true;
    free_record(static_cast<type_entry *>(entry));
    return 0;
}

int map_communication(block_reader &r, const keyword_rule &, void *) {
    if (!validate_var(communicationtypes, r.tok))
        return r.fail("ERROR: Communication type is not valid: '%s'  @ %d\n", r.tok, Line);
    return 0;
}

int map_hosttype(block_reader &r, const keyword_rule &, void *) {
    if (!validate_hosttype(r.tok)) return r.fail("ERROR: Hosttype is not valid: '%s'  @ %d\n", r.tok, Line);
    return 0;
}

constinit keyword_table_of pooltypesmaptokens{
    {
        {.name = "COMMUNICATION-TYPE", .mandatory = 1, .maxlen = 30,
         .field = NDL_TEXT(com_pool_type_rec, communicationtype), .before = map_communication,
         .values = communicationtypes},
        {.name = "HOSTTYPE", .mandatory = 1, .maxlen = 30, .field = NDL_TEXT(com_pool_type_rec, hosttype),
         .before = map_hosttype, .checks = "a host type of a SERVICE-TYPE"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR : Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token : '%s' @ %d\n",
     .equal_msg = kEqualMsg,
     .separator_msg = "ERROR :  ',' or ')' expected : %s @ %d\n"}};

// The mapping belongs to the last TYPE entry: its service type, and its
// owner as the address mode.
void map_defaults(void *entry, void *owner) {
    com_pool_type_rec &m = *static_cast<com_pool_type_rec *>(entry);
    const type_entry &t = static_cast<pooltype_ctx *>(owner)->type;
    m.networkid = networkid;
    m.servicetype = t.servicetype;
    m.addressmode = t.poolowner;
}

int map_complete(block_reader &r, void *entry, void *) {
    if (!validate_pooltypemapentry(static_cast<com_pool_type_rec *>(entry)))
        r.flag("ERROR : Duplicate  poolttypemap entry @ %d\n", Line);
    r.check_mandatory("pooltypemap", "ERROR: token '%s' is missing in  POOLTYPEMAP block : @ %d\n", Line);
    return 0;
}

int file_map(block_reader &, const keyword_rule &, void *entry, void *) {
    append_record(prpooltypemap, static_cast<com_pool_type_rec *>(entry));
    return 0;
}

const entry_def map_def{.keys = &pooltypesmaptokens,
                        .eof_msg = kEofSpacedMsg,
                        .equal_msg = kEqualSpacedMsg,
                        .open_msg = kOpenMsg,
                        .size = sizeof(com_pool_type_rec),
                        .init = map_defaults,
                        .check = map_complete};

const keyword_rule map_row{.name = "POOLTYPEMAP", .type = TOKEN_GROUP, .kind = value_kind::entry,
                           .entry = &map_def, .file = file_map};

// One sequence per (host type, sub-pool) of the current TYPE; before any
// TYPE nothing is stored.
int file_subpools(block_reader &r, const keyword_rule &rule, void *owner) {
    pooltype_ctx &ctx = *static_cast<pooltype_ctx *>(owner);
    if (check_rows(r, rule, ctx.subpools, ctx.subcount)) return 1;
    if (!ctx.typed) return 0;
    const type_entry &t = ctx.type;
    for (int h = 0; h < t.hostcount; ++h) {
        const char *hosttype = t.hosttypes[h];
        if (!validate_pooltype(t.servicetype, hosttype, t.poolowner))
            r.flag("ERROR : Pool type not defined - servicename/hosttype/owner : %s %s  %s @ %d\n", t.servicetype,
                   hosttype, t.poolowner, Line);
        for (int i = 0; i < ctx.subcount; ++i) {
            pool_sequence_rec *rec = alloc_record<pool_sequence_rec>();
            rec->servicetype = t.servicetype;
            rec->poolowner = t.poolowner;
            rec->hosttype = hosttype;
            rec->sequence = i + 1;
            rec->variablename = ctx.subpools[i];
            append_record(prpoolsequence, rec);
        }
    }
    return 0;
}

// A mapping needs a TYPE before it: checked ahead of its "=".
int open_map(block_reader &r, void *owner) {
    if (r.kind != TOKEN_GROUP || !r.is(map_row.name)) return -1;
    set_foundflag(r.table, map_row.name);
    if (!static_cast<pooltype_ctx *>(owner)->typed)
        return r.fail("ERROR : Please specify servicetype before mapping @ %d \n", Line);
    return read_keyword(r, map_row, owner) == 1 ? 1 : 0;
}

// Every keyword may come again; the found flags serve the mandatory check.
constinit keyword_table_of pooltypestokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "TYPE", .type = TOKEN_GROUP, .mandatory = 1, .kind = value_kind::entry, .repeatable = true,
         .entry = &type_def, .file = take_type},
        {.name = "SUBPOOLS", .type = TOKEN_LIST, .mandatory = 1, .maxlen = 30, .kind = value_kind::list,
         .field = NDL_ROWS(pooltype_ctx, subpools, subcount), .repeatable = true, .after = file_subpools,
         .checks = "after a TYPE, whose service type, host types and owner it pools; items up to 30 characters"},
        // Read by open_map, which checks for a TYPE first.
        with_entry(token_row("POOLTYPEMAP", TOKEN_GROUP, 30), &map_def, "`POOLTYPEMAP = ( ... )`, after a TYPE"),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "ERROR : Invalid Input %s @%d %d\n", .equal_msg = kEqualSpacedMsg, .error_ends = true,
     .other = open_map,
     .others = "Before any `TYPE`, `POOLTYPEMAP` is refused with \"ERROR : Please specify servicetype before "
               "mapping\". Any other word is refused with \"ERROR : Invalid Input\"."}};

}  // namespace

int parse_poolclass(FILE *fp, FILE *, const char *) {
    block_reader r(fp, poolclasstokens, kEofSpacedMsg);
    if (!r.expect("BEGIN", kEofSpacedMsg, false)) return 1;
    return read_attributes(r, nullptr);
}

int parse_pooltypes(FILE *fp, FILE *, const char *) {
    block_reader r(fp, pooltypestokens, kEofSpacedMsg);
    if (!r.expect("BEGIN", kEofSpacedMsg, false)) return 1;
    pooltype_ctx ctx;
    if (read_attributes(r, &ctx)) return 1;
    r.check_mandatory("pooltypes", "ERROR: token '%s' not found in POOLTYPES block @ %d\n", r.start_line);
    return 0;
}

namespace {

constexpr block_unique poolclass_unique[] = {
    {.what = "NAME (its other keywords may repeat, the later value taken)", .within = "a CLASS entry",
     .message = "ERROR: Duplicate token NAME @ %d\n", .part = "NAME = GOLD", .again = " , NAME = SILVER"},
};

const block_doc poolclass_doc{.header = "BEGIN",
                              .example = "POOL-CLASS BEGIN\n"
                                         "  CLASS = ( NAME = GOLD )\n"
                                         "END\n",
                              .unique = poolclass_unique};

constexpr block_rule pooltype_rules[] = {
    {.text = "A TYPE names a service type and host types that a SERVICE-TYPE block defined",
     .part = "SERVICETYPE = VPN", .instead = "SERVICETYPE = DIA", .message = "Service type not defined"},
};

constexpr char kPoolTypeLine[] = "  TYPE = ( SERVICETYPE = VPN , HOSTTYPE = \"CE\" , POOLOWNER = PROVIDER )\n";
constexpr block_unique pooltype_unique[] = {
    {.what = "A TYPE's SERVICETYPE, each of its HOSTTYPE and its POOLOWNER", .within = "the network",
     .message = "ERROR: Syntax error. Duplicate definition for pooltype : %s/%s/%s @ %d\n", .part = kPoolTypeLine},
    {.what = "A POOLTYPEMAP's HOSTTYPE and COMMUNICATION-TYPE with the service type of the TYPE before it",
     .within = "the network", .message = "ERROR : Duplicate  poolttypemap entry @ %d\n", .part = kPoolTypeLine,
     .again = "  POOLTYPEMAP = ( COMMUNICATION-TYPE = SRV-CLIENT , HOSTTYPE = CE )\n"
              "  POOLTYPEMAP = ( COMMUNICATION-TYPE = SRV-CLIENT , HOSTTYPE = CE )\n"},
};

const block_doc pooltype_doc{.header = "BEGIN",
                             .before = "SERVICE-TYPE VPN BEGIN\n"
                                       "  SERVICENAME = Corporate\n"
                                       "  HOSTTYPE = \"CE\"\n"
                                       "END\n",
                             .example = "POOL-TYPE BEGIN\n"
                                        "  TYPE = ( SERVICETYPE = VPN , HOSTTYPE = \"CE\" , POOLOWNER = PROVIDER )\n"
                                        "  SUBPOOLS = \"WAN\"\n"
                                        "END\n",
                             .rules = pooltype_rules,
                             .unique = pooltype_unique};

}  // namespace

block_keys poolclass_keys() { return {&poolclasstokens, nullptr, &poolclass_doc}; }
block_keys pooltypes_keys() { return {&pooltypestokens, nullptr, &pooltype_doc}; }
