// Recording the commands of one editor window into a new macro, and playing macros back.
#pragma once

#include <functional>

class TVokEditor;

// Starts recording into the first empty macro slot: creates the record, sets editor.recordingSlot and asks
// the window for a name through the MacroRecordDialog hook (the dialog fills the record of that slot).
// Nothing happens when all 50 slots hold a macro or the editor already records; Cancel frees the record.
void StartRecording(TVokEditor& editor);
// Ends the recording; the macro keeps the steps recorded so far. A window that closes while recording
// calls this too, so that macros can be deleted again.
void StopRecording(TVokEditor& editor);
// Appends (command, argument) to the macro the editor records; the argument is kept for InsertChar only.
// Past 4000 steps, or when memory runs out, the step is silently not recorded.
void RecordStep(TVokEditor& editor, unsigned command, unsigned argument);

// Passes one step on; the editor's own ExecuteCommand unless a test supplies another.
using TStepExecutor = std::function<void(unsigned command, unsigned argument)>;

// Plays the macro of slot 0..49 with editor.playing set (restored afterwards) inside one update batch,
// every step through editor.ExecuteCommand. Nothing happens, and false is returned, when the slot is empty
// or has no steps, when the editor is recording that very macro, or when the macro is already playing
// further up (a macro that reaches itself through a hand-made keymap file would otherwise never end).
bool PlayMacro(TVokEditor& editor, int index);
bool PlayMacro(TVokEditor& editor, int index, const TStepExecutor& execute);

// Connects the dispatcher to the program-wide macro table and these functions. The program calls it once
// at start-up; until then macro commands do nothing.
void InstallMacroHost();
