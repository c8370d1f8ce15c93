// Whole loads through the host on a fresh repository: the NETWORKS, PROJECT
// and POLICYVERSIONS rows, the version rule with its trigger, and a fault in
// every statement of a run leaving the repository as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host.h"
#include "oci.h"

namespace fs = std::filesystem;

namespace {

class DbLoad : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-dbload-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        db = dir + "/repository.db";
        extproc::Session s(db);
        ASSERT_TRUE(s.ok()) << s.error();
        std::ofstream(dir + "/topo.ndl") << "NETWORKNAME = NEW, SECTION = TOPOLOGY\n";
        std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = NEW, SECTION = FIREWALL\n";
    }
    void TearDown() override {
        ocix_clear_faults();
        fs::remove_all(dir);
    }

    int run(const std::string &file, const std::string &mode, int fault = 0) {
        extproc::Session s(db);
        EXPECT_TRUE(s.ok()) << s.error();
        if (fault) ocix_inject_fault("execute", fault, OCI_ERROR);
        extproc::CallResult r = s.call("cfgproc", "NDL_parsefile", {dir, file, mode});
        ocix_clear_faults();
        EXPECT_TRUE(r.called) << r.error;
        log.clear();
        if (const extproc::OutValue *out = r.out("log")) log = out->value;
        return r.ret;
    }
    std::vector<std::string> rows(const std::string &query) {
        std::vector<std::string> out;
        sqlite3 *h = nullptr;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_open(db.c_str(), &h) == SQLITE_OK && sqlite3_prepare_v2(h, query.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
                std::string row;
                for (int i = 0; i < sqlite3_column_count(st); ++i) {
                    const unsigned char *t = sqlite3_column_text(st, i);
                    row += (i ? "|" : "") + std::string(t ? reinterpret_cast<const char *>(t) : "<null>");
                }
                out.push_back(row);
            }
        sqlite3_finalize(st);
        sqlite3_close(h);
        return out;
    }
    void sql(const std::string &text) {
        sqlite3 *h = nullptr;
        ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << text;
        sqlite3_close(h);
    }
    // Every table's row count, one line each.
    std::vector<std::string> counts() {
        std::vector<std::string> out;
        for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"))
            for (const std::string &n : rows("SELECT COUNT(*) FROM \"" + t + "\"")) out.push_back(t + "=" + n);
        return out;
    }
    void protocol_row(int version) {
        sql("INSERT INTO DOMAINPROTOCOLS VALUES (1,'D','N','OSPF','1','0',NULL,NULL,NULL," + std::to_string(version) + ")");
    }

    std::string dir, db, log;
};

TEST_F(DbLoad, VersionsAcrossRuns) {
    ASSERT_EQ(run("topo.ndl", ""), 0) << log;
    EXPECT_EQ(rows("SELECT networkid, networkname FROM networks"), std::vector<std::string>{"1|NEW"});
    EXPECT_EQ(rows("SELECT networkid, version, state, description, revision, owner, locked, remarks, "
                   "created IS NOT NULL FROM project"),
              std::vector<std::string>{"1|1|ALPHA|Initial Version|1|tavlo|0||1"});
    EXPECT_EQ(rows("SELECT networkid, ndlversion, remarks FROM policyversions"), std::vector<std::string>{"1|1| "});

    // A plain load keeps the version and rewrites its rule rows once.
    protocol_row(1);
    ASSERT_EQ(run("fw.ndl", ""), 0) << log;
    EXPECT_EQ(rows("SELECT COUNT(*) FROM networks"), std::vector<std::string>{"1"});
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions"), std::vector<std::string>{"1"});
    EXPECT_EQ(rows("SELECT ndlversion, domainname FROM domainprotocols"), std::vector<std::string>{"1|D"});

    // createversion copies the rules into version 2 and keeps version 1.
    ASSERT_EQ(run("fw.ndl", "createversion"), 0) << log;
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions ORDER BY 1"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(rows("SELECT ndlversion FROM domainprotocols ORDER BY 1"), (std::vector<std::string>{"1", "2"}));

    // initializedata starts again at version 1; no older rule row remains.
    ASSERT_EQ(run("topo.ndl", "initializedata"), 0) << log;
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions"), std::vector<std::string>{"1"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainprotocols"), std::vector<std::string>{"0"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM networks"), std::vector<std::string>{"1"});
}

TEST_F(DbLoad, AFaultInAnyStatementChangesNothing) {
    ASSERT_EQ(run("topo.ndl", ""), 0) << log;
    protocol_row(1);
    sql("INSERT INTO DOMAIN VALUES (1,'CORE')");
    const std::vector<std::string> before = counts();
    int write_failures = 0;
    // Every other statement, reads and writes alike.
    for (int k = 1;; k += 2) {
        int ret = run("fw.ndl", "", k);
        if (ret == 0) break;
        ASSERT_EQ(ret, 2) << k;
        EXPECT_EQ(counts(), before) << k;
        if (log.find("Error in writing to database") != std::string::npos) {
            ++write_failures;
            EXPECT_NE(log.find("Error table "), std::string::npos) << log;
        }
        ASSERT_LT(k, 400);
    }
    EXPECT_GE(write_failures, 25);
    EXPECT_EQ(counts(), before);
}

}  // namespace
