// Loads a plug-in library the way the host does: LoadLibrary, then its class object
// through DllGetClassObject, then a plug-in object from the class factory.
#pragma once

#include <windows.h>

#include <string>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace host {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // False (with the system error available) when the file cannot be loaded or lacks the
  // COM server exports.
  bool Load(const std::wstring& path);
  HMODULE module() const { return module_; }

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);
  HRESULT CanUnloadNow();
  HRESULT RegisterServer();
  HRESULT UnregisterServer();
  // The class identifier the library exports as data, or null.
  const CLSID* ExportedClassId();

  // A new plug-in object of the exported class.
  HRESULT CreatePlugin(com::com_ptr<notifications::IDownloadLibPlugin>* plugin);

  // Unloads the library when it allows it; true when it is gone.
  bool UnloadIfAllowed();

 private:
  using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
  using NoArgumentFunction = HRESULT(STDAPICALLTYPE*)();

  HMODULE module_ = nullptr;
  GetClassObjectFunction get_class_object_ = nullptr;
  NoArgumentFunction can_unload_now_ = nullptr;
  NoArgumentFunction register_server_ = nullptr;
  NoArgumentFunction unregister_server_ = nullptr;
};

}  // namespace host
