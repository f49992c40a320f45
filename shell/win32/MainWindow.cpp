// The main frame: the multi-document window that owns the editor windows, the bars and the editor font.
#include "shell/win32/MainWindow.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "base/win32/GdiTools.h"
#include "editor_window/win32/TransformDlgs.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "import/win32/GlobalMemFile.h"
#include "keys/KeyMap.h"
#include "keys/win32/CommandsDlg.h"
#include "macros/MacroTable.h"
#include "printing/win32/PreviewWindow.h"
#include "printing/win32/VokPrinter.h"
#include "resource.h"
#include "shell/CommandLine.h"
#include "shell/CommandRouting.h"
#include "shell/Desktop.h"
#include "shell/ScreenFonts.h"
#include "shell/Settings.h"
#include "shell/win32/AutoCorrectDlg.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/FileTypesDlg.h"
#include "shell/win32/HelpService.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/KeyMappingDlg.h"
#include "shell/win32/MenuState.h"
#include "shell/win32/OptionsDlgs.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/SyntaxDlg.h"
#include "shell/win32/TipDlg.h"
#include "shell/win32/UserHelpDlg.h"
#include "shell/win32/UserToolsDlg.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/VokMessage.h"

namespace {

HWND gFrame = nullptr;
HHOOK gFilterHook = nullptr;

constexpr UINT kMsgHelpKey = WM_USER;        // the hook saw F1 in a dialog (0) or menu (2)
constexpr UINT kMsgHandOver = WM_USER + 1;   // a second copy hands over its command line as an atom
constexpr UINT kMsgChildGone = WM_USER + 2;  // an editor window closed: the status bar shows the next one
constexpr UINT kMsgLayoutChanged = WM_USER + 3;  // children activated, maximised or restored: retitle the frame
WNDPROC gClientProc = nullptr;

// The client area tells the frame when a child is destroyed, however it was closed, and when the active or
// maximised child may have changed.
LRESULT CALLBACK ClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_MDIDESTROY && gFrame)
        PostMessageA(gFrame, kMsgChildGone, 0, 0);
    if ((msg == WM_MDIACTIVATE || msg == WM_MDIMAXIMIZE || msg == WM_MDIRESTORE || msg == WM_MDINEXT
         || msg == WM_MDICREATE) && gFrame)
        PostMessageA(gFrame, kMsgLayoutChanged, 0, 0);
    return CallWindowProcA(gClientProc, hwnd, msg, wParam, lParam);
}

unsigned VersionWord()
{
    DWORD v = GetVersion();
    return (LOBYTE(LOWORD(v)) << 8) | HIBYTE(LOWORD(v));
}

LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if ((code == MSGF_DIALOGBOX || code == MSGF_MENU) && msg && msg->message == WM_KEYDOWN
        && msg->wParam == VK_F1 && gFrame)
        PostMessageA(gFrame, kMsgHelpKey, static_cast<WPARAM>(code), 0);
    return CallNextHookEx(gFilterHook, code, wParam, lParam);
}

// The path as the file system spells it: full, and with the file's own letter case when it exists.
std::string NormalisedName(const char* path)
{
    char full[MAX_PATH];
    char* filePart = nullptr;
    DWORD n = GetFullPathNameA(path, sizeof full, full, &filePart);
    if (n == 0 || n >= sizeof full)
        return std::string(path).substr(0, kMaxPathChars);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(full, &found);
    if (h == INVALID_HANDLE_VALUE)
        return full;
    FindClose(h);
    std::string result(full);
    std::size_t slash = result.find_last_of('\\');
    if (slash != std::string::npos)
        result = result.substr(0, slash + 1) + found.cFileName;
    return result.substr(0, kMaxPathChars);
}

}  // namespace

HWND FrameWindow()
{
    return gFrame;
}

// ---- Creation. -------------------------------------------------------------------------------------------

bool TMainWindow::Register(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kClassName, &wc))
        return true;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 && TWindowsEditor::Register(instance);
}

TMainWindow* TMainWindow::Create(HINSTANCE instance, const std::string& commandLine)
{
    ConnectSubsystems();
    if (!Register(instance))
        return nullptr;
    auto* frame = new TMainWindow(instance);
    frame->commandLine_ = commandLine;
    const TFramePlacement& w = ProgramSettings().window;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (w.maximised ? WS_MAXIMIZE : 0);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(1));
    HWND hwnd = CreateWindowExA(0, kClassName, kTitle, style, w.x, w.y, w.width, w.height, nullptr, menu, instance, frame);
    if (!hwnd) {
        if (!frame->hwnd_)
            delete frame;
        return nullptr;
    }
    frame->SetUp();
    return frame;
}

