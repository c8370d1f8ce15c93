#!/usr/bin/env python3
"""Builds the LALR(1) tables of the expression language.

Run by hand after a change to the grammar below; the output is committed so
that the build needs no generator:

    python3 evaluator/gen_parse_tables.py evaluator/parse_tables.inc

The grammar works on character classes: names and numbers are built from
letters and digits by the parser itself, so a diagnosis can point into a
number ("Missing digit" after a lone "."). White space and comments are read
by the scanner: between two tokens it passes over them, and after a name or
a number, which they end, it hands them over as one SPACE token.
"""

import sys

# Terminals, in the order of the Tok enum. (enum name, display name or None)
SINGLE = [
    ("DOT", "."), ("ASSIGN", "="), ("COLON", ":"), ("QUEST", "?"),
    ("LT", "<"), ("GT", ">"), ("PLUS", "+"), ("MINUS", "-"), ("STAR", "*"),
    ("SLASH", "/"), ("LPAR", "("), ("RPAR", ")"), ("BANG", "!"),
    ("COMMA", ","),
]
DOUBLE = [
    ("ADD_ASSIGN", "+="), ("SUB_ASSIGN", "-="), ("MUL_ASSIGN", "*="),
    ("DIV_ASSIGN", "/="), ("EQEQ", "=="), ("NE", "!="), ("LE", "<="),
    ("GE", ">="), ("ANDAND", "&&"), ("OROR", "||"), ("POW", "**"),
    ("COMMENT_OPEN", "/*"), ("COMMENT_CLOSE", "*/"), ("LINE_COMMENT", "//"),
]
TERMINALS = (
    [("END", "eof"), ("NEWLINE", "'\\n'"), ("BLANK", None), ("LETTER", None),
     ("EXP_LETTER", None), ("DIGIT", "digit"), ("OTHER", None),
     ("SEMI", None)]
    + [(n, "'%s'" % c) for n, c in SINGLE]
    + [(n, '"%s"' % c) for n, c in DOUBLE]
    # A run of white space and comments; the end of input inside a comment.
    + [("SPACE", None), ("UNCLOSED", "eof")]
)
TERM_NAMES = [t[0] for t in TERMINALS]
TERM_DISPLAY = {t[0]: t[1] for t in TERMINALS}

# Nonterminals: grammar symbols display by their names; auxiliary ones
# (separators, names and numbers with their trailing space) have none.
DISPLAY = {
    "input_string": "input string", "expressions": "expressions",
    "expression": "expression", "cond": "conditional expression",
    "lor": "logical or expression", "land": "logical and expression",
    "eq": "equality expression", "rel": "relational expression",
    "add": "additive expression", "mul": "multiplicative expression",
    "unary": "unary expression", "factor": "factor", "primary": "primary",
    "arguments": "arguments", "arglist": "argument list", "real": "real",
    "simple": "simple real", "intpart": "integer part",
    "frac": "fraction part", "exponent": "exponent", "name": "name",
}
# The symbols that white space may not enter.
LEXEMES = {"name", "real", "simple", "intpart", "frac", "exponent"}

RULES = []  # (lhs, rhs list, action tag)


def rule(lhs, rhs, action="COPY"):
    RULES.append((lhs, rhs.split() if rhs else [], action))


START = "input_string"
rule("input_string", "expressions END", "NONE")
rule("expressions", "", "NONE")
rule("expressions", "expression", "NONE")
rule("expressions", "expressions sep", "NONE")
rule("expressions", "expressions sep expression", "NONE")
rule("sep", "SEMI", "NONE")
rule("sep", "COMMA", "NONE")

rule("expression", "cond")
for op in ("ASSIGN", "ADD_ASSIGN", "SUB_ASSIGN", "MUL_ASSIGN", "DIV_ASSIGN"):
    rule("expression", "nameW %s expression" % op, op)
rule("cond", "lor")
rule("cond", "lor QUEST expression COLON cond", "COND")
rule("lor", "land")
rule("lor", "lor OROR land", "OR")
rule("land", "eq")
rule("land", "land ANDAND eq", "AND")
rule("eq", "rel")
rule("eq", "eq EQEQ rel", "EQ")
rule("eq", "eq NE rel", "NE")
rule("rel", "add")
for op in ("LT", "LE", "GT", "GE"):
    rule("rel", "rel %s add" % op, op)
