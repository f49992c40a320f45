// Compiles a pattern into a node program: one pass to measure it, one to write it into an exact block.
#include "search/Regex.h"

#include <cstring>
#include <new>
#include <vector>

#include "search/RegexNodes.h"

using namespace regex_nodes;

namespace {

// What a parsed item tells the item around it.
enum : int {
    kWorst = 0,
    kHasWidth = 1,    // cannot match the empty string
    kSimple = 2,      // one single-character node: STAR and PLUS can repeat it
};

// Node positions are offsets into the program; the measuring pass has no program to point into.
constexpr int kNoNode = -1;
constexpr int kFailed = -2;

bool IsRepeat(char c)
{
    return c == '*' || c == '+' || c == '?';
}

// The characters that end a literal run.
bool IsMeta(char c)
{
    return c != 0 && std::strchr("^$.[{}|?+*\\", c) != nullptr;
}

// The character a backslash makes of c, or -1 when c has no escape.
int Unescape(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'b': return '\b';
    case 'r': return '\r';
    case 'f': return '\f';
    case '*': case '+': case '?': case '{': case '}': case '^': case '.': case '$': case '&': case '\\':
    case '[': case ']': case '|':
        return static_cast<unsigned char>(c);
    default: return -1;
    }
}

// The working state of one compilation. The same parser runs twice: without a program it only counts
// the bytes the program needs, then it writes them into a block of exactly that size.
class TRegexCompiler {
public:
    explicit TRegexCompiler(const char* pattern) : pattern_(pattern) {}

    // Parses the whole pattern; with code null only measures. False with error set on a bad pattern.
    bool Pass(unsigned char* code)
    {
        pos_ = pattern_;
        groups_ = 1;
        code_ = code;
        size_ = 0;
        sets_ = 0;
        Byte(kMagic);
        int flags = 0;
        return Choice(false, &flags) != kFailed;
    }

    long Size() const { return size_; }
    int Sets() const { return sets_; }
    int error = kRegexOk;

private:
    int Fail(int code)
    {
        error = code;
        return kFailed;
    }

    // One or more alternatives, ended by END at the top or by CLOSE+n closing a group.
    int Choice(bool group, int* flagsOut)
    {
        *flagsOut = kHasWidth;
        int number = 0;
        int first = kNoNode;
        if (group) {
            if (groups_ >= kRegexGroups)
                return Fail(kRegexTooManyGroups);
            number = groups_++;
            first = Node(static_cast<unsigned char>(kOpen + number));
        }
        int flags = 0;
        int branch = Alternative(&flags);
        if (branch == kFailed)
            return kFailed;
        if (group)
            Tail(first, branch);
        else
            first = branch;
        if (!(flags & kHasWidth))
            *flagsOut &= ~kHasWidth;
        while (*pos_ == '|') {
            ++pos_;
            branch = Alternative(&flags);
            if (branch == kFailed)
                return kFailed;
            Tail(first, branch);
            if (!(flags & kHasWidth))
                *flagsOut &= ~kHasWidth;
        }
        const int closing = group ? kClose + number : kEnd;
        int ender = Node(static_cast<unsigned char>(closing));
        Tail(first, ender);
        // Every alternative ends at the closing node.
        if (code_)
            for (int p = first; p != kNoNode; p = NextOf(p))
                OpTail(p, ender);
        if (group) {
            if (*pos_ != '}')
                return Fail(kRegexUnmatchedGroup);
            ++pos_;
        } else if (*pos_ != 0) {
            return Fail(*pos_ == '}' ? kRegexUnmatchedGroup : kRegexUnknown);
        }
        return first;
    }

    // BRANCH followed by pieces up to the end, a vertical bar or a closing brace.
    int Alternative(int* flagsOut)
    {
        *flagsOut = kWorst;
        int result = Node(kBranch);
        int chain = kNoNode;
        bool any = false;
        while (*pos_ != 0 && *pos_ != '|' && *pos_ != '}') {
            int flags = 0;
            int latest = Piece(&flags);
            if (latest == kFailed)
                return kFailed;
            *flagsOut |= flags & kHasWidth;
            if (any)
                Tail(chain, latest);
            chain = latest;
            any = true;
        }
        if (!any)
            Node(kNothing);
        return result;
    }

