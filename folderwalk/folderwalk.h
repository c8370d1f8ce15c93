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
// does not fit.
NDL_EXPORT_CXX int dirlist(char *dir, char *out);

#endif
