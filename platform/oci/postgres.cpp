// The repository on a PostgreSQL server, for a team that shares one from
// many machines: the logon is the server's account, loads wait for each
// other under an advisory lock, rows go to the server by COPY, and a commit
// whose answer was lost is settled on a new connection.
#include "oci_internal.h"

#include <dlfcn.h>
#include <libpq-fe.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
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
    X(PQbackendPID) X(PQclear) X(PQcmdStatus) X(PQconnectdbParams) X(PQconninfo) X(PQconninfoFree)          \
    X(PQconsumeInput) X(PQerrorMessage) X(PQfinish) X(PQgetResult) X(PQgetisnull) X(PQgetlength)           \
    X(PQgetvalue) X(PQisBusy) X(PQnfields) X(PQntuples)                                                      \
    X(PQputCopyData) X(PQputCopyEnd) X(PQresultErrorField) X(PQresultErrorMessage) X(PQresultStatus)        \
    X(PQsendPrepare) X(PQsendQuery) X(PQsendQueryParams) X(PQsendQueryPrepared) X(PQsocket) X(PQstatus)        \
    X(PQparameterStatus) X(PQenterPipelineMode) X(PQexitPipelineMode) X(PQpipelineSync) X(PQtransactionStatus)
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
// lock ends with the transaction, committed or not. The transaction's id
// comes with the lock, at no cost of its own: a commit whose answer was
// lost is looked up by it.
constexpr char kBeginLocked[] =
    "BEGIN ISOLATION LEVEL READ COMMITTED; "
    "SELECT pg_advisory_xact_lock(hashtext('ndl repository ' || current_schema())), txid_current()";

// What the layer keeps beside the loader's tables: the layout, and NVL for
// the three ways the statements call it (COALESCE cannot take a number and
// a text).
const char kOwnObjects[] =
    "CREATE TABLE ndl_layout (layout integer NOT NULL);\n"
    "CREATE FUNCTION nvl(a text, b text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a, b)';\n"
    "CREATE FUNCTION nvl(a bigint, b text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a::text, b)';\n"
    "CREATE FUNCTION nvl(a bigint, b bigint) RETURNS bigint LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(a, b)';\n";

// Every table of the loader's schema gets the order column as its last,
// written into its CREATE TABLE (on a line of its own: the last column's
// line may end in a comment). Added by ALTER TABLE afterwards instead, the
// 106 tables took 2.5 s against 1.5 s (psql, the same text, one transaction,
// alternating runs on a loaded machine), with the same columns.
std::string with_order_column(std::string_view schema) {
    std::string out;
    out.reserve(schema.size() + 64 * 128);
    size_t from = 0;
    for (size_t at = schema.find("CREATE TABLE "); at != std::string_view::npos;
         at = schema.find("CREATE TABLE ", from)) {
        size_t end = schema.find("\n);", at);
        if (end == std::string_view::npos) break;
        out.append(schema.substr(from, end - from));
        out += "\n  , ndl_seq bigint GENERATED ALWAYS AS IDENTITY";
        from = end;
    }
    out.append(schema.substr(from));
    return out;
}

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
// Whether an allocation of libpq's failed in its parser since the last wait
// began (PQgetResult parses too). In pipeline mode a message it could not
// parse for memory may be gone for good: the sync it waits for never comes.
thread_local bool t_parse_memory = false;

Wait wait_ready(PGconn *c, int quiet_limit_ms) {
    long last = now_ms();
    int short_rounds = 0;
    // Rounds without a byte since a parse failed for memory.
    int still_rounds = 0;
    bool parse_memory = t_parse_memory;
    t_parse_memory = false;
    for (;;) {
        // A failed malloc says ENOMEM; libpq's parser keeps quiet about it.
        errno = 0;
        if (!PQisBusy(c)) return Wait::Ready;
        bool memory = errno == ENOMEM;
        parse_memory = parse_memory || memory;
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
        still_rounds = ready > 0 ? 0 : still_rounds + 1;
        if (short_rounds >= kMemoryRounds || (parse_memory && still_rounds >= kMemoryRounds)) return Wait::Memory;
        if (now_ms() - last > quiet_limit_ms) return Wait::Silent;
    }
}

// libpq's next result, or null when it has none or the wait gave up (`how`
// says which).
PGresult *next_result(PGconn *c, int quiet_limit_ms, Wait &how) {
    how = wait_ready(c, quiet_limit_ms);
    if (how != Wait::Ready) return nullptr;
    errno = 0;
    PGresult *r = PQgetResult(c);
    if (errno == ENOMEM) t_parse_memory = true;
    return r;
}

