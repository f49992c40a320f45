// One line of a document: its text in an exact-size block, list links and the colouring state.
#pragma once

#include <cstdint>

struct LineRecord {
    char* text;         // NUL-terminated, block of exactly strlen + 1 bytes; no line terminator
    LineRecord* prev;   // null for the first line
    LineRecord* next;   // null for the last line
    uint16_t state;     // colouring state carried into the next line (1 = inside a multi-line comment)
};

// The colouring layer as the engine sees it: the state at the end of a line from its text and the
// state at its start. The syntax colouring code implements it; a document without one computes nothing.
class TSyntaxScheme {
public:
    virtual ~TSyntaxScheme() = default;
    virtual uint16_t NextState(const char* text, uint16_t prevState) const = 0;
};
