// The print preview window: the active document's printed pages, one or two at a time, scaled to the screen.
#include "printing/win32/PreviewWindow.h"

#include <algorithm>
#include <vector>

#include "engine/Options.h"
#include "engine/VokEditor.h"
#include "printing/win32/PrintDocument.h"
#include "printing/win32/VokPrinter.h"
#include "PrintIds.h"

namespace {

constexpr int kPaneMargin = 12;  // between the panes and the window's edges
constexpr int kPaneGap = 16;     // between the two panes

// The printer's coordinates mapped onto a page pane on the screen. Text is measured on the printer, in
// its font, and each character placed where the printer would put it, so that lines break and align as
// printed whatever the screen font's widths.
class TVokPrevPrintDC : public TPrintDevice {
public:
    TVokPrevPrintDC(HDC screen, HDC printer, const TDeviceMetrics& m, const RECT& pane)
        : screen_(screen), printer_(printer), m_(m), pane_(pane)
    {
        TEXTMETRICA tm{};
        GetTextMetricsA(printer, &tm);
        LOGFONTA lf{};
        GetTextFaceA(printer, LF_FACESIZE, lf.lfFaceName);
        lf.lfHeight = std::max(1, MulDiv(tm.tmHeight, pane_.bottom - pane_.top, m_.paperHeight));
        lf.lfWeight = tm.tmWeight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfPitchAndFamily = tm.tmPitchAndFamily & 1 ? VARIABLE_PITCH : FIXED_PITCH;
        font_.Reset(CreateFontIndirectA(&lf));
        old_ = SelectObject(screen_, font_.Get());
        SetBkMode(screen_, TRANSPARENT);
        SetTextColor(screen_, RGB(0, 0, 0));
    }
    TVokPrevPrintDC(const TVokPrevPrintDC&) = delete;
    TVokPrevPrintDC& operator=(const TVokPrevPrintDC&) = delete;
    ~TVokPrevPrintDC() override { SelectObject(screen_, old_); }

    int TextWidth(const char* text, int length) override
    {
        SIZE size{};
        GetTextExtentPoint32A(printer_, text, length, &size);
        return size.cx;
    }
    bool StartPage() override { return true; }
    bool EndPage() override { return true; }
    void DrawText(int x, int y, const char* text, int length) override
    {
        if (length <= 0)
            return;
        std::vector<int> ends(length), dx(length);
        SIZE size{};
        // Without a fit count the extents of every character come back, whatever the width.
        GetTextExtentExPointA(printer_, text, length, 0, nullptr, ends.data(), &size);
        int previous = ScaleX(x);
        for (int i = 0; i < length; ++i) {
            int next = ScaleX(x + ends[i]);
            dx[i] = next - previous;
            previous = next;
        }
        ExtTextOutA(screen_, ScaleX(x), ScaleY(y), ETO_CLIPPED, &pane_, text, length, dx.data());
    }

private:
    // Printer device coordinates (from the printable area's corner) to the pane.
    int ScaleX(int x) const
    {
        return pane_.left + MulDiv(x + m_.offsetX, pane_.right - pane_.left, m_.paperWidth);
    }
    int ScaleY(int y) const
    {
        return pane_.top + MulDiv(y + m_.offsetY, pane_.bottom - pane_.top, m_.paperHeight);
    }

    HDC screen_;
    HDC printer_;
    TDeviceMetrics m_;
    RECT pane_;
    TGdiHandle<HFONT> font_;
    HGDIOBJ old_ = nullptr;
};

// The bitmap with its background (the colour of its top-left pixel) made white. A disabled bitmap button is
// drawn embossed from the pixels that are not white; on the button-face grey of our images that is the
// whole square, which shows as a blank block instead of a greyed picture.
HBITMAP WithWhiteBackground(HBITMAP source)
{
    BITMAP info{};
    if (!source || !GetObjectA(source, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    HBITMAP copy = nullptr;
    if (GetDIBits(screen, source, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS)
        == info.bmHeight) {
        const DWORD background = pixels[0] & 0x00FFFFFF;
        for (DWORD& pixel : pixels)
            if ((pixel & 0x00FFFFFF) == background)
                pixel = 0x00FFFFFF;
        copy = CreateDIBitmap(screen, &bi.bmiHeader, CBM_INIT, pixels.data(), &bi, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

const char* const kBitmaps[] = {"PREVPRINT", "PREVFIRST", "PREVPREV", "PREVNEXT",
                                "PREVLAST",  "PREVONE",   "PREVTWO",  "PREVCLOSE"};

}  // namespace

// ---- The bars. --------------------------------------------------------------------------------------------

void TPrevBtnBar::Create(HWND parent)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < kButtonCount; ++i) {
        bitmaps_[i].Reset(LoadBitmapA(instance, kBitmaps[i]));
        buttons_[i] = CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP, 0, 0, 24, 22,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPrint + i)), instance,
                                    nullptr);
        SendMessageA(buttons_[i], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmaps_[i].Get()));
        if (i >= kFirst - kPrint && i <= kLast - kPrint)
            disabled_[i].Reset(WithWhiteBackground(bitmaps_[i].Get()));
    }
    onePressed_.Reset(LoadBitmapA(instance, "PREVONEDWN"));
    twoPressed_.Reset(LoadBitmapA(instance, "PREVTWODWN"));
}

