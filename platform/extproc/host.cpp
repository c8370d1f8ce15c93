#include "host.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "oci.h"
#include "outparam.h"

namespace extproc {

namespace {

// The first error record of the handle, or the bare status, into OUT of
// SIZE bytes, without allocating.
void oci_text(OCIError *err, sword status, char *out, size_t size) noexcept {
    sb4 code = 0;
    if (err && OCIErrorGet(err, 1, nullptr, &code, reinterpret_cast<text *>(out), static_cast<ub4>(size),
                           OCI_HTYPE_ERROR) == OCI_SUCCESS) {
        out[size - 1] = '\0';
        size_t n = strlen(out);
        while (n > 0 && (out[n - 1] == '\n' || out[n - 1] == ' ')) out[--n] = '\0';
        if (n > 0) return;
    }
    std::snprintf(out, size, "status %d", static_cast<int>(status));
}

std::string oci_text(OCIError *err, sword status) {
    char buf[512];
    oci_text(err, status, buf, sizeof buf);
    return buf;
}

bool is_path(const std::string &library) { return library.find('/') != std::string::npos; }

std::string exe_dir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<size_t>(n));
    return p.substr(0, p.rfind('/'));
}

// Where an installed host finds the deliverables from its own folder.
#ifndef NDL_LIBDIR_FROM_BIN
#define NDL_LIBDIR_FROM_BIN "../lib/ndl"
#endif

std::string library_file(const std::string &library) {
    if (is_path(library)) return library;
    const char *dir = std::getenv("NDL_LIBDIR");
    if (dir && *dir) return std::string(dir) + "/lib" + library + ".so";
    // Beside the program in a build; in the prefix's library folder once
    // installed.
    std::string beside = exe_dir() + "/lib" + library + ".so";
    std::string installed = exe_dir() + "/" NDL_LIBDIR_FROM_BIN "/lib" + library + ".so";
    return access(beside.c_str(), F_OK) != 0 && access(installed.c_str(), F_OK) == 0 ? installed : beside;
}

// Libraries stay loaded for the life of the process, as the agent keeps
// them: their global state (the evaluator's variables, the last error code)
// must survive from one call to the next.
void *open_library(const std::string &file, std::string &error) {
    errno = 0;
    void *lib = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        // The loader's words may hide a want of memory ("cannot open shared
        // object file", "failed to map segment"); its errno does not.
        int cause = errno;
        const char *why = dlerror();
        error = "cannot load library " + file + ": " + (why ? why : "unknown reason");
        if (cause == ENOMEM && error.find("memory") == std::string::npos) error += " (out of memory)";
    }
    return lib;
}

void *resolve(const std::string &library, const std::string &procedure, std::string &error) {
    std::string file = library_file(library);
    void *lib = open_library(file, error);
    if (!lib) return nullptr;
    dlerror();
    void *fn = dlsym(lib, procedure.c_str());
    if (!fn) error = "procedure " + procedure + " not found in " + file;
    return fn;
}

bool is_in(ParamKind k) { return k == ParamKind::TextIn || k == ParamKind::IntIn || k == ParamKind::ClobIn; }
bool is_out(ParamKind k) {
    return k == ParamKind::TextOut || k == ParamKind::IntOut || k == ParamKind::ClobOut || k == ParamKind::BufOut;
}

// Every argument is one machine word: a pointer, or an int widened to a
// word. Calling through a function type of N words is sound where ints and
// pointers travel in word-sized registers and stack slots and the caller
// cleans up (x86-64 and aarch64 on Linux), the only platforms we build for.
using Word = intptr_t;
using Invoker = int (*)(void *, const Word *);
constexpr size_t kMaxWords = 3 * kMaxParams;

template <size_t... I>
#if defined(__clang__)
__attribute__((no_sanitize("function")))
#endif
int invoke(void *fn, const Word *w, std::index_sequence<I...>) {
    using Fn = int (*)(decltype((void)I, Word{})...);
    return reinterpret_cast<Fn>(fn)(w[I]...);
}

template <size_t N>
int invoke_n(void *fn, const Word *w) {
    return invoke(fn, w, std::make_index_sequence<N>{});
}

