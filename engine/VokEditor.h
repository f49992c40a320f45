// The engine of one document: its lines, cursor, selection and bookmarks, and the hooks to its window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/EditorTypes.h"
#include "engine/LinePool.h"
#include "engine/TextArena.h"
#include "engine/LineRecord.h"

class TInStream;
class TOutStream;
struct TSearchRequest;  // search/SearchState.h
struct TCommandElement;  // engine/Commands.h

// How to reverse one step: delete the range the step inserted, then re-insert the text it removed.
struct UndoRecord {
    bool hasRange;
    int16_t rangeStartCol;
    int32_t rangeStartLine;
    int16_t rangeEndCol;
    int32_t rangeEndLine;
    int16_t textCol;
    int32_t textLine;
    char* text;  // owned; CR LF between lines; may be null
    int32_t kind;  // a TUndoKind
};

// Whether an edit records its own undo step: as the editor's undo setting says, or not at all when it is
// part of a step that records the whole (TUndoStep).
enum class TUndoRecording : uint8_t { WhenEnabled, Off };

// What an edit does besides changing the text.
struct TEditOptions {
    TUndoRecording undo = TUndoRecording::WhenEnabled;
    bool selectInserted = false;   // insertions: select the new text, the cursor staying where it was
    bool preferSelection = false;  // DeleteRange: a shown selection is the range (a column one as a block)
    // Typed text: blanks it leaves at the end of the line stay until the cursor moves away, so that a
    // character typed after them (a Tab and then text) lands after them as typed, not padded with spaces.
    bool typed = false;
};

constexpr int kMaxUndoLevels = 80;
constexpr std::size_t kUndoTextLimit = 65000;

// TVokEditor owns a doubly linked list of LineRecords (always at least one), the cursor with a cached
// pointer to its line, the selection as an ordered pair of positions, ten bookmarks and the engine's view
// of its window. It draws nothing: whatever it needs from the outside it asks through the virtual hooks,
// which the editor window overrides. Every position it stores is in display columns.
class TVokEditor {
public:
    TVokEditor();
    TVokEditor(const TVokEditor&) = delete;  // owns its line list
    TVokEditor& operator=(const TVokEditor&) = delete;
    virtual ~TVokEditor();

    // ---- Hooks to the window, in their fixed order. -------------------------------------------------
    virtual void SetCaret(int col, int row) noexcept = 0;
    virtual void RepaintAll() noexcept = 0;
    virtual void RepaintLine(int32_t line) noexcept = 0;
    virtual void UpdateScrollBars() noexcept {}
    virtual void UpdateStatus() noexcept {}
    virtual const TSyntaxScheme* SyntaxScheme() noexcept { return nullptr; }
    virtual void ReportError(int /*code*/) noexcept {}
    virtual void InsertModeChanged() noexcept {}
    virtual void Paste() noexcept {}
    virtual void Copy() noexcept {}
    virtual void CopyAndAppend() noexcept {}
    virtual void Cut() noexcept {}
    virtual void CutAndAppend() noexcept {}
    // The character chosen in the character map, 0 when cancelled.
    virtual int InsertSymbol() noexcept { return 0; }
    virtual bool AutoCorrectWord(const char* /*word*/, char* /*buffer*/, int /*size*/) noexcept { return false; }
    virtual bool CapitalizeSentences() noexcept { return false; }
    virtual bool IsCapitalizeException(const char* /*token*/) noexcept { return false; }
    // Ask for a line (1-based, shown with *line, 1..32700) or a column (1..1024); false on Cancel.
    virtual bool GoToLine(int32_t* /*line*/) noexcept { return false; }
    virtual bool GoToColumn(int* /*col*/) noexcept { return false; }
    // The Find and Replace dialogs, filled from request and writing the user's text and options back on
    // OK; the Replace dialog sets request.options.replaceAll for Replace All. False on Cancel.
    virtual bool FindDialog(TSearchRequest& /*request*/) noexcept { return false; }
    virtual bool ReplaceDialog(TSearchRequest& /*request*/) noexcept { return false; }
    // Whether to replace the selected match. Called inside the command's update batch: the window paints
    // the selection and scrolls it into view before it asks.
    virtual TReplaceAnswer ReplacePrompt() noexcept { return TReplaceAnswer::Cancel; }
    virtual void SaveFile() noexcept = 0;
    virtual void SaveFileAs() noexcept = 0;
    virtual void WriteBlock() noexcept = 0;
    virtual void ReadBlock() noexcept = 0;
    virtual void OpenFile() noexcept {}
    virtual void NewFile() noexcept {}
    virtual void OpenFileAtCursor(const char* /*name*/) noexcept {}
    virtual void Print() noexcept = 0;
    virtual bool MacroRecordDialog() noexcept { return false; }
    virtual void RecordingStarted() noexcept {}
    virtual void RecordingStopped() noexcept {}
    virtual void MacroDialog() noexcept {}
    // Fills a 256-byte table; *selectionOnly says whether the range is the selection. False on cancel.
    virtual bool ConvertTextDialog(unsigned char* /*table*/, bool* /*selectionOnly*/) noexcept { return false; }
    // Edits the fill string (at most 32 bytes in a buffer of size bytes). False on cancel.
    virtual bool FillBlockDialog(char* /*buffer*/, int /*size*/) noexcept { return false; }
    virtual bool LineDrawStyle(int* /*style*/, char* /*fillChar*/) noexcept { return false; }
    // May change the 1-based key column and the key length. False on cancel.
    virtual bool SortDialog(int* /*keyColumn*/, int* /*keyLength*/) noexcept { return false; }
    // Orders count TSortItems (engine/Language.h) of the given size in place, as the Sort options say
    // (TransformOptions); the engine's version follows the Language setting. False when out of memory.
    virtual bool SortLines(void* items, std::size_t count, std::size_t itemSize) noexcept;
    virtual void WordCount(long /*lines*/, long /*nonBlank*/, long /*paragraphs*/, long /*words*/, long /*chars*/) noexcept {}
    virtual void UserTool(int /*index*/) noexcept {}
    virtual void HelpKeywordSearch() noexcept {}
    virtual void LowerString(char* text) noexcept;
    virtual void UpperString(char* text) noexcept;
    virtual int ToUpper(int c) noexcept;
    virtual int ToLower(int c) noexcept;
    virtual bool IsUpper(int c) noexcept;
    virtual bool IsWordChar(int c) noexcept;

