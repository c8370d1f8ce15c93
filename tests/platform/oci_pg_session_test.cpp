// A server session as the logon pins it, whatever the database's defaults:
// its schema (never one another role made for the loading user), literals,
// dates and zone; no password in any message or in the process list; and a
// transaction the server drops by itself when the network goes silent.
#include "oci_pg_client.h"
#include "run_program.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

const std::string kExtproc = std::string(NDL_BIN_DIR) + "/extproc";
const std::string kExamples = NDL_EXAMPLES;

std::string env(const char *name) { return std::getenv(name) ? std::getenv(name) : ""; }

// A load of the sample network into REPO, in MODE.
ProgramRun load(const std::string &repo, const std::string &mode = "", std::vector<std::string> vars = {}) {
    std::vector<std::string> args{"--repository", repo, "parse", "--dir", kExamples, "--files", "network.ndl"};
    if (!mode.empty()) args.insert(args.end(), {"--mode", mode});
    return run_program(kExtproc, args, Stdout::Captured, std::move(vars));
}

// The same database through 127.0.0.1:PORT, with the test account.
std::string over_tcp(const std::string &repo, int port) {
    std::string db = pg_server_detail::dbname_of(repo);
    return "postgresql://" + env("NDL_TEST_PG_USER") + ":" + env("NDL_TEST_PG_PASSWORD") + "@127.0.0.1:" +
           std::to_string(port) + "/" + db;
}

// Sets a variable of this process while it lives (TZ read again).
struct VariableForTest {
    VariableForTest(const char *name, const char *value) : name(name) {
        if (const char *old = std::getenv(name)) before = old, had = true;
        setenv(name, value, 1);
        tzset();
    }
    ~VariableForTest() {
        if (had)
            setenv(name, before.c_str(), 1);
        else
            unsetenv(name);
        tzset();
    }
    const char *name;
    std::string before;
    bool had = false;
};

// Now, in the zone TZ names, as SYSDATE stores it (to the minute).
std::string local_minute(const char *zone) {
    VariableForTest z("TZ", zone);
    time_t now = time(nullptr);
    tm t{};
    localtime_r(&now, &t);
    char out[32];
    strftime(out, sizeof out, "%Y-%m-%d %H:%M", &t);
    return out;
}

// Another session holding the repository's lock, as a load does, until it
// goes.
struct HeldLock {
    explicit HeldLock(const std::string &repo) : db(pg_server_detail::dbname_of(repo)), probe(repo) {
        c = pg_server_detail::connect(repo);
        PGresult *r = c ? PQexec(c, "BEGIN; SELECT pg_advisory_xact_lock(hashtext('ndl repository public'))") : nullptr;
        ok = PQresultStatus(r) == PGRES_TUPLES_OK;
        PQclear(r);
    }
    ~HeldLock() { PQfinish(c); }
    // Sessions waiting for it.
    int waiting() const {
        auto rows = pg_query_rows(probe, "SELECT count(*) FROM pg_locks l JOIN pg_database d ON d.oid = l.database "
                                         "WHERE l.locktype = 'advisory' AND NOT l.granted AND d.datname = '" + db + "'");
        return rows.empty() ? -1 : std::atoi(rows[0].c_str());
    }
    std::string db, probe;
    PGconn *c = nullptr;
    bool ok = false;
};

// A table's DELETE is answered with the statement after it: its failure
// is still logged under its own table, and the reload stores nothing (the
// rows written before it keep their places).
TEST_F(PgTest, AFailedDeleteIsLoggedUnderItsTable) {
    ProgramRun first = load(repo, "initializedata");
    ASSERT_EQ(first.status, 0) << first.out;
    const std::string kPlaces = "SELECT (SELECT string_agg(ndl_seq::text, ',') FROM networks), "
                                "(SELECT string_agg(ndl_seq::text, ',') FROM domain)";
    std::vector<std::string> before = pg_query_rows(repo, kPlaces);
    pg_run_sql(repo, "CREATE FUNCTION no_deletes() RETURNS trigger LANGUAGE plpgsql AS "
                     "$$BEGIN RAISE EXCEPTION 'no deletes of domain'; END$$; "
                     "CREATE TRIGGER no_deletes BEFORE DELETE ON domain EXECUTE FUNCTION no_deletes()");
    ProgramRun again = load(repo, "updateversion");
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.out.find("Error table DOMAIN - no deletes of domain"), std::string::npos) << again.out;
    EXPECT_EQ(pg_query_rows(repo, kPlaces), before);
}

