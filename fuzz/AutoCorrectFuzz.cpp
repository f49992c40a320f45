// libFuzzer target for loading AutoCorrect lists through the profile reader; not part of the CMake build.
//
// Build and run from the source root with scripts/fuzz.sh (see fuzz/README.md):
//   scripts/fuzz.sh AutoCorrect 600
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "autocorrect/AutoCorrect.h"
#include "base/IniFile.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::string TempPath(const char* name)
{
    return ((std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                       : std::filesystem::temp_directory_path()) /
            ("vok-acr-fuzz-" + std::to_string(getpid()) + name))
        .string();
}

// The lists hold at most 500 elements each, sorted and unique ignoring case, with their texts cut.
void CheckLists(const TAutoCorrect& ac)
{
    const TCharServices& chars = Cp1250CharServices();
    const auto& r = ac.Replacements();
    const auto& e = ac.Exceptions();
    Check(r.size() <= 500 && e.size() <= 500);
    for (std::size_t i = 0; i < r.size(); ++i) {
        Check(std::strlen(r[i].replace) <= 31 && std::strlen(r[i].with) <= 31 && r[i].replace[0] != 0);
        Check(i == 0 || chars.CompareNoCase(r[i - 1].replace, r[i].replace) < 0);
        Check(ac.FindReplacement(r[i].replace) == static_cast<int>(i));
    }
    for (std::size_t i = 0; i < e.size(); ++i) {
        Check(std::strlen(e[i].text) <= 15 && e[i].text[0] != 0);
        Check(i == 0 || chars.CompareNoCase(e[i - 1].text, e[i].text) < 0);
    }
}

bool SameLists(const TAutoCorrect& a, const TAutoCorrect& b)
{
    if (a.Replacements().size() != b.Replacements().size() || a.Exceptions().size() != b.Exceptions().size())
        return false;
    for (std::size_t i = 0; i < a.Replacements().size(); ++i)
        if (std::strcmp(a.Replacements()[i].replace, b.Replacements()[i].replace) != 0 ||
            std::strcmp(a.Replacements()[i].with, b.Replacements()[i].with) != 0)
            return false;
    for (std::size_t i = 0; i < a.Exceptions().size(); ++i)
        if (std::strcmp(a.Exceptions()[i].text, b.Exceptions()[i].text) != 0)
            return false;
    return true;
}

}  // namespace

// The input is a list file. Loading it keeps the lists' shape; every element corrects without writing
// past the buffer; saving the lists into a fresh file and loading that gives the same lists back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::string lists = TempPath(".acr");
    static const std::string copy = TempPath("-copy.acr");
    static const std::string settings = TempPath(".ini");
    {
        std::FILE* f = std::fopen(lists.c_str(), "wb");
        Check(f != nullptr);
        Check(std::fwrite(data, 1, size, f) == size);
        Check(std::fclose(f) == 0);
    }
    std::remove(copy.c_str());
    std::remove(settings.c_str());
    TIniFile listFile(lists);
    TIniFile settingsFile(settings);
    TMemoryCapsLock capsLock(true);
    TAutoCorrect ac(Cp1250CharServices(), &capsLock);
    ac.Load(listFile, nullptr);
    CheckLists(ac);
    for (const TAutoCorrectReplaceElement& e : ac.Replacements()) {
        char buffer[41];
        buffer[40] = '\x7f';
        if (ac.Correct(e.replace, buffer, 40))
            Check(std::strlen(buffer) < 40);
        Check(buffer[40] == '\x7f');
        ac.IsException(e.replace);
    }
    capsLock.Set(false);

    // Written back as keys and values the reader takes unchanged, the lists load again as they were;
    // elements whose texts a profile file cannot hold are left out on both sides.
    TAutoCorrect writable;
    for (const TAutoCorrectReplaceElement& e : ac.Replacements())
        if (TProfile::IsWritableKey(e.replace) && !std::strchr(e.with, '\r') && !std::strchr(e.with, '\n'))
            writable.AddReplacement(e.replace, e.with);
    for (const TAutoCorrectExceptionElement& e : ac.Exceptions())
        if (TProfile::IsWritableKey(e.text))
            writable.AddException(e.text);
    TIniFile copyFile(copy);
    Check(writable.Save(copyFile, settingsFile));
    TAutoCorrect again;
    again.Load(copyFile, settingsFile);
    Check(SameLists(writable, again));
    std::remove(lists.c_str());
    return 0;
}