TMainWindow* TMainWindow::FromHandle(HWND hwnd)
{
    char name[32];
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) || lstrcmpA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<TMainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool TMainWindow::OnCreate()
{
    // The printing code's questions and messages go through the program's message box, which a test
    // script can answer.
    SetPrintMessageFn([](HWND owner, unsigned, const std::string& text, unsigned flags) {
        return VokMessageText(owner, text, flags);
    });
    std::string fonts = ProgramDir() + "OZME.DLL";
    if (GetFileAttributesA(fonts.c_str()) != INVALID_FILE_ATTRIBUTES && AddFontResourceA(fonts.c_str()) > 0) {
        fontResourceAdded_ = true;
        PostMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    }
    const TSettings& o = ProgramSettings();
    font_.Create(o.fontName, o.fontSize, o.fontWeight);
    helpCursor_ = LoadCursorA(instance_, "Help");

    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = GetSubMenu(GetMenu(hwnd_), MenuPosition(TTopMenu::Window, false));
    ccs.idFirstChild = ID_FIRSTCHILD;
    DWORD exStyle = VersionWord() > 0x35E ? WS_EX_CLIENTEDGE : 0;
    client_ = CreateWindowExA(exStyle, "MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                              nullptr, instance_, &ccs);
    if (!client_)
        return false;
    gClientProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientProc)));
    CreateBars();
    gFilterHook = SetWindowsHookExA(WH_MSGFILTER, MessageFilterProc, nullptr, GetCurrentThreadId());
    return true;
}

void TMainWindow::SetUp()
{
    gFrame = hwnd_;
    if (!commandLine_.empty())
        PostMessageA(hwnd_, WM_COMMAND, CM_OPENCMDLINE, 0);
    else if (ProgramSettings().autoLoad)
        PostMessageA(hwnd_, WM_COMMAND, CM_RESTOREDESKTOPNOW, 0);
    if (toolBar_.Handle() && !ProgramSettings().buttonBar)
        ShowWindow(toolBar_.Handle(), SW_HIDE);
    if (statusBar_.Handle() && !ProgramSettings().statusBar)
        ShowWindow(statusBar_.Handle(), SW_HIDE);
    Relayout();
    DragAcceptFiles(hwnd_, TRUE);
}

std::string TMainWindow::ProgramDir() const
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance_, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    std::size_t slash = dir.find_last_of('\\');
    return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

// ---- The bars. -------------------------------------------------------------------------------------------

void TMainWindow::CreateBars()
{
    toolBar_.Create(hwnd_, instance_, ProgramSettings().btnBarStyle);
    statusBar_.Create(hwnd_, instance_);
}

void TMainWindow::UpdateStatusBar()
{
    if (!statusBar_.Handle())
        return;
    DropToolHint(false);
    TStatusValues v;
    if (TWindowsEditor* editor = ActiveEditor()) {
        v.line = std::to_string(editor->curLineNo + 1);
        v.column = std::to_string(editor->curCol + 1);
        int c = editor->CharAtCursor();
        char code[32];
        if (c == 0)
            lstrcpyA(code, "EOL");
        else
            wsprintfA(code, "0x%x, %d", c, c);
        v.code = code;
        v.lines = std::to_string(editor->lastLine + 1);
        v.modified = editor->modified ? LoadResString(IDS_STATUSLABEL + 3) : std::string();
        v.mode = LoadResString(IDS_STATUSLABEL + (editor->recording ? 9 : EngineOptions().overwriteMode ? 5 : 4));
        int format = editor->FileFormat();
        v.format = LoadResString(IDS_STATUSLABEL + (format == 1 ? 7 : format == 2 ? 8 : 6));
    }
    statusBar_.Show(v);
}

void TMainWindow::OnToolBarNotify(int code)
{
    if (code == 3) {
        PopupMenu("BTNBAR");
        return;
    }
    if (code != 4 || !statusBar_.Handle())
        return;
    POINT pt;
    GetCursorPos(&pt);
    UINT command = toolBar_.HitTest(pt);
    if (!command) {
        DropToolHint(true);
        return;
    }
    std::string text = LoadResString(command);
    statusBar_.ShowHelpText(StatusTextOf(text).c_str());
    toolHint_ = true;
}

