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
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    char mandatory[kName];
    char routerid[kText];
    char clusterid[kText];
    char usagecondition[kText];
    char instancename[kName];  // kept in memory only
    char ownercontext[kName];  // kept in memory only
    domain_protocol_rec *next;
};

struct domain_passive_int_rec {  // DOMAINPASSIVEINT
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    char interfacename[kText];
    domain_passive_int_rec *next;
};

// ---- multicast (no networkid field) ----

struct igmp_int_addr_class_rec {  // IGMPINTADDRCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char namedinterface[kText];
    char addrtype[kText];
    char groupaddress[kText];
    char context1[kText], context2[kText], context3[kText];
    igmp_int_addr_class_rec *next;
};

struct igmp_int_class_rec {  // IGMPINTCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char namedinterface[kText];
    char accessgroup[kText];
    igmp_int_class_rec *next;
};

struct msdp_class_rec {  // MSDPCLASS
    char domainname[kName];
    char nodetype[kName];
    char redistacl[kText];
    char redistasnpathacl[kText];
    char redistroutemap[kText];
    char originatorid[kText];
    char borderasaddr[kText];
    msdp_class_rec *next;
};

struct dvmrp_int_class_rec {  // DVMRPINTCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char namedinterface[kText];
    char context1[kText], context2[kText], context3[kText];
    char metric[kText];
    char metricacl[kText];
    char acceptfilter[kText];
    char neighborfilter[kText];
    char summaryaddr[kText];
    char summarymask[kText];
    char summarymetric[kText];
    char inoffset[kText];
    char outoffset[kText];
    dvmrp_int_class_rec *next;
};

struct msdp_neighbor_class_rec {  // MSDPNEIGHBORCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char neighbor[kText];
    char context1[kText], context2[kText], context3[kText];
    char connectsource[kText];
    char remoteas[kText];
    char description[kText];
    char safilterinacl[kText];
    char safilteroutacl[kText];
    char safilterinmap[kText];
    char safilteroutmap[kText];
    int32_t defaultpeer;
    char defprefixlist[kText];
    char meshgroup[kText];
    msdp_neighbor_class_rec *next;
};

struct pim_register_class_rec {  // PIMREGISTERCLASS
    char domainname[kName];
    char nodetype[kName];
    char registersource[kText];
    char registerrate[kText];
    char acceptregisteracl[kText];
    char acceptregisterrate[kText];
    pim_register_class_rec *next;
};

struct pim_rp_filter_class_rec {  // PIMRPFILTERCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char rpfilter[kText];
    char rpgroupfilter[kText];
    pim_rp_filter_class_rec *next;
};

struct pim_auto_rp_class_rec {  // PIMAUTORPCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char discoverint[kText];
    pim_auto_rp_class_rec *next;
};

struct pim_member_class_rec {  // PIMMEMBERCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char namedinterface[kText];
    char mcastmode[kName];
    char neighborfilter[kText];
    char inrate[kText];
    char boundaryacl[kText];
    pim_member_class_rec *next;
};

struct pim_member_rate_class_rec {  // PIMMEMBERRATECLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char namedinterface[kText];
    char direction[kName];
    char rate[kText];
    char grouplist[kText];
    char sourcelist[kText];
    pim_member_rate_class_rec *next;
};

struct pim_bsr_class_rec {  // PIMBSRCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char bsrcandint[kText];
    char bsrcandmasklen[kText];
    char priority[kText];
    pim_bsr_class_rec *next;
};

struct pim_accept_class_rec {  // PIMACCEPTCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char acceptrpaddr[kText];
    char acceptrpacl[kText];
    int32_t autorp;
    pim_accept_class_rec *next;
};

struct pim_rp_class_rec {  // PIMRPCLASS
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char mcastmode[kName];
    char rpaddress[kText];
    char rpacl[kText];
    pim_rp_class_rec *next;
};

// ---- unicast ----

struct domain_addr_summary_rec {  // DOMAINADDRSUMMARY
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    char summary[kText];
    int32_t prefix;
    char tag[kText];
    domain_addr_summary_rec *next;
};

struct domain_static_route_rec {  // DOMAINSTATICROUTE
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    int32_t addrno;
    char context1[kText], context2[kText], context3[kText];
    char sourceaddr[kText];
    int32_t sourcemask;
    char destination[kText];
    char weight[kName];
    domain_static_route_rec *next;
};

// Also holds the RIP and EIGRP protocol entries of the block parsers.
struct domain_node_area_rec {  // DOMAINNODEAREAS
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char routingprotocol[kName];
    char routedprotocol[kName];
    char asn[kText];
    char areaid[kText];
    int32_t sequenceno;
    char summaryaddr[kText];
    int32_t summarmask;
    char stubtype[kName];
    domain_node_area_rec *next;
};

struct domain_conn_area_rec {  // DOMAINCONNAREAS
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char routingprotocol[kName];
    char routedprotocol[kName];
    char asn[kText];
    int32_t sequenceno;
    char namedinterface[kText];
    char summaryaddr[kText];
    int32_t summarmask;
    int32_t authenticated;
    domain_conn_area_rec *next;
};

struct domain_redist_rec {  // DOMAINREDIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    char redistprotocol[kName];
    char redistasn[kText];
    char metric[kText];
    char metrictype[kText];
    char route_map[kText];
    char tag[kText];
    char weight[kText];
    char match[kText];
    char context1[kText], context2[kText], context3[kText];
    int32_t sequence;
    domain_redist_rec *next;
};

