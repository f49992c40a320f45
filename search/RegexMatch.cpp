// Runs a compiled pattern over one line, forwards or backwards, by backtracking that never repeats itself.
#include "search/Regex.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "search/RegexNodes.h"

using namespace regex_nodes;

namespace {

// The pattern has no back-references, so whether the rest of the program matches from a node at a
// position depends on nothing else: not on the path that led there, nor on the start position tried, nor
// on the groups recorded so far. Every (node, position) from which it failed once is remembered for the
// whole search of the line, which bounds the work by the number of such pairs instead of the number of
// paths. The backtracking itself keeps its choice points on a heap stack, not in recursion, so a long
// line cannot exhaust the machine stack.
class TRegexMatcher {
public:
    TRegexMatcher(RegexProgram& program, const char* text, std::size_t length, bool lineStart)
        : program_(program), text_(text), lineStart_(lineStart ? text : nullptr), length_(length)
    {
    }

    // Runs the program at one start position; on success group entry 0 holds the match.
    bool Try(const char* at)
    {
        for (int i = 0; i < kRegexGroups; ++i) {
            program_.groupStart[i] = nullptr;
            program_.groupEnd[i] = nullptr;
        }
        const char* end = Run(program_.program + 1, at);
        if (!end)
            return false;
        program_.groupStart[0] = at;
        program_.groupEnd[0] = end;
        return true;
    }

private:
    // A point to come back to: an alternative of a BRANCH, or a count of a STAR or PLUS. launched is the
    // node of the attempt in progress from it, at launchedAt; when the search comes back here that attempt
    // has failed for good.
    struct TChoice {
        const unsigned char* owner;
        const char* ownerAt;
        const unsigned char* launched;
        const char* launchedAt;
        const unsigned char* alternative;  // BRANCH: the alternative tried last
        const char* least;                 // STAR/PLUS: the shortest end, and where the run of the operand ends
        const char* runEnd;
        std::size_t trail;                 // height of the group trail when the choice was made
    };

    // A group mark overwritten on the current path, with the value it had.
    struct TTrail {
        const char** slot;
        const char* old;
    };

    // Per-thread scratch reused by every search, so that a search of many lines allocates only when a
    // line needs more room than any before it.
    // The run a repetition's operand matched last, valid for the search numbered search.
    struct TRun {
        uint32_t search = 0;
        const char* start = nullptr;
        const char* end = nullptr;
    };

    struct TScratch {
        std::vector<TChoice> choices;
        std::vector<TTrail> trail;
        std::vector<uint64_t> failed;
        std::vector<TRun> runs;
        uint32_t searches = 0;
    };
    static TScratch& Scratch()
    {
        static thread_local TScratch scratch;
        return scratch;
    }

    std::size_t Key(const unsigned char* node, const char* at) const
    {
        const std::size_t slot = static_cast<std::size_t>(node - program_.program - 1) / kNodeSize;
        return slot * (length_ + 1) + static_cast<std::size_t>(at - text_);
    }

    bool Failed(const unsigned char* node, const char* at) const
    {
        if (!node)
            return true;
        if (!memoReady_)
            return false;
        const std::size_t key = Key(node, at);
        return (scratch_.failed[key >> 6] >> (key & 63)) & 1;
    }

    void PrepareMemo()
    {
        if (memoReady_)
            return;
        // Cleared only for lines that fail somewhere at all.
        const std::size_t slots = static_cast<std::size_t>(program_.size - 1) / kNodeSize + 1;
        const std::size_t words = (slots * (length_ + 1) + 63) / 64;
        if (scratch_.failed.size() < words)
            scratch_.failed.resize(words);
        std::memset(scratch_.failed.data(), 0, words * sizeof(uint64_t));
        memoReady_ = true;
    }

