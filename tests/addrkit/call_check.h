// Calls an address procedure through the host and compares what it answered
// with what a case expects.
#ifndef NDL_TESTS_CALL_CHECK_H
#define NDL_TESTS_CALL_CHECK_H

#include <string>
#include <utility>
#include <vector>

#include "host.h"

namespace addrtest {

// NAME and VALUE: "<null>" for a NULL indicator, "^TEXT" for a text that
// starts with TEXT, else the exact text.
using Expect = std::pair<std::string, std::string>;

struct Case {
    std::string procedure;
    std::vector<std::string> args;
    int ret;
    std::vector<Expect> expect;
};

inline std::string describe(const Case &c) {
    std::string s = c.procedure + "(";
    for (size_t i = 0; i < c.args.size(); ++i) s += (i ? ", '" : "'") + c.args[i] + "'";
    return s + ")";
}

// Empty when the call answered as expected, else what differed.
inline std::string check(const extproc::CallResult &r, const Case &c) {
    if (!r.called) return describe(c) + ": not called: " + r.error;
    std::string diff;
    if (r.ret != c.ret) diff += " return " + std::to_string(r.ret) + " (want " + std::to_string(c.ret) + ")";
    for (const auto &[name, want] : c.expect) {
        const extproc::OutValue *v = r.out(name);
        if (!v) {
            diff += " no out-parameter " + name;
            continue;
        }
        std::string got = v->null ? "<null>" : v->value;
        bool ok = want.rfind('^', 0) == 0 ? !v->null && got.rfind(want.substr(1), 0) == 0 : got == want;
        if (!ok) diff += "\n  " + name + ": '" + got + "'\n  want: '" + want + "'";
    }
    return diff.empty() ? diff : describe(c) + ":" + diff;
}

}  // namespace addrtest

#endif
