// The tips file "OZM.TIP": one tip a line, read round and round, with its place kept in the settings file.
#pragma once

#include <cstdio>
#include <string>

#include "base/Profile.h"

// TTipsFile owns the open tips file. It reads StartUp, FilePos and TimeStamp of section Tip: when the file
// changed since TimeStamp was written (another modification time), the tips start again from the first;
// otherwise from FilePos. Lines that begin with a blank, a tab, a line break or ";" are comments. When the
// object goes, FilePos keeps the place after the last tip shown.
class TTipsFile {
public:
    static constexpr int kMaxLine = 1000;
    enum class TState { Ok, NoFile, ReadError };

    TTipsFile(const std::string& path, TProfile& settings);
    TTipsFile(const TTipsFile&) = delete;  // owns the open file
    TTipsFile& operator=(const TTipsFile&) = delete;
    ~TTipsFile();

    TState State() const { return state_; }
    // The next tip, going back to the file's start at its end; false when a whole pass finds none.
    bool Next(std::string* tip);
    // The tip dialog appears at start-up while StartUp is 0.
    bool ShowAtStartUp() const { return startUp_ == 0; }
    void SetShowAtStartUp(bool show);

    // The modification time as the settings file keeps it: the standard date-time text, at most 25
    // characters, without its line break; "" when the file has none.
    static std::string TimeStampOf(const std::string& path);
    static bool IsComment(const char* line);

private:
    bool ReadLine(std::string* line, bool* atEnd);

    TProfile& settings_;
    std::FILE* file_ = nullptr;
    TState state_ = TState::Ok;
    int startUp_ = 0;
};
