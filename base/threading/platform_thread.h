// Operating-system threads: creation with a delegate, joining, naming, identity.
#pragma once

#include <windows.h>

#include <stddef.h>

namespace base {

class PlatformThread {
 public:
  typedef HANDLE Handle;

  // What a created thread runs.
  class Delegate {
   public:
    virtual ~Delegate() {}
    virtual void ThreadEntry() = 0;
  };

  static DWORD CurrentId();

  // Starts a thread that calls delegate->ThreadEntry(); a stack size of 0 is the system's
  // default. False when the system refused the thread.
  static bool Create(size_t stack_size, Delegate* delegate, Handle* thread);
  // The same, but the thread waits for Resume before it runs.
  static bool CreateSuspended(size_t stack_size, Delegate* delegate, Handle* thread);
  static void Resume(Handle thread);

  // Waits for the thread to end and closes its handle.
  static void Join(Handle thread);

  // Gives the calling thread a name in an attached debugger; does nothing without one.
  static void SetName(const char* name);

  PlatformThread() = delete;
};

}  // namespace base
