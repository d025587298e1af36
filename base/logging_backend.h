// What a logging variant provides to base/logging.cc. Exactly one variant is linked into each
// program: logging_debugger.cc (inside the `base` library, used when nothing else is linked)
// or logging_file.cc (the `base_logging_file` object library, which then takes precedence).
// Both define exactly these functions, so the linker never pulls the default in beside it.
#pragma once

#include <ostream>
#include <string>

#include "base/logging.h"

namespace logging {
namespace backend {

int MinSeverity();
bool DebugChecksEnabled();
// Writes the line prefix that comes before the message text.
void WritePrefix(std::ostream& stream, const char* file, int line, LogSeverity severity);
// Sends out one finished line (`text` ends with a line feed).
void Emit(LogSeverity severity, const char* file, int line, size_t message_start, const std::string& text);

}  // namespace backend
}  // namespace logging
