// The Language setting's character rules: word characters, case, and the Croatian order of sorting.
#include "engine/Language.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "engine/Options.h"

namespace {
struct TLetterPair {
    unsigned char lower;
    unsigned char upper;
    int weight;
};

// č ć đ š ž with their sorting weights.
constexpr TLetterPair kCroscii[] = {{0x7E, 0x5E, 50}, {0x7D, 0x5D, 51}, {0x7C, 0x5C, 54}, {0x7B, 0x5B, 72}, {0x60, 0x40, 80}};
constexpr TLetterPair kCp1250[] = {{0xE8, 0xC8, 50}, {0xE6, 0xC6, 51}, {0xF0, 0xD0, 54}, {0x9A, 0x8A, 72}, {0x9E, 0x8E, 80}};

// Weights of A..Z; the gaps at 53, 63 and 66 are the places of DŽ, LJ and NJ.
constexpr int kLetterWeight[26] = {47, 48, 49, 52, 55, 56, 57, 58, 59, 60, 61, 62, 64,
                                   65, 67, 68, 69, 70, 71, 73, 74, 75, 76, 77, 78, 79};
constexpr int kJAfterLOrN = 81;

const TLetterPair* Pairs(TLanguage lang)
{
    return lang == TLanguage::CroatianCroscii ? kCroscii : kCp1250;
}

bool AsciiLetter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool AsciiDigit(int c)
{
    return c >= '0' && c <= '9';
}

// The pair a byte belongs to under a Croatian language, or null. Code page 1250 has its letters from 128
// up only; in CROSCII they take the places of ten ASCII punctuation bytes.
const TLetterPair* CroatianPair(TLanguage lang, int c)
{
    if (lang != TLanguage::CroatianCp1250 && lang != TLanguage::CroatianCroscii)
        return nullptr;
    if (lang == TLanguage::CroatianCp1250 && c < 128)
        return nullptr;
    const TLetterPair* pairs = Pairs(lang);
    for (int i = 0; i < 5; ++i)
        if (pairs[i].lower == c || pairs[i].upper == c)
            return &pairs[i];
    return nullptr;
}

struct TWeights {
    int w[256];
    explicit TWeights(bool croscii)
    {
        for (int c = 0; c < 256; ++c)
            w[c] = c;
        if (croscii) {
            w[0x5F] = 86;
            w[0x7F] = 127;
        } else {
            w[0x40] = 46;
            const int others[][2] = {{0x5B, 82}, {0x5C, 83}, {0x5D, 84}, {0x5E, 85}, {0x5F, 86}, {0x60, 87},
                                     {0x7B, 122}, {0x7C, 123}, {0x7D, 124}, {0x7E, 125}};
            for (const auto& o : others)
                w[o[0]] = o[1];
        }
        for (int i = 0; i < 26; ++i)
            w['A' + i] = w['a' + i] = kLetterWeight[i];
        for (const TLetterPair& p : croscii ? kCroscii : kCp1250)
            w[p.lower] = w[p.upper] = p.weight;
    }
};

bool IsLOrN(int c)
{
    return c == 'L' || c == 'l' || c == 'N' || c == 'n';
}

int AsciiUpper(int c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}
}  // namespace

TLanguage LanguageFromSetting(int value)
{
    return value >= 0 && value <= 3 ? static_cast<TLanguage>(value) : TLanguage::System;
}

TLanguage CurrentLanguage()
{
    return LanguageFromSetting(EngineOptions().language);
}

bool LangIsWordChar(TLanguage lang, int c)
{
    c &= 0xFF;
    return c == '_' || AsciiLetter(c) || AsciiDigit(c) || CroatianPair(lang, c) != nullptr;
}

bool LangIsUpper(TLanguage lang, int c)
{
    c &= 0xFF;
    if (c >= 'A' && c <= 'Z')
        return true;
    const TLetterPair* p = CroatianPair(lang, c);
    return p && p->upper == c;
}

int LangToUpper(TLanguage lang, int c)
{
    c &= 0xFF;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    const TLetterPair* p = CroatianPair(lang, c);
    return p ? p->upper : c;
}

int LangToLower(TLanguage lang, int c)
{
    c &= 0xFF;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 'a';
    const TLetterPair* p = CroatianPair(lang, c);
    return p ? p->lower : c;
}

namespace {
// A whole string is converted through a byte table per language and direction, made once from the
// single-character rules: converting a block of text must not search the letter pairs for every byte.
using TCaseTable = std::array<unsigned char, 256>;

const TCaseTable& CaseTable(TLanguage lang, bool upper)
{
    static const auto tables = [] {
        std::array<std::array<TCaseTable, 2>, 4> made{};
        for (int l = 0; l < 4; ++l)
            for (int c = 0; c < 256; ++c) {
                made[static_cast<std::size_t>(l)][0][static_cast<std::size_t>(c)] =
                    static_cast<unsigned char>(LangToLower(static_cast<TLanguage>(l), c));
                made[static_cast<std::size_t>(l)][1][static_cast<std::size_t>(c)] =
                    static_cast<unsigned char>(LangToUpper(static_cast<TLanguage>(l), c));
            }
        return made;
    }();
    const auto index = static_cast<std::size_t>(lang);
    return tables[index < 4 ? index : 0][upper ? 1 : 0];
}

void ConvertString(const TCaseTable& table, char* text)
{
    for (; *text; ++text)
        *text = static_cast<char>(table[static_cast<unsigned char>(*text)]);
}
}  // namespace

void LangUpperString(TLanguage lang, char* text)
{
    ConvertString(CaseTable(lang, true), text);
}

