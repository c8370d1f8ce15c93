// Call specifications: how the host maps a procedure's parameters to the
// machine-level arguments of the export, as the database's declarations do.
#ifndef NDL_EXTPROC_CALLSPECS_H
#define NDL_EXTPROC_CALLSPECS_H

#include <cstddef>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

struct OCIExtProcContext;
struct OCILobLocator;

namespace extproc {

enum class ParamKind {
    Context,  // OCIExtProcContext*
    TextIn,   // char*, NUL-terminated
    IntIn,    // int by value
    TextOut,  // out triple: char* buffer, int length (size), int* indicator
    IntOut,   // int*
    ClobIn,   // OCILobLocator* by value, content given by the caller
    ClobOut,  // OCILobLocator** by reference, starts empty, read back after the call
    BufOut,   // char* buffer alone (size), for exports that take no length nor indicator
};

struct ParamSpec {
    ParamKind kind;
    const char *name;
    int size;  // TextOut, BufOut: the declared length of the buffer; 0 otherwise
};

constexpr int kMaxParams = 24;

struct CallSpec {
    const char *library;    // deliverable name: "cfgproc", "addrkit", ...
    const char *procedure;  // exported symbol
    int nparams;
    ParamSpec params[kMaxParams];
    // The export reads or writes the repository through its context. The
    // others need no database: a context for their CLOBs at most.
    bool repository = false;
};

// The one table, one line per export; ends with a null library.
extern const CallSpec *const kCallSpecs;
// The lines of the test library (tests/hosttest), linked in only where the
// tests are built; elsewhere the table is empty.
extern const CallSpec kTestCallSpecs[];

const CallSpec *find_callspec(const char *library, const char *procedure);
// Whether LIBRARY (a deliverable's name) has any line.
bool known_library(const char *library);
// The lines of LIBRARY, in the table's order.
std::vector<const CallSpec *> library_callspecs(const char *library);
// The libraries with lines, each once, in the table's order.
std::vector<std::string> library_names();
// "name kind, ..." for every parameter in order, e.g. "prefix int in,
// result text out(4000)".
std::string describe_params(const CallSpec &spec);

// The parameters as the table writes them.
namespace param {
constexpr ParamSpec ctx{ParamKind::Context, "context", 0};
constexpr ParamSpec text_in(const char *n) { return {ParamKind::TextIn, n, 0}; }
constexpr ParamSpec int_in(const char *n) { return {ParamKind::IntIn, n, 0}; }
constexpr ParamSpec text_out(const char *n, int size) { return {ParamKind::TextOut, n, size}; }
constexpr ParamSpec int_out(const char *n) { return {ParamKind::IntOut, n, 0}; }
constexpr ParamSpec clob_in(const char *n) { return {ParamKind::ClobIn, n, 0}; }
constexpr ParamSpec clob_out(const char *n) { return {ParamKind::ClobOut, n, 0}; }
constexpr ParamSpec buf_out(const char *n, int size) { return {ParamKind::BufOut, n, size}; }
constexpr bool kRepository = true;
}  // namespace param

// A line checked against the export's own declaration: each parameter kind
// takes the machine-level arguments it passes (a text out is the buffer,
// its length and its indicator), in order, and nothing is left over. A line
// that does not match does not build.
namespace check {

template <class T> constexpr bool is_text_in = std::is_same_v<T, const char *> || std::is_same_v<T, char *>;

template <class... A>
struct args {
    template <std::size_t I>
    using at = std::tuple_element_t<I, std::tuple<A..., void, void, void>>;

    template <std::size_t I>
    static consteval bool from(const ParamSpec *p, const ParamSpec *end) {
        if (p == end) return I == sizeof...(A);
        if constexpr (I >= sizeof...(A)) {
            return false;
        } else {
            using T = at<I>;
            switch (p->kind) {
                case ParamKind::Context:
                    return std::is_same_v<T, OCIExtProcContext *> && from<I + 1>(p + 1, end);
                case ParamKind::TextIn: return is_text_in<T> && from<I + 1>(p + 1, end);
                case ParamKind::IntIn:
                    return (std::is_same_v<T, int> || std::is_same_v<T, unsigned>) && from<I + 1>(p + 1, end);
                case ParamKind::IntOut: return std::is_same_v<T, int *> && from<I + 1>(p + 1, end);
                case ParamKind::ClobIn: return std::is_same_v<T, OCILobLocator *> && from<I + 1>(p + 1, end);
                case ParamKind::ClobOut: return std::is_same_v<T, OCILobLocator **> && from<I + 1>(p + 1, end);
                case ParamKind::BufOut: return std::is_same_v<T, char *> && from<I + 1>(p + 1, end);
                case ParamKind::TextOut:
                    return std::is_same_v<T, char *> && std::is_same_v<at<I + 1>, int> &&
                           std::is_same_v<at<I + 2>, int *> && from<I + 3>(p + 1, end);
            }
            return false;
        }
    }
};

template <class F> struct signature;
template <class... A> struct signature<int(A...)> : args<A...> {};

}  // namespace check

// The table's line for export F: library, symbol name, parameters. Fails to
// build where the parameters are not F's.
template <auto F, std::size_t N>
consteval CallSpec line(const char *library, const char *procedure, const ParamSpec (&params)[N],
                        bool repository = false) {
    static_assert(N <= kMaxParams, "more parameters than a parameter list holds");
    if (!check::signature<std::remove_pointer_t<decltype(F)>>::template from<0>(params, params + N))
        throw "the parameter list does not match the export's declaration";
    CallSpec s{library, procedure, static_cast<int>(N), {}, repository};
    for (std::size_t i = 0; i < N; ++i) s.params[i] = params[i];
    return s;
}

// A parameter of an export's row (export.h) as its line writes it, each
// followed by a comma, and the row's parameters as a line takes them.
#define NDL_PARAM(p) NDL_PARAM_##p
#define NDL_PARAM_context ctx,
#define NDL_PARAM_text_in(n) text_in(#n),
#define NDL_PARAM_text_arg(n) text_in(#n),
#define NDL_PARAM_int_in(n) int_in(#n),
#define NDL_PARAM_uint_in(n) int_in(#n),
#define NDL_PARAM_int_out(n) int_out(#n),
#define NDL_PARAM_text_out(n, size) text_out(#n, size),
#define NDL_PARAM_clob_in(n) clob_in(#n),
#define NDL_PARAM_clob_out(n) clob_out(#n),
#define NDL_PARAM_buf_out(n, size) buf_out(#n, size),
#define NDL_PARAMS(...) {NDL_FOR_EACH(NDL_PARAM, __VA_ARGS__)}

}  // namespace extproc

#endif
