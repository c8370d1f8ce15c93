// Variables and variable references: the system-variable tables, the checks
// of where a variable may be named, the protocol declarations of the routing
// blocks and the end-of-section owner checks of dynamic-list variables.
#include <string>
#include <vector>

#include "lookup.h"
#include "records_customer.h"
#include "records_routing.h"
#include "registry.h"
#include "registry_internal.h"
#include "runstate.h"
#include "validations.h"

using lookup::group_index;
using lookup::keyed_index;
using lookup::same;

namespace {

// Every connection type's variables are looked up as its block is read.
keyed_index<domain_conn_var_rec, &domain_conn_var_rec::connectionno, &domain_conn_var_rec::variablename>
    connvars_by_name(prdomainconnvars);
group_index<domain_conn_var_rec, &domain_conn_var_rec::connectionno, &domain_conn_var_rec::variablename>
    connvars_in_order(prdomainconnvars);
group_index<domain_fixed_conn_rec, &domain_fixed_conn_rec::domainname, &domain_fixed_conn_rec::nodetype>
    fixedconns_of_node(prdomainfixedconn);
group_index<domain_conn_type_rec, &domain_conn_type_rec::connectionno> conntypes_of_number(prdomainconntypes);
keyed_index<domain_conn_type_rec, &domain_conn_type_rec::connectionno, &domain_conn_type_rec::connectionname>
    conntypes_by_number_name(prdomainconntypes);
group_index<domain_conn_type_rec, &domain_conn_type_rec::connectionname> conntypes_of_name(prdomainconntypes);
keyed_index<address_dependency_rec, &address_dependency_rec::variablename, &address_dependency_rec::namedendpoint>
    dependencies_by_name(praddressdependency);
keyed_index<service_type_var_rec, &service_type_var_rec::variablename> servicetypevars_by_var(prservicetypevars);
keyed_index<pool_sequence_rec, &pool_sequence_rec::variablename> poolsequences_by_var(prpoolsequence);
keyed_index<cust_var_rec, &cust_var_rec::variablename> custvars_by_var(prcustvars);
using PR = domain_protocol_rec;
keyed_index<PR, &PR::domainname, &PR::nodetype, &PR::protocol, &PR::asn, &PR::instancename> protocols_by_key(
    prdomainprotocols);

// Visits every fixed connection of the node, in list order.
template <class Visit>
void for_node_fixedconns(const char *domainname, const char *nodetype, Visit visit) {
    fixedconns_of_node.each(
        [&](const domain_fixed_conn_rec &f) {
            visit(f);
            return false;
        },
        domainname, nodetype);
}

}  // namespace

const system_var_entry connsystemvar[] = {
    {"BW", 12},     {"LINKID", 12}, {"CIRIN", 12},  {"CIROUT", 12}, {"CBSIN", 12},
    {"CBSOUT", 12}, {"CBEIN", 12},  {"CBEOUT", 12}, {"SCRIN", 12},  {"SCROUT", 12},
    {"PCRIN", 12},  {"PCROUT", 12}, {"MBSIN", 12},  {"MBSOUT", 12}, {nullptr, 0},
};
const system_var_entry nodesystemvar[] = {
    {"NODETYPE", 11},  {"NODEID", 12},         {"DEVICETYPE", 11},     {"HOSTNAME", 11},
    {"ISCPE", 13},     {"REMOTEACCESS", 13},   {"REMOTEADDRTYPE", 11}, {"NATINSIDE", 13},
    {"CONTROLLER", 13}, {"NATADDRTYPE", 11},   {nullptr, 0},
};
const system_var_entry domainsystemvar[] = {
    {"COUNTRYCODE", 11}, {"LOCATIONCODE", 11}, {"PSTN-CODE", 11},
    {"DOMAINNAME", 11},  {"DOMAINID", 12},     {nullptr, 0},
};
const system_var_entry communitysystemvar[] = {
    {"NAME", 11}, {"ID", 12}, {"TYPE", 11}, {"HOSTTYPE", 11}, {nullptr, 0},
};
const system_var_entry customersystemvars[] = {
    {"NAME", 11},
    {"ID", 12},
    {nullptr, 0},
};

