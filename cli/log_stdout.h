// cfgload's standard output, which carries its log. A write that fails
// ends the log, not the run: the load is committed or refused as it would
// be, and the loss is told once at the end.
#ifndef NDL_CLI_LOG_STDOUT_H
#define NDL_CLI_LOG_STDOUT_H

#include "runstate.h"

// Prints on standard output unless a write there has failed already.
void print_log(const char *format, ...) __attribute__((format(printf, 1, 2)));

// The log of the run: each message on standard output, then a line break.
log_sink stdout_log();

// After a last flush: why some of the log was lost, or nullptr when all of
// it was written.
const char *log_lost();

#endif
