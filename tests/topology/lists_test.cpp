// LISTDEFS and SYSTEMLIST blocks.
#include <cstring>
#include <string>
#include <vector>

#include "block_test.h"
#include "records_topology.h"
#include "topology_blocks.h"

namespace {

std::vector<std::string> elements() {
    std::vector<std::string> out;
    for (list_value_rec *r = prlistvalues; r; r = r->next) out.push_back(std::string(r->listname.c_str()) + ":" + r->elementvalue.c_str());
    return out;
}

TEST_F(Block, ListElementsInInputOrder) {
    EXPECT_EQ(run(parse_listdefs, "BEGIN\nLIST = ( NAME = Speeds , ELEMENT = \" 10 , 100,1000 \" )\n"
                                  "list = ( name = Gaps , element = \"a,,b\" )\n"
                                  "LIST = ( NAME = None , ELEMENT = \"\" )\nEND"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(elements(), (std::vector<std::string>{"Speeds:10", "Speeds:100", "Speeds:1000", "Gaps:a", "Gaps:",
                                                     "Gaps:b"}));
}

TEST_F(Block, ListElementErrors) {
    EXPECT_EQ(run(parse_listdefs, "BEGIN LIST = ( NAME = L , ELEMENT = \"a,a\" ) END"), 0);
    EXPECT_EQ(log(), "ERROR : Duplicate element value for list :L a  @ 1\n<br>");
    EXPECT_EQ(elements().size(), 2u);  // reported and stored twice
    releasememory("ALL");

    EXPECT_EQ(run(parse_listdefs, "BEGIN LIST = ( NAME = L , ELEMENT = \"a b\" ) END"), 1);
    EXPECT_EQ(log(), "ERROR :Invalid format for list attribute : a b @1\n<br>");
    EXPECT_EQ(elements(), std::vector<std::string>{"L:a"});
    EXPECT_EQ(g_prevtokentype, TOKEN_WORD);
    EXPECT_STREQ(g_prevtoken, "a b");
    releasememory("ALL");

    std::string longname(31, 'n'), longelem(31, 'e');
    EXPECT_EQ(run(parse_listdefs, "BEGIN LIST = ( NAME = " + longname + " , ELEMENT = \"x\" ) END"), 0);
    EXPECT_EQ(log(), "ERROR: token size exceeds datbase field size :  '" + longname + "' @ 1\n<br>");
    EXPECT_EQ(elements(), std::vector<std::string>{":x"});
    EXPECT_EQ(run(parse_listdefs, "BEGIN LIST = ( NAME = L , ELEMENT = \"" + longelem + "\" ) END"), 1);
    EXPECT_EQ(log(), "ERROR: token size exceeds datbase field size :  '" + longelem + "' @ 1\n<br>");
}

TEST_F(Block, ListSyntax) {
    struct {
        const char *text;
        const char *message;
    } cases[] = {
        {"LIST", "ERROR : Invalid token,  'BEGIN' expected : 'LIST' @ 1 \n"},
        {"BEGIN ELEMENT END", "ERROR : Invalid Input ELEMENT @1 1\n"},
        {"BEGIN LIST ( NAME = L", "ERROR : Syntax error '=' expected : ( @1\n"},
        {"BEGIN LIST = NAME", "ERROR : Syntax error '(' expected : NAME @1\n"},
        {"BEGIN LIST = ( ELEMENT", "ERROR :Syntax error NAME expected': ELEMENT @1\n"},
        {"BEGIN LIST = ( NAME = L ELEMENT", "ERROR : Syntax error ','  expected :ELEMENT @1\n"},
        {"BEGIN LIST = ( NAME = L , NAME", "ERROR :Syntax error ELEMENT expected': NAME @1\n"},
        {"BEGIN LIST = ( NAME = L , ELEMENT = x )", "ERROR : Quoted string expected :x @1\n"},
        {"BEGIN LIST = ( NAME = L , ELEMENT = \"x\" END", "ERROR : Syntax error ')'  expected :END @1\n"},
        {"BEGIN LIST = ( NAME = L , ELEMENT = \"x\" )\n", "ERROR : Invalid Input  @2 -2\n"},
    };
    for (const auto &c : cases) {
        releasememory("ALL");
        EXPECT_EQ(run(parse_listdefs, std::string(c.text) + (c.text[std::strlen(c.text) - 1] == '\n' ? "" : " \n")), 1)
            << c.text;
        EXPECT_EQ(log(), std::string(c.message) + "<br>") << c.text;
    }
}

TEST_F(Block, SystemListEntries) {
    EXPECT_EQ(run(parse_systemlist, "bandwidth BEGIN\nLISTVARIABLE = ( NAME = T1 , VALUE = 1544 )\n"
                                    "LISTVARIABLE = ( NAME = E1 , VALUE = 2048 )\nEND"),
              0);
    EXPECT_EQ(log(), "");
    ASSERT_NE(pr_systemlist.head, nullptr);
    EXPECT_STREQ(pr_systemlist->listname, "BANDWIDTH");
    ASSERT_NE(pr_systemlist->elemlist, nullptr);
    EXPECT_STREQ(pr_systemlist->elemlist->displayname, "T1");
    ASSERT_NE(pr_systemlist->elemlist->next, nullptr);
    EXPECT_STREQ(pr_systemlist->elemlist->next->elementvalue, "2048");

    // Already there, not a system list, an entry twice: reported, stored.
    EXPECT_EQ(run(parse_systemlist, "BANDWIDTH BEGIN LISTVARIABLE = ( NAME = T1 , VALUE = 1 ) END"), 0);
    EXPECT_EQ(log(), "ERROR: System list already exists BANDWIDTH @ 1 \n<br>");
    EXPECT_EQ(run(parse_systemlist, "SPEED BEGIN LISTVARIABLE = ( NAME = A , VALUE = 1 ) "
                                    "LISTVARIABLE = ( NAME = A , VALUE = 2 ) END"),
              0);
    EXPECT_EQ(log(),
              "ERROR: list 'SPEED' is not a system defined list: @ 1\n<br>"
              "ERROR: Duplicate variable 'A' in the System list SPEED @ 1 \n<br>");
    int lists = 0;
    for (system_list_rec *r = pr_systemlist; r; r = r->next) ++lists;
    EXPECT_EQ(lists, 3);
    EXPECT_EQ(run(parse_systemlist, "CHECKSUM BEGIN END"), 0);  // no entries, no header
    lists = 0;
    for (system_list_rec *r = pr_systemlist; r; r = r->next) ++lists;
    EXPECT_EQ(lists, 3);
}

TEST_F(Block, SystemListSyntax) {
    std::string longname(31, 'd');
    struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"COMPRESSION LISTVARIABLE", "ERROR : Keyword 'BEGIN' expected: LISTVARIABLE @ 1 \n"},
        {"COMPRESSION BEGIN NAME", "ERROR : Keyword 'LISTVARIABLE' expected: NAME @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE (", "ERROR : EQUAL expected : ( @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE = NAME", "ERROR : openparenthesis '(' expected @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( VALUE", "ERROR : NAME expected @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME A", "ERROR : EQUAL operator expected: A @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME = " + longname,
         "ERROR: token size exceeds datbase field size :  '" + longname + "' @ 1\n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME = A VALUE", "ERROR : Syntax error ','  expected :VALUE @1\n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME = A , NAME", "ERROR : Unexpected end of file @ 1 \n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME = A , VALUE = 1 END", "ERROR : Syntax error ')'  expected :END @1\n"},
        {"COMPRESSION BEGIN LISTVARIABLE = ( NAME = A , VALUE = 1 )\n\n",
         "ERROR : Keyword 'LISTVARIABLE' expected:  @ 3 \n"},
        // The end of the file is an empty name: no system list, and no BEGIN.
        {"", "ERROR: list '' is not a system defined list: @ 1\n<br>ERROR : Keyword 'BEGIN' expected:  @ 1 \n"},
    };
    for (const auto &c : cases) {
        // A word cut by the end of the file is lost to the tokenizer: end
        // every text but the cut-off ones with a blank.
        bool cut = c.text.empty() || c.text.back() == '\n' || c.message.find("end of file") != std::string::npos;
        EXPECT_EQ(run(parse_systemlist, cut ? c.text : c.text + " "), 1) << c.text;
        EXPECT_EQ(log(), c.message + "<br>") << c.text;
    }
    // A file cut inside the block keeps nothing half-read as complete: the
    // entry read before the cut stays, the run fails.
    EXPECT_EQ(g_error, 1);
}

}  // namespace