// The last result of what was sent, or its COPY's; null when the wait
// gave up.
PGresult *last_result(PGconn *c, int quiet_limit_ms, Wait &how) {
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

// PQexec without its wait: the last result of the text, or its COPY's;
// null when the text could not be sent (libpq's memory, a lost connection)
// or the wait gave up.
PGresult *exec(PGconn *c, const char *sql, int quiet_limit_ms, Wait &how) {
    how = Wait::Ready;
    if (!c || PQsendQuery(c, sql) != 1) return nullptr;
    return last_result(c, quiet_limit_ms, how);
}

// A value's text as the server takes it, NUL-terminated: a quoted text
// with its '' pairs made single (it holds no NUL: the statement is refused
// before).
void param_value(const Param &p, std::string &out) {
    if (!p.doubled) {
        out.append(p.raw);
    } else {
        for (size_t i = 0; i < p.raw.size(); ++i) {
            out += p.raw[i];
            if (p.raw[i] == '\'' && i + 1 < p.raw.size() && p.raw[i + 1] == '\'') ++i;
        }
    }
    out += '\0';
}

// Shapes kept in one session at most; a session that sends more (texts
// that differ beyond their values) runs the others unprepared.
constexpr size_t kShapesKept = 1000;


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

// Where a repository name holds a password, in every form libpq takes it
// from the name (after "pg:" too): a URI's user info, a URI's password=
// parameter, a keyword/value password=. `f(secret, cut)`: the password's
// own characters, and what a shown name leaves out with them. Allocates
// nothing: the programs call it on their argument vector.
struct Span {
    size_t begin, end;
};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Whether a URI parameter's name, percent-decoded as libpq reads it, is
// "password".
bool names_password(std::string_view key) {
    constexpr std::string_view kPassword = "password";
    size_t n = 0;
    for (size_t i = 0; i < key.size(); ++i, ++n) {
        char c = key[i];
        if (c == '%' && i + 2 < key.size() && hex_digit(key[i + 1]) >= 0 && hex_digit(key[i + 2]) >= 0) {
            c = static_cast<char>(hex_digit(key[i + 1]) * 16 + hex_digit(key[i + 2]));
            i += 2;
        }
        if (n >= kPassword.size() || c != kPassword[n]) return false;
    }
    return n == kPassword.size();
}

template <class F> void for_each_secret(std::string_view name, F &&f) {
    size_t base = name.rfind("pg:", 0) == 0 ? 3 : 0;
    std::string_view s = name.substr(base);
    size_t scheme = s.rfind("postgresql://", 0) == 0 ? 13 : s.rfind("postgres://", 0) == 0 ? 11 : 0;
    if (scheme) {
        // libpq's user info ends at the first "@" before any "/".
        size_t p = scheme;
        while (p < s.size() && s[p] != '@' && s[p] != '/') ++p;
        size_t host = scheme;
        if (p < s.size() && s[p] == '@') {
            size_t colon = s.find(':', scheme);
            if (colon < p) f(Span{base + colon + 1, base + p}, Span{base + colon, base + p});
            host = p + 1;
        }
        size_t q = s.find('?', host);
        while (q != std::string_view::npos && q < s.size()) {
            size_t start = q + 1, amp = s.find('&', start);
            size_t stop = amp == std::string_view::npos ? s.size() : amp;
            size_t eq = s.find('=', start);
            if (eq < stop && names_password(s.substr(start, eq - start))) {
                // The parameter goes with the "&" after it, or the last one
                // with the one before it.
                Span cut = amp != std::string_view::npos ? Span{start, amp + 1} : Span{q, stop};
                f(Span{base + eq + 1, base + stop}, Span{base + cut.begin, base + cut.end});
            }
            q = amp;
        }
        return;
    }
    if (s.find('=') == std::string_view::npos) return;  // a plain database name
    // keyword = value, values quoted or with backslash escapes.
    size_t p = 0;
    while (p < s.size()) {
        while (p < s.size() && is_space(s[p])) ++p;
        size_t key = p;
        while (p < s.size() && s[p] != '=' && !is_space(s[p])) ++p;
        std::string_view keyword = s.substr(key, p - key);
        while (p < s.size() && is_space(s[p])) ++p;
        if (p >= s.size() || s[p] != '=') return;  // libpq refuses the rest
        ++p;
        while (p < s.size() && is_space(s[p])) ++p;
        size_t value = p;
        if (p < s.size() && s[p] == '\'') {
            for (++p; p < s.size() && s[p] != '\''; ++p)
                if (s[p] == '\\' && p + 1 < s.size()) ++p;
            if (p < s.size()) ++p;
        } else {
            for (; p < s.size() && !is_space(s[p]); ++p)
                if (s[p] == '\\' && p + 1 < s.size()) ++p;
        }
        if (keyword == "password") {
            size_t stop = p;
            while (stop < s.size() && is_space(s[stop])) ++stop;
            f(Span{base + value, base + p}, Span{base + key, base + stop});
        }
    }
}

// A repository name fit to be shown: every password is left out.
std::string shown_name(const std::string &name) {
    std::string out;
    size_t from = 0;
    for_each_secret(name, [&](Span, Span cut) {
        out.append(name, from, cut.begin - from);
        from = cut.end;
    });
    out.append(name, from, std::string::npos);
    while (!out.empty() && is_space(out.back())) out.pop_back();
    return out;
}

// `text` with every occurrence of `secret` masked.
void mask(std::string &text, std::string_view secret) {
    if (secret.empty()) return;
    for (size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at + 3))
        text.replace(at, secret.size(), "***");
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

// `text` without the passwords of the repository's name: libpq quotes
// what it could not read of a name ("invalid URI query parameter", ...).
void hide_secrets(std::string &text, const std::string &name) {
    for_each_secret(name, [&](Span secret, Span) {
        std::string_view whole = std::string_view(name).substr(secret.begin, secret.end - secret.begin), raw = whole;
        std::string plain;  // unquoted, unescaped, percent-decoded: as libpq may echo it
        if (raw.size() >= 2 && raw.front() == '\'' && raw.back() == '\'') raw = raw.substr(1, raw.size() - 2);
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) {
                plain += raw[++i];
            } else if (raw[i] == '%' && i + 2 < raw.size() && hex_digit(raw[i + 1]) >= 0 &&
                       hex_digit(raw[i + 2]) >= 0) {
                plain += static_cast<char>(hex_digit(raw[i + 1]) * 16 + hex_digit(raw[i + 2]));
                i += 2;
            } else {
                plain += raw[i];
            }
        }
        mask(text, whole);
        mask(text, raw);
        mask(text, plain);
    });
}

