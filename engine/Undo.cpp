// Undo and redo lists of a document: pushing with merging, applying, and the kind labels.
#include "engine/Undo.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"

TUndoKind UndoKindForCommand(unsigned c)
{
    const TCommandElement* e = FindCommand(c);
    return e ? e->undoKind : TUndoKind::Other;
}

const char* UndoKindLabel(TUndoKind kind)
{
    static const char* const labels[] = {
        "Can't &Undo", "&Undo", "&Undo Typing", "&Undo Deleting", "&Undo Cut", "&Undo Paste", "&Undo Replace",
        "&Undo Redo", "&Undo Indent", "&Undo Unindent", "&Undo Insert File", "&Undo Center Line",
        "&Undo Duplicate Line", "&Undo Change Case", "&Undo Insert Time/Date", "&Undo Insert Symbol",
        "&Undo Convert Text", "&Undo Formating", "&Undo Transpose"};
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(labels) ? labels[index] : labels[1];
}

int UndoLevelsKept()
{
    int levels = EngineOptions().undoLevels;
    return levels < 1 || levels > kMaxUndoLevels ? kMaxUndoLevels : levels;
}

bool CommandMergesRecords(unsigned command)
{
    const TCommandElement* e = FindCommand(command);
    return e && (e->traits & kCmdMerges);
}

namespace {
void FreeRecord(UndoRecord* r)
{
    if (r) {
        VokFree(r->text);
        VokFree(r);
    }
}
}  // namespace

void TVokEditor::ClearUndo()
{
    for (int32_t i = 0; i < undoCount; ++i)
        FreeRecord(undo[i]);
    undoCount = 0;
    mergeOpen_ = false;
}

void TVokEditor::ClearRedo()
{
    for (int32_t i = 0; i < redoCount; ++i)
        FreeRecord(redo[i]);
    redoCount = 0;
    redoValid = false;
}

void TVokEditor::ClearBothLists()
{
    ClearUndo();
    ClearRedo();
}

void TVokEditor::PushRecord(const UndoRecord& record, bool toRedo)
{
    if (toRedo)
        PushRedo(record);
    else
        PushUndo(record);
}

void TVokEditor::PushUndo(const UndoRecord& r)
{
    const unsigned c = curCommand;
    const unsigned p = prevCommand;
    if (c != cmRedo)
        ClearRedo();

    // A record takes the next step of the same command only when that command wrote it and nothing else
    // ran since, and only when the two steps meet in the text: merging records of steps apart, or into a
    // record some other command left on top, would make one Undo take back text nobody asked it to.
    if (undoCount > 0 && c == p && CommandMergesRecords(c) && mergeOpen_ && mergeCommand_ == c && MergeUndo(r)) {
        if (undoCount == 0)
            mergeOpen_ = false;
        return;
    }

    const int limit = UndoLevelsKept();
    if (undoCount > limit) {
        ClearUndo();
    } else if (undoCount == limit && undoCount > 0) {
        FreeRecord(undo[0]);
        std::memmove(undo, undo + 1, sizeof(undo[0]) * static_cast<std::size_t>(undoCount - 1));
        --undoCount;
    }
    auto* copy = static_cast<UndoRecord*>(VokAlloc(sizeof(UndoRecord)));
    if (!copy) {
        ClearUndo();
        VokFree(r.text);
        return;
    }
    *copy = r;
    copy->kind = static_cast<int32_t>(UndoKindForCommand(c));
    undo[undoCount++] = copy;
    mergeOpen_ = c != cmRedo;
    mergeCommand_ = static_cast<uint16_t>(c);
}

