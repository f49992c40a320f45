// The tips file "OZM.TIP": one tip a line, read round and round, with its place kept in the settings file.
#include "shell/TipsFile.h"

#include <sys/stat.h>

#include <ctime>

namespace {
constexpr const char* kSection = "Tip";
constexpr int kStampChars = 25;
}  // namespace

TTipsFile::TTipsFile(const std::string& path, TProfile& settings) : settings_(settings)
{
    startUp_ = settings_.GetInt(kSection, "StartUp", 0);
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        state_ = TState::NoFile;
        return;
    }
    const std::string stamp = TimeStampOf(path);
    long pos = settings_.GetInt(kSection, "FilePos", 0);
    if (stamp != settings_.GetText(kSection, "TimeStamp", "", kStampChars + 1)) {
        (void)settings_.WriteString(kSection, "TimeStamp", stamp.c_str());
        pos = 0;
    }
    if (pos < 0 || std::fseek(file_, pos, SEEK_SET) != 0)
        state_ = TState::ReadError;
}

TTipsFile::~TTipsFile()
{
    if (!file_)
        return;
    const long pos = std::ftell(file_);
    if (pos >= 0)
        (void)settings_.WriteInt(kSection, "FilePos", static_cast<int>(pos));
    std::fclose(file_);
}

void TTipsFile::SetShowAtStartUp(bool show)
{
    startUp_ = show ? 0 : 1;
    (void)settings_.WriteString(kSection, "StartUp", show ? "0" : "1");
}

std::string TTipsFile::TimeStampOf(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::string();
    const std::time_t when = info.st_mtime;
    const char* text = std::ctime(&when);
    std::string stamp = text ? text : "";
    while (!stamp.empty() && (stamp.back() == '\n' || stamp.back() == '\r'))
        stamp.pop_back();
    return stamp.substr(0, kStampChars);
}

bool TTipsFile::IsComment(const char* line)
{
    const char c = line[0];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == 0;
}

// One line without its line end, cut at kMaxLine characters (the rest of a longer line is passed over, so
// that it cannot come back as a tip of its own).
bool TTipsFile::ReadLine(std::string* line, bool* atEnd)
{
    line->clear();
    int c;
    while ((c = std::fgetc(file_)) != EOF && c != '\n')
        if (static_cast<int>(line->size()) < kMaxLine)
            line->push_back(static_cast<char>(c));
    *atEnd = c == EOF;
    if (!line->empty() && line->back() == '\r')
        line->pop_back();
    return c != EOF || !line->empty();
}

bool TTipsFile::Next(std::string* tip)
{
    tip->clear();
    if (!file_)
        return false;
    // A file of comments only would go round forever: one full pass from the start without a tip ends it.
    bool wrapped = false;
    for (;;) {
        std::string line;
        bool atEnd = false;
        if (ReadLine(&line, &atEnd) && !IsComment(line.c_str())) {
            *tip = line;
            return true;
        }
        if (atEnd) {
            if (wrapped)
                return false;
            wrapped = true;
            std::clearerr(file_);
            if (std::fseek(file_, 0, SEEK_SET) != 0)
                return false;
        }
    }
}