// The schema that the repository's name sets with libpq's options
// ("-c search_path=team", read as the server reads them), or "public": the
// first of its path that is not "$user", whose schema anyone with CREATE on
// the database may make.
std::string named_schema(const char *options) {
    std::vector<std::string> words(1);
    for (const char *p = options ? options : ""; *p; ++p) {
        if (is_space(*p)) {
            if (!words.back().empty()) words.emplace_back();
        } else {
            if (*p == '\\' && p[1]) ++p;
            words.back() += *p;
        }
    }
    std::string path;
    bool found = false;
    for (size_t i = 0; i < words.size(); ++i) {
        std::string w = words[i];
        if (w == "-c" && i + 1 < words.size())
            w = words[++i];
        else if (w.rfind("-c", 0) == 0)
            w = w.substr(2);
        else if (w.rfind("--", 0) == 0)
            w = w.substr(2);
        else
            continue;
        size_t eq = w.find('=');
        if (eq == std::string::npos) continue;
        std::string key = w.substr(0, eq);
        for (char &c : key) c = c == '-' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (key != "search_path") continue;
        path = w.substr(eq + 1);
        found = true;
    }
    if (!found) return "public";
    // The path's names: quoted ones as written, others in lower case.
    for (size_t p = 0; p < path.size();) {
        while (p < path.size() && (is_space(path[p]) || path[p] == ',')) ++p;
        std::string one;
        if (p < path.size() && path[p] == '"') {
            for (++p; p < path.size(); ++p) {
                if (path[p] == '"') {
                    if (p + 1 < path.size() && path[p + 1] == '"') {
                        one += '"';
                        ++p;
                        continue;
                    }
                    ++p;
                    break;
                }
                one += path[p];
            }
        } else {
            while (p < path.size() && path[p] != ',' && !is_space(path[p]))
                one += static_cast<char>(std::tolower(static_cast<unsigned char>(path[p++])));
        }
        while (p < path.size() && path[p] != ',') ++p;
        if (!one.empty() && one != "$user") return one;
    }
    return "public";
}

std::string quoted_name(const std::string &name) {
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The client's own time zone, as the C library reads it (TZ, else the zone
// file /etc/localtime links to, else /etc/timezone), so that SYSDATE is the
// designer's local time on both backends. A zone the zone files lack (a
// rule such as "JST-9") goes as the offset the C library finds now.
std::string client_time_zone() {
    std::string zone;
    if (const char *tz = std::getenv("TZ")) {
        zone = tz[0] == ':' ? tz + 1 : tz;
        if (zone.empty()) zone = "UTC";  // the C library's reading of an empty TZ
    } else {
        char link[512];
        ssize_t n = readlink("/etc/localtime", link, sizeof link - 1);
        if (n > 0) {
            zone.assign(link, static_cast<size_t>(n));
        } else if (FILE *f = std::fopen("/etc/timezone", "re")) {
            if (std::fgets(link, sizeof link, f)) zone = trimmed(link);
            std::fclose(f);
        }
    }
    size_t files = zone.find("zoneinfo/");
    if (files != std::string::npos) zone.erase(0, files + 9);
    bool plain = !zone.empty() && zone.find("..") == std::string::npos && zone[0] != '/';
    for (char c : zone)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("/_+-.", c));
    const char *dir = std::getenv("TZDIR");
    std::string file = std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/" + zone;
    if (plain && access(file.c_str(), R_OK) == 0) return "SET TIME ZONE '" + zone + "'";
    time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    long minutes = local.tm_gmtoff / 60;
    return format("SET TIME ZONE INTERVAL '%c%02ld:%02ld' HOUR TO MINUTE", minutes < 0 ? '-' : '+',
                  std::labs(minutes) / 60, std::labs(minutes) % 60);
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
    sword defer(Stmt *st, Error *e) override;
    sword resolve(Stmt *st, Error *e) override;
    bool answers_together() const override { return true; }
    sword sync(Error *e) override {
        if (sword s = collect(e)) return s;
        return end_copy(e);
    }
    int letters() const override { return held; }
    sword text_encoding(int encoding, Error *e) override;
    sword agree_encoding(Error *e);

    PGconn *connect();
    PGresult *run_text(const char *sql) { return exec(pg, sql, quiet_ms, waited); }
    bool send_prepared(const std::string &sql);
    sword collect(Error *e, PGresult **last = nullptr);
    bool discard();
    bool read_columns(Error *e, sword &status);
    sword server_error(Error *e, const PGresult *r, std::string_view what);
    sword lost(Error *e);
    sword read_layout(Error *e, bool &found);
    sword open_transaction(Error *e);
    sword run(Stmt *st, Error *e, ub4 iters);
    // Refuses a call on a session that has lost its server.
    sword ended(Error *e) {
        return fail(e, kErrLogon, format("the session with the server repository \"%s\" has ended", shown.c_str()));
    }
    struct Refusal {
        sb4 code = 0;
        const char *why = nullptr;
    };
    Refusal server_text(const Stmt *st, std::string &sql, std::string &head, bool &query);
    bool copy_row(std::string_view table, Error *e, sword &status);
    sword end_copy(Error *e);
    sword settle(bool memory, Error *e);
    // WAITING_STAY: deferred queries still waiting keep asking for their result.
    void end_cursors(bool waiting_stay = false);
    void roll_back();

    std::string name, shown;
    std::string dbname;  // what libpq takes for the name: connecting allocates none of ours
    std::string user, password;
    // What every connection of the session takes at its start: TCP
    // keepalives, so that each side lets go of a dead peer, and, once the
    // logon has pinned it, the repository's schema.
    std::string keepalive_idle, keepalive_interval, pinned_options;
    bool external = false;
    int layout = OCIX_LAYOUT_VERSIONED;
    PGconn *pg = nullptr;
    int quiet_ms = quiet_margin_ms();  // how long libpq may stay busy with no byte coming
    Wait waited = Wait::Ready;         // how the last wait for a result ended
    // The session has lost its server (a dropped connection, libpq out of
    // memory): nothing more runs, and its transaction is gone.
    bool broken = false;
    // A transaction the lost session took with it: a later commit of it
    // fails, never says it stored what the server rolled back.
    bool lost_work = false;
    bool in_transaction = false;
    bool needs_schema = false;  // an empty database: the first load makes it
    // The question whether the open transaction committed, by its id, made
    // when it began: a commit whose answer was lost asks it, allocating
    // nothing. Empty when the id is not known.
    char ask[48] = "";
    // The last statement was a literal INSERT into this table, run alone;
    // the rows after it go by COPY.
    std::string last_insert;
    std::string copy_table;  // the table a COPY is open for, or empty
    std::string copy_buf;
    long copy_rows = 0;
    std::unordered_map<std::string, std::string> columns;  // COPY's column list, by table
    bool columns_read = false;                             // of every table, at the first COPY
    std::vector<Literal> literals;
    // The values of the statement being run, as parameters, and the
    // statement shapes this session has used: the names of those prepared
    // (empty until a second use), by their text and their parameters'
    // types. A name is never given twice.
    std::vector<Param> params;
    std::string param_text, shape_key;
    std::vector<const char *> param_values;
    std::vector<Oid> param_types;
    std::unordered_map<std::string, std::string> shapes;
    unsigned long shapes_named = 0;
    // Statements go to the server in libpq's pipeline mode: sent without
    // waiting, their results read together behind one sync. `pending`
    // holds, in order, one entry per result still to come. Deferred
    // queries share a pipeline with nothing else: a failure among them is
    // each one's own, and the server skips those after it, which then run
    // again alone when their result is asked for.
    struct Pending {
        std::string *shape = nullptr;  // the name of a shape whose PREPARE this answers (cleared where it failed)
        Stmt *query = nullptr;         // the deferred query this answers, while it waits
        bool deferred = false;         // sent for a deferred query
    };
    bool piped = false;
    std::vector<Pending> pending;
    size_t deferred = 0;  // deferred queries in the pipeline
    int held = OCIX_LETTERS_BYTES;  // what the database keeps of the letters
    int texts = OCIX_TEXT_UTF8;     // how the caller's texts are written
    // The client_encoding in force, null when unknown: one set inside a
    // transaction goes with its rollback.
    const char *applied = nullptr;
    bool applied_in_transaction = false;
};

