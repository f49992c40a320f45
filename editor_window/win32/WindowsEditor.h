// The editor child window: one document, its view, keys and mouse, and the engine's hooks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "engine/VokEditor.h"
#include "syntax/SyntaxColour.h"

// Frame notification codes, sent as WM_COMMAND with the child id in the low word and the code in the high word.
// A file to open by its name goes through TEditorServices::OpenByName instead; code 4 is not sent.
enum : int {
    kNotifyStatus = 1,
    kNotifyPopupMenu = 2,
    kNotifyOpen = 3,
    kNotifyNew = 5,
    kNotifyConversionTable = 6,
};

constexpr int kTextLeft = 10;    // the text area starts here; pixels 0..7 are the selection margin
constexpr int kMarginWidth = 8;

// TWindowsEditor is an MDI child of class "TVokWinEditor" and the view of its own engine: it owns the
// document (as the engine), its file name and format, the caret and the font cell size. It does not own
// the font (the frame's) nor the cursors (resources).
class TWindowsEditor : public TVokEditor {
public:
    using TVokEditor::WriteBlock;

    static constexpr const char* kClassName = "TVokWinEditor";
    // Registers the window class once; the instance holds the cursors, icon 2 and "WE_SelCur"/"WE_Record".
    static bool Register(HINSTANCE instance);
    // Creates an MDI child in the frame's client window. rect may be null for the default placement.
    static TWindowsEditor* Create(HWND mdiClient, const char* title, int childId, const RECT* rect, bool maximized);
    // The editor of a window handle, or null when the window is no editor.
    static TWindowsEditor* FromHandle(HWND hwnd);

    HWND Handle() const { return hwnd_; }
    int ChildId() const { return childId_; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    int FileFormat() const { return fileFormat_; }
    void SetFileFormat(int format) { fileFormat_ = format; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    uint16_t KeyState() const { return keyState_; }

    // Files.
    bool LoadFile(const char* path, bool detect);
    // Makes CR LF text the document of this empty window (an imported document): unmodified, the cursor
    // at its start, the DOS format. False when memory ran out.
    bool TakeText(const char* text, std::size_t length);
    bool Save();
    bool SaveAs();
    bool SaveBlock();
    bool ReadBlockFile();
    bool WriteToFile(const char* path, int format, bool backup, bool blockOnly);
    bool CanClose();

    void SetEditorFont(HFONT font, bool redraw);
    // After the title changed: choose the syntax language again and repaint.
    void TitleChanged();
    // The syntax language chosen from the title (0: none) and its rules, or null.
    int Language() const { return scheme_.Number(); }
    const TSyntaxLanguage* LanguageRules() const { return scheme_.Language(); }

    // Engine hooks.
    void SetCaret(int col, int row) noexcept override;
    void RepaintAll() noexcept override;
    void RepaintLine(int32_t line) noexcept override;
    void UpdateScrollBars() noexcept override;
    void UpdateStatus() noexcept override;
    void ReportError(int code) noexcept override;
    void InsertModeChanged() noexcept override;
    void SaveFile() noexcept override;
    void SaveFileAs() noexcept override;
    void WriteBlock() noexcept override;
    void ReadBlock() noexcept override;
    void OpenFile() noexcept override;
    void NewFile() noexcept override;
    void OpenFileAtCursor(const char* name) noexcept override;
    void Print() noexcept override;
    // Runs a user tool for this document through the frame.
    void UserTool(int index) noexcept override;
    void HelpKeywordSearch() noexcept override;
    void Paste() noexcept override;
    void Copy() noexcept override;
    void CopyAndAppend() noexcept override;
    void Cut() noexcept override;
    void CutAndAppend() noexcept override;
    bool GoToLine(int32_t* line) noexcept override;
    int InsertSymbol() noexcept override;
    bool GoToColumn(int* col) noexcept override;
    bool FindDialog(TSearchRequest& request) noexcept override;
    bool ReplaceDialog(TSearchRequest& request) noexcept override;
    TReplaceAnswer ReplacePrompt() noexcept override;
    void RecordingStarted() noexcept override;
    void RecordingStopped() noexcept override;
    // The macro dialogs (editor_window/win32/EditorMacroHooks.cpp).
    bool MacroRecordDialog() noexcept override;
    void MacroDialog() noexcept override;
    // The Language setting's rules; Language 1 asks the system (editor_window/win32/EditorLanguage.cpp).
    bool IsWordChar(int c) noexcept override;
    const TSyntaxScheme* SyntaxScheme() noexcept override;
    bool IsUpper(int c) noexcept override;
    int ToUpper(int c) noexcept override;
    int ToLower(int c) noexcept override;
    void UpperString(char* text) noexcept override;
    void LowerString(char* text) noexcept override;
    bool SortLines(void* items, std::size_t count, std::size_t itemSize) noexcept override;
    // The transforms' dialogs (editor_window/win32/EditorTransformHooks.cpp).
    bool SortDialog(int* keyColumn, int* keyLength) noexcept override;
    bool FillBlockDialog(char* buffer, int size) noexcept override;
    bool LineDrawStyle(int* style, char* fillChar) noexcept override;
    bool ConvertTextDialog(unsigned char* table, bool* selectionOnly) noexcept override;
    void WordCount(long lines, long nonBlank, long paragraphs, long words, long chars) noexcept override;
    bool AutoCorrectWord(const char* word, char* buffer, int size) noexcept override;
    bool CapitalizeSentences() noexcept override;
    bool IsCapitalizeException(const char* token) noexcept override;

    // Message handlers, public so tests can drive them without synthesising input.
    void OnSize(int cx, int cy);
    void OnChar(unsigned ch);
    bool OnKeyDown(unsigned vk, bool system);
    void OnLButtonDown(int x, int y, unsigned keys);
    void OnLButtonDblClk(int x, int y, unsigned keys);
    void OnMouseMove(int x, int y, unsigned keys);
    void OnLButtonUp();
    void OnRButtonDown(int x, int y);
    void OnVScroll(int code, int pos);
    void OnHScroll(int code, int pos);
    // The wheel: delta in WHEEL_DELTA units (partial ones add up), horizontal with Shift or for a tilt.
    void OnMouseWheel(int delta, bool horizontal);
    void OnPaint();
    void PaintLine(HDC dc, int x, int y, LineRecord* line, int32_t index);

    ~TWindowsEditor() override;

private:
    TWindowsEditor(int childId);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Notify(int code);
    TPosition PointToText(int x, int y) const;
    void CreateCaret();
    int VScrollScale() const;
    // Puts the block on the clipboard (appending to its text); false when nothing was put there.
    bool CopyToClipboard(bool append);

    HWND hwnd_ = nullptr;
    int childId_ = 0;
    uint16_t keyState_ = 0;
    HFONT font_ = nullptr;  // not owned
    int cellWidth_ = 8;
    int cellHeight_ = 16;
    TLanguageScheme scheme_;  // the language of the program's table that the title chose
    int fileFormat_ = 0;
    int wheelDelta_ = 0;  // what a high-resolution wheel turned short of a whole notch
    std::string fileName_;
    RECT createdRect_ = {};
    bool hasFocus_ = false;
};
