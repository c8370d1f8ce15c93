// The rows each end-to-end test stored, as its run on each backend left them
// under $NDL_TEST_ROWS (sqlite/, pg/): every table, every value, in the
// order they were inserted, dates by their shape. A test that ran on both
// must have stored the same on both: the same letters, which SQLite keeps
// in the bytes of the file they came from, and the server in its database's
// encoding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "as_letters.h"

namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The first line where A and B part, with its number and the table above it.
std::string first_difference(const std::string &a, const std::string &b) {
    std::istringstream x(a), y(b);
    std::string la, lb, table;
    for (int line = 1;; ++line) {
        bool ha = static_cast<bool>(std::getline(x, la)), hb = static_cast<bool>(std::getline(y, lb));
        if (!ha && !hb) return "";
        if (ha && la.rfind("== ", 0) == 0) table = la.substr(3);
        if (ha != hb || la != lb)
            return "line " + std::to_string(line) + " (table " + table + "): SQLite " + (ha ? la : "<end>") +
                   " / server " + (hb ? lb : "<end>");
    }
}

TEST(StoredRows, EveryTestStoresTheSameRowsOnBothBackends) {
    const char *root = std::getenv("NDL_TEST_ROWS");
    ASSERT_TRUE(root && *root);
    const fs::path sqlite = fs::path(root) / "sqlite", server = fs::path(root) / "pg";
    if (!fs::is_directory(sqlite) || !fs::is_directory(server))
        GTEST_SKIP() << "the suites did not run on both backends";
    int compared = 0;
    for (const fs::directory_entry &e : fs::directory_iterator(server)) {
        fs::path twin = sqlite / e.path().filename();
        if (!fs::exists(twin)) continue;
        ++compared;
        std::string a = rows_as_letters(read_all(twin)), b = rows_as_letters(read_all(e.path()));
        EXPECT_TRUE(a == b) << e.path().filename().string() << ": " << first_difference(a, b);
    }
    std::printf("%d tests compared\n", compared);
    if (compared == 0) GTEST_SKIP() << "no test ran on both backends";
}

}  // namespace
