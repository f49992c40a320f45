// The macro dialogs: Record Macro, Macro, Rename and Edit Macro, over the program's macros and key map.
#pragma once

#include <string>

#include "base/win32/Dialog.h"

class TKeyMap;
class TMacroTable;

// How the key and macro dialogs show a message (text, MB_ flags) and which button was chosen: the control
// library's message box under the product name unless the program installs its own (its test mode does).
using TKeyDlgMessenger = int (*)(HWND owner, const std::string& text, unsigned flags);
void SetKeyDlgMessenger(TKeyDlgMessenger messenger);
int KeyDlgMessage(HWND owner, const std::string& text, unsigned flags);

// Texts of the dialogs' questions and refusals.
constexpr const char* kNotMappableText = "This key combination is not mappable.";
constexpr const char* kTableFullText =
    "You have already defined the maximum permitted number of key mappings for specified prefix key.";
constexpr const char* kCompileQuestionText =
    "Macro has changed. Compile?\n\nChanges will be discareded if you answer no!";
constexpr const char* kOutOfMemoryText = "Out of memory.";

// The name shown for a binding: a command's or macro's name, "(none)" for 0.
std::string BindingName(const TMacroTable& macros, unsigned command);

// TMacroRecordDlg names the macro being recorded (whose record the caller created) and may bind it to a key
// of the main table. It offers "Macro%d" with the table's next default number, taken at every opening.
class TMacroRecordDlg : public TDialog {
public:
    TMacroRecordDlg(HINSTANCE instance, TMacroTable& macros, TKeyMap& keyMap, unsigned number)
        : TDialog(instance, "MACRORECORD"), macros_(macros), keyMap_(keyMap), number_(number)
    {
    }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    // The combination the check boxes and Key combo choose, or 0 when no key is chosen.
    uint16_t ChosenKey() const;
    void ShowMapping();

    TMacroTable& macros_;
    TKeyMap& keyMap_;
    unsigned number_;
};

// TMacroRenameDlg asks for a new name of one macro and sets it on OK.
class TMacroRenameDlg : public TDialog {
public:
    TMacroRenameDlg(HINSTANCE instance, TMacroTable& macros, unsigned number)
        : TDialog(instance, "MACRORENAME"), macros_(macros), number_(number)
    {
    }

protected:
    bool OnInit() override;
    bool OnOK() override;

private:
    TMacroTable& macros_;
    unsigned number_;
};

// TMacroEditDlg shows a macro as text and compiles the edited text back on Close. The caller checks
// first with MacroEditRefusal whether the macro can be shown at all.
class TMacroEditDlg : public TDialog {
public:
    TMacroEditDlg(HINSTANCE instance, TMacroTable& macros, const TKeyMap& keyMap, unsigned number,
                  std::string text)
        : TDialog(instance, "MACROEDIT"),
          macros_(macros),
          keyMap_(keyMap),
          number_(number),
          text_(std::move(text))
    {
    }
    // True once edited text was compiled into the macro.
    bool Compiled() const { return compiled_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool CanClose() override;

private:
    void InsertCommand();
    void SelectLine(const std::string& text, int line);

    TMacroTable& macros_;
    const TKeyMap& keyMap_;
    unsigned number_;
    std::string text_;
    bool compiled_ = false;
};

// Why a macro cannot be opened in the Edit Macro dialog ("" when it can), and its text when it can.
std::string MacroEditRefusal(const TMacroTable& macros, unsigned number, std::string* text);
// Runs the Edit Macro dialog for a macro, or shows why it cannot; true when the macro was compiled.
bool EditMacro(HINSTANCE instance, HWND owner, TMacroTable& macros, const TKeyMap& keyMap, unsigned number);

// TMacroDlg lists the macros with their keys and description. Run and Record close it and leave the action
// to the caller; Edit, Delete and Rename act at once.
class TMacroDlg : public TDialog {
public:
    enum class TAction { None, Run, Record };
    TMacroDlg(HINSTANCE instance, TMacroTable& macros, TKeyMap& keyMap)
        : TDialog(instance, "MACRO"), macros_(macros), keyMap_(keyMap)
    {
    }
    TAction Action() const { return action_; }
    // The macro to run.
    unsigned Chosen() const { return chosen_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    void Fill(unsigned select);
    unsigned Selected() const;
    void ShowSelected();

    TMacroTable& macros_;
    TKeyMap& keyMap_;
    TAction action_ = TAction::None;
    unsigned chosen_ = 0;
    bool filling_ = false;
};
