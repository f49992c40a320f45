// The text form of macros: listing a macro's steps as text and compiling edited text back into steps.
#pragma once

#include <optional>
#include <string>

#include "macros/MacroTable.h"

// Argument kinds of the command table as the text form reads them.
enum : int {
    kArgKindNone = 1,       // the name stands alone
    kArgKindCharacter = 2,  // a quoted string, one step per character
    kArgKindNumber = 3,     // an unsigned decimal number
};

// The names and argument kinds the text form may use. Macro names are deliberately not part of it:
// a macro cannot call another macro by name.
class TMacroVocabulary {
public:
    virtual ~TMacroVocabulary() = default;
    // The command of a name (compared without regard to case), or 0.
    virtual unsigned CommandNumber(const char* name) const;
    // The name of a command, or null.
    virtual const char* CommandName(unsigned number) const;
    // 1, 2 or 3, or 0 for a number it does not know.
    virtual int ArgumentKind(unsigned number) const;
};

// The vocabulary of the editor's command table.
const TMacroVocabulary& CommandVocabulary();

// Compile errors, numbered as the messages show them.
enum : int {
    kCompileOk = 0,
    kCompileOutOfMemory = 1,
    kCompileTooLarge = 2,
    kCompileUnknownCommand = 3,
    kCompileMissingParameter = 4,
    kCompileEndOfLineExpected = 5,
    kCompileInvalidEscape = 6,
    kCompileQuoteExpected = 7,
    kCompileUnknownParameter = 8,
    kCompileNoSuchMacro = -1,  // the number holds no macro: nothing to compile into
};

// The text stays below this many bytes, terminator included, so the edit field can hold it.
constexpr std::size_t kMaxMacroTextSize = 32000;
// The quoted part of one InsertText line stays below this many characters.
constexpr std::size_t kMaxInsertTextRun = 72;

// The macro's steps as text, one command per line ending in CR LF; nothing when there is no such macro,
// the text would reach 32000 bytes, or a step's command has no known argument kind.
std::optional<std::string> MacroToText(const TMacroTable& table, unsigned number,
                                       const TMacroVocabulary& vocabulary = CommandVocabulary());

// Compiles text into steps; on success (0) the macro's old steps are replaced and the changed flag set.
// On an error the macro is left as it was and *line holds the 1-based physical line of the error.
// Lines have no length limit: a long InsertText line is compiled whole, never cut.
int CompileMacroText(const std::string& text, TStepArray& steps, int* line,
                     const TMacroVocabulary& vocabulary = CommandVocabulary());
int CompileMacro(TMacroTable& table, unsigned number, const std::string& text, int* line,
                 const TMacroVocabulary& vocabulary = CommandVocabulary());

// "Compile Error\n\nLine %d: " and the text of the error code.
std::string CompileErrorMessage(int code, int line);
// The first command of a macro's steps that the text form cannot write (a number without a name or argument
// kind, as a keymap file of another version may hold), or 0 when every step has a form.
unsigned UnnamedMacroCommand(const TMacroTable& table, unsigned number,
                             const TMacroVocabulary& vocabulary = CommandVocabulary());
// Why such a macro cannot be edited as text.
std::string UnnamedCommandMessage(unsigned command);
// Shown when MacroToText gives nothing for an existing macro whose steps all have a form.
constexpr const char* kMacroTooLargeToEdit = "Macro is too large to edit.";
