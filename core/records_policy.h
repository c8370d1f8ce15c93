// Records of the route-policy blocks (released with ROUTING), the access lists
// (their own group), the FIREWALL queue lists and the QOS section, with the
// entry points of their block parsers and cross-reference checks.
#ifndef NDL_CORE_RECORDS_POLICY_H
#define NDL_CORE_RECORDS_POLICY_H

#include <cstdio>

#include "records_common.h"
#include "records_lists.h"
#include "records_stored.h"

// ---- route policy ----

struct domain_route_map_rec {  // DOMAINROUTEMAP
    NDL_STORED(domain_route_map_rec)
    domain_route_map_rec *next;
};

struct route_map_match_list_rec {  // ROUTEMAPMATCHLIST
    NDL_STORED(route_map_match_list_rec)
    route_map_match_list_rec *next;
};

struct route_map_set_list_rec {  // ROUTEMAPSETLIST
    NDL_STORED(route_map_set_list_rec)
    route_map_set_list_rec *next;
};

struct domain_prefix_hdr_rec {  // DOMAINPREFIXHDR
    NDL_STORED(domain_prefix_hdr_rec)
    domain_prefix_hdr_rec *next;
};

struct domain_prefix_list_rec {  // DOMAINPREFIXLIST
    NDL_STORED(domain_prefix_list_rec)
    domain_prefix_list_rec *next;
};

struct domain_filter_list_rec {  // DOMAINFILTERLIST
    NDL_STORED(domain_filter_list_rec)
    domain_filter_list_rec *next;
};

struct domain_map_class_rec {  // DOMAINMAPCLASS
    NDL_STORED(domain_map_class_rec)
    domain_map_class_rec *next;
};

// ---- access lists (ROUTING, FIREWALL or QOS, by usage) ----

struct domain_access_list_rec {  // DOMAINACCESSLIST
    NDL_STORED(domain_access_list_rec)
    domain_access_list_rec *next;
};

struct domain_ext_acl_rec {  // DOMAINEXTACL
    NDL_STORED(domain_ext_acl_rec)
    domain_ext_acl_rec *next;
};

struct domain_acl_list_rec {  // DOMAINACLLIST
    NDL_STORED(domain_acl_list_rec)
    domain_acl_list_rec *next;
};

// ---- FIREWALL queues (read and written back, never parsed) ----

struct domain_queue_rec {  // DOMAINQUEUES
    NDL_STORED(domain_queue_rec)
    domain_queue_rec *next;
};

struct domain_cust_subq_rec {  // DOMAINCUSTSUBQ
    NDL_STORED(domain_cust_subq_rec)
    domain_cust_subq_rec *next;
};

// ---- QoS (no networkid field; domainname and nodetype are free texts) ----

struct qos_match_rule_class_elem_rec {
    NDL_STORED(qos_match_rule_class_elem_rec)
    qos_match_rule_class_elem_rec *next;
};

struct qos_match_rule_class_rec {  // QOSMATCHRULECLASS, one record a rule
    NDL_STORED(qos_match_rule_class_rec)
    qos_match_rule_class_rec *next;
    tail_list<qos_match_rule_class_elem_rec> elemlist;
};

struct qos_mark_rule_class_rec {  // QOSMARKRULECLASS
    NDL_STORED(qos_mark_rule_class_rec)
    qos_mark_rule_class_rec *next;
};

struct qos_police_action_class_rec {  // QOSPOLICEACTIONCLASS
    NDL_STORED(qos_police_action_class_rec)
    qos_police_action_class_rec *next;
};

struct qos_police_rule_class_rec {  // QOSPOLICERULECLASS
    NDL_STORED(qos_police_rule_class_rec)
    tail_list<qos_police_action_class_rec> actionlist;
    qos_police_rule_class_rec *next;
};

struct qos_shape_rule_class_rec {  // QOSSHAPERULECLASS
    NDL_STORED(qos_shape_rule_class_rec)
    qos_shape_rule_class_rec *next;
};

struct qos_drop_rule_class_elem_rec {
    NDL_STORED(qos_drop_rule_class_elem_rec)
    qos_drop_rule_class_elem_rec *next;
};

struct qos_drop_rule_class_rec {  // QOSDROPRULECLASS, one record a rule
    NDL_STORED(qos_drop_rule_class_rec)
    qos_drop_rule_class_rec *next;
    tail_list<qos_drop_rule_class_elem_rec> elemlist;
};

struct qos_sub_queue_class_rec {  // QOSSUBQUEUECLASS
    NDL_STORED(qos_sub_queue_class_rec)
    qos_sub_queue_class_rec *next;
};

struct qos_policy_class_rec {  // QOSPOLICYCLASS
    // usage2 is kept apart from direction, so that a stored row comes back
    // whole; a parsed class sets it to its direction.
    NDL_STORED(qos_policy_class_rec)
    qos_policy_class_rec *next;
    tail_list<qos_sub_queue_class_rec> subqueuelist;
};

struct service_enroll_var_rec {  // SERVICEENROLLVARS
    int32_t line;
    NDL_STORED(service_enroll_var_rec)
    service_enroll_var_rec *next;
};

#endif
