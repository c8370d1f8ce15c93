// Statements: the dialect mapping, execute with 0 and 1 iterations, the
// fetch rules of defines without indicators, and the literal-INSERT cache.
#include "oci_client.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>

namespace {

class OciStmt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
        ASSERT_EQ(l.exec("CREATE TABLE T (a NUMBER(10), s VARCHAR2(300), d DATE, r NUMBER)"), OCI_SUCCESS);
    }
    // Rows of T as typeof:quote pairs, through SQLite itself.
    std::string dump(const char *where = "1") {
        return l.value(std::string("SELECT group_concat(x, ' | ') FROM (SELECT typeof(a)||':'||quote(a)||' '||"
                                   "typeof(s)||':'||quote(s)||' '||typeof(r)||':'||quote(r) AS x "
                                   "FROM T WHERE ") + where + " ORDER BY rowid)");
    }
    TempDir dir;
    Logon l{dir.file("s.db")};
};

TEST_F(OciStmt, DialectMapsWhatSQLiteLacks) {
    EXPECT_EQ(l.value("SELECT NVL(NULL,'x') || NVL('a','y') || NVL(NULL,0)"), "xa0");
    std::string now = l.value("SELECT SYSDATE");
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << now;
    char year[8];
    time_t t = time(nullptr);
    strftime(year, sizeof year, "%Y", localtime(&t));
    EXPECT_EQ(now.substr(0, 4), year);
    EXPECT_EQ(l.value("SELECT 'SYSDATE' || \"sysdate\" FROM (SELECT 1 AS \"sysdate\")"), "SYSDATE1");
    EXPECT_EQ(l.value("select sysdate = SysDate"), "1");

    for (int i = 1; i <= 4; ++i) ASSERT_EQ(l.exec("INSERT INTO T VALUES (" + std::to_string(i) + ",'abc',NULL,0)"), 0);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (5,'ABC',NULL,0)"), OCI_SUCCESS);
    EXPECT_EQ(l.value("SELECT count(*) FROM T WHERE s LIKE 'ab%'"), "4");
    EXPECT_EQ(l.exec("DELETE  T WHERE a=1"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.exec("\n\tdelete T\nWHERE a=2\n"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.exec("DELETE FROM T WHERE a=3"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.value("SELECT group_concat(a) FROM T"), "4,5");
}

TEST_F(OciStmt, OneStatementPerText) {
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (1,'a',NULL,0); INSERT INTO T VALUES (2,'b',NULL,0)"), OCI_ERROR);
    EXPECT_NE(l.error().find("one statement per text"), std::string::npos) << l.error();
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (3,'c',NULL,0); DELETE FROM T"), OCI_ERROR);
    EXPECT_EQ(l.exec("  \n"), OCI_ERROR);
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (4,'d',NULL,0) \t\n"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.value("SELECT group_concat(a) FROM T"), "4");
    // the policy-version query of the loader, tabs and all
    EXPECT_EQ(l.exec("INSERT INTO POLICYVERSIONS (networkid, ndlversion, remarks) VALUES (7,1,'')"), OCI_SUCCESS);
    EXPECT_EQ(l.exec("INSERT INTO POLICYVERSIONS (networkid, ndlversion, remarks) VALUES (7,3,'')"), OCI_SUCCESS);
    EXPECT_EQ(l.value("SELECT ndlversion FROM policyversions \t\t\t\t WHERE \t\t\t\t (networkid,ndlversion) "
                      "\t\t\t\t in \t\t\t\t (select networkid,max(ndlversion) \t\t\t\t\tfrom policyversions "
                      "\t\t\t\t\twhere \t\t\t\t\t\tnetworkid=7 \t\t\t\t\tgroup by networkid \t\t\t\t )"),
              "3");
}

TEST_F(OciStmt, ZeroAndOneIterations) {
    for (int i = 1; i <= 3; ++i) ASSERT_EQ(l.exec("INSERT INTO T VALUES (" + std::to_string(i) + ",'x',NULL,0)"), 0);
    int32_t a = -7;
    ASSERT_EQ(l.prepare("SELECT a FROM T ORDER BY a"), OCI_SUCCESS);
    ASSERT_EQ(l.define_int(1, &a), OCI_SUCCESS);
    ASSERT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 0, 0, nullptr, nullptr, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(a, -7);  // no row fetched by the execute
    for (int want = 1; want <= 3; ++want) {
        ASSERT_EQ(l.fetch(), OCI_SUCCESS) << l.error();
        EXPECT_EQ(a, want);
    }
    EXPECT_EQ(l.fetch(), OCI_NO_DATA);
    EXPECT_EQ(l.fetch(), OCI_NO_DATA);

    ASSERT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(a, 1);  // executed again without a new prepare: the first row
    ASSERT_EQ(l.prepare("SELECT a FROM T WHERE a > 10"), OCI_SUCCESS);
    ASSERT_EQ(l.define_int(1, &a), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_NO_DATA);

    EXPECT_EQ(l.exec("DELETE FROM T", 0), OCI_ERROR);
    EXPECT_NE(l.error().find("needs one iteration"), std::string::npos) << l.error();
    EXPECT_EQ(l.value("SELECT count(*) FROM T"), "3");
    ASSERT_EQ(l.prepare("SELECT a FROM T"), OCI_SUCCESS);
    EXPECT_EQ(l.fetch(), OCI_ERROR);  // nothing executed yet
    ASSERT_EQ(l.define_int(2, &a), OCI_SUCCESS);
    EXPECT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_ERROR);
}

// On a file a deferred query runs when its result is asked for: it sees
// what was written before that, and its failure is its result's.
TEST_F(OciStmt, ADeferredQueryRunsAtItsResult) {
    int32_t a = -7;
    ASSERT_EQ(l.prepare("SELECT count(*) FROM T"), OCI_SUCCESS);
    ASSERT_EQ(l.define_int(1, &a), OCI_SUCCESS);
    ASSERT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 0, 0, nullptr, nullptr, OCIX_DEFERRED), OCI_SUCCESS);
    EXPECT_EQ(l.fetch(), OCI_ERROR);
    EXPECT_NE(l.error().find("was not asked for"), std::string::npos) << l.error();
    OCIStmt *other = nullptr;
    OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&other), OCI_HTYPE_STMT, 0, nullptr);
    const std::string insert = "INSERT INTO T VALUES (1,'x',NULL,0)";
    OCIStmtPrepare(other, l.err, reinterpret_cast<const text *>(insert.data()), static_cast<ub4>(insert.size()),
                   OCI_NTV_SYNTAX, OCI_DEFAULT);
    ASSERT_EQ(OCIStmtExecute(l.svc, other, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT), OCI_SUCCESS);
    ASSERT_EQ(ocix_stmt_result(l.svc, l.stmt, l.err), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.fetch(), OCI_SUCCESS) << l.error();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(ocix_stmt_result(l.svc, l.stmt, l.err), OCI_ERROR);
    EXPECT_EQ(l.error(), "no deferred query was executed");
    ASSERT_EQ(l.prepare("SELECT missing FROM T"), OCI_SUCCESS);
    ASSERT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 0, 0, nullptr, nullptr, OCIX_DEFERRED), OCI_SUCCESS);
    EXPECT_EQ(ocix_stmt_result(l.svc, l.stmt, l.err), OCI_ERROR);
    EXPECT_NE(l.error().find("no such column"), std::string::npos) << l.error();
    OCIHandleFree(other, OCI_HTYPE_STMT);
}

