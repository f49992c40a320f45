// AutoCorrect: the replacement and exception lists, the corrections of a typed word, and their files.
#pragma once

#include <string>
#include <vector>

#include "base/Profile.h"
#include "engine/Language.h"

struct TAutoCorrectReplaceElement {
    char replace[32];
    char with[32];
};

struct TAutoCorrectExceptionElement {
    char text[16];
};

// The keyboard's Caps Lock toggle: the window reads and clears the system's keyboard state, the batch
// program answers from its command line.
class TCapsLockState {
public:
    virtual ~TCapsLockState() = default;
    virtual bool IsOn() const = 0;
    virtual void SwitchOff() = 0;
};

// A Caps Lock held in memory (the batch program's, and the tests').
class TMemoryCapsLock final : public TCapsLockState {
public:
    explicit TMemoryCapsLock(bool on = false) : on_(on) {}
    bool IsOn() const override { return on_; }
    void SwitchOff() override { on_ = false; }
    void Set(bool on) { on_ = on; }

private:
    bool on_;
};

// TAutoCorrect is the program's one AutoCorrect object. It owns both lists, each kept sorted by the
// caseless comparison of the character services so that lookups are binary searches, and the flags.
// It links to the character services and the Caps Lock state given at construction (both outlive it);
// without a Caps Lock state Caps Lock reads as off.
class TAutoCorrect {
public:
    static constexpr int kMaxElements = 500;
    static constexpr int kMaxReplace = 31;
    static constexpr int kMaxException = 15;
    static constexpr const char* kSettingsSection = "AutoCorrect";

    explicit TAutoCorrect(const TCharServices& chars = Cp1250CharServices(), TCapsLockState* capsLock = nullptr);
    TAutoCorrect(const TAutoCorrect&) = delete;  // the dialogs and windows hold a pointer to the one object
    TAutoCorrect& operator=(const TAutoCorrect&) = delete;

    // The word before the cursor with its punctuation; the result goes to buffer only when it fits.
    bool Correct(const char* word, char* buffer, int size);
    // Whether no sentence starts after token (an abbreviation, or a number with DontCapAfterNumber).
    bool IsException(const char* token) const;

    // Both lists from lists, the flags and Language from settings (the defaults without one).
    void Load(const TProfile& lists, const TProfile* settings);
    void Load(const TProfile& lists, const TProfile& settings) { Load(lists, &settings); }
    // The flags to settings; the lists to lists only when they changed. False when a write failed.
    [[nodiscard]] bool Save(TProfile& lists, TProfile& settings);
    // Saves the lists of the current language, then loads those of the new one. Without files only the
    // language changes (and the lists stay as they are).
    [[nodiscard]] bool SetLanguage(int language, TProfile* lists, TProfile* settings);

    // The lists as the dialogs edit them. Adding to a full list is refused; adding a known replace text
    // changes its with text. Each change sets the lists-changed flag.
    bool AddReplacement(const char* replace, const char* with);
    bool RemoveReplacement(const char* replace);
    bool AddException(const char* text);
    bool RemoveException(const char* text);
    const std::vector<TAutoCorrectReplaceElement>& Replacements() const { return replacements_; }
    const std::vector<TAutoCorrectExceptionElement>& Exceptions() const { return exceptions_; }
    // Index of the element whose text equals text ignoring case, or -1.
    int FindReplacement(const char* text) const;
    int FindException(const char* text) const;

    // The section names of a language: 1 English, 2 Croatian, anything else Other.
    static const char* ReplaceSection(int language);
    static const char* ExceptionSection(int language);

    int language = 1;
    bool correctTwoInitCaps = true;
    bool capitalizeSentence = true;
    bool correctCapsLock = true;
    bool replaceText = true;
    bool dontCapAfterNumber = true;
    bool listsChanged = false;

private:
    bool HasUpper(const std::string& s) const;
    bool HasLower(const std::string& s) const;
    bool IsCapitalized(const std::string& s) const;
    void Upper(std::string& s) const;
    // Step 6: the with text to use for the typed word t, or false.
    bool ReplaceWord(std::string& t) const;
    void InsertReplacement(const char* replace, const char* with);
    void InsertException(const char* text);
    [[nodiscard]] bool SaveFlags(TProfile& settings) const;

    const TCharServices& chars_;
    TCapsLockState* capsLock_;
    std::vector<TAutoCorrectReplaceElement> replacements_;
    std::vector<TAutoCorrectExceptionElement> exceptions_;
};
