// ADDRESSPOOL blocks loaded through the host: pools, their messages and
// the bounds of the fields that flagged values go into.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

std::string pools(const std::string &entries) {
    return std::string("NETWORKNAME = LAB, SECTION = TOPOLOGY\nADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n") + entries +
           "END\n";
}

}  // namespace

TEST_F(TopoLoad, PoolsAreStoredWithUpperCaseProtocols) {
    Outcome r = load("pools_valid.ndl");
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    // The same name under IP and IPX is two pools.
    EXPECT_EQ(rows("SELECT networkid, addresspoolname, protocoltype, startaddress, endaddress FROM ipaddresspools "
                   "ORDER BY rowid"),
              (V{"1|P1|IP|10.0.0.1|10.0.0.254", "1|P1|IPX|10.1.0.1|10.1.0.254",
                 "1|LOOPBACKS|IP|192.168.255.0|192.168.255.255"}));
}

TEST_F(TopoLoad, PoolErrorsAreAllReportedInOnePass) {
    Outcome r = load("pools_errors.ndl");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Unknown pool type encountered, 'NETWORK-ADDR-POOL' expected: HOST-POOL @ 2 ",
                 "ERROR: Start IP address specified is invalid : 10.0.0.256 @3\n",
                 "ERROR: End IP address specified is invalid : 10.0.0 @3\n",
                 "ERROR: Invalid keyword 'STARTADDR' expected: ENDADDR @4\n",
                 "ERROR: Invalid ketword 'ENDADDR' expected: STARTADDR @4\n",
                 "ERROR: Invalid keyword protocol IP/IPX expected: APPLETALK @4\n",
                 "ERROR: Duplicate definition address pool : P2 @6\n", "ERROR: Invalid Input : P3 @9 \n",
                 "ERROR: Invalid keyword start ip address expected: 10 @12\n"}));
}

TEST_F(TopoLoad, PoolEntrySyntaxStopsTheBlock) {
    struct Case {
        std::string entry, message;
    };
    const Case cases[] = {
        {"P1 ( STARTADDR", "ERROR: Invalid syntax '=' expected: ( @3\n"},
        {"P1 = STARTADDR", "ERROR: Invalid syntax '(' expected: STARTADDR @4\n"},
        {"P1 = ( STARTADDR \"1.1.1.1\"", "ERROR: Invalid keyword '=' expected: 1.1.1.1 @3\n"},
        {"P1 = ( STARTADDR = \"1.1.1.1\" ENDADDR", "ERROR: Invalid syntax ',' expected: ENDADDR @4\n"},
        {"P1 = ( STARTADDR = \"1.1.1.1\" , ENDADDR = 1", "ERROR: Invalid keyword end ip address expected: 1 @4\n"},
        {"P1 = ( STARTADDR = \"1.1.1.1\" , ENDADDR = \"1.1.1.2\" , PROTOCOL = IP", 
         "ERROR: Invalid syntax ')' expected: END @5\n"},
        {"P1 = ( STARTADDR = \"1.1.1.1\" , ENDADDR = \"1.1.1.2\" PROTOCOL", "ERROR: Invalid syntax ',' expected: PROTOCOL @4\n"},
        {"12 = ( )", "ERROR: Invalid Input : 12 @3 \n"},
    };
    for (const Case &c : cases) {
        Outcome r = load_text(pools("  " + c.entry + "\n"));
        EXPECT_EQ(r.ret, 2) << c.entry;
        ASSERT_FALSE(errors_of(r.messages).empty()) << c.entry;
        EXPECT_EQ(errors_of(r.messages).front(), c.message) << c.entry;
    }
    Outcome r = load_text("NETWORKNAME = LAB, SECTION = TOPOLOGY\nADDRESSPOOL NETWORK-ADDR-POOL\nEND\n");
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR: Keyword 'BEGIN' expected : END @4\n"}));
}

TEST_F(TopoLoad, PoolFlaggedValuesNeverOverrunTheirFields) {
    // A long name is reported and kept; a long address or protocol is
    // reported and refused. The run fails either way.
    std::string name(31, 'N'), address = "1.1.1.1" + std::string(30, '1');
    Outcome r = load_text(pools("  " + name + " = ( STARTADDR = \"" + address + "\" , ENDADDR = \"" + address +
                                "\" , PROTOCOL = " + std::string(40, 'X') + " )\n"));
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Token length exceeds maximum size: '" + name + "' @ 3\n",
                 "ERROR: Start IP address specified is invalid : " + address + " @3\n",
                 "ERROR: token size exceeds datbase field size :  '" + address + "' @ 3\n",
                 "ERROR: End IP address specified is invalid : " + address + " @3\n",
                 "ERROR: token size exceeds datbase field size :  '" + address + "' @ 3\n",
                 "ERROR: Invalid keyword protocol IP/IPX expected: " + std::string(40, 'X') + " @3\n",
                 "ERROR: token size exceeds datbase field size :  '" + std::string(40, 'X') + "' @ 3\n"}));
    // A valid address written with leading zeros beyond 30 characters.
    std::string padded = std::string(28, '0') + "10.0.0.1";
    r = load_text(pools("  P = ( STARTADDR = \"" + padded + "\" , ENDADDR = \"10.0.0.2\" , PROTOCOL = IP )\n"));
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR: token size exceeds datbase field size :  '" + padded + "' @ 3\n"}));
}

TEST_F(TopoLoad, CutOffPoolBlockIsAnErrorAndKeepsTheStoredPools) {
    ASSERT_EQ(load("pools_valid.ndl").ret, 0);
    Outcome r = load("pools_cutoff.ndl", "updateversion");
    EXPECT_EQ(r.ret, 2);
    // Where the next pool's name is expected.
    EXPECT_EQ(errors_of(r.messages), (V{"ERROR: Invalid Input :  @4 \n", "Exiting due to errors \n"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ipaddresspools"), V{"3"});
    // Cut inside a quoted address: no quoted text.
    r = load_text("NETWORKNAME = LAB, SECTION = TOPOLOGY\nADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n"
                  "  P1 = ( STARTADDR = \"10.0.0.1\" , ENDADDR = \"10.0.0.2",
                  "updateversion");
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(errors_of(r.messages).front(), "ERROR: Invalid keyword end ip address expected: 10.0.0.2 @3\n");
}
