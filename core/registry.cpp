// The registry of lookups. Each lookup names its list and keys; the walk
// (lookup::find_first) or, for the lists that every block consults, a hash
// index that gives the same first entry (lookup::keyed_index).
#include "registry.h"

#include <cctype>
#include <cstring>

#include "lookup.h"
#include "registry_internal.h"
#include "runstate.h"
#include "validations.h"

using lookup::find_first;
using lookup::key;
using lookup::keyed_index;
using lookup::same;

namespace {

template <class T>
int found(const T *rec) {
    return rec ? 1 : 0;
}
template <class T>
int is_new(const T *rec) {
    return rec ? 0 : 1;
}

// The indexes of the lists that every block consults.
keyed_index<domain_rec, &domain_rec::domainname> domains_by_name(prdomains);
lookup::group_index<domain_access_list_rec, &domain_access_list_rec::domainname,
                    &domain_access_list_rec::nodetype>
    acls_by_node(prdomainaccesslist);
keyed_index<domain_node_rec, &domain_node_rec::domainname, &domain_node_rec::nodetype>
    nodes_by_type(prdomainnodes);
keyed_index<domain_variable_rec, &domain_variable_rec::domainname,
            &domain_variable_rec::variablename>
    domainvars_by_name(prdomainvariables);
keyed_index<network_var_rec, &network_var_rec::variablename> networkvars_by_name(prnetworkvars);
keyed_index<domain_node_var_rec, &domain_node_var_rec::domainname, &domain_node_var_rec::nodetype,
            &domain_node_var_rec::variablename>
    nodevars_by_name(prdomainnodevars);
keyed_index<service_type_rec, &service_type_rec::servicetype, &service_type_rec::hosttype>
    servicetypes_by_key(prservicetypes);
keyed_index<service_type_rec, &service_type_rec::hosttype> servicetypes_by_host(prservicetypes);
keyed_index<service_type_var_rec, &service_type_var_rec::servicetype,
            &service_type_var_rec::variablename>
    servicetypevars_by_name(prservicetypevars);
keyed_index<list_value_rec, &list_value_rec::listname> listvalues_by_list(prlistvalues);
keyed_index<list_value_rec, &list_value_rec::listname, &list_value_rec::elementvalue>
    listvalues_by_element(prlistvalues);
keyed_index<domain_conn_type_rec, &domain_conn_type_rec::connectionname> conntypes_by_name(
    prdomainconntypes);
keyed_index<domain_conn_type_rec, &domain_conn_type_rec::connectionno> conntypes_by_number(
    prdomainconntypes);
keyed_index<domain_int_type_rec, &domain_int_type_rec::connectionno,
            &domain_int_type_rec::interfacetype, &domain_int_type_rec::encapsulationtype>
    inttypes_by_key(prdomaininttypes);
keyed_index<cust_conn_type_rec, &cust_conn_type_rec::conntypename> custtypes_by_name(
    prcustconntypes);
keyed_index<domain_service_rec, &domain_service_rec::domainname, &domain_service_rec::nodetype,
            &domain_service_rec::servicename>
    services_by_key(prdomainservices);
keyed_index<domain_connection_rec, &domain_connection_rec::domainname1, &domain_connection_rec::domainname2,
            &domain_connection_rec::conntype>
    connections_by_pair(prdomainconnections);
keyed_index<aps_member_rec, &aps_member_rec::domainname, &aps_member_rec::nodetype, &aps_member_rec::connectionno>
    aps_by_member(prconnapsdatalist);
keyed_index<ip_address_pool_rec, &ip_address_pool_rec::addresspoolname,
            &ip_address_pool_rec::protocoltype>
    pools_by_key(praddresspools);

}  // namespace

void copy_text(char *dst, size_t size, const char *src) {
    if (size == 0) return;
    size_t n = strnlen(src, size - 1);
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}

void report_datatype(const char *variabletype, const char *variablename, int *datatype) {
    getdatatypes(variabletype, datatype);
    check_listtype(variablename, datatype);
}

