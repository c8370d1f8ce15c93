// The block framework: conversions, the list scan, the attribute loop and
// the end of the file inside a block.
#include "block.h"

#include <cstring>

#include "block_test.h"
#include "topology.h"

namespace {

struct thing_rec {
    char colour[6];
    int32_t size;
    value_table parts[3];
    int32_t nparts;
};

token_entry thingtokens[] = {
    {"COLOUR", 6, 1, 0, TOKEN_ATTRIBUTE, 5, 0, nullptr},
    {"SIZE", 4, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"PARTS", 5, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
const attr_rule thingrules[] = {
    {.keyword = "COLOUR", .kind = value_kind::quoted, .kind_msg = "quoted: %s @ %d\n", .maxlen = 5,
     .field = NDL_TEXT(thing_rec, colour)},
    {.keyword = "SIZE", .kind = value_kind::number, .kind_msg = "number: %s @ %d\n",
     .kind_err = on_error::flag, .field = NDL_INT(thing_rec, size)},
    {.keyword = "PARTS", .kind = value_kind::list, .kind_msg = "quoted: %s @ %d\n",
     .field = NDL_ROWS(thing_rec, parts, nparts)},
    {},
};
const attr_loop thingloop = {.rules = thingrules, .invalid_msg = "invalid: %s @ %d (%d)\n",
                             .dup_msg = "dup: %s @ %d\n", .equal_msg = "equal: %s @ %d\n"};

thing_rec thing;
int parse_thing(FILE *fp, FILE *, const char *) {
    block_reader r(fp, thingtokens);
    thing = thing_rec{};
    if (read_attributes(r, thingloop, &thing)) return 1;
    r.check_mandatory("thing", "missing %s @ %d\n", r.start_line);
    return 0;
}

TEST_F(Block, NumbersConvertWithRangeChecks) {
    struct {
        const char *text;
        bool ok;
        int32_t value;
    } cases[] = {{"0", true, 0},          {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
                 {"2147483648", false, 0}, {"4294967297", false, 0},       {"99999999999999999999999", false, 0},
                 {"12a", false, 0},        {"", false, 0},                 {"-", false, 0}};
    for (const auto &c : cases) {
        int32_t v = 77;
        EXPECT_EQ(parse_int32(c.text, &v), c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST_F(Block, StoreTextRefusesWhatDoesNotFit) {
    char field[6] = "old";
    EXPECT_TRUE(store_text(field, sizeof field, "abcde", 5));
    EXPECT_STREQ(field, "abcde");
    EXPECT_FALSE(store_text(field, sizeof field, "abcdef", 30));  // beyond the field
    EXPECT_STREQ(field, "");
    EXPECT_FALSE(store_text(field, sizeof field, "abc", 2));  // beyond the maximum
    EXPECT_STREQ(field, "");
}

TEST_F(Block, ExtractlistSplitsAndRefuses) {
    value_table rows[3];
    int count = -1;
    auto split = [&](const std::string &text) {
        count = -1;
        return extractlist(text.c_str(), rows, 3, &count);
    };
    EXPECT_EQ(split(""), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(split(" a , b,\tc "), 0);
    EXPECT_EQ(count, 3);
    EXPECT_STREQ(rows[2], "c");
    EXPECT_EQ(split("a,,b"), 0);
    EXPECT_EQ(count, 3);
    EXPECT_STREQ(rows[1], "");
    EXPECT_EQ(split("x,y,"), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(split("  one  "), 0);
    EXPECT_EQ(count, 1);

    Line = 4;
    EXPECT_EQ(split("a b"), 1);
    EXPECT_EQ(count, -1);
    EXPECT_STREQ(g_errormsg, "ERROR : Invalid format for list attribute : a b @ 4 \n");
    EXPECT_EQ(split("a,b,c,d"), 1);  // more items than rows
    EXPECT_STREQ(g_errormsg, "ERROR : Invalid format for list attribute : a,b,c,d @ 4 \n");
    std::string longest(300, 'x');
    EXPECT_EQ(split(longest), 0);
    EXPECT_EQ(std::string(rows[0]), longest);
    EXPECT_EQ(split(longest + "y"), 1);  // an item beyond a row
    EXPECT_TRUE(log().empty());  // the splitter only formats
}

TEST_F(Block, AttributeLoopFlagsAndReadsOn) {
    EXPECT_EQ(run(parse_thing, "COLOUR = \"toolong\"\nSIZE = 4294967296 SIZE = x\nEND"), 0);
    EXPECT_EQ(log(),
              "ERROR: token size exceeds datbase field size :  'toolong' @ 1\n<br>"
              "number: 4294967296 @ 2\n<br>"
              "dup: SIZE @ 2\n<br>"
              "number: x @ 3\n<br>");  // the newline after x is read with it
    EXPECT_EQ(g_error, 1);
    EXPECT_STREQ(thing.colour, "");  // refused, never cut into the field
    EXPECT_EQ(thing.size, 0);        // never wrapped into range

    EXPECT_EQ(run(parse_thing, "SIZE = 12 COLOUR = \"red\" SIZE = 7 END"), 0);
    EXPECT_EQ(log(), "dup: SIZE @ 1\n<br>");
    EXPECT_EQ(thing.size, 7);  // the later value wins
    EXPECT_STREQ(thing.colour, "red");
}

TEST_F(Block, AttributeLoopFailures) {
    EXPECT_EQ(run(parse_thing, "COLOUR red END"), 1);
    EXPECT_EQ(log(), "equal: red @ 1\n<br>");
    EXPECT_EQ(g_prevtokentype, TOKEN_WORD);
    EXPECT_STREQ(g_prevtoken, "red");

    EXPECT_EQ(run(parse_thing, "COLOUR = red END"), 1);
    EXPECT_EQ(log(), "quoted: red @ 1\n<br>");

    EXPECT_EQ(run(parse_thing, "WEIGHT = 3 END"), 1);
    EXPECT_EQ(log(), "invalid: WEIGHT @ 1 (1)\n<br>");
}

TEST_F(Block, MandatoryKeywordsAtEnd) {
    EXPECT_EQ(run(parse_thing, "\n\nSIZE = 1\nEND"), 0);
    EXPECT_EQ(log(), "missing COLOUR @ 1\n<br>");  // the block's first line
    EXPECT_EQ(g_error, 1);
}

TEST_F(Block, ListValuesFillRowsWithinTheirCapacity) {
    EXPECT_EQ(run(parse_thing, "COLOUR = \"a\" PARTS = \"p, q\" END"), 0);
    EXPECT_EQ(thing.nparts, 2);
    EXPECT_STREQ(thing.parts[1], "q");
    EXPECT_EQ(run(parse_thing, "PARTS = \"p,q,r,s\" END"), 1);
    EXPECT_EQ(log(), "ERROR : Invalid format for list attribute : p,q,r,s @ 1 \n<br>");
    EXPECT_EQ(g_error, 1);
}

TEST_F(Block, EndOfFileInsideABlockIsAnError) {
    for (const char *text : {"COLOUR = \"red\"\nSIZE = ", "COLOUR = \"red\nEND\n", "COLOUR = \"red\"\n",
                             "COLOUR"}) {
        EXPECT_EQ(run(parse_thing, text), 1) << text;
        EXPECT_EQ(log(), "ERROR: Unexpected end of file @ " + std::to_string(Line) + " \n<br>") << text;
        EXPECT_EQ(g_prevtokentype, TOKEN_EOF) << text;  // skip_block stops the run
        EXPECT_EQ(g_error, 1);
    }
}

}  // namespace

