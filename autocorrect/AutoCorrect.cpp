// AutoCorrect: the replacement and exception lists, the corrections of a typed word, and their files.
#include "autocorrect/AutoCorrect.h"

#include <algorithm>
#include <cstring>

namespace {
void CopyCut(char* to, const char* from, int capacity)
{
    std::strncpy(to, from, static_cast<std::size_t>(capacity - 1));
    to[capacity - 1] = 0;
}

// A list text cut to its capacity. Blanks the cut leaves at the end go too: the list file would drop them
// around a key, so the element would come back from the file under another text.
void CutKey(char* to, const char* from, int capacity)
{
    CopyCut(to, from, capacity);
    for (std::size_t n = std::strlen(to); n > 0 && IsProfileBlank(to[n - 1]); --n)
        to[n - 1] = 0;
}

// Where text belongs in a list sorted by compare: the first element not below it.
template <typename TElement, typename TText>
std::size_t LowerBound(const std::vector<TElement>& list, const char* text, const TCharServices& chars, TText field)
{
    std::size_t lo = 0;
    std::size_t hi = list.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (chars.CompareNoCase(field(list[mid]), text) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

const char* ReplaceOf(const TAutoCorrectReplaceElement& e)
{
    return e.replace;
}

const char* TextOf(const TAutoCorrectExceptionElement& e)
{
    return e.text;
}

// The key names of a section as a list of strings.
std::vector<std::string> KeyNames(const TProfile& profile, const char* section, int bufferSize)
{
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize), 0);
    const int length = profile.GetKeyNames(section, buffer.data(), bufferSize);
    std::vector<std::string> names;
    for (int i = 0; i < length && buffer[static_cast<std::size_t>(i)] != 0;) {
        names.emplace_back(buffer.data() + i);
        i += static_cast<int>(names.back().size()) + 1;
    }
    return names;
}
}  // namespace

TAutoCorrect::TAutoCorrect(const TCharServices& chars, TCapsLockState* capsLock) : chars_(chars), capsLock_(capsLock)
{
}

const char* TAutoCorrect::ReplaceSection(int language)
{
    return language == 1 ? "ReplaceWithEng" : language == 2 ? "ReplaceWithCro" : "ReplaceWith";
}

const char* TAutoCorrect::ExceptionSection(int language)
{
    return language == 1   ? "FirstLetterExceptionsEng"
           : language == 2 ? "FirstLetterExceptionsCro"
                           : "FirstLetterExceptions";
}

int TAutoCorrect::FindReplacement(const char* text) const
{
    const std::size_t at = LowerBound(replacements_, text, chars_, ReplaceOf);
    return at < replacements_.size() && chars_.CompareNoCase(replacements_[at].replace, text) == 0
               ? static_cast<int>(at)
               : -1;
}

int TAutoCorrect::FindException(const char* text) const
{
    const std::size_t at = LowerBound(exceptions_, text, chars_, TextOf);
    return at < exceptions_.size() && chars_.CompareNoCase(exceptions_[at].text, text) == 0 ? static_cast<int>(at)
                                                                                              : -1;
}

bool TAutoCorrect::HasUpper(const std::string& s) const
{
    return std::any_of(s.begin(), s.end(), [this](char c) { return chars_.IsUpper(static_cast<unsigned char>(c)); });
}

bool TAutoCorrect::HasLower(const std::string& s) const
{
    return std::any_of(s.begin(), s.end(), [this](char c) { return chars_.IsLower(static_cast<unsigned char>(c)); });
}

bool TAutoCorrect::IsCapitalized(const std::string& s) const
{
    return !s.empty() && chars_.IsUpper(static_cast<unsigned char>(s[0])) && !HasUpper(s.substr(1));
}

void TAutoCorrect::Upper(std::string& s) const
{
    for (char& c : s)
        c = static_cast<char>(chars_.ToUpper(static_cast<unsigned char>(c)));
}

bool TAutoCorrect::ReplaceWord(std::string& t) const
{
    const int at = FindReplacement(t.c_str());
    if (at < 0)
        return false;
    const std::string r = replacements_[static_cast<std::size_t>(at)].replace;
    std::string w = replacements_[static_cast<std::size_t>(at)].with;
    if (w.empty())
        return false;
    const bool rUpper = HasUpper(r);
    const bool rLower = HasLower(r);
    if (rUpper && rLower) {
        if (!(IsCapitalized(r) && IsCapitalized(t)) && t != r)
            return false;
    } else if (rUpper) {
        if (HasLower(t))
            return false;
    } else if (!HasUpper(w)) {
        if (IsCapitalized(t)) {
            w[0] = static_cast<char>(chars_.ToUpper(static_cast<unsigned char>(w[0])));
        } else if (HasUpper(t)) {
            if (HasLower(t))
                return false;
            Upper(w);
        }
    }
    t = w;
    return true;
}

