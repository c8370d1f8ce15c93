// The table-driven LALR(1) parser of the expression language. Every rule is
// computed the moment it is reduced, so one pass both checks the text and
// evaluates it. The tables come from gen_parse_tables.py; the parse stack is
// a fixed array, so no nesting of the input reaches the machine stack.
#include <cassert>
#include <climits>
#include <cmath>
#include <cstdio>

#include "eval_kernel.h"

namespace {
#include "parse_tables.inc"
}  // namespace

EvalKernelPcb evalKernel_pcb;

namespace {

// Token class of every byte on its own, whether it may begin a pair, and
// whether it may begin white space.
struct ByteClasses {
    unsigned char tok[256];
    bool pairLead[256];
    bool spaceLead[256];
};

const ByteClasses kBytes = [] {
    ByteClasses t{};
    auto set = [&t](const char *bytes, Tok tok) {
        for (; *bytes; ++bytes) t.tok[static_cast<unsigned char>(*bytes)] = tok;
    };
    for (int c = 0; c < 256; ++c) t.tok[c] = T_OTHER;
    t.tok[0] = T_END;
    set("\n", T_NEWLINE);
    set(" \t\v\f\r", T_BLANK);
    set("abcdfghijklmnopqrstuvwxyzABCDFGHIJKLMNOPQRSTUVWXYZ_", T_LETTER);
    set("Ee", T_EXP_LETTER);
    set("0123456789", T_DIGIT);
    const char *ops = ".=:?<>+-*/()!,;";
    const Tok opTok[] = {T_DOT,  T_ASSIGN, T_COLON, T_QUEST, T_LT,   T_GT,   T_PLUS, T_MINUS,
                         T_STAR, T_SLASH,  T_LPAR,  T_RPAR,  T_BANG, T_COMMA, T_SEMI};
    for (int i = 0; ops[i]; ++i) t.tok[static_cast<unsigned char>(ops[i])] = opTok[i];
    for (const char *c = "+-*/=!<>&|"; *c; ++c) t.pairLead[static_cast<unsigned char>(*c)] = true;
    for (const char *c = " \t\v\f\r\n/"; *c; ++c) t.spaceLead[static_cast<unsigned char>(*c)] = true;
    return t;
}();

// The two-byte token that c, d would form, or kNumTokens.
int pairToken(unsigned char c, unsigned char d) {
    switch (c) {
    case '+': return d == '=' ? T_ADD_ASSIGN : kNumTokens;
    case '-': return d == '=' ? T_SUB_ASSIGN : kNumTokens;
    case '*': return d == '=' ? T_MUL_ASSIGN : d == '*' ? T_POW : d == '/' ? T_COMMENT_CLOSE : kNumTokens;
    case '/': return d == '=' ? T_DIV_ASSIGN : d == '*' ? T_COMMENT_OPEN : d == '/' ? T_LINE_COMMENT : kNumTokens;
    case '=': return d == '=' ? T_EQEQ : kNumTokens;
    case '!': return d == '=' ? T_NE : kNumTokens;
    case '<': return d == '=' ? T_LE : kNumTokens;
    case '>': return d == '=' ? T_GE : kNumTokens;
    case '&': return d == '&' ? T_ANDAND : kNumTokens;
    default: return d == '|' ? T_OROR : kNumTokens;
    }
}

bool startsSpace(const unsigned char *s) {
    return kBytes.spaceLead[s[0]] && (s[0] != '/' || s[1] == '*' || s[1] == '/');
}

// The reading position. Kept in locals while parsing and copied to the
// control block as it moves, where diagnoseError reads it.
struct Cursor {
    const unsigned char *in;
    int line;
    int column;

    // Counters stop short of the int range on absurdly long texts.
    void step() {
        unsigned char c = *in++;
        if (column >= INT_MAX - 8 || line >= INT_MAX - 8) return;
        if (c == '\n') {
            ++line;
            column = 1;
        } else if (c == '\t') {
            column += 8 - (column - 1) % 8;
        } else if (c != '\f' && c != '\r') {
            ++column;
        }
    }

