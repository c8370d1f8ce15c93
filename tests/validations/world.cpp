#include "world.h"

#include <cstring>

#include "records_customer.h"
#include "records_policy.h"
#include "records_topology.h"


void build_world() {
    for (const char *d : {"CORE", "EDGE"}) add(prdomains, [&](domain_rec &r) { set(r.domainname, d); });
    const char *nodes[][2] = {{"CORE", "PE"}, {"CORE", "P"}, {"EDGE", "CE"}};
    for (auto &n : nodes)
        add(prdomainnodes, [&](domain_node_rec &r) {
            set(r.domainname, n[0]);
            set(r.nodetype, n[1]);
            set(r.devicetype, "ROUTER");
            r.maxnode = 4;
        });
    const char *conntypes[] = {"PE-CE", "PE-P", "LONE"};
    for (int i = 0; i < 3; ++i)
        add(prdomainconntypes, [&](domain_conn_type_rec &r) {
            r.connectionno = i + 1;
            set(r.connectionname, conntypes[i]);
        });
    struct {
        int no;
        const char *dom, *node;
    } fixed[] = {{1, "CORE", "PE"}, {1, "EDGE", "CE"}, {2, "CORE", "PE"}, {2, "CORE", "P"}, {3, "CORE", "P"}};
    for (auto &f : fixed)
        add(prdomainfixedconn, [&](domain_fixed_conn_rec &r) {
            r.connectionno = f.no;
            set(r.domainname, f.dom);
            set(r.nodetype, f.node);
        });
    const char *connvars[][2] = {{"VLAN", "NUMBER"}, {"DESCR", "STRING"}};
    for (auto &v : connvars)
        add(prdomainconnvars, [&](domain_conn_var_rec &r) {
            r.connectionno = 1;
            set(r.variablename, v[0]);
            set(r.variabletype, v[1]);
        });
    const char *nodevars[][2] = {{"X", "NUMBER"}, {"S", "STRING"}, {"NL", "STATIC-LIST"}, {"WL", "STATIC-LIST"}};
    for (auto &v : nodevars)
        add(prdomainnodevars, [&](domain_node_var_rec &r) {
            set(r.domainname, "CORE");
            set(r.nodetype, "PE");
            set(r.variablename, v[0]);
            set(r.variabletype, v[1]);
        });
    const char *listvalues[][2] = {{"NL", "10"}, {"NL", "20"}, {"WL", "10"}, {"WL", "red"}};
    for (auto &v : listvalues)
        add(prlistvalues, [&](list_value_rec &r) {
            set(r.listname, v[0]);
            set(r.elementvalue, v[1]);
        });
    add(prdomainservices, [](domain_service_rec &r) {
        set(r.domainname, "CORE");
        set(r.nodetype, "PE");
        set(r.servicename, "DNS");
    });
    add(prservicetypes, [](service_type_rec &r) {
        set(r.servicetype, "VPN");
        set(r.hosttype, "HOSTA");
    });
    add(prservicetypenames, [](service_type_name_rec &r) {
        set(r.servicetype, "VPN");
        set(r.servicename, "Virtual");
    });
    add(prcustconntypes, [](cust_conn_type_rec &r) { set(r.conntypename, "GOLD"); });
    add(prpoolsequence, [](pool_sequence_rec &r) { set(r.variablename, "POOLVAR"); });
    const char *instvars[][2] = {{"PE-CE", "INSTV"}, {"CORE:PE:LOOPBACK0", "LBV"}, {"PE-P", "PV"}};
    for (auto &v : instvars)
        add(prdomaininstancevars, [&](domain_inst_var_rec &r) {
            set(r.connectionname, v[0]);
            set(r.variablename, v[1]);
        });
    add(praddressassign, [](address_assign_rec &r) {
        r.namedpointtype = 1;
        set(r.poolname, "POOL1");
        set(r.namedendpoint, "PE-P");
    });
    add(prdomainaccesslist, [](domain_access_list_rec &r) {
        set(r.domainname, "CORE");
        set(r.nodetype, "PE");
        set(r.aclname, "ACL1");
    });
    add(prmatchruledesclist, [](qos_match_rule_class_rec &r) {
        set(r.domainname, "CORE");
        set(r.nodetype, "PE");
        set(r.matchrulename, "M1");
        r.sequence = 1;  // the first entry, as every stored or parsed rule has
    });
}