TEST_F(PgTest, TheLogonPinsTheSessionWhateverTheDatabaseSays) {
    VariableForTest busy("NDL_BUSY_TIMEOUT_MS", "5000");
    std::string db = pg_server_detail::dbname_of(repo);
    pg_run_sql(pg_server_detail::uri_for("postgres"),
               "ALTER DATABASE \"" + db + "\" SET standard_conforming_strings = off; "
               "ALTER DATABASE \"" + db + "\" SET search_path = '\"$user\", elsewhere'; "
               "ALTER DATABASE \"" + db + "\" SET DateStyle = 'SQL, DMY'; "
               "ALTER DATABASE \"" + db + "\" SET TimeZone = 'America/New_York'; "
               "ALTER DATABASE \"" + db + "\" SET client_encoding = 'LATIN1'");
    struct Case {
        const char *tz, *zone;
    } zones[] = {{"Asia/Tokyo", "Asia/Tokyo"}, {":Europe/Lisbon", "Europe/Lisbon"}, {"JST-9", "<+09>-09"}};
    for (const Case &c : zones) {
        VariableForTest z("TZ", c.tz);
        auto l = pg_logon(repo);
        ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
        EXPECT_EQ(l->value("SELECT current_setting('standard_conforming_strings')"), "on");
        EXPECT_EQ(l->value("SELECT current_setting('search_path')"), "public");
        EXPECT_EQ(l->value("SELECT current_setting('DateStyle')"), "ISO, YMD");
        EXPECT_EQ(l->value("SELECT current_setting('client_encoding')"), "UTF8");
        EXPECT_EQ(l->value("SELECT current_setting('TimeZone')"), c.zone) << c.tz;
        EXPECT_EQ(l->value("SELECT to_char(localtimestamp, 'YYYY-MM-DD HH24:MI')"), local_minute(c.tz)) << c.tz;
        // Gone silent, the client is dropped by the server within the wait
        // a statement is given: the busy timeout and a minute.
        EXPECT_EQ(l->value("SELECT current_setting('idle_in_transaction_session_timeout')"), "65s");
    }
    // Over TCP the server's keepalives probe a silent client.
    auto tcp = pg_logon(over_tcp(repo, std::atoi(env("PGPORT").c_str())));
    ASSERT_EQ(tcp->begin_status, OCI_SUCCESS) << tcp->begin_error;
    EXPECT_EQ(tcp->value("SELECT current_setting('tcp_keepalives_idle') || ' ' || "
                         "current_setting('tcp_keepalives_interval') || ' ' || current_setting('tcp_keepalives_count')"),
              "32 10 3");
}

// Another role with CREATE on the database makes a schema named after the
// loading user and lets it in: the loads keep to public all the same.
TEST_F(PgTest, ASchemaNamedAfterTheUserTakesNothing) {
    const std::string user = env("NDL_TEST_PG_USER"), other = "ndl_other_" + std::to_string(getpid());
    ProgramRun first = load(repo);
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    std::string db = pg_server_detail::dbname_of(repo);
    pg_run_sql(pg_server_detail::uri_for("postgres"), "CREATE ROLE " + other + " LOGIN");
    pg_run_sql(repo, "GRANT CREATE ON DATABASE \"" + db + "\" TO " + other + "; SET ROLE " + other +
                         "; CREATE SCHEMA " + user + "; GRANT USAGE, CREATE ON SCHEMA " + user + " TO " + user +
                         "; RESET ROLE");
    ProgramRun again = load(repo, "updateversion");
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(one("SELECT count(*) FROM pg_tables WHERE schemaname = '" + user + "'"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM pg_proc WHERE pronamespace = '" + user + "'::regnamespace"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM public.networks"), "1");
    EXPECT_NE(one("SELECT count(*) FROM public.policyversions"), "0");
    pg_drop_database(repo);
    repo.clear();
    pg_run_sql(pg_server_detail::uri_for("postgres"), "DROP ROLE " + other);
}

