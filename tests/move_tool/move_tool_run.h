// One run of the real NubrelMoveTool.exe with its peers in place: a profile database that
// holds the old sync folder, the launcher stand-in below the client data directory recording
// how it is started, and helpers that play the client or keep files busy.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace move_test {

extern const wchar_t kWindowTitle[];
extern const wchar_t kMessageBoxCaption[];
extern const wchar_t kFilesInUseText[];
extern const wchar_t kDiskFullText[];
extern const char kOldSyncFolder[];

class MoveToolRun {
 public:
  MoveToolRun();
  ~MoveToolRun();
  MoveToolRun(const MoveToolRun&) = delete;
  MoveToolRun& operator=(const MoveToolRun&) = delete;

  const std::wstring& profile() const { return profile_; }
  // "source?target?profile" for this run's profile.
  std::wstring Arguments(const std::wstring& source, const std::wstring& target) const;

  bool Start(const std::wstring& argument_string);
  DWORD pid() const { return tool_.pid(); }
  // Waits for the tool to end; true with its exit code.
  bool WaitForExit(DWORD timeout_ms, DWORD* exit_code);

  // The "nubrel_path" row of the profile's database (UTF-8), or "<none>".
  std::string RecordedSyncFolder() const;
  // The argument strings the launcher stand-in was started with. With `expect_launch` it
  // first waits (bounded) for the launcher, which runs after the tool has gone.
  std::vector<std::string> Launches(bool expect_launch) const;

 private:
  std::wstring profile_;
  std::wstring profile_dir_;
  test_support::TempDir scratch_;
  std::wstring launch_record_;
  test_support::ChildProcess tool_;
};

// A helper process that keeps `path` open without sharing until it is destroyed.
class BusyFile {
 public:
  explicit BusyFile(const std::wstring& path);
  bool busy() const { return busy_; }

 private:
  test_support::ChildProcess holder_;
  bool busy_ = false;
};

// The client stand-in "nubrel.exe": holds the client mutex when asked, exits by itself with
// code 7 after `exit_after_ms` (INFINITE: never). `image_name` may name a copy with another
// letter case.
class FakeClient {
 public:
  static constexpr DWORD kExitedByItself = 7;
  FakeClient(bool hold_mutex, DWORD exit_after_ms, const std::wstring& image_name = L"nubrel.exe");
  bool running() const { return running_; }
  test_support::ChildProcess& process() { return process_; }

 private:
  test_support::TempDir copy_dir_;
  test_support::ChildProcess process_;
  bool running_ = false;
};

// Whether a mutex of the client's name exists now.
bool ClientMutexExists();

}  // namespace move_test
