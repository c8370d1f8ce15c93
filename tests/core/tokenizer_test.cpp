// The tokenizer, its keyword tables and the small text services, read from
// in-memory files.
#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "memory_log.h"
#include "runstate.h"
#include "letters.h"
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

// A stream that hands out its text a byte per read.
struct Bytewise {
    std::string text;
    size_t pos = 0;
    static ssize_t read(void *cookie, char *buf, size_t n) {
        auto *s = static_cast<Bytewise *>(cookie);
        if (n == 0 || s->pos == s->text.size()) return 0;
        buf[0] = s->text[s->pos++];
        return 1;
    }
};

struct Step {
    Tok tok;
    bool eof;
    bool operator==(const Step &o) const { return tok == o.tok && eof == o.eof; }
};
void PrintTo(const Step &s, std::ostream *os) {
    PrintTo(s.tok, os);
    *os << (s.eof ? " at eof" : "");
}

// Every token of `fp` with its line and end-of-file state, and the log.
std::pair<std::vector<Step>, std::string> read_all(FILE *fp, token_entry **buckets) {
    InitialiseGlobalData();
    reset_tokenizer();
    log_text.clear();
    std::vector<Step> out;
    char token[kTokenSize];
    for (int i = 0; i < 100000; ++i) {
        int kind = get_token(fp, token, buckets);
        out.push_back({{kind, token, Line}, tokenizer_at_end()});
        if (kind == TOKEN_EOF) break;
    }
    std::fclose(fp);
    return {out, log_text};
}

