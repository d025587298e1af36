#include "standins/host/tcp_socket.h"

#include <ws2tcpip.h>

#include "standins/host/frame.h"
#include "standins/host/host_util.h"
#include "standins/host/io_operation.h"

namespace host {
namespace {

// The IPv4 address of `host` (dotted or a name), in network order; false when unknown.
bool Resolve(const std::string& host, in_addr* address) {
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  *address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

}  // namespace

TcpSocket::TcpSocket(Frame* frame)
    : HostObject({pull_tide::IID_IAsynSocket}), frame_(frame) {}

TcpSocket::~TcpSocket() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

HRESULT TcpSocket::Connect(pull_tide::IAsynIoOperation* operation, DWORD host_length,
                           const char* host, USHORT port, DWORD timeout) {
  std::string host_name = host ? std::string(host, host_length) : std::string();
  frame_->log()->Add("Socket.Connect " + host_name + " " + std::to_string(port) + " " +
                     std::to_string(timeout));
  auto* op = static_cast<IoOperation*>(operation);
  SectionLock hold(frame_->lock());
  if (!op || connect_op_ || socket_ != INVALID_SOCKET || !op->Begin(this)) return E_UNEXPECTED;
  connect_op_ = com::com_ptr<IoOperation>(op);
  connect_deadline_ = frame_->Now() + static_cast<ULONGLONG>(timeout) * kConnectTimeoutUnitMs;

  in_addr address;
  if (!Resolve(host_name, &address)) {
    Complete(&connect_op_, WSAHOST_NOT_FOUND, 0);
    return S_OK;
  }
  socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  u_long non_blocking = 1;
  if (socket_ == INVALID_SOCKET || ioctlsocket(socket_, FIONBIO, &non_blocking) != 0) {
    Complete(&connect_op_, WSAGetLastError(), 0);
    return S_OK;
  }
  sockaddr_in peer = {};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  peer.sin_addr = address;
  if (connect(socket_, reinterpret_cast<sockaddr*>(&peer), sizeof(peer)) == 0) {
    FinishConnect(false);
  } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
    frame_->Watch(this);
  } else {
    Complete(&connect_op_, WSAGetLastError(), 0);
  }
  return S_OK;
}

HRESULT TcpSocket::Read(pull_tide::IAsynIoOperation* operation) {
  return Start(Slot::kRead, operation, "Read");
}

HRESULT TcpSocket::Write(pull_tide::IAsynIoOperation* operation) {
  return Start(Slot::kWrite, operation, "Write");
}

HRESULT TcpSocket::ReadVariant(pull_tide::IAsynIoOperation* operation) {
  return Start(Slot::kRead, operation, "ReadVariant");
}

HRESULT TcpSocket::WriteVariant(pull_tide::IAsynIoOperation* operation) {
  return Start(Slot::kWrite, operation, "WriteVariant");
}

HRESULT TcpSocket::Start(Slot slot, pull_tide::IAsynIoOperation* operation, const char* call) {
  auto* op = static_cast<IoOperation*>(operation);
  frame_->log()->Add("Socket." + std::string(call) + " " + std::to_string(op ? op->window_size() : 0));
  SectionLock hold(frame_->lock());
  com::com_ptr<IoOperation>* target = slot == Slot::kRead ? &read_op_ : &write_op_;
  if (!op || *target || !op->Begin(this)) return E_UNEXPECTED;
  *target = com::com_ptr<IoOperation>(op);
  if (!connected_) {
    Complete(target, WSAENOTCONN, 0);
    return S_OK;
  }
  frame_->Watch(this);
  return S_OK;
}

HRESULT TcpSocket::Close() {
  frame_->log()->Add("Socket.Close");
  SectionLock hold(frame_->lock());
  // Operations still started end with an abort, as when the connection is torn down.
  for (com::com_ptr<IoOperation>* slot : {&connect_op_, &read_op_, &write_op_})
    if (*slot) Complete(slot, WSAECONNABORTED, 0);
  if (socket_ != INVALID_SOCKET) {
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  connected_ = false;
  frame_->Unwatch(this);
  return S_OK;
}

HRESULT TcpSocket::GetLocalAddress(DWORD* address, USHORT* port) {
  return Address(true, address, port);
}

HRESULT TcpSocket::GetRemoteAddress(DWORD* address, USHORT* port) {
  return Address(false, address, port);
}

HRESULT TcpSocket::Address(bool local, DWORD* address, USHORT* port) {
  if (!address || !port) return E_POINTER;
  sockaddr_in name = {};
  int length = sizeof(name);
  SectionLock hold(frame_->lock());
  int failed = local ? getsockname(socket_, reinterpret_cast<sockaddr*>(&name), &length)
                     : getpeername(socket_, reinterpret_cast<sockaddr*>(&name), &length);
  if (failed) return HRESULT_FROM_WIN32(WSAGetLastError());
  *address = name.sin_addr.s_addr;
  *port = ntohs(name.sin_port);
  return S_OK;
}

HRESULT TcpSocket::SetTimeout(DWORD milliseconds) {
  frame_->log()->Add("Socket.SetTimeout " + std::to_string(milliseconds));
  return S_OK;
}

HRESULT TcpSocket::SetOption(DWORD value) {
  frame_->log()->Add("Socket.SetOption " + std::to_string(value));
  return S_OK;
}

void TcpSocket::AddToSets(fd_set* readable, fd_set* writable, fd_set* failed) const {
  if (socket_ == INVALID_SOCKET) return;
  if (read_op_) FD_SET(socket_, readable);
  if (write_op_ || connect_op_) FD_SET(socket_, writable);
  if (connect_op_) FD_SET(socket_, failed);
}

void TcpSocket::OnReady(const fd_set& readable, const fd_set& writable, const fd_set& failed) {
  if (socket_ == INVALID_SOCKET) return;
  if (connect_op_) {
    if (FD_ISSET(socket_, &failed))
      FinishConnect(true);
    else if (FD_ISSET(socket_, &writable))
      FinishConnect(false);
    return;
  }
  if (read_op_ && FD_ISSET(socket_, &readable)) DoRead();
  if (write_op_ && FD_ISSET(socket_, &writable)) DoWrite();
}

void TcpSocket::CheckDeadline(ULONGLONG now) {
  if (connect_op_ && now >= connect_deadline_) {
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
    Complete(&connect_op_, WSAETIMEDOUT, 0);
  }
}

void TcpSocket::FinishConnect(bool failed) {
  int error = 0;
  int length = sizeof(error);
  if (failed) {
    getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
    if (!error) error = WSAECONNREFUSED;
  }
  connected_ = !failed;
  if (failed) {
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  Complete(&connect_op_, static_cast<DWORD>(error), 0);
}

void TcpSocket::DoRead() {
  int received = recv(socket_, reinterpret_cast<char*>(read_op_->window_data()),
                      static_cast<int>(read_op_->window_size()), 0);
  if (received >= 0)
    Complete(&read_op_, 0, static_cast<DWORD>(received));
  else if (WSAGetLastError() != WSAEWOULDBLOCK)
    Complete(&read_op_, WSAGetLastError(), 0);
}

void TcpSocket::DoWrite() {
  int sent = send(socket_, reinterpret_cast<const char*>(write_op_->window_data()),
                  static_cast<int>(write_op_->window_size()), 0);
  if (sent >= 0)
    Complete(&write_op_, 0, static_cast<DWORD>(sent));
  else if (WSAGetLastError() != WSAEWOULDBLOCK)
    Complete(&write_op_, WSAGetLastError(), 0);
}

void TcpSocket::Complete(com::com_ptr<IoOperation>* slot, DWORD error, DWORD bytes) {
  com::com_ptr<IoOperation> operation = *slot;
  slot->reset();
  frame_->QueueCompletion(operation.get(), error, bytes);
  if (!HasPending()) frame_->Unwatch(this);
}

void TcpSocket::Abandon(IoOperation* operation) {
  for (com::com_ptr<IoOperation>* slot : {&connect_op_, &read_op_, &write_op_})
    if (*slot == operation) slot->reset();
  if (!HasPending()) frame_->Unwatch(this);
}

}  // namespace host