domain_conn_type_rec *find_conntype(const char *connectionname) {
    return conntypes_by_name.find(connectionname);
}

// ---- topology and customer lists ----

int validate_pooltypemapentry(const com_pool_type_rec *c) {
    return is_new(find_first(prpooltypemap, key(&com_pool_type_rec::servicetype, c->servicetype),
                             key(&com_pool_type_rec::hosttype, c->hosttype),
                             key(&com_pool_type_rec::communicationtype, c->communicationtype)));
}

int validate_poolclassmap(const char *conntypename, const char *roletype, const char *hosttype,
                          const char *nattype, int allroles) {
    using R = pool_class_mapping_rec;
    return is_new(find_first(prpoolclassmap, key(&R::conntypename, conntypename),
                             key(&R::hosttype, hosttype), key(&R::nattype, nattype),
                             [&](const R &r) {
                                 return allroles == 1 || r.enrollforall == 1 ||
                                        same(r.roletype, roletype);
                             }));
}

int validate_poolclass(const char *name) {
    return found(find_first(prpoolclass, key(&pool_class_rec::name, name)));
}

int globallistname_exists(const char *name) {
    return found(find_first(prgloballistvars, [&](const global_list_var_rec &r) {
        return same(r.listid, name) || same(r.variablename, name);
    }));
}

int validate_servicetype(const char *servicetype, const char *hosttype) {
    return found(servicetypes_by_key.find(servicetype, hosttype));
}

int validate_servicedispname(const char *name) {
    return found(find_first(prservicetypenames, key(&service_type_name_rec::servicename, name)));
}

int validate_servicename(const char *name) {
    return found(find_first(prservicetypenames, key(&service_type_name_rec::servicetype, name)));
}

int validate_hosttype(const char *hosttype) { return found(servicetypes_by_host.find(hosttype)); }

int validate_servicetypevar(const char *servicetype, const char *variablename) {
    return found(servicetypevars_by_name.find(servicetype, variablename));
}

int validate_pooltype(const char *servicetype, const char *hosttype, const char *poolowner) {
    return found(find_first(prpooltypes, key(&pool_type_rec::servicetype, servicetype),
                            key(&pool_type_rec::hosttype, hosttype),
                            key(&pool_type_rec::poolowner, poolowner)));
}

int validate_domain(const char *domainname) { return found(domains_by_name.find(domainname)); }

int validate_domainsnmpcommunity(const char *name) {
    return found(find_first(prdomainsnmpcommunity, key(&domain_snmp_community_rec::name, name)));
}

int validate_addresspools(const char *addresspoolname, const char *protocoltype) {
    return found(pools_by_key.find(addresspoolname, protocoltype));
}

int validate_node(const char *domainname, const char *nodetype, char *devicetype, size_t size) {
    domain_node_rec *r = nodes_by_type.find(domainname, nodetype);
    if (!r) return 0;
    // The device type field is wider than the 31 bytes callers give.
    copy_text(devicetype, size, r->devicetype);
    return 1;
}

int validate_domainvariable(const char *domainname, const char *variablename, int *datatype) {
    domain_variable_rec *r = domainvars_by_name.find(domainname, variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, datatype);
    return 1;
}

int validate_networkvariable(const char *variablename, int *datatype) {
    network_var_rec *r = networkvars_by_name.find(variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, datatype);
    return 1;
}

int validate_custvars(const char *servicetype, const char *conntypename, const char *variablename) {
    return found(find_first(prcustvars, key(&cust_var_rec::servicetype, servicetype),
                            key(&cust_var_rec::conntypename, conntypename),
                            key(&cust_var_rec::variablename, variablename)));
}

int validate_domainnodevar(const char *domainname, const char *nodetype, const char *variablename,
                           int *datatype) {
    domain_node_var_rec *r = nodevars_by_name.find(domainname, nodetype, variablename);
    if (!r) return 0;
    report_datatype(r->variabletype, variablename, datatype);
    return 1;
}

