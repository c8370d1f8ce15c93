// Evaluations per second of a 400-character statement list, the size of the
// working text that the expression procedure evaluates.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "evaluator.h"

namespace {

std::string statements() {
    std::string s =
        "base = 10.25; step = 3; count = 12;\n"
        "total = base * count + step ** 2 - 4 / 2;\n"
        "limit = total > 100 && count < 50 || step == 3 ? total : 0;\n"
        "avg = total / count; spread = fabs(avg - base) + sqrt(16);\n"
        "mask = fmod(total, 7) + log10(1000) * 2e1; /* scaled */\n"
        "offset += step; offset *= 2; ratio = (avg + 1.5) / (count - 2);\n"
        "flag = !(ratio >= 1) + (spread != 0);\n"
        "result = limit + mask + offset + flag";
    s.resize(400, ' ');  // padded with blanks to the exact size
    return s;
}

void BM_EvaluateStatements(benchmark::State &state) {
    std::string text = statements();
    resetVariables();
    if (evaluateExpression(text.c_str()) != 0) {
        std::fprintf(stderr, "benchmark text fails: %s\n", errorRecord.message);
        std::abort();
    }
    for (auto _ : state) benchmark::DoNotOptimize(evaluateExpression(text.c_str()));
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    resetVariables();
}
BENCHMARK(BM_EvaluateStatements);

}  // namespace

BENCHMARK_MAIN();
