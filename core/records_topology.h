// Records of the TOPOLOGY section: one struct per stored table, fields named
// after the columns, the next link last. Filled by the topology block parsers
// and by the readers of the stored network.
#ifndef NDL_CORE_RECORDS_TOPOLOGY_H
#define NDL_CORE_RECORDS_TOPOLOGY_H

#include "records_common.h"

struct network_rec {  // NETWORKS, at most one record
    int32_t networkid;
    char networkname[kName];
    char organization[kText];
    char address[kText];
    char city[kText];
    char country[kText];
    char securitygroup[kText];
    char networkzonename[kText];
    char exportedzonename[kText];
    network_rec *next;
};

// Variable records carry the input line of their declaration first: the
// end-of-section owner checks report against it.
struct network_var_rec {  // NETWORKVARS
    int32_t line;
    int32_t networkid;
    int32_t sequence;
    char variablename[kName];
    char variabletype[kText];
    char variablevalue[kText];
    network_var_rec *next;
};

struct list_value_rec {  // LISTVALUES, one record a list element
    int32_t networkid;
    char listname[kName];
    char elementvalue[kText];
    list_value_rec *next;
};

struct system_list_elem_rec {
    char displayname[kText];
    char elementvalue[kText];
    system_list_elem_rec *next;
};

struct system_list_rec {  // SYSTEMLISTVALUES grouped by list name
    char listname[kText];
    tail_list<system_list_elem_rec> elemlist;
    system_list_rec *next;
};

struct global_list_var_rec {  // GLOBALLISTVARS (no networkid field)
    char listid[32];
    int32_t sequence;
    char variablename[kText];
    global_list_var_rec *next;
};

struct valid_int_bandwidth_rec {  // VALIDINTBANDWIDTH
    int32_t networkid;
    char interfacetype[kName];
    char bandwidth[kText];
    valid_int_bandwidth_rec *next;
};

struct service_type_name_rec {  // SERVICETYPENAMES
    int32_t networkid;
    char servicetype[kName];
    char servicename[kName];
    service_type_name_rec *next;
};

struct service_type_rec {  // SERVICETYPES
    int32_t networkid;
    char servicetype[kName];
    char hosttype[kName];
    service_type_rec *next;
};

struct service_type_var_rec {  // SERVICETYPEVARS
    int32_t line;
    int32_t networkid;
    char servicetype[kName];
    int32_t sequence;
    char variablename[kName];
    char displayname[kText];
    char variabletype[kText];
    char updatestatus[kText];
    int32_t minvalue;
    int32_t maxvalue;
    char defaultvalue[kText];
    char listname[kText];
    char variablevalue[kText];
    char uniquec[kText];
    int32_t isoptional;
    service_type_var_rec *next;
};

struct pool_class_rec {  // POOLCLASS
    int32_t networkid;
    char value[kName];
    char name[kName];
    int32_t isdefault;
    int32_t isshared;
    pool_class_rec *next;
};

struct pool_type_rec {  // POOLTYPES
    int32_t networkid;
    char servicetype[kName];
    char hosttype[kName];
    char poolowner[kText];
    char validation[kName];
    pool_type_rec *next;
};

struct com_pool_type_rec {  // COMPOOLTYPES
    int32_t networkid;
    char servicetype[kName];
    char communicationtype[kText];
    char hosttype[kName];
    char addressmode[kText];
    com_pool_type_rec *next;
};

struct pool_sequence_rec {  // POOLSEQUENCE
    int32_t networkid;
    char servicetype[kName];
    char poolowner[kName];
    char hosttype[kName];
    int32_t sequence;
    char variablename[kName];
    pool_sequence_rec *next;
};

struct domain_rec {  // DOMAIN
    int32_t networkid;
    char domainname[kName];
    domain_rec *next;
};

struct domain_variable_rec {  // DOMAINVARIABLES
    int32_t line;
    int32_t networkid;
    char domainname[kName];
    int32_t sequence;
    char variablename[kText];
    char displayname[kText];
    char variabletype[kText];
    char updatestatus[kText];
    int32_t minvalue;
    int32_t maxvalue;
    char defaultvalue[kText];
    char listname[kText];
    char variablevalue[kText];
    char uniquec[kText];
    int32_t isoptional;
    domain_variable_rec *next;
};

struct domain_node_rec {  // DOMAINNODES
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t nodeidstart;
    int32_t maxnode;
    int32_t minnode;
    char hostname[kText];
    char devicetype[kText];
    int32_t iscpe;
    int32_t remoteaccess;
    char remoteaddrtype[kText];
    int32_t natinside;
    char nataddrtype[kText];
    int32_t routedprotocols;
    int32_t controller;
    domain_node_rec *next;
};

