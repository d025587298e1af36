// A launcher folder in a temporary place: the real nubrel.exe copied there beside the stand-in
// variants a test asks for, started as a process from another folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

class LauncherTest : public ::testing::Test {
 protected:
  static const DWORD kTimeoutMs = 60000;

  // Copies nubrel.exe, `client` as nubrel.dll and `reporter` as CrashReporter.dll (a null
  // name leaves that file out).
  void Install(const wchar_t* client, const wchar_t* reporter);

  // Starts the launcher with `arguments`, from another folder unless `options` say otherwise,
  // and waits for it. Returns its exit code (0xFFFFFFFF after a reported failure).
  DWORD Launch(const std::wstring& arguments, test_support::ChildProcess::Options options);
  DWORD Launch(const std::wstring& arguments = L"") { return Launch(arguments, test_support::ChildProcess::Options()); }
  std::wstring LauncherCommandLine(const std::wstring& arguments) const;

  // What the stand-ins recorded, one entry per line.
  std::vector<std::string> Record() const;
  // The lines of a debug.log (in the launcher folder unless `folder` is given); the file's
  // last line must be complete.
  std::vector<std::string> LogLines(const std::wstring& folder = std::wstring()) const;

  // A file in the launcher folder, and its removal (a missing file is fine).
  std::wstring folder_path(const wchar_t* name) const { return folder_.Join(name); }
  void Remove(const wchar_t* name) const { DeleteFileW(folder_path(name).c_str()); }

  const std::wstring& folder() const { return folder_.path(); }
  const std::wstring& elsewhere() const { return elsewhere_.path(); }
  std::wstring launcher() const { return folder_.Join(L"nubrel.exe"); }

 private:
  test_support::TempDir folder_;
  test_support::TempDir elsewhere_;
};

// Position of `line` in `lines`, or -1.
int IndexOf(const std::vector<std::string>& lines, const std::string& line);
int CountOf(const std::vector<std::string>& lines, const std::string& line);

// Matches one whole launcher log line of severity ERROR and returns its message (or fails).
::testing::AssertionResult IsErrorLine(const std::string& line, const std::string& source_file,
                                       const std::string& message);
