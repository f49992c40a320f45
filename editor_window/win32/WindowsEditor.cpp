// The editor child window: creation, messages, keys, mouse, scroll bars and the engine's hooks.
#include "editor_window/win32/WindowsEditor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/win32/GdiTools.h"
#include "editor_window/ViewMath.h"
#include "editor_window/win32/EditorServices.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "keys/KeyCodes.h"
#include "printing/win32/PrintDocument.h"

#ifndef WM_MOUSEHWHEEL
#define WM_MOUSEHWHEEL 0x020E  // a tilted wheel; newer than the headers' target version, harmless before it
#endif

namespace {
HINSTANCE gInstance = nullptr;
HCURSOR gMarginCursor = nullptr;
HCURSOR gRecordCursor = nullptr;

// Auto-scroll while dragging outside the window is shared by all editor windows.
bool gAutoScrolling = false;
DWORD gLastStep = 0;
constexpr DWORD kAutoScrollStep = 151;

constexpr int kErrorIds[] = {0, 15100, 15101, 15102, 15103, 15104};

unsigned HeldModifiers()
{
    unsigned m = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        m |= kKeyShift;
    if (GetKeyState(VK_CONTROL) < 0)
        m |= kKeyCtrl;
    if (GetKeyState(VK_MENU) < 0)
        m |= kKeyAlt;
    return m;
}

bool NewWindowsVersion()
{
    DWORD v = GetVersion();
    unsigned word = (LOBYTE(LOWORD(v)) << 8) | HIBYTE(LOWORD(v));
    return word >= 863;
}
}  // namespace

bool TWindowsEditor::Register(HINSTANCE instance)
{
    gInstance = instance;
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kClassName, &wc))
        return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(2));
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.hbrBackground = nullptr;  // every paint covers its own background
    wc.lpszClassName = kClassName;
    gMarginCursor = LoadCursorA(instance, "WE_SelCur");
    if (!gMarginCursor)
        gMarginCursor = LoadCursorA(nullptr, IDC_ARROW);
    gRecordCursor = LoadCursorA(instance, "WE_Record");
    if (!gRecordCursor)
        gRecordCursor = LoadCursorA(nullptr, IDC_CROSS);
    return RegisterClassA(&wc) != 0;
}

TWindowsEditor::TWindowsEditor(int childId) : childId_(childId)
{
    fileFormat_ = EngineOptions().defaultFileFormat;
    if (fileFormat_ < 0 || fileFormat_ > 2)
        fileFormat_ = 0;
}

TWindowsEditor::~TWindowsEditor() = default;

TWindowsEditor* TWindowsEditor::Create(HWND mdiClient, const char* title, int childId, const RECT* rect,
                                       bool maximized)
{
    auto* editor = new TWindowsEditor(childId);
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = kClassName;
    mcs.szTitle = title ? title : "";
    mcs.hOwner = gInstance ? gInstance : GetModuleHandleA(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    if (rect) {
        mcs.x = rect->left;
        mcs.y = rect->top;
        mcs.cx = rect->right - rect->left;
        mcs.cy = rect->bottom - rect->top;
    }
    mcs.style = WS_VSCROLL | WS_HSCROLL | (maximized ? WS_MAXIMIZE : 0);
    mcs.lParam = reinterpret_cast<LPARAM>(editor);
    HWND hwnd = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (!hwnd) {
        // The window never took ownership.
        if (!editor->hwnd_)
            delete editor;
        return nullptr;
    }
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, mdiClient, reinterpret_cast<POINT*>(&r), 2);
    editor->createdRect_ = r;
    return editor;
}

TWindowsEditor* TWindowsEditor::FromHandle(HWND hwnd)
{
    char name[32];
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) || lstrcmpiA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<TWindowsEditor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TWindowsEditor::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    TWindowsEditor* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* mcs = static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
        self = reinterpret_cast<TWindowsEditor*>(mcs->lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (NewWindowsVersion())
            SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    } else {
        self = reinterpret_cast<TWindowsEditor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefMDIChildProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        LRESULT r = DefMDIChildProcA(hwnd, msg, wParam, lParam);
        delete self;
        return r;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing may cross a window procedure; the engine keeps the document consistent on failure.
        self->ReportError(kErrOutOfMemory);
        return 0;
    }
}

