// The evaluator's state and the services its parser calls: the character
// and argument stacks, the variable table and the function table.
#include <math.h>

#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "eval_kernel.h"

variable_entry variable[kMaxVariables];
int nVariables = 0;
error_record errorRecord = {nullptr, 0, 0};

char charStack[kCharStackSize + 1];
int charStackTop = 0;

namespace {

double argStack[kArgStackSize];
int argStackTop = 0;

// Where a name goes when the table is full: the rest of the step may still
// read and write it.
double scratchValue;

constexpr const char *kWrongCount = "Wrong Number of Arguments";

// strcmp's order (bytes as unsigned), inline: the names are short.
int compareNames(const char *a, const char *b) {
    while (*a && *a == *b) ++a, ++b;
    return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
}

template <double (*F)(double)>
double oneArgument(int count, double *args) {
    if (count != 1) {
        diagnoseError(kWrongCount);
        return 0.0;
    }
    return F(args[0]);
}

template <double (*F)(double, double)>
double twoArguments(int count, double *args) {
    if (count != 2) {
        diagnoseError(kWrongCount);
        return 0.0;
    }
    return F(args[0], args[1]);
}

struct function_entry {
    const char *name;
    double (*op)(int count, double *args);
};

// Sorted by name for the binary search.
const function_entry functionTable[] = {
    {"acos", oneArgument<acos>},   {"asin", oneArgument<asin>},
    {"atan", oneArgument<atan>},   {"atan2", twoArguments<atan2>},
    {"cos", oneArgument<cos>},     {"cosh", oneArgument<cosh>},
    {"exp", oneArgument<exp>},     {"fabs", oneArgument<fabs>},
    {"fmod", twoArguments<fmod>},  {"log", oneArgument<log>},
    {"log10", oneArgument<log10>}, {"sin", oneArgument<sin>},
    {"sinh", oneArgument<sinh>},   {"sqrt", oneArgument<sqrt>},
    {"tan", oneArgument<tan>},     {"tanh", oneArgument<tanh>},
};
constexpr int kFunctions = sizeof functionTable / sizeof functionTable[0];

}  // namespace

const char *evaluatorFunctionName(int i) { return i >= 0 && i < kFunctions ? functionTable[i].name : nullptr; }

void diagnoseError(const char *message) {
    EvalKernelPcb &p = evalKernel_pcb;
    if (p.status == kRunning) p.status = kSemanticError;
    errorRecord.message = message;
    errorRecord.line = p.line;
    errorRecord.column = p.column;
}

double checkZero(double x) {
    if (x == 0.0) {
        diagnoseError("Divide by Zero");
        return 1.0;
    }
    return x;
}

void resetCharStack() { charStackTop = 0; }

char *popString(int n) {
    if (n > charStackTop) n = charStackTop;
    assert(n >= 0 && charStackTop <= kCharStackSize);  // the NUL's byte is the one past the stack
    charStack[charStackTop] = '\0';
    charStackTop -= n;
    return charStack + charStackTop;
}

double *locateVariable(int n) {
    const char *name = popString(n);
    int low = 0, high = nVariables - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int cmp = compareNames(name, variable[middle].name);
        if (cmp == 0) return &variable[middle].value;
        if (cmp < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    if (nVariables >= kMaxVariables) {
        diagnoseError("Symbol Table Full");
        scratchValue = 0.0;
        return &scratchValue;
    }
    // No memory for the name is no fault of the text: the caller's
    // failure for memory, never a syntax error.
    char *copy = strdup(name);
    if (!copy) throw std::bad_alloc();
    // A slot past the end may still hold a name from before the table was
    // emptied by hand; it is about to be overwritten.
    std::free(variable[nVariables].name);
    assert(low == 0 || compareNames(variable[low - 1].name, copy) < 0);  // sorted, no name twice
    assert(low == nVariables || compareNames(copy, variable[low].name) < 0);
    std::memmove(&variable[low + 1], &variable[low], (nVariables - low) * sizeof variable[0]);
    variable[low].name = copy;
    variable[low].value = 0.0;
    ++nVariables;
    return &variable[low].value;
}

void resetVariables() {
    for (variable_entry &v : variable) {
        std::free(v.name);
        v.name = nullptr;
    }
    nVariables = 0;
}

void resetArgStack() { argStackTop = 0; }

void pushArg(double x) {
    if (argStackTop >= kArgStackSize) {
        diagnoseError("Argument Stack Full");
        return;
    }
    argStack[argStackTop++] = x;
}

double *popArgs(int n) {
    if (n > argStackTop) n = argStackTop;
    assert(n >= 0 && argStackTop <= kArgStackSize);
    argStackTop -= n;
    return argStack + argStackTop;
}

double callFunction(int n, int count) {
    const char *name = popString(n);
    double *args = popArgs(count);
    int low = 0, high = kFunctions - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int cmp = compareNames(name, functionTable[middle].name);
        if (cmp == 0) return functionTable[middle].op(count, args);
        if (cmp < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    diagnoseError("Unknown Function");
    return 0.0;
}

int evaluateExpression(const char *text) {
    resetCharStack();
    resetArgStack();
    evalKernel_pcb.pointer = text;
    evalKernel();
    return evalKernel_pcb.status == kSuccess ? 0 : 1;
}
