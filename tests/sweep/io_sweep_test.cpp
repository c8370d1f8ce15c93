// The file-system sweeps: each load runs once whole, counting the calls it
// makes on the repository's folder (tests/support/fs_shim.cpp, preloaded),
// then once per N with the Nth of them failing (EIO, then ENOSPC), once
// and from the Nth on, and once per N with the process ended just before
// its Nth write or sync. Every run must end as the whole run did, or fail
// with its failure status and a message; a later reader finds the rows the
// status speaks of (or, where the message says the outcome cannot be
// known, the old rows or the new ones whole), integrity holds, no new file
// stays unless its removal was itself failed, and a second load works. A
// run that ends with the outcome unknown has a status of its own, and is
// right only where a later reader finds the load whole (it was stored, and
// only the sync that would have made that certain failed), or the old rows
// where the layer could not decide (its empty transaction over the frames
// failed its sync too); the sweep counts both.
//
// NDL_SWEEP_STRIDE=S tries every Sth N (CI's defaults below; 1 for all),
// NDL_SWEEP_SHARD=i/n only the ith of n shares (scripts/io-sweep.sh).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "repo_test.h"
#include "run_program.h"
#include "sweep_dump.h"

namespace {

constexpr int kCrashStatus = 86;  // the shim's, for a run it ended
const char *const kErrnos[] = {"EIO", "ENOSPC"};
const char *const kEnds[] = {"", "-wal", "-shm", "-journal"};
const std::string kSample = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
const std::string kUnknown = "cannot be known";
constexpr int kUnknownStatus = 3;  // extproc's and cfgload's, for that outcome

enum class Base { New, Sample };

struct IoSweep {
    const char *name, *program;
    std::vector<std::string> args;  // "@DB" stands for the repository
    Base base;
    int failure;                     // the status of a failed run
    std::vector<std::string> again;  // the second load, unfailed
    long once, lasting, crash;       // CI's strides
};
void PrintTo(const IoSweep &s, std::ostream *os) { *os << s.name; }

const std::vector<std::string> kReload = {"--repository", "@DB",   "parse",   "--dir",        NDL_EXAMPLES,
                                          "--files",      kSample, "--mode",  "updateversion"};
const std::vector<std::string> kCfgload = {NDL_EXAMPLES "/network.ndl", "ndl/ndl"};
const std::vector<std::string> kCfgloadAgain = {NDL_EXAMPLES "/network.ndl", "ndl/ndl", "overwrite"};

const IoSweep kIoSweeps[] = {
    {"fresh", "extproc", {"--repository", "@DB", "parse", "--dir", NDL_EXAMPLES, "--files", kSample}, Base::New, 2,
     kReload, 37, 41, 31},
    {"reload", "extproc", kReload, Base::Sample, 2, kReload, 37, 41, 31},
    {"cfgload", "cfgload", kCfgload, Base::New, 1, kCfgloadAgain, 37, 41, 31},
};

long env_long(const char *name, long fallback) {
    const char *v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

bool contains(const std::string &s, const std::string &what) { return s.find(what) != std::string::npos; }

// What the shim counted: calls, writes and syncs among them, calls failed,
// unlinks and locks among those.
struct Counts {
    long calls = -1, writes = -1, failed = 0, unlinks_failed = 0, locks_failed = 0;
};

struct Outcome {
    ProgramRun run;
    Counts counts;
    std::string dump, integrity;
    std::vector<std::string> files;  // of the repository's, those there
};

// The tables whose rows differ between two dumps.
std::string differing_tables(const std::string &a, const std::string &b) {
    auto split = [](const std::string &d) {
        std::map<std::string, std::string> t;
        std::istringstream in(d);
        std::string line, table;
        while (std::getline(in, line))
            if (line.rfind("== ", 0) == 0)
                t[table = line.substr(3)];
            else
                t[table] += line + "\n";
        return t;
    };
    auto ta = split(a), tb = split(b);
    std::string out;
    for (const auto &[name, rows] : ta)
        if (!tb.count(name) || tb[name] != rows) out += " " + name;
    for (const auto &[name, rows] : tb)
        if (!ta.count(name)) out += " " + name;
    return out;
}

bool no_rows(const std::string &dump) {
    std::istringstream in(dump);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("== ", 0) != 0) return false;
    return true;
}

class IoFaults : public ::testing::TestWithParam<IoSweep> {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "AddressSanitizer intercepts the file-system calls: the plain build of test.sh runs this";
#endif
        char tmpl[] = "/tmp/ndl-iosweep-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        repo_ = dir_ + "/repo";
        work_ = repo_ + "/work.db";
        std::filesystem::create_directory(repo_);
        if (GetParam().base == Base::Sample) {
            std::string db = dir_ + "/base.db";
            ProgramRun r =
                run_program(exe("extproc"), {"--repository", db, "parse", "--dir", NDL_EXAMPLES, "--files", kSample});
            ASSERT_EQ(r.status, 0) << r.out << r.err;
            ASSERT_FALSE(std::filesystem::exists(db + "-wal"));
            base_ = read_text(db);
            base_dump_ = masked_dump(db);
        }
        std::string shard = std::getenv("NDL_SWEEP_SHARD") ? std::getenv("NDL_SWEEP_SHARD") : "";
        if (size_t slash = shard.find('/'); slash != std::string::npos) {
            shard_ = std::stol(shard.substr(0, slash));
            shards_ = std::stol(shard.substr(slash + 1));
        }
        whole_ = run({});
        ASSERT_EQ(whole_.run.status, 0) << whole_.run.out << whole_.run.err;
        ASSERT_GT(whole_.counts.calls, 0) << "the shim counted no call on " << repo_;
        ASSERT_NE(whole_.dump, base_dump_);
    }
    void TearDown() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    static std::string exe(const std::string &program) { return std::string(NDL_BIN_DIR) + "/" + program; }

