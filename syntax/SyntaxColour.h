// Colouring one line by a language's rules, and the comment state a line carries into the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/LineRecord.h"
#include "syntax/SyntaxTable.h"

// Fills colours[0..length) with a colour index (0..16) per character of text, the display text of a
// line (tabs expanded), starting in a multi-line comment when state is 1. Answers the state at the end
// of the line; the document's stored states come from LineEndState, which the editor keeps current.
// A null language fills 0.
int ColourLine(const TSyntaxLanguage* language, const char* text, std::size_t length, uint8_t* colours,
               int state);
// The state at the end of the raw line text (1 = inside an unterminated multi-line comment) from the
// state at its start; 0 for a null language.
int LineEndState(const TSyntaxLanguage* language, const char* text, int state);

// The same by language number in a table.
int ColourLine(const TSyntaxTable& table, int language, const char* text, std::size_t length,
               uint8_t* colours, int state);
int LineEndState(const TSyntaxTable& table, int language, const char* text, int state);

// Colour indices written one character each, 0-9 as "0"-"9" and 10-16 as "a"-"g" (anything else "?").
std::string ColourDigits(const uint8_t* colours, std::size_t length);
// The display text of a line coloured by language and written as ColourDigits.
std::string ColourLineDigits(const TSyntaxLanguage* language, const std::string& display, int state);

// What a document's engine computes its line states with: the rules of one language of a table.
class TLanguageScheme : public TSyntaxScheme {
public:
    TLanguageScheme() = default;
    TLanguageScheme(const TSyntaxTable* table, int language) : table_(table), language_(language) {}
    // The language in force, or null when there is none (then the engine computes no states).
    const TSyntaxLanguage* Language() const { return table_ ? table_->Language(language_) : nullptr; }
    int Number() const { return language_; }
    uint16_t NextState(const char* text, uint16_t prevState) const override;

private:
    const TSyntaxTable* table_ = nullptr;
    int language_ = 0;
};
