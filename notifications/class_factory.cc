#include "notifications/class_factory.h"

#include <new>

#include "notifications/com_utility/com_module.h"
#include "notifications/download_lib_plugin.h"
#include "notifications/interfaces/plugin_interfaces.h"

namespace notifications {
namespace {

constexpr int kRegistrationScriptId = 101;

// The object map: one creatable class.
struct ClassEntry {
  const CLSID* clsid;
  CreateInstanceFunction create_instance;
  ClassFactory* cached_factory;
};

ClassEntry g_classes[] = {
    {&kClsidDownloadLibPlugin, &CDownloadLibPlugin::CreateInstance, nullptr},
};

// Guards filling the cache; set up at process attach, deleted at detach.
CRITICAL_SECTION g_cache_section;

}  // namespace

ClassFactory::ClassFactory(CreateInstanceFunction create_instance)
    : create_instance_(create_instance) {}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
  LONG count = InterlockedIncrement(&ref_count_);
  if (count == 2) com::ModuleLock();
  return static_cast<ULONG>(count);
}

ULONG ClassFactory::Release() {
  LONG count = InterlockedDecrement(&ref_count_);
  if (count == 1) com::ModuleUnlock();
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (outer) {
    if (object) *object = nullptr;
    return CLASS_E_NOAGGREGATION;
  }
  if (!object) return E_POINTER;
  return create_instance_(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock)
    com::ModuleLock();
  else
    com::ModuleUnlock();
  return S_OK;
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  for (ClassEntry& entry : g_classes) {
    if (memcmp(entry.clsid, &clsid, sizeof(CLSID)) != 0) continue;
    if (!entry.cached_factory) {
      EnterCriticalSection(&g_cache_section);
      if (!entry.cached_factory) {
        if (ClassFactory* factory = new (std::nothrow) ClassFactory(entry.create_instance)) {
          factory->AddRef();  // the cache's own reference, kept until detach
          entry.cached_factory = factory;
        }
      }
      LeaveCriticalSection(&g_cache_section);
      if (!entry.cached_factory) return E_OUTOFMEMORY;
    }
    return entry.cached_factory->QueryInterface(iid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

void InitializeClassObjects() { InitializeCriticalSection(&g_cache_section); }

void ReleaseClassObjects() {
  for (ClassEntry& entry : g_classes) {
    if (ClassFactory* factory = entry.cached_factory) {
      entry.cached_factory = nullptr;
      factory->Release();
    }
  }
  DeleteCriticalSection(&g_cache_section);
}

HRESULT UpdateRegistry(bool register_server) {
  // This library ships no registration script: the lookup fails and its failure is the
  // result, with the registry left alone. The host takes the class object straight from
  // DllGetClassObject.
  HRSRC script = FindResourceW(com::ModuleInstance(), MAKEINTRESOURCEW(kRegistrationScriptId),
                               L"REGISTRY");
  if (!script) {
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  // A script resource needs a registrar to run it, which this library does not carry.
  return E_NOTIMPL;
}

}  // namespace notifications
