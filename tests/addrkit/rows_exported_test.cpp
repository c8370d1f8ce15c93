// Every line of the host's table is an export of its library: a body whose
// signature drifted from its row would leave the row's symbol undefined and
// the procedure silently absent from the library and its listing. And
// `extproc call` lists the procedures in the order of their rows.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "callspecs.h"
#include "dirprocs.h"
#include "procedures.h"
#include "run_program.h"

namespace {

const std::string kBin = NDL_BIN_DIR;

// What the second address build leaves out of the first's lines: the
// directory procedures.
#define NDL_NAME(fn, ...) #fn,
constexpr const char *kDirProcedures[] = {NDL_ADDRKIT_DIR_PROCEDURES(NDL_NAME)};

bool left_out_of_second(const char *procedure) {
    for (const char *name : kDirProcedures)
        if (std::strcmp(name, procedure) == 0) return true;
    return false;
}

TEST(RowsExported, EveryLibraryExportsEveryOneOfItsLines) {
    for (const char *library : {"addrkit", "tmplibaddrkit", "cfgproc", "folderwalk", "hosttest"}) {
        SCOPED_TRACE(library);
        void *lib = dlopen((kBin + "/lib" + library + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib, nullptr) << dlerror();
        std::vector<const extproc::CallSpec *> lines = extproc::library_callspecs(library);
        bool address = !std::strcmp(library, "addrkit") || !std::strcmp(library, "tmplibaddrkit");
        EXPECT_GT(lines.size(), address ? 40u : 0u);
        for (const extproc::CallSpec *s : lines) {
            if (std::strcmp(library, "tmplibaddrkit") == 0 && left_out_of_second(s->procedure)) {
                EXPECT_EQ(dlsym(lib, s->procedure), nullptr) << s->procedure;
                continue;
            }
            EXPECT_NE(dlsym(lib, s->procedure), nullptr) << s->procedure << " is not exported";
        }
        dlclose(lib);
    }
}

// The procedure names `extproc call LIBRARY` lists, in order.
std::vector<std::string> listed(const std::string &library) {
    ProgramRun r = run_program(kBin + "/extproc", {"call", library});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("  ", 0) == 0) names.push_back(line.substr(2, line.find('(') - 2));
    return names;
}

// The rows' names (procedures.h), and the twins' in their own listing's order.
#define NDL_ROW_NAME(name, ...) #name,
#define NDL_SECOND_TWIN_NAME(name, ...) #name "Lob",
#define NDL_NO_NAME(...)
const std::vector<std::string> kRows = {
    NDL_ADDRKIT_PROCEDURES(NDL_ROW_NAME, NDL_ROW_NAME, NDL_ROW_NAME, NDL_ROW_NAME)};
const std::vector<std::string> kSecondTwins = {
    NDL_ADDRKIT_PROCEDURES(NDL_NO_NAME, NDL_NO_NAME, NDL_NO_NAME, NDL_SECOND_TWIN_NAME)};
const std::vector<std::string> kTwinsListed = {NDL_ADDRKIT_TWINS_LISTED};

TEST(RowsExported, ProceduresAreListedInTheOrderOfTheirRows) {
    // Every row, then the expression procedure; the twins in the order of
    // their own table, not the rows'; the directory procedures last.
    std::vector<std::string> plain = kRows;
    plain.push_back("C_evaluate_expression");
    std::vector<std::string> twins;
    for (const std::string &t : kTwinsListed) twins.push_back(t + "Lob");
    EXPECT_GT(plain.size(), 25u);
    EXPECT_GT(twins.size(), 10u);
    std::vector<std::string> first = plain, second = plain;
    first.insert(first.end(), twins.begin(), twins.end());
    second.insert(second.end(), twins.begin(), twins.end());
    for (const char *dir : {"C_check_dir", "C_create_dir", "C_remove_dir"}) first.push_back(dir);
    second.insert(second.end(), kSecondTwins.begin(), kSecondTwins.end());
    EXPECT_EQ(listed("addrkit"), first);
    EXPECT_EQ(listed("tmplibaddrkit"), second);
}

}  // namespace
