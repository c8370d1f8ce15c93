// The FIREWALL and QOS sections: their dispatchers, block rows and closing
// steps, and the services the core asks of them.
#include "driver.h"
#include "policy.h"
#include "policy_blocks.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

int qos_closing() { return validate_custpolicies() ? 1 : 0; }

constinit block_table_of firewall_blocks{{
    {"ACCESSLIST", 26, parse_accesslist, nullptr, firewall_accesslist_keys},
}};

constinit block_table_of qos_blocks{{
    {"QOSMATCHRULES", 48, parse_qosmatchrules, nullptr, qosmatchrules_keys},
    {"QOSMARKRULES", 49, parse_qosmarkrules, nullptr, qosmarkrules_keys},
    {"QOSPOLICERULES", 50, parse_qospolicerules, nullptr, qospolicerules_keys},
    {"QOSSHAPERULES", 51, parse_qosshaperules, nullptr, qosshaperules_keys},
    {"QOSDROPRULES", 52, parse_qosdroprules, nullptr, qosdroprules_keys},
    {"ACCESSLIST", 26, parse_accesslist, nullptr, qos_accesslist_keys},
    {"QOSPOLICY", 53, parse_qospolicy, nullptr, qospolicy_keys},
    {"QOS-SERVICE-ENROLLVAR", 58, parse_serviceenrollvar, nullptr, serviceenrollvar_keys},
}};

const section_def firewall_section{"FIREWALL", firewall_blocks};
const section_def qos_section{"QOS", qos_blocks, qos_closing};

}  // namespace

int parsefirewallsec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, firewall_section); }
int parseqossec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, qos_section); }

namespace {

const bool registered = [] {
    register_section("FIREWALL", parsefirewallsec, &firewall_section);
    register_section("QOS", parseqossec, &qos_section);
    section_services &s = services();
    s.accesslist_exists = validate_accesslistexists;
    s.matchrule_exists = matchrule_exists;
    s.after_last_file = validate_aclfilters;
    return true;
}();

}  // namespace
