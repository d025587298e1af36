// The at-exit manager: callbacks registered while a manager exists run, newest first, when it
// is destroyed (or when ProcessCallbacksNow is called).
//
// Where the manager lives is each program's choice: the launcher keeps one as a local object
// of its entry point, the move tool as a static object; the plug-in has none, so its
// registrations are refused (the refusal is a debug check, see base/logging.h) and never run.
#pragma once

#include <vector>

#include "base/synchronization/lock.h"

namespace base {

class AtExitManager {
 public:
  typedef void (*AtExitCallbackType)(void* param);

  AtExitManager();
  ~AtExitManager();
  AtExitManager(const AtExitManager&) = delete;
  AtExitManager& operator=(const AtExitManager&) = delete;

  // Pushes `func` with `param` on the current manager's stack. Without a current manager the
  // registration is refused and the callback never runs.
  static void RegisterCallback(AtExitCallbackType func, void* param);

  // Runs and removes the pending callbacks in reverse order of registration. A callback must
  // not register another one while this runs.
  static void ProcessCallbacksNow();

 private:
  struct Callback {
    AtExitCallbackType func;
    void* param;
  };

  Lock lock_;
  std::vector<Callback> stack_;
  AtExitManager* next_manager_;
};

}  // namespace base
