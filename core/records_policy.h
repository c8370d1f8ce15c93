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
    char domainname[kName];
    char nodetype[kName];
    char context1[kText], context2[kText], context3[kText];
    char usage[kText];
    char owner[kText];
    char routemap[kText];
    int32_t sequence;
    char type[kName];
    char repeatby[kText];
    int32_t mapseqinc;
    domain_route_map_rec *next;
};

struct route_map_match_list_rec {  // ROUTEMAPMATCHLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char routemap[kText];
    int32_t sequence;
    int32_t matchsequence;
    char matchtype[kText];
    char matchvalue[kText];
    route_map_match_list_rec *next;
};

struct route_map_set_list_rec {  // ROUTEMAPSETLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char routemap[kText];
    int32_t sequence;
    int32_t setsequence;
    char settype[kText];
    char setvalue[kText];
    route_map_set_list_rec *next;
};

struct domain_prefix_hdr_rec {  // DOMAINPREFIXHDR
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char listname[kText];
    domain_prefix_hdr_rec *next;
};

struct domain_prefix_list_rec {  // DOMAINPREFIXLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    int32_t subsequence;
    char repeatby[kText];
    char type[kText];
    char network[kText];
    int32_t length;
    int32_t lelen;
    int32_t gelen;
    domain_prefix_list_rec *next;
};

struct domain_filter_list_rec {  // DOMAINFILTERLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char filtertype[kName];
    char aclseqstart[kText];
    int32_t aclseqinc;
    char context1[kText], context2[kText], context3[kText];
    char type[kText];
    char substring[kText];
    domain_filter_list_rec *next;
};

struct domain_map_class_rec {  // DOMAINMAPCLASS
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char mapclassname[kText];
    char context1[kText], context2[kText], context3[kText];
    char usage[kText];
    char owner[kText];
    char burstsizein[kText];
    char burstexcessin[kText];
    char cirin[kText];
    char burstsizeout[kText];
    char burstexcessout[kText];
    char cirout[kText];
    char customqueue[kText];
    char priorityqueue[kText];
    char average[kText];
    char peak[kText];
    domain_map_class_rec *next;
};

// ---- access lists (ROUTING, FIREWALL or QOS, by usage) ----

struct domain_access_list_rec {  // DOMAINACCESSLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char acltype[kText];
    char nametype[kText];
    char aclname[kText];
    int32_t aclstart;
    int32_t aclinc;
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
    char direction[kName];
    char usage[kText];
    domain_access_list_rec *next;
};

struct domain_ext_acl_rec {  // DOMAINEXTACL
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    int32_t subsequence;
    char protocol[kText];
    char repeatby[kText];
    char type[kText];
    char hostnetworkno[kText];
    int32_t hostdncb;
    int32_t mask;
    int32_t maskdncb;
    domain_ext_acl_rec *next;
};

struct domain_acl_list_rec {  // DOMAINACLLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    int32_t subsequence;
    char protocoltype[kName];
    char protocol[kText];
    char repeatby[kText];
    char type[kText];
    char source[kText];
    int32_t sourceprefix;
    char sourceportoptype[kName];
    char sourceportop[kName];
    char sourceporttype[kName];
    char sourceport[kName];
    char dest[kText];
    int32_t destprefix;
    char destportoptype[kName];
    char destportop[kName];
    char destporttype[kName];
    char destport[kName];
    char precedence[kName];
    char tos[kName];
    int32_t established;
    int32_t log;
    domain_acl_list_rec *next;
};

// ---- FIREWALL queues (read and written back, never parsed) ----

struct domain_queue_rec {  // DOMAINQUEUES
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char queuetype[kText];
    char queuename[kText];
    char classifiertype[kText];
    char usage[kText];
    char owner[kText];
    domain_queue_rec *next;
};

struct domain_cust_subq_rec {  // DOMAINCUSTSUBQ
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char queuename[kText];
    char subqueuename[kText];
    char classifier[kText];
    int32_t isdefault;
    char bytecount[kText];
    domain_cust_subq_rec *next;
};

// ---- QoS (no networkid field; domainname and nodetype are free texts) ----

struct qos_match_rule_class_elem_rec {
    char matchtype[kText];
    char matchvalue[kText];
    uint16_t matchnegated;
    qos_match_rule_class_elem_rec *next;
};

