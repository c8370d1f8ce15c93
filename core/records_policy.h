// Records of the route-policy blocks (released with ROUTING), the access lists
// (their own group), the FIREWALL queue lists and the QOS section, with the
// entry points of their block parsers and cross-reference checks.
#ifndef NDL_CORE_RECORDS_POLICY_H
#define NDL_CORE_RECORDS_POLICY_H

#include <cstdio>

#include "records_common.h"

// ---- route policy ----

struct domain_route_map_rec {  // DOMAINROUTEMAP
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> context1, context2, context3;
    text_field<kText> usage;
    text_field<kText> owner;
    text_field<kText> routemap;
    int32_t sequence;
    text_field<kName> type;
    text_field<kText> repeatby;
    int32_t mapseqinc;
    domain_route_map_rec *next;
};

struct route_map_match_list_rec {  // ROUTEMAPMATCHLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> routemap;
    int32_t sequence;
    int32_t matchsequence;
    text_field<kText> matchtype;
    text_field<kText> matchvalue;
    route_map_match_list_rec *next;
};

struct route_map_set_list_rec {  // ROUTEMAPSETLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> routemap;
    int32_t sequence;
    int32_t setsequence;
    text_field<kText> settype;
    text_field<kText> setvalue;
    route_map_set_list_rec *next;
};

struct domain_prefix_hdr_rec {  // DOMAINPREFIXHDR
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> listname;
    domain_prefix_hdr_rec *next;
};

struct domain_prefix_list_rec {  // DOMAINPREFIXLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    int32_t subsequence;
    text_field<kText> repeatby;
    text_field<kText> type;
    text_field<kText> network;
    int32_t length;
    int32_t lelen;
    int32_t gelen;
    domain_prefix_list_rec *next;
};

struct domain_filter_list_rec {  // DOMAINFILTERLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kName> filtertype;
    text_field<kText> aclseqstart;
    int32_t aclseqinc;
    text_field<kText> context1, context2, context3;
    text_field<kText> type;
    text_field<kText> substring;
    domain_filter_list_rec *next;
};

struct domain_map_class_rec {  // DOMAINMAPCLASS
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> mapclassname;
    text_field<kText> context1, context2, context3;
    text_field<kText> usage;
    text_field<kText> owner;
    text_field<kText> burstsizein;
    text_field<kText> burstexcessin;
    text_field<kText> cirin;
    text_field<kText> burstsizeout;
    text_field<kText> burstexcessout;
    text_field<kText> cirout;
    text_field<kText> customqueue;
    text_field<kText> priorityqueue;
    text_field<kText> average;
    text_field<kText> peak;
    domain_map_class_rec *next;
};

// ---- access lists (ROUTING, FIREWALL or QOS, by usage) ----

struct domain_access_list_rec {  // DOMAINACCESSLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> acltype;
    text_field<kText> nametype;
    text_field<kText> aclname;
    int32_t aclstart;
    int32_t aclinc;
    text_field<kText> owner;
    text_field<kText> context1, context2, context3;
    text_field<kName> direction;
    text_field<kText> usage;
    domain_access_list_rec *next;
};

struct domain_ext_acl_rec {  // DOMAINEXTACL
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    int32_t subsequence;
    text_field<kText> protocol;
    text_field<kText> repeatby;
    text_field<kText> type;
    text_field<kText> hostnetworkno;
    int32_t hostdncb;
    int32_t mask;
    int32_t maskdncb;
    domain_ext_acl_rec *next;
};

struct domain_acl_list_rec {  // DOMAINACLLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    int32_t subsequence;
    text_field<kName> protocoltype;
    text_field<kText> protocol;
    text_field<kText> repeatby;
    text_field<kText> type;
    text_field<kText> source;
    int32_t sourceprefix;
    text_field<kName> sourceportoptype;
    text_field<kName> sourceportop;
    text_field<kName> sourceporttype;
    text_field<kName> sourceport;
    text_field<kText> dest;
    int32_t destprefix;
    text_field<kName> destportoptype;
    text_field<kName> destportop;
    text_field<kName> destporttype;
    text_field<kName> destport;
    text_field<kName> precedence;
    text_field<kName> tos;
    int32_t established;
    int32_t log;
    domain_acl_list_rec *next;
};

// ---- FIREWALL queues (read and written back, never parsed) ----

struct domain_queue_rec {  // DOMAINQUEUES
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> queuetype;
    text_field<kText> queuename;
    text_field<kText> classifiertype;
    text_field<kText> usage;
    text_field<kText> owner;
    domain_queue_rec *next;
};

struct domain_cust_subq_rec {  // DOMAINCUSTSUBQ
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> queuename;
    text_field<kText> subqueuename;
    text_field<kText> classifier;
    int32_t isdefault;
    text_field<kText> bytecount;
    domain_cust_subq_rec *next;
};

// ---- QoS (no networkid field; domainname and nodetype are free texts) ----

struct qos_match_rule_class_elem_rec {
    text_field<kText> matchtype;
    text_field<kText> matchvalue;
    uint16_t matchnegated;
    qos_match_rule_class_elem_rec *next;
};

struct qos_match_rule_class_rec {  // QOSMATCHRULECLASS, one record a rule
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> matchrulename;
    text_field<kText> owner;
    text_field<kText> context1, context2, context3;
    text_field<kText> repeatby;
    uint16_t matchdnf;
    text_field<kText> usage1;
    text_field<kText> usage2;
    int32_t sequence;
    qos_match_rule_class_rec *next;
    tail_list<qos_match_rule_class_elem_rec> elemlist;
};

