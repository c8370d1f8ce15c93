// Directory names from arbitrary bytes, checked, created and removed under a
// base that holds a link to a folder beside it: after every input the base,
// the link and what lies beside the base are still there, and nothing new
// lies beside the base. After a NUL byte the input may go on with a drive
// base ("D:" and the bytes up to the next NUL), the drive root being the base.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dirprocs.h"
#include "folderwalk.h"

namespace {

struct Tree {
    std::string root, base;
    Tree() {
        char t[] = "/tmp/ndl-fuzz-dirs-XXXXXX";
        if (!mkdtemp(t)) __builtin_trap();
        root = t;
        base = root + "/base";
        std::filesystem::create_directories(base + "/keep");
        std::filesystem::create_directories(root + "/beside");
        std::ofstream(root + "/beside/data") << "x";
        std::filesystem::create_symlink(root + "/beside", base + "/link");
        setenv("NDL_DRIVE_ROOT", base.c_str(), 1);
    }
    ~Tree() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    bool intact() const {
        struct stat st;
        return lstat(base.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
               lstat((base + "/link").c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
               lstat((root + "/beside/data").c_str(), &st) == 0 && entries(root) == 2;
    }
    static int entries(const std::string &dir) {
        int n = 0;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) ++n;
        return ec ? -1 : n;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Tree tree;
    std::string input(reinterpret_cast<const char *>(data), size);
    std::string name = input.c_str();
    std::string base = tree.base;
    if (name.size() < input.size()) base = "D:" + std::string(input.c_str() + name.size() + 1);
    char err[4000];
    int ind = 0;
    C_check_dir(base.c_str(), name.c_str(), err, sizeof err, &ind);
    C_create_dir(base.c_str(), name.c_str(), err, sizeof err, &ind);
    // Checked before the removal can hide what the creation did.
    if (!tree.intact()) __builtin_trap();
    std::string dir = tree.base + "\\" + name;
    std::unique_ptr<char[]> out(new char[kDirlistCapacity]);
    dirlist(dir.data(), out.get());
    C_remove_dir(base.c_str(), name.c_str(), err, sizeof err, &ind);
    if (!tree.intact()) __builtin_trap();
    return 0;
}
