// Every fault the layer can inject, at every point where it fires in a
// small session of a load: the call fails with the armed status and a
// message, the session's work is rolled back (the repository byte for byte
// as before), and the layer then runs the same session whole.
#include "fault_hook.h"
#include "oci_sweep.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char kTable[] = "CREATE TABLE ROWS_OF_A_LOAD (a NUMBER(10), s VARCHAR2(30))";
const char kCount[] = "SELECT count(*) FROM ROWS_OF_A_LOAD";

struct Outcome {
    sword status = OCI_SUCCESS;
    std::string message;
};

// Logon, the context, a CLOB for the log, a read of the stored rows, three
// rows written, the commit, the session's end and the close. Stops at the
// first failure, rolls back and frees everything, as a load does.
Outcome load_session(const std::string &db) {
    Client c(db);
    Outcome out;
    auto ok = [&](sword s) {
        if (s == OCI_SUCCESS || s == OCI_NO_DATA) return true;
        out = {s, c.error()};
        return false;
    };
    char col[2][40];
    ub4 n = 0;
    OCIEnv *env = nullptr;
    bool whole = ok(c.logon()) && (c.ctx = ocix_context_create(c.env, c.svc, c.err)) &&
                 ok(ociepgoe(c.ctx, &env, nullptr, nullptr)) && ok(c.lob_alloc()) &&
                 ok(c.lob_write("a line of the log")) && ok(OCILobGetLength(c.svc, c.err, c.lob, &n)) &&
                 ok(OCILobRead(c.svc, c.err, c.lob, &n, 1, col[0], sizeof col[0], nullptr, nullptr, 0, 0)) &&
                 ok(c.prepare("SELECT a, s FROM ROWS_OF_A_LOAD")) && ok(c.define(1, col[0], sizeof col[0])) &&
                 ok(c.define(2, col[1], sizeof col[1])) && ok(c.execute(0));
    for (sword s = OCI_SUCCESS; whole && s == OCI_SUCCESS;) whole = ok(s = c.fetch());
    whole = whole && ok(c.exec("INSERT INTO ROWS_OF_A_LOAD VALUES (3, 'third')")) &&
            ok(c.exec("INSERT INTO ROWS_OF_A_LOAD VALUES (4, 'fourth')")) &&
            ok(c.exec("UPDATE ROWS_OF_A_LOAD SET s = 'first, changed' WHERE a = 1")) &&
            ok(OCITransCommit(c.svc, c.err, OCI_DEFAULT)) && ok(OCISessionEnd(c.svc, c.err, c.ses, OCI_DEFAULT));
    if (!whole && c.svc) OCITransRollback(c.svc, c.err, OCI_DEFAULT);
    return out;
}

class OciFaultSweep : public ::testing::TestWithParam<const char *> {
protected:
    static void SetUpTestSuite() {
        Client c(base());
        ASSERT_EQ(c.logon(), OCI_SUCCESS) << c.error();
        for (const char *sql : {kTable, "INSERT INTO ROWS_OF_A_LOAD VALUES (1, 'first')",
                                "INSERT INTO ROWS_OF_A_LOAD VALUES (2, 'second')"})
            ASSERT_EQ(c.exec(sql), OCI_SUCCESS) << c.error();
        ASSERT_EQ(OCISessionEnd(c.svc, c.err, c.ses, OCI_DEFAULT), OCI_SUCCESS);
    }
    static std::string base() {
        static TempDir dir;
        return dir.file("base.db");
    }
    TempDir dir;
    std::string db = dir.file("r.db");
};

TEST_P(OciFaultSweep, EveryPointWhereTheKindFires) {
    const std::string kind = GetParam();
    const bool at_close = kind == "checkpoint";  // after the commit: nothing to fail but the close
    const std::string before = file_bytes(base());
    int points = 0;
    for (int nth = 1; !HasFailure(); ++nth) {
        SCOPED_TRACE(kind + " call " + std::to_string(nth));
        for (const char *companion : {"-wal", "-shm"}) std::filesystem::remove(db + companion);
        std::filesystem::copy_file(base(), db, std::filesystem::copy_options::overwrite_existing);
        inject_fault(kind.c_str(), nth, OCI_ERROR);
        testing::internal::CaptureStderr();
        Outcome out = load_session(db);
        std::string said = testing::internal::GetCapturedStderr();
        clear_faults();
        bool fired = at_close ? !said.empty() : out.status != OCI_SUCCESS;
        if (!fired) break;
        ++points;
        if (at_close) {
            // Committed, and kept in the write-ahead log, which is said.
            EXPECT_EQ(out.status, OCI_SUCCESS) << out.message;
            EXPECT_NE(said.find("could not be closed whole"), std::string::npos) << said;
            EXPECT_EQ(raw_value(db, kCount), "4");
        } else {
            EXPECT_EQ(out.status, OCI_ERROR);
            EXPECT_NE(out.message.find("fault injected on purpose: " + kind + " call"), std::string::npos)
                << out.message;
            EXPECT_EQ(said, "");
            EXPECT_TRUE(repository_closed(db));
            EXPECT_TRUE(file_bytes(db) == before) << "the repository changed";
        }
        Outcome again = load_session(db);
        EXPECT_EQ(again.status, OCI_SUCCESS) << again.message;
        EXPECT_TRUE(repository_closed(db));
        EXPECT_EQ(raw_value(db, kCount), at_close ? "6" : "4");
    }
    EXPECT_GE(points, 1) << "the session never reaches a " << kind << " fault";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, OciFaultSweep,
                         ::testing::Values("prepare", "define", "execute", "fetch", "lobwrite", "lobread", "loblength",
                                           "sessionbegin", "extprocenv", "commit", "checkpoint"));

}  // namespace
