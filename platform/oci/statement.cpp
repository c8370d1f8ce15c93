// Statements: prepare keeps the text, defines bind positions to buffers,
// execute runs the text in the session's transaction, fetch delivers rows
// under the rules of defines without indicators.
#include "oci_internal.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ndloci {

namespace {

// Distinct INSERT shapes kept prepared per connection; the writers have
// about a hundred tables.
constexpr size_t kInsertCacheMax = 256;

bool blank_range(const char *p, const char *end) {
    for (; p < end; ++p)
        if (!std::strchr(" \t\n\r\f\v", *p) || *p == 0) return false;
    return true;
}

void drop_defines(Stmt *st) {
    for (Define *d : st->defines) {
        unenroll(d);
        delete d;
    }
    st->defines.clear();
}

// A numeric text as the database would convert it: blanks around, a sign, digits
// with an optional fraction and exponent.
bool number_text(const char *p, double &v) {
    while (*p && std::strchr(" \t\n\r\f\v", *p)) ++p;
    const char *b = p;
    if (*p == '+' || *p == '-') ++p;
    size_t digits = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) ++digits;
    if (*p == '.')
        for (++p; std::isdigit(static_cast<unsigned char>(*p)); ++p) ++digits;
    if (!digits) return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        while (std::isdigit(static_cast<unsigned char>(*p))) ++p;
    }
    const char *e = p;
    while (*p && std::strchr(" \t\n\r\f\v", *p)) ++p;
    if (*p) return false;
    // Plain digits, as a server sends every integer column: up to 15 of
    // them are a double exactly, the value strtod gives, without a copy.
    // On the 1 MB reload from a server the SQLT_INT defines took 8.0 M
    // instructions against 23.8 M (callgrind, the client, runs repeat to
    // within 0.01%).
    bool negative = *b == '-';
    const char *d = b + (*b == '+' || *b == '-');
    if (e - d <= 15 && std::all_of(d, e, [](char c) { return c >= '0' && c <= '9'; })) {
        long long n = 0;
        for (; d < e; ++d) n = n * 10 + (*d - '0');
        v = negative ? -static_cast<double>(n) : static_cast<double>(n);
        return true;
    }
    v = std::strtod(std::string(b, e).c_str(), nullptr);
    return true;
}

// Why a value does not fit SQLT_INT, or null when it does.
const char *int32_problem(const Cell &v, int32_t &out) {
    double d = 0;
    if (v.kind == Cell::Int) {
        if (v.i < INT32_MIN || v.i > INT32_MAX) return "is out of the 32-bit range";
        out = static_cast<int32_t>(v.i);
        return nullptr;
    }
    if (v.kind == Cell::Real)
        d = v.r;
    else if (v.kind != Cell::Text || !number_text(v.text, d))
        return "is not a number";
    if (!std::isfinite(d) || d != std::trunc(d)) return "is not an integer";
    if (d < -2147483648.0 || d > 2147483647.0) return "is out of the 32-bit range";
    out = static_cast<int32_t>(d);
    return nullptr;
}

size_t real_text(double v, char *buf, size_t size) {
    int n = std::fabs(v) < 9e15 && v == std::trunc(v) ? std::snprintf(buf, size, "%.0f", v)
                                                      : std::snprintf(buf, size, "%.15g", v);
    return static_cast<size_t>(std::clamp(n, 0, static_cast<int>(size) - 1));
}

[[gnu::always_inline]] inline Cell sqlite_cell(sqlite3_stmt *s, int col) {
    Cell v;
    v.stmt = s;
    v.col = col;
    switch (sqlite3_column_type(s, col)) {
    case SQLITE_NULL: v.kind = Cell::Null; break;
    case SQLITE_INTEGER: v.kind = Cell::Int; v.i = sqlite3_column_int64(s, col); break;
    case SQLITE_FLOAT: v.kind = Cell::Real; v.r = sqlite3_column_double(s, col); break;
    default:
        v.kind = Cell::Text;
        v.text = reinterpret_cast<const char *>(sqlite3_column_text(s, col));
        v.len = v.text ? static_cast<size_t>(sqlite3_column_bytes(s, col)) : 0;
        // Null for want of memory (a blob given its terminator): no value,
        // never an empty text.
        if (!v.text && sqlite3_errcode(sqlite3_db_handle(s)) == SQLITE_NOMEM) v.kind = Cell::Unread;
        if (!v.text) v.text = "";
    }
    return v;
}

