// A document without a window: the engine with hooks that answer from the command line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/VokEditor.h"
#include "syntax/SyntaxColour.h"

class TAutoCorrect;

// The clipboard of one run, shared by its documents in order, laid out as the editor's clipboard: the
// plain text, and for a column block also its width and height.
struct TBatchClipboard {
    bool hasText = false;
    std::string text;  // CR LF between lines
    bool column = false;  // the column-block record is there too
    uint32_t width = 0;
    uint32_t height = 0;
};

// What the Find and Replace dialogs answer. A dialog without a text to answer with is cancelled.
struct TBatchAnswers {
    bool hasFind = false;
    std::string findText;
    bool hasReplace = false;
    std::string replaceText;
    bool regex = false;
    bool matchCase = false;
    bool wholeWord = false;
    bool up = false;
    bool replaceAll = false;
    bool prompt = true;
    // The transforms' dialogs: Sort takes the key it proposes unless one is given; Fill Block, Convert
    // Text and Line Draw Style are cancelled without an answer.
    bool hasSortKey = false;
    int sortColumn = 1;
    int sortLength = 0;  // 0: the proposed length
    bool hasFill = false;
    std::string fillText;
    bool hasConvert = false;
    unsigned char convertTable[256] = {};
    bool selectionOnly = false;
    bool hasLineStyle = false;
    int lineStyle = 1;
    char lineChar = ' ';
    // The run's AutoCorrect; none: typing is not corrected.
    TAutoCorrect* autoCorrect = nullptr;
    // Where the word count goes: the run's standard output.
    std::function<void(const std::string&)> print;
};

// TBatchEditor is one document of a run. It links to the run's clipboard and dialog answers (both owned
// by the run, which outlives it) and keeps the messages the engine reported, in order, passing each to
// the run's sink as it arrives. Window hooks that only paint do nothing.
class TBatchEditor final : public TVokEditor {
public:
    using TMessageSink = std::function<void(const std::string&)>;

    TBatchEditor(TBatchClipboard& clipboard, const TBatchAnswers& answers, TMessageSink sink = {});

    const std::vector<std::string>& Messages() const { return messages_; }
    // Reports a message of the run's own (a read error) as the engine's messages are reported.
    void Report(const std::string& text);

    void SetCaret(int, int) noexcept override {}
    void RepaintAll() noexcept override {}
    void RepaintLine(int32_t) noexcept override {}
    void ReportError(int code) noexcept override;
    void Paste() noexcept override;
    void Copy() noexcept override;
    void CopyAndAppend() noexcept override;
    void Cut() noexcept override;
    void CutAndAppend() noexcept override;
    bool FindDialog(TSearchRequest& request) noexcept override;
    bool ReplaceDialog(TSearchRequest& request) noexcept override;
    TReplaceAnswer ReplacePrompt() noexcept override;
    void SaveFile() noexcept override {}
    void SaveFileAs() noexcept override {}
    void WriteBlock() noexcept override {}
    void ReadBlock() noexcept override {}
    void Print() noexcept override {}
    const TSyntaxScheme* SyntaxScheme() noexcept override { return scheme_.Language() ? &scheme_ : nullptr; }

    // The language the document is coloured in (0: none), set before loading as the window sets it.
    void SetLanguage(const TSyntaxTable* table, int number) { scheme_ = TLanguageScheme(table, number); }
    const TSyntaxLanguage* Language() const { return scheme_.Language(); }
    bool SortDialog(int* keyColumn, int* keyLength) noexcept override;
    bool FillBlockDialog(char* buffer, int size) noexcept override;
    bool ConvertTextDialog(unsigned char* table, bool* selectionOnly) noexcept override;
    bool LineDrawStyle(int* style, char* fillChar) noexcept override;
    void WordCount(long lines, long nonBlank, long paragraphs, long words, long chars) noexcept override;
    bool AutoCorrectWord(const char* word, char* buffer, int size) noexcept override;
    bool CapitalizeSentences() noexcept override;
    bool IsCapitalizeException(const char* token) noexcept override;

private:
    // Puts the block on the run's clipboard; false when nothing is marked or memory ran out.
    bool CopyBlock(bool append);
    void FillRequest(TSearchRequest& request) const;

    TBatchClipboard& clipboard_;
    const TBatchAnswers& answers_;
    TMessageSink sink_;
    std::vector<std::string> messages_;
    TLanguageScheme scheme_;
};
