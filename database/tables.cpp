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

// ---------------------------------------------------------------- readers

const column_desc k_r_network_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(network_rec, networkid)},
    {"networkname", col_text, copy_plain, 0, FIELD(network_rec, networkname)},
    {"organization", col_text, copy_plain, 0, FIELD(network_rec, organization)},
    {"address", col_text, copy_plain, 0, FIELD(network_rec, address)},
    {"city", col_text, copy_plain, 0, FIELD(network_rec, city)},
    {"country", col_text, copy_plain, 0, FIELD(network_rec, country)},
    {"networkzonename", col_text, copy_plain, 0, FIELD(network_rec, networkzonename)},
    {"exportedzonename", col_text, copy_plain, 0, FIELD(network_rec, exportedzonename)},
    {"securitygroup", col_text, copy_plain, 0, FIELD(network_rec, securitygroup)},
};
const reader_desc k_r_network = {"networks", COLS(k_r_network_cols), false, nullptr, RECORD(network_rec), "networks", "networks", form_returning, RLIST(network_rec, prnetwork)};

const column_desc k_r_domains_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_rec, domainname)},
};
const reader_desc k_r_domains = {"domain", COLS(k_r_domains_cols), false, nullptr, RECORD(domain_rec), "Domain", "Domain", form_returning, RLIST(domain_rec, prdomains)};

const column_desc k_r_listvalues_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(list_value_rec, networkid)},
    {"listname", col_text, copy_plain, 0, FIELD(list_value_rec, listname)},
    {"elementvalue", col_text, copy_plain, 0, FIELD(list_value_rec, elementvalue)},
};
const reader_desc k_r_listvalues = {"listvalues", COLS(k_r_listvalues_cols), false, nullptr, RECORD(list_value_rec), "Listvalues", "Listvalues", form_returning, RLIST(list_value_rec, prlistvalues)};

const column_desc k_r_globallistvars_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"listid", col_text, copy_plain, 0, FIELD(global_list_var_rec, listid)},
    {"sequence", col_int, copy_plain, 0, FIELD(global_list_var_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(global_list_var_rec, variablename)},
};
const reader_desc k_r_globallistvars = {"globallistvars", COLS(k_r_globallistvars_cols), false, nullptr, RECORD(global_list_var_rec), "GlobalListvars", "GlobalListvars", form_returning, RLIST(global_list_var_rec, prgloballistvars)};

const column_desc k_r_validintbandwidth_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(valid_int_bandwidth_rec, networkid)},
    {"interfacetype", col_text, copy_plain, 0, FIELD(valid_int_bandwidth_rec, interfacetype)},
    {"bandwidth", col_text, copy_plain, 0, FIELD(valid_int_bandwidth_rec, bandwidth)},
};
const reader_desc k_r_validintbandwidth = {"VALIDINTBANDWIDTH", COLS(k_r_validintbandwidth_cols), false, nullptr, RECORD(valid_int_bandwidth_rec), "VALIDINTBANDWIDTH", "VALIDINTBANDWIDTH", form_returning, RLIST(valid_int_bandwidth_rec, prvalidintbandwidth)};

const column_desc k_r_domainvariables_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_variable_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_variable_rec, domainname)},
    {"sequence", col_int, copy_plain, 0, FIELD(domain_variable_rec, sequence)},
    {"variablename", col_text, copy_loc, 0, FIELD(domain_variable_rec, variablename)},
    {"displayname", col_text, copy_loc, 0, FIELD(domain_variable_rec, displayname)},
    {"variabletype", col_text, copy_loc, 0, FIELD(domain_variable_rec, variabletype)},
    {"updatestatus", col_text, copy_loc, 0, FIELD(domain_variable_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(domain_variable_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(domain_variable_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(domain_variable_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_variable_rec, defaultvalue)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_variable_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_variable_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_variable_rec, uniquec)},
};
const reader_desc k_r_domainvariables = {"domainvariables", COLS(k_r_domainvariables_cols), false, nullptr, RECORD(domain_variable_rec), "Domainvariables", "Domainvariables", form_returning, RLIST(domain_variable_rec, prdomainvariables)};

const column_desc k_r_domainconnvars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, networkid)},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, connectionno)},
    {"sequence", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(domain_conn_var_rec, variablename)},
    {"displayname", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, displayname)},
    {"variabletype", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, variabletype)},
    {"updatestatus", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(domain_conn_var_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, defaultvalue)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_conn_var_rec, uniquec)},
};
const reader_desc k_r_domainconnvars = {"domainconnvars", COLS(k_r_domainconnvars_cols), false, nullptr, RECORD(domain_conn_var_rec), "Domainconnvars", "Domainconnvars", form_returning, RLIST(domain_conn_var_rec, prdomainconnvars)};

const column_desc k_r_domainnodes_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_node_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_rec, nodetype)},
    {"nodeidstart", col_int, copy_plain, 0, FIELD(domain_node_rec, nodeidstart)},
    {"minnode", col_int, copy_plain, 0, FIELD(domain_node_rec, minnode)},
    {"maxnode", col_int, copy_plain, 0, FIELD(domain_node_rec, maxnode)},
    {"NVL(hostname,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_rec, hostname)},
    {"devicetype", col_text, copy_plain, 0, FIELD(domain_node_rec, devicetype)},
    {"iscpe", col_int, copy_plain, 0, FIELD(domain_node_rec, iscpe)},
    {"remoteaccess", col_int, copy_plain, 0, FIELD(domain_node_rec, remoteaccess)},
    {"remoteaddrtype", col_text, copy_plain, 0, FIELD(domain_node_rec, remoteaddrtype)},
    {"natinside", col_int, copy_plain, 0, FIELD(domain_node_rec, natinside)},
    {"nataddrtype", col_text, copy_plain, 0, FIELD(domain_node_rec, nataddrtype)},
    {"routedprotocols", col_int, copy_plain, 0, FIELD(domain_node_rec, routedprotocols)},
    {"controller", col_int, copy_plain, 0, FIELD(domain_node_rec, controller)},
};
const reader_desc k_r_domainnodes = {"domainnodes", COLS(k_r_domainnodes_cols), false, nullptr, RECORD(domain_node_rec), "Domainnodes", "Domainnodes", form_returning, RLIST(domain_node_rec, prdomainnodes)};

const column_desc k_r_domainnodevars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_node_var_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_var_rec, domainname)},
    {"sequence", col_int, copy_plain, 0, FIELD(domain_node_var_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(domain_node_var_rec, variablename)},
    {"displayname", col_text, copy_loc, 0, FIELD(domain_node_var_rec, displayname)},
    {"variabletype", col_text, copy_loc, 0, FIELD(domain_node_var_rec, variabletype)},
    {"updatestatus", col_text, copy_loc, 0, FIELD(domain_node_var_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(domain_node_var_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(domain_node_var_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(domain_node_var_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_var_rec, defaultvalue)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_var_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_var_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_var_rec, uniquec)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_var_rec, nodetype)},
};
const reader_desc k_r_domainnodevars = {"domainnodevars", COLS(k_r_domainnodevars_cols), false, nullptr, RECORD(domain_node_var_rec), "Domainnodevars", "Domainnodevars", form_returning, RLIST(domain_node_var_rec, prdomainnodevars)};

const column_desc k_r_domainservice_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_service_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_service_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_service_rec, nodetype)},
    {"servicename", col_text, copy_plain, 0, FIELD(domain_service_rec, servicename)},
    {"NVL(sourceaddress,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_service_rec, sourceaddress)},
};
const reader_desc k_r_domainservice = {"domainservices", COLS(k_r_domainservice_cols), false, nullptr, RECORD(domain_service_rec), "Domainservices", "Domainservices", form_returning, RLIST(domain_service_rec, prdomainservices)};

const column_desc k_r_domainconnections_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_connection_rec, networkid)},
    {"domainname1", col_text, copy_plain, 0, FIELD(domain_connection_rec, domainname1)},
    {"domainname2", col_text, copy_plain, 0, FIELD(domain_connection_rec, domainname2)},
    {"conntype", col_text, copy_plain, 0, FIELD(domain_connection_rec, conntype)},
    {"maxconn", col_int, copy_plain, 0, FIELD(domain_connection_rec, maxconn)},
    {"minconn", col_int, copy_plain, 0, FIELD(domain_connection_rec, minconn)},
};
const reader_desc k_r_domainconnections = {"domainconnections", COLS(k_r_domainconnections_cols), false, nullptr, RECORD(domain_connection_rec), "Domainconnections", "Domainconnections", form_returning, RLIST(domain_connection_rec, prdomainconnections)};

const column_desc k_r_domainfixedconn_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_fixed_conn_rec, networkid)},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_fixed_conn_rec, connectionno)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_fixed_conn_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_fixed_conn_rec, nodetype)},
    {"nattype", col_text, copy_plain, 0, FIELD(domain_fixed_conn_rec, nattype)},
    {"NVL(authserver,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_fixed_conn_rec, authserver)},
    {"minconn", col_int, copy_plain, 0, FIELD(domain_fixed_conn_rec, minconn)},
    {"maxconn", col_int, copy_plain, 0, FIELD(domain_fixed_conn_rec, maxconn)},
    {"NVL(secondaryip,0)", col_int, copy_plain, 0, FIELD(domain_fixed_conn_rec, secondaryip)},
};
const reader_desc k_r_domainfixedconn = {"domainfixedconn", COLS(k_r_domainfixedconn_cols), false, nullptr, RECORD(domain_fixed_conn_rec), "Domainfixedconn", "Domainfixedconn", form_returning, RLIST(domain_fixed_conn_rec, prdomainfixedconn)};

const column_desc k_r_domainintnames_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_int_name_rec, connectionno)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_int_name_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_int_name_rec, nodetype)},
    {"instanceno", col_int, copy_plain, 0, FIELD(domain_int_name_rec, instanceno)},
    {"interfacename", col_text, copy_plain, 0, FIELD(domain_int_name_rec, interfacename)},
};
const reader_desc k_r_domainintnames = {"domainintnames", COLS(k_r_domainintnames_cols), false, nullptr, RECORD(domain_int_name_rec), "domainintnames", "domainintnames", form_returning, RLIST(domain_int_name_rec, prdomainintnames)};

const column_desc k_r_domainconntypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_conn_type_rec, connectionno)},
    {"connectionname", col_text, copy_plain, 0, FIELD(domain_conn_type_rec, connectionname)},
    {"connectionscope", col_text, copy_plain, 0, FIELD(domain_conn_type_rec, connectionscope)},
    {"connectiontype", col_text, copy_plain, 0, FIELD(domain_conn_type_rec, connectiontype)},
    {"networktypes", col_int, copy_plain, 0, FIELD(domain_conn_type_rec, networktypes)},
    {"addresstype", col_text, copy_plain, 0, FIELD(domain_conn_type_rec, addresstype)},
    {"prefix", col_text, copy_loc, 0, FIELD(domain_conn_type_rec, prefix)},
    {"valcheck", col_text, copy_plain, 0, FIELD(domain_conn_type_rec, valcheck)},
    {"maxconn", col_int, copy_plain, 0, FIELD(domain_conn_type_rec, maxconn)},
};
const reader_desc k_r_domainconntypes = {"domainconntypes", COLS(k_r_domainconntypes_cols), false, nullptr, RECORD(domain_conn_type_rec), "Domainconntypes", "Domainconntypes", form_returning, RLIST(domain_conn_type_rec, prdomainconntypes)};

const column_desc k_r_domainremotetypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, connectionno)},
    {"peruser", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, peruser)},
    {"isdn", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, isdn)},
    {"async", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, async)},
    {"dialout", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, dialout)},
    {"dialin", col_int, copy_plain, 0, FIELD(domain_remote_type_rec, dialin)},
};
const reader_desc k_r_domainremotetypes = {"domainremotetypes", COLS(k_r_domainremotetypes_cols), false, nullptr, RECORD(domain_remote_type_rec), "Domainremotetypes", "Domainremotetypes", form_returning, RLIST(domain_remote_type_rec, prdomainremotetypes)};

const column_desc k_r_domaininttypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_int_type_rec, connectionno)},
    {"interfacetype", col_text, copy_plain, 0, FIELD(domain_int_type_rec, interfacetype)},
    {"encapsulationtype", col_text, copy_plain, 0, FIELD(domain_int_type_rec, encapsulationtype)},
    {"isauthenticated", col_int, copy_plain, 0, FIELD(domain_int_type_rec, isauthenticated)},
    {"subinterface", col_int, copy_plain, 0, FIELD(domain_int_type_rec, subinterface)},
    {"NVL(authenticationtype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_int_type_rec, authenticationtype)},
    {"NVL(conntype, 'IS NULL')", col_text, copy_loc, 0, FIELD(domain_int_type_rec, conntype)},
};
const reader_desc k_r_domaininttypes = {"domaininttypes", COLS(k_r_domaininttypes_cols), false, nullptr, RECORD(domain_int_type_rec), "Domaininttypes", "Domaininttypes", form_returning, RLIST(domain_int_type_rec, prdomaininttypes)};

const column_desc k_r_domaininstancevars_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionname", col_text, copy_plain, 0, FIELD(domain_inst_var_rec, connectionname)},
    {"sequenceno", col_int, copy_plain, 0, FIELD(domain_inst_var_rec, sequenceno)},
    {"variablename", col_text, copy_plain, 0, FIELD(domain_inst_var_rec, variablename)},
};
const reader_desc k_r_domaininstancevars = {"domaininstvars", COLS(k_r_domaininstancevars_cols), false, nullptr, RECORD(domain_inst_var_rec), "Domaininstvars", "Domaininstvars", form_returning, RLIST(domain_inst_var_rec, prdomaininstancevars)};

const column_desc k_r_hsrpmember_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(hsrp_member_rec, networkid)},
    {"connectionno", col_int, copy_plain, 0, FIELD(hsrp_member_rec, connectionno)},
    {"sequenceno", col_int, copy_plain, 0, FIELD(hsrp_member_rec, sequenceno)},
    {"domainname", col_text, copy_plain, 0, FIELD(hsrp_member_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(hsrp_member_rec, nodetype)},
    {"subsequenceno", col_int, copy_plain, 0, FIELD(hsrp_member_rec, subsequenceno)},
    {"NVL(trackinterface,'IS NULL')", col_text, copy_loc, 0, FIELD(hsrp_member_rec, trackinterface)},
    {"NVL(trackpriority,0)", col_int, copy_plain, 0, FIELD(hsrp_member_rec, trackpriority)},
};
const reader_desc k_r_hsrpmember = {"hsrpmember", COLS(k_r_hsrpmember_cols), false, nullptr, RECORD(hsrp_member_rec), "Hsrpmember", "Hsrpmember", form_returning, RLIST(hsrp_member_rec, prhsrpmember)};

const column_desc k_r_hsrpconnections_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(hsrp_connection_rec, networkid)},
    {"connectionno", col_int, copy_plain, 0, FIELD(hsrp_connection_rec, connectionno)},
    {"sequenceno", col_int, copy_plain, 0, FIELD(hsrp_connection_rec, sequenceno)},
    {"addresstype", col_text, copy_plain, 0, FIELD(hsrp_connection_rec, addresstype)},
    {"authenticated", col_int, copy_plain, 0, FIELD(hsrp_connection_rec, authenticated)},
    {"subsequenceno", col_int, copy_plain, 0, FIELD(hsrp_connection_rec, subsequenceno)},
    {"NVL(hsrppriority,'IS NULL')", col_text, copy_loc, 0, FIELD(hsrp_connection_rec, hsrppriority)},
};
const reader_desc k_r_hsrpconnections = {"hsrpconnections", COLS(k_r_hsrpconnections_cols), false, nullptr, RECORD(hsrp_connection_rec), "Hsrpconnections", "Hsrpconnections", form_returning, RLIST(hsrp_connection_rec, prhsrpconnections)};

const column_desc k_r_ipaddresspools_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(ip_address_pool_rec, networkid)},
    {"addresspoolname", col_text, copy_plain, 0, FIELD(ip_address_pool_rec, addresspoolname)},
    {"protocoltype", col_text, copy_plain, 0, FIELD(ip_address_pool_rec, protocoltype)},
    {"startaddress", col_text, copy_plain, 0, FIELD(ip_address_pool_rec, startaddress)},
    {"endaddress", col_text, copy_plain, 0, FIELD(ip_address_pool_rec, endaddress)},
};
const reader_desc k_r_ipaddresspools = {"ipaddresspools", COLS(k_r_ipaddresspools_cols), false, nullptr, RECORD(ip_address_pool_rec), "Ipaddresspools", "Ipaddresspools", form_returning, RLIST(ip_address_pool_rec, praddresspools)};

const column_desc k_r_addressassign_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(address_assign_rec, networkid)},
    {"namedpointtype", col_int, copy_plain, 0, FIELD(address_assign_rec, namedpointtype)},
    {"namedendpoint", col_text, copy_plain, 0, FIELD(address_assign_rec, namedendpoint)},
    {"addresspoolname", col_text, copy_plain, 0, FIELD(address_assign_rec, addresspoolname)},
    {"sequence", col_int, copy_plain, 0, FIELD(address_assign_rec, sequence)},
    {"NVL(scope,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, scope)},
    {"NVL(offset,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, offset)},
    {"NVL(ipaddress,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, ipaddress)},
    {"NVL(poolname,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, poolname)},
    {"NVL(servicetype,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, servicetype)},
    {"NVL(hosttype,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, hosttype)},
    {"NVL(nattype,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, nattype)},
    {"NVL(poolowner,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, poolowner)},
    {"NVL(poolownervar,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, poolownervar)},
    {"NVL(poolclass,'IS NULL')", col_text, copy_loc, 0, FIELD(address_assign_rec, poolclass)},
};
const reader_desc k_r_addressassign = {"addressassign", COLS(k_r_addressassign_cols), false, nullptr, RECORD(address_assign_rec), "Addressassign", "Addressassign", form_returning, RLIST(address_assign_rec, praddressassign)};

const column_desc k_r_addressdependency_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(address_dependency_rec, networkid)},
    {"namedpointtype", col_int, copy_plain, 0, FIELD(address_dependency_rec, namedpointtype)},
    {"namedendpoint", col_text, copy_plain, 0, FIELD(address_dependency_rec, namedendpoint)},
    {"addresspoolname", col_text, copy_plain, 0, FIELD(address_dependency_rec, addresspoolname)},
    {"sequence", col_int, copy_plain, 0, FIELD(address_dependency_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(address_dependency_rec, variablename)},
    {"minvalue", col_numtext, copy_plain, 0, FIELD(address_dependency_rec, minvalue)},
    {"maxvalue", col_numtext, copy_plain, 0, FIELD(address_dependency_rec, maxvalue)},
};
const reader_desc k_r_addressdependency = {"addressdependency", COLS(k_r_addressdependency_cols), false, nullptr, RECORD(address_dependency_rec), "Addressdependency", "Addressdependency", form_returning, RLIST(address_dependency_rec, praddressdependency)};

const column_desc k_r_domainnodeconnbkp_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, nodetype)},
    {"scope", col_text, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, scope)},
    {"connectionname", col_text, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, connectionname)},
    {"backupconnname", col_text, copy_plain, 0, FIELD(domain_node_conn_bkp_rec, backupconnname)},
};
const reader_desc k_r_domainnodeconnbkp = {"domainnodeconnbkp", COLS(k_r_domainnodeconnbkp_cols), false, nullptr, RECORD(domain_node_conn_bkp_rec), "Domainnodeconnbkp", "Domainnodeconnbkp", form_returning, RLIST(domain_node_conn_bkp_rec, prdomainnodeconnbkp)};

const column_desc k_r_domainnodelogint_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_node_log_int_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, nodetype)},
    {"devicetype", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, devicetype)},
    {"intno", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, intno)},
    {"addresstype", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, addresstype)},
    {"prefix", col_int, copy_plain, 0, FIELD(domain_node_log_int_rec, prefix)},
    {"dependency", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, dependency)},
    {"valcheck", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, valcheck)},
    {"inttype", col_text, copy_plain, 0, FIELD(domain_node_log_int_rec, inttype)},
};
const reader_desc k_r_domainnodelogint = {"domainnodelogint", COLS(k_r_domainnodelogint_cols), false, nullptr, RECORD(domain_node_log_int_rec), "Domainnodelogint", "Domainnodelogint", form_returning, RLIST(domain_node_log_int_rec, prdomainnodelogint)};

const column_desc k_r_servicetypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(service_type_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(service_type_rec, servicetype)},
    {"hosttype", col_text, copy_plain, 0, FIELD(service_type_rec, hosttype)},
};
const reader_desc k_r_servicetypes = {"servicetypes", COLS(k_r_servicetypes_cols), false, nullptr, RECORD(service_type_rec), "Servicetypes", "Servicetypes", form_returning, RLIST(service_type_rec, prservicetypes)};

const column_desc k_r_servicetypenames_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(service_type_name_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(service_type_name_rec, servicetype)},
    {"servicename", col_text, copy_plain, 0, FIELD(service_type_name_rec, servicename)},
};
const reader_desc k_r_servicetypenames = {"servicetypenames", COLS(k_r_servicetypenames_cols), false, nullptr, RECORD(service_type_name_rec), "Servicetypenames", "Servicetypenames", form_returning, RLIST(service_type_name_rec, prservicetypenames)};

const column_desc k_r_servicetypevars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(service_type_var_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(service_type_var_rec, servicetype)},
    {"sequence", col_int, copy_plain, 0, FIELD(service_type_var_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(service_type_var_rec, variablename)},
    {"displayname", col_text, copy_plain, 0, FIELD(service_type_var_rec, displayname)},
    {"variabletype", col_text, copy_plain, 0, FIELD(service_type_var_rec, variabletype)},
    {"updatestatus", col_text, copy_plain, 0, FIELD(service_type_var_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(service_type_var_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(service_type_var_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(service_type_var_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(service_type_var_rec, defaultvalue)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(service_type_var_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(service_type_var_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(service_type_var_rec, uniquec)},
};
const reader_desc k_r_servicetypevars = {"servicetypevars", COLS(k_r_servicetypevars_cols), false, nullptr, RECORD(service_type_var_rec), "Servicetypevars", "Servicetypevars", form_returning, RLIST(service_type_var_rec, prservicetypevars)};

const column_desc k_r_networkvars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(network_var_rec, networkid)},
    {"sequence", col_int, copy_plain, 0, FIELD(network_var_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(network_var_rec, variablename)},
    {"variabletype", col_text, copy_plain, 0, FIELD(network_var_rec, variabletype)},
    {"variablevalue", col_text, copy_plain, 0, FIELD(network_var_rec, variablevalue)},
};
const reader_desc k_r_networkvars = {"networkvars", COLS(k_r_networkvars_cols), false, nullptr, RECORD(network_var_rec), "Networkvars", "Networkvars", form_returning, RLIST(network_var_rec, prnetworkvars)};

const column_desc k_r_pooltypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(pool_type_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(pool_type_rec, servicetype)},
    {"hosttype", col_text, copy_plain, 0, FIELD(pool_type_rec, hosttype)},
    {"poolowner", col_text, copy_plain, 0, FIELD(pool_type_rec, poolowner)},
    {"validation", col_text, copy_plain, 0, FIELD(pool_type_rec, validation)},
};
const reader_desc k_r_pooltypes = {"pooltypes", COLS(k_r_pooltypes_cols), false, nullptr, RECORD(pool_type_rec), "Pooltypes", "Pooltypes", form_returning, RLIST(pool_type_rec, prpooltypes)};

const column_desc k_r_pooltypemap_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(com_pool_type_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(com_pool_type_rec, servicetype)},
    {"hosttype", col_text, copy_plain, 0, FIELD(com_pool_type_rec, hosttype)},
    {"communicationtype", col_text, copy_plain, 0, FIELD(com_pool_type_rec, communicationtype)},
    {"addressmode", col_text, copy_plain, 0, FIELD(com_pool_type_rec, addressmode)},
};
const reader_desc k_r_pooltypemap = {"compooltypes", COLS(k_r_pooltypemap_cols), false, nullptr, RECORD(com_pool_type_rec), "Compooltypes", "Compooltypes", form_returning, RLIST(com_pool_type_rec, prpooltypemap)};

const column_desc k_r_poolsequence_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(pool_sequence_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(pool_sequence_rec, servicetype)},
    {"hosttype", col_text, copy_plain, 0, FIELD(pool_sequence_rec, hosttype)},
    {"poolowner", col_text, copy_plain, 0, FIELD(pool_sequence_rec, poolowner)},
    {"sequence", col_int, copy_plain, 0, FIELD(pool_sequence_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(pool_sequence_rec, variablename)},
};
const reader_desc k_r_poolsequence = {"poolsequence", COLS(k_r_poolsequence_cols), false, nullptr, RECORD(pool_sequence_rec), "Poolsequence", "Poolsequence", form_returning, RLIST(pool_sequence_rec, prpoolsequence)};

const column_desc k_r_connapsmember_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(aps_member_rec, connectionno)},
    {"interfacemode", col_int, copy_plain, 0, FIELD(aps_member_rec, interfacemode)},
    {"domainname", col_text, copy_plain, 0, FIELD(aps_member_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(aps_member_rec, nodetype)},
};
const reader_desc k_r_connapsmember = {"apsmember", COLS(k_r_connapsmember_cols), false, nullptr, RECORD(aps_member_rec), "Apsmember", "Apsmember", form_returning, RLIST(aps_member_rec, prconnapsdatalist)};

const column_desc k_r_systemlistvalues_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"listname", col_text, copy_plain, 0, FIELD(system_list_rec, listname)},
    {"displayname", col_text, copy_plain, 1, FIELD(system_list_elem_rec, displayname)},
    {"elementvalue", col_text, copy_plain, 1, FIELD(system_list_elem_rec, elementvalue)},
};
const reader_desc k_r_systemlistvalues = {"systemlistvalues", COLS(k_r_systemlistvalues_cols), false, "ORDER BY networkid,listname", RECORD(system_list_rec), "Systemlistvalues", "Systemlistvalues", form_returning, RLIST(system_list_rec, pr_systemlist)};

