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
    {KW_NETWORK, parse_network, nullptr},
    {KW_LISTDEFS, parse_listdefs, nullptr},
    {KW_NETWORKVARS, parse_networkvars, nullptr},
    {KW_DOMAIN, parse_domains, nullptr},
    {KW_NODES, parse_nodes, nullptr},
    {KW_ADDRESSPOOL, parse_addresspools, nullptr},
    {KW_SYSTEMLIST, parse_systemlist, nullptr},
    {KW_GLOBALLISTS, parse_globallists, nullptr},
    {KW_INTERFACE_BANDWIDTH_LIST, parse_intbandwidthlist, nullptr},
    {KW_SERVICE_TYPE, parse_servicetypes, nullptr},
    {KW_POOL_CLASS, parse_poolclass, nullptr},
    {KW_POOL_TYPE, parse_pooltypes, nullptr},
    {KW_LOGICALINTERFACE, parse_logint, nullptr},
    {KW_CONNECTIONS, parse_connections, nullptr},
    {KW_CONNECTIONTYPE, parse_connectiontypes, nullptr},
    {KW_LOGICAL_PATH, parse_logicalconnection, nullptr},
    {0, nullptr, nullptr},
};

const block_entry customer_blocks[] = {
    {KW_CUSTOMER_TYPE, parse_customertype, nullptr},
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
    register_section("TOPOLOGY", parsetopologysec);
    register_section("CUSTOMER", parsecustomersec);
    return true;
}();

}  // namespace
