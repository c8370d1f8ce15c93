// The inventory checks in whole loads through the host: a stored network,
// instance rows inserted by SQL as the applications that keep them would,
// and TOPOLOGY and CUSTOMER sections that drop stored rows. A refused run
// leaves every table as it was.
#include <fstream>
#include <string>
#include <vector>

#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

class InventoryLoad : public TopoLoad {
protected:
    void SetUp() override {
        TopoLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        write("customer.ndl", "NETWORKNAME = LAB, SECTION = CUSTOMER\n");
        Outcome r = load_text(topology(true, true));
        ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    }

    void write(const std::string &name, const std::string &text) { std::ofstream(dir + "/" + name) << text; }
    Outcome run(const std::string &files, const std::string &mode = "updateversion") {
        return load(files, mode, dir);
    }

    // The network with the domains EAST and (optionally) WEST, each with a
    // PE node type (WEST's optional too).
    static std::string topology(bool west, bool west_pe, const std::string &west_device = "router") {
        std::string s = std::string(kHeader) +
                        "NETWORK LAB BEGIN ORGANIZATION = \"Lab\" ADDRESS = \"1 Main St\" CITY = \"Porto\" "
                        "COUNTRY = \"PT\" NETWORKZONENAME = \"lab.example\" EXPORTEDZONENAME = \"ext.lab.example\" "
                        "END\n" +
                        domain("EAST") + (west ? domain("WEST") : "") + node("EAST");
        if (west && west_pe) s += node("WEST", west_device);
        return s;
    }
    static std::string node(const std::string &domain, const std::string &device = "router") {
        return "NODES " + domain +
               ".PE BEGIN\n"
               "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
               "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"" + device +
               "\" )\n"
               "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , "
               "MAXVALUE = 9 )\n"
               "END\n";
    }

    // Every table's row count, one line each.
    V counts() {
        V out;
        for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"))
            for (const std::string &n : rows("SELECT COUNT(*) FROM \"" + t + "\"")) out.push_back(t + "=" + n);
        return out;
    }

    const std::string kTopologyRule =
        "\n\nERROR: Entried in topology section seems to be modified or deleted, you should parse customer section "
        "also to validate the customer rules\n";
    const std::string kGlobal = "<left>---- Global Validations ----</left>";
    const std::string kLoaded = "files  successfully loaded \n";
};

// The messages between the file line and the closing lines of a run.
V findings(const V &messages) {
    V out;
    for (const std::string &m : messages)
        if (m.rfind("ERROR", 0) == 0 || m.rfind("WARNING", 0) == 0 || m.rfind("\n\nERROR", 0) == 0) out.push_back(m);
    return out;
}

TEST_F(InventoryLoad, ADroppedNodeTypeInUseIsRefused) {
    write("b.ndl", topology(true, false));
    sql("INSERT INTO nodeinst ("
        "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,'PE',1,1,0)");
    const V before = counts();
    Outcome r = run("b.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.messages, (V{"ERROR:Domain 'WEST' Nodetype 'PE' is being deleted, delete node instances first\n",
                             kExit}));
    EXPECT_EQ(counts(), before);

    // A changed device type is a change of the node type too.
    write("c.ndl", topology(true, true, "switch"));
    r = run("c.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(findings(r.messages), V{"ERROR:Domain 'WEST' Nodetype 'PE' is being deleted, delete node instances first\n"});
    EXPECT_EQ(counts(), before);
}

