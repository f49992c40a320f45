// One undoable step: the lines it may change, as they were before, compared with what they hold after.
#pragma once

#include <cstdint>
#include <string>

#include "engine/EditorTypes.h"

class TVokEditor;

// TUndoStep links to the editor for its lifetime and owns a copy of the lines first..last as they stood when
// it began. When it ends it compares them with the same lines now (the span grown or shrunk by the lines
// the step added or removed) and records the one region that differs as an UndoRecord: the range that now
// holds the new bytes, and the old bytes to put back, exact to the byte, tabs and blanks included. A step
// that changed nothing records nothing and leaves the modified flag alone; one that did sets it.
//
// Everything the step changes must lie on its lines. Steps nest: an inner step on lines of an outer one
// records nothing of its own and only sets the modified flag.
class TUndoStep {
public:
    // record: keep a record at all; toRedo: it goes to the redo list (while an Undo is applied).
    TUndoStep(TVokEditor& editor, int32_t first, int32_t last, bool record, bool toRedo = false);
    ~TUndoStep() { Finish(); }
    TUndoStep(const TUndoStep&) = delete;  // owns the copy of the lines and a place in the editor's nesting
    TUndoStep& operator=(const TUndoStep&) = delete;

    // The change begins no later than this position (before the step): of the ways to describe the
    // region, the one starting here is taken, so that repeated typing reads as one growing range.
    void Anchor(TPosition at);
    // Compares and records now; afterwards the step is spent. Returns whether the text changed.
    bool Finish();
    // Ends the step without a record: the caller has undone whatever it changed.
    void Cancel();

private:
    TVokEditor& editor_;
    int32_t first_;
    int32_t last_;
    int32_t lastLineBefore_;
    bool record_;
    bool toRedo_;
    bool outer_;     // the outermost step of the editor, which alone records
    bool tooLarge_;  // more text than a record may keep: no copy was taken
    bool done_ = false;
    std::size_t anchor_ = std::string::npos;  // byte offset into before_
    std::string before_;  // lines first..last joined by CR (a byte no line holds)
};

// The lines first..last of the editor joined by CR, the form steps compare.
std::string FlatLines(TVokEditor& editor, int32_t first, int32_t last);
