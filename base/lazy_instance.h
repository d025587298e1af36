// Process-wide objects created on first use:
//
//   static base::LazyInstance<Registry> g_registry;   // constant-initialised, no constructor runs
//   g_registry.Get().Add(...);
//
// The slot is one machine word: 0 = not created, 1 = being created, anything else = the
// instance. The first caller builds the instance; concurrent callers yield until it is there.
// Once built, an at-exit callback is registered that destroys it and empties the slot again
// (without an AtExitManager the registration is refused and the instance lives on).
#pragma once

#include <windows.h>

#include "base/at_exit.h"

namespace base {
namespace internal {

const LONG_PTR kLazyInstanceCreating = 1;

// Claims the slot for creation (true) or waits until another thread has created it (false).
bool NeedsLazyInstance(volatile LONG_PTR* slot);
// Publishes the instance and registers `destroy` with the at-exit manager.
void CompleteLazyInstance(volatile LONG_PTR* slot, LONG_PTR instance, AtExitManager::AtExitCallbackType destroy,
                          void* param);

}  // namespace internal

template <typename Type>
class LazyInstance {
 public:
  constexpr LazyInstance() : slot_(0) {}
  LazyInstance(const LazyInstance&) = delete;
  LazyInstance& operator=(const LazyInstance&) = delete;

  Type& Get() { return *Pointer(); }

  Type* Pointer() {
    LONG_PTR value = slot_;
    if (value != 0 && value != internal::kLazyInstanceCreating) return reinterpret_cast<Type*>(value);
    if (internal::NeedsLazyInstance(&slot_)) {
      internal::CompleteLazyInstance(&slot_, reinterpret_cast<LONG_PTR>(new Type()), &OnExit, this);
    }
    return reinterpret_cast<Type*>(slot_);
  }

 private:
  static void OnExit(void* param) {
    LazyInstance* self = static_cast<LazyInstance*>(param);
    delete reinterpret_cast<Type*>(self->slot_);
    self->slot_ = 0;
  }

  volatile LONG_PTR slot_;
};

}  // namespace base
