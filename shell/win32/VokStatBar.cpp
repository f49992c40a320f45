// The status bar window: panes redrawn only when their text changes, sunken boxes, and the help line.
#include "shell/win32/VokStatBar.h"

#include <cstdio>

#include "base/win32/GdiTools.h"
#include "base/win32/WindowObject.h"

namespace {

constexpr COLORREF kBarGrey = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);

struct TStatPane {
    TStatPaneKind kind = TStatPaneKind::Text;
    const int* number = nullptr;
    const char* text = nullptr;
    TStatTextFn function;
    std::string shown;
    int left = 0;
    int right = 0;
};

// One status bar and its panes. Owns the copies of the shown texts; sources are borrowed.
class TStatBarWindow {
public:
    explicit TStatBarWindow(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    void SetFont(HFONT f) noexcept
    {
        font = f;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    void SetStyle(int s) noexcept
    {
        style = s;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    bool AddPane(TStatPane pane) noexcept;
    bool AddFrame(int left, int right) noexcept;
    bool HelpMode() const noexcept { return helpMode; }
    const std::string& HelpLine() const noexcept { return helpText; }
    void ShowHelp(const char* text) noexcept;
    void LeaveHelp() noexcept;
    void Refresh(bool full) noexcept;
    int PaneCount() const noexcept { return paneCount; }
    RECT PaneRect(int index) const noexcept;
    const std::string& Shown(int index) const noexcept { return panes[index].shown; }

private:
    std::string Current(const TStatPane& pane) const noexcept;
    void Paint(HDC dc, const RECT& area) noexcept;

    HWND hwnd;
    bool helpMode = false;
    std::string helpText;
    int style = kStatBarStyleNew;
    HFONT font = nullptr;
    TStatPane panes[kStatBarMaxPanes];
    int paneCount = 0;
    struct {
        int left, right;
    } frames[kStatBarMaxFrames] = {};
    int frameCount = 0;
};

bool TStatBarWindow::AddPane(TStatPane pane) noexcept
{
    if (paneCount >= kStatBarMaxPanes)
        return false;
    try {
        panes[paneCount] = std::move(pane);
    } catch (...) {
        return false;
    }
    ++paneCount;
    return true;
}

bool TStatBarWindow::AddFrame(int left, int right) noexcept
{
    if (frameCount >= kStatBarMaxFrames)
        return false;
    frames[frameCount++] = {left, right};
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

std::string TStatBarWindow::Current(const TStatPane& pane) const noexcept
{
    try {
        switch (pane.kind) {
        case TStatPaneKind::Number: {
            if (!pane.number)
                return {};
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%d", *pane.number);
            return buffer;
        }
        case TStatPaneKind::Text:
            return pane.text ? pane.text : "";
        case TStatPaneKind::Function:
            return pane.function ? pane.function() : std::string();
        }
    } catch (...) {
        // A failing source shows as blank rather than taking the window procedure down.
    }
    return {};
}

RECT TStatBarWindow::PaneRect(int index) const noexcept
{
    RECT client;
    GetClientRect(hwnd, &client);
    return {panes[index].left, 2, panes[index].right, client.bottom - 2};
}

void TStatBarWindow::Refresh(bool full) noexcept
{
    for (int i = 0; i < paneCount; ++i) {
        std::string now = Current(panes[i]);
        if (!full && now == panes[i].shown)
            continue;
        panes[i].shown.swap(now);
        if (!helpMode) {
            RECT r = PaneRect(i);
            InvalidateRect(hwnd, &r, FALSE);
        }
    }
    if (full && !helpMode)
        InvalidateRect(hwnd, nullptr, FALSE);
}

void TStatBarWindow::ShowHelp(const char* text) noexcept
{
    try {
        helpText = text ? text : "";
    } catch (...) {
        helpText.clear();
    }
    helpMode = true;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void TStatBarWindow::LeaveHelp() noexcept
{
    if (!helpMode)
        return;
    helpMode = false;
    helpText.clear();
    Refresh(true);
}

void TStatBarWindow::Paint(HDC dc, const RECT& area) noexcept
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillSolid(dc, area, kBarGrey);
    if (style == kStatBarStyleOld)
        DrawHLine(dc, client.left, client.right, client.top, kBlack);
    else
        DrawHLine(dc, client.left, client.right, client.top, kWhite);
    TSelectObject useFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(ANSI_VAR_FONT));
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kBarGrey);
    if (helpMode) {
        RECT line{client.left + 2, 2, client.right - 2, client.bottom - 1};
        DrawBevel(dc, line, kShadow, kWhite);
        InflateRect(&line, -2, 0);
        ExtTextOutA(dc, line.left, kStatBarTextTop, ETO_CLIPPED, &line, helpText.c_str(),
                    static_cast<UINT>(helpText.size()), nullptr);
        return;
    }
    for (int i = 0; i < frameCount; ++i) {
        RECT box{frames[i].left, 1, frames[i].right, client.bottom - 1};
        DrawBevel(dc, box, kShadow, kWhite);
    }
    for (int i = 0; i < paneCount; ++i) {
        RECT r = PaneRect(i);
        RECT overlap;
        if (!IntersectRect(&overlap, &r, &area))
            continue;
        ExtTextOutA(dc, r.left, kStatBarTextTop, ETO_CLIPPED | ETO_OPAQUE, &r, panes[i].shown.c_str(),
                    static_cast<UINT>(panes[i].shown.size()), nullptr);
    }
}

LRESULT TStatBarWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        TPaintScope paint(hwnd);
        Paint(paint.Dc(), paint.Area());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT r;
        GetClientRect(hwnd, &r);
        Paint(reinterpret_cast<HDC>(wParam), r);
        return 0;
    }
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TStatBarWindow* StatBar(HWND hwnd) noexcept
{
    return WindowObjectOf<TStatBarWindow>(hwnd);
}

}  // namespace

