// Times the editor window on a large file: load to first paint, paging, jumping to the end, full repaints.
#include <windows.h>

#include <cstdio>
#include <string>

#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"

namespace {
double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static HWND client = nullptr;
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

// About 100 MB in 2 million lines of mixed length, the same bytes every run.
void WriteTestFile(const char* path, std::size_t targetBytes)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return;
    unsigned rng = 12345;
    std::string line;
    std::size_t written = 0;
    static const char* words[] = {"int", "value", "return", "the", "editor", "\t", "{", "}", "if", "x = y + 1;",
                                  "kva\xE8ica", "// note", "for", "while", "const", "char*"};
    while (written < targetBytes) {
        rng = rng * 1103515245u + 12345u;
        int n = static_cast<int>((rng >> 16) % 16);
        line.clear();
        for (int i = 0; i < n; ++i) {
            rng = rng * 1103515245u + 12345u;
            line += words[(rng >> 16) % 16];
            line += ' ';
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
        written += line.size();
    }
    std::fclose(f);
}
}  // namespace

int main()
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    std::string path = std::string(dir) + "vok_window_bench.txt";
    WriteTestFile(path.c_str(), 100u * 1000u * 1000u);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    TWindowsEditor::Register(instance);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VokBenchFrame";
    RegisterClassA(&wc);
    HWND frame = CreateWindowA("VokBenchFrame", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280, 1000,
                               nullptr, nullptr, instance, nullptr);
    HWND client = reinterpret_cast<HWND>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    HFONT font = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");

    double t0 = Now();
    TWindowsEditor* ed = TWindowsEditor::Create(client, path.c_str(), 1, nullptr, true);
    ed->SetEditorFont(font, false);
    bool loaded = ed->LoadFile(path.c_str(), true);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    double tLoad = Now() - t0;

    t0 = Now();
    const int pages = 200;
    for (int i = 0; i < pages; ++i) {
        ed->ExecuteCommand(cmPageDown, 0);
        UpdateWindow(ed->Handle());
    }
    double tPage = (Now() - t0) / pages;

    t0 = Now();
    ed->ExecuteCommand(cmTextEnd, 0);
    UpdateWindow(ed->Handle());
    double tEnd = Now() - t0;

    const int repaints = 100;
    t0 = Now();
    for (int i = 0; i < repaints; ++i) {
        InvalidateRect(ed->Handle(), nullptr, FALSE);
        UpdateWindow(ed->Handle());
    }
    double tRepaint = (Now() - t0) / repaints;

    std::printf("loaded: %s, %ld lines, window %d x %d cells\n", loaded ? "yes" : "no",
                static_cast<long>(ed->lastLine) + 1, ed->winCols, static_cast<int>(ed->winLines));
    std::printf("open 100 MB to first paint: %.0f ms\n", tLoad * 1000);
    std::printf("page down (average of %d): %.2f ms\n", pages, tPage * 1000);
    std::printf("jump to end: %.2f ms\n", tEnd * 1000);
    std::printf("full repaint of the maximised window (average of %d): %.2f ms\n", repaints, tRepaint * 1000);

    ed->modified = false;
    DestroyWindow(frame);
    DeleteObject(font);
    DeleteFileA(path.c_str());
    return loaded ? 0 : 1;
}
