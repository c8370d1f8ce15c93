// cmake --install puts the programs, the libraries they link or load, their
// manual pages and the documentation into a prefix, nothing else; the
// prefix works wherever it is moved.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "run_program.h"
#include "temp_tree.h"

namespace fs = std::filesystem;

namespace {

const std::string kBin = NDL_INSTALL_BINDIR, kLib = NDL_INSTALL_LIBDIR, kPriv = kLib + "/ndl",
                  kMan = NDL_INSTALL_MANDIR "/man1", kDoc = NDL_INSTALL_DOCDIR;
const std::string kPrograms[] = {"extproc", "cfgload", "encrypt"};

std::set<std::string> installed(const std::string &prefix) {
    std::set<std::string> files;
    for (const fs::directory_entry &e : fs::recursive_directory_iterator(prefix))
        if (!e.is_directory() || e.is_symlink()) files.insert(e.path().lexically_relative(prefix).string());
    return files;
}

// What a prefix holds: the programs, the private library folder, a page
// for every program, and the documents in the tree's own layout.
std::set<std::string> expected_files() {
    std::set<std::string> files{kPriv + "/libndloci.so." NDL_SOVERSION, kPriv + "/libndloci.so." NDL_VERSION,
                                kPriv + "/libcfgproc.so", kPriv + "/libaddrkit.so", kPriv + "/libtmplibaddrkit.so",
                                kPriv + "/libfolderwalk.so", kDoc + "/README.md", kDoc + "/docs/ndl-reference.md"};
    for (const std::string &p : kPrograms) {
        files.insert(kBin + "/" + p);
        files.insert(kMan + "/" + p + ".1");
    }
    // The example networks in folders of their own too.
    for (const char *dir : {"examples", "docs/examples"})
        for (const fs::directory_entry &e : fs::recursive_directory_iterator(fs::path(NDL_SOURCE_DIR) / dir))
            if (e.path().extension() == ".ndl")
                files.insert(kDoc + "/" + dir + "/" + e.path().lexically_relative(fs::path(NDL_SOURCE_DIR) / dir).string());
    return files;
}

std::string read_file(const fs::path &p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The run path an ELF file carries, as readelf shows it.
std::string runpath(const std::string &file) {
    ProgramRun r = run_program("/usr/bin/readelf", {"-d", file});
    std::smatch m;
    static const std::regex kPath(R"(\((?:RUNPATH|RPATH)\)[^\[]*\[([^\]]*)\])");
    return std::regex_search(r.out, m, kPath) ? m[1].str() : "<none: " + r.err + ">";
}

// A package is staged with DESTDIR under the prefix it will have: the
// library folder holds nothing of the project but its private folder, every
// program has its page, run paths are relative, and the documents' links
// hold where they are installed.
TEST(Install, APackageStagedWithDestdirKeepsItsLibrariesPrivate) {
    TempTree tree;
    const std::string stage = tree.path("stage");
    ProgramRun r = run_program(NDL_CMAKE, {"--install", NDL_BUILD_DIR, "--prefix", "/usr"}, Stdout::Captured,
                               {"DESTDIR=" + stage});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    std::set<std::string> want;
    for (const std::string &f : expected_files()) want.insert("usr/" + f);
    EXPECT_EQ(installed(stage), want);

    const std::string usr = stage + "/usr/";
    for (const std::string &p : kPrograms)
        EXPECT_EQ(runpath(usr + kBin + "/" + p), "$ORIGIN/" NDL_LIBDIR_FROM_BIN) << p;
    for (const fs::directory_entry &e : fs::directory_iterator(usr + kPriv))
        if (!e.is_symlink()) { EXPECT_EQ(runpath(e.path().string()), "$ORIGIN") << e.path(); }

    // The host finds a library by name in the private folder.
    unsetenv("NDL_LIBDIR");
    unsetenv("LD_LIBRARY_PATH");
    r = run_program(usr + kBin + "/extproc", {"call", "folderwalk", "_Z7dirlistPcS_", NDL_EXAMPLES});
    EXPECT_EQ(r.out, "return: 0\nout: .#..#\n") << r.err;

    static const std::regex kLink(R"(\]\(([^)#:\s]+)(#[^)]*)?\))");
    for (const std::string &doc : {kDoc + "/README.md", kDoc + "/docs/ndl-reference.md"}) {
        std::string text = read_file(usr + doc);
        for (std::sregex_iterator it(text.begin(), text.end(), kLink), end; it != end; ++it)
            EXPECT_TRUE(fs::exists(fs::path(usr + doc).parent_path() / (*it)[1].str())) << doc << ": " << (*it)[1];
    }
}

TEST(Install, APrefixLoadsTheSampleWhereverItIsMoved) {
    TempTree tree;
    const std::string staged = tree.path("staged"), moved = tree.path("moved");
    ProgramRun r = run_program(NDL_CMAKE, {"--install", NDL_BUILD_DIR, "--prefix", staged});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(installed(staged), expected_files());
    fs::rename(staged, moved);

    // Only what the prefix holds: no library folder named, no build beside,
    // not the tests' layer with its fault hook.
    unsetenv("NDL_LIBDIR");
    unsetenv("NDL_REPOSITORY");
    unsetenv("LD_LIBRARY_PATH");
    const std::string bin = moved + "/" + kBin;
    for (const std::string &program : kPrograms) {
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

// The product's OCI layer, built and installed, has no fault hook: nothing
// exports ocix_inject_fault, and NDL_OCI_FAULT fails no call.
TEST(Install, TheLayerCarriesNoFaultHook) {
    TempTree tree;
    const std::string prefix = tree.path("prefix");
    ProgramRun r = run_program(NDL_CMAKE, {"--install", NDL_BUILD_DIR, "--prefix", prefix});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const std::string &layer : {prefix + "/" + kPriv + "/libndloci.so." NDL_SOVERSION,
                                     std::string(NDL_BIN_DIR) + "/libndloci.so." NDL_SOVERSION}) {
        // A copy of its own beside the tests' layer, which has the same name.
        void *lib = dlopen(layer.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib, nullptr) << dlerror();
        EXPECT_EQ(dlsym(lib, "ocix_inject_fault"), nullptr) << layer;
        EXPECT_EQ(dlsym(lib, "ocix_clear_faults"), nullptr) << layer;
        EXPECT_NE(dlsym(lib, "OCIStmtExecute"), nullptr) << layer;
        dlclose(lib);
    }
    unsetenv("NDL_LIBDIR");
    unsetenv("LD_LIBRARY_PATH");
    r = run_program(prefix + "/" + kBin + "/extproc",
                    {"--repository", tree.path("r.db"), "parse", "--dir", NDL_EXAMPLES, "--files", "network.ndl"},
                    Stdout::Captured, {"NDL_OCI_FAULT=execute:1,sessionbegin:1"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "");
    fs::path home = fs::current_path();
    fs::current_path(tree.root());
    r = run_program(prefix + "/" + kBin + "/cfgload", {std::string(NDL_EXAMPLES) + "/network.ndl", "a/b/cli.db"},
                    Stdout::Captured, {"NDL_OCI_FAULT=execute:1,commit:1"});
    fs::current_path(home);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
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
