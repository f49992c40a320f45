// Where each frame command goes, and which menu items are enabled, checked and labelled in a given state.
#pragma once

#include <string>
#include <vector>

#include "engine/EditorTypes.h"

// Document menu commands the active window's engine runs as named editor commands; 0 for any other id.
unsigned ForwardedEditorCommand(int menuId);

// Commands translated on their way to the engine.
unsigned ColumnModeCommand(bool columnModeOn);
unsigned LineDrawCommand(bool lineDrawOn);
// The Change Case dialog's choice 1..5; anything else is the null command.
unsigned ChangeCaseCommand(int choice, bool selection);
// Menu ids 560..568 run UserTool1..UserTool9 in the engine; 0 outside that range.
unsigned UserToolEditorCommand(int menuId);

// False for the commands the program has no dialog or service for: their items stay gray in every state.
bool CommandAvailable(int menuId);

// The top-level menus in menu bar order. A maximised editor window puts its system menu in front of them.
enum class TTopMenu { File, Edit, Search, Tools, Font, Options, Window, Help };
int MenuPosition(TTopMenu menu, bool documentMaximised);
// The status text of a pop-up at menu bar position `position`: strings 72..79, or 71 for any other.
int PopupHelpStringId(int position, bool documentMaximised);

// The help context of a command, 0 when it has none (user tools and help files, windows); the recent
// files share the context of the first.
unsigned HelpContextOf(int menuId);
// The help context of a pop-up of the menu bar by its position: 11..19 for File..Help, 10 for any other.
unsigned PopupHelpContext(int position, bool documentMaximised);
// The context of the system menu's items and of a scroll bar.
constexpr unsigned kSystemMenuHelpContext = 10;
constexpr unsigned kScrollBarHelpContext = 15010;
// A click in help mode on a part of the frame by its hit-test code (caption, borders, buttons): 15000 plus
// the code, except that the left border shares the border topic so as not to meet the scroll bars'.
unsigned FrameAreaHelpContext(int hitTest);
// The topics of the dialogs' Help buttons that are not a command's own.
constexpr unsigned kHelpOpenDialog = 10100;
constexpr unsigned kHelpSaveAsDialog = 10120;
constexpr unsigned kHelpPrintDialog = 10130;
constexpr unsigned kHelpPageSetupDialog = 10150;
constexpr unsigned kHelpUserHelpDialog = 10835;
constexpr unsigned kHelpToolsDialog = 10840;
constexpr unsigned kHelpToolMacros = 10841;  // shown in the small secondary window
// Every help context the program can ask its help file for, sorted, each once.
std::vector<unsigned> HelpContextsUsed();

// A command string resource holds the status text, a line break and the tool tip.
std::string StatusTextOf(const std::string& commandString);
std::string ToolTipOf(const std::string& commandString);

// The string resource of the Undo item's label for an undo kind.
int UndoLabelStringId(TUndoKind undoKind);
// The Undo item's text: the label as a 24-byte buffer holds it ("&Undo" when empty), then the accelerator.
std::string UndoMenuText(const std::string& label, const std::string& accelerator);

// What the menus depend on when they open.
struct TMenuContext {
    bool hasEditor = false;
    bool helpMode = false;
    bool selection = false;
    bool columnMode = false;
    bool lineDraw = false;
    bool recording = false;
    TUndoKind undoKind = TUndoKind::None;
    bool canRedo = false;
    bool clipboardText = false;
    bool keywordHelp = false;
    // The settings behind the check marks.
    bool wordWrap = false;
    bool statusBar = true;
    bool buttonBar = true;
    int btnBarStyle = -1;
    bool allowMultiInst = false;
    bool autoLoad = false;
    bool saveDesktop = true;
    bool saveSettings = true;
    // The face of the editor font in use: the character-set font of that face is checked.
    std::string fontName;
};

enum class TCheck { Leave, Off, On };

struct TMenuItemState {
    int id;
    bool enabled;
    TCheck check;
};

// Every main menu item whose state the frame sets, in one list.
std::vector<TMenuItemState> MenuItemStates(const TMenuContext& context);
// The entry for id in states, or null.
const TMenuItemState* FindItemState(const std::vector<TMenuItemState>& states, int id);
