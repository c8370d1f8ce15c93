// A suite whose cases call the deliverables through one host session, on a
// repository file of its own.
#ifndef NDL_TESTS_SUPPORT_HOST_SUITE_H
#define NDL_TESTS_SUPPORT_HOST_SUITE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host.h"

class HostSuite : public ::testing::Test {
protected:
    // For the suite's SetUpTestSuite: the session on REPOSITORY in the
    // test's temporary folder.
    static void open_session(const std::string &repository) {
        setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
        session_ = new extproc::Session(::testing::TempDir() + repository);
        ASSERT_TRUE(session_->ok()) << session_->error();
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    inline static extproc::Session *session_ = nullptr;
};

#endif
