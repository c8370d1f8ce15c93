// Logon and transactions: the server handle opens the repository file, the
// session gives it its layout and keeps one transaction open, as the
// database would: nothing commits unless the session ends or commits.
#include "oci_internal.h"

#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ndloci {

namespace {

std::atomic<int> g_expected_layout{OCIX_LAYOUT_VERSIONED};

// Loads wait for each other this long (NDL_BUSY_TIMEOUT_MS may set it, in
// milliseconds), then give up with an error rather than hang.
constexpr int kBusyTimeoutMs = 60000;

// NVL(a,b): a unless it is NULL.
void nvl(sqlite3_context *ctx, int, sqlite3_value **argv) {
    sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) != SQLITE_NULL ? argv[0] : argv[1]);
}

std::string default_repository() {
    const char *env = std::getenv("NDL_REPOSITORY");
    return env && *env ? env : "repository.db";
}

bool exec(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// The journal mode the file is in, as PRAGMA journal_mode answers.
int note_wal(void *wal, int, char **values, char **) {
    *static_cast<bool *>(wal) = values[0] && std::strcmp(values[0], "wal") == 0;
    return 0;
}

// ROLLBACK and COMMIT made ready while memory is there: a failure for want
// of it then rolls back without the parser, and a COMMIT that fails for it
// has begun writing. Prepared again after the connection's own schema
// change, which expires them.
void prepare_ends(Conn &c) {
    sqlite3_finalize(c.rollback);
    if (sqlite3_prepare_v2(c.db, "ROLLBACK", -1, &c.rollback, nullptr) != SQLITE_OK) c.rollback = nullptr;
    sqlite3_finalize(c.commit);
    if (sqlite3_prepare_v2(c.db, "COMMIT", -1, &c.commit, nullptr) != SQLITE_OK) c.commit = nullptr;
}

bool in_transaction(const Conn &c) { return !sqlite3_get_autocommit(c.db); }

// With the statement prepared at open where there is one. A rollback that
// SQLite made itself (after a failure for want of memory) is as good.
bool roll_back(Conn &c) {
    bool done;
    if (c.rollback) {
        done = sqlite3_step(c.rollback) == SQLITE_DONE;
        sqlite3_reset(c.rollback);
    } else {
        done = exec(c.db, "ROLLBACK");
    }
    done = done || !in_transaction(c);
    c.rollback_pending = !done;
    if (done) note_transaction_end(c);
    return done;
}

std::unique_ptr<Conn> open_repository(const std::string &path, std::string &why) {
    close_repositories_at_exit();
    auto c = std::make_unique<Conn>();
    c->path = path;
    claim_repository(*c);
    int rc = sqlite3_open_v2(path.c_str(), &c->db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    // Where the file cannot be opened for writing SQLite opens it for
    // reading: a load could only fail at its first write, after the log's
    // files were made beside it.
    if (rc == SQLITE_OK && sqlite3_db_readonly(c->db, "main") == 1) {
        why = format("cannot open the repository \"%s\" for writing", path.c_str());
        return nullptr;
    }
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(c->db, 1);
        c->busy_ms = busy_timeout_ms();
        sqlite3_busy_timeout(c->db, c->busy_ms);
        // Readers then never block a commit; the mode stays with the file.
        // Where it cannot be had (a file system without shared memory, a
        // failure) the file keeps its own, and a commit that fails there
        // cannot be settled (settle.cpp).
        sqlite3_exec(c->db, "PRAGMA journal_mode=WAL", note_wal, &c->wal, nullptr);
        // Each commit's log synced before its status: what survives a power
        // loss.
        sqlite3_exec(c->db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        rc = sqlite3_create_function(c->db, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nvl,
                                     nullptr, nullptr);
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(c->db, "PRAGMA case_sensitive_like=ON", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        note_opened(*c);
        prepare_ends(*c);
    }
    if (rc != SQLITE_OK) {
        const char *text = c->db ? sqlite3_errmsg(c->db) : sqlite3_errstr(rc);
        int code = c->db ? sqlite3_extended_errcode(c->db) : rc;
        why = format("cannot open the repository \"%s\": %s%s", path.c_str(), text,
                     std::strstr(text, "memory") ? "" : memory_note(code));
        return nullptr;
    }
    return c;
}

bool query_int(sqlite3 *db, const char *sql, int &out) {
    sqlite3_stmt *s = nullptr;
    bool ok = sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW;
    if (ok) out = sqlite3_column_int(s, 0);
    sqlite3_finalize(s);
    return ok;
}

bool read_layout(sqlite3 *db, int &tables, int &layout) {
    return query_int(db, "SELECT count(*) FROM sqlite_master WHERE type='table'", tables) &&
           query_int(db, "PRAGMA user_version", layout);
}

// An empty repository gets the expected layout's schema; one of another
// layout is refused. Nothing is written into a file that is no database.
bool settle_layout(Conn &c, int expected, Error *e) {
    int tables = 0, layout = 0;
    std::string where = format("cannot use the repository \"%s\"", c.path.c_str());
    if (!read_layout(c.db, tables, layout)) return fail_sql(e, c.db, where), false;
    if (tables == 0) {
        // Checked again under the write lock: another process may be creating it.
        if (!exec(c.db, "BEGIN IMMEDIATE")) return fail_sql(e, c.db, where), false;
        bool ok = read_layout(c.db, tables, layout);
        if (ok && tables == 0) {
            c.schema_unwritten = c.created;
            const char *versioned = reinterpret_cast<const char *>(kSchemaVersioned);
            std::string schema = expected == OCIX_LAYOUT_VERSIONED ? versioned : older_schema(versioned);
            ok = exec(c.db, schema.c_str()) &&
                 exec(c.db, format("PRAGMA user_version=%d", expected).c_str());
            layout = expected;
        }
        if (!ok || !exec(c.db, "COMMIT")) {
            fail_sql(e, c.db, format("cannot create the schema of the repository \"%s\"", c.path.c_str()));
            roll_back(c);
            return false;
        }
        c.schema_unwritten = false;
        note_transaction_end(c);
    }
    if (layout == expected) {
        const char *versioned = reinterpret_cast<const char *>(kSchemaVersioned);
        return !add_missing_indexes(c.db, expected == OCIX_LAYOUT_VERSIONED ? versioned : older_schema(versioned), e,
                                    where);
    }
    if (layout == OCIX_LAYOUT_VERSIONED || layout == OCIX_LAYOUT_UNVERSIONED)
        fail(e, kErrLayout,
             format("the repository \"%s\" has the %s layout; this program expects the %s layout",
                    c.path.c_str(), layout_name(layout), layout_name(expected)));
    else if (layout == 0)
        fail(e, kErrLayout, format("the repository \"%s\" records no layout", c.path.c_str()));
    else
        fail(e, kErrLayout, format("the repository \"%s\" has an unknown layout (%d)", c.path.c_str(), layout));
    return false;
}

void end_cursors(Conn &c) {
    for (Stmt *st : c.users) {
        sqlite3_reset(st->sql);
        st->cursor = Cursor::None;
    }
}

// Ends the open transaction, if any. A commit that fails rolls the
// transaction back: its work is never committed later by someone else.
sword finish(Conn &c, Error *e, bool commit) {
    end_cursors(c);
    // A lost transaction is never committed: the rollback the caller asks
    // for ends it.
    if (c.lost && commit) return refuse_lost(c, e);
    c.lost = 0;
    // A rollback asked for ends a failed call, whatever it had written.
    if (!commit) c.failed = true;
    if (!in_transaction(c)) return OCI_SUCCESS;
    if (!commit) return roll_back(c) ? OCI_SUCCESS : fail_sql(e, c.db, "ROLLBACK");
    // The work of a failed call whose rollback failed is never committed.
    if (c.rollback_pending) {
        c.failed = true;
        if (!roll_back(c)) return fail_sql(e, c.db, "ROLLBACK");
        return fail(e, SQLITE_ABORT, "the transaction was rolled back: an earlier rollback had failed");
    }
    sword status = fault_take(Fault::Commit, e);
    CommitMark mark;
    if (!status && !mark_commit(c, mark)) return out_of_memory(e);
    // Until it is stored the transaction counts as failed: a failure for
    // want of memory on the way leaves nothing for the session's end to
    // commit.
    c.failed = true;
    if (!status && !c.commit) {
        prepare_ends(c);
        if (!c.commit) status = fail_sql(e, c.db, "");
    }
    if (!status) {
        bool stored = sqlite3_step(c.commit) == SQLITE_DONE;
        if (!stored) {
            // Settled by what a reader finds before the status is given
            // (settle.cpp): a failure after the index counts the commit
            // leaves it stored.
            int code = sqlite3_extended_errcode(c.db);
            int indexed = commit_indexed(c, mark);
            stored = indexed == 1;
            if (!stored) {
                status = OCI_ERROR;
                try {
                    fail_sql(e, c.db, "");
                } catch (const std::bad_alloc &) {
                    out_of_memory(e);
                }
                sqlite3_reset(c.commit);
                roll_back(c);
                settle_commit(c, e, code, indexed == 0);
                return status;
            }
        }
        sqlite3_reset(c.commit);
        note_transaction_end(c);
        c.failed = false;
        c.committed = true;
        return OCI_SUCCESS;
    }
    roll_back(c);
    e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
    return status;
}

sword end_transaction(OCISvcCtx *svchp, OCIError *errhp, bool commit) {
    Error *e = as<Error>(errhp);
    SvcCtx *svc = as<SvcCtx>(svchp);
    return api_call(e, svc, Fault::Count, [&]() -> sword {
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        return c->finish(e, commit);
    });
}

// Before the file is closed its committed rows are moved out of the
// write-ahead log into the file itself, as closing would. Where that cannot
// finish (a full disk) they are only in the "-wal" file, which must then
// stay beside the repository: the program says so. Another connection
// still reading is no failure: the last to close moves them. A file about
// to be removed keeps nothing.
void settle_wal(Conn &c, bool removed) {
    if (removed) {
        sqlite3_db_config(c.db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        return;
    }
    int rc = fault_take(Fault::Checkpoint, nullptr)
                 ? SQLITE_FULL
                 : sqlite3_wal_checkpoint_v2(c.db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (rc == SQLITE_OK || (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) return;
    // Closing would try again and fail the same way; the log stays whole.
    sqlite3_db_config(c.db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    // Rows this program did not commit are not its to speak of; the schema
    // of a new file is no rows.
    if (!c.committed) return;
    std::fprintf(stderr,
                 "%s: the repository \"%s\" could not be closed whole (%s): its committed rows are in "
                 "\"%s-wal\", which must stay beside it\n",
                 program_invocation_short_name, c.path.c_str(), sqlite3_errstr(rc), c.path.c_str());
}

}  // namespace

int busy_timeout_ms() {
    const char *env = std::getenv("NDL_BUSY_TIMEOUT_MS");
    if (!env || !*env) return kBusyTimeoutMs;
    char *end = nullptr;
    long ms = std::strtol(env, &end, 10);
    return *end || ms < 0 || ms > 3600000 ? kBusyTimeoutMs : static_cast<int>(ms);
}

const char *layout_name(int layout) {
    return layout == OCIX_LAYOUT_VERSIONED ? "versioned" : "unversioned";
}

sword Conn::begin(Session &, int layout, bool, Error *e) {
    make_settle_room(*this);
    try {
        if (!settle_layout(*this, layout, e)) return OCI_ERROR;
        // A schema written here expired every statement prepared before
        // it: those a failure needs at the close are prepared again
        // while memory is there, so that they need none then.
        renew_version(*this);
        prepare_ends(*this);
    } catch (const std::bad_alloc &) {
        // A schema half made is not left in an open transaction.
        if (in_transaction(*this)) roll_back(*this);
        throw;
    }
    failed = false;
    return OCI_SUCCESS;
}

sword Conn::finish(Error *e, bool commit) { return ndloci::finish(*this, e, commit); }

void Conn::abandon() {
    lost = 0;
    if (in_transaction(*this)) failed = true;
    end_cursors(*this);
    if (in_transaction(*this)) roll_back(*this);
}

void Conn::release(Stmt *st) {
    if (st->sql) sqlite3_finalize(st->sql);
    users.erase(st);
    st->sql = nullptr;
    st->conn = nullptr;
    st->query = false;
    st->cursor = Cursor::None;
}

Conn::~Conn() {
    for (Stmt *st : users) {
        sqlite3_finalize(st->sql);
        st->sql = nullptr;
        st->conn = nullptr;
        st->cursor = Cursor::None;
    }
    last = LastShape{};
    inserts.clear();
    if (active) {
        // A session never ended commits nothing: what it had begun failed.
        if (db && in_transaction(*this)) failed = true;
        active->active = false;
        active->server = nullptr;
    }
    if (!db) {
        release_claim(*this, unused_repository(*this));
        return;
    }
    if (in_transaction(*this)) roll_back(*this);
    bool remove = unused_repository(*this);
    sqlite3_finalize(version);
    version = nullptr;
    sqlite3_finalize(rollback);
    rollback = nullptr;
    sqlite3_finalize(commit);
    commit = nullptr;
    settle_wal(*this, remove);
    // Every statement prepared here is finalized by now; one left over
    // would keep the file open.
    assert(!sqlite3_next_stmt(db, nullptr));
    if (int rc = sqlite3_close(db); rc != SQLITE_OK) {
        std::fprintf(stderr, "%s: the repository \"%s\" could not be closed (%s): statements were left prepared\n",
                     program_invocation_short_name, path.c_str(), sqlite3_errstr(rc));
        while (sqlite3_stmt *s = sqlite3_next_stmt(db, nullptr)) sqlite3_finalize(s);
        sqlite3_close(db);
    }
    release_claim(*this, remove);
}

Server::~Server() = default;

Session::~Session() {
    if (active && server && server->conn) {
        server->conn->abandon();
        server->conn->active = nullptr;
    }
}

Backend *session_conn(SvcCtx *svc, Error *e) {
    Server *srv = as<Server>(svc->server);
    if (!srv || !srv->conn || !srv->conn->active) {
        fail(e, kErrLogon, "not logged on: no session has begun on this service context");
        return nullptr;
    }
    return srv->conn.get();
}

sword open_transaction(Conn *c, Error *e) {
    if (in_transaction(*c)) return OCI_SUCCESS;
    // The write lock from the first statement on: what a load reads stays
    // true until it commits, and no load fails for another's commit.
    if (exec(c->db, "BEGIN IMMEDIATE")) return OCI_SUCCESS;
    int code = sqlite3_extended_errcode(c->db);
    if ((code & 0xff) != SQLITE_BUSY) return fail_sql(e, c->db, "cannot open a transaction");
    return fail(e, code,
                format("the repository \"%s\" is locked by another session; gave up after waiting %d ms",
                       c->path.c_str(), c->busy_ms));
}

sword note_lost(Conn &c, Error *e, sword status, bool threw) {
    // A COMMIT or ROLLBACK the caller ran as a statement ends it too.
    if ((!threw && status != OCI_ERROR) || c.lost || in_transaction(c)) return status;
    // Nothing after it may run outside the transaction, each statement
    // committed alone: the session fails until its caller rolls back.
    int code = sqlite3_extended_errcode(c.db);
    c.lost = code && code != SQLITE_ROW && code != SQLITE_DONE ? code : SQLITE_ABORT;
    c.failed = true;
    end_cursors(c);
    note_transaction_end(c);
    // The failure's own words say why (memory, the disk, a lock).
    if (!threw) e->text += ": the repository rolled the transaction back, nothing of it is stored";
    return status;
}

sword refuse_lost(const Conn &c, Error *e) {
    const char *why = sqlite3_errstr(c.lost);
    return fail(e, c.lost,
                format("the repository rolled the transaction back after a failure (%s%s): nothing of it is stored",
                       why, std::strstr(why, "memory") ? "" : memory_note(c.lost)));
}

void release_sql(Stmt *st) {
    if (st->conn) return st->conn->release(st);
    st->sql = nullptr;
    st->conn = nullptr;
    st->query = false;
    st->cursor = Cursor::None;
}

}  // namespace ndloci

using namespace ndloci;

extern "C" {

void ocix_expect_layout(int layout) {
    if (layout == OCIX_LAYOUT_VERSIONED || layout == OCIX_LAYOUT_UNVERSIONED) g_expected_layout = layout;
}

sword OCIServerAttach(OCIServer *srvhp, OCIError *errhp, const text *dblink, sb4 dblink_len, ub4) {
    Server *srv = as<Server>(srvhp);
    Error *e = as<Error>(errhp);
    return api_call(e, srv, Fault::Count, [&]() -> sword {
        if (srv->conn) return fail(e, kErrLogon, "the server handle is already attached");
        srv->attach_tried = true;
        try {
            std::string path = dblink && dblink_len > 0
                                   ? std::string(reinterpret_cast<const char *>(dblink), dblink_len)
                                   : default_repository();
            if (server_repository(path))
                srv->conn = open_server_repository(path);
            else
                srv->conn = open_repository(path, srv->attach_error);
        } catch (const std::bad_alloc &) {
            // What the session begin reports after it.
            srv->attach_error.assign(kOutOfMemory);
            throw;
        }
        if (!srv->conn) return fail(e, kErrLogon, srv->attach_error);
        srv->attach_error.clear();
        return OCI_SUCCESS;
    });
}

sword OCISessionBegin(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp, ub4 credt, ub4) {
    SvcCtx *svc = as<SvcCtx>(svchp);
    Error *e = as<Error>(errhp);
    Session *ses = as<Session>(usrhp);
    return api_call(e, svc && ses, Fault::SessionBegin, [&]() -> sword {
        Server *srv = as<Server>(svc->server);
        if (!srv) return fail(e, kErrLogon, "no server is attached to the service context");
        if (!srv->conn)
            return fail(e, kErrLogon, srv->attach_tried ? srv->attach_error : "the server handle was never attached");
        if (ses->active) return fail(e, kErrLogon, "the session has already begun");
        if (srv->conn->active) return fail(e, kErrLogon, "another session is active on this server");
        Backend &c = *srv->conn;
        if (sword r = c.begin(*ses, g_expected_layout.load(), credt == OCI_CRED_EXT, e)) return r;
        ses->active = true;
        ses->server = srv;
        c.active = ses;
        svc->session = ses;  // whether or not the caller sets it afterwards
        return OCI_SUCCESS;
    });
}

sword OCISessionEnd(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp, ub4) {
    SvcCtx *svc = as<SvcCtx>(svchp);
    Error *e = as<Error>(errhp);
    Session *ses = as<Session>(usrhp ? static_cast<const void *>(usrhp) : svc ? svc->session : nullptr);
    return api_call(e, svc && ses, Fault::Count, [&]() -> sword {
        if (!ses->active) return fail(e, kErrLogon, "the session is not active");
        Backend &c = *ses->server->conn;
        // Stored, maybe with a word on how it was settled.
        sword r = c.finish(e, true);
        if (r != OCI_SUCCESS && r != OCI_SUCCESS_WITH_INFO) return r;
        ses->active = false;
        ses->server = nullptr;
        c.active = nullptr;
        return r;
    });
}

sword ocix_sync(OCISvcCtx *svchp, OCIError *errhp) {
    Error *e = as<Error>(errhp);
    SvcCtx *svc = as<SvcCtx>(svchp);
    return api_call(e, svc, Fault::Count, [&]() -> sword {
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        return c->sync(e);
    });
}

sword ocix_repository_letters(OCISvcCtx *svchp, OCIError *errhp, int *letters) {
    Error *e = as<Error>(errhp);
    SvcCtx *svc = as<SvcCtx>(svchp);
    return api_call(e, svc, Fault::Count, [&]() -> sword {
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        if (letters) *letters = c->letters();
        return OCI_SUCCESS;
    });
}

sword ocix_text_encoding(OCISvcCtx *svchp, OCIError *errhp, int encoding) {
    Error *e = as<Error>(errhp);
    SvcCtx *svc = as<SvcCtx>(svchp);
    return api_call(e, svc, Fault::Count, [&]() -> sword {
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        if (encoding != OCIX_TEXT_UTF8 && encoding != OCIX_TEXT_LATIN1)
            return fail(e, kErrUsage, format("unknown text encoding %d", encoding));
        return c->text_encoding(encoding, e);
    });
}

sword OCITransCommit(OCISvcCtx *svchp, OCIError *errhp, ub4) {
    return end_transaction(svchp, errhp, true);
}

sword OCITransRollback(OCISvcCtx *svchp, OCIError *errhp, ub4) {
    return end_transaction(svchp, errhp, false);
}

}  // extern "C"
