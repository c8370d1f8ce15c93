// Fuzz target: whole load runs of NDL_parsefile over arbitrary files, on a
// repository in memory whose transaction is rolled back after every run, so
// every input meets the same stored network (none).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "oci.h"

extern "C" int NDL_parsefile(OCIExtProcContext *ctx, OCILobLocator **log, char *repository,
                             char *filelist, char *mode, char *message, int messagelen,
                             int *messageind);

namespace {

struct Repository {
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCIServer *srv = nullptr;
    OCISvcCtx *svc = nullptr;
    OCISession *ses = nullptr;
    OCIExtProcContext *ctx = nullptr;
    std::string dir;

    Repository() {
        char tmpl[] = "/tmp/ndl-fuzz-XXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        dir = tmpl;
        std::string db = dir + "/repository.db";
        OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr);
        OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<void **>(&err), OCI_HTYPE_ERROR, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<void **>(&srv), OCI_HTYPE_SERVER, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<void **>(&svc), OCI_HTYPE_SVCCTX, 0, nullptr);
        OCIServerAttach(srv, err, reinterpret_cast<const text *>(db.c_str()), static_cast<sb4>(db.size()),
                        OCI_DEFAULT);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, srv, 0, OCI_ATTR_SERVER, err);
        OCIHandleAlloc(env, reinterpret_cast<void **>(&ses), OCI_HTYPE_SESSION, 0, nullptr);
        if (OCISessionBegin(svc, err, ses, OCI_CRED_RDBMS, OCI_DEFAULT) != OCI_SUCCESS) std::abort();
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, ses, 0, OCI_ATTR_SESSION, err);
        ctx = ocix_context_create(env, svc, err);
    }
    // The session is never ended: nothing of the runs is committed.
    ~Repository() { std::filesystem::remove_all(dir); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Repository repo;
    std::string path = repo.dir + "/input.ndl";
    FILE *fp = std::fopen(path.c_str(), "wb");
    if (!fp) std::abort();
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);

    OCILobLocator *log = nullptr;
    OCIDescriptorAlloc(repo.env, reinterpret_cast<void **>(&log), OCI_DTYPE_LOB, 0, nullptr);
    std::string dir = repo.dir, files = "input.ndl", mode = (size && data[0] & 1) ? "updateversion" : "";
    char message[4000] = "x";
    int ind = -1;
    int rc = NDL_parsefile(repo.ctx, &log, dir.data(), files.data(), mode.data(), message,
                           sizeof message, &ind);
    if ((rc != 0 && rc != 2) || message[0] != '\0') std::abort();
    OCITransRollback(repo.svc, repo.err, OCI_DEFAULT);
    OCIDescriptorFree(log, OCI_DTYPE_LOB);
    return 0;
}
