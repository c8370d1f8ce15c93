// Records of the ROUTING section and the entry points of its block parsers.
// Route maps, prefix and filter lists and map classes are released with this
// section but declared with the policy records.
#ifndef NDL_CORE_RECORDS_ROUTING_H
#define NDL_CORE_RECORDS_ROUTING_H

#include <cstdio>

#include "records_common.h"

// ---- protocols on a node ----

struct domain_protocol_rec {  // DOMAINPROTOCOLS
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    text_field<kName> mandatory;
    text_field<kText> routerid;
    text_field<kText> clusterid;
    text_field<kText> usagecondition;
    text_field<kName> instancename;  // kept in memory only
    text_field<kName> ownercontext;  // kept in memory only
    domain_protocol_rec *next;
};

struct domain_passive_int_rec {  // DOMAINPASSIVEINT
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    text_field<kText> interfacename;
    domain_passive_int_rec *next;
};

// ---- multicast (no networkid field) ----

struct igmp_int_addr_class_rec {  // IGMPINTADDRCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> namedinterface;
    text_field<kText> addrtype;
    text_field<kText> groupaddress;
    text_field<kText> context1, context2, context3;
    igmp_int_addr_class_rec *next;
};

struct igmp_int_class_rec {  // IGMPINTCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> namedinterface;
    text_field<kText> accessgroup;
    igmp_int_class_rec *next;
};

struct msdp_class_rec {  // MSDPCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> redistacl;
    text_field<kText> redistasnpathacl;
    text_field<kText> redistroutemap;
    text_field<kText> originatorid;
    text_field<kText> borderasaddr;
    msdp_class_rec *next;
};

struct dvmrp_int_class_rec {  // DVMRPINTCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> namedinterface;
    text_field<kText> context1, context2, context3;
    text_field<kText> metric;
    text_field<kText> metricacl;
    text_field<kText> acceptfilter;
    text_field<kText> neighborfilter;
    text_field<kText> summaryaddr;
    text_field<kText> summarymask;
    text_field<kText> summarymetric;
    text_field<kText> inoffset;
    text_field<kText> outoffset;
    dvmrp_int_class_rec *next;
};

struct msdp_neighbor_class_rec {  // MSDPNEIGHBORCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> neighbor;
    text_field<kText> context1, context2, context3;
    text_field<kText> connectsource;
    text_field<kText> remoteas;
    text_field<kText> description;
    text_field<kText> safilterinacl;
    text_field<kText> safilteroutacl;
    text_field<kText> safilterinmap;
    text_field<kText> safilteroutmap;
    int32_t defaultpeer;
    text_field<kText> defprefixlist;
    text_field<kText> meshgroup;
    msdp_neighbor_class_rec *next;
};

struct pim_register_class_rec {  // PIMREGISTERCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> registersource;
    text_field<kText> registerrate;
    text_field<kText> acceptregisteracl;
    text_field<kText> acceptregisterrate;
    pim_register_class_rec *next;
};

struct pim_rp_filter_class_rec {  // PIMRPFILTERCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> rpfilter;
    text_field<kText> rpgroupfilter;
    pim_rp_filter_class_rec *next;
};

struct pim_auto_rp_class_rec {  // PIMAUTORPCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> discoverint;
    pim_auto_rp_class_rec *next;
};

struct pim_member_class_rec {  // PIMMEMBERCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> namedinterface;
    text_field<kName> mcastmode;
    text_field<kText> neighborfilter;
    text_field<kText> inrate;
    text_field<kText> boundaryacl;
    pim_member_class_rec *next;
};

struct pim_member_rate_class_rec {  // PIMMEMBERRATECLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> namedinterface;
    text_field<kName> direction;
    text_field<kText> rate;
    text_field<kText> grouplist;
    text_field<kText> sourcelist;
    pim_member_rate_class_rec *next;
};

struct pim_bsr_class_rec {  // PIMBSRCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> bsrcandint;
    text_field<kText> bsrcandmasklen;
    text_field<kText> priority;
    pim_bsr_class_rec *next;
};

struct pim_accept_class_rec {  // PIMACCEPTCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> acceptrpaddr;
    text_field<kText> acceptrpacl;
    int32_t autorp;
    pim_accept_class_rec *next;
};

struct pim_rp_class_rec {  // PIMRPCLASS
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kName> mcastmode;
    text_field<kText> rpaddress;
    text_field<kText> rpacl;
    pim_rp_class_rec *next;
};

// ---- unicast ----

struct domain_addr_summary_rec {  // DOMAINADDRSUMMARY
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    text_field<kText> summary;
    int32_t prefix;
    text_field<kText> tag;
    domain_addr_summary_rec *next;
};

