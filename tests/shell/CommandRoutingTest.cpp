// Frame command routing, the menu states for each document state, the Undo label and menu positions.
#include "shell/CommandRouting.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/Commands.h"
#include "engine/Undo.h"
#include "resources/ozm/resource.h"
#include "shell/ScreenFonts.h"

namespace {

struct ForwardCase {
    int menuId;
    unsigned command;
};

class ForwardedCommands : public ::testing::TestWithParam<ForwardCase> {};

TEST_P(ForwardedCommands, ReachTheirEditorCommand)
{
    EXPECT_EQ(ForwardedEditorCommand(GetParam().menuId), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(Table, ForwardedCommands,
                         ::testing::Values(ForwardCase{CM_INSERTFILE, cmReadBlock}, ForwardCase{CM_FILESAVE, cmSaveFile},
                                           ForwardCase{CM_UNDO, cmUndo}, ForwardCase{CM_CLEAR, cmDeleteBlock},
                                           ForwardCase{CM_WORDWRAP, cmToggleWordWrap},
                                           ForwardCase{CM_GOTOLINE, cmGoToLine},
                                           ForwardCase{CM_KEYWORDSEARCH, cmHelpKeywordSearch},
                                           ForwardCase{CM_DUPLINE, cmDupLine},
                                           ForwardCase{CM_ALIGNLEFT, cmLeftBlockPara},
                                           ForwardCase{CM_OPENSOURCEFILE, cmOpenFileAtCursor},
                                           // Frame commands and translated ones are not forwarded as they are.
                                           ForwardCase{CM_FILENEW, 0u}, ForwardCase{CM_COLUMNMODE, 0u},
                                           ForwardCase{CM_LINEDRAW, 0u}, ForwardCase{CM_USERTOOL1, 0u},
                                           ForwardCase{CM_SAVEALL, 0u}));

TEST(TranslatedCommands, ToggleColumnModeAndLineDrawFromTheirState)
{
    EXPECT_EQ(ColumnModeCommand(true), cmSetCharSelMode);
    EXPECT_EQ(ColumnModeCommand(false), cmSetColumnSelMode);
    EXPECT_EQ(LineDrawCommand(true), cmEndLineDraw);
    EXPECT_EQ(LineDrawCommand(false), cmStartLineDraw);
}

TEST(TranslatedCommands, ChangeCaseActsOnTheSelectionOrTheWord)
{
    EXPECT_EQ(ChangeCaseCommand(1, false), cmSentenceCase);
    EXPECT_EQ(ChangeCaseCommand(2, true), cmLowerCase);
    EXPECT_EQ(ChangeCaseCommand(2, false), cmLowerCaseWord);
    EXPECT_EQ(ChangeCaseCommand(3, true), cmUpperCase);
    EXPECT_EQ(ChangeCaseCommand(3, false), cmUpperCaseWord);
    EXPECT_EQ(ChangeCaseCommand(4, true), cmTitleCase);
    EXPECT_EQ(ChangeCaseCommand(5, true), cmFlipCase);
    EXPECT_EQ(ChangeCaseCommand(5, false), cmFlipCaseWord);
    EXPECT_EQ(ChangeCaseCommand(0, true), cmNullCmd);
    EXPECT_EQ(ChangeCaseCommand(6, false), cmNullCmd);
}

TEST(TranslatedCommands, UserToolItemsRunTheirEditorCommandOnlyInRange)
{
    EXPECT_EQ(UserToolEditorCommand(CM_USERTOOL1), cmUserTool1);
    EXPECT_EQ(UserToolEditorCommand(CM_USERTOOL9), cmUserTool9);
    EXPECT_EQ(UserToolEditorCommand(CM_USERTOOL1 - 1), 0u);
    EXPECT_EQ(UserToolEditorCommand(CM_USERTOOL9 + 1), 0u);
    // The tools run with and without a document, and the Tools dialog edits them.
    for (int id = CM_USERTOOL1; id <= CM_USERTOOL9; ++id)
        EXPECT_TRUE(CommandAvailable(id)) << id;
    EXPECT_TRUE(CommandAvailable(CM_TOOLS));
}

bool Enabled(const TMenuContext& c, int id)
{
    auto states = MenuItemStates(c);
    const TMenuItemState* s = FindItemState(states, id);
    EXPECT_NE(s, nullptr) << id;
    return s && s->enabled;
}

TCheck CheckOf(const TMenuContext& c, int id)
{
    auto states = MenuItemStates(c);
    const TMenuItemState* s = FindItemState(states, id);
    return s ? s->check : TCheck::Leave;
}

TEST(MenuState, WithoutADocumentEveryDocumentItemIsGrayButFrameItemsStay)
{
    TMenuContext c;
    for (int id : {CM_INSERTFILE, CM_FILESAVE, CM_SAVEALL, CM_UNDO, CM_PASTE, CM_SELECTALL, CM_FIND, CM_GOTOLINE,
                   CM_EXPANDTABS, CM_CASCADE, CM_NEXTWINDOW, CM_DUPLINE, CM_COLUMNMODE, CM_LINEDRAW})
        EXPECT_FALSE(Enabled(c, id)) << id;
    for (int id : {CM_FILENEW, CM_FILEOPEN, CM_EXIT, CM_WORDWRAP, CM_SETFONT, CM_STATUSBAR, CM_WHATIS,
                   CM_SAVEDESKTOPNOW, CM_MULTIINST})
        EXPECT_TRUE(Enabled(c, id)) << id;
}

// The option dialogs, the bookmarks, More Files, Tip of the Day, Insert Symbol and About all run: none is
// gray while a document is open, and those that need no document are offered without one.
TEST(MenuState, OptionBookmarkTipAndAboutItemsAreOffered)
{
    TMenuContext c;
    c.hasEditor = true;
    for (int id : {CM_EDITOROPTIONS, CM_MOUSEOPTIONS, CM_DROPBOOKMARK, CM_GOTOBOOKMARK, CM_TIPOFTHEDAY, CM_ABOUT,
                   CM_INSERTSYMBOL})
        EXPECT_TRUE(Enabled(c, id)) << id;
    EXPECT_TRUE(CommandAvailable(CM_MOREFILES));
    c.hasEditor = false;
    for (int id : {CM_EDITOROPTIONS, CM_MOUSEOPTIONS, CM_TIPOFTHEDAY, CM_ABOUT})
        EXPECT_TRUE(Enabled(c, id)) << id;
    for (int id : {CM_DROPBOOKMARK, CM_GOTOBOOKMARK, CM_INSERTSYMBOL})
        EXPECT_FALSE(Enabled(c, id)) << id;
}

// Options > Syntax Highlighting has its dialog: it is offered with or without a document.
TEST(MenuState, SyntaxHighlightingIsOffered)
{
    TMenuContext c;
    EXPECT_TRUE(Enabled(c, CM_SYNTAX));
}

// Options > Auto Correct has its dialog, with or without a document.
TEST(MenuState, AutoCorrectIsOffered)
{
    TMenuContext c;
    EXPECT_TRUE(Enabled(c, CM_AUTOCORRECT));
    c.hasEditor = true;
    EXPECT_TRUE(Enabled(c, CM_AUTOCORRECT));
}

// The macro items have their dialogs: offered with a document, and Record and Stop swap with recording.
TEST(MenuState, MacroItemsAreOfferedWithADocumentAndFollowRecording)
{
    TMenuContext c;
    for (int id : {CM_RECORDMACRO, CM_MACRO, CM_COMMANDS})
        EXPECT_FALSE(Enabled(c, id)) << id;
    c.hasEditor = true;
    for (int id : {CM_RECORDMACRO, CM_MACRO, CM_COMMANDS})
        EXPECT_TRUE(Enabled(c, id)) << id;
    EXPECT_FALSE(Enabled(c, CM_STOPRECORDER));
    c.recording = true;
    EXPECT_FALSE(Enabled(c, CM_RECORDMACRO));
    EXPECT_TRUE(Enabled(c, CM_STOPRECORDER));
    for (int id : {CM_RECORDMACRO, CM_STOPRECORDER, CM_MACRO, CM_COMMANDS, CM_KEYMAPPING})
        EXPECT_TRUE(CommandAvailable(id)) << id;
    // Key Mapping edits the program's key map: offered without a document too.
    EXPECT_TRUE(Enabled(TMenuContext{}, CM_KEYMAPPING));
}

TEST(MenuState, HelpModeEnablesDocumentItemsThatExist)
{
    TMenuContext c;
    c.helpMode = true;
    for (int id : {CM_FILESAVE, CM_UNDO, CM_REDO, CM_CUT, CM_PASTE, CM_CUTAPPEND, CM_FIND, CM_STOPRECORDER,
                   CM_CLOSEALL, CM_DUPLINE})
        EXPECT_TRUE(Enabled(c, id)) << id;
    // Help mode only picks an item to read about it: what the program cannot run is offered too.
    EXPECT_TRUE(Enabled(c, CM_PRINT));
    EXPECT_TRUE(Enabled(c, CM_FINDFILE));
    EXPECT_TRUE(Enabled(c, CM_FONT1250));
    c.helpMode = false;
    EXPECT_FALSE(Enabled(c, CM_FILESAVE));  // a document item, with no document
    // Help Options has its dialog now.
    EXPECT_TRUE(Enabled(c, CM_HELPOPTIONS));
    // Find Files needs no document.
    EXPECT_TRUE(Enabled(c, CM_FINDFILE));
    EXPECT_TRUE(Enabled(TMenuContext{}, CM_FINDFILE));
}

TEST(MenuState, ImportTextNeedsNoDocument)
{
    TMenuContext c;
    EXPECT_TRUE(Enabled(c, CM_IMPORTTEXT));
    c.hasEditor = true;
    EXPECT_TRUE(Enabled(c, CM_IMPORTTEXT));
}

TEST(MenuState, SelectionDependentItemsFollowTheSelectionMode)
{
    TMenuContext c;
    c.hasEditor = true;
    EXPECT_FALSE(Enabled(c, CM_CUT));
    EXPECT_FALSE(Enabled(c, CM_SAVEBLOCK));
    EXPECT_FALSE(Enabled(c, CM_CUTAPPEND));
    c.selection = true;
    EXPECT_TRUE(Enabled(c, CM_CUT));
    EXPECT_TRUE(Enabled(c, CM_COPY));
    EXPECT_TRUE(Enabled(c, CM_CLEAR));
    EXPECT_TRUE(Enabled(c, CM_CUTAPPEND));
    EXPECT_TRUE(Enabled(c, CM_COPYAPPEND));
    c.columnMode = true;
    EXPECT_FALSE(Enabled(c, CM_CUTAPPEND));
    EXPECT_FALSE(Enabled(c, CM_COPYAPPEND));
    EXPECT_EQ(CheckOf(c, CM_COLUMNMODE), TCheck::On);
}

TEST(MenuState, UndoRedoPasteAndRecorderFollowTheDocument)
{
    TMenuContext c;
    c.hasEditor = true;
    EXPECT_FALSE(Enabled(c, CM_UNDO));
    EXPECT_FALSE(Enabled(c, CM_REDO));
    EXPECT_FALSE(Enabled(c, CM_PASTE));
    EXPECT_FALSE(Enabled(c, CM_STOPRECORDER));
    c.undoKind = TUndoKind::Typing;
    c.canRedo = true;
    c.clipboardText = true;
    c.recording = true;
    EXPECT_TRUE(Enabled(c, CM_UNDO));
    EXPECT_TRUE(Enabled(c, CM_REDO));
    EXPECT_TRUE(Enabled(c, CM_PASTE));
    EXPECT_TRUE(Enabled(c, CM_STOPRECORDER));
}

TEST(MenuState, CheckMarksComeFromTheSettingsAndTheDocument)
{
    TMenuContext c;
    c.wordWrap = true;
    c.statusBar = false;
    c.btnBarStyle = 2;
    c.autoLoad = true;
    c.saveSettings = false;
    c.lineDraw = true;
    EXPECT_EQ(CheckOf(c, CM_WORDWRAP), TCheck::On);
    EXPECT_EQ(CheckOf(c, CM_STATUSBAR), TCheck::Off);
    EXPECT_EQ(CheckOf(c, CM_TOOLBAR), TCheck::On);
    EXPECT_EQ(CheckOf(c, CM_BARSTYLEDEFAULT), TCheck::Off);
    EXPECT_EQ(CheckOf(c, CM_BARSTYLEWIN95), TCheck::On);
    EXPECT_EQ(CheckOf(c, CM_AUTOLOAD), TCheck::On);
    EXPECT_EQ(CheckOf(c, CM_SAVESETTINGS), TCheck::Off);
    // Without a document the mode items are never checked.
    EXPECT_EQ(CheckOf(c, CM_LINEDRAW), TCheck::Off);
    c.hasEditor = true;
    EXPECT_EQ(CheckOf(c, CM_LINEDRAW), TCheck::On);
    EXPECT_EQ(CheckOf(c, CM_FILESAVE), TCheck::Leave);
}

TEST(MenuPositions, ShiftByOneWhenADocumentIsMaximised)
{
    EXPECT_EQ(MenuPosition(TTopMenu::File, false), 0);
    EXPECT_EQ(MenuPosition(TTopMenu::File, true), 1);
    EXPECT_EQ(MenuPosition(TTopMenu::Window, false), 6);
    EXPECT_EQ(MenuPosition(TTopMenu::Help, true), 8);
    EXPECT_EQ(PopupHelpStringId(0, false), 72);
    EXPECT_EQ(PopupHelpStringId(1, true), 72);
    EXPECT_EQ(PopupHelpStringId(7, false), 79);
    EXPECT_EQ(PopupHelpStringId(8, false), 71);
    EXPECT_EQ(PopupHelpStringId(0, true), 71);
}

TEST(HelpContexts, CommandsHaveTopicsButUserItemsDoNot)
{
    EXPECT_EQ(HelpContextOf(CM_FILESAVE), 106u);
    // The help file has topics for the listed commands only: Save All, a character-set font and most of
    // the Edit menu's line commands have none.
    EXPECT_EQ(HelpContextOf(CM_DUPLINE), 0u);
    EXPECT_EQ(HelpContextOf(CM_SAVEALL), 0u);
    EXPECT_EQ(HelpContextOf(CM_FONTMACROMAN), 0u);
    EXPECT_EQ(HelpContextOf(CM_DELETETOEOL), 0u);
    EXPECT_EQ(HelpContextOf(CM_OPENSOURCEFILE), 1257u);
    EXPECT_EQ(HelpContextOf(CM_ABOUT), 999u);
    EXPECT_EQ(HelpContextOf(CM_WHATIS), 903u);
    // The recent files share one topic; More Files has its own.
    EXPECT_EQ(HelpContextOf(CM_RECENT0), 160u);
    EXPECT_EQ(HelpContextOf(CM_RECENT3), 160u);
    EXPECT_EQ(HelpContextOf(CM_MOREFILES), 169u);
    // The pop-ups of the menu bar by position, behind a maximised document's system menu too.
    EXPECT_EQ(PopupHelpContext(0, false), 11u);
    EXPECT_EQ(PopupHelpContext(3, false), 15u);
    EXPECT_EQ(PopupHelpContext(8, true), 19u);
    EXPECT_EQ(PopupHelpContext(8, false), 10u);
    EXPECT_EQ(PopupHelpContext(0, true), 10u);
    EXPECT_EQ(HelpContextOf(CM_USERTOOL1 + 3), 0u);
    EXPECT_EQ(HelpContextOf(CM_USERHELP1), 0u);
    EXPECT_EQ(HelpContextOf(ID_FIRSTCHILD + 2), 0u);
    EXPECT_EQ(HelpContextOf(ID_TOOLBAR), 0u);
}

TEST(CommandStrings, StatusTextBeforeTheBreakToolTipAfter)
{
    EXPECT_EQ(StatusTextOf("Saves the file in the active window\nSave"), "Saves the file in the active window");
    EXPECT_EQ(ToolTipOf("Saves the file in the active window\nSave"), "Save");
    EXPECT_EQ(StatusTextOf("No tip"), "No tip");
    EXPECT_EQ(ToolTipOf("No tip"), "");
}

TEST(UndoLabel, KindsNameTheirStringsAndUnknownKindsSayUndo)
{
    EXPECT_EQ(UndoLabelStringId(TUndoKind::None), IDS_CANTUNDO);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Other), IDS_UNDO);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Typing), 1503);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Cut), 1506);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Redo), 1505);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Indent), 1509);
    EXPECT_EQ(UndoLabelStringId(TUndoKind::Transpose), IDS_UNDOLAST);
    EXPECT_EQ(UndoLabelStringId(static_cast<TUndoKind>(19)), IDS_UNDO);
    EXPECT_EQ(UndoLabelStringId(static_cast<TUndoKind>(-1)), IDS_UNDO);
}

