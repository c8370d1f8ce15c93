// The NODES block: one node type of a domain. Its properties come as
// variables with reserved names; every other variable is a node variable.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"
#include "validations.h"

namespace {

const value_table RemoteAddrTypes[] = {"STATIC", "DYNAMIC", "PAT", "NONE", ""};
const value_table DeviceTypes[] = {"SWITCH", "ROUTER", ""};
const value_table RoutedProtocols[] = {"IP", "IPX", "BOTH", ""};

const char kTooLong[] = "ERROR: Token length exceeds maximum size: '%s' @ %d\n";

struct node_ctx {
    domain_node_rec *node;
    int sequence = 1;
    bool hostname = false;
    bool nodeid = false;  // a NODEID with a MAXVALUE
    bool extservices = false;
    char services[kText] = "";
    char source[kText] = "";
};

struct reserved_name;
// What a reserved name does with its definition; false: file it as an
// ordinary node variable afterwards.
using reserved_action = bool (*)(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &row);

struct reserved_name {
    const char *name;
    const char *type;  // the type the name demands up front, or null
    reserved_action action;
    int32_t domain_node_rec::*number = nullptr;           // a flag or a count
    text_field<kText> domain_node_rec::*text = nullptr;    // a value of a fixed list
    const value_table *choices = nullptr;
    const char *choice_msg = nullptr;                      // (value, Line)
    const char *doc = "";                                  // what the reference says it is
    const char *example = "";  // its VARIABLE entry after the name, as the reference shows it
};

bool set_flag(block_reader &, var_def &def, node_ctx &ctx, const reserved_name &row) {
    ctx.node->*row.number = std::strcmp(def.value, "TRUE") == 0 ? 1 : 0;
    return true;
}

// MINNODE and MAXNODE are node variables too; the number goes into the node.
// A text that is no number was reported by parse_variables; one beyond 32
// bits gets the number message here, and 0.
bool set_count(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &row) {
    if (!parse_int32(def.value, &(ctx.node->*row.number)) && def.value[0] && checkisnumber(def.value))
        r.flag("ERROR : Invalid value for NUMBER attribute. Must be a number : %s @%d\n", def.value, Line);
    return false;
}

bool set_hostname(block_reader &, var_def &def, node_ctx &ctx, const reserved_name &) {
    // A LIST HOSTNAME is refused like any other LIST variable: no hostname.
    if (std::strcmp(def.type, "LIST") == 0) return false;
    ctx.hostname = true;
    ctx.node->hostname = def.value;
    return false;
}

// A value of a fixed list, upper-cased, stored even when it is not one of
// the list (the message fails the run).
bool set_choice(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &row) {
    converttocap(def.value, def.value, sizeof def.value);
    if (!validate_var(row.choices, def.value)) r.flag(row.choice_msg, def.value, Line);
    if (row.text) ctx.node->*row.text = def.value;
    return true;
}

bool set_routedprotocols(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &row) {
    set_choice(r, def, ctx, row);
    ctx.node->routedprotocols = !std::strcmp(def.value, "IP") ? 0 : !std::strcmp(def.value, "IPX") ? 1 : 2;
    return true;
}

bool set_nodeid(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &) {
    if (std::strcmp(def.type, "RANGE") != 0)
        r.flag("ERROR : The NODEID field has a mandatory type 'RANGE' : %s @%d \n", def.type, Line);
    ctx.node->nodeidstart = variable_bound(def.minvalue);
    ctx.node->maxnode = variable_bound(def.maxvalue);
    if (def.maxvalue[0]) ctx.nodeid = true;
    return true;
}

bool set_extservices(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &) {
    if (std::strcmp(def.type, "LIST") != 0)
        r.flag("ERROR : The EXTSERVICES field has a mandatory type 'LIST' : %s @%d \n", def.type, Line);
    ctx.extservices = true;
    std::memcpy(ctx.services, def.value, sizeof ctx.services);
    return true;
}

bool set_source(block_reader &r, var_def &def, node_ctx &ctx, const reserved_name &) {
    if (std::strcmp(def.type, "STRING") != 0)
        r.flag("ERROR : The SOURCE field has a mandatory type 'STRING' : %s @%d \n", def.type, Line);
    std::memcpy(ctx.source, def.value, sizeof ctx.source);
    return true;
}

using N = domain_node_rec;

// A NUMBER that is also a node variable, its number kept in the node.
constexpr reserved_name count_name(const char *name, int32_t N::*number, const char *doc, const char *example) {
    return {.name = name, .type = "NUMBER", .action = set_count, .number = number, .doc = doc, .example = example};
}
// A BOOLEAN flag of the node type.
constexpr reserved_name flag_name(const char *name, int32_t N::*number) {
    return {.name = name, .type = "BOOLEAN", .action = set_flag, .number = number, .doc = "a flag of the node type",
            .example = "MODE = FIXED-ASSIGNED , TYPE = BOOLEAN , VALUE = FALSE"};
}

// The reserved names, compared exactly (upper case). An action answers true
// when the variable is a property only and is not stored.
const reserved_name kReserved[] = {
    {"HOSTNAME", nullptr, set_hostname, nullptr, nullptr, nullptr, nullptr, "the node's host name; also a node variable",
     "MODE = VARIABLE-UNASSIGNED , TYPE = STRING"},
    {"DEVICETYPE", nullptr, set_choice, nullptr, &N::devicetype, DeviceTypes,
     "ERROR : Invalid value for DEVICETYPE, ('SWITCH' or 'ROUTER' expected) : %s @%d\n", "the kind of device",
     "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\""},
    {"NODEID", nullptr, set_nodeid, nullptr, nullptr, nullptr, nullptr, "of TYPE RANGE: MINVALUE and MAXVALUE bound the node numbers",
     "MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 50"},
    count_name("MINNODE", &N::minnode, "the fewest nodes; also a node variable",
               "MODE = FIXED-ASSIGNED , TYPE = NUMBER , VALUE = 1"),
    count_name("MAXNODE", &N::maxnode, "the most nodes; also a node variable",
               "MODE = FIXED-ASSIGNED , TYPE = NUMBER , VALUE = 50"),
    flag_name("ISCPE", &N::iscpe),
    flag_name("REMOTEACCESS", &N::remoteaccess),
    flag_name("NATINSIDE", &N::natinside),
    flag_name("CONTROLLER", &N::controller),
    {"REMOTEADDRTYPE", nullptr, set_choice, nullptr, &N::remoteaddrtype, RemoteAddrTypes,
     "ERROR : Invalid value for REMOTEADDRTYPE, Valid values are 'STATIC','DYNAMIC' or 'NONE' : %s @%d\n",
     "how remote addresses are given",
     "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"static\""},
    {"NATADDRTYPE", nullptr, set_choice, nullptr, &N::nataddrtype, NatTypes,
     "ERROR : Invalid value for NATADDRTYPE, Valid values are 'STATIC','DYNAMIC','BOTH' or 'NONE'  : %s @%d\n",
     "how NAT addresses are given",
     "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"none\""},
    {"ROUTEDPROTOCOLS", nullptr, set_routedprotocols, nullptr, nullptr, RoutedProtocols,
     "ERROR : Invalid value for ROUTEDPROTOCOLS, ('IP','IPX'  or 'BOTH') : %s @%d\n", "the protocols routed",
     "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"ip\""},
    {"EXTSERVICES", nullptr, set_extservices, nullptr, nullptr, nullptr, nullptr, "of TYPE LIST: the services of the node",
     "MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"DNS\""},
    {"SOURCE", nullptr, set_source, nullptr, nullptr, nullptr, nullptr, "of TYPE STRING",
     "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"lab\""},
    {nullptr, nullptr, nullptr},
};

int file_nodevar(block_reader &r, var_def &def, void *arg) {
    node_ctx &ctx = *static_cast<node_ctx *>(arg);
    domain_node_rec *node = ctx.node;
    if (std::strcmp(def.mode, "DYNAMIC-ASSIGNED") == 0 &&
        !validate_dynamicvar(node->domainname, node->nodetype, def.value)) {
        flag_pending(r);
    }
    if (!validate_var(VariableTypes, def.mode))
        r.flag("ERROR :Syntax error . Invalid mode specified %s @%d\n", def.mode, Line);
    if (!validate_var(DomainVarTypes, def.type))
        r.flag("ERROR : Syntax error . Invalid type specified %s @%d\n", def.type, Line);
    int datatype = 0;
    if (validate_domainnodevar(node->domainname, node->nodetype, def.name, &datatype))
        r.flag("duplicate definition of domain node variable: '%s' @ %d \n", def.name, Line);

    const reserved_name *res = kReserved;
    while (res->name && std::strcmp(res->name, def.name) != 0) ++res;
    if (res->type && std::strcmp(def.type, res->type) != 0) {
        r.flag("ERROR : The %s variable has a mandatory type of %s @%d\n", def.name, res->type, Line);
        if (res->action == set_count) std::strcpy(def.value, "0");
    }
    if (res->name && res->action(r, def, ctx, *res)) return 0;
    // What is to be stored as a node variable (HOSTNAME, MINNODE and MAXNODE
    // included) must not be a LIST.
    if (std::strcmp(def.type, "LIST") == 0) {
        r.flag("ERROR : LIST types are supported only for mandatory fields: %s @%d \n", def.type, Line);
        return 0;
    }

    domain_node_var_rec *rec = alloc_record<domain_node_var_rec>();
    rec->domainname = node->domainname;
    rec->nodetype = node->nodetype;
    rec->sequence = ctx.sequence++;
    fill_variable_record(def, rec);
    append_record(prdomainnodevars, rec);
    return 0;
}

constinit keyword_table_of nodetokens =
    variable_block_keys(file_definition<file_nodevar>, "ERROR : Invalid Input %s @%d \n");

}  // namespace

