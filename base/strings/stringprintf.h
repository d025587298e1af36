// printf-style formatting into std::string.
#pragma once

#include <cstdarg>
#include <string>

#if defined(__MINGW32__)
#define BASE_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(gnu_printf, format_index, first_argument)))
#elif defined(__GNUC__)
#define BASE_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
#else
#define BASE_PRINTF_FORMAT(format_index, first_argument)
#endif

namespace base {

// Output of this many bytes or more is refused (reported as a failed check, nothing appended).
const int kMaxStringPrintfOutput = 32 * 1024 * 1024;

// The formatted text.
std::string StringPrintf(const char* format, ...) BASE_PRINTF_FORMAT(1, 2);

// Appends the formatted text to *output. A formatting error or output of
// kMaxStringPrintfOutput bytes or more appends nothing and is reported as a failed check.
void StringAppendF(std::string* output, const char* format, ...) BASE_PRINTF_FORMAT(2, 3);
void StringAppendV(std::string* output, const char* format, va_list arguments)
    BASE_PRINTF_FORMAT(2, 0);

}  // namespace base
