// Value types, dotted addresses over variables, interface references, IP
// function arguments and address-function expressions with their context
// prefixes. Nothing is computed or stored: each check answers and leaves
// its message in g_errormsg.
#include <cstring>
#include <string>

#include "evaluator.h"
#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "runstate.h"
#include "validations.h"
#include "valtext.h"

using valtext::is_one_of;
using valtext::split;

int inet_pton4(const char *src, unsigned char *dst) {
    unsigned char octets[4] = {0, 0, 0, 0};
    int started = 0;
    bool saw_digit = false;
    for (; *src; ++src) {
        char c = *src;
        if (c >= '0' && c <= '9') {
            if (!saw_digit) {
                if (++started > 4) return 0;
                saw_digit = true;
            }
            unsigned value = octets[started - 1] * 10u + static_cast<unsigned>(c - '0');
            if (value > 255) return 0;
            octets[started - 1] = static_cast<unsigned char>(value);
        } else if (c == '.' && saw_digit && started < 4) {
            saw_digit = false;
        } else {
            return 0;
        }
    }
    if (started < 4 || !saw_digit) return 0;
    std::memcpy(dst, octets, 4);
    return 1;
}

// ---- tables ----

namespace {
struct datatype_entry {
    const char *name;
    int code;
};
const datatype_entry vardatatypes[] = {
    {"NUMBER", 12}, {"RANGE", 12},  {"DYNAMIC-LIST", 12}, {"STATIC-LIST", 17},
    {"STRING", 11}, {"BOOLEAN", 13}, {nullptr, 0},
};
}  // namespace

const function_entry Functions[] = {
    {"LOCALIP", 1, 1},       {"EACHLOCALIP", 1, 1},     {"IP", 1, 2},
    {"EACHIP", 1, 2},        {"LOCALINT", 2, 1},        {"EACHLOCALINT", 2, 1},
    {"INT", 2, 2},           {"INTNO", 2, 2},           {"LOCALINTNO", 2, 2},
    {"EACHINTNO", 2, 2},     {"EACHLOCALINTNO", 2, 2},  {"EACHINT", 2, 2},
    {"EACHLOCALVAR", 3, 1},  {"LOCALVAR", 3, 1},        {"EACHVAR", 3, 2},
    {"VAR", 3, 2},           {"EVALIP", 1, 2},          {"AGGR", 1, 2},
    {"AGGRBYNODE", 1, 2},    {"AGGRBYCONN", 1, 2},      {"AGGRBYAPPL", 1, 2},
    {"AGGRBYPOOL", 1, 2},    {"BESTFIT", 1, 2},         {"LOCALEVALIP", 1, 1},
    {"LOCALAGGR", 1, 1},     {"LOCALAGGRBYNODE", 1, 1}, {"LOCALAGGRBYCONN", 1, 1},
    {"LOCALAGGRBYPOOL", 1, 1}, {"LOCALAGGRBYAPPL", 1, 1}, {"LOCALBESTFIT", 1, 1},
    {"CONVERTFIP", 1, 1},    {"CONVERTLIP", 1, 1},      {"CONVERTUIP", 1, 1},
    {"", 0, 0},
};

const value_table ServiceTypes[] = {"VPN", "DIA", "DIAL-IN", "NOC", ""};
const value_table NatTypes[] = {"STATIC", "DYNAMIC", "BOTH", "PAT", "NONE", ""};

// ---- text pieces ----

namespace valtext {

std::vector<std::string> split(std::string_view text, char sep) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(sep, start);
        parts.emplace_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return parts;
}

bool is_one_of(std::string_view word, std::initializer_list<const char *> words) {
    for (const char *w : words)
        if (word == w) return true;
    return false;
}

