// The frame's menus on Windows: item states when the menu bar opens, and help text for the highlighted item.
#include "shell/win32/MenuState.h"

#include "editor_window/win32/WindowsEditor.h"
#include "engine/Options.h"
#include "resource.h"
#include "shell/Settings.h"
#include "shell/win32/SettingsWin.h"
#include "shell/win32/VokMessage.h"

namespace {

void SetItemText(HMENU bar, int id, const std::string& text)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(bar, static_cast<UINT>(id), FALSE, &info);
}

// The user's own items in the menu tails can only be gray while their runner is missing.
void GrayTail(HMENU menu, int first, int last, bool helpMode)
{
    for (int id = first; id <= last; ++id)
        if (!CommandAvailable(id) && !helpMode)
            EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
}

}  // namespace

TMenuContext GatherMenuContext(const TWindowsEditor* active, bool helpMode)
{
    TMenuContext c;
    c.helpMode = helpMode;
    if (active) {
        c.hasEditor = true;
        c.selection = active->selShown;
        c.columnMode = active->columnMode;
        c.lineDraw = active->lineDrawMode;
        c.recording = active->recording;
        c.undoKind = active->UndoKind();
        c.canRedo = active->CanRedo();
    }
    c.clipboardText = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    const TSettings& s = ProgramSettings();
    c.keywordHelp = s.userHelp.KeywordAvailable();
    c.wordWrap = EngineOptions().wordWrap;
    c.statusBar = s.statusBar;
    c.buttonBar = s.buttonBar;
    c.btnBarStyle = s.btnBarStyle;
    c.allowMultiInst = s.allowMultiInst;
    c.autoLoad = s.autoLoad;
    c.saveDesktop = s.saveDesktop;
    c.saveSettings = s.saveSettings;
    c.fontName = s.fontName;
    return c;
}

void ApplyItemStates(HMENU bar, HINSTANCE module, const TMenuContext& context)
{
    if (!bar)
        return;
    for (const TMenuItemState& s : MenuItemStates(context)) {
        EnableMenuItem(bar, static_cast<UINT>(s.id), MF_BYCOMMAND | (s.enabled ? MF_ENABLED : MF_GRAYED));
        if (s.check != TCheck::Leave)
            CheckMenuItem(bar, static_cast<UINT>(s.id),
                          MF_BYCOMMAND | (s.check == TCheck::On ? MF_CHECKED : MF_UNCHECKED));
    }
    const TUndoKind kind = context.hasEditor ? context.undoKind : TUndoKind::None;
    SetItemText(bar, CM_UNDO,
                UndoMenuText(LoadResourceText(module, static_cast<UINT>(UndoLabelStringId(kind)), "&Undo"),
                             LoadResourceText(module, IDS_UNDOACCEL, "\tAlt+BkSp")));
}

void ApplyMenuState(HMENU bar, HINSTANCE module, const TMenuContext& context, bool documentMaximised)
{
    if (!bar)
        return;
    ApplyItemStates(bar, module, context);

    const TSettings& s = ProgramSettings();
    if (HMENU file = GetSubMenu(bar, MenuPosition(TTopMenu::File, documentMaximised))) {
        RebuildRecentFileMenu(file, s.recentFiles, module);
        GrayTail(file, CM_RECENT0, CM_MOREFILES, context.helpMode);
    }
    if (HMENU tools = GetSubMenu(bar, MenuPosition(TTopMenu::Tools, documentMaximised))) {
        RebuildUserToolMenu(tools, s.userTools);
        GrayTail(tools, CM_USERTOOL1, CM_USERTOOL9, context.helpMode);
    }
    if (HMENU help = GetSubMenu(bar, MenuPosition(TTopMenu::Help, documentMaximised))) {
        RebuildUserHelpMenu(help, s.userHelp);
        GrayTail(help, CM_USERHELP1, CM_USERHELP1 + 4, context.helpMode);
    }
}

TMenuHelp MenuItemHelp(HINSTANCE module, HMENU bar, UINT item, UINT flags, HMENU menu, bool documentMaximised)
{
    TMenuHelp help;
    if (flags & MF_SYSMENU) {
        help.context = kSystemMenuHelpContext;
        help.text = LoadResourceText(module, IDS_SYSMENUHELP, "");
        return help;
    }
    if (flags & MF_POPUP) {
        // A pop-up of the menu bar comes by position; one deeper (a submenu) gets the general text.
        int id = IDS_POPUPOTHER;
        help.context = PopupHelpContext(-1, false);
        if (menu == bar) {
            id = PopupHelpStringId(static_cast<int>(item), documentMaximised);
            help.context = PopupHelpContext(static_cast<int>(item), documentMaximised);
        }
        help.text = LoadResourceText(module, static_cast<UINT>(id), "");
        return help;
    }
    if (flags & MF_SEPARATOR)
        return help;
    help.context = HelpContextOf(static_cast<int>(item));
    help.text = StatusTextOf(LoadResourceText(module, item, ""));
    return help;
}
