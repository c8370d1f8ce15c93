#include "callspecs.h"

#include <cstring>

namespace extproc {

namespace {
constexpr ParamSpec ctx{ParamKind::Context, "context", 0};
constexpr ParamSpec text_in(const char *n) { return {ParamKind::TextIn, n, 0}; }
constexpr ParamSpec int_in(const char *n) { return {ParamKind::IntIn, n, 0}; }
constexpr ParamSpec text_out(const char *n, int size) { return {ParamKind::TextOut, n, size}; }
constexpr ParamSpec int_out(const char *n) { return {ParamKind::IntOut, n, 0}; }
constexpr ParamSpec clob_in(const char *n) { return {ParamKind::ClobIn, n, 0}; }
constexpr ParamSpec clob_out(const char *n) { return {ParamKind::ClobOut, n, 0}; }
constexpr ParamSpec buf_out(const char *n, int size) { return {ParamKind::BufOut, n, size}; }
constexpr bool kRepository = true;
}  // namespace

// clang-format off
const CallSpec kCallSpecs[] = {
    // The marshalling test library: one export per parameter kind.
    {"hosttest", "T_echo", 5, {text_in("text"), int_in("number"), text_out("result", 4000), int_out("length"), text_out("error", 4000)}},
    {"hosttest", "T_clob", 5, {ctx, clob_in("input"), clob_out("output"), int_out("length"), text_out("error", 4000)}},
    {"hosttest", "T_write", 4, {ctx, text_in("value"), int_in("status"), text_out("error", 4000)}, kRepository},
    {"hosttest", "T_parsefile", 6, {ctx, clob_out("log"), text_in("repository"), text_in("files"), text_in("mode"), text_out("message", 4000)}},
    {"cfgproc", "NDL_parsefile", 6, {ctx, clob_out("log"), text_in("repository"), text_in("files"), text_in("mode"), text_out("message", 4000)}, kRepository},
    // The address library: validation.
    {"addrkit", "C_validate_multicastaddr", 2, {text_in("address"), text_out("error", 4000)}},
    {"addrkit", "C_check_subipaddress2", 4, {text_in("network"), int_in("prefix"), text_in("address"), text_out("error", 4000)}},
    {"addrkit", "C_check_subipaddress", 5, {text_in("first"), text_in("last"), text_in("network"), int_in("prefix"), text_out("error", 4000)}},
    {"addrkit", "C_ipaddress_innet", 5, {text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), text_out("error", 4000)}},
    {"addrkit", "C_validate_ipaddress_fornw", 4, {text_in("network"), int_in("prefix"), text_in("addresses"), text_out("error", 4000)}},
    {"addrkit", "C_validate_network", 5, {text_in("network"), int_in("prefix"), text_in("assigned"), text_in("assignedprefixes"), text_out("error", 4000)}},
    {"addrkit", "C_validate_subnetwork", 7, {text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), text_in("assigned"), text_in("assignedprefixes"), text_out("error", 4000)}},
    {"addrkit", "C_ValidateAddressRange", 3, {text_in("first"), text_in("last"), text_out("error", 4000)}},
    {"addrkit", "C_ValidateIPAddressInRange", 4, {text_in("first"), text_in("last"), text_in("address"), text_out("error", 4000)}},
    // The address library: masks, conversions, lists and ranges.
    {"addrkit", "C_compute_network", 4, {text_in("address"), int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_compute_mask", 3, {int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_compute_inversemask", 3, {int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_ExtractNetworkBroadcast", 5, {text_in("address"), int_in("prefix"), text_out("network", 4000), text_out("broadcast", 4000), text_out("error", 4000)}},
    {"addrkit", "C_ConvertIP", 4, {text_in("address"), text_in("mode"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_GetIPAddressList", 6, {text_out("result", 32767), text_in("network"), int_in("prefix"), int_in("start"), int_out("next"), text_out("error", 4000)}},
    {"addrkit", "C_GetAddressRange", 4, {text_out("result", 32767), text_in("first"), text_in("last"), text_out("error", 4000)}},
    {"addrkit", "C_PoolRanges", 5, {text_in("addresses"), text_out("ranges", 32767), text_out("masks", 32767), text_out("commonmask", 4000), text_out("error", 4000)}},
    {"addrkit", "C_NetPoolRanges", 7, {text_in("networks"), text_in("prefixes"), int_in("hostonly"), text_out("ranges", 32767), text_out("masks", 32767), text_out("commonmask", 4000), text_out("error", 4000)}},
    // The address library: subnets, aggregation, host and NAT addresses. C_get_largest_subnw takes
    // arrays, which no call specification can pass: it has no line here.
    {"addrkit", "C_get_next_subnw", 7, {text_in("parent"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("wanted"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_get_maxsubnw_size", 8, {text_in("parent"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_out("parentsize"), int_out("usedtotal"), int_out("largest"), text_out("error", 4000)}},
    {"addrkit", "C_aggregate_toone", 5, {text_in("networks"), text_in("prefixes"), text_out("result", 4000), int_out("prefix"), text_out("error", 4000)}},
    {"addrkit", "C_aggregate_toprefix", 5, {text_in("networks"), text_in("prefixes"), text_out("result", 4000), int_in("limit"), text_out("error", 4000)}},
    {"addrkit", "C_aggregate", 5, {text_in("networks"), text_in("prefixes"), text_out("networklist", 32767), text_out("prefixlist", 32767), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_fornw", 5, {text_out("result", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_nat", 5, {text_out("result", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_forptopnw", 6, {text_out("first", 4000), text_out("second", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_foroff", 5, {text_out("result", 4000), text_in("network"), int_in("prefix"), int_in("offset"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_natx", 8, {text_out("result", 32767), text_in("pool"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("count"), int_in("contiguous"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_natnet", 10, {text_out("networklist", 32767), text_out("prefixlist", 32767), text_in("pool"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("count"), int_in("contiguous"), int_in("expand"), text_out("error", 4000)}},
    {"addrkit", "C_evaluate_expression", 5, {text_in("prefix"), text_in("name"), text_in("expression"), text_out("result", 4000), text_out("error", 4000)}},
    // The address library: list inputs and results as CLOBs.
    {"addrkit", "C_get_maxsubnw_sizeLob", 9, {ctx, text_in("parent"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_out("parentsize"), int_out("usedtotal"), int_out("largest"), text_out("error", 4000)}},
    {"addrkit", "C_PoolRangesLob", 6, {ctx, clob_in("addresses"), clob_out("ranges"), clob_out("masks"), text_out("commonmask", 4000), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_fornwLob", 6, {ctx, text_out("result", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}},
    {"addrkit", "C_get_next_subnwLob", 8, {ctx, text_in("parent"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("wanted"), text_out("result", 4000), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_forptopnwLob", 7, {ctx, text_out("first", 4000), text_out("second", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_natxLob", 8, {ctx, text_out("result", 32767), text_in("pool"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("count"), text_out("error", 4000)}},
    {"addrkit", "C_validate_ipaddress_fornwLob", 5, {ctx, text_in("network"), int_in("prefix"), clob_in("addresses"), text_out("error", 4000)}},
    {"addrkit", "C_aggregate_tooneLob", 6, {ctx, clob_in("networks"), clob_in("prefixes"), text_out("result", 4000), int_out("prefix"), text_out("error", 4000)}},
    {"addrkit", "C_aggregate_toprefixLob", 6, {ctx, clob_in("networks"), clob_in("prefixes"), text_out("result", 4000), int_in("limit"), text_out("error", 4000)}},
    {"addrkit", "C_aggregateLob", 6, {ctx, clob_in("networks"), clob_in("prefixes"), clob_out("networklist"), clob_out("prefixlist"), text_out("error", 4000)}},
    {"addrkit", "C_validate_networkLob", 6, {ctx, text_in("network"), int_in("prefix"), clob_in("assigned"), clob_in("assignedprefixes"), text_out("error", 4000)}},
    {"addrkit", "C_validate_subnetworkLob", 8, {ctx, text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), clob_in("assigned"), clob_in("assignedprefixes"), text_out("error", 4000)}},
    {"addrkit", "C_GetIPAddressListLob", 7, {ctx, clob_out("result"), text_in("network"), int_in("prefix"), int_in("start"), int_out("next"), text_out("error", 4000)}},
    {"addrkit", "C_GetAddressRangeLob", 5, {ctx, clob_out("result"), text_in("first"), text_in("last"), text_out("error", 4000)}},
    {"addrkit", "C_NetPoolRangesLob", 8, {ctx, clob_in("networks"), clob_in("prefixes"), int_in("hostonly"), clob_out("ranges"), clob_out("masks"), text_out("commonmask", 4000), text_out("error", 4000)}},
    {"addrkit", "C_get_ipaddress_natnetLob", 11, {ctx, clob_out("networklist"), clob_out("prefixlist"), text_in("pool"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("count"), int_in("contiguous"), int_in("expand"), text_out("error", 4000)}},
    // The address library: directories under a base directory.
    {"addrkit", "C_check_dir", 3, {text_in("base"), text_in("name"), text_out("error", 4000)}},
    {"addrkit", "C_create_dir", 3, {text_in("base"), text_in("name"), text_out("error", 4000)}},
    {"addrkit", "C_remove_dir", 3, {text_in("base"), text_in("name"), text_out("error", 4000)}},
    // The second build of the address library takes every line of addrkit (see
    // find_callspec) and adds its own.
    {"tmplibaddrkit", "C_get_ipaddress_natLob", 6, {ctx, text_out("result", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}},
    // The directory lister, under the decorated name of dirlist(char*, char*).
    {"folderwalk", "_Z7dirlistPcS_", 2, {text_in("dir"), buf_out("out", 32768)}},
    {nullptr, nullptr, 0, {}},
};
// clang-format on

const CallSpec *find_callspec(const char *library, const char *procedure) {
    for (const CallSpec *s = kCallSpecs; s->library; ++s)
        if (std::strcmp(s->library, library) == 0 && std::strcmp(s->procedure, procedure) == 0)
            return s;
    // The same declarations bind both builds of the address library; what the
    // second build does not export is not found when it is called.
    if (std::strcmp(library, "tmplibaddrkit") == 0) return find_callspec("addrkit", procedure);
    return nullptr;
}

}  // namespace extproc
