// The description of every stored table: what its reader selects into
// which record fields, and what its writer deletes and inserts. The column
// order of the INSERT texts is the column order of database/schema.sql.
#include <cstddef>
#include <iterator>
#include <type_traits>

#include "database.h"
#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "table_desc.h"

namespace ndldb {
namespace {

// A record's texts are text_fields (the reader and writer reach them as
// such); its numbers plain fields.
template <class F>
constexpr size_t field_width() {
    static_assert(!std::is_array_v<F>, "a described text field is a text_field");
    return text_width<F>::size;
}
#define FIELD(R, f) offsetof(R, f), field_width<decltype(R::f)>()
#define COLS(a) a, std::size(a)
#define VALS(a) a, std::size(a)
#define RECORD(R) sizeof(R), offsetof(R, next)
#define RLIST(R, head) list_ref{&list_head<R, head>, &list_set<R, head>, &list_append<R, head>}
#define LIST(R, head) RLIST(R, head), offsetof(R, next)
#define SUBLIST(R, f, E) sublist_ref{offsetof(R, f), offsetof(E, next)}
#define VO_I(R, f) value_desc{val_int, 0, FIELD(R, f)}
#define VO_S(R, f) value_desc{val_text, 0, FIELD(R, f)}
#define VN_I(R, f) value_desc{val_int, 1, FIELD(R, f)}
#define VN_S(R, f) value_desc{val_text, 1, FIELD(R, f)}
#define V_NETID value_desc{val_netid, 0, 0, 0}
#define V_VERSION value_desc{val_version, 0, 0, 0}
#define V_POS value_desc{val_pos, 0, 0, 0}
#define V_QOSSEQ value_desc{val_qosseq, 0, 0, 0}
constexpr list_ref kNoList{nullptr, nullptr, nullptr};
constexpr sublist_ref kNoSublist{kDropped, 0};

}  // namespace

#include "tables.inc"

namespace {

// ---------------------------------------------------------------- orders

const read_step kTopologySteps[] = {
    {&k_r_network, nullptr, nullptr},
    {&k_r_domains, nullptr, nullptr},
    {&k_r_listvalues, nullptr, nullptr},
    {&k_r_globallistvars, nullptr, nullptr},
    {&k_r_validintbandwidth, nullptr, nullptr},
    {&k_r_domainvariables, nullptr, nullptr},
    {&k_r_domainconnvars, nullptr, nullptr},
    {&k_r_domainnodes, nullptr, nullptr},
    {&k_r_domainnodevars, nullptr, nullptr},
    {&k_r_domainservice, nullptr, nullptr},
    {&k_r_domainconnections, nullptr, nullptr},
    {&k_r_domainfixedconn, nullptr, nullptr},
    {&k_r_domainintnames, nullptr, nullptr},
    {&k_r_domainconntypes, nullptr, nullptr},
    {&k_r_domainremotetypes, nullptr, nullptr},
    {&k_r_domaininttypes, nullptr, nullptr},
    {&k_r_domaininstancevars, nullptr, nullptr},
    {&k_r_hsrpmember, nullptr, nullptr},
    {&k_r_hsrpconnections, nullptr, nullptr},
    {&k_r_ipaddresspools, nullptr, nullptr},
    {&k_r_addressassign, nullptr, nullptr},
    {&k_r_addressdependency, nullptr, nullptr},
    {&k_r_domainnodeconnbkp, nullptr, nullptr},
    {&k_r_domainnodelogint, nullptr, nullptr},
    {&k_r_servicetypes, nullptr, nullptr},
    {&k_r_servicetypenames, nullptr, nullptr},
    {&k_r_servicetypevars, nullptr, nullptr},
    {&k_r_networkvars, nullptr, nullptr},
    {&k_r_pooltypes, nullptr, nullptr},
    {&k_r_pooltypemap, nullptr, nullptr},
    {&k_r_poolsequence, nullptr, nullptr},
    {&k_r_connapsmember, nullptr, nullptr},
    {&k_r_systemlistvalues, nullptr, read_systemlist},
    {&k_r_domainconnfilters, nullptr, nullptr},
    {&k_r_poolclass, nullptr, nullptr},
    {&k_r_vcclass, nullptr, nullptr},
    {&k_r_vcmembers, nullptr, nullptr},
    {&k_r_vcconnfilters, nullptr, nullptr},
};
const read_step kCustomerSteps[] = {
    {&k_r_custvars, nullptr, nullptr},
    {&k_r_custconntypes, nullptr, nullptr},
    {&k_r_custconnqospolicies, nullptr, read_custqospolicies},
    {&k_r_custaddrtypes, nullptr, nullptr},
    {&k_r_custconninterfaces, nullptr, nullptr},
    {&k_r_custconnnodes, nullptr, nullptr},
    {&k_r_custconnnodesloopback, nullptr, read_custloopbacks},
    {&k_r_custnodevars, nullptr, nullptr},
    {&k_r_custconnvars, nullptr, nullptr},
    {&k_r_custhsrpvars, nullptr, nullptr},
    {&k_r_custconnfilters, nullptr, nullptr},
    {&k_r_poolclassmap, nullptr, nullptr},
};
const read_step kRoutingSteps[] = {
    {&k_r_domainprotocols, nullptr, nullptr},
    {&k_r_domainaddrsummary, nullptr, nullptr},
    {&k_r_domainbgpnetwork, nullptr, nullptr},
    {&k_r_domainnodeareas, nullptr, nullptr},
    {&k_r_domainconnareas, nullptr, nullptr},
    {&k_r_domainredist, nullptr, nullptr},
    {&k_r_ospfdefault, nullptr, nullptr},
    {&k_r_domaindistlist, nullptr, nullptr},
    {&k_r_domainbgpaddragrr, nullptr, nullptr},
    {&k_r_domainbgppeer, nullptr, nullptr},
    {&k_r_domainbgpinfo, nullptr, nullptr},
    {&k_r_domainbgppeerrule, nullptr, nullptr},
    {&k_r_domainnodearearanges, nullptr, nullptr},
    {&k_r_domainprefixhdr, nullptr, nullptr},
    {&k_r_domainprefixlist, nullptr, nullptr},
    {&k_r_domainroutemap, nullptr, nullptr},
    {&k_r_domainroutemapmatchlist, nullptr, nullptr},
    {&k_r_domainroutemapsetlist, nullptr, nullptr},
    {&k_r_domainmapclass, nullptr, nullptr},
    {&k_r_domainfilterlist, nullptr, nullptr},
    {&k_r_domainstaticroute, nullptr, nullptr},
    {&k_r_domainoffsetlist, nullptr, nullptr},
    {&k_r_domainpassiveint, nullptr, nullptr},
    {&k_r_pimrp, nullptr, nullptr},
    {&k_r_pimacceptrp, nullptr, nullptr},
    {&k_r_pimbsr, nullptr, nullptr},
    {&k_r_pimregister, nullptr, nullptr},
    {&k_r_pimrate, nullptr, nullptr},
    {&k_r_pimmember, nullptr, nullptr},
    {&k_r_autorpfilter, nullptr, nullptr},
    {&k_r_mapppingagent, nullptr, nullptr},
    {&k_r_msdpclass, nullptr, nullptr},
    {&k_r_msdppeer, nullptr, nullptr},
    {&k_r_igmpmember, nullptr, nullptr},
    {&k_r_igmpgroup, nullptr, nullptr},
    {&k_r_dvmrpmember, nullptr, nullptr},
};
const read_step kFirewallSteps[] = {
    {&k_r_domainaccesslist, nullptr, nullptr},
    {&k_r_domainacllist, nullptr, nullptr},
    {&k_r_domainextacl, nullptr, nullptr},
    {&k_r_domainqueues, nullptr, nullptr},
    {&k_r_domaincustsubq, nullptr, nullptr},
};
const read_step kQosSteps[] = {
    {&k_r_matchruletable, nullptr, read_matchrules},
    {&k_r_markruletable, nullptr, nullptr},
    {&k_r_shaperuletable, nullptr, nullptr},
    {&k_r_policeruletable, &k_r_policeactions, read_policerules},
    {&k_r_dropruletable, nullptr, read_droprules},
    {&k_r_policyruletable, &k_r_subqueues, read_policyclasses},
    {&k_r_servenrollvars, nullptr, nullptr},
};

}  // namespace

const read_section kSections[5] = {
    {kTopologySteps, std::size(kTopologySteps)},
    {kCustomerSteps, std::size(kCustomerSteps)},
    {kRoutingSteps, std::size(kRoutingSteps)},
    {kFirewallSteps, std::size(kFirewallSteps)},
    {kQosSteps, std::size(kQosSteps)},
};

const write_step kWriteOrder[] = {
    {"print_network", nullptr, nullptr, print_network},
    {"print_policyversions", nullptr, nullptr, print_policyversions},
    {"print_listvalues", &k_w_listvalues, nullptr, nullptr},
    {"print_validintbandwidth", &k_w_validintbandwidth, nullptr, nullptr},
    {"print_domain", &k_w_domain, nullptr, nullptr},
    {"print_domainvariables", &k_w_domainvariables, nullptr, nullptr},
    {"print_domainnodes", &k_w_domainnodes, nullptr, nullptr},
    {"print_domainnodevars", &k_w_domainnodevars, nullptr, nullptr},
    {"print_domainservice", &k_w_domainservices, nullptr, nullptr},
    {"print_domainconnections", &k_w_domainconnections, nullptr, nullptr},
    {"print_domainfixedconn", &k_w_domainfixedconn, nullptr, nullptr},
    {"print_domainintnames", &k_w_domainintnames, nullptr, nullptr},
    {"print_domainconnvars", &k_w_domainconnvars, nullptr, nullptr},
    {"print_domainconntypes", &k_w_domainconntypes, nullptr, nullptr},
    {"print_domaininstancevars", &k_w_domaininstvars, nullptr, nullptr},
    {"print_domainremotetypes", &k_w_domainremotetypes, nullptr, nullptr},
    {"print_domaininttypes", &k_w_domaininttypes, nullptr, nullptr},
    {"print_hsrpmember", &k_w_hsrpmember, nullptr, nullptr},
    {"print_hsrpconnections", &k_w_hsrpconnections, nullptr, nullptr},
    {"print_domainconnfilters", &k_w_domainconnfilters, nullptr, nullptr},
    {"print_ipaddresspools", &k_w_ipaddresspools, nullptr, nullptr},
    {"print_addressassign", &k_w_addressassign, nullptr, nullptr},
    {"print_addressdependency", &k_w_addressdependency, nullptr, nullptr},
    {"print_domainnodeconnbkp", &k_w_domainnodeconnbkp, nullptr, nullptr},
    {"print_domainnodelogint", &k_w_domainnodelogint, nullptr, nullptr},
    {"print_domainstaticroute", &k_w_domainstaticroute, nullptr, nullptr},
    {"print_domainprotocols", &k_w_domainprotocols, nullptr, nullptr},
    {"print_domainpassiveint", &k_w_domainpassiveint, nullptr, nullptr},
    {"print_domainaddrsummary", &k_w_domainaddrsummary, nullptr, nullptr},
    {"print_domainbgpnetwork", &k_w_domainbgpnetwork, nullptr, nullptr},
    {"print_domainredist", &k_w_domainredist, nullptr, nullptr},
    {"print_domainospfdefault", &k_w_domainospfdefault, nullptr, nullptr},
    {"print_domainnodeareas", &k_w_domainnodeareas, nullptr, nullptr},
    {"print_domainnodearearanges", &k_w_domainnodearearanges, nullptr, nullptr},
    {"print_domainconnareas", &k_w_domainconnareas, nullptr, nullptr},
    {"print_domaindistlist", &k_w_domaindistlist, nullptr, nullptr},
    {"print_domainbgpaddragrr", &k_w_domainbgpaddragrr, nullptr, nullptr},
    {"print_domainbgppeer", &k_w_domainbgppeer, nullptr, nullptr},
    {"print_domainbgpinfo", &k_w_domainbgpinfo, nullptr, nullptr},
    {"print_domainbgppeerrule", &k_w_domainbgppeerrule, nullptr, nullptr},
    {"print_domainroutemap", &k_w_domainroutemap, nullptr, nullptr},
    {"print_routemapmatchlist", &k_w_routemapmatchlist, nullptr, nullptr},
    {"print_routemapsetlist", &k_w_routemapsetlist, nullptr, nullptr},
    {"print_domainaccesslist", &k_w_domainaccesslist, nullptr, print_domainaccesslist},
    {"print_domainextacl", &k_w_domainextacl, nullptr, nullptr},
    {"print_domainacllist", &k_w_domainacllist, nullptr, nullptr},
    {"print_domainprefixhdr", &k_w_domainprefixhdr, nullptr, nullptr},
    {"print_domainprefixlist", &k_w_domainprefixlist, nullptr, nullptr},
    {"print_domainfilterlist", &k_w_domainfilterlist, nullptr, nullptr},
    {"print_domainqueues", &k_w_domainqueues, nullptr, nullptr},
    {"print_domaincustsubq", &k_w_domaincustsubq, nullptr, nullptr},
    {"print_domainmapclass", &k_w_domainmapclass, nullptr, nullptr},
    {"print_networkvars", &k_w_networkvars, nullptr, nullptr},
    {"print_custconntypes", &k_w_custconntypes, &k_w_custconnqospolicy, nullptr},
    {"print_custconnaddrtypes", &k_w_custconnaddrtypes, nullptr, nullptr},
    {"print_connapsdata", &k_w_apsmember, nullptr, nullptr},
    {"print_custconnnodes", &k_w_custconnnodes, &k_w_custconnnodeslb, nullptr},
    {"print_custconninterfaces", &k_w_custconninterfaces, nullptr, nullptr},
    {"print_custvars", &k_w_custvars, nullptr, nullptr},
    {"print_servicetypenames", &k_w_servicetypenames, nullptr, nullptr},
    {"print_servicetypes", &k_w_servicetypes, nullptr, nullptr},
    {"print_servicetypevars", &k_w_servicetypevars, nullptr, nullptr},
    {"print_pooltypes", &k_w_pooltypes, nullptr, nullptr},
    {"print_pooltypemap", &k_w_compooltypes, nullptr, nullptr},
    {"print_poolsequence", &k_w_poolsequence, nullptr, nullptr},
    {"print_poolclasses", &k_w_poolclass, nullptr, nullptr},
    {"print_poolclassmap", &k_w_poolclassmapping, nullptr, nullptr},
    {"print_systemlistvalues", &k_w_systemlistvalues, nullptr, nullptr},
    {"print_servenrollvar", &k_w_serviceenrollvars, nullptr, nullptr},
    {"print_qospolicelist", &k_w_qospoliceruleclass, &k_w_qospoliceactionclass, nullptr},
    {"print_droprules", &k_w_qosdropruleclass, nullptr, nullptr},
    {"print_shaperules", &k_w_qosshaperuleclass, nullptr, nullptr},
    {"print_qosmarktable", &k_w_qosmarkruleclass, nullptr, nullptr},
    {"print_matchruletable", &k_w_qosmatchruleclass, nullptr, nullptr},
    {"print_qospolicyclasstable", &k_w_qospolicyclass, nullptr, nullptr},
    {"print_qossubqueuetable", &k_w_qossubqueueclass, nullptr, nullptr},
    {"print_custnodevars", &k_w_custnodevars, nullptr, nullptr},
    {"print_custconnvars", &k_w_custconnvars, nullptr, nullptr},
    {"print_custhsrpvars", &k_w_custconnhsrpvars, nullptr, nullptr},
    {"print_custconnfilters", &k_w_custconnfilters, nullptr, nullptr},
    {"print_domainoffsetlist", &k_w_domainoffsetlist, nullptr, nullptr},
    {"print_vcclass", &k_w_vcclass, nullptr, nullptr},
    {"print_vcconnfilters", &k_w_vcmemberfilters, nullptr, nullptr},
    {"print_vcmembers", &k_w_vcmemberclass, nullptr, nullptr},
    {"print_pimrpclass", &k_w_pimrpclass, nullptr, nullptr},
    {"print_pimacceptrpclass", &k_w_pimacceptclass, nullptr, nullptr},
    {"print_pimbsr", &k_w_pimbsrclass, nullptr, nullptr},
    {"print_pimregister", &k_w_pimregisterclass, nullptr, nullptr},
    {"print_pimrate", &k_w_pimmemberrateclass, nullptr, nullptr},
    {"print_pimmember", &k_w_pimmemberclass, nullptr, nullptr},
    {"print_autorpfilter", &k_w_pimrpfilterclass, nullptr, nullptr},
    {"print_mappingagent", &k_w_pimautorpclass, nullptr, nullptr},
    {"print_msdpclass", &k_w_msdpclass, nullptr, nullptr},
    {"print_msdppeer", &k_w_msdpneighborclass, nullptr, nullptr},
    {"print_igmpmember", &k_w_igmpintclass, nullptr, nullptr},
    {"print_igmpgroup", &k_w_igmpintaddrclass, nullptr, nullptr},
    {"print_dvmrpmember", &k_w_dvmrpintclass, nullptr, nullptr},
    {"print_globallistvars", &k_w_globallistvars, nullptr, nullptr},
};
const size_t kWriteOrderCount = std::size(kWriteOrder);



// ---------------------------------------------------------------- named readers

namespace {

template <class T>
T *read_list(const reader_desc &d) {
    raw_list list;
    read_table(d, &list);
    return static_cast<T *>(list.head);
}

}  // namespace

}  // namespace ndldb

