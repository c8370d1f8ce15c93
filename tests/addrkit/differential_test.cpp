// The procedures against Python's ipaddress: addr_oracle.py generates seeded
// cases with ipaddress's answers (the library's deliberate differences are
// written down there as exceptions), and every case is called through the
// host; a sample of them also through the extproc program.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "call_check.h"
#include "host.h"

extern char **environ;

namespace {

using addrtest::Case;

// Runs ARGV and returns its standard output; EXIT gets the exit status.
std::string run_program(const std::vector<std::string> &argv, int *exit_status) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char *> args;
    for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buf[65536];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = -1;
    if (rc == 0) waitpid(pid, &status, 0);
    *exit_status = rc == 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

std::string python() {
    for (const char *p : {NDL_PYTHON, "/usr/bin/python3", "/usr/local/bin/python3"})
        if (*p && access(p, X_OK) == 0) return p;
    return {};
}

std::vector<std::string> split_tabs(const std::string &line) {
    std::vector<std::string> f(1);
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            f.emplace_back();
        } else if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
            f.back() += '\n';
            ++i;
        } else {
            f.back() += line[i];
        }
    }
    return f;
}

// PROCEDURE N ARG.. RETURN EXPECT..; see addr_oracle.py.
bool parse_case(const std::string &line, Case &c) {
    std::vector<std::string> f = split_tabs(line);
    if (f.size() < 3) return false;
    size_t n = std::stoul(f[1]);
    if (f.size() < n + 3) return false;
    c.procedure = f[0];
    c.args.assign(f.begin() + 2, f.begin() + 2 + static_cast<long>(n));
    c.ret = std::stoi(f[n + 2]);
    c.expect.clear();
    for (size_t i = n + 3; i < f.size(); ++i) {
        size_t at = f[i].find_first_of("=^");
        if (at == std::string::npos) return false;
        c.expect.push_back({f[i].substr(0, at), f[i][at] == '^' ? f[i].substr(at) : f[i].substr(at + 1)});
    }
    return true;
}

int env_int(const char *name, int fallback) {
    const char *v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

TEST(AddrDifferential, ProceduresAgreeWithIpaddress) {
    std::string py = python();
    if (py.empty()) GTEST_SKIP() << "python3 is not installed: the differential test against ipaddress is skipped";
    setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
    int seed = env_int("NDL_ADDR_SEED", 5101);
    int count = env_int("NDL_ADDR_CASES", 6000);
    int status;
    std::string out = run_program({py, NDL_ADDR_ORACLE, "--seed", std::to_string(seed), "--count", std::to_string(count)},
                                  &status);
    ASSERT_EQ(status, 0) << "the oracle failed";

    std::string repo = ::testing::TempDir() + "addrkit_differential.db";
    extproc::Session session(repo);
    ASSERT_TRUE(session.ok()) << session.error();
    std::vector<std::string> lines;
    for (size_t at = 0, nl; (nl = out.find('\n', at)) != std::string::npos; at = nl + 1) lines.push_back(out.substr(at, nl - at));
    ASSERT_EQ(static_cast<int>(lines.size()), count);

    int failures = 0;
    std::map<std::string, int> per_procedure;
    std::map<std::string, std::pair<Case, extproc::CallResult>> samples;
    for (const std::string &line : lines) {
        Case c;
        ASSERT_TRUE(parse_case(line, c)) << line;
        extproc::CallResult r = session.call("addrkit", c.procedure, c.args);
        std::string diff = addrtest::check(r, c);
        if (!diff.empty() && ++failures <= 20) ADD_FAILURE() << "seed " << seed << ": " << diff;
        ++per_procedure[c.procedure];
        // One sample per procedure and outcome for the program below.
        samples.emplace(c.procedure + std::to_string(c.ret), std::make_pair(c, r));
    }
    EXPECT_EQ(failures, 0) << "of " << count << " cases (seed " << seed << ")";
    EXPECT_EQ(per_procedure.size(), 18u);

    // The same calls through the extproc program print what the API got,
    // and exit 0 only when the procedure returned 0.
    for (const auto &[key, sample] : samples) {
        const auto &[c, api] = sample;
        std::vector<std::string> argv = {std::string(NDL_BIN_DIR) + "/extproc", "--repository", repo, "call", "addrkit",
                                         c.procedure};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string printed = run_program(argv, &status);
        EXPECT_EQ(status, api.ret == 0 ? 0 : 1) << key;
        EXPECT_EQ(printed, extproc::format_call(api)) << addrtest::describe(c);
    }
}

TEST(AddrDifferential, ExtprocPrintsTheMask) {
    setenv("NDL_LIBDIR", NDL_BIN_DIR, 0);
    int status;
    std::string printed = run_program({std::string(NDL_BIN_DIR) + "/extproc", "--repository",
                                       ::testing::TempDir() + "addrkit_program.db", "call", "addrkit", "C_compute_mask", "24"},
                                      &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(printed, "return: 0\nresult: 255.255.255.0\nerror: <null>\n");
}

}  // namespace
