// GLOBALLISTS, INTERFACE-BANDWIDTH-LIST, SERVICE-TYPE, POOL-CLASS and
// POOL-TYPE loaded through the host: their rows in column order, every
// error of a file in one pass, and cut-off blocks.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

const char *const kTables[] = {"globallistvars", "validintbandwidth", "servicetypenames", "servicetypes",
                               "servicetypevars", "poolclass",        "pooltypes",        "compooltypes",
                               "poolsequence"};

}  // namespace

class ServiceLoad : public TopoLoad {
protected:
    V counts() const {
        V out;
        for (const char *t : kTables) out.push_back(t + std::string(":") + rows(std::string("SELECT COUNT(*) FROM ") + t)[0]);
        return out;
    }
};

TEST_F(ServiceLoad, BlocksBecomeRowsInColumnOrder) {
    Outcome r = load("services_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    EXPECT_EQ(rows("SELECT networkid, listid, sequence, variablename FROM globallistvars ORDER BY rowid"),
              (V{"1|SITEVARS|1|SITECODE", "1|SITEVARS|2|contact", "1|LINKVARS|1|CIRCUITID"}));
    EXPECT_EQ(rows("SELECT networkid, interfacetype, bandwidth FROM validintbandwidth ORDER BY rowid"),
              (V{"1|Serial|T1", "1|Serial|E1", "1|E1-Controller|E1"}));
    EXPECT_EQ(rows("SELECT networkid, servicetype, servicename FROM servicetypenames ORDER BY rowid"),
              (V{"1|VPN|Corporate", "1|DIA|Internet"}));
    EXPECT_EQ(rows("SELECT networkid, servicetype, hosttype FROM servicetypes ORDER BY rowid"),
              (V{"1|VPN|CE", "1|VPN|PE", "1|DIA|CPE"}));
    EXPECT_EQ(rows("SELECT networkid, servicetype, sequence, variablename, displayname, variabletype, updatestatus, "
                   "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec FROM "
                   "servicetypevars ORDER BY rowid"),
              (V{"1|VPN|1|VRFNAME|Vrf|STRING|VARIABLE-UNASSIGNED|0|0|0||||",
                 "1|VPN|2|RDBASE|RDBASE|RANGE|FIXED-ASSIGNED|0|10|99|||10|"}));
    // name (the display name) before value.
    EXPECT_EQ(rows("SELECT networkid, name, value, isdefault, isshared FROM poolclass ORDER BY rowid"),
              (V{"1|GOLD|GOLD|1|0", "1|Silver|SILVER|0|1"}));
    EXPECT_EQ(rows("SELECT networkid, servicetype, hosttype, poolowner, validation FROM pooltypes ORDER BY rowid"),
              (V{"1|VPN|CE|Provider|POOLUNIQUE", "1|VPN|PE|Provider|POOLUNIQUE", "1|DIA|CPE|Customer|NETWORKUNIQUE"}));
    EXPECT_EQ(rows("SELECT networkid, servicetype, communicationtype, hosttype, addressmode FROM compooltypes ORDER BY "
                   "rowid"), V{"1|VPN|SRV-CLIENT|CE|Provider"});
    EXPECT_EQ(rows("SELECT networkid, servicetype, poolowner, hosttype, sequence, variablename FROM poolsequence ORDER "
                   "BY rowid"),
              (V{"1|VPN|Provider|CE|1|WAN", "1|VPN|Provider|CE|2|LOOP", "1|VPN|Provider|PE|1|WAN",
                 "1|VPN|Provider|PE|2|LOOP", "1|DIA|Customer|CPE|1|LAN"}));
}

TEST_F(ServiceLoad, ReloadsReplaceTheRowsInEveryMode) {
    ASSERT_EQ(load("services_valid.ndl").ret, 0);
    const V first = counts();
    EXPECT_EQ(first.front(), "globallistvars:3");
    // A new policy version rewrites these tables; it never copies them.
    for (const char *mode : {"createversion", "updateversion", "initializedata"}) {
        Outcome r = load("services_valid.ndl", mode);
        ASSERT_EQ(r.ret, 0) << mode << ::testing::PrintToString(r.messages);
        EXPECT_EQ(counts(), first) << mode;
    }
}

TEST_F(ServiceLoad, ErrorsAreAllReportedInOnePass) {
    Outcome r = load("services_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Duplicate listid 'L1' in the Global list@ 7 \n",
                 "ERROR: Duplicate variable 'a' in the Global list@ 7 \n",
                 "One of entry in BANDWIDTH list is not present in Systemlist definitions: 'OC3' @ 10\n",
                 "ERROR :Duplicate servicename/hosttype : VPN CE @ 14\n",
                 "ERROR: Service type already exists: 'VPN' @ 16 \n",
                 "ERROR: Attribute SERVICENAME not given for SERVICE-TYPES : @ 19\n",
                 "ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : maybe @23\n",
                 "ERROR : token NAME is not found in CLASS block.@24 \n",
                 "ERROR : Syntax error. Service type not defined : VPN/PE @ 27\n",
                 "ERROR : Duplicate  poolttypemap entry @ 29\n",
                 "ERROR: token 'SUBPOOLS' not found in POOLTYPES block @ 26\n"}));
    for (const char *t : kTables) EXPECT_EQ(rows(std::string("SELECT COUNT(*) FROM ") + t), V{"0"}) << t;
}

TEST_F(ServiceLoad, CutOffBlocksAreErrorsAndKeepTheStoredRows) {
    ASSERT_EQ(load("services_valid.ndl").ret, 0);
    const V stored = counts();
    struct {
        std::string block, message;
    } cases[] = {
        {"GLOBALLISTS BEGIN\n  L1 = ( a ,\n", "ERROR: Invalid token, variable name expected :  @ 4\n"},
        {"GLOBALLISTS BEGIN\n  L1 = ( a )\n", "ERROR: Invalid syntax '=' expected @ 4\n"},
        {"INTERFACE-BANDWIDTH-LIST BEGIN\n  INTERFACE = ( NAME = Serial ,\n",
         "ERROR :Syntax error BANDWIDTH expected':  @4\n"},
        {"SERVICE-TYPE VPN BEGIN\n  SERVICENAME = Corporate\n", "ERROR : Invalid Input :  @4 \n"},
        {"SERVICE-TYPE VPN BEGIN\n  VARIABLE = ( NAME = X ,\n",
         "ERROR :Syntax error 'NAME' 'MODE','TYPE'  'VALUE' or 'OPTIONAL' expected:  @4\n"},
        {"POOL-CLASS BEGIN\n  CLASS = ( NAME = GOLD )\n", "ERROR : Invalid Input  @4 \n"},
        {"POOL-TYPE BEGIN\n  TYPE = ( SERVICETYPE = VPN ,\n", "ERROR : Invalid attribute name :  @ 4\n"},
        // A list cut inside its quotes is taken; the end of the file is then
        // no statement.
        {"POOL-TYPE BEGIN\n  SUBPOOLS = \"A, B", "ERROR : Invalid Input  @3 -2\n"},
    };
    for (const auto &c : cases) {
        Outcome r = load_text(kHeader + c.block, "updateversion");
        EXPECT_EQ(r.ret, 2) << c.block;
        EXPECT_EQ(errors_of(r.messages), (V{c.message, "Exiting due to errors \n"})) << c.block;
        EXPECT_EQ(counts(), stored) << c.block;
    }
}