using namespace ndldb;

network_rec *load_network() { return read_list<network_rec>(k_r_network); }
domain_rec *load_domains() { return read_list<domain_rec>(k_r_domains); }
domain_variable_rec *load_domainvariables() { return read_list<domain_variable_rec>(k_r_domainvariables); }
domain_conn_type_rec *load_domainconntypes() { return read_list<domain_conn_type_rec>(k_r_domainconntypes); }
domain_fixed_conn_rec *load_domainfixedconn() { return read_list<domain_fixed_conn_rec>(k_r_domainfixedconn); }
domain_conn_var_rec *load_domainconnvars() { return read_list<domain_conn_var_rec>(k_r_domainconnvars); }
domain_node_rec *load_domainnodes() { return read_list<domain_node_rec>(k_r_domainnodes); }
domain_node_var_rec *load_domainnodevars() { return read_list<domain_node_var_rec>(k_r_domainnodevars); }
domain_remote_type_rec *load_domainremotetypes() { return read_list<domain_remote_type_rec>(k_r_domainremotetypes); }
domain_int_type_rec *load_domaininttypes() { return read_list<domain_int_type_rec>(k_r_domaininttypes); }
domain_inst_var_rec *load_domaininstancevars() { return read_list<domain_inst_var_rec>(k_r_domaininstancevars); }
hsrp_member_rec *load_hsrpmember() { return read_list<hsrp_member_rec>(k_r_hsrpmember); }
hsrp_connection_rec *load_hsrpconnections() { return read_list<hsrp_connection_rec>(k_r_hsrpconnections); }
address_assign_rec *load_addressassign() { return read_list<address_assign_rec>(k_r_addressassign); }
domain_node_log_int_rec *load_domainnodelogint() { return read_list<domain_node_log_int_rec>(k_r_domainnodelogint); }
service_type_rec *load_servicetypes() { return read_list<service_type_rec>(k_r_servicetypes); }
service_type_var_rec *load_servicetypevars() { return read_list<service_type_var_rec>(k_r_servicetypevars); }
network_var_rec *load_networkvars() { return read_list<network_var_rec>(k_r_networkvars); }
pool_type_rec *load_pooltypes() { return read_list<pool_type_rec>(k_r_pooltypes); }
com_pool_type_rec *load_pooltypemap() { return read_list<com_pool_type_rec>(k_r_pooltypemap); }
pool_class_rec *load_poolclass() { return read_list<pool_class_rec>(k_r_poolclass); }
pool_sequence_rec *load_poolsequence() { return read_list<pool_sequence_rec>(k_r_poolsequence); }
aps_member_rec *load_connapsmember() { return read_list<aps_member_rec>(k_r_connapsmember); }
vc_class_rec *load_vcclass() { return read_list<vc_class_rec>(k_r_vcclass); }
vc_member_class_rec *load_vcmembers() { return read_list<vc_member_class_rec>(k_r_vcmembers); }
pool_class_mapping_rec *load_poolclassmap() { return read_list<pool_class_mapping_rec>(k_r_poolclassmap); }
cust_var_rec *load_custvars() { return read_list<cust_var_rec>(k_r_custvars); }
cust_conn_type_rec *load_custconntypes() { return read_list<cust_conn_type_rec>(k_r_custconntypes); }
cust_conn_addr_type_rec *load_custaddrtypes() { return read_list<cust_conn_addr_type_rec>(k_r_custaddrtypes); }
cust_conn_interface_rec *load_custconninterfaces() { return read_list<cust_conn_interface_rec>(k_r_custconninterfaces); }
cust_conn_node_rec *load_custconnnodes() { return read_list<cust_conn_node_rec>(k_r_custconnnodes); }
int load_custconnqospolicies(cust_conn_type_rec *list) { return read_custqospolicies_of(k_r_custconnqospolicies, list); }
int load_custconnnodesloopback(cust_conn_node_rec *list) { return read_custloopbacks_of(k_r_custconnnodesloopback, list); }
