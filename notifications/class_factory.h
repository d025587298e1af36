// The class object of the library's one creatable class and the cache that
// DllGetClassObject fills. The cached factory counts as one module lock only while
// someone besides the cache holds it.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace notifications {

using CreateInstanceFunction = HRESULT (*)(REFIID iid, void** object);

class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(CreateInstanceFunction create_instance);
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  virtual ~ClassFactory() = default;

  CreateInstanceFunction create_instance_;
  LONG ref_count_ = 0;
};

// DllGetClassObject's work: the cached factory for a known class, asked for `iid`.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);
// Process attach: sets up the cache's lock.
void InitializeClassObjects();
// Process detach: drops the cache's references and its lock.
void ReleaseClassObjects();
// DllRegisterServer / DllUnregisterServer: runs the registration script resource.
HRESULT UpdateRegistry(bool register_server);

}  // namespace notifications
