// Any text through the evaluator: no crash, no overrun, and the variable
// table stays sorted and free of duplicates.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The first byte decides whether the table starts empty, so that both
    // a fresh table and a full one are explored.
    if (size > 0 && (data[0] & 1)) resetVariables();
    std::string text(reinterpret_cast<const char *>(data), size);
    if (evaluateExpression(text.c_str()) != 0) {
        if (!errorRecord.message || errorRecord.line < 1 || errorRecord.column < 1) std::abort();
    }
    if (nVariables < 0 || nVariables > kMaxVariables) std::abort();
    for (int i = 1; i < nVariables; ++i)
        if (std::strcmp(variable[i - 1].name, variable[i].name) >= 0) std::abort();
    return 0;
}
