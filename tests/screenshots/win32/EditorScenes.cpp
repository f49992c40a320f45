// Scenes of the editor window: two documents in a frame, and the Find and Replace dialogs over a document.
#include "screenshots/win32/Scenes.h"

#include <string>

#include "SearchIds.h"
#include "base/win32/GdiTools.h"
#include "editor_window/win32/TransformDlgs.h"
#include "editor_window/win32/WindowsEditor.h"
#include "base/ByteStream.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "keys/win32/CommandsDlg.h"
#include "keys/win32/MacroDlgs.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"
#include "search/Search.h"
#include "search/SearchState.h"
#include "shell/win32/KeyMappingDlg.h"
#include "support/win32/Win32TestSupport.h"

namespace {

LRESULT CALLBACK SceneFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    HWND client = reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, hwnd, nullptr,
                                 GetModuleHandleA(nullptr), &ccs);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

// A plain frame with an MDI client filling it; the frame owns the editor windows made in it.
class TSceneFrame {
public:
    TSceneFrame(int width, int height)
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        TWindowsEditor::Register(instance);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = SceneFrameProc;
        wc.hInstance = instance;
        wc.lpszClassName = "VokSceneFrame";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        RegisterClassA(&wc);
        frame_ = CreateWindowA("VokSceneFrame", "Vok Text Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               width, height, nullptr, nullptr, instance, nullptr);
        if (!frame_)
            return;
        client_ = reinterpret_cast<HWND>(GetWindowLongPtrA(frame_, GWLP_USERDATA));
        RECT area;
        GetClientRect(frame_, &area);
        MoveWindow(client_, 0, 0, area.right, area.bottom, TRUE);
    }
    TSceneFrame(const TSceneFrame&) = delete;  // owns the frame window
    TSceneFrame& operator=(const TSceneFrame&) = delete;
    ~TSceneFrame()
    {
        if (!frame_)
            return;
        // Nothing is saved: the documents were made up for the picture.
        for (HWND child = GetWindow(client_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (TWindowsEditor* editor = TWindowsEditor::FromHandle(child))
                editor->modified = false;
        DestroyWindow(frame_);
        PumpMessages();
    }

    HWND Frame() const { return frame_; }
    HWND Client() const { return client_; }

    // Children made after the frame was shown are not painted by Wine until asked.
    void Repaint() const
    {
        RedrawWindow(frame_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }

private:
    HWND frame_ = nullptr;
    HWND client_ = nullptr;
};

void Fill(TWindowsEditor* ed, const std::string& text)
{
    TMemInStream in(text);
    (void)ed->ReadFile(in, nullptr);
    ed->GotoPosition(0, 0, false);
}

// The search dialog scenes: the dialog's caption, whether its pattern menu is to be opened, and until when.
struct TDialogScene {
    const char* caption = "";
    bool openMenu = false;
    bool menuOpened = false;
    DWORD showUntil = 0;
};
TDialogScene gDialog;

// Opens the pattern menu under the Find field's "..." button when asked, and ends the dialog once it has
// been on the screen long enough.
void CALLBACK StepDialogScene(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA(nullptr, gDialog.caption);
    if (!box)
        return;
    if (gDialog.openMenu && !gDialog.menuOpened) {
        gDialog.menuOpened = true;
        RECT button;
        GetWindowRect(GetDlgItem(box, IDC_SRCH_FINDMENU), &button);
        SetCursorPos(button.left + 4, button.bottom);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_SRCH_FINDMENU, BN_CLICKED), 0);
        return;
    }
    if (static_cast<LONG>(GetTickCount() - gDialog.showUntil) < 0)
        return;
    EndMenu();
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

// A search dialog over an editor window in a frame as tall as the screen.
int ShowSearchDialog(DWORD ms, const char* caption, unsigned command, bool openMenu)
{
    InstallSearchCommands();
    TSceneFrame scene(900, GetSystemMetrics(SM_CYSCREEN) - 20);
    if (!scene.Frame())
        return 1;
    RECT area;
    GetClientRect(scene.Client(), &area);
    TWindowsEditor* ed = TWindowsEditor::Create(scene.Client(), "search.txt", 1, &area, false);
    if (!ed)
        return 1;
    ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
    SetFocus(ed->Handle());
    for (const char* old : {"WM_COMMAND", "ReadFile", "[0-9]+", "TWindowsEditor", "search"})
        SearchState().findHistory.Add(old);
    SearchState().replaceHistory.Add("TFindDlg");
    Fill(ed, "// The editor window's search hooks.\n#include \"editor_window/win32/WindowsEditor.h\"\n\n"
             "bool TWindowsEditor::FindDialog(TSearchRequest& request) noexcept\n{\n"
             "    TFindDlg dialog(InstanceOf(hwnd_), request);\n    return dialog.Run(hwnd_) == IDOK;\n}\n");
    ed->GotoPosition(12, 5, false);
    scene.Repaint();
    gDialog = TDialogScene{caption, openMenu, false, GetTickCount() + ms};
    UINT_PTR timer = SetTimer(nullptr, 0, 300, StepDialogScene);
    ed->ExecuteCommand(command, 0);
    KillTimer(nullptr, timer);
    return 0;
}

}  // namespace

int ShowTwoDocuments(DWORD ms)
{
    // The font outlives the windows that show in it.
    TGdiHandle<HFONT> font(
        CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New"));
    TSceneFrame scene(1024, 700);
    if (!scene.Frame())
        return 1;

    RECT left = {0, 0, 500, 640};
    TWindowsEditor* a = TWindowsEditor::Create(scene.Client(), "C:\\work\\column.c", 1, &left, false);
    RECT right = {500, 0, 1010, 640};
    TWindowsEditor* b = TWindowsEditor::Create(scene.Client(), "C:\\work\\long.txt", 2, &right, false);
    if (!a || !b)
        return 1;
    a->SetEditorFont(font.Get(), true);
    Fill(a, "#include <stdio.h>\n\nint main(void)\n{\n\tint values[] = {1, 2, 3};\n"
            "\tfor (int i = 0; i < 3; ++i)\n\t\tprintf(\"%d\\n\", values[i]);\n\treturn 0;\n}\n"
            "/* column block: */\nalpha   beta    gamma\none     two     three\nred     green   blue\n");
    a->SetSelMode(true);
    a->GotoPosition(8, 10, false);
    a->GotoPosition(14, 12, true);

    b->SetEditorFont(font.Get(), true);
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "Line " + std::to_string(i) + ": \xC8" "esto se pi\x9A" "e kva\xE8" "ica i \x9E" "uta \xF0"
                "ak.\n";
    Fill(b, text);
    b->GotoPosition(0, 120, false);
    b->GotoPosition(20, 123, true);
    b->EnsureCursorVisible();
    b->ScrollTo(4, 110);
    scene.Repaint();
    PumpMessages(ms);
    return 0;
}

// The transforms' dialogs over a short list; Fill Column Block over a column block.
int ShowTransformDialog(DWORD ms, const char* caption, unsigned command)
{
    InstallSearchCommands();
    TSceneFrame scene(900, 600);
    if (!scene.Frame())
        return 1;
    RECT area;
    GetClientRect(scene.Client(), &area);
    TWindowsEditor* ed = TWindowsEditor::Create(scene.Client(), "prices.txt", 1, &area, false);
    if (!ed)
        return 1;
    ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
    SetFocus(ed->Handle());
    Fill(ed, "pear      12,50\napple      3,20\nfig       24,00\nbanana     1,10\n");
    if (command == cmFillBlock) {
        ed->SetSelMode(true);
        ed->GotoPosition(10, 0, false);
        ed->GotoPosition(15, 3, true);
    }
    scene.Repaint();
    gDialog = TDialogScene{caption, false, false, GetTickCount() + ms};
    UINT_PTR timer = SetTimer(nullptr, 0, 300, StepDialogScene);
    ed->ExecuteCommand(command, 0);
    KillTimer(nullptr, timer);
    return 0;
}

// The transforms' dialogs the frame opens itself (Change Case, Convert Tab Size, Language, Convert Table)
// over the same list.
int ShowFrameTransformDialog(DWORD ms, const char* caption)
{
    TSceneFrame scene(900, 600);
    if (!scene.Frame())
        return 1;
    RECT area;
    GetClientRect(scene.Client(), &area);
    TWindowsEditor* ed = TWindowsEditor::Create(scene.Client(), "prices.txt", 1, &area, false);
    if (!ed)
        return 1;
    ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
    Fill(ed, "pear      12,50\napple      3,20\nfig       24,00\nbanana     1,10\n");
    scene.Repaint();
    gDialog = TDialogScene{caption, false, false, GetTickCount() + ms};
    UINT_PTR timer = SetTimer(nullptr, 0, 300, StepDialogScene);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::string which = caption;
    if (which == "Change Case") {
        TChangeCaseDlg dialog(instance);
        dialog.Run(scene.Frame());
    } else if (which == "Convert Tab Size") {
        TConvertTabSizeDlg dialog(instance);
        dialog.Run(scene.Frame());
    } else if (which == "Language") {
        TLanguageDlg dialog(instance, 2);
        dialog.Run(scene.Frame());
    } else {
        TConvertTableDlg dialog(instance, {"CROSCII-CP1250", "CP1250-CROSCII", "CP852-CP1250", "CP1250-CP852",
                                           "MacCE-CP1250", "ISO8859-2-CP1250"});
        dialog.Run(scene.Frame());
    }
    KillTimer(nullptr, timer);
    return 0;
}

int ShowFindDialog(DWORD ms)
{
    SearchState().options.regex = true;
    return ShowSearchDialog(ms, "Find", cmFind, false);
}

int ShowReplaceDialogWithPatternMenu(DWORD ms)
{
    return ShowSearchDialog(ms, "Replace", cmReplace, true);
}

int ShowMacroDialog(DWORD ms, const char* caption)
{
    TSceneFrame scene(900, 600);
    if (!scene.Frame())
        return 1;
    RECT area;
    GetClientRect(scene.Client(), &area);
    TWindowsEditor* ed = TWindowsEditor::Create(scene.Client(), "letter.txt", 1, &area, false);
    if (!ed)
        return 1;
    ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
    Fill(ed, "Dear all,\n\nthe meeting moves to Thursday.\n");
    scene.Repaint();
    // Two macros, one bound to Ctrl+Shift+M, as a user would have recorded them.
    TMacroTable& macros = Macros();
    const char* texts[] = {"InsertText \"Dear all,\"\r\nNewLine\r\nNewLine\r\nInsertText \"Best regards\"\r\n"
                           "CursorUp\r\nLineEnd\r\n",
                           "LineStart\r\nInsertText \"> \"\r\nCursorDown\r\n"};
    const char* names[] = {"Greeting", "QuoteLine"};
    const char* descriptions[] = {"Opens a letter", "Quotes the line and moves down"};
    for (int i = 0; i < 2; ++i) {
        macros.Create(i);
        macros.SetMacroName(kFirstMacroNumber + i, names[i]);
        macros.SetMacroDescription(kFirstMacroNumber + i, descriptions[i]);
        int line = 0;
        (void)CompileMacro(macros, kFirstMacroNumber + i, texts[i], &line);
    }
    (void)ProgramKeyMap().MapKey(VirtualKey('M'), false, true, true, kFirstMacroNumber);
    gDialog = TDialogScene{caption, false, false, GetTickCount() + ms};
    UINT_PTR timer = SetTimer(nullptr, 0, 300, StepDialogScene);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::string which = caption;
    if (which == "Macro") {
        TMacroDlg dialog(instance, macros, ProgramKeyMap());
        dialog.Run(scene.Frame());
    } else if (which == "Edit Macro") {
        TMacroEditDlg dialog(instance, macros, ProgramKeyMap(), kFirstMacroNumber,
                             MacroToText(macros, kFirstMacroNumber).value_or(""));
        dialog.Run(scene.Frame());
    } else if (which == "Key Mapping") {
        TKeyMappingDlg dialog(instance, ProgramKeyMap(), macros);
        dialog.Run(scene.Frame());
    } else {
        TEditorCommandsDlg dialog(instance, ProgramKeyMap());
        dialog.Run(scene.Frame());
    }
    KillTimer(nullptr, timer);
    macros.Clear();
    return 0;
}
