// The log of unit tests that call the loader without a CLOB: every message
// with its "<br>", in order, in memory.
#ifndef NDL_TESTS_SUPPORT_MEMORY_LOG_H
#define NDL_TESTS_SUPPORT_MEMORY_LOG_H

#include <string>

extern std::string log_text;

#endif
