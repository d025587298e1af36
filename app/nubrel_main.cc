#include <windows.h>

#include "base/at_exit.h"
#include "base/logging.h"

int APIENTRY wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  base::AtExitManager exit_manager;
  return 0;
}
