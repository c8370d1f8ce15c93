// The ROUTING section: its dispatcher, block rows and closing step. The
// route-policy blocks of the section (ROUTEMAP, PREFIXLIST, ASNLIST,
// COMMUNITYLIST, ACCESSLIST, MAP-CLASS) are policy/'s.
#include "bgp.h"
#include "driver.h"
#include "policy.h"
#include "routing.h"
#include "routing_blocks.h"
#include "sections.h"

namespace {

constinit block_table_of routing_blocks{{
    {"ROUTING-STATIC", 15, parse_staticroute, nullptr, staticroute_keys},
    {"ROUTING-OSPF", 16, parse_ospf, nullptr, ospf_keys},
    {"ROUTING-EIGRP", 17, parse_eigrp, "EIGRP", eigrp_keys},
    {"ROUTING-IGRP", 18, parse_eigrp, "IGRP", eigrp_keys},
    {"ROUTING-RIP", 19, parse_rip, nullptr, rip_keys},
    {"ROUTING-BGP", 20, parse_bgp, nullptr, bgp_keys},
    {"MPLS", 66, parse_protocolblock, "MPLS", protocolblock_keys},
    {"LDP", 67, parse_protocolblock, "LDP", protocolblock_keys},
    // The keyword is spelled RSPVP; the protocol it declares is RSVP.
    {"RSPVP", 68, parse_protocolblock, "RSVP", protocolblock_keys},
    {"TAGSWITCHING", 69, parse_protocolblock, "TAGSWITCHING", protocolblock_keys},
    {"ROUTEMAP", 21, parse_routemap, nullptr, routemap_keys},
    {"PREFIXLIST", 22, parse_prefixlist, nullptr, prefixlist_keys},
    {"ASNLIST", 24, parse_asncommlist, "ASN", asncommlist_keys},
    {"COMMUNITYLIST", 25, parse_asncommlist, "COMMUNITY", asncommlist_keys},
    {"ACCESSLIST", 26, parse_accesslist, nullptr, accesslist_keys},
    {"MAP-CLASS", 46, parse_domainmapclass, nullptr, domainmapclass_keys},
    {"ROUTING-PIM", 60, parse_pim, nullptr, pim_keys},
    {"ROUTING-MSDP", 61, parse_msdp, nullptr, msdp_keys},
    {"ROUTING-IGMP", 62, parse_igmp, nullptr, igmp_keys},
    {"ROUTING-DVMRP", 63, parse_dvmrp, nullptr, dvmrp_keys},
    {"VRF", 65, parse_vrf, nullptr, vrf_keys},
}};

// The references to route maps, filter and prefix lists are warnings only.
int routing_closing() {
    validate_filters();
    return 1;
}

const section_def routing_section{"ROUTING", routing_blocks, routing_closing};

}  // namespace

int parseroutingsec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, routing_section); }

namespace {

const bool registered = [] {
    register_section("ROUTING", parseroutingsec, &routing_section);
    return true;
}();

}  // namespace
