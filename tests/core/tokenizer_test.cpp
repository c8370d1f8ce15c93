// The tokenizer, its keyword tables and the small text services, read from
// in-memory files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "memory_log.h"
#include "runstate.h"
#include "tokenizer.h"

namespace {

// A block-style table: END, BEGIN, "=", "(" and ")" are listed.
token_entry test_tokens[] = {
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"NAME", 4, 1, 0, TOKEN_ATTRIBUTE, 5, 0, nullptr},
    {"TYPE", 4, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};

struct Tok {
    int kind;
    std::string text;
    int line;
    bool operator==(const Tok &o) const { return kind == o.kind && text == o.text && line == o.line; }
};

void PrintTo(const Tok &t, std::ostream *os) { *os << "{" << t.kind << ", \"" << t.text << "\", " << t.line << "}"; }

class Tokenizer : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseGlobalData();
        reset_tokenizer();
        captured_log().clear();
        hash_init(test_tokens, buckets);
    }
    void TearDown() override {
        if (fp) std::fclose(fp);
    }
    // A new file, as the driver starts one.
    void open(const std::string &text) {
        reset_tokenizer();
        swap(text);
    }
    // A new file without resetting the tokenizer.
    void swap(const std::string &text) {
        if (fp) std::fclose(fp);
        data = text;
        fp = fmemopen(data.data(), data.size(), "r");
        ASSERT_NE(fp, nullptr);
    }
    Tok next() {
        char token[kTokenSize];
        int kind = get_token(fp, token, buckets);
        return {kind, token, Line};
    }
    std::vector<Tok> all(const std::string &text) {
        open(text);
        std::vector<Tok> out;
        for (int i = 0; i < 100; ++i) {
            Tok t = next();
            out.push_back(t);
            if (t.kind == TOKEN_EOF) break;
        }
        return out;
    }
    static std::string &captured_log();

    token_entry *buckets[kBuckets];
    std::string data;
    FILE *fp = nullptr;
};

std::string &Tokenizer::captured_log() { return log_text; }

TEST_F(Tokenizer, KindsOfTokens) {
    auto toks = all("NAME = \"a b\" (12) x=5 end Begin a.b #\n");
    std::vector<Tok> want = {
        {TOKEN_ATTRIBUTE, "NAME", 1}, {TOKEN_EQUAL, "=", 1},  {TOKEN_QUOTED, "a b", 1},
        {TOKEN_LPAREN, "(", 1},       {TOKEN_NUMBER, "12", 1}, {TOKEN_RPAREN, ")", 1},
        {TOKEN_WORD, "x", 1},         {TOKEN_EQUAL, "=", 1},  {TOKEN_NUMBER, "5", 1},
        {TOKEN_END, "end", 1},        {TOKEN_BEGIN, "Begin", 1}, {TOKEN_WORD, "a", 1},
        {TOKEN_WORD, ".", 1},         {TOKEN_WORD, "b", 1},   {TOKEN_WORD, "#", 1},
        {TOKEN_EOF, "", 2},
    };
    EXPECT_EQ(toks, want);
}

TEST_F(Tokenizer, PunctuationDependsOnTheTable) {
    token_entry *main_buckets[kBuckets];
    hash_init(mainsectiontokens, main_buckets);
    open("(x),=");
    char token[kTokenSize];
    EXPECT_EQ(get_token(fp, token, main_buckets), TOKEN_WORD);  // "(" is not listed here
    EXPECT_STREQ(token, "(");
    EXPECT_EQ(get_token(fp, token, main_buckets), TOKEN_WORD);
    EXPECT_EQ(get_token(fp, token, main_buckets), TOKEN_WORD);
    EXPECT_EQ(get_token(fp, token, main_buckets), TOKEN_WORD);
    EXPECT_STREQ(token, ",");
    EXPECT_EQ(get_token(fp, token, main_buckets), TOKEN_EQUAL);
}

TEST_F(Tokenizer, WordCharactersStayInTheWord) {
    auto toks = all("a-b'c<d/e:f\"g a--b <v>\n");
    ASSERT_GE(toks.size(), 4u);
    EXPECT_EQ(toks[0], (Tok{TOKEN_WORD, "a-b'c<d/e:f\"g", 1}));
    EXPECT_EQ(toks[1], (Tok{TOKEN_WORD, "a--b", 1}));
    EXPECT_EQ(toks[2], (Tok{TOKEN_WORD, "<v", 1}));  // ">" is punctuation
    EXPECT_EQ(toks[3], (Tok{TOKEN_WORD, ">", 1}));
}

