// The library's entry point and its COM server exports (undecorated through
// notifications.def).
#include <windows.h>
#include <objbase.h>

#include "notifications/class_factory.h"
#include "notifications/com_utility/com_module.h"
#include "notifications/interfaces/plugin_interfaces.h"

extern "C" const CLSID CLSID_DownloadLibPlugin = notifications::kClsidDownloadLibPlugin;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    com::ModuleAttach(instance);
    notifications::InitializeClassObjects();
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    notifications::ReleaseClassObjects();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return notifications::GetClassObject(clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return com::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return notifications::UpdateRegistry(true); }

STDAPI DllUnregisterServer() { return notifications::UpdateRegistry(false); }
