// extproc: calls the exports of the deliverables from a shell, as the
// database's agent would, on an embedded repository.
#include <cstdio>
#include <string>
#include <vector>

#include "host.h"

namespace {

constexpr const char *kUsage =
    "usage: extproc [--repository FILE] parse [--dir DIR] --files A,B [--mode MODE] [--raw]\n"
    "       extproc [--repository FILE] call LIBRARY PROCEDURE [ARG...]\n";

int usage(const std::string &why) {
    std::fprintf(stderr, "extproc: %s\n%s", why.c_str(), kUsage);
    return 2;
}

void print(const std::string &s) { std::fwrite(s.data(), 1, s.size(), stdout); }

struct Command {
    bool parse = false;
    bool raw = false;
    std::string library, procedure;
    std::vector<std::string> args;
};

// parse [--dir DIR] --files A,B [--mode MODE] [--raw]: NDL_parsefile's
// in-parameters are the repository directory, the file list and the mode.
bool read_parse(const std::vector<std::string> &a, size_t i, Command &c, std::string &why) {
    std::string dir, mode, files;
    bool have_files = false;
    for (; i < a.size(); ++i) {
        const std::string &o = a[i];
        if (o == "--raw") {
            c.raw = true;
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
    c.parse = true;
    c.library = "cfgproc";
    c.procedure = "NDL_parsefile";
    c.args = {dir, files, mode};
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    std::string repository;
    size_t i = 0;
    if (i < a.size() && a[i] == "--repository") {
        if (i + 1 >= a.size()) return usage("--repository needs a file name");
        repository = a[i + 1];
        i += 2;
    }
    if (i >= a.size()) return usage("no command");
    Command c;
    std::string why;
    const std::string &cmd = a[i++];
    if (cmd == "parse") {
        if (!read_parse(a, i, c, why)) return usage(why);
    } else if (cmd == "call") {
        if (a.size() - i < 2) return usage("call needs a library and a procedure");
        c.library = a[i];
        c.procedure = a[i + 1];
        c.args.assign(a.begin() + static_cast<long>(i) + 2, a.end());
    } else {
        return usage("unknown command " + cmd);
    }

    // Before logging on, so that a mistyped name leaves no repository behind.
    if (!extproc::find_procedure(c.library, c.procedure)) {
        std::fprintf(stderr, "extproc: unknown procedure %s of library %s\n", c.procedure.c_str(),
                     c.library.c_str());
        return 2;
    }
    extproc::Session session(repository);
    if (!session.ok()) {
        std::fprintf(stderr, "extproc: %s\n", session.error().c_str());
        return 2;
    }
    extproc::CallResult r = session.call(c.library, c.procedure, c.args);
    if (!r.called) {
        std::fprintf(stderr, "extproc: %s\n", r.error.c_str());
        return 2;
    }
    if (c.parse) {
        std::string log;
        for (const extproc::OutValue &v : r.outs)
            if (v.kind == extproc::ParamKind::ClobOut) {
                log = v.value;
                break;
            }
        log = extproc::format_log(log, c.raw);
        if (!log.empty() && log.back() != '\n') log.push_back('\n');
        print(log);
    } else {
        print(extproc::format_call(r));
    }
    std::fflush(stdout);
    int status = c.parse ? r.ret : 0;
    // A call whose work could not be committed did not succeed.
    if (!r.error.empty()) {
        std::fprintf(stderr, "extproc: %s\n", r.error.c_str());
        status = 2;
    }
    if (!session.close()) {
        std::fprintf(stderr, "extproc: %s\n", session.error().c_str());
        status = 2;
    }
    return status;
}
