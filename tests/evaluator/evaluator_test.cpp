// The expression language: values, the variable table, positions and every
// diagnostic, through evaluateExpression as its callers use it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "evaluator.h"

namespace {
bool g_no_memory_for_names = false;
}  // namespace

// The C library's, but for a heap that is exhausted while the test says so:
// the evaluator copies each new name with it.
extern "C" char *strdup(const char *s) noexcept {
    if (g_no_memory_for_names) return nullptr;
    size_t n = std::strlen(s) + 1;
    char *copy = static_cast<char *>(std::malloc(n));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}

namespace {

class Eval : public ::testing::Test {
protected:
    void SetUp() override { resetVariables(); }
    void TearDown() override { resetVariables(); }

    static const variable_entry *find(const char *name) {
        for (int i = 0; i < nVariables; ++i)
            if (std::strcmp(variable[i].name, name) == 0) return &variable[i];
        return nullptr;
    }
    // The value of x after the text evaluated without error.
    static double x(const std::string &text) {
        EXPECT_EQ(evaluateExpression(text.c_str()), 0) << text << ": " << errorRecord.message;
        const variable_entry *v = find("x");
        EXPECT_NE(v, nullptr) << text;
        return v ? v->value : NAN;
    }
    // The text fails with this message at this position.
    static void fails(const std::string &text, const char *message, int line, int column) {
        SCOPED_TRACE(text);
        errorRecord = {nullptr, 0, 0};
        ASSERT_EQ(evaluateExpression(text.c_str()), 1);
        ASSERT_NE(errorRecord.message, nullptr);
        EXPECT_STREQ(errorRecord.message, message);
        EXPECT_EQ(errorRecord.line, line);
        EXPECT_EQ(errorRecord.column, column);
    }
    static std::string names() {
        std::string s;
        for (int i = 0; i < nVariables; ++i) s += std::string(variable[i].name) + " ";
        return s;
    }
};

TEST_F(Eval, ArithmeticAndPrecedence) {
    EXPECT_EQ(x("x = 1 + 2 * 3;"), 7);
    EXPECT_EQ(x("x = (1 + 2) * 3"), 9);
    EXPECT_EQ(x("x = -2 ** 2"), -4);
    EXPECT_EQ(x("x = 2 ** 3 ** 2"), 512);
    EXPECT_EQ(x("x = 2 ** -1"), 0.5);
    EXPECT_EQ(x("x = 7 > 3"), 1);
    EXPECT_EQ(x("x = !5"), 0);
    EXPECT_EQ(x("x = !0"), 1);
    EXPECT_EQ(x("x = 10 - 4 - 3"), 3);
    EXPECT_EQ(x("x = 48 / 4 / 2"), 6);
    EXPECT_EQ(x("x = - - 3"), 3);
    EXPECT_EQ(x("x = +-3 * 2"), -6);
    EXPECT_EQ(x("x = !0 ** 2 + 1"), 2);
    EXPECT_EQ(x("x = 1 < 2 == 2 > 1"), 1);
    EXPECT_EQ(x("x = 2 <= 2 && 3 >= 4 || 1 != 1"), 0);
    EXPECT_EQ(x("x = 0 || 0.5"), 1);
    EXPECT_EQ(x("x = 1 ? 2 : 3"), 2);
    EXPECT_EQ(x("x = 0 ? 2 : 0 ? 3 : 4"), 4);
    EXPECT_EQ(x("x = 1 ? 0 : 1 ? 5 : 6"), 0);
    EXPECT_EQ(x("x = fmod(7, 4)"), 3);
    EXPECT_EQ(x("x = atan2(0, 1) + fabs(-2) + sqrt(16) + log10(100) + exp(0)"), 9);
    EXPECT_EQ(x("x = floor_ = 3, x = cos(0) * floor_"), 3);
    EXPECT_EQ(x("x = sqrt (4)"), 2);
    // No domain check: the library's answer stands.
    EXPECT_TRUE(std::isnan(x("x = sqrt(-1)")));
    EXPECT_TRUE(std::isinf(x("x = log(0)")));
}

TEST_F(Eval, AssignmentsAndTheTable) {
    EXPECT_EQ(x("x = 1; x += 2; x *= 4"), 12);
    EXPECT_TRUE(std::isinf(x("x = 5; x /= 0")));
    EXPECT_EQ(x("x -= 2; x = -x"), -INFINITY);

    resetVariables();
    EXPECT_EQ(x("x = y + 1"), 1);
    EXPECT_EQ(names(), "x y ");
    EXPECT_EQ(find("y")->value, 0);

    // Assignments group from the right and stand wherever an expression does.
    resetVariables();
    EXPECT_EQ(x("x = b = 2; c = (d = 3) + tan(0) * 0"), 2);
    EXPECT_EQ(find("b")->value, 2);
    EXPECT_EQ(find("d")->value, 3);
    EXPECT_EQ(x("x = 1 ? e = 4 : 0; x = fabs(g = -5)"), 5);
    EXPECT_EQ(find("e")->value, 4);
    EXPECT_EQ(find("g")->value, -5);

    // Sorted byte-wise, with case: B before a before b.
    resetVariables();
    ASSERT_EQ(evaluateExpression("b = 1; a = 2; B = 3; a_1 = a; A1 = 0"), 0);
    EXPECT_EQ(names(), "A1 B a a_1 b ");
    EXPECT_EQ(find("a_1")->value, 2);

    // The table outlives a call; a failure keeps what was assigned before it.
    ASSERT_EQ(evaluateExpression("k = 7"), 0);
    ASSERT_EQ(evaluateExpression("k += 1; j = 1 / 0; k = 0"), 1);
    EXPECT_EQ(find("k")->value, 8);
    EXPECT_EQ(find("j"), nullptr);  // its assignment never completed

    // No short-circuit: every operand runs, with its assignments.
    resetVariables();
    ASSERT_EQ(evaluateExpression("0 && (p = 1); 1 || (q = 2); 1 ? r = 3 : (s = 4)"), 0);
    EXPECT_EQ(find("p")->value, 1);
    EXPECT_EQ(find("q")->value, 2);
    EXPECT_EQ(find("r")->value, 3);
    EXPECT_EQ(find("s")->value, 4);

    // Emptying the table lets its names be used afresh.
    resetVariables();
    EXPECT_EQ(nVariables, 0);
    ASSERT_EQ(evaluateExpression("zz = 1"), 0);
    EXPECT_EQ(names(), "zz ");
}

TEST_F(Eval, Numbers) {
    EXPECT_EQ(x("x = 12.5e-1"), 1.25);
    EXPECT_EQ(x("x = .5 + 1."), 1.5);
    EXPECT_EQ(x("x = 1e3 + 1E+3 + 2.5e-2 * 40"), 2001);
    EXPECT_EQ(x("x = 1.e2"), 100);
    EXPECT_EQ(x("x = 007"), 7);
    EXPECT_DOUBLE_EQ(x("x = 0.125"), 0.125);
    // An exponent too long for an int saturates rather than wraps.
    EXPECT_TRUE(std::isinf(x("x = 1e99999999999999999999")));
    EXPECT_EQ(x("x = 1e-99999999999999999999"), 0);
    EXPECT_EQ(x("x = 1e4294967306"), INFINITY);  // 2^32 + 10 would wrap to 1e10
}

TEST_F(Eval, CommentsWhiteSpaceAndPositions) {
    EXPECT_EQ(x("/* a */ x /*b*/ = /* c\n d */ 2 // rest\n + 1"), 3);
    EXPECT_EQ(x("x = 4 /* ** && \" */ ** /**/ 2"), 16);
    EXPECT_EQ(x("x=1;;,x=x+1,"), 2);
    EXPECT_EQ(x("x\t=\r\n3\f\v"), 3);
    resetVariables();
    EXPECT_EQ(evaluateExpression(""), 0);
    EXPECT_EQ(evaluateExpression(";"), 0);
    EXPECT_EQ(evaluateExpression(";;"), 0);
    EXPECT_EQ(nVariables, 0);

    // Tab stops at 1, 9, 17; a line feed starts column 1 of the next line.
    fails("\t$", "Unexpected '$'", 1, 9);
    fails("x\t$", "Unexpected '$'", 1, 9);
    fails("1234567\t\t$", "Unexpected '$'", 1, 17);
    fails("x = 1;\n  $", "Unexpected '$'", 2, 3);
    fails("/* one\ntwo */ x = 1 / 0;", "Divide by Zero", 2, 17);
    fails("x = 1 // comment", "Unexpected eof", 1, 17);
    fails("x = 1 /* open\n", "Unexpected eof", 2, 1);
}

TEST_F(Eval, SemanticErrors) {
    fails("x = 0 && 1 / 0", "Divide by Zero", 1, 15);
    fails("x = 1 / 0;", "Divide by Zero", 1, 10);
    fails("x = 1 ? 2 : 3 / (2 - 2)", "Divide by Zero", 1, 24);
    fails("x = sqrt(1, 2)", "Wrong Number of Arguments", 1, 15);
    fails("x = fmod(1)", "Wrong Number of Arguments", 1, 12);
    fails("x = atan2()", "Wrong Number of Arguments", 1, 12);
    fails("x = foo(1)", "Unknown Function", 1, 11);
    fails("x = Sqrt(4)", "Unknown Function", 1, 12);
    // The step that failed ends the parse: no assignment of x completed.
    EXPECT_EQ(find("x"), nullptr);
}

TEST_F(Eval, SyntaxErrors) {
    fails("x = .;", "Missing digit", 1, 6);
    fails("x = 1 $ 2;", "Unexpected '$'", 1, 7);
    fails("x = 1 2;", "Unexpected digit", 1, 7);
    fails("x = (1;", "Unexpected ';'", 1, 7);
    fails("x = 1e;", "Missing exponent", 1, 7);
    fails("x = 1e+;", "Missing digit", 1, 8);
    fails("x = 1 e2", "Unexpected 'e'", 1, 7);
    fails("a + b = 2", "Unexpected '='", 1, 7);
    fails("x = !-1", "Unexpected '-'", 1, 6);
    fails("x = 1 ? 2 : y = 3", "Unexpected '='", 1, 15);
    fails("x = 1 & 2", "Unexpected '&'", 1, 7);
    fails("x = 1 | 2", "Unexpected '|'", 1, 7);
    fails("x = (1, 2)", "Unexpected ','", 1, 7);
    fails("x = 2 *= 3", "Unexpected '='", 1, 8);
    fails("x = 1 +\n", "Unexpected eof", 2, 1);
    fails("x = )", "Unexpected ')'", 1, 5);
    fails("x = 1 ==", "Unexpected eof", 1, 9);
    fails("x = 1 \\", "Unexpected input", 1, 7);
    fails("x = 1 \x01", "Unexpected input", 1, 7);
    fails("x = 1 \xe9", "Unexpected input", 1, 7);
    fails("(x) += 1", "Unexpected '='", 1, 6);
    fails("x = 1 */ 2", "Unexpected '/'", 1, 8);
    fails("x = 1 **", "Unexpected eof", 1, 9);
    // A pair is one token only where the state has a use for it.
    fails("x == == 1", "Unexpected '='", 1, 6);
    fails("a + b+= 2", "Unexpected \"+=\"", 1, 6);
    fails("a + b += 2", "Unexpected '='", 1, 8);
}

// A new name that finds no memory fails the caller for memory, never as a
// fault of the text ("Symbol Table Full" read as bad input); the table
// stays as it was and the next evaluation works.
TEST_F(Eval, ANameWithoutMemoryIsAFailureForMemory) {
    ASSERT_EQ(evaluateExpression("a = 1"), 0);
    g_no_memory_for_names = true;
    EXPECT_THROW(evaluateExpression("b = a + 1"), std::bad_alloc);
    g_no_memory_for_names = false;
    EXPECT_EQ(names(), "a ");
    EXPECT_EQ(x("x = a + 2"), 3);
}

TEST_F(Eval, Limits) {
    // 100 names fit; the 101st does not.
    std::string text;
    for (int i = 0; i < 100; ++i) text += "v" + std::to_string(i) + " = " + std::to_string(i) + ";";
    ASSERT_EQ(evaluateExpression(text.c_str()), 0);
    EXPECT_EQ(nVariables, 100);
    fails("v5 = v7 + 1; w = 2", "Symbol Table Full", 1, 19);
    EXPECT_EQ(nVariables, 100);
    EXPECT_EQ(find("v5")->value, 8);
    resetVariables();

    // Open names share 1000 characters.
    std::string name(1000, 'n');
    ASSERT_EQ(evaluateExpression(name.c_str()), 0);
    resetVariables();
    fails("x = " + name, "Character Stack Overflow", 1, 1005);
    fails("f(" + std::string(1000, 'g') + ")", "Character Stack Overflow", 1, 1003);
    ASSERT_EQ(evaluateExpression(("x = " + std::string(999, 'n')).c_str()), 0);

    // Open arguments share 200 places, nested calls included.
    auto ones = [](int n) {
        std::string s = "1";
        for (int i = 1; i < n; ++i) s += ",1";
        return s;
    };
    fails("x = f(" + ones(200) + ")", "Unknown Function", 1, 407);
    fails("x = f(" + ones(201) + ")", "Argument Stack Full", 1, 408);
    fails("x = f(1, g(" + ones(199) + "))", "Unknown Function", 1, 410);
    fails("x = f(1, g(" + ones(200) + "))", "Argument Stack Full", 1, 411);

    // The parse stack holds 128 entries, the start included; each open
    // parenthesis, sign or fraction digit takes one.
    auto nested = [](int depth) {
        return "x = " + std::string(depth, '(') + "1" + std::string(depth, ')');
    };
    EXPECT_EQ(x(nested(123)), 1);
    fails(nested(124), "Parser stack overflow", 1, 130);
    EXPECT_EQ(x("x = " + std::string(124, '-') + "1"), 1);
    fails("x = " + std::string(125, '-') + "1", "Parser stack overflow", 1, 130);
    EXPECT_NEAR(x("x = ." + std::string(122, '0') + "5") / 5e-123, 1, 1e-12);
    fails("x = ." + std::string(125, '0'), "Parser stack overflow", 1, 130);

    // The overflow is the one thing the evaluator writes.
    testing::internal::CaptureStderr();
    EXPECT_EQ(evaluateExpression(nested(130).c_str()), 1);
    EXPECT_EQ(evaluateExpression("x = 1 / 0; )"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nParser stack overflow, line 1, column 130\n");
}

}  // namespace
