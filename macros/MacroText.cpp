// Macro text: the generator that lists steps and the all-or-nothing compiler that reads them back.
#include "macros/MacroText.h"

#include <cstring>

#include "base/TextTools.h"
#include "engine/Commands.h"

unsigned TMacroVocabulary::CommandNumber(const char* name) const
{
    return FindCommandByName(name);
}

const char* TMacroVocabulary::CommandName(unsigned number) const
{
    const TCommandElement* e = FindCommand(number);
    return e ? e->name : nullptr;
}

int TMacroVocabulary::ArgumentKind(unsigned number) const
{
    const TCommandElement* e = FindCommand(number);
    return e ? e->argumentKind : 0;
}

const TMacroVocabulary& CommandVocabulary()
{
    static const TMacroVocabulary vocabulary;
    return vocabulary;
}

namespace {

constexpr const char* kInsertText = "InsertText";

// The escaped form of one character inside a quoted string.
std::string Escaped(unsigned char c)
{
    switch (c) {
    case 7: return "\\a";
    case 8: return "\\b";
    case 9: return "\\t";
    case 10: return "\\n";
    case 11: return "\\v";
    case 12: return "\\f";
    case 13: return "\\r";
    case '"': return "\\\"";
    case '\\': return "\\\\";
    default: break;
    }
    if (c < 32) {
        static const char kHex[] = "0123456789abcdef";
        return std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
    }
    return std::string(1, static_cast<char>(c));
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads one macro text. It walks the whole text rather than copying lines into a buffer, so a line has
// no length limit and a backslash at a line end can continue a string on the next line.
class TMacroCompiler {
public:
    TMacroCompiler(const std::string& text, TStepArray& steps, const TMacroVocabulary& vocabulary)
        : text_(text), steps_(steps), vocabulary_(vocabulary)
    {
    }

    int Run()
    {
        while (pos_ < text_.size()) {
            int code = Statement();
            if (code != kCompileOk)
                return code;
            SkipToLineEnd();
            ConsumeLineEnd();
        }
        return kCompileOk;
    }
    int Line() const { return line_; }

private:
    bool AtLineEnd() const { return pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n'; }
    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    void SkipToLineEnd()
    {
        while (!AtLineEnd())
            ++pos_;
    }
    // Steps over one CR, LF or CR LF and counts the line.
    void ConsumeLineEnd()
    {
        if (pos_ >= text_.size())
            return;
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    int Add(unsigned command, unsigned argument)
    {
        switch (steps_.Append({static_cast<uint16_t>(command), static_cast<uint16_t>(argument)})) {
        case TStepArray::TAppend::Ok: return kCompileOk;
        case TStepArray::TAppend::TooLarge: return kCompileTooLarge;
        case TStepArray::TAppend::OutOfMemory: return kCompileOutOfMemory;
        }
        return kCompileOutOfMemory;
    }

    int Statement()
    {
        SkipBlanks();
        if (AtLineEnd())
            return kCompileOk;
        char c = text_[pos_];
        if (c == ';' || c == '\'' || text_.compare(pos_, 2, "//") == 0)
            return kCompileOk;
        std::size_t start = pos_;
        while (!AtLineEnd() && text_[pos_] != ' ' && text_[pos_] != '\t')
            ++pos_;
        std::string name = text_.substr(start, pos_ - start);
        unsigned command;
        int kind;
        if (EqualNoCase(name, kInsertText)) {
            command = cmInsertChar;
            kind = kArgKindCharacter;
        } else {
            command = vocabulary_.CommandNumber(name.c_str());
            if (!command)
                return kCompileUnknownCommand;
            kind = vocabulary_.ArgumentKind(command);
        }
        SkipBlanks();
        bool hasArgument = !AtLineEnd();
        switch (kind) {
        case kArgKindNone:
            return hasArgument ? kCompileEndOfLineExpected : Add(command, 0);
        case kArgKindCharacter:
            return hasArgument ? String(command) : kCompileMissingParameter;
        case kArgKindNumber:
            return hasArgument ? Number(command) : kCompileMissingParameter;
        default:
            return kCompileUnknownParameter;
        }
    }

    int String(unsigned command)
    {
        if (text_[pos_] != '"')
            return kCompileQuoteExpected;
        ++pos_;
        int characters = 0;
        for (;;) {
            if (AtLineEnd())
                return kCompileQuoteExpected;
            unsigned char c = static_cast<unsigned char>(text_[pos_++]);
            if (c == '"')
                break;
            int value = c;
            if (c == '\\') {
                value = Escape();
                if (value < 0)
                    return kCompileInvalidEscape;
            }
            int code = Add(command, static_cast<unsigned>(value));
            if (code != kCompileOk)
                return code;
            ++characters;
        }
        // Whatever follows the closing quote is ignored.
        return characters ? kCompileOk : kCompileMissingParameter;
    }

    // Reads the escape after a backslash; -1 when it is not one.
    int Escape()
    {
        if (AtLineEnd()) {
            if (pos_ >= text_.size())
                return -1;
            ConsumeLineEnd();
            return '\n';
        }
        char c = text_[pos_++];
        switch (c) {
        case 'a': return 7;
        case 'b': return 8;
        case 't': return 9;
        case 'n': return 10;
        case 'v': return 11;
        case 'f': return 12;
        case 'r': return 13;
        case '"': case '\'': case '?': case '\\': return c;
        case 'x': {
            if (pos_ + 1 >= text_.size())
                return -1;
            int hi = HexValue(text_[pos_]), lo = HexValue(text_[pos_ + 1]);
            if (hi < 0 || lo < 0)
                return -1;
            pos_ += 2;
            return hi * 16 + lo;
        }
        default: break;
        }
        if (c < '0' || c > '7')
            return -1;
        int value = c - '0';
        for (int i = 0; i < 2 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7'; ++i)
            value = value * 8 + (text_[pos_++] - '0');
        // A character is one byte: \400 and above would name none.
        return value <= 255 ? value : -1;
    }

    int Number(unsigned command)
    {
        unsigned long value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            value = value * 10 + static_cast<unsigned>(text_[pos_++] - '0');
            if (value > 0xFFFF)
                value = 0xFFFF;
        }
        return Add(command, static_cast<unsigned>(value));
    }

    const std::string& text_;
    TStepArray& steps_;
    const TMacroVocabulary& vocabulary_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::optional<std::string> MacroToText(const TMacroTable& table, unsigned number,
                                       const TMacroVocabulary& vocabulary)
{
    const MacroRecord* record = table.Find(number);
    if (!record)
        return std::nullopt;
    std::string text;
    int i = 0;
    while (i < record->stepCount) {
        const MacroStep& step = record->steps[i];
        if (step.command == cmInsertChar) {
            // A run of typed characters, split so that each line's quoted part stays short.
            std::string run;
            while (i < record->stepCount && record->steps[i].command == cmInsertChar) {
                std::string e = Escaped(static_cast<unsigned char>(record->steps[i].argument));
                if (!run.empty() && run.size() + e.size() >= kMaxInsertTextRun) {
                    text += std::string(kInsertText) + " \"" + run + "\"\r\n";
                    run.clear();
                }
                run += e;
                ++i;
            }
            text += std::string(kInsertText) + " \"" + run + "\"\r\n";
        } else {
            const char* name = vocabulary.CommandName(step.command);
            int kind = vocabulary.ArgumentKind(step.command);
            if (!name)
                return std::nullopt;
            if (kind == kArgKindNone)
                text += std::string(name) + "\r\n";
            else if (kind == kArgKindCharacter)
                text += std::string(name) + " \"" + Escaped(static_cast<unsigned char>(step.argument)) +
                        "\"\r\n";
            else if (kind == kArgKindNumber)
                text += std::string(name) + " " + std::to_string(step.argument) + "\r\n";
            else
                return std::nullopt;
            ++i;
        }
        if (text.size() + 1 >= kMaxMacroTextSize)
            return std::nullopt;
    }
    return text;
}

unsigned UnnamedMacroCommand(const TMacroTable& table, unsigned number, const TMacroVocabulary& vocabulary)
{
    const MacroRecord* record = table.Find(number);
    if (!record)
        return 0;
    for (int i = 0; i < record->stepCount; ++i) {
        unsigned command = record->steps[i].command;
        if (command == cmInsertChar)
            continue;
        int kind = vocabulary.ArgumentKind(command);
        if (!vocabulary.CommandName(command) ||
            (kind != kArgKindNone && kind != kArgKindCharacter && kind != kArgKindNumber))
            return command;
    }
    return 0;
}

std::string UnnamedCommandMessage(unsigned command)
{
    return "This macro holds command " + std::to_string(command) +
           ", which has no name in this version of Vok Text Editor.\n\nIt cannot be edited as text; it can "
           "still be run, renamed or deleted.";
}

int CompileMacroText(const std::string& text, TStepArray& steps, int* line, const TMacroVocabulary& vocabulary)
{
    TMacroCompiler compiler(text, steps, vocabulary);
    int code = compiler.Run();
    if (line)
        *line = code == kCompileOk ? 0 : compiler.Line();
    return code;
}

int CompileMacro(TMacroTable& table, unsigned number, const std::string& text, int* line,
                 const TMacroVocabulary& vocabulary)
{
    if (line)
        *line = 0;
    if (!table.Find(number))
        return kCompileNoSuchMacro;
    TStepArray steps;
    int code = CompileMacroText(text, steps, line, vocabulary);
    if (code == kCompileOk)
        table.ReplaceSteps(number, steps);
    return code;
}

std::string CompileErrorMessage(int code, int line)
{
    const char* what = "";
    switch (code) {
    case kCompileOutOfMemory: what = "Not enought memory."; break;
    case kCompileTooLarge: what = "Macro is too large."; break;
    case kCompileUnknownCommand: what = "Unknown command."; break;
    case kCompileMissingParameter: what = "Missing parameter."; break;
    case kCompileEndOfLineExpected: what = "End of line expected."; break;
    case kCompileInvalidEscape: what = "Invalid escape."; break;
    case kCompileQuoteExpected: what = "\" expected."; break;
    case kCompileUnknownParameter: what = "ASSERT(Unknown parameter)."; break;
    default: break;
    }
    return "Compile Error\n\nLine " + std::to_string(line) + ": " + what;
}
