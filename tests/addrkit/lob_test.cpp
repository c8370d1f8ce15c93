// The *Lob variants as the agent calls them: each against its scalar twin on
// the same inputs, lists of 5000 items, result CLOBs reused, and the CLOB
// faults (lengths, reads, writes, the context) with what they leave behind.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>
#include <vector>

#include "fault_hook.h"
#include "host.h"
#include "host_suite.h"
#include "oci.h"

namespace {

using extproc::CallResult;
const std::string N = "<null>";

std::string dotted(unsigned a) {
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." + std::to_string((a >> 8) & 255) +
           "." + std::to_string(a & 255);
}

// What a call answered, out-parameter by out-parameter.
std::string answer(const CallResult &r) {
    if (!r.called) return "not called: " + r.error;
    return extproc::format_call(r);
}

class LobVariants : public HostSuite {
protected:
    static void SetUpTestSuite() { open_session("addrkit_lob.db"); }
    void TearDown() override { clear_faults(); }

    static CallResult call(const std::string &procedure, const std::vector<std::string> &args,
                           const std::string &library = "addrkit") {
        return session_->call(library, procedure, args);
    }
    // The variant and its scalar answer alike (the scalar takes EXTRA
    // in-parameters after the variant's).
    static void same(const std::string &procedure, const std::vector<std::string> &args,
                     const std::vector<std::string> &extra = {}) {
        std::vector<std::string> scalar_args = args;
        scalar_args.insert(scalar_args.end(), extra.begin(), extra.end());
        CallResult lob = call(procedure + "Lob", args), scalar = call(procedure, scalar_args);
        ASSERT_TRUE(lob.called) << lob.error;
        EXPECT_EQ(answer(lob), answer(scalar)) << procedure << "Lob on '" << (args.empty() ? "" : args[0]) << "'...";
    }
};

TEST_F(LobVariants, AnswerAsTheirScalarTwins) {
    // Successes and failures of every member, lists and messages alike.
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.0", "25"}, {"10.0.0.0", "24", "10.0.0.0", "24"}, {"10.0.0.0", "33", "", ""},
             {"10.0.0.0", "24", "10.0.0.0", ""}, {"10.0.0.0", "24", "", ""}})
        same("C_get_maxsubnw_size", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.1 10.0.0.2 10.0.0.3 10.0.0.9"}, {""}, {"10.0.0.1 banana"}, {"  10.0.0.5   10.0.0.4 "}})
        same("C_PoolRanges", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "30", "10.0.0.1"}, {"10.0.0.0", "30", "10.0.0.1 10.0.0.2"}, {"10.0.0.0", "24", "10.0.0.9 10.0.0.9"},
             {"10.0.0.0", "24", "10.0.1.1"}, {"10.0.0.0", "24", ""}})
        same("C_get_ipaddress_fornw", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.0", "26", "26"}, {"10.0.0.0", "30", "", "", "32"},
             {"10.0.0.0", "24", "", "", "23"}, {"10.0.0.0", "24", "10.0.0.0", "24", "26"},
             {"10.0.0.0", "24", "10.0.0.0 10.0.0.4", "30", "30"}})
        same("C_get_next_subnw", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "30", "10.0.0.1"}, {"10.0.0.0", "31", ""}, {"10.0.0.0", "30", "10.0.0.0"}})
        same("C_get_ipaddress_forptopnw", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "", "", "3"}, {"10.0.0.0", "24", "10.0.0.0", "25", "100"},
             {"10.0.0.0", "30", "", "", "9"}, {"10.0.0.0", "24", "10.0.0.1", "", "1"}})
        same("C_get_ipaddress_natx", a, {"0"});
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.1 10.0.0.2"}, {"10.0.0.0", "24", "10.0.0.0"}, {"10.0.0.0", "24", "10.0.0.7 10.0.0.7"},
             {"10.0.0.1", "24", ""}})
        same("C_validate_ipaddress_fornw", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0 10.0.1.0", "24 24"}, {"10.0.0.0 10.0.2.0", "24 24"}, {"", ""}, {"10.0.0.0 10.0.1.0", "24"},
             {"10.0.0.1", "24"}, {"224.0.0.0", "24"}})
        same("C_aggregate_toone", a), same("C_aggregate", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0 10.0.1.0", "24 24", "16"}, {"10.0.0.0 10.0.1.0", "24 24", "24"}, {"", "", "16"}})
        same("C_aggregate_toprefix", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.128", "25"}, {"10.0.0.0", "24", "10.0.1.0", "24"}, {"240.0.0.0", "4", "", ""},
             {"10.0.0.0", "24", "10.0.1.0 10.0.2.0", "24"}})
        same("C_validate_network", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "10.0.0.0", "16", "10.0.1.0", "24"}, {"10.0.0.0", "24", "10.0.0.0", "16", "10.0.0.0", "23"},
             {"10.1.0.0", "24", "10.0.0.0", "16", "", ""}})
        same("C_validate_subnetwork", a);
    // One page holds the whole network here.
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "30", "0"}, {"10.0.0.0", "24", "250"}, {"10.0.0.0", "30", "4"}, {"10.0.0.0", "33", "0"},
             {"10.0.0.0", "24", "-1"}})
        same("C_GetIPAddressList", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.250", "10.0.1.3"}, {"10.0.0.3", "10.0.0.3"}, {"10.0.0.300", "10.0.1.3"}})
        same("C_GetAddressRange", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0 10.0.1.0", "30 24", "1"}, {"10.0.0.0", "30", "0"}, {"", "", "0"}, {"10.0.0.0 10.0.0.4", "30", "0"},
             {"10.0.0.0", "30 30", "1"}})
        same("C_NetPoolRanges", a);
    for (auto &a : std::vector<std::vector<std::string>>{
             {"10.0.0.0", "24", "", "", "6", "0", "0"}, {"10.0.0.0", "24", "10.0.0.0", "26", "6", "1", "1"},
             {"10.0.0.0", "24", "", "", "0", "0", "0"}, {"10.0.0.0", "30", "", "", "9", "0", "0"},
             {"10.0.0.1", "24", "", "", "2", "0", "0"}})
        same("C_get_ipaddress_natnet", a);
}

