// The spin arrow: steps its buddy edit field up or down, with repeats while held, and SetArrowButton.
#include "controls/CtlArrow.h"

#include <cstdio>
#include <cstdlib>

#include "base/win32/WindowObject.h"
#include "controls/CtlLibrary.h"
#include "controls/VokCtl.h"

namespace {

int ClampShort(int value) noexcept
{
    return value < -32768 ? -32768 : (value > 32767 ? 32767 : value);
}

// One spin arrow bound to an edit field of the same parent by id. Owns nothing but its timer.
class TCtlArrow {
public:
    explicit TCtlArrow(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    enum class Half { None, Up, Down };

    HWND Buddy() const noexcept { return GetDlgItem(GetParent(hwnd), editId); }
    void Notify(WORD code) noexcept;
    void Attach(int id, bool resize) noexcept;
    void Step() noexcept;
    std::optional<int> ReadNumber() const noexcept;
    void StepNumber() noexcept;
    void StepCharacter() noexcept;
    void OnButtonDown(int y) noexcept;
    void OnButtonUp() noexcept;
    void OnTimer() noexcept;
    void Paint(HDC dc) noexcept;

    HWND hwnd;
    int editId = 0;
    bool characterMode = false;
    bool stopWhenEmpty = false;
    bool signedValues = false;
    TArrowRange range{0, 32767, 0, 1};
    Half pressed = Half::None;
    bool repeating = false;
};

void TCtlArrow::Notify(WORD code) noexcept
{
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

// Puts the arrow beside the field: same top, one pixel taller, three pixels wider with sunken frames.
void TCtlArrow::Attach(int id, bool resize) noexcept
{
    editId = id;
    HWND edit = Buddy();
    if (!resize || !edit)
        return;
    HWND parent = GetParent(hwnd);
    RECT e, a;
    GetWindowRect(edit, &e);
    GetWindowRect(hwnd, &a);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&e), 2);
    int width = a.right - a.left + ((CtlLibrary().dialogMode & VOKDLG_SUNKEN) ? 3 : 0);
    SetWindowPos(hwnd, nullptr, e.right, e.top, width, e.bottom - e.top + 1, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<int> TCtlArrow::ReadNumber() const noexcept
{
    char text[32] = {};
    GetWindowTextA(Buddy(), text, sizeof text);
    const char* p = text;
    while (*p == ' ')
        ++p;
    if (!signedValues && *p == '-')
        return std::nullopt;
    char* end = nullptr;
    long value = std::strtol(p, &end, 10);
    if (end == p)
        return std::nullopt;
    while (*end == ' ')
        ++end;
    if (*end)
        return std::nullopt;
    return static_cast<int>(value < -2147483647L ? -2147483647L : value);
}

void TCtlArrow::StepNumber() noexcept
{
    std::optional<int> next = NextArrowValue(ReadNumber(), pressed == Half::Up, range, stopWhenEmpty);
    if (!next)
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", *next);
    SetWindowTextA(Buddy(), text);
}

void TCtlArrow::StepCharacter() noexcept
{
    char text[4] = {};
    int value = GetWindowTextA(Buddy(), text, sizeof text) > 0 ? static_cast<unsigned char>(text[0])
                                                                 : range.defaultValue;
    if (text[0]) {
        if (pressed == Half::Up && value + 1 <= range.maximum)
            ++value;
        else if (pressed == Half::Down && value - 1 >= range.minimum)
            --value;
    }
    char out[2] = {static_cast<char>(value), 0};
    SetWindowTextA(Buddy(), out);
}

void TCtlArrow::Step() noexcept
{
    if (!Buddy())
        return;
    if (characterMode)
        StepCharacter();
    else
        StepNumber();
    Notify(VOKARROW_STEPPED);
}

void TCtlArrow::OnButtonDown(int y) noexcept
{
    if (!IsWindowEnabled(hwnd))
        return;
    RECT r;
    GetClientRect(hwnd, &r);
    pressed = y < (r.bottom - r.top) / 2 ? Half::Up : Half::Down;
    repeating = false;
    SetCapture(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    Step();
    SetTimer(hwnd, kArrowRepeatTimer, VOKARROW_FIRST_DELAY, nullptr);
}

void TCtlArrow::OnButtonUp() noexcept
{
    if (pressed == Half::None)
        return;
    pressed = Half::None;
    KillTimer(hwnd, kArrowRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(VOKARROW_RELEASED);
}

void TCtlArrow::OnTimer() noexcept
{
    if (pressed == Half::None) {
        KillTimer(hwnd, kArrowRepeatTimer);
        return;
    }
    if (!repeating) {
        repeating = true;
        SetTimer(hwnd, kArrowRepeatTimer, VOKARROW_REPEAT_DELAY, nullptr);
    }
    Step();
}

void TCtlArrow::Paint(HDC dc) noexcept
{
    const TCtlLibrary& lib = CtlLibrary();
    RECT r;
    GetClientRect(hwnd, &r);
    int middle = (r.bottom - r.top) / 2;
    RECT halves[2] = {{r.left, r.top, r.right, middle}, {r.left, middle, r.right, r.bottom}};
    bool enabled = IsWindowEnabled(hwnd) != 0;
    for (int i = 0; i < 2; ++i) {
        RECT h = halves[i];
        bool down = (i == 0 && pressed == Half::Up) || (i == 1 && pressed == Half::Down);
        FillSolid(dc, h, lib.lightGrey);
        DrawBevel(dc, h, kBlack, kBlack);
        InflateRect(&h, -1, -1);
        if (down)
            DrawBevel(dc, h, kDarkGrey, lib.lightGrey);
        else
            DrawBevel(dc, h, kWhite, kDarkGrey);
        const TMaskedBitmap& glyph = i == 0 ? lib.arrowUp : lib.arrowDown;
        SIZE s = glyph.Size();
        int x = h.left + (h.right - h.left - s.cx) / 2 + (down ? 1 : 0);
        int y = h.top + (h.bottom - h.top - s.cy) / 2 + (down ? 1 : 0);
        if (enabled)
            glyph.Draw(dc, x, y);
        else
            lib.arrowGrey.Draw(dc, x, y, i * s.cx, 0, s.cx, s.cy);
    }
}

LRESULT TCtlArrow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case VOKARROW_NUMERIC:
    case VOKARROW_CHARACTER:
        characterMode = msg == VOKARROW_CHARACTER;
        editId = static_cast<int>(wParam);
        stopWhenEmpty = lParam != 0;
        return 1;
    case VOKARROW_ATTACH:
        Attach(static_cast<int>(wParam), lParam != 0);
        return 1;
    case VOKARROW_SIGNED:
        signedValues = wParam != 0;
        return 1;
    case VOKARROW_STEP:
        range.step = static_cast<int>(wParam) > 0 ? static_cast<int>(wParam) : 1;
        return 1;
    case VOKARROW_RANGE:
        range.defaultValue = ClampShort(static_cast<int>(wParam));
        range.minimum = static_cast<short>(LOWORD(lParam));
        range.maximum = static_cast<short>(HIWORD(lParam));
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            OnButtonUp();
        return 0;
    case WM_TIMER:
        if (wParam == kArrowRepeatTimer)
            OnTimer();
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        TPaintScope paint(hwnd);
        Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kArrowRepeatTimer);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterArrowClass(HINSTANCE instance) noexcept
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowObjectProc<TCtlArrow>;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = VOKCTL_ARROW_CLASS;
    return RegisterCtlClass(wc);
}

extern "C" int VOKCTLAPI SetArrowButton(HWND dialog, int arrowId, int editId, BOOL resize, UINT modeMessage,
                                        BOOL signedValues, int minimum, int maximum, BOOL stopWhenEmpty,
                                        int defaultValue, int step)
{
    HWND arrow = GetDlgItem(dialog, arrowId);
    if (!arrow)
        return 1;
    UINT mode = modeMessage == VOKARROW_CHARACTER ? VOKARROW_CHARACTER : VOKARROW_NUMERIC;
    SendMessageA(arrow, mode, static_cast<WPARAM>(editId), stopWhenEmpty ? 1 : 0);
    SendMessageA(arrow, VOKARROW_ATTACH, static_cast<WPARAM>(editId), resize ? 1 : 0);
    SendMessageA(arrow, VOKARROW_SIGNED, signedValues ? 1 : 0, 0);
    SendMessageA(arrow, VOKARROW_STEP, static_cast<WPARAM>(step), 0);
    SendMessageA(arrow, VOKARROW_RANGE, static_cast<WPARAM>(ClampShort(defaultValue)),
                 MAKELPARAM(static_cast<WORD>(ClampShort(minimum)), static_cast<WORD>(ClampShort(maximum))));
    return 1;
}
