// Where each frame command goes, and which menu items are enabled, checked and labelled in a given state.
#include "shell/CommandRouting.h"

#include <algorithm>
#include <cctype>

#include "engine/Commands.h"
#include "resources/ozm/resource.h"
#include "shell/ScreenFonts.h"

namespace {

// Menu commands the active document's engine runs as editor commands, so that a recorder sees them.
struct TForwardElement {
    int menuId;
    unsigned command;
};

const TForwardElement kForwarded[] = {
    {CM_INSERTFILE, cmReadBlock},        {CM_FILESAVE, cmSaveFile},
    {CM_FILESAVEAS, cmSaveFileAs},       {CM_SAVEBLOCK, cmWriteBlock},
    {CM_PRINT, cmPrint},                 {CM_UNDO, cmUndo},
    {CM_REDO, cmRedo},                   {CM_CUT, cmCut},
    {CM_COPY, cmCopy},                   {CM_PASTE, cmPaste},
    {CM_CLEAR, cmDeleteBlock},           {CM_SELECTALL, cmSelectAll},
    {CM_TIMEDATE, cmInsertTimeDate},     {CM_INSERTSYMBOL, cmInsertSymbol},
    {CM_WORDWRAP, cmToggleWordWrap},     {CM_CUTAPPEND, cmCutAndAppend},
    {CM_COPYAPPEND, cmCopyAndAppend},    {CM_FILLBLOCK, cmFillBlock},
    {CM_LINEDRAWSTYLE, cmLineDrawStyle}, {CM_FIND, cmFind},
    {CM_REPLACE, cmReplace},             {CM_FINDNEXT, cmFindNext},
    {CM_GOTOLINE, cmGoToLine},           {CM_GOTOCOLUMN, cmGoToColumn},
    {CM_MATCHPAIR, cmMatchPair},         {CM_MATCHPREPNEXT, cmMatchPreprocNext},
    {CM_MATCHPREPPREV, cmMatchPreprocPrev}, {CM_RECORDMACRO, cmRecordMacro},
    {CM_STOPRECORDER, cmMacroStopRecorder}, {CM_MACRO, cmMacro},
    {CM_EXPANDTABS, cmExpandTabsToSpaces}, {CM_COMPRESSTABS, cmCompressSpacesToTabs},
    {CM_CONVERTTEXT, cmConvertText},     {CM_SORT, cmSort},
    {CM_WORDCOUNT, cmWordCount},         {CM_KEYWORDSEARCH, cmHelpKeywordSearch},
    {CM_DELETETOEOL, cmDeleteToEOL},     {CM_DELETETOBOL, cmDeleteToBOL},
    {CM_DELETELINE, cmDeleteLine},       {CM_DUPLINE, cmDupLine},
    {CM_JOINLINE, cmJoinLine},           {CM_CENTERLINE, cmCenterLine},
    {CM_INSERTCOMMENT, cmInsertComment}, {CM_INDENTBLOCK, cmIndentBlock},
    {CM_UNINDENTBLOCK, cmUnindentBlock}, {CM_ALIGNLEFT, cmLeftBlockPara},
    {CM_CENTERPARA, cmCenterBlockPara},  {CM_ALIGNRIGHT, cmRightBlockPara},
    {CM_JUSTIFY, cmJustifyBlockPara},    {CM_UPPERCASE, cmUpperCase},
    {CM_LOWERCASE, cmLowerCase},         {CM_FLIPCASE, cmFlipCase},
    {CM_OPENSOURCEFILE, cmOpenFileAtCursor},
};

// Items that need an active document: gray without one (enabled in help mode, to be picked for help).
const int kDocumentItems[] = {
    CM_INSERTFILE, CM_FILESAVE, CM_FILESAVEAS, CM_SAVEBLOCK, CM_SAVEALL, CM_PRINT, CM_PRINTPREVIEW,
    CM_UNDO, CM_REDO, CM_CUT, CM_COPY, CM_PASTE, CM_CLEAR, CM_SELECTALL, CM_TIMEDATE, CM_CUTAPPEND,
    CM_COPYAPPEND, CM_COLUMNMODE, CM_FILLBLOCK, CM_LINEDRAW, CM_LINEDRAWSTYLE, CM_INSERTSYMBOL,
    CM_FIND, CM_REPLACE, CM_FINDNEXT, CM_GOTOLINE, CM_GOTOCOLUMN, CM_MATCHPAIR, CM_MATCHPREPNEXT,
    CM_MATCHPREPPREV, CM_DROPBOOKMARK, CM_GOTOBOOKMARK, CM_RECORDMACRO, CM_STOPRECORDER, CM_MACRO,
    CM_COMMANDS, CM_EXPANDTABS, CM_COMPRESSTABS, CM_CONVERTTABSIZE, CM_CHANGECASE, CM_CONVERTTEXT,
    CM_SORT, CM_WORDCOUNT, CM_CASCADE, CM_TILEHORZ, CM_TILEVERT, CM_ARRANGEICONS, CM_CLOSEALL,
    CM_PREVWINDOW, CM_NEXTWINDOW, CM_KEYWORDSEARCH,
    // The Edit menu's line, block and case items run on the document too.
    CM_DELETETOEOL, CM_DELETETOBOL, CM_DELETELINE, CM_DUPLINE, CM_JOINLINE, CM_CENTERLINE,
    CM_INSERTCOMMENT, CM_INDENTBLOCK, CM_UNINDENTBLOCK, CM_ALIGNLEFT, CM_CENTERPARA, CM_ALIGNRIGHT,
    CM_JUSTIFY, CM_UPPERCASE, CM_LOWERCASE, CM_FLIPCASE, CM_OPENSOURCEFILE,
};

// Items served by the frame whatever the documents are.
const int kFrameItems[] = {
    CM_FILENEW, CM_FILEOPEN, CM_IMPORTTEXT, CM_FINDFILE, CM_PRINTERSETUP, CM_PAGESETUP, CM_EXIT,
    CM_WORDWRAP, CM_CALCULATOR, CM_SETFONT, CM_FONT1250, CM_FONT1252, CM_FONT437, CM_FONTCROSCII,
    CM_FONTISO1, CM_FONTISO2, CM_FONTMACROMAN, CM_FONTMACCE, CM_EDITOROPTIONS, CM_MOUSEOPTIONS,
    CM_LANGUAGE, CM_KEYMAPPING, CM_HELPOPTIONS, CM_TOOLS, CM_FILEFILTERS, CM_SYNTAX, CM_AUTOCORRECT,
    CM_STATUSBAR, CM_TOOLBAR, CM_MULTIINST, CM_SAVEDESKTOPNOW, CM_SAVEDESKTOP, CM_RESTOREDESKTOPNOW,
    CM_AUTOLOAD, CM_SAVESETTINGSNOW, CM_SAVESETTINGS, CM_BARSTYLEDEFAULT, CM_BARSTYLEWIN3,
    CM_BARSTYLEWIN95, CM_HELPCONTENTS, CM_HELPKEYBOARD, CM_WHATIS, CM_TIPOFTHEDAY, CM_ABOUT,
};

TCheck Check(bool on)
{
    return on ? TCheck::On : TCheck::Off;
}

// Whether a document item is enabled with an active document outside help mode.
bool EnabledWithDocument(int id, const TMenuContext& c)
{
    switch (id) {
    case CM_SAVEBLOCK:
    case CM_CUT:
    case CM_COPY:
    case CM_CLEAR: return c.selection;
    case CM_UNDO: return c.undoKind != TUndoKind::None;
    case CM_REDO: return c.canRedo;
    case CM_PASTE: return c.clipboardText;
    case CM_CUTAPPEND:
    case CM_COPYAPPEND: return c.selection && !c.columnMode;
    case CM_FILLBLOCK: return c.selection && c.columnMode;
    case CM_RECORDMACRO: return !c.recording;
    case CM_STOPRECORDER: return c.recording;
    case CM_KEYWORDSEARCH: return c.keywordHelp;
    default: return true;
    }
}

// Face names are compared without regard to case, as the system finds fonts.
bool SameFace(const std::string& a, const char* b)
{
    return std::equal(a.begin(), a.end(), b, b + std::char_traits<char>::length(b), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

TCheck CheckOf(int id, const TMenuContext& c)
{
    switch (id) {
    case CM_WORDWRAP: return Check(c.wordWrap);
    case CM_STATUSBAR: return Check(c.statusBar);
    case CM_TOOLBAR: return Check(c.buttonBar);
    case CM_BARSTYLEDEFAULT: return Check(c.btnBarStyle == -1);
    case CM_BARSTYLEWIN3: return Check(c.btnBarStyle == 1);
    case CM_BARSTYLEWIN95: return Check(c.btnBarStyle == 2);
    case CM_MULTIINST: return Check(c.allowMultiInst);
    case CM_AUTOLOAD: return Check(c.autoLoad);
    case CM_SAVEDESKTOP: return Check(c.saveDesktop);
    case CM_SAVESETTINGS: return Check(c.saveSettings);
    case CM_COLUMNMODE: return Check(c.hasEditor && c.columnMode);
    case CM_LINEDRAW: return Check(c.hasEditor && c.lineDraw);
    case CM_FONT1250:
    case CM_FONT1252:
    case CM_FONT437:
    case CM_FONTCROSCII:
    case CM_FONTISO1:
    case CM_FONTISO2:
    case CM_FONTMACROMAN:
    case CM_FONTMACCE: return Check(SameFace(c.fontName, ScreenFontFace(id)));
    default: return TCheck::Leave;
    }
}

}  // namespace

unsigned ForwardedEditorCommand(int menuId)
{
    for (const TForwardElement& f : kForwarded)
        if (f.menuId == menuId)
            return f.command;
    return 0;
}

unsigned ColumnModeCommand(bool columnModeOn)
{
    return columnModeOn ? cmSetCharSelMode : cmSetColumnSelMode;
}

unsigned LineDrawCommand(bool lineDrawOn)
{
    return lineDrawOn ? cmEndLineDraw : cmStartLineDraw;
}

unsigned ChangeCaseCommand(int choice, bool selection)
{
    switch (choice) {
    case 1: return cmSentenceCase;
    case 2: return selection ? cmLowerCase : cmLowerCaseWord;
    case 3: return selection ? cmUpperCase : cmUpperCaseWord;
    case 4: return cmTitleCase;
    case 5: return selection ? cmFlipCase : cmFlipCaseWord;
    default: return cmNullCmd;
    }
}

unsigned UserToolEditorCommand(int menuId)
{
    if (menuId < CM_USERTOOL1 || menuId > CM_USERTOOL9)
        return 0;
    return cmUserTool1 + static_cast<unsigned>(menuId - CM_USERTOOL1);
}

// Every item of the menus now has its dialog or service. The question stays, so that a command added to
// the menus before its service is kept gray by naming it here rather than doing nothing when chosen.
bool CommandAvailable(int /*menuId*/)
{
    return true;
}

int MenuPosition(TTopMenu menu, bool documentMaximised)
{
    return static_cast<int>(menu) + (documentMaximised ? 1 : 0);
}

int PopupHelpStringId(int position, bool documentMaximised)
{
    int index = position - (documentMaximised ? 1 : 0);
    return index >= 0 && index <= 7 ? IDS_POPUPFILE + index : IDS_POPUPOTHER;
}

unsigned HelpContextOf(int menuId)
{
    // The commands with a topic of their own in the help file, as ranges of command numbers; the recent
    // files share one topic, and every other command (user tools and help files, windows) has none.
    struct TRange {
        int first;
        int last;
    };
    static const TRange kTopics[] = {
        {101, 108}, {130, 133}, {150, 150}, {169, 169}, {201, 212}, {215, 216}, {301, 303}, {305, 311},
        {501, 503}, {530, 532}, {534, 535}, {538, 538}, {540, 540}, {555, 555}, {601, 607}, {701, 708},
        {710, 710}, {720, 721}, {723, 723}, {725, 728}, {730, 731}, {801, 804}, {901, 903}, {950, 950},
        {999, 999}, {1257, 1257},
    };
    if (menuId >= CM_RECENT0 && menuId <= CM_RECENT3)
        return CM_RECENT0;
    for (const TRange& r : kTopics)
        if (menuId >= r.first && menuId <= r.last)
            return static_cast<unsigned>(menuId);
    return 0;
}

unsigned FrameAreaHelpContext(int hitTest)
{
    constexpr int kLeftBorder = 10, kBorder = 18, kLastArea = 21;
    if (hitTest < 0 || hitTest > kLastArea)
        return 15000;
    return 15000 + static_cast<unsigned>(hitTest == kLeftBorder ? kBorder : hitTest);
}

std::vector<unsigned> HelpContextsUsed()
{
    std::vector<unsigned> all = {kSystemMenuHelpContext, kScrollBarHelpContext, kHelpOpenDialog,
                                 kHelpSaveAsDialog,      kHelpPrintDialog,      kHelpPageSetupDialog,
                                 kHelpUserHelpDialog,    kHelpToolsDialog,      kHelpToolMacros};
    for (int id = 0; id < 0x10000; ++id)
        if (unsigned c = HelpContextOf(id))
            all.push_back(c);
    for (int position = 0; position <= 9; ++position)
        all.push_back(PopupHelpContext(position, false));
    for (int hitTest = -2; hitTest <= 25; ++hitTest)
        all.push_back(FrameAreaHelpContext(hitTest));
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

unsigned PopupHelpContext(int position, bool documentMaximised)
{
    static const unsigned kContexts[] = {11, 12, 13, 15, 16, 17, 18, 19};
    int index = position - (documentMaximised ? 1 : 0);
    return index >= 0 && index <= 7 ? kContexts[index] : 10;
}

std::string StatusTextOf(const std::string& commandString)
{
    return commandString.substr(0, commandString.find('\n'));
}

std::string ToolTipOf(const std::string& commandString)
{
    std::size_t br = commandString.find('\n');
    return br == std::string::npos ? std::string() : commandString.substr(br + 1);
}

int UndoLabelStringId(TUndoKind undoKind)
{
    switch (undoKind) {
    case TUndoKind::None: return IDS_CANTUNDO;
    case TUndoKind::Typing: return IDS_UNDO + 1;
    case TUndoKind::Deleting: return IDS_UNDO + 2;
    case TUndoKind::Redo: return IDS_UNDO + 3;
    case TUndoKind::Cut: return IDS_UNDO + 4;
    case TUndoKind::Paste: return IDS_UNDO + 5;
    case TUndoKind::Replace: return IDS_UNDO + 6;
    default: break;
    }
    // From Indent on, the labels follow the kinds in order up to IDS_UNDOLAST.
    const int kind = static_cast<int>(undoKind);
    const int first = static_cast<int>(TUndoKind::Indent);
    if (kind >= first && kind <= static_cast<int>(TUndoKind::Transpose))
        return IDS_UNDO + 7 + (kind - first);
    return IDS_UNDO;
}

std::string UndoMenuText(const std::string& label, const std::string& accelerator)
{
    constexpr std::size_t kLabelBuffer = 24;  // the terminating zero included
    std::string text = label.empty() ? std::string("&Undo") : label.substr(0, kLabelBuffer - 1);
    return text + accelerator;
}

std::vector<TMenuItemState> MenuItemStates(const TMenuContext& c)
{
    std::vector<TMenuItemState> states;
    // In help mode every item can be picked, to read about it, whether or not it could run now.
    for (int id : kDocumentItems) {
        bool enabled = c.hasEditor && EnabledWithDocument(id, c) && CommandAvailable(id);
        states.push_back({id, c.helpMode || enabled, CheckOf(id, c)});
    }
    for (int id : kFrameItems)
        states.push_back({id, c.helpMode || CommandAvailable(id), CheckOf(id, c)});
    return states;
}

const TMenuItemState* FindItemState(const std::vector<TMenuItemState>& states, int id)
{
    for (const TMenuItemState& s : states)
        if (s.id == id)
            return &s;
    return nullptr;
}