    // Consumes a token of n bytes, none of them white space.
    void take(int n, EvalKernelPcb &p) {
        in += n;
        if (column < INT_MAX - 8) column += n;
        p.column = column;
    }

    // Consumes a run of white space and comments: blanks, line feeds,
    // "/*" to the first "*/", "//" to the line feed. False when the input
    // ends inside a comment; the cursor then stands on the NUL.
    bool skipSpace(EvalKernelPcb &p) {
        bool closed = true;
        for (;;) {
            if (kBytes.tok[in[0]] == T_BLANK || in[0] == '\n') {
                step();
            } else if (in[0] == '/' && in[1] == '*') {
                step();
                step();
                while (in[0] && !(in[0] == '*' && in[1] == '/')) step();
                if (!in[0]) closed = false;
                else step(), step();
            } else if (in[0] == '/' && in[1] == '/') {
                while (in[0] && in[0] != '\n') step();
                if (!in[0]) closed = false;
                else step();
            } else {
                break;
            }
            if (!closed) break;
        }
        p.line = line;
        p.column = column;
        return closed;
    }
};

// The next token as the state sees it. Where the state is between two
// tokens, white space is passed over; after a name or a number it is one
// SPACE token, consumed here. A two-byte token is taken only where the state
// has a use for it, so "*=" after a number is two tokens.
int nextToken(int state, Cursor &at, EvalKernelPcb &p, int *length, int *lastShift) {
    *length = 0;
    if (startsSpace(at.in)) {
        if (kStates[state].skipsSpace || kAction[state][T_SPACE] != 0) {
            bool closed = at.skipSpace(p);
            *lastShift = kSpaceState;
            if (!closed) return T_UNCLOSED;
            if (!kStates[state].skipsSpace) return T_SPACE;
        }
    }
    const unsigned char *s = at.in;
    *length = s[0] != '\0';
    if (kBytes.pairLead[s[0]]) {
        int pair = pairToken(s[0], s[1]);
        if (pair != kNumTokens && kAction[state][pair] != 0) {
            *length = 2;
            return pair;
        }
    }
    return kBytes.tok[s[0]];
}

// Sets the overflow of a parse stack that cannot take another entry.
void overflow(EvalKernelPcb &p) {
    p.status = kStackOverflow;
    std::fprintf(stderr, "\nParser stack overflow, line %d, column %d\n", p.line, p.column);
    // Recorded too, so a caller never reports a stale or empty message.
    diagnoseError("Parser stack overflow");
}

// The message for a token that the parser cannot take, from the state that
// the last consumed token reached.
void syntaxError(EvalKernelPcb &p, int state, int token) {
    p.status = kSyntaxError;
    unsigned char c = static_cast<unsigned char>(*p.pointer);
    if (kMissing[state])
        std::snprintf(p.diagnosis, sizeof p.diagnosis, "Missing %s", kMissing[state]);
    else if (kTokenDisplay[token])
        std::snprintf(p.diagnosis, sizeof p.diagnosis, "Unexpected %s", kTokenDisplay[token]);
    else if (c >= ' ' && c <= '~' && c != '\\')
        std::snprintf(p.diagnosis, sizeof p.diagnosis, "Unexpected '%c'", c);
    else
        std::snprintf(p.diagnosis, sizeof p.diagnosis, "Unexpected input");
    diagnoseError(p.diagnosis);
}

int exponentDigit(int e, int d) {
    // Saturates: a longer exponent means the same infinity or zero.
    return e > (INT_MAX - d) / 10 ? INT_MAX : e * 10 + d;
}

int nameChar(int c, int count) {
    pushChar(c);
    return count + 1;
}

double assignTo(int nameLength, RuleAction how, double x) {
    double *v = locateVariable(nameLength);
    switch (how) {
    case A_ASSIGN: *v = x; break;
    case A_ADD_ASSIGN: *v += x; break;
    case A_SUB_ASSIGN: *v -= x; break;
    case A_MUL_ASSIGN: *v *= x; break;
    default: *v /= x; break;  // no zero check: IEEE gives infinity or NaN
    }
    return *v;
}

double truth(bool b) { return b ? 1.0 : 0.0; }

// The value of a rule from the values of its n symbols r[0] ...
__attribute__((always_inline)) inline EvalValue reduceValue(RuleAction action, const EvalValue *r, int n) {
    EvalValue v;
    switch (action) {
    case A_COPY: v = r[0]; break;
    case A_SECOND: v = r[1]; break;
    case A_NONE: v.real = 0.0; break;
    case A_ASSIGN:
    case A_ADD_ASSIGN:
    case A_SUB_ASSIGN:
    case A_MUL_ASSIGN:
    case A_DIV_ASSIGN: v.real = assignTo(r[0].count, action, r[2].real); break;
    case A_COND: v.real = r[0].real != 0.0 ? r[2].real : r[4].real; break;
    case A_OR: v.real = truth(r[0].real != 0.0 || r[2].real != 0.0); break;
    case A_AND: v.real = truth(r[0].real != 0.0 && r[2].real != 0.0); break;
    case A_EQ: v.real = truth(r[0].real == r[2].real); break;
    case A_NE: v.real = truth(r[0].real != r[2].real); break;
    case A_LT: v.real = truth(r[0].real < r[2].real); break;
    case A_LE: v.real = truth(r[0].real <= r[2].real); break;
    case A_GT: v.real = truth(r[0].real > r[2].real); break;
    case A_GE: v.real = truth(r[0].real >= r[2].real); break;
    case A_ADD: v.real = r[0].real + r[2].real; break;
    case A_SUB: v.real = r[0].real - r[2].real; break;
    case A_MUL: v.real = r[0].real * r[2].real; break;
    case A_DIV: v.real = r[0].real / checkZero(r[2].real); break;
    case A_NEG: v.real = -r[1].real; break;
    case A_POW: v.real = std::pow(r[0].real, r[2].real); break;
    case A_NOT: v.real = truth(r[1].real == 0.0); break;
    case A_VARIABLE: v.real = *locateVariable(r[0].count); break;
    case A_CALL: v.real = callFunction(r[0].count, r[2].count); break;
    case A_NO_ARGS: v.count = 0; break;
    case A_FIRST_ARG:
        pushArg(r[0].real);
        v.count = 1;
        break;
    case A_NEXT_ARG:
        pushArg(r[2].real);
        v.count = r[0].count + 1;
        break;
    case A_SCALE: v.real = r[0].real * std::pow(10.0, r[n - 1].count); break;
    case A_SCALE_DOWN: v.real = r[0].real * std::pow(10.0, -r[n - 1].count); break;
    case A_INT_FRAC: v.real = r[0].real + r[2].real; break;
    case A_FRAC_LAST: v.real = (r[0].count - '0') / 10.0; break;
    case A_FRAC_NEXT: v.real = ((r[0].count - '0') + r[1].real) / 10.0; break;
    default: v.real = 0.0; break;  // rules of one token: foldValue
    }
    return v;
}

// The value of a rule "A: token" (left unused) or "A: A token" (left is A's
// value) on the shifted byte c.
__attribute__((always_inline)) inline EvalValue foldValue(RuleAction action, EvalValue left, int c) {
    EvalValue v;
    switch (action) {
    case A_INT_FIRST: v.real = c - '0'; break;
    case A_INT_NEXT: v.real = left.real * 10 + (c - '0'); break;
    case A_EXP_FIRST: v.count = c - '0'; break;
    case A_EXP_NEXT: v.count = exponentDigit(left.count, c - '0'); break;
    case A_NAME_CHAR: v.count = nameChar(c, 0); break;
    case A_NAME_MORE: v.count = nameChar(c, left.count); break;
    default: v.real = 0.0; break;  // white space and comments
    }
    return v;
}

}  // namespace

