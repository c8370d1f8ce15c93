// LOGICAL-PATH blocks loaded through the host: the rows of VCCLASS,
// VCMEMBERCLASS and VCMEMBERFILTERS, connection numbers shared with
// connection types, every error in one pass, and files that end inside
// the block.
#include "topo_load.h"

using V = std::vector<std::string>;

TEST_F(TopoLoad, LogicalPathRows) {
    Outcome r = load("logicalpath_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    // The connection type between the two paths takes number 2.
    EXPECT_EQ(rows("SELECT networkid, connectionno, connectionname, encapsulationtype, connectiontype, pathmode, "
                   "pathtype, scope, maxconn, isauthenticated FROM vcclass ORDER BY rowid"),
              (V{"1|1|Core-Tunnel|GRE|TUNNEL|STRICT|BIDIRECTIONAL|INTERNAL|12|1",
                 "1|3|Edge-Tunnel|GRE|TUNNEL|LOOSE|UNIDIRECTIONAL|EXTERNAL|99|0"}));
    EXPECT_EQ(rows("SELECT connectionno, connectionname FROM domainconntypes"), V{"2|PE-CE"});
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequence, domainname, nodetype, minconn, maxconn, membertype, "
                   "interface, connectionname, tunnelsource FROM vcmemberclass ORDER BY rowid"),
              (V{"1|1|1|NORTH|PE|2|8|INGRESS|Tunnel0, Tunnel1||Loopback0", "1|1|2|NORTH|CE|0|1|EGRESS|||",
                 "1|3|1|NORTH|CE|1|1|INGRESS||PE-CE|"}));
    EXPECT_EQ(rows("SELECT networkid, connectionno, sequence, variablename FROM vcmemberfilters ORDER BY rowid"),
              (V{"1|1|1|SITEID", "1|1|2|SITENAME", "1|1|1|NODEID"}));
    // SQLite keeps each value's own type; the server's column has one.
    if (!on_server_backend()) {
        EXPECT_EQ(rows("SELECT typeof(isauthenticated) FROM vcclass"), (V{"integer", "integer"}));
    }

    // Loaded again, the stored paths pass the inventory checks unchanged.
    expect_reload_unchanged("logicalpath_valid.ndl", "vcmemberclass");
}

TEST_F(TopoLoad, LogicalPathErrorsAreAllReportedInOnePass) {
    Outcome r = load("logicalpath_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Domain undefined :SOUTH @ 40\n",
                 "ERROR: Invalid node type : PE  @40\n",
                 "ERROR: Duplicate token: 'MINCONN' @ 40\n",
                 "ERROR: token 'MEMBERTYPE' is missing for logicalconnectionmember:  @ 41\n",
                 "ERROR: Both Interface and Connection cannot be specified. @ 43\n",
                 "ERROR: Duplicate MEMBERFILTER variable: 'SITEID' @ 44\n",
                 "ERROR: Logical Connection 'Core-Tunnel' is already defined :@48\n",
                 "ERROR: Invalid logical connection type:tunnel @49\n",
                 "ERROR: Invalid syntax a number value expected for MAXCONN :lots @d\n",
                 "ERROR: token 'MEMBER' is missing for logicalconnection block 'No-Member':  @ 58\n",
                 // A failed group: the block reads on and stops at the next token.
                 "ERROR: Number is expected for minconn : few @ 61\n",
                 "ERROR: Invalid attribute name : , @61\n",
                 "ERROR: Invalid Connectionname :NOSUCH @65\n",
                 "ERROR: Invalid attribute name : ) @65\n",
                 "ERROR: Invalid token, variable name expected : SITEID @ 68\n",
                 "ERROR: Invalid attribute name : ) @68\n"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM vcclass"), V{"0"});
}

TEST_F(TopoLoad, FileEndingInsideLogicalPathKeepsTheStoredRows) {
    ASSERT_EQ(load("logicalpath_valid.ndl").ret, 0);
    auto tables = [this] {
        V all;
        for (const char *t : {"vcclass", "vcmemberclass", "vcmemberfilters"})
            for (const std::string &row : dump_rows(t, "ORDER BY rowid")) all.push_back(row);
        return all;
    };
    const V before = tables();
    const std::string text = data_text("logicalpath_valid.ndl");
    // Between statements, after the last groups of the last block: the
    // block's end-of-file text; inside a group its step's message; inside a
    // quoted value that value is taken, and its "," is missing.
    const struct {
        const char *cut_at;
        V errors;
    } cuts[] = {
        {"  PATHTYPE", {}},
        {"MAXCONN = 8", {"ERROR: Invalid attribute name :  @ 39\n"}},
        {"SITENAME )", {"ERROR: Invalid token, variable name expected :  @ 41\n"}},
        {"nel1\"", {"ERROR: Invalid syntax ',' expected: @ 40\n"}},
        {"MEMBERFILTER = ( )", {}},
        {"\nEND\n", {}},
    };
    for (const auto &[cut_at, errors] : cuts) {
        const std::string cut = text.substr(0, text.rfind(cut_at));
        if (errors.empty()) expect_cut_short(cut, cut_at);
        else expect_cut_short(cut, errors, cut_at);
        EXPECT_EQ(tables(), before) << cut_at;
    }
}
