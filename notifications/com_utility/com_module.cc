#include "notifications/com_utility/com_module.h"

namespace com {
namespace {

HINSTANCE g_instance = nullptr;
volatile LONG g_lock_count = 0;

}  // namespace

void ModuleAttach(HINSTANCE instance) { g_instance = instance; }

HINSTANCE ModuleInstance() { return g_instance; }

LONG ModuleLock() { return InterlockedIncrement(&g_lock_count); }

LONG ModuleUnlock() { return InterlockedDecrement(&g_lock_count); }

LONG ModuleLockCount() { return InterlockedCompareExchange(&g_lock_count, 0, 0); }

std::string ModuleFileName() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(g_instance, path, MAX_PATH);
  std::string full(path, length < MAX_PATH ? length : MAX_PATH);
  size_t slash = full.find_last_of('\\');
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace com
