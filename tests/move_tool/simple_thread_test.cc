// Threads with the start handshake, and events.
#include "base/threading/simple_thread.h"

#include <gtest/gtest.h>

#include "base/threading/waitable_event.h"

namespace {

class RecordingThread : public base::SimpleThread {
 public:
  RecordingThread() : SimpleThread("RecordingThread") {}
  ~RecordingThread() override {
    if (HasBeenStarted() && !HasBeenJoined()) Join();
  }
  void Run() override {
    run_thread_id = GetCurrentThreadId();
    name_seen_in_run = name();
  }
  DWORD run_thread_id = 0;
  std::string name_seen_in_run;
};

// Deletes itself at the end of Run, as the move worker does when its dialog is gone. Before
// that it hands out a handle of its thread and sets `ready`.
class SelfDeletingThread : public base::SimpleThread {
 public:
  SelfDeletingThread(HANDLE* thread_handle, base::WaitableEvent* ready)
      : SimpleThread("SelfDeleting"), out_(thread_handle), ready_(ready) {}
  void Run() override {
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), out_, SYNCHRONIZE, FALSE, 0);
    ready_->Signal();
    delete this;
  }

 private:
  HANDLE* out_;
  base::WaitableEvent* ready_;
};

TEST(SimpleThreadTest, StartReturnsOnceTheThreadRunsAndJoinWaitsForIt) {
  RecordingThread thread;
  EXPECT_FALSE(thread.HasBeenStarted());
  thread.Start();
  EXPECT_TRUE(thread.HasBeenStarted());
  // The name is set before Start returns: prefix, "/" and the thread id.
  EXPECT_EQ("RecordingThread/" + std::to_string(thread.tid()), thread.name());
  thread.Join();
  EXPECT_TRUE(thread.HasBeenJoined());
  EXPECT_EQ(thread.tid(), thread.run_thread_id);
  EXPECT_NE(GetCurrentThreadId(), thread.run_thread_id);
  EXPECT_EQ(thread.name(), thread.name_seen_in_run);
}

TEST(SimpleThreadTest, StartingOrJoiningTwiceDoesNothingMore) {
  RecordingThread thread;
  thread.Start();
  DWORD first = thread.tid();
  thread.Start();  // reported as a failed check, and ignored
  EXPECT_EQ(first, thread.tid());
  thread.Join();
  thread.Join();  // likewise
  EXPECT_TRUE(thread.HasBeenJoined());
  RecordingThread never_started;
  never_started.Join();
  EXPECT_FALSE(never_started.HasBeenJoined());
}

TEST(SimpleThreadTest, ThreadThatDeletesItselfEnds) {
  HANDLE thread_handle = nullptr;
  base::WaitableEvent ready(true, false);
  (new SelfDeletingThread(&thread_handle, &ready))->Start();
  ASSERT_TRUE(ready.TimedWait(10000)) << "Run did not get going";
  ASSERT_NE(nullptr, thread_handle);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread_handle, 10000))
      << "the thread waits for itself in its destructor";
  CloseHandle(thread_handle);
}

TEST(WaitableEventTest, ManualAndAutoReset) {
  base::WaitableEvent manual(true, false);
  EXPECT_FALSE(manual.IsSignaled());
  manual.Signal();
  EXPECT_TRUE(manual.IsSignaled());
  EXPECT_TRUE(manual.TimedWait(0));  // stays set
  manual.Reset();
  EXPECT_FALSE(manual.TimedWait(10));

  base::WaitableEvent automatic(false, true);
  EXPECT_TRUE(automatic.IsSignaled());
  EXPECT_FALSE(automatic.IsSignaled());  // taken by the first waiter
}
}  // namespace
