// The node layout of a compiled regular expression, shared by the compiler and the matcher only.
#pragma once

#include <cstdint>

// A node is an opcode byte, a two-byte link (high byte first) and, for some opcodes, an operand.
// The link is a forward distance from the node, backward for BACK; 0 means there is no next node.
namespace regex_nodes {

constexpr unsigned char kMagic = 156;
constexpr int kNodeSize = 3;

enum TOpcode : unsigned char {
    kEnd = 0,       // success
    kBol = 1,       // empty string at a line start
    kEol = 2,       // empty string at the end of the line
    kAny = 3,       // one character except line feed
    kAnyOf = 4,     // one character of the zero-terminated set
    kAnyBut = 5,    // one character not in the set and not line feed
    kBranch = 6,    // one alternative; the link leads to the next alternative of the same choice
    kBack = 7,      // nothing; backward link closing a loop
    kExactly = 8,   // the zero-terminated literal
    kNothing = 9,   // the empty string
    kStar = 10,     // the single-character node that follows, 0 or more times
    kPlus = 11,     // the same, 1 or more times
    kOpen = 20,     // 21-29: group n starts here
    kClose = 30,    // 31-39: group n ends here
};

inline unsigned char Op(const unsigned char* node)
{
    return node[0];
}

inline int Link(const unsigned char* node)
{
    return (node[1] << 8) | node[2];
}

inline const unsigned char* Operand(const unsigned char* node)
{
    return node + kNodeSize;
}

inline const unsigned char* Next(const unsigned char* node)
{
    int offset = Link(node);
    if (offset == 0)
        return nullptr;
    return Op(node) == kBack ? node - offset : node + offset;
}

}  // namespace regex_nodes
