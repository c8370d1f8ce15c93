// Preloaded into a whole process (LD_PRELOAD): the file-system calls made on
// one folder (NDL_FS_DIR, absolute) and on the files opened there are
// counted and, on request, failed, ended at, or logged. Counted: open,
// read/pread, write/pwrite, fsync/fdatasync, ftruncate, fcntl locks,
// unlink, mmap.
//   NDL_FS_FAIL=N       the Nth call fails (N+: the Nth and every later one)
//   NDL_FS_ERRNO=NAME   with EIO (the default) or ENOSPC
//   NDL_FS_ONLY=sync    only the syncs are counted for NDL_FS_FAIL
//   NDL_FS_CRASH=N      the process ends (_exit, as a kill would) just before
//                       its Nth write, truncation or sync
//   NDL_FS_LOG=FILE     every write, truncation, sync, creation and unlink
//                       is logged with its bytes, and every flush of
//                       standard output, for rebuilding power losses
//   NDL_FS_COUNT=FILE   receives at exit "CALLS WRITES FAILED UNLINKS LOCKS":
//                       the calls counted, the writes among them, how many
//                       failed, and how many of those were unlinks, locks
// A build with AddressSanitizer intercepts these calls itself: the shim is
// for a plain build.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fail_at.h"

namespace {

constexpr int kMostFds = 4096;
constexpr int kCrashStatus = 86;  // what a run ended on purpose exits with
constexpr size_t kPathMax = 512;

// Real functions, found once. dlsym may allocate; nothing here runs inside
// an allocator.
template <class F> F real(const char *name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
#define REAL(name) static auto real_##name = real<decltype(&::name)>(#name)

struct State {
    bool read = false;
    char dir[kPathMax] = {};
    size_t dir_len = 0;
    FailAt fail;
    int err = EIO;
    long crash_at = 0;
    bool only_syncs = false;
    int log = -1;
    const char *count_file = nullptr;
    std::atomic<long> calls{0}, writes{0}, failed{0}, unlinks_failed{0}, locks_failed{0};
    char paths[kMostFds][kPathMax] = {};  // of the fds opened in the folder; "" for others
};
State st;

void read_env() {
    if (st.read) return;
    st.read = true;
    const char *dir = std::getenv("NDL_FS_DIR");
    if (dir && *dir && std::strlen(dir) < kPathMax) {
        std::snprintf(st.dir, sizeof st.dir, "%s", dir);
        st.dir_len = std::strlen(st.dir);
        while (st.dir_len > 1 && st.dir[st.dir_len - 1] == '/') st.dir[--st.dir_len] = '\0';
    }
    const char *e = std::getenv("NDL_FS_ERRNO");
    if (e && std::strcmp(e, "ENOSPC") == 0) st.err = ENOSPC;
    const char *crash = std::getenv("NDL_FS_CRASH");
    st.crash_at = crash ? std::strtol(crash, nullptr, 10) : 0;
    st.count_file = std::getenv("NDL_FS_COUNT");
    const char *only = std::getenv("NDL_FS_ONLY");
    st.only_syncs = only && std::strcmp(only, "sync") == 0;
    if (const char *log = std::getenv("NDL_FS_LOG"); log && *log) {
        REAL(open);
        st.log = real_open(log, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    }
}

bool in_dir(const char *path) {
    read_env();
    if (!st.dir_len || !path) return false;
    return std::strncmp(path, st.dir, st.dir_len) == 0 && (path[st.dir_len] == '/' || path[st.dir_len] == '\0');
}

const char *fd_path(int fd) {
    read_env();
    return fd >= 0 && fd < kMostFds && st.paths[fd][0] ? st.paths[fd] : nullptr;
}

void log_raw(const void *p, size_t n) {
    REAL(write);
    for (auto *c = static_cast<const char *>(p); n > 0;) {
        ssize_t w = real_write(st.log, c, n);
        if (w <= 0) return;
        c += w;
        n -= static_cast<size_t>(w);
    }
}

// One line "KIND ARG ARG PATH", then LEN bytes of data where there are.
void log_event(char kind, long long a, long long b, const char *path, const void *data = nullptr, size_t len = 0) {
    if (st.log < 0) return;
    char line[kPathMax + 64];
    int n = std::snprintf(line, sizeof line, "%c %lld %lld %s\n", kind, a, b, path ? path : "-");
    if (n > 0) log_raw(line, static_cast<size_t>(n));
    if (data && len) log_raw(data, len);
}

enum class Call { Other, Write, Sync, Unlink, Lock };

// Whether this counted call fails (errno then set); ends the process
// before a write or sync when told to.
bool refuse(Call kind) {
    if (st.only_syncs && kind != Call::Sync) return false;
    long n = ++st.calls;
    if (kind == Call::Write || kind == Call::Sync) {
        long w = ++st.writes;
        if (st.crash_at > 0 && w == st.crash_at) _exit(kCrashStatus);
    }
    if (!st.fail.fails(n, "NDL_FS_FAIL")) return false;
    ++st.failed;
    if (kind == Call::Unlink) ++st.unlinks_failed;
    if (kind == Call::Lock) ++st.locks_failed;
    errno = st.err;
    return true;
}

void track(int fd, const char *path) {
    if (fd < 0 || fd >= kMostFds) return;
    std::snprintf(st.paths[fd], kPathMax, "%s", path);
}

__attribute__((destructor)) void report_count() {
    if (!st.count_file || !*st.count_file) return;
    REAL(open);
    REAL(write);
    int fd = real_open(st.count_file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char buf[128];
    int len = std::snprintf(buf, sizeof buf, "%ld %ld %ld %ld %ld\n", st.calls.load(), st.writes.load(),
                            st.failed.load(), st.unlinks_failed.load(), st.locks_failed.load());
    if (len > 0 && real_write(fd, buf, static_cast<size_t>(len)) < 0) {
        // The sweep then finds no count and says so.
    }
    close(fd);
}

int opened(int fd, const char *path, int flags, bool existed) {
    if (fd < 0) return fd;
    track(fd, path);
    if (!existed) log_event('C', 0, 0, path);
    if (flags & O_TRUNC) log_event('T', 0, 0, path);
    return fd;
}

bool exists(const char *path) {
    struct stat s;
    return stat(path, &s) == 0;
}

template <class Open> int counted_open(Open open_fn, const char *path, int flags, mode_t mode) {
    if (!in_dir(path)) return open_fn(path, flags, mode);
    if (refuse(Call::Other)) return -1;
    bool existed = st.log < 0 || exists(path);
    return opened(open_fn(path, flags, mode), path, flags, existed);
}

mode_t mode_arg(int flags, va_list ap) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(ap, int)) : 0;
}

bool lock_command(int cmd) {
    return cmd == F_SETLK || cmd == F_SETLKW || cmd == F_GETLK || cmd == F_OFD_SETLK || cmd == F_OFD_SETLKW ||
           cmd == F_OFD_GETLK;
}

int counted_fcntl(int (*fn)(int, int, ...), int fd, int cmd, void *arg) {
    if (lock_command(cmd) && fd_path(fd) && refuse(Call::Lock)) return -1;
    return fn(fd, cmd, arg);
}

template <class W> ssize_t counted_write(W fn, int fd, const void *buf, off_t at) {
    const char *path = fd_path(fd);
    if (!path) return fn();
    if (refuse(Call::Write)) return -1;
    if (at < 0) at = lseek(fd, 0, SEEK_CUR);
    ssize_t w = fn();
    if (w > 0) log_event('W', at, w, path, buf, static_cast<size_t>(w));
    return w;
}

int counted_sync(int (*fn)(int), int fd) {
    const char *path = fd_path(fd);
    if (!path) return fn(fd);
    if (refuse(Call::Sync)) return -1;
    int r = fn(fd);
    // With the call's number: where a test fails it.
    if (r == 0) log_event('S', st.calls.load(), 0, path);
    return r;
}

int counted_truncate(int (*fn)(int, off_t), int fd, off_t size) {
    const char *path = fd_path(fd);
    if (!path) return fn(fd, size);
    if (refuse(Call::Write)) return -1;
    int r = fn(fd, size);
    if (r == 0) log_event('T', size, 0, path);
    return r;
}

}  // namespace

// The project hides symbols by default; these must replace the C library's.
#define EXPORTED __attribute__((visibility("default")))

extern "C" {

EXPORTED int open(const char *path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    mode_t mode = mode_arg(flags, ap);
    va_end(ap);
    REAL(open);
    return counted_open(real_open, path, flags, mode);
}

EXPORTED int openat(int dirfd, const char *path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    mode_t mode = mode_arg(flags, ap);
    va_end(ap);
    REAL(openat);
    // Only absolute paths are known to lie in the folder.
    return counted_open([&](const char *p, int f, mode_t m) { return real_openat(dirfd, p, f, m); }, path, flags,
                        mode);
}

EXPORTED int close(int fd) {
    REAL(close);
    if (fd >= 0 && fd < kMostFds) st.paths[fd][0] = '\0';
    return real_close(fd);
}

EXPORTED ssize_t read(int fd, void *buf, size_t n) {
    REAL(read);
    if (fd_path(fd) && refuse(Call::Other)) return -1;
    return real_read(fd, buf, n);
}

EXPORTED ssize_t pread(int fd, void *buf, size_t n, off_t at) {
    REAL(pread);
    if (fd_path(fd) && refuse(Call::Other)) return -1;
    return real_pread(fd, buf, n, at);
}

EXPORTED ssize_t write(int fd, const void *buf, size_t n) {
    REAL(write);
    return counted_write([&] { return real_write(fd, buf, n); }, fd, buf, -1);
}

EXPORTED ssize_t pwrite(int fd, const void *buf, size_t n, off_t at) {
    REAL(pwrite);
    return counted_write([&] { return real_pwrite(fd, buf, n, at); }, fd, buf, at);
}

EXPORTED int fsync(int fd) {
    REAL(fsync);
    return counted_sync(real_fsync, fd);
}

EXPORTED int fdatasync(int fd) {
    REAL(fdatasync);
    return counted_sync(real_fdatasync, fd);
}

EXPORTED int ftruncate(int fd, off_t size) {
    REAL(ftruncate);
    return counted_truncate(real_ftruncate, fd, size);
}

EXPORTED int fcntl(int fd, int cmd, ...) {
    va_list ap;
    va_start(ap, cmd);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    REAL(fcntl);
    return counted_fcntl(real_fcntl, fd, cmd, arg);
}

EXPORTED int unlink(const char *path) {
    REAL(unlink);
    if (!in_dir(path)) return real_unlink(path);
    if (refuse(Call::Unlink)) return -1;
    int r = real_unlink(path);
    if (r == 0) log_event('U', 0, 0, path);
    return r;
}

// What the program printed is on its standard output once flushed.
EXPORTED int fflush(FILE *f) {
    REAL(fflush);
    int r = real_fflush(f);
    read_env();
    if (r == 0 && (f == stdout || !f)) log_event('P', 0, 0, nullptr);
    return r;
}

EXPORTED void *mmap(void *addr, size_t n, int prot, int flags, int fd, off_t at) {
    REAL(mmap);
    if (fd_path(fd) && refuse(Call::Other)) return MAP_FAILED;
    return real_mmap(addr, n, prot, flags, fd, at);
}

// On a 64-bit system each *64 call is the same as its plain one.
#define SAME_AS(name) __attribute__((alias(#name), visibility("default")))
int open64(const char *, int, ...) SAME_AS(open);
ssize_t pread64(int, void *, size_t, off_t) SAME_AS(pread);
ssize_t pwrite64(int, const void *, size_t, off_t) SAME_AS(pwrite);
int ftruncate64(int, off_t) SAME_AS(ftruncate);
int fcntl64(int, int, ...) SAME_AS(fcntl);
void *mmap64(void *, size_t, int, int, int, off_t) SAME_AS(mmap);
static_assert(sizeof(off_t) == 8, "the *64 calls take another offset");

}  // extern "C"