LRESULT TWindowsEditor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETFOCUS:
        hasFocus_ = true;
        CreateCaret();
        Notify(kNotifyStatus);
        break;
    case WM_KILLFOCUS:
        hasFocus_ = false;
        DestroyCaret();
        break;
    case WM_CHAR:
        if (wParam >= 32) {
            OnChar(static_cast<unsigned>(wParam));
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const HWND self = hwnd_;  // the command may close the window and this object with it
        if (!OnKeyDown(static_cast<unsigned>(wParam), msg == WM_SYSKEYDOWN))
            break;
        // A key the map took while Alt was held still came between the Alt key's press and its release: the
        // default processing must see it, or that release counts as Alt pressed alone and puts the keyboard
        // in the menu bar. Not Alt+F4, whose default action (closing) the map replaced.
        if (msg == WM_SYSKEYDOWN && (HIWORD(lParam) & KF_ALTDOWN) && wParam != VK_F4 && IsWindow(self))
            DefMDIChildProcA(self, msg, wParam, lParam);
        return 0;
    }
    case WM_SETCURSOR:
        if (EditorServices()->HelpMode())
            return FALSE;
        if (LOWORD(lParam) == HTCLIENT) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd_, &pt);
            if (recording)
                SetCursor(gRecordCursor);
            else if (pt.x < kMarginWidth)
                SetCursor(gMarginCursor);
            else
                SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
            return TRUE;
        }
        break;
    case WM_MOUSEACTIVATE:
        if (GetFocus() != hwnd_ && LOWORD(lParam) == HTCLIENT) {
            DefMDIChildProcA(hwnd_, msg, wParam, lParam);
            SetFocus(hwnd_);
            return MA_ACTIVATEANDEAT;
        }
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(x, y, static_cast<unsigned>(wParam)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(x, y, static_cast<unsigned>(wParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(x, y, static_cast<unsigned>(wParam)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(x, y); return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(static_cast<short>(HIWORD(wParam)), (LOWORD(wParam) & MK_SHIFT) != 0);
        return 0;
    case WM_MOUSEHWHEEL: OnMouseWheel(-static_cast<short>(HIWORD(wParam)), true); return 0;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMPACTING:
        ClearUndo();
        ClearRedo();
        break;
    case WM_CLOSE:
        if (!CanClose())
            return 0;
        break;
    default: break;
    }
    return DefMDIChildProcA(hwnd_, msg, wParam, lParam);
}

void TWindowsEditor::Notify(int code)
{
    HWND client = GetParent(hwnd_);
    HWND frame = client ? GetParent(client) : nullptr;
    if (frame)
        SendMessageA(frame, WM_COMMAND, MAKEWPARAM(childId_, code), reinterpret_cast<LPARAM>(hwnd_));
}

void TWindowsEditor::OnSize(int cx, int cy)
{
    int cols = (cx - kTextLeft) / std::max(1, cellWidth_);
    winCols = static_cast<int16_t>(std::max(1, cols));
    winLines = static_cast<uint32_t>(std::max(1, cy / std::max(1, cellHeight_)));
}

void TWindowsEditor::CreateCaret()
{
    if (!hasFocus_)
        return;
    int width = EngineOptions().overwriteMode ? cellWidth_ : 2;
    ::CreateCaret(hwnd_, nullptr, width, cellHeight_);
    SetCaret(curCol - topCol, curLineNo - topLine);
    ShowCaret(hwnd_);
}

void TWindowsEditor::SetEditorFont(HFONT font, bool redraw)
{
    font_ = font;
    TEXTMETRICA tm;
    {
        TWindowDC dc(hwnd_);
        TSelectObject useFont(dc.Dc(), font ? font : GetStockObject(SYSTEM_FIXED_FONT));
        GetTextMetricsA(dc.Dc(), &tm);
    }
    cellHeight_ = std::max<int>(1, tm.tmHeight);
    cellWidth_ = std::max<int>(1, tm.tmAveCharWidth);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    OnSize(rc.right, rc.bottom);
    if (redraw) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        CreateCaret();
    }
}

void TWindowsEditor::Print() noexcept
{
    // The frame stays disabled while the job runs; the document's title names it in headers.
    char title[MAX_PATH] = "";
    GetWindowTextA(hwnd_, title, sizeof title);
    try {
        PrintDocument(GetAncestor(hwnd_, GA_ROOT), *this, title);
    } catch (...) {
        ReportError(kErrOutOfMemory);
    }
}

void TWindowsEditor::TitleChanged()
{
    char title[260] = {};
    if (hwnd_)
        GetWindowTextA(hwnd_, title, sizeof title);
    TSyntaxTable& table = ProgramSyntaxTable();
    scheme_ = TLanguageScheme(&table, FindLanguage(table, title));
    // Every state may differ under the new rules, so all are computed, not only until one agrees.
    RecomputeStates(0, lastLine);
    RequestRedraw(kRedrawAll);
}

const TSyntaxScheme* TWindowsEditor::SyntaxScheme() noexcept
{
    return scheme_.Language() ? &scheme_ : nullptr;
}

// ---- Engine hooks. -------------------------------------------------------------------------------------

void TWindowsEditor::SetCaret(int col, int row) noexcept
{
    int x = std::clamp(col * cellWidth_ + kTextLeft, -32700, 32700);
    int y = std::clamp(row * cellHeight_, -32700, 32700);
    SetCaretPos(x, y);
}

void TWindowsEditor::RepaintAll() noexcept
{
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void TWindowsEditor::RepaintLine(int32_t line) noexcept
{
    int32_t row = line - topLine;
    if (row < 0 || row >= 32701)
        return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    int y = row * cellHeight_;
    if (y >= rc.bottom)
        return;
    TWindowDC window(hwnd_);
    HDC dc = window.Dc();
    HideCaret(hwnd_);
    {
        TSelectObject useFont(dc, font_ ? font_ : GetStockObject(SYSTEM_FIXED_FONT));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        PaintLine(dc, kTextLeft, y, LineAt(line), line);
    }
    ShowCaret(hwnd_);
}

int TWindowsEditor::VScrollScale() const
{
    return VerticalScrollScale(lastLine);
}

void TWindowsEditor::UpdateScrollBars() noexcept
{
    const int scale = VScrollScale();
    int range = std::max(1, lastLine / scale);
    int pos = topLine / scale;
    int minPos = 0, maxPos = 0;
    GetScrollRange(hwnd_, SB_VERT, &minPos, &maxPos);
    if (minPos != 0 || maxPos != range)
        SetScrollRange(hwnd_, SB_VERT, 0, range, FALSE);
    if (GetScrollPos(hwnd_, SB_VERT) != pos)
        SetScrollPos(hwnd_, SB_VERT, pos, TRUE);
    GetScrollRange(hwnd_, SB_HORZ, &minPos, &maxPos);
    if (minPos != 0 || maxPos != 400)
        SetScrollRange(hwnd_, SB_HORZ, 0, 400, FALSE);
    int hpos = std::min<int>(topCol, 400);
    if (GetScrollPos(hwnd_, SB_HORZ) != hpos)
        SetScrollPos(hwnd_, SB_HORZ, hpos, TRUE);
}

void TWindowsEditor::UpdateStatus() noexcept
{
    Notify(kNotifyStatus);
}

void TWindowsEditor::ReportError(int code) noexcept
{
    if (code < 1 || code > 5)
        return;
    // The message may come inside a command's update batch (the end of a Replace All, a file read with a
    // zero byte): the window and the status bar show what the command did before the box covers them.
    EnsureCursorVisible();
    FlushRedraw();
    if (IsWindowVisible(hwnd_))
        UpdateWindow(hwnd_);
    UpdateStatus();
    EditorServices()->Message(hwnd_, static_cast<unsigned>(kErrorIds[code]), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void TWindowsEditor::InsertModeChanged() noexcept
{
    if (hasFocus_) {
        DestroyCaret();
        CreateCaret();
    }
}

void TWindowsEditor::SaveFile() noexcept
{
    Save();
}

void TWindowsEditor::SaveFileAs() noexcept
{
    SaveAs();
}

void TWindowsEditor::WriteBlock() noexcept
{
    SaveBlock();
}

void TWindowsEditor::ReadBlock() noexcept
{
    ReadBlockFile();
}

void TWindowsEditor::OpenFile() noexcept
{
    Notify(kNotifyOpen);
}

void TWindowsEditor::NewFile() noexcept
{
    Notify(kNotifyNew);
}

void TWindowsEditor::RecordingStarted() noexcept
{
    // Moving the pointer where it is makes the window choose its shape again: the record cursor or not.
    POINT pt;
    GetCursorPos(&pt);
    SetCursorPos(pt.x, pt.y);
    // The status bar and the tool bar show whether this window records.
    Notify(kNotifyStatus);
}

void TWindowsEditor::RecordingStopped() noexcept
{
    RecordingStarted();
}

void TWindowsEditor::HelpKeywordSearch() noexcept
{
    TEditorServices* services = EditorServices();
    if (!services)
        return;
    // A help file's keywords are short; a longer run of word characters is still looked up by its start.
    char word[81] = "";
    WordAtCursor(word, sizeof word);
    services->KeywordHelp(hwnd_, word);
}

void TWindowsEditor::UserTool(int index) noexcept
{
    TEditorServices* services = EditorServices();
    if (!services)
        return;
    try {
        TToolContext context;
        context.filePath = fileName_;
        context.line = static_cast<long>(curLineNo) + 1;
        context.column = curCol + 1;
        char word[81] = "";
        if (WordAtCursor(word, sizeof word) > 0)
            context.currentText = word;
        context.modified = modified;
        services->RunUserTool(index, context);
    } catch (...) {
        ReportError(kErrOutOfMemory);
    }
}

void TWindowsEditor::OpenFileAtCursor(const char* name) noexcept
{
    if (!name || !*name)
        return;
    auto exists = [](const std::string& path) {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    };
    auto cut = [](std::string p) {
        if (p.size() > 259)
            p.resize(259);
        return p;
    };
    std::string found;
    if (!fileName_.empty()) {
        std::string dir = fileName_.substr(0, fileName_.find_last_of("\\/") + 1);
        std::string candidate = cut(dir + name);
        if (exists(candidate))
            found = candidate;
    }
    auto searchList = [&](const char* variable, auto&& each) {
        char value[4096];
        DWORD n = GetEnvironmentVariableA(variable, value, sizeof value);
        if (n == 0 || n >= sizeof value)
            return;
        for (char* entry = std::strtok(value, ";"); entry && found.empty(); entry = std::strtok(nullptr, ";"))
            each(std::string(entry));
    };
    if (found.empty())
        searchList("INCLUDE", [&](const std::string& dir) {
            std::string candidate = cut(dir + "\\" + name);
            if (exists(candidate))
                found = candidate;
        });
    if (found.empty())
        searchList("PATH", [&](std::string dir) {
            while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/'))
                dir.pop_back();
            if (dir.size() < 3 || lstrcmpiA(dir.c_str() + dir.size() - 3, "BIN") != 0)
                return;
            if (std::strlen("MFC\\INCLUDE") + dir.size() - 3 >= 250)
                return;
            std::string base = dir.substr(0, dir.size() - 3);
            for (const char* sub : {"INCLUDE", "OWL\\INCLUDE", "MFC\\INCLUDE"}) {
                std::string candidate = cut(base + sub + "\\" + name);
                if (found.empty() && exists(candidate))
                    found = candidate;
            }
        });
    if (found.empty()) {
        char cwd[256] = {};
        GetCurrentDirectoryA(sizeof cwd, cwd);
        found = cut(std::string(cwd) + "\\" + name);
    }
    EditorServices()->OpenByName(found.c_str());
}

// ---- Keys. ----------------------------------------------------------------------------------------------

void TWindowsEditor::OnChar(unsigned ch)
{
    unsigned command = EditorServices()->LookupKey(&keyState_, TKeyMessage::Char, ch & 0xFF, HeldModifiers());
    if (command)
        ExecuteCommand(command, command == cmInsertChar ? (ch & 0xFF) : 0);
}

bool TWindowsEditor::OnKeyDown(unsigned vk, bool system)
{
    uint16_t before = keyState_;
    unsigned command = EditorServices()->LookupKey(
        &keyState_, system ? TKeyMessage::SysKeyDown : TKeyMessage::KeyDown, vk, HeldModifiers());
    if (!command && keyState_ == before)
        return false;
    // The key is ours: the character it would also produce must not arrive as typing.
    MSG m;
    UINT charMsg = system ? WM_SYSCHAR : WM_CHAR;
    PeekMessageA(&m, hwnd_, charMsg, charMsg, PM_REMOVE);
    if (command)
        ExecuteCommand(command, 0);
    return true;
}

// ---- Mouse. ---------------------------------------------------------------------------------------------

TPosition TWindowsEditor::PointToText(int x, int y) const
{
    TPosition p = PointToTextPosition(x, y, cellWidth_, cellHeight_, topCol, topLine);
    p.col = static_cast<int16_t>(std::clamp<int>(p.col, 0, maxCol));
    p.line = std::clamp<int32_t>(p.line, 0, lastLine);
    return p;
}

void TWindowsEditor::OnLButtonDown(int x, int y, unsigned keys)
{
    if (GetFocus() != hwnd_ || recording)
        return;
    {
        TUpdateBatch batch(*this);
        TPosition p = PointToText(x, y);
        const bool ctrl = keys & MK_CONTROL;
        const bool shift = keys & MK_SHIFT;
        if (x < kMarginWidth) {
            if (ctrl) {
                GotoPosition(0, 0, false);
                GotoPosition(maxCol, lastLine, true);
            } else if (shift) {
                GotoPosition(p.col, p.line, true);
            } else {
                GotoPosition(LineWidth(LineAt(p.line)->text), p.line, false);
                GotoPosition(0, p.line, true);
            }
        } else if (ctrl) {
            GotoPosition(0, p.line, false);
            GotoPosition(LineWidth(LineAt(p.line)->text), p.line, true);
        } else if (shift) {
            GotoPosition(p.col, p.line, true);
        } else {
            GotoPosition(p.col, p.line, false);
        }
        EnsureCursorVisible();
    }
    SetCapture(hwnd_);
}

void TWindowsEditor::OnLButtonDblClk(int x, int y, unsigned)
{
    if (GetFocus() != hwnd_ || recording)
        return;
    TUpdateBatch batch(*this);
    if (x < kMarginWidth) {
        TPosition p = PointToText(x, y);
        GotoPosition(curCol, p.line, false);
        TPosition start, end;
        if (ParagraphBounds(&start, &end)) {
            GotoPosition(start.col, start.line, false);
            GotoPosition(end.col, end.line, true);
        }
        return;
    }
    TPosition p = PointToText(x, y);
    GotoPosition(p.col, p.line, false);
    const char* text = curLine->text;
    const char* at = PointerAtColumn(text, curCol);
    if (ColumnOfPointer(text, at) != curCol || !*at || !IsWordChar(static_cast<unsigned char>(*at))) {
        EnsureCursorVisible();
        return;
    }
    const char* a = at;
    while (a > text && IsWordChar(static_cast<unsigned char>(a[-1])))
        --a;
    const char* b = at;
    while (*b && IsWordChar(static_cast<unsigned char>(*b)))
        ++b;
    GotoPosition(ColumnOfPointer(text, a), curLineNo, false);
    GotoPosition(ColumnOfPointer(text, b), curLineNo, true);
    EnsureCursorVisible();
}

void TWindowsEditor::OnMouseMove(int x, int y, unsigned keys)
{
    if (GetCapture() != hwnd_ || !(keys & MK_LBUTTON) || recording)
        return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
    const DWORD now = GetTickCount();
    if (inside) {
        gAutoScrolling = false;
    } else {
        if (gAutoScrolling && now - gLastStep < kAutoScrollStep) {
            // Too early for the next step: ask for another mouse move and wait for it.
            POINT pt;
            GetCursorPos(&pt);
            SetCursorPos(pt.x, pt.y);
            return;
        }
        gLastStep = now;
        gAutoScrolling = true;
    }
    {
        TUpdateBatch batch(*this);
        TPosition p = PointToTextPosition(x, y, cellWidth_, cellHeight_, topCol, topLine, true);
        GotoPosition(std::max<int>(0, p.col), std::max<int32_t>(0, p.line), true);
        EnsureCursorVisible();
    }
    if (!inside) {
        POINT pt;
        GetCursorPos(&pt);
        SetCursorPos(pt.x, pt.y);
    }
}

void TWindowsEditor::OnLButtonUp()
{
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    gAutoScrolling = false;
}

void TWindowsEditor::OnRButtonDown(int x, int y)
{
    if (GetFocus() != hwnd_ || GetKeyState(VK_LBUTTON) < 0)
        return;
    if (EngineOptions().rightMouseBtn == 1) {
        if (recording)
            return;
        {
            TUpdateBatch batch(*this);
            TPosition p = PointToText(x, y);
            GotoPosition(p.col, p.line, false);
            EnsureCursorVisible();
        }
        HelpKeywordSearch();
        return;
    }
    Notify(kNotifyPopupMenu);
}

// ---- Scroll bars. ---------------------------------------------------------------------------------------

void TWindowsEditor::OnVScroll(int code, int pos)
{
    if (EditorServices()->HelpMode()) {
        EditorServices()->EndHelpMode(15010);
        Notify(kNotifyStatus);
        return;
    }
    const int32_t page = static_cast<int32_t>(winLines);
    int32_t top = topLine;
    switch (code) {
    case SB_LINEUP: top = std::max(0, top - 1); break;
    case SB_LINEDOWN: top = std::min(lastLine, top + 1); break;
    case SB_PAGEUP: top = std::max(0, top - page); break;
    case SB_PAGEDOWN: top = std::min(lastLine, top + page); break;
    case SB_THUMBPOSITION: top = static_cast<int32_t>(pos) * VScrollScale(); break;  // scaled to fit 16 bits
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = lastLine; break;
    default: return;
    }
    if (top != topLine) {
        TUpdateBatch batch(*this);
        ScrollTo(topCol, top);
    }
}

void TWindowsEditor::OnMouseWheel(int delta, bool horizontal)
{
    // Clicks are not recorded either: a scroll that carries the cursor along would not play back.
    if (recording)
        return;
    if ((delta > 0) != (wheelDelta_ > 0))
        wheelDelta_ = 0;  // turned back: what was left over in the other direction does not count
    wheelDelta_ += delta;
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ -= notches * WHEEL_DELTA;
    if (notches == 0)
        return;
    UINT perNotch = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
    if (perNotch == 0)
        return;
    TUpdateBatch batch(*this);
    if (horizontal) {
        const int columns = std::abs(notches) * static_cast<int>(perNotch == WHEEL_PAGESCROLL ? winCols : perNotch);
        // Towards the user (a negative delta) moves the view right, as a tilt to the right does.
        ScrollTo(topCol + (notches < 0 ? columns : -columns), topLine);
        if (curCol < topCol)
            GotoPosition(topCol, curLineNo, selecting);
        else if (winCols > 0 && curCol >= topCol + winCols)
            GotoPosition(topCol + winCols - 1, curLineNo, selecting);
        return;
    }
    // Line by line, as ScrollUp and ScrollDown go: the cursor stays unless it would leave the window.
    const long lines = std::labs(notches) * static_cast<long>(perNotch == WHEEL_PAGESCROLL ? winLines : perNotch);
    for (long i = 0; i < lines; ++i) {
        const int32_t before = topLine;
        if (notches > 0)
            ScrollUp();
        else
            ScrollDown();
        if (topLine == before)
            break;
    }
}

void TWindowsEditor::OnHScroll(int code, int pos)
{
    if (EditorServices()->HelpMode()) {
        EditorServices()->EndHelpMode(15010);
        Notify(kNotifyStatus);
        return;
    }
    int left = topCol;
    switch (code) {
    case SB_LINELEFT: left = std::max(0, left - 1); break;
    case SB_LINERIGHT: if (left < 1023) ++left; break;
    case SB_PAGELEFT: left = std::max(0, left - 8); break;
    case SB_PAGERIGHT: left = left < 400 ? left + 8 : 400; break;
    case SB_THUMBPOSITION: left = pos; break;
    case SB_LEFT: left = 0; break;
    case SB_RIGHT: if (left < 400) left = 400; break;
    default: return;
    }
    if (left != topCol) {
        TUpdateBatch batch(*this);
        ScrollTo(left, topLine);
    }
}
