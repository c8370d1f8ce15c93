// The reference's example files (docs/examples): one per section, in the
// loader's section order, each loading onto the ones before it through the
// extproc program into a fresh repository, without an error or a warning.
// Together with the own examples of the blocks they leave out (those beside
// each block's table, which the reference prints), every block kind the
// loader reads loads in one run: a new block needs no line here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "repo_test.h"
#include "run_program.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = NDL_DOC_EXAMPLES;

// The example files, in the order of their names.
std::vector<std::string> example_files() {
    std::vector<std::string> names;
    for (const fs::directory_entry &e : fs::directory_iterator(kExamples))
        if (e.path().extension() == ".ndl") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The first word of every line that is not a comment, upper-cased.
std::set<std::string> first_words(const std::string &text) {
    std::set<std::string> words;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream cols(line);
        std::string word;
        if (!(cols >> word) || word.rfind("--", 0) == 0) continue;
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
        words.insert(word);
    }
    return words;
}

// What a log says that a clean load must not.
void expect_clean(const ProgramRun &run, const std::string &what) {
    EXPECT_EQ(run.status, 0) << what << "\n" << run.out << run.err;
    for (const char *mark : {"ERROR", "Error", "WARNING"})
        EXPECT_EQ(run.out.find(mark), std::string::npos) << what << " logs " << mark << ":\n" << run.out;
    EXPECT_NE(run.out.find("files  successfully loaded"), std::string::npos) << what << "\n" << run.out;
}

class DocExamples : public RepoTest {
protected:
    ProgramRun load(const std::string &files, const std::string &folder = "", const std::string &mode = "") {
        std::vector<std::string> args{"--repository", db,    "parse",   "--dir",
                                      kExamples + folder, "--files", files};
        if (!mode.empty()) args.insert(args.end(), {"--mode", mode});
        return run_program(std::string(NDL_BIN_DIR) + "/extproc", args);
    }
};

using Rows = std::vector<std::string>;

// The own examples of the blocks of section `i` whose keyword opens no line
// of `text`, each after its `before` and under its own keyword; empty when
// the file shows every block. Fails the test for a block without one.
std::string examples_left_out(int i, const std::string &text) {
    std::set<std::string> words = first_words(text);
    const section_def *def = registered_section(section_name(i));
    std::string more;
    EXPECT_TRUE(def && def->blocks) << section_name(i);
    if (!def || !def->blocks) return more;
    for (const block_entry *b = def->blocks; b->kind; ++b) {
        EXPECT_NE(b->keyword, nullptr) << "block kind " << b->kind;
        if (!b->keyword || words.count(b->keyword)) continue;
        const block_doc *doc = b->keys ? b->keys().doc : nullptr;
        EXPECT_TRUE(doc && doc->example) << "no " << b->keyword << " block, nor an example of its own";
        if (!doc || !doc->example) continue;
        std::string example = doc->example;
        more += std::string("\n") + doc->before + b->keyword + example.substr(example.find_first_of(" \n"));
    }
    return more;
}

TEST_F(DocExamples, OneFilePerSectionInSectionOrder) {
    std::vector<std::string> names = example_files();
    int sections = 0;
    while (section_name(sections)) ++sections;
    ASSERT_EQ(static_cast<int>(names.size()), sections);
    for (int i = 0; i < sections; ++i) {
        SCOPED_TRACE(names[i]);
        std::string text = read_text(kExamples + "/" + names[i]);
        EXPECT_NE(text.find("NETWORKNAME = LABNET, SECTION = " + std::string(section_name(i)) + "\n"),
                  std::string::npos);
        examples_left_out(i, text);
    }
}

