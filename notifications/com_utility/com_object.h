// The IUnknown plumbing shared by the library's COM objects: reference counting in the
// single-threaded (plain) or multi-threaded (interlocked) model, QueryInterface for one
// interface, and the module lock each object holds while it is alive.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>

#include "notifications/com_utility/com_module.h"

namespace com {

struct SingleThreadModel {
  static ULONG Increment(LONG* count) { return static_cast<ULONG>(++*count); }
  static ULONG Decrement(LONG* count) { return static_cast<ULONG>(--*count); }
};

struct MultiThreadModel {
  static ULONG Increment(LONG* count) { return static_cast<ULONG>(InterlockedIncrement(count)); }
  static ULONG Decrement(LONG* count) { return static_cast<ULONG>(InterlockedDecrement(count)); }
};

template <class Interface, const IID& kInterfaceId, class ThreadModel>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kInterfaceId)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ThreadModel::Increment(&ref_count_); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG count = ThreadModel::Decrement(&ref_count_);
    if (count == 0) delete this;
    return count;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  LONG ref_count_ = 0;
  ModuleLockHolder module_lock_;  // destroyed last: the lock goes after everything else
};

// Creates a T (reference count 0) and asks it for `iid`; a refused interface destroys it
// again, leaving the lock count as it was.
template <class T>
HRESULT CreateInstance(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  T* instance = new (std::nothrow) T();
  if (!instance) return E_OUTOFMEMORY;
  instance->AddRef();
  HRESULT result = instance->QueryInterface(iid, object);
  instance->Release();
  return result;
}

}  // namespace com
