// Handles: allocation, the registry of live handles, attributes, errors and
// external-procedure contexts.
#include "oci_internal.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdint>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <unistd.h>

namespace ndloci {

namespace {

// Every live handle, so that a null, freed or foreign pointer is answered
// with OCI_INVALID_HANDLE instead of being dereferenced. Never destroyed:
// a process may exit with handles still allocated.
//
// Beside the map, under the same lock for writers, a fixed table that
// readers probe without it: a handle lies there, in one of the few slots
// its address hashes to, only while it is live (enrolled whole before it is
// stored, cleared before it is freed), so a pointer found there is a live
// handle, and one not found is asked of the map under the lock. A load
// makes every OCI call on a few handles; the lock on each call cost its
// 30 MB load 255 M instructions in 6,960 M (callgrind).
struct Registry {
    static constexpr size_t kSlots = 1024, kProbe = 8;
    std::mutex mu;
    std::unordered_map<const void *, Handle *> live;
    std::atomic<const void *> fast[kSlots] = {};

    static size_t home(const void *p) {
        auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)) * 0x9E3779B97F4A7C15ull;
        return static_cast<size_t>(bits >> 54);  // the top 10 bits: kSlots
    }
    std::atomic<const void *> &slot(size_t home, size_t i) { return fast[(home + i) % kSlots]; }
    bool found_fast(const void *p) {
        size_t h = home(p);
        for (size_t i = 0; i < kProbe; ++i)
            if (slot(h, i).load(std::memory_order_acquire) == p) return true;
        return false;
    }
};
static_assert(Registry::kSlots == size_t{1} << 10);

Registry &registry() {
    static Registry *r = new Registry;
    return *r;
}

// Free order under an environment: statements before the connections they
// use, sessions (roll back) before their servers (close).
constexpr int kLastRank = 4;
int free_rank(const Handle *h) {
    switch (h->type) {
    case OCI_HTYPE_STMT: return 0;
    case OCI_HTYPE_SESSION: return 1;
    case OCI_HTYPE_SVCCTX: return 2;
    case OCI_HTYPE_SERVER: return 3;
    default: return kLastRank;
    }
}

template <class P> P *handed_out(Handle *h) { return static_cast<P *>(static_cast<void *>(h)); }

// An allocation under `env` refused: the reason stays with the environment.
sword refuse(Env *env, sb4 code, const char *why) {
    env->code = code;
    env->why = why;
    return OCI_ERROR;
}

// A handle or LOB descriptor under an environment, which frees it with
// itself unless it is freed before.
sword allocate(const dvoid *parenth, dvoid **out, ub4 type, bool descriptor, size_t xtramem_sz,
               dvoid **usrmempp) {
    Env *env = as<Env>(parenth);
    if (!env || !out) return OCI_INVALID_HANDLE;
    env->code = 0;
    env->why = nullptr;
    if (xtramem_sz) return refuse(env, kErrUsage, "no extra user memory is offered");
    if (descriptor != (type == OCI_DTYPE_LOB))
        return refuse(env, kErrUsage, descriptor ? "descriptor type not supported" : "handle type not supported");
    try {
        std::unique_ptr<Handle> h;
        switch (type) {
        case OCI_HTYPE_ERROR: h = std::make_unique<Error>(env); break;
        case OCI_HTYPE_SVCCTX: h = std::make_unique<SvcCtx>(env); break;
        case OCI_HTYPE_STMT: h = std::make_unique<Stmt>(env); break;
        case OCI_HTYPE_SERVER: h = std::make_unique<Server>(env); break;
        case OCI_HTYPE_SESSION: h = std::make_unique<Session>(env); break;
        case OCI_DTYPE_LOB: h = std::make_unique<Lob>(env); break;
        default: return refuse(env, kErrUsage, "handle type not supported");
        }
        // Whole before it joins: listed under its environment and live, or
        // neither (a listed handle is freed again with the environment).
        auto listed = env->children.insert(h.get()).first;
        try {
            enroll(h.get());
        } catch (const std::bad_alloc &) {
            env->children.erase(listed);
            throw;
        }
        *out = handed_out<dvoid>(h.release());
    } catch (const std::bad_alloc &) {
        return refuse(env, kErrMemory, kOutOfMemory);
    }
    if (usrmempp) *usrmempp = nullptr;
    return OCI_SUCCESS;
}