[[gnu::cold, gnu::noinline]] sword refuse_null(Define *d, Error *e) {
    return fail(e, kErrNullFetch, format("fetched column value is NULL (position %u)", d->pos));
}

[[gnu::cold, gnu::noinline]] sword refuse_int(Define *d, const Cell &v, const char *why, Error *e) {
    char num[48];
    const char *shown = v.text;
    if (v.stmt) {
        shown = reinterpret_cast<const char *>(sqlite3_column_text(v.stmt, v.col));
    } else if (v.kind == Cell::Int) {
        std::snprintf(num, sizeof num, "%lld", static_cast<long long>(v.i));
        shown = num;
    } else if (v.kind == Cell::Real) {
        real_text(v.r, num, sizeof num);
        shown = num;
    }
    return fail(e, kErrNumber, format("fetched value \"%.60s\" at position %u %s for a 4-byte integer",
                                      shown ? shown : "", d->pos, why));
}

// One value into its define: inline in the file's own reads, called by
// the server backend's.
[[gnu::always_inline]] inline sword put_value(Define *d, const Cell &v, Error *e, ub4 &cut) {
    if (v.kind == Cell::Null) return refuse_null(d, e);
    if (v.kind == Cell::Unread) [[unlikely]]
        return out_of_memory(e);
    if (d->dty == SQLT_INT) {
        int32_t n = 0;
        if (const char *why = int32_problem(v, n)) return refuse_int(d, v, why, e);
        std::memcpy(d->buf, &n, sizeof n);
        return OCI_SUCCESS;
    }
    char num[48];
    const char *p = num;
    size_t len;
    if (v.kind == Cell::Int) {
        len = static_cast<size_t>(std::snprintf(num, sizeof num, "%lld", static_cast<long long>(v.i)));
    } else if (v.kind == Cell::Real) {
        len = real_text(v.r, num, sizeof num);
    } else {
        p = v.text;
        len = v.len;
    }
    size_t room = static_cast<size_t>(d->size) - 1;
    if (len > room) {
        len = room;
        if (!cut) cut = d->pos;
    }
    std::memcpy(d->buf, p, len);
    static_cast<char *>(d->buf)[len] = 0;
    return OCI_SUCCESS;
}

// Copies the current row into the defines.
sword deliver(Stmt *st, Error *e) {
    sqlite3_stmt *s = st->sql;
    ub4 cut = 0;
    for (Define *d : st->defines)
        if (sword r = put_value(d, sqlite_cell(s, static_cast<int>(d->pos - 1)), e, cut)) return r;
    return deliver_done(e, cut);
}

}  // namespace

sword define_value(Define *d, const Cell &v, Error *e, ub4 &cut) { return put_value(d, v, e, cut); }

sword deliver_done(Error *e, ub4 cut) {
    if (cut) return info(e, kErrTruncated, format("fetched column value was truncated (position %u)", cut));
    return OCI_SUCCESS;
}

sword check_define_positions(Stmt *st, Error *e, int ncol) {
    for (Define *d : st->defines)
        if (d->pos > static_cast<ub4>(ncol))
            return fail(e, kErrUsage, format("define position %u is beyond the %d columns of the query", d->pos, ncol));
    return OCI_SUCCESS;
}

