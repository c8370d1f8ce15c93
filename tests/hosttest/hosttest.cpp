// Exports of every parameter kind, written the way the deliverables write
// theirs, so the host's marshalling, CLOBs and transactions can be checked
// without a real deliverable.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hosttest.h"
#include "oci.h"
#include "outparam.h"

namespace {

struct Env {
    OCIEnv *env = nullptr;
    OCISvcCtx *svc = nullptr;
    OCIError *err = nullptr;
};

// An error text (cut to the declared length), the error marked not NULL.
int fail(char *error, int errorlen, int *errorind, const char *fmt, int a = 0, int b = 0,
         const char *s = "") {
    char msg[1200];
    std::snprintf(msg, sizeof msg, fmt, a, b, s);
    out_error(error, errorlen, errorind, msg);
    return 2;
}

// Writes one piece at *offset and moves the offset past it.
sword write_piece(const Env &e, OCILobLocator *lob, ub4 *offset, const std::string &piece) {
    ub4 amount = static_cast<ub4>(piece.size());
    sword st = OCILobWrite(e.svc, e.err, lob, &amount, *offset, const_cast<char *>(piece.data()),
                           amount, OCI_ONE_PIECE, nullptr, nullptr, 0, SQLCS_IMPLICIT);
    if (st == OCI_SUCCESS) *offset += amount;
    return st;
}

int write_failed(const Env &e, sword st, char *error, int errorlen, int *errorind) {
    text msg[1000] = {};
    sb4 code = 0;
    OCIErrorGet(e.err, 1, nullptr, &code, msg, sizeof msg - 1, OCI_HTYPE_ERROR);
    return fail(error, errorlen, errorind, "Error in OCILobWrite -- %d %d %s\n", st, code,
                reinterpret_cast<const char *>(msg));
}

int run_sql(const Env &e, const std::string &sql) {
    OCIStmt *stmt = nullptr;
    sword st = OCIHandleAlloc(e.env, reinterpret_cast<dvoid **>(&stmt), OCI_HTYPE_STMT, 0, nullptr);
    if (st == OCI_SUCCESS)
        st = OCIStmtPrepare(stmt, e.err, reinterpret_cast<const text *>(sql.c_str()),
                            static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
    if (st == OCI_SUCCESS) st = OCIStmtExecute(e.svc, stmt, e.err, 1, 0, nullptr, nullptr, OCI_DEFAULT);
    if (stmt) OCIHandleFree(stmt, OCI_HTYPE_STMT);
    return st;
}

}  // namespace

// The text repeated NUMBER times, and its length. An empty result is NULL.
NDL_EXPORT int T_echo(char *text, int number, char *result, int resultlen, int *resultind,
                      int *length, char *error, int errorlen, int *errorind) {
    *errorind = OUT_NULL;
    *resultind = OUT_NOTNULL;
    *length = 0;
    result[0] = '\0';
    error[0] = '\0';
    size_t n = std::strlen(text);
    if (number < 0) {
        *resultind = OUT_NULL;
        return fail(error, errorlen, errorind, "Error : negative count %d\n", number);
    }
    size_t needed = 0;
    if (__builtin_mul_overflow(n, static_cast<size_t>(number), &needed) ||
        needed >= static_cast<size_t>(resultlen)) {
        *resultind = OUT_NULL;
        return fail(error, errorlen, errorind, "Error : result longer than %d\n", resultlen);
    }
    std::string s;
    for (int i = 0; i < number; ++i) s += text;
    out_result(result, resultlen, s.c_str());
    if (s.empty()) *resultind = OUT_NULL;
    *length = static_cast<int>(s.size());
    return 0;
}

// Reads the input CLOB whole and writes its blank-separated items to the
// output CLOB, each "%s " as one piece; LENGTH is the input's length.
NDL_EXPORT int T_clob(OCIExtProcContext *ctx, OCILobLocator *input, OCILobLocator **output,
                      int *length, char *error, int errorlen, int *errorind) {
    *errorind = OUT_NULL;
    error[0] = '\0';
    *length = 0;
    Env e;
    sword st = ociepgoe(ctx, &e.env, &e.svc, &e.err);
    if (st != OCI_SUCCESS) return fail(error, errorlen, errorind, "Error in get oci env %d", st);
    ub4 len = 0;
    st = OCILobGetLength(e.svc, e.err, input, &len);
    if (st != OCI_SUCCESS) return fail(error, errorlen, errorind, "Error in get lob len for input tab %d", st);
    std::vector<char> buf(static_cast<size_t>(len) + 1, '\0');
    if (len > 0) {
        ub4 amount = len;
        st = OCILobRead(e.svc, e.err, input, &amount, 1, buf.data(), len + 1, nullptr, nullptr, 0,
                        SQLCS_IMPLICIT);
        if (st != OCI_SUCCESS) return fail(error, errorlen, errorind, "Error in read on input tab %d", st);
    }
    *length = static_cast<int>(len);
    ub4 offset = 1;
    for (char *item = std::strtok(buf.data(), " "); item; item = std::strtok(nullptr, " ")) {
        st = write_piece(e, *output, &offset, std::string(item) + " ");
        if (st != OCI_SUCCESS) return write_failed(e, st, error, errorlen, errorind);
    }
    return 0;
}

// Writes VALUE as a row of HOSTROWS through the context's handles and
// returns STATUS, so the host's commit and rollback can be seen.
NDL_EXPORT int T_write(OCIExtProcContext *ctx, char *value, int status, char *error, int errorlen,
                       int *errorind) {
    *errorind = OUT_NULL;
    error[0] = '\0';
    Env e;
    sword st = ociepgoe(ctx, &e.env, &e.svc, &e.err);
    if (st != OCI_SUCCESS) return fail(error, errorlen, errorind, "Error in get oci env %d", st);
    std::string quoted;
    for (const char *c = value; *c; ++c) quoted += *c == '\'' ? std::string("''") : std::string(1, *c);
    if ((st = run_sql(e, "CREATE TABLE IF NOT EXISTS HOSTROWS (VAL VARCHAR(300))")) != OCI_SUCCESS ||
        (st = run_sql(e, "INSERT INTO HOSTROWS VALUES ('" + quoted + "')")) != OCI_SUCCESS)
        return fail(error, errorlen, errorind, "Error in write %d", st);
    return status;
}

// The loader's entry as the host sees it: a log CLOB by reference that gets
// one message and "<br>" per file, the message buffer set empty. Fails (2)
// on an empty file list.
NDL_EXPORT int T_parsefile(OCIExtProcContext *ctx, OCILobLocator **log, char *repository,
                           char *files, char *mode, char *message, int messagelen, int *messageind) {
    message[0] = '\0';
    Env e;
    sword st = ociepgoe(ctx, &e.env, &e.svc, &e.err);
    if (st != OCI_SUCCESS) return fail(message, messagelen, messageind, "Error in get oci env %d", st);
    ub4 offset = 1;
    std::string list = files;
    std::vector<std::string> pieces;
    for (size_t from = 0; from < list.size();) {
        size_t comma = list.find(',', from);
        if (comma == std::string::npos) comma = list.size();
        pieces.push_back("\n --- FILE:  " + std::string(repository) + (*repository ? "\\" : "") +
                         list.substr(from, comma - from) + " --- \n");
        from = comma + 1;
    }
    pieces.push_back(pieces.empty() ? "ERROR: no files\n" : "mode " + std::string(mode) + "\n");
    for (const std::string &p : pieces) {
        if ((st = write_piece(e, *log, &offset, p)) != OCI_SUCCESS ||
            (st = write_piece(e, *log, &offset, "<br>")) != OCI_SUCCESS)
            return write_failed(e, st, message, messagelen, messageind);
    }
    return list.empty() ? 2 : 0;
}
NDL_HOSTTEST_PROCEDURES(NDL_ROW_DEFINED, NDL_ROW_DEFINED)
