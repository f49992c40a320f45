// Insert Symbol ("INSERTSYMBOL"): a character map of any installed font, for the InsertSymbol command.
#pragma once

#include <windows.h>

#include <string>

// The character map panel: 32 columns of cells, 8 rows of codes 0..255, or 7 rows of codes 32..255 unless
// its window has the kCharmapControls style. The cell size follows the panel's size.
constexpr const char* kCharmapPanelClass = "_VokCharmapPanel";
constexpr DWORD kCharmapControls = 0x0001;
// Messages: set the face (lParam the name), read the selected code (-1 for none), set it (wParam, -1 none).
constexpr UINT kCharmapSetFace = WM_USER + 1;
constexpr UINT kCharmapGetSel = WM_USER + 2;
constexpr UINT kCharmapSetSel = WM_USER + 3;
// Notifications to the parent in WM_COMMAND with the panel's id.
constexpr WORD kCharmapSelChange = 1;
constexpr WORD kCharmapDblClk = 2;

bool RegisterCharmapPanel(HINSTANCE instance);

// The panel's cell of a code and the code of a point in its client area (-1 outside every cell).
RECT CharmapCellRect(HWND panel, int code);
int CharmapCodeAt(HWND panel, int x, int y);

INT_PTR CALLBACK InsertSymbolDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// Runs the dialog over owner: the chosen code 1..255, or 0 when cancelled. OK or a double-click with a
// cell selected remembers the face for the next time; OK with none only beeps. initialFace is the face
// shown when no face was remembered yet.
int RunInsertSymbol(HINSTANCE instance, HWND owner, const std::string& initialFace);
// The face the next dialog opens with ("" before the first choice).
const std::string& RememberedSymbolFace();