TEST_F(DocExamples, EachLoadsOntoTheOnesBeforeIt) {
    for (const std::string &name : example_files()) expect_clean(load(name), name);

    EXPECT_EQ(rows("SELECT networkname, organization FROM networks"),
              std::vector<std::string>{"LABNET|Lab Networks"});
    EXPECT_EQ(rows("SELECT domainname || '.' || nodetype FROM domainnodes ORDER BY 1"),
              (std::vector<std::string>{"NORTH.PE", "SOUTH.CPE"}));
    EXPECT_EQ(rows("SELECT conntypename, servicetype FROM custconntypes ORDER BY 1"),
              (std::vector<std::string>{"BUSINESS|DIA", "VPNSITE|VPN"}));
    // A protocol of every protocol block, each once; RSPVP is stored as RSVP.
    EXPECT_EQ(rows("SELECT protocol FROM domainprotocols ORDER BY 1"),
              (std::vector<std::string>{"BGP", "DVMRP", "EIGRP", "IGMP", "IGRP", "LDP", "MPLS", "MSDP", "OSPF", "PIM",
                                        "RIP", "RSVP", "TAGSWITCHING"}));
    EXPECT_EQ(rows("SELECT aclname FROM domainaccesslist WHERE aclname <> ' ' ORDER BY 1"),
              (std::vector<std::string>{"CORE-IN", "CRITICAL-APPS", "SNMP-MGRS", "VTY-<LOCALVAR(HOSTNAME)>"}));
    // The policy that the customer type BUSINESS names.
    EXPECT_EQ(rows("SELECT p.policyname FROM qospolicyclass p JOIN custconnqospolicy c ON c.policyname = p.policyname"),
              std::vector<std::string>{"PE-CUSTOMER-IN"});
}

// Every block kind: the files, each with the own examples of the blocks it
// leaves out.
TEST_F(DocExamples, EveryBlockKindLoadsTogetherInOneRunAndAgainWithUpdateversion) {
    std::string all;
    std::vector<std::string> names = example_files();
    for (size_t i = 0; i < names.size(); ++i) {
        std::string text = read_text(kExamples + "/" + names[i]);
        write_file(names[i], text + examples_left_out(static_cast<int>(i), text));
        all += (all.empty() ? "" : ",") + names[i];
    }
    for (const char *mode : {"", "updateversion"}) {
        std::vector<std::string> args{"--repository", db, "parse", "--dir", dir, "--files", all};
        if (*mode) args.insert(args.end(), {"--mode", mode});
        expect_clean(run_program(std::string(NDL_BIN_DIR) + "/extproc", args), *mode ? mode : "one run");
    }
}

// The networks of their own, beside the files of LABNET: each loads cleanly
// into a fresh repository, in the order its first file gives.
TEST_F(DocExamples, MulticastCampusLoads) {
    expect_clean(load("1-topology.ndl,2-routing.ndl", "/multicast"), "multicast");
    EXPECT_EQ(rows("SELECT domainname || '.' || nodetype, protocol FROM domainprotocols ORDER BY 1, 2"),
              (Rows{"CAMPUS.BUILDING|IGMP", "CAMPUS.BUILDING|OSPF", "CAMPUS.BUILDING|PIM", "CAMPUS.CORE|MSDP",
                    "CAMPUS.CORE|OSPF", "CAMPUS.CORE|PIM"}));
    EXPECT_EQ(rows("SELECT nodetype, namedinterface, mcastmode, boundaryacl FROM pimmemberclass ORDER BY 1, 2"),
              (Rows{"BUILDING|LOCALINT(INTERFACE.Gi0/0)|sparse-mode|", "BUILDING|LOCALINT(INTERFACE.Vlan10)|sparse-mode|",
                    "CORE|LOCALINT(INTERFACE.Gi1/0)|sparse-mode|SCOPED",
                    "CORE|LOCALINT(INTERFACE.Loopback0)|sparse-mode|"}));
    EXPECT_EQ(rows("SELECT neighbor, meshgroup FROM msdpneighborclass ORDER BY 1"),
              (Rows{"10.0.0.2|CORE-RP", "10.0.0.3|CORE-RP"}));
    EXPECT_EQ(rows("SELECT namedinterface, addrtype, groupaddress FROM igmpintaddrclass"),
              Rows{"LOCALINT(INTERFACE.Vlan10)|JOIN|239.255.255.254"});
}