// Sends `sql` with the values of `params` into the pipeline, its shape
// prepared once in the session; false when libpq could not take it (its
// memory, a lost connection). A text goes with no type, as a quoted literal
// does, and takes the type its place gives it; an integer goes as the
// integer a literal of its digits is.
bool PgRepo::send_prepared(const std::string &sql) {
    constexpr Oid kInt4 = 23;
    param_text.clear();
    shape_key.assign(sql).push_back('\0');
    param_types.clear();
    for (const Param &p : params) {
        param_value(p, param_text);
        param_types.push_back(p.text ? 0 : kInt4);
        shape_key += p.text ? 't' : 'i';
    }
    param_values.clear();
    for (const char *v = param_text.data(); param_values.size() < params.size(); v += std::strlen(v) + 1)
        param_values.push_back(v);
    const int n = static_cast<int>(params.size());
    // Room for the entries first: what libpq has taken is always counted.
    if (pending.capacity() < pending.size() + 2) pending.reserve(2 * pending.size() + 8);
    if (!pg || (!piped && PQenterPipelineMode(pg) != 1)) return false;
    piped = true;
    // A shape's first use runs unprepared, in one round trip as a prepared
    // one does: most of a load's statements other than its rows (a DELETE
    // per table) come once. Its second use prepares it, in the same trip.
    auto it = shapes.find(shape_key);
    if (it == shapes.end()) {
        if (shapes.size() < kShapesKept) shapes.emplace(shape_key, std::string());
        if (PQsendQueryParams(pg, sql.c_str(), n, param_types.data(), param_values.data(), nullptr, nullptr, 0) != 1)
            return false;
        pending.push_back(Pending{});
        return true;
    }
    if (it->second.empty()) {
        std::string name = format("ndl_%lu", ++shapes_named);
        if (PQsendPrepare(pg, name.c_str(), sql.c_str(), n, param_types.data()) != 1) return false;
        it->second.swap(name);
        pending.push_back(Pending{&it->second});
    }
    if (PQsendQueryPrepared(pg, it->second.c_str(), n, param_values.data(), nullptr, nullptr, 0) != 1) return false;
    pending.push_back(Pending{});
    return true;
}

// A failure libpq made itself for want of memory (the server's own carry a
// SQLSTATE). Its parser may then have dropped a message, the pipeline's sync
// among them, and would wait for it until the server gave up on us.
bool libpq_out_of_memory(const PGresult *r) {
    if (PQresultErrorField(r, PG_DIAG_SQLSTATE)) return false;
    const char *m = PQresultErrorMessage(r);
    return m && std::strstr(m, "out of memory");
}

// Reads the results of everything sent into the pipeline, behind one sync,
// and leaves pipeline mode. The first statement that failed is reported
// (those after it the server skipped); LAST, when given, gets the result of
// the last statement sent. A lost connection or libpq's memory ends the
// session. Allocates nothing of ours until it reports.
sword PgRepo::collect(Error *e, PGresult **last) {
    if (last) *last = nullptr;
    if (!piped) return OCI_SUCCESS;
    waited = Wait::Ready;
    if (PQpipelineSync(pg) != 1) return lost(e);
    Result failed;
    size_t item = 0;
    for (;;) {
        PGresult *r = next_result(pg, quiet_ms, waited);
        if (!r) {
            // Each statement's results end with a null; one beyond them
            // all, or a wait that gave up, means the sync's never comes.
            if (waited != Wait::Ready || PQstatus(pg) == CONNECTION_BAD || item > pending.size()) return lost(e);
            ++item;
            continue;
        }
        ExecStatusType s = PQresultStatus(r);
        if (s == PGRES_PIPELINE_SYNC) {
            PQclear(r);
            break;
        }
        if (s == PGRES_FATAL_ERROR && libpq_out_of_memory(r)) {
            PQclear(r);
            if (last) PQclear(*last), *last = nullptr;
            return lost(e);  // says memory: the connection is still up
        }
        bool ok = s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
        Pending *p = item < pending.size() ? &pending[item] : nullptr;
        if (!ok && p && p->shape) p->shape->clear();  // not prepared after all
        if (p && p->deferred) {
            // Kept for the query it answers; a PREPARE's answer, or a
            // query skipped behind a failure, leaves nothing.
            Stmt *q = p->query && p->query->awaiting ? p->query : nullptr;  // not ended since
            if (q && s == PGRES_TUPLES_OK && !q->rows) {
                q->rows = r;
            } else if (q && s == PGRES_FATAL_ERROR && !q->failure) {
                q->failure = r;
            } else {
                PQclear(r);
            }
        } else if (s == PGRES_FATAL_ERROR && !failed.r) {
            failed.reset(r);
        } else if (last && ok && item + 1 == pending.size() && !*last) {
            *last = r;
        } else {
            PQclear(r);
        }
        if (PQstatus(pg) == CONNECTION_BAD) break;
    }
    Result kept(last ? *last : nullptr);
    // Deferred queries still waiting then hear the session's end.
    if (PQstatus(pg) == CONNECTION_BAD || PQexitPipelineMode(pg) != 1) return lost(e);
    for (Pending &p : pending)
        if (p.query) p.query->awaiting = false;
    pending.clear();
    deferred = 0;
    piped = false;
    if (failed.r) return server_error(e, failed.r, "");
    if (last) *last = kept.release();
    return OCI_SUCCESS;
}

