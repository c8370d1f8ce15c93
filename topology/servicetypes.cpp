// The SERVICE-TYPE block: one service the network sells, the kinds of hosts
// that take addresses from it and the variables of the service.
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"
#include "validations.h"

namespace {

constexpr int kHostTypes = 10;

struct servicetype_ctx {
    service_type_name_rec *name = nullptr;
    int sequence = 1;
    char servicename[kName] = "";
    value_table hosttypes[kHostTypes] = {};
    int32_t hostcount = 0;
};

servicetype_ctx &ctx_of(void *rec) { return *static_cast<servicetype_ctx *>(rec); }

int file_hosttypes(block_reader &r, const keyword_rule &rule, void *rec) {
    servicetype_ctx &ctx = ctx_of(rec);
    const char *servicetype = ctx.name->servicetype;
    for (int i = 0; i < ctx.hostcount; ++i) {
        const char *hosttype = ctx.hosttypes[i];
        if (std::strlen(hosttype) > static_cast<size_t>(rule.maxlen)) return r.fail(kTooLongMsg, hosttype, Line);
        if (validate_servicetype(servicetype, hosttype))
            r.flag("ERROR :Duplicate servicename/hosttype : %s %s @ %d\n", servicetype, hosttype, Line);
        service_type_rec *st = alloc_record<service_type_rec>();
        st->servicetype = servicetype;
        st->hosttype = hosttype;
        append_record(prservicetypes, st);
    }
    return 0;
}

// The name is checked against every service type, this one's included,
// before it becomes this block's.
int take_servicename(block_reader &r, const keyword_rule &, void *rec) {
    servicetype_ctx &ctx = ctx_of(rec);
    if (validate_servicedispname(ctx.servicename))
        r.flag("ERROR: Service name already exists: '%s' @ %d\n", ctx.servicename, Line);
    ctx.name->servicename = ctx.servicename;
    return 0;
}

int file_servicetypevar(block_reader &r, var_def &def, void *owner) {
    servicetype_ctx &ctx = ctx_of(owner);
    const char *servicetype = ctx.name->servicetype;
    if (std::strcmp(def.mode, "DYNAMIC-ASSIGNED") == 0)
        r.flag("ERROR :Syntax error . DYNAMIC-ASSIGNED type not allowed for servicetype variables %s @%d\n",
               def.name, Line);
    if (!validate_var(VariableTypes, def.mode))
        r.flag("ERROR: Syntax error . Invalid mode specified %s @%d\n", def.mode, Line);
    if (!validate_var(DomainVarTypes, def.type))
        r.flag("ERROR: Synatx error . Invalid type specified %s @%d\n", def.type, Line);
    if (validate_servicetypevar(servicetype, def.name))
        r.flag("ERROR : Duplicate definition of servicetype variable  :%s @%d\n", def.name, Line);

    service_type_var_rec *rec = alloc_record<service_type_var_rec>();
    rec->servicetype = servicetype;
    rec->sequence = ctx.sequence++;
    fill_variable_record(def, rec);
    append_record(prservicetypevars, rec);
    return 0;
}

constexpr char kEqualMsg[] = "ERROR : Invalid syntax '=' expected: %s @%d\n";

// Every keyword may come again: the later value is taken.
constinit keyword_table_of servicetypestokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "SERVICENAME", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail,
         .field = NDL_TEXT(servicetype_ctx, servicename), .repeatable = true, .after = take_servicename,
         .checks = "a name no other SERVICE-TYPE has"},
        {.name = "HOSTTYPE", .type = TOKEN_LIST, .maxlen = 30, .kind = value_kind::list,
         .kind_msg = "ERROR : String expected for HOSTTYPE'S: %s @ %d\n",
         .field = NDL_ROWS(servicetype_ctx, hosttypes, hostcount), .repeatable = true,
         .after = file_hosttypes,
         .checks = "host types not given before for the service type, each up to 30 characters"},
        {.name = "VARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &variable_entry, .file = file_definition<file_servicetypevar>},
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "ERROR : Invalid Input : %s @%d \n", .equal_msg = kEqualMsg}};

constexpr char kServiceEofMsg[] = "ERROR :Unexpected end of file @ %d \n";

}  // namespace

int parse_servicetypes(FILE *fp, FILE *, const char *) {
    block_reader r(fp, servicetypestokens, kServiceEofMsg);
    r.read_upper();
    if (r.kind == TOKEN_ERROR) return r.fail(kServiceEofMsg, Line);
    if (!validate_var(ServiceTypes, r.tok))
        return r.fail("ERROR :Syntax error . Invalid service type specified :%s @%d\n", r.tok, Line);
    if (validate_servicename(r.tok)) return r.fail("ERROR: Service type already exists: '%s' @ %d \n", r.tok, Line);

    // The service type counts as defined from here on, even if the block
    // stops later.
    servicetype_ctx ctx;
    ctx.name = alloc_record<service_type_name_rec>();
    ctx.name->servicetype = r.tok;  // one of ServiceTypes: it fits
    append_record(prservicetypenames, ctx.name);
    if (!r.expect("BEGIN", "ERROR : KeyWord 'BEGIN' expected : %s @ %d \n")) return 1;

    if (read_attributes(r, &ctx)) return 1;
    if (!ctx.name->servicename[0])
        r.flag("ERROR: Attribute SERVICENAME not given for SERVICE-TYPES : @ %d\n", r.start_line);
    return 0;
}

namespace {

constexpr block_rule servicetype_rules[] = {
    {.text = "Its name is a service type", .values = ServiceTypes, .part = "SERVICE-TYPE VPN",
     .instead = "SERVICE-TYPE XYZ", .message = "Invalid service type specified"},
};

constexpr block_unique servicetype_unique[] = {
    {.what = "Its name, the service type", .within = "the network",
     .message = "ERROR: Service type already exists: '%s' @ %d \n"},
    {.what = "SERVICENAME", .within = "the network (every SERVICE-TYPE, and a SERVICENAME given again in its own)",
     .message = "ERROR: Service name already exists: '%s' @ %d\n",
     .again = "SERVICE-TYPE DIA BEGIN\n  SERVICENAME = Corporate\nEND\n"},
    {.what = "A host type of HOSTTYPE", .within = "the service type",
     .message = "ERROR :Duplicate servicename/hosttype : %s %s @ %d\n", .part = "  SERVICENAME = Corporate\n",
     .again = "  HOSTTYPE = \"router, router\"\n"},
    {.what = "A VARIABLE's NAME", .within = "the service type",
     .message = "ERROR : Duplicate definition of servicetype variable  :%s @%d\n",
     .part = "  SERVICENAME = Corporate\n",
     .again = "  VARIABLE = ( NAME = TIER , MODE = FIXED-ASSIGNED , VALUE = \"gold\" )\n"
              "  VARIABLE = ( NAME = TIER , MODE = FIXED-ASSIGNED , VALUE = \"gold\" )\n"},
};

const block_doc servicetype_doc{.header = "name BEGIN",
                                .example = "SERVICE-TYPE VPN BEGIN\n"
                                           "  SERVICENAME = Corporate\n"
                                           "END\n",
                                .rules = servicetype_rules,
                                .unique = servicetype_unique};

}  // namespace

block_keys servicetypes_keys() { return {&servicetypestokens, nullptr, &servicetype_doc}; }
