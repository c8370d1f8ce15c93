// Fuzz target: whole load runs of NDL_parsefile over arbitrary files, on a
// repository in memory whose transaction is rolled back after every run, so
// every input meets the same stored network (none).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "host.h"

extern "C" int NDL_parsefile(OCIExtProcContext *ctx, OCILobLocator **log, char *repository,
                             char *filelist, char *mode, char *message, int messagelen,
                             int *messageind);

namespace {

struct Repository {
    std::string dir;
    std::unique_ptr<extproc::Session> session;

    Repository() {
        char tmpl[] = "/tmp/ndl-fuzz-XXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        dir = tmpl;
        session = std::make_unique<extproc::Session>(dir + "/repository.db");
        if (!session->ok()) std::abort();
    }
    // Every run was rolled back: ending the session commits nothing.
    ~Repository() {
        session.reset();
        std::filesystem::remove_all(dir);
    }
    const extproc::Session::Handles &h() const { return session->handles(); }
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
    OCIDescriptorAlloc(repo.h().env, reinterpret_cast<void **>(&log), OCI_DTYPE_LOB, 0, nullptr);
    std::string dir = repo.dir, files = "input.ndl", mode = (size && data[0] & 1) ? "updateversion" : "";
    char message[4000] = "x";
    int ind = -1;
    int rc = NDL_parsefile(repo.h().ctx, &log, dir.data(), files.data(), mode.data(), message,
                           sizeof message, &ind);
    if ((rc != 0 && rc != 2) || message[0] != '\0') std::abort();
    OCITransRollback(repo.h().svc, repo.h().err, OCI_DEFAULT);
    OCIDescriptorFree(log, OCI_DTYPE_LOB);
    return 0;
}
