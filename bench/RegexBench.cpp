// Speed of the regular-expression matcher on full-width lines, sensible and pathological patterns alike.
#include <benchmark/benchmark.h>

#include <string>

#include "search/Regex.h"

namespace {

// A line as wide as the editor allows, of a's and b's.
std::string WideLine()
{
    std::string line;
    for (int i = 0; i < 512; ++i)
        line += "ab";
    return line;
}

// Each pattern searched over one line; a pathological one spends its whole step budget and must stay
// within tens of milliseconds, or Find on such a pattern stalls the window.
void BM_RegexLine(benchmark::State& state, const char* pattern)
{
    const std::string line = WideLine();
    TRegexPtr program = RegexCompile(pattern, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(RegexSearch(program.get(), line.c_str(), nullptr, false, true));
}

BENCHMARK_CAPTURE(BM_RegexLine, Literal, "ba$")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RegexLine, LoopWithoutMatch, "{a|b}*c")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, NestedStars, ".*.*.*.*y")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, NestedPluses, ".+.+.+.+.+.+y")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, Exponential, "{a|ab|b}*c")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
