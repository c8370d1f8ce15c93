// The designer's letters: files saved in Latin-1 or in UTF-8 load and
// reload through extproc and cfgload as processes, the letters stored as
// written (SQLite keeps the file's bytes, a server database its own
// encoding's) and read back as written, so a reload logs on the server what
// it logs on SQLite. On the server, databases in UTF8, LATIN1 and SQL_ASCII
// each keep them; a letter a database cannot hold is refused before
// anything is stored.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "as_letters.h"
#include "repo_test.h"
#include "run_program.h"

namespace fs = std::filesystem;

namespace {

const std::string kExtproc = std::string(NDL_BIN_DIR) + "/extproc";
const std::string kCfgload = std::string(NDL_BIN_DIR) + "/cfgload";
const std::string kData = std::string(NDL_TEST_DATA) + "/letters/";
const char kFiles[] = "network.ndl,customer.ndl,qos.ndl";

// The letters each section's files write, in UTF-8.
const char *const kWritten[] = {
    "Soci\xc3\xa9t\xc3\xa9 R\xc3\xa9seaux Lt\xc3\xa9" "e",
    "1 Rue de l'\xc3\x89glise",
    "S\xc3\xa3o Jo\xc3\xa3o da Madeira",
    "Nom du VRF \xc3\xa9lu",
    "Nom du site (Gr\xc3\xb6\xc3\x9f" "e \xc2\xb1" "5)",
    "Contrat n\xc2\xb0 \xc2\xab" "A\xc2\xbb",
    "D\xc3\xa9" "bit d'acc\xc3\xa8s (kbit/s) \xc2\xbd",
};
const char *const kEncodings[] = {"latin1", "utf8"};

// TEXT (UTF-8) in the bytes a file of ENCODING holds.
std::string in_file(const std::string &text, const std::string &encoding) {
    if (encoding == "utf8") return text;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
            ++i;
        }
    }
    return out;
}

ProgramRun extproc(const std::string &repository, const std::string &folder, const std::string &files,
                   const std::string &mode = "") {
    std::vector<std::string> args{"--repository", repository, "parse", "--dir", folder, "--files", files};
    if (!mode.empty()) args.insert(args.end(), {"--mode", mode});
    return run_program(kExtproc, args);
}

// The log with the files' folder left out: two folders' loads log alike.
std::string without(std::string log, const std::string &folder) {
    for (size_t at; (at = log.find(folder)) != std::string::npos;) log.erase(at, folder.size());
    return log;
}

