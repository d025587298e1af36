// A thread object: derive, implement Run, call Start. Start returns once the new thread runs.
#pragma once

#include <stddef.h>

#include <string>

#include "base/threading/platform_thread.h"
#include "base/threading/waitable_event.h"

namespace base {

class SimpleThread : public PlatformThread::Delegate {
 public:
  // The thread's name is `name_prefix`, "/" and its thread id.
  explicit SimpleThread(const std::string& name_prefix);
  // Joins a started thread that was not joined yet. When the object is destroyed on its own
  // thread (a Run that deletes its object), the thread cannot wait for itself: it only lets go
  // of its handle.
  ~SimpleThread() override;
  SimpleThread(const SimpleThread&) = delete;
  SimpleThread& operator=(const SimpleThread&) = delete;

  // On the new thread: names it, releases Start and calls Run. Run may delete the object;
  // nothing here touches it afterwards.
  void ThreadEntry() override;

  // Creates the thread and waits until it runs. Only once per object.
  virtual void Start();
  // Waits for the thread to end. Only after Start, and only once.
  virtual void Join();
  virtual void Run() = 0;

  const std::string& name() const { return name_; }
  DWORD tid() const { return tid_; }
  bool HasBeenStarted() const { return started_; }
  bool HasBeenJoined() const { return joined_; }

 private:
  const std::string name_prefix_;
  std::string name_;
  const size_t stack_size_ = 0;  // the system's default
  PlatformThread::Handle thread_ = nullptr;
  WaitableEvent event_;  // set by the new thread once it runs
  DWORD tid_ = 0;
  bool joined_ = false;
  bool started_ = false;
};

}  // namespace base