bool is_digits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int compare_digits(std::string_view a, std::string_view b) {
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

void copy_field(char *dest, size_t size, std::string_view src) {
    size_t n = std::min(src.size(), size - 1);
    std::memcpy(dest, src.data(), n);
    dest[n] = '\0';
}

bool in_table(const value_table *table, const std::string &word) {
    return word.size() <= kTextMax && validate_var(table, word.c_str());
}

int read_expression(const expr_dialect &d, const char *domainname, const char *nodetype,
                    char *remotedomain, char *remotenode, const char *text, int *connlist,
                    expr_call *call) {
    std::string_view s(text);
    std::string ctxdom = remotedomain[0] ? remotedomain : domainname;
    std::string ctxnode = remotedomain[0] ? remotenode : nodetype;
    // The first prefix moves away from the local node, each later one from
    // the node of the prefix before it.
    std::string prevdom = domainname, prevnode = nodetype;
    int state = 0;  // 0 start, 1 after a prefix
    size_t i = 0;
    for (;;) {
        while (i < s.size() && s[i] == ' ') ++i;
        if (i == s.size()) {
            setmsg("ERROR : function name expected : %s @%d \n", text, Line);
            return 0;
        }
        char c = s[i];
        if (c == '$' || c == '#' || c == '@') {
            if (c != '@' && state == 1) {
                setmsg(d.msg_prefix_after_prefix, text, Line);
                return 0;
            }
            size_t dot = s.find('.', i + 1);
            if (dot == std::string_view::npos) {
                setmsg(d.msg_no_dot, text, Line);
                return 0;
            }
            std::string dom(s.substr(i + 1, dot - i - 1));
            if (!fits_name(dom) || !validate_domain(dom.c_str())) {
                setmsg("ERROR : Invalid domainname specified : %s @%d \n", dom.c_str(), Line);
                return 0;
            }
            size_t end = s.find_first_of(".@", dot + 1);
            if (end == std::string_view::npos) end = s.size();
            std::string node(s.substr(dot + 1, end - dot - 1));
            char devicetype[kName];
            if (!fits_name(node) || !validate_node(dom.c_str(), node.c_str(), devicetype)) {
                setmsg("ERROR : Invalid domainname/nodetype specified : %s,%s @%d \n", dom.c_str(),
                       node.c_str(), Line);
                return 0;
            }
            i = (end < s.size() && s[end] == '.') ? end + 1 : end;
            if (c == '@' || !d.prefix_at_only_connects) {
                int n = updateconnlist(prevdom.c_str(), prevnode.c_str(), dom.c_str(), node.c_str(),
                                       connlist);
                if (n < 0) return 0;
                if (n == 0) {
                    if (d.node_pair_in_no_connection)
                        setmsg(d.msg_no_connection, prevdom.c_str(), prevnode.c_str(), dom.c_str(),
                               node.c_str(), text, Line);
                    else
                        setmsg(d.msg_no_connection, text, Line);
                    return 0;
                }
            }
            copy_field(remotedomain, kName, dom);
            copy_field(remotenode, kName, node);
            ctxdom = prevdom = dom;
            ctxnode = prevnode = node;
            state = 1;
            continue;
        }
        size_t open = s.find('(', i);
        if (open == std::string_view::npos) {
            setmsg("ERROR : Function name expected : %s @ %d\n", std::string(s.substr(i)).c_str(),
                   Line);
            return 0;
        }
        call->name = std::string(s.substr(i, open - i));
        if (!fits_name(call->name) ||
            !validate_func(d.functions, call->name.c_str(), &call->kind, &call->scope)) {
            setmsg(d.msg_bad_function, call->name.c_str(), Line);
            return 0;
        }
        size_t first = s.find_first_not_of(' ', open + 1);
        size_t last = s.find_last_not_of(' ');
        if (first == std::string_view::npos || last < first || s[last] != ')') {
            setmsg("ERROR : ')' expected @ %d\n", Line);
            return 0;
        }
        // Blanks before the ")" go with it.
        std::string_view args = s.substr(first, last - first);
        while (!args.empty() && args.back() == ' ') args.remove_suffix(1);
        call->args = std::string(args);
        call->domain = ctxdom;
        call->node = ctxnode;
        return 1;
    }
}

}  // namespace valtext

// ---- value types ----

int getdatatypes(const char *name, int *code) {
    *code = 0;
    for (const datatype_entry *e = vardatatypes; e->name; ++e)
        if (std::strcmp(e->name, name) == 0) {
            *code = e->code;
            return 1;
        }
    return 0;
}

namespace {

int32_t not_a_number(const list_value_rec &r) { return checkisnumber(r.elementvalue) ? 0 : 1; }
lookup::keyed_index<list_value_rec, &list_value_rec::listname, not_a_number> listvalues_by_kind(prlistvalues);

}  // namespace

int check_listtype(const char *listname, int *code) {
    if (*code != 17) return 1;
    // A list with an element that is no number stays a list of texts.
    if (listvalues_by_kind.find(listname, 1)) return 1;
    *code = 12;
    return 1;
}

int validate_func(const function_entry *table, const char *name, int *kind, int *scope) {
    for (const function_entry *e = table; e->name[0]; ++e)
        if (std::strcmp(e->name, name) == 0) {
            *kind = e->kind;
            *scope = e->scope;
            return 1;
        }
    return 0;
}

// ---- addresses ----

