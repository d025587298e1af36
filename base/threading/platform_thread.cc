#include "base/threading/platform_thread.h"

namespace base {

namespace {

// The exception by which a debugger learns a thread's name.
const DWORD kSetThreadNameException = 0x406D1388;

#pragma pack(push, 8)
struct ThreadNameInfo {
  DWORD type;        // must be 0x1000
  LPCSTR name;
  DWORD thread_id;   // -1: the calling thread
  DWORD flags;
};
#pragma pack(pop)

// Resumes after the naming exception when the debugger passed it on.
LONG CALLBACK ContinueAfterThreadName(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == kSetThreadNameException)
    return EXCEPTION_CONTINUE_EXECUTION;
  return EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI ThreadFunc(void* param) {
  static_cast<PlatformThread::Delegate*>(param)->ThreadEntry();
  return 0;
}

}  // namespace

DWORD PlatformThread::CurrentId() { return GetCurrentThreadId(); }

bool PlatformThread::Create(size_t stack_size, Delegate* delegate, Handle* thread) {
  if (!CreateSuspended(stack_size, delegate, thread)) return false;
  Resume(*thread);
  return true;
}

bool PlatformThread::CreateSuspended(size_t stack_size, Delegate* delegate, Handle* thread) {
  *thread = CreateThread(nullptr, stack_size, ThreadFunc, delegate, CREATE_SUSPENDED, nullptr);
  return *thread != nullptr;
}

void PlatformThread::Resume(Handle thread) { ResumeThread(thread); }

void PlatformThread::Join(Handle thread) {
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

void PlatformThread::SetName(const char* name) {
  if (!IsDebuggerPresent()) return;
  ThreadNameInfo info = {0x1000, name, static_cast<DWORD>(-1), 0};
  // The debugger sees the exception first; the handler lets the thread go on should the
  // debugger pass it back.
  PVOID handler = AddVectoredExceptionHandler(1, ContinueAfterThreadName);
  RaiseException(kSetThreadNameException, 0, sizeof(info) / sizeof(ULONG_PTR),
                 reinterpret_cast<const ULONG_PTR*>(&info));
  if (handler) RemoveVectoredExceptionHandler(handler);
}

}  // namespace base
