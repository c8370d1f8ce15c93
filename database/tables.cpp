// The description of every stored table: what its reader selects into
// which record fields, and what its writer deletes and inserts, and the
// orders the readers and writers run in (tables.inc, generated from
// tools/tablegen/tables.py). The column order of the INSERT texts is the
// column order of database/schema.sql.
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