namespace {

// Whether an address variable is a NUMBER of one of the listed connections
// or of the node: 0 with the message when it is not.
int check_address_variable(const char *domainname, const char *nodetype, const int *connlist,
                           const char *name) {
    int type = 0;
    bool found = false;
    for (const int *c = connlist; c && *c >= 1 && !found; ++c)
        found = validate_domainconnvars(*c, name, &type);
    if (!found) found = nodevar_exists(domainname, nodetype, name, &type);
    if (!found) {
        setmsg("ERROR: variable  '%s' is not defined in the context:  @ %d\n", name, Line);
        return 0;
    }
    if (type != DT_NUMBER) {
        setmsg("ERROR: variable '%s' is not of type 'NUMBER': @ %d\n", name, Line);
        return 0;
    }
    return 1;
}

}  // namespace

int validate_ipaddress(const char *domainname, const char *nodetype, const int *connlist,
                       const char *address, value_table *names, int *count) {
    std::vector<std::string> parts = split(address);
    if (parts.empty() || parts[0].empty()) {
        setmsg("ERROR: Invalid format for ipaddress : %s @%d\n", address, Line);
        return 1;
    }
    for (std::string &part : parts) {
        for (char &c : part)
            if (c == '/') c = '+';
        resetVariables();
        if (evaluateExpression(part.c_str()) != 0) {
            setmsg("ERROR: Invalid format for ipaddress : %s @%d\n", address, Line);
            return 1;
        }
        for (int v = 0; v < nVariables; ++v) {
            const char *name = variable[v].name;
            if (!check_address_variable(domainname, nodetype, connlist, name)) return 1;
            if (*count >= kAddrVarNames) {
                setmsg("ERROR: Too many variables in ipaddress : %s @%d\n", address, Line);
                return 1;
            }
            valtext::copy_field(names[(*count)++], kText, name);
        }
        if (valtext::is_digits(part) && valtext::compare_digits(part, "255") > 0) {
            setmsg("IPaddress octet has value > 255 @ %d\n", Line);
            return 1;
        }
    }
    if (parts.size() != 4) {
        setmsg("ERROR: Invalid ip address format. Number of octets neq 4  : %s @%d\n", address, Line);
        return 1;
    }
    *count = 0;
    return 0;
}

int validate_ipaddr(const char *domainname, const char *nodetype, const char *address,
                    const int *connlist) {
    unsigned char bytes[4];
    if (inet_pton4(address, bytes)) return 1;
    value_table names[kAddrVarNames];
    int count = 0;
    return validate_ipaddress(domainname, nodetype, connlist, address, names, &count) == 0;
}

// ---- interface references ----

int validate_int(const char *domainname, const char *nodetype, const char *reference,
                 const char * /*funcname*/, const int * /*connlist*/) {
    std::vector<std::string> p = split(reference);
    if (p.empty()) return 1;
    size_t n = p.size();
    bool ok = false;
    if (p[0] == "CONN" && (n == 2 || n == 3)) {
        if (!conn_exists(domainname, nodetype, p[1].c_str())) {
            setmsg("ERROR. Invalid connection name in interface function : %s  @%d\n", p[1].c_str(),
                   Line);
            return 0;
        }
        ok = n == 2 || p[2] == "LOOPBACKN";
    } else if (p[0] == "INTERFACE") {
        ok = n == 2;
    } else if (is_one_of(p[0], {"RP", "BSR", "MAPAGENT"})) {
        ok = n == 1;
    }
    if (!ok) setmsg("ERROR. Invalid specfication for interface : %s @%d\n", reference, Line);
    return ok;
}

// ---- IP function arguments ----