int parse_nodes(FILE *fp, FILE *, const char *) {
    block_reader r(fp, nodetokens, kEofSpacedMsg);
    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kEofSpacedMsg, Line);
    domain_node_rec *node = alloc_record<domain_node_rec>();
    if (!validate_domain(r.tok)) r.flag("ERROR : Domain undefined :%s @ %d\n", r.tok, Line);
    // Only flagged, but a name that does not fit is refused all the same.
    if (!store_text(node->domainname, r.tok, kName - 1)) r.flag(kTooLong, r.tok, Line);

    auto drop = [node](int result) {
        free_record(node);
        return result;
    };
    if (!r.expect(".", "ERROR :'.' expected as a qualifer for node type : %s @ %d\n")) return drop(1);
    if (!r.read_name(node->nodetype, kName - 1, kTooLong)) return drop(1);
    char devicetype[kName];
    if (validate_node(node->domainname, node->nodetype, devicetype))
        return drop(r.fail("ERROR : Duplicate definition for node :%s @%d\n", r.tok, Line));

    // The node type exists from here on, even if the block stops later.
    node->remoteaddrtype = "NONE";
    node->nataddrtype = "NONE";
    append_record(prdomainnodes, node);
    if (!r.expect("BEGIN", "ERROR :KeyWord 'BEGIN' expected : %s @ %d \n")) return 1;

    node_ctx ctx{node};
    if (read_attributes(r, &ctx)) return 1;
    if (!ctx.hostname || !node->devicetype[0] || !ctx.nodeid)
        r.flag("ERROR : 'DEVICETYPE' , 'HOSTNAME' and 'NODEID' are mandatory fields for nodes :%s @%d \n",
               r.tok, Line);
    if (ctx.extservices && formatSource(node->domainname, node->nodetype, ctx.services, ctx.source)) {
        // The END is the token kept: the driver resumes right after it.
        return fail_pending(r);
    }
    return 0;
}

