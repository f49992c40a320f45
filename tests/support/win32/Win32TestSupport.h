// Helpers for the window tests: in-memory dialog templates, a message pump, and a driver for modal boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Builds a DLGTEMPLATE in memory so tests can make dialogs of any class without resource files.
class TDlgTemplate {
public:
    TDlgTemplate(DWORD style, short x, short y, short cx, short cy, const char* className, const char* title)
    {
        Push32(style | DS_SETFONT);
        Push32(0);
        countAt = words.size();
        words.push_back(0);
        for (short v : {x, y, cx, cy})
            words.push_back(static_cast<WORD>(v));
        words.push_back(0);  // no menu
        PushString(className);
        PushString(title);
        words.push_back(8);
        PushString("MS Sans Serif");
    }

    TDlgTemplate& Add(const char* className, const char* text, WORD id, DWORD style, short x, short y, short cx,
                      short cy)
    {
        if (words.size() % 2)
            words.push_back(0);
        Push32(style | WS_CHILD | WS_VISIBLE);
        Push32(0);
        for (short v : {x, y, cx, cy})
            words.push_back(static_cast<WORD>(v));
        words.push_back(id);
        PushString(className);
        PushString(text);
        words.push_back(0);
        ++words[countAt];
        return *this;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void Push32(DWORD v)
    {
        words.push_back(LOWORD(v));
        words.push_back(HIWORD(v));
    }
    void PushString(const char* s)
    {
        for (; s && *s; ++s)
            words.push_back(static_cast<unsigned char>(*s));
        words.push_back(0);
    }

    std::vector<WORD> words;
    size_t countAt = 0;
};

// Dispatches whatever is queued for about `ms` milliseconds.
inline void PumpMessages(DWORD ms = 0)
{
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms)
            Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

inline std::string WindowText(HWND hwnd)
{
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    text.resize(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

inline std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// Runs a call that opens a modal box titled `caption` and, from a thread timer while the box is open, hands
// the box to `step` once per tick with the tick number; `step` returns true once it has closed the box or
// posted what closes it. A box still open after many ticks is ended with -99, so a fault cannot hang the run.
class TModalDriver {
public:
    using TStep = std::function<bool(HWND box, int tick)>;

    static int Run(const char* caption, const std::function<int()>& open, TStep step)
    {
        TModalDriver& d = Current();
        d.caption = caption;
        d.step = std::move(step);
        d.tick = 0;
        d.finished = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 40, &TModalDriver::OnTimer);
        int result = open();
        KillTimer(nullptr, timer);
        d.step = nullptr;
        return result;
    }

    // Posts a key press to the box's focused control, as the user's keyboard would deliver it.
    static void PressKey(HWND box, UINT key)
    {
        HWND target = GetFocus();
        if (!target || (target != box && !IsChild(box, target)))
            target = box;
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    }

private:
    static TModalDriver& Current()
    {
        static TModalDriver driver;
        return driver;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        TModalDriver& d = Current();
        HWND box = FindWindowA(nullptr, d.caption.c_str());
        if (!box || !IsWindowVisible(box))
            return;
        int tick = d.tick++;
        if (tick > 60) {
            if (!EndDialog(box, -99))
                PostMessageA(box, WM_CLOSE, 0, 0);
            return;
        }
        if (!d.finished && d.step)
            d.finished = d.step(box, tick);
    }

    std::string caption;
    TStep step;
    int tick = 0;
    bool finished = false;
};
