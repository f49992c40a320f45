// The program's key map and macros as the shell uses them: the keymap file beside the program, the lookup of
// each key message, and whether there are changes to save.
#pragma once

#include <cstdint>
#include <string>

#include "keys/KeyCodes.h"

// Reads the keymap file the settings name ("OZM.KEY" beside the program unless set), reporting a bad one.
void LoadKeyMapping();
// The key map: one lookup per key message (see TEditorServices::LookupKey), and its change state.
unsigned LookupKeyBinding(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers);
bool KeyMappingChanged();
bool SaveKeyMapping();

// The keymap file in use: its full path (beside the program), and choosing another by its path (the name is
// kept in the settings).
std::string KeymapFilePath();
void UseKeymapFile(const std::string& path);
// Loads or saves a keymap file, reporting what went wrong; true on success.
bool LoadKeymapFrom(const std::string& path);
bool SaveKeymapTo(const std::string& path);
// Copies DEFKEY.OZM beside the program over the file in use and loads it, reporting what went wrong.
bool ResetKeyMapping();