template <size_t... N>
constexpr std::array<Invoker, sizeof...(N)> make_invokers(std::index_sequence<N...>) {
    return {&invoke_n<N>...};
}

constexpr auto kInvokers = make_invokers(std::make_index_sequence<kMaxWords + 1>{});

// What the agent holds for one parameter while the export runs.
struct Slot {
    std::string text;               // TextIn
    int number = 0;                 // IntIn, IntOut
    std::vector<char> buf;          // TextOut, BufOut
    int ind = OUT_NULL;             // TextOut: an out-parameter starts NULL
    OCILobLocator *lob = nullptr;   // ClobIn, ClobOut (the export may replace it)
    OCILobLocator *made = nullptr;  // the locator we allocated, freed by us
};

struct Slots {
    std::vector<Slot> s;
    explicit Slots(int n) : s(static_cast<size_t>(n)) {}
    ~Slots() {
        for (Slot &x : s)
            if (x.made) OCIDescriptorFree(x.made, OCI_DTYPE_LOB);
    }
};

struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) close(fd);
    }
};

// A CLOB's content from a file. Only a regular file holds it, as only one
// holds an NDL file: a directory, a FIFO (opened without waiting for its
// writer) or a device (which may never end) is refused at once.
bool read_file(const std::string &path, std::string &out) {
    Fd f{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat st;
    if (f.fd < 0 || fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    out.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = read(f.fd, buf, sizeof buf);
        if (n == 0) return true;
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) out.append(buf, static_cast<size_t>(n));
    }
}

// Fills the in-parameters from the argument texts; false with error set.
bool take_args(const CallSpec &spec, const std::vector<std::string> &args, Slots &slots,
               std::string &error) {
    size_t wanted = 0;
    for (int i = 0; i < spec.nparams; ++i) wanted += is_in(spec.params[i].kind);
    if (args.size() != wanted) {
        error = "wrong number of arguments for " + std::string(spec.procedure) + ": " +
                std::to_string(args.size()) + " given, " + std::to_string(wanted) + " expected; its parameters: " +
                describe_params(spec);
        return false;
    }
    size_t a = 0;
    for (int i = 0; i < spec.nparams; ++i) {
        const ParamSpec &p = spec.params[i];
        Slot &slot = slots.s[static_cast<size_t>(i)];
        if (!is_in(p.kind)) continue;
        const std::string &arg = args[a++];
        if (p.kind == ParamKind::IntIn) {
            errno = 0;
            char *end = nullptr;
            long v = std::strtol(arg.c_str(), &end, 10);
            if (arg.empty() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
                error = "argument " + std::string(p.name) + " is not a 32-bit decimal integer: '" + arg + "'";
                return false;
            }
            slot.number = static_cast<int>(v);
        } else if (p.kind == ParamKind::ClobIn && arg.starts_with("@")) {
            if (!read_file(arg.substr(1), slot.text)) {
                error = "cannot read " + arg.substr(1) + " for argument " + p.name;
                return false;
            }
        } else {
            slot.text = arg;
        }
    }
    return true;
}

