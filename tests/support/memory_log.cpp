#include "memory_log.h"

#include <cstring>

#include "runstate.h"

std::string log_text;

int addtooutput() {
    log_text += g_errormsg;
    log_text += "<br>";
    outputindex += static_cast<int>(std::strlen(g_errormsg)) + 4;
    return 1;
}
