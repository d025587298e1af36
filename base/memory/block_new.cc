// Routes every C++ allocation of the linking program through mg.dll's block allocator.
#include <mg/block_alloc.h>

#include <new>

namespace {

void* AllocateOrThrow(size_t size) {
  if (void* block = block_alloc(size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return AllocateOrThrow(size); }
void* operator new[](size_t size) { return AllocateOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return block_alloc(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return block_alloc(size); }
void operator delete(void* block) noexcept { block_free(block); }
void operator delete[](void* block) noexcept { block_free(block); }
void operator delete(void* block, size_t) noexcept { block_free(block); }
void operator delete[](void* block, size_t) noexcept { block_free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { block_free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { block_free(block); }
