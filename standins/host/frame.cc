#include "standins/host/frame.h"

#include <algorithm>
#include <string>

#include "standins/host/host_util.h"
#include "standins/host/io_operation.h"
#include "standins/host/speed_limiter.h"
#include "standins/host/tcp_socket.h"

namespace host {
namespace {

// The longest real-clock wait between looks at new timers and sockets.
constexpr DWORD kLoopSliceMs = 10;

}  // namespace

Frame* Frame::Create(ClockMode mode, CallLog* log) { return new Frame(mode, log); }

Frame::Frame(ClockMode mode, CallLog* log)
    : HostObject({pull_tide::IID_IAsynFrame}),
      mode_(mode),
      log_(log),
      wake_event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  InitializeCriticalSection(&lock_);
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}

Frame::~Frame() {
  timers_.clear();
  for (IoOperation* operation : completions_) operation->Release();
  completions_.clear();
  for (TcpSocket* socket : watched_) socket->Release();
  watched_.clear();
  CloseHandle(wake_event_);
  DeleteCriticalSection(&lock_);
  WSACleanup();
}

ULONGLONG Frame::Now() {
  if (mode_ == ClockMode::kReal) return GetTickCount64();
  SectionLock hold(&lock_);
  return manual_now_;
}

HRESULT Frame::StartTimer(pull_tide::IAsynTimerEvents* sink, DWORD id, DWORD interval,
                          BOOL repeat) {
  log_->Add("StartTimer " + std::to_string(id) + " " + std::to_string(interval) + " " +
            std::to_string(repeat ? 1 : 0));
  if (!sink) return E_POINTER;
  {
    SectionLock hold(&lock_);
    TimerEntry entry{com::com_ptr<pull_tide::IAsynTimerEvents>(sink), id, interval,
                     repeat != FALSE, Now() + interval, next_sequence_++};
    timers_[{sink, id}] = std::move(entry);
  }
  Wake();
  return S_OK;
}

HRESULT Frame::StopTimer(pull_tide::IAsynTimerEvents* sink, DWORD id) {
  log_->Add("StopTimer " + std::to_string(id));
  com::com_ptr<pull_tide::IAsynTimerEvents> released;  // let go outside the lock
  SectionLock hold(&lock_);
  auto it = timers_.find({sink, id});
  if (it != timers_.end()) {
    released = std::move(it->second.sink);
    timers_.erase(it);
  }
  return S_OK;
}

HRESULT Frame::StopAllTimers(pull_tide::IAsynTimerEvents* sink) {
  log_->Add("StopAllTimers");
  std::vector<com::com_ptr<pull_tide::IAsynTimerEvents>> released;
  SectionLock hold(&lock_);
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->first.first == sink) {
      released.push_back(std::move(it->second.sink));
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
  return S_OK;
}

HRESULT Frame::CreateIoOperation(pull_tide::IAsynIoOperationEvents* sink,
                                 pull_tide::IAsynIoOperation** operation) {
  log_->Add("CreateIoOperation");
  if (!operation) return E_POINTER;
  *operation = nullptr;
  if (!sink) return E_POINTER;
  {
    SectionLock hold(&lock_);
    if (io_operations_before_failure_ == 0) {
      io_operations_before_failure_ = -1;
      log_->Add("CreateIoOperation failed");
      return E_OUTOFMEMORY;
    }
    if (io_operations_before_failure_ > 0) --io_operations_before_failure_;
  }
  *operation = new IoOperation(this, sink);
  return S_OK;
}

void Frame::FailIoOperationAfter(int successes) {
  SectionLock hold(&lock_);
  io_operations_before_failure_ = successes < 0 ? -1 : successes;
}

void Frame::FailAllocBufferOfSize(DWORD size) {
  SectionLock hold(&lock_);
  failing_buffer_size_ = size;
}

bool Frame::AllocBufferFails(DWORD size) {
  SectionLock hold(&lock_);
  return size != 0 && size == failing_buffer_size_;
}

