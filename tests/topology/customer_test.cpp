// CUSTOMER sections loaded through the host after the TOPOLOGY they refer
// to: a customer type with every group entry and its rows, the sub-lists
// read back and written again, the section's order rules, every message
// class and files that end inside a block.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

constexpr const char *kCustomerData = NDL_TEST_DATA "/customer";
const std::string kCustomerHeader = "NETWORKNAME = LAB, SECTION = CUSTOMER\n";

}  // namespace

// The topology of the corpus is stored first; each test then loads
// CUSTOMER sections of its own.
class CustomerLoad : public TopoLoad {
protected:
    void SetUp() override {
        TopoLoad::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Outcome r = load("topology.ndl", "", kCustomerData);
        ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    }
    Outcome load_customer(const std::string &blocks) { return load_text(kCustomerHeader + blocks); }
    // The named columns of a table's rows, in the order they were written.
    V table(const std::string &name, const std::string &columns) const {
        return rows("SELECT " + columns + " FROM " + name + " ORDER BY rowid");
    }
};

TEST_F(CustomerLoad, CustomerTypeWithEveryGroupEntry) {
    Outcome r = load("customer_valid.ndl", "", kCustomerData);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    EXPECT_EQ(table("custconntypes", "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, "
                                     "domainname, addressmode, routingenabled, directconnect, custsitetype"),
              (V{"1|VPN|GOLD|NORTH.PE.CONN.PE-CE|NORTH|NORTH.PE||NORTH|MANUAL|0|1|DATACENTER",
                 "1|VPN|DIAL|NORTH.PE.CONN.PE-CE|||||AUTOMATIC|1|0|CUSTOMER"}));
    // One row per policy; each list keeps one sequence number.
    EXPECT_EQ(table("custconnqospolicy", "networkid, servicetype, conntypename, sequence, qospolicylistname, "
                                         "policyname"),
              (V{"1|VPN|GOLD|1|INBOUND|VOICE", "1|VPN|GOLD|1|INBOUND|DATA", "1|VPN|GOLD|2|OUTBOUND|BULK"}));
    // An empty ADDRESSTYPE list gives DIAL no address type.
    EXPECT_EQ(table("custconnaddrtypes", "networkid, servicetype, conntypename, sequence, addrtype"),
              (V{"1|VPN|GOLD|1|STATIC", "1|VPN|GOLD|2|PAT"}));
    EXPECT_EQ(table("custconnnodes", "networkid, servicetype, conntypename, nodetype, noofnodeinstance"),
              (V{"1|VPN|GOLD|CE|2", "1|VPN|GOLD|PE|1"}));
    EXPECT_EQ(table("custconnnodeslb", "networkid, servicetype, conntypename, nodetype, nodeinstance, loopbacktype, "
                                       "isloopback, lbinstance"),
              (V{"1|VPN|GOLD|CE|1|LOOPBACK|1|0", "1|VPN|GOLD|CE|2|TUNNEL|0|1",
                 "1|VPN|GOLD|CE|2|LOOPBACK|0|0"}));
    // In connect-to mode the connection has no node type of its own.
    EXPECT_EQ(table("custconninterfaces", "networkid, servicetype, conntypename, nodetype, nodeinstance, "
                                          "connectionname, instanceno, interfacetype, encapsulationtype, remotedomain, "
                                          "remotenodetype"),
              (V{"1|VPN|GOLD|CE|1|PE-CE|1|SERIAL|PPP|NORTH|PE", "1|VPN|DIAL| |0|PE-CE|3|SERIAL|PPP||"}));
    EXPECT_EQ(table("custconnfilters", "networkid, servicetype, conntypename, nodetype, nodeinstance, connectionname, "
                                       "instanceno, remotevariablename, remotevarcondition"),
              V{"1|VPN|GOLD|CE|1|PE-CE|1|SITEID|SAME"});
    EXPECT_EQ(table("custvars", "networkid, servicetype, conntypename, sequence, variablename, displayname, "
                                "variabletype, updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, "
                                "variablevalue, uniquec"),
              (V{"1|VPN|GOLD|1|SITECODE|SITECODE|STRING|VARIABLE-UNASSIGNED|0|0|0||||",
                 "1|VPN|GOLD|2|CONTRACT|CONTRACT|RANGE|VARIABLE-UNASSIGNED|0|1|9||||"}));
    EXPECT_EQ(table("custnodevars", "networkid, servicetype, conntypename, nodetype, nodeinstance, variablename, "
                                    "variablevalue"), V{"1|VPN|GOLD|PE|1|HOSTNAME|pe1"});
    EXPECT_EQ(table("custconnvars", "networkid, servicetype, conntypename, nodetype, nodeinstance, connectionname, "
                                    "instanceno, variablename, variablevalue"),
              (V{"1|VPN|GOLD|CE|1|PE-CE|1|VLAN|100", "1|VPN|GOLD|CE|1|PE-CE|1|BANDWIDTH|T1",
                 "1|VPN|GOLD|CE|1|PE-CE|1|BANDWIDTH|E1", "1|VPN|DIAL| |0|PE-CE|3|VLAN|7"}));
    EXPECT_EQ(table("custconnhsrpvars", "networkid, servicetype, conntypename, nodetype, nodeinstance, connectionname, "
                                        "instanceno, sequenceno, variablename, variablevalue"),
              (V{"1|VPN|GOLD|CE|2|PE-CE|1|5|TRACKINTERFACE|Serial0/0", "1|VPN|GOLD|CE|2|PE-CE|1|5|TRACKPRIORITY|10",
                 "1|VPN|GOLD|CE|2|PE-CE|1|5|HSRPPRIORITY|110", "1|VPN|GOLD|CE|2|PE-CE|1|5|HSRPPRIORITY|100"}));
    EXPECT_EQ(table("poolclassmapping", "networkid, conntypename, roletype, hosttype, nattype, poolclass, enrollforall"),
              (V{"1|GOLD|PRIMARY|CE|STATIC|GOLD|1", "1|GOLD|BACKUP|CE|PAT|GOLD|0"}));
}

