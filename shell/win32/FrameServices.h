// What the frame supplies to its editor windows: message boxes, file dialogs, desktop places, key lookup and
// opening files.
#pragma once

#include "editor_window/win32/EditorServices.h"

// TFrameServices forwards each service to the program-wide part that owns it; it holds no state.
class TFrameServices final : public TEditorServices {
public:
    explicit TFrameServices(HINSTANCE instance) : instance_(instance) {}
    int Message(HWND owner, unsigned stringId, const char* arg, unsigned flags) override;
    bool SaveAsDialog(HWND owner, char* path, int* format, bool* backup) override;
    bool OpenDialog(HWND owner, char* path) override;
    bool SaveDialogOpen() override;
    bool DesktopFind(const char* path, TDesktopPlace* place) override;
    void DesktopStore(const char* path, const TDesktopPlace& place) override;
    unsigned LookupKey(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers) override;
    // Opens the file in the frame of FrameWindow(); nothing when there is no frame.
    void OpenByName(const char* path) override;
    // Runs the tool in the frame of FrameWindow(); nothing when there is no frame.
    void RunUserTool(int index, const TToolContext& context) override;
    // The active user help file of the program's settings.
    void KeywordHelp(HWND owner, const char* word) override;

private:
    HINSTANCE instance_;
};
