// The inventory checks in process: stored rows and instance rows inserted
// by SQL into a fresh repository, the parsed lists filled directly, and the
// checks run on the session's handles with the log captured.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database.h"
#include "driver.h"
#include "fault_hook.h"
#include "host.h"
#include "inventory.h"
#include "memory_log.h"
#include "records_customer.h"
#include "records_topology.h"
#include "runstate.h"
#include "table_desc.h"

namespace {

class Inventory : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-inv-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        session = std::make_unique<extproc::Session>(dir + "/repository.db");
        ASSERT_TRUE(session->ok()) << session->error();
        const auto &h = session->handles();
        OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&stmthp), OCI_HTYPE_STMT, 0, nullptr);
        OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&stmthp1), OCI_HTYPE_STMT, 0, nullptr);
        InitialiseGlobalData();
        releasememory("ALL");
        fresh();
    }
    void TearDown() override {
        clear_faults();
        releasememory("ALL");
        OCIHandleFree(stmthp, OCI_HTYPE_STMT);
        OCIHandleFree(stmthp1, OCI_HTYPE_STMT);
        stmthp = stmthp1 = nullptr;
        OCITransRollback(session->handles().svc, session->handles().err, 0);
        session.reset();
        std::filesystem::remove_all(dir);
    }

    // The run's state as a check finds it, with nothing stored.
    void fresh() {
        const auto &h = session->handles();
        OCITransRollback(h.svc, h.err, 0);
        envhp = h.env;
        svchp = h.svc;
        errhp = h.err;
        networkid = 1;
        g_loaderror = 0;
        g_topologymodified = 0;
        g_tablename[0] = '\0';
        log_text.clear();
    }
    void sql(const std::string &text) { ASSERT_EQ(ndldb::run_statement(text.c_str()), 1) << text << log_text; }

    // The log's messages, "<br>" removed.
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (size_t at = 0; at < log_text.size();) {
            size_t br = log_text.find("<br>", at);
            if (br == std::string::npos) br = log_text.size();
            out.push_back(log_text.substr(at, br - at));
            at = br + 4;
        }
        return out;
    }

    std::string dir;
    std::unique_ptr<extproc::Session> session;
};

using V = std::vector<std::string>;

template <class T>
T *add(record_list<T> &list) {
    T *rec = alloc_record<T>();
    append_record(list, rec);
    return rec;
}

// The connection type that the name lookups find: number 7, WAN.
void parse_wan() {
    auto *c = add(prdomainconntypes);
    c->connectionno = 7;
    c->connectionname = "WAN";
}

// One stored row of every checked table, with the instance row that keeps
// it in use. For each, a deleted row is refused while that instance lives,
// and (where the table counts) only warned about once the instance's latest
// row is a deletion.
struct Case {
    const char *stored;
    const char *live;  // null: no count, the row is refused at once
    const char *dead;  // the same instance, deleted later
    std::string error;
    std::string warning;
    bool flag;
    bool customer;
};

const char kLiveNode[] = "INSERT INTO nodeinst ("
    "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
    ") VALUES (1,1,'EAST',5,'PE',1,1,0)";
const char kDeadNode[] = "INSERT INTO nodeinst ("
    "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
    ") VALUES (1,1,'EAST',5,'PE',1,1,0);INSERT INTO nodeinst (networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype) VALUES (1,1,'EAST',5,'PE',1,2,1)";
const char kLiveDomain[] = "INSERT INTO domaininstance ("
    "networkid, version, domainname, domainid, seqno, changetype"
    ") VALUES (1,1,'EAST',5,1,0)";
const char kDeadDomain[] = "INSERT INTO domaininstance ("
    "networkid, version, domainname, domainid, seqno, changetype"
    ") VALUES (1,1,'EAST',5,1,0);INSERT INTO domaininstance (networkid, version, domainname, domainid, seqno, changetype) VALUES (1,1,'EAST',5,2,1)";
const char kLiveWan[] = "INSERT INTO nodeconn ("
    "networkid, version, connectionid, seqno, connectionname, changetype"
    ") VALUES (1,1,100,1,'WAN',0)";
const char kDeadWan[] = "INSERT INTO nodeconn ("
    "networkid, version, connectionid, seqno, connectionname, changetype"
    ") VALUES (1,1,100,1,'WAN',0);INSERT INTO nodeconn (networkid, version, connectionid, seqno, connectionname, changetype) VALUES (1,1,100,2,'WAN',1)";