bool TAutoCorrect::Correct(const char* input, char* buffer, int size)
{
    const std::string in = input ? input : "";
    if (in.empty() || in.size() > kMaxReplace || size <= 0)
        return false;
    auto deliver = [&](const std::string& out) {
        if (out.size() + 1 > static_cast<std::size_t>(size))
            return false;
        std::memcpy(buffer, out.c_str(), out.size() + 1);
        return true;
    };

    if (replaceText) {
        const int at = FindReplacement(in.c_str());
        // An empty with text would erase what was typed.
        if (at >= 0 && in == replacements_[static_cast<std::size_t>(at)].replace &&
            replacements_[static_cast<std::size_t>(at)].with[0] != 0)
            return deliver(replacements_[static_cast<std::size_t>(at)].with);
    }

    auto alpha = [this](char c) { return chars_.IsAlpha(static_cast<unsigned char>(c)); };
    const auto first = std::find_if(in.begin(), in.end(), alpha);
    if (first == in.end())
        return false;
    const auto last = std::find_if(in.rbegin(), in.rend(), alpha).base();
    const std::string prefix(in.begin(), first);
    const std::string suffix(last, in.end());
    std::string word(first, last);
    bool corrected = false;

    auto isLower = [this](char c) { return chars_.IsLower(static_cast<unsigned char>(c)); };
    auto isUpper = [this](char c) { return chars_.IsUpper(static_cast<unsigned char>(c)); };

    if (correctCapsLock && capsLock_ && capsLock_->IsOn() && word.size() >= 2 && isLower(word[0]) &&
        std::none_of(word.begin() + 1, word.end(), isLower)) {
        word[0] = static_cast<char>(chars_.ToUpper(static_cast<unsigned char>(word[0])));
        for (std::size_t i = 1; i < word.size(); ++i)
            word[i] = static_cast<char>(chars_.ToLower(static_cast<unsigned char>(word[i])));
        capsLock_->SwitchOff();
        corrected = true;
    }

    if (correctTwoInitCaps && word.size() > 2 && isUpper(word[0]) && isUpper(word[1]) &&
        std::none_of(word.begin() + 2, word.end(), isUpper)) {
        word[1] = static_cast<char>(chars_.ToLower(static_cast<unsigned char>(word[1])));
        corrected = true;
    }

    if (replaceText && ReplaceWord(word))
        corrected = true;

    return corrected && deliver(prefix + word + suffix);
}

bool TAutoCorrect::IsException(const char* token) const
{
    const char* p = token ? token : "";
    if (dontCapAfterNumber) {
        // A token made of digits and full stops ("1.", "12.3.") is a number, not a sentence's end.
        const char* q = p;
        while ((*q >= '0' && *q <= '9') || *q == '.')
            ++q;
        if (*q == 0)
            return true;
    }
    if (std::strlen(p) > kMaxException)
        return false;
    return FindException(p) >= 0;
}

void TAutoCorrect::InsertReplacement(const char* replace, const char* with)
{
    TAutoCorrectReplaceElement e;
    CutKey(e.replace, replace, sizeof e.replace);
    if (!e.replace[0])
        return;
    CopyCut(e.with, with, sizeof e.with);
    const std::size_t at = LowerBound(replacements_, e.replace, chars_, ReplaceOf);
    if (at < replacements_.size() && chars_.CompareNoCase(replacements_[at].replace, e.replace) == 0) {
        replacements_[at] = e;
        return;
    }
    replacements_.insert(replacements_.begin() + static_cast<std::ptrdiff_t>(at), e);
}

void TAutoCorrect::InsertException(const char* text)
{
    TAutoCorrectExceptionElement e;
    CutKey(e.text, text, sizeof e.text);
    if (!e.text[0])
        return;
    const std::size_t at = LowerBound(exceptions_, e.text, chars_, TextOf);
    if (at < exceptions_.size() && chars_.CompareNoCase(exceptions_[at].text, e.text) == 0)
        return;
    exceptions_.insert(exceptions_.begin() + static_cast<std::ptrdiff_t>(at), e);
}

bool TAutoCorrect::AddReplacement(const char* replace, const char* with)
{
    if (!replace || !with || !*replace || !*with)
        return false;
    char cut[32];
    CutKey(cut, replace, sizeof cut);
    if (!cut[0] || (FindReplacement(cut) < 0  && replacements_.size() >= kMaxElements))
        return false;
    InsertReplacement(cut, with);
    listsChanged = true;
    return true;
}

