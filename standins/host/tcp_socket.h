// A TCP socket of the host frame over Winsock. Connect, Read and Write start an operation
// and return at once; the frame polls the socket and queues the operation's completion.
// Errors are Winsock error codes; a read of 0 bytes means the peer closed.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

#include "notifications/com_utility/com_ptr.h"
#include "notifications/interfaces/host_interfaces.h"
#include "standins/host/host_object.h"

namespace host {

class Frame;
class IoOperation;

class TcpSocket : public HostObject<pull_tide::IAsynSocket> {
 public:
  explicit TcpSocket(Frame* frame);

  HRESULT STDMETHODCALLTYPE Read(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE Write(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE ReadVariant(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE WriteVariant(pull_tide::IAsynIoOperation* operation) override;
  HRESULT STDMETHODCALLTYPE Close() override;
  HRESULT STDMETHODCALLTYPE Connect(pull_tide::IAsynIoOperation* operation, DWORD host_length,
                                    const char* host, USHORT port, DWORD timeout) override;
  HRESULT STDMETHODCALLTYPE GetLocalAddress(DWORD* address, USHORT* port) override;
  HRESULT STDMETHODCALLTYPE GetRemoteAddress(DWORD* address, USHORT* port) override;
  HRESULT STDMETHODCALLTYPE SetTimeout(DWORD milliseconds) override;
  HRESULT STDMETHODCALLTYPE SetOption(DWORD value) override;

  // The connect timeout is given in seconds.
  static constexpr DWORD kConnectTimeoutUnitMs = 1000;

  // The frame's side, under its lock.
  bool HasPending() const { return connect_op_ || read_op_ || write_op_; }
  void AddToSets(fd_set* readable, fd_set* writable, fd_set* failed) const;
  void OnReady(const fd_set& readable, const fd_set& writable, const fd_set& failed);
  void CheckDeadline(ULONGLONG now);
  void Abandon(IoOperation* operation);

 private:
  enum class Slot { kRead, kWrite };

  ~TcpSocket() override;
  HRESULT Start(Slot slot, pull_tide::IAsynIoOperation* operation, const char* call);
  // Queues the completion of the operation in `slot` and empties the slot.
  void Complete(com::com_ptr<IoOperation>* slot, DWORD error, DWORD bytes);
  void FinishConnect(bool failed);
  void DoRead();
  void DoWrite();
  HRESULT Address(bool local, DWORD* address, USHORT* port);

  com::com_ptr<Frame> frame_;
  SOCKET socket_ = INVALID_SOCKET;
  bool connected_ = false;
  com::com_ptr<IoOperation> connect_op_;
  com::com_ptr<IoOperation> read_op_;
  com::com_ptr<IoOperation> write_op_;
  ULONGLONG connect_deadline_ = 0;
};

}  // namespace host
