// The repository on a PostgreSQL server, for a team that shares one from
// many machines: the logon is the server's account, loads wait for each
// other under an advisory lock, rows go to the server by COPY, and a commit
// whose answer was lost is settled on a new connection.
#include "oci_internal.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <libpq-fe.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace ndloci {

namespace {

// libpq is loaded when a server repository is first named, not with the
// layer: linked, it and the libraries it needs cost every process about
// 13 M instructions of relocations at start (callgrind, 1.022x on the 3 MB
// fresh load into a file), which a load into a file never uses. The names
// below hide libpq's own in this file, so the calls read as libpq's.
#define NDL_LIBPQ(X)                                                                                            \
    X(PQbackendPID) X(PQclear) X(PQconnectdbParams) X(PQconsumeInput) X(PQerrorMessage) X(PQfinish)         \
    X(PQgetResult) X(PQgetisnull) X(PQgetlength) X(PQgetvalue) X(PQisBusy) X(PQnfields) X(PQntuples)        \
    X(PQputCopyData) X(PQputCopyEnd) X(PQresultErrorField) X(PQresultErrorMessage) X(PQresultStatus)        \
    X(PQsendQuery) X(PQsocket) X(PQstatus) X(PQparameterStatus)
#define NDL_DECLARE(f) decltype(&::f) f = nullptr;
NDL_LIBPQ(NDL_DECLARE)
#undef NDL_DECLARE

// Why libpq could not be loaded, or null once it is. Memory that failed
// the load throws, and a later logon tries again.
const char *libpq_missing() {
    static const char *why = "libpq was never loaded";
    static std::once_flag once;
    std::call_once(once, [] {
        errno = 0;
        void *h = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
        if (!h) {
            if (errno == ENOMEM) throw std::bad_alloc();
            why = "the server backend needs PostgreSQL's client library (libpq.so.5), which cannot be loaded";
            return;
        }
        bool all = true;
#define NDL_RESOLVE(f)                                   \
        if (void *p = dlsym(h, #f))                      \
            std::memcpy(&f, &p, sizeof f);               \
        else                                             \
            all = false;
        NDL_LIBPQ(NDL_RESOLVE)
#undef NDL_RESOLVE
        why = all ? nullptr : "PostgreSQL's client library (libpq.so.5) lacks a call the server backend needs";
    });
    return why;
}

constexpr sb4 kErrServer = 30010;  // the server refused a statement

// SYSDATE as SQLite's layer stores it: a text of the local time.
constexpr char kSysdate[] = "to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS')";
// Every table of the repository has it, filled on insert: readers get their
// rows in the order they were stored, as SQLite's rowid gives them.
constexpr char kOrderColumn[] = "ndl_seq";

// One load at a time in a repository (the database's current schema); the
// lock ends with the transaction, committed or not.
constexpr char kBeginLocked[] =
    "BEGIN ISOLATION LEVEL READ COMMITTED; "
    "SELECT pg_advisory_xact_lock(hashtext('ndl repository ' || current_schema()))";

// What the layer keeps beside the loader's tables: the layout, the tokens
// that tell a commit whose answer was lost, and NVL for the three ways the
// statements call it (COALESCE cannot take a number and a text).
const char kOwnObjects[] =
    "CREATE TABLE ndl_layout (layout integer NOT NULL);\n"
    "CREATE TABLE ndl_commits (token text COLLATE \"C\" PRIMARY KEY, written timestamptz NOT NULL DEFAULT now());\n"
    "CREATE FUNCTION nvl(a text, b text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a, b)';\n"
    "CREATE FUNCTION nvl(a bigint, b text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a::text, b)';\n"
    "CREATE FUNCTION nvl(a bigint, b bigint) RETURNS bigint LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a, b)';\n"
    "DO $$ DECLARE t record; BEGIN\n"
    "  FOR t IN SELECT c.relname FROM pg_class c WHERE c.relnamespace = current_schema()::regnamespace\n"
    "           AND c.relkind = 'r' AND c.relname NOT LIKE 'ndl\\_%' LOOP\n"
    "    EXECUTE format('ALTER TABLE %I ADD COLUMN ndl_seq bigint GENERATED ALWAYS AS IDENTITY', t.relname);\n"
    "  END LOOP;\n"
    "END $$;\n";

// Rows of one table are streamed in one COPY; this much is handed to libpq
// at a time.
constexpr size_t kCopyChunk = 1 << 16;

struct Result {
    explicit Result(PGresult *r = nullptr) : r(r) {}
    ~Result() { PQclear(r); }
    Result(const Result &) = delete;
    Result &operator=(const Result &) = delete;
    void reset(PGresult *n) {
        PQclear(r);
        r = n;
    }
    PGresult *release() {
        PGresult *out = r;
        r = nullptr;
        return out;
    }
    ExecStatusType status() const { return r ? PQresultStatus(r) : PGRES_FATAL_ERROR; }
    PGresult *r;
};

// libpq's input is read and parsed again this often while it is busy.
constexpr int kPollMs = 20;
// Rounds in a row, no byte coming, that libpq's parse fails for memory
// before the session is given up for it.
constexpr int kMemoryRounds = 10;
// A statement waits out the lock timeout at most; a minute more is far
// beyond what any of a load's takes (the schema, a table's COPY: seconds).
constexpr int kQuietMarginMs = 60000;

// How a wait for libpq's next result ended.
enum class Wait { Ready, Memory, Silent };

long now_ms() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Waits until libpq's next result is whole, or it has none. libpq's own
// wait (PQexec, PQgetResult) parses once, then waits for bytes; when that
// parse failed for memory, the message stays in its buffer, and the server,
// which waits for us, sends nothing more. Here every round parses again.
// Allocates nothing of ours: it runs after COMMIT has gone out.
Wait wait_ready(PGconn *c, int quiet_limit_ms) {
    long last = now_ms();
    int short_rounds = 0;
    for (;;) {
        // A failed malloc says ENOMEM; libpq's parser keeps quiet about it.
        errno = 0;
        if (!PQisBusy(c)) return Wait::Ready;
        bool memory = errno == ENOMEM;
        pollfd p{PQsocket(c), POLLIN, 0};
        int ready = poll(&p, 1, kPollMs);
        // Read even when poll saw nothing: SSL may hold bytes already taken
        // from the socket. A closed connection then makes PQisBusy false.
        if (PQconsumeInput(c)) {
            if (ready > 0) last = now_ms();
        } else if (PQstatus(c) != CONNECTION_BAD) {
            memory = true;  // its input buffer could not grow
            if (ready > 0) poll(nullptr, 0, kPollMs);
        }
        short_rounds = memory ? short_rounds + 1 : 0;
        if (short_rounds >= kMemoryRounds) return Wait::Memory;
        if (now_ms() - last > quiet_limit_ms) return Wait::Silent;
    }
}

// libpq's next result, or null when it has none or the wait gave up (`how`
// says which).
PGresult *next_result(PGconn *c, int quiet_limit_ms, Wait &how) {
    how = wait_ready(c, quiet_limit_ms);
    return how == Wait::Ready ? PQgetResult(c) : nullptr;
}

// PQexec without its wait: the last result of the text, or its COPY's;
// null when the text could not be sent (libpq's memory, a lost connection)
// or the wait gave up.
PGresult *exec(PGconn *c, const char *sql, int quiet_limit_ms, Wait &how) {
    how = Wait::Ready;
    if (!c || PQsendQuery(c, sql) != 1) return nullptr;
    PGresult *last = nullptr;
    while (PGresult *r = next_result(c, quiet_limit_ms, how)) {
        PQclear(last);
        last = r;
        ExecStatusType s = PQresultStatus(r);
        if (s == PGRES_COPY_IN || s == PGRES_COPY_OUT || s == PGRES_COPY_BOTH || PQstatus(c) == CONNECTION_BAD) break;
    }
    if (how == Wait::Ready) return last;
    PQclear(last);
    return nullptr;
}

// What a database keeps of the letters, by its encoding.
int letters_of(const char *server_encoding) {
    std::string_view enc = server_encoding ? server_encoding : "";
    if (enc == "SQL_ASCII") return OCIX_LETTERS_BYTES;
    if (enc == "UTF8") return OCIX_LETTERS_ALL;
    if (enc == "LATIN1") return OCIX_LETTERS_LATIN1;
    return OCIX_LETTERS_OTHER;
}

// The client_encoding that keeps the letters of texts written as `texts`
// says: the server converts between it and its own. SQL_ASCII converts
// nothing and would take UTF8's texts only when they are valid UTF-8: its
// bytes go as they are, as into a file.
const char *client_encoding(int letters, int texts) {
    if (letters == OCIX_LETTERS_BYTES) return "SQL_ASCII";
    return texts == OCIX_TEXT_LATIN1 ? "LATIN1" : "UTF8";
}

std::string trimmed(const char *s) {
    std::string t = s ? s : "";
    while (!t.empty() && (t.back() == '\n' || t.back() == ' ')) t.pop_back();
    return t;
}

// A repository name fit to be shown: a URI's password is left out.
std::string shown_name(const std::string &name) {
    size_t scheme = name.find("://");
    if (scheme == std::string::npos) return name;
    size_t start = scheme + 3;
    size_t at = name.find('@', start);
    size_t slash = name.find('/', start);
    if (at == std::string::npos || (slash != std::string::npos && slash < at)) return name;
    size_t colon = name.find(':', start);
    if (colon == std::string::npos || colon > at) return name;
    return name.substr(0, colon) + name.substr(at);
}

// The server's reason for a refused connection, without libpq's framing
// ("connection to server on socket ... failed: FATAL:  ").
std::string logon_reason(PGconn *c) {
    std::string m = trimmed(c ? PQerrorMessage(c) : "out of memory");
    for (const char *mark : {"FATAL:  ", "failed: "}) {
        size_t at = m.rfind(mark);
        if (at != std::string::npos) {
            m = m.substr(at + std::strlen(mark));
            break;
        }
    }
    size_t nl = m.find('\n');
    return nl == std::string::npos ? m : m.substr(0, nl);
}

bool table_word(std::string_view t) {
    if (t.empty() || !(std::isalpha(static_cast<unsigned char>(t[0])) || t[0] == '_')) return false;
    for (char c : t)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char &c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct PgRepo : Backend {
    explicit PgRepo(std::string n)
        : name(std::move(n)), shown(shown_name(name)), dbname(name.rfind("pg:", 0) == 0 ? name.substr(3) : name) {}
    ~PgRepo() override;
    NDL_BACKEND_CALLS
    sword sync(Error *e) override { return end_copy(e); }
    int letters() const override { return held; }
    sword text_encoding(int encoding, Error *e) override;
    sword agree_encoding(Error *e);

    PGconn *connect();
    PGresult *run_text(const char *sql) { return exec(pg, sql, quiet_ms, waited); }
    sword server_error(Error *e, const PGresult *r, std::string_view what);
    sword lost(Error *e);
    sword read_layout(Error *e, bool &found);
    sword open_transaction(Error *e);
    sword run(Stmt *st, Error *e, ub4 iters);
    bool copy_row(std::string_view table, Error *e, sword &status);
    sword end_copy(Error *e);
    sword settle(const std::string &ask, bool memory, Error *e);
    void end_cursors();
    void roll_back();

    std::string name, shown;
    std::string dbname;  // what libpq takes for the name: connecting allocates none of ours
    std::string user, password;
    bool external = false;
    int layout = OCIX_LAYOUT_VERSIONED;
    PGconn *pg = nullptr;
    int quiet_ms = kQuietMarginMs;  // how long libpq may stay busy with no byte coming
    Wait waited = Wait::Ready;      // how the last wait for a result ended
    // The session has lost its server (a dropped connection, libpq out of
    // memory): nothing more runs, and its transaction is gone.
    bool broken = false;
    // A transaction the lost session took with it: a later commit of it
    // fails, never says it stored what the server rolled back.
    bool lost_work = false;
    bool in_transaction = false;
    bool needs_schema = false;  // an empty database: the first load makes it
    // The last statement was a literal INSERT into this table, run alone;
    // the rows after it go by COPY.
    std::string last_insert;
    std::string copy_table;  // the table a COPY is open for, or empty
    std::string copy_buf;
    long copy_rows = 0;
    std::unordered_map<std::string, std::string> columns;  // COPY's column list, by table
    std::vector<Literal> literals;
    int held = OCIX_LETTERS_BYTES;  // what the database keeps of the letters
    int texts = OCIX_TEXT_UTF8;     // how the caller's texts are written
    // The client_encoding in force, null when unknown: one set inside a
    // transaction goes with its rollback.
    const char *applied = nullptr;
    bool applied_in_transaction = false;
};

PGconn *PgRepo::connect() {
    // The name first, so that the login's account given after it holds.
    const char *keys[8], *vals[8];
    int n = 0;
    keys[n] = "dbname", vals[n++] = dbname.c_str();
    if (!external && !user.empty()) keys[n] = "user", vals[n++] = user.c_str();
    if (!external && !password.empty()) keys[n] = "password", vals[n++] = password.c_str();
    keys[n] = "fallback_application_name", vals[n++] = "ndl";
    keys[n] = nullptr, vals[n] = nullptr;
    return PQconnectdbParams(keys, vals, 1);
}

PgRepo::~PgRepo() {
    end_cursors();
    for (Stmt *st : users) st->conn = nullptr;
    if (active) {
        active->active = false;
        active->server = nullptr;
    }
    // The server rolls back what was not committed.
    if (pg) PQfinish(pg);
}

// A connection that cannot take the ROLLBACK (libpq out of memory) is
// dropped: the server rolls back then, and no later statement joins the
// transaction.
void PgRepo::roll_back() {
    if (applied_in_transaction) applied = nullptr;
    applied_in_transaction = false;
    if (!pg) return;
    Result r(run_text("ROLLBACK"));
    if (r.status() == PGRES_COMMAND_OK) return;
    PQfinish(pg);
    pg = nullptr;
    broken = true;
}

void PgRepo::end_cursors() {
    for (Stmt *st : users) {
        PQclear(st->rows);
        st->rows = nullptr;
        st->cursor = Cursor::None;
    }
}

// A lost connection, or libpq out of memory: the session ends here, and the
// server rolls its transaction back.
sword PgRepo::lost(Error *e) {
    // The session ends even where its message finds no memory.
    std::string why;
    try {
        if (pg && PQstatus(pg) == CONNECTION_BAD)
            why = trimmed(PQerrorMessage(pg));
        else if (waited == Wait::Silent)
            why = format("the server sent nothing for %d ms", quiet_ms);
    } catch (const std::bad_alloc &) {
    }
    if (why.empty()) why = kOutOfMemory;  // fits the string's own room
    bool memory = why.find("out of memory") != std::string::npos;
    end_cursors();
    PQfinish(pg);
    pg = nullptr;
    broken = true;
    bool was = in_transaction;
    in_transaction = false;
    lost_work = lost_work || was;
    copy_table.clear();
    return fail(e, memory ? kErrMemory : kErrLogon,
                format("the session with the server repository \"%s\" has ended%s: %s", shown.c_str(),
                       was ? " and its transaction was rolled back" : "", why.c_str()));
}

sword PgRepo::server_error(Error *e, const PGresult *r, std::string_view what) {
    if (!r || PQstatus(pg) == CONNECTION_BAD) return lost(e);
    const char *primary = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
    std::string text(what);
    if (!text.empty()) text += ": ";
    text += primary ? primary : trimmed(PQresultErrorMessage(r));
    if (text.find("out of memory") != std::string::npos && !PQresultErrorField(r, PG_DIAG_SQLSTATE)) return lost(e);
    const char *state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    if (state && std::strcmp(state, "55P03") == 0)
        return fail(e, kErrServer,
                    format("the repository \"%s\" is locked by another session; gave up after waiting %d ms",
                           shown.c_str(), busy_ms));
    // A letter that the database, or the texts' encoding, cannot hold.
    if (state && (std::strcmp(state, "22P05") == 0 || std::strcmp(state, "22021") == 0))
        text += "; save the files as UTF-8 and keep the repository in a database whose encoding is UTF8, "
                "which holds every letter";
    return fail(e, kErrServer, std::move(text));
}

sword PgRepo::read_layout(Error *e, bool &found) {
    Result r(run_text("SELECT (SELECT count(*) FROM pg_tables WHERE schemaname = current_schema()),"
                      " (SELECT count(*) FROM pg_tables WHERE schemaname = current_schema() AND tablename = 'ndl_layout')"));
    if (r.status() != PGRES_TUPLES_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    long tables = std::atol(PQgetvalue(r.r, 0, 0));
    bool has_layout = std::atol(PQgetvalue(r.r, 0, 1)) == 1;
    found = tables > 0;
    if (!found) return OCI_SUCCESS;
    if (!has_layout) return fail(e, kErrLayout, format("the repository \"%s\" records no layout", shown.c_str()));
    r.reset(run_text("SELECT layout FROM ndl_layout"));
    if (r.status() != PGRES_TUPLES_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    int recorded = PQntuples(r.r) == 1 ? std::atoi(PQgetvalue(r.r, 0, 0)) : 0;
    if (recorded == layout) return OCI_SUCCESS;
    if (recorded == OCIX_LAYOUT_VERSIONED || recorded == OCIX_LAYOUT_UNVERSIONED)
        return fail(e, kErrLayout,
                    format("the repository \"%s\" has the %s layout; this program expects the %s layout",
                           shown.c_str(), layout_name(recorded), layout_name(layout)));
    if (recorded == 0) return fail(e, kErrLayout, format("the repository \"%s\" records no layout", shown.c_str()));
    return fail(e, kErrLayout, format("the repository \"%s\" has an unknown layout (%d)", shown.c_str(), recorded));
}

sword PgRepo::begin(Session &ses, int expected, bool ext, Error *e) {
    if (broken) return fail(e, kErrLogon, format("the session with the server repository \"%s\" has ended", shown.c_str()));
    user = ses.user;
    password = ses.password;
    external = ext;
    layout = expected;
    busy_ms = busy_timeout_ms();
    quiet_ms = busy_ms + kQuietMarginMs;
    if (const char *why = libpq_missing())
        return fail(e, kErrLogon, format("cannot log on to the repository \"%s\": %s", shown.c_str(), why));
    PQfinish(pg);
    errno = 0;
    pg = connect();
    if (!pg) return out_of_memory(e);
    if (PQstatus(pg) != CONNECTION_OK) {
        // A failed malloc says ENOMEM; libpq's words may not ("could not
        // calculate client proof").
        bool memory = errno == ENOMEM;
        std::string why = logon_reason(pg);
        if (memory && why.find("out of memory") == std::string::npos) why += " (out of memory)";
        PQfinish(pg);
        pg = nullptr;
        return fail(e, kErrLogon, format("cannot log on to the repository \"%s\": %s", shown.c_str(), why.c_str()));
    }
    held = letters_of(PQparameterStatus(pg, "server_encoding"));
    texts = OCIX_TEXT_UTF8;
    std::string setup = format("SET client_min_messages = warning; SET lock_timeout = %d; "
                               "SET default_transaction_isolation = 'read committed'; SET client_encoding = '%s'",
                               busy_ms, client_encoding(held, texts));
    Result r(run_text(setup.c_str()));
    if (r.status() != PGRES_COMMAND_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    applied = client_encoding(held, texts);
    applied_in_transaction = false;
    bool found = false;
    if (sword s = read_layout(e, found)) {
        PQfinish(pg);
        pg = nullptr;
        return s;
    }
    needs_schema = !found;
    return OCI_SUCCESS;
}

// The first statement opens the transaction and takes the repository's
// lock; an empty database gets its schema here, so a first load that fails
// leaves it empty, and a second first load waits and finds it made.
sword PgRepo::open_transaction(Error *e) {
    if (in_transaction) return OCI_SUCCESS;
    if (sword s = agree_encoding(e)) return s;
    Result r(run_text(kBeginLocked));
    if (r.status() != PGRES_TUPLES_OK) {
        sword s = server_error(e, r.r, "cannot open a transaction");
        roll_back();
        return s;
    }
    in_transaction = true;
    if (!needs_schema) return OCI_SUCCESS;
    bool found = false;
    sword s = read_layout(e, found);
    if (!s && !found) {
        std::string_view versioned = reinterpret_cast<const char *>(kServerSchemaVersioned);
        std::string schema = layout == OCIX_LAYOUT_VERSIONED ? std::string(versioned) : older_schema(versioned);
        if (layout == OCIX_LAYOUT_VERSIONED) schema += reinterpret_cast<const char *>(kServerVersionIndexes);
        schema += kOwnObjects;
        schema += format("INSERT INTO ndl_layout VALUES (%d);\n", layout);
        r.reset(run_text(schema.c_str()));
        if (r.status() != PGRES_COMMAND_OK)
            s = server_error(e, r.r, format("cannot create the schema of the repository \"%s\"", shown.c_str()));
    }
    if (s) {
        roll_back();
        in_transaction = false;
        return s;
    }
    needs_schema = false;
    return OCI_SUCCESS;
}

// A literal INSERT that follows another into the same table joins its
// table's COPY. False: it runs alone.
bool PgRepo::copy_row(std::string_view table, Error *e, sword &status) {
    std::string key = lower(table);
    if (copy_table != key) {
        if (lower(last_insert) != key || !table_word(table)) return false;
        auto it = columns.find(key);
        if (it == columns.end()) {
            std::string q = "SELECT string_agg(quote_ident(attname), ',' ORDER BY attnum) FROM pg_attribute "
                            "WHERE attrelid = to_regclass('" + key + "') AND attnum > 0 AND NOT attisdropped "
                            "AND attname <> 'ndl_seq' GROUP BY attrelid";
            Result r(run_text(q.c_str()));
            if (r.status() != PGRES_TUPLES_OK) {
                status = server_error(e, r.r, "");
                return true;
            }
            if (PQntuples(r.r) != 1) return false;
            it = columns.emplace(key, PQgetvalue(r.r, 0, 0)).first;
        }
        // As many columns as the row has values, as the INSERT takes them.
        std::string_view cols = it->second;
        size_t at = 0;
        for (size_t v = 0; v < literals.size(); ++v) {
            at = cols.find(',', at);
            if (at == std::string_view::npos) {
                if (v + 1 < literals.size()) return false;  // more values than columns: the server says so
                at = cols.size();
                break;
            }
            if (v + 1 < literals.size()) ++at;
        }
        Result r(run_text(("COPY " + key + " (" + std::string(cols.substr(0, at)) + ") FROM STDIN").c_str()));
        if (r.status() != PGRES_COPY_IN) {
            status = server_error(e, r.r, "");
            return true;
        }
        copy_table = key;
        copy_rows = 0;
        copy_buf.clear();
    }
    for (size_t v = 0; v < literals.size(); ++v) {
        const Literal &lit = literals[v];
        if (v) copy_buf += '\t';
        if (lit.kind == Literal::Int) {
            copy_buf += std::to_string(lit.value);
            continue;
        }
        for (size_t i = 0; i < lit.raw.size(); ++i) {
            char c = lit.raw[i];
            switch (c) {
            case '\\': copy_buf += "\\\\"; break;
            case '\t': copy_buf += "\\t"; break;
            case '\n': copy_buf += "\\n"; break;
            case '\r': copy_buf += "\\r"; break;
            case '\'': copy_buf += c; i += lit.doubled; break;  // '' stands for one quote
            default: copy_buf += c;
            }
        }
    }
    copy_buf += '\n';
    ++copy_rows;
    status = OCI_SUCCESS;
    if (copy_buf.size() >= kCopyChunk) {
        if (PQputCopyData(pg, copy_buf.data(), static_cast<int>(copy_buf.size())) != 1) status = lost(e);
        copy_buf.clear();
    }
    return true;
}

// Ends the open COPY: its rows are stored, or the error names its table
// and the row.
sword PgRepo::end_copy(Error *e) {
    if (copy_table.empty()) return OCI_SUCCESS;
    std::string table;
    table.swap(copy_table);
    if ((!copy_buf.empty() && PQputCopyData(pg, copy_buf.data(), static_cast<int>(copy_buf.size())) != 1) ||
        PQputCopyEnd(pg, nullptr) != 1)
        return lost(e);
    copy_buf.clear();
    Result r(next_result(pg, quiet_ms, waited));
    sword s = OCI_SUCCESS;
    if (r.status() != PGRES_COMMAND_OK) {
        // No SQLSTATE: libpq's own failure (its memory), not the server's.
        if (!r.r || PQstatus(pg) == CONNECTION_BAD || !PQresultErrorField(r.r, PG_DIAG_SQLSTATE)) return lost(e);
        const char *primary = PQresultErrorField(r.r, PG_DIAG_MESSAGE_PRIMARY);
        const char *context = PQresultErrorField(r.r, PG_DIAG_CONTEXT);
        // COPY's line n is the table's row n + 1: the first ran alone.
        long line = 0;
        if (context) {
            const char *l = std::strstr(context, "line ");
            if (l) line = std::atol(l + 5);
        }
        s = fail(e, kErrServer,
                 line ? format("%s (row %ld of those written into %s in a row)", primary ? primary : "", line + 1, table.c_str())
                      : format("%s (rows written into %s)", primary ? primary : "", table.c_str()));
    }
    while (PGresult *more = next_result(pg, quiet_ms, waited)) PQclear(more);
    return waited == Wait::Ready ? s : lost(e);
}

// The server converts each text between the session's client_encoding and
// its own, both ways: values in statements, COPY's rows, the rows read
// back, its messages. Set where it differs from what the texts need.
sword PgRepo::agree_encoding(Error *e) {
    const char *want = client_encoding(held, texts);
    if (applied && std::strcmp(applied, want) == 0) return OCI_SUCCESS;
    if (sword s = end_copy(e)) return s;
    Result r(run_text(format("SET client_encoding = '%s'", want).c_str()));
    if (r.status() != PGRES_COMMAND_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    applied = want;
    applied_in_transaction = in_transaction;
    return OCI_SUCCESS;
}

sword PgRepo::text_encoding(int encoding, Error *e) {
    if (broken || !pg)
        return fail(e, kErrLogon, format("the session with the server repository \"%s\" has ended", shown.c_str()));
    texts = encoding;
    // Outside a transaction it waits for the next one to begin.
    return in_transaction ? agree_encoding(e) : OCI_SUCCESS;
}

sword PgRepo::run(Stmt *st, Error *e, ub4 iters) {
    size_t tail = 0;
    std::string sql = map_dialect_server(st->text, kSysdate, kOrderColumn, tail);
    if (tail != std::string_view::npos) return fail(e, kErrUsage, "one statement per text: text follows the first statement");
    size_t first = sql.find_first_not_of(" \t\n\r\f");
    if (first == std::string::npos) return fail(e, kErrUsage, "the statement text is empty");
    std::string_view head = std::string_view(sql).substr(first, 6);
    bool query = lower(head) == "select" || lower(head.substr(0, 4)) == "with";
    if (!query && iters == 0) return fail(e, kErrUsage, "a statement that is not a query needs one iteration");
    Result r(run_text(sql.c_str()));
    ExecStatusType status = r.status();
    if (status == PGRES_COMMAND_OK) return OCI_SUCCESS;
    if (status != PGRES_TUPLES_OK) return server_error(e, r.r, "");
    users.insert(st);
    st->conn = this;
    st->query = true;
    st->rows = r.release();
    st->row = -1;
    if (sword s = check_define_positions(st, e, PQnfields(st->rows))) return s;
    if (iters == 1) return step(st, e);
    // Zero iterations: the first row waits for the first fetch.
    st->row = 0;
    st->cursor = PQntuples(st->rows) > 0 ? Cursor::Pending : Cursor::Done;
    return OCI_SUCCESS;
}

sword PgRepo::execute(Stmt *st, Error *e, ub4 iters) {
    if (broken || !pg)
        return fail(e, kErrLogon, format("the session with the server repository \"%s\" has ended", shown.c_str()));
    release(st);
    if (sword s = open_transaction(e)) return s;
    std::string_view text = st->text, table;
    size_t at = iters == 1 ? literal_insert_head(text, table) : 0;
    size_t sysdates = 0;
    bool literal = at && literal_insert_values(text, at, literals, sysdates) && sysdates == 0;
    sword status = OCI_SUCCESS;
    if (literal && copy_row(table, e, status)) return status;
    if (sword s = end_copy(e)) return s;
    status = run(st, e, iters);
    if (literal && status == OCI_SUCCESS)
        last_insert.assign(table);
    else
        last_insert.clear();
    return status;
}

sword PgRepo::deliver(Stmt *st, Error *e) {
    PGresult *r = st->rows;
    int row = st->row;
    return deliver_cells(st, e, [r, row](int col) {
        Cell v;
        if (PQgetisnull(r, row, col)) return v;
        v.kind = Cell::Text;
        v.text = PQgetvalue(r, row, col);
        v.len = static_cast<size_t>(PQgetlength(r, row, col));
        return v;
    });
}

sword PgRepo::step(Stmt *st, Error *e) {
    if (!st->rows || ++st->row >= PQntuples(st->rows)) {
        st->cursor = Cursor::Done;
        return OCI_NO_DATA;
    }
    st->cursor = Cursor::Open;
    return deliver(st, e);
}

// What a commit whose answer was lost says, by why it was lost (the
// connection, or libpq's memory) and what a new connection found.
constexpr const char *kLostCommit[2][2] = {
    {"COMMIT failed, the transaction was rolled back: the connection to the server was lost before it committed",
     "COMMIT's outcome is unknown: the connection to the server was lost, and no new connection could tell whether "
     "the transaction committed"},
    {"COMMIT failed, the transaction was rolled back: out of memory before it committed",
     "COMMIT's outcome is unknown: out of memory, and no new connection could tell whether the transaction "
     "committed"},
};

// Whether the transaction of the commit token that `ask` looks for
// committed, asked on a new connection once the old transaction has ended:
// its lock is free then. Runs after COMMIT went out, so it allocates none
// of ours: `ask` was written before, the error's room was made then.
sword PgRepo::settle(const std::string &ask, bool memory, Error *e) {
    PGconn *c = connect();
    enum { Lost, Unknown, Committed } outcome = Unknown;
    if (c && PQstatus(c) == CONNECTION_OK) {
        Wait how = Wait::Ready;
        PGresult *r = exec(c, ask.c_str(), quiet_ms, how);
        if (PQresultStatus(r) == PGRES_TUPLES_OK) outcome = std::atol(PQgetvalue(r, 0, 0)) == 1 ? Committed : Lost;
        PQclear(r);
        PQclear(exec(c, "ROLLBACK", quiet_ms, how));
    }
    PQfinish(c);
    if (outcome == Committed) return OCI_SUCCESS;
    e->code = kErrServer;
    e->text.assign(kLostCommit[memory][outcome == Unknown]);
    return OCI_ERROR;
}

sword PgRepo::finish(Error *e, bool commit) {
    end_cursors();
    last_insert.clear();
    if (lost_work) {
        lost_work = false;
        if (commit)
            return fail(e, kErrLogon,
                        format("the session with the server repository \"%s\" has ended and its transaction was "
                               "rolled back", shown.c_str()));
    }
    if (!in_transaction) return OCI_SUCCESS;
    if (!commit) {
        copy_table.clear();
        copy_buf.clear();
        in_transaction = false;
        roll_back();
        return OCI_SUCCESS;
    }
    // Until COMMIT goes out, a failure here (memory) is the transaction's
    // end: rolled back, never committed by a later call.
    std::string q, ask;
    sword status = OCI_SUCCESS;
    try {
        status = end_copy(e);
        if (!status) status = fault_take(Fault::Commit, e);
        if (!status) {
            // The token is written in the transaction: a new connection
            // finds it if and only if the transaction committed.
            unsigned char raw[16] = {};
            int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
            bool random = fd >= 0 && read(fd, raw, sizeof raw) == static_cast<ssize_t>(sizeof raw);
            if (fd >= 0) close(fd);
            std::string token = format("%d-%ld-", PQbackendPID(pg), static_cast<long>(time(nullptr)));
            for (unsigned char b : raw) token += format("%02x", random ? b : 0);
            q = "DELETE FROM ndl_commits WHERE written < now() - interval '1 day'; INSERT INTO ndl_commits (token) "
                "VALUES ('" + token + "'); COMMIT";
            // Once COMMIT has gone out nothing of ours allocates: the
            // question for a lost answer and the room of its message are
            // made now.
            ask = format("SET lock_timeout = %d; %s; SELECT count(*) FROM ndl_commits WHERE token = '%s'", busy_ms,
                         kBeginLocked, token.c_str());
            e->text.reserve(std::strlen(kLostCommit[1][1]) + 1);
        }
    } catch (const std::bad_alloc &) {
        // libpq's ROLLBACK allocates in C; where it cannot, the connection
        // goes and the server rolls back.
        copy_table.clear();
        in_transaction = false;
        roll_back();
        throw;
    }
    if (status) {
        roll_back();
        in_transaction = false;
        e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
        return status;
    }
    in_transaction = false;
    bool sent = PQsendQuery(pg, q.c_str()) == 1;
    if (sent && fault_take(Fault::CommitDrop, nullptr)) shutdown(PQsocket(pg), SHUT_RDWR);
    // The three statements' results. An error the server sent has its
    // SQLSTATE; one of libpq's own (its memory) has none, and says nothing
    // of what the server did.
    PGresult *results[3] = {};
    int got = 0;
    bool ok = sent, local = !sent;
    const PGresult *refused = nullptr;
    Wait how = Wait::Ready;
    while (PGresult *r = sent ? next_result(pg, quiet_ms, how) : nullptr) {
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            ok = false;
            if (!PQresultErrorField(r, PG_DIAG_SQLSTATE))
                local = true;
            else if (!refused)
                refused = r;
        }
        if (got < 3) {
            results[got++] = r;
        } else {
            PQclear(r);
            ok = false;
        }
    }
    // A wait that gave up heard no whole answer.
    bool connected = PQstatus(pg) == CONNECTION_OK && how == Wait::Ready;
    if (ok && got == 3 && connected) {
        for (PGresult *r : results) PQclear(r);
        applied_in_transaction = false;
        return OCI_SUCCESS;
    }
    if (connected && refused && !local) {
        // The server answered: it rolled the transaction back.
        status = server_error(e, refused, "");
        for (PGresult *r : results) PQclear(r);
        roll_back();
        e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
        return status;
    }
    for (PGresult *r : results) PQclear(r);
    // No answer: what a reader now sees decides. libpq's memory failed
    // where it stays connected, or where its parse gave up for it.
    bool memory = how == Wait::Memory || connected;
    PQfinish(pg);
    pg = nullptr;
    broken = true;
    return settle(ask, memory, e);
}

void PgRepo::abandon() {
    end_cursors();
    copy_table.clear();
    copy_buf.clear();
    last_insert.clear();
    if (in_transaction) roll_back();
    in_transaction = false;
}

void PgRepo::release(Stmt *st) {
    PQclear(st->rows);
    st->rows = nullptr;
    users.erase(st);
    st->conn = nullptr;
    st->query = false;
    st->cursor = Cursor::None;
}

}  // namespace

bool server_repository(std::string_view name) {
    return name.rfind("postgresql://", 0) == 0 || name.rfind("postgres://", 0) == 0 ||
           (name.rfind("pg:", 0) == 0 && name.size() > 3);
}

std::unique_ptr<Backend> open_server_repository(const std::string &name) {
    close_repositories_at_exit();
    return std::make_unique<PgRepo>(name);
}

}  // namespace ndloci
