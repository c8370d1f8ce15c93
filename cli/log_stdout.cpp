// The log of the command-line build: every message on standard output,
// followed by a line break.
#include <cstdio>

#include "runstate.h"

int addtooutput() {
    std::fputs(g_errormsg, stdout);
    std::fputc('\n', stdout);
    return 1;
}
