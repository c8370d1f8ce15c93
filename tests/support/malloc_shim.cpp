// Preloaded into a whole process (LD_PRELOAD): malloc, calloc, realloc and
// posix_memalign on the C library's own, where the Nth of them made after
// main started fails, as an exhausted heap would. SQLite and operator new
// allocate through them. NDL_FAIL_MALLOC=N fails the Nth only, N+ the Nth
// and every later one (unset or 0: none); NDL_COUNT_MALLOC=FILE receives,
// at exit, how many the run made and how many of them failed. A build with AddressSanitizer owns
// malloc: the shim is for a plain build.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

bool refuse() {
    if (!started.load(std::memory_order_relaxed)) return false;
    return fail_at.fails(++made, "NDL_FAIL_MALLOC");
}

using Main = int (*)(int, char **, char **);
Main real_main;

int counted_main(int argc, char **argv, char **envp) {
    started = true;
    return real_main(argc, argv, envp);
}

__attribute__((destructor)) void report_count() { write_count("NDL_COUNT_MALLOC", made.load(), fail_at.failed); }

}  // namespace

// The project hides symbols by default; these must replace the C library's.
#define EXPORTED __attribute__((visibility("default")))

extern "C" {

EXPORTED void *malloc(size_t n) {
    if (refuse()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_malloc(n);
}

EXPORTED void *calloc(size_t count, size_t n) {
    if (refuse()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_calloc(count, n);
}

EXPORTED void *realloc(void *p, size_t n) {
    // realloc(p, 0) frees: nothing to fail.
    if ((!p || n) && refuse()) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_realloc(p, n);
}

EXPORTED int posix_memalign(void **out, size_t alignment, size_t n) {
    if (alignment < sizeof(void *) || (alignment & (alignment - 1))) return EINVAL;
    if (refuse()) return ENOMEM;
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
