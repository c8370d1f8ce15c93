// NDL_parsefile: one load run from the database's external-procedure agent.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>

#include "database.h"
#include "driver.h"
#include "entry.h"
#include "export.h"
#include "letters.h"
#include "log_clob.h"
#include "records_policy.h"
#include "runstate.h"
#include "sections.h"
#include "stopped_load.h"
#include "tokenizer.h"

namespace {

constexpr size_t kPathLimit = 500;  // repository, and repository + file name
constexpr int kMaxInputFiles = 10;

// The files of a run, opened before any is parsed; a run that an exception
// ends closes them too.
struct file_list {
    char *paths[kMaxInputFiles] = {};
    FILE *files[kMaxInputFiles] = {};
    int count = 0;

    file_list() = default;
    file_list(const file_list &) = delete;
    file_list &operator=(const file_list &) = delete;
    ~file_list() { release(); }

    void free_paths() {
        for (int i = 0; i < count; ++i) {
            std::free(paths[i]);
            paths[i] = nullptr;
        }
    }
    void close_files() {
        for (int i = 0; i < count; ++i)
            if (files[i]) {
                std::fclose(files[i]);
                files[i] = nullptr;
            }
    }
    void release() {
        free_paths();
        close_files();
    }
};

// The library lives on in the agent after the call: its statement handles
// must not outlive the run.
void free_statements() {
    if (stmthp) OCIHandleFree(stmthp, OCI_HTYPE_STMT);
    if (stmthp1) OCIHandleFree(stmthp1, OCI_HTYPE_STMT);
    stmthp = stmthp1 = nullptr;
}

void final_cleanup() {
    free_statements();
    releasememory("ALL");
}

// Paths are joined with "\" and shown so; the file system reads it as a
// separator.
FILE *open_input(const char *path, const char *&refused) {
    std::string native(path);
    for (char &c : native)
        if (c == '\\') c = '/';
    return open_ndl_text(native.c_str(), refused);
}

// Opens every named file; false (message logged, everything released) on the
// first refusal.
bool open_files(char *names, const char *repository, file_list &list) {
    size_t repolen = std::strlen(repository);
    char *save = nullptr;
    for (char *name = strtok_r(names, ",", &save); name; name = strtok_r(nullptr, ",", &save)) {
        if (list.count == kMaxInputFiles) {
            logmsg("ERROR: Number of input files exceeded limit, maximum of MAXINPFILES files can be "
                   "given\n");
            list.release();
            return false;
        }
        std::string path;
        if (repolen > 0) {
            if (repolen + std::strlen(name) >= kPathLimit) {
                logmsg("ERROR: ERROR: Repository + file length exceeded maximum limit of %d characters: "
                       "'%s' , '%s' \n",
                       static_cast<int>(kPathLimit), repository, name);
                list.release();
                return false;
            }
            path = std::string(repository) + "\\" + name;
        } else {
            path = name;
        }
        const char *refused = nullptr;
        FILE *fp = open_input(path.c_str(), refused);
        if (!fp) {
            if (refused)
                logmsg(kEncodingRefusal, refused, path.c_str());
            else
                logmsg("ERROR: File cannot be opened for parsing: %s %s\n", path.c_str(),
                       errno == ENOMEM ? "(out of memory) " : "");
            list.release();
            return false;
        }
        list.files[list.count] = fp;
        list.paths[list.count] = strdup(path.c_str());
        ++list.count;  // closed by the list from here on
        if (!list.paths[list.count - 1]) throw std::bad_alloc();
    }
    return true;
}

void read_mode(const char *mode) {
    if (!mode) return;
    if (casestrcmp(mode, "createversion") == 0) {
        g_createversion = 1;
        overwrite = 1;
    } else if (casestrcmp(mode, "updateversion") == 0) {
        overwrite = 1;
    } else if (casestrcmp(mode, "initializedata") == 0) {
        overwrite = 1;
        overwritedata = 1;
    }
}

void closing_warnings() {
    std::string unparsed;
    if (!g_customerparsed) unparsed += " CUSTOMER";
    if (!g_firewallparsed) unparsed += " FIREWALL";
    if (!g_routingparsed) unparsed += " ROUTING";
    if (!g_qosparsed) unparsed += " QOS";
    if (!overwritedata || !(g_topologyparsed || g_customerparsed)) return;
    logmsg("<B>\n \nWARNING: Parsed with initialize data option, removed all older versions of rules. \n</B>");
    if (!unparsed.empty())
        logmsg("<B>WARNING: Parsed with initialize data option, following sections are deleted and should "
               "be parsed again: '%s' \n\n</B>",
               unparsed.c_str());
}

int run(OCIExtProcContext *ctx, const char *repository, char *names, const char *mode, int *msgind,
        clob_log &log) {
    sword status = ociepgoe(ctx, &envhp, &svchp, &errhp);
    if (status != 0) {
        *msgind = 0;
        logmsg("Error in get oci env %d", status);
        return 2;
    }
    log.attach(svchp, errhp);
    stmthp = stmthp1 = nullptr;
    for (OCIStmt **stmt : {&stmthp, &stmthp1}) {
        sword got = OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(stmt), OCI_HTYPE_STMT, 0, nullptr);
        checkerr(errhp, got);
        // From the caller's environment only memory can be missing: the load
        // stops as any that runs out of it.
        if (got != OCI_SUCCESS) throw std::bad_alloc();
    }

