// Replacements along one line as plain splices, with the undo records an undo step per replacement makes.
#include "engine/LineReplace.h"

#include <algorithm>
#include <cstring>

#include "engine/Alloc.h"
#include "engine/Undo.h"

TLineReplacer::TLineReplacer(TVokEditor& editor, const char* replacement)
    : editor_(editor), replacement_(replacement ? replacement : "")
{
    usable_ = !replacement_.empty() && replacement_.find_first_of("\r\n\t") == std::string::npos
              && !IsBlankByte(static_cast<unsigned char>(replacement_.back()))
              && static_cast<int>(replacement_.size()) <= TVokEditor::kEditWidth;
    record_ = editor_.undoEnabled;
    if (usable_ && record_)
        ring_.resize(static_cast<std::size_t>(UndoLevelsKept()));
}

bool TLineReplacer::Begin(int32_t lineNo)
{
    TVokEditor& e = editor_;
    if (!usable_ || e.stepDepth_ != 0 || e.columnMode || e.keepBlanks_
        || (e.curCommand == e.prevCommand && CommandMergesRecords(e.curCommand)))
        return false;
    for (int b = 0; b < 10; ++b)
        if (e.bookmarkSet[b] && e.bookmarks[b].line == lineNo)
            return false;
    LineRecord* line = e.LineAt(lineNo);
    const char* text = line->text;
    const std::size_t length = std::strlen(text);
    // Selecting the first match moves the cursor onto the line, which trims its trailing blanks (the
    // step that follows neither sees nor records them).
    std::size_t keep = length;
    while (keep > 0 && IsBlankByte(static_cast<unsigned char>(text[keep - 1])))
        --keep;
    trimmed_ = keep != length;
    line_ = line;
    lineNo_ = lineNo;
    text_.assign(text, keep);
    tabs_ = std::memchr(text, '\t', length) != nullptr;
    cursorBefore_ = e.Cursor();
    changed_ = false;
    replacedAny_ = false;
    return true;
}

bool TLineReplacer::Replace(std::size_t from, std::size_t to)
{
    if (to <= from || to > text_.size())
        return false;
    // Deleting a match at the end of the line would leave the blank before it last, which the cursor's
    // move would trim before the replacement goes in.
    if (to == text_.size() && from > 0 && IsBlankByte(static_cast<unsigned char>(text_[from - 1])))
        return false;
    const std::size_t matchLength = to - from;
    const std::size_t length = replacement_.size();
    if (!tabs_ && text_.size() - matchLength + length > static_cast<std::size_t>(TVokEditor::kEditWidth))
        return false;
    // What the match held, for the record and in case the line turns out too wide.
    matched_.assign(text_, from, matchLength);
    const int startCol = ColumnOf(from);
    const int matchEndCol = ColumnOf(to);
    text_.replace(from, matchLength, replacement_);
    // Measured where its tabs land: a replacement before a tab moves the tab's stop.
    if (tabs_ && TVokEditor::LineWidth(text_.c_str()) > TVokEditor::kEditWidth) {
        text_.replace(from, length, matched_);
        return false;
    }

    TVokEditor& e = editor_;
    // Selecting the match puts the cursor at its end, and the view follows it there first.
    e.curLine = line_;
    e.curLineNo = lineNo_;
    e.curCol = static_cast<int16_t>(matchEndCol);
    e.EnsureCursorVisible();

    e.redoValid = false;
    replacedAny_ = true;
    // The bytes around the match are the same before and after, so the line changed exactly when the
    // replacement differs from what it replaces.
    if (matched_ != replacement_) {
        changed_ = true;
        if (record_) {
            // The record the step's comparison makes: it starts at the match, and the common tail of the
            // line before and after is the rest of the line and may reach into the match and the
            // replacement, but not before them.
            const std::size_t most = std::min(matchLength, length);
            std::size_t common = 0;
            while (common < most && matched_[matchLength - 1 - common] == replacement_[length - 1 - common])
                ++common;
            const auto start = static_cast<int16_t>(startCol);
            const int16_t end = static_cast<int16_t>(ColumnOf(from + length - common));
            TPending& p = ring_[pending_ % ring_.size()];
            p.record = UndoRecord{start != end, start, lineNo_, end, lineNo_, start, lineNo_, nullptr, 0};
            p.oldText.assign(matched_, 0, matchLength - common);
            ++pending_;
        }
    }

    const auto end = static_cast<int16_t>(ColumnOf(from + length));
    e.selStartCol = static_cast<int16_t>(startCol);
    e.selStartLine = lineNo_;
    e.selEndCol = end;
    e.selEndLine = lineNo_;
    e.selShown = true;
    e.selecting = false;
    e.curCol = end;
    e.EnsureCursorVisible();
    return true;
}

bool TLineReplacer::End()
{
    TVokEditor& e = editor_;
    if (!changed_) {
        // Replacements that changed nothing still selected their matches, which trimmed the line; with
        // none made, the ordinary way takes the first match and trims it there.
        if (trimmed_ && replacedAny_)
            e.TrimLine(line_);
        e.RequestRedraw(kRedrawAll);
        return true;
    }
    if (!e.SetLineText(line_, text_.data(), text_.size())) {
        // Nothing of the line changed: its records go, and with them the history they belong to (the
        // ring may hold nothing else of it any more).
        if (pending_ > 0) {
            pending_ = 0;
            e.DropHistory(false);
        }
        e.curLine = e.LineAt(cursorBefore_.line);
        e.curLineNo = cursorBefore_.line;
        e.curCol = cursorBefore_.col;
        e.selShown = false;
        e.RequestRedraw(kRedrawAll);
        e.ReportError(kErrOutOfMemory);
        return false;
    }
    e.modified = true;
    e.RepaintChanged(lineNo_, lineNo_);
    e.RequestRedraw(kRedrawAll);
    return true;
}

void TLineReplacer::Flush()
{
    if (pending_ == 0)
        return;
    const std::size_t kept = std::min(pending_, ring_.size());
    for (std::size_t i = pending_ - kept; i < pending_; ++i) {
        TPending& p = ring_[i % ring_.size()];
        UndoRecord r = p.record;
        if (!p.oldText.empty()) {
            auto* text = static_cast<char*>(VokAlloc(p.oldText.size() + 1));
            if (!text) {
                editor_.DropHistory(false);
                continue;
            }
            std::memcpy(text, p.oldText.c_str(), p.oldText.size() + 1);
            r.text = text;
        }
        editor_.PushRecord(r, false);
    }
    pending_ = 0;
}
