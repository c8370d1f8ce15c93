// Compiled by rows_defined_check.cmake, never linked: with NDL_MISMATCH, a
// procedure defined with a signature its row does not give must not build.
#include "procedures.h"

#ifdef NDL_MISMATCH
int C_compute_mask(long *count, char *res, int reslen, int *resind, char *err, int errlen, int *errind) {
    return *count + reslen + *resind + errlen + *errind + (res && err);
}
#endif

NDL_ADDRKIT_ROWS_DEFINED()
