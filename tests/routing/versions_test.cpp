// The policy version a ROUTING load writes under, the copies that later
// loads of other sections make into the next version, and a cut-off file
// that leaves the stored rows alone.
#include "routing_load.h"

namespace {

const char *const kTables[] = {"DOMAINSTATICROUTE", "DOMAINPROTOCOLS",  "DOMAINPASSIVEINT",
                               "DOMAINADDRSUMMARY", "DOMAINREDIST",     "DOMAINOSPFDEFAULT",
                               "DOMAINNODEAREAS",   "DOMAINNODEAREARANGES", "DOMAINCONNAREAS",
                               "DOMAINDISTLIST",    "DOMAINOFFSETLIST"};

}  // namespace

class RoutingVersions : public RoutingLoad {
protected:
    // The rows of one version, every column but the version, in row order.
    V version_rows(const std::string &t, int version) const {
        return rows("SELECT " + select_list(db, t, {"ndlversion"}) + " FROM " + t +
                    " WHERE ndlversion = " + std::to_string(version) + " ORDER BY rowid");
    }
    void expect_copy(int from, int to) const {
        for (const char *t : kTables) {
            V a = version_rows(t, from), b = version_rows(t, to);
            EXPECT_FALSE(a.empty()) << t;
            EXPECT_EQ(a, b) << t << " version " << from << " against " << to;
        }
    }
};

TEST_F(RoutingVersions, LaterLoadsCarryTheRowsIntoTheNextVersionUnchanged) {
    ASSERT_EQ(files("topo.ndl,corpus.ndl").ret, 0);
    write_file("fw.ndl", "NETWORKNAME = RTLAB, SECTION = FIREWALL\n");
    // A new version of another section copies every routing row.
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions ORDER BY ndlversion"), (V{"1", "2"}));
    expect_copy(1, 2);
    // And once more: each version read alone, so the declarations are not
    // repeated from older versions.
    ASSERT_EQ(load("fw.ndl", "createversion", dir).ret, 0);
    expect_copy(1, 3);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainprotocols WHERE ndlversion = 3"), V{"8"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainpassiveint WHERE ndlversion = 3"), V{"3"});
    // A plain load of another section rewrites the highest version as it was.
    ASSERT_EQ(load("fw.ndl", "", dir).ret, 0);
    expect_copy(1, 3);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainprotocols"), V{"24"});
}

TEST_F(RoutingVersions, RoutingLoadsFollowTheVersionRule) {
    ASSERT_EQ(files("topo.ndl,corpus.ndl").ret, 0);
    const std::string other = "ROUTING-RIP CORE.PE O BEGIN END\n";
    write_file("rip.ndl", std::string(kRoutingHeader) + other);
    // createversion: version 2 holds only the new section; version 1 stays.
    ASSERT_EQ(load("rip.ndl", "createversion", dir).ret, 0);
    EXPECT_EQ(rows("SELECT protocol, ndlversion FROM domainprotocols WHERE ndlversion = 2"), V{"RIP|2"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainprotocols WHERE ndlversion = 1"), V{"8"});
    // A plain load replaces the highest version.
    write_file("mpls.ndl", std::string(kRoutingHeader) + "MPLS CORE.PE M BEGIN END\n");
    ASSERT_EQ(load("mpls.ndl", "", dir).ret, 0);
    EXPECT_EQ(rows("SELECT protocol, asn, ndlversion FROM domainprotocols WHERE ndlversion = 2"), V{"MPLS|1|2"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM domainprotocols WHERE ndlversion = 1"), V{"8"});
}

TEST_F(RoutingVersions, CutOffRoutingFileKeepsTheStoredRows) {
    ASSERT_EQ(files("topo.ndl,corpus.ndl").ret, 0);
    const std::string text = read_text(std::string(kRouting) + "/corpus.ndl");
    expect_cuts_keep({text.substr(0, text.find("ROUTING-RIP") + 40),
                      text.substr(0, text.find("\"EVALIP(10.128")) + "\"EVALIP(10.12"},
                     kTables);
}
