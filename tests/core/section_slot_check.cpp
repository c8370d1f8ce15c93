// Compiled by the tests, never built: a section library registers under the
// name of one of the driver's sections, or does not compile.
#include "driver.h"
#include "sections.h"

namespace {
int dispatch(FILE *, FILE *) { return 1; }
}  // namespace

void register_the_section() { register_section(NDL_SECTION, dispatch); }