// The tokenizer takes what its buffer holds in place and leaves the
// buffer's end to byte-wise reads: a word, a quoted text, a CR LF or a
// comment cut by the end of a chunk it read reads as it does a byte at a
// time, and as it should, whatever the stream's own buffer.
TEST_F(Tokenizer, TokensCutByTheStreamBuffer) {
    const std::string w299(299, 'w'), v300(300, 'v'), q298(298, 'q'), r299(299, 'r');
    struct Case {
        std::string text;
        std::vector<Tok> want;  // lines counted from the line the text starts on
        std::string log = "";  // a message's text before "@ ", logged at line `log_line`
        int log_line = 0;
    } cases[] = {
        {"NAME=(VALUE)\nEND\n",
         {{TOKEN_ATTRIBUTE, "NAME", 0}, {TOKEN_EQUAL, "=", 0}, {TOKEN_LPAREN, "(", 0},
          {TOKEN_WORD, "VALUE", 0}, {TOKEN_RPAREN, ")", 0}, {TOKEN_END, "END", 2}}},
        {"a\r\nb\r\n\r\nEND\n", {{TOKEN_WORD, "a", 1}, {TOKEN_WORD, "b", 2}, {TOKEN_END, "END", 4}}},
        {"x -- note\r\ny\nEND\n", {{TOKEN_WORD, "x", 0}, {TOKEN_WORD, "y", 2}, {TOKEN_END, "END", 3}}},
        {"--whole line\nz END\n", {{TOKEN_WORD, "z", 1}, {TOKEN_END, "END", 2}}},
        {"--x=(y)\r\nu\nEND\n", {{TOKEN_WORD, "u", 2}, {TOKEN_END, "END", 3}}},
        {"\"quoted text\" w\nEND\n", {{TOKEN_QUOTED, "quoted text", 0}, {TOKEN_WORD, "w", 1}, {TOKEN_END, "END", 2}}},
        {"\"a\r\nb\" END\n", {{TOKEN_QUOTED, "ab", 1}, {TOKEN_END, "END", 2}}},
        {"p\rq\nEND\n", {{TOKEN_WORD, "p", 0}, {TOKEN_WORD, "q", 1}, {TOKEN_END, "END", 2}}},
        {std::string("m\0n\nEND\n", 8), {{TOKEN_WORD, "m", 0}, {TOKEN_WORD, "n", 1}, {TOKEN_END, "END", 2}}},
        {"\n\n\t k=12\nEND\n", {{TOKEN_WORD, "k", 2}, {TOKEN_EQUAL, "=", 2}, {TOKEN_NUMBER, "12", 3}, {TOKEN_END, "END", 4}}},
        {w299 + "\nEND\n", {{TOKEN_WORD, w299, 1}, {TOKEN_END, "END", 2}}},
        {v300 + "\nEND\n",
         {{TOKEN_ERROR, std::string(299, 'v'), 0}, {TOKEN_WORD, "v", 1}, {TOKEN_END, "END", 2}},
         "ERROR : Token length exceeds maximum token length  : " + std::string(299, 'v'), 0},
        {"\"" + q298 + "\"\nEND\n", {{TOKEN_QUOTED, q298, 0}, {TOKEN_END, "END", 2}}},
        {"\"" + r299 + "\"\nEND\n", {{TOKEN_ERROR, r299, 0}, {TOKEN_END, "END", 2}},
         "ERROR : quoted string exceeds maximum character length : " + r299, 0},
        {std::string("\n\"ab\0cd\" e\nEND\n", 15), {{TOKEN_ERROR, "ab", 1}, {TOKEN_WORD, "e", 2}, {TOKEN_END, "END", 3}},
         "ERROR : quoted string contains a NUL byte : ab", 1},
        // Files that end in the text.
        {"a END", {{TOKEN_WORD, "a", 0}, {TOKEN_END, "END", 0}}},
        {"a word", {{TOKEN_WORD, "a", 0}, {TOKEN_EOF, "word", 0}}},
        {"a\r", {{TOKEN_WORD, "a", 0}}},
        {"a \"open", {{TOKEN_WORD, "a", 0}, {TOKEN_ERROR, "open", 0}}},
        {"a --note", {{TOKEN_WORD, "a", 0}}},
    };
    char path[] = "/tmp/ndl-tokenizer-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    // Before the text: comment lines, one line of tokens, and blanks to bring
    // the text to its offset.
    const std::string comment = "-- " + std::string(60, 'c') + "\n", line = "  NAME = ( A , B )\n";
    const size_t line_tokens = 7;
    static char buf4096[4096], buf61[61];
    for (const Case &c : cases) {
        std::vector<size_t> cuts;  // how far into the text a buffer ends
        for (size_t k = 0; k <= c.text.size(); ++k)
            if (k < 24 || c.text.size() - k < 8 || k == c.text.size() / 2) cuts.push_back(k);
        for (size_t boundary : {kReadChunk, 2 * kReadChunk}) {
            for (size_t cut : cuts) {
                if (boundary > kReadChunk && cut > 2 && c.text.size() - cut > 2) continue;
                size_t offset = boundary - cut;
                size_t comments = (offset - line.size()) / comment.size();
                std::string text;
                for (size_t i = 0; i < comments; ++i) text += comment;
                text += line;
                text.append(offset - text.size(), ' ');
                text += c.text;
                SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(c.text.substr(0, 24))
                                                << " at offset " << offset);
                FILE *out = std::fopen(path, "wb");
                ASSERT_NE(out, nullptr);
                std::fwrite(text.data(), 1, text.size(), out);
                std::fclose(out);

                Bytewise src{text};
                FILE *ref = fopencookie(&src, "r", cookie_io_functions_t{Bytewise::read, nullptr, nullptr, nullptr});
                ASSERT_NE(ref, nullptr);
                auto [want, want_log] = read_all(ref, buckets);

                // The text's tokens as they should be.
                int base = static_cast<int>(comments) + 2;
                ASSERT_GE(want.size(), line_tokens + c.want.size());
                for (size_t i = 0; i < c.want.size(); ++i) {
                    Tok t = c.want[i];
                    t.line += base;
                    EXPECT_EQ(want[line_tokens + i].tok, t) << i;
                }
                EXPECT_EQ(want.back().tok.kind, TOKEN_EOF);
                EXPECT_EQ(want_log, c.log.empty() ? "" : c.log + " @ " + std::to_string(base + c.log_line) + "\n<br>");

                // The same from every buffer.
                FILE *whole = std::fopen(path, "r");
                FILE *page = std::fopen(path, "r");
                FILE *small = std::fopen(path, "r");
                ASSERT_TRUE(whole && page && small);
                setvbuf(page, buf4096, _IOFBF, sizeof buf4096);
                setvbuf(small, buf61, _IOFBF, sizeof buf61);
                std::string copy = text;
                FILE *mem = fmemopen(copy.data(), copy.size(), "r");
                ASSERT_NE(mem, nullptr);
                for (FILE *f : {whole, page, small, mem}) {
                    auto [got, got_log] = read_all(f, buckets);
                    EXPECT_EQ(got, want);
                    EXPECT_EQ(got_log, want_log);
                }
            }
        }
    }
    std::remove(path);
}

