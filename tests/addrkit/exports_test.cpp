// libaddrkit.so exports its procedures and g_errorcode, and nothing else.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "dynamic_symbols.h"

namespace {

TEST(AddrExports, DynamicSymbolTableHoldsExactlyTheProcedures) {
    std::map<std::string, char> symbols;
    if (!dynamic_symbols(std::string(NDL_BIN_DIR) + "/libaddrkit.so", symbols)) GTEST_SKIP() << "nm is not available";
    std::set<std::string> exported;
    // Names starting with '_' come from the toolchain (section bounds,
    // sanitizer hooks).
    for (const auto &[name, type] : symbols)
        if (name[0] != '_') exported.insert(name);
    const std::set<std::string> expected = {
        "C_validate_multicastaddr", "C_check_subipaddress2", "C_check_subipaddress", "C_ipaddress_innet",
        "C_validate_ipaddress_fornw", "C_validate_network", "C_validate_subnetwork", "C_ValidateAddressRange",
        "C_ValidateIPAddressInRange", "C_compute_network", "C_compute_mask", "C_compute_inversemask",
        "C_ExtractNetworkBroadcast", "C_ConvertIP", "C_GetIPAddressList", "C_GetAddressRange", "C_PoolRanges",
        "C_NetPoolRanges", "C_get_next_subnw", "C_get_largest_subnw", "C_get_maxsubnw_size", "C_aggregate_toone",
        "C_aggregate_toprefix", "C_aggregate", "C_get_ipaddress_fornw", "C_get_ipaddress_nat",
        "C_get_ipaddress_forptopnw", "C_get_ipaddress_foroff", "C_get_ipaddress_natx", "C_get_ipaddress_natnet",
        "C_evaluate_expression", "g_errorcode", "C_check_dir", "C_create_dir", "C_remove_dir",
    };
    EXPECT_EQ(exported, expected);
}

}  // namespace
