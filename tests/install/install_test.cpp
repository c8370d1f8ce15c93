// cmake --install puts the programs and the libraries they load into a
// prefix, nothing else; the prefix works wherever it is moved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "run_program.h"
#include "temp_tree.h"

namespace fs = std::filesystem;

namespace {

const std::string kBin = NDL_INSTALL_BINDIR, kLib = NDL_INSTALL_LIBDIR;

std::set<std::string> installed(const std::string &prefix) {
    std::set<std::string> files;
    for (const fs::directory_entry &e : fs::recursive_directory_iterator(prefix))
        if (!e.is_directory() || e.is_symlink()) files.insert(e.path().lexically_relative(prefix).string());
    return files;
}

TEST(Install, APrefixLoadsTheSampleWhereverItIsMoved) {
    TempTree tree;
    const std::string staged = tree.path("staged"), moved = tree.path("moved");
    ProgramRun r = run_program(NDL_CMAKE, {"--install", NDL_BUILD_DIR, "--prefix", staged});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string so = kLib + "/libndloci.so." NDL_SOVERSION;
    EXPECT_EQ(installed(staged),
              (std::set<std::string>{kBin + "/extproc", kBin + "/cfgload", kBin + "/encrypt",
                                     kBin + "/tmplibaddrkit_driver", so, kLib + "/libndloci.so." NDL_VERSION,
                                     kLib + "/libcfgproc.so", kLib + "/libaddrkit.so", kLib + "/libtmplibaddrkit.so",
                                     kLib + "/libfolderwalk.so"}));
    fs::rename(staged, moved);

    // Only what the prefix holds: no library folder named, no build beside.
    unsetenv("NDL_LIBDIR");
    unsetenv("NDL_REPOSITORY");
    const std::string bin = moved + "/" + kBin;
    for (const std::string program : {"extproc", "cfgload", "encrypt"}) {
        r = run_program(bin + "/" + program, {"--version"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, program + " " NDL_VERSION "\n");
    }
    r = run_program(bin + "/extproc", {"--repository", tree.path("host.db"), "parse", "--dir", NDL_EXAMPLES, "--files",
                                       "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("files  successfully loaded"), std::string::npos) << r.out;
    r = run_program(bin + "/extproc", {"call", "addrkit", "C_compute_mask", "24"});
    EXPECT_EQ(r.out, "return: 0\nresult: 255.255.255.0\nerror: <null>\n") << r.err;

    // cfgload names its repository relative to the working folder.
    fs::path home = fs::current_path();
    fs::current_path(tree.root());
    r = run_program(bin + "/cfgload", {std::string(NDL_EXAMPLES) + "/network.ndl", "ndl/ndl/cli.db"});
    fs::current_path(home);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("file  successfully loaded"), std::string::npos) << r.out;
}

// A version that could not be written is a failure, told on standard error.
TEST(Version, ALostVersionIsAFailure) {
    for (const std::string program : {"extproc", "cfgload", "encrypt"}) {
        ProgramRun r = run_program(NDL_BIN_DIR "/" + program, {"--version"}, Stdout::Full);
        EXPECT_EQ(r.status, 1) << program;
        EXPECT_EQ(r.err, program + ": the version could not be written (No space left on device)\n");
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