void TPrevBtnBar::Layout(int /*width*/)
{
    int x = 4;
    for (int i = 0; i < kButtonCount; ++i) {
        MoveWindow(buttons_[i], x, 4, 24, 22, TRUE);
        // Groups: Print | the moves | the modes | Close.
        x += 24 + (i == 0 || i == 4 || i == 6 ? 10 : 1);
    }
}

void TPrevBtnBar::Update(const TPreviewPages& pages)
{
    for (int id = kFirst; id <= kLast; ++id) {
        const int i = id - kPrint;
        const bool enable = id <= kPrevious ? pages.CanGoBack() : pages.CanGoForward();
        HBITMAP image = !enable && disabled_[i].Get() ? disabled_[i].Get() : bitmaps_[i].Get();
        SendMessageA(buttons_[i], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
        EnableWindow(buttons_[i], enable);
    }
    HBITMAP one = pages.TwoPages() ? bitmaps_[kOnePage - kPrint].Get() : onePressed_.Get();
    HBITMAP two = pages.TwoPages() ? twoPressed_.Get() : bitmaps_[kTwoPages - kPrint].Get();
    SendMessageA(buttons_[kOnePage - kPrint], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(one));
    SendMessageA(buttons_[kTwoPages - kPrint], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(two));
}

void TPrevStatBar::Create(HWND parent)
{
    hwnd_ = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, 0, 0,
                            10, height_, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    // Room for the widest text, "  0000 - 0000    0000" with the words.
    TWindowDC dc(hwnd_);
    TSelectObject font(dc.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc.Dc(), "Xg", 2, &size);
    height_ = size.cy + 8;
}

void TPrevStatBar::Layout(int width, int bottom)
{
    MoveWindow(hwnd_, 0, bottom - height_, width, height_, TRUE);
}

void TPrevStatBar::SetText(const std::string& text)
{
    SetWindowTextA(hwnd_, (" " + text).c_str());
}

// ---- The window. ------------------------------------------------------------------------------------------

TPreviewWindow* TPreviewWindow::Open(HWND frame, TVokEditor& editor, const std::string& title)
{
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = kClassName;
        wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
        registered = RegisterClassA(&wc) != 0;
    }
    Printer().LoadTemplates();
    if (!Printer().EnsurePrinter(frame))
        return nullptr;
    auto* preview = new TPreviewWindow(frame, editor, title);
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    bool built = preview->BuildIndex();
    SetCursor(old);
    if (!built) {
        delete preview;
        return nullptr;
    }
    // Over the whole frame: a strip of the frame left beside the preview shows the document's first column
    // cut by the preview's border, which reads as text of the preview.
    RECT r{};
    GetWindowRect(frame, &r);
    HWND hwnd = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left,
                                r.top, std::max(640L, r.right - r.left), std::max(480L, r.bottom - r.top), frame,
                                nullptr, instance, preview);
    if (!hwnd) {
        delete preview;
        return nullptr;
    }
    // The document must not change while the preview points into it.
    EnableWindow(frame, FALSE);
    ShowWindow(hwnd, IsZoomed(frame) ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(hwnd);
    return preview;
}

TPreviewWindow::TPreviewWindow(HWND frame, TVokEditor& editor, const std::string& title)
    : frame_(frame), editor_(editor), title_(title)
{
    TWindowDC screen(nullptr);
    screenDpiX_ = GetDeviceCaps(screen.Dc(), LOGPIXELSX);
    screenDpiY_ = GetDeviceCaps(screen.Dc(), LOGPIXELSY);
}

TPreviewWindow::~TPreviewWindow()
{
    if (printerDC_) {
        SelectObject(printerDC_, oldFont_);
        DeleteDC(printerDC_);
    }
}

bool TPreviewWindow::BuildIndex()
{
    if (printerDC_) {
        SelectObject(printerDC_, oldFont_);
        DeleteDC(printerDC_);
        printerDC_ = nullptr;
    }
    printerFont_.Reset();
    printerDC_ = Printer().CreatePrinterDC();
    if (!printerDC_)
        return false;
    printerFont_.Reset(Printer().CreatePrinterFont(printerDC_));
    oldFont_ = SelectObject(printerDC_, printerFont_ ? printerFont_.Get() : GetCurrentObject(printerDC_, OBJ_FONT));
    metrics_ = TVokPrinter::Metrics(printerDC_);
    geometry_ = ComputeGeometry(Printer().setup, metrics_);
    span_ = {0, editor_.lastLine + 1};
    TGdiPrintDevice measure(printerDC_, printerFont_.Get());
    index_ = IndexPages(editor_.firstLine, span_, Printer().setup, geometry_, TabSize(), measure, kPreviewPageLimit);
    if (index_.empty())
        index_.push_back({});
    bool two = pages_.TwoPages();
    pages_ = TPreviewPages(static_cast<unsigned>(index_.size()));
    pages_.SetTwoPages(two);
    return true;
}

