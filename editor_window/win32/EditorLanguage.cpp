// The editor window's character hooks: the Language setting's rules, the system's for Language 1.
#include "editor_window/win32/WindowsEditor.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "autocorrect/win32/AutoCorrectWin.h"
#include "engine/Language.h"
#include "engine/Options.h"
#include "engine/Transforms.h"

namespace {
bool System()
{
    return CurrentLanguage() == TLanguage::System;
}

// The system's functions take a character in the low word of a pointer.
int SystemCase(int c, bool upper)
{
    c &= 0xFF;
    if (c == 0)
        return 0;
    auto* p = reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c));
    return static_cast<int>(reinterpret_cast<ULONG_PTR>(upper ? CharUpperA(p) : CharLowerA(p)) & 0xFF);
}

// The decimal separator of the regional settings, "." under US-English.
char DecimalSeparator()
{
    if (CurrentLanguage() == TLanguage::UsEnglish)
        return '.';
    char text[8] = ".";
    GetProfileStringA("intl", "sDecimal", ".", text, sizeof text);
    return text[0] ? text[0] : '.';
}
}  // namespace

bool TWindowsEditor::IsWordChar(int c) noexcept
{
    c &= 0xFF;
    if (!System())
        return LangIsWordChar(CurrentLanguage(), c);
    return c == '_' || (c != 0 && IsCharAlphaNumericA(static_cast<char>(c)) != 0);
}

bool TWindowsEditor::IsUpper(int c) noexcept
{
    c &= 0xFF;
    if (!System())
        return LangIsUpper(CurrentLanguage(), c);
    return c != 0 && IsCharUpperA(static_cast<char>(c)) != 0;
}

int TWindowsEditor::ToUpper(int c) noexcept
{
    return System() ? SystemCase(c, true) : LangToUpper(CurrentLanguage(), c);
}

int TWindowsEditor::ToLower(int c) noexcept
{
    return System() ? SystemCase(c, false) : LangToLower(CurrentLanguage(), c);
}

void TWindowsEditor::UpperString(char* text) noexcept
{
    if (System())
        CharUpperBuffA(text, static_cast<DWORD>(std::strlen(text)));
    else
        LangUpperString(CurrentLanguage(), text);
}

void TWindowsEditor::LowerString(char* text) noexcept
{
    if (System())
        CharLowerBuffA(text, static_cast<DWORD>(std::strlen(text)));
    else
        LangLowerString(CurrentLanguage(), text);
}

bool TWindowsEditor::SortLines(void* items, std::size_t count, std::size_t itemSize) noexcept
{
    if (itemSize != sizeof(TSortItem))
        return false;
    TSortOrder order = TransformOptions().sort;
    order.decimal = DecimalSeparator();
    auto* sortItems = static_cast<TSortItem*>(items);
    if (!System() || order.numeric)
        return SortItems(sortItems, count, CurrentLanguage(), order);
    // Text keys under Language 1: the system's comparison ignoring case.
    try {
        std::vector<TSortItem> sorted(sortItems, sortItems + count);
        std::stable_sort(sorted.begin(), sorted.end(), [&order](const TSortItem& a, const TSortItem& b) {
            int r = lstrcmpiA(a.key, b.key);
            if (r == 0 && order.caseSensitive)
                r = std::strcmp(a.key, b.key);
            return order.descending ? r > 0 : r < 0;
        });
        std::copy(sorted.begin(), sorted.end(), sortItems);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The typing hooks answer from the program's one AutoCorrect object.
bool TWindowsEditor::AutoCorrectWord(const char* word, char* buffer, int size) noexcept
{
    return ProgramAutoCorrect().Correct(word, buffer, size);
}

bool TWindowsEditor::CapitalizeSentences() noexcept
{
    return ProgramAutoCorrect().capitalizeSentence;
}

bool TWindowsEditor::IsCapitalizeException(const char* token) noexcept
{
    return ProgramAutoCorrect().IsException(token);
}
