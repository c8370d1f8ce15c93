// The test library's lines of the call table, from its rows (hosttest.h):
// the host knows them only in a build with the tests.
#include "callspecs.h"

#include "hosttest.h"

namespace extproc {

using namespace param;

#define NDL_TEST_LINE(fn, ...) line<&fn>("hosttest", #fn, NDL_PARAMS(__VA_ARGS__)),
#define NDL_TEST_REPOSITORY_LINE(fn, ...) line<&fn>("hosttest", #fn, NDL_PARAMS(__VA_ARGS__), kRepository),

const CallSpec kTestCallSpecs[] = {
    NDL_HOSTTEST_PROCEDURES(NDL_TEST_LINE, NDL_TEST_REPOSITORY_LINE)
    {nullptr, nullptr, 0, {}},
};

}  // namespace extproc
