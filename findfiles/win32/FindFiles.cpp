// The Find Files dialogs and the system's side of the search.
#include "findfiles/win32/FindFiles.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "FindFilesIds.h"
#include "base/TextTools.h"
#include "base/win32/Dialog.h"

namespace {

constexpr UINT kStartSearch = WM_USER + 21;
constexpr int kMaxDriveBoxes = 6;

std::string WithBackslash(std::string dir)
{
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/' && dir.back() != ':')
        dir += '\\';
    else if (dir.size() == 2 && dir[1] == ':')
        dir += '\\';
    return dir;
}

// The label shows the directory without its backslash, except a drive's root.
std::string DirectoryLabel(const std::string& dir)
{
    if (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/'))
        return dir.substr(0, dir.size() - 1);
    return dir;
}

std::string CurrentDirectory()
{
    char dir[MAX_PATH] = "";
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    return n > 0 && n < sizeof dir ? std::string(dir, n) : std::string();
}

bool DriveUsable(char letter, bool removableToo, bool networkToo)
{
    char root[4] = {letter, ':', '\\', '\0'};
    UINT type = GetDriveTypeA(root);
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR)
        return false;
    if (type == DRIVE_REMOVABLE && !removableToo)
        return false;
    return type != DRIVE_REMOTE || networkToo;
}

// Pumps the queue without waiting; false once the program is quitting.
bool ServeMessages(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

// ---- Find Files. ---------------------------------------------------------------------------------------

class TFindFileDlg : public TDialog {
public:
    TFindFileDlg(TFindFilesParams& params, std::string* searchDir, std::string* pattern, std::string* text)
        : TDialog(params.instance, params.findTemplate), p_(params), searchDir_(*searchDir), pattern_(*pattern),
          text_(*text)
    {
    }

protected:
    bool OnInit() override
    {
        SendDlgItemMessageA(Handle(), IDC_FF_PATTERN, EM_LIMITTEXT, 79, 0);
        SendDlgItemMessageA(Handle(), IDC_FF_TEXT, EM_LIMITTEXT, 79, 0);
        SetItemText(IDC_FF_PATTERN, pattern_);
        SetItemText(IDC_FF_DIR, DirectoryLabel(searchDir_));
        SetItemText(IDC_FF_TEXT, text_);
        CheckDlgButton(Handle(), IDC_FF_IGNORECASE, (p_.options & kFindIgnoreCase) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Handle(), IDC_FF_QUESTION, (p_.options & kFindQuestionAny) ? BST_CHECKED : BST_UNCHECKED);
        int scope = p_.scope >= 1 && p_.scope <= 6 ? p_.scope : 3;
        CheckRadioButton(Handle(), IDC_FF_SCOPE1, IDC_FF_SCOPE6, IDC_FF_SCOPE1 + scope - 1);
        int box = 0;
        for (char letter = 'C'; letter <= 'Z' && box < kMaxDriveBoxes; ++letter) {
            if (!DriveUsable(letter, false, true))
                continue;
            char label[4] = {letter, ':', '\0', '\0'};
            letters_[box] = letter;
            SetItemText(IDC_FF_DRIVE1 + box, label);
            bool ticked = std::strchr(p_.drives, letter) != nullptr;
            CheckDlgButton(Handle(), IDC_FF_DRIVE1 + box, ticked ? BST_CHECKED : BST_UNCHECKED);
            ++box;
        }
        for (; box < kMaxDriveBoxes; ++box)
            ShowWindow(Item(IDC_FF_DRIVE1 + box), SW_HIDE);
        if (!p_.help)
            ShowWindow(Item(IDC_FF_HELP), SW_HIDE);
        if (!p_.changeDirectory)
            ShowWindow(Item(IDC_FF_EDITDIR), SW_HIDE);
        return true;
    }

    bool OnCommand(int id, int) override
    {
        if (id == IDC_FF_EDITDIR && p_.changeDirectory) {
            std::string dir = searchDir_;
            if (p_.changeDirectory(Handle(), &dir) && !dir.empty()) {
                searchDir_ = WithBackslash(dir);
                SetItemText(IDC_FF_DIR, DirectoryLabel(searchDir_));
            }
            return true;
        }
        if (id == IDC_FF_HELP && p_.help) {
            p_.help(Handle());
            return true;
        }
        return false;
    }

    bool OnOK() override
    {
        std::string pattern = ItemText(IDC_FF_PATTERN);
        std::string dir, name;
        SplitFilePattern(pattern, &dir, &name);
        if (!dir.empty()) {
            searchDir_ = WithBackslash(dir);
            pattern = name;
        }
        pattern_ = pattern.empty() ? "*.*" : pattern;
        text_ = ItemText(IDC_FF_TEXT);
        CopyCut(p_.pattern, pattern_.c_str());
        CopyCut(p_.text, text_.c_str());
        p_.options = (IsDlgButtonChecked(Handle(), IDC_FF_IGNORECASE) == BST_CHECKED ? kFindIgnoreCase : 0) |
                     (IsDlgButtonChecked(Handle(), IDC_FF_QUESTION) == BST_CHECKED ? kFindQuestionAny : 0);
        for (int s = 0; s < 6; ++s)
            if (IsDlgButtonChecked(Handle(), IDC_FF_SCOPE1 + s) == BST_CHECKED)
                p_.scope = s + 1;
        std::string drives;
        for (int box = 0; box < kMaxDriveBoxes; ++box)
            if (letters_[box] && IsDlgButtonChecked(Handle(), IDC_FF_DRIVE1 + box) == BST_CHECKED)
                drives += letters_[box];
        CopyCut(p_.drives, drives.c_str());
        return true;
    }

private:
    TFindFilesParams& p_;
    std::string& searchDir_;
    std::string& pattern_;
    std::string& text_;
    char letters_[kMaxDriveBoxes] = {};
};

// ---- Search Results. -----------------------------------------------------------------------------------

constexpr INT_PTR kFindAgain = 100;

class TSearchResultDlg : public TDialog {
public:
    TSearchResultDlg(TFindFilesParams& params, const std::vector<TFoundFile>& found)
        : TDialog(params.instance, params.resultsTemplate), p_(params), found_(found)
    {
    }

protected:
    bool OnInit() override
    {
        char count[64];
        std::snprintf(count, sizeof count, "%u file(s) found.", static_cast<unsigned>(found_.size()));
        SetItemText(IDC_FR_COUNT, count);
        HWND list = Item(IDC_FR_LIST);
        int widest = 0;
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
        for (std::size_t i = 0; i < found_.size(); ++i) {
            const std::string& path = found_[i].path;
            LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
            if (at >= 0)
                SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
            SIZE size;
            if (GetTextExtentPoint32A(dc, path.c_str(), static_cast<int>(path.size()), &size) && size.cx > widest)
                widest = size.cx;
        }
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        return true;
    }

    bool OnCommand(int id, int code) override
    {
        if (id == IDC_FR_LIST && code == LBN_DBLCLK) {
            if (OnOK())
                EndDialog(Handle(), IDOK);
            return true;
        }
        if (id == IDC_FR_INFO) {
            ShowInfo();
            return true;
        }
        if (id == IDC_FR_FIND) {
            EndDialog(Handle(), kFindAgain);
            return true;
        }
        return false;
    }

    bool OnOK() override
    {
        const TFoundFile* f = Selected();
        if (!f)
            return false;
        if (f->path.size() >= sizeof p_.result) {
            // A path that does not fit ends the dialog without a result.
            EndDialog(Handle(), IDCANCEL);
            return false;
        }
        CopyCut(p_.result, f->path.c_str());
        return true;
    }

private:
    const TFoundFile* Selected() const
    {
        HWND list = Item(IDC_FR_LIST);
        LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (at < 0)
            return nullptr;
        auto index = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
        return index < found_.size() ? &found_[index] : nullptr;
    }

    void ShowInfo()
    {
        const TFoundFile* f = Selected();
        if (!f)
            return;
        FILETIME ft;
        SYSTEMTIME st;
        char date[64] = "", time[64] = "";
        if (DosDateTimeToFileTime(f->date, f->time, &ft) && FileTimeToSystemTime(&ft, &st)) {
            GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
            GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
        }
        SetItemText(IDC_FR_DATE, std::string(date) + "  " + time);
        char size[32];
        std::snprintf(size, sizeof size, "%lu", static_cast<unsigned long>(f->size));
        SetItemText(IDC_FR_SIZE, std::string(size) + " bytes");
    }

    TFindFilesParams& p_;
    const std::vector<TFoundFile>& found_;
};

}  // namespace

// ---- Performing Search. --------------------------------------------------------------------------------

class TSearchingDlg : public TDialog {
public:
    TSearchingDlg(const TFindFilesParams& params, const std::vector<std::string>& roots, int depth)
        : TDialog(params.instance, params.searchingTemplate), p_(params), roots_(roots), depth_(depth),
          search_(params.pattern, params.text, params.options)
    {
    }
    TSearchEnd End() const { return end_; }
    const std::vector<TFoundFile>& Found() const { return search_.Found(); }

protected:
    bool OnInit() override
    {
        PostMessageA(Handle(), kStartSearch, 0, 0);
        return true;
    }
    bool CanClose() override
    {
        // Stop: the search sees the flag at its next step and ends the dialog itself.
        if (searching_) {
            stop_ = true;
            return false;
        }
        return true;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM) override
    {
        if (msg != kStartSearch)
            return false;
        Search();
        return true;
    }

private:
    bool KeepGoing()
    {
        if (!ServeMessages(Handle()))
            stop_ = true;
        return !stop_;
    }

