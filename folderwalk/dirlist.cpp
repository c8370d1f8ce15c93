#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "folderwalk.h"
#include "pathmap.h"

namespace {

// The search pattern "%s\*" of the directory lives in a buffer of this size.
constexpr std::size_t kPatternBuffer = 300;

// A directory whose attribute would be the directory attribute alone: a link
// (a reparse point), a hidden one (leading dot) or a read-only one (no write
// permission for its owner) carries further bits.
bool plain_directory(int dirfd, const char *name) {
    struct stat st;
    if (name[0] == '.' || fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    return S_ISDIR(st.st_mode) && (st.st_mode & S_IWUSR);
}

}  // namespace

// Nothing thrown reaches the caller: short of memory for the pattern, the
// directory cannot be searched.
int dirlist(char *dir, char *out) try {
    out[0] = '\0';
    std::string pattern = std::string(dir) + "\\*";
    if (pattern.size() >= kPatternBuffer) return 1;
    // What the pattern searches: the directory as "%s\".
    int fd = open(pathmap::native(pattern.substr(0, pattern.size() - 1)).c_str(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 1;
    DIR *d = fdopendir(fd);
    if (!d) {
        close(fd);
        return 1;
    }
    std::size_t len = 0;
    int status = 0;
    // In the order the file system gives them, appended at the tracked end.
    while (const dirent *e = readdir(d)) {
        if (!pathmap::is_dot_entry(e->d_name) && !plain_directory(fd, e->d_name)) continue;
        std::size_t n = std::strlen(e->d_name);
        if (len + n + 1 >= static_cast<std::size_t>(kDirlistCapacity)) {
            out[0] = '\0';
            status = 1;
            break;
        }
        std::memcpy(out + len, e->d_name, n);
        len += n;
        out[len++] = '#';
        out[len] = '\0';
    }
    closedir(d);
    return status;
} catch (...) {
    out[0] = '\0';
    return 1;
}
NDL_DIRLIST_ROW(NDL_ROW_DEFINED)