namespace {

// CONNECTIONPOOL.pool[.instance variables...]
int check_connectionpool(const char *domainname, const char *nodetype,
                         const std::vector<std::string> &p) {
    if (p.size() < 2) {
        setmsg("ERROR. Invalid format for connection pool (Connection Name expected) @%d\n", Line);
        return 0;
    }
    std::string pool;
    char endpoint[kText];
    if (p[1].compare(0, 8, "LOOPBACK") == 0) {
        pool = std::string(domainname) + ":" + nodetype + ":" + p[1];
    } else if (p[1].size() <= valtext::kTextMax && validate_domainconntypes(p[1].c_str())) {
        pool = p[1];
    } else if (p[1].size() <= valtext::kTextMax && validate_domainconnpools(p[1].c_str(), endpoint)) {
        pool = endpoint;
    }
    // A joined loopback name that would not fit a pool name is no pool either.
    if (pool.empty() || pool.size() > valtext::kTextMax) {
        setmsg("ERROR: Invalid connection pool: '%s' @ %d\n", p[1].c_str(), Line);
        return 0;
    }
    for (size_t i = 2; i < p.size(); ++i)
        if (!validate_conninstvars(pool.c_str(), p[i].c_str())) {
            setmsg("ERROR: Invalid connection pool variable : %s @%d\n", p[i].c_str(), Line);
            return 0;
        }
    return 1;
}

int check_poolvars(const std::vector<std::string> &p, size_t from) {
    for (size_t i = from; i < p.size(); ++i)
        if (!validate_anycommunitypoolvar(p[i].c_str())) {
            setmsg("ERROR: Invalid community pool variable : %s @%d\n", p[i].c_str(), Line);
            return 0;
        }
    return 1;
}

// POOL.servicetype.communication.subscription.hosttype.nattype.x.poolvars...
// The value may stop after any part.
int check_communitypool(const std::vector<std::string> &p, const char *whole) {
    size_t n = p.size();
    if (n > 1 && p[1] != "ALL" && !valtext::in_table(ServiceTypes, p[1])) {
        setmsg("ERROR: Invalid format for community pool (servicetype) expected) : '%s' @%d\n", whole,
               Line);
        return 0;
    }
    if (n > 2 && !is_one_of(p[2], {"SRV-ANY", "ANY-ANY", "ALL", "SRV-CLIENT"})) {
        setmsg("ERROR: Invalid community pool communication type: %s @%d\n", p[2].c_str(), Line);
        return 0;
    }
    if (n > 3 && !is_one_of(p[3], {"ALL", "HOST-HOST", "SERVER-HOST", "SUBS", "AUTO"})) {
        setmsg("ERROR: Invalid community pool subs type : %s @%d\n", p[3].c_str(), Line);
        return 0;
    }
    if (n > 4 && p[4] != "ALL" && !(valtext::fits_name(p[4]) && validate_hosttype(p[4].c_str()))) {
        setmsg("ERROR: Invalid community pool host type : %s @%d\n", p[4].c_str(), Line);
        return 0;
    }
    if (n > 5 && p[5] != "ALL" && !valtext::in_table(NatTypes, p[5])) {
        setmsg("ERROR: Invalid community pool NATTYPE : %s @%d\n", p[5].c_str(), Line);
        return 0;
    }
    return check_poolvars(p, 7);
}

// NAMEDCOMMPOOL.x.communityname.x.x.poolvars...
int check_namedcommpool(const std::vector<std::string> &p) {
    if (p.size() > 2 && p[2].empty()) {
        setmsg("ERROR: Invalid NAMEDCOMMPOOL attribute, communityname expected:  @ %d\n", Line);
        return 0;
    }
    return check_poolvars(p, 5);
}

// Forms whose further parts are only counted: at most `most` of them.
struct counted_form {
    const char *words[9];  // ends with a null
    size_t least, most;  // further parts
    const char *message;
    bool names_word;  // the message quotes the function word before the text
};
const counted_form counted_forms[] = {
    {{"LOCALSERVER", "LOCALCLIENT", "REMOTESERVER", "REMOTECLIENT", "REGLOCALCLIENT",
      "REGREMOTECLIENT", "REGLOCALSERVER", "REGREMOTESERVER"},
     0, 3, "ERROR: Invalid syntax for arguments (application.priority) expected: '%s' @ %d\n", false},
    {{"SERVER", "EXTSERVER"}, 0, 2,
     "ERROR: Invalid syntax for service. Arguments  expected: '%s' @ %d\n", false},
    {{"SUBSCOMM"}, 1, 1,
     "ERROR: Invalid specification for SUBSCOMM function (SUBSCOMM.NAME) expected: %s  @%d\n", false},
    {{"SNMPROSTRING", "SNMPRWSTRING"}, 2, 2,
     "ERROR: Invalid specification for '%s' function (SUBSCOMM.NAME.roletype) expected: %s  @%d\n",
     true},
};

}  // namespace