// The repository's name may set its schema with libpq's options; one that
// does not exist is refused at the logon.
TEST_F(PgTest, TheNameMaySetTheSchema) {
    pg_run_sql(repo, "CREATE SCHEMA \"Team A\"");
    ProgramRun r = load(repo + "&options=-c%20search_path%3D%22%24user%22%2C%22Team%5C%20A%22%2Cpublic");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(one("SELECT count(*) FROM \"Team A\".networks"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM pg_tables WHERE schemaname = 'public'"), "0");
    auto absent = pg_logon(repo + "&options=-csearch_path%3Dnowhere");
    EXPECT_EQ(absent->begin_status, OCI_ERROR);
    EXPECT_EQ(absent->begin_error.find(env("NDL_TEST_PG_PASSWORD")), std::string::npos) << absent->begin_error;
    EXPECT_NE(absent->begin_error.find("its schema \"nowhere\" does not exist"), std::string::npos)
        << absent->begin_error;
}

// SYSDATE is the designer's local time on both backends.
TEST_F(PgTest, SysdateIsTheClientsLocalTimeOnBothBackends) {
    TempDir dir;
    std::string file = dir.path + "/repository.db";
    std::string before = local_minute("Asia/Tokyo");
    for (const std::string &r : {repo, file}) {
        ProgramRun run = load(r, "", {"TZ=Asia/Tokyo"});
        ASSERT_EQ(run.status, 0) << run.out << run.err;
    }
    std::string after = local_minute("Asia/Tokyo");
    std::string on_server = one("SELECT created FROM project").substr(0, 16);
    EXPECT_TRUE(on_server == before || on_server == after) << on_server << " not " << before;
    sqlite3 *h = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &h), SQLITE_OK);
    sqlite3_stmt *st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(h, "SELECT created FROM project", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    std::string in_file = std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))).substr(0, 16);
    sqlite3_finalize(st);
    sqlite3_close(h);
    EXPECT_TRUE(in_file == before || in_file == after) << in_file << " not " << before;
}

// No form of a password that libpq takes from the name shows in a message,
// even where libpq quotes what it could not read of the name.
TEST_F(PgTest, NoPasswordShowsInAnyForm) {
    const std::string user = env("NDL_TEST_PG_USER"), host = env("PGHOST"), port = env("PGPORT");
    const std::string db = pg_server_detail::dbname_of(repo), secret = "S3cret-pass";
    struct Case {
        std::string name, shown;
    } cases[] = {
        {"postgresql://" + user + ":" + secret + "@127.0.0.1:" + port + "/" + db,
         "postgresql://" + user + "@127.0.0.1:" + port + "/" + db},
        {"postgresql://" + user + "@127.0.0.1:" + port + "/" + db + "?password=" + secret + "&connect_timeout=5",
         "postgresql://" + user + "@127.0.0.1:" + port + "/" + db + "?connect_timeout=5"},
        {"postgres:///" + db + "?host=" + host + "&port=" + port + "&user=" + user + "&pass%77ord=" + secret,
         "postgres:///" + db + "?host=" + host + "&port=" + port + "&user=" + user},
        {"pg:dbname=" + db + " password = '" + secret + "' user=" + user + " host=" + host + " port=" + port,
         "pg:dbname=" + db + " user=" + user + " host=" + host + " port=" + port},
        {"pg:host=" + host + " port=" + port + " user=" + user + " dbname=" + db + " password=" + secret,
         "pg:host=" + host + " port=" + port + " user=" + user + " dbname=" + db},
        {"pg:postgresql://" + user + ":" + secret + "@127.0.0.1:" + port + "/" + db,
         "pg:postgresql://" + user + "@127.0.0.1:" + port + "/" + db},
        // libpq quotes the name it cannot read.
        {"postgresql://" + user + ":" + secret + "@[::1/" + db, "postgresql://" + user + "@[::1/" + db},
        {"postgresql://" + user + "@127.0.0.1:" + port + "/" + db + "?password=" + secret + "&bogus=1",
         "postgresql://" + user + "@127.0.0.1:" + port + "/" + db + "?bogus=1"},
    };
    for (const Case &c : cases) {
        auto l = pg_logon(c.name);
        EXPECT_EQ(l->begin_status, OCI_ERROR) << c.name;
        EXPECT_EQ(l->begin_error.find(secret), std::string::npos) << l->begin_error;
        EXPECT_EQ(l->begin_error.rfind("cannot log on to the repository \"" + c.shown + "\": ", 0), 0u)
            << l->begin_error;
        // The program's argument vector loses it too.
        std::string arg = c.name;
        ocix_hide_password(arg.data());
        EXPECT_EQ(arg.find(secret), std::string::npos) << arg;
        EXPECT_EQ(arg.size(), c.name.size());
    }
    // A SQLite file's name is no server's: it stays as given.
    std::string file = "password=x.db";
    ocix_hide_password(file.data());
    EXPECT_EQ(file, "password=x.db");
}

