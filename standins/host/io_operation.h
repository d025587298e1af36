// One I/O operation of the host frame: a buffer with a window for the next read or write,
// the plug-in's context value, and the result of the last completed start. A socket
// starts it; the frame delivers its completion to the operation's sink.
#pragma once

#include <windows.h>

#include <vector>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/host_object.h"

namespace host {

class Frame;
class TcpSocket;

class IoOperation : public HostObject<pull_tide::IAsynIoOperation> {
 public:
  IoOperation(Frame* frame, pull_tide::IAsynIoOperationEvents* sink);

  HRESULT STDMETHODCALLTYPE SetContext(void* context) override;
  HRESULT STDMETHODCALLTYPE GetResult(DWORD* error, DWORD* bytes) override;
  HRESULT STDMETHODCALLTYPE AllocBuffer(DWORD size) override;
  HRESULT STDMETHODCALLTYPE GetBuffer(BYTE** data, DWORD* capacity) override;
  HRESULT STDMETHODCALLTYPE SetWindow(DWORD offset, DWORD count) override;
  HRESULT STDMETHODCALLTYPE Cancel() override;
#define HOST_RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }
  HOST_RESERVED(4) HOST_RESERVED(5) HOST_RESERVED(7) HOST_RESERVED(8) HOST_RESERVED(11)
  HOST_RESERVED(13) HOST_RESERVED(14) HOST_RESERVED(15) HOST_RESERVED(16) HOST_RESERVED(17)
#undef HOST_RESERVED

  void* context() const { return context_; }

  // Under the frame's lock. Begin marks the operation started by `socket`; false when it
  // is already started.
  bool Begin(TcpSocket* socket);
  bool pending() const { return pending_; }
  // The window, clipped to the buffer.
  BYTE* window_data();
  DWORD window_size() const;
  void SetResult(DWORD error, DWORD bytes);
  // Called when the frame hands the completion over: the operation is no longer pending.
  void Finish() {
    pending_ = false;
    socket_ = nullptr;
  }
  pull_tide::IAsynIoOperationEvents* sink() const { return sink_.get(); }

 private:
  ~IoOperation() override;

  com::com_ptr<Frame> frame_;
  com::com_ptr<pull_tide::IAsynIoOperationEvents> sink_;
  void* context_ = nullptr;
  std::vector<BYTE> buffer_;
  DWORD window_offset_ = 0;
  DWORD window_count_ = 0;
  DWORD error_ = 0;
  DWORD bytes_ = 0;
  bool pending_ = false;
  TcpSocket* socket_ = nullptr;  // the socket that started it, while pending
};

}  // namespace host
