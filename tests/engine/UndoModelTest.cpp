// Random documents and random runs of every editing command, interleaved with Undo and Redo, checked
// against a model of the two lists after every step: Undo gives back the text before the step it takes
// back, Redo the text after it, and the lists lose records only by their rules.
//
// VOK_UNDO_STEPS sets the number of steps (100000 by default), VOK_UNDO_START the start value of the random
// draws (a fixed one by default, so that a failure reproduces); a failure prints both. VOK_UNDO_TRACE prints
// every step with both lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/Options.h"
#include "support/ClipboardEditor.h"

namespace {

constexpr uint64_t kDefaultStart = 20261208;

// Steps that are no command: the mouse puts the cursor somewhere, or drags the selection there (neither
// goes through ExecuteCommand, as in the window), and a word typed with the character after it.
constexpr unsigned kClick = 0x10000;  // above every command number
constexpr unsigned kDrag = 0x10001;
constexpr unsigned kTypeWord = 0x10002;
constexpr long kDefaultSteps = 100000;

// mt19937 is the same everywhere; the standard distributions are not, so the draws use plain modulo.
class TDraw {
public:
    explicit TDraw(uint64_t start) : engine_(start) {}
    uint32_t Below(uint32_t n) { return n ? static_cast<uint32_t>(engine_() % n) : 0; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    char From(const std::string& alphabet) { return alphabet[Below(static_cast<uint32_t>(alphabet.size()))]; }

private:
    std::mt19937_64 engine_;
};

// The editor of the model: a clipboard of its own, AutoCorrect that knows two words and sentence capitals.
class TModelEditor : public TClipboardEditor {
public:
    bool AutoCorrectWord(const char* word, char* buffer, int size) noexcept override
    {
        const char* with = std::strcmp(word, "teh") == 0 ? "the" : std::strcmp(word, "ab") == 0 ? "a b" : nullptr;
        if (!with)
            return false;
        std::snprintf(buffer, static_cast<std::size_t>(size), "%s", with);
        return true;
    }
    bool CapitalizeSentences() noexcept override { return capitals; }
    // The transforms' dialogs answer at once: Sort with the key it proposes, Fill Block with "ab", Convert
    // Text with a table that swaps a and b.
    bool SortDialog(int*, int*) noexcept override { return true; }
    bool FillBlockDialog(char* buffer, int size) noexcept override
    {
        std::snprintf(buffer, static_cast<std::size_t>(size), "ab");
        return true;
    }
    bool ConvertTextDialog(unsigned char* table, bool*) noexcept override
    {
        std::swap(table['a'], table['b']);
        return true;
    }
    // Insert File reads the file the model has put ready.
    void ReadBlock() noexcept override
    {
        TMemInStream in(file);
        (void)InsertFile(in);
    }
    bool capitals = false;
    std::string file;
};

// The whole text, lines joined by CR: no line holds one, while a lone LF is an ordinary byte of a line.
std::string Text(TVokEditor& ed)
{
    std::string s;
    for (LineRecord* l = ed.firstLine; l; l = l->next) {
        if (l != ed.firstLine)
            s += '\r';
        s += l->text;
    }
    return s;
}

// The text as it shows: tabs expanded, the blanks at the end of every line removed. After a cursor move has
// trimmed blanks that a record expected, putting text back beyond the line end fills the gap with spaces:
// the same picture, though not the same bytes.
std::string AsShown(const std::string& text)
{
    std::string out;
    std::string line;
    const int tab = TabSize();
    auto flush = [&] {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line;
        line.clear();
    };
    for (char c : text) {
        if (c == '\r') {
            flush();
            out += '\r';
        } else if (c == '\t') {
            line.append(static_cast<std::size_t>(tab - static_cast<int>(line.size()) % tab), ' ');
        } else {
            line += c;
        }
    }
    flush();
    return out;
}

// True when `after` is `before` with trailing blanks taken off some lines: all a cursor move may do.
bool OnlyTrimmed(const std::string& before, const std::string& after)
{
    if (std::count(before.begin(), before.end(), '\r') != std::count(after.begin(), after.end(), '\r'))
        return false;
    std::size_t a = 0;
    std::size_t b = 0;
    for (;;) {
        std::size_t ae = before.find('\r', a);
        std::size_t be = after.find('\r', b);
        std::string x = before.substr(a, ae == std::string::npos ? std::string::npos : ae - a);
        std::string y = after.substr(b, be == std::string::npos ? std::string::npos : be - b);
        if (x.compare(0, y.size(), y) != 0 || x.size() < y.size())
            return false;
        for (std::size_t i = y.size(); i < x.size(); ++i)
            if (x[i] != ' ' && x[i] != '\t')
                return false;
        if (y.size() < x.size() && !y.empty() && (y.back() == ' ' || y.back() == '\t'))
            return false;
        if (ae == std::string::npos)
            return true;
        a = ae + 1;
        b = be + 1;
    }
}

std::string Visible(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '\r')
            out += "\\n\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\x0a";
        else if (c < 32 || c >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

// What the model knows of one record: the text the list gives back when the record is applied.
struct TEntry {
    std::string text;
    bool known = true;   // false for a record a step pushed after its first: its text was never seen
    bool stale = false;  // a cursor move has since trimmed blanks: only what shows can be compared
};

struct TRecordCopy {
    UndoRecord fields{};
    std::string text;
};

TRecordCopy CopyOf(const UndoRecord* r)
{
    TRecordCopy c;
    c.fields = *r;
    c.fields.text = nullptr;
    c.text = r->text ? r->text : "";
    return c;
}

bool Same(const TRecordCopy& a, const UndoRecord* r)
{
    const UndoRecord& f = a.fields;
    return f.hasRange == r->hasRange && f.rangeStartCol == r->rangeStartCol && f.rangeStartLine == r->rangeStartLine &&
           f.rangeEndCol == r->rangeEndCol && f.rangeEndLine == r->rangeEndLine && f.textCol == r->textCol &&
           f.textLine == r->textLine && a.text == (r->text ? r->text : "") && f.kind == r->kind;
}

class TUndoModel {
public:
    TUndoModel(uint64_t start, long steps) : draw_(start), start_(start), steps_(steps) {}

    // Runs the steps; an empty result means no divergence, otherwise what went wrong and how to repeat it.
    std::string Run()
    {
        NewDocument();
        for (step_ = 0; step_ < steps_; ++step_) {
            if (ed_->lastLine > 60 || docSteps_ > 400)
                NewDocument();
            ++docSteps_;
            std::string error = OneStep();
            if (trace_)
                std::printf("step %ld: %s\n%s", step_, Shown(history_.back(), true).c_str(), Lists(3).c_str());
            if (error.empty())
                error = CheckInvariants();
            if (!error.empty())
                return Report(error);
        }
        return {};
    }

    long undos = 0;
    long redos = 0;
    long exactChecks = 0;
    long documents = 0;

private:
    // ---- Documents. ----------------------------------------------------------------------------------
    std::string RandomLine()
    {
        static const std::string kWords = "abcdefxyz ABC_.,;(){}";
        std::string line;
        switch (draw_.Below(10)) {
        case 0: return line;  // empty
        case 1:               // near the width limit, tabs included
        {
            const int tab = TabSize();
            int width = 1014 + static_cast<int>(draw_.Below(11));
            int col = 0;
            while (true) {
                char c = draw_.OneIn(12) ? '\t' : draw_.From("abcdefgh ");
                int next = c == '\t' ? col + tab - col % tab : col + 1;
                if (next > width)
                    break;
                line += c;
                col = next;
            }
            return line;
        }
        case 2:  // only blanks
            for (uint32_t n = 1 + draw_.Below(6); n > 0; --n)
                line += draw_.OneIn(3) ? '\t' : ' ';
            return line;
        default:
            break;
        }
        for (uint32_t n = draw_.Below(4); n > 0; --n)
            line += draw_.OneIn(3) ? '\t' : ' ';
        for (uint32_t n = draw_.Below(30); n > 0; --n)
            line += draw_.OneIn(8) ? '\t' : draw_.From(kWords);
        if (draw_.OneIn(3))
            for (uint32_t n = 1 + draw_.Below(3); n > 0; --n)
                line += draw_.OneIn(2) ? '\t' : ' ';
        return line;
    }

    void NewDocument()
    {
        ++documents;
        docSteps_ = 0;
        lastClass_ = 0;
        static const int kTabs[] = {2, 3, 4, 8, 8};
        static const int kLevels[] = {1, 2, 5, 20, 80, 80};
        TEngineOptions& o = EngineOptions();
        o = TEngineOptions{};
        o.tabSize = static_cast<int16_t>(kTabs[draw_.Below(5)]);
        o.autoIndent = !draw_.OneIn(4);
        o.autoUnindent = !draw_.OneIn(4);
        o.wordWrap = draw_.OneIn(4);
        o.wordWrapColumn = static_cast<int16_t>(draw_.OneIn(4) ? 1000 + draw_.Below(24) : 5 + draw_.Below(30));
        o.useTabChar = !draw_.OneIn(3);
        o.blockIndent = static_cast<int16_t>(1 + draw_.Below(3));
        o.undoLevels = kLevels[draw_.Below(6)];
        o.undoAfterSave = draw_.OneIn(2);
        std::string file;
        for (uint32_t n = 1 + draw_.Below(8); n > 0; --n)
            file += RandomLine() + "\n";
        if (draw_.OneIn(4))
            file += RandomLine();  // a last line without a line end
        auto clip = ed_ ? ed_->clip : TClipboardEditor::TClip{};
        ed_ = std::make_unique<TModelEditor>();
        ed_->clip = clip;
        ed_->capitals = draw_.OneIn(3);
        TMemInStream in(file);
        (void)ed_->ReadFile(in, nullptr);
        ed_->winLines = 5 + draw_.Below(20);
        undo_.clear();
        redo_.clear();
        history_.clear();
        Log("document " + std::to_string(documents) + ": tab " + std::to_string(o.tabSize) + ", levels " +
                std::to_string(o.undoLevels) + ", wrap " + std::to_string(o.wordWrap) + "/" +
                std::to_string(o.wordWrapColumn),
            std::string(), Text(*ed_));
        if (trace_)
            std::printf("%s\n", Shown(history_.back(), true).c_str());
    }

    // ---- Steps. --------------------------------------------------------------------------------------
    struct TPick {
        unsigned command;
        int weight;
    };

    // What a step did, and the text after it when that changed; shown only when something goes wrong.
    struct TLogEntry {
        std::string what;
        std::string text;
        bool changed = false;
    };

    void Log(std::string what, const std::string& before, const std::string& after)
    {
        TLogEntry e{std::move(what), before == after ? std::string() : after, before != after};
        history_.push_back(std::move(e));
        if (history_.size() > 40)
            history_.pop_front();
    }
    std::string Shown(const TLogEntry& e, bool withText) const
    {
        return e.what + (e.changed ? withText ? ", text\n" + Visible(e.text) : ", text changed" : "");
    }

    // Runs one command, or a click of the mouse, and checks what it did to the text and the lists.
    std::string OneStep()
    {
        static const TPick kPicks[] = {
            {cmInsertChar, 60}, {cmTab, 6}, {cmNewLine, 8}, {cmInsertLine, 2}, {cmBackspace, 14}, {cmDelete, 10},
            {cmDeleteChar, 4}, {cmDeleteBlock, 3}, {cmDeleteWord, 3}, {cmDeleteWordBack, 3}, {cmDeleteToEOL, 3},
            {cmDeleteToBOL, 2}, {cmDeleteLine, 3}, {cmDupLine, 2}, {cmJoinLine, 3}, {cmCenterLine, 1},
            {cmInsertComment, 1}, {cmCursorLeft, 8}, {cmCursorRight, 8}, {cmCursorUp, 6}, {cmCursorDown, 6},
            {cmLineStart, 3}, {cmLineEnd, 5}, {cmWordLeft, 3}, {cmWordRight, 3}, {cmTextStart, 1}, {cmTextEnd, 1},
            {cmPageUp, 1}, {cmPageDown, 1}, {cmFirstNonBlank, 2}, {cmParaUp, 1}, {cmParaDown, 1}, {cmBackTab, 2},
            {cmLeftSelect, 4}, {cmRightSelect, 6}, {cmUpSelect, 3}, {cmDownSelect, 4}, {cmLineEndSelect, 2},
            {cmWordRightSelect, 2}, {cmSelectWord, 2}, {cmSelectLine, 2}, {cmSelectAll, 1}, {cmSelectPara, 1},
            {cmStartSelect, 1}, {cmEndSelect, 1}, {cmHideSelect, 2}, {cmSetCharSelMode, 3}, {cmSetColumnSelMode, 3},
            {cmCut, 4}, {cmCopy, 4}, {cmPaste, 8}, {cmCutAndAppend, 1}, {cmCopyAndAppend, 1}, {cmCutLine, 2},
            {cmIndentBlock, 3}, {cmUnindentBlock, 3}, {cmToggleInsert, 2}, {cmToggleWordWrap, 1},
            {cmToggleAutoIndent, 1}, {cmSaveFile, 1}, {cmReadBlock, 1}, {cmUndo, 40}, {cmRedo, 20},
            {cmLeftBlockPara, 1}, {cmCenterBlockPara, 1}, {cmRightBlockPara, 1}, {cmJustifyBlockPara, 1},
            {cmUpperCase, 1}, {cmLowerCase, 1}, {cmFlipCase, 1}, {cmUpperCaseWord, 1}, {cmCapitalizeWord, 1},
            {cmTitleCase, 1}, {cmSentenceCase, 1}, {cmTransposeChar, 1}, {cmTransposeWord, 1},
            {cmTransposeLine, 1}, {cmExpandTabsToSpaces, 1}, {cmCompressSpacesToTabs, 1},
            {cmTab8TextToTab3Text, 1}, {cmTab3TextToTab8Text, 1}, {cmFillBlock, 1}, {cmConvertText, 1},
            {cmSort, 1}, {cmToggleLineDraw, 2},
            {kClick, 10},
            {kDrag, 4},
            {kTypeWord, 6},
        };
        int total = 0;
        for (const TPick& p : kPicks)
            total += p.weight;
        int at = static_cast<int>(draw_.Below(static_cast<uint32_t>(total)));
        unsigned command = 0;
        for (const TPick& p : kPicks) {
            if (at < p.weight) {
                command = p.command;
                break;
            }
            at -= p.weight;
        }
        if (command == cmUndo)
            return UndoStep();
        if (command == cmRedo)
            return RedoStep();
        return EditStep(command);
    }

    std::string Describe(unsigned command, unsigned argument)
    {
        char name[32] = "?";
        if (command == kClick)
            return "click";
        if (command == kDrag)
            return "drag";
        if (command == kTypeWord)
            return "word";
        ed_->CommandName(command, name, sizeof name);
        std::string s = name;
        if (command == cmInsertChar)
            s += " '" + Visible(std::string(1, static_cast<char>(argument))) + "'";
        return s;
    }

    void Perform(unsigned command, std::string* what)
    {
        TVokEditor& ed = *ed_;
        if (command == kClick || command == kDrag) {
            // Anywhere: inside tabs, beyond the end of the text, past the last line.
            int32_t line = static_cast<int32_t>(draw_.Below(static_cast<uint32_t>(ed.lastLine) + 2));
            int width = TVokEditor::LineWidth(ed.LineAt(line)->text);
            int col = draw_.OneIn(8) ? static_cast<int>(draw_.Below(1024)) : static_cast<int>(draw_.Below(width + 4));
            *what += " to (" + std::to_string(col) + ", " + std::to_string(line) + ")";
            ed.GotoPosition(col, line, command == kDrag);
            return;
        }
        if (command == kTypeWord) {
            static const char* const kWords[] = {"teh", "ab", "hello", "x", "word", "e.g"};
            std::string word = kWords[draw_.Below(6)];
            word += draw_.From(" .,!?;:)");
            *what += " \"" + word + "\"";
            for (unsigned char c : word)
                ed.ExecuteCommand(cmInsertChar, c);
            return;
        }
        if (command == cmReadBlock) {
            ed_->file.clear();
            for (uint32_t n = draw_.Below(4); n > 0; --n)
                ed_->file += RandomLine() + (draw_.OneIn(2) ? "\r\n" : "\n");
            if (draw_.OneIn(2))
                ed_->file += RandomLine();
            *what += " of " + std::to_string(ed_->file.size()) + " bytes";
        }
        unsigned argument = 0;
        if (command == cmInsertChar) {
            static const std::string kTyped = "aaabbbcxyz  ..,Q_\t\xe8";
            argument = static_cast<unsigned char>(draw_.OneIn(60) ? (draw_.OneIn(2) ? '\r' : '\n') : draw_.From(kTyped));
            *what = Describe(command, argument);
        }
        ed.ExecuteCommand(command, argument);
    }

    std::string EditStep(unsigned command)
    {
        TVokEditor& ed = *ed_;
        std::string what = Describe(command, 0);
        const std::string before = Text(ed);
        const bool modifiedBefore = ed.modified;
        TagNew(ed);
        std::vector<uint32_t> tagsBefore;
        for (int32_t i = 0; i < ed.undoCount; ++i)
            tagsBefore.push_back(Tag(ed.undo[i]));
        const int32_t redoBefore = ed.redoCount;
        TRecordCopy topBefore = ed.undoCount ? CopyOf(ed.undo[ed.undoCount - 1]) : TRecordCopy{};

        const int lastClass = lastClass_;
        const int mergeClass = MergeClass(command);
        if (command != kClick && command != kDrag)
            lastClass_ = mergeClass;
        Perform(command, &what);
        const std::string after = Text(ed);
        Log(what + "  -> cursor (" + std::to_string(ed.curCol) + ", " + std::to_string(ed.curLineNo) + ")", before,
            after);

        // How the undo list changed: records dropped at its old end, the old top merged into, records added.
        // Records are told apart by a tag the model keeps above the kind's bits, since a freed record's
        // memory may well hold the next new one.
        const int32_t n = static_cast<int32_t>(tagsBefore.size());
        int32_t kept = 0;
        while (kept < ed.undoCount && Tag(ed.undo[kept]) != 0)
            ++kept;
        for (int32_t i = kept; i < ed.undoCount; ++i)
            if (Tag(ed.undo[i]) != 0)
                return "the undo list holds an old record after a new one";
        const int32_t dropped = n - kept;
        if (dropped < 0 || (kept > 0 && Tag(ed.undo[kept - 1]) != tagsBefore.back()))
            return "the undo list kept records out of order";
        for (int32_t i = 0; i < kept; ++i)
            if (Tag(ed.undo[i]) != tagsBefore[static_cast<std::size_t>(dropped + i)])
                return "the undo list kept records out of order";
        bool merged = kept > 0 && !Same(topBefore, ed.undo[kept - 1]);
        const int32_t added = ed.undoCount - kept;
        TagNew(ed);
        // A merge may leave the top record as it was (typing inside the range it covers already): a step
        // that added no record changed the text through the top one, unless all it did was trim blanks,
        // which a cursor move does too.
        bool trimmedOnly = false;
        if (!merged && added == 0 && before != after) {
            if (OnlyTrimmed(before, after))
                trimmedOnly = true;
            else if (kept > 0)
                merged = true;
            else
                return "the text changed without a record";
        }
        const bool recorded = merged || added > 0;

        if (command == cmSaveFile && !EngineOptions().undoAfterSave) {
            if (ed.undoCount != 0 || ed.redoCount != 0)
                return "Save left records in the lists";
            undo_.clear();
            redo_.clear();
            return {};
        }
        const int limit = EngineOptions().undoLevels;
        const int32_t mayDrop = std::max(0, n + added - limit);
        if (dropped != mayDrop)
            return "the undo list lost " + std::to_string(dropped) + " records, its limit allows " +
                   std::to_string(mayDrop);
        if (recorded && ed.redoCount != 0)
            return "an edit left the redo list";
        if (trimmedOnly) {
            if (ed.redoCount != redoBefore && ed.redoCount != 0)
                return "trimming blanks changed the redo list";
            if (ed.redoCount == 0)
                redo_.clear();
            for (TEntry& e : undo_)
                e.stale = true;
            for (TEntry& e : redo_)
                e.stale = true;
            return {};
        }
        if (!recorded) {
            if (ed.redoCount != redoBefore)
                return "a step that recorded nothing changed the redo list";
            if (ed.modified != modifiedBefore)
                return "a step that changed nothing set the modified flag";
            return {};
        }
        // A step may come back to where it started through records of its own that undo each other (a
        // character typed over a selection of the same character, a word AutoCorrect changes back); one
        // record alone must change something.
        // At the limit, records the step pushed first may have gone again once no older one was left.
        const bool firstKept = kept > 0 || ed.undoCount < limit;
        if (before == after && !merged && added == 1 && firstKept && command != kTypeWord)
            return "a step that changed nothing pushed a record";
        if (!ed.modified)
            return "an edit left the document unmodified";

        undo_.erase(undo_.begin(), undo_.begin() + dropped);
        redo_.clear();
        // Typing inside the range the top record covers merges into it without changing it: when the step
        // may have begun that way, its first new record is not known to give back the text before it.
        const bool mayHaveMerged = kept > 0 && mergeClass != 0 && mergeClass == lastClass;
        for (int32_t i = 0; i < added; ++i) {
            // A record pushed by the step's first change gives back the text before the step; one pushed
            // later in the same step gives back a text the model never saw.
            TEntry e;
            e.text = before;
            e.known = i == 0 && !merged && !mayHaveMerged && firstKept;
            undo_.push_back(e);
        }
        if (static_cast<int32_t>(undo_.size()) != ed.undoCount)
            return "model and undo list differ in length";
        return {};
    }

    // Commands whose records may merge into those of the command before: the same number for the same
    // running command as the engine sees it (Tab and words type, Delete deletes a character).
    static int MergeClass(unsigned command)
    {
        switch (command) {
        case cmInsertChar: case cmTab: case kTypeWord: return 1;
        case cmBackspace: return 2;
        case cmDelete: case cmDeleteChar: return 3;
        case cmPaste: return 4;
        case cmJustifyBlockPara: return 5;
        default: return 0;
        }
    }

    static uint32_t Tag(const UndoRecord* r) { return static_cast<uint32_t>(r->kind) >> 8; }
    // Gives every untagged record of the undo list a tag of its own; the kind keeps its low bits.
    void TagNew(TVokEditor& ed)
    {
        for (int32_t i = 0; i < ed.undoCount; ++i) {
            if (Tag(ed.undo[i]) == 0) {
                nextTag_ = nextTag_ % 0x7FFFFF + 1;
                ed.undo[i]->kind = static_cast<int32_t>((static_cast<uint32_t>(ed.undo[i]->kind) & 0xFF) | (nextTag_ << 8));
            }
        }
    }

    std::string Compare(const TEntry& e, const std::string& now, const char* what)
    {
        if (!e.known)
            return {};
        if (e.stale ? AsShown(now) == AsShown(e.text) : now == e.text) {
            if (!e.stale)
                ++exactChecks;
            return {};
        }
        return std::string(what) + " gave\n" + Visible(now) + "\ninstead of\n" + Visible(e.text);
    }

    std::string UndoStep()
    {
        TVokEditor& ed = *ed_;
        ++undos;
        lastClass_ = 0;
        const std::string before = Text(ed);
        const int32_t n = ed.undoCount;
        const int32_t m = ed.redoCount;
        ed.ExecuteCommand(cmUndo, 0);
        const std::string after = Text(ed);
        Log("Undo -> cursor (" + std::to_string(ed.curCol) + ", " + std::to_string(ed.curLineNo) + ")", before, after);
        if (n == 0) {
            if (before != after || ed.undoCount != 0 || ed.redoCount != m)
                return "Undo with nothing to undo changed something";
            return {};
        }
        if (ed.undoCount != n - 1)
            return "Undo left " + std::to_string(ed.undoCount) + " records of " + std::to_string(n);
        TEntry top = undo_.back();
        undo_.pop_back();
        std::string error = Compare(top, after, "Undo");
        if (!error.empty())
            return error;
        if (!ed.modified)
            return "Undo left the document unmodified";
        const int limit = EngineOptions().undoLevels;
        const int32_t expected = std::min(m + 1, limit);
        if (!ed.CanRedo() || ed.redoCount != expected) {
            if (top.known && !top.stale)
                return "Undo left " + std::to_string(ed.redoCount) + " redo records, not " + std::to_string(expected);
            // A record whose blanks a cursor move trimmed may find nothing left to take back: then there
            // is nothing to redo either.
            redo_.clear();
            for (int32_t i = 0; i < ed.redoCount; ++i)
                redo_.push_back(TEntry{std::string(), false, true});
            return {};
        }
        if (m + 1 > limit)
            redo_.erase(redo_.begin());
        redo_.push_back(TEntry{before, true, false});
        return {};
    }

    std::string RedoStep()
    {
        TVokEditor& ed = *ed_;
        ++redos;
        lastClass_ = 0;
        const std::string before = Text(ed);
        const int32_t n = ed.undoCount;
        const int32_t m = ed.redoCount;
        const bool could = ed.CanRedo();
        ed.ExecuteCommand(cmRedo, 0);
        const std::string after = Text(ed);
        Log("Redo -> cursor (" + std::to_string(ed.curCol) + ", " + std::to_string(ed.curLineNo) + ")", before, after);
        if (!could) {
            if (before != after || ed.redoCount != 0 || ed.undoCount != n)
                return "Redo with nothing valid to redo did more than empty the redo list";
            redo_.clear();
            return {};
        }
        if (ed.redoCount != m - 1)
            return "Redo left " + std::to_string(ed.redoCount) + " redo records of " + std::to_string(m);
        TEntry top = redo_.back();
        redo_.pop_back();
        std::string error = Compare(top, after, "Redo");
        if (!error.empty())
            return error;
        const int limit = EngineOptions().undoLevels;
        const int32_t expected = std::min(n + 1, limit);
        if (ed.undoCount != expected) {
            if (top.known && !top.stale)
                return "Redo left " + std::to_string(ed.undoCount) + " undo records, not " + std::to_string(expected);
            // Blanks a cursor move trimmed may leave the record nothing to change: nothing to undo then.
            if (ed.undoCount != n)
                return "Redo changed the undo list and pushed nothing";
            return {};
        }
        if (n + 1 > limit)
            undo_.erase(undo_.begin());
        undo_.push_back(TEntry{before, true, false});
        return {};
    }

    std::string CheckInvariants()
    {
        TVokEditor& ed = *ed_;
        if (!ed.CheckList())
            return "the line list does not hang together";
        if (ed.curCol < 0 || ed.curCol > kMaxCol || ed.curLineNo < 0 || ed.curLineNo > ed.lastLine)
            return "the cursor stands outside the document";
        for (LineRecord* l = ed.firstLine; l; l = l->next)
            if (TVokEditor::LineWidth(l->text) > kLineWidthLimit)
                return "a line is wider than 1024 columns";
        if (static_cast<int32_t>(undo_.size()) != ed.undoCount || static_cast<int32_t>(redo_.size()) != ed.redoCount)
            return "model and lists differ in length";
        return {};
    }

    // Both lists, their last `most` records each.
    std::string Lists(int32_t most = kMaxUndoLevels)
    {
        std::ostringstream out;
        auto dump = [&](UndoRecord* const* list, int32_t count) {
            for (int32_t i = std::max(0, count - most); i < count; ++i) {
                const UndoRecord& r = *list[i];
                out << "  ";
                if (r.hasRange)
                    out << "range (" << r.rangeStartCol << ", " << r.rangeStartLine << ")-(" << r.rangeEndCol << ", "
                        << r.rangeEndLine << ") ";
                if (r.text)
                    out << "text at (" << r.textCol << ", " << r.textLine << ") \"" << Visible(r.text) << "\"";
                out << "\n";
            }
        };
        out << "undo list:\n";
        dump(ed_->undo, ed_->undoCount);
        out << "redo list:\n";
        dump(ed_->redo, ed_->redoCount);
        return out.str();
    }

    std::string Report(const std::string& error)
    {
        std::ostringstream out;
        out << "divergence at step " << step_ << " of " << steps_ << " (start value " << start_
            << "; repeat with VOK_UNDO_START=" << start_ << " VOK_UNDO_STEPS=" << step_ + 1 << "): " << error
            << "\nundo levels " << EngineOptions().undoLevels << ", tab size " << TabSize() << "; " << Lists()
            << "last steps:\n";
        // The texts of the last few steps; before them what ran.
        std::size_t i = 0;
        for (const TLogEntry& e : history_) {
            const bool recent = i++ + 8 >= history_.size();
            out << "  " << Shown(e, recent) << "\n";
        }
        return out.str();
    }

    TDraw draw_;
    uint64_t start_;
    long steps_;
    long step_ = 0;
    long docSteps_ = 0;
    bool trace_ = std::getenv("VOK_UNDO_TRACE") != nullptr;  // every step and both lists on standard output
    uint32_t nextTag_ = 0;
    int lastClass_ = 0;  // MergeClass of the last command run (mouse steps run none)
    std::unique_ptr<TModelEditor> ed_;
    std::vector<TEntry> undo_;
    std::vector<TEntry> redo_;
    std::deque<TLogEntry> history_;
};

uint64_t StartValue()
{
    const char* s = std::getenv("VOK_UNDO_START");
    return s && *s ? std::strtoull(s, nullptr, 10) : kDefaultStart;
}

long StepCount()
{
    const char* s = std::getenv("VOK_UNDO_STEPS");
    return s && *s ? std::strtol(s, nullptr, 10) : kDefaultSteps;
}

class UndoModel : public ::testing::Test {
protected:
    void SetUp() override { EngineOptions() = TEngineOptions{}; }
    void TearDown() override { EngineOptions() = TEngineOptions{}; }
};

}  // namespace

TEST_F(UndoModel, RandomEditsUndoAndRedoExactly)
{
    const uint64_t start = StartValue();
    TUndoModel model(start, StepCount());
    const std::string error = model.Run();
    if (!error.empty())
        ADD_FAILURE() << error;
    std::printf("[ undo model ] start value %llu: %ld documents, %ld undos, %ld redos, %ld exact checks\n",
                static_cast<unsigned long long>(start), model.documents, model.undos, model.redos, model.exactChecks);
}
