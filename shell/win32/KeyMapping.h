// The program's key map and macros as the shell uses them: the keymap file beside the program, the lookup of
// each key message, and whether there are changes to save.
#pragma once

#include <cstdint>

#include "keys/KeyCodes.h"

// Reads the keymap file the settings name ("OZM.KEY" beside the program unless set), reporting a bad one.
void LoadKeyMapping();
// The key map: one lookup per key message (see TEditorServices::LookupKey), and its change state.
unsigned LookupKeyBinding(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers);
bool KeyMappingChanged();
bool SaveKeyMapping();
