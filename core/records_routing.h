// Records of the ROUTING section and the entry points of its block parsers.
// Route maps, prefix and filter lists and map classes are released with this
// section but declared with the policy records.
#ifndef NDL_CORE_RECORDS_ROUTING_H
#define NDL_CORE_RECORDS_ROUTING_H

#include <cstdio>

#include "records_common.h"
#include "records_routing_stored.h"

// ---- protocols on a node ----

struct domain_protocol_rec {  // DOMAINPROTOCOLS
    NDL_STORED(domain_protocol_rec)
    text_field<kName> instancename;  // kept in memory only
    text_field<kName> ownercontext;  // kept in memory only
    domain_protocol_rec *next;
};

// ---- multicast (no networkid field) ----

// ---- unicast ----

// ---- BGP ----

// Each BGP row keeps the instance name of the block that read it; no
// column holds it, and rows read back leave it empty.
struct domain_bgp_network_rec {  // DOMAINBGPNETWORK
    NDL_STORED(domain_bgp_network_rec)
    text_field<kName> instancename;
    domain_bgp_network_rec *next;
};

struct domain_bgp_addr_agrr_rec {  // DOMAINBGPADDRAGRR
    NDL_STORED(domain_bgp_addr_agrr_rec)
    text_field<kName> instancename;
    domain_bgp_addr_agrr_rec *next;
};

// The route map out comes before the route map in here; the table's
// columns have them the other way round.
struct domain_bgp_peer_rec {  // DOMAINBGPPEER
    NDL_STORED(domain_bgp_peer_rec)
    text_field<kName> instancename;
    domain_bgp_peer_rec *next;
};

// As the peer: route map out before in; peername after the default
// originate route map, sendcommunity after it.
struct domain_bgp_info_rec {  // DOMAINBGPINFO
    NDL_STORED(domain_bgp_info_rec)
    text_field<kName> instancename;
    text_field<kName> addrtype;  // kept in memory only
    domain_bgp_info_rec *next;
};

struct domain_bgp_peer_rule_rec {  // DOMAINBGPPEERRULE
    NDL_STORED(domain_bgp_peer_rule_rec)
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

#endif