const value_table Boolean[] = {"TRUE", "FALSE", ""};
const value_table Constraints[] = {"GLOBAL", "DOMAIN", "NODE", "CONN", ""};
const value_table VariableTypes[] = {"VARIABLE-UNASSIGNED", "FIXED-ASSIGNED", "DYNAMIC-ASSIGNED",
                                     "DERIVED-VAR", ""};
const value_table DomainVarTypes[] = {"NUMBER", "STRING",       "BOOLEAN",      "LIST",
                                      "RANGE",  "STATIC-LIST", "DYNAMIC-LIST", ""};

int validate_var(const value_table *table, const char *value) {
    for (; table[0][0]; ++table)
        if (same(*table, value)) return 1;
    return 0;
}

int validate_systemvar(const system_var_entry *table, const char *name, int *type) {
    if (!table) return 0;
    for (; table->name; ++table) {
        if (same(table->name, name)) {
            *type = table->type;
            return 1;
        }
    }
    return 0;
}

int validate_domainconnvars(int connectionno, const char *variablename, int *type) {
    if (validate_systemvar(connsystemvar, variablename, type)) return 1;
    domain_conn_var_rec *r = connvars_by_name.find(connectionno, variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, type);
    return 1;
}

namespace {

// Calls visit(connection type) for every fixed connection of the node and
// every connection type of the same number (of that name, when one is given).
template <class Visit>
void for_node_conntypes(const char *domainname, const char *nodetype, const char *connectionname,
                        Visit visit) {
    bool named = connectionname && connectionname[0];
    for_node_fixedconns(domainname, nodetype, [&](const domain_fixed_conn_rec &f) {
        conntypes_of_number.each(
            [&](const domain_conn_type_rec &ct) {
                if (!named || same(ct.connectionname, connectionname)) visit(ct);
                return false;
            },
            f.connectionno);
    });
}

}  // namespace

int connvar_exists(const char *domainname, const char *nodetype, const char *connectionname,
                   const char *variablename, int *type) {
    if (validate_systemvar(connsystemvar, variablename, type)) return 1;
    // Every match is visited: the type of the last one stands.
    bool found = false;
    for_node_conntypes(domainname, nodetype, connectionname, [&](const domain_conn_type_rec &ct) {
        if (dependencies_by_name.find(variablename, ct.connectionname)) {
            found = true;
            *type = DT_NUMBER;
        }
    });
    if (found) return 1;
    bool named = connectionname && connectionname[0];
    for_node_fixedconns(domainname, nodetype, [&](const domain_fixed_conn_rec &f) {
        if (named && !conntypes_by_number_name.find(f.connectionno, connectionname)) return;
        connvars_in_order.each(
            [&](const domain_conn_var_rec &v) {
                found = true;
                report_datatype(v.variabletype, variablename, type);
                return false;
            },
            f.connectionno, variablename);
    });
    return found ? 1 : 0;
}

int nodevar_exists(const char *domainname, const char *nodetype, const char *variablename,
                   int *type) {
    bool onnode = nodetype[0] && !same(nodetype, "TOKEN");
    int nodefound = 0;
    if (onnode)
        nodefound = validate_systemvar(nodesystemvar, variablename, type) ||
                    validate_domainnodevar(domainname, nodetype, variablename, type);
    if (!nodefound && validate_systemvar(domainsystemvar, variablename, type)) return 1;
    // Domain and network variables win over a node variable of the same name.
    if (validate_domainvariable(domainname, variablename, type)) return 1;
    if (validate_networkvariable(variablename, type)) return 1;
    return nodefound;
}

