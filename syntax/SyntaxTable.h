// The table of language definitions read from "syntax.hgl", and how a file name chooses one of them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TProfile;

// Character classes of a language definition, one set of flags per byte value.
enum TSyntaxClass : uint16_t {
    kClassWord = 1,
    kClassNumeric = 2,
    kClassDelimiter = 4,
    kClassEscape = 8,
    kClassString = 16,
    kClassOpenDelim = 32,
    kClassCloseDelim = 64,
    kClassMultiComment = 128,
    kClassLineComment = 256,
    kClassOperator = 512,
    kClassHtmlOpen = 1024,
    kClassHtmlClose = 2048,
};

// The colour classes, in the order of the dialog's element list and of the colour keys.
enum TSyntaxColour : int {
    kColourComment,
    kColourPreproc,
    kColourString,
    kColourNumber,
    kColourDelim,
    kColourOperator,
    kColourKeyword,
    kSyntaxColourCount
};

constexpr int kSyntaxSlots = 14;
constexpr int kMaxKeywordLength = 16;
constexpr int kKeywordTableSize = 255;  // characters a keyword table may hold when built by the dialog
constexpr int kSyntaxValueSize = 512;   // every value is read into a buffer of this size
constexpr int kLanguageNameSize = 64;
constexpr int kExtensionsSize = 48;
constexpr int kMaxColourIndex = 16;

// One language: its rules as the file states them and the character classes made from them. The texts
// of the character-set keys are kept beside the classes so that the dialog can show and write them back.
struct TSyntaxLanguage {
    std::string name;        // the section name, at most 64 characters
    std::string extensions;  // lower case, at most 48 characters
    bool ignoreCase = false;
    bool fortranComment = false;
    bool texKeywords = false;
    std::string multiOpen, multiClose;  // 1 or 2 characters each, or both empty
    std::string lineComment1, lineComment2;  // up to 4 characters each
    char firstComment = 0;
    char preprocessor = 0;
    char stringDelim = 0;
    char charDelim = 0;
    char escape = 0;
    std::string openDelims, closeDelims;  // OpenCloseDelim, pair i of each part
    std::string delimiters, operators, words, numbers, html;
    std::array<std::string, kMaxKeywordLength + 1> keywords;  // [n]: keywords of n characters, unseparated
    std::array<uint8_t, kSyntaxColourCount> colours{};

    std::array<uint16_t, 256> classes{};
    std::array<uint8_t, 256> pairs{};  // the other delimiter of a pair, 0 for none

    bool HasMultiComment() const { return !multiOpen.empty() && !multiClose.empty(); }
    uint16_t ClassOf(char c) const { return classes[static_cast<unsigned char>(c)]; }
    // Builds the classes and pairs from the fields above, the way reading the file builds them.
    void BuildClasses();
};

// The program-wide table of at most 14 languages; language number n is slot n - 1, 0 is none.
class TSyntaxTable {
public:
    TSyntaxTable() = default;
    // Copies are deep: the dialogs edit a working copy while the windows colour with the original.
    TSyntaxTable(const TSyntaxTable& other) { *this = other; }
    TSyntaxTable& operator=(const TSyntaxTable& other);
    // The definition of language number (1..14), or null for 0, an empty slot or any other number.
    const TSyntaxLanguage* Language(int number) const;
    int Count() const;
    void Clear();
    // Puts a definition into the first empty slot; false when all 14 are taken.
    bool Add(const TSyntaxLanguage& language);
    bool Remove(int number);
    TSyntaxLanguage* Edit(int number);

private:
    std::array<std::unique_ptr<TSyntaxLanguage>, kSyntaxSlots> slots_;
};

// Empties table and fills it from the file at path, the values read through profile (which must name
// the same file); sections beyond the 14th are ignored. A missing file leaves the table empty.
void LoadSyntaxTable(TSyntaxTable& table, const char* path, const TProfile& profile);
// The same with the portable profile file.
void LoadSyntaxTable(TSyntaxTable& table, const char* path);
// Reads one section into language, which holds the values a missing key leaves in place.
void ReadSyntaxLanguage(const TProfile& profile, const char* section, TSyntaxLanguage& language);
// The same from any source of values by key name (an empty value counts as missing), as the Define
// Language dialog gives them.
using TSyntaxValueOf = std::function<std::string(const char* key)>;
void ReadSyntaxLanguage(const TSyntaxValueOf& valueOf, TSyntaxLanguage& language);

// Deletes the sections named in oldSections, writes every language of table with all its keys and
// answers whether every write succeeded.
[[nodiscard]] bool WriteSyntaxTable(TProfile& profile, const std::vector<std::string>& oldSections,
                                    const TSyntaxTable& table);
// The key values of one language as they are written, in writing order.
std::vector<std::pair<std::string, std::string>> SyntaxKeys(const TSyntaxLanguage& language);

// The language number for a file name: the text after its last dot (at most 7 characters, lower case)
// found as a whole word in a language's extension list; 0 when none matches.
int FindLanguage(const TSyntaxTable& table, const char* fileName);

// The two starting points the Add Language dialog offers.
TSyntaxLanguage CLikeTemplate(const std::string& name);
TSyntaxLanguage BasicLikeTemplate(const std::string& name);

// Sorts keywords into the tables by length (longer than 16 characters are dropped). Answers 0, or the
// length n whose table would reach 256 characters, and then leaves tables untouched.
int BuildKeywordTables(const std::vector<std::string>& keywords,
                       std::array<std::string, kMaxKeywordLength + 1>& tables);
// The keywords of the tables, shortest first, in table order.
std::vector<std::string> KeywordList(const TSyntaxLanguage& language);

// The table every window colours with.
TSyntaxTable& ProgramSyntaxTable();