struct domain_static_route_rec {  // DOMAINSTATICROUTE
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    int32_t addrno;
    text_field<kText> context1, context2, context3;
    text_field<kText> sourceaddr;
    int32_t sourcemask;
    text_field<kText> destination;
    text_field<kName> weight;
    domain_static_route_rec *next;
};

// Also holds the RIP and EIGRP protocol entries of the block parsers.
struct domain_node_area_rec {  // DOMAINNODEAREAS
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> routingprotocol;
    text_field<kName> routedprotocol;
    text_field<kText> asn;
    text_field<kText> areaid;
    int32_t sequenceno;
    text_field<kText> summaryaddr;
    int32_t summarmask;
    text_field<kName> stubtype;
    domain_node_area_rec *next;
};

struct domain_conn_area_rec {  // DOMAINCONNAREAS
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> routingprotocol;
    text_field<kName> routedprotocol;
    text_field<kText> asn;
    int32_t sequenceno;
    text_field<kText> namedinterface;
    text_field<kText> summaryaddr;
    int32_t summarmask;
    int32_t authenticated;
    domain_conn_area_rec *next;
};

struct domain_redist_rec {  // DOMAINREDIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    text_field<kName> redistprotocol;
    text_field<kText> redistasn;
    text_field<kText> metric;
    text_field<kText> metrictype;
    text_field<kText> route_map;
    text_field<kText> tag;
    text_field<kText> weight;
    text_field<kText> match;
    text_field<kText> context1, context2, context3;
    int32_t sequence;
    domain_redist_rec *next;
};

struct domain_ospf_default_rec {  // DOMAINOSPFDEFAULT
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    text_field<kText> metric;
    text_field<kText> metrictype;
    text_field<kText> routemap;
    domain_ospf_default_rec *next;
};

struct domain_offset_list_rec {  // DOMAINOFFSETLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    int32_t sequence;
    text_field<kText> context1, context2, context3;
    text_field<kText> acl;
    text_field<kName> direction;
    text_field<kName> offset;
    text_field<kText> interfacename;
    domain_offset_list_rec *next;
};

struct domain_dist_list_rec {  // DOMAINDISTLIST
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    int32_t sequence;
    text_field<kText> asn;
    text_field<kText> redistprotocol;
    text_field<kText> redistasn;
    text_field<kText> context1, context2, context3;
    int32_t listtype;
    text_field<kText> acl;
    text_field<kName> direction;
    int32_t type;
    text_field<kText> interfacename;
    domain_dist_list_rec *next;
};

struct domain_node_area_range_rec {  // DOMAINNODEAREARANGES
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> routingprotocol;
    text_field<kName> routedprotocol;
    text_field<kText> asn;
    int32_t sequenceno;
    int32_t subsequenceno;
    text_field<kText> summaryaddr;
    int32_t summarmask;
    text_field<kText> areaid;
    domain_node_area_range_rec *next;
};

// ---- BGP ----

// Each BGP row keeps the instance name of the block that read it; no
// column holds it, and rows read back leave it empty.
struct domain_bgp_network_rec {  // DOMAINBGPNETWORK
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kName> protocol;
    text_field<kText> asn;
    int32_t networkno;
    text_field<kText> networkaddr;
    int32_t networkmask;
    text_field<kText> routemapname;
    text_field<kName> instancename;
    domain_bgp_network_rec *next;
};

struct domain_bgp_addr_agrr_rec {  // DOMAINBGPADDRAGRR
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t networkno;
    text_field<kText> networkaddr;
    int32_t networkprefix;
    int32_t asset;
    int32_t summaryonly;
    text_field<kText> advertisemap;
    text_field<kText> supressmap;
    text_field<kText> attributemap;
    text_field<kText> context1, context2, context3;
    text_field<kName> instancename;
    domain_bgp_addr_agrr_rec *next;
};

// The route map out comes before the route map in here; the table's
// columns have them the other way round.
struct domain_bgp_peer_rec {  // DOMAINBGPPEER
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> peername;
    text_field<kText> updatesource;
    text_field<kName> remoteas;
    int32_t passwordreqd;
    text_field<kText> routemapout, routemapin;
    text_field<kText> filterlistin, filterlistout;
    text_field<kText> distlistin, distlistout;
    text_field<kText> prefixlistin, prefixlistout;
    int32_t routereflector;
    int32_t nexthopself;
    text_field<kText> weight;
    text_field<kText> ebgp_multihop;
    int32_t defaultoriginate;
    text_field<kText> defaultoriginate_rm;
    int32_t sendcommunity;
    text_field<kName> instancename;
    domain_bgp_peer_rec *next;
};

