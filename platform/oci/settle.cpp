// A commit whose outcome is not certain is settled before its status is
// given, by what a reader sees. Every reader of a repository in the
// write-ahead log mode starts from the log's index header in the shared
// memory beside it: a commit is there for them once the header counts its
// frames, which SQLite writes last, after the sync. COMMIT may fail after
// that (for want of memory), and then the transaction is stored; or before
// it, with every frame written and only the sync failed: SQLite then rolls
// back here, yet a later connection that rebuilds the index from the log
// finds the transaction whole. A later transaction written over those
// frames makes it certainly absent; where none can be written, nobody can
// tell yet, and the status says so.
#include "oci_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace ndloci {

namespace {

// How long the settling waits for the write lock: a lock that fails for an
// I/O error reads as busy, and the load's own timeout would be waited out
// in full; a load that took the lock in between leaves the outcome unknown.
constexpr int kSettleWaitMs = 200;

// The log index's header as SQLite lays it out in the shared memory, twice
// over, in the machine's byte order.
struct IndexHeader {
    uint32_t version, unused, change;
    uint8_t initialised, big_endian_checksums;
    uint16_t page_size;
    uint32_t last_frame, pages;
    uint32_t frame_checksum[2], salt[2], checksum[2];
};
static_assert(sizeof(IndexHeader) == 48, "the header's layout");
constexpr int kIndexRegion = 32768;  // SQLite's unit of the shared memory

bool exec(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// The header as mapped: nothing allocated, no I/O. Its two copies agree
// but while a writer holds the write lock between writing them.
bool read_header(const Conn &c, IndexHeader &out) {
    if (!c.wal) return false;
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(c.db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods || file->pMethods->iVersion < 2 || !file->pMethods->xShmMap)
        return false;
    volatile void *region = nullptr;
    if (file->pMethods->xShmMap(file, 0, kIndexRegion, 0, &region) != SQLITE_OK || !region) return false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        IndexHeader copies[2];
        std::memcpy(copies, const_cast<const void *>(region), sizeof copies);
        if (std::memcmp(&copies[0], &copies[1], sizeof copies[0]) == 0 && copies[0].initialised) {
            out = copies[0];
            return true;
        }
    }
    return false;
}

// Whether the header counts a commit that BEFORE did not: more frames of
// the same log, or any frame of a log started anew (a new log, no frame
// yet, is no commit).
bool counts_a_commit(const IndexHeader &before, const IndexHeader &after) {
    bool same_log = before.salt[0] == after.salt[0] && before.salt[1] == after.salt[1];
    return same_log ? after.last_frame > before.last_frame : after.last_frame > 0;
}

// One committed transaction that changes nothing: page 1 written again
// with the value it holds goes into the log right after the last indexed
// frame, over the first frame of the failed transaction, or starts a new
// log whose salts no frame of that one carries. Either way its frames no
// longer chain on.
bool overwrite_frames(sqlite3 *db) {
    sqlite3_stmt *read = nullptr;
    int version = 0;
    bool ok = exec(db, "BEGIN IMMEDIATE") &&
              sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &read, nullptr) == SQLITE_OK &&
              sqlite3_step(read) == SQLITE_ROW;
    if (ok) version = sqlite3_column_int(read, 0);
    sqlite3_finalize(read);
    char sql[48];
    std::snprintf(sql, sizeof sql, "PRAGMA user_version=%d", version);
    ok = ok && exec(db, sql) && exec(db, "COMMIT");
    if (!ok && !sqlite3_get_autocommit(db)) exec(db, "ROLLBACK");
    return ok;
}

}  // namespace

// What the message of an outcome that cannot be known says where there is
// no memory to say more: it is written into room the connection keeps.
constexpr char kUnknownShort[] = "COMMIT failed, and " OCIX_COMMIT_UNKNOWN;

void make_settle_room(Conn &c) { c.settle_room.reserve(sizeof kUnknownShort); }

bool mark_commit(Conn &c, CommitMark &mark) noexcept {
    // The room given away by the last commit that could not be settled.
    if (c.settle_room.capacity() < sizeof kUnknownShort) try {
            make_settle_room(c);
        } catch (const std::bad_alloc &) {
            return false;
        }
    IndexHeader h;
    mark.known = read_header(c, h);
    if (mark.known) {
        mark.last_frame = h.last_frame;
        mark.salt[0] = h.salt[0];
        mark.salt[1] = h.salt[1];
    }
    return true;
}

// A commit counted here is taken for this transaction's: another load
// could only put its own there by taking the write lock, writing and
// syncing a whole commit between COMMIT's failure and this read.
int commit_indexed(const Conn &c, const CommitMark &before) {
    IndexHeader now, then{};
    if (!before.known || !read_header(c, now)) return -1;
    then.last_frame = before.last_frame;
    then.salt[0] = before.salt[0];
    then.salt[1] = before.salt[1];
    return counts_a_commit(then, now) ? 1 : 0;
}

void settle_commit(Conn &c, Error *e, int code, bool index_read) noexcept {
    // A frame that could not be written is written before the commit frame,
    // the transaction's last: the log never holds it whole. Any other
    // failure may have come after the commit frame was written.
    bool absent = index_read && (code == SQLITE_FULL || code == SQLITE_IOERR_WRITE);
    if (index_read && !absent) {
        sqlite3_busy_timeout(c.db, std::min(c.busy_ms, kSettleWaitMs));
        // Another try where the first write fails once.
        absent = overwrite_frames(c.db) || overwrite_frames(c.db);
        sqlite3_busy_timeout(c.db, c.busy_ms);
    }
    // The status of an outcome that cannot be known is its own, whatever
    // the message finds room to say.
    if (!absent) e->code = kErrCommitUnknown;
    try {
        if (absent)
            e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
        else
            e->text = std::string(kUnknownShort) +
                      " (the next reader of the repository finds it whole or not at all: look for its rows "
                      "there): " + e->text;
    } catch (const std::bad_alloc &) {
        // A rolled-back commit's text says why it failed as it stands; the
        // other is written into the room kept for it and handed over.
        if (!absent) {
            c.settle_room.assign(kUnknownShort);
            e->text.swap(c.settle_room);
        }
    }
}

}  // namespace ndloci
