// Runs a program with arguments and collects its exit status, standard
// output and standard error.
#ifndef NDL_TESTS_SUPPORT_RUN_PROGRAM_H
#define NDL_TESTS_SUPPORT_RUN_PROGRAM_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char **environ;

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

inline ProgramRun run_program(const std::string &exe, std::vector<std::string> args) {
    ProgramRun r;
    FILE *out = std::tmpfile(), *err = std::tmpfile();
    if (!out || !err) {
        if (out) std::fclose(out);
        if (err) std::fclose(err);
        return r;
    }
    std::vector<char *> argv{const_cast<char *>(exe.c_str())};
    for (std::string &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fileno(out), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&fa, fileno(err), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv.data(), environ) == 0) {
        int ws = 0;
        waitpid(pid, &ws, 0);
        r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : -1;
    }
    posix_spawn_file_actions_destroy(&fa);
    r.out = slurp_fd(fileno(out));
    r.err = slurp_fd(fileno(err));
    std::fclose(out);
    std::fclose(err);
    return r;
}

#endif
