// A repository session for the load benchmarks: a fresh database in a
// temporary folder, logged on through the OCI layer, with the run's handles
// bound as a call of the loader binds them.
#ifndef NDL_BENCH_DATABASE_BENCH_REPO_H
#define NDL_BENCH_DATABASE_BENCH_REPO_H

#include <unistd.h>

#include <filesystem>
#include <string>

#include "database.h"
#include "runstate.h"

struct Repo {
    std::string dir, path;
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCIServer *srv = nullptr;
    OCISvcCtx *svc = nullptr;
    OCISession *ses = nullptr;

    Repo() {
        char tmpl[] = "/tmp/ndl-dbbench-XXXXXX";
        dir = mkdtemp(tmpl);
        path = dir + "/repository.db";
        ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
        OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr);
        OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&srv), OCI_HTYPE_SERVER, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&svc), OCI_HTYPE_SVCCTX, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&ses), OCI_HTYPE_SESSION, 0, nullptr);
        OCIServerAttach(srv, err, reinterpret_cast<const text *>(path.c_str()), static_cast<sb4>(path.size()), 0);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, srv, 0, OCI_ATTR_SERVER, err);
        OCISessionBegin(svc, err, ses, OCI_CRED_RDBMS, OCI_DEFAULT);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, ses, 0, OCI_ATTR_SESSION, err);
        bind();
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmthp), OCI_HTYPE_STMT, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmthp1), OCI_HTYPE_STMT, 0, nullptr);
    }
    // A fresh run state on this session, as at the start of a call.
    void bind() {
        InitialiseGlobalData();
        envhp = env;
        svchp = svc;
        errhp = err;
    }
    ~Repo() {
        OCIHandleFree(stmthp, OCI_HTYPE_STMT);
        OCIHandleFree(stmthp1, OCI_HTYPE_STMT);
        OCITransRollback(svc, err, 0);
        OCISessionEnd(svc, err, ses, OCI_DEFAULT);
        OCIHandleFree(env, OCI_HTYPE_ENV);
        std::filesystem::remove_all(dir);
    }
};

#endif
