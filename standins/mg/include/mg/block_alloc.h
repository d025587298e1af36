// The block allocator exported by mg.dll.
#pragma once

#include <stddef.h>

extern "C" {
// A block of at least `size` bytes, or null when none can be had.
__declspec(dllimport) void* __cdecl block_alloc(size_t size);
// Takes back a block from block_alloc; null is ignored.
__declspec(dllimport) void __cdecl block_free(void* block);
}