    // An atom with an optional *, + or ?.
    int Piece(int* flagsOut)
    {
        int flags = 0;
        int result = Atom(&flags);
        if (result == kFailed)
            return kFailed;
        char op = *pos_;
        if (!IsRepeat(op)) {
            *flagsOut = flags;
            return result;
        }
        if (!(flags & kHasWidth) && op != '?')
            return Fail(kRegexEmptyOperand);
        *flagsOut = op == '+' ? kHasWidth : kWorst;

        if (op == '*' && (flags & kSimple)) {
            Insert(kStar, result);
        } else if (op == '*') {
            // x* becomes a loop: BRANCH x BACK-to-the-BRANCH, or else NOTHING.
            Insert(kBranch, result);
            OpTail(result, Node(kBack));
            OpTail(result, result);
            Tail(result, Node(kBranch));
            Tail(result, Node(kNothing));
        } else if (op == '+' && (flags & kSimple)) {
            Insert(kPlus, result);
        } else if (op == '+') {
            // x+ becomes x followed by the loop of x*.
            int next = Node(kBranch);
            Tail(result, next);
            Tail(Node(kBack), result);
            Tail(next, Node(kBranch));
            Tail(result, Node(kNothing));
        } else {
            // x? becomes a choice between x and NOTHING.
            Insert(kBranch, result);
            Tail(result, Node(kBranch));
            int next = Node(kNothing);
            Tail(result, next);
            OpTail(result, next);
        }
        ++pos_;
        if (IsRepeat(*pos_))
            return Fail(kRegexNestedRepeat);
        return result;
    }

    int Atom(int* flagsOut)
    {
        *flagsOut = kWorst;
        char c = *pos_++;
        switch (c) {
        case '^': return Node(kBol);
        case '$': return Node(kEol);
        case '.':
            *flagsOut |= kHasWidth | kSimple;
            return Node(kAny);
        case '[': return Set(flagsOut);
        case '{': {
            int flags = 0;
            int result = Choice(true, &flags);
            if (result == kFailed)
                return kFailed;
            *flagsOut |= flags & kHasWidth;
            return result;
        }
        case 0:
        case '|':
        case '}':
            return Fail(kRegexUnknown);
        case '?':
        case '+':
        case '*':
            return Fail(kRegexFollowsNothing);
        case '\\': {
            int mapped = Unescape(*pos_);
            if (mapped < 0)
                return Fail(kRegexInvalidEscape);
            ++pos_;
            int result = Node(kExactly);
            Byte(static_cast<unsigned char>(mapped));
            Byte(0);
            *flagsOut |= kHasWidth | kSimple;
            return result;
        }
        default:
            --pos_;
            return Literal(flagsOut);
        }
    }

    // The longest run without special characters; a repetition after it takes only its last character.
    int Literal(int* flagsOut)
    {
        int length = 0;
        while (pos_[length] != 0 && !IsMeta(pos_[length]))
            ++length;
        if (length <= 0)
            return Fail(kRegexInternal);
        if (length > 1 && IsRepeat(pos_[length]))
            --length;
        *flagsOut |= kHasWidth;
        if (length == 1)
            *flagsOut |= kSimple;
        int result = Node(kExactly);
        for (; length > 0; --length)
            Byte(static_cast<unsigned char>(*pos_++));
        Byte(0);
        return result;
    }

    // `[set]` or `[^set]`; the opening bracket is already read.
    int Set(int* flagsOut)
    {
        int result;
        ++sets_;
        if (*pos_ == '^') {
            result = Node(kAnyBut);
            ++pos_;
        } else {
            result = Node(kAnyOf);
        }
        int previous = -1;  // the member added last: the lower end of a range that follows
        if (*pos_ == ']' || *pos_ == '-') {
            previous = static_cast<unsigned char>(*pos_++);
            Byte(static_cast<unsigned char>(previous));
        }
        while (*pos_ != 0 && *pos_ != ']') {
            if (*pos_ == '-') {
                ++pos_;
                if (*pos_ == ']' || *pos_ == 0 || previous < 0) {
                    previous = '-';
                    Byte('-');
                    continue;
                }
                int low = previous + 1;
                int high = static_cast<unsigned char>(*pos_++);
                if (low > high + 1)
                    return Fail(kRegexInvalidRange);
                for (; low <= high; ++low)
                    Byte(static_cast<unsigned char>(low));
                previous = high;
            } else if (*pos_ == '\\') {
                int mapped = Unescape(pos_[1]);
                if (mapped < 0)
                    return Fail(kRegexInvalidEscape);
                pos_ += 2;
                previous = mapped;
                Byte(static_cast<unsigned char>(mapped));
            } else {
                previous = static_cast<unsigned char>(*pos_++);
                Byte(static_cast<unsigned char>(previous));
            }
        }
        Byte(0);
        if (*pos_ != ']')
            return Fail(kRegexUnmatchedSet);
        ++pos_;
        *flagsOut |= kHasWidth | kSimple;
        return result;
    }

