// The command table: the vocabulary of key maps, macros and the commands dialog.
#include "engine/Commands.h"

#include <cstring>

#include "base/TextTools.h"

const TCommandElement kCommandTable[] = {
    {1, "NullCmd", 1, 12},
    {2, "InsertChar", 2, 1},
    {3, "BackTab", 1, 2},
    {4, "InsertSymbol", 1, 1},
    {5, "Tab", 1, 1},
    {6, "Backspace", 1, 1},
    {7, "Delete", 1, 1},
    {8, "DeleteChar", 1, 1},
    {9, "DeleteBlock", 1, 1},
    {10, "DeleteWord", 1, 1},
    {11, "DeleteToEOL", 1, 1},
    {12, "DeleteToBOL", 1, 1},
    {13, "DeleteLine", 1, 1},
    {14, "DeleteWordBack", 1, 1},
    {15, "NewLine", 1, 1},
    {16, "InsertLine", 1, 1},
    {17, "DupLine", 1, 1},
    {18, "JoinLine", 1, 1},
    {19, "CenterLine", 1, 1},
    {20, "InsertComment", 1, 1},
    {21, "InsertTimeDate", 1, 1},
    {22, "InsertTime", 1, 1},
    {23, "InsertDate", 1, 1},
    {24, "InsertCommentLight", 1, 1},
    {30, "CursorLeft", 1, 2},
    {31, "CursorRight", 1, 2},
    {32, "CursorUp", 1, 2},
    {33, "CursorDown", 1, 2},
    {34, "PageUp", 1, 2},
    {35, "PageDown", 1, 2},
    {36, "LineStart", 1, 2},
    {37, "LineEnd", 1, 2},
    {38, "WordLeft", 1, 2},
    {39, "WordRight", 1, 2},
    {40, "TextStart", 1, 2},
    {41, "TextEnd", 1, 2},
    {42, "TopOfWindow", 1, 2},
    {43, "BottomOfWindow", 1, 2},
    {44, "ScrollUp", 1, 2},
    {45, "ScrollDown", 1, 2},
    {46, "FirstNonBlank", 1, 2},
    {47, "ParaUp", 1, 2},
    {48, "ParaDown", 1, 2},
    {50, "LeftSelect", 1, 3},
    {51, "RightSelect", 1, 3},
    {52, "UpSelect", 1, 3},
    {53, "DownSelect", 1, 3},
    {54, "PageUpSelect", 1, 3},
    {55, "PageDownSelect", 1, 3},
    {56, "LineStartSelect", 1, 3},
    {57, "LineEndSelect", 1, 3},
    {58, "WordLeftSelect", 1, 3},
    {59, "WordRightSelect", 1, 3},
    {60, "TextStartSelect", 1, 3},
    {61, "TextEndSelect", 1, 3},
    {62, "TopOfWindowSelect", 1, 3},
    {63, "BottomOfWindowSelect", 1, 3},
    {64, "ParaUpSelect", 1, 3},
    {65, "ParaDownSelect", 1, 3},
    {70, "StartSelect", 1, 3},
    {71, "EndSelect", 1, 3},
    {72, "HideSelect", 1, 3},
    {73, "SelectWord", 1, 3},
    {74, "SelectLine", 1, 3},
    {75, "SelectAll", 1, 3},
    {76, "SelectPara", 1, 3},
    {78, "SetCharSelMode", 1, 3},
    {79, "SetColumnSelMode", 1, 3},
    {80, "IndentBlock", 1, 6},
    {81, "UnindentBlock", 1, 6},
    {82, "FillBlock", 1, 6},
    {86, "LeftBlockPara", 1, 6},
    {87, "CenterBlockPara", 1, 6},
    {88, "RightBlockPara", 1, 6},
    {89, "JustifyBlockPara", 1, 6},
    {90, "Find", 1, 4},
    {91, "Replace", 1, 4},
    {92, "FindNext", 1, 4},
    {93, "GoToLine", 1, 4},
    {94, "GoToColumn", 1, 4},
    {95, "MatchPair", 1, 4},
    {96, "FindNextWord", 1, 4},
    {97, "FindPrevWord", 1, 4},
    {98, "MatchPreprocNext", 1, 4},
    {99, "MatchPreprocPrev", 1, 4},
    {100, "SetMark0", 1, 5},
    {101, "SetMark1", 1, 5},
    {102, "SetMark2", 1, 5},
    {103, "SetMark3", 1, 5},
    {104, "SetMark4", 1, 5},
    {105, "SetMark5", 1, 5},
    {106, "SetMark6", 1, 5},
    {107, "SetMark7", 1, 5},
    {108, "SetMark8", 1, 5},
    {109, "SetMark9", 1, 5},
    {110, "GotoMark0", 1, 5},
    {111, "GotoMark1", 1, 5},
    {112, "GotoMark2", 1, 5},
    {113, "GotoMark3", 1, 5},
    {114, "GotoMark4", 1, 5},
    {115, "GotoMark5", 1, 5},
    {116, "GotoMark6", 1, 5},
    {117, "GotoMark7", 1, 5},
    {118, "GotoMark8", 1, 5},
    {119, "GotoMark9", 1, 5},
    {120, "Undo", 1, 7},
    {121, "Redo", 1, 7},
    {123, "Cut", 1, 7},
    {124, "Copy", 1, 7},
    {125, "Paste", 1, 7},
    {126, "CutAndAppend", 1, 7},
    {127, "CopyAndAppend", 1, 7},
    {128, "CutLine", 1, 7},
    {130, "UpperCase", 1, 6},
    {131, "LowerCase", 1, 6},
    {132, "FlipCase", 1, 6},
    {133, "UpperCaseWord", 1, 6},
    {134, "LowerCaseWord", 1, 6},
    {135, "FlipCaseWord", 1, 6},
    {136, "CapitalizeWord", 1, 6},
    {137, "TitleCase", 1, 6},
    {138, "SentenceCase", 1, 6},
    {140, "TransposeChar", 1, 6},
    {141, "TransposeWord", 1, 6},
    {142, "TransposeLine", 1, 6},
    {150, "ToggleInsert", 1, 10},
    {151, "ToggleAutoIndent", 1, 10},
    {152, "ToggleAutoUnindent", 1, 10},
    {155, "ToggleWordWrap", 1, 10},
    {160, "SetInsert", 1, 10},
    {161, "SetAutoIndent", 1, 10},
    {162, "SetAutoUnindent", 1, 10},
    {165, "SetWordWrap", 1, 10},
    {180, "StartLineDraw", 1, 8},
    {181, "EndLineDraw", 1, 8},
    {182, "ToggleLineDraw", 1, 8},
    {183, "LineDrawStyle", 1, 8},
    {200, "ExpandTabsToSpaces", 1, 8},
    {201, "CompressSpacesToTabs", 1, 8},
    {202, "Tab8TextToTab3Text", 1, 8},
    {203, "Tab3TextToTab8Text", 1, 8},
    {204, "Tab8TextToCurTabText", 1, 8},
    {205, "CurTabTextToTab8Text", 1, 8},
    {207, "ConvertText", 1, 8},
    {208, "Sort", 1, 8},
    {209, "WordCount", 1, 8},
    {230, "RecordMacro", 1, 8},
    {231, "MacroStopRecorder", 1, 8},
    {232, "Macro", 1, 8},
    {250, "SaveFile", 1, 9},
    {251, "SaveFileAs", 1, 9},
    {252, "WriteBlock", 1, 9},
    {253, "ReadBlock", 1, 9},
    {254, "OpenFile", 1, 9},
    {255, "NewFile", 1, 9},
    {256, "Print", 1, 9},
    {257, "OpenFileAtCursor", 1, 9},
    {280, "UserTool1", 1, 8},
    {281, "UserTool2", 1, 8},
    {282, "UserTool3", 1, 8},
    {283, "UserTool4", 1, 8},
    {284, "UserTool5", 1, 8},
    {285, "UserTool6", 1, 8},
    {286, "UserTool7", 1, 8},
    {287, "UserTool8", 1, 8},
    {288, "UserTool9", 1, 8},
    {300, "HelpKeywordSearch", 1, 11},
    {0, nullptr, 0, 0},
};

namespace {
// Numbers run 0..300: a direct index keeps lookups by number constant-time.
struct TCommandIndex {
    const TCommandElement* byNumber[301] = {};
    TCommandIndex()
    {
        for (const TCommandElement* e = kCommandTable; e->number; ++e)
            byNumber[e->number] = e;
    }
};

const TCommandIndex& Index()
{
    static const TCommandIndex index;
    return index;
}
}  // namespace

const TCommandElement* FindCommand(unsigned number)
{
    return number <= 300 ? Index().byNumber[number] : nullptr;
}

unsigned FindCommandByName(const char* name)
{
    if (!name)
        return 0;
    for (const TCommandElement* e = kCommandTable; e->number; ++e)
        if (EqualNoCase(e->name, name))
            return e->number;
    return 0;
}

const char* CommandCategoryLabel(int category)
{
    static const char* const labels[] = {"All", "Insert and Delete", "Cursor Movement", "Select", "Search",
                                         "Bookmarks", "Format", "Clipboard", "Tools", "File", "Options",
                                         "Help", "Miscellaneous"};
    return category >= 0 && category <= 12 ? labels[category] : "";
}
