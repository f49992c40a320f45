// What an editor window needs from the program around it: messages, dialogs, the desktop list, the key map,
// and opening another file.
#pragma once

#include <windows.h>

#include <cstdint>

#include "keys/KeyCodes.h"
#include "tools/ToolArguments.h"

// A remembered window of the desktop list: cursor, rectangle in the frame's client coordinates, show state.
struct TDesktopPlace {
    int16_t col = 0;
    int32_t line = 0;
    int left = 0, top = 0, width = 0, height = 0;
    int show = 1;  // 1 normal, 2 minimised, 3 maximised
};

// The frame supplies one of these to every editor window; tests supply a scripted one.
class TEditorServices {
public:
    virtual ~TEditorServices() = default;
    // Shows string stringId (with %s replaced by arg when given) in the program's message box; returns the
    // button chosen (IDOK, IDYES, IDNO, IDCANCEL).
    virtual int Message(HWND owner, unsigned stringId, const char* arg, unsigned flags) = 0;
    // The Save As dialog: path (260 bytes) preset and returned, format 0..2 and the backup choice.
    virtual bool SaveAsDialog(HWND owner, char* path, int* format, bool* backup) = 0;
    // The Open dialog for inserting a file; path (260 bytes) returned.
    virtual bool OpenDialog(HWND owner, char* path) = 0;
    // True while the program's save dialog is open.
    virtual bool SaveDialogOpen() = 0;
    virtual bool DesktopFind(const char* path, TDesktopPlace* place) = 0;
    virtual void DesktopStore(const char* path, const TDesktopPlace& place) = 0;
    // The binding of a key message with the window's prefix state (which the lookup updates): an editor
    // command, a macro number 1000..1049, or 0 for none. Modifiers: kKeyShift, kKeyCtrl, kKeyAlt.
    virtual unsigned LookupKey(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers) = 0;
    // Opens path (260 bytes at most) as the frame's File Open does: an already open file's window is
    // activated, any other file gets a new window.
    virtual void OpenByName(const char* path) = 0;
    // Runs user tool index (0..8) for the document the context describes.
    virtual void RunUserTool(int /*index*/, const TToolContext& /*context*/) {}
    // Looks word (empty when the cursor is on no word) up in the user's keyword help file.
    virtual void KeywordHelp(HWND /*owner*/, const char* /*word*/) {}
    // The frame's context-help mode (What Is).
    virtual bool HelpMode() { return false; }
    virtual void EndHelpMode(unsigned /*helpTopic*/) {}
};

// The services in force; the frame installs its own at start-up.
void SetEditorServices(TEditorServices* services);
TEditorServices* EditorServices();