// Allocates the CLOBs (CLOB ins get their content) and lays out the words.
bool build_words(const CallSpec &spec, Session::Handles &h, Slots &slots, std::vector<Word> &w,
                 std::string &error) {
    for (int i = 0; i < spec.nparams; ++i) {
        const ParamSpec &p = spec.params[i];
        Slot &slot = slots.s[static_cast<size_t>(i)];
        switch (p.kind) {
            case ParamKind::Context:
                w.push_back(reinterpret_cast<Word>(h.ctx));
                break;
            case ParamKind::TextIn:
                w.push_back(reinterpret_cast<Word>(slot.text.c_str()));
                break;
            case ParamKind::IntIn:
                w.push_back(static_cast<Word>(slot.number));
                break;
            case ParamKind::TextOut:
            case ParamKind::BufOut:
                // Exactly the declared size: an export that writes past it
                // is caught by the sanitizer build.
                slot.buf.assign(static_cast<size_t>(p.size > 0 ? p.size : 1), '\0');
                w.push_back(reinterpret_cast<Word>(slot.buf.data()));
                if (p.kind == ParamKind::BufOut) break;
                w.push_back(static_cast<Word>(p.size));
                w.push_back(reinterpret_cast<Word>(&slot.ind));
                break;
            case ParamKind::IntOut:
                w.push_back(reinterpret_cast<Word>(&slot.number));
                break;
            case ParamKind::ClobIn:
            case ParamKind::ClobOut: {
                sword st = OCIDescriptorAlloc(h.env, reinterpret_cast<dvoid **>(&slot.made), OCI_DTYPE_LOB, 0, nullptr);
                // With a valid environment only memory can be missing.
                if (st != OCI_SUCCESS || !slot.made) {
                    error = "cannot allocate a CLOB for " + std::string(p.name) + ": out of memory";
                    return false;
                }
                slot.lob = slot.made;
                if (p.kind == ParamKind::ClobIn) {
                    if (!slot.text.empty()) {
                        if (slot.text.size() > UINT32_MAX) {
                            error = "CLOB content too long for " + std::string(p.name);
                            return false;
                        }
                        ub4 amount = static_cast<ub4>(slot.text.size());
                        st = OCILobWrite(h.svc, h.err, slot.lob, &amount, 1, slot.text.data(), amount,
                                         OCI_ONE_PIECE, nullptr, nullptr, 0, SQLCS_IMPLICIT);
                        if (st != OCI_SUCCESS) {
                            error = "cannot fill the CLOB " + std::string(p.name) + ": " + oci_text(h.err, st);
                            return false;
                        }
                    }
                    w.push_back(reinterpret_cast<Word>(slot.lob));
                } else {
                    w.push_back(reinterpret_cast<Word>(&slot.lob));
                }
                break;
            }
        }
    }
    if (w.size() > kMaxWords) {
        error = "too many arguments for " + std::string(spec.procedure);
        return false;
    }
    return true;
}

OutValue read_out(const ParamSpec &p, const Slot &slot) {
    OutValue v;
    v.name = p.name;
    v.kind = p.kind;
    switch (p.kind) {
        case ParamKind::TextOut:
        case ParamKind::BufOut:
            // A bare buffer has no indicator: it is never NULL.
            v.null = p.kind == ParamKind::TextOut && slot.ind == OUT_NULL;
            // Bounded: an export may leave its buffer without a NUL.
            v.value.assign(slot.buf.data(), strnlen(slot.buf.data(), slot.buf.size()));
            break;
        case ParamKind::IntOut:
            v.value = std::to_string(slot.number);
            break;
        case ParamKind::ClobOut: {
            // An export that failed may hand back no locator: a NULL CLOB.
            v.null = !slot.lob;
            ub4 len = 0;
            const char *t = slot.lob ? ocix_lob_text(slot.lob, &len) : nullptr;
            if (t) v.value.assign(t, len);
            break;
        }
        default:
            break;
    }
    return v;
}

}  // namespace

const OutValue *CallResult::out(std::string_view name) const {
    for (const OutValue &v : outs)
        if (v.name == name) return &v;
    return nullptr;
}

// The attach and the session on the repository file. Returns why it
// failed, or nothing.
static std::string attach_repository(Session::Handles &h, const std::string &repository) {
    sword st = OCIServerAttach(h.srv, h.err, reinterpret_cast<const text *>(repository.c_str()),
                               static_cast<sb4>(repository.size()), OCI_DEFAULT);
    if (st != OCI_SUCCESS) return oci_text(h.err, st);
    OCIAttrSet(h.svc, OCI_HTYPE_SVCCTX, h.srv, 0, OCI_ATTR_SERVER, h.err);
    static char user[] = "extproc";
    OCIAttrSet(h.ses, OCI_HTYPE_SESSION, user, sizeof user - 1, OCI_ATTR_USERNAME, h.err);
    OCIAttrSet(h.ses, OCI_HTYPE_SESSION, user, sizeof user - 1, OCI_ATTR_PASSWORD, h.err);
    // A server repository's account is the one its name or libpq's
    // environment gives.
    st = OCISessionBegin(h.svc, h.err, h.ses, OCI_CRED_EXT, OCI_DEFAULT);
    if (st != OCI_SUCCESS) return oci_text(h.err, st);
    h.attached = h.begun = true;
    OCIAttrSet(h.svc, OCI_HTYPE_SVCCTX, h.ses, 0, OCI_ATTR_SESSION, h.err);
    return {};
}