// Three policy versions: the first stored plainly, two more made with
// createversion, each a whole copy holding the sections it did not load.
TEST_F(DocExamples, VersionedFirewallKeepsThreePolicyVersions) {
    const std::string folder = "/versioned-firewall";
    expect_clean(load("1-topology.ndl,2-policy-v1.ndl", folder), "version 1");
    expect_clean(load("3-policy-v2.ndl", folder, "createversion"), "version 2");
    expect_clean(load("4-policy-v3.ndl", folder, "createversion"), "version 3");
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions ORDER BY 1"), (Rows{"1", "2", "3"}));
    // NO-BOGONS gains a line in version 2; version 3 keeps it.
    EXPECT_EQ(rows("SELECT ndlversion, count(*) FROM domainprefixlist GROUP BY ndlversion ORDER BY 1"),
              (Rows{"1|3", "2|4", "3|4"}));
    EXPECT_EQ(rows("SELECT ndlversion, substring FROM domainfilterlist WHERE type = 'deny' ORDER BY 1"),
              (Rows{"1|_6451[2-9]_", "2|_6451[1-9]_", "3|_6451[1-9]_"}));
    EXPECT_EQ(rows("SELECT DISTINCT ndlversion, routemap FROM domainroutemap ORDER BY 1, 2"),
              (Rows{"1|UPSTREAM-IN", "1|UPSTREAM-OUT", "2|UPSTREAM-IN", "2|UPSTREAM-OUT", "3|UPSTREAM-IN",
                    "3|UPSTREAM-OUT"}));
    EXPECT_EQ(rows("SELECT ndlversion, remoteas FROM domainbgpinfo ORDER BY 1"),
              (Rows{"1|<LOCALVAR(UPSTREAMAS)>", "2|<LOCALVAR(UPSTREAMAS)>", "3|<LOCALVAR(UPSTREAMAS)>"}));
    // The firewall changes in version 3 alone.
    EXPECT_EQ(rows("SELECT ndlversion, count(*) FROM domainacllist GROUP BY ndlversion ORDER BY 1"),
              (Rows{"1|1", "2|1", "3|2"}));
}

// HSRP on the LAN, and a policy of each queue type.
TEST_F(DocExamples, HsrpWithQosOfThreeQueueTypes) {
    expect_clean(load("1-topology.ndl,2-qos.ndl", "/hsrp-qos"), "hsrp-qos");
    EXPECT_EQ(rows("SELECT sequenceno, domainname || '.' || nodetype, trackinterface, trackpriority FROM hsrpmember"),
              Rows{"1|HQ.GW|Gi0/0|20"});
    EXPECT_EQ(rows("SELECT sequenceno, authenticated, hsrppriority FROM hsrpconnections ORDER BY 3"),
              (Rows{"1|1|ACTIVE", "1|1|STANDBY"}));
    EXPECT_EQ(rows("SELECT policyname, queuetype FROM qospolicyclass ORDER BY 1"),
              (Rows{"BACKUP-CQ|CUSTOM", "LAN-PQ|PRIORITY", "WAN-OUT|CLASS-BASED"}));
    // The rule a class's own MATCHRULE builds is of USAGE CLASS, in a
    // PRIORITY policy too.
    EXPECT_EQ(rows("SELECT DISTINCT matchrulename, usage1 FROM qosmatchruleclass ORDER BY 1"),
              (Rows{"2-LAN-PQ-cl-2|CLASS", "BACKUP-CQ|CUSTOMQUEUE", "VOICE|CLASS", "VOICE-PQ|PRIORITYQUEUE"}));
}

}  // namespace
