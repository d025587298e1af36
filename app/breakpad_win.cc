#include "app/breakpad_win.h"

#include <windows.h>

#include <vector>

#include "base/command_line.h"
#include "base/logging.h"
#include "base/path_lookup.h"
#include "base/strings/string_util.h"
#include "base/version_resource.h"

namespace {

const char kDisableBreakpadSwitch[] = "disable-breakpad";
// Joined as given: the leading separator is part of the name the reporter has always used.
const char kCrashReporterComponent[] = "\\CrashReporter.dll";
const char kRegisterCrashExport[] = "RegisterCrash";
const wchar_t kProgramFileName[] = L"nubrel.exe";

typedef int (*RegisterCrashFunction)(const wchar_t* exe_name, const wchar_t* version, const wchar_t* reserved1,
                                     const wchar_t* reserved2);

}  // namespace

std::wstring NormalizeVersionText(const std::wstring& version) {
  const size_t kPieceCount = 4;
  std::vector<std::wstring> pieces = base::SplitString(version, L'.');
  if (pieces.size() != kPieceCount) pieces = base::SplitString(version, L',');
  if (pieces.size() != kPieceCount) return version;
  return base::JoinString(pieces, L".");
}

void InitCrashReporting(const std::wstring& client_dll_path) {
  if (base::ProcessCommandLine::Current()->HasSwitchName(kDisableBreakpadSwitch)) return;

  const base::PathString reporter_path = base::PathString(client_dll_path).Parent().JoinAscii(kCrashReporterComponent);
  HMODULE reporter = LoadLibraryExW(reporter_path.value().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!reporter) {
    LOG(ERROR) << "No found CrashReporter.dll";
    return;
  }
  // The reporter stays loaded for the rest of the process's life.
  RegisterCrashFunction register_crash =
      reinterpret_cast<RegisterCrashFunction>(GetProcAddress(reporter, kRegisterCrashExport));
  if (!register_crash) {
    LOG(ERROR) << "No found function RegisterCrash";
    return;
  }

  base::PathString program_dir;
  if (!base::PathLookup::Get(base::PathLookup::DIR_PROGRAM, &program_dir)) {
    LOG(ERROR) << "Get ExePath FAILED";
    return;
  }
  std::wstring version;
  std::unique_ptr<base::VersionResource> version_block =
      base::VersionResource::CreateForFile(program_dir.Join(kProgramFileName));
  if (version_block) version = NormalizeVersionText(version_block->product_version());

  register_crash(kProgramFileName, version.c_str(), L"", L"");
}