TEST_F(Tokenizer, WordLengthLimit) {
    std::string w299(299, 'w');
    auto toks = all(w299 + " x\n");
    EXPECT_EQ(toks[0], (Tok{TOKEN_WORD, w299, 1}));
    EXPECT_EQ(g_error, 0);

    std::string w300(300, 'v');
    open(w300 + " \n");
    Tok t = next();
    EXPECT_EQ(t.kind, TOKEN_ERROR);
    EXPECT_EQ(t.text, std::string(299, 'v'));
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(log_text, "ERROR : Token length exceeds maximum token length  : " + std::string(299, 'v') +
                            " @ 1\n<br>");
    EXPECT_EQ(next(), (Tok{TOKEN_WORD, "v", 1}));  // the rest of the word follows
}

TEST_F(Tokenizer, QuotedStringLimitAndLines) {
    std::string q298(298, 'q');
    open("\"" + q298 + "\" \"" + std::string(299, 'r') + "\" x\n");
    EXPECT_EQ(next(), (Tok{TOKEN_QUOTED, q298, 1}));
    Tok t = next();
    EXPECT_EQ(t.kind, TOKEN_ERROR);
    EXPECT_EQ(log_text, "ERROR : quoted string exceeds maximum character length : " + std::string(299, 'r') +
                            " @ 1\n<br>");
    EXPECT_EQ(g_error, 1);

    auto toks = all("\"a\nb\" c\n");
    EXPECT_EQ(toks[0], (Tok{TOKEN_QUOTED, "ab", 2}));  // newline dropped, counted
    EXPECT_EQ(toks[1], (Tok{TOKEN_WORD, "c", 3}));

    log_text.clear();
    open("\"never closed");
    EXPECT_EQ(next().kind, TOKEN_ERROR);
    EXPECT_EQ(log_text, "");  // end of input inside quotes is not logged
}

// Files read as text: CR LF ends a line, inside quotes too; a lone CR is a
// blank. A NUL inside quotes refuses the value at its line.
TEST_F(Tokenizer, CrLfLineEndsAndNulInQuotes) {
    auto toks = all("NAME = \"a\r\nb\"\r\nx\ry\r\n");
    EXPECT_EQ(toks[2], (Tok{TOKEN_QUOTED, "ab", 2}));
    EXPECT_EQ(toks[3], (Tok{TOKEN_WORD, "x", 3}));
    EXPECT_EQ(toks[4], (Tok{TOKEN_WORD, "y", 4}));
    EXPECT_EQ(toks[5].kind, TOKEN_EOF);

    log_text.clear();
    open(std::string("x\n\"ab\0cd\" END\n", 13));
    EXPECT_EQ(next().text, "x");
    EXPECT_EQ(next().kind, TOKEN_ERROR);
    EXPECT_EQ(log_text, "ERROR : quoted string contains a NUL byte : ab @ 2\n<br>");
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(next(), (Tok{TOKEN_END, "END", 2}));  // the rest of the value is not read as tokens
}

TEST_F(Tokenizer, CommentsAndLineNumbers) {
    auto toks = all("a -- comment END\n--whole line\nb--notcomment c\n  --\nd");
    std::vector<Tok> want = {
        {TOKEN_WORD, "a", 1}, {TOKEN_WORD, "b--notcomment", 3}, {TOKEN_WORD, "c", 4},
        {TOKEN_EOF, "d", 5},  // the last word, without a newline, is lost
    };
    EXPECT_EQ(toks, want);

    // A comment word ended by punctuation still runs to the end of its line.
    toks = all("--x=(y)\nEND");
    EXPECT_EQ(toks[0], (Tok{TOKEN_END, "END", 2}));  // a keyword survives the end of input
}

TEST_F(Tokenizer, WordLineDependsOnWhatEndsIt) {
    auto toks = all("one\ntwo three\n\n\nfour=");
    EXPECT_EQ(toks[0].line, 2);  // ended by its newline
    EXPECT_EQ(toks[1].line, 2);  // ended by a blank
    EXPECT_EQ(toks[2].line, 3);
    EXPECT_EQ(toks[3], (Tok{TOKEN_WORD, "four", 5}));
    EXPECT_EQ(toks[4], (Tok{TOKEN_EQUAL, "=", 5}));
}

TEST_F(Tokenizer, PushBack) {
    open("rest");
    setnexttoken("end", TOKEN_QUOTED);  // comes back as the keyword
    EXPECT_EQ(next().kind, TOKEN_END);
    setnexttoken("a b", TOKEN_QUOTED);  // comes back as a word
    EXPECT_EQ(next(), (Tok{TOKEN_WORD, "a b", 1}));
    setnexttoken("007", TOKEN_NUMBER);
    EXPECT_EQ(next().kind, TOKEN_NUMBER);
    setnexttoken("", TOKEN_EOF);
    EXPECT_EQ(next().kind, TOKEN_EOF);
    EXPECT_EQ(next().kind, TOKEN_EOF);  // "rest" has no newline after it
}