TEST_F(OciStmt, FetchRulesOfDefinesWithoutIndicators) {
    struct Case {
        const char *expr;
        ub2 dty;
        sword status;
        const char *value;  // SQLT_STR text, or SQLT_INT in decimal
    } cases[] = {
        {"NULL", SQLT_INT, OCI_ERROR, ""},
        {"NULL", SQLT_STR, OCI_ERROR, ""},
        {"'abc'", SQLT_INT, OCI_ERROR, ""},
        {"''", SQLT_INT, OCI_ERROR, ""},
        {"' 12 '", SQLT_INT, OCI_SUCCESS, "12"},
        {"'1e3'", SQLT_INT, OCI_SUCCESS, "1000"},
        {"2147483647", SQLT_INT, OCI_SUCCESS, "2147483647"},
        {"-2147483648", SQLT_INT, OCI_SUCCESS, "-2147483648"},
        {"2147483648", SQLT_INT, OCI_ERROR, ""},
        {"'-2147483649'", SQLT_INT, OCI_ERROR, ""},
        {"3.0", SQLT_INT, OCI_SUCCESS, "3"},
        {"2.5", SQLT_INT, OCI_ERROR, ""},
        {"42", SQLT_STR, OCI_SUCCESS, "42"},
        {"-2.5", SQLT_STR, OCI_SUCCESS, "-2.5"},
        {"1e3", SQLT_STR, OCI_SUCCESS, "1000"},
        {"''", SQLT_STR, OCI_SUCCESS, ""},
        {"'abcd'", SQLT_STR, OCI_SUCCESS, "abcd"},
        {"'abcdef'", SQLT_STR, OCI_SUCCESS_WITH_INFO, "abcd"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expr);
        int32_t v = 0;
        char buf[5] = "";
        ASSERT_EQ(l.prepare(std::string("SELECT ") + c.expr), OCI_SUCCESS);
        ASSERT_EQ(c.dty == SQLT_INT ? l.define_int(1, &v) : l.define_str(1, buf, sizeof buf), OCI_SUCCESS);
        sword s = OCIStmtExecute(l.svc, l.stmt, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT);
        EXPECT_EQ(s, c.status) << l.error();
        if (s == OCI_ERROR) {
            EXPECT_FALSE(l.error().empty());
        } else {
            EXPECT_EQ(c.dty == SQLT_INT ? std::to_string(v) : std::string(buf), c.value);
        }
    }
    // a cut value still delivers the row, and the next fetch goes on
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (1,'a long text',NULL,0)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (2,'ok',NULL,0)"), OCI_SUCCESS);
    char s[5];
    int32_t a = 0;
    ASSERT_EQ(l.prepare("SELECT a, s FROM T ORDER BY a"), OCI_SUCCESS);
    ASSERT_EQ(l.define_int(1, &a), OCI_SUCCESS);
    ASSERT_EQ(l.define_str(2, s, sizeof s), OCI_SUCCESS);
    ASSERT_EQ(OCIStmtExecute(l.svc, l.stmt, l.err, 0, 0, nullptr, nullptr, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(l.fetch(), OCI_SUCCESS_WITH_INFO);
    EXPECT_EQ(a, 1);
    EXPECT_STREQ(s, "a lo");
    EXPECT_EQ(l.fetch(), OCI_SUCCESS);
    EXPECT_STREQ(s, "ok");
    EXPECT_EQ(l.fetch(), OCI_NO_DATA);
}

TEST_F(OciStmt, DefinesTakeIntAndStrOnly) {
    char buf[8];
    int64_t wide = 0;
    ASSERT_EQ(l.prepare("SELECT 1"), OCI_SUCCESS);
    EXPECT_EQ(OCIDefineByPos(l.stmt, nullptr, l.err, 1, buf, 8, 1, nullptr, nullptr, nullptr, 0), OCI_ERROR);
    EXPECT_EQ(OCIDefineByPos(l.stmt, nullptr, l.err, 1, &wide, 8, SQLT_INT, nullptr, nullptr, nullptr, 0),
              OCI_ERROR);
    EXPECT_EQ(OCIDefineByPos(l.stmt, nullptr, l.err, 0, buf, 8, SQLT_STR, nullptr, nullptr, nullptr, 0), OCI_ERROR);
    OCIDefine *d = nullptr;
    EXPECT_EQ(OCIDefineByPos(l.stmt, &d, l.err, 1, buf, 8, SQLT_STR, nullptr, nullptr, nullptr, 0), OCI_SUCCESS);
    EXPECT_EQ(OCIHandleFree(d, OCI_HTYPE_DEFINE), OCI_SUCCESS);
    EXPECT_EQ(OCIHandleFree(d, OCI_HTYPE_DEFINE), OCI_INVALID_HANDLE);
}

// The cached path must store exactly what the plain statement stores.
TEST_F(OciStmt, LiteralInsertsStoreWhatThePlainPathStores) {
    const char *values[] = {
        "1, 'abc', SYSDATE, 0",
        "-42, 'it''s', NULL, -0",
        "007, '', SYSDATE, '12'",
        "9223372036854775807, '''', NULL, -9223372036854775808",
        "-5, 'a, b) c', NULL, 1.5",
        "12, 'line\none\ttab', 'SYSDATE', ' 7'",
        "'13', '-3', sysdate, 99999999999999999999",
        "0,'x''''y',SYSDATE,'x'",
        "20000000000000000000, 'past 64 bits', SYSDATE, 077662796031452241920",
    };
    int n = 0;
    for (const char *v : values) {
        SCOPED_TRACE(v);
        ++n;
        std::string fast = std::string("INSERT INTO T VALUES (") + v + ")";
        std::string plain = std::string("INSERT INTO T (a, s, d, r) VALUES (") + v + ")";
        ASSERT_EQ(l.exec(fast), OCI_SUCCESS) << l.error();
        ASSERT_EQ(l.exec(plain), OCI_SUCCESS) << l.error();
        std::string rows = dump(("rowid > " + std::to_string(2 * n - 2)).c_str());
        size_t bar = rows.find(" | ");
        ASSERT_NE(bar, std::string::npos) << rows;
        EXPECT_EQ(rows.substr(0, bar), rows.substr(bar + 3));
    }
    EXPECT_EQ(l.value("SELECT count(*) FROM T WHERE d = 'SYSDATE'"), "2");
    EXPECT_EQ(l.value("SELECT count(*) FROM T WHERE d LIKE '2___-__-__ __:__:__'"), "10");
    EXPECT_EQ(l.value("SELECT typeof(a) || typeof(r) FROM T WHERE s = 'past 64 bits' LIMIT 1"), "realreal");
    EXPECT_EQ(l.value("SELECT s FROM T WHERE a = 0"), "x''y");
    // failures read the same on both paths
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (1, 'two')"), OCI_ERROR);
    std::string fast_error = l.error();
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (1, 'two' || '')"), OCI_ERROR);
    EXPECT_EQ(fast_error, l.error());
    EXPECT_NE(fast_error.find("4 columns but 2 values"), std::string::npos) << fast_error;
    // A text cut by a NUL byte, or never closed, is no literal: the plain
    // path refuses both, and nothing is stored.
    std::string count = l.value("SELECT count(*) FROM T");
    EXPECT_EQ(l.exec(std::string("INSERT INTO T VALUES (30, 'a\0b', NULL, 0)", 41)), OCI_ERROR);
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (31, 'abc, NULL, 0)"), OCI_ERROR);
    EXPECT_EQ(l.exec("INSERT INTO T VALUES (32, 'abc'''"), OCI_ERROR);
    EXPECT_EQ(l.value("SELECT count(*) FROM T"), count);
    EXPECT_EQ(l.exec("insert into t values (20, 'lower', NULL, 0)"), OCI_SUCCESS);
    EXPECT_EQ(l.value("SELECT s FROM T WHERE a = 20"), "lower");
}

// Shapes that alternate, and more shapes than the cache keeps: each row
// still goes to its own table with its own values.
TEST_F(OciStmt, LiteralInsertShapesNeverMix) {
    const int tables = 70;
    for (int t = 0; t < tables; ++t)
        ASSERT_EQ(l.exec("CREATE TABLE U" + std::to_string(t) + " (a NUMBER, s VARCHAR2(30), d DATE)"), OCI_SUCCESS);
    const char *tails[] = {"'x', NULL)", "'y''s', SYSDATE)", "SYSDATE, 'z')", "SYSDATE, SYSDATE)"};
    for (int round = 0; round < 2; ++round)
        for (int t = 0; t < tables; ++t)
            for (int k = 0; k < 4; ++k) {
                std::string sql = "INSERT INTO U" + std::to_string(t) + " VALUES (" +
                                  std::to_string(round * 10 + k) + ", " + tails[k];
                ASSERT_EQ(l.exec(sql), OCI_SUCCESS) << sql << ": " << l.error();
            }
    for (int t = 0; t < tables; t += 23) {
        std::string u = "U" + std::to_string(t);
        EXPECT_EQ(l.value("SELECT group_concat(a || ':' || s, ' ') FROM (SELECT a, s FROM " + u +
                          " WHERE a % 10 < 2 ORDER BY rowid)"),
                  "0:x 1:y's 10:x 11:y's")
            << u;
        EXPECT_EQ(l.value("SELECT count(*) FROM " + u + " WHERE a % 10 = 2 AND d = 'z' AND s LIKE '2___-%'"), "2")
            << u;
        EXPECT_EQ(l.value("SELECT count(*) FROM " + u + " WHERE a % 10 = 3 AND d LIKE '2___-%'"), "2") << u;
    }
    // Texts of quotes only, or ending in one, bound as the plain path stores them.
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (14, '''a''''b''', NULL, '%s%d')"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (15, 'tail''', NULL, '''''')"), OCI_SUCCESS);
    EXPECT_EQ(dump("a >= 14"), "integer:14 text:'''a''''b''' text:'%s%d' | integer:15 text:'tail''' text:''''''");
    // An INSERT of another shape between two of one shape.
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (100, 'one', NULL, 1)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO U0 VALUES (100, 'two', NULL)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (101, 'three', NULL, 3)"), OCI_SUCCESS);
    EXPECT_EQ(dump("a >= 100"), "integer:100 text:'one' integer:1 | integer:101 text:'three' integer:3");
    EXPECT_EQ(l.value("SELECT s FROM U0 WHERE a = 100"), "two");
    // Texts that begin as the last one did, spelled or spaced otherwise, or
    // with no literal after the same head.
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (102, 'a', SYSDATE, 1)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (50 + 53, 'b', SYSDATE, 1)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("insert  into t values(104, 'c', SYSDATE, 1)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (105, 'd', SYSDATE, 1)"), OCI_SUCCESS);
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (106, 'e', SYSDATE, 1)"), OCI_SUCCESS);
    EXPECT_EQ(l.exec("INSERT INTO T VALUES ("), OCI_ERROR);
    ASSERT_EQ(l.exec("INSERT INTO U0 VALUES (107, 'f', SYSDATE)"), OCI_SUCCESS);
    EXPECT_EQ(l.value("SELECT group_concat(a || s, ' ') FROM (SELECT a, s FROM T WHERE a > 101 ORDER BY a)"),
              "102a 103b 104c 105d 106e");
    EXPECT_EQ(l.value("SELECT s FROM U0 WHERE a = 107"), "f");
}

