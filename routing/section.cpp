// The ROUTING section: its dispatcher, block rows and closing step. The
// route-policy blocks of the section (ROUTEMAP, PREFIXLIST, ASNLIST,
// COMMUNITYLIST, ACCESSLIST, MAP-CLASS) are policy/'s.
#include "bgp.h"
#include "policy.h"
#include "routing.h"
#include "routing_blocks.h"
#include "sections.h"

namespace {

const block_entry routing_blocks[] = {
    {KW_ROUTING_STATIC, parse_staticroute, nullptr, staticroute_keys},
    {KW_ROUTING_OSPF, parse_ospf, nullptr, ospf_keys},
    {KW_ROUTING_EIGRP, parse_eigrp, "EIGRP", eigrp_keys},
    {KW_ROUTING_IGRP, parse_eigrp, "IGRP", eigrp_keys},
    {KW_ROUTING_RIP, parse_rip, nullptr, rip_keys},
    {KW_ROUTING_BGP, parse_bgp, nullptr, bgp_keys},
    {KW_MPLS, parse_protocolblock, "MPLS", protocolblock_keys},
    {KW_LDP, parse_protocolblock, "LDP", protocolblock_keys},
    // The keyword is spelled RSPVP; the protocol it declares is RSVP.
    {KW_RSPVP, parse_protocolblock, "RSVP", protocolblock_keys},
    {KW_TAGSWITCHING, parse_protocolblock, "TAGSWITCHING", protocolblock_keys},
    {KW_ROUTEMAP, parse_routemap, nullptr, routemap_keys},
    {KW_PREFIXLIST, parse_prefixlist, nullptr, prefixlist_keys},
    {KW_ASNLIST, parse_asncommlist, "ASN", asncommlist_keys},
    {KW_COMMUNITYLIST, parse_asncommlist, "COMMUNITY", asncommlist_keys},
    {KW_ACCESSLIST, parse_accesslist, nullptr, accesslist_keys},
    {KW_MAP_CLASS, parse_domainmapclass, nullptr, domainmapclass_keys},
    {KW_ROUTING_PIM, parse_pim, nullptr, pim_keys},
    {KW_ROUTING_MSDP, parse_msdp, nullptr, msdp_keys},
    {KW_ROUTING_IGMP, parse_igmp, nullptr, igmp_keys},
    {KW_ROUTING_DVMRP, parse_dvmrp, nullptr, dvmrp_keys},
    {KW_VRF, parse_vrf, nullptr, vrf_keys},
    {0, nullptr, nullptr},
};

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
