// libfolderwalk.so: the subdirectories of one directory for an outside
// caller. dirlist is exported under its decorated C++ name.
#ifndef NDL_FOLDERWALK_H
#define NDL_FOLDERWALK_H

#include "export.h"

// The caller's buffer for dirlist, terminator included.
constexpr int kDirlistCapacity = 32768;

// Writes into OUT (kDirlistCapacity bytes) the name of every plain
// subdirectory of DIR, "." and ".." included, each followed by "#". 0 after
// the listing; 1 with OUT empty when DIR cannot be searched or the listing
// does not fit. Its row (export.h):
#define NDL_DIRLIST_ROW(M) M(dirlist, text_arg(dir), buf_out(out, kDirlistCapacity))
NDL_DIRLIST_ROW(NDL_DECLARE_ROW_CXX)

#endif
