// The libraries are guests in their host's process: a load works in the
// caller's thread alone, however many arena chunks it takes, and no
// deliverable brings thread creation or fork handlers into its host.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dynamic_symbols.h"
#include "generated_network.h"
#include "temp_tree.h"

extern char **environ;

namespace {

const std::string kBin = NDL_BIN_DIR;

// The threads of process PID now; 0 once it is gone.
int threads_of(pid_t pid) {
    int n = 0;
    if (DIR *d = opendir(("/proc/" + std::to_string(pid) + "/task").c_str())) {
        while (const dirent *e = readdir(d))
            if (e->d_name[0] != '.') ++n;
        closedir(d);
    }
    return n;
}

TEST(OneThread, LoadOfManyChunksRunsInTheCallersThreadAlone) {
    TempTree tree;
    // Some 3 MB of NDL: the run's records and texts fill several chunks.
    tree.file("big.ndl", generate(2000));
    std::vector<std::string> args = {kBin + "/extproc", "--repository", tree.path("repository.db"), "parse",
                                     "--dir", tree.root(), "--files", "big.ndl"};
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, tree.path("log.txt").c_str(), O_WRONLY | O_CREAT, 0644);
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&fa);

    // Sampled until it exits: a helper that lives while chunks are taken is
    // seen.
    int most = 0, samples = 0, ws = 0;
    while (waitpid(pid, &ws, WNOHANG) == 0) {
        most = std::max(most, threads_of(pid));
        ++samples;
        usleep(200);
    }
    ASSERT_TRUE(WIFEXITED(ws));
    EXPECT_EQ(WEXITSTATUS(ws), 0) << std::ifstream(tree.path("log.txt")).rdbuf();
    EXPECT_EQ(most, 1);
    EXPECT_GT(samples, 50) << "the load ended before it was watched";
}

TEST(OneThread, NoLibraryStartsThreadsOrRegistersForkHandlers) {
    // Thread starts of C, POSIX and C++ (std::thread, behind std::async),
    // and fork handlers (pthread_atfork is linked in as a call of
    // __register_atfork).
    const std::vector<std::string> kRefused = {"pthread_create", "thrd_create", "_ZNSt6thread15_M_start_thread",
                                               "pthread_atfork", "__register_atfork"};
    for (const char *library : {"libcfgproc.so", "libaddrkit.so", "libtmplibaddrkit.so", "libfolderwalk.so"}) {
        std::map<std::string, char> names;
        if (!dynamic_symbols(kBin + "/" + library, names, true)) GTEST_SKIP() << "nm is not available";
        for (const auto &[name, type] : names)
            for (const std::string &refused : kRefused)
                EXPECT_NE(name.rfind(refused, 0), 0u) << library << " imports " << name;
    }
}

}  // namespace
