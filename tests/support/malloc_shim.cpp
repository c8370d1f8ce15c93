// Preloaded into a whole process (LD_PRELOAD): malloc, calloc, realloc and
// posix_memalign on the C library's own, where the Nth of them made after
// main started fails, as an exhausted heap would. SQLite and operator new
// allocate through them. NDL_FAIL_MALLOC=N fails the Nth only, N+ the Nth
// and every later one (unset or 0: none); NDL_COUNT_MALLOC=FILE receives,
// at exit, how many the run made and how many of them failed;
// NDL_MALLOC_FROM=LIB:FILE receives the numbers of those that a library
// whose path holds LIB made itself, one a line (what a sweep must not stride
// over); NDL_MALLOC_SPARE=LIB leaves those a library whose path holds LIB
// made itself uncounted and unfailed (the TLS library's random-number set-up
// dereferences a null lock when one of its allocations fails: its fault, not
// its caller's). A build with AddressSanitizer owns malloc: the shim is for a
// plain build.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fail_at.h"

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__libc_memalign(size_t, size_t);
}

namespace {

// The start-up (the loader, the C and C++ runtimes, constructors) is not
// counted: only what main and what it calls make.
std::atomic<bool> started{false};
std::atomic<long> made{0};
FailAt fail_at;

// The allocations a library made itself, by number: dladdr allocates
// nothing, and only a run that asks pays for it.
constexpr long kMostMarked = 1 << 18;
long marked[kMostMarked];
long nmarked = 0;
const char *mark_lib = nullptr;  // LIB of NDL_MALLOC_FROM; "" when unset
size_t mark_lib_len = 0;

void mark(long n, const void *caller) {
    if (!mark_lib) {
        const char *v = std::getenv("NDL_MALLOC_FROM");
        const char *colon = v ? std::strchr(v, ':') : nullptr;
        mark_lib = colon ? v : "";
        mark_lib_len = colon ? static_cast<size_t>(colon - v) : 0;
    }
    if (!mark_lib_len || nmarked == kMostMarked) return;
    Dl_info info;
    if (dladdr(caller, &info) && info.dli_fname && memmem(info.dli_fname, std::strlen(info.dli_fname), mark_lib,
                                                           mark_lib_len))
        marked[nmarked++] = n;
}

// Whether LIB of NDL_MALLOC_SPARE made this allocation itself.
bool spared(const void *caller) {
    static const char *lib = std::getenv("NDL_MALLOC_SPARE");
    if (!lib || !*lib) return false;
    Dl_info info;
    return dladdr(caller, &info) && info.dli_fname && std::strstr(info.dli_fname, lib);
}

bool refuse(const void *caller) {
    if (!started.load(std::memory_order_relaxed) || spared(caller)) return false;
    long n = ++made;
    mark(n, caller);
    return fail_at.fails(n, "NDL_FAIL_MALLOC");
}

using Main = int (*)(int, char **, char **);
Main real_main;

int counted_main(int argc, char **argv, char **envp) {
    started = true;
    return real_main(argc, argv, envp);
}

__attribute__((destructor)) void report_count() {
    write_count("NDL_COUNT_MALLOC", made.load(), fail_at.failed);
    if (!mark_lib_len) return;
    int fd = open(mark_lib + mark_lib_len + 1, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    char line[24];
    for (long i = 0; i < nmarked; ++i) {
        int len = std::snprintf(line, sizeof line, "%ld\n", marked[i]);
        if (write(fd, line, static_cast<size_t>(len)) != len) break;
    }
    close(fd);
}

}  // namespace

// The project hides symbols by default; these must replace the C library's.
#define EXPORTED __attribute__((visibility("default")))

extern "C" {

EXPORTED void *malloc(size_t n) {
    if (refuse(__builtin_return_address(0))) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_malloc(n);
}

EXPORTED void *calloc(size_t count, size_t n) {
    if (refuse(__builtin_return_address(0))) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_calloc(count, n);
}

EXPORTED void *realloc(void *p, size_t n) {
    // realloc(p, 0) frees: nothing to fail.
    if ((!p || n) && refuse(__builtin_return_address(0))) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_realloc(p, n);
}

EXPORTED int posix_memalign(void **out, size_t alignment, size_t n) {
    if (alignment < sizeof(void *) || (alignment & (alignment - 1))) return EINVAL;
    if (refuse(__builtin_return_address(0))) return ENOMEM;
    void *p = __libc_memalign(alignment, n);
    if (!p) return ENOMEM;
    *out = p;
    return 0;
}

// The C library calls main through this: the count starts there.
EXPORTED int __libc_start_main(Main main, int argc, char **argv, void (*init)(), void (*fini)(), void (*rtld_fini)(),
                      void *stack_end) {
    using Start = int (*)(Main, int, char **, void (*)(), void (*)(), void (*)(), void *);
    auto real = reinterpret_cast<Start>(dlsym(RTLD_NEXT, "__libc_start_main"));
    real_main = main;
    return real(counted_main, argc, argv, init, fini, rtld_fini, stack_end);
}

}  // extern "C"
