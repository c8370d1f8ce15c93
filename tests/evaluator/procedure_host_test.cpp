// The expression procedure as the agent calls it: through the host and
// libaddrkit.so, whose variable table lives as long as the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host.h"

namespace {

class HostProcedure : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
        session_ = new extproc::Session(::testing::TempDir() + "evaluator_procedure.db");
        ASSERT_TRUE(session_->ok()) << session_->error();
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    // The call's return and its two out-parameters, "<null>" for NULL.
    static std::string call(const std::string &prefix, const std::string &name, const std::string &expression) {
        extproc::CallResult r = session_->call("addrkit", "C_evaluate_expression", {prefix, name, expression});
        EXPECT_TRUE(r.ok()) << r.error;
        std::string s = std::to_string(r.ret);
        for (const char *out : {"result", "error"}) {
            const extproc::OutValue *v = r.out(out);
            s += std::string(" ") + out + "=" + (!v ? "?" : v->null ? "<null>" : v->value);
        }
        return s;
    }
    static extproc::Session *session_;
};
extproc::Session *HostProcedure::session_ = nullptr;

TEST_F(HostProcedure, IndicatorsTextsAndPersistence) {
    EXPECT_EQ(call("a = 2;", "c", "a * 3"), "0 result=6 error=<null>");
    EXPECT_EQ(call("", "x", "7 / 2"), "0 result=3 error=<null>");
    EXPECT_EQ(call("", "x", "-7 / 2"), "0 result=-3 error=<null>");
    EXPECT_EQ(call("", "x", "1 / 0"), "2 result=<null> error=Divide by Zero at line 1, column 10\n");
    EXPECT_EQ(call("", "x", "."), "2 result=<null> error=Missing digit at line 1, column 6\n");
    EXPECT_EQ(call("", "x", "3 // done"), "2 result=<null> error=Unexpected eof at line 1, column 15\n");
    // Values stay from one call to the next in the same process.
    EXPECT_EQ(call("", "x", "3"), "0 result=3 error=<null>");
    EXPECT_EQ(call("", "y", "x + 1"), "0 result=4 error=<null>");
    EXPECT_EQ(call("", "z", "a + c + y"), "0 result=12 error=<null>");
    // No entry bears the name exactly: the result is untouched and not NULL.
    EXPECT_EQ(call("", "x ", "5"), "0 result= error=<null>");
    // 500 bytes hold the joined text and its NUL; beyond, refused rather
    // than overrun. Values beyond 32 bits are refused rather than wrapped.
    EXPECT_EQ(call(std::string(493, ' '), "x", "1"), "0 result=1 error=<null>");
    EXPECT_EQ(call(std::string(494, ' '), "x", "1"),
              "2 result=<null> error=Error : expression text longer than 499 characters\n");
    EXPECT_EQ(call("", "x", "2 ** 31"), "2 result=<null> error=Error : value of x is not a 32-bit integer\n");
}

}  // namespace
