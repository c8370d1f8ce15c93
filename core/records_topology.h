// Records of the TOPOLOGY section: one struct per stored table, fields named
// after the columns, the next link last. Filled by the topology block parsers
// and by the readers of the stored network.
#ifndef NDL_CORE_RECORDS_TOPOLOGY_H
#define NDL_CORE_RECORDS_TOPOLOGY_H

#include "records_common.h"

struct network_rec {  // NETWORKS, at most one record
    int32_t networkid;
    text_field<kName> networkname;
    text_field<kText> organization;
    text_field<kText> address;
    text_field<kText> city;
    text_field<kText> country;
    text_field<kText> securitygroup;
    text_field<kText> networkzonename;
    text_field<kText> exportedzonename;
    network_rec *next;
};

// Variable records carry the input line of their declaration first: the
// end-of-section owner checks report against it.
struct network_var_rec {  // NETWORKVARS
    int32_t line;
    int32_t networkid;
    int32_t sequence;
    text_field<kName> variablename;
    text_field<kText> variabletype;
    text_field<kText> variablevalue;
    network_var_rec *next;
};

struct list_value_rec {  // LISTVALUES, one record a list element
    int32_t networkid;
    text_field<kName> listname;
    text_field<kText> elementvalue;
    list_value_rec *next;
};

struct system_list_elem_rec {
    text_field<kText> displayname;
    text_field<kText> elementvalue;
    system_list_elem_rec *next;
};

struct system_list_rec {  // SYSTEMLISTVALUES grouped by list name
    text_field<kText> listname;
    tail_list<system_list_elem_rec> elemlist;
    system_list_rec *next;
};

struct global_list_var_rec {  // GLOBALLISTVARS (no networkid field)
    text_field<32> listid;
    int32_t sequence;
    text_field<kText> variablename;
    global_list_var_rec *next;
};

struct valid_int_bandwidth_rec {  // VALIDINTBANDWIDTH
    int32_t networkid;
    text_field<kName> interfacetype;
    text_field<kText> bandwidth;
    valid_int_bandwidth_rec *next;
};

struct service_type_name_rec {  // SERVICETYPENAMES
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> servicename;
    service_type_name_rec *next;
};

struct service_type_rec {  // SERVICETYPES
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> hosttype;
    service_type_rec *next;
};

struct service_type_var_rec {  // SERVICETYPEVARS
    int32_t line;
    int32_t networkid;
    text_field<kName> servicetype;
    int32_t sequence;
    text_field<kName> variablename;
    text_field<kText> displayname;
    text_field<kText> variabletype;
    text_field<kText> updatestatus;
    int32_t minvalue;
    int32_t maxvalue;
    text_field<kText> defaultvalue;
    text_field<kText> listname;
    text_field<kText> variablevalue;
    text_field<kText> uniquec;
    int32_t isoptional;
    service_type_var_rec *next;
};

struct pool_class_rec {  // POOLCLASS
    int32_t networkid;
    text_field<kName> value;
    text_field<kName> name;
    int32_t isdefault;
    int32_t isshared;
    pool_class_rec *next;
};

struct pool_type_rec {  // POOLTYPES
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> hosttype;
    text_field<kText> poolowner;
    text_field<kName> validation;
    pool_type_rec *next;
};

struct com_pool_type_rec {  // COMPOOLTYPES
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kText> communicationtype;
    text_field<kName> hosttype;
    text_field<kText> addressmode;
    com_pool_type_rec *next;
};

struct pool_sequence_rec {  // POOLSEQUENCE
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> poolowner;
    text_field<kName> hosttype;
    int32_t sequence;
    text_field<kName> variablename;
    pool_sequence_rec *next;
};

struct domain_rec {  // DOMAIN
    int32_t networkid;
    text_field<kName> domainname;
    domain_rec *next;
};

struct domain_variable_rec {  // DOMAINVARIABLES
    int32_t line;
    int32_t networkid;
    text_field<kName> domainname;
    int32_t sequence;
    text_field<kText> variablename;
    text_field<kText> displayname;
    text_field<kText> variabletype;
    text_field<kText> updatestatus;
    int32_t minvalue;
    int32_t maxvalue;
    text_field<kText> defaultvalue;
    text_field<kText> listname;
    text_field<kText> variablevalue;
    text_field<kText> uniquec;
    int32_t isoptional;
    domain_variable_rec *next;
};

struct domain_node_rec {  // DOMAINNODES
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t nodeidstart;
    int32_t maxnode;
    int32_t minnode;
    text_field<kText> hostname;
    text_field<kText> devicetype;
    int32_t iscpe;
    int32_t remoteaccess;
    text_field<kText> remoteaddrtype;
    int32_t natinside;
    text_field<kText> nataddrtype;
    int32_t routedprotocols;
    int32_t controller;
    domain_node_rec *next;
};

struct domain_node_var_rec {  // DOMAINNODEVARS
    int32_t line;
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kName> variablename;
    text_field<kText> displayname;
    text_field<kText> variabletype;
    text_field<kText> updatestatus;
    int32_t minvalue;
    int32_t maxvalue;
    text_field<kText> defaultvalue;
    text_field<kText> listname;
    text_field<kText> variablevalue;
    text_field<kText> uniquec;
    int32_t isoptional;
    domain_node_var_rec *next;
};

struct domain_service_rec {  // DOMAINSERVICES
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> servicename;
    text_field<kText> sourceaddress;
    domain_service_rec *next;
};

struct ip_address_pool_rec {  // IPADDRESSPOOLS
    int32_t networkid;
    text_field<kText> addresspoolname;
    text_field<30> protocoltype;
    text_field<kName> startaddress;
    text_field<kName> endaddress;
    ip_address_pool_rec *next;
};