void TMainWindow::DropToolHint(bool always)
{
    if (!toolHint_)
        return;
    // The bar hears of the pointer only while it is over the bar: a quick move off it into the text says
    // nothing, so whatever the frame does next looks where the pointer is.
    if (!always) {
        POINT pt;
        GetCursorPos(&pt);
        HWND under = WindowFromPoint(pt);
        if (under && toolBar_.Handle() && (under == toolBar_.Handle() || IsChild(toolBar_.Handle(), under)))
            return;
    }
    toolHint_ = false;
    statusBar_.LeaveHelpText();
}

void TMainWindow::UpdateTitle()
{
    // The client area names a maximised child in the frame's title only when it maximises one by itself,
    // not when the child is created maximised: the frame says it every time.
    std::string title = kTitle;
    if (DocumentMaximised()) {
        HWND active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0));
        char name[300] = {};
        GetWindowTextA(active, name, sizeof name);
        title = title + " - [" + name + "]";
    }
    char now[400] = {};
    GetWindowTextA(hwnd_, now, sizeof now);
    if (title != now)
        DefWindowProcA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

int TMainWindow::ToolBarHeight() const
{
    HWND bar = toolBar_.Handle();
    return bar && (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) ? toolBar_.Height() : 0;
}

int TMainWindow::StatusBarHeight() const
{
    HWND bar = statusBar_.Handle();
    return bar && (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) ? statusBar_.Height() : 0;
}

void TMainWindow::Relayout()
{
    RECT r;
    GetClientRect(hwnd_, &r);
    OnSize(r.right, r.bottom);
}

void TMainWindow::OnSize(int cx, int cy)
{
    int top = ToolBarHeight();
    int bottom = StatusBarHeight();
    if (toolBar_.Handle())
        MoveWindow(toolBar_.Handle(), 0, 0, cx, top, TRUE);
    if (statusBar_.Handle())
        MoveWindow(statusBar_.Handle(), 0, cy - bottom, cx, bottom, TRUE);
    MoveWindow(client_, 0, top, cx, std::max(0, cy - top - bottom), TRUE);
}

// ---- Children. -------------------------------------------------------------------------------------------

TWindowsEditor* TMainWindow::ActiveEditor() const
{
    HWND active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0));
    return TWindowsEditor::FromHandle(active);
}

