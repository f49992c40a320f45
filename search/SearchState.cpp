// The program-wide search state, the history rule and the replacement text conversion.
#include "search/SearchState.h"

#include <cstring>

void CopySearchText(char* buffer, int size, const char* text)
{
    if (size <= 0)
        return;
    int n = 0;
    if (text)
        for (; n < size - 1 && text[n]; ++n)
            buffer[n] = text[n];
    buffer[n] = 0;
}

void TSearchHistory::Add(const char* text)
{
    if (!text)
        return;
    char copy[kSearchTextSize];
    CopySearchText(copy, sizeof copy, text);
    if (std::strcmp(entries_[0], copy) == 0)
        return;
    for (int i = kEntries - 1; i > 0; --i)
        std::memcpy(entries_[i], entries_[i - 1], kSearchTextSize);
    std::memcpy(entries_[0], copy, kSearchTextSize);
}

const char* TSearchHistory::Entry(int i) const
{
    return i >= 0 && i < kEntries ? entries_[i] : "";
}

void TSearchHistory::Set(int i, const char* text)
{
    if (i >= 0 && i < kEntries)
        CopySearchText(entries_[i], kSearchTextSize, text);
}

TSearchState& SearchState()
{
    static TSearchState state;
    return state;
}

void ConvertReplacement(const char* typed, bool regex, char* out, int size)
{
    if (size <= 0)
        return;
    if (!regex) {
        CopySearchText(out, size, typed);
        return;
    }
    int n = 0;
    auto put = [&](char c) {
        if (n < size - 1)
            out[n++] = c;
    };
    for (const char* p = typed; p && *p; ++p) {
        if (*p != '\\') {
            put(*p);
            continue;
        }
        ++p;
        if (!*p)
            break;  // a backslash at the very end escapes nothing
        if (*p == 'n') {
            // Never half a line break: both bytes or neither.
            if (n < size - 2) {
                put('\r');
                put('\n');
            }
        } else {
            put(*p == 't' ? '\t' : *p);
        }
    }
    out[n] = 0;
}

void ReplaceFieldText(const TSearchState& state, char* out, int size)
{
    if (std::strpbrk(state.replacement, "\t\n\f\r\b"))
        CopySearchText(out, size, "");
    else
        CopySearchText(out, size, state.replaceTyped);
}