struct domain_node_var_rec {  // DOMAINNODEVARS
    int32_t line;
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char variablename[kName];
    char displayname[kText];
    char variabletype[kText];
    char updatestatus[kText];
    int32_t minvalue;
    int32_t maxvalue;
    char defaultvalue[kText];
    char listname[kText];
    char variablevalue[kText];
    char uniquec[kText];
    int32_t isoptional;
    domain_node_var_rec *next;
};

struct domain_service_rec {  // DOMAINSERVICES
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char servicename[kName];
    char sourceaddress[kText];
    domain_service_rec *next;
};

struct ip_address_pool_rec {  // IPADDRESSPOOLS
    int32_t networkid;
    char addresspoolname[kText];
    char protocoltype[30];
    char startaddress[kName];
    char endaddress[kName];
    ip_address_pool_rec *next;
};

struct vc_class_rec {  // VCCLASS (logical paths)
    int32_t connectionno;
    char connectionname[kText];
    char connectiontype[kName];
    char encapsulationtype[kText];
    char pathmode[kText];
    char pathtype[kName];
    int32_t maxconn;
    char scope[kName];
    int32_t isauthenticated;
    vc_class_rec *next;
};

struct vc_member_class_rec {  // VCMEMBERCLASS
    int32_t connectionno;
    int32_t sequence;
    char domainname[kName];
    char nodetype[kName];
    int32_t minconn;
    int32_t maxconn;
    char membertype[kText];
    char interface[kText];
    char connectionname[kText];
    char tunnelsource[kText];
    vc_member_class_rec *next;
};

struct vc_member_filter_rec {  // VCMEMBERFILTERS
    int32_t connectionno;
    int32_t sequence;
    char variablename[kText];
    vc_member_filter_rec *next;
};

struct domain_connection_rec {  // DOMAINCONNECTIONS
    int32_t networkid;
    char domainname1[kName];
    char domainname2[kName];
    char conntype[kName];
    int32_t maxconn;
    int32_t minconn;
    domain_connection_rec *next;
};

struct domain_node_log_int_rec {  // DOMAINNODELOGINT
    int32_t networkid;
    char domainname[kName];
    char devicetype[kName];
    char nodetype[kName];
    char inttype[kName];
    char intno[30];
    char addresstype[kText];
    int32_t prefix;
    char dependency[kName];
    char valcheck[kName];
    domain_node_log_int_rec *next;
};

struct domain_conn_type_rec {  // DOMAINCONNTYPES
    int32_t connectionno;
    char connectionname[kText];
    char connectionscope[kText];
    char connectiontype[kText];
    int32_t maxconn;
    int32_t networktypes;
    char addresstype[kText];
    char prefix[kText];
    char valcheck[kName];
    domain_conn_type_rec *next;
};

struct domain_conn_var_rec {  // DOMAINCONNVARS
    int32_t line;
    int32_t networkid;
    int32_t connectionno;
    int32_t sequence;
    char displayname[kText];
    char variablename[kText];
    char variabletype[kText];
    char updatestatus[kText];
    int32_t minvalue;
    int32_t maxvalue;
    char defaultvalue[kText];
    char listname[kText];
    char variablevalue[kText];
    char uniquec[kText];
    int32_t isoptional;
    domain_conn_var_rec *next;
};

struct address_assign_rec {  // ADDRESSASSIGN
    int32_t networkid;
    int32_t namedpointtype;
    char namedendpoint[kText];
    char addresspoolname[kText];
    char scope[kText];
    char poolname[kText];
    char offset[kText];
    int32_t sequence;
    char ipaddress[kText];
    char servicetype[kText];
    char hosttype[kText];
    char nattype[kText];
    char poolowner[kText];
    char poolownervar[kText];
    char poolclass[kText];
    address_assign_rec *next;
};

struct address_dependency_rec {  // ADDRESSDEPENDENCY
    int32_t networkid;
    int32_t namedpointtype;
    char namedendpoint[kText];
    char addresspoolname[kName];
    int32_t sequence;
    char variablename[kName];
    int32_t minvalue;
    int32_t maxvalue;
    address_dependency_rec *next;
};

struct domain_inst_var_rec {  // DOMAININSTVARS
    char connectionname[kText];
    int32_t sequenceno;
    char variablename[kText];
    domain_inst_var_rec *next;
};

struct domain_fixed_conn_rec {  // DOMAINFIXEDCONN
    int32_t networkid;
    int32_t connectionno;
    char domainname[kName];
    char nodetype[kName];
    char nattype[kName];
    char authserver[kName];
    int32_t maxconn;
    int32_t minconn;
    int32_t secondaryip;
    domain_fixed_conn_rec *next;
};

