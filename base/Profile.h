// The profile-file services every settings table reads and writes through ("ozm.ini", "vok.ini", ...).
#pragma once

#include <string>

// TProfile is one initialisation file of sections and keys, with the semantics of the Windows private
// profile functions: section and key names compare without regard to letter case and lose surrounding
// blanks, values lose surrounding blanks and one pair of enclosing quotes, strings are cut to the
// caller's buffer, and a missing file reads as empty. The Windows build implements it with the system's
// own functions (TWin32Profile); the portable TIniFile behaves the same.
//
// Writing goes through WriteString, which protects values so that what is written reads back unchanged:
// a value the reader would trim or unquote is written inside one extra pair of double quotes, and a line
// break ends the value. Keys that could not be read back ('=', line breaks, a leading '[' or ';', empty)
// are refused.
class TProfile {
public:
    TProfile() = default;
    TProfile(const TProfile&) = delete;  // names one file; copies would only alias it
    TProfile& operator=(const TProfile&) = delete;
    virtual ~TProfile() = default;

    // Copies the value of section/key into buffer (at most size - 1 characters, always NUL-terminated
    // when size > 0); a missing key gives def (nullptr reads as "") without its trailing blanks. Answers
    // the number of characters copied.
    virtual int GetString(const char* section, const char* key, const char* def, char* buffer,
                          int size) const = 0;
    // The decimal value of section/key (optional sign, leading blanks); def when the key is missing or
    // empty, 0 when it holds no digits.
    virtual int GetInt(const char* section, const char* key, int def) const = 0;
    // The names of all sections, or of all keys of one section, each NUL-terminated, with an empty name
    // after the last. When they do not fit the list is cut, closed by two NULs, and size - 2 is answered;
    // otherwise the length without the final NUL.
    virtual int GetSectionNames(char* buffer, int size) const = 0;
    virtual int GetKeyNames(const char* section, char* buffer, int size) const = 0;

    // Writes value under section/key, keeping every other section and key where it was.
    [[nodiscard]] bool WriteString(const char* section, const char* key, const char* value);
    [[nodiscard]] virtual bool DeleteKey(const char* section, const char* key) = 0;
    [[nodiscard]] virtual bool DeleteSection(const char* section) = 0;

    // Convenience forms of the conventions of the settings file: flags keep only bit 0, numbers are
    // written as "%d".
    bool GetFlag(const char* section, const char* key, bool def) const;
    [[nodiscard]] bool WriteInt(const char* section, const char* key, int value);
    [[nodiscard]] bool WriteFlag(const char* section, const char* key, bool value);
    std::string GetText(const char* section, const char* key, const char* def, int size) const;

    // Whether a key name survives a write and a read unchanged.
    static bool IsWritableKey(const char* key);
    // The text actually stored for value: value itself, or value in an extra pair of quotes.
    static std::string ProtectValue(const char* value);

protected:
    // Stores text exactly as given; key and section are already checked.
    [[nodiscard]] virtual bool StoreString(const char* section, const char* key, const char* text) = 0;
};

// The characters a profile file trims around section names, key names and values: the blanks, and
// Ctrl-Z, which ends old DOS text files and which the system's profile functions treat as white space.
// The reader trims exactly these and the writer protects values that begin or end with one of them.
bool IsProfileBlank(char c);

// Parses the decimal number at the start of text the way the profile functions do (leading blanks and
// other control characters, an optional sign, digits; arithmetic wraps at 32 bits). Answers false when
// there are no digits.
bool ParseProfileInt(const char* text, int& value);
