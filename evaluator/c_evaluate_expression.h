// The evaluator's export in the address libraries.
#ifndef NDL_EVALUATOR_C_EVALUATE_EXPRESSION_H
#define NDL_EVALUATOR_C_EVALUATE_EXPRESSION_H

#include "../platform/export.h"

// Its row (export.h).
#define NDL_EVALUATE_EXPRESSION_ROW(M)                                                               \
    M(C_evaluate_expression, text_arg(prefix), text_arg(name), text_arg(expression), text_out(result, 4000), \
      text_out(error, 4000))
NDL_EVALUATE_EXPRESSION_ROW(NDL_DECLARE_ROW)

#endif
