// Whole load runs: NDL_parsefile of libcfgproc.so called through the host as
// the database calls it, on files under tests/data/core and on files made
// here. Checks the log's exact text, the return code and the repository.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "repo_test.h"
#include "oci.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = NDL_TEST_DATA "/core";

struct Outcome {
    int ret = -1;
    std::string log;
    const extproc::OutValue *message = nullptr;
    extproc::CallResult result;
};

std::string file_line(const std::string &path) { return "\n --- FILE:  " + path + " --- \n<br>"; }

const std::string kGlobal = "<left>---- Global Validations ----</left><br>";
const std::string kLoaded = "files  successfully loaded \n<br>";
const std::string kExit = "EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n<br>";

class Load : public RepoTest {
protected:

    Outcome run(const std::string &repository, const std::string &files, const std::string &mode = "") {
        Outcome r;
        extproc::Session s(db);
        EXPECT_TRUE(s.ok()) << s.error();
        if (before_call) before_call();
        r.result = s.call("cfgproc", "NDL_parsefile", {repository, files, mode});
        EXPECT_TRUE(r.result.called) << r.result.error;
        r.ret = r.result.ret;
        if (const extproc::OutValue *log = r.result.out("log")) r.log = log->value;
        r.message = r.result.out("message");
        return r;
    }

    int count(const std::string &query) {
        std::vector<std::string> r = rows(query);
        return r.empty() ? -1 : std::stoi(r.front());
    }
    // The stored network row: its text columns are read without NVL, so
    // they hold empty texts, as the writer leaves them.
    // The network as topo.ndl describes it: its TOPOLOGY section changes nothing stored.
    void store_lab1() { sql("INSERT INTO networks ("
        "networkid, networkname, organization, address, city, country, networkzonename, "
        "exportedzonename, securitygroup"
        ") VALUES (1, 'LAB1', 'Lab', '1 Main St', 'Porto', 'PT', 'lab.example', 'ext.lab.example', 'ALL')"); }

