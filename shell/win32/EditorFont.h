// The editor font shared by every editor window: made from face, size and weight, always fixed-pitch.
#pragma once

#include <windows.h>

// The editor font: a font handle owned by the frame, or a stock font that is never deleted.
class TEditorFont {
public:
    TEditorFont() = default;
    TEditorFont(const TEditorFont&) = delete;  // owns the font handle
    TEditorFont& operator=(const TEditorFont&) = delete;
    ~TEditorFont() { Reset(); }
    // Makes the font of face, points and weight; falls back to the system's fixed-pitch font when it
    // cannot be made or is not fixed-pitch. Answers whether the requested font is the one in use.
    bool Create(const char* face, int points, int weight);
    bool Adopt(HFONT font);  // takes ownership after the same fixed-pitch check
    HFONT Get() const { return font_; }
    void Reset();

    static bool IsFixedPitch(HFONT font);

private:
    HFONT font_ = nullptr;
    bool owned_ = false;
};