class Letters : public RepoTest {
protected:
    // cfgload's connection id names a file of the working folder.
    void SetUp() override {
        RepoTest::SetUp();
        home = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override {
        if (!home.empty()) fs::current_path(home);
        for (const std::string &r : made) drop_repository(r);
        RepoTest::TearDown();
    }
    fs::path home;
    // A new database on the test server in ENCODING; gone with the test.
    std::string database_in(const std::string &encoding) {
        using namespace pg_server_detail;
        std::string name = "ndl_letters_" + std::to_string(getpid()) + "_" + std::to_string(made.size());
        pg_run_sql(uri_for("postgres"), "DROP DATABASE IF EXISTS " + quote_ident(name));
        pg_run_sql(uri_for("postgres"), "CREATE DATABASE " + quote_ident(name) + " ENCODING '" + encoding +
                                            "' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0");
        return made.emplace_back(uri_for(name));
    }
    // A new SQLite file of the test's folder.
    std::string file_repository(const std::string &name) { return dir + "/" + name; }

    // Every letter the files write is stored: as letters, and where the
    // repository keeps bytes (SQLite, SQL_ASCII) as the file's own bytes.
    void expect_letters(const std::string &repository, const std::string &encoding, bool bytes, size_t count) {
        std::string dump = repository_dump(repository, true), letters = rows_as_letters(dump);
        for (size_t i = 0; i < count; ++i) {
            EXPECT_NE(letters.find(kWritten[i]), std::string::npos) << kWritten[i];
            if (bytes) {
                EXPECT_NE(dump.find(in_file(kWritten[i], encoding)), std::string::npos) << kWritten[i];
            }
        }
    }
    // A load of the three sections and their reload; the reload's log.
    std::string load_and_reload(const std::string &repository, const std::string &encoding) {
        ProgramRun first = extproc(repository, kData + encoding, kFiles);
        EXPECT_EQ(first.status, 0) << first.out << first.err;
        ProgramRun again = extproc(repository, kData + encoding, kFiles, "updateversion");
        EXPECT_EQ(again.status, 0) << again.out << again.err;
        return without(again.out, kData + encoding);
    }
    // cfgload's load of the network and its reload; the reload's log.
    std::string cfgload_and_reload(const std::string &repository, const std::string &encoding) {
        std::string login = login_for(repository);
        ProgramRun first = run_program(kCfgload, {kData + encoding + "/network.ndl", login});
        EXPECT_EQ(first.status, 0) << first.out << first.err;
        ProgramRun again = run_program(kCfgload, {kData + encoding + "/network.ndl", login, "overwrite"});
        EXPECT_EQ(again.status, 0) << again.out << again.err;
        return again.out;
    }
    void expect_kept_in(const std::string &server);
    std::vector<std::string> made;
};

// On either backend: the rows kept for the comparison of the two are these
// loads' (the comparison reads letters).
TEST_F(Letters, LatinOneFilesKeepTheirLetters) {
    std::string log = load_and_reload(db, "latin1");
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    expect_letters(db, "latin1", !on_server_backend(), std::size(kWritten));
}

TEST_F(Letters, Utf8FilesKeepTheirLetters) {
    std::string log = load_and_reload(db, "utf8");
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    expect_letters(db, "utf8", !on_server_backend(), std::size(kWritten));
}

// cfgload's run, in a repository of the older layout: its reload rewrites
// what it stored.
TEST_F(Letters, CfgloadKeepsTheLettersOfEitherEncoding) {
    for (const char *encoding : kEncodings) {
        SCOPED_TRACE(encoding);
        std::string cli = on_server_backend() ? made.emplace_back(pg_fresh_database(current_test_name()))
                                              : file_repository(std::string(encoding) + ".db");
        std::string log = cfgload_and_reload(cli, encoding);
        EXPECT_EQ(log, "Connected to ORACLE as " + account_user() + "\nfile  successfully loaded \n");
        expect_letters(cli, encoding, !on_server_backend(), 5);
    }
}

// A database in UTF8, LATIN1 or SQL_ASCII keeps the letters of files in
// either encoding, and gives them back as written: each reload logs what
// the same reload logs on SQLite.
void Letters::expect_kept_in(const std::string &server) {
    SKIP_UNLESS_SERVER();
    const bool bytes = server == "SQL_ASCII";
    for (const char *encoding : kEncodings) {
        SCOPED_TRACE(server + " " + encoding);
        std::string sqlite_log = load_and_reload(file_repository(std::string(encoding) + ".db"), encoding);
        std::string repository = database_in(server);
        EXPECT_EQ(load_and_reload(repository, encoding), sqlite_log);
        expect_letters(repository, encoding, bytes, std::size(kWritten));

        std::string sqlite_cli_log = cfgload_and_reload(file_repository(std::string(encoding) + "-cli.db"), encoding);
        std::string cli = database_in(server);
        EXPECT_EQ(cfgload_and_reload(cli, encoding), sqlite_cli_log);
        expect_letters(cli, encoding, bytes, 5);
    }
}

TEST_F(Letters, AServerDatabaseInUtf8KeepsTheLetters) { expect_kept_in("UTF8"); }
TEST_F(Letters, AServerDatabaseInLatin1KeepsTheLetters) { expect_kept_in("LATIN1"); }
TEST_F(Letters, AServerDatabaseInSqlAsciiKeepsTheBytes) { expect_kept_in("SQL_ASCII"); }

// A UTF-8 letter beyond Latin-1 into a LATIN1 database: refused before
// anything is stored, the file and the line named, and what to do said.
TEST_F(Letters, ALetterTheDatabaseCannotHoldIsRefusedBeforeAnythingIsStored) {
    SKIP_UNLESS_SERVER();
    const std::string file = kData + "beyond_latin1.ndl";
    const std::string said = "ERROR: File holds a letter that the repository's database (LATIN1) cannot hold @ line 11: " +
                             file + "; write the line without it, or keep the repository in a database whose encoding "
                                    "is UTF8 \n";
    std::string repository = database_in("LATIN1");
    ProgramRun r = run_program(kExtproc, {"--repository", repository, "parse", "--files", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, said + "\n");
    EXPECT_TRUE(repository_tables(repository).empty()) << "not even the schema";

    r = run_program(kCfgload, {file, login_for(repository)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Connected to ORACLE as " + account_user() + "\n" + said +
                         "\nEXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n");
    EXPECT_TRUE(repository_tables(repository).empty());

    // A UTF8 database holds it.
    std::string utf8 = database_in("UTF8");
    r = run_program(kExtproc, {"--repository", utf8, "parse", "--files", file});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(pg_query_rows(utf8, "SELECT organization FROM networks"),
              (std::vector<std::string>{std::string(kWritten[0]) + " \xe2\x82\xac"}));
}

// Files in Latin-1 and in UTF-8 in one run: the server could not tell
// whose letters a stored row holds, so the run is refused whole.
TEST_F(Letters, FilesInTwoEncodingsInOneRunAreRefused) {
    SKIP_UNLESS_SERVER();
    const std::string latin1 = kData + "latin1/network.ndl", utf8 = kData + "utf8/customer.ndl";
    ProgramRun r = run_program(kExtproc, {"--repository", db, "parse", "--files", latin1 + "," + utf8});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "ERROR: File is Latin-1 text @ line 11: " + latin1 + ", and " + utf8 +
                         " is UTF-8 text @ line 17; save the files in one encoding (UTF-8) and parse them again \n\n");
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), (std::vector<std::string>{"0"}));
    // The same network in one encoding loads.
    r = run_program(kExtproc, {"--repository", db, "parse", "--files", latin1 + "," + kData + "latin1/customer.ndl"});
    EXPECT_EQ(r.status, 0) << r.out;
    compare_rows = false;  // SQLite's run of this test stores nothing
}

// A run in Latin-1 that reads back a stored letter Latin-1 cannot hold is
// refused with what to do, and leaves the repository as it was.
TEST_F(Letters, ALatinOneRunMeetingALetterBeyondItIsRefused) {
    SKIP_UNLESS_SERVER();
    ProgramRun r = run_program(kExtproc, {"--repository", db, "parse", "--files", kData + "beyond_latin1.ndl"});
    ASSERT_EQ(r.status, 0) << r.out;
    std::string before = repository_state(db);
    r = extproc(db, kData + "latin1", "network.ndl", "updateversion");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("has no equivalent in encoding \"LATIN1\"; save the files as UTF-8 and keep the repository "
                         "in a database whose encoding is UTF8, which holds every letter"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(repository_state(db), before);
    compare_rows = false;
}

}  // namespace
