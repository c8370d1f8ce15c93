// Marks the exports of a deliverable; everything else is hidden.
#ifndef NDL_EXPORT_H
#define NDL_EXPORT_H
#define NDL_EXPORT extern "C" __attribute__((visibility("default")))
// An export under the compiler's decorated (C++) name.
#define NDL_EXPORT_CXX __attribute__((visibility("default")))
#endif
