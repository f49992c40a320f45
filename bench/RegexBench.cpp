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

// Each pattern searched over one line; a pathological one must stay within a few milliseconds per line,
// or Find on such a pattern stalls the window.
void BM_RegexLine(benchmark::State& state, const char* pattern)
{
    const std::string line = WideLine();
    TRegexPtr program = RegexCompile(pattern, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(RegexSearch(program.get(), line.c_str(), nullptr, false, true));
}

// The patterns that are exponential for a plain backtracker, over 1,000 a's and an ending that holds the
// literal every match needs (so that the line is not skipped before matching) but only after a character
// that defeats the loops: every start position fails the long way, and the match is the ending itself.
void BM_RegexPathological(benchmark::State& state, const char* pattern, const char* ending, bool backwards)
{
    const std::string line = std::string(1000, 'a') + ending;
    TRegexPtr program = RegexCompile(pattern, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(RegexSearch(program.get(), line.c_str(), nullptr, backwards, true));
}

// The same over many lines: the cost must grow linearly with the number of lines.
void BM_RegexPathologicalLines(benchmark::State& state)
{
    const std::string line(1000, 'a');
    TRegexPtr program = RegexCompile("{{a|aa}*b|a*c}", nullptr);
    for (auto _ : state)
        for (int64_t i = 0; i < state.range(0); ++i)
            benchmark::DoNotOptimize(RegexSearch(program.get(), line.c_str(), nullptr, false, true));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_CAPTURE(BM_RegexLine, Literal, "ba$")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RegexLine, LoopWithoutMatch, "{a|b}*c")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, NestedStars, ".*.*.*.*y")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, NestedPluses, ".+.+.+.+.+.+y")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexLine, Exponential, "{a|ab|b}*c")->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_RegexPathological, AltLoopC, "{a|aa}*c", "bc", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, AltLoopCBack, "{a|aa}*c", "bc", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, PlusInStarB, "{a+}*b", "cb", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, EitherOrFound, "{{a|aa}*b|a*c}", "c", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, EitherOrMissing, "{{a|aa}*b|a*c}", "", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, TwoLoopsB, "{a|a}*{a|a}*b", "cb", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, NestedSets, "{{[ab]*a}+b}*c", "dc", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, NestedSetsBack, "{{[ab]*a}+b}*c", "dc", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexPathological, StarsOfSets, "[ab]*[a-c]*[^x]*[ab]*y", "xy", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexPathologicalLines)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
