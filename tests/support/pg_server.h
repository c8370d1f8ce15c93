// The tests' PostgreSQL server: the private cluster that
// scripts/pg-cluster.sh starts names itself through the environment
// (PGHOST, PGPORT, NDL_TEST_PG_USER, NDL_TEST_PG_PASSWORD). Each test takes
// a database of its own and reads it as query_rows reads a SQLite file.
#pragma once

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace pg_server_detail {

inline std::string env(const char *name) {
    const char *v = std::getenv(name);
    return v ? v : "";
}

// Percent-encodes everything but the characters a URI keeps as they are.
inline std::string uri_encode(const std::string &s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

inline std::string uri_for(const std::string &dbname) {
    return "postgresql://" + uri_encode(env("NDL_TEST_PG_USER")) + ":" + uri_encode(env("NDL_TEST_PG_PASSWORD")) +
           "@/" + uri_encode(dbname) + "?host=" + uri_encode(env("PGHOST")) + "&port=" + uri_encode(env("PGPORT"));
}

// A connection to `repository`: a libpq URI, or pg:DBNAME on the test server
// with the test account.
inline PGconn *connect(const std::string &repository) {
    std::string conninfo = repository.rfind("pg:", 0) == 0 ? uri_for(repository.substr(3)) : repository;
    PGconn *c = PQconnectdb(conninfo.c_str());
    if (PQstatus(c) != CONNECTION_OK) {
        ADD_FAILURE() << "cannot connect to the test server: " << PQerrorMessage(c);
        PQfinish(c);
        return nullptr;
    }
    PQclear(PQexec(c, "SET client_min_messages = warning"));
    return c;
}

// The database a repository name names.
inline std::string dbname_of(const std::string &repository) {
    if (repository.rfind("pg:", 0) == 0) return repository.substr(3);
    char *err = nullptr;
    PQconninfoOption *opts = PQconninfoParse(repository.c_str(), &err);
    PQfreemem(err);
    std::string name;
    for (PQconninfoOption *o = opts; o && o->keyword; ++o)
        if (std::string(o->keyword) == "dbname" && o->val) name = o->val;
    PQconninfoFree(opts);
    return name;
}

// One connection per repository, kept for the process: a connection costs
// the server a process and an authentication, and a dump reads every
// table. Nothing here leaves a transaction open, so no load waits for it.
struct Kept : std::map<std::string, PGconn *> {
    ~Kept() {
        for (auto &kept : *this) PQfinish(kept.second);
    }
};
inline Kept &connections() {
    static Kept open;
    return open;
}

inline PGconn *shared(const std::string &repository) {
    PGconn *&c = connections()[repository];
    if (c && PQstatus(c) != CONNECTION_OK) {
        PQfinish(c);
        c = nullptr;
    }
    if (!c) c = connect(repository);
    return c;
}

// Closes the shared connections to the database NAME, which is to be
// dropped or copied: nobody may be connected to it then.
inline void forget(const std::string &name) {
    for (auto &[repository, c] : connections())
        if (c && dbname_of(repository) == name) {
            PQfinish(c);
            c = nullptr;
        }
}

inline std::string quote_ident(const std::string &s) {
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace pg_server_detail

// True when a test server is named: tests that need one skip without it.
inline bool pg_server_available() {
    using pg_server_detail::env;
    return !env("PGHOST").empty() && !env("PGPORT").empty() && !env("NDL_TEST_PG_USER").empty() &&
           !env("NDL_TEST_PG_PASSWORD").empty();
}

// A new, empty database on the test server; returns its repository name
// (a postgresql:// URI with the test account). `hint` becomes part of the
// database's name, to tell in the server's log which test made it.
inline std::string pg_fresh_database(const std::string &hint) {
    using namespace pg_server_detail;
    static std::atomic<unsigned> counter{0};
    std::string tag;
    for (char c : hint) {
        if (tag.size() >= 32) break;
        tag += isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(tolower(static_cast<unsigned char>(c))) : '_';
    }
    std::string name = "ndl_" + tag + "_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    PGconn *c = shared(uri_for("postgres"));
    if (!c) return "";
    PQclear(PQexec(c, ("DROP DATABASE IF EXISTS " + quote_ident(name)).c_str()));
    PGresult *r = PQexec(c, ("CREATE DATABASE " + quote_ident(name) + " TEMPLATE template0").c_str());
    if (PQresultStatus(r) != PGRES_COMMAND_OK) ADD_FAILURE() << "CREATE DATABASE " << name << ": " << PQerrorMessage(c);
    PQclear(r);
    return uri_for(name);
}

// Every row `sql` returns from `repository`, columns joined by "|", NULL as
// <null>: as query_rows does for a SQLite file.
inline std::vector<std::string> pg_query_rows(const std::string &repository, const std::string &sql) {
    std::vector<std::string> out;
    PGconn *c = pg_server_detail::shared(repository);
    if (!c) return out;
    PGresult *r = PQexec(c, sql.c_str());
    if (PQresultStatus(r) == PGRES_TUPLES_OK) {
        for (int i = 0; i < PQntuples(r); ++i) {
            std::string row;
            for (int j = 0; j < PQnfields(r); ++j)
                row += (j ? "|" : "") + std::string(PQgetisnull(r, i, j) ? "<null>" : PQgetvalue(r, i, j));
            out.push_back(row);
        }
    } else {
        ADD_FAILURE() << "query failed: " << sql << ": " << PQerrorMessage(c);
    }
    PQclear(r);
    return out;
}

// Runs `sql` (one or more statements) on `repository`, committed.
inline void pg_run_sql(const std::string &repository, const std::string &sql) {
    PGconn *c = pg_server_detail::shared(repository);
    if (!c) return;
    PGresult *r = PQexec(c, sql.c_str());
    ExecStatusType st = PQresultStatus(r);
    EXPECT_TRUE(st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) << sql << ": " << PQerrorMessage(c);
    PQclear(r);
}

// Drops the database `repository` names, ending any session still on it.
inline void pg_drop_database(const std::string &repository) {
    using namespace pg_server_detail;
    std::string name = dbname_of(repository);
    if (name.empty()) return;
    forget(name);
    PGconn *c = shared(uri_for("postgres"));
    if (!c) return;
    PQclear(PQexec(c, ("DROP DATABASE IF EXISTS " + quote_ident(name) + " WITH (FORCE)").c_str()));
}
