// Faults on purpose, in this process: the k-th call of a kind fails. Only
// the OCI layer built for the tests (bin/faults/libndloci.so.1, ahead of the
// product's on LD_LIBRARY_PATH under ctest) has the hook, so the tests link
// the product's layer as the programs do and find the hook at run time.
#ifndef NDL_TESTS_SUPPORT_FAULT_HOOK_H
#define NDL_TESTS_SUPPORT_FAULT_HOOK_H

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "oci.h"

template <class F>
F *fault_hook(const char *name) {
    void *p = dlsym(RTLD_DEFAULT, name);
    if (!p) {
        // Run outside ctest: the programs' own layer has no hook.
        std::fprintf(stderr, "%s: not in this OCI layer; run the tests through ctest, which loads the layer "
                             "built for them\n", name);
        std::abort();
    }
    F *f;
    std::memcpy(&f, &p, sizeof f);  // an object pointer to a function's, as POSIX has it
    return f;
}

// The nth call (1 = the next one) of the kind returns status instead of
// running; a status of 0 clears the kind.
inline void inject_fault(const char *kind, int nth, sword status) {
    static auto *arm = fault_hook<void(const char *, int, sword)>("ocix_inject_fault");
    arm(kind, nth, status);
}

inline void clear_faults() {
    static auto *clear = fault_hook<void()>("ocix_clear_faults");
    clear();
}

#endif
