// The main frame: the multi-document window that owns the editor windows, the bars and the editor font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/win32/EditorFont.h"
#include "shell/Settings.h"
#include "shell/win32/FrameBars.h"

class TWindowsEditor;

// TMainWindow is the frame of class "VokEditorClass": it owns the MDI client window, the editor font,
// the help cursor and the bar windows, and names, finds, opens and closes the editor children. The
// children own their documents; the frame reaches them through TWindowsEditor::FromHandle.
class TMainWindow {
public:
    static constexpr const char* kClassName = "VokEditorClass";
    static constexpr const char* kTitle = "Vok Text Editor";

    static bool Register(HINSTANCE instance);
    // Creates the frame window (hidden) and sets it up: commandLine is opened by a posted command 92.
    static TMainWindow* Create(HINSTANCE instance, const std::string& commandLine);
    static TMainWindow* FromHandle(HWND hwnd);
    // One message of the program's loop: help mode, the documents' system keys, the accelerators, then
    // translation and dispatch.
    static void DispatchLoopMessage(HWND frame, HWND client, HACCEL accel, MSG& msg);

    TMainWindow(const TMainWindow&) = delete;  // one object per window
    TMainWindow& operator=(const TMainWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND Client() const { return client_; }
    HFONT EditorFont() const { return font_.Get(); }
    unsigned UntitledCounter() const { return untitled_; }
    void SetUntitledCounter(unsigned counter) { untitled_ = counter & 0xFFFF; }
    // The program's message loop ends when the frame is destroyed (the tests keep theirs running).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

    TWindowsEditor* ActiveEditor() const;
    std::vector<TWindowsEditor*> Editors() const;
    // Command 91: activates the window of an open file (names compared without regard to case) or opens
    // the file in a new window; null when it cannot be loaded. desktopState 1, 2 or 3 shows a new window
    // normal, minimised or maximised as the desktop saved it; 0 as the first or next window is shown.
    TWindowsEditor* OpenByName(const char* path, int desktopState = 0);
    // Commands 92 and the hand-over of a second copy: opens every existing file named in text.
    void OpenCommandLine(const char* text);
    // Command 101.
    TWindowsEditor* NewDocument();
    // Command 102: the Open dialog, every chosen file opened as by command 91.
    void OpenWithDialog();
    // Import Text: the document's text in a new unnamed window, or message 15005 and no window.
    void ImportWithDialog();
    TWindowsEditor* ImportByName(const char* path);
    // Command 93: the captured output of a tool in a new untitled window "Output%d"; null when it cannot
    // be loaded.
    TWindowsEditor* OpenOutput(const char* path);
    unsigned OutputCounter() const { return output_; }
    // Files dropped on the frame: at most 30 are opened.
    void DropFiles(HDROP drop);
    // Asks every editor window whether it may close, then about changed key mappings.
    bool CanClose();
    // Command 601.
    void ChooseEditorFont();
    void SetScreenFont(const char* face);
    // Hands a new editor font to every editor window.
    void ApplyFont();
    // Shows the active document's line, column, character, lines, modified flag, mode and format.
    void UpdateStatusBar();
    // "Vok Text Editor", followed by " - [NAME]" while the active document is maximised.
    void UpdateTitle();
    // Drops a tool-bar button's hint from the status bar; unless always, only when the pointer has left the bar.
    void DropToolHint(bool always);
    const TStatBar& StatusBar() const { return statusBar_; }

    // ---- Menus and help mode (FrameMenus.cpp).
    // Sets the menu bar's items for the active document and the settings; nothing while minimised.
    void UpdateMenus();
    bool DocumentMaximised() const;
    bool HelpMode() const { return helpMode_; }
    void EnterHelpMode();
    void LeaveHelpMode();
    // The message loop's first look at a message: in help mode keys are swallowed and Escape leaves it.
    bool PreTranslateMessage(const MSG& msg);
    // The help context last asked for, as handed to ShowHelpContext.
    unsigned LastHelpContext() const { return lastHelpContext_; }
    const TBtnBar& ToolBar() const { return toolBar_; }

private:
    explicit TMainWindow(HINSTANCE instance) : instance_(instance) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void SetUp();
    void OnSize(int cx, int cy);
    void OnCommand(int id, int code, LPARAM lParam);
    void OnEditorNotify(int code);
    bool ForwardToEditor(int id);
    bool TranslateForEditor(int id);
    unsigned ChooseTransform(int id, bool selection);
    void ToggleFlag(TImmediateFlag flag);
    void OnInitMenuPopup(HMENU popup, bool systemMenu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnMenuHelpKey();
    void OnHelpClick(int hitTest);
    void ShowCommandHelp(int id);
    void ShowHelpFor(unsigned context);
    void CloseAll();
    void EditEditorOptions();
    void OnDestroy();
    void PopupMenu(const char* name);
    std::string ProgramDir() const;

    // ---- The bars: the tool bar (id 70) above the client area, the status bar (id 71) below it; a bar
    // that is hidden or could not be made takes no room.
    void CreateBars();
    void OnToolBarNotify(int code);
    void Relayout();
    int ToolBarHeight() const;
    int StatusBarHeight() const;

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND client_ = nullptr;
    TBtnBar toolBar_;
    TStatBar statusBar_;
    HCURSOR helpCursor_ = nullptr;  // a resource cursor: shared, never destroyed
    TEditorFont font_;
    unsigned untitled_ = 1;
    unsigned output_ = 1;  // the number of the next output window, for the life of the program
    std::string commandLine_;
    bool quitOnDestroy_ = false;
    bool fontResourceAdded_ = false;
    bool helpMode_ = false;
    bool toolHint_ = false;  // the status bar shows the hint of a tool-bar button
    unsigned pendingHelp_ = 0;
    unsigned lastHelpContext_ = 0;
};

// Command 555: activates the running calculator, or starts "VCALC.EXE", the one "vcalc.ini" names, or
// "CALC.EXE", in that order.
// When neither starts, a message gives the system's reason.
void StartCalculator();
// The two program names StartCalculator tries (tests give names that cannot start).
void SetCalculatorPrograms(const char* first, const char* fallback);

// The window handle of the frame, set when the frame is set up.
HWND FrameWindow();
