// NETWORK, NETWORKVARS, LISTDEFS and SYSTEMLIST loaded end to end: through
// the host into a fresh repository, checked with SQL, read back and written
// again unchanged; the invalid twins report every error with its line and
// leave the repository as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "repo_test.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = NDL_TEST_DATA "/topology";
const char *kTables[] = {"networks", "networkvars", "listvalues", "systemlistvalues"};

class NetworkLoad : public RepoTest {
protected:
    int run(const std::string &files, const std::string &mode = "") { return parse(kData, files, mode).ret; }
    // Every row of a table, one line each, in a stable order.
    std::string table_rows(const std::string &table) {
        std::string out;
        for (const std::string &row : dump_rows(table, "ORDER BY 1,2,3")) out += row + "\n";
        return out;
    }
    std::string all_tables() {
        std::string out;
        for (const char *t : kTables) out += std::string("[") + t + "]\n" + table_rows(t);
        return out;
    }
    void expect_logged(const std::string &message) {
        EXPECT_NE(log.find(message + "<br>"), std::string::npos) << message << "\nin:\n" << log;
    }
};

TEST_F(NetworkLoad, ValidBlocksBecomeRows) {
    ASSERT_EQ(run("network_valid.ndl"), 0) << log;
    EXPECT_EQ(table_rows("networks"),
              "1|LAB|Lab Networks|1 Main St. 'North'|Porto|PT|lab.example|ext.lab.example|ALL\n");
    EXPECT_EQ(table_rows("networkvars"),
              "1|1|ASN|NUMBER|65000\n"
              "1|2|DNSSERVER|STRING|10.0.0.53\n"
              "1|3|SPEED|STATIC-LIST|100\n");
    EXPECT_EQ(table_rows("listvalues"),
              "1|Colours|green\n1|Colours|red\n1|Speeds|10\n1|Speeds|100\n1|Speeds|1000\n");
    EXPECT_EQ(table_rows("systemlistvalues"),
              "1|BANDWIDTH|E1|2048\n1|BANDWIDTH|T1|1544\n1|CHECKSUM|On|YES\n");
}

TEST_F(NetworkLoad, StoredRowsReadBackAndWriteAgainUnchanged) {
    ASSERT_EQ(run("network_valid.ndl"), 0) << log;
    const std::string first = all_tables();
    // Another section only: the stored topology is read and written back.
    std::ofstream(dir + "/customer.ndl") << "NETWORKNAME = LAB, SECTION = CUSTOMER\n";
    extproc::Session s(db);
    ASSERT_TRUE(s.ok());
    extproc::CallResult r = s.call("cfgproc", "NDL_parsefile", {dir, "customer.ndl", ""});
    ASSERT_EQ(r.ret, 0) << (r.out("log") ? r.out("log")->value : "");
    EXPECT_EQ(all_tables(), first);
    // The same file again as an update of the stored network.
    ASSERT_EQ(run("network_valid.ndl", "updateversion"), 0) << log;
    EXPECT_EQ(all_tables(), first);
}

TEST_F(NetworkLoad, NetworkErrorsAreFlaggedWithTheirLines) {
    EXPECT_EQ(run("network_errors.ndl"), 2);
    expect_logged("ERROR: token size exceeds datbase field size :  'An organization whose name is far longer than "
                  "the eighty characters that fit here' @ 3\n");
    expect_logged("ERROR: Duplicate token: 'ADDRESS' @ 4\n");
    expect_logged("ERROR: Mandatory variable 'CITY' not given in NETWORK block : @ 2\n");
    expect_logged("ERROR: Multiple Network blocks @ 7 \n");
    expect_logged("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n");
    EXPECT_EQ(all_tables(), "[networks]\n[networkvars]\n[listvalues]\n[systemlistvalues]\n");

    EXPECT_EQ(run("network_syntax.ndl"), 2);
    expect_logged("ERROR : Invalid syntax specify value within quoted string: ACME @ 4\n");  // read with its newline
}