    void Search()
    {
        // A modal dialog shows itself once its queue is first idle, which a busy search never lets happen.
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
        searching_ = true;
        TWin32DirectoryLister lister;
        search_.SetBlockCheck([this] { return KeepGoing(); });
        std::string shownDir;
        int shownCount = -1;
        end_ = search_.Run(lister, roots_, depth_, [&](const std::string& dir, const std::string& file, int found) {
            if (dir != shownDir) {
                shownDir = dir;
                SetItemText(IDC_FS_DIR, dir);
            }
            SetItemText(IDC_FS_FILE, file);
            if (found != shownCount) {
                shownCount = found;
                SetItemText(IDC_FS_COUNT, std::to_string(found));
            }
            return KeepGoing();
        });
        SetItemText(IDC_FS_COUNT, std::to_string(search_.Found().size()));
        searching_ = false;
        EndDialog(Handle(), IDOK);
    }

    const TFindFilesParams& p_;
    const std::vector<std::string>& roots_;
    int depth_;
    TFileSearch search_;
    TSearchEnd end_ = TSearchEnd::Done;
    bool searching_ = false;
    bool stop_ = false;
};

TSearchEnd RunSearchDialog(const TFindFilesParams& params, HWND owner, const std::vector<std::string>& roots,
                           int depth, std::vector<TFoundFile>* found)
{
    TSearchingDlg dialog(params, roots, depth);
    dialog.Run(owner);
    *found = dialog.Found();
    return dialog.End();
}

const char* FindFilesMessageText(int code)
{
    switch (code) {
    case kFindNoMemory: return "Not enought memory.";
    case kFindListFull: return "Unable to display entire contents in list box.";
    case kFindNothingFound: return "No files have been found which meet the specified search criteria.";
    default: return "Unknown error.";
    }
}

std::vector<std::string> FindFilesRoots(int scope, const std::string& searchDir, const char* drives, int* depth)
{
    std::vector<std::string> roots;
    *depth = kFindMaxDepth;
    auto root = [](char letter) { return std::string{letter, ':', '\\'}; };
    switch (scope) {
    case 1:
        *depth = 0;
        roots.push_back(searchDir);
        break;
    case 2: roots.push_back(searchDir); break;
    case 3:
        if (searchDir.size() > 1 && searchDir[1] == ':')
            roots.push_back(root(searchDir[0]));
        else
            roots.push_back(searchDir);
        break;
    case 4:
        for (const char* d = drives; d && *d; ++d)
            if (DriveUsable(*d, true, true))
                roots.push_back(root(*d));
        break;
    default: {
        DWORD mask = GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            char letter = static_cast<char>('A' + i);
            if ((mask & (1u << i)) && DriveUsable(letter, false, scope == 6))
                roots.push_back(root(letter));
        }
        break;
    }
    }
    return roots;
}

