// Loads that run out of address space: the load fails as any failed load,
// with its one message, nothing of it is stored, and the process that ran
// it loads again. An address-space limit needs a build without
// AddressSanitizer (which reserves terabytes of address space, and whose
// allocator aborts rather than throws): these skip themselves in one, and
// test.sh runs them in a plain build of their own.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generated_network.h"
#include "repo_test.h"
#include "run_program.h"

#if defined(__SANITIZE_ADDRESS__)
#define NDL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NDL_ASAN 1
#endif
#endif

namespace {

const std::string kBin = NDL_BIN_DIR;
const std::string kExamples = NDL_EXAMPLES;
const std::string kSample = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
const std::string kStopped =
    "ERROR: Out of memory, the load is stopped\n<br>EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n<br>";
const std::string kLoaded = "files  successfully loaded \n<br>";
// A network of 16 MB, whose load needs some 30 MB more than a process has
// before it.
constexpr int kBigDomains = 10000;

// The address space the process has mapped, in bytes.
rlim_t mapped_now() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0) return std::strtoull(line.c_str() + 7, nullptr, 10) * 1024;
    return 0;
}

bool ends_with(const std::string &s, const std::string &end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

class AddressSpaceLimit : public RepoTest {
protected:
    void SetUp() override {
        RepoTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
#ifdef NDL_ASAN
        GTEST_SKIP() << "an address-space limit needs a build without AddressSanitizer (test.sh runs one)";
#endif
        write_file("big.ndl", generate(kBigDomains));
    }
};

// Runs BODY in a child process and returns what it wrote to its pipe.
template <class Body>
std::string in_child(Body body) {
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        // The child never returns into the test program.
        std::string report;
        try {
            report = body();
        } catch (...) {
            report = "the call threw";
        }
        for (size_t at = 0; at < report.size();) {
            ssize_t n = write(fds[1], report.data() + at, report.size() - at);
            if (n <= 0) break;
            at += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string report;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int ws = 0;
    waitpid(pid, &ws, 0);
    if (!WIFEXITED(ws) || WEXITSTATUS(ws) != 0) report += "\nthe child died, wait status " + std::to_string(ws);
    return report;
}

std::string log_of(const extproc::CallResult &r) {
    const extproc::OutValue *log = r.out("log");
    return log ? log->value : "<no log>";
}

TEST_F(AddressSpaceLimit, HostGetsAFailedLoadAndLoadsAgain) {
    ASSERT_EQ(parse(kExamples, kSample, "updateversion").ret, 0) << log;
    const std::string stored = repository_dump(db);

    // One process, as the agent: a load too big for its address space, then
    // the sample again under the same limit, in the same session.
    std::string report = in_child([&] {
        extproc::Session s(db);
        if (!s.ok()) return "logon failed: " + std::string(s.error());
        // 16 MB more than the child has mapped: the sample loads in that.
        rlimit limit{mapped_now() + (rlim_t{16} << 20), RLIM_INFINITY};
        if (setrlimit(RLIMIT_AS, &limit) != 0) return std::string("setrlimit failed");
        extproc::CallResult big = s.call("cfgproc", "NDL_parsefile", {dir, "big.ndl", ""});
        const extproc::OutValue *message = big.out("message");
        std::string out = "return " + std::to_string(big.ret) + (big.error.empty() ? "" : " " + big.error) +
                          "\nmessage " + (message && !message->null ? "'" + message->value + "'" : "NULL") +
                          "\nlog " + log_of(big);
        out += repository_dump(db) == stored ? "\nstored rows unchanged" : "\nstored rows changed";
        extproc::CallResult again = s.call("cfgproc", "NDL_parsefile", {kExamples, kSample, "updateversion"});
        out += "\nagain return " + std::to_string(again.ret) +
               (ends_with(log_of(again), kLoaded) ? " loaded" : "\n" + log_of(again));
        return out;
    });
    EXPECT_EQ(report, "return 2\nmessage ''\nlog \n --- FILE:  " + dir + "\\big.ndl --- \n<br>" + kStopped +
                          "\nstored rows unchanged\nagain return 0 loaded");
}

// The programs, limited as `ulimit -v` does, to 32 MB: each loads the sample
// in some 20 MB, then fails the big network with its failure status.
TEST_F(AddressSpaceLimit, ProgramsExitWithTheirFailureStatus) {
    // cfgload names its repository relative to where it runs.
    const std::string old_db = dir + "/older.db", login = "u/p/older.db";
    struct Case {
        const char *program;
        std::vector<std::string> sample, big;
        int failed;
        std::string db;
        std::string out;  // how the big load's output ends
    };
    const std::string cfgload_out =
        "Connected to ORACLE as u\nERROR: Out of memory, the load is stopped\n\n"
        "EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n";
    const std::vector<Case> cases = {
        {"cfgload", {kExamples + "/network.ndl", login}, {dir + "/big.ndl", login}, 1, old_db, cfgload_out},
        {"cfgload",
         {kExamples + "/network.ndl", login, "overwrite"},
         {dir + "/big.ndl", login, "createfile", "load"},
         1,
         old_db,
         cfgload_out},
        {"extproc",
         {"--repository", db, "parse", "--dir", kExamples, "--files", kSample, "--mode", "updateversion"},
         {"--repository", db, "parse", "--dir", dir, "--files", "big.ndl"},
         2,
         db,
         "ERROR: Out of memory, the load is stopped\n\nEXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.big.back());
        auto limited = [&](const std::vector<std::string> &args) {
            std::vector<std::string> sh = {"-c", "cd \"$0\" && ulimit -v 32768 && exec \"$@\"", dir,
                                           kBin + "/" + c.program};
            sh.insert(sh.end(), args.begin(), args.end());
            return run_program("/bin/sh", sh);
        };
        ProgramRun sample = limited(c.sample);
        ASSERT_EQ(sample.status, 0) << sample.out << sample.err;
        const std::string stored = repository_dump(c.db);
        ProgramRun big = limited(c.big);
        EXPECT_EQ(big.status, c.failed) << big.err;
        EXPECT_TRUE(ends_with(big.out, c.out)) << big.out;
        EXPECT_EQ(repository_dump(c.db), stored);
        // Nor is a load file left, whole or in part.
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            EXPECT_NE(entry.path().filename().string().rfind("load", 0), 0u) << entry.path();
    }
}

}  // namespace
