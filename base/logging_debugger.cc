// The debugger-only logging variant: every line goes to OutputDebugStringA, nothing else.
#include "base/logging_backend.h"

namespace logging {
namespace backend {

int MinSeverity() { return LOG_INFO; }

bool DebugChecksEnabled() { return true; }

void WritePrefix(std::ostream& stream, const char* file, int line, LogSeverity) {
  stream << ':' << file << '(' << line << ")] ";
}

void Emit(LogSeverity, const char*, int, size_t, const std::string& text) {
  // Failed checks are reported like any other line; the process goes on.
  OutputDebugStringA(text.c_str());
}

}  // namespace backend
}  // namespace logging
