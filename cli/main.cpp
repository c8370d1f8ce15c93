// cfgload: loads one NDL file into the repository from a shell, with a
// logon of its own, or writes the statements into a ".sql" load file.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "database.h"
#include "driver.h"
#include "letters.h"
#include "log_stdout.h"
#include "runstate.h"
#include "stopped_load.h"
#include "tokenizer.h"
#include "../platform/version.h"

namespace {

constexpr size_t kArgSize = 320;  // input name, login, load-file name

#define USAGE_SHORT                                                              \
    "Usage: <input file> <Oracle usercode>/<Oracle password>[/<connectionid>]  " \
    "[<overwrite/overwritedata/createfile> <outputfile name>]\n"
const char kUsageShort[] = USAGE_SHORT;
const char kUsage[] =
    "Usage: <input file> <Oracle usercode>/<Oracle password>[/<connectionid>] "
    "[<overwrite/createfile> <outputfile name>]\n";
const char kUsageNoOutput[] =
    "Usage: <input file> <Oracle usercode> <Oracle password> [<owerrite/createfile> <outputfile name>]\n";
// --help: the usage of a call with too few arguments, and what it names.
const char kHelp[] = USAGE_SHORT
    "ovcreatefile <outputfile name> writes the load file of a stored network, as overwrite would load it.\n"
    "The connectionid names the repository: a SQLite file in the working folder, or pg:DBNAME, the database\n"
    "DBNAME on the PostgreSQL server that libpq's PG* variables (PGHOST, PGPORT) name, where usercode and\n"
    "password are the server's account. Without it: $NDL_REPOSITORY (a file, postgresql://..., postgres://...\n"
    "or pg:DBNAME), else repository.db.\n"
    "NDL_BUSY_TIMEOUT_MS: how long a load waits for another load, in milliseconds.\n"
    "cfgload --help | --version\n";

char default_user[] = "tavlo";
char default_password[] = "wexpa";
char empty_id[] = "";
char *username = default_user;
char *password = default_password;
char *connectionid = empty_id;

OCIServer *srvhp;
OCISession *authp;

char inputname[kArgSize];
char login[kArgSize];
char loadname[kArgSize];
// The load file is written under a name of its own and renamed into place
// only when it is whole.
char loadtemp[kArgSize + 8];
// The session ended: what was loaded is stored (or the load file is
// whole), whatever fails later.
bool committed = false;
// The session's commit failed and could not be settled: whether it was
// stored cannot be known, and the run ends with a status of its own.
bool commit_unknown = false;
constexpr int kUnknownStatus = 3;
const char kUnknownEnd[] = "EXITING, THE OUTCOME IS UNKNOWN: " OCIX_COMMIT_UNKNOWN
                           "; look for the network's rows in the repository before loading it again\n";

int fail(const char *text) {
    print_log("%s", text);
    return 1;
}

// Copies an argument into its buffer; false when it does not fit.
bool copy_arg(char (&buffer)[kArgSize], const char *arg) {
    if (std::strlen(arg) >= sizeof buffer) return false;
    std::strcpy(buffer, arg);
    return true;
}

// Cuts the login copy at every "/": user, password, connection id; a
// fourth part is ignored.
bool split_login() {
    char *parts[3] = {login, nullptr, nullptr};
    char *p = login;
    for (int i = 1; i < 3; ++i) {
        p = std::strchr(p, '/');
        if (!p) break;
        *p++ = '\0';
        parts[i] = p;
    }
    if (parts[2]) {
        char *fourth = std::strchr(parts[2], '/');
        if (fourth) *fourth = '\0';
    }
    if (!parts[0][0] || !parts[1] || !parts[1][0]) return false;
    username = parts[0];
    password = parts[1];
    connectionid = parts[2] ? parts[2] : empty_id;
    return true;
}

// The login's password, and one the connection id holds, leave the process
// list once copied: the argument is overwritten in place.
void hide_login_password(char *arg) {
    char *pw = std::strchr(arg, '/');
    if (!pw) return;
    char *id = std::strchr(++pw, '/');
    std::memset(pw, 'x', static_cast<size_t>((id ? id : pw + std::strlen(pw)) - pw));
    if (id) ocix_hide_password(id + 1);
}

// Set when an allocation of the logon failed: the one cause that
// "Error in db initialization.." is then told with.
bool logon_out_of_memory = false;

// A handle of the logon; with a valid environment only memory can be
// missing.
bool allocated(sword status) {
    logon_out_of_memory |= status != OCI_SUCCESS;
    return status == OCI_SUCCESS;
}

int do_dbinitialization() {
    OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr);
    // Steps whose statuses the logon does not examine, but an allocation
    // that fails ends it: the next would only meet an invalid handle.
    if (!allocated(OCIEnvInit(&envhp, OCI_DEFAULT, 0, nullptr)) ||
        !allocated(OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(&errhp), OCI_HTYPE_ERROR, 0, nullptr)) ||
        !allocated(OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(&srvhp), OCI_HTYPE_SERVER, 0, nullptr)) ||
        !allocated(OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(&svchp), OCI_HTYPE_SVCCTX, 0, nullptr)))
        return 0;
    OCIServerAttach(srvhp, errhp, reinterpret_cast<const text *>(connectionid),
                    static_cast<sb4>(std::strlen(connectionid)), OCI_DEFAULT);
    OCIAttrSet(svchp, OCI_HTYPE_SVCCTX, srvhp, 0, OCI_ATTR_SERVER, errhp);
    if (!allocated(OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(&authp), OCI_HTYPE_SESSION, 0, nullptr)))
        return 0;
    OCIAttrSet(authp, OCI_HTYPE_SESSION, username, static_cast<ub4>(std::strlen(username)), OCI_ATTR_USERNAME,
               errhp);
    OCIAttrSet(authp, OCI_HTYPE_SESSION, password, static_cast<ub4>(std::strlen(password)), OCI_ATTR_PASSWORD,
               errhp);
    checkerr(errhp, OCISessionBegin(svchp, errhp, authp, OCI_CRED_RDBMS, OCI_DEFAULT));
    if (g_loaderror) return 0;
    OCIAttrSet(svchp, OCI_HTYPE_SVCCTX, authp, 0, OCI_ATTR_SESSION, errhp);
    for (OCIStmt **stmt : {&stmthp, &stmthp1}) {
        sword status = OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(stmt), OCI_HTYPE_STMT, 0, nullptr);
        checkerr(errhp, status);
        allocated(status);
        if (g_loaderror) return 0;
    }
    return 1;
}

