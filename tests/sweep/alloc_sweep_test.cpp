// The allocation sweep: each program of a sweep runs once whole, counting
// its allocations, then once per N with the Nth failing (a preloaded
// operator new), then once per point where each OCI fault can fire. The
// loads and a call are swept again with the Nth allocation and every later
// one failing (lasting exhaustion), and in both ways with the C
// allocations failing (a preloaded malloc, which needs a build without
// AddressSanitizer); on the server that sweep also fails, at a stride of
// their own, the C allocations that libpq makes itself. Every run must end as the whole run did, or fail with
// its failure status and a message (of memory, where an allocation
// failed), the repository as it was (no file where there was none), no
// crash, no sanitizer report.
//
// NDL_SWEEP_STRIDE=S tries every Sth N (CI's defaults below; 1 for all)
// and each of the last few, which run after the commit,
// NDL_SWEEP_OFFSET=K starts each stride K further on (test.sh derives it
// from the commit, so that commits in turn try every N),
// NDL_SWEEP_TAIL=T tries each of the last T (default 40),
// NDL_SWEEP_ONLY=N tries that N alone (what a failure says to repeat),
// NDL_SWEEP_SHARD=i/n only the ith of n shares of them
// (scripts/alloc-sweep.sh runs every N in parallel shares),
// NDL_SWEEP_FROM=N starts at N (default 1: the start-up too),
// NDL_SWEEP_STRIDE_SCALE=K widens CI's strides K times (default 5 on the
// server, 1 on SQLite).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "repo_test.h"
#include "run_program.h"
#include "sweep_dump.h"

