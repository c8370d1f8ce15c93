// SERVICE-TYPE, POOL-CLASS and POOL-TYPE blocks.
#include <cstring>
#include <string>
#include <vector>

#include "block_test.h"
#include "records_topology.h"
#include "topology_blocks.h"

namespace {

using V = std::vector<std::string>;

template <class T, class F>
V rows_of(T *head, F show) {
    V out;
    for (T *r = head; r; r = r->next) out.push_back(show(*r));
    return out;
}
V servicetypes() {
    return rows_of(prservicetypes.head, [](auto &r) { return std::string(r.servicetype.c_str()) + "/" + r.hosttype.c_str(); });
}
V classes() {
    return rows_of(prpoolclass.head, [](auto &r) {
        return std::string(r.value.c_str()) + "/" + r.name.c_str() + "/" + std::to_string(r.isdefault) + std::to_string(r.isshared);
    });
}
V pooltypes() {
    return rows_of(prpooltypes.head, [](auto &r) {
        return std::string(r.servicetype.c_str()) + "/" + r.hosttype.c_str() + "/" + r.poolowner.c_str() + "/" + r.validation.c_str();
    });
}
V sequences() {
    return rows_of(prpoolsequence.head, [](auto &r) {
        return std::string(r.servicetype.c_str()) + "/" + r.poolowner.c_str() + "/" + r.hosttype.c_str() + "/" + std::to_string(r.sequence) +
               "/" + r.variablename.c_str();
    });
}
V maps() {
    return rows_of(prpooltypemap.head, [](auto &r) {
        return std::string(r.servicetype.c_str()) + "/" + r.communicationtype.c_str() + "/" + r.hosttype.c_str() + "/" + r.addressmode.c_str();
    });
}

const char kVpn[] = "vpn BEGIN SERVICENAME = Corporate HOSTTYPE = \"CE, PE\" END";

TEST_F(Block, ServiceTypeNamesHostTypesAndVariables) {
    EXPECT_EQ(run(parse_servicetypes,
                  "vpn BEGIN\n SERVICENAME = Corporate\n HOSTTYPE = \"CE, PE\"\n"
                  " VARIABLE = ( NAME = VRF , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                  " variable = ( NAME = RD , MODE = FIXED-ASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 9 ,"
                  " VALUE = \"x\" )\nEND"),
              0);
    EXPECT_EQ(log(), "");
    ASSERT_NE(prservicetypenames.head, nullptr);
    EXPECT_STREQ(prservicetypenames.head->servicetype, "VPN");
    EXPECT_STREQ(prservicetypenames.head->servicename, "Corporate");
    EXPECT_EQ(servicetypes(), (V{"VPN/CE", "VPN/PE"}));
    service_type_var_rec *v = prservicetypevars.head;
    ASSERT_TRUE(v && v->next);
    EXPECT_STREQ(v->servicetype, "VPN");
    EXPECT_EQ(v->sequence, 1);
    EXPECT_STREQ(v->variablename, "VRF");
    EXPECT_EQ(v->line, 4);
    v = v->next;
    EXPECT_EQ(v->sequence, 2);
    EXPECT_STREQ(v->updatestatus, "FIXED-ASSIGNED");
    EXPECT_EQ(v->minvalue, 1);
    EXPECT_EQ(v->maxvalue, 9);
    EXPECT_STREQ(v->variablevalue, "x");

    // A second block for the same service stops at once; the first stays.
    EXPECT_EQ(run(parse_servicetypes, kVpn), 1);
    EXPECT_EQ(log(), "ERROR: Service type already exists: 'VPN' @ 1 \n<br>");
    EXPECT_EQ(servicetypes().size(), 2u);
}

TEST_F(Block, ServiceTypeFlaggedErrorsReadOn) {
    ASSERT_EQ(run(parse_servicetypes, kVpn), 0);
    EXPECT_EQ(run(parse_servicetypes,
                  "DIA BEGIN\n SERVICENAME = Corporate\n HOSTTYPE = \"CPE, CPE\"\n"
                  " VARIABLE = ( NAME = A , MODE = DYNAMIC-ASSIGNED , VALUE = \"1\" )\n"
                  " VARIABLE = ( NAME = B , MODE = BOGUS , TYPE = COLOUR , VALUE = \"1\" )\n"
                  " VARIABLE = ( NAME = A , MODE = VARIABLE-UNASSIGNED )\nEND"),
              0);
    EXPECT_EQ(log(),
              "ERROR: Service name already exists: 'Corporate' @ 3\n<br>"
              "ERROR :Duplicate servicename/hosttype : DIA CPE @ 3\n<br>"
              "ERROR :Syntax error . DYNAMIC-ASSIGNED type not allowed for servicetype variables A @4\n<br>"
              "ERROR: Syntax error . Invalid mode specified BOGUS @5\n<br>"
              "ERROR: Synatx error . Invalid type specified COLOUR @5\n<br>"
              "ERROR : Duplicate definition of servicetype variable  :A @6\n<br>");
    EXPECT_EQ(g_error, 1);
    // Everything flagged is stored all the same.
    EXPECT_EQ(servicetypes(), (V{"VPN/CE", "VPN/PE", "DIA/CPE", "DIA/CPE"}));
    int vars = 0;
    for (service_type_var_rec *r = prservicetypevars; r; r = r->next) ++vars;
    EXPECT_EQ(vars, 3);

    // Without SERVICENAME: reported with the block's first line, read to END.
    EXPECT_EQ(run(parse_servicetypes, "NOC\nBEGIN\nHOSTTYPE = \"NMS\"\nEND"), 0);
    EXPECT_EQ(log(), "ERROR: Attribute SERVICENAME not given for SERVICE-TYPES : @ 1\n<br>");
}

TEST_F(Block, ServiceTypeSyntaxStopsTheBlock) {
    const std::string h10 = "\"A,B,C,D,E,F,G,H,I,J\"", h11 = "\"A,B,C,D,E,F,G,H,I,J,K\"";
    const std::string long_host(31, 'h'), long_name(31, 'n');
    struct {
        std::string text, message;
    } cases[] = {
        {"VOICE BEGIN", "ERROR :Syntax error . Invalid service type specified :VOICE @1\n"},
        {"DIA SERVICENAME", "ERROR : KeyWord 'BEGIN' expected : SERVICENAME @ 1 \n"},
        {"DIA BEGIN HOSTTYPE \"A\"", "ERROR : Invalid syntax '=' expected: A @1\n"},
        {"DIA BEGIN HOSTTYPE = A END", "ERROR : String expected for HOSTTYPE'S: A @ 1\n"},
        {"DIA BEGIN HOSTTYPE = \"A B\"", "ERROR : Invalid format for list attribute : A B @ 1 \n"},
        // More host types than the block holds.
        {"DIA BEGIN HOSTTYPE = " + h11, "ERROR : Invalid format for list attribute : A,B,C,D,E,F,G,H,I,J,K @ 1 \n"},
        {"DIA BEGIN HOSTTYPE = \"A," + long_host + "\"",
         "ERROR: token size exceeds datbase field size :  '" + long_host + "' @ 1\n"},
        {"DIA BEGIN SERVICENAME = " + long_name + " END", "ERROR: token size exceeds datbase field size :  '" + long_name + "' @ 1\n"},
        {"DIA BEGIN VARIABLE ( NAME", "ERROR : Syntax error '=' expected : ( @1\n"},
        {"DIA BEGIN COLOUR = red END", "ERROR : Invalid Input : COLOUR @1 \n"},
        // The last word is lost to the end of the file, which then stands
        // where a keyword is expected; an empty service type is none.
        {"DIA BEGIN SERVICENAME = Internet", "ERROR : Invalid Input :  @1 \n"},
        {"", "ERROR :Syntax error . Invalid service type specified : @1\n"},
    };
    for (const auto &c : cases) {
        releasememory("ALL");
        EXPECT_EQ(run(parse_servicetypes, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    releasememory("ALL");
    EXPECT_EQ(run(parse_servicetypes, "DIA BEGIN SERVICENAME = Internet HOSTTYPE = " + h10 + " END"), 0);
    EXPECT_EQ(servicetypes().size(), 10u);
    // The host types before the over-long one stay; the service type counts.
    releasememory("ALL");
    EXPECT_EQ(run(parse_servicetypes, "NOC BEGIN HOSTTYPE = \"A," + long_host + "\""), 1);
    EXPECT_EQ(servicetypes(), V{"NOC/A"});
    ASSERT_NE(prservicetypenames.head, nullptr);
    EXPECT_STREQ(prservicetypenames.head->servicetype, "NOC");
}

TEST_F(Block, PoolClassesNamesAndFlags) {
    EXPECT_EQ(run(parse_poolclass, "BEGIN\n CLASS = ( NAME = GOLD , DEFAULT = TRUE )\n"
                                   " class = ( DISPLAYNAME = Silver , NAME = SILVER )\n"
                                   " CLASS = ( NAME = BRONZE , DISPLAYNAME = Bronze , DEFAULT = true ,"
                                   " SHAREDCLASS = TRUE , DEFAULT = TRUE )\nEND"),
              0);
    EXPECT_EQ(log(), "");
    // DEFAULT counts for the exact text TRUE only, and not for the next class.
    EXPECT_EQ(classes(), (V{"GOLD/GOLD/10", "SILVER/Silver/00", "BRONZE/Bronze/11"}));

    EXPECT_EQ(run(parse_poolclass, "BEGIN CLASS = ( NAME = TIN , SHAREDCLASS = yes ) CLASS = ( NAME = LEAD , "
                                   "SHAREDCLASS = true ) END"),
              0);
    EXPECT_EQ(log(),
              "ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : yes @1\n<br>"
              "ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : true @1\n<br>");
    EXPECT_EQ(classes().back(), "LEAD/LEAD/00");
    EXPECT_EQ(classes().size(), 5u);
}

TEST_F(Block, PoolClassSyntaxStopsTheBlock) {
    const std::string long_name(31, 'n');
    struct {
        std::string text, message;
    } cases[] = {
        {"CLASS", "ERROR : Unexpected end of file @ 1 \n"},
        {"BEGIN NAME = A END", "ERROR : Invalid Input NAME @1 \n"},
        {"BEGIN CLASS ( NAME = A )", "ERROR : Invalid syntax '=' expected : ( @ 1\n"},
        {"BEGIN CLASS = NAME", "ERROR: Invalid syntax '(' expected @NAME  1\n"},
        {"BEGIN CLASS = ( COLOUR = A )", "ERROR : Invalid Input COLOUR @1 \n"},
        {"BEGIN CLASS = ( NAME A )", "ERROR: Invalid syntax '=' expected : A @ 1\n"},
        {"BEGIN CLASS = ( NAME = A DEFAULT = TRUE )", "ERROR: Invalid syntax '=' or ')' expected :DEFAULT @ 1\n"},
        {"BEGIN CLASS = ( NAME = A , NAME = B )", "ERROR: Duplicate token NAME @ 1\n"},
        {"BEGIN CLASS = ( DISPLAYNAME = A )\n", "ERROR : token NAME is not found in CLASS block.@1 \n"},
        {"BEGIN CLASS = ( NAME = " + long_name + " )", "ERROR: token size exceeds datbase field size :  '" + long_name + "' @ 1\n"},
        {"BEGIN CLASS = ( NAME = A , DISPLAYNAME = " + long_name + " )",
         "ERROR: token size exceeds datbase field size :  '" + long_name + "' @ 1\n"},
        {"BEGIN CLASS = ( NAME = A )\n", "ERROR : Invalid Input  @2 \n"},
        {"BEGIN CLASS = ( NAME = A ,", "ERROR : Invalid Input  @1 \n"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(parse_poolclass, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    // Only the classes read to their ")" were stored.
    EXPECT_EQ(classes(), V{"A/A/00"});
}

// Service types VPN (CE, PE) and DIA (CPE) for the pool types.
class PoolTypes : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        define_services();
    }
    void define_services() {
        releasememory("ALL");
        ASSERT_EQ(run(parse_servicetypes, kVpn), 0);
        ASSERT_EQ(run(parse_servicetypes, "DIA BEGIN SERVICENAME = Internet HOSTTYPE = \"CPE\" END"), 0);
    }
};

TEST_F(PoolTypes, TypesSubPoolsAndMappings) {
    EXPECT_EQ(run(parse_pooltypes,
                  "BEGIN\n"
                  " TYPE = ( SERVICETYPE = vpn , HOSTTYPE = \"CE, PE\" , POOLOWNER = Provider )\n"
                  " SUBPOOLS = \"P1, P2\"\n"
                  " POOLTYPEMAP = ( COMMUNICATION-TYPE = SRV-CLIENT , HOSTTYPE = CE )\n"
                  " TYPE = ( POOLOWNER = Customer , VALIDATION = none , HOSTTYPE = \"CPE\" , SERVICETYPE = DIA )\n"
                  " POOLTYPEMAP = ( HOSTTYPE = CPE , COMMUNICATION-TYPE = ANY-ANY )\n"
                  " SUBPOOLS = \"LAN\"\n"
                  "END"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(pooltypes(), (V{"VPN/CE/Provider/POOLUNIQUE", "VPN/PE/Provider/POOLUNIQUE", "DIA/CPE/Customer/NONE"}));
    EXPECT_EQ(sequences(), (V{"VPN/Provider/CE/1/P1", "VPN/Provider/CE/2/P2", "VPN/Provider/PE/1/P1",
                              "VPN/Provider/PE/2/P2", "DIA/Customer/CPE/1/LAN"}));
    // The owner of the TYPE before a mapping is its address mode.
    EXPECT_EQ(maps(), (V{"VPN/SRV-CLIENT/CE/Provider", "DIA/ANY-ANY/CPE/Customer"}));
    EXPECT_EQ(prpooltypemap.head->networkid, networkid);
}

TEST_F(PoolTypes, FlaggedErrorsReadOn) {
    EXPECT_EQ(run(parse_pooltypes,
                  "BEGIN\n"
                  " SUBPOOLS = \"EARLY\"\n"
                  " TYPE = ( SERVICETYPE = VPN , HOSTTYPE = \"CE\" , HOSTTYPE = \"CE, XX\" , POOLOWNER = P )\n"
                  " TYPE = ( SERVICETYPE = VPN , HOSTTYPE = \"CE\" , POOLOWNER = P )\n"
                  " TYPE = ( SERVICETYPE = DIA , HOSTTYPE = \"CPE\" )\n"
                  " POOLTYPEMAP = ( COMMUNICATION-TYPE = SRV-ANY , HOSTTYPE = CE , HOSTTYPE = PE )\n"
                  " POOLTYPEMAP = ( HOSTTYPE = PE , COMMUNICATION-TYPE = SRV-ANY )\n"
                  " POOLTYPEMAP = ( HOSTTYPE = PE )\n"
                  "END"),
              0);
    EXPECT_EQ(log(),
              "ERROR: duplicate token : 'HOSTTYPE' @ 3\n<br>"
              "ERROR : Syntax error. Service type not defined : VPN/XX @ 3\n<br>"
              "ERROR: Syntax error. Duplicate definition for pooltype : VPN/CE/P @ 4\n<br>"
              "ERROR: token 'POOLOWNER' is missing in TYPE for POOLTYPE block : @ 5\n<br>"
              "ERROR: Duplicate token : 'HOSTTYPE' @ 6\n<br>"
              "ERROR : Duplicate  poolttypemap entry @ 7\n<br>"
              "ERROR: token 'COMMUNICATION-TYPE' is missing in  POOLTYPEMAP block : @ 8\n<br>");
    EXPECT_EQ(g_error, 1);
    // SUBPOOLS before any TYPE stores nothing; every flagged entry is stored.
    EXPECT_EQ(sequences(), V{});
    EXPECT_EQ(pooltypes(), (V{"VPN/CE/P/POOLUNIQUE", "VPN/XX/P/POOLUNIQUE", "VPN/CE/P/POOLUNIQUE",
                              "DIA/CPE//POOLUNIQUE"}));
    EXPECT_EQ(maps(), (V{"DIA/SRV-ANY/PE/", "DIA/SRV-ANY/PE/", "DIA//PE/"}));

    // A block without TYPE or SUBPOOLS names the first one missing, with
    // its first line.
    EXPECT_EQ(run(parse_pooltypes, "\nBEGIN\nEND"), 0);
    EXPECT_EQ(log(), "ERROR: token 'TYPE' not found in POOLTYPES block @ 1\n<br>");
    EXPECT_EQ(run(parse_pooltypes, "BEGIN TYPE = ( SERVICETYPE = DIA , HOSTTYPE = \"CPE\" , POOLOWNER = Q ) END"), 0);
    EXPECT_EQ(log(), "ERROR: token 'SUBPOOLS' not found in POOLTYPES block @ 1\n<br>");
}

TEST_F(PoolTypes, SyntaxStopsTheBlock) {
    const std::string type = "TYPE = ( SERVICETYPE = VPN , HOSTTYPE = \"CE\" , POOLOWNER = P ) ";
    const std::string long_pool(31, 'p');
    struct {
        std::string text, message;
    } cases[] = {
        {"TYPE", "ERROR : Unexpected end of file @ 1 \n"},
        {"BEGIN POOLTYPEMAP = ( HOSTTYPE = CE )", "ERROR : Please specify servicetype before mapping @ 1 \n"},
        {"BEGIN COLOUR = 1", "ERROR : Invalid Input COLOUR @1 1\n"},
        {"BEGIN SUBPOOLS \"A\"", "ERROR : Invalid syntax '=' expected : A @ 1\n"},
        {"BEGIN TYPE ( SERVICETYPE", "ERROR : Invalid syntax '=' expected : ( @ 1\n"},
        {"BEGIN TYPE = SERVICETYPE", "ERROR: Invalid syntax '(' expected @SERVICETYPE  1\n"},
        {"BEGIN TYPE = ( COLOUR = 1 )", "ERROR : Invalid attribute name : COLOUR @ 1\n"},
        {"BEGIN TYPE = ( SERVICETYPE VPN )", "ERROR: Invalid syntax '=' expected : VPN @ 1\n"},
        {"BEGIN TYPE = ( HOSTTYPE CE )", "ERROR : Invalid syntax '=' expected : CE @ 1\n"},
        {"BEGIN TYPE = ( HOSTTYPE = CE )", "ERROR : String expected for Interfaces: CE @ 1\n"},
        {"BEGIN TYPE = ( HOSTTYPE = \"A,B,C,D,E,F,G,H,I,J,K\" )",
         "ERROR : Invalid format for list attribute : A,B,C,D,E,F,G,H,I,J,K @ 1 \n"},
        {"BEGIN TYPE = ( HOSTTYPE = \"" + long_pool + "\" )",
         "ERROR: token size exceeds datbase field size :  '" + long_pool + "' @ 1\n"},
        {"BEGIN TYPE = ( POOLOWNER = " + long_pool + " )",
         "ERROR: token size exceeds datbase field size :  '" + long_pool + "' @ 1\n"},
        {"BEGIN TYPE = ( VALIDATION = strict )", "ERROR: Validation type is not valid: 'STRICT'  @ 1\n"},
        {"BEGIN TYPE = ( VALIDATION = NONE POOLOWNER = P )", "ERROR :  ',' or ')' expected : POOLOWNER @ 1\n"},
        {"BEGIN " + type + "SUBPOOLS = \"A,B,C,D,E,F,G,H,I,J\"",
         "ERROR : Invalid format for list attribute : A,B,C,D,E,F,G,H,I,J @ 1 \n"},
        {"BEGIN " + type + "SUBPOOLS = \"" + long_pool + "\"",
         "ERROR: token size exceeds datbase field size :  '" + long_pool + "' @ 1\n"},
        {"BEGIN " + type + "POOLTYPEMAP = ( COMMUNICATION-TYPE = srv-any )",
         "ERROR: Communication type is not valid: 'srv-any'  @ 1\n"},
        {"BEGIN " + type + "POOLTYPEMAP = ( HOSTTYPE = ce )", "ERROR: Hosttype is not valid: 'ce'  @ 1\n"},
        {"BEGIN " + type + "POOLTYPEMAP = ( PORT = 1 )", "ERROR : Invalid attribute name : PORT @ 1\n"},
        {"BEGIN " + type + "POOLTYPEMAP = ( HOSTTYPE CE )", "ERROR: Invalid syntax '=' expected : CE @ 1\n"},
        {"BEGIN " + type + "POOLTYPEMAP = ( HOSTTYPE = CE HOSTTYPE",
         "ERROR :  ',' or ')' expected : HOSTTYPE @ 1\n"},
        {"BEGIN " + type + "\n", "ERROR : Invalid Input  @2 -2\n"},
    };
    for (const auto &c : cases) {
        define_services();
        EXPECT_EQ(run(parse_pooltypes, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    // Nine sub-pools fit.
    EXPECT_EQ(run(parse_pooltypes, "BEGIN " + type + "SUBPOOLS = \"A,B,C,D,E,F,G,H,I\" END"), 0);
    EXPECT_EQ(sequences().size(), 9u);
}

}  // namespace
