// Records of the CUSTOMER section (customer types). The customer records that
// begin with `dbflag` keep that word for the database layer alone.
#ifndef NDL_CORE_RECORDS_CUSTOMER_H
#define NDL_CORE_RECORDS_CUSTOMER_H

#include "records_common.h"

struct cust_conn_qos_policy_rec {  // CUSTCONNQOSPOLICY, under a customer type
    char qospolicylistname[kText];
    char policyname[kText];
    cust_conn_qos_policy_rec *next;
};

struct cust_conn_type_rec {  // CUSTCONNTYPES
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kName];
    char connectto[kText];
    char scope1[kText];
    char scope2[kText];
    char scope3[kText];
    int32_t directconnect;
    char domainname[kText];
    char addressmode[kText];
    int32_t routingenabled;
    char custsitetype[kName];
    tail_list<cust_conn_qos_policy_rec> qospolicylist;
    cust_conn_type_rec *next;
};

struct cust_conn_addr_type_rec {  // CUSTCONNADDRTYPES
    char servicetype[kName];
    char conntypename[kName];
    int32_t sequence;
    char addrtype[kText];
    cust_conn_addr_type_rec *next;
};

struct cust_conn_node_lb_rec {  // CUSTCONNNODESLB, under a customer node
    int32_t isloopback;
    int32_t nodeinstance;
    char lbinstance[30];
    char loopbacktype[30];
    cust_conn_node_lb_rec *next;
};

struct cust_conn_node_rec {  // CUSTCONNNODES
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kName];
    char nodetype[kText];
    int32_t noofnodeinstance;
    tail_list<cust_conn_node_lb_rec> loopbacklist;
    cust_conn_node_rec *next;
};

struct cust_var_rec {  // CUSTVARS
    int32_t line;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kName];
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
    cust_var_rec *next;
};

struct pool_class_mapping_rec {  // POOLCLASSMAPPING
    int32_t networkid;
    char conntypename[kText];
    char roletype[kName];
    char hosttype[kName];
    char nattype[kName];
    char poolclass[kName];
    int32_t enrollforall;
    pool_class_mapping_rec *next;
};

struct cust_conn_interface_rec {  // CUSTCONNINTERFACES
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kName];
    char nodetype[kText];
    int32_t nodeinstance;
    char connectionname[kText];
    int32_t instanceno;
    char interfacetype[kText];
    char encapsulationtype[kText];
    char remotedomain[kText];
    char remotenodetype[kText];
    cust_conn_interface_rec *next;
};

struct cust_conn_var_rec {  // CUSTCONNVARS
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kText];
    char nodetype[kText];
    int32_t nodeinstance;
    char connectionname[kText];
    int32_t instanceno;
    char variablename[kText];
    char variablevalue[kText];
    cust_conn_var_rec *next;
};

struct cust_conn_hsrp_var_rec {  // CUSTCONNHSRPVARS
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kText];
    char nodetype[kText];
    int32_t nodeinstance;
    char connectionname[kText];
    int32_t instanceno;
    int32_t sequenceno;
    char variablename[kText];
    char variablevalue[kText];
    cust_conn_hsrp_var_rec *next;
};

struct cust_node_var_rec {  // CUSTNODEVARS
    int32_t dbflag;
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kText];
    char nodetype[kText];
    int32_t nodeinstance;
    char variablename[kText];
    char variablevalue[kText];
    cust_node_var_rec *next;
};

struct cust_conn_filter_rec {  // CUSTCONNFILTERS
    int32_t networkid;
    char servicetype[kName];
    char conntypename[kText];
    char nodetype[kText];
    int32_t nodeinstance;
    char connectionname[kText];
    int32_t instanceno;
    char remotevariablename[kText];
    char remotevarcondition[kText];
    cust_conn_filter_rec *next;
};

extern record_list<cust_conn_type_rec> prcustconntypes;
extern record_list<cust_conn_addr_type_rec> prcustconnaddrtypes;
extern record_list<cust_conn_node_rec> prcustconnnodes;
extern record_list<cust_conn_interface_rec> prcustconninterfaces;
extern record_list<cust_var_rec> prcustvars;
extern record_list<cust_node_var_rec> prcustnodevars;
extern record_list<cust_conn_var_rec> prcustconnvars;
extern record_list<cust_conn_hsrp_var_rec> prcusthsrpvars;
extern record_list<cust_conn_filter_rec> prcustconnfilters;
extern record_list<pool_class_mapping_rec> prpoolclassmap;

#endif