    std::string write(const std::string &name, const std::string &text, const std::string &in = "") {
        std::string path = (in.empty() ? dir : in) + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
    std::string in_data(const std::string &name) const { return kData + "\\" + name; }

    std::function<void()> before_call;  // runs after the logon, right before the call
};

// ---- the file list ----

TEST_F(Load, EmptyFileListParsesAndWritesNothing) {
    store_lab1();
    for (const char *files : {"", ",,,"}) {
        Outcome r = run(kData, files);
        EXPECT_EQ(r.ret, 0) << files;
        EXPECT_EQ(r.log, kGlobal + kLoaded) << files;
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM networks WHERE networkname = 'LAB1'"), 1);
}

TEST_F(Load, TenFilesAreOpenedAnEleventhIsRefused) {
    std::vector<std::string> names;
    for (int i = 1; i <= 11; ++i) names.push_back("f" + std::to_string(i) + ".ndl");
    write("f1.ndl", "NETWORKNAME = NEW, SECTION = TOPOLOGY\n");
    for (int i = 2; i <= 10; ++i) write(names[i - 1], "NETWORKNAME = NEW, SECTION = ROUTING\n");
    std::string ten, eleven;
    for (int i = 0; i < 11; ++i) (i < 10 ? ten : eleven) += names[i] + ",";
    eleven = ten + names[10];  // the eleventh does not even exist

    int fds = open_fds();
    Outcome r = run(dir, eleven);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, "ERROR: Number of input files exceeded limit, maximum of MAXINPFILES files can be given\n<br>");
    EXPECT_EQ(open_fds(), fds);
    ASSERT_NE(r.message, nullptr);
    EXPECT_TRUE(r.message->null);  // file-list refusals leave the indicator alone

    r = run(dir, ten);
    EXPECT_EQ(r.ret, 2);  // the third file repeats the ROUTING section
    EXPECT_EQ(r.log.rfind(file_line(dir + "\\f1.ndl"), 0), 0u);
    EXPECT_NE(r.log.find("Error: Multiple routing sections :  @ 2\n<br>"), std::string::npos);
    EXPECT_EQ(r.log.find("f4.ndl"), std::string::npos);
    EXPECT_EQ(open_fds(), fds);
    ASSERT_NE(r.message, nullptr);
    EXPECT_FALSE(r.message->null);
    EXPECT_EQ(r.message->value, "");
}

TEST_F(Load, RepositoryAndPathLimits) {
    Outcome r = run(std::string(500, 'r'), "a.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, "ERROR: Repository length exceeded maximum limit of 500 characters \n<br>");

    std::string repo499(499, 'r');
    r = run(repo499, "a.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, "ERROR: ERROR: Repository + file length exceeded maximum limit of 500 characters: '" + repo499 +
                         "' , 'a.ndl' \n<br>");

    // A real folder whose path, joined with a name, just fits or just fails.
    std::string deep = dir;
    while (deep.size() < 440) deep += "/" + std::string(std::min<size_t>(60, 440 - deep.size() - 1), 'd');
    fs::create_directories(deep);
    ASSERT_EQ(deep.size(), 440u);
    std::string fits(59, 'n'), fails(60, 'n');
    write(fits, "NETWORKNAME = DEEP, SECTION = TOPOLOGY\n", deep);
    write(fails, "NETWORKNAME = DEEP, SECTION = TOPOLOGY\n", deep);
    r = run(deep, fits);
    EXPECT_EQ(r.ret, 0) << r.log;
    EXPECT_EQ(r.log, file_line(deep + "\\" + fits) + kGlobal + kLoaded);
    r = run(deep, fails);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log.rfind("ERROR: ERROR: Repository + file length exceeded", 0), 0u);
}

TEST_F(Load, BlankAfterCommaBelongsToTheName) {
    write("a.ndl", "NETWORKNAME = NEW, SECTION = TOPOLOGY\nNETWORK NEW BEGIN ORGANIZATION = \"Lab\" ADDRESS = \"1 Main St\" CITY = \"Porto\" COUNTRY = \"PT\" NETWORKZONENAME = \"lab.example\" EXPORTEDZONENAME = \"ext.lab.example\" END\n");
    write(" b.ndl", "NETWORKNAME = NEW, SECTION = ROUTING\n");
    Outcome r = run(dir, "a.ndl, b.ndl");
    EXPECT_EQ(r.ret, 0) << r.log;
    EXPECT_EQ(r.log, file_line(dir + "\\a.ndl") + file_line(dir + "\\ b.ndl") + kGlobal + kLoaded);

    // Without a repository the names are used as given.
    std::string cwd = fs::current_path();
    fs::current_path(dir);
    r = run("", "a.ndl", "updateversion");  // the first run stored the network
    fs::current_path(cwd);
    EXPECT_EQ(r.log, file_line("a.ndl") + kGlobal + kLoaded);
}

TEST_F(Load, MissingThirdFileStopsBeforeParsing) {
    int fds = open_fds();
    Outcome r = run(kData, "topo.ndl,routing.ndl,missing.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, "ERROR: File cannot be opened for parsing: " + in_data("missing.ndl") + " \n<br>");
    EXPECT_EQ(open_fds(), fds);
}

TEST_F(Load, ErrorInSecondFileEndsTheRun) {
    Outcome r = run(kData, "topo.ndl,routing_blocks.ndl,no_header.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + file_line(in_data("routing_blocks.ndl")) +
                         "Error: Invalid block type : FOO @ 3\n<br>"
                         "Error: Invalid block type : CUSTOM-QUEUE @ 4\n<br>" +
                         kExit);
    EXPECT_EQ(count("SELECT COUNT(*) FROM networks"), 0);
}

// ---- files as editors save them ----

TEST_F(Load, AUtf8MarkIsSkippedWideTextRefused) {
    Outcome r = run(kData, "topo_bom.ndl,routing.ndl");
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.log, file_line(in_data("topo_bom.ndl")) + file_line(in_data("routing.ndl")) + kGlobal + kLoaded);
    EXPECT_EQ(count("SELECT COUNT(*) FROM networks"), 1);
    // Lines are numbered as without the mark.
    r = run(kData, "topo.ndl,routing_blocks_bom.ndl", "updateversion");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + file_line(in_data("routing_blocks_bom.ndl")) +
                         "Error: Invalid block type : FOO @ 3\n<br>"
                         "Error: Invalid block type : CUSTOM-QUEUE @ 4\n<br>" +
                         kExit);
    // Refused before anything is parsed, with or without a mark, whatever
    // letters the first line holds.
    const std::pair<const char *, const char *> wide[] = {
        {"topo_utf16le.ndl", "UTF-16"}, {"topo_utf16be.ndl", "UTF-16"}, {"topo_utf16le_cyrillic.ndl", "UTF-16"},
        {"topo_utf16be_accented.ndl", "UTF-16"}, {"topo_utf32le.ndl", "UTF-32"}, {"topo_utf32be_bom.ndl", "UTF-32"}};
    for (auto [file, encoding] : wide) {
        r = run(kData, std::string("topo.ndl,") + file, "updateversion");
        EXPECT_EQ(r.ret, 2);
        EXPECT_EQ(r.log, std::string("ERROR: File is ") + encoding +
                             " text, save it as 8-bit text (UTF-8 or ASCII) and parse it again: " + in_data(file) +
                             " \n<br>");
    }
}

