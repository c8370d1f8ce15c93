// Queries executed deferred go to the server together and are answered in
// one round trip, each as if it had run alone at its execute: its own rows,
// its own failure, and those behind a failure run again by themselves.
#include "failing_new.h"
#include "oci_pg_client.h"

#include <string>
#include <vector>

namespace {

// Statement handles of their own, each with a text define on column 1.
struct Deferred {
    explicit Deferred(Logon &l, size_t n) : l(l), stmts(n), bufs(n) {
        for (OCIStmt *&s : stmts)
            made = OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&s), OCI_HTYPE_STMT, 0, nullptr) == OCI_SUCCESS && made;
    }
    ~Deferred() {
        for (OCIStmt *s : stmts) OCIHandleFree(s, OCI_HTYPE_STMT);
    }
    sword execute(size_t i, const std::string &sql) {
        sword s = OCIStmtPrepare(stmts[i], l.err, reinterpret_cast<const text *>(sql.data()),
                                 static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
        OCIDefine *d = nullptr;
        if (s == OCI_SUCCESS)
            s = OCIDefineByPos(stmts[i], &d, l.err, 1, bufs[i].text, sizeof bufs[i].text, SQLT_STR, nullptr, nullptr,
                               nullptr, OCI_DEFAULT);
        return s == OCI_SUCCESS ? OCIStmtExecute(l.svc, stmts[i], l.err, 0, 0, nullptr, nullptr, OCIX_DEFERRED) : s;
    }
    // The result asked for and every row read: "a,b", or "error: ...".
    std::string rows(size_t i) {
        if (ocix_stmt_result(l.svc, stmts[i], l.err) != OCI_SUCCESS) return "error: " + l.error();
        std::string out;
        sword s;
        while ((s = OCIStmtFetch(stmts[i], l.err, 1, OCI_FETCH_NEXT, OCI_DEFAULT)) == OCI_SUCCESS)
            out += (out.empty() ? "" : ",") + std::string(bufs[i].text);
        return s == OCI_NO_DATA ? out : "fetch error: " + l.error();
    }
    Logon &l;
    bool made = true;  // every handle
    std::vector<OCIStmt *> stmts;
    struct Buf {
        char text[64];
    };
    std::vector<Buf> bufs;
};

class PgDeferred : public PgSession {
protected:
    void SetUp() override {
        PgSession::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(refill()) << l->error();
    }
    bool refill() {
        for (const char *d : {"D1", "D2", "D3"})
            if (l->exec(std::string("INSERT INTO domain VALUES (1, '") + d + "')") != OCI_SUCCESS) return false;
        return ocix_sync(l->svc, l->err) == OCI_SUCCESS;
    }
    static std::string named(const char *name) {
        return std::string("SELECT domainname FROM domain WHERE networkid = 1 AND domainname = '") + name + "'";
    }
};

