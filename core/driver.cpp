// The run state and the run and section driver: section headers, the binding
// of a run to its network, and the block loop of every section.
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "database.h"
#include "lookup.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"
#include "tokenizer.h"
#include "topology.h"
#include "validations.h"

char g_errormsg[kMsgSize];
int g_error;
int g_prevtokentype;
char g_prevtoken[kTokenSize];
int outputindex = 1;
OCILobLocator **g_outputlob;

int networkid = 1;
int overwrite, overwritedata, g_createversion, createfile;
int g_topologyparsed, g_customerparsed, g_routingparsed, g_firewallparsed, g_qosparsed;
int g_newnetwork;
int g_topologymodified;
int policeuniquenumber, matchuniquenumber, policynumber, g_connectionno;
section_header g_section;
char oldnetworkname[kNetworkNameSize];

void setmsg(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    va_end(ap);
}

void logmsg(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    va_end(ap);
    addtooutput();
}

void InitialiseGlobalData() {
    g_errormsg[0] = '\0';
    g_error = 0;
    g_prevtokentype = 0;
    Line = 1;
    outputindex = 1;
    networkid = 1;
    overwrite = overwritedata = g_createversion = createfile = 0;
    g_topologyparsed = g_customerparsed = g_routingparsed = g_firewallparsed = g_qosparsed = 0;
    g_newnetwork = 0;
    g_topologymodified = 0;
    g_loaderror = 0;
    g_tablename[0] = '\0';
    policeuniquenumber = matchuniquenumber = policynumber = g_connectionno = 0;
    // Nothing an index held in an earlier run of the library may answer now.
    lookup::resync_indexes();
}

void *Malloc(size_t count) { return std::malloc(count < 16 ? 16 : count); }

int inet_pton4(const char *src, unsigned char *dst) {
    unsigned char octets[4] = {0, 0, 0, 0};
    int started = 0;
    bool saw_digit = false;
    for (; *src; ++src) {
        char c = *src;
        if (c >= '0' && c <= '9') {
            if (!saw_digit) {
                if (++started > 4) return 0;
                saw_digit = true;
            }
            unsigned value = octets[started - 1] * 10u + static_cast<unsigned>(c - '0');
            if (value > 255) return 0;
            octets[started - 1] = static_cast<unsigned char>(value);
        } else if (c == '.' && saw_digit && started < 4) {
            saw_digit = false;
        } else {
            return 0;
        }
    }
    if (started < 4 || !saw_digit) return 0;
    std::memcpy(dst, octets, 4);
    return 1;
}

