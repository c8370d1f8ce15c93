// Calls an address procedure through the host and compares what it answered
// with what a case expects.
#ifndef NDL_TESTS_CALL_CHECK_H
#define NDL_TESTS_CALL_CHECK_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host.h"

namespace addrtest {

// NAME and VALUE: "<null>" for a NULL indicator, "^TEXT" for a text that
// starts with TEXT, else the exact text.
using Expect = std::pair<std::string, std::string>;

struct Case {
    std::string procedure;
    std::vector<std::string> args;
    int ret;
    std::vector<Expect> expect;
};

inline std::string describe(const Case &c) {
    std::string s = c.procedure + "(";
    for (size_t i = 0; i < c.args.size(); ++i) s += (i ? ", '" : "'") + c.args[i] + "'";
    return s + ")";
}

// Empty when the call answered as expected, else what differed.
inline std::string check(const extproc::CallResult &r, const Case &c) {
    if (!r.called) return describe(c) + ": not called: " + r.error;
    std::string diff;
    if (r.ret != c.ret) diff += " return " + std::to_string(r.ret) + " (want " + std::to_string(c.ret) + ")";
    for (const auto &[name, want] : c.expect) {
        const extproc::OutValue *v = r.out(name);
        if (!v) {
            diff += " no out-parameter " + name;
            continue;
        }
        std::string got = v->null ? "<null>" : v->value;
        bool ok = want.rfind('^', 0) == 0 ? !v->null && got.rfind(want.substr(1), 0) == 0 : got == want;
        if (!ok) diff += "\n  " + name + ": '" + got + "'\n  want: '" + want + "'";
    }
    return diff.empty() ? diff : describe(c) + ":" + diff;
}

// One host session for a suite; run() calls every case and reports what
// differed.
class ProcedureSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
        session_ = new extproc::Session(::testing::TempDir() + "addrkit_procedures.db");
        ASSERT_TRUE(session_->ok()) << session_->error();
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    static void run(const std::vector<Case> &cases) {
        for (const Case &c : cases) {
            extproc::CallResult r = session_->call("addrkit", c.procedure, c.args);
            std::string diff = check(r, c);
            EXPECT_TRUE(diff.empty()) << diff;
        }
    }
    static inline extproc::Session *session_ = nullptr;
};

}  // namespace addrtest

#endif
