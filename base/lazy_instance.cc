#include "base/lazy_instance.h"

namespace base {
namespace internal {

bool NeedsLazyInstance(volatile LONG_PTR* slot) {
  if (InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(slot),
                                        reinterpret_cast<void*>(kLazyInstanceCreating), nullptr) == nullptr) {
    return true;
  }
  while (*slot == kLazyInstanceCreating) Sleep(0);
  return false;
}

void CompleteLazyInstance(volatile LONG_PTR* slot, LONG_PTR instance, AtExitManager::AtExitCallbackType destroy,
                          void* param) {
  InterlockedExchangePointer(reinterpret_cast<void* volatile*>(slot), reinterpret_cast<void*>(instance));
  AtExitManager::RegisterCallback(destroy, param);
}

}  // namespace internal
}  // namespace base
