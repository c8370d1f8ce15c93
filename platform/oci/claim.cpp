// A repository file that a failed run created is removed again: a mistyped
// file name or a failed load must not leave a repository behind. Only a
// file this process created, to which no session committed anything (the
// schema written at the logon aside), that nobody else has committed to
// since and that no other connection of the layer has open.
//
// Every connection holds a shared flock() on the file for its life (flock
// and SQLite's fcntl locks do not meet). The remover holds it exclusive
// while it closes and unlinks; an opener that got its shared lock checks
// that the file at the path is still the one it locked, else starts again.
#include "oci_internal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace ndloci {

namespace {

// Names SQLite gives a meaning of its own hold no file to claim.
bool plain_file(const std::string &path) {
    return !path.empty() && path != ":memory:" && path.rfind("file:", 0) != 0;
}

bool same_file(int fd, const std::string &path) {
    struct stat held, named;
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// Read with the statement prepared when the file was opened: at close the
// reading needs no parser. -1 when it cannot be read.
long long data_version(Conn &c) {
    if (!c.version) return -1;
    long long v = sqlite3_step(c.version) == SQLITE_ROW ? sqlite3_column_int64(c.version, 0) : -1;
    sqlite3_reset(c.version);
    return v;
}

// The path with a suffix, in the caller's buffer: nothing allocated, as
// this runs in a destructor.
bool companion(const Conn &c, const char *suffix, char (&name)[PATH_MAX + 16]) {
    return c.path.size() < PATH_MAX && std::snprintf(name, sizeof name, "%s%s", c.path.c_str(), suffix) > 0;
}

// Nothing is in the file yet but the first page, which the switch into the
// write-ahead log writes (every table's rows lie on pages after it), nor in
// the log, where every commit since goes.
bool empty_on_disk(const Conn &c) {
    constexpr off_t kFirstPage = 4096;  // SQLite's page size for a new file
    struct stat st;
    char wal[PATH_MAX + 16];
    if (fstat(c.claim_fd, &st) != 0 || st.st_size > kFirstPage || !companion(c, "-wal", wal)) return false;
    return stat(wal, &st) != 0 ? errno == ENOENT : st.st_size == 0;
}

// The write-ahead log as this connection's last transaction left it: any
// commit by another connection since would have written into it.
bool wal_as_left(const Conn &c) {
    char wal[PATH_MAX + 16];
    struct stat st;
    return c.wal_noted && companion(c, "-wal", wal) && stat(wal, &st) == 0 && st.st_size == c.wal_size &&
           st.st_mtim.tv_sec == c.wal_mtime.tv_sec && st.st_mtim.tv_nsec == c.wal_mtime.tv_nsec;
}

}  // namespace

void note_transaction_end(Conn &c) {
    if (c.claim_fd < 0 || !c.created) return;
    char wal[PATH_MAX + 16];
    struct stat st;
    c.wal_noted = companion(c, "-wal", wal) && stat(wal, &st) == 0;
    if (c.wal_noted) {
        c.wal_size = st.st_size;
        c.wal_mtime = st.st_mtim;
    }
}

void claim_repository(Conn &c) {
    if (!plain_file(c.path)) return;
    // A few rounds at most: each lost one is a removal that just finished.
    for (int round = 0; round < 8; ++round) {
        // SQLite's own mode for a new database file.
        int fd = open(c.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0644);
        bool created = fd >= 0;
        if (fd < 0 && errno == EEXIST) fd = open(c.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        // What cannot be opened here SQLite reports in its own words; a FIFO
        // at the path does not hang the logon (O_NONBLOCK).
        if (fd < 0) return;
        if (flock(fd, LOCK_SH) == 0 && same_file(fd, c.path)) {
            c.claim_fd = fd;
            c.created = created;
            return;
        }
        close(fd);
    }
}

void note_opened(Conn &c) {
    if (c.claim_fd < 0 || !c.created) return;
    // The connection's own commits leave it as it is: what it counts are
    // everyone else's.
    if (sqlite3_prepare_v2(c.db, "PRAGMA data_version", -1, &c.version, nullptr) == SQLITE_OK)
        c.opened_version = data_version(c);
}

void renew_version(Conn &c) {
    if (!c.version) return;
    sqlite3_finalize(c.version);
    c.version = nullptr;
    if (sqlite3_prepare_v2(c.db, "PRAGMA data_version", -1, &c.version, nullptr) != SQLITE_OK) {
        c.version = nullptr;
        c.opened_version = -1;
        return;
    }
    // Once through now: the read at close then finds its room made.
    data_version(c);
}

bool unused_repository(Conn &c) {
    if (c.claim_fd < 0 || !c.created || c.committed || !c.failed) return false;
    long long version = c.opened_version >= 0 ? data_version(c) : -1;
    // Where data_version cannot be read (memory gone), a logon that failed
    // while it wrote the schema into the empty file under the write lock
    // tells as much: nobody else committed before it rolled back.
    bool untouched = (version >= 0 && version == c.opened_version) ||
                     (version < 0 && (c.schema_unwritten || wal_as_left(c))) || empty_on_disk(c);
    return untouched && flock(c.claim_fd, LOCK_EX | LOCK_NB) == 0;
}

void release_claim(Conn &c, bool remove) {
    if (c.claim_fd < 0) return;
    char name[PATH_MAX + 16];
    if (remove)
        for (const char *suffix : {"", "-wal", "-shm", "-journal"})
            if (companion(c, suffix, name)) unlink(name);
    close(c.claim_fd);
    c.claim_fd = -1;
}

}  // namespace ndloci