LRESULT CALLBACK TPreviewWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* self = reinterpret_cast<TPreviewWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TPreviewWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT TPreviewWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_COMMAND:
        Command(LOWORD(wParam));
        // The keys keep working after a click on a button.
        SetFocus(hwnd_);
        return 0;
    case WM_KEYDOWN: OnKey(static_cast<int>(wParam)); return 0;
    case WM_CLOSE:
        // The frame first, so that it, not another program, becomes active.
        EnableWindow(frame_, TRUE);
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY: EnableWindow(frame_, TRUE); return 0;
    default: return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

void TPreviewWindow::OnCreate()
{
    bar_.Create(hwnd_);
    status_.Create(hwnd_);
    Refresh();
}

void TPreviewWindow::OnSize(int cx, int cy)
{
    bar_.Layout(cx);
    status_.Layout(cx, cy);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TPreviewWindow::OnKey(int key)
{
    switch (key) {
    case VK_HOME: Command(TPrevBtnBar::kFirst); break;
    case VK_PRIOR: Command(TPrevBtnBar::kPrevious); break;
    case VK_NEXT: Command(TPrevBtnBar::kNext); break;
    case VK_END: Command(TPrevBtnBar::kLast); break;
    case VK_ESCAPE: Command(TPrevBtnBar::kClose); break;
    default: break;
    }
}

void TPreviewWindow::Command(int id)
{
    switch (id) {
    case TPrevBtnBar::kPrint:
        PrintDocument(hwnd_, editor_, title_);
        // Font, printer and line splitting may have changed in the print dialog.
        if (!BuildIndex()) {
            PostMessageA(hwnd_, WM_CLOSE, 0, 0);
            return;
        }
        break;
    case TPrevBtnBar::kFirst: pages_.First(); break;
    case TPrevBtnBar::kPrevious: pages_.Previous(); break;
    case TPrevBtnBar::kNext: pages_.Next(); break;
    case TPrevBtnBar::kLast: pages_.Last(); break;
    case TPrevBtnBar::kOnePage: pages_.SetTwoPages(false); break;
    case TPrevBtnBar::kTwoPages: pages_.SetTwoPages(true); break;
    case TPrevBtnBar::kClose: PostMessageA(hwnd_, WM_CLOSE, 0, 0); return;
    default: return;
    }
    Refresh();
}

void TPreviewWindow::Refresh()
{
    bar_.Update(pages_);
    status_.SetText(pages_.StatusText(PrintString(IDS_PREVIEW_PAGE), PrintString(IDS_PREVIEW_OF)));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT TPreviewWindow::PaneRect(int pane) const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    int top = bar_.Height() + kPaneMargin;
    int availW = client.right - 2 * kPaneMargin;
    int availH = client.bottom - status_.Height() - top - kPaneMargin;
    int panes = pages_.TwoPages() ? 2 : 1;
    // The page at the screen's resolution, made smaller when it does not fit; it keeps its proportions.
    double w = static_cast<double>(metrics_.paperWidth) * screenDpiX_ / metrics_.dpiX;
    double h = static_cast<double>(metrics_.paperHeight) * screenDpiY_ / metrics_.dpiY;
    double scale = std::min({1.0, (availW - (panes - 1) * kPaneGap) / (panes * w), availH / h});
    scale = std::max(scale, 0.01);
    int pw = static_cast<int>(w * scale), ph = static_cast<int>(h * scale);
    int left = (client.right - (panes * pw + (panes - 1) * kPaneGap)) / 2 + pane * (pw + kPaneGap);
    return {left, top, left + pw, top + ph};
}

void TPreviewWindow::OnPaint()
{
    TPaintScope paint(hwnd_);
    HDC dc = paint.Dc();
    int panes = pages_.TwoPages() && pages_.LastShown() != pages_.FirstShown() ? 2 : 1;
    for (int pane = 0; pane < panes; ++pane) {
        RECT r = PaneRect(pane);
        RECT shadow = {r.left + 4, r.top + 4, r.right + 4, r.bottom + 4};
        FillSolid(dc, shadow, RGB(0, 0, 0));
        FillSolid(dc, r, RGB(255, 255, 255));
        DrawPage(dc, r, pages_.FirstShown() + pane);
    }
}

void TPreviewWindow::DrawPage(HDC dc, const RECT& pane, unsigned page)
{
    if (page < 1 || page > index_.size())
        return;
    TPageSetup& setup = Printer().setup;
    TGdiPrintDevice measure(printerDC_, printerFont_.Get());
    TPageWalker walker(editor_.firstLine, span_, setup, geometry_, TabSize(), measure);
    walker.Seek(editor_.firstLine, span_, index_[page - 1]);
    std::vector<std::string> rows;
    walker.NextPage(&rows);
    TVokPrevPrintDC device(dc, printerDC_, metrics_, pane);
    TTemplateFields fields = CurrentFields(title_);
    fields.page = setup.firstPage + static_cast<long>(page) - 1;
    ::DrawPage(device, rows, setup, geometry_, fields);
}
