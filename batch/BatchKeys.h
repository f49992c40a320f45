// Key presses named by their key texts, looked up in the key map and run as the editor window runs them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TKeyMap;
class TVokEditor;

// One press: the key code the key-down lookup sees (0 for a character without a key of its own) and the
// character the press types, 0 when it types none.
struct TKeyPress {
    uint16_t code = 0;
    unsigned ch = 0;
};

// Reads a key text ("Ctrl+K", "B", "Shift+End", "Enter", "Space", a typed character as itself); false when
// it names no key.
bool ParseKeyPress(const std::string& text, TKeyPress* press);

// Runs one press on ed through the key map with the window's prefix state: a key-down that finds a
// command runs it and swallows the character; otherwise the typed character is looked up in its turn.
void RunKeyPress(TVokEditor& ed, const TKeyMap& keyMap, const TKeyPress& press, uint16_t& prefixState);

// Every binding of the map as "key text<TAB>command or macro name", main table first; a prefix key
// shows as its sequences.
std::vector<std::string> KeyBindingLines(const TKeyMap& keyMap);

// The name of a command or macro number, or "#number" when it has none.
std::string CommandOrMacroName(unsigned number);