bool TAutoCorrect::RemoveReplacement(const char* replace)
{
    const int at = FindReplacement(replace);
    if (at < 0)
        return false;
    replacements_.erase(replacements_.begin() + at);
    listsChanged = true;
    return true;
}

bool TAutoCorrect::AddException(const char* text)
{
    if (!text || !*text)
        return false;
    char cut[16];
    CutKey(cut, text, sizeof cut);
    if (!cut[0])
        return false;
    if (FindException(cut) >= 0)
        return true;
    if (exceptions_.size() >= kMaxElements)
        return false;
    InsertException(cut);
    listsChanged = true;
    return true;
}

bool TAutoCorrect::RemoveException(const char* text)
{
    const int at = FindException(text);
    if (at < 0)
        return false;
    exceptions_.erase(exceptions_.begin() + at);
    listsChanged = true;
    return true;
}

void TAutoCorrect::Load(const TProfile& lists, const TProfile* settings)
{
    replacements_.clear();
    exceptions_.clear();
    auto flag = [settings](const char* key) { return !settings || settings->GetFlag(kSettingsSection, key, true); };
    correctTwoInitCaps = flag("CorrectTwoInitCaps");
    capitalizeSentence = flag("CapitalizeSentence");
    dontCapAfterNumber = flag("DontCapAfterNumber");
    correctCapsLock = flag("CorrectCapsLock");
    replaceText = flag("ReplaceText");
    language = settings ? settings->GetInt(kSettingsSection, "Language", 1) : 1;

    const char* replaceSection = ReplaceSection(language);
    for (const std::string& key : KeyNames(lists, replaceSection, 16002)) {
        if (replacements_.size() >= kMaxElements)
            break;
        char with[32];
        lists.GetString(replaceSection, key.c_str(), key.c_str(), with, sizeof with);
        if (key.empty())
            continue;
        InsertReplacement(key.c_str(), with);
    }
    for (const std::string& key : KeyNames(lists, ExceptionSection(language), 4802)) {
        if (exceptions_.size() >= kMaxElements)
            break;
        if (!key.empty())
            InsertException(key.c_str());
    }
    listsChanged = false;
}

bool TAutoCorrect::SaveFlags(TProfile& settings) const
{
    bool ok = settings.WriteFlag(kSettingsSection, "CorrectTwoInitCaps", correctTwoInitCaps);
    ok = settings.WriteFlag(kSettingsSection, "CapitalizeSentence", capitalizeSentence) && ok;
    ok = settings.WriteFlag(kSettingsSection, "DontCapAfterNumber", dontCapAfterNumber) && ok;
    ok = settings.WriteFlag(kSettingsSection, "CorrectCapsLock", correctCapsLock) && ok;
    ok = settings.WriteFlag(kSettingsSection, "ReplaceText", replaceText) && ok;
    return settings.WriteInt(kSettingsSection, "Language", language) && ok;
}

bool TAutoCorrect::Save(TProfile& lists, TProfile& settings)
{
    bool ok = SaveFlags(settings);
    if (!listsChanged)
        return ok;
    const char* replaceSection = ReplaceSection(language);
    for (const std::string& key : KeyNames(lists, replaceSection, 16002))
        if (FindReplacement(key.c_str()) < 0 || key.size() > kMaxReplace)
            ok = lists.DeleteKey(replaceSection, key.c_str()) && ok;
    for (const TAutoCorrectReplaceElement& e : replacements_)
        ok = lists.WriteString(replaceSection, e.replace, e.with) && ok;
    const char* exceptionSection = ExceptionSection(language);
    for (const std::string& key : KeyNames(lists, exceptionSection, 4802))
        if (FindException(key.c_str()) < 0 || key.size() > kMaxException)
            ok = lists.DeleteKey(exceptionSection, key.c_str()) && ok;
    for (const TAutoCorrectExceptionElement& e : exceptions_)
        ok = lists.WriteString(exceptionSection, e.text, "") && ok;
    if (ok)
        listsChanged = false;
    return ok;
}

bool TAutoCorrect::SetLanguage(int newLanguage, TProfile* lists, TProfile* settings)
{
    if (!lists || !settings) {
        language = newLanguage;
        return true;
    }
    bool ok = Save(*lists, *settings);
    listsChanged = false;
    language = newLanguage;
    ok = SaveFlags(*settings) && ok;
    Load(*lists, *settings);
    return ok;
}