TEST(UndoLabel, TextIsTheLabelCutToItsBufferThenTheAccelerator)
{
    EXPECT_EQ(UndoMenuText("&Undo Typing", kUndoAccelerator), "&Undo Typing\tAlt+BkSp");
    EXPECT_EQ(UndoMenuText("", kUndoAccelerator), "&Undo\tAlt+BkSp");
    EXPECT_EQ(UndoMenuText("&Undo Insert Time/Date and more", "\tX"), "&Undo Insert Time/Date \tX");
}

}  // namespace

namespace {

// The eight character-set items run with or without a document, and the one whose face is in use is checked;
// ISO 8859-1 and Windows 1252 share a face, so both are checked together.
TEST(ScreenFontMenu, EveryCharacterSetItemIsOfferedAndTheFaceInUseIsChecked)
{
    const int ids[] = {CM_FONT1250, CM_FONT1252, CM_FONT437, CM_FONTCROSCII, CM_FONTISO1, CM_FONTISO2,
                       CM_FONTMACROMAN, CM_FONTMACCE};
    TMenuContext c;
    c.fontName = "Courier";
    for (int id : ids) {
        EXPECT_TRUE(CommandAvailable(id)) << id;
        EXPECT_TRUE(Enabled(c, id)) << id;
        EXPECT_EQ(CheckOf(c, id), TCheck::Off) << id;
    }
    c.fontName = "vokte_croscii";
    for (int id : ids)
        EXPECT_EQ(CheckOf(c, id), id == CM_FONTCROSCII ? TCheck::On : TCheck::Off) << id;
    c.fontName = "VokTE_1252";
    for (int id : ids)
        EXPECT_EQ(CheckOf(c, id), id == CM_FONT1252 || id == CM_FONTISO1 ? TCheck::On : TCheck::Off) << id;
    // A face that only begins like one of them is another font.
    c.fontName = "VokTE_1250x";
    EXPECT_EQ(CheckOf(c, CM_FONT1250), TCheck::Off);
}

TEST(ScreenFontMenu, EachItemNamesItsFace)
{
    EXPECT_STREQ(ScreenFontFace(CM_FONT1250), "VokTE_1250");
    EXPECT_STREQ(ScreenFontFace(CM_FONT1252), "VokTE_1252");
    EXPECT_STREQ(ScreenFontFace(CM_FONT437), "VokTE_437");
    EXPECT_STREQ(ScreenFontFace(CM_FONTCROSCII), "VokTE_CROSCII");
    EXPECT_STREQ(ScreenFontFace(CM_FONTISO1), "VokTE_1252");
    EXPECT_STREQ(ScreenFontFace(CM_FONTISO2), "VokTE_ISO8859-2");
    EXPECT_STREQ(ScreenFontFace(CM_FONTMACROMAN), "VokTE_Mac_Roman");
    EXPECT_STREQ(ScreenFontFace(CM_FONTMACCE), "VokTE_Mac_CE");
    EXPECT_EQ(ScreenFontFace(CM_SETFONT), nullptr);
    EXPECT_EQ(ScreenFontFace(CM_FONTMACCE + 1), nullptr);
}

// Points and heights: the height asks for the character height (negative), rounded down from a half pixel
// up; back from either sign, rounded to the nearest point. Checked against exact rational arithmetic.
TEST(ScreenFontMenu, PointsAndHeightsConvertBothWays)
{
    EXPECT_EQ(FontHeightFromPoints(9, 96), -12);
    EXPECT_EQ(FontHeightFromPoints(10, 96), -13);
    EXPECT_EQ(FontHeightFromPoints(10, 120), -17);
    EXPECT_EQ(PointsFromFontHeight(-12, 96), 9);
    EXPECT_EQ(PointsFromFontHeight(13, 96), 10);
    EXPECT_EQ(PointsFromFontHeight(-13, 96), 10);
    EXPECT_EQ(PointsFromFontHeight(12, 0), 0);
    for (int ppi : {72, 96, 120, 144}) {
        for (int points = 6; points <= 126; ++points) {
            // -(p*ppi + 36) / 72 truncates toward zero: the height is floor(p*ppi/72 + 1/2).
            const double exact = points * ppi / 72.0;
            EXPECT_EQ(-FontHeightFromPoints(points, ppi), static_cast<int>(exact + 0.5)) << points << " " << ppi;
            const int height = -FontHeightFromPoints(points, ppi);
            EXPECT_LE(std::abs(PointsFromFontHeight(-height, ppi) - points), 1) << points << " " << ppi;
        }
    }
}

TEST(MenuState, HelpItemsAreOfferedAndKeywordSearchNeedsAKeywordFile)
{
    TMenuContext c;
    EXPECT_TRUE(Enabled(c, CM_HELPCONTENTS));
    EXPECT_TRUE(Enabled(c, CM_HELPKEYBOARD));
    for (int id = CM_USERHELP1; id < CM_USERHELP1 + 5; ++id)
        EXPECT_TRUE(CommandAvailable(id)) << id;
    c.hasEditor = true;
    c.keywordHelp = false;
    EXPECT_FALSE(Enabled(c, CM_KEYWORDSEARCH));
    c.keywordHelp = true;
    EXPECT_TRUE(Enabled(c, CM_KEYWORDSEARCH));
    // Without a document there is no word to look up.
    c.hasEditor = false;
    EXPECT_FALSE(Enabled(c, CM_KEYWORDSEARCH));
}

}  // namespace

