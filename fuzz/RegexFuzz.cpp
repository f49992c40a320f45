// libFuzzer target for the regular-expression compiler and matcher; not part of the CMake build.
//
// Build and run from the source root:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/RegexFuzz.cpp \
//       search/RegexCompile.cpp search/RegexMatch.cpp engine/Alloc.cpp -o regex_fuzz
//   ./regex_fuzz -max_len=2048 -timeout=10
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/Regex.h"
#include "tests/support/RegexReference.h"

// Every search is compared with the plain backtracker: found, start, end and every group.
// The input is a pattern, a NUL, then the searched line; without a NUL it is only compiled. A byte of
// the line picks the limit and the line-start flag so that every mode of the scan is reached.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find('\0');
    std::string pattern = input.substr(0, split);
    std::string line = split == std::string::npos ? std::string() : input.substr(split + 1);
    // Lines never hold NUL: a NUL ends the text the matcher sees.
    line = line.substr(0, line.find('\0'));

    int error = -1;
    TRegexPtr program = RegexCompile(pattern.c_str(), &error);
    if (!program) {
        if (error < 1 || error > 13 || !RegexErrorText(error))
            __builtin_trap();
        return 0;
    }
    if (error != 0)
        __builtin_trap();

    const char* text = line.c_str();
    std::size_t pick = line.empty() ? 0 : static_cast<unsigned char>(line[0]) % (line.size() + 1);
    bool lineStart = line.size() % 2 == 0;
    for (bool backwards : {false, true}) {
        for (const char* limit : {static_cast<const char*>(nullptr), text + pick}) {
            // The plain backtracker with a step limit decides what the answer must be, unless it gives up.
            const regex_reference::TOutcome expected =
                regex_reference::ReferenceSearch(*program, text, limit, backwards, lineStart, 200'000);
            const char* groups[2 * kRegexGroups];
            for (int g = 0; g < kRegexGroups; ++g) {
                groups[g] = program->groupStart[g];
                groups[kRegexGroups + g] = program->groupEnd[g];
            }
            const bool found = RegexSearch(program.get(), text, limit, backwards, lineStart);
            if (expected != regex_reference::TOutcome::GaveUp) {
                if (found != (expected == regex_reference::TOutcome::Found))
                    __builtin_trap();
                for (int g = 0; found && g < kRegexGroups; ++g)
                    if (groups[g] != program->groupStart[g] || groups[kRegexGroups + g] != program->groupEnd[g])
                        __builtin_trap();
            }
            if (found) {
                const char* start = program->groupStart[0];
                const char* end = program->groupEnd[0];
                if (start < text || end < start || end > text + line.size())
                    __builtin_trap();
                if (limit && !backwards && start != text && start >= limit)
                    __builtin_trap();
                if (limit && backwards && start >= limit)
                    __builtin_trap();
            }
        }
    }
    return 0;
}
