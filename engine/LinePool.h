// Line records of one document, carved from larger blocks: a 2-million-line file costs a few hundred
// allocations for its records instead of 2 million.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/LineRecord.h"

// TLinePool owns the blocks its records live in; freeing the pool frees them all. Records handed back
// are reused before a new block is taken.
class TLinePool {
public:
    TLinePool() = default;
    TLinePool(const TLinePool&) = delete;  // owns its blocks
    TLinePool& operator=(const TLinePool&) = delete;
    ~TLinePool();

    // A record with undefined contents, or null when memory runs out.
    LineRecord* Get()
    {
        if (free_) {
            LineRecord* r = free_;
            free_ = r->next;
            return r;
        }
        if (freshLeft_ == 0 && !NewBlock())
            return nullptr;
        --freshLeft_;
        return fresh_++;
    }
    void Put(LineRecord* record);

private:
    // Takes the next block; false when memory runs out.
    bool NewBlock();

    std::vector<void*> blocks_;
    LineRecord* free_ = nullptr;   // chained through `next`
    LineRecord* fresh_ = nullptr;  // unused tail of the newest block
    std::size_t freshLeft_ = 0;
    std::size_t nextBlock_ = 64;   // records in the next block; doubles up to a limit
};
