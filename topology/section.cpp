// The TOPOLOGY and CUSTOMER sections: their dispatchers, block rows and
// closing steps. A block row is all there is of a block keyword: its text,
// its kind, its parser and its keys.
#include <cstring>

#include "database.h"
#include "driver.h"
#include "records_topology.h"
#include "sections.h"
#include "topology_blocks.h"
#include "validations.h"

namespace {

// The NETWORK block must name the network of its section header; else the
// section ends at once.
int network_matches_header(int kind, const char *token) {
    if (prnetwork && std::strcmp(prnetwork->networkname, g_section.networkname) == 0) return 0;
    logmsg("ERROR:Network name does not match with the section header\n");
    g_error = 1;
    keep_error_token(kind, token);
    return 1;
}

constinit block_table_of topology_blocks{{
    {"NETWORK", 8, parse_network, nullptr, network_keys, network_matches_header},
    {"LISTDEFS", 47, parse_listdefs, nullptr, listdefs_keys},
    {"NETWORKVARS", 42, parse_networkvars, nullptr, networkvars_keys},
    {"DOMAIN", 9, parse_domains, nullptr, domain_keys},
    {"NODES", 10, parse_nodes, nullptr, nodes_keys},
    {"ADDRESSPOOL", 11, parse_addresspools, nullptr, addresspool_keys},
    {"SYSTEMLIST", 55, parse_systemlist, nullptr, systemlist_keys},
    {"GLOBALLISTS", 70, parse_globallists, nullptr, globallists_keys},
    {"INTERFACE-BANDWIDTH-LIST", 64, parse_intbandwidthlist, nullptr, intbandwidthlist_keys},
    {"SERVICE-TYPE", 43, parse_servicetypes, nullptr, servicetypes_keys},
    {"POOL-CLASS", 57, parse_poolclass, nullptr, poolclass_keys},
    {"POOL-TYPE", 44, parse_pooltypes, nullptr, pooltypes_keys},
    {"LOGICALINTERFACE", 12, parse_logint, nullptr, logint_keys},
    {"CONNECTIONS", 13, parse_connections, nullptr, connections_keys},
    {"CONNECTIONTYPE", 14, parse_connectiontypes, nullptr, connectiontypes_keys},
    {"LOGICAL-PATH", 59, parse_logicalconnection, nullptr, logicalpath_keys},
}};

constinit block_table_of customer_blocks{{
    {"CUSTOMER-TYPE", 45, parse_customertype, nullptr, customertype_keys},
}};

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

const section_def topology_section{"TOPOLOGY", topology_blocks, topology_closing};
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
