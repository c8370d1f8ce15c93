// The record-list heads of a run and their release, by group or all at once.
#include <cstdlib>
#include <cstring>

#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"

record_list<network_rec> prnetwork;
record_list<domain_rec> prdomains;
record_list<list_value_rec> prlistvalues;
record_list<domain_variable_rec> prdomainvariables;
record_list<domain_conn_var_rec> prdomainconnvars;
record_list<domain_node_rec> prdomainnodes;
record_list<domain_node_var_rec> prdomainnodevars;
record_list<domain_service_rec> prdomainservices;
record_list<domain_connection_rec> prdomainconnections;
record_list<domain_fixed_conn_rec> prdomainfixedconn;
record_list<domain_int_name_rec> prdomainintnames;
record_list<domain_conn_type_rec> prdomainconntypes;
record_list<domain_remote_type_rec> prdomainremotetypes;
record_list<domain_int_type_rec> prdomaininttypes;
record_list<domain_inst_var_rec> prdomaininstancevars;
record_list<hsrp_member_rec> prhsrpmember;
record_list<hsrp_connection_rec> prhsrpconnections;
record_list<ip_address_pool_rec> praddresspools;
record_list<address_assign_rec> praddressassign;
record_list<address_dependency_rec> praddressdependency;
record_list<domain_node_conn_bkp_rec> prdomainnodeconnbkp;
record_list<domain_node_log_int_rec> prdomainnodelogint;
record_list<service_type_rec> prservicetypes;
record_list<service_type_name_rec> prservicetypenames;
record_list<service_type_var_rec> prservicetypevars;
record_list<network_var_rec> prnetworkvars;
record_list<pool_type_rec> prpooltypes;
record_list<pool_sequence_rec> prpoolsequence;
record_list<aps_member_rec> prconnapsdatalist;
record_list<system_list_rec> pr_systemlist;
record_list<valid_int_bandwidth_rec> prvalidintbandwidth;
record_list<domain_snmp_community_rec> prdomainsnmpcommunity;
record_list<pool_class_rec> prpoolclass;
record_list<com_pool_type_rec> prpooltypemap;
record_list<vc_class_rec> prlogconntypes;
record_list<vc_member_filter_rec> prvcconnfilters;
record_list<vc_member_class_rec> prvcmembers;
record_list<domain_conn_filter_rec> prdomconnfilters;
record_list<global_list_var_rec> prgloballistvars;

record_list<cust_conn_type_rec> prcustconntypes;
record_list<cust_conn_addr_type_rec> prcustconnaddrtypes;
record_list<cust_conn_node_rec> prcustconnnodes;
record_list<cust_conn_interface_rec> prcustconninterfaces;
record_list<cust_var_rec> prcustvars;
record_list<cust_node_var_rec> prcustnodevars;
record_list<cust_conn_var_rec> prcustconnvars;
record_list<cust_conn_hsrp_var_rec> prcusthsrpvars;
record_list<cust_conn_filter_rec> prcustconnfilters;
record_list<pool_class_mapping_rec> prpoolclassmap;

record_list<domain_protocol_rec> prdomainprotocols;
record_list<domain_addr_summary_rec> prdomainaddrsummary;
record_list<domain_bgp_network_rec> prdomainbgpnetwork;
record_list<domain_node_area_rec> prdomainnodeareas;
record_list<domain_conn_area_rec> prdomainconnareas;
record_list<domain_redist_rec> prdomainredist;
record_list<domain_ospf_default_rec> prdomainospfdefault;
record_list<domain_dist_list_rec> prdomaindistlist;
record_list<domain_bgp_addr_agrr_rec> prdomainbgpaddragrr;
record_list<domain_bgp_peer_rec> prdomainbgppeer;
record_list<domain_bgp_info_rec> prdomainbgpinfo;
record_list<domain_bgp_peer_rule_rec> prdomainbgppeerrule;
record_list<domain_node_area_range_rec> prdomainnodearearanges;
record_list<domain_static_route_rec> prdomainstaticroute;
record_list<domain_offset_list_rec> prdomainoffsetlist;
record_list<domain_passive_int_rec> prdomainpassiveint;
record_list<pim_auto_rp_class_rec> prmappingagent;
record_list<pim_rp_filter_class_rec> prautorpfilter;
record_list<pim_rp_class_rec> prpimrp;
record_list<pim_accept_class_rec> prpimacceptrp;
record_list<pim_bsr_class_rec> prpimbsr;
record_list<pim_register_class_rec> prpimregister;
record_list<pim_member_rate_class_rec> prpimrate;
record_list<pim_member_class_rec> prpimmember;
record_list<msdp_class_rec> prmsdpclass;
record_list<msdp_neighbor_class_rec> prmsdppeer;
record_list<igmp_int_class_rec> prigmpmember;
record_list<igmp_int_addr_class_rec> prigmpgroup;
record_list<dvmrp_int_class_rec> prdvmrpmember;
record_list<vrf_class_rec> prvrfclass;
record_list<vrf_member_filter_rec> prvrfmemberfilter;
record_list<vrf_route_target_rec> prvrfroutetarget;
record_list<vrf_description_rec> prvrfdescription;

record_list<domain_route_map_rec> prdomainroutemap;
record_list<route_map_match_list_rec> prroutemapmatchlist;
record_list<route_map_set_list_rec> prroutemapsetlist;
record_list<domain_prefix_hdr_rec> prdomainprefixhdr;
record_list<domain_prefix_list_rec> prdomainprefixlist;
record_list<domain_filter_list_rec> prdomainfilterlist;
record_list<domain_map_class_rec> prdomainmapclass;
record_list<domain_access_list_rec> prdomainaccesslist;
record_list<domain_acl_list_rec> prdomainacllist;
record_list<domain_ext_acl_rec> prdomainextacl;
record_list<domain_queue_rec> prdomainqueues;
record_list<domain_cust_subq_rec> prdomaincustsubq;
record_list<qos_match_rule_class_rec> prmatchruledesclist;
record_list<qos_mark_rule_class_rec> prmarkruledesclist;
record_list<qos_police_rule_class_rec> prpoliceruledesclist;
record_list<qos_shape_rule_class_rec> prshaperuledesclist;
record_list<qos_drop_rule_class_rec> prdropruledesclist;
record_list<qos_policy_class_rec> prqospolicydesclist;
record_list<service_enroll_var_rec> prqosservenrollvar;

namespace {

// Releasing everything: the lists are only emptied, their records go with
// the arena at once.
bool dropping_all = false;

template <class T>
void free_list(T *&head) {
    if (dropping_all) head = nullptr;
    while (head) {
        T *next = head->next;
        free_record(head);
        head = next;
    }
}

template <class T>
void free_list(record_list<T> &list) {
    T *head = list.head;
    list.clear();
    free_list(head);
}

template <class T>
void free_list(tail_list<T> &list) {
    T *head = list.head;
    list = nullptr;
    free_list(head);
}

// Records that carry a list of their own: the sub-list goes first.
template <class T, class S>
void free_list(record_list<T> &list, S T::*sub) {
    T *head = list.head;
    list.clear();
    if (dropping_all) return;
    while (head) {
        T *next = head->next;
        free_list(head->*sub);
        free_record(head);
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
    dropping_all = all;
    for (const group &g : groups)
        if (all || std::strcmp(section, g.name) == 0) g.release();
    dropping_all = false;
    // Every record is gone: so is the memory of every record and text.
    if (all) text_arena_reset();
}
