// Records of the CUSTOMER section (customer types). The customer records that
// begin with `dbflag` keep that word for the database layer alone.
#ifndef NDL_CORE_RECORDS_CUSTOMER_H
#define NDL_CORE_RECORDS_CUSTOMER_H

#include "records_common.h"

struct cust_conn_qos_policy_rec {  // CUSTCONNQOSPOLICY, under a customer type
    text_field<kText> qospolicylistname;
    text_field<kText> policyname;
    cust_conn_qos_policy_rec *next;
};

struct cust_conn_type_rec {  // CUSTCONNTYPES
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> conntypename;
    text_field<kText> connectto;
    text_field<kText> scope1;
    text_field<kText> scope2;
    text_field<kText> scope3;
    int32_t directconnect;
    text_field<kText> domainname;
    text_field<kText> addressmode;
    int32_t routingenabled;
    text_field<kName> custsitetype;
    tail_list<cust_conn_qos_policy_rec> qospolicylist;
    cust_conn_type_rec *next;
};

struct cust_conn_addr_type_rec {  // CUSTCONNADDRTYPES
    text_field<kName> servicetype;
    text_field<kName> conntypename;
    int32_t sequence;
    text_field<kText> addrtype;
    cust_conn_addr_type_rec *next;
};

struct cust_conn_node_lb_rec {  // CUSTCONNNODESLB, under a customer node
    int32_t isloopback;
    int32_t nodeinstance;
    text_field<30> lbinstance;
    text_field<30> loopbacktype;
    cust_conn_node_lb_rec *next;
};

struct cust_conn_node_rec {  // CUSTCONNNODES
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> conntypename;
    text_field<kText> nodetype;
    int32_t noofnodeinstance;
    tail_list<cust_conn_node_lb_rec> loopbacklist;
    cust_conn_node_rec *next;
};

struct cust_var_rec {  // CUSTVARS
    int32_t line;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> conntypename;
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
    cust_var_rec *next;
};

struct pool_class_mapping_rec {  // POOLCLASSMAPPING
    int32_t networkid;
    text_field<kText> conntypename;
    text_field<kName> roletype;
    text_field<kName> hosttype;
    text_field<kName> nattype;
    text_field<kName> poolclass;
    int32_t enrollforall;
    pool_class_mapping_rec *next;
};

struct cust_conn_interface_rec {  // CUSTCONNINTERFACES
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kName> conntypename;
    text_field<kText> nodetype;
    int32_t nodeinstance;
    text_field<kText> connectionname;
    int32_t instanceno;
    text_field<kText> interfacetype;
    text_field<kText> encapsulationtype;
    text_field<kText> remotedomain;
    text_field<kText> remotenodetype;
    cust_conn_interface_rec *next;
};

struct cust_conn_var_rec {  // CUSTCONNVARS
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kText> conntypename;
    text_field<kText> nodetype;
    int32_t nodeinstance;
    text_field<kText> connectionname;
    int32_t instanceno;
    text_field<kText> variablename;
    text_field<kText> variablevalue;
    cust_conn_var_rec *next;
};

struct cust_conn_hsrp_var_rec {  // CUSTCONNHSRPVARS
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kText> conntypename;
    text_field<kText> nodetype;
    int32_t nodeinstance;
    text_field<kText> connectionname;
    int32_t instanceno;
    int32_t sequenceno;
    text_field<kText> variablename;
    text_field<kText> variablevalue;
    cust_conn_hsrp_var_rec *next;
};

struct cust_node_var_rec {  // CUSTNODEVARS
    int32_t dbflag;
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kText> conntypename;
    text_field<kText> nodetype;
    int32_t nodeinstance;
    text_field<kText> variablename;
    text_field<kText> variablevalue;
    cust_node_var_rec *next;
};

struct cust_conn_filter_rec {  // CUSTCONNFILTERS
    int32_t networkid;
    text_field<kName> servicetype;
    text_field<kText> conntypename;
    text_field<kText> nodetype;
    int32_t nodeinstance;
    text_field<kText> connectionname;
    int32_t instanceno;
    text_field<kText> remotevariablename;
    text_field<kText> remotevarcondition;
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
