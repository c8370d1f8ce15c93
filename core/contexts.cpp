// Contexts (CONTEXT and REPEATBY values), their parameters, address
// expressions under up to three contexts, command values with bracketed
// expressions and dynamic variables.
#include <cstring>
#include <string>

#include "evaluator.h"
#include "registry.h"
#include "runstate.h"
#include "tokenizer.h"
#include "validations.h"
#include "valtext.h"

using valtext::is_one_of;

int g_varused = 0;

const function_entry ContextFunctions[] = {
    {"BYHOST", 1, 1},          {"BYCONN", 1, 1},         {"BYCOMM", 1, 1},
    {"BYAUTOCOMM", 1, 1},      {"BYSUBSCOMM", 1, 1},     {"BYSUBSCOMMNAT", 1, 1},
    {"BYCOMMHOST", 1, 1},      {"BYNOTSUBSCOMM", 1, 1},  {"BYSUBSAUTOCOMM", 1, 1},
    {"BYSUBSCOMMHOST", 1, 1},  {"IFSUBSAUTOCOMM", 1, 1}, {"IFNOTSUBSCOMM", 1, 1},
    {"IFSUBSCOMM", 1, 1},      {"IFSUBSAUTOCOMM", 1, 1}, {"BYSNMPCOMM", 1, 1},
    {"BYRASPOOL", 1, 1},       {"BYCUST", 1, 1},         {"BYSERVICE", 1, 1},
    {"BYSUBSSERVICE", 1, 1},   {"BYHOSTEDSERVICE", 1, 1}, {"IFSUBSSERVICE", 1, 1},
    {"IFHOSTEDSERVICE", 1, 1}, {"IFCONN", 1, 1},         {"IFNOTCONN", 1, 1},
    {"IFHOST", 1, 1},          {"IFNOTHOST", 1, 1},      {"BYRP", 1, 1},
    {"BYBSR", 1, 1},           {"BYMAPAGENT", 1, 1},     {"", 0, 0},
};

namespace {

const value_table ApplicationTypes[] = {"UNICAST", "MULTICAST", ""};
const value_table ServiceCategories[] = {"ALL", ""};
const value_table SecurityTypes[] = {"ALL", ""};

bool all_or(const std::string &part, const value_table *table) {
    return part == "ALL" || valtext::in_table(table, part);
}
bool all_or_hosttype(const std::string &part) {
    return part == "ALL" || (valtext::fits_name(part) && validate_hosttype(part.c_str()));
}

// Parts 2 to 4 of the community contexts: service type, communication type,
// subscription type; a value may stop after any of them.
bool community_parts(const std::vector<std::string> &p) {
    size_t n = p.size();
    return (n < 1 || all_or(p[0], ServiceTypes)) &&
           (n < 2 || is_one_of(p[1], {"SRV-ANY", "ANY-ANY", "ALL", "SRV-CLIENT"})) &&
           (n < 3 || is_one_of(p[2], {"AUTO", "SUBS", "SERVER-HOST", "HOST-HOST", "ALL"}));
}

// The arguments of one context function, p[0] being its second part.
bool parameters_fit(const char *domainname, const char *nodetype, const std::string &f,
                    const std::vector<std::string> &p, int *connectionno, const int *connlist) {
    size_t n = p.size();
    if (is_one_of(f, {"BYHOST", "IFHOST", "IFNOTHOST"})) {
        if (n > 2) return false;
        int type = 0;
        return n < 2 || validate_vars(domainname, nodetype, p[1].c_str(), f.c_str(), &type, connlist);
    }
    if (is_one_of(f, {"BYCONN", "IFCONN", "IFNOTCONN"})) {
        if (n == 0) return true;
        if (!conn_exists(domainname, nodetype, p[0].c_str())) return false;
        *connectionno = getconnidfromname(p[0].c_str());
        return n < 2 || p[1] == "LOOPBACKN";
    }
    if (is_one_of(f, {"BYCOMM", "BYAUTOCOMM", "BYNOTSUBSCOMM", "IFNOTSUBSCOMM"}))
        return community_parts(p);
    if (f == "BYCOMMHOST") return community_parts(p) && (n < 4 || all_or_hosttype(p[3]));
    if (is_one_of(f, {"BYSUBSCOMM", "BYSUBSAUTOCOMM", "BYSUBSCOMMHOST", "BYSUBSCOMMNAT",
                      "IFSUBSAUTOCOMM", "IFSUBSCOMM"}))
        return community_parts(p) && (n < 4 || all_or_hosttype(p[3])) &&
               (n < 5 || all_or(p[4], NatTypes)) && n <= 6;
    if (f == "BYSERVICE")
        return (n < 1 || all_or(p[0], ApplicationTypes)) && (n < 2 || all_or(p[1], ServiceCategories)) &&
               (n < 3 || all_or(p[2], SecurityTypes)) && n <= 3;
    if (is_one_of(f, {"BYRP", "BYBSR", "BYMAPAGENT"})) return n == 0;
    if (f == "BYCUST")
        return n >= 2 && (p[0] == "ALL" || (valtext::fits_name(p[0]) && validate_servicename(p[0].c_str()))) &&
               (p[1] == "ALL" || (valtext::fits_name(p[1]) && validate_customertypes(p[1].c_str())));
    if (f == "BYSNMPCOMM")
        return n == 0 || (n == 1 && (p[0] == "ALL" || validate_domainsnmpcommunity(p[0].c_str())));
    return true;  // the others take anything
}

void end_list(int *connlist) { connlist[0] = 0; }

}  // namespace