const char kLiveSite[] = "INSERT INTO custsite ("
    "networkid, version, customerid, seqno, connectiontype, changetype"
    ") VALUES (1,1,40,1,'GOLD',0)";
const char kDeadSite[] = "INSERT INTO custsite ("
    "networkid, version, customerid, seqno, connectiontype, changetype"
    ") VALUES (1,1,40,1,'GOLD',0);INSERT INTO custsite (networkid, version, customerid, seqno, connectiontype, changetype) VALUES (1,1,40,2,'GOLD',1)";

const Case kCases[] = {
    {"INSERT INTO networks ("
        "networkid, networkname, organization, address, city, country, networkzonename, "
        "exportedzonename, securitygroup"
        ") VALUES (1,'LAB','Org','A','C','PT','z','x','ALL')", nullptr, nullptr,
     "ERROR:Network data for 'LAB' is changed\n", "", false, false},
    {"INSERT INTO domain (networkid, domainname) VALUES (1,'EAST')", kLiveDomain, kDeadDomain,
     "ERROR:Domain 'EAST' is being deleted, remove all domain instances first\n", "WARNING:Domain 'EAST' is deleted.\n",
     true, false},
    {"INSERT INTO domainvariables ("
        "networkid, domainname, sequence, variablename, displayname, variabletype, updatestatus, "
        "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec"
        ") VALUES (1,'EAST',1,'SITE','Site','STRING','FIXED',0,0,0,NULL,NULL,NULL,NULL)",
     kLiveDomain, kDeadDomain,
     "ERROR:Domain variable 'SITE'  for domain 'EAST' is modified/deleted, delete domain instaces first\n",
     "WARNING:Domain variable 'SITE'  for domain 'EAST' is modified/deleted.\n", true, false},
    {"INSERT INTO domainconntypes ("
        "networkid, connectionno, connectionname, connectionscope, connectiontype, networktypes, "
        "addresstype, prefix, valcheck, maxconn"
        ") VALUES (1,8,'LAN','GLOBAL','P2P',0,'IPV4','30','NONE',1)",
     "INSERT INTO nodeconn ("
         "networkid, version, connectionid, seqno, connectionname, changetype"
         ") VALUES (1,1,100,1,'LAN',0)",
     "INSERT INTO nodeconn ("
         "networkid, version, connectionid, seqno, connectionname, changetype"
         ") VALUES (1,1,100,1,'LAN',0);INSERT INTO nodeconn (networkid, version, connectionid, seqno, connectionname, changetype) VALUES (1,1,100,2,'LAN',1)",
     "ERROR:Connection 'LAN'  is modified/deleted, delete all instances first.\n",
     "WARNING:Connection 'LAN'  is modified/deleted.\n", true, false},
    {"INSERT INTO domainfixedconn ("
        "networkid, connectionno, domainname, nodetype, nattype, authserver, minconn, maxconn, "
        "secondaryip"
        ") VALUES (1,7,'EAST','PE','NONE',NULL,1,2,0)", kLiveWan, kDeadWan,
     "ERROR:Connection 'WAN' Domain EAST Nodetype PE has modified/deleted  nattype/authserver/secondaryip "
     "specification.\n Please check the MEMBER entry for this connection.\n",
     "WARNING:Connection 'WAN' Domain EAST Nodetype PE has modified/deleted nattype/authserver/secondaryip "
     "specification.\nPlease check the MEMBER entry for this connection.\n",
     true, false},
    {"INSERT INTO domainconnvars ("
        "networkid, connectionno, sequence, variablename, displayname, variabletype, "
        "updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, "
        "uniquec"
        ") VALUES (1,7,1,'VLAN','Vlan','NUMBER','FIXED',0,0,0,NULL,NULL,NULL,NULL)", kLiveWan,
     kDeadWan,
     "ERROR:Connection variable 'VLAN' for connectiontype 'WAN'  is being deleted, delete connection instances first\n",
     "WARNING:Connection variable 'VLAN' for connectiontype 'WAN' is deleted.\n", true, false},
    {"INSERT INTO domainnodes ("
        "networkid, domainname, nodetype, nodeidstart, maxnode, minnode, hostname, devicetype, "
        "iscpe, remoteaccess, remoteaddrtype, natinside, nataddrtype, routedprotocols, "
        "controller"
        ") VALUES (1,'EAST','PE',1,9,1,NULL,'router',0,0,'',0,'',0,0)", kLiveNode, kDeadNode,
     "ERROR:Domain 'EAST' Nodetype 'PE' is being deleted, delete node instances first\n",
     "WARNING:Domain 'EAST' Nodetype 'PE' is being deleted\n", true, false},
    {"INSERT INTO domainnodevars ("
        "networkid, domainname, nodetype, sequence, variablename, displayname, variabletype, "
        "updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, "
        "uniquec"
        ") VALUES (1,'EAST','PE',1,'HOSTNAME','Host','STRING','VARIABLE',0,0,0,NULL,NULL,NULL,"
     "NULL)",
     kLiveNode, kDeadNode,
     "ERROR:Variable 'HOSTNAME' of Domain 'EAST' :Nodetype 'PE': is being deleted, delete node instances first\n",
     "WARNING:Variable 'HOSTNAME' of Domain 'EAST' Nodetype 'PE' is being deleted\n", true, false},
    {"INSERT INTO domainremotetypes ("
        "networkid, connectionno, peruser, isdn, async, dialout, dialin"
        ") VALUES (1,7,1,0,0,1,1)", kLiveWan, kDeadWan,
     "ERROR:Connection  'WAN'  has different remote attributes.\n",
     "WARNING:Connection  'WAN'  has different remote attributes.\n", true, false},
    {"INSERT INTO domaininttypes ("
        "networkid, connectionno, interfacetype, encapsulationtype, isauthenticated, "
        "subinterface, authenticationtype, conntype"
        ") VALUES (1,7,'Serial','HDLC',0,0,'NONE','P2P')", kLiveWan, kDeadWan,
     "ERROR:Connection no 'WAN'  interface type 'Serial' is modified/deleted.\n",
     "WARNING:Connection no 'WAN'  interface type 'Serial' is modified/deleted.\n", true, false},
    {"INSERT INTO domaininstvars ("
        "networkid, connectionname, sequenceno, variablename"
        ") VALUES (1,'WAN',1,'CIRCUIT')", kLiveWan, kDeadWan,
     "ERROR:Connection 'WAN' instanceid variable 'CIRCUIT' is deleted.\n",
     "WARNING:Connection 'WAN'  instanceid variable 'CIRCUIT' is deleted.\n", true, false},
    {"INSERT INTO hsrpmember ("
        "networkid, connectionno, sequenceno, domainname, nodetype, subsequenceno, "
        "trackinterface, trackpriority"
        ") VALUES (1,7,2,'EAST','PE',1,'Serial0',10)", kLiveWan, kDeadWan,
     "ERROR:Connection 'WAN' Domain: EAST Node: PE HSRP member 2 is changed/deleted.\n",
     "WARNING:Connection 'WAN' Domain: EAST Node: PE HSRP member 2 is changed/deleted.\n", true, false},
    {"INSERT INTO hsrpconnections ("
        "networkid, connectionno, sequenceno, addresstype, authenticated, subsequenceno, "
        "hsrppriority"
        ") VALUES (1,7,3,'IPV4',0,1,'100')", kLiveWan, kDeadWan,
     "ERROR: HSRP for connection  'WAN' group 3 is changed/deleted. \n",
     "WARNING: HSRP for connection 'WAN' group 3 is changed/deleted. \n", true, false},
    {"INSERT INTO addressassign ("
        "networkid, namedpointtype, namedendpoint, addresspoolname, sequence, scope, offset, "
        "ipaddress, poolname, servicetype, hosttype, nattype, poolowner, poolownervar, "
        "poolclass"
        ") VALUES (1,1,'WAN','POOL1',1,'GLOBAL','0',NULL,'P1',NULL,NULL,NULL,NULL,NULL,NULL)",
     kLiveWan, kDeadWan, "ERROR: Addressassign entry for WAN is changed/deleted. \n",
     "WARNING: Addressassign entry for WAN is changed/deleted. \n", true, false},
    {"INSERT INTO domainnodelogint ("
        "networkid, domainname, nodetype, devicetype, inttype, intno, addresstype, prefix, "
        "dependency, valcheck"
        ") VALUES (1,'EAST','PE','router','Loopback','0','IPV4',32,'NONE','NONE')", kLiveNode,
     kDeadNode, "ERROR: Logicalinterface entry for domain EAST nodetype PE is changed/deleted. \n",
     "WARNING: Logicalinterface entry for domain EAST nodetype PE is changed/deleted. \n", true, false},
    {"INSERT INTO servicetypes (networkid, servicetype, hosttype) VALUES (1,'VPN','CE')", nullptr, nullptr,
     "ERROR: Service type VPN with hosttype CE is deleted.\n", "", false, false},
    {"INSERT INTO servicetypevars ("
        "networkid, servicetype, sequence, variablename, displayname, variabletype, "
        "updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, "
        "uniquec"
        ") VALUES (1,'VPN',1,'VRF','Vrf','STRING','FIXED',0,0,0,NULL,NULL,NULL,NULL)", nullptr,
     nullptr, "ERROR: Variable VRF of servicetype VPN is deleted.\n", "", false, false},
    {"INSERT INTO networkvars ("
        "networkid, sequence, variablename, variabletype, variablevalue"
        ") VALUES (1,1,'ASN','NUMBER','65000')", nullptr, nullptr,
     "ERROR: Network variable ASN is deleted.\n", "", false, false},
    {"INSERT INTO pooltypes ("
        "networkid, servicetype, hosttype, poolowner, validation"
        ") VALUES (1,'VPN','CE','NODE','NONE')", nullptr, nullptr,
     "ERROR: Pooltype for service VPN :hosttype CE is changed/deleted.\n", "", false, false},
    {"INSERT INTO compooltypes ("
        "networkid, servicetype, communicationtype, hosttype, addressmode"
        ") VALUES (1,'VPN','P2P','CE','AUTO')", nullptr, nullptr,
     "ERROR: Pooltypemap for service VPN :communication type P2P is changed/deleted.\n", "", false, false},
    {"INSERT INTO poolclass ("
        "networkid, name, value, isdefault, isshared"
        ") VALUES (1,'GOLD','G1',1,0)", nullptr, nullptr, "ERROR: Poolclass  G1  changed/deleted.\n",
     "", false, false},
    {"INSERT INTO poolsequence ("
        "networkid, servicetype, poolowner, hosttype, sequence, variablename"
        ") VALUES (1,'VPN','NODE','CE',1,'SITE')", nullptr, nullptr,
     "ERROR: Poolsequence  variable SITE for service VPN :hosttype CE is changed/deleted.\n", "", false, false},
    {"INSERT INTO apsmember ("
        "networkid, connectionno, domainname, nodetype, interfacemode"
        ") VALUES (1,7,'EAST','PE',1)", kLiveWan, kDeadWan,
     "ERROR: APSmember for connection 'WAN' , domain:EAST nodetype:PE is changed/deleted\n",
     "WARNING: APSmember for connection 'WAN' , domain:EAST nodetype:PE is changed/deleted\n", false, false},
    {"INSERT INTO vcclass ("
        "networkid, connectionno, connectionname, encapsulationtype, connectiontype, pathmode, "
        "pathtype, scope, maxconn, isauthenticated"
        ") VALUES (1,9,'PATH','PPP','VC','ANY','PVC','GLOBAL',5,0)", nullptr, nullptr,
     "ERROR: VCCLASS entry for Connection 'PATH': is modified/deleted. \n", "", false, false},
    {"INSERT INTO vcmemberclass ("
        "networkid, connectionno, sequence, domainname, nodetype, minconn, maxconn, membertype, "
        "interface, connectionname, tunnelsource"
        ") VALUES (1,9,1,'EAST','PE',1,2,'END','Serial0','PATH',NULL)", nullptr, nullptr,
     "ERROR: member EAST-PE entry for Connection 'PATH': is modified/deleted. \n", "", false, false},
    {"INSERT INTO custconntypes ("
        "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, domainname, "
        "addressmode, routingenabled, directconnect, custsitetype"
        ") VALUES (1,'VPN','GOLD','EAST','','','','EAST','AUTOMATIC',1,0,'SITE')", kLiveSite,
     kDeadSite, "ERROR: Customer connectiontype 'GOLD' is modified/deleted. \n",
     "WARNING:Customer connectiontype 'GOLD' is modified/deleted. \n", false, true},
    {"INSERT INTO custvars ("
        "networkid, servicetype, conntypename, sequence, variablename, displayname, "
        "variabletype, updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, "
        "variablevalue, uniquec"
        ") VALUES (1,'VPN','GOLD','1','SITEID','Site','STRING','FIXED',0,0,0,NULL,NULL,NULL,NULL)",
     kLiveSite, kDeadSite, "ERROR: Variable 'SITEID' is modified/deleted for customertype 'GOLD'\n",
     "WARNING: Variable 'SITEID' is modified/deleted for customertype 'GOLD'\n", false, true},
    {"INSERT INTO custconnaddrtypes ("
        "networkid, servicetype, conntypename, sequence, addrtype"
        ") VALUES (1,'VPN','GOLD',1,'NAT')", kLiveSite, kDeadSite,
     "ERROR: Customer connectiontype 'GOLD'  nataddresstype 'NAT'is modified/deleted. \n",
     "WARNING:Customer connectiontype 'GOLD'  nataddresstype 'NAT'is modified/deleted. \n", false, true},
    {"INSERT INTO custconnnodes ("
        "networkid, servicetype, conntypename, nodetype, noofnodeinstance"
        ") VALUES (1,'VPN','GOLD','CE',2)", kLiveSite, kDeadSite,
     "ERROR: Customer connectiontype 'GOLD' has nodetype/nodeinstances  modified/deleted. \n",
     "WARNING:Customer connectiontype 'GOLD' has nodetype/nodeinstances  modified/deleted. \n", false, true},
    {"INSERT INTO custconninterfaces ("
        "networkid, servicetype, conntypename, nodetype, nodeinstance, connectionname, "
        "instanceno, interfacetype, encapsulationtype, remotedomain, remotenodetype"
        ") VALUES (1,'VPN','GOLD','CE',1,'WAN',1,'Serial','HDLC',NULL,NULL)", kLiveSite,
     kDeadSite, "ERROR: Customer connectiontype 'GOLD': Connection:WAN: interface Serial is modified/deleted. \n",
     "WARNING:Customer connectiontype 'GOLD': Connection:WAN: interface Serial is modified/deleted. \n", false, true},
    // One text for both outcomes, as the mapping has it.
    {"INSERT INTO poolclassmapping ("
        "networkid, conntypename, roletype, hosttype, nattype, poolclass, enrollforall"
        ") VALUES (1,'GOLD','PE','CE','NONE','G1',0)", kLiveSite, kDeadSite,
     "ERROR: Poolclassmapping for Connectiontype 'GOLD': hostype CE-- nattype NONE is modified/deleted. \n",
     "ERROR: Poolclassmapping for Connectiontype 'GOLD': hostype CE-- nattype NONE is modified/deleted. \n", false,
     true},
};

