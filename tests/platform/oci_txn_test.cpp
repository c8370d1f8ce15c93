// Transactions as the callers rely on them: nothing commits unless the
// session ends or commits; a lock held elsewhere is waited for, a bounded
// time, never without end.
#include "fault_hook.h"
#include "oci_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

const char kTable[] = "CREATE TABLE T (a NUMBER(10) PRIMARY KEY, s VARCHAR2(30))";

std::string count(const std::string &db) { return raw_value(db, "SELECT count(*) FROM T"); }

// Runs the client process; its printed statuses.
std::string run_child(const std::string &args, const char *fault = nullptr) {
    std::string cmd = std::string(fault ? "NDL_OCI_FAULT='" + std::string(fault) + "' " : "") + NDL_BIN_DIR +
                      "/oci_child " + args + " 2>&1";
    std::string out;
    if (FILE *p = popen(cmd.c_str(), "r")) {
        char buf[512];
        while (fgets(buf, sizeof buf, p)) out += buf;
        EXPECT_EQ(pclose(p), 0) << out;
    }
    return out;
}

class OciTxn : public ::testing::Test {
protected:
    void SetUp() override {
        Logon l(db);
        ASSERT_EQ(l.exec(kTable), OCI_SUCCESS) << l.error();
        ASSERT_EQ(l.end(), OCI_SUCCESS);
    }
    TempDir dir;
    std::string db = dir.file("t.db");
};

TEST_F(OciTxn, SessionEndCommitsAndNothingElseDoes) {
    {
        Logon l(db);
        ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS) << l.error();
        EXPECT_EQ(count(db), "0");  // not visible to others yet
        EXPECT_EQ(l.end(), OCI_SUCCESS);
        EXPECT_EQ(count(db), "1");
        EXPECT_EQ(l.exec("INSERT INTO T VALUES (2,'b')"), OCI_ERROR);
        EXPECT_NE(l.error().find("not logged on"), std::string::npos);
    }
    {
        Logon l(db);
        ASSERT_EQ(l.exec("INSERT INTO T VALUES (3,'c')"), OCI_SUCCESS);
    }  // environment freed without ending the session
    EXPECT_EQ(count(db), "1");
}

TEST_F(OciTxn, CommitAndRollbackOpenTheNextTransaction) {
    Logon l(db);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS);
    EXPECT_EQ(l.rollback(), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (2,'b')"), OCI_SUCCESS);
    EXPECT_EQ(l.commit(), OCI_SUCCESS);
    EXPECT_EQ(count(db), "1");
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (3,'c')"), OCI_SUCCESS);
    // a COMMIT text ends the transaction too, but the next one stays open
    ASSERT_EQ(l.exec("COMMIT"), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (4,'d')"), OCI_SUCCESS);
    EXPECT_EQ(l.rollback(), OCI_SUCCESS);
    EXPECT_EQ(raw_value(db, "SELECT group_concat(a) FROM (SELECT a FROM T ORDER BY a)"), "2,3");
}

TEST_F(OciTxn, FailedStatementKeepsTheTransaction) {
    Logon l(db);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS);
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (1,'again')"), OCI_ERROR);
    EXPECT_NE(l.error().find("UNIQUE constraint failed"), std::string::npos) << l.error();
    EXPECT_EQ(l.exec("INSERT INTO NOWHERE VALUES (1)"), OCI_ERROR);
    EXPECT_EQ(l.end(), OCI_SUCCESS);
    EXPECT_EQ(count(db), "1");
}

TEST_F(OciTxn, ProcessExitingWithoutSessionEndCommitsNothing) {
    std::string out = run_child(db + " \"INSERT INTO T VALUES (1,'a')\" \"INSERT INTO T VALUES (2,'b')\"");
    EXPECT_NE(out.find("INSERT INTO T VALUES (2,'b'): 0"), std::string::npos) << out;
    EXPECT_EQ(count(db), "0");
    out = run_child(db + " --end \"INSERT INTO T VALUES (1,'a')\"");
    EXPECT_NE(out.find("end: 0"), std::string::npos) << out;
    EXPECT_EQ(count(db), "1");
}

// Sessions wait for a lock held elsewhere, a bounded time (a minute, or
// NDL_BUSY_TIMEOUT_MS), then answer a clear error; a reader holding its
// transaction never makes them wait.
TEST_F(OciTxn, LockedDatabaseWaitsBoundedThenAnswersError) {
    setenv("NDL_BUSY_TIMEOUT_MS", "600", 1);
    Logon l(db);
    unsetenv("NDL_BUSY_TIMEOUT_MS");
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; INSERT INTO T VALUES (9,'z')", nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const char *sql : {"INSERT INTO T VALUES (1,'a')", "SELECT count(*) FROM T"}) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(l.exec(sql), OCI_ERROR) << sql;
        double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_GE(waited, 0.5) << sql;
        EXPECT_LT(waited, 5.0) << sql;
        EXPECT_NE(l.error().find("is locked by another session; gave up after waiting 600 ms"), std::string::npos)
            << l.error();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);

    // A lock released while the session waits lets it go on.
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS) << l.error();
    release.join();

    // A reader in the middle of its transaction: the commit goes through.
    ASSERT_EQ(sqlite3_exec(other, "BEGIN; SELECT count(*) FROM T", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(l.end(), OCI_SUCCESS) << l.error();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(count(db), "1");
}

// A commit that fails leaves nothing behind: the end of the session does
// not commit the work later.
TEST_F(OciTxn, FailedCommitRollsBack) {
    Logon l(db);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS);
    inject_fault("commit", 1, OCI_ERROR);
    EXPECT_EQ(l.commit(), OCI_ERROR);
    clear_faults();
    EXPECT_EQ(l.end(), OCI_SUCCESS) << l.error();
    EXPECT_EQ(count(db), "0");
}

