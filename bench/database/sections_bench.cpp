// Whole loads of the five sections of a generated network of N node types:
// the TOPOLOGY of the load benchmarks, an empty CUSTOMER section, a static
// route, an access list and a QoS policy with its rules and three classes
// per node type, and the enrolment variables. Times the parse with its
// end-of-section checks, the checks after the last file and the write of
// every table (print_info), against raw SQLite inserting the same rows in
// the same iteration; the per-node-type time shows whether the load grows
// linearly.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "generated_network.h"
#include "sections.h"
#include "timed_load.h"

namespace {

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
    int n = static_cast<int>(state.range(0));
    LoadTimes t = time_loads(state, generate_sections(n), [] {
        if (services().after_last_file) services().after_last_file();
    });
    if (!t.ok) return;
    double load = t.parse + t.checks + t.write;
    state.counters["parse_ms"] = t.parse * 1e3;
    state.counters["checks_ms"] = t.checks * 1e3;
    state.counters["write_ms"] = t.write * 1e3;
    state.counters["raw_insert_ms"] = t.raw * 1e3;
    state.counters["us_per_nodetype"] = load / n * 1e6;
    state.counters["load_vs_raw"] = load / t.raw;
}

BENCHMARK(BM_FiveSectionLoad)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
