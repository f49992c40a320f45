// libFuzzer target for the macro text compiler and lister; not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/MacroTextFuzz.cpp \
//       macros/*.cpp engine/*.cpp search/*.cpp -o macro_text_fuzz
//   ./macro_text_fuzz -max_len=8192 -dict=fuzz/macro_text.dict fuzz/corpus/macro_text
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "macros/MacroTable.h"
#include "macros/MacroText.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool SameSteps(const MacroRecord& record, const TStepArray& steps)
{
    if (record.stepCount != steps.Count())
        return false;
    for (int i = 0; i < steps.Count(); ++i)
        if (record.steps[i].command != steps.At(i).command || record.steps[i].argument != steps.At(i).argument)
            return false;
    return true;
}

int PhysicalLines(const std::string& text)
{
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\r' || text[i] == '\n')
            ++lines;
    }
    return lines;
}

}  // namespace

// The input is macro text as the Edit Macro dialog hands it over. Text that compiles must list as text
// that compiles to the same steps, and that listing must be a fixed point (listing it again gives the same
// text). Text that is refused must leave the macro as it was and name a line of the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    TMacroTable table;
    const unsigned number = kFirstMacroNumber + 7;
    Check(table.Create(7) != nullptr);
    Check(table.AppendStep(number, {1, 0}));
    table.SetChanged(false);

    int line = -1;
    int code = CompileMacro(table, number, text, &line);
    const MacroRecord* record = table.Find(number);
    Check(record != nullptr);
    if (code != kCompileOk) {
        Check(code >= kCompileOutOfMemory && code <= kCompileUnknownParameter);
        Check(line >= 1 && line <= PhysicalLines(text));
        Check(!table.Changed());
        Check(record->stepCount == 1 && record->steps[0].command == 1);
        Check(!CompileErrorMessage(code, line).empty());
        return 0;
    }
    Check(line == 0 && table.Changed());
    Check(record->stepCount <= kMaxMacroSteps);

    std::optional<std::string> listed = MacroToText(table, number);
    if (!listed) {
        // Only a listing that would not fit the edit field is withheld; every compiled step has a name.
        Check(record->stepCount > 0);
        return 0;
    }
    Check(listed->size() < kMaxMacroTextSize);

    TStepArray again;
    int againLine = -1;
    Check(CompileMacroText(*listed, again, &againLine) == kCompileOk);
    Check(SameSteps(*record, again));

    Check(CompileMacro(table, number, *listed, &againLine) == kCompileOk);
    std::optional<std::string> relisted = MacroToText(table, number);
    Check(relisted && *relisted == *listed);
    return 0;
}
