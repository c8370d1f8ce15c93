// Whole loads of the five sections of a generated network of N node types:
// the TOPOLOGY of the load benchmarks, an empty CUSTOMER section, a static
// route, an access list and a QoS policy with its rules and three classes
// per node type, and the enrolment variables. Times the parse with its
// end-of-section checks, the checks after the last file and the write of
// every table (print_info), against raw SQLite inserting the same rows in
// the same iteration; the per-node-type time shows whether the load grows
// linearly.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench_repo.h"
#include "database.h"
#include "generated_network.h"
#include "raw_insert.h"
#include "runstate.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point from) {
    return std::chrono::duration<double>(clock_type::now() - from).count();
}

std::string generate_sections(int n) {
    std::string s = generate(n);
    s += "NETWORKNAME = BENCHNET, SECTION = CUSTOMER\n";
    s += "NETWORKNAME = BENCHNET, SECTION = ROUTING\n";
    char buf[2048];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "ROUTING-STATIC D%d.PE BEGIN\n"
                      "  IP = ( NETWORK = \"0.0.0.0\" , PREFIX = 0 , DESTINATION = \"EVALIP(10.%d.%d.1)\" )\n"
                      "END\n",
                      i, i / 256 % 256, i % 256);
        s += buf;
    }
    s += "NETWORKNAME = BENCHNET, SECTION = FIREWALL\n";
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "ACCESSLIST D%d.PE BEGIN\n"
                      "  DESCRIPTION = ( ACL-TYPE = extended , ACL-NAME = \"MGMT\" , NAME-TYPE = STRING , USAGE = vty ,"
                      " OWNER = \"D%d\" )\n"
                      "  FORMAT = ( TYPE = permit , PROTOCOL = tcp , SOURCE = \"LOCALIP(INTERFACE)\" , "
                      "SOURCE-PREFIX = AUTO )\n"
                      "END\n",
                      i, i);
        s += buf;
    }
    s += "NETWORKNAME = BENCHNET, SECTION = QOS\n";
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf,
                      "QOSMATCHRULES D%d.PE BEGIN\n"
                      "  DESCRIPTION = ( NAME = VOICE , USAGE = CLASS )\n"
                      "  MATCH # 1 = ( TYPE = \"ip dscp\" , VALUE = \"ef\" )\n"
                      "END\n"
                      "QOSPOLICY D%d.PE M BEGIN\n"
                      "  DESCRIPTION = ( NAME = GOLD , OWNER = \"D%d\" , QUEUEGROUPNAME = GOLDQ , DIRECTION = in ,"
                      " USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
                      "  ACCESSLIST = ( ACL-TYPE = extended , ACL-NAME = \"APPS\" , NAME-TYPE = STRING )\n"
                      "  FORMAT = ( TYPE = permit , PROTOCOL = udp , SOURCE = \"LOCALIP(INTERFACE)\" , "
                      "SOURCE-PREFIX = AUTO )\n"
                      "  POLICERULE = ( BITRATE = 64000 , BURSTSIZE = 8000 , EXCEEDACTION = drop , "
                      "CONFIRMACTION = transmit )\n"
                      "  CLASS # 1 = ( NAME = VOICE , BANDWIDTH = 30 , BANDWIDTHTYPE = PERCENT , MATCHRULENAME = VOICE )\n"
                      "  CLASS # 2 = ( NAME = DATA , MATCHRULE = ( TYPE = \"access-group\" , VALUE = \"APPS\" ) ,\n"
                      "                MARKRULE = ( TYPE = \"cos\" , VALUE = \"1\" ) , DROPTYPE = red )\n"
                      "  CLASS # 3 = ( NAME = DEFAULT , FAIRQUEUECOUNT = 16 )\n"
                      "END\n",
                      i, i, i);
        s += buf;
    }
    s += "QOS-SERVICE-ENROLLVAR BEGIN\n"
         "  VARIABLE = ( NAME = ACCESSBANDWIDTH , MODE = VARIABLE-UNASSIGNED , TYPE = RANGE , MINVALUE = 64 ,"
         " MAXVALUE = 100000 )\n"
         "  VARIABLE = ( NAME = SERVICECLASS , MODE = VARIABLE-UNASSIGNED , TYPE = STRING )\n"
         "END\n";
    return s;
}

void BM_FiveSectionLoad(benchmark::State &state) {
    Repo repo;
    std::string ndl = repo.dir + "/bench.ndl";
    int n = static_cast<int>(state.range(0));
    std::string text = generate_sections(n);
    if (FILE *f = std::fopen(ndl.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    sqlite3 *raw = nullptr;
    sqlite3_open(repo.path.c_str(), &raw);
    double parse_s = 0, checks_s = 0, write_s = 0, raw_s = 0;
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
        if (services().after_last_file) services().after_last_file();
        checks_s += seconds_since(t0);
        t0 = clock_type::now();
        int written = print_info(nullptr);
        write_s += seconds_since(t0);
        OCITransRollback(repo.svc, repo.err, 0);
        if (!written) {
            state.SkipWithError("write failed");
            break;
        }
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
    double load = parse_s + checks_s + write_s;
    state.counters["parse_ms"] = parse_s / it * 1e3;
    state.counters["checks_ms"] = checks_s / it * 1e3;
    state.counters["write_ms"] = write_s / it * 1e3;
    state.counters["raw_insert_ms"] = raw_s / it * 1e3;
    state.counters["us_per_nodetype"] = load / it / n * 1e6;
    state.counters["load_vs_raw"] = load / raw_s;
}

BENCHMARK(BM_FiveSectionLoad)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int addtooutput() { return 1; }

BENCHMARK_MAIN();
