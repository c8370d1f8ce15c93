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
}  // namespace

// clang-format off
const CallSpec kCallSpecs[] = {
    // The marshalling test library: one export per parameter kind.
    {"hosttest", "T_echo", 5, {text_in("text"), int_in("number"), text_out("result", 4000), int_out("length"), text_out("error", 4000)}},
    {"hosttest", "T_clob", 5, {ctx, clob_in("input"), clob_out("output"), int_out("length"), text_out("error", 4000)}},
    {nullptr, nullptr, 0, {}},
};
// clang-format on

const CallSpec *find_callspec(const char *library, const char *procedure) {
    for (const CallSpec *s = kCallSpecs; s->library; ++s)
        if (std::strcmp(s->library, library) == 0 && std::strcmp(s->procedure, procedure) == 0)
            return s;
    return nullptr;
}

}  // namespace extproc
