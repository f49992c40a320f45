// The program-wide table of the 50 user macros: records, steps, names and the macros-changed flag.
#pragma once

#include <cstdint>
#include <string>

// One step of a macro: an editor command (never a macro number) and its argument, the character for
// InsertChar and 0 for commands without argument. Stored as is in keymap files.
struct MacroStep {
    uint16_t command;
    uint16_t argument;
};

constexpr int kMacroSlots = 50;
constexpr int kMaxMacroSteps = 4000;
constexpr int kMacroNameSize = 32;         // 31 characters and the terminator
constexpr int kMacroDescriptionSize = 80;  // 79 characters and the terminator
constexpr unsigned kFirstMacroNumber = 1000;
constexpr unsigned kLastMacroNumber = kFirstMacroNumber + kMacroSlots - 1;

// A macro as stored; its steps are a block of the engine's allocator, or null when it has none.
struct MacroRecord {
    char name[kMacroNameSize];
    char description[kMacroDescriptionSize];
    uint16_t commandNumber;
    uint16_t stepCount;
    MacroStep* steps;
};

// A step array under construction that grows one step at a time and frees itself unless released.
class TStepArray {
public:
    TStepArray() = default;
    TStepArray(const TStepArray&) = delete;  // owns its block
    TStepArray& operator=(const TStepArray&) = delete;
    ~TStepArray();

    enum class TAppend { Ok, TooLarge, OutOfMemory };
    [[nodiscard]] TAppend Append(MacroStep step);
    int Count() const { return count_; }
    const MacroStep& At(int index) const { return steps_[index]; }
    // Hands the block to the caller, leaving this array empty.
    MacroStep* Release();

private:
    MacroStep* steps_ = nullptr;
    int count_ = 0;
};

// TMacroTable owns the 50 slots (one per macro number 1000..1049) and every record and step block in them.
// It also remembers which slots a window is recording into and which are playing, so that a macro cannot
// be deleted under a recorder nor play itself without end.
class TMacroTable {
public:
    TMacroTable() = default;
    TMacroTable(const TMacroTable&) = delete;  // owns its records
    TMacroTable& operator=(const TMacroTable&) = delete;
    ~TMacroTable();

    // The macro of a command number 1000..1049, or null.
    MacroRecord* Find(unsigned number) const;
    // The macro of slot 0..49, or null.
    MacroRecord* Slot(int slot) const;
    // The first empty slot, or -1 when all 50 hold a macro.
    int FirstEmptySlot() const;
    int Count() const;

    // Puts a new record with empty name and description and no steps in an empty slot; null when the slot
    // is taken or out of range, or memory runs out. The caller decides whether this counts as a change.
    MacroRecord* Create(int slot);
    // Frees a slot's record and steps without touching the changed flag.
    void Release(int slot);
    // Frees every macro.
    void Clear();
    // Moves every macro of other into this table (whose macros are freed first); other ends empty.
    void TakeMacrosFrom(TMacroTable& other);

    // The number of the macro with that name (compared without regard to case), or 0.
    unsigned FindMacroByName(const char* name) const;
    std::string MacroName(unsigned number) const;
    std::string MacroDescription(unsigned number) const;
    // Store at most 31 and 79 characters; false when there is no such macro.
    bool SetMacroName(unsigned number, const char* name);
    bool SetMacroDescription(unsigned number, const char* description);
    // Refused (false) while any window records a macro, and for a number without a macro.
    bool DeleteMacro(unsigned number);

    // Appends one step; false when the macro is missing, holds 4000 steps or memory runs out.
    bool AppendStep(unsigned number, MacroStep step);
    // Replaces a macro's steps by the array's, freeing the old ones; false when there is no such macro.
    bool ReplaceSteps(unsigned number, TStepArray& steps);

    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    void SetRecording(int slot, bool on);
    bool IsRecording(int slot) const;
    bool AnyRecording() const;
    void SetPlaying(int slot, bool on);
    bool IsPlaying(int slot) const;

    // The number for the next default name "Macro%d"; counts every call, from 1.
    int NextDefaultNameNumber() { return nextDefaultName_++; }

private:
    MacroRecord* slots_[kMacroSlots] = {};
    bool recording_[kMacroSlots] = {};
    bool playing_[kMacroSlots] = {};
    bool changed_ = false;
    int nextDefaultName_ = 1;
};

// The macros of this process, shared by every editor window.
TMacroTable& Macros();

// Name checks of the Record Macro and Rename dialogs.
enum class TMacroNameCheck { Ok, Invalid, Exists };
// Letters, digits and "_" only, not empty, at most 31 characters.
bool IsValidMacroName(const char* name);
// Also refuses a name a command or another macro has (without regard to case); self may keep its own.
TMacroNameCheck CheckMacroName(const TMacroTable& table, const char* name, unsigned self = 0);
// The message for a refused name: "This is not valid macro name." or the "already exists" text.
std::string MacroNameMessage(TMacroNameCheck check, const char* name);
