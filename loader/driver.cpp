// The run and section driver: section headers, the binding of a run to its
// network, the lists a section rebuilds, and the block loop of every
// section. The run state it drives is the core's (runstate.cpp).
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "driver.h"

#include "block.h"
#include "database.h"
#include "lookup.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"
#include "tokenizer.h"
#include "sections.h"
#include "validations.h"

void InitialiseGlobalData() {
    g_errormsg[0] = '\0';
    g_error = 0;
    g_prevtokentype = 0;
    Line = 1;
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

namespace {

// ---- binding a run to its network ----

// Runs a one-row integer query on stmthp1: its status (success or no data),
// or -1 after the failure was reported.
int query_int(const char *sql, int *value) {
    // A prepare that failed (out of memory) is reported as itself, not as
    // the define that follows it.
    sword status = OCIStmtPrepare(stmthp1, errhp, reinterpret_cast<const text *>(sql),
                                  static_cast<ub4>(std::strlen(sql)), OCI_NTV_SYNTAX, OCI_DEFAULT);
    if (status == OCI_SUCCESS)
        status = OCIDefineByPos(stmthp1, &defnp, errhp, 1, value, 4, SQLT_INT, nullptr, nullptr, nullptr,
                                OCI_DEFAULT);
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

// Empties the lists that the named section rebuilds.
void clear_structures(const char *section) {
    bool all = overwritedata != 0;
    if (std::strcmp(section, "TOPOLOGY") == 0) {
        releasememory(all ? "ALL" : "TOPOLOGY");
    } else if (std::strcmp(section, "CUSTOMER") == 0) {
        if (all)
            for (const char *group : {"ROUTING", "FIREWALL", "QOS", "ACCESSLIST"}) releasememory(group);
        releasememory("CUSTOMER");
    } else if (std::strcmp(section, "ROUTING") == 0 || std::strcmp(section, "QOS") == 0) {
        releasememory(section);
    }
    // FIREWALL: its queue lists are built by no block, only carried forward
    // from the stored rows; releasing them would lose them for good. Its
    // access lists are replaced by the access-list filter.
}

// ---- sections ----

struct registration {
    section_dispatcher dispatcher;
    const section_def *def;
};

// A row per section, by its place in kSectionNames. Constant-initialised:
// the registration objects, which run before main in any order, find it
// ready.
registration registered[kSections] = {};

// The driver's part of each section: its flag and its order rules.
struct section_frame {
    int *flag;
    int (*start_check)();  // 0 refuses the section (message logged)
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

// In the order of kSectionNames.
const section_frame frames[] = {
    {&g_topologyparsed, nullptr},
    {&g_customerparsed, customer_start},
    {&g_routingparsed, routing_start},
    {&g_firewallparsed, firewall_start},
    {&g_qosparsed, qos_start},
};
static_assert(std::size(frames) == kSections, "a frame for every section");

// The lookup of a section no library offers blocks for: the frame's
// keywords only.
struct frame_table {
    token_entry tokens[std::size(kFrameKeywords) + 1] = {};
    token_entry *buckets[kBuckets] = {};
    constexpr frame_table() {
        for (size_t i = 0; i < std::size(kFrameKeywords); ++i)
            tokens[i] = token_entry{kFrameKeywords[i].name, 0, 0, 0, kFrameKeywords[i].kind, 0, 0, nullptr};
        hash_init(tokens, buckets);
    }
};
constinit frame_table frame_lookup;

// The place of a section in kSectionNames, or -1.
int section_index(const char *name) {
    for (int i = 0; i < kSections; ++i)
        if (std::strcmp(kSectionNames[i], name) == 0) return i;
    return -1;
}

bool is_section_name(const char *name) {
    for (const value_table *row = sectionnames; (*row)[0]; ++row)
        if (std::strcmp(*row, name) == 0) return true;
    return false;
}

}  // namespace

void register_section(section_slot section, section_dispatcher dispatcher, const section_def *def) {
    registered[section.index] = {dispatcher, def};
}

const char *section_name(int i) { return i >= 0 && i < kSections ? kSectionNames[i] : nullptr; }

const section_def *registered_section(const char *name) {
    int i = section_index(name);
    return i < 0 ? nullptr : registered[i].def;
}

int run_section(FILE *fp, FILE *loadfp, const section_def &def) {
    token_entry **buckets = def.keywords ? def.keywords : frame_lookup.buckets;
    const section_frame *frame = &frames[section_index(def.name)];
    if (frame->start_check && !frame->start_check()) {
        g_error = 1;
        g_prevtokentype = 0;
        return 1;
    }
    *frame->flag = 1;
    auto closing = [&def] { return def.closing ? def.closing() : 1; };

    char token[kTokenSize];
    int at_header = 0;
    for (;;) {
        int kind = KW_NETWORKNAME;
        if (!at_header) kind = get_token(fp, token, buckets);
        at_header = 0;
        // A word cut by the end of the file (no line end after it) comes
        // with the end: it is the start of a block the file lost, never a
        // quiet end of the section. A comment there is only a comment.
        bool cut_word = kind == TOKEN_EOF && token[0] && std::strncmp(token, "--", 2) != 0;
        if (kind == TOKEN_EOF && !cut_word) return closing();
        if (kind == KW_NETWORKNAME) {
            if (!closing()) return 0;
            return parse(fp, loadfp, 0) ? 1 : 0;
        }
        const block_entry *block = def.blocks;
        while (block && block->kind && block->kind != kind) ++block;
        int failed = 1;
        if (block && block->kind) {
            failed = run_block(block->parse, fp, loadfp, block->arg);
            if (!failed && block->after && block->after(kind, token)) return 1;
        } else {
            logmsg("Error: Invalid block type : %s @ %d\n", token, Line);
            g_error = 1;
            keep_error_token(kind, token);
        }
        if (failed && !skip_block(fp, loadfp, &at_header)) return 0;
    }
}

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
    if (std::strlen(token) >= decltype(network_rec::networkname)::capacity)
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
    if (std::strcmp(section, "TOPOLOGY") == 0 && fileno != 1) {
        logmsg("Error:TOPOLOGY section has to be defined first\n");
        return 0;
    }
    // The section's own dispatcher, or the bare frame while no library
    // offers its blocks.
    if (int i = section_index(section); i >= 0 && registered[i].dispatcher)
        return registered[i].dispatcher(fp, loadfp) ? 1 : 0;
    return run_section(fp, loadfp, section_def{section}) ? 1 : 0;
}