    // ---- Line store. ---------------------------------------------------------------------------------
    LineRecord* LineAt(int32_t index);
    // Allocates an empty line and links it after record (unlinked when record is null); null when out of memory.
    LineRecord* InsertLineAfter(LineRecord* record);
    // Frees a line's text and record; the line must already be out of the list.
    void FreeLine(LineRecord* record);
    static const char* PointerAtColumn(const char* text, int col);
    static int ColumnOfPointer(const char* text, const char* pointer);
    static int LineWidth(const char* text);
    static int LineWidthTrimmed(const char* text);
    int CharAtCursor();
    int WordAtCursor(char* buffer, int n);
    static LineRecord* StepLines(LineRecord* record, int32_t k);
    void BeginUpdate();
    void EndUpdate();
    void RequestRedraw(TRedraw flags);
    void RecomputeStates(int32_t first, int32_t last);
    // Recomputes one line's state; true if it changed (then the following lines may look different).
    bool RecomputeLineState(int32_t line);
    // Removes trailing blanks of a line; shrinks its block when it lost more than 3 bytes.
    void TrimLine(LineRecord* record);
    // Replaces a line's text by a copy of text; false (nothing changed) when out of memory.
    [[nodiscard]] bool SetLineText(LineRecord* record, const char* text, std::size_t length);
    // Unlinks and frees every line after the first and empties the first.
    void ClearLines();
    // True when the list, lastLine, the cursor's line and the cached last line agree (for tests).
    bool CheckList() const;

    // ---- Cursor, selection and blocks. ---------------------------------------------------------------
    void GotoPosition(int col, int32_t line, bool extend);
    void EnsureCursorVisible();
    void ScrollTo(int col, int32_t line);
    void HideSelection();
    bool ParagraphBounds(TPosition* start, TPosition* end);
    TPosition NextWordPos(TPosition pos);
    TPosition PrevWordPos(TPosition pos);

    void CursorLeft(bool extend) { GotoPosition(curCol - 1, curLineNo, extend); }
    void CursorRight(bool extend) { GotoPosition(curCol + 1, curLineNo, extend); }
    void CursorUp(bool extend) { GotoPosition(curCol, curLineNo - 1, extend); }
    void CursorDown(bool extend) { GotoPosition(curCol, curLineNo + 1, extend); }
    void PageUp(bool extend);
    void PageDown(bool extend);
    void LineStart(bool extend) { GotoPosition(0, curLineNo, extend); }
    void LineEnd(bool extend);
    void WordLeft(bool extend);
    void WordRight(bool extend);
    void TextStart(bool extend) { GotoPosition(curCol, 0, extend); }
    void TextEnd(bool extend) { GotoPosition(curCol, lastLine, extend); }
    void TopOfWindow(bool extend) { GotoPosition(curCol, topLine, extend); }
    void BottomOfWindow(bool extend);
    void ParaUp(bool extend);
    void ParaDown(bool extend);
    // Scroll by one line; a cursor that would leave the window moves along with it.
    void ScrollUp();
    void ScrollDown();
    void FirstNonBlank();
    void StartSelect();
    void EndSelect() { selecting = false; }
    void SelectWord();
    void SelectLine();
    void SelectPara();
    void SelectAll();
    void SetSelMode(bool column);
    void SetMark(int n);
    void GotoMark(int n);
    void MatchPair();
    void MatchPreprocNext();
    void MatchPreprocPrev();

