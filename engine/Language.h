// The Language setting's character rules: word characters, case, and the Croatian order of sorting.
#pragma once

#include <cstddef>

// The values of the Language setting.
enum class TLanguage : int {
    UsEnglish = 0,        // 7-bit ASCII letters only
    System = 1,           // the system's character functions (the C locale where there is no system)
    CroatianCp1250 = 2,   // ASCII plus the Croatian letters of code page 1250
    CroatianCroscii = 3,  // ASCII plus the Croatian letters of 7-bit CROSCII
};

// The Language setting in force; values outside 0..3 read as System.
TLanguage CurrentLanguage();
TLanguage LanguageFromSetting(int value);

bool LangIsWordChar(TLanguage lang, int c);
bool LangIsUpper(TLanguage lang, int c);
int LangToUpper(TLanguage lang, int c);
int LangToLower(TLanguage lang, int c);
void LangUpperString(TLanguage lang, char* text);
void LangLowerString(TLanguage lang, char* text);

// Compares ignoring case in the Croatian order (LJ after every other L word, NJ after every other N word);
// croscii picks the weight table of CROSCII, else that of code page 1250. Negative, 0 or positive.
int CroatianCompare(const char* a, const char* b, bool croscii);
// The comparison ignoring case of a language (System: the C locale's, as US-English).
int LanguageCompare(TLanguage lang, const char* a, const char* b);

// A line of a sort: its text and the key cut from it (at most 31 bytes, NUL-terminated).
struct TSortItem {
    char* text;
    char key[32];
};

struct TSortOrder {
    bool numeric = false;
    bool descending = false;
    // Keys equal ignoring case are ordered upper case first; else they keep the order of their lines.
    bool caseSensitive = false;
    char decimal = '.';  // the decimal separator numeric keys are written with
};

// The number a numeric sort key stands for: the first decimal separator read as ".", a sign followed by
// "N" or "I" (and a bare "nan" or "inf") as 0, else the C library's reading of the text.
double SortKeyValue(const char* key, char decimal);
// Orders the items by key; lines with equal keys keep their order. False when out of memory.
bool SortItems(TSortItem* items, std::size_t count, TLanguage lang, const TSortOrder& order);

// The character services of the system's code page that AutoCorrect decides case with. The Windows build
// answers with the system's own functions; the portable implementation follows code page 1250, so that
// Croatian (and the other Central European) letters count as letters as they do on a Croatian Windows.
class TCharServices {
public:
    virtual ~TCharServices() = default;
    virtual bool IsAlpha(unsigned char c) const = 0;
    virtual bool IsLower(unsigned char c) const = 0;
    virtual bool IsUpper(unsigned char c) const = 0;
    virtual unsigned char ToUpper(unsigned char c) const = 0;
    virtual unsigned char ToLower(unsigned char c) const = 0;
    // Negative, 0 or positive, ignoring case.
    virtual int CompareNoCase(const char* a, const char* b) const = 0;
};

// Code page 1250 without a system: letters, their case pairs, and comparison of the lowered bytes.
const TCharServices& Cp1250CharServices();
