// Block formatting and text transforms: alignment, case, transposition, tabs, fill, conversion, sorting,
// word count and line drawing, each run as one editor command.
#pragma once

#include <string>

#include "engine/Commands.h"
#include "engine/Language.h"

class TVokEditor;

// Process-wide values of the transforms, kept between uses.
struct TTransformOptions {
    char fillString[33] = "";  // FillBlock's last string
    int lineDrawStyle = 1;     // 0 the user's character, 1 ASCII, 2 ANSI, 3..6 the box styles
    char lineDrawChar = ' ';   // the user's character of style 0
    TSortOrder sort;           // the Sort dialog's choices
};
TTransformOptions& TransformOptions();

constexpr int kSortMaxLines = 40000;  // lines past the first a sort may take
constexpr int kSortKeyMax = 31;
constexpr int kSortKeyDefault = 20;
constexpr std::size_t kJustifyTextLimit = 65000;  // the text a reflow may take
constexpr std::size_t kJustifyResultLimit = 64376;

// ---- The computations, apart from the document. ---------------------------------------------------
// Every tab of a line as the spaces up to the next multiple of tab.
std::string ExpandTabs(const std::string& line, int tab);
// Runs of more than 2 spaces outside double-quoted strings to tabs of size tab where a tab reaches the
// next tab stop within the run.
std::string CompressSpaces(const std::string& line, int tab);
// The paragraph text reflowed to width columns, lines ended by CR LF except the last; false (text left
// alone) when the text or the result is too large.
bool JustifyText(const std::string& text, int width, std::string* result);

// Line drawing: the connections of a character (bits 1 left, 2 right, 4 up, 8 down for single lines,
// 16, 32, 64, 128 for double ones) and the code page 437 box character with exactly a set of them (0: none).
int BoxConnections(int c);
int BoxCharacter(int arms);
// The character drawn in a cell moving in a direction (1 left, 2 right, 3 up, 4 down) with a style, given
// the four neighbours (0 when none).
int LineDrawCharacter(int style, int fillChar, int direction, int left, int right, int up, int down);

// ---- The commands' handlers (rows of engine/CommandList.h). -----------------------------------------
void RunLeftBlockPara(TVokEditor& e, TCommandCall);
void RunCenterBlockPara(TVokEditor& e, TCommandCall);
void RunRightBlockPara(TVokEditor& e, TCommandCall);
void RunJustifyBlockPara(TVokEditor& e, TCommandCall);
void RunUpperCase(TVokEditor& e, TCommandCall);
void RunLowerCase(TVokEditor& e, TCommandCall);
void RunFlipCase(TVokEditor& e, TCommandCall);
void RunUpperCaseWord(TVokEditor& e, TCommandCall);
void RunLowerCaseWord(TVokEditor& e, TCommandCall);
void RunFlipCaseWord(TVokEditor& e, TCommandCall);
void RunCapitalizeWord(TVokEditor& e, TCommandCall);
void RunTitleCase(TVokEditor& e, TCommandCall);
void RunSentenceCase(TVokEditor& e, TCommandCall);
void RunTransposeChar(TVokEditor& e, TCommandCall);
void RunTransposeWord(TVokEditor& e, TCommandCall);
void RunTransposeLine(TVokEditor& e, TCommandCall);
void RunExpandTabsToSpaces(TVokEditor& e, TCommandCall);
void RunCompressSpacesToTabs(TVokEditor& e, TCommandCall);
void RunTab8TextToTab3Text(TVokEditor& e, TCommandCall);
void RunTab3TextToTab8Text(TVokEditor& e, TCommandCall);
void RunTab8TextToCurTabText(TVokEditor& e, TCommandCall);
void RunCurTabTextToTab8Text(TVokEditor& e, TCommandCall);
void RunFillBlock(TVokEditor& e, TCommandCall);
void RunConvertText(TVokEditor& e, TCommandCall);
void RunSort(TVokEditor& e, TCommandCall);
void RunWordCount(TVokEditor& e, TCommandCall);
void RunLineDrawStyle(TVokEditor& e, TCommandCall);
// An arrow key in line-draw mode: draws in the cursor's cell and moves on (1 left, 2 right, 3 up, 4 down).
void LineDrawStep(TVokEditor& e, int direction);
// Tab-size conversion from `from` to `to`; false when refused.
bool ConvertTabSize(TVokEditor& e, int from, int to);
