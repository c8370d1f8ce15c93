// What the preloaded allocation shims share: which allocation fails (the
// Nth only, or with "N+" the Nth and every later one) and the count a run
// leaves at exit. Nothing here allocates: it runs inside the allocator.
#ifndef NDL_TESTS_SUPPORT_FAIL_AT_H
#define NDL_TESTS_SUPPORT_FAIL_AT_H

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

struct FailAt {
    long nth = -1;  // -1 until the environment was read; 0: none
    bool lasting = false;
    long failed = 0;  // how many it failed: a sweep checks that its fault fired

    // Whether allocation number MADE fails, as the variable NAME says.
    bool fails(long made, const char *name) {
        if (nth < 0) {
            const char *v = std::getenv(name);
            char *end = nullptr;
            long n = v ? std::strtol(v, &end, 10) : 0;
            lasting = v && *end == '+';
            nth = n > 0 ? n : 0;
        }
        bool fail = nth > 0 && (made == nth || (lasting && made > nth));
        failed += fail;
        return fail;
    }
};

// Writes COUNT, and how many of them FAILED, into the file the variable
// NAME names, without stdio's buffers. Called late (a library preloaded
// first is finalized last): allocations made by other destructors are
// counted.
inline void write_count(const char *name, long count, long failed) {
    const char *file = std::getenv(name);
    if (!file || !*file) return;
    int fd = open(file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    char buf[48];
    int len = std::snprintf(buf, sizeof buf, "%ld %ld\n", count, failed);
    if (len > 0 && write(fd, buf, static_cast<size_t>(len)) < 0) {
        // Nothing to tell it to: the sweep then finds no count.
    }
    close(fd);
}

#endif
