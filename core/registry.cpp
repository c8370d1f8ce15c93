// The registry of lookups. Each lookup names its list and keys, and a hash
// index answers what the walk of the list would (lookup::keyed_index: the
// same first entry), so that a load stays linear in its records.
#include "registry.h"

#include <cctype>
#include <cstring>

#include "lookup.h"
#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "registry_internal.h"
#include "runstate.h"
#include "validations.h"

using lookup::group_index;
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
using ACL = domain_access_list_rec;
keyed_index<ACL, &ACL::domainname, &ACL::nodetype, &ACL::aclname> acls_by_name(prdomainaccesslist);
keyed_index<ACL, &ACL::domainname, &ACL::nodetype, &ACL::aclstart> acls_by_start(prdomainaccesslist);
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

using PM = com_pool_type_rec;
keyed_index<PM, &PM::servicetype, &PM::hosttype, &PM::communicationtype> pooltypemaps_by_key(prpooltypemap);
using PCM = pool_class_mapping_rec;
group_index<PCM, &PCM::conntypename, &PCM::hosttype, &PCM::nattype> poolclassmaps_by_key(prpoolclassmap);
keyed_index<pool_class_rec, &pool_class_rec::name> poolclasses_by_name(prpoolclass);
keyed_index<global_list_var_rec, &global_list_var_rec::listid> globallists_by_id(prgloballistvars);
keyed_index<global_list_var_rec, &global_list_var_rec::variablename> globallists_by_var(prgloballistvars);
keyed_index<service_type_name_rec, &service_type_name_rec::servicename> servicenames_by_display(
    prservicetypenames);
keyed_index<service_type_name_rec, &service_type_name_rec::servicetype> servicenames_by_type(prservicetypenames);
keyed_index<pool_type_rec, &pool_type_rec::servicetype, &pool_type_rec::hosttype, &pool_type_rec::poolowner>
    pooltypes_by_key(prpooltypes);
keyed_index<domain_snmp_community_rec, &domain_snmp_community_rec::name> communities_by_name(
    prdomainsnmpcommunity);
keyed_index<cust_var_rec, &cust_var_rec::servicetype, &cust_var_rec::conntypename, &cust_var_rec::variablename>
    custvars_by_key(prcustvars);
using CI = cust_conn_interface_rec;
keyed_index<CI, &CI::servicetype, &CI::conntypename, &CI::nodetype, &CI::interfacetype, &CI::encapsulationtype,
            &CI::connectionname, &CI::nodeinstance, &CI::instanceno>
    custinterfaces_by_key(prcustconninterfaces);
using CN = cust_conn_node_rec;
keyed_index<CN, &CN::servicetype, &CN::conntypename, &CN::nodetype> custnodes_by_key(prcustconnnodes);
keyed_index<address_assign_rec, &address_assign_rec::namedpointtype, &address_assign_rec::poolname>
    assignments_by_pool(praddressassign);
group_index<domain_node_rec, &domain_node_rec::domainname, &domain_node_rec::nodetype> nodes_in_group(
    prdomainnodes);
using FC = domain_fixed_conn_rec;
keyed_index<FC, &FC::connectionno, &FC::domainname> fixed_by_domain(prdomainfixedconn);
keyed_index<FC, &FC::connectionno, &FC::domainname, &FC::nodetype> fixed_by_node(prdomainfixedconn);
keyed_index<domain_inst_var_rec, &domain_inst_var_rec::connectionname, &domain_inst_var_rec::variablename>
    instvars_by_name(prdomaininstancevars);
using LI = domain_node_log_int_rec;
lookup::tally_index<LI, lookup::counted, &LI::domainname, &LI::nodetype, &LI::devicetype, &LI::intno>
    logints_counted(prdomainnodelogint);
keyed_index<LI, &LI::domainname, &LI::nodetype, &LI::devicetype, &LI::inttype, &LI::intno> logints_by_key(
    prdomainnodelogint);
keyed_index<valid_int_bandwidth_rec, &valid_int_bandwidth_rec::interfacetype, &valid_int_bandwidth_rec::bandwidth>
    bandwidths_by_key(prvalidintbandwidth);
keyed_index<system_list_rec, &system_list_rec::listname> systemlists_by_name(pr_systemlist);
lookup::sub_index<system_list_rec, system_list_elem_rec, &system_list_rec::elemlist,
                  &system_list_elem_rec::displayname>
    systemlist_values(pr_systemlist);

