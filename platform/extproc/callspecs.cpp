#include "callspecs.h"

#include <algorithm>
#include <cstring>

// The exports' own declarations, which every line is checked against.
#include "c_evaluate_expression.h"
#include "dirprocs.h"
#include "entry.h"
#include "folderwalk.h"
#include "lobprocs.h"
#include "procedures.h"
#include "solaris.h"

namespace extproc {

using namespace param;

// A line of export FN under its own name.
#define NDL_LINE(library, fn, ...) line<&fn>(library, #fn, __VA_ARGS__)

// clang-format off
const CallSpec kCallSpecs[] = {
    NDL_LINE("cfgproc", NDL_parsefile, {ctx, clob_out("log"), text_in("repository"), text_in("files"), text_in("mode"), text_out("message", 4000)}, kRepository),
    // The address library: validation.
    NDL_LINE("addrkit", C_validate_multicastaddr, {text_in("address"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_check_subipaddress2, {text_in("network"), int_in("prefix"), text_in("address"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_check_subipaddress, {text_in("first"), text_in("last"), text_in("network"), int_in("prefix"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_ipaddress_innet, {text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_ipaddress_fornw, {text_in("network"), int_in("prefix"), text_in("addresses"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_network, {text_in("network"), int_in("prefix"), text_in("assigned"), text_in("assignedprefixes"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_subnetwork, {text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), text_in("assigned"), text_in("assignedprefixes"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_ValidateAddressRange, {text_in("first"), text_in("last"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_ValidateIPAddressInRange, {text_in("first"), text_in("last"), text_in("address"), text_out("error", 4000)}),
    // The address library: masks, conversions, lists and ranges.
    NDL_LINE("addrkit", C_compute_network, {text_in("address"), int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_compute_mask, {int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_compute_inversemask, {int_in("prefix"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_ExtractNetworkBroadcast, {text_in("address"), int_in("prefix"), text_out("network", 4000), text_out("broadcast", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_ConvertIP, {text_in("address"), text_in("mode"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_GetIPAddressList, {text_out("result", 32767), text_in("network"), int_in("prefix"), int_in("start"), int_out("next"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_GetAddressRange, {text_out("result", 32767), text_in("first"), text_in("last"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_PoolRanges, {text_in("addresses"), text_out("ranges", 32767), text_out("masks", 32767), text_out("commonmask", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_NetPoolRanges, {text_in("networks"), text_in("prefixes"), int_in("hostonly"), text_out("ranges", 32767), text_out("masks", 32767), text_out("commonmask", 4000), text_out("error", 4000)}),
    // The address library: subnets, aggregation, host and NAT addresses. C_get_largest_subnw takes
    // arrays, which no call specification can pass: it has no line here.
    NDL_LINE("addrkit", C_get_next_subnw, {text_in("parent"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("wanted"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_maxsubnw_size, {text_in("parent"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_out("parentsize"), int_out("usedtotal"), int_out("largest"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregate_toone, {text_in("networks"), text_in("prefixes"), text_out("result", 4000), int_out("prefix"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregate_toprefix, {text_in("networks"), text_in("prefixes"), text_out("result", 4000), int_in("limit"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregate, {text_in("networks"), text_in("prefixes"), text_out("networklist", 32767), text_out("prefixlist", 32767), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_fornw, {text_out("result", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_nat, {text_out("result", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_forptopnw, {text_out("first", 4000), text_out("second", 4000), text_in("network"), int_in("prefix"), text_in("used"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_foroff, {text_out("result", 4000), text_in("network"), int_in("prefix"), int_in("offset"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_natx, {text_out("result", 32767), text_in("pool"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("count"), int_in("contiguous"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_natnet, {text_out("networklist", 32767), text_out("prefixlist", 32767), text_in("pool"), int_in("prefix"), text_in("used"), text_in("usedprefixes"), int_in("count"), int_in("contiguous"), int_in("expand"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_evaluate_expression, {text_in("prefix"), text_in("name"), text_in("expression"), text_out("result", 4000), text_out("error", 4000)}),
    // The address library: list inputs and results as CLOBs.
    NDL_LINE("addrkit", C_get_maxsubnw_sizeLob, {ctx, text_in("parent"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_out("parentsize"), int_out("usedtotal"), int_out("largest"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_PoolRangesLob, {ctx, clob_in("addresses"), clob_out("ranges"), clob_out("masks"), text_out("commonmask", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_fornwLob, {ctx, text_out("result", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_next_subnwLob, {ctx, text_in("parent"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("wanted"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_forptopnwLob, {ctx, text_out("first", 4000), text_out("second", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_natxLob, {ctx, text_out("result", 32767), text_in("pool"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("count"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_ipaddress_fornwLob, {ctx, text_in("network"), int_in("prefix"), clob_in("addresses"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregate_tooneLob, {ctx, clob_in("networks"), clob_in("prefixes"), text_out("result", 4000), int_out("prefix"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregate_toprefixLob, {ctx, clob_in("networks"), clob_in("prefixes"), text_out("result", 4000), int_in("limit"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_aggregateLob, {ctx, clob_in("networks"), clob_in("prefixes"), clob_out("networklist"), clob_out("prefixlist"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_networkLob, {ctx, text_in("network"), int_in("prefix"), clob_in("assigned"), clob_in("assignedprefixes"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_validate_subnetworkLob, {ctx, text_in("network"), int_in("prefix"), text_in("parent"), int_in("parentprefix"), clob_in("assigned"), clob_in("assignedprefixes"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_GetIPAddressListLob, {ctx, clob_out("result"), text_in("network"), int_in("prefix"), int_in("start"), int_out("next"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_GetAddressRangeLob, {ctx, clob_out("result"), text_in("first"), text_in("last"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_NetPoolRangesLob, {ctx, clob_in("networks"), clob_in("prefixes"), int_in("hostonly"), clob_out("ranges"), clob_out("masks"), text_out("commonmask", 4000), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_get_ipaddress_natnetLob, {ctx, clob_out("networklist"), clob_out("prefixlist"), text_in("pool"), int_in("prefix"), clob_in("used"), clob_in("usedprefixes"), int_in("count"), int_in("contiguous"), int_in("expand"), text_out("error", 4000)}),
    // The address library: directories under a base directory.
    NDL_LINE("addrkit", C_check_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_create_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_remove_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    // The second build of the address library takes every line of addrkit (see
    // find_callspec) and adds its own.
    NDL_LINE("tmplibaddrkit", C_get_ipaddress_natLob, {ctx, text_out("result", 4000), text_in("network"), int_in("prefix"), clob_in("used"), text_out("error", 4000)}),
    // The directory lister, under the decorated name of dirlist(char*, char*).
    line<&dirlist>("folderwalk", "_Z7dirlistPcS_", {text_in("dir"), buf_out("out", 32768)}),
    {nullptr, nullptr, 0, {}},
};
// clang-format on

#ifndef NDL_TEST_CALLSPECS
const CallSpec kTestCallSpecs[] = {{nullptr, nullptr, 0, {}}};
#endif

namespace {

constexpr const CallSpec *kTables[] = {kCallSpecs, kTestCallSpecs};

// The second build of the address library is bound by addrkit's lines too.
constexpr const char *kSecondBuild = "tmplibaddrkit";
constexpr const char *kFirstBuild = "addrkit";

template <typename F>
void each_line(F f) {
    for (const CallSpec *table : kTables)
        for (const CallSpec *s = table; s->library; ++s) f(*s);
}

const char *kind_text(ParamKind k) {
    switch (k) {
        case ParamKind::Context: return "context";
        case ParamKind::TextIn: return "text in";
        case ParamKind::IntIn: return "int in";
        case ParamKind::TextOut: return "text out";
        case ParamKind::IntOut: return "int out";
        case ParamKind::ClobIn: return "clob in";
        case ParamKind::ClobOut: return "clob out";
        case ParamKind::BufOut: return "buffer out";
    }
    return "?";
}

}  // namespace

const CallSpec *find_callspec(const char *library, const char *procedure) {
    const CallSpec *found = nullptr;
    each_line([&](const CallSpec &s) {
        if (!found && std::strcmp(s.library, library) == 0 && std::strcmp(s.procedure, procedure) == 0)
            found = &s;
    });
    if (found) return found;
    // The same declarations bind both builds of the address library; what the
    // second build does not export is not found when it is called.
    if (std::strcmp(library, kSecondBuild) == 0) return find_callspec(kFirstBuild, procedure);
    return nullptr;
}

bool known_library(const char *library) {
    bool known = false;
    each_line([&](const CallSpec &s) { known |= std::strcmp(s.library, library) == 0; });
    return known;
}

std::vector<const CallSpec *> library_callspecs(const char *library) {
    std::vector<const CallSpec *> lines;
    if (std::strcmp(library, kSecondBuild) == 0) lines = library_callspecs(kFirstBuild);
    each_line([&](const CallSpec &s) {
        if (std::strcmp(s.library, library) == 0) lines.push_back(&s);
    });
    return lines;
}

std::vector<std::string> library_names() {
    std::vector<std::string> names;
    each_line([&](const CallSpec &s) {
        if (std::find(names.begin(), names.end(), s.library) == names.end()) names.emplace_back(s.library);
    });
    return names;
}

std::string describe_params(const CallSpec &spec) {
    std::string d;
    for (int i = 0; i < spec.nparams; ++i) {
        const ParamSpec &p = spec.params[i];
        if (i) d += ", ";
        d.append(p.name).append(" ").append(kind_text(p.kind));
        if (p.size) d.append("(").append(std::to_string(p.size)).append(")");
    }
    return d;
}

}  // namespace extproc
