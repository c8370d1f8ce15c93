// Each installed program's manual page names every option, command and mode
// that the program's own usage names; for extproc, whose usage lists them
// all, the page documents nothing the usage does not.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.h"
#include "temp_tree.h"

namespace {

namespace fs = std::filesystem;

struct Page {
    std::string program;
    std::vector<std::vector<std::string>> usage_runs;  // argument lists that print the usage
    bool usage_lists_all;                              // the reverse check holds
};

const Page kPages[] = {
    {"extproc", {{"--help"}}, true},
    // Too few arguments, and a mode it does not know, print two usages.
    {"cfgload", {{}, {"a.ndl", "u/p/r.db", "nomode"}, {"--help"}}, false},
    {"encrypt", {{}, {"--help"}}, false},
};

// A roff line as text: font changes, the macro name and quotes gone.
std::string plain(std::string line) {
    line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    line = std::regex_replace(line, std::regex(R"(^\.[A-Za-z]+ ?)"), "");
    return std::regex_replace(line, std::regex("\""), "");
}

// The page as text; TAGS gets the first word of every .TP tag (the line
// after a .TP) of the sections that list commands, modes and options.
std::string page_text(const std::string &roff, std::set<std::string> &tags) {
    std::istringstream in(roff);
    std::string text, prev, section;
    for (std::string line; std::getline(in, line); prev = line) {
        std::string words = plain(line);
        if (line.rfind(".SH ", 0) == 0) section = words;
        std::smatch m;
        if (prev == ".TP" && (section == "COMMANDS" || section == "MODES" || section == "OPTIONS") &&
            std::regex_search(words, m, std::regex(R"([^\s,]+)")))
            tags.insert(m.str());
        text += words + "\n";
    }
    return text;
}

// What a usage names: options (-x, --xx), the words of a "<a/b/c>" choice,
// the commands on its "usage: PROGRAM ..." lines (bare lowercase words), and
// the values of a "NAME is a, b or c" list.
std::set<std::string> usage_names(const std::string &program, const std::string &usage) {
    std::set<std::string> names;
    auto each = [&](const std::string &pattern, auto &&take) {
        std::regex re(pattern);
        for (std::sregex_iterator it(usage.begin(), usage.end(), re), end; it != end; ++it) take(*it);
    };
    each(R"((?:^|[\s\[|<(])(--?[a-z][a-z-]*))", [&](const std::smatch &m) { names.insert(m[1]); });
    each(R"(<([a-z]+(?:/[a-z]+)+)>)", [&](const std::smatch &m) {
        std::istringstream words(m[1].str());
        for (std::string w; std::getline(words, w, '/');) names.insert(w);
    });
    each(R"(\bis ((?:[a-z]+, )*[a-z]+ or [a-z]+))", [&](const std::smatch &m) {
        std::string list = std::regex_replace(m[1].str(), std::regex(",| or "), " ");
        std::istringstream words(list);
        for (std::string w; words >> w;) names.insert(w);
    });
    std::istringstream lines(usage);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, std::regex("^(?:usage:)? *" + program + " (.*)$"))) continue;
        // Bracketed parts are options and their values.
        std::string bare = std::regex_replace(m[1].str(), std::regex(R"(\[[^\]]*\])"), " ");
        std::istringstream words(bare);
        for (std::string w; words >> w;)
            if (std::regex_match(w, std::regex("[a-z]+"))) names.insert(w);
    }
    return names;
}

std::string whole_words(const std::string &text, const std::string &word) {
    std::regex re("(^|[^A-Za-z0-9-])" + std::regex_replace(word, std::regex("-"), "\\-") + "($|[^A-Za-z0-9-])");
    return std::regex_search(text, re) ? word : "";
}

TEST(ManualPage, NamesEverythingTheUsageNames) {
    TempTree tree;
    for (const Page &p : kPages) {
        SCOPED_TRACE(p.program);
        std::ifstream file(std::string(NDL_MAN_DIR) + "/" + p.program + ".1");
        std::stringstream roff;
        roff << file.rdbuf();
        ASSERT_FALSE(roff.str().empty());
        // Dated with the release, beside its version.
        std::string upper = p.program;
        for (char &c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(roff.str().rfind(".TH " + upper + " 1 \"" NDL_RELEASE_DATE "\" \"ndl " NDL_VERSION "\" \"User Commands\"\n", 0),
                  0u);
        EXPECT_NE(roff.str().find("\n.SH NAME\n" + p.program + " \\- "), std::string::npos);
        std::set<std::string> tags;
        const std::string text = page_text(roff.str(), tags);

        std::string usage;
        fs::path home = fs::current_path();
        fs::current_path(tree.root());
        for (const std::vector<std::string> &args : p.usage_runs)
            usage += run_program(NDL_BIN_DIR "/" + p.program, args).out;
        fs::current_path(home);
        std::set<std::string> names = usage_names(p.program, usage);
        ASSERT_GE(names.size(), 1u) << usage;
        for (const std::string &name : names) EXPECT_EQ(whole_words(text, name), name) << usage;
        // Every program of ours prints its version.
        EXPECT_EQ(whole_words(text, "--version"), "--version");
        if (p.usage_lists_all) {
            for (const std::string &tag : tags) EXPECT_TRUE(names.count(tag)) << tag << " is not in\n" << usage;
        }
    }
}

// Where groff is at hand, the pages render without a warning.
TEST(ManualPage, RendersWithoutWarnings) {
    if (!fs::exists("/usr/bin/groff")) GTEST_SKIP() << "no groff";
    for (const Page &p : kPages) {
        ProgramRun r = run_program("/usr/bin/groff", {"-man", "-ww", "-z", "-Tutf8",
                                                      std::string(NDL_MAN_DIR) + "/" + p.program + ".1"});
        EXPECT_EQ(r.status, 0) << p.program;
        EXPECT_EQ(r.err, "") << p.program;
    }
}

}  // namespace
