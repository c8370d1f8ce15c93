// The export of libcfgproc.so: one load run, called by the database's
// external-procedure agent (and by the host, whose parameter list is
// checked against this declaration).
#ifndef NDL_LOADER_ENTRY_H
#define NDL_LOADER_ENTRY_H

#include "export.h"
#include "oci.h"

NDL_EXPORT int NDL_parsefile(OCIExtProcContext *ctx, OCILobLocator **log, char *repository, char *filelist,
                             char *mode, char *message, int messagelen, int *messageind);

#endif
