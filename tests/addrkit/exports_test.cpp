// libaddrkit.so exports its procedures and g_errorcode, and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

TEST(AddrExports, DynamicSymbolTableHoldsExactlyTheProcedures) {
    std::string cmd = "nm -D --defined-only " + std::string(NDL_BIN_DIR) + "/libaddrkit.so 2>/dev/null";
    FILE *p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::set<std::string> exported;
    char line[1024];
    while (std::fgets(line, sizeof line, p)) {
        char type = 0;
        char name[900];
        // "ADDRESS TYPE NAME"; names starting with '_' come from the
        // toolchain (section bounds, sanitizer hooks).
        if (std::sscanf(line, "%*s %c %899s", &type, name) == 2 && name[0] != '_') exported.insert(name);
    }
    int rc = pclose(p);
    if (rc != 0 && exported.empty()) GTEST_SKIP() << "nm is not available";
    const std::set<std::string> expected = {
        "C_validate_multicastaddr", "C_check_subipaddress2", "C_check_subipaddress", "C_ipaddress_innet",
        "C_validate_ipaddress_fornw", "C_validate_network", "C_validate_subnetwork", "C_ValidateAddressRange",
        "C_ValidateIPAddressInRange", "C_compute_network", "C_compute_mask", "C_compute_inversemask",
        "C_ExtractNetworkBroadcast", "C_ConvertIP", "C_GetIPAddressList", "C_GetAddressRange", "C_PoolRanges",
        "C_NetPoolRanges", "C_get_next_subnw", "C_get_largest_subnw", "C_get_maxsubnw_size", "C_aggregate_toone",
        "C_aggregate_toprefix", "C_aggregate", "C_get_ipaddress_fornw", "C_get_ipaddress_nat",
        "C_get_ipaddress_forptopnw", "C_get_ipaddress_foroff", "C_get_ipaddress_natx", "C_get_ipaddress_natnet",
        "C_evaluate_expression", "g_errorcode",
    };
    EXPECT_EQ(exported, expected);
}

}  // namespace
