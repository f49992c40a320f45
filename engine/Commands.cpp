// The command table made from the rows of engine/CommandList.h, with the handlers the rows name.
#include "engine/Commands.h"

#include <cstring>

#include "base/TextTools.h"
#include "engine/CommandHosts.h"
#include "engine/Options.h"
#include "engine/Transforms.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"

namespace {
using E = TVokEditor;
// A row whose command a subsystem above the engine carries out, through the handler it installs.
constexpr TCommandRun Hosted = nullptr;

template <auto F>
void Call(TVokEditor& e, TCommandCall)
{
    (e.*F)();
}

// A movement: it extends the selection when its ...Select twin runs it, or after StartSelect.
template <void (TVokEditor::*F)(bool)>
void Move(TVokEditor& e, TCommandCall call)
{
    (e.*F)(call.extend);
}

template <int N>
void SetMark(TVokEditor& e, TCommandCall)
{
    e.SetMark(N);
}

template <int N>
void GotoMark(TVokEditor& e, TCommandCall)
{
    e.GotoMark(N);
}

template <int N>
void UserTool(TVokEditor& e, TCommandCall)
{
    e.UserTool(N);
}

void RunInsertChar(TVokEditor& e, TCommandCall call)
{
    e.InsertChar(static_cast<int>(call.argument));
}

void RunInsertComment(TVokEditor& e, TCommandCall)
{
    e.InsertComment(false);
}

void RunInsertCommentLight(TVokEditor& e, TCommandCall)
{
    e.InsertComment(true);
}

void RunInsertTimeDate(TVokEditor& e, TCommandCall)
{
    e.InsertTimeDate(true, true);
}

void RunInsertTime(TVokEditor& e, TCommandCall)
{
    e.InsertTimeDate(true, false);
}

void RunInsertDate(TVokEditor& e, TCommandCall)
{
    e.InsertTimeDate(false, true);
}

void RunSetCharSelMode(TVokEditor& e, TCommandCall)
{
    e.SetSelMode(false);
}

void RunSetColumnSelMode(TVokEditor& e, TCommandCall)
{
    e.SetSelMode(true);
}

void RunIndentBlock(TVokEditor& e, TCommandCall)
{
    e.IndentBlock(true);
}

void RunUnindentBlock(TVokEditor& e, TCommandCall)
{
    e.IndentBlock(false);
}

void RunCutLine(TVokEditor& e, TCommandCall)
{
    // Selecting the line trims its blanks: the step takes them too, so Undo gives the line back whole.
    TUndoStep step(e, e.curLineNo, e.curLineNo, e.undoEnabled);
    e.SelectLine();
    e.Cut();
}

// Options, modes and the file's state show in the status bar and the caret, which the caret repaint
// updates; the cursor line goes with it.
constexpr TRedraw kSwitchRedraw = kRedrawCaret | kRedrawLine;

void RunToggleInsert(TVokEditor& e, TCommandCall)
{
    EngineOptions().overwriteMode = !EngineOptions().overwriteMode;
    e.InsertModeChanged();
    e.RequestRedraw(kSwitchRedraw);
}

void RunSetInsert(TVokEditor& e, TCommandCall)
{
    EngineOptions().overwriteMode = false;
    e.RequestRedraw(kSwitchRedraw);
}

void RunToggleAutoIndent(TVokEditor& e, TCommandCall)
{
    EngineOptions().autoIndent = !EngineOptions().autoIndent;
    e.RequestRedraw(kSwitchRedraw);
}

void RunToggleAutoUnindent(TVokEditor& e, TCommandCall)
{
    EngineOptions().autoUnindent = !EngineOptions().autoUnindent;
    e.RequestRedraw(kSwitchRedraw);
}

void RunToggleWordWrap(TVokEditor& e, TCommandCall)
{
    EngineOptions().wordWrap = !EngineOptions().wordWrap;
    e.RequestRedraw(kSwitchRedraw);
}

void RunSetAutoIndent(TVokEditor& e, TCommandCall)
{
    EngineOptions().autoIndent = true;
    e.RequestRedraw(kSwitchRedraw);
}

void RunSetAutoUnindent(TVokEditor& e, TCommandCall)
{
    EngineOptions().autoUnindent = true;
    e.RequestRedraw(kSwitchRedraw);
}

void RunSetWordWrap(TVokEditor& e, TCommandCall)
{
    EngineOptions().wordWrap = true;
    e.RequestRedraw(kSwitchRedraw);
}

void RunStartLineDraw(TVokEditor& e, TCommandCall)
{
    e.lineDrawMode = true;
    e.RequestRedraw(kSwitchRedraw);
}

void RunEndLineDraw(TVokEditor& e, TCommandCall)
{
    e.lineDrawMode = false;
    e.RequestRedraw(kSwitchRedraw);
}

void RunToggleLineDraw(TVokEditor& e, TCommandCall)
{
    e.lineDrawMode = !e.lineDrawMode;
    e.RequestRedraw(kSwitchRedraw);
}

// The macro commands steer the recorder itself, so they are neither recorded nor batched.
void RunRecordMacro(TVokEditor& e, TCommandCall)
{
    if (!e.recording && MacroHost())
        MacroHost()->StartRecording(e);
}

void RunStopRecorder(TVokEditor& e, TCommandCall)
{
    if (e.recording && MacroHost())
        MacroHost()->StopRecording(e);
}

void RunMacroDialog(TVokEditor& e, TCommandCall)
{
    if (!e.recording)
        e.MacroDialog();
}

void RunSaveFile(TVokEditor& e, TCommandCall)
{
    e.SaveFile();
    if (!EngineOptions().undoAfterSave) {
        e.ClearUndo();
        e.ClearRedo();
    }
    e.RequestRedraw(kSwitchRedraw);
}

void RunSaveFileAs(TVokEditor& e, TCommandCall)
{
    e.SaveFileAs();
    e.ClearUndo();
    e.ClearRedo();
    e.RequestRedraw(kSwitchRedraw);
}

void RunWriteBlock(TVokEditor& e, TCommandCall)
{
    if (e.selShown)
        e.WriteBlock();
}

void RunReadBlock(TVokEditor& e, TCommandCall)
{
    e.ReadBlock();
    e.RequestRedraw(kSwitchRedraw);
}

void RunOpenFileAtCursor(TVokEditor& e, TCommandCall)
{
    char name[260];
    e.FileNameAtCursor(name, sizeof name);
    e.OpenFileAtCursor(name);
}

#define VOK_COMMAND_ROW(name, number, argument, category, undo, traits, run) \
    {number, #name, argument, category, undo, traits, run, 0},
#define VOK_SELECT_ROW(name, number, movement) \
    {number, #name, kArgNone, kCatSelect, TUndoKind::Other, 0, nullptr, cm##movement},
}  // namespace

// clang-format off
const TCommandElement kCommandTable[] = {
    VOK_COMMANDS(VOK_COMMAND_ROW, VOK_SELECT_ROW)
    {0, nullptr, 0, 0, TUndoKind::Other, 0, nullptr, 0},
};
// clang-format on
#undef VOK_COMMAND_ROW
#undef VOK_SELECT_ROW

namespace {
// A direct index keeps lookups by number constant-time.
struct TCommandIndex {
    const TCommandElement* byNumber[kLastCommandNumber + 1] = {};
    TCommandIndex()
    {
        for (const TCommandElement* e = kCommandTable; e->number; ++e)
            byNumber[e->number] = e;
    }
};

const TCommandIndex& Index()
{
    static const TCommandIndex index;
    return index;
}
}  // namespace

const TCommandElement* FindCommand(unsigned number)
{
    return number <= kLastCommandNumber ? Index().byNumber[number] : nullptr;
}

unsigned FindCommandByName(const char* name)
{
    if (!name)
        return 0;
    for (const TCommandElement* e = kCommandTable; e->number; ++e)
        if (EqualNoCase(e->name, name))
            return e->number;
    return 0;
}

const char* CommandCategoryLabel(int category)
{
    static const char* const labels[] = {"All", "Insert and Delete", "Cursor Movement", "Select", "Search",
                                         "Bookmarks", "Format", "Clipboard", "Tools", "File", "Options",
                                         "Help", "Miscellaneous"};
    return category >= 0 && category <= 12 ? labels[category] : "";
}
