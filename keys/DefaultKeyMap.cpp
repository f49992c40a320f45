// The built-in default key map, in the order its pairs are stored.
#include "keys/DefaultKeyMap.h"

#include "engine/Commands.h"
#include "keys/KeyCodes.h"

namespace {

constexpr uint16_t Plain(unsigned vk)
{
    return VirtualKey(vk);
}
constexpr uint16_t Ctrl(unsigned vk)
{
    return VirtualKey(vk) | kKeyCtrl;
}
constexpr uint16_t Shift(unsigned vk)
{
    return VirtualKey(vk) | kKeyShift;
}
constexpr uint16_t CtrlShift(unsigned vk)
{
    return VirtualKey(vk) | kKeyCtrl | kKeyShift;
}
constexpr uint16_t Alt(unsigned vk)
{
    return VirtualKey(vk) | kKeyAlt;
}
constexpr uint16_t AltShift(unsigned vk)
{
    return VirtualKey(vk) | kKeyAlt | kKeyShift;
}
constexpr uint16_t Mark(uint16_t first, int n)
{
    return static_cast<uint16_t>(first + n);
}

}  // namespace

const TKeyPair kDefaultMainTable[kDefaultMainCount] = {
    {Plain(kVkEnter), cmNewLine},
    {Plain(kVkBackspace), cmBackspace},
    {Plain(kVkDel), cmDelete},
    {Plain(kVkTab), cmTab},
    {Plain(kVkIns), cmToggleInsert},
    {Plain(kVkLeft), cmCursorLeft},
    {Plain(kVkRight), cmCursorRight},
    {Plain(kVkUp), cmCursorUp},
    {Plain(kVkDown), cmCursorDown},
    {Plain(kVkPageUp), cmPageUp},
    {Plain(kVkPageDown), cmPageDown},
    {Plain(kVkHome), cmLineStart},
    {Plain(kVkEnd), cmLineEnd},
    {Ctrl(kVkLeft), cmWordLeft},
    {Ctrl(kVkRight), cmWordRight},
    {Ctrl(kVkHome), cmTextStart},
    {Ctrl(kVkEnd), cmTextEnd},
    {Ctrl(kVkPageUp), cmTopOfWindow},
    {Ctrl(kVkPageDown), cmBottomOfWindow},
    {Ctrl(kVkUp), cmParaUp},
    {Ctrl(kVkDown), cmParaDown},
    {Shift(kVkLeft), cmLeftSelect},
    {Shift(kVkRight), cmRightSelect},
    {Shift(kVkUp), cmUpSelect},
    {Shift(kVkDown), cmDownSelect},
    {Shift(kVkPageUp), cmPageUpSelect},
    {Shift(kVkPageDown), cmPageDownSelect},
    {Shift(kVkHome), cmLineStartSelect},
    {Shift(kVkEnd), cmLineEndSelect},
    {Shift(kVkTab), cmBackTab},
    {CtrlShift(kVkLeft), cmWordLeftSelect},
    {CtrlShift(kVkRight), cmWordRightSelect},
    {CtrlShift(kVkHome), cmTextStartSelect},
    {CtrlShift(kVkEnd), cmTextEndSelect},
    {CtrlShift(kVkPageUp), cmTopOfWindowSelect},
    {CtrlShift(kVkPageDown), cmBottomOfWindowSelect},
    {CtrlShift(kVkUp), cmParaUpSelect},
    {CtrlShift(kVkDown), cmParaDownSelect},
    {Ctrl(kVkDel), cmDeleteBlock},
    {Ctrl(kVkIns), cmCopy},
    {Ctrl(kVkBackspace), cmDeleteWordBack},
    {Shift(kVkIns), cmPaste},
    {Shift(kVkDel), cmCut},
    {Alt(kVkBackspace), cmUndo},
    {AltShift(kVkBackspace), cmRedo},
    {Ctrl('A'), cmSelectAll},
    {Ctrl('C'), cmCopy},
    {Ctrl('F'), cmFind},
    {Ctrl('G'), cmDeleteChar},
    {Ctrl('H'), cmBackspace},
    {Ctrl('I'), cmTab},
    {Ctrl('J'), cmGoToLine},
    {Ctrl('K'), kPrefix1},
    {Ctrl('L'), cmFindNext},
    {Ctrl('N'), cmInsertLine},
    {Ctrl('O'), kPrefix1 + 2},
    {Ctrl('P'), cmInsertSymbol},
    {Ctrl('Q'), kPrefix1 + 1},
    {Ctrl('S'), cmFind},
    {Ctrl('T'), cmDeleteWord},
    {Ctrl('V'), cmPaste},
    {Ctrl('X'), cmCut},
    {Ctrl('Y'), cmDeleteLine},
    {Ctrl('Z'), cmUndo},
    {CtrlShift('Y'), cmDeleteToEOL},
    {CtrlShift('C'), cmInsertComment},
    {CtrlShift('K'), cmInsertCommentLight},
    {Plain(kVkF1 + 1), cmSaveFile},
    {Plain(kVkF1 + 2), cmFindNext},
    {Ctrl(kVkF1 + 2), cmFindNextWord},
    {CtrlShift(kVkF1 + 2), cmFindPrevWord},
    {Ctrl(kVkF1), cmHelpKeywordSearch},
    {Plain(kVkEsc), cmNullCmd},
};