    // Bookmarks follow text: after inserting from `from` to `to`, or deleting the range from..to.
    void AdjustBookmarksForInsert(TPosition from, TPosition to);
    void AdjustBookmarksForDelete(TPosition from, TPosition to);

    // ---- Editing. ------------------------------------------------------------------------------------
    // Inserts text (CR or CR LF between lines) at the cursor and leaves the cursor after it; false when
    // out of memory, and then nothing has changed.
    bool InsertText(const char* text, TEditOptions options = {});
    void DeleteRange(TPosition from, TPosition to, TEditOptions options = {});
    // Deletes the shown column selection.
    void DeleteColumnBlock(TEditOptions options = {});
    // Inserts rows (CR LF between them) as a block of width columns at the cursor, one row a line.
    bool InsertColumnBlock(const char* rows, int width, int height, TEditOptions options = {});
    // A new VokAlloc'ed string the caller frees with VokFree; null when empty, out of range, too long or no memory.
    char* GetRangeText(TPosition from, TPosition to);
    char* GetSelectionText();
    [[nodiscard]] bool InsertFile(TInStream& in);
    // Puts text (CR LF or CR between lines) in place of the text from `from` to `to`, byte for byte: no
    // trimming, no width limit, no tab turned into spaces. What Undo and Redo apply. False when out of
    // memory, and then nothing has changed. Records nothing itself.
    [[nodiscard]] bool ReplaceText(TPosition from, TPosition to, const char* text);

    void InsertChar(int ch);
    void TabCmd();
    void BackTab();
    void NewLine();
    void InsertLineCmd();
    void Backspace();
    void DeleteChar();
    void DeleteCmd();
    void DeleteBlock();
    void DeleteWord();
    void DeleteWordBack();
    void DeleteToEOL();
    void DeleteToBOL();
    void DeleteLine();
    void DupLine();
    void JoinLine();
    void CenterLine();
    void InsertComment(bool light);
    void InsertTimeDate(bool time, bool date);
    void InsertSymbolCmd();
    void IndentBlock(bool indent);

    // ---- Undo and redo. ------------------------------------------------------------------------------
    // Takes ownership of record.text.
    void PushUndo(const UndoRecord& record);
    void PushRedo(const UndoRecord& record);
    void Undo();
    void Redo();
    void ClearUndo();
    void ClearRedo();
    TUndoKind UndoKind() const;
    bool CanRedo() const { return redoValid && redoCount > 0; }

    // ---- Commands. -----------------------------------------------------------------------------------
    void ExecuteCommand(unsigned command, unsigned argument);
    bool CommandName(unsigned number, char* buffer, int size);
    unsigned CommandNumber(const char* name, bool includeMacros);
    int CommandArgumentKind(unsigned number);
    int CommandCategory(unsigned number);
    // The file name OpenFileAtCursor would open, from the cursor line.
    void FileNameAtCursor(char* buffer, int size);

    // ---- Document streams. ---------------------------------------------------------------------------
    // `length`, when given, receives the length of what was stored in `buffer`.
    static int ReadTextLine(TInStream& in, char* buffer, int size, int maxWidth, int tabSize, bool appendCrLf,
                            int16_t* format, bool* binary, int* length = nullptr);
    [[nodiscard]] bool ReadFile(TInStream& in, int16_t* format);
    [[nodiscard]] bool WriteFile(TOutStream& out, int format);
    [[nodiscard]] bool WriteBlock(TOutStream& out, int format);

    // ---- Fields. -------------------------------------------------------------------------------------
    LineRecord* firstLine = nullptr;
    LineRecord* curLine = nullptr;
    int16_t curCol = 0;
    int32_t curLineNo = 0;
    int16_t topCol = 0;
    int32_t topLine = 0;
    int16_t winCols = 80;
    uint32_t winLines = 25;
    int16_t maxCol = kMaxCol;
    int32_t lastLine = 0;
    bool modified = false;
    uint16_t lockCount = 0;
    TRedraw pendingRedraw = kRedrawNone;

