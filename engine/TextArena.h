// Line texts of a loaded document, carved from large blocks: loading a file of millions of lines costs a
// few hundred allocations instead of one per line, and dropping the document frees a few blocks.
#pragma once

#include <cstddef>
#include <vector>

// TTextArena owns its blocks; texts taken from it are never freed one by one. A line edited later gets a
// block of its own, and the old text stays in the arena until the whole document goes (Release).
class TTextArena {
public:
    TTextArena() = default;
    TTextArena(const TTextArena&) = delete;  // owns its blocks
    TTextArena& operator=(const TTextArena&) = delete;
    ~TTextArena() { Release(); }

    // Room for size bytes, or null when memory runs out (the caller then allocates the text alone).
    char* Take(std::size_t size);
    // Room for up to size bytes that stays free until Commit says how many of them were used, so that a
    // text of unknown length is written in place; null when memory runs out.
    char* Reserve(std::size_t size) { return size <= freshLeft_ ? fresh_ : NewBlock(size); }
    void Commit(std::size_t used)
    {
        fresh_ += used;
        freshLeft_ -= used;
    }
    // Whether the text lies in one of the blocks, so that it must not be freed or reallocated alone.
    bool Owns(const char* text) const;
    // Frees every block; no text taken may be used afterwards.
    void Release();

private:
    // Starts a new block for Reserve; null when memory runs out or size exceeds a block.
    char* NewBlock(std::size_t size);

    struct TBlock {
        char* begin;
        char* end;
    };
    std::vector<TBlock> blocks_;  // ordered by address, for Owns
    char* fresh_ = nullptr;       // unused tail of the newest block
    std::size_t freshLeft_ = 0;
};
