// libFuzzer target for the language definitions of "syntax.hgl" and the colouring of lines by them;
// not part of the CMake build (scripts/fuzz.sh builds and runs it, see fuzz/README.md).
//
// Input: a definitions file, then after a NUL the lines to colour (separated by line breaks). Checks: the
// table built holds only what the reading rules allow; writing it and reading it back twice reaches a
// fixed point (the second reading equals the first re-reading, key by key and class by class); every
// colour is 0 or one of the language's seven; colouring is the same on every call and never reaches past
// the line; a line that starts inside a comment whose closing character it lacks is comment throughout;
// the end state of a line is 0 or 1, and always 0 without a multi-line comment.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "syntax/SyntaxColour.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::string Scratch(const char* name)
{
    return (std::filesystem::temp_directory_path()
            / ("vok-syntax-fuzz-" + std::to_string(getpid()) + "-" + name))
        .string();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::string> Names(const TSyntaxTable& table)
{
    std::vector<std::string> names;
    for (int n = 1; n <= kSyntaxSlots; ++n)
        if (const TSyntaxLanguage* l = table.Language(n))
            names.push_back(l->name);
    return names;
}

void CheckRules(const TSyntaxLanguage& l)
{
    Check(l.name.size() <= kLanguageNameSize);
    Check(l.extensions.size() <= kExtensionsSize);
    for (char c : l.extensions)
        Check(!(c >= 'A' && c <= 'Z'));
    Check(l.multiOpen.size() <= 2 && l.multiClose.size() <= 2);
    Check(l.multiOpen.empty() == l.multiClose.empty());
    Check(l.lineComment1.size() <= 4 && l.lineComment2.size() <= 4);
    Check(l.openDelims.size() == l.closeDelims.size());
    Check(l.html.size() % 2 == 0);
    for (std::size_t n = 1; n <= kMaxKeywordLength; ++n)
        Check(l.keywords[n].size() % n == 0 && l.keywords[n].size() < kSyntaxValueSize);
    for (uint8_t colour : l.colours)
        Check(colour <= kMaxColourIndex);
}

bool IsLanguageColour(const TSyntaxLanguage& l, uint8_t colour)
{
    if (colour == 0)
        return true;
    for (uint8_t c : l.colours)
        if (c == colour)
            return true;
    return false;
}

void CheckColouring(const TSyntaxLanguage& l, const std::string& line)
{
    // An exact-size buffer: the sanitizer sees any write past the line.
    std::vector<uint8_t> first(line.size(), 0xEE);
    std::vector<uint8_t> again(line.size(), 0x55);
    for (int state = 0; state <= 1; ++state) {
        const int end = ColourLine(&l, line.data(), line.size(), first.data(), state);
        ColourLine(&l, line.data(), line.size(), again.data(), state);
        Check(first == again);
        Check(end == 0 || end == 1);
        for (uint8_t colour : first)
            Check(IsLanguageColour(l, colour));
        if (state == 1 && l.HasMultiComment() && line.find(l.multiClose[0]) == std::string::npos)
            for (uint8_t colour : first)
                Check(colour == l.colours[kColourComment]);
        if (line.find('\0') == std::string::npos) {
            const int after = LineEndState(&l, line.c_str(), state);
            Check(after == 0 || after == 1);
            if (!l.HasMultiComment())
                Check(after == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string file = input.substr(0, nul);
    const std::string lines = nul == std::string::npos ? std::string() : input.substr(nul + 1);

    const std::string path = Scratch("a.hgl");
    WriteFile(path, file);
    TSyntaxTable table;
    LoadSyntaxTable(table, path.c_str());
    Check(table.Count() <= kSyntaxSlots);
    for (int n = 1; n <= table.Count(); ++n)
        CheckRules(*table.Language(n));

    // Written out and read back, then once more: the second round must change nothing.
    const std::string second = Scratch("b.hgl");
    const std::string third = Scratch("c.hgl");
    std::filesystem::remove(second);
    std::filesystem::remove(third);
    TSyntaxTable read1, read2;
    {
        TIniFile out(second);
        if (WriteSyntaxTable(out, {}, table)) {
            LoadSyntaxTable(read1, second.c_str());
            TIniFile out2(third);
            if (WriteSyntaxTable(out2, {}, read1)) {
                LoadSyntaxTable(read2, third.c_str());
                Check(Names(read1) == Names(read2));
                for (int n = 1; n <= read1.Count(); ++n) {
                    Check(SyntaxKeys(*read1.Language(n)) == SyntaxKeys(*read2.Language(n)));
                    Check(read1.Language(n)->classes == read2.Language(n)->classes);
                }
            }
        }
    }

    std::size_t at = 0;
    while (at <= lines.size()) {
        std::size_t end = lines.find('\n', at);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(at, end - at);
        for (int n = 1; n <= table.Count(); ++n)
            CheckColouring(*table.Language(n), line);
        at = end + 1;
    }
    std::filesystem::remove(path);
    std::filesystem::remove(second);
    std::filesystem::remove(third);
    return 0;
}
