// The statements as the callers write them, on a server: the dialect the
// layer maps, the define rules as on a file, and rows in insertion order
// whatever plan the server picks.
#include "oci_pg_client.h"

#include <cstdlib>
#include <regex>

namespace {

using PgDialect = PgSession;

TEST_F(PgDialect, TheCallersTextsRunAsOnAFile) {
    // SYSDATE stores SQLite's shape of a date; DELETE without FROM.
    ASSERT_EQ(l->exec("INSERT INTO project VALUES (1, 1, 'S', 'D', 0, 'O', SYSDATE, SYSDATE, 0, 'R')"), OCI_SUCCESS)
        << l->error();
    EXPECT_TRUE(std::regex_match(l->value("SELECT created FROM project"),
                                 std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")));
    EXPECT_EQ(l->exec("DELETE project WHERE networkid = 1"), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->value("SELECT count(*) FROM project"), "0");
    // NVL of two texts, a number and a text, two numbers (max of nothing).
    EXPECT_EQ(l->value("SELECT NVL(MAX(networkid), 0) FROM networks"), "0");
    EXPECT_EQ(l->value("SELECT NVL(MAX(networkname), 'none') FROM networks"), "none");
    EXPECT_EQ(l->value("SELECT NVL(MAX(networkid), 'none') FROM networks"), "none");
    // The column offset, unquoted as the readers write it.
    ASSERT_EQ(l->exec("INSERT INTO domainoffsetlist (networkid, offset) VALUES (1, '5')"), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->value("SELECT offset FROM domainoffsetlist WHERE networkid=1"), "5");
    // LIKE tells case; texts compare byte by byte; an empty text stays one.
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (1, 'Net', '', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (2, 'net', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS);
    EXPECT_EQ(l->value("SELECT count(*) FROM networks WHERE networkname LIKE 'n%'"), "1");
    EXPECT_EQ(l->value("SELECT networkname FROM networks ORDER BY networkname"), "Net");
    EXPECT_EQ(l->value("SELECT count(*) FROM networks WHERE organization = ''"), "1");
    // Literals go as parameters; an ORDER BY's column positions and a
    // literal that a type name prefixes stay in the text.
    EXPECT_EQ(l->value("SELECT networkname, networkid FROM networks ORDER BY 2 DESC"), "net");
    EXPECT_EQ(l->value("SELECT count(*) FROM networks WHERE DATE '2020-01-02' > DATE '2020-01-01'"), "2");
    EXPECT_EQ(l->value("SELECT 'O''Brien' || ' \\ ' || 7 FROM networks WHERE networkid = -(-2)"), "O'Brien \\ 7");
    // One statement per text.
    EXPECT_EQ(l->exec("DELETE networks WHERE networkid = 1; DELETE networks"), OCI_ERROR);
    EXPECT_NE(l->error().find("one statement per text"), std::string::npos) << l->error();
    EXPECT_EQ(l->exec("DELETE networks WHERE networkid = 3;  "), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->end(), OCI_SUCCESS);
    EXPECT_EQ(one("SELECT organization IS NULL FROM networks WHERE networkid = 1"), "f");
}

TEST_F(PgDialect, DefinesRefuseWhatTheirBufferCannotHold) {
    // NUMBER(10) holds every 10-digit value; a 4-byte define refuses it.
    ASSERT_EQ(l->exec("INSERT INTO networks VALUES (9999999999, 'Bigger', NULL, 'A', 'C', 'PT', 'z', 'e', 'ALL')"),
              OCI_SUCCESS)
        << l->error();
    int32_t v = 0;
    ASSERT_EQ(l->prepare("SELECT networkid FROM networks"), OCI_SUCCESS);
    ASSERT_EQ(l->define_int(1, &v), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l->svc, l->stmt, l->err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_ERROR);
    EXPECT_EQ(l->error(), "fetched value \"9999999999\" at position 1 is out of the 32-bit range for a 4-byte integer");
    // NULL fails the fetch.
    char buf[4];
    ASSERT_EQ(l->prepare("SELECT organization FROM networks"), OCI_SUCCESS);
    ASSERT_EQ(l->define_str(1, buf, sizeof buf), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l->svc, l->stmt, l->err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_ERROR);
    EXPECT_EQ(l->error(), "fetched column value is NULL (position 1)");
    // A text longer than its buffer is cut, with the note.
    ASSERT_EQ(l->prepare("SELECT networkname FROM networks"), OCI_SUCCESS);
    ASSERT_EQ(l->define_str(1, buf, sizeof buf), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l->svc, l->stmt, l->err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_SUCCESS_WITH_INFO);
    EXPECT_STREQ(buf, "Big");
    EXPECT_EQ(l->fetch(), OCI_NO_DATA);
    // A text that is no number fails an integer define; a define past the
    // query's columns is refused.
    ASSERT_EQ(l->prepare("SELECT networkname, networkid FROM networks"), OCI_SUCCESS);
    ASSERT_EQ(l->define_int(1, &v), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l->svc, l->stmt, l->err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_ERROR);
    EXPECT_NE(l->error().find("is not a number"), std::string::npos) << l->error();
    ASSERT_EQ(l->define_int(3, &v), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l->svc, l->stmt, l->err, 0, 0, nullptr, nullptr, OCI_DEFAULT), OCI_ERROR);
    EXPECT_EQ(l->error(), "define position 3 is beyond the 2 columns of the query");
}

// Rows come back in the order they were stored, as SQLite's rowid gives
// them: after a delete the server puts new rows into the freed room, and a
// parallel scan hands out pages as its workers finish them.
TEST_F(PgDialect, ReadersGetRowsInInsertionOrder) {
    constexpr int kRows = 200000;
    ASSERT_EQ(l->exec("INSERT INTO listvalues SELECT 1, 'L', g::text FROM generate_series(1, 100000) g"),
              OCI_SUCCESS)
        << l->error();
    ASSERT_EQ(l->exec("DELETE listvalues WHERE elementvalue::int <= 50000"), OCI_SUCCESS);
    ASSERT_EQ(l->end(), OCI_SUCCESS);
    pg_run_sql(repo, "VACUUM listvalues");
    l = pg_logon(repo);
    ASSERT_EQ(l->exec("INSERT INTO listvalues SELECT 1, 'L', g::text FROM generate_series(100001, 250000) g"),
              OCI_SUCCESS)
        << l->error();
    ASSERT_EQ(l->end(), OCI_SUCCESS);
    // The reader's own session plans a parallel scan for any table.
    setenv("PGOPTIONS",
           "-c parallel_setup_cost=0 -c parallel_tuple_cost=0 -c min_parallel_table_scan_size=0 "
           "-c max_parallel_workers_per_gather=4 -c force_parallel_mode=on",
           1);
    l = pg_logon(repo);
    unsetenv("PGOPTIONS");
    ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
    char buf[32];
    ASSERT_EQ(l->prepare("SELECT elementvalue FROM listvalues WHERE networkid=1"), OCI_SUCCESS);
    ASSERT_EQ(l->define_str(1, buf, sizeof buf), OCI_SUCCESS);
    sword s = OCIStmtExecute(l->svc, l->stmt, l->err, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    int n = 0, out_of_order = 0, expected = 50001;
    for (; s == OCI_SUCCESS; s = l->fetch(), ++n, ++expected)
        if (std::atoi(buf) != expected) ++out_of_order;
    EXPECT_EQ(s, OCI_NO_DATA) << l->error();
    EXPECT_EQ(n, kRows);
    EXPECT_EQ(out_of_order, 0);
    // Without the order the server's own would differ: the test would
    // prove nothing if it did not.
    auto raw = pg_query_rows(repo, "SELECT elementvalue FROM listvalues LIMIT 1");
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_NE(raw[0], "50001");
}

}  // namespace
