// Inside the OCI layer: the handle objects, the registry that tells live
// handles from anything else, error recording and fault injection.
#ifndef NDL_OCI_INTERNAL_H
#define NDL_OCI_INTERNAL_H

#include "oci.h"

#include <sqlite3.h>
#include <sys/types.h>

struct pg_result;  // libpq's PGresult

#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ndloci {

// Our own handle type for external-procedure contexts; no OCI type uses it.
constexpr ub4 kHtypeContext = 0x4e01;

// Error codes handed out by OCIErrorGet. SQLite failures give SQLite's
// extended result code (always below these).
enum ErrorCode : sb4 {
    kErrUsage = 30001,      // bad argument or call out of sequence
    kErrLogon = 30002,      // attach, session begin, not logged on
    kErrLayout = 30003,     // repository of another or unknown layout
    kErrNullFetch = 30004,  // NULL fetched into a define
    kErrNumber = 30005,     // value not convertible into SQLT_INT
    kErrTruncated = 30006,  // SQLT_STR value cut (with OCI_SUCCESS_WITH_INFO)
    kErrInjected = 30007,   // fault injected on purpose
    kErrLob = 30008,        // LOB offset or size out of bounds
    kErrMemory = 30009,     // allocation failed
    // 30010: the server refused a statement (postgres.cpp)
    kErrCommitUnknown = OCIX_ERR_COMMIT_UNKNOWN,     // a commit's outcome cannot be known
    kErrCommitReadBack = OCIX_INFO_COMMIT_READ_BACK, // a lost commit's answer, read back: stored
};

struct Env;
struct Stmt;
struct Session;
struct Error;

// One open repository behind a server handle: a SQLite file (Conn) or a
// database on a PostgreSQL server (PgRepo, postgres.cpp). Handles, errors,
// LOBs, the define rules and the fault hook stay above it.
struct Backend {
    virtual ~Backend() = default;
    Session *active = nullptr;  // the session logged on here
    // The logon: the account where the backend has one (`external`: the
    // credentials come from the repository's name or the environment, not
    // the session) and the repository's layout, made or refused.
    virtual sword begin(Session &ses, int layout, bool external, Error *e) = 0;
    // Runs a prepared statement in the session's transaction.
    virtual sword execute(Stmt *st, Error *e, ub4 iters) = 0;
    // A query executed with OCIX_DEFERRED, and its result asked for: where
    // queries cost a round trip, those deferred together share one. By
    // default it runs when its result is asked for.
    virtual sword defer(Stmt *st, Error *e);
    virtual sword resolve(Stmt *st, Error *e) { return execute(st, e, 0); }
    virtual bool answers_together() const { return false; }
    // The defines get the current row; the next row (OCI_NO_DATA at the end).
    virtual sword deliver(Stmt *st, Error *e) = 0;
    virtual sword step(Stmt *st, Error *e) = 0;
    // Ends the open transaction; a commit settled before it is reported.
    virtual sword finish(Error *e, bool commit) = 0;
    // Writes still on their way are done: a failure among them is reported
    // now, against the statements that caused it.
    virtual sword sync(Error *) { return OCI_SUCCESS; }
    // What the repository keeps of a text's letters (OCIX_LETTERS_*), and how
    // the session's texts are written (OCIX_TEXT_*): a file keeps bytes.
    virtual int letters() const { return OCIX_LETTERS_BYTES; }
    virtual sword text_encoding(int, Error *) { return OCI_SUCCESS; }
    // The active session goes without ending: its transaction is rolled back.
    virtual void abandon() = 0;
    // A statement gives back what it holds here.
    virtual void release(Stmt *st) = 0;
    int busy_ms = 0;                   // how long a load waits for another's lock
    std::unordered_set<Stmt *> users;  // statements holding state here
};

// What each backend declares of the interface above: the calls that have
// no default.
#define NDL_BACKEND_CALLS                                              \
    sword begin(Session &ses, int layout, bool external, Error *e) override; \
    sword execute(Stmt *st, Error *e, ub4 iters) override;           \
    sword deliver(Stmt *st, Error *e) override;                      \
    sword step(Stmt *st, Error *e) override;                         \
    sword finish(Error *e, bool commit) override;                    \
    void abandon() override;                                         \
    void release(Stmt *st) override;

struct Handle {
    Handle(ub4 t, Env *e) : type(t), env(e) {}
    virtual ~Handle() = default;
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    const ub4 type;
    Env *const env;  // owner; null for contexts and defines
};

