// Expanding the argument macros of a user tool ("$(FilePath)", "$(CurLine)", ...) from the active document.
#pragma once

#include <functional>
#include <string>

#include "tools/UserTools.h"

// What the active editor window tells a tool about its document; all empty or zero without one.
struct TToolContext {
    std::string filePath;     // full file name, empty for an untitled document
    long line = 0;            // cursor line + 1
    int column = 0;           // cursor column + 1
    std::string currentText;  // the word at the cursor, up to 80 bytes
    bool modified = false;
};

// What the system tells about the program and the process.
struct TToolEnvironment {
    std::string programDir;  // the editor's directory, with or without a trailing backslash
    std::string currentDir;  // the current directory
    // The short (8.3) form of a path; the path itself when it has none.
    std::function<std::string(const std::string&)> shortPath;
};

inline constexpr int kToolArgumentsSize = 256;  // the expanded text stays below this many characters

// Expands every macro of argument template (its first 255 characters). Macros are matched with letter
// case significant; one whose value would make the text reach 256 characters is only removed. A "$"
// that starts no macro stays, and inserted values are not scanned again.
std::string ExpandToolArguments(const char* templ, TShortNames shortNames, const TToolContext& context,
                                const TToolEnvironment& env);
