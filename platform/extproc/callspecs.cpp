#include "callspecs.h"

#include <algorithm>
#include <array>
#include <cstring>

// The exports' own declarations, which every line is checked against.
#include "c_evaluate_expression.h"
#include "dirprocs.h"
#include "entry.h"
#include "folderwalk.h"
#include "lobprocs.h"
#include "procedures.h"

namespace extproc {

using namespace param;

// The address procedures' own kinds of parameter (procedures.h).
#define NDL_PARAM_int_out_zero(n) int_out(#n),
#define NDL_PARAM_list_in(n, ...) text_in(#n),
#define NDL_PARAM_list_out(n, size, ...) text_out(#n, size),
#define NDL_PARAM_plain_int(n, value) int_in(#n),
#define NDL_LOB_PARAM(p) NDL_LOB_PARAM_##p
#define NDL_LOB_PARAM_text_in NDL_PARAM_text_in
#define NDL_LOB_PARAM_int_in NDL_PARAM_int_in
#define NDL_LOB_PARAM_uint_in NDL_PARAM_uint_in
#define NDL_LOB_PARAM_int_out NDL_PARAM_int_out
#define NDL_LOB_PARAM_int_out_zero NDL_PARAM_int_out_zero
#define NDL_LOB_PARAM_text_out NDL_PARAM_text_out
#define NDL_LOB_PARAM_list_in(n, ...) clob_in(#n),
#define NDL_LOB_PARAM_list_out(n, ...) clob_out(#n),
#define NDL_LOB_PARAM_plain_int(n, value)

// The lines of the rows: export FN under its own name, or dirlist under its
// decorated name, that of dirlist(char*, char*).
#define NDL_CFGPROC_LINE(fn, ...) line<&fn>("cfgproc", #fn, NDL_PARAMS(__VA_ARGS__), kRepository),
#define NDL_ADDRKIT_LINE(fn, ...) line<&fn>("addrkit", #fn, NDL_PARAMS(__VA_ARGS__)),
#define NDL_DIRLIST_LINE(fn, ...) line<&fn>("folderwalk", "_Z7dirlistPcS_", NDL_PARAMS(__VA_ARGS__)),
// The address procedures' lines and their twins', the error triple last.
#define NDL_PLAIN_LINE(fn, ...) NDL_ADDRKIT_LINE(fn, __VA_ARGS__, NDL_ERROR_OUT)
#define NDL_PLAIN_LINE_OF_TWIN(fn, callee, ...) NDL_PLAIN_LINE(fn, __VA_ARGS__)
#define NDL_TWIN_LINE_OF(library, fn, ...) \
    line<&fn##Lob>(library, #fn "Lob", {ctx, NDL_FOR_EACH(NDL_LOB_PARAM, __VA_ARGS__, NDL_ERROR_OUT)}),
#define NDL_TWIN_LINE(fn, callee, ...) NDL_TWIN_LINE_OF("addrkit", fn, __VA_ARGS__)
#define NDL_SECOND_TWIN_LINE(fn, callee, ...) NDL_TWIN_LINE_OF("tmplibaddrkit", fn, __VA_ARGS__)
#define NDL_NO_LINE(...)

namespace {

consteval bool same_text(const char *a, const char *b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

// The twins of the first build, in the rows' order.
// clang-format off
constexpr CallSpec kTwinsByRow[] = {NDL_ADDRKIT_PROCEDURES(NDL_NO_LINE, NDL_TWIN_LINE, NDL_TWIN_LINE, NDL_NO_LINE)};
// clang-format on
constexpr const char *kTwinsListed[] = {NDL_ADDRKIT_TWINS_LISTED};
static_assert(std::size(kTwinsListed) == std::size(kTwinsByRow),
              "NDL_ADDRKIT_TWINS_LISTED (procedures.h) names every twin of the first build once");

// The twins in their listing order (procedures.h): the build fails unless
// that order names each twin once (a name too many or too few, or none).
template <std::size_t N>
consteval std::array<CallSpec, N> listed(const CallSpec (&by_row)[N], const char *const (&order)[N]) {
    std::array<CallSpec, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t found = N;
        for (std::size_t j = 0; j < N; ++j) {
            const char *twin = by_row[j].procedure, *name = order[i];
            while (*name && *name == *twin) ++name, ++twin;
            if (!*name && same_text(twin, "Lob")) found = j;
        }
        if (found == N) throw "the twins' listing names a procedure with no twin";
        for (std::size_t k = 0; k < i; ++k)
            if (same_text(order[k], order[i])) throw "the twins' listing names a twin twice";
        out[i] = by_row[found];
    }
    return out;
}

template <std::size_t... N>
consteval auto joined(const std::array<CallSpec, N> &...parts) {
    std::array<CallSpec, (N + ...)> out{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
    return out;
}

// clang-format off
constexpr auto kAllLines = joined(
    std::to_array<CallSpec>({
        NDL_PARSEFILE_ROW(NDL_CFGPROC_LINE)
        // The address library: its procedures (the rows of procedures.h), the
        // expression procedure, and the procedures' *Lob twins.
        NDL_ADDRKIT_PROCEDURES(NDL_PLAIN_LINE, NDL_PLAIN_LINE_OF_TWIN, NDL_PLAIN_LINE_OF_TWIN, NDL_PLAIN_LINE_OF_TWIN)
        NDL_EVALUATE_EXPRESSION_ROW(NDL_ADDRKIT_LINE)
    }),
    listed(kTwinsByRow, kTwinsListed),
    std::to_array<CallSpec>({
        // The address library: directories under a base directory.
        NDL_ADDRKIT_DIR_PROCEDURES(NDL_PLAIN_LINE)
        // The second build of the address library takes every line of addrkit (see
        // find_callspec) and adds its own twins.
        NDL_ADDRKIT_PROCEDURES(NDL_NO_LINE, NDL_NO_LINE, NDL_NO_LINE, NDL_SECOND_TWIN_LINE)
        // The directory lister.
        NDL_DIRLIST_ROW(NDL_DIRLIST_LINE)
        {nullptr, nullptr, 0, {}},
    }));
// clang-format on

}  // namespace

const CallSpec *const kCallSpecs = kAllLines.data();

#ifndef NDL_TEST_CALLSPECS
const CallSpec kTestCallSpecs[] = {{nullptr, nullptr, 0, {}}};
#endif

namespace {

constexpr const CallSpec *kTables[] = {kAllLines.data(), kTestCallSpecs};

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