// A stream whose reads fail once its first `good` bytes are read.
struct FailingRead {
    std::string text;
    size_t good, pos = 0;
    static ssize_t read(void *cookie, char *buf, size_t n) {
        auto *s = static_cast<FailingRead *>(cookie);
        if (s->pos == s->good) {
            errno = EIO;
            return -1;
        }
        size_t k = std::min(n, s->good - s->pos);
        std::memcpy(buf, s->text.data() + s->pos, k);
        s->pos += k;
        return static_cast<ssize_t>(k);
    }
};

// A read that fails ends the input where it failed, and the load fails with
// its message, whether it fails in the first chunk or a later one; the end
// of the stream was not met. A quoted text it cuts is cut by the failure.
TEST_F(Tokenizer, AReadThatFailsEndsTheInputAndFailsTheLoad) {
    const std::string lines = [] {
        std::string t;
        while (t.size() < kReadChunk + 100) t += "NAME = x\n";
        return t;
    }();
    for (size_t good : {size_t{18}, lines.size() - 9 * 5}) {
        SCOPED_TRACE(good);
        InitialiseGlobalData();
        reset_tokenizer();
        log_text.clear();
        FailingRead src{lines + "\"never read\"\n", good};
        FILE *f = fopencookie(&src, "r", cookie_io_functions_t{FailingRead::read, nullptr, nullptr, nullptr});
        ASSERT_NE(f, nullptr);
        char token[kTokenSize];
        size_t words = 0;
        int kind;
        while ((kind = get_token(f, token, buckets)) != TOKEN_EOF) ++words;
        std::fclose(f);
        EXPECT_EQ(words, good / 9 * 3);
        int line = static_cast<int>(good / 9) + 1;
        EXPECT_EQ(Line, line);
        EXPECT_EQ(log_text, "ERROR: File cannot be read to its end (Input/output error) @ " + std::to_string(line) +
                                "\n<br>");
        EXPECT_EQ(g_error, 1);
        EXPECT_FALSE(tokenizer_at_end());
    }
    // Cut inside a quoted text.
    InitialiseGlobalData();
    reset_tokenizer();
    log_text.clear();
    FailingRead src{"NAME = \"cut here\"\n", 12};
    FILE *f = fopencookie(&src, "r", cookie_io_functions_t{FailingRead::read, nullptr, nullptr, nullptr});
    ASSERT_NE(f, nullptr);
    char token[kTokenSize];
    EXPECT_EQ(get_token(f, token, buckets), TOKEN_ATTRIBUTE);
    EXPECT_EQ(get_token(f, token, buckets), TOKEN_EQUAL);
    EXPECT_EQ(get_token(f, token, buckets), TOKEN_ERROR);
    EXPECT_EQ(get_token(f, token, buckets), TOKEN_EOF);
    std::fclose(f);
    EXPECT_EQ(log_text, "ERROR: File cannot be read to its end (Input/output error) @ 1\n<br>");
    EXPECT_FALSE(tokenizer_at_end());
}