// A run that fails tells its session so before it goes (its transaction is
// rolled back, as the exit would): a repository the run created, to which
// nothing was committed, then goes with it.
void roll_back() {
    if (svchp) OCITransRollback(svchp, errhp, OCI_DEFAULT);
}

FILE *open_loadfile() {
    std::snprintf(loadtemp, sizeof loadtemp, "%sXXXXXX", loadname);
    int fd = mkstemp(loadtemp);
    if (fd < 0) return nullptr;
    // mkstemp makes it 0600; the file is for whoever runs the SQL client, so
    // it gets the mode a plain create would give it.
    mode_t mask = umask(0);
    umask(mask);
    FILE *fp = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "w") : nullptr;
    if (!fp) {
        close(fd);
        unlink(loadtemp);
    }
    return fp;
}

// A run that fails leaves no load file behind, never a partial one.
void drop_loadfile(FILE *loadfp) {
    if (!loadfp) return;
    std::fclose(loadfp);
    unlink(loadtemp);
}

// The load file could not be made whole: none is left (logged).
bool lose_loadfile(int err) {
    unlink(loadtemp);
    logmsg("ERROR: cannot write the load file %s: %s\n", loadname, std::strerror(err));
    return false;
}

// Closes the load file, whole on disk under its temporary name: false
// (logged) when any of its bytes may be missing.
bool close_loadfile(FILE *loadfp) {
    bool ok = std::fflush(loadfp) == 0 && !std::ferror(loadfp) && fsync(fileno(loadfp)) == 0;
    int err = errno;
    if (std::fclose(loadfp) != 0 && ok) {
        ok = false;
        err = errno;
    }
    return ok || lose_loadfile(err);
}

// Gives the closed load file its name, once the session ended well.
bool place_loadfile() { return std::rename(loadtemp, loadname) == 0 || lose_loadfile(errno); }


// The log tells what the run already stored or refused: its loss is told,
// and the exit status still says which.
void report_lost_log(int status) {
    const char *why = log_lost();
    if (!why) return;
    const char *outcome = commit_unknown ? OCIX_COMMIT_UNKNOWN
                          : status != 0  ? "nothing was stored"
                          : createfile   ? "the load file was created"
                                         : "the load was committed";
    std::fprintf(stderr, "cfgload: the log could not be written (%s): %s\n", why, outcome);
}

