// Undo kinds and the Undo menu labels.
#pragma once

#include "engine/EditorTypes.h"

// The kind of record a command pushes (its row's), which names the Undo menu item.
TUndoKind UndoKindForCommand(unsigned command);
// "&Undo Typing" and friends; "Can't &Undo" for TUndoKind::None.
const char* UndoKindLabel(TUndoKind kind);
// The accelerator text that follows the label in the menu.
constexpr const char* kUndoAccelerator = "\tAlt+BkSp";
// How many undo records the list keeps, from the settings (1 to kMaxUndoLevels).
int UndoLevelsKept();
// Whether a record the command pushes may be merged into the one before it.
bool CommandMergesRecords(unsigned command);
