// The run state and the log's message buffer, with the helpers that fill it.
// A leaf: it uses nothing of the loader but the log itself, which each
// deliverable links (addtooutput), so every other unit may depend on it.
#include <cstdarg>
#include <cstdio>

#include "runstate.h"
#include "sections.h"

int Line = 1;
char g_errormsg[kMsgSize];
int g_error;
int g_prevtokentype;
char g_prevtoken[kTokenSize];
int outputindex = 1;
OCILobLocator **g_outputlob;

int networkid = 1;
int overwrite, overwritedata, g_createversion, createfile;
int g_topologyparsed, g_customerparsed, g_routingparsed, g_firewallparsed, g_qosparsed;
int g_newnetwork;
int g_topologymodified;
int policeuniquenumber, matchuniquenumber, policynumber, g_connectionno;
section_header g_section;
char oldnetworkname[kNetworkNameSize];

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