TEST_F(Inventory, EveryCheckedTableRefusesInUseAndWarnsOtherwise) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.stored);
        auto check = [&] { return c.customer ? NDL_validateCustomer() : NDL_validateTopology(); };
        auto store = [&](const char *instances) {
            fresh();
            releasememory("ALL");
            parse_wan();
            sql(c.stored);
            if (!instances) return;
            // One statement per text: split the history rows.
            std::string all = instances;
            for (size_t at = 0; at < all.size();) {
                size_t end = all.find(';', at);
                if (end == std::string::npos) end = all.size();
                sql(all.substr(at, end - at));
                at = end + 1;
            }
        };

        store(c.live);
        EXPECT_EQ(check(), 0);
        EXPECT_EQ(messages(), (V{c.error}));
        EXPECT_EQ(g_topologymodified, 0);
        if (!c.live) continue;

        store(c.dead);
        EXPECT_EQ(check(), 1);
        EXPECT_EQ(messages(), (V{c.warning}));
        EXPECT_EQ(g_topologymodified, c.flag ? 1 : 0);
        EXPECT_EQ(g_loaderror, 0);
    }
}

TEST_F(Inventory, NothingStoredOrNothingChangedSaysNothing) {
    parse_wan();
    EXPECT_EQ(NDL_validateTopology(), 1);
    EXPECT_EQ(NDL_validateCustomer(), 1);
    EXPECT_EQ(log_text, "");

    // Stored rows equal to the parsed ones on their keys; the other fields
    // (the domain variable's display name) may change freely.
    sql("INSERT INTO domain (networkid, domainname) VALUES (1,'EAST')");
    sql("INSERT INTO domainvariables ("
        "networkid, domainname, sequence, variablename, displayname, variabletype, updatestatus, "
        "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec"
        ") VALUES (1,'EAST',1,'SITE','Old name','STRING','FIXED',0,0,0,NULL,NULL,NULL,NULL)");
    sql("INSERT INTO domainconntypes ("
        "networkid, connectionno, connectionname, connectionscope, connectiontype, networktypes, "
        "addresstype, prefix, valcheck, maxconn"
        ") VALUES (1,7,'WAN','','',0,'','','',1)");
    sql(kLiveDomain);
    add(prdomains)->domainname = "EAST";
    auto *v = add(prdomainvariables);
    v->domainname = "EAST";
    v->variablename = "SITE";
    v->displayname = "New name";
    EXPECT_EQ(NDL_validateTopology(), 1);
    EXPECT_EQ(log_text, "");
    EXPECT_EQ(g_topologymodified, 0);
}

