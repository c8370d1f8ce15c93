// Every call of the OCI layer with each of its allocations failing in
// turn: it fails with OCI_ERROR and says "memory" (where an error handle
// or the environment can take it) or succeeds as unfailed, changes nothing
// when it fails (the same call then succeeds, the rows land where they
// should), and everything frees without a leak, the repository closed.
#include "oci_sweep.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "failing_new.h"

namespace {

const char kNarrow[] = "CREATE TABLE NARROW_TABLE_OF_ROWS (a NUMBER(10), s VARCHAR2(30))";
const char kWide[] =
    "CREATE TABLE WIDE_TABLE_OF_MORE_ROWS (a NUMBER(10), s VARCHAR2(30), t VARCHAR2(30), u NUMBER(10))";
const char kRowA[] = "INSERT INTO NARROW_TABLE_OF_ROWS VALUES (1, 'first row of the narrow table')";
const char kRowB[] = "INSERT INTO WIDE_TABLE_OF_MORE_ROWS VALUES (2, 'a row of the wide table', 'it''s quoted', 9)";
const char kRowA2[] = "INSERT INTO NARROW_TABLE_OF_ROWS VALUES (3, 'another row of the narrow table')";

// Where a failed call leaves its reason.
enum class Says { ErrorHandle, Env, Status };

struct Step {
    const char *name;
    void (*setup)(Client &);   // run unfailed first
    sword (*call)(Client &);   // the call under test
    Says says;
    void (*failed)(Client &);  // after the call failed: what must still hold
    void (*then)(Client &);    // after the call went through: what must hold
};

void PrintTo(const Step &step, std::ostream *os) { *os << step.name; }

void logon(Client &c) { ASSERT_EQ(c.logon(), OCI_SUCCESS) << c.error(); }
void env_only(Client &c) { ASSERT_EQ(c.env_init(), OCI_SUCCESS); }
void with_handles(Client &c) {
    env_only(c);
    ASSERT_EQ(c.handles(), OCI_SUCCESS);
}
void attached(Client &c) {
    with_handles(c);
    ASSERT_EQ(c.attach(), OCI_SUCCESS) << c.error();
}
// The rest of the logon, after the handles.
void then_logon(Client &c) {
    ASSERT_EQ(c.attach(), OCI_SUCCESS) << c.error();
    ASSERT_EQ(c.begin(), OCI_SUCCESS) << c.error();
}
void one_row(Client &c) {
    logon(c);
    ASSERT_EQ(c.exec(kRowA), OCI_SUCCESS) << c.error();
}
void a_row_then_wide(Client &c) {
    one_row(c);
    ASSERT_EQ(c.prepare(kRowB), OCI_SUCCESS);
}
void a_row_then_same(Client &c) {
    one_row(c);
    ASSERT_EQ(c.prepare(kRowA2), OCI_SUCCESS);
}
char g_buf[2][64];
void query_defined(Client &c) {
    one_row(c);
    ASSERT_EQ(c.prepare("SELECT s, a FROM NARROW_TABLE_OF_ROWS"), OCI_SUCCESS);
    ASSERT_EQ(c.define(1, g_buf[0], sizeof g_buf[0]), OCI_SUCCESS);
}
void query_open(Client &c) {
    query_defined(c);
    ASSERT_EQ(c.define(2, g_buf[1], sizeof g_buf[1]), OCI_SUCCESS);
    ASSERT_EQ(c.execute(0), OCI_SUCCESS);
}
void lob_written(Client &c) {
    logon(c);
    ASSERT_EQ(c.lob_alloc(), OCI_SUCCESS);
    ASSERT_EQ(c.lob_write("the first line of the log"), OCI_SUCCESS);
}
void with_context(Client &c) {
    logon(c);
    ASSERT_TRUE((c.ctx = ocix_context_create(c.env, c.svc, c.err)));
}

std::string rows(Client &c, const char *table) { return c.value(std::string("SELECT count(*) FROM ") + table); }

// A row of the shape before goes into its own table, through another
// statement handle; then it is taken out again.
void narrow_row_lands_there(Client &c) {
    OCIStmt *mine = c.stmt;
    ASSERT_EQ(c.alloc(reinterpret_cast<dvoid **>(&c.stmt), OCI_HTYPE_STMT), OCI_SUCCESS);
    EXPECT_EQ(c.exec(kRowA2), OCI_SUCCESS) << c.error();
    EXPECT_EQ(rows(c, "NARROW_TABLE_OF_ROWS"), "2");
    EXPECT_EQ(rows(c, "WIDE_TABLE_OF_MORE_ROWS"), "0");
    EXPECT_EQ(c.exec("DELETE NARROW_TABLE_OF_ROWS WHERE a = 3"), OCI_SUCCESS) << c.error();
    OCIHandleFree(c.stmt, OCI_HTYPE_STMT);
    c.stmt = mine;
}

// The rows of the narrow and the wide table, as committed.
void committed(Client &c, const char *narrow, const char *wide) {
    EXPECT_EQ(OCITransCommit(c.svc, c.err, OCI_DEFAULT), OCI_SUCCESS) << c.error();
    EXPECT_EQ(rows(c, "NARROW_TABLE_OF_ROWS"), narrow);
    EXPECT_EQ(rows(c, "WIDE_TABLE_OF_MORE_ROWS"), wide);
}

const Step kSteps[] = {
    {"OCIEnvInit", nullptr, [](Client &c) { return c.env_init(); }, Says::Status, nullptr,
     [](Client &c) { ASSERT_EQ(c.handles(), OCI_SUCCESS); }},
    {"OCIHandleAlloc", env_only, [](Client &c) { return c.handles(); }, Says::Env, nullptr, then_logon},
    {"OCIHandleFree", query_open, [](Client &c) { return OCIHandleFree(c.stmt, OCI_HTYPE_STMT); }, Says::Status,
     nullptr, nullptr},
    {"OCIHandleFree(env)", query_open,
     [](Client &c) {
         sword s = OCIHandleFree(c.env, OCI_HTYPE_ENV);
         c.env = nullptr;
         return s;
     },
     Says::Status, nullptr, nullptr},
    {"OCIServerAttach", with_handles, [](Client &c) { return c.attach(); }, Says::ErrorHandle, nullptr,
     [](Client &c) { ASSERT_EQ(c.begin(), OCI_SUCCESS) << c.error(); }},
    {"OCIAttrSet", with_handles,
     [](Client &c) {
         static char user[] = "a user name longer than any short string";
         return OCIAttrSet(c.ses, OCI_HTYPE_SESSION, user, sizeof user - 1, OCI_ATTR_USERNAME, c.err);
     },
     Says::ErrorHandle, nullptr, nullptr},
    {"OCISessionBegin(new repository)",
     [](Client &c) {
         std::filesystem::remove(c.db);
         attached(c);
     },
     [](Client &c) { return c.begin(); }, Says::ErrorHandle, nullptr,
     [](Client &c) { EXPECT_EQ(c.value("SELECT count(*) > 10 FROM sqlite_master"), "1"); }},
    {"OCISessionBegin", attached, [](Client &c) { return c.begin(); }, Says::ErrorHandle, nullptr,
     [](Client &c) { committed(c, "0", "0"); }},
    {"OCISessionEnd", one_row, [](Client &c) { return OCISessionEnd(c.svc, c.err, c.ses, OCI_DEFAULT); },
     Says::ErrorHandle, nullptr,
     [](Client &c) { EXPECT_EQ(raw_value(c.db, "SELECT count(*) FROM NARROW_TABLE_OF_ROWS"), "1"); }},
    {"OCITransCommit", one_row, [](Client &c) { return OCITransCommit(c.svc, c.err, OCI_DEFAULT); },
     Says::ErrorHandle, nullptr, [](Client &c) { committed(c, "1", "0"); }},
    {"OCITransRollback", one_row, [](Client &c) { return OCITransRollback(c.svc, c.err, OCI_DEFAULT); },
     Says::ErrorHandle, nullptr, [](Client &c) { committed(c, "0", "0"); }},
    {"OCIStmtPrepare", one_row, [](Client &c) { return c.prepare(kRowA2); }, Says::ErrorHandle, nullptr,
     [](Client &c) {
         ASSERT_EQ(c.execute(), OCI_SUCCESS);
         committed(c, "2", "0");
     }},
    {"OCIDefineByPos", query_defined, [](Client &c) { return c.define(2, g_buf[1], sizeof g_buf[1]); },
     Says::ErrorHandle,
     [](Client &c) {
         ASSERT_EQ(c.execute(), OCI_SUCCESS) << c.error();  // with the define before
         EXPECT_STREQ(g_buf[0], "first row of the narrow table");
     },
     [](Client &c) {
         ASSERT_EQ(c.execute(), OCI_SUCCESS) << c.error();
         EXPECT_STREQ(g_buf[1], "1");
     }},
    // A row of a new, wider shape, then one of the shape before: each
    // lands in its own table.
    {"OCIStmtExecute(new shape)", a_row_then_wide, [](Client &c) { return c.execute(); }, Says::ErrorHandle,
     narrow_row_lands_there,
     [](Client &c) {
         ASSERT_EQ(c.exec(kRowA2), OCI_SUCCESS) << c.error();
         committed(c, "2", "1");
         EXPECT_EQ(c.value("SELECT t FROM WIDE_TABLE_OF_MORE_ROWS"), "it's quoted");
     }},
    {"OCIStmtExecute(same shape)", a_row_then_same, [](Client &c) { return c.execute(); }, Says::ErrorHandle,
     nullptr, [](Client &c) { committed(c, "2", "0"); }},
    {"OCIStmtExecute(plain)", one_row,
     [](Client &c) { return c.exec("UPDATE NARROW_TABLE_OF_ROWS SET s = 'changed by a plain statement' WHERE a = 1"); },
     Says::ErrorHandle, nullptr,
     [](Client &c) { EXPECT_EQ(c.value("SELECT s FROM NARROW_TABLE_OF_ROWS"), "changed by a plain statement"); }},
    {"OCIStmtExecute(query)", query_defined, [](Client &c) { return c.execute(); }, Says::ErrorHandle, nullptr,
     [](Client &) { EXPECT_STREQ(g_buf[0], "first row of the narrow table"); }},
    {"OCIStmtFetch", query_open, [](Client &c) { return c.fetch(); }, Says::ErrorHandle, nullptr,
     [](Client &c) { EXPECT_EQ(c.fetch(), OCI_NO_DATA); }},
    {"OCIDescriptorAlloc", logon, [](Client &c) { return c.lob_alloc(); }, Says::Env, nullptr,
     [](Client &c) { EXPECT_EQ(c.lob_write("x"), OCI_SUCCESS); }},
    {"OCIDescriptorFree", lob_written, [](Client &c) { return OCIDescriptorFree(c.lob, OCI_DTYPE_LOB); },
     Says::Status, nullptr, nullptr},
    {"OCILobWrite", lob_written, [](Client &c) { return c.lob_write("written past the end", 30); },
     Says::ErrorHandle, [](Client &c) { EXPECT_STREQ(ocix_lob_text(c.lob, nullptr), "the first line of the log"); },
     [](Client &c) {
         EXPECT_STREQ(ocix_lob_text(c.lob, nullptr), "the first line of the log    written past the end");
     }},
    {"OCILobRead", lob_written,
     [](Client &c) {
         ub4 n = 5;
         return OCILobRead(c.svc, c.err, c.lob, &n, 5, g_buf[0], sizeof g_buf[0], nullptr, nullptr, 0,
                           SQLCS_IMPLICIT);
     },
     Says::ErrorHandle, nullptr, nullptr},
    {"OCILobGetLength", lob_written,
     [](Client &c) {
         ub4 n = 0;
         return OCILobGetLength(c.svc, c.err, c.lob, &n);
     },
     Says::ErrorHandle, nullptr, nullptr},
    {"OCILobTrim", lob_written, [](Client &c) { return OCILobTrim(c.svc, c.err, c.lob, 3); }, Says::ErrorHandle,
     nullptr, [](Client &c) { EXPECT_STREQ(ocix_lob_text(c.lob, nullptr), "the"); }},
    {"OCIErrorGet", [](Client &c) {
         logon(c);
         c.exec("SELECT nothing FROM nowhere");
     },
     [](Client &c) {
         sb4 code = 0;
         return OCIErrorGet(c.err, 1, nullptr, &code, reinterpret_cast<text *>(g_buf[0]), sizeof g_buf[0],
                            OCI_HTYPE_ERROR);
     },
     Says::Status, nullptr, nullptr},
    {"ocix_context_create", logon,
     [](Client &c) { return (c.ctx = ocix_context_create(c.env, c.svc, c.err)) ? OCI_SUCCESS : OCI_ERROR; },
     Says::Env, nullptr, nullptr},
    {"ociepgoe", with_context,
     [](Client &c) {
         OCIEnv *env = nullptr;
         OCISvcCtx *svc = nullptr;
         OCIError *err = nullptr;
         sword s = ociepgoe(c.ctx, &env, &svc, &err);
         return s || (env == c.env && svc == c.svc && err == c.err) ? s : OCI_ERROR;
     },
     Says::ErrorHandle, nullptr, nullptr},
    {"ocix_context_free", with_context,
     [](Client &c) {
         ocix_context_free(c.ctx);
         c.ctx = nullptr;
         return OCI_SUCCESS;
     },
     Says::Status, nullptr, nullptr},
};

class OciMemory : public ::testing::TestWithParam<Step> {
protected:
    static void SetUpTestSuite() {
        Client c(base());
        ASSERT_EQ(c.logon(), OCI_SUCCESS) << c.error();
        ASSERT_EQ(c.exec(kNarrow), OCI_SUCCESS) << c.error();
        ASSERT_EQ(c.exec(kWide), OCI_SUCCESS) << c.error();
        ASSERT_EQ(OCISessionEnd(c.svc, c.err, c.ses, OCI_DEFAULT), OCI_SUCCESS);
    }
    static std::string base() {
        static TempDir dir;
        return dir.file("base.db");
    }
    // A fresh copy of the base repository, set up for the step.
    void start(Client &c) {
        std::filesystem::copy_file(base(), c.db, std::filesystem::copy_options::overwrite_existing);
        if (GetParam().setup) GetParam().setup(c);
    }
    TempDir dir;
};

TEST_P(OciMemory, EachAllocationFailingInTurn) {
    const Step &step = GetParam();
    Client c(dir.file("r.db"));
    start(c);
    long made = 0;
    sword want = with_failing_allocation(0, [&] { return step.call(c); }, &made);
    ASSERT_EQ(want, OCI_SUCCESS) << c.error();
    if (step.then) step.then(c);
    c.free_all();
    ASSERT_TRUE(repository_closed(c.db));
    for (long n = 1; n <= made && !HasFailure(); ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(made));
        start(c);
        sword got = with_failing_allocation(n, [&] { return step.call(c); });
        if (got != want) {
            EXPECT_EQ(got, OCI_ERROR);
            if (step.says != Says::Status) {
                std::string why = c.error(step.says == Says::Env ? OCI_HTYPE_ENV : OCI_HTYPE_ERROR);
                EXPECT_NE(why.find("memory"), std::string::npos) << why;
            }
            if (step.failed) step.failed(c);
            EXPECT_EQ(step.call(c), want) << c.error();
        }
        if (step.then) step.then(c);
        c.free_all();
        EXPECT_TRUE(repository_closed(c.db));
    }
}

// A load's log, up to the room its locator is made with, is written
// without an allocation: no line of it is lost where memory runs out.
TEST(OciLobRoom, ALogWithinItsRoomAllocatesNothing) {
    TempDir dir;
    Client c(dir.file("r.db"));
    ASSERT_EQ(c.logon(), OCI_SUCCESS) << c.error();
    ASSERT_EQ(c.lob_alloc(), OCI_SUCCESS);
    const std::string line(100, 'x');
    long made = -1;
    ub4 offset = 1;
    sword status = with_failing_allocation(
        0,
        [&] {
            sword s = OCI_SUCCESS;
            for (int i = 0; i < 600 && s == OCI_SUCCESS; ++i, offset += static_cast<ub4>(line.size()))
                s = c.lob_write(line, offset);
            return s;
        },
        &made);
    EXPECT_EQ(status, OCI_SUCCESS) << c.error();
    EXPECT_EQ(made, 0);
    c.free_all();
}

INSTANTIATE_TEST_SUITE_P(EveryCall, OciMemory, ::testing::ValuesIn(kSteps),
                         [](const ::testing::TestParamInfo<Step> &info) {
                             std::string name;
                             for (const char *p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

}  // namespace
