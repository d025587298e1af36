// A program built with the debugger-only logging variant (like the move tool and the plug-in).
// It does what its argument names and reports its own progress as "probe: ..." debugger texts,
// so a test reads one ordered stream.
#include <windows.h>

#include <string.h>

#include <string>

#include "base/at_exit.h"
#include "base/lazy_instance.h"
#include "base/logging.h"

namespace {

void Progress(const std::string& text) { OutputDebugStringA(("probe: " + text + "\n").c_str()); }

void Announce(void* name) { Progress(std::string("callback ") + static_cast<const char*>(name) + " ran"); }

struct Counter {
  int value = 7;
};
base::LazyInstance<Counter> g_counter;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* mode = argc > 1 ? argv[1] : L"";
  if (!wcscmp(mode, L"register-without-manager")) {
    base::AtExitManager::RegisterCallback(&Announce, const_cast<char*>("A"));
  } else if (!wcscmp(mode, L"process-without-manager")) {
    base::AtExitManager::ProcessCallbacksNow();
  } else if (!wcscmp(mode, L"lazy-without-manager")) {
    Progress("instance holds " + std::to_string(g_counter.Get().value));
  } else if (!wcscmp(mode, L"null-callback")) {
    base::AtExitManager manager;
    base::AtExitManager::RegisterCallback(nullptr, nullptr);
    base::AtExitManager::RegisterCallback(&Announce, const_cast<char*>("B"));
  } else if (!wcscmp(mode, L"failed-checks")) {
    int two = 2;
    CHECK(two == 3) << "details";
    CHECK_EQ(two, 3);
    LOG(INFO) << "wide " << L"\u6f84\u821f";
  } else {
    Progress("unknown mode");
    return 2;
  }
  Progress("finished");
  return 0;
}
