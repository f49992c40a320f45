// Runs a compiled pattern over one line, forwards or backwards, by recursive backtracking.
#include "search/Regex.h"

#include <cstring>

#include "search/RegexNodes.h"

using namespace regex_nodes;

namespace {

// Recursion happens once per alternative tried and once per repetition; each loop turn consumes at
// least one character, so a line of 1024 columns stays far below this.
constexpr int kMaxDepth = 6000;

// The working state of one search.
class TRegexMatcher {
public:
    TRegexMatcher(RegexProgram& program, const char* text, bool lineStart, long* budget)
        : program_(program), text_(text), lineStart_(lineStart ? text : nullptr), budget_(*budget)
    {
    }

    // Runs the program at one start position; on success group entry 0 holds the match.
    bool Try(const char* at)
    {
        for (int i = 0; i < kRegexGroups; ++i) {
            program_.groupStart[i] = nullptr;
            program_.groupEnd[i] = nullptr;
        }
        input_ = at;
        if (!Match(program_.program + 1, 0))
            return false;
        program_.groupStart[0] = at;
        program_.groupEnd[0] = input_;
        return true;
    }

    bool GaveUp() const { return gaveUp_; }

private:
    // Groups 1-9 as recorded so far, restored when an alternative that recorded them fails.
    struct TGroups {
        const char* start[kRegexGroups - 1];
        const char* end[kRegexGroups - 1];
    };

    void Save(TGroups& groups) const
    {
        std::memcpy(groups.start, program_.groupStart + 1, sizeof groups.start);
        std::memcpy(groups.end, program_.groupEnd + 1, sizeof groups.end);
    }
    void Restore(const TGroups& groups)
    {
        std::memcpy(program_.groupStart + 1, groups.start, sizeof groups.start);
        std::memcpy(program_.groupEnd + 1, groups.end, sizeof groups.end);
    }

    // Pays for work done; false once the budget is spent.
    bool Spend(long cost)
    {
        if (budget_ < cost) {
            budget_ = 0;
            gaveUp_ = true;
        } else {
            budget_ -= cost;
        }
        return !gaveUp_;
    }
    bool Step() { return Spend(1); }

    bool AtLineStart() const
    {
        return input_ == lineStart_ || (input_ > text_ && input_[-1] == '\n');
    }

    static bool InSet(const unsigned char* set, char c)
    {
        return std::strchr(reinterpret_cast<const char*>(set), c) != nullptr;
    }

    // How many times in a row the single-character node matches from the input position.
    int Repeat(const unsigned char* node) const
    {
        const char* s = input_;
        const unsigned char* operand = Operand(node);
        switch (Op(node)) {
        case kAny:
            while (*s && *s != '\n')
                ++s;
            break;
        case kExactly:
            while (*s && static_cast<unsigned char>(*s) == operand[0])
                ++s;
            break;
        case kAnyOf:
            while (*s && InSet(operand, *s))
                ++s;
            break;
        case kAnyBut:
            while (*s && *s != '\n' && !InSet(operand, *s))
                ++s;
            break;
        default:
            break;
        }
        return static_cast<int>(s - input_);
    }

