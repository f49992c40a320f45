// libFuzzer target for the argument macros of user tools; not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/ToolArgumentsFuzz.cpp \
//       tools/ToolArguments.cpp -o tool_arguments_fuzz
//   ./tool_arguments_fuzz -max_len=2048 -dict=fuzz/tool_arguments.dict fuzz/corpus/tool_arguments
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tools/ToolArguments.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The input's fields, separated by NUL bytes: template, file path, current text, program directory,
// current directory, then bytes for the short-names choice, line and column.
std::vector<std::string> Fields(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> fields(6);
    std::size_t f = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && f + 1 < fields.size())
            ++f;
        else
            fields[f] += static_cast<char>(data[i]);
    }
    return fields;
}

// A short form that differs from the long one, so a wrong choice of form shows in the result; paths
// with a '~' have none, like a name the system cannot shorten.
std::string ShortForm(const std::string& path)
{
    if (path.find('~') != std::string::npos)
        return std::string();
    std::string s;
    for (char c : path)
        if (c != ' ')
            s += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return s + "~1";
}

// The expansion worked out a second way: the result is built left to right from the template instead
// of being edited in place, following the rules of the Tools dialog's macro list.
std::string Reference(const std::string& templ, TShortNames names, const TToolContext& c,
                      const TToolEnvironment& env)
{
    const std::string t = templ.substr(0, kToolArgumentsSize - 1);
    auto hasSpace = [](const std::string& s) { return s.find(' ') != std::string::npos; };
    auto shortOf = [&](const std::string& s) {
        std::string r = env.shortPath(s);
        return r.empty() ? s : r;
    };
    auto slash = [](std::string s) { return s.empty() || (s.back() != '\\' && s.back() != '/') ? s + '\\' : s; };
    const std::string& p = c.filePath;
    const bool shortFile = !p.empty() && (names == TShortNames::Always || (names == TShortNames::WhenSpaced && hasSpace(p)));
    const std::string file = shortFile ? shortOf(p) : p;
    const std::size_t cut = file.find_last_of("\\/");
    const std::string dir = cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
    const std::string name = cut == std::string::npos ? file : file.substr(cut + 1);
    const std::size_t dot = name.rfind('.');
    const std::string progDir = slash(env.programDir);
    const bool shortProg = names == TShortNames::Always || (names == TShortNames::WhenSpaced && hasSpace(progDir));
    const std::pair<const char*, std::string> macros[] = {
        {"$(FilePath)", hasSpace(p) && names == TShortNames::Never ? "\"" + p + "\"" : file},
        {"$(FileDir)", dir},
        {"$(FileName)", name},
        {"$(FileExt)", dot == std::string::npos ? std::string() : name.substr(dot + 1)},
        {"$(ProgDir)", shortProg ? slash(shortOf(progDir)) : progDir},
        {"$(CurLine)", std::to_string(c.line)},
        {"$(CurCol)", std::to_string(c.column)},
        {"$(CurText)", c.currentText},
        {"$(CurDir)", slash(env.currentDir)},
    };
    std::string out;
    std::size_t i = 0;
    while (i < t.size()) {
        bool matched = false;
        if (t[i] == '$') {
            for (const auto& [macro, value] : macros) {
                std::size_t n = std::strlen(macro);
                if (t.compare(i, n, macro) != 0)
                    continue;
                i += n;
                // What is built, the value and what the template still holds must stay below 256.
                if (out.size() + value.size() + (t.size() - i) <= kToolArgumentsSize - 1)
                    out += value;
                matched = true;
                break;
            }
        }
        if (!matched)
            out += t[i++];
    }
    return out;
}

}  // namespace

// Checks the expansion against the independent reading above, that it never reaches 256 characters
// whatever the context holds, that it fits the tool's fixed 256-byte argument field, and that the same
// input always gives the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> f = Fields(data, size);
    const std::string& tail = f[5];
    auto byte = [&tail](std::size_t i) { return i < tail.size() ? static_cast<unsigned char>(tail[i]) : 0u; };

    TToolContext context;
    context.filePath = f[1].substr(0, 259);
    context.currentText = f[2].substr(0, 80);
    context.line = static_cast<long>(byte(1) | byte(2) << 8 | byte(3) << 16) - (byte(4) & 1 ? 100 : 0);
    context.column = static_cast<int>(byte(5) | byte(6) << 8);
    context.modified = byte(7) & 1;
    TToolEnvironment env;
    env.programDir = f[3].substr(0, 259);
    env.currentDir = f[4].substr(0, 259);
    env.shortPath = ShortForm;
    const TShortNames names = static_cast<TShortNames>(byte(0) % 3);

    // The template arrives from the tool's fixed field, as the runner hands it over.
    TUserToolElement tool;
    std::strncpy(tool.arguments, f[0].c_str(), sizeof tool.arguments - 1);
    const std::string expanded = ExpandToolArguments(tool.arguments, names, context, env);
    Check(expanded.size() < static_cast<std::size_t>(kToolArgumentsSize));
    char field[kToolArgumentsSize];
    std::memcpy(field, expanded.c_str(), expanded.size() + 1);

    Check(expanded == ExpandToolArguments(tool.arguments, names, context, env));
    Check(expanded == Reference(tool.arguments, names, context, env));
    // A template without macros comes back as it was, cut to 255 characters.
    if (f[0].find("$(") == std::string::npos)
        Check(expanded == std::string(tool.arguments));
    return 0;
}