int formatSource(const char *domainname, const char *nodetype, const char *services, const char *source) {
    // Service names land in a field of 30 characters; a longer one is
    // refused with the size message.
    char item[kName];
    const char *p = services;
    auto space = [](char c) { return c && std::strchr(" \t\n\r\v\f", c); };
    while (*p) {
        while (space(*p)) ++p;
        if (!*p) break;
        size_t n = 0;
        const char *from = p;
        while (std::isalpha(static_cast<unsigned char>(*p)) || *p == '-') ++p;
        n = static_cast<size_t>(p - from);
        if (n >= sizeof item) {
            setmsg("ERROR: token size exceeds datbase field size :  '%.*s' @ %d\n", static_cast<int>(n), from,
                   Line);
            return 1;
        }
        std::memcpy(item, from, n);
        item[n] = '\0';
        if (validate_domainservices(domainname, nodetype, item)) {
            setmsg("ERROR : Duplicate service for node %s %s : %s @ %d\n", domainname, nodetype, item, Line);
            return 1;
        }
        domain_service_rec *rec = alloc_record<domain_service_rec>();
        rec->domainname = domainname;
        rec->nodetype = nodetype;
        rec->servicename = item;
        rec->sourceaddress = source;
        append_record(prdomainservices, rec);
        while (space(*p)) ++p;
        if (!*p) break;
        if (*p != ',') {
            setmsg("ERROR :Invalid format for list attribute : %s @%d\n", services, Line);
            return 1;
        }
        ++p;
    }
    return 0;
}