    // The rest of the program fails from node at every position from `from` to `to`.
    void MarkFailed(const unsigned char* node, const char* from, const char* to)
    {
        if (!node)
            return;
        PrepareMemo();
        std::size_t first = Key(node, from);
        const std::size_t last = Key(node, to);
        uint64_t* words = scratch_.failed.data();
        while (first <= last) {
            const std::size_t bit = first & 63;
            const std::size_t span = std::min<std::size_t>(64 - bit, last - first + 1);
            const uint64_t mask = span == 64 ? ~uint64_t{0} : ((uint64_t{1} << span) - 1) << bit;
            words[first >> 6] |= mask;
            first += span;
        }
    }
    void MarkFailed(const unsigned char* node, const char* at) { MarkFailed(node, at, at); }

    // The greatest position from `from` down to `least` from which node has not failed yet, or null.
    const char* LastOpen(const unsigned char* node, const char* least, const char* from) const
    {
        if (!node || from < least)
            return nullptr;
        if (!memoReady_)
            return from;
        const std::size_t stop = Key(node, least);
        std::size_t bit = Key(node, from);
        const uint64_t* words = scratch_.failed.data();
        for (;;) {
            const std::size_t word = bit >> 6;
            const std::size_t offset = bit & 63;
            uint64_t open = ~words[word];
            if (offset < 63)
                open &= (uint64_t{2} << offset) - 1;
            if (open) {
                const std::size_t found = (word << 6) + 63 - static_cast<std::size_t>(__builtin_clzll(open));
                if (found < stop)
                    return nullptr;
                return text_ + (found - Key(node, text_));
            }
            if ((word << 6) <= stop)
                return nullptr;
            bit = (word << 6) - 1;
        }
    }

    bool AtLineStart(const char* at) const { return at == lineStart_ || (at > text_ && at[-1] == '\n'); }

    const uint32_t* TableOf(const unsigned char* node) const
    {
        return program_.tables + 8 * program_.tableOf[static_cast<std::size_t>(node - program_.program - 1) / kNodeSize];
    }

    static bool InTable(const uint32_t* table, char c)
    {
        const auto b = static_cast<unsigned char>(c);
        return (table[b >> 5] >> (b & 31)) & 1;
    }

    // Where the run of characters the repetition's operand matches, starting at `at`, ends. Start
    // positions inside the run found last share its end, so repeated tries from one run (every start
    // position of a backwards scan, every count of an enclosing repetition) do not scan it again.
    const char* RunEnd(const unsigned char* operand, const char* at)
    {
        const std::size_t slot = static_cast<std::size_t>(operand - program_.program - 1) / kNodeSize;
        if (scratch_.runs.size() <= slot)
            scratch_.runs.resize(slot + 1);
        TRun& run = scratch_.runs[slot];
        const bool known = run.search == search_;
        if (known && at >= run.start && at <= run.end)
            return run.end;
        const char* s = at;
        const char* stop = known && at < run.start ? run.start : nullptr;
        switch (Op(operand)) {
        case kExactly: {
            const char c = static_cast<char>(*Operand(operand));
            while (s != stop && *s == c)
                ++s;
            break;
        }
        case kAny:
        case kAnyOf:
        case kAnyBut: {
            const uint32_t* table = TableOf(operand);
            while (s != stop && InTable(table, *s))
                ++s;
            break;
        }
        default:
            return at;
        }
        if (s == stop)
            s = run.end;
        run = {search_, at, s};
        return s;
    }

    // The greatest end position from `from` down to `least` worth continuing at after a repetition: one
    // from which the next node has not failed yet and, when a literal follows, holding its first character.
    const char* Continue(const unsigned char* next, const char* least, const char* from)
    {
        const int nextChar = next && Op(next) == kExactly ? *Operand(next) : -1;
        const char* at = from;
        while (at >= least) {
            at = LastOpen(next, least, at);
            if (!at)
                break;
            if (nextChar < 0 || static_cast<unsigned char>(*at) == nextChar)
                return at;
            // The literal cannot start here: remembered, so that other counts skip this position at once.
            if (memoReady_)
                MarkFailed(next, at);
            if (at == least)
                break;
            --at;
        }
        return nullptr;
    }

    void Record(const char** slot, const char* at)
    {
        scratch_.trail.push_back({slot, *slot});
        *slot = at;
    }

