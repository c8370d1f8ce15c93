#include "callspecs.h"

#include <algorithm>
#include <cstring>

namespace extproc {

using namespace param;

// clang-format off
const CallSpec kCallSpecs[] = {
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
