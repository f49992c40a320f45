// Scenes of the control library and the bar windows: a dialog of every control beside a frame with a tool bar
// and a status bar, and a message box.
#include "screenshots/win32/Scenes.h"

#include <string>
#include <utility>

#include "controls/VokCtl.h"
#include "shell/win32/VokBtnBar.h"
#include "shell/win32/VokStatBar.h"
#include "shell/win32/VokToolTip.h"
#include "support/win32/Win32TestSupport.h"

namespace {

// A 16x15 button face with a small coloured glyph, standing in for the program's bitmap resources.
HBITMAP GlyphBitmap(int n)
{
    static const COLORREF colours[] = {RGB(0, 0, 160), RGB(160, 0, 0), RGB(0, 128, 0), RGB(128, 0, 128)};
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 15);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT r{0, 0, 16, 15};
    FillRect(mem, &r, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH brush = CreateSolidBrush(colours[n % 4]);
    HGDIOBJ oldBrush = SelectObject(mem, brush);
    switch (n % 3) {
    case 0:
        Rectangle(mem, 3, 2, 13, 13);
        break;
    case 1:
        Ellipse(mem, 2, 2, 14, 13);
        break;
    default: {
        POINT tri[] = {{8, 2}, {14, 12}, {2, 12}};
        Polygon(mem, tri, 3);
    }
    }
    SelectObject(mem, oldBrush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool SceneTip(UINT command, char* buffer, int, void*)
{
    wsprintfA(buffer, "Command %u", command);
    return true;
}

INT_PTR CALLBACK PlainDlgProc(HWND, UINT msg, WPARAM, LPARAM) noexcept
{
    return msg == WM_INITDIALOG;
}

}  // namespace

int ShowDialogAndFrame(DWORD ms)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    if (!TVokBtnBar::RegisterClass(self) || !TVokStatBar::RegisterClass(self))
        return 1;

    HWND frame = CreateWindowA("Static", "Vok Text Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 360,
                               nullptr, nullptr, self, nullptr);
    if (!frame)
        return 1;
    RECT client;
    GetClientRect(frame, &client);
    TVokBtnBar bar;
    bar.Create(frame, 70, RECT{0, 0, client.right, 28}, kBtnBarGroup95 | kBtnBarTips | 0x02, self);
    bar.SetNotify(WM_COMMAND, 4, 3);
    bar.SetTipSource(SceneTip, nullptr);
    int separatorsAfter[] = {3, 5, 8, 10, 12, 14, 18, 20};
    for (int i = 0, s = 0; i < 21; ++i) {
        (void)bar.AddItem(TBtnItemKind::Push, 101 + i, GlyphBitmap(i), nullptr, kBtnOwnsBitmap);
        if (s < 8 && i + 1 == separatorsAfter[s]) {
            (void)bar.AddItem(TBtnItemKind::Separator, 0, nullptr, nullptr);
            ++s;
        }
    }
    bar.EnableItem(110, false);
    bar.SetItemState(102, kBtnChecked, true);
    HWND client2 = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "The quick brown fox\r\njumps over the lazy dog.",
                                   WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 28, client.right, client.bottom - 28 - 22,
                                   frame, nullptr, self, nullptr);
    (void)client2;
    TVokStatBar status;
    status.Create(frame, 71, RECT{0, client.bottom - 22, client.right, client.bottom}, self);
    static int line = 128, column = 17;
    static char code[] = "0x61, 97";
    static char mode[] = "Insert";
    static char format[] = "DOS";
    (void)status.AddNumberPane(&line, 30, 80);
    (void)status.AddNumberPane(&column, 110, 150);
    (void)status.AddTextPane(code, 160, 240);
    (void)status.AddFunctionPane([] { return std::string("Modified"); }, 260, 330);
    (void)status.AddTextPane(mode, 345, 410);
    (void)status.AddTextPane(format, 425, 470);
    for (auto [l, r] : {std::pair{4, 246}, std::pair{255, 336}, std::pair{340, 416}, std::pair{420, 476}})
        (void)status.AddFrame(l, r);
    status.Refresh(true);
    RECT button;
    bar.ItemRect(106, button);
    MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);

    TDlgTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 230, 150, VOKCTL_DIALOG_CLASS, "Options");
    t.Add(VOKCTL_BUTTON_CLASS, "Editing", 300, BS_GROUPBOX, 6, 4, 110, 64);
    t.Add(VOKCTL_CHECK_CLASS, "&Auto indent", 301, WS_TABSTOP, 12, 16, 96, 10);
    t.Add(VOKCTL_CHECK_CLASS, "&Word wrap", 302, WS_TABSTOP, 12, 28, 96, 10);
    t.Add(VOKCTL_RADIO_CLASS, "&Insert", 303, WS_GROUP | WS_TABSTOP, 12, 40, 96, 10);
    t.Add(VOKCTL_RADIO_CLASS, "&Overwrite", 304, 0, 12, 52, 96, 10);
    t.Add(VOKCTL_TEXT_CLASS, "Tab size:", 305, VOKTEXT_BOLD, 124, 10, 50, 10);
    t.Add("Edit", "4", 306, WS_BORDER | WS_TABSTOP, 124, 22, 30, 12);
    t.Add(VOKCTL_ARROW_CLASS, "", 307, 0, 154, 22, 9, 12);
    t.Add(VOKCTL_TEXT_CLASS, "Undo levels:", 308, VOKTEXT_ITALIC, 124, 40, 60, 10);
    t.Add("Edit", "80", 309, WS_BORDER | WS_TABSTOP, 124, 52, 30, 12);
    t.Add(VOKCTL_ARROW_CLASS, "", 310, 0, 154, 52, 9, 12);
    t.Add(VOKCTL_SHADE_CLASS, "", 311, VOKSHADE_SUNKENHLINE, 6, 74, 218, 4);
    t.Add(VOKCTL_BITMAP_CLASS, "", 904, 0, 10, 84, 22, 22);
    t.Add(VOKCTL_SHADE_CLASS, "", 312, VOKSHADE_WHITEFRAME, 40, 84, 184, 30);
    t.Add(VOKCTL_TEXT_CLASS, "Settings are saved in ozm.ini when the program ends.", 313, 0, 46, 88, 172, 22);
    t.Add(VOKCTL_BUTTON_CLASS, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 128, 50, 14);
    t.Add(VOKCTL_BUTTON_CLASS, "Cancel", IDCANCEL, WS_TABSTOP, 120, 128, 50, 14);
    HWND dlg = CreateDialogIndirectParamA(self, t.Get(), frame, PlainDlgProc, 0);
    if (!dlg) {
        DestroyWindow(frame);
        return 1;
    }
    SetArrowButton(dlg, 307, 306, TRUE, VOKARROW_NUMERIC, FALSE, 2, 32, FALSE, 4, 1);
    SetArrowButton(dlg, 310, 309, TRUE, VOKARROW_NUMERIC, FALSE, 1, 80, FALSE, 80, 1);
    CheckDlgButton(dlg, 301, BST_CHECKED);
    CheckDlgButton(dlg, 303, BST_CHECKED);
    SetWindowPos(dlg, HWND_TOP, 700, 60, 0, 0, SWP_NOSIZE);
    SendMessageA(GetDlgItem(dlg, 313), VOKTEXT_SETTEXTCOLOR, 0, RGB(0, 0, 128));
    SendMessageA(GetDlgItem(dlg, 313), VOKTEXT_SETBKCOLOR, 0, RGB(255, 255, 255));
    PumpMessages(200);
    TVokToolTip::Show("Save", &button);
    PumpMessages(ms);
    DestroyWindow(dlg);
    DestroyWindow(frame);
    return 0;
}

int ShowMessageBox(DWORD ms)
{
    DWORD until = GetTickCount() + ms;
    TModalDriver::Run(
        "Vok Text Editor",
        [] {
            return VokMessageBox(nullptr, "Do you want to save the key mapping and macro changes?", "Vok Text Editor",
                                 MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        },
        [until](HWND box, int) {
            if (static_cast<LONG>(GetTickCount() - until) < 0)
                return false;
            TModalDriver::PressKey(box, VK_ESCAPE);
            return true;
        });
    return 0;
}
