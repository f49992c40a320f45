// The engine's allocator: every line and text block goes through here so a test can make the Nth call fail.
#pragma once

#include <cstddef>

void* VokAlloc(std::size_t size) noexcept;
void* VokRealloc(void* block, std::size_t size) noexcept;
void VokFree(void* block) noexcept;

// Allocation N (1-based, counted from now) and every later one fails until the fault is cleared; 0 clears it.
void SetAllocFailAt(long n) noexcept;
// Fail only allocation N, then succeed again.
void SetAllocFailOnce(long n) noexcept;
