// Records of the route-policy blocks (released with ROUTING), the access lists
// (their own group), the FIREWALL queue lists and the QOS section, with the
// entry points of their block parsers and cross-reference checks.
#ifndef NDL_CORE_RECORDS_POLICY_H
#define NDL_CORE_RECORDS_POLICY_H

#include <cstdio>

#include "records_common.h"
#include "records_policy_stored.h"

// ---- route policy ----

// ---- access lists (ROUTING, FIREWALL or QOS, by usage) ----

// ---- FIREWALL queues (read and written back, never parsed) ----

// ---- QoS (no networkid field; domainname and nodetype are free texts) ----

struct qos_match_rule_class_rec {  // QOSMATCHRULECLASS, one record a rule
    NDL_STORED(qos_match_rule_class_rec)
    qos_match_rule_class_rec *next;
    tail_list<qos_match_rule_class_elem_rec> elemlist;
};

struct qos_police_rule_class_rec {  // QOSPOLICERULECLASS
    NDL_STORED(qos_police_rule_class_rec)
    tail_list<qos_police_action_class_rec> actionlist;
    qos_police_rule_class_rec *next;
};

struct qos_drop_rule_class_rec {  // QOSDROPRULECLASS, one record a rule
    NDL_STORED(qos_drop_rule_class_rec)
    qos_drop_rule_class_rec *next;
    tail_list<qos_drop_rule_class_elem_rec> elemlist;
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
