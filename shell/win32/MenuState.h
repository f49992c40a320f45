// The frame's menus on Windows: item states when the menu bar opens, and help text for the highlighted item.
#pragma once

#include <windows.h>

#include <string>

#include "shell/CommandRouting.h"

class TWindowsEditor;

// What the menus depend on: the active document (may be null), help mode, the clipboard and the settings.
TMenuContext GatherMenuContext(const TWindowsEditor* active, bool helpMode);

// Sets every item of the main menu bar: enabled and checked states, the Undo label, the recent files and
// the user tool and help tails. documentMaximised shifts every top-level position by one.
void ApplyMenuState(HMENU bar, HINSTANCE module, const TMenuContext& context, bool documentMaximised);

// The enabled and checked states and the Undo label alone, for a pop-up menu outside the menu bar.
void ApplyItemStates(HMENU menu, HINSTANCE module, const TMenuContext& context);

// The status text and help context of a highlighted menu item (WM_MENUSELECT's item and flags).
struct TMenuHelp {
    std::string text;
    unsigned context = 0;
};
TMenuHelp MenuItemHelp(HINSTANCE module, HMENU bar, UINT item, UINT flags, HMENU menu, bool documentMaximised);