    // ---- Writing (or, in the measuring pass, counting) the program. -----------------------------------

    void Byte(unsigned char b)
    {
        if (code_)
            code_[size_] = b;
        ++size_;
    }

    int Node(unsigned char op)
    {
        int at = code_ ? static_cast<int>(size_) : kNoNode;
        Byte(op);
        Byte(0);
        Byte(0);
        return at;
    }

    // Moves everything from `at` on three bytes up and puts a node there; nothing links into the moved
    // part from outside it yet, and links inside it are relative.
    void Insert(unsigned char op, int at)
    {
        if (!code_) {
            size_ += kNodeSize;
            return;
        }
        std::memmove(code_ + at + kNodeSize, code_ + at, static_cast<std::size_t>(size_ - at));
        size_ += kNodeSize;
        code_[at] = op;
        code_[at + 1] = 0;
        code_[at + 2] = 0;
    }

    int NextOf(int p) const
    {
        const unsigned char* next = Next(code_ + p);
        return next ? static_cast<int>(next - code_) : kNoNode;
    }

    // Points the last node of the chain starting at p to val.
    void Tail(int p, int val)
    {
        if (!code_ || p == kNoNode)
            return;
        int scan = p;
        for (int next = NextOf(scan); next != kNoNode; next = NextOf(scan))
            scan = next;
        int offset = Op(code_ + scan) == kBack ? scan - val : val - scan;
        code_[scan + 1] = static_cast<unsigned char>((offset >> 8) & 0xFF);
        code_[scan + 2] = static_cast<unsigned char>(offset & 0xFF);
    }

    // Tail on the operand of a BRANCH: the end of that alternative.
    void OpTail(int p, int val)
    {
        if (!code_ || p == kNoNode || Op(code_ + p) != kBranch)
            return;
        Tail(p + kNodeSize, val);
    }

    const char* pattern_;
    const char* pos_ = nullptr;
    int groups_ = 1;
    unsigned char* code_ = nullptr;
    long size_ = 0;
    int sets_ = 0;
};

// ---- What the matcher needs beside the program, worked out once per pattern. ----------------------------

constexpr std::size_t kTableWords = 8;

void SetBit(uint32_t* table, unsigned char c)
{
    table[c >> 5] |= 1u << (c & 31);
}

// The bytes of a node's operand that end the node: the zero-terminated operand of EXACTLY, ANYOF, ANYBUT.
std::size_t NodeLength(const unsigned char* node)
{
    switch (Op(node)) {
    case kExactly:
    case kAnyOf:
    case kAnyBut:
        return kNodeSize + std::strlen(reinterpret_cast<const char*>(Operand(node))) + 1;
    default:
        return kNodeSize;
    }
}

// The table of one character test: ANY takes every byte but line feed; a negated set every byte not in it
// but line feed. The terminator is in none, so a table test also stops at the end of the text.
void BuildTable(unsigned char op, const unsigned char* members, uint32_t* table)
{
    std::memset(table, 0, kTableWords * sizeof(uint32_t));
    if (op == kAnyOf) {
        for (; *members; ++members)
            SetBit(table, *members);
        return;
    }
    uint32_t excluded[kTableWords] = {};
    if (op == kAnyBut)
        for (; *members; ++members)
            SetBit(excluded, *members);
    SetBit(excluded, 0);
    SetBit(excluded, '\n');
    for (std::size_t w = 0; w < kTableWords; ++w)
        table[w] = ~excluded[w];
}