// The help is compiled on the build machine; the Windows copy of these tests has no compiler to call.
#ifndef _WIN32
#include <cstdlib>
#include <set>
#include <sstream>

#include "batch/BatchKeys.h"
#include "keys/KeyMap.h"
#include "support/TempDir.h"
#include "tools/HelpDesk.h"

namespace {

// Builds the program's help from its sources as the Windows build does and reads the compiled file back
// with chmls, the help compiler's own reader.
class CompiledHelp : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new TTempDir;
        const std::string src = VOK_SOURCE_DIR;
        const std::string cd = "cd '" + dir_->Path() + "' && ";
        built_ = std::system(("python3 '" + src + "/help/build-help.py' '" + src + "' '" + dir_->Path() +
                              "' && " + cd + "chmcmd ozm.hhp >build.log 2>&1 && " + cd +
                              "chmls extractalias OZM.CHM >/dev/null 2>&1 && " + cd +
                              "chmls -n -p list OZM.CHM >list.txt 2>/dev/null && " + cd +
                              "chmls extract OZM.CHM /t902.htm keyboard.htm >/dev/null 2>&1 && " + cd +
                              "chmls extract OZM.CHM /#WINDOWS windows.bin >/dev/null 2>&1")
                                 .c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static std::vector<std::string> Lines(const std::string& name)
    {
        std::vector<std::string> lines;
        std::istringstream in(TTempDir::Read(dir_->File(name)));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    static inline TTempDir* dir_ = nullptr;
    static inline bool built_ = false;
};

TEST_F(CompiledHelp, EveryContextTheProgramAsksForHasATopicPage)
{
    ASSERT_TRUE(built_) << TTempDir::Read(dir_->File("build.log"));
    std::set<std::string> stored;
    for (const std::string& line : Lines("list.txt"))
        stored.insert(line);
    // The aliases: one line "IDH_<context>=<folder>/<page>" per mapped context.
    std::set<unsigned> mapped;
    for (const std::string& line : Lines("OZM.ali")) {
        const std::size_t eq = line.find('=');
        const std::size_t digits = line.find_first_of("0123456789");
        if (eq == std::string::npos || digits == std::string::npos || digits > eq)
            continue;
        const unsigned context = static_cast<unsigned>(std::stoul(line.substr(digits, eq - digits)));
        const std::string page = HelpTopicPage(context);
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), page.size() + 1)), "/" + page) << line;
        mapped.insert(context);
    }
    const std::vector<unsigned> used = HelpContextsUsed();
    ASSERT_GT(used.size(), 100u);
    for (unsigned context : used) {
        EXPECT_TRUE(mapped.count(context)) << "no alias for help context " << context;
        EXPECT_TRUE(stored.count("/" + HelpTopicPage(context))) << "no page for help context " << context;
    }
    // The project maps nothing the program never asks for.
    EXPECT_EQ(mapped.size(), used.size());
    EXPECT_TRUE(stored.count("/contents.htm"));
}

