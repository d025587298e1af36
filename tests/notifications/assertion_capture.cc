#include "assertion_capture.h"

#include <windows.h>

namespace notifications_test {
namespace {

constexpr DWORD kAssertionExceptionCode = 0xE0008001;

struct Capture {
  void* jump[5];
  std::string message;
};

thread_local Capture* t_capture = nullptr;

[[noreturn]] void ResumeAfterAssertion() { __builtin_longjmp(t_capture->jump, 1); }

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  Capture* capture = t_capture;
  EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (!capture || record->ExceptionCode != kAssertionExceptionCode) return EXCEPTION_CONTINUE_SEARCH;
  if (!(record->ExceptionFlags & EXCEPTION_NONCONTINUABLE))
    capture->message = "(the exception was raised as continuable) ";
  if (record->NumberParameters >= 1)
    capture->message += reinterpret_cast<const char*>(record->ExceptionInformation[0]);
  // Resume in ResumeAfterAssertion on a stack slot below the raising frames, aligned as
  // right after a call.
  CONTEXT* context = info->ContextRecord;
#ifdef _WIN64
  context->Rsp = ((context->Rsp - 512) & ~static_cast<DWORD64>(15)) - 8;
  context->Rip = reinterpret_cast<DWORD64>(&ResumeAfterAssertion);
#else
  context->Esp = ((context->Esp - 512) & ~static_cast<DWORD>(15)) - 4;
  context->Eip = reinterpret_cast<DWORD>(&ResumeAfterAssertion);
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

std::optional<std::string> CaptureAssertion(const std::function<void()>& body) {
  static PVOID handler = AddVectoredExceptionHandler(1, &OnException);
  (void)handler;
  Capture capture;
  t_capture = &capture;
  if (__builtin_setjmp(capture.jump) == 0) {
    body();
    t_capture = nullptr;
    return std::nullopt;
  }
  t_capture = nullptr;
  return capture.message;
}

std::string WithoutLocation(const std::string& message) {
  size_t file = message.find(" file: ");
  return file == std::string::npos ? message : message.substr(0, file);
}

}  // namespace notifications_test
