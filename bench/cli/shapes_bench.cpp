// The ways a repository grows over years, each loaded through the host as
// the agent calls the loader, and reported as a ratio to a smaller load of
// the same shape measured in the same run (interleaved pairs, medians):
// - one list of many items: per item, N against N/4 (the target: within
//   1.5x): access lists and QoS policies of one node type, the members of
//   one HSRP group, customer types each naming one of many connection
//   types by CONNECTTO;
// - a reload that drops V domain variables of a domain with M instances
//   (none live, so each only warns), against the same reload without
//   instances (the target: within 3x);
// - the 100th createversion load of the policy sections against the first
//   (the target: within 1.25x);
// - the 20th network loaded into one repository against the first (the
//   target: within 1.15x).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host.h"
#include "sample_network.h"

namespace {

using clock_type = std::chrono::steady_clock;

std::string examples(const char *file) { return sample::read_file(std::string(NDL_EXAMPLES_DIR) + "/" + file); }

std::string repeat(int n, const std::function<std::string(int)> &item) {
    std::string out;
    for (int i = 0; i < n; ++i) out += item(i);
    return out;
}

// One NDL file for n items of a shape, after the sample's topology.
struct shape {
    const char *name;
    int small, large;
    std::function<std::string(int)> text;
};

const shape kShapes[] = {
    {"access lists of one node type", 10000, 40000,
     [](int n) {
         return examples("network.ndl") + "NETWORKNAME = SAMPLENET, SECTION = FIREWALL\nACCESSLIST NORTH.PE\nBEGIN\n" +
                repeat(n,
                       [](int i) {
                           return "  DESCRIPTION = ( ACL-TYPE = standard-named , ACL-NAME = \"A" + std::to_string(i) +
                                  "\" , NAME-TYPE = STRING , USAGE = snmp , OWNER = \"NORTH.PE\" )\n"
                                  "  FORMAT = ( TYPE = permit , SOURCE = \"LOCALIP(INTERFACE)\" , SOURCE-PREFIX = 24 )\n";
                       }) +
                "END\n";
     }},
    {"QoS policies of one node type", 10000, 40000,
     [](int n) {
         return examples("network.ndl") + "NETWORKNAME = SAMPLENET, SECTION = QOS\nQOSPOLICY NORTH.PE M BEGIN\n" +
                repeat(n,
                       [](int i) {
                           std::string k = std::to_string(i);
                           return "  DESCRIPTION = ( NAME = P" + k + " , OWNER = \"NORTH\" , QUEUEGROUPNAME = Q" + k +
                                  " , DIRECTION = in , USAGE = CUSTOMER , QUEUETYPE = CLASS-BASED )\n"
                                  "  CLASS # 1 = ( NAME = DEFAULT , FAIRQUEUECOUNT = 16 )\n";
                       }) +
                "END\n";
     }},
    {"members of one HSRP group", 10000, 40000,
     [](int n) {
         std::string topology = examples("network.ndl");
         std::string member = "  HSRP#1.MEMBER = ( NORTH.PE , TRACKINTERFACE = \"Serial1/0\" , TRACKPRIORITY = 10 )\n";
         size_t at = topology.find(member);
         return topology.replace(at, member.size(), repeat(n, [&](int) { return member; }));
     }},
    {"connection types named by CONNECTTO", 2500, 10000,
     [](int n) {
         return examples("network.ndl") + repeat(n,
                                                 [](int i) {
                                                     return "CONNECTIONTYPE C" + std::to_string(i) +
                                                            " BEGIN\n  TYPE = POINT-TO-POINT\n  SCOPE = EXTERNAL\n"
                                                            "  MAXCONNECTIONS = 500\n  ROUTEDPROTOCOLS = IP\n"
                                                            "  MEMBER = ( NODE = NORTH.PE , MINCONN = 0 , MAXCONN = 400 )\n"
                                                            "  MEMBER = ( NODE = SOUTH.CPE , MINCONN = 1 , MAXCONN = 1 )\n"
                                                            "  INTERFACETYPES = ( TYPE = SERIAL , ENCAPSULATION = PPP ,"
                                                            " AUTHENTICATION = FALSE , SUBINTERFACE = FALSE )\n"
                                                            "  IPADDRESS = ( ADDRESSTYPE = NETWORK-FIXED ,"
                                                            " ADDRESS = \"10.250.0.0\" , PREFIX = 30 )\n"
                                                            "END\n";
                                                 }) +
                "NETWORKNAME = SAMPLENET, SECTION = CUSTOMER\n" +
                repeat(n, [](int i) {
                    std::string k = std::to_string(i);
                    return "CUSTOMER-TYPE V" + k +
                           " BEGIN\n  SERVICETYPE = VPN\n  ROUTINGENABLED = FALSE\n"
                           "  CONNECTIONTYPE = ( CONNECTTO = \"NORTH.PE.CONN.C" + k +
                           "\" , DIRECTLYCONNECTED = TRUE )\n"
                           "  CONNECTION # 2 = ( NAME = C" + k + " , INTERFACETYPE = SERIAL , ENCAPSULATION = PPP )\nEND\n";
                });
     }},
};

// A folder of its own for a repository and its files.
struct folder {
    std::string dir;
    folder() {
        char tmpl[] = "/tmp/ndl-shapes-bench-XXXXXX";
        dir = mkdtemp(tmpl);
    }
    ~folder() { std::filesystem::remove_all(dir); }
    void write(const std::string &name, const std::string &text) const { std::ofstream(dir + "/" + name) << text; }
};

// Seconds of one NDL_parsefile call of `files` from `dir` into `db`; negative
// when it did not return 0.
double timed_load(const std::string &db, const std::string &dir, const std::string &files,
                  const std::string &mode = "") {
    extproc::Session session(db);
    if (!session.ok()) return -1;
    auto t0 = clock_type::now();
    extproc::CallResult r = session.call("cfgproc", "NDL_parsefile", {dir, files, mode});
    double s = std::chrono::duration<double>(clock_type::now() - t0).count();
    return r.ok() && r.ret == 0 ? s : -1;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Interleaved pairs of two measurements: the medians of each, the median
// of the pairs' ratios and their range.
void report_pairs(benchmark::State &state, const std::function<double()> &a, const std::function<double()> &b,
                  double scale, int pairs = 3) {
    std::vector<double> as, bs, ratios;
    for (auto _ : state)
        for (int p = 0; p < pairs; ++p) {
            double ta = a(), tb = b();
            if (ta < 0 || tb < 0) {
                state.SkipWithError("a load failed");
                return;
            }
            as.push_back(ta);
            bs.push_back(tb);
            ratios.push_back(ta / tb * scale);
        }
    state.counters["a_s"] = median(as);
    state.counters["b_s"] = median(bs);
    state.counters["ratio"] = median(ratios);
    state.counters["ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["ratio_max"] = *std::max_element(ratios.begin(), ratios.end());
}

// Per item, the large load against the small one (a: large, b: small).
void BM_ListShape(benchmark::State &state) {
    const shape &s = kShapes[state.range(0)];
    state.SetLabel(s.name);
    folder f;
    f.write("small.ndl", s.text(s.small));
    f.write("large.ndl", s.text(s.large));
    auto load = [&](const char *file) {
        std::filesystem::remove(f.dir + "/repo.db");
        return timed_load(f.dir + "/repo.db", f.dir, file);
    };
    report_pairs(
        state, [&] { return load("large.ndl"); }, [&] { return load("small.ndl"); },
        static_cast<double>(s.small) / s.large);
}
BENCHMARK(BM_ListShape)->DenseRange(0, std::size(kShapes) - 1)->Unit(benchmark::kSecond)->Iterations(1);

// A domain of V variables stored, reloaded without them (a: with M
// instances of the domain, none live; b: with none): the whole reload,
// its checks among it.
void BM_ReloadDroppingVariables(benchmark::State &state) {
    int v = static_cast<int>(state.range(0)), m = static_cast<int>(state.range(1));
    folder f;
    std::string topology = examples("network.ndl");
    std::string domain = "DOMAIN NORTH BEGIN\n";
    size_t at = topology.find(domain) + domain.size();
    f.write("with.ndl", std::string(topology).insert(at, repeat(v, [](int i) {
        return "  VARIABLE = ( NAME = V" + std::to_string(i) + " , MODE = VARIABLE-UNASSIGNED , TYPE = NUMBER )\n";
    })));
    f.write("without.ndl", topology);
    f.write("customer.ndl", examples("customer.ndl"));
    // Each repository holds the variables; `instances` rows of the domain.
    auto stored = [&](const std::string &db, int instances) {
        std::filesystem::remove(db);
        if (timed_load(db, f.dir, "with.ndl,customer.ndl") < 0) return false;
        sqlite3 *h = nullptr;
        sqlite3_open(db.c_str(), &h);
        std::string sql = "WITH RECURSIVE i(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM i WHERE n < " +
                          std::to_string(instances) +
                          ") INSERT INTO domaininstance SELECT networkid, 1, 'NORTH', n, 1, 1 FROM networks, i";
        bool ok = instances == 0 || sqlite3_exec(h, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(h);
        return ok;
    };
    auto reload = [&](const char *name, int instances) {
        std::string db = f.dir + "/" + name;
        if (!stored(db, instances)) return -1.0;
        // A changed topology is loaded with its customer types.
        return timed_load(db, f.dir, "without.ndl,customer.ndl", "updateversion");
    };
    report_pairs(
        state, [&] { return reload("many.db", m); }, [&] { return reload("none.db", 0); }, 1.0);
}
BENCHMARK(BM_ReloadDroppingVariables)
    ->ArgNames({"variables", "instances"})
    ->Args({10000, 10000})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

// The policy sections of the sample grown to N copies loaded with
// createversion 100 times after the whole network: the last five loads
// against the first five (a: 96th to 100th, b: 1st to 5th).
void BM_HundredthVersion(benchmark::State &state) {
    folder f;
    auto files = sample::network(static_cast<int>(state.range(0)));
    for (size_t i = 0; i < files.size(); ++i) f.write(sample::kFiles[i], files[i]);
    std::string all = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
    std::string policies = "routing.ndl,firewall.ndl,qos.ndl";
    std::vector<double> first, last;
    for (auto _ : state) {
        std::string db = f.dir + "/repo.db";
        std::filesystem::remove(db);
        if (timed_load(db, f.dir, all) < 0) {
            state.SkipWithError("the network did not load");
            return;
        }
        for (int v = 1; v <= 100; ++v) {
            double s = timed_load(db, f.dir, policies, "createversion");
            if (s < 0) {
                state.SkipWithError("a createversion load failed");
                return;
            }
            if (v <= 5) first.push_back(s);
            if (v > 95) last.push_back(s);
        }
    }
    state.counters["first_s"] = median(first);
    state.counters["hundredth_s"] = median(last);
    state.counters["ratio"] = median(last) / median(first);
}
BENCHMARK(BM_HundredthVersion)->Arg(300)->Unit(benchmark::kSecond)->Iterations(1);

// The sample network grown to N copies, loaded whole 20 times into one
// repository, each time under a name of its own: the 20th network against
// the first (the target: within 1.15x), and the 18th to 20th against the
// first three. CPU seconds of the process (user+sys), which a busy machine
// disturbs less than the clock; the median of three rounds.
double cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_TwentiethNetwork(benchmark::State &state) {
    constexpr int kNetworks = 20;
    folder f;
    auto files = sample::network(static_cast<int>(state.range(0)));
    std::string all;
    for (size_t i = 0; i < files.size(); ++i) all += std::string(i ? "," : "") + sample::kFiles[i];
    for (int n = 1; n <= kNetworks; ++n) {
        std::string sub = f.dir + "/net" + std::to_string(n);
        std::filesystem::create_directory(sub);
        for (size_t i = 0; i < files.size(); ++i) {
            std::string text = files[i];
            std::string name = "NET" + std::to_string(n);
            for (size_t at = text.find("SAMPLENET"); at != std::string::npos; at = text.find("SAMPLENET", at))
                text.replace(at, 9, name);
            std::ofstream(sub + "/" + sample::kFiles[i]) << text;
        }
    }
    std::vector<double> first, last, ratio, ratio3;
    for (auto _ : state)
        for (int round = 0; round < 3; ++round) {
            std::string db = f.dir + "/repo.db";
            std::filesystem::remove(db);
            std::vector<double> cpu;
            for (int n = 1; n <= kNetworks; ++n) {
                double c0 = cpu_seconds();
                if (timed_load(db, f.dir + "/net" + std::to_string(n), all, "initializedata") < 0) {
                    state.SkipWithError("a network did not load");
                    return;
                }
                cpu.push_back(cpu_seconds() - c0);
            }
            first.push_back(cpu.front());
            last.push_back(cpu.back());
            ratio.push_back(cpu.back() / cpu.front());
            ratio3.push_back((cpu[17] + cpu[18] + cpu[19]) / (cpu[0] + cpu[1] + cpu[2]));
        }
    state.counters["first_cpu_s"] = median(first);
    state.counters["twentieth_cpu_s"] = median(last);
    state.counters["ratio"] = median(ratio);
    state.counters["ratio_min"] = *std::min_element(ratio.begin(), ratio.end());
    state.counters["ratio_max"] = *std::max_element(ratio.begin(), ratio.end());
    state.counters["last3_first3"] = median(ratio3);
}
BENCHMARK(BM_TwentiethNetwork)->Arg(100)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char **argv) {
    setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
