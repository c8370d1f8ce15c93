// The OCI layer against SQLite used directly, measured in the same run:
// 100,000 inserts as the writers make them (one formatted text per row)
// against one prepared statement with bound values, and 100,000 rows
// fetched through defines against sqlite3_step reads. The counters give the
// ratios; the target is 1.5 at most for both.
#include "host.h"
#include "oci.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
const char kCreate[] =
    "CREATE TABLE T (networkid NUMBER(10), nodename VARCHAR2(30), description VARCHAR2(300), nodetype "
    "VARCHAR2(30), seq NUMBER(10), owner VARCHAR2(30), address VARCHAR2(300), prefix NUMBER(10), remarks "
    "VARCHAR2(300), ndlversion NUMBER(10))";
const char kSelect[] =
    "SELECT networkid, nodename, description, nodetype, seq, owner, address, prefix, remarks, ndlversion FROM T";
const bool kIsInt[kCols] = {true, false, false, false, true, false, false, true, false, true};

using Clock = std::chrono::steady_clock;
double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

struct Scratch {
    Scratch() {
        char tmpl[] = "/tmp/ocibench.XXXXXX";
        dir = mkdtemp(tmpl);
    }
    ~Scratch() { std::filesystem::remove_all(dir); }
    std::string fresh(const char *name) {
        std::string path = dir + "/" + name;
        std::filesystem::remove(path);
        return path;
    }
    std::string dir;
};

// The values of row i, as texts for binding and as one INSERT statement.
struct RowValues {
    explicit RowValues(int i) {
        std::snprintf(name, sizeof name, "node%d", i);
        std::snprintf(descr, sizeof descr, "access router %d of the northern ring", i);
        std::snprintf(addr, sizeof addr, "10.%d.%d.0", (i >> 8) & 255, i & 255);
        seq = i;
        prefix = 24 + i % 8;
    }
    std::string statement() const {
        char buf[600];
        std::snprintf(buf, sizeof buf,
                      "INSERT INTO T VALUES (%d, '%s', '%s', '%s', %d, '%s', '%s', %d, '%s', %d)", 1, name,
                      descr, "PE", seq, "netops", addr, prefix, "", 3);
        return buf;
    }
    char name[32], descr[64], addr[32];
    int seq, prefix;
};

// A host session with a statement handle of its own.
struct Session {
    explicit Session(const std::string &db) : host(db) {
        if (!host.ok()) std::abort();
        env = host.handles().env;
        err = host.handles().err;
        svc = host.handles().svc;
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmt), OCI_HTYPE_STMT, 0, nullptr);
    }
    ~Session() { OCIHandleFree(stmt, OCI_HTYPE_STMT); }
    sword run(const std::string &sql, ub4 iters = 1) {
        OCIStmtPrepare(stmt, err, reinterpret_cast<const text *>(sql.data()), static_cast<ub4>(sql.size()),
                       OCI_NTV_SYNTAX, OCI_DEFAULT);
        return OCIStmtExecute(svc, stmt, err, iters, 0, nullptr, nullptr, OCI_DEFAULT);
    }
    extproc::Session host;
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCISvcCtx *svc = nullptr;
    OCIStmt *stmt = nullptr;
};

void must(bool ok, const char *what) {
    if (!ok) {
        std::fprintf(stderr, "oci_bench: %s failed\n", what);
        std::abort();
    }
}