TEST_F(CustomerLoad, StoredCustomerTypesAreReadBackAndWrittenUnchanged) {
    ASSERT_EQ(load("customer_valid.ndl", "", kCustomerData).ret, 0);
    // Lists A, A, B, A under one type: the sequences change with each
    // change of list name.
    sql("INSERT INTO custconnqospolicy ("
        "networkid, servicetype, conntypename, sequence, qospolicylistname, policyname"
        ") VALUES (1,'VPN','DIAL',1,'A','P1'), (1,'VPN','DIAL',1,'A','P2'), "
        "(1,'VPN','DIAL',2,'B','P3'), (1,'VPN','DIAL',3,'A','P4')");
    const char *tables[] = {"custconntypes",    "custconnqospolicy", "custconnaddrtypes", "custconnnodes",
                            "custconnnodeslb",  "custconninterfaces", "custconnfilters",  "custvars",
                            "custnodevars",     "custconnvars",       "custconnhsrpvars", "poolclassmapping"};
    std::vector<V> before;
    for (const char *t : tables) before.push_back(dump_rows(t, "ORDER BY rowid"));
    // Another section's run writes the stored customer rows back from the
    // lists it read, sub-lists included.
    Outcome r = load_text("NETWORKNAME = LAB, SECTION = FIREWALL\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    for (size_t i = 0; i < std::size(tables); ++i) EXPECT_EQ(dump_rows(tables[i], "ORDER BY rowid"), before[i]) << tables[i];
    // The same CUSTOMER section again passes the inventory check, which reads
    // the sub-lists too; the policies it names need no QOS section yet.
    sql("DELETE FROM custconnqospolicy WHERE conntypename='DIAL'");
    before[1] = dump_rows("custconnqospolicy", "ORDER BY rowid");
    r = load("customer_valid.ndl", "", kCustomerData);
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    for (size_t i = 0; i < std::size(tables); ++i) EXPECT_EQ(dump_rows(tables[i], "ORDER BY rowid"), before[i]) << tables[i];
}

TEST_F(CustomerLoad, DefaultsOfABareBlock) {
    Outcome r = load_customer("CUSTOMER-TYPE BARE BEGIN SERVICETYPE = VPN END\n"
                              "CUSTOMER-TYPE NOCS NOC BEGIN SERVICETYPE = VPN ROUTINGENABLED = maybe END\n");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              V{"ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : MAYBE @3\n"});
    r = load_customer("CUSTOMER-TYPE BARE BEGIN SERVICETYPE = VPN END\n"
                      "CUSTOMER-TYPE NOCS NOC BEGIN SERVICETYPE = VPN ROUTINGENABLED = true END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(table("custconntypes", "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, "
                                     "domainname, addressmode, routingenabled, directconnect, custsitetype"),
              (V{"1|VPN|BARE||||||AUTOMATIC|1|0|CUSTOMER", "1|VPN|NOCS||||||AUTOMATIC|1|0|NOC"}));
    EXPECT_EQ(table("custconnaddrtypes", "networkid, servicetype, conntypename, sequence, addrtype"),
              (V{"1|VPN|BARE|1|STATIC", "1|VPN|BARE|2|DYNAMIC", "1|VPN|BARE|3|NONE", "1|VPN|NOCS|1|STATIC",
                 "1|VPN|NOCS|2|DYNAMIC", "1|VPN|NOCS|3|NONE"}));
}

