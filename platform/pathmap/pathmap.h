// Paths in the original platform's form on this file system: "\" and "/"
// both separate, and a drive prefix ("D:") stands for the root of the one
// file system. NDL_DRIVE_ROOT, when set, names another folder to stand for
// that root (a test tree, a deployment's data folder).
#ifndef NDL_PATHMAP_H
#define NDL_PATHMAP_H

#include <string>
#include <string_view>

namespace pathmap {

inline bool is_separator(char c) { return c == '\\' || c == '/'; }

// The entries "." and ".." that every directory search yields.
inline bool is_dot_entry(std::string_view name) { return name == "." || name == ".."; }

// Whether PATH starts with a drive prefix ("D:").
bool has_drive(std::string_view path);

// The file system's path for PATH.
std::string native(std::string_view path);

}  // namespace pathmap

#endif
