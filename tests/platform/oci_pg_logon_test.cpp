// Logon on a server: the account is the server's, the repository's schema is
// made by the first load, in its transaction, and the other layout is
// refused; no password shows in any message.
#include "oci_pg_client.h"

#include <cstdlib>

namespace {

std::string env(const char *name) { return std::getenv(name) ? std::getenv(name) : ""; }

// The repository's name with another account in it.
std::string with_account(const std::string &repo, const std::string &user, const std::string &password) {
    size_t at = repo.find('@');
    return "postgresql://" + user + (password.empty() ? "" : ":" + password) + repo.substr(at);
}

TEST_F(PgTest, TheFirstLoadMakesTheSchemaInItsTransaction) {
    const std::string kTables = "SELECT count(*) FROM pg_tables WHERE schemaname = 'public'";
    {
        auto l = pg_logon(repo);
        ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
        EXPECT_EQ(one(kTables), "0");  // the logon wrote nothing
        ASSERT_EQ(l->exec("INSERT INTO networks VALUES (1, 'N', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')"), OCI_SUCCESS)
            << l->error();
        EXPECT_EQ(one(kTables), "0");  // not before it commits
        EXPECT_EQ(l->rollback(), OCI_SUCCESS);
    }
    EXPECT_EQ(one(kTables), "0");  // a first load that failed leaves the database empty
    made();
    EXPECT_NE(one(kTables), "0");
    EXPECT_EQ(one("SELECT layout FROM ndl_layout"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM pg_tables WHERE tablename = 'policyversions'"), "1");
}

TEST_F(PgTest, TheOtherLayoutIsRefusedAtLogon) {
    {
        auto u = pg_logon(repo, OCIX_LAYOUT_UNVERSIONED);
        ASSERT_EQ(u->begin_status, OCI_SUCCESS) << u->begin_error;
        ASSERT_EQ(u->exec("DELETE networks WHERE networkid = 0"), OCI_SUCCESS) << u->error();
        ASSERT_EQ(u->end(), OCI_SUCCESS);
    }
    EXPECT_EQ(one("SELECT count(*) FROM pg_tables WHERE tablename = 'policyversions'"), "0");
    auto v = pg_logon(repo);
    EXPECT_EQ(v->begin_status, OCI_ERROR);
    EXPECT_NE(v->begin_error.find("has the unversioned layout; this program expects the versioned layout"),
              std::string::npos)
        << v->begin_error;
    // The name shown leaves the password out.
    EXPECT_EQ(v->begin_error.find(env("NDL_TEST_PG_PASSWORD")), std::string::npos) << v->begin_error;

    // A database holding tables of something else records no layout.
    std::string other = pg_fresh_database("other");
    pg_run_sql(other, "CREATE TABLE unrelated (a int)");
    auto o = pg_logon(other);
    EXPECT_EQ(o->begin_status, OCI_ERROR);
    EXPECT_NE(o->begin_error.find("records no layout"), std::string::npos) << o->begin_error;
    pg_drop_database(other);
}

TEST_F(PgTest, TheAccountIsTheServersAndItsRefusalsSayWhy) {
    const std::string user = env("NDL_TEST_PG_USER"), password = env("NDL_TEST_PG_PASSWORD");
    // The login's account (cfgload's user/password/connection id) on a
    // name that carries none: pg:DBNAME on the server PGHOST names.
    std::string dbname = repo.substr(repo.rfind('/') + 1);
    dbname = dbname.substr(0, dbname.find('?'));
    {
        Logon l("pg:" + dbname, OCIX_LAYOUT_VERSIONED, OCI_CRED_RDBMS, user, password);
        EXPECT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
        EXPECT_EQ(l.value("SELECT current_user"), user);
    }
    struct Case {
        std::string name, user, password, reason;
    } cases[] = {
        {"wrong password", user, "not-" + password, "password authentication failed"},
        {"unknown user", "nobody_here", "whatever-pass", "password authentication failed for user \"nobody_here\""},
    };
    for (const Case &c : cases) {
        Logon l("pg:" + dbname, OCIX_LAYOUT_VERSIONED, OCI_CRED_RDBMS, c.user, c.password);
        EXPECT_EQ(l.begin_status, OCI_ERROR) << c.name;
        EXPECT_EQ(l.begin_error.rfind("cannot log on to the repository \"pg:" + dbname + "\": ", 0), 0u) << l.begin_error;
        EXPECT_NE(l.begin_error.find(c.reason), std::string::npos) << c.name << ": " << l.begin_error;
        EXPECT_EQ(l.begin_error.find(c.password), std::string::npos) << l.begin_error;
        EXPECT_NE(l.exec("SELECT 1"), OCI_SUCCESS);
    }
    // The same refusal from an account in the name.
    auto wrong = pg_logon(with_account(repo, user, "not-" + password));
    EXPECT_EQ(wrong->begin_status, OCI_ERROR);
    EXPECT_EQ(wrong->begin_error.find("not-" + password), std::string::npos) << wrong->begin_error;
    // A server that cannot be reached.
    auto away = pg_logon("postgresql://" + user + ":" + password + "@127.0.0.1:1/" + dbname);
    EXPECT_EQ(away->begin_status, OCI_ERROR);
    EXPECT_NE(away->begin_error.find("cannot log on to the repository \"postgresql://" + user + "@127.0.0.1:1/"),
              std::string::npos)
        << away->begin_error;
    EXPECT_EQ(away->begin_error.find(password), std::string::npos) << away->begin_error;
    // Nothing was made by any of them.
    EXPECT_EQ(one("SELECT count(*) FROM pg_tables WHERE schemaname = 'public'"), "0");
}

}  // namespace
