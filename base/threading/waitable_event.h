// An event that threads can wait on: set once by one thread, seen by every waiter.
#pragma once

#include <windows.h>

namespace base {

class WaitableEvent {
 public:
  // A manual-reset event stays set until Reset; an auto-reset one releases a single waiter.
  WaitableEvent(bool manual_reset, bool initially_signaled);
  ~WaitableEvent();
  WaitableEvent(const WaitableEvent&) = delete;
  WaitableEvent& operator=(const WaitableEvent&) = delete;

  void Signal();
  void Reset();
  // Waits without limit.
  void Wait();
  // Waits at most `timeout_ms`; true when the event was set in time.
  bool TimedWait(DWORD timeout_ms);
  // Polls: true when set (consumes the signal of an auto-reset event).
  bool IsSignaled();

  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace base
