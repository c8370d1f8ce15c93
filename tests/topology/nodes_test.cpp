// NODES blocks loaded through the host: the node type's properties from
// reserved variables, its node variables and services, and every message.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

const char kNodeCols[] =
    "SELECT domainname, nodetype, nodeidstart, maxnode, minnode, hostname, devicetype, iscpe, remoteaccess, "
    "remoteaddrtype, natinside, nataddrtype, routedprotocols, controller FROM domainnodes ORDER BY rowid";

std::string var(const std::string &name, const std::string &rest) {
    return "  VARIABLE = ( NAME = " + name + " , " + rest + " )\n";
}

}  // namespace

TEST_F(TopoLoad, NodeTypesTakeTheirReservedVariables) {
    Outcome r = load("nodes_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    // MAXNODE, then NODEID's MAXVALUE: the later one wins.
    EXPECT_EQ(rows(kNodeCols), (V{"EAST|PE|1|50|0|pe-east|ROUTER|0|0|NONE|0|NONE|0|0",
                                  "EAST|CPE|10|90|2||SWITCH|1|0|PAT|1|BOTH|1|1"}));
    // HOSTNAME, MINNODE, MAXNODE and ordinary variables only.
    EXPECT_EQ(rows("SELECT domainname, nodetype, sequence, variablename, variabletype, updatestatus, "
                   "isoptional, variablevalue FROM domainnodevars ORDER BY rowid"),
              (V{"EAST|PE|1|HOSTNAME|STRING|FIXED-ASSIGNED|0|pe-east", "EAST|CPE|1|MAXNODE|NUMBER|FIXED-ASSIGNED|0|7",
                 "EAST|CPE|2|MINNODE|NUMBER|FIXED-ASSIGNED|0|2", "EAST|CPE|3|HOSTNAME|STRING|VARIABLE-UNASSIGNED|0|",
                 "EAST|CPE|4|CUSTOMER|STRING|VARIABLE-UNASSIGNED|1|"}));
    EXPECT_EQ(rows("SELECT networkid, domainname, nodetype, servicename, sourceaddress FROM domainservices ORDER BY "
                   "rowid"),
              (V{"1|EAST|PE|DNS|loopback0", "1|EAST|PE|NTP|loopback0"}));
}

TEST_F(TopoLoad, NodeOrderOfMaxnodeAndNodeid) {
    std::string base = std::string(kHeader) + domain("EAST") + "NODES EAST.PE BEGIN\n" +
                       var("HOSTNAME", "MODE = VARIABLE-UNASSIGNED , TYPE = STRING") +
                       var("DEVICETYPE", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\"");
    Outcome r = load_text(base +
                          var("NODEID", "MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 50") +
                          var("MAXNODE", "MODE = FIXED-ASSIGNED , TYPE = NUMBER , VALUE = 20") +
                          var("ROUTEDPROTOCOLS", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"both\"") + "END\n");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT nodeidstart, maxnode, routedprotocols FROM domainnodes"), V{"1|20|2"});
}

TEST_F(TopoLoad, NodeErrorsAreAllReportedInOnePass) {
    Outcome r = load("nodes_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : Domain undefined :WEST @ 7\n",
                 "ERROR : Invalid value for DEVICETYPE, ('SWITCH' or 'ROUTER' expected) : HUB @9\n",
                 "ERROR : The NODEID field has a mandatory type 'RANGE' : NUMBER @10 \n",
                 "ERROR : The ISCPE variable has a mandatory type of BOOLEAN @11\n",
                 "ERROR : The MAXNODE variable has a mandatory type of NUMBER @12\n",
                 "ERROR : Invalid value for REMOTEADDRTYPE, Valid values are 'STATIC','DYNAMIC' or 'NONE' : BOTH @13\n",
                 "ERROR : Invalid value for NATADDRTYPE, Valid values are 'STATIC','DYNAMIC','BOTH' or 'NONE'  : "
                 "NONE2 @14\n",
                 "ERROR : Invalid value for ROUTEDPROTOCOLS, ('IP','IPX'  or 'BOTH') : APPLETALK @15\n",
                 "ERROR : LIST types are supported only for mandatory fields: LIST @16 \n",
                 "duplicate definition of domain node variable: 'HOSTNAME' @ 17 \n",
                 "ERROR : The EXTSERVICES field has a mandatory type 'LIST' : STRING @18 \n",
                 "ERROR : The SOURCE field has a mandatory type 'STRING' : NUMBER @19 \n",
                 "ERROR : 'DEVICETYPE' , 'HOSTNAME' and 'NODEID' are mandatory fields for nodes :END @21 \n",
                 "ERROR : Duplicate service for node EAST PE : DNS @ 27\n",
                 "ERROR : Duplicate definition for node :PE @27\n",
                 "ERROR :Invalid format for list attribute : DNS2 @36\n",
                 "ERROR: Token length exceeds maximum size: 'NODE_TYPE_NAME_OF_31_CHARSXXXXX' @ 36\n",
                 "ERROR :'.' expected as a qualifer for node type : PE @ 38\n"}));
}

