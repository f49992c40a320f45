// The editor's own regular expressions: the compiled program, its error codes, compiling and searching.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/Alloc.h"

// Groups are written with braces, not parentheses: `{a|b}c`. Entry 0 of the group arrays is the whole
// match; entries 1-9 are the groups in the order of their opening braces.
constexpr int kRegexGroups = 10;
// Find and Replace fields hold at most this many characters.
constexpr int kRegexMaxPattern = 79;
// A program, magic byte included, stays below this size so that every link fits in 15 bits.
constexpr int kRegexMaxProgram = 32767;

// A compiled pattern: one heap block holding this header and, right behind it, the node program.
// The caller that compiled it owns it and frees it when its search ends.
struct RegexProgram {
    const char* groupStart[kRegexGroups];
    const char* groupEnd[kRegexGroups];
    unsigned char firstChar;  // 0: none; otherwise every match starts with this byte
    bool anchored;            // every match starts at a line start
    uint16_t size;            // bytes of the program, magic byte included
    unsigned char* program;   // the magic byte, then the nodes; points into the same block
    // Worked out once per pattern, kept in the same block behind the program:
    bool startsAnywhere;      // a match may begin without consuming a byte, so every position is a candidate
    uint32_t firstBytes[8];   // otherwise: the bytes a match can begin with, one bit each
    const uint32_t* tables;   // 256-bit tables of the one-character tests (ANY, ANYOF, ANYBUT), 8 words each
    const uint16_t* tableOf;  // per node slot ((offset - 1) / 3): the table of a one-character test
    const char* required;     // null, or a literal every match contains (inside the program)
    uint16_t requiredLength;
    bool leadsWithRun;        // every match begins with one or more bytes of leadRun, as many as stand there
    unsigned char runStop;    // 0, or the byte (not in leadRun) that every match has right after that run
    uint32_t leadRun[8];
};

struct TRegexFree {
    void operator()(RegexProgram* program) const noexcept { VokFree(program); }
};
using TRegexPtr = std::unique_ptr<RegexProgram, TRegexFree>;

// Compile errors; the numbers are shown to the user through string resources 15250 + code.
enum TRegexError : int {
    kRegexOk = 0,
    kRegexNullArgument = 1,
    kRegexTooBig = 2,
    kRegexOutOfMemory = 3,
    kRegexTooManyGroups = 4,
    kRegexUnmatchedGroup = 5,
    kRegexEmptyOperand = 6,
    kRegexNestedRepeat = 7,
    kRegexInvalidRange = 8,
    kRegexInvalidEscape = 9,
    kRegexUnmatchedSet = 10,
    kRegexFollowsNothing = 11,
    kRegexInternal = 12,
    kRegexUnknown = 13,
};
constexpr int kRegexErrorStringBase = 15250;
// The message box text is this prefix (two blanks at its end) followed by RegexErrorText.
constexpr const char* kRegexErrorPrefix = "Regular expression error:  ";

// The message of an error code 1-13, or null for any other code.
const char* RegexErrorText(int code);

// Compiles a zero-terminated pattern. On failure returns null, allocates nothing and sets *error;
// on success *error is 0. error may be null when the caller does not care why.
TRegexPtr RegexCompile(const char* pattern, int* error);

// Searches one zero-terminated line. limit: forwards, no match starts at or after it (the start of the
// text is always tried); backwards, the nearest match starting before it wins, and a null limit lets the
// scan start at the end of the text itself. lineStart says whether text begins its line, so that `^` may
// match there. On success groupStart[0]/groupEnd[0] hold the match.
// The answer is always exact: the matcher backtracks in the order the pattern is written, but remembers
// every (node, position) from which the rest of the program already failed on this text, so no state is
// explored twice; a line of n characters costs at most about nodes * n * n steps, never exponential.
bool RegexSearch(RegexProgram* program, const char* text, const char* limit, bool backwards, bool lineStart);