TEST_F(InventoryLoad, ADroppedNodeTypeNotInUseNeedsTheCustomerSection) {
    write("b.ndl", topology(true, false));
    // The one node instance was deleted since.
    sql("INSERT INTO nodeinst ("
        "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,'PE',1,1,0)");
    sql("INSERT INTO nodeinst ("
        "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,'PE',1,2,1)");
    const V warnings = {"WARNING:Domain 'WEST' Nodetype 'PE' is being deleted\n",
                        "WARNING:Variable 'HOSTNAME' of Domain 'WEST' Nodetype 'PE' is being deleted\n"};
    const V before = counts();
    Outcome r = run("b.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.messages, (V{warnings[0], warnings[1], kGlobal, kTopologyRule}));
    EXPECT_EQ(counts(), before);

    // With the customer section in the same run the change is kept.
    r = run("b.ndl,customer.ndl");
    EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(findings(r.messages), warnings);
    EXPECT_EQ(r.messages.back(), kLoaded);
    EXPECT_EQ(rows("SELECT domainname, nodetype FROM domainnodes ORDER BY 1"), V{"EAST|PE"});
}

TEST_F(InventoryLoad, InitializeDataChecksNothing) {
    write("b.ndl", topology(false, false));
    sql("INSERT INTO nodeinst ("
        "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,'PE',1,1,0)");
    sql("INSERT INTO domaininstance ("
        "networkid, version, domainname, domainid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,1,0)");
    Outcome r = run("b.ndl", "initializedata");
    EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(findings(r.messages), V{});
    EXPECT_EQ(rows("SELECT domainname FROM domain"), V{"EAST"});
}

TEST_F(InventoryLoad, ADroppedDomain) {
    write("b.ndl", topology(false, false));
    sql("INSERT INTO domaininstance ("
        "networkid, version, domainname, domainid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,1,0)");
    const V before = counts();
    Outcome r = run("b.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(findings(r.messages), V{"ERROR:Domain 'WEST' is being deleted, remove all domain instances first\n"});
    EXPECT_EQ(counts(), before);

    // Not in use: the domain, its variables, its node type and its node
    // variables are each warned about.
    sql("INSERT INTO domaininstance ("
        "networkid, version, domainname, domainid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,2,1)");
    const V unchanged = counts();
    r = run("b.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(findings(r.messages),
              (V{"WARNING:Domain 'WEST' is deleted.\n",
                 "WARNING:Domain variable 'COUNTRYCODE'  for domain 'WEST' is modified/deleted.\n",
                 "WARNING:Domain variable 'LOCATIONCODE'  for domain 'WEST' is modified/deleted.\n",
                 "WARNING:Domain variable 'SITENAME'  for domain 'WEST' is modified/deleted.\n",
                 "WARNING:Domain 'WEST' Nodetype 'PE' is being deleted\n",
                 "WARNING:Variable 'HOSTNAME' of Domain 'WEST' Nodetype 'PE' is being deleted\n", kTopologyRule}));
    EXPECT_EQ(counts(), unchanged);
}

// Rows of blocks that this section does not declare, stored by SQL: the
// section drops them.
TEST_F(InventoryLoad, StoredRowsTheSectionDrops) {
    write("a.ndl", topology(true, true));
    struct Case {
        std::vector<const char *> stored;
        V found;
        int ret;
    } cases[] = {
        {{"INSERT INTO domainconntypes ("
            "networkid, connectionno, connectionname, connectionscope, connectiontype, "
            "networktypes, addresstype, prefix, valcheck, maxconn"
            ") VALUES (1,8,'LAN','GLOBAL','P2P',0,'IPV4','30','NONE',1)",
          "INSERT INTO nodeconn ("
              "networkid, version, connectionid, seqno, connectionname, changetype"
              ") VALUES (1,1,100,1,'LAN',0)"},
         {"ERROR:Connection 'LAN'  is modified/deleted, delete all instances first.\n"},
         2},
        {{"INSERT INTO domainconntypes ("
            "networkid, connectionno, connectionname, connectionscope, connectiontype, "
            "networktypes, addresstype, prefix, valcheck, maxconn"
            ") VALUES (1,8,'LAN','GLOBAL','P2P',0,'IPV4','30','NONE',1)"},
         {"WARNING:Connection 'LAN'  is modified/deleted.\n", kTopologyRule},
         2},
        {{"INSERT INTO servicetypes ("
            "networkid, servicetype, hosttype"
            ") VALUES (1,'VPN','CE')"}, {"ERROR: Service type VPN with hosttype CE is deleted.\n"}, 2},
        {{"INSERT INTO pooltypes ("
            "networkid, servicetype, hosttype, poolowner, validation"
            ") VALUES (1,'VPN','CE','NODE','NONE')"},
         {"ERROR: Pooltype for service VPN :hosttype CE is changed/deleted.\n"},
         2},
        {{"INSERT INTO poolclass ("
            "networkid, name, value, isdefault, isshared"
            ") VALUES (1,'GOLD','G1',1,0)"}, {"ERROR: Poolclass  G1  changed/deleted.\n"}, 2},
        {{"INSERT INTO vcclass ("
            "networkid, connectionno, connectionname, encapsulationtype, connectiontype, "
            "pathmode, pathtype, scope, maxconn, isauthenticated"
            ") VALUES (1,9,'PATH','PPP','VC','ANY','PVC','GLOBAL',5,0)"},
         {"ERROR: VCCLASS entry for Connection 'PATH': is modified/deleted. \n"},
         2},
        {{"INSERT INTO vcmemberclass ("
            "networkid, connectionno, sequence, domainname, nodetype, minconn, maxconn, "
            "membertype, interface, connectionname, tunnelsource"
            ") VALUES (1,9,1,'EAST','PE',1,2,'END','Serial0','PATH',NULL)"},
         {"ERROR: member EAST-PE entry for Connection 'PATH': is modified/deleted. \n"},
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored[0]);
        for (const char *s : c.stored) sql(s);
        const V before = counts();
        Outcome r = run("a.ndl");
        EXPECT_EQ(r.ret, c.ret);
        EXPECT_EQ(findings(r.messages), c.found);
        EXPECT_EQ(counts(), before);
        for (const char *t : {"domainconntypes", "nodeconn", "servicetypes", "pooltypes", "poolclass", "vcclass",
                              "vcmemberclass"})
            sql(std::string("DELETE FROM ") + t);
    }
}

TEST_F(InventoryLoad, ADroppedCustomerType) {
    sql("INSERT INTO custconntypes ("
        "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, domainname, "
        "addressmode, routingenabled, directconnect, custsitetype"
        ") VALUES (1,'VPN','GOLD','EAST','','','','EAST','AUTOMATIC',1,0,'SITE')");
    sql("INSERT INTO poolclassmapping ("
        "networkid, conntypename, roletype, hosttype, nattype, poolclass, enrollforall"
        ") VALUES (1,'GOLD','PE','CE','NONE','G1',0)");
    sql("INSERT INTO custsite ("
        "networkid, version, customerid, seqno, connectiontype, changetype"
        ") VALUES (1,1,40,1,'GOLD',0)");
    const V before = counts();
    Outcome r = run("customer.ndl", "");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(findings(r.messages), V{"ERROR: Customer connectiontype 'GOLD' is modified/deleted. \n"});
    EXPECT_EQ(counts(), before);

    // Once the site is gone the type only warns, and the mapping's text
    // reads ERROR in a run that succeeds.
    sql("INSERT INTO custsite ("
        "networkid, version, customerid, seqno, connectiontype, changetype"
        ") VALUES (1,1,40,2,'GOLD',1)");
    r = run("customer.ndl", "");
    EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(findings(r.messages),
              (V{"WARNING:Customer connectiontype 'GOLD' is modified/deleted. \n",
                 "ERROR: Poolclassmapping for Connectiontype 'GOLD': hostype CE-- nattype NONE is modified/deleted. \n"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM custconntypes"), V{"0"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM poolclassmapping"), V{"0"});
}

TEST_F(InventoryLoad, AFailedCountFailsTheLoadAndChangesNothing) {
    write("b.ndl", topology(true, false));
    sql("INSERT INTO nodeinst ("
        "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
        ") VALUES (1,1,'WEST',2,'PE',1,1,0)");
    const V before = counts();
    // The refused run ends with the count query: its last execute. A fault
    // fires when it falls within the run, so the last k that changes the
    // log is the count's.
    parse(dir, "b.ndl", "updateversion");
    const std::string unfaulted = log;
    auto fires = [&](int k) {
        EXPECT_EQ(parse(dir, "b.ndl", "updateversion", "execute", k).ret, 2) << k;
        EXPECT_EQ(counts(), before) << k;
        return log != unfaulted;
    };
    int low = 1, high = 1024;  // fires(low), not fires(high)
    ASSERT_TRUE(fires(low));
    ASSERT_FALSE(fires(high));
    while (high - low > 1) {
        int mid = (low + high) / 2;
        (fires(mid) ? low : high) = mid;
    }
    fires(low);
    EXPECT_NE(log.find("Table : nodeinst \n<br>Error nodeinst - "), std::string::npos) << log;
    EXPECT_NE(log.find("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n"), std::string::npos);
}

}  // namespace
