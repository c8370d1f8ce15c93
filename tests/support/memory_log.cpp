#include "memory_log.h"

#include "runstate.h"

std::string log_text;

namespace {

void append(void *, const char *message) {
    log_text += message;
    log_text += "<br>";
}
// Installed before main, for every test of the program.
[[maybe_unused]] const log_sink installed = set_log({append, nullptr});

}  // namespace