TEST_F(LobVariants, DifferencesFromTheScalars) {
    CallResult r = call("C_get_ipaddress_fornwLob", {"10.0.0.1", "24", ""});
    EXPECT_EQ(r.ret, 2);
    EXPECT_TRUE(r.out("result")->null);
    EXPECT_EQ(r.out("error")->value, "Error: Invalid network\n");

    // No pages: a /22 in one call.
    r = call("C_GetIPAddressListLob", {"10.0.0.0", "22", "0"});
    ASSERT_EQ(r.ret, 0) << answer(r);
    std::string all;
    for (unsigned a = 0; a < 1024; ++a) all += dotted(0x0A000000u + a) + " ";
    EXPECT_EQ(r.out("result")->value, all);
    EXPECT_EQ(r.out("next")->value, "-1");
    r = call("C_GetIPAddressListLob", {"10.0.0.0", "22", "1024"});
    EXPECT_EQ(answer(r), "return: 0\nresult: \nnext: -1\nerror: <null>\n");
    EXPECT_EQ(r.out("error")->value, "Invalid index '1024' passed ");

    // The NAT variant is always scattered.
    r = call("C_get_ipaddress_natxLob", {"10.0.0.0", "24", "10.0.0.2", "32", "4"});
    EXPECT_EQ(answer(r), answer(call("C_get_ipaddress_natx", {"10.0.0.0", "24", "10.0.0.2", "32", "4", "0"})));

    // The subnet search through a CLOB leaves the secondary code alone.
    void *lib = dlopen((std::string(NDL_BIN_DIR) + "/libaddrkit.so").c_str(), RTLD_NOW);
    ASSERT_NE(lib, nullptr);
    int *code = static_cast<int *>(dlsym(lib, "g_errorcode"));
    ASSERT_NE(code, nullptr);
    call("C_get_next_subnw", {"10.0.0.0", "24", "", "", "23"});
    EXPECT_EQ(*code, 2);
    r = call("C_get_next_subnwLob", {"10.0.0.0", "24", "10.0.0.0", "24", "26"});
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(*code, 2);
    call("C_get_next_subnwLob", {"10.0.0.0", "24", "", "", "26"});
    EXPECT_EQ(*code, 2);
    dlclose(lib);
}

