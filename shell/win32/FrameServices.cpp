// What the frame supplies to its editor windows: message boxes, file dialogs, desktop places, key lookup and
// opening files.
#include "shell/win32/FrameServices.h"

#include "shell/Settings.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/HelpService.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/ToolRunner.h"
#include "shell/win32/VokMessage.h"

int TFrameServices::Message(HWND owner, unsigned stringId, const char* arg, unsigned flags)
{
    return VokMessage(owner, stringId, arg, flags);
}

bool TFrameServices::SaveAsDialog(HWND owner, char* path, int* format, bool* backup)
{
    return SaveAsFileDialog(instance_, owner, path, 260, format, backup);
}

bool TFrameServices::OpenDialog(HWND owner, char* path)
{
    return OpenFileDialog(instance_, owner, path, 260, false);
}

bool TFrameServices::SaveDialogOpen()
{
    return SaveAsDialogOpen();
}

bool TFrameServices::DesktopFind(const char* path, TDesktopPlace* place)
{
    return ::DesktopFind(path, place);
}

void TFrameServices::DesktopStore(const char* path, const TDesktopPlace& place)
{
    // A window with a file name that closes is remembered on the desktop and among the recent files.
    ::DesktopStore(path, place);
    RecentFileAdd(path);
}

unsigned TFrameServices::LookupKey(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers)
{
    return LookupKeyBinding(keyState, kind, code, modifiers);
}

void TFrameServices::RunUserTool(int index, const TToolContext& context)
{
    if (HWND frame = FrameWindow())
        ::RunUserTool(frame, instance_, index, context);
}

void TFrameServices::KeywordHelp(HWND owner, const char* word)
{
    // The menu item is gray without a keyword file, but Ctrl+F1 and the right button still arrive: a beep
    // says there is nothing to search.
    if (!ShowKeywordHelp(owner, ProgramSettings().userHelp, word ? word : ""))
        MessageBeep(MB_OK);
}

void TFrameServices::OpenByName(const char* path)
{
    TMainWindow* frame = TMainWindow::FromHandle(FrameWindow());
    if (!frame)
        return;
    // The editor calls from a hook that lets no exception out: a file that could not be opened for lack of
    // memory is reported here, as the frame's own commands are.
    try {
        frame->OpenByName(path);
    } catch (...) {
        VokMessage(frame->Handle(), 15100, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}
