// The engine's allocator with fault injection for tests.
#include "engine/Alloc.h"

#include <cstdlib>

namespace {
long gCountdown = 0;   // allocations left before the fault; 0 = no fault armed
bool gFailForever = false;
bool gFailing = false;

bool ShouldFail() noexcept
{
    if (gFailing)
        return true;
    if (gCountdown == 0)
        return false;
    if (--gCountdown > 0)
        return false;
    if (gFailForever)
        gFailing = true;
    return true;
}
}  // namespace

void* VokAlloc(std::size_t size) noexcept
{
    if (ShouldFail())
        return nullptr;
    return std::malloc(size ? size : 1);
}

void* VokRealloc(void* block, std::size_t size) noexcept
{
    if (ShouldFail())
        return nullptr;
    return std::realloc(block, size ? size : 1);
}

void VokFree(void* block) noexcept
{
    std::free(block);
}

void SetAllocFailAt(long n) noexcept
{
    gCountdown = n > 0 ? n : 0;
    gFailForever = true;
    gFailing = false;
}

void SetAllocFailOnce(long n) noexcept
{
    gCountdown = n > 0 ? n : 0;
    gFailForever = false;
    gFailing = false;
}
