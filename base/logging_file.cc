#include "base/logging_file.h"

#include <stdio.h>

#include "base/logging_backend.h"
#include "base/synchronization/lock.h"

namespace logging {
namespace {

FileLoggingSettings g_settings;
LogMessageHandler g_message_handler = nullptr;
LogTextHandler g_fatal_handler = nullptr;
LogTextHandler g_report_handler = nullptr;

// Created on first need and kept until the process ends.
HANDLE g_log_mutex = nullptr;
HANDLE g_log_file = INVALID_HANDLE_VALUE;

base::Lock& InProcessLock() {
  static base::Lock* lock = new base::Lock;  // never destroyed: logging may run at exit
  return *lock;
}

const char* SeverityName(LogSeverity severity) {
  static const char* const kNames[] = {"INFO", "WARNING", "ERROR", "ERROR_REPORT", "FATAL"};
  return severity >= LOG_INFO && severity <= LOG_FATAL ? kNames[severity] : "UNKNOWN";
}

const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}

std::wstring MutexName() {
  std::wstring name = L"Global\\" + GetLogFileName();
  for (size_t i = 7; i < name.size(); ++i) {
    if (name[i] == L'\\') name[i] = L'/';
  }
  return name;
}

void EnsureMutex() {
  if (g_log_mutex) return;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName().c_str());
  if (!mutex) return;  // write unlocked this time; try again with the next message
  if (InterlockedCompareExchangePointer(&g_log_mutex, mutex, nullptr) != nullptr) CloseHandle(mutex);
}

HANDLE OpenForAppend(const wchar_t* path) {
  return CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Called with the lock held.
bool EnsureLogFileOpen() {
  if (g_log_file != INVALID_HANDLE_VALUE) return true;
  static const std::wstring* file_name = new std::wstring(GetLogFileName());
  g_log_file = OpenForAppend(file_name->c_str());
  if (g_log_file == INVALID_HANDLE_VALUE) g_log_file = OpenForAppend(L".\\debug.log");
  if (g_log_file == INVALID_HANDLE_VALUE) return false;
  SetFilePointer(g_log_file, 0, nullptr, FILE_END);
  return true;
}

void WriteToFile(const std::string& text) {
  const bool machine_wide = g_settings.locking == LOCK_LOG_FILE;
  HANDLE mutex = nullptr;
  if (machine_wide) {
    EnsureMutex();
    mutex = g_log_mutex;
    if (mutex) WaitForSingleObject(mutex, INFINITE);  // an abandoned mutex is ours as well
  } else {
    InProcessLock().Acquire();
  }
  if (EnsureLogFileOpen()) {
    SetFilePointer(g_log_file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(g_log_file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  if (machine_wide) {
    if (mutex) ReleaseMutex(mutex);
  } else {
    InProcessLock().Release();
  }
}

}  // namespace

void SetFileLoggingSettings(const FileLoggingSettings& settings) { g_settings = settings; }
void SetLogMessageHandler(LogMessageHandler handler) { g_message_handler = handler; }
void SetLogFatalHandler(LogTextHandler handler) { g_fatal_handler = handler; }
void SetLogReportHandler(LogTextHandler handler) { g_report_handler = handler; }

std::wstring GetLogFileName() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length < MAX_PATH ? length : 0);
  return name.substr(0, name.rfind(L'\\') + 1) + L"debug.log";
}

namespace backend {

int MinSeverity() { return g_settings.min_severity; }

bool DebugChecksEnabled() { return g_settings.debug_checks; }

void WritePrefix(std::ostream& stream, const char* file, int line, LogSeverity severity) {
  char buffer[64];
  if (g_settings.timestamp) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    snprintf(buffer, sizeof(buffer), "%02u-%02u %02u:%02u:%02u ", now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond);
    stream << buffer;
  }
  if (g_settings.tick_count) stream << GetTickCount() << ' ';
  if (g_settings.process_id) stream << '[' << GetCurrentProcessId() << "] ";
  if (g_settings.thread_id) stream << '[' << GetCurrentThreadId() << "] ";
  if (severity < 0)
    stream << "VERBOSE" << -severity;
  else
    stream << SeverityName(severity);
  stream << ' ' << BaseName(file) << '(' << line << ") ";
}

void Emit(LogSeverity severity, const char* file, int line, size_t message_start, const std::string& text) {
  if (g_message_handler && g_message_handler(severity, file, line, message_start, text)) return;

  const int destination = g_settings.destination;
  const bool to_debugger = destination == LOG_TO_SYSTEM_DEBUG_LOG || destination == LOG_TO_BOTH_FILE_AND_SYSTEM_DEBUG_LOG;
  if (to_debugger) OutputDebugStringA(text.c_str());
  if (to_debugger || severity >= LOG_ERROR) {
    fwrite(text.data(), 1, text.size(), stderr);
    fflush(stderr);
  }
  if (destination == LOG_TO_FILE || destination == LOG_TO_BOTH_FILE_AND_SYSTEM_DEBUG_LOG) WriteToFile(text);

  if (severity == LOG_FATAL) {
    if (IsDebuggerPresent())
      DebugBreak();
    else if (g_fatal_handler)
      g_fatal_handler(text);
    else
      DebugBreak();  // an unhandled breakpoint: the crash reporter records it
  } else if (severity == LOG_ERROR_REPORT && g_report_handler) {
    g_report_handler(text);
  }
}

}  // namespace backend
}  // namespace logging
