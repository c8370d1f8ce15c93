// Both builds of the address library export the procedures of their call
// specifications, g_errorcode and the array procedure, and nothing else.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "callspecs.h"
#include "dynamic_symbols.h"

namespace {

// The defined exports of LIBRARY (in the build folder) but the toolchain's.
bool exports_of(const std::string &library, std::set<std::string> &exported) {
    std::map<std::string, char> symbols;
    if (!dynamic_symbols(std::string(NDL_BIN_DIR) + "/" + library, symbols)) return false;
    // Names starting with '_' come from the toolchain (section bounds,
    // sanitizer hooks).
    for (const auto &[name, type] : symbols)
        if (name[0] != '_') exported.insert(name);
    return true;
}

// The procedures of LIBRARY as the host's call specifications list them.
std::set<std::string> lines_of(const char *library) {
    std::set<std::string> names;
    for (const extproc::CallSpec *s : extproc::library_callspecs(library)) names.insert(s->procedure);
    return names;
}

// Beside the lines of the table, both builds export the secondary error
// code; the first also the procedure that takes arrays, which no line can
// pass.
const std::set<std::string> kUnlisted = {"g_errorcode"};
const std::set<std::string> kDirectoryProcedures = {"C_check_dir", "C_create_dir", "C_remove_dir"};

TEST(AddrExports, DynamicSymbolTableHoldsExactlyTheProcedures) {
    std::set<std::string> exported;
    if (!exports_of("libaddrkit.so", exported)) GTEST_SKIP() << "nm is not available";
    std::set<std::string> expected = lines_of("addrkit");
    expected.insert(kUnlisted.begin(), kUnlisted.end());
    expected.insert("C_get_largest_subnw");
    ASSERT_GT(expected.size(), 40u);
    for (const std::string &dir : kDirectoryProcedures) EXPECT_TRUE(expected.count(dir)) << dir;
    EXPECT_EQ(exported, expected);
}

TEST(AddrExports, SecondBuildHasItsOwnListWithoutTheDirectoryProcedures) {
    std::set<std::string> exported;
    if (!exports_of("libtmplibaddrkit.so", exported)) GTEST_SKIP() << "nm is not available";
    // The second build is bound by addrkit's lines and its own, less the
    // directory procedures, plus its helpers that no line calls.
    std::set<std::string> expected = lines_of("tmplibaddrkit");
    for (const std::string &dir : kDirectoryProcedures) EXPECT_EQ(expected.erase(dir), 1u) << dir;
    expected.insert(kUnlisted.begin(), kUnlisted.end());
    expected.insert({"writelog", "writeint", "cidrize", "add_offset", "count_on_bits"});
    EXPECT_TRUE(expected.count("C_get_ipaddress_natLob"));
    EXPECT_EQ(exported, expected);
}

}  // namespace
