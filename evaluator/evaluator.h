// The expression evaluator: arithmetic statements over named variables,
// evaluated while they are parsed. All state is global to the deliverable
// that links it and lives as long as the process.
#ifndef NDL_EVALUATOR_H
#define NDL_EVALUATOR_H

constexpr int kMaxVariables = 100;

struct variable_entry {
    char *name;    // owned by the table
    double value;
};

struct error_record {
    const char *message;
    int line;
    int column;
};

// Entries 0 .. nVariables-1, sorted by byte-wise name, no name twice.
extern variable_entry variable[kMaxVariables];
extern int nVariables;
// The last failure's message and position (1-based).
extern error_record errorRecord;

// 0 when the whole text was parsed and evaluated, 1 otherwise.
int evaluateExpression(const char *text);

// The name of the i-th function that expressions may call (from 0), or
// null past the last: the reference lists them from here.
const char *evaluatorFunctionName(int i);

// The one way to empty the variable table: releases the copied names too.
void resetVariables();

#endif
