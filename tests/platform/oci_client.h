// A client of the OCI layer for its tests and their child process: a
// temporary folder, a logon and direct reads of the repository file.
#ifndef NDL_TESTS_OCI_CLIENT_H
#define NDL_TESTS_OCI_CLIENT_H

#include "oci.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>

struct TempDir {
    TempDir() {
        char tmpl[] = "/tmp/ocitest.XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char *name) const { return path + "/" + name; }
    std::string path;
};

// The logon sequence of the command-line loader: the session attribute is
// set after the session began. `credt` OCI_CRED_EXT takes a server
// repository's account from its name, as the host does.
struct Logon {
    explicit Logon(const std::string &db, int layout = OCIX_LAYOUT_VERSIONED, ub4 credt = OCI_CRED_RDBMS,
                   const std::string &user = "tester", const std::string &password = "secret") {
        OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr);
        OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&srv), OCI_HTYPE_SERVER, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&svc), OCI_HTYPE_SVCCTX, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmt), OCI_HTYPE_STMT, 0, nullptr);
        attach_status = OCIServerAttach(srv, err, reinterpret_cast<const text *>(db.c_str()),
                                        static_cast<sb4>(db.size()), OCI_DEFAULT);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, srv, 0, OCI_ATTR_SERVER, err);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&ses), OCI_HTYPE_SESSION, 0, nullptr);
        OCIAttrSet(ses, OCI_HTYPE_SESSION, const_cast<char *>(user.c_str()), static_cast<ub4>(user.size()),
                   OCI_ATTR_USERNAME, err);
        OCIAttrSet(ses, OCI_HTYPE_SESSION, const_cast<char *>(password.c_str()), static_cast<ub4>(password.size()),
                   OCI_ATTR_PASSWORD, err);
        ocix_expect_layout(layout);
        begin_status = OCISessionBegin(svc, err, ses, credt, OCI_DEFAULT);
        begin_error = error();
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, ses, 0, OCI_ATTR_SESSION, err);
    }
    ~Logon() {
        if (env) OCIHandleFree(env, OCI_HTYPE_ENV);
    }
    std::string error() const {
        text buf[512];
        sb4 code = 0;
        if (OCIErrorGet(err, 1, nullptr, &code, buf, sizeof buf, OCI_HTYPE_ERROR) != OCI_SUCCESS) return "";
        return reinterpret_cast<char *>(buf);
    }
    sword prepare(const std::string &sql) {
        return OCIStmtPrepare(stmt, err, reinterpret_cast<const text *>(sql.data()), static_cast<ub4>(sql.size()),
                              OCI_NTV_SYNTAX, OCI_DEFAULT);
    }
    sword exec(const std::string &sql, ub4 iters = 1) {
        sword s = prepare(sql);
        return s != OCI_SUCCESS ? s : OCIStmtExecute(svc, stmt, err, iters, 0, nullptr, nullptr, OCI_DEFAULT);
    }
    sword define_str(ub4 pos, char *buf, sb4 size) {
        OCIDefine *d = nullptr;
        return OCIDefineByPos(stmt, &d, err, pos, buf, size, SQLT_STR, nullptr, nullptr, nullptr, OCI_DEFAULT);
    }
    sword define_int(ub4 pos, int32_t *v) {
        OCIDefine *d = nullptr;
        return OCIDefineByPos(stmt, &d, err, pos, v, 4, SQLT_INT, nullptr, nullptr, nullptr, OCI_DEFAULT);
    }
    sword fetch() { return OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT); }
    // First column of the first row as text, or "status N: error".
    std::string value(const std::string &sql) {
        char buf[300] = "";
        sword s = prepare(sql);
        if (s == OCI_SUCCESS) s = define_str(1, buf, sizeof buf);
        if (s == OCI_SUCCESS) s = OCIStmtExecute(svc, stmt, err, 1, 0, nullptr, nullptr, OCI_DEFAULT);
        return s == OCI_SUCCESS ? buf : "status " + std::to_string(s) + ": " + error();
    }
    sword end() { return OCISessionEnd(svc, err, ses, OCI_DEFAULT); }
    sword commit() { return OCITransCommit(svc, err, OCI_DEFAULT); }
    sword rollback() { return OCITransRollback(svc, err, OCI_DEFAULT); }

    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCIServer *srv = nullptr;
    OCISvcCtx *svc = nullptr;
    OCISession *ses = nullptr;
    OCIStmt *stmt = nullptr;
    sword attach_status = 0, begin_status = 0;
    std::string begin_error;
};

// First column of the first row through SQLite itself, "<none>" without a row.
inline std::string raw_value(const std::string &db, const std::string &sql) {
    sqlite3 *h = nullptr;
    std::string out = "<none>";
    sqlite3_stmt *s = nullptr;
    if (sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(h, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW) {
        const unsigned char *t = sqlite3_column_text(s, 0);
        out = t ? reinterpret_cast<const char *>(t) : "<null>";
    } else if (h && !s) {
        out = std::string("<error ") + sqlite3_errmsg(h) + ">";
    }
    sqlite3_finalize(s);
    sqlite3_close(h);
    return out;
}

#endif