struct qos_match_rule_class_rec {  // QOSMATCHRULECLASS, one record a rule
    char domainname[kText];
    char nodetype[kText];
    char matchrulename[kText];
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
    char repeatby[kText];
    uint16_t matchdnf;
    char usage1[kText];
    char usage2[kText];
    int32_t sequence;
    qos_match_rule_class_rec *next;
    tail_list<qos_match_rule_class_elem_rec> elemlist;
};

struct qos_mark_rule_class_rec {  // QOSMARKRULECLASS
    char domainname[kText];
    char nodetype[kText];
    char markrulename[kText];
    char marktype[kText];
    char markvalue[kText];
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
    char repeatby[kText];
    char usage1[kText];
    char usage2[kText];
    int32_t sequence;
    qos_mark_rule_class_rec *next;
};

struct qos_police_action_class_rec {  // QOSPOLICEACTIONCLASS
    char actiontype[kText];
    char action[kText];
    char actionvalue[kText];
    qos_police_action_class_rec *next;
};

struct qos_police_rule_class_rec {  // QOSPOLICERULECLASS
    char domainname[kText];
    char nodetype[kText];
    char policerulename[kText];
    char owner[kText];
    char usage1[kText];
    char usage2[kText];
    char context1[kText], context2[kText], context3[kText];
    char repeatby[kText];
    char bitrate[kText];
    char burstsize[kText];
    char exceedrate[kText];
    char excessburstsize[kText];
    char violaterate[kText];
    int32_t sequence;
    char matchrulename[kText];
    tail_list<qos_police_action_class_rec> actionlist;
    qos_police_rule_class_rec *next;
};

struct qos_shape_rule_class_rec {  // QOSSHAPERULECLASS
    char domainname[kText];
    char nodetype[kText];
    char shaperulename[kText];
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
    char repeatby[kText];
    char usage1[kText];
    char usage2[kText];
    char bitratetype[kText];
    char bitrate[kText];
    char burstsize[kText];
    char excessburstsize[kText];
    char excessrate[kText];
    char sustainedrate[kText];
    char queuelength[kText];
    int32_t sequence;
    char matchrulename[kText];
    qos_shape_rule_class_rec *next;
};

struct qos_drop_rule_class_elem_rec {
    char dropsubtype[300];
    char dropparam1[300];
    char dropparam2[300];
    qos_drop_rule_class_elem_rec *next;
};

struct qos_drop_rule_class_rec {  // QOSDROPRULECLASS, one record a rule
    char domainname[kText];
    char nodetype[kText];
    char droprulename[kText];
    char owner[kText];
    char usage1[kText];
    char usage2[kText];
    char context1[kText], context2[kText], context3[kText];
    char repeatby[kText];
    char droptype[kText];
    int32_t sequence;
    qos_drop_rule_class_rec *next;
    tail_list<qos_drop_rule_class_elem_rec> elemlist;
};

struct qos_sub_queue_class_rec {  // QOSSUBQUEUECLASS
    char subqueuename[kText];
    char repeatby[kText];
    char queuebandwidth[kText];
    char queuebwtype[kText];
    char queuelength[kText];
    char queuebytespercycle[kText];
    char matchrule[kText];
    char markrule[kText];
    char policerule[kText];
    char shaperule[kText];
    char droprule[kText];
    char fairqueuecount[kText];
    char queuepriority[kText];
    uint16_t isdefault;
    uint16_t matchdnf;
    int32_t sequence;
    qos_sub_queue_class_rec *next;
};

struct qos_policy_class_rec {  // QOSPOLICYCLASS
    char domainname[kText];
    char nodetype[kText];
    char classrulename[kText];
    char policyname[kText];
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
    char direction[kText];
    char usage1[kText];
    char usage2[kText];  // kept apart from direction, so that a stored row comes back whole; a parsed class sets it to its direction
    char queuetype[kText];
    char markrule[kText];
    char policerule[kText];
    char shaperule[kText];
    char droprule[kText];
    int32_t policyid;
    int32_t mandatory;
    qos_policy_class_rec *next;
    tail_list<qos_sub_queue_class_rec> subqueuelist;
};

struct service_enroll_var_rec {  // SERVICEENROLLVARS
    int32_t line;
    int32_t networkid;
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
