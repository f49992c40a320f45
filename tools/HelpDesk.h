// Where every request for help goes: the program's own compiled HTML help file and the user's help files
// of the Help menu, each opened by the viewer its file type needs.
#pragma once

#include <string>

#include "tools/UserHelp.h"

// HTML Help opens ".chm" files, the older WinHelp viewer everything else.
enum class THelpViewer { HtmlHelp, WinHelp };
// Contents of a file, one topic by its context number, or the best partial match for a keyword.
enum class THelpCall { Contents, Context, Keyword };

struct THelpRequest {
    THelpViewer viewer = THelpViewer::HtmlHelp;
    std::string file;  // for the secondary window the path is followed by ">QuickHlp"
    THelpCall call = THelpCall::Contents;
    unsigned context = 0;
    std::string keyword;
};

// The system's help viewers. The program uses the real ones; tests record what is asked.
class THelpEngine {
public:
    virtual ~THelpEngine() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // owner is the window the viewer belongs to (an HWND on Windows).
    virtual bool Open(void* owner, const THelpRequest& request) = 0;
};

enum class THelpResult {
    Shown,
    Missing,        // the help file is not there
    Failed,         // the viewer could not be started or refused the file
    NotConfigured,  // no user help file for this request
};

inline constexpr const char* kQuickHelpWindow = "QuickHlp";

THelpViewer ViewerFor(const std::string& path);

// The page of the program's compiled help that holds the topic of a help context. The help project maps
// every context to its page in [MAP] and [ALIAS] too, but the help compiler in use records those pages
// under the folder it compiled in, where no viewer finds them; the program opens the page by name.
std::string HelpTopicPage(unsigned context);

// THelpDesk turns the program's help requests into viewer calls on one main help file.
class THelpDesk {
public:
    explicit THelpDesk(std::string mainFile) : mainFile_(std::move(mainFile)) {}
    const std::string& MainFile() const { return mainFile_; }

    THelpResult Contents(THelpEngine& engine, void* owner) const;
    THelpResult Context(THelpEngine& engine, void* owner, unsigned context) const;
    // A topic in the small secondary window (the argument macros beside the Tools dialog).
    THelpResult Quick(THelpEngine& engine, void* owner, unsigned context) const;
    // Contents of user entry index (0..4) when it is in use.
    THelpResult UserFile(THelpEngine& engine, void* owner, const TUserHelp& help, int index) const;
    // The active user entry's file at the best match for word; an empty word opens its keyword index.
    THelpResult Keyword(THelpEngine& engine, void* owner, const TUserHelp& help, const std::string& word) const;

private:
    THelpResult Ask(THelpEngine& engine, void* owner, const THelpRequest& request,
                    const std::string& checkedFile) const;
    std::string mainFile_;
};
