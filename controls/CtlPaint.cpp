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

    // The DCs are declared before the bitmaps: the bitmaps are deselected before they could be deleted.
    TWindowDC screen(nullptr);
    TMemoryDC srcDc(screen.Dc());
    TMemoryDC dstDc(screen.Dc());
    TGdiHandle<HBITMAP> newMask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    TGdiHandle<HBITMAP> newColour(CreateCompatibleBitmap(screen.Dc(), size.cx, size.cy));
    if (!srcDc.Dc() || !dstDc.Dc() || !newMask || !newColour)
        return false;
    {
        const HDC src = srcDc.Dc();
        const HDC dst = dstDc.Dc();
        TSelectObject useSource(src, source.Get());
        TSelectObject useMask(dst, newMask.Get());
        SetBkColor(src, kTransparent);
        BitBlt(dst, 0, 0, size.cx, size.cy, src, 0, 0, SRCCOPY);
        SelectObject(dst, newColour.Get());
        BitBlt(dst, 0, 0, size.cx, size.cy, src, 0, 0, SRCCOPY);
        // Black out the transparent pixels: AND with the inverted mask.
        SelectObject(src, newMask.Get());
        SetBkColor(dst, RGB(255, 255, 255));
        SetTextColor(dst, RGB(0, 0, 0));
        BitBlt(dst, 0, 0, size.cx, size.cy, src, 0, 0, 0x00220326 /* DSna */);
    }
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
    TMemoryDC mem(dc);
    if (!mem.Dc())
        return;
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    {
        TSelectObject useMask(mem.Dc(), mask.Get());
        BitBlt(dc, x, y, cx, cy, mem.Dc(), srcX, srcY, SRCAND);
        SelectObject(mem.Dc(), colour.Get());
        BitBlt(dc, x, y, cx, cy, mem.Dc(), srcX, srcY, SRCPAINT);
    }
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}
