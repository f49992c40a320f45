// Block allocation of line texts.
#include "engine/TextArena.h"

#include <algorithm>
#include <functional>

#include "engine/Alloc.h"

namespace {
// Large enough that a 100 MB file takes about a hundred blocks, small enough that the unused tail of the
// last one does not matter for a small file; a line (at most 1034 bytes) always fits many times.
constexpr std::size_t kBlockSize = 1 << 20;
}  // namespace

char* TTextArena::Take(std::size_t size)
{
    char* text = Reserve(size);
    if (text)
        Commit(size);
    return text;
}

char* TTextArena::NewBlock(std::size_t size)
{
    if (size > kBlockSize)
        return nullptr;
    // Reserve the bookkeeping slot first, so a failure below cannot leave a block unrecorded.
    try {
        blocks_.reserve(blocks_.size() + 1);
    } catch (...) {
        return nullptr;
    }
    auto* block = static_cast<char*>(VokAlloc(kBlockSize));
    if (!block)
        return nullptr;
    const TBlock b{block, block + kBlockSize};
    blocks_.insert(std::upper_bound(blocks_.begin(), blocks_.end(), b,
                                    [](const TBlock& x, const TBlock& y) { return std::less<>()(x.begin, y.begin); }),
                   b);
    fresh_ = block;
    freshLeft_ = kBlockSize;
    return fresh_;
}

bool TTextArena::Owns(const char* text) const
{
    if (blocks_.empty())
        return false;
    // The last block starting at or before the text.
    auto it = std::upper_bound(blocks_.begin(), blocks_.end(), text,
                               [](const char* p, const TBlock& b) { return std::less<const char*>()(p, b.begin); });
    if (it == blocks_.begin())
        return false;
    --it;
    return std::less<const char*>()(text, it->end);
}

void TTextArena::Release()
{
    for (const TBlock& b : blocks_)
        VokFree(b.begin);
    blocks_.clear();
    fresh_ = nullptr;
    freshLeft_ = 0;
}
