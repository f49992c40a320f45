// The macro table: records in 50 slots, their names, descriptions and step arrays.
#include "macros/MacroTable.h"

#include <cstring>

#include "base/TextTools.h"
#include "engine/Alloc.h"
#include "engine/Commands.h"

namespace {

bool ValidSlot(int slot)
{
    return slot >= 0 && slot < kMacroSlots;
}

}  // namespace

TStepArray::~TStepArray()
{
    VokFree(steps_);
}

TStepArray::TAppend TStepArray::Append(MacroStep step)
{
    if (count_ >= kMaxMacroSteps)
        return TAppend::TooLarge;
    void* grown = VokRealloc(steps_, sizeof(MacroStep) * static_cast<std::size_t>(count_ + 1));
    if (!grown)
        return TAppend::OutOfMemory;
    steps_ = static_cast<MacroStep*>(grown);
    steps_[count_++] = step;
    return TAppend::Ok;
}

MacroStep* TStepArray::Release()
{
    MacroStep* steps = steps_;
    steps_ = nullptr;
    count_ = 0;
    return steps;
}

TMacroTable::~TMacroTable()
{
    Clear();
}

MacroRecord* TMacroTable::Find(unsigned number) const
{
    if (number < kFirstMacroNumber || number > kLastMacroNumber)
        return nullptr;
    return slots_[number - kFirstMacroNumber];
}

MacroRecord* TMacroTable::Slot(int slot) const
{
    return ValidSlot(slot) ? slots_[slot] : nullptr;
}

int TMacroTable::FirstEmptySlot() const
{
    for (int i = 0; i < kMacroSlots; ++i)
        if (!slots_[i])
            return i;
    return -1;
}

int TMacroTable::Count() const
{
    int n = 0;
    for (MacroRecord* r : slots_)
        n += r != nullptr;
    return n;
}

MacroRecord* TMacroTable::Create(int slot)
{
    if (!ValidSlot(slot) || slots_[slot])
        return nullptr;
    auto* record = static_cast<MacroRecord*>(VokAlloc(sizeof(MacroRecord)));
    if (!record)
        return nullptr;
    std::memset(record, 0, sizeof(MacroRecord));
    record->commandNumber = static_cast<uint16_t>(kFirstMacroNumber + static_cast<unsigned>(slot));
    slots_[slot] = record;
    return record;
}

void TMacroTable::Release(int slot)
{
    if (!ValidSlot(slot) || !slots_[slot])
        return;
    VokFree(slots_[slot]->steps);
    VokFree(slots_[slot]);
    slots_[slot] = nullptr;
}

void TMacroTable::Clear()
{
    for (int i = 0; i < kMacroSlots; ++i)
        Release(i);
}

void TMacroTable::TakeMacrosFrom(TMacroTable& other)
{
    Clear();
    for (int i = 0; i < kMacroSlots; ++i) {
        slots_[i] = other.slots_[i];
        other.slots_[i] = nullptr;
        // A recorder whose macro was replaced must not write into the new one.
        recording_[i] = false;
    }
}

unsigned TMacroTable::FindMacroByName(const char* name) const
{
    if (!name || !*name)
        return 0;
    for (MacroRecord* r : slots_)
        if (r && EqualNoCase(r->name, name))
            return r->commandNumber;
    return 0;
}

std::string TMacroTable::MacroName(unsigned number) const
{
    MacroRecord* r = Find(number);
    return r ? std::string(r->name) : std::string();
}

std::string TMacroTable::MacroDescription(unsigned number) const
{
    MacroRecord* r = Find(number);
    return r ? std::string(r->description) : std::string();
}

bool TMacroTable::SetMacroName(unsigned number, const char* name)
{
    MacroRecord* r = Find(number);
    if (!r)
        return false;
    CopyCut(r->name, name);
    changed_ = true;
    return true;
}

bool TMacroTable::SetMacroDescription(unsigned number, const char* description)
{
    MacroRecord* r = Find(number);
    if (!r)
        return false;
    CopyCut(r->description, description);
    changed_ = true;
    return true;
}

bool TMacroTable::DeleteMacro(unsigned number)
{
    if (AnyRecording() || !Find(number))
        return false;
    Release(static_cast<int>(number - kFirstMacroNumber));
    changed_ = true;
    return true;
}

bool TMacroTable::AppendStep(unsigned number, MacroStep step)
{
    MacroRecord* r = Find(number);
    if (!r || r->stepCount >= kMaxMacroSteps)
        return false;
    void* grown = VokRealloc(r->steps, sizeof(MacroStep) * (r->stepCount + 1u));
    if (!grown)
        return false;
    r->steps = static_cast<MacroStep*>(grown);
    r->steps[r->stepCount++] = step;
    changed_ = true;
    return true;
}

bool TMacroTable::ReplaceSteps(unsigned number, TStepArray& steps)
{
    MacroRecord* r = Find(number);
    if (!r)
        return false;
    VokFree(r->steps);
    r->stepCount = static_cast<uint16_t>(steps.Count());
    r->steps = steps.Release();
    changed_ = true;
    return true;
}

void TMacroTable::SetRecording(int slot, bool on)
{
    if (ValidSlot(slot))
        recording_[slot] = on;
}

bool TMacroTable::IsRecording(int slot) const
{
    return ValidSlot(slot) && recording_[slot];
}

bool TMacroTable::AnyRecording() const
{
    for (bool r : recording_)
        if (r)
            return true;
    return false;
}

void TMacroTable::SetPlaying(int slot, bool on)
{
    if (ValidSlot(slot))
        playing_[slot] = on;
}

bool TMacroTable::IsPlaying(int slot) const
{
    return ValidSlot(slot) && playing_[slot];
}

TMacroTable& Macros()
{
    static TMacroTable table;
    return table;
}

bool IsValidMacroName(const char* name)
{
    if (!name || !*name || std::strlen(name) > static_cast<std::size_t>(kMacroNameSize - 1))
        return false;
    for (const char* p = name; *p; ++p) {
        char c = *p;
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

TMacroNameCheck CheckMacroName(const TMacroTable& table, const char* name, unsigned self)
{
    if (!IsValidMacroName(name))
        return TMacroNameCheck::Invalid;
    unsigned other = table.FindMacroByName(name);
    if (FindCommandByName(name) || (other && other != self))
        return TMacroNameCheck::Exists;
    return TMacroNameCheck::Ok;
}

std::string MacroNameMessage(TMacroNameCheck check, const char* name)
{
    switch (check) {
    case TMacroNameCheck::Invalid:
        return "This is not valid macro name.";
    case TMacroNameCheck::Exists:
        return std::string("The macro (command) '") + (name ? name : "") + "' already exists.";
    case TMacroNameCheck::Ok:
        break;
    }
    return std::string();
}
