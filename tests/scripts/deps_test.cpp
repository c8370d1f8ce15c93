// scripts/deps.sh probes for what the build needs: with everything there it
// does nothing, whether or not the system has apt-get; what is missing it
// installs with apt-get, or names where there is none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "run_program.h"
#include "temp_tree.h"

namespace {

namespace fs = std::filesystem;

// A folder that stands for the PATH: every program found there, less the
// ones WITHOUT names; FAKES are scripts of our own in their place.
struct FakePath {
    TempTree tree;
    std::string bin = tree.dir("bin");

    FakePath(const std::set<std::string> &without, const std::vector<std::pair<std::string, std::string>> &fakes = {}) {
        for (const auto &[name, script] : fakes) {
            std::ofstream(bin + "/" + name) << "#!/bin/sh\n" << script;
            fs::permissions(bin + "/" + name, fs::perms::owner_all);
        }
        std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
        for (std::string dir; std::getline(path, dir, ':');) {
            std::error_code ec;
            for (const fs::directory_entry &e : fs::directory_iterator(dir, ec)) {
                std::string name = e.path().filename().string();
                if (without.count(name) || fs::exists(fs::symlink_status(bin + "/" + name))) continue;
                fs::create_symlink(e.path(), bin + "/" + name, ec);
            }
        }
    }

    ProgramRun deps(const std::vector<std::string> &needs) const {
        std::vector<std::string> args = {"-u", "CC", "-u", "CXX", "PATH=" + bin, NDL_SOURCE_DIR "/scripts/deps.sh"};
        args.insert(args.end(), needs.begin(), needs.end());
        return run_program("/usr/bin/env", args);
    }
};

const std::set<std::string> kNoApt = {"apt-get", "apt", "dpkg", "dpkg-query", "sudo"};

TEST(DepsScript, DoesNothingWhenNothingIsMissing) {
    FakePath path(kNoApt);
    ProgramRun r = path.deps({"gtest"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
}

TEST(DepsScript, NamesWhatIsMissingWithoutAptGet) {
    std::set<std::string> without = kNoApt;
    without.insert({"ninja", "ninja-build", "sqlite3"});
    FakePath path(without);
    ProgramRun r = path.deps({"gtest", "sqlite3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "deps.sh: missing:\n  Ninja\n  the SQLite shell (sqlite3)\nInstall them and run again.\n");

    r = path.deps({"gtests"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown need 'gtests'"), std::string::npos) << r.err;
}

// apt-get gets the packages of what is missing, and only those; what it did
// not bring is named after it.
TEST(DepsScript, InstallsOnlyWhatIsMissingWithAptGet) {
    TempTree log;
    const std::string calls = log.path("calls");
    FakePath path({"ninja", "ninja-build", "sudo"},
                  {{"apt-get", "echo \"$*\" >> '" + calls + "'\n"}, {"id", "echo 0\n"}});
    ProgramRun r = path.deps({"gtest"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "deps.sh: missing:\n  Ninja\nInstall them and run again.\n");
    std::stringstream s;
    s << std::ifstream(calls).rdbuf();
    EXPECT_EQ(s.str(), "update\ninstall -y --no-install-recommends ninja-build\n");
}

}  // namespace
