// Whole loads through the host on a fresh repository: the NETWORKS, PROJECT
// and POLICYVERSIONS rows, the version rule with its trigger, and a fault in
// every statement of a run leaving the repository as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "repo_test.h"
#include "oci.h"

namespace {

class DbLoad : public RepoTest {
protected:
    void SetUp() override {
        RepoTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        std::ofstream(dir + "/topo.ndl") << "NETWORKNAME = NEW, SECTION = TOPOLOGY\n";
        std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = NEW, SECTION = FIREWALL\n";
    }

    int run(const std::string &file, const std::string &mode, int fault = 0) {
        return parse(dir, file, mode, fault ? "execute" : nullptr, fault).ret;
    }
    // Every table's row count, one line each.
    std::vector<std::string> counts() {
        std::vector<std::string> out;
        for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"))
            for (const std::string &n : rows("SELECT COUNT(*) FROM \"" + t + "\"")) out.push_back(t + "=" + n);
        return out;
    }
    void protocol_row(int version) {
        sql("INSERT INTO DOMAINPROTOCOLS ("
            "networkid, domainname, nodetype, protocol, asn, mandatory, routerid, clusterid, "
            "usagecondition, ndlversion"
            ") VALUES (1,'D','N','OSPF','1','0',NULL,NULL,NULL," + std::to_string(version) + ")");
    }
};

TEST_F(DbLoad, VersionsAcrossRuns) {
    ASSERT_EQ(run("topo.ndl", ""), 0) << log;
    EXPECT_EQ(rows("SELECT networkid, networkname FROM networks"), std::vector<std::string>{"1|NEW"});
    EXPECT_EQ(rows("SELECT networkid, version, state, description, revision, owner, locked, remarks, "
                   "CASE WHEN created IS NOT NULL THEN 1 END FROM project"),
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

    // initializedata of a policy section alone keeps every version and warns
    // of nothing: the highest version's rows are replaced as a plain load's.
    ASSERT_EQ(run("fw.ndl", "initializedata"), 0) << log;
    EXPECT_EQ(log, "\n --- FILE:  " + dir + "\\fw.ndl --- \n<br><left>---- Global Validations ----</left><br>"
                   "files  successfully loaded \n<br>");
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
    sql("INSERT INTO DOMAIN (networkid, domainname) VALUES (1,'CORE')");
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

namespace {

// A reader whose statement fails logs its table line and then the
// database's own text, which the log line written in between must not lose.
TEST_F(DbLoad, AFailedReaderShowsTheDatabaseText) {
    sql("DROP TABLE DOMAIN");
    EXPECT_EQ(run("topo.ndl", ""), 2);
    const std::string text = on_server_backend() ? "relation \"domain\" does not exist" : "no such table: domain";
    EXPECT_NE(log.find("Table : Domain\n<br>Error  - " + text + "\n<br>"), std::string::npos) << log;
}

}  // namespace
