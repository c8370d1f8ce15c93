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
    {KW_ROUTING_STATIC, parse_staticroute, nullptr},
    {KW_ROUTING_OSPF, parse_ospf, nullptr},
    {KW_ROUTING_EIGRP, parse_eigrp, "EIGRP"},
    {KW_ROUTING_IGRP, parse_eigrp, "IGRP"},
    {KW_ROUTING_RIP, parse_rip, nullptr},
    {KW_ROUTING_BGP, parse_bgp, nullptr},
    {KW_MPLS, parse_protocolblock, "MPLS"},
    {KW_LDP, parse_protocolblock, "LDP"},
    // The keyword is spelled RSPVP; the protocol it declares is RSVP.
    {KW_RSPVP, parse_protocolblock, "RSVP"},
    {KW_TAGSWITCHING, parse_protocolblock, "TAGSWITCHING"},
    {KW_ROUTEMAP, parse_routemap, nullptr},
    {KW_PREFIXLIST, parse_prefixlist, nullptr},
    {KW_ASNLIST, parse_asncommlist, "ASN"},
    {KW_COMMUNITYLIST, parse_asncommlist, "COMMUNITY"},
    {KW_ACCESSLIST, parse_accesslist, nullptr},
    {KW_MAP_CLASS, parse_domainmapclass, nullptr},
    {KW_ROUTING_PIM, parse_pim, nullptr},
    {KW_ROUTING_MSDP, parse_msdp, nullptr},
    {KW_ROUTING_IGMP, parse_igmp, nullptr},
    {KW_ROUTING_DVMRP, parse_dvmrp, nullptr},
    {KW_VRF, parse_vrf, nullptr},
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
    register_section("ROUTING", parseroutingsec);
    return true;
}();

}  // namespace
