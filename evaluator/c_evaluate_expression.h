// The evaluator's export in the address libraries.
#ifndef NDL_EVALUATOR_C_EVALUATE_EXPRESSION_H
#define NDL_EVALUATOR_C_EVALUATE_EXPRESSION_H

#include "../platform/export.h"

NDL_EXPORT int C_evaluate_expression(char *prefix, char *name, char *expression, char *result, int resultLen,
                                     int *resultInd, char *error, int errorLen, int *errorInd);

#endif
