// Compiled by rows_defined_check.cmake, never linked: with NDL_MISMATCH set
// to one of the procedures below, that procedure is defined with a signature
// its row does not give, and the file must not build.
#include "c_evaluate_expression.h"
#include "dirprocs.h"
#include "folderwalk.h"
#include "solaris.h"

#define NDL_IS_C_compute_mask 1
#define NDL_IS_C_check_dir 2
#define NDL_IS_dirlist 3
#define NDL_IS_C_evaluate_expression 4
#define NDL_IS_count_on_bits 5
#define NDL_WHICH(name) NDL_WHICH_(name)
#define NDL_WHICH_(name) NDL_IS_##name

#if defined(NDL_MISMATCH) && NDL_WHICH(NDL_MISMATCH) == 1
int C_compute_mask(long *count, char *res, int reslen, int *resind, char *err, int errlen, int *errind) {
    return *count + reslen + *resind + errlen + *errind + (res && err);
}
#elif defined(NDL_MISMATCH) && NDL_WHICH(NDL_MISMATCH) == 2
// A base given as a writable buffer: an overload, not the export.
int C_check_dir(char *base, const char *name, char *err, int errlen, int *errind) {
    return base[0] + name[0] + errlen + *errind + (err != nullptr);
}
#elif defined(NDL_MISMATCH) && NDL_WHICH(NDL_MISMATCH) == 3
// A const directory changes the decorated name: the row's symbol is gone.
int dirlist(const char *dir, char *out) { return dir[0] + out[0]; }
#elif defined(NDL_MISMATCH) && NDL_WHICH(NDL_MISMATCH) == 4
int C_evaluate_expression(char *prefix, char *name, char *expression, char *result, long resultLen,
                          int *resultInd, char *error, int errorLen, int *errorInd) {
    return prefix[0] + name[0] + expression[0] + result[0] + resultLen + *resultInd + error[0] + errorLen +
           *errorInd;
}
#elif defined(NDL_MISMATCH) && NDL_WHICH(NDL_MISMATCH) == 5
// An export with no row but its declaration.
int count_on_bits(unsigned long number) { return static_cast<int>(number); }
#endif

NDL_ADDRKIT_ROWS_DEFINED()
NDL_ADDRKIT_DIR_PROCEDURES(NDL_PROC_DEFINED)
NDL_DIRLIST_ROW(NDL_ROW_DEFINED)
NDL_EVALUATE_EXPRESSION_ROW(NDL_ROW_DEFINED)
NDL_DEFINED_AS_DECLARED(count_on_bits)