std::vector<TWindowsEditor*> TMainWindow::Editors() const
{
    std::vector<TWindowsEditor*> editors;
    for (HWND child = GetWindow(client_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TWindowsEditor* editor = TWindowsEditor::FromHandle(child))
            editors.push_back(editor);
    return editors;
}

TWindowsEditor* TMainWindow::OpenByName(const char* path, int desktopState)
{
    if (!path || !*path)
        return nullptr;
    const bool first = ActiveEditor() == nullptr;
    std::string name = NormalisedName(path);
    for (TWindowsEditor* editor : Editors()) {
        if (!editor->FileName().empty() && lstrcmpiA(editor->FileName().c_str(), name.c_str()) == 0) {
            if (IsIconic(editor->Handle()))
                SendMessageA(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(editor->Handle()), 0);
            SendMessageA(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(editor->Handle()), 0);
            return editor;
        }
    }
    // A maximised document stays so: the new one comes up maximised over it rather than restoring it.
    const bool maximise = desktopState ? desktopState == 3 : first || DocumentMaximised();
    TWindowsEditor* editor = TWindowsEditor::Create(client_, name.c_str(), ID_EDITORNOTIFY, nullptr, maximise);
    if (!editor)
        return nullptr;
    editor->SetEditorFont(font_.Get(), false);
    if (!editor->LoadFile(name.c_str(), EngineOptions().detectFileFormat)) {
        SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(editor->Handle()), 0);
        return nullptr;
    }
    editor->TitleChanged();
    if (desktopState == 2) {
        ShowWindow(editor->Handle(), SW_SHOWMINIMIZED);
    } else if (desktopState == 1) {
        ShowWindow(editor->Handle(), SW_SHOWNORMAL);
        // A child made while another is maximised comes up maximised too; this one was saved restored.
        if (IsZoomed(editor->Handle()))
            SendMessageA(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(editor->Handle()), 0);
    } else {
        ShowWindow(editor->Handle(), maximise ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    UpdateStatusBar();
    UpdateTitle();
    return editor;
}

TWindowsEditor* TMainWindow::OpenOutput(const char* path)
{
    if (!path || !*path)
        return nullptr;
    const bool maximise = ActiveEditor() == nullptr || DocumentMaximised();
    std::string title = "Output" + std::to_string(output_);
    TWindowsEditor* editor = TWindowsEditor::Create(client_, title.c_str(), ID_EDITORNOTIFY, nullptr, maximise);
    if (!editor)
        return nullptr;
    output_ = (output_ + 1) & 0xFFFF;
    editor->SetEditorFont(font_.Get(), false);
    if (!editor->LoadFile(path, true)) {
        SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(editor->Handle()), 0);
        return nullptr;
    }
    // The temporary file goes away at once: the window is an untitled document until saved.
    editor->SetFileName("");
    SetWindowTextA(editor->Handle(), title.c_str());
    ProgramSettings().recentFiles.Remove(path);
    editor->TitleChanged();
    ShowWindow(editor->Handle(), maximise ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateStatusBar();
    UpdateTitle();
    return editor;
}

void TMainWindow::OpenCommandLine(const char* text)
{
    for (const std::string& token : SplitCommandLine(text)) {
        char full[MAX_PATH];
        DWORD n = GetFullPathNameA(token.c_str(), sizeof full, full, nullptr);
        if (n == 0 || n >= sizeof full)
            continue;
        if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES)
            continue;
        OpenByName(full);
    }
}

TWindowsEditor* TMainWindow::NewDocument()
{
    std::string title = UntitledName(untitled_);
    untitled_ = (untitled_ + 1) & 0xFFFF;
    const bool maximise = ActiveEditor() == nullptr || DocumentMaximised();
    TWindowsEditor* editor = TWindowsEditor::Create(client_, title.c_str(), ID_EDITORNOTIFY, nullptr, maximise);
    if (!editor)
        return nullptr;
    editor->SetEditorFont(font_.Get(), true);
    editor->TitleChanged();
    UpdateStatusBar();
    UpdateTitle();
    return editor;
}

void TMainWindow::OpenWithDialog()
{
    std::vector<std::string> paths;
    if (!OpenFilesDialog(instance_, hwnd_, &paths))
        return;
    for (const std::string& path : paths)
        OpenByName(NormalisedName(path.c_str()).c_str());
}

void TMainWindow::ImportWithDialog()
{
    char path[MAX_PATH] = "";
    if (BrowseFileDialog(instance_, hwnd_, path, sizeof path, IDS_IMPORTDOCUMENT, IDS_IMPORTFILTER))
        ImportByName(path);
}

TWindowsEditor* TMainWindow::ImportByName(const char* path)
{
    HGLOBAL text = ImportDocumentToGlobal(path, {EngineOptions().wordWrapColumn, TabSize()});
    if (!text) {
        VokMessage(hwnd_, 15005, path, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    TWindowsEditor* editor = NewDocument();
    if (editor) {
        const char* lines = static_cast<const char*>(GlobalLock(text));
        if (!lines || !editor->TakeText(lines, lstrlenA(lines))) {
            SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(editor->Handle()), 0);
            editor = nullptr;
        }
        GlobalUnlock(text);
    }
    GlobalFree(text);
    UpdateStatusBar();
    return editor;
}

void TMainWindow::DropFiles(HDROP drop)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> names;
    for (UINT i = 0; i < count && names.size() < static_cast<std::size_t>(kMaxDroppedFiles); ++i) {
        char name[MAX_PATH];
        if (DragQueryFileA(drop, i, name, sizeof name) > 0)
            names.push_back(name);
    }
    DragFinish(drop);
    for (const std::string& name : names)
        OpenByName(name.c_str());
}

bool TMainWindow::CanClose()
{
    for (TWindowsEditor* editor : Editors())
        if (!editor->CanClose())
            return false;
    if (KeyMappingChanged()) {
        int answer = VokMessage(hwnd_, IDS_SAVEKEYMAP, nullptr, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES)
            SaveKeyMapping();
    }
    return true;
}

void TMainWindow::CloseAll()
{
    for (TWindowsEditor* editor : Editors()) {
        if (!editor->CanClose())
            return;
        SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(editor->Handle()), 0);
    }
    UpdateStatusBar();
}