// UTF-16 is told by its first bytes, not by its first line: an 8-bit file
// whose first line holds NULs (blanks to the tokenizer) loads, and a UTF-16
// file without a mark is refused whatever its first line holds.
TEST_F(Load, Utf16IsToldByTheFirstBytesNotTheFirstLine) {
    std::ifstream in(kData + "/topo.ndl", std::ios::binary);
    const std::string topo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string &first : {std::string("\0\0\n", 3), std::string("\0\r\n", 3), std::string(256, '\0'),
                                     std::string(256, '\0') + "\n", std::string("\0 \0 \n", 5)}) {
        write("nuls.ndl", first + topo);
        Outcome r = run(dir, "nuls.ndl");
        EXPECT_EQ(r.ret, 0) << first.size();
        EXPECT_EQ(r.log, file_line(dir + "\\nuls.ndl") + kGlobal + kLoaded) << first.size();
        sql("DELETE FROM networks");
    }
    auto utf16 = [](const std::string &text, bool little) {
        std::string out;
        for (char c : text) out += little ? std::string{c, '\0'} : std::string{'\0', c};
        return out;
    };
    for (const char *first : {"\n", "\r\n", "   \n", "-- a comment\n", ""})
        for (bool little : {true, false}) {
            write("wide.ndl", utf16(first + topo, little));
            Outcome r = run(dir, "wide.ndl");
            EXPECT_EQ(r.ret, 2) << first << little;
            EXPECT_EQ(r.log, "ERROR: File is UTF-16 text, save it as 8-bit text (UTF-8 or ASCII) and parse it again: " +
                                 dir + "\\wide.ndl \n<br>")
                << first << little;
        }
}

// ---- modes and the binding to a network ----

TEST_F(Load, NewNetworkOnlyWithTopology) {
    Outcome r = run(kData, "routing.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("routing.ndl")) +
                         "The network is not defined. \nPlease load the topology section for network:LAB1\n<br>" +
                         kExit);
    r = run(kData, "topo.ndl,routing.ndl");
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + file_line(in_data("routing.ndl")) + kGlobal + kLoaded);
}

TEST_F(Load, StoredNetworkNeedsAModeForTopology) {
    store_lab1();
    const std::string refused =
        "Network data already exists. Please use the createversion/updateversion/initializedata option\n<br>";
    for (const char *mode : {"", "create", "plain"}) {
        Outcome r = run(kData, "topo.ndl", mode);
        EXPECT_EQ(r.ret, 2) << mode;
        EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + refused + kExit) << mode;
    }
    for (const char *mode : {"CreateVersion", "UPDATEVERSION", "updateVersion"}) {
        Outcome r = run(kData, "topo.ndl,routing.ndl", mode);
        EXPECT_EQ(r.ret, 0) << mode;
        EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + file_line(in_data("routing.ndl")) + kGlobal + kLoaded)
            << mode;
    }
    Outcome r = run(kData, "topo.ndl", "InitializeData");
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + kGlobal +
                         "<B>\n \nWARNING: Parsed with initialize data option, removed all older versions of rules. "
                         "\n</B><br>"
                         "<B>WARNING: Parsed with initialize data option, following sections are deleted and should "
                         "be parsed again: ' CUSTOMER FIREWALL ROUTING QOS' \n\n</B><br>" +
                         kLoaded);
    // A stored network takes other sections in any mode.
    r = run(kData, "routing.ndl,customer_then_qos.ndl");
    EXPECT_EQ(r.ret, 2);  // CUSTOMER after ROUTING
    EXPECT_NE(r.log.find("Error: Customer section has to be parsed before parsing (firewall, routing or qos) "
                         "sections :  @ 2\n<br>"),
              std::string::npos);
    r = run(kData, "customer_then_qos.ndl,routing.ndl", "initializedata");
    EXPECT_EQ(r.ret, 0);
    EXPECT_NE(r.log.find("be parsed again: ' FIREWALL' \n\n</B><br>"), std::string::npos);
}

TEST_F(Load, QuotesInTheNetworkNameBindNothing) {
    store_lab1();
    Outcome r = run(kData, "injection.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("injection.ndl")) +
                         "The network is not defined. \nPlease load the topology section for network:X'OR'A'<'B\n<br>" +
                         kExit);
}

