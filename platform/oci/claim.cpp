// A repository file that a failed load created is removed again: a mistyped
// file name must not leave an empty repository behind. Only a file this
// process created, whose schema this connection wrote, that nobody has
// committed to since and that no other connection of the layer has open.
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

long long data_version(sqlite3 *db) {
    sqlite3_stmt *s = nullptr;
    long long v = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        v = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    return v;
}

}  // namespace

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

void note_schema_written(Conn &c) {
    if (c.claim_fd < 0 || !c.created) return;
    // Read under the write lock that wrote the schema: any later commit by
    // another connection changes it.
    c.schema_version = data_version(c.db);
    c.made_schema = c.schema_version >= 0;
}

bool unused_repository(Conn &c) {
    return c.claim_fd >= 0 && c.made_schema && c.failed && data_version(c.db) == c.schema_version &&
           flock(c.claim_fd, LOCK_EX | LOCK_NB) == 0;
}

void release_claim(Conn &c, bool remove) {
    if (c.claim_fd < 0) return;
    // No allocation: this runs in a destructor.
    char name[PATH_MAX + 16];
    if (remove && c.path.size() < PATH_MAX)
        for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
            std::snprintf(name, sizeof name, "%s%s", c.path.c_str(), suffix);
            unlink(name);
        }
    close(c.claim_fd);
    c.claim_fd = -1;
}

}  // namespace ndloci