keyed_index<domain_bgp_peer_rec, &domain_bgp_peer_rec::domainname, &domain_bgp_peer_rec::nodetype,
            &domain_bgp_peer_rec::peername>
    bgppeers_by_name(prdomainbgppeer);
using MC = domain_map_class_rec;
group_index<MC, &MC::domainname, &MC::nodetype, &MC::mapclassname> mapclasses_by_name(prdomainmapclass);
using PH = domain_prefix_hdr_rec;
keyed_index<PH, &PH::domainname, &PH::nodetype, &PH::listname> prefixes_by_name(prdomainprefixhdr);
using RM = domain_route_map_rec;
keyed_index<RM, &RM::domainname, &RM::nodetype, &RM::routemap> routemaps_by_name(prdomainroutemap);
keyed_index<RM, &RM::domainname, &RM::nodetype, &RM::routemap, &RM::sequence> routemaps_by_sequence(
    prdomainroutemap);
using RMM = route_map_match_list_rec;
keyed_index<RMM, &RMM::domainname, &RMM::nodetype, &RMM::routemap, &RMM::sequence, &RMM::matchsequence>
    matches_by_key(prroutemapmatchlist);
using RMS = route_map_set_list_rec;
keyed_index<RMS, &RMS::domainname, &RMS::nodetype, &RMS::routemap, &RMS::sequence, &RMS::setsequence>
    sets_by_key(prroutemapsetlist);

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

domain_fixed_conn_rec *find_fixedconn(int connectionno, const char *domainname, const char *nodetype) {
    return fixed_by_node.find(connectionno, domainname, nodetype);
}

// ---- topology and customer lists ----

int validate_pooltypemapentry(const com_pool_type_rec *c) {
    return is_new(pooltypemaps_by_key.find(c->servicetype, c->hosttype, c->communicationtype));
}

int validate_poolclassmap(const char *conntypename, const char *roletype, const char *hosttype,
                          const char *nattype, int allroles) {
    return is_new(poolclassmaps_by_key.each(
        [&](const PCM &r) { return allroles == 1 || r.enrollforall == 1 || same(r.roletype, roletype); },
        conntypename, hosttype, nattype));
}

int validate_poolclass(const char *name) {
    return found(poolclasses_by_name.find(name));
}

int globallistname_exists(const char *name) {
    return found(globallists_by_id.find(name)) || found(globallists_by_var.find(name));
}

int validate_servicetype(const char *servicetype, const char *hosttype) {
    return found(servicetypes_by_key.find(servicetype, hosttype));
}

int validate_servicedispname(const char *name) {
    return found(servicenames_by_display.find(name));
}

int validate_servicename(const char *name) {
    return found(servicenames_by_type.find(name));
}

int validate_hosttype(const char *hosttype) { return found(servicetypes_by_host.find(hosttype)); }

int validate_servicetypevar(const char *servicetype, const char *variablename) {
    return found(servicetypevars_by_name.find(servicetype, variablename));
}

int validate_pooltype(const char *servicetype, const char *hosttype, const char *poolowner) {
    return found(pooltypes_by_key.find(servicetype, hosttype, poolowner));
}

int validate_domain(const char *domainname) { return found(domains_by_name.find(domainname)); }

int validate_domainsnmpcommunity(const char *name) {
    return found(communities_by_name.find(name));
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
    return found(custvars_by_key.find(servicetype, conntypename, variablename));
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
    return found(custinterfaces_by_key.find(servicetype, conntypename, nodetype, interfacetype, encapsulationtype,
                                            connectionname, nodeinstance, instanceno));
}

int validate_customernode(const char *servicetype, const char *conntypename, const char *nodetype,
                          cust_conn_node_rec **entry) {
    cust_conn_node_rec *r = custnodes_by_key.find(servicetype, conntypename, nodetype);
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
    address_assign_rec *r = assignments_by_pool.find(1, poolname);
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
    domain_node_rec *small =
        nodes_in_group.each([&](const domain_node_rec &r) { return r.maxnode < nodeinstance; }, domainname, nodetype);
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
    if (anynode) return found(fixed_by_domain.find(ct->connectionno, domainname));
    if (!fixed_by_node.find(ct->connectionno, domainname, nodetype)) return 0;
    return found(
        nodes_in_group.each([&](const domain_node_rec &r) { return r.maxnode >= nodeinstance; }, domainname, nodetype));
}

