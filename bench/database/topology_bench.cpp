// Whole TOPOLOGY loads of generated networks of N domains and N node types:
// the parse of the NDL text (parse, as a run does it after the logon) and
// the write of every table (print_info), against raw SQLite inserting the
// same rows with prepared statements in one transaction, measured in the
// same iteration. Reports parse and write time, MB/s of NDL and the ratio
// of the loader's time to the raw inserts.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_repo.h"
#include "database.h"
#include "runstate.h"
#include "table_desc.h"
#include "tokenizer.h"

using namespace ndldb;

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point from) {
    return std::chrono::duration<double>(clock_type::now() - from).count();
}

// N domains with their three required variables, one node type per domain
// with two services, one address pool per ten domains, and one connection
// type per domain joining its node type to the next domain's, with every
// group a connection type has (one HSRP group and one APS member).
std::string generate(int n) {
    std::string s = "NETWORKNAME = BENCHNET, SECTION = TOPOLOGY\n";
    char buf[1024];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "DOMAIN D%d BEGIN\n"
                      "  VARIABLE = ( NAME = COUNTRYCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"PT\" )\n"
                      "  VARIABLE = ( NAME = LOCATIONCODE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"L%d\" )\n"
                      "  VARIABLE = ( NAME = SITENAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                      "END\n",
                      i, i);
        s += buf;
    }
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "NODES D%d.PE BEGIN\n"
                      "  VARIABLE = ( NAME = HOSTNAME , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
                      "  VARIABLE = ( NAME = DEVICETYPE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"router\" )\n"
                      "  VARIABLE = ( NAME = NODEID , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 1 , MAXVALUE = 99 )\n"
                      "  VARIABLE = ( NAME = EXTSERVICES , MODE = FIXED-ASSIGNED , TYPE = LIST , VALUE = \"DNS, NTP\" )\n"
                      "  VARIABLE = ( NAME = SOURCE , MODE = FIXED-ASSIGNED , TYPE = STRING , VALUE = \"lo%d\" )\n"
                      "END\n",
                      i, i);
        s += buf;
    }
    s += "ADDRESSPOOL NETWORK-ADDR-POOL BEGIN\n";
    for (int i = 0; i < n / 10; ++i) {
        std::snprintf(buf, sizeof buf,
                      "  P%d = ( STARTADDR = \"10.%d.%d.1\" , ENDADDR = \"10.%d.%d.254\" , PROTOCOL = IP )\n", i,
                      i / 256 % 256, i % 256, i / 256 % 256, i % 256);
        s += buf;
    }
    s += "END\n";
    s += "SYSTEMLIST HSRPPRIORITY BEGIN\n  LISTVARIABLE = ( NAME = 100 , VALUE = 100 )\nEND\n";
    s += "CONNECTIONS BEGIN\n";
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "  D%d TO D%d = ( SCOPE = INTERNAL , MIN = 0 , MAX = 4 )\n", i, (i + 1) % n);
        s += buf;
    }
    s += "END\n";
    for (int i = 0; i < n; ++i) {
        int next = (i + 1) % n;
        std::snprintf(buf, sizeof buf,
                      "CONNECTIONTYPE C%d BEGIN\n"
                      "  TYPE = POINT-TO-POINT\n  SCOPE = INTERNAL\n"
                      "  VARIABLE = ( NAME = VLAN , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n"
                      "  MEMBER = ( NODE = D%d.PE , MINCONN = 0 , MAXCONN = 4 , INTERFACES = \"Serial0, Serial1\" )\n"
                      "  MEMBER = ( NODE = D%d.PE , MINCONN = 0 , MAXCONN = 4 )\n"
                      "  INTERFACETYPES = ( TYPE = SERIAL , ENCAPSULATION = PPP , AUTHENTICATION = FALSE , SUBINTERFACE = FALSE )\n"
                      "  MEMBERFILTER = ( SITENAME )\n"
                      "  VALIDATIONPOOL = P%d\n"
                      "  IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.VLAN.1\" , PREFIX = 30 )\n"
                      "  DEPENDENCY = ( NAME = VLAN , MINVALUE = 1 , MAXVALUE = 200 )\n"
                      "  INSTANCEID = ( VLAN )\n"
                      "  APS = ( MEMBER = D%d.PE , MODE = WORKING )\n"
                      "  HSRP#1.MEMBER = ( D%d.PE )\n"
                      "  HSRP#1.IPADDRESS = ( ADDRESSTYPE = ADDRESS-FIXED , ADDRESS = \"10.0.VLAN.2\" )\n"
                      "  HSRP#1.HSRPPRIORITY = \"100\"\n"
                      "END\n",
                      i, i, next, i / 10, i, i);
        s += buf;
    }
    return s;
}