void TMainWindow::ApplyFont()
{
    for (TWindowsEditor* editor : Editors())
        editor->SetEditorFont(font_.Get(), true);
}

void TMainWindow::ChooseEditorFont()
{
    LOGFONTA lf = {};
    GetObjectA(font_.Get(), sizeof lf, &lf);
    // The dialog finds the face and size in its lists only as the font really is: the face the system
    // chose for the one asked for (a substitute when that is missing), at the height it has.
    {
        TWindowDC screen(nullptr);
        TSelectObject useFont(screen.Dc(), font_.Get());
        char face[LF_FACESIZE] = {};
        TEXTMETRICA tm = {};
        if (GetTextFaceA(screen.Dc(), sizeof face, face) > 0)
            lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
        if (GetTextMetricsA(screen.Dc(), &tm))
            lf.lfHeight = -(tm.tmHeight - tm.tmInternalLeading);
    }
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = hwnd_;
    cf.lpLogFont = &lf;
    cf.iPointSize = ProgramSettings().fontSize * 10;
    cf.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    cf.nSizeMin = 6;
    cf.nSizeMax = 126;
    if (!::ChooseFontA(&cf))
        return;
    font_.Adopt(CreateFontIndirectA(&lf));
    const int ppi = GetDeviceCaps(TWindowDC(nullptr).Dc(), LOGPIXELSY);
    TSettings& o = ProgramSettings();
    lstrcpynA(o.fontName, lf.lfFaceName, sizeof o.fontName);
    o.fontSize = PointsFromFontHeight(lf.lfHeight, ppi);
    o.fontWeight = lf.lfWeight;
    ApplyFont();
}

void TMainWindow::SetScreenFont(const char* face)
{
    // A face the system lacks (the font file missing) or one whose characters differ in width gives the
    // system's fixed-pitch font; the settings then name that font, so that the next start makes the same.
    font_.Create(face, kScreenFontPoints, kScreenFontWeight);
    LOGFONTA lf = {};
    GetObjectA(font_.Get(), sizeof lf, &lf);
    char used[LF_FACESIZE] = {};
    {
        TWindowDC screen(nullptr);
        TSelectObject useFont(screen.Dc(), font_.Get());
        if (GetTextFaceA(screen.Dc(), sizeof used, used) <= 0)
            lstrcpynA(used, lf.lfFaceName, LF_FACESIZE);
    }
    const int ppi = GetDeviceCaps(TWindowDC(nullptr).Dc(), LOGPIXELSY);
    TSettings& o = ProgramSettings();
    lstrcpynA(o.fontName, used, sizeof o.fontName);
    o.fontSize = PointsFromFontHeight(lf.lfHeight, ppi);
    o.fontWeight = lf.lfWeight ? lf.lfWeight : kScreenFontWeight;
    ApplyFont();
}

void TMainWindow::PopupMenu(const char* name)
{
    HMENU menu = LoadMenuA(instance_, name);
    if (!menu)
        return;
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
}

// ---- Commands. -------------------------------------------------------------------------------------------

void TMainWindow::OnEditorNotify(int code)
{
    switch (code) {
    case 1: UpdateStatusBar(); break;
    case 2: {
        TWindowsEditor* editor = ActiveEditor();
        PopupMenu(editor && editor->selShown ? "EDIT_SELECT" : "EDIT_NOSEL");
        break;
    }
    case 3: PostMessageA(hwnd_, WM_COMMAND, CM_FILEOPEN, 0); break;
    case 5: PostMessageA(hwnd_, WM_COMMAND, CM_FILENEW, 0); break;
    case 6: OpenByName((ProgramDir() + "TEXT.CNV").c_str()); break;
    default: break;
    }
}