rule("add", "mul")
rule("add", "add PLUS mul", "ADD")
rule("add", "add MINUS mul", "SUB")
rule("mul", "unary")
rule("mul", "mul STAR unary", "MUL")
rule("mul", "mul SLASH unary", "DIV")
rule("unary", "factor")
rule("unary", "MINUS unary", "NEG")
rule("unary", "PLUS unary", "SECOND")
rule("factor", "primary")
rule("factor", "primary POW unary", "POW")
rule("primary", "realW")
rule("primary", "nameW", "VARIABLE")
rule("primary", "LPAR expression RPAR", "SECOND")
rule("primary", "BANG primary", "NOT")
rule("primary", "nameW LPAR arguments RPAR", "CALL")
rule("arguments", "", "NO_ARGS")
rule("arguments", "arglist")
rule("arglist", "expression", "FIRST_ARG")
rule("arglist", "arglist COMMA expression", "NEXT_ARG")

rule("realW", "real")
rule("realW", "real SPACE")
rule("nameW", "name")
rule("nameW", "name SPACE")
rule("real", "simple")
rule("real", "simple EXP_LETTER exponent", "SCALE")
rule("real", "simple EXP_LETTER PLUS exponent", "SCALE")
rule("real", "simple EXP_LETTER MINUS exponent", "SCALE_DOWN")
rule("simple", "intpart")
rule("simple", "intpart DOT")
rule("simple", "intpart DOT frac", "INT_FRAC")
rule("simple", "DOT frac", "SECOND")
rule("intpart", "DIGIT", "INT_FIRST")
rule("intpart", "intpart DIGIT", "INT_NEXT")
rule("frac", "DIGIT", "FRAC_LAST")
rule("frac", "DIGIT frac", "FRAC_NEXT")
rule("exponent", "DIGIT", "EXP_FIRST")
rule("exponent", "exponent DIGIT", "EXP_NEXT")
rule("name", "LETTER", "NAME_CHAR")
rule("name", "EXP_LETTER", "NAME_CHAR")
rule("name", "name LETTER", "NAME_MORE")
rule("name", "name EXP_LETTER", "NAME_MORE")
rule("name", "name DIGIT", "NAME_MORE")

# ---------------------------------------------------------------------------
NONTERMS = []
for lhs, _, _ in RULES:
    if lhs not in NONTERMS:
        NONTERMS.append(lhs)
TERMSET = set(TERM_NAMES)
for _, rhs, _ in RULES:
    for s in rhs:
        if s not in TERMSET and s not in NONTERMS:
            sys.exit("unknown symbol %s" % s)

AUG = "$accept"
GR = [(AUG, [START])] + [(l, r) for l, r, _ in RULES]  # rule i+1 = RULES[i]
BY_LHS = {}
for i, (l, r) in enumerate(GR):
    BY_LHS.setdefault(l, []).append(i)

nullable = set()
first = {n: set() for n in NONTERMS + [AUG]}
changed = True
while changed:
    changed = False
    for l, r in GR:
        if l not in nullable and all(s in nullable for s in r):
            nullable.add(l)
            changed = True
        for s in r:
            f = {s} if s in TERMSET else first[s]
            if not f <= first[l]:
                first[l] |= f
                changed = True
            if s not in nullable:
                break


def first_of(seq, la):
    out = set()
    for s in seq:
        if s in TERMSET:
            out.add(s)
            return out
        out |= first[s]
        if s not in nullable:
            return out
    out |= la
    return out


def closure_lr0(items):
    out = list(items)
    seen = set(items)
    for r, d in out:
        rhs = GR[r][1]
        if d < len(rhs) and rhs[d] not in TERMSET:
            for p in BY_LHS[rhs[d]]:
                if (p, 0) not in seen:
                    seen.add((p, 0))
                    out.append((p, 0))
    return out


def closure_lr1(kernel):
    """kernel: dict item -> lookahead set; returns the same for the closure."""
    items = {k: set(v) for k, v in kernel.items()}
    work = list(items)
    while work:
        r, d = work.pop()
        rhs = GR[r][1]
        if d < len(rhs) and rhs[d] not in TERMSET:
            la = first_of(rhs[d + 1:], items[(r, d)])
            for p in BY_LHS[rhs[d]]:
                cur = items.get((p, 0))
                if cur is None:
                    items[(p, 0)] = set(la)
                    work.append((p, 0))
                elif not la <= cur:
                    cur |= la
                    work.append((p, 0))
    return items