namespace {

sword step_row(Stmt *st, Error *e) {
    int rc = sqlite3_step(st->sql);
    if (rc == SQLITE_ROW) {
        st->cursor = Cursor::Open;
        return deliver(st, e);
    }
    st->cursor = Cursor::Done;
    if (rc == SQLITE_DONE) return OCI_NO_DATA;
    return fail_sql(e, static_cast<Conn *>(st->conn)->db, "");
}

// Whether the file's texts are UTF-8: SQLite keeps a text bound
// SQLITE_STATIC where it lies then, and converts it into a copy otherwise.
// -1 when it cannot be read: a failure of SQLite's, which may have rolled
// the transaction back.
int texts_stay_bound(sqlite3 *db) {
    sqlite3_stmt *raw = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA encoding", -1, &raw, nullptr);
    PreparedSql s(raw);
    if (!s || own_step(s.get()) != SQLITE_ROW) return -1;
    const unsigned char *encoding = sqlite3_column_text(s.get(), 0);
    if (!encoding) return -1;
    return std::strcmp(reinterpret_cast<const char *>(encoding), "UTF-8") == 0;
}

// The writers' "INSERT INTO t VALUES (literals)": one prepared statement per
// shape, the literals bound. False when the text has another form. Rows
// come table by table, so the last shape is tried before the cache.
// Measured on the every-block load of 30 MB, in 12 interleaved wall-clock
// pairs against preparing every text: 0.48x the time (median; range
// 0.32-0.71). It rests on binding storing exactly what the literal would
// (the literal_insert fuzz target compares the two); anything the scan does
// not read so takes the plain statement. A parameter that holds its value
// already is not bound again: the same integer, or a text as long where the
// last one lay, which SQLite reads there at the step. Rows of a table
// repeat most values and places (the network, the keys of the block): on
// the every-block load this spares 7 of 10 binds.
bool same_shape(const LastShape &last, std::string_view table, const std::vector<Literal> &vals, size_t sysdates) {
    if (!last.insert || table != last.table || vals.size() != last.sysdate.size() || sysdates != last.sysdates)
        return false;
    if (sysdates == 0) return true;  // neither has one
    for (size_t v = 0; v < vals.size(); ++v)
        if ((vals[v].kind == Literal::Sysdate) != last.sysdate[v]) return false;
    return true;
}

bool names(std::string_view table, std::string_view name) {
    return table.size() == name.size() && sqlite3_strnicmp(table.data(), name.data(), static_cast<int>(name.size())) == 0;
}

// The cached INSERT of `key`, prepared and added when it is new; null
// with the error when it cannot be prepared.
CachedInsert *cached_insert(Conn *c, const std::string &key, size_t params, Error *e) {
    if (auto it = c->inserts.find(key); it != c->inserts.end()) return &it->second;
    if (c->inserts.size() >= kInsertCacheMax) {
        c->last = LastShape{};
        c->inserts.clear();
    }
    sqlite3_stmt *raw = nullptr;
    int rc = sqlite3_prepare_v3(c->db, key.data(), static_cast<int>(key.size()), SQLITE_PREPARE_PERSISTENT, &raw,
                                nullptr);
    CachedInsert fresh{PreparedSql(raw), {}};
    if (rc != SQLITE_OK) {
        fail_sql(e, c->db, "");
        return nullptr;
    }
    fresh.held.resize(params);
    if (c->texts_stay < 0 && (c->texts_stay = texts_stay_bound(c->db)) < 0) {
        fail_sql(e, c->db, "");
        return nullptr;
    }
    return &c->inserts.emplace(key, std::move(fresh)).first->second;
}

bool try_cached_insert(Conn *c, std::string_view text, Error *e, sword &status) {
    std::string &key = c->insert_key;
    std::vector<Literal> &vals = c->literals;
    std::string &once = c->unquoted;
    std::string_view table;
    const std::string &head = c->last_head;
    size_t at = head.size();
    if (!head.empty() && text.size() > at && std::memcmp(text.data(), head.data(), at) == 0) {
        table = text.substr(c->head_table_at, c->head_table_len);
    } else {
        at = literal_insert_head(text, table);
        if (!at) return false;
        c->last_head.assign(text.substr(0, at));
        c->head_table_at = static_cast<size_t>(table.data() - text.data());
        c->head_table_len = table.size();
    }
    size_t sysdates = 0;
    if (!literal_insert_values(text, at, vals, sysdates)) return false;
    CachedInsert *ins = nullptr;
    if (same_shape(c->last, table, vals, sysdates)) {
        ins = c->last.insert;
    } else {
        literal_insert_key(table, vals, key);
        ins = cached_insert(c, key, vals.size() - sysdates, e);
        if (!ins) {
            status = OCI_ERROR;
            return true;
        }
        LastShape next{ins, std::string(table), std::vector<char>(vals.size()), sysdates};
        for (size_t v = 0; v < vals.size(); ++v) next.sysdate[v] = vals[v].kind == Literal::Sysdate;
        c->last = std::move(next);
    }
    sqlite3_stmt *s = ins->stmt.get();
    assert(ins->held.size() == static_cast<size_t>(sqlite3_bind_parameter_count(s)));
    Held *held = ins->held.data();
    int param = 0, bound = SQLITE_OK;
    for (const Literal &v : vals) {
        if (v.kind == Literal::Sysdate) continue;
        Held &h = held[param++];
        if (v.kind == Literal::Text && !v.doubled) {
            // A text where the parameter's text lies, as long: the
            // parameter holds it already.
            if (h.kind == Held::Text && h.text == v.raw.data() && h.len == v.raw.size()) continue;
            bound |= sqlite3_bind_text(s, param, v.raw.data(), static_cast<int>(v.raw.size()), SQLITE_STATIC);
            h = c->texts_stay ? Held{Held::Text, 0, v.raw.data(), v.raw.size()} : Held{};
        } else if (v.kind == Literal::Int) {
            if (h.kind == Held::Int && h.value == v.value) continue;
            bound |= sqlite3_bind_int64(s, param, v.value);
            h = Held{Held::Int, v.value, nullptr, 0};
        } else {
            once.clear();
            for (size_t i = 0;;) {
                size_t q = v.raw.find('\'', i);
                if (q == std::string_view::npos) {
                    once.append(v.raw.substr(i));
                    break;
                }
                once.append(v.raw.substr(i, q + 1 - i));  // '' stands for one quote
                i = q + 2;
            }
            bound |= sqlite3_bind_text(s, param, once.data(), static_cast<int>(once.size()), SQLITE_TRANSIENT);
            h = Held{};
        }
    }
    if (bound != SQLITE_OK) {
        // A value left from the row before must never be stored.
        status = fail_sql(e, c->db, "");
        sqlite3_clear_bindings(s);
        for (Held &h : ins->held) h = Held{};
        return true;
    }
    int rc = sqlite3_step(s);
    status = rc == SQLITE_DONE ? OCI_SUCCESS : fail_sql(e, c->db, "");
    // The bound texts go on pointing into this statement's text: harmless,
    // since a cached shape is stepped only when every parameter is bound
    // anew or holds what lies, this time, where its text lies.
    sqlite3_reset(s);
    if (status == OCI_SUCCESS && (names(table, deciders().versions) || names(table, deciders().networks)))
        status = add_version_indexes(c->db, e);
    return true;
}

sword run_plain(Conn *c, Stmt *st, Error *e, ub4 iters) {
    if (st->sql && st->conn == c) {
        sqlite3_reset(st->sql);
    } else {
        release_sql(st);
        std::string sql = map_dialect(st->text);
        sqlite3_stmt *raw = nullptr;
        const char *tail = nullptr;
        int rc = sqlite3_prepare_v2(c->db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
        PreparedSql s(raw);
        if (rc != SQLITE_OK) return fail_sql(e, c->db, "");
        if (!s) return fail(e, kErrUsage, "the statement text is empty");
        if (!blank_range(tail, sql.data() + sql.size()))
            return fail(e, kErrUsage, "one statement per text: text follows the first statement");
        // Listed on its connection before the statement holds it: a
        // connection finalizes what its users hold when it closes first.
        c->users.insert(st);
        st->sql = s.release();
        st->conn = c;
        st->query = sqlite3_column_count(st->sql) > 0;
    }
    sqlite3_stmt *s = st->sql;
    if (!st->query) {
        if (iters == 0) return fail(e, kErrUsage, "a statement that is not a query needs one iteration");
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        sword r = rc == SQLITE_DONE ? OCI_SUCCESS : fail_sql(e, c->db, "");
        sqlite3_reset(s);
        return r;
    }
    if (sword r = check_define_positions(st, e, sqlite3_column_count(s))) return r;
    if (iters == 1) return step_row(st, e);
    // Zero iterations: run the query now, so that its failures show here,
    // and keep the first row for the first fetch.
    int rc = sqlite3_step(s);
    st->cursor = rc == SQLITE_ROW ? Cursor::Pending : Cursor::Done;
    return rc == SQLITE_ROW || rc == SQLITE_DONE ? OCI_SUCCESS : fail_sql(e, c->db, "");
}

}  // namespace

Stmt::~Stmt() {
    release_sql(this);
    drop_defines(this);
}

sword Conn::execute(Stmt *st, Error *e, ub4 iters) {
    if (lost) return refuse_lost(*this, e);
    sword status = open_transaction(this, e);
    if (status != OCI_SUCCESS) return status;
    bool kept = st->sql && st->conn == this;  // executed again without a new prepare
    try {
        if (kept || iters != 1 || !try_cached_insert(this, st->text, e, status)) status = run_plain(this, st, e, iters);
    } catch (const std::bad_alloc &) {
        note_lost(*this, e, OCI_ERROR, true);
        throw;
    }
    return note_lost(*this, e, status);
}

sword Conn::deliver(Stmt *st, Error *e) { return lost ? refuse_lost(*this, e) : ndloci::deliver(st, e); }

sword Conn::step(Stmt *st, Error *e) {
    if (lost) return refuse_lost(*this, e);
    return note_lost(*this, e, step_row(st, e));
}

}  // namespace ndloci