void TMainWindow::OnCommand(int id, int code, LPARAM lParam)
{
    if (id == ID_EDITORNOTIFY && lParam) {
        OnEditorNotify(code);
        return;
    }
    if (helpMode_ && id != ID_TOOLBAR && id != ID_STATUSBAR) {
        // Picked for help, not run.
        LeaveHelpMode();
        ShowCommandHelp(id);
        return;
    }
    if (ForwardToEditor(id) || TranslateForEditor(id))
        return;
    if (!CommandAvailable(id))
        return;
    if (id >= CM_USERHELP1 && id < CM_USERHELP1 + kUserHelpCount) {
        ShowUserHelpFile(hwnd_, ProgramSettings().userHelp, id - CM_USERHELP1);
        return;
    }
    if (id >= CM_RECENT0 && id <= CM_RECENT3) {
        std::string path = ProgramSettings().recentFiles.Slot(id - CM_RECENT0);
        if (!path.empty())
            OpenByName(path.c_str());
        return;
    }
    switch (id) {
    case CM_WHATIS: EnterHelpMode(); break;
    case CM_HELPCONTENTS: ShowHelpContents(hwnd_); break;
    case CM_HELPKEYBOARD: ShowHelpFor(CM_HELPKEYBOARD); break;
    case CM_HELPOPTIONS: EditUserHelp(instance_, hwnd_); break;
    case CM_CALCULATOR: StartCalculator(); break;
    case CM_LANGUAGE: {
        TLanguageDlg dialog(instance_, EngineOptions().language);
        if (dialog.Run(hwnd_) == IDOK)
            EngineOptions().language = dialog.Language();
        break;
    }
    case CM_MULTIINST: ToggleFlag(TImmediateFlag::AllowMultiInst); break;
    case CM_SAVEDESKTOP: ToggleFlag(TImmediateFlag::SaveDesktop); break;
    case CM_AUTOLOAD: ToggleFlag(TImmediateFlag::AutoLoad); break;
    case CM_SAVESETTINGS: ToggleFlag(TImmediateFlag::SaveSettings); break;
    case CM_SAVEDESKTOPNOW: SaveDesktop(client_, true); break;
    case CM_SAVESETTINGSNOW: SaveAllSettings(hwnd_, true); break;
    case ID_TOOLBAR: OnToolBarNotify(code); break;
    // The frame's own code calls OpenByName; the command is the door for whoever drives the frame from
    // outside with messages (the test mode's "open" step).
    case CM_OPENBYNAME: OpenByName(reinterpret_cast<const char*>(lParam)); break;
    case CM_OPENCMDLINE: OpenCommandLine(commandLine_.c_str()); break;
    case CM_OPENOUTPUT: OpenOutput(reinterpret_cast<const char*>(lParam)); break;
    case CM_TOOLS: EditUserTools(instance_, hwnd_); break;
    case CM_FINDFILE: {
        char path[MAX_PATH] = "";
        if (RunFindFilesDialog(hwnd_, path, sizeof path))
            OpenByName(path);
        break;
    }
    case CM_SAVEACTIVE:
        if (TWindowsEditor* editor = ActiveEditor())
            editor->Save();
        break;
    case CM_SAVEEVERY:
        for (TWindowsEditor* editor : Editors())
            editor->Save();
        break;
    case CM_SAVEALL:
        for (TWindowsEditor* editor : Editors())
            editor->ExecuteCommand(cmSaveFile, 0);
        break;
    case CM_FILENEW: NewDocument(); break;
    case CM_FILEOPEN: OpenWithDialog(); break;
    case CM_IMPORTTEXT: ImportWithDialog(); break;
    case CM_EXIT: PostMessageA(hwnd_, WM_CLOSE, 0, 0); break;
    case CM_SETFONT: ChooseEditorFont(); break;
    case CM_FONT1250:
    case CM_FONT1252:
    case CM_FONT437:
    case CM_FONTCROSCII:
    case CM_FONTISO1:
    case CM_FONTISO2:
    case CM_FONTMACROMAN:
    case CM_FONTMACCE: SetScreenFont(ScreenFontFace(id)); break;
    case CM_FILEFILTERS: EditFileFilters(instance_, hwnd_); break;
    case CM_PRINTERSETUP: Printer().PrinterSetup(hwnd_); break;
    case CM_PRINTPREVIEW:
        if (TWindowsEditor* editor = ActiveEditor()) {
            char title[MAX_PATH] = "";
            GetWindowTextA(editor->Handle(), title, sizeof title);
            TPreviewWindow::Open(hwnd_, *editor, title);
        }
        break;
    case CM_PAGESETUP: Printer().PageSetup(hwnd_); break;
    case CM_KEYMAPPING: {
        TKeyMappingDlg dialog(instance_, ProgramKeyMap(), Macros());
        dialog.Run(hwnd_);
        break;
    }
    case CM_COMMANDS:
        if (TWindowsEditor* editor = ActiveEditor()) {
            TEditorCommandsDlg dialog(instance_, ProgramKeyMap());
            if (dialog.Run(hwnd_) == IDOK && dialog.Chosen())
                editor->ExecuteCommand(dialog.Chosen(), 0);
        }
        break;
    case CM_SYNTAX:
        // Every window chooses its language again: a file's extension may now name another one.
        if (EditSyntaxHighlighting(instance_, hwnd_, SyntaxFilePath()))
            for (TWindowsEditor* editor : Editors())
                editor->TitleChanged();
        break;
    case CM_AUTOCORRECT: EditAutoCorrect(instance_, hwnd_); break;
    case CM_EDITOROPTIONS: EditEditorOptions(); break;
    case CM_MOUSEOPTIONS: {
        TMouseOptionsDlg dialog(instance_, ProgramSettings().rightMouseBtn);
        if (dialog.Run(hwnd_) == IDOK)
            ProgramSettings().rightMouseBtn = EngineOptions().rightMouseBtn = dialog.RightMouseBtn();
        break;
    }
    case CM_DROPBOOKMARK:
    case CM_GOTOBOOKMARK:
        if (TWindowsEditor* editor = ActiveEditor()) {
            TBookmarkDlg dialog(instance_, id == CM_DROPBOOKMARK, editor->bookmarkSet);
            if (dialog.Run(hwnd_) == IDOK && dialog.Command())
                editor->ExecuteCommand(dialog.Command(), 0);
        }
        break;
    case CM_MOREFILES: {
        std::vector<std::string> paths;
        const TDesktopList& desktop = ProgramDesktop();
        for (int i = desktop.Count(); i >= 1; --i)
            paths.push_back(desktop.Path(i));
        TMoreFilesDlg dialog(instance_, paths);
        if (dialog.Run(hwnd_) == IDOK)
            OpenByName(dialog.Chosen().c_str());
        break;
    }
    case CM_TIPOFTHEDAY: {
        TTipDlg dialog(instance_, TipsFilePath(instance_), SettingsProfile());
        dialog.Run(hwnd_);
        break;
    }
    case CM_ABOUT: {
        TAboutDlg dialog(instance_, LoadResString(32702));
        dialog.Run(hwnd_);
        break;
    }
    case CM_RESTOREDESKTOPNOW:
        // Each window comes back as it was left: normal, minimised or maximised.
        for (const std::string& path : DesktopRestoreList()) {
            const int entry = ProgramDesktop().Find(path.c_str());
            OpenByName(path.c_str(), entry ? ProgramDesktop().Field(entry, TDesktopField::State) : 0);
        }
        break;
    case CM_STATUSBAR:
    case CM_TOOLBAR: {
        bool& flag = id == CM_STATUSBAR ? ProgramSettings().statusBar : ProgramSettings().buttonBar;
        flag = !flag;
        if (HWND bar = id == CM_STATUSBAR ? statusBar_.Handle() : toolBar_.Handle())
            ShowWindow(bar, flag ? SW_SHOW : SW_HIDE);
        Relayout();
        break;
    }
    case CM_BARSTYLEDEFAULT:
    case CM_BARSTYLEWIN3:
    case CM_BARSTYLEWIN95:
        ProgramSettings().btnBarStyle = id == CM_BARSTYLEDEFAULT ? -1 : id == CM_BARSTYLEWIN3 ? 1 : 2;
        toolBar_.Restyle(ProgramSettings().btnBarStyle);
        Relayout();
        break;
    case CM_CASCADE: SendMessageA(client_, WM_MDICASCADE, 0, 0); break;
    case CM_TILEHORZ: SendMessageA(client_, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
    case CM_TILEVERT: SendMessageA(client_, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    case CM_ARRANGEICONS: SendMessageA(client_, WM_MDIICONARRANGE, 0, 0); break;
    case CM_CLOSEALL: CloseAll(); break;
    case CM_PREVWINDOW:
    case CM_NEXTWINDOW: {
        HWND active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0));
        if (active)
            SendMessageA(client_, WM_MDINEXT, reinterpret_cast<WPARAM>(active), id == CM_PREVWINDOW ? 1 : 0);
        break;
    }
    default:
        DefFrameProcA(hwnd_, client_, WM_COMMAND, MAKEWPARAM(id, code), lParam);
        break;
    }
}

