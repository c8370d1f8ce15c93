// The second build of the address library: what it adds (NAT allocation
// from a CLOB, the log writers, the CIDR helpers, the driver), where it
// answers otherwise, and what it leaves out.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fault_hook.h"
#include "host.h"
#include "host_suite.h"
#include "oci.h"
#include "run_program.h"
#include "temp_tree.h"

namespace {

using extproc::CallResult;
const std::string kLib = std::string(NDL_BIN_DIR) + "/libtmplibaddrkit.so";

class SecondBuild : public HostSuite {
protected:
    static void SetUpTestSuite() {
        open_session("tmplibaddrkit.db");
        lib_ = dlopen(kLib.c_str(), RTLD_NOW);
        ASSERT_NE(lib_, nullptr) << dlerror();
    }
    static void TearDownTestSuite() {
        if (lib_) dlclose(lib_);
        HostSuite::TearDownTestSuite();
    }
    static CallResult call(const std::string &procedure, const std::vector<std::string> &args,
                           const std::string &library = "tmplibaddrkit") {
        return session_->call(library, procedure, args);
    }
    template <class F>
    static F fn(const char *name) {
        return reinterpret_cast<F>(dlsym(lib_, name));
    }
    inline static void *lib_ = nullptr;
};

TEST_F(SecondBuild, NatAllocationFromACLOB) {
    EXPECT_EQ(extproc::format_call(call("C_get_ipaddress_natLob", {"10.0.0.0", "30", ""})),
              "return: 0\nresult: 10.0.0.0\nerror: <null>\n");
    for (const auto &args : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "30", "10.0.0.0 10.0.0.1"}, {"10.0.0.0", "30", "10.0.0.0 10.0.0.1 10.0.0.2 10.0.0.3"},
             {"10.0.0.0", "30", "10.0.0.9"}, {"10.0.0.1", "30", ""}, {"10.0.0.0", "30", "10.0.0.2 10.0.0.2"}}) {
        CallResult lob = call("C_get_ipaddress_natLob", args), scalar = call("C_get_ipaddress_nat", args);
        EXPECT_EQ(extproc::format_call(lob), extproc::format_call(scalar)) << args[2];
    }
    // Its failures leave the result NULL too.
    CallResult r = call("C_get_ipaddress_natLob", {"10.0.0.0", "30", "10.0.0.9"});
    EXPECT_EQ(r.ret, 2);
    EXPECT_TRUE(r.out("result")->null);
    inject_fault("loblength", 1, OCI_ERROR);
    r = call("C_get_ipaddress_natLob", {"10.0.0.0", "30", ""});
    EXPECT_EQ(extproc::format_call(r), "return: 2\nresult: <null>\nerror: Error in get lob len for ipaddress tab -1\n");
    inject_fault("lobread", 1, OCI_ERROR);
    r = call("C_get_ipaddress_natLob", {"10.0.0.0", "30", "10.0.0.0"});
    EXPECT_EQ(r.out("error")->value, "Error in read on ipaddress tab -1");
    inject_fault("extprocenv", 1, OCI_ERROR);
    r = call("C_get_ipaddress_natLob", {"10.0.0.0", "30", ""});
    EXPECT_EQ(r.out("error")->value, "Error in get oci env -1");
    clear_faults();
}

TEST_F(SecondBuild, SharesTheProceduresAndTheirCLOBVariants) {
    for (const auto &[procedure, args] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"C_aggregateLob", {"10.0.0.0 10.0.1.0", "24 24"}},
             {"C_PoolRangesLob", {"10.0.0.1 10.0.0.2 10.0.0.9"}},
             {"C_get_next_subnw", {"10.0.0.0", "24", "10.0.0.0", "26", "26"}},
             {"C_ConvertIP", {"0.1.0.2", "CONVERTFIP"}},
             {"C_ConvertIP", {"0.1.0.2", "CONVERTLIP"}},
             {"C_GetIPAddressListLob", {"10.0.0.0", "28", "3"}}})
        EXPECT_EQ(extproc::format_call(call(procedure, args)), extproc::format_call(call(procedure, args, "addrkit")))
            << procedure;
    // Left out: the directory procedures and C_get_largest_subnw.
    for (const char *absent : {"C_check_dir", "C_create_dir", "C_remove_dir", "C_get_largest_subnw"})
        EXPECT_EQ(dlsym(lib_, absent), nullptr) << absent;
    CallResult r = call("C_check_dir", {"", "x"});
    EXPECT_FALSE(r.called);
}

