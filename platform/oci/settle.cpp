// A commit whose outcome is not certain is settled before its status is
// given. A COMMIT that fails in the write-ahead log may have written every
// frame of its transaction, its commit frame last, and failed only at the
// sync: SQLite then rolls back here, yet the next connection to recover
// the log from the file finds the transaction whole. A later transaction
// written over those frames makes it certainly absent; where none can be
// written, nobody can tell yet, and the status says so.
#include "oci_internal.h"

#include <algorithm>
#include <cstdio>

namespace ndloci {

namespace {

// SQLite's own threshold for checkpointing after a commit.
constexpr int kAutoCheckpointFrames = 1000;
// How long the settling waits for the write lock: a lock that fails for an
// I/O error reads as busy, and the load's own timeout would be waited out
// in full; a load that took the lock in between leaves the outcome unknown.
constexpr int kSettleWaitMs = 200;

// Commits of this thread's connections that reached the log whole: the
// hook runs after the commit frame is synced and indexed, before COMMIT
// returns.
thread_local unsigned long t_landed = 0;

// Takes the place of SQLite's default hook and checkpoints as it does,
// whatever the checkpoint's outcome: the transaction is stored by then.
int on_commit(void *, sqlite3 *db, const char *name, int frames) {
    ++t_landed;
    if (frames >= kAutoCheckpointFrames)
        sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return SQLITE_OK;
}

bool exec(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

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

void watch_commits(sqlite3 *db) { sqlite3_wal_hook(db, on_commit, nullptr); }

unsigned long commits_landed() { return t_landed; }

bool settle_commit(Conn &c, Error *e, unsigned long landed_before) {
    if (t_landed != landed_before) return true;
    // A frame that could not be written is written before the commit frame,
    // the transaction's last: the log never holds it whole.
    int code = e->code;  // COMMIT's own, as the rollback since may have set another
    bool absent = code == SQLITE_FULL || code == SQLITE_IOERR_WRITE;
    if (!absent) {
        sqlite3_busy_timeout(c.db, std::min(c.busy_ms, kSettleWaitMs));
        // Another try where the first write fails once.
        absent = overwrite_frames(c.db) || overwrite_frames(c.db);
        sqlite3_busy_timeout(c.db, c.busy_ms);
    }
    if (absent) {
        e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
        return false;
    }
    e->text = "COMMIT failed, and " OCIX_COMMIT_UNKNOWN " (a later reader finds it whole or not at all): " + e->text;
    return false;
}

}  // namespace ndloci