double raw_insert(const std::string &db) {
    sqlite3 *h = nullptr;
    must(sqlite3_open(db.c_str(), &h) == SQLITE_OK, "open");
    must(sqlite3_exec(h, kCreate, nullptr, nullptr, nullptr) == SQLITE_OK, "create");
    auto start = Clock::now();
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(h, "INSERT INTO T VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &s, nullptr);
    for (int i = 0; i < kRows; ++i) {
        RowValues v(i);
        sqlite3_bind_int(s, 1, 1);
        sqlite3_bind_text(s, 2, v.name, -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 3, v.descr, -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 4, "PE", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 5, v.seq);
        sqlite3_bind_text(s, 6, "netops", -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 7, v.addr, -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 8, v.prefix);
        sqlite3_bind_text(s, 9, "", 0, SQLITE_STATIC);
        sqlite3_bind_int(s, 10, 3);
        must(sqlite3_step(s) == SQLITE_DONE, "raw insert");
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    must(sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK, "commit");
    double t = seconds_since(start);
    sqlite3_close(h);
    return t;
}

double layer_insert(const std::string &db, const std::vector<std::string> &texts) {
    Session s(db);
    must(s.run(kCreate) == OCI_SUCCESS && OCITransCommit(s.svc, s.err, 0) == OCI_SUCCESS, "create");
    auto start = Clock::now();
    for (const std::string &t : texts) must(s.run(t) == OCI_SUCCESS, "layer insert");
    must(OCITransCommit(s.svc, s.err, 0) == OCI_SUCCESS, "commit");
    return seconds_since(start);
}

void BM_Insert100k(benchmark::State &state) {
    Scratch scratch;
    double raw = 0, layer = 0, formatting = 0;
    for (auto _ : state) {
        raw += raw_insert(scratch.fresh("raw.db"));
        auto start = Clock::now();
        std::vector<std::string> texts;
        texts.reserve(kRows);
        for (int i = 0; i < kRows; ++i) texts.push_back(RowValues(i).statement());
        formatting += seconds_since(start);
        double t = layer_insert(scratch.fresh("layer.db"), texts);
        layer += t;
        state.SetIterationTime(t);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["raw_ms"] = raw / n * 1e3;
    state.counters["layer_ms"] = layer / n * 1e3;
    state.counters["format_ms"] = formatting / n * 1e3;
    state.counters["ratio"] = layer / raw;
    state.counters["ratio_with_format"] = (layer + formatting) / raw;
}

// One stored table for both readers.
std::string filled_table(Scratch &scratch) {
    std::string db = scratch.fresh("read.db");
    sqlite3 *h = nullptr;
    must(sqlite3_open(db.c_str(), &h) == SQLITE_OK, "open");
    sqlite3_exec(h, "PRAGMA user_version=1", nullptr, nullptr, nullptr);  // a versioned repository
    sqlite3_exec(h, kCreate, nullptr, nullptr, nullptr);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < kRows; ++i)
        must(sqlite3_exec(h, RowValues(i).statement().c_str(), nullptr, nullptr, nullptr) == SQLITE_OK, "fill");
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);
    return db;
}

struct Buffers {
    int32_t ints[kCols];
    char texts[kCols][300];
};

double raw_fetch(const std::string &db, Buffers &b, long &rows) {
    sqlite3 *h = nullptr;
    must(sqlite3_open(db.c_str(), &h) == SQLITE_OK, "open");
    auto start = Clock::now();
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(h, kSelect, -1, &s, nullptr);
    rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < kCols; ++c) {
            if (kIsInt[c]) {
                b.ints[c] = sqlite3_column_int(s, c);
            } else {
                const unsigned char *t = sqlite3_column_text(s, c);
                size_t n = std::min<size_t>(static_cast<size_t>(sqlite3_column_bytes(s, c)), 299);
                std::memcpy(b.texts[c], t, n);
                b.texts[c][n] = 0;
            }
        }
        ++rows;
    }
    sqlite3_finalize(s);
    double t = seconds_since(start);
    sqlite3_close(h);
    return t;
}

double layer_fetch(const std::string &db, Buffers &b, long &rows) {
    Session s(db);
    auto start = Clock::now();
    OCIStmtPrepare(s.stmt, s.err, reinterpret_cast<const text *>(kSelect), sizeof kSelect - 1, OCI_NTV_SYNTAX,
                   OCI_DEFAULT);
    for (int c = 0; c < kCols; ++c) {
        OCIDefine *d = nullptr;
        if (kIsInt[c])
            OCIDefineByPos(s.stmt, &d, s.err, c + 1, &b.ints[c], 4, SQLT_INT, nullptr, nullptr, nullptr, 0);
        else
            OCIDefineByPos(s.stmt, &d, s.err, c + 1, b.texts[c], 300, SQLT_STR, nullptr, nullptr, nullptr, 0);
    }
    must(OCIStmtExecute(s.svc, s.stmt, s.err, 0, 0, nullptr, nullptr, OCI_DEFAULT) == OCI_SUCCESS, "execute");
    rows = 0;
    sword st;
    while ((st = OCIStmtFetch(s.stmt, s.err, 1, OCI_FETCH_NEXT, OCI_DEFAULT)) == OCI_SUCCESS) ++rows;
    must(st == OCI_NO_DATA, "fetch");
    return seconds_since(start);
}

void BM_Fetch100k(benchmark::State &state) {
    Scratch scratch;
    std::string db = filled_table(scratch);
    Buffers b{};
    double raw = 0, layer = 0;
    for (auto _ : state) {
        long raw_rows = 0, layer_rows = 0;
        raw += raw_fetch(db, b, raw_rows);
        double t = layer_fetch(db, b, layer_rows);
        must(raw_rows == kRows && layer_rows == kRows, "row count");
        benchmark::DoNotOptimize(b);
        layer += t;
        state.SetIterationTime(t);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["raw_ms"] = raw / n * 1e3;
    state.counters["layer_ms"] = layer / n * 1e3;
    state.counters["ratio"] = layer / raw;
}

}  // namespace

BENCHMARK(BM_Insert100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Fetch100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