    void reset() const {
        for (const char *end : kEnds) std::filesystem::remove(work_ + end);
        if (GetParam().base == Base::Sample) std::ofstream(work_, std::ios::binary) << base_;
    }

    ProgramRun launch(std::vector<std::string> args, std::vector<std::string> env) const {
        for (std::string &a : args)
            if (a == "@DB") a = work_;
        env.push_back("NDL_REPOSITORY=" + work_);
        // cfgload's log and load files stay out of the folder.
        return run_program(exe(GetParam().program), args, Stdout::Captured, env);
    }

    // One run on a fresh copy of the base, with the shim set by ENV.
    Outcome run(std::vector<std::string> env) const {
        reset();
        std::string count = dir_ + "/count";
        std::filesystem::remove(count);
        env.push_back("LD_PRELOAD=" NDL_FS_SHIM);
        env.push_back("NDL_FS_DIR=" + repo_);
        env.push_back("NDL_FS_COUNT=" + count);
        Outcome o;
        o.run = launch(GetParam().args, env);
        std::ifstream(count) >> o.counts.calls >> o.counts.writes >> o.counts.failed >> o.counts.unlinks_failed >>
            o.counts.locks_failed;
        for (const char *end : kEnds)
            if (std::filesystem::exists(work_ + end)) o.files.push_back(std::string("work.db") + end);
        if (std::filesystem::exists(work_)) {
            o.dump = masked_dump(work_);
            std::vector<std::string> check = query_rows(work_, "PRAGMA integrity_check");
            o.integrity = check.size() == 1 ? check[0] : "no answer";
        }
        return o;
    }

    // Empty when the run ended rightly, else why not.
    std::string verdict(const Outcome &o, bool crash) const {
        const IoSweep &s = GetParam();
        const ProgramRun &r = o.run;
        std::string said = r.out + r.err;
        // A run ended on purpose leaves no count.
        if (o.counts.calls < 0 && !crash) return "the shim did not run";
        if (crash) {
            if (r.status != kCrashStatus) return "the crash never came (status " + std::to_string(r.status) + ")";
        } else {
            if (o.counts.failed == 0) return "the fault never fired";
            if (r.status != 0 && r.status != s.failure && r.status != kUnknownStatus)
                return "status " + std::to_string(r.status) + " is neither success, failure nor unknown";
        }
        if (!o.dump.empty() && o.integrity != "ok") return "integrity check: " + o.integrity;
        // A crash cannot remove the new file it made: the schema that the
        // logon commits holds no rows, as no file did.
        bool old_rows = o.dump == base_dump_ || (crash && s.base == Base::New && no_rows(o.dump));
        bool new_rows = o.dump == whole_.dump;
        if (!old_rows && !new_rows) {
            // A new file whose removal failed holds no rows.
            if (s.base == Base::New && o.counts.unlinks_failed && no_rows(o.dump) && r.status != 0) return {};
            return "neither the old rows nor the new (tables" + differing_tables(o.dump, whole_.dump) +
                   ")";
        }
        if (crash) return {};
        bool unknown = contains(said, kUnknown);
        if (unknown != (r.status == kUnknownStatus))
            return unknown ? "an outcome that cannot be known reported with status " + std::to_string(r.status)
                           : "status 3 without a word that the outcome cannot be known";
        if (unknown) {
            if (contains(said, "nothing was stored") || contains(said, "NOT CHANGED"))
                return "an outcome that cannot be known reported as nothing stored";
            ++(new_rows ? unknown_found_ : unknown_absent_);
        }
        if (r.status == 0) return new_rows ? "" : "a load reported stored whose rows a later reader does not find";
        if (!unknown && !contains(r.err, "rror") && !contains(r.out, "rror") && r.err.empty())
            return "a failure without a message";
        if (!unknown && new_rows) return "a load reported failed whose rows a later reader finds";
        // Where the outcome is not known the log that may hold it stays;
        // SQLite removes its log only under a lock that proves nobody else
        // uses it.
        bool companions = false;
        for (const std::string &f : o.files) companions |= s.base == Base::New || f != "work.db";
        bool removal_failed = o.counts.unlinks_failed || (s.base == Base::Sample && o.counts.locks_failed);
        if (companions && !unknown && !removal_failed) return "a failure that left a file where there was none";
        return {};
    }