TEST_F(Inventory, AChangedKeyCountsAsADeletion) {
    // The connection type's scope changed: the stored row has no counterpart.
    sql("INSERT INTO domainconntypes ("
        "networkid, connectionno, connectionname, connectionscope, connectiontype, networktypes, "
        "addresstype, prefix, valcheck, maxconn"
        ") VALUES (1,7,'WAN','GLOBAL','P2P',0,'IPV4','30','NONE',1)");
    sql(kLiveWan);
    auto *c = add(prdomainconntypes);
    c->connectionno = 7;
    c->connectionname = "WAN";
    c->connectionscope = "LOCAL";
    c->connectiontype = "P2P";
    c->addresstype = "IPV4";
    c->prefix = "30";
    c->valcheck = "NONE";
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(messages(), (V{"ERROR:Connection 'WAN'  is modified/deleted, delete all instances first.\n"}));

    // Back to GLOBAL, with a second equal record: the first one matches.
    fresh();
    c->connectionscope = "GLOBAL";
    auto *twin = alloc_record<domain_conn_type_rec>();
    *twin = *c;
    append_record(prdomainconntypes, twin);
    EXPECT_EQ(NDL_validateTopology(), 1);
    EXPECT_EQ(log_text, "");

    // A changed logical interface dependency is a change too.
    sql("INSERT INTO domainnodelogint ("
        "networkid, domainname, nodetype, devicetype, inttype, intno, addresstype, prefix, "
        "dependency, valcheck"
        ") VALUES (1,'EAST','PE','router','Loopback','0','IPV4',32,'NONE','NONE')");
    auto *li = add(prdomainnodelogint);
    li->domainname = "EAST";
    li->nodetype = "PE";
    li->devicetype = "router";
    li->inttype = "Loopback";
    li->intno = "0";
    li->addresstype = "IPV4";
    li->dependency = "NONE";
    li->valcheck = "CHECK";
    li->prefix = 32;
    EXPECT_EQ(NDL_validateTopology(), 1);
    EXPECT_EQ(messages(), (V{"WARNING: Logicalinterface entry for domain EAST nodetype PE is changed/deleted. \n"}));
    EXPECT_EQ(g_topologymodified, 1);
}