namespace {

// ---- binding a run to its network ----

// Runs a one-row integer query on stmthp1: its status (success or no data),
// or -1 after the failure was reported.
int query_int(const char *sql, int *value) {
    OCIStmtPrepare(stmthp1, errhp, reinterpret_cast<const text *>(sql),
                   static_cast<ub4>(std::strlen(sql)), OCI_NTV_SYNTAX, OCI_DEFAULT);
    sword status = OCIDefineByPos(stmthp1, &defnp, errhp, 1, value, 4, SQLT_INT, nullptr, nullptr,
                                  nullptr, OCI_DEFAULT);
    if (status != OCI_SUCCESS) {
        checkerr(errhp, status);
        cleanup();
        return -1;
    }
    status = OCIStmtExecute(svchp, stmthp1, errhp, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    if (status != OCI_SUCCESS && status != OCI_NO_DATA) {
        checkerr(errhp, status);
        cleanup();
        return -1;
    }
    return status;
}

// ---- sections ----

using block_parser = int (*)(FILE *, FILE *, const char *);

struct block_entry {
    int kind;
    block_parser parse;  // null while the block's parser is not built
    const char *arg;     // protocol or list kind handed to the parser
};

struct section_def {
    int *flag;
    const block_entry *blocks;
    int (*start_check)();  // 0 refuses the section (message logged)
    int (*closing)();      // at the end of the file and at the next header
};

// The block parsers join these tables as they are built. Stand-in until
// then: a block keyword without its parser reads as an invalid block type.
const block_entry topology_blocks[] = {
    {KW_NETWORK, parse_network, nullptr},             // parse_network
    {KW_LISTDEFS, parse_listdefs, nullptr},           // parse_listdefs
    {KW_INTERFACE_BANDWIDTH_LIST, nullptr, nullptr},  // parse_intbandwidthlist
    {KW_NETWORKVARS, parse_networkvars, nullptr},     // parse_networkvars
    {KW_SERVICE_TYPE, nullptr, nullptr},              // parse_servicetypes
    {KW_POOL_TYPE, nullptr, nullptr},                 // parse_pooltypes
    {KW_POOL_CLASS, nullptr, nullptr},                // parse_poolclass
    {KW_DOMAIN, parse_domains, nullptr},              // parse_domains
    {KW_NODES, parse_nodes, nullptr},                 // parse_nodes
    {KW_ADDRESSPOOL, parse_addresspools, nullptr},    // parse_addresspools
    {KW_CONNECTIONS, nullptr, nullptr},               // parse_connections
    {KW_LOGICALINTERFACE, nullptr, nullptr},          // parse_logint
    {KW_CONNECTIONTYPE, nullptr, nullptr},            // parse_connectiontypes
    {KW_SYSTEMLIST, parse_systemlist, nullptr},       // parse_systemlist
    {KW_LOGICAL_PATH, nullptr, nullptr},              // parse_logicalconnection
    {KW_GLOBALLISTS, nullptr, nullptr},               // parse_globallists
    {0, nullptr, nullptr},
};

const block_entry customer_blocks[] = {
    {KW_CUSTOMER_TYPE, nullptr, nullptr},  // parse_customertype
    {0, nullptr, nullptr},
};

const block_entry routing_blocks[] = {
    {KW_ROUTING_STATIC, nullptr, nullptr},     // parse_staticroute
    {KW_ROUTING_OSPF, nullptr, nullptr},       // parse_ospf
    {KW_ROUTING_BGP, nullptr, nullptr},        // parse_bgp
    {KW_ROUTING_EIGRP, nullptr, "EIGRP"},      // parse_eigrp
    {KW_ROUTING_IGRP, nullptr, "IGRP"},        // parse_eigrp
    {KW_ROUTING_RIP, nullptr, nullptr},        // parse_rip
    {KW_COMMUNITYLIST, nullptr, "COMMUNITY"},  // parse_asncommlist
    {KW_ASNLIST, nullptr, "ASN"},              // parse_asncommlist
    {KW_ROUTEMAP, nullptr, nullptr},           // parse_routemap
    {KW_ACCESSLIST, nullptr, nullptr},         // parse_accesslist
    {KW_PREFIXLIST, nullptr, nullptr},         // parse_prefixlist
    {KW_MAP_CLASS, nullptr, nullptr},          // parse_domainmapclass
    {KW_ROUTING_PIM, nullptr, nullptr},        // parse_pim
    {KW_ROUTING_MSDP, nullptr, nullptr},       // parse_msdp
    {KW_ROUTING_IGMP, nullptr, nullptr},       // parse_igmp
    {KW_ROUTING_DVMRP, nullptr, nullptr},      // parse_dvmrp
    {KW_VRF, nullptr, nullptr},                // parse_vrf
    {KW_MPLS, nullptr, "MPLS"},                // parse_protocolblock
    {KW_LDP, nullptr, "LDP"},                  // parse_protocolblock
    {KW_RSPVP, nullptr, "RSVP"},               // parse_protocolblock
    {KW_TAGSWITCHING, nullptr, "TAGSWITCHING"},  // parse_protocolblock
    {0, nullptr, nullptr},
};

const block_entry firewall_blocks[] = {
    {KW_ACCESSLIST, nullptr, nullptr},  // parse_accesslist
    {0, nullptr, nullptr},
};

const block_entry qos_blocks[] = {
    {KW_QOSMATCHRULES, nullptr, nullptr},          // parse_qosmatchrules
    {KW_QOSMARKRULES, nullptr, nullptr},           // parse_qosmarkrules
    {KW_QOSPOLICERULES, nullptr, nullptr},         // parse_qospolicerules
    {KW_QOSSHAPERULES, nullptr, nullptr},          // parse_qosshaperules
    {KW_QOSDROPRULES, nullptr, nullptr},           // parse_qosdroprules
    {KW_QOSPOLICY, nullptr, nullptr},              // parse_qospolicy
    {KW_ACCESSLIST, nullptr, nullptr},             // parse_accesslist
    {KW_QOS_SERVICE_ENROLLVAR, nullptr, nullptr},  // parse_serviceenrollvar
    {0, nullptr, nullptr},
};

int refuse_second(int parsed, const char *fmt) {
    if (!parsed) return 1;
    logmsg(fmt, Line);
    return 0;
}

int customer_start() {
    if (!refuse_second(g_customerparsed, "Error: Multiple customer sections :  @ %d\n")) return 0;
    g_customerparsed = 1;
    if (g_firewallparsed || g_routingparsed || g_qosparsed) {
        logmsg("Error: Customer section has to be parsed before parsing (firewall, routing or qos) "
               "sections :  @ %d\n",
               Line);
        return 0;
    }
    return 1;
}
int routing_start() { return refuse_second(g_routingparsed, "Error: Multiple routing sections :  @ %d\n"); }
int firewall_start() { return refuse_second(g_firewallparsed, "Error: Multiple firewall sections :  @ %d\n"); }
int qos_start() { return refuse_second(g_qosparsed, "Error: Multiple qos sections :  @ %d\n"); }

int topology_closing() {
    validateuser_vars();
    if (!overwritedata && !g_error) return NDL_validateTopology() ? 1 : 0;
    return 1;
}
int customer_closing() {
    validatecustuser_vars();
    if (!overwritedata && !g_error) return NDL_validateCustomer() ? 1 : 0;
    return 1;
}
int routing_closing() {
    validate_filters();
    return 1;
}
int firewall_closing() { return 1; }
int qos_closing() { return validate_custpolicies() ? 1 : 0; }

const section_def topology_def{&g_topologyparsed, topology_blocks, nullptr, topology_closing};
const section_def customer_def{&g_customerparsed, customer_blocks, customer_start, customer_closing};
const section_def routing_def{&g_routingparsed, routing_blocks, routing_start, routing_closing};
const section_def firewall_def{&g_firewallparsed, firewall_blocks, firewall_start, firewall_closing};
const section_def qos_def{&g_qosparsed, qos_blocks, qos_start, qos_closing};

// The NETWORK block must name the network of its section header.
bool network_matches_header() {
    return prnetwork && std::strcmp(prnetwork->networkname, g_section.networkname) == 0;
}

int run_section(FILE *fp, FILE *loadfp, const section_def &def) {
    token_entry *buckets[kBuckets];
    hash_init(majortokens, buckets);
    if (def.start_check && !def.start_check()) {
        g_error = 1;
        g_prevtokentype = 0;
        return 1;
    }
    *def.flag = 1;

    char token[kTokenSize];
    int at_header = 0;
    for (;;) {
        int kind = KW_NETWORKNAME;
        if (!at_header) kind = get_token(fp, token, buckets);
        at_header = 0;
        if (kind == TOKEN_EOF) return def.closing();
        if (kind == KW_NETWORKNAME) {
            if (!def.closing()) return 0;
            return parse(fp, loadfp, 0) ? 1 : 0;
        }
        const block_entry *block = def.blocks;
        while (block->kind && block->kind != kind) ++block;
        int failed = 1;
        if (block->kind && block->parse) {
            failed = block->parse(fp, loadfp, block->arg);
            if (!failed && kind == KW_NETWORK && !network_matches_header()) {
                logmsg("ERROR:Network name does not match with the section header\n");
                g_error = 1;
                keep_error_token(KW_NETWORK, token);
                return 1;
            }
        } else {
            logmsg("Error: Invalid block type : %s @ %d\n", token, Line);
            g_error = 1;
            keep_error_token(kind, token);
        }
        if (failed && !skip_block(fp, loadfp, &at_header)) return 0;
    }
}

bool is_section_name(const char *name) {
    for (const value_table *row = sectionnames; (*row)[0]; ++row)
        if (std::strcmp(*row, name) == 0) return true;
    return false;
}

}  // namespace

int parsetopologysec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, topology_def); }
int parsecustomersec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, customer_def); }
int parseroutingsec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, routing_def); }
int parsefirewallsec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, firewall_def); }
int parseqossec(FILE *fp, FILE *loadfp) { return run_section(fp, loadfp, qos_def); }

