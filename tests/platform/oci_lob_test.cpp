// CLOB locators, error texts, fault injection and the external-procedure
// context.
#include "fault_hook.h"
#include "oci_client.h"

#include <gtest/gtest.h>

namespace {

class OciLob : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(OCIDescriptorAlloc(l.env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr),
                  OCI_SUCCESS);
    }
    void TearDown() override { clear_faults(); }
    sword write(const std::string &s, ub4 offset, ub4 *amount) {
        *amount = static_cast<ub4>(s.size());
        return OCILobWrite(l.svc, l.err, lob, amount, offset, const_cast<char *>(s.data()),
                           static_cast<ub4>(s.size()), OCI_ONE_PIECE, nullptr, nullptr, 0, SQLCS_IMPLICIT);
    }
    std::string content() {
        ub4 len = 0;
        const char *p = ocix_lob_text(lob, &len);
        return p ? std::string(p, len) : "<null>";
    }
    TempDir dir;
    Logon l{dir.file("l.db")};
    OCILobLocator *lob = nullptr;
};

TEST_F(OciLob, WritesReadsLengthAndTrim) {
    ub4 amount = 0;
    ASSERT_EQ(write("hello", 1, &amount), OCI_SUCCESS);
    EXPECT_EQ(amount, 5u);
    ASSERT_EQ(write(" world", 6, &amount), OCI_SUCCESS);
    ASSERT_EQ(write("J", 1, &amount), OCI_SUCCESS);
    ASSERT_EQ(write("x", 15, &amount), OCI_SUCCESS);  // past the end: blanks between
    EXPECT_EQ(content(), "Jello world   x");
    ASSERT_EQ(write("", 3, &amount), OCI_SUCCESS);
    EXPECT_EQ(amount, 0u);
    EXPECT_EQ(content(), "Jello world   x");
    EXPECT_EQ(write("y", 0, &amount), OCI_ERROR);

    ub4 len = 0;
    ASSERT_EQ(OCILobGetLength(l.svc, l.err, lob, &len), OCI_SUCCESS);
    EXPECT_EQ(len, 15u);
    char buf[4] = {};
    amount = 100;
    ASSERT_EQ(OCILobRead(l.svc, l.err, lob, &amount, 7, buf, 3, nullptr, nullptr, 0, SQLCS_IMPLICIT), OCI_SUCCESS);
    EXPECT_EQ(amount, 3u);  // bounded by the buffer
    EXPECT_STREQ(buf, "wor");
    amount = 2;
    ASSERT_EQ(OCILobRead(l.svc, l.err, lob, &amount, 14, buf, 3, nullptr, nullptr, 0, SQLCS_IMPLICIT), OCI_SUCCESS);
    EXPECT_EQ(amount, 2u);
    amount = 5;
    EXPECT_EQ(OCILobRead(l.svc, l.err, lob, &amount, 16, buf, 3, nullptr, nullptr, 0, SQLCS_IMPLICIT), OCI_NO_DATA);
    EXPECT_EQ(amount, 0u);

    EXPECT_EQ(OCILobTrim(l.svc, l.err, lob, 5), OCI_SUCCESS);
    EXPECT_EQ(content(), "Jello");
    EXPECT_EQ(OCILobTrim(l.svc, l.err, lob, 6), OCI_ERROR);
    EXPECT_EQ(OCIDescriptorFree(lob, OCI_DTYPE_LOB), OCI_SUCCESS);
    EXPECT_EQ(OCILobGetLength(l.svc, l.err, lob, &len), OCI_INVALID_HANDLE);
    EXPECT_EQ(ocix_lob_text(lob, &len), nullptr);
}

