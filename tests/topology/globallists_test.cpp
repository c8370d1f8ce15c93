// GLOBALLISTS and INTERFACE-BANDWIDTH-LIST blocks.
#include <cstring>
#include <string>
#include <vector>

#include "block_test.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

using V = std::vector<std::string>;

V listvars() {
    V out;
    for (global_list_var_rec *r = prgloballistvars; r; r = r->next)
        out.push_back(std::string(r->listid.c_str()) + "/" + std::to_string(r->sequence) + "/" + r->variablename.c_str());
    return out;
}
V bandwidths() {
    V out;
    for (valid_int_bandwidth_rec *r = prvalidintbandwidth; r; r = r->next)
        out.push_back(std::string(r->interfacetype.c_str()) + "/" + r->bandwidth.c_str());
    return out;
}

TEST_F(Block, GlobalListsNumberTheirVariables) {
    EXPECT_EQ(run(parse_globallists, "BEGIN\n L1 = ( a , b )\n l2 = ( c )\n L3 = ( )\n L4 = ( d , )\nEND"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(listvars(), (V{"L1/1/a", "L1/2/b", "L2/1/c", "L4/1/d"}));
    // An empty list left its identifier free.
    EXPECT_EQ(run(parse_globallists, "BEGIN L3 = ( x ) END"), 0);
    EXPECT_EQ(log(), "");
}

TEST_F(Block, GlobalListDuplicatesAreReportedAndStored) {
    EXPECT_EQ(run(parse_globallists, "BEGIN\n L1 = ( a , b )\n L2 = ( a , L1 , b2 )\n l1 = ( z )\n B2 = ( q )\nEND"),
              0);
    EXPECT_EQ(log(),
              "ERROR: Duplicate variable 'a' in the Global list@ 3 \n<br>"
              "ERROR: Duplicate variable 'L1' in the Global list@ 3 \n<br>"
              "ERROR: Duplicate listid 'L1' in the Global list@ 4 \n<br>");
    EXPECT_EQ(g_error, 1);
    // List ids are upper case, variable names as written: B2 is not b2.
    EXPECT_EQ(listvars(), (V{"L1/1/a", "L1/2/b", "L2/1/a", "L2/2/L1", "L2/3/b2", "L1/1/z", "B2/1/q"}));
}

TEST_F(Block, GlobalListSyntaxStopsTheBlock) {
    const std::string id31(31, 'I'), id32(32, 'I');
    struct {
        std::string text, message;
    } cases[] = {
        {"L1 END", "ERROR : Invalid token,  'BEGIN' expected : 'L1' @ 1 \n"},
        {"BEGIN L1 ( a )", "ERROR: Invalid syntax '=' expected @ 1\n"},
        {"BEGIN L1 = a )", "ERROR: Invalid syntax '(' expected @ 1\n"},
        {"BEGIN L1 = ( a b )", "ERROR: ',' or ')' expected : b @ 1\n"},
        {"BEGIN L1 = ( 5 )", "ERROR: Invalid token, variable name expected : 5 @ 1\n"},
        {"BEGIN L1 = ( \"a\" )", "ERROR: Invalid token, variable name expected : a @ 1\n"},
        // An identifier longer than its field is refused.
        {"BEGIN " + id32 + " = ( a )", "ERROR : Invalid format for list attribute : " + id32 + " @ 1 \n"},
        // The end of the file after a "," is no name; after a list it is
        // the next list's identifier, without its "=".
        {"BEGIN L1 = ( a ,\n", "ERROR: Invalid token, variable name expected :  @ 2\n"},
        {"BEGIN L1 = ( a )\n", "ERROR: Invalid syntax '=' expected @ 2\n"},
    };
    for (const auto &c : cases) {
        releasememory("ALL");
        EXPECT_EQ(run(parse_globallists, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    releasememory("ALL");
    EXPECT_EQ(run(parse_globallists, "BEGIN " + id31 + " = ( a ) END"), 0);
    EXPECT_EQ(listvars(), V{id31 + "/1/a"});
}

// The system list BANDWIDTH with T1, E1 and T3.
class Bandwidths : public Block {
protected:
    void SetUp() override {
        Block::SetUp();
        ASSERT_EQ(run(parse_systemlist, "BANDWIDTH BEGIN LISTVARIABLE = ( NAME = T1 , VALUE = 1544 ) "
                                        "LISTVARIABLE = ( NAME = E1 , VALUE = 2048 ) "
                                        "LISTVARIABLE = ( NAME = T3 , VALUE = 44736 ) END"),
                  0);
    }
};

TEST_F(Bandwidths, PairsInInputOrder) {
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN\n INTERFACE = ( NAME = Serial , BANDWIDTH = \"T1, E1\" )\n"
                                          " interface = ( name = Pos , bandwidth = \"T3\" )\n"
                                          " INTERFACE = ( NAME = Serial , BANDWIDTH = \"E1,T3\" )\nEND"),
              0);
    EXPECT_EQ(log(), "ERROR : Duplicate element value for list :Serial E1  @ 4\n<br>");
    // The duplicate pair is stored twice.
    EXPECT_EQ(bandwidths(), (V{"Serial/T1", "Serial/E1", "Pos/T3", "Serial/E1", "Serial/T3"}));
    EXPECT_EQ(g_prevtokentype, TOKEN_WORD);
    EXPECT_STREQ(g_prevtoken, " ");
}

TEST_F(Bandwidths, UnknownBandwidthStoresNoneOfTheEntry) {
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN INTERFACE = ( NAME = Serial , BANDWIDTH = \"T1, OC3, E1\" ) END"), 1);
    EXPECT_EQ(log(), "One of entry in BANDWIDTH list is not present in Systemlist definitions: 'OC3' @ 1\n<br>");
    EXPECT_EQ(bandwidths(), V{});
    EXPECT_EQ(g_prevtokentype, TOKEN_WORD);
    EXPECT_STREQ(g_prevtoken, " ");
    // Without the system list the message names the list.
    releasememory("ALL");
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN INTERFACE = ( NAME = Serial , BANDWIDTH = \"T1\" ) END"), 1);
    EXPECT_EQ(log(), "One of entry in BANDWIDTH list is not present in Systemlist definitions: 'BANDWIDTH' @ 1\n<br>");
}

TEST_F(Bandwidths, EntrySyntaxStopsTheBlock) {
    const std::string long_type(31, 't');
    struct {
        std::string text, message;
    } cases[] = {
        {"INTERFACE", "ERROR : Invalid token,  'BEGIN' expected : 'INTERFACE' @ 1 \n"},
        {"BEGIN NAME = A END", "ERROR : Invalid Input NAME @1 1\n"},
        {"BEGIN INTERFACE ( NAME", "ERROR : Syntax error '=' expected : ( @1\n"},
        {"BEGIN INTERFACE = NAME", "ERROR : Syntax error '(' expected : NAME @1\n"},
        {"BEGIN INTERFACE = ( BANDWIDTH", "ERROR :Syntax error NAME expected': BANDWIDTH @1\n"},
        {"BEGIN INTERFACE = ( NAME Serial )", "ERROR : Syntax error '=' expected : Serial @1\n"},
        {"BEGIN INTERFACE = ( NAME = " + long_type + " )", "ERROR: token size exceeds datbase field size :  '" + long_type + "' @ 1\n"},
        {"BEGIN INTERFACE = ( NAME = S BANDWIDTH", "ERROR : Syntax error ','  expected :BANDWIDTH @1\n"},
        {"BEGIN INTERFACE = ( NAME = S , NAME", "ERROR :Syntax error BANDWIDTH expected': NAME @1\n"},
        {"BEGIN INTERFACE = ( NAME = S , BANDWIDTH = T1 )", "ERROR : Quoted string expected :T1 @1\n"},
        {"BEGIN INTERFACE = ( NAME = S , BANDWIDTH = \"T1 E1\"",
         "ERROR : Invalid format for list attribute : T1 E1 @ 1 \n"},
        {"BEGIN INTERFACE = ( NAME = S , BANDWIDTH = \"T1\" ,", "ERROR : Syntax error ')'  expected :, @1\n"},
        {"BEGIN INTERFACE = ( NAME = S2 , BANDWIDTH = \"T1\" )\n", "ERROR : Invalid Input  @2 -2\n"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(parse_intbandwidthlist, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
}

// Entries of the system list BANDWIDTH put in place directly: the block
// holds display names to 30 characters, stored lists hold 300.
void add_bandwidth(const std::string &name) {
    system_list_rec *list = nullptr;
    if (!validate_systemlist("BANDWIDTH", &list)) {
        list = alloc_record<system_list_rec>();
        list->listname = "BANDWIDTH";
        append_record(pr_systemlist, list);
    }
    system_list_elem_rec *e = alloc_record<system_list_elem_rec>();
    e->displayname = name.c_str();
    append_record(list->elemlist, e);
}

TEST_F(Block, LongAndManyBandwidths) {
    // A bandwidth holds 100 characters: the ones before a longer one stay.
    const std::string b100(100, 'b'), b101(101, 'c');
    for (const std::string &b : {std::string("T1"), b100, b101}) add_bandwidth(b);
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN INTERFACE = ( NAME = S , BANDWIDTH = \"T1," + b100 + "," + b101 +
                                              "\" ) END"),
              1);
    EXPECT_EQ(log(), "ERROR: token size exceeds datbase field size :  '" + b101 + "' @ 1\n<br>");
    EXPECT_EQ(bandwidths(), (V{"S/T1", "S/" + b100}));
    EXPECT_STREQ(g_prevtoken, " ");

    // A hundred values fit; one more is refused with the list-format message.
    releasememory("ALL");
    add_bandwidth("A");
    std::string hundred = "A";
    for (int i = 1; i < 100; ++i) hundred += ",A";
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN INTERFACE = ( NAME = S , BANDWIDTH = \"" + hundred + "\" ) END"), 0);
    EXPECT_EQ(bandwidths().size(), 100u);
    EXPECT_EQ(run(parse_intbandwidthlist, "BEGIN INTERFACE = ( NAME = S , BANDWIDTH = \"" + hundred + ",A\" ) END"),
              1);
    EXPECT_EQ(log(), "ERROR : Invalid format for list attribute : " + hundred + ",A @ 1 \n<br>");
    EXPECT_EQ(bandwidths().size(), 100u);
}

}  // namespace
