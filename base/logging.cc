#include "base/logging.h"

#include "base/logging_backend.h"
#include "base/strings/utf_string_conversions.h"

namespace logging {

int GetMinLogLevel() { return backend::MinSeverity(); }

bool DCheckIsOn() { return backend::DebugChecksEnabled() && GetMinLogLevel() <= LOG_ERROR_REPORT; }

LogMessage::LogMessage(const char* file, int line, LogSeverity severity)
    : severity_(severity), file_(file), line_(line) {
  Init();
}

LogMessage::LogMessage(const char* file, int line, LogSeverity severity, const std::string& failure)
    : severity_(severity), file_(file), line_(line) {
  Init();
  stream_ << "Check failed: " << failure;
}

void LogMessage::Init() {
  backend::WritePrefix(stream_, file_, line_, severity_);
  std::streamoff position = stream_.tellp();
  message_start_ = position < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(position);
}

LogMessage::~LogMessage() {
  stream_ << '\n';
  backend::Emit(severity_, file_, line_, message_start_, stream_.str());
}

}  // namespace logging

std::ostream& operator<<(std::ostream& out, const wchar_t* wide) {
  return out << base::WideToUTF8(wide ? std::wstring(wide) : std::wstring());
}

std::ostream& operator<<(std::ostream& out, const std::wstring& wide) { return out << base::WideToUTF8(wide); }
