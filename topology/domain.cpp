// The DOMAIN block: one domain and the variables every node of it carries.
#include <cstdlib>
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"
#include "validations.h"

namespace {

// The variables every domain must declare, by their exact names.
const char *const kRequired[] = {"COUNTRYCODE", "LOCATIONCODE", "SITENAME"};
constexpr int kRequiredCount = 3;

struct domain_ctx {
    const char *domainname;
    int sequence = 1;
    bool present[kRequiredCount] = {};
};

int file_domainvar(block_reader &r, var_def &def, void *arg) {
    domain_ctx &ctx = *static_cast<domain_ctx *>(arg);
    if (std::strcmp(def.mode, "DYNAMIC-ASSIGNED") == 0 &&
        !validate_dynamicvar(ctx.domainname, "TOKEN", def.value))
        flag_pending(r);
    if (!validate_var(VariableTypes, def.mode))
        r.flag("ERROR: Syntax error . Invalid mode specified :%s @%d\n", def.mode, Line);
    if (!validate_var(DomainVarTypes, def.type))
        r.flag("ERROR: Syntax error . Invalid type specified : %s @%d\n", def.type, Line);
    int datatype = 0;
    if (validate_domainvariable(ctx.domainname, def.name, &datatype))
        r.flag("ERROR : Duplicate definition of domain variable : %s @ %d\n", def.name, Line);
    for (int i = 0; i < kRequiredCount; ++i)
        if (std::strcmp(def.name, kRequired[i]) == 0) ctx.present[i] = true;

    domain_variable_rec *rec = alloc_record<domain_variable_rec>();
    rec->domainname = ctx.domainname;
    rec->sequence = ctx.sequence++;
    fill_variable_record(def, rec);
    append_record(prdomainvariables, rec);
    return 0;
}

}  // namespace

constinit keyword_table_of domaintokens =
    variable_block_keys(file_definition<file_domainvar>, "ERROR : Invalid Input : %s @%d\n");

int32_t variable_bound(const char *text) {
    int32_t n = 0;
    parse_int32(text, &n);
    return n;
}

int parse_domains(FILE *fp, FILE *, const char *) {
    block_reader r(fp, domaintokens, kEofSpacedMsg);
    domain_rec *rec = alloc_record<domain_rec>();
    if (!r.read_name(rec->domainname, kName - 1, "ERROR: Token exceeds maximum size: '%s' @ %d\n")) {
        free_record(rec);
        return 1;
    }
    if (validate_domain(rec->domainname)) {
        free_record(rec);
        return r.fail("ERROR : Duplicate definition of domain: %s @%d \n", r.tok, Line);
    }
    // The domain exists from here on, even if the block stops later.
    append_record(prdomains, rec);
    if (!r.expect("BEGIN", "ERROR : Keyword 'BEGIN' expected: %s @ %d \n")) return 1;

    domain_ctx ctx{rec->domainname};
    if (read_attributes(r, &ctx)) return 1;
    for (bool present : ctx.present) {
        if (present) continue;
        r.flag("ERROR: All mandatory variables for domain '%s' are not given, variables COUNTRYCODE, "
               "LOCATIONCODE and SITENAME are essential: @ %d\n",
               rec->domainname.c_str(), r.start_line);
        break;
    }
    return 0;
}

namespace {

constexpr char kDomainMissing[] = "variables COUNTRYCODE, LOCATIONCODE and SITENAME are essential";
constexpr block_rule domain_rules[] = {
    {.text = "Its VARIABLEs must include COUNTRYCODE, LOCATIONCODE and SITENAME",
     .part = "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , VALUE = \"PT\" )\n",
     .message = kDomainMissing},
    {.part = "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , VALUE = \"OPO\" )\n",
     .message = kDomainMissing},
    {.part = "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED )\n", .message = kDomainMissing},
};

constexpr block_unique domain_unique[] = {
    {.what = "Its name", .within = "the network (the domains loaded and stored)",
     .message = "ERROR : Duplicate definition of domain: %s @%d \n"},
    {.what = "A VARIABLE's NAME", .within = "the domain",
     .message = "ERROR : Duplicate definition of domain variable : %s @ %d\n",
     .part = "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED )\n"},
};

const block_doc domain_doc{.header = "name BEGIN",
                           .example = "DOMAIN NORTH BEGIN\n"
                                      "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , VALUE = \"PT\" )\n"
                                      "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , VALUE = \"OPO\" )\n"
                                      "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED )\n"
                                      "END\n",
                           .rules = domain_rules,
                           .unique = domain_unique};

}  // namespace

block_keys domain_keys() { return {&domaintokens, &kVariableWord, &domain_doc}; }