// The bytes a match can begin with, following every path from the first node that consumes nothing yet.
// A path reaching END or `$` first makes every position a candidate.
void WorkOutFirstBytes(RegexProgram& program)
{
    std::memset(program.firstBytes, 0, sizeof program.firstBytes);
    program.startsAnywhere = false;
    const unsigned char* base = program.program;
    std::vector<bool> seen(program.size, false);
    std::vector<const unsigned char*> pending{base + 1};
    auto push = [&](const unsigned char* node) {
        if (node && node > base && node < base + program.size && !seen[node - base]) {
            seen[node - base] = true;
            pending.push_back(node);
        }
    };
    auto addTest = [&](const unsigned char* test) {
        if (Op(test) == kExactly) {
            SetBit(program.firstBytes, *Operand(test));
        } else {
            const uint32_t* table = program.tables + kTableWords * program.tableOf[(test - base - 1) / kNodeSize];
            for (std::size_t w = 0; w < kTableWords; ++w)
                program.firstBytes[w] |= table[w];
        }
    };
    while (!pending.empty() && !program.startsAnywhere) {
        const unsigned char* node = pending.back();
        pending.pop_back();
        const unsigned char* next = Next(node);
        switch (Op(node)) {
        case kEnd:
        case kEol:
            program.startsAnywhere = true;
            break;
        case kAny:
        case kAnyOf:
        case kAnyBut:
        case kExactly:
            addTest(node);
            break;
        case kBranch:
            push(Operand(node));
            if (next && Op(next) == kBranch)
                push(next);
            break;
        case kStar:
            addTest(Operand(node));
            push(next);
            break;
        case kPlus:
            addTest(Operand(node));
            break;
        default:
            // BOL, NOTHING, BACK and the group marks consume nothing.
            push(next);
            break;
        }
    }
}

// The longest literal on the path every match takes: the nodes of the program's one sequence, stepping over
// repetitions, options and choices (whose alternatives all meet again at one node) without looking inside.
void WorkOutRequiredLiteral(RegexProgram& program)
{
    program.required = nullptr;
    program.requiredLength = 0;
    const unsigned char* node = program.program + 1;
    for (int steps = 0; node && steps < program.size; ++steps) {
        const unsigned char* next = Next(node);
        const unsigned char* literal = nullptr;
        switch (Op(node)) {
        case kEnd:
            return;
        case kExactly:
            literal = Operand(node);
            break;
        case kPlus:
            if (Op(Operand(node)) == kExactly)
                literal = Operand(Operand(node));
            break;
        case kBack:
            return;  // not on the path every match takes; cannot happen, but stops the walk
        case kBranch:
            if (!next || Op(next) != kBranch) {
                next = Operand(node);
            } else {
                while (next && Op(next) == kBranch)
                    next = Next(next);
            }
            break;
        default:
            break;
        }
        if (literal) {
            std::size_t length = Op(node) == kPlus ? 1 : std::strlen(reinterpret_cast<const char*>(literal));
            if (length > program.requiredLength) {
                program.required = reinterpret_cast<const char*>(literal);
                program.requiredLength = static_cast<uint16_t>(length);
            }
        }
        node = next;
    }
}

// Whether the program begins with a repetition of one byte test taken at least once, `[0-9]+x` or
// `{a+}b`, and that test's bytes. A search may then skip a whole run of such bytes once a match
// starting at its first byte has failed: a start further in the run can only end the repetition at the
// same places or fewer, and what follows the repetition does not depend on where the match began.
void WorkOutLeadingRun(RegexProgram& program)
{
    program.leadsWithRun = false;
    program.runStop = 0;
    std::memset(program.leadRun, 0, sizeof program.leadRun);
    const unsigned char* node = program.program + 1;
    for (int steps = 0; node && steps < program.size; ++steps) {
        const unsigned char op = Op(node);
        if (op == kBranch) {
            const unsigned char* next = Next(node);
            if (next && Op(next) == kBranch)
                return;  // a choice: its alternatives begin differently
            node = Operand(node);
        } else if (op > kOpen && op < kClose) {
            node = Next(node);
        } else if (op == kPlus) {
            const unsigned char* test = Operand(node);
            if (Op(test) == kExactly) {
                SetBit(program.leadRun, *Operand(test));
            } else {
                const uint32_t* table =
                    program.tables + kTableWords * program.tableOf[(test - program.program - 1) / kNodeSize];
                std::memcpy(program.leadRun, table, sizeof program.leadRun);
            }
            program.leadsWithRun = true;
            // A literal right after the run (group marks between them consume nothing) that cannot be
            // part of the run is where every run a match takes must end.
            const unsigned char* after = Next(node);
            while (after && Op(after) > kOpen && Op(after) < kClose + kRegexGroups && Op(after) != kClose)
                after = Next(after);
            if (after && Op(after) == kExactly) {
                const unsigned char stop = *Operand(after);
                if (!((program.leadRun[stop >> 5] >> (stop & 31)) & 1))
                    program.runStop = stop;
            }
            return;
        } else {
            return;
        }
    }
}

}  // namespace