struct qos_mark_rule_class_rec {  // QOSMARKRULECLASS
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> markrulename;
    text_field<kText> marktype;
    text_field<kText> markvalue;
    text_field<kText> owner;
    text_field<kText> context1, context2, context3;
    text_field<kText> repeatby;
    text_field<kText> usage1;
    text_field<kText> usage2;
    int32_t sequence;
    qos_mark_rule_class_rec *next;
};

struct qos_police_action_class_rec {  // QOSPOLICEACTIONCLASS
    text_field<kText> actiontype;
    text_field<kText> action;
    text_field<kText> actionvalue;
    qos_police_action_class_rec *next;
};

struct qos_police_rule_class_rec {  // QOSPOLICERULECLASS
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> policerulename;
    text_field<kText> owner;
    text_field<kText> usage1;
    text_field<kText> usage2;
    text_field<kText> context1, context2, context3;
    text_field<kText> repeatby;
    text_field<kText> bitrate;
    text_field<kText> burstsize;
    text_field<kText> exceedrate;
    text_field<kText> excessburstsize;
    text_field<kText> violaterate;
    int32_t sequence;
    text_field<kText> matchrulename;
    tail_list<qos_police_action_class_rec> actionlist;
    qos_police_rule_class_rec *next;
};

struct qos_shape_rule_class_rec {  // QOSSHAPERULECLASS
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> shaperulename;
    text_field<kText> owner;
    text_field<kText> context1, context2, context3;
    text_field<kText> repeatby;
    text_field<kText> usage1;
    text_field<kText> usage2;
    text_field<kText> bitratetype;
    text_field<kText> bitrate;
    text_field<kText> burstsize;
    text_field<kText> excessburstsize;
    text_field<kText> excessrate;
    text_field<kText> sustainedrate;
    text_field<kText> queuelength;
    int32_t sequence;
    text_field<kText> matchrulename;
    qos_shape_rule_class_rec *next;
};

struct qos_drop_rule_class_elem_rec {
    text_field<300> dropsubtype;
    text_field<300> dropparam1;
    text_field<300> dropparam2;
    qos_drop_rule_class_elem_rec *next;
};

struct qos_drop_rule_class_rec {  // QOSDROPRULECLASS, one record a rule
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> droprulename;
    text_field<kText> owner;
    text_field<kText> usage1;
    text_field<kText> usage2;
    text_field<kText> context1, context2, context3;
    text_field<kText> repeatby;
    text_field<kText> droptype;
    int32_t sequence;
    qos_drop_rule_class_rec *next;
    tail_list<qos_drop_rule_class_elem_rec> elemlist;
};

struct qos_sub_queue_class_rec {  // QOSSUBQUEUECLASS
    text_field<kText> subqueuename;
    text_field<kText> repeatby;
    text_field<kText> queuebandwidth;
    text_field<kText> queuebwtype;
    text_field<kText> queuelength;
    text_field<kText> queuebytespercycle;
    text_field<kText> matchrule;
    text_field<kText> markrule;
    text_field<kText> policerule;
    text_field<kText> shaperule;
    text_field<kText> droprule;
    text_field<kText> fairqueuecount;
    text_field<kText> queuepriority;
    uint16_t isdefault;
    uint16_t matchdnf;
    int32_t sequence;
    qos_sub_queue_class_rec *next;
};

struct qos_policy_class_rec {  // QOSPOLICYCLASS
    text_field<kText> domainname;
    text_field<kText> nodetype;
    text_field<kText> classrulename;
    text_field<kText> policyname;
    text_field<kText> owner;
    text_field<kText> context1, context2, context3;
    text_field<kText> direction;
    text_field<kText> usage1;
    text_field<kText> usage2;  // kept apart from direction, so that a stored row comes back whole; a parsed class sets it to its direction
    text_field<kText> queuetype;
    text_field<kText> markrule;
    text_field<kText> policerule;
    text_field<kText> shaperule;
    text_field<kText> droprule;
    int32_t policyid;
    int32_t mandatory;
    qos_policy_class_rec *next;
    tail_list<qos_sub_queue_class_rec> subqueuelist;
};

struct service_enroll_var_rec {  // SERVICEENROLLVARS
    int32_t line;
    int32_t networkid;
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
    service_enroll_var_rec *next;
};

extern record_list<domain_route_map_rec> prdomainroutemap;
extern record_list<route_map_match_list_rec> prroutemapmatchlist;
extern record_list<route_map_set_list_rec> prroutemapsetlist;
extern record_list<domain_prefix_hdr_rec> prdomainprefixhdr;
extern record_list<domain_prefix_list_rec> prdomainprefixlist;
extern record_list<domain_filter_list_rec> prdomainfilterlist;
extern record_list<domain_map_class_rec> prdomainmapclass;
extern record_list<domain_access_list_rec> prdomainaccesslist;
extern record_list<domain_acl_list_rec> prdomainacllist;
extern record_list<domain_ext_acl_rec> prdomainextacl;
extern record_list<domain_queue_rec> prdomainqueues;
extern record_list<domain_cust_subq_rec> prdomaincustsubq;
extern record_list<qos_match_rule_class_rec> prmatchruledesclist;
extern record_list<qos_mark_rule_class_rec> prmarkruledesclist;
extern record_list<qos_police_rule_class_rec> prpoliceruledesclist;
extern record_list<qos_shape_rule_class_rec> prshaperuledesclist;
extern record_list<qos_drop_rule_class_rec> prdropruledesclist;
extern record_list<qos_policy_class_rec> prqospolicydesclist;
extern record_list<service_enroll_var_rec> prqosservenrollvar;

#endif
