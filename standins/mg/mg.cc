// The least allocator that serves: blocks from the process heap.
#include <windows.h>

#include <stddef.h>

extern "C" {

void* __cdecl block_alloc(size_t size) {
  // A zero-byte request still yields a distinct block, as operator new needs.
  return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}

void __cdecl block_free(void* block) {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
