// Preloaded into a whole process (LD_PRELOAD): operator new and delete on
// malloc and free, where the Nth allocation since the process started
// fails, as an exhausted heap would. NDL_FAIL_NEW=N picks it (unset or 0:
// none); NDL_COUNT_NEW=FILE receives, at exit, how many the run made. Only
// operator new is counted: C code (SQLite, malloc) is not touched.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "delete_on_free.h"

namespace {

std::atomic<long> made{0};
long fail_at = -1;  // -1 until the environment was read

// getenv and strtol allocate nothing: safe from inside operator new.
long failing() {
    if (fail_at < 0) {
        const char *v = std::getenv("NDL_FAIL_NEW");
        fail_at = v ? std::strtol(v, nullptr, 10) : 0;
    }
    return fail_at;
}

void *allocate(std::size_t n) {
    long nth = ++made;
    if (nth == failing()) throw std::bad_alloc();
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

void *allocate_nothrow(std::size_t n) noexcept {
    long nth = ++made;
    if (nth == failing()) return nullptr;
    return std::malloc(n ? n : 1);
}

// Written without stdio, late (a library preloaded first is finalized
// last): allocations made by other destructors are counted.
__attribute__((destructor)) void report_count() {
    const char *file = std::getenv("NDL_COUNT_NEW");
    if (!file || !*file) return;
    int fd = open(file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    char buf[32];
    int len = std::snprintf(buf, sizeof buf, "%ld\n", made.load());
    if (len > 0 && write(fd, buf, static_cast<size_t>(len)) < 0) {
        // Nothing to tell it to: the sweep then finds no count.
    }
    close(fd);
}

}  // namespace

void *operator new(std::size_t n) { return allocate(n); }
void *operator new[](std::size_t n) { return allocate(n); }
void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return allocate_nothrow(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return allocate_nothrow(n); }