struct domain_ospf_default_rec {  // DOMAINOSPFDEFAULT
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    char metric[kText];
    char metrictype[kText];
    char routemap[kText];
    domain_ospf_default_rec *next;
};

struct domain_offset_list_rec {  // DOMAINOFFSETLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    int32_t sequence;
    char context1[kText], context2[kText], context3[kText];
    char acl[kText];
    char direction[kName];
    char offset[kName];
    char interfacename[kText];
    domain_offset_list_rec *next;
};

struct domain_dist_list_rec {  // DOMAINDISTLIST
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    int32_t sequence;
    char asn[kText];
    char redistprotocol[kText];
    char redistasn[kText];
    char context1[kText], context2[kText], context3[kText];
    int32_t listtype;
    char acl[kText];
    char direction[kName];
    int32_t type;
    char interfacename[kText];
    domain_dist_list_rec *next;
};

struct domain_node_area_range_rec {  // DOMAINNODEAREARANGES
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char routingprotocol[kName];
    char routedprotocol[kName];
    char asn[kText];
    int32_t sequenceno;
    int32_t subsequenceno;
    char summaryaddr[kText];
    int32_t summarmask;
    char areaid[kText];
    domain_node_area_range_rec *next;
};

// ---- BGP ----

// Each BGP row keeps the instance name of the block that read it; no
// column holds it, and rows read back leave it empty.
struct domain_bgp_network_rec {  // DOMAINBGPNETWORK
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char protocol[kName];
    char asn[kText];
    int32_t networkno;
    char networkaddr[kText];
    int32_t networkmask;
    char routemapname[kText];
    char instancename[kName];
    domain_bgp_network_rec *next;
};

struct domain_bgp_addr_agrr_rec {  // DOMAINBGPADDRAGRR
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t networkno;
    char networkaddr[kText];
    int32_t networkprefix;
    int32_t asset;
    int32_t summaryonly;
    char advertisemap[kText];
    char supressmap[kText];
    char attributemap[kText];
    char context1[kText], context2[kText], context3[kText];
    char instancename[kName];
    domain_bgp_addr_agrr_rec *next;
};

// The route map out comes before the route map in here; the table's
// columns have them the other way round.
struct domain_bgp_peer_rec {  // DOMAINBGPPEER
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char peername[kText];
    char updatesource[kText];
    char remoteas[kName];
    int32_t passwordreqd;
    char routemapout[kText], routemapin[kText];
    char filterlistin[kText], filterlistout[kText];
    char distlistin[kText], distlistout[kText];
    char prefixlistin[kText], prefixlistout[kText];
    int32_t routereflector;
    int32_t nexthopself;
    char weight[kText];
    char ebgp_multihop[kText];
    int32_t defaultoriginate;
    char defaultoriginate_rm[kText];
    int32_t sendcommunity;
    char instancename[kName];
    domain_bgp_peer_rec *next;
};

// As the peer: route map out before in; peername after the default
// originate route map, sendcommunity after it.
struct domain_bgp_info_rec {  // DOMAINBGPINFO
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    int32_t sequence;
    char neighbor[kText];
    char context1[kText], context2[kText], context3[kText];
    char updatesource[kText];
    char remoteas[kName];
    int32_t passwordreqd;
    char routemapout[kText], routemapin[kText];
    char filterlistin[kText], filterlistout[kText];
    char distlistin[kText], distlistout[kText];
    char prefixlistin[kText], prefixlistout[kText];
    int32_t routereflector;
    int32_t nexthopself;
    char weight[kText];
    char ebgpmultihop[kText];
    int32_t defaultoriginate;
    char defaultoriginate_rm[kText];
    char peername[kText];
    int32_t sendcommunity;
    char instancename[kName];
    char addrtype[kName];  // kept in memory only
    domain_bgp_info_rec *next;
};

struct domain_bgp_peer_rule_rec {  // DOMAINBGPPEERRULE
    int32_t networkid;
    char domainname[kName];
    char nodetype[kName];
    char peername[kText];
    char variablename[kText];
    char variablevalue[kText];
    char instancename[kName];
    domain_bgp_peer_rule_rec *next;
};

// ---- VRF (checked and released, never stored) ----

struct vrf_description_rec {
    char vrfgroupname[kName];
    char domainname[kName];
    char nodetype[kName];
    char context1[kText], context2[kText], context3[kText];
    vrf_description_rec *next;
};

struct vrf_class_rec {
    char vrfname[kText];
    char vrfclass[kName];
    char domainname[kName];
    char nodetype[kName];
    int32_t vrfno;
    int32_t shared;
    char owner[kText];
    char rdscheme[kName];
    char rdprefix[kText];
    int32_t nodeunique;
    char poolclass[kName];
    vrf_class_rec *next;
};

struct vrf_member_filter_rec {
    char variablename[kName];
    char variablevalue[kName];
    char vrfclass[kName];
    char domainname[kName];
    char nodetype[kName];
    vrf_member_filter_rec *next;
};

struct vrf_route_target_rec {
    char type[kName];
    char repeatby[kText];
    char policy[kText];
    char vrfclass[kName];
    char domainname[kName];
    char nodetype[kName];
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
