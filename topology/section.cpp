// The TOPOLOGY and CUSTOMER sections: their dispatchers, block rows and
// closing steps. Block rows join as their parsers are built; until then a
// block keyword without its parser reads as an invalid block type.
#include <cstring>

#include "database.h"
#include "records_topology.h"
#include "sections.h"
#include "topology_blocks.h"
#include "validations.h"

namespace {

const block_entry topology_blocks[] = {
    {KW_NETWORK, parse_network, nullptr, network_keys},
    {KW_LISTDEFS, parse_listdefs, nullptr, listdefs_keys},
    {KW_NETWORKVARS, parse_networkvars, nullptr, networkvars_keys},
    {KW_DOMAIN, parse_domains, nullptr, domain_keys},
    {KW_NODES, parse_nodes, nullptr, nodes_keys},
    {KW_ADDRESSPOOL, parse_addresspools, nullptr, addresspool_keys},
    {KW_SYSTEMLIST, parse_systemlist, nullptr, systemlist_keys},
    {KW_GLOBALLISTS, parse_globallists, nullptr, globallists_keys},
    {KW_INTERFACE_BANDWIDTH_LIST, parse_intbandwidthlist, nullptr, intbandwidthlist_keys},
    {KW_SERVICE_TYPE, parse_servicetypes, nullptr, servicetypes_keys},
    {KW_POOL_CLASS, parse_poolclass, nullptr, poolclass_keys},
    {KW_POOL_TYPE, parse_pooltypes, nullptr, pooltypes_keys},
    {KW_LOGICALINTERFACE, parse_logint, nullptr, logint_keys},
    {KW_CONNECTIONS, parse_connections, nullptr, connections_keys},
    {KW_CONNECTIONTYPE, parse_connectiontypes, nullptr, connectiontypes_keys},
    {KW_LOGICAL_PATH, parse_logicalconnection, nullptr, logicalpath_keys},
    {0, nullptr, nullptr},
};

const block_entry customer_blocks[] = {
    {KW_CUSTOMER_TYPE, parse_customertype, nullptr, customertype_keys},
    {0, nullptr, nullptr},
};

int topology_closing() {
    validateuser_vars();
    // The command-line build checks under overwritedata too (and only warns).
    if ((!overwritedata || g_cli_checks.inventory_step) && !g_error) return NDL_validateTopology() ? 1 : 0;
    return 1;
}

int customer_closing() {
    validatecustuser_vars();
    if (!overwritedata && !g_error) return NDL_validateCustomer() ? 1 : 0;
    return 1;
}

// The NETWORK block must name the network of its section header; else the
// section ends at once.
int network_matches_header(int kind, const char *token) {
    if (kind != KW_NETWORK) return 0;
    if (prnetwork && std::strcmp(prnetwork->networkname, g_section.networkname) == 0) return 0;
    logmsg("ERROR:Network name does not match with the section header\n");
    g_error = 1;
    keep_error_token(KW_NETWORK, token);
    return 1;
}

const section_def topology_section{"TOPOLOGY", topology_blocks, topology_closing, network_matches_header};
const section_def customer_section{"CUSTOMER", customer_blocks, customer_closing};

}  // namespace

int parsetopologysec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, topology_section); }
int parsecustomersec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, customer_section); }

namespace {

const bool registered = [] {
    register_section("TOPOLOGY", parsetopologysec, &topology_section);
    register_section("CUSTOMER", parsecustomersec, &customer_section);
    return true;
}();

}  // namespace