int run(int argc, char **argv) {
    InitialiseGlobalData();
    g_tablename[0] = '\0';
    createfile = overwrite = overwritedata = 0;
    if (argc < 3) return fail(kUsageShort);
    // Longer arguments than the buffers hold are refused, never cut.
    if (!copy_arg(inputname, argv[1]) || !copy_arg(login, argv[2])) return fail(kUsage);
    if (!split_login()) return fail(kUsage);
    hide_login_password(argv[2]);
    if (argc > 3) {
        const char *mode = argv[3];
        if (casestrcmp(mode, "overwrite") == 0) {
            overwrite = 1;
        } else if (casestrcmp(mode, "overwritedata") == 0) {
            overwrite = overwritedata = 1;
        } else if (casestrcmp(mode, "createfile") == 0) {
            createfile = 1;
        } else if (casestrcmp(mode, "ovcreatefile") == 0) {
            overwrite = createfile = 1;
        } else {
            return fail(kUsage);
        }
        if (createfile) {
            if (argc < 5) {
                print_log("Output file name not specified \n");
                return fail(kUsageNoOutput);
            }
            if (std::strlen(argv[4]) + 4 >= kArgSize) return fail(kUsage);
            std::snprintf(loadname, sizeof loadname, "%s.sql", argv[4]);
        }
    }

    const char *refused = nullptr;
    FILE *fp = open_ndl_text(inputname, refused);
    if (!fp) {
        if (refused)
            std::fprintf(stderr, kEncodingRefusal, refused, inputname);
        else
            std::fprintf(stderr, "open failed for %s%s\n", inputname, errno == ENOMEM ? " (out of memory)" : "");
        return 1;
    }
    FILE *loadfp = nullptr;
    if (createfile && !(loadfp = open_loadfile())) {
        std::fprintf(stderr, "open failed for %s%s\n", loadname, errno == ENOMEM ? " (out of memory)" : "");
        return 1;
    }
    // Nothing to release yet: the environment is made by the logon.
    if (!do_dbinitialization()) {
        roll_back();
        drop_loadfile(loadfp);
        if (logon_out_of_memory) print_log("ERROR: Out of memory at the logon\n");
        return fail("Error in db initialization..\n");
    }
    print_log("Connected to ORACLE as %s\n", username);

    reset_tokenizer();
    auto stop = [&](const char *text) {
        roll_back();
        drop_loadfile(loadfp);
        print_log("%s", text);
        releasememory("ALL");
        return 1;
    };
    const char *name = inputname;
    if (!agree_letters(&fp, &name, 1)) return stop("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n");
    if (!parse(fp, loadfp, 1)) return stop("Error in parsing.\n");
    if (g_error) return stop("EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n");
    if (!print_info(loadfp)) return stop("EXITING DUE TO ERRORS.\n");
    std::fclose(fp);
    if (loadfp) {
        bool whole = close_loadfile(loadfp);
        loadfp = nullptr;
        if (!whole) return stop("EXITING DUE TO ERRORS.\n");
    }
    // The session ends (and commits) before success is told: a commit that
    // fails is a failed run, and its load file never appears.
    std::snprintf(g_tablename, sizeof g_tablename, "%s", "session end");
    sword status = OCISessionEnd(svchp, errhp, authp, OCI_DEFAULT);
    // How a commit was settled is told by the layer's code, never its words.
    char text[512] = "";
    sb4 code = 0;
    if (status == OCI_ERROR || status == OCI_SUCCESS_WITH_INFO)
        OCIErrorGet(errhp, 1, nullptr, &code, reinterpret_cast<OraText *>(text), sizeof text, OCI_HTYPE_ERROR);
    text[sizeof text - 1] = '\0';
    if (status != OCI_SUCCESS && status != OCI_SUCCESS_WITH_INFO) {
        commit_unknown = status == OCI_ERROR && code == OCIX_ERR_COMMIT_UNKNOWN;
        checkerr(errhp, status);
        if (createfile) unlink(loadtemp);
        if (commit_unknown) {
            stop(kUnknownEnd);
            return kUnknownStatus;
        }
        return stop("EXITING DUE TO ERRORS.\n");
    }
    // Stored after its answer was lost and read back: the log says so.
    if (status == OCI_SUCCESS_WITH_INFO) print_log("NOTE: %s\n", text);
    g_tablename[0] = '\0';
    if (createfile && !place_loadfile()) return stop("EXITING DUE TO ERRORS.\n");
    committed = true;
    if (createfile) {
        print_log("Load file %s successfully created \n", loadname);
        print_log("Load the file using sqlplus utility.\n");
    } else {
        print_log("file  successfully loaded \n");
    }
    releasememory("ALL");
    return 0;
}

}  // namespace

int main(int argc, char **argv) try {
    // A closed pipe is a write that fails, never a kill after the commit.
    std::signal(SIGPIPE, SIG_IGN);
    set_log(stdout_log());
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return print_version("cfgload");
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return print_help("cfgload", kHelp);
    int status = run(argc, argv);
    report_lost_log(status);
    return status;
} catch (...) {
    if (committed) {
        // Only the end of the log is lost: the status stays the truth.
        std::fprintf(stderr, "cfgload: %s after the session ended: %s\n",
                     handling_out_of_memory() ? "out of memory" : handled_what(),
                     createfile ? "the load file was created" : "the load was committed");
        report_lost_log(0);
        return 0;
    }
    // A run that an exception stopped is a failed one: its session is not
    // ended, so nothing is committed, and no load file is left behind.
    if (loadtemp[0]) unlink(loadtemp);
    roll_back();
    // Unless the session's end was tried, and could not tell.
    if (commit_unknown) {
        fail(kUnknownEnd);
        report_lost_log(kUnknownStatus);
        return kUnknownStatus;
    }
    log_stopped_load();
    int status = fail(kNotChanged);
    report_lost_log(status);
    return status;
}