TEST_F(TopoLoad, NodeTypeChecksAndSyntax) {
    std::string head = std::string(kHeader) + domain("EAST") + "NODES EAST.PE BEGIN\n" +
                       var("HOSTNAME", "MODE = VARIABLE-UNASSIGNED , TYPE = STRING") +
                       var("DEVICETYPE", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\"") +
                       var("NODEID", "MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 9");
    Outcome r = load_text(head + var("ISCPE", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"TRUE\"") + "END\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : The ISCPE variable has a mandatory type of BOOLEAN @11\n"}));

    // A LIST variable other than EXTSERVICES is refused, the block reads on.
    r = load_text(head + var("PORTS", "MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"a\"") +
                  var("SLOTS", "MODE = FIXED-ASSIGNED , TYPE = NUMBER , VALUE = 4") + "END\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : LIST types are supported only for mandatory fields: LIST @11 \n"}));

    // HOSTNAME, MINNODE and MAXNODE are stored as node variables, so a LIST
    // type refuses them too; a LIST HOSTNAME counts as not given.
    r = load_text(std::string(kHeader) + domain("EAST") + "NODES EAST.PE BEGIN\n" +
                  var("HOSTNAME", "MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"h\"") +
                  var("DEVICETYPE", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\"") +
                  var("NODEID", "MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 9") +
                  var("MINNODE", "MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"3\"") + "END\n");
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR : LIST types are supported only for mandatory fields: LIST @8 \n",
                 "ERROR : The MINNODE variable has a mandatory type of NUMBER @11\n",
                 "ERROR : LIST types are supported only for mandatory fields: LIST @11 \n",
                 "ERROR : 'DEVICETYPE' , 'HOSTNAME' and 'NODEID' are mandatory fields for nodes :END @13 \n"}));

    // The whole block in the wrong shape.
    r = load_text(std::string(kHeader) + domain("EAST") + "NODES EAST.PE START\nEND\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR :KeyWord 'BEGIN' expected : START @ 8 \n"}));
    r = load_text(std::string(kHeader) + domain("EAST") + "NODES EAST.PE BEGIN\n  12 = ( )\nEND\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR : Invalid Input 12 @8 \n"}));
}

TEST_F(TopoLoad, NodeServicesAreSplitAndChecked) {
    std::string head = std::string(kHeader) + domain("EAST") + "NODES EAST.PE BEGIN\n" +
                       var("HOSTNAME", "MODE = VARIABLE-UNASSIGNED , TYPE = STRING") +
                       var("DEVICETYPE", "MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\"") +
                       var("NODEID", "MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 9");
    auto services = [&](const std::string &list) {
        // The stored network stays as described, so that each reload changes nothing checked.
        return load_text(head + var("EXTSERVICES", "MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"" + list + "\"") +
                             "END\nNETWORK LAB BEGIN ORGANIZATION = \"Lab\" ADDRESS = \"1 Main St\" CITY = \"Porto\" COUNTRY = \"PT\" NETWORKZONENAME = \"lab.example\" EXPORTEDZONENAME = \"ext.lab.example\" END\n",
                         "updateversion");
    };
    // Blanks around items, a trailing comma, names with "-"; no SOURCE.
    Outcome r = services(" DNS ,NTP-SYNC,SNMP , ");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT servicename, sourceaddress FROM domainservices ORDER BY rowid"),
              (V{"DNS|", "NTP-SYNC|", "SNMP|"}));

    // Service names fill a field of 30 characters: a longer one is refused.
    std::string longname(31, 'S');
    r = services("DNS, " + longname);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: token size exceeds datbase field size :  '" + longname + "' @ 13\n"}));
    r = services(std::string(30, 'S'));
    EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(rows("SELECT servicename FROM domainservices"), V{std::string(30, 'S')});

    r = services("DNS NTP");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR :Invalid format for list attribute : DNS NTP @13\n"}));
}
