#include "standins/host/plugin_library.h"

namespace host {

PluginLibrary::~PluginLibrary() {
  if (module_) FreeLibrary(module_);
}

bool PluginLibrary::Load(const std::wstring& path) {
  module_ = LoadLibraryW(path.c_str());
  if (!module_) return false;
  get_class_object_ =
      reinterpret_cast<GetClassObjectFunction>(GetProcAddress(module_, "DllGetClassObject"));
  can_unload_now_ =
      reinterpret_cast<NoArgumentFunction>(GetProcAddress(module_, "DllCanUnloadNow"));
  register_server_ =
      reinterpret_cast<NoArgumentFunction>(GetProcAddress(module_, "DllRegisterServer"));
  unregister_server_ =
      reinterpret_cast<NoArgumentFunction>(GetProcAddress(module_, "DllUnregisterServer"));
  if (get_class_object_ && can_unload_now_) return true;
  FreeLibrary(module_);
  module_ = nullptr;
  SetLastError(ERROR_PROC_NOT_FOUND);
  return false;
}

HRESULT PluginLibrary::GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return get_class_object_ ? get_class_object_(clsid, iid, object) : E_UNEXPECTED;
}

HRESULT PluginLibrary::CanUnloadNow() {
  return can_unload_now_ ? can_unload_now_() : E_UNEXPECTED;
}

HRESULT PluginLibrary::RegisterServer() {
  return register_server_ ? register_server_() : E_UNEXPECTED;
}

HRESULT PluginLibrary::UnregisterServer() {
  return unregister_server_ ? unregister_server_() : E_UNEXPECTED;
}

const CLSID* PluginLibrary::ExportedClassId() {
  return module_ ? reinterpret_cast<const CLSID*>(
                       GetProcAddress(module_, "CLSID_DownloadLibPlugin"))
                 : nullptr;
}

HRESULT PluginLibrary::CreatePlugin(com::com_ptr<notifications::IDownloadLibPlugin>* plugin) {
  const CLSID* clsid = ExportedClassId();
  if (!clsid) return CLASS_E_CLASSNOTAVAILABLE;
  com::com_ptr<IClassFactory> factory;
  HRESULT result = GetClassObject(*clsid, IID_IClassFactory, factory.receive_void());
  if (FAILED(result)) return result;
  return factory->CreateInstance(nullptr, notifications::IID_IDownloadLibPlugin,
                                 plugin->receive_void());
}

bool PluginLibrary::UnloadIfAllowed() {
  if (!module_ || CanUnloadNow() != S_OK) return false;
  FreeLibrary(module_);
  module_ = nullptr;
  return true;
}

}  // namespace host