TEST_F(Load, SectionsMustNameOneNetwork) {
    Outcome r = run(kData, "topo.ndl,other_network.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + file_line(in_data("other_network.ndl")) +
                         "Network name does not match with previous sections.Section:ROUTING\n<br>" + kExit);
    r = run(kData, "two_networks.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("two_networks.ndl")) +
                         "Network name does not match with previous sections.Section:CUSTOMER\n<br>" + kExit);
}

// ---- section order and headers ----

TEST_F(Load, SectionOrder) {
    store_lab1();
    struct Case {
        const char *file;
        int ret;
        const char *message;
    } cases[] = {
        {"two_routing.ndl", 2, "Error: Multiple routing sections :  @ 3\n<br>"},
        {"qos_then_customer.ndl", 2,
         "Error: Customer section has to be parsed before parsing (firewall, routing or qos) sections :  @ 3\n<br>"},
        {"customer_then_qos.ndl", 0, ""},
        {"topology_late.ndl", 2, "Error:TOPOLOGY section has to be defined first\n<br>"},
        {"topo.ndl,topo.ndl", 2, "Error:TOPOLOGY section has to be defined first\n<br>"},
    };
    for (const Case &c : cases) {
        Outcome r = run(kData, c.file, "updateversion");
        EXPECT_EQ(r.ret, c.ret) << c.file << "\n" << r.log;
        if (c.ret == 0) {
            EXPECT_EQ(r.log.substr(r.log.size() - kLoaded.size()), kLoaded) << c.file;
        } else {
            EXPECT_EQ(r.log.substr(r.log.size() - kExit.size()), kExit) << c.file;
            EXPECT_NE(r.log.find(c.message), std::string::npos) << c.file << "\n" << r.log;
        }
    }
}

TEST_F(Load, HeaderSyntax) {
    store_lab1();
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {"DOMAIN core BEGIN\n",
         "ERROR: Invalid syntax, start the file with NETWORKNAME and SECTION definition: @ 1\n<br>"},
        {"", "ERROR: Invalid syntax, start the file with NETWORKNAME and SECTION definition: @ 1\n<br>"},
        {"NETWORKNAME LAB1, SECTION = ROUTING\n", "Error: Invalid syntax '=' expected : LAB1 @ 1\n<br>"},
        {"NETWORKNAME = 1234, SECTION = ROUTING\n", "ERROR: Invalid syntax, network name expected: '1234' @ 1\n<br>"},
        {"NETWORKNAME = " + std::string(100, 'N') + ", SECTION = ROUTING\n",
         "ERROR: Invalid syntax, network name expected: '" + std::string(100, 'N') + "' @ 1\n<br>"},
        {"NETWORKNAME = LAB1 SECTION = ROUTING\n", "ERROR: Invalid syntax ',' expected: @ 1\n<br>"},
        {"NETWORKNAME = LAB1, PART = ROUTING\n",
         "ERROR: Invalid syntax, start the file with NETWORKNAME and SECTION definition: @ 1\n<br>"},
        {"NETWORKNAME = LAB1, SECTION = \"ROUTING\"\n",
         "ERROR: Invalid syntax, section name expected: 'ROUTING' @ 1\n<br>"},
        {"NETWORKNAME = LAB1, SECTION = POLICY\n", "ERROR: Invalid section name given: 'POLICY' @ 2\n<br>"},
    };
    for (const Case &c : cases) {
        write("h.ndl", c.text);
        Outcome r = run(dir, "h.ndl");
        EXPECT_EQ(r.ret, 2) << c.text;
        EXPECT_EQ(r.log, file_line(dir + "\\h.ndl") + c.message + kExit) << c.text;
    }
    // Lower-case headers name the same network and section; and the failed
    // runs before (the last one stopped at a "," that it had read ahead)
    // leave nothing behind for this one.
    write("h.ndl", "networkname = lab1 , section = routing\n");
    Outcome r = run(dir, "h.ndl");
    EXPECT_EQ(r.ret, 0) << r.log;
}