int validate_domainservices(const char *domainname, const char *nodetype,
                            const char *servicename) {
    return found(services_by_key.find(domainname, nodetype, servicename));
}

int validate_customertypes(const char *conntypename) {
    return found(custtypes_by_name.find(conntypename));
}

int validate_customerinterfaces(const char *servicetype, const char *conntypename,
                                const char *nodetype, const char *interfacetype,
                                const char *encapsulationtype, const char *connectionname,
                                int nodeinstance, int instanceno) {
    using R = cust_conn_interface_rec;
    return found(find_first(prcustconninterfaces, key(&R::servicetype, servicetype),
                            key(&R::conntypename, conntypename), key(&R::nodetype, nodetype),
                            key(&R::interfacetype, interfacetype),
                            key(&R::encapsulationtype, encapsulationtype),
                            key(&R::connectionname, connectionname),
                            key(&R::nodeinstance, nodeinstance), key(&R::instanceno, instanceno)));
}

int validate_customernode(const char *servicetype, const char *conntypename, const char *nodetype,
                          cust_conn_node_rec **entry) {
    cust_conn_node_rec *r =
        find_first(prcustconnnodes, key(&cust_conn_node_rec::servicetype, servicetype),
                   key(&cust_conn_node_rec::conntypename, conntypename),
                   key(&cust_conn_node_rec::nodetype, nodetype));
    if (!r) return 0;
    *entry = r;
    return 1;
}

int validate_domaininttypes(int connectionno, const char *interfacetype,
                            const char *encapsulationtype) {
    return found(inttypes_by_key.find(connectionno, interfacetype, encapsulationtype));
}

int validate_domainconntypes(const char *connectionname) {
    return found(find_conntype(connectionname));
}

int validate_domainconnpools(const char *poolname, char *namedendpoint, size_t size) {
    address_assign_rec *r =
        find_first(praddressassign, key(&address_assign_rec::namedpointtype, 1),
                   key(&address_assign_rec::poolname, poolname));
    if (!r) return 0;
    copy_text(namedendpoint, size, r->namedendpoint);
    return 1;
}

int validate_nodeconninst(const char *domainname, const char *nodetype, const char *connectionname,
                          int nodeinstance, int /*unused*/, int *connectionno) {
    *connectionno = 0;
    domain_conn_type_rec *ct = find_conntype(connectionname);
    if (!ct) {
        setmsg("Invalid connection name :  %s @%d\n", connectionname, Line);
        return 0;
    }
    *connectionno = ct->connectionno;
    domain_node_rec *small = find_first(
        prdomainnodes, key(&domain_node_rec::domainname, domainname),
        key(&domain_node_rec::nodetype, nodetype),
        [&](const domain_node_rec &r) { return r.maxnode < nodeinstance; });
    if (small) {
        setmsg("Invalid node instance value : %d @ %d\n", nodeinstance, Line);
        return 0;
    }
    return 1;
}

int validate_nodeconnections(const char *domainname, const char *nodetype, int nodeinstance,
                             int /*unused*/, const char *encapsulationtype,
                             const char *interfacetype, const char *connectionname) {
    domain_conn_type_rec *ct = find_conntype(connectionname);
    if (!ct) {
        logmsg("ERROR: Invalid connection name : %s @%d\n", connectionname, Line);
        return 0;
    }
    if (!validate_domaininttypes(ct->connectionno, interfacetype, encapsulationtype)) {
        logmsg("ERROR: Invalid encapsulation/interface type for connection %s : %s %s @%d\n",
               connectionname, interfacetype, encapsulationtype, Line);
        return 0;
    }
    if (!domainname[0]) return 1;
    bool anynode = !nodetype[0];
    domain_fixed_conn_rec *fixed = find_first(
        prdomainfixedconn, key(&domain_fixed_conn_rec::connectionno, ct->connectionno),
        key(&domain_fixed_conn_rec::domainname, domainname),
        [&](const domain_fixed_conn_rec &r) { return anynode || same(r.nodetype, nodetype); });
    if (!fixed) return 0;
    if (anynode) return 1;
    return found(find_first(prdomainnodes, key(&domain_node_rec::domainname, domainname),
                            key(&domain_node_rec::nodetype, nodetype),
                            [&](const domain_node_rec &r) { return r.maxnode >= nodeinstance; }));
}