int validate_domainconnections(const char *domainname1, const char *domainname2,
                               const char *conntype) {
    return found(connections_by_pair.find(domainname1, domainname2, conntype));
}

int validate_conninstvars(const char *connectionname, const char *variablename) {
    return found(instvars_by_name.find(connectionname, variablename));
}

int check_logint(const char *domainname, const char *nodetype, const char *devicetype,
                 const char *intno, int *count) {
    if (!std::isdigit(static_cast<unsigned char>(intno[0])) && !same(intno, "N")) return 0;
    char known[kName];
    if (!validate_node(domainname, nodetype, known)) return 0;
    *count = 1 + logints_counted.get(domainname, nodetype, devicetype, intno);
    return 1;
}

int validate_logint(const char *domainname, const char *nodetype, const char *devicetype,
                    const char *inttype, const char *intno) {
    return found(logints_by_key.find(domainname, nodetype, devicetype, inttype, intno));
}

int validate_listvalues(const char *listname) { return found(listvalues_by_list.find(listname)); }

int validate_listelements(const char *listname, const char *elementvalue) {
    return found(listvalues_by_element.find(listname, elementvalue));
}

int validate_intbandwidth(const char *interfacetype, const char *bandwidth) {
    return found(bandwidths_by_key.find(interfacetype, bandwidth));
}

int validate_systemlist(const char *listname, system_list_rec **entry) {
    system_list_rec *r = systemlists_by_name.find(listname);
    if (!r) return 0;
    *entry = r;
    return 1;
}

int systemlist_varfound(const system_list_rec *list, const char *value) {
    return found(systemlist_values.find(list, value));
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

const char *getconnnamefromid(int connectionno) {
    domain_conn_type_rec *r = conntypes_by_number.find(connectionno);
    return r ? r->connectionname.c_str() : nullptr;
}

// ---- routing and route-policy lists ----

int validate_domainbgppeer(const char *domainname, const char *nodetype, const char *peername) {
    return found(bgppeers_by_name.find(domainname, nodetype, peername));
}

int validate_domainmapclass(const char *domainname, const char *nodetype, const char *context1,
                            const char *context2, const char *context3, const char *mapclassname) {
    return found(mapclasses_by_name.each(
        [&](const MC &r) {
            return same(r.context1, context1) || same(r.context2, context2) || same(r.context3, context3);
        },
        domainname, nodetype, mapclassname));
}

int validate_prefixlist(const char *domainname, const char *nodetype, const char *listname,
                        const char * /*context1*/, const char * /*context2*/,
                        const char * /*context3*/) {
    return found(prefixes_by_name.find(domainname, nodetype, listname));
}

int validate_accesslist(const char *domainname, const char *nodetype, const char *context1,
                        const char * /*context2*/, const char * /*context3*/,
                        const char *nametype, const char *aclname, int sequence, int quiet) {
    bool bysequence = same(nametype, "SEQUENCE");
    ACL *r = same(nametype, "STRING") ? acls_by_name.find(domainname, nodetype, aclname)
             : bysequence             ? acls_by_start.find(domainname, nodetype, sequence)
                                      : nullptr;
    if (bysequence && context1[0] && quiet == 0)
        logmsg("WARNING: Possible duplicate acl sequence. Usage of context could result in "
               "multiple acls of the same sequence %d for : %s/%s @%d\n",
               sequence, domainname, nodetype, Line);
    return found(r);
}

int validate_routemap(const char *domainname, const char *nodetype, const char * /*context1*/,
                      const char * /*context2*/, const char * /*context3*/,
                      const char *routemap) {
    return found(find_routemap(domainname, nodetype, routemap));
}

domain_route_map_rec *find_routemap(const char *domainname, const char *nodetype, const char *routemap) {
    return routemaps_by_name.find(domainname, nodetype, routemap);
}

int validate_routemapseq(const char *domainname, const char *nodetype, const char *routemap,
                         int sequence) {
    return found(routemaps_by_sequence.find(domainname, nodetype, routemap, sequence));
}

int validate_routemapmatchlist(const char *domainname, const char *nodetype, const char *routemap,
                               int sequence, int matchsequence) {
    return found(matches_by_key.find(domainname, nodetype, routemap, sequence, matchsequence));
}

int validate_routemapsetlist(const char *domainname, const char *nodetype, const char *routemap,
                             int sequence, int setsequence) {
    return found(sets_by_key.find(domainname, nodetype, routemap, sequence, setsequence));
}
