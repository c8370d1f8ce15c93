// Runs a program and reports its peak resident memory on standard error
// ("peak_kb=N"), exiting with the program's status. A benchmark spawns its
// loads through it: a child spawned straight from the benchmark would carry
// the benchmark's own memory into its peak.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: peak_rss PROGRAM [ARG...]\n");
        return 2;
    }
    pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) < 0) return 2;
    std::fprintf(stderr, "peak_kb=%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
