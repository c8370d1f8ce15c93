// Records of the TOPOLOGY section: one struct per stored table, fields named
// after the columns, the next link last. Filled by the topology block parsers
// and by the readers of the stored network.
#ifndef NDL_CORE_RECORDS_TOPOLOGY_H
#define NDL_CORE_RECORDS_TOPOLOGY_H

#include "records_common.h"
#include "records_topology_stored.h"

// Variable records carry the input line of their declaration first: the
// end-of-section owner checks report against it.
struct network_var_rec {  // NETWORKVARS
    int32_t line;
    NDL_STORED(network_var_rec)
    network_var_rec *next;
};

struct system_list_rec {  // SYSTEMLISTVALUES grouped by list name
    NDL_STORED(system_list_rec)
    tail_list<system_list_elem_rec> elemlist;
    system_list_rec *next;
};

struct service_type_var_rec {  // SERVICETYPEVARS
    int32_t line;
    NDL_STORED(service_type_var_rec)
    service_type_var_rec *next;
};

struct domain_variable_rec {  // DOMAINVARIABLES
    int32_t line;
    NDL_STORED(domain_variable_rec)
    domain_variable_rec *next;
};

struct domain_node_var_rec {  // DOMAINNODEVARS
    int32_t line;
    NDL_STORED(domain_node_var_rec)
    domain_node_var_rec *next;
};

struct domain_conn_var_rec {  // DOMAINCONNVARS
    int32_t line;
    NDL_STORED(domain_conn_var_rec)
    domain_conn_var_rec *next;
};

// No block fills this list and no table holds it; lookups find nothing.
struct domain_snmp_community_rec {
    text_field<kName> name;
    domain_snmp_community_rec *next;
};

#endif
