// Logging and checks.
//
//   LOG(ERROR) << "Failed to load " << path;     // one line, emitted when the statement ends
//   CHECK(slot != TLS_OUT_OF_INDEXES);           // always active: "Check failed: <cond>. "
//   CHECK_EQ(a, b);                              // "Check failed: a == b (1 vs. 2)"
//   DCHECK(func) << "details";                   // debug check, see below
//   NOTREACHED() << "why";                       // a debug check of `false`
//
// Wide strings (const wchar_t*, std::wstring) stream as UTF-8.
//
// Where the lines go is chosen when a program is linked:
// - Linking only `base` gives the debugger-only variant (move tool, plug-in, tests): each line
//   is ":" + source path as compiled + "(" + line + ")] " + message + "\n", sent to
//   OutputDebugStringA only. Debug checks are on. Failed checks (CHECK and DCHECK) are
//   reported and never stop the process.
// - Linking the object library `base_logging_file` as well (the launcher) gives the file
//   variant of base/logging_file.h: timestamped lines in "debug.log" beside the executable,
//   guarded by a machine-wide mutex; debug checks off; a failed CHECK stops the process.
// Either way, logging never changes the thread's last-error value.
#pragma once

#include <windows.h>

#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace logging {

typedef int LogSeverity;
const LogSeverity LOG_VERBOSE = -1;  // VLOG(n) logs at -n
const LogSeverity LOG_INFO = 0;
const LogSeverity LOG_WARNING = 1;
const LogSeverity LOG_ERROR = 2;
const LogSeverity LOG_ERROR_REPORT = 3;
const LogSeverity LOG_FATAL = 4;
// <windows.h> defines ERROR as 0, which turns LOG(ERROR) into LOG_0.
const LogSeverity LOG_0 = LOG_ERROR;

// Messages below this severity are not built.
int GetMinLogLevel();
// Debug checks are evaluated only when this is true.
bool DCheckIsOn();

// One message: the prefix is written on construction, the line is emitted on destruction.
class LogMessage {
 public:
  LogMessage(const char* file, int line, LogSeverity severity);
  // A failed check: `failure` follows "Check failed: ".
  LogMessage(const char* file, int line, LogSeverity severity, const std::string& failure);
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;

  std::ostream& stream() { return stream_; }

 private:
  // Captures the thread's last error before anything of the message runs (even building the
  // stream can change it) and restores it after everything, the stream's destruction included.
  class LastErrorKeeper {
   public:
    LastErrorKeeper() : saved_(GetLastError()) {}
    ~LastErrorKeeper() { SetLastError(saved_); }

   private:
    DWORD saved_;
  };

  void Init();

  LastErrorKeeper last_error_;  // first member: constructed first, destroyed last
  LogSeverity severity_;
  const char* file_;
  int line_;
  std::ostringstream stream_;
  size_t message_start_;  // (size_t)-1 when the stream failed
};

// Turns the streamed expression into void, so that the macros below are expressions.
class LogMessageVoidify {
 public:
  void operator&(std::ostream&) {}
};

// The result of a comparison check: empty when it passed, the failure text otherwise.
class CheckOpResult {
 public:
  CheckOpResult() = default;
  explicit CheckOpResult(std::string* failure) : failure_(failure) {}
  explicit operator bool() const { return !failure_; }  // true when the check passed
  const std::string& failure() const { return *failure_; }

 private:
  std::unique_ptr<std::string> failure_;
};

template <typename A, typename B>
CheckOpResult MakeCheckOpResult(const A& a, const B& b, const char* names) {
  std::ostringstream text;
  text << names << " (" << a << " vs. " << b << ")";
  return CheckOpResult(new std::string(text.str()));
}

#define LOGGING_DEFINE_CHECK_OP(name, op)                                                 \
  template <typename A, typename B>                                                       \
  inline CheckOpResult Check##name##Impl(const A& a, const B& b, const char* names) {    \
    if (a op b) return CheckOpResult();                                                   \
    return MakeCheckOpResult(a, b, names);                                                \
  }