std::vector<TDirEntry> TWin32DirectoryLister::List(const std::string& directory)
{
    std::vector<TDirEntry> entries;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((directory + "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (std::strcmp(fd.cFileName, ".") == 0 || std::strcmp(fd.cFileName, "..") == 0)
            continue;
        TDirEntry e;
        e.name = fd.cFileName;
        e.directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = fd.nFileSizeLow;
        FILETIME local;
        WORD date = 0, time = 0;
        if (FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
            e.date = date;
            e.time = time;
        }
        entries.push_back(std::move(e));
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return entries;
}

bool FindFiles(TFindFilesParams& params)
{
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    struct TRestore {
        UINT mode;
        ~TRestore() { SetErrorMode(mode); }
    } restore{oldMode};
    auto message = [&](int code) {
        if (params.message)
            params.message(params.owner, code, FindFilesMessageText(code));
    };
    std::vector<TFoundFile> found;
    try {
        found.reserve(kFindMaxFiles);
    } catch (const std::bad_alloc&) {
        message(kFindNoMemory);
        return false;
    }
    std::string pattern = params.pattern[0] ? params.pattern : "*.*";
    std::string text = params.text;
    std::string dir, name;
    SplitFilePattern(pattern, &dir, &name);
    std::string searchDir;
    if (!dir.empty()) {
        searchDir = WithBackslash(dir);
        pattern = name;
    } else {
        searchDir = WithBackslash(params.initialDir[0] ? params.initialDir : CurrentDirectory());
    }
    for (;;) {
        TFindFileDlg criteria(params, &searchDir, &pattern, &text);
        if (criteria.Run(params.owner) != IDOK)
            return false;
        int depth = 0;
        std::vector<std::string> roots = FindFilesRoots(params.scope, searchDir, params.drives, &depth);
        TSearchEnd end = RunSearchDialog(params, params.owner, roots, depth, &found);
        if (found.empty()) {
            message(kFindNothingFound);
            return false;
        }
        if (end == TSearchEnd::Full)
            message(kFindListFull);
        TSearchResultDlg results(params, found);
        INT_PTR answer = results.Run(params.owner);
        if (answer == kFindAgain)
            continue;
        return answer == IDOK;
    }
}