// The log writer's way: each message, then "<br>", at a moving offset.
TEST_F(OciLob, AppendingAtTheReportedAmount) {
    ub4 index = 1, amount = 0;
    for (const char *m : {"first", "", "Error table X - OCI_NODATA\n"}) {
        write(m, index, &amount);
        index += amount;
        write("<br>", index, &amount);
        index += amount;
    }
    EXPECT_EQ(content(), "first<br><br>Error table X - OCI_NODATA\n<br>");
    EXPECT_EQ(index, 1u + 5 + 0 + 27 + 3 * 4);
}

TEST_F(OciLob, ErrorTextsAreBounded) {
    text buf[8] = "unset";
    sb4 code = 0;
    EXPECT_EQ(OCIErrorGet(l.err, 1, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ERROR), OCI_NO_DATA);
    EXPECT_EQ(l.exec("SELECT a FROM no_such_table"), OCI_ERROR);
    EXPECT_EQ(OCIErrorGet(l.err, 1, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ERROR), OCI_SUCCESS);
    EXPECT_NE(code, 0);
    EXPECT_STREQ(reinterpret_cast<char *>(buf), "no such");
    EXPECT_EQ(l.error(), "no such table: no_such_table");
    EXPECT_EQ(OCIErrorGet(l.err, 2, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ERROR), OCI_NO_DATA);
    EXPECT_EQ(OCIErrorGet(l.err, 1, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ENV), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIErrorGet(l.svc, 1, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    // The record keeps the last failure through calls that succeed: the
    // loader logs a line (a LOB write) before it reads the error text.
    EXPECT_EQ(l.value("SELECT 1"), "1");
    EXPECT_EQ(l.error(), "no such table: no_such_table");
}

TEST_F(OciLob, InjectedFaultsFireOnceAtTheirCall) {
    inject_fault("execute", 2, OCI_ERROR);
    EXPECT_EQ(l.value("SELECT 1"), "1");
    EXPECT_EQ(l.value("SELECT 2"), "status -1: fault injected on purpose: execute call");
    EXPECT_EQ(l.value("SELECT 3"), "3");

    inject_fault("fetch", 1, OCI_INVALID_HANDLE);
    ASSERT_EQ(l.exec("SELECT 1", 0), OCI_SUCCESS);
    EXPECT_EQ(l.fetch(), OCI_INVALID_HANDLE);

    ub4 amount = 0;
    inject_fault("lobwrite", 1, OCI_ERROR);
    EXPECT_EQ(write("lost", 1, &amount), OCI_ERROR);
    EXPECT_EQ(l.error(), "fault injected on purpose: lobwrite call");
    EXPECT_EQ(content(), "");

    inject_fault("prepare", 1, OCI_ERROR);
    inject_fault("prepare", 1, 0);  // status 0 disarms
    EXPECT_EQ(l.prepare("SELECT 1"), OCI_SUCCESS);
    inject_fault("define", 1, OCI_ERROR);
    clear_faults();
    EXPECT_EQ(l.value("SELECT 4"), "4");
}

TEST_F(OciLob, ContextHandsOutTheSessionHandles) {
    OCIExtProcContext *ctx = ocix_context_create(l.env, l.svc, l.err);
    ASSERT_NE(ctx, nullptr);
    OCIEnv *env = nullptr;
    OCISvcCtx *svc = nullptr;
    OCIError *err = nullptr;
    ASSERT_EQ(ociepgoe(ctx, &env, &svc, &err), OCI_SUCCESS);
    EXPECT_EQ(env, l.env);
    EXPECT_EQ(svc, l.svc);
    EXPECT_EQ(err, l.err);
    inject_fault("extprocenv", 1, OCI_ERROR);
    EXPECT_EQ(ociepgoe(ctx, &env, &svc, &err), OCI_ERROR);
    EXPECT_EQ(l.error(), "fault injected on purpose: extprocenv call");
    ocix_context_free(ctx);
    EXPECT_EQ(ociepgoe(ctx, &env, &svc, &err), OCI_INVALID_HANDLE);
    EXPECT_EQ(ocix_context_create(l.env, l.svc, nullptr), nullptr);
}

}  // namespace
