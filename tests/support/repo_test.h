// A fresh repository in a folder of its own, loads of NDL files through the
// host as the database calls the loader, and the stored rows read with SQL:
// the frame of every end-to-end test of the loader. With NDL_TEST_BACKEND=pg
// in the environment each fresh repository is a fresh database on the test
// server (pg_server.h), read through libpq, and dropped at the end.
#ifndef NDL_TESTS_SUPPORT_REPO_TEST_H
#define NDL_TESTS_SUPPORT_REPO_TEST_H

#include <dirent.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fault_hook.h"
#include "host.h"
#include "oci.h"
#include "pg_server.h"

// The whole content of a file, byte for byte.
inline std::string read_text(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The descriptors the process has open: a run must leave as many as it
// found. The tests' own kept server connections are not the run's.
inline int open_fds() {
    int n = 0;
    if (DIR *d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++n;
        closedir(d);
    }
    for (const auto &kept : pg_server_detail::connections()) n -= kept.second && PQsocket(kept.second) >= 0;
    return n;
}

// The backend this run's fresh repositories are on: the server with
// NDL_TEST_BACKEND=pg, or --ndl-backend=pg among the test's arguments (as
// ctest runs the suites' second registration).
inline bool on_server_backend() {
    static const bool server = [] {
        const char *b = std::getenv("NDL_TEST_BACKEND");
        if (b && std::string(b) == "pg") return true;
        std::string args = read_text("/proc/self/cmdline");
        return args.find(std::string("\0--ndl-backend=pg\0", 18)) != std::string::npos;
    }();
    return server;
}

// A repository name the layer takes for a server database.
inline bool is_server_repository(const std::string &name) {
    for (const char *p : {"postgresql://", "postgres://", "pg:"})
        if (name.rfind(p, 0) == 0) return true;
    return false;
}

// The name of the test that is running, for a database to be told by.
inline std::string current_test_name() {
    const ::testing::TestInfo *t = ::testing::UnitTest::GetInstance()->current_test_info();
    return t ? std::string(t->test_suite_name()) + "." + t->name() : "test";
}

// A new repository: the file NAME in DIR (which need not exist yet), or on
// the server a new, empty database.
inline std::string fresh_repository(const std::string &dir, const std::string &name = "repository.db") {
    return on_server_backend() ? pg_fresh_database(current_test_name()) : dir + "/" + name;
}

// A new server database holding what the database REPOSITORY holds (which
// nobody may be connected to): the copy a run starts from.
inline std::string server_copy(const std::string &repository) {
    using namespace pg_server_detail;
    static unsigned copies = 0;
    std::string name = dbname_of(repository) + "_c" + std::to_string(copies++);
    forget(dbname_of(repository));
    pg_run_sql(uri_for("postgres"), "DROP DATABASE IF EXISTS " + quote_ident(name));
    pg_run_sql(uri_for("postgres"),
               "CREATE DATABASE " + quote_ident(name) + " TEMPLATE " + quote_ident(dbname_of(repository)));
    return uri_for(name);
}

// A repository is there: its file, or on the server its schema.
inline bool repository_exists(const std::string &name);

// Gives back what fresh_repository made on the server; a file goes with
// its folder.
inline void drop_repository(const std::string &name) {
    if (is_server_repository(name)) pg_drop_database(name);
}

// The account a logon takes: on SQLite any, on the server the test
// server's own.
inline std::string account_user() {
    return on_server_backend() ? pg_server_detail::env("NDL_TEST_PG_USER") : "scott";
}
inline std::string account() {
    return on_server_backend() ? account_user() + "/" + pg_server_detail::env("NDL_TEST_PG_PASSWORD") : "scott/tiger";
}

// cfgload's login for REPOSITORY: the account and the connection id, a
// file's name in the working folder, or pg:DBNAME on the test server.
inline std::string login_for(const std::string &repository) {
    return account() + "/" +
           (is_server_repository(repository) ? "pg:" + pg_server_detail::dbname_of(repository)
                                             : std::filesystem::path(repository).filename().string());
}

// A test that only means something on SQLite (its file, -wal, PRAGMA, query
// plans) skips itself on the server, and the other way round.
#define SKIP_UNLESS_SQLITE()                                                      \
    do {                                                                          \
        if (on_server_backend()) GTEST_SKIP() << "only meaningful on SQLite";     \
    } while (0)
#define SKIP_UNLESS_SERVER()                                                          \
    do {                                                                              \
        if (!on_server_backend()) GTEST_SKIP() << "only meaningful on the server";    \
        if (!pg_server_available()) GTEST_SKIP() << "no test server (PGHOST, PGPORT)"; \
    } while (0)

// The server's own table and column (the layout, the
// insertion order that SQLite's rowid gives) start with this.
constexpr char kServerOwnPrefix[] = "ndl\\_%";

inline bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Replaces every whole word FROM in TEXT by TO.
inline std::string replace_word(std::string text, const std::string &from, const std::string &to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos;) {
        bool whole = (at == 0 || !is_word_char(text[at - 1])) &&
                     (at + from.size() == text.size() || !is_word_char(text[at + from.size()]));
        if (!whole) {
            at += from.size();
            continue;
        }
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// The columns of TABLE that the loader wrote, in their order, quoted for a
// select list.
inline std::string server_columns(const std::string &db, const std::string &table) {
    std::string list;
    for (const std::string &c : pg_query_rows(db, "SELECT column_name FROM information_schema.columns WHERE "
                                                  "table_schema = current_schema() AND table_name = lower('" +
                                                      table + "') AND column_name NOT LIKE '" + kServerOwnPrefix +
                                                      "' ORDER BY ordinal_position"))
        list += (list.empty() ? "\"" : ", \"") + c + "\"";
    return list.empty() ? "*" : list;
}

// The tests' SQL as the server takes it: the schema's tables as SQLite lists
// them, rowid as the insertion order, and "*" of a table without the
// server's own column.
inline std::string server_query(const std::string &db, std::string query) {
    query = replace_word(query, "sqlite_master",
                         std::string("(SELECT table_name AS name, 'table' AS type FROM information_schema.tables "
                                     "WHERE table_schema = current_schema() AND table_type = 'BASE TABLE' AND "
                                     "table_name NOT LIKE '") +
                             kServerOwnPrefix + "') AS sqlite_master");
    query = replace_word(query, "rowid", "ndl_seq");
    // "*" of "SELECT * FROM T" or "SELECT 'T', * FROM T".
    const std::string star = "* FROM ";
    for (size_t at = 0; (at = query.find(star, at)) != std::string::npos;) {
        size_t name = at + star.size(), end = name;
        bool listed = at >= 2 && query[at - 1] == ' ' &&
                      (query[at - 2] == ',' || (at >= 7 && query.compare(at - 7, 6, "SELECT") == 0));
        if (!listed) {
            at = name;
            continue;
        }
        bool quoted = name < query.size() && query[name] == '"';
        end += quoted;
        while (end < query.size() && is_word_char(query[end])) ++end;
        std::string columns = server_columns(db, query.substr(name + quoted, end - name - quoted));
        query.replace(at, 1, columns);
        at += columns.size() + star.size();
    }
    return query;
}

// Rows of a query on the repository `db` (a file, which must exist, or a
// server database), columns joined by "|", NULL shown as <null>.
inline std::vector<std::string> query_rows(const std::string &db, const std::string &query) {
    if (is_server_repository(db)) return pg_query_rows(db, server_query(db, query));
    std::vector<std::string> out;
    sqlite3 *h = nullptr;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(h, query.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char *t = sqlite3_column_text(st, c);
                row += (c ? "|" : "") + std::string(t ? reinterpret_cast<const char *>(t) : "<null>");
            }
            out.push_back(row);
        }
    } else {
        ADD_FAILURE() << "query failed: " << query << ": " << (h ? sqlite3_errmsg(h) : "");
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    return out;
}

// The repository's tables, by name.
inline std::vector<std::string> repository_tables(const std::string &db) {
    return query_rows(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
}

// The rows of each query of QUERIES on the server database DB, over one
// connection (a dump would otherwise connect once per table).
inline std::vector<std::vector<std::string>> server_rows(const std::string &db,
                                                         const std::vector<std::string> &queries) {
    std::vector<std::vector<std::string>> out;
    PGconn *c = pg_server_detail::shared(db);
    if (!c) return out;
    for (const std::string &q : queries) {
        std::vector<std::string> &rows = out.emplace_back();
        PGresult *r = PQexec(c, q.c_str());
        if (PQresultStatus(r) != PGRES_TUPLES_OK) ADD_FAILURE() << "query failed: " << q << ": " << PQerrorMessage(c);
        for (int i = 0; PQresultStatus(r) == PGRES_TUPLES_OK && i < PQntuples(r); ++i) {
            std::string row;
            for (int j = 0; j < PQnfields(r); ++j)
                row += (j ? "|" : "") + std::string(PQgetisnull(r, i, j) ? "<null>" : PQgetvalue(r, i, j));
            rows.push_back(row);
        }
        PQclear(r);
    }
    return out;
}

// Every row of every table of the repository `db`, table by table (names
// in lower case, as both backends hold them), rows sorted, or in the order
// they were inserted: two dumps are equal when the stored data is.
inline std::string repository_dump(const std::string &db, bool insertion_order = false) {
    if (is_server_repository(db)) {
        // Each table with the columns the loader wrote, in one query.
        std::vector<std::string> tables = server_rows(
            db, {std::string("SELECT table_name, string_agg(quote_ident(column_name::text), ', ' ORDER BY "
                             "ordinal_position) FROM information_schema.columns WHERE table_schema = current_schema() "
                             "AND table_name NOT LIKE '") +
                    kServerOwnPrefix + "' AND column_name NOT LIKE '" + kServerOwnPrefix +
                    "' GROUP BY table_name ORDER BY table_name"})[0];
        std::vector<std::string> queries;
        for (const std::string &t : tables) {
            size_t bar = t.find('|');
            queries.push_back("SELECT " + t.substr(bar + 1) + " FROM " + t.substr(0, bar) +
                              (insertion_order ? " ORDER BY ndl_seq" : ""));
        }
        std::vector<std::vector<std::string>> rows = server_rows(db, queries);
        std::string dump;
        for (size_t i = 0; i < tables.size() && i < rows.size(); ++i) {
            if (!insertion_order) std::sort(rows[i].begin(), rows[i].end());
            dump += "== " + tables[i].substr(0, tables[i].find('|')) + "\n";
            for (const std::string &row : rows[i]) dump += row + "\n";
        }
        return dump;
    }
    // By their names in lower case, as the server sorts them.
    std::vector<std::pair<std::string, std::string>> tables;
    for (const std::string &table : repository_tables(db)) {
        std::string lower = table;
        for (char &c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        tables.emplace_back(lower, table);
    }
    std::sort(tables.begin(), tables.end());
    std::string dump;
    for (const auto &[lower, table] : tables) {
        dump += "== " + lower + "\n";
        std::vector<std::string> rows =
            query_rows(db, "SELECT * FROM " + table + (insertion_order ? " ORDER BY rowid" : ""));
        if (!insertion_order) std::sort(rows.begin(), rows.end());
        for (const std::string &row : rows) dump += row + "\n";
    }
    return dump;
}

// What the repository holds, to tell that a run left it as it was: the
// file's bytes, or on the server every row in the order stored.
inline std::string repository_state(const std::string &db) {
    return is_server_repository(db) ? repository_dump(db, true) : read_text(db);
}

// The columns of TABLE in their order (on the server without its own), and
// whether each holds numbers.
struct TableColumn {
    std::string name;
    bool number = false;
};
inline std::vector<TableColumn> table_columns(const std::string &db, const std::string &table) {
    std::vector<TableColumn> out;
    std::vector<std::string> found =
        is_server_repository(db)
            ? pg_query_rows(db, "SELECT column_name, data_type IN ('bigint', 'integer') FROM information_schema.columns "
                                "WHERE table_schema = current_schema() AND table_name = lower('" + table +
                                    "') AND column_name NOT LIKE '" + kServerOwnPrefix + "' ORDER BY ordinal_position")
            : query_rows(db, "SELECT name, type LIKE 'NUMBER%' FROM pragma_table_info('" + table + "') ORDER BY cid");
    for (const std::string &row : found) {
        size_t bar = row.rfind('|');
        out.push_back({row.substr(0, bar), row.substr(bar + 1) == "1" || row.substr(bar + 1) == "t"});
    }
    return out;
}

// Every column of every row of TABLE, TAIL (a WHERE, an ORDER BY) after it:
// a row dump, for a check that rows stayed as they were, not what they hold.
inline std::vector<std::string> table_dump(const std::string &db, const std::string &table,
                                           const std::string &tail = "") {
    return query_rows(db, "SELECT * FROM " + table + (tail.empty() ? "" : " " + tail));
}

// TABLE's columns by name in their order, those in LEAVE left out: the
// select list of rows compared with rows (one version's with another's),
// each name quoted (the server reserves "offset").
inline std::string select_list(const std::string &db, const std::string &table,
                               std::initializer_list<std::string> leave = {}) {
    std::string list;
    for (const TableColumn &c : table_columns(db, table))
        if (std::find(leave.begin(), leave.end(), c.name) == leave.end())
            list += (list.empty() ? "\"" : ", \"") + c.name + "\"";
    return list;
}

inline bool repository_exists(const std::string &name) {
    return is_server_repository(name) ? !repository_tables(name).empty() : std::filesystem::exists(name);
}

// A date stored by SYSDATE differs from run to run and between backends:
// each becomes "<time>", seconds or fractions after it too (a scan:
// std::regex takes most of a run's time).
inline std::string mask_dates(const std::string &dump) {
    static constexpr char kShape[] = "dddd-dd-dd dd:dd:dd";
    constexpr size_t kLen = sizeof kShape - 1;
    std::string out;
    size_t i = 0;
    while (i < dump.size()) {
        bool stamp = i + kLen <= dump.size();
        for (size_t k = 0; stamp && k < kLen; ++k)
            stamp = kShape[k] == 'd' ? std::isdigit(static_cast<unsigned char>(dump[i + k])) != 0
                                     : dump[i + k] == kShape[k];
        if (!stamp) {
            out += dump[i++];
            continue;
        }
        out += "<time>";
        i += kLen;
        if (i < dump.size() && dump[i] == '.')
            for (++i; i < dump.size() && std::isdigit(static_cast<unsigned char>(dump[i]));) ++i;
    }
    return out;
}

inline void run_sql(const std::string &db, const std::string &text) {
    if (is_server_repository(db)) return pg_run_sql(db, text);
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    char *err = nullptr;
    EXPECT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, &err), SQLITE_OK) << text << ": " << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(h);
}

// A reader holding a transaction open on the repository after QUERY, as a
// designer's query tool may: loads must neither wait for it nor fail.
class HeldReader {
public:
    HeldReader(const std::string &db, const std::string &query) {
        const std::string begin = "BEGIN; " + query;
        if (is_server_repository(db)) {
            pg_ = pg_server_detail::connect(db);
            PGresult *r = pg_ ? PQexec(pg_, begin.c_str()) : nullptr;
            ok_ = r && PQresultStatus(r) == PGRES_TUPLES_OK;
            PQclear(r);
        } else {
            ok_ = sqlite3_open(db.c_str(), &lite_) == SQLITE_OK &&
                  sqlite3_exec(lite_, begin.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        }
    }
    ~HeldReader() {
        if (pg_) PQclear(PQexec(pg_, "COMMIT"));
        PQfinish(pg_);
        if (lite_) sqlite3_exec(lite_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(lite_);
    }
    HeldReader(const HeldReader &) = delete;
    HeldReader &operator=(const HeldReader &) = delete;
    bool ok() const { return ok_; }

private:
    sqlite3 *lite_ = nullptr;
    PGconn *pg_ = nullptr;
    bool ok_ = false;
};

// Gives the repository of session S its schema: SQLite makes it at the
// logon, the server with the first statement (in the transaction that the
// session's end commits).
inline bool make_schema(extproc::Session &s) {
    const extproc::Session::Handles &h = s.handles();
    OCIStmt *st = nullptr;
    const char query[] = "SELECT count(*) FROM networks";
    bool ok = OCIHandleAlloc(h.env, reinterpret_cast<dvoid **>(&st), OCI_HTYPE_STMT, 0, nullptr) == OCI_SUCCESS &&
              OCIStmtPrepare(st, h.err, reinterpret_cast<const text *>(query), sizeof query - 1, OCI_NTV_SYNTAX,
                             OCI_DEFAULT) == OCI_SUCCESS &&
              OCIStmtExecute(h.svc, st, h.err, 0, 0, nullptr, nullptr, OCI_DEFAULT) == OCI_SUCCESS;
    if (st) OCIHandleFree(st, OCI_HTYPE_STMT);
    return ok;
}

class RepoTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        if (on_server_backend() && !pg_server_available()) GTEST_SKIP() << "no test server (PGHOST, PGPORT)";
        db = fresh_repository(dir);
        ASSERT_FALSE(db.empty());
        extproc::Session s(db);
        ASSERT_TRUE(s.ok()) << s.error();
        ASSERT_TRUE(make_schema(s));
    }
    void TearDown() override {
        clear_faults();
        if (!db.empty() && !HasFailure() && !IsSkipped()) keep_stored_rows();
        drop_repository(db);
        std::filesystem::remove_all(dir);
    }

    // What a passing test stored, in insertion order, as a file under
    // NDL_TEST_ROWS for the comparison of the two backends. A test whose
    // rows differ from run to run (loads racing) says so.
    void keep_stored_rows() const {
#ifdef NDL_TEST_ROWS
        if (!compare_rows) return;
        std::string name = current_test_name(), to = std::string(NDL_TEST_ROWS) + (on_server_backend() ? "/pg" : "/sqlite");
        for (char &c : name)
            if (c == '/') c = '_';
        std::filesystem::create_directories(to);
        std::ofstream(to + "/" + name, std::ios::binary) << rows_only(mask_dates(repository_dump(db, true)));
#endif
    }

    // A dump without its empty tables: a server database that no load
    // committed to has no tables yet, where a SQLite file has them empty.
    static std::string rows_only(const std::string &dump) {
        std::string out, header;
        for (size_t at = 0; at < dump.size();) {
            size_t end = dump.find('\n', at);
            end = end == std::string::npos ? dump.size() : end + 1;
            std::string line = dump.substr(at, end - at);
            at = end;
            if (line.rfind("== ", 0) == 0) {
                header = line;
                continue;
            }
            out += header + line;
            header.clear();
        }
        return out;
    }

    // NDL_parsefile on FILES of the folder REPOSITORY, in a session of its
    // own; the log lands in `log`. `fault` arms an OCI fault after the logon.
    extproc::CallResult parse(const std::string &repository, const std::string &files,
                              const std::string &mode = "", const char *fault = nullptr, int nth = 0) {
        // Without its repository (a skipped or failed set-up) a session
        // would open the default one in the working folder.
        if (db.empty()) {
            ADD_FAILURE() << "no repository: the fixture's set-up did not make one";
            return {};
        }
        extproc::Session s(db);
        EXPECT_TRUE(s.ok()) << s.error();
        if (fault) inject_fault(fault, nth, OCI_ERROR);
        extproc::CallResult r = s.call("cfgproc", "NDL_parsefile", {repository, files, mode});
        clear_faults();
        EXPECT_TRUE(r.called) << r.error;
        log.clear();
        if (const extproc::OutValue *out = r.out("log")) log = out->value;
        return r;
    }

    // Each load into a repository of its own: the old one goes, a new
    // empty one takes its place.
    void renew_repository() {
        if (is_server_repository(db)) {
            drop_repository(db);
            db = fresh_repository(dir);
            return;
        }
        for (const char *end : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(db + end);
    }

    std::vector<std::string> rows(const std::string &query) const { return query_rows(db, query); }
    std::vector<std::string> dump_rows(const std::string &table, const std::string &tail = "") const {
        return table_dump(db, table, tail);
    }
    void sql(const std::string &text) const { run_sql(db, text); }
    // Writes `text` as the file `name` of the test's folder.
    void write_file(const std::string &name, const std::string &text) const { std::ofstream(dir + "/" + name) << text; }

    std::string dir, db, log;
    bool compare_rows = true;
};

#endif