TEST_F(Load, NetworkBlockMustNameTheHeadersNetwork) {
    const std::string body =
        " BEGIN ORGANIZATION = \"o\" ADDRESS = \"a\" CITY = \"c\" COUNTRY = \"p\"\n"
        "NETWORKZONENAME = \"z\" EXPORTEDZONENAME = \"e\" END\n";
    // The mismatch ends the section at once: FOO is never read.
    write("n.ndl", "NETWORKNAME = LAB1, SECTION = TOPOLOGY\nNETWORK LAB2" + body + "FOO END\n");
    Outcome r = run(dir, "n.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(dir + "\\n.ndl") + "ERROR:Network name does not match with the section header\n<br>" +
                         kExit);
    EXPECT_EQ(count("SELECT COUNT(*) FROM networks"), 0);

    write("n.ndl", "NETWORKNAME = LAB1, SECTION = TOPOLOGY\nNETWORK LAB1" + body);
    r = run(dir, "n.ndl");
    EXPECT_EQ(r.ret, 0) << r.log;
}

TEST_F(Load, BlockErrorsAreSkippedToTheNextEnd) {
    store_lab1();
    Outcome r = run(kData, "truncated_block.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(in_data("truncated_block.ndl")) + "Error: Invalid block type : FOO @ 2\n<br>" +
                         "Exiting due to errors \n<br>" + kExit);

    write("b.ndl",
          "NETWORKNAME = LAB1, SECTION = QOS\n"
          "QOSBOGUS p BEGIN x = \"END\" y END\n"
          "CUSTOM-QUEUE END\n"
          "12 END\n"
          "NETWORKNAME = LAB1, SECTION = FIREWALL\n"
          "ACCESSLIST a\n");
    r = run(dir, "b.ndl");
    EXPECT_EQ(r.ret, 2);
    // A quoted END ends the skip too; each block is reported once.
    EXPECT_EQ(r.log, file_line(dir + "\\b.ndl") + "Error: Invalid block type : QOSBOGUS @ 2\n<br>" +
                         "Error: Invalid block type : y @ 2\n<br>" + "Error: Invalid block type : CUSTOM-QUEUE @ 3\n<br>" +
                         "Error: Invalid block type : 12 @ 4\n<br>" +
                         // The FIREWALL section's ACCESSLIST block ends with the file,
                         // where its "." should be.
                         "ERROR: Domain undefined a \n @7<br>" +
                         "ERROR: '.' expected as a qualifer for node type @ 7\n<br>" +
                         "Exiting due to errors \n<br>" + kExit);
}

TEST_F(Load, AWordCutByTheEndOfTheFileIsALostBlock) {
    store_lab1();
    // Cut inside the keyword of the block that follows a whole one: the
    // stored lists of what was lost must stay.
    const std::string whole = "NETWORKNAME = LAB1, SECTION = FIREWALL\n";
    write("cut.ndl", whole + "ACCESSLIS");
    Outcome r = run(dir, "cut.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log, file_line(dir + "\\cut.ndl") + "Error: Invalid block type : ACCESSLIS @ 2\n<br>" +
                         "Exiting due to errors \n<br>" + kExit);
    // A comment that runs to the end of the file is no block.
    write("comment.ndl", whole + "-- the end");
    r = run(dir, "comment.ndl");
    EXPECT_EQ(r.ret, 0) << r.log;
}

TEST_F(Load, DatabaseFailures) {
    before_call = [] { inject_fault("extprocenv", 1, OCI_ERROR); };
    Outcome r = run(kData, "topo.ndl");
    EXPECT_EQ(r.ret, 2);
    ASSERT_NE(r.message, nullptr);
    EXPECT_FALSE(r.message->null);

    // The network lookup fails: reported, and the run ends after the file.
    before_call = [] { inject_fault("execute", 1, OCI_ERROR); };
    r = run(kData, "topo.ndl");
    EXPECT_EQ(r.ret, 2);
    std::string head = file_line(in_data("topo.ndl")) + "Error  - ";
    EXPECT_EQ(r.log.rfind(head, 0), 0u) << r.log;
    EXPECT_NE(r.log.find("fault injected"), std::string::npos) << r.log;
    EXPECT_EQ(r.log.substr(r.log.size() - kExit.size()), kExit);

    // The second lookup of a new network (its highest id) fails too.
    before_call = [] { inject_fault("execute", 2, OCI_ERROR); };
    r = run(kData, "topo.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.log.rfind(head, 0), 0u) << r.log;
}

// ---- the log ----

TEST_F(Load, FailedLogWriteDoesNotStopTheRun) {
    // The third write is the global-validations line.
    inject_fault("lobwrite", 3, OCI_ERROR);
    Outcome r = run(kData, "topo.ndl");
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.log, file_line(in_data("topo.ndl")) + std::string(kGlobal.size() - 4, ' ') + "<br>" + kLoaded);
}

}  // namespace