TEST_F(Tokenizer, HighBytesAreOrdinary) {
    auto toks = all(std::string("a\xff" "b \xc3\xa9t\xe9 \xff\n"));
    EXPECT_EQ(toks[0], (Tok{TOKEN_WORD, "a\xff" "b", 1}));
    EXPECT_EQ(toks[1], (Tok{TOKEN_WORD, "\xc3\xa9t\xe9", 1}));
    EXPECT_EQ(toks[2], (Tok{TOKEN_WORD, "\xff", 2}));
    EXPECT_EQ(toks[3].kind, TOKEN_EOF);

    toks = all(std::string("x\0y\n", 4));  // a NUL separates like a blank
    EXPECT_EQ(toks[0].text, "x");
    EXPECT_EQ(toks[1].text, "y");
}

TEST_F(Tokenizer, ResetDropsLookAheadAndPushBack) {
    open("NAME=");
    EXPECT_EQ(next().kind, TOKEN_ATTRIBUTE);  // "=" waits as the look-ahead
    swap("x\n");
    EXPECT_EQ(next().text, "=");  // without a reset the look-ahead would start the next file
    open("NAME=");
    next();
    setnexttoken("stale", TOKEN_WORD);
    Line = 40;
    reset_tokenizer();
    swap("x\n");
    EXPECT_EQ(next(), (Tok{TOKEN_WORD, "x", 2}));
}

// Of two rows of one name the later is found first. Lookups compare lengths
// first: a length typed wrong into a table still finds its keyword, and a
// word of the same letter sum (of another length, or of the same length and
// other letters) is no keyword.
TEST_F(Tokenizer, KeywordLookup) {
    token_entry rows[] = {
        {"KEY", 3, 0, 0, 40, 0, 0, nullptr},
        {"key", 3, 0, 0, 41, 0, 0, nullptr},
        {"AB", 7, 0, 0, 42, 0, 0, nullptr},
        {"BA", 0, 0, 0, 43, 0, 0, nullptr},
        {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
    };
    token_entry *b[kBuckets];
    hash_init(rows, b);
    EXPECT_EQ(rows[0].hash, 'k' + 'e' + 'y');
    EXPECT_EQ(rows[2].namelen, 2);
    open("Key ab bA _D a11 AB");  // "_D" and "a11" sum as "ab" does
    char token[kTokenSize];
    for (int kind : {41, 42, 43, int{TOKEN_WORD}, int{TOKEN_WORD}, 42}) EXPECT_EQ(get_token(fp, token, b), kind) << token;
}

TEST(TextServices, CompareAndConvert) {
    EXPECT_EQ(casestrcmp("EnD", "end"), 0);
    EXPECT_EQ(casestrcmp("end", "ends"), 1);
    EXPECT_EQ(casestrcmp("\xc9", "\xe9"), 1);  // only A to Z fold
    char buf[8];
    converttocap(buf, "abc-xyz-tail", sizeof buf);
    EXPECT_STREQ(buf, "ABC-XYZ");
    converttolow(buf, buf, sizeof buf);
    EXPECT_STREQ(buf, "abc-xyz");
    EXPECT_EQ(checkisnumber(""), 1);
    EXPECT_EQ(checkisnumber("0123"), 1);
    EXPECT_EQ(checkisnumber("12a"), 0);
    EXPECT_EQ(ispun('&'), 1);
    EXPECT_EQ(ispun('-'), 0);
    EXPECT_EQ(ispun('\0'), 0);
}

TEST(KeywordTable, FoundFlagsAndLengths) {
    clear_foundflag(test_tokens);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 1);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 0);  // duplicate in the block
    EXPECT_EQ(set_foundflag(test_tokens, "name"), 1);  // exact names only
    EXPECT_EQ(clear_foundflag(nullptr), 1);
    clear_foundflag(test_tokens);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 1);

    EXPECT_EQ(check_tokenlength(test_tokens, "NAME", "12345"), 1);
    EXPECT_EQ(check_tokenlength(test_tokens, "NAME", "123456"), 0);
    EXPECT_EQ(check_tokenlength(test_tokens, "TYPE", ""), 1);
    EXPECT_EQ(check_tokenlength(test_tokens, "OTHER", "x"), 0);
    EXPECT_EQ(check_tokenlength(nullptr, "NAME", ""), 1);
}