struct domain_int_name_rec {  // DOMAININTNAMES
    int32_t connectionno;
    char domainname[kName];
    char nodetype[kName];
    int32_t instanceno;
    char interfacename[kName];
    domain_int_name_rec *next;
};

struct domain_remote_type_rec {  // DOMAINREMOTETYPES
    int32_t connectionno;
    int32_t peruser;
    int32_t isdn;
    int32_t async;
    int32_t dialout;
    int32_t dialin;
    domain_remote_type_rec *next;
};

struct domain_node_conn_bkp_rec {  // DOMAINNODECONNBKP
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char scope[kName];
    char connectionname[kText];
    char backupconnname[kText];
    domain_node_conn_bkp_rec *next;
};

struct domain_int_type_rec {  // DOMAININTTYPES
    int32_t connectionno;
    char interfacetype[kName];
    char encapsulationtype[kName];
    int32_t isauthenticated;
    int32_t subinterface;
    char authenticationtype[kName];
    char conntype[kName];
    domain_int_type_rec *next;
};

struct hsrp_member_rec {  // HSRPMEMBER
    int32_t networkid;
    int32_t connectionno;
    char domainname[kName];
    char nodetype[kName];
    char trackinterface[kText];
    int32_t trackpriority;
    int32_t sequenceno;
    int32_t subsequenceno;
    hsrp_member_rec *next;
};

struct hsrp_connection_rec {  // HSRPCONNECTIONS
    int32_t networkid;
    int32_t connectionno;
    int32_t sequenceno;
    char addresstype[kName];
    int32_t authenticated;
    int32_t subsequenceno;
    char hsrppriority[300];
    hsrp_connection_rec *next;
};

struct aps_member_rec {  // APSMEMBER
    char domainname[kName];
    char nodetype[kName];
    int32_t connectionno;
    int32_t interfacemode;
    aps_member_rec *next;
};

struct domain_conn_filter_rec {  // DOMAINCONNFILTERS
    int32_t networkid;
    int32_t connectionno;
    int32_t sequence;
    char variablename[kText];
    domain_conn_filter_rec *next;
};

// No block fills this list and no table holds it; lookups find nothing.
struct domain_snmp_community_rec {
    char name[kName];
    domain_snmp_community_rec *next;
};

extern record_list<network_rec> prnetwork;
extern record_list<domain_rec> prdomains;
extern record_list<list_value_rec> prlistvalues;
extern record_list<domain_variable_rec> prdomainvariables;
extern record_list<domain_conn_var_rec> prdomainconnvars;
extern record_list<domain_node_rec> prdomainnodes;
extern record_list<domain_node_var_rec> prdomainnodevars;
extern record_list<domain_service_rec> prdomainservices;
extern record_list<domain_connection_rec> prdomainconnections;
extern record_list<domain_fixed_conn_rec> prdomainfixedconn;
extern record_list<domain_int_name_rec> prdomainintnames;
extern record_list<domain_conn_type_rec> prdomainconntypes;
extern record_list<domain_remote_type_rec> prdomainremotetypes;
extern record_list<domain_int_type_rec> prdomaininttypes;
extern record_list<domain_inst_var_rec> prdomaininstancevars;
extern record_list<hsrp_member_rec> prhsrpmember;
extern record_list<hsrp_connection_rec> prhsrpconnections;
extern record_list<ip_address_pool_rec> praddresspools;
extern record_list<address_assign_rec> praddressassign;
extern record_list<address_dependency_rec> praddressdependency;
extern record_list<domain_node_conn_bkp_rec> prdomainnodeconnbkp;
extern record_list<domain_node_log_int_rec> prdomainnodelogint;
extern record_list<service_type_rec> prservicetypes;
extern record_list<service_type_name_rec> prservicetypenames;
extern record_list<service_type_var_rec> prservicetypevars;
extern record_list<network_var_rec> prnetworkvars;
extern record_list<pool_type_rec> prpooltypes;
extern record_list<pool_sequence_rec> prpoolsequence;
extern record_list<aps_member_rec> prconnapsdatalist;
extern record_list<system_list_rec> pr_systemlist;
extern record_list<valid_int_bandwidth_rec> prvalidintbandwidth;
extern record_list<domain_snmp_community_rec> prdomainsnmpcommunity;
extern record_list<pool_class_rec> prpoolclass;
extern record_list<com_pool_type_rec> prpooltypemap;
extern record_list<vc_class_rec> prlogconntypes;
extern record_list<vc_member_filter_rec> prvcconnfilters;
extern record_list<vc_member_class_rec> prvcmembers;
extern record_list<domain_conn_filter_rec> prdomconnfilters;
extern record_list<global_list_var_rec> prgloballistvars;

#endif
