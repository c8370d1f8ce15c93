// The log writer of the library build, on a CLOB of the OCI layer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "database.h"
#include "fault_hook.h"
#include "oci.h"
#include "runstate.h"

namespace {

class ClobLog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&errhp), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&svchp), OCI_HTYPE_SVCCTX, 0, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIDescriptorAlloc(env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr), OCI_SUCCESS);
        InitialiseGlobalData();
        g_outputlob = &lob;
    }
    void TearDown() override {
        clear_faults();
        g_outputlob = nullptr;
        OCIHandleFree(env, OCI_HTYPE_ENV);
        svchp = nullptr;
        errhp = nullptr;
    }
    std::string text() const {
        ub4 n = 0;
        const char *p = ocix_lob_text(lob, &n);
        return std::string(p, n);
    }
    OCIEnv *env = nullptr;
    OCILobLocator *lob = nullptr;
};

TEST_F(ClobLog, MessagesFollowEachOtherWithBreaks) {
    logmsg("first %d", 1);
    logmsg("%s", "");
    logmsg("second\n");
    EXPECT_EQ(text(), "first 1<br><br>second\n<br>");
    EXPECT_EQ(outputindex, 1 + 7 + 0 + 7 + 4 * 3);
}

TEST_F(ClobLog, LongMessagesAreCut) {
    std::string value(1500, 'x');
    logmsg("ERROR: '%s' @ %d\n", value.c_str(), 4);
    EXPECT_EQ(std::strlen(g_errormsg), 999u);
    EXPECT_EQ(outputindex, 1 + 999 + 4);
}

TEST_F(ClobLog, FailedWriteIsSilentAndKeepsTheOffset) {
    logmsg("one");
    inject_fault("lobwrite", 1, OCI_ERROR);
    logmsg("two");
    logmsg("three");
    // The lost text leaves blanks where it would have stood.
    EXPECT_EQ(text(), "one<br>   <br>three<br>");
    EXPECT_EQ(outputindex, 1 + 3 + 3 + 5 + 4 * 3);
}

}  // namespace
