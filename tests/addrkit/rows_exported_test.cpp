// Every line of the host's table is an export of its library: a body whose
// signature drifted from its row would leave the row's symbol undefined and
// the procedure silently absent from the library and its listing. And
// `extproc call` lists the procedures in their documented order.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "callspecs.h"
#include "dirprocs.h"
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

TEST(RowsExported, ProceduresAreListedInTheirDocumentedOrder) {
    const std::vector<std::string> plain = {
        "C_validate_multicastaddr", "C_check_subipaddress2", "C_check_subipaddress", "C_ipaddress_innet",
        "C_validate_ipaddress_fornw", "C_validate_network", "C_validate_subnetwork", "C_ValidateAddressRange",
        "C_ValidateIPAddressInRange", "C_compute_network", "C_compute_mask", "C_compute_inversemask",
        "C_ExtractNetworkBroadcast", "C_ConvertIP", "C_GetIPAddressList", "C_GetAddressRange", "C_PoolRanges",
        "C_NetPoolRanges", "C_get_next_subnw", "C_get_maxsubnw_size", "C_aggregate_toone", "C_aggregate_toprefix",
        "C_aggregate", "C_get_ipaddress_fornw", "C_get_ipaddress_nat", "C_get_ipaddress_forptopnw",
        "C_get_ipaddress_foroff", "C_get_ipaddress_natx", "C_get_ipaddress_natnet", "C_evaluate_expression"};
    // The twins in the order of their own table, not the procedures'.
    const std::vector<std::string> twins = {
        "C_get_maxsubnw_sizeLob", "C_PoolRangesLob", "C_get_ipaddress_fornwLob", "C_get_next_subnwLob",
        "C_get_ipaddress_forptopnwLob", "C_get_ipaddress_natxLob", "C_validate_ipaddress_fornwLob",
        "C_aggregate_tooneLob", "C_aggregate_toprefixLob", "C_aggregateLob", "C_validate_networkLob",
        "C_validate_subnetworkLob", "C_GetIPAddressListLob", "C_GetAddressRangeLob", "C_NetPoolRangesLob",
        "C_get_ipaddress_natnetLob"};
    std::vector<std::string> first = plain, second = plain;
    first.insert(first.end(), twins.begin(), twins.end());
    second.insert(second.end(), twins.begin(), twins.end());
    for (const char *dir : {"C_check_dir", "C_create_dir", "C_remove_dir"}) first.push_back(dir);
    second.push_back("C_get_ipaddress_natLob");
    EXPECT_EQ(listed("addrkit"), first);
    EXPECT_EQ(listed("tmplibaddrkit"), second);
}

}  // namespace