    read_mode(mode);

    if (std::strlen(repository) >= kPathLimit) {
        *msgind = 0;
        logmsg("ERROR: Repository length exceeded maximum limit of %d characters \n", static_cast<int>(kPathLimit));
        free_statements();
        return 2;
    }

    file_list list;
    if (!open_files(names, repository, list)) {
        free_statements();
        return 2;
    }
    if (!agree_letters(list.files, list.paths, list.count)) {
        list.release();
        free_statements();
        return 2;
    }

    for (int i = 0; i < list.count; ++i) {
        logmsg("\n --- FILE:  %s --- \n", list.paths[i]);
        reset_tokenizer();
        if (!parse(list.files[i], nullptr, i == 0 ? 1 : 2) || g_error) {
            final_cleanup();
            logmsg("%s", kNotChanged);
            *msgind = 0;
            list.release();
            return 2;
        }
    }
    list.release();

    logmsg("<left>---- Global Validations ----</left>");
    if ((g_firewallparsed || g_routingparsed || g_qosparsed) && services().after_last_file)
        services().after_last_file();

    if (!overwritedata && g_topologymodified && !g_customerparsed) {
        logmsg("\n\nERROR: Entried in topology section seems to be modified or deleted, you should parse "
               "customer section also to validate the customer rules\n");
        final_cleanup();
        return 2;
    }

    // With no section parsed the lists are empty, and writing them would
    // empty the tables of the default network.
    bool parsed = g_topologyparsed || g_customerparsed || g_routingparsed || g_firewallparsed || g_qosparsed;
    if (parsed && !print_info(nullptr)) {
        final_cleanup();
        *msgind = 0;
        logmsg("Error in writing to database");
        return 2;
    }

    closing_warnings();
    logmsg("files  successfully loaded \n");
    final_cleanup();
    return 0;
}

}  // namespace

NDL_EXPORT int NDL_parsefile(OCIExtProcContext *ctx, OCILobLocator **log, char *repository,
                             char *filelist, char *mode, char *message, int /*messagelen*/,
                             int *messageind) {
    int ignored = 0;
    int *msgind = messageind ? messageind : &ignored;
    clob_log to_clob(log);
    scoped_log logging(to_clob.sink());
    // Nothing thrown reaches the agent: a run out of memory is a failed
    // load, its rows left to the caller's rollback, and the library is
    // ready for the next call.
    try {
        InitialiseGlobalData();
        if (message) message[0] = '\0';
        g_createversion = 0;
        std::unique_ptr<char, decltype(&std::free)> names(strdup(filelist ? filelist : ""), &std::free);
        if (!names) throw std::bad_alloc();
        return run(ctx, repository ? repository : "", names.get(), mode, msgind, to_clob);
    } catch (...) {
        final_cleanup();
        *msgind = 0;
        log_stopped_load(kNotChanged);
        return 2;
    }
}
NDL_PARSEFILE_ROW(NDL_ROW_DEFINED)
