// A fresh repository in a folder of its own, loads of NDL files through the
// host as the database calls the loader, and the stored rows read with SQL:
// the frame of every end-to-end test of the loader.
#ifndef NDL_TESTS_SUPPORT_REPO_TEST_H
#define NDL_TESTS_SUPPORT_REPO_TEST_H

#include <dirent.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fault_hook.h"
#include "host.h"
#include "oci.h"

// The whole content of a file, byte for byte.
inline std::string read_text(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The descriptors the process has open: a run must leave as many as it found.
inline int open_fds() {
    int n = 0;
    if (DIR *d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++n;
        closedir(d);
    }
    return n;
}

// Rows of a query on the repository file `db` (which must exist), columns
// joined by "|", NULL shown as <null>.
inline std::vector<std::string> query_rows(const std::string &db, const std::string &query) {
    std::vector<std::string> out;
    sqlite3 *h = nullptr;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(h, query.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char *t = sqlite3_column_text(st, c);
                row += (c ? "|" : "") + std::string(t ? reinterpret_cast<const char *>(t) : "<null>");
            }
            out.push_back(row);
        }
    } else {
        ADD_FAILURE() << "query failed: " << query << ": " << (h ? sqlite3_errmsg(h) : "");
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    return out;
}

// Every row of every table of the repository `db`, table by table, rows in
// order: two dumps are equal when the stored data is.
inline std::string repository_dump(const std::string &db) {
    std::string dump;
    for (const std::string &table :
         query_rows(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        dump += "== " + table + "\n";
        std::vector<std::string> rows = query_rows(db, "SELECT * FROM \"" + table + "\"");
        std::sort(rows.begin(), rows.end());
        for (const std::string &row : rows) dump += row + "\n";
    }
    return dump;
}

inline void run_sql(const std::string &db, const std::string &text) {
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    char *err = nullptr;
    EXPECT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, &err), SQLITE_OK) << text << ": " << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(h);
}

class RepoTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        db = dir + "/repository.db";
        extproc::Session s(db);  // a new repository gets its schema
        ASSERT_TRUE(s.ok()) << s.error();
    }
    void TearDown() override {
        clear_faults();
        std::filesystem::remove_all(dir);
    }

    // NDL_parsefile on FILES of the folder REPOSITORY, in a session of its
    // own; the log lands in `log`. `fault` arms an OCI fault after the logon.
    extproc::CallResult parse(const std::string &repository, const std::string &files,
                              const std::string &mode = "", const char *fault = nullptr, int nth = 0) {
        extproc::Session s(db);
        EXPECT_TRUE(s.ok()) << s.error();
        if (fault) inject_fault(fault, nth, OCI_ERROR);
        extproc::CallResult r = s.call("cfgproc", "NDL_parsefile", {repository, files, mode});
        clear_faults();
        EXPECT_TRUE(r.called) << r.error;
        log.clear();
        if (const extproc::OutValue *out = r.out("log")) log = out->value;
        return r;
    }

    std::vector<std::string> rows(const std::string &query) const { return query_rows(db, query); }
    void sql(const std::string &text) const { run_sql(db, text); }
    // Writes `text` as the file `name` of the test's folder.
    void write_file(const std::string &name, const std::string &text) const { std::ofstream(dir + "/" + name) << text; }

    std::string dir, db, log;
};

#endif
