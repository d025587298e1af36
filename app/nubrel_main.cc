// The launcher: starts the client library nubrel.dll and exits with its result.
#include <windows.h>

#include <memory>

#include "app/client_util.h"
#include "base/at_exit.h"
#include "base/command_line.h"

int APIENTRY wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  // Lives until the end of the entry point, where it runs the at-exit callbacks.
  base::AtExitManager exit_manager;
  // The client reads the command line from the process as well; the argument here is unused.
  base::ProcessCommandLine::InitForProcess();

  std::unique_ptr<ClientLoader> loader(new ClientLoader);
  const int result = loader->Launch(instance);
  loader->RelaunchIfNeeded();
  loader.reset();  // the client library stays loaded
  return result;
}
