// The block framework: conversions, the list scan, the attribute loop,
// entries nested in entries and the end of the file inside a block.
#include "block.h"

#include <cstring>
#include <string>
#include <vector>

#include "block_test.h"

namespace {

struct thing_rec {
    char colour[6];
    int32_t size;
    value_table parts[3];
    int32_t nparts;
};

constexpr keyword_rule kColourRow{.name = "COLOUR", .mandatory = 1, .maxlen = 5, .kind = value_kind::quoted,
                                  .kind_msg = "quoted: %s @ %d\n", .field = NDL_TEXT(thing_rec, colour)};
constexpr keyword_rule kSizeRow{.name = "SIZE", .kind = value_kind::number, .kind_msg = "number: %s @ %d\n",
                                .kind_err = on_error::flag, .field = NDL_INT(thing_rec, size)};

constinit keyword_table_of thingtokens{
    {
        kColourRow,
        kSizeRow,
        {.name = "PARTS", .kind = value_kind::list, .kind_msg = "quoted: %s @ %d\n",
         .field = NDL_ROWS(thing_rec, parts, nparts)},
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "invalid: %s @ %d (%d)\n", .dup_msg = "dup: %s @ %d\n", .equal_msg = "equal: %s @ %d\n"}};

thing_rec thing;
// A thing read with `Keys` to its END, then its mandatory keyword.
template <auto &Keys>
int parse_thing_of(FILE *fp, FILE *, const char *) {
    block_reader r(fp, Keys);
    thing = thing_rec{};
    if (read_attributes(r, &thing)) return 1;
    r.check_mandatory("thing", "missing %s @ %d\n", r.start_line);
    return 0;
}
int parse_thing(FILE *fp, FILE *loadfp, const char *arg) { return parse_thing_of<thingtokens>(fp, loadfp, arg); }

// One name twice: the tokenizer's buckets find the later row, the
// attribute loop takes the first; found flags are kept by name.
constinit keyword_table_of twicetokens{{token_row("BEGIN", TOKEN_BEGIN),
                                                      {.name = "TAG", .maxlen = 5},
                                                      {.name = "TAG", .type = TOKEN_GROUP},
                                                      token_row("END", TOKEN_END)}};

TEST_F(Block, CompiledTableAnswersByNameAsHashedAtRunTime) {
    token_entry *tokens = twicetokens.tokens();
    // The same rows hashed now chain alike, row for row.
    token_entry copy[5];
    std::memcpy(copy, tokens, sizeof copy);
    token_entry *buckets[kBuckets];
    hash_init(copy, buckets);
    for (int b = 0; b < kBuckets; ++b) {
        const token_entry *e = twicetokens.buckets()[b], *f = buckets[b];
        for (; e && f; e = e->next, f = f->next) {
            EXPECT_EQ(e - tokens, f - copy) << b;
            EXPECT_EQ(e->hash, keyword_hash(e->name));
            EXPECT_EQ(e->namelen, static_cast<int>(std::strlen(e->name)));
        }
        EXPECT_EQ(e, nullptr);
        EXPECT_EQ(f, nullptr);
    }
    const keyword_rule *first = &twicetokens.rows()[1];
    EXPECT_EQ(twicetokens.rule("TAG"), first);
    EXPECT_EQ(twicetokens.matched_rule(&tokens[2], "TAG"), first);
    EXPECT_EQ(twicetokens.matched_rule(&tokens[0], "BEGIN"), nullptr);  // a token row
    EXPECT_EQ(twicetokens.matched_rule(&copy[2], "TAG"), first);        // another table's row: by name
    clear_foundflag(tokens);
    EXPECT_FALSE(twicetokens.found("TAG"));
    EXPECT_EQ(twicetokens.mark_found(twicetokens.rows()[2]), 1);
    EXPECT_TRUE(tokens[1].found && tokens[2].found);
    EXPECT_EQ(twicetokens.mark_found(*first), 0);  // again
    EXPECT_TRUE(twicetokens.found("TAG"));
    EXPECT_FALSE(twicetokens.found("END"));
}

TEST_F(Block, NumbersConvertWithRangeChecks) {
    struct {
        const char *text;
        bool ok;
        int32_t value;
    } cases[] = {{"0", true, 0},          {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
                 {"2147483648", false, 0}, {"4294967297", false, 0},       {"99999999999999999999999", false, 0},
                 {"12a", false, 0},        {"", false, 0},                 {"-", false, 0},
                 // Leading zeros past any int32's digits; a non-digit after an overflow.
                 {"000000000000000000000007", true, 7}, {"-00000000000002147483648", true, INT32_MIN},
                 {"+0042", true, 42},      {"99999999999x", false, 0},     {"1-", false, 0}};
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

// The end of the file goes to the branch that meets it, with an empty
// token; only a loop that would take it as END says "Unexpected end of
// file". Either way the block stops and skip_block sees the end.
constinit keyword_table_of thing_eof_ends{
    {
        {.name = "COLOUR", .kind = value_kind::quoted, .kind_msg = "quoted: %s @ %d\n",
         .field = NDL_TEXT(thing_rec, colour)},
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "invalid: %s @ %d (%d)\n", .equal_msg = "equal: %s @ %d\n", .eof_ends = true}};
int parse_thing_eof_ends(FILE *fp, FILE *, const char *) {
    block_reader r(fp, thing_eof_ends);
    thing = thing_rec{};
    return read_attributes(r, &thing);
}

// A block whose own handler takes any token that is no keyword and reads on.
int take_anything(block_reader &, void *) { return 0; }
constinit keyword_table_of thing_takes_all{{token_row("END", TOKEN_END)}, {.other = take_anything}};
int parse_thing_takes_all(FILE *fp, FILE *, const char *) {
    block_reader r(fp, thing_takes_all);
    return read_attributes(r, nullptr);
}

TEST_F(Block, EndOfFileInsideABlockIsAnError) {
    struct {
        int (*parse)(FILE *, FILE *, const char *);
        const char *text;
        const char *log;
        int kept = TOKEN_EOF;  // for skip_block, which then meets the end
    } cases[] = {
        {parse_thing, "COLOUR = \"red\"\nSIZE = ", "number:  @ 2\n<br>invalid:  @ 2 (-2)\n<br>"},
        {parse_thing, "COLOUR = \"red\"\n", "invalid:  @ 2 (-2)\n<br>"},
        {parse_thing, "COLOUR", "equal:  @ 1\n<br>"},
        {parse_thing, "COLOUR = ", "quoted:  @ 1\n<br>"},
        // A quoted string cut by the end is a token error, the text read so
        // far, to the branch that meets it.
        {parse_thing, "COLOUR = \"red\nEND\n", "quoted: redEND @ 3\n<br>", TOKEN_ERROR},
        {parse_thing, "COLOUR = \"red\" \"cut", "invalid: CUT @ 1 (-1)\n<br>", TOKEN_ERROR},
        {parse_thing_eof_ends, "COLOUR = \"red\"\n", "ERROR: Unexpected end of file @ 2 \n<br>"},
        {parse_thing_eof_ends, "COLOUR", "equal:  @ 1\n<br>"},
        // Read on after the end once, then stopped: never an endless loop.
        {parse_thing_takes_all, "x y", "ERROR: Unexpected end of file @ 1 \n<br>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(c.parse, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.log) << c.text;
        EXPECT_EQ(g_prevtokentype, c.kept) << c.text;
        EXPECT_EQ(g_error, 1) << c.text;
    }
}

// A loop that takes a token error as its END. Cut inside a quoted text
// there, the block is the end of the file where its own steps would take
// it, and theirs to refuse where they do not.
constinit keyword_table_of thing_error_ends{
    {kColourRow, kSizeRow, token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END)},
    {.invalid_msg = "invalid: %s @ %d (%d)\n", .equal_msg = "equal: %s @ %d\n", .error_ends = true}};
int run_thing_error_ends(FILE *fp, FILE *loadfp, const char *arg) {
    return run_block(parse_thing_of<thing_error_ends>, fp, loadfp, arg);
}

TEST_F(Block, ACutTextTakenAsEndIsTheEndOfTheFileWhereTheBlockStands) {
    struct {
        const char *text;
        int ret;
        const char *log;
    } cases[] = {
        // Accepted by the block's steps: refused as the end of the file.
        {"COLOUR = \"red\"\n\"SIZE = 4", 1, "ERROR: Unexpected end of file @ 2 \n<br>"},
        // Errors flagged before the cut speak too, and the end follows.
        {"SIZE = x COLOUR = \"red\" \"cut", 1, "number: x @ 1\n<br>ERROR: Unexpected end of file @ 1 \n<br>"},
        // Refused by the steps that follow its END: theirs is the message.
        {"SIZE = 3 \"cut", 0, "missing COLOUR @ 1\n<br>"},
        // Where a keyword's value is due the value's own check speaks.
        {"COLOUR = \"red\" SIZE = \"4", 1, "number: 4 @ 1\n<br>invalid:  @ 1 (-2)\n<br>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(run_thing_error_ends, c.text), c.ret) << c.text;
        EXPECT_EQ(log(), c.log) << c.text;
        EXPECT_EQ(g_error, 1) << c.text;
    }
    // Not cut, the token error ends the block quietly and it stands.
    EXPECT_EQ(run(run_thing_error_ends, "COLOUR = \"red\" " + std::string(300, 'x') + " END"), 0);
    EXPECT_STREQ(thing.colour, "red");
    EXPECT_EQ(run(run_thing_error_ends, "COLOUR = \"red\" END"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(g_error, 0);
}

// ---- entries ----

struct tag_rec {
    int32_t t;
};
struct member_rec {
    char name[31];
    int32_t weight;
    int32_t ntags;
    int32_t tags[2];
};
std::vector<std::string> filed;  // what the owners filed, in order

int file_tag(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    member_rec &m = *static_cast<member_rec *>(owner);
    int32_t t = static_cast<tag_rec *>(entry)->t;
    free_record(static_cast<tag_rec *>(entry));
    if (m.ntags == 2) return r.fail("too many tags @ %d\n", Line);
    m.tags[m.ntags++] = t;
    return 0;
}

int file_member(block_reader &, const keyword_rule &rule, void *entry, void *) {
    member_rec &m = *static_cast<member_rec *>(entry);
    std::string line = std::string(rule.name) + ":" + m.name + " w" + std::to_string(m.weight);
    for (int i = 0; i < m.ntags; ++i) line += " t" + std::to_string(m.tags[i]);
    filed.push_back(line);
    free_record(&m);
    return 0;
}

int tag_checks(block_reader &r, void *, void *) {
    r.check_mandatory("tag", "tag lacks %s @ %d\n", Line);
    return 0;
}

constinit keyword_table_of tagtokens{
    {
        {.name = "T", .mandatory = 1, .kind = value_kind::number, .kind_msg = "number: %s @ %d\n",
         .field = NDL_INT(tag_rec, t)},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "tag key: %s @ %d\n", .dup_msg = "dup: %s @ %d\n",
     .equal_msg = "equal: %s @ %d\n", .separator_msg = "sep: %s @ %d\n"}};
const entry_def tag_entry{.keys = &tagtokens, .equal_msg = "tags equal: %s @ %d\n",
                          .open_msg = "tags open: %s @ %d\n", .repeated = true,
                          .size = sizeof(tag_rec), .check = tag_checks};

constinit keyword_table_of membertokens{
    {
        {.name = "NAME", .maxlen = 30, .kind = value_kind::quoted, .kind_msg = "quoted: %s @ %d\n",
         .field = NDL_TEXT(member_rec, name)},
        {.name = "TAGS", .type = TOKEN_GROUP, .kind = value_kind::entry, .entry = &tag_entry, .file = file_tag},
        {.name = "WEIGHT", .kind = value_kind::number, .kind_msg = "number: %s @ %d\n",
         .field = NDL_INT(member_rec, weight)},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "member key: %s @ %d\n", .dup_msg = "dup: %s @ %d\n",
     .equal_msg = "equal: %s @ %d\n", .separator_msg = "sep: %s @ %d\n"}};
const entry_def member_entry{.keys = &membertokens, .equal_msg = "member equal: %s @ %d\n",
                             .open_msg = "member open: %s @ %d\n", .repeated = true,
                             .size = sizeof(member_rec)};

// A nested block: SUB BEGIN NAME = "x" END.
constinit keyword_table_of subtokens{
    {
        {.name = "NAME", .maxlen = 30, .kind = value_kind::quoted, .kind_msg = "quoted: %s @ %d\n",
         .field = NDL_TEXT(member_rec, name)},
        token_row("BEGIN", TOKEN_BEGIN), token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END),
    },
    {.invalid_msg = "sub key: %s @ %d\n", .dup_msg = "dup: %s @ %d\n", .equal_msg = "equal: %s @ %d\n"}};
const entry_def sub_entry{.keys = &subtokens, .begin_end = true, .open_msg = "sub begin: %s @ %d\n",
                          .size = sizeof(member_rec)};

constinit keyword_table_of groupstokens{
    {
        {.name = "MEMBER", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &member_entry, .file = file_member},
        {.name = "SUB", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &sub_entry, .file = file_member},
        token_row("BEGIN", TOKEN_BEGIN), token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END),
    },
    {.invalid_msg = "group key: %s @ %d (%d)\n"}};

int parse_groups(FILE *fp, FILE *, const char *) {
    block_reader r(fp, groupstokens);
    filed.clear();
    return read_attributes(r, nullptr);
}

TEST_F(Block, KeywordRowsComeFromTheOneDeclaration) {
    token_entry *t = membertokens.tokens();
    ASSERT_STREQ(t[0].name, "NAME");
    EXPECT_EQ(t[0].type, TOKEN_ATTRIBUTE);
    EXPECT_EQ(t[0].maxlen, 30);
    EXPECT_EQ(t[1].type, TOKEN_GROUP);
    EXPECT_STREQ(t[5].name, "=");
    EXPECT_EQ(t[5].type, TOKEN_EQUAL);
    EXPECT_EQ(t[6].name, nullptr);  // the end row
    EXPECT_EQ(membertokens.rule("("), nullptr);  // a token row is no attribute
    EXPECT_NE(membertokens.row("("), nullptr);
}

TEST_F(Block, EntriesRepeatAndNestToAnyDepth) {
    EXPECT_EQ(run(parse_groups,
                  "MEMBER = ( NAME = \"a\" , TAGS = ( T = 1 ) , ( T = 2 ) , WEIGHT = 3 ) , ( NAME = \"b\" )\n"
                  "SUB BEGIN NAME = \"c\" END\n"
                  "MEMBER = ( TAGS = ( T = 5 ) )\n"
                  "END"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(filed, (std::vector<std::string>{"MEMBER:a w3 t1 t2", "MEMBER:b w0", "SUB:c w0", "MEMBER: w0 t5"}));
}

TEST_F(Block, EntryErrorsStopAtTheirToken) {
    struct {
        const char *text;
        const char *log;
        int kind;
    } cases[] = {
        {"MEMBER ( NAME = \"a\" ) END", "member equal: ( @ 1\n<br>", TOKEN_LPAREN},
        {"MEMBER = NAME END", "member open: NAME @ 1\n<br>", TOKEN_ATTRIBUTE},
        {"MEMBER = ( TAGS = ( T = x ) ) END", "number: x @ 1\n<br>", TOKEN_WORD},
        {"MEMBER = ( TAGS = ( T = 1 ) , ( T = 2 ) , ( T = 3 ) ) END", "too many tags @ 1\n<br>", TOKEN_LPAREN},
        {"MEMBER = ( NAME = \"a\" ) , NAME END", "member open: NAME @ 1\n<br>", TOKEN_WORD},
        {"MEMBER = ( NAME = \"a\" ; ) END", "sep: ; @ 1\n<br>", TOKEN_WORD},
        {"SUB NAME = \"c\" END END", "sub begin: NAME @ 1\n<br>", TOKEN_ATTRIBUTE},
        {"SUB BEGIN SIZE = 1 END END", "sub key: SIZE @ 1\n<br>", TOKEN_WORD},
        {"MEMBER = ( TAGS = ( ) ) END", "tag key: ) @ 1\n<br>", TOKEN_RPAREN},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(parse_groups, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.log) << c.text;
        EXPECT_EQ(g_prevtokentype, c.kind) << c.text;
        EXPECT_EQ(g_error, 1);
    }
    // The entry's own checks run after its ")": a missing key is flagged.
    EXPECT_EQ(run(parse_groups, "MEMBER = ( TAGS = ( T = 1 , T = 2 ) ) END"), 0);
    EXPECT_EQ(log(), "dup: T @ 1\n<br>");
    EXPECT_EQ(filed, std::vector<std::string>{"MEMBER: w0 t2"});
}

TEST_F(Block, EndOfFileInsideAnEntryIsAnError) {
    struct {
        const char *text;
        const char *log;
    } cases[] = {
        // After "," another entry or key: no "(" there.
        {"MEMBER = ( TAGS = ( T = 1 ) , ", "member key:  @ 1\n<br>"},
        {"MEMBER = ( TAGS = ( T = 1 ) ", "sep:  @ 1\n<br>"},
        {"MEMBER = ( NAME = \"a\" ) ", "group key:  @ 1 (-2)\n<br>"},
        {"MEMBER = ( NAME = \"a\" ) , ", "member open:  @ 1\n<br>"},
        {"MEMBER = ", "member open:  @ 1\n<br>"},
        {"SUB BEGIN NAME = \"c\"", "sub key:  @ 1\n<br>"},
        {"SUB ", "sub begin:  @ 1\n<br>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(run(parse_groups, c.text), 1) << c.text;
        EXPECT_EQ(log(), c.log) << c.text;
        EXPECT_EQ(g_prevtokentype, TOKEN_EOF) << c.text;
        EXPECT_TRUE(filed.empty() || std::string(c.text).find("NAME = \"a\"") != std::string::npos) << c.text;
    }
}

// ---- fixed order: each keyword once at its place ----

struct pair_rec {
    char a[31];
    char b[31];
};
constinit keyword_table_of pairtokens{
    {
        {.name = "A", .order_msg = "A expected: %s @ %d\n", .order_err = on_error::flag,
         .field = NDL_TEXT(pair_rec, a)},
        {.name = "B", .order_msg = "B expected @ %d\n", .order_token = false, .field = NDL_TEXT(pair_rec, b)},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::ordered, .equal_msg = "equal: %s @ %d\n", .separator_msg = "comma: %s @ %d\n",
     .close_msg = "close: %s @ %d\n"}};
const entry_def pair_entry{.keys = &pairtokens, .equal_msg = "pair equal: %s @ %d\n",
                           .open_msg = "pair open: %s @ %d\n"};

TEST_F(Block, OrderedEntriesFlagOrFailAKeywordOutOfPlace) {
    pair_rec p{};
    auto read = [&](const char *text) {
        p = pair_rec{};
        log_text.clear();
        return read_entry(open(text), pair_entry, &p, nullptr);
    };
    EXPECT_EQ(read("= ( A = x , B = y )"), 0);
    EXPECT_STREQ(p.a, "x");
    EXPECT_STREQ(p.b, "y");
    EXPECT_EQ(log(), "");
    EXPECT_EQ(read("= ( C = x , B = y )"), 0);  // flagged, read as A
    EXPECT_EQ(log(), "A expected: C @ 1\n<br>");
    EXPECT_STREQ(p.a, "x");
    EXPECT_EQ(read("= ( A = x , C = y )"), 1);
    EXPECT_EQ(log(), "B expected @ 1\n<br>");
    EXPECT_EQ(read("= ( A = x B = y )"), 1);
    EXPECT_EQ(log(), "comma: B @ 1\n<br>");
    EXPECT_EQ(read("= ( A = x , B = y , )"), 1);
    EXPECT_EQ(log(), "close: , @ 1\n<br>");
    EXPECT_EQ(read("= ( A x\n"), 1);
    EXPECT_EQ(log(), "equal: x @ 2\n<br>");  // the line end is read with x
}

// ---- a list that may close where a key is due ----

constinit keyword_table_of opentokens{
    {
        {.name = "A", .field = NDL_TEXT(pair_rec, a)},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "open key: %s @ %d\n", .equal_msg = "equal: %s @ %d\n",
     .separator_msg = "sep: %s @ %d\n", .close_early = true}};
const entry_def open_entry{.keys = &opentokens, .equal_msg = "open equal: %s @ %d\n",
                           .open_msg = "open open: %s @ %d\n"};

TEST_F(Block, AListMayCloseWhereAKeyIsDue) {
    pair_rec p{};
    auto read = [&](const char *text) {
        p = pair_rec{};
        log_text.clear();
        return read_entry(open(text), open_entry, &p, nullptr);
    };
    EXPECT_EQ(read("= ( )"), 0);
    EXPECT_STREQ(p.a, "");
    EXPECT_EQ(read("= ( A = x , )"), 0);
    EXPECT_STREQ(p.a, "x");
    EXPECT_EQ(read("= ( A = \")\" )"), 0);
    EXPECT_STREQ(p.a, ")");
    EXPECT_EQ(log(), "");
    // A quoted ")" is a value, never the end; two commas are no close.
    EXPECT_EQ(read("= ( \")\" )"), 1);
    EXPECT_EQ(log(), "open key: ) @ 1\n<br>");
    EXPECT_EQ(read("= ( A = x , , )"), 1);
    EXPECT_EQ(log(), "open key: , @ 1\n<br>");
}

}  // namespace

namespace {

// A keyword given twice stops the block where the table says so; a table
// without a duplicate message accepts it. An entry's own check runs at its
// keyword, before its "=".
int members_allowed = 1;
int count_member(block_reader &r, const keyword_rule &, void *) {
    if (!members_allowed) return r.fail("no members here @ %d\n", Line);
    return 0;
}
constinit keyword_table_of stricttokens{
    {
        {.name = "SIZE", .kind = value_kind::number, .field = NDL_INT(thing_rec, size)},
        {.name = "MEMBER", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .before = count_member, .entry = &member_entry, .file = file_member},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "invalid: %s @ %d\n", .dup_msg = "twice: %s @ %d\n", .dup_err = on_error::fail,
     .equal_msg = "equal: %s @ %d\n"}};
constinit keyword_table_of quiettokens{
    {
        {.name = "SIZE", .kind = value_kind::number, .field = NDL_INT(thing_rec, size)},
        token_row("=", TOKEN_EQUAL), token_row("END", TOKEN_END),
    },
    {.invalid_msg = "invalid: %s @ %d\n", .equal_msg = "equal: %s @ %d\n"}};

TEST_F(Block, DuplicatesFailOrPassAsTheTableSays) {
    auto parse_with = [&](keyword_table &keys, const char *text) {
        thing = thing_rec{};
        filed.clear();
        log_text.clear();
        block_reader r(open(text), keys);
        return read_attributes(r, &thing);
    };
    EXPECT_EQ(parse_with(stricttokens, "SIZE = 1 SIZE = 2 END"), 1);
    EXPECT_EQ(log(), "twice: SIZE @ 1\n<br>");
    EXPECT_STREQ(g_prevtoken, "SIZE");
    EXPECT_EQ(parse_with(quiettokens, "SIZE = 1 SIZE = 2 END"), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(thing.size, 2);

    members_allowed = 1;
    EXPECT_EQ(parse_with(stricttokens, "MEMBER = ( NAME = \"a\" ) END"), 0);
    EXPECT_EQ(filed, std::vector<std::string>{"MEMBER:a w0"});
    members_allowed = 0;
    EXPECT_EQ(parse_with(stricttokens, "MEMBER = ( NAME = \"a\" ) END"), 1);
    EXPECT_EQ(log(), "no members here @ 1\n<br>");
    EXPECT_STREQ(g_prevtoken, "MEMBER");  // stopped at the keyword, before its "="
    EXPECT_TRUE(filed.empty());
    members_allowed = 1;
}

}  // namespace

namespace {

struct word_rec {
    char word[31];
};
constinit keyword_table_of lenienttokens{
    {
        {.name = "W", .kind = value_kind::word, .kind_msg = "word: %s @ %d\n", .field = NDL_TEXT(word_rec, word),
         .lower = true},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "key: %s @ %d\n", .equal_msg = "equal: %s @ %d\n",
     .separator_msg = "sep: %s @ %d\n", .close_early = true}};
const entry_def lenient_entry{.keys = &lenienttokens, .equal_msg = "eq: %s @ %d\n", .open_msg = "open: %s @ %d\n"};

TEST_F(Block, SeparatedListsMayCloseEarlyAndValuesBeLowered) {
    word_rec w{};
    auto read = [&](const char *text) {
        w = word_rec{};
        log_text.clear();
        return read_entry(open(text), lenient_entry, &w, nullptr);
    };
    EXPECT_EQ(read("= ( )\n"), 0);
    EXPECT_STREQ(w.word, "");
    EXPECT_EQ(read("= ( W = MiXed , )\n"), 0);
    EXPECT_STREQ(w.word, "mixed");
    EXPECT_EQ(log(), "");
    EXPECT_EQ(read("= ( W = a , \")\" )\n"), 1);  // a quoted ")" is a value, not the close
    EXPECT_EQ(log(), "key: ) @ 1\n<br>");
}

}  // namespace

namespace {

// An entry with a long list: its rows are not zeroed, only emptied, and a
// recycled entry (the one before it, given back) shows nothing of its last
// use past the count, nor in its other fields.
struct listed_rec {
    int32_t before;
    value_table items[12];
    int32_t count;
    char name[31];
};
std::vector<std::string> listed;
int file_listed(block_reader &, const keyword_rule &, void *entry, void *) {
    listed_rec &e = *static_cast<listed_rec *>(entry);
    std::string line = std::string(e.name) + " " + std::to_string(e.before) + " " + std::to_string(e.count) + ":";
    for (const value_table &row : e.items) line += std::string(" ") + row;
    listed.push_back(line);
    free_record(&e);
    return 0;
}
constinit keyword_table_of listedtokens{
    {
        {.name = "NAME", .kind = value_kind::quoted, .field = NDL_TEXT(listed_rec, name)},
        {.name = "ITEMS", .kind = value_kind::list, .field = NDL_ROWS(listed_rec, items, count)},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated, .invalid_msg = "key: %s @ %d\n", .equal_msg = "equal: %s @ %d\n",
     .separator_msg = "sep: %s @ %d\n"}};
const entry_def listed_entry{.keys = &listedtokens, .equal_msg = "eq: %s @ %d\n", .open_msg = "open: %s @ %d\n",
                             .repeated = true, .size = sizeof(listed_rec)};
constinit keyword_table_of listsblocktokens{
    {
        {.name = "L", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true, .entry = &listed_entry,
         .file = file_listed},
        token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "invalid: %s @ %d (%d)\n"}};
int parse_lists(FILE *fp, FILE *, const char *) {
    block_reader r(fp, listsblocktokens);
    listed.clear();
    return read_attributes(r, nullptr);
}

TEST_F(Block, ARecycledEntryReadsEmptyPastItsListsCount) {
    EXPECT_EQ(run(parse_lists, "L = ( NAME = \"a\" , ITEMS = \"p, q, r\" ) , ( ITEMS = \"s\" ) , ( NAME = \"c\" )\n"
                               "END"),
              0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(listed, (std::vector<std::string>{"a 0 3: p q r         ", " 0 1: s           ",
                                                "c 0 0:            "}));
}

// The reader's comparison with a text (is, expect, casestrcmp): letters in
// either case, every other byte as it is.
TEST_F(Block, ATokenEqualsATextAsCasestrcmpSays) {
    auto folded = [](std::string s) {
        for (char &c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    std::vector<std::string> texts{"", "=", ")", "(", ",", "a", "A", "z", "Z", "@", "`", "[", "{", "^", "~",
                                   "\x80", "\xc1", "\xe1", "ab", "AB", "aB", "a@", "a`", "end", "END", "EnD",
                                   "ends", "en", "=(", "==", "BEGIN", "begin", "be-gin"};
    for (int c = 1; c < 256; ++c) texts.push_back(std::string(1, static_cast<char>(c)));
    for (const std::string &a : texts)
        for (const std::string &b : texts)
            ASSERT_EQ(same_word(a.c_str(), b.c_str()), folded(a) == folded(b))
                << "'" << a << "' '" << b << "'";
}

}  // namespace
