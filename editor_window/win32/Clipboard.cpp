// Cut, copy, append and paste between an editor window and the system clipboard.
#include <algorithm>
#include <cstring>
#include <string>

#include "editor_window/BlockText.h"
#include "editor_window/win32/Clipboard.h"
#include "editor_window/win32/WindowsEditor.h"

namespace {
UINT gColumnFormat = 0;

// The clipboard while it is open; closed when the scope ends.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~TOpenClipboard()
    {
        if (open_)
            CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// Movable global memory owned until handed to the clipboard.
class TGlobalBlock {
public:
    TGlobalBlock(const void* data, std::size_t size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size))
    {
        if (handle_) {
            void* p = GlobalLock(handle_);
            std::memcpy(p, data, size);
            GlobalUnlock(handle_);
        }
    }
    ~TGlobalBlock()
    {
        if (handle_)
            GlobalFree(handle_);
    }
    TGlobalBlock(const TGlobalBlock&) = delete;
    TGlobalBlock& operator=(const TGlobalBlock&) = delete;
    bool Valid() const { return handle_ != nullptr; }
    // The clipboard owns the memory once it accepted it.
    bool HandTo(UINT format)
    {
        if (handle_ && SetClipboardData(format, handle_)) {
            handle_ = nullptr;
            return true;
        }
        return false;
    }

private:
    HGLOBAL handle_;
};

bool ReadClipboard(UINT format, std::string* data)
{
    HANDLE h = GetClipboardData(format);
    if (!h)
        return false;
    const void* p = GlobalLock(h);
    if (!p)
        return false;
    data->assign(static_cast<const char*>(p), GlobalSize(h));
    GlobalUnlock(h);
    return true;
}

std::string TextOf(const std::string& data)
{
    std::size_t zero = data.find('\0');
    return zero == std::string::npos ? data : data.substr(0, zero);
}
}  // namespace

UINT RegisterColumnBlockFormat()
{
    if (!gColumnFormat)
        gColumnFormat = RegisterClipboardFormatA("OZMColumnBlock");
    return gColumnFormat;
}

bool TWindowsEditor::CopyToClipboard(bool append)
{
    if (!selShown)
        return false;
    std::string text;
    try {
        text = BlockText(*this);
    } catch (...) {
        ClearUndo();
        ClearRedo();
        ReportError(kErrOutOfMemory);
        return false;
    }
    TOpenClipboard clip(hwnd_);
    if (!clip.IsOpen())
        return false;
    if (append && !columnMode) {
        std::string old;
        if (ReadClipboard(CF_TEXT, &old))
            text = TextOf(old) + text;
    }
    TGlobalBlock plain(text.c_str(), text.size() + 1);
    if (!plain.Valid()) {
        ClearUndo();
        ClearRedo();
        ReportError(kErrOutOfMemory);
        return false;
    }
    if (columnMode && !append) {
        TColumnBlockSize size = ColumnBlockSize(*this);
        std::string record = PackColumnBlock(size.width, size.height, text);
        TGlobalBlock column(record.data(), record.size());
        if (!column.Valid()) {
            ClearUndo();
            ClearRedo();
            ReportError(kErrOutOfMemory);
            return false;
        }
        EmptyClipboard();
        bool ok = plain.HandTo(CF_TEXT);
        column.HandTo(RegisterColumnBlockFormat());
        return ok;
    }
    EmptyClipboard();
    return plain.HandTo(CF_TEXT);
}

void TWindowsEditor::Copy() noexcept
{
    CopyToClipboard(false);
}

void TWindowsEditor::Cut() noexcept
{
    if (CopyToClipboard(false))
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
}

void TWindowsEditor::CopyAndAppend() noexcept
{
    if (!columnMode)
        CopyToClipboard(true);
}

void TWindowsEditor::CutAndAppend() noexcept
{
    if (!columnMode && CopyToClipboard(true))
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
}

void TWindowsEditor::Paste() noexcept
{
    std::string data;
    bool column = false;
    {
        TOpenClipboard clip(hwnd_);
        if (!clip.IsOpen())
            return;
        UINT format = RegisterColumnBlockFormat();
        if (format && ReadClipboard(format, &data))
            column = true;
        else if (!ReadClipboard(CF_TEXT, &data))
            return;
    }
    if (column) {
        uint32_t width = 0, height = 0;
        std::string text;
        if (!UnpackColumnBlock(data.data(), data.size(), &width, &height, &text) || width == 0 || height == 0)
            return;
        // Another program may have written the record: never make more rows than its text holds.
        uint32_t rows = 1;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
                ++rows;
        height = std::min(height, rows);
        width = std::min<uint32_t>(width, 1024);
        InsertColumnBlock(text.c_str(), static_cast<int>(width), static_cast<int>(height));
        return;
    }
    InsertText(TextOf(data).c_str());
}
