// The server backend's tests: each takes a database of its own on the
// tests' cluster and skips itself when none is named.
#ifndef NDL_TESTS_OCI_PG_CLIENT_H
#define NDL_TESTS_OCI_PG_CLIENT_H

#include "oci_client.h"
#include "pg_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

// A logon to a server repository with the account its name carries.
inline std::unique_ptr<Logon> pg_logon(const std::string &repo, int layout = OCIX_LAYOUT_VERSIONED) {
    return std::make_unique<Logon>(repo, layout, OCI_CRED_EXT);
}

class PgTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pg_server_available()) GTEST_SKIP() << "no PostgreSQL test server (scripts/pg-cluster.sh start DIR)";
        repo = pg_fresh_database(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(repo.empty());
    }
    void TearDown() override {
        if (!repo.empty()) pg_drop_database(repo);
    }
    // A repository with its schema made: one load that committed.
    void made() {
        auto l = pg_logon(repo);
        ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
        ASSERT_EQ(l->exec("DELETE networks WHERE networkid = 0"), OCI_SUCCESS) << l->error();
        ASSERT_EQ(l->end(), OCI_SUCCESS) << l->error();
    }
    std::string one(const std::string &sql) {
        auto rows = pg_query_rows(repo, sql);
        return rows.empty() ? "<none>" : rows[0];
    }
    std::string repo;
};

#endif