using namespace ndloci;

extern "C" {

sword OCIStmtPrepare(OCIStmt *stmtp, OCIError *errhp, const text *stmt, ub4 stmt_len, ub4, ub4) {
    Stmt *st = as<Stmt>(stmtp);
    Error *e = as<Error>(errhp);
    return api_call(e, st, Fault::Prepare, [&]() -> sword {
        if (!stmt && stmt_len) return fail(e, kErrUsage, "the statement text is null");
        st->text.reserve(stmt_len);  // the one allocation, before anything changes
        release_sql(st);
        drop_defines(st);
        st->text.assign(stmt ? reinterpret_cast<const char *>(stmt) : "", stmt_len);
        st->prepared = true;
        return OCI_SUCCESS;
    });
}

sword OCIDefineByPos(OCIStmt *stmtp, OCIDefine **defnp, OCIError *errhp, ub4 position, dvoid *valuep,
                     sb4 value_sz, ub2 dty, dvoid *indp, ub2 *rlenp, ub2 *rcodep, ub4) {
    Stmt *st = as<Stmt>(stmtp);
    Error *e = as<Error>(errhp);
    return api_call(e, st, Fault::Define, [&]() -> sword {
        if (!st->prepared) return fail(e, kErrUsage, "define before the statement was prepared");
        if (position < 1) return fail(e, kErrUsage, "define positions count from 1");
        if (!valuep) return fail(e, kErrUsage, "the define buffer is null");
        if (indp || rlenp || rcodep) return fail(e, kErrUsage, "indicator, length and code arrays are not supported");
        if (dty == SQLT_INT && value_sz != 4)
            return fail(e, kErrUsage, format("an SQLT_INT define takes a 4-byte integer, not %d bytes", value_sz));
        if (dty == SQLT_STR && value_sz < 1)
            return fail(e, kErrUsage, "an SQLT_STR define needs room for the terminating NUL");
        if (dty != SQLT_INT && dty != SQLT_STR)
            return fail(e, kErrUsage, format("data type %u is not supported in defines (SQLT_INT, SQLT_STR)", dty));
        auto at = std::lower_bound(st->defines.begin(), st->defines.end(), position,
                                   [](const Define *d, ub4 pos) { return d->pos < pos; });
        Define *d;
        if (at != st->defines.end() && (*at)->pos == position) {
            d = *at;  // defining a position again replaces its buffer
            d->buf = valuep;
            d->size = value_sz;
            d->dty = dty;
        } else {
            // Whole, and live, before the statement lists it.
            auto fresh = std::make_unique<Define>();
            fresh->stmt = st;
            fresh->pos = position;
            fresh->buf = valuep;
            fresh->size = value_sz;
            fresh->dty = dty;
            enroll(fresh.get());
            try {
                st->defines.insert(at, fresh.get());
            } catch (const std::bad_alloc &) {
                unenroll(fresh.get());
                throw;
            }
            d = fresh.release();
        }
        if (defnp) *defnp = static_cast<OCIDefine *>(static_cast<void *>(static_cast<Handle *>(d)));
        return OCI_SUCCESS;
    });
}

sword OCIStmtExecute(OCISvcCtx *svchp, OCIStmt *stmtp, OCIError *errhp, ub4 iters, ub4, const OCISnapshot *,
                     OCISnapshot *, ub4 mode) {
    SvcCtx *svc = as<SvcCtx>(svchp);
    Stmt *st = as<Stmt>(stmtp);
    Error *e = as<Error>(errhp);
    return api_call(e, svc && st, Fault::Execute, [&]() -> sword {
        if (!st->prepared) return fail(e, kErrUsage, "the statement was executed before it was prepared");
        if (iters > 1) return fail(e, kErrUsage, "iteration counts above 1 are not supported");
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        st->cursor = Cursor::None;
        if ((mode & OCIX_DEFERRED) && iters == 0) return c->defer(st, e);
        return c->execute(st, e, iters);
    });
}

}  // extern "C"

