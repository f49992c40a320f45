// One C++ object per window: a class's static procedure creates the object at WM_NCCREATE and frees it last.
#pragma once

#include <windows.h>

#include <new>

// T is constructed from the window handle and answers `LRESULT OnMessage(UINT, WPARAM, LPARAM) noexcept`.
// The object pointer lives in the first extra window bytes, so the class registers cbWndExtra >= sizeof(void*).
// Allocation failure refuses the window instead of throwing, so no exception leaves the procedure.
template <class T>
LRESULT CALLBACK WindowObjectProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    T* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, 0));
    if (msg == WM_NCCREATE && !self) {
        self = new (std::nothrow) T(hwnd);
        if (!self)
            return FALSE;
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = self->OnMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete self;
    }
    return result;
}

// The object of a window of class T, or null for a window of another class or one being torn down.
template <class T>
T* WindowObjectOf(HWND hwnd) noexcept
{
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    // The class procedure, not the window's: a subclassed window still has its object.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) != &WindowObjectProc<T>)
        return nullptr;
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, 0));
}
