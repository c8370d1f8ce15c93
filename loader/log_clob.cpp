#include "log_clob.h"

#include <cstring>

// A failed write is not reported: the offset moves by whatever amount the
// call reports back.
void clob_log::write(const char *text, ub4 length) {
    ub4 amount = length;
    OCILobWrite(svc_, err_, *lob_, &amount, offset_, const_cast<char *>(text), length, OCI_ONE_PIECE, nullptr,
                nullptr, 0, SQLCS_IMPLICIT);
    offset_ += amount;
}

void clob_log::append(void *to, const char *message) {
    clob_log &log = *static_cast<clob_log *>(to);
    if (!log.lob_) return;
    log.write(message, static_cast<ub4>(std::strlen(message)));
    log.write("<br>", 4);
}