struct Env : Handle {
    static constexpr ub4 kType = OCI_HTYPE_ENV;
    Env() : Handle(kType, this) {}
    std::unordered_set<Handle *> children;
    // Why the last allocation under it failed, for OCIErrorGet on the
    // environment: no error handle takes part in an allocation. Static
    // texts, so recording one allocates nothing.
    sb4 code = 0;
    const char *why = nullptr;
};

struct Error : Handle {
    static constexpr ub4 kType = OCI_HTYPE_ERROR;
    explicit Error(Env *e) : Handle(kType, e) {}
    sb4 code = 0;
    std::string text;
};

// A value of a literal INSERT (dialect.cpp).
struct Literal {
    enum Kind { Int, Text, Sysdate } kind;
    sqlite3_int64 value;    // Int
    std::string_view raw;   // Text: between the quotes, quotes still doubled
    bool doubled;           // Text: raw holds '' pairs
};

// What a parameter of a cached INSERT holds since it was last bound: an
// integer, or a text where it lies (the statement's own text, bound
// SQLITE_STATIC), or not known.
struct Held {
    enum Kind : unsigned char { Unknown, Int, Text } kind = Unknown;
    sqlite3_int64 value = 0;
    const char *text = nullptr;
    size_t len = 0;
};

struct Finalize {
    void operator()(sqlite3_stmt *s) const noexcept { sqlite3_finalize(s); }
};
// A prepared statement finalized on every path that drops it.
using PreparedSql = std::unique_ptr<sqlite3_stmt, Finalize>;

// A cached INSERT shape and what its parameters hold.
struct CachedInsert {
    PreparedSql stmt;
    std::vector<Held> held;  // by parameter: as many as the statement has
};

// The shape used last, one of a connection's cached INSERTs, with its
// table as written and which of its values are SYSDATE. One value,
// replaced whole: a row is never matched against half of two shapes.
struct LastShape {
    CachedInsert *insert = nullptr;
    std::string table;
    std::vector<char> sysdate;
    size_t sysdates = 0;  // how many of sysdate are set
};

// One open repository file and what is prepared on it.
struct Conn : Backend {
    ~Conn() override;
    NDL_BACKEND_CALLS
    sqlite3 *db = nullptr;
    std::string path;
    // A session committed a transaction here (the schema written at the
    // first logon is not one).
    bool committed = false;
    std::unordered_map<std::string, CachedInsert> inserts;  // by normalised INSERT text
    LastShape last;
    // The head of the last literal INSERT ("INSERT INTO t VALUES (") and
    // where its table is: rows of one table repeat it byte for byte.
    std::string last_head;
    size_t head_table_at = 0, head_table_len = 0;
    // Whether SQLite keeps a text bound SQLITE_STATIC where it lies, as it
    // does in a UTF-8 file (another encoding converts it into a copy);
    // -1 until asked.
    int texts_stay = -1;
    // Room reused from statement to statement.
    std::string insert_key;
    std::vector<Literal> literals;
    std::string unquoted;                   // a text with its '' pairs made single
    // The file's claim (claim.cpp): a repository this process created, to
    // which nothing was ever committed but its schema, is removed at close
    // when its use failed.
    int claim_fd = -1;                      // holds the shared flock
    bool created = false;                   // this process made the file
    // PRAGMA data_version, prepared when the file was opened (a new file
    // only) and read then: it changes when another connection commits.
    sqlite3_stmt *version = nullptr;
    long long opened_version = -1;
    // The schema was being written into the empty file under the write
    // lock and never committed: nobody else can have committed since.
    bool schema_unwritten = false;
    // The write-ahead log as the last transaction here left it (a file
    // this process created only): where data_version cannot be read, an
    // unchanged log says nobody else committed since.
    bool wal_noted = false;
    off_t wal_size = 0;
    struct timespec wal_mtime = {};
    // ROLLBACK, prepared when the file was opened: a rollback when memory
    // has run out needs no parser. A rollback that failed all the same
    // leaves its work pending: no commit may keep it.
    sqlite3_stmt *rollback = nullptr;
    bool rollback_pending = false;
    sqlite3_stmt *commit = nullptr;  // COMMIT, prepared beside ROLLBACK
    std::string settle_room;          // see make_settle_room
    // No session has begun here yet, or the last transaction was rolled
    // back (asked for, a commit that failed, a session never ended).
    bool failed = true;
    // The file is in the write-ahead log mode (settle.cpp reads its index).
    bool wal = false;
    // SQLite rolled the session's transaction back by itself after a
    // failure (of memory, the disk, a lock): the code of that failure.
    // Until the caller rolls back, every call fails at once, the commit
    // too: nothing of the load may run, or commit, outside its transaction.
    int lost = 0;
};

