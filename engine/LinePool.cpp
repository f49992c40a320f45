// Block allocation of line records.
#include "engine/LinePool.h"

#include "engine/Alloc.h"

namespace {
constexpr std::size_t kLargestBlock = 16384;
}

TLinePool::~TLinePool()
{
    for (void* block : blocks_)
        VokFree(block);
}

bool TLinePool::NewBlock()
{
    // Reserve the bookkeeping slot first, so a failure below cannot leave a block unrecorded.
    try {
        blocks_.reserve(blocks_.size() + 1);
    } catch (...) {
        return false;
    }
    void* block = VokAlloc(nextBlock_ * sizeof(LineRecord));
    if (!block)
        return false;
    blocks_.push_back(block);
    fresh_ = static_cast<LineRecord*>(block);
    freshLeft_ = nextBlock_;
    if (nextBlock_ < kLargestBlock)
        nextBlock_ *= 2;
    return true;
}

void TLinePool::Put(LineRecord* record)
{
    record->next = free_;
    free_ = record;
}