const column_desc k_r_domainconnfilters_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_conn_filter_rec, networkid)},
    {"connectionno", col_int, copy_plain, 0, FIELD(domain_conn_filter_rec, connectionno)},
    {"sequence", col_int, copy_plain, 0, FIELD(domain_conn_filter_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(domain_conn_filter_rec, variablename)},
};
const reader_desc k_r_domainconnfilters = {"domainconnfilters", COLS(k_r_domainconnfilters_cols), false, nullptr, RECORD(domain_conn_filter_rec), "Domainconnfilters", "Domainconnfilters", form_returning, RLIST(domain_conn_filter_rec, prdomconnfilters)};

const column_desc k_r_poolclass_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(pool_class_rec, networkid)},
    {"name", col_text, copy_plain, 0, FIELD(pool_class_rec, name)},
    {"value", col_text, copy_plain, 0, FIELD(pool_class_rec, value)},
    {"isdefault", col_int, copy_plain, 0, FIELD(pool_class_rec, isdefault)},
    {"isshared", col_int, copy_plain, 0, FIELD(pool_class_rec, isshared)},
};
const reader_desc k_r_poolclass = {"poolclass", COLS(k_r_poolclass_cols), false, nullptr, RECORD(pool_class_rec), "Poolclass", "Poolclass", form_returning, RLIST(pool_class_rec, prpoolclass)};

const column_desc k_r_vcclass_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(vc_class_rec, connectionno)},
    {"connectionname", col_text, copy_plain, 0, FIELD(vc_class_rec, connectionname)},
    {"encapsulationtype", col_text, copy_plain, 0, FIELD(vc_class_rec, encapsulationtype)},
    {"connectiontype", col_text, copy_plain, 0, FIELD(vc_class_rec, connectiontype)},
    {"pathmode", col_text, copy_plain, 0, FIELD(vc_class_rec, pathmode)},
    {"pathtype", col_text, copy_plain, 0, FIELD(vc_class_rec, pathtype)},
    {"scope", col_text, copy_plain, 0, FIELD(vc_class_rec, scope)},
    {"maxconn", col_int, copy_plain, 0, FIELD(vc_class_rec, maxconn)},
    {"isauthenticated", col_int, copy_plain, 0, FIELD(vc_class_rec, isauthenticated)},
};
const reader_desc k_r_vcclass = {"vcclass", COLS(k_r_vcclass_cols), false, nullptr, RECORD(vc_class_rec), "Vcclass", "Vcclass", form_returning, RLIST(vc_class_rec, prlogconntypes)};

const column_desc k_r_vcmembers_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(vc_member_class_rec, connectionno)},
    {"sequence", col_int, copy_plain, 0, FIELD(vc_member_class_rec, sequence)},
    {"domainname", col_text, copy_plain, 0, FIELD(vc_member_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(vc_member_class_rec, nodetype)},
    {"minconn", col_int, copy_plain, 0, FIELD(vc_member_class_rec, minconn)},
    {"maxconn", col_int, copy_plain, 0, FIELD(vc_member_class_rec, maxconn)},
    {"membertype", col_text, copy_plain, 0, FIELD(vc_member_class_rec, membertype)},
    {"NVL(interface,'IS NULL')", col_text, copy_loc, 0, FIELD(vc_member_class_rec, interface)},
    {"NVL(connectionname,'IS NULL')", col_text, copy_loc, 0, FIELD(vc_member_class_rec, connectionname)},
    {"NVL(tunnelsource,'IS NULL')", col_text, copy_loc, 0, FIELD(vc_member_class_rec, tunnelsource)},
};
const reader_desc k_r_vcmembers = {"vcmemberclass", COLS(k_r_vcmembers_cols), false, nullptr, RECORD(vc_member_class_rec), "Vcmemberclass", "Vcmemberclass", form_returning, RLIST(vc_member_class_rec, prvcmembers)};

const column_desc k_r_vcconnfilters_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"connectionno", col_int, copy_plain, 0, FIELD(vc_member_filter_rec, connectionno)},
    {"sequence", col_int, copy_plain, 0, FIELD(vc_member_filter_rec, sequence)},
    {"variablename", col_text, copy_plain, 0, FIELD(vc_member_filter_rec, variablename)},
};
const reader_desc k_r_vcconnfilters = {"vcmemberfilters", COLS(k_r_vcconnfilters_cols), false, nullptr, RECORD(vc_member_filter_rec), "Vcmemberfilters", "Vcmemberfilters", form_returning, RLIST(vc_member_filter_rec, prvcconnfilters)};

const column_desc k_r_poolclassmap_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(pool_class_mapping_rec, networkid)},
    {"conntypename", col_text, copy_plain, 0, FIELD(pool_class_mapping_rec, conntypename)},
    {"roletype", col_text, copy_plain, 0, FIELD(pool_class_mapping_rec, roletype)},
    {"hosttype", col_text, copy_plain, 0, FIELD(pool_class_mapping_rec, hosttype)},
    {"nattype", col_text, copy_plain, 0, FIELD(pool_class_mapping_rec, nattype)},
    {"poolclass", col_text, copy_plain, 0, FIELD(pool_class_mapping_rec, poolclass)},
    {"enrollforall", col_int, copy_plain, 0, FIELD(pool_class_mapping_rec, enrollforall)},
};
const reader_desc k_r_poolclassmap = {"poolclassmapping", COLS(k_r_poolclassmap_cols), false, nullptr, RECORD(pool_class_mapping_rec), "Poolclassmapping", "Poolclassmapping", form_returning, RLIST(pool_class_mapping_rec, prpoolclassmap)};

const column_desc k_r_domainprotocols_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_protocol_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_protocol_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_protocol_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_protocol_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_protocol_rec, asn)},
    {"mandatory", col_text, copy_plain, 0, FIELD(domain_protocol_rec, mandatory)},
    {"NVL(routerid,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_protocol_rec, routerid)},
    {"NVL(clusterid,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_protocol_rec, clusterid)},
    {"NVL(usagecondition, 'IS NULL')", col_text, copy_loc, 0, FIELD(domain_protocol_rec, usagecondition)},
};
const reader_desc k_r_domainprotocols = {"domainprotocols", COLS(k_r_domainprotocols_cols), true, nullptr, RECORD(domain_protocol_rec), "Domainprotocols", "Domainprotocols", form_filling, RLIST(domain_protocol_rec, prdomainprotocols)};

const column_desc k_r_domainpassiveint_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(domain_passive_int_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_passive_int_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_passive_int_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_passive_int_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_passive_int_rec, asn)},
    {"interfacename", col_text, copy_plain, 0, FIELD(domain_passive_int_rec, interfacename)},
};
const reader_desc k_r_domainpassiveint = {"domainpassiveint", COLS(k_r_domainpassiveint_cols), true, nullptr, RECORD(domain_passive_int_rec), "Domainpassiveint", "Domainpassiveint", form_returning, RLIST(domain_passive_int_rec, prdomainpassiveint)};

const column_desc k_r_igmpgroup_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(igmp_int_addr_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(igmp_int_addr_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(igmp_int_addr_class_rec, sequence)},
    {"namedinterface", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, namedinterface)},
    {"addrtype", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, addrtype)},
    {"groupaddress", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, groupaddress)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_addr_class_rec, context3)},
};
const reader_desc k_r_igmpgroup = {"igmpintaddrclass", COLS(k_r_igmpgroup_cols), true, nullptr, RECORD(igmp_int_addr_class_rec), "Igmpintaddrclass", "Igmpintaddrclass", form_filling_status, RLIST(igmp_int_addr_class_rec, prigmpgroup)};

const column_desc k_r_igmpmember_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(igmp_int_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(igmp_int_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(igmp_int_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_class_rec, context3)},
    {"NVL(namedinterface,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_class_rec, namedinterface)},
    {"NVL(accessgroup,'IS NULL')", col_text, copy_loc, 0, FIELD(igmp_int_class_rec, accessgroup)},
};
const reader_desc k_r_igmpmember = {"igmpintclass", COLS(k_r_igmpmember_cols), true, nullptr, RECORD(igmp_int_class_rec), "Igmpintclass", "Igmpintclass", form_filling_status, RLIST(igmp_int_class_rec, prigmpmember)};

const column_desc k_r_msdpclass_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(msdp_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(msdp_class_rec, nodetype)},
    {"NVL(redistacl,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_class_rec, redistacl)},
    {"NVL(redistasnpathacl,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_class_rec, redistasnpathacl)},
    {"NVL(redistroutemap,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_class_rec, redistroutemap)},
    {"NVL(originatorid,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_class_rec, originatorid)},
    {"NVL(borderasaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_class_rec, borderasaddr)},
};
const reader_desc k_r_msdpclass = {"msdpclass", COLS(k_r_msdpclass_cols), true, nullptr, RECORD(msdp_class_rec), "Msdpclass", "Msdpclass", form_filling_status, RLIST(msdp_class_rec, prmsdpclass)};

const column_desc k_r_dvmrpmember_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(dvmrp_int_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(dvmrp_int_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(dvmrp_int_class_rec, sequence)},
    {"namedinterface", col_text, copy_plain, 0, FIELD(dvmrp_int_class_rec, namedinterface)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, context3)},
    {"NVL(metric,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, metric)},
    {"NVL(metricacl,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, metricacl)},
    {"NVL(acceptfilter,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, acceptfilter)},
    {"NVL(neighborfilter,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, neighborfilter)},
    {"NVL(summaryaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, summaryaddr)},
    {"NVL(summarymask,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, summarymask)},
    {"NVL(summarymetric,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, summarymetric)},
    {"NVL(inoffset,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, inoffset)},
    {"NVL(outoffset,'IS NULL')", col_text, copy_loc, 0, FIELD(dvmrp_int_class_rec, outoffset)},
};
const reader_desc k_r_dvmrpmember = {"dvmrpintclass", COLS(k_r_dvmrpmember_cols), true, nullptr, RECORD(dvmrp_int_class_rec), "Dvmrpintclass", "Dvmrpintclass", form_filling_status, RLIST(dvmrp_int_class_rec, prdvmrpmember)};

const column_desc k_r_msdppeer_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(msdp_neighbor_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(msdp_neighbor_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(msdp_neighbor_class_rec, sequence)},
    {"neighbor", col_text, copy_plain, 0, FIELD(msdp_neighbor_class_rec, neighbor)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, context3)},
    {"NVL(connectsource,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, connectsource)},
    {"NVL(remoteas,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, remoteas)},
    {"NVL(description,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, description)},
    {"NVL(safilterinacl,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, safilterinacl)},
    {"NVL(safilteroutacl,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, safilteroutacl)},
    {"NVL(safilterinmap,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, safilterinmap)},
    {"NVL(safilteroutmap,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, safilteroutmap)},
    {"NVL(defaultpeer,0)", col_int, copy_loc, 0, FIELD(msdp_neighbor_class_rec, defaultpeer)},
    {"NVL(defprefixlist,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, defprefixlist)},
    {"NVL(meshgroup,'IS NULL')", col_text, copy_loc, 0, FIELD(msdp_neighbor_class_rec, meshgroup)},
};
const reader_desc k_r_msdppeer = {"msdpneighborclass", COLS(k_r_msdppeer_cols), true, nullptr, RECORD(msdp_neighbor_class_rec), "Msdpneighborclass", "Msdpneighborclass", form_filling_status, RLIST(msdp_neighbor_class_rec, prmsdppeer)};

const column_desc k_r_pimregister_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_register_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_register_class_rec, nodetype)},
    {"NVL(registersource,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_register_class_rec, registersource)},
    {"NVL(registerrate,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_register_class_rec, registerrate)},
    {"NVL(acceptregisteracl,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_register_class_rec, acceptregisteracl)},
    {"NVL(acceptregisterrate,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_register_class_rec, acceptregisterrate)},
};
const reader_desc k_r_pimregister = {"pimregisterclass", COLS(k_r_pimregister_cols), true, nullptr, RECORD(pim_register_class_rec), "Pimregisterclass", "Pimregisterclass", form_filling_status, RLIST(pim_register_class_rec, prpimregister)};

const column_desc k_r_autorpfilter_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_rp_filter_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_rp_filter_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_rp_filter_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_filter_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_filter_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_filter_class_rec, context3)},
    {"NVL(rpfilter,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_filter_class_rec, rpfilter)},
    {"NVL(rpgroupfilter,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_filter_class_rec, rpgroupfilter)},
};
const reader_desc k_r_autorpfilter = {"pimrpfilterclass", COLS(k_r_autorpfilter_cols), true, nullptr, RECORD(pim_rp_filter_class_rec), "Pimrpfilterclass", "Pimrpfilterclass", form_filling_status, RLIST(pim_rp_filter_class_rec, prautorpfilter)};

const column_desc k_r_mapppingagent_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_auto_rp_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_auto_rp_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_auto_rp_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_auto_rp_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_auto_rp_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_auto_rp_class_rec, context3)},
    {"NVL(discoverint,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_auto_rp_class_rec, discoverint)},
};
const reader_desc k_r_mapppingagent = {"pimautorpclass", COLS(k_r_mapppingagent_cols), true, nullptr, RECORD(pim_auto_rp_class_rec), "Pimautorpclass", "Pimautorpclass", form_filling_status, RLIST(pim_auto_rp_class_rec, prmappingagent)};

const column_desc k_r_pimmember_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_member_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_member_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_member_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, context3)},
    {"NVL(namedinterface,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, namedinterface)},
    {"NVL(mcastmode,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, mcastmode)},
    {"NVL(neighborfilter,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, neighborfilter)},
    {"NVL(inrate,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, inrate)},
    {"NVL(boundaryacl,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_class_rec, boundaryacl)},
};
const reader_desc k_r_pimmember = {"pimmemberclass", COLS(k_r_pimmember_cols), true, nullptr, RECORD(pim_member_class_rec), "Pimmemberclass", "Pimmemberclass", form_filling_status, RLIST(pim_member_class_rec, prpimmember)};

const column_desc k_r_pimrate_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_member_rate_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_member_rate_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_member_rate_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, context3)},
    {"NVL(namedinterface,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, namedinterface)},
    {"NVL(direction,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, direction)},
    {"NVL(rate,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, rate)},
    {"NVL(grouplist,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, grouplist)},
    {"NVL(sourcelist,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_member_rate_class_rec, sourcelist)},
};
const reader_desc k_r_pimrate = {"pimmemberrateclass", COLS(k_r_pimrate_cols), true, nullptr, RECORD(pim_member_rate_class_rec), "Pimmemberrateclass", "Pimmemberrateclass", form_filling_status, RLIST(pim_member_rate_class_rec, prpimrate)};

const column_desc k_r_pimbsr_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_bsr_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_bsr_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_bsr_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, context3)},
    {"NVL(bsrcandint,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, bsrcandint)},
    {"NVL(bsrcandmasklen,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, bsrcandmasklen)},
    {"NVL(priority,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_bsr_class_rec, priority)},
};
const reader_desc k_r_pimbsr = {"pimbsrclass", COLS(k_r_pimbsr_cols), true, nullptr, RECORD(pim_bsr_class_rec), "Pimbsrclass", "Pimbsrclass", form_filling_status, RLIST(pim_bsr_class_rec, prpimbsr)};

const column_desc k_r_pimacceptrp_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_accept_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_accept_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_accept_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_accept_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_accept_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_accept_class_rec, context3)},
    {"NVL(acceptrpaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_accept_class_rec, acceptrpaddr)},
    {"NVL(acceptrpacl,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_accept_class_rec, acceptrpacl)},
    {"NVL(autorp,0)", col_int, copy_loc, 0, FIELD(pim_accept_class_rec, autorp)},
};
const reader_desc k_r_pimacceptrp = {"pimacceptclass", COLS(k_r_pimacceptrp_cols), true, nullptr, RECORD(pim_accept_class_rec), "Pimacceptclass", "Pimacceptclass", form_filling_status, RLIST(pim_accept_class_rec, prpimacceptrp)};

const column_desc k_r_pimrp_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_plain, 0, FIELD(pim_rp_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(pim_rp_class_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(pim_rp_class_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, context3)},
    {"mcastmode", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, mcastmode)},
    {"NVL(rpaddress,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, rpaddress)},
    {"NVL(rpacl,'IS NULL')", col_text, copy_loc, 0, FIELD(pim_rp_class_rec, rpacl)},
};
const reader_desc k_r_pimrp = {"pimrpclass", COLS(k_r_pimrp_cols), true, nullptr, RECORD(pim_rp_class_rec), "Pimrpclass", "Pimrpclass", form_filling, RLIST(pim_rp_class_rec, prpimrp)};

const column_desc k_r_domainaddrsummary_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_addr_summary_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_addr_summary_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_addr_summary_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_addr_summary_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_addr_summary_rec, asn)},
    {"summary", col_text, copy_plain, 0, FIELD(domain_addr_summary_rec, summary)},
    {"prefix", col_int, copy_loc, 0, FIELD(domain_addr_summary_rec, prefix)},
    {"NVL(tag,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_addr_summary_rec, tag)},
};
const reader_desc k_r_domainaddrsummary = {"domainaddrsummary", COLS(k_r_domainaddrsummary_cols), true, nullptr, RECORD(domain_addr_summary_rec), "Domainaddrsummary", "Domainaddrsummary", form_filling, RLIST(domain_addr_summary_rec, prdomainaddrsummary)};

const column_desc k_r_domainstaticroute_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_static_route_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_static_route_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_static_route_rec, nodetype)},
    {"protocol", col_text, copy_loc, 0, FIELD(domain_static_route_rec, protocol)},
    {"addrno", col_int, copy_loc, 0, FIELD(domain_static_route_rec, addrno)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_static_route_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_static_route_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_static_route_rec, context3)},
    {"sourceaddr", col_text, copy_plain, 0, FIELD(domain_static_route_rec, sourceaddr)},
    {"NVL(sourcemask,'IS NULL')", col_numtext, copy_loc, 0, FIELD(domain_static_route_rec, sourcemask)},
    {"destination", col_text, copy_loc, 0, FIELD(domain_static_route_rec, destination)},
    {"NVL(weight,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_static_route_rec, weight)},
};
const reader_desc k_r_domainstaticroute = {"domainstaticroute", COLS(k_r_domainstaticroute_cols), true, nullptr, RECORD(domain_static_route_rec), "Domainstaticroute", "Domainstaticroute", form_filling, RLIST(domain_static_route_rec, prdomainstaticroute)};

const column_desc k_r_domainnodeareas_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_node_area_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_area_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_area_rec, nodetype)},
    {"routingprotocol", col_text, copy_plain, 0, FIELD(domain_node_area_rec, routingprotocol)},
    {"routedprotocol", col_text, copy_plain, 0, FIELD(domain_node_area_rec, routedprotocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_node_area_rec, asn)},
    {"areaid", col_text, copy_plain, 0, FIELD(domain_node_area_rec, areaid)},
    {"sequenceno", col_int, copy_loc, 0, FIELD(domain_node_area_rec, sequenceno)},
    {"NVL(summaryaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_area_rec, summaryaddr)},
    {"NVL(summarmask,0)", col_int, copy_loc, 0, FIELD(domain_node_area_rec, summarmask)},
    {"NVL(stubtype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_area_rec, stubtype)},
};
const reader_desc k_r_domainnodeareas = {"domainnodeareas", COLS(k_r_domainnodeareas_cols), true, nullptr, RECORD(domain_node_area_rec), "Domainnodeareas", "Domainnodeareas", form_filling, RLIST(domain_node_area_rec, prdomainnodeareas)};

const column_desc k_r_domainconnareas_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_conn_area_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, nodetype)},
    {"routingprotocol", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, routingprotocol)},
    {"routedprotocol", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, routedprotocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, asn)},
    {"sequenceno", col_int, copy_loc, 0, FIELD(domain_conn_area_rec, sequenceno)},
    {"namedinterface", col_text, copy_plain, 0, FIELD(domain_conn_area_rec, namedinterface)},
    {"NVL(summaryaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_conn_area_rec, summaryaddr)},
    {"NVL(summarmask,0)", col_int, copy_loc, 0, FIELD(domain_conn_area_rec, summarmask)},
    {"authenticated", col_int, copy_loc, 0, FIELD(domain_conn_area_rec, authenticated)},
};
const reader_desc k_r_domainconnareas = {"domainconnareas", COLS(k_r_domainconnareas_cols), true, nullptr, RECORD(domain_conn_area_rec), "Domainconnareas", "Domainconnareas", form_filling, RLIST(domain_conn_area_rec, prdomainconnareas)};

const column_desc k_r_domainredist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_redist_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_redist_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_redist_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_redist_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_redist_rec, asn)},
    {"redistprotocol", col_text, copy_plain, 0, FIELD(domain_redist_rec, redistprotocol)},
    {"redistasn", col_text, copy_plain, 0, FIELD(domain_redist_rec, redistasn)},
    {"NVL(metric,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, metric)},
    {"NVL(metrictype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, metrictype)},
    {"NVL(route_map,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, route_map)},
    {"NVL(tag,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, tag)},
    {"NVL(weight,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, weight)},
    {"NVL(match,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, match)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_redist_rec, context3)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_redist_rec, sequence)},
};
const reader_desc k_r_domainredist = {"domainredist", COLS(k_r_domainredist_cols), true, nullptr, RECORD(domain_redist_rec), "Domainredist", "Domainredist", form_filling, RLIST(domain_redist_rec, prdomainredist)};

const column_desc k_r_ospfdefault_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_ospf_default_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_ospf_default_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_ospf_default_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_ospf_default_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_ospf_default_rec, asn)},
    {"NVL(metric,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_ospf_default_rec, metric)},
    {"NVL(metrictype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_ospf_default_rec, metrictype)},
    {"NVL(routemap,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_ospf_default_rec, routemap)},
    // tag, weight and match: fetched and dropped; the table keeps only the
    // nine columns its writer stores, so constants stand in for them.
    {"'IS NULL'", col_text, copy_loc, 0, kNoField},
    {"'IS NULL'", col_text, copy_loc, 0, kNoField},
    {"'IS NULL'", col_text, copy_loc, 0, kNoField},
};
const reader_desc k_r_ospfdefault = {"domainospfdefault", COLS(k_r_ospfdefault_cols), true, nullptr, RECORD(domain_ospf_default_rec), "Domainospfdefault", "Domainospfdefault", form_filling, RLIST(domain_ospf_default_rec, prdomainospfdefault)};

const column_desc k_r_domainoffsetlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_offset_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, protocol)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_offset_list_rec, sequence)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_offset_list_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_offset_list_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_offset_list_rec, context3)},
    {"acl", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, acl)},
    {"direction", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, direction)},
    {"offset", col_text, copy_plain, 0, FIELD(domain_offset_list_rec, offset)},
    {"NVL(interfacename,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_offset_list_rec, interfacename)},
};
const reader_desc k_r_domainoffsetlist = {"domainoffsetlist", COLS(k_r_domainoffsetlist_cols), true, nullptr, RECORD(domain_offset_list_rec), "Domainoffsetlist", "Domainoffsetlist", form_filling, RLIST(domain_offset_list_rec, prdomainoffsetlist)};

const column_desc k_r_domaindistlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_dist_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, protocol)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_dist_list_rec, sequence)},
    {"NVL(asn,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, asn)},
    {"NVL(redistprotocol,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, redistprotocol)},
    {"NVL(redistasn,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, redistasn)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_dist_list_rec, context3)},
    {"listtype", col_int, copy_loc, 0, FIELD(domain_dist_list_rec, listtype)},
    {"acl", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, acl)},
    {"direction", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, direction)},
    {"NVL(type,0)", col_int, copy_loc, 0, FIELD(domain_dist_list_rec, type)},
    {"interfacename", col_text, copy_plain, 0, FIELD(domain_dist_list_rec, interfacename)},
};
const reader_desc k_r_domaindistlist = {"domaindistlist", COLS(k_r_domaindistlist_cols), true, nullptr, RECORD(domain_dist_list_rec), "Domaindistlist", "Domaindistlist", form_filling, RLIST(domain_dist_list_rec, prdomaindistlist)};

const column_desc k_r_domainnodearearanges_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_node_area_range_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, nodetype)},
    {"routingprotocol", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, routingprotocol)},
    {"routedprotocol", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, routedprotocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, asn)},
    {"sequenceno", col_int, copy_loc, 0, FIELD(domain_node_area_range_rec, sequenceno)},
    {"subsequenceno", col_int, copy_loc, 0, FIELD(domain_node_area_range_rec, subsequenceno)},
    {"NVL(summaryaddr,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_node_area_range_rec, summaryaddr)},
    {"NVL(summarmask,0)", col_int, copy_loc, 0, FIELD(domain_node_area_range_rec, summarmask)},
    {"areaid", col_text, copy_plain, 0, FIELD(domain_node_area_range_rec, areaid)},
};
const reader_desc k_r_domainnodearearanges = {"domainnodearearanges", COLS(k_r_domainnodearearanges_cols), true, nullptr, RECORD(domain_node_area_range_rec), "Domainnodearearanges", "Domainnodearearanges", form_filling, RLIST(domain_node_area_range_rec, prdomainnodearearanges)};