TEST_F(CustomerLoad, SectionOrder) {
    // A second CUSTOMER section of the run is refused.
    Outcome r = load_text(kCustomerHeader + "CUSTOMER-TYPE A BEGIN SERVICETYPE = VPN END\n" + kCustomerHeader);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages), V{"Error: Multiple customer sections :  @ 4\n"});
    // TOPOLOGY after CUSTOMER is refused; a network not stored yet takes no
    // CUSTOMER section first.
    std::ofstream(dir + "/c.ndl") << kCustomerHeader;
    std::ofstream(dir + "/t.ndl") << "NETWORKNAME = LAB, SECTION = TOPOLOGY\n";
    r = load("c.ndl,t.ndl", "updateversion", dir);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages).back(), "Error:TOPOLOGY section has to be defined first\n");
    std::ofstream(dir + "/n.ndl") << "NETWORKNAME = OTHER, SECTION = CUSTOMER\n";
    r = load("n.ndl", "", dir);
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.messages.front(), "The network is not defined. \nPlease load the topology section for network:OTHER\n");
}

TEST_F(CustomerLoad, FlaggedErrorsAreAllReportedInOnePass) {
    Outcome r = load_customer(
        "CUSTOMER-TYPE BAD BEGIN\n"                                                               // 2
        "  SERVICETYPE = nosuch\n"                                                                // 3
        "  SERVICETYPE = VPN\n"                                                                   // 4
        "  DOMAIN = SOUTH\n"                                                                      // 5
        "  DOMAIN = NORTH\n"                                                                      // 6
        "  ADDRESSMODE = dhcp\n"                                                                  // 7
        "  ADDRESSTYPE = \"static, bogus\"\n"                                                     // 8
        "  VARIABLE = ( NAME = V1 , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"               // 9
        "  VARIABLE = ( NAME = V1 , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"               // 10
        "  CONNECTIONTYPE = ( CONNECTTO = \"NORTH.PE.CONN.PE-CE\" , SCOPE = \"SOUTH\" , DIRECTLYCONNECTED = no )\n"
        "  QOSPOLICYLIST = ( NAME = A , NAME = A , LIST = \"P1\" )\n"                             // 12
        "  QOSPOLICYLIST = ( NAME = A , LIST = \"P2\" )\n"                                        // 13
        "  POOLCLASSMAP = ( ROLETYPE = R , ROLETYPE = R , HOSTTYPE = XX , NATTYPE = NAT , CLASS = GOLD )\n"
        "  POOLCLASSMAP = ( ROLETYPE = R , HOSTTYPE = CE , CLASS = GOLD )\n"                      // 15
        "  POOLCLASSMAP = ( ROLETYPE = S , HOSTTYPE = CE , CLASS = GOLD , NATTYPE = ALL , ENROLLALL = TRUE )\n"
        "  NODETYPE = ( NODETYPE = XX , NOOFINSTANCES = 1 )\n"                                    // 17
        "  NODETYPE = ( NODETYPE = CE )\n"                                                        // 18
        "  NODETYPE = ( NODETYPE = CE , NOOFINSTANCES = 2 )\n"                                    // 19
        "  CONNECTION # CE # 1 # 1 = ( NAME = PE-CE , INTERFACETYPE = BRI , ENCAPSULATION = PPP )\n"
        "  CONNECTION # CE # 1 # 1 = ( NAME = PE-CE , INTERFACETYPE = SERIAL , ENCAPSULATION = PPP )\n"
        "  CONNECTION # CE # 1 # 1 = ( NAME = PE-CE , INTERFACETYPE = SERIAL , ENCAPSULATION = PPP )\n"
        "END\n");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : Service not defined  : NOSUCH \n @4",
                 "ERROR: Duplicate token: 'SERVICETYPE' @ 4\n",
                 "ERROR : Domain not defined  : SOUTH \n @6",
                 "ERROR: Duplicate token: 'DOMAIN' @ 6\n",
                 "ERROR : Invalid value for ADDRESSMODE attribute : DHCP @8\n",
                 "ERROR : Invalid value for ADDRESSTYPE attribute : BOGUS @8\n",
                 "ERROR: Duplicate variable defined for customer connectiontype : BAD V1 @10\n",
                 "ERROR : Invalid domain Name for owner info : SOUTH @ 11\n",
                 "ERROR : Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : NO @11\n",
                 "ERROR: Duplicate token: 'NAME' @ 12\n",
                 "ERROR: Duplicate policy list @ 13 \n",
                 "ERROR: Duplicate token: 'ROLETYPE' @ 14\n",
                 "Invalid hosttype: XX  @14\n",
                 "ERROR : Invalid value for NAT type, ('STATIC','DYNAMIC', or 'PAT' is expected) : NAT @14\n",
                 "ERROR: token 'NATTYPE' is missing in POOLCLASSMAP  block : @ 15\n",
                 // The mapping without NATTYPE stands for every NAT type, a
                 // value that cannot be written.
                 "ERROR : Invalid value for NAT type, ('STATIC','DYNAMIC', or 'PAT' is expected) : ALL @16\n",
                 "ERROR: duplicate/invalid poolclassmap entry for hosttype 'CE', and nattype 'ALL' : @ 16\n",
                 "ERROR: Invalid node . Not defined : XX  @17\n",
                 "ERROR: token 'NOOFINSTANCES' is missing for NODETYPE in CUSTOMER-TYPE  block : @ 18\n",
                 "ERROR :No of nodeinstances not specified  : CE @ 18 \n",
                 "ERROR :Duplicate entry for node type  : CE @ 19 \n",
                 "ERROR: Invalid encapsulation/interface type for connection PE-CE : BRI PPP @20\n",
                 "ERROR: Invalid interfacename/encapsulation/maxconn/maxnode  type for node : CE @ 20 \n",
                 "ERROR: Duplicate values for interfacetype/connectionname/encap type/instance no : PE-CE @ 22 \n"}));
}