namespace {

constexpr long kCiStride = 97;  // CI's stride of OCI fault points
constexpr long kMostFaultPoints = 100000;
// The last allocations of a run, each swept whatever the stride.
constexpr long kTail = 40;
// Where the strides start by default: the offset of a run without one.
constexpr long kOffset = 0;
// CI's stride through the C allocations libpq makes itself.
constexpr long kLibpqStride = 19;

const std::string kLayer = "in the OCI layer: ";

// The repository a load starts from: none (a call needs none), no file
// yet, or the sample loaded.
enum class Base { None, New, Sample };

// A preloaded shim: the library, the variable that says which allocation
// fails, the one that names the file for its count, and CI's strides of N
// with one allocation failing and with every one from the Nth on (a run
// makes ten times as many C allocations as operator new's).
struct Shim {
    const char *library, *fail, *count;
    long once, lasting;
};
const Shim kNewShim{NDL_ALLOC_SHIM, "NDL_FAIL_NEW", "NDL_COUNT_NEW", 97, 101};
// libpq's TLS library crashes on a failed allocation of its own (a null
// lock after its random-number set-up failed): its allocations are spared.
const std::string kSpareCrypto = "NDL_MALLOC_SPARE=libcrypto";
const Shim kMallocShim{NDL_MALLOC_SHIM, "NDL_FAIL_MALLOC", "NDL_COUNT_MALLOC", 97, 211};

struct Sweep {
    const char *name;
    const char *program;
    // "@DB" stands for the repository, "@DIR" for the sweep's folder.
    std::vector<std::string> args;
    Base base;
    int failure;          // the status of a failed run
    bool procedure;       // a failed procedure also ends 1 with "return: N"
    // The OCI faults whose first call must change the run: the kinds of
    // call the program makes. None: it makes no OCI call.
    const char *oci_faults = "";
};
void PrintTo(const Sweep &s, std::ostream *os) { *os << s.name; }

// What a load through the host makes, and a call with CLOBs.
constexpr const char *kLoadFaults =
    "prepare define execute fetch lobwrite sessionbegin extprocenv commit checkpoint ownquery context";
constexpr const char *kLobFaults = "lobwrite lobread loblength extprocenv context";

const std::string kSample = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";

const Sweep kSweeps[] = {
    {"fresh", "extproc", {"--repository", "@DB", "parse", "--dir", NDL_EXAMPLES, "--files", kSample}, Base::New, 2,
     false, kLoadFaults},
    {"reload", "extproc",
     {"--repository", "@DB", "parse", "--dir", NDL_EXAMPLES, "--files", kSample, "--mode", "updateversion"},
     Base::Sample, 2, false, kLoadFaults},
    {"cfgload", "cfgload", {NDL_EXAMPLES "/network.ndl", "@LOGIN"}, Base::New, 1, false,
     "prepare define execute fetch sessionbegin commit checkpoint ownquery"},
    {"subnet", "extproc", {"call", "addrkit", "C_get_next_subnw", "10.0.0.0", "8", "10.0.0.0", "24", "24"},
     Base::None, 2, true},
    {"aggregateLob", "extproc", {"call", "addrkit", "C_aggregateLob", "@@DIR/networks", "@@DIR/prefixes"},
     Base::None, 2, true, kLobFaults},
    {"create_dir", "extproc", {"call", "addrkit", "C_create_dir", "@DIR", "made"}, Base::None, 2, true},
    {"solaris_subnet", "extproc",
     {"call", "tmplibaddrkit", "C_get_next_subnw", "10.0.0.0", "8", "10.0.0.0", "24", "24"}, Base::None, 2, true},
    {"natLob", "extproc", {"call", "tmplibaddrkit", "C_get_ipaddress_natLob", "10.0.0.0", "24", "@@DIR/used"},
     Base::None, 2, true, kLobFaults},
    {"evaluate", "extproc", {"call", "addrkit", "C_evaluate_expression", "p", "x", "sqrt(16)+max(2,3)*4"},
     Base::None, 2, true},
    {"dirlist", "extproc", {"call", "folderwalk", "_Z7dirlistPcS_", NDL_EXAMPLES}, Base::None, 2, true},
};

const char *const kFaultKinds[] = {"prepare",      "define",     "execute", "fetch",      "lobwrite", "lobread",
                                   "loblength",    "sessionbegin", "extprocenv", "commit", "checkpoint", "ownquery",
                                   "context"};

std::vector<std::string> split_words(const std::string &text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The kinds a backend's layer makes of a sweep's list: the server keeps no
// log file to checkpoint at the end, and its layer no queries of its own.
std::vector<std::string> required_faults(const Sweep &s) {
    std::vector<std::string> kinds = split_words(s.oci_faults);
    if (on_server_backend())
        for (const char *sqlite_only : {"checkpoint", "ownquery"})
            kinds.erase(std::remove(kinds.begin(), kinds.end(), sqlite_only), kinds.end());
    return kinds;
}

// How many allocations the shim failed, from its count file ("made failed").
long failed_of(const std::string &count) {
    std::istringstream in(count);
    long made = 0, failed = -1;
    in >> made >> failed;
    return failed;
}

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

// On the server each run starts from a database of its own: CI's strides
// are wider there.
long stride_scale() { return std::max(1L, env_long("NDL_SWEEP_STRIDE_SCALE", on_server_backend() ? 5 : 1)); }

struct Outcome {
    ProgramRun run;
    std::string bytes, dump;  // of the repository after the run
    bool file = false;        // any file of the repository is there
};

// The repository's file and those SQLite keeps beside it.
const char *const kEnds[] = {"", "-wal", "-shm", "-journal"};

class AllocSweep : public ::testing::TestWithParam<Sweep> {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ndl-sweep-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        if (on_server_backend() && !pg_server_available()) GTEST_SKIP() << "no test server (PGHOST, PGPORT)";
        if (on_server_backend() && GetParam().base == Base::None)
            GTEST_SKIP() << "it opens no repository: the run on SQLite is the same";
        server_ = on_server_backend();
        db_ = server_ ? fresh_repository(dir_) : dir_ + "/repository.db";
        std::ofstream(dir_ + "/networks") << "10.0.0.0 10.0.1.0";
        std::ofstream(dir_ + "/prefixes") << "24 24";
        std::ofstream(dir_ + "/used") << "10.0.0.1 10.0.0.2";
        const Sweep &s = GetParam();
        if (s.base == Base::Sample) {
            ProgramRun r =
                run_program(exe("extproc"), {"--repository", db_, "parse", "--dir", NDL_EXAMPLES, "--files", kSample});
            ASSERT_EQ(r.status, 0) << r.out << r.err;
            if (!server_) base_ = read_text(db_);
            base_dump_ = masked_dump(db_);
        }
    }
    void TearDown() override {
        if (server_) {
            drop_repository(work_);
            drop_repository(db_);
        }
        std::filesystem::remove_all(dir_);
    }

    static std::string exe(const std::string &program) { return std::string(NDL_BIN_DIR) + "/" + program; }

    // One run of the sweep's program on a fresh copy of the base.
    Outcome run(std::vector<std::string> args, std::vector<std::string> env) {
        const Sweep &s = GetParam();
        std::filesystem::remove_all(dir_ + "/made");
        if (server_) {
            // A database of its own: the base's copy, or a new one.
            drop_repository(work_);
            work_ = s.base == Base::Sample ? server_copy(db_) : fresh_repository(dir_);
        }
        for (const char *end : kEnds) std::filesystem::remove(work_ + end);
        if (s.base == Base::Sample && !server_) std::ofstream(work_, std::ios::binary) << base_;
        for (std::string &a : args) {
            if (a == "@DB") a = work_;
            // The default database of the environment, or the server's account.
            if (a == "@LOGIN") a = server_ ? login_for(work_) : "ndl/ndl";
            for (size_t at; (at = a.find("@DIR")) != std::string::npos;) a.replace(at, 4, dir_);
        }
        env.push_back("NDL_REPOSITORY=" + work_);
        Outcome o;
        o.run = run_program(exe(s.program), args, Stdout::Captured, env);
        if (server_) {
            // The server keeps no file: a new database that holds no table
            // is as good as none.
            o.dump = masked_dump(work_);
            o.file = !repository_tables(work_).empty();
            return o;
        }
        if (s.base != Base::None && std::filesystem::exists(work_)) {
            o.bytes = read_text(work_);
            // Unchanged bytes hold the same rows (SQLite's -wal is empty then).
            bool same = o.bytes == base_ && !std::filesystem::exists(work_ + "-wal");
            o.dump = same ? base_dump_ : masked_dump(work_);
        }
        for (const char *end : kEnds) o.file |= s.base != Base::None && std::filesystem::exists(work_ + end);
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
        if (r.status == 3) {
            // A commit whose end memory cut off: said to be unknown, never
            // "nothing stored", and a reader finds the load whole or none of it.
            const std::string said = r.out + r.err;
            if (!contains(said, "cannot be known")) return "status 3 without a word that the outcome cannot be known";
            if (contains(said, "nothing was stored") || contains(said, "NOT CHANGED"))
                return "an outcome that cannot be known reported as nothing stored";
            if (o.dump != whole_.dump && o.dump != base_dump_) return "an unknown outcome that stored part of the load";
            return {};
        }
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
        if (s.base != Base::None && o.dump == whole_.dump && whole_.dump != base_dump_)
            return "a committed load reported as failed";
        if (s.base == Base::New && o.file) return "a failure that left a file where there was none";
        if (s.base == Base::Sample && (o.bytes != base_ || o.dump != base_dump_))
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

    // Each way of ending wrongly, its points, the first run's output and,
    // where the points are allocations, the command that repeats the first.
    void report(const std::map<std::string, std::vector<std::string>> &wrong, bool allocations = false) const {
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        for (const auto &[why, points] : wrong) {
            std::string list;
            for (size_t i = 1; i < points.size() && i < 400; ++i) list += " " + points[i];
            std::string repeat;
            if (allocations)
                repeat = "\nrepeat it: (cd " NDL_BIN_DIR "/.. && NDL_SWEEP_ONLY=" + std::to_string(std::stol(points[1])) +
                         " ctest --output-on-failure -R '^" + (server_ ? "pg\\." : "") + test->test_suite_name() +
                         "\\." + test->name() + "( |$)')";
            ADD_FAILURE() << points.size() - 1 << " runs: " << why << ":" << list << repeat << "\nthe first:" << points[0];
        }
    }

    bool mine(long i) const { return i % shards_ == shard_; }

    void measure_whole(const Shim &shim) {
        std::string count = dir_ + "/count", libpq = dir_ + "/libpq";
        std::vector<std::string> env{"LD_PRELOAD=" + std::string(shim.library), shim.count + ("=" + count),
                                     asan_options()};
        // On the server, libpq's own C allocations are each swept.
        if (server_ && &shim == &kMallocShim) env.push_back("NDL_MALLOC_FROM=libpq:" + libpq);
        if (server_ && &shim == &kMallocShim) env.push_back(kSpareCrypto);
        whole_ = run(env);
        ASSERT_EQ(judge(whole_, false), "");
        allocations_ = std::stol(read_text(count));
        ASSERT_GT(allocations_, 0);
        std::istringstream in(read_text(libpq));
        for (long n; in >> n;) libpq_.push_back(n);
        if (server_ && &shim == &kMallocShim) {
            ASSERT_FALSE(libpq_.empty()) << "libpq made no C allocation";
        }
    }

    // Fails the Nth allocation of SHIM (with every later one when LASTING)
    // for every Sth N.
    void sweep(const Shim &shim, bool lasting) {
        work_ = dir_ + "/work.db";
        SetUpShards();
        long stride = std::max(1L, env_long("NDL_SWEEP_STRIDE", (lasting ? shim.lasting : shim.once) * stride_scale()));
        ASSERT_NO_FATAL_FAILURE(measure_whole(shim));
        std::map<std::string, std::vector<std::string>> wrong;
        // Every Sth N from the offset on, and each of the last ones: the
        // write, the commit and what runs after it.
        long first = env_long("NDL_SWEEP_FROM", 1);
        long offset = std::max(0L, env_long("NDL_SWEEP_OFFSET", kOffset));
        long tail = std::max(0L, env_long("NDL_SWEEP_TAIL", kTail));
        std::set<long> points;
        for (long n = first + offset % stride; n <= allocations_; n += stride) points.insert(n);
        for (long n = std::max(first, allocations_ - tail + 1); n <= allocations_; ++n) points.insert(n);
        // libpq's own, a thousand in a load, at a stride of their own.
        long libpq_stride = std::max(1L, env_long("NDL_SWEEP_STRIDE", kLibpqStride));
        for (size_t i = static_cast<size_t>(offset % libpq_stride); i < libpq_.size(); i += static_cast<size_t>(libpq_stride))
            if (libpq_[i] >= first) points.insert(libpq_[i]);
        if (long only = env_long("NDL_SWEEP_ONLY", 0); only > 0) points = {only};
        long step = 0, runs = 0;
        for (long n : points) {
            if (!mine(step++)) continue;
            std::string nth = std::to_string(n) + (lasting ? "+" : "");
            std::string count = dir_ + "/count";
            std::filesystem::remove(count);
            std::vector<std::string> env{"LD_PRELOAD=" + std::string(shim.library), shim.fail + ("=" + nth),
                                         shim.count + ("=" + count), asan_options()};
            if (server_ && &shim == &kMallocShim) env.push_back(kSpareCrypto);
            Outcome o = run(env);
            std::string why = judge(o, true);
            // A run that ended (a crash leaves no count) failed its Nth
            // allocation, or it tested nothing.
            if (why.empty() && std::filesystem::exists(count) && failed_of(read_text(count)) < 1)
                why = "the Nth allocation did not fail";
            tally(wrong, why, nth, o.run);
            ++runs;
        }
        std::printf("%ld runs of %ld allocations (%zu of them libpq's), stride %ld from offset %ld, the last %ld: %zu "
                    "ways of ending wrongly\n",
                    runs, allocations_, libpq_.size(), stride, offset % stride, tail, wrong.size());
        report(wrong, true);
    }

    void SetUpShards() {
        std::string shard = std::getenv("NDL_SWEEP_SHARD") ? std::getenv("NDL_SWEEP_SHARD") : "";
        if (size_t slash = shard.find('/'); slash != std::string::npos) {
            shard_ = std::stol(shard.substr(0, slash));
            shards_ = std::stol(shard.substr(slash + 1));
        }
    }

    bool server_ = false;  // the repositories are server databases
    std::string dir_, db_, base_, base_dump_;
    std::string work_ = "";
    Outcome whole_;
    long allocations_ = 0, shard_ = 0, shards_ = 1;
    std::vector<long> libpq_;  // the C allocations libpq made itself in the whole run
    long stride_ = std::max(1L, env_long("NDL_SWEEP_STRIDE", kCiStride * stride_scale()));
};

TEST_P(AllocSweep, EveryAllocationFailsInTurn) { sweep(kNewShim, false); }

TEST_P(AllocSweep, EveryOciFaultFiresInTurn) {
    if (!*GetParam().oci_faults) GTEST_SKIP() << "it makes no OCI call";
    work_ = dir_ + "/work.db";
    SetUpShards();
    whole_ = run({});
    std::map<std::string, std::vector<std::string>> wrong;
    std::string fired, silent;
    long which = 0;
    for (const char *kind : kFaultKinds) {
        if (!mine(which++)) continue;
        // Until the fault no longer fires: the run is then the whole one.
        long k = 1;
        for (; k < kMostFaultPoints; k += stride_) {
            Outcome o = run({std::string("NDL_OCI_FAULT=") + kind + ":" + std::to_string(k)});
            if (o.run.status == whole_.run.status && o.run.out == whole_.run.out && o.run.err == whole_.run.err &&
                o.dump == whole_.dump)
                break;
            tally(wrong, judge(o, false), std::string(kind) + ":" + std::to_string(k), o.run);
        }
        (k > 1 ? fired : silent) += std::string(" ") + kind;
    }
    report(wrong);
    // The kinds whose first call changed the run are the ones the sweep
    // tested; each the program makes must be among them.
    std::printf("faults that fired:%s; that changed nothing:%s\n", fired.c_str(), silent.c_str());
    for (const std::string &kind : required_faults(GetParam())) {
        if (!mine(std::find(std::begin(kFaultKinds), std::end(kFaultKinds), kind) - std::begin(kFaultKinds))) continue;
        EXPECT_NE((fired + " ").find(" " + kind + " "), std::string::npos) << "the " << kind << " fault never fired";
    }
}

// The loads and a call (most of whose C allocations load its library),
// swept in the other ways too.
class ExhaustionSweep : public AllocSweep {};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kOwnMalloc = true;
#else
constexpr bool kOwnMalloc = false;
#endif

TEST_P(ExhaustionSweep, EveryAllocationFailsFromTheNthOn) { sweep(kNewShim, true); }

TEST_P(ExhaustionSweep, EveryCAllocationFailsInTurn) {
    if (kOwnMalloc) GTEST_SKIP() << "AddressSanitizer owns malloc: the plain build of test.sh runs this";
    sweep(kMallocShim, false);
}

TEST_P(ExhaustionSweep, EveryCAllocationFailsFromTheNthOn) {
    if (kOwnMalloc) GTEST_SKIP() << "AddressSanitizer owns malloc: the plain build of test.sh runs this";
    sweep(kMallocShim, true);
}

auto sweep_name = [](const ::testing::TestParamInfo<Sweep> &i) { return std::string(i.param.name); };
INSTANTIATE_TEST_SUITE_P(Runs, AllocSweep, ::testing::ValuesIn(kSweeps), sweep_name);
// The first four sweeps: the loads and a call.
INSTANTIATE_TEST_SUITE_P(Runs, ExhaustionSweep, ::testing::ValuesIn(kSweeps, kSweeps + 4), sweep_name);

}  // namespace
