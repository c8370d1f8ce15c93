// The record-list heads of a run and their release, by group or all at once.
#include <cstdlib>
#include <cstring>

#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"

network_rec *prnetwork;
domain_rec *prdomains;
list_value_rec *prlistvalues;
domain_variable_rec *prdomainvariables;
domain_conn_var_rec *prdomainconnvars;
domain_node_rec *prdomainnodes;
domain_node_var_rec *prdomainnodevars;
domain_service_rec *prdomainservices;
domain_connection_rec *prdomainconnections;
domain_fixed_conn_rec *prdomainfixedconn;
domain_int_name_rec *prdomainintnames;
domain_conn_type_rec *prdomainconntypes;
domain_remote_type_rec *prdomainremotetypes;
domain_int_type_rec *prdomaininttypes;
domain_inst_var_rec *prdomaininstancevars;
hsrp_member_rec *prhsrpmember;
hsrp_connection_rec *prhsrpconnections;
ip_address_pool_rec *praddresspools;
address_assign_rec *praddressassign;
address_dependency_rec *praddressdependency;
domain_node_conn_bkp_rec *prdomainnodeconnbkp;
domain_node_log_int_rec *prdomainnodelogint;
service_type_rec *prservicetypes;
service_type_name_rec *prservicetypenames;
service_type_var_rec *prservicetypevars;
network_var_rec *prnetworkvars;
pool_type_rec *prpooltypes;
pool_sequence_rec *prpoolsequence;
aps_member_rec *prconnapsdatalist;
system_list_rec *pr_systemlist;
valid_int_bandwidth_rec *prvalidintbandwidth;
domain_snmp_community_rec *prdomainsnmpcommunity;
pool_class_rec *prpoolclass;
com_pool_type_rec *prpooltypemap;
vc_class_rec *prlogconntypes;
vc_member_filter_rec *prvcconnfilters;
vc_member_class_rec *prvcmembers;
domain_conn_filter_rec *prdomconnfilters;
global_list_var_rec *prgloballistvars;

cust_conn_type_rec *prcustconntypes;
cust_conn_addr_type_rec *prcustconnaddrtypes;
cust_conn_node_rec *prcustconnnodes;
cust_conn_interface_rec *prcustconninterfaces;
cust_var_rec *prcustvars;
cust_node_var_rec *prcustnodevars;
cust_conn_var_rec *prcustconnvars;
cust_conn_hsrp_var_rec *prcusthsrpvars;
cust_conn_filter_rec *prcustconnfilters;
pool_class_mapping_rec *prpoolclassmap;

domain_protocol_rec *prdomainprotocols;
domain_addr_summary_rec *prdomainaddrsummary;
domain_bgp_network_rec *prdomainbgpnetwork;
domain_node_area_rec *prdomainnodeareas;
domain_conn_area_rec *prdomainconnareas;
domain_redist_rec *prdomainredist;
domain_ospf_default_rec *prdomainospfdefault;
domain_dist_list_rec *prdomaindistlist;
domain_bgp_addr_agrr_rec *prdomainbgpaddragrr;
domain_bgp_peer_rec *prdomainbgppeer;
domain_bgp_info_rec *prdomainbgpinfo;
domain_bgp_peer_rule_rec *prdomainbgppeerrule;
domain_node_area_range_rec *prdomainnodearearanges;
domain_static_route_rec *prdomainstaticroute;
domain_offset_list_rec *prdomainoffsetlist;
domain_passive_int_rec *prdomainpassiveint;
pim_auto_rp_class_rec *prmappingagent;
pim_rp_filter_class_rec *prautorpfilter;
pim_rp_class_rec *prpimrp;
pim_accept_class_rec *prpimacceptrp;
pim_bsr_class_rec *prpimbsr;
pim_register_class_rec *prpimregister;
pim_member_rate_class_rec *prpimrate;
pim_member_class_rec *prpimmember;
msdp_class_rec *prmsdpclass;
msdp_neighbor_class_rec *prmsdppeer;
igmp_int_class_rec *prigmpmember;
igmp_int_addr_class_rec *prigmpgroup;
dvmrp_int_class_rec *prdvmrpmember;
vrf_class_rec *prvrfclass;
vrf_member_filter_rec *prvrfmemberfilter;
vrf_route_target_rec *prvrfroutetarget;
vrf_description_rec *prvrfdescription;