HRESULT Frame::CreateTcpSocket(pull_tide::IAsynSocket** socket) {
  log_->Add("CreateTcpSocket");
  if (!socket) return E_POINTER;
  *socket = new TcpSocket(this);
  return S_OK;
}

HRESULT Frame::CreateSpeedLimiter(pull_tide::ISpeedLimiter** limiter) {
  log_->Add("CreateSpeedLimiter");
  if (!limiter) return E_POINTER;
  *limiter = new SpeedLimiter(log_);
  return S_OK;
}

HRESULT Frame::CreateLimitedSocket(pull_tide::IAsynSocket* socket,
                                   pull_tide::ISpeedLimiter* download_limiter,
                                   pull_tide::ISpeedLimiter* upload_limiter,
                                   pull_tide::IAsynSocket** limited_socket) {
  log_->Add(std::string("CreateLimitedSocket ") + (download_limiter ? "download " : "") +
            (upload_limiter ? "upload" : ""));
  if (!limited_socket) return E_POINTER;
  *limited_socket = nullptr;
  if (!socket) return E_POINTER;
  *limited_socket = new LimitedSocket(log_, socket, download_limiter, upload_limiter);
  return S_OK;
}

void Frame::QueueCompletion(IoOperation* operation, DWORD error, DWORD bytes) {
  {
    SectionLock hold(&lock_);
    operation->SetResult(error, bytes);
    operation->AddRef();
    completions_.push_back(operation);
  }
  Wake();
}

void Frame::DropQueued(IoOperation* operation) {
  SectionLock hold(&lock_);
  auto it = std::find(completions_.begin(), completions_.end(), operation);
  if (it == completions_.end()) return;
  completions_.erase(it);
  operation->Release();  // the operation's owner still holds it: this is never the last
}

void Frame::Watch(TcpSocket* socket) {
  {
    SectionLock hold(&lock_);
    if (!watched_.insert(socket).second) return;
    socket->AddRef();
  }
  Wake();
}

void Frame::Unwatch(TcpSocket* socket) {
  SectionLock hold(&lock_);
  if (watched_.erase(socket)) socket->Release();
}

bool Frame::DeliverOneCompletion() {
  IoOperation* operation = nullptr;
  com::com_ptr<pull_tide::IAsynIoOperationEvents> sink;
  {
    SectionLock hold(&lock_);
    if (completions_.empty()) return false;
    operation = completions_.front();
    completions_.pop_front();
    operation->Finish();
    sink = com::com_ptr<pull_tide::IAsynIoOperationEvents>(operation->sink());
  }
  last_delivery_thread_ = GetCurrentThreadId();
  sink->OnIoComplete(operation);
  operation->Release();
  return true;
}

int Frame::DeliverCompletions() {
  int delivered = 0;
  while (DeliverOneCompletion()) ++delivered;
  return delivered;
}

bool Frame::FireOneTimer(ULONGLONG limit, bool move_clock) {
  com::com_ptr<pull_tide::IAsynTimerEvents> sink;
  DWORD id = 0;
  {
    SectionLock hold(&lock_);
    auto earliest = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due > limit) continue;
      if (earliest == timers_.end() || it->second.due < earliest->second.due ||
          (it->second.due == earliest->second.due &&
           it->second.sequence < earliest->second.sequence))
        earliest = it;
    }
    if (earliest == timers_.end()) return false;
    TimerEntry& timer = earliest->second;
    if (move_clock) manual_now_ = timer.due;
    sink = timer.sink;
    id = timer.id;
    if (timer.repeat) {
      timer.due += timer.interval ? timer.interval : 1;
      timer.sequence = next_sequence_++;
    } else {
      timers_.erase(earliest);
    }
  }
  last_delivery_thread_ = GetCurrentThreadId();
  sink->OnTimer(id);
  return true;
}

