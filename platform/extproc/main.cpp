// extproc: calls the exports of the deliverables from a shell, as the
// database's agent would, on an embedded repository.
#include <strings.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host.h"
#include "../guard.h"
#include "../version.h"

namespace {

constexpr const char *kUsage =
    "usage: extproc [--repository REPO] parse [--dir DIR] --files A,B [--mode MODE] [--raw]\n"
    "       extproc [--repository REPO] call LIBRARY PROCEDURE [ARG...]\n"
    "       extproc call [LIBRARY]\n"
    "       extproc --help | --version\n"
    "--repository REPO may also follow parse, among its options, or call, before LIBRARY.\n"
    "REPO names a SQLite file, or a database on a PostgreSQL server: postgresql://... or postgres://...\n"
    "(a libpq URI), or pg:DBNAME on the server that libpq's PG* variables (PGHOST, PGPORT, PGUSER,\n"
    "PGPASSWORD) name. Without it: $NDL_REPOSITORY, else repository.db in the working folder.\n"
    "NDL_BUSY_TIMEOUT_MS: how long a load waits for another load, in milliseconds.\n"
    "MODE is createversion, updateversion or initializedata, in any case; without it the load is plain.\n"
    "call without a procedure lists the procedures of LIBRARY (else of every library) with their parameters.\n";

// The modes the loader knows. It takes any other word for a plain load; a
// shell user who mistyped one is told instead.
constexpr char kNotCommitted[] = "ERROR: the load could not be committed: nothing was stored\n";
constexpr char kCommitUnknown[] =
    "ERROR: the load's commit could not be confirmed, and " OCIX_COMMIT_UNKNOWN
    ": look for its rows in the repository (its network in NETWORKS) before loading it again\n";
// The status of a call whose commit's outcome cannot be known.
constexpr int kUnknownStatus = 3;

// What a load's call left stored, as the layer told it.
const char *stored(bool committed, const extproc::CallResult &r) {
    return committed ? "the load was committed" : r.commit_unknown ? OCIX_COMMIT_UNKNOWN : "nothing was stored";
}

constexpr const char *kModes[] = {"createversion", "updateversion", "initializedata"};

int usage(const std::string &why) {
    std::fprintf(stderr, "extproc: %s\n%s", why.c_str(), kUsage);
    return 2;
}

// Writes TEXT on standard output and flushes it: false, with the reason,
// when any of it was lost (a full device, a closed pipe).
bool print(const std::string &text, std::string &why) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return true;
    why = std::strerror(errno);
    return false;
}

bool known_mode(const std::string &mode) {
    if (mode.empty()) return true;
    for (const char *m : kModes)
        if (strcasecmp(mode.c_str(), m) == 0) return true;
    return false;
}

struct Command {
    bool parse = false;
    bool raw = false;
    std::string repository;
    bool has_repository = false;
    std::string library, procedure;
    std::vector<std::string> args;
};

// --repository FILE at a[i], once on a command line; i moves to FILE.
bool read_repository(const std::vector<std::string> &a, size_t &i, Command &c, std::string &why) {
    if (i + 1 >= a.size()) {
        why = "--repository needs a file name";
        return false;
    }
    if (c.has_repository) {
        why = "--repository given twice";
        return false;
    }
    c.repository = a[++i];
    c.has_repository = true;
    return true;
}

// parse [--dir DIR] --files A,B [--mode MODE] [--raw] [--repository FILE]:
// NDL_parsefile's in-parameters are the repository directory, the file
// list and the mode.
bool read_parse(const std::vector<std::string> &a, size_t i, Command &c, std::string &why) {
    std::string dir, mode, files;
    bool have_files = false;
    for (; i < a.size(); ++i) {
        const std::string &o = a[i];
        if (o == "--raw") {
            c.raw = true;
            continue;
        }
        if (o == "--repository") {
            if (!read_repository(a, i, c, why)) return false;
            continue;
        }
        if ((o != "--dir" && o != "--files" && o != "--mode") || i + 1 >= a.size()) {
            why = o == "--dir" || o == "--files" || o == "--mode" ? o + " needs a value" : "unknown option " + o;
            return false;
        }
        std::string &v = o == "--dir" ? dir : o == "--files" ? files : mode;
        v = a[++i];
        have_files |= o == "--files";
    }
    if (!have_files) {
        why = "parse needs --files";
        return false;
    }
    if (!known_mode(mode)) {
        why = "unknown mode " + mode;
        return false;
    }
    c.parse = true;
    c.library = "cfgproc";
    c.procedure = "NDL_parsefile";
    c.args = {dir, files, mode};
    return true;
}

