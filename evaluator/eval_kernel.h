// Internals of the evaluator shared by the parser and the services it calls.
// Callers outside evaluator/ use evaluator.h only.
#ifndef NDL_EVAL_KERNEL_H
#define NDL_EVAL_KERNEL_H

#include "evaluator.h"

// Internal to every deliverable that links the evaluator: references stay
// direct, never through the global offset table.
#pragma GCC visibility push(hidden)

constexpr int kCharStackSize = 1000;  // characters of open names
constexpr int kArgStackSize = 200;    // values of open call arguments
constexpr int kParseStackSize = 128;
constexpr int kDiagnosisSize = 84;

// Status of a parse.
enum EvalStatus {
    kRunning = 0,
    kSuccess = 1,
    kSyntaxError = 2,
    kStackOverflow = 4,
    kSemanticError = 5,
};

// One parse-stack symbol's value: a double for numbers and expressions,
// a count for names, argument lists and exponents, a byte for tokens.
union EvalValue {
    double real;
    int count;
};

struct EvalKernelPcb {
    const char *pointer;  // next byte to read; NUL ends the input
    int line;
    int column;
    int top;  // index of the top entry of the parse stack
    short state[kParseStackSize];
    EvalValue value[kParseStackSize];
    char diagnosis[kDiagnosisSize];
    int status;
};

extern EvalKernelPcb evalKernel_pcb;

void init_evalKernel();
void evalKernel();

// Records an error at the parser's position; the first error of a parse
// decides its status.
void diagnoseError(const char *message);
double checkZero(double x);

// The characters of the names still open; the last byte takes the NUL that
// popString writes.
extern char charStack[kCharStackSize + 1];
extern int charStackTop;

void resetCharStack();
// Pushes one character of a name; inline, as names are read byte by byte.
inline void pushChar(int c) {
    if (charStackTop >= kCharStackSize) {
        diagnoseError("Character Stack Overflow");
        return;
    }
    charStack[charStackTop++] = static_cast<char>(c);
}
char *popString(int n);
double *locateVariable(int n);

void resetArgStack();
void pushArg(double x);
double *popArgs(int n);
double callFunction(int n, int count);

#pragma GCC visibility pop

#endif
