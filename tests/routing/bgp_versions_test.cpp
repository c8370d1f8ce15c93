// The BGP tables under the policy versions: later loads of other sections
// copy their rows unchanged, wide stored rows included, and a cut-off
// routing file leaves the stored rows alone.
#include "routing_load.h"

namespace {

const char *const kBgpTables[] = {"DOMAINPROTOCOLS", "DOMAINBGPPEER", "DOMAINBGPPEERRULE", "DOMAINBGPINFO",
                                  "DOMAINBGPNETWORK", "DOMAINBGPADDRAGRR", "DOMAINREDIST", "DOMAINDISTLIST"};

}  // namespace

class BgpVersions : public RoutingLoad {
protected:
    // Every row of a table under one version, the version left out.
    V version_rows(const std::string &t, int version) const {
        return rows("SELECT " + select_list(db, t, {"ndlversion"}) + " FROM " + t +
                    " WHERE ndlversion = " + std::to_string(version) + " ORDER BY rowid");
    }
    void expect_copy(int from, int to) const {
        for (const char *t : kBgpTables) {
            V a = version_rows(t, from), b = version_rows(t, to);
            EXPECT_FALSE(a.empty()) << t;
            EXPECT_EQ(a, b) << t << " version " << from << " against " << to;
        }
    }
};

TEST_F(BgpVersions, LaterLoadsCopyEveryBgpRowUnchanged) {
    ASSERT_EQ(files("topo.ndl,bgp.ndl").ret, 0);
    // A stored neighbor as wide as its fields: every text of 300 characters
    // (30 where the field holds 30), quotes in them.
    std::string values = "1, 'CORE', 'PE', 9";
    auto text = [](char c, size_t n) { return "'" + std::string(n - 1, c) + "'''"; };
    for (int i = 0; i < 4; ++i) values += ", " + text(static_cast<char>('a' + i), 300);  // neighbor, contexts
    values += ", " + text('u', 300) + ", " + text('r', 30) + ", 1";  // updatesource, remoteas, passwordreqd
    for (int i = 0; i < 8; ++i) values += ", " + text(static_cast<char>('h' + i), 300);  // maps and lists
    values += ", 1, 1, " + text('w', 300) + ", " + text('e', 300) + ", 1, " + text('d', 300) + ", 1, " +
              text('p', 300) + ", 1";
    sql("INSERT INTO domainbgpinfo ("
        "networkid, domainname, nodetype, sequence, neighbor, context1, context2, context3, "
        "updatesource, remoteas, passwordreqd, routemapin, routemapout, filterlistin, "
        "filterlistout, distlistin, distlistout, prefixlistin, prefixlistout, routereflector, "
        "nexthopself, weight, ebgpmultihop, defaultoriginate, defaultoriginate_rm, "
        "sendcommunity, peername, ndlversion"
        ") VALUES (" + values + ")");
    write_file("fw.ndl", "NETWORKNAME = RTLAB, SECTION = FIREWALL\n");
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    expect_copy(1, 2);
    EXPECT_EQ(rows("SELECT length(neighbor) || ' ' || length(peername) || ' ' || length(remoteas) FROM domainbgpinfo "
                   "WHERE ndlversion = 2 AND sequence = 9"),
              V{"300 300 30"});
    // A plain load of another section rewrites the highest version as it was.
    ASSERT_EQ(load("fw.ndl", "", dir).ret, 0);
    expect_copy(1, 2);
}

TEST_F(BgpVersions, CutOffBgpFileKeepsTheStoredRows) {
    ASSERT_EQ(files("topo.ndl,bgp.ndl").ret, 0);
    const std::string text = read_text(std::string(kRouting) + "/bgp.ndl");
    // Cut inside a header, inside a body and inside a list.
    expect_cuts_keep({text.substr(0, text.find("ROUTING-BGP EDGE") + 24),
                      text.substr(0, text.find("INSTANCENAME = BLUE")), text.substr(0, text.find("AS-SET = false"))},
                     kBgpTables);
}

TEST_F(BgpVersions, StoredNullsAreReadByEachColumnsRule) {
    ASSERT_EQ(files("topo.ndl,bgp.ndl").ret, 0);
    // A null mask is -1, null flags and sequence 0, null texts empty; a
    // text "IS NULL" is empty where its column may be null and kept where
    // it may not.
    sql("INSERT INTO domainbgpnetwork ("
        "networkid, domainname, nodetype, protocol, asn, networkno, networkaddr, networkmask, "
        "routemapname, ndlversion"
        ") VALUES (1, 'CORE', 'PE', 'BGP', '9', 7, 'EVALIP(10.7.0.0)', NULL, NULL, 1)");
    sql("INSERT INTO domainbgpinfo (networkid, domainname, nodetype, neighbor, weight, ndlversion) "
        "VALUES (1, 'CORE', 'PE', 'EVALIP(10.7.0.1)', 'IS NULL', 1)");
    sql("INSERT INTO domainbgppeerrule ("
        "networkid, domainname, nodetype, peername, variablename, variablevalue, ndlversion"
        ") VALUES (1, 'CORE', 'PE', 'ZZ', 'HOSTNAME', 'IS NULL', 1)");
    std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = RTLAB, SECTION = FIREWALL\n";
    Outcome r = load("fw.ndl", "createversion", dir);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT networkmask, routemapname FROM domainbgpnetwork WHERE ndlversion = 2 AND networkno = 7"),
              V{"-1|"});
    EXPECT_EQ(rows("SELECT sequence, passwordreqd, peername, weight, sendcommunity FROM domainbgpinfo "
                   "WHERE ndlversion = 2 AND neighbor = 'EVALIP(10.7.0.1)'"),
              V{"0|0|||0"});
    EXPECT_EQ(rows("SELECT variablevalue FROM domainbgppeerrule WHERE ndlversion = 2 AND peername = 'ZZ'"),
              V{"IS NULL"});
    // A peer's name and password flag may not be null: the read fails and
    // nothing is written.
    sql("INSERT INTO domainbgppeer (networkid, domainname, nodetype, peername, ndlversion) "
        "VALUES (1, 'CORE', 'PE', 'NP', 2)");
    r = load("fw.ndl", "createversion", dir);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages), (V{"Table : Domainbgppeer\n", "Error in loading data.\n"}));
    EXPECT_EQ(rows("SELECT MAX(ndlversion) FROM policyversions"), V{"2"});
}