# LR(0) automaton.
states = [((0, 0),)]
index = {states[0]: 0}
gotos = []
i = 0
while i < len(states):
    trans = {}
    for r, d in closure_lr0(states[i]):
        rhs = GR[r][1]
        if d < len(rhs):
            trans.setdefault(rhs[d], []).append((r, d + 1))
    row = {}
    for sym in sorted(trans, key=lambda s: (s not in TERMSET, s)):
        k = tuple(sorted(set(trans[sym])))
        if k not in index:
            index[k] = len(states)
            states.append(k)
        row[sym] = index[k]
    gotos.append(row)
    i += 1

# LALR lookaheads by propagation from the kernels.
LA = [{it: set() for it in k} for k in states]
prop = [{it: [] for it in k} for k in states]
for s, k in enumerate(states):
    for it in k:
        cl = closure_lr1({it: {"#"}})
        for (r, d), las in cl.items():
            rhs = GR[r][1]
            if d == len(rhs):
                continue
            t = gotos[s][rhs[d]]
            for a in las:
                if a == "#":
                    prop[s][it].append((t, (r, d + 1)))
                else:
                    LA[t][(r, d + 1)].add(a)
changed = True
while changed:
    changed = False
    for s in range(len(states)):
        for it, targets in prop[s].items():
            for t, it2 in targets:
                if not LA[s][it] <= LA[t][it2]:
                    LA[t][it2] |= LA[s][it]
                    changed = True

# Actions.
actions = []   # per state: terminal -> ("s", state) / ("r", rule)
defaults = []  # per state: rule reduced without reading a token, or None
conflicts = []
for s, k in enumerate(states):
    cl = closure_lr1(LA[s])
    row = {}
    reduces = set()
    for t, tgt in gotos[s].items():
        if t in TERMSET:
            row[t] = ("s", tgt)
    for (r, d), las in cl.items():
        if d == len(GR[r][1]) and r != 0:
            reduces.add(r)
            for a in las:
                if a in row and row[a] != ("r", r):
                    conflicts.append((s, a, row[a], ("r", r)))
                row[a] = ("r", r)
    shifts = [a for a, v in row.items() if v[0] == "s"]
    defaults.append(reduces.pop() if len(reduces) == 1 and not shifts else None)
    actions.append(row)
if conflicts:
    for c in conflicts:
        print("conflict in state %d on %s: %s / %s" % c, file=sys.stderr)
    sys.exit(1)


def missing_text(s):
    """What a syntax error in state s is missing, or None."""
    row = actions[s]
    if any(v[0] == "r" for v in row.values()) or defaults[s] is not None:
        return None  # the state reduces: it takes tokens by default
    if len(row) == 1:
        return TERM_DISPLAY[next(iter(row))]
    follow = [n for n in gotos[s] if n not in TERMSET]
    if len(follow) == 1:
        return DISPLAY.get(follow[0])
    return None


def skips_space(s):
    """Whether the scanner passes over white space in state s: between two
    tokens, where no name or number is open."""
    if "SPACE" in actions[s]:
        return False
    return not any(GR[r][0] in LEXEMES and d > 0 for r, d in states[s])


# A shift into a state that reduces at once is folded into the shift:
# 1 "A: A token", which leaves the parser where it was; 2 "A: token";
# 3 "A: B token". The whole text is not folded: reducing it ends the parse.
folds = []
for s_ in range(len(states)):
    d = defaults[s_]
    rhs = GR[d][1] if d is not None and GR[d][0] != START else []
    if len(rhs) == 2 and rhs[0] == GR[d][0] and rhs[1] in TERMSET:
        folds.append(1)
    elif len(rhs) == 1 and rhs[0] in TERMSET:
        folds.append(2)
    elif len(rhs) == 2 and rhs[1] in TERMSET:
        folds.append(3)
    else:
        folds.append(0)

# After a reduction, the rules that only pass a value on ("A: B") are
# followed at once: the state reached depends on the state below, the symbol
# made and the token read ahead (the last column: none read yet).
is_unit = [False] + [len(r) == 1 and a == "COPY" for _, r, a in RULES]


def chain(below, sym, tok):
    t = gotos[below][sym]
    while True:
        a = defaults[t]
        if a is None:
            if tok is None:
                return t
            v = actions[t].get(tok)
            if v is None or v[0] != "r":
                return t
            a = v[1]
        if not is_unit[a]:
            return t
        t = gotos[below][GR[a][0]]


rows = []
row_index = {}
goto_rows = []
for below in range(len(states)):
    line = []
    for n in NONTERMS:
        if n not in gotos[below]:
            line.append(0)
            continue
        r = tuple(chain(below, n, t) for t in TERM_NAMES + [None])
        if r not in row_index:
            row_index[r] = len(rows) + 1
            rows.append(r)
        line.append(row_index[r])
    goto_rows.append(line)

