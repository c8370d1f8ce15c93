// Owner specifications, the connections between two node types, the vendor
// value tables of route-map and QoS rules, and number and function values.
#include <cstdio>
#include <cstring>
#include <string>

#include "lookup.h"
#include "records_policy.h"
#include "records_topology.h"
#include "registry.h"
#include "runstate.h"
#include "sections.h"
#include "validations.h"
#include "valtext.h"

// ---- connection lists ----

namespace {

using FC = domain_fixed_conn_rec;
lookup::group_index<FC, &FC::domainname, &FC::nodetype> members_of_node(prdomainfixedconn);
lookup::group_index<FC, &FC::connectionno, &FC::domainname, &FC::nodetype> members_of_connection(prdomainfixedconn);

}  // namespace

int updateconnlist(const char *domainname1, const char *nodetype1, const char *domainname2,
                   const char *nodetype2, int *connlist) {
    int count = 0;
    connlist[0] = 0;
    // Every member of the first node type, with every member of the second
    // in the same connection, in list order.
    bool full = false;
    members_of_node.each(
        [&](const FC &a) {
            return members_of_connection.each(
                       [&](const FC &) {
                           if (count + 1 >= kConnListSize) {
                               full = true;
                               return true;
                           }
                           connlist[count++] = a.connectionno;
                           connlist[count] = 0;
                           return false;
                       },
                       a.connectionno, domainname2, nodetype2) != nullptr;
        },
        domainname1, nodetype1);
    if (full) {
        setmsg("ERROR : Too many connections between '%s.%s' and '%s.%s' @ %d\n", domainname1, nodetype1,
               domainname2, nodetype2, Line);
        return -1;
    }
    return count;
}

// ---- owners ----

int validate_owner(const char *owner, char *domainname, char *nodetype, int *connlist) {
    domainname[0] = nodetype[0] = '\0';
    connlist[0] = 0;
    std::string_view s(owner);
    if (s.empty()) return 1;
    if (s.size() > valtext::kTextMax) {
        setmsg("ERROR : Invalid owner info %s  @ %d\n", owner, Line);
        return 0;
    }
    bool stored = false;  // an earlier step stored its node
    std::string prevnode, prevdom;
    size_t i = 0;
    for (;;) {
        size_t end = s.find_first_of(".@", i);
        if (end == std::string_view::npos) end = s.size();
        std::string dom(s.substr(i, end - i));
        if (!valtext::fits_name(dom) || !validate_domain(dom.c_str())) {
            setmsg("ERROR : Invalid domain Name for owner info : %s @ %d\n", dom.c_str(), Line);
            return 0;
        }
        if (end == s.size()) {
            if (stored) {
                setmsg("ERROR: complete the owner info %s @ %d\n", owner, Line);
                return 0;
            }
            valtext::copy_field(domainname, kName, dom);
            return 1;
        }
        if (s[end] != '.') {
            setmsg("ERROR : Invalid owner info %s  @ %d\n", owner, Line);
            return 0;
        }
        i = end + 1;
        if (i == s.size()) {
            setmsg("ERROR : Invalid  owner info : %s @ %d\n", owner, Line);
            return 0;
        }
        end = s.find_first_of(".@", i);
        if (end == std::string_view::npos) end = s.size();
        std::string node(s.substr(i, end - i));
        char devicetype[kName];
        if (!valtext::fits_name(node) || !validate_node(dom.c_str(), node.c_str(), devicetype)) {
            setmsg("ERROR : Invalid node type for domain in owner info : %s/%s @ %d\n", dom.c_str(),
                   node.c_str(), Line);
            return 0;
        }
        if (stored) {
            int n = updateconnlist(prevdom.c_str(), prevnode.c_str(), dom.c_str(), node.c_str(),
                                   connlist);
            if (n < 0) return 0;
            if (n == 0) {
                setmsg("ERROR: In owner info '%s' , no connection exists between nodetypes '%s' , '%s' "
                       " @ %d\n",
                       owner, prevnode.c_str(), node.c_str(), Line);
                return 0;
            }
            connlist[0] = 0;
        }
        valtext::copy_field(domainname, kName, dom);
        valtext::copy_field(nodetype, kName, node);
        stored = true;
        prevdom = dom;
        prevnode = node;
        if (end == s.size()) return 1;
        i = end + 1;
        if (s[end] == '@') {
            if (i == s.size()) return 1;
            continue;
        }
        // After ".": only the CONN suffix may follow.
        size_t wordend = s.find('.', i);
        std::string_view word = s.substr(i, wordend == std::string_view::npos ? s.npos : wordend - i);
        if (word.empty()) {
            setmsg("ERROR: Incomplete parameter: '%s' @ %d\n", owner, Line);
            return 0;
        }
        if (word != "CONN") {
            setmsg("ERROR : Invalid character in owner info Connector operator '@' expected %c : %s @%d\n",
                   s[i], owner, Line);
            return 0;
        }
        if (wordend == std::string_view::npos || wordend + 1 == s.size()) {
            setmsg("ERROR: Incomplete parameter: '%s' @ %d\n", owner, Line);
            return 0;
        }
        std::string conn(s.substr(wordend + 1));
        connlist[0] = getconnidfromname(conn.c_str());
        connlist[1] = 0;
        if (conn_exists(dom.c_str(), node.c_str(), conn.c_str())) return 1;
        setmsg("ERROR : Undefined connection %s in owner info '@' expected  @%d\n", conn.c_str(), Line);
        return 0;
    }
}

