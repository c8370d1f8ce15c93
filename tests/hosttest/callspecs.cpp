// The test library's lines of the call table: the host knows them only in
// a build with the tests.
#include "callspecs.h"

namespace extproc {

using namespace param;

// clang-format off
const CallSpec kTestCallSpecs[] = {
    // One export per parameter kind.
    {"hosttest", "T_echo", 5, {text_in("text"), int_in("number"), text_out("result", 4000), int_out("length"), text_out("error", 4000)}},
    {"hosttest", "T_clob", 5, {ctx, clob_in("input"), clob_out("output"), int_out("length"), text_out("error", 4000)}},
    {"hosttest", "T_write", 4, {ctx, text_in("value"), int_in("status"), text_out("error", 4000)}, kRepository},
    {"hosttest", "T_parsefile", 6, {ctx, clob_out("log"), text_in("repository"), text_in("files"), text_in("mode"), text_out("message", 4000)}},
    {nullptr, nullptr, 0, {}},
};
// clang-format on

}  // namespace extproc
