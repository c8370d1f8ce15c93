// Directory names from arbitrary bytes, checked, created and removed under a
// base that holds a link to a folder beside it: after every input the base,
// the link and what lies beside the base are still there.
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
    }
    ~Tree() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    bool intact() const {
        struct stat st;
        return lstat(base.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
               lstat((base + "/link").c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
               lstat((root + "/beside/data").c_str(), &st) == 0;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Tree tree;
    std::string name = std::string(reinterpret_cast<const char *>(data), size).c_str();
    char err[4000];
    int ind = 0;
    C_check_dir(tree.base.c_str(), name.c_str(), err, sizeof err, &ind);
    C_create_dir(tree.base.c_str(), name.c_str(), err, sizeof err, &ind);
    std::string dir = tree.base + "\\" + name;
    std::unique_ptr<char[]> out(new char[kDirlistCapacity]);
    dirlist(dir.data(), out.get());
    C_remove_dir(tree.base.c_str(), name.c_str(), err, sizeof err, &ind);
    if (!tree.intact()) __builtin_trap();
    return 0;
}