const column_desc k_r_domainbgpnetwork_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_bgp_network_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_bgp_network_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_bgp_network_rec, nodetype)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_bgp_network_rec, protocol)},
    {"asn", col_text, copy_plain, 0, FIELD(domain_bgp_network_rec, asn)},
    {"networkno", col_int, copy_loc, 0, FIELD(domain_bgp_network_rec, networkno)},
    {"networkaddr", col_text, copy_plain, 0, FIELD(domain_bgp_network_rec, networkaddr)},
    {"NVL(networkmask,-1)", col_int, copy_loc, 0, FIELD(domain_bgp_network_rec, networkmask)},
    {"NVL(routemapname,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_network_rec, routemapname)},
};
const reader_desc k_r_domainbgpnetwork = {"domainbgpnetwork", COLS(k_r_domainbgpnetwork_cols), true, nullptr, RECORD(domain_bgp_network_rec), "Domainbgpnetwork", "Domainbgpnetwork", form_filling, RLIST(domain_bgp_network_rec, prdomainbgpnetwork)};

const column_desc k_r_domainbgpaddragrr_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_bgp_addr_agrr_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_bgp_addr_agrr_rec, nodetype)},
    {"networkno", col_int, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, networkno)},
    {"networkaddr", col_text, copy_plain, 0, FIELD(domain_bgp_addr_agrr_rec, networkaddr)},
    {"networkprefix", col_int, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, networkprefix)},
    {"asset", col_int, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, asset)},
    {"summaryonly", col_int, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, summaryonly)},
    {"NVL(advertisemap,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, advertisemap)},
    {"NVL(supressmap,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, supressmap)},
    {"NVL(attributemap,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, attributemap)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_addr_agrr_rec, context3)},
};
const reader_desc k_r_domainbgpaddragrr = {"domainbgpaddragrr", COLS(k_r_domainbgpaddragrr_cols), true, nullptr, RECORD(domain_bgp_addr_agrr_rec), "Domainbgpaddragrr", "Domainbgpaddragrr", form_filling, RLIST(domain_bgp_addr_agrr_rec, prdomainbgpaddragrr)};

const column_desc k_r_domainbgppeer_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rec, nodetype)},
    {"peername", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rec, peername)},
    {"NVL(updatesource,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, updatesource)},
    {"NVL(remoteas,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, remoteas)},
    {"passwordreqd", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, passwordreqd)},
    {"NVL(routemapin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, routemapin)},
    {"NVL(routemapout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, routemapout)},
    {"NVL(filterlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, filterlistin)},
    {"NVL(filterlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, filterlistout)},
    {"NVL(distlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, distlistin)},
    {"NVL(distlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, distlistout)},
    {"NVL(prefixlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, prefixlistin)},
    {"NVL(prefixlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, prefixlistout)},
    {"NVL(routereflector,0)", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, routereflector)},
    {"NVL(nexthopself,0)", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, nexthopself)},
    {"NVL(weight,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, weight)},
    {"NVL(ebgp_multihop,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, ebgp_multihop)},
    {"NVL(defaultoriginate,0)", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, defaultoriginate)},
    {"NVL(defaultoriginate_rm,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_peer_rec, defaultoriginate_rm)},
    {"NVL(sendcommunity,0)", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rec, sendcommunity)},
};
const reader_desc k_r_domainbgppeer = {"domainbgppeer", COLS(k_r_domainbgppeer_cols), true, nullptr, RECORD(domain_bgp_peer_rec), "Domainbgppeer", "Domainbgppeer", form_filling, RLIST(domain_bgp_peer_rec, prdomainbgppeer)};

const column_desc k_r_domainbgpinfo_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_bgp_info_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_bgp_info_rec, nodetype)},
    {"NVL(peername,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, peername)},
    {"NVL(updatesource,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, updatesource)},
    {"NVL(remoteas,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, remoteas)},
    {"NVL(passwordreqd,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, passwordreqd)},
    {"NVL(routemapin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, routemapin)},
    {"NVL(routemapout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, routemapout)},
    {"NVL(filterlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, filterlistin)},
    {"NVL(filterlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, filterlistout)},
    {"NVL(distlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, distlistin)},
    {"NVL(distlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, distlistout)},
    {"NVL(prefixlistin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, prefixlistin)},
    {"NVL(prefixlistout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, prefixlistout)},
    {"NVL(routereflector,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, routereflector)},
    {"NVL(nexthopself,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, nexthopself)},
    {"NVL(weight,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, weight)},
    {"NVL(ebgpmultihop,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, ebgpmultihop)},
    {"NVL(defaultoriginate,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, defaultoriginate)},
    {"NVL(defaultoriginate_rm,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, defaultoriginate_rm)},
    {"NVL(sendcommunity,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, sendcommunity)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, context3)},
    {"NVL(neighbor,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_bgp_info_rec, neighbor)},
    {"NVL(sequence,0)", col_int, copy_loc, 0, FIELD(domain_bgp_info_rec, sequence)},
};
const reader_desc k_r_domainbgpinfo = {"domainbgpinfo", COLS(k_r_domainbgpinfo_cols), true, nullptr, RECORD(domain_bgp_info_rec), "Domainbgpinfo", "Domainbgpinfo", form_filling, RLIST(domain_bgp_info_rec, prdomainbgpinfo)};

const column_desc k_r_domainbgppeerrule_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_bgp_peer_rule_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rule_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rule_rec, nodetype)},
    {"peername", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rule_rec, peername)},
    {"variablename", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rule_rec, variablename)},
    {"variablevalue", col_text, copy_plain, 0, FIELD(domain_bgp_peer_rule_rec, variablevalue)},
};
const reader_desc k_r_domainbgppeerrule = {"domainbgppeerrule", COLS(k_r_domainbgppeerrule_cols), true, nullptr, RECORD(domain_bgp_peer_rule_rec), "Domainbgppeerrule", "Domainbgppeerrule", form_filling, RLIST(domain_bgp_peer_rule_rec, prdomainbgppeerrule)};

const column_desc k_r_domainprefixhdr_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_prefix_hdr_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_prefix_hdr_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_prefix_hdr_rec, nodetype)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_prefix_hdr_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_prefix_hdr_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_prefix_hdr_rec, context3)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_prefix_hdr_rec, sequence)},
    {"listname", col_text, copy_plain, 0, FIELD(domain_prefix_hdr_rec, listname)},
};
const reader_desc k_r_domainprefixhdr = {"domainprefixhdr", COLS(k_r_domainprefixhdr_cols), true, nullptr, RECORD(domain_prefix_hdr_rec), "Domainprefixhdr", "Domainprefixhdr", form_filling, RLIST(domain_prefix_hdr_rec, prdomainprefixhdr)};

const column_desc k_r_domainprefixlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_prefix_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_prefix_list_rec, nodetype)},
    {"NVL(lelen,0)", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, lelen)},
    {"NVL(gelen,0)", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, gelen)},
    {"NVL(length,0)", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, length)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, sequence)},
    {"subsequence", col_int, copy_loc, 0, FIELD(domain_prefix_list_rec, subsequence)},
    {"type", col_text, copy_plain, 0, FIELD(domain_prefix_list_rec, type)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_prefix_list_rec, repeatby)},
    {"network", col_text, copy_plain, 0, FIELD(domain_prefix_list_rec, network)},
};
const reader_desc k_r_domainprefixlist = {"domainprefixlist", COLS(k_r_domainprefixlist_cols), true, nullptr, RECORD(domain_prefix_list_rec), "Domainprefixlist", "Domainprefixlist", form_filling, RLIST(domain_prefix_list_rec, prdomainprefixlist)};

const column_desc k_r_domainroutemap_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_route_map_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_route_map_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_route_map_rec, nodetype)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_route_map_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_route_map_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_route_map_rec, context3)},
    {"routemap", col_text, copy_plain, 0, FIELD(domain_route_map_rec, routemap)},
    {"usage", col_text, copy_plain, 0, FIELD(domain_route_map_rec, usage)},
    {"owner", col_text, copy_plain, 0, FIELD(domain_route_map_rec, owner)},
    {"sequence", col_numtext, copy_loc, 0, FIELD(domain_route_map_rec, sequence)},
    {"type", col_text, copy_plain, 0, FIELD(domain_route_map_rec, type)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_route_map_rec, repeatby)},
    {"mapseqinc", col_int, copy_loc, 0, FIELD(domain_route_map_rec, mapseqinc)},
};
const reader_desc k_r_domainroutemap = {"domainroutemap", COLS(k_r_domainroutemap_cols), true, nullptr, RECORD(domain_route_map_rec), "Domainroutemap", "Domainroutemap", form_filling, RLIST(domain_route_map_rec, prdomainroutemap)};

const column_desc k_r_domainroutemapmatchlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(route_map_match_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(route_map_match_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(route_map_match_list_rec, nodetype)},
    {"routemap", col_text, copy_plain, 0, FIELD(route_map_match_list_rec, routemap)},
    {"sequence", col_numtext, copy_loc, 0, FIELD(route_map_match_list_rec, sequence)},
    {"matchsequence", col_numtext, copy_loc, 0, FIELD(route_map_match_list_rec, matchsequence)},
    {"matchtype", col_text, copy_plain, 0, FIELD(route_map_match_list_rec, matchtype)},
    {"matchvalue", col_text, copy_plain, 0, FIELD(route_map_match_list_rec, matchvalue)},
};
const reader_desc k_r_domainroutemapmatchlist = {"routemapmatchlist", COLS(k_r_domainroutemapmatchlist_cols), true, nullptr, RECORD(route_map_match_list_rec), "Routemapmatchlist", "Routemapmatchlist", form_filling, RLIST(route_map_match_list_rec, prroutemapmatchlist)};

const column_desc k_r_domainmapclass_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_map_class_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_map_class_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_map_class_rec, nodetype)},
    {"mapclassname", col_text, copy_loc, 0, FIELD(domain_map_class_rec, mapclassname)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, context3)},
    {"usage", col_text, copy_loc, 0, FIELD(domain_map_class_rec, usage)},
    {"owner", col_text, copy_loc, 0, FIELD(domain_map_class_rec, owner)},
    {"NVL(burstsizein,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, burstsizein)},
    {"NVL(burstsizeout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, burstsizeout)},
    {"NVL(burstexcessin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, burstexcessin)},
    {"NVL(burstexcessout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, burstexcessout)},
    {"NVL(cirin,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, cirin)},
    {"NVL(cirout,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, cirout)},
    {"NVL(customqueue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, customqueue)},
    {"NVL(priorityqueue,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, priorityqueue)},
    {"NVL(average,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, average)},
    {"NVL(peak,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_map_class_rec, peak)},
};
const reader_desc k_r_domainmapclass = {"domainmapclass", COLS(k_r_domainmapclass_cols), true, nullptr, RECORD(domain_map_class_rec), "Domainmapclass", "Domainmapclass", form_filling, RLIST(domain_map_class_rec, prdomainmapclass)};

const column_desc k_r_domainfilterlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_filter_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_filter_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_filter_list_rec, nodetype)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, context3)},
    {"NVL(type,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, type)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_filter_list_rec, sequence)},
    {"NVL(filtertype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, filtertype)},
    {"aclseqstart", col_text, copy_plain, 0, FIELD(domain_filter_list_rec, aclseqstart)},
    {"NVL(aclseqinc,0)", col_int, copy_loc, 0, FIELD(domain_filter_list_rec, aclseqinc)},
    {"NVL(substring,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_filter_list_rec, substring)},
};
const reader_desc k_r_domainfilterlist = {"domainfilterlist", COLS(k_r_domainfilterlist_cols), true, nullptr, RECORD(domain_filter_list_rec), "Domainfilterlist", "Domainfilterlist", form_filling, RLIST(domain_filter_list_rec, prdomainfilterlist)};

const column_desc k_r_domainaccesslist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_access_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_access_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_access_list_rec, nodetype)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_access_list_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_access_list_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_access_list_rec, context3)},
    {"acltype", col_text, copy_plain, 0, FIELD(domain_access_list_rec, acltype)},
    {"usage", col_text, copy_plain, 0, FIELD(domain_access_list_rec, usage)},
    {"NVL(owner,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_access_list_rec, owner)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_access_list_rec, sequence)},
    {"nametype", col_text, copy_plain, 0, FIELD(domain_access_list_rec, nametype)},
    {"aclname", col_text, copy_plain, 0, FIELD(domain_access_list_rec, aclname)},
    {"aclstart", col_int, copy_loc, 0, FIELD(domain_access_list_rec, aclstart)},
    {"NVL(aclinc,0)", col_int, copy_loc, 0, FIELD(domain_access_list_rec, aclinc)},
    {"NVL(direction,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_access_list_rec, direction)},
};
const reader_desc k_r_domainaccesslist = {"domainaccesslist", COLS(k_r_domainaccesslist_cols), true, nullptr, RECORD(domain_access_list_rec), "Domainaccesslist", "Domainaccesslist", form_filling, RLIST(domain_access_list_rec, prdomainaccesslist)};

const column_desc k_r_domainacllist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_acl_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_acl_list_rec, nodetype)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, sequence)},
    {"subsequence", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, subsequence)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, repeatby)},
    {"type", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, type)},
    {"protocoltype", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, protocoltype)},
    {"NVL(protocol,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, protocol)},
    {"NVL(source,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, source)},
    {"NVL(sourceprefix,0)", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, sourceprefix)},
    {"sourceportoptype", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, sourceportoptype)},
    {"NVL(sourceportop,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, sourceportop)},
    {"NVL(sourceporttype,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, sourceporttype)},
    {"NVL(sourceport,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, sourceport)},
    {"NVL(dest,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, dest)},
    {"NVL(destprefix,0)", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, destprefix)},
    {"destportoptype", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, destportoptype)},
    {"NVL(destportop,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, destportop)},
    {"destporttype", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, destporttype)},
    {"NVL(destport,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, destport)},
    {"NVL(precedence,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, precedence)},
    {"NVL(tos,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_acl_list_rec, tos)},
    {"NVL(established,0)", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, established)},
    {"NVL(log,0)", col_int, copy_loc, 0, FIELD(domain_acl_list_rec, log)},
};
const reader_desc k_r_domainacllist = {"domainacllist", COLS(k_r_domainacllist_cols), true, nullptr, RECORD(domain_acl_list_rec), "Domainacllist", "Domainacllist", form_filling, RLIST(domain_acl_list_rec, prdomainacllist)};

const column_desc k_r_domainextacl_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_ext_acl_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_ext_acl_rec, nodetype)},
    {"NVL(mask,0)", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, mask)},
    {"NVL(maskdncb,0)", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, maskdncb)},
    {"NVL(hostdncb,0)", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, hostdncb)},
    {"sequence", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, sequence)},
    {"subsequence", col_int, copy_loc, 0, FIELD(domain_ext_acl_rec, subsequence)},
    {"type", col_text, copy_plain, 0, FIELD(domain_ext_acl_rec, type)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_ext_acl_rec, repeatby)},
    {"protocol", col_text, copy_plain, 0, FIELD(domain_ext_acl_rec, protocol)},
    {"hostnetworkno", col_text, copy_plain, 0, FIELD(domain_ext_acl_rec, hostnetworkno)},
};
const reader_desc k_r_domainextacl = {"domainextacl", COLS(k_r_domainextacl_cols), true, nullptr, RECORD(domain_ext_acl_rec), "Domainextacl", "Domainextacl", form_filling, RLIST(domain_ext_acl_rec, prdomainextacl)};

const column_desc k_r_domainqueues_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_queue_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_queue_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_queue_rec, nodetype)},
    {"queuetype", col_text, copy_loc, 0, FIELD(domain_queue_rec, queuetype)},
    {"queuename", col_text, copy_loc, 0, FIELD(domain_queue_rec, queuename)},
    {"classifiertype", col_text, copy_loc, 0, FIELD(domain_queue_rec, classifiertype)},
    {"usage", col_text, copy_loc, 0, FIELD(domain_queue_rec, usage)},
    {"owner", col_text, copy_loc, 0, FIELD(domain_queue_rec, owner)},
};
const reader_desc k_r_domainqueues = {"domainqueues", COLS(k_r_domainqueues_cols), true, nullptr, RECORD(domain_queue_rec), "Domainqueues", "Domainqueues", form_filling, RLIST(domain_queue_rec, prdomainqueues)};

const column_desc k_r_domaincustsubq_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(domain_cust_subq_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(domain_cust_subq_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(domain_cust_subq_rec, nodetype)},
    {"queuename", col_text, copy_loc, 0, FIELD(domain_cust_subq_rec, queuename)},
    {"subqueuename", col_text, copy_loc, 0, FIELD(domain_cust_subq_rec, subqueuename)},
    {"NVL(classifier,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_cust_subq_rec, classifier)},
    {"isdefault", col_int, copy_loc, 0, FIELD(domain_cust_subq_rec, isdefault)},
    {"NVL(bytecount,'IS NULL')", col_text, copy_loc, 0, FIELD(domain_cust_subq_rec, bytecount)},
};
const reader_desc k_r_domaincustsubq = {"domaincustsubq", COLS(k_r_domaincustsubq_cols), true, nullptr, RECORD(domain_cust_subq_rec), "Domaincustsubq", "Domaincustsubq", form_filling, RLIST(domain_cust_subq_rec, prdomaincustsubq)};

const column_desc k_r_matchruletable_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, context3)},
    {"matchrulename", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, matchrulename)},
    {"NVL(matchdnf,0)", col_flag16, copy_loc, 0, FIELD(qos_match_rule_class_rec, matchdnf)},
    {"sequence", col_int, copy_loc, 0, FIELD(qos_match_rule_class_rec, sequence)},
    {"NVL(matchtype,'IS NULL')", col_text, copy_loc, 1, FIELD(qos_match_rule_class_elem_rec, matchtype)},
    {"NVL(matchvalue,'IS NULL')", col_text, copy_loc, 1, FIELD(qos_match_rule_class_elem_rec, matchvalue)},
    {"NVL(matchnegated,0)", col_flag16, copy_loc, 1, FIELD(qos_match_rule_class_elem_rec, matchnegated)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, usage2)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_match_rule_class_rec, repeatby)},
};
const reader_desc k_r_matchruletable = {"qosmatchruleclass", COLS(k_r_matchruletable_cols), true, "ORDER BY domainname, nodetype, matchrulename, sequence", RECORD(qos_match_rule_class_rec), "Qosmatchruleclass", "Qosmatchruleclass", form_filling, RLIST(qos_match_rule_class_rec, prmatchruledesclist)};

const column_desc k_r_dropruletable_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, context3)},
    {"droprulename", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, droprulename)},
    {"sequence", col_int, copy_loc, 0, FIELD(qos_drop_rule_class_rec, sequence)},
    {"NVL(droptype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, droptype)},
    {"NVL(dropsubtype,'IS NULL')", col_text, copy_loc, 1, FIELD(qos_drop_rule_class_elem_rec, dropsubtype)},
    {"NVL(dropparam1,'IS NULL')", col_text, copy_loc, 1, FIELD(qos_drop_rule_class_elem_rec, dropparam1)},
    {"NVL(dropparam2,'IS NULL')", col_text, copy_loc, 1, FIELD(qos_drop_rule_class_elem_rec, dropparam2)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, usage2)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_drop_rule_class_rec, repeatby)},
};
const reader_desc k_r_dropruletable = {"qosdropruleclass", COLS(k_r_dropruletable_cols), true, "ORDER BY networkid, domainname, nodetype, droprulename, sequence", RECORD(qos_drop_rule_class_rec), "Qosdropruleclass", "Qosdropruleclass", form_filling, RLIST(qos_drop_rule_class_rec, prdropruledesclist)};

