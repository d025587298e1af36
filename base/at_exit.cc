#include "base/at_exit.h"

#include "base/logging.h"

namespace base {
namespace {

// The manager that registrations go to; null when none exists.
AtExitManager* g_top_manager = nullptr;

}  // namespace

AtExitManager::AtExitManager() : next_manager_(g_top_manager) {
  DCHECK(!g_top_manager);
  g_top_manager = this;
}

AtExitManager::~AtExitManager() {
  if (!g_top_manager) {
    NOTREACHED() << "Tried to ~AtExitManager without an AtExitManager";
    return;
  }
  DCHECK(this == g_top_manager);
  ProcessCallbacksNow();
  g_top_manager = next_manager_;
}

void AtExitManager::RegisterCallback(AtExitCallbackType func, void* param) {
  if (!g_top_manager) {
    NOTREACHED() << "Tried to RegisterCallback without an AtExitManager";
    return;
  }
  DCHECK(func);
  AutoLock hold(g_top_manager->lock_);
  g_top_manager->stack_.push_back(Callback{func, param});
}

void AtExitManager::ProcessCallbacksNow() {
  if (!g_top_manager) {
    NOTREACHED() << "Tried to ProcessCallbacksNow without an AtExitManager";
    return;
  }
  AutoLock hold(g_top_manager->lock_);
  while (!g_top_manager->stack_.empty()) {
    Callback callback = g_top_manager->stack_.back();
    if (callback.func) callback.func(callback.param);
    g_top_manager->stack_.pop_back();
  }
}

}  // namespace base
