#include "notifications/assertion.h"

namespace notifications {

std::string AssertionMessage(const char* condition, const char* detail, const char* file,
                             int line) {
  return std::string(condition) + " not true, detail: " + detail + " file: " + file +
         " line: " + std::to_string(line);
}

void RaiseAssertion(const char* condition, const char* detail, const char* file, int line) {
  // The message lives in this frame, which stays on the stack while the exception is
  // dispatched: handlers read it through the exception's parameter.
  std::string message = AssertionMessage(condition, detail, file, line);
  ULONG_PTR arguments[1] = {reinterpret_cast<ULONG_PTR>(message.c_str())};
  for (;;) RaiseException(kAssertionExceptionCode, EXCEPTION_NONCONTINUABLE, 1, arguments);
}

}  // namespace notifications
