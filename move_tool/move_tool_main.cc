// NubrelMoveTool: moves the sync client's folder. Started by the client with one argument
// string "source?target?profile"; every run ends with exit code 0.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "base/at_exit.h"
#include "move_tool/main_dlg.h"
#include "move_tool/modal_dialog.h"
#include "move_tool/move_arguments.h"

namespace {

// Destroys the process-wide objects (the database among them) when the program ends.
base::AtExitManager g_at_exit_manager;

}  // namespace

int APIENTRY wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR argument_string, int) {
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  DialogModule::Init(instance);

  MoveArguments arguments;
  if (!ParseMoveArguments(argument_string ? argument_string : L"", &arguments)) return 0;

  // The dialog ends the process itself once the move has ended.
  CMainDlg dialog(arguments.source_dir, arguments.target_dir, arguments.profile_name);
  INT_PTR result = dialog.DoModal();
  DialogModule::Term();
  CoUninitialize();
  return static_cast<int>(result);
}
