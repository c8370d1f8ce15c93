// CONNECTIONS blocks loaded through the host: the pairs of domains, every
// message, and a file that ends inside the block.
#include "topo_load.h"

using V = std::vector<std::string>;

namespace {

class Connections : public TopoLoad {
protected:
    // Domains NORTH and SOUTH; the block starts on line 12.
    static std::string with_domains(const std::string &block) {
        return std::string(kHeader) + domain("NORTH") + domain("SOUTH") + block;
    }
    // One entry in a block of its own (the entry on line 13).
    static std::string one_entry(const std::string &entry) {
        return with_domains("CONNECTIONS BEGIN\n  " + entry + "\nEND\n");
    }
};

}  // namespace

TEST_F(Connections, PairsOfDomainsAreFiled) {
    Outcome r = load_text(with_domains("CONNECTIONS BEGIN\n"
                                       "  NORTH TO SOUTH = ( SCOPE = internal , MAX = 4 , MIN = 1 )\n"
                                       "  NORTH TO SOUTH = ( SCOPE = EXTERNAL , MIN = 0 , MAX = 2 )\n"
                                       "  SOUTH to NORTH = ( scope = INTERNAL , min = 2 , max = 2 )\n"
                                       "END\n"));
    ASSERT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
    EXPECT_EQ(r.messages, kClean);
    EXPECT_EQ(rows("SELECT networkid, domainname1, domainname2, conntype, maxconn, minconn FROM domainconnections "
                   "ORDER BY rowid"),
              (V{"1|NORTH|SOUTH|INTERNAL|4|1", "1|NORTH|SOUTH|EXTERNAL|2|0", "1|SOUTH|NORTH|INTERNAL|2|2"}));
}

TEST_F(Connections, FlaggedEntriesAreAllReportedInOnePass) {
    Outcome r = load_text(with_domains("CONNECTIONS BEGIN\n"
                                       "  NORTH TO WEST = ( SCOPE = INTERNAL , MIN = 1 , MAX = 0 )\n"
                                       "  EAST TO SOUTH = ( SCOPE = INTERNAL , MIN = 5 , MAX = 2 )\n"
                                       "  NORTH TO WEST = ( SCOPE = INTERNAL , MIN = 1 , MAX = 3 )\n"
                                       "  NORTH TO SOUTH = ( SCOPE = INTERNAL , MAX = 1 , MAX = 3 )\n"
                                       "  " + std::string(31, 'D') + " TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , MAX = 3 )\n"
                                       "END\n"
                                       "CONNECTIONS BEGIN\n"
                                       "  NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , MAX = 3 )\n"
                                       "END\n"));
    EXPECT_EQ(r.ret, 2);
    const std::string longname(31, 'D');
    EXPECT_EQ(errors_of(r.messages),
              (V{"ERROR: Invalid (TO) domain name for connection definition : WEST @ 13\n",
                 "ERROR: Invalid value for max connections : 0 @13 \n",
                 "ERROR: Invalid (FOR) domain name for connection definition : EAST @ 14\n",
                 "ERROR: Invalid value for max connections : 2 @14 \n",
                 "ERROR: Invalid (TO) domain name for connection definition : WEST @ 15\n",
                 "ERROR: Duplicate definition of connections : NORTH TO WEST  @15 \n",
                 // A limit given twice refuses the entry.
                 "ERROR: Duplicate token: 'MAX' @ 16\n",
                 "ERROR: Invalid (FOR) domain name for connection definition : " + longname + " @ 17\n",
                 "ERROR: token size exceeds datbase field size :  '" + longname + "' @ 17\n",
                 "ERROR: Redefinition of CONNECTIONS block: @ 19\n"}));
}

