// Rows written to a server go by COPY, table by table: what is stored is
// what the INSERTs say, byte for byte and in order, and a failure is
// reported against the table whose rows caused it.
#include "oci_pg_client.h"

namespace {

class PgWrite : public PgTest {
protected:
    void SetUp() override {
        PgTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        made();
        l = pg_logon(repo);
        ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
    }
    void TearDown() override {
        l.reset();
        PgTest::TearDown();
    }
    std::unique_ptr<Logon> l;
};

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

}  // namespace
