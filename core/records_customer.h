// Records of the CUSTOMER section (customer types). The customer records that
// begin with `dbflag` keep that word for the database layer alone.
#ifndef NDL_CORE_RECORDS_CUSTOMER_H
#define NDL_CORE_RECORDS_CUSTOMER_H

#include "records_common.h"
#include "records_customer_stored.h"

struct cust_conn_type_rec {  // CUSTCONNTYPES
    int32_t dbflag;
    NDL_STORED(cust_conn_type_rec)
    tail_list<cust_conn_qos_policy_rec> qospolicylist;
    cust_conn_type_rec *next;
};

struct cust_conn_node_rec {  // CUSTCONNNODES
    int32_t dbflag;
    NDL_STORED(cust_conn_node_rec)
    tail_list<cust_conn_node_lb_rec> loopbacklist;
    cust_conn_node_rec *next;
};

struct cust_var_rec {  // CUSTVARS
    int32_t line;
    NDL_STORED(cust_var_rec)
    cust_var_rec *next;
};

struct cust_conn_interface_rec {  // CUSTCONNINTERFACES
    int32_t dbflag;
    NDL_STORED(cust_conn_interface_rec)
    cust_conn_interface_rec *next;
};

struct cust_conn_var_rec {  // CUSTCONNVARS
    int32_t dbflag;
    NDL_STORED(cust_conn_var_rec)
    cust_conn_var_rec *next;
};

struct cust_conn_hsrp_var_rec {  // CUSTCONNHSRPVARS
    int32_t dbflag;
    NDL_STORED(cust_conn_hsrp_var_rec)
    cust_conn_hsrp_var_rec *next;
};

struct cust_node_var_rec {  // CUSTNODEVARS
    int32_t dbflag;
    NDL_STORED(cust_node_var_rec)
    cust_node_var_rec *next;
};

#endif
