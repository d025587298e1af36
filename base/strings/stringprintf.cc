#include "base/strings/stringprintf.h"

#include <cstdio>
#include <vector>

#include "base/logging.h"

namespace base {
namespace {

// Output up to this size minus one is formatted on the stack; longer output is formatted
// again into a buffer of the size the first pass reported.
const int kStackBufferSize = 1024;

int FormatInto(char* buffer, std::size_t size, const char* format, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  const int result = std::vsnprintf(buffer, size, format, copy);
  va_end(copy);
  return result;
}

}  // namespace

std::string StringPrintf(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string result;
  StringAppendV(&result, format, arguments);
  va_end(arguments);
  return result;
}

void StringAppendF(std::string* output, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  StringAppendV(output, format, arguments);
  va_end(arguments);
}

void StringAppendV(std::string* output, const char* format, va_list arguments) {
  char stack_buffer[kStackBufferSize];
  const int needed = FormatInto(stack_buffer, sizeof(stack_buffer), format, arguments);
  if (needed >= 0 && needed < kStackBufferSize) {
    output->append(stack_buffer, static_cast<std::size_t>(needed));
    return;
  }
  if (needed < 0) {
    NOTREACHED() << "Unable to printf the requested string due to error.";
    return;
  }
  if (needed >= kMaxStringPrintfOutput) {
    NOTREACHED() << "Unable to printf the requested string due to size.";
    return;
  }
  std::vector<char> heap_buffer(static_cast<std::size_t>(needed) + 1);
  if (FormatInto(heap_buffer.data(), heap_buffer.size(), format, arguments) != needed) {
    NOTREACHED() << "Unable to printf the requested string due to error.";
    return;
  }
  output->append(heap_buffer.data(), static_cast<std::size_t>(needed));
}

}  // namespace base