const char* RegexErrorText(int code)
{
    switch (code) {
    case kRegexNullArgument: return "NULL argument";
    case kRegexTooBig: return "regular expression to big";
    case kRegexOutOfMemory: return "out of memory";
    case kRegexTooManyGroups: return "too many {}";
    case kRegexUnmatchedGroup: return "umatched {}";
    case kRegexEmptyOperand: return "*+ operand could be empty";
    case kRegexNestedRepeat: return "nested *?+";
    case kRegexInvalidRange: return "invalid [] range";
    case kRegexInvalidEscape: return "invalid escape (\\) sequence";
    case kRegexUnmatchedSet: return "unmatched []";
    case kRegexFollowsNothing: return "?+* follows nothing";
    case kRegexInternal: return "internal error";
    case kRegexUnknown: return "unknown error";
    default: return nullptr;
    }
}

TRegexPtr RegexCompile(const char* pattern, int* error)
{
    int ignored = 0;
    if (!error)
        error = &ignored;
    *error = kRegexOk;
    if (!pattern) {
        *error = kRegexNullArgument;
        return nullptr;
    }
    TRegexCompiler compiler(pattern);
    if (!compiler.Pass(nullptr)) {
        *error = compiler.error;
        return nullptr;
    }
    long size = compiler.Size();
    if (size >= kRegexMaxProgram) {
        *error = kRegexTooBig;
        return nullptr;
    }
    // Behind the program: the character tables (ANY's first, then one per set) and the table index of
    // each node slot. The program itself keeps its exact size.
    const std::size_t slots = static_cast<std::size_t>(size - 1) / kNodeSize + 1;
    const std::size_t tableCount = 1 + static_cast<std::size_t>(compiler.Sets());
    const std::size_t tablesAt = (sizeof(RegexProgram) + static_cast<std::size_t>(size) + 7) & ~std::size_t{7};
    const std::size_t indexAt = tablesAt + tableCount * kTableWords * sizeof(uint32_t);
    void* block = VokAlloc(indexAt + slots * sizeof(uint16_t));
    if (!block) {
        *error = kRegexOutOfMemory;
        return nullptr;
    }
    TRegexPtr program(new (block) RegexProgram{});
    program->program = static_cast<unsigned char*>(block) + sizeof(RegexProgram);
    program->size = static_cast<uint16_t>(size);
    if (!compiler.Pass(program->program) || compiler.Size() != size) {
        *error = compiler.error ? compiler.error : kRegexInternal;
        return nullptr;
    }

    auto* tables = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(block) + tablesAt);
    auto* tableOf = reinterpret_cast<uint16_t*>(static_cast<unsigned char*>(block) + indexAt);
    std::memset(tableOf, 0, slots * sizeof(uint16_t));
    BuildTable(kAny, nullptr, tables);
    std::size_t made = 1;
    for (long at = 1; at < size;) {
        const unsigned char* node = program->program + at;
        if (Op(node) == kAnyOf || Op(node) == kAnyBut) {
            if (made >= tableCount) {
                *error = kRegexInternal;
                return nullptr;
            }
            BuildTable(Op(node), Operand(node), tables + made * kTableWords);
            tableOf[static_cast<std::size_t>(at - 1) / kNodeSize] = static_cast<uint16_t>(made++);
        }
        at += static_cast<long>(NodeLength(node));
    }
    program->tables = tables;
    program->tableOf = tableOf;
    WorkOutFirstBytes(*program);
    WorkOutRequiredLiteral(*program);
    WorkOutLeadingRun(*program);

    // With one top-level alternative, its first node tells where a match can start.
    const unsigned char* first = program->program + 1;
    const unsigned char* next = Next(first);
    if (next && Op(next) == kEnd) {
        const unsigned char* scan = Operand(first);
        if (Op(scan) == kExactly)
            program->firstChar = *Operand(scan);
        else if (Op(scan) == kBol)
            program->anchored = true;
    }
    return program;
}
