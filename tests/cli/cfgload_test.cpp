// cfgload as a process: its command line, logon, modes, load file, exits,
// and that a failed run commits nothing.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "oci.h"
#include "repo_test.h"
#include "run_program.h"

namespace fs = std::filesystem;

namespace {

const std::string kCfgload = std::string(NDL_BIN_DIR) + "/cfgload";
const std::string kData = std::string(NDL_TEST_DATA) + "/cli/";

const char kUsageShort[] =
    "Usage: <input file> <Oracle usercode>/<Oracle password>[/<connectionid>]  "
    "[<overwrite/overwritedata/createfile> <outputfile name>]\n";
const char kUsage[] =
    "Usage: <input file> <Oracle usercode>/<Oracle password>[/<connectionid>] "
    "[<overwrite/createfile> <outputfile name>]\n";

class Cfgload : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/cfgload-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        // The connection id names the repository file relative to the
        // working directory: it cannot hold a "/".
        home = fs::current_path();
        fs::current_path(dir);
        if (on_server_backend() && !pg_server_available()) GTEST_SKIP() << "no test server (PGHOST, PGPORT)";
        db = fresh("repo.db");
        login = login_for(db);
    }
    void TearDown() override {
        unsetenv("NDL_OCI_FAULT");
        unsetenv("NDL_REPOSITORY");
        for (const std::string &r : made) drop_repository(r);
        fs::current_path(home);
        fs::remove_all(dir);
    }

    // A new repository: the file NAME of the test's folder, or a database on
    // the server, dropped at the end.
    std::string fresh(const std::string &name) { return made.emplace_back(fresh_repository(dir, name)); }
    // What a session of the test's own left in a repository it made (the
    // server makes the schema with the first statement).
    static void give_schema(const std::string &repository) {
        extproc::Session s(repository);
        ASSERT_TRUE(s.ok()) << s.error();
        ASSERT_TRUE(make_schema(s));
    }
    std::string connected() const { return "Connected to ORACLE as " + account_user() + "\n"; }
    // The test's folder holds the repository's file, or nothing on the server.
    std::vector<std::string> with_repository(std::vector<std::string> names) const {
        if (!on_server_backend()) names.push_back(fs::path(db).filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    ProgramRun cfgload(std::vector<std::string> args) { return run_program(kCfgload, std::move(args)); }
    ProgramRun load(const std::string &file, std::vector<std::string> more = {}) {
        std::vector<std::string> args{kData + file, login};
        args.insert(args.end(), more.begin(), more.end());
        return cfgload(args);
    }

    std::vector<std::string> rows(const std::string &query) const { return query_rows(db, query); }
    void sql(const std::string &text) const { run_sql(db, text); }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path home;
    std::string dir, db, login;
    std::vector<std::string> made;
};

TEST_F(Cfgload, UsageTextsAndRefusedArguments) {
    ProgramRun r = cfgload({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kUsageShort);
    r = cfgload({"only-one"});
    EXPECT_EQ(r.out, kUsageShort);
    // Asked for, the usage is the answer, with the repositories it names.
    r = cfgload({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(kUsageShort, 0), 0u) << r.out;
    for (const char *named : {"pg:DBNAME", "postgresql://", "postgres://", "NDL_REPOSITORY", "PGHOST",
                              "NDL_BUSY_TIMEOUT_MS", "ovcreatefile"})
        EXPECT_NE(r.out.find(named), std::string::npos) << named << " in\n" << r.out;
    EXPECT_EQ(r.err, "");

    for (const char *bad : {"scott", "scott/", "/tiger", "", "scott//x"}) {
        r = cfgload({kData + "small.ndl", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.out, kUsage) << bad;
    }
    r = load("small.ndl", {"reload"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kUsage);
    for (const char *mode : {"createfile", "OVCreateFile"}) {
        r = load("small.ndl", {mode});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "Output file name not specified \n"
                         "Usage: <input file> <Oracle usercode> <Oracle password> [<owerrite/createfile> "
                         "<outputfile name>]\n");
    }
    // Longer than the 320-byte buffers: refused whole, never cut.
    std::string long_name(330, 'a');
    r = cfgload({long_name, login});
    EXPECT_EQ(r.out, kUsage);
    r = cfgload({kData + "small.ndl", "scott/" + std::string(330, 't')});
    EXPECT_EQ(r.out, kUsage);
    r = load("small.ndl", {"createfile", dir + "/" + std::string(316 - dir.size(), 'o')});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kUsage);
    EXPECT_TRUE(files().empty()) << "nothing attached, nothing written";
}

TEST_F(Cfgload, OpenFailuresGoToStandardErrorBeforeTheLogon) {
    ProgramRun r = cfgload({dir + "/missing.ndl", login});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "open failed for " + dir + "/missing.ndl\n");
    EXPECT_EQ(r.out, "");
    r = load("small.ndl", {"createfile", dir + "/no/such/dir/out"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "open failed for " + dir + "/no/such/dir/out.sql\n");
    EXPECT_FALSE(repository_exists(db)) << "the load file is opened before the logon";
}

TEST_F(Cfgload, LoginSplitsAtEverySlashAndDefaultsToTheClientDatabase) {
    // A fourth part is ignored.
    ProgramRun r = cfgload({kData + "small.ndl", login + "/extra"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, 26), connected().substr(0, 26));
    // No connection id, with or without the trailing slash: $NDL_REPOSITORY.
    std::string other = fresh("default.db");
    setenv("NDL_REPOSITORY", other.c_str(), 1);
    const std::string user = on_server_backend() ? account() : "u/p";
    for (const std::string &as : {user, user + "/"}) {
        r = cfgload({kData + "small.ndl", as, "overwrite"});
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("Connected to ORACLE as " + user.substr(0, user.find('/')) + "\n"), std::string::npos);
    }
    EXPECT_TRUE(repository_exists(other));
}

TEST_F(Cfgload, ModesPlainOverwriteAndOverwritedata) {
    ProgramRun r = load("small.ndl");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, connected() + "file  successfully loaded \n");
    // The run closed its repository: the file alone holds what it stored.
    EXPECT_EQ(files(), with_repository({}));
    EXPECT_EQ(rows("SELECT networkid, networkname, organization FROM networks"),
              (std::vector<std::string>{"1|SMALL|O'Brien Labs"}));
    EXPECT_EQ(rows("SELECT addresspoolname, startaddress FROM ipaddresspools"),
              (std::vector<std::string>{"P1|10.0.0.1"}));
    if (!on_server_backend()) {
        EXPECT_EQ(rows("PRAGMA user_version"), (std::vector<std::string>{"2"})) << "the older layout";
    }

    // A stored network takes its TOPOLOGY again only in a mode that allows it.
    r = load("small.ndl");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Network data already exists."), std::string::npos);
    EXPECT_NE(r.out.find("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n"), std::string::npos);
    for (const char *mode : {"OverWrite", "OVERWRITEDATA"}) {
        r = load("small.ndl", {mode});
        EXPECT_EQ(r.status, 0) << mode << r.out;
    }
    // NETWORKS rewritten on every run, never doubled; PROJECT once.
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(rows("SELECT count(*) FROM project"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(rows("SELECT count(*) FROM listvalues"), (std::vector<std::string>{"2"}));
}

TEST_F(Cfgload, OtherSectionsKeepTheStoredTopologyAndRewriteTheirTables) {
    ASSERT_EQ(load("small.ndl").status, 0);
    sql("INSERT INTO DOMAINSTATICROUTE ("
        "networkid, domainname, nodetype, protocol, addrno, context1, context2, context3, "
        "sourceaddr, sourcemask, destination, weight"
        ") VALUES (1,'EAST','PE','STATIC',1,'','','','10.9.0.0',16,'10.1.0.1','1')");
    ProgramRun r = load("small_routing.ndl");
    ASSERT_EQ(r.status, 0) << r.out;
    // The parsed (empty) ROUTING section replaced the stored routes; the
    // topology read at the start was written back as it was.
    EXPECT_EQ(rows("SELECT count(*) FROM domainstaticroute"), (std::vector<std::string>{"0"}));
    EXPECT_EQ(rows("SELECT networkname, organization FROM networks"),
              (std::vector<std::string>{"SMALL|O'Brien Labs"}));
    EXPECT_EQ(rows("SELECT count(*) FROM domainvariables"), (std::vector<std::string>{"3"}));
    r = load("small_qos.ndl");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(rows("SELECT count(*) FROM ipaddresspools"), (std::vector<std::string>{"1"}));
}

TEST_F(Cfgload, AnRpBesideAutoRpTrueIsNotChecked) {
    ProgramRun r = cfgload({std::string(NDL_TEST_DATA) + "/routing/topo.ndl", login});
    ASSERT_EQ(r.status, 0) << r.out;
    r = load("autorp_routing.ndl");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("RP should not be specified"), std::string::npos) << r.out;
    EXPECT_EQ(rows("SELECT autorp, acceptrpaddr FROM pimacceptclass"), (std::vector<std::string>{"1|EVALIP(10.0.0.3)"}));
}

TEST_F(Cfgload, FailedParseAndFailedWriteCommitNothing) {
    ASSERT_EQ(load("small.ndl").status, 0);
    std::vector<std::string> before = table_dump(db, "domainvariables");

    ProgramRun r = load("small_error.ndl", {"overwrite"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("NOSUCHKEY"), std::string::npos);
    EXPECT_NE(r.out.find("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n"), std::string::npos);

    // A read that fails at the start of the run.
    setenv("NDL_OCI_FAULT", "execute:5", 1);
    r = load("small_nopool.ndl", {"overwrite"});
    unsetenv("NDL_OCI_FAULT");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(r.out.size() - 18), "Error in parsing.\n");

    // A write that fails part-way: the rows written before it stay
    // uncommitted and go with the process.
    sql(on_server_backend()
            ? "CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION 'refused here'; "
              "END$$; CREATE TRIGGER refuse AFTER DELETE ON IPADDRESSPOOLS FOR EACH ROW EXECUTE FUNCTION refuse()"
            : "CREATE TRIGGER refuse AFTER DELETE ON IPADDRESSPOOLS BEGIN SELECT RAISE(ABORT, 'refused here'); END");
    r = load("small.ndl", {"overwrite"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Error table IPADDRESSPOOLS - "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 23), "EXITING DUE TO ERRORS.\n");
    EXPECT_EQ(table_dump(db, "domainvariables"), before);
    EXPECT_EQ(rows("SELECT count(*) FROM ipaddresspools"), (std::vector<std::string>{"1"}));
    sql(on_server_backend() ? "DROP TRIGGER refuse ON IPADDRESSPOOLS" : "DROP TRIGGER refuse");

    // A commit that fails is a failed run, not a success.
    setenv("NDL_OCI_FAULT", "commit:1", 1);
    r = load("small_nopool.ndl", {"overwrite"});
    unsetenv("NDL_OCI_FAULT");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("successfully"), std::string::npos) << r.out;
    EXPECT_EQ(rows("SELECT count(*) FROM ipaddresspools"), (std::vector<std::string>{"1"}));
}

TEST_F(Cfgload, LoadFileIsTheGoldenTextAndNothingIsExecuted) {
    ProgramRun r = load("small.ndl", {"createfile", dir + "/out"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, connected() + "Load file " + dir +
                         "/out.sql successfully created \nLoad the file using sqlplus utility.\n");
    EXPECT_EQ(read_text(dir + "/out.sql"), read_text(kData + "small.sql"))
        << "(a change meant to change the load file: run scripts/regen.sh)";
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), (std::vector<std::string>{"0"}));
    for (const std::string &name : files())
        EXPECT_TRUE(name == "out.sql" || name.rfind("repo.db", 0) == 0) << name;

    // The stored network is still read and checked: a plain TOPOLOGY run
    // of a stored network is refused in file mode too.
    ASSERT_EQ(load("small.ndl").status, 0);
    r = load("small.ndl", {"createfile", dir + "/again"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Network data already exists."), std::string::npos);
    r = load("small.ndl", {"ovcreatefile", dir + "/again"});
    EXPECT_EQ(r.status, 0) << r.out;
    // The network has its PROJECT row now: no PROJECT INSERT in the file.
    std::string again = read_text(dir + "/again.sql");
    EXPECT_EQ(again.find("INSERT INTO PROJECT"), std::string::npos);
    EXPECT_NE(again.find("INSERT INTO IPADDRESSPOOLS"), std::string::npos);
}

// A UTF-8 mark is skipped (lines numbered as without it); a UTF-16 file is
// refused before the logon.
// The login's password leaves the process list once read: a load held by
// another session's lock shows its command line without it.
TEST_F(Cfgload, ThePasswordLeavesTheProcessListDuringALoad) {
    ASSERT_EQ(load("small.ndl").status, 0);
    const std::string password = login.substr(login.find('/') + 1, login.rfind('/') - login.find('/') - 1);
    ASSERT_FALSE(password.empty());
    // A writer on SQLite; the repository's lock on the server.
    auto held = std::make_unique<HeldReader>(
        db, on_server_backend() ? "SELECT pg_advisory_xact_lock(hashtext('ndl repository public'))"
                                : "DELETE FROM networks WHERE networkid = -1");
    ASSERT_TRUE(held->ok());
    auto p = start_program(kCfgload, {kData + "small.ndl", login, "overwrite"}, {"NDL_BUSY_TIMEOUT_MS=30000"});
    ASSERT_GT(p->pid, 0);
    std::string seen;
    for (int i = 0; i < 500 && p->running(); ++i) {
        seen = p->command_line();
        if (!seen.empty() && seen.find(password) == std::string::npos) break;
        usleep(20000);
    }
    EXPECT_TRUE(p->running()) << "the load did not wait for the other session";
    EXPECT_EQ(seen.find(password), std::string::npos) << seen;
    EXPECT_NE(seen.find(account_user() + "/"), std::string::npos) << seen;
    held.reset();
    ProgramRun r = p->finish();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("file  successfully loaded"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(password), std::string::npos) << r.out;
}

TEST_F(Cfgload, FilesAsEditorsSaveThem) {
    ProgramRun plain = load("small_error.ndl"), marked = load("small_error_bom.ndl");
    EXPECT_EQ(marked.status, 1);
    EXPECT_EQ(marked.out, plain.out);
    const std::string utf16 = std::string(NDL_TEST_DATA) + "/core/topo_utf16le.ndl";
    ProgramRun r = cfgload({utf16, "scott/tiger/utf16.db"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "ERROR: File is UTF-16 text, save it as 8-bit text (UTF-8 or ASCII) and parse it again: " +
                         utf16 + " \n");
    EXPECT_FALSE(fs::exists(dir + "/utf16.db"));
}

// The load file is read by whoever runs the SQL client: it gets the mode a
// plain create gives under the caller's umask.
TEST_F(Cfgload, LoadFileHonoursTheUmask) {
    struct Case {
        mode_t mask, mode;
    } cases[] = {{022, 0644}, {027, 0640}};
    for (const Case &c : cases) {
        mode_t old = umask(c.mask);
        std::string name = dir + "/out" + std::to_string(c.mode);
        ProgramRun r = load("small.ndl", {"createfile", name});
        umask(old);
        ASSERT_EQ(r.status, 0) << r.out;
        struct stat st {};
        ASSERT_EQ(stat((name + ".sql").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << std::oct << c.mask;
    }
}

// A run that fails into a repository it would create leaves no file,
// wherever it fails: at once (a file holding only a byte-order mark), at
// the logon, at the commit. A load file appears only once the commit went
// through, and the schema of a new file is no committed rows to warn of.
TEST_F(Cfgload, AFailedRunLeavesNoNewRepositoryNorLoadFile) {
    std::ofstream(dir + "/bom.ndl") << "\xEF\xBB\xBF";
    struct Case {
        std::string file;
        std::string fault;
        std::vector<std::string> mode;
    } cases[] = {
        {dir + "/bom.ndl", "", {}},
        {kData + "small.ndl", "sessionbegin:1", {}},
        {kData + "small.ndl", "commit:1,checkpoint:1", {}},
        {kData + "small.ndl", "commit:1", {"createfile", dir + "/out"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file + " " + c.fault);
        std::vector<std::string> args{c.file, login};
        args.insert(args.end(), c.mode.begin(), c.mode.end());
        ProgramRun r = run_program(kCfgload, args, Stdout::Captured,
                                   c.fault.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{"NDL_OCI_FAULT=" + c.fault});
        EXPECT_EQ(r.status, 1) << r.out << r.err;
        EXPECT_EQ(r.out.find("successfully"), std::string::npos) << r.out;
        EXPECT_EQ(r.err.find("must stay beside it"), std::string::npos) << r.err;
        EXPECT_EQ(files(), std::vector<std::string>{"bom.ndl"});
        EXPECT_FALSE(repository_exists(db));
    }
}

TEST_F(Cfgload, FailedRunsLeaveNoLoadFile) {
    ProgramRun r = load("small_error.ndl", {"createfile", dir + "/out"});
    EXPECT_EQ(r.status, 1);
    // A write that fails part-way (no file of the run may grow past 64 KiB)
    // is refused and its partial file removed.
    ASSERT_EQ(load("small.ndl").status, 0);
    {
        std::string text = read_text(kData + "small.ndl"), lists;
        for (int i = 0; i < 3000; ++i) lists += "  LIST = ( NAME = L" + std::to_string(i) + " , ELEMENT = \"V\" )\n";
        const std::string kinds = "  LIST = ( NAME = KINDS";
        text.insert(text.find(kinds), lists);
        std::ofstream(dir + "/big.ndl") << text;
    }
    r = run_program("/bin/bash", {"-c", "trap '' XFSZ; ulimit -f 64; exec \"$0\" \"$@\"", kCfgload, dir + "/big.ndl",
                                  login, "ovcreatefile", dir + "/out"});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("ERROR: cannot write the load file"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 23), "EXITING DUE TO ERRORS.\n");
    for (const std::string &name : files()) EXPECT_EQ(name.find("out"), std::string::npos) << name;
}

TEST_F(Cfgload, EachLoaderRefusesTheOtherLayout) {
    ASSERT_NO_FATAL_FAILURE(give_schema(db));  // the library's layout
    ProgramRun r = load("small.ndl");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("has the versioned layout; this program expects the unversioned layout"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 29), "Error in db initialization..\n");

    std::string older = fresh("older.db");
    login = login_for(older);
    ASSERT_EQ(load("small.ndl").status, 0);
    extproc::Session library(older);
    EXPECT_FALSE(library.ok());
    EXPECT_NE(library.error().find("has the unversioned layout; this program expects the versioned layout"),
              std::string::npos)
        << library.error();
}

}  // namespace

namespace {

// A start number already used by a filter list of the node type is refused
// by cfgload alone; cfgproc takes both lists (they differ in type).
TEST_F(Cfgload, FilterListStartNumbersAreUniquePerNodeType) {
    ProgramRun r = load("filterlists.ndl");
    EXPECT_EQ(r.status, 1) << r.out;
    // The ")" of the second header ends its line: the line after it is told.
    EXPECT_NE(r.out.find("ERROR: Duplicate use of community/asn list sequence (10) for : EAST/PE @30\n"),
              std::string::npos)
        << r.out;
    // The failed run made the repository: it leaves none.
    EXPECT_FALSE(repository_exists(db));

    extproc::Session session(dir + "/lib.db");
    ASSERT_TRUE(session.ok()) << session.error();
    extproc::CallResult c = session.call("cfgproc", "NDL_parsefile", {kData, "filterlists.ndl", ""});
    EXPECT_EQ(c.ret, 0) << extproc::format_call(c);
}

}  // namespace

namespace {

TEST_F(Cfgload, ColumnsTheOlderLayoutLacksAreNoChangeOnReload) {
    for (int run = 0; run < 2; ++run) {
        ProgramRun r = load("sharedclass.ndl", {"overwrite"});
        EXPECT_EQ(r.status, 0) << run << r.out;
        EXPECT_EQ(r.out.find("changed/deleted"), std::string::npos) << run << r.out;
    }
    EXPECT_EQ(rows("SELECT value, isdefault FROM poolclass ORDER BY value"),
              (std::vector<std::string>{"GOLD|1", "SILVER|0"}));
    EXPECT_EQ(rows("SELECT count(*) FROM addressassign"), (std::vector<std::string>{"1"}));
}

}  // namespace

namespace {

// Both loaders from a shell: cfgload, and the library through extproc. Each
// loads into a repository file of its own in the test's folder.
struct Loader {
    std::string name;
    int refused;  // the exit status of a load that stored nothing
};
const Loader kLoaders[] = {{"cfgload", 1}, {"extproc", 2}};

class BothLoaders : public Cfgload {
protected:
    // The repository of loader L (and TAG), made on first use.
    std::string repo(const Loader &l, const std::string &tag = "") {
        std::string &r = repos[l.name + tag];
        if (r.empty()) r = fresh(l.name + tag + ".db");
        return r;
    }
    // Loads FILES (paths as given); AGAIN reloads a stored network.
    ProgramRun run(const Loader &l, const std::string &files, bool again, Stdout to = Stdout::Captured,
                   const std::string &tag = "") {
        std::string db_file = repo(l, tag);
        if (l.name == "cfgload") {
            std::vector<std::string> args{files, login_for(db_file)};
            if (again) args.push_back("overwrite");
            return run_program(kCfgload, args, to);
        }
        std::vector<std::string> args{"--repository", db_file, "parse", "--files", files};
        if (again) args.insert(args.end(), {"--mode", "UpdateVersion"});
        return run_program(std::string(NDL_BIN_DIR) + "/extproc", args, to);
    }
    std::vector<std::string> stored(const Loader &l, const std::string &tag = "") {
        std::vector<std::string> all = query_rows(repo(l, tag), "SELECT networkname, organization FROM networks");
        for (const std::string &row : table_dump(repo(l, tag), "domainvariables", "ORDER BY 1, 2, 3"))
            all.push_back(row);
        return all;
    }
    std::map<std::string, std::string> repos;
};

TEST_F(BothLoaders, ADirectoryIsAFileThatCannotBeOpened) {
    fs::create_directories(dir + "/sub.ndl");
    const std::string sub = dir + "/sub.ndl";
    for (const Loader &l : kLoaders) {
        SCOPED_TRACE(l.name);
        ASSERT_EQ(run(l, kData + "small.ndl", false).status, 0);
        std::vector<std::string> before = stored(l);
        ASSERT_FALSE(before.empty());
        // The library opens every file before it parses any.
        for (const std::string &files : {sub, kData + "small.ndl," + sub}) {
            if (l.name == "cfgload" && files != sub) continue;
            ProgramRun r = run(l, files, true);
            EXPECT_EQ(r.status, l.refused);
            if (l.name == "cfgload") {
                EXPECT_EQ(r.out, "");
                EXPECT_EQ(r.err, "open failed for " + sub + "\n");
            } else {
                EXPECT_EQ(r.out, "ERROR: File cannot be opened for parsing: " + sub + " \n\n");
                EXPECT_EQ(r.err, "");
            }
            EXPECT_EQ(stored(l), before);
        }
    }
}

// Text in UTF-16 without a mark (a Cyrillic first line) or UTF-32 is refused
// by its encoding's name before the logon: nothing stored, no repository
// file left.
TEST_F(BothLoaders, WideTextIsRefusedByItsEncoding) {
    const std::pair<std::string, std::string> wide[] = {{kData + "small_utf16le_cyrillic.ndl", "UTF-16"},
                                                        {kData + "small_utf32le_bom.ndl", "UTF-32"}};
    for (const Loader &l : kLoaders)
        for (const auto &[file, encoding] : wide) {
            SCOPED_TRACE(l.name + " " + encoding);
            ProgramRun r = run(l, file, false);
            std::string said = "ERROR: File is " + encoding +
                               " text, save it as 8-bit text (UTF-8 or ASCII) and parse it again: " + file + " \n";
            EXPECT_EQ(r.status, l.refused);
            EXPECT_EQ(l.name == "cfgload" ? r.err : r.out, l.name == "cfgload" ? said : said + "\n");
            EXPECT_EQ(l.name == "cfgload" ? r.out : r.err, "");
            for (const char *suffix : {"", "-wal", "-shm", "-journal"}) EXPECT_FALSE(fs::exists(repo(l) + suffix)) << suffix;
        }
}

// The log of a load tells what was stored or refused; when it cannot be
// written that is told on standard error, and the exit status still says
// what was stored: a committed load is not reported failed.
TEST_F(BothLoaders, ALostLogIsToldAndTheStatusStillSaysWhatWasStored) {
    for (const Loader &l : kLoaders) {
        for (Stdout to : {Stdout::Full, Stdout::ClosedPipe}) {
            std::string tag = to == Stdout::Full ? "-full" : "-pipe";
            SCOPED_TRACE(l.name + tag);
            std::string lost = l.name + ": the log could not be written (" +
                               (to == Stdout::Full ? "No space left on device" : "Broken pipe") + "): ";
            ProgramRun r = run(l, kData + "small.ndl", false, to, tag);
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.err, lost + "the load was committed\n");
            std::vector<std::string> loaded = stored(l, tag);
            ASSERT_FALSE(loaded.empty());
            EXPECT_EQ(loaded[0], "SMALL|O'Brien Labs");

            r = run(l, kData + "small_error.ndl", true, to, tag);
            EXPECT_EQ(r.status, l.refused);
            EXPECT_EQ(r.err, lost + "nothing was stored\n");
            EXPECT_EQ(stored(l, tag), loaded);
        }
    }
}

// Values that would be SQL if spliced into a statement's text are stored as
// written, the first load and the reload alike, by both loaders. On the
// server the database reads backslashes as escapes in literals
// (standard_conforming_strings off), and its log of every statement shows
// none of the values in a statement's text: they went as parameters.
TEST_F(BothLoaders, ValuesThatLookLikeSqlAreStoredAsWrittenAndNeverRunAsSql) {
    const std::vector<std::string> network = {
        "x\\'); CREATE TABLE pwned (a int); --|$$; DROP TABLE networks; $$|C:\\temp\\ -- it's; done|P'T|a\\\\b.example"};
    const std::vector<std::string> variables = {"COUNTRYCODE|x\\'); DELETE FROM networks; --",
                                                "LOCATIONCODE|$$ ; -- \\ '", "SITENAME|"};
    // Fragments of the values above that no statement of ours holds.
    const char *fragments[] = {"pwned", "DROP TABLE networks", "DELETE FROM networks", "C:\\temp", "P'T",
                               "$$ ;", "a\\\\b"};
    const bool server = on_server_backend();
    const std::string log_path = pg_server_detail::env("PGHOST") + "/server.log";
    for (const Loader &l : kLoaders) {
        SCOPED_TRACE(l.name);
        const std::string db_name = repo(l);
        std::streamoff log_from = 0;
        if (server) {
            std::string name = pg_server_detail::quote_ident(pg_server_detail::dbname_of(db_name));
            run_sql(db_name, "ALTER DATABASE " + name + " SET standard_conforming_strings = off");
            run_sql(db_name, "ALTER DATABASE " + name + " SET log_statement = 'all'");
            std::ifstream log(log_path, std::ios::binary | std::ios::ate);
            ASSERT_TRUE(log) << log_path;
            log_from = log.tellg();
        }
        for (bool again : {false, true}) {
            ProgramRun r = run(l, kData + "hostile_values.ndl", again);
            EXPECT_EQ(r.status, 0) << r.out << r.err;
            EXPECT_EQ(r.out.find("rror"), std::string::npos) << r.out;
        }
        std::string statements;
        if (server) {
            // Every entry of the log that shows a statement's text: the
            // values' own entries (DETAIL: parameters) are left out.
            std::ifstream log(log_path, std::ios::binary);
            log.seekg(log_from);
            std::string line;
            bool keep = false;
            while (std::getline(log, line)) {
                bool starts = line.size() > 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                              line.find(" [") != std::string::npos;
                if (starts)
                    keep = line.find("LOG:  statement: ") != std::string::npos ||
                           line.find("LOG:  execute ") != std::string::npos ||
                           line.find("STATEMENT:  ") != std::string::npos;
                if (keep) statements += line + "\n";
            }
            EXPECT_NE(statements.find("INSERT INTO NETWORKS VALUES ($1,"), std::string::npos) << statements;
            for (const char *f : fragments) EXPECT_EQ(statements.find(f), std::string::npos) << f << "\n" << statements;
        }
        EXPECT_EQ(query_rows(db_name, "SELECT organization, address, city, country, networkzonename FROM networks"),
                  network);
        EXPECT_EQ(query_rows(db_name, "SELECT variablename, variablevalue FROM domainvariables ORDER BY 1"), variables);
        if (server) {
            EXPECT_EQ(query_rows(db_name, "SELECT count(*) FROM pg_tables WHERE tablename LIKE 'pw%'"),
                      (std::vector<std::string>{"0"}));
        }
    }
}

}  // namespace
