// The directory procedures: a directory under a base directory is checked,
// created afresh or removed with everything below it. Only this build of the
// address library has them.
#ifndef NDL_ADDRKIT_DIRPROCS_H
#define NDL_ADDRKIT_DIRPROCS_H

#include "procedures.h"

// One row each, as the address procedures' (procedures.h). BASE: the base
// directory ("" for the default); NAME: the directory below it.
#define NDL_ADDRKIT_DIR_PROCEDURES(PROC) \
    /* 0, or 2 with the error triple filled. */ \
    PROC(C_check_dir, text_in(base), text_in(name)) \
    /* 0, or -1 with the error triple filled. */ \
    PROC(C_create_dir, text_in(base), text_in(name)) \
    /* 0, or 2 with the error triple filled. */ \
    PROC(C_remove_dir, text_in(base), text_in(name))
NDL_ADDRKIT_DIR_PROCEDURES(NDL_DECLARE_PROC)

#endif
