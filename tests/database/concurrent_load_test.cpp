// Several designers on one repository: loads started together as processes
// wait for each other and all succeed, a reader holding its transaction
// makes none fail, and each reports exactly what it committed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "repo_test.h"

namespace {

class ConcurrentLoad : public RepoTest {
protected:
    // A new network with two domains of its own.
    std::string network_file(int k) {
        std::string name = "NET" + std::to_string(k);
        std::string text = "NETWORKNAME = " + name + ", SECTION = TOPOLOGY\n";
        for (const char *d : {"CORE", "EDGE"})
            text += "DOMAIN " + std::string(d) + std::to_string(k) +
                    " BEGIN\n"
                    "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"PT\" )\n"
                    "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"L\" )\n"
                    "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                    "END\n";
        std::string file = name + ".ndl";
        std::ofstream(dir + "/" + file) << text;
        return file;
    }
};

TEST_F(ConcurrentLoad, LoadsStartedTogetherAreAllStored) {
    constexpr int kLoads = 6;
    std::vector<std::string> files;
    for (int k = 1; k <= kLoads; ++k) files.push_back(network_file(k));

    // Which load gets which id is the race's: the rows differ from run to run.
    compare_rows = false;
    auto reader = std::make_unique<HeldReader>(db, "SELECT count(*) FROM networks");
    ASSERT_TRUE(reader->ok());

    std::vector<FILE *> loads;
    for (const std::string &f : files) {
        std::string cmd = std::string(NDL_BIN_DIR) + "/extproc --repository '" + db + "' parse --dir " + dir +
                          " --files " + f + " 2>&1";
        loads.push_back(popen(cmd.c_str(), "r"));
        ASSERT_NE(loads.back(), nullptr);
    }
    for (size_t i = 0; i < loads.size(); ++i) {
        std::string out;
        char buf[512];
        while (fgets(buf, sizeof buf, loads[i])) out += buf;
        int status = pclose(loads[i]);
        EXPECT_EQ(status, 0) << files[i] << ":\n" << out;
        EXPECT_NE(out.find("files  successfully loaded"), std::string::npos) << files[i] << ":\n" << out;
    }
    reader.reset();

    // One network each, with its own id and every row under it.
    std::vector<std::string> networks = rows("SELECT networkid || ' ' || networkname FROM networks");
    ASSERT_EQ(networks.size(), static_cast<size_t>(kLoads));
    std::set<std::string> ids;
    for (int k = 1; k <= kLoads; ++k) {
        std::string name = "NET" + std::to_string(k);
        std::vector<std::string> id = rows("SELECT networkid FROM networks WHERE networkname='" + name + "'");
        ASSERT_EQ(id.size(), 1u) << name;
        ids.insert(id[0]);
        EXPECT_EQ(rows("SELECT domainname FROM domain WHERE networkid=" + id[0] + " ORDER BY 1"),
                  (std::vector<std::string>{"CORE" + std::to_string(k), "EDGE" + std::to_string(k)}))
            << name;
        EXPECT_EQ(rows("SELECT count(*) FROM domainvariables WHERE networkid=" + id[0]), std::vector<std::string>{"6"});
        EXPECT_EQ(rows("SELECT count(*) FROM project WHERE networkid=" + id[0]), std::vector<std::string>{"1"});
        EXPECT_EQ(rows("SELECT ndlversion FROM policyversions WHERE networkid=" + id[0]),
                  std::vector<std::string>{"1"});
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(kLoads));
    EXPECT_EQ(rows("SELECT count(*) FROM domain"), std::vector<std::string>{std::to_string(2 * kLoads)});
}

// A load whose commit fails is reported so, and nothing of it is stored
// when the session ends afterwards.
TEST_F(ConcurrentLoad, FailedCommitIsReportedAndLeavesNothing) {
    std::string file = network_file(1);
    extproc::CallResult r;
    {
        extproc::Session s(db);
        ASSERT_TRUE(s.ok()) << s.error();
        inject_fault("commit", 1, OCI_ERROR);
        r = s.call("cfgproc", "NDL_parsefile", {dir, file, ""});
        clear_faults();
        EXPECT_TRUE(s.close()) << s.error();
    }
    EXPECT_TRUE(r.called);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("commit failed: COMMIT failed, the transaction was rolled back"), std::string::npos)
        << r.error;
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), std::vector<std::string>{"0"});
    EXPECT_EQ(rows("SELECT count(*) FROM domain"), std::vector<std::string>{"0"});
}

}  // namespace
