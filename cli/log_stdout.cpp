// The log of the command-line build: every message on standard output,
// followed by a line break.
#include "log_stdout.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

bool lost = false;
int lost_errno = 0;  // of the first write that failed

void note_failure() {
    lost = true;
    lost_errno = errno ? errno : EIO;
}

void append_line(void *to, const char *message) {
    FILE *out = static_cast<FILE *>(to);
    if (lost) return;
    if (std::fprintf(out, "%s\n", message) < 0 || std::ferror(out)) note_failure();
}

}  // namespace

void print_log(const char *format, ...) {
    if (lost) return;
    va_list ap;
    va_start(ap, format);
    int n = std::vfprintf(stdout, format, ap);
    va_end(ap);
    if (n < 0 || std::ferror(stdout)) note_failure();
}

log_sink stdout_log() { return {append_line, stdout}; }

const char *log_lost() {
    if (!lost && (std::fflush(stdout) != 0 || std::ferror(stdout))) note_failure();
    return lost ? std::strerror(lost_errno) : nullptr;
}