// A parameter is bound again only when its value moved or changed: rows of
// one shape whose texts lie where the last ones lay, as long, store their
// own texts; so do rows through another statement handle, or after a text
// that had its quotes undone, or after a text long enough to move the
// statement's own.
TEST_F(OciStmt, LiteralInsertsKeepNothingOfTheRowBefore) {
    OCIStmt *other = nullptr;
    ASSERT_EQ(OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&other), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    auto exec_on = [&](OCIStmt *st, const std::string &sql) {
        sword s = OCIStmtPrepare(st, l.err, reinterpret_cast<const text *>(sql.data()), static_cast<ub4>(sql.size()),
                                 OCI_NTV_SYNTAX, OCI_DEFAULT);
        return s != OCI_SUCCESS ? s : OCIStmtExecute(l.svc, st, l.err, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    };
    const std::string rows[] = {
        "INSERT INTO T VALUES (1, 'ab', SYSDATE, 7)",
        "INSERT INTO T VALUES (2, 'cd', SYSDATE, 7)",
        "INSERT INTO T VALUES (3, 'e''', SYSDATE, 7)",
        "INSERT INTO T VALUES (4, 'fg', SYSDATE, 7)",
        "INSERT INTO T VALUES (5, '" + std::string(280, 'h') + "', SYSDATE, 8)",
        "INSERT INTO T VALUES (6, 'ij', SYSDATE, 8)",
        "INSERT INTO T VALUES (7, 'kl', SYSDATE, 8)",
    };
    for (const std::string &r : rows) ASSERT_EQ(l.exec(r), OCI_SUCCESS) << r << ": " << l.error();
    ASSERT_EQ(exec_on(other, "INSERT INTO T VALUES (8, 'mn', SYSDATE, 8)"), OCI_SUCCESS) << l.error();
    ASSERT_EQ(l.exec("INSERT INTO T VALUES (9, 'op', SYSDATE, 8)"), OCI_SUCCESS) << l.error();
    ASSERT_EQ(exec_on(other, "INSERT INTO T VALUES (9, 'qr', SYSDATE, 9)"), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.value("SELECT group_concat(a || ':' || (CASE WHEN length(s) > 9 THEN length(s) ELSE s END) || ':' || "
                      "r, ' ') FROM (SELECT a, s, r FROM T ORDER BY rowid)"),
              "1:ab:7 2:cd:7 3:e':7 4:fg:7 5:280:8 6:ij:8 7:kl:8 8:mn:8 9:op:8 9:qr:9");
    EXPECT_EQ(OCIHandleFree(other, OCI_HTYPE_STMT), OCI_SUCCESS);
}

// In a file of another encoding SQLite keeps a copy of each bound text:
// every row is bound anew there.
TEST(OciStmtEncoding, RowsOfAUtf16FileStoreTheirOwnTexts) {
    TempDir dir;
    std::string db = dir.file("u16.db");
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(h, "PRAGMA encoding='UTF-16le'; CREATE TABLE x(a); DROP TABLE x;", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(h);
    Logon l(db);
    ASSERT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
    ASSERT_EQ(l.value("PRAGMA encoding"), "UTF-16le");
    ASSERT_EQ(l.exec("CREATE TABLE T (a NUMBER(10), s VARCHAR2(300))"), OCI_SUCCESS);
    for (const char *r : {"INSERT INTO T VALUES (1, 'ab')", "INSERT INTO T VALUES (2, 'cd')",
                          "INSERT INTO T VALUES (3, 'ef')"})
        ASSERT_EQ(l.exec(r), OCI_SUCCESS) << r << ": " << l.error();
    EXPECT_EQ(l.value("SELECT group_concat(a || s, ' ') FROM (SELECT a, s FROM T ORDER BY rowid)"), "1ab 2cd 3ef");
}

}  // namespace
