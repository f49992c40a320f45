// Undo kinds and the Undo menu labels.
#pragma once

// The kind of record a command pushes, which names the Undo menu item.
int UndoKindForCommand(unsigned command);
// "&Undo Typing" and friends; "Can't &Undo" for kind 0.
const char* UndoKindLabel(int kind);
// The accelerator text that follows the label in the menu.
constexpr const char* kUndoAccelerator = "\tAlt+BkSp";