// ---- vendor value tables ----

namespace {

const vendor_value_entry qosclassmatchtypes[] = {
    {"access-group", 1}, {"access-group name", 2}, {"any", 3},          {"class-map", 4},
    {"cos", 5},          {"destination-address", 6}, {"input-interface", 7}, {"ip precedence", 9},
    {"ip dscp", 10},     {"ip rtp", 10},           {"mpls", 5},         {"protocol", 5},
    {"qos-group", 5},    {"source-address", 5},    {"interface", 7},    {"default", 3},
    {nullptr, 0},
};
const vendor_value_entry qosintpolicematchtypes[] = {
    {"access-group", 1}, {"dscp", 8}, {"qos-group", 5}, {nullptr, 0}};
const vendor_value_entry qosintshapematchtypes[] = {{"group", 1}, {nullptr, 0}};
const vendor_value_entry qosmarktypes[] = {
    {"atm-clp", 10}, {"cos", 10}, {"ip precedence", 10}, {"mpls experimental", 10},
    {"qos-group", 10}, {nullptr, 0}};
const vendor_value_entry qospoliceactions[] = {
    {"continue", 3},              {"drop", 3},
    {"transmit", 3},              {"set-dscp-continue", 8},
    {"set-dscp-transmit", 8},     {"set-mpls-exp-continue", 8},
    {"set-mpls-exp-transmit", 8}, {"set-prec-continue", 8},
    {"set-prec-transmit", 8},     {"set-qos-continue", 8},
    {"set-qos-transmit", 8},      {nullptr, 0},
};
const vendor_value_entry qosdroptypes[] = {
    {"HEADDROP", 10}, {"RED", 10}, {"TAILDROP", 10}, {nullptr, 0}};
const vendor_value_entry routemapmatchval[] = {
    {"ip address", 5}, {"ip address prefix-list", 5}, {"community-list", 5}, {"community", 5},
    {"interface", 7},  {"ip next-hop", 5},            {"ip route-source", 5}, {"metric", 5},
    {"tag", 5},        {"route-type", 5},             {"length", 5},        {"as-path", 5},
    {nullptr, 0},
};
const vendor_value_entry routemapsetval[] = {
    {"automatic-tag", 5}, {"community", 5}, {"level", 5},        {"local-preference", 5},
    {"metric", 5},        {"metric-type", 5}, {"tag", 5},        {"ip next-hop", 5},
    {"origin", 5},        {"weight", 5},    {"as-path", 5},      {"qos-group", 5},
    {"ip precedence", 5}, {"peer-address", 5}, {"interface", 5}, {nullptr, 0},
};
const vendor_value_entry aclprecedencetypes[] = {
    {"priority", 3}, {"immediate", 3}, {"flash", 3}, {"flash-override", 3},
    {"critical", 3}, {"internet", 3},  {"network", 3}, {nullptr, 0},
};

}  // namespace

const vendor_validation_entry globalvendorvalidationmap[] = {
    {"CISCO", "qosclassmatchtypes", qosclassmatchtypes},
    {"CISCO", "qosintpolicematchtypes", qosintpolicematchtypes},
    {"CISCO", "qosintshapematchtypes", qosintshapematchtypes},
    {"CISCO", "qosmarktypes", qosmarktypes},
    {"CISCO", "qosintpoliceactions", qospoliceactions},
    {"CISCO", "qosclasspoliceactions", qospoliceactions},
    {"CISCO", "qosdroptypes", qosdroptypes},
    {"CISCO", "routemapmatchval", routemapmatchval},
    {"CISCO", "routemapsetval", routemapsetval},
    {"CISCO", "aclprecedencetypes", aclprecedencetypes},
    {nullptr, nullptr, nullptr},
};

int get_vendorspecific_validation(const char *vendor, const char *tablename,
                                  const vendor_value_entry **table) {
    for (const vendor_validation_entry *e = globalvendorvalidationmap; e->vendor; ++e)
        if (std::strcmp(e->vendor, vendor) == 0 && std::strcmp(e->tablename, tablename) == 0) {
            *table = e->table;
            return 1;
        }
    return 0;
}