TEST_F(Inventory, InstanceHistoryCountsItsLatestRowPerInstance) {
    sql("INSERT INTO domainnodes ("
        "networkid, domainname, nodetype, nodeidstart, maxnode, minnode, hostname, devicetype, "
        "iscpe, remoteaccess, remoteaddrtype, natinside, nataddrtype, routedprotocols, "
        "controller"
        ") VALUES (1,'EAST','PE',1,9,1,NULL,'router',0,0,'',0,'',0,0)");
    // Node 1 was deleted and later brought back; node 2 is gone; another
    // network's and another node type's live nodes do not count.
    for (const char *row : {"(1,1,'EAST',5,'PE',1,1,1)", "(1,1,'EAST',5,'PE',1,2,0)", "(1,1,'EAST',5,'PE',2,1,0)",
                            "(1,1,'EAST',5,'PE',2,2,1)", "(2,1,'EAST',5,'PE',3,1,0)", "(1,1,'EAST',5,'CE',4,1,0)"})
        sql(std::string("INSERT INTO nodeinst ("
            "networkid, version, domainname, domainid, nodetype, nodeid, seqno, changetype"
            ") VALUES ") + row);
    EXPECT_EQ(count_nodeinst("EAST", "PE"), 1);
    EXPECT_EQ(count_nodeinst("EAST", "P'E"), 0);
    EXPECT_EQ(g_tablename[0], '\0');
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(messages(), (V{"ERROR:Domain 'EAST' Nodetype 'PE' is being deleted, delete node instances first\n"}));
}