// Claims the file before SQLite opens it; notes the file as SQLite opened
// it; tells at close whether the file is to go (then held exclusive);
// releases the claim, removing the file and its companions when told to.
void claim_repository(Conn &c);
void note_opened(Conn &c);
// Prepares the data_version statement again after the connection's own
// schema change expired it; the value noted at open stands.
void renew_version(Conn &c);
// Notes the write-ahead log as a transaction of the connection left it.
void note_transaction_end(Conn &c);
bool unused_repository(Conn &c);
void release_claim(Conn &c, bool remove);

struct Server : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SERVER;
    explicit Server(Env *e) : Handle(kType, e) {}
    ~Server() override;
    std::unique_ptr<Backend> conn;
    bool attach_tried = false;
    std::string attach_error;  // why the attach failed, for the session begin
};

struct Session : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SESSION;
    explicit Session(Env *e) : Handle(kType, e) {}
    ~Session() override;
    // Kept; a file has no accounts, a server checks them at the logon.
    std::string user, password;
    Server *server = nullptr;    // set while active
    bool active = false;
};

struct SvcCtx : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SVCCTX;
    explicit SvcCtx(Env *e) : Handle(kType, e) {}
    Server *server = nullptr;    // checked against the registry before use
    Session *session = nullptr;
};

struct Define : Handle {
    static constexpr ub4 kType = OCI_HTYPE_DEFINE;
    Define() : Handle(kType, nullptr) {}
    Stmt *stmt = nullptr;
    ub4 pos = 0;
    void *buf = nullptr;
    sb4 size = 0;
    ub2 dty = 0;
};

// Deferred: executed with OCIX_DEFERRED, its result not yet asked for.
enum class Cursor { None, Deferred, Pending, Open, Done };

struct Stmt : Handle {
    static constexpr ub4 kType = OCI_HTYPE_STMT;
    explicit Stmt(Env *e) : Handle(kType, e) {}
    ~Stmt() override;
    std::string text;
    bool prepared = false;
    Backend *conn = nullptr;      // what holds state of this statement
    sqlite3_stmt *sql = nullptr;  // plain path only; cached INSERTs are never kept here
    // On a server: the rows of the query and the one the defines get.
    pg_result *rows = nullptr;
    int row = 0;
    // A deferred query on a server: its answer is still in the pipeline
    // (awaiting), or came as this error.
    bool awaiting = false;
    pg_result *failure = nullptr;
    bool query = false;
    Cursor cursor = Cursor::None;
    std::vector<Define *> defines;  // sorted by position
};

struct Lob : Handle {
    static constexpr ub4 kType = OCI_DTYPE_LOB;
    // Room for a load's log when the locator is made: a write within it
    // allocates nothing, so no line of it is lost for memory mid-load.
    static constexpr size_t kRoom = 64 * 1024;
    explicit Lob(Env *e) : Handle(kType, e) { data.reserve(kRoom); }
    std::string data;
};

struct Context : Handle {
    static constexpr ub4 kType = kHtypeContext;
    Context() : Handle(kType, nullptr) {}
    OCIEnv *envh = nullptr;
    OCISvcCtx *svch = nullptr;
    OCIError *errh = nullptr;
};

// ---- registry (registry.cpp) ----
// The live handle `p` of the type, or null: a freed, foreign or null
// pointer, or a live handle of another type.
Handle *lookup(const void *p, ub4 type);
template <class T> T *as(const void *p) { return static_cast<T *>(lookup(p, T::kType)); }
void enroll(Handle *h);
void unenroll(Handle *h);
// Frees a handle and, for an environment, everything allocated under it.
void destroy(Handle *h) noexcept;
// Closes, when the process that opened them exits, the repository files
// still open then. Called at each open; arranges it once.
void close_repositories_at_exit();