TEST_F(Connections, EntrySyntaxStopsTheBlock) {
    struct Case {
        std::string entry, message;
    };
    const Case cases[] = {
        {"NORTH FROM SOUTH", "ERROR: Keyword 'TO' expected after NORTH : FROM @ 13\n"},
        {"NORTH TO SOUTH ( SCOPE", "ERROR: Invalid syntax '=' expected: ( @ 13\n"},
        {"NORTH TO SOUTH = SCOPE", "ERROR: Invalid syntax '(' expected @ 14\n"},
        {"NORTH TO SOUTH = ( MIN = 1", "ERROR: Invalid syntax keyword 'SCOPE' expected :MIN @ 13\n"},
        {"NORTH TO SOUTH = ( SCOPE INTERNAL", "ERROR: Invalid syntax '=' expected: INTERNAL @ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = GLOBAL", "ERROR: Invalid syntax . Scope type 'INTERNAL' or 'EXTERNAL' expected @ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL MIN", "ERROR: Invalid syntax ',' expected: MIN @ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , LOW = 1", "ERROR: Invalid syntax variable type expected :LOW @ 13\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN 1", "ERROR: Invalid syntax '=' expected :1@ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = one", "ERROR: Invalid syntax  value expeced for :MIN @d\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 99999999999", "ERROR: Invalid syntax  value expeced for :MIN @d\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 MAX", "ERROR: Invalid syntax ',' expected: MAX @ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , HIGH", "ERROR: Invalid syntax variable type expected: HIGH @ 14\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , MAX = x", "ERROR: Invalid syntax a number value expected for MAX :x @d\n"},
        {"NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , MAX = 2 ,", "ERROR: Invalid syntax ')' expected:, @ 13\n"},
    };
    for (const Case &c : cases) {
        Outcome r = load_text(one_entry(c.entry));
        EXPECT_EQ(r.ret, 2) << c.entry;
        ASSERT_FALSE(errors_of(r.messages).empty()) << c.entry;
        EXPECT_EQ(errors_of(r.messages).front(), c.message) << c.entry;
    }
    Outcome r = load_text(with_domains("CONNECTIONS NORTH TO SOUTH\nEND\n"));
    EXPECT_EQ(errors_of(r.messages).front(), "ERROR: Keyword 'BEGIN' expected : NORTH @ 12 \n");
}

TEST_F(Connections, FileEndingInsideTheBlockKeepsTheStoredRows) {
    const std::string entry = "CONNECTIONS BEGIN\n  NORTH TO SOUTH = ( SCOPE = INTERNAL , MIN = 1 , MAX = 3 )\n";
    ASSERT_EQ(load_text(with_domains(entry + "END\n")).ret, 0);
    const V stored = dump_rows("domainconnections");
    ASSERT_EQ(stored.size(), 1u);
    struct Case {
        std::string tail;
        V messages;
    };
    const Case cases[] = {
        // Where an entry starts the end of the file is an unknown first
        // domain, and no TO follows it.
        {"",
         {"ERROR: Invalid (FOR) domain name for connection definition :  @ 14\n",
          "ERROR: Keyword 'TO' expected after  :  @ 14\n"}},
        // After the first domain the missing TO says it.
        {"  SOUTH\n", {"ERROR: Keyword 'TO' expected after SOUTH :  @ 15\n"}},
        // MIN is a keyword: the end of the file cut no word of it.
        {"  SOUTH TO NORTH = ( SCOPE = INTERNAL , MIN", {"ERROR: Invalid syntax '=' expected :@ 14\n"}},
        // A domain cut inside its quotes is still that domain; no "=" follows.
        {"  SOUTH TO \"NORTH", {"ERROR: Invalid syntax '=' expected:  @ 14\n"}},
        // Where an entry starts it is the block's invalid input.
        {"  \"SOUTH", {"ERROR: Invalid Input SOUTH @14\n"}},
    };
    for (const Case &c : cases) {
        Outcome r = load_text(with_domains(entry + c.tail), "updateversion");
        EXPECT_EQ(r.ret, 2) << c.tail;
        V expected = c.messages;
        expected.push_back("Exiting due to errors \n");
        EXPECT_EQ(errors_of(r.messages), expected) << c.tail;
        EXPECT_EQ(dump_rows("domainconnections"), stored);
    }
}