void init_evalKernel() {
    EvalKernelPcb &p = evalKernel_pcb;
    p.top = 0;
    p.state[0] = 0;
    p.status = kRunning;
    p.line = 1;
    p.column = 1;
}

void evalKernel() {
    init_evalKernel();
    EvalKernelPcb &p = evalKernel_pcb;
    Cursor at{reinterpret_cast<const unsigned char *>(p.pointer), 1, 1};
    short *states = p.state;
    EvalValue *value = p.value;
    int top = 0, state = 0;
    int token = -1;  // none read ahead
    int length = 0;
    int lastShift = 0;  // the state reached by the last consumed token
    for (;;) {
        int act = kStates[state].defaultReduce;
        if (act == 0) {
            if (token < 0) token = nextToken(state, at, p, &length, &lastShift);
            act = kAction[state][token];
            if (act > 0) {
                if (top + 1 >= kParseStackSize) {
                    overflow(p);
                    break;
                }
                int c = *at.in;
                at.take(length, p);
                lastShift = act;
                token = -1;
                int fold = kStates[act].shiftFold;
                if (fold == 0) {
                    state = act;
                    states[++top] = static_cast<short>(state);
                    value[top].count = c;
                    continue;
                }
                // The rule that the shifted state would reduce at once.
                const Rule &rule = kRules[-1 - kStates[act].defaultReduce];
                if (fold == 1) {
                    // "A: A token" comes back to this state, which reads on
                    // in place while its bytes do the same (names, digits);
                    // the bytes of a run of one class take the same step.
                    int runToken = kBytes.tok[c];
                    RuleAction how = rule.action;
                    EvalValue v = foldValue(how, value[top], c);
                    while (p.status == kRunning) {
                        c = *at.in;
                        int t = kBytes.tok[c];
                        if (t != runToken) {
                            int next = kBytes.pairLead[c] ? 0 : kAction[state][t];
                            if (next <= 0 || kStates[next].shiftFold != 1) break;
                            runToken = t;
                            lastShift = next;
                            how = kRules[-1 - kStates[next].defaultReduce].action;
                        }
                        at.take(1, p);
                        v = foldValue(how, v, c);
                    }
                    value[top] = v;
                } else if (fold == 2) {  // "A: token"
                    EvalValue v = foldValue(rule.action, value[top], c);
                    state = kGotoChain[kGotoRow[state][rule.lhs]][kNumTokens];
                    states[++top] = static_cast<short>(state);
                    value[top] = v;
                } else {  // "A: B token"
                    assert(top >= 1);  // B stands on the stack below the token
                    value[top + 1].count = c;
                    EvalValue v = reduceValue(rule.action, &value[top], 2);
                    state = kGotoChain[kGotoRow[states[top - 1]][rule.lhs]][kNumTokens];
                    states[top] = static_cast<short>(state);
                    value[top] = v;
                }
                if (p.status != kRunning) break;
                continue;
            }
            if (act == 0) {
                p.pointer = reinterpret_cast<const char *>(at.in);
                syntaxError(p, lastShift, token);
                break;
            }
        }
        const Rule &rule = kRules[-1 - act];
        if (rule.lhs == kWholeText) {
            p.status = kSuccess;
            break;
        }
        assert(rule.length <= top);  // a rule reduces symbols above the start state
        EvalValue v = reduceValue(rule.action, &value[top - rule.length + 1], rule.length);
        if (p.status != kRunning) break;  // an error ends the parse with its step
        top -= rule.length;
        if (top + 1 >= kParseStackSize) {
            overflow(p);
            break;
        }
        // Rules that only pass a value on are taken at once, as the token
        // read ahead (or none) calls for them.
        state = kGotoChain[kGotoRow[states[top]][rule.lhs]][token < 0 ? kNumTokens : token];
        assert(state > 0 && state < kNumStates);  // a goto never returns to the start state
        states[++top] = static_cast<short>(state);
        value[top] = v;
    }
    p.pointer = reinterpret_cast<const char *>(at.in);
    p.top = top;
}