bool TVokStatBar::RegisterClass(HINSTANCE instance) noexcept
{
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kClassName, &existing))
        return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowObjectProc<TStatBarWindow>;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

HWND TVokStatBar::Create(HWND parent, int id, const RECT& r, HINSTANCE instance) noexcept
{
    hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           nullptr);
    return hwnd;
}

void TVokStatBar::SetFont(HFONT font) noexcept
{
    if (TStatBarWindow* bar = StatBar(hwnd))
        bar->SetFont(font);
}

void TVokStatBar::SetStyle(int style) noexcept
{
    if (TStatBarWindow* bar = StatBar(hwnd))
        bar->SetStyle(style);
}

bool TVokStatBar::AddNumberPane(const int* value, int left, int right) noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    TStatPane pane;
    pane.kind = TStatPaneKind::Number;
    pane.number = value;
    pane.left = left;
    pane.right = right;
    return bar && bar->AddPane(std::move(pane));
}

bool TVokStatBar::AddTextPane(const char* text, int left, int right) noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    TStatPane pane;
    pane.kind = TStatPaneKind::Text;
    pane.text = text;
    pane.left = left;
    pane.right = right;
    return bar && bar->AddPane(std::move(pane));
}

bool TVokStatBar::AddFunctionPane(TStatTextFn source, int left, int right) noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    TStatPane pane;
    pane.kind = TStatPaneKind::Function;
    pane.function = std::move(source);
    pane.left = left;
    pane.right = right;
    return bar && bar->AddPane(std::move(pane));
}

bool TVokStatBar::AddFrame(int left, int right) noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    return bar && bar->AddFrame(left, right);
}

bool TVokStatBar::IsHelpMode() const noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    return bar && bar->HelpMode();
}

void TVokStatBar::ShowHelpText(const char* text) noexcept
{
    if (TStatBarWindow* bar = StatBar(hwnd))
        bar->ShowHelp(text);
}

void TVokStatBar::LeaveHelpText() noexcept
{
    if (TStatBarWindow* bar = StatBar(hwnd))
        bar->LeaveHelp();
}

void TVokStatBar::Refresh(bool full) noexcept
{
    if (TStatBarWindow* bar = StatBar(hwnd))
        bar->Refresh(full);
}

bool TVokStatBar::PaneRect(int index, RECT& r) const noexcept
{
    TStatBarWindow* bar = StatBar(hwnd);
    if (!bar || index < 0 || index >= bar->PaneCount())
        return false;
    r = bar->PaneRect(index);
    return true;
}

std::string TVokStatBar::PaneText(int index) const
{
    TStatBarWindow* bar = StatBar(hwnd);
    if (!bar || index < 0 || index >= bar->PaneCount())
        return {};
    return bar->Shown(index);
}

std::string TVokStatBar::HelpText() const
{
    TStatBarWindow* bar = StatBar(hwnd);
    return bar && bar->HelpMode() ? bar->HelpLine() : std::string();
}
