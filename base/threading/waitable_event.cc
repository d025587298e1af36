#include "base/threading/waitable_event.h"

namespace base {

WaitableEvent::WaitableEvent(bool manual_reset, bool initially_signaled)
    : handle_(CreateEventW(nullptr, manual_reset, initially_signaled, nullptr)) {}

WaitableEvent::~WaitableEvent() {
  if (handle_) CloseHandle(handle_);
}

void WaitableEvent::Signal() { SetEvent(handle_); }

void WaitableEvent::Reset() { ResetEvent(handle_); }

void WaitableEvent::Wait() { WaitForSingleObject(handle_, INFINITE); }

bool WaitableEvent::TimedWait(DWORD timeout_ms) {
  return WaitForSingleObject(handle_, timeout_ms) == WAIT_OBJECT_0;
}

bool WaitableEvent::IsSignaled() { return TimedWait(0); }

}  // namespace base
