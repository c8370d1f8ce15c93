// Whole loads of TOPOLOGY files through the host into a fresh repository, as
// the database calls the loader: the log split into its messages, and the
// stored rows read back with SQL.
#ifndef NDL_TESTS_TOPOLOGY_TOPO_LOAD_H
#define NDL_TESTS_TOPOLOGY_TOPO_LOAD_H

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "repo_test.h"

// The messages of a failed run: every entry but the closing two.
inline std::vector<std::string> errors_of(const std::vector<std::string> &messages) {
    std::vector<std::string> out(messages);
    while (!out.empty() && (out.back().empty() || out.back().rfind("EXITING DUE TO ERRORS", 0) == 0))
        out.pop_back();
    return out;
}

// A file of tests/data/topology.
inline std::string data_text(const std::string &name) { return read_text(NDL_TEST_DATA "/topology/" + name); }

class TopoLoad : public RepoTest {
protected:
    struct Outcome {
        int ret = -1;
        std::vector<std::string> messages;  // the log's entries, "<br>" removed
    };

    // Loads files of tests/data/topology (or of `from`).
    Outcome load(const std::string &files, const std::string &mode = "", const std::string &from = kData) {
        Outcome r;
        r.ret = parse(from, files, mode).ret;
        for (size_t at = 0; at < log.size();) {
            size_t br = log.find("<br>", at);
            if (br == std::string::npos) br = log.size();
            r.messages.push_back(log.substr(at, br - at));
            at = br + 4;
        }
        // The file line and the closing lines frame every run.
        if (!r.messages.empty() && r.messages.front().find("--- FILE:") != std::string::npos)
            r.messages.erase(r.messages.begin());
        return r;
    }
    // Loads a text written into the test's folder.
    Outcome load_text(const std::string &text, const std::string &mode = "") {
        std::ofstream(dir + "/t.ndl") << text;
        return load("t.ndl", mode, dir);
    }

    // Loaded again as an update, `file` leaves what `query` reads as it was.
    void expect_reload_unchanged(const std::string &file, const std::string &query) {
        const std::vector<std::string> before = rows(query);
        Outcome r = load(file, "updateversion");
        EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
        EXPECT_EQ(rows(query), before);
    }
    // A run that failed on a file ending inside a block, on whatever line.
    static void expect_unexpected_end(const Outcome &r, const std::string &note) {
        EXPECT_EQ(r.ret, 2) << note;
        std::vector<std::string> errors = errors_of(r.messages);
        ASSERT_GE(errors.size(), 2u) << note;
        EXPECT_EQ(errors[errors.size() - 2].rfind("ERROR: Unexpected end of file @ ", 0), 0u) << note;
        EXPECT_EQ(errors.back(), "Exiting due to errors \n") << note;
    }
    // `text` ends inside a block: loaded as an update, it fails with
    // `errors`, and the driver's skip meets the end of the file.
    void expect_cut_short(const std::string &text, std::vector<std::string> errors, const std::string &note) {
        Outcome r = load_text(text, "updateversion");
        EXPECT_EQ(r.ret, 2) << note;
        errors.push_back("Exiting due to errors \n");
        EXPECT_EQ(errors_of(r.messages), errors) << note;
    }
    // The same where the block takes the end as its END: the end-of-file
    // message on the line after the text's last.
    void expect_cut_short(const std::string &text, const std::string &note = "") {
        int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        expect_cut_short(text, {"ERROR: Unexpected end of file @ " + std::to_string(lines + 1) + " \n"}, note);
    }
    static constexpr const char *kData = NDL_TEST_DATA "/topology";
    static constexpr const char *kHeader = "NETWORKNAME = LAB, SECTION = TOPOLOGY\n";
    // What a clean run logs after its file line.
    const std::vector<std::string> kClean = {"<left>---- Global Validations ----</left>",
                                             "files  successfully loaded \n"};
    const std::string kExit = "EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n";

    // The three variables every domain needs, for texts made in the tests.
    static std::string domain(const std::string &name) {
        return "DOMAIN " + name +
               " BEGIN\n"
               "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"PT\" )\n"
               "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"L\" )\n"
               "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
               "END\n";
    }

};

#endif
