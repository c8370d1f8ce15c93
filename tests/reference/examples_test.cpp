// The reference's example files (docs/examples): one per section, in the
// loader's section order, together holding every block kind the loader
// reads, and each loading onto the ones before it through the extproc
// program into a fresh repository, without an error or a warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

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
    ProgramRun load(const std::string &files) {
        return run_program(std::string(NDL_BIN_DIR) + "/extproc",
                           {"--repository", db, "parse", "--dir", kExamples, "--files", files});
    }
};

TEST_F(DocExamples, OneFilePerSectionInSectionOrderHoldingEveryBlockKind) {
    std::vector<std::string> names = example_files();
    int sections = 0;
    while (section_name(sections)) ++sections;
    ASSERT_EQ(static_cast<int>(names.size()), sections);
    for (int i = 0; i < sections; ++i) {
        const char *section = section_name(i);
        SCOPED_TRACE(names[i]);
        std::string text = read_text(kExamples + "/" + names[i]);
        EXPECT_NE(text.find("NETWORKNAME = LABNET, SECTION = " + std::string(section) + "\n"), std::string::npos);
        std::set<std::string> words = first_words(text);
        const section_def *def = registered_section(section);
        ASSERT_TRUE(def && def->blocks) << section;
        for (const block_entry *b = def->blocks; b->kind; ++b) {
            const char *keyword = b->keyword;
            ASSERT_NE(keyword, nullptr) << "block kind " << b->kind;
            EXPECT_TRUE(words.count(keyword)) << "no " << keyword << " block";
        }
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

TEST_F(DocExamples, LoadTogetherInOneRunAndAgainWithUpdateversion) {
    std::string all;
    for (const std::string &name : example_files()) all += (all.empty() ? "" : ",") + name;
    expect_clean(load(all), "one run");
    ProgramRun again = run_program(std::string(NDL_BIN_DIR) + "/extproc",
                                   {"--repository", db, "parse", "--dir", kExamples, "--files", all, "--mode",
                                    "updateversion"});
    expect_clean(again, "updateversion");
}

}  // namespace