TEST_F(CustomerLoad, StatementsThatStopTheBlock) {
    struct Case {
        std::string body, message;
    };
    // Bodies start on line 5, after the block's SERVICETYPE and DOMAIN;
    // N declares a node type (line 5), so that its statement is on line 6.
    const std::string n = "  NODETYPE = ( NODETYPE = CE , NOOFINSTANCES = 2 )\n";
    const std::string n2 = n + "  NODETYPE = ( NODETYPE = PE , NOOFINSTANCES = 1 )\n";
    const std::string ct = "  CONNECTIONTYPE = ( CONNECTTO = \"NORTH.PE.CONN.PE-CE\" )\n";
    const std::string long30(31, 'L'), long80(81, 'L'), long100(101, 'L');
    const Case cases[] = {
        {"  COLOUR = RED\n", "ERROR: Invalid attribute name : COLOUR @5\n"},
        {"  TYPE = X\n", "ERROR: Invalid attribute name encountered : TYPE @5\n"},
        {n + "  SERVICETYPE = VPN\n", "ERROR: SERVICETYPE has to be given before NODETYPE: @ 6\n"},
        {"  SERVICETYPE VPN\n", "ERROR: Invalid syntax '=' expected : VPN @ 6\n"},
        {"  ROUTINGENABLED TRUE\n", "ERROR: token '=' expected for ROUTINGENABLED:  @ 6\n"},
        {"  ADDRESSMODE MANUAL\n", "ERROR: token '=' expected for ADDRESSMODE:  @ 6\n"},
        {"  ADDRESSTYPE = STATIC\n", "ERROR: Give ADDRESSTYPES in double quotes: 'STATIC' @ 6\n"},
        {"  ADDRESSTYPE = \"STATIC NONE\"\n", "ERROR : Invalid format for list attribute : STATIC NONE @ 5 \n"},
        {ct + ct, "ERROR: Duplicate token: 'CONNECTIONTYPE' @ 6\n"},
        {"  CONNECTIONTYPE = ( CONNECTTO = NORTH )\n", "ERROR: Specify connecto value within quotes: NORTH @ 5\n"},
        {"  CONNECTIONTYPE = ( CONNECTTO = \"NORTH.PE\" )\n",
         "ERROR: Connection name is required for CONNECTTO in CONNECTIONTYPE: 'NORTH.PE' @ 5\n"},
        {"  CONNECTIONTYPE = ( SCOPE = NORTH )\n", "ERROR: Specify Scope within quotes: NORTH @ 5\n"},
        {"  CONNECTIONTYPE = ( SCOPE = \"NORTH\" , SCOPE = \"NORTH\" , SCOPE = \"NORTH\" , SCOPE = \"NORTH\" )\n",
         "ERROR: Maximum of three scopes can be given: @ 5\n"},
        {"  CONNECTIONTYPE = ( DIRECTLYCONNECTED = TRUE , DIRECTLYCONNECTED = TRUE )\n",
         "ERROR: Duplicate token : 'DIRECTLYCONNECTED' @ 5\n"},
        {"  NODETYPE ( NODETYPE = CE )\n", "ERROR: Invalid syntax '=' expected @ 5\n"},
        {"  NODETYPE = ( NODETYPE = CE , NODETYPE = CE )\n", "ERROR: Duplicate token: NODETYPE @ 5\n"},
        {"  NODETYPE = ( NODETYPE = " + long80 + " )\n",
         "ERROR: Token size exceeds maximum limit: '" + long80 + "' @ 5\n"},
        {"  NODETYPE = ( NODETYPE = CE , NOOFINSTANCES = two )\n",
         "ERROR: Number expected for nodeinstance : two @ 5\n"},
        {"  NODETYPE = ( NODETYPE = CE NOOFINSTANCES = 2 )\n", "ERROR: ',' or ')' expected : NOOFINSTANCES @ 5\n"},
        {"  LOOPBACK # 1 # 0 = TRUE\n", "ERROR: Give nodetypes before enabling loopbacks @ 5 \n"},
        {n + "  LOOPBACK 1\n", "ERROR: Keyword '#' expected: 1 @7\n"},
        {n + "  LOOPBACK # 3 # 0 = TRUE\n", "ERROR: nodeinstance number exceeded max node instances for the nodetype @ 6 \n"},
        {n + "  LOOPBACK # 0 # 0 = TRUE\n", "ERROR: nodeinstance number exceeded max node instances for the nodetype @ 6 \n"},
        {n + "  LOOPBACK # XX # 1 # 0 = TRUE\n",
         "ERROR: Invalid token,  either nodeinstance number or nodetype expected:    XX @ 6\n"},
        {n2 + "  LOOPBACK # 1 # 0 = TRUE\n",
         "ERROR: Invalid token, Node type expected for customer with more than one nodetype:   '1'  @ 7\n"},
        {n + "  LOOPBACK # CE # x # 0 = TRUE\n", "ERROR: Node instance  number expected for loopback    x @ 6\n"},
        {n + "  LOOPBACK # 1 # 7 = TRUE\n", "ERROR: LOOPBACK instance 7 does not exist for nodetype CE @ 6\n"},
        {n + "  TUNNEL # 1 # 0 = TRUE\n", "ERROR: TUNNEL instance 0 does not exist for nodetype CE @ 6\n"},
        {n + "  LOOPBACK # 1 # 0 = TRUE\n  LOOPBACK # CE # 1 # 0 = FALSE\n",
         "ERROR: duplicate definition of LOOPBACK for node 1 instance 0 @ 7\n"},
        {n + "  LOOPBACK # 1 # 0 = yes\n", "ERROR: Invalid value TRUE/FALSE is expected @ 7\n"},
        {n + "  LOOPBACK # 1 # 0 TRUE\n", "ERROR: Invalid syntax '=' expected @ 7\n"},
        {"  CONNECTION # 1 = ( NAME = PE-CE )\n", "ERROR: Give CONNECTTO token before CONNECTION @ 5\n"},
        {"  QOSPOLICYLIST = ( LIST = \"A\" )\n",
         "ERROR: Give NAME before defining LIST in QOSPOLICYLIST for customer block @5\n"},
        {"  QOSPOLICYLIST = ( NAME = A , LIST = A )\n", "ERROR: LIST in QOSPOLICYLIST should be in quoted strings @5\n"},
        {"  QOSPOLICYLIST = ( NAME = A )\n",
         "ERROR: token 'LIST' is missing for QOSPOLICYLIST in CUSTOMER-TYPE  block : @ 5\n"},
        {"  QOSPOLICYLIST = ( COLOUR = A )\n", "ERROR: Invalid attribute COLOUR @5 in CUSTOMERTYPES\n"},
        {"  QOSPOLICYLIST = ( NAME = " + long100 + " , LIST = \"A\" )\n",
         "ERROR: Token size exceeds maximum size: '" + long100 + "' @ 5\n"},
        {"  QOSPOLICYLIST = ( NAME = A , LIST = \"B, " + long100 + "\" )\n",
         "ERROR: token size exceeds datbase field size :  '" + long100 + "' @ 5\n"},
        {"  POOLCLASSMAP = ( COLOUR = X )\n", "ERROR: Invalid attribute: COLOUR in poolclassmap @ 5\n"},
        {"  POOLCLASSMAP = ( CLASS = SILVER )\n", "Invalid poolclass: SILVER  @5\n"},
        {"  POOLCLASSMAP = ( ROLETYPE R )\n", "ERROR: Invalid syntax '=' expected @ 5\n"},
        {n + "  CONNECTION # 1 # 1 = ( SPEED = 10 )\n", "ERROR: Invalid attribute name : SPEED @ 6\n"},
        {n + "  CONNECTION # 1 # 1 = ( NAME = PE-CE , NAME = PE-CE )\n", "ERROR: Duplicate token: 'NAME' @ 6"},
        {n + "  CONNECTION # 1 # 1 = ( NAME = " + long30 + " )\n",
         "ERROR: Token length exceeds maximum limit: '" + long30 + "' @ 6\n"},
        {n + "  CONNECTION # 1 1\n", "ERROR: Keyword '#' expected: 1 @7\n"},
        {n + "  CONNECTION # 1 # x\n", "ERROR: Connection instance  number expected x @7\n"},
        {n + "  CONNECTION # CE # x\n", "ERROR: Node instance  number expected x @7\n"},
        {n + "  CONNECTION-VARIABLE # 1 # 1 = ( VLAN = 1 )\n",
         "Please specify the connection name before the variables. @ 6\n"},
        {n + "  CONNECTION-VARIABLE # 1 # 1 = ( NAME = NOSUCH )\n", "Invalid connection name :  NOSUCH @6\n"},
        {n + "  CONNECTION-VARIABLE # 1 # 1 = ( NAME = PE-CE , BANDWIDTH = T1 )\n",
         "ERROR: BANDWIDTH List should be given in quoted strings @6\n"},
        {n + "  CONNECTION-VARIABLE # 1 # 1 = ( NAME = PE-CE , BANDWIDTH = \"T1, T3\" )\n",
         "One of entry in BANDWIDTH list is not present in Systemlist definitions: 'T3'  @6\n"},
        {n + "  CONNECTION-VARIABLE # 1 # 1 = ( NAME = PE-CE , COLOUR = 1 )\n",
         "Invalid variable 'COLOUR' for the connection PE-CE : 6 \n"},
        {n + "  HSRP-VARIABLE # 1 # 1 # x\n", "ERROR: HSRP group  number expected x @7\n"},
        {n + "  HSRP-VARIABLE # 1 # 1 # 1 = ( NAME = PE-CE , TRACKPRIORITY = high )\n",
         " TRACKPRIORITY value has to be numeric. @6\n"},
        {n + "  HSRP-VARIABLE # 1 # 1 # 1 = ( NAME = PE-CE , HSRPPRIORITY = 100 )\n",
         "ERROR : String expected for HSRPPRIORITY list: 100 @ 6\n"},
        {n + "  HSRP-VARIABLE # 1 # 1 # 1 = ( NAME = PE-CE , HSRPPRIORITY = \"120\" )\n",
         "One of the entries in HSRP PRIORITY list is not present in Systemlist definition: '120' @6\n"},
        {n + "  HSRP-VARIABLE # 1 # 1 # 1 = ( NAME = PE-CE , COLOUR = 1 )\n", "Invalid variable specified. COLOUR @ 6\n"},
        {n + "  NODE-VARIABLE # 5 = ( HOSTNAME = \"x\" )\n", "Invalid node instance value.  5 @ 6\n"},
        {n + "  NODE-VARIABLE # CE # x\n", "ERROR: Node instance  number expected :   x @ 7\n"},
        {n + "  NODE-VARIABLE # 1 = ( COLOUR = 1 )\n", "Invalid node variable specified. COLOUR @ 6\n"},
        {n + "  NODE-VARIABLE # 1 = ( HOSTNAME \"x\" )\n", "ERROR: Invalid syntax '=' expected :x @ 6\n"},
        {n + "  NODE-VARIABLE # 1 = ( HOSTNAME = \"" + long100 + "\" )\n",
         "ERROR: token size exceeds datbase field size :  '" + long100 + "' @ 6\n"},
    };
    for (const Case &c : cases) {
        Outcome r = load_customer("CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  DOMAIN = NORTH\n" + c.body + "END\n");
        EXPECT_EQ(r.ret, 2) << c.body;
        V errors = errors_of(r.messages);
        ASSERT_FALSE(errors.empty()) << c.body;
        EXPECT_EQ(errors.back(), c.message) << c.body;
    }
    EXPECT_EQ(rows("SELECT count(*) FROM custconntypes"), V{"0"});
}

