// Every command the README shows runs as written, in its order, from a
// checkout's root after ./run.sh: the README cannot drift from what works.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run_program.h"
#include "temp_tree.h"

namespace {

namespace fs = std::filesystem;

// A command line without its trailing comment (a "#" after a blank, outside
// quotes).
std::string without_comment(const std::string &line) {
    char quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '#' && i > 0 && (line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, line.find_last_not_of(" \t", i - 1) + 1);
        }
    }
    return line;
}

// The commands of the README's ```sh blocks, in order; a line ending in "\"
// goes on in the next.
std::vector<std::string> readme_commands(const std::string &readme) {
    std::vector<std::string> commands;
    std::istringstream in(readme);
    bool inside = false;
    std::string pending;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("```", 0) == 0) {
            inside = !inside && line == "```sh";
            continue;
        }
        if (!inside) continue;
        if (!line.empty() && line.back() == '\\') {
            pending += line.substr(0, line.size() - 1);
            continue;
        }
        std::string command = without_comment(pending + line);
        pending.clear();
        if (command.find_first_not_of(" \t") != std::string::npos) commands.push_back(command);
    }
    return commands;
}

ProgramRun shell(const std::string &root, const std::string &command) {
    return run_program("/bin/sh", {"-c", "cd '" + root + "' && " + command});
}

TEST(Readme, EveryCommandRunsAsWritten) {
    std::ifstream file(std::string(NDL_SOURCE_DIR) + "/README.md");
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> commands = readme_commands(text.str());
    ASSERT_GE(commands.size(), 2u);
    // The two that set up and test a checkout come first; the rest run in
    // what ./run.sh leaves.
    EXPECT_EQ(commands[0], "./run.sh");
    EXPECT_EQ(commands[1], "./test.sh");

    TempTree tree;
    const std::string root = tree.root();
    fs::create_directory_symlink(fs::path(NDL_SOURCE_DIR) / "examples", root + "/examples");
    fs::create_directory(root + "/build");
    fs::create_directory_symlink(NDL_BIN_DIR, root + "/build/bin");
    // What `cmake --install build` reads of a build folder.
    fs::create_symlink(fs::path(NDL_BIN_DIR).parent_path() / "cmake_install.cmake", root + "/build/cmake_install.cmake");
    unsetenv("NDL_REPOSITORY");
    // What ./run.sh loads once it has built.
    for (const char *setup :
         {"build/bin/extproc --repository repository.db parse --dir examples --files "
          "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl --mode updateversion",
          "build/bin/cfgload examples/network.ndl ndl/ndl/repository_cli.db overwrite"}) {
        ProgramRun r = shell(root, setup);
        ASSERT_EQ(r.status, 0) << setup << "\n" << r.out << r.err;
    }

    // The tree as a checkout with the project's .gitignore: what the
    // commands write leaves `git status` clean.
    fs::copy_file(fs::path(NDL_SOURCE_DIR) / ".gitignore", root + "/.gitignore");
    const bool git = shell(root, "git init -q && printf '/examples\\n/.gitignore\\n' >> .git/info/exclude").status == 0;

    for (size_t i = 2; i < commands.size(); ++i) {
        ProgramRun r = shell(root, commands[i]);
        EXPECT_EQ(r.status, 0) << commands[i] << "\n" << r.out << r.err;
        EXPECT_EQ(r.err.find("rror"), std::string::npos) << commands[i] << "\n" << r.err;
        if (git) {
            EXPECT_EQ(shell(root, "git status --porcelain --untracked-files=all").out, "") << commands[i];
        }
    }
    fs::remove_all(root + "/.git");
    fs::remove(root + "/.gitignore");
    // The last lines start over: nothing the commands made is left.
    std::vector<std::string> left;
    for (const fs::directory_entry &e : fs::directory_iterator(root))
        if (e.path().filename() != "examples" && e.path().filename() != "build") left.push_back(e.path().filename().string());
    EXPECT_TRUE(left.empty()) << (left.empty() ? "" : left.front());
}

}  // namespace
