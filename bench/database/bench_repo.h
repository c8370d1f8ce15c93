// A repository session for the load benchmarks: a fresh database in a
// temporary folder, logged on through the OCI layer, with the run's handles
// bound as a call of the loader binds them.
#ifndef NDL_BENCH_DATABASE_BENCH_REPO_H
#define NDL_BENCH_DATABASE_BENCH_REPO_H

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "database.h"
#include "driver.h"
#include "host.h"
#include "runstate.h"

struct Repo {
    std::string dir, path;
    std::unique_ptr<extproc::Session> session;
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCISvcCtx *svc = nullptr;

    Repo() {
        char tmpl[] = "/tmp/ndl-dbbench-XXXXXX";
        dir = mkdtemp(tmpl);
        path = dir + "/repository.db";
        session = std::make_unique<extproc::Session>(path);
        if (!session->ok()) std::abort();
        env = session->handles().env;
        err = session->handles().err;
        svc = session->handles().svc;
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
        session.reset();
        std::filesystem::remove_all(dir);
    }
};

#endif