sword ndloci::Backend::defer(Stmt *st, Error *) {
    st->cursor = Cursor::Deferred;
    return OCI_SUCCESS;
}

extern "C" {

sword ocix_stmt_result(OCISvcCtx *svchp, OCIStmt *stmtp, OCIError *errhp) {
    SvcCtx *svc = as<SvcCtx>(svchp);
    Stmt *st = as<Stmt>(stmtp);
    Error *e = as<Error>(errhp);
    return api_call(e, svc && st, Fault::Count, [&]() -> sword {
        if (st->cursor != Cursor::Deferred) return fail(e, kErrUsage, "no deferred query was executed");
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        st->cursor = Cursor::None;
        return c->resolve(st, e);
    });
}

sword ocix_deferral(OCISvcCtx *svchp, OCIError *errhp, int *together) {
    SvcCtx *svc = as<SvcCtx>(svchp);
    Error *e = as<Error>(errhp);
    return api_call(e, svc && together, Fault::Count, [&]() -> sword {
        Backend *c = session_conn(svc, e);
        if (!c) return OCI_ERROR;
        *together = c->answers_together() ? 1 : 0;
        return OCI_SUCCESS;
    });
}

sword OCIStmtFetch(OCIStmt *stmtp, OCIError *errhp, ub4 nrows, ub2 orientation, ub4) {
    Stmt *st = as<Stmt>(stmtp);
    Error *e = as<Error>(errhp);
    return api_call(e, st, Fault::Fetch, [&]() -> sword {
        if (nrows != 1) return fail(e, kErrUsage, "rows are fetched one at a time");
        if (orientation != OCI_FETCH_NEXT && orientation != OCI_DEFAULT)
            return fail(e, kErrUsage, "only OCI_FETCH_NEXT is supported");
        switch (st->cursor) {
        case Cursor::None: return fail(e, kErrUsage, "fetch out of sequence: no query was executed");
        case Cursor::Deferred:
            return fail(e, kErrUsage, "fetch out of sequence: the deferred query's result was not asked for");
        case Cursor::Done: return OCI_NO_DATA;
        case Cursor::Pending: st->cursor = Cursor::Open; return st->conn->deliver(st, e);
        case Cursor::Open: break;
        }
        return st->conn->step(st, e);
    });
}

}  // extern "C"