int skip_block(FILE *fp, FILE * /*loadfp*/, int *found) {
    token_entry *buckets[kBuckets];
    hash_init(mainsectiontokens, buckets);
    *found = 0;
    int kind = g_prevtokentype;
    char token[kTokenSize];
    converttocap(token, g_prevtoken, sizeof token);
    for (;;) {
        if (kind == TOKEN_EOF) {
            logmsg("Exiting due to errors \n");
            return 0;
        }
        if (kind == KW_NETWORKNAME) {
            *found = 1;
            return 1;
        }
        if (std::strcmp(token, "END") == 0) return 1;
        kind = get_token(fp, token, buckets);
        converttocap(token, token, sizeof token);
    }
}

int parse_section(FILE *fp, FILE * /*loadfp*/) {
    token_entry *buckets[kBuckets];
    hash_init(mainsectiontokens, buckets);
    char token[kTokenSize];

    auto fail = [](const char *fmt, const char *text) {
        if (text) logmsg(fmt, text, Line);
        else logmsg(fmt, Line);
        g_error = 1;
        return 0;
    };

    if (get_token(fp, token, buckets) != TOKEN_EQUAL)
        return fail("Error: Invalid syntax '=' expected : %s @ %d\n", token);
    // The name also goes between quotes in the network lookup: it must fit
    // the name buffer whole.
    if (get_token(fp, token, buckets) != TOKEN_WORD || std::strlen(token) >= kNetworkNameSize)
        return fail("ERROR: Invalid syntax, network name expected: '%s' @ %d\n", token);
    // NETWORKS keeps 30 characters: a longer name would never be found again
    // and every reload would make another network of it.
    if (std::strlen(token) >= sizeof(network_rec::networkname))
        return fail("ERROR: token size exceeds datbase field size :  '%s' @ %d\n", token);
    converttocap(g_section.networkname, token, sizeof g_section.networkname);
    get_token(fp, token, buckets);
    if (std::strcmp(token, ",") != 0) return fail("ERROR: Invalid syntax ',' expected: @ %d\n", nullptr);
    int kind = get_token(fp, token, buckets);
    converttocap(token, token, sizeof token);
    if (kind != TOKEN_ATTRIBUTE || std::strcmp(token, "SECTION") != 0)
        return fail("ERROR: Invalid syntax, start the file with NETWORKNAME and SECTION definition: @ %d\n",
                    nullptr);
    if (get_token(fp, token, buckets) != TOKEN_EQUAL)
        return fail("Error: Invalid syntax '=' expected : %s @ %d\n", token);
    if (get_token(fp, token, buckets) != TOKEN_WORD)
        return fail("ERROR: Invalid syntax, section name expected: '%s' @ %d\n", token);
    converttocap(token, token, sizeof token);
    if (!is_section_name(token)) return fail("ERROR: Invalid section name given: '%s' @ %d\n", token);
    std::snprintf(g_section.sectionname, sizeof g_section.sectionname, "%s", token);
    return 1;
}