const column_desc k_r_markruletable_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, context3)},
    {"markrulename", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, markrulename)},
    {"sequence", col_int, copy_plain, 0, FIELD(qos_mark_rule_class_rec, sequence)},
    {"NVL(marktype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, marktype)},
    {"NVL(markvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, markvalue)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, usage2)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_mark_rule_class_rec, repeatby)},
};
const reader_desc k_r_markruletable = {"qosmarkruleclass", COLS(k_r_markruletable_cols), true, nullptr, RECORD(qos_mark_rule_class_rec), "Qosmarkruleclass", "Qosmarkruleclass", form_filling, RLIST(qos_mark_rule_class_rec, prmarkruledesclist)};

const column_desc k_r_shaperuletable_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, context3)},
    {"shaperulename", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, shaperulename)},
    {"sequence", col_int, copy_plain, 0, FIELD(qos_shape_rule_class_rec, sequence)},
    {"NVL(matchrulename,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, matchrulename)},
    {"NVL(bitratetype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, bitratetype)},
    {"NVL(bitrate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, bitrate)},
    {"NVL(sustainedrate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, sustainedrate)},
    {"NVL(excessrate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, excessrate)},
    {"NVL(burstsize,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, burstsize)},
    {"NVL(excessburstsize,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, excessburstsize)},
    {"NVL(queuelength,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, queuelength)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, usage2)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_shape_rule_class_rec, repeatby)},
};
const reader_desc k_r_shaperuletable = {"qosshaperuleclass", COLS(k_r_shaperuletable_cols), true, nullptr, RECORD(qos_shape_rule_class_rec), "Qosshaperuleclass", "Qosshaperuleclass", form_filling, RLIST(qos_shape_rule_class_rec, prshaperuledesclist)};

const column_desc k_r_policeruletable_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, context3)},
    {"policerulename", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, policerulename)},
    {"sequence", col_int, copy_plain, 0, FIELD(qos_police_rule_class_rec, sequence)},
    {"NVL(matchrulename,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, matchrulename)},
    {"NVL(bitrate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, bitrate)},
    {"NVL(burstsize,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, burstsize)},
    {"NVL(excessburstsize,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, excessburstsize)},
    {"NVL(exceedrate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, exceedrate)},
    {"NVL(violaterate,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, violaterate)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, usage2)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_rule_class_rec, repeatby)},
};
const reader_desc k_r_policeruletable = {"qospoliceruleclass", COLS(k_r_policeruletable_cols), true, nullptr, RECORD(qos_police_rule_class_rec), "Qospoliceruleclass", "Qospoliceruleclass", form_filling, RLIST(qos_police_rule_class_rec, prpoliceruledesclist)};

const column_desc k_r_policyruletable_cols[] = {
    {"networkid", col_int, copy_loc, 0, kNoField},
    {"domainname", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, domainname)},
    {"nodetype", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, nodetype)},
    {"owner", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, owner)},
    {"NVL(context1,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, context1)},
    {"NVL(context2,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, context2)},
    {"NVL(context3,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, context3)},
    {"policyname", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, policyname)},
    {"policyid", col_int, copy_loc, 0, FIELD(qos_policy_class_rec, policyid)},
    {"NVL(mandatory,0)", col_int, copy_loc, 0, FIELD(qos_policy_class_rec, mandatory)},
    {"NVL(classrulename,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, classrulename)},
    {"NVL(direction,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, direction)},
    {"NVL(queuetype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, queuetype)},
    {"NVL(markrule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, markrule)},
    {"NVL(policerule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, policerule)},
    {"NVL(shaperule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, shaperule)},
    {"NVL(droprule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, droprule)},
    {"usage1", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, usage1)},
    {"usage2", col_text, copy_loc, 0, FIELD(qos_policy_class_rec, usage2)},
};
const reader_desc k_r_policyruletable = {"qospolicyclass", COLS(k_r_policyruletable_cols), true, nullptr, RECORD(qos_policy_class_rec), "Qospolicyclass", "Qospolicyclass", form_filling, RLIST(qos_policy_class_rec, prqospolicydesclist)};

const column_desc k_r_subqueues_cols[] = {
    {"NVL(markrule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, markrule)},
    {"NVL(shaperule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, shaperule)},
    {"NVL(matchrule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, matchrule)},
    {"NVL(markrule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, markrule)},
    {"NVL(droprule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, droprule)},
    {"NVL(policerule,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, policerule)},
    {"NVL(fairqueuecount,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, fairqueuecount)},
    {"NVL(queuepriority,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, queuepriority)},
    {"NVL(queuebytespercycle,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, queuebytespercycle)},
    {"NVL(queuelength,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, queuelength)},
    {"NVL(queuebwtype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, queuebwtype)},
    {"NVL(queuebandwidth,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, queuebandwidth)},
    {"NVL(subqueuename,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, subqueuename)},
    {"NVL(isdefault,0)", col_flag16, copy_loc, 0, FIELD(qos_sub_queue_class_rec, isdefault)},
    {"NVL(matchdnf,0)", col_flag16, copy_loc, 0, FIELD(qos_sub_queue_class_rec, matchdnf)},
    {"NVL(sequence,0)", col_int, copy_loc, 0, FIELD(qos_sub_queue_class_rec, sequence)},
    {"NVL(repeatby,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_sub_queue_class_rec, repeatby)},
};
const reader_desc k_r_subqueues = {"qossubqueueclass", COLS(k_r_subqueues_cols), true, "ORDER BY sequence", RECORD(qos_sub_queue_class_rec), "Qossubqueueclass", "Qossubqueueclass", form_filling, kNoList};

const column_desc k_r_servenrollvars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(service_enroll_var_rec, networkid)},
    {"sequence", col_int, copy_plain, 0, FIELD(service_enroll_var_rec, sequence)},
    {"variablename", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, variablename)},
    {"displayname", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, displayname)},
    {"variabletype", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, variabletype)},
    {"updatestatus", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(service_enroll_var_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(service_enroll_var_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(service_enroll_var_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, defaultvalue)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(service_enroll_var_rec, uniquec)},
};
const reader_desc k_r_servenrollvars = {"serviceenrollvars", COLS(k_r_servenrollvars_cols), false, nullptr, RECORD(service_enroll_var_rec), "ServiceEnrollvars", "Serviceenrollvars", form_filling, RLIST(service_enroll_var_rec, prqosservenrollvar)};

const column_desc k_r_domainroutemapsetlist_cols[] = {
    {"networkid", col_int, copy_loc, 0, FIELD(route_map_set_list_rec, networkid)},
    {"domainname", col_text, copy_plain, 0, FIELD(route_map_set_list_rec, domainname)},
    {"nodetype", col_text, copy_plain, 0, FIELD(route_map_set_list_rec, nodetype)},
    {"routemap", col_text, copy_plain, 0, FIELD(route_map_set_list_rec, routemap)},
    {"sequence", col_numtext, copy_loc, 0, FIELD(route_map_set_list_rec, sequence)},
    {"setsequence", col_numtext, copy_loc, 0, FIELD(route_map_set_list_rec, setsequence)},
    {"settype", col_text, copy_plain, 0, FIELD(route_map_set_list_rec, settype)},
    {"setvalue", col_text, copy_plain, 0, FIELD(route_map_set_list_rec, setvalue)},
};
const reader_desc k_r_domainroutemapsetlist = {"routemapsetlist", COLS(k_r_domainroutemapsetlist_cols), true, nullptr, RECORD(route_map_set_list_rec), "Routemapsetlist", "Routemapsetlist", form_filling, RLIST(route_map_set_list_rec, prroutemapsetlist)};

const column_desc k_r_policeactions_cols[] = {
    {"NVL(actiontype,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_action_class_rec, actiontype)},
    {"NVL(action,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_action_class_rec, action)},
    {"NVL(actionvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(qos_police_action_class_rec, actionvalue)},
};
const reader_desc k_r_policeactions = {"qospoliceactionclass", COLS(k_r_policeactions_cols), true, "ORDER BY subsequence", RECORD(qos_police_action_class_rec), "Qospoliceactionclass", "Qospoliceactionclass", form_filling, kNoList};

const column_desc k_r_custvars_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(cust_var_rec, networkid)},
    {"servicetype", col_text, copy_loc, 0, FIELD(cust_var_rec, servicetype)},
    {"conntypename", col_text, copy_loc, 0, FIELD(cust_var_rec, conntypename)},
    {"variablename", col_text, copy_loc, 0, FIELD(cust_var_rec, variablename)},
    {"displayname", col_text, copy_loc, 0, FIELD(cust_var_rec, displayname)},
    {"variabletype", col_text, copy_loc, 0, FIELD(cust_var_rec, variabletype)},
    {"updatestatus", col_text, copy_loc, 0, FIELD(cust_var_rec, updatestatus)},
    {"isoptional", col_int, copy_plain, 0, FIELD(cust_var_rec, isoptional)},
    {"NVL(minvalue,0)", col_int, copy_plain, 0, FIELD(cust_var_rec, minvalue)},
    {"NVL(maxvalue,0)", col_int, copy_plain, 0, FIELD(cust_var_rec, maxvalue)},
    {"NVL(defaultvalue,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_var_rec, defaultvalue)},
    {"sequence", col_numtext, copy_plain, 0, FIELD(cust_var_rec, sequence)},
    {"NVL(listname,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_var_rec, listname)},
    {"NVL(variablevalue,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_var_rec, variablevalue)},
    {"NVL(uniquec,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_var_rec, uniquec)},
};
const reader_desc k_r_custvars = {"custvars", COLS(k_r_custvars_cols), false, nullptr, RECORD(cust_var_rec), "Custvars", "Custvars", form_returning, RLIST(cust_var_rec, prcustvars)};

const column_desc k_r_custhsrpvars_cols[] = {
    {"networkid", col_runid, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, servicetype)},
    {"conntypename", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, conntypename)},
    {"nodetype", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, nodetype)},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, nodeinstance)},
    {"connectionname", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, connectionname)},
    {"instanceno", col_int, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, instanceno)},
    {"sequenceno", col_int, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, sequenceno)},
    {"variablename", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, variablename)},
    {"variablevalue", col_text, copy_plain, 0, FIELD(cust_conn_hsrp_var_rec, variablevalue)},
};
const reader_desc k_r_custhsrpvars = {"custconnhsrpvars", COLS(k_r_custhsrpvars_cols), false, nullptr, RECORD(cust_conn_hsrp_var_rec), "Custconnhsrpvars", "Custhsrpvars", form_returning, RLIST(cust_conn_hsrp_var_rec, prcusthsrpvars)};

const column_desc k_r_custconnfilters_cols[] = {
    {"networkid", col_runid, copy_plain, 0, FIELD(cust_conn_filter_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, servicetype)},
    {"conntypename", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, conntypename)},
    {"nodetype", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, nodetype)},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_conn_filter_rec, nodeinstance)},
    {"connectionname", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, connectionname)},
    {"instanceno", col_int, copy_plain, 0, FIELD(cust_conn_filter_rec, instanceno)},
    {"remotevariablename", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, remotevariablename)},
    {"remotevarcondition", col_text, copy_plain, 0, FIELD(cust_conn_filter_rec, remotevarcondition)},
};
const reader_desc k_r_custconnfilters = {"custconnfilters", COLS(k_r_custconnfilters_cols), false, nullptr, RECORD(cust_conn_filter_rec), "Custconnfilters", "Custconnfilters", form_filling, RLIST(cust_conn_filter_rec, prcustconnfilters)};

const column_desc k_r_custconnvars_cols[] = {
    {"networkid", col_runid, copy_plain, 0, FIELD(cust_conn_var_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, servicetype)},
    {"conntypename", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, conntypename)},
    {"nodetype", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, nodetype)},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_conn_var_rec, nodeinstance)},
    {"connectionname", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, connectionname)},
    {"instanceno", col_int, copy_plain, 0, FIELD(cust_conn_var_rec, instanceno)},
    {"variablename", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, variablename)},
    {"variablevalue", col_text, copy_plain, 0, FIELD(cust_conn_var_rec, variablevalue)},
};
const reader_desc k_r_custconnvars = {"custconnvars", COLS(k_r_custconnvars_cols), false, nullptr, RECORD(cust_conn_var_rec), "Custconnvars", "Custconnvars", form_returning, RLIST(cust_conn_var_rec, prcustconnvars)};

const column_desc k_r_custnodevars_cols[] = {
    {"networkid", col_runid, copy_plain, 0, FIELD(cust_node_var_rec, networkid)},
    {"servicetype", col_text, copy_plain, 0, FIELD(cust_node_var_rec, servicetype)},
    {"conntypename", col_text, copy_plain, 0, FIELD(cust_node_var_rec, conntypename)},
    {"nodetype", col_text, copy_plain, 0, FIELD(cust_node_var_rec, nodetype)},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_node_var_rec, nodeinstance)},
    {"variablename", col_text, copy_plain, 0, FIELD(cust_node_var_rec, variablename)},
    {"variablevalue", col_text, copy_plain, 0, FIELD(cust_node_var_rec, variablevalue)},
};
const reader_desc k_r_custnodevars = {"custnodevars", COLS(k_r_custnodevars_cols), false, nullptr, RECORD(cust_node_var_rec), "Custnodevars", "Custnodevars", form_returning, RLIST(cust_node_var_rec, prcustnodevars)};

const column_desc k_r_custconntypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(cust_conn_type_rec, networkid)},
    {"servicetype", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, servicetype)},
    {"conntypename", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, conntypename)},
    {"NVL(connectto,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, connectto)},
    {"NVL(scope1,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, scope1)},
    {"NVL(scope2,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, scope2)},
    {"NVL(scope3,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, scope3)},
    {"NVL(domainname,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, domainname)},
    {"NVL(addressmode,'AUTOMATIC')", col_text, copy_loc, 0, FIELD(cust_conn_type_rec, addressmode)},
    {"NVL(routingenabled,0)", col_int, copy_plain, 0, FIELD(cust_conn_type_rec, routingenabled)},
    {"NVL(directconnect,0)", col_int, copy_plain, 0, FIELD(cust_conn_type_rec, directconnect)},
    {"custsitetype", col_text, copy_plain, 0, FIELD(cust_conn_type_rec, custsitetype)},
};
const reader_desc k_r_custconntypes = {"custconntypes", COLS(k_r_custconntypes_cols), false, nullptr, RECORD(cust_conn_type_rec), "Custconntypes", "Custconntypes", form_returning, RLIST(cust_conn_type_rec, prcustconntypes)};

const column_desc k_r_custaddrtypes_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"servicetype", col_text, copy_loc, 0, FIELD(cust_conn_addr_type_rec, servicetype)},
    {"conntypename", col_text, copy_loc, 0, FIELD(cust_conn_addr_type_rec, conntypename)},
    {"sequence", col_int, copy_plain, 0, FIELD(cust_conn_addr_type_rec, sequence)},
    {"NVL(addrtype,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_addr_type_rec, addrtype)},
};
const reader_desc k_r_custaddrtypes = {"custconnaddrtypes", COLS(k_r_custaddrtypes_cols), false, nullptr, RECORD(cust_conn_addr_type_rec), "Custconnaddrtypes", "Custconnaddrtypes", form_returning, RLIST(cust_conn_addr_type_rec, prcustconnaddrtypes)};

const column_desc k_r_custconnnodes_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(cust_conn_node_rec, networkid)},
    {"servicetype", col_text, copy_loc, 0, FIELD(cust_conn_node_rec, servicetype)},
    {"conntypename", col_text, copy_loc, 0, FIELD(cust_conn_node_rec, conntypename)},
    {"NVL(nodetype,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_node_rec, nodetype)},
    {"NVL(noofnodeinstance,0)", col_int, copy_plain, 0, FIELD(cust_conn_node_rec, noofnodeinstance)},
};
const reader_desc k_r_custconnnodes = {"custconnnodes", COLS(k_r_custconnnodes_cols), false, nullptr, RECORD(cust_conn_node_rec), "Custconnnodes", "Custconnnodes", form_returning, RLIST(cust_conn_node_rec, prcustconnnodes)};

const column_desc k_r_custconnnodesloopback_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"servicetype", col_text, copy_plain, 0, kNoField},
    {"conntypename", col_text, copy_plain, 0, kNoField},
    {"nodetype", col_text, copy_plain, 0, kNoField},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_conn_node_lb_rec, nodeinstance)},
    {"lbinstance", col_text, copy_plain, 0, FIELD(cust_conn_node_lb_rec, lbinstance)},
    {"isloopback", col_int, copy_plain, 0, FIELD(cust_conn_node_lb_rec, isloopback)},
    {"loopbacktype", col_text, copy_plain, 0, FIELD(cust_conn_node_lb_rec, loopbacktype)},
};
const reader_desc k_r_custconnnodesloopback = {"custconnnodeslb", COLS(k_r_custconnnodesloopback_cols), false, "ORDER BY networkid,servicetype,conntypename,nodetype", RECORD(cust_conn_node_lb_rec), "Custconnnodeslb", "Custconnnodeslb", form_returning, kNoList};

const column_desc k_r_custconninterfaces_cols[] = {
    {"networkid", col_int, copy_plain, 0, FIELD(cust_conn_interface_rec, networkid)},
    {"instanceno", col_int, copy_plain, 0, FIELD(cust_conn_interface_rec, instanceno)},
    {"nodeinstance", col_int, copy_plain, 0, FIELD(cust_conn_interface_rec, nodeinstance)},
    {"servicetype", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, servicetype)},
    {"conntypename", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, conntypename)},
    {"nodetype", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, nodetype)},
    {"connectionname", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, connectionname)},
    {"interfacetype", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, interfacetype)},
    {"encapsulationtype", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, encapsulationtype)},
    {"NVL(remotedomain,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, remotedomain)},
    {"NVL(remotenodetype,'IS NULL')", col_text, copy_loc, 0, FIELD(cust_conn_interface_rec, remotenodetype)},
};
const reader_desc k_r_custconninterfaces = {"custconninterfaces", COLS(k_r_custconninterfaces_cols), false, nullptr, RECORD(cust_conn_interface_rec), "Custconninterfaces", "Custconninterfaces", form_returning, RLIST(cust_conn_interface_rec, prcustconninterfaces)};

const column_desc k_r_custconnqospolicies_cols[] = {
    {"networkid", col_int, copy_plain, 0, kNoField},
    {"servicetype", col_text, copy_plain, 0, kNoField},
    {"conntypename", col_text, copy_plain, 0, kNoField},
    {"sequence", col_int, copy_plain, 0, kNoField},
    {"qospolicylistname", col_text, copy_loc, 0, FIELD(cust_conn_qos_policy_rec, qospolicylistname)},
    {"policyname", col_text, copy_loc, 0, FIELD(cust_conn_qos_policy_rec, policyname)},
};
const reader_desc k_r_custconnqospolicies = {"custconnqospolicy", COLS(k_r_custconnqospolicies_cols), false, "ORDER BY networkid,servicetype,conntypename,sequence", RECORD(cust_conn_qos_policy_rec), "Custconnqospolicy", "Custconnqospolicy", form_returning, kNoList};

// ---------------------------------------------------------------- writers

const value_desc k_w_listvalues_vals[] = {V_NETID, VO_S(list_value_rec, listname), VO_S(list_value_rec, elementvalue)};
const writer_desc k_w_listvalues = {"table LISTVALUES", "DELETE LISTVALUES WHERE networkid=%d", "-- Delete listvalues\n", "INSERT INTO LISTVALUES VALUES (%d,'%s','%s')", nullptr, VALS(k_w_listvalues_vals), LIST(list_value_rec, prlistvalues), kNoSublist};

const value_desc k_w_validintbandwidth_vals[] = {V_NETID, VO_S(valid_int_bandwidth_rec, interfacetype), VO_S(valid_int_bandwidth_rec, bandwidth)};
const writer_desc k_w_validintbandwidth = {"table VALIDINTBANDWIDTH", "DELETE VALIDINTBANDWIDTH WHERE networkid=%d", "-- Delete validintbandwidth\n", "INSERT INTO VALIDINTBANDWIDTH VALUES (%d,'%s','%s')", nullptr, VALS(k_w_validintbandwidth_vals), LIST(valid_int_bandwidth_rec, prvalidintbandwidth), kNoSublist};

const value_desc k_w_domain_vals[] = {V_NETID, VO_S(domain_rec, domainname)};
const writer_desc k_w_domain = {"table DOMAIN", "DELETE DOMAIN WHERE networkid=%d\n", "-- Delete domain\n", "INSERT INTO DOMAIN VALUES (%d,'%s')", nullptr, VALS(k_w_domain_vals), LIST(domain_rec, prdomains), kNoSublist};

