// The *Lob twins of the address procedures (the rows of procedures.h): the
// external-procedure context first, list inputs as CLOB locators, list
// results as CLOB locators by reference. Each answers as the procedure it
// stands for. The second build's own twins (SECOND_LOB) are declared for
// both: only the second defines them.
#ifndef NDL_ADDRKIT_LOBPROCS_H
#define NDL_ADDRKIT_LOBPROCS_H

#include "procedures.h"

#define NDL_DECLARE_TWIN(name, callee, ...)                                                  \
    NDL_EXPORT int name##Lob(OCIExtProcContext *ctx, NDL_FOR_EACH(NDL_LOB_DECL, __VA_ARGS__) \
                                 NDL_ROW_PARAMS(NDL_ERROR_OUT));
#define NDL_NO_TWIN(...)
NDL_ADDRKIT_PROCEDURES(NDL_NO_TWIN, NDL_DECLARE_TWIN, NDL_DECLARE_TWIN, NDL_DECLARE_TWIN)
#undef NDL_DECLARE_TWIN
#undef NDL_NO_TWIN

#endif
