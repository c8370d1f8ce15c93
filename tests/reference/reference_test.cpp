// The reference against the loader: the keywords it marks mandatory in a
// NETWORK block are those a load asks for, one after another, in its order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "repo_test.h"
#include "run_program.h"

namespace {

struct keyword_row {
    std::string name, mandatory, value;
};

// The rows of the table under a heading ("### BLOCK", "#### BLOCK › ENTRY")
// up to the next heading.
std::vector<keyword_row> table_rows(const std::string &reference, const std::string &heading) {
    std::vector<keyword_row> rows;
    size_t at = reference.find("\n" + heading + "\n");
    if (at == std::string::npos) return rows;
    std::istringstream in(reference.substr(at + 1));
    std::string line;
    std::getline(in, line);  // the heading
    while (std::getline(in, line) && line.rfind("#", 0) != 0) {
        if (line.rfind("| `", 0) != 0) continue;
        std::vector<std::string> cells;
        std::istringstream cols(line.substr(1));
        for (std::string cell; std::getline(cols, cell, '|');) {
            size_t from = cell.find_first_not_of(" `"), to = cell.find_last_not_of(" `");
            cells.push_back(from == std::string::npos ? "" : cell.substr(from, to - from + 1));
        }
        if (cells.size() < 3) continue;
        rows.push_back({cells[0], cells[1], cells[2]});
    }
    return rows;
}

// The table under `heading` has a row for `keyword`.
bool has_row(const std::string &reference, const std::string &heading, const std::string &keyword) {
    for (const keyword_row &row : table_rows(reference, heading))
        if (row.name == keyword) return true;
    return false;
}

class Reference : public RepoTest {
protected:
    std::string reference() {
        ProgramRun run = run_program(NDL_REFERENCE_TOOL, {});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
};

TEST_F(Reference, NetworkAsksForItsMandatoryKeywordsInTheReferencesOrder) {
    std::vector<keyword_row> rows = table_rows(reference(), "### NETWORK");
    std::vector<keyword_row> mandatory;
    for (const keyword_row &row : rows)
        if (row.mandatory.rfind("yes", 0) == 0) mandatory.push_back(row);
    ASSERT_FALSE(mandatory.empty()) << "no mandatory NETWORK keyword in the reference";

    // Each file gives the keywords before the k-th: the load names the k-th.
    for (size_t k = 0; k <= mandatory.size(); ++k) {
        std::string text = "NETWORKNAME = LAB, SECTION = TOPOLOGY\nNETWORK LAB BEGIN\n";
        for (size_t i = 0; i < k; ++i)
            text += "  " + mandatory[i].name + " = " + (mandatory[i].value == "quoted text" ? "\"v\"" : "v") + "\n";
        write_file("network.ndl", text + "END\n");
        int ret = parse(dir, "network.ndl").ret;
        if (k < mandatory.size()) {
            EXPECT_NE(log.find("ERROR: Mandatory variable '" + mandatory[k].name + "' not given in NETWORK block"),
                      std::string::npos)
                << "with " << k << " keywords:\n" << log;
        } else {
            EXPECT_EQ(ret, 0) << log;
            EXPECT_EQ(log.find("not given"), std::string::npos) << log;
        }
    }
}

// Every section the driver knows has its heading, in the driver's order,
// and every block keyword of the README's list has its own.
TEST_F(Reference, ListsEverySectionInOrder) {
    std::string text = reference();
    size_t at = 0;
    for (const char *section : {"TOPOLOGY", "CUSTOMER", "ROUTING", "FIREWALL", "QOS"}) {
        size_t next = text.find("\n## " + std::string(section) + "\n", at);
        ASSERT_NE(next, std::string::npos) << section;
        at = next;
    }
    for (const char *block : {"NETWORK", "CUSTOMER-TYPE", "ROUTING-BGP", "ACCESSLIST", "QOSPOLICY"})
        EXPECT_NE(text.find("\n### " + std::string(block) + "\n"), std::string::npos) << block;
}

// An entry that a keyword's own code reads (not the attribute loop) is
// listed with its keywords, as the loop's entries are.
TEST_F(Reference, ListsTheEntriesThatKeywordsReadThemselves) {
    std::vector<keyword_row> rows = table_rows(reference(), "#### ACCESSLIST › DESCRIPTION");
    bool acltype = false;
    for (const keyword_row &row : rows) acltype |= row.name == "ACL-TYPE" && row.mandatory == "yes";
    EXPECT_TRUE(acltype) << "ACCESSLIST's DESCRIPTION entry without its mandatory ACL-TYPE";
}

// The QoS rule blocks read their lists with tables of their own; the
// reference names each list under the keyword that opens it, and what a
// drop rule's list may be followed by.
TEST_F(Reference, QosBlocksListTheirOwnLists) {
    std::string text = reference();
    const std::pair<const char *, const char *> lists[] = {
        {"#### QOSMARKRULES › DESCRIPTION", "VALUE"},
        {"#### QOSPOLICERULES › DESCRIPTION", "EXCEEDACTION"},
        {"#### QOSSHAPERULES › DESCRIPTION", "BITRATETYPE"},
        {"#### QOSDROPRULES › DESCRIPTION", "DROPSUBRULE"},
        {"#### QOSDROPRULES › DESCRIPTION › DROPSUBRULE", "PARAM1"},
        {"#### QOSPOLICY › DESCRIPTION", "QUEUEGROUPNAME"},
        {"#### QOSPOLICY › CLASS", "FAIRQUEUECOUNT"},
        {"#### QOSPOLICY › ACCESSLIST", "FORMAT"},
    };
    for (const auto &[heading, keyword] : lists)
        EXPECT_TRUE(has_row(text, heading, keyword)) << heading << " without " << keyword;
    EXPECT_EQ(text.find("Read by the parser of QOSMARKRULES"), std::string::npos);
}

// The TOPOLOGY and CUSTOMER blocks read their groups with tables of their
// own; each group is named under the keyword (or word) that opens it, with
// a keyword of its table where it has one.
TEST_F(Reference, TopologyBlocksListTheirOwnLists) {
    std::string text = reference();
    const std::pair<const char *, const char *> lists[] = {
        {"#### LOGICALINTERFACE › IPADDRESS", "ADDRESSTYPE"},
        {"#### LOGICALINTERFACE › DEPENDENCY", "MINVALUE"},
        {"#### LOGICALINTERFACE › SELECTIONMETHOD", "POOLOWNER"},
        {"#### LOGICALINTERFACE › INSTANCEID", nullptr},
        {"#### CONNECTIONTYPE › MEMBER", "MINCONN"},
        {"#### CONNECTIONTYPE › INTERFACETYPES", "SUBINTERFACE"},
        {"#### CONNECTIONTYPE › HSRP", "TRACKPRIORITY"},
        {"#### CONNECTIONTYPE › APS", "MODE"},
        {"#### CONNECTIONTYPE › VARIABLE", nullptr},
        {"#### LOGICAL-PATH › MEMBER", "MEMBERTYPE"},
        {"#### LOGICAL-PATH › MEMBERFILTER", nullptr},
        {"#### POOL-TYPE › POOLTYPEMAP", "COMMUNICATION-TYPE"},
        {"#### NODES › *word*", nullptr},
        {"#### GLOBALLISTS › *word*", nullptr},
        {"#### CUSTOMER-TYPE › CONNECTION", "INTERFACETYPE"},
    };
    for (const auto &[heading, keyword] : lists) {
        EXPECT_NE(text.find("\n" + std::string(heading) + "\n"), std::string::npos) << heading;
        if (keyword) {
            EXPECT_TRUE(has_row(text, heading, keyword)) << heading << " without " << keyword;
        }
    }
}

// The part of the reference from `heading` to the next heading of its
// level or above.
std::string part(const std::string &text, const std::string &heading) {
    size_t at = text.find("\n" + heading + "\n");
    if (at == std::string::npos) return "";
    std::string level = heading.substr(0, heading.find(' ') + 1);
    size_t end = at + heading.size() + 2;
    for (;;) {
        end = text.find("\n#", end);
        if (end == std::string::npos) break;
        size_t hashes = text.find(' ', end + 1) - end - 1;
        if (hashes <= level.size() - 1) break;
        ++end;
    }
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The index of messages is made from the sources: a message that none of
// its families explains stops the reference, one that a family explains
// is listed under it with what gives it; the messages that name the wrong
// thing say what they mean.
TEST_F(Reference, IndexesEveryLoggedMessage) {
    namespace fs = std::filesystem;
    const fs::path source = NDL_SOURCE_TREE, tree = fs::path(dir) / "tree";
    fs::create_directories(tree / "core");
    for (const fs::directory_entry &e : fs::directory_iterator(source))
        if (e.is_directory() && e.path().filename() != "core" && e.path().filename().string()[0] != '.')
            fs::create_directory_symlink(e.path(), tree / e.path().filename());
    for (const fs::directory_entry &e : fs::directory_iterator(source / "core"))
        fs::create_symlink(e.path(), tree / "core" / e.path().filename());
    auto with_message = [&](const std::string &text) {
        std::ofstream(tree / "core" / "added.cpp") << "// A new check.\nvoid added() { logmsg(\"" << text
                                                  << " @ %d\\n\", Line); }\n";
        return run_program(NDL_REFERENCE_TOOL, {"--root", tree.string()});
    };
    ProgramRun unknown = with_message("ERROR: Zebra crossing at the junction");
    EXPECT_NE(unknown.status, 0);
    EXPECT_NE(unknown.err.find("a message without an entry in tools/ndlref/messages.txt: ERROR: Zebra crossing"),
              std::string::npos)
        << unknown.err;
    ProgramRun known = with_message("ERROR: Mandatory zebra not given");
    ASSERT_EQ(known.status, 0) << known.err;
    std::string missing = part(known.out, "### A mandatory keyword or part is missing");
    EXPECT_NE(missing.find("| `ERROR: Mandatory zebra not given @ %d` | `core/added.cpp` |"), std::string::npos)
        << missing.substr(0, 2000);
    // A repeat, or a name not defined, needs a cause of its own: a
    // uniqueness row of its block, or a line of its family.
    for (const char *own : {"ERROR: Duplicate zebra", "ERROR: Zebra not defined"}) {
        ProgramRun bare = with_message(own);
        EXPECT_NE(bare.status, 0) << own;
        EXPECT_NE(bare.err.find(std::string("messages without a cause of their own")), std::string::npos) << bare.err;
        EXPECT_NE(bare.err.find(own), std::string::npos) << bare.err;
    }
    ProgramRun domain = with_message("ERROR: Domain undefined for the zebra");
    ASSERT_EQ(domain.status, 0) << domain.err;
    EXPECT_NE(domain.out.find("| `ERROR: Domain undefined for the zebra @ %d` | `core/added.cpp` | A domain that no "
                              "[DOMAIN](#domain) block defined before it |"),
              std::string::npos);

    std::string text = reference();
    std::string queues = part(text, "### Two QoS policies with one queue group");
    EXPECT_NE(queues.find("QUEUEGROUPNAME"), std::string::npos) << queues;
    EXPECT_NE(queues.find("`Error: duplicate QOSPOLICY description: '%s' @ %d`"), std::string::npos) << queues;
    std::string connvar = part(text, "### A connection variable that the loader defines itself");
    EXPECT_NE(connvar.find("LINKID"), std::string::npos) << connvar;
    EXPECT_NE(connvar.find("**What it means:**"), std::string::npos) << connvar;
    // A repeat's message points to the uniqueness row it breaks.
    std::string twice = part(text, "### Something defined twice");
    EXPECT_NE(twice.find("| `ERROR : Duplicate definition of domain: %s @%d` | DOMAIN | Its name again, within the "
                         "network (the domains loaded and stored): the uniqueness of "
                         "[DOMAIN](#domain-what-must-be-unique) |"),
              std::string::npos)
        << twice.substr(0, 3000);
    EXPECT_NE(text.find("\n#### DOMAIN: what must be unique\n"), std::string::npos);
}

// The picture of what comes before what joins the blocks that the examples
// need, within a section and across sections.
TEST_F(Reference, PicturesWhatIsDefinedBeforeWhat) {
    std::string picture = part(reference(), "## What is defined before what");
    EXPECT_NE(picture.find("```mermaid\nflowchart LR\n"), std::string::npos) << picture;
    for (const char *edge : {"TOPOLOGY_DOMAIN --> TOPOLOGY_NODES", "TOPOLOGY_NODES --> ROUTING_ROUTING_OSPF",
                             "TOPOLOGY_SERVICE_TYPE --> CUSTOMER_CUSTOMER_TYPE", "TOPOLOGY_NODES --> QOS_QOSPOLICY"})
        EXPECT_NE(picture.find(edge), std::string::npos) << edge << "\n" << picture;
}

// The reference's table of changes to a stored topology, change by change:
// each loads onto a fresh store of the example files as the table says.
TEST_F(Reference, StoredTopologyChangesDoWhatTheReferenceSays) {
    namespace fs = std::filesystem;
    const std::string examples = std::string(NDL_SOURCE_TREE) + "/docs/examples";
    std::ifstream in(examples + "/1-topology.ndl");
    std::stringstream topology;
    topology << in.rdbuf();
    fs::copy_file(examples + "/2-customer.ndl", dir + "/2-customer.ndl");
    auto changed = [&](const std::string &from, const std::string &to, bool with_customer) {
        std::string text = topology.str();
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        write_file("changed.ndl", text.replace(at, from.size(), to));
        renew_repository();
        extproc::Session fresh(db);
        EXPECT_EQ(parse(examples, "1-topology.ndl,2-customer.ndl").ret, 0) << log;
        return parse(dir, with_customer ? "changed.ndl,2-customer.ndl" : "changed.ndl", "updateversion").ret;
    };
    auto silent = [&](const std::string &what) {
        EXPECT_EQ(log.find("WARNING"), std::string::npos) << what << log;
        EXPECT_EQ(log.find("ERROR"), std::string::npos) << what << log;
    };
    EXPECT_EQ(changed("MINVALUE = 1 , MAXVALUE = 50 )\nEND", "MINVALUE = 1 , MAXVALUE = 20 )\nEND", false), 0) << log;
    silent("a narrowed NODEID range");
    EXPECT_EQ(changed("TYPE = NUMBER , VALUE = 65010 )", "TYPE = NUMBER , VALUE = 65011 )", false), 0) << log;
    silent("a NETWORKVARS value");
    EXPECT_EQ(changed("NODES SOUTH.CPE BEGIN\n",
                      "NODES SOUTH.CPE BEGIN\n  VARIABLE = ( NAME = EXTRA , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n",
                      false),
              0)
        << log;
    silent("an added node variable");
    const std::string warning = "WARNING:Connection 'PE-CPE'  is modified/deleted.";
    EXPECT_NE(changed("TYPE = POINT-TO-POINT", "TYPE = BROADCAST", false), 0) << log;
    EXPECT_NE(log.find(warning), std::string::npos) << log;
    EXPECT_NE(log.find("ERROR: Entried in topology section seems to be modified or deleted"), std::string::npos) << log;
    EXPECT_EQ(changed("TYPE = POINT-TO-POINT", "TYPE = BROADCAST", true), 0) << log;
    EXPECT_NE(log.find(warning), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
}

// What the index says of a match rule of another USAGE: logged as an
// ERROR, and the load goes on and stores.
TEST_F(Reference, AMatchRuleOfAnotherUsageIsLoggedAndTheLoadGoesOn) {
    const std::string examples = std::string(NDL_SOURCE_TREE) + "/docs/examples";
    ASSERT_EQ(parse(examples, "1-topology.ndl,2-customer.ndl").ret, 0) << log;
    write_file("qos.ndl",
               "NETWORKNAME = LABNET, SECTION = QOS\n"
               "QOSMATCHRULES NORTH.PE BEGIN\n"
               "  DESCRIPTION = ( NAME = VOICE , USAGE = CLASS )\n"
               "  MATCH # 1 = ( TYPE = \"ip dscp\" , VALUE = \"ef\" )\n"
               "END\n"
               "QOSPOLICY NORTH.PE M BEGIN\n"
               "  DESCRIPTION = ( NAME = PE-CUSTOMER-IN , OWNER = \"NORTH\" , QUEUEGROUPNAME = PE-CUSTOMER ,\n"
               "                  DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = PRIORITY )\n"
               "  CLASS # 1 = ( NAME = VOICE , MATCHRULENAME = VOICE )\n"
               "END\n");
    EXPECT_EQ(parse(dir, "qos.ndl").ret, 0) << log;
    EXPECT_NE(log.find("ERROR: Wrong USAGE for referred MATCHRULE 'VOICE' : @ 9"), std::string::npos) << log;
    std::string family = part(reference(), "### A match rule of another USAGE");
    EXPECT_NE(family.find("the load goes on"), std::string::npos) << family;
    EXPECT_NE(family.find("PRIORITYQUEUE"), std::string::npos) << family;
}

}  // namespace
