// Syntax colouring: one line's colouring pass, and how many line states an edit of a 1,000,000-line C
// document makes the engine compute.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchFiles.h"
#include "base/ByteStream.h"
#include "engine/Commands.h"
#include "syntax/SyntaxColour.h"

namespace {

TSyntaxLanguage BenchC()
{
    TSyntaxLanguage l = CLikeTemplate("C");
    (void)BuildKeywordTables(
        {"int", "char", "return", "if", "else", "for", "while", "static", "const", "void"}, l.keywords);
    l.BuildClasses();
    return l;
}

const char* const kLines[] = {
    "static int CountWords(const char* text)",
    "{",
    "    int words = 0; /* counted so far */",
    "    for (; *text; ++text) {",
    "        if (*text == ' ' || *text == '\\t') // a blank ends a word",
    "            words += 1;",
    "    }",
    "    printf(\"%d words\\n\", words + 0x1F);",
    "    return words;",
    "}",
};

// Counts the states the engine asks for.
class TCountingScheme : public TSyntaxScheme {
public:
    explicit TCountingScheme(const TSyntaxLanguage& l) : l_(l) {}
    uint16_t NextState(const char* text, uint16_t state) const override
    {
        ++calls;
        return static_cast<uint16_t>(LineEndState(&l_, text, state));
    }
    mutable long calls = 0;

private:
    const TSyntaxLanguage& l_;
};

class TColouredBenchEditor final : public TVokEditor {
public:
    explicit TColouredBenchEditor(const TSyntaxLanguage& l) : scheme(l) {}
    void SetCaret(int, int) noexcept override {}
    void RepaintAll() noexcept override {}
    void RepaintLine(int32_t) noexcept override {}
    void SaveFile() noexcept override {}
    void SaveFileAs() noexcept override {}
    void WriteBlock() noexcept override {}
    void ReadBlock() noexcept override {}
    void Print() noexcept override {}
    const TSyntaxScheme* SyntaxScheme() noexcept override { return &scheme; }
    TCountingScheme scheme;
};

void ColourLines(benchmark::State& state)
{
    const TSyntaxLanguage l = BenchC();
    std::vector<uint8_t> colours(1024);
    long chars = 0;
    for (auto _ : state) {
        for (const char* line : kLines) {
            const std::string text = line;
            ColourLine(&l, text.data(), text.size(), colours.data(), 0);
            chars += static_cast<long>(text.size());
        }
        benchmark::DoNotOptimize(colours.data());
    }
    state.SetBytesProcessed(chars);
}
BENCHMARK(ColourLines);

// Typing in a document of 1,000,000 lines: one character in its middle, then "/*" and "*/" at its top. In
// the sample, the next "*/" stops the walk a few lines down; without block comments (arg 1) every line's
// state changes, twice: the worst case of the stop rule.
void TypingInAMillionLines(benchmark::State& state)
{
    const TSyntaxLanguage l = BenchC();
    const bool blockComments = state.range(0) == 0;
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        for (const char* line : kLines) {
            std::string s = line;
            if (!blockComments && s.find("/*") != std::string::npos)
                s = s.substr(0, s.find("/*"));
            (text += s) += '\n';
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        TColouredBenchEditor ed(l);
        TMemInStream in(text.data(), text.size());
        (void)ed.ReadFile(in, nullptr);
        ed.GotoPosition(10, 500002, false);
        ed.scheme.calls = 0;
        state.ResumeTiming();
        ed.ExecuteCommand(cmInsertChar, 'x');
        state.counters["one_char_lines"] = static_cast<double>(ed.scheme.calls);
        ed.GotoPosition(0, 0, false);
        ed.scheme.calls = 0;
        ed.ExecuteCommand(cmInsertChar, '/');
        ed.ExecuteCommand(cmInsertChar, '*');
        state.counters["open_lines"] = static_cast<double>(ed.scheme.calls);
        ed.scheme.calls = 0;
        ed.ExecuteCommand(cmInsertChar, '*');
        ed.ExecuteCommand(cmInsertChar, '/');
        state.counters["close_lines"] = static_cast<double>(ed.scheme.calls);
    }
}
BENCHMARK(TypingInAMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
