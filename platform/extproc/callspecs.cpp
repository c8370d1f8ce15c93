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

namespace extproc {

using namespace param;

// A line of export FN under its own name.
#define NDL_LINE(library, fn, ...) line<&fn>(library, #fn, __VA_ARGS__)

// The lines of the address procedures and their twins, from their rows: a
// parameter as the procedure's line and as the twin's writes it, each
// followed by a comma; the error triple ends both.
#define NDL_PARAM(p) NDL_PARAM_##p
#define NDL_PARAM_text_in(n) text_in(#n),
#define NDL_PARAM_int_in(n) int_in(#n),
#define NDL_PARAM_uint_in(n) int_in(#n),
#define NDL_PARAM_int_out(n) int_out(#n),
#define NDL_PARAM_int_out_zero(n) int_out(#n),
#define NDL_PARAM_text_out(n, size) text_out(#n, size),
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
#define NDL_PLAIN_LINE(fn, ...) \
    line<&fn>("addrkit", #fn, {NDL_FOR_EACH(NDL_PARAM, __VA_ARGS__) text_out("error", 4000)}),
#define NDL_PLAIN_LINE_OF_TWIN(fn, callee, ...) NDL_PLAIN_LINE(fn, __VA_ARGS__)
#define NDL_TWIN_LINE_OF(library, fn, ...) \
    line<&fn##Lob>(library, #fn "Lob", {ctx, NDL_FOR_EACH(NDL_LOB_PARAM, __VA_ARGS__) text_out("error", 4000)}),
#define NDL_TWIN_LINE(fn, callee, ...) NDL_TWIN_LINE_OF("addrkit", fn, __VA_ARGS__)
#define NDL_SECOND_TWIN_LINE(fn, callee, ...) NDL_TWIN_LINE_OF("tmplibaddrkit", fn, __VA_ARGS__)
#define NDL_NO_LINE(...)

// clang-format off
const CallSpec kCallSpecs[] = {
    NDL_LINE("cfgproc", NDL_parsefile, {ctx, clob_out("log"), text_in("repository"), text_in("files"), text_in("mode"), text_out("message", 4000)}, kRepository),
    // The address library: its procedures (the rows of procedures.h), the
    // expression procedure, and the procedures' *Lob twins.
    NDL_ADDRKIT_PROCEDURES(NDL_PLAIN_LINE, NDL_PLAIN_LINE_OF_TWIN, NDL_PLAIN_LINE_OF_TWIN, NDL_PLAIN_LINE_OF_TWIN)
    NDL_LINE("addrkit", C_evaluate_expression, {text_in("prefix"), text_in("name"), text_in("expression"), text_out("result", 4000), text_out("error", 4000)}),
    NDL_ADDRKIT_PROCEDURES(NDL_NO_LINE, NDL_TWIN_LINE, NDL_TWIN_LINE, NDL_NO_LINE)
    // The address library: directories under a base directory.
    NDL_LINE("addrkit", C_check_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_create_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    NDL_LINE("addrkit", C_remove_dir, {text_in("base"), text_in("name"), text_out("error", 4000)}),
    // The second build of the address library takes every line of addrkit (see
    // find_callspec) and adds its own twins.
    NDL_ADDRKIT_PROCEDURES(NDL_NO_LINE, NDL_NO_LINE, NDL_NO_LINE, NDL_SECOND_TWIN_LINE)
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