    // A second, unfailed load on what the run left, unless it left what the
    // whole run leaves.
    std::string second_load(const Outcome &o) const {
        if (o.run.status == 0 && o.dump == whole_.dump && o.files == whole_.files) return {};
        ProgramRun r = launch(GetParam().again, {});
        return r.status == 0 ? "" : "the second load failed: " + r.out.substr(r.out.size() - std::min<size_t>(r.out.size(), 200)) + r.err;
    }

    void tally(const std::string &why, const std::string &point, const ProgramRun &r) {
        if (why.empty()) return;
        std::vector<std::string> &points = wrong_[why];
        if (points.empty())
            points.push_back("\n" + r.out.substr(r.out.size() - std::min<size_t>(r.out.size(), 300)) +
                             r.err.substr(0, 1500) + "\n");
        points.push_back(point);
    }

    void report() const {
        for (const auto &[why, points] : wrong_) {
            std::string list;
            for (size_t i = 1; i < points.size() && i < 400; ++i) list += " " + points[i];
            ADD_FAILURE() << points.size() - 1 << " runs: " << why << ":" << list << "\nthe first:" << points[0];
        }
    }

    // Every Sth of 1..LAST that is this shard's.
    std::vector<long> points(long last, long ci_stride) const {
        long stride = std::max(1L, env_long("NDL_SWEEP_STRIDE", ci_stride));
        std::vector<long> out;
        long step = 0;
        for (long n = 1; n <= last; n += stride)
            if (step++ % shards_ == shard_) out.push_back(n);
        return out;
    }

    void sweep_failures(bool lasting) {
        const IoSweep &s = GetParam();
        long runs = 0;
        for (const char *err : kErrnos)
            for (long n : points(whole_.counts.calls, lasting ? s.lasting : s.once)) {
                std::string nth = std::to_string(n) + (lasting ? "+" : "");
                Outcome o = run({"NDL_FS_FAIL=" + nth, std::string("NDL_FS_ERRNO=") + err});
                std::string point = std::string(err) + ":" + nth;
                tally(verdict(o, false), point, o.run);
                tally(second_load(o), point, o.run);
                ++runs;
            }
        std::printf("%ld runs of %ld calls: %zu ways of ending wrongly; %ld unknown outcomes, the load found whole "
                    "in %ld of them\n",
                    runs, whole_.counts.calls, wrong_.size(), unknown_found_ + unknown_absent_, unknown_found_);
        report();
    }

    std::string dir_, repo_, work_, base_, base_dump_;
    Outcome whole_;
    long shard_ = 0, shards_ = 1;
    std::map<std::string, std::vector<std::string>> wrong_;
    // Runs that ended unknown, by whether a later reader found the load.
    mutable long unknown_found_ = 0, unknown_absent_ = 0;
};

TEST_P(IoFaults, EveryCallFailsOnce) { sweep_failures(false); }

TEST_P(IoFaults, EveryCallFailsFromTheNthOn) { sweep_failures(true); }

