#include "pathmap.h"

#include <cctype>
#include <cstdlib>

namespace pathmap {

bool has_drive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

std::string native(std::string_view path) {
    std::string out;
    if (has_drive(path)) {
        // "D:\x" and "D:x" alike: the drive's root, then the rest.
        const char *root = std::getenv("NDL_DRIVE_ROOT");
        out = root && *root ? root : "";
        while (!out.empty() && out.back() == '/') out.pop_back();
        path.remove_prefix(2);
        while (!path.empty() && is_separator(path.front())) path.remove_prefix(1);
        out += '/';
    }
    for (char c : path) out += c == '\\' ? '/' : c;
    return out;
}

}  // namespace pathmap
