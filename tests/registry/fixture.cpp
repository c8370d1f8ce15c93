#include "fixture.h"

#include <cstring>

std::string log_text;

// The log of these tests: every message with its "<br>", in order.
int addtooutput() {
    log_text += g_errormsg;
    log_text += "<br>";
    outputindex += static_cast<int>(std::strlen(g_errormsg)) + 4;
    return 1;
}
