// Key presses for ozmbatch: reading key texts, the window's two lookups, and the binding list.
#include "batch/BatchKeys.h"

#include <cctype>
#include <cstring>

#include "base/TextTools.h"
#include "engine/Commands.h"
#include "engine/VokEditor.h"
#include "keys/KeyCodes.h"
#include "keys/KeyMap.h"
#include "macros/MacroTable.h"

namespace {

// The character a virtual key types when pressed with these modifiers on a plain keyboard, or 0. With
// Ctrl or Alt a key types no printable character.
unsigned TypedCharacter(uint16_t code)
{
    if (code & (kKeyCtrl | kKeyAlt))
        return 0;
    if (IsLetterKey(code)) {
        unsigned letter = code & 0xFF;
        return (code & kKeyShift) ? letter : letter - 'A' + 'a';
    }
    if (IsDigitKey(code) && !(code & kKeyShift))
        return code & 0xFF;
    return 0;
}

}  // namespace

bool ParseKeyPress(const std::string& text, TKeyPress* press)
{
    if (EqualNoCase(text, "Space")) {
        *press = {0, ' '};
        return true;
    }
    const uint16_t code = KeyCodeFromText(text);
    if (!code)
        return false;
    if (!(code & kKeyVirtual)) {
        *press = {0, static_cast<unsigned>(code & 0xFF)};
        return true;
    }
    // A lone letter or digit is typed as written ("b" lower, "B" upper); its key goes down first.
    unsigned ch = text.size() == 1 ? static_cast<unsigned char>(text[0]) : TypedCharacter(code);
    *press = {code, ch};
    return true;
}

void RunKeyPress(TVokEditor& ed, const TKeyMap& keyMap, const TKeyPress& press, uint16_t& prefixState)
{
    if (press.code) {
        unsigned command = keyMap.LookupKey(press.code, prefixState);
        if (command) {
            ed.ExecuteCommand(command, 0);
            return;
        }
    }
    if (press.ch < 32)
        return;
    unsigned command = keyMap.KeyFromChar(press.ch, prefixState);
    if (command)
        ed.ExecuteCommand(command, command == cmInsertChar ? press.ch : 0);
}

std::string CommandOrMacroName(unsigned number)
{
    if (number >= kFirstMacroNumber && number <= kLastMacroNumber) {
        std::string name = Macros().MacroName(number);
        if (!name.empty())
            return name;
    } else {
        for (const TCommandElement* e = kCommandTable; e->number; ++e)
            if (e->number == number)
                return e->name;
    }
    std::string unnamed(1, '#');
    unnamed += std::to_string(number);
    return unnamed;
}

std::vector<std::string> KeyBindingLines(const TKeyMap& keyMap)
{
    std::vector<std::string> lines;
    const TKeyTable& main = keyMap.MainTable();
    for (int i = 0; i < main.Count(); ++i) {
        const TKeyPair& pair = main.At(i);
        if (!IsPrefixValue(pair.command)) {
            lines.push_back(KeyText(pair.key) + "\t" + CommandOrMacroName(pair.command));
            continue;
        }
        const TKeyTable& table = keyMap.PrefixTable(pair.command - kPrefix1 + 1);
        for (int j = 0; j < table.Count(); ++j) {
            const TKeyPair& second = table.At(j);
            if (IsPrefixValue(second.command))
                continue;
            lines.push_back(SequenceText(pair.key, second.key) + "\t" + CommandOrMacroName(second.command));
        }
    }
    return lines;
}