TEST_F(CustomerLoad, BlockHeadersAndEnds) {
    const std::string long30(31, 'L');
    const std::string exiting = "Exiting due to errors \n";  // skipping ran into the end of the file
    struct Case {
        std::string blocks;
        V errors;
    };
    const Case cases[] = {
        {"CUSTOMER-TYPE X BEGIN SERVICETYPE = VPN END\nCUSTOMER-TYPE X BEGIN\nEND\n",
         {"ERROR: Customer type already defined : X \n @3"}},
        {"CUSTOMER-TYPE " + long30 + " BEGIN\nEND\n", {"ERROR: Token exceeds maximum size: '" + long30 + "' @ 2\n"}},
        {"CUSTOMER-TYPE X GO\n", {"ERROR: Keyword 'BEGIN' expected : GO @3\n", exiting}},
        {"CUSTOMER-TYPE X BEGIN\n  DOMAIN = NORTH\nEND\n",
         {"ERROR: ServiceType attribute has not been specified for customer connection : X @ 5\n"}},
        // A service type goes into 30 characters of every record of the block.
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = " + long30 + "\nEND\n",
         {"ERROR: token size exceeds datbase field size :  '" + long30 + "' @ 4\n"}},
        // So do the role and host types of a pool-class mapping.
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  POOLCLASSMAP = ( ROLETYPE = " + long30 + " )\nEND\n",
         {"ERROR: token size exceeds datbase field size :  '" + long30 + "' @ 4\n"}},
        // The end of the file inside a block or one of its entries: where an
        // attribute is expected it is none; a quoted text it cuts is no
        // quoted text.
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n", {"ERROR: Invalid attribute name :  @4\n", exiting}},
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  NODETYPE = ( NODETYPE = CE ,\n",
         {"ERROR: Invalid node . Not defined : CE  @4\n", "ERROR: Invalid attribute name :  @ 5\n", exiting}},
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  QOSPOLICYLIST = ( NAME = A , LIST = \"B\n",
         {"ERROR: LIST in QOSPOLICYLIST should be in quoted strings @5\n", exiting}},
        // A token the tokenizer cannot read ends the block as END does; the
        // rest of it (the token's last character first) is read as blocks.
        {"CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  " + std::string(300, 'T') + "\n  DOMAIN = NORTH\nEND\n",
         {"ERROR : Token length exceeds maximum token length  : " + std::string(299, 'T') + " @ 4\n",
          "Error: Invalid block type : T @ 5\n"}},
    };
    for (const Case &c : cases) {
        Outcome r = load_customer(c.blocks);
        EXPECT_EQ(r.ret, 2) << c.blocks;
        EXPECT_EQ(errors_of(r.messages), c.errors) << c.blocks;
    }
    EXPECT_EQ(rows("SELECT count(*) FROM custconntypes"), V{"0"});
}