TEST_P(IoFaults, ACrashAtEveryWriteLeavesOneStateWhole) {
    long runs = 0;
    for (long n : points(whole_.counts.writes, GetParam().crash)) {
        Outcome o = run({"NDL_FS_CRASH=" + std::to_string(n)});
        std::string point = "crash:" + std::to_string(n);
        tally(verdict(o, true), point, o.run);
        tally(second_load(o), point, o.run);
        ++runs;
    }
    std::printf("%ld runs of %ld writes and syncs: %zu ways of ending wrongly\n", runs, whole_.counts.writes,
                wrong_.size());
    report();
}

// The logon's first calls, each failing once whatever the stride: an open
// for writing that fails leaves SQLite a file it can only read, which the
// logon refuses before the log's files are made beside it.
TEST_P(IoFaults, EachOfTheFirstCallsFailsOnce) {
    for (long n = 1; n <= 12; ++n) {
        Outcome o = run({"NDL_FS_FAIL=" + std::to_string(n)});
        tally(verdict(o, false), "EIO:" + std::to_string(n), o.run);
        tally(second_load(o), "EIO:" + std::to_string(n), o.run);
    }
    report();
}

// Each sync of the run failing, once and from there on, every other call
// working: a commit whose sync failed wrote its whole log.
TEST_P(IoFaults, EverySyncFailsOnceAndFromThereOn) {
    Outcome count = run({"NDL_FS_ONLY=sync"});
    ASSERT_GT(count.counts.calls, 0);
    for (long n = 1; n <= count.counts.calls; ++n)
        for (const char *mode : {"", "+"}) {
            std::string nth = std::to_string(n) + mode;
            Outcome o = run({"NDL_FS_ONLY=sync", "NDL_FS_FAIL=" + nth});
            tally(verdict(o, false), "sync:" + nth, o.run);
            tally(second_load(o), "sync:" + nth, o.run);
        }
    report();
}

// The sync of the load's own commit fails, and with it every later call:
// the log holds the whole transaction, which the next reader recovers, so
// the run must not say that nothing was stored. Failed once, the commit is
// made certainly absent.
TEST_P(IoFaults, ACommitWhoseSyncFailsIsSettledBeforeItsStatus) {
    std::string log = dir_ + "/log";
    run({"NDL_FS_LOG=" + log});
    // The load's commit is the last sync of the write-ahead log right after
    // writes to it: the checkpoint's sync of it follows none.
    // Each event a line "KIND A B PATH", a write's bytes after it.
    std::istringstream events(read_text(log));
    long commit = 0;
    bool after_write = false;
    for (std::string line; std::getline(events, line);) {
        char kind = 0;
        long long a = 0, b = 0;
        char path[512] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "%c %lld %lld %511s", &kind, &a, &b, path), 4) << line;
        if (kind == 'W') events.ignore(b);
        bool wal = work_ + "-wal" == path;
        if (kind == 'S' && wal && after_write) commit = static_cast<long>(a);
        after_write = kind == 'W' && wal;
    }
    ASSERT_GT(commit, 0);
    for (const char *err : kErrnos) {
        Outcome o = run({"NDL_FS_FAIL=" + std::to_string(commit) + "+", std::string("NDL_FS_ERRNO=") + err});
        EXPECT_EQ(verdict(o, false), "") << err << "\n" << o.run.out << o.run.err;
        EXPECT_EQ(o.run.status, kUnknownStatus);
        EXPECT_NE((o.run.out + o.run.err).find(kUnknown), std::string::npos) << o.run.out << o.run.err;
        EXPECT_EQ(o.run.out.find("nothing was stored"), std::string::npos) << o.run.out;
        EXPECT_EQ(o.run.out.find("NOT CHANGED"), std::string::npos) << o.run.out;
        // The frames stood in the log: the next reader finds the load whole.
        EXPECT_EQ(o.dump, whole_.dump);
        EXPECT_EQ(second_load(o), "");
        o = run({"NDL_FS_FAIL=" + std::to_string(commit), std::string("NDL_FS_ERRNO=") + err});
        EXPECT_EQ(verdict(o, false), "") << err << "\n" << o.run.out << o.run.err;
        EXPECT_NE((o.run.out + o.run.err).find("COMMIT failed, the transaction was rolled back"), std::string::npos)
            << o.run.out << o.run.err;
        EXPECT_EQ(o.dump, base_dump_);
        EXPECT_EQ(second_load(o), "");
    }
}

auto sweep_name = [](const ::testing::TestParamInfo<IoSweep> &i) { return std::string(i.param.name); };
INSTANTIATE_TEST_SUITE_P(Runs, IoFaults, ::testing::ValuesIn(kIoSweeps), sweep_name);

}  // namespace