TEST_F(Inventory, QuotesInStoredNamesStayInsideTheirText) {
    sql("INSERT INTO domain (networkid, domainname) VALUES (1,'O''NEIL')");
    sql("INSERT INTO domaininstance ("
        "networkid, version, domainname, domainid, seqno, changetype"
        ") VALUES (1,1,'O''NEIL',5,1,0)");
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(messages(), (V{"ERROR:Domain 'O'NEIL' is being deleted, remove all domain instances first\n"}));
    EXPECT_EQ(g_loaderror, 0);
}

TEST_F(Inventory, WarningsBeforeARefusalAreLoggedAndTheCheckStopsThere) {
    sql("INSERT INTO domain (networkid, domainname) VALUES (1,'WEST')");
    sql("INSERT INTO domain (networkid, domainname) VALUES (1,'EAST')");
    sql("INSERT INTO domain (networkid, domainname) VALUES (1,'NORTH')");
    sql(kLiveDomain);
    sql("INSERT INTO servicetypes ("
        "networkid, servicetype, hosttype"
        ") VALUES (1,'VPN','CE')");  // a later table, never reached
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(messages(), (V{"WARNING:Domain 'WEST' is deleted.\n",
                             "ERROR:Domain 'EAST' is being deleted, remove all domain instances first\n"}));
    EXPECT_EQ(g_topologymodified, 1);
}