    bool Match(const unsigned char* node, int depth)
    {
        if (depth > kMaxDepth) {
            gaveUp_ = true;
            return false;
        }
        while (node) {
            if (!Step())
                return false;
            const unsigned char* next = Next(node);
            unsigned char op = Op(node);
            switch (op) {
            case kBol:
                if (!AtLineStart())
                    return false;
                break;
            case kEol:
                if (*input_ && *input_ != '\n')
                    return false;
                break;
            case kAny:
                if (!*input_ || *input_ == '\n')
                    return false;
                ++input_;
                break;
            case kExactly: {
                const char* literal = reinterpret_cast<const char*>(Operand(node));
                std::size_t length = std::strlen(literal);
                if (std::strncmp(literal, input_, length) != 0)
                    return false;
                input_ += length;
                break;
            }
            case kAnyOf:
                if (!*input_ || !InSet(Operand(node), *input_))
                    return false;
                ++input_;
                break;
            case kAnyBut:
                if (!*input_ || *input_ == '\n' || InSet(Operand(node), *input_))
                    return false;
                ++input_;
                break;
            case kNothing:
            case kBack:
                break;
            case kBranch:
                if (!next || Op(next) != kBranch) {
                    next = Operand(node);  // a single alternative needs no backtracking point
                } else {
                    TGroups saved;
                    Save(saved);
                    const char* save = input_;
                    for (const unsigned char* alt = node; alt && Op(alt) == kBranch; alt = Next(alt)) {
                        if (Match(Operand(alt), depth + 1))
                            return true;
                        if (gaveUp_)
                            return false;
                        input_ = save;
                        Restore(saved);
                    }
                    return false;
                }
                break;
            case kStar:
            case kPlus: {
                // Only counts after which the next literal can start are worth a recursive try.
                int nextChar = next && Op(next) == kExactly ? *Operand(next) : -1;
                int least = op == kStar ? 0 : 1;
                const char* save = input_;
                TGroups saved;
                Save(saved);
                // Counting scans characters: nested repetitions would scan a line over and over.
                const int most = Repeat(Operand(node));
                if (!Spend(most))
                    return false;
                for (int count = most; count >= least; --count) {
                    input_ = save + count;
                    if (nextChar < 0 || static_cast<unsigned char>(*input_) == nextChar) {
                        if (Match(next, depth + 1))
                            return true;
                        if (gaveUp_)
                            return false;
                        Restore(saved);
                    } else if (!Step()) {
                        return false;
                    }
                }
                return false;
            }
            case kEnd:
                return true;
            default:
                if (op > kOpen && op < kOpen + kRegexGroups) {
                    // Passed more than once, the last pass counts: it is the deepest in the recursion.
                    program_.groupStart[op - kOpen] = input_;
                } else if (op > kClose && op < kClose + kRegexGroups) {
                    program_.groupEnd[op - kClose] = input_;
                } else {
                    return false;
                }
                break;
            }
            node = next;
        }
        return false;
    }

    RegexProgram& program_;
    const char* text_;
    const char* lineStart_;
    const char* input_ = nullptr;
    long& budget_;
    bool gaveUp_ = false;
};

}  // namespace

bool RegexSearch(RegexProgram* program, const char* text, const char* limit, bool backwards, bool lineStart,
                 long* budget)
{
    long ownBudget = kRegexStepBudget;
    if (!budget)
        budget = &ownBudget;
    if (!program || !text || !program->program || program->program[0] != kMagic)
        return false;
    const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(std::strlen(text));
    std::ptrdiff_t bound = limit ? limit - text : -1;
    if (bound > length)
        bound = length;
    if (limit && bound < 0)
        bound = 0;

    TRegexMatcher matcher(*program, text, lineStart, budget);
    const unsigned char first = program->firstChar;
    auto worthTrying = [&](std::ptrdiff_t i) {
        if (program->anchored)
            return i == 0 || text[i - 1] == '\n';
        return first == 0 || static_cast<unsigned char>(text[i]) == first;
    };

    if (!backwards) {
        // The terminator is a candidate too, so that `$` and empty matches are found at the line end.
        for (std::ptrdiff_t i = 0; i == 0 || bound < 0 || i < bound; ++i) {
            if (worthTrying(i)) {
                if (matcher.Try(text + i))
                    return true;
                if (matcher.GaveUp())
                    return false;
            }
            if (i >= length)
                break;
        }
        return false;
    }

    for (std::ptrdiff_t i = bound < 0 ? length : bound - 1; i >= 0; --i) {
        if (worthTrying(i)) {
            if (matcher.Try(text + i))
                return true;
            if (matcher.GaveUp())
                return false;
        }
    }
    return false;
}
