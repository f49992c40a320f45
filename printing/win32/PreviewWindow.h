// The print preview window: the active document's printed pages, one or two at a time, scaled to the screen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/win32/GdiTools.h"
#include "printing/PreviewPages.h"
#include "printing/PrintLayout.h"

class TVokEditor;

// The bar of bitmap buttons along the preview's top: Print, First, Previous, Next, Last, One page, Two
// pages, Close. The buttons are children of the preview window; the bar owns their bitmaps.
class TPrevBtnBar {
public:
    enum : int { kPrint = 201, kFirst, kPrevious, kNext, kLast, kOnePage, kTwoPages, kClose };

    void Create(HWND parent);
    int Height() const { return kHeight; }
    void Layout(int width);
    // Enables the moves the pages allow and shows the mode in force pressed.
    void Update(const TPreviewPages& pages);

private:
    static constexpr int kHeight = 30;
    static constexpr int kButtonCount = 8;
    HWND buttons_[kButtonCount] = {};
    TGdiHandle<HBITMAP> bitmaps_[kButtonCount];
    TGdiHandle<HBITMAP> disabled_[kButtonCount];  // the moves' images on white, for their disabled look
    TGdiHandle<HBITMAP> onePressed_;
    TGdiHandle<HBITMAP> twoPressed_;
};

// The status line along the preview's bottom: "Page 3 of 10".
class TPrevStatBar {
public:
    void Create(HWND parent);
    int Height() const { return height_; }
    void Layout(int width, int bottom);
    void SetText(const std::string& text);

private:
    HWND hwnd_ = nullptr;
    int height_ = 20;
};

// TPreviewWindow lays the document out once with the printer's metrics, keeping the start of every page,
// and draws the shown pages on request. It keeps the printer's device context for measuring and points
// into the document's lines, so the frame stays disabled while it is open: the document cannot change
// or close under it.
class TPreviewWindow {
public:
    static constexpr const char* kClassName = "VokPreview";

    // Opens the preview of an editor's document over the frame; null (after telling the user) when there
    // is no printer.
    static TPreviewWindow* Open(HWND frame, TVokEditor& editor, const std::string& title);
    TPreviewWindow(const TPreviewWindow&) = delete;  // the window points back at this object
    TPreviewWindow& operator=(const TPreviewWindow&) = delete;
    ~TPreviewWindow();

    HWND Handle() const { return hwnd_; }
    const TPreviewPages& Pages() const { return pages_; }
    // The moves of the buttons and keys, by button id.
    void Command(int id);

private:
    TPreviewWindow(HWND frame, TVokEditor& editor, const std::string& title);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Builds the page index with the printer's current settings; false when there is no printer.
    bool BuildIndex();
    void OnCreate();
    void OnSize(int cx, int cy);
    void OnPaint();
    void OnKey(int key);
    void Refresh();
    // The rectangle of the left (0) or right (1) page pane in the client area.
    RECT PaneRect(int pane) const;
    void DrawPage(HDC dc, const RECT& pane, unsigned page);

    HWND hwnd_ = nullptr;
    HWND frame_;
    TVokEditor& editor_;
    std::string title_;
    HDC printerDC_ = nullptr;
    TGdiHandle<HFONT> printerFont_;
    HGDIOBJ oldFont_ = nullptr;
    TDeviceMetrics metrics_;
    TPageGeometry geometry_;
    TLineSpan span_;
    std::vector<TPageStart> index_;
    TPreviewPages pages_{1};
    TPrevBtnBar bar_;
    TPrevStatBar status_;
    int screenDpiX_ = 96;
    int screenDpiY_ = 96;
};