domain_route_map_rec *prdomainroutemap;
route_map_match_list_rec *prroutemapmatchlist;
route_map_set_list_rec *prroutemapsetlist;
domain_prefix_hdr_rec *prdomainprefixhdr;
domain_prefix_list_rec *prdomainprefixlist;
domain_filter_list_rec *prdomainfilterlist;
domain_map_class_rec *prdomainmapclass;
domain_access_list_rec *prdomainaccesslist;
domain_acl_list_rec *prdomainacllist;
domain_ext_acl_rec *prdomainextacl;
domain_queue_rec *prdomainqueues;
domain_cust_subq_rec *prdomaincustsubq;
qos_match_rule_class_rec *prmatchruledesclist;
qos_mark_rule_class_rec *prmarkruledesclist;
qos_police_rule_class_rec *prpoliceruledesclist;
qos_shape_rule_class_rec *prshaperuledesclist;
qos_drop_rule_class_rec *prdropruledesclist;
qos_policy_class_rec *prqospolicydesclist;
service_enroll_var_rec *prqosservenrollvar;

namespace {

template <class T>
void free_list(T *&head) {
    while (head) {
        T *next = head->next;
        std::free(head);
        head = next;
    }
}

// Records that carry a list of their own: the sub-list goes first.
template <class T, class E>
void free_list(T *&head, E *T::*sub) {
    while (head) {
        T *next = head->next;
        free_list(head->*sub);
        std::free(head);
        head = next;
    }
}

template <class... Heads>
void free_lists(Heads &...heads) {
    (free_list(heads), ...);
}

void release_topology() {
    free_lists(prnetwork, prdomains, prlistvalues, prdomainvariables, prdomainconnvars, prdomainnodes,
               prdomainnodevars, prdomainservices, prdomainconnections, prdomainfixedconn,
               prdomainintnames, prdomainconntypes, prdomainremotetypes, prdomaininttypes,
               prdomaininstancevars, prhsrpmember, prhsrpconnections, praddresspools, praddressassign,
               praddressdependency, prdomainnodeconnbkp, prdomainnodelogint, prservicetypes,
               prservicetypenames, prservicetypevars, prnetworkvars, prpooltypes, prpoolsequence,
               prconnapsdatalist);
    free_list(pr_systemlist, &system_list_rec::elemlist);
    free_lists(prvalidintbandwidth, prdomainsnmpcommunity, prpoolclass, prpooltypemap, prlogconntypes,
               prvcconnfilters, prvcmembers, prdomconnfilters, prgloballistvars);
}

void release_customer() {
    free_list(prcustconntypes, &cust_conn_type_rec::qospolicylist);
    free_list(prcustconnaddrtypes);
    free_list(prcustconnnodes, &cust_conn_node_rec::loopbacklist);
    free_lists(prcustconninterfaces, prcustvars, prcustnodevars, prcustconnvars, prcusthsrpvars,
               prcustconnfilters, prpoolclassmap);
}

void release_routing() {
    free_lists(prdomainprotocols, prdomainroutemap, prroutemapmatchlist, prroutemapsetlist,
               prdomainaddrsummary, prdomainbgpnetwork, prdomainnodeareas, prdomainconnareas,
               prdomainredist, prdomainospfdefault, prdomaindistlist, prdomainbgpaddragrr,
               prdomainbgppeer, prdomainbgpinfo, prdomainbgppeerrule, prdomainnodearearanges,
               prdomainstaticroute, prdomainoffsetlist, prdomainmapclass, prdomainprefixhdr,
               prdomainprefixlist, prdomainfilterlist, prdomainpassiveint, prmappingagent,
               prautorpfilter, prpimrp, prpimacceptrp, prpimbsr, prpimregister, prpimrate, prpimmember,
               prmsdpclass, prmsdppeer, prigmpmember, prigmpgroup, prdvmrpmember, prvrfclass,
               prvrfmemberfilter, prvrfroutetarget, prvrfdescription);
}

void release_firewall() { free_lists(prdomainqueues, prdomaincustsubq); }

void release_qos() {
    free_list(prmatchruledesclist, &qos_match_rule_class_rec::elemlist);
    free_list(prmarkruledesclist);
    free_list(prpoliceruledesclist, &qos_police_rule_class_rec::actionlist);
    free_list(prshaperuledesclist);
    free_list(prdropruledesclist, &qos_drop_rule_class_rec::elemlist);
    free_list(prqospolicydesclist, &qos_policy_class_rec::subqueuelist);
    free_list(prqosservenrollvar);
}

void release_accesslist() { free_lists(prdomainaccesslist, prdomainacllist, prdomainextacl); }

struct group {
    const char *name;
    void (*release)();
};
// "ALL" releases the groups in this order.
const group groups[] = {
    {"TOPOLOGY", release_topology}, {"CUSTOMER", release_customer}, {"ROUTING", release_routing},
    {"FIREWALL", release_firewall}, {"QOS", release_qos},           {"ACCESSLIST", release_accesslist},
};

}  // namespace

void releasememory(const char *section) {
    bool all = std::strcmp(section, "ALL") == 0;
    for (const group &g : groups)
        if (all || std::strcmp(section, g.name) == 0) g.release();
}
