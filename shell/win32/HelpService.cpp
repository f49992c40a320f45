// The help viewers of Windows and the program's messages when a help file cannot be shown.
#include "shell/win32/HelpService.h"

#include "base/win32/ProgramFolder.h"
#include "resources/ozm/resource.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/VokMessage.h"

namespace {

// The HTML Help interface of hhctrl.ocx; declared here because the library is loaded at run time and
// no import library or header of it is needed.
using THtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHHDisplayTopic = 0x0000;
constexpr UINT kHHDisplayIndex = 0x0002;
constexpr UINT kHHKeywordLookup = 0x000D;
constexpr UINT kHHCloseAll = 0x0012;

struct THHAKLink {
    int cbStruct;
    BOOL fReserved;
    LPCSTR pszKeywords;
    LPCSTR pszUrl;
    LPCSTR pszMsgText;
    LPCSTR pszMsgTitle;
    LPCSTR pszWindow;
    BOOL fIndexOnFail;
};

// WinHelp commands.
constexpr UINT kWinHelpContext = 0x0001;
constexpr UINT kWinHelpFinder = 0x000B;
constexpr UINT kWinHelpPartialKey = 0x0105;

HMODULE gHtmlHelpLib = nullptr;
THtmlHelpFn gHtmlHelp = nullptr;
bool gHtmlHelpTried = false;

THtmlHelpFn HtmlHelpFunction()
{
    if (!gHtmlHelpTried) {
        gHtmlHelpTried = true;
        gHtmlHelpLib = LoadLibraryA("hhctrl.ocx");
        if (gHtmlHelpLib)
            gHtmlHelp = reinterpret_cast<THtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(gHtmlHelpLib, "HtmlHelpA")));
    }
    return gHtmlHelp;
}

TWindowsHelp gSystemHelp;
THelpEngine* gEngine = nullptr;
std::string gHelpFile;

THelpDesk Desk()
{
    return THelpDesk(MainHelpFile());
}

void Report(HWND owner, THelpResult result, const std::string& file)
{
    if (result == THelpResult::Missing)
        VokMessage(owner, IDS_HELPMISSING, file.c_str(), MB_OK | MB_ICONEXCLAMATION);
    else if (result == THelpResult::Failed)
        VokMessage(owner, IDS_HELPFAILED, file.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

bool TWindowsHelp::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWindowsHelp::Open(void* owner, const THelpRequest& request)
{
    HWND hwnd = static_cast<HWND>(owner);
    if (request.viewer == THelpViewer::WinHelp) {
        switch (request.call) {
        case THelpCall::Contents: return WinHelpA(hwnd, request.file.c_str(), kWinHelpFinder, 0) != FALSE;
        case THelpCall::Context:
            return WinHelpA(hwnd, request.file.c_str(), kWinHelpContext, request.context) != FALSE;
        case THelpCall::Keyword:
            return WinHelpA(hwnd, request.file.c_str(), kWinHelpPartialKey,
                            reinterpret_cast<ULONG_PTR>(request.keyword.c_str())) != FALSE;
        }
        return false;
    }
    THtmlHelpFn htmlHelp = HtmlHelpFunction();
    if (!htmlHelp)
        return false;
    const char* file = request.file.c_str();
    switch (request.call) {
    case THelpCall::Contents: return htmlHelp(hwnd, file, kHHDisplayTopic, 0) != nullptr;
    case THelpCall::Context: {
        // "file>window" opens the topic in the named window of the file's project.
        const std::size_t window = request.file.find('>');
        const std::string url = request.file.substr(0, window) + "::/" + HelpTopicPage(request.context) +
                                (window == std::string::npos ? "" : request.file.substr(window));
        return htmlHelp(hwnd, url.c_str(), kHHDisplayTopic, 0) != nullptr;
    }
    case THelpCall::Keyword: {
        if (request.keyword.empty())
            return htmlHelp(hwnd, file, kHHDisplayIndex, reinterpret_cast<DWORD_PTR>("")) != nullptr;
        THHAKLink link{};
        link.cbStruct = sizeof link;
        link.pszKeywords = request.keyword.c_str();
        // An unknown word opens the index at the nearest entry, as WinHelp's partial key does.
        link.fIndexOnFail = TRUE;
        return htmlHelp(hwnd, file, kHHKeywordLookup, reinterpret_cast<DWORD_PTR>(&link)) != nullptr;
    }
    }
    return false;
}

void TWindowsHelp::CloseAll()
{
    if (gHtmlHelp)
        gHtmlHelp(nullptr, nullptr, kHHCloseAll, 0);
}

THelpEngine& HelpEngine()
{
    return gEngine ? *gEngine : gSystemHelp;
}

void SetHelpEngine(THelpEngine* engine)
{
    gEngine = engine;
}

void UseHelpFile(const std::string& path)
{
    gHelpFile = path;
}

std::string MainHelpFile()
{
    if (!gHelpFile.empty())
        return gHelpFile;
    return ProgramFolder() + kMainHelpName;
}

void ShowHelpContext(HWND owner, unsigned context)
{
    const THelpDesk desk = Desk();
    Report(owner, desk.Context(HelpEngine(), owner, context), desk.MainFile());
}

void ShowHelpContents(HWND owner)
{
    const THelpDesk desk = Desk();
    Report(owner, desk.Contents(HelpEngine(), owner), desk.MainFile());
}

void ShowQuickHelp(HWND owner, unsigned context)
{
    const THelpDesk desk = Desk();
    Report(owner, desk.Quick(HelpEngine(), owner, context), desk.MainFile());
}

void ShowUserHelpFile(HWND owner, const TUserHelp& help, int index)
{
    const THelpResult result = Desk().UserFile(HelpEngine(), owner, help, index);
    if (result != THelpResult::NotConfigured)
        Report(owner, result, help[index].helpFile);
}

bool ShowKeywordHelp(HWND owner, const TUserHelp& help, const std::string& word)
{
    const THelpResult result = Desk().Keyword(HelpEngine(), owner, help, word);
    if (result == THelpResult::NotConfigured)
        return false;
    Report(owner, result, help[help.Active()].helpFile);
    return true;
}