// Command 701: the options change only when OK is pressed; a changed tab size only when every document
// can take it.
void TMainWindow::EditEditorOptions()
{
    TOptionsDlg dialog(instance_, EngineOptions());
    if (dialog.Run(hwnd_) != IDOK)
        return;
    std::vector<TVokEditor*> documents;
    for (TWindowsEditor* editor : Editors())
        documents.push_back(editor);
    if (ApplyEditorOptions(EngineOptions(), dialog.Options(), documents))
        for (TWindowsEditor* editor : Editors())
            editor->RepaintAll();
    UpdateStatusBar();
}

// ---- The procedure. --------------------------------------------------------------------------------------

void TMainWindow::OnDestroy()
{
    SaveAllSettings(hwnd_, ProgramSettings().saveSettings);
    SaveDesktop(client_, ProgramSettings().saveDesktop);
    FreeDesktopList();
    if (fontResourceAdded_) {
        RemoveFontResourceA((ProgramDir() + "OZME.DLL").c_str());
        PostMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
        fontResourceAdded_ = false;
    }
    font_.Reset();
    if (gFilterHook) {
        UnhookWindowsHookEx(gFilterHook);
        gFilterHook = nullptr;
    }
    if (gFrame == hwnd_)
        gFrame = nullptr;
    if (quitOnDestroy_)
        PostQuitMessage(0);
}

