#include "standins/host/io_operation.h"

#include <new>

#include "standins/host/frame.h"
#include "standins/host/host_util.h"
#include "standins/host/tcp_socket.h"

namespace host {

IoOperation::IoOperation(Frame* frame, pull_tide::IAsynIoOperationEvents* sink)
    : HostObject({pull_tide::IID_IAsynIoOperation}), frame_(frame), sink_(sink) {}

IoOperation::~IoOperation() = default;

HRESULT IoOperation::SetContext(void* context) {
  context_ = context;
  return S_OK;
}

HRESULT IoOperation::GetResult(DWORD* error, DWORD* bytes) {
  if (!error || !bytes) return E_POINTER;
  SectionLock hold(frame_->lock());
  *error = error_;
  *bytes = bytes_;
  return S_OK;
}

HRESULT IoOperation::AllocBuffer(DWORD size) {
  frame_->log()->Add("AllocBuffer " + std::to_string(size));
  SectionLock hold(frame_->lock());
  if (pending_) return E_UNEXPECTED;
  if (frame_->AllocBufferFails(size)) {
    buffer_.clear();
    return E_OUTOFMEMORY;
  }
  try {
    buffer_.assign(size, 0);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  window_offset_ = 0;
  window_count_ = size;
  return S_OK;
}

HRESULT IoOperation::GetBuffer(BYTE** data, DWORD* capacity) {
  if (!data || !capacity) return E_POINTER;
  *data = buffer_.empty() ? nullptr : buffer_.data();
  *capacity = static_cast<DWORD>(buffer_.size());
  return S_OK;
}

HRESULT IoOperation::SetWindow(DWORD offset, DWORD count) {
  window_offset_ = offset;
  window_count_ = count;
  return S_OK;
}

HRESULT IoOperation::Cancel() {
  frame_->log()->Add("Cancel");
  SectionLock hold(frame_->lock());
  if (pending_) {
    if (socket_) socket_->Abandon(this);
    frame_->DropQueued(this);
    Finish();
  }
  return S_OK;
}

bool IoOperation::Begin(TcpSocket* socket) {
  if (pending_) return false;
  pending_ = true;
  socket_ = socket;
  error_ = 0;
  bytes_ = 0;
  return true;
}

BYTE* IoOperation::window_data() {
  return window_offset_ < buffer_.size() ? buffer_.data() + window_offset_ : nullptr;
}

DWORD IoOperation::window_size() const {
  if (window_offset_ >= buffer_.size()) return 0;
  DWORD room = static_cast<DWORD>(buffer_.size()) - window_offset_;
  return window_count_ < room ? window_count_ : room;
}

void IoOperation::SetResult(DWORD error, DWORD bytes) {
  error_ = error;
  bytes_ = bytes;
}

}  // namespace host
