// The batch document's hooks: messages, the run's clipboard and the answers of the search dialogs.
#include "batch/BatchEditor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "autocorrect/AutoCorrect.h"
#include "editor_window/BlockText.h"
#include "search/Replace.h"
#include "search/SearchState.h"

TBatchEditor::TBatchEditor(TBatchClipboard& clipboard, const TBatchAnswers& answers, TMessageSink sink)
    : clipboard_(clipboard), answers_(answers), sink_(std::move(sink))
{
}

void TBatchEditor::Report(const std::string& text)
{
    messages_.push_back(text);
    if (sink_)
        sink_(text);
}

void TBatchEditor::ReportError(int code) noexcept
{
    try {
        const char* text = EngineErrorText(code);
        Report(text ? text : "Error " + std::to_string(code) + ".");
    } catch (...) {
        // A message that cannot be stored is lost; the document is not.
    }
}

bool TBatchEditor::CopyBlock(bool append)
{
    if (!selShown)
        return false;
    try {
        std::string text = BlockText(*this);
        if (append && !columnMode && clipboard_.hasText)
            text = clipboard_.text + text;
        const bool column = columnMode && !append;
        TColumnBlockSize size = column ? ColumnBlockSize(*this) : TColumnBlockSize{0, 0};
        clipboard_.text = std::move(text);
        clipboard_.hasText = true;
        clipboard_.column = column;
        clipboard_.width = size.width;
        clipboard_.height = size.height;
        return true;
    } catch (...) {
        ClearUndo();
        ClearRedo();
        ReportError(kErrOutOfMemory);
        return false;
    }
}

void TBatchEditor::Copy() noexcept
{
    CopyBlock(false);
}

void TBatchEditor::Cut() noexcept
{
    if (CopyBlock(false))
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
}

void TBatchEditor::CopyAndAppend() noexcept
{
    if (!columnMode)
        CopyBlock(true);
}

void TBatchEditor::CutAndAppend() noexcept
{
    if (!columnMode && CopyBlock(true))
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
}

void TBatchEditor::Paste() noexcept
{
    if (!clipboard_.hasText)
        return;
    if (clipboard_.column) {
        if (clipboard_.width == 0 || clipboard_.height == 0)
            return;
        const uint32_t width = std::min<uint32_t>(clipboard_.width, kLineWidthLimit);
        const int height = static_cast<int>(clipboard_.height);
        InsertColumnBlock(clipboard_.text.c_str(), static_cast<int>(width), height);
        return;
    }
    InsertText(clipboard_.text.c_str());
}

void TBatchEditor::FillRequest(TSearchRequest& request) const
{
    CopySearchText(request.findText, kSearchTextSize, answers_.findText.c_str());
    request.options.regex = answers_.regex;
    request.options.matchCase = answers_.matchCase;
    request.options.wholeWord = answers_.wholeWord;
    request.options.down = !answers_.up;
}

bool TBatchEditor::FindDialog(TSearchRequest& request) noexcept
{
    if (!answers_.hasFind)
        return false;
    FillRequest(request);
    return true;
}

bool TBatchEditor::ReplaceDialog(TSearchRequest& request) noexcept
{
    // Replacing needs both texts: without --replace the dialog has nothing to answer and is cancelled,
    // so a run can never delete matches the user did not mean to.
    if (!answers_.hasFind || !answers_.hasReplace)
        return false;
    FillRequest(request);
    CopySearchText(request.replaceText, kSearchTextSize, answers_.replaceText.c_str());
    request.options.replaceAll = answers_.replaceAll;
    request.options.prompt = answers_.prompt;
    return true;
}

TReplaceAnswer TBatchEditor::ReplacePrompt() noexcept
{
    return TReplaceAnswer::Yes;
}

bool TBatchEditor::SortDialog(int* keyColumn, int* keyLength) noexcept
{
    if (answers_.hasSortKey) {
        *keyColumn = answers_.sortColumn;
        if (answers_.sortLength > 0)
            *keyLength = answers_.sortLength;
    }
    return true;
}

bool TBatchEditor::FillBlockDialog(char* buffer, int size) noexcept
{
    if (!answers_.hasFill || size <= 0)
        return false;
    std::snprintf(buffer, static_cast<std::size_t>(size), "%s", answers_.fillText.c_str());
    return true;
}

bool TBatchEditor::ConvertTextDialog(unsigned char* table, bool* selectionOnly) noexcept
{
    if (!answers_.hasConvert)
        return false;
    std::memcpy(table, answers_.convertTable, 256);
    *selectionOnly = answers_.selectionOnly;
    return true;
}

bool TBatchEditor::LineDrawStyle(int* style, char* fillChar) noexcept
{
    if (!answers_.hasLineStyle)
        return false;
    *style = answers_.lineStyle;
    *fillChar = answers_.lineChar;
    return true;
}

void TBatchEditor::WordCount(long lines, long nonBlank, long paragraphs, long words, long chars) noexcept
{
    if (!answers_.print)
        return;
    try {
        answers_.print("words: " + std::to_string(lines) + " " + std::to_string(nonBlank) + " " +
                       std::to_string(paragraphs) + " " + std::to_string(words) + " " + std::to_string(chars) + "\n");
    } catch (...) {
        // Out of memory for one line of output: the document is not affected.
    }
}

bool TBatchEditor::AutoCorrectWord(const char* word, char* buffer, int size) noexcept
{
    return answers_.autoCorrect && answers_.autoCorrect->Correct(word, buffer, size);
}

bool TBatchEditor::CapitalizeSentences() noexcept
{
    return answers_.autoCorrect && answers_.autoCorrect->capitalizeSentence;
}

bool TBatchEditor::IsCapitalizeException(const char* token) noexcept
{
    return answers_.autoCorrect && answers_.autoCorrect->IsException(token);
}