// ---- contexts ----

int validate_parameters(const char *domainname, const char *nodetype, const char *arguments,
                        const char *funcname, int *connectionno, const int *connlist) {
    *connectionno = 0;
    if (parameters_fit(domainname, nodetype, funcname, valtext::split(arguments), connectionno,
                       connlist))
        return 1;
    setmsg("ERROR : Invalid parameters in context : @%d \n", Line);
    return 0;
}

int parse_context(const char *domainname, const char *nodetype, char *remotedomain,
                  char *remotenode, const char *context, int *kind, int *connlist) {
    static const valtext::expr_dialect dialect = {
        ContextFunctions,
        true,
        "ERROR : Syntax error . Function name expected: %s @ %d\n",
        "ERROR:'.' expected after : %s @%d\n",
        "ERROR : Invalid Function name : %s @ %d\n",
        true,
        "ERROR: Wrong context, connection does not exist between node '%s.%s' and '%s.%s':  '%s' @ "
        "%d\n",
    };
    end_list(connlist);
    valtext::expr_call call;
    if (!valtext::read_expression(dialect, domainname, nodetype, remotedomain, remotenode, context,
                                  connlist, &call))
        return 0;
    *kind = call.kind;
    // Every context function runs on the local node, whatever the prefix.
    int connectionno = 0;
    if (call.args.size() > valtext::kTextMax ||
        !validate_parameters(domainname, nodetype, call.args.c_str(), call.name.c_str(),
                             &connectionno, connlist)) {
        setmsg("ERROR : Invalid parameters in context : @%d \n", Line);
        return 0;
    }
    if (connectionno > 0) {
        int n = 0;
        while (connlist[n] >= 1) ++n;
        if (n + 1 >= kConnListSize) {
            setmsg("ERROR : Too many connections in context : %s @%d \n", context, Line);
            return 0;
        }
        connlist[n] = connectionno;
        connlist[n + 1] = 0;
    }
    return 1;
}

int validate_context(const char *domainname, const char *nodetype, const char *context,
                     int *kind) {
    if (!context[0]) return 1;
    char remotedomain[kName], remotenode[kName];
    valtext::copy_field(remotedomain, kName, domainname);
    valtext::copy_field(remotenode, kName, nodetype);
    int connlist[kConnListSize];
    return parse_context(domainname, nodetype, remotedomain, remotenode, context, kind, connlist);
}

int is_ifcontext(const char *context) {
    return std::strlen(context) >= 3 && context[0] == 'I' && context[1] == 'F';
}

int check_addrandvars(const char *domainname, const char *nodetype, const char *context1,
                      const char *context2, const char *context3, const char *expression,
                      int *kind, int *type) {
    *type = 0;
    int connlist[kConnListSize];
    end_list(connlist);
    const char *contexts[3] = {context1, context2, context3};
    for (int i = 0; i < 3; ++i) {
        // The expression is checked once without a context (or under the
        // first) and once more under each further context.
        if (i > 0 && !contexts[i][0]) continue;
        end_list(connlist);
        // Each context starts again from the node itself.
        char remotedomain[kName], remotenode[kName];
        valtext::copy_field(remotedomain, kName, domainname);
        valtext::copy_field(remotenode, kName, nodetype);
        int contextkind = 0;
        if (contexts[i][0] && !parse_context(domainname, nodetype, remotedomain, remotenode,
                                             contexts[i], &contextkind, connlist))
            return 0;
        if (expression[0] && !parse_ipaddrandvars(domainname, nodetype, remotedomain, remotenode,
                                                  expression, kind, connlist, type))
            return 0;
    }
    return 1;
}

// ---- command values ----

int validate_commandvar(const char *domainname, const char *nodetype, const char *context1,
                        const char *context2, const char *context3, const char *value,
                        int *type) {
    g_varused = 0;
    *type = 0;
    if (!value[0]) return 1;
    bool allnumbers = true, literal = false;
    std::string_view s(value);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ' ') continue;
        if (s[i] != '<') {
            literal = true;
            continue;
        }
        size_t end = s.find_first_of(",> ", i + 1);
        if (end == std::string_view::npos) end = s.size();
        std::string expr(s.substr(i + 1, end - i - 1));
        if (end == s.size() || s[end] != '>') {
            setmsg("ERROR: '>' expected for expression: '%s' @ %d\n", value, Line);
            return 0;
        }
        if (expr.size() > valtext::kTextMax) {
            setmsg("ERROR: Invalid expression: '%s' @ %d\n", value, Line);
            return 0;
        }
        if (!expr.empty()) g_varused = 1;
        int kind = 0, exprtype = 0;
        if (!check_addrandvars(domainname, nodetype, context1, context2, context3, expr.c_str(), &kind,
                               &exprtype))
            return 0;
        if (exprtype != DT_NUMBER) allnumbers = false;
        i = end;
    }
    *type = !allnumbers ? 11 : literal ? 8 : 12;
    return 1;
}

