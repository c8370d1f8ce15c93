// The log writer of the library build, on a CLOB of the OCI layer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fault_hook.h"
#include "log_clob.h"
#include "oci.h"
#include "runstate.h"

namespace {

class ClobLog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&svc), OCI_HTYPE_SVCCTX, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIDescriptorAlloc(env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr), OCI_SUCCESS);
        log.attach(svc, err);
    }
    void TearDown() override {
        clear_faults();
        OCIHandleFree(env, OCI_HTYPE_ENV);
    }
    std::string text() const {
        ub4 n = 0;
        const char *p = ocix_lob_text(lob, &n);
        return std::string(p, n);
    }
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCISvcCtx *svc = nullptr;
    OCILobLocator *lob = nullptr;
    clob_log log{&lob};
    scoped_log logging{log.sink()};
};

TEST_F(ClobLog, MessagesFollowEachOtherWithBreaks) {
    logmsg("first %d", 1);
    logmsg("%s", "");
    logmsg("second\n");
    EXPECT_EQ(text(), "first 1<br><br>second\n<br>");
    EXPECT_EQ(log.offset(), 1u + 7 + 0 + 7 + 4 * 3);
}

TEST_F(ClobLog, LongMessagesAreCut) {
    std::string value(1500, 'x');
    logmsg("ERROR: '%s' @ %d\n", value.c_str(), 4);
    EXPECT_EQ(std::strlen(g_errormsg), 999u);
    EXPECT_EQ(log.offset(), 1u + 999 + 4);
}

TEST_F(ClobLog, FailedWriteIsSilentAndKeepsTheOffset) {
    logmsg("one");
    inject_fault("lobwrite", 1, OCI_ERROR);
    logmsg("two");
    logmsg("three");
    // The lost text leaves blanks where it would have stood.
    EXPECT_EQ(text(), "one<br>   <br>three<br>");
    EXPECT_EQ(log.offset(), 1u + 3 + 3 + 5 + 4 * 3);
}

// Only the handles it was given reach the CLOB, and only while its scope
// lasts: the next call's log starts again at offset 1.
TEST_F(ClobLog, WritesThroughTheHandlesItWasGivenWhileItsScopeLasts) {
    {
        clob_log before_attach(&lob);
        scoped_log inner(before_attach.sink());
        logmsg("lost");
        clob_log none(nullptr);
        none.attach(svc, err);
        scoped_log innermost(none.sink());
        logmsg("dropped");
        EXPECT_EQ(none.offset(), 1u);
    }
    EXPECT_EQ(text(), "");
    logmsg("kept");
    EXPECT_EQ(text(), "kept<br>");
    EXPECT_EQ(log.offset(), 1u + 4 + 4);
}

}  // namespace
