// The host's asynchronous I/O frame: timers, I/O operations with buffers, TCP sockets,
// limited sockets and speed limiters. Every callback (OnTimer, OnIoComplete) is delivered
// one at a time on one thread, never from inside the call that started the work:
//  - manual clock: time stands still until the test calls Advance; callbacks are made on
//    the test's thread inside Advance, RunPending and WaitForCompletion;
//  - real clock: a delivery thread of the frame (StartThread) fires timers as real time
//    passes and delivers socket completions as they come.
// Methods of IAsynFrame may be called from any thread.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/call_log.h"
#include "standins/host/host_object.h"

namespace host {

class IoOperation;
class TcpSocket;

enum class ClockMode { kManual, kReal };

class Frame : public HostObject<pull_tide::IAsynFrame> {
 public:
  struct TimerInfo {
    DWORD id;
    DWORD interval;
    ULONGLONG due;  // on the frame's clock
  };

  // One reference for the caller.
  static Frame* Create(ClockMode mode, CallLog* log);

  // IAsynFrame.
  HRESULT STDMETHODCALLTYPE StartTimer(pull_tide::IAsynTimerEvents* sink, DWORD id,
                                       DWORD interval, BOOL repeat) override;
  HRESULT STDMETHODCALLTYPE StopTimer(pull_tide::IAsynTimerEvents* sink, DWORD id) override;
  HRESULT STDMETHODCALLTYPE StopAllTimers(pull_tide::IAsynTimerEvents* sink) override;
  HRESULT STDMETHODCALLTYPE CreateIoOperation(pull_tide::IAsynIoOperationEvents* sink,
                                              pull_tide::IAsynIoOperation** operation) override;
  HRESULT STDMETHODCALLTYPE CreateTcpSocket(pull_tide::IAsynSocket** socket) override;
  HRESULT STDMETHODCALLTYPE CreateSpeedLimiter(pull_tide::ISpeedLimiter** limiter) override;
  HRESULT STDMETHODCALLTYPE CreateLimitedSocket(pull_tide::IAsynSocket* socket,
                                                pull_tide::ISpeedLimiter* download_limiter,
                                                pull_tide::ISpeedLimiter* upload_limiter,
                                                pull_tide::IAsynSocket** limited_socket) override;
#define HOST_RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }
  HOST_RESERVED(3) HOST_RESERVED(4) HOST_RESERVED(8) HOST_RESERVED(9) HOST_RESERVED(10)
  HOST_RESERVED(11) HOST_RESERVED(12) HOST_RESERVED(14) HOST_RESERVED(15) HOST_RESERVED(16)
  HOST_RESERVED(17) HOST_RESERVED(18) HOST_RESERVED(20) HOST_RESERVED(21) HOST_RESERVED(22)
  HOST_RESERVED(23) HOST_RESERVED(24) HOST_RESERVED(25) HOST_RESERVED(26) HOST_RESERVED(27)
#undef HOST_RESERVED

  // The frame's clock in milliseconds (manual: starts at 0).
  ULONGLONG Now();
  ClockMode mode() const { return mode_; }

  // Manual clock: moves time forward by `milliseconds`, firing the timers that fall due in
  // order of their due time (ties in order of arming) and delivering ready completions
  // before each. Returns the number of callbacks made.
  int Advance(DWORD milliseconds);
  // Delivers the completions that are ready now (sockets are polled without waiting).
  int RunPending();
  // Waits at most `real_timeout_ms` of real time until a completion is ready and delivers
  // what is ready; true when at least one was delivered.
  bool WaitForCompletion(DWORD real_timeout_ms);
  // Delivers completions as they come until `done` returns true (checked after each round)
  // or `real_timeout_ms` of real time have passed; returns `done()`.
  bool RunUntil(const std::function<bool()>& done, DWORD real_timeout_ms);

  // Real clock: delivers everything on a thread of the frame until StopThread. The thread
  // holds a reference to the frame while it runs.
  void StartThread();
  void StopThread();
  // The thread that made the last callback (0 before the first).
  DWORD last_delivery_thread() const { return last_delivery_thread_; }

  std::vector<TimerInfo> Timers();  // pending timers in due order

  // A host short of memory, for tests: after `successes` more CreateIoOperation calls
  // succeed, the next one fails with a null operation (once); a negative count turns it off.
  void FailIoOperationAfter(int successes);
  // Every AllocBuffer of exactly `size` bytes fails, leaving no buffer; 0 turns it off.
  void FailAllocBufferOfSize(DWORD size);
  bool AllocBufferFails(DWORD size);
  CallLog* log() const { return log_; }

  // For operations and sockets; the lock is the frame's.
  CRITICAL_SECTION* lock() { return &lock_; }
  void QueueCompletion(IoOperation* operation, DWORD error, DWORD bytes);
  void DropQueued(IoOperation* operation);
  void Watch(TcpSocket* socket);
  void Unwatch(TcpSocket* socket);

 private:
  Frame(ClockMode mode, CallLog* log);
  ~Frame() override;

  bool DeliverOneCompletion();
  int DeliverCompletions();
  // Fires the earliest timer due at or before `limit`; false when there is none.
  bool FireOneTimer(ULONGLONG limit, bool move_clock);
  int PollSockets(DWORD wait_ms);
  void Wake() { SetEvent(wake_event_); }
  static DWORD WINAPI ThreadMain(void* frame);
  void RunThread();

  ClockMode mode_;
  CallLog* log_;
  CRITICAL_SECTION lock_;
  ULONGLONG manual_now_ = 0;
  ULONGLONG next_sequence_ = 0;
  struct TimerEntry {
    com::com_ptr<pull_tide::IAsynTimerEvents> sink;
    DWORD id;
    DWORD interval;
    bool repeat;
    ULONGLONG due;
    ULONGLONG sequence;
  };
  std::map<std::pair<pull_tide::IAsynTimerEvents*, DWORD>, TimerEntry> timers_;
  std::deque<IoOperation*> completions_;  // each holds a reference
  std::set<TcpSocket*> watched_;          // each holds a reference
  HANDLE wake_event_;
  HANDLE thread_ = nullptr;
  volatile LONG stop_ = 0;
  DWORD last_delivery_thread_ = 0;
  int io_operations_before_failure_ = -1;
  DWORD failing_buffer_size_ = 0;
};

}  // namespace host