LRESULT TMainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND: {
        const HWND self = hwnd_;  // a command may close the frame and this object with it
        OnCommand(LOWORD(wParam), HIWORD(wParam), lParam);
        // A command given (from the bar or elsewhere, and whatever its dialog answered) ends the hint.
        if (LOWORD(wParam) != ID_TOOLBAR && LOWORD(wParam) != ID_EDITORNOTIFY && FromHandle(self) == this)
            DropToolHint(true);
        return 0;
    }
    case WM_DROPFILES: DropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE:
        if (CanClose())
            DestroyWindow(hwnd_);
        return 0;
    case WM_QUERYENDSESSION: return CanClose() ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam) {
            SaveAllSettings(hwnd_, ProgramSettings().saveSettings);
            SaveDesktop(client_, ProgramSettings().saveDesktop);
        }
        return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case kMsgHelpKey:
        if (wParam == MSGF_MENU)
            OnMenuHelpKey();
        return 0;
    case WM_INITMENU:
        if (reinterpret_cast<HMENU>(wParam) == GetMenu(hwnd_))
            UpdateMenus();
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        break;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_SETCURSOR:
        if (helpMode_) {
            SetCursor(helpCursor_ ? helpCursor_ : LoadCursorA(nullptr, IDC_HELP));
            return TRUE;
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (helpMode_) {
            OnHelpClick(static_cast<int>(wParam));
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if (helpMode_) {
            LeaveHelpMode();
            ShowHelpFor(kSystemMenuHelpContext);
            return 0;
        }
        break;
    case kMsgChildGone:
        UpdateStatusBar();
        UpdateTitle();
        return 0;
    case kMsgLayoutChanged: UpdateTitle(); return 0;
    case WM_WININICHANGE:
        // A default printer chosen in the system's settings is used from the next print on.
        if (lParam && lstrcmpiA(reinterpret_cast<const char*>(lParam), "windows") == 0)
            Printer().DefaultPrinterChanged();
        break;
    case kMsgHandOver: {
        char text[257] = {};
        if (GlobalGetAtomNameA(static_cast<ATOM>(wParam), text, sizeof text - 1) > 0)
            OpenCommandLine(text);
        return 0;
    }
    default: break;
    }
    return DefFrameProcA(hwnd_, client_, msg, wParam, lParam);
}

void TMainWindow::DispatchLoopMessage(HWND frame, HWND client, HACCEL accel, MSG& msg)
{
    // The frame object goes with its window: look it up each time.
    if (TMainWindow* live = FromHandle(frame); live && live->PreTranslateMessage(msg))
        return;
    if (IsWindow(client) && TranslateMDISysAccel(client, &msg))
        return;
    if (IsWindow(frame) && TranslateAcceleratorA(frame, accel, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

LRESULT CALLBACK TMainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    TMainWindow* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<TMainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TMainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefFrameProcA(hwnd, nullptr, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        LRESULT r = DefFrameProcA(hwnd, self->client_, msg, wParam, lParam);
        delete self;
        return r;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing may cross a window procedure; a command that failed for lack of memory is not done.
        VokMessage(hwnd, 15100, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
}
