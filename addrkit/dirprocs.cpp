// The directory procedures over POSIX calls. Every operation starts from the
// base directory and walks the name one component at a time without
// following links, so no call reaches outside its base.
#include "dirprocs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pathmap.h"
#include "procframe.h"

namespace {

constexpr const char *kDefaultBase = "D:\\tavlo\\configfiles";
// The target path "%s\%s" lives in a buffer of this size, terminator included.
constexpr std::size_t kPathBuffer = 300;
// Deeper trees are left in place (and reported) rather than exhausting
// descriptors.
constexpr int kMaxDepth = 256;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    Fd &operator=(Fd &&o) noexcept {
        std::swap(fd_, o.fd_);
        return *this;
    }
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

int open_dir_at(int dirfd, const char *name) {
    return openat(dirfd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The components of PATH below where it starts, empty ones dropped, or why
// it is refused. Without MOVES no "." or ".." may appear; with it they move
// by the text, never above the start.
const char *split_below(std::string_view path, bool moves, std::vector<std::string> &parts) {
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t end = from;
        while (end < path.size() && !pathmap::is_separator(path[end])) ++end;
        std::string_view part = path.substr(from, end - from);
        from = end + 1;
        if (!moves && pathmap::is_dot_entry(part)) return "\".\" or \"..\" component";
        if (part.empty() || part == ".") continue;
        if (part != "..") {
            parts.emplace_back(part);
        } else if (parts.empty()) {
            return "\"..\" above its drive root";
        } else {
            parts.pop_back();
        }
    }
    return nullptr;
}

// The components of NAME, or why it is refused: it must stay below the base
// and name something other than the base itself.
const char *split_name(std::string_view name, std::vector<std::string> &parts) {
    if (name.empty()) return "empty name";
    if (pathmap::is_separator(name.front())) return "leading separator";
    if (name.find(':') != std::string_view::npos) return "drive or stream colon";
    if (name.find_first_of("*?") != std::string_view::npos) return "wildcard";
    return split_below(name, false, parts);
}

// The file system's path of BASE, or why it is refused. A drive base is
// resolved by its text, as the platform resolves "..", so that no ".."
// climbs above its drive root, through a link or not; any other base is the
// file system's to resolve.
const char *native_base(std::string_view base, std::string &path) {
    if (!pathmap::has_drive(base)) {
        path = pathmap::native(base);
        return nullptr;
    }
    std::vector<std::string> parts;
    if (const char *why = split_below(base.substr(2), true, parts)) return why;
    std::string text(base.substr(0, 2));
    for (const std::string &part : parts) text += '\\' + part;
    path = pathmap::native(text);
    return nullptr;
}

// The target of one call: the text the messages show, the directory that
// holds its last component and that component.
struct Target {
    std::string text;
    Fd parent;
    std::string leaf;
};

// Fills T; false with the message left in P when the base or the name is
// refused. A missing or linked component leaves T.parent closed: the target
// then does not exist for any of the procedures.
bool resolve(const char *base, const char *name, Proc &p, Target &t) {
    if (!*base) base = kDefaultBase;
    t.text = std::string(base) + "\\" + name;
    std::string base_path;
    if (const char *why = native_base(base, base_path)) {
        p.message() = "Error : Invalid base directory (" + std::string(why) + "): " + base + "\n";
        return false;
    }
    std::vector<std::string> parts;
    if (const char *why = split_name(name, parts)) {
        p.message() = "Error : Invalid directory name (" + std::string(why) + "): " + name + "\n";
        return false;
    }
    if (t.text.size() >= kPathBuffer) {
        p.message() = "Error : Directory path longer than " + std::to_string(kPathBuffer - 1) +
                      " characters: " + t.text + "\n";
        return false;
    }
    // The base itself is the caller's: links in it are followed.
    Fd dir(open(base_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (std::size_t i = 0; dir.ok() && i + 1 < parts.size(); ++i) dir = Fd(open_dir_at(dir.get(), parts[i].c_str()));
    t.parent = std::move(dir);
    t.leaf = parts.back();
    return true;
}

// A real directory (not a link), with its device.
bool real_dir_at(int dirfd, const char *name, dev_t *dev = nullptr) {
    struct stat st;
    if (fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (dev) *dev = st.st_dev;
    return true;
}

bool exists_at(int dirfd, const char *name) {
    struct stat st;
    return fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Removes what DIRFD holds: files and links are unlinked (never followed),
// directories emptied and removed. Stays on device DEV. Failures of single
// entries are left for the caller to see in what survives.
void empty_dir(int dirfd, dev_t dev, int depth) {
    std::vector<std::string> names;
    int copy = dup(dirfd);
    if (copy < 0) return;
    DIR *d = fdopendir(copy);
    if (!d) {
        close(copy);
        return;
    }
    while (const dirent *e = readdir(d))
        if (!pathmap::is_dot_entry(e->d_name)) names.emplace_back(e->d_name);
    closedir(d);
    for (const std::string &n : names) {
        dev_t sub_dev;
        if (!real_dir_at(dirfd, n.c_str(), &sub_dev)) {
            unlinkat(dirfd, n.c_str(), 0);
            continue;
        }
        if (sub_dev != dev || depth >= kMaxDepth) continue;
        Fd sub(open_dir_at(dirfd, n.c_str()));
        if (!sub.ok()) continue;
        empty_dir(sub.get(), dev, depth + 1);
        unlinkat(dirfd, n.c_str(), AT_REMOVEDIR);
    }
}

// The tree at NAME in DIRFD: 2 when it is no directory that can be opened,
// else 0 after removing what could be removed.
int remove_tree(int dirfd, const char *name) {
    dev_t dev;
    if (!real_dir_at(dirfd, name, &dev)) return 2;
    Fd dir(open_dir_at(dirfd, name));
    if (!dir.ok()) return 2;
    empty_dir(dir.get(), dev, 1);
    unlinkat(dirfd, name, AT_REMOVEDIR);
    return 0;
}

}  // namespace

int C_check_dir(const char *base, const char *name, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Target t;
    if (!resolve(base, name, p, t)) return p.fail();
    // Hidden and read-only directories are directories too.
    if (!t.parent.ok() || !real_dir_at(t.parent.get(), t.leaf.c_str()))
        return p.fail("Check directory failed for %s\n", t.text.c_str());
    return p.done();
}
PROC_GUARD

int C_create_dir(const char *base, const char *name, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Target t;
    if (!resolve(base, name, p, t)) {
        p.fail();
        return -1;
    }
    if (t.parent.ok()) remove_tree(t.parent.get(), t.leaf.c_str());
    if (!t.parent.ok() || mkdirat(t.parent.get(), t.leaf.c_str(), 0777) != 0) {
        p.fail("Create directory failed for %s\n", t.text.c_str());
        return -1;
    }
    return p.done();
} catch (...) {
    fail_exception(err, errlen, errind);
    return -1;
}

int C_remove_dir(const char *base, const char *name, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    Target t;
    if (!resolve(base, name, p, t)) return p.fail();
    // What survives (a read-only entry, another file system, a file in the
    // target's place) makes the removal a failure.
    if (!t.parent.ok() || remove_tree(t.parent.get(), t.leaf.c_str()) != 0 ||
        exists_at(t.parent.get(), t.leaf.c_str()))
        return p.fail("Remove directory failed for %s\n", t.text.c_str());
    return p.done();
}
PROC_GUARD
NDL_ADDRKIT_DIR_PROCEDURES(NDL_PROC_DEFINED)
