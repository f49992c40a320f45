// The macro recorder and player, called by the editor's command dispatcher.
#include "macros/MacroRecorder.h"

#include <cstring>
#include <vector>

#include "engine/CommandHosts.h"
#include "engine/Commands.h"
#include "engine/VokEditor.h"
#include "macros/MacroTable.h"

void StartRecording(TVokEditor& editor)
{
    if (editor.recording)
        return;
    TMacroTable& table = Macros();
    int slot = table.FirstEmptySlot();
    if (slot < 0 || !table.Create(slot))
        return;
    // The dialog finds the record it names through the slot.
    editor.recordingSlot = static_cast<uint16_t>(slot);
    if (!editor.MacroRecordDialog()) {
        table.Release(slot);
        return;
    }
    editor.recording = true;
    table.SetRecording(slot, true);
    table.SetChanged(true);
    editor.RecordingStarted();
}

void StopRecording(TVokEditor& editor)
{
    if (!editor.recording)
        return;
    editor.recording = false;
    Macros().SetRecording(editor.recordingSlot, false);
    editor.RecordingStopped();
}

void RecordStep(TVokEditor& editor, unsigned command, unsigned argument)
{
    if (!editor.recording)
        return;
    TMacroTable& table = Macros();
    // A keymap file loaded meanwhile replaced the record; its new owner must not receive these steps.
    if (!table.IsRecording(editor.recordingSlot))
        return;
    MacroStep step = {static_cast<uint16_t>(command),
                      static_cast<uint16_t>(command == cmInsertChar ? argument : 0)};
    (void)table.AppendStep(kFirstMacroNumber + editor.recordingSlot, step);
}

bool PlayMacro(TVokEditor& editor, int index, const TStepExecutor& execute)
{
    TMacroTable& table = Macros();
    const MacroRecord* record = table.Slot(index);
    if (!record || record->stepCount == 0 || !execute)
        return false;
    if (editor.recording && editor.recordingSlot == index)
        return false;
    if (table.IsPlaying(index))
        return false;
    // A step may open a dialog that edits or deletes this very macro: play a copy.
    std::vector<MacroStep> steps;
    try {
        steps.assign(record->steps, record->steps + record->stepCount);
    } catch (...) {
        return false;
    }
    bool wasPlaying = editor.playing;
    editor.playing = true;
    table.SetPlaying(index, true);
    {
        TUpdateBatch batch(editor);
        for (const MacroStep& step : steps)
            execute(step.command, step.argument);
    }
    table.SetPlaying(index, false);
    editor.playing = wasPlaying;
    return true;
}

bool PlayMacro(TVokEditor& editor, int index)
{
    return PlayMacro(editor, index, [&editor](unsigned command, unsigned argument) {
        editor.ExecuteCommand(command, argument);
    });
}

namespace {

// The dispatcher's view of the macro subsystem.
class TProgramMacroHost final : public TMacroHost {
public:
    void Play(TVokEditor& editor, int index) override { PlayMacro(editor, index); }
    void RecordStep(TVokEditor& editor, unsigned command, unsigned argument) override
    {
        ::RecordStep(editor, command, argument);
    }
    void StartRecording(TVokEditor& editor) override { ::StartRecording(editor); }
    void StopRecording(TVokEditor& editor) override { ::StopRecording(editor); }
    bool Name(int index, char* buffer, int size) override
    {
        const MacroRecord* record = Macros().Slot(index);
        if (!record)
            return false;
        if (buffer && size > 0) {
            std::size_t n = std::strlen(record->name);
            if (n > static_cast<std::size_t>(size - 1))
                n = static_cast<std::size_t>(size - 1);
            std::memcpy(buffer, record->name, n);
            buffer[n] = '\0';
        }
        return true;
    }
    int Find(const char* name) override
    {
        unsigned number = Macros().FindMacroByName(name);
        return number ? static_cast<int>(number - kFirstMacroNumber) : -1;
    }
};

}  // namespace

void InstallMacroHost()
{
    static TProgramMacroHost host;
    SetMacroHost(&host);
}
