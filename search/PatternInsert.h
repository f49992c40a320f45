// The pattern elements that the Find and Replace fields' pop-up menu inserts, and the insertion rule.
#pragma once

#include <string>

// One item of the pattern menu: what it inserts and where the caret goes afterwards.
struct TPatternElement {
    const char* text;   // what is inserted
    int backStep;       // the caret ends this many characters before the end of the inserted text
    bool wholeField;    // replaces the field's whole text instead of inserting at the caret
};

// Indices into PatternElement(); the first 17 serve the Find field, the last 3 the Replace field.
enum class TPatternItem : int {
    AnyChar, InRange, NotInRange, Tab, LineStart, Or, ZeroOrMore, OneOrMore, Group, Alnum, Alpha, Digit,
    HexNumber, Integer, Word, Quoted, BlankLine,
    NewLine, ReplaceTab, Backslash,
    Count
};

const TPatternElement& PatternElement(TPatternItem item);

// A field and where its caret stands after an insertion.
struct TPatternEdit {
    std::string text;
    int caret = 0;
};

// A field holds at most this many characters; an insertion that would reach it is refused.
constexpr int kPatternFieldLimit = 80;

// Inserts item into field at caret (a negative caret, or one past the end, appends). False, with *out left
// alone, when the result would hold kPatternFieldLimit characters or more.
[[nodiscard]] bool InsertPatternElement(const std::string& field, int caret, TPatternItem item,
                                        TPatternEdit* out);
