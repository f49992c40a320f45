// The pattern elements that the Find and Replace fields' pop-up menu inserts, and the insertion rule.
#include "search/PatternInsert.h"

namespace {

// In the order of TPatternItem.
constexpr TPatternElement kElements[] = {
    {".", 0, false},  // Any Character
    {"[]", 1, false},  // Character in Range
    {"[^]", 1, false},  // Character Not in Range
    {"\\t", 0, false},  // Tabulator
    {"^", 0, false},  // Begin of Line
    {"|", 0, false},  // Or
    {"*", 0, false},  // 0 or More Matches
    {"+", 0, false},  // 1 or More Matches
    {"{}", 1, false},  // Group
    {"[a-zA-Z0-9]", 0, false},  // Alphanumeric Character
    {"[a-zA-Z]", 0, false},  // Alphabetic Character
    {"[0-9]", 0, false},  // Decimal Digit
    {"[0-9a-fA-F]+", 0, false},  // Hexadecimal Number
    {"[0-9]+", 0, false},  // Integer
    {"[a-zA-Z]+", 0, false},  // Word
    {"\"[^\"]*\"|'[^']*'", 0, false},  // Quoted String
    {"^$", 0, true},  // Blank Line
    {"\\n", 0, false},  // New Line
    {"\\t", 0, false},  // Tabulator
    {"\\\\", 0, false},  // \ character
};
static_assert(sizeof kElements / sizeof kElements[0] == static_cast<int>(TPatternItem::Count));

}  // namespace

const TPatternElement& PatternElement(TPatternItem item)
{
    int i = static_cast<int>(item);
    if (i < 0 || i >= static_cast<int>(TPatternItem::Count))
        i = 0;
    return kElements[i];
}

bool InsertPatternElement(const std::string& field, int caret, TPatternItem item, TPatternEdit* out)
{
    const TPatternElement& element = PatternElement(item);
    const std::string inserted = element.text;
    TPatternEdit edit;
    if (element.wholeField) {
        edit.text = inserted;
        edit.caret = static_cast<int>(inserted.size()) - element.backStep;
    } else {
        const int length = static_cast<int>(field.size());
        const int at = caret < 0 || caret > length ? length : caret;
        edit.text = field.substr(0, at) + inserted + field.substr(at);
        edit.caret = at + static_cast<int>(inserted.size()) - element.backStep;
    }
    if (static_cast<int>(edit.text.size()) >= kPatternFieldLimit)
        return false;
    *out = std::move(edit);
    return true;
}