TEST_F(LobVariants, ListsOf5000Items) {
    std::string hosts, blocks, prefixes, pool;
    for (unsigned i = 0; i < 5000; ++i) {
        hosts += dotted(0x0A000001u + i * 7) + " ";
        blocks += dotted(0x0A000000u + (i << 8)) + " ";
        prefixes += "24 ";
        // Runs of ten addresses: 500 ranges.
        pool += dotted(0x0B000000u + (i / 10) * 20 + i % 10) + " ";
    }
    same("C_validate_ipaddress_fornw", {"10.0.0.0", "16", hosts});
    same("C_get_ipaddress_fornw", {"10.0.0.0", "16", hosts});
    same("C_validate_network", {"11.0.0.0", "24", blocks, prefixes});
    same("C_get_next_subnw", {"10.0.0.0", "8", blocks, prefixes, "24"});
    same("C_get_maxsubnw_size", {"10.0.0.0", "8", blocks, prefixes});
    same("C_aggregate", {blocks, prefixes});
    same("C_aggregate_toone", {blocks, prefixes});
    same("C_PoolRanges", {pool});
    same("C_get_ipaddress_natnet", {"10.0.0.0", "8", blocks, prefixes, "1000", "0", "1"});

    // Results beyond any text parameter: one range per network, 5000 of them.
    CallResult r = call("C_NetPoolRangesLob", {blocks, prefixes, "1"});
    ASSERT_EQ(r.ret, 0) << answer(r);
    std::string ranges, masks;
    for (unsigned i = 0; i < 5000; ++i) {
        unsigned n = 0x0A000000u + (i << 8);
        ranges += dotted(n + 1) + " " + dotted(n + 254) + "@";
        masks += "255.255.255.0 ";
    }
    EXPECT_EQ(r.out("ranges")->value, ranges);
    EXPECT_EQ(r.out("masks")->value, masks);
    EXPECT_EQ(r.out("commonmask")->value, "255.255.255.0 ");
    r = call("C_GetAddressRangeLob", {"10.0.0.0", dotted(0x0A000000u + 4999)});
    std::string range;
    for (unsigned a = 0; a < 5000; ++a) range += dotted(0x0A000000u + a) + " ";
    EXPECT_EQ(r.out("result")->value, range);

    // One item too many fails as the scalar fails.
    same("C_validate_network", {"11.0.0.0", "24", blocks + "10.200.0.0", prefixes + "24"});
}

TEST_F(LobVariants, LongCLOBsAreRefusedBeforeTheyAreRead) {
    std::string blanks(320001, ' ');
    CallResult r = call("C_aggregateLob", {"10.0.0.0", blanks});
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.out("error")->value, "Error : List in prefix tab too long: 320001 characters, at most 320000\n");
    EXPECT_TRUE(r.out("networklist")->null);
    // The NAT variant's working texts: 30000 and 3000 characters.
    r = call("C_get_ipaddress_natxLob", {"10.0.0.0", "24", "", std::string(3000, ' '), "1"});
    EXPECT_EQ(r.out("error")->value, "Error : List in prefix tab too long: 3000 characters, at most 2999\n");
    EXPECT_TRUE(r.out("result")->null);
    r = call("C_get_ipaddress_natxLob", {"10.0.0.0", "24", std::string(30000, ' '), "", "1"});
    EXPECT_EQ(r.out("error")->value, "Error : List in ipaddress tab too long: 30000 characters, at most 29999\n");
    r = call("C_get_ipaddress_natxLob", {"10.0.0.0", "24", std::string(29990, ' ') + "10.0.0.0", "31", "1"});
    EXPECT_EQ(answer(r), "return: 0\nresult: 10.0.0.2 \nerror: <null>\n");
}

