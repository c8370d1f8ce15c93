// A deliverable library loads without one allocation of its own: its
// keyword tables, section registrations and other globals are constant
// data, so an allocation that fails cannot abort a host while it loads one.
// Each library is loaded fresh (RTLD_LOCAL) into a process that counts
// every operator new.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "failing_new.h"

namespace {

TEST(LoadTime, EveryLibraryLoadsWithoutAllocating) {
    // libndloci.so comes in with the address libraries that link it.
    for (const char *name : {"libcfgproc.so", "libaddrkit.so", "libtmplibaddrkit.so", "libfolderwalk.so"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(NDL_BIN_DIR) + "/" + name;
        ASSERT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "already loaded";
        long before = allocations_made();
        void *lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        long made = allocations_made() - before;
        ASSERT_NE(lib, nullptr) << dlerror();
        EXPECT_EQ(made, 0);
    }
}

}  // namespace