int validatecfgvaltypes(const vendor_value_entry *table, const char *word, const char *value,
                        char *message, const char *domainname, const char *nodetype,
                        const char *context1, const char *context2, const char *context3) {
    message[0] = '\0';
    std::string_view w(word);
    size_t first = w.find_first_not_of(" \t");
    w = first == w.npos ? std::string_view() : w.substr(first, w.find_last_not_of(" \t") - first + 1);
    const vendor_value_entry *row = nullptr;
    for (const vendor_value_entry *e = table; e->word && !row && w.size() <= valtext::kTextMax; ++e)
        if (w == e->word) row = e;
    if (!row) {
        std::snprintf(message, kMsgSize, "ERROR: Wrong value: '%s' ", word);
        return 1;
    }
    int type = 0;
    switch (row->kind) {
        case 1:
        case 2:
            if (services().accesslist_exists &&
                services().accesslist_exists(domainname, nodetype, context1, context2, context3, value, 0))
                return 0;
            std::snprintf(message, kMsgSize, "WARNING: ACL '%s' not defined ", value);
            return 2;
        case 3:
            if (!value[0]) return 0;
            std::snprintf(message, kMsgSize, "ERROR: Wrong value '%s', should be empty", value);
            return 1;
        case 4:
            if (services().matchrule_exists && services().matchrule_exists(domainname, nodetype, value, 1))
                return 0;
            std::snprintf(message, kMsgSize, "ERROR: match rule '%s' does not exists ", value);
            return 1;
        case 5:
        case 6:
        case 7:
        case 9:
            if (validate_commandvar(domainname, nodetype, context1, context2, context3, value, &type))
                return 0;
            break;
        case 8:
            if (validate_numberfunction(domainname, nodetype, context1, context2, context3, value))
                return 0;
            break;
        default: return 0;
    }
    std::snprintf(message, kMsgSize, "%s", g_errormsg);
    return 1;
}

// What VALUE takes beside a word of a vendor table, by the word's kind: the
// reference's words for the switch above.
const char *vendor_value_text(int kind) {
    switch (kind) {
        case 1:
        case 2: return "the name of an access list of the node type (one not defined is a warning)";
        case 3: return "nothing: VALUE is left out or empty";
        case 4: return "the name of a match rule of the node type";
        case 5:
        case 6:
        case 7:
        case 9: return "a value as written, with variables in `<...>` where it needs them";
        case 8:
            return "a number, a NUMBER variable as `<LOCALVAR(NAME)>`, or `EVALEXP(...)` or `LOOKUP(...)`; "
                   "a name such as `cs1` is no number (write `8`)";
        default: return "anything (not checked)";
    }
}

// ---- number and function values ----

int validate_numberfunction(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *value) {
    if (checkisnumber(value)) return 1;
    int type = 0;
    if (!validate_commandvar(domainname, nodetype, context1, context2, context3, value, &type))
        return 0;
    if (type == DT_NUMBER) return 1;
    return validate_expressionfunc(domainname, nodetype, context1, context2, context3, value);
}

int validate_expressionfunc(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *value) {
    const char *open = std::strchr(value, '(');
    if (!open || open == value) {
        setmsg("ERROR:  Expression Function name expected:  @ %d\n", Line);
        return 0;
    }
    std::string name(value, open);
    int kind = 0, scope = 0;
    if (!valtext::fits_name(name) || !validate_func(Expfunctions, name.c_str(), &kind, &scope)) {
        setmsg("ERROR:  Invalid Function name : %s @ %d\n", name.c_str(), Line);
        return 0;
    }
    if (kind == 15) return validate_lookup(domainname, nodetype, context1, context2, context3, value);
    if (kind == 16 && validate_evalexp(domainname, nodetype, context1, context2, context3, value))
        return 1;
    setmsg("ERROR: Invalid expression: '%s' @ %d\n", value, Line);
    return 0;
}

const function_entry Expfunctions[] = {{"EVALEXP", 16, 1}, {"LOOKUP", 15, 1}, {"", 0, 0}};

int validate_lookup(const char *domainname, const char *nodetype, const char *context1,
                    const char *context2, const char *context3, const char *value) {
    const char *open = std::strchr(value, '(');
    if (!open || std::string_view(value, open - value) != "LOOKUP") {
        setmsg("ERROR: Invalid lookup function: '%s' @ %d\n", value, Line);
        return 0;
    }
    int depth = 0;
    const char *p = open;
    for (; *p; ++p) {
        if (*p == '(') ++depth;
        else if (*p == ')' && --depth == 0) break;
    }
    if (depth > 0) {
        setmsg("ERROR: Syntax error, unmatched paranthesis: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (p[1]) {
        setmsg("ERROR: Invalid characted after EVALEXP: '%s' @ %d\n", value, Line);
        return 0;
    }
    int type = 0;
    return validate_commandvar(domainname, nodetype, context1, context2, context3, open, &type);
}