struct vc_class_rec {  // VCCLASS (logical paths)
    int32_t connectionno;
    text_field<kText> connectionname;
    text_field<kName> connectiontype;
    text_field<kText> encapsulationtype;
    text_field<kText> pathmode;
    text_field<kName> pathtype;
    int32_t maxconn;
    text_field<kName> scope;
    int32_t isauthenticated;
    vc_class_rec *next;
};

struct vc_member_class_rec {  // VCMEMBERCLASS
    int32_t connectionno;
    int32_t sequence;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t minconn;
    int32_t maxconn;
    text_field<kText> membertype;
    text_field<kText> interface;
    text_field<kText> connectionname;
    text_field<kText> tunnelsource;
    vc_member_class_rec *next;
};

struct vc_member_filter_rec {  // VCMEMBERFILTERS
    int32_t connectionno;
    int32_t sequence;
    text_field<kText> variablename;
    vc_member_filter_rec *next;
};

struct domain_connection_rec {  // DOMAINCONNECTIONS
    int32_t networkid;
    text_field<kName> domainname1;
    text_field<kName> domainname2;
    text_field<kName> conntype;
    int32_t maxconn;
    int32_t minconn;
    domain_connection_rec *next;
};

struct domain_node_log_int_rec {  // DOMAINNODELOGINT
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> devicetype;
    text_field<kName> nodetype;
    text_field<kName> inttype;
    text_field<30> intno;
    text_field<kText> addresstype;
    int32_t prefix;
    text_field<kName> dependency;
    text_field<kName> valcheck;
    domain_node_log_int_rec *next;
};

struct domain_conn_type_rec {  // DOMAINCONNTYPES
    int32_t connectionno;
    text_field<kText> connectionname;
    text_field<kText> connectionscope;
    text_field<kText> connectiontype;
    int32_t maxconn;
    int32_t networktypes;
    text_field<kText> addresstype;
    text_field<kText> prefix;
    text_field<kName> valcheck;
    domain_conn_type_rec *next;
};

struct domain_conn_var_rec {  // DOMAINCONNVARS
    int32_t line;
    int32_t networkid;
    int32_t connectionno;
    int32_t sequence;
    text_field<kText> displayname;
    text_field<kText> variablename;
    text_field<kText> variabletype;
    text_field<kText> updatestatus;
    int32_t minvalue;
    int32_t maxvalue;
    text_field<kText> defaultvalue;
    text_field<kText> listname;
    text_field<kText> variablevalue;
    text_field<kText> uniquec;
    int32_t isoptional;
    domain_conn_var_rec *next;
};

struct address_assign_rec {  // ADDRESSASSIGN
    int32_t networkid;
    int32_t namedpointtype;
    text_field<kText> namedendpoint;
    text_field<kText> addresspoolname;
    text_field<kText> scope;
    text_field<kText> poolname;
    text_field<kText> offset;
    int32_t sequence;
    text_field<kText> ipaddress;
    text_field<kText> servicetype;
    text_field<kText> hosttype;
    text_field<kText> nattype;
    text_field<kText> poolowner;
    text_field<kText> poolownervar;
    text_field<kText> poolclass;
    address_assign_rec *next;
};

struct address_dependency_rec {  // ADDRESSDEPENDENCY
    int32_t networkid;
    int32_t namedpointtype;
    text_field<kText> namedendpoint;
    text_field<kName> addresspoolname;
    int32_t sequence;
    text_field<kName> variablename;
    int32_t minvalue;
    int32_t maxvalue;
    address_dependency_rec *next;
};

struct domain_inst_var_rec {  // DOMAININSTVARS
    text_field<kText> connectionname;
    int32_t sequenceno;
    text_field<kText> variablename;
    domain_inst_var_rec *next;
};

struct domain_fixed_conn_rec {  // DOMAINFIXEDCONN
    int32_t networkid;
    int32_t connectionno;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> nattype;
    text_field<kName> authserver;
    int32_t maxconn;
    int32_t minconn;
    int32_t secondaryip;
    domain_fixed_conn_rec *next;
};

struct domain_int_name_rec {  // DOMAININTNAMES
    int32_t connectionno;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t instanceno;
    text_field<kName> interfacename;
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
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> scope;
    text_field<kText> connectionname;
    text_field<kText> backupconnname;
    domain_node_conn_bkp_rec *next;
};

struct domain_int_type_rec {  // DOMAININTTYPES
    int32_t connectionno;
    text_field<kName> interfacetype;
    text_field<kName> encapsulationtype;
    int32_t isauthenticated;
    int32_t subinterface;
    text_field<kName> authenticationtype;
    text_field<kName> conntype;
    domain_int_type_rec *next;
};

struct hsrp_member_rec {  // HSRPMEMBER
    int32_t networkid;
    int32_t connectionno;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> trackinterface;
    int32_t trackpriority;
    int32_t sequenceno;
    int32_t subsequenceno;
    hsrp_member_rec *next;
};

struct hsrp_connection_rec {  // HSRPCONNECTIONS
    int32_t networkid;
    int32_t connectionno;
    int32_t sequenceno;
    text_field<kName> addresstype;
    int32_t authenticated;
    int32_t subsequenceno;
    text_field<300> hsrppriority;
    hsrp_connection_rec *next;
};

struct aps_member_rec {  // APSMEMBER
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t connectionno;
    int32_t interfacemode;
    aps_member_rec *next;
};

struct domain_conn_filter_rec {  // DOMAINCONNFILTERS
    int32_t networkid;
    int32_t connectionno;
    int32_t sequence;
    text_field<kText> variablename;
    domain_conn_filter_rec *next;
};

// No block fills this list and no table holds it; lookups find nothing.
struct domain_snmp_community_rec {
    text_field<kName> name;
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