# The state reached by consuming white space: it reduces at once, so a
# syntax error after white space finds nothing missing.
space_state = next(t for s_ in range(len(states))
                   for a, t in gotos[s_].items() if a == "SPACE")
assert defaults[space_state] is not None

# ---------------------------------------------------------------------------
ACTION_TAGS = []
for _, _, a in RULES:
    if a not in ACTION_TAGS:
        ACTION_TAGS.append(a)

out = []
w = out.append


def cstr(s):
    return "nullptr" if s is None else \
        '"%s"' % s.replace("\\", "\\\\").replace('"', '\\"')


w("// Generated by evaluator/gen_parse_tables.py from the grammar it holds.")
w("// Do not edit: change the grammar there and run it again.")
w("// clang-format off")
w("enum Tok : unsigned char {")
for n in TERM_NAMES:
    w("    T_%s," % n)
w("    kNumTokens")
w("};")
w("enum RuleAction : unsigned char {")
for a in ACTION_TAGS:
    w("    A_%s," % a)
w("};")
w("constexpr int kNumStates = %d;" % len(states))
w("constexpr int kNumNonterminals = %d;" % len(NONTERMS))
w("// The symbol of the whole text: reducing to it ends the parse.")
w("constexpr int kWholeText = %d;" % NONTERMS.index(START))
w("// The state that consumed white space leaves: nothing is missing there.")
w("constexpr int kSpaceState = %d;" % space_state)
w("// How a syntax error shows each token; nullptr where it has no name.")
w("constexpr const char *kTokenDisplay[kNumTokens] = {")
for n in TERM_NAMES:
    w("    %s," % cstr(TERM_DISPLAY[n]))
w("};")
w("// Per rule: the symbol it makes, its length and what it computes.")
w("struct Rule {")
w("    unsigned char lhs;")
w("    unsigned char length;")
w("    RuleAction action;")
w("};")
w("constexpr Rule kRules[] = {")
for l, r, a in RULES:
    w("    {%d, %d, A_%s},  // %s: %s" % (NONTERMS.index(l), len(r), a, l,
                                       " ".join(r) if r else "(nothing)"))
w("};")
w("// Action per state and token: 0 error, > 0 shift to that state,")
w("// < 0 reduce rule -1 - value.")
w("constexpr short kAction[kNumStates][kNumTokens] = {")
for s_ in range(len(states)):
    vals = []
    for t in TERM_NAMES:
        v = actions[s_].get(t)
        vals.append(0 if v is None else v[1] if v[0] == "s" else -v[1])
    w("    {" + ",".join(str(v) for v in vals) + "},")
w("};")
w("// Per state: the rule it reduces before any token is read (-1 - rule,")
w("// or 0); how a shift into it folds with that rule; whether the scanner")
w("// passes over white space there.")
w("struct StateInfo {")
w("    short defaultReduce;")
w("    unsigned char shiftFold;")
w("    bool skipsSpace;")
w("};")
w("constexpr StateInfo kStates[kNumStates] = {")
for s_ in range(len(states)):
    d = defaults[s_]
    w("    {%d, %d, %s}," % (0 if d is None else -d, folds[s_],
                            "true" if skips_space(s_) else "false"))
w("};")
row_type = "unsigned char" if len(rows) < 255 else "unsigned short"
w("// The row of kGotoChain that a reduction to a symbol takes, per state")
w("// below it; 0 where the symbol cannot be made there.")
w("constexpr %s kGotoRow[kNumStates][kNumNonterminals] = {" % row_type)
for line in goto_rows:
    w("    {" + ",".join(str(v) for v in line) + "},")
w("};")
w("// The state reached per token read ahead; the last column when none is.")
w("constexpr unsigned char kGotoChain[][kNumTokens + 1] = {")
w("    {" + ",".join("0" for _ in range(len(TERM_NAMES) + 1)) + "},")
for r in rows:
    w("    {" + ",".join(str(v) for v in r) + "},")
w("};")
w("// What a syntax error in the state is missing, or nullptr.")
w("constexpr const char *kMissing[kNumStates] = {")
for s_ in range(len(states)):
    m = missing_text(s_)
    w("    %s,%s" % (cstr(m), "  // state %d" % s_ if m else ""))
w("};")
w("// clang-format on")
if len(states) > 255:
    sys.exit("too many states for the goto chains")
with open(sys.argv[1], "w") as f:
    f.write("\n".join(out) + "\n")