TEST_F(NetworkLoad, VariableAndListErrorsInOnePass) {
    EXPECT_EQ(run("vars_errors.ndl"), 2);
    expect_logged("ERROR : Invalid value for NUMBER attribute. Must be a number : 65000 @6\n");
    expect_logged("ERROR : Invalid value for MINVALUE attribute. Must be a number : 99999999999 @7\n");
    expect_logged("ERROR : Syntax error . A value is expected for type RANGE @7\n");
    expect_logged("ERROR Duplicate definition of network variable : ASN @7\n");
    expect_logged("ERROR : Syntax error . Please specify a valid list name: Nolist @8\n");
    expect_logged("ERROR: Give TYPE before DEFAULTVALUE,VALUE or LISTNAME fields : @ 11\n");
    expect_logged("ERROR: Wrong value for DERIVED-VAR: @ 14\n");

    EXPECT_EQ(run("lists_errors.ndl"), 2);
    expect_logged("ERROR : Duplicate element value for list :Speeds 10  @ 3\n");
    expect_logged("ERROR :Invalid format for list attribute : 1 2 @4\n");
    expect_logged("ERROR: list 'SPEED' is not a system defined list: @ 6\n");
    expect_logged("ERROR: Duplicate variable 'A' in the System list SPEED @ 8 \n");
    expect_logged("ERROR: System list already exists SPEED @ 10 \n");
    expect_logged("ERROR : Syntax error ','  expected :VALUE @11\n");
    EXPECT_EQ(all_tables(), "[networks]\n[networkvars]\n[listvalues]\n[systemlistvalues]\n");
}

TEST_F(NetworkLoad, CutOffFileKeepsTheStoredRows) {
    ASSERT_EQ(run("network_valid.ndl"), 0) << log;
    const std::string stored = all_tables();
    EXPECT_EQ(run("network_cutoff.ndl", "updateversion"), 2);
    // Where a definition or END is expected.
    expect_logged("ERROR : Invalid Input :  @8 -2\n");
    EXPECT_EQ(all_tables(), stored);
}

// Names, files and bytes as a designer's editor leaves them.
TEST_F(NetworkLoad, HeaderNamesCrLfFilesAndNulBytes) {
    auto load = [&](const std::string &text, const std::string &mode = "") {
        std::ofstream(dir + "/t.ndl", std::ios::binary) << text;
        return parse(dir, "t.ndl", mode).ret;
    };
    // A name NETWORKS cannot keep is refused at the header, every time.
    const std::string long_name(31, 'N');
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(load("NETWORKNAME = " + long_name + ", SECTION = TOPOLOGY\n"), 2);
        expect_logged("ERROR: token size exceeds datbase field size :  '" + long_name + "' @ 1\n");
    }
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), std::vector<std::string>{"0"});
    const std::string name(30, 'N');
    ASSERT_EQ(load("NETWORKNAME = " + name + ", SECTION = TOPOLOGY\n"), 0) << log;
    EXPECT_EQ(rows("SELECT networkname FROM networks"), std::vector<std::string>{name});

    // CR LF line ends, a quoted value across two of them.
    ASSERT_EQ(load("NETWORKNAME = CRLF, SECTION = TOPOLOGY\r\n"
                   "NETWORK CRLF BEGIN\r\n  ORGANIZATION = \"Two\r\nLines\"\r\n  ADDRESS = \"1 Main St.\"\r\n"
                   "  CITY = \"Porto\" COUNTRY = \"PT\"\r\n  NETWORKZONENAME = \"z\" EXPORTEDZONENAME = \"e\"\r\nEND\r\n"),
              0)
        << log;
    EXPECT_EQ(rows("SELECT organization || '|' || city FROM networks WHERE networkname = 'CRLF'"),
              std::vector<std::string>{"TwoLines|Porto"});

    // A NUL byte inside a quoted value: refused with its line, nothing stored.
    std::string text = "NETWORKNAME = NUL, SECTION = TOPOLOGY\nNETWORK NUL BEGIN\n  ORGANIZATION = \"O@K\"\nEND\n";
    text[text.find('@')] = '\0';
    EXPECT_EQ(load(text), 2);
    expect_logged("ERROR : quoted string contains a NUL byte : O @ 3\n");
    EXPECT_EQ(rows("SELECT count(*) FROM networks WHERE networkname = 'NUL'"), std::vector<std::string>{"0"});
}

}  // namespace
