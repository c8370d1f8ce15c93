// The host: plays the database's external-procedure agent and the PL/SQL
// wrappers around it. A session on a repository file calls an export of a
// deliverable as its call spec says, then commits when the export
// returned 0 and rolls back otherwise.
#ifndef NDL_EXTPROC_HOST_H
#define NDL_EXTPROC_HOST_H

#include <climits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "callspecs.h"
#include "oci.h"

namespace extproc {

struct OutValue {
    std::string name;
    ParamKind kind = ParamKind::TextOut;
    bool null = false;  // the indicator said NULL, or a CLOB out came back without a locator
    std::string value;
};

struct CallResult {
    bool called = false;  // the export ran
    int ret = 0;          // what it returned
    std::vector<OutValue> outs;  // the out-parameters, in the call's order
    // Why the export was not called, or why its transaction could not be
    // ended; empty when all went well.
    std::string error;
    // The commit failed in a way that leaves unknown whether it was stored
    // (the layer said so by its error code); `error` says why.
    bool commit_unknown = false;
    // What the layer said of a commit that succeeded only after it was
    // settled (its answer lost, then read back); empty otherwise.
    std::string note;
    // What could not be done once the transaction was ended (the results
    // then are lost), a fixed text; null when nothing.
    const char *after = nullptr;

    bool ok() const { return called && error.empty(); }
    // The out-parameter of that name, or nullptr.
    const OutValue *out(std::string_view name) const;
};

// What a session opens: the repository with a session on it, or only the
// handles and the context that CLOB work needs, touching no database file.
enum class Attach { Repository, None };

class Session {
public:
    // Logs on to the repository file; an empty name means the OCI layer's
    // default ($NDL_REPOSITORY, else repository.db). Without a repository
    // the procedures that need one are refused.
    explicit Session(const std::string &repository = "", Attach attach = Attach::Repository);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool ok() const;
    std::string_view error() const;  // why the logon or the close failed

    // Calls PROCEDURE of LIBRARY (a deliverable's name, or a path to
    // lib<name>.so). ARGS fill the in-parameters in order: a text as given,
    // an int in decimal, a CLOB's content as given or "@FILE" for a file's.
    CallResult call(const std::string &library, const std::string &procedure,
                    const std::vector<std::string> &args);

    // Ends the session (the destructor does it too); false with error() set
    // when the layer refused. Allocates nothing: it may run after a commit,
    // with memory exhausted.
    bool close() noexcept;

    // The session's handles and its context, for callers that drive the
    // layer or the loader directly (benchmarks, fuzz targets).
    struct Handles {
        OCIEnv *env = nullptr;
        OCIError *err = nullptr;
        OCIServer *srv = nullptr;
        OCISvcCtx *svc = nullptr;
        OCISession *ses = nullptr;
        OCIExtProcContext *ctx = nullptr;
        bool attached = false;  // a repository is attached
        bool begun = false;
        // A call is being made: its work is neither committed nor rolled
        // back yet, and a close must not keep it.
        bool calling = false;
        // Why the logon or the close failed: a fixed buffer, which the
        // close fills without allocating; room for a path and the layer's
        // message.
        char error[PATH_MAX + 512] = "";
    };
    const Handles &handles() const { return *h_; }

private:
    std::unique_ptr<Handles> h_;
};

// The call spec of PROCEDURE in LIBRARY (a name or a path), or
// nullptr.
const CallSpec *find_procedure(const std::string &library, const std::string &procedure);

// Loads LIBRARY and finds PROCEDURE in it, as a call does; false with
// error set when it cannot. The library stays loaded.
bool load_procedure(const std::string &library, const std::string &procedure, std::string &error);

// The deliverable's name of a library given as a path: lib<name>.so gives
// <name>; a name stays as it is.
std::string library_name(const std::string &library);

// Why PROCEDURE of LIBRARY has no call spec: an unknown library (the known
// ones named) or an unknown procedure of a known one.
std::string unknown_procedure(const std::string &library, const std::string &procedure);

// "LIBRARY:" and a line per procedure it exports, with its parameters in
// order ("  NAME(name kind, ...)"); empty, with ERROR set, when the library
// cannot be loaded.
std::string list_procedures(const std::string &library, std::string &error);

// What `extproc call` prints: "return: N", then "NAME: VALUE" or
// "NAME: <null>" per out-parameter.
std::string format_call(const CallResult &r);

// A log CLOB for a shell: each "<br>" becomes a line break unless raw.
std::string format_log(const std::string &log, bool raw);

}  // namespace extproc

#endif
