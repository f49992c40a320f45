// Window arithmetic of an editor view that needs no window: mouse to text, scroll ranges, backup names.
#pragma once

#include <cstdint>
#include <string>

#include "engine/EditorTypes.h"

// The text position under a point of the client area (before limiting to the document). A click left of
// the text area means the left column; a drag there (outside) gives columns left of it, to scroll left.
TPosition PointToTextPosition(int x, int y, int cellWidth, int cellHeight, int leftCol, int32_t topLine,
                              bool outside = false);

// The divisor that fits a line count into the 16-bit scroll range.
int32_t VerticalScrollScale(int32_t lastLine);

// The ".bak" name of a path: the extension replaced, or ".bak" appended when the last dot is in a folder name.
std::string BackupName(const std::string& path);