LOGGING_DEFINE_CHECK_OP(EQ, ==)
LOGGING_DEFINE_CHECK_OP(NE, !=)
LOGGING_DEFINE_CHECK_OP(LE, <=)
LOGGING_DEFINE_CHECK_OP(LT, <)
LOGGING_DEFINE_CHECK_OP(GE, >=)
LOGGING_DEFINE_CHECK_OP(GT, >)
#undef LOGGING_DEFINE_CHECK_OP

}  // namespace logging

// Wide text in log messages is written as UTF-8.
std::ostream& operator<<(std::ostream& out, const wchar_t* wide);
std::ostream& operator<<(std::ostream& out, const std::wstring& wide);

#define LOGGING_LAZY_STREAM(stream, condition) \
  !(condition) ? (void)0 : ::logging::LogMessageVoidify() & (stream)

#define LOGGING_SEVERITY(severity) ::logging::LOG_##severity
#define LOG_IS_ON(severity) (LOGGING_SEVERITY(severity) >= ::logging::GetMinLogLevel())

#define LOG(severity) \
  LOGGING_LAZY_STREAM(::logging::LogMessage(__FILE__, __LINE__, LOGGING_SEVERITY(severity)).stream(), LOG_IS_ON(severity))
#define LOG_IF(severity, condition) \
  LOGGING_LAZY_STREAM(::logging::LogMessage(__FILE__, __LINE__, LOGGING_SEVERITY(severity)).stream(), \
                      LOG_IS_ON(severity) && (condition))
#define VLOG(level) \
  LOGGING_LAZY_STREAM(::logging::LogMessage(__FILE__, __LINE__, -(level)).stream(), \
                      -(level) >= ::logging::GetMinLogLevel())

#define LOGGING_CHECK(severity, enabled, condition)                                             \
  LOGGING_LAZY_STREAM(::logging::LogMessage(__FILE__, __LINE__, severity, #condition ". ").stream(), \
                      (enabled) && !(condition))

#define LOGGING_CHECK_OP(severity, enabled, name, op, a, b)                                          \
  switch (0)                                                                                         \
  case 0:                                                                                            \
  default:                                                                                           \
    if (::logging::CheckOpResult check_op_result_ =                                                  \
            (enabled) ? ::logging::Check##name##Impl((a), (b), #a " " #op " " #b) : ::logging::CheckOpResult()) \
      ;                                                                                              \
    else                                                                                             \
      ::logging::LogMessage(__FILE__, __LINE__, severity, check_op_result_.failure()).stream()

// Always-active checks: a failure is a FATAL message.
#define CHECK(condition) LOGGING_CHECK(::logging::LOG_FATAL, true, condition)
#define CHECK_EQ(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, EQ, ==, a, b)
#define CHECK_NE(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, NE, !=, a, b)
#define CHECK_LE(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, LE, <=, a, b)
#define CHECK_LT(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, LT, <, a, b)
#define CHECK_GE(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, GE, >=, a, b)
#define CHECK_GT(a, b) LOGGING_CHECK_OP(::logging::LOG_FATAL, true, GT, >, a, b)

// Debug checks: evaluated only when DCheckIsOn(); a failure is an ERROR_REPORT message.
#define DCHECK(condition) LOGGING_CHECK(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), condition)
#define DCHECK_EQ(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), EQ, ==, a, b)
#define DCHECK_NE(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), NE, !=, a, b)
#define DCHECK_LE(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), LE, <=, a, b)
#define DCHECK_LT(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), LT, <, a, b)
#define DCHECK_GE(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), GE, >=, a, b)
#define DCHECK_GT(a, b) LOGGING_CHECK_OP(::logging::LOG_ERROR_REPORT, ::logging::DCheckIsOn(), GT, >, a, b)
#define NOTREACHED() DCHECK(false)