int set_networkid(const char *name) {
    char quoted[2 * kNetworkNameSize];
    char sql[3 * kNetworkNameSize];
    if (!sql_quote(quoted, sizeof quoted, name)) return -1;
    std::snprintf(sql, sizeof sql, "SELECT networkid FROM networks WHERE networkname='%s'", quoted);
    int value = 1;
    int status = query_int(sql, &value);
    if (status < 0) return -1;
    bool topology = std::strcmp(g_section.sectionname, "TOPOLOGY") == 0;
    if (status == OCI_NO_DATA) {
        g_newnetwork = 1;
        if (!topology) {
            logmsg("The network is not defined. \nPlease load the topology section for network:%s\n", name);
            g_error = 1;
            return 0;
        }
        int highest = 0;
        if (query_int("SELECT NVL(MAX(networkid), 0) FROM networks", &highest) < 0) {
            g_error = 1;
            return -1;
        }
        networkid = highest + 1;
        return 1;
    }
    if (!overwrite && !overwritedata && topology) {
        logmsg("Network data already exists. Please use the createversion/updateversion/initializedata "
               "option\n");
        g_error = 1;
        return 1;
    }
    networkid = value;
    return 1;
}

int parse(FILE *fp, FILE *loadfp, int fileno) {
    token_entry *buckets[kBuckets];
    hash_init(mainsectiontokens, buckets);
    char token[kTokenSize];
    if (fileno > 0 && get_token(fp, token, buckets) != KW_NETWORKNAME) {
        logmsg("ERROR: Invalid syntax, start the file with NETWORKNAME and SECTION definition: @ %d\n", Line);
        return 0;
    }
    if (!parse_section(fp, loadfp)) return 0;

    if (fileno == 1) {
        if (set_networkid(g_section.networkname) < 1) return 0;
        if (load_policyversion() < 1) return 0;
        if (retrieve_data() < 1) return 0;
        std::snprintf(oldnetworkname, sizeof oldnetworkname, "%s", g_section.networkname);
    } else if (std::strcmp(g_section.networkname, oldnetworkname) != 0) {
        logmsg("Network name does not match with previous sections.Section:%s\n", g_section.sectionname);
        return 0;
    }

    clear_structures(g_section.sectionname);
    filter_accesslists();

    const char *section = g_section.sectionname;
    int ok = 0;
    if (std::strcmp(section, "TOPOLOGY") == 0) {
        if (fileno != 1) {
            logmsg("Error:TOPOLOGY section has to be defined first\n");
            return 0;
        }
        ok = parsetopologysec(fp, loadfp);
    } else if (std::strcmp(section, "ROUTING") == 0) {
        ok = parseroutingsec(fp, loadfp);
    } else if (std::strcmp(section, "FIREWALL") == 0) {
        ok = parsefirewallsec(fp, loadfp);
    } else if (std::strcmp(section, "QOS") == 0) {
        ok = parseqossec(fp, loadfp);
    } else if (std::strcmp(section, "CUSTOMER") == 0) {
        ok = parsecustomersec(fp, loadfp);
    }
    return ok ? 1 : 0;
}
