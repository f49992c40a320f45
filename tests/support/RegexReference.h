// The plain recursive backtracker over a compiled pattern: no remembered failures, no character tables,
// no first-byte scan, sets read with strchr from the program itself. Exponential on purpose; tests and
// fuzz targets compare the editor's matcher against it on inputs small enough for it to finish.
#pragma once

#include <cstring>

#include "search/Regex.h"
#include "search/RegexNodes.h"

namespace regex_reference {

enum class TOutcome { Found, NotFound, GaveUp };

class TReference {
public:
    // steps: how many nodes it may visit before giving up; negative means without limit.
    TReference(RegexProgram& program, const char* text, bool lineStart, long steps)
        : program_(program), text_(text), lineStart_(lineStart ? text : nullptr), steps_(steps)
    {
    }

    TOutcome Search(const char* limit, bool backwards)
    {
        using namespace regex_nodes;
        if (!program_.program || program_.program[0] != kMagic)
            return TOutcome::NotFound;
        const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(std::strlen(text_));
        std::ptrdiff_t bound = limit ? limit - text_ : -1;
        if (bound > length)
            bound = length;
        if (limit && bound < 0)
            bound = 0;
        auto attempt = [&](std::ptrdiff_t i) {
            if (program_.anchored && !(i == 0 || text_[i - 1] == '\n'))
                return TOutcome::NotFound;
            return Try(text_ + i);
        };
        if (!backwards) {
            for (std::ptrdiff_t i = 0; i == 0 || bound < 0 || i < bound; ++i) {
                TOutcome outcome = attempt(i);
                if (outcome != TOutcome::NotFound)
                    return outcome;
                if (i >= length)
                    break;
            }
            return TOutcome::NotFound;
        }
        for (std::ptrdiff_t i = bound < 0 ? length : bound - 1; i >= 0; --i) {
            TOutcome outcome = attempt(i);
            if (outcome != TOutcome::NotFound)
                return outcome;
        }
        return TOutcome::NotFound;
    }

private:
    TOutcome Try(const char* at)
    {
        for (int i = 0; i < kRegexGroups; ++i) {
            program_.groupStart[i] = nullptr;
            program_.groupEnd[i] = nullptr;
        }
        input_ = at;
        if (!Match(program_.program + 1))
            return gaveUp_ ? TOutcome::GaveUp : TOutcome::NotFound;
        program_.groupStart[0] = at;
        program_.groupEnd[0] = input_;
        return TOutcome::Found;
    }

    struct TGroups {
        const char* start[kRegexGroups];
        const char* end[kRegexGroups];
    };
    void Save(TGroups& groups) const
    {
        std::memcpy(groups.start, program_.groupStart, sizeof groups.start);
        std::memcpy(groups.end, program_.groupEnd, sizeof groups.end);
    }
    void Restore(const TGroups& groups)
    {
        std::memcpy(program_.groupStart, groups.start, sizeof groups.start);
        std::memcpy(program_.groupEnd, groups.end, sizeof groups.end);
    }

    bool Step()
    {
        if (steps_ < 0)
            return true;
        if (steps_ == 0)
            gaveUp_ = true;
        else
            --steps_;
        return !gaveUp_;
    }

    static bool InSet(const unsigned char* set, char c)
    {
        return std::strchr(reinterpret_cast<const char*>(set), c) != nullptr;
    }

    static bool One(const unsigned char* node, const char* s)
    {
        using namespace regex_nodes;
        switch (Op(node)) {
        case kAny: return *s && *s != '\n';
        case kExactly: return *s && static_cast<unsigned char>(*s) == *Operand(node);
        case kAnyOf: return *s && InSet(Operand(node), *s);
        case kAnyBut: return *s && *s != '\n' && !InSet(Operand(node), *s);
        default: return false;
        }
    }

    bool Match(const unsigned char* node)
    {
        using namespace regex_nodes;
        while (node) {
            if (!Step())
                return false;
            const unsigned char* next = Next(node);
            const unsigned char op = Op(node);
            switch (op) {
            case kBol:
                if (!(input_ == lineStart_ || (input_ > text_ && input_[-1] == '\n')))
                    return false;
                break;
            case kEol:
                if (*input_ && *input_ != '\n')
                    return false;
                break;
            case kAny:
            case kAnyOf:
            case kAnyBut:
                if (!One(node, input_))
                    return false;
                ++input_;
                break;
            case kExactly: {
                const char* literal = reinterpret_cast<const char*>(Operand(node));
                const std::size_t length = std::strlen(literal);
                if (std::strncmp(literal, input_, length) != 0)
                    return false;
                input_ += length;
                break;
            }
            case kNothing:
            case kBack:
                break;
            case kBranch: {
                TGroups saved;
                Save(saved);
                const char* save = input_;
                for (const unsigned char* alt = node; alt && Op(alt) == kBranch; alt = Next(alt)) {
                    if (Match(Operand(alt)))
                        return true;
                    if (gaveUp_)
                        return false;
                    input_ = save;
                    Restore(saved);
                    if (!next || Op(next) != kBranch)
                        break;  // a lone alternative: its link leads past the choice, not to another
                }
                return false;
            }
            case kStar:
            case kPlus: {
                // Every count from the greatest down, each tried in full.
                const char* save = input_;
                int most = 0;
                while (One(Operand(node), save + most))
                    ++most;
                TGroups saved;
                Save(saved);
                for (int count = most; count >= (op == kStar ? 0 : 1); --count) {
                    input_ = save + count;
                    if (Match(next))
                        return true;
                    if (gaveUp_)
                        return false;
                    Restore(saved);
                }
                return false;
            }
            case kEnd:
                return true;
            default:
                if (op > kOpen && op < kOpen + kRegexGroups)
                    program_.groupStart[op - kOpen] = input_;
                else if (op > kClose && op < kClose + kRegexGroups)
                    program_.groupEnd[op - kClose] = input_;
                else
                    return false;
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
    long steps_;
    bool gaveUp_ = false;
};

// One search as RegexSearch would do it; on Found the program's group arrays hold the match.
inline TOutcome ReferenceSearch(RegexProgram& program, const char* text, const char* limit, bool backwards,
                                bool lineStart, long steps = -1)
{
    TReference reference(program, text, lineStart, steps);
    return reference.Search(limit, backwards);
}

}  // namespace regex_reference
