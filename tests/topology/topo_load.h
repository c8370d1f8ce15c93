// Whole loads of TOPOLOGY files through the host into a fresh repository, as
// the database calls the loader: the log split into its messages, and the
// stored rows read back with SQL.
#ifndef NDL_TESTS_TOPOLOGY_TOPO_LOAD_H
#define NDL_TESTS_TOPOLOGY_TOPO_LOAD_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
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

    // Loaded again as an update, `file` leaves the rows of `table` as they were.
    void expect_reload_unchanged(const std::string &file, const std::string &table) {
        const std::vector<std::string> before = dump_rows(table, "ORDER BY rowid");
        Outcome r = load(file, "updateversion");
        EXPECT_EQ(r.ret, 0) << ::testing::PrintToString(r.messages);
        EXPECT_EQ(dump_rows(table, "ORDER BY rowid"), before);
    }
    // A run that failed on a file ending inside a block, on whatever line.
    static void expect_unexpected_end(const Outcome &r, const std::string &note) {
        EXPECT_EQ(r.ret, 2) << note;
        std::vector<std::string> errors = errors_of(r.messages);
        ASSERT_GE(errors.size(), 2u) << note;
        EXPECT_EQ(errors[errors.size() - 2].rfind("ERROR: Unexpected end of file @ ", 0), 0u) << note;
        EXPECT_EQ(errors.back(), "Exiting due to errors \n") << note;
    }
    // A run refused with exactly `errors`, after which the driver's skip
    // meets the end of the file.
    static void expect_refused(const Outcome &r, std::vector<std::string> errors, const std::string &note) {
        EXPECT_EQ(r.ret, 2) << note;
        errors.push_back("Exiting due to errors \n");
        EXPECT_EQ(errors_of(r.messages), errors) << note;
    }
    // `text` ends inside a block: loaded as an update, it fails with
    // `errors`, and the driver's skip meets the end of the file.
    void expect_cut_short(const std::string &text, std::vector<std::string> errors, const std::string &note) {
        expect_refused(load_text(text, "updateversion"), std::move(errors), note);
    }
    // The same where the block takes the end as its END: the end-of-file
    // message on the line after the text's last.
    void expect_cut_short(const std::string &text, const std::string &note = "") {
        int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        expect_cut_short(text, {"ERROR: Unexpected end of file @ " + std::to_string(lines + 1) + " \n"}, note);
    }
    // Every table's rows, sorted: the readers may order rows otherwise than
    // the file did, but no row may appear, vanish or change. By the table's
    // name in capitals, whatever case the backend keeps it in.
    std::map<std::string, std::vector<std::string>> snapshot() const {
        std::map<std::string, std::vector<std::string>> all;
        for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
            std::vector<std::string> r = dump_rows("\"" + t + "\"");
            std::sort(r.begin(), r.end());
            std::string name = t;
            for (char &c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            all[name] = r;
        }
        return all;
    }
    static void expect_same(const std::map<std::string, std::vector<std::string>> &before,
                            const std::map<std::string, std::vector<std::string>> &after, const std::string &note = "") {
        ASSERT_EQ(before.size(), after.size()) << note;
        for (const auto &[table, r] : before) {
            auto it = after.find(table);
            ASSERT_NE(it, after.end()) << table << " " << note;
            EXPECT_EQ(r, it->second) << "table " << table << " " << note;
        }
    }
    // A file cut off inside a block, and what its load logs.
    struct CutText {
        std::string text;
        std::vector<std::string> errors;
    };
    // Each cut, loaded as an update, is refused with exactly its errors and
    // leaves the repository as it was (a file byte for byte); the rows are compared
    // once more at the end. Noted by the cut's last line.
    void expect_cuts_refused(const std::vector<CutText> &cuts) {
        const auto stored = snapshot();
        const std::string bytes = repository_state(db);
        for (const CutText &c : cuts) {
            const std::string note = c.text.substr(c.text.rfind('\n', c.text.size() - 2) + 1);
            expect_cut_short(c.text, c.errors, note);
            EXPECT_EQ(repository_state(db), bytes) << note;
        }
        expect_same(stored, snapshot());
    }
    // A cut of a whole file: kept up to the end of the first occurrence of
    // `marker` (or only `keep` characters of it), then ended by a line break
    // so that no word is lost to the end; `errors` what the load logs.
    struct CutPoint {
        const char *marker;
        std::vector<std::string> errors;
        size_t keep = std::string::npos;
    };
    // Loads the whole file `name` of `folder`, then each of its cuts.
    void expect_cuts(const char *folder, const std::string &name, const std::vector<CutPoint> &cuts) {
        Outcome whole = load(name, "", folder);
        ASSERT_EQ(whole.ret, 0) << ::testing::PrintToString(whole.messages);
        const std::string text = read_text(std::string(folder) + "/" + name);
        std::vector<CutText> texts;
        for (const CutPoint &c : cuts) {
            size_t at = text.find(c.marker);
            ASSERT_NE(at, std::string::npos) << c.marker;
            texts.push_back({text.substr(0, at + std::min(std::string(c.marker).size(), c.keep)) + "\n", c.errors});
        }
        expect_cuts_refused(texts);
    }
    // A token the tokenizer cannot read: 300 characters, of which it logs
    // the first 299; the last one is read as the next token.
    static std::string overlong_msg(int line) {
        return "ERROR : Token length exceeds maximum token length  : " + std::string(299, 'W') + " @ " +
               std::to_string(line) + "\n";
    }
    struct TokenErrorAt {
        const char *marker;
        std::vector<std::string> errors;
    };
    // Loads `files` of `folder` whole, then each case as an update: the
    // last file with an over-long token right after the first `marker`.
    // Each is refused with exactly its errors (the file lines left out) and
    // leaves the repository as it was (a file byte for byte).
    void expect_token_errors(const char *folder, const std::vector<std::string> &files,
                             const std::vector<TokenErrorAt> &cases) {
        expect_altered(folder, files, cases, [](const std::string &text, size_t at) {
            return text.substr(0, at) + " " + std::string(300, 'W') + text.substr(at);
        });
    }
    // The same with the last file cut after the marker inside a quoted
    // text that holds `kCutText`: a token error the tokenizer says nothing
    // of, and then the end of the file.
    static constexpr const char *kCutText = "Cut";
    // What the skip after a stopped block says as it meets the end.
    static constexpr const char *kSkipToEnd = "Exiting due to errors \n";
    void expect_cut_texts(const char *folder, const std::vector<std::string> &files,
                          const std::vector<TokenErrorAt> &cases) {
        expect_altered(folder, files, cases, [](const std::string &text, size_t at) {
            return text.substr(0, at) + " \"" + kCutText;
        });
    }
    template <class Alter>
    void expect_altered(const char *folder, const std::vector<std::string> &files,
                        const std::vector<TokenErrorAt> &cases, Alter alter) {
        std::string names;
        for (const std::string &f : files) {
            write_file(f, read_text(std::string(folder) + "/" + f));
            names += (names.empty() ? "" : ",") + f;
        }
        Outcome whole = load(names, "", dir);
        ASSERT_EQ(whole.ret, 0) << ::testing::PrintToString(whole.messages);
        const auto stored = snapshot();
        const std::string bytes = repository_state(db);
        const std::string text = read_text(std::string(folder) + "/" + files.back());
        for (const TokenErrorAt &c : cases) {
            size_t at = text.find(c.marker);
            ASSERT_NE(at, std::string::npos) << c.marker;
            at += std::strlen(c.marker);
            write_file(files.back(), alter(text, at));
            Outcome r = load(names, "updateversion", dir);
            EXPECT_EQ(r.ret, 2) << c.marker;
            std::vector<std::string> errors;
            for (const std::string &m : errors_of(r.messages))
                if (m.find("--- FILE:") == std::string::npos) errors.push_back(m);
            EXPECT_EQ(errors, c.errors) << c.marker;
            EXPECT_EQ(repository_state(db), bytes) << c.marker;
        }
        expect_same(stored, snapshot());
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