int validate_domainconnections(const char *domainname1, const char *domainname2,
                               const char *conntype) {
    return found(connections_by_pair.find(domainname1, domainname2, conntype));
}

int validate_conninstvars(const char *connectionname, const char *variablename) {
    return found(find_first(prdomaininstancevars,
                            key(&domain_inst_var_rec::connectionname, connectionname),
                            key(&domain_inst_var_rec::variablename, variablename)));
}

int check_logint(const char *domainname, const char *nodetype, const char *devicetype,
                 const char *intno, int *count) {
    if (!std::isdigit(static_cast<unsigned char>(intno[0])) && !same(intno, "N")) return 0;
    char known[kName];
    if (!validate_node(domainname, nodetype, known)) return 0;
    using R = domain_node_log_int_rec;
    *count = 1 + lookup::count_matches(prdomainnodelogint, key(&R::domainname, domainname),
                                       key(&R::nodetype, nodetype),
                                       key(&R::devicetype, devicetype), key(&R::intno, intno));
    return 1;
}

int validate_logint(const char *domainname, const char *nodetype, const char *devicetype,
                    const char *inttype, const char *intno) {
    using R = domain_node_log_int_rec;
    return found(find_first(prdomainnodelogint, key(&R::domainname, domainname),
                            key(&R::nodetype, nodetype), key(&R::devicetype, devicetype),
                            key(&R::inttype, inttype), key(&R::intno, intno)));
}

int validate_listvalues(const char *listname) { return found(listvalues_by_list.find(listname)); }

int validate_listelements(const char *listname, const char *elementvalue) {
    return found(listvalues_by_element.find(listname, elementvalue));
}

int validate_intbandwidth(const char *interfacetype, const char *bandwidth) {
    return found(find_first(prvalidintbandwidth,
                            key(&valid_int_bandwidth_rec::interfacetype, interfacetype),
                            key(&valid_int_bandwidth_rec::bandwidth, bandwidth)));
}

int validate_systemlist(const char *listname, system_list_rec **entry) {
    system_list_rec *r = find_first(pr_systemlist, key(&system_list_rec::listname, listname));
    if (!r) return 0;
    *entry = r;
    return 1;
}

int systemlist_varfound(const system_list_rec *list, const char *value) {
    return found(find_first(list->elemlist, key(&system_list_elem_rec::displayname, value)));
}

int validate_systemlistentries(const char *listname, const value_table *values, int count,
                               int *index) {
    system_list_rec *list = nullptr;
    if (!validate_systemlist(listname, &list)) {
        *index = -1;  // no value is at fault: the caller names the list
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        if (!systemlist_varfound(list, values[i])) {
            *index = i;
            return 0;
        }
    }
    return 1;
}

int validata_APS(const aps_member_rec *c) {
    return is_new(aps_by_member.find(c->domainname, c->nodetype, c->connectionno));
}

int getconnidfromname(const char *connectionname) {
    domain_conn_type_rec *r = find_conntype(connectionname);
    return r ? r->connectionno : 0;
}

char *getconnnamefromid(int connectionno) {
    domain_conn_type_rec *r = conntypes_by_number.find(connectionno);
    return r ? r->connectionname : nullptr;
}

// ---- routing and route-policy lists ----

int validate_domainbgppeer(const char *domainname, const char *nodetype, const char *peername) {
    return found(find_first(prdomainbgppeer, key(&domain_bgp_peer_rec::domainname, domainname),
                            key(&domain_bgp_peer_rec::nodetype, nodetype),
                            key(&domain_bgp_peer_rec::peername, peername)));
}

