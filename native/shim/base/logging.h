// The native build's stand-in for the base library's logging (which writes to the Windows
// debugger): failed debug checks are written to standard error in the same text form.
#pragma once

#include <iostream>
#include <sstream>

namespace logging {

class NativeCheckMessage {
 public:
  NativeCheckMessage(const char* file, int line, const char* condition) {
    stream_ << ':' << file << '(' << line << ")] Check failed: " << condition << ". ";
  }
  ~NativeCheckMessage() { std::cerr << stream_.str() << std::endl; }
  std::ostream& stream() { return stream_; }

 private:
  std::ostringstream stream_;
};

}  // namespace logging

#define DCHECK(condition) \
  if (condition) {        \
  } else                  \
    ::logging::NativeCheckMessage(__FILE__, __LINE__, #condition).stream()
#define NOTREACHED() DCHECK(false)
