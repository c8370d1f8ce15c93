// A COMMIT whose answer is lost, end to end: the server holds it (a
// synchronous standby that never connects) and is stopped at once, as a
// crash would, while it waits. Back within the busy timeout, the load is
// read back as stored and succeeds, saying so; away for longer, the load
// ends with the status of an outcome that cannot be known. These stop
// their server, so they have a cluster of their own (scripts/pg-cluster.sh),
// not the one the other server tests share.
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "pg_server.h"
#include "repo_test.h"
#include "run_program.h"

namespace {

// One file keeps the tests short: what is held is the COMMIT, whatever it
// stores.
const std::string kSample = "network.ndl";
const std::string kScript = std::string(NDL_SOURCE_DIR) + "/scripts/pg-cluster.sh";
const char kReadBack[] =
    "COMMIT's answer was lost (the connection to the server was lost) and read back on a new connection: the "
    "transaction committed";
// The loads held: they wait for the standby. Everyone else commits
// locally (the test's own connections take PGOPTIONS from its setting).
const char kHeld[] = "PGOPTIONS=-c synchronous_commit=on";

class HeldCommit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/ndl-held-XXXXXX";
        if (!mkdtemp(tmpl)) return;
        dir_ = tmpl;
        // The cluster's folder is made by the script.
        std::filesystem::remove(dir_);
        FILE *p = popen((kScript + " start " + dir_ + " 2>&1").c_str(), "r");
        std::string out;
        char buf[512];
        while (p && fgets(buf, sizeof buf, p)) out += buf;
        if (!p || pclose(p) != 0) {
            why_ = "no cluster of its own: " + out;
            return;
        }
        // "export PGHOST=... PGPORT=... NDL_TEST_PG_USER=... NDL_TEST_PG_PASSWORD=..."
        size_t at = out.rfind("export ");
        if (at == std::string::npos) {
            why_ = "the cluster named nothing: " + out;
            return;
        }
        std::string line = out.substr(at + 7);
        line = line.substr(0, line.find('\n'));
        for (size_t from = 0; from < line.size();) {
            size_t sp = line.find(' ', from);
            if (sp == std::string::npos) sp = line.size();
            std::string kv = line.substr(from, sp - from);
            size_t eq = kv.find('=');
            if (eq != std::string::npos) setenv(kv.substr(0, eq).c_str(), kv.substr(eq + 1).c_str(), 1);
            from = sp + 1;
        }
        setenv("PGOPTIONS", "-c synchronous_commit=local", 1);
        pg_run_sql(pg_server_detail::uri_for("postgres"),
                   "ALTER SYSTEM SET synchronous_standby_names = 'ndl_nobody'; ");
        pg_run_sql(pg_server_detail::uri_for("postgres"), "SELECT pg_reload_conf()");
        ready_ = true;
    }
    static void TearDownTestSuite() {
        forget_all();
        if (!dir_.empty()) std::system((kScript + " stop " + dir_).c_str());
    }
    void SetUp() override {
        if (!ready_) GTEST_SKIP() << why_;
    }

    // The test's own connections die with the server.
    static void forget_all() {
        for (auto &kept : pg_server_detail::connections()) {
            PQfinish(kept.second);
            kept.second = nullptr;
        }
    }

    // Waits until a COMMIT waits for the standby.
    static bool commit_held() {
        std::string uri = pg_server_detail::uri_for("postgres");
        for (int i = 0; i < 1500; ++i) {
            PGconn *c = PQconnectdb(uri.c_str());
            PGresult *r = PQexec(c, "SELECT count(*) FROM pg_stat_activity WHERE wait_event = 'SyncRep'");
            bool held = PQresultStatus(r) == PGRES_TUPLES_OK && std::atoi(PQgetvalue(r, 0, 0)) > 0;
            PQclear(r);
            PQfinish(c);
            if (held) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // Runs PROGRAM with ARGS, its COMMIT held, and stops the server while
    // it waits; the server is started again after DOWN_MS, once the
    // program ended (`after_exit`) or while it still runs.
    static ProgramRun crash_during_commit(const std::string &program, const std::vector<std::string> &args,
                                          int busy_ms, int down_ms, bool after_exit) {
        ProgramRun r;
        std::thread load([&] {
            r = run_program(std::string(NDL_BIN_DIR) + "/" + program, args, Stdout::Captured,
                            {kHeld, "NDL_BUSY_TIMEOUT_MS=" + std::to_string(busy_ms)});
        });
        bool held = commit_held();
        EXPECT_TRUE(held) << "the COMMIT was never held";
        forget_all();
        EXPECT_EQ(std::system((kScript + " halt " + dir_).c_str()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(down_ms));
        if (after_exit) load.join();
        EXPECT_EQ(std::system((kScript + " resume " + dir_).c_str()), 0);
        if (!after_exit) load.join();
        return r;
    }

    static std::vector<std::string> parse_args(const std::string &db) {
        return {"--repository", db, "parse", "--dir", NDL_EXAMPLES, "--files", kSample};
    }
    static std::vector<std::string> cfgload_args(const std::string &db) {
        return {NDL_EXAMPLES "/network.ndl",
                pg_server_detail::env("NDL_TEST_PG_USER") + "/" + pg_server_detail::env("NDL_TEST_PG_PASSWORD") +
                    "/pg:" + pg_server_detail::dbname_of(db)};
    }

    // What the same load stores when nothing goes wrong.
    static std::string whole(const std::string &program, bool cfgload) {
        std::string db = pg_fresh_database("held_reference");
        ProgramRun r = run_program(std::string(NDL_BIN_DIR) + "/" + program,
                                   cfgload ? cfgload_args(db) : parse_args(db));
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        std::string dump = mask_dates(repository_dump(db));
        pg_drop_database(db);
        return dump;
    }

    static bool ready_;
    static std::string dir_, why_;
};

bool HeldCommit::ready_ = false;
std::string HeldCommit::dir_, HeldCommit::why_;

bool has(const std::string &s, const std::string &what) { return s.find(what) != std::string::npos; }

// The server back a second later, within the busy timeout: the load is
// read back as stored, succeeds, and its log says how.
TEST_F(HeldCommit, ALoadWhoseAnswerWasLostIsReadBackAsStored) {
    for (bool cfgload : {false, true}) {
        std::string program = cfgload ? "cfgload" : "extproc";
        std::string db = pg_fresh_database("held_readback");
        ProgramRun r = crash_during_commit(program, cfgload ? cfgload_args(db) : parse_args(db), 20000, 1000, false);
        EXPECT_EQ(r.status, 0) << program << "\n" << r.out << r.err;
        EXPECT_TRUE(has(r.out, std::string("NOTE: ") + kReadBack)) << program << "\n" << r.out << r.err;
        EXPECT_TRUE(has(r.out, cfgload ? "file  successfully loaded" : "successfully")) << r.out;
        EXPECT_FALSE(has(r.out + r.err, "nothing was stored")) << r.out << r.err;
        // Stored whole.
        EXPECT_EQ(mask_dates(repository_dump(db)), whole(program, cfgload)) << program;
        pg_drop_database(db);
    }
}

// The server away for longer than the busy timeout: the outcome cannot be
// known, and the load says so with a status of its own, never that nothing
// was stored. What a reader finds afterwards is the load whole or nothing.
TEST_F(HeldCommit, ALoadWhoseAnswerStaysLostEndsUnknown) {
    for (bool cfgload : {false, true}) {
        std::string program = cfgload ? "cfgload" : "extproc";
        std::string db = pg_fresh_database("held_unknown");
        ProgramRun r = crash_during_commit(program, cfgload ? cfgload_args(db) : parse_args(db), 600, 300, true);
        EXPECT_EQ(r.status, 3) << program << "\n" << r.out << r.err;
        EXPECT_TRUE(has(r.out, OCIX_COMMIT_UNKNOWN)) << program << "\n" << r.out << r.err;
        EXPECT_TRUE(has(r.out, cfgload ? "EXITING, THE OUTCOME IS UNKNOWN" : "look for its rows in the repository"))
            << r.out;
        EXPECT_TRUE(has(r.err + r.out, "no new connection within the busy timeout")) << r.out << r.err;
        // extproc's log says the files were loaded before the commit.
        for (const char *never : {"nothing was stored", "NOT CHANGED", "rolled back", cfgload ? "successfully" : "NOTE"})
            EXPECT_FALSE(has(r.out + r.err, never)) << never << "\n" << r.out << r.err;
        std::string found = mask_dates(repository_dump(db));
        EXPECT_TRUE(found.empty() || found == whole(program, cfgload)) << found;
        pg_drop_database(db);
    }
}

}  // namespace
