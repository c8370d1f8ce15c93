// The checks only the command-line build makes (checks.cpp installs them
// into the shared section code).
#ifndef NDL_CLI_CHECKS_H
#define NDL_CLI_CHECKS_H

#include "records_topology.h"

// Stored rows against parsed ones: 1 to go on, 0 refused. Under
// overwritedata a missing row is a warning and the walk goes on.
int NDL_validate_ipaddresspools(ip_address_pool_rec *stored, ip_address_pool_rec *parsed);
int NDL_validate_domainintnames(domain_int_name_rec *stored, domain_int_name_rec *parsed);
int NDL_validate_domainconnections(domain_connection_rec *stored, domain_connection_rec *parsed);
int NDL_validate_domainservice(domain_service_rec *stored, domain_service_rec *parsed);

// 1 when a filter list of the domain and node type with that start number
// is already parsed or stored.
int validate_filterlist(const char *domainname, const char *nodetype, int sequence);

#endif