// The pipeline's results thrown away, for a rollback; false when they
// cannot be read. Allocates nothing of ours.
bool PgRepo::discard() {
    if (!piped) return true;
    bool ok = PQpipelineSync(pg) == 1;
    size_t item = 0;
    while (ok) {
        PGresult *r = next_result(pg, quiet_ms, waited);
        if (!r) {
            ok = waited == Wait::Ready && PQstatus(pg) != CONNECTION_BAD && item++ <= pending.size();
            continue;
        }
        bool synced = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
        bool memory = PQresultStatus(r) == PGRES_FATAL_ERROR && libpq_out_of_memory(r);
        PQclear(r);
        if (synced) break;
        if (memory) ok = false;
        ok = PQstatus(pg) != CONNECTION_BAD;
    }
    for (Pending &p : pending) {
        if (p.shape) p.shape->clear();
        if (p.query) p.query->awaiting = false;
    }
    pending.clear();
    deferred = 0;
    piped = false;
    return ok && PQexitPipelineMode(pg) == 1;
}

PGconn *PgRepo::connect() {
    // The keepalives before the name, which may set its own; the login's
    // account and the pinned schema after it, so that they hold.
    const char *keys[12], *vals[12];
    int n = 0;
    keys[n] = "keepalives", vals[n++] = "1";
    keys[n] = "keepalives_idle", vals[n++] = keepalive_idle.c_str();
    keys[n] = "keepalives_interval", vals[n++] = keepalive_interval.c_str();
    keys[n] = "keepalives_count", vals[n++] = "3";
    keys[n] = "dbname", vals[n++] = dbname.c_str();
    if (!external && !user.empty()) keys[n] = "user", vals[n++] = user.c_str();
    if (!external && !password.empty()) keys[n] = "password", vals[n++] = password.c_str();
    if (!pinned_options.empty()) keys[n] = "options", vals[n++] = pinned_options.c_str();
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
    // A COPY left open (memory ran out while its rows were made) is ended
    // first, and any answer still unread taken: else the connection would
    // refuse the ROLLBACK, and with it the session's next load.
    if (!piped && PQtransactionStatus(pg) == PQTRANS_ACTIVE) {
        PQputCopyEnd(pg, "the transaction is rolled back");
        while (PGresult *r = next_result(pg, quiet_ms, waited)) PQclear(r);
    }
    if (discard()) {
        Result r(run_text("ROLLBACK"));
        if (r.status() == PGRES_COMMAND_OK) return;
    }
    PQfinish(pg);
    pg = nullptr;
    broken = true;
}

