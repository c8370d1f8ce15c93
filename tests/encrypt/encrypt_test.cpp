// The encrypt program as a shell runs it: arguments, usage, round trips
// with and without a key, wrong keys, damaged and over-long texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.h"

namespace {

const std::string kUsage = "Usage :encrypt <-e(For encryption)> <String to Encrypt> <key(optional)> \n";

ProgramRun encrypt(const std::vector<std::string> &args) { return run_program(NDL_BIN_DIR "/encrypt", args); }

// The one line that "-e" printed, checked to be a printable word of at
// most 255 characters.
std::string sealed(const std::vector<std::string> &args) {
    ProgramRun r = encrypt(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    if (r.out.empty() || r.out.back() != '\n') {
        ADD_FAILURE() << "not one line: '" << r.out << "'";
        return {};
    }
    std::string line = r.out.substr(0, r.out.size() - 1);
    EXPECT_LE(line.size(), 255u);
    for (char c : line) EXPECT_TRUE(c > ' ' && c < 127) << "unprintable in '" << line << "'";
    return line;
}

TEST(Encrypt, WrongCommandLinesPrintTheUsage) {
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {}, {"-e"}, {"-x", "text"}, {"-E", "text"}, {"e", "text", "key"}, {"-e ", "text"},
             {"-e", "text", "key", "more"}}) {
        ProgramRun r = encrypt(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, kUsage);
    }
    // Asked for, the usage is the answer: status 0, and a word on the keys.
    ProgramRun r = encrypt({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kUsage +
                         "-e encrypts the string, -d decrypts it; the key is derived from the key text, else a "
                         "built-in one.\nencrypt --help | --version\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(encrypt({"--help", "x"}).out, kUsage);
}

TEST(Encrypt, RoundTripsWithAndWithoutAKey) {
    for (const std::string &text : {std::string("secret"), std::string("with spaces, \"quotes\" and ; $signs"),
                                    std::string("caf\xc3\xa9 \xe2\x82\xac"), std::string()}) {
        SCOPED_TRACE(text);
        std::string plain = sealed({"-e", text});
        EXPECT_EQ(encrypt({"-d", plain}).out, text + "\n");
        std::string keyed = sealed({"-e", text, "k3y"});
        ProgramRun r = encrypt({"-d", keyed, "k3y"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, text + "\n");
        // Each encryption is fresh: the same text never gives the same line.
        EXPECT_NE(sealed({"-e", text, "k3y"}), keyed);
    }
    // An empty key is no key: the built-in one.
    EXPECT_EQ(encrypt({"-d", sealed({"-e", "x", ""})}).out, "x\n");
    EXPECT_EQ(encrypt({"-d", sealed({"-e", "x"}), ""}).out, "x\n");
}

// A failed call prints its error text where a result would go, as one line
// on standard output, and nothing on standard error.
TEST(Encrypt, FailedDecryptionsPrintTheErrorAndExitOne) {
    const std::string refused = "cipherkit: wrong key or damaged text\n";
    std::string keyed = sealed({"-e", "secret", "right"});
    std::string plain = sealed({"-e", "secret"});
    std::string damaged = keyed;
    damaged[damaged.size() / 2] = damaged[damaged.size() / 2] == 'A' ? 'B' : 'A';
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {"-d", keyed, "wrong"}, {"-d", keyed}, {"-d", plain, "right"}, {"-d", damaged, "right"},
             {"-d", keyed.substr(0, keyed.size() - 1), "right"}, {"-d", keyed + "A", "right"},
             {"-d", ""}, {"-d", "not base64!"}, {"-d", std::string(300, 'A')}}) {
        ProgramRun r = encrypt(args);
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_EQ(r.out, refused);
        EXPECT_EQ(r.err, "");
    }
}

TEST(Encrypt, TextsBeyondTheOutputAreRefused) {
    std::string longest(147, 'a');
    std::string line = sealed({"-e", longest, "k"});
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(encrypt({"-d", line, "k"}).out, longest + "\n");
    ProgramRun r = encrypt({"-e", longest + "a"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "cipherkit: text too long to encrypt (148 bytes, at most 147)\n");
    EXPECT_EQ(r.err, "");
    r = encrypt({"-e", std::string(4000, 'b'), "k"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "cipherkit: text too long to encrypt (4000 bytes, at most 147)\n");
    EXPECT_EQ(r.err, "");
}

// The printed line is the only result: a line that could not be written is
// a failure, told on standard error, whatever the call gave.
TEST(Encrypt, ALostOutputIsAFailure) {
    std::string keyed = sealed({"-e", "secret", "k"});
    for (Stdout to : {Stdout::Full, Stdout::ClosedPipe}) {
        std::string why = to == Stdout::Full ? "No space left on device" : "Broken pipe";
        for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
                 {"-e", "secret"}, {"-e", "secret", "k"}, {"-d", keyed, "k"}, {"-d", keyed, "wrong"}, {"-x", "text"}}) {
            ProgramRun r = run_program(NDL_BIN_DIR "/encrypt", args, to);
            EXPECT_EQ(r.status, 1) << args[0] << " " << why;
            EXPECT_EQ(r.err, "encrypt: the output could not be written (" + why + ")\n");
        }
        ProgramRun r = run_program(NDL_BIN_DIR "/encrypt", {"--help"}, to);
        EXPECT_EQ(r.status, 1) << why;
        EXPECT_EQ(r.err, "encrypt: the usage could not be written (" + why + ")\n");
    }
}

}  // namespace
