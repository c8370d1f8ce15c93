// Logon and transactions: the server handle opens the repository file, the
// session gives it its layout and keeps one transaction open, as the
// database would: nothing commits unless the session ends or commits.
#include "oci_internal.h"

#include <atomic>
#include <cstdlib>

namespace ndloci {

namespace {

std::atomic<int> g_expected_layout{OCIX_LAYOUT_VERSIONED};

// A locked repository answers within about a second instead of waiting.
constexpr int kBusyTimeoutMs = 1000;

const char *layout_name(int layout) {
    return layout == OCIX_LAYOUT_VERSIONED ? "versioned" : "unversioned";
}

// NVL(a,b): a unless it is NULL.
void nvl(sqlite3_context *ctx, int, sqlite3_value **argv) {
    sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) != SQLITE_NULL ? argv[0] : argv[1]);
}

std::string default_repository() {
    const char *env = std::getenv("NDL_REPOSITORY");
    return env && *env ? env : "repository.db";
}

std::unique_ptr<Conn> open_repository(const std::string &path, std::string &why) {
    auto c = std::make_unique<Conn>();
    c->path = path;
    int rc = sqlite3_open_v2(path.c_str(), &c->db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(c->db, 1);
        sqlite3_busy_timeout(c->db, kBusyTimeoutMs);
        rc = sqlite3_create_function(c->db, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nvl,
                                     nullptr, nullptr);
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(c->db, "PRAGMA case_sensitive_like=ON", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        why = format("cannot open the repository \"%s\": %s", path.c_str(),
                     c->db ? sqlite3_errmsg(c->db) : sqlite3_errstr(rc));
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

bool exec(sqlite3 *db, const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

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
            const auto *schema = expected == OCIX_LAYOUT_VERSIONED ? kSchemaVersioned : kSchemaUnversioned;
            ok = exec(c.db, reinterpret_cast<const char *>(schema)) &&
                 exec(c.db, format("PRAGMA user_version=%d", expected).c_str());
            layout = expected;
        }
        if (!ok || !exec(c.db, "COMMIT")) {
            fail_sql(e, c.db, format("cannot create the schema of the repository \"%s\"", c.path.c_str()));
            exec(c.db, "ROLLBACK");
            return false;
        }
    }
    if (layout == expected) return true;
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

// COMMIT or ROLLBACK, then the next transaction.
sword end_transaction(OCISvcCtx *svchp, OCIError *errhp, const char *verb) {
    Error *e = as<Error>(errhp);
    SvcCtx *svc = as<SvcCtx>(svchp);
    return api_call(e, svc, Fault::Count, [&]() -> sword {
        Conn *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        if (!exec(c->db, verb)) {
            sword r = fail_sql(e, c->db, verb);
            keep_transaction(c);
            return r;
        }
        if (!exec(c->db, "BEGIN")) return fail_sql(e, c->db, "cannot open the next transaction");
        return OCI_SUCCESS;
    });
}

}  // namespace

Conn::~Conn() {
    for (Stmt *st : users) {
        sqlite3_finalize(st->sql);
        st->sql = nullptr;
        st->conn = nullptr;
        st->cursor = Cursor::None;
    }
    for (auto &entry : inserts) sqlite3_finalize(entry.second);
    if (active) {
        active->active = false;
        active->server = nullptr;
    }
    sqlite3_close(db);  // rolls back what is not committed
}

Server::~Server() = default;

Session::~Session() {
    if (active && server && server->conn) {
        end_cursors(*server->conn);
        exec(server->conn->db, "ROLLBACK");
        server->conn->active = nullptr;
    }
}

Conn *session_conn(SvcCtx *svc, Error *e) {
    Server *srv = as<Server>(svc->server);
    if (!srv || !srv->conn || !srv->conn->active) {
        fail(e, kErrLogon, "not logged on: no session has begun on this service context");
        return nullptr;
    }
    return srv->conn.get();
}

void keep_transaction(Conn *c) {
    if (c->active && sqlite3_get_autocommit(c->db)) exec(c->db, "BEGIN");
}

void release_sql(Stmt *st) {
    if (st->sql) sqlite3_finalize(st->sql);
    if (st->conn) st->conn->users.erase(st);
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
        std::string path = dblink && dblink_len > 0
                               ? std::string(reinterpret_cast<const char *>(dblink), dblink_len)
                               : default_repository();
        srv->attach_tried = true;
        srv->conn = open_repository(path, srv->attach_error);
        if (!srv->conn) return fail(e, kErrLogon, srv->attach_error);
        srv->attach_error.clear();
        return OCI_SUCCESS;
    });
}

sword OCISessionBegin(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp, ub4, ub4) {
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
        Conn &c = *srv->conn;
        if (!settle_layout(c, g_expected_layout.load(), e)) return OCI_ERROR;
        if (!exec(c.db, "BEGIN")) return fail_sql(e, c.db, "cannot open a transaction");
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
        Conn &c = *ses->server->conn;
        end_cursors(c);
        if (!exec(c.db, "COMMIT")) {
            sword r = fail_sql(e, c.db, "cannot commit at the end of the session");
            keep_transaction(&c);
            return r;
        }
        ses->active = false;
        ses->server = nullptr;
        c.active = nullptr;
        return OCI_SUCCESS;
    });
}

sword OCITransCommit(OCISvcCtx *svchp, OCIError *errhp, ub4) {
    return end_transaction(svchp, errhp, "COMMIT");
}

sword OCITransRollback(OCISvcCtx *svchp, OCIError *errhp, ub4) {
    return end_transaction(svchp, errhp, "ROLLBACK");
}

}  // extern "C"