int validate_dynamicvar(const char *domainname, const char *nodetype, const char *value) {
    std::string_view s(value);
    auto skip_blanks = [&](size_t i) {
        while (i < s.size() && s[i] == ' ') ++i;
        return i;
    };
    auto digits = [&](size_t &i) {
        size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return std::string(s.substr(from, i - from));
    };
    // The group's shape is read whole before its variable is looked up.
    auto refuse = [&](const char *fmt) {
        setmsg(fmt, value, Line);
        return 0;
    };
    for (size_t i = s.find('<'); i != std::string_view::npos; i = s.find('<', i)) {
        i = skip_blanks(i + 1);
        size_t end = s.find_first_of(",> ", i);
        if (end == std::string_view::npos) end = s.size();
        std::string var(s.substr(i, end - i));
        i = skip_blanks(end);
        if (i == s.size() || s[i] != ',') return refuse("ERROR : Invalid dynamic variable ',' expected : %s  @ %d\n");
        i = skip_blanks(i + 1);
        std::string start = digits(i);
        i = skip_blanks(i);
        if (i == s.size() || s[i] != ',') return refuse("ERROR : Invalid dynamic variable ',' expected : %s  @ %d\n");
        i = skip_blanks(i + 1);
        std::string stop = digits(i);
        i = skip_blanks(i);
        if (i == s.size() || s[i] != '>') return refuse("ERROR : Invalid dynamic variable '>' expected : %s  @ %d\n");
        int type = 0;
        if (!nodevar_exists(domainname, nodetype, var.c_str(), &type)) {
            setmsg("ERROR : Invalid variable (%s) used in dynamic variable @ %d\n", var.c_str(), Line);
            return 0;
        }
        if (valtext::compare_digits(stop, start) <= 0) {
            setmsg("ERROR : End point (%s ) should exceed start point (%s): %s  @ %d\n", stop.c_str(),
                   start.c_str(), var.c_str(), Line);
            return 0;
        }
    }
    return 1;
}

int validate_evalexp(const char *domainname, const char *nodetype, const char *context1,
                     const char *context2, const char *context3, const char *value) {
    std::string work(value);
    size_t start = work.find_first_not_of(" \t");
    work.erase(0, start == std::string::npos ? work.size() : start);
    size_t open = work.find('(');
    if (open == std::string::npos) {
        if (checkisnumber(work.c_str())) return 1;
        logmsg("ERROR: Invalid expression function: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (work.compare(0, open, "EVALEXP") != 0) {
        logmsg("ERROR: Invalid expression function: '%s' @ %d\n", value, Line);
        return 0;
    }
    int depth = 0;
    size_t close = std::string::npos;
    for (size_t i = open; i < work.size(); ++i) {
        if (work[i] == '(') ++depth;
        else if (work[i] == ')' && --depth == 0) {
            close = i;
            break;
        }
    }
    if (close == std::string::npos) {
        logmsg("ERROR: Syntax error, unmatched paranthesis: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (close + 1 < work.size()) {
        logmsg("ERROR: Invalid characted after EVALEXP: '%s' @ %d\n", value, Line);
        return 0;
    }
    std::string expr = work.substr(open, close - open + 1);

    int type = 0;
    if (!validate_commandvar(domainname, nodetype, context1, context2, context3, expr.c_str(), &type)) {
        addtooutput();
        return 0;
    }
    if (type != 12 && type != 8) {
        logmsg("ERROR: One of variable in expression is not of type 'NUMBER': '%s' @ %d\n",
               expr.c_str(), Line);
        return 0;
    }

    // Every <variable> becomes a test number; the blanks after it go too.
    std::string test;
    size_t i = expr.find_first_not_of(' ');
    while (i != std::string::npos && i < expr.size()) {
        if (expr[i] == '<') {
            size_t end = expr.find('>', i);
            test += "123.987468";
            if (end == std::string::npos) break;
            i = expr.find_first_not_of(' ', end + 1);
        } else {
            test += expr[i++];
        }
    }
    // Division becomes multiplication so that a test value cannot divide by
    // zero; a slash that cannot be a division is a syntax error.
    for (size_t k = 0; k < test.size(); ++k) {
        if (test[k] != '/') continue;
        if (k == 0 || test[k - 1] == '*' || (k + 1 < test.size() && test[k + 1] == '*')) {
            logmsg("ERROR: Expression syntax error: '%s' @ %d\n", value, Line);
            return 0;
        }
        test[k] = '*';
    }

    resetVariables();
    if (evaluateExpression(test.c_str()) != 0) {
        logmsg("ERROR: Expression syntax error: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (nVariables > 0) {
        logmsg("Error in eval expression: variables not defined in <>: '%s' @ %d\n", value, Line);
        return 0;
    }
    return 1;
}
