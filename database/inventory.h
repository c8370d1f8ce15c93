// The inventory checks: a stored design row that the parsed section changed
// or dropped is refused while live instances use it, and only warned about
// when none do. The instance tables (custsite, nodeconn, nodeinst,
// domaininstance) belong to other applications; the checks only count them.
#ifndef NDL_DATABASE_INVENTORY_H
#define NDL_DATABASE_INVENTORY_H

#include "records_customer.h"
#include "records_topology.h"

// Runs a count query on the instance table `table` (its bare name): the
// count, or -1 after a failure already reported. Every text value must have
// been quoted (sql_quote) by the caller.
int getinstancecount(const char *table, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Live instances that use a design value of the run's network, or -1.
int count_custsite(const char *conntypename);
int count_nodeconn(const char *connectionname);
int count_nodeinst(const char *domainname, const char *nodetype);
int count_domaininstance(const char *domainname);

// The validators: each compares a stored list with the parsed one; 1 to go
// on, 0 when a row was refused or a count failed.
int NDL_validate_network(network_rec *stored, network_rec *parsed);
int NDL_validate_domains(domain_rec *stored, domain_rec *parsed);
int NDL_validate_domainvariables(domain_variable_rec *stored, domain_variable_rec *parsed);
int NDL_validate_domainconntypes(domain_conn_type_rec *stored, domain_conn_type_rec *parsed);
int NDL_validate_domainfixedconn(domain_fixed_conn_rec *stored, domain_fixed_conn_rec *parsed);
int NDL_validate_domainconnvars(domain_conn_var_rec *stored, domain_conn_var_rec *parsed);
int NDL_validate_domainnodes(domain_node_rec *stored, domain_node_rec *parsed);
int NDL_validate_domainnodevars(domain_node_var_rec *stored, domain_node_var_rec *parsed);
int NDL_validate_domainremotetypes(domain_remote_type_rec *stored, domain_remote_type_rec *parsed);
int NDL_validate_domaininttypes(domain_int_type_rec *stored, domain_int_type_rec *parsed);
int NDL_validate_domaininstancevars(domain_inst_var_rec *stored, domain_inst_var_rec *parsed);
int NDL_validate_hsrpmember(hsrp_member_rec *stored, hsrp_member_rec *parsed);
int NDL_validate_hsrpconnections(hsrp_connection_rec *stored, hsrp_connection_rec *parsed);
int NDL_validate_addressassign(address_assign_rec *stored, address_assign_rec *parsed);
int NDL_validate_domainnodelogint(domain_node_log_int_rec *stored, domain_node_log_int_rec *parsed);
int NDL_validate_servicetypes(service_type_rec *stored, service_type_rec *parsed);
int NDL_validate_servicetypevars(service_type_var_rec *stored, service_type_var_rec *parsed);
int NDL_validate_networkvars(network_var_rec *stored, network_var_rec *parsed);
int NDL_validate_pooltypes(pool_type_rec *stored, pool_type_rec *parsed);
int NDL_validate_pooltypemap(com_pool_type_rec *stored, com_pool_type_rec *parsed);
int NDL_validate_poolclass(pool_class_rec *stored, pool_class_rec *parsed);
int NDL_validate_poolsequence(pool_sequence_rec *stored, pool_sequence_rec *parsed);
int NDL_validate_connapsmember(aps_member_rec *stored, aps_member_rec *parsed);
int NDL_validate_vcclass(vc_class_rec *stored, vc_class_rec *parsed);
int NDL_validate_vcmemberclass(vc_member_class_rec *stored, vc_member_class_rec *parsed);
int NDL_validate_custconntypes(cust_conn_type_rec *stored, cust_conn_type_rec *parsed);
int NDL_validate_custvars(cust_var_rec *stored, cust_var_rec *parsed);
int NDL_validate_custaddrtypes(cust_conn_addr_type_rec *stored, cust_conn_addr_type_rec *parsed);
int NDL_validate_custconnnodes(cust_conn_node_rec *stored, cust_conn_node_rec *parsed);
int NDL_validate_custconninterfaces(cust_conn_interface_rec *stored, cust_conn_interface_rec *parsed);
int NDL_validate_poolclassmap(pool_class_mapping_rec *stored, pool_class_mapping_rec *parsed);

#endif
