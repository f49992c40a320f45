// A recording editor with a clipboard of its own, so engine tests can Cut, Copy and Paste through commands.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "editor_window/BlockText.h"
#include "support/RecordingEditor.h"

// TClipboardEditor keeps its clipboard as the editor window's holds it: the plain text of the block, and
// for a column block also the width and height of the private record. Pasting a column block inserts a
// rectangle, as the window does; appending works on stream blocks only.
class TClipboardEditor : public TRecordingEditor {
public:
    struct TClip {
        bool hasText = false;
        std::string text;  // CR LF between lines
        bool column = false;
        uint32_t width = 0;
        uint32_t height = 0;
    };

    void Copy() noexcept override { CopyBlock(false); }
    void CopyAndAppend() noexcept override
    {
        if (!columnMode)
            CopyBlock(true);
    }
    void Cut() noexcept override
    {
        if (CopyBlock(false))
            DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
    }
    void CutAndAppend() noexcept override
    {
        if (!columnMode && CopyBlock(true))
            DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
    }
    void Paste() noexcept override
    {
        if (!clip.hasText)
            return;
        if (clip.column) {
            if (clip.width == 0 || clip.height == 0)
                return;
            const uint32_t width = std::min<uint32_t>(clip.width, 1024);
            InsertColumnBlock(clip.text.c_str(), static_cast<int>(width), static_cast<int>(clip.height));
            return;
        }
        InsertText(clip.text.c_str());
    }

    TClip clip;

private:
    bool CopyBlock(bool append) noexcept
    {
        if (!selShown)
            return false;
        try {
            std::string text = BlockText(*this);
            if (append && clip.hasText)
                text = clip.text + text;
            const bool column = columnMode && !append;
            const TColumnBlockSize size = column ? ColumnBlockSize(*this) : TColumnBlockSize{0, 0};
            clip.text = std::move(text);
            clip.hasText = true;
            clip.column = column;
            clip.width = size.width;
            clip.height = size.height;
            return true;
        } catch (...) {
            return false;
        }
    }
};
