// The binary keymap file "OZMCFG_1": the key map and the macros stored together, loaded, saved and reset.
#pragma once

#include <string>

class TKeyMap;
class TMacroTable;
class TInStream;
class TOutStream;

constexpr const char* kKeymapSignature = "OZMCFG_1";
constexpr const char* kDefaultKeymapFileName = "ozm.key";
constexpr const char* kResetKeymapFileName = "DEFKEY.OZM";

// The outcome of a keymap file operation; every outcome but Ok and NotFound has a message for the user.
enum class TKeymapResult {
    Ok,
    NotFound,        // the file could not be opened for reading: nothing changed, nothing to say
    NotCompatible,   // another signature, or tables beyond this program's capacities: nothing changed
    OutOfMemory,     // loaded with some macros' steps left out; or no room for the file, nothing changed
    ReadError,       // the stream failed or the file ended early: nothing changed
    CannotCreate,    // the file could not be created for writing
    WriteError,      // writing failed part way (full disk)
    NoResetFile,     // DEFKEY.OZM could not be opened
    ResetFailed,     // copying DEFKEY.OZM over the file in use failed
};

enum class TMessageIcon { None, Stop, Information, Exclamation };

// The user's message for an outcome, with the full path where the text names the file; empty for none.
std::string KeymapMessage(TKeymapResult result, const std::string& path);
TMessageIcon KeymapMessageIcon(TKeymapResult result);

// The file's bytes for the given tables and macros, exactly as SaveKeymapFile writes them.
std::string KeymapFileImage(const TKeyMap& keyMap, const TMacroTable& macros);

// Reads a keymap file from a stream. The tables and macros are replaced only when the whole file was
// understood; the modified flags are then cleared.
TKeymapResult LoadKeymap(TInStream& in, TKeyMap& keyMap, TMacroTable& macros);
// Writes the image; the modified flags are cleared only when everything was written.
TKeymapResult SaveKeymap(TOutStream& out, TKeyMap& keyMap, TMacroTable& macros);

TKeymapResult LoadKeymapFile(const std::string& path, TKeyMap& keyMap, TMacroTable& macros);
TKeymapResult SaveKeymapFile(const std::string& path, TKeyMap& keyMap, TMacroTable& macros);
// Copies the reset file over the file in use and loads it.
TKeymapResult ResetKeymapFile(const std::string& resetPath, const std::string& path, TKeyMap& keyMap,
                              TMacroTable& macros);
