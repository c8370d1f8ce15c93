// The allocation sweep: each program of a sweep runs once whole, counting
// its allocations, then once per N with the Nth failing (a preloaded
// operator new), then once per point where each OCI fault can fire. Every
// run must end as the whole run did, or fail with its failure status and a
// message, the repository as it was, no crash, no sanitizer report.
//
// NDL_SWEEP_STRIDE=S tries every Sth N (CI's default below; 1 for all),
// NDL_SWEEP_SHARD=i/n only the ith of n shares of them
// (scripts/alloc-sweep.sh runs every N in parallel shares),
// NDL_SWEEP_FROM=N starts at N (default 1: the start-up too).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "repo_test.h"
#include "run_program.h"

namespace {

constexpr long kCiStride = 97;
constexpr long kMostFaultPoints = 100000;

const std::string kLayer = "in the OCI layer: ";

enum class Base { None, Empty, Sample };

struct Sweep {
    const char *name;
    const char *program;
    // "@DB" stands for the repository, "@DIR" for the sweep's folder.
    std::vector<std::string> args;
    Base base;
    int failure;          // the status of a failed run
    bool procedure;       // a failed procedure also ends 1 with "return: N"
};
void PrintTo(const Sweep &s, std::ostream *os) { *os << s.name; }

const std::string kSample = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";

const Sweep kSweeps[] = {
    {"fresh", "extproc", {"--repository", "@DB", "parse", "--dir", NDL_EXAMPLES, "--files", kSample}, Base::Empty, 2,
     false},
    {"reload", "extproc",
     {"--repository", "@DB", "parse", "--dir", NDL_EXAMPLES, "--files", kSample, "--mode", "updateversion"},
     Base::Sample, 2, false},
    {"cfgload", "cfgload", {NDL_EXAMPLES "/network.ndl", "ndl/ndl"}, Base::Empty, 1, false},
    {"subnet", "extproc", {"call", "addrkit", "C_get_next_subnw", "10.0.0.0", "8", "10.0.0.0", "24", "24"},
     Base::None, 2, true},
    {"aggregateLob", "extproc", {"call", "addrkit", "C_aggregateLob", "@@DIR/networks", "@@DIR/prefixes"},
     Base::None, 2, true},
    {"create_dir", "extproc", {"call", "addrkit", "C_create_dir", "@DIR", "made"}, Base::None, 2, true},
    {"solaris_subnet", "extproc",
     {"call", "tmplibaddrkit", "C_get_next_subnw", "10.0.0.0", "8", "10.0.0.0", "24", "24"}, Base::None, 2, true},
    {"natLob", "extproc", {"call", "tmplibaddrkit", "C_get_ipaddress_natLob", "10.0.0.0", "24", "@@DIR/used"},
     Base::None, 2, true},
    {"evaluate", "extproc", {"call", "addrkit", "C_evaluate_expression", "p", "x", "sqrt(16)+max(2,3)*4"},
     Base::None, 2, true},
    {"dirlist", "extproc", {"call", "folderwalk", "_Z7dirlistPcS_", NDL_EXAMPLES}, Base::None, 2, true},
};

const char *const kFaultKinds[] = {"prepare",   "define",       "execute",    "fetch",  "lobwrite",  "lobread",
                                   "loblength", "sessionbegin", "extprocenv", "commit", "checkpoint"};

long env_long(const char *name, long fallback) {
    const char *v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// The sanitizer runtime wants to be the first library of the process; the
// shim, preloaded, comes before it and takes operator new from it. Its
// own exit status must not pass for a failed load's.
std::string asan_options() {
    const char *now = std::getenv("ASAN_OPTIONS");
    return std::string("ASAN_OPTIONS=verify_asan_link_order=0:exitcode=99") + (now && *now ? ":" : "") +
           (now ? now : "");
}

bool contains(const std::string &s, const char *what) { return s.find(what) != std::string::npos; }

// A timestamp stored by SYSDATE differs from run to run.
std::string masked_dump(const std::string &db) {
    static const std::regex stamp(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    return std::regex_replace(repository_dump(db), stamp, "<time>");
}

struct Outcome {
    ProgramRun run;
    std::string bytes, dump;  // of the repository after the run
};

class AllocSweep : public ::testing::TestWithParam<Sweep> {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-sweep-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        db_ = dir_ + "/repository.db";
        std::ofstream(dir_ + "/networks") << "10.0.0.0 10.0.1.0";
        std::ofstream(dir_ + "/prefixes") << "24 24";
        std::ofstream(dir_ + "/used") << "10.0.0.1 10.0.0.2";
        const Sweep &s = GetParam();
        if (s.base != Base::None) {
            // A repository with its schema and nothing stored (cfgload makes
            // its own layout's, writing a load file instead of rows); the
            // sample on it.
            if (s.program == std::string("cfgload")) {
                run_program(exe("cfgload"), {std::string(NDL_EXAMPLES) + "/network.ndl", "ndl/ndl", "createfile",
                                             dir_ + "/base"},
                            Stdout::Captured, {"NDL_REPOSITORY=" + db_});
            } else {
                extproc::Session make(db_);
            }
            if (s.base == Base::Sample) {
                ProgramRun r = run_program(exe("extproc"), {"--repository", db_, "parse", "--dir", NDL_EXAMPLES,
                                                            "--files", kSample});
                ASSERT_EQ(r.status, 0) << r.out << r.err;
            }
            ASSERT_TRUE(std::filesystem::exists(db_));
            base_ = read_text(db_);
            base_dump_ = masked_dump(db_);
        }
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string exe(const std::string &program) { return std::string(NDL_BIN_DIR) + "/" + program; }

    // One run of the sweep's program on a fresh copy of the base.
    Outcome run(std::vector<std::string> args, std::vector<std::string> env) {
        const Sweep &s = GetParam();
        std::filesystem::remove_all(dir_ + "/made");
        for (const char *end : {"", "-wal", "-shm"}) std::filesystem::remove(work_ + end);
        if (s.base != Base::None) std::ofstream(work_, std::ios::binary) << base_;
        for (std::string &a : args) {
            if (a == "@DB") a = work_;
            for (size_t at; (at = a.find("@DIR")) != std::string::npos;) a.replace(at, 4, dir_);
        }
        env.push_back("NDL_REPOSITORY=" + work_);
        Outcome o;
        o.run = run_program(exe(s.program), args, Stdout::Captured, env);
        if (s.base != Base::None && std::filesystem::exists(work_)) {
            o.bytes = read_text(work_);
            o.dump = masked_dump(work_);
        }
        return o;
    }
    Outcome run(std::vector<std::string> env) { return run(GetParam().args, std::move(env)); }

    // Empty when the run ended rightly, else why not; a fault of the OCI
    // layer's own says so first.
    std::string judge(const Outcome &o, bool memory) const {
        std::string why = verdict(o, memory);
        bool layer = contains(o.run.err, "/platform/oci/") || contains(o.run.err, "libsqlite3");
        return why.empty() || !layer ? why : kLayer + why;
    }

    std::string verdict(const Outcome &o, bool memory) const {
        const Sweep &s = GetParam();
        const ProgramRun &r = o.run;
        if (contains(r.err, "Sanitizer") || contains(r.err, "runtime error")) return "sanitizer report";
        if (r.status < 0 || r.status > 2) return "crash or abort (status " + std::to_string(r.status) + ")";
        if (r.status == whole_.run.status && o.dump == whole_.dump &&
            (!s.procedure || r.out == whole_.run.out)) {
            // A committed load whose log is lost says it was committed.
            if (r.out.empty() && s.base != Base::None && !contains(r.err, "committed"))
                return "a committed load without its log that does not say it was committed";
            return {};
        }
        // A procedure fails with a return of its own (2, or dirlist's 1 and
        // C_create_dir's -1), or its result is lost (1).
        bool refused = s.procedure && r.status == 1 && contains(r.out, "return: ") && !contains(r.out, "return: 0\n");
        bool failed = r.status == s.failure || (s.procedure && r.status == 1) || refused;
        if (!failed) return "status " + std::to_string(r.status) + " is neither the whole run's nor a failure";
        // dirlist has no error text to say it in.
        bool can_say = !refused || contains(r.out, "error: ");
        if (memory && can_say && !contains(r.out + r.err, "memory")) return "a failure for memory that does not say so";
        if (!memory && r.err.empty() && !contains(r.out, "rror")) return "a failure without a message";
        if (s.base != Base::None && (o.bytes != base_ || o.dump != base_dump_))
            return "a failure that changed the repository";
        return {};
    }

    // Keeps why the run at POINT ended wrongly, the first such run's output
    // with it.
    void tally(std::map<std::string, std::vector<std::string>> &wrong, const std::string &why,
               const std::string &point, const ProgramRun &r) {
        if (why.empty()) return;
        std::vector<std::string> &points = wrong[why];
        if (points.empty()) points.push_back("\n" + r.out.substr(r.out.size() - std::min<size_t>(r.out.size(), 300)) +
                                             r.err.substr(0, 1500) + "\n");
        points.push_back(point);
    }

    static void report(const std::map<std::string, std::vector<std::string>> &wrong) {
        for (const auto &[why, points] : wrong) {
            std::string list;
            for (size_t i = 1; i < points.size() && i < 400; ++i) list += " " + points[i];
            ADD_FAILURE() << points.size() - 1 << " runs: " << why << ":" << list << "\nthe first:" << points[0];
        }
    }

    bool mine(long i) const { return i % shards_ == shard_; }

    void measure_whole() {
        std::string count = dir_ + "/count";
        whole_ = run({"LD_PRELOAD=" + std::string(NDL_ALLOC_SHIM), "NDL_COUNT_NEW=" + count, asan_options()});
        ASSERT_EQ(judge(whole_, false), "");
        allocations_ = std::stol(read_text(count));
        ASSERT_GT(allocations_, 0);
    }

    void SetUpShards() {
        std::string shard = std::getenv("NDL_SWEEP_SHARD") ? std::getenv("NDL_SWEEP_SHARD") : "";
        if (size_t slash = shard.find('/'); slash != std::string::npos) {
            shard_ = std::stol(shard.substr(0, slash));
            shards_ = std::stol(shard.substr(slash + 1));
        }
    }

    std::string dir_, db_, base_, base_dump_;
    std::string work_ = "";
    Outcome whole_;
    long allocations_ = 0, shard_ = 0, shards_ = 1;
    long stride_ = std::max(1L, env_long("NDL_SWEEP_STRIDE", kCiStride));
};

TEST_P(AllocSweep, EveryAllocationFailsInTurn) {
    work_ = dir_ + "/work.db";
    SetUpShards();
    measure_whole();
    std::map<std::string, std::vector<std::string>> wrong;
    long first = env_long("NDL_SWEEP_FROM", 1);
    long step = 0;
    for (long n = first; n <= allocations_; n += stride_, ++step) {
        if (!mine(step)) continue;
        Outcome o = run({"LD_PRELOAD=" + std::string(NDL_ALLOC_SHIM), "NDL_FAIL_NEW=" + std::to_string(n), asan_options()});
        tally(wrong, judge(o, true), std::to_string(n), o.run);
    }
    report(wrong);
}

TEST_P(AllocSweep, EveryOciFaultFiresInTurn) {
    work_ = dir_ + "/work.db";
    SetUpShards();
    whole_ = run({});
    std::map<std::string, std::vector<std::string>> wrong;
    long which = 0;
    for (const char *kind : kFaultKinds) {
        if (!mine(which++)) continue;
        // Until the fault no longer fires: the run is then the whole one.
        for (long k = 1; k < kMostFaultPoints; k += stride_) {
            Outcome o = run({std::string("NDL_OCI_FAULT=") + kind + ":" + std::to_string(k)});
            if (o.run.status == whole_.run.status && o.run.out == whole_.run.out && o.run.err == whole_.run.err &&
                o.dump == whole_.dump)
                break;
            tally(wrong, judge(o, false), std::string(kind) + ":" + std::to_string(k), o.run);
        }
    }
    report(wrong);
}

INSTANTIATE_TEST_SUITE_P(Runs, AllocSweep, ::testing::ValuesIn(kSweeps),
                         [](const ::testing::TestParamInfo<Sweep> &i) { return std::string(i.param.name); });

}  // namespace