void TVokEditor::PushRedo(const UndoRecord& r)
{
    if (redoCount >= kMaxUndoLevels || redoCount >= UndoLevelsKept()) {
        FreeRecord(redo[0]);
        std::memmove(redo, redo + 1, sizeof(redo[0]) * static_cast<std::size_t>(redoCount - 1));
        --redoCount;
    }
    auto* copy = static_cast<UndoRecord*>(VokAlloc(sizeof(UndoRecord)));
    if (!copy) {
        ClearRedo();
        VokFree(r.text);
        return;
    }
    *copy = r;
    copy->kind = static_cast<int32_t>(UndoKindForCommand(curCommand));
    redo[redoCount++] = copy;
}

void TVokEditor::ApplyUndoRecord(UndoRecord* r, bool toRedo)
{
    TUpdateBatch batch(*this);
    const TPosition from = r->hasRange ? TPosition{r->rangeStartCol, r->rangeStartLine} : TPosition{r->textCol, r->textLine};
    const TPosition to = r->hasRange ? TPosition{r->rangeEndCol, r->rangeEndLine} : from;
    const TPosition at{r->textCol, r->textLine};
    const bool oneRegion = !r->hasRange || !r->text || at == from;
    const int32_t first = std::min(from.line, at.line);
    const int32_t last = std::max(to.line, at.line + (to.line - from.line));
    if (selShown) {
        selShown = false;
        RequestRedraw(kRedrawAll);
    }
    redoValid = false;

    // The inverse is whatever the lines now differ by: one Undo is always reversed by one Redo and the
    // other way round, byte for byte.
    TUndoStep step(*this, first, last, undoEnabled, toRedo);
    step.Anchor(std::min(from, at));
    bool ok = true;
    if (oneRegion) {
        ok = ReplaceText(from, to, r->text ? r->text : "");
    } else {
        ok = ReplaceText(from, to, "") && ReplaceText(at, at, r->text);
    }
    // The cursor goes to the end of the text put back, or where the removed range began; the line it
    // leaves keeps its blanks, which are part of what is being restored.
    TPosition cursor = r->text ? at : from;
    if (ok && r->text) {
        const std::string flat = [&] {
            std::string s;
            for (const char* q = r->text; *q; ++q)
                if (!(*q == '\n' && q > r->text && q[-1] == '\r'))
                    s += *q;
            return s;
        }();
        const std::size_t lastBreak = flat.rfind('\r');
        if (lastBreak == std::string::npos) {
            const char* line = LineAt(at.line)->text;
            const char* p = PointerAtColumn(line, at.col) + flat.size();
            cursor = {static_cast<int16_t>(ColumnOfPointer(line, p)), at.line};
        } else {
            const int32_t line = at.line + static_cast<int32_t>(std::count(flat.begin(), flat.end(), '\r'));
            const char* text = LineAt(line)->text;
            cursor = {static_cast<int16_t>(ColumnOfPointer(text, text + (flat.size() - lastBreak - 1))), line};
        }
    }
    keepBlanks_ = true;
    GotoPosition(cursor.col, cursor.line, false);
    keepBlanks_ = false;
    if (!ok) {
        // Out of memory: nothing changed, and the record stays where it was.
        step.Cancel();
        (toRedo ? undo[undoCount++] : redo[redoCount++]) = r;
        return;
    }
    step.Finish();
    FreeRecord(r);
}

void TVokEditor::Undo()
{
    curCommand = cmUndo;
    mergeOpen_ = false;
    if (undoCount <= 0)
        return;
    UndoRecord* r = undo[--undoCount];
    ApplyUndoRecord(r, true);
    redoValid = true;
}

void TVokEditor::Redo()
{
    curCommand = cmRedo;
    if (redoCount <= 0)
        return;
    if (!redoValid) {
        ClearRedo();
        return;
    }
    UndoRecord* r = redo[--redoCount];
    ApplyUndoRecord(r, false);
    // The inverse just went to the undo list; what is left of the redo list stays valid.
    redoValid = true;
}

TUndoKind TVokEditor::UndoKind() const
{
    if (!undoEnabled || undoCount <= 0)
        return TUndoKind::None;
    return static_cast<TUndoKind>(undo[undoCount - 1]->kind);
}