TEST(KeywordTable, MandatoryAndVendorFields) {
    InitialiseGlobalData();
    log_text.clear();
    token_entry match[] = {
        {"MATCHNAME", 9, 2, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
        {"OPTIONAL", 8, 0, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
        {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
    };
    char missing[31] = "";
    EXPECT_EQ(validate_mandatoryfields("CISCO", "matchmaptokens", match, missing), 0);
    EXPECT_STREQ(missing, "MATCHNAME");
    match[0].found = 1;
    EXPECT_EQ(validate_mandatoryfields("CISCO", "matchmaptokens", match, missing), 1);
    EXPECT_EQ(log_text, "");

    EXPECT_EQ(validate_mandatoryfields("OTHER", "matchmaptokens", match, missing), 0);
    EXPECT_EQ(log_text, "vendor (OTHER) specific data-block for matchmaptokens is not found\n<br>");

    token_entry acl[] = {
        {"ACL_TYPE", 8, 2, 1, TOKEN_ATTRIBUTE, 30, 0, nullptr},
        {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
    };
    log_text.clear();
    Line = 7;
    missing[0] = '\0';
    EXPECT_EQ(validate_mandatoryfields("JUNIPER", "accesslist", acl, missing), 0);
    EXPECT_STREQ(missing, "ACL_TYPE");
    EXPECT_EQ(log_text, "The token 'ACL_TYPE' is not applicable for vendor JUNIPER:@7\n<br>");

    log_text.clear();
    EXPECT_EQ(get_vendorspecific_flag("CISCO", "matchmaptokens", "NOPE"), 0);
    EXPECT_EQ(log_text, "Error: Token 'NOPE' flag value is not found in vendor specific data\n<br>");
    EXPECT_EQ(validate_mandatoryfields("X", "y", nullptr, missing), 1);
}

TEST(Addresses, DottedQuads) {
    unsigned char out[4] = {};
    EXPECT_EQ(inet_pton4("10.0.255.1", out), 1);
    EXPECT_EQ(out[0], 10);
    EXPECT_EQ(out[2], 255);
    EXPECT_EQ(inet_pton4("010.001.0.09", out), 1);  // leading zeros read as decimal
    EXPECT_EQ(out[0], 10);
    EXPECT_EQ(out[3], 9);
    for (const char *bad : {"1.2.3.256", "1.2.3", "1..2.3", "1.2.3.4.5", "", "1.2.3.4.", ".1.2.3",
                            "1.2.3.a", "1.2.3.1000"})
        EXPECT_EQ(inet_pton4(bad, out), 0) << bad;
}

TEST(EvalExp, ChecksByEvaluation) {
    InitialiseGlobalData();
    Line = 3;
    struct Case {
        const char *value;
        int valid;
        const char *message;
    } cases[] = {
        {"42", 1, ""},
        {"", 1, ""},
        {"  EVALEXP(<VAR(NODEID)> / 2)", 1, ""},
        {"EVALEXP((<VAR(NODEID)>+1)*(<VAR(DOMAINID)> - 2))", 1, ""},
        {"4x", 0, "ERROR: Invalid expression function: '4x' @ 3\n<br>"},
        {"EVAL(1)", 0, "ERROR: Invalid expression function: 'EVAL(1)' @ 3\n<br>"},
        {"EVALEXP(<VAR(NODEID)> */ 2)", 0,
         "ERROR: Expression syntax error: 'EVALEXP(<VAR(NODEID)> */ 2)' @ 3\n<br>"},
        {"EVALEXP(/2)", 0, "ERROR: Expression syntax error: 'EVALEXP(/2)' @ 3\n<br>"},
        {"EVALEXP(a + 1)", 0,
         "Error in eval expression: variables not defined in <>: 'EVALEXP(a + 1)' @ 3\n<br>"},
        {"EVALEXP((1)", 0, "ERROR: Syntax error, unmatched paranthesis: 'EVALEXP((1)' @ 3\n<br>"},
        {"EVALEXP(", 0, "ERROR: Syntax error, unmatched paranthesis: 'EVALEXP(' @ 3\n<br>"},
        {"EVALEXP(1)+2", 0, "ERROR: Invalid characted after EVALEXP: 'EVALEXP(1)+2' @ 3\n<br>"},
        {"EVALEXP(1 +)", 0, "ERROR: Expression syntax error: 'EVALEXP(1 +)' @ 3\n<br>"},
    };
    for (const Case &c : cases) {
        log_text.clear();
        EXPECT_EQ(validate_evalexp("D", "N", "", "", "", c.value), c.valid) << c.value;
        EXPECT_EQ(log_text, c.message) << c.value;
    }
}

}  // namespace
