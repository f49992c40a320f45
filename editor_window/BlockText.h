// The text of a marked block as the clipboard carries it, and the private column-block record.
#pragma once

#include <cstdint>
#include <string>

#include "engine/VokEditor.h"

// The selection's text: a stream block as it stands (tabs kept, CR LF between lines), a column block as
// rows of tab-expanded text cut to the block's columns, each ended by CR LF. Empty without a selection.
std::string BlockText(TVokEditor& editor);

// Width and height of the column block as the clipboard record states them.
struct TColumnBlockSize {
    uint32_t width;
    uint32_t height;
};
TColumnBlockSize ColumnBlockSize(const TVokEditor& editor);

// The "OZMColumnBlock" record: 32-bit little-endian width and height, then the text and its zero.
std::string PackColumnBlock(uint32_t width, uint32_t height, const std::string& text);
// Reads a record of size bytes; false when it is too short to hold the header.
bool UnpackColumnBlock(const void* data, std::size_t size, uint32_t* width, uint32_t* height, std::string* text);
