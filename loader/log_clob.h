// The log of the library build: every message is appended to the caller's
// CLOB, followed by "<br>", through the handles the entry point hands it.
#ifndef NDL_LOADER_LOG_CLOB_H
#define NDL_LOADER_LOG_CLOB_H

#include "oci.h"
#include "runstate.h"

class clob_log {
public:
    // `lob` is the caller's out-parameter; without one the log is dropped.
    explicit clob_log(OCILobLocator **lob) : lob_(lob) {}
    clob_log(const clob_log &) = delete;
    clob_log &operator=(const clob_log &) = delete;

    // The session's handles, once the call's context has given them: a
    // message before that reaches no CLOB.
    void attach(OCISvcCtx *svc, OCIError *err) {
        svc_ = svc;
        err_ = err;
    }
    log_sink sink() { return {append, this}; }
    ub4 offset() const { return offset_; }  // the next 1-based write offset

private:
    static void append(void *to, const char *message);
    void write(const char *text, ub4 length);

    OCILobLocator **lob_;
    OCISvcCtx *svc_ = nullptr;
    OCIError *err_ = nullptr;
    ub4 offset_ = 1;
};

#endif
