// Transactions on a server: loads wait for each other under the
// repository's lock (bounded), readers never wait, a client that dies
// leaves nothing, and a commit whose answer was lost is settled.
#include "fault_hook.h"
#include "oci_pg_client.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

const char kRow1[] = "INSERT INTO networks VALUES (1, 'N1', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')";
const char kRow2[] = "INSERT INTO networks VALUES (2, 'N2', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')";

std::string run_child(const std::string &args) {
    std::string out;
    if (FILE *p = popen((std::string(NDL_BIN_DIR) + "/oci_child " + args + " 2>&1").c_str(), "r")) {
        char buf[512];
        while (fgets(buf, sizeof buf, p)) out += buf;
        EXPECT_EQ(pclose(p), 0) << out;
    }
    return out;
}

using Clock = std::chrono::steady_clock;
long ms_since(Clock::time_point t) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

TEST_F(PgTest, LoadsWaitForEachOtherAndReadersNever) {
    made();
    auto a = pg_logon(repo);
    ASSERT_EQ(a->exec(kRow1), OCI_SUCCESS) << a->error();
    // A reader of the repository sees what was committed, at once.
    auto t0 = Clock::now();
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
    EXPECT_LT(ms_since(t0), 1000);
    // A second load gives up after its wait, with the words of a file's.
    setenv("NDL_BUSY_TIMEOUT_MS", "300", 1);
    auto b = pg_logon(repo);
    unsetenv("NDL_BUSY_TIMEOUT_MS");
    ASSERT_EQ(b->begin_status, OCI_SUCCESS) << b->begin_error;
    t0 = Clock::now();
    EXPECT_EQ(b->exec(kRow2), OCI_ERROR);
    EXPECT_GE(ms_since(t0), 250);
    EXPECT_NE(b->error().find("is locked by another session; gave up after waiting 300 ms"), std::string::npos)
        << b->error();
    EXPECT_EQ(b->end(), OCI_SUCCESS);
    // One that waits long enough runs once the first commits, and reads
    // what the first stored (READ COMMITTED: its snapshot follows the wait).
    auto c = pg_logon(repo);
    std::thread first([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(a->end(), OCI_SUCCESS) << a->error();
    });
    EXPECT_EQ(c->value("SELECT NVL(MAX(networkid), 0) FROM networks"), "1");
    first.join();
    EXPECT_EQ(c->exec(kRow2), OCI_SUCCESS) << c->error();
    EXPECT_EQ(c->end(), OCI_SUCCESS);
    EXPECT_EQ(pg_query_rows(repo, "SELECT networkid FROM networks ORDER BY 1"), (std::vector<std::string>{"1", "2"}));
}

TEST_F(PgTest, TwoFirstLoadsAtOnceMakeOneSchema) {
    auto a = pg_logon(repo);
    auto b = pg_logon(repo);
    ASSERT_EQ(a->begin_status, OCI_SUCCESS) << a->begin_error;
    ASSERT_EQ(b->begin_status, OCI_SUCCESS) << b->begin_error;
    ASSERT_EQ(a->exec(kRow1), OCI_SUCCESS) << a->error();  // makes the schema, holds the lock
    std::thread first([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(a->end(), OCI_SUCCESS) << a->error();
    });
    EXPECT_EQ(b->exec(kRow2), OCI_SUCCESS) << b->error();  // waits, then finds it made
    first.join();
    EXPECT_EQ(b->end(), OCI_SUCCESS) << b->error();
    EXPECT_EQ(one("SELECT count(*) FROM ndl_layout"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "2");
}

TEST_F(PgTest, AClientThatDiesLeavesNothingAndHoldsNothing) {
    made();
    std::string out = run_child("'" + repo + "' \"" + kRow1 + "\"");
    EXPECT_NE(out.find("begin: 0"), std::string::npos) << out;
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
    // The next load runs at once: the lock went with the client.
    setenv("NDL_BUSY_TIMEOUT_MS", "200", 1);
    auto l = pg_logon(repo);
    unsetenv("NDL_BUSY_TIMEOUT_MS");
    EXPECT_EQ(l->exec(kRow1), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->end(), OCI_SUCCESS);
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "1");
}

// The status of a commit whose connection dropped says what a reader now
// sees: stored when the COMMIT had reached the server, else rolled back.
TEST_F(PgTest, ACommitWhoseConnectionDroppedIsSettled) {
    made();
    {
        auto l = pg_logon(repo);
        ASSERT_EQ(l->exec(kRow1), OCI_SUCCESS) << l->error();
        inject_fault("commitdrop", 1, OCI_ERROR);
        // Stored, with a word that its answer was read back.
        EXPECT_EQ(l->commit(), OCI_SUCCESS_WITH_INFO) << l->error();
        clear_faults();
        sb4 code = 0;
        OCIErrorGet(l->err, 1, nullptr, &code, nullptr, 0, OCI_HTYPE_ERROR);
        EXPECT_EQ(code, OCIX_INFO_COMMIT_READ_BACK);
        EXPECT_NE(l->error().find("answer was lost (the connection to the server was lost) and read back"),
                  std::string::npos)
            << l->error();
    }
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "1");
    {
        auto l = pg_logon(repo);
        ASSERT_EQ(l->exec(kRow2), OCI_SUCCESS) << l->error();
        std::string pid = l->value("SELECT pg_backend_pid()");
        pg_run_sql(repo, "SELECT pg_terminate_backend(" + pid + ")");
        EXPECT_EQ(l->commit(), OCI_ERROR);
        EXPECT_NE(l->error().find("rolled back"), std::string::npos) << l->error();
        sb4 code = 0;
        OCIErrorGet(l->err, 1, nullptr, &code, nullptr, 0, OCI_HTYPE_ERROR);
        EXPECT_NE(code, OCIX_ERR_COMMIT_UNKNOWN);
        // The session has ended: nothing more runs on it.
        EXPECT_EQ(l->exec(kRow2), OCI_ERROR);
    }
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "1");
}

// COMMIT of a transaction that a statement failed answers ROLLBACK: the
// commit fails, and nothing of it is stored.
TEST_F(PgTest, ACommitAfterAFailedStatementFails) {
    made();
    auto l = pg_logon(repo);
    ASSERT_EQ(l->exec(kRow1), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->exec("UPDATE nowhere SET a = 1"), OCI_ERROR);
    EXPECT_EQ(l->commit(), OCI_ERROR);
    EXPECT_NE(l->error().find("COMMIT failed, the transaction was rolled back"), std::string::npos) << l->error();
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
}

// A statement that finds the session gone took the transaction with it: a
// commit after it, by a caller that went on, says so.
TEST_F(PgTest, ACommitAfterTheSessionWasLostFails) {
    made();
    auto l = pg_logon(repo);
    ASSERT_EQ(l->exec(kRow1), OCI_SUCCESS) << l->error();
    std::string pid = l->value("SELECT pg_backend_pid()");
    pg_run_sql(repo, "SELECT pg_terminate_backend(" + pid + ")");
    EXPECT_EQ(l->exec("SELECT 1 FROM networks"), OCI_ERROR);
    EXPECT_EQ(l->commit(), OCI_ERROR);
    EXPECT_NE(l->error().find("has ended and its transaction was rolled back"), std::string::npos) << l->error();
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
}

}  // namespace
