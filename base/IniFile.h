// The portable profile file: an initialisation file read and rewritten by the program itself.
#pragma once

#include <string>
#include <vector>

#include "base/Profile.h"

// TIniFile keeps the lines of one file exactly as they stand, so that a write changes only the line of
// its key and every other section, key, comment and blank line stays where the user left it. Every
// operation reads the file afresh (time stamps are too coarse on some systems to tell a change), so
// other writers of the file are always seen. A write goes to a temporary file beside the real one
// ("<name>.tmp"), which then replaces it: a failed write leaves the previous file whole and reports false.
class TIniFile : public TProfile {
public:
    explicit TIniFile(std::string path);

    const std::string& Path() const { return path_; }

    int GetString(const char* section, const char* key, const char* def, char* buffer,
                  int size) const override;
    int GetInt(const char* section, const char* key, int def) const override;
    int GetSectionNames(char* buffer, int size) const override;
    int GetKeyNames(const char* section, char* buffer, int size) const override;
    [[nodiscard]] bool DeleteKey(const char* section, const char* key) override;
    [[nodiscard]] bool DeleteSection(const char* section) override;

protected:
    [[nodiscard]] bool StoreString(const char* section, const char* key, const char* text) override;

private:
    enum class TLineKind { Other, Section, Entry };
    struct TLine {
        std::string raw;  // the line as it stands in the file, without its line end
        TLineKind kind;
        std::string name;   // section or key name, trimmed
        std::string value;  // entry value, trimmed and unquoted
    };
    static TLine ParseLine(std::string raw);
    void Refresh() const;
    // Index of the header of the first section called name, or -1.
    int FindSection(const char* name) const;
    // Index of the end of the section whose header is at index header (the next header or the end).
    int SectionEnd(int header) const;
    int FindKey(int header, const char* key) const;
    [[nodiscard]] bool Commit(std::vector<TLine> lines);

    std::string path_;
    mutable std::vector<TLine> lines_;
    // Whether the file began with a UTF-8 byte-order mark, which a rewrite keeps.
    mutable bool byteOrderMark_ = false;
    // The bytes lines_ was parsed from: a file read again with the same bytes is not parsed again (reading
    // a definitions file asks for hundreds of keys, each of which reads the file).
    mutable std::string content_;
    mutable bool parsed_ = false;
};

// Copies names into buffer as a list of NUL-terminated strings closed by an empty one, cutting it the
// way the profile functions do (see TProfile::GetSectionNames).
int CopyNameList(const std::vector<std::string>& names, char* buffer, int size);
