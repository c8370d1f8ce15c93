// Call specifications: how the host maps a procedure's parameters to the
// machine-level arguments of the export, as the database's declarations do.
#ifndef NDL_EXTPROC_CALLSPECS_H
#define NDL_EXTPROC_CALLSPECS_H

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

const CallSpec *find_callspec(const char *library, const char *procedure);

}  // namespace extproc

#endif
