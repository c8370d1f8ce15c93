// The expression procedure called directly, built with the working text of
// one deliverable (NDL_EVAL_TEXT_SIZE), so both sizes are checked.
#include <gtest/gtest.h>

#include <string>

#include "evaluator.h"

extern "C" int C_evaluate_expression(char *prefix, char *name, char *expression, char *result,
                                     int resultLen, int *resultInd, char *error, int errorLen,
                                     int *errorInd);

namespace {

struct Outcome {
    int status;
    std::string result;
    int resultInd;
    std::string error;
    int errorInd;
};

// Out indicators start at values the procedure must overwrite.
Outcome call(std::string prefix, std::string name, std::string expression, int resultLen = 4000) {
    std::string result = "untouched", error;
    result.resize(4000);
    error.resize(4000);
    int resultInd = 7, errorInd = 7;
    int status = C_evaluate_expression(prefix.data(), name.data(), expression.data(), result.data(),
                                       resultLen, &resultInd, error.data(), 4000, &errorInd);
    return {status, result.c_str(), resultInd, error.c_str(), errorInd};
}

void expectValue(const Outcome &o, const char *value) {
    EXPECT_EQ(o.status, 0) << o.error;
    EXPECT_EQ(o.result, value);
    EXPECT_EQ(o.resultInd, 0);
    EXPECT_EQ(o.errorInd, -1);
}

void expectError(const Outcome &o, const std::string &error) {
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.error, error);
    EXPECT_EQ(o.resultInd, -1);
    EXPECT_EQ(o.errorInd, 0);
}

// One suite name per working-text size: ProcedureText500, ProcedureText512.
#define NDL_JOIN2(a, b) a##b
#define NDL_JOIN(a, b) NDL_JOIN2(a, b)
#define Procedure NDL_JOIN(ProcedureText, NDL_EVAL_TEXT_SIZE)

class Procedure : public ::testing::Test {
protected:
    void SetUp() override { resetVariables(); }
};

TEST_F(Procedure, ValuesAndPersistence) {
    expectValue(call("", "x", "7 / 2"), "3");
    expectValue(call("", "x", "-7 / 2"), "-3");
    expectValue(call("a = 2; b = 3;", "c", "a * b"), "6");
    expectValue(call("", "x", "2.9"), "2");
    expectValue(call("", "x", "-2.9"), "-2");
    expectValue(call("", "x", "2147483647.9"), "2147483647");
    expectValue(call("", "x", "-2147483648.5"), "-2147483648");
    // The table is not emptied between calls.
    expectValue(call("", "x", "3"), "3");
    expectValue(call("", "y", "x + 1"), "4");
    expectValue(call("", "z", "a + b + c"), "11");
    // No entry bears the name exactly: the result is left as it was.
    expectValue(call("", "x ", "5"), "untouched");
}

TEST_F(Procedure, EvaluationErrors) {
    expectError(call("", "x", "1 / 0"), "Divide by Zero at line 1, column 10\n");
    expectError(call("", "x", "."), "Missing digit at line 1, column 6\n");
    expectError(call("", "x", "1 // note"), "Unexpected eof at line 1, column 15\n");
    expectError(call("y = 1;\n", "x", "foo(y)"), "Unknown Function at line 2, column 11\n");
    // Deep nesting overflows the parser: its own message, not a stale one.
    std::string deep = std::string(130, '(') + "1" + std::string(130, ')');
    testing::internal::CaptureStderr();
    expectError(call("", "x", deep), "Parser stack overflow at line 1, column 130\n");
    testing::internal::GetCapturedStderr();
}

TEST_F(Procedure, RefusedValuesAndTexts) {
    const char *notInt = "Error : value of x is not a 32-bit integer\n";
    expectError(call("", "x", "2147483648"), notInt);
    expectError(call("", "x", "-2147483649"), notInt);
    expectError(call("", "x", "1e300"), notInt);
    expectError(call("", "x", "0 ** -1"), notInt);
    expectError(call("", "x", "sqrt(-1)"), notInt);

    // prefix + name + " = " + expression + ";" and the NUL fill the text.
    const int room = NDL_EVAL_TEXT_SIZE - 5;
    std::string prefix = "p = 1;" + std::string(room - 6 - 2 - 1, ' ');
    expectValue(call(prefix, "xy", "4"), "4");
    expectError(call(prefix, "xy", "42"),
                "Error : expression text longer than " + std::to_string(NDL_EVAL_TEXT_SIZE - 1) +
                    " characters\n");

    // A result that does not fit its declared length is refused.
    expectError(call("", "x", "123", 3), "Error : result longer than its buffer\n");
}

}  // namespace
