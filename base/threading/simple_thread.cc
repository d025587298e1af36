#include "base/threading/simple_thread.h"

#include "base/logging.h"

namespace base {

SimpleThread::SimpleThread(const std::string& name_prefix)
    : name_prefix_(name_prefix), event_(true, false) {}

SimpleThread::~SimpleThread() {
  if (!started_ || joined_) return;
  if (PlatformThread::CurrentId() == tid_) {
    CloseHandle(thread_);  // the thread ends right after this; waiting would never return
    return;
  }
  Join();
}

void SimpleThread::ThreadEntry() {
  tid_ = PlatformThread::CurrentId();
  name_ = name_prefix_ + "/" + std::to_string(tid_);
  PlatformThread::SetName(name_.c_str());
  event_.Signal();
  Run();
}

void SimpleThread::Start() {
  DCHECK(!started_) << "Tried to Start a thread multiple times.";
  if (started_) return;
  // The new thread may finish Run and delete this object as soon as it has set the event, so
  // everything here is written before it runs, and the wait uses a handle of our own.
  HANDLE started_event = nullptr;
  DuplicateHandle(GetCurrentProcess(), event_.handle(), GetCurrentProcess(), &started_event, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  PlatformThread::Handle thread = nullptr;
  bool created = started_event && PlatformThread::CreateSuspended(stack_size_, this, &thread);
  DCHECK(created);
  if (!created) {
    if (started_event) CloseHandle(started_event);
    return;
  }
  thread_ = thread;
  started_ = true;
  PlatformThread::Resume(thread);
  WaitForSingleObject(started_event, INFINITE);
  CloseHandle(started_event);
}

void SimpleThread::Join() {
  DCHECK(started_) << "Tried to Join a never-started thread.";
  DCHECK(!joined_) << "Tried to Join a thread multiple times.";
  if (!started_ || joined_) return;
  PlatformThread::Join(thread_);
  joined_ = true;
}

}  // namespace base