int validate_ip(const char *domainname, const char *nodetype, const char *arguments,
                const char *funcname, const int *connlist) {
    if (!arguments[0]) {
        if (connlist && connlist[0] >= 1) return 1;
        setmsg("ERROR: Function should have valid parameter if remote connection context is not set: "
               "'%s' @ %d\n",
               funcname, Line);
        return 0;
    }
    std::vector<std::string> p = split(arguments);
    const std::string &w = p[0];
    size_t n = p.size();
    if (w == "CONN") {
        if (n < 2 || n > 3) {
            setmsg("ERROR :Invalid specification of CONN attribute : %s @%d\n", arguments, Line);
            return 0;
        }
        if (!conn_exists(domainname, nodetype, p[1].c_str())) {
            setmsg("ERROR: Invalid connectionname specified for domain (%s) nodetype (%s) with CONN "
                   "attribute :%s @%d\n",
                   domainname, nodetype, p[1].c_str(), Line);
            return 0;
        }
        if (n == 3 && p[2] != "LOOPBACKN") {
            setmsg("ERROR :Invalid specification of CONN attribute : %s @%d\n", arguments, Line);
            return 0;
        }
        return 1;
    }
    if (w == "INTERFACE") return 1;
    if (w == "INTSERVICE") {
        if (n < 2) {
            setmsg("ERROR: Invalid specification of INTSERVICE attribute (ALL/service name expected) "
                   "@%d\n",
                   Line);
            return 0;
        }
        if (p[1] != "ALL" && !validate_domainservices(domainname, nodetype, p[1].c_str())) {
            setmsg("ERROR: Invalid specfication for service name : %s @%d\n", p[1].c_str(), Line);
            return 0;
        }
        return 1;
    }
    if (is_one_of(w, {"NAT", "PRIVATE", "LOCAL", "ALLNAT", "ALLPRIVATE", "ALLLOCAL"})) {
        if (n < 2 || (p[1] != "ALL" && !valtext::in_table(NatTypes, p[1]))) {
            setmsg("ERROR: Invalid specfication nat/local/private (ALL/STATIC/DYNAMIC/PAT is expected) "
                   "@%d\n",
                   Line);
            return 0;
        }
        if (n > 2) {
            setmsg("ERROR: Invalid specfication nat/local/private : %s @%d\n", p[2].c_str(), Line);
            return 0;
        }
        return 1;
    }
    if (w == "CONNECTIONPOOL") return check_connectionpool(domainname, nodetype, p);
    if (w == "NAMEDCOMMPOOL") return check_namedcommpool(p);
    if (is_one_of(w, {"GLOBALPOOL", "COMMPOOL", "AUTOCOMMPOOL", "NOTSUBSCOMMPOOL", "SUBSCOMMPOOL",
                      "SUBSAUTOCOMMPOOL"}))
        return check_communitypool(p, arguments);
    for (const counted_form &f : counted_forms) {
        bool named = false;
        for (const char *const *word = f.words; *word && !named; ++word) named = w == *word;
        if (!named) continue;
        if (n - 1 >= f.least && n - 1 <= f.most) return 1;
        if (f.names_word) setmsg(f.message, w.c_str(), arguments, Line);
        else setmsg(f.message, arguments, Line);
        return 0;
    }
    if (is_one_of(w, {"RP", "BSR", "MAPAGENT", "GROUPID"})) {
        if (n == 1) return 1;
        if (w == "GROUPID")
            setmsg("ERROR: Invalid specification for 'GROUPID' function: %s  @%d\n", p[1].c_str(), Line);
        else
            setmsg("ERROR: Invalid specification for IP function: %s  @%d\n", p[1].c_str(), Line);
        return 0;
    }
    setmsg("ERROR: Invalid specification for ip address function : %s  @%d\n", arguments, Line);
    return 0;
}

// ---- address-function expressions ----

int parse_ipaddrandvars(const char *domainname, const char *nodetype, char *remotedomain,
                        char *remotenode, const char *expression, int *kind, int *connlist,
                        int *type) {
    static const valtext::expr_dialect dialect = {
        Functions,
        false,
        "ERROR: Function name expected: %s @ %d\n",
        "ERROR:  '.' expected after : %s @%d\n",
        "ERROR:  Invalid Function name : %s @ %d\n",
        false,
        "ERROR: Wrong context specified, No connection exists in the context:  %s @ %d\n",
    };
    *type = 0;
    valtext::expr_call call;
    if (!valtext::read_expression(dialect, domainname, nodetype, remotedomain, remotenode, expression,
                                  connlist, &call))
        return 0;
    *kind = call.kind;
    if (call.args.size() > valtext::kTextMax) {
        setmsg("ERROR: Invalid specification for ip address function : %s  @%d\n", expression, Line);
        return 0;
    }
    // Scope 1 functions always run on the local node.
    const char *dom = call.scope == 1 ? domainname : call.domain.c_str();
    const char *node = call.scope == 1 ? nodetype : call.node.c_str();
    const char *args = call.args.c_str();
    if (call.name == "EVALIP") return validate_ipaddr(dom, node, args, connlist);
    switch (call.kind) {
        case 1: return validate_ip(dom, node, args, call.name.c_str(), connlist);
        case 2: return validate_int(dom, node, args, call.name.c_str(), connlist);
        case 3: return validate_vars(dom, node, args, call.name.c_str(), type, connlist);
        default: return 1;
    }
}
