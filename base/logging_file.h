// The launcher's logging variant (object library `base_logging_file`): lines of text in
// "debug.log" beside the executable, appended by every process with the same executable path
// under one machine-wide mutex named "Global\" + the log file path with '/' for '\'.
//
// Line: "MM-DD hh:mm:ss " (timestamp on) + severity name + " " + source file name + "(" + line
// + ") " + message + "\n". When the file beside the executable cannot be opened, ".\debug.log"
// in the current directory is used. ERROR and above also go to standard error.
// A failed CHECK stops the process (breakpoint trap) unless a fatal handler is installed.
//
// The defaults below are the launcher's; it changes none of them.
#pragma once

#include <string>

#include "base/logging.h"

namespace logging {

enum LoggingDestination {
  LOG_NONE = 0,
  LOG_TO_FILE = 1,
  LOG_TO_SYSTEM_DEBUG_LOG = 2,
  LOG_TO_BOTH_FILE_AND_SYSTEM_DEBUG_LOG = 3,
};

enum LogLockingState {
  LOCK_LOG_FILE,       // machine-wide mutex
  DONT_LOCK_LOG_FILE,  // in-process lock only
};

struct FileLoggingSettings {
  int min_severity = LOG_INFO;
  LoggingDestination destination = LOG_TO_FILE;
  bool timestamp = true;
  bool tick_count = false;
  bool process_id = false;
  bool thread_id = false;
  bool debug_checks = false;
  LogLockingState locking = LOCK_LOG_FILE;
};

// Replaces the settings; call before the first message.
void SetFileLoggingSettings(const FileLoggingSettings& settings);

// Optional callbacks, none by default. A message handler that returns true claims the line.
typedef bool (*LogMessageHandler)(LogSeverity severity, const char* file, int line, size_t message_start,
                                  const std::string& text);
typedef void (*LogTextHandler)(const std::string& text);
void SetLogMessageHandler(LogMessageHandler handler);
void SetLogFatalHandler(LogTextHandler handler);   // gets FATAL lines instead of the trap
void SetLogReportHandler(LogTextHandler handler);  // gets ERROR_REPORT lines

// The full path of the primary log file: the executable's folder followed by "debug.log".
std::wstring GetLogFileName();

}  // namespace logging