// The load's lock held by another session: the load waits, and meanwhile
// the process list shows its command line without the password.
TEST_F(PgTest, ThePasswordLeavesTheProcessListDuringALoad) {
    made();
    const std::string password = env("NDL_TEST_PG_PASSWORD");
    std::string db = pg_server_detail::dbname_of(repo);
    for (const std::string &name :
         {repo, "pg:dbname=" + db + " host=" + env("PGHOST") + " port=" + env("PGPORT") + " user=" +
                    env("NDL_TEST_PG_USER") + " password=" + password}) {
        auto held = std::make_unique<HeldLock>(repo);
        ASSERT_TRUE(held->ok);
        // The second load is the network's next version.
        auto p = start_program(kExtproc,
                               {"--repository", name, "parse", "--dir", kExamples, "--files", "network.ndl", "--mode",
                                name == repo ? "initializedata" : "updateversion"},
                               {"NDL_BUSY_TIMEOUT_MS=30000"});
        ASSERT_GT(p->pid, 0);
        std::string seen;
        for (auto until = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(20ms)) {
            if (held->waiting() > 0) break;
        }
        EXPECT_EQ(held->waiting(), 1) << "the load never waited for the lock";
        EXPECT_TRUE(p->running());
        seen = p->command_line();
        EXPECT_EQ(seen.find(password), std::string::npos) << seen;
        EXPECT_NE(seen.find("parse --dir"), std::string::npos) << seen;
        held.reset();
        ProgramRun r = p->finish();
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(r.out.find(password), std::string::npos);
        EXPECT_EQ(r.err.find(password), std::string::npos);
    }
}

}  // namespace

