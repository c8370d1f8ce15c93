// Call specifications: how the host maps a procedure's parameters to the
// machine-level arguments of the export, as the database's declarations do.
#ifndef NDL_EXTPROC_CALLSPECS_H
#define NDL_EXTPROC_CALLSPECS_H

#include <string>
#include <vector>

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
extern const CallSpec kCallSpecs[];
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

}  // namespace extproc

#endif
