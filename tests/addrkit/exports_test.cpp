// Both builds of the address library export their procedures and
// g_errorcode, and nothing else.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

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

// What both builds export.
const std::set<std::string> kShared = {
    "C_validate_multicastaddr", "C_check_subipaddress2", "C_check_subipaddress", "C_ipaddress_innet",
    "C_validate_ipaddress_fornw", "C_validate_network", "C_validate_subnetwork", "C_ValidateAddressRange",
    "C_ValidateIPAddressInRange", "C_compute_network", "C_compute_mask", "C_compute_inversemask",
    "C_ExtractNetworkBroadcast", "C_ConvertIP", "C_GetIPAddressList", "C_GetAddressRange", "C_PoolRanges",
    "C_NetPoolRanges", "C_get_next_subnw", "C_get_maxsubnw_size", "C_aggregate_toone",
    "C_aggregate_toprefix", "C_aggregate", "C_get_ipaddress_fornw", "C_get_ipaddress_nat",
    "C_get_ipaddress_forptopnw", "C_get_ipaddress_foroff", "C_get_ipaddress_natx", "C_get_ipaddress_natnet",
    "C_evaluate_expression", "g_errorcode",
    "C_get_maxsubnw_sizeLob", "C_PoolRangesLob", "C_get_ipaddress_fornwLob", "C_get_next_subnwLob",
    "C_get_ipaddress_forptopnwLob", "C_get_ipaddress_natxLob", "C_validate_ipaddress_fornwLob",
    "C_aggregate_tooneLob", "C_aggregate_toprefixLob", "C_aggregateLob", "C_validate_networkLob",
    "C_validate_subnetworkLob", "C_GetIPAddressListLob", "C_GetAddressRangeLob", "C_NetPoolRangesLob",
    "C_get_ipaddress_natnetLob",
};

TEST(AddrExports, DynamicSymbolTableHoldsExactlyTheProcedures) {
    std::set<std::string> exported;
    if (!exports_of("libaddrkit.so", exported)) GTEST_SKIP() << "nm is not available";
    std::set<std::string> expected = kShared;
    expected.insert({"C_get_largest_subnw", "C_check_dir", "C_create_dir", "C_remove_dir"});
    EXPECT_EQ(exported, expected);
}

TEST(AddrExports, SecondBuildHasItsOwnListWithoutTheDirectoryProcedures) {
    std::set<std::string> exported;
    if (!exports_of("libtmplibaddrkit.so", exported)) GTEST_SKIP() << "nm is not available";
    std::set<std::string> expected = kShared;
    expected.insert({"C_get_ipaddress_natLob", "writelog", "writeint", "cidrize", "add_offset", "count_on_bits"});
    EXPECT_EQ(exported, expected);
}

}  // namespace