// The client's logon: environment, handles, the repository when asked for,
// the context. Returns why it failed, or nothing.
static std::string logon(Session::Handles &h, const std::string &repository, Attach attach) {
    // The host stands for the database that cfgproc writes to.
    ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
    if (OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr) != OCI_SUCCESS ||
        OCIEnvInit(&h.env, OCI_DEFAULT, 0, nullptr) != OCI_SUCCESS || !h.env)
        return "no OCI environment (out of memory)";
    if (OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&h.err), OCI_HTYPE_ERROR, 0, nullptr) != OCI_SUCCESS ||
        OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&h.srv), OCI_HTYPE_SERVER, 0, nullptr) != OCI_SUCCESS ||
        OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&h.svc), OCI_HTYPE_SVCCTX, 0, nullptr) != OCI_SUCCESS ||
        OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&h.ses), OCI_HTYPE_SESSION, 0, nullptr) != OCI_SUCCESS)
        return "cannot allocate handles (out of memory)";
    // Without a repository the service context has no server: CLOB calls
    // need no more.
    if (attach == Attach::Repository) {
        std::string why = attach_repository(h, repository);
        if (!why.empty()) return why;
    }
    h.ctx = ocix_context_create(h.env, h.svc, h.err);
    if (!h.ctx) {
        // Rolled back first: a session ended with nothing failed counts as
        // kept, and a repository file this logon created would stay.
        if (h.begun) {
            OCITransRollback(h.svc, h.err, OCI_DEFAULT);
            OCISessionEnd(h.svc, h.err, h.ses, OCI_DEFAULT);
        }
        h.begun = false;
        return "cannot create the external-procedure context (out of memory)";
    }
    return {};
}

Session::Session(const std::string &repository, Attach attach) : h_(std::make_unique<Handles>()) {
    std::string why = logon(*h_, repository, attach);
    if (why.empty()) return;
    std::snprintf(h_->error, sizeof h_->error, "logon failed: %s", why.c_str());
    if (h_->env) OCIHandleFree(h_->env, OCI_HTYPE_ENV);
    h_->env = nullptr;
}

Session::~Session() { close(); }

bool Session::ok() const { return h_->env != nullptr; }

std::string_view Session::error() const { return h_->error; }

bool Session::close() noexcept {
    Handles &h = *h_;
    if (!h.env) return !h.error[0];
    bool good = true;
    // A call that threw before it ran (out of memory while its arguments
    // were made) failed: its repository goes as a refused call's does,
    // never kept by the commit that ending the session makes.
    if (h.calling && h.attached) OCITransRollback(h.svc, h.err, OCI_DEFAULT);
    h.calling = false;
    if (h.begun) {
        sword st = OCISessionEnd(h.svc, h.err, h.ses, OCI_DEFAULT);
        if (st != OCI_SUCCESS && st != OCI_SUCCESS_WITH_INFO) {
            static constexpr char kHead[] = "cannot end the session: ";
            std::memcpy(h.error, kHead, sizeof kHead);
            oci_text(h.err, st, h.error + sizeof kHead - 1, sizeof h.error - (sizeof kHead - 1));
            good = false;
        }
        h.begun = false;
    }
    if (h.ctx) ocix_context_free(h.ctx);
    h.ctx = nullptr;
    OCIHandleFree(h.env, OCI_HTYPE_ENV);
    h.env = nullptr;
    return good;
}