// The rows of every one-level list that the parse filled, inserted through
// prepared statements bound from the same record fields the writers print.
void raw_insert(sqlite3 *h) {
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    for (size_t w = 0; w < kAllWritersCount; ++w) {
        const writer_desc &d = *kAllWriters[w];
        if (d.sub.headoff != kDropped || !d.list.head || !d.list.head()) continue;
        const char *from = std::strstr(d.insert, "INTO ") + 5;
        std::string table(from, std::strcspn(from, " "));
        std::string sql = "INSERT INTO " + table + " VALUES (?";
        for (size_t c = 1; c < d.nvals; ++c) sql += ",?";
        sql += ")";
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr);
        for (char *rec = static_cast<char *>(d.list.head()); rec;
             std::memcpy(&rec, rec + d.nextoff, sizeof rec)) {
            for (size_t c = 0; c < d.nvals; ++c) {
                const value_desc &v = d.vals[c];
                int pos = static_cast<int>(c) + 1;
                if (v.kind == val_text) sqlite3_bind_text(st, pos, rec + v.offset, -1, SQLITE_STATIC);
                else if (v.kind == val_int && v.size == 4) sqlite3_bind_int(st, pos, *reinterpret_cast<int32_t *>(rec + v.offset));
                else sqlite3_bind_int(st, pos, 1);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
}

void BM_TopologyLoad(benchmark::State &state) {
    Repo repo;
    std::string ndl = repo.dir + "/bench.ndl";
    std::string text = generate(static_cast<int>(state.range(0)));
    if (FILE *f = std::fopen(ndl.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    sqlite3 *raw = nullptr;
    sqlite3_open(repo.path.c_str(), &raw);
    double parse_s = 0, write_s = 0, raw_s = 0;
    for (auto _ : state) {
        repo.bind();
        FILE *fp = std::fopen(ndl.c_str(), "r");
        reset_tokenizer();
        auto t0 = clock_type::now();
        int parsed = parse(fp, nullptr, 1);
        parse_s += seconds_since(t0);
        std::fclose(fp);
        if (!parsed || g_error) {
            state.SkipWithError("the generated network did not parse");
            break;
        }
        t0 = clock_type::now();
        int written = print_info(nullptr);
        write_s += seconds_since(t0);
        OCITransRollback(repo.svc, repo.err, 0);
        if (!written) {
            state.SkipWithError("write failed");
            break;
        }
        // The baseline is reported in its counter, outside the load's time.
        state.PauseTiming();
        t0 = clock_type::now();
        raw_insert(raw);
        raw_s += seconds_since(t0);
        releasememory("ALL");
        state.ResumeTiming();
    }
    sqlite3_close(raw);
    releasememory("ALL");
    double it = static_cast<double>(state.iterations());
    if (it == 0) return;
    state.counters["parse_ms"] = parse_s / it * 1e3;
    state.counters["write_ms"] = write_s / it * 1e3;
    state.counters["raw_insert_ms"] = raw_s / it * 1e3;
    state.counters["ndl_MB_per_s"] = static_cast<double>(text.size()) / 1e6 / (parse_s / it);
    state.counters["write_vs_raw"] = write_s / raw_s;
    state.counters["load_vs_raw"] = (parse_s + write_s) / raw_s;
}

BENCHMARK(BM_TopologyLoad)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int addtooutput() { return 1; }

BENCHMARK_MAIN();
