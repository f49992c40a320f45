// Masked bitmaps: a colour bitmap and its mask, made once at load and drawn with two raster operations.
#include "controls/CtlPaint.h"

#include <utility>

bool TMaskedBitmap::Load(HINSTANCE instance, int id) noexcept
{
    Release();
    TGdiHandle<HBITMAP> source(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!source)
        return false;
    BITMAP info{};
    GetObjectA(source.Get(), sizeof info, &info);
    size = {info.bmWidth, info.bmHeight};

    HDC screen = GetDC(nullptr);
    HDC srcDc = CreateCompatibleDC(screen);
    HDC dstDc = CreateCompatibleDC(screen);
    TGdiHandle<HBITMAP> newMask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    TGdiHandle<HBITMAP> newColour(CreateCompatibleBitmap(screen, size.cx, size.cy));
    bool ok = srcDc && dstDc && newMask && newColour;
    if (ok) {
        HGDIOBJ oldSrc = SelectObject(srcDc, source.Get());
        HGDIOBJ oldDst = SelectObject(dstDc, newMask.Get());
        SetBkColor(srcDc, kTransparent);
        BitBlt(dstDc, 0, 0, size.cx, size.cy, srcDc, 0, 0, SRCCOPY);
        SelectObject(dstDc, newColour.Get());
        BitBlt(dstDc, 0, 0, size.cx, size.cy, srcDc, 0, 0, SRCCOPY);
        // Black out the transparent pixels: AND with the inverted mask.
        SelectObject(srcDc, newMask.Get());
        SetBkColor(dstDc, RGB(255, 255, 255));
        SetTextColor(dstDc, RGB(0, 0, 0));
        BitBlt(dstDc, 0, 0, size.cx, size.cy, srcDc, 0, 0, 0x00220326 /* DSna */);
        SelectObject(srcDc, oldSrc);
        SelectObject(dstDc, oldDst);
    }
    if (dstDc)
        DeleteDC(dstDc);
    if (srcDc)
        DeleteDC(srcDc);
    ReleaseDC(nullptr, screen);
    if (!ok)
        return false;
    colour = std::move(newColour);
    mask = std::move(newMask);
    return true;
}

void TMaskedBitmap::Release() noexcept
{
    colour.Reset();
    mask.Reset();
    size = {};
}

void TMaskedBitmap::Draw(HDC dc, int x, int y, int srcX, int srcY, int cx, int cy) const noexcept
{
    if (!colour)
        return;
    HDC mem = CreateCompatibleDC(dc);
    if (!mem)
        return;
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(mem, mask.Get());
    BitBlt(dc, x, y, cx, cy, mem, srcX, srcY, SRCAND);
    SelectObject(mem, colour.Get());
    BitBlt(dc, x, y, cx, cy, mem, srcX, srcY, SRCPAINT);
    SelectObject(mem, old);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    DeleteDC(mem);
}
