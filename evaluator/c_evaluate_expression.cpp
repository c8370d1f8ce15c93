// The external procedure that computes one integer from an expression:
// prefix + name + " = " + expression + ";" is evaluated and the variable's
// value comes back as decimal text. The variable table is not emptied, so
// values set by one call are read by the next in the same process.
#include <cassert>
#include <cstdio>
#include <cstring>

#include "../platform/export.h"
#include "../platform/guard.h"
#include "../platform/extproc/outparam.h"
#include "c_evaluate_expression.h"
#include "evaluator.h"

#ifndef NDL_EVAL_TEXT_SIZE
#error "NDL_EVAL_TEXT_SIZE: the working text of the deliverable (NUL included)"
#endif

namespace {

// A failure: the result is NULL and the error text not.
int fail(int *resultInd, char *error, int errorLen, int *errorInd, const char *text) {
    *resultInd = OUT_NULL;
    out_error(error, errorLen, errorInd, text);
    return 2;
}

}  // namespace

NDL_EXPORT int C_evaluate_expression(char *prefix, char *name, char *expression, char *result,
                                     int resultLen, int *resultInd, char *error, int errorLen,
                                     int *errorInd) try {
    *errorInd = OUT_NULL;
    *resultInd = OUT_NOTNULL;

    char message[NDL_EVAL_TEXT_SIZE + 100];
    char text[NDL_EVAL_TEXT_SIZE];
    // The joined text must fit whole; a cut one would evaluate something else.
    size_t need = std::strlen(prefix) + std::strlen(name) + std::strlen(expression) + 5;
    if (need > sizeof text) {
        std::snprintf(message, sizeof message,
                      "Error : expression text longer than %d characters\n",
                      NDL_EVAL_TEXT_SIZE - 1);
        return fail(resultInd, error, errorLen, errorInd, message);
    }
    std::snprintf(text, sizeof text, "%s%s = %s;", prefix, name, expression);
    assert(std::strlen(text) + 1 == need);  // whole, never cut

    if (evaluateExpression(text) != 0) {
        std::snprintf(message, sizeof message, "%s at line %d, column %d\n",
                      errorRecord.message ? errorRecord.message : "", errorRecord.line,
                      errorRecord.column);
        return fail(resultInd, error, errorLen, errorInd, message);
    }

    for (int i = 0; i < nVariables; ++i) {
        if (std::strcmp(variable[i].name, name) != 0) continue;
        double v = variable[i].value;
        // Only values that truncate into 32 bits have a text; NaN fails both.
        if (!(v > -2147483649.0 && v < 2147483648.0)) {
            std::snprintf(message, sizeof message,
                          "Error : value of %s is not a 32-bit integer\n", name);
            return fail(resultInd, error, errorLen, errorInd, message);
        }
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", static_cast<int>(v));
        if (!out_result(result, resultLen, digits))
            return fail(resultInd, error, errorLen, errorInd,
                        "Error : result longer than its buffer\n");
    }
    return 0;
} catch (...) {
    // Nothing thrown reaches the agent.
    char text[256];
    procedure_error_text(text, sizeof text);
    return fail(resultInd, error, errorLen, errorInd, text);
}
NDL_EVALUATE_EXPRESSION_ROW(NDL_ROW_DEFINED)