void LangLowerString(TLanguage lang, char* text)
{
    ConvertString(CaseTable(lang, false), text);
}

int CroatianCompare(const char* a, const char* b, bool croscii)
{
    static const TWeights kCrosciiWeights(true);
    static const TWeights kCp1250Weights(false);
    const TWeights& table = croscii ? kCrosciiWeights : kCp1250Weights;
    const auto* s = reinterpret_cast<const unsigned char*>(a);
    const auto* t = reinterpret_cast<const unsigned char*>(b);
    for (std::size_t i = 0;; ++i) {
        const int ca = s[i];
        const int cb = t[i];
        if (ca == cb) {
            if (ca == 0)
                return 0;
            continue;
        }
        if (ca < 64 || cb < 64)
            return ca - cb;
        int wa = ca;
        int wb = cb;
        if (!croscii || (ca < 128 && cb < 128)) {
            wa = table.w[ca];
            wb = table.w[cb];
        }
        if ((ca == 'J' || ca == 'j') && i > 0 && IsLOrN(s[i - 1]))
            wa = kJAfterLOrN;
        if ((cb == 'J' || cb == 'j') && i > 0 && IsLOrN(t[i - 1]))
            wb = kJAfterLOrN;
        if (wa != wb)
            return wa - wb;
    }
}

int LanguageCompare(TLanguage lang, const char* a, const char* b)
{
    if (lang == TLanguage::CroatianCp1250 || lang == TLanguage::CroatianCroscii)
        return CroatianCompare(a, b, lang == TLanguage::CroatianCroscii);
    const auto* s = reinterpret_cast<const unsigned char*>(a);
    const auto* t = reinterpret_cast<const unsigned char*>(b);
    for (;; ++s, ++t) {
        const int ca = AsciiUpper(*s);
        const int cb = AsciiUpper(*t);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

double SortKeyValue(const char* key, char decimal)
{
    std::string text = key;
    const std::size_t at = text.find(decimal);
    if (at != std::string::npos)
        text[at] = '.';
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        ++j;
    // Not-a-number would break the order of the sort, and infinity is no number a user sorts by.
    if (j < text.size() && (text[j] == 'N' || text[j] == 'n' || text[j] == 'I' || text[j] == 'i'))
        return 0;
    return std::strtod(text.c_str() + i, nullptr);
}

bool SortItems(TSortItem* items, std::size_t count, TLanguage lang, const TSortOrder& order)
{
    try {
        std::vector<std::size_t> index(count);
        for (std::size_t i = 0; i < count; ++i)
            index[i] = i;
        std::vector<double> values;
        if (order.numeric) {
            values.resize(count);
            for (std::size_t i = 0; i < count; ++i)
                values[i] = SortKeyValue(items[i].key, order.decimal);
        }
        auto compare = [&](std::size_t x, std::size_t y) {
            int r;
            if (order.numeric) {
                r = values[x] < values[y] ? -1 : values[x] > values[y] ? 1 : 0;
            } else {
                r = LanguageCompare(lang, items[x].key, items[y].key);
                if (r == 0 && order.caseSensitive)
                    r = std::strcmp(items[x].key, items[y].key);
            }
            return order.descending ? r > 0 : r < 0;
        };
        std::stable_sort(index.begin(), index.end(), compare);
        std::vector<TSortItem> sorted(count);
        for (std::size_t i = 0; i < count; ++i)
            sorted[i] = items[index[i]];
        std::copy(sorted.begin(), sorted.end(), items);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

namespace {
// Code page 1250 letters from 128 up: the upper-case ones with their lower-case partners. 0xB5 (micro) and
// 0xDF (sharp s) are lower-case letters without a single-byte capital.
constexpr unsigned char kCp1250UpperLower[][2] = {
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}};

struct TCp1250Table {
    unsigned char upper[256];
    unsigned char lower[256];
    bool isUpper[256] = {};
    bool isLower[256] = {};
    TCp1250Table()
    {
        for (int c = 0; c < 256; ++c)
            upper[c] = lower[c] = static_cast<unsigned char>(c);
        auto pair = [this](int u, int l) {
            isUpper[u] = isLower[l] = true;
            upper[l] = static_cast<unsigned char>(u);
            lower[u] = static_cast<unsigned char>(l);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (const auto& p : kCp1250UpperLower)
            pair(p[0], p[1]);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7)
                pair(c, c + 32);
        isLower[0xB5] = isLower[0xDF] = true;
    }
};

const TCp1250Table& Cp1250()
{
    static const TCp1250Table table;
    return table;
}

class TCp1250CharServices final : public TCharServices {
public:
    bool IsAlpha(unsigned char c) const override { return Cp1250().isUpper[c] || Cp1250().isLower[c]; }
    bool IsLower(unsigned char c) const override { return Cp1250().isLower[c]; }
    bool IsUpper(unsigned char c) const override { return Cp1250().isUpper[c]; }
    unsigned char ToUpper(unsigned char c) const override { return Cp1250().upper[c]; }
    unsigned char ToLower(unsigned char c) const override { return Cp1250().lower[c]; }
    int CompareNoCase(const char* a, const char* b) const override
    {
        const auto* s = reinterpret_cast<const unsigned char*>(a);
        const auto* t = reinterpret_cast<const unsigned char*>(b);
        for (;; ++s, ++t) {
            const int ca = Cp1250().lower[*s];
            const int cb = Cp1250().lower[*t];
            if (ca != cb || ca == 0)
                return ca - cb;
        }
    }
};
}  // namespace

const TCharServices& Cp1250CharServices()
{
    static const TCp1250CharServices services;
    return services;
}
