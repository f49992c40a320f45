// A keystroke in line-draw mode deep in a large document, against an ordinary keystroke at the same place:
// both should cost the same, whatever the line number.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchFiles.h"
#include "base/ByteStream.h"
#include "engine/Commands.h"

namespace {

const std::string& MillionLines()
{
    static const std::string text = [] {
        std::string t;
        for (int i = 0; i < 1000000; ++i)
            t += "Line of a long document, with some words\tand a tab\n";
        return t;
    }();
    return text;
}

// Arg 0: typing a character and a cursor move at line 1,000,000; arg 1: the same moves drawing lines.
void KeystrokeAtLineMillion(benchmark::State& state)
{
    const bool drawing = state.range(0) == 1;
    TBenchEditor ed;
    TMemInStream in(MillionLines().data(), MillionLines().size());
    (void)ed.ReadFile(in, nullptr);
    ed.GotoPosition(60, 999990, false);
    if (drawing)
        ed.ExecuteCommand(cmToggleLineDraw, 0);
    int step = 0;
    for (auto _ : state) {
        // A small square, so the cursor stays near line 1,000,000 however many rounds run.
        static const unsigned kMoves[] = {cmCursorRight, cmCursorDown, cmCursorLeft, cmCursorUp};
        if (!drawing)
            ed.ExecuteCommand(cmInsertChar, 'x');
        ed.ExecuteCommand(kMoves[step++ % 4], 0);
    }
    state.counters["line"] = static_cast<double>(ed.curLineNo);
}
BENCHMARK(KeystrokeAtLineMillion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