    // Runs the program from node at `at`; the end of the match, or null.
    const char* Run(const unsigned char* node, const char* at)
    {
        std::vector<TChoice>& choices = scratch_.choices;
        std::vector<TTrail>& trail = scratch_.trail;
        choices.clear();
        trail.clear();
        for (;;) {
            // Forwards until the program ends or a node fails.
            bool failed = false;
            while (!failed) {
                if (!node) {
                    failed = true;
                    break;
                }
                const unsigned char* next = Next(node);
                const unsigned char op = Op(node);
                switch (op) {
                case kEnd:
                    return at;
                case kBol:
                    failed = !AtLineStart(at);
                    break;
                case kEol:
                    failed = *at && *at != '\n';
                    break;
                case kAny:
                case kAnyOf:
                case kAnyBut:
                    if (InTable(TableOf(node), *at))
                        ++at;
                    else
                        failed = true;
                    break;
                case kExactly: {
                    const char* literal = reinterpret_cast<const char*>(Operand(node));
                    const char* s = at;
                    while (*literal && *literal == *s) {
                        ++literal;
                        ++s;
                    }
                    if (*literal)
                        failed = true;
                    else
                        at = s;
                    break;
                }
                case kNothing:
                case kBack:
                    break;
                case kBranch: {
                    if (!next || Op(next) != kBranch) {
                        next = Operand(node);  // a single alternative needs no backtracking point
                        break;
                    }
                    if (Failed(node, at)) {
                        failed = true;
                        break;
                    }
                    const unsigned char* alternative = node;
                    while (alternative && Op(alternative) == kBranch && Failed(Operand(alternative), at))
                        alternative = Next(alternative);
                    if (!alternative || Op(alternative) != kBranch) {
                        MarkFailed(node, at);
                        failed = true;
                        break;
                    }
                    choices.push_back({node, at, Operand(alternative), at, alternative, nullptr, nullptr, trail.size()});
                    next = Operand(alternative);
                    break;
                }
                case kStar:
                case kPlus: {
                    if (Failed(node, at)) {
                        failed = true;
                        break;
                    }
                    // Counted forwards in one tight loop, then tried from the greatest count down. Failing
                    // from here means failing from any later start inside the same run too: the counts from
                    // there end at positions already tried.
                    const char* end = RunEnd(Operand(node), at);
                    const char* least = op == kStar ? at : at + 1;
                    const char* stop = end >= least ? Continue(next, least, end) : nullptr;
                    if (!stop) {
                        MarkFailed(node, at, end);
                        failed = true;
                        break;
                    }
                    choices.push_back({node, at, next, stop, nullptr, least, end, trail.size()});
                    at = stop;
                    break;
                }
                default:
                    if (op > kOpen && op < kOpen + kRegexGroups) {
                        // Passed more than once, the last pass counts: it is the deepest on the path.
                        Record(&program_.groupStart[op - kOpen], at);
                    } else if (op > kClose && op < kClose + kRegexGroups) {
                        Record(&program_.groupEnd[op - kClose], at);
                    } else {
                        failed = true;
                    }
                    break;
                }
                node = next;
            }

            // Back to the latest choice that has something left to try.
            for (;;) {
                if (choices.empty())
                    return nullptr;
                TChoice& choice = choices.back();
                MarkFailed(choice.launched, choice.launchedAt);
                while (trail.size() > choice.trail) {
                    *trail.back().slot = trail.back().old;
                    trail.pop_back();
                }
                if (Op(choice.owner) == kBranch) {
                    const unsigned char* alternative = Next(choice.alternative);
                    while (alternative && Op(alternative) == kBranch && Failed(Operand(alternative), choice.ownerAt))
                        alternative = Next(alternative);
                    if (alternative && Op(alternative) == kBranch) {
                        choice.alternative = alternative;
                        choice.launched = Operand(alternative);
                        node = choice.launched;
                        at = choice.ownerAt;
                        break;
                    }
                } else {
                    const char* stop = choice.launchedAt > choice.least
                                           ? Continue(choice.launched, choice.least, choice.launchedAt - 1)
                                           : nullptr;
                    if (stop) {
                        choice.launchedAt = stop;
                        node = choice.launched;
                        at = stop;
                        break;
                    }
                }
                MarkFailed(choice.owner, choice.ownerAt, Op(choice.owner) == kBranch ? choice.ownerAt : choice.runEnd);
                choices.pop_back();
            }
        }
    }

