// A temporary directory tree for tests of directory code: folders, files,
// links and read-only folders, removed whole at the end.
#ifndef NDL_TESTS_SUPPORT_TEMP_TREE_H
#define NDL_TESTS_SUPPORT_TEMP_TREE_H

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

class TempTree {
public:
    TempTree() {
        char t[] = "/tmp/ndl-tree-XXXXXX";
        if (!mkdtemp(t)) throw std::runtime_error("mkdtemp failed");
        root_ = t;
    }
    ~TempTree() {
        std::error_code ec;
        // Read-only folders would keep their content from an unprivileged run.
        for (auto it = std::filesystem::recursive_directory_iterator(root_, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    const std::string &root() const { return root_; }
    std::string path(const std::string &rel) const { return root_ + "/" + rel; }

    std::string dir(const std::string &rel) const {
        std::filesystem::create_directories(path(rel));
        return path(rel);
    }
    std::string file(const std::string &rel, const std::string &content = "x") const {
        std::filesystem::create_directories(std::filesystem::path(path(rel)).parent_path());
        std::ofstream(path(rel)) << content;
        return path(rel);
    }
    std::string link(const std::string &rel, const std::string &target) const {
        std::filesystem::create_symlink(target, path(rel));
        return path(rel);
    }
    // No write permission for anyone: how a read-only folder shows here.
    void read_only(const std::string &rel) const {
        std::filesystem::permissions(path(rel),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    bool exists(const std::string &rel) const {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(path(rel), ec));
    }

private:
    std::string root_;
};

#endif
