// Reading and writing "syntax.hgl", the language table and the choice of a language by file name.
#include "syntax/SyntaxTable.h"

#include <cstdlib>
#include <cstring>

#include "base/IniFile.h"
#include "base/Profile.h"
#include "base/SectionScan.h"
#include "base/TextTools.h"

namespace {
bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsValueBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Adds flag to every character of a character set: "a-z" is a range, any other character itself.
void AddCharSet(std::array<uint16_t, 256>& classes, const std::string& set, uint16_t flag)
{
    const std::size_t n = set.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 1 < n && set[i + 1] == '-') {
            // A final "x-" adds nothing; so does a range that runs backwards.
            if (i + 2 < n) {
                const auto from = static_cast<unsigned char>(set[i]);
                const auto to = static_cast<unsigned char>(set[i + 2]);
                for (unsigned c = from; c <= to; ++c)
                    classes[c] |= flag;
            }
            i += 2;
            continue;
        }
        classes[static_cast<unsigned char>(set[i])] |= flag;
    }
}

void AddChars(std::array<uint16_t, 256>& classes, const std::string& chars, uint16_t flag)
{
    for (char c : chars)
        classes[static_cast<unsigned char>(c)] |= flag;
}

void AddLineCommentStart(TSyntaxLanguage& language, const std::string& comment)
{
    if (comment.empty())
        return;
    const char c = comment[0];
    language.classes[static_cast<unsigned char>(c)] |= kClassLineComment;
    if (language.ignoreCase && IsAsciiLetter(c)) {
        language.classes[static_cast<unsigned char>(LowerAscii(c))] |= kClassLineComment;
        language.classes[static_cast<unsigned char>(UpperAscii(c))] |= kClassLineComment;
    }
}

// Splits "first rest" at the first run of white space; false when nothing follows it.
bool SplitPair(const std::string& value, std::string& first, std::string& second)
{
    std::size_t i = 0;
    while (i < value.size() && !IsValueBlank(value[i]))
        ++i;
    std::size_t j = i;
    while (j < value.size() && IsValueBlank(value[j]))
        ++j;
    if (j >= value.size() || i == 0)
        return false;
    first = value.substr(0, i);
    second = value.substr(j);
    return true;
}

