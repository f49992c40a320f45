// The Key Mapping and Prefix Keys dialogs: binding keys and two-stroke sequences to commands and macros,
// and saving, loading and resetting the keymap file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win32/Dialog.h"

class TKeyMap;
class TMacroTable;

// Questions of the Key Mapping dialogs, as the user reads them.
constexpr const char* kResetQuestionText =
    "Are you sure you want to reset the key assigments?\nThis action will remove all macros in %s.";
constexpr const char* kResetAgainText = "Are you realy sure?";
constexpr const char* kDeletePrefixText = "Delete prefix key. Are you sure?";

// Asks for a keymap file to save to (save) or load from; path in/out. The program's own is the system's
// file dialog; tests put theirs in.
using TKeymapFileChooser = bool (*)(HINSTANCE instance, HWND owner, bool save, std::string* path);
void SetKeymapFileChooser(TKeymapFileChooser chooser);

// TKeyMappingPrefixDlg adds and deletes prefix keys of the key map.
class TKeyMappingPrefixDlg : public TDialog {
public:
    TKeyMappingPrefixDlg(HINSTANCE instance, TKeyMap& keyMap, const TMacroTable& macros)
        : TDialog(instance, "KEYMAPPINGPREFIX"), keyMap_(keyMap), macros_(macros)
    {
    }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    void FillList();
    void ShowMapping();

    TKeyMap& keyMap_;
    const TMacroTable& macros_;
};

// TKeyMappingDlg edits the program's key map: a combination (or a prefix key and a key) bound to the
// command or macro chosen in the list, the bindings of that command, and the keymap file. Files go through
// shell/win32/KeyMapping.h: the file in use beside the program.
class TKeyMappingDlg : public TDialog {
public:
    TKeyMappingDlg(HINSTANCE instance, TKeyMap& keyMap, TMacroTable& macros)
        : TDialog(instance, "KEYMAPPING"), instance_(instance), keyMap_(keyMap), macros_(macros)
    {
    }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    void FillPrefixes();
    void FillList();
    // The prefix value chosen in the Prefix key combo, or 0 for "(none)".
    uint16_t ChosenPrefix() const;
    // The key code the check boxes (without a prefix) and the Key combo choose.
    uint16_t ChosenKey() const;
    // The command or macro chosen in the list, or 0.
    unsigned ChosenCommand() const;
    void ShowMapping();
    void ShowCommand();
    void AddOrChange();
    void DeleteBinding();
    void SaveAs();
    void Load();
    void ResetAll();

    HINSTANCE instance_;
    TKeyMap& keyMap_;
    TMacroTable& macros_;
};
