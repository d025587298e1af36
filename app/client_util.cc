#include "app/client_util.h"

#include <shlwapi.h>

#include "app/breakpad_win.h"
#include "base/logging.h"
#include "base/process_environment.h"

namespace {

const wchar_t kClientDllName[] = L"nubrel.dll";
const char kClientMainExport[] = "NubrelMain";
const char kRelaunchExport[] = "RelaunchNubrelWithNewCommandLineIfNeeded";
const char kVersionVariable[] = "NUBREL_VERSION";

const int kExitClientNotLoaded = 6;
const int kExitNoClientMain = 5;

typedef int (*ClientMainFunction)(HINSTANCE instance);
typedef int (*RelaunchFunction)();

}  // namespace

std::wstring GetClientDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (!PathRemoveFileSpecW(path)) return std::wstring();
  return std::wstring(path) + L"\\";
}

int ClientLoader::Launch(HINSTANCE instance) {
  const std::wstring client_dir = GetClientDirectory();
  SetCurrentDirectoryW(client_dir.c_str());

  // The library's own dependencies are searched for in its folder first.
  const std::wstring dll_path = client_dir + kClientDllName;
  client_module_ = LoadLibraryExW(dll_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!client_module_) {
    LOG(ERROR) << "Failed to load nubrel.dll from " << client_dir;
    return kExitClientNotLoaded;
  }

  base::ProcessEnvironment::Set(kVersionVariable, std::string());
  InitCrashReporting(dll_path);
  BeforeClientMain(dll_path);

  ClientMainFunction client_main =
      reinterpret_cast<ClientMainFunction>(GetProcAddress(client_module_, kClientMainExport));
  if (!client_main) return kExitNoClientMain;

  // The whole life of the client runs inside this call.
  const int result = client_main(instance);
  return AfterClientMain(result, dll_path);
}

void ClientLoader::RelaunchIfNeeded() {
  RelaunchFunction relaunch =
      client_module_ ? reinterpret_cast<RelaunchFunction>(GetProcAddress(client_module_, kRelaunchExport)) : nullptr;
  if (!relaunch) {
    LOG(ERROR) << "Could not find exported function " << kRelaunchExport;
    return;
  }
  relaunch();
}
