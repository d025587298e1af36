// The plug-in's check for broken internal invariants. A failed check builds the message
// "<condition> not true, detail: <detail> file: <file> line: <line>" and raises it as the
// non-continuable structured exception kAssertionExceptionCode, whose one parameter is the
// address of the message. Nothing in the plug-in handles it.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace notifications {

inline constexpr DWORD kAssertionExceptionCode = 0xE0008001;

std::string AssertionMessage(const char* condition, const char* detail, const char* file,
                             int line);

[[noreturn]] void RaiseAssertion(const char* condition, const char* detail, const char* file,
                                 int line);

// Thrown where a check is meant to be caught inside the plug-in; what() is the condition.
class assert_exception : public std::runtime_error {
 public:
  explicit assert_exception(const char* condition) : std::runtime_error(condition) {}
};

}  // namespace notifications

// The frame's checks: the detail text is "skyrend_assert".
#define SKYREND_ASSERT(condition)                                                        \
  do {                                                                                   \
    if (!(condition))                                                                    \
      ::notifications::RaiseAssertion(#condition, "skyrend_assert", __FILE__, __LINE__); \
  } while (0)
