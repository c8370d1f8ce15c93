// --version of every program: the project's version, which the build
// defines (the ndlversion target); and --help, its usage.
#ifndef NDL_PLATFORM_VERSION_H
#define NDL_PLATFORM_VERSION_H

#include <cerrno>
#include <cstdio>
#include <cstring>

// Prints "PROGRAM VERSION" on standard output: 0, or 1 with the reason on
// standard error when it could not be written.
inline int print_version(const char *program) {
    if (std::printf("%s " NDL_VERSION "\n", program) > 0 && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "%s: the version could not be written (%s)\n", program, std::strerror(errno));
    return 1;
}

// Prints the usage TEXT on standard output: 0, or 1 with the reason on
// standard error when it could not be written.
inline int print_help(const char *program, const char *text) {
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "%s: the usage could not be written (%s)\n", program, std::strerror(errno));
    return 1;
}

#endif
