// The links from the dispatcher to the subsystems that own some commands: macros and search.
#pragma once

class TVokEditor;

// The macro table and recorder as the dispatcher sees them; the macro subsystem installs one.
class TMacroHost {
public:
    virtual ~TMacroHost() = default;
    // Runs user macro index (0..49) on the editor; the dispatcher has set `playing`.
    virtual void Play(TVokEditor& editor, int index) = 0;
    // Appends one executed command to the macro being recorded.
    virtual void RecordStep(TVokEditor& editor, unsigned command, unsigned argument) = 0;
    virtual void StartRecording(TVokEditor& editor) = 0;
    virtual void StopRecording(TVokEditor& editor) = 0;
    // Copies the name of macro index into buffer; false when that slot is empty.
    virtual bool Name(int index, char* buffer, int size) = 0;
    // The index of the macro with this name (case-insensitive), or -1.
    virtual int Find(const char* name) = 0;
};

void SetMacroHost(TMacroHost* host);
TMacroHost* MacroHost();

// A command carried out outside the engine (Find, Replace, ...), given the editor it runs on.
using TCommandHandler = void (*)(TVokEditor& editor);
void SetCommandHandler(unsigned command, TCommandHandler handler);
TCommandHandler CommandHandler(unsigned command);