// Hands out an error record: OCI_NO_DATA when there is none.
sword give_error(sb4 code, const char *what, size_t len, ub4 recordno, sb4 *errcodep, text *bufp, ub4 bufsiz) {
    if (recordno != 1 || code == 0) {
        if (bufp && bufsiz) bufp[0] = 0;
        return OCI_NO_DATA;
    }
    if (errcodep) *errcodep = code;
    if (bufp && bufsiz) {
        size_t n = std::min<size_t>(len, bufsiz - 1);
        std::memcpy(bufp, what, n);
        bufp[n] = 0;
    }
    return OCI_SUCCESS;
}

}  // namespace

Handle *lookup(const void *p, ub4 type) {
    if (!p) return nullptr;
    Registry &r = registry();
    if (r.found_fast(p)) {
        // A handle is its own address (handed_out).
        Handle *h = static_cast<Handle *>(const_cast<void *>(p));
        return h->type == type ? h : nullptr;
    }
    std::lock_guard<std::mutex> lock(r.mu);
    auto it = r.live.find(p);
    return it != r.live.end() && it->second->type == type ? it->second : nullptr;
}

void enroll(Handle *h) {
    Registry &r = registry();
    const void *p = h;
    std::lock_guard<std::mutex> lock(r.mu);
    r.live.emplace(p, h);
    size_t home = Registry::home(p);
    for (size_t i = 0; i < Registry::kProbe; ++i)
        if (!r.slot(home, i).load(std::memory_order_relaxed)) {
            r.slot(home, i).store(p, std::memory_order_release);
            break;
        }
}

void unenroll(Handle *h) {
    Registry &r = registry();
    const void *p = h;
    std::lock_guard<std::mutex> lock(r.mu);
    r.live.erase(p);
    size_t home = Registry::home(p);
    for (size_t i = 0; i < Registry::kProbe; ++i)
        if (r.slot(home, i).load(std::memory_order_relaxed) == p) r.slot(home, i).store(nullptr, std::memory_order_release);
}

namespace {

pid_t opener = 0;

// A process may exit with its handles allocated; its repository files are
// then closed as a server ends the sessions of a client that is gone: what
// was committed lands in the file itself, what was not is rolled back (a
// write-ahead log that cannot be taken in is said on standard error, as any
// close says it). A forked child leaves them to its parent.
void close_repositories() {
    if (getpid() != opener) return;
    Registry &r = registry();
    std::lock_guard<std::mutex> lock(r.mu);
    for (auto &entry : r.live)
        if (entry.second->type == OCI_HTYPE_SERVER) static_cast<Server *>(entry.second)->conn.reset();
}

}  // namespace

void close_repositories_at_exit() {
    static std::once_flag once;
    std::call_once(once, [] {
        opener = getpid();
        std::atexit(close_repositories);
    });
}

void destroy(Handle *h) noexcept {
    if (h->type == OCI_HTYPE_ENV) {
        // Rank by rank, in place: freeing needs no memory.
        auto &kids = static_cast<Env *>(h)->children;
        for (int rank = 0; !kids.empty(); ++rank) {
            assert(rank <= kLastRank);
            for (auto it = kids.begin(); it != kids.end();) {
                Handle *k = *it;
                if (free_rank(k) != rank) {
                    ++it;
                    continue;
                }
                it = kids.erase(it);
                unenroll(k);
                delete k;
            }
        }
    } else if (h->env) {
        h->env->children.erase(h);
    }
    unenroll(h);
    delete h;
}

