// The editor window's hooks for the macro dialogs: naming a recording and the Macro dialog.
#include "editor_window/win32/WindowsEditor.h"

#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "keys/win32/MacroDlgs.h"
#include "macros/MacroTable.h"

namespace {
// The dialog templates live in the module that made the window.
HINSTANCE InstanceOf(HWND hwnd)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    return instance ? instance : GetModuleHandleA(nullptr);
}
}  // namespace

bool TWindowsEditor::MacroRecordDialog() noexcept
{
    try {
        TMacroRecordDlg dialog(InstanceOf(Handle()), Macros(), ProgramKeyMap(),
                               kFirstMacroNumber + recordingSlot);
        return dialog.Run(Handle()) == IDOK;
    } catch (...) {
        return false;
    }
}

void TWindowsEditor::MacroDialog() noexcept
{
    try {
        TMacroDlg dialog(InstanceOf(Handle()), Macros(), ProgramKeyMap());
        if (dialog.Run(Handle()) != IDOK)
            return;
        if (dialog.Action() == TMacroDlg::TAction::Run)
            ExecuteCommand(dialog.Chosen(), 0);
        else if (dialog.Action() == TMacroDlg::TAction::Record)
            ExecuteCommand(cmRecordMacro, 0);
    } catch (...) {
    }
}
