// Small helpers shared by the tests: temporary folders, files, text conversion and
// child processes that the test always ends itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Folder that holds the running test program; the deliverables and stand-ins are built there too.
std::wstring BinDir();

bool FileExists(const std::wstring& path);
bool ReadFile(const std::wstring& path, std::string* contents);
bool WriteFile(const std::wstring& path, const std::string& contents);
bool CopyTo(const std::wstring& from, const std::wstring& to);
// Deletes a folder and everything below it; missing folders are fine.
void RemoveTree(const std::wstring& path);

// A fresh, empty folder below the system's temp folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring Join(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// A started process. The destructor terminates it (by its own handle) when it still runs,
// so a failing test never leaves processes behind.
class ChildProcess {
 public:
  struct Options {
    std::wstring current_dir;                      // empty: inherit
    std::vector<std::wstring> extra_environment;  // "NAME=value" entries added to ours
    std::vector<std::wstring> removed_environment;  // names taken out of ours
    bool capture_output = false;                   // stdout+stderr into output()
  };

  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` with the full command line `command_line` (argv[0] included).
  bool Start(const std::wstring& program, const std::wstring& command_line, const Options& options);
  bool Start(const std::wstring& program, const std::wstring& command_line) {
    return Start(program, command_line, Options());
  }
  // Waits at most `timeout_ms`; true when the process ended, its exit code in *exit_code.
  bool Wait(DWORD timeout_ms, DWORD* exit_code);
  void Terminate();
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  // Captured output; complete once Wait() returned true.
  const std::string& output() const { return output_; }

 private:

  struct Drain;
  static DWORD WINAPI DrainThread(void* param);
  void FinishOutput();

  HANDLE process_ = nullptr;
  Drain* drain_ = nullptr;
  HANDLE drain_thread_ = nullptr;
  DWORD pid_ = 0;
  std::string output_;
};

// Quotes one argument by the rules the system's command-line splitting undoes.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace test_support
