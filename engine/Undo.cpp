// Undo and redo lists of a document: pushing with merging, applying, and the kind labels.
#include "engine/Undo.h"

#include <cstring>

#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/VokEditor.h"

int UndoKindForCommand(unsigned c)
{
    switch (c) {
    case cmInsertChar: case cmNewLine: case cmInsertLine: return 2;
    case cmBackspace: case cmDelete: case cmDeleteChar: case cmDeleteBlock: case cmDeleteWord:
    case cmDeleteToEOL: case cmDeleteToBOL: case cmDeleteLine: return 3;
    case cmCut: case cmCutAndAppend: case cmCutLine: return 4;
    case cmPaste: return 5;
    case cmReplace: case cmFindNext: return 6;
    case cmRedo: return 7;
    case cmIndentBlock: return 8;
    case cmUnindentBlock: return 9;
    case cmReadBlock: return 10;
    case cmCenterLine: return 11;
    case cmDupLine: return 12;
    case cmUpperCase: case cmLowerCase: case cmFlipCase: case cmUpperCaseWord: case cmLowerCaseWord:
    case cmFlipCaseWord: case cmCapitalizeWord: case cmTitleCase: case cmSentenceCase: return 13;
    case cmInsertTimeDate: return 14;
    case cmInsertSymbol: return 15;
    case cmConvertText: return 16;
    case cmLeftBlockPara: case cmCenterBlockPara: case cmRightBlockPara: case cmJustifyBlockPara: return 17;
    case cmTransposeChar: case cmTransposeWord: case cmTransposeLine: return 18;
    default: return 1;
    }
}

const char* UndoKindLabel(int kind)
{
    static const char* const labels[] = {
        "Can't &Undo", "&Undo", "&Undo Typing", "&Undo Deleting", "&Undo Cut", "&Undo Paste", "&Undo Replace",
        "&Undo Redo", "&Undo Indent", "&Undo Unindent", "&Undo Insert File", "&Undo Center Line",
        "&Undo Duplicate Line", "&Undo Change Case", "&Undo Insert Time/Date", "&Undo Insert Symbol",
        "&Undo Convert Text", "&Undo Formating", "&Undo Transpose"};
    return kind >= 0 && kind <= 18 ? labels[kind] : labels[1];
}

namespace {
int UndoLimit()
{
    int levels = EngineOptions().undoLevels;
    return levels < 1 || levels > kMaxUndoLevels ? kMaxUndoLevels : levels;
}

bool Mergeable(unsigned c)
{
    return c == cmInsertChar || c == cmBackspace || c == cmDeleteChar || c == cmPaste || c == cmJustifyBlockPara;
}

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

    if (undoCount > 0 && c == p && Mergeable(c)) {
        UndoRecord* t = undo[undoCount - 1];
        if (r.hasRange) {
            if (t->hasRange) {
                if (t->rangeStartLine == r.rangeStartLine) {
                    if (r.rangeStartCol < t->rangeStartCol)
                        t->rangeStartCol = r.rangeStartCol;
                } else if (t->rangeStartLine > r.rangeStartLine) {
                    t->rangeStartCol = r.rangeStartCol;
                    t->rangeStartLine = r.rangeStartLine;
                }
                if (t->rangeEndLine == r.rangeEndLine) {
                    if (r.rangeEndCol > t->rangeEndCol)
                        t->rangeEndCol = r.rangeEndCol;
                } else if (t->rangeEndLine < r.rangeEndLine) {
                    t->rangeEndCol = r.rangeEndCol;
                    t->rangeEndLine = r.rangeEndLine;
                }
            } else {
                t->hasRange = true;
                t->rangeStartCol = r.rangeStartCol;
                t->rangeStartLine = r.rangeStartLine;
                t->rangeEndCol = r.rangeEndCol;
                t->rangeEndLine = r.rangeEndLine;
            }
        }
        if (!r.text)
            return;
        if (!t->text) {
            t->text = r.text;
            t->textCol = r.textCol;
            t->textLine = r.textLine;
            return;
        }
        std::size_t a = std::strlen(t->text);
        std::size_t b = std::strlen(r.text);
        auto* grown = static_cast<char*>(VokAlloc(a + b + 1));
        if (!grown) {
            ClearBothLists();
            VokFree(r.text);
            return;
        }
        if (c == cmBackspace) {
            // Backspacing deletes leftwards: the new text goes in front and marks the new position.
            std::memcpy(grown, r.text, b);
            std::memcpy(grown + b, t->text, a + 1);
            t->textCol = r.textCol;
            t->textLine = r.textLine;
        } else {
            std::memcpy(grown, t->text, a);
            std::memcpy(grown + a, r.text, b + 1);
        }
        VokFree(t->text);
        VokFree(r.text);
        t->text = grown;
        return;
    }

    const int limit = UndoLimit();
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
    copy->kind = UndoKindForCommand(c);
    undo[undoCount++] = copy;
    ++pushSerial_;
}

void TVokEditor::PushRedo(const UndoRecord& r)
{
    if (redoCount >= kMaxUndoLevels || redoCount >= UndoLimit()) {
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
    copy->kind = UndoKindForCommand(curCommand);
    redo[redoCount++] = copy;
    ++pushSerial_;
}

void TVokEditor::ApplyUndoRecord(UndoRecord* r, bool toRedo)
{
    TUpdateBatch batch(*this);
    int32_t& count = toRedo ? redoCount : undoCount;
    UndoRecord** list = toRedo ? redo : undo;
    // The deletion and the insertion each push their inverse; they are taken back and joined into one
    // record, so that one Undo is always reversed by one Redo and the other way round.
    UndoRecord* removedText = nullptr;
    UndoRecord* insertedRange = nullptr;
    if (r->hasRange) {
        GotoPosition(r->rangeStartCol, r->rangeStartLine, false);
        unsigned long serial = pushSerial_;
        DeleteRange({r->rangeStartCol, r->rangeStartLine}, {r->rangeEndCol, r->rangeEndLine}, undoEnabled, toRedo);
        if (pushSerial_ != serial && count > 0)
            removedText = list[--count];
    }
    if (r->text) {
        GotoPosition(r->textCol, r->textLine, false);
        unsigned long serial = pushSerial_;
        InsertText(r->text, undoEnabled, toRedo);
        if (pushSerial_ != serial && count > 0)
            insertedRange = list[--count];
    }
    FreeRecord(r);

    UndoRecord* inverse = insertedRange ? insertedRange : removedText;
    if (insertedRange && removedText) {
        insertedRange->text = removedText->text;
        insertedRange->textCol = removedText->textCol;
        insertedRange->textLine = removedText->textLine;
        VokFree(removedText);
    }
    if (inverse)
        list[count++] = inverse;
}

void TVokEditor::Undo()
{
    curCommand = cmUndo;
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

int TVokEditor::UndoKind() const
{
    if (!undoEnabled || undoCount <= 0)
        return 0;
    return undo[undoCount - 1]->kind;
}