CallResult Session::call(const std::string &library, const std::string &procedure,
                         const std::vector<std::string> &args) {
    CallResult r;
    Handles &h = *h_;
    if (!ok()) {
        r.error = "no open session";
        return r;
    }
    const CallSpec *spec = find_procedure(library, procedure);
    if (!spec) {
        r.error = unknown_procedure(library, procedure);
        return r;
    }
    if (spec->repository && !h.attached) {
        r.error = procedure + " needs a repository, and the session has none";
        return r;
    }
    h.calling = true;
    Slots slots(spec->nparams);
    std::vector<Word> words;
    void *fn = nullptr;
    if (!take_args(*spec, args, slots, r.error) || !(fn = resolve(library, procedure, r.error)) ||
        !build_words(*spec, h, slots, words, r.error)) {
        // A call refused before it ran failed as one that ran: a repository
        // the session created for it goes again at the close.
        if (h.attached) OCITransRollback(h.svc, h.err, OCI_DEFAULT);
        h.calling = false;
        return r;
    }

    r.ret = kInvokers[words.size()](fn, words.data());
    r.called = true;
    h.calling = false;  // committed or rolled back below, whatever else fails

    // As the PL/SQL caller: keep the work of a call that succeeded, drop the
    // rest of one that failed; at once, so that nothing thrown while the
    // results are read leaves a failed call's rows for the session's end.
    if (h.attached) {
        sword st =
            r.ret == 0 ? OCITransCommit(h.svc, h.err, OCI_DEFAULT) : OCITransRollback(h.svc, h.err, OCI_DEFAULT);
        // How the commit was settled is told by the layer's code, never by
        // its words.
        sb4 code = 0;
        if (st == OCI_ERROR || st == OCI_SUCCESS_WITH_INFO)
            OCIErrorGet(h.err, 1, nullptr, &code, nullptr, 0, OCI_HTYPE_ERROR);
        if (st == OCI_SUCCESS_WITH_INFO) {
            // Stored: a note that cannot be kept changes nothing of that.
            try {
                r.note = oci_text(h.err, st);
            } catch (const std::bad_alloc &) {
            }
        } else if (st != OCI_SUCCESS) {
            r.commit_unknown = r.ret == 0 && code == OCIX_ERR_COMMIT_UNKNOWN;
            r.error = std::string(r.ret == 0 ? "commit" : "rollback") + " failed: " + oci_text(h.err, st);
        }
    }
    // What was committed stays so: a failure from here on loses only the
    // results, and says so.
    try {
        for (int i = 0; i < spec->nparams; ++i)
            if (is_out(spec->params[i].kind))
                r.outs.push_back(read_out(spec->params[i], slots.s[static_cast<size_t>(i)]));
    } catch (const std::bad_alloc &) {
        r.outs.clear();
        r.after = "out of memory: the results could not be read";
    }
    return r;
}

bool load_procedure(const std::string &library, const std::string &procedure, std::string &error) {
    return resolve(library, procedure, error) != nullptr;
}

const CallSpec *find_procedure(const std::string &library, const std::string &procedure) {
    return find_callspec(library_name(library).c_str(), procedure.c_str());
}

std::string library_name(const std::string &library) {
    if (!is_path(library)) return library;
    std::string base = library.substr(library.rfind('/') + 1);
    if (base.size() > 6 && base.starts_with("lib") && base.ends_with(".so"))
        return base.substr(3, base.size() - 6);
    return base;
}

std::string unknown_procedure(const std::string &library, const std::string &procedure) {
    std::string name = library_name(library);
    if (known_library(name.c_str())) return "unknown procedure " + procedure + " of library " + name;
    std::string known;
    for (const std::string &n : library_names()) known += (known.empty() ? "" : ", ") + n;
    return "unknown library " + name + " (the libraries are " + known + ")";
}

std::string list_procedures(const std::string &library, std::string &error) {
    std::string name = library_name(library);
    // Only what the library exports: the second build of the address
    // library lacks some of the lines it shares with the first.
    void *lib = open_library(library_file(library), error);
    if (!lib) return {};
    std::string list = name + ":\n";
    for (const CallSpec *s : library_callspecs(name.c_str()))
        if (dlsym(lib, s->procedure))
            list += "  " + std::string(s->procedure) + "(" + describe_params(*s) + ")\n";
    return list;
}

std::string format_call(const CallResult &r) {
    std::string s = "return: " + std::to_string(r.ret) + "\n";
    for (const OutValue &v : r.outs) s += v.name + ": " + (v.null ? "<null>" : v.value) + "\n";
    return s;
}

std::string format_log(const std::string &log, bool raw) {
    if (raw) return log;
    static constexpr std::string_view br = "<br>";
    std::string s;
    size_t from = 0;
    for (size_t at; (at = log.find(br, from)) != std::string::npos; from = at + br.size())
        s.append(log, from, at - from).push_back('\n');
    s.append(log, from, std::string::npos);
    return s;
}

}  // namespace extproc