// ---- errors (registry.cpp) ----
void clear(Error *e);
sword fail(Error *e, sb4 code, std::string text);
sword fail_sql(Error *e, sqlite3 *db, std::string_view what);
// What joins SQLite's words when its failure was for want of memory, which
// they may not say ("disk I/O error"): " (out of memory)", else "".
const char *memory_note(int code);
sword info(Error *e, sb4 code, std::string text);
// What every call that ran out of memory leaves in its error handle; it
// fits a string's own room, so recording it allocates nothing.
constexpr char kOutOfMemory[] = "out of memory";
sword out_of_memory(Error *e) noexcept;
std::string format(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

// ---- faults (faults.cpp) ----
// CommitDrop: a server's connection is lost once COMMIT has gone out.
// OwnQuery: a query the SQLite layer makes for itself runs out of memory.
enum class Fault { Prepare, Define, Execute, Fetch, LobWrite, LobRead, LobLength,
                   SessionBegin, ExtprocEnv, Commit, Checkpoint, CommitDrop, OwnQuery, Context, Count };
#ifdef NDL_FAULT_HOOK
// Only the layer built for the tests can fail a call on purpose.
// Reads NDL_OCI_FAULT once per process.
void layer_init();
// 0 unless an armed fault of this kind fires now; then its status, with a
// message left in e.
sword fault_take(Fault kind, Error *e);
// Whether any kind is armed: calls skip fault_take while none is.
extern std::atomic<int> g_faults_armed;
inline bool faults_armed() { return g_faults_armed.load(std::memory_order_relaxed) != 0; }
// SQLite runs out of memory on `db` as it would when the heap is exhausted:
// a statement that needs room gets none. SQLite may roll the transaction
// back by itself; its error is the connection's. Returns its code.
int run_out_of_memory(sqlite3 *db);
#else
// The product's layer fails no call on purpose and reads no variable for it.
inline void layer_init() {}
constexpr sword fault_take(Fault, Error *) { return 0; }
constexpr bool faults_armed() { return false; }
inline int run_out_of_memory(sqlite3 *) { return SQLITE_NOMEM; }
#endif
// How long a server's answer may stay silent beyond the busy timeout: a
// statement waits out the lock timeout at most, and a minute more is far
// beyond what any of a load's takes (the schema, a table's COPY: seconds).
// The tests' layer takes NDL_OCI_QUIET_MARGIN_MS instead, so that a
// silent network is tried in seconds.
#ifdef NDL_FAULT_HOOK
int quiet_margin_ms();
#else
constexpr int quiet_margin_ms() { return 60000; }
#endif

// A step of a query the SQLite layer makes for itself; where its fault
// fires (at the query's first step), SQLite runs out of memory in its place.
inline int own_step(sqlite3_stmt *s) {
    if (faults_armed() && !sqlite3_stmt_busy(s) && fault_take(Fault::OwnQuery, nullptr))
        return run_out_of_memory(sqlite3_db_handle(s));
    return sqlite3_step(s);
}

// The frame of every call that reports into an error handle: handles that
// are not live give OCI_INVALID_HANDLE, an armed fault of the kind fires
// (Fault::Count: none), and an allocation failure becomes OCI_ERROR. The
// error record keeps the last failure until the next one: callers log a
// line (a LOB write on the same handle) before they read the error text.
// A live handle means OCIEnvInit has run, and with it layer_init, so the
// faults of NDL_OCI_FAULT are armed by the time the count is read.
template <class F> sword api_call(Error *e, bool handles_live, Fault kind, F &&body) {
    if (!e || !handles_live) return OCI_INVALID_HANDLE;
    try {
        if (kind != Fault::Count && faults_armed())
            if (sword f = fault_take(kind, e)) return f;
        return body();
    } catch (const std::bad_alloc &) {
        return out_of_memory(e);
    }
}

// ---- sessions (session.cpp) ----
// The repository of a logged-on service context, or null with a message.
Backend *session_conn(SvcCtx *svc, Error *e);
// Loads wait for each other this long (NDL_BUSY_TIMEOUT_MS), in ms.
int busy_timeout_ms();
const char *layout_name(int layout);

// ---- the server backend (postgres.cpp) ----
// Whether `name` names a repository on a server: postgresql://, postgres://
// or pg:DBNAME.
bool server_repository(std::string_view name);
// The server repository `name`, not yet connected (that is the logon's).
std::unique_ptr<Backend> open_server_repository(const std::string &name);

// ---- the define rules (statement.cpp) ----
// One value of a row, as a backend hands it to the defines.
struct Cell {
    // Unread: SQLite ran out of memory handing the value over.
    enum Kind { Null, Int, Real, Text, Unread } kind = Null;
    sqlite3_int64 i = 0;
    double r = 0;
    const char *text = nullptr;  // Text: `len` bytes, NUL-terminated
    size_t len = 0;
    // Where SQLite holds it: the text a refusal shows is SQLite's own.
    sqlite3_stmt *stmt = nullptr;
    int col = 0;
};
// Puts one value into its define; a text cut notes the first position cut.
sword define_value(Define *d, const Cell &v, Error *e, ub4 &cut);
// OCI_SUCCESS, or the note of the first text cut.
sword deliver_done(Error *e, ub4 cut);
// Copies a row into the defines of st: cell(col) gives column col (from 0).
template <class CellOf> sword deliver_cells(Stmt *st, Error *e, CellOf &&cell) {
    ub4 cut = 0;
    for (Define *d : st->defines)
        if (sword r = define_value(d, cell(static_cast<int>(d->pos - 1)), e, cut)) return r;
    return deliver_done(e, cut);
}
// Defines beyond the query's columns are refused before the first row.
sword check_define_positions(Stmt *st, Error *e, int ncol);
// A session's transaction opens at its first statement, with the write
// lock (waiting up to the busy timeout); OCI_SUCCESS or the error.
sword open_transaction(Conn *c, Error *e);
// After a call of the session that failed (STATUS OCI_ERROR, or THREW when
// an allocation failed): where SQLite rolled the transaction back, the
// session is lost, and the failure says so. Returns STATUS.
sword note_lost(Conn &c, Error *e, sword status, bool threw = false);
// The answer of every call of a lost session.
sword refuse_lost(const Conn &c, Error *e);
void release_sql(Stmt *st);

// ---- commits (settle.cpp) ----
// The log's index as a commit starts from it (read under the write lock).
struct CommitMark {
    bool known = false;
    uint32_t last_frame = 0, salt[2] = {};
};
// Room for the message of a commit whose outcome cannot be known, made at
// the logon (may throw std::bad_alloc).
void make_settle_room(Conn &c);
// Taken just before COMMIT; false, nothing changed, where the room for that
// message, given away by an earlier commit, cannot be made again.
bool mark_commit(Conn &c, CommitMark &mark) noexcept;
// After a COMMIT that failed, before the rollback: 1 when every reader now
// finds the transaction (the index counts it), 0 when none does yet, -1
// when the index cannot be read.
int commit_indexed(const Conn &c, const CommitMark &before);
// After the rollback of a COMMIT that failed with CODE and that the index
// does not count (INDEX_READ: it could be read): makes the transaction
// certainly absent where it can, and leaves in e what a reader finds.
void settle_commit(Conn &c, Error *e, int code, bool index_read) noexcept;

// ---- dialect (dialect.cpp) ----
extern const char kSysdateSql[];
std::string map_dialect(std::string_view text);
// A value the server's dialect takes out of a statement's text, to go to
// the server as a parameter: a quoted text (raw: between the quotes, quotes
// still doubled) or an integer of 32 bits (raw: its digits).
struct Param {
    std::string_view raw;
    bool text;
    bool doubled;  // text: raw holds '' pairs
};
// The same for the server: SYSDATE, DELETE's FROM, the word offset quoted,
// and a query of one table gets its rows in insertion order (by `order`).
// `tail` is set where a second statement begins, or npos. In a query or DML
// statement every literal becomes $1, $2... and its value goes to `params`
// (in order): no value of a file is ever read as SQL by the server.
std::string map_dialect_server(std::string_view text, const char *sysdate, const char *order, size_t &tail,
                               std::vector<Param> &params);

// Recognises "INSERT INTO t VALUES (literals)" in two steps: the head up to
// the "(" (the table as written; 0 when the text has another form), then
// the literals from there (false: use the plain path), with how many of
// them are SYSDATE.
size_t literal_insert_head(std::string_view text, std::string_view &table);
bool literal_insert_values(std::string_view text, size_t at, std::vector<Literal> &vals, size_t &sysdates);
// The normalised text of such an INSERT: the literals as parameters.
void literal_insert_key(std::string_view table, const std::vector<Literal> &vals, std::string &key);

// ---- schema texts (generated at build time) ----
extern const unsigned char kSchemaVersioned[];
extern const unsigned char kVersionIndexes[];
// The same, translated for the server.
extern const unsigned char kServerSchemaVersioned[];
extern const unsigned char kServerVersionIndexes[];
// The older, unversioned layout, derived from the versioned schema text.
std::string older_schema(std::string_view versioned);
// Gives a repository of the layout `schema` the indexes of that text it
// lacks (one made by an earlier build), and the version indexes when it
// holds several versions or networks; its rows stay as they are.
// A query of its own that failed fails it, with SQLite's error in e after
// WHERE; indexes the file cannot take now (busy, read-only) it goes without.
sword add_missing_indexes(sqlite3 *db, std::string_view schema, Error *e, std::string_view where);
// The tables whose rows count the versions and the networks, as the version
// indexes' text names them: the layer knows no table of the loader itself.
struct Deciders {
    std::string_view versions, networks;
};
const Deciders &deciders();
// After a row of one of those tables is stored: the version indexes,
// in the open transaction, once the repository holds a second version or
// network. A step that failed leaves its error in e (the statement that
// called for them fails with it) and undoes the indexes made.
sword add_version_indexes(sqlite3 *db, Error *e);

}  // namespace ndloci

#endif