TEST_F(PgDeferred, EachIsAnsweredAsIfAlone) {
    Deferred q(*l, 4);
    ASSERT_EQ(q.execute(0, named("D2")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(1, named("none")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(2, "SELECT domainname FROM domain WHERE networkid = 1 ORDER BY domainname DESC"), OCI_SUCCESS);
    // The same shape again, now prepared.
    ASSERT_EQ(q.execute(3, named("D3")), OCI_SUCCESS) << l->error();
    // Rows wait for their result, in any order asked.
    EXPECT_EQ(OCIStmtFetch(q.stmts[0], l->err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_ERROR);
    EXPECT_NE(l->error().find("was not asked for"), std::string::npos) << l->error();
    EXPECT_EQ(q.rows(2), "D3,D2,D1");
    EXPECT_EQ(q.rows(0), "D2");
    EXPECT_EQ(q.rows(1), "");
    EXPECT_EQ(q.rows(3), "D3");
    // Asked for twice: there is no deferred query left.
    EXPECT_EQ(q.rows(3), "error: no deferred query was executed");
    // A statement run as usual after deferred ones waits for them.
    ASSERT_EQ(q.execute(0, named("D1")), OCI_SUCCESS) << l->error();
    EXPECT_EQ(l->value("SELECT count(*) FROM domain"), "3");
    EXPECT_EQ(q.rows(0), "D1");
    EXPECT_EQ(l->end(), OCI_SUCCESS) << l->error();
}

TEST_F(PgDeferred, AFailureIsItsOwnAndThoseAfterItRunAlone) {
    Deferred q(*l, 3);
    ASSERT_EQ(q.execute(0, named("D1")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(1, "SELECT domainname FROM domain WHERE 1 / (networkid - 1) = 0"), OCI_SUCCESS);
    ASSERT_EQ(q.execute(2, named("D2")), OCI_SUCCESS) << l->error();
    EXPECT_EQ(q.rows(0), "D1");
    EXPECT_EQ(q.rows(1), "error: division by zero");
    // Run alone after the failure, it meets the failed transaction, as it
    // would have.
    EXPECT_NE(q.rows(2).find("current transaction is aborted"), std::string::npos);
    ASSERT_EQ(l->rollback(), OCI_SUCCESS) << l->error();
    // The session goes on; what it refuses at once is refused at its result.
    ASSERT_EQ(q.execute(0, named("D1")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(1, "SELECT 1; SELECT 2"), OCI_SUCCESS) << l->error();
    EXPECT_EQ(q.rows(0), "");
    EXPECT_EQ(q.rows(1), "error: one statement per text: text follows the first statement");
}

TEST_F(PgDeferred, AStatementPreparedAgainOrFreedTakesNoAnswer) {
    Deferred q(*l, 3);
    ASSERT_EQ(q.execute(0, named("D1")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(1, named("D2")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(2, named("D3")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(0, named("D2")), OCI_SUCCESS) << l->error();
    OCIHandleFree(q.stmts[1], OCI_HTYPE_STMT);
    OCIHandleAlloc(l->env, reinterpret_cast<dvoid **>(&q.stmts[1]), OCI_HTYPE_STMT, 0, nullptr);
    EXPECT_EQ(q.rows(2), "D3");
    EXPECT_EQ(q.rows(0), "D2");
    EXPECT_EQ(l->end(), OCI_SUCCESS) << l->error();
}

TEST_F(PgDeferred, ALostSessionIsTheirEnd) {
    std::string pid = l->value("SELECT pg_backend_pid()");
    Deferred q(*l, 2);
    ASSERT_EQ(q.execute(0, named("D1")), OCI_SUCCESS) << l->error();
    ASSERT_EQ(q.execute(1, named("D2")), OCI_SUCCESS) << l->error();
    pg_run_sql(repo, "SELECT pg_terminate_backend(" + pid + ")");
    EXPECT_NE(q.rows(0).find("has ended and its transaction was rolled back"), std::string::npos);
    // The other waiting query, and any deferred after, hear the same end.
    EXPECT_NE(q.rows(1).find("\" has ended"), std::string::npos);
    EXPECT_EQ(q.execute(0, named("D1")), OCI_ERROR);
    EXPECT_NE(l->error().find("\" has ended"), std::string::npos) << l->error();
    EXPECT_NE(l->end(), OCI_SUCCESS);
    EXPECT_EQ(one("SELECT count(*) FROM domain"), "0");
}

// Every allocation of a window of deferred queries and their answers fails
// in turn: each ends answered or failed for memory, and after the rollback
// the session stores the next rows whole.
TEST_F(PgDeferred, AnAllocationFailureAmongThemLeavesTheSessionWhole) {
    long made = 0;
    for (long n = 0; n == 0 || n <= made; ++n) {
        SCOPED_TRACE(n);
        long used = 0;
        std::vector<std::string> got;
        got.reserve(8);
        bool own = false;  // the test's own strings found no memory
        with_failing_allocation(
            n,
            [&] {
                try {
                    Deferred q(*l, 3);
                    own = !q.made;
                    bool sent = q.made;
                    for (size_t i = 0; sent && i < 3; ++i)
                        if (q.execute(i, named(i == 1 ? "D2" : "D1")) != OCI_SUCCESS) {
                            got.push_back("error: " + l->error());
                            sent = false;
                        }
                    for (size_t i = 0; sent && i < 3; ++i) got.push_back(q.rows(i));
                } catch (const std::bad_alloc &) {
                    own = true;
                }
                return 0;
            },
            &used);
        if (n == 0) {
            made = used;
            EXPECT_EQ(got, (std::vector<std::string>{"D1", "D2", "D1"}));
        }
        for (const std::string &g : got) {
            if (!own && g.find("error") != std::string::npos) {
                EXPECT_NE(g.find("out of memory"), std::string::npos) << g;
            }
        }
        ASSERT_EQ(l->rollback(), OCI_SUCCESS) << l->error();
        if (!refill()) {
            // A session that memory ended takes a new logon.
            l = pg_logon(repo);
            ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
            ASSERT_TRUE(refill()) << l->error();
        }
    }
    EXPECT_GT(made, 0);
    ASSERT_EQ(l->end(), OCI_SUCCESS) << l->error();
    EXPECT_EQ(one("SELECT count(*) FROM domain"), "3");
}

}  // namespace