namespace {

// A TCP proxy on 127.0.0.1 to the test server. The first connection it
// takes goes silent once the server has said, for the Nth time, that it
// waits inside a transaction (ReadyForQuery 'T'): nothing more passes either
// way, and both sockets stay open, as on a network gone quiet. Every later
// connection passes: the network is back.
class SilentProxy {
public:
    SilentProxy(int server_port, int silent_after) : server_port_(server_port), silent_after_(silent_after) {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = address(0);
        socklen_t n = sizeof a;
        if (bind(listener_, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || listen(listener_, 8) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr *>(&a), &n) != 0)
            return;
        port = ntohs(a.sin_port);
        worker_ = std::thread([this] { serve(); });
    }
    ~SilentProxy() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
        for (Pair &p : pairs_)
            for (int fd : {p.client, p.server})
                if (fd >= 0) close(fd);
        close(listener_);
    }
    int port = 0;
    std::atomic<bool> silent{false};

private:
    struct Pair {
        int client, server;
        bool watched;
        bool silent = false, done = false;
        int readies = 0;
    };
    static sockaddr_in address(int port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port));
        return a;
    }
    void serve() {
        bool first = true;
        while (!stop_) {
            std::vector<pollfd> fds{{listener_, POLLIN, 0}};
            size_t polled = pairs_.size();
            for (Pair &p : pairs_) {
                short events = p.silent || p.done ? 0 : POLLIN;
                fds.push_back({p.client, events, 0});
                fds.push_back({p.server, events, 0});
            }
            if (poll(fds.data(), fds.size(), 50) <= 0) continue;
            for (size_t i = 0; i < polled; ++i) {
                Pair &p = pairs_[i];
                if (!p.done && !p.silent && fds[1 + 2 * i].revents) pass(p, p.client, p.server, false);
                if (!p.done && !p.silent && fds[2 + 2 * i].revents) pass(p, p.server, p.client, true);
            }
            if (fds[0].revents & POLLIN) {
                int c = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
                sockaddr_in a = address(server_port_);
                if (c >= 0 && s >= 0 && connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
                    pairs_.push_back({c, s, first});
                    first = false;
                } else {
                    if (c >= 0) close(c);
                    if (s >= 0) close(s);
                }
            }
        }
    }
    void pass(Pair &p, int from, int to, bool from_server) {
        char buf[1 << 16];
        ssize_t n = read(from, buf, sizeof buf);
        if (n <= 0) {
            shutdown(to, SHUT_WR);
            p.done = true;
            return;
        }
        for (ssize_t off = 0; off < n;) {
            ssize_t w = write(to, buf + off, static_cast<size_t>(n - off));
            if (w <= 0) {
                p.done = true;
                return;
            }
            off += w;
        }
        static const char kReadyInTransaction[] = {'Z', 0, 0, 0, 5, 'T'};
        if (from_server && p.watched && n >= 6 && std::memcmp(buf + n - 6, kReadyInTransaction, 6) == 0 &&
            ++p.readies == silent_after_) {
            p.silent = true;
            silent = true;
        }
    }
    int server_port_, silent_after_, listener_ = -1;
    std::atomic<bool> stop_{false};
    std::vector<Pair> pairs_;
    std::thread worker_;
};

// The network goes silent mid-load: the load gives up and says when the
// server lets go; the server does, and the next load, over the network
// back again, is stored. Short timeouts keep it to seconds: the busy
// timeout 1 s, the silence allowed beyond it 3 s.
TEST_F(PgTest, ASilentNetworkLeavesNoLockBehind) {
    made();
    SilentProxy proxy(std::atoi(env("PGPORT").c_str()), 2);
    ASSERT_GT(proxy.port, 0);
    std::string through = over_tcp(repo, proxy.port), db = pg_server_detail::dbname_of(repo);
    const std::vector<std::string> vars{"NDL_BUSY_TIMEOUT_MS=1000", "NDL_OCI_QUIET_MARGIN_MS=3000"};
    auto p = start_program(kExtproc, {"--repository", through, "parse", "--dir", kExamples, "--files", "network.ndl"},
                           vars);
    ASSERT_GT(p->pid, 0);
    for (auto until = std::chrono::steady_clock::now() + 20s; !proxy.silent && std::chrono::steady_clock::now() < until;)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(proxy.silent) << "the load never reached its transaction";
    // The stalled session holds the repository's lock, for now.
    const std::string held = "SELECT count(*) FROM pg_locks l JOIN pg_database d ON d.oid = l.database "
                             "WHERE l.locktype = 'advisory' AND l.granted AND d.datname = '" + db + "'";
    EXPECT_EQ(one(held), "1");
    auto stalled = std::chrono::steady_clock::now();
    ProgramRun r = p->finish();
    auto waited = std::chrono::steady_clock::now() - stalled;
    EXPECT_EQ(r.status, 2) << r.out << r.err;
    EXPECT_NE((r.out + r.err).find("the server sent nothing for 4000 ms; the server rolls the transaction back by "
                                   "itself, and frees the repository's lock, within 4000 ms of the network's going "
                                   "silent"),
              std::string::npos)
        << r.out << r.err;
    EXPECT_LT(waited, 10s);
    // The server has let go by then, though the proxy keeps the socket open.
    for (auto until = std::chrono::steady_clock::now() + 3s;
         one(held) != "0" && std::chrono::steady_clock::now() < until;)
        std::this_thread::sleep_for(50ms);
    EXPECT_EQ(one(held), "0");
    ProgramRun again = run_program(
        kExtproc, {"--repository", through, "parse", "--dir", kExamples, "--files", "network.ndl"}, Stdout::Captured,
        vars);
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(one("SELECT count(*) FROM networks"), "1");
}

}  // namespace
