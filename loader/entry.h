// The export of libcfgproc.so: one load run, called by the database's
// external-procedure agent (and by the host, whose parameter list is
// checked against this declaration).
#ifndef NDL_LOADER_ENTRY_H
#define NDL_LOADER_ENTRY_H

#include "export.h"
#include "oci.h"

#define NDL_PARSEFILE_ROW(M) M(NDL_parsefile, context, clob_out(log), text_arg(repository), text_arg(files), \
                               text_arg(mode), text_out(message, 4000))
NDL_PARSEFILE_ROW(NDL_DECLARE_ROW)

#endif
