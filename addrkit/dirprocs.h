// The directory procedures: a directory under a base directory is checked,
// created afresh or removed with everything below it. Only this build of the
// address library has them.
#ifndef NDL_ADDRKIT_DIRPROCS_H
#define NDL_ADDRKIT_DIRPROCS_H

#include "export.h"

// BASE: the base directory ("" for the default); NAME: the directory below
// it. Both answer 0, or 2 with the error triple filled.
NDL_EXPORT int C_check_dir(const char *base, const char *name, char *err, int errlen, int *errind);
NDL_EXPORT int C_remove_dir(const char *base, const char *name, char *err, int errlen, int *errind);
// 0, or -1 with the error triple filled.
NDL_EXPORT int C_create_dir(const char *base, const char *name, char *err, int errlen, int *errind);

#endif
