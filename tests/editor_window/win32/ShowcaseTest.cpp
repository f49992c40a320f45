// Not a check: shows two editor windows for a screenshot (run with --gtest_also_run_disabled_tests).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/ByteStream.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"

namespace {
LRESULT CALLBACK ShowFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static HWND client = nullptr;
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                                 0, 0, 0, hwnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

// Writes what the screen shows as a 24-bit BMP file.
void SaveScreen(const char* path)
{
    HDC screen = GetDC(nullptr);
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi = {sizeof bi, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    int stride = (w * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * h, '\0');
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER bf = {0x4D42, static_cast<DWORD>(sizeof bf + sizeof bi + pixels.size()), 0, 0,
                           sizeof bf + sizeof bi};
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(&bf, sizeof bf, 1, f);
        std::fwrite(&bi, sizeof bi, 1, f);
        std::fwrite(pixels.data(), 1, pixels.size(), f);
        std::fclose(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

void Fill(TWindowsEditor* ed, const std::string& text)
{
    TMemInStream in(text);
    (void)ed->ReadFile(in, nullptr);
}
}  // namespace

TEST(Showcase, DISABLED_TwoDocuments)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    TWindowsEditor::Register(instance);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ShowFrameProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VokShowFrame";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    RegisterClassA(&wc);
    HWND frame = CreateWindowA("VokShowFrame", "Vok Text Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024,
                               700, nullptr, nullptr, instance, nullptr);
    HWND client = reinterpret_cast<HWND>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    RECT area;
    GetClientRect(frame, &area);
    MoveWindow(client, 0, 0, area.right, area.bottom, TRUE);
    HFONT font = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");

    RECT left = {0, 0, 500, 640};
    TWindowsEditor* a = TWindowsEditor::Create(client, "C:\\work\\column.c", 1, &left, false);
    a->SetEditorFont(font, true);
    Fill(a, "#include <stdio.h>\n\nint main(void)\n{\n\tint values[] = {1, 2, 3};\n\tfor (int i = 0; i < 3; ++i)\n"
            "\t\tprintf(\"%d\\n\", values[i]);\n\treturn 0;\n}\n/* column block: */\nalpha   beta    gamma\n"
            "one     two     three\nred     green   blue\n");
    a->SetSelMode(true);
    a->GotoPosition(8, 10, false);
    a->GotoPosition(14, 12, true);

    RECT right = {500, 0, 1010, 640};
    TWindowsEditor* b = TWindowsEditor::Create(client, "C:\\work\\long.txt", 2, &right, false);
    b->SetEditorFont(font, true);
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "Line " + std::to_string(i) + ": \xC8" "esto se pi\x9A" "e kva\xE8" "ica i \x9E" "uta \xF0" "ak.\n";
    Fill(b, text);
    b->GotoPosition(0, 120, false);
    b->GotoPosition(20, 123, true);
    b->EnsureCursorVisible();
    b->ScrollTo(4, 110);
    // Children created after the frame was shown are not painted by Wine until asked.
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    const char* seconds = std::getenv("VOK_SHOW_SECONDS");
    DWORD until = GetTickCount() + 1000u * static_cast<DWORD>(seconds ? std::atoi(seconds) : 3);
    while (GetTickCount() < until) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(20);
    }
    if (const char* shot = std::getenv("VOK_SHOT_FILE"))
        SaveScreen(shot);
    a->modified = b->modified = false;
    DestroyWindow(frame);
    DeleteObject(font);
}
