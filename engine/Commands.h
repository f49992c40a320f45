// The editor commands: the constants and the table made from engine/CommandList.h, and their lookups.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "engine/CommandList.h"
#include "engine/EditorTypes.h"

class TVokEditor;

// The named closed sets a command row is made of.
enum : uint8_t { kArgNone = 1, kArgChar = 2 };

// The groups of the commands dialog; CommandCategoryLabel names them.
enum : uint8_t {
    kCatInsertDelete = 1,
    kCatCursor = 2,
    kCatSelect = 3,
    kCatSearch = 4,
    kCatBookmarks = 5,
    kCatFormat = 6,
    kCatClipboard = 7,
    kCatTools = 8,
    kCatFile = 9,
    kCatOptions = 10,
    kCatHelp = 11,
    kCatMisc = 12,
};

// Traits of a command row.
enum : uint8_t {
    kCmdMerges = 1,         // successive runs that meet in the text are one undo record
    kCmdOutsideMacros = 2,  // never recorded, and run outside the update batch
};

// Command numbers are stored in key maps and macros: never renumber them. Each command's number is in its
// row of engine/CommandList.h; the macro numbers follow.
#define VOK_COMMAND_NUMBER(name, number, ...) cm##name = number,
#define VOK_SELECT_NUMBER(name, number, movement) cm##name = number,
// clang-format off
enum TCommand : uint16_t {
    VOK_COMMANDS(VOK_COMMAND_NUMBER, VOK_SELECT_NUMBER)
    cmFirstMacro = 1000, cmLastMacro = 1049, cmLastReserved = 1999,
};
// clang-format on
#undef VOK_COMMAND_NUMBER
#undef VOK_SELECT_NUMBER

// What a handler is given: the command's argument (the character of InsertChar) and whether a movement
// extends the selection.
struct TCommandCall {
    unsigned argument;
    bool extend;
};
using TCommandRun = void (*)(TVokEditor& editor, TCommandCall call);

// One row of the command table.
struct TCommandElement {
    uint16_t number;
    const char* name;
    uint8_t argumentKind;
    uint8_t category;
    TUndoKind undoKind;
    uint8_t traits;
    TCommandRun run;   // null: nothing, or what the subsystem installs (SetCommandHandler)
    uint16_t extends;  // a ...Select row: the movement it runs with the selection extended; else 0
};

// Every command in number order, ended by a row with number 0.
extern const TCommandElement kCommandTable[];
#define VOK_COUNT_COMMAND(...) +1
constexpr int kCommandCount = 0 VOK_COMMANDS(VOK_COUNT_COMMAND, VOK_COUNT_COMMAND);
#undef VOK_COUNT_COMMAND
// Command numbers run 1..kLastCommandNumber (macro numbers apart).
#define VOK_COMMAND_MAX(name, number, ...) number##u,
constexpr unsigned kLastCommandNumber = [] {
    unsigned last = 0;
    for (unsigned n : {VOK_COMMANDS(VOK_COMMAND_MAX, VOK_COMMAND_MAX) 0u})
        last = n > last ? n : last;
    return last;
}();
#undef VOK_COMMAND_MAX

// The table row of a number, or null when the number is not assigned.
const TCommandElement* FindCommand(unsigned number);
// Case-insensitive lookup of a table name; 0 when absent (macro names are the dispatcher's business).
unsigned FindCommandByName(const char* name);
// The label of a category 1..12 as the commands dialog shows it; "All" for 0.
const char* CommandCategoryLabel(int category);
