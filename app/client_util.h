// Loads the client library nubrel.dll from the launcher's folder and runs it.
#pragma once

#include <windows.h>

#include <string>

class ClientLoader {
 public:
  ClientLoader() = default;
  virtual ~ClientLoader() = default;
  ClientLoader(const ClientLoader&) = delete;
  ClientLoader& operator=(const ClientLoader&) = delete;

  // Makes the launcher's folder the current directory, loads the client library, registers the
  // crash reporter and runs the client's main export. Returns the exit code: 6 when the
  // library cannot be loaded, 5 when it has no main export, otherwise the client's result.
  int Launch(HINSTANCE instance);

  // Lets the client start itself again with a new command line. Runs after Launch, also when
  // loading failed.
  void RelaunchIfNeeded();

 protected:
  // Called with the client library path after crash registration, before the main export is
  // looked up.
  virtual void BeforeClientMain(const std::wstring& dll_path) {}
  // Called with the main export's result; returns the exit code to use.
  virtual int AfterClientMain(int result, const std::wstring& dll_path) { return result; }

 private:
  HMODULE client_module_ = nullptr;  // stays loaded until the process ends
};

// The launcher's folder followed by one backslash, or empty when it cannot be derived.
std::wstring GetClientDirectory();
