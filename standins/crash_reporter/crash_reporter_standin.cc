// Stand-in for CrashReporter.dll: records that it was loaded and what RegisterCrash received.
// The variant STANDIN_NO_REGISTER leaves out the export.
#include <windows.h>

#include <string>

#include "standin_record.h"

namespace {

standin::Recorder g_recorder("crash-reporter");

[[maybe_unused]] void Record(const std::string& line) { g_recorder.Record(line); }

[[maybe_unused]] std::string Argument(const wchar_t* text) { return text ? standin::ToUtf8(text) : std::string("<null>"); }

}  // namespace

#ifndef STANDIN_NO_REGISTER
extern "C" __declspec(dllexport) int RegisterCrash(const wchar_t* exe_name, const wchar_t* version,
                                                   const wchar_t* reserved1, const wchar_t* reserved2) {
  Record("RegisterCrash");
  Record("exe-name=" + Argument(exe_name));
  Record("version=" + Argument(version));
  Record("argument3=" + Argument(reserved1));
  Record("argument4=" + Argument(reserved2));
  Record("NUBREL_VERSION=" + standin::ToUtf8(standin::EnvironmentValue(L"NUBREL_VERSION")));
  return 1;
}
#endif

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_recorder.Attached(module);
  return TRUE;
}