// A fixed connection of the node whose number a connection type of that
// name has: from the types of the name (one, as a rule), not from the
// node's connections, which a node type may hold by the thousand.
int conn_exists(const char *domainname, const char *nodetype, const char *connectionname) {
    return conntypes_of_name.each(
               [&](const domain_conn_type_rec &ct) {
                   return find_fixedconn(ct.connectionno, domainname, nodetype) != nullptr;
               },
               connectionname)
               ? 1
               : 0;
}

int validate_anycommunityvar(const char *variablename, int *type) {
    if (validate_systemvar(communitysystemvar, variablename, type)) return 1;
    service_type_var_rec *r = servicetypevars_by_var.find(variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, type);
    return 1;
}

int validate_anycommunitypoolvar(const char *variablename) {
    return poolsequences_by_var.find(variablename) ? 1 : 0;
}

int validate_customervars(const char *variablename, int *type) {
    if (validate_systemvar(customersystemvars, variablename, type)) return 1;
    cust_var_rec *r = custvars_by_var.find(variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, type);
    return 1;
}

namespace {

// The parts of a dotted reference; empty parts are skipped. The parts are
// held in their own storage, so a reference of any length is split safely.
std::vector<std::string> split_reference(const char *reference) {
    std::vector<std::string> parts;
    std::string part;
    for (const char *c = reference;; ++c) {
        if (*c == '.' || *c == '\0') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
            if (!*c) break;
        } else {
            part += *c;
        }
    }
    return parts;
}

// Refuses the parts beyond the `accepted` first ones.
int no_more_parts(const std::vector<std::string> &parts, size_t accepted, const char *reference) {
    if (parts.size() <= accepted) return 1;
    setmsg("ERROR: Invalid parameter: '%s' @ %d\n", reference, Line);
    return 0;
}

int conn_reference(const char *domainname, const char *nodetype, const char *reference,
                   const std::vector<std::string> &p, int *type) {
    if (p.size() < 2) {
        setmsg("ERROR : Invalid conn variable type :%s @%d \n", reference, Line);
        return 0;
    }
    if (p[1] == "CONNECTIONNAME") {
        if (!no_more_parts(p, 2, reference)) return 0;
        *type = DT_STRING;
        return 1;
    }
    if (p.size() < 3) {
        setmsg("ERROR : Invalid conn variable type :%s @%d \n", reference, Line);
        return 0;
    }
    if (!connvar_exists(domainname, nodetype, p[1].c_str(), p[2].c_str(), type)) {
        setmsg("ERROR : Invalid connection variable for connection : %s @%d\n", p[1].c_str(),
               Line);
        return 0;
    }
    return no_more_parts(p, 3, reference);
}

int community_reference(const char *reference, const std::vector<std::string> &p, int *type) {
    if (p.size() < 2) {
        setmsg("ERROR : Invalid community variable type :%s @%d \n", reference, Line);
        return 0;
    }
    if (!validate_anycommunityvar(p[1].c_str(), type)) {
        setmsg("ERROR : Invalid community variable  :%s @%d \n", p[1].c_str(), Line);
        return 0;
    }
    if (p.size() >= 3 && !validate_hosttype(p[2].c_str())) return no_more_parts(p, 2, reference);
    return no_more_parts(p, 3, reference);
}

int plain_reference(const char *domainname, const char *nodetype, const char *reference,
                    const std::vector<std::string> &p, const int *connlist, int *type) {
    const char *name = p[0].c_str();
    bool valid = false;
    for (const int *c = connlist; c && *c >= 1 && !valid; ++c)
        valid = validate_domainconnvars(*c, name, type);
    if (!valid) valid = nodevar_exists(domainname, nodetype, name, type);
    if (!valid) {
        setmsg("ERROR : Invalid node/domain/connection attribute  : %s @%d \n", name, Line);
        return 0;
    }
    return no_more_parts(p, 1, reference);
}

}  // namespace

