// Find Files: the criteria, the search with its progress dialog and the results, driven by a parameter
// block that the caller fills and that keeps the criteria for the next run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "findfiles/FileSearch.h"

// Message codes handed to the message callback.
enum : int { kFindNoMemory = 100, kFindListFull = 101, kFindNothingFound = 102 };

// The module's text of a message code ("Unknown error." for any other).
const char* FindFilesMessageText(int code);

struct TFindFilesParams {
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    char pattern[13] = "*.txt";  // name pattern; the dialog also takes one with a drive and directory
    char initialDir[260] = "";   // empty: the current directory
    char text[40] = "";          // the contents must hold it
    unsigned options = kFindIgnoreCase | kFindQuestionAny;
    int scope = 3;               // 1 directory, 2 subtree, 3 disk, 4 ticked drives, 5 local drives, 6 all drives
    char drives[10] = "CD";      // letters of the ticked drives
    char result[260] = "";       // the chosen file
    const char* findTemplate = "FINDFILE";
    const char* searchingTemplate = "SEARCHING";
    const char* resultsTemplate = "SEARCHRESULT";
    // Shows a message (code and text) with the exclamation icon.
    std::function<void(HWND owner, int code, const char* text)> message;
    // Help topic of a dialog; the Help button is hidden without it.
    std::function<void(HWND owner)> help;
    // Edit Dir...: a new search directory; the button is hidden without it.
    std::function<bool(HWND owner, std::string* directory)> changeDirectory;
};

// Runs the dialogs; true when a file was chosen (its path in result).
bool FindFiles(TFindFilesParams& params);

// The roots a scope searches from a search directory (ending with a backslash) and the ticked drives, and
// how many levels below them.
std::vector<std::string> FindFilesRoots(int scope, const std::string& searchDir, const char* drives, int* depth);

// Lists a directory with the system's file search.
class TWin32DirectoryLister final : public TDirectoryLister {
public:
    std::vector<TDirEntry> List(const std::string& directory) override;
    char Separator() const override { return '\\'; }
};

// The search of one run inside the Performing Search dialog, serving the message queue as it goes.
// Stop ends it at the next directory, file or block of a file.
class TSearchingDlg;
TSearchEnd RunSearchDialog(const TFindFilesParams& params, HWND owner, const std::vector<std::string>& roots,
                           int depth, std::vector<TFoundFile>* found);
