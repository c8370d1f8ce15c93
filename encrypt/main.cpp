// encrypt: encrypts ("-e") or decrypts ("-d") one string, with an optional
// key, through cipherkit, and prints the result.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cipherkit.h"
#include "../platform/guard.h"
#include "../platform/version.h"

namespace {

#define USAGE "Usage :encrypt <-e(For encryption)> <String to Encrypt> <key(optional)> \n"

int usage() {
    std::fputs(USAGE, stdout);
    return 1;
}

// --help: the usage, and what it leaves unsaid.
const char kHelp[] = USAGE
    "-e encrypts the string, -d decrypts it; the key is derived from the key text, else a built-in one.\n"
    "encrypt --help | --version\n";

// The printed line is the program's only result: one that did not reach
// standard output is a failure, told on standard error.
int finish(int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "encrypt: the output could not be written (%s)\n", std::strerror(errno ? errno : EIO));
    return 1;
}

}  // namespace

int main(int argc, char **argv) try {
    // A closed pipe is a write that fails, told like any other.
    std::signal(SIGPIPE, SIG_IGN);
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return print_version("encrypt");
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return print_help("encrypt", kHelp);
    if (argc != 3 && argc != 4) return finish(usage());
    bool encrypt = std::strcmp(argv[1], "-e") == 0;
    if (!encrypt && std::strcmp(argv[1], "-d") != 0) return finish(usage());
    char buffer[kCipherTextSize] = {};
    int rc;
    if (argc == 3)
        rc = encrypt ? encrStr(argv[2], buffer) : decrStr(argv[2], buffer);
    else
        rc = encrypt ? encrStrByKey(argv[2], buffer, argv[3]) : decrStrByKey(argv[2], buffer, argv[3]);
    // The buffer is printed whatever the call gave, so a caller reading the
    // output sees the error text too; the status still tells a failure.
    std::printf("%s\n", buffer);
    return finish(rc == 0 ? 0 : 1);
} catch (...) {
    // Nothing thrown ends the program unreported.
    report_exception("encrypt");
    return 1;
}
