// State of the loaded library as a COM server: its instance handle and the lock count
// that DllCanUnloadNow reports. Every COM object of the library holds one lock while alive.
#pragma once

#include <windows.h>

#include <string>

namespace com {

void ModuleAttach(HINSTANCE instance);
HINSTANCE ModuleInstance();

// Interlocked; each returns the new count.
LONG ModuleLock();
LONG ModuleUnlock();
LONG ModuleLockCount();

// The library's file name (the part of its path after the last backslash), narrow.
std::string ModuleFileName();

// One module lock for the lifetime of the object that has it as a member.
class ModuleLockHolder {
 public:
  ModuleLockHolder() { ModuleLock(); }
  ~ModuleLockHolder() { ModuleUnlock(); }
  ModuleLockHolder(const ModuleLockHolder&) = delete;
  ModuleLockHolder& operator=(const ModuleLockHolder&) = delete;
};

}  // namespace com