// A file that shrinks or grows while it is read is read as it stands when
// the tokenizer reaches each chunk: what it already read is its, what comes
// after is the file's bytes then.
TEST_F(Tokenizer, AFileThatShrinksOrGrowsIsReadAsItStands) {
    char path[] = "/tmp/ndl-growing-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    auto lines = [](size_t bytes) { return bytes / 2; };  // "w\n" lines
    for (bool grow : {false, true}) {
        SCOPED_TRACE(grow ? "grows" : "shrinks");
        size_t first = grow ? kReadChunk + kReadChunk / 2 : 3 * kReadChunk, then = grow ? first : kReadChunk + kReadChunk / 2;
        std::string text;
        for (size_t i = 0; i < lines(first); ++i) text += "w\n";
        ASSERT_EQ(ftruncate(fd, 0), 0);
        ASSERT_EQ(pwrite(fd, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
        const char *refused = nullptr;
        FILE *f = open_ndl_text(path, refused);
        ASSERT_NE(f, nullptr);
        reset_tokenizer();
        char token[kTokenSize];
        ASSERT_EQ(get_token(f, token, buckets), TOKEN_WORD);
        if (grow) {
            const std::string tail = "END\n";
            ASSERT_EQ(pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(first)), 4);
        } else {
            ASSERT_EQ(ftruncate(fd, static_cast<off_t>(then)), 0);
        }
        size_t words = 1;
        int kind, last_kind = 0;
        while ((kind = get_token(f, token, buckets)) != TOKEN_EOF) {
            ++words;
            last_kind = kind;
        }
        std::fclose(f);
        EXPECT_EQ(words, lines(then) + grow);
        EXPECT_EQ(last_kind, grow ? TOKEN_END : TOKEN_WORD);
        EXPECT_EQ(Line, static_cast<int>(lines(then) + grow) + 1);
        EXPECT_TRUE(tokenizer_at_end());
    }
    close(fd);
    std::remove(path);
}

// Text as an editor saves it in UTF-16 (WIDTH 2) or UTF-32 (WIDTH 4), from
// UTF-8 of the basic plane.
std::string wide(const std::string &utf8, size_t width, bool little, bool mark) {
    std::vector<unsigned> points;
    if (mark) points.push_back(0xFEFF);
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        unsigned cp = len == 1 ? c : len == 2 ? c & 0x1F : c & 0x0F;
        for (size_t k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(cp);
        i += len;
    }
    std::string out;
    for (unsigned cp : points)
        for (size_t k = 0; k < width; ++k)
            out += static_cast<char>(cp >> 8 * (little ? k : width - 1 - k) & 0xFF);
    return out;
}

const char *encoding_of(const std::string &text) {
    return text_encoding(reinterpret_cast<const unsigned char *>(text.data()), std::min<size_t>(text.size(), 256));
}

// A file in UTF-16 or UTF-32, either byte order, with its mark or without,
// is told whatever letters its first line holds; 8-bit text is not, NULs in
// its first line or not.
TEST(TextEncoding, WideTextIsToldByItsMarkOrItsPairsAndFours) {
    const std::string header = "NETWORKNAME = lab\nSECTION = TOPOLOGY\nNETWORK\n  NAME = lab\nEND\n";
    for (const std::string first : {"", "\n", "\r\n", "-- r\xc3\xa9seau de l'agence\n", "-- \xd1\x81\xd0\xb5\xd1\x82\xd1\x8c\n",
                                    "-- \xce\xb4\xce\xaf\xce\xba\xcf\x84\xcf\x85\xce\xbf\n"})
        for (size_t width : {size_t{2}, size_t{4}})
            for (bool little : {true, false})
                for (bool mark : {true, false}) {
                    SCOPED_TRACE(testing::Message() << testing::PrintToString(first) << " width " << width
                                                    << (little ? " LE" : " BE") << (mark ? " marked" : ""));
                    const char *name = encoding_of(wide(first + header, width, little, mark));
                    ASSERT_NE(name, nullptr);
                    EXPECT_STREQ(name, width == 2 ? "UTF-16" : "UTF-32");
                }
    // UTF-32's little-endian mark begins as UTF-16's does.
    EXPECT_STREQ(encoding_of(std::string("\xFF\xFE\0\0", 4)), "UTF-32");
    EXPECT_STREQ(encoding_of(std::string("\xFF\xFE" "A\0", 4)), "UTF-16");
    EXPECT_STREQ(encoding_of(std::string("\0\0\xFE\xFF", 4)), "UTF-32");

    for (const std::string &first :
         {std::string(), std::string("\xEF\xBB\xBF"), std::string("-- r\xe9seau\n"), std::string("-- r\xc3\xa9seau\n"),
          std::string("\0\0\n", 3), std::string("\0\r\n", 3), std::string("\0 \0 \n", 5), std::string("\0\0\0\n", 4),
          std::string(256, '\0'), std::string(255, '\0') + "\n"})
        EXPECT_EQ(encoding_of(first + header), nullptr) << testing::PrintToString(first);
    for (const std::string &tiny : {std::string(), std::string("\0", 1), std::string("A"), std::string("\xFF")})
        EXPECT_EQ(encoding_of(tiny), nullptr) << testing::PrintToString(tiny);
}

// The opener refuses by the first bytes, names the encoding, and leaves an
// 8-bit file to be read from its start, past a UTF-8 mark.
TEST(TextEncoding, TheOpenerRefusesByName) {
    char path[] = "/tmp/ndl-encoding-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    struct Case {
        std::string bytes;
        const char *refused;
        std::string read;  // what the opened file holds from where it is
    } cases[] = {
        {wide("-- \xd1\x81\xd0\xb5\xd1\x82\xd1\x8c\nNETWORKNAME = x\n", 2, true, false), "UTF-16", ""},
        {wide("NETWORKNAME = x\n", 4, false, true), "UTF-32", ""},
        {"\xEF\xBB\xBFNETWORKNAME = x\n", nullptr, "NETWORKNAME = x\n"},
        {std::string("\0\0\nNETWORKNAME = x\n", 19), nullptr, std::string("\0\0\nNETWORKNAME = x\n", 19)},
    };
    for (const Case &c : cases) {
        FILE *out = std::fopen(path, "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(c.bytes.data(), 1, c.bytes.size(), out);
        std::fclose(out);
        const char *refused = "unset";
        FILE *fp = open_ndl_text(path, refused);
        if (c.refused) {
            EXPECT_EQ(fp, nullptr);
            EXPECT_STREQ(refused, c.refused);
        } else {
            ASSERT_NE(fp, nullptr);
            EXPECT_EQ(refused, nullptr);
            std::string got(64, '\0');
            got.resize(std::fread(got.data(), 1, got.size(), fp));
            EXPECT_EQ(got, c.read);
            std::fclose(fp);
        }
    }
    std::remove(path);
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
}

TEST(KeywordTable, FoundFlagsAndLengths) {
    clear_foundflag(test_tokens);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 1);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 0);  // duplicate in the block
    EXPECT_EQ(set_foundflag(test_tokens, "name"), 1);  // exact names only
    EXPECT_EQ(clear_foundflag(nullptr), 1);
    clear_foundflag(test_tokens);
    EXPECT_EQ(set_foundflag(test_tokens, "NAME"), 1);
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

