// The rows of a repository as the sweeps compare them: every table's rows,
// sorted, with the timestamps SYSDATE stored masked.
#ifndef NDL_TESTS_SUPPORT_SWEEP_DUMP_H
#define NDL_TESTS_SUPPORT_SWEEP_DUMP_H

#include <string>

#include "repo_test.h"

inline std::string masked_dump(const std::string &db) { return mask_dates(repository_dump(db)); }

#endif