TEST_F(CustomerLoad, LoopbackInstancesAreNumbers) {
    // The instance is written into its row as a number: only digits pass,
    // whatever the topology's interfaces are called.
    const std::string n = "CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n  DOMAIN = NORTH\n"
                          "  NODETYPE = ( NODETYPE = CE , NOOFINSTANCES = 2 )\n";
    for (const char *bad : {"0x", "'0", "-1", "N", "lo0"}) {
        Outcome r = load_customer(n + "  LOOPBACK # 1 # " + bad + " = TRUE\nEND\n");
        EXPECT_EQ(r.ret, 2) << bad;
        ASSERT_FALSE(r.messages.empty());
        EXPECT_EQ(errors_of(r.messages).front().rfind("ERROR: Invalid LOOPBACK instance, a number is expected : '", 0), 0u)
            << errors_of(r.messages).front();
    }
    Outcome r = load_customer(n + "  LOOPBACK # 1 # 0 = TRUE\nEND\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(table("custconnnodeslb", "networkid, servicetype, conntypename, nodetype, nodeinstance, loopbacktype, "
                                       "isloopback, lbinstance"), V{"1|VPN|X|CE|1|LOOPBACK|1|0"});
}

TEST_F(CustomerLoad, QosPolicyNamesOfAHundredCharacters) {
    // The splitter keeps whole names; 100 characters is the limit.
    const std::string name60(60, 'P'), name100(100, 'Q');
    Outcome r = load_customer("CUSTOMER-TYPE X BEGIN\n  SERVICETYPE = VPN\n"
                              "  QOSPOLICYLIST = ( NAME = " + name100 + " , LIST = \"" + name60 + ", " + name100 + "\" )\n"
                              "END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(table("custconnqospolicy", "networkid, servicetype, conntypename, sequence, qospolicylistname, "
                                         "policyname"),
              (V{"1|VPN|X|1|" + name100 + "|" + name60, "1|VPN|X|1|" + name100 + "|" + name100}));
}

