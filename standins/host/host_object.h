// IUnknown plumbing of the host stand-in's objects: an interlocked reference count that
// tests can read, and QueryInterface over a fixed list of identifiers.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <initializer_list>
#include <vector>

namespace host {

template <class Interface>
class HostObject : public Interface {
 public:
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    bool known = IsEqualIID(iid, IID_IUnknown);
    for (const IID& offered : interface_ids_) known = known || IsEqualIID(iid, offered);
    if (!known) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&ref_count_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG count = InterlockedDecrement(&ref_count_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

  // The current count, for tests that check every reference was given back.
  LONG ref_count() const { return InterlockedCompareExchange(&ref_count_, 0, 0); }

 protected:
  // Starts with one reference, owned by the creator.
  explicit HostObject(std::initializer_list<IID> interface_ids) : interface_ids_(interface_ids) {}
  virtual ~HostObject() = default;

 private:
  std::vector<IID> interface_ids_;
  mutable volatile LONG ref_count_ = 1;
};

}  // namespace host
