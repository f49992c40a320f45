// The named editor commands: stable numbers, names, argument kinds and categories.
#pragma once

#include <cstdint>

// Command numbers are stored in key maps and macros: never renumber them.
enum TCommand : uint16_t {
    cmNullCmd = 1, cmInsertChar = 2, cmBackTab = 3, cmInsertSymbol = 4, cmTab = 5, cmBackspace = 6,
    cmDelete = 7, cmDeleteChar = 8, cmDeleteBlock = 9, cmDeleteWord = 10, cmDeleteToEOL = 11,
    cmDeleteToBOL = 12, cmDeleteLine = 13, cmDeleteWordBack = 14, cmNewLine = 15, cmInsertLine = 16,
    cmDupLine = 17, cmJoinLine = 18, cmCenterLine = 19, cmInsertComment = 20, cmInsertTimeDate = 21,
    cmInsertTime = 22, cmInsertDate = 23, cmInsertCommentLight = 24,
    cmCursorLeft = 30, cmCursorRight = 31, cmCursorUp = 32, cmCursorDown = 33, cmPageUp = 34, cmPageDown = 35,
    cmLineStart = 36, cmLineEnd = 37, cmWordLeft = 38, cmWordRight = 39, cmTextStart = 40, cmTextEnd = 41,
    cmTopOfWindow = 42, cmBottomOfWindow = 43, cmScrollUp = 44, cmScrollDown = 45, cmFirstNonBlank = 46,
    cmParaUp = 47, cmParaDown = 48,
    cmLeftSelect = 50, cmRightSelect = 51, cmUpSelect = 52, cmDownSelect = 53, cmPageUpSelect = 54,
    cmPageDownSelect = 55, cmLineStartSelect = 56, cmLineEndSelect = 57, cmWordLeftSelect = 58,
    cmWordRightSelect = 59, cmTextStartSelect = 60, cmTextEndSelect = 61, cmTopOfWindowSelect = 62,
    cmBottomOfWindowSelect = 63, cmParaUpSelect = 64, cmParaDownSelect = 65,
    cmStartSelect = 70, cmEndSelect = 71, cmHideSelect = 72, cmSelectWord = 73, cmSelectLine = 74,
    cmSelectAll = 75, cmSelectPara = 76, cmSetCharSelMode = 78, cmSetColumnSelMode = 79,
    cmIndentBlock = 80, cmUnindentBlock = 81, cmFillBlock = 82, cmLeftBlockPara = 86, cmCenterBlockPara = 87,
    cmRightBlockPara = 88, cmJustifyBlockPara = 89,
    cmFind = 90, cmReplace = 91, cmFindNext = 92, cmGoToLine = 93, cmGoToColumn = 94, cmMatchPair = 95,
    cmFindNextWord = 96, cmFindPrevWord = 97, cmMatchPreprocNext = 98, cmMatchPreprocPrev = 99,
    cmSetMark0 = 100, cmSetMark9 = 109, cmGotoMark0 = 110, cmGotoMark9 = 119,
    cmUndo = 120, cmRedo = 121, cmCut = 123, cmCopy = 124, cmPaste = 125, cmCutAndAppend = 126,
    cmCopyAndAppend = 127, cmCutLine = 128,
    cmUpperCase = 130, cmLowerCase = 131, cmFlipCase = 132, cmUpperCaseWord = 133, cmLowerCaseWord = 134,
    cmFlipCaseWord = 135, cmCapitalizeWord = 136, cmTitleCase = 137, cmSentenceCase = 138,
    cmTransposeChar = 140, cmTransposeWord = 141, cmTransposeLine = 142,
    cmToggleInsert = 150, cmToggleAutoIndent = 151, cmToggleAutoUnindent = 152, cmToggleWordWrap = 155,
    cmSetInsert = 160, cmSetAutoIndent = 161, cmSetAutoUnindent = 162, cmSetWordWrap = 165,
    cmStartLineDraw = 180, cmEndLineDraw = 181, cmToggleLineDraw = 182, cmLineDrawStyle = 183,
    cmExpandTabsToSpaces = 200, cmCompressSpacesToTabs = 201, cmTab8TextToTab3Text = 202,
    cmTab3TextToTab8Text = 203, cmTab8TextToCurTabText = 204, cmCurTabTextToTab8Text = 205,
    cmConvertText = 207, cmSort = 208, cmWordCount = 209,
    cmRecordMacro = 230, cmMacroStopRecorder = 231, cmMacro = 232,
    cmSaveFile = 250, cmSaveFileAs = 251, cmWriteBlock = 252, cmReadBlock = 253, cmOpenFile = 254,
    cmNewFile = 255, cmPrint = 256, cmOpenFileAtCursor = 257,
    cmUserTool1 = 280, cmUserTool9 = 288,
    cmHelpKeywordSearch = 300,
    cmFirstMacro = 1000, cmLastMacro = 1049, cmLastReserved = 1999,
};

enum : uint8_t { kArgNone = 1, kArgChar = 2 };

// One row of the command table.
struct TCommandElement {
    uint16_t number;
    const char* name;
    uint8_t argumentKind;
    uint8_t category;
};

// The 167 commands, ended by a row with number 0.
extern const TCommandElement kCommandTable[];
constexpr int kCommandCount = 167;

// The table row of a number, or null when the number is not assigned.
const TCommandElement* FindCommand(unsigned number);
// Case-insensitive lookup of a table name; 0 when absent (macro names are the dispatcher's business).
unsigned FindCommandByName(const char* name);
// The label of a category 1..12 as the commands dialog shows it; "All" for 0.
const char* CommandCategoryLabel(int category);
