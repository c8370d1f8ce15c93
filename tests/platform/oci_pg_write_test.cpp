// Rows written to a server go by COPY, table by table: what is stored is
// what the INSERTs say, byte for byte and in order, and a failure is
// reported against the table whose rows caused it. A table's DELETE waits
// in the pipeline for the statement after it, which reports its failure.
#include "failing_new.h"
#include "oci_pg_client.h"

#include <functional>

namespace {

const char kNetwork[] = "INSERT INTO networks VALUES (1, 'N1', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')";
const char kDelete[] = "DELETE domain WHERE networkid = 1";

using PgWrite = PgSession;

TEST_F(PgWrite, RowsInARowAreStoredAsTheirInsertsSay) {
    const char *values[] = {"plain", "it''s", "tab\there", "back\\slash", "new\nline", "", "-", "\\N"};
    for (int i = 0; i < 8; ++i) {
        std::string sql = "INSERT INTO listvalues VALUES (" + std::to_string(i - 3) + ", 'L', '" + values[i] + "')";
        ASSERT_EQ(l->exec(sql), OCI_SUCCESS) << sql << ": " << l->error();
    }
    // A reader in the same transaction sees them all.
    EXPECT_EQ(l->value("SELECT count(*) FROM listvalues"), "8");
    ASSERT_EQ(l->exec("INSERT INTO domain VALUES (1, 'D1')"), OCI_SUCCESS);
    ASSERT_EQ(l->exec("INSERT INTO domain VALUES (1, 'D2')"), OCI_SUCCESS);
    EXPECT_EQ(ocix_sync(l->svc, l->err), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->end(), OCI_SUCCESS) << l->error();
    EXPECT_EQ(pg_query_rows(repo, "SELECT networkid, listname, elementvalue FROM listvalues ORDER BY ndl_seq"),
              (std::vector<std::string>{"-3|L|plain", "-2|L|it's", "-1|L|tab\there", "0|L|back\\slash",
                                        "1|L|new\nline", "2|L|", "3|L|-", "4|L|\\N"}));
    EXPECT_EQ(pg_query_rows(repo, "SELECT domainname FROM domain ORDER BY ndl_seq"),
              (std::vector<std::string>{"D1", "D2"}));
}

TEST_F(PgWrite, AFailureIsReportedAgainstItsTable) {
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (1, 'N1', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (2, 'N2', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    // The duplicate key is found when the table's rows are done.
    EXPECT_EQ(l->exec("INSERT INTO networks VALUES (2, 'N3', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    EXPECT_EQ(ocix_sync(l->svc, l->err), OCI_ERROR);
    EXPECT_NE(l->error().find("duplicate key"), std::string::npos) << l->error();
    EXPECT_NE(l->error().find("(row 3 of those written into networks in a row)"), std::string::npos) << l->error();
    // The load has failed: its commit stores nothing.
    EXPECT_NE(l->end(), OCI_SUCCESS);
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
}

TEST_F(PgWrite, ARowRunAloneFailsAtOnce) {
    // The first row of a table, and any row with SYSDATE, is its own
    // statement: its failure is the statement's.
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (1, 'N1', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    ASSERT_EQ(l->exec("INSERT INTO domain VALUES (1, 'D1')"), OCI_SUCCESS);
    EXPECT_EQ(l->exec("INSERT INTO networks VALUES (1, 'N1', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_ERROR);
    EXPECT_NE(l->error().find("duplicate key"), std::string::npos) << l->error();
}

// The server refuses every DELETE of DOMAIN: whatever follows the DELETE
// (the table's first row, its sync, a query, the commit) fails with the
// DELETE's own message, and nothing of the load is stored.
TEST_F(PgWrite, AFailedDeleteIsReportedByWhatFollowsIt) {
    pg_run_sql(repo, "CREATE FUNCTION no_deletes() RETURNS trigger LANGUAGE plpgsql AS "
                     "$$BEGIN RAISE EXCEPTION 'no deletes of domain'; END$$; "
                     "CREATE TRIGGER no_deletes BEFORE DELETE ON domain EXECUTE FUNCTION no_deletes()");
    const std::function<sword(Logon &)> followers[] = {
        [](Logon &s) { return s.exec("INSERT INTO domain VALUES (1, 'D1')"); },
        [](Logon &s) { return ocix_sync(s.svc, s.err); },
        [](Logon &s) { return s.exec("SELECT count(*) FROM domain"); },
        [](Logon &s) { return s.commit(); },
    };
    for (size_t i = 0; i < std::size(followers); ++i) {
        SCOPED_TRACE(i);
        auto s = pg_logon(repo);
        ASSERT_EQ(s->exec(kNetwork), OCI_SUCCESS) << s->error();
        ASSERT_EQ(s->exec(kDelete), OCI_SUCCESS) << s->error();
        EXPECT_EQ(followers[i](*s), OCI_ERROR);
        EXPECT_NE(s->error().find("no deletes of domain"), std::string::npos) << s->error();
        s->rollback();
        EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
        // The session goes on, out of the pipeline.
        ASSERT_EQ(s->exec(kNetwork), OCI_SUCCESS) << s->error();
        EXPECT_EQ(s->value("SELECT count(*) FROM networks"), "1");
        EXPECT_EQ(s->rollback(), OCI_SUCCESS) << s->error();
    }
}

// A rollback while a table's rows stream by COPY (a load stopped mid-table)
// ends the COPY: the session takes the next load.
TEST_F(PgWrite, ARollbackInTheMiddleOfATablesRowsLeavesTheSessionWhole) {
    ASSERT_EQ(l->exec(kNetwork), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->exec("INSERT INTO domain VALUES (1, 'D1')"), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->exec("INSERT INTO domain VALUES (1, 'D2')"), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->rollback(), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->exec(kNetwork), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->value("SELECT count(*) FROM domain"), "0");
    ASSERT_EQ(l->end(), OCI_SUCCESS) << l->error();
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "1");
}

// A connection cut while a DELETE's result is on its way ends the session
// as any lost connection does: the transaction rolled back, nothing stored.
TEST_F(PgWrite, AConnectionCutWithAResultPendingEndsTheSession) {
    ASSERT_EQ(l->exec(kNetwork), OCI_SUCCESS) << l->error();
    std::string pid = l->value("SELECT pg_backend_pid()");
    ASSERT_EQ(l->exec(kDelete), OCI_SUCCESS) << l->error();
    pg_run_sql(repo, "SELECT pg_terminate_backend(" + pid + ")");
    EXPECT_EQ(ocix_sync(l->svc, l->err), OCI_ERROR);
    EXPECT_NE(l->error().find("has ended and its transaction was rolled back"), std::string::npos) << l->error();
    EXPECT_NE(l->end(), OCI_SUCCESS);
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
}

// Every allocation of the statement sent behind a pending DELETE fails in
// turn: the statement fails for memory or runs, and after the rollback the
// session stores the next load whole.
TEST_F(PgWrite, AnAllocationFailureBehindAPendingDeleteLeavesTheSessionWhole) {
    const std::string insert = "INSERT INTO domain VALUES (1, 'D1')";
    long made = 0;
    for (long n = 0; n == 0 || n <= made; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(l->exec(kNetwork), OCI_SUCCESS) << l->error();
        ASSERT_EQ(l->exec(kDelete), OCI_SUCCESS) << l->error();
        long used = 0;
        sword s = with_failing_allocation(n, [&] { return l->exec(insert); }, &used);
        if (n == 0) made = used;
        if (s != OCI_SUCCESS) {
            EXPECT_NE(l->error().find("out of memory"), std::string::npos) << l->error();
        }
        ASSERT_EQ(l->rollback(), OCI_SUCCESS) << l->error();
        EXPECT_EQ(one("SELECT count(*) FROM networks"), "0");
    }
    EXPECT_GT(made, 0);
    ASSERT_EQ(l->exec(kDelete), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->exec(insert), OCI_SUCCESS) << l->error();
    ASSERT_EQ(l->end(), OCI_SUCCESS) << l->error();
    EXPECT_EQ(one("SELECT count(*) FROM domain"), "1");
}

}  // namespace
