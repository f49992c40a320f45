// What to draw for one line of an editor window: the expanded text and its runs of normal, selected
// and coloured characters. Kept free of any graphics call so the rules can be tested anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/EditorTypes.h"

// The marked block as the painter needs it.
struct TBlockView {
    bool shown = false;
    bool column = false;
    TPosition start;
    TPosition end;
};

// One text-out call: count characters from view column col (0 = the window's left column).
struct TPaintRun {
    int col;
    int count;
    bool selected;
    uint8_t colour;  // 0 = normal text colour; 1..16 the fixed colours (never on selected runs)
};

struct TLinePlan {
    std::string display;          // the whole line expanded, tabs as spaces, odd glyphs substituted
    int visible = 0;              // characters from the left column to the end of the text
    std::vector<TPaintRun> runs;  // in order, covering exactly the visible characters
    bool fillSelected = false;    // colour of the fill from the text's end to the window's right edge
    // A column block beyond the end of the text: background over [gapFrom, bandFrom), selection over
    // [bandFrom, bandTo), in view columns; bandTo == bandFrom when there is none.
    int gapFrom = 0;
    int bandFrom = 0;
    int bandTo = 0;
};

// Decides what a byte below 32 or above 127 is drawn as: itself when its glyph is as wide as a space,
// else the font's default character (returned as 0, drawn by the painter as that default).
using TGlyphCheck = bool (*)(unsigned char byte, void* context);

// Expands text into display characters; a substituted byte becomes '\0' in the result.
std::string ExpandForDisplay(const char* text, int tabSize, TGlyphCheck sameWidthAsSpace, void* context);

// Plans one line. colours holds one colour index per display character (null: all normal).
TLinePlan PlanLine(const char* text, int32_t lineIndex, const TBlockView& block, int leftCol, int tabSize,
                   const uint8_t* colours, TGlyphCheck sameWidthAsSpace, void* context);

// The system colour value (0x00BBGGRR, red in the low byte) of colour index 1..16; black for any other
// index (0 is the window's own text colour).
uint32_t ColourOfIndex(int index);
