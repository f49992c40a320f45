// Replacing matches along one line, each replacement its own undo step, without an undo step's copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/VokEditor.h"

// Replace All of a frequent text makes a replacement every few dozen bytes. Through DeleteRange and
// InsertText inside an undo step each, every one of them copies and compares its line twice, walks the
// columns a dozen times and allocates half a dozen blocks. TLineReplacer makes the same replacements, with
// the same text, records, cursor, selection and view, where a replacement is a plain splice of bytes:
//   - no replacement leaves a blank at the end of the line for the cursor's move to trim (the blanks
//     the line ends in are trimmed when the first match is selected, as that selection would);
//   - the replacement is not empty and holds no line break or tab, and does not end in a blank;
//   - no bookmark stands on the line, no column selection is shown, no outer undo step is open, and the
//     command running cannot merge its records.
// Anything else goes the ordinary way. The line is stored once, after its last replacement; the records
// wait in a ring of as many as the undo list keeps, since the older ones would only be pushed and dropped,
// and are pushed by Flush() (before any ordinary step, and at the end).
class TLineReplacer {
public:
    TLineReplacer(TVokEditor& editor, const char* replacement);
    ~TLineReplacer() { Flush(); }
    TLineReplacer(const TLineReplacer&) = delete;  // holds records not yet pushed
    TLineReplacer& operator=(const TLineReplacer&) = delete;

    // Starts on a line; false when its replacements must go the ordinary way.
    bool Begin(int32_t lineNo);
    // The line as replaced so far, for the search of the next match.
    const std::string& Text() const { return text_; }
    std::size_t ReplacementLength() const { return replacement_.size(); }
    // Replaces the match from..to (bytes of Text()) and leaves the cursor, selection and view as selecting
    // the match and replacing it would: the replacement selected, the cursor after it. False, and nothing
    // done, when the match must go the ordinary way: it is empty, the line would grow wider than an edit
    // may make it, or deleting it would leave a blank at the end of the line for the cursor to trim.
    bool Replace(std::size_t from, std::size_t to);
    // Stores the line. False when memory runs out: the line and the cursor are as before the line began,
    // the history is dropped and "Out of memory." reported.
    bool End();
    // Pushes the records that wait.
    void Flush();

private:
    // The display column of a byte of Text(): the byte's offset unless the line holds a tab.
    int ColumnOf(std::size_t at) const
    {
        return tabs_ ? TVokEditor::ColumnOfPointer(text_.c_str(), text_.c_str() + at) : static_cast<int>(at);
    }

    struct TPending {
        UndoRecord record;
        std::string oldText;
    };

    TVokEditor& editor_;
    std::string replacement_;
    bool usable_ = false;
    bool record_ = false;
    LineRecord* line_ = nullptr;
    int32_t lineNo_ = 0;
    std::string text_;       // the line as replaced so far
    std::string matched_;    // what the current replacement replaces
    bool tabs_ = false;      // the line holds a tab: columns are not bytes
    TPosition cursorBefore_;  // where the cursor stood when the line began
    bool changed_ = false;    // a replacement on this line changed its text
    bool trimmed_ = false;    // the line ended in blanks, which Text() has lost
    bool replacedAny_ = false;
    std::vector<TPending> ring_;
    std::size_t pending_ = 0;  // records made since the last Flush; the newest ring_.size() are kept
};
