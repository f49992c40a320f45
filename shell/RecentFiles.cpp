// The recent-file list: most-recent-first slots, their settings section and their menu texts.
#include "shell/RecentFiles.h"

#include <cstdio>
#include <cstring>

#include "base/TextTools.h"

namespace {

const char kSection[] = "LastOpened";

}  // namespace

TRecentFiles::TRecentFiles() { Clear(); }

void TRecentFiles::Clear()
{
    for (auto& slot : slots_) slot[0] = '\0';
}

void TRecentFiles::Add(const char* path)
{
    if (path == nullptr || *path == '\0') return;
    char entry[260];
    CopyCut(entry, path);
    int from = kRecentFileCount - 1;  // with no duplicate the oldest slot is the one given up
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (EqualNoCase(slots_[i], entry)) {
            from = i;
            break;
        }
    }
    for (int i = from; i > 0; --i) std::memcpy(slots_[i], slots_[i - 1], sizeof slots_[i]);
    std::memcpy(slots_[0], entry, sizeof entry);
}

void TRecentFiles::Remove(const char* path)
{
    if (path == nullptr || *path == '\0') return;
    int to = 0;
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!EqualNoCase(slots_[i], path)) {
            if (to != i) std::memcpy(slots_[to], slots_[i], sizeof slots_[i]);
            ++to;
        }
    for (; to < kRecentFileCount; ++to) slots_[to][0] = '\0';
}

const char* TRecentFiles::Slot(int n) const { return n >= 0 && n < kRecentFileCount ? slots_[n] : ""; }

int TRecentFiles::Count() const
{
    int n = 0;
    for (const auto& slot : slots_)
        if (slot[0] != '\0') ++n;
    return n;
}

void TRecentFiles::Load(const TProfile& ini)
{
    Clear();
    // Empty keys are skipped so that the list stays packed from slot 0 even in a hand-edited file.
    int to = 0;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        char key[4];
        std::snprintf(key, sizeof key, "%d", n);
        if (ini.GetString(kSection, key, "", slots_[to], sizeof slots_[to]) > 0) ++to;
    }
}

bool TRecentFiles::Save(TProfile& ini) const
{
    bool ok = true;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        char key[4];
        std::snprintf(key, sizeof key, "%d", n);
        const char* path = slots_[n - 1];
        ok = (path[0] != '\0' ? ini.WriteString(kSection, key, path) : ini.DeleteKey(kSection, key)) && ok;
    }
    return ok;
}

std::vector<TRecentMenuItem> TRecentFiles::MenuItems(const char* moreFiles) const
{
    std::vector<TRecentMenuItem> items;
    if (slots_[0][0] == '\0') return items;
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (slots_[i][0] == '\0') continue;
        std::string text = "&";
        text += static_cast<char>('1' + i);
        text += ' ';
        // An ampersand of the file name is doubled so the menu shows it instead of underlining.
        std::string name(FileNamePart(slots_[i]));
        if (name.size() > static_cast<std::size_t>(kRecentMenuNameLength)) name.resize(kRecentMenuNameLength);
        for (char c : name) {
            if (c == '&') text += '&';
            text += c;
        }
        items.push_back({kRecentFileFirstCommand + i, text});
    }
    if (Count() == kRecentFileCount)
        items.push_back({kMoreFilesCommand, moreFiles != nullptr ? moreFiles : "More Files..."});
    return items;
}