// As the peer: route map out before in; peername after the default
// originate route map, sendcommunity after it.
struct domain_bgp_info_rec {  // DOMAINBGPINFO
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    text_field<kText> neighbor;
    text_field<kText> context1, context2, context3;
    text_field<kText> updatesource;
    text_field<kName> remoteas;
    int32_t passwordreqd;
    text_field<kText> routemapout, routemapin;
    text_field<kText> filterlistin, filterlistout;
    text_field<kText> distlistin, distlistout;
    text_field<kText> prefixlistin, prefixlistout;
    int32_t routereflector;
    int32_t nexthopself;
    text_field<kText> weight;
    text_field<kText> ebgpmultihop;
    int32_t defaultoriginate;
    text_field<kText> defaultoriginate_rm;
    text_field<kText> peername;
    int32_t sendcommunity;
    text_field<kName> instancename;
    text_field<kName> addrtype;  // kept in memory only
    domain_bgp_info_rec *next;
};

struct domain_bgp_peer_rule_rec {  // DOMAINBGPPEERRULE
    int32_t networkid;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> peername;
    text_field<kText> variablename;
    text_field<kText> variablevalue;
    text_field<kName> instancename;
    domain_bgp_peer_rule_rec *next;
};

// ---- VRF (checked and released, never stored) ----

struct vrf_description_rec {
    text_field<kName> vrfgroupname;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    text_field<kText> context1, context2, context3;
    vrf_description_rec *next;
};

struct vrf_class_rec {
    text_field<kText> vrfname;
    text_field<kName> vrfclass;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t vrfno;
    int32_t shared;
    text_field<kText> owner;
    text_field<kName> rdscheme;
    text_field<kText> rdprefix;
    int32_t nodeunique;
    text_field<kName> poolclass;
    vrf_class_rec *next;
};

struct vrf_member_filter_rec {
    text_field<kName> variablename;
    text_field<kName> variablevalue;
    text_field<kName> vrfclass;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    vrf_member_filter_rec *next;
};

struct vrf_route_target_rec {
    text_field<kName> type;
    text_field<kText> repeatby;
    text_field<kText> policy;
    text_field<kName> vrfclass;
    text_field<kName> domainname;
    text_field<kName> nodetype;
    int32_t sequence;
    vrf_route_target_rec *next;
};

extern record_list<domain_protocol_rec> prdomainprotocols;
extern record_list<domain_addr_summary_rec> prdomainaddrsummary;
extern record_list<domain_bgp_network_rec> prdomainbgpnetwork;
extern record_list<domain_node_area_rec> prdomainnodeareas;
extern record_list<domain_conn_area_rec> prdomainconnareas;
extern record_list<domain_redist_rec> prdomainredist;
extern record_list<domain_ospf_default_rec> prdomainospfdefault;
extern record_list<domain_dist_list_rec> prdomaindistlist;
extern record_list<domain_bgp_addr_agrr_rec> prdomainbgpaddragrr;
extern record_list<domain_bgp_peer_rec> prdomainbgppeer;
extern record_list<domain_bgp_info_rec> prdomainbgpinfo;
extern record_list<domain_bgp_peer_rule_rec> prdomainbgppeerrule;
extern record_list<domain_node_area_range_rec> prdomainnodearearanges;
extern record_list<domain_static_route_rec> prdomainstaticroute;
extern record_list<domain_offset_list_rec> prdomainoffsetlist;
extern record_list<domain_passive_int_rec> prdomainpassiveint;
extern record_list<pim_auto_rp_class_rec> prmappingagent;
extern record_list<pim_rp_filter_class_rec> prautorpfilter;
extern record_list<pim_rp_class_rec> prpimrp;
extern record_list<pim_accept_class_rec> prpimacceptrp;
extern record_list<pim_bsr_class_rec> prpimbsr;
extern record_list<pim_register_class_rec> prpimregister;
extern record_list<pim_member_rate_class_rec> prpimrate;
extern record_list<pim_member_class_rec> prpimmember;
extern record_list<msdp_class_rec> prmsdpclass;
extern record_list<msdp_neighbor_class_rec> prmsdppeer;
extern record_list<igmp_int_class_rec> prigmpmember;
extern record_list<igmp_int_addr_class_rec> prigmpgroup;
extern record_list<dvmrp_int_class_rec> prdvmrpmember;
extern record_list<vrf_class_rec> prvrfclass;
extern record_list<vrf_member_filter_rec> prvrfmemberfilter;
extern record_list<vrf_route_target_rec> prvrfroutetarget;
extern record_list<vrf_description_rec> prvrfdescription;

#endif
