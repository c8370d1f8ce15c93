// The run state and the log's message buffer, with the helpers that fill it.
// A leaf: it uses nothing of the loader, and writes the log through what the
// deliverable handed it, so every other unit may depend on it.
#include <cstdarg>
#include <cstdio>

#include "runstate.h"
#include "sections.h"

int Line = 1;
char g_errormsg[kMsgSize];
int g_error;
int g_prevtokentype;
char g_prevtoken[kTokenSize];

int networkid = 1;
int overwrite, overwritedata, g_createversion, createfile;
int g_topologyparsed, g_customerparsed, g_routingparsed, g_firewallparsed, g_qosparsed;
int g_newnetwork;
int g_topologymodified;
int policeuniquenumber, matchuniquenumber, policynumber, g_connectionno;
section_header g_section;
char oldnetworkname[kNetworkNameSize];

namespace {
// Constant-initialised: a sink installed before main (a test's) holds.
constinit log_sink g_log;
}  // namespace

log_sink set_log(log_sink sink) {
    log_sink before = g_log;
    g_log = sink;
    return before;
}

int addtooutput() {
    if (g_log.append) g_log.append(g_log.to, g_errormsg);
    return 1;
}

void setmsg(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    va_end(ap);
}

void logmsg(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    va_end(ap);
    addtooutput();
}

void keep_error_token(int kind, const char *token) {
    g_prevtokentype = kind;
    std::snprintf(g_prevtoken, sizeof g_prevtoken, "%s", token);
}

void flag_error(int kind, const char *token, const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(g_errormsg, sizeof g_errormsg, fmt, ap);
    va_end(ap);
    g_error = 1;
    keep_error_token(kind, token);
    addtooutput();
}

// What the section libraries offer each other, filled as they register.
section_services &services() {
    static section_services provided;
    return provided;
}
