// Runs a program with arguments and collects its exit status, standard
// output and standard error.
#ifndef NDL_TESTS_SUPPORT_RUN_PROGRAM_H
#define NDL_TESTS_SUPPORT_RUN_PROGRAM_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

// Where the program's standard output goes: captured, or a place that takes
// nothing (a full device, a pipe whose reader is gone).
enum class Stdout { Captured, Full, ClosedPipe };

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out, err;
};

inline std::string slurp_fd(int fd) {
    std::string s;
    char buf[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<size_t>(n));
    return s;
}

// A program's argument vector and environment (ENV's entries, then this
// process's), pointing into ARGS and ENV: they must outlive the spawn.
struct SpawnVectors {
    std::vector<char *> argv, envp;
    SpawnVectors(const std::string &exe, std::vector<std::string> &args, std::vector<std::string> &env)
        : argv{const_cast<char *>(exe.c_str())} {
        for (std::string &a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string &e : env) envp.push_back(e.data());
        for (char **e = environ; *e; ++e) envp.push_back(*e);
        envp.push_back(nullptr);
    }
};

// ENV entries ("NAME=value") are added to the program's environment.
inline ProgramRun run_program(const std::string &exe, std::vector<std::string> args,
                              Stdout to = Stdout::Captured, std::vector<std::string> env = {}) {
    ProgramRun r;
    FILE *out = std::tmpfile(), *err = std::tmpfile();
    int pipe_fds[2] = {-1, -1};
    if (!out || !err || (to == Stdout::ClosedPipe && pipe2(pipe_fds, O_CLOEXEC) != 0)) {
        if (out) std::fclose(out);
        if (err) std::fclose(err);
        return r;
    }
    // The reader is gone before the program starts: its first write fails.
    if (to == Stdout::ClosedPipe) close(pipe_fds[0]);
    SpawnVectors v(exe, args, env);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    if (to == Stdout::Full)
        posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&fa, to == Stdout::ClosedPipe ? pipe_fds[1] : fileno(out), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&fa, fileno(err), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, v.argv.data(), v.envp.data()) == 0) {
        int ws = 0;
        waitpid(pid, &ws, 0);
        r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : -1;
    }
    posix_spawn_file_actions_destroy(&fa);
    if (to == Stdout::ClosedPipe) close(pipe_fds[1]);
    r.out = slurp_fd(fileno(out));
    r.err = slurp_fd(fileno(err));
    std::fclose(out);
    std::fclose(err);
    return r;
}

// A program started and left running (its output captured), for a test
// that looks at it while it runs: finish() waits for its end.
struct RunningProgram {
    pid_t pid = -1;
    FILE *out = nullptr, *err = nullptr;
    ProgramRun finish() {
        ProgramRun r;
        int ws = 0;
        if (pid > 0 && waitpid(pid, &ws, 0) == pid) r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : -1;
        pid = -1;
        if (out) r.out = slurp_fd(fileno(out));
        if (err) r.err = slurp_fd(fileno(err));
        for (FILE *f : {out, err})
            if (f) std::fclose(f);
        out = err = nullptr;
        return r;
    }
    bool running() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }
    // Its command line as the process list shows it, NULs as spaces.
    std::string command_line() const {
        std::string s;
        if (FILE *f = std::fopen(("/proc/" + std::to_string(pid) + "/cmdline").c_str(), "r")) {
            for (int c; (c = std::fgetc(f)) != EOF;) s += c ? static_cast<char>(c) : ' ';
            std::fclose(f);
        }
        return s;
    }
    ~RunningProgram() {
        if (pid > 0) kill(pid, SIGKILL);
        finish();
    }
};

// ENV entries ("NAME=value") are added to the program's environment.
inline std::unique_ptr<RunningProgram> start_program(const std::string &exe, std::vector<std::string> args,
                                                     std::vector<std::string> env = {}) {
    auto p = std::make_unique<RunningProgram>();
    p->out = std::tmpfile();
    p->err = std::tmpfile();
    if (!p->out || !p->err) return p;
    SpawnVectors v(exe, args, env);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fileno(p->out), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&fa, fileno(p->err), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (posix_spawn(&p->pid, exe.c_str(), &fa, nullptr, v.argv.data(), v.envp.data()) != 0) p->pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return p;
}

#endif
