// The log of the library build: every message is appended to the caller's
// CLOB, followed by "<br>".
#include <cstring>

#include "database.h"
#include "runstate.h"

namespace {

// A failed write is not reported: the offset moves by whatever amount the
// call reports back.
void write_lob(const char *text, ub4 length) {
    ub4 amount = length;
    OCILobWrite(svchp, errhp, *g_outputlob, &amount, static_cast<ub4>(outputindex),
                const_cast<char *>(text), length, OCI_ONE_PIECE, nullptr, nullptr, 0, SQLCS_IMPLICIT);
    outputindex += static_cast<int>(amount);
}

}  // namespace

int addtooutput() {
    if (!g_outputlob) return 1;
    write_lob(g_errormsg, static_cast<ub4>(std::strlen(g_errormsg)));
    write_lob("<br>", 4);
    return 1;
}
