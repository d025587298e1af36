#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/at_exit.h"
#include "base/lazy_instance.h"

namespace {

void AppendName(void* param) {
  std::pair<std::string*, char>* entry = static_cast<std::pair<std::string*, char>*>(param);
  *entry->first += entry->second;
}

TEST(AtExitManager, RunsCallbacksNewestFirst) {
  std::string order;
  std::pair<std::string*, char> a(&order, 'A'), b(&order, 'B'), c(&order, 'C');
  {
    base::AtExitManager manager;
    base::AtExitManager::RegisterCallback(&AppendName, &a);
    base::AtExitManager::RegisterCallback(&AppendName, &b);
    EXPECT_EQ("", order);
    base::AtExitManager::ProcessCallbacksNow();
    EXPECT_EQ("BA", order);
    base::AtExitManager::RegisterCallback(&AppendName, &c);
    base::AtExitManager::RegisterCallback(&AppendName, &a);
  }
  EXPECT_EQ("BAAC", order);
}

TEST(AtExitManager, RefusesRegistrationWithoutManager) {
  std::string order;
  std::pair<std::string*, char> a(&order, 'A');
  base::AtExitManager::RegisterCallback(&AppendName, &a);
  { base::AtExitManager manager; }
  EXPECT_EQ("", order);
}

struct Tracked {
  static LONG alive;
  static LONG built;
  Tracked() {
    InterlockedIncrement(&alive);
    InterlockedIncrement(&built);
    Sleep(20);  // widen the window in which other threads ask for the instance
  }
  ~Tracked() { InterlockedDecrement(&alive); }
};
LONG Tracked::alive = 0;
LONG Tracked::built = 0;

base::LazyInstance<Tracked> g_tracked;

DWORD WINAPI GetTracked(void* result) {
  *static_cast<Tracked**>(result) = g_tracked.Pointer();
  return 0;
}

TEST(LazyInstance, BuildsOnceForAllThreadsAndDiesWithTheManager) {
  {
    base::AtExitManager manager;
    const int kThreads = 8;
    Tracked* seen[kThreads] = {};
    HANDLE threads[kThreads];
    for (int i = 0; i < kThreads; ++i) threads[i] = CreateThread(nullptr, 0, &GetTracked, &seen[i], 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(kThreads, threads, TRUE, 30000));
    for (HANDLE thread : threads) CloseHandle(thread);
    for (Tracked* instance : seen) EXPECT_EQ(g_tracked.Pointer(), instance);
    EXPECT_EQ(1, Tracked::built);
    EXPECT_EQ(1, Tracked::alive);
  }
  EXPECT_EQ(0, Tracked::alive);
  {
    base::AtExitManager manager;
    g_tracked.Get();  // the emptied slot builds a new one
    EXPECT_EQ(2, Tracked::built);
  }
  EXPECT_EQ(0, Tracked::alive);
}

}  // namespace