int validate_domainmapclass(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *mapclassname) {
    using R = domain_map_class_rec;
    return found(find_first(prdomainmapclass, key(&R::domainname, domainname),
                            key(&R::nodetype, nodetype), key(&R::mapclassname, mapclassname),
                            [&](const R &r) {
                                return same(r.context1, context1) || same(r.context2, context2) ||
                                       same(r.context3, context3);
                            }));
}

int validate_prefixlist(const char *domainname, const char *nodetype, const char *listname,
                        const char * /*context1*/, const char * /*context2*/,
                        const char * /*context3*/) {
    return found(find_first(prdomainprefixhdr, key(&domain_prefix_hdr_rec::domainname, domainname),
                            key(&domain_prefix_hdr_rec::nodetype, nodetype),
                            key(&domain_prefix_hdr_rec::listname, listname)));
}

int validate_domainnodeareas(const char *domainname, const char *nodetype,
                             const char *routingprotocol, const char *routedprotocol,
                             const char * /*process*/, int *nextseq) {
    using R = domain_node_area_rec;
    *nextseq = 1;
    R *r = find_first(prdomainnodeareas, key(&R::domainname, domainname),
                      key(&R::nodetype, nodetype), key(&R::routingprotocol, routingprotocol),
                      key(&R::routedprotocol, routedprotocol));
    if (!r) return 0;
    // A stored number at the top of the range stays there instead of wrapping.
    *nextseq = r->sequenceno < INT32_MAX ? r->sequenceno + 1 : INT32_MAX;
    return 1;
}

int validate_accesslist(const char *domainname, const char *nodetype, const char *context1,
                        const char * /*context2*/, const char * /*context3*/,
                        const char *nametype, const char *aclname, int sequence, int quiet) {
    using R = domain_access_list_rec;
    bool byname = same(nametype, "STRING");
    bool bysequence = same(nametype, "SEQUENCE");
    R *r = acls_by_node.each(
        [&](const R &e) {
            return (byname && same(e.aclname, aclname)) || (bysequence && e.aclstart == sequence);
        },
        domainname, nodetype);
    if (bysequence && context1[0] && quiet == 0)
        logmsg("WARNING: Possible duplicate acl sequence. Usage of context could result in "
               "multiple acls of the same sequence %d for : %s/%s @%d\n",
               sequence, domainname, nodetype, Line);
    return found(r);
}

int validate_routemap(const char *domainname, const char *nodetype, const char * /*context1*/,
                      const char * /*context2*/, const char * /*context3*/,
                      const char *routemap) {
    return found(find_first(prdomainroutemap, key(&domain_route_map_rec::domainname, domainname),
                            key(&domain_route_map_rec::nodetype, nodetype),
                            key(&domain_route_map_rec::routemap, routemap)));
}

int validate_routemapseq(const char *domainname, const char *nodetype, const char *routemap,
                         int sequence) {
    using R = domain_route_map_rec;
    return found(find_first(prdomainroutemap, key(&R::domainname, domainname),
                            key(&R::nodetype, nodetype), key(&R::routemap, routemap),
                            key(&R::sequence, sequence)));
}

int validate_routemapmatchlist(const char *domainname, const char *nodetype, const char *routemap,
                               int sequence, int matchsequence) {
    using R = route_map_match_list_rec;
    return found(find_first(prroutemapmatchlist, key(&R::domainname, domainname),
                            key(&R::nodetype, nodetype), key(&R::routemap, routemap),
                            key(&R::sequence, sequence), key(&R::matchsequence, matchsequence)));
}

int validate_routemapsetlist(const char *domainname, const char *nodetype, const char *routemap,
                             int sequence, int setsequence) {
    using R = route_map_set_list_rec;
    return found(find_first(prroutemapsetlist, key(&R::domainname, domainname),
                            key(&R::nodetype, nodetype), key(&R::routemap, routemap),
                            key(&R::sequence, sequence), key(&R::setsequence, setsequence)));
}