int Frame::PollSockets(DWORD wait_ms) {
  std::vector<com::com_ptr<TcpSocket>> sockets;
  fd_set readable, writable, failed;
  FD_ZERO(&readable);
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  {
    SectionLock hold(&lock_);
    ULONGLONG now = Now();
    for (TcpSocket* socket : std::vector<TcpSocket*>(watched_.begin(), watched_.end())) {
      sockets.emplace_back(socket);
      socket->CheckDeadline(now);
      socket->AddToSets(&readable, &writable, &failed);
    }
  }
  if (readable.fd_count + writable.fd_count + failed.fd_count == 0) {
    if (wait_ms) WaitForSingleObject(wake_event_, wait_ms);
    return 0;
  }
  timeval timeout = {static_cast<long>(wait_ms / 1000), static_cast<long>(wait_ms % 1000) * 1000};
  int ready = select(0, &readable, &writable, &failed, &timeout);
  if (ready <= 0) return 0;
  SectionLock hold(&lock_);
  for (const auto& socket : sockets) socket->OnReady(readable, writable, failed);
  return ready;
}

int Frame::Advance(DWORD milliseconds) {
  ULONGLONG target;
  {
    SectionLock hold(&lock_);
    target = manual_now_ + milliseconds;
  }
  int callbacks = RunPending();
  while (FireOneTimer(target, true)) callbacks += 1 + RunPending();
  SectionLock hold(&lock_);
  manual_now_ = target;
  return callbacks;
}

int Frame::RunPending() {
  PollSockets(0);
  return DeliverCompletions();
}

bool Frame::WaitForCompletion(DWORD real_timeout_ms) {
  ULONGLONG give_up = GetTickCount64() + real_timeout_ms;
  for (;;) {
    if (DeliverCompletions() > 0) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= give_up) return false;
    PollSockets(static_cast<DWORD>(std::min<ULONGLONG>(give_up - now, kLoopSliceMs)));
  }
}

bool Frame::RunUntil(const std::function<bool()>& done, DWORD real_timeout_ms) {
  ULONGLONG give_up = GetTickCount64() + real_timeout_ms;
  while (!done()) {
    ULONGLONG now = GetTickCount64();
    if (now >= give_up) return false;
    WaitForCompletion(static_cast<DWORD>(give_up - now));
  }
  return true;
}

std::vector<Frame::TimerInfo> Frame::Timers() {
  std::vector<std::pair<ULONGLONG, TimerInfo>> ordered;
  {
    SectionLock hold(&lock_);
    for (const auto& entry : timers_)
      ordered.push_back({entry.second.sequence,
                         TimerInfo{entry.second.id, entry.second.interval, entry.second.due}});
  }
  std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
    return a.second.due != b.second.due ? a.second.due < b.second.due : a.first < b.first;
  });
  std::vector<TimerInfo> timers;
  for (const auto& entry : ordered) timers.push_back(entry.second);
  return timers;
}

void Frame::StartThread() {
  if (thread_) return;
  AddRef();  // the thread's own, given back by StopThread
  InterlockedExchange(&stop_, 0);
  thread_ = CreateThread(nullptr, 0, &Frame::ThreadMain, this, 0, nullptr);
}

void Frame::StopThread() {
  if (!thread_) return;
  InterlockedExchange(&stop_, 1);
  Wake();
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  Release();
}

DWORD WINAPI Frame::ThreadMain(void* frame) {
  static_cast<Frame*>(frame)->RunThread();
  return 0;
}

void Frame::RunThread() {
  while (!InterlockedCompareExchange(&stop_, 0, 0)) {
    DeliverCompletions();
    while (FireOneTimer(Now(), false)) DeliverCompletions();
    DWORD wait = kLoopSliceMs;
    for (const TimerInfo& timer : Timers()) {
      ULONGLONG now = Now();
      wait = timer.due <= now ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(timer.due - now, wait));
      break;
    }
    PollSockets(wait);
  }
}

}  // namespace host
