// A client process for the OCI layer's tests: logs on to DB, executes each
// statement with one iteration and prints its status, then ends the session
// only when asked (--end), so that tests see what an exit without it leaves.
//   oci_child DB [--end] STATEMENT...
#include "oci_client.h"

#include <cstdio>
#include <cstring>

namespace {

// Kept reachable to the end: the process exits with its session as it is.
Logon *client = nullptr;

void report(const char *what, sword status) {
    std::printf("%s: %d %s\n", what, status, status == OCI_SUCCESS ? "" : client->error().c_str());
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: oci_child DB [--end] STATEMENT...\n");
        return 2;
    }
    // A server repository's account is in its name.
    bool server = std::strncmp(argv[1], "postgres", 8) == 0 || std::strncmp(argv[1], "pg:", 3) == 0;
    client = new Logon(argv[1], OCIX_LAYOUT_VERSIONED, server ? OCI_CRED_EXT : OCI_CRED_RDBMS);
    std::printf("begin: %d %s\n", client->begin_status, client->begin_error.c_str());
    bool end = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--end") == 0)
            end = true;
        else
            report(argv[i], client->exec(argv[i]));
    }
    if (end) report("end", client->end());
    return 0;
}
