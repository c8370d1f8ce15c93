// A load that an exception stopped, running out of memory above all: both
// loaders end it as any failed load, with the same words in their logs.
#ifndef NDL_CORE_STOPPED_LOAD_H
#define NDL_CORE_STOPPED_LOAD_H

#include "guard.h"
#include "runstate.h"

inline constexpr char kOutOfMemory[] = "ERROR: Out of memory, the load is stopped\n";
inline constexpr char kNotChanged[] = "EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n";

// Logs why the load stopped and then THEN, when given (the line that says
// nothing is stored, where the loader logs it). Only inside the loader's
// catch handler, once the run's memory is given back; a log that cannot
// take the lines for want of memory loses them.
inline void log_stopped_load(const char *then = nullptr) noexcept {
    try {
        if (handling_out_of_memory())
            logmsg("%s", kOutOfMemory);
        else
            logmsg("ERROR: Unexpected failure (%s), the load is stopped\n", handled_what());
        if (then) logmsg("%s", then);
    } catch (...) {
    }
}

#endif