// The compiler takes an empty width of the contents pane or an empty position for set ones of 0: the viewer
// then shows the main window with its Contents, Index and Search tabs 0 pixels wide.
TEST_F(CompiledHelp, TheMainWindowShowsItsContentsPane)
{
    ASSERT_TRUE(built_);
    const std::string data = TTempDir::Read(dir_->File("windows.bin"));
    auto field = [&](std::size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(data.at(at + static_cast<std::size_t>(i)));
        return v;
    };
    // A count and an entry size, then the window definitions: 32-bit fields, the properties the fifth, the
    // window's rectangle from the ninth and the contents pane's width the twentieth.
    ASSERT_GE(data.size(), 8u);
    const uint32_t count = field(0), size = field(4);
    ASSERT_GE(size, 80u);
    ASSERT_GE(data.size(), 8 + std::size_t{count} * size);
    constexpr uint32_t kTriPane = 0x20;
    int triPane = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + std::size_t{i} * size;
        if (!(field(at + 16) & kTriPane))
            continue;
        ++triPane;
        const int32_t left = static_cast<int32_t>(field(at + 32)), top = static_cast<int32_t>(field(at + 36));
        const int32_t right = static_cast<int32_t>(field(at + 40)), bottom = static_cast<int32_t>(field(at + 44));
        const uint32_t navWidth = field(at + 76);
        EXPECT_GE(navWidth, 150u);
        EXPECT_GE(right - left, static_cast<int32_t>(navWidth) + 300);
        EXPECT_GE(bottom - top, 300);
    }
    EXPECT_EQ(triPane, 1);
}

TEST_F(CompiledHelp, TheKeyboardTopicListsTheDefaultKeyMapExactly)
{
    ASSERT_TRUE(built_);
    std::set<std::string> listed;
    const std::string text = TTempDir::Read(dir_->File("keyboard.htm"));
    for (std::size_t at = text.find("<tr><td>"); at != std::string::npos; at = text.find("<tr><td>", at + 1)) {
        const std::size_t keyEnd = text.find("</td><td>", at);
        const std::size_t end = text.find("</td></tr>", keyEnd);
        ASSERT_NE(end, std::string::npos);
        listed.insert(text.substr(at + 8, keyEnd - at - 8) + "\t" + text.substr(keyEnd + 9, end - keyEnd - 9));
    }
    TKeyMap keys;
    keys.SetDefaults();
    const std::vector<std::string> lines = KeyBindingLines(keys);
    EXPECT_EQ(listed, std::set<std::string>(lines.begin(), lines.end()));
    EXPECT_TRUE(listed.count("Ctrl+F1\tHelpKeywordSearch"));
}

}  // namespace

#endif  // _WIN32