    RegexProgram& program_;
    const char* text_;
    const char* lineStart_;
    std::size_t length_;
    TScratch& scratch_ = Scratch();
    const uint32_t search_ = ++scratch_.searches;
    bool memoReady_ = false;
};

bool InFirstBytes(const RegexProgram& program, char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (program.firstBytes[b >> 5] >> (b & 31)) & 1;
}

}  // namespace

bool RegexSearch(RegexProgram* program, const char* text, const char* limit, bool backwards, bool lineStart)
{
    if (!program || !text || !program->program || program->program[0] != kMagic)
        return false;
    const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(std::strlen(text));
    std::ptrdiff_t bound = limit ? limit - text : -1;
    if (bound > length)
        bound = length;
    if (limit && bound < 0)
        bound = 0;

    // A line without the literal every match contains holds no match at all.
    if (program->required) {
        const std::string_view line(text, static_cast<std::size_t>(length));
        if (line.find(std::string_view(program->required, program->requiredLength)) == std::string_view::npos)
            return false;
    }

    TRegexMatcher matcher(*program, text, static_cast<std::size_t>(length), lineStart);
    const unsigned char first = program->firstChar;
    const bool everywhere = program->startsAnywhere;
    auto worthTrying = [&](std::ptrdiff_t i) {
        if (program->anchored)
            return i == 0 || text[i - 1] == '\n';
        return everywhere || InFirstBytes(*program, text[i]);
    };

    if (!backwards) {
        // The terminator is a candidate too, so that `$` and empty matches are found at the line end.
        const std::ptrdiff_t last = bound < 0 ? length : (bound > 0 ? bound - 1 : 0);
        if (program->anchored || everywhere) {
            for (std::ptrdiff_t i = 0; i <= last; ++i)
                if (worthTrying(i) && matcher.Try(text + i))
                    return true;
            return false;
        }
        const uint32_t* run = program->leadRun;
        auto inRun = [run](char c) {
            const auto b = static_cast<unsigned char>(c);
            return (run[b >> 5] >> (b & 31)) & 1;
        };
        if (program->runStop) {
            // Every match is a run of leadRun bytes ended by runStop, which is rarer than the bytes a match
            // begins with: each runStop with such a run before it is tried from the start of that run, and
            // runs are taken in order, so the first that matches is the leftmost match.
            for (std::ptrdiff_t from = 0; from < length;) {
                const void* hit = std::memchr(text + from, program->runStop, static_cast<std::size_t>(length - from));
                if (!hit)
                    return false;
                const std::ptrdiff_t stop = static_cast<const char*>(hit) - text;
                std::ptrdiff_t start = stop;
                while (start > 0 && inRun(text[start - 1]))
                    --start;  // stops at the previous runStop at the latest, which is not in the run
                if (start < stop) {
                    if (start > last)
                        return false;
                    if (matcher.Try(text + start))
                        return true;
                }
                from = stop + 1;
            }
            return false;
        }
        // Only positions holding a byte a match can begin with; the terminator holds none of them.
        for (std::ptrdiff_t i = 0; i <= last && i < length;) {
            if (first) {
                const void* hit = std::memchr(text + i, first, static_cast<std::size_t>(length - i));
                if (!hit)
                    return false;
                i = static_cast<const char*>(hit) - text;
                if (i > last)
                    return false;
            } else {
                while (i < length && !InFirstBytes(*program, text[i]))
                    ++i;
                if (i >= length || i > last)
                    return false;
            }
            if (matcher.Try(text + i))
                return true;
            ++i;
            if (program->leadsWithRun) {
                while (i < length && inRun(text[i]))
                    ++i;
            }
        }
        return false;
    }

    for (std::ptrdiff_t i = bound < 0 ? length : bound - 1; i >= 0; --i)
        if (worthTrying(i) && matcher.Try(text + i))
            return true;
    return false;
}