TEST_F(Inventory, ConnectionNamesComeFromTheParsedConnectionTypes) {
    // The stored connection type is only warned about, but its HSRP group
    // can no longer be named.
    sql("INSERT INTO domainconntypes ("
        "networkid, connectionno, connectionname, connectionscope, connectiontype, networktypes, "
        "addresstype, prefix, valcheck, maxconn"
        ") VALUES (1,99,'OLD','GLOBAL','P2P',0,'IPV4','30','NONE',1)");
    sql("INSERT INTO hsrpconnections ("
        "networkid, connectionno, sequenceno, addresstype, authenticated, subsequenceno, "
        "hsrppriority"
        ") VALUES (1,99,3,'IPV4',0,1,'100')");
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(messages(), (V{"WARNING:Connection 'OLD'  is modified/deleted.\n",
                             "ERROR:connection name for connection number 99 could not be found \n"}));
}

TEST_F(Inventory, SubListsAreComparedWithTheMatchingRecord) {
    sql("INSERT INTO custconntypes ("
        "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, domainname, "
        "addressmode, routingenabled, directconnect, custsitetype"
        ") VALUES (1,'VPN','GOLD','EAST','','','','EAST','AUTOMATIC',1,0,'SITE')");
    sql("INSERT INTO custconnqospolicy ("
        "networkid, servicetype, conntypename, sequence, qospolicylistname, policyname"
        ") VALUES (1,'VPN','GOLD',1,'LIST1','POLICY1')");
    sql("INSERT INTO custconnqospolicy ("
        "networkid, servicetype, conntypename, sequence, qospolicylistname, policyname"
        ") VALUES (1,'VPN','GOLD',2,'LIST1','POLICY2')");
    sql("INSERT INTO custconnnodes ("
        "networkid, servicetype, conntypename, nodetype, noofnodeinstance"
        ") VALUES (1,'VPN','GOLD','CE',2)");
    sql("INSERT INTO custconnnodeslb ("
        "networkid, servicetype, conntypename, nodetype, nodeinstance, loopbacktype, isloopback, "
        "lbinstance"
        ") VALUES (1,'VPN','GOLD','CE',1,'LOOP',1,'0')");
    auto *t = add(prcustconntypes);
    t->servicetype = "VPN";
    t->conntypename = "GOLD";
    t->connectto = "EAST";
    t->domainname = "EAST";
    t->addressmode = "AUTOMATIC";
    t->custsitetype = "SITE";
    t->routingenabled = 1;
    auto *q = alloc_record<cust_conn_qos_policy_rec>();
    q->qospolicylistname = "LIST1";
    q->policyname = "POLICY2";
    append_record(t->qospolicylist, q);
    auto *n = add(prcustconnnodes);
    n->servicetype = "VPN";
    n->conntypename = "GOLD";
    n->nodetype = "CE";
    n->noofnodeinstance = 2;
    auto *lb = alloc_record<cust_conn_node_lb_rec>();
    lb->nodeinstance = 1;
    lb->lbinstance = "0";
    lb->loopbacktype = "LOOP";
    lb->isloopback = 1;
    append_record(n->loopbacklist, lb);

    // POLICY1 is gone from the list; the loopback is unchanged.
    EXPECT_EQ(NDL_validateCustomer(), 1);
    EXPECT_EQ(messages(), (V{"WARNING:Qospolicy list for Customer connectiontype 'GOLD' is modified/deleted. \n"}));
    EXPECT_EQ(g_topologymodified, 0);

    // A changed loopback with a live site refuses.
    fresh();
    sql("INSERT INTO custconntypes ("
        "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, domainname, "
        "addressmode, routingenabled, directconnect, custsitetype"
        ") VALUES (1,'VPN','GOLD','EAST','','','','EAST','AUTOMATIC',1,0,'SITE')");
    sql("INSERT INTO custconnqospolicy ("
        "networkid, servicetype, conntypename, sequence, qospolicylistname, policyname"
        ") VALUES (1,'VPN','GOLD',1,'LIST1','POLICY2')");
    sql("INSERT INTO custconnnodes ("
        "networkid, servicetype, conntypename, nodetype, noofnodeinstance"
        ") VALUES (1,'VPN','GOLD','CE',2)");
    sql("INSERT INTO custconnnodeslb ("
        "networkid, servicetype, conntypename, nodetype, nodeinstance, loopbacktype, isloopback, "
        "lbinstance"
        ") VALUES (1,'VPN','GOLD','CE',1,'LOOP',1,'7')");
    sql(kLiveSite);
    EXPECT_EQ(NDL_validateCustomer(), 0);
    EXPECT_EQ(messages(), (V{"ERROR: loopback list for Customer connectiontype 'GOLD' is modified/deleted. \n"}));
}