// A failing OCI call of KIND (the NTH from now) during the call.
CallResult with_fault(const char *kind, int nth, const std::string &procedure, const std::vector<std::string> &args,
                      extproc::Session &s) {
    inject_fault(kind, nth, OCI_ERROR);
    CallResult r = s.call("addrkit", procedure, args);
    clear_faults();
    return r;
}

TEST_F(LobVariants, CLOBFaultsFailTheCallAndLeaveNoResult) {
    auto &s = *session_;
    // Lengths: the prefix CLOB is read first.
    CallResult r = with_fault("loblength", 1, "C_aggregateLob", {"10.0.0.0", "24"}, s);
    EXPECT_EQ(answer(r), "return: 2\nnetworklist: <null>\nprefixlist: <null>\nerror: Error in get lob len for prefix tab -1\n");
    r = with_fault("loblength", 2, "C_aggregateLob", {"10.0.0.0", "24"}, s);
    EXPECT_EQ(r.out("error")->value, "Error in get lob len for newtwork tab -1");
    r = with_fault("loblength", 2, "C_get_ipaddress_natnetLob", {"10.0.0.0", "24", "", "", "2", "0", "0"}, s);
    EXPECT_EQ(r.out("error")->value, "Error in get lob len for ipaddresslob  tab -1");
    r = with_fault("loblength", 1, "C_aggregate_tooneLob", {"10.0.0.0", "24"}, s);
    EXPECT_EQ(answer(r), "return: 2\nresult: <null>\nprefix: 0\nerror: Error in get lob len for prefix  tab -1\n");
    r = with_fault("loblength", 1, "C_get_ipaddress_forptopnwLob", {"10.0.0.0", "30", ""}, s);
    EXPECT_EQ(answer(r), "return: 2\nfirst: <null>\nsecond: <null>\nerror: Error in get lob len for ipaddress tab -1\n");
    r = with_fault("loblength", 2, "C_validate_subnetworkLob", {"10.0.0.0", "24", "10.0.0.0", "16", "", ""}, s);
    EXPECT_EQ(r.out("error")->value, "Error in get lob len for network tab -1");

    // Reads: the status, or the Oracle error text where the member gives it.
    r = with_fault("lobread", 1, "C_get_next_subnwLob", {"10.0.0.0", "24", "10.0.0.0", "26", "26"}, s);
    EXPECT_EQ(answer(r), "return: 2\nresult: <null>\nerror: Error in read on prefix tab -1\n");
    r = with_fault("lobread", 2, "C_get_next_subnwLob", {"10.0.0.0", "24", "10.0.0.0", "26", "26"}, s);
    EXPECT_EQ(r.out("error")->value, "Error in read on network tab -1");
    r = with_fault("lobread", 1, "C_get_maxsubnw_sizeLob", {"10.0.0.0", "24", "10.0.0.0", "26"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in read on prefix tab \n", 0), 0u) << r.out("error")->value;
    EXPECT_GT(r.out("error")->value.size(), std::string("Error in read on prefix tab \n").size());
    // An empty CLOB is not read at all.
    r = with_fault("lobread", 1, "C_validate_ipaddress_fornwLob", {"10.0.0.0", "24", ""}, s);
    EXPECT_EQ(r.ret, 0) << answer(r);

    // The context.
    r = with_fault("extprocenv", 1, "C_PoolRangesLob", {"10.0.0.1"}, s);
    EXPECT_EQ(answer(r), "return: 2\nranges: <null>\nmasks: <null>\ncommonmask: <null>\nerror: Error in get oci env -1\n");
    r = with_fault("extprocenv", 1, "C_GetAddressRangeLob", {"10.0.0.1", "10.0.0.3"}, s);
    EXPECT_EQ(answer(r), "return: 2\nresult: <null>\nerror: Error in get oci env -1\n");

    // Writes (the host fills the input CLOB with the first one): the
    // numbered texts, and no result is left.
    r = with_fault("lobwrite", 2, "C_PoolRangesLob", {"10.0.0.1 10.0.0.3"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite (3)-- -1 ", 0), 0u) << r.out("error")->value;
    EXPECT_TRUE(r.out("ranges")->null && r.out("masks")->null && r.out("commonmask")->null);
    r = with_fault("lobwrite", 3, "C_PoolRangesLob", {"10.0.0.1 10.0.0.3"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite (4) -- -1 ", 0), 0u) << r.out("error")->value;
    EXPECT_TRUE(r.out("ranges")->null);
    std::string isolated;
    for (unsigned i = 0; i < 3000; ++i) isolated += dotted(0x0A000000u + 2 * i) + " ";
    r = with_fault("lobwrite", 2, "C_PoolRangesLob", {isolated}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite(1) -- -1 ", 0), 0u) << r.out("error")->value;
    r = with_fault("lobwrite", 3, "C_NetPoolRangesLob", {"10.0.0.0", "30", "0"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite(1) -- -1 ", 0), 0u) << r.out("error")->value;
    r = with_fault("lobwrite", 4, "C_NetPoolRangesLob", {"10.0.0.0", "30", "0"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite (2) -- -1 ", 0), 0u) << r.out("error")->value;
    EXPECT_TRUE(r.out("ranges")->null && r.out("masks")->null);
    r = with_fault("lobwrite", 1, "C_GetIPAddressListLob", {"10.0.0.0", "24", "0"}, s);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite -- -1 ", 0), 0u) << r.out("error")->value;
    EXPECT_EQ(r.out("next")->value, "0");
    EXPECT_TRUE(r.out("result")->null);
}

// Calls an export directly with a CLOB of the session's that already holds
// a text, as a caller that reuses its locator does.
TEST_F(LobVariants, AReusedResultCLOBKeepsNoStaleTail) {
    const auto &h = session_->handles();
    void *lib = dlopen((std::string(NDL_BIN_DIR) + "/libaddrkit.so").c_str(), RTLD_NOW);
    ASSERT_NE(lib, nullptr);
    using Range = int (*)(OCIExtProcContext *, OCILobLocator **, const char *, const char *, char *, int, int *);
    auto range = reinterpret_cast<Range>(dlsym(lib, "C_GetAddressRangeLob"));
    ASSERT_NE(range, nullptr);
    OCILobLocator *lob = nullptr;
    ASSERT_EQ(OCIDescriptorAlloc(h.env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr), OCI_SUCCESS);
    char err[4000];
    int errind = 0;
    auto text = [&] {
        ub4 n = 0;
        const char *t = ocix_lob_text(lob, &n);
        return std::string(t, n);
    };
    OCILobLocator *ref = lob;
    ASSERT_EQ(range(h.ctx, &ref, "10.0.0.1", "10.0.0.200", err, sizeof err, &errind), 0) << err;
    EXPECT_EQ(text().size(), 9 * 9 + 90 * 10 + 101 * 11u);
    EXPECT_EQ(text().substr(0, 18), "10.0.0.1 10.0.0.2 ");
    ASSERT_EQ(range(h.ctx, &ref, "10.0.0.1", "10.0.0.2", err, sizeof err, &errind), 0) << err;
    EXPECT_EQ(text(), "10.0.0.1 10.0.0.2 ");
    EXPECT_EQ(ref, lob);
    // A failure empties the CLOB and hands back no locator.
    EXPECT_EQ(range(h.ctx, &ref, "10.0.0.2", "10.0.0.1", err, sizeof err, &errind), 2);
    EXPECT_EQ(ref, nullptr);
    EXPECT_EQ(text(), "");
    EXPECT_EQ(errind, 0);
    OCIDescriptorFree(lob, OCI_DTYPE_LOB);
    dlclose(lib);
}

}  // namespace
