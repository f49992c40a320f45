// Header-only GDI tools shared by the control library and the program: owned handles, scoped DCs, edges.
#pragma once

#include <windows.h>

// Owns one GDI object (font, brush, pen, bitmap) and deletes it; copying would delete it twice.
template <class H>
class TGdiHandle {
public:
    TGdiHandle() noexcept = default;
    explicit TGdiHandle(H h) noexcept : handle(h) {}
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    TGdiHandle(TGdiHandle&& other) noexcept : handle(other.Detach()) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept { Reset(other.Detach()); return *this; }
    ~TGdiHandle() { Reset(); }

    H Get() const noexcept { return handle; }
    explicit operator bool() const noexcept { return handle != nullptr; }
    H Detach() noexcept { H h = handle; handle = nullptr; return h; }
    void Reset(H h = nullptr) noexcept
    {
        if (handle)
            DeleteObject(handle);
        handle = h;
    }

private:
    H handle = nullptr;
};

// Selects an object into a DC for one scope and puts the previous one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) noexcept : dc(dc), old(object ? SelectObject(dc, object) : nullptr) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() { if (old) SelectObject(dc, old); }

private:
    HDC dc;
    HGDIOBJ old;
};

// GetDC/ReleaseDC for one scope: the client area of a window, or the screen for a null window. With
// TArea::Window it is the whole window, frame and caption included (GetWindowDC).
class TWindowDC {
public:
    enum class TArea { Client, Window };
    explicit TWindowDC(HWND hwnd, TArea area = TArea::Client) noexcept
        : hwnd(hwnd), dc(area == TArea::Window ? GetWindowDC(hwnd) : GetDC(hwnd))
    {
    }
    TWindowDC(const TWindowDC&) = delete;  // a copy would release the DC twice
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() { if (dc) ReleaseDC(hwnd, dc); }
    HDC Dc() const noexcept { return dc; }

private:
    HWND hwnd;
    HDC dc;
};

// A memory DC compatible with another (CreateCompatibleDC), deleted when the scope ends. Objects
// selected into it through TSelectObject must be declared after it, so they are put back first.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible) noexcept : dc(CreateCompatibleDC(compatible)) {}
    TMemoryDC(const TMemoryDC&) = delete;  // a copy would delete the DC twice
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    ~TMemoryDC() { if (dc) DeleteDC(dc); }
    HDC Dc() const noexcept { return dc; }

private:
    HDC dc;
};

// BeginPaint/EndPaint for one WM_PAINT.
class TPaintScope {
public:
    explicit TPaintScope(HWND hwnd) noexcept : hwnd(hwnd) { dc = BeginPaint(hwnd, &ps); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    ~TPaintScope() { EndPaint(hwnd, &ps); }
    HDC Dc() const noexcept { return dc; }
    const RECT& Area() const noexcept { return ps.rcPaint; }

private:
    HWND hwnd;
    PAINTSTRUCT ps{};
    HDC dc = nullptr;
};

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) noexcept
{
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

inline void DrawHLine(HDC dc, int x1, int x2, int y, COLORREF colour) noexcept
{
    RECT r{x1, y, x2, y + 1};
    FillSolid(dc, r, colour);
}

inline void DrawVLine(HDC dc, int x, int y1, int y2, COLORREF colour) noexcept
{
    RECT r{x, y1, x + 1, y2};
    FillSolid(dc, r, colour);
}

// Two-colour bevel: `topLeft` on the top and left edges, `bottomRight` on the others.
inline void DrawBevel(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) noexcept
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    DrawHLine(dc, r.left, r.right - 1, r.top, topLeft);
    DrawVLine(dc, r.left, r.top, r.bottom - 1, topLeft);
    DrawHLine(dc, r.left, r.right, r.bottom - 1, bottomRight);
    DrawVLine(dc, r.right - 1, r.top, r.bottom, bottomRight);
}