void PgRepo::end_cursors(bool waiting_stay) {
    for (Stmt *st : users) {
        Cursor after = waiting_stay && st->awaiting ? Cursor::Deferred : Cursor::None;
        PQclear(st->rows);
        st->rows = nullptr;
        PQclear(st->failure);
        st->failure = nullptr;
        st->awaiting = false;
        st->cursor = after;
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
            why = format("the server sent nothing for %d ms; the server rolls the transaction back by itself, and "
                         "frees the repository's lock, within %d ms of the network's going silent",
                         quiet_ms, quiet_ms);
    } catch (const std::bad_alloc &) {
    }
    if (why.empty()) why = kOutOfMemory;  // fits the string's own room
    bool memory = why.find("out of memory") != std::string::npos;
    // Deferred queries still waiting are answered with the session's end.
    end_cursors(true);
    PQfinish(pg);
    pg = nullptr;
    broken = true;
    piped = false;
    pending.clear();
    deferred = 0;
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
    if (libpq_out_of_memory(r)) return lost(e);
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
    if (broken) return ended(e);
    user = ses.user;
    password = ses.password;
    external = ext;
    layout = expected;
    busy_ms = busy_timeout_ms();
    quiet_ms = busy_ms + quiet_margin_ms();
    // A peer gone silent is given up within the quiet limit: after half of
    // it, three probes in the other half.
    keepalive_idle = std::to_string(std::max(1, quiet_ms / 2000));
    keepalive_interval = std::to_string(std::max(1, quiet_ms / 6000));
    pinned_options.clear();
    if (const char *why = libpq_missing())
        return fail(e, kErrLogon, format("cannot log on to the repository \"%s\": %s", shown.c_str(), why));
    PQfinish(pg);
    shapes.clear();  // prepared on the session that ended
    piped = false;
    pending.clear();
    deferred = 0;
    errno = 0;
    pg = connect();
    if (!pg) return out_of_memory(e);
    if (PQstatus(pg) != CONNECTION_OK) {
        // A failed malloc says ENOMEM; libpq's words may not ("could not
        // calculate client proof").
        bool memory = errno == ENOMEM;
        std::string why = logon_reason(pg);
        hide_secrets(why, name);
        if (memory && why.find("out of memory") == std::string::npos) why += " (out of memory)";
        PQfinish(pg);
        pg = nullptr;
        return fail(e, kErrLogon, format("cannot log on to the repository \"%s\": %s", shown.c_str(), why.c_str()));
    }
    // The session pinned in one round trip, whatever the database's or the
    // role's defaults: literals read as written, the repository's schema
    // alone on the path, the client's zone for SYSDATE, dates in one style,
    // and a transaction the server drops when this client has gone silent.
    std::string options;
    {
        auto free_info = [](PQconninfoOption *o) { PQconninfoFree(o); };
        std::unique_ptr<PQconninfoOption, decltype(free_info)> info(PQconninfo(pg), free_info);
        if (!info) {  // libpq's memory: the name's schema cannot be read
            PQfinish(pg);
            pg = nullptr;
            return out_of_memory(e);
        }
        for (PQconninfoOption *o = info.get(); o->keyword; ++o)
            if (std::strcmp(o->keyword, "options") == 0 && o->val) options = o->val;
    }
    std::string schema = quoted_name(named_schema(options.c_str()));
    // The encoding the layer's texts go to the server in: the caller's
    // texts are UTF-8 until it says otherwise.
    held = letters_of(PQparameterStatus(pg, "server_encoding"));
    texts = OCIX_TEXT_UTF8;
    const char *encoding = client_encoding(held, texts);
    std::string setup =
        format("SET client_min_messages = warning; SET lock_timeout = %d; "
               "SET default_transaction_isolation = 'read committed'; SET standard_conforming_strings = on; "
               "SET client_encoding = '%s'; SET DateStyle = 'ISO, YMD'; %s; "
               "SET idle_in_transaction_session_timeout = %d; SET tcp_keepalives_idle = %s; "
               "SET tcp_keepalives_interval = %s; SET tcp_keepalives_count = 3; SET search_path = %s; "
               "SELECT current_schema()",
               busy_ms, encoding, client_time_zone().c_str(), quiet_ms, keepalive_idle.c_str(),
               keepalive_interval.c_str(), schema.c_str());
    Result r(run_text(setup.c_str()));
    if (r.status() != PGRES_TUPLES_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    applied = encoding;
    applied_in_transaction = false;
    if (PQgetisnull(r.r, 0, 0)) {
        PQfinish(pg);
        pg = nullptr;
        return fail(e, kErrLogon,
                    format("cannot use the repository \"%s\": its schema %s does not exist (a name sets another "
                           "with libpq's options, -c search_path=SCHEMA)", shown.c_str(), schema.c_str()));
    }
    // A new connection of the session (a commit's outcome asked for) reads
    // the same schema; a backslash keeps the options' words together.
    pinned_options = options.empty() ? "-c search_path=" : options + " -c search_path=";
    for (char c : schema) {
        if (is_space(c) || c == '\\') pinned_options += '\\';
        pinned_options += c;
    }
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
    const char *id = PQnfields(r.r) == 2 && PQntuples(r.r) == 1 ? PQgetvalue(r.r, 0, 1) : "";
    bool digits = *id && std::strlen(id) < 21 && std::strspn(id, "0123456789") == std::strlen(id);
    if (digits)
        std::snprintf(ask, sizeof ask, "SELECT txid_status(%s)", id);
    else
        ask[0] = '\0';
    if (!needs_schema) return OCI_SUCCESS;
    bool found = false;
    sword s = read_layout(e, found);
    if (!s && !found) {
        std::string_view versioned = reinterpret_cast<const char *>(kServerSchemaVersioned);
        std::string schema = with_order_column(layout == OCIX_LAYOUT_VERSIONED ? std::string(versioned)
                                                                               : older_schema(versioned));
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

// The column lists of every table of the repository's schema, in one
// round trip: asked table by table, the 87 tables of a 1 MB load took 87
// round trips and 9 ms of the server's statement time. False with STATUS
// set when the query failed.
bool PgRepo::read_columns(Error *e, sword &status) {
    Result r(run_text("SELECT c.relname, string_agg(quote_ident(a.attname), ',' ORDER BY a.attnum) "
                      "FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
                      "JOIN pg_namespace n ON n.oid = c.relnamespace "
                      "WHERE n.nspname = current_schema() AND c.relkind = 'r' "
                      "AND a.attnum > 0 AND NOT a.attisdropped AND a.attname <> 'ndl_seq' GROUP BY c.relname"));
    if (r.status() != PGRES_TUPLES_OK) {
        status = server_error(e, r.r, "");
        return false;
    }
    columns.clear();
    for (int i = 0; i < PQntuples(r.r); ++i) columns.emplace(PQgetvalue(r.r, i, 0), PQgetvalue(r.r, i, 1));
    columns_read = true;
    return true;
}

// A literal INSERT that follows another into the same table joins its
// table's COPY. False: it runs alone.
bool PgRepo::copy_row(std::string_view table, Error *e, sword &status) {
    std::string key = lower(table);
    if (copy_table != key) {
        if (lower(last_insert) != key || !table_word(table)) return false;
        if (sword s = collect(e)) {
            status = s;
            return true;
        }
        if (!columns_read && !read_columns(e, status)) return true;
        auto it = columns.find(key);
        if (it == columns.end()) return false;
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
        // Runs of plain characters go whole: one append per run. One per
        // character took the 1 MB reload's execute calls 2.6 M instructions
        // more, of 100.9 M (callgrind, the client).
        std::string_view raw = lit.raw;
        for (size_t i = 0; i < raw.size();) {
            size_t at = raw.find_first_of(lit.doubled ? "\\\t\n\r'" : "\\\t\n\r", i);
            if (at == std::string_view::npos) at = raw.size();
            copy_buf.append(raw.substr(i, at - i));
            if (at == raw.size()) break;
            char c = raw[at];
            switch (c) {
            case '\\': copy_buf += "\\\\"; break;
            case '\t': copy_buf += "\\t"; break;
            case '\n': copy_buf += "\\n"; break;
            case '\r': copy_buf += "\\r"; break;
            default: copy_buf += c; at += lit.doubled;  // '' stands for one quote
            }
            i = at + 1;
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
    if (sword s = collect(e)) return s;
    if (sword s = end_copy(e)) return s;
    Result r(run_text(format("SET client_encoding = '%s'", want).c_str()));
    if (r.status() != PGRES_COMMAND_OK) return server_error(e, r.r, format("cannot use the repository \"%s\"", shown.c_str()));
    applied = want;
    applied_in_transaction = in_transaction;
    return OCI_SUCCESS;
}

sword PgRepo::text_encoding(int encoding, Error *e) {
    if (broken || !pg) return ended(e);
    texts = encoding;
    // Outside a transaction it waits for the next one to begin.
    return in_transaction ? agree_encoding(e) : OCI_SUCCESS;
}

// The statement's text for the server, its values in `params`, its first
// word (lower case) and whether it is a query; or why the server cannot
// take it as written.
PgRepo::Refusal PgRepo::server_text(const Stmt *st, std::string &sql, std::string &head, bool &query) {
    size_t tail = 0;
    sql = map_dialect_server(st->text, kSysdate, kOrderColumn, tail, params);
    if (tail != std::string_view::npos) return {kErrUsage, "one statement per text: text follows the first statement"};
    for (const Param &p : params)
        if (p.raw.find('\0') != std::string_view::npos)
            return {kErrServer, "a text value holds a NUL byte, which the server cannot store"};
    size_t first = sql.find_first_not_of(" \t\n\r\f");
    if (first == std::string::npos) return {kErrUsage, "the statement text is empty"};
    head = lower(std::string_view(sql).substr(first, 6));
    query = head == "select" || head.rfind("with", 0) == 0;
    return {};
}

sword PgRepo::run(Stmt *st, Error *e, ub4 iters) {
    // A statement refused here comes after those still in the pipeline:
    // a failure among them is reported first, as it would have been.
    auto refuse = [&](sb4 code, const char *why) {
        if (sword s = collect(e)) return s;
        return fail(e, code, why);
    };
    std::string sql, head;
    bool query = false;
    if (Refusal no = server_text(st, sql, head, query); no.why) return refuse(no.code, no.why);
    if (!query && iters == 0) return refuse(kErrUsage, "a statement that is not a query needs one iteration");
    // Deferred queries are answered first: their pipeline holds nothing else.
    if (deferred)
        if (sword s = collect(e)) return s;
    if (!send_prepared(sql)) return lost(e);
    // A DELETE's result waits in the pipeline for the statement after it:
    // the writers follow a table's DELETE with its rows or its ocix_sync,
    // under the same table's label, so a failure is still reported as that
    // table's. Anything else is answered before the call returns (a
    // writer's last statement may be followed by another table's).
    if (!query && head == "delete") return OCI_SUCCESS;
    PGresult *last = nullptr;
    if (sword s = collect(e, &last)) return s;
    Result r(last);
    if (r.status() == PGRES_COMMAND_OK) return OCI_SUCCESS;
    if (r.status() != PGRES_TUPLES_OK) return server_error(e, r.r, "");
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
    if (broken || !pg) return ended(e);
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

sword PgRepo::defer(Stmt *st, Error *e) {
    if (broken || !pg) return ended(e);
    release(st);
    if (sword s = open_transaction(e)) return s;
    if (sword s = end_copy(e)) return s;
    last_insert.clear();
    // Whatever else is on its way is answered first, so that its failure
    // is reported now, as it would have been.
    if (!deferred)
        if (sword s = collect(e)) return s;
    std::string sql, head;
    bool query = false;
    // What would be refused, or runs as no query, does so at its result,
    // as it would have at its execute.
    if (server_text(st, sql, head, query).why || !query) {
        st->cursor = Cursor::Deferred;
        return OCI_SUCCESS;
    }
    // Listed before it is sent: a session that ends clears what it holds.
    users.insert(st);
    st->conn = this;
    st->query = true;
    size_t from = pending.size();
    if (!send_prepared(sql)) return lost(e);
    for (size_t i = from; i < pending.size(); ++i) pending[i].deferred = true;
    pending.back().query = st;
    st->awaiting = true;
    st->cursor = Cursor::Deferred;
    ++deferred;
    return OCI_SUCCESS;
}

sword PgRepo::resolve(Stmt *st, Error *e) {
    if (broken || !pg) return ended(e);
    if (st->awaiting)
        if (sword s = collect(e)) return s;
    if (st->failure) {
        Result r(st->failure);
        st->failure = nullptr;
        return server_error(e, r.r, "");
    }
    // Skipped behind another's failure, or refused before it was sent:
    // run alone now, as it would have run at its execute.
    if (!st->rows) {
        if (sword s = open_transaction(e)) return s;
        if (sword s = end_copy(e)) return s;
        return run(st, e, 0);
    }
    st->row = 0;
    if (sword s = check_define_positions(st, e, PQnfields(st->rows))) return s;
    st->cursor = PQntuples(st->rows) > 0 ? Cursor::Pending : Cursor::Done;
    return OCI_SUCCESS;
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

// The fault of a COMMIT whose answer is lost: the answer is waited for (a
// while), thrown away, and the connection cut, so that the server has
// committed and the layer never heard it.
void lose_answer(int fd) {
    pollfd p{fd, POLLIN, 0};
    poll(&p, 1, 5000);
    char sink[512];
    while (recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0) {
    }
    shutdown(fd, SHUT_RDWR);
}

// What a commit whose answer was lost says, by why it was lost (the
// connection, or libpq's memory) and what new connections found.
enum Settled { RolledBack, Unknown, ReadBack, kSettledKinds };
#define NDL_LOST_WHY_CONNECTION "the connection to the server was lost"
#define NDL_LOST_WHY_MEMORY "out of memory"
#define NDL_LOST_COMMIT(why)                                                                                     \
    {"COMMIT failed, the transaction was rolled back: " why " before it committed",                              \
     "COMMIT's outcome is unknown: " why ", and no new connection within the busy timeout (NDL_BUSY_TIMEOUT_MS) " \
     "could tell whether the transaction committed, so " OCIX_COMMIT_UNKNOWN " yet: once the server answers "     \
     "again, the repository's rows show whether it was",                                                          \
     "COMMIT's answer was lost (" why ") and read back on a new connection: the transaction committed"}
constexpr const char *kLostCommit[2][kSettledKinds] = {NDL_LOST_COMMIT(NDL_LOST_WHY_CONNECTION),
                                                       NDL_LOST_COMMIT(NDL_LOST_WHY_MEMORY)};
#undef NDL_LOST_COMMIT
#undef NDL_LOST_WHY_CONNECTION
#undef NDL_LOST_WHY_MEMORY
// Room enough for the longest of them.
constexpr size_t lost_commit_room() {
    size_t most = 0;
    for (const auto &why : kLostCommit)
        for (const char *text : why) most = std::max(most, std::char_traits<char>::length(text) + 1);
    return most;
}
// A new connection is tried this often while the server is away.
constexpr int kSettlePauseMs = 100;

// Whether the transaction committed, asked on new connections for up to the
// busy timeout: a server restarting comes back within it, and an old
// session still ending its COMMIT (waiting for a standby, or for the
// server to notice it lost us) answers "in progress" until it is done.
// Runs after COMMIT went out, so it allocates none of ours: the question
// was written when the transaction began, the error's room before COMMIT.
sword PgRepo::settle(bool memory, Error *e) {
    Settled outcome = Unknown;
    long deadline = now_ms() + busy_ms;
    while (ask[0]) {
        PGconn *c = connect();
        if (c && PQstatus(c) == CONNECTION_OK) {
            Wait how = Wait::Ready;
            // The answer is a moment's work: waited for no longer than the
            // settling lasts, or a second.
            int quiet = static_cast<int>(std::max(deadline - now_ms(), 1000L));
            PGresult *r = exec(c, ask, quiet, how);
            if (PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1 && !PQgetisnull(r, 0, 0)) {
                const char *status = PQgetvalue(r, 0, 0);
                if (std::strcmp(status, "committed") == 0)
                    outcome = ReadBack;
                else if (std::strcmp(status, "aborted") == 0)
                    outcome = RolledBack;
            }
            PQclear(r);
        }
        PQfinish(c);
        if (outcome != Unknown || now_ms() >= deadline) break;
        poll(nullptr, 0, static_cast<int>(std::min<long>(kSettlePauseMs, std::max(deadline - now_ms(), 1L))));
    }
    e->text.assign(kLostCommit[memory][outcome]);
    if (outcome == ReadBack) {
        e->code = kErrCommitReadBack;
        return OCI_SUCCESS_WITH_INFO;
    }
    e->code = outcome == Unknown ? kErrCommitUnknown : kErrServer;
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
    sword status = OCI_SUCCESS;
    try {
        status = collect(e);
        if (!status) status = end_copy(e);
        if (!status) status = fault_take(Fault::Commit, e);
        // Once COMMIT has gone out nothing of ours allocates: the room of
        // a lost answer's message is made now.
        if (!status) e->text.reserve(lost_commit_room());
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
    bool sent = PQsendQuery(pg, "COMMIT") == 1;
    if (sent && fault_take(Fault::CommitDrop, nullptr)) lose_answer(PQsocket(pg));
    // COMMIT's result. An error the server sent has its SQLSTATE; one of
    // libpq's own (its memory) has none, and says nothing of what the
    // server did.
    PGresult *answer = nullptr;
    int got = 0;
    bool local = !sent;
    Wait how = Wait::Ready;
    while (PGresult *r = sent ? next_result(pg, quiet_ms, how) : nullptr) {
        if (PQresultStatus(r) != PGRES_COMMAND_OK && !PQresultErrorField(r, PG_DIAG_SQLSTATE)) local = true;
        if (got++ == 0)
            answer = r;
        else
            PQclear(r);
    }
    // A wait that gave up heard no whole answer.
    bool connected = PQstatus(pg) == CONNECTION_OK && how == Wait::Ready;
    if (connected && !local && got == 1) {
        // COMMIT of a transaction that an earlier statement failed answers
        // ROLLBACK.
        bool committed = PQresultStatus(answer) == PGRES_COMMAND_OK && std::strcmp(PQcmdStatus(answer), "COMMIT") == 0;
        if (committed) {
            PQclear(answer);
            applied_in_transaction = false;
            return OCI_SUCCESS;
        }
        // The server answered: it rolled the transaction back.
        status = PQresultStatus(answer) == PGRES_COMMAND_OK
                     ? fail(e, kErrServer, "a statement of the transaction had failed")
                     : server_error(e, answer, "");
        PQclear(answer);
        roll_back();
        e->text = "COMMIT failed, the transaction was rolled back: " + e->text;
        return status;
    }
    PQclear(answer);
    // No answer: what a reader now sees decides. libpq's memory failed
    // where it stays connected, or where its parse gave up for it.
    bool memory = how == Wait::Memory || connected;
    PQfinish(pg);
    pg = nullptr;
    broken = true;
    return settle(memory, e);
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
    PQclear(st->failure);
    st->failure = nullptr;
    // An answer still to come goes to nobody.
    if (st->awaiting)
        for (Pending &p : pending)
            if (p.query == st) p.query = nullptr;
    st->awaiting = false;
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

extern "C" void ocix_hide_password(char *name) {
    if (!name || !ndloci::server_repository(name)) return;
    ndloci::for_each_secret(name, [name](ndloci::Span secret, ndloci::Span) {
        std::memset(name + secret.begin, 'x', secret.end - secret.begin);
    });
}
