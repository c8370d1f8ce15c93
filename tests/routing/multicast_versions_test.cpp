// The thirteen multicast tables under the policy versions: what later loads
// of other sections copy into the next version (only the rows of the run's
// network and version, NULLs and "IS NULL" as the readers take them), a
// ROUTING load that replaces them, and cut-off files that leave them alone.
#include "routing_load.h"

namespace {

const char *const kTables[] = {"PIMRPCLASS",     "PIMACCEPTCLASS",    "PIMBSRCLASS",      "PIMREGISTERCLASS",
                               "PIMMEMBERRATECLASS", "PIMMEMBERCLASS", "PIMRPFILTERCLASS", "PIMAUTORPCLASS",
                               "MSDPCLASS",      "MSDPNEIGHBORCLASS", "IGMPINTCLASS",     "IGMPINTADDRCLASS",
                               "DVMRPINTCLASS"};

}  // namespace

class MulticastVersions : public RoutingLoad {
protected:
    // The rows of one network and version, the version column left out.
    V version_rows(const std::string &t, int version, int network = 1) const {
        return rows("SELECT " + select_list(db, t, {"ndlversion"}) + " FROM " + t + " WHERE networkid = " +
                    std::to_string(network) + " AND ndlversion = " + std::to_string(version) + " ORDER BY rowid");
    }
};

TEST_F(MulticastVersions, LaterLoadsCopyOnlyTheRunsNetworkAndVersion) {
    ASSERT_EQ(files("topo.ndl,multicast.ndl").ret, 0);
    // Rows the readers must never see: another network, an older and a
    // newer version that POLICYVERSIONS does not name.
    std::map<std::string, V> v1, others;
    for (const char *t : kTables) {
        const std::string table = t;
        v1[table] = version_rows(table, 1);
        ASSERT_FALSE(v1[table].empty()) << table;
        // The loader's columns by name: the server's own one fills itself.
        std::string cols;
        for (const TableColumn &c : table_columns(db, table)) cols += (cols.empty() ? "" : ", ") + c.name;
        const std::string insert = "INSERT INTO " + table + " (" + cols + ") SELECT " + cols + " FROM x;";
        sql("CREATE TEMP TABLE x AS SELECT " + cols + " FROM " + table + " WHERE ndlversion = 1;"
            "UPDATE x SET networkid = 99; " + insert + "UPDATE x SET networkid = 1, ndlversion = 0; " + insert +
            "UPDATE x SET ndlversion = 7; " + insert + "DROP TABLE x;");
        others[table] = dump_rows(table, "WHERE networkid = 99 OR ndlversion <> 1 ORDER BY rowid");
    }
    write_file("fw.ndl", "NETWORKNAME = RTLAB, SECTION = FIREWALL\n");
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT ndlversion FROM policyversions ORDER BY ndlversion"), (V{"1", "2"}));
    for (const char *t : kTables) {
        EXPECT_EQ(version_rows(t, 1), v1[t]) << t;
        // The member's boundary list "IS NULL", stored as given, is read as
        // an empty text.
        V copied = v1[t];
        for (std::string &row : copied)
            if (size_t at = row.find("|IS NULL"); at != std::string::npos) row.erase(at + 1, 7);
        EXPECT_EQ(version_rows(t, 2), copied) << t;
        EXPECT_EQ(dump_rows(t, "WHERE networkid = 99 OR ndlversion NOT IN (1, 2) ORDER BY rowid"), others[t])
            << t;
    }
}

TEST_F(MulticastVersions, NullsAndNullMarkersAsTheReadersTakeThem) {
    ASSERT_EQ(files("topo.ndl,multicast.ndl").ret, 0);
    sql("UPDATE pimacceptclass SET autorp = NULL, context1 = NULL WHERE sequence = 2;"
        "UPDATE msdpneighborclass SET defaultpeer = NULL, meshgroup = NULL WHERE sequence = 1;"
        "UPDATE igmpintaddrclass SET namedinterface = 'IS NULL' WHERE addrtype = 'STATIC';"
        "UPDATE dvmrpintclass SET namedinterface = 'IS NULL', metric = 'IS NULL' WHERE sequence = 2;"
        "UPDATE pimmemberclass SET domainname = 'IS NULL' WHERE sequence = 2;");
    write_file("fw.ndl", "NETWORKNAME = RTLAB, SECTION = FIREWALL\n");
    ASSERT_EQ(load("fw.ndl", "createversion", dir).ret, 0);
    EXPECT_EQ(rows("SELECT context1, autorp FROM pimacceptclass WHERE ndlversion = 2 AND sequence = 2"), V{"|0"});
    EXPECT_EQ(rows("SELECT defaultpeer, meshgroup FROM msdpneighborclass WHERE ndlversion = 2 AND sequence = 1"),
              V{"0|"});
    // Through locstrcpy, even where the column is read without NVL.
    EXPECT_EQ(rows("SELECT namedinterface FROM igmpintaddrclass WHERE ndlversion = 2 AND addrtype = 'STATIC'"),
              V{""});
    // Copied as read.
    EXPECT_EQ(rows("SELECT namedinterface, metric FROM dvmrpintclass WHERE ndlversion = 2 AND sequence = 2"),
              V{"IS NULL|"});
    EXPECT_EQ(rows("SELECT domainname FROM pimmemberclass WHERE ndlversion = 2 AND sequence = 2"), V{"IS NULL"});
}

TEST_F(MulticastVersions, ARoutingLoadReplacesTheMulticastRows) {
    ASSERT_EQ(files("topo.ndl,multicast.ndl").ret, 0);
    write_file("r.ndl", std::string(kRoutingHeader) +
                            "ROUTING-DVMRP CORE.P M BEGIN MEMBER = ( INTERFACE = \"INT(INTERFACE.X)\" ) END\n");
    ASSERT_EQ(load("r.ndl", "", dir).ret, 0);
    for (const char *t : kTables)
        EXPECT_EQ(rows(std::string("SELECT COUNT(*) FROM ") + t), V{std::string(t) == "DVMRPINTCLASS" ? "1" : "0"})
            << t;
    EXPECT_EQ(table("DVMRPINTCLASS", "networkid, domainname, nodetype, sequence, context1, context2, context3, "
                                     "namedinterface, metric, metricacl, acceptfilter, neighborfilter, summaryaddr, "
                                     "summarymask, summarymetric, inoffset, outoffset, ndlversion"),
              V{"1|CORE|P|1||||INT(INTERFACE.X)||||||||||1"});
}

TEST_F(MulticastVersions, CutOffFilesKeepTheStoredRows) {
    ASSERT_EQ(files("topo.ndl,multicast.ndl").ret, 0);
    const std::string text = read_text(std::string(kRouting) + "/multicast.ndl");
    expect_cuts_keep({text.substr(0, text.find("ROUTING-MSDP") + 60),
                      text.substr(0, text.find("\"239.1.1.3")) + "\"239.1", text.substr(0, text.find("ROUTETARGET"))},
                     kTables);
}