// A file that ends inside a CUSTOMER-TYPE block or one of its group entries,
// cut from one whole file: refused at the step that meets the end, and no
// stored row changes.
TEST_F(CustomerLoad, EveryGroupEntryCutShort) {
    expect_cuts(kCustomerData, "customer_valid.ndl", {
        // The end of the file is an empty name, then no BEGIN.
        {"CUSTOMER-TYPE GOLD", {"ERROR: Keyword 'BEGIN' expected :  @7\n"}, 13},
        // Where an attribute is expected it is none.
        {"CUSTOMER-TYPE GOLD DATACENTER BEGIN", {"ERROR: Invalid attribute name :  @7\n"}},
        {"SERVICETYPE = vpn", {"ERROR: Invalid attribute name :  @8\n"}},
        {"  DOMAIN =", {"ERROR : Domain not defined  :  \n @9", "ERROR: Invalid attribute name :  @9\n"}},
        {"ADDRESSTYPE =", {"ERROR: Give ADDRESSTYPES in double quotes: '' @ 12\n"}},
        {"CONNECTTO = \"NORTH.PE.CONN.PE-CE\" ,", {"ERROR: Invalid attribute name :  @ 13\n"}},
        {"QOSPOLICYLIST = ( NAME = INBOUND ,", {"ERROR: Invalid attribute  @17 in CUSTOMERTYPES\n"}},
        // A quoted text cut by the end is no quoted text.
        {"LIST = \"VOICE,", {"ERROR: LIST in QOSPOLICYLIST should be in quoted strings @17\n"}},
        {"NATTYPE = PAT , CLASS =", {"Invalid poolclass:   @20\n"}},
        {"NODETYPE = ( NODETYPE = CE ,", {"ERROR: Invalid attribute name :  @ 21\n"}},
        // An empty interface instance is no interface of the node type.
        {"LOOPBACK # 1 #", {"ERROR: LOOPBACK instance  does not exist for nodetype CE @ 22\n"}},
        {"TUNNEL # 2 # 1 =", {"ERROR: Invalid value TRUE/FALSE is expected @ 23\n"}},
        {"LOOPBACK # CE #", {"ERROR: Node instance  number expected for loopback     @ 25\n"}},
        {"CONNECTION # CE # 1 #", {"ERROR: Connection instance  number expected  @26\n"}},
        {"REMOTENODEFILTER = ( SITEID = same", {"ERROR: ',' or ')' expected :  @ 28\n"}},
        {"CONNECTION-VARIABLE # CE # 1 # 1 = ( NAME = PE-CE ,", {"ERROR: Invalid syntax '=' expected : @ 29\n"}},
        {"HSRP-VARIABLE # CE # 2 # 1 #", {"ERROR: HSRP group  number expected  @30\n"}},
        {"NODE-VARIABLE # PE # 1 = ( HOSTNAME =", {"ERROR: ',' or ')' expected :  @ 32\n"}},
        {"NODE-VARIABLE # PE # 1 = ( HOSTNAME = \"pe1\" )", {"ERROR: Invalid attribute name :  @32\n"}},
        // The connect-to mode of a block without node types.
        {"CONNECTION # 3 = ( NAME = PE-CE ,", {"ERROR: Invalid attribute name :  @ 39\n"}},
        {"CONNECTION-VARIABLE # 3", {"ERROR: Connection instance  number expected  @40\n"}, 21},
    });
}
