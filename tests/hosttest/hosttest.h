// The test library's exports, one row each (export.h): one per parameter
// kind. REPOSITORY rows read or write the repository through their context.
#ifndef NDL_TESTS_HOSTTEST_H
#define NDL_TESTS_HOSTTEST_H

#include "export.h"

// clang-format off
#define NDL_HOSTTEST_PROCEDURES(PROC, REPOSITORY) \
    PROC(T_echo, text_arg(text), int_in(number), text_out(result, 4000), int_out(length), text_out(error, 4000)) \
    PROC(T_clob, context, clob_in(input), clob_out(output), int_out(length), text_out(error, 4000)) \
    REPOSITORY(T_write, context, text_arg(value), int_in(status), text_out(error, 4000)) \
    PROC(T_parsefile, context, clob_out(log), text_arg(repository), text_arg(files), text_arg(mode), text_out(message, 4000))
// clang-format on
NDL_HOSTTEST_PROCEDURES(NDL_DECLARE_ROW, NDL_DECLARE_ROW)

#endif
