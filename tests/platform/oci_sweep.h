// A client of the OCI layer built step by step, for the sweeps that fail
// one allocation or one call of it at a time, and the checks they share:
// what the repository holds, and that it is closed once all is freed.
#ifndef NDL_TESTS_OCI_SWEEP_H
#define NDL_TESTS_OCI_SWEEP_H

// Nothing here allocates within a call: the sweeps count every allocation.
#include "oci_client.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

struct Client {
    explicit Client(std::string repository) : db(std::move(repository)) {}
    ~Client() { free_all(); }
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    sword env_init() { return OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr); }
    sword alloc(dvoid **slot, ub4 type) { return OCIHandleAlloc(env, slot, type, 0, nullptr); }
    sword handles() {
        for (auto [slot, type] : {std::pair{reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR},
                                  {reinterpret_cast<dvoid **>(&srv), OCI_HTYPE_SERVER},
                                  {reinterpret_cast<dvoid **>(&svc), OCI_HTYPE_SVCCTX},
                                  {reinterpret_cast<dvoid **>(&ses), OCI_HTYPE_SESSION},
                                  {reinterpret_cast<dvoid **>(&stmt), OCI_HTYPE_STMT}})
            if (sword s = alloc(slot, type)) return s;
        return OCI_SUCCESS;
    }
    sword attach() {
        sword s = OCIServerAttach(srv, err, reinterpret_cast<const text *>(db.c_str()), static_cast<sb4>(db.size()),
                                  OCI_DEFAULT);
        return s ? s : OCIAttrSet(svc, OCI_HTYPE_SVCCTX, srv, 0, OCI_ATTR_SERVER, err);
    }
    sword begin() {
        ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
        sword s = OCISessionBegin(svc, err, ses, OCI_CRED_RDBMS, OCI_DEFAULT);
        return s ? s : OCIAttrSet(svc, OCI_HTYPE_SVCCTX, ses, 0, OCI_ATTR_SESSION, err);
    }
    sword logon() {
        for (sword (Client::*step)() : {&Client::env_init, &Client::handles, &Client::attach, &Client::begin})
            if (sword s = (this->*step)()) return s;
        return OCI_SUCCESS;
    }
    sword prepare(std::string_view sql) {
        return OCIStmtPrepare(stmt, err, reinterpret_cast<const text *>(sql.data()), static_cast<ub4>(sql.size()),
                              OCI_NTV_SYNTAX, OCI_DEFAULT);
    }
    sword execute(ub4 iters = 1) { return OCIStmtExecute(svc, stmt, err, iters, 0, nullptr, nullptr, OCI_DEFAULT); }
    sword exec(std::string_view sql) {
        sword s = prepare(sql);
        return s ? s : execute();
    }
    sword define(ub4 pos, char *buf, sb4 size) {
        OCIDefine *d = nullptr;
        return OCIDefineByPos(stmt, &d, err, pos, buf, size, SQLT_STR, nullptr, nullptr, nullptr, OCI_DEFAULT);
    }
    sword fetch() { return OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT); }
    sword lob_alloc() { return OCIDescriptorAlloc(env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr); }
    sword lob_write(std::string_view s, ub4 offset = 1) {
        ub4 n = static_cast<ub4>(s.size());
        return OCILobWrite(svc, err, lob, &n, offset, const_cast<char *>(s.data()), n, OCI_ONE_PIECE, nullptr,
                           nullptr, 0, SQLCS_IMPLICIT);
    }
    // First column of the first row through the layer, or "status N".
    std::string value(const std::string &sql) {
        char buf[300] = "";
        sword s = prepare(sql);
        if (!s) s = define(1, buf, sizeof buf);
        if (!s) s = execute();
        return s ? "status " + std::to_string(s) : buf;
    }
    // The last failure recorded in the error handle, or under the
    // environment (allocations have no error handle).
    std::string error(ub4 type = OCI_HTYPE_ERROR) const {
        text buf[512] = "";
        sb4 code = 0;
        OCIErrorGet(type == OCI_HTYPE_ENV ? static_cast<dvoid *>(env) : static_cast<dvoid *>(err), 1, nullptr, &code,
                    buf, sizeof buf, type);
        return reinterpret_cast<char *>(buf);
    }
    void free_all() {
        if (ctx) ocix_context_free(ctx);
        if (env) OCIHandleFree(env, OCI_HTYPE_ENV);
        env = nullptr;
        err = nullptr;
        srv = nullptr;
        svc = nullptr;
        ses = nullptr;
        stmt = nullptr;
        lob = nullptr;
        ctx = nullptr;
    }

    std::string db;
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCIServer *srv = nullptr;
    OCISvcCtx *svc = nullptr;
    OCISession *ses = nullptr;
    OCIStmt *stmt = nullptr;
    OCILobLocator *lob = nullptr;
    OCIExtProcContext *ctx = nullptr;
};

inline std::string file_bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether no descriptor of this process is open on the repository or its
// companions, and no write-ahead log is left beside it.
inline bool repository_closed(const std::string &db) {
    namespace fs = std::filesystem;
    std::string file = fs::weakly_canonical(db).string();
    for (const auto &fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        fs::path target = fs::read_symlink(fd.path(), ec);
        if (!ec && target.string().rfind(file, 0) == 0) return false;
    }
    return !fs::exists(db + "-wal");
}

#endif