const TKeyPair kDefaultPrefix1Table[kDefaultPrefix1Count] = {
    {Plain('B'), cmStartSelect},
    {Plain('C'), cmPaste},
    {Plain('E'), cmLowerCaseWord},
    {Plain('F'), cmUpperCaseWord},
    {Plain('H'), cmHideSelect},
    {Plain('I'), cmIndentBlock},
    {Plain('K'), cmCopy},
    {Plain('L'), cmSelectLine},
    {Plain('N'), cmUpperCase},
    {Plain('O'), cmLowerCase},
    {Plain('P'), cmPrint},
    {Plain('R'), cmReadBlock},
    {Plain('S'), cmSaveFile},
    {Plain('T'), cmSelectWord},
    {Plain('U'), cmUnindentBlock},
    {Plain('W'), cmWriteBlock},
    {Plain('Y'), cmCut},
    {Plain('0'), Mark(cmSetMark0, 0)},
    {Plain('1'), Mark(cmSetMark0, 1)},
    {Plain('2'), Mark(cmSetMark0, 2)},
    {Plain('3'), Mark(cmSetMark0, 3)},
    {Plain('4'), Mark(cmSetMark0, 4)},
    {Plain('5'), Mark(cmSetMark0, 5)},
    {Plain('6'), Mark(cmSetMark0, 6)},
    {Plain('7'), Mark(cmSetMark0, 7)},
    {Plain('8'), Mark(cmSetMark0, 8)},
    {Plain('9'), Mark(cmSetMark0, 9)},
};

const TKeyPair kDefaultPrefix2Table[kDefaultPrefix2Count] = {
    {Plain('A'), cmReplace},
    {Plain('C'), cmTextEnd},
    {Plain('E'), cmTopOfWindow},
    {Plain('D'), cmLineEnd},
    {Plain('F'), cmFind},
    {Plain('R'), cmTextStart},
    {Plain('S'), cmLineStart},
    {Plain('X'), cmBottomOfWindow},
    {Plain('Y'), cmDeleteToEOL},
    {'[', cmMatchPair},
    {']', cmMatchPair},
    {Plain('0'), Mark(cmGotoMark0, 0)},
    {Plain('1'), Mark(cmGotoMark0, 1)},
    {Plain('2'), Mark(cmGotoMark0, 2)},
    {Plain('3'), Mark(cmGotoMark0, 3)},
    {Plain('4'), Mark(cmGotoMark0, 4)},
    {Plain('5'), Mark(cmGotoMark0, 5)},
    {Plain('6'), Mark(cmGotoMark0, 6)},
    {Plain('7'), Mark(cmGotoMark0, 7)},
    {Plain('8'), Mark(cmGotoMark0, 8)},
    {Plain('9'), Mark(cmGotoMark0, 9)},
    {Plain(kVkDel), cmDeleteToBOL},
};

const TKeyPair kDefaultPrefix3Table[kDefaultPrefix3Count] = {
    {Plain('C'), cmSetColumnSelMode},
    {Plain('G'), cmGoToLine},
    {Plain('I'), cmToggleAutoIndent},
    {Plain('K'), cmSetCharSelMode},
    {Plain('O'), cmFlipCase},
    {Plain('T'), cmCenterLine},
    {Plain('U'), cmToggleAutoUnindent},
    {Plain('W'), cmToggleWordWrap},
};

void TKeyMap::SetDefaults()
{
    struct TDefault {
        const TKeyPair* pairs;
        int count;
    };
    const TDefault defaults[1 + kPrefixTableCount] = {
        {kDefaultMainTable, kDefaultMainCount},       {kDefaultPrefix1Table, kDefaultPrefix1Count},
        {kDefaultPrefix2Table, kDefaultPrefix2Count}, {kDefaultPrefix3Table, kDefaultPrefix3Count},
        {nullptr, 0},                                 {nullptr, 0},
        {nullptr, 0},
    };
    for (int n = 0; n <= kPrefixTableCount; ++n) {
        tables_[n].Clear();
        for (int i = 0; i < defaults[n].count; ++i)
            (void)tables_[n].Set(defaults[n].pairs[i].key, defaults[n].pairs[i].command);
    }
    modified_ = true;
}
