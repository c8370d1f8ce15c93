// The ROUTING section: its dispatcher, block rows and closing step. The
// route-policy blocks of the section (ROUTEMAP, PREFIXLIST, ASNLIST,
// COMMUNITYLIST, ACCESSLIST, MAP-CLASS) are policy/'s.
#include "bgp.h"
#include "policy.h"
#include "routing.h"
#include "routing_blocks.h"
#include "block.h"
#include "sections.h"

namespace {

const block_entry routing_blocks[] = {
    {KW_ROUTING_STATIC, cut_checked<parse_staticroute>, nullptr},
    {KW_ROUTING_OSPF, cut_checked<parse_ospf>, nullptr},
    {KW_ROUTING_EIGRP, cut_checked<parse_eigrp>, "EIGRP"},
    {KW_ROUTING_IGRP, cut_checked<parse_eigrp>, "IGRP"},
    {KW_ROUTING_RIP, cut_checked<parse_rip>, nullptr},
    {KW_ROUTING_BGP, cut_checked<parse_bgp>, nullptr},
    {KW_MPLS, cut_checked<parse_protocolblock>, "MPLS"},
    {KW_LDP, cut_checked<parse_protocolblock>, "LDP"},
    // The keyword is spelled RSPVP; the protocol it declares is RSVP.
    {KW_RSPVP, cut_checked<parse_protocolblock>, "RSVP"},
    {KW_TAGSWITCHING, cut_checked<parse_protocolblock>, "TAGSWITCHING"},
    {KW_ROUTEMAP, cut_checked<parse_routemap>, nullptr},
    {KW_PREFIXLIST, cut_checked<parse_prefixlist>, nullptr},
    {KW_ASNLIST, cut_checked<parse_asncommlist>, "ASN"},
    {KW_COMMUNITYLIST, cut_checked<parse_asncommlist>, "COMMUNITY"},
    {KW_ACCESSLIST, cut_checked<parse_accesslist>, nullptr},
    {KW_MAP_CLASS, cut_checked<parse_domainmapclass>, nullptr},
    {KW_ROUTING_PIM, cut_checked<parse_pim>, nullptr},
    {KW_ROUTING_MSDP, cut_checked<parse_msdp>, nullptr},
    {KW_ROUTING_IGMP, cut_checked<parse_igmp>, nullptr},
    {KW_ROUTING_DVMRP, cut_checked<parse_dvmrp>, nullptr},
    {KW_VRF, cut_checked<parse_vrf>, nullptr},
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