// Where SQLite rolls the transaction back by itself (a query the layer
// makes for itself runs out of memory, after a network's row is stored),
// the session is lost: that call fails for memory, every later one fails
// at once, the commit too, and nothing runs or commits outside the
// transaction. The caller's rollback ends it; the session then works again.
TEST_F(OciTxn, ATransactionSqliteRolledBackLosesTheSessionUntilItsRollback) {
    const std::string network = "INSERT INTO NETWORKS VALUES (%d,'net','','','','','','','')";
    auto row = [&](int id) {
        char sql[128];
        std::snprintf(sql, sizeof sql, network.c_str(), id);
        return std::string(sql);
    };
    Logon l(db);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a')"), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.exec(row(1)), OCI_SUCCESS) << l.error();
    // The second network calls for the version indexes, after its count.
    inject_fault("ownquery", 1, OCI_ERROR);
    EXPECT_EQ(l.exec(row(2)), OCI_ERROR);
    clear_faults();
    EXPECT_NE(l.error().find("out of memory"), std::string::npos) << l.error();
    EXPECT_NE(l.error().find("rolled the transaction back"), std::string::npos) << l.error();
    const std::string lost = "the repository rolled the transaction back after a failure (out of memory)";
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (2,'b')"), OCI_ERROR);
    EXPECT_NE(l.error().find(lost), std::string::npos) << l.error();
    EXPECT_EQ(l.value("SELECT count(*) FROM T"), "status -1: " + l.error());
    EXPECT_NE(l.error().find(lost), std::string::npos) << l.error();
    EXPECT_EQ(l.commit(), OCI_ERROR);
    EXPECT_NE(l.error().find(lost), std::string::npos) << l.error();
    EXPECT_EQ(l.end(), OCI_ERROR);
    EXPECT_EQ(count(db), "0");
    EXPECT_EQ(raw_value(db, "SELECT count(*) FROM NETWORKS"), "0");
    // Rolled back by its caller, the session starts a transaction anew.
    EXPECT_EQ(l.rollback(), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (3,'c')"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.end(), OCI_SUCCESS) << l.error();
    EXPECT_EQ(count(db), "1");
    EXPECT_EQ(raw_value(db, "SELECT count(*) FROM NETWORKS"), "0");
}

// The layer's own queries at the logon (the indexes a repository lacks)
// report their failure too.
TEST_F(OciTxn, AQueryOfTheLayerAtTheLogonThatFailsFailsTheLogon) {
    Logon l(db);
    ASSERT_EQ(l.exec("INSERT INTO NETWORKS VALUES (1,'net','','','','','','','')"), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.end(), OCI_SUCCESS);
    inject_fault("ownquery", 1, OCI_ERROR);
    Logon again(db);
    clear_faults();
    EXPECT_EQ(again.begin_status, OCI_ERROR);
    EXPECT_NE(again.begin_error.find("out of memory"), std::string::npos) << again.begin_error;
}

// A closed repository holds its committed rows in its own file; where the
// closing checkpoint cannot finish (a full disk, here on purpose) the
// program says that the "-wal" file holds them and must stay beside it.
TEST_F(OciTxn, ClosedRepositoryHoldsItsRowsOrSaysWhereTheyAre) {
    namespace fs = std::filesystem;
    std::string out = run_child(db + " --end \"INSERT INTO T VALUES (1,'a')\"");
    EXPECT_EQ(out.find("must stay beside it"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(db + "-wal") && fs::file_size(db + "-wal") > 0);
    std::string alone = dir.file("alone.db");
    fs::copy_file(db, alone);
    EXPECT_EQ(count(alone), "1");

    out = run_child(db + " --end \"INSERT INTO T VALUES (2,'b')\"", "checkpoint:1");
    EXPECT_NE(out.find("oci_child: the repository \"" + db + "\" could not be closed whole (database or disk is full): "
                       "its committed rows are in \"" + db + "-wal\", which must stay beside it\n"),
              std::string::npos)
        << out;
    ASSERT_TRUE(fs::exists(db + "-wal"));
    fs::copy_file(db, alone, fs::copy_options::overwrite_existing);
    EXPECT_EQ(count(alone), "1");  // the file alone lacks the row
    EXPECT_EQ(count(db), "2");     // beside its log it has it
}

TEST_F(OciTxn, FaultArmedThroughTheEnvironment) {
    std::string out = run_child(db + " --end \"INSERT INTO T VALUES (1,'a')\" \"INSERT INTO T VALUES (2,'b')\"",
                                "execute:2,bogus:1");
    EXPECT_NE(out.find("INSERT INTO T VALUES (1,'a'): 0 \n"), std::string::npos) << out;
    EXPECT_NE(out.find("INSERT INTO T VALUES (2,'b'): -1 fault injected on purpose: execute call"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("ignored entry \"bogus:1\""), std::string::npos) << out;
    EXPECT_EQ(count(db), "1");
    out = run_child(db + " \"SELECT 1\"", "sessionbegin:1:-2");
    EXPECT_NE(out.find("begin: -2"), std::string::npos) << out;
}

}  // namespace