// A file is UTF-8 when the whole of it is, else Latin-1, told with the line
// where it stops being UTF-8; a UTF-8 file's first letter beyond Latin-1 is
// found wherever it stands, a letter cut by a read's chunk included. The
// stream is left where it stood.
TEST(TextEncoding, FilesAreUtf8WhenValidAndLatinOneOtherwise) {
    struct Case {
        std::string bytes;
        FileLetters::Kind kind;
        int first, latin1, wide;
    } cases[] = {
        {"NETWORK x\n", FileLetters::Ascii, 0, 0, 0},
        {"a\nSoci\xc3\xa9t\xc3\xa9\n", FileLetters::Utf8, 2, 0, 0},
        {"a\nb\nSoci\xe9t\xe9\n", FileLetters::Latin1, 3, 3, 0},
        {"\xc3\xa9\n\n\xe2\x82\xac\n", FileLetters::Utf8, 1, 0, 3},
        {"\xc3\xa9\n\xe9 \xe2\x82\xac\n", FileLetters::Latin1, 1, 2, 0},  // Latin-1 then: no wide letter
        {"x\n\xc0\xaf\n", FileLetters::Latin1, 2, 2, 0},                    // a longer form of "/"
        {"\xed\xa0\x80\n", FileLetters::Latin1, 1, 1, 0},                   // a surrogate
        {"\xf4\x90\x80\x80\n", FileLetters::Latin1, 1, 1, 0},               // beyond U+10FFFF
        {"x\n\xf0\x9f\x98\x80\n", FileLetters::Utf8, 2, 0, 2},
        {"x\n\xc3", FileLetters::Latin1, 2, 2, 0},                           // cut by the end
        {"\xc3\xa9\n\xc3\xa9\n\xc3\x00", FileLetters::Latin1, 1, 3, 0},
        {std::string(16383, 'a') + "\xe2\x82\xac\n", FileLetters::Utf8, 1, 0, 1},
        {std::string(16383, '\n') + "\xc3\xa9" + std::string(5, '\n') + "\xc3(", FileLetters::Latin1, 16384, 16389, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes.substr(0, 40)));
        std::string with_mark = "\xEF\xBB\xBF" + c.bytes;
        FILE *fp = fmemopen(with_mark.data(), with_mark.size(), "rb");
        ASSERT_NE(fp, nullptr);
        ASSERT_EQ(std::fseek(fp, 3, SEEK_SET), 0);
        FileLetters f = scan_letters(fp);
        EXPECT_TRUE(f.readable);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.first_line, c.first);
        EXPECT_EQ(f.latin1_line, c.latin1);
        EXPECT_EQ(f.wide_line, c.wide);
        EXPECT_EQ(std::ftell(fp), 3);
        std::fclose(fp);
    }
}