int validate_vars(const char *domainname, const char *nodetype, const char *reference,
                  const char * /*kind*/, int *type, const int *connlist) {
    std::vector<std::string> p = split_reference(reference);
    if (p.empty()) {
        setmsg("ERROR : Variable Name expected  @%d \n", Line);
        return 0;
    }
    const std::string &form = p[0];
    if (form == "CONN") return conn_reference(domainname, nodetype, reference, p, type);
    if (form == "SERVICE") {
        if (p.size() != 2) {
            setmsg("ERROR: Invalid specification of SERVICE attribute (SERVICE.variablename  "
                   "expected) @%d\n",
                   Line);
            return 0;
        }
        *type = DT_NUMBER;
        return 1;
    }
    if (form == "COMMUNITY" || form == "SUBSCOMMUNITY") return community_reference(reference, p, type);
    if (form == "SNMPCOMM") {
        if (p.size() < 2 || p[1] != "NAME") {
            setmsg("ERROR : Invalid snmpcommunity variable type :%s @%d \n",
                   p.size() < 2 ? reference : p[1].c_str(), Line);
            return 0;
        }
        *type = DT_STRING;
        return no_more_parts(p, 2, reference);
    }
    if (form == "LOCAL") {
        if (p.size() < 3 || p[1] != "DYNAMIC" || p[2] != "NAME") {
            setmsg("ERROR : Invalid Type for Local pool var : %s @%d \n", reference, Line);
            return 0;
        }
        *type = DT_STRING;
        return no_more_parts(p, 3, reference);
    }
    if (form == "CUSTOMER") {
        if (p.size() < 2 || !validate_customervars(p[1].c_str(), type)) {
            setmsg("ERROR : Invalid customer variable : %s @%d \n",
                   p.size() < 2 ? reference : p[1].c_str(), Line);
            return 0;
        }
        return no_more_parts(p, 2, reference);
    }
    return plain_reference(domainname, nodetype, reference, p, connlist, type);
}

int validate_protocols(const char *domainname, const char *nodetype, const char *protocol,
                       const char *asn, const char *mandatory, const char *routerid,
                       const char *clusterid, const char *usagecondition,
                       const char *ownercontext, const char *instancename) {
    if (protocols_by_key.find(domainname, nodetype, protocol, asn, instancename)) return 1;
    PR *rec = alloc_record<PR>();
    if (!rec) return 0;
    // The block parsers bound every value to its field; a longer one is cut.
    rec->domainname = domainname;
    rec->nodetype = nodetype;
    rec->protocol = protocol;
    rec->asn = asn;
    rec->mandatory = mandatory;
    rec->routerid = routerid;
    rec->clusterid = clusterid;
    rec->usagecondition = usagecondition;
    rec->instancename = instancename;
    rec->ownercontext = ownercontext;
    append_record(prdomainprotocols, rec);
    return 0;
}

namespace {

// Checks the owner of every dynamic-list variable of the list, reporting
// against the line of the variable's declaration.
template <class T>
void check_dynamic_owners(const record_list<T> &list) {
    for (T *r = list.head; r; r = r->next) {
        Line = r->line;
        if (!same(r->variabletype, "DYNAMIC-LIST")) continue;
        char domainname[kName];
        char nodetype[kName];
        int connlist[kConnListSize];
        if (!validate_owner(r->listname, domainname, nodetype, connlist)) {
            g_error = 1;
            g_prevtokentype = 1;
            g_prevtoken[0] = '\0';
            addtooutput();
        }
    }
}

}  // namespace

int validateuser_vars() {
    int saved = Line;
    check_dynamic_owners(prdomainconnvars);
    check_dynamic_owners(prdomainnodevars);
    check_dynamic_owners(prdomainvariables);
    check_dynamic_owners(prservicetypevars);
    Line = saved;
    return 1;
}

int validatecustuser_vars() {
    int saved = Line;
    check_dynamic_owners(prcustvars);
    Line = saved;
    return 1;
}
