// The rows of a repository as the sweeps compare them: every table's rows,
// sorted, with the timestamps SYSDATE stored masked.
#ifndef NDL_TESTS_SUPPORT_SWEEP_DUMP_H
#define NDL_TESTS_SUPPORT_SWEEP_DUMP_H

#include <cctype>
#include <string>

#include "repo_test.h"

// A timestamp stored by SYSDATE differs from run to run: each becomes
// "<time>" (a scan: std::regex takes most of a run's time).
inline std::string masked_dump(const std::string &db) {
    static constexpr char kShape[] = "dddd-dd-dd dd:dd:dd";
    constexpr size_t kLen = sizeof kShape - 1;
    std::string dump = repository_dump(db), out;
    size_t i = 0;
    while (i < dump.size()) {
        bool stamp = i + kLen <= dump.size();
        for (size_t k = 0; stamp && k < kLen; ++k)
            stamp = kShape[k] == 'd' ? std::isdigit(static_cast<unsigned char>(dump[i + k])) != 0
                                     : dump[i + k] == kShape[k];
        if (stamp) {
            out += "<time>";
            i += kLen;
        } else {
            out += dump[i++];
        }
    }
    return out;
}

#endif
