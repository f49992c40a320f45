// What the system tells a user tool's argument macros: the editor's directory, the current one, short names.
#pragma once

#include <windows.h>

#include <string>

#include "tools/ToolArguments.h"

// The short (8.3) form of path, or path itself when the system has none for it.
std::string ShortPathOf(const std::string& path);
// The editor's directory (of module), the current directory and the short-name service.
TToolEnvironment CurrentToolEnvironment(HINSTANCE module);