std::string format(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list again;
    va_copy(again, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

void clear(Error *e) {
    e->code = 0;
    e->text.clear();
}

sword fail(Error *e, sb4 code, std::string text) {
    e->code = code;
    e->text = std::move(text);
    return OCI_ERROR;
}

const char *memory_note(int code) {
    return (code & 0xff) == SQLITE_NOMEM || code == SQLITE_IOERR_NOMEM ? " (out of memory)" : "";
}

sword fail_sql(Error *e, sqlite3 *db, std::string_view what) {
    std::string text(what);
    if (!text.empty()) text += ": ";
    text += sqlite3_errmsg(db);
    int code = sqlite3_extended_errcode(db);
    if (text.find("memory") == std::string::npos) text += memory_note(code);
    return fail(e, code ? code : SQLITE_ERROR, std::move(text));
}

sword out_of_memory(Error *e) noexcept {
    if (e) {
        e->code = kErrMemory;
        e->text.assign(kOutOfMemory);  // within the string's own room
    }
    return OCI_ERROR;
}

sword info(Error *e, sb4 code, std::string text) {
    e->code = code;
    e->text = std::move(text);
    return OCI_SUCCESS_WITH_INFO;
}

}  // namespace ndloci

using namespace ndloci;

extern "C" {

sword OCIInitialize(ub4, dvoid *, dvoid *(*)(dvoid *, size_t), dvoid *(*)(dvoid *, dvoid *, size_t),
                    void (*)(dvoid *, dvoid *)) {
    layer_init();
    return OCI_SUCCESS;
}

sword OCIEnvInit(OCIEnv **envp, ub4, size_t xtramem_sz, dvoid **usrmempp) {
    layer_init();
    if (!envp) return OCI_INVALID_HANDLE;
    if (xtramem_sz) return OCI_ERROR;
    try {
        auto env = std::make_unique<Env>();
        enroll(env.get());
        *envp = handed_out<OCIEnv>(env.release());
    } catch (const std::bad_alloc &) {
        return OCI_ERROR;
    }
    if (usrmempp) *usrmempp = nullptr;
    return OCI_SUCCESS;
}

sword OCIHandleAlloc(const dvoid *parenth, dvoid **hndlpp, ub4 type, size_t xtramem_sz,
                     dvoid **usrmempp) {
    return allocate(parenth, hndlpp, type, false, xtramem_sz, usrmempp);
}

sword OCIHandleFree(dvoid *hndlp, ub4 type) {
    Handle *h = type == OCI_DTYPE_LOB ? nullptr : lookup(hndlp, type);
    if (!h) return OCI_INVALID_HANDLE;
    if (type == OCI_HTYPE_DEFINE) {
        auto *d = static_cast<Define *>(h);
        auto &defs = d->stmt->defines;
        defs.erase(std::remove(defs.begin(), defs.end(), d), defs.end());
        unenroll(d);
        delete d;
        return OCI_SUCCESS;
    }
    destroy(h);
    return OCI_SUCCESS;
}

sword OCIDescriptorAlloc(const dvoid *parenth, dvoid **descpp, ub4 type, size_t xtramem_sz,
                         dvoid **usrmempp) {
    return allocate(parenth, descpp, type, true, xtramem_sz, usrmempp);
}

sword OCIDescriptorFree(dvoid *descp, ub4 type) {
    Handle *h = lookup(descp, type);
    if (!h || type != OCI_DTYPE_LOB) return OCI_INVALID_HANDLE;
    destroy(h);
    return OCI_SUCCESS;
}

sword OCIAttrSet(dvoid *trgthndlp, ub4 trghndltyp, dvoid *attributep, ub4 size, ub4 attrtype,
                 OCIError *errhp) {
    Error *e = as<Error>(errhp);
    Handle *target = lookup(trgthndlp, trghndltyp);
    return api_call(e, target, Fault::Count, [&]() -> sword {
        if (trghndltyp == OCI_HTYPE_SVCCTX && attrtype == OCI_ATTR_SERVER) {
            auto *srv = as<Server>(attributep);
            if (!srv) return OCI_INVALID_HANDLE;
            static_cast<SvcCtx *>(target)->server = srv;
            return OCI_SUCCESS;
        }
        if (trghndltyp == OCI_HTYPE_SVCCTX && attrtype == OCI_ATTR_SESSION) {
            auto *ses = as<Session>(attributep);
            if (!ses) return OCI_INVALID_HANDLE;
            static_cast<SvcCtx *>(target)->session = ses;
            return OCI_SUCCESS;
        }
        if (trghndltyp == OCI_HTYPE_SESSION &&
            (attrtype == OCI_ATTR_USERNAME || attrtype == OCI_ATTR_PASSWORD)) {
            if (!attributep && size) return fail(e, kErrUsage, "attribute value is null");
            auto *ses = static_cast<Session *>(target);
            std::string value = attributep ? std::string(static_cast<const char *>(attributep), size)
                                           : std::string();
            (attrtype == OCI_ATTR_USERNAME ? ses->user : ses->password) = std::move(value);
            return OCI_SUCCESS;
        }
        return fail(e, kErrUsage,
                    format("attribute %u cannot be set on a handle of type %u", attrtype, trghndltyp));
    });
}

sword OCIErrorGet(dvoid *hndlp, ub4 recordno, text *, sb4 *errcodep, text *bufp, ub4 bufsiz,
                  ub4 type) {
    if (type == OCI_HTYPE_ENV) {
        Env *env = as<Env>(hndlp);
        if (!env) return OCI_INVALID_HANDLE;
        const char *why = env->why ? env->why : "";
        return give_error(env->code, why, std::strlen(why), recordno, errcodep, bufp, bufsiz);
    }
    Error *e = type == OCI_HTYPE_ERROR ? as<Error>(hndlp) : nullptr;
    if (!e) return OCI_INVALID_HANDLE;
    return give_error(e->code, e->text.data(), e->text.size(), recordno, errcodep, bufp, bufsiz);
}

OCIExtProcContext *ocix_context_create(OCIEnv *envh, OCISvcCtx *svch, OCIError *errh) {
    Env *env = as<Env>(envh);
    if (!env || !as<SvcCtx>(svch) || !as<Error>(errh)) return nullptr;
    env->code = 0;
    env->why = nullptr;
    if (fault_take(Fault::Context, as<Error>(errh))) {
        refuse(env, kErrMemory, kOutOfMemory);
        return nullptr;
    }
    try {
        auto ctx = std::make_unique<Context>();
        ctx->envh = envh;
        ctx->svch = svch;
        ctx->errh = errh;
        enroll(ctx.get());
        return handed_out<OCIExtProcContext>(ctx.release());
    } catch (const std::bad_alloc &) {
        refuse(env, kErrMemory, kOutOfMemory);
        return nullptr;
    }
}

void ocix_context_free(OCIExtProcContext *ctx) {
    if (Context *c = as<Context>(ctx)) destroy(c);
}

sword ociepgoe(OCIExtProcContext *with_context, OCIEnv **envh, OCISvcCtx **svch, OCIError **errh) {
    Context *c = as<Context>(with_context);
    if (!c) return OCI_INVALID_HANDLE;
    Error *e = as<Error>(c->errh);
    try {
        if (sword f = fault_take(Fault::ExtprocEnv, e)) return f;
    } catch (const std::bad_alloc &) {
        return out_of_memory(e);  // the fault's message could not be made
    }
    if (envh) *envh = c->envh;
    if (svch) *svch = c->svch;
    if (errh) *errh = c->errh;
    return OCI_SUCCESS;
}

}  // extern "C"