namespace {

constexpr char kNodesMissing[] = "'DEVICETYPE' , 'HOSTNAME' and 'NODEID' are mandatory fields for nodes";
constexpr block_rule nodes_rules[] = {
    {.text = "Its name is a domain, a dot and a node type: `DOMAIN.TYPE`, the domain defined before it",
     .part = "NODES NORTH.PE", .instead = "NODES WEST.PE"},
    {.text = "Its VARIABLEs must include HOSTNAME, NODEID and DEVICETYPE",
     .part = "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED )\n", .message = kNodesMissing},
    {.part = "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , "
             "MAXVALUE = 50 )\n",
     .message = kNodesMissing},
    {.part = "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , VALUE = \"router\" )\n",
     .message = kNodesMissing},
    {.text = "The value of DEVICETYPE is a device type, in any case", .values = DeviceTypes,
     .part = "\"router\"", .instead = "\"hub\""},
};

// The reserved names as kReserved holds them.
void nodes_lists(reference_out &out) {
    out.text("Variables of these names are the node type's own properties, read as the table says; every other "
             "name is a node variable. The names are compared exactly, in upper case.");
    out.table({"NAME", "TYPE", "VALUE", "what it is"});
    std::string example = "NODES NORTH.PE BEGIN\n";
    for (const reserved_name *n = kReserved; n->name; ++n) {
        out.row({"`" + std::string(n->name) + "`", n->type ? "`" + std::string(n->type) + "`" : std::string(),
                 n->choices ? values_text(n->choices) + " (stored upper case)" : std::string(), n->doc});
        example += "  VARIABLE = ( NAME = " + std::string(n->name) + " , " + n->example + " )\n";
    }
    out.text("Every one of them in one block:");
    out.example(example + "END\n");
}

constexpr block_unique nodes_unique[] = {
    {.what = "Its name, `DOMAIN.TYPE`", .within = "the network",
     .message = "ERROR : Duplicate definition for node :%s @%d\n",
     .means = "the name it quotes is the node type's, without its domain"},
    {.what = "A VARIABLE's NAME (HOSTNAME, MINNODE and MAXNODE too, which are also node variables)",
     .within = "the node type", .message = "duplicate definition of domain node variable: '%s' @ %d \n",
     .part = "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED )\n"},
    {.what = "A service of EXTSERVICES' VALUE", .within = "the node type",
     .message = "ERROR : Duplicate service for node %s %s : %s @ %d\n", .part = "VALUE = \"DNS", .again = ", DNS",
     .example = "NODES NORTH.PE BEGIN\n"
                "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED )\n"
                "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , "
                "MAXVALUE = 50 )\n"
                "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , VALUE = \"router\" )\n"
                "  VARIABLE = ( NAME = EXTSERVICES , MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"DNS\" )\n"
                "END\n"},
};

const block_doc nodes_doc{.header = "DOMAIN.TYPE BEGIN",
                          .needs = "DOMAIN",
                          .example = "NODES NORTH.PE BEGIN\n"
                                     "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED )\n"
                                     "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , "
                                     "MINVALUE = 1 , MAXVALUE = 50 )\n"
                                     "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , VALUE = \"router\" )\n"
                                     "END\n",
                          .rules = nodes_rules,
                          .unique = nodes_unique,
                          .lists = nodes_lists};

}  // namespace

block_keys nodes_keys() { return {&nodetokens, &kVariableWord, &nodes_doc}; }
