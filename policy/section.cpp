// The FIREWALL and QOS sections: their dispatchers, block rows and closing
// steps, and the services the core asks of them. Block rows join as their
// parsers are built.
#include "policy.h"
#include "policy_blocks.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

int qos_closing() { return validate_custpolicies() ? 1 : 0; }

const block_entry firewall_blocks[] = {
    {KW_ACCESSLIST, parse_accesslist, nullptr, firewall_accesslist_keys},
    {0, nullptr, nullptr},
};

const block_entry qos_blocks[] = {
    {KW_QOSMATCHRULES, parse_qosmatchrules, nullptr, qosmatchrules_keys},
    {KW_QOSMARKRULES, parse_qosmarkrules, nullptr, qosmarkrules_keys},
    {KW_QOSPOLICERULES, parse_qospolicerules, nullptr, qospolicerules_keys},
    {KW_QOSSHAPERULES, parse_qosshaperules, nullptr, qosshaperules_keys},
    {KW_QOSDROPRULES, parse_qosdroprules, nullptr, qosdroprules_keys},
    {KW_ACCESSLIST, parse_accesslist, nullptr, qos_accesslist_keys},
    {KW_QOSPOLICY, parse_qospolicy, nullptr, qospolicy_keys},
    {KW_QOS_SERVICE_ENROLLVAR, parse_serviceenrollvar, nullptr, serviceenrollvar_keys},
    {0, nullptr, nullptr},
};

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