// The dropped variables of one domain share their count: it is asked once
// in a check, so a prepare that would be the second count's reads the next
// table instead. The next check asks again.
TEST_F(Inventory, EachKeyIsCountedOncePerCheck) {
    for (int run = 0; run < 2; ++run) {
        fresh();
        sql("INSERT INTO domain (networkid, domainname) VALUES (1,'EAST')");
        for (const char *name : {"A", "B", "C"})
            sql(std::string("INSERT INTO domainvariables ("
                "networkid, domainname, sequence, variablename, displayname, variabletype, "
                "updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, "
                "variablevalue, uniquec"
                ") VALUES (1,'EAST',1,'") + name +
                "','','STRING','FIXED',0,0,0,NULL,NULL,NULL,NULL)");
        releasememory("ALL");
        add(prdomains)->domainname = "EAST";
        // Prepares: networks, domain, domainvariables, the count, the next table.
        inject_fault("prepare", 5, OCI_ERROR);
        EXPECT_EQ(NDL_validateTopology(), 0);
        clear_faults();
        V got = messages();
        ASSERT_EQ(got.size(), 4u) << log_text;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(got[i].substr(0, 25), "WARNING:Domain variable '");
        EXPECT_EQ(got[3].substr(0, 8), "Error  -");
    }
}

// ---- failures: reported with the table's label, the check refused ----

TEST_F(Inventory, FailedCountsAndReadsRefuseTheCheck) {
    struct Fault {
        const char *kind;
        int nth;
        V log;
    };
    // Executes: networks, domain, then the count; fetches: networks, the
    // domain row, the domain end, then the count's row; defines: nine
    // network columns, two domain columns, then the count.
    const Fault faults[] = {
        {"execute", 3, {"Table : domaininstance \n", "Error domaininstance - "}},
        {"fetch", 4, {"Table : domaininstance \n", "Error in loading data.\n"}},
        {"prepare", 3, {"Error domaininstance - "}},
        {"define", 12, {"Error domaininstance - "}},
        {"execute", 2, {"Table : Domain\n", "Error  - "}},
    };
    for (const Fault &f : faults) {
        SCOPED_TRACE(std::string(f.kind) + " " + std::to_string(f.nth));
        fresh();
        sql("INSERT INTO domain (networkid, domainname) VALUES (1,'EAST')");
        inject_fault(f.kind, f.nth, OCI_ERROR);
        EXPECT_EQ(NDL_validateTopology(), 0);
        clear_faults();
        // The layer's error text follows the label.
        V got = messages();
        ASSERT_EQ(got.size(), f.log.size());
        for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].substr(0, f.log[i].size()), f.log[i]);
        EXPECT_EQ(g_loaderror, 1);
        EXPECT_EQ(g_tablename[0], '\0');
        EXPECT_EQ(g_topologymodified, 0);
    }
}

}  // namespace
