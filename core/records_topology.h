// Records of the TOPOLOGY section: one struct per stored table, fields named
// after the columns, the next link last. Filled by the topology block parsers
// and by the readers of the stored network.
#ifndef NDL_CORE_RECORDS_TOPOLOGY_H
#define NDL_CORE_RECORDS_TOPOLOGY_H

#include "records_common.h"
#include "records_lists.h"
#include "records_stored.h"

struct network_rec {  // NETWORKS, at most one record
    NDL_STORED(network_rec)
    network_rec *next;
};

// Variable records carry the input line of their declaration first: the
// end-of-section owner checks report against it.
struct network_var_rec {  // NETWORKVARS
    int32_t line;
    NDL_STORED(network_var_rec)
    network_var_rec *next;
};

struct list_value_rec {  // LISTVALUES, one record a list element
    NDL_STORED(list_value_rec)
    list_value_rec *next;
};

struct system_list_elem_rec {
    NDL_STORED(system_list_elem_rec)
    system_list_elem_rec *next;
};

struct system_list_rec {  // SYSTEMLISTVALUES grouped by list name
    NDL_STORED(system_list_rec)
    tail_list<system_list_elem_rec> elemlist;
    system_list_rec *next;
};

struct global_list_var_rec {  // GLOBALLISTVARS (no networkid field)
    NDL_STORED(global_list_var_rec)
    global_list_var_rec *next;
};

struct valid_int_bandwidth_rec {  // VALIDINTBANDWIDTH
    NDL_STORED(valid_int_bandwidth_rec)
    valid_int_bandwidth_rec *next;
};

struct service_type_name_rec {  // SERVICETYPENAMES
    NDL_STORED(service_type_name_rec)
    service_type_name_rec *next;
};

struct service_type_rec {  // SERVICETYPES
    NDL_STORED(service_type_rec)
    service_type_rec *next;
};

struct service_type_var_rec {  // SERVICETYPEVARS
    int32_t line;
    NDL_STORED(service_type_var_rec)
    service_type_var_rec *next;
};

struct pool_class_rec {  // POOLCLASS
    NDL_STORED(pool_class_rec)
    pool_class_rec *next;
};

struct pool_type_rec {  // POOLTYPES
    NDL_STORED(pool_type_rec)
    pool_type_rec *next;
};

struct com_pool_type_rec {  // COMPOOLTYPES
    NDL_STORED(com_pool_type_rec)
    com_pool_type_rec *next;
};

struct pool_sequence_rec {  // POOLSEQUENCE
    NDL_STORED(pool_sequence_rec)
    pool_sequence_rec *next;
};

struct domain_rec {  // DOMAIN
    NDL_STORED(domain_rec)
    domain_rec *next;
};

struct domain_variable_rec {  // DOMAINVARIABLES
    int32_t line;
    NDL_STORED(domain_variable_rec)
    domain_variable_rec *next;
};

struct domain_node_rec {  // DOMAINNODES
    NDL_STORED(domain_node_rec)
    domain_node_rec *next;
};

struct domain_node_var_rec {  // DOMAINNODEVARS
    int32_t line;
    NDL_STORED(domain_node_var_rec)
    domain_node_var_rec *next;
};

struct domain_service_rec {  // DOMAINSERVICES
    NDL_STORED(domain_service_rec)
    domain_service_rec *next;
};

struct ip_address_pool_rec {  // IPADDRESSPOOLS
    NDL_STORED(ip_address_pool_rec)
    ip_address_pool_rec *next;
};

struct vc_class_rec {  // VCCLASS (logical paths)
    NDL_STORED(vc_class_rec)
    vc_class_rec *next;
};

struct vc_member_class_rec {  // VCMEMBERCLASS
    NDL_STORED(vc_member_class_rec)
    vc_member_class_rec *next;
};

struct vc_member_filter_rec {  // VCMEMBERFILTERS
    NDL_STORED(vc_member_filter_rec)
    vc_member_filter_rec *next;
};

struct domain_connection_rec {  // DOMAINCONNECTIONS
    NDL_STORED(domain_connection_rec)
    domain_connection_rec *next;
};

struct domain_node_log_int_rec {  // DOMAINNODELOGINT
    NDL_STORED(domain_node_log_int_rec)
    domain_node_log_int_rec *next;
};

struct domain_conn_type_rec {  // DOMAINCONNTYPES
    NDL_STORED(domain_conn_type_rec)
    domain_conn_type_rec *next;
};

struct domain_conn_var_rec {  // DOMAINCONNVARS
    int32_t line;
    NDL_STORED(domain_conn_var_rec)
    domain_conn_var_rec *next;
};

struct address_assign_rec {  // ADDRESSASSIGN
    NDL_STORED(address_assign_rec)
    address_assign_rec *next;
};

struct address_dependency_rec {  // ADDRESSDEPENDENCY
    NDL_STORED(address_dependency_rec)
    address_dependency_rec *next;
};

struct domain_inst_var_rec {  // DOMAININSTVARS
    NDL_STORED(domain_inst_var_rec)
    domain_inst_var_rec *next;
};

struct domain_fixed_conn_rec {  // DOMAINFIXEDCONN
    NDL_STORED(domain_fixed_conn_rec)
    domain_fixed_conn_rec *next;
};

struct domain_int_name_rec {  // DOMAININTNAMES
    NDL_STORED(domain_int_name_rec)
    domain_int_name_rec *next;
};

struct domain_remote_type_rec {  // DOMAINREMOTETYPES
    NDL_STORED(domain_remote_type_rec)
    domain_remote_type_rec *next;
};

struct domain_node_conn_bkp_rec {  // DOMAINNODECONNBKP
    NDL_STORED(domain_node_conn_bkp_rec)
    domain_node_conn_bkp_rec *next;
};

struct domain_int_type_rec {  // DOMAININTTYPES
    NDL_STORED(domain_int_type_rec)
    domain_int_type_rec *next;
};

struct hsrp_member_rec {  // HSRPMEMBER
    NDL_STORED(hsrp_member_rec)
    hsrp_member_rec *next;
};

struct hsrp_connection_rec {  // HSRPCONNECTIONS
    NDL_STORED(hsrp_connection_rec)
    hsrp_connection_rec *next;
};

struct aps_member_rec {  // APSMEMBER
    NDL_STORED(aps_member_rec)
    aps_member_rec *next;
};

struct domain_conn_filter_rec {  // DOMAINCONNFILTERS
    NDL_STORED(domain_conn_filter_rec)
    domain_conn_filter_rec *next;
};

// No block fills this list and no table holds it; lookups find nothing.
struct domain_snmp_community_rec {
    text_field<kName> name;
    domain_snmp_community_rec *next;
};

#endif