// Prints what the call gave back and ends the session; the exit status.
int finish(const Command &c, const extproc::CallResult &r, extproc::Session &session, int status) {
    bool committed = c.parse && r.ret == 0 && r.error.empty();
    std::string out, lost;
    if (c.parse) {
        for (const extproc::OutValue &v : r.outs)
            if (v.kind == extproc::ParamKind::ClobOut) {
                out = v.value;
                break;
            }
        out = extproc::format_log(out, c.raw);
        if (!out.empty() && out.back() != '\n') out.push_back('\n');
        // The log ends saying what was stored: a load whose commit failed
        // said it was loaded before its commit was tried.
        if (r.ret == 0 && !r.error.empty()) out += r.commit_unknown ? kCommitUnknown : kNotCommitted;
        // A commit settled after its answer was lost says how.
        if (committed && !r.note.empty()) out += "NOTE: " + r.note + "\n";
    } else {
        out = extproc::format_call(r);
    }
    if (r.after) {
        std::fprintf(stderr, "extproc: %s%s\n", r.after, committed ? ": the load was committed" : "");
        if (!c.parse) return r.commit_unknown ? status : 1;
    }
    bool written = print(out, lost);
    if (!r.error.empty()) std::fprintf(stderr, "extproc: %s\n", r.error.c_str());
    if (c.parse && r.ret != 0 && !r.after && out.empty())
        std::fprintf(stderr, "extproc: NDL_parsefile returned %d and wrote nothing to its log (no handles from "
                             "its context, or no memory for the log): nothing was stored\n", r.ret);
    if (!session.close()) {
        std::fprintf(stderr, "extproc: %s%s\n", session.error().data(),
                     committed ? ": the load was committed" : "");
        if (!committed && !r.commit_unknown) status = 2;
    }
    if (written) return status;
    // The log of a load tells what was already committed or rolled back: its
    // loss changes neither, and the status keeps saying which. A call's
    // printed values are its result: without them it failed.
    if (c.parse) {
        std::fprintf(stderr, "extproc: the log could not be written (%s): %s\n", lost.c_str(),
                     stored(committed, r));
        return status;
    }
    std::fprintf(stderr, "extproc: the result could not be written (%s)\n", lost.c_str());
    return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char **argv) try {
    // A closed pipe is a write that fails, told below, never a kill after
    // the load was committed.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> a(argv + 1, argv + argc);
    // Read: a repository's password leaves the process list.
    for (int k = 1; k + 1 < argc; ++k)
        if (std::strcmp(argv[k], "--repository") == 0) ocix_hide_password(argv[k + 1]);
    Command c;
    std::string why;
    size_t i = 0;
    if (i < a.size() && a[i] == "--repository") {
        if (!read_repository(a, i, c, why)) return usage(why);
        ++i;
    }
    if (i >= a.size()) return usage("no command");
    const std::string &cmd = a[i++];
    std::string lost;
    if (cmd == "--version") return print_version("extproc");
    if (cmd == "--help" || cmd == "-h") return print_help("extproc", kUsage);
    if (cmd == "parse") {
        if (!read_parse(a, i, c, why)) return usage(why);
    } else if (cmd == "call") {
        // After call only before LIBRARY: an ARG may be any text.
        if (i < a.size() && a[i] == "--repository") {
            if (!read_repository(a, i, c, why)) return usage(why);
            ++i;
        }
        // Without a procedure: what can be called, and with what.
        if (a.size() - i < 2) {
            if (i < a.size() && !extproc::known_library(extproc::library_name(a[i]).c_str())) {
                std::fprintf(stderr, "extproc: %s\n", extproc::unknown_procedure(a[i], "").c_str());
                return 2;
            }
            // Alone, every library that loads is listed; one that does not
            // is told, and fails the listing.
            std::string list;
            int status = 0;
            for (const std::string &name :
                 i < a.size() ? std::vector<std::string>{a[i]} : extproc::library_names()) {
                std::string one = extproc::list_procedures(name, why);
                if (one.empty()) {
                    std::fprintf(stderr, "extproc: %s\n", why.c_str());
                    status = 2;
                    continue;
                }
                if (!list.empty()) list += '\n';
                list += one;
            }
            if (print(list, lost)) return status;
            std::fprintf(stderr, "extproc: the list could not be written (%s)\n", lost.c_str());
            return status == 0 ? 1 : status;
        }
        c.library = a[i];
        c.procedure = a[i + 1];
        c.args.assign(a.begin() + static_cast<long>(i) + 2, a.end());
    } else {
        return usage("unknown command " + cmd);
    }

    // Before logging on, so that a mistyped name leaves no repository behind.
    const extproc::CallSpec *spec = extproc::find_procedure(c.library, c.procedure);
    if (!spec) {
        std::fprintf(stderr, "extproc: %s\n", extproc::unknown_procedure(c.library, c.procedure).c_str());
        return 2;
    }
    // Nor does a library that cannot be loaded.
    if (!extproc::load_procedure(c.library, c.procedure, why)) {
        std::fprintf(stderr, "extproc: %s\n", why.c_str());
        return 2;
    }
    // A procedure that needs no repository leaves none behind.
    extproc::Session session(c.repository, spec->repository ? extproc::Attach::Repository : extproc::Attach::None);
    if (!session.ok()) {
        std::fprintf(stderr, "extproc: %s\n", session.error().data());
        return 2;
    }
    extproc::CallResult r = session.call(c.library, c.procedure, c.args);
    if (!r.called) {
        std::fprintf(stderr, "extproc: %s\n", r.error.c_str());
        return 2;
    }
    // From here on a load's status is what its call committed: nothing that
    // fails later (memory, the output, the close) changes it.
    bool committed = c.parse && r.ret == 0 && r.error.empty();
    // A call whose work could not be committed did not succeed, one whose
    // commit's outcome cannot be known has a status of its own; a procedure
    // that returned other than 0 failed.
    int status = r.commit_unknown ? kUnknownStatus : !r.error.empty() ? 2 : c.parse ? r.ret : r.ret == 0 ? 0 : 1;
    try {
        return finish(c, r, session, status);
    } catch (...) {
        // Nothing of the output is trusted now: say what stands.
        const char *what = handling_out_of_memory() ? "out of memory" : handled_what();
        if (c.parse)
            std::fprintf(stderr, "extproc: %s after the load: %s\n", what,
                         stored(committed, r));
        else
            std::fprintf(stderr, "extproc: %s: the result could not be written\n", what);
        return c.parse || r.commit_unknown ? status : 1;
    }
} catch (...) {
    // Nothing thrown ends the program unreported.
    report_exception("extproc");
    return 2;
}
