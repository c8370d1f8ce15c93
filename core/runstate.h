// Run state of the loader, the log and its message conventions. All state is
// global: one run at a time per process. The driver that runs it is
// loader/driver.h.
#ifndef NDL_CORE_RUNSTATE_H
#define NDL_CORE_RUNSTATE_H

#include <cstdio>

constexpr int kMsgSize = 1000;         // a formatted message holds 999 characters
constexpr int kTokenSize = 300;        // a token holds 299 characters
constexpr int kNetworkNameSize = 100;  // a network name holds 99 characters

// ---- messages ----
extern char g_errormsg[kMsgSize];
extern int g_error;             // an input error was reported in this run
extern int g_prevtokentype;     // the token at the last error, for skip_block
extern char g_prevtoken[kTokenSize];
extern int Line;                // line of the file being read

// Where the log goes, handed in by the deliverable that runs the load: the
// library build the caller's CLOB, the command-line build standard output.
// `append` writes one message and the build's separator to `to`; it
// allocates nothing that can fail where the write itself cannot.
struct log_sink {
    void (*append)(void *to, const char *message) = nullptr;
    void *to = nullptr;
};
// Sends the log to `sink` from now on (none: messages are formatted and
// dropped) and gives back where it went before.
log_sink set_log(log_sink sink);
// Sends the log to a sink for as long as it lives, then back where it went.
class scoped_log {
public:
    explicit scoped_log(log_sink sink) : before_(set_log(sink)) {}
    ~scoped_log() { set_log(before_); }
    scoped_log(const scoped_log &) = delete;
    scoped_log &operator=(const scoped_log &) = delete;

private:
    log_sink before_;
};
// Appends g_errormsg to the log.
int addtooutput();
// Formats into g_errormsg (cut at 999 characters) without logging it.
void setmsg(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
// Formats into g_errormsg and logs it.
void logmsg(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

// ---- run state ----
extern int networkid;
extern int overwrite;        // a stored network may take a new TOPOLOGY section
extern int overwritedata;    // mode initializedata
extern int g_createversion;  // start a new policy version
extern int createfile;       // statements go to a load file (command line only)
extern int g_topologyparsed, g_customerparsed, g_routingparsed, g_firewallparsed, g_qosparsed;
extern int g_newnetwork;
extern int g_topologymodified;
extern int policeuniquenumber, matchuniquenumber, policynumber, g_connectionno;

// Names of the last section header, upper case.
struct section_header {
    char networkname[kNetworkNameSize];
    char sectionname[kTokenSize];
};
extern section_header g_section;
extern char oldnetworkname[kNetworkNameSize];  // the network the run is bound to

// Keeps the token at which an error was found, for skip_block.
void keep_error_token(int kind, const char *token);
// Flags an input error: formats the message, sets g_error, keeps the token
// and logs the message. The caller reads on or stops its block.
void flag_error(int kind, const char *token, const char *fmt, ...)
    __attribute__((format(printf, 3, 4)));

struct token_entry;
// Reads "domain . nodetype" with the caller's keyword buckets into two
// fields of 31 bytes; validate_node fills `devicetype` (31 bytes) for a
// known node. 0 read (errors may be flagged), 1 syntax error.
int parse_validate_domainnode(FILE *fp, token_entry **buckets, char *domainname, char *nodetype,
                              char *devicetype);

// Dotted quad into four bytes in text order: 1 valid, 0 invalid.
int inet_pton4(const char *src, unsigned char *dst);

// Frees the record lists of one group ("TOPOLOGY", "CUSTOMER", "ROUTING",
// "FIREWALL", "QOS", "ACCESSLIST") or of all ("ALL"), sub-lists included.
void releasememory(const char *section);

#endif