    int16_t selStartCol = 0;
    int32_t selStartLine = 0;
    int16_t selEndCol = 0;
    int32_t selEndLine = 0;
    bool selShown = false;
    bool columnMode = false;
    bool selecting = false;
    bool lineDrawMode = false;
    TPosition bookmarks[10] = {};
    bool bookmarkSet[10] = {};

    int32_t undoCount = 0;
    UndoRecord* undo[kMaxUndoLevels] = {};
    int32_t redoCount = 0;
    UndoRecord* redo[kMaxUndoLevels] = {};
    bool undoEnabled = true;
    bool redoValid = false;

    uint16_t prevCommand = 0;
    uint16_t curCommand = 0;
    bool recording = false;
    bool playing = false;
    uint16_t recordingSlot = 0;  // macro slot 0..49 this window records into

    TPosition SelStart() const { return {selStartCol, selStartLine}; }
    TPosition SelEnd() const { return {selEndCol, selEndLine}; }
    TPosition Cursor() const { return {curCol, curLineNo}; }

protected:
    // A shared empty text that stands in for a line whose own block could not be allocated; never freed.
    static char emptyText_[1];
    // Frees a line's text block: not the shared empty text, nor a text of the loaded document's arena.
    void FreeText(char* text) noexcept;
    void FlushRedraw();

private:
    friend class TUndoStep;
    friend class TLineReplacer;

    // Pushes to the undo list, or the redo list while an Undo is being applied.
    void PushRecord(const UndoRecord& record, bool toRedo);
    // Joins a new record into the top of the undo list when their regions meet; false to append it instead.
    bool MergeUndo(const UndoRecord& record);
    void ApplyUndoRecord(UndoRecord* record, bool toRedo);
    void ClearBothLists();
    // Empties what a step that could not be recorded has made useless.
    void DropHistory(bool toRedo);
    // Whether an edit with these options records its undo step.
    bool Records(TEditOptions options) const;
    // DeleteRange's two cases: within one line, and across lines, joining the first and the last when
    // the joined line fits (else they stay two lines). False when out of memory, and nothing changed.
    bool DeleteWithinLine(LineRecord* line, int fromCol, int toCol);
    bool DeleteAcrossLines(LineRecord* first, TPosition from, TPosition to, int32_t* removed);
    // Replaces every tab of a line by spaces; false when out of memory.
    bool ExpandLineTabs(LineRecord* record);
    // Repaint request after a change of lines first..last: one line when it alone changed and kept its state.
    void RepaintChanged(int32_t first, int32_t last);
    bool InsertStream(TInStream& in, bool* binary, bool* cut);
    // ExecuteCommand after the previous and current command numbers are set.
    void Dispatch(unsigned command, unsigned argument);
    // Runs a command's row (a ...Select row runs its movement's, extending the selection).
    void Perform(const TCommandElement& command, unsigned argument);
    void AutoCorrectBeforeCursor();
    bool StartsSentence(TPosition wordStart);
    // Turns a tab whose span holds the cursor into spaces, as an undo step of its own.
    bool ConvertTabAtCursor(bool record);
    // The widest line typing, inserting text or joining lines may make, one column short of the 1024 a
    // line may hold (as loaded, or filled by a column block): the cursor can always stand after its end.
    // Undo and Redo put back whatever width was there.
    static constexpr int kEditWidth = kMaxCol;

    TLinePool pool_;  // declared before the lines it holds, so it outlives them
    TTextArena arena_;  // the texts of the lines as loaded; likewise outlives them
    LineRecord fallbackLine_ = {};
    LineRecord* lastRecord_ = nullptr;  // the last line, so the end of a long document is one step away
    int stepDepth_ = 0;           // undo steps open (TUndoStep); the outermost records
    bool keepBlanks_ = false;     // GotoPosition leaves the line alone while Undo or Redo is applied
    // The top undo record may take what the same command does next: its previous runs wrote it, and
    // every command run since then was that command.
    bool mergeOpen_ = false;
    uint16_t mergeCommand_ = 0;
};

// Keeps an update batch open for its lifetime, so an early return cannot leave it open.
class TUpdateBatch {
public:
    explicit TUpdateBatch(TVokEditor& editor) : editor_(editor) { editor_.BeginUpdate(); }
    ~TUpdateBatch() { editor_.EndUpdate(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
    TVokEditor& editor_;
};

// Byte tests of the C locale that the engine uses for white space and blank lines.
inline bool IsBlankByte(int c)
{
    return c == ' ' || c == '\t';
}
inline bool IsSpaceByte(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