std::string ReadValue(const TProfile& profile, const char* section, const char* key)
{
    char buffer[kSyntaxValueSize];
    int n = profile.GetString(section, key, "", buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

bool IsTrue(const std::string& value)
{
    return value == "yes" || value == "1";
}

const char* const kColourKeys[kSyntaxColourCount] = {"ColorComment", "ColorPreproc", "ColorString",
                                                     "ColorNumber",  "ColorDelim",   "ColorOperator",
                                                     "ColorKeyword"};

std::string OneChar(char c)
{
    return c ? std::string(1, c) : std::string();
}

std::string YesNo(bool value)
{
    return value ? "yes" : "no";
}
}  // namespace

void TSyntaxLanguage::BuildClasses()
{
    classes.fill(0);
    pairs.fill(0);
    AddCharSet(classes, words, kClassWord);
    AddCharSet(classes, numbers, kClassNumeric);
    AddChars(classes, delimiters, kClassDelimiter);
    AddChars(classes, operators, kClassOperator);
    if (escape)
        classes[static_cast<unsigned char>(escape)] |= kClassEscape;
    if (stringDelim)
        classes[static_cast<unsigned char>(stringDelim)] |= kClassString;
    if (charDelim)
        classes[static_cast<unsigned char>(charDelim)] |= kClassString;
    for (std::size_t i = 0; i < openDelims.size() && i < closeDelims.size(); ++i) {
        const auto open = static_cast<unsigned char>(openDelims[i]);
        const auto close = static_cast<unsigned char>(closeDelims[i]);
        classes[open] |= kClassOpenDelim;
        classes[close] |= kClassCloseDelim;
        pairs[open] = close;
        pairs[close] = open;
    }
    if (HasMultiComment()) {
        AddChars(classes, multiOpen, kClassMultiComment);
        AddChars(classes, multiClose, kClassMultiComment);
    }
    AddLineCommentStart(*this, lineComment1);
    AddLineCommentStart(*this, lineComment2);
    for (std::size_t i = 0; i + 1 < html.size(); i += 2) {
        classes[static_cast<unsigned char>(html[i])] |= kClassHtmlOpen;
        classes[static_cast<unsigned char>(html[i + 1])] |= kClassHtmlClose;
    }
}

// ---- The table. ---------------------------------------------------------------------------------------

TSyntaxTable& TSyntaxTable::operator=(const TSyntaxTable& other)
{
    if (this == &other)
        return *this;
    // Built aside first, so that running out of memory leaves this table as it was.
    std::array<std::unique_ptr<TSyntaxLanguage>, kSyntaxSlots> copy;
    for (std::size_t i = 0; i < copy.size(); ++i)
        if (other.slots_[i])
            copy[i] = std::make_unique<TSyntaxLanguage>(*other.slots_[i]);
    slots_ = std::move(copy);
    return *this;
}

const TSyntaxLanguage* TSyntaxTable::Language(int number) const
{
    if (number < 1 || number > kSyntaxSlots)
        return nullptr;
    return slots_[static_cast<std::size_t>(number - 1)].get();
}

TSyntaxLanguage* TSyntaxTable::Edit(int number)
{
    if (number < 1 || number > kSyntaxSlots)
        return nullptr;
    return slots_[static_cast<std::size_t>(number - 1)].get();
}

int TSyntaxTable::Count() const
{
    int n = 0;
    for (const auto& slot : slots_)
        n += slot ? 1 : 0;
    return n;
}

void TSyntaxTable::Clear()
{
    for (auto& slot : slots_)
        slot.reset();
}

bool TSyntaxTable::Add(const TSyntaxLanguage& language)
{
    for (auto& slot : slots_) {
        if (!slot) {
            slot = std::make_unique<TSyntaxLanguage>(language);
            return true;
        }
    }
    return false;
}

bool TSyntaxTable::Remove(int number)
{
    if (!Language(number))
        return false;
    // Later languages move up, so that the numbers stay those of the list the user sees.
    for (int i = number - 1; i + 1 < kSyntaxSlots; ++i)
        slots_[static_cast<std::size_t>(i)] = std::move(slots_[static_cast<std::size_t>(i + 1)]);
    slots_[kSyntaxSlots - 1].reset();
    return true;
}

TSyntaxTable& ProgramSyntaxTable()
{
    static TSyntaxTable table;
    return table;
}

// ---- Reading. -----------------------------------------------------------------------------------------

void ReadSyntaxLanguage(const TProfile& profile, const char* section, TSyntaxLanguage& language)
{
    ReadSyntaxLanguage([&](const char* key) { return ReadValue(profile, section, key); }, language);
}

void ReadSyntaxLanguage(const TSyntaxValueOf& value, TSyntaxLanguage& language)
{
    auto flag = [&](const char* key, bool& field) {
        std::string v = value(key);
        if (!v.empty())
            field = IsTrue(v);
    };
    auto single = [&](const char* key, char& field) {
        std::string v = value(key);
        if (!v.empty())
            field = v[0];
    };
    auto text = [&](const char* key, std::string& field) {
        std::string v = value(key);
        if (!v.empty())
            field = v;
    };

    std::string v = value("Extensions");
    if (!v.empty()) {
        v.resize(std::min<std::size_t>(v.size(), kExtensionsSize));
        for (char& c : v)
            c = LowerAscii(c);
        language.extensions = v;
    }
    v = value("CaseSensitive");
    if (!v.empty())
        language.ignoreCase = !IsTrue(v);
    flag("UnixTexKeywords", language.texKeywords);
    flag("FortranComment", language.fortranComment);
    single("FirstComment", language.firstComment);
    v = value("MultiComment");
    if (!v.empty()) {
        v.resize(std::min<std::size_t>(v.size(), 127));
        std::string open, close;
        if (SplitPair(v, open, close)) {
            language.multiOpen = open.substr(0, 2);
            language.multiClose = close.substr(0, 2);
        }
    }
    v = value("LineComment1");
    if (!v.empty() && v.size() < 5)
        language.lineComment1 = v;
    v = value("LineComment2");
    if (!v.empty() && v.size() < 5)
        language.lineComment2 = v;
    single("StringDelim", language.stringDelim);
    single("CharDelim", language.charDelim);
    single("QuoteChar", language.escape);
    v = value("OpenCloseDelim");
    if (!v.empty()) {
        std::string open, close;
        if (SplitPair(v, open, close)) {
            const std::size_t n = std::min(open.size(), close.size());
            language.openDelims = open.substr(0, n);
            language.closeDelims = close.substr(0, n);
        }
    }
    text("Delimiters", language.delimiters);
    text("Operators", language.operators);
    single("Preprocess", language.preprocessor);
    text("Words", language.words);
    text("Numbers", language.numbers);
    v = value("HTML");
    if (!v.empty())
        language.html = v.substr(0, v.size() & ~std::size_t{1});
    for (int n = 1; n <= kMaxKeywordLength; ++n) {
        const std::string key = "Keyword" + std::to_string(n);
        v = value(key.c_str());
        if (!v.empty() && v.size() % static_cast<std::size_t>(n) == 0)
            language.keywords[static_cast<std::size_t>(n)] = v;
    }
    for (int i = 0; i < kSyntaxColourCount; ++i) {
        int colour = 0;
        v = value(kColourKeys[i]);
        if (!v.empty() && !ParseProfileInt(v.c_str(), colour))
            colour = 0;
        language.colours[static_cast<std::size_t>(i)] =
            static_cast<uint8_t>(colour < 0 || colour > kMaxColourIndex ? 0 : colour);
    }
    language.BuildClasses();
}

void LoadSyntaxTable(TSyntaxTable& table, const char* path, const TProfile& profile)
{
    table.Clear();
    char names[256];
    if (ScanSectionNames(path, names, sizeof names) <= 0)
        return;
    for (const char* name = names; *name && table.Count() < kSyntaxSlots; name += std::strlen(name) + 1) {
        TSyntaxLanguage language;
        language.name = std::string(name).substr(0, kLanguageNameSize);
        ReadSyntaxLanguage(profile, name, language);
        (void)table.Add(language);
    }
}

void LoadSyntaxTable(TSyntaxTable& table, const char* path)
{
    TIniFile file(path);
    LoadSyntaxTable(table, path, file);
}

// ---- Writing. -----------------------------------------------------------------------------------------

std::vector<std::pair<std::string, std::string>> SyntaxKeys(const TSyntaxLanguage& l)
{
    std::vector<std::pair<std::string, std::string>> keys;
    keys.emplace_back("Extensions", l.extensions);
    keys.emplace_back("CaseSensitive", YesNo(!l.ignoreCase));
    keys.emplace_back("UnixTexKeywords", YesNo(l.texKeywords));
    keys.emplace_back("FortranComment", YesNo(l.fortranComment));
    keys.emplace_back("FirstComment", OneChar(l.firstComment));
    keys.emplace_back("MultiComment", l.HasMultiComment() ? l.multiOpen + " " + l.multiClose : std::string());
    keys.emplace_back("LineComment1", l.lineComment1);
    keys.emplace_back("LineComment2", l.lineComment2);
    keys.emplace_back("StringDelim", OneChar(l.stringDelim));
    keys.emplace_back("CharDelim", OneChar(l.charDelim));
    keys.emplace_back("QuoteChar", OneChar(l.escape));
    keys.emplace_back("OpenCloseDelim",
                      l.openDelims.empty() ? std::string() : l.openDelims + " " + l.closeDelims);
    keys.emplace_back("Delimiters", l.delimiters);
    keys.emplace_back("Operators", l.operators);
    keys.emplace_back("Preprocess", OneChar(l.preprocessor));
    keys.emplace_back("Words", l.words);
    keys.emplace_back("Numbers", l.numbers);
    keys.emplace_back("HTML", l.html);
    for (int n = 1; n <= kMaxKeywordLength; ++n)
        keys.emplace_back("Keyword" + std::to_string(n), l.keywords[static_cast<std::size_t>(n)]);
    for (int i = 0; i < kSyntaxColourCount; ++i)
        keys.emplace_back(kColourKeys[i], std::to_string(l.colours[static_cast<std::size_t>(i)]));
    return keys;
}

bool WriteSyntaxTable(TProfile& profile, const std::vector<std::string>& oldSections,
                      const TSyntaxTable& table)
{
    bool ok = true;
    for (const std::string& name : oldSections)
        ok = profile.DeleteSection(name.c_str()) && ok;
    for (int number = 1; number <= kSyntaxSlots; ++number) {
        const TSyntaxLanguage* language = table.Language(number);
        if (!language)
            continue;
        for (const auto& [key, value] : SyntaxKeys(*language))
            ok = profile.WriteString(language->name.c_str(), key.c_str(), value.c_str()) && ok;
    }
    return ok;
}

// ---- Choosing a language. -----------------------------------------------------------------------------

int FindLanguage(const TSyntaxTable& table, const char* fileName)
{
    if (!fileName)
        return 0;
    const char* dot = std::strrchr(fileName, '.');
    if (!dot)
        return 0;
    std::string extension(dot + 1, std::min<std::size_t>(std::strlen(dot + 1), 7));
    for (char& c : extension)
        c = LowerAscii(c);
    // A dot of a folder name leaves a path after it, which is no extension.
    if (extension.empty() || extension.find_first_of("\\/ ") != std::string::npos)
        return 0;
    for (int number = 1; number <= kSyntaxSlots; ++number) {
        const TSyntaxLanguage* language = table.Language(number);
        if (!language)
            continue;
        const std::string& list = language->extensions;
        for (std::size_t at = list.find(extension); at != std::string::npos;
             at = list.find(extension, at + 1)) {
            const std::size_t end = at + extension.size();
            if ((at == 0 || list[at - 1] == ' ') && (end == list.size() || list[end] == ' '))
                return number;
        }
    }
    return 0;
}

// ---- The dialog's helpers. ----------------------------------------------------------------------------

TSyntaxLanguage CLikeTemplate(const std::string& name)
{
    TSyntaxLanguage l;
    l.name = name.substr(0, kLanguageNameSize);
    l.ignoreCase = false;
    l.words = "0-9a-zA-Z_";
    l.openDelims = "([{";
    l.closeDelims = "}])";
    l.delimiters = ",;.?:";
    l.stringDelim = '"';
    l.charDelim = '\'';
    l.escape = '\\';
    l.multiOpen = "/*";
    l.multiClose = "*/";
    l.lineComment1 = "//";
    l.numbers = "-+0-9a-fA-F.xXUL";
    l.preprocessor = '#';
    l.operators = "%-+/&*=<>|!~^";
    l.colours = {3, 13, 6, 6, 0, 0, 10};
    l.BuildClasses();
    return l;
}

TSyntaxLanguage BasicLikeTemplate(const std::string& name)
{
    TSyntaxLanguage l;
    l.name = name.substr(0, kLanguageNameSize);
    l.ignoreCase = true;
    l.words = "0-9a-zA-Z";
    l.openDelims = "([";
    l.closeDelims = "])";
    l.delimiters = "!$#%";
    l.stringDelim = '"';
    l.lineComment1 = "'";
    l.lineComment2 = "rem";
    l.numbers = "-+0-9eE.";
    l.operators = "-+=*/<>^";
    l.colours = {3, 13, 6, 6, 0, 0, 10};
    l.BuildClasses();
    return l;
}

int BuildKeywordTables(const std::vector<std::string>& keywords,
                       std::array<std::string, kMaxKeywordLength + 1>& tables)
{
    std::array<std::string, kMaxKeywordLength + 1> built;
    for (int n = 1; n <= kMaxKeywordLength; ++n) {
        std::string& table = built[static_cast<std::size_t>(n)];
        for (const std::string& word : keywords) {
            if (static_cast<int>(word.size()) != n)
                continue;
            if (table.size() + word.size() > kKeywordTableSize)
                return n;
            table += word;
        }
    }
    tables = built;
    return 0;
}

std::vector<std::string> KeywordList(const TSyntaxLanguage& language)
{
    std::vector<std::string> words;
    for (std::size_t n = 1; n <= kMaxKeywordLength; ++n) {
        const std::string& table = language.keywords[n];
        for (std::size_t at = 0; at + n <= table.size(); at += n)
            words.push_back(table.substr(at, n));
    }
    return words;
}