TEST_F(SecondBuild, LargestFreeBlockByTheNextSubnetSearch) {
    // Only the parent's network and broadcast addresses are free: the
    // next-subnet search never answers them.
    std::vector<std::string> ends = {"10.0.0.0", "30", "10.0.0.1 10.0.0.2", "32 32"};
    EXPECT_EQ(call("C_get_maxsubnw_size", ends, "addrkit").out("largest")->value, "1");
    CallResult r = call("C_get_maxsubnw_size", ends);
    EXPECT_EQ(extproc::format_call(r), "return: 0\nparentsize: 4\nusedtotal: 2\nlargest: 0\nerror: <null>\n");
    EXPECT_EQ(call("C_get_maxsubnw_sizeLob", ends).out("largest")->value, "0");
    EXPECT_EQ(call("C_get_maxsubnw_size", {"10.0.0.0", "32", "", ""}).out("largest")->value, "0");
    // Elsewhere both builds agree.
    for (const auto &args : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.0", "25"}, {"10.0.0.0", "24", "10.0.0.0", "24"},
             {"10.0.0.0", "30", "10.0.0.1", "32"}, {"10.0.0.0", "24", "10.0.0.1 10.0.0.64", "32 26"},
             {"10.0.0.0", "33", "", ""}})
        EXPECT_EQ(extproc::format_call(call("C_get_maxsubnw_size", args)),
                  extproc::format_call(call("C_get_maxsubnw_size", args, "addrkit")))
            << args[2];
}

TEST_F(SecondBuild, ExpressionTextOf512Bytes) {
    // prefix + name + " = " + expression + ";" and the NUL: 502 bytes here.
    std::string expression = "1" + std::string(495, ' ');
    std::vector<std::string> args = {"", "x", expression};
    CallResult r = call("C_evaluate_expression", args);
    EXPECT_EQ(extproc::format_call(r), "return: 0\nresult: 1\nerror: <null>\n");
    r = call("C_evaluate_expression", args, "addrkit");
    EXPECT_EQ(r.out("error")->value, "Error : expression text longer than 499 characters\n");
    args[2] += std::string(11, ' ');
    EXPECT_EQ(call("C_evaluate_expression", args).out("error")->value,
              "Error : expression text longer than 511 characters\n");
}

TEST_F(SecondBuild, CidrHelpers) {
    auto cidrize = fn<char *(*)(unsigned, unsigned)>("cidrize");
    auto add_offset = fn<std::int64_t (*)(const char *, int)>("add_offset");
    auto count_on_bits = fn<int (*)(unsigned)>("count_on_bits");
    ASSERT_TRUE(cidrize && add_offset && count_on_bits);
    EXPECT_STREQ(cidrize(0x0A000000u, 0x0A0000FFu), "10.0.0.0/24");
    EXPECT_STREQ(cidrize(0x0A000005u, 0x0A000005u), "10.0.0.5/32");
    EXPECT_STREQ(cidrize(0x0A000000u, 0x8A000000u), "0.0.0.0/0");
    EXPECT_EQ(add_offset("10.0.0.0", 24), 0x0A0000FF);
    EXPECT_EQ(add_offset("0.0.0.0", 0), 0xFFFFFFFFll);
    EXPECT_EQ(add_offset("10.0.0.7", 32), 0x0A000007);
    // Errors come back to the caller; the process goes on.
    testing::internal::CaptureStderr();
    EXPECT_EQ(add_offset("10.0.0.0", 33), -1);
    EXPECT_EQ(add_offset("10.0.0.1", 24), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "CIDR offsets are between 0 and 32\nCIDR base address didn't start at subnet boundary\n");
    EXPECT_EQ(count_on_bits(0xFFFFFF00u), 24);
    EXPECT_EQ(count_on_bits(0), 0);
    EXPECT_EQ(count_on_bits(0xFFFFFFFFu), 32);
}

TEST_F(SecondBuild, LogWritersAppendWhereTheDriveRootIs) {
    auto writelog = fn<void (*)(const char *)>("writelog");
    auto writeint = fn<void (*)(int)>("writeint");
    ASSERT_TRUE(writelog && writeint);
    TempTree tree;
    const char *old = std::getenv("NDL_DRIVE_ROOT");
    std::string saved = old ? old : "";
    setenv("NDL_DRIVE_ROOT", tree.root().c_str(), 1);
    // No folder for the log yet: nothing happens, nothing fails.
    writelog("lost");
    tree.dir("tavlo");
    writelog("first ");
    writeint(-2147483647 - 1);
    writeint(42);
    std::ifstream in(tree.path("tavlo/log.txt"));
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "first -214748364842");
    if (old)
        setenv("NDL_DRIVE_ROOT", saved.c_str(), 1);
    else
        unsetenv("NDL_DRIVE_ROOT");
}

TEST(SecondBuildDriver, ConvertsItsFixedAddress) {
    ProgramRun r = run_program(std::string(NDL_BIN_DIR) + "/tmplibaddrkit_driver", {});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Addressouttab 266\n");
}

}  // namespace
