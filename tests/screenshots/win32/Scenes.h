// The scenes of the screenshot program: each puts windows of the editor on the screen for a while.
#pragma once

#include <windows.h>

// Each scene shows its windows for about ms milliseconds, closes them and returns 0, or returns 1 when its
// windows could not be made.

// Two editor windows in a frame: a C file with a column block, and a long text in code page 1250 scrolled
// down with a stream selection.
int ShowTwoDocuments(DWORD ms);
// The Find dialog over an editor window, with a history and the regular expression option on.
int ShowFindDialog(DWORD ms);
// The Replace dialog with the pattern menu of its Find field open.
int ShowReplaceDialogWithPatternMenu(DWORD ms);
// A dialog of the control library's controls beside a frame with a tool bar, a tool tip and a status bar.
int ShowDialogAndFrame(DWORD ms);
// The control library's message box asking about changed key mappings.
int ShowMessageBox(DWORD ms);
// A dialog of the transforms (Sort, Fill Column Block, Line Draw Style, Word Count) over a short list.
int ShowTransformDialog(DWORD ms, const char* caption, unsigned command);
// A dialog of the transforms the frame opens (Change Case, Convert Tab Size, Language, Convert Table).
int ShowFrameTransformDialog(DWORD ms, const char* caption);
// A dialog of the macros and keys (Macro, Edit Macro, Key Mapping, Editor Commands) with two macros made.
int ShowMacroDialog(DWORD ms, const char* caption);