const value_desc k_w_domainvariables_vals[] = {V_NETID, VO_S(domain_variable_rec, domainname), VO_I(domain_variable_rec, sequence), VO_S(domain_variable_rec, variablename), VO_S(domain_variable_rec, displayname), VO_S(domain_variable_rec, variabletype), VO_S(domain_variable_rec, updatestatus), VO_I(domain_variable_rec, isoptional), VO_I(domain_variable_rec, minvalue), VO_I(domain_variable_rec, maxvalue), VO_S(domain_variable_rec, defaultvalue), VO_S(domain_variable_rec, listname), VO_S(domain_variable_rec, variablevalue), VO_S(domain_variable_rec, uniquec)};
const writer_desc k_w_domainvariables = {"table DOMAINVARIABLES", "DELETE DOMAINVARIABLES WHERE networkid=%d", "-- Delete domainvariables\n", "INSERT INTO DOMAINVARIABLES VALUES (%d,'%s', %d,'%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_domainvariables_vals), LIST(domain_variable_rec, prdomainvariables), kNoSublist};

const value_desc k_w_domainnodes_vals[] = {V_NETID, VO_S(domain_node_rec, domainname), VO_S(domain_node_rec, nodetype), VO_I(domain_node_rec, nodeidstart), VO_I(domain_node_rec, maxnode), VO_I(domain_node_rec, minnode), VO_S(domain_node_rec, hostname), VO_S(domain_node_rec, devicetype), VO_I(domain_node_rec, iscpe), VO_I(domain_node_rec, remoteaccess), VO_S(domain_node_rec, remoteaddrtype), VO_I(domain_node_rec, natinside), VO_S(domain_node_rec, nataddrtype), VO_I(domain_node_rec, routedprotocols), VO_I(domain_node_rec, controller)};
const writer_desc k_w_domainnodes = {"table DOMAINNODES", "DELETE DOMAINNODES WHERE networkid=%d", "-- Delete domainnodes\n", "INSERT INTO DOMAINNODES VALUES (%d,'%s','%s',%d, %d,%d,'%s', '%s',%d , %d, '%s',%d, '%s',%d,%d)", nullptr, VALS(k_w_domainnodes_vals), LIST(domain_node_rec, prdomainnodes), kNoSublist};

const value_desc k_w_domainnodevars_vals[] = {V_NETID, VO_S(domain_node_var_rec, domainname), VO_S(domain_node_var_rec, nodetype), VO_I(domain_node_var_rec, sequence), VO_S(domain_node_var_rec, variablename), VO_S(domain_node_var_rec, displayname), VO_S(domain_node_var_rec, variabletype), VO_S(domain_node_var_rec, updatestatus), VO_I(domain_node_var_rec, isoptional), VO_I(domain_node_var_rec, minvalue), VO_I(domain_node_var_rec, maxvalue), VO_S(domain_node_var_rec, defaultvalue), VO_S(domain_node_var_rec, listname), VO_S(domain_node_var_rec, variablevalue), VO_S(domain_node_var_rec, uniquec)};
const writer_desc k_w_domainnodevars = {"table DOMAINNODEVARS", "DELETE DOMAINNODEVARS WHERE networkid=%d", "-- Delete domainnodevars\n", "INSERT INTO DOMAINNODEVARS VALUES (%d,'%s','%s', %d, '%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_domainnodevars_vals), LIST(domain_node_var_rec, prdomainnodevars), kNoSublist};

const value_desc k_w_domainservices_vals[] = {V_NETID, VO_S(domain_service_rec, domainname), VO_S(domain_service_rec, nodetype), VO_S(domain_service_rec, servicename), VO_S(domain_service_rec, sourceaddress)};
const writer_desc k_w_domainservices = {"table DOMAINSERVICES", "DELETE DOMAINSERVICES WHERE networkid=%d", "-- Delete domainservices\n", "INSERT INTO DOMAINSERVICES VALUES (%d,'%s','%s', '%s', '%s')", nullptr, VALS(k_w_domainservices_vals), LIST(domain_service_rec, prdomainservices), kNoSublist};

const value_desc k_w_domainconnections_vals[] = {V_NETID, VO_S(domain_connection_rec, domainname1), VO_S(domain_connection_rec, domainname2), VO_S(domain_connection_rec, conntype), VO_I(domain_connection_rec, maxconn), VO_I(domain_connection_rec, minconn)};
const writer_desc k_w_domainconnections = {"table DOMAINCONNECTIONS", "DELETE DOMAINCONNECTIONS WHERE networkid=%d", "-- Delete domainconnections\n", "INSERT INTO DOMAINCONNECTIONS VALUES (%d,'%s','%s', '%s', %d, %d)", nullptr, VALS(k_w_domainconnections_vals), LIST(domain_connection_rec, prdomainconnections), kNoSublist};

const value_desc k_w_domainfixedconn_vals[] = {V_NETID, VO_I(domain_fixed_conn_rec, connectionno), VO_S(domain_fixed_conn_rec, domainname), VO_S(domain_fixed_conn_rec, nodetype), VO_S(domain_fixed_conn_rec, nattype), VO_S(domain_fixed_conn_rec, authserver), VO_I(domain_fixed_conn_rec, minconn), VO_I(domain_fixed_conn_rec, maxconn), VO_I(domain_fixed_conn_rec, secondaryip)};
const writer_desc k_w_domainfixedconn = {"table DOMAINFIXEDCONN", "DELETE DOMAINFIXEDCONN WHERE networkid=%d", "-- Delete domainfixedconns\n", "INSERT INTO DOMAINFIXEDCONN VALUES (%d,%d,'%s','%s','%s','%s', %d, %d,%d)", nullptr, VALS(k_w_domainfixedconn_vals), LIST(domain_fixed_conn_rec, prdomainfixedconn), kNoSublist};

const value_desc k_w_domainintnames_vals[] = {V_NETID, VO_I(domain_int_name_rec, connectionno), VO_S(domain_int_name_rec, domainname), VO_S(domain_int_name_rec, nodetype), VO_I(domain_int_name_rec, instanceno), VO_S(domain_int_name_rec, interfacename)};
const writer_desc k_w_domainintnames = {"table DOMAININTNAMES", "DELETE DOMAININTNAMES WHERE networkid=%d", "-- Delete domainintnames\n", "INSERT INTO DOMAININTNAMES VALUES (%d,%d,'%s','%s', %d, '%s')", nullptr, VALS(k_w_domainintnames_vals), LIST(domain_int_name_rec, prdomainintnames), kNoSublist};

const value_desc k_w_domainconnvars_vals[] = {V_NETID, VO_I(domain_conn_var_rec, connectionno), VO_I(domain_conn_var_rec, sequence), VO_S(domain_conn_var_rec, variablename), VO_S(domain_conn_var_rec, displayname), VO_S(domain_conn_var_rec, variabletype), VO_S(domain_conn_var_rec, updatestatus), VO_I(domain_conn_var_rec, isoptional), VO_I(domain_conn_var_rec, minvalue), VO_I(domain_conn_var_rec, maxvalue), VO_S(domain_conn_var_rec, defaultvalue), VO_S(domain_conn_var_rec, listname), VO_S(domain_conn_var_rec, variablevalue), VO_S(domain_conn_var_rec, uniquec)};
const writer_desc k_w_domainconnvars = {"table DOMAINCONNVARS", "DELETE DOMAINCONNVARS WHERE networkid=%d", "-- Delete domainconnvars\n", "INSERT INTO DOMAINCONNVARS VALUES (%d,%d,%d,'%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_domainconnvars_vals), LIST(domain_conn_var_rec, prdomainconnvars), kNoSublist};

const value_desc k_w_domainconntypes_vals[] = {V_NETID, VO_I(domain_conn_type_rec, connectionno), VO_S(domain_conn_type_rec, connectionname), VO_S(domain_conn_type_rec, connectionscope), VO_S(domain_conn_type_rec, connectiontype), VO_I(domain_conn_type_rec, networktypes), VO_S(domain_conn_type_rec, addresstype), VO_S(domain_conn_type_rec, prefix), VO_S(domain_conn_type_rec, valcheck), VO_I(domain_conn_type_rec, maxconn)};
const writer_desc k_w_domainconntypes = {"table DOMAINCONNTYPES", "DELETE DOMAINCONNTYPES WHERE networkid=%d", "-- Delete domainconntypes\n", "INSERT INTO DOMAINCONNTYPES VALUES (%d,%d,'%s','%s', '%s', %d, '%s','%s','%s',%d)", nullptr, VALS(k_w_domainconntypes_vals), LIST(domain_conn_type_rec, prdomainconntypes), kNoSublist};

const value_desc k_w_domaininstvars_vals[] = {V_NETID, VO_S(domain_inst_var_rec, connectionname), VO_I(domain_inst_var_rec, sequenceno), VO_S(domain_inst_var_rec, variablename)};
const writer_desc k_w_domaininstvars = {"table DOMAININSTVARS", "DELETE DOMAININSTVARS WHERE networkid=%d", "-- Delete domaininstancevars\n", "INSERT INTO DOMAININSTVARS VALUES (%d,'%s', %d, '%s')", nullptr, VALS(k_w_domaininstvars_vals), LIST(domain_inst_var_rec, prdomaininstancevars), kNoSublist};

const value_desc k_w_domainremotetypes_vals[] = {V_NETID, VO_I(domain_remote_type_rec, connectionno), VO_I(domain_remote_type_rec, peruser), VO_I(domain_remote_type_rec, isdn), VO_I(domain_remote_type_rec, async), VO_I(domain_remote_type_rec, dialout), VO_I(domain_remote_type_rec, dialin)};
const writer_desc k_w_domainremotetypes = {"table DOMAINREMOTETYPES", "DELETE DOMAINREMOTETYPES WHERE networkid=%d", "-- Delete domainremotetypes\n", "INSERT INTO DOMAINREMOTETYPES VALUES (%d,%d, %d, %d,%d,%d,%d)", nullptr, VALS(k_w_domainremotetypes_vals), LIST(domain_remote_type_rec, prdomainremotetypes), kNoSublist};

const value_desc k_w_domaininttypes_vals[] = {V_NETID, VO_I(domain_int_type_rec, connectionno), VO_S(domain_int_type_rec, interfacetype), VO_S(domain_int_type_rec, encapsulationtype), VO_I(domain_int_type_rec, isauthenticated), VO_I(domain_int_type_rec, subinterface), VO_S(domain_int_type_rec, authenticationtype), VO_S(domain_int_type_rec, conntype)};
const writer_desc k_w_domaininttypes = {"table DOMAININTTYPES", "DELETE DOMAININTTYPES WHERE networkid=%d", "-- Delete domaininttypes\n", "INSERT INTO DOMAININTTYPES VALUES (%d,%d, '%s', '%s',%d,%d,'%s','%s')", nullptr, VALS(k_w_domaininttypes_vals), LIST(domain_int_type_rec, prdomaininttypes), kNoSublist};

const value_desc k_w_hsrpmember_vals[] = {V_NETID, VO_I(hsrp_member_rec, connectionno), VO_I(hsrp_member_rec, sequenceno), VO_S(hsrp_member_rec, domainname), VO_S(hsrp_member_rec, nodetype), VO_I(hsrp_member_rec, subsequenceno), VO_S(hsrp_member_rec, trackinterface), VO_I(hsrp_member_rec, trackpriority)};
const writer_desc k_w_hsrpmember = {"table HSRPMEMBER", "DELETE HSRPMEMBER WHERE networkid=%d", "-- Delete hsrpmember\n", "INSERT INTO HSRPMEMBER VALUES (%d,%d, %d, '%s', '%s',%d, '%s',%d)", nullptr, VALS(k_w_hsrpmember_vals), LIST(hsrp_member_rec, prhsrpmember), kNoSublist};

const value_desc k_w_hsrpconnections_vals[] = {V_NETID, VO_I(hsrp_connection_rec, connectionno), VO_I(hsrp_connection_rec, sequenceno), VO_S(hsrp_connection_rec, addresstype), VO_I(hsrp_connection_rec, authenticated), VO_I(hsrp_connection_rec, subsequenceno), VO_S(hsrp_connection_rec, hsrppriority)};
const writer_desc k_w_hsrpconnections = {"table HSRPCONNECTIONS", "DELETE HSRPCONNECTIONS WHERE networkid=%d", "-- Delete hsrpconnections\n", "INSERT INTO HSRPCONNECTIONS VALUES (%d,%d, %d, '%s',%d,%d,'%s')", nullptr, VALS(k_w_hsrpconnections_vals), LIST(hsrp_connection_rec, prhsrpconnections), kNoSublist};

const value_desc k_w_domainconnfilters_vals[] = {V_NETID, VO_I(domain_conn_filter_rec, connectionno), VO_I(domain_conn_filter_rec, sequence), VO_S(domain_conn_filter_rec, variablename)};
const writer_desc k_w_domainconnfilters = {"table DOMAINCONNFILTERS", "DELETE DOMAINCONNFILTERS WHERE networkid=%d", "-- Delete domainconnfilters\n", "INSERT INTO DOMAINCONNFILTERS VALUES (%d, %d, %d, '%s')", nullptr, VALS(k_w_domainconnfilters_vals), LIST(domain_conn_filter_rec, prdomconnfilters), kNoSublist};

const value_desc k_w_ipaddresspools_vals[] = {V_NETID, VO_S(ip_address_pool_rec, addresspoolname), VO_S(ip_address_pool_rec, protocoltype), VO_S(ip_address_pool_rec, startaddress), VO_S(ip_address_pool_rec, endaddress)};
const writer_desc k_w_ipaddresspools = {"table IPADDRESSPOOLS", "DELETE IPADDRESSPOOLS WHERE networkid=%d", "-- Delete ipaddresspools\n", "INSERT INTO IPADDRESSPOOLS VALUES (%d,'%s', '%s', '%s','%s')", nullptr, VALS(k_w_ipaddresspools_vals), LIST(ip_address_pool_rec, praddresspools), kNoSublist};

const value_desc k_w_addressassign_vals[] = {V_NETID, VO_I(address_assign_rec, namedpointtype), VO_S(address_assign_rec, namedendpoint), VO_S(address_assign_rec, addresspoolname), VO_I(address_assign_rec, sequence), VO_S(address_assign_rec, scope), VO_S(address_assign_rec, offset), VO_S(address_assign_rec, ipaddress), VO_S(address_assign_rec, poolname), VO_S(address_assign_rec, servicetype), VO_S(address_assign_rec, hosttype), VO_S(address_assign_rec, nattype), VO_S(address_assign_rec, poolowner), VO_S(address_assign_rec, poolownervar), VO_S(address_assign_rec, poolclass)};
const writer_desc k_w_addressassign = {"table ADDRESSASSIGN", "DELETE ADDRESSASSIGN WHERE networkid=%d", "-- Delete addressassign\n", "INSERT INTO ADDRESSASSIGN VALUES (%d, %d, '%s', '%s',%d, '%s','%s','%s','%s','%s','%s','%s','%s','%s','%s')", nullptr, VALS(k_w_addressassign_vals), LIST(address_assign_rec, praddressassign), kNoSublist};

const value_desc k_w_addressdependency_vals[] = {V_NETID, VO_I(address_dependency_rec, namedpointtype), VO_S(address_dependency_rec, namedendpoint), VO_S(address_dependency_rec, addresspoolname), VO_I(address_dependency_rec, sequence), VO_S(address_dependency_rec, variablename), VO_I(address_dependency_rec, minvalue), VO_I(address_dependency_rec, maxvalue)};
const writer_desc k_w_addressdependency = {"table ADDRESSDEPENDENCY", "DELETE ADDRESSDEPENDENCY WHERE networkid=%d", "-- Delete addressdependency\n", "INSERT INTO ADDRESSDEPENDENCY VALUES (%d, %d, '%s', '%s',%d ,'%s',%d, %d)", nullptr, VALS(k_w_addressdependency_vals), LIST(address_dependency_rec, praddressdependency), kNoSublist};

const value_desc k_w_domainnodeconnbkp_vals[] = {V_NETID, VO_S(domain_node_conn_bkp_rec, domainname), VO_S(domain_node_conn_bkp_rec, nodetype), VO_S(domain_node_conn_bkp_rec, scope), VO_S(domain_node_conn_bkp_rec, connectionname), VO_S(domain_node_conn_bkp_rec, backupconnname)};
const writer_desc k_w_domainnodeconnbkp = {"table DOMAINNODECONNBKP", "DELETE DOMAINNODECONNBKP WHERE networkid=%d", "-- Delete domainnodeconnbkp\n", "INSERT INTO DOMAINNODECONNBKP VALUES (%d, '%s', '%s', '%s','%s', '%s')", nullptr, VALS(k_w_domainnodeconnbkp_vals), LIST(domain_node_conn_bkp_rec, prdomainnodeconnbkp), kNoSublist};

const value_desc k_w_domainnodelogint_vals[] = {V_NETID, VO_S(domain_node_log_int_rec, domainname), VO_S(domain_node_log_int_rec, nodetype), VO_S(domain_node_log_int_rec, devicetype), VO_S(domain_node_log_int_rec, inttype), VO_S(domain_node_log_int_rec, intno), VO_S(domain_node_log_int_rec, addresstype), VO_I(domain_node_log_int_rec, prefix), VO_S(domain_node_log_int_rec, dependency), VO_S(domain_node_log_int_rec, valcheck)};
const writer_desc k_w_domainnodelogint = {"table DOMAINNODELOGINT", "DELETE DOMAINNODELOGINT WHERE networkid=%d", "-- Delete domainnodelogint\n", "INSERT INTO DOMAINNODELOGINT VALUES (%d, '%s', '%s', '%s','%s','%s', '%s',%d,'%s','%s')", nullptr, VALS(k_w_domainnodelogint_vals), LIST(domain_node_log_int_rec, prdomainnodelogint), kNoSublist};

const value_desc k_w_networkvars_vals[] = {V_NETID, VO_I(network_var_rec, sequence), VO_S(network_var_rec, variablename), VO_S(network_var_rec, variabletype), VO_S(network_var_rec, variablevalue)};
const writer_desc k_w_networkvars = {"table NETWORKVARS", "DELETE NETWORKVARS WHERE networkid=%d", "-- Delete networkvars\n", "INSERT INTO NETWORKVARS VALUES (%d, %d,'%s','%s','%s')", nullptr, VALS(k_w_networkvars_vals), LIST(network_var_rec, prnetworkvars), kNoSublist};

const value_desc k_w_apsmember_vals[] = {V_NETID, VO_I(aps_member_rec, connectionno), VO_S(aps_member_rec, domainname), VO_S(aps_member_rec, nodetype), VO_I(aps_member_rec, interfacemode)};
const writer_desc k_w_apsmember = {"table APSMEMBER", "DELETE APSMEMBER WHERE networkid=%d", "-- Delete apsmember\n", "INSERT INTO APSMEMBER VALUES (%d,%d,'%s','%s',%d)", nullptr, VALS(k_w_apsmember_vals), LIST(aps_member_rec, prconnapsdatalist), kNoSublist};

const value_desc k_w_servicetypenames_vals[] = {V_NETID, VO_S(service_type_name_rec, servicetype), VO_S(service_type_name_rec, servicename)};
const writer_desc k_w_servicetypenames = {"table SERVICETYPENAMES", "DELETE SERVICETYPENAMES WHERE networkid=%d", "-- Delete servicenametypes\n", "INSERT INTO SERVICETYPENAMES VALUES (%d, '%s','%s')", nullptr, VALS(k_w_servicetypenames_vals), LIST(service_type_name_rec, prservicetypenames), kNoSublist};

const value_desc k_w_servicetypes_vals[] = {V_NETID, VO_S(service_type_rec, servicetype), VO_S(service_type_rec, hosttype)};
const writer_desc k_w_servicetypes = {"table SERVICETYPES", "DELETE SERVICETYPES WHERE networkid=%d", "-- Delete servicetypes\n", "INSERT INTO SERVICETYPES VALUES (%d, '%s','%s')", nullptr, VALS(k_w_servicetypes_vals), LIST(service_type_rec, prservicetypes), kNoSublist};

const value_desc k_w_servicetypevars_vals[] = {V_NETID, VO_S(service_type_var_rec, servicetype), VO_I(service_type_var_rec, sequence), VO_S(service_type_var_rec, variablename), VO_S(service_type_var_rec, displayname), VO_S(service_type_var_rec, variabletype), VO_S(service_type_var_rec, updatestatus), VO_I(service_type_var_rec, isoptional), VO_I(service_type_var_rec, minvalue), VO_I(service_type_var_rec, maxvalue), VO_S(service_type_var_rec, defaultvalue), VO_S(service_type_var_rec, listname), VO_S(service_type_var_rec, variablevalue), VO_S(service_type_var_rec, uniquec)};
const writer_desc k_w_servicetypevars = {"table SERVICETYPEVARS", "DELETE SERVICETYPEVARS WHERE networkid=%d", "-- Delete servicetypevars\n", "INSERT INTO SERVICETYPEVARS VALUES (%d, '%s', %d,'%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_servicetypevars_vals), LIST(service_type_var_rec, prservicetypevars), kNoSublist};

const value_desc k_w_pooltypes_vals[] = {V_NETID, VO_S(pool_type_rec, servicetype), VO_S(pool_type_rec, hosttype), VO_S(pool_type_rec, poolowner), VO_S(pool_type_rec, validation)};
const writer_desc k_w_pooltypes = {"table POOLTYPES", "DELETE POOLTYPES WHERE networkid=%d", "-- Delete pooltypes\n", "INSERT INTO POOLTYPES VALUES (%d, '%s','%s', '%s','%s')", nullptr, VALS(k_w_pooltypes_vals), LIST(pool_type_rec, prpooltypes), kNoSublist};

const value_desc k_w_compooltypes_vals[] = {V_NETID, VO_S(com_pool_type_rec, servicetype), VO_S(com_pool_type_rec, communicationtype), VO_S(com_pool_type_rec, hosttype), VO_S(com_pool_type_rec, addressmode)};
const writer_desc k_w_compooltypes = {"table COMPOOLTYPES", "DELETE COMPOOLTYPES WHERE networkid=%d", "-- Delete compooltypes\n", "INSERT INTO COMPOOLTYPES VALUES (%d, '%s','%s', '%s','%s')", nullptr, VALS(k_w_compooltypes_vals), LIST(com_pool_type_rec, prpooltypemap), kNoSublist};

const value_desc k_w_poolsequence_vals[] = {V_NETID, VO_S(pool_sequence_rec, servicetype), VO_S(pool_sequence_rec, poolowner), VO_S(pool_sequence_rec, hosttype), VO_I(pool_sequence_rec, sequence), VO_S(pool_sequence_rec, variablename)};
const writer_desc k_w_poolsequence = {"table POOLSEQUENCE", "DELETE POOLSEQUENCE WHERE networkid=%d", "-- Delete poolsequence\n", "INSERT INTO POOLSEQUENCE VALUES (%d, '%s','%s','%s', %d ,'%s')", nullptr, VALS(k_w_poolsequence_vals), LIST(pool_sequence_rec, prpoolsequence), kNoSublist};

const value_desc k_w_poolclass_vals[] = {V_NETID, VO_S(pool_class_rec, name), VO_S(pool_class_rec, value), VO_I(pool_class_rec, isdefault), VO_I(pool_class_rec, isshared)};
const writer_desc k_w_poolclass = {"table POOLCLASS", "DELETE POOLCLASS WHERE networkid=%d", "-- Delete poolclass\n", "INSERT INTO POOLCLASS VALUES (%d, '%s','%s', %d, %d)", nullptr, VALS(k_w_poolclass_vals), LIST(pool_class_rec, prpoolclass), kNoSublist};

const value_desc k_w_poolclassmapping_vals[] = {V_NETID, VO_S(pool_class_mapping_rec, conntypename), VO_S(pool_class_mapping_rec, roletype), VO_S(pool_class_mapping_rec, hosttype), VO_S(pool_class_mapping_rec, nattype), VO_S(pool_class_mapping_rec, poolclass), VO_I(pool_class_mapping_rec, enrollforall)};
const writer_desc k_w_poolclassmapping = {"table POOLCLASSMAPPING", "DELETE POOLCLASSMAPPING WHERE networkid=%d", "-- Delete poolclassmapping\n", "INSERT INTO POOLCLASSMAPPING VALUES (%d,'%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_poolclassmapping_vals), LIST(pool_class_mapping_rec, prpoolclassmap), kNoSublist};

const value_desc k_w_systemlistvalues_vals[] = {V_NETID, VO_S(system_list_rec, listname), VN_S(system_list_elem_rec, displayname), VN_S(system_list_elem_rec, elementvalue)};
const writer_desc k_w_systemlistvalues = {"table SYSTEMLISTVALUES", "DELETE SYSTEMLISTVALUES  WHERE networkid=%d", "-- Delete systemlistvalues\n", "INSERT INTO SYSTEMLISTVALUES VALUES (%d,'%s','%s','%s')", nullptr, VALS(k_w_systemlistvalues_vals), LIST(system_list_rec, pr_systemlist), SUBLIST(system_list_rec, elemlist, system_list_elem_rec)};

const value_desc k_w_vcclass_vals[] = {V_NETID, VO_I(vc_class_rec, connectionno), VO_S(vc_class_rec, connectionname), VO_S(vc_class_rec, encapsulationtype), VO_S(vc_class_rec, connectiontype), VO_S(vc_class_rec, pathmode), VO_S(vc_class_rec, pathtype), VO_S(vc_class_rec, scope), VO_I(vc_class_rec, maxconn), VO_I(vc_class_rec, isauthenticated)};
const writer_desc k_w_vcclass = {"table VCCLASS", "DELETE VCCLASS WHERE networkid=%d", "-- Delete vcclass\n", "INSERT INTO VCCLASS VALUES (%d, %d,'%s','%s','%s','%s','%s','%s',%d,'%d')", nullptr, VALS(k_w_vcclass_vals), LIST(vc_class_rec, prlogconntypes), kNoSublist};

const value_desc k_w_vcmemberfilters_vals[] = {V_NETID, VO_I(vc_member_filter_rec, connectionno), VO_I(vc_member_filter_rec, sequence), VO_S(vc_member_filter_rec, variablename)};
const writer_desc k_w_vcmemberfilters = {"table VCMEMBERFILTERS", "DELETE VCMEMBERFILTERS WHERE networkid=%d", "-- Delete vcmemberfilters\n", "INSERT INTO VCMEMBERFILTERS VALUES (%d, %d, %d, '%s')", nullptr, VALS(k_w_vcmemberfilters_vals), LIST(vc_member_filter_rec, prvcconnfilters), kNoSublist};

const value_desc k_w_vcmemberclass_vals[] = {V_NETID, VO_I(vc_member_class_rec, connectionno), VO_I(vc_member_class_rec, sequence), VO_S(vc_member_class_rec, domainname), VO_S(vc_member_class_rec, nodetype), VO_I(vc_member_class_rec, minconn), VO_I(vc_member_class_rec, maxconn), VO_S(vc_member_class_rec, membertype), VO_S(vc_member_class_rec, interface), VO_S(vc_member_class_rec, connectionname), VO_S(vc_member_class_rec, tunnelsource)};
const writer_desc k_w_vcmemberclass = {"table VCMEMBERCLASS", "DELETE VCMEMBERCLASS WHERE networkid=%d", "-- Delete vcmemberclass\n", "INSERT INTO VCMEMBERCLASS VALUES ( %d, %d,%d,'%s','%s',%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_vcmemberclass_vals), LIST(vc_member_class_rec, prvcmembers), kNoSublist};

const value_desc k_w_globallistvars_vals[] = {V_NETID, VO_S(global_list_var_rec, listid), VO_I(global_list_var_rec, sequence), VO_S(global_list_var_rec, variablename)};
const writer_desc k_w_globallistvars = {"table GLOBALLISTVARS", "DELETE GLOBALLISTVARS WHERE networkid=%d", "-- Delete globallistvars\n", "INSERT INTO GLOBALLISTVARS VALUES (%d,'%s',%d,'%s')", nullptr, VALS(k_w_globallistvars_vals), LIST(global_list_var_rec, prgloballistvars), kNoSublist};

const value_desc k_w_custconntypes_vals[] = {V_NETID, VO_S(cust_conn_type_rec, servicetype), VO_S(cust_conn_type_rec, conntypename), VO_S(cust_conn_type_rec, connectto), VO_S(cust_conn_type_rec, scope1), VO_S(cust_conn_type_rec, scope2), VO_S(cust_conn_type_rec, scope3), VO_S(cust_conn_type_rec, domainname), VO_S(cust_conn_type_rec, addressmode), VO_I(cust_conn_type_rec, routingenabled), VO_I(cust_conn_type_rec, directconnect), VO_S(cust_conn_type_rec, custsitetype)};
const writer_desc k_w_custconntypes = {"table CUSTCONNTYPES", "DELETE CUSTCONNTYPES WHERE networkid=%d", "-- Delete custconntypes\n", "INSERT INTO CUSTCONNTYPES VALUES (%d,'%s', '%s','%s','%s','%s', '%s' ,'%s','%s',%d,%d,'%s')", nullptr, VALS(k_w_custconntypes_vals), LIST(cust_conn_type_rec, prcustconntypes), kNoSublist};

const value_desc k_w_custconnqospolicy_vals[] = {V_NETID, VO_S(cust_conn_type_rec, servicetype), VO_S(cust_conn_type_rec, conntypename), V_QOSSEQ, VN_S(cust_conn_qos_policy_rec, qospolicylistname), VN_S(cust_conn_qos_policy_rec, policyname)};
const writer_desc k_w_custconnqospolicy = {"table CUSTCONNQOSPOLICY", "DELETE CUSTCONNQOSPOLICY WHERE networkid=%d", "-- Delete custconnqospolicy\n", "INSERT INTO CUSTCONNQOSPOLICY VALUES (%d,'%s', '%s',%d,'%s','%s')", nullptr, VALS(k_w_custconnqospolicy_vals), LIST(cust_conn_type_rec, prcustconntypes), SUBLIST(cust_conn_type_rec, qospolicylist, cust_conn_qos_policy_rec)};

const value_desc k_w_custconnaddrtypes_vals[] = {V_NETID, VO_S(cust_conn_addr_type_rec, servicetype), VO_S(cust_conn_addr_type_rec, conntypename), VO_I(cust_conn_addr_type_rec, sequence), VO_S(cust_conn_addr_type_rec, addrtype)};
const writer_desc k_w_custconnaddrtypes = {"table CUSTCONNADDRTYPES", "DELETE CUSTCONNADDRTYPES WHERE networkid=%d", "-- Delete custconnaddrtypes\n", "INSERT INTO CUSTCONNADDRTYPES VALUES (%d,'%s','%s',%d,'%s')", nullptr, VALS(k_w_custconnaddrtypes_vals), LIST(cust_conn_addr_type_rec, prcustconnaddrtypes), kNoSublist};

const value_desc k_w_custconnnodes_vals[] = {V_NETID, VO_S(cust_conn_node_rec, servicetype), VO_S(cust_conn_node_rec, conntypename), VO_S(cust_conn_node_rec, nodetype), VO_I(cust_conn_node_rec, noofnodeinstance)};
const writer_desc k_w_custconnnodes = {"table CUSTCONNNODES", "DELETE CUSTCONNNODES WHERE networkid=%d", "-- Delete custconnnodes\n", "INSERT INTO CUSTCONNNODES VALUES (%d, '%s','%s','%s',%d)", nullptr, VALS(k_w_custconnnodes_vals), LIST(cust_conn_node_rec, prcustconnnodes), kNoSublist};

const value_desc k_w_custconnnodeslb_vals[] = {V_NETID, VO_S(cust_conn_node_rec, servicetype), VO_S(cust_conn_node_rec, conntypename), VO_S(cust_conn_node_rec, nodetype), VN_I(cust_conn_node_lb_rec, nodeinstance), VN_S(cust_conn_node_lb_rec, loopbacktype), VN_I(cust_conn_node_lb_rec, isloopback), VN_S(cust_conn_node_lb_rec, lbinstance)};
const writer_desc k_w_custconnnodeslb = {"table CUSTCONNNODESLB", "DELETE CUSTCONNNODESLB WHERE networkid=%d", "-- Delete CUSTCONNNODESLB\n", "INSERT INTO CUSTCONNNODESLB VALUES (%d, '%s','%s','%s',%d,'%s',%d,'%s')", nullptr, VALS(k_w_custconnnodeslb_vals), LIST(cust_conn_node_rec, prcustconnnodes), SUBLIST(cust_conn_node_rec, loopbacklist, cust_conn_node_lb_rec)};

const value_desc k_w_custconninterfaces_vals[] = {V_NETID, VO_S(cust_conn_interface_rec, servicetype), VO_S(cust_conn_interface_rec, conntypename), VO_S(cust_conn_interface_rec, nodetype), VO_I(cust_conn_interface_rec, nodeinstance), VO_S(cust_conn_interface_rec, connectionname), VO_I(cust_conn_interface_rec, instanceno), VO_S(cust_conn_interface_rec, interfacetype), VO_S(cust_conn_interface_rec, encapsulationtype), VO_S(cust_conn_interface_rec, remotedomain), VO_S(cust_conn_interface_rec, remotenodetype)};
const writer_desc k_w_custconninterfaces = {"table CUSTCONNINTERFACES", "DELETE CUSTCONNINTERFACES WHERE networkid=%d", "-- Delete custconninterfaces\n", "INSERT INTO CUSTCONNINTERFACES VALUES (%d,'%s', '%s','%s',%d, '%s', %d ,'%s','%s','%s','%s')", nullptr, VALS(k_w_custconninterfaces_vals), LIST(cust_conn_interface_rec, prcustconninterfaces), kNoSublist};

const value_desc k_w_custvars_vals[] = {V_NETID, VO_S(cust_var_rec, servicetype), VO_S(cust_var_rec, conntypename), VO_I(cust_var_rec, sequence), VO_S(cust_var_rec, variablename), VO_S(cust_var_rec, displayname), VO_S(cust_var_rec, variabletype), VO_S(cust_var_rec, updatestatus), VO_I(cust_var_rec, isoptional), VO_I(cust_var_rec, minvalue), VO_I(cust_var_rec, maxvalue), VO_S(cust_var_rec, defaultvalue), VO_S(cust_var_rec, listname), VO_S(cust_var_rec, variablevalue), VO_S(cust_var_rec, uniquec)};
const writer_desc k_w_custvars = {"table CUSTVARS", "DELETE CUSTVARS WHERE networkid=%d", "-- Delete custvars\n", "INSERT INTO CUSTVARS VALUES (%d, '%s', '%s', %d,'%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_custvars_vals), LIST(cust_var_rec, prcustvars), kNoSublist};

const value_desc k_w_custnodevars_vals[] = {V_NETID, VO_S(cust_node_var_rec, servicetype), VO_S(cust_node_var_rec, conntypename), VO_S(cust_node_var_rec, nodetype), VO_I(cust_node_var_rec, nodeinstance), VO_S(cust_node_var_rec, variablename), VO_S(cust_node_var_rec, variablevalue)};
const writer_desc k_w_custnodevars = {"table CUSTNODEVARS", "DELETE CUSTNODEVARS WHERE networkid=%d", "-- Delete custnodevars\n", "INSERT INTO CUSTNODEVARS VALUES (%d,'%s','%s','%s',%d,'%s','%s')", nullptr, VALS(k_w_custnodevars_vals), LIST(cust_node_var_rec, prcustnodevars), kNoSublist};

const value_desc k_w_custconnvars_vals[] = {V_NETID, VO_S(cust_conn_var_rec, servicetype), VO_S(cust_conn_var_rec, conntypename), VO_S(cust_conn_var_rec, nodetype), VO_I(cust_conn_var_rec, nodeinstance), VO_S(cust_conn_var_rec, connectionname), VO_I(cust_conn_var_rec, instanceno), VO_S(cust_conn_var_rec, variablename), VO_S(cust_conn_var_rec, variablevalue)};
const writer_desc k_w_custconnvars = {"table CUSTCONNVARS", "DELETE CUSTCONNVARS WHERE networkid=%d", "-- Delete custconnvars\n", "INSERT INTO CUSTCONNVARS VALUES (%d,'%s','%s','%s',%d,'%s',%d,'%s','%s')", nullptr, VALS(k_w_custconnvars_vals), LIST(cust_conn_var_rec, prcustconnvars), kNoSublist};

const value_desc k_w_custconnhsrpvars_vals[] = {V_NETID, VO_S(cust_conn_hsrp_var_rec, servicetype), VO_S(cust_conn_hsrp_var_rec, conntypename), VO_S(cust_conn_hsrp_var_rec, nodetype), VO_I(cust_conn_hsrp_var_rec, nodeinstance), VO_S(cust_conn_hsrp_var_rec, connectionname), VO_I(cust_conn_hsrp_var_rec, instanceno), VO_I(cust_conn_hsrp_var_rec, sequenceno), VO_S(cust_conn_hsrp_var_rec, variablename), VO_S(cust_conn_hsrp_var_rec, variablevalue)};
const writer_desc k_w_custconnhsrpvars = {"table CUSTCONNHSRPVARS", "DELETE CUSTCONNHSRPVARS WHERE networkid=%d", "-- Delete custconnhsrpvars\n", "INSERT INTO CUSTCONNHSRPVARS VALUES (%d,'%s','%s','%s',%d,'%s',%d,%d,'%s','%s')", nullptr, VALS(k_w_custconnhsrpvars_vals), LIST(cust_conn_hsrp_var_rec, prcusthsrpvars), kNoSublist};

const value_desc k_w_custconnfilters_vals[] = {V_NETID, VO_S(cust_conn_filter_rec, servicetype), VO_S(cust_conn_filter_rec, conntypename), VO_S(cust_conn_filter_rec, nodetype), VO_I(cust_conn_filter_rec, nodeinstance), VO_S(cust_conn_filter_rec, connectionname), VO_I(cust_conn_filter_rec, instanceno), VO_S(cust_conn_filter_rec, remotevariablename), VO_S(cust_conn_filter_rec, remotevarcondition)};
const writer_desc k_w_custconnfilters = {"table CUSTCONNFILTERS", "DELETE CUSTCONNFILTERS WHERE networkid=%d", "-- Delete custconnfilters\n", "INSERT INTO CUSTCONNFILTERS VALUES (%d,'%s','%s','%s',%d,'%s',%d,'%s','%s')", nullptr, VALS(k_w_custconnfilters_vals), LIST(cust_conn_filter_rec, prcustconnfilters), kNoSublist};

const value_desc k_w_domainstaticroute_vals[] = {V_NETID, VO_S(domain_static_route_rec, domainname), VO_S(domain_static_route_rec, nodetype), VO_S(domain_static_route_rec, protocol), VO_I(domain_static_route_rec, addrno), VO_S(domain_static_route_rec, context1), VO_S(domain_static_route_rec, context2), VO_S(domain_static_route_rec, context3), VO_S(domain_static_route_rec, sourceaddr), VO_I(domain_static_route_rec, sourcemask), VO_S(domain_static_route_rec, destination), VO_S(domain_static_route_rec, weight), V_VERSION};
const writer_desc k_w_domainstaticroute = {"table DOMAINSTATICROUTE", nullptr, nullptr, "INSERT INTO DOMAINSTATICROUTE VALUES (%d, '%s', '%s', '%s',%d ,'%s','%s','%s','%s',%d,'%s','%s',%d)", nullptr, VALS(k_w_domainstaticroute_vals), LIST(domain_static_route_rec, prdomainstaticroute), kNoSublist};

const value_desc k_w_domainprotocols_vals[] = {V_NETID, VO_S(domain_protocol_rec, domainname), VO_S(domain_protocol_rec, nodetype), VO_S(domain_protocol_rec, protocol), VO_S(domain_protocol_rec, asn), VO_S(domain_protocol_rec, mandatory), VO_S(domain_protocol_rec, routerid), VO_S(domain_protocol_rec, clusterid), VO_S(domain_protocol_rec, usagecondition), V_VERSION};
const writer_desc k_w_domainprotocols = {"table DOMAINPROTOCOLS", nullptr, nullptr, "INSERT INTO DOMAINPROTOCOLS VALUES (%d, '%s', '%s', '%s','%s', '%s','%s', '%s', '%s',%d)", nullptr, VALS(k_w_domainprotocols_vals), LIST(domain_protocol_rec, prdomainprotocols), kNoSublist};

const value_desc k_w_domainpassiveint_vals[] = {V_NETID, VO_S(domain_passive_int_rec, domainname), VO_S(domain_passive_int_rec, nodetype), VO_S(domain_passive_int_rec, protocol), VO_S(domain_passive_int_rec, asn), VO_S(domain_passive_int_rec, interfacename), V_VERSION};
const writer_desc k_w_domainpassiveint = {"table DOMAINPASSIVEINT", nullptr, nullptr, "INSERT INTO DOMAINPASSIVEINT VALUES (%d, '%s', '%s', '%s','%s' ,'%s',%d)", nullptr, VALS(k_w_domainpassiveint_vals), LIST(domain_passive_int_rec, prdomainpassiveint), kNoSublist};

const value_desc k_w_domainaddrsummary_vals[] = {V_NETID, VO_S(domain_addr_summary_rec, domainname), VO_S(domain_addr_summary_rec, nodetype), VO_S(domain_addr_summary_rec, protocol), VO_S(domain_addr_summary_rec, asn), VO_S(domain_addr_summary_rec, summary), VO_I(domain_addr_summary_rec, prefix), VO_S(domain_addr_summary_rec, tag), V_VERSION};
const writer_desc k_w_domainaddrsummary = {"table DOMAINADDRSUMMARY", nullptr, nullptr, "INSERT INTO DOMAINADDRSUMMARY VALUES (%d, '%s', '%s', '%s','%s','%s', %d, '%s',%d)", nullptr, VALS(k_w_domainaddrsummary_vals), LIST(domain_addr_summary_rec, prdomainaddrsummary), kNoSublist};

const value_desc k_w_domainbgpnetwork_vals[] = {V_NETID, VO_S(domain_bgp_network_rec, domainname), VO_S(domain_bgp_network_rec, nodetype), VO_S(domain_bgp_network_rec, protocol), VO_S(domain_bgp_network_rec, asn), VO_I(domain_bgp_network_rec, networkno), VO_S(domain_bgp_network_rec, networkaddr), VO_I(domain_bgp_network_rec, networkmask), VO_S(domain_bgp_network_rec, routemapname), V_VERSION};
const writer_desc k_w_domainbgpnetwork = {"table DOMAINBGPNETWORK", nullptr, nullptr, "INSERT INTO DOMAINBGPNETWORK VALUES (%d, '%s', '%s', '%s','%s',%d, '%s',%d,'%s',%d)", nullptr, VALS(k_w_domainbgpnetwork_vals), LIST(domain_bgp_network_rec, prdomainbgpnetwork), kNoSublist};

const value_desc k_w_domainredist_vals[] = {V_NETID, VO_S(domain_redist_rec, domainname), VO_S(domain_redist_rec, nodetype), VO_S(domain_redist_rec, protocol), VO_S(domain_redist_rec, asn), VO_S(domain_redist_rec, redistprotocol), VO_S(domain_redist_rec, redistasn), VO_S(domain_redist_rec, metric), VO_S(domain_redist_rec, metrictype), VO_S(domain_redist_rec, route_map), VO_S(domain_redist_rec, tag), VO_S(domain_redist_rec, weight), VO_S(domain_redist_rec, match), V_VERSION, VO_S(domain_redist_rec, context1), VO_S(domain_redist_rec, context2), VO_S(domain_redist_rec, context3), VO_I(domain_redist_rec, sequence)};
const writer_desc k_w_domainredist = {"table DOMAINREDIST", nullptr, nullptr, "INSERT INTO DOMAINREDIST VALUES (%d, '%s', '%s', '%s','%s' ,'%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s','%s',%d)", nullptr, VALS(k_w_domainredist_vals), LIST(domain_redist_rec, prdomainredist), kNoSublist};

const value_desc k_w_domainospfdefault_vals[] = {V_NETID, VO_S(domain_ospf_default_rec, domainname), VO_S(domain_ospf_default_rec, nodetype), VO_S(domain_ospf_default_rec, protocol), VO_S(domain_ospf_default_rec, asn), VO_S(domain_ospf_default_rec, metric), VO_S(domain_ospf_default_rec, metrictype), VO_S(domain_ospf_default_rec, routemap), V_VERSION};
const writer_desc k_w_domainospfdefault = {"table DOMAINOSPFDEFAULT", nullptr, nullptr, "INSERT INTO DOMAINOSPFDEFAULT VALUES (%d, '%s', '%s', '%s','%s' ,'%s','%s','%s',%d)", nullptr, VALS(k_w_domainospfdefault_vals), LIST(domain_ospf_default_rec, prdomainospfdefault), kNoSublist};

const value_desc k_w_domainnodeareas_vals[] = {V_NETID, VO_S(domain_node_area_rec, domainname), VO_S(domain_node_area_rec, nodetype), VO_S(domain_node_area_rec, routingprotocol), VO_S(domain_node_area_rec, routedprotocol), VO_S(domain_node_area_rec, asn), VO_S(domain_node_area_rec, areaid), VO_I(domain_node_area_rec, sequenceno), VO_S(domain_node_area_rec, summaryaddr), VO_I(domain_node_area_rec, summarmask), VO_S(domain_node_area_rec, stubtype), V_VERSION};
const writer_desc k_w_domainnodeareas = {"table DOMAINNODEAREAS", nullptr, nullptr, "INSERT INTO DOMAINNODEAREAS VALUES (%d, '%s', '%s', '%s','%s','%s', '%s',%d,'%s',%d,'%s',%d)", nullptr, VALS(k_w_domainnodeareas_vals), LIST(domain_node_area_rec, prdomainnodeareas), kNoSublist};

const value_desc k_w_domainnodearearanges_vals[] = {V_NETID, VO_S(domain_node_area_range_rec, domainname), VO_S(domain_node_area_range_rec, nodetype), VO_S(domain_node_area_range_rec, routingprotocol), VO_S(domain_node_area_range_rec, routedprotocol), VO_S(domain_node_area_range_rec, asn), VO_S(domain_node_area_range_rec, areaid), VO_I(domain_node_area_range_rec, sequenceno), VO_I(domain_node_area_range_rec, subsequenceno), VO_S(domain_node_area_range_rec, summaryaddr), VO_I(domain_node_area_range_rec, summarmask), V_VERSION};
const writer_desc k_w_domainnodearearanges = {"table DOMAINNODEAREARANGES", nullptr, nullptr, "INSERT INTO DOMAINNODEAREARANGES VALUES (%d, '%s', '%s', '%s','%s','%s', '%s',%d, %d,'%s',%d,%d)", nullptr, VALS(k_w_domainnodearearanges_vals), LIST(domain_node_area_range_rec, prdomainnodearearanges), kNoSublist};

const value_desc k_w_domainconnareas_vals[] = {V_NETID, VO_S(domain_conn_area_rec, domainname), VO_S(domain_conn_area_rec, nodetype), VO_S(domain_conn_area_rec, routingprotocol), VO_S(domain_conn_area_rec, routedprotocol), VO_S(domain_conn_area_rec, asn), VO_I(domain_conn_area_rec, sequenceno), VO_S(domain_conn_area_rec, namedinterface), VO_S(domain_conn_area_rec, summaryaddr), VO_I(domain_conn_area_rec, summarmask), VO_I(domain_conn_area_rec, authenticated), V_VERSION};
const writer_desc k_w_domainconnareas = {"table DOMAINCONNAREAS", nullptr, nullptr, "INSERT INTO DOMAINCONNAREAS VALUES (%d, '%s', '%s', '%s','%s','%s',%d,'%s','%s',%d,%d,%d)", nullptr, VALS(k_w_domainconnareas_vals), LIST(domain_conn_area_rec, prdomainconnareas), kNoSublist};

const value_desc k_w_domaindistlist_vals[] = {V_NETID, VO_S(domain_dist_list_rec, domainname), VO_S(domain_dist_list_rec, nodetype), VO_S(domain_dist_list_rec, protocol), VO_I(domain_dist_list_rec, sequence), VO_S(domain_dist_list_rec, asn), VO_S(domain_dist_list_rec, context1), VO_S(domain_dist_list_rec, context2), VO_S(domain_dist_list_rec, context3), VO_I(domain_dist_list_rec, listtype), VO_S(domain_dist_list_rec, acl), VO_S(domain_dist_list_rec, direction), VO_I(domain_dist_list_rec, type), VO_S(domain_dist_list_rec, interfacename), VO_S(domain_dist_list_rec, redistprotocol), VO_S(domain_dist_list_rec, redistasn), V_VERSION};
const writer_desc k_w_domaindistlist = {"table DOMAINDISTLIST", nullptr, nullptr, "INSERT INTO DOMAINDISTLIST VALUES (%d, '%s', '%s', '%s',%d,'%s','%s','%s','%s',%d,'%s','%s',%d,'%s','%s','%s',%d)", nullptr, VALS(k_w_domaindistlist_vals), LIST(domain_dist_list_rec, prdomaindistlist), kNoSublist};

const value_desc k_w_domainbgpaddragrr_vals[] = {V_NETID, VO_S(domain_bgp_addr_agrr_rec, domainname), VO_S(domain_bgp_addr_agrr_rec, nodetype), VO_I(domain_bgp_addr_agrr_rec, networkno), VO_S(domain_bgp_addr_agrr_rec, networkaddr), VO_I(domain_bgp_addr_agrr_rec, networkprefix), VO_I(domain_bgp_addr_agrr_rec, asset), VO_I(domain_bgp_addr_agrr_rec, summaryonly), VO_S(domain_bgp_addr_agrr_rec, advertisemap), VO_S(domain_bgp_addr_agrr_rec, supressmap), VO_S(domain_bgp_addr_agrr_rec, attributemap), VO_S(domain_bgp_addr_agrr_rec, context1), VO_S(domain_bgp_addr_agrr_rec, context2), VO_S(domain_bgp_addr_agrr_rec, context3), V_VERSION};
const writer_desc k_w_domainbgpaddragrr = {"table DOMAINBGPADDRAGRR", nullptr, nullptr, "INSERT INTO DOMAINBGPADDRAGRR VALUES (%d, '%s', '%s', %d,'%s',%d, %d, %d, '%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainbgpaddragrr_vals), LIST(domain_bgp_addr_agrr_rec, prdomainbgpaddragrr), kNoSublist};

const value_desc k_w_domainbgppeer_vals[] = {V_NETID, VO_S(domain_bgp_peer_rec, domainname), VO_S(domain_bgp_peer_rec, nodetype), VO_S(domain_bgp_peer_rec, peername), VO_S(domain_bgp_peer_rec, updatesource), VO_S(domain_bgp_peer_rec, remoteas), VO_I(domain_bgp_peer_rec, passwordreqd), VO_S(domain_bgp_peer_rec, routemapin), VO_S(domain_bgp_peer_rec, routemapout), VO_S(domain_bgp_peer_rec, filterlistin), VO_S(domain_bgp_peer_rec, filterlistout), VO_S(domain_bgp_peer_rec, distlistin), VO_S(domain_bgp_peer_rec, distlistout), VO_S(domain_bgp_peer_rec, prefixlistin), VO_S(domain_bgp_peer_rec, prefixlistout), VO_I(domain_bgp_peer_rec, routereflector), VO_I(domain_bgp_peer_rec, nexthopself), VO_S(domain_bgp_peer_rec, weight), VO_S(domain_bgp_peer_rec, ebgp_multihop), VO_I(domain_bgp_peer_rec, defaultoriginate), VO_S(domain_bgp_peer_rec, defaultoriginate_rm), VO_I(domain_bgp_peer_rec, sendcommunity), V_VERSION};
const writer_desc k_w_domainbgppeer = {"table DOMAINBGPPEER", nullptr, nullptr, "INSERT INTO DOMAINBGPPEER VALUES (%d, '%s', '%s', '%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s','%s','%s',%d,%d,'%s','%s',%d,'%s',%d,%d)", nullptr, VALS(k_w_domainbgppeer_vals), LIST(domain_bgp_peer_rec, prdomainbgppeer), kNoSublist};

const value_desc k_w_domainbgpinfo_vals[] = {V_NETID, VO_S(domain_bgp_info_rec, domainname), VO_S(domain_bgp_info_rec, nodetype), VO_I(domain_bgp_info_rec, sequence), VO_S(domain_bgp_info_rec, neighbor), VO_S(domain_bgp_info_rec, context1), VO_S(domain_bgp_info_rec, context2), VO_S(domain_bgp_info_rec, context3), VO_S(domain_bgp_info_rec, updatesource), VO_S(domain_bgp_info_rec, remoteas), VO_I(domain_bgp_info_rec, passwordreqd), VO_S(domain_bgp_info_rec, routemapin), VO_S(domain_bgp_info_rec, routemapout), VO_S(domain_bgp_info_rec, filterlistin), VO_S(domain_bgp_info_rec, filterlistout), VO_S(domain_bgp_info_rec, distlistin), VO_S(domain_bgp_info_rec, distlistout), VO_S(domain_bgp_info_rec, prefixlistin), VO_S(domain_bgp_info_rec, prefixlistout), VO_I(domain_bgp_info_rec, routereflector), VO_I(domain_bgp_info_rec, nexthopself), VO_S(domain_bgp_info_rec, weight), VO_S(domain_bgp_info_rec, ebgpmultihop), VO_I(domain_bgp_info_rec, defaultoriginate), VO_S(domain_bgp_info_rec, defaultoriginate_rm), VO_I(domain_bgp_info_rec, sendcommunity), VO_S(domain_bgp_info_rec, peername), V_VERSION};
const writer_desc k_w_domainbgpinfo = {"table DOMAINBGPINFO", nullptr, nullptr, "INSERT INTO DOMAINBGPINFO VALUES (%d, '%s', '%s',%d,'%s','%s','%s', '%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s','%s','%s',%d,%d,'%s','%s',%d,'%s',%d,'%s',%d)", nullptr, VALS(k_w_domainbgpinfo_vals), LIST(domain_bgp_info_rec, prdomainbgpinfo), kNoSublist};

const value_desc k_w_domainbgppeerrule_vals[] = {V_NETID, VO_S(domain_bgp_peer_rule_rec, domainname), VO_S(domain_bgp_peer_rule_rec, nodetype), VO_S(domain_bgp_peer_rule_rec, peername), VO_S(domain_bgp_peer_rule_rec, variablename), VO_S(domain_bgp_peer_rule_rec, variablevalue), V_VERSION};
const writer_desc k_w_domainbgppeerrule = {"table DOMAINBGPPEERRULE", nullptr, nullptr, "INSERT INTO DOMAINBGPPEERRULE VALUES (%d, '%s', '%s', '%s','%s','%s',%d)", nullptr, VALS(k_w_domainbgppeerrule_vals), LIST(domain_bgp_peer_rule_rec, prdomainbgppeerrule), kNoSublist};

const value_desc k_w_domainoffsetlist_vals[] = {V_NETID, VO_S(domain_offset_list_rec, domainname), VO_S(domain_offset_list_rec, nodetype), VO_S(domain_offset_list_rec, protocol), VO_I(domain_offset_list_rec, sequence), VO_S(domain_offset_list_rec, context1), VO_S(domain_offset_list_rec, context2), VO_S(domain_offset_list_rec, context3), VO_S(domain_offset_list_rec, acl), VO_S(domain_offset_list_rec, direction), VO_S(domain_offset_list_rec, offset), VO_S(domain_offset_list_rec, interfacename), V_VERSION};
const writer_desc k_w_domainoffsetlist = {"table DOMAINOFFSETLIST", nullptr, nullptr, "INSERT INTO DOMAINOFFSETLIST VALUES (%d, '%s', '%s', '%s',%d,'%s','%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainoffsetlist_vals), LIST(domain_offset_list_rec, prdomainoffsetlist), kNoSublist};

const value_desc k_w_pimrpclass_vals[] = {V_NETID, VO_S(pim_rp_class_rec, domainname), VO_S(pim_rp_class_rec, nodetype), VO_I(pim_rp_class_rec, sequence), VO_S(pim_rp_class_rec, context1), VO_S(pim_rp_class_rec, context2), VO_S(pim_rp_class_rec, context3), VO_S(pim_rp_class_rec, mcastmode), VO_S(pim_rp_class_rec, rpaddress), VO_S(pim_rp_class_rec, rpacl), V_VERSION};
const writer_desc k_w_pimrpclass = {"table PIMRPCLASS", nullptr, nullptr, "INSERT INTO PIMRPCLASS VALUES (%d, '%s', '%s', %d,'%s' ,'%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_pimrpclass_vals), LIST(pim_rp_class_rec, prpimrp), kNoSublist};

const value_desc k_w_pimacceptclass_vals[] = {V_NETID, VO_S(pim_accept_class_rec, domainname), VO_S(pim_accept_class_rec, nodetype), VO_I(pim_accept_class_rec, sequence), VO_S(pim_accept_class_rec, context1), VO_S(pim_accept_class_rec, context2), VO_S(pim_accept_class_rec, context3), VO_S(pim_accept_class_rec, acceptrpaddr), VO_S(pim_accept_class_rec, acceptrpacl), VO_I(pim_accept_class_rec, autorp), V_VERSION};
const writer_desc k_w_pimacceptclass = {"table PIMACCEPTCLASS", nullptr, nullptr, "INSERT INTO PIMACCEPTCLASS VALUES (%d, '%s', '%s', %d,'%s' ,'%s','%s','%s','%s',%d,%d)", nullptr, VALS(k_w_pimacceptclass_vals), LIST(pim_accept_class_rec, prpimacceptrp), kNoSublist};

const value_desc k_w_pimbsrclass_vals[] = {V_NETID, VO_S(pim_bsr_class_rec, domainname), VO_S(pim_bsr_class_rec, nodetype), VO_I(pim_bsr_class_rec, sequence), VO_S(pim_bsr_class_rec, context1), VO_S(pim_bsr_class_rec, context2), VO_S(pim_bsr_class_rec, context3), VO_S(pim_bsr_class_rec, bsrcandint), VO_S(pim_bsr_class_rec, bsrcandmasklen), VO_S(pim_bsr_class_rec, priority), V_VERSION};
const writer_desc k_w_pimbsrclass = {"table PIMBSRCLASS", nullptr, nullptr, "INSERT INTO PIMBSRCLASS VALUES (%d, '%s', '%s', %d,'%s' ,'%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_pimbsrclass_vals), LIST(pim_bsr_class_rec, prpimbsr), kNoSublist};

const value_desc k_w_pimregisterclass_vals[] = {V_NETID, VO_S(pim_register_class_rec, domainname), VO_S(pim_register_class_rec, nodetype), VO_S(pim_register_class_rec, registersource), VO_S(pim_register_class_rec, registerrate), VO_S(pim_register_class_rec, acceptregisteracl), VO_S(pim_register_class_rec, acceptregisterrate), V_VERSION};
const writer_desc k_w_pimregisterclass = {"table PIMREGISTERCLASS", nullptr, nullptr, "INSERT INTO PIMREGISTERCLASS VALUES (%d,'%s' ,'%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_pimregisterclass_vals), LIST(pim_register_class_rec, prpimregister), kNoSublist};

const value_desc k_w_pimmemberrateclass_vals[] = {V_NETID, VO_S(pim_member_rate_class_rec, domainname), VO_S(pim_member_rate_class_rec, nodetype), VO_S(pim_member_rate_class_rec, namedinterface), VO_I(pim_member_rate_class_rec, sequence), VO_S(pim_member_rate_class_rec, context1), VO_S(pim_member_rate_class_rec, context2), VO_S(pim_member_rate_class_rec, context3), VO_S(pim_member_rate_class_rec, direction), VO_S(pim_member_rate_class_rec, rate), VO_S(pim_member_rate_class_rec, grouplist), VO_S(pim_member_rate_class_rec, sourcelist), V_VERSION};
const writer_desc k_w_pimmemberrateclass = {"table PIMMEMBERRATECLASS", nullptr, nullptr, "INSERT INTO PIMMEMBERRATECLASS VALUES (%d, '%s', '%s','%s', %d,'%s' ,'%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_pimmemberrateclass_vals), LIST(pim_member_rate_class_rec, prpimrate), kNoSublist};

const value_desc k_w_pimmemberclass_vals[] = {V_NETID, VO_S(pim_member_class_rec, domainname), VO_S(pim_member_class_rec, nodetype), VO_I(pim_member_class_rec, sequence), VO_S(pim_member_class_rec, context1), VO_S(pim_member_class_rec, context2), VO_S(pim_member_class_rec, context3), VO_S(pim_member_class_rec, namedinterface), VO_S(pim_member_class_rec, mcastmode), VO_S(pim_member_class_rec, neighborfilter), VO_S(pim_member_class_rec, inrate), VO_S(pim_member_class_rec, boundaryacl), V_VERSION};
const writer_desc k_w_pimmemberclass = {"table PIMMEMBERCLASS", nullptr, nullptr, "INSERT INTO PIMMEMBERCLASS VALUES (%d, '%s', '%s',%d,'%s' ,'%s','%s','%s','%s','%s','%s', '%s',%d)", nullptr, VALS(k_w_pimmemberclass_vals), LIST(pim_member_class_rec, prpimmember), kNoSublist};

const value_desc k_w_pimrpfilterclass_vals[] = {V_NETID, VO_S(pim_rp_filter_class_rec, domainname), VO_S(pim_rp_filter_class_rec, nodetype), VO_I(pim_rp_filter_class_rec, sequence), VO_S(pim_rp_filter_class_rec, context1), VO_S(pim_rp_filter_class_rec, context2), VO_S(pim_rp_filter_class_rec, context3), VO_S(pim_rp_filter_class_rec, rpfilter), VO_S(pim_rp_filter_class_rec, rpgroupfilter), V_VERSION};
const writer_desc k_w_pimrpfilterclass = {"table PIMRPFILTERCLASS", nullptr, nullptr, "INSERT INTO PIMRPFILTERCLASS VALUES (%d, '%s', '%s', %d,'%s' ,'%s','%s','%s','%s',%d)", nullptr, VALS(k_w_pimrpfilterclass_vals), LIST(pim_rp_filter_class_rec, prautorpfilter), kNoSublist};

const value_desc k_w_pimautorpclass_vals[] = {V_NETID, VO_S(pim_auto_rp_class_rec, domainname), VO_S(pim_auto_rp_class_rec, nodetype), VO_I(pim_auto_rp_class_rec, sequence), VO_S(pim_auto_rp_class_rec, context1), VO_S(pim_auto_rp_class_rec, context2), VO_S(pim_auto_rp_class_rec, context3), VO_S(pim_auto_rp_class_rec, discoverint), V_VERSION};
const writer_desc k_w_pimautorpclass = {"table PIMAUTORPCLASS", nullptr, nullptr, "INSERT INTO PIMAUTORPCLASS VALUES (%d, '%s', '%s', %d,'%s' ,'%s','%s','%s',%d)", nullptr, VALS(k_w_pimautorpclass_vals), LIST(pim_auto_rp_class_rec, prmappingagent), kNoSublist};

const value_desc k_w_msdpclass_vals[] = {V_NETID, VO_S(msdp_class_rec, domainname), VO_S(msdp_class_rec, nodetype), VO_S(msdp_class_rec, redistacl), VO_S(msdp_class_rec, redistasnpathacl), VO_S(msdp_class_rec, redistroutemap), VO_S(msdp_class_rec, originatorid), VO_S(msdp_class_rec, borderasaddr), V_VERSION};
const writer_desc k_w_msdpclass = {"table MSDPCLASS", nullptr, nullptr, "INSERT INTO MSDPCLASS VALUES ( %d,'%s' ,'%s','%s','%s','%s','%s', '%s',%d)", nullptr, VALS(k_w_msdpclass_vals), LIST(msdp_class_rec, prmsdpclass), kNoSublist};

const value_desc k_w_msdpneighborclass_vals[] = {V_NETID, VO_S(msdp_neighbor_class_rec, domainname), VO_S(msdp_neighbor_class_rec, nodetype), VO_I(msdp_neighbor_class_rec, sequence), VO_S(msdp_neighbor_class_rec, neighbor), VO_S(msdp_neighbor_class_rec, context1), VO_S(msdp_neighbor_class_rec, context2), VO_S(msdp_neighbor_class_rec, context3), VO_S(msdp_neighbor_class_rec, connectsource), VO_S(msdp_neighbor_class_rec, remoteas), VO_S(msdp_neighbor_class_rec, description), VO_S(msdp_neighbor_class_rec, safilterinacl), VO_S(msdp_neighbor_class_rec, safilteroutacl), VO_S(msdp_neighbor_class_rec, safilterinmap), VO_S(msdp_neighbor_class_rec, safilteroutmap), VO_I(msdp_neighbor_class_rec, defaultpeer), VO_S(msdp_neighbor_class_rec, defprefixlist), VO_S(msdp_neighbor_class_rec, meshgroup), V_VERSION};
const writer_desc k_w_msdpneighborclass = {"table MSDPNEIGHBORCLASS", nullptr, nullptr, "INSERT INTO MSDPNEIGHBORCLASS VALUES ( %d,'%s' ,'%s',%d,'%s','%s','%s','%s', '%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s',%d)", nullptr, VALS(k_w_msdpneighborclass_vals), LIST(msdp_neighbor_class_rec, prmsdppeer), kNoSublist};

const value_desc k_w_igmpintclass_vals[] = {V_NETID, VO_S(igmp_int_class_rec, domainname), VO_S(igmp_int_class_rec, nodetype), VO_I(igmp_int_class_rec, sequence), VO_S(igmp_int_class_rec, context1), VO_S(igmp_int_class_rec, context2), VO_S(igmp_int_class_rec, context3), VO_S(igmp_int_class_rec, namedinterface), VO_S(igmp_int_class_rec, accessgroup), V_VERSION};
const writer_desc k_w_igmpintclass = {"table IGMPINTCLASS", nullptr, nullptr, "INSERT INTO IGMPINTCLASS VALUES ( %d,'%s' ,'%s',%d,'%s','%s','%s','%s', '%s',%d)", nullptr, VALS(k_w_igmpintclass_vals), LIST(igmp_int_class_rec, prigmpmember), kNoSublist};

const value_desc k_w_igmpintaddrclass_vals[] = {V_NETID, VO_S(igmp_int_addr_class_rec, domainname), VO_S(igmp_int_addr_class_rec, nodetype), VO_S(igmp_int_addr_class_rec, context1), VO_S(igmp_int_addr_class_rec, context2), VO_S(igmp_int_addr_class_rec, context3), VO_S(igmp_int_addr_class_rec, namedinterface), VO_I(igmp_int_addr_class_rec, sequence), VO_S(igmp_int_addr_class_rec, addrtype), VO_S(igmp_int_addr_class_rec, groupaddress), V_VERSION};
const writer_desc k_w_igmpintaddrclass = {"table IGMPINTADDRCLASS", nullptr, nullptr, "INSERT INTO IGMPINTADDRCLASS VALUES ( %d,'%s' ,'%s','%s','%s','%s','%s',%d,'%s','%s',%d)", nullptr, VALS(k_w_igmpintaddrclass_vals), LIST(igmp_int_addr_class_rec, prigmpgroup), kNoSublist};

const value_desc k_w_dvmrpintclass_vals[] = {V_NETID, VO_S(dvmrp_int_class_rec, domainname), VO_S(dvmrp_int_class_rec, nodetype), VO_I(dvmrp_int_class_rec, sequence), VO_S(dvmrp_int_class_rec, context1), VO_S(dvmrp_int_class_rec, context2), VO_S(dvmrp_int_class_rec, context3), VO_S(dvmrp_int_class_rec, namedinterface), VO_S(dvmrp_int_class_rec, metric), VO_S(dvmrp_int_class_rec, metricacl), VO_S(dvmrp_int_class_rec, acceptfilter), VO_S(dvmrp_int_class_rec, neighborfilter), VO_S(dvmrp_int_class_rec, summaryaddr), VO_S(dvmrp_int_class_rec, summarymask), VO_S(dvmrp_int_class_rec, summarymetric), VO_S(dvmrp_int_class_rec, inoffset), VO_S(dvmrp_int_class_rec, outoffset), V_VERSION};
const writer_desc k_w_dvmrpintclass = {"table DVMRPINTCLASS", nullptr, nullptr, "INSERT INTO DVMRPINTCLASS VALUES ( %d,'%s' ,'%s',%d,'%s','%s','%s','%s', '%s','%s','%s','%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_dvmrpintclass_vals), LIST(dvmrp_int_class_rec, prdvmrpmember), kNoSublist};

const value_desc k_w_domainroutemap_vals[] = {V_NETID, VO_S(domain_route_map_rec, domainname), VO_S(domain_route_map_rec, nodetype), VO_S(domain_route_map_rec, context1), VO_S(domain_route_map_rec, context2), VO_S(domain_route_map_rec, context3), VO_S(domain_route_map_rec, routemap), VO_S(domain_route_map_rec, usage), VO_S(domain_route_map_rec, owner), VO_I(domain_route_map_rec, sequence), VO_S(domain_route_map_rec, type), VO_S(domain_route_map_rec, repeatby), VO_I(domain_route_map_rec, mapseqinc), V_VERSION};
const writer_desc k_w_domainroutemap = {"table DOMAINROUTEMAP", nullptr, nullptr, "INSERT INTO DOMAINROUTEMAP VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s',%d,%d)", nullptr, VALS(k_w_domainroutemap_vals), LIST(domain_route_map_rec, prdomainroutemap), kNoSublist};

const value_desc k_w_routemapmatchlist_vals[] = {V_NETID, VO_S(route_map_match_list_rec, domainname), VO_S(route_map_match_list_rec, nodetype), VO_S(route_map_match_list_rec, routemap), VO_I(route_map_match_list_rec, sequence), VO_I(route_map_match_list_rec, matchsequence), VO_S(route_map_match_list_rec, matchtype), VO_S(route_map_match_list_rec, matchvalue), V_VERSION};
const writer_desc k_w_routemapmatchlist = {"table ROUTEMAPMATCHLIST", nullptr, nullptr, "INSERT INTO ROUTEMAPMATCHLIST VALUES (%d,'%s','%s','%s',%d,%d,'%s','%s',%d)", nullptr, VALS(k_w_routemapmatchlist_vals), LIST(route_map_match_list_rec, prroutemapmatchlist), kNoSublist};

const value_desc k_w_routemapsetlist_vals[] = {V_NETID, VO_S(route_map_set_list_rec, domainname), VO_S(route_map_set_list_rec, nodetype), VO_S(route_map_set_list_rec, routemap), VO_I(route_map_set_list_rec, sequence), VO_I(route_map_set_list_rec, setsequence), VO_S(route_map_set_list_rec, settype), VO_S(route_map_set_list_rec, setvalue), V_VERSION};
const writer_desc k_w_routemapsetlist = {"table ROUTEMAPSETLIST", nullptr, nullptr, "INSERT INTO ROUTEMAPSETLIST VALUES (%d,'%s','%s','%s',%d,%d,'%s','%s',%d)", nullptr, VALS(k_w_routemapsetlist_vals), LIST(route_map_set_list_rec, prroutemapsetlist), kNoSublist};

const value_desc k_w_domainaccesslist_vals[] = {V_NETID, VO_S(domain_access_list_rec, domainname), VO_S(domain_access_list_rec, nodetype), VO_I(domain_access_list_rec, sequence), VO_S(domain_access_list_rec, acltype), VO_S(domain_access_list_rec, nametype), VO_S(domain_access_list_rec, aclname), VO_I(domain_access_list_rec, aclstart), VO_I(domain_access_list_rec, aclinc), VO_S(domain_access_list_rec, owner), VO_S(domain_access_list_rec, context1), VO_S(domain_access_list_rec, context2), VO_S(domain_access_list_rec, context3), VO_S(domain_access_list_rec, direction), VO_S(domain_access_list_rec, usage), V_VERSION};
const writer_desc k_w_domainaccesslist = {"table DOMAINACCESSLIST", nullptr, nullptr, "INSERT INTO DOMAINACCESSLIST VALUES (%d,'%s','%s',%d,'%s','%s','%s',%d,%d,'%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainaccesslist_vals), LIST(domain_access_list_rec, prdomainaccesslist), kNoSublist};

const value_desc k_w_domainextacl_vals[] = {V_NETID, VO_S(domain_ext_acl_rec, domainname), VO_S(domain_ext_acl_rec, nodetype), VO_I(domain_ext_acl_rec, sequence), VO_I(domain_ext_acl_rec, subsequence), VO_S(domain_ext_acl_rec, repeatby), VO_S(domain_ext_acl_rec, type), VO_S(domain_ext_acl_rec, protocol), VO_S(domain_ext_acl_rec, hostnetworkno), VO_I(domain_ext_acl_rec, hostdncb), VO_I(domain_ext_acl_rec, mask), VO_I(domain_ext_acl_rec, maskdncb), V_VERSION};
const writer_desc k_w_domainextacl = {"table DOMAINEXTACL", nullptr, nullptr, "INSERT INTO DOMAINEXTACL VALUES (%d,'%s','%s',%d, %d,'%s','%s','%s','%s',%d,%d,%d,%d)", nullptr, VALS(k_w_domainextacl_vals), LIST(domain_ext_acl_rec, prdomainextacl), kNoSublist};

const value_desc k_w_domainacllist_vals[] = {V_NETID, VO_S(domain_acl_list_rec, domainname), VO_S(domain_acl_list_rec, nodetype), VO_I(domain_acl_list_rec, sequence), VO_I(domain_acl_list_rec, subsequence), VO_S(domain_acl_list_rec, repeatby), VO_S(domain_acl_list_rec, type), VO_S(domain_acl_list_rec, protocoltype), VO_S(domain_acl_list_rec, protocol), VO_S(domain_acl_list_rec, source), VO_I(domain_acl_list_rec, sourceprefix), VO_S(domain_acl_list_rec, sourceportoptype), VO_S(domain_acl_list_rec, sourceportop), VO_S(domain_acl_list_rec, sourceporttype), VO_S(domain_acl_list_rec, sourceport), VO_S(domain_acl_list_rec, dest), VO_I(domain_acl_list_rec, destprefix), VO_S(domain_acl_list_rec, destportoptype), VO_S(domain_acl_list_rec, destportop), VO_S(domain_acl_list_rec, destporttype), VO_S(domain_acl_list_rec, destport), VO_S(domain_acl_list_rec, precedence), VO_S(domain_acl_list_rec, tos), VO_I(domain_acl_list_rec, established), VO_I(domain_acl_list_rec, log), V_VERSION};
const writer_desc k_w_domainacllist = {"table DOMAINACLLIST", nullptr, nullptr, "INSERT INTO DOMAINACLLIST VALUES (%d,'%s','%s',%d, %d,'%s','%s','%s','%s','%s',%d,'%s','%s','%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s',%d,%d,%d)", nullptr, VALS(k_w_domainacllist_vals), LIST(domain_acl_list_rec, prdomainacllist), kNoSublist};

const value_desc k_w_domainprefixhdr_vals[] = {V_NETID, VO_S(domain_prefix_hdr_rec, domainname), VO_S(domain_prefix_hdr_rec, nodetype), VO_I(domain_prefix_hdr_rec, sequence), VO_S(domain_prefix_hdr_rec, context1), VO_S(domain_prefix_hdr_rec, context2), VO_S(domain_prefix_hdr_rec, context3), VO_S(domain_prefix_hdr_rec, listname), V_VERSION};
const writer_desc k_w_domainprefixhdr = {"table DOMAINPREFIXHDR", nullptr, nullptr, "INSERT INTO DOMAINPREFIXHDR VALUES (%d,'%s','%s',%d,'%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainprefixhdr_vals), LIST(domain_prefix_hdr_rec, prdomainprefixhdr), kNoSublist};

const value_desc k_w_domainprefixlist_vals[] = {V_NETID, VO_S(domain_prefix_list_rec, domainname), VO_S(domain_prefix_list_rec, nodetype), VO_I(domain_prefix_list_rec, sequence), VO_I(domain_prefix_list_rec, subsequence), VO_S(domain_prefix_list_rec, repeatby), VO_S(domain_prefix_list_rec, type), VO_S(domain_prefix_list_rec, network), VO_I(domain_prefix_list_rec, length), VO_I(domain_prefix_list_rec, lelen), VO_I(domain_prefix_list_rec, gelen), V_VERSION};
const writer_desc k_w_domainprefixlist = {"table DOMAINPREFIXLIST", nullptr, nullptr, "INSERT INTO DOMAINPREFIXLIST VALUES (%d,'%s','%s',%d,%d,'%s','%s','%s',%d,%d,%d,%d)", nullptr, VALS(k_w_domainprefixlist_vals), LIST(domain_prefix_list_rec, prdomainprefixlist), kNoSublist};

const value_desc k_w_domainfilterlist_vals[] = {V_NETID, VO_S(domain_filter_list_rec, domainname), VO_S(domain_filter_list_rec, nodetype), VO_I(domain_filter_list_rec, sequence), VO_S(domain_filter_list_rec, aclseqstart), VO_I(domain_filter_list_rec, aclseqinc), VO_S(domain_filter_list_rec, context1), VO_S(domain_filter_list_rec, context2), VO_S(domain_filter_list_rec, context3), VO_S(domain_filter_list_rec, filtertype), VO_S(domain_filter_list_rec, type), VO_S(domain_filter_list_rec, substring), V_VERSION};
const writer_desc k_w_domainfilterlist = {"table DOMAINFILTERLIST", nullptr, nullptr, "INSERT INTO DOMAINFILTERLIST VALUES (%d,'%s','%s',%d, '%s' ,%d,'%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainfilterlist_vals), LIST(domain_filter_list_rec, prdomainfilterlist), kNoSublist};

const value_desc k_w_domainqueues_vals[] = {V_NETID, VO_S(domain_queue_rec, domainname), VO_S(domain_queue_rec, nodetype), VO_S(domain_queue_rec, queuetype), VO_S(domain_queue_rec, queuename), VO_S(domain_queue_rec, classifiertype), VO_S(domain_queue_rec, usage), VO_S(domain_queue_rec, owner), V_VERSION};
const writer_desc k_w_domainqueues = {"table DOMAINQUEUES", nullptr, nullptr, "INSERT INTO DOMAINQUEUES VALUES (%d,'%s','%s','%s', '%s','%s','%s','%s',%d)", nullptr, VALS(k_w_domainqueues_vals), LIST(domain_queue_rec, prdomainqueues), kNoSublist};

const value_desc k_w_domaincustsubq_vals[] = {V_NETID, VO_S(domain_cust_subq_rec, domainname), VO_S(domain_cust_subq_rec, nodetype), VO_S(domain_cust_subq_rec, queuename), VO_S(domain_cust_subq_rec, subqueuename), VO_S(domain_cust_subq_rec, classifier), VO_I(domain_cust_subq_rec, isdefault), VO_S(domain_cust_subq_rec, bytecount), V_VERSION};
const writer_desc k_w_domaincustsubq = {"table DOMAINCUSTSUBQ", nullptr, nullptr, "INSERT INTO DOMAINCUSTSUBQ VALUES (%d,'%s','%s','%s', '%s','%s',%d,'%s',%d)", nullptr, VALS(k_w_domaincustsubq_vals), LIST(domain_cust_subq_rec, prdomaincustsubq), kNoSublist};

const value_desc k_w_domainmapclass_vals[] = {V_NETID, VO_S(domain_map_class_rec, domainname), VO_S(domain_map_class_rec, nodetype), VO_S(domain_map_class_rec, mapclassname), VO_S(domain_map_class_rec, context1), VO_S(domain_map_class_rec, context2), VO_S(domain_map_class_rec, context3), VO_S(domain_map_class_rec, usage), VO_S(domain_map_class_rec, owner), VO_S(domain_map_class_rec, burstsizein), VO_S(domain_map_class_rec, burstexcessin), VO_S(domain_map_class_rec, cirin), VO_S(domain_map_class_rec, burstsizeout), VO_S(domain_map_class_rec, burstexcessout), VO_S(domain_map_class_rec, cirout), VO_S(domain_map_class_rec, customqueue), VO_S(domain_map_class_rec, priorityqueue), VO_S(domain_map_class_rec, average), VO_S(domain_map_class_rec, peak), V_VERSION};
const writer_desc k_w_domainmapclass = {"table DOMAINMAPCLASS", nullptr, nullptr, "INSERT INTO DOMAINMAPCLASS VALUES (%d, '%s','%s', '%s' ,'%s','%s', '%s','%s','%s', '%s' ,'%s','%s','%s', '%s' ,'%s','%s','%s', '%s' ,'%s',%d)", nullptr, VALS(k_w_domainmapclass_vals), LIST(domain_map_class_rec, prdomainmapclass), kNoSublist};

const value_desc k_w_serviceenrollvars_vals[] = {V_NETID, VO_I(service_enroll_var_rec, sequence), VO_S(service_enroll_var_rec, variablename), VO_S(service_enroll_var_rec, displayname), VO_S(service_enroll_var_rec, variabletype), VO_S(service_enroll_var_rec, updatestatus), VO_I(service_enroll_var_rec, isoptional), VO_I(service_enroll_var_rec, minvalue), VO_I(service_enroll_var_rec, maxvalue), VO_S(service_enroll_var_rec, defaultvalue), VO_S(service_enroll_var_rec, listname), VO_S(service_enroll_var_rec, variablevalue), VO_S(service_enroll_var_rec, uniquec)};
const writer_desc k_w_serviceenrollvars = {"table SERVICEENROLLVARS", "DELETE SERVICEENROLLVARS WHERE networkid=%d", "-- Delete serviceenrollvars\n", "INSERT INTO SERVICEENROLLVARS VALUES (%d, %d,'%s','%s','%s','%s',%d,%d,%d,'%s','%s','%s','%s')", nullptr, VALS(k_w_serviceenrollvars_vals), LIST(service_enroll_var_rec, prqosservenrollvar), kNoSublist};

const value_desc k_w_qospoliceruleclass_vals[] = {V_NETID, VO_S(qos_police_rule_class_rec, domainname), VO_S(qos_police_rule_class_rec, nodetype), VO_S(qos_police_rule_class_rec, owner), VO_S(qos_police_rule_class_rec, usage1), VO_S(qos_police_rule_class_rec, usage2), VO_S(qos_police_rule_class_rec, context1), VO_S(qos_police_rule_class_rec, context2), VO_S(qos_police_rule_class_rec, context3), VO_S(qos_police_rule_class_rec, policerulename), VO_I(qos_police_rule_class_rec, sequence), VO_S(qos_police_rule_class_rec, matchrulename), VO_S(qos_police_rule_class_rec, bitrate), VO_S(qos_police_rule_class_rec, burstsize), VO_S(qos_police_rule_class_rec, excessburstsize), VO_S(qos_police_rule_class_rec, exceedrate), VO_S(qos_police_rule_class_rec, violaterate), VO_S(qos_police_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qospoliceruleclass = {"table QOSPOLICERULECLASS", nullptr, nullptr, "INSERT INTO QOSPOLICERULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_qospoliceruleclass_vals), LIST(qos_police_rule_class_rec, prpoliceruledesclist), kNoSublist};

const value_desc k_w_qospoliceactionclass_vals[] = {V_NETID, VO_S(qos_police_rule_class_rec, domainname), VO_S(qos_police_rule_class_rec, nodetype), VO_S(qos_police_rule_class_rec, owner), VO_S(qos_police_rule_class_rec, usage1), VO_S(qos_police_rule_class_rec, usage2), VO_S(qos_police_rule_class_rec, context1), VO_S(qos_police_rule_class_rec, context2), VO_S(qos_police_rule_class_rec, context3), VO_S(qos_police_rule_class_rec, policerulename), VO_I(qos_police_rule_class_rec, sequence), V_POS, VN_S(qos_police_action_class_rec, actiontype), VN_S(qos_police_action_class_rec, action), VN_S(qos_police_action_class_rec, actionvalue), VO_S(qos_police_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qospoliceactionclass = {"table QOSPOLICEACTIONCLASS", nullptr, nullptr, "INSERT INTO QOSPOLICEACTIONCLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,%d,'%s','%s','%s','%s',%d)", nullptr, VALS(k_w_qospoliceactionclass_vals), LIST(qos_police_rule_class_rec, prpoliceruledesclist), SUBLIST(qos_police_rule_class_rec, actionlist, qos_police_action_class_rec)};

const value_desc k_w_qosdropruleclass_vals[] = {V_NETID, VO_S(qos_drop_rule_class_rec, domainname), VO_S(qos_drop_rule_class_rec, nodetype), VO_S(qos_drop_rule_class_rec, owner), VO_S(qos_drop_rule_class_rec, usage1), VO_S(qos_drop_rule_class_rec, usage2), VO_S(qos_drop_rule_class_rec, context1), VO_S(qos_drop_rule_class_rec, context2), VO_S(qos_drop_rule_class_rec, context3), VO_S(qos_drop_rule_class_rec, droprulename), VO_S(qos_drop_rule_class_rec, droptype), V_POS, VN_S(qos_drop_rule_class_elem_rec, dropsubtype), VN_S(qos_drop_rule_class_elem_rec, dropparam1), VN_S(qos_drop_rule_class_elem_rec, dropparam2), VO_S(qos_drop_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qosdropruleclass = {"table QOSDROPRULECLASS", nullptr, nullptr, "INSERT INTO QOSDROPRULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s','%s','%s',%d)", "INSERT INTO QOSDROPRULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,'','','','%s',%d)", VALS(k_w_qosdropruleclass_vals), LIST(qos_drop_rule_class_rec, prdropruledesclist), SUBLIST(qos_drop_rule_class_rec, elemlist, qos_drop_rule_class_elem_rec)};

const value_desc k_w_qosshaperuleclass_vals[] = {V_NETID, VO_S(qos_shape_rule_class_rec, domainname), VO_S(qos_shape_rule_class_rec, nodetype), VO_S(qos_shape_rule_class_rec, owner), VO_S(qos_shape_rule_class_rec, usage1), VO_S(qos_shape_rule_class_rec, usage2), VO_S(qos_shape_rule_class_rec, context1), VO_S(qos_shape_rule_class_rec, context2), VO_S(qos_shape_rule_class_rec, context3), VO_S(qos_shape_rule_class_rec, shaperulename), VO_I(qos_shape_rule_class_rec, sequence), VO_S(qos_shape_rule_class_rec, matchrulename), VO_S(qos_shape_rule_class_rec, bitratetype), VO_S(qos_shape_rule_class_rec, bitrate), VO_S(qos_shape_rule_class_rec, sustainedrate), VO_S(qos_shape_rule_class_rec, excessrate), VO_S(qos_shape_rule_class_rec, burstsize), VO_S(qos_shape_rule_class_rec, excessburstsize), VO_S(qos_shape_rule_class_rec, queuelength), VO_S(qos_shape_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qosshaperuleclass = {"table QOSSHAPERULECLASS", nullptr, nullptr, "INSERT INTO QOSSHAPERULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_qosshaperuleclass_vals), LIST(qos_shape_rule_class_rec, prshaperuledesclist), kNoSublist};

const value_desc k_w_qosmarkruleclass_vals[] = {V_NETID, VO_S(qos_mark_rule_class_rec, domainname), VO_S(qos_mark_rule_class_rec, nodetype), VO_S(qos_mark_rule_class_rec, owner), VO_S(qos_mark_rule_class_rec, usage1), VO_S(qos_mark_rule_class_rec, usage2), VO_S(qos_mark_rule_class_rec, context1), VO_S(qos_mark_rule_class_rec, context2), VO_S(qos_mark_rule_class_rec, context3), VO_S(qos_mark_rule_class_rec, markrulename), VO_I(qos_mark_rule_class_rec, sequence), VO_S(qos_mark_rule_class_rec, marktype), VO_S(qos_mark_rule_class_rec, markvalue), VO_S(qos_mark_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qosmarkruleclass = {"table QOSMARKRULECLASS", nullptr, nullptr, "INSERT INTO QOSMARKRULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,'%s','%s','%s',%d)", nullptr, VALS(k_w_qosmarkruleclass_vals), LIST(qos_mark_rule_class_rec, prmarkruledesclist), kNoSublist};

const value_desc k_w_qosmatchruleclass_vals[] = {V_NETID, VO_S(qos_match_rule_class_rec, domainname), VO_S(qos_match_rule_class_rec, nodetype), VO_S(qos_match_rule_class_rec, owner), VO_S(qos_match_rule_class_rec, usage1), VO_S(qos_match_rule_class_rec, usage2), VO_S(qos_match_rule_class_rec, context1), VO_S(qos_match_rule_class_rec, context2), VO_S(qos_match_rule_class_rec, context3), VO_S(qos_match_rule_class_rec, matchrulename), VO_I(qos_match_rule_class_rec, matchdnf), V_POS, VN_S(qos_match_rule_class_elem_rec, matchtype), VN_S(qos_match_rule_class_elem_rec, matchvalue), VN_I(qos_match_rule_class_elem_rec, matchnegated), VO_S(qos_match_rule_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qosmatchruleclass = {"table QOSMATCHRULECLASS", nullptr, nullptr, "INSERT INTO QOSMATCHRULECLASS VALUES (%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s',%d,%d,'%s','%s',%d,'%s',%d)", nullptr, VALS(k_w_qosmatchruleclass_vals), LIST(qos_match_rule_class_rec, prmatchruledesclist), SUBLIST(qos_match_rule_class_rec, elemlist, qos_match_rule_class_elem_rec)};

const value_desc k_w_qospolicyclass_vals[] = {V_NETID, VO_S(qos_policy_class_rec, domainname), VO_S(qos_policy_class_rec, nodetype), VO_S(qos_policy_class_rec, policyname), VO_I(qos_policy_class_rec, policyid), VO_S(qos_policy_class_rec, owner), VO_S(qos_policy_class_rec, usage1), VO_S(qos_policy_class_rec, usage2), VO_I(qos_policy_class_rec, mandatory), VO_S(qos_policy_class_rec, context1), VO_S(qos_policy_class_rec, context2), VO_S(qos_policy_class_rec, context3), VO_S(qos_policy_class_rec, classrulename), VO_S(qos_policy_class_rec, direction), VO_S(qos_policy_class_rec, queuetype), VO_S(qos_policy_class_rec, markrule), VO_S(qos_policy_class_rec, policerule), VO_S(qos_policy_class_rec, shaperule), VO_S(qos_policy_class_rec, droprule), V_VERSION};
const writer_desc k_w_qospolicyclass = {"table QOSPOLICYCLASS", nullptr, nullptr, "INSERT INTO QOSPOLICYCLASS VALUES (%d,'%s','%s','%s',%d,'%s','%s','%s',%d,'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_qospolicyclass_vals), LIST(qos_policy_class_rec, prqospolicydesclist), kNoSublist};

const value_desc k_w_qossubqueueclass_vals[] = {V_NETID, VO_S(qos_policy_class_rec, domainname), VO_S(qos_policy_class_rec, nodetype), VO_S(qos_policy_class_rec, classrulename), VO_S(qos_policy_class_rec, direction), VO_S(qos_policy_class_rec, context1), VO_S(qos_policy_class_rec, context2), VO_S(qos_policy_class_rec, context3), VO_I(qos_policy_class_rec, policyid), VO_S(qos_policy_class_rec, classrulename), VO_S(qos_policy_class_rec, queuetype), VN_I(qos_sub_queue_class_rec, sequence), VN_S(qos_sub_queue_class_rec, subqueuename), VN_S(qos_sub_queue_class_rec, queuebandwidth), VN_S(qos_sub_queue_class_rec, queuebwtype), VN_S(qos_sub_queue_class_rec, queuelength), VN_S(qos_sub_queue_class_rec, queuebytespercycle), VN_S(qos_sub_queue_class_rec, queuepriority), VN_I(qos_sub_queue_class_rec, isdefault), VN_S(qos_sub_queue_class_rec, fairqueuecount), VN_S(qos_sub_queue_class_rec, matchrule), VN_I(qos_sub_queue_class_rec, matchdnf), VN_S(qos_sub_queue_class_rec, markrule), VN_S(qos_sub_queue_class_rec, policerule), VN_S(qos_sub_queue_class_rec, shaperule), VN_S(qos_sub_queue_class_rec, droprule), VN_S(qos_sub_queue_class_rec, repeatby), V_VERSION};
const writer_desc k_w_qossubqueueclass = {"table QOSSUBQUEUECLASS", nullptr, nullptr, "INSERT INTO QOSSUBQUEUECLASS VALUES (%d,'%s','%s','%s','POLICY','%s','%s','%s','%s',%d,'%s','%s',%d,'%s','%s','%s','%s','%s','%s',%d,'%s','%s',%d,'%s','%s','%s','%s','%s',%d)", nullptr, VALS(k_w_qossubqueueclass_vals), LIST(qos_policy_class_rec, prqospolicydesclist), SUBLIST(qos_policy_class_rec, subqueuelist, qos_sub_queue_class_rec)};

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

const reader_desc *const kAllReaders[] = {
    &k_r_network,
    &k_r_domains,
    &k_r_listvalues,
    &k_r_globallistvars,
    &k_r_validintbandwidth,
    &k_r_domainvariables,
    &k_r_domainconnvars,
    &k_r_domainnodes,
    &k_r_domainnodevars,
    &k_r_domainservice,
    &k_r_domainconnections,
    &k_r_domainfixedconn,
    &k_r_domainintnames,
    &k_r_domainconntypes,
    &k_r_domainremotetypes,
    &k_r_domaininttypes,
    &k_r_domaininstancevars,
    &k_r_hsrpmember,
    &k_r_hsrpconnections,
    &k_r_ipaddresspools,
    &k_r_addressassign,
    &k_r_addressdependency,
    &k_r_domainnodeconnbkp,
    &k_r_domainnodelogint,
    &k_r_servicetypes,
    &k_r_servicetypenames,
    &k_r_servicetypevars,
    &k_r_networkvars,
    &k_r_pooltypes,
    &k_r_pooltypemap,
    &k_r_poolsequence,
    &k_r_connapsmember,
    &k_r_systemlistvalues,
    &k_r_domainconnfilters,
    &k_r_poolclass,
    &k_r_vcclass,
    &k_r_vcmembers,
    &k_r_vcconnfilters,
    &k_r_poolclassmap,
    &k_r_domainprotocols,
    &k_r_domainpassiveint,
    &k_r_igmpgroup,
    &k_r_igmpmember,
    &k_r_msdpclass,
    &k_r_dvmrpmember,
    &k_r_msdppeer,
    &k_r_pimregister,
    &k_r_autorpfilter,
    &k_r_mapppingagent,
    &k_r_pimmember,
    &k_r_pimrate,
    &k_r_pimbsr,
    &k_r_pimacceptrp,
    &k_r_pimrp,
    &k_r_domainaddrsummary,
    &k_r_domainstaticroute,
    &k_r_domainnodeareas,
    &k_r_domainconnareas,
    &k_r_domainredist,
    &k_r_ospfdefault,
    &k_r_domainoffsetlist,
    &k_r_domaindistlist,
    &k_r_domainnodearearanges,
    &k_r_domainbgpnetwork,
    &k_r_domainbgpaddragrr,
    &k_r_domainbgppeer,
    &k_r_domainbgpinfo,
    &k_r_domainbgppeerrule,
    &k_r_domainprefixhdr,
    &k_r_domainprefixlist,
    &k_r_domainroutemap,
    &k_r_domainroutemapmatchlist,
    &k_r_domainmapclass,
    &k_r_domainfilterlist,
    &k_r_domainaccesslist,
    &k_r_domainacllist,
    &k_r_domainextacl,
    &k_r_domainqueues,
    &k_r_domaincustsubq,
    &k_r_matchruletable,
    &k_r_dropruletable,
    &k_r_markruletable,
    &k_r_shaperuletable,
    &k_r_policeruletable,
    &k_r_policyruletable,
    &k_r_subqueues,
    &k_r_servenrollvars,
    &k_r_domainroutemapsetlist,
    &k_r_policeactions,
    &k_r_custvars,
    &k_r_custhsrpvars,
    &k_r_custconnfilters,
    &k_r_custconnvars,
    &k_r_custnodevars,
    &k_r_custconntypes,
    &k_r_custaddrtypes,
    &k_r_custconnnodes,
    &k_r_custconnnodesloopback,
    &k_r_custconninterfaces,
    &k_r_custconnqospolicies,
};
const size_t kAllReadersCount = std::size(kAllReaders);

const writer_desc *const kAllWriters[] = {
    &k_w_listvalues,
    &k_w_validintbandwidth,
    &k_w_domain,
    &k_w_domainvariables,
    &k_w_domainnodes,
    &k_w_domainnodevars,
    &k_w_domainservices,
    &k_w_domainconnections,
    &k_w_domainfixedconn,
    &k_w_domainintnames,
    &k_w_domainconnvars,
    &k_w_domainconntypes,
    &k_w_domaininstvars,
    &k_w_domainremotetypes,
    &k_w_domaininttypes,
    &k_w_hsrpmember,
    &k_w_hsrpconnections,
    &k_w_domainconnfilters,
    &k_w_ipaddresspools,
    &k_w_addressassign,
    &k_w_addressdependency,
    &k_w_domainnodeconnbkp,
    &k_w_domainnodelogint,
    &k_w_networkvars,
    &k_w_apsmember,
    &k_w_servicetypenames,
    &k_w_servicetypes,
    &k_w_servicetypevars,
    &k_w_pooltypes,
    &k_w_compooltypes,
    &k_w_poolsequence,
    &k_w_poolclass,
    &k_w_poolclassmapping,
    &k_w_systemlistvalues,
    &k_w_vcclass,
    &k_w_vcmemberfilters,
    &k_w_vcmemberclass,
    &k_w_globallistvars,
    &k_w_custconntypes,
    &k_w_custconnqospolicy,
    &k_w_custconnaddrtypes,
    &k_w_custconnnodes,
    &k_w_custconnnodeslb,
    &k_w_custconninterfaces,
    &k_w_custvars,
    &k_w_custnodevars,
    &k_w_custconnvars,
    &k_w_custconnhsrpvars,
    &k_w_custconnfilters,
    &k_w_domainstaticroute,
    &k_w_domainprotocols,
    &k_w_domainpassiveint,
    &k_w_domainaddrsummary,
    &k_w_domainbgpnetwork,
    &k_w_domainredist,
    &k_w_domainospfdefault,
    &k_w_domainnodeareas,
    &k_w_domainnodearearanges,
    &k_w_domainconnareas,
    &k_w_domaindistlist,
    &k_w_domainbgpaddragrr,
    &k_w_domainbgppeer,
    &k_w_domainbgpinfo,
    &k_w_domainbgppeerrule,
    &k_w_domainoffsetlist,
    &k_w_pimrpclass,
    &k_w_pimacceptclass,
    &k_w_pimbsrclass,
    &k_w_pimregisterclass,
    &k_w_pimmemberrateclass,
    &k_w_pimmemberclass,
    &k_w_pimrpfilterclass,
    &k_w_pimautorpclass,
    &k_w_msdpclass,
    &k_w_msdpneighborclass,
    &k_w_igmpintclass,
    &k_w_igmpintaddrclass,
    &k_w_dvmrpintclass,
    &k_w_domainroutemap,
    &k_w_routemapmatchlist,
    &k_w_routemapsetlist,
    &k_w_domainaccesslist,
    &k_w_domainextacl,
    &k_w_domainacllist,
    &k_w_domainprefixhdr,
    &k_w_domainprefixlist,
    &k_w_domainfilterlist,
    &k_w_domainqueues,
    &k_w_domaincustsubq,
    &k_w_domainmapclass,
    &k_w_serviceenrollvars,
    &k_w_qospoliceruleclass,
    &k_w_qospoliceactionclass,
    &k_w_qosdropruleclass,
    &k_w_qosshaperuleclass,
    &k_w_qosmarkruleclass,
    &k_w_qosmatchruleclass,
    &k_w_qospolicyclass,
    &k_w_qossubqueueclass,
};
const size_t kAllWritersCount = std::size(kAllWriters);


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
