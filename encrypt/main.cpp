// encrypt: encrypts ("-e") or decrypts ("-d") one string, with an optional
// key, through cipherkit, and prints the result.
#include <cstdio>
#include <cstring>

#include "cipherkit.h"

namespace {

int usage() {
    std::fputs("Usage :encrypt <-e(For encryption)> <String to Encrypt> <key(optional)> \n", stdout);
    return 1;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3 && argc != 4) return usage();
    bool encrypt = std::strcmp(argv[1], "-e") == 0;
    if (!encrypt && std::strcmp(argv[1], "-d") != 0) return usage();
    char buffer[kCipherTextSize] = {};
    int rc;
    if (argc == 3)
        rc = encrypt ? encrStr(argv[2], buffer) : decrStr(argv[2], buffer);
    else
        rc = encrypt ? encrStrByKey(argv[2], buffer, argv[3]) : decrStrByKey(argv[2], buffer, argv[3]);
    // The buffer is printed whatever the call gave, so a caller reading the
    // output sees the error text too; the status still tells a failure.
    std::printf("%s\n", buffer);
    return rc == 0 ? 0 : 1;
}
