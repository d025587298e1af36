// Hands the process to the crash reporter CrashReporter.dll beside the client library.
#pragma once

#include <string>

// Loads CrashReporter.dll from the client library's folder and calls its RegisterCrash with
// "nubrel.exe" and the launcher's product version. Does nothing when the command line has the
// switch "disable-breakpad". Failures are logged; start-up goes on either way.
void InitCrashReporting(const std::wstring& client_dll_path);

// "2,0,0,473" and "2, 0, 0, 473" become "2.0.0.473"; text that does not split into exactly
// four pieces at "." or at "," stays as it is.
std::wstring NormalizeVersionText(const std::wstring& version);
